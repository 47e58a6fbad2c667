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

// Two totals that share a position: equal numbers, or both Null.
bool sameTotal(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    return a.toDouble() == b.toDouble();
}

// A standing's rows in order: the clubs in competition with their positions and lines, then
// the guests' clubs, without positions.
StandingSection sectionOf(Standing which, const char* heading, QList<StandingRow> rows,
                          rules::EqualTotals equalTotals, const QStringList& guestNames)
{
    QList<StandingRow> competing;
    QList<StandingRow> guests;
    for (StandingRow& row : ranked(std::move(rows))) {
        row.guest = !row.club.isNull() && rules::isGuestName(guestNames, text::valueText(row.club));
        (row.guest ? guests : competing).append(std::move(row));
    }
    StandingSection section{which, QCoreApplication::translate("Text", heading), {}, {}};
    const QList<qint64> at = positions(competing, equalTotals);
    for (qsizetype i = 0; i < competing.size(); ++i) {
        competing[i].position = at[i];
        section.lines.append(text::standingsLine(at[i], competing[i].club, competing[i].total));
    }
    for (const StandingRow& guest : guests)
        section.lines.append(text::guestStandingsLine(guest.club, guest.total));
    section.rows = std::move(competing) + std::move(guests);
    return section;
}

} // namespace

QList<qint64> positions(const QList<StandingRow>& ranked, rules::EqualTotals equalTotals)
{
    QList<qint64> at;
    at.reserve(ranked.size());
    for (qsizetype i = 0; i < ranked.size(); ++i) {
        const bool shares = equalTotals == rules::EqualTotals::Shared && i > 0 &&
                            sameTotal(ranked[i - 1].total, ranked[i].total);
        at.append(shares ? at.last() : i + 1);
    }
    return at;
}

namespace {

// The clubs' totals by standing: the men's, the women's and the combined.
struct ByStanding {
    QList<StandingRow> men;
    QList<StandingRow> women;
    QList<StandingRow> combined;
};

Result<ByStanding> byStanding(const QList<ClubTotal>& totals)
{
    ByStanding parts;
    QHash<QString, qsizetype> combinedAt;
    // A total past the largest number is an overflow, never shown as "Infinito".
    const auto overflowed = [](const StandingRow& row) {
        return Failure::overflow(QCoreApplication::translate(
                                     "Data", "O total do club «%1» pasa do maior número que se pode sumar.")
                                     .arg(text::valueText(row.club)));
    };
    for (const ClubTotal& total : totals) {
        if (!total.total.isNull() && !std::isfinite(total.total.toDouble()))
            return overflowed({total.club, total.total});
        // Only the codes M and F exactly; any other code counts in the combined standing.
        const QString gender =
            total.gender.typeId() == QMetaType::QString ? total.gender.toString() : QString();
        if (gender == u"M")
            parts.men.append({total.club, total.total});
        else if (gender == u"F")
            parts.women.append({total.club, total.total});
        const QString key = clubKey(total.club);
        if (auto at = combinedAt.constFind(key); at != combinedAt.constEnd()) {
            QVariant& sum = parts.combined[*at].total;
            if (sum.isNull())
                sum = total.total;
            else if (!total.total.isNull())
                sum = sum.toDouble() + total.total.toDouble();
            if (!sum.isNull() && !std::isfinite(sum.toDouble()))
                return overflowed(parts.combined[*at]);
        } else {
            combinedAt.insert(key, parts.combined.size());
            parts.combined.append({total.club, total.total});
        }
    }
    return parts;
}

} // namespace

QString standingName(Standing which)
{
    switch (which) {
    case Standing::Men:
        return QStringLiteral("Masculina");
    case Standing::Women:
        return QStringLiteral("Feminina");
    case Standing::Combined:
        break;
    }
    return QStringLiteral("Conxunta");
}

std::optional<QString> categoryNamed(const QStringList& categories, const QString& name)
{
    const QString wanted = name.simplified();
    for (const QString& category : categories)
        if (category.simplified().compare(wanted, Qt::CaseInsensitive) == 0)
            return category;
    return std::nullopt;
}

namespace {

// The meet's categories, then any that only awards name (in alphabetical order).
Result<QStringList> categoryNames(Database& database, const QList<ClubTotal>& totals)
{
    const Result<QList<MeetCategory>> meet = database.meetCategories();
    if (!meet)
        return meet.failure();
    QStringList names;
    for (const MeetCategory& category : *meet)
        names << category.name;
    QStringList others;
    for (const ClubTotal& total : totals)
        if (!names.contains(total.category) && !others.contains(total.category))
            others << total.category;
    std::sort(others.begin(), others.end(),
              [](const QString& a, const QString& b) { return text::compareNames(a, b) < 0; });
    return names + others;
}

Failure unknownCategory(const QString& name, const QStringList& names)
{
    const QString known =
        names.isEmpty() ? QCoreApplication::translate("Data", "ningunha") : names.join(QStringLiteral(", "));
    return Failure::database(
        Failure::InvalidArgument,
        QCoreApplication::translate("Data", "O campionato non ten a categoría «%1». Ten: %2.")
            .arg(name.simplified(), known));
}

} // namespace

Result<StandingsReport> buildStandings(Database& database, const StandingsScope& scope)
{
    Result<std::optional<rules::MeetRules>> stored = database.meetRules();
    if (!stored)
        return stored.failure();
    const rules::MeetRules effective = stored->value_or(rules::leagueRules());
    const Result<QStringList> guestNames = database.guestClubNames(effective);
    if (!guestNames)
        return guestNames.failure();
    const bool categories = scope.allCategories || !scope.category.isEmpty();
    const Result<QList<ClubTotal>> byCategory = categories ? database.categoryTotals() : QList<ClubTotal>();
    if (!byCategory)
        return byCategory.failure();
    Result<QStringList> names = categoryNames(database, *byCategory);
    if (!names)
        return names.failure();
    StandingsReport report{{}, std::move(stored).value(), *names};
    const auto addThree = [&](const QList<ClubTotal>& totals, const QString& category) -> Outcome {
        Result<ByStanding> parts = byStanding(totals);
        if (!parts)
            return parts.failure();
        for (auto [which, heading, rows] :
             {std::tuple{Standing::Men, text::MenHeading, &parts->men},
              std::tuple{Standing::Women, text::WomenHeading, &parts->women},
              std::tuple{Standing::Combined, text::CombinedHeading, &parts->combined}}) {
            StandingSection section =
                sectionOf(which, heading, std::move(*rows), effective.equalTotals, *guestNames);
            if (!category.isEmpty())
                section.heading =
                    QCoreApplication::translate("Text", "%1: %2").arg(section.heading, category);
            section.category = category;
            report.sections.append(std::move(section));
        }
        return Done{};
    };
    QStringList wanted = scope.allCategories ? *names : QStringList();
    if (!scope.category.isEmpty()) {
        const std::optional<QString> named = categoryNamed(*names, scope.category);
        if (!named)
            return unknownCategory(scope.category, *names);
        wanted = {*named};
    } else {
        const Result<QList<ClubTotal>> totals = database.clubTotals();
        if (!totals)
            return totals.failure();
        if (Outcome added = addThree(*totals, {}); !added)
            return added.failure();
    }
    for (const QString& category : wanted) {
        QList<ClubTotal> totals;
        for (const ClubTotal& total : *byCategory)
            if (total.category == category)
                totals.append(total);
        if (Outcome added = addThree(totals, category); !added)
            return added.failure();
    }
    return report;
}

} // namespace quilvarden::data
