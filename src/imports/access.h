#pragma once

#include "imports/filemeet.h"
#include "text/failure.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

#include <array>

namespace quilvarden::imports {

// Reads the meet programme (EVENT, CLUBCHAMP, CLUBDESC) from an Access file with
// mdbtools' mdb-export, run directly with its arguments. Events come over as they are:
// texts exactly, Nulls as Nulls, numbers as numbers. Clubs come once each, by code: a club
// taking part with its first description (or none), then the clubs only described.
Result<FileMeet> readAccessMeet(const QString& path);

// One table as mdb-export gives it: each row maps the column names, in capitals, to values.
using AccessTable = QList<QHash<QString, QVariant>>;

// The meet programme of the three tables, as above.
FileMeet meetFromAccessTables(const AccessTable& events, const AccessTable& takingPart,
                              const AccessTable& descriptions);

// Which meet the file is, from the first row of its MEET table where it has one: its name,
// first and last dates and town, under the names such tables give them (NAME or MEETNAME,
// STARTDATE and ENDDATE, CITY or PLACE...). Empty for a file without one: nothing is made up.
data::MeetIdentity meetIdentityFromAccess(const AccessTable& meetTable);

// The meet programme from mdb-export's CSV of EVENT, CLUBCHAMP and CLUBDESC, in that order:
// what readAccessMeet reads once mdb-export has run. Column names count in capitals; quoted
// texts come as texts, bare numbers as numbers, nothing as Null. A table with a quote left
// open, no header, a column missing (EVENT: XORDER, EVENTCODE, GENDERCODE; CLUBCHAMP:
// CLUBCODE; CLUBDESC: CLUBCODE, SHORTDESC) or a row of another length is refused, naming
// the file at path and the table.
Result<FileMeet> meetFromAccessCsv(const std::array<QByteArray, 3>& csv, const QString& path);

} // namespace quilvarden::imports
