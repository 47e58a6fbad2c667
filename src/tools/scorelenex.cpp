#include "data/location.h"
#include "data/standings.h"
#include "imports/filemeet.h"
#include "results/scorefile.h"
#include "text/masks.h"
#include "text/numbers.h"
#include "tools/commands.h"

#include <QCoreApplication>
#include <QSet>

namespace quilvarden::tools {

namespace {

// "1,3,5-8,101-125": event numbers from 0 to 999.
std::optional<QList<int>> orderList(const QString& text)
{
    QList<int> orders;
    for (const QString& part : text.split(u',', Qt::SkipEmptyParts)) {
        const QStringList ends = part.trimmed().split(u'-');
        bool first = false;
        bool last = ends.size() == 1;
        const int from = ends[0].trimmed().toInt(&first);
        const int to = ends.size() == 2 ? ends[1].trimmed().toInt(&last) : from;
        if (!first || !last || ends.size() > 2 || from < 0 || to > 999 || from > to)
            return std::nullopt;
        for (int order = from; order <= to; ++order)
            if (!orders.contains(order))
                orders << order;
    }
    if (orders.isEmpty())
        return std::nullopt;
    return orders;
}

// --events: the list read into the events.
CommandLine::Reader eventsInto(QList<int>& events)
{
    return [&events](const QString& list) {
        const std::optional<QList<int>> orders = orderList(list);
        events = orders.value_or(QList<int>());
        return orders
                   ? QString()
                   : QCoreApplication::translate(
                         "Tool", "--events quere números de proba de 0 a 999, como 1,3,5-8,101-125, non «%1»")
                         .arg(list);
    };
}

// --category: the names of the list.
CommandLine::Reader categoriesInto(QStringList& categories)
{
    return [&categories](const QString& list) {
        categories.clear();
        for (const QString& name : list.split(u',', Qt::SkipEmptyParts))
            if (!name.trimmed().isEmpty())
                categories << name.trimmed();
        return categories.isEmpty()
                   ? QCoreApplication::translate("Tool",
                                                 "--category quere os nomes das categorías, como 10-11,12-13")
                   : QString();
    };
}

// What score-lenex was asked to do besides scoring.
struct ScoreRun {
    results::ScoreOptions options;
    bool replace = false;
    bool dryRun = false;
    bool otherMeet = false;
    const CommandLine* commandLine = nullptr; // to tell a mistake in the arguments
};

// A category asked for that the results have not: a mistake in the arguments, naming those
// they have. Nothing when every one is there.
std::optional<int> askedForUnknownCategory(const imports::FileResults& file, data::Database& database,
                                           const QString& where, const ScoreRun& run, QTextStream& err)
{
    if (run.options.categories.isEmpty())
        return std::nullopt;
    const Result<QStringList> categories = results::fileCategories(file, database);
    if (!categories)
        return fail(err, where, categories.failure());
    for (const QString& asked : run.options.categories)
        if (!data::categoryNamed(*categories, asked))
            return run.commandLine->mistake(
                err, categories->isEmpty()
                         ? QCoreApplication::translate(
                               "Tool", "--category: non hai ningunha categoría «%1»; os resultados non "
                                       "teñen ningunha")
                               .arg(asked)
                         : QCoreApplication::translate("Tool",
                                                       "--category: non hai ningunha categoría «%1»; hai: %2")
                               .arg(asked, categories->join(QStringLiteral(", "))));
    return std::nullopt;
}

// Scores the file into the register as the run says, telling each step.
int scoreFile(const QString& results, const QString& where, const ScoreRun& run, QTextStream& out,
              QTextStream& err)
{
    const Result<imports::FileResults> file = imports::readLenexResults(results);
    if (!file)
        return fail(err, results, file.failure());
    data::OpenOptions opening;
    opening.readOnly = run.dryRun;
    Result<std::unique_ptr<data::Database>> database = data::Database::open(where, opening);
    if (!database)
        return fail(err, where, database.failure());
    if (const std::optional<int> status = askedForUnknownCategory(*file, **database, where, run, err))
        return *status;
    const Result<results::ScorePlan> plan = results::planScores(*file, **database, run.options);
    if (!plan)
        return fail(err, results, plan.failure());

    out << results::planHeading(*plan, results) << Qt::endl;
    if (!plan->otherMeet.isEmpty() && !run.otherMeet)
        return fail(
            err, results,
            imports::importFileFailure(
                results, QCoreApplication::translate(
                             "Tool", "parece doutro campionato que o programa do rexistro: %1. Non se "
                                     "gardou nada; se son os resultados deste campionato, engade "
                                     "--other-meet.")
                             .arg(plan->otherMeet)));
    for (const QString& line : results::planLines(*plan, run.dryRun))
        out << line << Qt::endl;
    if (!plan->otherMeet.isEmpty())
        out << QCoreApplication::translate("Tool",
                                           "Puntúase aínda que parece doutro campionato (--other-meet): %1.")
                   .arg(plan->otherMeet)
            << Qt::endl;
    if (plan->events.isEmpty()) {
        out << QCoreApplication::translate("Tool", "Non hai ningunha proba que puntuar.") << Qt::endl;
        return 0;
    }
    const Result<data::StoredEvents> stored = (*database)->storeEventAwards(
        results::awardsOf(*plan), results::storeOptions(*plan, run.replace, run.dryRun));
    if (!stored)
        return fail(err, where, stored.failure());
    for (const QString& line : results::storedLines(
             *plan, *stored, run.dryRun,
             run.replace ? QString() : QCoreApplication::translate("Tool", " (--replace para substituílos)"),
             data::locate(where).shown()))
        out << line << Qt::endl;
    if (run.dryRun)
        out << QCoreApplication::translate("Tool", "Non se gardou nada (--dry-run).") << Qt::endl;
    return 0;
}

int scoreLenex(const Command& command, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    ScoreRun run;
    int perClub = 0; // not given
    CommandLine commandLine(command);
    commandLine.argument(
        QCoreApplication::translate("Tool", "RESULTADOS"),
        QCoreApplication::translate("Tool", "o ficheiro de resultados"),
        QCoreApplication::translate("Tool", "os resultados do programa de xestión, en Lenex (.lxf ou .lef)"));
    commandLine.registerArgument();
    commandLine.checked(
        QStringLiteral("events"), QCoreApplication::translate("Tool", "LISTA"),
        QCoreApplication::translate("Tool", "só estas probas, polo seu número: 1,3,5-8,101-125"),
        eventsInto(run.options.events));
    commandLine.number(QStringLiteral("per-club"), QStringLiteral("N"),
                       QCoreApplication::translate(
                           "Tool", "cantos nadadores de cada club puntúan en cada proba, individual ou "
                                   "de remudas (por omisión, os que din as regras do campionato; sen "
                                   "regras, 1)"),
                       1, perClub);
    commandLine.flag(QStringLiteral("replace"),
                     QCoreApplication::translate(
                         "Tool", "substitúe os puntos das probas que xa os teñen, tamén os tecleados na "
                                 "xanela (senón quedan como están; os dunha exportación anterior destes "
                                 "resultados póñense ao día)"),
                     run.replace);
    commandLine.flag(QStringLiteral("dry-run"),
                     QCoreApplication::translate("Tool", "amosa os puntos que se gardarían e non garda nada"),
                     run.dryRun);
    commandLine.flag(QStringLiteral("other-meet"),
                     QCoreApplication::translate(
                         "Tool", "puntúa aínda que os resultados parezan doutro campionato que o programa"),
                     run.otherMeet);
    commandLine.texts(QStringLiteral("age-group"), QStringLiteral("ID"),
                      QCoreApplication::translate(
                          "Tool",
                          "o grupo de idade ou clase que puntúa só, sen as categorías, nas probas que o "
                          "teñen (pódese repetir)"),
                      run.options.ageGroups);
    commandLine.checked(QStringLiteral("category"), QCoreApplication::translate("Tool", "NOMES"),
                        QCoreApplication::translate(
                            "Tool",
                            "nas probas que puntúan por categorías, só estas, polo seu nome separado por "
                            "comas: Alevín,Infantil (as demais quedan como estaban)"),
                        categoriesInto(run.options.categories));
    commandLine.note(QCoreApplication::translate(
        "Tool", "Puntúa as probas do ficheiro que están no programa do rexistro, cos puntos que "
                "propón a xanela, nunha soa transacción; de cada proba, a rolda que a decide (a "
                "final, unha final directa ou a única rolda)."));
    if (const std::optional<int> status = commandLine.read(arguments, out, err))
        return *status;
    if (perClub > 0)
        run.options.perClub = perClub;
    run.commandLine = &commandLine;
    const QStringList files = commandLine.arguments();
    return scoreFile(files[0], files[1], run, out, err);
}

} // namespace

Command scoreLenexCommand()
{
    return {QStringLiteral("score-lenex"),
            QCoreApplication::translate(
                "Tool", "puntúa as probas desde os resultados do programa de xestión (Lenex)"),
            &scoreLenex};
}

} // namespace quilvarden::tools
