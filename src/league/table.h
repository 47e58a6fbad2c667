#pragma once

#include "data/database.h"
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

// The men's, women's or combined standing of the league, by total.
struct LeagueStanding {
    data::Standing which = data::Standing::Men;
    QString heading;
    QList<LeagueRow> rows;
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
};

// The league's standings from each matchday's register, each opened only to read. A register
// that cannot be opened or read is a failure naming its matchday.
Result<LeagueTable> buildLeague(const LeagueFile& league);

} // namespace quilvarden::league
