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

// Writes the standings (or the points by event) to standard output or to the file.
int publishStandings(const QString& path, publish::Format format, bool byEvent, const QString& output,
                     QTextStream& out, QTextStream& err)
{
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
            out << publish::asTextFormat(*edition, format);
        else
            out << (format == publish::Format::Csv ? publish::asCsv(*points) : publish::asText(*points));
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
            byEvent ? publish::save(*points, format, output) : publish::save(*edition, format, output);
        !saved)
        return fail(err, output, saved.failure());
    return 0;
}

// standings FILE --format F [--by-event] [--output OUT]
int standings(const Command& command, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    std::optional<publish::Format> format;
    QString output;
    bool byEvent = false;
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
    return publishStandings(commandLine.arguments().constFirst(), *format, byEvent, output, out, err);
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
