#pragma once

#include "rules/rules.h"
#include "text/failure.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace quilvarden::league {

// One meet of the league: its name and its register (a file, found from the league file's
// folder, or a server's URI); none for a matchday not swum yet.
struct Matchday {
    QString name;
    QString where;
};

// A league as its file describes it: the matchdays in order, the clubs the secretary joins
// ("same") or keeps apart ("apart") as MATCHDAY:CLUB references, and how equal totals rank.
struct LeagueFile {
    QString name;
    QList<Matchday> matchdays;
    QList<QStringList> same;
    QList<QStringList> apart;
    rules::EqualTotals equalTotals = rules::EqualTotals::Consecutive;
};

// Reads a league file strictly: an unknown key, a value of the wrong kind or a missing one is
// refused, named. Registers that are files are taken from the folder given.
Result<LeagueFile> leagueFromJson(const QByteArray& json, const QString& folder);
// The same from a file, its registers beside it.
Result<LeagueFile> readLeagueFile(const QString& path);

} // namespace quilvarden::league
