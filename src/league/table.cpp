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

// What one matchday gives the league: its clubs, and their totals in the men's, women's and
// combined standings by the names the awards carry.
struct MatchdayRead {
    QList<MatchdayClub> clubs;
    QHash<QString, double> totals[3];
    QSet<QString> present[3];
};

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

Result<MatchdayRead> readMatchday(qsizetype number, const Matchday& matchday)
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
        Result<data::StandingsReport> standings = data::buildStandings(database);
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
    for (qsizetype which = 0; which < 3; ++which)
        for (const data::StandingRow& row : read->first.sections[which].rows) {
            const QString club = text::valueText(row.club);
            result.totals[which][club] += row.total.toDouble();
            result.present[which].insert(club);
        }
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

// A league club's line in one standing; none for a club without points in it anywhere.
std::optional<LeagueRow> rowOf(const LeagueClub& club, qsizetype which, const Reads& reads,
                               const QList<MatchdayClub>& clubs)
{
    LeagueRow row{0, club.name, {}, 0};
    bool present = false;
    for (qsizetype matchday = 0; matchday < reads.size(); ++matchday) {
        if (!reads[matchday]) {
            row.points << std::nullopt;
            continue;
        }
        double points = 0;
        for (qsizetype member : club.members)
            if (clubs[member].matchday == matchday) {
                present = present || reads[matchday]->present[which].contains(clubs[member].name);
                points += reads[matchday]->totals[which].value(clubs[member].name);
            }
        row.points << points;
        row.total += points;
    }
    return present ? std::optional(row) : std::nullopt;
}

LeagueStanding standingOf(qsizetype which, const Reads& reads, const QList<MatchdayClub>& clubs,
                          const QList<LeagueClub>& league, rules::EqualTotals equalTotals)
{
    static const char* const headings[] = {text::MenHeading, text::WomenHeading, text::CombinedHeading};
    LeagueStanding standing{
        static_cast<data::Standing>(which), QCoreApplication::translate("Text", headings[which]), {}};
    for (const LeagueClub& club : league)
        if (std::optional<LeagueRow> row = rowOf(club, which, reads, clubs))
            standing.rows << *row;
    // By total, highest first; equal totals by name, as the meet's standings.
    std::stable_sort(standing.rows.begin(), standing.rows.end(), [](const LeagueRow& a, const LeagueRow& b) {
        if (a.total != b.total)
            return a.total > b.total;
        return text::compareNames(a.club, b.club) < 0;
    });
    QList<data::StandingRow> totals;
    for (const LeagueRow& row : standing.rows)
        totals << data::StandingRow{row.club, row.total};
    const QList<qint64> at = data::positions(totals, equalTotals);
    for (qsizetype i = 0; i < standing.rows.size(); ++i)
        standing.rows[i].position = at[i];
    return standing;
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

Result<LeagueTable> buildLeague(const LeagueFile& league)
{
    LeagueTable table{league.name, {}, {}, {}, {}, {}};
    Reads reads;
    QList<MatchdayClub> clubs;
    for (qsizetype i = 0; i < league.matchdays.size(); ++i) {
        const Matchday& matchday = league.matchdays[i];
        table.matchdays << matchday.name;
        table.swum << !matchday.where.isEmpty();
        if (matchday.where.isEmpty()) {
            reads << std::nullopt;
            continue;
        }
        Result<MatchdayRead> read = readMatchday(i, matchday);
        if (!read)
            return read.failure();
        clubs << read->clubs;
        reads << std::move(read).value();
    }
    const Result<Joins> joins = joinsOf(league, clubs);
    if (!joins)
        return joins.failure();
    const QList<LeagueClub> leagueClubs = matchClubs(clubs, *joins);
    for (qsizetype which = 0; which < 3; ++which)
        table.standings << standingOf(which, reads, clubs, leagueClubs, league.equalTotals);
    addChecks(table, clubs, leagueClubs);
    return table;
}

} // namespace quilvarden::league
