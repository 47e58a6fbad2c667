#include "placing.h"

#include "calc/scoring.h"
#include "text/numbers.h"

#include <QHash>

#include <algorithm>

namespace quilvarden::calc {

Result<QList<double>> scalePoints(const QString& eventCode, qsizetype places)
{
    QList<double> points;
    if (places <= 0)
        return points;
    // The step field holds 1 until an event sets it, as when the window opens.
    const Proposal first = firstPlace(eventCode);
    QString text = first.points;
    QString step = first.step.value_or(QStringLiteral("1"));
    for (;;) {
        const Result<double> value = text::readStrict(text);
        if (!value)
            return value.failure();
        points << std::max(0.0, *value);
        if (points.size() == places)
            return points;
        const Result<Proposal> next = nextPlace(text, step, eventCode);
        if (!next)
            return next.failure();
        text = next->points;
        step = next->step.value_or(step);
    }
}

namespace {

// The swims that take places, in order, each tie a group of its own.
QList<QList<RankedSwim>> placeTakers(QList<RankedSwim> swims, int perClub)
{
    std::stable_sort(swims.begin(), swims.end(),
                     [](const RankedSwim& a, const RankedSwim& b) { return a.rank < b.rank; });
    QList<QList<RankedSwim>> groups;
    QHash<qsizetype, int> taken;
    for (qsizetype i = 0; i < swims.size();) {
        QList<RankedSwim> group;
        const qint64 rank = swims[i].rank;
        for (; i < swims.size() && swims[i].rank == rank; ++i)
            if (perClub <= 0 || taken[swims[i].club] < perClub) {
                ++taken[swims[i].club];
                group << swims[i];
            }
        if (!group.isEmpty())
            groups << group;
    }
    return groups;
}

} // namespace

QList<TakenPlace> placeClubs(QList<RankedSwim> swims, const Placing& placing)
{
    QList<TakenPlace> placed;
    qsizetype next = 0;
    for (const QList<RankedSwim>& group : placeTakers(std::move(swims), placing.perClub)) {
        double points = placing.rules.pointsFor(next + 1, placing.relay);
        if (placing.rules.ties == rules::Ties::Share) {
            for (qsizetype k = 1; k < group.size(); ++k)
                points += placing.rules.pointsFor(next + 1 + k, placing.relay);
            points /= static_cast<double>(group.size());
        }
        for (const RankedSwim& swim : group)
            placed << TakenPlace{swim.swim, swim.club, next + 1, points};
        next += group.size();
    }
    return placed;
}

Result<QList<TakenPlace>> placeClubs(QList<RankedSwim> swims, const QString& eventCode, int perClub)
{
    return placeClubs(std::move(swims), Placing{rules::leagueRules(), isRelay(eventCode), perClub});
}

} // namespace quilvarden::calc
