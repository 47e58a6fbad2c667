#include "data/database.h"
#include "publish/publish.h"
#include "text/systemerror.h"
#include "tools/commands.h"

#include <QCoreApplication>
#include <QDateTime>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace quilvarden::tools {

namespace {

// What to publish and where: the format, the points by event or the standings, which
// categories ("all", a name, or none for the meet's own standings) and the file (none:
// standard output).
struct Asked {
    publish::Format format = publish::Format::Text;
    bool byEvent = false;
    QString category;
    QString output;
};

// Reads the edition asked for; a category the meet does not have is the caller's mistake,
// told with those it has (a usage failure), any other failure the register's.
int readAsked(const QString& path, data::Database& database, const Asked& asked,
              const CommandLine& commandLine, publish::EventPointsEdition& points, publish::Edition& edition,
              QTextStream& err)
{
    const QDateTime now = QDateTime::currentDateTime();
    const bool all = asked.category.compare(u"all", Qt::CaseInsensitive) == 0;
    const QString named = all ? QString() : asked.category;
    Result<publish::EventPointsEdition> readPoints = publish::EventPointsEdition{};
    Result<publish::Edition> readEdition = publish::Edition{};
    if (asked.byEvent)
        readPoints = publish::currentEventPoints(database, now, named);
    else
        readEdition = publish::currentEdition(database, now, data::StandingsScope{all, named});
    const Failure* failure = !readPoints    ? &readPoints.failure()
                             : !readEdition ? &readEdition.failure()
                                            : nullptr;
    if (failure && failure->number == Failure::InvalidArgument && !named.isEmpty())
        return commandLine.mistake(err, failure->detail);
    if (failure)
        return fail(err, path, *failure);
    points = std::move(readPoints).value();
    edition = std::move(readEdition).value();
    return 0;
}

// Writes the standings (or the points by event) to standard output or to the file.
int publishStandings(const QString& path, const Asked& asked, const CommandLine& commandLine,
                     QTextStream& out, QTextStream& err)
{
    const publish::Format format = asked.format;
    const bool byEvent = asked.byEvent;
    const QString& output = asked.output;
    // Publishing only reads: a read-only copy or folder will do, and the file is left as it is.
    data::OpenOptions reading;
    reading.readOnly = true;
    Result<std::unique_ptr<data::Database>> database = data::Database::open(path, reading);
    if (!database)
        return fail(err, path, database.failure());
    publish::EventPointsEdition points;
    publish::Edition edition;
    if (const int status = readAsked(path, **database, asked, commandLine, points, edition, err); status != 0)
        return status;
    if (output.isEmpty()) {
        if (!byEvent)
            out << publish::asTextFormat(edition, format);
        else
            out << (format == publish::Format::Csv ? publish::asCsv(points) : publish::asText(points));
        out.flush();
        // A full disk or a closed pipe behind standard output is a failure too.
        if (out.status() != QTextStream::Ok || std::fflush(stdout) != 0 || std::ferror(stdout))
            return fail(err, QStringLiteral("-"),
                        Failure::database(
                            Failure::DiskError,
                            QCoreApplication::translate("Tool", "Non se puido escribir toda a saída: %1")
                                .arg(systemErrorText(errno))));
        return 0;
    }
    if (Outcome saved =
            byEvent ? publish::save(points, format, output) : publish::save(edition, format, output);
        !saved)
        return fail(err, output, saved.failure());
    return 0;
}

// standings FILE --format F [--by-event] [--category NAME|all] [--output OUT]
int standings(const Command& command, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    std::optional<publish::Format> format;
    Asked asked;
    QString& output = asked.output;
    bool& byEvent = asked.byEvent;
    CommandLine commandLine(command);
    commandLine.registerArgument();
    commandLine.checked(QStringLiteral("format"), QCoreApplication::translate("Tool", "FORMATO"),
                        QCoreApplication::translate("Tool", "text, csv, html, pdf ou json (hai que dalo)"),
                        [&format](const QString& word) {
                            format = publish::formatNamed(word);
                            return format
                                       ? QString()
                                       : QCoreApplication::translate(
                                             "Tool", "--format ha ser text, csv, html, pdf ou json, non «%1»")
                                             .arg(word);
                        });
    commandLine.text(QStringLiteral("output"), QCoreApplication::translate("Tool", "SAÍDA"),
                     QCoreApplication::translate(
                         "Tool", "gárdaas neste ficheiro en vez de escribilas na saída (o PDF, sempre)"),
                     output);
    commandLine.flag(
        QStringLiteral("by-event"),
        QCoreApplication::translate(
            "Tool", "os puntos de cada club en cada proba, para cotexalos coas actas (só text e csv)"),
        byEvent);
    commandLine.text(QStringLiteral("category"), QCoreApplication::translate("Tool", "NOME"),
                     QCoreApplication::translate("Tool",
                                                 "só as clasificacións (ou os puntos) desa categoría; "
                                                 "all: as do campionato e logo as de cada categoría"),
                     asked.category);
    commandLine.note(
        QCoreApplication::translate("Tool", "Só le o rexistro: ábreo só para ler e non cambia nada nel."));
    if (const std::optional<int> status = commandLine.read(arguments, out, err))
        return *status;
    if (!format)
        return commandLine.mistake(
            err, QCoreApplication::translate("Tool", "falta --format: text, csv, html, pdf ou json"));
    if (byEvent && !publish::publishesByEvent(*format))
        return commandLine.mistake(
            err, QCoreApplication::translate("Tool",
                                             "--by-event só se pode usar con --format text ou --format csv: "
                                             "os puntos por proba non se publican en HTML, PDF nin JSON."));
    if (*format == publish::Format::Pdf && output.isEmpty())
        return commandLine.mistake(
            err, QCoreApplication::translate("Tool", "o PDF necesita --output FICHEIRO.pdf"));
    asked.format = *format;
    return publishStandings(commandLine.arguments().constFirst(), asked, commandLine, out, err);
}

} // namespace

Command standingsCommand()
{
    return {QStringLiteral("standings"),
            QCoreApplication::translate("Tool",
                                        "publica as clasificacións, ou os puntos de cada club en cada proba"),
            &standings};
}

} // namespace quilvarden::tools
