#pragma once

#include "league/table.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quilvarden::league {

// The league's name and matchdays, then each standing under its heading in fixed columns
// ("Pos  Club  X1  X2  X3  Total", points as the standings write them, nothing under a
// matchday not swum yet), then the clubs for the secretary to check; CR LF line breaks.
QString asText(const LeagueTable& table);
// The lines that tell the phases: after which matchday the groups shown were made (and
// whether their totals count only the matchdays after it), and which splits wait.
QStringList phaseLines(const LeagueTable& table);
// One row per club and standing: standing, position, club, its points in each matchday
// (empty where not swum yet) and its total, as the standings' CSV writes them.
QString asCsv(const LeagueTable& table);
// For programs: the league, its matchdays, each standing's clubs with their points by
// matchday (null where not swum yet) and total, and the clubs to check, as UTF-8 JSON.
QByteArray asJson(const LeagueTable& table);

} // namespace quilvarden::league
