#include "scorefile.h"

#include "calc/placing.h"
#include "imports/clubs.h"
#include "text/lines.h"
#include "text/masks.h"
#include "text/names.h"

#include <QHash>

#include <algorithm>
#include <map>

namespace quilvarden::results {

namespace {

// What a club of the file is in the register: the name its awards carry, or nothing when it
// does not take part in the meet.
struct ClubInRegister {
    qsizetype registered = -1;
    QString name;
};

QList<ClubInRegister> clubsInRegister(const imports::FileResults& file, const data::RegisteredMeet& meet)
{
    const QList<std::optional<qsizetype>> found = imports::findRegisteredClubs(file.meet.clubs, meet.clubs);
    QList<ClubInRegister> clubs;
    for (const std::optional<qsizetype>& index : found) {
        ClubInRegister club;
        if (index && meet.clubs[*index].takesPart) {
            const data::MeetClub& registered = meet.clubs[*index];
            // As the club list shows it: the short name, else the code.
            club.registered = *index;
            club.name =
                registered.shortName.isNull() ? registered.code.toString() : registered.shortName.toString();
        }
        clubs << club;
    }
    return clubs;
}

QString ageGroupShown(const imports::FileAgeGroup& group)
{
    const QString ages = group.minAge < 0 ? QStringLiteral("ata %1 anos").arg(group.maxAge)
                         : group.maxAge < 0
                             ? QStringLiteral("%1 anos ou máis").arg(group.minAge)
                             : QStringLiteral("%1–%2 anos").arg(group.minAge).arg(group.maxAge);
    return group.name.isEmpty()
               ? QStringLiteral("%1 (%2)").arg(group.id, ages)
               : QStringLiteral("%1 («%2», %3)").arg(group.id, text::cleanName(group.name), ages);
}

// The age group whose places count: the only one, the one for every age, or the one named.
// Nothing with a note when the event has several and none was named; no group at all for an
// event that has none (its places are then the order of the times).
std::optional<std::optional<imports::FileAgeGroup>> chosenAgeGroup(const imports::FileEvent& event,
                                                                   const ScoreOptions& options, QString* why)
{
    if (event.ageGroups.isEmpty())
        return std::optional<imports::FileAgeGroup>();
    if (event.ageGroups.size() == 1)
        return std::optional(event.ageGroups.first());
    for (const imports::FileAgeGroup& group : event.ageGroups)
        if (options.ageGroups.contains(group.id))
            return std::optional(group);
    for (const imports::FileAgeGroup& group : event.ageGroups)
        if (group.covers())
            return std::optional(group);
    QStringList groups;
    for (const imports::FileAgeGroup& group : event.ageGroups)
        groups << ageGroupShown(group);
    *why = QStringLiteral("ten varios grupos de idade e ningún de todas as idades: %1. Para puntuala, "
                          "escolle un con --age-group ID")
               .arg(groups.join(QStringLiteral(", ")));
    return std::nullopt;
}

} // namespace

Result<ScorePlan> planScores(const imports::FileResults& file, data::Database& database,
                             const ScoreOptions& options)
{
    const Result<data::RegisteredMeet> meet = database.meetClubs();
    if (!meet)
        return meet.failure();
    const QList<ClubInRegister> clubs = clubsInRegister(file, *meet);

    ScorePlan plan;
    plan.meetName = file.meetName;
    const auto note = [&plan](int order, const QString& what) {
        plan.notes << QStringLiteral("Proba %1: %2.").arg(text::applyMask(double(order), u"00"), what);
    };
    QHash<QString, QList<qsizetype>> swimsOf;
    for (qsizetype i = 0; i < file.swims.size(); ++i)
        swimsOf[file.swims[i].eventId] << i;

    std::map<int, const imports::FileEvent*> byOrder;
    for (const imports::FileEvent& event : file.events)
        byOrder.emplace(event.number, &event);
    for (const int order : options.events)
        if (!byOrder.count(order))
            note(order, QStringLiteral("non está no ficheiro de resultados"));

    int matched = 0;
    int considered = 0;
    for (const auto& [order, eventPointer] : byOrder) {
        const imports::FileEvent& event = *eventPointer;
        if (!options.events.isEmpty() && !options.events.contains(order))
            continue;
        ++considered;
        const Result<std::optional<data::EventRow>> found = database.findEvent(order);
        if (!found)
            return found.failure();
        const QString fileEvent = event.code + u' ' + event.gender;
        if (!*found) {
            note(order, QStringLiteral("%1 non está no programa do rexistro; non se puntúa").arg(fileEvent));
            continue;
        }
        const QString code = text::valueText((*found)->code);
        const QString gender = text::valueText((*found)->gender);
        if (code != event.code || gender.compare(event.gender, Qt::CaseInsensitive) != 0) {
            note(order, QStringLiteral("no ficheiro é %1 e no programa do rexistro %2 %3; non se puntúa")
                            .arg(fileEvent, code, gender));
            continue;
        }
        ++matched;
        QString why;
        const auto group = chosenAgeGroup(event, options, &why);
        if (!group) {
            note(order, why);
            continue;
        }

        // The swims that may take a place, each with its rank.
        QHash<QString, qsizetype> byResult;
        for (const qsizetype swim : swimsOf.value(event.id))
            byResult.insert(file.swims[swim].resultId, swim);
        QList<std::pair<qsizetype, qint64>> ranked; // swim, rank
        bool official = false;
        if (*group)
            for (const auto& [resultId, place] : (*group)->places)
                if (place > 0 && byResult.contains(resultId)) {
                    ranked.append({byResult.value(resultId), place});
                    official = true;
                }
        if (!official)
            for (const qsizetype swim : swimsOf.value(event.id))
                if (const std::optional<qint64> time = imports::lenexSwimTime(file.swims[swim].swimTime);
                    time && *time > 0)
                    ranked.append({swim, *time});

        QList<calc::RankedSwim> swims;
        for (const auto& [swim, rank] : ranked) {
            const imports::FileSwim& s = file.swims[swim];
            if (!s.status.isEmpty())
                continue; // disqualified, not started or finished, withdrawn, exhibition
            const ClubInRegister club = s.club < 0 ? ClubInRegister{} : clubs.value(s.club);
            if (club.registered < 0) {
                note(order, s.club < 0
                                ? QStringLiteral("%1 nada sen club: non puntúa").arg(s.who)
                                : QStringLiteral("%1 é de «%2», que non participa no campionato: non puntúa")
                                      .arg(s.who, text::cleanName(s.clubShown)));
                continue;
            }
            swims << calc::RankedSwim{swim, club.registered, rank};
        }
        if (swims.isEmpty()) {
            note(order, QStringLiteral("aínda sen ningún resultado válido no ficheiro; non se puntúa"));
            continue;
        }
        const Result<QList<calc::TakenPlace>> places = calc::placeClubs(swims, code, options.perClub);
        if (!places)
            return places.failure();
        ScoredEvent scored{order, code, gender, {}};
        const QString orderText = text::applyMask(double(order), u"00");
        for (const calc::TakenPlace& place : *places)
            scored.awards << data::Award{orderText, code, gender, clubs[file.swims[place.swim].club].name,
                                         place.points};
        plan.events << scored;
    }
    if (considered > 0 && matched == 0)
        return Failure::database(
            Failure::ImportFileInvalid,
            QStringLiteral(
                "O ficheiro de resultados non é deste campionato: ningunha das súas probas é a do mesmo "
                "número no programa do rexistro (%1).")
                .arg(plan.notes.join(u' ')));
    return plan;
}

QStringList planLines(const ScorePlan& plan, bool withAwards)
{
    QStringList lines;
    for (const ScoredEvent& event : plan.events) {
        lines << QStringLiteral("Proba %1 %2%3: %4 puntos")
                     .arg(text::applyMask(double(event.order), u"00"), event.code, event.gender)
                     .arg(event.awards.size());
        for (const data::Award& award : withAwards ? event.awards : QList<data::Award>())
            lines << QStringLiteral("  ") + text::resultsLine(award.order, award.eventCode, award.gender,
                                                              award.club, award.points);
    }
    return lines + plan.notes;
}

QString ordersText(const QList<double>& orders)
{
    QStringList texts;
    for (const double order : orders)
        texts << text::applyMask(order, u"00");
    return texts.join(QStringLiteral(", "));
}

QList<data::EventAwards> awardsOf(const ScorePlan& plan)
{
    QList<data::EventAwards> events;
    for (const ScoredEvent& event : plan.events)
        events << data::EventAwards{double(event.order), event.awards};
    return events;
}

} // namespace quilvarden::results
