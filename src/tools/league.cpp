#include "league/output.h"
#include "league/pages.h"
#include "league/table.h"
#include "publish/publish.h"
#include "text/systemerror.h"
#include "tools/commands.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>

namespace quilvarden::tools {

namespace {

Result<QByteArray> rendered(const league::LeagueTable& table, publish::Format format)
{
    switch (format) {
    case publish::Format::Csv:
        return league::asCsv(table).toUtf8();
    case publish::Format::Json:
        return league::asJson(table);
    case publish::Format::Html:
        return league::asHtml(table).toUtf8();
    case publish::Format::Pdf:
        return league::asPdf(table);
    case publish::Format::Text:
        break;
    }
    return league::asText(table).toUtf8();
}

// What to write and where: the format, which categories ("all", a name, or none for the
// league's own standings) and the file (none: standard output).
struct LeagueAsked {
    publish::Format format = publish::Format::Text;
    QString category;
    QString output;
};

// The league's registers that are files, which nothing is saved over.
QStringList registersOf(const league::LeagueFile& file)
{
    QStringList registers;
    for (const league::Matchday& matchday : file.matchdays)
        if (!matchday.where.isEmpty() && !matchday.where.contains(QStringLiteral("://")))
            registers << matchday.where;
    return registers;
}

int writeLeague(const QString& path, const LeagueAsked& asked, QTextStream& out, QTextStream& err)
{
    const Result<league::LeagueFile> file = league::readLeagueFile(path);
    if (!file)
        return fail(err, path, file.failure());
    const bool all = asked.category.compare(u"all", Qt::CaseInsensitive) == 0;
    const Result<league::LeagueTable> table =
        league::buildLeague(*file, data::StandingsScope{all, all ? QString() : asked.category});
    if (!table)
        return fail(err, path, table.failure());
    if (!asked.output.isEmpty()) {
        if (Outcome saved = publish::saveWhole(registersOf(*file), asked.output,
                                               [&]() { return rendered(*table, asked.format); });
            !saved)
            return fail(err, asked.output, saved.failure());
        return 0;
    }
    const Result<QByteArray> bytes = rendered(*table, asked.format);
    if (!bytes)
        return fail(err, path, bytes.failure());
    out << QString::fromUtf8(*bytes);
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

// league LEAGUE.json [--format text|csv|json|html|pdf] [--category NAME|all] [--output OUT]
int leagueRun(const Command& command, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    LeagueAsked asked;
    CommandLine commandLine(command);
    commandLine.argument(
        QCoreApplication::translate("Tool", "LIGA.json"),
        QCoreApplication::translate("Tool", "o ficheiro da liga"),
        QCoreApplication::translate(
            "Tool", "a liga: o seu nome, as súas xornadas co rexistro de cada unha (un ficheiro "
                    "a carón deste, ou o URI dun servidor), os clubs que xuntar ou separar e as fases"));
    commandLine.checked(QStringLiteral("format"), QCoreApplication::translate("Tool", "FORMATO"),
                        QCoreApplication::translate("Tool", "text (se non se dá), csv, json, html ou pdf"),
                        [&asked](const QString& word) {
                            const std::optional<publish::Format> named = publish::formatNamed(word);
                            asked.format = named.value_or(publish::Format::Text);
                            return named
                                       ? QString()
                                       : QCoreApplication::translate(
                                             "Tool", "--format ha ser text, csv, json, html ou pdf, non «%1»")
                                             .arg(word);
                        });
    commandLine.text(QStringLiteral("output"), QCoreApplication::translate("Tool", "SAÍDA"),
                     QCoreApplication::translate(
                         "Tool", "gárdaa neste ficheiro en vez de escribila na saída (o PDF, sempre)"),
                     asked.output);
    commandLine.text(
        QStringLiteral("category"), QCoreApplication::translate("Tool", "NOME"),
        QCoreApplication::translate("Tool", "só as clasificacións desa categoría; all: as da liga e logo "
                                            "as de cada categoría"),
        asked.category);
    commandLine.note(QCoreApplication::translate(
        "Tool", "Só le os rexistros das xornadas: ábreos só para ler e non cambia nada neles. Lista tamén os "
                "clubs xuntados só polo nome e os que só están nunha xornada, para comprobalos."));
    if (const std::optional<int> status = commandLine.read(arguments, out, err))
        return *status;
    if (asked.format == publish::Format::Pdf && asked.output.isEmpty())
        return commandLine.mistake(
            err, QCoreApplication::translate("Tool", "o PDF necesita --output FICHEIRO.pdf"));
    return writeLeague(commandLine.arguments().constFirst(), asked, out, err);
}

} // namespace

Command leagueCommand()
{
    return {QStringLiteral("league"),
            QCoreApplication::translate("Tool", "suma a clasificación dunha liga de varias xornadas"),
            &leagueRun};
}

} // namespace quilvarden::tools
