#include "database.h"

#include "data/sqlite.h"
#include "data/statements.h"
#include "text/masks.h"
#include "text/names.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <cmath>

namespace quilvarden::data {

namespace {

struct RequiredTable {
    const char* name;
    QList<const char*> columns;
};

// The tables and columns the program reads and writes; any file that has them will do.
const QList<RequiredTable>& requiredTables()
{
    static const QList<RequiredTable> tables = {
        {"puntos", {"id", "orde", "proba", "sexo", "club", "puntos"}},
        {"EVENT", {"XORDER", "EVENTCODE", "GENDERCODE"}},
        {"CLUBCHAMP", {"CLUBCODE"}},
        {"CLUBDESC", {"CLUBCODE", "SHORTDESC"}},
    };
    return tables;
}

QString newConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("quilvarden-%1").arg(counter.fetchAndAddRelaxed(1));
}

QString statement(const char* text)
{
    return QString::fromLatin1(text);
}

// Runs a prepared statement with its values; the query is left on its result.
Outcome execute(QSqlQuery& query, const char* text, const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    if (!query.exec()) {
        const Failure failure = sqlite::failureFrom(query.lastError(), statement(text));
        query.finish();
        return failure;
    }
    return Done{};
}

// Prepares and runs a statement on the spot, for statements run once.
Outcome run(QSqlQuery& query, const char* text, const QVariantList& values = {})
{
    if (!query.prepare(statement(text)))
        return sqlite::failureFrom(query.lastError(), statement(text));
    return execute(query, text, values);
}

// An order number as the register compares it: a whole number as an integer, so that it
// matches a column that keeps it as text too.
QVariant orderValue(double number)
{
    constexpr double limit = 9007199254740992.0; // 2^53: every whole double below is exact
    if (std::trunc(number) == number && std::fabs(number) < limit)
        return QVariant::fromValue(static_cast<qint64>(number));
    return number;
}

} // namespace

Database::Database(QString connectionName, QString path)
    : m_connectionName(std::move(connectionName)), m_path(std::move(path))
{
}

Database::~Database()
{
    m_prepared.clear();
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase Database::connection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

Result<std::unique_ptr<Database>> Database::open(const QString& path, const OpenOptions& options)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Failure::database(Failure::FileNotFound, QStringLiteral("O ficheiro non existe."));
    if (info.isDir())
        return Failure::database(Failure::CannotOpenFile, QStringLiteral("É un cartafol, non un ficheiro."));
    // A device, a pipe or a socket would be waited on for ever.
    if (!info.isFile())
        return Failure::database(Failure::CannotOpenFile,
                                 QStringLiteral("Non é un ficheiro normal (é un dispositivo, unha tubería ou "
                                                "un socket): non pode ser unha base de datos."));
    if (!options.readOnly && (!info.isWritable() || !QFileInfo(info.absolutePath()).isWritable()))
        return Failure::database(Failure::ReadOnlyDatabase,
                                 QStringLiteral("O ficheiro ou o seu cartafol só se poden ler: non se "
                                                "poderían gardar os resultados."));
    if (Outcome header = sqlite::checkFileHeader(path); !header)
        return header.failure();

    std::unique_ptr<Database> database(new Database(newConnectionName(), info.absoluteFilePath()));
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QString::fromLatin1(sqlite::DriverName), database->m_connectionName);
        sqlite::configure(db, database->m_path, options.busyTimeoutMs, options.readOnly);
        if (!db.open())
            return sqlite::failureFrom(db.lastError(), {});
    }
    if (Outcome tables = database->checkTables(); !tables)
        return tables.failure();
    if (options.readOnly)
        return database; // read as it is: nothing is written to the file
    QSqlDatabase db = database->connection();
    if (Outcome durable = sqlite::makeDurable(db); !durable)
        return durable.failure();
    // The indexes only make the list and the standings faster: a file that cannot take them
    // now (another program writing, a full disk) is used without them, and gets them on a
    // later start.
    [[maybe_unused]] const Outcome indexed = sqlite::addIndexes(db, options.busyTimeoutMs);
    return database;
}

Outcome Database::checkTables()
{
    QSqlDatabase db = connection();
    for (const RequiredTable& table : requiredTables()) {
        const QString tableName = QString::fromLatin1(table.name);
        QSqlQuery query(db);
        if (!query.exec(QString::fromLatin1(sql::ProbeTable).arg(tableName))) {
            if (!sqlite::isMissingTable(query.lastError()))
                return sqlite::failureFrom(query.lastError(), {});
            return Failure::database(Failure::TableNotFound,
                                     QStringLiteral("Falta a táboa %1.").arg(tableName));
        }
        const QSqlRecord record = query.record();
        for (const char* column : table.columns) {
            const QString columnName = QString::fromLatin1(column);
            bool found = false;
            for (int i = 0; i < record.count() && !found; ++i)
                found = record.fieldName(i).compare(columnName, Qt::CaseInsensitive) == 0;
            if (!found)
                return Failure::database(
                    Failure::ColumnNotFound,
                    QStringLiteral("Falta a columna %1 na táboa %2.").arg(columnName, tableName));
        }
    }
    return Done{};
}

Result<QStringList> Database::clubNames()
{
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (Outcome done = run(query, sql::ClubList); !done)
        return done.failure();
    QList<QVariant> values;
    while (query.next())
        values.append(query.value(0));
    if (query.lastError().isValid())
        return sqlite::failureFrom(query.lastError(), statement(sql::ClubList));
    // The engine sorts texts by their bytes (arousa and Ézaro after Vigo); the operator reads
    // them in alphabetical order. As the engine does, Nulls come first, then numbers by value.
    const auto kind = [](const QVariant& v) {
        return v.isNull() ? 0
                          : (v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray ? 2 : 1);
    };
    std::stable_sort(values.begin(), values.end(), [&kind](const QVariant& a, const QVariant& b) {
        if (kind(a) != kind(b))
            return kind(a) < kind(b);
        if (kind(a) == 1)
            return a.toDouble() < b.toDouble();
        return kind(a) == 2 && text::compareNames(a.toString(), b.toString()) < 0;
    });
    QStringList names;
    for (const QVariant& value : values)
        names.append(text::valueText(value));
    return names;
}

Result<QSqlQuery*> Database::prepared(const char* text)
{
    auto found = m_prepared.find(text);
    if (found != m_prepared.end())
        return found->second.get();
    auto query = std::make_unique<QSqlQuery>(connection());
    if (!query->prepare(statement(text)))
        return sqlite::failureFrom(query->lastError(), statement(text));
    QSqlQuery* kept = query.get();
    m_prepared.emplace(text, std::move(query));
    return kept;
}

Result<std::optional<EventRow>> Database::findEvent(double orderNumber)
{
    Result<QSqlQuery*> query = prepared(sql::FindEvent);
    if (!query)
        return query.failure();
    QSqlQuery& q = **query;
    if (Outcome done = execute(q, sql::FindEvent, {orderValue(orderNumber)}); !done)
        return done.failure();
    std::optional<EventRow> found;
    if (q.next()) {
        const QSqlRecord record = q.record();
        found =
            EventRow{record.value(QStringLiteral("EVENTCODE")), record.value(QStringLiteral("GENDERCODE"))};
    }
    const QSqlError error = q.lastError();
    q.finish();
    if (error.isValid())
        return sqlite::failureFrom(error, statement(sql::FindEvent));
    return found;
}

Outcome Database::recordAward(const Award& award)
{
    // An empty field is stored as an empty text, never as Null, so that the standings
    // group it with the other empty ones.
    const auto text = [](const QString& value) { return value.isNull() ? QStringLiteral("") : value; };
    Result<QSqlQuery*> query = prepared(sql::InsertAward);
    if (!query)
        return query.failure();
    Outcome done = execute(
        **query, sql::InsertAward,
        {text(award.order), text(award.eventCode), text(award.gender), text(award.club), award.points});
    (*query)->finish();
    return done;
}

Result<std::optional<qint64>> Database::latestAwardId()
{
    Result<QSqlQuery*> query = prepared(sql::LatestAward);
    if (!query)
        return query.failure();
    QSqlQuery& q = **query;
    if (Outcome done = execute(q, sql::LatestAward, {}); !done)
        return done.failure();
    std::optional<qint64> latest;
    if (q.next() && !q.value(0).isNull())
        latest = q.value(0).toLongLong();
    const QSqlError error = q.lastError();
    q.finish();
    if (error.isValid())
        return sqlite::failureFrom(error, statement(sql::LatestAward));
    return latest;
}

Result<QVariant> Database::lastEventScored()
{
    QSqlQuery q(connection());
    q.setForwardOnly(true);
    if (Outcome done = run(q, sql::LastEventScored); !done)
        return done.failure();
    const QVariant order = q.next() ? q.value(0) : QVariant();
    if (q.lastError().isValid())
        return sqlite::failureFrom(q.lastError(), statement(sql::LastEventScored));
    return order;
}

Outcome Database::deleteAward(qint64 id)
{
    Result<QSqlQuery*> query = prepared(sql::DeleteAward);
    if (!query)
        return query.failure();
    Outcome done = execute(**query, sql::DeleteAward, {id});
    (*query)->finish();
    return done;
}

Result<QList<AwardRow>> Database::awardsPage(qint64 upToId, qint64 offset, qint64 limit)
{
    Result<QSqlQuery*> query = prepared(sql::ListAwardsPage);
    if (!query)
        return query.failure();
    QSqlQuery& q = **query;
    if (Outcome done = execute(q, sql::ListAwardsPage, {upToId, limit, offset}); !done)
        return done.failure();
    const QSqlRecord record = q.record();
    const int order = record.indexOf(QStringLiteral("orde"));
    const int eventCode = record.indexOf(QStringLiteral("proba"));
    const int gender = record.indexOf(QStringLiteral("sexo"));
    const int club = record.indexOf(QStringLiteral("club"));
    const int points = record.indexOf(QStringLiteral("puntos"));
    QList<AwardRow> rows;
    rows.reserve(limit);
    while (q.next())
        rows.append({q.value(order), q.value(eventCode), q.value(gender), q.value(club), q.value(points)});
    const QSqlError error = q.lastError();
    q.finish();
    if (error.isValid())
        return sqlite::failureFrom(error, statement(sql::ListAwardsPage));
    return rows;
}

Result<QList<ClubTotal>> Database::clubTotals()
{
    QSqlQuery q(connection());
    q.setForwardOnly(true);
    // Points another program stored as text would be summed as 0 or by their leading digits.
    if (Outcome done = run(q, sqlite::PointsKeptAsText); !done)
        return done.failure();
    QHash<QString, bool> checked;
    while (q.next()) {
        const QVariant points = q.value(3);
        const QString key = QString::number(points.typeId()) + u':' + points.toString();
        auto verdict = checked.constFind(key);
        if (verdict == checked.constEnd())
            verdict = checked.insert(key, sqlite::isNumberText(points));
        if (!*verdict)
            return Failure{
                Failure::TypeMismatch, describeError(Failure::TypeMismatch),
                QStringLiteral("Os puntos «%1» do resultado %2 (proba %3, club %4) non son un número: "
                               "corríxeos na base de datos.")
                    .arg(points.toString(), q.value(0).toString(), text::valueText(q.value(1)),
                         text::valueText(q.value(2)))};
    }
    if (q.lastError().isValid())
        return sqlite::failureFrom(q.lastError(), statement(sqlite::PointsKeptAsText));
    if (Outcome done = run(q, sql::StandingTotals); !done)
        return done.failure();
    const QSqlRecord record = q.record();
    const int club = record.indexOf(QStringLiteral("club"));
    const int gender = record.indexOf(QStringLiteral("sexo"));
    const int total = record.indexOf(QStringLiteral("SumaDepuntos"));
    QList<ClubTotal> rows;
    while (q.next())
        rows.append({q.value(club), q.value(gender), q.value(total)});
    if (q.lastError().isValid())
        return sqlite::failureFrom(q.lastError(), statement(sql::StandingTotals));
    return rows;
}

Outcome Database::replaceMeetProgramme(const MeetProgramme& programme)
{
    return replaceMeetProgramme(
        [&programme](const RegisteredMeet&) -> Result<MeetProgramme> { return programme; });
}

Outcome Database::beginReading()
{
    QSqlDatabase db = connection();
    if (!db.transaction())
        return sqlite::failureFrom(db.lastError(), {});
    return Done{};
}

void Database::endReading()
{
    // Nothing was written: ending the transaction only lets writers in again.
    QSqlDatabase db = connection();
    if (!db.commit())
        db.rollback();
}

Outcome Database::addMissingClubColumns()
{
    QSqlQuery query(connection());
    if (!query.exec(QString::fromLatin1(sql::ProbeTable).arg(QStringLiteral("CLUBDESC"))))
        return sqlite::failureFrom(query.lastError(), {});
    const QSqlRecord record = query.record();
    query.finish();
    for (const QString& column : {QStringLiteral("SOURCEID"), QStringLiteral("SOURCECODE")}) {
        bool found = false;
        for (int i = 0; i < record.count() && !found; ++i)
            found = record.fieldName(i).compare(column, Qt::CaseInsensitive) == 0;
        const QString text = QString::fromLatin1(sql::AddClubDescriptionColumn).arg(column);
        if (!found && !query.exec(text))
            return sqlite::failureFrom(query.lastError(), text);
    }
    return Done{};
}

Result<RegisteredMeet> Database::registeredMeet()
{
    // One club for each description, as the club list shows them (a register filled by
    // another program may describe one code twice), and one for each club taking part
    // without a description.
    QHash<QString, QVariant> takingPart;
    QStringList takingPartOrder;
    QSet<QString> described;
    RegisteredMeet meet;
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (Outcome done = run(query, sql::RegisteredClubsTakingPart); !done)
        return done.failure();
    while (query.next()) {
        const QString code = query.value(0).toString();
        if (!takingPart.contains(code))
            takingPartOrder << code;
        takingPart.insert(code, query.value(1));
    }
    if (Outcome done = run(query, sql::RegisteredClubDescriptions); !done)
        return done.failure();
    while (query.next()) {
        const QString code = query.value(0).toString();
        described.insert(code);
        meet.clubs.append({query.value(0), takingPart.value(code), query.value(1), query.value(2),
                           takingPart.contains(code), true, query.value(3), query.value(4)});
    }
    for (const QString& code : takingPartOrder)
        if (!described.contains(code))
            meet.clubs.append({code, takingPart.value(code), {}, {}, true, false});
    if (Outcome done = run(query, sql::AwardedClubs); !done)
        return done.failure();
    while (query.next())
        meet.awardedClubs << query.value(0).toString();
    if (query.lastError().isValid())
        return sqlite::failureFrom(query.lastError(), {});
    return meet;
}

Outcome Database::replaceMeetProgramme(const ProgrammeBuilder& build)
{
    QSqlDatabase db = connection();
    if (!db.transaction())
        return sqlite::failureFrom(db.lastError(), {});
    const Outcome done = [&]() -> Outcome {
        if (Outcome columns = addMissingClubColumns(); !columns)
            return columns;
        const Result<RegisteredMeet> registered = registeredMeet();
        if (!registered)
            return registered.failure();
        const Result<MeetProgramme> built = build(*registered);
        if (!built)
            return built.failure();
        const MeetProgramme& programme = *built;
        QSqlQuery query(db);
        for (const char* text : {sql::DeleteEvents, sql::DeleteClubsTakingPart, sql::DeleteClubDescriptions})
            if (Outcome deleted = run(query, text); !deleted)
                return deleted;
        QSqlQuery event(db);
        if (!event.prepare(statement(sql::InsertEvent)))
            return sqlite::failureFrom(event.lastError(), statement(sql::InsertEvent));
        for (const MeetEvent& e : programme.events)
            if (Outcome inserted = execute(event, sql::InsertEvent,
                                           {e.id, e.order, e.code, e.gender, e.distance, e.session});
                !inserted)
                return inserted;
        QSqlQuery takingPart(db);
        QSqlQuery description(db);
        if (!takingPart.prepare(statement(sql::InsertClubTakingPart)) ||
            !description.prepare(statement(sql::InsertClubDescription)))
            return sqlite::failureFrom(
                takingPart.lastError().isValid() ? takingPart.lastError() : description.lastError(), {});
        for (const MeetClub& club : programme.clubs) {
            if (club.takesPart)
                if (Outcome inserted =
                        execute(takingPart, sql::InsertClubTakingPart, {club.code, club.nation});
                    !inserted)
                    return inserted;
            if (club.described)
                if (Outcome inserted =
                        execute(description, sql::InsertClubDescription,
                                {club.code, club.shortName, club.longName, club.sourceId, club.sourceCode});
                    !inserted)
                    return inserted;
        }
        return Done{};
    }();
    if (!done) {
        db.rollback();
        return done;
    }
    if (!db.commit()) {
        const Failure failure = sqlite::failureFrom(db.lastError(), {});
        db.rollback();
        return failure;
    }
    return Done{};
}

Outcome Database::create(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists())
        return Failure::database(Failure::CannotOpenFile,
                                 QStringLiteral("O ficheiro xa existe e non se sobrescribe."));
    if (!QFileInfo(info.absolutePath()).isDir())
        return Failure::database(
            Failure::CannotOpenFile,
            QStringLiteral("Non existe o cartafol %1.").arg(QDir::toNativeSeparators(info.absolutePath())));

    // Build the file under a temporary name beside the target, then move it into place
    // without overwriting: a failure leaves nothing behind and a file that appeared in the
    // meantime is never replaced.
    const QString temporary = info.absoluteFilePath() + QStringLiteral(".%1.tmp").arg(newConnectionName());
    const QString name = newConnectionName();
    // The first failure, if any (kept aside rather than assigned over a result).
    std::optional<Failure> failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QString::fromLatin1(sqlite::DriverName), name);
        db.setDatabaseName(temporary);
        if (!db.open()) {
            failure = sqlite::failureFrom(db.lastError(), {});
        } else {
            QSqlQuery query(db);
            db.transaction();
            for (const QString& text : sqlite::schemaStatements()) {
                if (!query.exec(text)) {
                    failure = sqlite::failureFrom(query.lastError(), text);
                    break;
                }
            }
            if (!failure && !db.commit())
                failure = sqlite::failureFrom(db.lastError(), {});
            query.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!failure && !QFile::rename(temporary, info.absoluteFilePath()))
        failure = Failure::database(Failure::CannotOpenFile,
                                    QFileInfo::exists(path)
                                        ? QStringLiteral("O ficheiro xa existe e non se sobrescribe.")
                                        : QStringLiteral("Non se puido gardar o ficheiro."));
    QFile::remove(temporary);
    if (failure)
        return *failure;
    return Done{};
}

} // namespace quilvarden::data
