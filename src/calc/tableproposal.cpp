#include "tableproposal.h"

#include "text/numbers.h"

namespace quilvarden::calc {

bool scoresAsLeague(const std::optional<rules::MeetRules>& stored)
{
    if (!stored)
        return true;
    // The name and how equal totals rank say nothing of the points of a place.
    const rules::MeetRules league = rules::leagueRules();
    const rules::MeetRules& r = *stored;
    return r.individual == league.individual && r.after == league.after && r.relay == league.relay &&
           r.individualScorers == 0 && r.relayScorers == 0 && r.guests.isEmpty() &&
           r.ties == rules::Ties::Share;
}

QString placePoints(const rules::MeetRules& rules, qsizetype place, bool relayEvent)
{
    return text::writeNumber(rules.pointsFor(place, relayEvent));
}

Proposal placeProposal(const std::optional<rules::MeetRules>& stored, qsizetype place, bool relayEvent)
{
    Proposal proposal{placePoints(stored.value_or(rules::leagueRules()), place, relayEvent), std::nullopt};
    if (scoresAsLeague(stored) && (relayEvent || place >= 4))
        proposal.step = relayEvent ? QStringLiteral("2") : QStringLiteral("1");
    return proposal;
}

bool pastCap(const rules::MeetRules& rules, bool relayEvent, int awardsBefore)
{
    const int cap = rules.scorers(relayEvent);
    return cap > 0 && awardsBefore + 1 > cap;
}

} // namespace quilvarden::calc
