#include "postgres.h"

#include "data/database.h"
#include "data/schema.h"

#include <QAtomicInteger>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>

#include <functional>
#include <optional>

namespace quilvarden::data::postgres {

namespace {

QString engineText(const QSqlError& error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.driverText();
    return text;
}

QString newConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("quilvarden-server-%1").arg(counter.fetchAndAddRelaxed(1));
}

// Runs statements on a connection of their own to the URI (with connect options added).
Outcome runOn(const Particulars& particulars, const QString& uri, const QString& options,
              const std::function<Outcome(QSqlDatabase&)>& work)
{
    const QString name = newConnectionName();
    Outcome outcome = Done{};
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(particulars.driverName(), name);
        db.setDatabaseName(uri);
        db.setConnectOptions(QStringLiteral("connect_timeout=10;application_name=quilvarden-db") +
                             (options.isEmpty() ? QString() : u';' + options));
        outcome = db.open() ? work(db) : Outcome(particulars.failureFrom(db.lastError(), {}));
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return outcome;
}

} // namespace

QString databaseName(const QString& uri)
{
    // postgresql://[userinfo@][host][:port][/dbname][?parameters]; a socket folder as host is
    // percent-encoded, so the first "/" after the authority opens the database name.
    const qsizetype start = uri.indexOf(QStringLiteral("://"));
    QString rest = start < 0 ? QString() : uri.mid(start + 3);
    const qsizetype question = rest.indexOf(u'?');
    const QString parameters = question < 0 ? QString() : rest.mid(question + 1);
    rest = rest.left(question < 0 ? rest.size() : question);
    const qsizetype slash = rest.indexOf(u'/');
    QString name = slash < 0 ? QString() : QUrl::fromPercentEncoding(rest.mid(slash + 1).toUtf8());
    const QUrlQuery query(parameters);
    if (query.hasQueryItem(QStringLiteral("dbname")))
        name = query.queryItemValue(QStringLiteral("dbname"), QUrl::FullyDecoded);
    return name;
}

QString Particulars::driverName() const
{
    return QStringLiteral("QPSQL");
}

Outcome Particulars::checkBeforeOpening(const Location&, const OpenOptions&) const
{
    if (!QSqlDatabase::isDriverAvailable(driverName()))
        return Failure::database(Failure::CannotOpenFile,
                                 QStringLiteral("Falta o controlador de PostgreSQL de Qt (o paquete "
                                                "libqt6sql6-psql): non se pode chegar ao servidor."));
    return Done{};
}

void Particulars::configure(QSqlDatabase& db, const Location& location, const OpenOptions& options) const
{
    db.setDatabaseName(location.text);
    const int waitMs = options.busyTimeoutMs < 0 ? 0 : options.busyTimeoutMs;
    QString settings = QStringLiteral("-c lock_timeout=%1").arg(waitMs);
    if (options.readOnly)
        settings += QStringLiteral(" -c default_transaction_read_only=on");
    db.setConnectOptions(QStringLiteral("connect_timeout=%1;application_name=quilvarden;options='%2'")
                             .arg(qMax(2, (waitMs + 999) / 1000))
                             .arg(settings));
}

Outcome Particulars::prepareConnection(QSqlDatabase& db, const OpenOptions& options) const
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SET synchronous_commit TO on")))
        return failureFrom(query.lastError(), QStringLiteral("SET synchronous_commit TO on"));
    if (options.readOnly)
        return Done{};
    if (!query.exec(QStringLiteral("SELECT indexname FROM pg_indexes WHERE schemaname = current_schema()")))
        return failureFrom(query.lastError(), {});
    QStringList present;
    while (query.next())
        present << query.value(0).toString().toLower();
    for (const schema::Index& index : schema::indexes())
        if (index.serves && !present.contains(QString::fromLatin1(index.name).toLower()))
            query.exec(schema::createIndex(index)); // only faster with it: used without it otherwise
    return Done{};
}

Outcome Particulars::create(const Location& location) const
{
    if (Outcome driver = checkBeforeOpening(location, {}); !driver)
        return driver;
    const auto makeTables = [this](QSqlDatabase& db) -> Outcome {
        QSqlQuery query(db);
        if (query.exec(QStringLiteral("SELECT 1 FROM puntos WHERE 1=0")))
            return Failure::database(Failure::CannotOpenFile,
                                     QStringLiteral("A base de datos xa ten un rexistro e non se sobrescribe."));
        if (!db.transaction())
            return failureFrom(db.lastError(), {});
        for (const QString& text : schema::createStatements(Engine::Postgres)) {
            if (!query.exec(text)) {
                const Failure failure = failureFrom(query.lastError(), text);
                db.rollback();
                return failure;
            }
        }
        if (!db.commit())
            return failureFrom(db.lastError(), {});
        return Done{};
    };
    Outcome made = runOn(*this, location.text, {}, makeTables);
    if (made || made.failure().number != Failure::FileNotFound)
        return made;
    // No database of that name yet: the server makes it (the user may), then the tables.
    const QString name = databaseName(location.text);
    if (name.isEmpty())
        return made;
    Outcome database = runOn(*this, location.text, QStringLiteral("dbname=postgres"), [&](QSqlDatabase& db) {
        QSqlQuery query(db);
        QString quoted = name;
        quoted.replace(u'"', QStringLiteral("\"\""));
        if (!query.exec(QStringLiteral("CREATE DATABASE \"%1\"").arg(quoted)))
            return Outcome(failureFrom(query.lastError(), {}));
        return Outcome(Done{});
    });
    if (!database)
        return database;
    return runOn(*this, location.text, {}, makeTables);
}

Outcome Particulars::beginSnapshot(QSqlDatabase& db) const
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ")))
        return failureFrom(query.lastError(), {});
    return Done{};
}

QString Particulars::changeNotice() const
{
    return QStringLiteral("NOTIFY quilvarden_puntos");
}

QString Particulars::changeChannel() const
{
    return QStringLiteral("quilvarden_puntos");
}

QString Particulars::changeCounter() const
{
    return {};
}

QString Particulars::pointsKeptAsText() const
{
    return {}; // the points column holds numbers only
}

bool Particulars::isNumberText(const QVariant&) const
{
    return false;
}

Failure Particulars::failureFrom(const QSqlError& error, const QString& context) const
{
    const QString text = engineText(error);
    const QString detail = context.isEmpty() ? text : context + QStringLiteral("\n") + text;
    const QString state = error.nativeErrorCode();
    if (isConnectionLost(error) || state.startsWith(QStringLiteral("28")))
        return Failure::database(Failure::ConnectionFailed, detail);
    if (state == u"3D000")
        return Failure::database(Failure::FileNotFound, detail); // no database of that name
    if (state == u"42P01")
        return Failure::database(Failure::TableNotFound, detail);
    if (state == u"42703")
        return Failure::database(Failure::ColumnNotFound, detail);
    if (state == u"22003")
        return Failure::overflow(detail);
    if (state == u"25006")
        return Failure::database(Failure::ReadOnlyDatabase, detail);
    if (state == u"55P03" || state == u"40001" || state == u"40P01")
        return Failure::database(Failure::LockedByOtherProgram, detail);
    if (state == u"53100")
        return Failure::database(Failure::DiskFull, detail);
    return Failure::database(Failure::DatabaseError, detail);
}

bool Particulars::isMissingTable(const QSqlError& error) const
{
    return error.nativeErrorCode() == u"42P01";
}

bool Particulars::isConnectionLost(const QSqlError& error) const
{
    const QString state = error.nativeErrorCode();
    if (state.startsWith(QStringLiteral("08")) || state.startsWith(QStringLiteral("57P")))
        return true; // connection exceptions; the server shutting down
    if (!state.isEmpty())
        return false;
    const QString text = engineText(error);
    return error.type() == QSqlError::ConnectionError || text.contains(QStringLiteral("connection")) ||
           text.contains(QStringLiteral("server closed")) || text.contains(QStringLiteral("could not connect"));
}

} // namespace quilvarden::data::postgres
