#include "scorelenex.h"

#include "data/location.h"
#include "imports/filemeet.h"
#include "results/scorefile.h"
#include "text/masks.h"
#include "text/numbers.h"
#include "tools/dbtool.h"

#include <QSet>

namespace quilvarden::tools {

namespace {

// "1,3,5-8": order numbers from 0 to 999.
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

} // namespace

int scoreLenex(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList files;
    results::ScoreOptions options;
    bool replace = false;
    bool dryRun = false;
    bool otherMeet = false;
    const auto usage = [&err](const QString& why) {
        err << QStringLiteral(
                   "quilvarden-db: %1\nUso: quilvarden-db score-lenex RESULTADOS.lxf|.lef FICHEIRO "
                   "[--events LISTA] [--per-club N] [--replace] [--dry-run] [--age-group ID]")
                   .arg(why)
            << Qt::endl;
        return ExitUsage;
    };
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool valued = i + 1 < arguments.size();
        if (argument == u"--replace") {
            replace = true;
        } else if (argument == u"--dry-run") {
            dryRun = true;
        } else if (argument == u"--other-meet") {
            otherMeet = true;
        } else if (argument == u"--events" && valued) {
            const std::optional<QList<int>> orders = orderList(arguments[++i]);
            if (!orders)
                return usage(QStringLiteral("--events quere números de proba de 0 a 999, como 1,3,5-8"));
            options.events = *orders;
        } else if (argument == u"--per-club" && valued) {
            bool number = false;
            options.perClub = arguments[++i].toInt(&number);
            if (!number || options.perClub < 1)
                return usage(QStringLiteral("--per-club quere un número enteiro de 1 en diante"));
        } else if (argument == u"--age-group" && valued) {
            options.ageGroups << arguments[++i];
        } else if (!argument.startsWith(QStringLiteral("--")) && files.size() < 2) {
            files << argument;
        } else {
            return usage(QStringLiteral("argumento descoñecido: %1").arg(argument));
        }
    }
    if (files.size() != 2)
        return usage(QStringLiteral("faltan o ficheiro de resultados e a base de datos"));

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

    out << results::planHeading(*plan, files[0]) << Qt::endl;
    if (!plan->otherMeet.isEmpty() && !otherMeet)
        return fail(
            err, files[0],
            imports::importFileFailure(
                files[0], QStringLiteral("parece doutro campionato que o programa do rexistro: %1. Non se "
                                         "gardou nada; se son os resultados deste campionato, engade "
                                         "--other-meet.")
                              .arg(plan->otherMeet)));
    for (const QString& line : results::planLines(*plan, dryRun))
        out << line << Qt::endl;
    if (!plan->otherMeet.isEmpty())
        out << QStringLiteral("Puntúase aínda que parece doutro campionato (--other-meet): %1.")
                   .arg(plan->otherMeet)
            << Qt::endl;
    if (plan->events.isEmpty()) {
        out << QStringLiteral("Non hai ningunha proba que puntuar.") << Qt::endl;
        return 0;
    }
    const Result<data::StoredEvents> stored = (*database)->storeEventAwards(
        results::awardsOf(*plan), results::storeOptions(*plan, replace, dryRun));
    if (!stored)
        return fail(err, files[1], stored.failure());
    for (const QString& line : results::storedLines(
             *plan, *stored, dryRun, replace ? QString() : QStringLiteral(" (--replace para substituílos)"),
             data::locate(files[1]).shown()))
        out << line << Qt::endl;
    if (dryRun)
        out << QStringLiteral("Non se gardou nada (--dry-run).") << Qt::endl;
    return 0;
}

} // namespace quilvarden::tools
