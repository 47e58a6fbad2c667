#include "postgres.h"

#include "data/database.h"
#include "data/schema.h"

#include <QAtomicInteger>
#include <QByteArray>
#include <QCoreApplication>
#include <QRegularExpression>
#include <QSqlQuery>

#include <functional>
#include <libpq-fe.h>
#include <optional>
#include <utility>

namespace quilvarden::data::postgres {

namespace {

QString engineText(const QSqlError& error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.driverText();
    return text;
}

// libpq's words when the server will not let the user in, which come at connection time
// without a state: a wrong or missing password, an unknown user, a pg_hba.conf that refuses.
bool isLoginRefused(const QString& text)
{
    const auto says = [&text](const char* words) {
        return text.contains(QLatin1String(words), Qt::CaseInsensitive);
    };
    return says("authentication failed") || says("no password supplied") || says("pg_hba.conf") ||
           (says("role \"") && says("\" does not exist"));
}

QString newConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("quilvarden-server-%1").arg(counter.fetchAndAddRelaxed(1));
}

// Runs statements on a connection of their own to the URI (with connect options added).
Outcome runOn(const Particulars& particulars, const ServerUri& uri, const QString& maintenance,
              const std::function<Outcome(QSqlDatabase&)>& work)
{
    const QString name = newConnectionName();
    Outcome outcome = Done{};
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(particulars.driverName(), name);
        connectTo(db, uri,
                  {{QStringLiteral("connect_timeout"), QStringLiteral("10")},
                   {QStringLiteral("application_name"), QStringLiteral("quilvarden-db")}});
        if (!maintenance.isEmpty())
            db.setDatabaseName(maintenance);
        outcome = db.open() ? work(db) : Outcome(particulars.failureFrom(db.lastError(), {}));
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return outcome;
}

using Span = std::pair<qsizetype, qsizetype>; // start, length

QString decoded(const QString& text)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(text.toUtf8()));
}

// Where libpq looks for the parts of a URI: the user and password run from after "://" up to
// an "@" before the first "/"; the parameters from the first "?" after them.
struct UriShape {
    qsizetype start = 0;  // after "://"
    qsizetype at = -1;    // the "@" after the user and password, if any
    qsizetype query = -1; // the "?" before the parameters, if any
};

UriShape shapeOf(const QString& text)
{
    UriShape shape;
    shape.start = text.indexOf(QStringLiteral("://")) + 3;
    const qsizetype slash = text.indexOf(u'/', shape.start);
    const qsizetype at = text.indexOf(u'@', shape.start);
    if (at >= 0 && (slash < 0 || at < slash))
        shape.at = at;
    shape.query = text.indexOf(u'?', shape.at >= 0 ? shape.at + 1 : shape.start);
    return shape;
}

// An "@" that libpq reads as part of the server's or the database's name, or after a user
// holding a "?": a user or password whose "@", "/" or "?" was not percent-encoded, part of
// which libpq would take for something else, and a message would show.
bool hasStrayAt(const QString& text, const UriShape& shape)
{
    const qsizetype end = shape.query < 0 ? text.size() : shape.query;
    for (qsizetype i = shape.start; i < end; ++i)
        if (text[i] == u'@' && i != shape.at)
            return true;
    if (shape.at < 0)
        return false;
    const qsizetype colon = text.indexOf(u':', shape.start);
    const qsizetype userEnd = colon >= 0 && colon < shape.at ? colon : shape.at;
    return QStringView(text).mid(shape.start, userEnd - shape.start).contains(u'?');
}

// The spans of the parameters' values (after "?", between "&"), with the keywords they are
// of; a parameter without "=" whole, without a keyword.
QList<std::pair<QString, Span>> parameterValues(const QString& text, qsizetype query)
{
    QList<std::pair<QString, Span>> values;
    if (query < 0)
        return values;
    qsizetype from = query + 1;
    for (const QString& pair : text.mid(from).split(u'&')) {
        const qsizetype equals = pair.indexOf(u'=');
        if (equals < 0 && !pair.isEmpty())
            values.append({QString(), Span{from, pair.size()}});
        else if (equals >= 0 && equals + 1 < pair.size())
            values.append({decoded(pair.left(equals)), Span{from + equals + 1, pair.size() - equals - 1}});
        from += pair.size() + 1;
    }
    return values;
}

// Where the URI gives a password: after the user's ":" up to the "@", and as the value of a
// secret keyword (password=, pass%77ord=, sslpassword=).
QList<Span> passwordSpans(const QString& text, const UriShape& shape, const QStringList& secretKeywords)
{
    QList<Span> spans;
    if (shape.at >= 0) {
        const qsizetype colon = text.indexOf(u':', shape.start);
        if (colon >= 0 && colon + 1 < shape.at)
            spans.append({colon + 1, shape.at - colon - 1});
    }
    for (const auto& [keyword, span] : parameterValues(text, shape.query))
        if (!keyword.isEmpty() && secretKeywords.contains(keyword))
            spans.append(span);
    return spans;
}

// For a URI that is not read as it should be: everything up to its last "@" (the user and
// the password, whatever else they hold) and every parameter's value (the spans may overlap).
QList<Span> everyPlaceOfASecret(const QString& text)
{
    const qsizetype start = text.indexOf(QStringLiteral("://")) + 3;
    const qsizetype lastAt = text.lastIndexOf(u'@');
    QList<Span> spans;
    if (lastAt > start)
        spans.append({start, lastAt - start});
    for (const auto& [keyword, span] : parameterValues(text, text.indexOf(u'?', start)))
        spans.append(span);
    return spans;
}

// libpq's words on a URI it cannot read, which quote the URI or the part it could not read:
// the URI as shown, and a quoted part from where a password could be as ***.
QString hiddenIn(QString said, const QString& text)
{
    Location shown{Engine::Postgres, text, {}};
    shown.server.secrets = everyPlaceOfASecret(text);
    said.replace(text, shown.shown());
    static const QRegularExpression quoted(QStringLiteral("\"([^\"]+)\""));
    QList<QRegularExpressionMatch> found;
    for (const QRegularExpressionMatch& match : quoted.globalMatch(said))
        found.prepend(match);
    for (const QRegularExpressionMatch& match : std::as_const(found))
        for (const auto& [start, length] : std::as_const(shown.server.secrets))
            if (text.mid(start, length).contains(match.captured(1))) {
                said.replace(match.capturedStart(1), match.capturedLength(1), QStringLiteral("***"));
                break;
            }
    return said;
}

ServerUri refused(const QString& text, const QString& why)
{
    ServerUri uri;
    uri.secrets = everyPlaceOfASecret(text);
    uri.problem = QCoreApplication::translate("Data", "O URI do servidor non é válido: %1").arg(why);
    return uri;
}

} // namespace

ServerUri readUri(const QString& text)
{
    ServerUri uri;
    const QByteArray bytes = text.toUtf8();
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(bytes.constData(), &error);
    if (!options) {
        const QString said = error ? QString::fromUtf8(error).trimmed() : QString();
        PQfreemem(error);
        return refused(
            text, QCoreApplication::translate("Data", "libpq non o pode ler: %1").arg(hiddenIn(said, text)));
    }
    QStringList secretKeywords;
    QStringList secretValues;
    for (const PQconninfoOption* option = options; option->keyword; ++option) {
        const bool secret = option->dispchar && option->dispchar[0] == '*';
        if (secret)
            secretKeywords << QString::fromUtf8(option->keyword);
        if (!option->val)
            continue;
        uri.values.append({QString::fromUtf8(option->keyword), QString::fromUtf8(option->val)});
        if (secret && option->val[0] != '\0')
            secretValues << QString::fromUtf8(option->val);
    }
    PQconninfoFree(options);
    const UriShape shape = shapeOf(text);
    if (hasStrayAt(text, shape))
        return refused(text, QCoreApplication::translate(
                                 "Data", "ten unha «@» que non separa o usuario e o contrasinal do "
                                         "servidor, e parte deles lerase como outra cousa. Se o usuario "
                                         "ou o contrasinal levan «@», «/» ou «?», escríbeos %1, %2 e %3.")
                                 .arg(QStringLiteral("%40"), QStringLiteral("%2F"), QStringLiteral("%3F")));
    uri.secrets = passwordSpans(text, shape, secretKeywords);
    // Every password libpq read is where the spans are; were one elsewhere, every place one
    // could be is hidden instead.
    QStringList spelled;
    for (const auto& [start, length] : uri.secrets)
        spelled << decoded(text.mid(start, length));
    for (const QString& value : std::as_const(secretValues))
        if (!spelled.contains(value))
            uri.secrets = everyPlaceOfASecret(text);
    return uri;
}

void connectTo(QSqlDatabase& db, const ServerUri& uri, const ConnectOptions& extraOptions)
{
    ConnectOptions options = extraOptions;
    const auto add = [&options](const QString& key, const QString& value) {
        for (auto& [given, was] : options)
            if (given == key) {
                was = key == u"options" ? was + u' ' + value : value;
                return;
            }
        options.append({key, value});
    };
    for (const auto& [key, value] : uri.values) {
        bool onePort = false;
        const int port = key == u"port" ? value.toInt(&onePort) : -1;
        if (key == u"host")
            db.setHostName(value);
        else if (key == u"user")
            db.setUserName(value);
        else if (key == u"password")
            db.setPassword(value);
        else if (key == u"dbname")
            db.setDatabaseName(value);
        else if (onePort)
            db.setPort(port);
        else
            add(key, value); // several ports (5432,5433) among them
    }
    QStringList written;
    for (const auto& [key, value] : std::as_const(options)) {
        QString quoted = value;
        quoted.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
        written << QStringLiteral("%1='%2'").arg(key, quoted);
    }
    db.setConnectOptions(written.join(u';'));
}

QString Particulars::driverName() const
{
    return QStringLiteral("QPSQL");
}

Outcome Particulars::checkBeforeOpening(const Location& location, const OpenOptions&) const
{
    if (!location.server.problem.isEmpty())
        return Failure::database(Failure::InvalidArgument, location.server.problem);
    if (!QSqlDatabase::isDriverAvailable(driverName()))
        return Failure::database(
            Failure::CannotOpenFile,
            QCoreApplication::translate("Data", "Falta o controlador de PostgreSQL de Qt (o paquete "
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
    connectTo(db, location.server,
              {{QStringLiteral("connect_timeout"), QString::number(qMax(2, (waitMs + 999) / 1000))},
               {QStringLiteral("tcp_user_timeout"), QString::number(qMax(1000, waitMs))},
               {QStringLiteral("keepalives"), QStringLiteral("1")},
               {QStringLiteral("keepalives_idle"), QStringLiteral("10")},
               {QStringLiteral("keepalives_interval"), QStringLiteral("3")},
               {QStringLiteral("keepalives_count"), QStringLiteral("3")},
               {QStringLiteral("application_name"), QStringLiteral("quilvarden")},
               {QStringLiteral("options"), settings}});
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
            return Failure::database(Failure::CannotOpenFile,
                                     QCoreApplication::translate(
                                         "Data", "A base de datos xa ten un rexistro e non se sobrescribe."));
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
    Outcome made = runOn(*this, location.server, {}, makeTables);
    if (made || made.failure().number != Failure::FileNotFound)
        return made;
    // No database of that name yet: the server makes it (the user may), then the tables.
    const QString name = location.server.value(QStringLiteral("dbname"));
    if (name.isEmpty())
        return made;
    Outcome database = runOn(*this, location.server, QStringLiteral("postgres"), [&](QSqlDatabase& db) {
        QSqlQuery query(db);
        QString quoted = name;
        quoted.replace(u'"', QStringLiteral("\"\""));
        if (!query.exec(QStringLiteral("CREATE DATABASE \"%1\"").arg(quoted)))
            return Outcome(failureFrom(query.lastError(), {}));
        return Outcome(Done{});
    });
    if (!database)
        return database;
    return runOn(*this, location.server, {}, makeTables);
}

Outcome Particulars::beginSnapshot(QSqlDatabase& db) const
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ")))
        return failureFrom(query.lastError(), {});
    return Done{};
}

QStringList Particulars::beginWriting() const
{
    // An advisory lock of the program's own (the number only tells it apart from others').
    return {QStringLiteral("BEGIN"), QStringLiteral("SELECT pg_advisory_xact_lock(5170271761)")};
}

QString Particulars::tableExists() const
{
    return QStringLiteral("SELECT 1 FROM pg_catalog.pg_tables WHERE tablename=:name"
                          " AND schemaname = ANY (current_schemas(false))");
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
    if (state.startsWith(QStringLiteral("28")) || (state.isEmpty() && isLoginRefused(text)))
        return Failure::database(
            Failure::LoginRefused,
            QCoreApplication::translate(
                "Data", "Comproba o usuario e o contrasinal do URI, de ~/.pgpass ou de PGPASSWORD, e que "
                        "o pg_hba.conf do servidor deixe entrar a ese usuario desde este ordenador.\n") +
                detail);
    if (isConnectionLost(error))
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
