#pragma once

#include "text/failure.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The competition's own rules: its points table, how many swims of a club score, ties, and
// the guest clubs that swim without scoring. Stored in the register; a register without
// rules scores by the league's scale (19, 16, 14, 13 and one less a place; relays double).
namespace quilvarden::rules {

// What follows the end of a points table.
enum class After {
    Step, // on down by the table's last difference, never below zero
    Zero, // nothing
};

// Swims of equal rank in an event.
enum class Ties {
    Share, // they share the points of the places they take together
    Full,  // each gets the points of the highest of those places
};

// Clubs of equal total in a standing.
enum class EqualTotals {
    Consecutive, // consecutive positions, in the standing's order
    Shared,      // the same position; the next position skips as many
};

// An event the results rank both for every age and by category (age group, class): which
// ranking scores. The other is then not scored, so that no swim counts twice.
enum class Ranking {
    Categories, // the categories' own rankings, as junior and masters meets score
    Open,       // the ranking for every age
};

struct MeetRules {
    QString name;
    QList<double> individual; // points by place, the first place first
    After after = After::Zero;
    std::optional<QList<double>> relay = {}; // none: twice the individual points
    int individualScorers = 0;               // swims of one club that score in an event; 0: all
    int relayScorers = 0;
    Ties ties = Ties::Share;
    EqualTotals equalTotals = EqualTotals::Consecutive;
    QStringList guests = {}; // club codes that swim but score for nobody
    Ranking ranking = Ranking::Categories;

    bool operator==(const MeetRules&) const = default;

    // The points of a place (1 for the first) of an individual or relay event.
    double pointsFor(qsizetype place, bool relayEvent) const;
    // The cap of an event's kind; 0 for none.
    int scorers(bool relayEvent) const { return relayEvent ? relayScorers : individualScorers; }
    bool isGuest(const QString& clubCode) const;
};

// Whether a club, as an award names it, is one of the guests' names (trimmed, in any case).
bool isGuestName(const QStringList& guestNames, const QString& club);

// The league's scale, as a register without rules scores.
MeetRules leagueRules();

// The presets by the names the tool takes: liga, 9-7-6-5-4-3-2-1, 8-7-6-5-4-3-2-1, 6-4-3-2-1,
// 5-3-1, 20-17-16-15-14-13-12-11-9-7-6-5-4-3-2-1.
QStringList presetNames();
std::optional<MeetRules> preset(const QString& name);

// The rules as JSON ({"name", "individual", "after", "relay", "scorers", "ties",
// "equal_totals", "guests", and "ranking" where it is "open"), and back. Reading refuses, naming the fault,
// what is not such an object: unknown keys, values of the wrong type, negative or unbounded points, a table
// that rises, an empty table, a negative cap.
QByteArray toJson(const MeetRules& rules);
Result<MeetRules> fromJson(const QByteArray& json);

// The points of a table written for people: "9-7-6-5-4-3-2-1", "19,5-16".
QString tableText(const QList<double>& points);
// A table typed by the operator ("9 7 6", "9-7-6", "9, 7, 6", "9;7;6", halves as 2,5 or 2.5
// between other separators than commas), under the same checks as the JSON.
// what names the table in a refusal ("A táboa das remudas").
Result<QList<double>> readTable(const QString& text, const QString& what);

// The failure of rules that cannot be taken, naming the fault.
Failure refusal(const QString& detail);

// A table as the rules take it: some places, none past a bound, none giving more than the
// one before, no negative or unbounded points.
Result<QList<double>> checkedTable(const QList<double>& points, const QString& what);

} // namespace quilvarden::rules
