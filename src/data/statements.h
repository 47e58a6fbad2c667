#pragma once

// Every statement the program runs, in plain SQL that both engines behind Qt SQL accept
// (SQLite and PostgreSQL); where an engine sums its own way, a statement takes those words from
// the engine's particulars (%1, %2). Values always go in as parameters bound by name, never
// spliced into the text.

namespace quilvarden::data::sql {

// The clubs of the meet by short name. A club taking part with no description is listed by
// its code, so one missing row in the club descriptions cannot keep the club off the list.
inline constexpr char ClubList[] =
    "SELECT COALESCE(CLUBDESC.SHORTDESC, CLUBCHAMP.CLUBCODE) AS SHORTDESC"
    " FROM CLUBCHAMP LEFT JOIN CLUBDESC ON CLUBCHAMP.CLUBCODE=CLUBDESC.CLUBCODE"
    " ORDER BY COALESCE(CLUBDESC.SHORTDESC, CLUBCHAMP.CLUBCODE)";

// Reads no row; its only use is to learn whether a table exists and which columns it has.
inline constexpr char ProbeTable[] = "SELECT * FROM %1 WHERE 1=0";

// The event of an order number; when several share it, the first one counts.
inline constexpr char FindEvent[] = "SELECT * FROM EVENT where xorder=:orde ORDER BY XORDER";

// One award into the register; the database gives it its id, which comes back before the
// commit so that a commit whose answer is lost can be looked for.
inline constexpr char InsertAward[] = "INSERT INTO  puntos (orde,proba,sexo,club,puntos)"
                                      " VALUES(:orde,:proba,:sexo,:club,:puntos) RETURNING id";

// An award put back as it was, with its own id, when its undo was never answered.
inline constexpr char RestoreAward[] = "INSERT INTO puntos (id, orde, proba, sexo, club, puntos)"
                                       " VALUES (:id, :orde, :proba, :sexo, :club, :puntos)";

// Whether an award is in the register.
inline constexpr char AwardExists[] = "SELECT id FROM puntos WHERE id=:id";

// The latest award is the one with the highest id, whatever its event.
inline constexpr char LatestAward[] = "SELECT max(id) AS ultimo FROM puntos";
// Takes one award back and gives what it was, so that the operator is told.
inline constexpr char DeleteAward[] =
    "Delete from puntos where id=:id RETURNING orde, proba, sexo, club, puntos";

// The order number as the results list sorts it: by the number its digits make, so that "7",
// "07" and "007" are one number and 10 < 99 < 100 < 101 < 998, in two keys that serve as
// they are in an index of the register (a number's length without its leading zeros, then
// those digits). A text that is no number has -1 for its length and sorts by its text; a
// missing one, -2. Both engines read these alike, and the index made of them (schema.cpp)
// serves the list's pages from its top.
#define QUILVARDEN_ORDER_IS_NUMBER "orde <> '' AND ltrim(orde, '0123456789') = ''"
#define QUILVARDEN_ORDER_LENGTH                                                                              \
    "CASE WHEN orde IS NULL THEN -2 WHEN " QUILVARDEN_ORDER_IS_NUMBER " THEN length(ltrim(orde, '0'))"       \
    " ELSE -1 END"
#define QUILVARDEN_ORDER_DIGITS "CASE WHEN " QUILVARDEN_ORDER_IS_NUMBER " THEN ltrim(orde, '0') ELSE orde END"

// The columns of that index, in the list's order read from its end: the list reads it backwards.
inline constexpr char ListOrderColumns[] =
    "(" QUILVARDEN_ORDER_LENGTH "), (" QUILVARDEN_ORDER_DIGITS "), puntos DESC, id";

// The results list shows the register by order number and, within one event, by points
// from the highest, each line put on top of the ones before it: from the top, the highest
// order number first and, within it, the lowest points first (the latest award first among
// equals); the texts that are no number after every number. The list reads it a page at a
// time in that order, up to the latest award it knows of, so that awards stored meanwhile do
// not shift its pages.
#define QUILVARDEN_LIST_ORDER                                                                                \
    QUILVARDEN_ORDER_LENGTH " DESC, " QUILVARDEN_ORDER_DIGITS " DESC, puntos, id DESC"
inline constexpr char ListAwardsPage[] =
    "SELECT * FROM puntos WHERE id<=:last ORDER BY " QUILVARDEN_LIST_ORDER " LIMIT :count OFFSET :skip";

// The order number of the latest award: the last event scored.
inline constexpr char LastEventScored[] = "SELECT orde FROM puntos WHERE id=(SELECT max(id) FROM puntos)";

// The totals the three standings are made of, in one pass over the register: each club's
// points for each gender code, summed as the engine sums them (%1), and a count that is not 0
// when some awards hold points the engine keeps as text and may not read as a number (%2). The
// men's standing takes the code M, the women's F, and the combined one every code; each ranks
// its clubs by total, highest first.
inline constexpr char StandingTotals[] =
    "SELECT puntos.club, puntos.sexo, %1 AS SumaDepuntos, %2 AS Dubidosos"
    " FROM puntos GROUP BY puntos.club, puntos.sexo";

// The awards whose points meet the engine's condition (%1) for points it may not read as a
// number, lowest id first, to name the first that is none.
inline constexpr char DoubtfulPoints[] = "SELECT id, orde, club, puntos FROM puntos WHERE %1 ORDER BY id";

// The texts of the order numbers in the register, each once: the events scored from a
// results file are looked for among them by the number they read as ("7" and "07" alike).
inline constexpr char AwardedOrders[] = "SELECT DISTINCT orde FROM puntos";
// The awards of an event, by one of the texts of its order number, when the event is scored
// again; they come back as they were, so that a commit whose answer is lost can be settled.
inline constexpr char DeleteEventAwards[] =
    "DELETE FROM puntos WHERE orde=:orde RETURNING id, orde, proba, sexo, club, puntos";

// Each club's points in each event, to check against a results sheet: one row per text of
// the order number, event code, gender and club, with the sum and the count of doubtful points
// as for the standings. The program sorts them, order numbers by their value ("7" before "10").
inline constexpr char EventClubPoints[] =
    "SELECT orde, proba, sexo, club, %1 AS SumaDepuntos, %2 AS Dubidosos"
    " FROM puntos GROUP BY orde, proba, sexo, club";

// The order numbers of the programme, for the widest of them.
inline constexpr char ProgrammeOrders[] = "SELECT XORDER FROM EVENT";
inline constexpr char CountEvents[] = "SELECT COUNT(*) FROM EVENT";

// The awards of an event, by one of the texts of its order number, each with the meet of the
// results file it was stored from (Null for an award typed at a window). An award whose id
// another award took is not the one stored from the file: its order and club tell.
inline constexpr char EventAwardsWithSource[] =
    "SELECT puntos.id, puntos.proba, puntos.sexo, puntos.club, puntos.puntos,"
    " quilvarden_puntos_resultados.campionato FROM puntos LEFT JOIN quilvarden_puntos_resultados"
    " ON quilvarden_puntos_resultados.id = puntos.id AND quilvarden_puntos_resultados.orde = puntos.orde"
    " AND quilvarden_puntos_resultados.club = puntos.club WHERE puntos.orde=:orde";
// The same where the register has no such marks (it can only be read, or is another program's).
inline constexpr char EventAwardsWithoutSource[] =
    "SELECT id, proba, sexo, club, puntos, NULL AS campionato FROM puntos WHERE orde=:orde";
inline constexpr char MarkScoredAward[] =
    "INSERT INTO quilvarden_puntos_resultados (id, orde, club, campionato)"
    " VALUES (:id, :orde, :club, :campionato)";
inline constexpr char ForgetScoredAward[] = "DELETE FROM quilvarden_puntos_resultados WHERE id=:id";

// Which meet the programme was imported from.
// Every column, so that an older register whose table has no place yet is read as well.
inline constexpr char RememberedMeet[] = "SELECT * FROM quilvarden_programa";
inline constexpr char ForgetMeet[] = "DELETE FROM quilvarden_programa";
inline constexpr char RememberMeet[] =
    "INSERT INTO quilvarden_programa (nome, desde, ata, lugar) VALUES (:nome, :desde, :ata, :lugar)";
inline constexpr char AddMeetPlaceColumn[] = "ALTER TABLE quilvarden_programa ADD COLUMN lugar TEXT";
// The competition's rules, one row of JSON.
inline constexpr char MeetRulesRead[] = "SELECT regras FROM quilvarden_regras";
inline constexpr char MeetRulesForget[] = "DELETE FROM quilvarden_regras";
inline constexpr char MeetRulesKeep[] = "INSERT INTO quilvarden_regras (regras) VALUES (:regras)";
// The meet's categories and the events that rank them.
inline constexpr char CategoriesRead[] =
    "SELECT id, nome, idade_min, idade_max, sexo, clase FROM quilvarden_categorias ORDER BY id";
inline constexpr char CategoryEventsRead[] =
    "SELECT categoria, orde FROM quilvarden_categorias_probas ORDER BY categoria, orde";
inline constexpr char CategoriesForget[] = "DELETE FROM quilvarden_categorias";
inline constexpr char CategoryEventsForget[] = "DELETE FROM quilvarden_categorias_probas";
inline constexpr char CategoryKeep[] =
    "INSERT INTO quilvarden_categorias (id, nome, idade_min, idade_max, sexo, clase)"
    " VALUES (:id, :nome, :idade_min, :idade_max, :sexo, :clase)";
inline constexpr char CategoryEventKeep[] =
    "INSERT INTO quilvarden_categorias_probas (categoria, orde) VALUES (:categoria, :orde)";
// The category of an award, kept beside it; the id first taken out, should a register that
// gives ids again (one made by another program) have kept a row for an award taken back.
inline constexpr char ForgetAwardCategory[] = "DELETE FROM quilvarden_puntos_categorias WHERE id=:id";
inline constexpr char AwardCategoryOf[] =
    "SELECT categoria FROM quilvarden_puntos_categorias WHERE id=:id AND orde=:orde AND club=:club";
inline constexpr char KeepAwardCategory[] = "INSERT INTO quilvarden_puntos_categorias (id, orde, club, "
                                            "categoria) VALUES (:id, :orde, :club, :categoria)";
// An award's category is the row of its id whose order and club are still the award's.
#define QUILVARDEN_AWARD_CATEGORY                                                                            \
    "(SELECT c.categoria FROM quilvarden_puntos_categorias c WHERE c.id = puntos.id"                         \
    " AND c.orde = puntos.orde AND c.club = puntos.club)"
// The results list's page with each award's category.
inline constexpr char ListAwardsPageWithCategory[] =
    "SELECT puntos.*, " QUILVARDEN_AWARD_CATEGORY
    " AS categoria FROM puntos WHERE id<=:last ORDER BY " QUILVARDEN_LIST_ORDER " LIMIT :count OFFSET :skip";
// The categories' standings: each category's clubs' points for each gender code.
inline constexpr char CategoryStandingTotals[] =
    "SELECT c.categoria, puntos.club, puntos.sexo, %1 AS SumaDepuntos, %2 AS Dubidosos"
    " FROM puntos JOIN quilvarden_puntos_categorias c ON c.id = puntos.id AND c.orde = puntos.orde"
    " AND c.club = puntos.club GROUP BY c.categoria, puntos.club, puntos.sexo";
// Each club's points in each event and category, as EventClubPoints.
inline constexpr char EventCategoryClubPoints[] =
    "SELECT orde, proba, sexo, club, %1 AS SumaDepuntos, %2 AS Dubidosos, categoria FROM"
    " (SELECT puntos.*, " QUILVARDEN_AWARD_CATEGORY " AS categoria FROM puntos) AS puntos"
    " GROUP BY orde, proba, sexo, club, categoria";
// The awards of an event with their categories, as EventAwardsWithSource.
inline constexpr char EventAwardsWithCategory[] =
    "SELECT puntos.id, puntos.proba, puntos.sexo, puntos.club, puntos.puntos,"
    " quilvarden_puntos_resultados.campionato, " QUILVARDEN_AWARD_CATEGORY " AS categoria"
    " FROM puntos LEFT JOIN quilvarden_puntos_resultados"
    " ON quilvarden_puntos_resultados.id = puntos.id AND quilvarden_puntos_resultados.orde = puntos.orde"
    " AND quilvarden_puntos_resultados.club = puntos.club WHERE puntos.orde=:orde";
inline constexpr char EventAwardsWithCategoryWithoutSource[] =
    "SELECT id, proba, sexo, club, puntos, NULL AS campionato, " QUILVARDEN_AWARD_CATEGORY " AS categoria"
    " FROM puntos WHERE orde=:orde";
// The orders of a club's awards (as ClubAwardOrders) with each award's category.
inline constexpr char ClubAwardOrdersWithCategory[] =
    "SELECT orde, " QUILVARDEN_AWARD_CATEGORY " AS categoria FROM puntos WHERE club=:club";
#undef QUILVARDEN_AWARD_CATEGORY

inline constexpr char ClubCodesAndNames[] = "SELECT CLUBCODE, SHORTDESC FROM CLUBDESC";
// The order numbers of a club's awards, to count its awards in one event.
inline constexpr char ClubAwardOrders[] = "SELECT orde FROM puntos WHERE club=:club";
// The full names of the clubs: every column, as a register made by another program may have
// no LONGDESC.
inline constexpr char ClubDescriptionsAll[] = "SELECT * FROM CLUBDESC";

inline constexpr char DeleteEvents[] = "DELETE FROM EVENT";
inline constexpr char DeleteClubsTakingPart[] = "DELETE FROM CLUBCHAMP";
inline constexpr char DeleteClubDescriptions[] = "DELETE FROM CLUBDESC";

inline constexpr char InsertEvent[] =
    "INSERT INTO EVENT (EVENTID, XORDER, EVENTCODE, GENDERCODE, DISTANCE, SESSIONNO)"
    " VALUES (:id, :orde, :code, :gender, :distance, :session)";
inline constexpr char InsertClubTakingPart[] =
    "INSERT INTO CLUBCHAMP (CLUBCODE, NATION) VALUES (:code, :nation)";
inline constexpr char InsertClubDescription[] =
    "INSERT INTO CLUBDESC (CLUBCODE, SHORTDESC, LONGDESC, SOURCEID, SOURCECODE)"
    " VALUES (:code, :shortname, :longname, :sourceid, :sourcecode)";

// What an import finds in the register before it replaces the meet tables.
inline constexpr char RegisteredClubsTakingPart[] = "SELECT CLUBCODE, NATION FROM CLUBCHAMP";
inline constexpr char RegisteredClubDescriptions[] =
    "SELECT CLUBCODE, SHORTDESC, LONGDESC, SOURCEID, SOURCECODE FROM CLUBDESC";
inline constexpr char AwardedClubs[] = "SELECT DISTINCT club FROM puntos WHERE club IS NOT NULL";

// A register made before clubs kept where they came from gets the columns on its next import.
inline constexpr char AddClubDescriptionColumn[] = "ALTER TABLE CLUBDESC ADD COLUMN %1 TEXT";

#undef QUILVARDEN_LIST_ORDER
#undef QUILVARDEN_ORDER_DIGITS
#undef QUILVARDEN_ORDER_LENGTH
#undef QUILVARDEN_ORDER_IS_NUMBER

} // namespace quilvarden::data::sql
