#pragma once

#include "calc/scoring.h"
#include "rules/rules.h"

#include <QString>

#include <optional>

// The points the window proposes by the meet's own table, place after place.
namespace quilvarden::calc {

// Whether the rules score as the league always has: its table, stepping on after its end,
// relays double, no caps, no guests, shared ties. The window then proposes by its text rules
// (the step field, half points), as before the meet had rules of its own. No rules stored is
// the league too.
bool scoresAsLeague(const std::optional<rules::MeetRules>& stored);

// The points text of a place (1 for the first) in an individual or relay event: "9", "12,5",
// "0" past the end of a table that stops there.
QString placePoints(const rules::MeetRules& rules, qsizetype place, bool relayEvent);

// The proposal for a place when the rules change with an event on show: the points of the
// place and, under the league's scale, the step its text rules go on with from there (2 for
// a relay; 1 from the fourth place of an individual event, as "14" leaves it).
Proposal placeProposal(const std::optional<rules::MeetRules>& stored, qsizetype place, bool relayEvent);

// Whether one more award of a club that has awardsBefore in the event goes past the club's
// cap there (no cap: never).
bool pastCap(const rules::MeetRules& rules, bool relayEvent, int awardsBefore);

} // namespace quilvarden::calc
