#include "league/output.h"
#include "league/table.h"
#include "publish/publish.h"
#include "text/systemerror.h"
#include "tools/commands.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>

namespace quilvarden::tools {

namespace {

enum class LeagueFormat { Text, Csv, Json };

QByteArray rendered(const league::LeagueTable& table, LeagueFormat format)
{
    switch (format) {
    case LeagueFormat::Csv:
        return league::asCsv(table).toUtf8();
    case LeagueFormat::Json:
        return league::asJson(table);
    case LeagueFormat::Text:
        break;
    }
    return league::asText(table).toUtf8();
}

// The league's registers that are files, which nothing is saved over.
QStringList registersOf(const league::LeagueFile& file)
{
    QStringList registers;
    for (const league::Matchday& matchday : file.matchdays)
        if (!matchday.where.isEmpty() && !matchday.where.contains(QStringLiteral("://")))
            registers << matchday.where;
    return registers;
}

int writeLeague(const QString& path, LeagueFormat format, const QString& output, QTextStream& out,
                QTextStream& err)
{
    const Result<league::LeagueFile> file = league::readLeagueFile(path);
    if (!file)
        return fail(err, path, file.failure());
    const Result<league::LeagueTable> table = league::buildLeague(*file);
    if (!table)
        return fail(err, path, table.failure());
    const QByteArray bytes = rendered(*table, format);
    if (!output.isEmpty()) {
        if (Outcome saved = publish::saveWhole(registersOf(*file), output, [&]() { return bytes; }); !saved)
            return fail(err, output, saved.failure());
        return 0;
    }
    out << QString::fromUtf8(bytes);
    out.flush();
    // A full disk or a closed pipe behind standard output is a failure too.
    if (out.status() != QTextStream::Ok || std::fflush(stdout) != 0 || std::ferror(stdout))
        return fail(
            err, QStringLiteral("-"),
            Failure::database(Failure::DiskError,
                              QCoreApplication::translate("Tool", "Non se puido escribir toda a saída: %1")
                                  .arg(systemErrorText(errno))));
    return 0;
}

// league LEAGUE.json [--format text|csv|json] [--output OUT]
int leagueRun(const Command& command, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    LeagueFormat format = LeagueFormat::Text;
    QString output;
    CommandLine commandLine(command);
    commandLine.argument(QCoreApplication::translate("Tool", "LIGA.json"),
                         QCoreApplication::translate("Tool", "o ficheiro da liga"),
                         QCoreApplication::translate(
                             "Tool",
                             "a liga: o seu nome, as súas xornadas co rexistro de cada unha (un ficheiro "
                             "a carón deste, ou o URI dun servidor) e os clubs que xuntar ou separar"));
    commandLine.checked(QStringLiteral("format"), QCoreApplication::translate("Tool", "FORMATO"),
                        QCoreApplication::translate("Tool", "text (se non se dá), csv ou json"),
                        [&format](const QString& word) {
                            const std::optional<publish::Format> named = publish::formatNamed(word);
                            if (named == publish::Format::Text || named == publish::Format::Csv ||
                                named == publish::Format::Json) {
                                format = named == publish::Format::Csv    ? LeagueFormat::Csv
                                         : named == publish::Format::Json ? LeagueFormat::Json
                                                                          : LeagueFormat::Text;
                                return QString();
                            }
                            return QCoreApplication::translate("Tool",
                                                               "--format ha ser text, csv ou json, non «%1»")
                                .arg(word);
                        });
    commandLine.text(
        QStringLiteral("output"), QCoreApplication::translate("Tool", "SAÍDA"),
        QCoreApplication::translate("Tool", "gárdaa neste ficheiro en vez de escribila na saída"), output);
    commandLine.note(QCoreApplication::translate(
        "Tool", "Só le os rexistros das xornadas: ábreos só para ler e non cambia nada neles. Lista tamén os "
                "clubs xuntados só polo nome e os que só están nunha xornada, para comprobalos."));
    if (const std::optional<int> status = commandLine.read(arguments, out, err))
        return *status;
    return writeLeague(commandLine.arguments().constFirst(), format, output, out, err);
}

} // namespace

Command leagueCommand()
{
    return {QStringLiteral("league"),
            QCoreApplication::translate("Tool", "suma a clasificación dunha liga de varias xornadas"),
            &leagueRun};
}

} // namespace quilvarden::tools
