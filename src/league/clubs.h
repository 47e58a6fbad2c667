#pragma once

#include "league/leaguefile.h"
#include "text/failure.h"

#include <QList>
#include <QString>

#include <optional>

namespace quilvarden::league {

// A club as one matchday's awards carry it, with what that matchday's register tells of it.
struct MatchdayClub {
    qsizetype matchday = 0; // from 0, in the league's order
    QString name;           // the short name the awards carry
    QString code = {};      // CLUBDESC.CLUBCODE; empty for a club the register does not describe
    QString fullName = {};  // LONGDESC
    QString sourceId = {};  // the Lenex club id the import kept
};

// A club of the league: its clubs in the matchdays (by their place in the list matched), the
// name it is shown by, and whether one of them was joined to the others by the name alone.
struct LeagueClub {
    QString name;
    QList<qsizetype> members;
    bool byName = false;
};

// The clubs the secretary joins and keeps apart, by their place in the list matched.
struct Joins {
    QList<QList<qsizetype>> same;
    QList<QList<qsizetype>> apart;
};

// A matchday by its register's name without extension, by its own name (in any case) or by its
// number from 1; none for a word that names none.
std::optional<qsizetype> matchdayReferred(const QString& word, const QList<Matchday>& matchdays);

// The club of a MATCHDAY:CLUB reference. The matchday by its register's name without
// extension, by its own name or by its number from 1; the club by its code or by the short
// name its awards carry. An unknown one is refused, named.
Result<qsizetype> clubReferred(const QString& reference, const QList<Matchday>& matchdays,
                               const QList<MatchdayClub>& clubs);

// The league's clubs: those of different matchdays with the same Lenex id, else the same code
// and short name, else the same full name (the short name where there is none) with case and
// accents ignored, are one, unless kept apart; those joined are one whatever the rules say.
// Two clubs of one matchday are never joined by the rules. Shown by the latest matchday's full
// name, or its short name where it has none.
QList<LeagueClub> matchClubs(const QList<MatchdayClub>& clubs, const Joins& joins);

} // namespace quilvarden::league
