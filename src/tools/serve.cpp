#include "serve.h"

#include "data/location.h"
#include "league/leaguefile.h"
#include "live/server.h"
#include "tools/commands.h"

#include <QCoreApplication>
#include <QHostInfo>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QTime>

#include <csignal>
#include <optional>
#include <unistd.h>

namespace quilvarden::tools {

namespace {

QString listenExample()
{
    return QCoreApplication::translate("Tool", "por exemplo 0.0.0.0:8080 ou localhost:8080");
}

// The address of a host named or written as an address: for a name, its first IPv4 address
// (else its first); for [::], every address of both kinds.
std::optional<QHostAddress> hostAddress(const QString& host)
{
    const QHostAddress written(host);
    if (written == QHostAddress(QHostAddress::AnyIPv6))
        return QHostAddress(QHostAddress::Any);
    if (!written.isNull())
        return written;
    const QList<QHostAddress> found = QHostInfo::fromName(host).addresses();
    for (const QHostAddress& address : found)
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return address;
    if (found.isEmpty())
        return std::nullopt;
    return found.constFirst();
}

// ADDRESS:PORT as --listen takes it.
QString listenText(const QHostAddress& address, quint16 port)
{
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                             ? QStringLiteral("[%1]").arg(address.toString())
                             : address.toString();
    return QStringLiteral("%1:%2").arg(host, QString::number(port));
}

// Where the server could not listen: said plainly, without the register's name, and with
// another port to try when another program has this one.
int cannotServe(QTextStream& err, const Failure& failure, const live::ServeOptions& options)
{
    err << QStringLiteral("quilvarden-db: %1").arg(failure.message()) << Qt::endl;
    if (failure.number == Failure::PortInUse) {
        const quint16 other = options.port < 65535 ? options.port + 1 : options.port - 1;
        err << QCoreApplication::translate("Tool", "Escolla outro porto, por exemplo: --listen %1")
                   .arg(listenText(options.address, other))
            << Qt::endl;
    }
    return ExitFailed;
}

// Told to the operator only: the pages say just since when the figures are not up to date.
void logRegisterTrouble(const live::LiveServer& server, QTextStream& err)
{
    const auto now = [] { return QTime::currentTime().toString(QStringLiteral("HH:mm:ss")); };
    QObject::connect(&server, &live::LiveServer::unreadable, &server, [&err, now](const QString& why) {
        err << QCoreApplication::translate(
                   "Tool", "%1 Non se pode ler o rexistro; as páxinas mostran as últimas clasificacións "
                           "lidas.\n%2")
                   .arg(now(), why)
            << Qt::endl;
    });
    QObject::connect(&server, &live::LiveServer::readableAgain, &server, [&err, now] {
        err << QCoreApplication::translate("Tool", "%1 O rexistro xa se pode ler de novo.").arg(now())
            << Qt::endl;
    });
}

int stopPipe[2] = {-1, -1};

void stopServing(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(stopPipe[1], &byte, 1);
}

// The league whose matchday being swum is the register served, read from its file.
Result<std::optional<live::LiveLeague>> leagueServed(const QString& leaguePath, const QString& path)
{
    if (leaguePath.isEmpty())
        return std::optional<live::LiveLeague>();
    Result<league::LeagueFile> file = league::readLeagueFile(leaguePath);
    if (!file)
        return file.failure();
    const Result<qsizetype> current = live::matchdayOf(*file, path);
    if (!current)
        return current.failure();
    return std::optional(live::LiveLeague{std::move(file).value(), *current});
}

// Serves until Ctrl+C or a stop from the system, which end it cleanly.
int serveUntilStopped(const QString& path, const QString& leaguePath, const live::ServeOptions& options,
                      QTextStream& out, QTextStream& err)
{
    Result<std::optional<live::LiveLeague>> league = leagueServed(leaguePath, path);
    if (!league)
        return fail(err, leaguePath, league.failure());
    Result<std::unique_ptr<live::LiveServer>> server =
        live::LiveServer::start(path, options, std::move(league).value());
    if (!server &&
        (server.failure().number == Failure::PortInUse || server.failure().number == Failure::CannotListen))
        return cannotServe(err, server.failure(), options);
    if (!server)
        return fail(err, path, server.failure());
    logRegisterTrouble(**server, err);
    // Ready to stop before saying so: a stop right after the words ends it cleanly too.
    if (::pipe(stopPipe) != 0)
        return fail(err, path, Failure::database(Failure::CannotOpenFile, QStringLiteral("pipe")));
    QSocketNotifier stopping(stopPipe[0], QSocketNotifier::Read);
    QObject::connect(&stopping, &QSocketNotifier::activated, QCoreApplication::instance(),
                     &QCoreApplication::quit);
    std::signal(SIGINT, stopServing);
    std::signal(SIGTERM, stopServing);
    std::signal(SIGPIPE, SIG_IGN);
    out << QCoreApplication::translate("Tool", "Clasificacións de %1 en directo:")
               .arg(data::locate(path).shown())
        << Qt::endl;
    for (const QUrl& url : (*server)->addresses())
        out << QCoreApplication::translate("Tool", "  %1  (teléfonos)   %1board  (pantalla grande)")
                   .arg(url.toString())
            << Qt::endl;
    if (!leaguePath.isEmpty())
        for (const QUrl& url : (*server)->addresses())
            out << QCoreApplication::translate("Tool", "  %1liga  (a liga)").arg(url.toString()) << Qt::endl;
    out << QCoreApplication::translate("Tool", "Ctrl+C para deter.") << Qt::endl;
    QCoreApplication::exec();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    out << QCoreApplication::translate("Tool", "Detido.") << Qt::endl;
    return 0;
}

// serve FILE [--listen HOST:PORT]
int serve(const Command& command, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    live::ServeOptions options;
    QString leaguePath;
    CommandLine commandLine(command);
    commandLine.registerArgument();
    commandLine.checked(QStringLiteral("listen"), QCoreApplication::translate("Tool", "ENDEREZO:PORTO"),
                        QCoreApplication::translate(
                            "Tool",
                            "onde escoitar: un nome (localhost, o nome deste ordenador), un enderezo IPv4 "
                            "ou un IPv6 entre corchetes ([::1]), e o porto (0: un libre). Por omisión só "
                            "neste ordenador, 127.0.0.1:8080; para a rede da piscina, 0.0.0.0:8080 "
                            "([::]:8080 tamén por IPv6)."),
                        [&options](const QString& text) {
                            const ListenAddress listen = listenAddress(text);
                            options.address = listen.address;
                            options.port = listen.port;
                            return listen.mistake;
                        });
    commandLine.text(QStringLiteral("league"), QCoreApplication::translate("Tool", "LIGA.json"),
                     QCoreApplication::translate(
                         "Tool", "serve tamén a clasificación da liga (/liga e /liga.json) xunto á da "
                                 "xornada que se está a nadar, que é a do rexistro dado: o ficheiro da liga "
                                 "ha de ter ese rexistro nunha das súas xornadas"),
                     leaguePath);
    commandLine.note(QCoreApplication::translate(
        "Tool", "Serve as clasificacións para os teléfonos (/) e para unha pantalla grande "
                "(/board), e os ficheiros /standings.csv, .pdf e .json; só le o rexistro. "
                "Ctrl+C deténo."));
    if (const std::optional<int> status = commandLine.read(arguments, out, err))
        return *status;
    return serveUntilStopped(commandLine.arguments().constFirst(), leaguePath, options, out, err);
}

} // namespace

ListenAddress listenAddress(const QString& text)
{
    const auto wrong = [](const QString& why) { return ListenAddress{{}, 0, why}; };
    const qsizetype colon = text.lastIndexOf(u':');
    if (colon < 0)
        return wrong(QCoreApplication::translate("Tool", "--listen quere ENDEREZO:PORTO (%1), non «%2»")
                         .arg(listenExample(), text));
    const QString portText = text.mid(colon + 1);
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,5}$"));
    if (!digits.match(portText).hasMatch() || portText.toUInt() > 65535)
        return wrong(
            QCoreApplication::translate("Tool", "o porto de --listen ha ser un número de 0 a 65535, non «%1»")
                .arg(portText));
    QString host = text.left(colon);
    const bool bracketed = host.startsWith(u'[') && host.endsWith(u']');
    if (host.startsWith(u'[') != host.endsWith(u']'))
        return wrong(
            QCoreApplication::translate(
                "Tool", "un enderezo IPv6 vai enteiro entre corchetes, como --listen [::1]:8080, non «%1»")
                .arg(text));
    if (bracketed)
        host = host.mid(1, host.size() - 2);
    else if (host.contains(u':'))
        return wrong(
            QCoreApplication::translate("Tool", "un enderezo IPv6 vai entre corchetes: --listen [%1]:%2")
                .arg(host, portText));
    if (host.isEmpty())
        return wrong(
            QCoreApplication::translate("Tool", "falta o ordenador antes do porto en --listen «%1» (%2)")
                .arg(text, listenExample()));
    if (bracketed && QHostAddress(host).protocol() != QAbstractSocket::IPv6Protocol)
        return wrong(
            QCoreApplication::translate("Tool", "«[%1]» non é un enderezo IPv6 (--listen)").arg(host));
    const std::optional<QHostAddress> address = hostAddress(host);
    if (!address)
        return wrong(QCoreApplication::translate(
                         "Tool", "non se atopa o ordenador «%1» (--listen %2): comproba o nome, ou dá un "
                                 "enderezo, %3")
                         .arg(host, text, listenExample()));
    return {*address, static_cast<quint16>(portText.toUInt()), {}};
}

Command serveCommand()
{
    return {QStringLiteral("serve"),
            QCoreApplication::translate("Tool", "serve as clasificacións en directo na web"), &serve};
}

} // namespace quilvarden::tools
