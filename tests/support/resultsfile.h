#pragma once

#include <QFile>
#include <QString>

// A small meet as the meet-management program exports it, written by hand: the programme
// (for import-lenex) and the results of the same meet (for scoring), with a club that does
// not take part (it came late: it is only in the results), an unattached swimmer, ties,
// disqualified and exhibition swims, a relay event, an event with two age groups and none
// for every age, and an event without results yet.
namespace testsupport {

inline QString meetEvents(bool withResults)
{
    const QString rankings1 = QStringLiteral(
        "<RANKINGS><RANKING place=\"1\" resultid=\"101\"/><RANKING place=\"2\" resultid=\"102\"/>"
        "<RANKING place=\"3\" resultid=\"103\"/><RANKING place=\"4\" resultid=\"104\"/>"
        "<RANKING place=\"5\" resultid=\"105\"/><RANKING place=\"6\" resultid=\"106\"/>"
        "<RANKING place=\"-1\" resultid=\"107\"/></RANKINGS>");
    const QString rankings3 = QStringLiteral("<RANKINGS><RANKING place=\"1\" resultid=\"301\"/><RANKING "
                                             "place=\"2\" resultid=\"302\"/></RANKINGS>");
    const QString rankings41 = QStringLiteral("<RANKINGS><RANKING place=\"1\" resultid=\"401\"/><RANKING "
                                              "place=\"2\" resultid=\"402\"/></RANKINGS>");
    const QString rankings42 = QStringLiteral("<RANKINGS><RANKING place=\"1\" resultid=\"403\"/></RANKINGS>");
    const auto group = [withResults](const char* id, const char* min, const char* max,
                                     const QString& ranking) {
        return QStringLiteral("<AGEGROUP agegroupid=\"%1\" agemin=\"%2\" agemax=\"%3\">%4</AGEGROUP>")
            .arg(QLatin1String(id), QLatin1String(min), QLatin1String(max),
                 withResults ? ranking : QString());
    };
    return QStringLiteral(
               "<SESSIONS><SESSION number=\"1\"><EVENTS>"
               "<EVENT eventid=\"1\" number=\"1\" gender=\"F\"><SWIMSTYLE distance=\"100\" relaycount=\"1\" "
               "stroke=\"FREE\"/><AGEGROUPS>%1</AGEGROUPS></EVENT>"
               "<EVENT eventid=\"2\" number=\"2\" gender=\"M\"><SWIMSTYLE distance=\"100\" relaycount=\"1\" "
               "stroke=\"BACK\"/></EVENT>"
               "<EVENT eventid=\"3\" number=\"3\" gender=\"F\"><SWIMSTYLE distance=\"50\" relaycount=\"4\" "
               "stroke=\"FREE\"/><AGEGROUPS>%2</AGEGROUPS></EVENT>"
               "<EVENT eventid=\"4\" number=\"4\" gender=\"M\"><SWIMSTYLE distance=\"50\" relaycount=\"1\" "
               "stroke=\"FLY\"/><AGEGROUPS>%3%4</AGEGROUPS></EVENT>"
               "<EVENT eventid=\"5\" number=\"5\" gender=\"F\"><SWIMSTYLE distance=\"200\" relaycount=\"1\" "
               "stroke=\"MEDLEY\"/></EVENT>"
               "</EVENTS></SESSION></SESSIONS>")
        .arg(group("10", "-1", "-1", rankings1), group("30", "-1", "-1", rankings3),
             group("41", "11", "12", rankings41), group("42", "13", "14", rankings42));
}

inline QString athlete(const char* id, const char* name, const QString& results)
{
    return QStringLiteral("<ATHLETE athleteid=\"%1\" lastname=\"%2\" firstname=\"A\" gender=\"F\">"
                          "<RESULTS>%3</RESULTS></ATHLETE>")
        .arg(QLatin1String(id), QString::fromUtf8(name), results);
}

inline QString result(const char* id, const char* event, const char* time, const char* status = "")
{
    return QStringLiteral("<RESULT resultid=\"%1\" eventid=\"%2\" swimtime=\"%3\"%4/>")
        .arg(QLatin1String(id), QLatin1String(event), QLatin1String(time),
             *status ? QStringLiteral(" status=\"%1\"").arg(QLatin1String(status)) : QString());
}

// The clubs of the meet and, in the results, their swims:
//   event 1 (100 free, women, official places): VIGO 1 and 2, LUGO 3, the late club 4,
//           CORUÑA 5, the unattached swimmer 6, LUGO disqualified;
//   event 2 (100 back, men, no places: by times): LUGO and CORUÑA tied in 1:05.00, VIGO
//           1:06.00, VIGO disqualified in 1:00.00, LUGO out of competition in 0:59.00,
//           CORUÑA with no time;
//   event 3 (4×50 free relay, women, official places): CORUÑA 1, VIGO 2, LUGO did not start;
//   event 4 (50 fly, men, age groups 11–12 and 13–14): LUGO, VIGO in the first; CORUÑA in the
//           second; event 5: no results yet.
inline QString meetClubs(bool withResults, bool lateClub)
{
    const auto swims = [withResults](const QString& text) { return withResults ? text : QString(); };
    QString clubs = QStringLiteral("<CLUBS>");
    clubs +=
        QStringLiteral("<CLUB clubid=\"1\" code=\"VIG\" name=\"Club Natación Vigo\" shortname=\"VIGO\">"
                       "<ATHLETES>%1%2%3</ATHLETES><RELAYS>%4</RELAYS></CLUB>")
            .arg(athlete("11", "Vigo Un",
                         swims(result("101", "1", "00:01:01.00") + result("201", "2", "00:01:06.00"))),
                 athlete("12", "Vigo Dous",
                         swims(result("102", "1", "00:01:02.00") + result("202", "2", "00:01:00.00", "DSQ"))),
                 athlete("13", "Vigo Tres", swims(result("402", "4", "00:00:31.00"))),
                 swims(QStringLiteral("<RELAY number=\"1\" gender=\"F\"><RESULTS>%1</RESULTS></RELAY>")
                           .arg(result("302", "3", "00:02:01.00"))));
    clubs += QStringLiteral("<CLUB clubid=\"2\" code=\"LUG\" name=\"Club Natación Lugo\" shortname=\"LUGO\">"
                            "<ATHLETES>%1%2</ATHLETES><RELAYS>%3</RELAYS></CLUB>")
                 .arg(athlete("21", "Lugo Un",
                              swims(result("103", "1", "00:01:03.00") + result("203", "2", "00:01:05.00") +
                                    result("401", "4", "00:00:30.00"))),
                      athlete("22", "Lugo Dous",
                              swims(result("107", "1", "00:00:59.00", "DSQ") +
                                    result("204", "2", "00:00:59.00", "EXH"))),
                      swims(QStringLiteral("<RELAY number=\"1\" gender=\"F\"><RESULTS>%1</RESULTS></RELAY>")
                                .arg(result("303", "3", "", "DNS"))));
    clubs += QStringLiteral("<CLUB clubid=\"3\" code=\"COR\" name=\"Real Club Coruña\" shortname=\"CORUÑA\">"
                            "<ATHLETES>%1%2</ATHLETES><RELAYS>%3</RELAYS></CLUB>")
                 .arg(athlete("31", "Coruña Un",
                              swims(result("105", "1", "00:01:05.00") + result("205", "2", "00:01:05.00") +
                                    result("403", "4", "00:00:29.00"))),
                      athlete("32", "Coruña Dous", swims(result("206", "2", "NT"))),
                      swims(QStringLiteral("<RELAY number=\"1\" gender=\"F\"><RESULTS>%1</RESULTS></RELAY>")
                                .arg(result("301", "3", "00:01:59.00"))));
    if (lateClub)
        clubs += QStringLiteral("<CLUB clubid=\"4\" code=\"TAR\" name=\"Club Tardío\" shortname=\"TARDE\">"
                                "<ATHLETES>%1</ATHLETES></CLUB>")
                     .arg(athlete("41", "Tarde Un", swims(result("104", "1", "00:01:04.00"))));
    clubs += QStringLiteral("<CLUB type=\"UNATTACHED\" name=\"Sen club\"><ATHLETES>%1</ATHLETES></CLUB>")
                 .arg(athlete("51", "Solo", swims(result("106", "1", "00:01:06.00"))));
    return clubs + QStringLiteral("</CLUBS>");
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The programme (no results, no late club) or the results file, as a .lef file at path.
inline bool writeMeetFile(const QString& path, bool withResults,
                          const QString& meetName = QStringLiteral("Liga"))
{
    const QString xml =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LENEX version=\"3.0\"><MEETS>"
                       "<MEET name=\"%1\" city=\"Vigo\">%2%3</MEET></MEETS></LENEX>\n")
            .arg(meetName, meetEvents(withResults), meetClubs(withResults, withResults));
    return writeFile(path, xml.toUtf8());
}

// A Lenex file of one meet, one session: its name and date, its EVENT elements, and the
// three clubs VIGO, LUGO and CORUÑA, each with one swimmer holding the RESULT elements given.
inline QByteArray lenexMeet(const QString& meet, const QString& date, const QString& events,
                            const QStringList& results)
{
    const char* clubs[][3] = {{"1", "VIG", "VIGO"}, {"2", "LUG", "LUGO"}, {"3", "COR", "CORUÑA"}};
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LENEX version=\"3.0\"><MEETS>"
                                 "<MEET name=\"%1\"><SESSIONS><SESSION number=\"1\" date=\"%2\"><EVENTS>%3"
                                 "</EVENTS></SESSION></SESSIONS><CLUBS>")
                      .arg(meet, date, events);
    for (qsizetype i = 0; i < 3; ++i)
        xml += QStringLiteral("<CLUB clubid=\"%1\" code=\"%2\" name=\"Club %3\" shortname=\"%3\"><ATHLETES>"
                              "<ATHLETE lastname=\"%3\" firstname=\"A\"><RESULTS>%4</RESULTS></ATHLETE>"
                              "</ATHLETES></CLUB>")
                   .arg(QString::fromUtf8(clubs[i][0]), QString::fromUtf8(clubs[i][1]),
                        QString::fromUtf8(clubs[i][2]), results.value(i));
    return (xml + QStringLiteral("</CLUBS></MEET></MEETS></LENEX>\n")).toUtf8();
}

// An EVENT of 100 m free for women: a round of its own, or after the round previous.
inline QString lenexEvent(const char* id, const char* number, const char* round, const char* previous = "",
                          const QString& ageGroups = {})
{
    return QStringLiteral(
               "<EVENT eventid=\"%1\" number=\"%2\" gender=\"F\" round=\"%3\" preveventid=\"%4\">"
               "<SWIMSTYLE distance=\"100\" relaycount=\"1\" stroke=\"FREE\"/><AGEGROUPS>%5</AGEGROUPS>"
               "</EVENT>")
        .arg(QLatin1String(id), QLatin1String(number), QLatin1String(round), QLatin1String(previous),
             ageGroups);
}

// An age group with its ranking: result ids and places, "id=place" each.
inline QString lenexAgeGroup(const char* id, const QStringList& places, const char* handicap = "")
{
    QString ranking;
    for (const QString& entry : places)
        ranking += QStringLiteral("<RANKING resultid=\"%1\" place=\"%2\"/>")
                       .arg(entry.section(u'=', 0, 0), entry.section(u'=', 1));
    return QStringLiteral("<AGEGROUP agegroupid=\"%1\" agemin=\"-1\" agemax=\"-1\" handicap=\"%2\">"
                          "<RANKINGS>%3</RANKINGS></AGEGROUP>")
        .arg(QLatin1String(id), QLatin1String(handicap), ranking);
}

} // namespace testsupport
