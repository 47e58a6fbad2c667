#include "database.h"

#include "data/sqlite.h"
#include "data/statements.h"
#include "data/values.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

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

Outcome run(QSqlQuery& query, const char* text, const QVariantList& values = {})
{
    if (!query.prepare(statement(text)))
        return sqlite::failureFrom(query.lastError(), statement(text));
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        return sqlite::failureFrom(query.lastError(), statement(text));
    return Done{};
}

} // namespace

Database::Database(QString connectionName, QString path)
    : m_connectionName(std::move(connectionName)), m_path(std::move(path))
{
}

Database::~Database()
{
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
    if (!info.isWritable() || !QFileInfo(info.absolutePath()).isWritable())
        return Failure::database(Failure::CannotOpenFile,
                                 QStringLiteral("O ficheiro ou o seu cartafol só se poden ler: non se "
                                                "poderían gardar os resultados."));
    if (Outcome header = sqlite::checkFileHeader(path); !header)
        return header.failure();

    std::unique_ptr<Database> database(new Database(newConnectionName(), info.absoluteFilePath()));
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QString::fromLatin1(sqlite::DriverName), database->m_connectionName);
        sqlite::configure(db, database->m_path, options.busyTimeoutMs);
        if (!db.open())
            return sqlite::failureFrom(db.lastError(), {});
    }
    if (Outcome tables = database->checkTables(); !tables)
        return tables.failure();
    QSqlDatabase db = database->connection();
    if (Outcome durable = sqlite::makeDurable(db); !durable)
        return durable.failure();
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
    QStringList names;
    while (query.next()) {
        const QVariant value = query.value(0);
        names.append(value.isNull() ? QString() : columnText(value));
    }
    if (query.lastError().isValid())
        return sqlite::failureFrom(query.lastError(), statement(sql::ClubList));
    return names;
}

Outcome Database::replaceMeetProgramme(const MeetProgramme& programme)
{
    QSqlDatabase db = connection();
    if (!db.transaction())
        return sqlite::failureFrom(db.lastError(), {});
    auto fail = [&db](const Failure& failure) -> Outcome {
        db.rollback();
        return failure;
    };
    {
        QSqlQuery query(db);
        for (const char* text : {sql::DeleteEvents, sql::DeleteClubsTakingPart, sql::DeleteClubDescriptions})
            if (Outcome done = run(query, text); !done)
                return fail(done.failure());
        for (const MeetEvent& event : programme.events)
            if (Outcome done =
                    run(query, sql::InsertEvent,
                        {event.id, event.order, event.code, event.gender, event.distance, event.session});
                !done)
                return fail(done.failure());
        for (const MeetClub& club : programme.clubs) {
            if (club.takesPart)
                if (Outcome done = run(query, sql::InsertClubTakingPart, {club.code, club.nation}); !done)
                    return fail(done.failure());
            if (Outcome done =
                    run(query, sql::InsertClubDescription, {club.code, club.shortName, club.longName});
                !done)
                return fail(done.failure());
        }
    }
    if (!db.commit())
        return fail(sqlite::failureFrom(db.lastError(), {}));
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
    Outcome outcome = Done{};
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QString::fromLatin1(sqlite::DriverName), name);
        db.setDatabaseName(temporary);
        if (!db.open()) {
            outcome = sqlite::failureFrom(db.lastError(), {});
        } else {
            QSqlQuery query(db);
            db.transaction();
            for (const QString& text : sqlite::schemaStatements()) {
                if (!query.exec(text)) {
                    outcome = sqlite::failureFrom(query.lastError(), text);
                    break;
                }
            }
            if (outcome.ok() && !db.commit())
                outcome = sqlite::failureFrom(db.lastError(), {});
            query.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (outcome.ok() && !QFile::rename(temporary, info.absoluteFilePath()))
        outcome = Failure::database(Failure::CannotOpenFile,
                                    QFileInfo::exists(path)
                                        ? QStringLiteral("O ficheiro xa existe e non se sobrescribe.")
                                        : QStringLiteral("Non se puido gardar o ficheiro."));
    QFile::remove(temporary);
    return outcome;
}

} // namespace quilvarden::data
