#pragma once

#include "data/database.h"
#include "imports/lenex.h"
#include "text/failure.h"

#include <QList>
#include <QString>
#include <QStringList>

// Scoring events from the results file of the meet-management program: which events of
// the file are the register's, which clubs take which places, and the awards they give.
namespace quilvarden::results {

struct ScoreOptions {
    QList<int> events;     // order numbers to score; empty: every event of the file
    int perClub = 1;       // swims of one club that take places in an event
    QStringList ageGroups; // age group ids named for events with several and none for all ages
};

// One event ready to store: the awards as the window would record them.
struct ScoredEvent {
    int order = 0;
    QString code;   // the event code of the register's programme
    QString gender; // the gender code of the register's programme
    QList<data::Award> awards;
};

struct ScorePlan {
    QString meetName;
    QList<ScoredEvent> events; // by order number
    QStringList notes;         // events not scored and why; swims that score nothing and why
};

// Plans the awards of the events of the file that are in the register's programme (the
// event of the same order number, with the same event code and gender). The places are the
// file's official ones where it gives them (the ranking of the event's one age group, or of
// the one for every age), else the order of the valid swim times; disqualified, not
// started, not finished, withdrawn and exhibition swims take none, nor swims of a club not
// taking part or of nobody's club (listed). A file none of whose events is the register's
// is refused: it is another meet's.
Result<ScorePlan> planScores(const imports::FileResults& file, data::Database& database,
                             const ScoreOptions& options);

// The plan as the operator reads it: a heading for each event, with the results lines of its
// awards as the results list shows them (unless only the headings are asked for), then the
// notes.
QStringList planLines(const ScorePlan& plan, bool withAwards = true);

// Order numbers as the window writes them, one after another: "03, 07".
QString ordersText(const QList<double>& orders);

// The awards of the plan, for the register.
QList<data::EventAwards> awardsOf(const ScorePlan& plan);

} // namespace quilvarden::results
