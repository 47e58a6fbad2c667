#pragma once

#include "data/database.h"
#include "imports/lenex.h"
#include "text/failure.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Scoring events from the results file of the meet-management program: which events of
// the file are the register's, which round of each decides it, which clubs take which
// places, and the awards they give.
namespace quilvarden::results {

struct ScoreOptions {
    QList<int> events; // order numbers to score; empty: every event of the file
    // Swims of one club that take places in an event; when not given, the cap of the
    // register's rules for the event's kind (0: all), or 1 in a register without rules.
    std::optional<int> perClub;
    QStringList ageGroups; // age group ids that score alone, as their event's one ranking
    // The categories to score in the events scored by category, by name in any case; empty:
    // every one. Events scored by one ranking score as always.
    QStringList categories;
};

// A category of an event that is not scored, and why.
struct CategoryLeftOut {
    QString category;
    QString why;
};

// One event ready to store: the awards as the window would record them.
struct ScoredEvent {
    int order = 0;
    QString code;   // the event code of the register's programme
    QString gender; // the gender code of the register's programme
    QString round;  // the round scored, as the operator reads it: "final", "final directa"...
    QList<data::Award> awards;
    QStringList categories = {};         // those scored (their awards carry them); empty: none
    QList<CategoryLeftOut> leftOut = {}; // the event's categories not scored
    QStringList only = {};               // as data::EventAwards::only
};

struct ScorePlan {
    QString meetName; // the results' meet, cleaned to one line
    QString rules;    // the name of the register's rules; empty in a register without them
    // The results' meet as the register marks the awards stored from it, so that a later
    // export of the same meet finds them (empty when the file does not say which meet).
    QString source;
    // Why the file seems another meet's than the programme's (its name, dates, or event
    // ids); empty when it is the programme's meet, or nothing tells.
    QString otherMeet;
    int orderPlaces = 2;       // of the results lines, as the programme's numbers need
    QList<ScoredEvent> events; // by order number
    QStringList notes;         // events not scored and why; swims that score nothing and why
};

// Plans the awards of the events of the file that are in the register's programme (the
// event of the same order number, with the same event code and gender). Of the rounds of an
// event (the same number, or linked as the round before), the final decides, else a timed
// final or the only round; heats and swim-offs never score, and an event whose final has no
// results yet waits. The places are the file's official ones where it gives them (the
// ranking of the event's age group named in the options, or of the one for every age),
// else the order of the valid swim times. An event the file ranks by categories (age groups
// or classes that are not every age; a class of para swimmers never is) scores each of them
// apart, its awards carrying the category's name, by the group's ranking, else by the times
// of the swimmers its ages, class and gender take in; where the file also ranks the event
// for every age, the rules say which of the two scores. Disqualified, not
// started, not finished, withdrawn and exhibition swims take none, nor swims of a club not
// taking part, of nobody's club or of a guest club (listed). The points, the cap and the
// ties are the register's rules, or the league's scale without them. A ranking that cannot
// be told (two swims under one result id, a place that is no number) leaves its event out,
// listed. A file none of whose events is the register's is refused: it is another meet's.
Result<ScorePlan> planScores(const imports::FileResults& file, data::Database& database,
                             const ScoreOptions& options);

// The categories of the file's events (age groups and classes that are not every age), in
// the order the file first gives them, spelled as the register's categories of those names.
Result<QStringList> fileCategories(const imports::FileResults& file, data::Database& database);

// The first line of the output: the results' meet and the file read.
QString planHeading(const ScorePlan& plan, const QString& file);

// The plan as the operator reads it: the rules it scores by (in a register that has them),
// a heading for each event (its round, awards and points), with the results lines of its
// awards as the results list shows them (unless only the headings are asked for), then the
// notes.
QStringList planLines(const ScorePlan& plan, bool withAwards = true);

// What storing the plan did (or, for a dry run, would do), event by event where it was not
// simply stored (replaceHint follows the events left alone), then how many awards and points
// were stored in how many events (in where, when given).
QStringList storedLines(const ScorePlan& plan, const data::StoredEvents& stored, bool dryRun,
                        const QString& replaceHint = {}, const QString& where = {});

// Order numbers as the window writes them, one after another: "03, 07".
QString ordersText(const QList<double>& orders);

// The awards of the plan, for the register.
QList<data::EventAwards> awardsOf(const ScorePlan& plan);

// How the register is told where the plan's awards come from, to store them.
data::StoreOptions storeOptions(const ScorePlan& plan, bool replace, bool dryRun = false);

} // namespace quilvarden::results
