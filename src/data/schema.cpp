#include "schema.h"

#include "data/sqlite.h"
#include "data/statements.h"

namespace quilvarden::data::schema {

namespace {

QString typeOf(Type type, Engine engine)
{
    switch (type) {
    case Type::Key:
        // Ids are never given twice, not even after the latest award is undone.
        return engine == Engine::Sqlite ? QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT")
                                        : QStringLiteral("BIGSERIAL PRIMARY KEY");
    case Type::Text:
        return QStringLiteral("TEXT");
    case Type::Integer:
        return QStringLiteral("INTEGER");
    case Type::Id:
        return engine == Engine::Sqlite ? QStringLiteral("INTEGER") : QStringLiteral("BIGINT");
    case Type::UniqueId:
        return engine == Engine::Sqlite ? QStringLiteral("INTEGER PRIMARY KEY")
                                        : QStringLiteral("BIGINT PRIMARY KEY");
    case Type::Real:
        break;
    }
    return engine == Engine::Sqlite ? QStringLiteral("REAL") : QStringLiteral("DOUBLE PRECISION");
}

QString createTable(const Table& table, Engine engine, bool onlyUsed, bool ifMissing = false)
{
    QStringList columns;
    for (const Column& column : table.columns)
        if (column.used || !onlyUsed)
            columns << QStringLiteral("%1 %2").arg(QString::fromLatin1(column.name),
                                                   typeOf(column.type, engine));
    return QStringLiteral("CREATE TABLE %1%2 (%3)")
        .arg(ifMissing ? QStringLiteral("IF NOT EXISTS ") : QString(), QString::fromLatin1(table.name),
             columns.join(QStringLiteral(", ")));
}

} // namespace

const QList<Table>& tables()
{
    static const QList<Table> all = {
        {"puntos",
         {{"id", Type::Key, true},
          {"orde", Type::Text, true},
          {"proba", Type::Text, true},
          {"sexo", Type::Text, true},
          {"club", Type::Text, true},
          {"puntos", Type::Real, true}}},
        {"EVENT",
         {{"EVENTID", Type::Integer, false},
          {"XORDER", Type::Integer, true},
          {"EVENTCODE", Type::Text, true},
          {"GENDERCODE", Type::Text, true},
          {"DISTANCE", Type::Integer, false},
          {"SESSIONNO", Type::Integer, false}}},
        {"CLUBCHAMP", {{"CLUBCODE", Type::Text, true}, {"NATION", Type::Text, false}}},
        {"CLUBDESC",
         {{"CLUBCODE", Type::Text, true},
          {"SHORTDESC", Type::Text, true},
          {"LONGDESC", Type::Text, false},
          // Where an import found the club: its id and code in the file.
          {"SOURCEID", Type::Text, false},
          {"SOURCECODE", Type::Text, false}}},
    };
    return all;
}

const QList<Table>& ownTables()
{
    static const QList<Table> all = {
        // One row: the meet's name, the first and last dates of its sessions and its place, as
        // the programme's file gave them (ISO dates; empty where unknown). Registers made
        // before the place was kept get its column at their next import.
        {ProgrammeTable,
         {{"nome", Type::Text, true},
          {"desde", Type::Text, true},
          {"ata", Type::Text, true},
          {"lugar", Type::Text, true}}},
        // One row an award stored from a results file: the award's id and what it was when
        // stored (an award taken back and another given its id is not mistaken for it), and
        // the meet of the file, so that a later export of the same meet may bring it up to date.
        {ScoredAwardsTable,
         {{"id", Type::Id, true},
          {"orde", Type::Text, true},
          {"club", Type::Text, true},
          {"campionato", Type::Text, true}}},
        // One row: the competition's rules as JSON (points tables, caps, ties, guests), so
        // that they travel with the register. Without it the league's scale holds.
        {RulesTable, {{"regras", Type::Text, true}}},
        // One row a category: its place in the programme's order (1 the first), name, ages
        // (Null: no limit that way), gender and class of para swimmers.
        {CategoriesTable,
         {{"id", Type::Id, true},
          {"nome", Type::Text, true},
          {"idade_min", Type::Integer, true},
          {"idade_max", Type::Integer, true},
          {"sexo", Type::Text, true},
          {"clase", Type::Text, true}},
         true},
        // One row an event that ranks a category: the category's id and the event's order number.
        {CategoryEventsTable, {{"categoria", Type::Id, true}, {"orde", Type::Integer, true}}, true},
        // One row an award of a category: the award's id and what it was when stored (as for
        // the awards stored from a results file), and the category's name.
        {AwardCategoriesTable,
         {{"id", Type::UniqueId, true},
          {"orde", Type::Text, true},
          {"club", Type::Text, true},
          {"categoria", Type::Text, true}},
         true},
    };
    return all;
}

QString createOwnTable(const Table& table, Engine engine)
{
    return createTable(table, engine, false, true);
}

QList<Index> indexes(Engine engine)
{
    static const QList<Index> all = {
        {"EVENT_XORDER", "EVENT", "XORDER", false},
        // The results list reads the register by the number of its order numbers and by
        // points, a page at a time from its top (statements.h says how).
        {"quilvarden_puntos_orde", "puntos", sql::ListOrderColumns, true},
        // An event scored from a results file looks its awards up by the texts of its order
        // number.
        {"quilvarden_puntos_lista", "puntos", "orde, puntos DESC", true},
        // The standings sum the points of each club and gender from the index alone.
        {"quilvarden_puntos_totais", "puntos", "club, sexo, puntos", true},
        // Only the awards whose points a file keeps as text and may not read as a number, as
        // another program may leave them: the standings ask whether there are any on every
        // pass, and find none at once, without reading the register a second time.
        {"quilvarden_puntos_texto", "puntos", "id, puntos", true, sqlite::DoubtfulPoints, true},
    };
    QList<Index> chosen;
    for (const Index& index : all)
        if (!index.onFileOnly || engine == Engine::Sqlite)
            chosen.append(index);
    return chosen;
}

QString createIndex(const Index& index)
{
    QString statement = QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                            .arg(QString::fromLatin1(index.name), QString::fromLatin1(index.table),
                                 QString::fromLatin1(index.columns));
    if (index.where)
        statement += QStringLiteral(" WHERE ") + QString::fromLatin1(index.where);
    return statement;
}

QStringList changeNoticeStatements()
{
    return {
        QStringLiteral(
            "CREATE OR REPLACE FUNCTION quilvarden_puntos_changed() RETURNS trigger LANGUAGE plpgsql AS"
            " $$ BEGIN PERFORM pg_notify('%1', ''); RETURN NULL; END $$")
            .arg(QString::fromLatin1(ChangeChannel)),
        QStringLiteral("CREATE TRIGGER quilvarden_puntos_changed AFTER INSERT OR UPDATE OR DELETE ON puntos"
                       " FOR EACH STATEMENT EXECUTE FUNCTION quilvarden_puntos_changed()"),
    };
}

QStringList createStatements(Engine engine)
{
    QStringList statements;
    for (const Table& table : tables())
        statements << createTable(table, engine, false);
    for (const Table& table : ownTables())
        if (!table.whenNeeded)
            statements << createTable(table, engine, false);
    for (const Index& index : indexes(engine))
        statements << createIndex(index);
    if (engine == Engine::Postgres)
        statements << changeNoticeStatements();
    return statements;
}

QStringList minimalStatements(Engine engine)
{
    QStringList statements;
    for (const Table& table : tables())
        statements << createTable(table, engine, true);
    return statements;
}

} // namespace quilvarden::data::schema
