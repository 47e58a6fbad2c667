#include "lenex.h"

#include "imports/lenexfile.h"
#include "text/names.h"

#include <QCoreApplication>
#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

#include <algorithm>
#include <initializer_list>
#include <optional>

namespace quilvarden::imports {

namespace {

QVariant attributeNumber(const QXmlStreamAttributes& attributes, const char* name)
{
    bool ok = false;
    const int value = attributes.value(QLatin1String(name)).toInt(&ok);
    return ok ? QVariant(value) : QVariant();
}

QString attribute(const QXmlStreamAttributes& attributes, const char* name)
{
    return attributes.value(QLatin1String(name)).toString();
}

// What tells two swim styles apart: for the strokes the code knows, the stroke itself and
// the technique; for the others, whatever the file names them by.
QString styleKey(const QXmlStreamAttributes& style)
{
    const QString stroke = attribute(style, "stroke").toUpper();
    QString key = QStringLiteral("%1|%2|%3|%4")
                      .arg(attribute(style, "distance"), attribute(style, "relaycount"), stroke,
                           attribute(style, "technique").toUpper());
    if (lenexEventCode(0, 1, stroke).endsWith(u'O'))
        key += u'|' + attribute(style, "code") + u'|' + attribute(style, "swimstyleid") + u'|' +
               attribute(style, "name");
    return key;
}

// Event codes that stay apart where the file tells the swim styles apart: a style that
// would take a code another style has gets the file's own code of the style, or a number.
class EventCodes {
public:
    QString codeFor(const QXmlStreamAttributes& style)
    {
        const QString key = styleKey(style);
        if (const auto known = m_byStyle.constFind(key); known != m_byStyle.constEnd())
            return *known;
        const int relayCount = attribute(style, "relaycount").toInt();
        const QString base = lenexEventCode(attribute(style, "distance").toInt(), relayCount,
                                            attribute(style, "stroke"), attribute(style, "technique"));
        QString code = base;
        if (m_taken.contains(code)) {
            QString own;
            for (const QChar c : attribute(style, "code").toUpper())
                if (c.isLetterOrNumber() && (relayCount > 1 || c != u'X'))
                    own += c;
            code = base + own.left(6);
        }
        for (int n = 2; m_taken.contains(code); ++n)
            code = base + QString::number(n);
        m_taken.insert(code);
        m_byStyle.insert(key, code);
        return code;
    }

private:
    QHash<QString, QString> m_byStyle;
    QSet<QString> m_taken;
};

// A club of the meet while its element is being read.
struct PendingClub {
    FileClub club;
    qsizetype depth = 0;
    QString type;
    QString team;
    int athletes = 0;
    int relays = 0;
    bool people = false; // a swimmer, relay, entry or result
    QString shown;       // its cleaned name, else short name, else code
    QString who;         // the swimmer or relay whose results are being read
    bool relay = false;
    FileSwim swimmer;      // what the file tells of the swimmer whose results are being read
    QList<FileSwim> swims; // its results, given their club at its end
};

struct PendingEvent {
    QXmlStreamAttributes event;
    QXmlStreamAttributes style;
    QVariant session;
    qsizetype depth = 0;
    QList<FileAgeGroup> ageGroups;
};

// An age of an age group: -1, no limit, where the file gives none or a negative one.
int ageLimit(const QXmlStreamAttributes& attributes, const char* name)
{
    bool ok = false;
    const int age = attribute(attributes, name).trimmed().toInt(&ok);
    return ok && age >= 0 ? age : -1;
}

// The first of the texts that is not empty once cleaned.
QString firstCleaned(std::initializer_list<QString> texts)
{
    for (const QString& text : texts)
        if (QString cleaned = text::cleanName(text); !cleaned.isEmpty())
            return cleaned;
    return {};
}

class Reader {
public:
    explicit Reader(const QByteArray& xml) : m_xml(xml) {}
    explicit Reader(const QString& xml) : m_xml(xml) {}

    Result<FileResults> read(const QString& path);

private:
    void startElement();
    void endEvent(const PendingEvent& pending);
    void endClub(PendingClub& pending);
    void startInClub(const QString& name, const QXmlStreamAttributes& attributes);
    void startSession(const QXmlStreamAttributes& attributes);
    void leaveOut(const QString& number, const QString& why);

    QXmlStreamReader m_xml;
    FileMeet m_meet;
    QList<FileEvent> m_events;
    QList<LeftOutEvent> m_leftOut;
    QList<FileSwim> m_swims;
    AgeDate m_ageDate;
    QStringList m_path; // element names from the root to the current one
    QStringList m_meetNames;
    qsizetype m_meetDepth = -1; // while inside the first meet
    bool m_lenex = false;
    bool m_lists = false;
    QVariant m_session;
    std::optional<PendingEvent> m_event;
    std::optional<PendingClub> m_club;
    QSet<int> m_numbers;
    EventCodes m_codes;
    QHash<QString, qsizetype> m_clubKeys;
    QMap<qsizetype, int> m_listed; // clubs listed more than once, in the order of the file
};

Result<FileResults> Reader::read(const QString& path)
{
    while (!m_xml.atEnd()) {
        m_xml.readNext();
        if (m_xml.isStartElement()) {
            m_path << m_xml.name().toString();
            startElement();
        } else if (m_xml.isEndElement()) {
            const qsizetype depth = m_path.size();
            if (m_event && depth == m_event->depth)
                endEvent(*std::exchange(m_event, std::nullopt));
            else if (m_club && depth == m_club->depth) {
                PendingClub club = *std::exchange(m_club, std::nullopt);
                endClub(club);
            } else if (depth == m_meetDepth)
                m_meetDepth = -1;
            m_path.removeLast();
        }
    }
    if (m_xml.hasError())
        return importFileFailure(
            path, QCoreApplication::translate("Import",
                                              "non é XML válido, ou está cortado (liña %1, columna %2): %3")
                      .arg(m_xml.lineNumber())
                      .arg(m_xml.columnNumber())
                      .arg(m_xml.errorString()));
    if (!m_lenex)
        return importFileFailure(
            path, QCoreApplication::translate("Import", "non é un ficheiro Lenex (falta o elemento LENEX)."));
    if (m_meetNames.isEmpty())
        return importFileFailure(
            path, QCoreApplication::translate("Import", "non ten ningún campionato (MEET): %1")
                      .arg(m_lists ? QCoreApplication::translate(
                                         "Import", "só ten listas de récords ou de marcas mínimas.")
                                   : QCoreApplication::translate("Import", "non hai nada que importar.")));
    for (auto listed = m_listed.constBegin(); listed != m_listed.constEnd(); ++listed) {
        const FileClub& club = m_meet.clubs[listed.key()];
        m_meet.notes << QCoreApplication::translate("Import",
                                                    "Club «%1»: aparece %2 veces no ficheiro; é un só club.")
                            .arg(text::cleanName(club.name.trimmed().isEmpty() ? club.code : club.name),
                                 QString::number(listed.value()));
    }
    if (m_meetNames.size() > 1) {
        QStringList quoted;
        for (const QString& name : m_meetNames)
            quoted << QStringLiteral("«%1»").arg(text::cleanName(name));
        m_meet.notes.prepend(QCoreApplication::translate(
                                 "Import", "O ficheiro ten %1 campionatos (%2): impórtase só o primeiro.")
                                 .arg(m_meetNames.size())
                                 .arg(quoted.join(QStringLiteral(", "))));
    }
    if (m_lists)
        m_meet.notes << QCoreApplication::translate(
            "Import", "As listas de récords e de marcas mínimas do ficheiro non se importan: "
                      "os seus clubs non son clubs do campionato.");
    m_meet.identity.name = m_meetNames.first().trimmed();
    return FileResults{std::move(m_meet), std::move(m_events), std::move(m_leftOut), std::move(m_swims),
                       m_ageDate};
}

void Reader::startElement()
{
    const qsizetype depth = m_path.size();
    const QString& name = m_path.last();
    const QString parent = depth >= 2 ? m_path[depth - 2] : QString();
    const QXmlStreamAttributes attributes = m_xml.attributes();
    if (depth == 1) {
        m_lenex = name == u"LENEX";
        return;
    }
    if (depth == 2 && (name == u"RECORDLISTS" || name == u"TIMESTANDARDLISTS"))
        m_lists = true;
    if (name == u"MEET" && ((parent == u"MEETS" && depth == 3) || depth == 2)) {
        m_meetNames << attribute(attributes, "name");
        if (m_meetNames.size() == 1) {
            m_meetDepth = depth;
            // Where the meet is held: its town, as the editions head it.
            m_meet.identity.place = text::cleanName(attribute(attributes, "city")).trimmed();
        }
        return;
    }
    if (m_meetDepth < 0)
        return;
    if (name == u"AGEDATE" && depth == m_meetDepth + 1) {
        const QString type = attribute(attributes, "type").trimmed().toUpper();
        if (type == u"YEAR" || type == u"DATE")
            m_ageDate = {QDate::fromString(attribute(attributes, "value").trimmed(), Qt::ISODate),
                         type == u"YEAR"};
    } else if (name == u"SESSION" && parent == u"SESSIONS") {
        startSession(attributes);
    } else if (name == u"EVENT" && !m_event) {
        m_event = PendingEvent{attributes, {}, m_session, depth, {}};
    } else if (name == u"SWIMSTYLE" && m_event && depth == m_event->depth + 1) {
        m_event->style = attributes;
    } else if (name == u"AGEGROUP" && parent == u"AGEGROUPS" && m_event && depth == m_event->depth + 2) {
        QString handicap = attribute(attributes, "handicap").trimmed();
        if (handicap == u"0")
            handicap.clear(); // no class: the group is not one of para swimmers
        m_event->ageGroups.append({attribute(attributes, "agegroupid").trimmed(),
                                   attribute(attributes, "name"),
                                   ageLimit(attributes, "agemin"),
                                   ageLimit(attributes, "agemax"),
                                   handicap,
                                   {},
                                   attribute(attributes, "gender").trimmed().toUpper()});
    } else if (name == u"RANKING" && parent == u"RANKINGS" && m_event && depth == m_event->depth + 4 &&
               m_path[depth - 3] == u"AGEGROUP" && !m_event->ageGroups.isEmpty()) {
        m_event->ageGroups.last().places.append(
            {attribute(attributes, "resultid").trimmed(), attribute(attributes, "place").trimmed()});
    } else if (name == u"CLUB" && parent == u"CLUBS" && depth == m_meetDepth + 2) {
        PendingClub club;
        club.depth = depth;
        club.club = {attribute(attributes, "clubid"), attribute(attributes, "code"),
                     attribute(attributes, "name"),   attribute(attributes, "shortname"),
                     attribute(attributes, "nation"), true};
        if (club.club.nation.toString().isEmpty())
            club.club.nation = QVariant();
        club.type = attribute(attributes, "type").toUpper();
        club.team = attribute(attributes, "number");
        club.shown = firstCleaned({club.club.name, club.club.shortName, club.club.code});
        m_club = club;
    } else if (m_club) {
        m_club->athletes += name == u"ATHLETE" ? 1 : 0;
        m_club->relays += name == u"RELAY" ? 1 : 0;
        m_club->people =
            m_club->people || name == u"ATHLETE" || name == u"RELAY" || name == u"ENTRY" || name == u"RESULT";
        startInClub(name, attributes);
    }
}

// The swimmers and relays of a club (CLUB/ATHLETES/ATHLETE, CLUB/RELAYS/RELAY) and their
// results (.../RESULTS/RESULT). An athlete deeper down, as in the positions of a relay, is
// one of the relay's swimmers, not one whose results follow.
void Reader::startInClub(const QString& name, const QXmlStreamAttributes& attributes)
{
    const qsizetype depth = m_path.size();
    const qsizetype below = depth - m_club->depth;
    const QString parent = m_path[depth - 2];
    if (below == 2 && name == u"ATHLETE" && parent == u"ATHLETES") {
        const QString last = text::cleanName(attribute(attributes, "lastname"));
        const QString first = text::cleanName(attribute(attributes, "firstname"));
        m_club->who = last.isEmpty() || first.isEmpty() ? last + first : last + QStringLiteral(", ") + first;
        m_club->relay = false;
        m_club->swimmer = {};
        m_club->swimmer.born = QDate::fromString(attribute(attributes, "birthdate").trimmed(), Qt::ISODate);
        m_club->swimmer.swimmerGender = attribute(attributes, "gender").trimmed().toUpper();
    } else if (below == 3 && name == u"HANDICAP" && parent == u"ATHLETE" && !m_club->relay) {
        m_club->swimmer.classFree = attribute(attributes, "free").trimmed();
        m_club->swimmer.classBreast = attribute(attributes, "breast").trimmed();
        m_club->swimmer.classMedley = attribute(attributes, "medley").trimmed();
    } else if (below == 2 && name == u"RELAY" && parent == u"RELAYS") {
        const QString number = text::cleanName(attribute(attributes, "number"));
        m_club->who = m_club->shown + QCoreApplication::translate("Import", ", remuda") +
                      (number.isEmpty() ? QString() : u' ' + number);
        m_club->relay = true;
        m_club->swimmer = {};
    } else if (below == 4 && name == u"RESULT" && parent == u"RESULTS" &&
               (m_path[depth - 3] == u"ATHLETE" || m_path[depth - 3] == u"RELAY")) {
        FileSwim swim = m_club->swimmer;
        swim.resultId = attribute(attributes, "resultid").trimmed();
        swim.eventId = attribute(attributes, "eventid").trimmed();
        swim.clubShown = m_club->shown;
        swim.who = m_club->who;
        swim.swimTime = attribute(attributes, "swimtime").trimmed();
        swim.status = attribute(attributes, "status").trimmed().toUpper();
        swim.relay = m_club->relay;
        m_club->swims.append(swim);
    }
}

// The first and last dates of the meet's sessions: which meet this is, with its name.
void Reader::startSession(const QXmlStreamAttributes& attributes)
{
    m_session = attributeNumber(attributes, "number");
    const QDate date = QDate::fromString(attribute(attributes, "date").trimmed(), Qt::ISODate);
    if (!date.isValid())
        return;
    data::MeetIdentity& meet = m_meet.identity;
    if (!meet.from.isValid() || date < meet.from)
        meet.from = date;
    if (!meet.to.isValid() || date > meet.to)
        meet.to = date;
}

void Reader::leaveOut(const QString& number, const QString& why)
{
    m_leftOut.append({number, why});
    m_meet.notes
        << QCoreApplication::translate("Import", "Proba número %1: %2; queda fóra.").arg(number, why);
}

void Reader::endEvent(const PendingEvent& pending)
{
    const QString numberText = text::cleanName(attribute(pending.event, "number"));
    // What the file wrote, as one short line.
    const auto shown = [](const QString& written) {
        const QString value = text::cleanName(written);
        return value.size() > 20 ? value.left(20) + QStringLiteral("…") : value;
    };
    bool ok = false;
    const int order = numberText.toInt(&ok);
    if (numberText.isEmpty()) {
        m_meet.notes << QCoreApplication::translate("Import", "Proba %1 sen número: omitida.")
                            .arg(shown(attribute(pending.event, "eventid")));
        m_leftOut.append({QString(), QCoreApplication::translate("Import", "non ten número")});
        return;
    }
    // Values no real meet has are left out, and said. Meets number their events up to 999
    // (by session, 101-125, or 998 and 999 for swim-offs).
    if (!ok || order < 0 || order > 999)
        return leaveOut(shown(numberText),
                        QCoreApplication::translate("Import", "o número de proba só pode ir de 0 a 999"));
    const QString distanceText = attribute(pending.style, "distance").trimmed();
    const int distance = distanceText.toInt(&ok);
    if (!distanceText.isEmpty() && (!ok || distance < 0 || distance > 25000))
        return leaveOut(
            QString::number(order),
            QCoreApplication::translate("Import", "a distancia «%1» non é unha distancia de natación")
                .arg(shown(distanceText)));
    const QString relayText = attribute(pending.style, "relaycount").trimmed();
    const int relayCount = relayText.toInt(&ok);
    if (!relayText.isEmpty() && (!ok || relayCount < 0 || relayCount > 50))
        return leaveOut(QString::number(order),
                        QCoreApplication::translate("Import", "unha remuda de «%1» nadadores non é posible")
                            .arg(shown(relayText)));
    QString gender = attribute(pending.event, "gender").trimmed().toUpper();
    if (gender.isEmpty())
        gender = QStringLiteral("A");
    if (gender != u"M" && gender != u"F" && gender != u"X" && gender != u"A")
        return leaveOut(
            QString::number(order),
            QCoreApplication::translate("Import", "o sexo «%1» non é M, F, X nin A").arg(shown(gender)));
    const QString code = m_codes.codeFor(pending.style);
    const QString round = attribute(pending.event, "round").trimmed().toUpper();
    m_events.append({attribute(pending.event, "eventid").trimmed(), order, code, gender, round,
                     attribute(pending.event, "preveventid").trimmed(), relayCount > 1, pending.ageGroups});
    // The programme has each number once: the rounds that share it are one event there.
    if (m_numbers.contains(order)) {
        m_meet.notes << QCoreApplication::translate(
                            "Import",
                            "Proba número %1, rolda %2: o número xa o ten outra rolda; queda a primeira.")
                            .arg(QString::number(order), shown(round));
        return;
    }
    m_numbers.insert(order);
    m_meet.events.append({attributeNumber(pending.event, "eventid"), order, code, gender,
                          distance > 0 ? QVariant(distance) : QVariant(), pending.session});
}

void Reader::endClub(PendingClub& pending)
{
    const FileClub& club = pending.club;
    const QString& shown = pending.shown;
    // The club's results go to the club it is in the meet: none for the unattached or a
    // club left out, the first for a club listed again.
    const auto swimsFor = [&](qsizetype index) {
        for (FileSwim& swim : pending.swims) {
            swim.club = index;
            m_swims.append(std::move(swim));
        }
    };
    if (pending.type == u"UNATTACHED") {
        swimsFor(-1);
        m_meet.notes << QCoreApplication::translate(
                            "Import", "Club «%1» de tipo UNATTACHED (deportistas sen club, %2 deportistas): "
                                      "non puntúa para ningún club e queda fóra.")
                            .arg(shown.isEmpty() ? QStringLiteral("UNATTACHED") : shown,
                                 QString::number(pending.athletes));
        return;
    }
    if (shown.isEmpty() && !pending.people) {
        swimsFor(-1);
        m_meet.notes << QCoreApplication::translate(
            "Import", "Un club sen nome nin código e sen ningún deportista: queda fóra.");
        return;
    }
    // The same club listed again: its clubid and name (an id given to two names is a fault of
    // the file, and two clubs), else its code, name and team number.
    const QString key =
        !text::cleanName(club.id).isEmpty()
            ? QStringLiteral("id\n%1\n%2").arg(text::foldName(club.id), text::foldName(club.name))
            : QStringLiteral("club\n%1\n%2\n%3")
                  .arg(text::foldName(club.code), text::foldName(club.name), pending.team.trimmed());
    if (!shown.isEmpty()) {
        if (const auto seen = m_clubKeys.constFind(key); seen != m_clubKeys.constEnd()) {
            m_listed[*seen] = m_listed.value(*seen, 1) + 1;
            swimsFor(*seen);
            return;
        }
        m_clubKeys.insert(key, m_meet.clubs.size());
    }
    swimsFor(m_meet.clubs.size());
    m_meet.clubs.append(club);
}

} // namespace

QString lenexEventCode(int distance, int relayCount, const QString& stroke, const QString& technique)
{
    static const QHash<QString, QString> strokes = {
        {QStringLiteral("FREE"), QStringLiteral("L")},
        {QStringLiteral("BACK"), QStringLiteral("E")},
        {QStringLiteral("BREAST"), QStringLiteral("B")},
        {QStringLiteral("FLY"), QStringLiteral("M")},
        {QStringLiteral("MEDLEY"), QStringLiteral("S")},
        {QStringLiteral("IMRELAY"), QStringLiteral("S")},
        // Fin swimming: A (aletas) and the kind.
        {QStringLiteral("SURFACE"), QStringLiteral("AS")},
        {QStringLiteral("BIFINS"), QStringLiteral("AB")},
        {QStringLiteral("IMMERSION"), QStringLiteral("AI")},
        {QStringLiteral("APNEA"), QStringLiteral("AA")},
        {QStringLiteral("SPEED_APNEA"), QStringLiteral("AV")},
        {QStringLiteral("SPEED_ENDURANCE"), QStringLiteral("AR")},
        {QStringLiteral("STATIC"), QStringLiteral("AE")},
        {QStringLiteral("DYNAMIC"), QStringLiteral("AD")},
        {QStringLiteral("DYNAMIC_BIFINS"), QStringLiteral("ADB")},
        {QStringLiteral("DYNAMIC_NOFINS"), QStringLiteral("ADS")},
        {QStringLiteral("MIXEDFINS"), QStringLiteral("AM")},
    };
    static const QHash<QString, QString> techniques = {
        {QStringLiteral("KICK"), QStringLiteral("P")},  {QStringLiteral("PULL"), QStringLiteral("Z")},
        {QStringLiteral("DIVE"), QStringLiteral("U")},  {QStringLiteral("GLIDE"), QStringLiteral("D")},
        {QStringLiteral("START"), QStringLiteral("I")}, {QStringLiteral("TURN"), QStringLiteral("V")},
    };
    QString code = QString::number(distance) +
                   strokes.value(stroke.trimmed().toUpper(), QStringLiteral("O")) +
                   techniques.value(technique.trimmed().toUpper());
    if (relayCount > 1)
        code.prepend(QString::number(relayCount) + QLatin1Char('X'));
    return code;
}

namespace {

// The meet and the results of a Lenex file's XML, in one reading; path names the file.
Result<FileResults> readLenex(const Result<LenexXml>& xml, const QString& path)
{
    if (!xml)
        return xml.failure();
    Result<FileResults> results = xml->text ? Reader(*xml->text).read(path) : Reader(xml->bytes).read(path);
    if (results)
        results->meet.notes = xml->notes + results->meet.notes;
    return results;
}

// The categories of the events' age groups that are not every age, in the order the file
// first gives them; a group the file repeats across events (the same name, ages, gender and
// class) is one category that lists each of them.
// A name for an age group the file leaves unnamed (masters files often do), from what it
// is: its ages ("25-29", "80+", "0-10"), its sport class, its gender; data, the same in
// every language.
QString unnamedCategory(const data::MeetCategory& category)
{
    QStringList parts;
    if (category.minAge > 0 && category.maxAge >= 0)
        parts << QStringLiteral("%1-%2").arg(category.minAge).arg(category.maxAge);
    else if (category.minAge > 0)
        parts << QStringLiteral("%1+").arg(category.minAge);
    else if (category.maxAge >= 0)
        parts << QStringLiteral("0-%1").arg(category.maxAge);
    if (!category.sportClass.isEmpty())
        parts << category.sportClass;
    return parts.join(u' ');
}

// One category to a name: the men's and the women's groups of a name are one category with
// both standings, even where their ages differ (júnior: girls 15-16, boys 17-18); its ages
// then span both, and its gender is the groups' where they share one.
void mergeInto(data::MeetCategory& category, const data::MeetCategory& group, int event)
{
    const auto lower = [](int a, int b) { return a < 0 || b < 0 ? -1 : std::min(a, b); };
    const auto upper = [](int a, int b) { return a < 0 || b < 0 ? -1 : std::max(a, b); };
    category.minAge = lower(category.minAge, group.minAge);
    category.maxAge = upper(category.maxAge, group.maxAge);
    if (category.gender != group.gender)
        category.gender.clear();
    if (!category.events.contains(event))
        category.events.append(event);
}

QList<data::MeetCategory> categoriesOf(const QList<FileEvent>& events)
{
    QList<data::MeetCategory> categories;
    for (const FileEvent& event : events)
        for (const FileAgeGroup& group : event.ageGroups) {
            if (group.covers())
                continue;
            const data::MeetCategory found{categoryName(group), group.minAge,   group.maxAge,
                                           group.gender,        group.handicap, {}};
            auto same = std::find_if(categories.begin(), categories.end(), [&](const data::MeetCategory& c) {
                return c.name.compare(found.name, Qt::CaseInsensitive) == 0;
            });
            if (same == categories.end())
                categories.append(found), same = categories.end() - 1;
            mergeInto(*same, found, event.number);
        }
    return categories;
}

Result<FileMeet> meetOf(Result<FileResults> results)
{
    if (!results)
        return results.failure();
    results->meet.categories = categoriesOf(results->events);
    return std::move(results->meet);
}

} // namespace

QString categoryName(const FileAgeGroup& group)
{
    const QString name = text::cleanName(group.name);
    return name.isEmpty()
               ? unnamedCategory({name, group.minAge, group.maxAge, group.gender, group.handicap, {}})
               : name;
}

Result<FileMeet> readLenexMeet(const QString& path)
{
    return meetOf(readLenex(lenexXml(path), path));
}

Result<FileMeet> readLenexMeet(const QByteArray& contents, const QString& name)
{
    return meetOf(readLenex(lenexXml(contents, name), name));
}

Result<FileResults> readLenexResults(const QString& path)
{
    return readLenex(lenexXml(path), path);
}

Result<FileResults> readLenexResults(const QByteArray& contents, const QString& name)
{
    return readLenex(lenexXml(contents, name), name);
}

std::optional<qint64> lenexSwimTime(const QString& text)
{
    // HH:MM:SS.hh as Lenex writes it; the hours, or the hours and the minutes, may be left
    // out. The first part may have one digit or two (up to 99 hours, or a lenient 75
    // minutes); minutes and seconds after it are two digits under 60.
    static const QRegularExpression time(
        QStringLiteral("^(?:(?:([0-9]{1,2}):)?([0-9]{1,2}):)?([0-9]{1,2})\\.([0-9]{2})$"));
    const QRegularExpressionMatch match = time.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const auto part = [&match](int n) { return match.captured(n).toLongLong(); };
    const bool hours = match.hasCaptured(1);
    const bool minutes = match.hasCaptured(2);
    if ((hours && (match.capturedLength(2) != 2 || part(2) >= 60)) ||
        (minutes && (match.capturedLength(3) != 2 || part(3) >= 60)))
        return std::nullopt;
    return ((part(1) * 60 + part(2)) * 60 + part(3)) * 100 + part(4);
}

} // namespace quilvarden::imports
