#pragma once

#include "data/database.h"
#include "data/standings.h"
#include "league/clubs.h"
#include "league/leaguefile.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace quilvarden::league {

// One club's line in a league standing: its points in each matchday (none where the matchday
// is not swum yet) and its total.
struct LeagueRow {
    qint64 position = 0;
    QString club;
    QList<std::optional<double>> points;
    double total = 0;
};

// One group of a split standing: its clubs ranked among themselves, positions from 1.
struct LeagueGroup {
    QString name;
    QList<LeagueRow> rows;
};

// The men's, women's or combined standing of the league (or of one category), by total; once
// split, by group (then rows is empty).
struct LeagueStanding {
    data::Standing which = data::Standing::Men;
    QString heading;
    QList<LeagueRow> rows;
    QString category = {}; // empty for the league's own
    QList<LeagueGroup> groups = {};
};

// A club for the secretary to check, with the names it has in the matchdays where it swam
// ("1ª xornada: CN VIGO").
struct ClubCheck {
    QString club;
    QStringList names;
};

struct LeagueTable {
    QString name;
    QStringList matchdays;
    QList<bool> swum; // by matchday: whether it has a register
    QList<LeagueStanding> standings;
    QList<ClubCheck> matchedByName;   // clubs joined by the name alone
    QList<ClubCheck> oneMatchdayOnly; // clubs found in one matchday only
    QStringList categories = {};      // those whose standings the table holds, in their order
    bool phased = false;              // whether the league is split in phases
    qsizetype splitAfter = -1;        // the matchday the groups shown were made after; -1: none
    bool carry = true;                // whether the groups' totals count the points before it
    QList<qsizetype> waiting = {};    // the matchdays whose split waits for them to be swum
};

// The league's standings from each matchday's register, each opened only to read: the
// league's own three, then (as the scope asks) each category's, a category's totals being the
// sum of that category's totals in each matchday. A register that cannot be opened or read is
// a failure naming its matchday; a category no matchday has is refused naming those they
// have. After the latest phase whose matchday is swum, each standing by the groups of that
// split: the clubs placed by their order in the league's chosen standing up to that matchday
// ("first": the next ones; "rest": all no other group takes); a club left out is refused.
Result<LeagueTable> buildLeague(const LeagueFile& league, const data::StandingsScope& scope = {});

} // namespace quilvarden::league
