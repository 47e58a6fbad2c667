#include "table.h"

#include "data/standings.h"
#include "text/lines.h"
#include "text/masks.h"
#include "text/names.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace quilvarden::league {

namespace {

// The clubs' totals in the men's, women's and combined standings by the names the awards carry.
struct Totals {
    QHash<QString, double> totals[3];
    QSet<QString> present[3];
};

// What one matchday gives the league: its clubs, its totals (by category folded, "" for the
// meet's own) and its categories as it names them.
struct MatchdayRead {
    QList<MatchdayClub> clubs;
    QHash<QString, Totals> byCategory;
    QStringList categories;
    std::optional<rules::EqualTotals> equalTotals; // its meet's rule, where it has rules
};

QString categoryKey(const QString& name)
{
    return name.simplified().toCaseFolded();
}

// The clubs of the meet as its awards carry them, described where the register does.
QList<MatchdayClub> describedClubs(qsizetype matchday, const data::StandingSection& combined,
                                   const data::RegisteredMeet& meet)
{
    QList<MatchdayClub> clubs;
    for (const data::StandingRow& row : combined.rows) {
        MatchdayClub club{matchday, text::valueText(row.club)};
        const auto described = [&](const data::MeetClub& c, const QVariant& field) {
            return c.described && text::valueText(field) == club.name;
        };
        auto found = std::find_if(meet.clubs.cbegin(), meet.clubs.cend(),
                                  [&](const data::MeetClub& c) { return described(c, c.shortName); });
        if (found == meet.clubs.cend())
            found = std::find_if(meet.clubs.cbegin(), meet.clubs.cend(),
                                 [&](const data::MeetClub& c) { return described(c, c.code); });
        if (found != meet.clubs.cend()) {
            club.code = text::valueText(found->code);
            club.fullName = text::cleanName(text::valueText(found->longName));
            club.sourceId = text::valueText(found->sourceId).trimmed();
        }
        clubs << club;
    }
    return clubs;
}

// The league's rule for equal totals, else its latest swum matchday's meet's, else consecutive.
rules::EqualTotals equalTotalsOf(const LeagueFile& league, const QList<std::optional<MatchdayRead>>& reads)
{
    if (league.equalTotals)
        return *league.equalTotals;
    for (auto read = reads.crbegin(); read != reads.crend(); ++read)
        if (*read)
            return (*read)->equalTotals.value_or(rules::EqualTotals::Consecutive);
    return rules::EqualTotals::Consecutive;
}

Result<MatchdayRead> readMatchday(qsizetype number, const Matchday& matchday, bool categories)
{
    const auto named = [&](const Failure& failure) {
        return Failure::database(failure.number,
                                 QCoreApplication::translate("League", "Xornada «%1», rexistro %2: %3")
                                     .arg(matchday.name, data::locate(matchday.where).shown(),
                                          failure.detail.isEmpty() ? failure.description : failure.detail));
    };
    data::OpenOptions reading;
    reading.readOnly = true;
    Result<std::unique_ptr<data::Database>> opened = data::Database::open(matchday.where, reading);
    if (!opened)
        return named(opened.failure());
    data::Database& database = **opened;
    using Both = std::pair<data::StandingsReport, data::RegisteredMeet>;
    const Result<Both> read = database.readTogether<Both>([&]() -> Result<Both> {
        Result<data::StandingsReport> standings =
            data::buildStandings(database, data::StandingsScope{categories, {}});
        if (!standings)
            return standings.failure();
        Result<data::RegisteredMeet> meet = database.meetClubs();
        if (!meet)
            return meet.failure();
        return Both{std::move(standings).value(), std::move(meet).value()};
    });
    if (!read)
        return named(read.failure());
    MatchdayRead result;
    for (const data::StandingSection& section : read->first.sections) {
        Totals& totals = result.byCategory[categoryKey(section.category)];
        const auto which = static_cast<qsizetype>(section.which);
        for (const data::StandingRow& row : section.rows) {
            const QString club = text::valueText(row.club);
            totals.totals[which][club] += row.total.toDouble();
            totals.present[which].insert(club);
        }
    }
    result.categories = read->first.categories;
    if (read->first.rules)
        result.equalTotals = read->first.rules->equalTotals;
    result.clubs = describedClubs(number, read->first.sections[2], read->second);
    return result;
}

Result<QList<qsizetype>> referred(const QStringList& references, const LeagueFile& league,
                                  const QList<MatchdayClub>& clubs)
{
    QList<qsizetype> found;
    for (const QString& reference : references) {
        const Result<qsizetype> club = clubReferred(reference, league.matchdays, clubs);
        if (!club)
            return club.failure();
        found << *club;
    }
    return found;
}

Result<Joins> joinsOf(const LeagueFile& league, const QList<MatchdayClub>& clubs)
{
    Joins joins;
    for (auto [rows, target] : {std::pair{&league.same, &joins.same}, std::pair{&league.apart, &joins.apart}})
        for (const QStringList& row : *rows) {
            Result<QList<qsizetype>> found = referred(row, league, clubs);
            if (!found)
                return found.failure();
            *target << *found;
        }
    return joins;
}

} // namespace

namespace {

using Reads = QList<std::optional<MatchdayRead>>;

// Which standing to add up: men's, women's or combined, of a category ("" for the meet's
// own), the total counting the matchdays from the one given (from 0).
struct Which {
    qsizetype standing = 0;
    QString category;
    qsizetype from = 0;
};

// A league club's line in one standing; none for a club without points in it anywhere.
std::optional<LeagueRow> rowOf(const LeagueClub& club, const Which& which, const Reads& reads,
                               const QList<MatchdayClub>& clubs)
{
    LeagueRow row{0, club.name, {}, 0};
    bool present = false;
    for (qsizetype matchday = 0; matchday < reads.size(); ++matchday) {
        if (!reads[matchday]) {
            row.points << std::nullopt;
            continue;
        }
        const Totals totals = reads[matchday]->byCategory.value(which.category);
        double points = 0;
        for (qsizetype member : club.members)
            if (clubs[member].matchday == matchday) {
                present = present || totals.present[which.standing].contains(clubs[member].name);
                points += totals.totals[which.standing].value(clubs[member].name);
            }
        row.points << points;
        row.total += matchday >= which.from ? points : 0;
    }
    return present ? std::optional(row) : std::nullopt;
}

// The clubs given with points in the standing, by total, with their positions.
QList<LeagueRow> rankedRows(const Which& which, const Reads& reads, const QList<MatchdayClub>& clubs,
                            const QList<LeagueClub>& league, rules::EqualTotals equalTotals)
{
    QList<LeagueRow> rows;
    for (const LeagueClub& club : league)
        if (std::optional<LeagueRow> row = rowOf(club, which, reads, clubs))
            rows << *row;
    // By total, highest first; equal totals by name, as the meet's standings.
    std::stable_sort(rows.begin(), rows.end(), [](const LeagueRow& a, const LeagueRow& b) {
        if (a.total != b.total)
            return a.total > b.total;
        return text::compareNames(a.club, b.club) < 0;
    });
    QList<data::StandingRow> totals;
    for (const LeagueRow& row : rows)
        totals << data::StandingRow{row.club, row.total};
    const QList<qint64> at = data::positions(totals, equalTotals);
    for (qsizetype i = 0; i < rows.size(); ++i)
        rows[i].position = at[i];
    return rows;
}

ClubCheck checkOf(const LeagueClub& club, const QList<MatchdayClub>& clubs, const QStringList& matchdays)
{
    ClubCheck check{club.name, {}};
    for (qsizetype member : club.members)
        check.names << QStringLiteral("%1: %2").arg(matchdays[clubs[member].matchday], clubs[member].name);
    return check;
}

void addChecks(LeagueTable& table, const QList<MatchdayClub>& clubs, const QList<LeagueClub>& league)
{
    for (const LeagueClub& club : league) {
        QSet<qsizetype> matchdays;
        for (qsizetype member : club.members)
            matchdays.insert(clubs[member].matchday);
        if (club.byName)
            table.matchedByName << checkOf(club, clubs, table.matchdays);
        if (matchdays.size() == 1)
            table.oneMatchdayOnly << checkOf(club, clubs, table.matchdays);
    }
    for (QList<ClubCheck>* checks : {&table.matchedByName, &table.oneMatchdayOnly})
        std::stable_sort(checks->begin(), checks->end(), [](const ClubCheck& a, const ClubCheck& b) {
            return text::compareNames(a.club, b.club) < 0;
        });
}

} // namespace

namespace {

// The categories of the matchdays, in the first one's order then the others', each once.
QStringList categoriesOf(const Reads& reads)
{
    QStringList names;
    QSet<QString> seen;
    for (const std::optional<MatchdayRead>& read : reads)
        if (read)
            for (const QString& name : read->categories)
                if (!seen.contains(categoryKey(name))) {
                    seen.insert(categoryKey(name));
                    names << name;
                }
    return names;
}

// The categories whose standings the scope asks for; a name none has is refused with theirs.
Result<QStringList> categoriesAsked(const Reads& reads, const data::StandingsScope& scope)
{
    const QStringList all = categoriesOf(reads);
    if (scope.category.isEmpty())
        return scope.allCategories ? all : QStringList();
    for (const QString& name : all)
        if (categoryKey(name) == categoryKey(scope.category))
            return QStringList{name};
    return Failure::database(
        Failure::InvalidArgument,
        QCoreApplication::translate("League", "Ningunha xornada da liga ten a categoría «%1». Teñen: %2.")
            .arg(scope.category.trimmed(), all.isEmpty() ? QCoreApplication::translate("League", "ningunha")
                                                         : all.join(QStringLiteral(", "))));
}

// The league's clubs by the groups of the split, placed by their order in the phase's standing
// up to its matchday; a club no group takes is refused.
Result<QList<QList<LeagueClub>>> splitClubs(const Phase& phase, const LeagueTable& table, const Reads& reads,
                                            const QList<MatchdayClub>& clubs, const QList<LeagueClub>& league)
{
    Reads upTo = reads;
    for (qsizetype i = phase.after + 1; i < upTo.size(); ++i)
        upTo[i].reset();
    QList<std::pair<LeagueRow, qsizetype>> order;
    for (qsizetype i = 0; i < league.size(); ++i)
        if (std::optional<LeagueRow> row =
                rowOf(league[i], Which{qsizetype(phase.standing), {}, 0}, upTo, clubs))
            order << std::pair{*row, i};
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
        return a.first.total != b.first.total ? a.first.total > b.first.total
                                              : text::compareNames(a.first.club, b.first.club) < 0;
    });
    QList<qsizetype> groupOf(league.size(), -1);
    qsizetype cursor = 0;
    for (qsizetype g = 0; g < phase.groups.size(); ++g) {
        const PhaseGroup& group = phase.groups[g];
        for (qsizetype taken = 0; taken < group.first && cursor < order.size(); ++cursor)
            if (groupOf[order[cursor].second] < 0) {
                groupOf[order[cursor].second] = g;
                ++taken;
            }
        for (qsizetype position : group.positions)
            if (position <= order.size() && groupOf[order[position - 1].second] < 0)
                groupOf[order[position - 1].second] = g;
    }
    const auto rest = std::find_if(phase.groups.cbegin(), phase.groups.cend(),
                                   [](const PhaseGroup& group) { return group.rest; });
    QList<QList<LeagueClub>> groups(phase.groups.size());
    for (qsizetype i = 0; i < league.size(); ++i) {
        if (groupOf[i] < 0 && rest == phase.groups.cend())
            return Failure::database(
                Failure::InvalidArgument,
                QCoreApplication::translate(
                    "League", "Tras «%1», o club «%2» non cabe en ningún grupo: falta un grupo con «rest».")
                    .arg(table.matchdays[phase.after], league[i].name));
        groups[groupOf[i] < 0 ? rest - phase.groups.cbegin() : groupOf[i]] << league[i];
    }
    return groups;
}

// Everything the standings are made of.
struct Sources {
    const Reads& reads;
    const QList<MatchdayClub>& clubs;
    const QList<LeagueClub>& league;
    rules::EqualTotals equalTotals;
    const Phase* phase;                     // the split shown; none: undivided
    const QList<QList<LeagueClub>>& groups; // its clubs by group
};

LeagueStanding standingOf(qsizetype which, const QString& category, const Sources& from)
{
    static const char* const headings[] = {text::MenHeading, text::WomenHeading, text::CombinedHeading};
    const QString heading = QCoreApplication::translate("Text", headings[which]);
    LeagueStanding standing{
        static_cast<data::Standing>(which),
        category.isEmpty() ? heading : QCoreApplication::translate("Text", "%1: %2").arg(heading, category),
        {},
        category};
    if (!from.phase) {
        standing.rows = rankedRows(Which{which, categoryKey(category), 0}, from.reads, from.clubs,
                                   from.league, from.equalTotals);
        return standing;
    }
    const Which counted{which, categoryKey(category), from.phase->carry ? 0 : from.phase->after + 1};
    for (qsizetype g = 0; g < from.groups.size(); ++g)
        standing.groups << LeagueGroup{
            from.phase->groups[g].name,
            rankedRows(counted, from.reads, from.clubs, from.groups[g], from.equalTotals)};
    return standing;
}

// The phase whose groups are shown, the latest of those whose matchday is swum; the others
// wait for theirs.
const Phase* phaseShown(const LeagueFile& league, LeagueTable& table)
{
    const Phase* shown = nullptr;
    for (const Phase& phase : league.phases) {
        if (table.swum[phase.after])
            shown = &phase;
        else
            table.waiting << phase.after;
    }
    table.phased = !league.phases.isEmpty();
    table.splitAfter = shown ? shown->after : -1;
    table.carry = shown ? shown->carry : true;
    return shown;
}

} // namespace

Result<LeagueTable> buildLeague(const LeagueFile& league, const data::StandingsScope& scope)
{
    LeagueTable table{league.name, {}, {}, {}, {}, {}};
    Reads reads;
    QList<MatchdayClub> clubs;
    const bool categories = scope.allCategories || !scope.category.isEmpty();
    for (qsizetype i = 0; i < league.matchdays.size(); ++i) {
        const Matchday& matchday = league.matchdays[i];
        table.matchdays << matchday.name;
        table.swum << !matchday.where.isEmpty();
        if (matchday.where.isEmpty()) {
            reads << std::nullopt;
            continue;
        }
        Result<MatchdayRead> read = readMatchday(i, matchday, categories);
        if (!read)
            return read.failure();
        clubs << read->clubs;
        reads << std::move(read).value();
    }
    const Result<QStringList> asked = categoriesAsked(reads, scope);
    if (!asked)
        return asked.failure();
    table.categories = *asked;
    const Result<Joins> joins = joinsOf(league, clubs);
    if (!joins)
        return joins.failure();
    const QList<LeagueClub> leagueClubs = matchClubs(clubs, *joins);
    const Phase* phase = phaseShown(league, table);
    Result<QList<QList<LeagueClub>>> groups = QList<QList<LeagueClub>>();
    if (phase)
        groups = splitClubs(*phase, table, reads, clubs, leagueClubs);
    if (!groups)
        return groups.failure();
    const Sources sources{reads, clubs, leagueClubs, equalTotalsOf(league, reads), phase, *groups};
    QStringList shown = table.categories;
    if (scope.category.isEmpty())
        shown.prepend(QString());
    for (const QString& category : shown)
        for (qsizetype which = 0; which < 3; ++which)
            table.standings << standingOf(which, category, sources);
    addChecks(table, clubs, leagueClubs);
    return table;
}

} // namespace quilvarden::league
