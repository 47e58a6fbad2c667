#include "data/location.h"
#include "results/scorefile.h"
#include "text/masks.h"
#include "text/numbers.h"
#include "tools/commands.h"

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
        return orders ? QString()
                      : QStringLiteral(
                            "--events quere números de proba de 0 a 999, como 1,3,5-8,101-125, non «%1»")
                            .arg(list);
    };
}

int scoreLenex(const Command& command, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    results::ScoreOptions options;
    bool replace = false;
    bool dryRun = false;
    CommandLine commandLine(command);
    commandLine.argument(QStringLiteral("RESULTADOS"), QStringLiteral("o ficheiro de resultados"),
                         QStringLiteral("os resultados do programa de xestión, en Lenex (.lxf ou .lef)"));
    commandLine.registerArgument();
    commandLine.checked(QStringLiteral("events"), QStringLiteral("LISTA"),
                        QStringLiteral("só estas probas, polo seu número: 1,3,5-8,101-125"),
                        eventsInto(options.events));
    commandLine.number(QStringLiteral("per-club"), QStringLiteral("N"),
                       QStringLiteral("cantos nadadores de cada club puntúan en cada proba (por omisión, 1)"),
                       1, options.perClub);
    commandLine.flag(
        QStringLiteral("replace"),
        QStringLiteral("substitúe os puntos das probas que xa os teñen (senón quedan como están)"), replace);
    commandLine.flag(QStringLiteral("dry-run"),
                     QStringLiteral("amosa os puntos que se gardarían e non garda nada"), dryRun);
    commandLine.texts(
        QStringLiteral("age-group"), QStringLiteral("ID"),
        QStringLiteral("a categoría de idade que puntúa nas probas que teñen varias (pódese repetir)"),
        options.ageGroups);
    commandLine.note(
        QStringLiteral("Puntúa as probas do ficheiro que están no programa do rexistro, cos puntos que "
                       "propón a xanela, nunha soa transacción."));
    if (const std::optional<int> status = commandLine.read(arguments, out, err))
        return *status;
    const QStringList files = commandLine.arguments();

    const Result<imports::FileResults> file = imports::readLenexResults(files[0]);
    if (!file)
        return fail(err, files[0], file.failure());
    data::OpenOptions opening;
    opening.readOnly = dryRun;
    Result<std::unique_ptr<data::Database>> database = data::Database::open(files[1], opening);
    if (!database)
        return fail(err, files[1], database.failure());
    const Result<results::ScorePlan> plan = results::planScores(*file, **database, options);
    if (!plan)
        return fail(err, files[0], plan.failure());

    out << QStringLiteral("Resultados de «%1» (%2)").arg(plan->meetName, files[0]) << Qt::endl;
    for (const QString& line : results::planLines(*plan, dryRun))
        out << line << Qt::endl;
    if (plan->events.isEmpty()) {
        out << QStringLiteral("Non hai ningunha proba que puntuar.") << Qt::endl;
        return 0;
    }
    if (dryRun) {
        // Which of them the register already scores, as a run would find them.
        const Result<QList<data::EventClubPoints>> scored = (*database)->pointsByEvent();
        if (!scored)
            return fail(err, files[1], scored.failure());
        QSet<double> awarded;
        for (const data::EventClubPoints& row : *scored)
            if (const Result<double> order = text::readStrict(text::valueText(row.order).trimmed()); order)
                awarded.insert(*order);
        QList<double> already;
        for (const results::ScoredEvent& event : plan->events)
            if (awarded.contains(event.order))
                already << event.order;
        if (!already.isEmpty())
            out << QStringLiteral("Xa teñen puntos no rexistro: %1 (%2).")
                       .arg(results::ordersText(already),
                            replace ? QStringLiteral("substituiríanse")
                                    : QStringLiteral("quedarían como están; --replace "
                                                     "para substituílos"))
                << Qt::endl;
        out << QStringLiteral("Non se gardou nada (--dry-run).") << Qt::endl;
        return 0;
    }
    const Result<data::StoredEvents> stored =
        (*database)->storeEventAwards(results::awardsOf(*plan), replace);
    if (!stored)
        return fail(err, files[1], stored.failure());
    if (!stored->leftAlone.isEmpty())
        out << QStringLiteral(
                   "Quedan como estaban, porque xa teñen puntos (--replace para substituílos): %1.")
                   .arg(results::ordersText(stored->leftAlone))
            << Qt::endl;
    if (!stored->replaced.isEmpty())
        out << QStringLiteral("Substituídos os puntos que tiñan: %1.")
                   .arg(results::ordersText(stored->replaced))
            << Qt::endl;
    qsizetype awards = 0;
    for (const results::ScoredEvent& event : plan->events)
        if (stored->stored.contains(double(event.order)))
            awards += event.awards.size();
    out << QStringLiteral("Gardados %1 puntos de %2 probas en %3.")
               .arg(awards)
               .arg(stored->stored.size())
               .arg(data::locate(files[1]).shown())
        << Qt::endl;
    return 0;
}

} // namespace

Command scoreLenexCommand()
{
    return {QStringLiteral("score-lenex"),
            QStringLiteral("puntúa as probas desde os resultados do programa de xestión (Lenex)"),
            &scoreLenex};
}

} // namespace quilvarden::tools
