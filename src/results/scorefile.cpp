#include "scorefile.h"

#include "calc/placing.h"
#include "calc/scoring.h"
#include "data/standings.h"
#include "imports/clubs.h"
#include "results/agegroups.h"
#include "results/rounds.h"
#include "rules/rules.h"
#include "text/lines.h"
#include "text/masks.h"
#include "text/names.h"
#include "text/numbers.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>

#include <algorithm>

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

QString orderShown(int order)
{
    return text::applyMask(double(order), u"00");
}

// "1 marca", "3 marcas".
QString counted(qsizetype count, const char* one, const char* many)
{
    return QString::number(count) + u' ' + QCoreApplication::translate("Results", count == 1 ? one : many);
}

// The age group whose places count where the event scores by one ranking: the one named,
// the only one, or the one for every age; none for an event that has none (its places are
// then the order of the times).
std::optional<imports::FileAgeGroup> chosenAgeGroup(const imports::FileEvent& event,
                                                    const ScoreOptions& options)
{
    if (event.ageGroups.size() == 1)
        return event.ageGroups.first();
    for (const imports::FileAgeGroup& group : event.ageGroups)
        if (options.ageGroups.contains(group.id))
            return group;
    for (const imports::FileAgeGroup& group : event.ageGroups)
        if (group.covers())
            return group;
    return std::nullopt;
}

// One category of an event: its groups in the deciding rounds (one a round; one a gender
// where the file ranks the boys and the girls of a name apart).
struct EventCategory {
    QString name; // as the register spells it
    QString gender;
    QList<const imports::FileAgeGroup*> groups;
};

// How the file ranks an event.
struct EventCategories {
    QList<EventCategory> categories;
    bool named = false;    // an age group named in the options scores alone
    bool everyAge = false; // the file also ranks the event for every age
};

// Which meet a file is, as the register marks the awards stored from it.
QString identityKey(const data::MeetIdentity& meet)
{
    if (meet.isEmpty())
        return {};
    return text::foldName(text::cleanName(meet.name)) + u'|' + meet.from.toString(Qt::ISODate) + u'|' +
           meet.to.toString(Qt::ISODate);
}

QString datesShown(const data::MeetIdentity& meet)
{
    const QString from = meet.from.toString(QStringLiteral("dd/MM/yyyy"));
    return meet.from == meet.to ? from : from + u'–' + meet.to.toString(QStringLiteral("dd/MM/yyyy"));
}

// Why the results seem another meet's than the programme's: dates that do not meet, no
// event id in common, or (where neither tells) another name. Empty when nothing says so.
QString otherMeetReason(const data::MeetIdentity& programme, const data::MeetIdentity& results,
                        int idsCompared, int idsAgreeing)
{
    QStringList reasons;
    const bool dated = programme.from.isValid() && results.from.isValid();
    const bool datesMeet = dated && results.from <= programme.to && programme.from <= results.to;
    if (dated && !datesMeet)
        reasons << QCoreApplication::translate("Results", "o programa é do %1 e os resultados do %2")
                       .arg(datesShown(programme), datesShown(results));
    if (idsCompared > 0 && idsAgreeing == 0)
        reasons << QCoreApplication::translate(
            "Results", "ningunha das súas probas ten o identificador que ten no programa");
    const QString programmeName = text::cleanName(programme.name);
    const QString resultsName = text::cleanName(results.name);
    if (!programmeName.isEmpty() && !resultsName.isEmpty() &&
        text::foldName(programmeName) != text::foldName(resultsName) && !datesMeet && idsAgreeing == 0)
        reasons << QCoreApplication::translate("Results", "o programa é de «%1» e os resultados de «%2»")
                       .arg(programmeName, resultsName);
    return reasons.join(QStringLiteral("; "));
}

bool validSwim(const imports::FileSwim& swim)
{
    const std::optional<qint64> time = imports::lenexSwimTime(swim.swimTime);
    return swim.status.isEmpty() && time && *time > 0;
}

// The swims of an event with their ranks: the places of the file's ranking where it gives
// them, else the times. What the ranking cannot tell leaves the event out.
struct Ranking {
    QList<std::pair<qsizetype, qint64>> swims; // swim, rank
    QStringList notes;
    QString leftOut; // why the event cannot be scored as the file ranks it
};

Ranking officialPlaces(const imports::FileResults& file, const QList<qsizetype>& swims,
                       const imports::FileAgeGroup& group)
{
    Ranking ranking;
    QHash<QString, qsizetype> byResult;
    QSet<QString> shared; // result ids that more than one swim has
    for (const qsizetype swim : swims)
        if (const QString& id = file.swims[swim].resultId; !id.isEmpty() && byResult.contains(id))
            shared.insert(id);
        else if (!id.isEmpty())
            byResult.insert(id, swim);
    QSet<QString> placed;
    for (const auto& [resultId, placeText] : group.places) {
        if (shared.contains(resultId)) {
            ranking.leftOut =
                QCoreApplication::translate(
                    "Results", "na clasificación, o resultado %1 é de máis dunha nadada e non se "
                               "sabe de cal é o posto")
                    .arg(text::cleanName(resultId));
            return ranking;
        }
        const auto swim = byResult.constFind(resultId);
        if (swim == byResult.constEnd())
            continue;
        const imports::FileSwim& s = file.swims[*swim];
        if (placed.contains(resultId)) {
            ranking.notes << QCoreApplication::translate(
                                 "Results",
                                 "%1 aparece máis dunha vez na clasificación: conta só o primeiro posto")
                                 .arg(s.who);
            continue;
        }
        placed.insert(resultId);
        bool number = false;
        const int place = placeText.toInt(&number);
        if (!number && !placeText.isEmpty() && validSwim(s)) {
            ranking.leftOut =
                QCoreApplication::translate("Results", "o posto «%1» de %2 na clasificación non é un número")
                    .arg(text::cleanName(placeText).left(24), s.who);
            return ranking;
        }
        if (number && place > 0)
            ranking.swims.append({*swim, place});
        else if (validSwim(s))
            ranking.notes << QCoreApplication::translate(
                                 "Results", "%1 ten unha marca válida (%2), pero a clasificación non lle dá "
                                            "posto («%3»): non puntúa")
                                 .arg(s.who, text::cleanName(s.swimTime),
                                      text::cleanName(placeText).left(24));
    }
    return ranking;
}

Ranking rankSwims(const imports::FileResults& file, const QList<qsizetype>& swims,
                  const std::optional<imports::FileAgeGroup>& group)
{
    if (group) {
        Ranking official = officialPlaces(file, swims, *group);
        if (!official.leftOut.isEmpty() || !official.swims.isEmpty())
            return official;
    }
    Ranking byTime;
    for (const qsizetype swim : swims)
        if (const std::optional<qint64> time = imports::lenexSwimTime(file.swims[swim].swimTime);
            time && *time > 0)
            byTime.swims.append({swim, *time});
    return byTime;
}

// Plans the events of one file, one at a time.
// How the register scores: its rules (the league's scale when it has none), and the names
// its guest clubs' awards would carry.
struct MeetScoring {
    bool ruled = false; // the register has rules of its own
    rules::MeetRules rules = rules::leagueRules();
    QStringList guestNames;
};

Result<MeetScoring> meetScoring(data::Database& database)
{
    const Result<std::optional<rules::MeetRules>> stored = database.meetRules();
    if (!stored)
        return stored.failure();
    if (!*stored)
        return MeetScoring{};
    const Result<QStringList> guests = database.guestClubNames(**stored);
    if (!guests)
        return guests.failure();
    return MeetScoring{true, **stored, *guests};
}

class Planner {
public:
    Planner(const imports::FileResults& file, data::Database& database, const ScoreOptions& options,
            const data::RegisteredMeet& meet, const MeetScoring& scoring, const QStringList& categories)
        : m_file(file), m_database(database), m_options(options), m_scoring(scoring),
          m_clubs(clubsInRegister(file, meet)), m_categories(categories)
    {
        for (qsizetype i = 0; i < file.swims.size(); ++i)
            m_swimsOf[file.swims[i].eventId] << i;
    }

    // Adds the event's awards to the plan, or a note why it is not scored.
    Outcome plan(const DecidingRounds& event, ScorePlan& plan);

    int considered = 0;  // events looked for in the programme
    int matched = 0;     // found there, with the same code and gender
    int idsCompared = 0; // of those, events whose ids both sides give
    int idsAgreeing = 0;

private:
    bool inProgramme(const DecidingRounds& event, const std::optional<data::EventRow>& found,
                     ScorePlan& plan);
    QList<const imports::FileEvent*> decidingRounds(const DecidingRounds& event) const;
    EventCategories categoriesOf(const QList<const imports::FileEvent*>& rounds) const;
    bool scoredByCategory(const EventCategories& categories) const;
    bool scoreOpen(const DecidingRounds& event, const QList<qsizetype>& swims, ScoredEvent& scored,
                   ScorePlan& plan) const;
    QString scoreCategory(const EventCategory& category, const QList<qsizetype>& swims, ScoredEvent& scored,
                          ScorePlan& plan) const;
    void scoreCategories(const EventCategories& categories, const QList<qsizetype>& swims,
                         ScoredEvent& scored, ScorePlan& plan) const;
    QList<data::Award> awardsOf(const QList<calc::RankedSwim>& ranked, const ScoredEvent& scored,
                                const QString& category) const;
    QList<calc::RankedSwim> takingPart(const Ranking& ranking, int order, ScorePlan& plan) const;
    bool isGuest(const imports::FileSwim& swim, const ClubInRegister& club) const;
    calc::Placing placing(const QString& code) const;

    const imports::FileResults& m_file;
    data::Database& m_database;
    const ScoreOptions& m_options;
    const MeetScoring& m_scoring;
    QList<ClubInRegister> m_clubs;
    QHash<QString, QList<qsizetype>> m_swimsOf;
    QStringList m_categories; // the register's, by name
};

void note(ScorePlan& plan, int order, const QString& what)
{
    plan.notes << QCoreApplication::translate("Results", "Proba %1: %2.").arg(orderShown(order), what);
}

bool Planner::inProgramme(const DecidingRounds& event, const std::optional<data::EventRow>& found,
                          ScorePlan& plan)
{
    const imports::FileEvent& first = *event.rounds.first();
    const QString fileEvent = first.code + u' ' + first.gender;
    if (!found) {
        note(plan, event.number,
             QCoreApplication::translate("Results", "%1 non está no programa do rexistro; non se puntúa%2")
                 .arg(fileEvent, event.number > 99
                                     ? QCoreApplication::translate(
                                           "Results", " (se o programa se importou antes de que se "
                                                      "aceptasen os números de proba de 100 en "
                                                      "diante, impórtao de novo)")
                                     : QString()));
        return false;
    }
    const QString code = text::valueText(found->code);
    const QString gender = text::valueText(found->gender);
    if (code != first.code || gender.compare(first.gender, Qt::CaseInsensitive) != 0) {
        note(plan, event.number,
             QCoreApplication::translate("Results",
                                         "no ficheiro é %1 e no programa do rexistro %2 %3; non se puntúa")
                 .arg(fileEvent, code, gender));
        return false;
    }
    ++matched;
    if (!found->id.isNull() && !text::valueText(found->id).trimmed().isEmpty()) {
        ++idsCompared;
        idsAgreeing += event.ids.contains(text::valueText(found->id).trimmed()) ? 1 : 0;
    }
    return true;
}

// The deciding rounds whose groups rank the event: the one with swims, else the first; a
// timed final and its fastest heats with swims in both rank their swims together by time.
QList<const imports::FileEvent*> Planner::decidingRounds(const DecidingRounds& event) const
{
    QList<const imports::FileEvent*> withSwims;
    for (const imports::FileEvent* round : event.rounds)
        if (!m_swimsOf.value(round->id).isEmpty())
            withSwims << round;
    return withSwims.isEmpty() ? QList<const imports::FileEvent*>{event.rounds.first()} : withSwims;
}

EventCategories Planner::categoriesOf(const QList<const imports::FileEvent*>& rounds) const
{
    EventCategories found;
    for (const imports::FileEvent* round : rounds)
        for (const imports::FileAgeGroup& group : round->ageGroups) {
            found.named = found.named || m_options.ageGroups.contains(group.id);
            found.everyAge = found.everyAge || group.covers();
            if (group.covers())
                continue;
            const QString name = imports::categoryName(group);
            const QString registered = data::categoryNamed(m_categories, name).value_or(name);
            auto same = std::find_if(found.categories.begin(), found.categories.end(), [&](const auto& c) {
                return c.name == registered && c.gender == group.gender;
            });
            if (same == found.categories.end()) {
                found.categories.append(EventCategory{registered, group.gender, {}});
                same = found.categories.end() - 1;
            }
            same->groups << &group;
        }
    return found;
}

// Whether the event scores by its categories: where the file ranks it by some, unless an
// age group is named for it, or the rules score the ranking for every age the file also
// gives.
bool Planner::scoredByCategory(const EventCategories& categories) const
{
    return !categories.named && !categories.categories.isEmpty() &&
           !(categories.everyAge && m_scoring.rules.ranking == rules::Ranking::Open);
}

// A guest club by the name its awards would carry or by its code in the file.
bool Planner::isGuest(const imports::FileSwim& swim, const ClubInRegister& club) const
{
    if (m_scoring.guestNames.isEmpty() || swim.club < 0)
        return false;
    return (club.registered >= 0 && rules::isGuestName(m_scoring.guestNames, club.name)) ||
           rules::isGuestName(m_scoring.guestNames, m_file.meet.clubs.value(swim.club).code);
}

// The ranked swims that may take a place: valid, and of a club taking part that is not a
// guest (the others listed).
QList<calc::RankedSwim> Planner::takingPart(const Ranking& ranking, int order, ScorePlan& plan) const
{
    QList<calc::RankedSwim> swims;
    for (const auto& [swim, rank] : ranking.swims) {
        const imports::FileSwim& s = m_file.swims[swim];
        if (!s.status.isEmpty())
            continue; // disqualified, not started or finished, withdrawn, exhibition
        const ClubInRegister club = s.club < 0 ? ClubInRegister{} : m_clubs.value(s.club);
        if (isGuest(s, club)) {
            note(plan, order,
                 QCoreApplication::translate(
                     "Results", "%1 é de «%2», un club convidado: non puntúa, e o posto pasa ao seguinte")
                     .arg(s.who, club.registered >= 0 ? club.name : text::cleanName(s.clubShown)));
            continue;
        }
        if (club.registered < 0) {
            note(plan, order,
                 s.club < 0
                     ? QCoreApplication::translate("Results", "%1 nada sen club: non puntúa").arg(s.who)
                     : QCoreApplication::translate(
                           "Results", "%1 é de «%2», que non participa no campionato: non puntúa")
                           .arg(s.who, text::cleanName(s.clubShown)));
            continue;
        }
        swims << calc::RankedSwim{swim, club.registered, rank};
    }
    return swims;
}

// The rules' points of the event's kind; the cap asked for, else the rules' own (one swim a
// club in a register without rules).
calc::Placing Planner::placing(const QString& code) const
{
    const bool relay = calc::isRelay(code);
    const int perClub = m_options.perClub.value_or(m_scoring.ruled ? m_scoring.rules.scorers(relay) : 1);
    return {m_scoring.rules, relay, perClub};
}

Outcome Planner::plan(const DecidingRounds& event, ScorePlan& plan)
{
    ++considered;
    const Result<std::optional<data::EventRow>> found = m_database.findEvent(event.number);
    if (!found)
        return found.failure();
    if (!inProgramme(event, *found, plan))
        return Done{};
    const EventCategories categories = categoriesOf(decidingRounds(event));
    const bool byCategory = scoredByCategory(categories);
    QList<qsizetype> swims;
    for (const imports::FileEvent* round : event.rounds)
        swims += m_swimsOf.value(round->id);
    const bool anyResult = std::any_of(swims.cbegin(), swims.cend(), [this](qsizetype swim) {
        return !m_file.swims[swim].status.isEmpty() || imports::lenexSwimTime(m_file.swims[swim].swimTime);
    });
    if (!anyResult && event.earlierRounds) {
        note(plan, event.number,
             QCoreApplication::translate(
                 "Results", "a súa %1 aínda non ten resultados: queda para máis tarde (nunca se puntúa polas "
                            "roldas previas)")
                 .arg(event.shown));
        return Done{};
    }
    ScoredEvent scored{
        event.number, text::valueText((*found)->code), text::valueText((*found)->gender), event.shown, {}};
    if (byCategory)
        scoreCategories(categories, swims, scored, plan);
    else if (!scoreOpen(event, swims, scored, plan))
        return Done{};
    if (!categories.named && !byCategory)
        for (const EventCategory& category : categories.categories)
            scored.leftOut << CategoryLeftOut{
                category.name, QCoreApplication::translate("Results", "puntúa a clasificación "
                                                                      "absoluta polas regras")};
    if (!scored.awards.isEmpty())
        plan.events << scored;
    return Done{};
}

// The event by one ranking, as it always scored.
bool Planner::scoreOpen(const DecidingRounds& event, const QList<qsizetype>& swims, ScoredEvent& scored,
                        ScorePlan& plan) const
{
    const QList<const imports::FileEvent*> rounds = decidingRounds(event);
    const std::optional<imports::FileAgeGroup> group =
        rounds.size() > 1 ? std::nullopt : chosenAgeGroup(*rounds.first(), m_options);
    const Ranking ranking = rankSwims(m_file, swims, group);
    if (!ranking.leftOut.isEmpty()) {
        note(plan, event.number,
             ranking.leftOut + QCoreApplication::translate("Results", "; non se puntúa: corrixe o ficheiro"));
        return false;
    }
    for (const QString& line : ranking.notes)
        note(plan, event.number, line);
    const QList<calc::RankedSwim> ranked = takingPart(ranking, event.number, plan);
    if (ranked.isEmpty()) {
        note(plan, event.number,
             QCoreApplication::translate("Results",
                                         "aínda sen ningún resultado válido no ficheiro; non se puntúa"));
        return false;
    }
    scored.awards = awardsOf(ranked, scored, {});
    return true;
}

QList<data::Award> Planner::awardsOf(const QList<calc::RankedSwim>& ranked, const ScoredEvent& scored,
                                     const QString& category) const
{
    QList<data::Award> awards;
    for (const calc::TakenPlace& place : calc::placeClubs(ranked, placing(scored.code)))
        awards << data::Award{orderShown(scored.order),
                              scored.code,
                              scored.gender,
                              m_clubs[m_file.swims[place.swim].club].name,
                              place.points,
                              category};
    return awards;
}

// Each category of the event apart, those asked for; the event's only lists the ones scored
// where some asked for are left out.
void Planner::scoreCategories(const EventCategories& categories, const QList<qsizetype>& swims,
                              ScoredEvent& scored, ScorePlan& plan) const
{
    for (const EventCategory& category : categories.categories) {
        const QString why = scoreCategory(category, swims, scored, plan);
        if (!why.isEmpty())
            scored.leftOut << CategoryLeftOut{category.name, why};
        else if (!scored.categories.contains(category.name))
            scored.categories << category.name;
    }
    if (!m_options.categories.isEmpty() && !scored.leftOut.isEmpty())
        scored.only = scored.categories;
    if (scored.awards.isEmpty()) {
        QStringList leftOut;
        for (const CategoryLeftOut& left : scored.leftOut)
            leftOut << QStringLiteral("%1 (%2)").arg(left.category, left.why);
        note(plan, scored.order,
             QCoreApplication::translate("Results", "ningunha categoría puntúa: %1")
                 .arg(leftOut.join(QStringLiteral(", "))));
    }
}

// The awards of one category of the event, or why it takes none.
QString Planner::scoreCategory(const EventCategory& category, const QList<qsizetype>& swims,
                               ScoredEvent& scored, ScorePlan& plan) const
{
    if (!m_options.categories.isEmpty() && !data::categoryNamed(m_options.categories, category.name))
        return QCoreApplication::translate("Results", "non pedida");
    QSet<QString> placed; // the result ids the group's rankings list
    for (const imports::FileAgeGroup* group : category.groups)
        for (const auto& place : group->places)
            placed.insert(place.first);
    QList<qsizetype> members;
    for (const qsizetype swim : swims) {
        const imports::FileSwim& s = m_file.swims[swim];
        const std::optional<bool> in = placed.isEmpty()
                                           ? swimsIn(m_file, s, scored.code, *category.groups.first())
                                           : std::optional(placed.contains(s.resultId));
        if (!in)
            return QCoreApplication::translate("Results", "non se pode saber quen nada nela: o ficheiro non "
                                                          "ten clasificación nin idades ou clases abondo");
        if (*in)
            members << swim;
    }
    const Ranking ranking =
        rankSwims(m_file, members,
                  category.groups.size() == 1 ? std::optional(*category.groups.first()) : std::nullopt);
    if (!ranking.leftOut.isEmpty())
        return ranking.leftOut;
    for (const QString& line : ranking.notes)
        note(plan, scored.order, line);
    const QList<calc::RankedSwim> ranked = takingPart(ranking, scored.order, plan);
    if (ranked.isEmpty())
        return QCoreApplication::translate("Results", "sen resultados");
    scored.awards += awardsOf(ranked, scored, category.name);
    return {};
}

bool wanted(const ScoreOptions& options, int number)
{
    return options.events.isEmpty() || options.events.contains(number);
}

// The events of the file that never reach the programme: left out on reading, or only
// rounds of another event.
void notesOnFileEvents(const imports::FileResults& file, const EventsOfFile& events,
                       const ScoreOptions& options, ScorePlan& plan)
{
    for (const imports::LeftOutEvent& left : file.leftOut) {
        bool number = false;
        const int order = left.number.toInt(&number);
        if (!number ? options.events.isEmpty() : wanted(options, order))
            plan.notes << QCoreApplication::translate(
                              "Results", "Proba %1: %2; a importación déixaa fóra e non se puntúa.")
                              .arg(left.number.isEmpty()
                                       ? QCoreApplication::translate("Results", "sen número")
                                       : left.number,
                                   left.why);
    }
    for (const auto& [order, why] : events.notScored)
        if (wanted(options, order))
            note(plan, order, why);
    for (const int order : options.events) {
        const auto inFile = [order](const imports::FileEvent& event) { return event.number == order; };
        if (std::none_of(file.events.cbegin(), file.events.cend(), inFile))
            note(plan, order, QCoreApplication::translate("Results", "non está no ficheiro de resultados"));
    }
}

} // namespace

namespace {

// The names of the register's categories, as it spells them.
Result<QStringList> registeredCategories(data::Database& database)
{
    const Result<QList<data::MeetCategory>> categories = database.meetCategories();
    if (!categories)
        return categories.failure();
    QStringList names;
    for (const data::MeetCategory& category : *categories)
        names << category.name;
    return names;
}

} // namespace

Result<ScorePlan> planScores(const imports::FileResults& file, data::Database& database,
                             const ScoreOptions& options)
{
    const Result<data::RegisteredMeet> meet = database.meetClubs();
    if (!meet)
        return meet.failure();
    const Result<std::optional<double>> highest = database.highestOrderNumber();
    if (!highest)
        return highest.failure();
    const Result<MeetScoring> scoring = meetScoring(database);
    if (!scoring)
        return scoring.failure();
    const Result<QStringList> categoryNames = registeredCategories(database);
    if (!categoryNames)
        return categoryNames.failure();
    ScorePlan plan;
    if (scoring->ruled)
        plan.rules = scoring->rules.name.trimmed().isEmpty() ? rules::tableText(scoring->rules.individual)
                                                             : scoring->rules.name.trimmed();
    plan.meetName = text::cleanName(file.meet.identity.name);
    plan.source = identityKey(file.meet.identity);
    plan.orderPlaces = text::orderPlaces(*highest);
    const EventsOfFile events = eventsOfFile(file.events);
    notesOnFileEvents(file, events, options, plan);
    Planner planner(file, database, options, *meet, *scoring, *categoryNames);
    for (const DecidingRounds& event : events.events)
        if (wanted(options, event.number))
            if (Outcome planned = planner.plan(event, plan); !planned)
                return planned.failure();
    if (planner.considered > 0 && planner.matched == 0)
        return Failure::database(
            Failure::ImportFileInvalid,
            QCoreApplication::translate(
                "Results",
                "O ficheiro de resultados non é deste campionato: ningunha das súas probas é a do mesmo "
                "número no programa do rexistro (%1).")
                .arg(plan.notes.join(u' ')));
    plan.otherMeet =
        otherMeetReason(meet->identity, file.meet.identity, planner.idsCompared, planner.idsAgreeing);
    return plan;
}

Result<QStringList> fileCategories(const imports::FileResults& file, data::Database& database)
{
    const Result<QStringList> registered = registeredCategories(database);
    if (!registered)
        return registered.failure();
    const QStringList& names = *registered;
    QStringList categories;
    for (const imports::FileEvent& event : file.events)
        for (const imports::FileAgeGroup& group : event.ageGroups)
            if (!group.covers()) {
                const QString name = data::categoryNamed(names, imports::categoryName(group))
                                         .value_or(imports::categoryName(group));
                if (!data::categoryNamed(categories, name))
                    categories << name;
            }
    return categories;
}

QString planHeading(const ScorePlan& plan, const QString& file)
{
    return QCoreApplication::translate("Results", "Resultados de «%1» (%2)").arg(plan.meetName, file);
}

namespace {

// "3 marcas", "49 puntos".
std::pair<QString, QString> awardsCounted(const QList<data::Award>& awards)
{
    double points = 0;
    for (const data::Award& award : awards)
        points += award.points;
    return {
        counted(awards.size(), QT_TRANSLATE_NOOP("Results", "marca"), QT_TRANSLATE_NOOP("Results", "marcas")),
        text::writeNumber(points) + (points == 1 ? QCoreApplication::translate("Results", " punto")
                                                 : QCoreApplication::translate("Results", " puntos"))};
}

QStringList awardLines(const ScorePlan& plan, const QList<data::Award>& awards, const QString& indent)
{
    QStringList lines;
    for (const data::Award& award : awards)
        lines << indent + text::resultsLine(award.order, award.eventCode, award.gender, award.club,
                                            award.points, plan.orderPlaces);
    return lines;
}

// Under an event's heading: each category scored with its awards, then those left out.
QStringList categoryLines(const ScorePlan& plan, const ScoredEvent& event, bool withAwards)
{
    QStringList lines;
    for (const QString& category : event.categories) {
        QList<data::Award> awards;
        for (const data::Award& award : event.awards)
            if (award.category == category)
                awards << award;
        const auto [swims, points] = awardsCounted(awards);
        lines
            << QCoreApplication::translate("Results", "  Categoría %1: %2, %3").arg(category, swims, points);
        if (withAwards)
            lines << awardLines(plan, awards, QStringLiteral("    "));
    }
    QStringList leftOut;
    for (const CategoryLeftOut& left : event.leftOut)
        leftOut << QStringLiteral("%1 (%2)").arg(left.category, left.why);
    if (!leftOut.isEmpty())
        lines << QCoreApplication::translate("Results", "  Categorías sen puntuar: %1")
                     .arg(leftOut.join(QStringLiteral(", ")));
    return lines;
}

} // namespace

QStringList planLines(const ScorePlan& plan, bool withAwards)
{
    QStringList lines;
    if (!plan.rules.isEmpty())
        lines << QCoreApplication::translate("Results", "Puntuación: %1").arg(plan.rules);
    for (const ScoredEvent& event : plan.events) {
        const auto [swims, points] = awardsCounted(event.awards);
        lines << QCoreApplication::translate("Results", "Proba %1 %2%3 (%4): %5, %6")
                     .arg(orderShown(event.order), event.code, event.gender, event.round, swims, points);
        if (event.categories.isEmpty() && withAwards)
            lines << awardLines(plan, event.awards, QStringLiteral("  "));
        lines << categoryLines(plan, event, withAwards);
    }
    return lines + plan.notes;
}

QStringList storedLines(const ScorePlan& plan, const data::StoredEvents& stored, bool dryRun,
                        const QString& replaceHint, const QString& where)
{
    QStringList lines;
    if (!stored.leftAlone.isEmpty())
        lines << (dryRun ? QCoreApplication::translate(
                               "Results", "Xa teñen puntos no rexistro, que quedarían como están%1: %2.")
                         : QCoreApplication::translate("Results",
                                                       "Quedan como estaban, porque xa teñen puntos%1: %2."))
                     .arg(replaceHint, ordersText(stored.leftAlone));
    if (!stored.replaced.isEmpty())
        lines << (dryRun ? QCoreApplication::translate("Results", "Substituiríanse os puntos que tiñan: %1.")
                         : QCoreApplication::translate("Results", "Substituídos os puntos que tiñan: %1."))
                     .arg(ordersText(stored.replaced));
    for (const double order : stored.updated)
        lines << QCoreApplication::translate(
                     "Results",
                     "Proba %1: os seus puntos viñan dunha exportación anterior destes resultados, e o "
                     "ficheiro ten agora máis ou outras marcas: %2.")
                     .arg(text::applyMask(order, u"00"),
                          dryRun ? QCoreApplication::translate("Results", "actualizaríase")
                                 : QCoreApplication::translate("Results", "actualizada"));
    if (!stored.unchanged.isEmpty())
        lines << QCoreApplication::translate("Results", "Sen cambios desde a exportación anterior: %1.")
                     .arg(ordersText(stored.unchanged));
    qsizetype awards = 0;
    double points = 0;
    qsizetype events = 0;
    for (const ScoredEvent& event : plan.events) {
        const double order = event.order;
        if (!stored.stored.contains(order))
            continue;
        ++events;
        awards += event.awards.size();
        for (const data::Award& award : event.awards)
            points += award.points;
    }
    lines << QCoreApplication::translate("Results", "%1 %2 (%3 puntos) de %4%5.")
                 .arg(dryRun ? QCoreApplication::translate("Results", "Gardaríanse")
                             : QCoreApplication::translate("Results", "Gardadas"),
                      counted(awards, QT_TRANSLATE_NOOP("Results", "marca"),
                              QT_TRANSLATE_NOOP("Results", "marcas")),
                      text::writeNumber(points),
                      counted(events, QT_TRANSLATE_NOOP("Results", "proba"),
                              QT_TRANSLATE_NOOP("Results", "probas")),
                      where.isEmpty() ? QString() : QCoreApplication::translate("Results", " en ") + where);
    return lines;
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
        events << data::EventAwards{double(event.order), event.awards, event.only};
    return events;
}

data::StoreOptions storeOptions(const ScorePlan& plan, bool replace, bool dryRun)
{
    return {plan.source, replace, dryRun};
}

} // namespace quilvarden::results
