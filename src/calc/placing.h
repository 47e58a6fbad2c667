#pragma once

#include "rules/rules.h"
#include "text/failure.h"

#include <QList>
#include <QString>

// Places of an event taken by clubs, from the swims of a results sheet, and their points.
namespace quilvarden::calc {

// The points of the first places of an event by the meet's scale, exactly as the window
// proposes them one after another (19, 16, 14, 13 and one less a place; twice as much for a
// relay); a place past the end of the scale scores zero, never less.
Result<QList<double>> scalePoints(const QString& eventCode, qsizetype places);

// A swim that may take a place: its club, and its rank in the event (the lower first; swims
// of equal rank are tied).
struct RankedSwim {
    qsizetype swim = 0; // the caller's own number for it
    qsizetype club = 0;
    qint64 rank = 0;
};

// A place taken by a club's swim, with its points.
struct TakenPlace {
    qsizetype swim = 0;
    qsizetype club = 0;
    qsizetype place = 0; // 1 for the first; tied swims have the first of the places they take
    double points = 0;
};

// How the places of an event score: the meet's table of the event's kind, how many swims of
// one club take places (0: all of them), and what tied swims get.
struct Placing {
    rules::MeetRules rules;
    bool relay = false;
    int perClub = 1;
};

// Clubs take places in the order of their swims: each club's first perClub swims take the
// next places, its later swims take none (so the second club gets the second place's points
// even when the second swim was the first club's). Tied swims take as many places together;
// they share their points equally (two clubs tied for second get (16 + 14) / 2 each), or by
// the rules' Full ties each gets the points of the first of them (16 each); either way the
// next swim takes the place after theirs.
QList<TakenPlace> placeClubs(QList<RankedSwim> swims, const Placing& placing);

// The same by the league's scale, for the event of that code.
Result<QList<TakenPlace>> placeClubs(QList<RankedSwim> swims, const QString& eventCode, int perClub);

} // namespace quilvarden::calc
