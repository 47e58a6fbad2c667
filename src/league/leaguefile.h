#pragma once

#include "data/database.h"
#include "rules/rules.h"
#include "text/failure.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace quilvarden::league {

// One meet of the league: its name and its register (a file, found from the league file's
// folder, or a server's URI); none for a matchday not swum yet.
struct Matchday {
    QString name;
    QString where;
};

// One group of a split: its name and which positions of the standing it takes, the next
// "first" ones, the positions listed (from 1), or every club no other group takes ("rest").
struct PhaseGroup {
    QString name;
    qsizetype first = 0;
    QList<qsizetype> positions;
    bool rest = false;
};

// A split of the league's clubs into groups by their places in one standing after a matchday
// (from 0); "carry": whether the points before the split still count in the groups' totals.
struct Phase {
    qsizetype after = 0;
    QList<PhaseGroup> groups;
    bool carry = true;
    data::Standing standing = data::Standing::Combined;
};

// A league as its file describes it: the matchdays in order, the clubs the secretary joins
// ("same") or keeps apart ("apart") as MATCHDAY:CLUB references, and how equal totals rank.
struct LeagueFile {
    QString name;
    QList<Matchday> matchdays;
    QList<QStringList> same;
    QList<QStringList> apart;
    // The league's own rule for equal totals; none: the rule of its latest matchday's meet.
    std::optional<rules::EqualTotals> equalTotals = {};
    QList<Phase> phases = {};
};

// Reads a league file strictly: an unknown key, a value of the wrong kind or a missing one is
// refused, named. Registers that are files are taken from the folder given.
Result<LeagueFile> leagueFromJson(const QByteArray& json, const QString& folder);
// The same from a file, its registers beside it.
Result<LeagueFile> readLeagueFile(const QString& path);

} // namespace quilvarden::league
