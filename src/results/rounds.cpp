#include "rounds.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>
#include <map>
#include <numeric>

namespace quilvarden::results {

namespace {

// How far into an event a round is: a swim-off decides nothing (-1); heats, quarter- and
// semi-finals come before the final; a timed final, or a round the file does not name, is
// the event's only ranking.
int stage(const QString& round)
{
    if (round == u"SOP" || round == u"SOS" || round == u"SOQ")
        return -1;
    if (round == u"PRE")
        return 1;
    if (round == u"QUA")
        return 2;
    if (round == u"SEM")
        return 3;
    if (round == u"FIN")
        return 5;
    return 4;
}

QString roundShown(const QString& round, bool only)
{
    if (round == u"FIN")
        return QCoreApplication::translate("Results", "final");
    if (round == u"TIM" || round == u"FHT")
        return QCoreApplication::translate("Results", "final directa");
    if (round == u"SEM")
        return QCoreApplication::translate("Results", "semifinal");
    if (round == u"QUA")
        return QCoreApplication::translate("Results", "cuartos de final");
    if (round == u"PRE")
        return only ? QCoreApplication::translate("Results", "eliminatorias, a única rolda")
                    : QCoreApplication::translate("Results", "eliminatorias");
    if (round == u"SOP" || round == u"SOS" || round == u"SOQ")
        return QCoreApplication::translate("Results", "desempate");
    return QCoreApplication::translate("Results", "rolda única");
}

// The events linked into one: the same number, or a round before another.
QList<QList<qsizetype>> linkedRounds(const QList<imports::FileEvent>& events)
{
    QList<qsizetype> parent(events.size());
    std::iota(parent.begin(), parent.end(), 0);
    const auto root = [&parent](qsizetype i) {
        while (parent[i] != i)
            i = parent[i] = parent[parent[i]];
        return i;
    };
    const auto join = [&](qsizetype a, qsizetype b) { parent[root(a)] = root(b); };
    QHash<int, qsizetype> byNumber;
    QHash<QString, qsizetype> byId;
    for (qsizetype i = 0; i < events.size(); ++i) {
        if (const auto seen = byNumber.constFind(events[i].number); seen != byNumber.constEnd())
            join(i, *seen);
        byNumber.insert(events[i].number, i);
        if (!events[i].id.isEmpty())
            byId.insert(events[i].id, i);
    }
    for (qsizetype i = 0; i < events.size(); ++i)
        if (const auto before = byId.constFind(events[i].previousId);
            !events[i].previousId.isEmpty() && before != byId.constEnd())
            join(i, *before);
    std::map<qsizetype, QList<qsizetype>> groups; // by the first event of each, in the file's order
    QHash<qsizetype, qsizetype> firstOf;          // of each group, by its root
    for (qsizetype i = 0; i < events.size(); ++i) {
        const qsizetype group = root(i);
        if (!firstOf.contains(group))
            firstOf.insert(group, i);
        groups[firstOf.value(group)] << i;
    }
    QList<QList<qsizetype>> linked;
    for (auto& [first, group] : groups)
        linked << group;
    return linked;
}

} // namespace

EventsOfFile eventsOfFile(const QList<imports::FileEvent>& events)
{
    EventsOfFile found;
    for (const QList<qsizetype>& group : linkedRounds(events)) {
        int deciding = -1;
        for (const qsizetype i : group)
            deciding = std::max(deciding, stage(events[i].round));
        DecidingRounds event;
        for (const qsizetype i : group) {
            event.ids << events[i].id;
            if (stage(events[i].round) == deciding && deciding > 0)
                event.rounds << &events[i];
            else if (stage(events[i].round) > 0)
                event.earlierRounds = true;
        }
        if (event.rounds.isEmpty()) {
            for (const qsizetype i : group)
                found.notScored.append({events[i].number, QCoreApplication::translate(
                                                              "Results", "é un desempate, que non puntúa")});
            continue;
        }
        const imports::FileEvent& first = *event.rounds.first();
        event.number = first.number;
        event.shown = roundShown(first.round, group.size() == 1);
        QList<int> others;
        for (const qsizetype i : group)
            if (events[i].number != event.number && !others.contains(events[i].number))
                others << events[i].number;
        for (const int number : others)
            found.notScored.append(
                {number,
                 QCoreApplication::translate(
                     "Results", "é unha rolda previa ou un desempate da proba %1, que se puntúa pola súa %2")
                     .arg(QString::number(event.number), event.shown)});
        found.events << event;
    }
    std::stable_sort(found.events.begin(), found.events.end(),
                     [](const DecidingRounds& a, const DecidingRounds& b) { return a.number < b.number; });
    return found;
}

} // namespace quilvarden::results
