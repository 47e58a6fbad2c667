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
Outcome runOn(const Particulars& particulars, const QString& uri, const QString& maintenance,
              const std::function<Outcome(QSqlDatabase&)>& work)
{
    const QString name = newConnectionName();
    Outcome outcome = Done{};
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(particulars.driverName(), name);
        connectTo(db, uri,
                  {QStringLiteral("connect_timeout=10"), QStringLiteral("application_name=quilvarden-db")});
        if (!maintenance.isEmpty())
            db.setDatabaseName(maintenance);
        outcome = db.open() ? work(db) : Outcome(particulars.failureFrom(db.lastError(), {}));
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return outcome;
}

} // namespace

UriParts uriParts(const QString& uri)
{
    UriParts parts;
    const auto decoded = [](const QString& text) { return QUrl::fromPercentEncoding(text.toUtf8()); };
    const qsizetype scheme = uri.indexOf(QStringLiteral("://"));
    QString rest = scheme < 0 ? uri : uri.mid(scheme + 3);
    const qsizetype question = rest.indexOf(u'?');
    const QString parameters = question < 0 ? QString() : rest.mid(question + 1);
    rest = rest.left(question < 0 ? rest.size() : question);
    const qsizetype slash = rest.indexOf(u'/');
    if (slash >= 0)
        parts.database = decoded(rest.mid(slash + 1));
    QString authority = rest.left(slash < 0 ? rest.size() : slash);
    if (const qsizetype at = authority.lastIndexOf(u'@'); at >= 0) {
        const QString userInfo = authority.left(at);
        authority = authority.mid(at + 1);
        const qsizetype colon = userInfo.indexOf(u':');
        parts.user = decoded(userInfo.left(colon < 0 ? userInfo.size() : colon));
        if (colon >= 0)
            parts.password = decoded(userInfo.mid(colon + 1));
    }
    // host, [v6 address] or host:port; a socket folder is percent-encoded.
    qsizetype portAt = -1;
    if (authority.startsWith(u'[')) {
        const qsizetype close = authority.indexOf(u']');
        parts.host = authority.mid(1, close - 1);
        portAt = authority.indexOf(u':', close);
    } else {
        portAt = authority.lastIndexOf(u':');
        parts.host = decoded(authority.left(portAt < 0 ? authority.size() : portAt));
    }
    if (portAt >= 0)
        parts.port = authority.mid(portAt + 1).toInt();
    for (const QString& pair : parameters.split(u'&', Qt::SkipEmptyParts)) {
        const qsizetype equals = pair.indexOf(u'=');
        const QString key = decoded(pair.left(equals < 0 ? pair.size() : equals));
        const QString value = equals < 0 ? QString() : decoded(pair.mid(equals + 1));
        if (key == u"host")
            parts.host = value;
        else if (key == u"port")
            parts.port = value.toInt();
        else if (key == u"user")
            parts.user = value;
        else if (key == u"password")
            parts.password = value;
        else if (key == u"dbname")
            parts.database = value;
        else
            parts.options.append({key, value});
    }
    return parts;
}

void connectTo(QSqlDatabase& db, const QString& uri, const QStringList& extraOptions)
{
    const UriParts parts = uriParts(uri);
    db.setHostName(parts.host);
    db.setPort(parts.port);
    db.setUserName(parts.user);
    db.setPassword(parts.password);
    db.setDatabaseName(parts.database);
    QStringList options = extraOptions;
    for (const auto& [key, value] : parts.options) {
        QString quoted = value;
        quoted.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
        options << QStringLiteral("%1='%2'").arg(key, quoted);
    }
    db.setConnectOptions(options.join(u';'));
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
    const int waitMs = options.busyTimeoutMs < 0 ? 0 : options.busyTimeoutMs;
    QString settings = QStringLiteral("-c lock_timeout=%1").arg(waitMs);
    if (options.readOnly)
        settings += QStringLiteral(" -c default_transaction_read_only=on");
    // A network that goes silent (a cable pulled, the Wi-Fi gone) sends no word that the
    // connection is over, and the kernel would keep resending for a quarter of an hour while
    // the window waits: what the server has not acknowledged within the wait ends the
    // connection, and an idle one is probed, so that the operator hears of it at once.
    connectTo(db, location.text,
              {QStringLiteral("connect_timeout=%1").arg(qMax(2, (waitMs + 999) / 1000)),
               QStringLiteral("tcp_user_timeout=%1").arg(qMax(1000, waitMs)), QStringLiteral("keepalives=1"),
               QStringLiteral("keepalives_idle=10"), QStringLiteral("keepalives_interval=3"),
               QStringLiteral("keepalives_count=3"), QStringLiteral("application_name=quilvarden"),
               QStringLiteral("options='%1'").arg(settings)});
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
    for (const schema::Index& index : schema::indexes(Engine::Postgres))
        if (index.serves && !present.contains(QString::fromLatin1(index.name).toLower()))
            query.exec(schema::createIndex(index)); // only faster with it: used without it otherwise
    // Tables made by hand have no notice of their changes: the other stations would not see
    // them until they act. Added where missing (a user without the right is left without).
    if (query.exec(QStringLiteral("SELECT 1 FROM pg_trigger WHERE tgname = 'quilvarden_puntos_changed'")) &&
        !query.next())
        for (const QString& statement : schema::changeNoticeStatements())
            query.exec(statement);
    return Done{};
}

Outcome Particulars::create(const Location& location) const
{
    if (Outcome driver = checkBeforeOpening(location, {}); !driver)
        return driver;
    const auto makeTables = [this](QSqlDatabase& db) -> Outcome {
        QSqlQuery query(db);
        if (query.exec(QStringLiteral("SELECT 1 FROM puntos WHERE 1=0")))
            return Failure::database(
                Failure::CannotOpenFile,
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
    const QString name = uriParts(location.text).database;
    if (name.isEmpty())
        return made;
    Outcome database = runOn(*this, location.text, QStringLiteral("postgres"), [&](QSqlDatabase& db) {
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

QString Particulars::changeChannel() const
{
    return QString::fromLatin1(schema::ChangeChannel);
}

QString Particulars::changeCounter() const
{
    return {};
}

EngineParticulars::PointsSum Particulars::pointsSum(bool textColumn) const
{
    if (!textColumn)
        return {QStringLiteral("Sum(puntos)"), QStringLiteral("0"), {}}; // a column of numbers
    // A column of text (a register made by hand): the texts a file's engine reads whole as a
    // number are summed as it sums them, and any other is counted, to be named. Blanks around
    // the number are those the server's own reading of a number skips. The pattern is an E''
    // text, whose backslashes mean the same whatever the server's settings.
    const QString number =
        QStringLiteral("E'^[ \\\\t\\\\n\\\\r\\\\f\\\\v]*[+-]?([0-9]+[.]?[0-9]*|[.][0-9]+)([eE][+-]?[0-9]+)?[ "
                       "\\\\t\\\\n\\\\r\\\\f\\\\v]*$'");
    return {
        QStringLiteral("Sum(CASE WHEN puntos ~ %1 THEN CAST(puntos AS DOUBLE PRECISION) END)").arg(number),
        QStringLiteral("count(CASE WHEN puntos !~ %1 THEN 1 END)").arg(number),
        QStringLiteral("puntos !~ %1").arg(number)};
}

bool Particulars::isNumberText(const QVariant&) const
{
    return false; // the awards found are those whose points are no number
}

bool Particulars::ordersAreWholeNumbers() const
{
    return true; // the INTEGER column of the tables this program makes
}

Failure Particulars::failureFrom(const QSqlError& error, const QString& context) const
{
    const QString text = engineText(error);
    const QString detail = context.isEmpty() ? text : context + QStringLiteral("\n") + text;
    const QString state = error.nativeErrorCode();
    // At connection time libpq gives no state: a missing database is told by its words.
    if (state == u"3D000" || (state.isEmpty() && text.contains(QStringLiteral("database \"")) &&
                              text.contains(QStringLiteral("does not exist"))))
        return Failure::database(Failure::FileNotFound, detail);
    if (isConnectionLost(error) || state.startsWith(QStringLiteral("28")))
        return Failure::database(Failure::ConnectionFailed, detail);
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
    // libpq's own words, without a state: "server closed the connection unexpectedly", "no
    // connection to the server", "could not receive data from server: Connection timed out".
    const QString text = engineText(error);
    const auto says = [&text](const char* words) {
        return text.contains(QLatin1String(words), Qt::CaseInsensitive);
    };
    return error.type() == QSqlError::ConnectionError || says("connection") || says("server closed") ||
           says("could not connect") || says("could not send") || says("could not receive") ||
           says("timed out");
}

} // namespace quilvarden::data::postgres
