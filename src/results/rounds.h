#pragma once

#include "imports/lenex.h"

#include <QList>
#include <QString>

#include <utility>

// The rounds of the events of a results file, and which of them decides each event.
namespace quilvarden::results {

// An event of the results file as it is scored: the rounds whose results decide it.
struct DecidingRounds {
    int number = 0; // the order number its awards carry: the deciding round's
    // The final; or a timed final (with its fastest heats, where they are a round of their
    // own); or the only round there is. Never heats or semi-finals before a final, never a
    // swim-off.
    QList<const imports::FileEvent*> rounds;
    QStringList ids;            // the event ids of all its rounds
    bool earlierRounds = false; // heats or semi-finals came before the deciding round
    QString shown;              // the deciding round as the operator reads it ("final")
};

struct EventsOfFile {
    QList<DecidingRounds> events; // by order number
    // Order numbers that are only rounds of another event (heats under a number of their
    // own, a swim-off), with why they do not score.
    QList<std::pair<int, QString>> notScored;
};

// Groups the EVENT elements of a file into events: the rounds that share a number, and the
// rounds linked as the round before one another (preveventid), are one event.
EventsOfFile eventsOfFile(const QList<imports::FileEvent>& events);

} // namespace quilvarden::results
