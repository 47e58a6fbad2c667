#include "dbtool.h"

#include "data/database.h"
#include "imports/access.h"
#include "imports/clubs.h"
#include "imports/lenex.h"
#include "live/server.h"
#include "publish/publish.h"
#include "tools/demomeet.h"
#include "tools/scorelenex.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTime>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace quilvarden::tools {

namespace {

QString usage()
{
    return QStringLiteral(
        "Uso:\n"
        "  quilvarden-db create FICHEIRO                crea unha base de datos baleira\n"
        "  quilvarden-db demo FICHEIRO                  crea unha base de datos cun campionato de exemplo\n"
        "  quilvarden-db import-mdb MEET.mdb FICHEIRO [--allow-empty]\n"
        "                                               trae o programa do campionato dun ficheiro de "
        "Access\n"
        "  quilvarden-db import-lenex MEET.lef|MEET.lxf FICHEIRO [--allow-empty]\n"
        "                                               trae o programa do campionato dun ficheiro Lenex\n"
        "  quilvarden-db standings FICHEIRO --format text|csv|html|pdf|json [--output SAIDA]\n"
        "                                               publica as clasificacións\n"
        "  quilvarden-db standings FICHEIRO --format text|csv --by-event [--output SAIDA]\n"
        "                                               publica os puntos de cada club en cada proba,\n"
        "                                               para cotexalos coas actas\n"
        "  quilvarden-db serve FICHEIRO [--listen ENDEREZO:PORTO]\n"
        "                                               serve as clasificacións en directo na web (por\n"
        "                                               omisión só neste ordenador, 127.0.0.1:8080; para\n"
        "                                               a rede da piscina, --listen 0.0.0.0:8080)\n"
        "  quilvarden-db score-lenex RESULTADOS.lxf|.lef FICHEIRO [--events LISTA] [--per-club N]\n"
        "                            [--replace] [--dry-run] [--age-group ID]\n"
        "                                               puntúa as probas desde os resultados do programa\n"
        "                                               de xestión (Lenex)\n"
        "create e demo non sobrescriben un ficheiro que xa exista. As importacións substitúen\n"
        "as probas e os clubs (EVENT, CLUBCHAMP, CLUBDESC) e nunca tocan os resultados gardados;\n"
        "os clubs que xa estaban conservan o seu código e o seu nome curto. Un ficheiro sen\n"
        "probas ou sen clubs só se importa con --allow-empty.\n");
}

int create(const QString& path, QTextStream& out, QTextStream& err)
{
    if (Outcome created = data::Database::create(path); !created)
        return fail(err, path, created.failure());
    out << QStringLiteral("Creada a base de datos baleira %1").arg(data::locate(path).shown()) << Qt::endl;
    return 0;
}

// Whether there is a register to import into: a file, or the tables in a server's database.
Result<bool> registerExists(const QString& path)
{
    if (!data::isServerUri(path))
        return QFileInfo::exists(path);
    const Result<std::unique_ptr<data::Database>> database = data::Database::open(path);
    if (database)
        return true;
    const int number = database.failure().number;
    if (number == Failure::TableNotFound || number == Failure::FileNotFound)
        return false;
    return database.failure();
}

// Brings a meet programme into the register, making it if there is none (a file, or the
// tables in a server's database). The three meet tables are replaced in one transaction;
// the awards are never touched. On failure the register is as it was (and a file made here
// is removed again).
int importInto(const QString& path, const data::Database::ProgrammeBuilder& build, QTextStream& err)
{
    const Result<bool> existed = registerExists(path);
    if (!existed)
        return fail(err, path, existed.failure());
    if (!*existed)
        if (Outcome created = data::Database::create(path); !created)
            return fail(err, path, created.failure());
    Outcome imported = Failure{};
    {
        Result<std::unique_ptr<data::Database>> database = data::Database::open(path);
        imported = database ? (*database)->replaceMeetProgramme(build) : Outcome(database.failure());
    }
    if (!imported) {
        if (!*existed && !data::isServerUri(path))
            QFile::remove(path);
        return fail(err, path, imported.failure());
    }
    return 0;
}

int demo(const QString& path, QTextStream& out, QTextStream& err)
{
    // Never over a register that exists.
    if (Outcome created = data::Database::create(path); !created)
        return fail(err, path, created.failure());
    const data::MeetProgramme meet = demoMeet();
    if (const int status = importInto(
            path, [&meet](const data::RegisteredMeet&) -> Result<data::MeetProgramme> { return meet; }, err);
        status != 0) {
        if (!data::isServerUri(path))
            QFile::remove(path);
        return status;
    }
    out << QStringLiteral("Creada a base de datos %1 cun campionato de exemplo: %2 probas, %3 clubs")
               .arg(data::locate(path).shown())
               .arg(meet.events.size())
               .arg(meet.clubs.size())
        << Qt::endl;
    return 0;
}

QString summary(const data::MeetProgramme& meet, const QString& from, const QString& into)
{
    qsizetype takingPart = 0;
    qsizetype described = 0;
    for (const data::MeetClub& club : meet.clubs) {
        takingPart += club.takesPart ? 1 : 0;
        described += club.described ? 1 : 0;
    }
    return QStringLiteral(
               "Importadas de %1 en %2: %3 probas, %4 clubs participantes, %5 descricións de clubs.")
        .arg(QDir::toNativeSeparators(from), data::locate(into).shown())
        .arg(meet.events.size())
        .arg(takingPart)
        .arg(described);
}

// Reads a meet file and brings its programme in, the clubs with codes and short names that
// the register can use (those it already has kept), then says what was done and changed.
// A file without events or without clubs (a cut-off copy, an empty meet) would empty the
// tables in the middle of a meet: it is refused unless allowEmpty says it is meant.
int importMeet(const Result<imports::FileMeet>& read, const QString& source, const QString& path,
               bool allowEmpty, QTextStream& out, QTextStream& err)
{
    if (!read)
        return fail(err, source, read.failure());
    qsizetype takingPart = 0;
    for (const imports::FileClub& club : read->clubs)
        takingPart += club.takesPart ? 1 : 0;
    if (!allowEmpty && (read->events.isEmpty() || takingPart == 0))
        return fail(
            err, source,
            imports::importFileFailure(
                source, QStringLiteral("non trae %1, e importalo deixaría o campionato sen el%2. Nada "
                                       "cambiou; se é o que queres, engade --allow-empty.")
                            .arg(read->events.isEmpty() ? QStringLiteral("ningunha proba")
                                                        : QStringLiteral("ningún club"),
                                 read->events.isEmpty() ? QStringLiteral("as") : QStringLiteral("es"))));
    data::MeetProgramme programme;
    QStringList notes = read->notes;
    const auto build = [&](const data::RegisteredMeet& registered) -> Result<data::MeetProgramme> {
        imports::ClubAssignment clubs = imports::assignClubs(read->clubs, registered);
        programme = {read->events, std::move(clubs.clubs)};
        notes = read->notes + clubs.notes;
        return programme;
    };
    if (const int status = importInto(path, build, err); status != 0)
        return status;
    out << summary(programme, source, path) << Qt::endl;
    for (const QString& note : notes)
        out << QStringLiteral("  %1").arg(note) << Qt::endl;
    return 0;
}

// import-mdb|import-lenex SOURCE FILE [--allow-empty]
int importCommand(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList files;
    bool allowEmpty = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == u"--allow-empty") {
            allowEmpty = true;
        } else if (arguments[i].startsWith(u'-') && arguments[i].size() > 1 && files.size() == 2) {
            err << QStringLiteral("quilvarden-db: argumento descoñecido: %1\n").arg(arguments[i]) << usage();
            return ExitUsage;
        } else {
            files << arguments[i];
        }
    }
    if (files.size() != 2) {
        err << usage();
        return ExitUsage;
    }
    const Result<imports::FileMeet> read =
        arguments[0] == u"import-mdb" ? imports::readAccessMeet(files[0]) : imports::readLenexMeet(files[0]);
    return importMeet(read, files[0], files[1], allowEmpty, out, err);
}

int standings(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    // standings FILE --format F [--by-event] [--output OUT]
    QString path;
    QString formatWord;
    QString output;
    bool byEvent = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"--by-event")
            byEvent = true;
        else if ((argument == u"--format" || argument == u"--output") && i + 1 < arguments.size())
            (argument == u"--format" ? formatWord : output) = arguments[++i];
        else if (path.isEmpty() && !argument.startsWith(QStringLiteral("--")))
            path = argument;
        else {
            err << QStringLiteral("quilvarden-db: argumento descoñecido: %1\n").arg(argument) << usage();
            return ExitUsage;
        }
    }
    const std::optional<publish::Format> format = publish::formatNamed(formatWord);
    if (path.isEmpty() || !format) {
        err << usage();
        return ExitUsage;
    }
    if (byEvent && !publish::publishesByEvent(*format)) {
        err << QStringLiteral("quilvarden-db: --by-event só se pode usar con --format text ou --format csv: "
                              "os puntos por proba non se publican en HTML, PDF nin JSON.")
            << Qt::endl;
        return ExitUsage;
    }
    if (*format == publish::Format::Pdf && output.isEmpty()) {
        err << QStringLiteral("quilvarden-db: o PDF necesita --output FICHEIRO.pdf") << Qt::endl;
        return ExitUsage;
    }
    // Publishing only reads: a read-only copy or folder will do, and the file is left as it is.
    data::OpenOptions reading;
    reading.readOnly = true;
    Result<std::unique_ptr<data::Database>> database = data::Database::open(path, reading);
    if (!database)
        return fail(err, path, database.failure());
    const QDateTime now = QDateTime::currentDateTime();
    Result<publish::EventPointsEdition> points = publish::EventPointsEdition{};
    Result<publish::Edition> edition = publish::Edition{};
    if (byEvent)
        points = publish::currentEventPoints(**database, now);
    else
        edition = publish::currentEdition(**database, now);
    if (!points)
        return fail(err, path, points.failure());
    if (!edition)
        return fail(err, path, edition.failure());
    if (output.isEmpty()) {
        if (!byEvent)
            out << publish::asTextFormat(*edition, *format);
        else
            out << (*format == publish::Format::Csv ? publish::asCsv(*points) : publish::asText(*points));
        out.flush();
        // A full disk or a closed pipe behind standard output is a failure too.
        if (out.status() != QTextStream::Ok || std::fflush(stdout) != 0 || std::ferror(stdout))
            return fail(err, QStringLiteral("-"),
                        Failure::database(Failure::DiskError,
                                          QStringLiteral("Non se puido escribir toda a saída: %1")
                                              .arg(QString::fromLocal8Bit(std::strerror(errno)))));
        return 0;
    }
    if (Outcome saved =
            byEvent ? publish::save(*points, *format, output) : publish::save(*edition, *format, output);
        !saved)
        return fail(err, output, saved.failure());
    return 0;
}

// ADDRESS:PORT, with an IPv6 address in brackets ([::1]:8080).
std::optional<std::pair<QHostAddress, quint16>> listenAddress(const QString& text)
{
    const qsizetype colon = text.lastIndexOf(u':');
    if (colon <= 0)
        return std::nullopt;
    QString host = text.left(colon);
    if (host.startsWith(u'[') && host.endsWith(u']'))
        host = host.mid(1, host.size() - 2);
    bool number = false;
    const uint port = text.mid(colon + 1).toUInt(&number);
    const QHostAddress address(host);
    if (!number || port > 65535 || address.isNull())
        return std::nullopt;
    return std::pair{address, static_cast<quint16>(port)};
}

// ADDRESS:PORT as --listen takes it.
QString listenText(const QHostAddress& address, quint16 port)
{
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                             ? QStringLiteral("[%1]").arg(address.toString())
                             : address.toString();
    return QStringLiteral("%1:%2").arg(host).arg(port);
}

// Where the server could not listen: said plainly, without the register's name, and with
// another port to try when another program has this one.
int cannotServe(QTextStream& err, const Failure& failure, const live::ServeOptions& options)
{
    err << QStringLiteral("quilvarden-db: %1").arg(failure.message()) << Qt::endl;
    if (failure.number == Failure::PortInUse) {
        const quint16 other = options.port < 65535 ? options.port + 1 : options.port - 1;
        err << QStringLiteral("Escolla outro porto, por exemplo: --listen %1")
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
        err << QStringLiteral("%1 Non se pode ler o rexistro; as páxinas mostran as últimas clasificacións "
                              "lidas.\n%2")
                   .arg(now(), why)
            << Qt::endl;
    });
    QObject::connect(&server, &live::LiveServer::readableAgain, &server, [&err, now] {
        err << QStringLiteral("%1 O rexistro xa se pode ler de novo.").arg(now()) << Qt::endl;
    });
}

int stopPipe[2] = {-1, -1};

void stopServing(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(stopPipe[1], &byte, 1);
}

int serve(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    // serve FILE [--listen ADDRESS:PORT]
    QString path;
    live::ServeOptions options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"--listen" && i + 1 < arguments.size()) {
            const auto address = listenAddress(arguments[++i]);
            if (!address) {
                err << QStringLiteral("quilvarden-db: enderezo para escoitar non válido: %1 (por exemplo, "
                                      "0.0.0.0:8080)")
                           .arg(arguments[i])
                    << Qt::endl;
                return ExitUsage;
            }
            std::tie(options.address, options.port) = *address;
        } else if (path.isEmpty() && !argument.startsWith(QStringLiteral("--"))) {
            path = argument;
        } else {
            err << QStringLiteral("quilvarden-db: argumento descoñecido: %1\n").arg(argument) << usage();
            return ExitUsage;
        }
    }
    if (path.isEmpty()) {
        err << usage();
        return ExitUsage;
    }
    Result<std::unique_ptr<live::LiveServer>> server = live::LiveServer::start(path, options);
    if (!server &&
        (server.failure().number == Failure::PortInUse || server.failure().number == Failure::CannotListen))
        return cannotServe(err, server.failure(), options);
    if (!server)
        return fail(err, path, server.failure());
    logRegisterTrouble(**server, err);
    out << QStringLiteral("Clasificacións de %1 en directo:").arg(data::locate(path).shown()) << Qt::endl;
    for (const QUrl& url : (*server)->addresses())
        out << QStringLiteral("  %1  (teléfonos)   %1board  (pantalla grande)").arg(url.toString())
            << Qt::endl;
    out << QStringLiteral("Ctrl+C para deter.") << Qt::endl;

    // Ctrl+C or a stop from the system ends the serving cleanly.
    if (::pipe(stopPipe) != 0)
        return fail(err, path, Failure::database(Failure::CannotOpenFile, QStringLiteral("pipe")));
    QSocketNotifier stopping(stopPipe[0], QSocketNotifier::Read);
    QObject::connect(&stopping, &QSocketNotifier::activated, QCoreApplication::instance(),
                     &QCoreApplication::quit);
    std::signal(SIGINT, stopServing);
    std::signal(SIGTERM, stopServing);
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication::exec();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    out << QStringLiteral("Detido.") << Qt::endl;
    return 0;
}

} // namespace

int fail(QTextStream& err, const QString& where, const Failure& failure)
{
    // A server's URI is shown without its password.
    err << QStringLiteral("quilvarden-db: %1: %2").arg(data::locate(where).shown(), failure.message())
        << Qt::endl;
    return ExitFailed;
}

int runDbTool(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    if (arguments.size() == 1 &&
        (arguments[0] == QStringLiteral("--help") || arguments[0] == QStringLiteral("-h"))) {
        out << usage();
        return 0;
    }
    const QString command = arguments.value(0);
    if (command == QStringLiteral("standings"))
        return standings(arguments, out, err);
    if (command == QStringLiteral("score-lenex"))
        return scoreLenex(arguments, out, err);
    if (command == QStringLiteral("serve"))
        return serve(arguments, out, err);
    if (command == QStringLiteral("import-mdb") || command == QStringLiteral("import-lenex"))
        return importCommand(arguments, out, err);
    if (arguments.size() != 2) {
        err << usage();
        return ExitUsage;
    }
    const QString& path = arguments[1];
    if (command == QStringLiteral("create"))
        return create(path, out, err);
    if (command == QStringLiteral("demo"))
        return demo(path, out, err);
    err << QStringLiteral("quilvarden-db: orde descoñecida: %1\n").arg(command) << usage();
    return ExitUsage;
}

} // namespace quilvarden::tools
