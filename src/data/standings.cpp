#include "standings.h"

#include "text/lines.h"
#include "text/masks.h"
#include "text/names.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>
#include <cmath>

namespace quilvarden::data {

QString StandingsReport::text() const
{
    QStringList all;
    for (const StandingSection& section : sections) {
        all << section.heading;
        all << section.lines;
    }
    return all.join(QString::fromLatin1(text::StandingsLineBreak));
}

namespace {

// Two values are one club when the database would group them together: same kind of value
// (text, number, Null) and same value.
QString clubKey(const QVariant& club)
{
    if (club.isNull())
        return QStringLiteral("n");
    const bool isText = club.typeId() == QMetaType::QString;
    return (isText ? QStringLiteral("t") : QStringLiteral("v")) + club.toString();
}

// Clubs by total, highest first; a club whose total is Null (no points given) last. Equal
// totals in the alphabetical order of their clubs, as the club list shows them.
QList<StandingRow> ranked(QList<StandingRow> rows)
{
    std::stable_sort(rows.begin(), rows.end(), [](const StandingRow& a, const StandingRow& b) {
        if (a.total.isNull() != b.total.isNull())
            return b.total.isNull();
        if (!a.total.isNull() && a.total.toDouble() != b.total.toDouble())
            return a.total.toDouble() > b.total.toDouble();
        return text::compareNames(text::valueText(a.club), text::valueText(b.club)) < 0;
    });
    return rows;
}

} // namespace

Result<StandingsReport> buildStandings(Database& database)
{
    const Result<QList<ClubTotal>> totals = database.clubTotals();
    if (!totals)
        return totals.failure();

    QList<StandingRow> men;
    QList<StandingRow> women;
    QList<StandingRow> combined;
    QHash<QString, qsizetype> combinedAt;
    // A total past the largest number is an overflow, never shown as "Infinito".
    const auto overflowed = [](const StandingRow& row) {
        return Failure::overflow(QCoreApplication::translate(
                                     "Data", "O total do club «%1» pasa do maior número que se pode sumar.")
                                     .arg(text::valueText(row.club)));
    };
    for (const ClubTotal& total : *totals) {
        if (!total.total.isNull() && !std::isfinite(total.total.toDouble()))
            return overflowed({total.club, total.total});
        // Only the codes M and F exactly; any other code counts in the combined standing.
        const QString gender =
            total.gender.typeId() == QMetaType::QString ? total.gender.toString() : QString();
        if (gender == u"M")
            men.append({total.club, total.total});
        else if (gender == u"F")
            women.append({total.club, total.total});
        const QString key = clubKey(total.club);
        if (auto at = combinedAt.constFind(key); at != combinedAt.constEnd()) {
            QVariant& sum = combined[*at].total;
            if (sum.isNull())
                sum = total.total;
            else if (!total.total.isNull())
                sum = sum.toDouble() + total.total.toDouble();
            if (!sum.isNull() && !std::isfinite(sum.toDouble()))
                return overflowed(combined[*at]);
        } else {
            combinedAt.insert(key, combined.size());
            combined.append({total.club, total.total});
        }
    }

    struct Part {
        Standing which;
        const char* heading;
        QList<StandingRow> rows;
    };
    Part parts[] = {
        {Standing::Men, text::MenHeading, ranked(std::move(men))},
        {Standing::Women, text::WomenHeading, ranked(std::move(women))},
        {Standing::Combined, text::CombinedHeading, ranked(std::move(combined))},
    };
    StandingsReport report;
    for (Part& part : parts) {
        StandingSection section{
            part.which, QCoreApplication::translate("Text", part.heading), std::move(part.rows), {}};
        section.lines.reserve(section.rows.size());
        // Equal totals get consecutive positions, no shared ranks.
        qint64 position = 0;
        for (const StandingRow& row : section.rows)
            section.lines.append(text::standingsLine(++position, row.club, row.total));
        report.sections.append(std::move(section));
    }
    return report;
}

} // namespace quilvarden::data
