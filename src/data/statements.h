#pragma once

// Every statement the program runs, in plain SQL that any engine behind Qt SQL accepts.
// Values always go in as bound parameters, never spliced into the text.

namespace quilvarden::data::sql {

// The clubs of the meet by short name. A club taking part with no description is listed by
// its code, so one missing row in the club descriptions cannot keep the club off the list.
inline constexpr char ClubList[] =
    "SELECT COALESCE(CLUBDESC.SHORTDESC, CLUBCHAMP.CLUBCODE) AS SHORTDESC"
    " FROM CLUBCHAMP LEFT JOIN CLUBDESC ON CLUBCHAMP.CLUBCODE=CLUBDESC.CLUBCODE"
    " ORDER BY COALESCE(CLUBDESC.SHORTDESC, CLUBCHAMP.CLUBCODE)";

// Reads no row; its only use is to learn whether a table exists and which columns it has.
inline constexpr char ProbeTable[] = "SELECT * FROM %1 WHERE 1=0";

inline constexpr char DeleteEvents[] = "DELETE FROM EVENT";
inline constexpr char DeleteClubsTakingPart[] = "DELETE FROM CLUBCHAMP";
inline constexpr char DeleteClubDescriptions[] = "DELETE FROM CLUBDESC";

inline constexpr char InsertEvent[] =
    "INSERT INTO EVENT (EVENTID, XORDER, EVENTCODE, GENDERCODE, DISTANCE, SESSIONNO)"
    " VALUES (?, ?, ?, ?, ?, ?)";
inline constexpr char InsertClubTakingPart[] = "INSERT INTO CLUBCHAMP (CLUBCODE, NATION) VALUES (?, ?)";
inline constexpr char InsertClubDescription[] =
    "INSERT INTO CLUBDESC (CLUBCODE, SHORTDESC, LONGDESC) VALUES (?, ?, ?)";

} // namespace quilvarden::data::sql
