#include "data/database.h"
#include "rules/rules.h"
#include "support/pgserver.h"
#include "support/resultsfile.h"
#include "support/scratchdb.h"
#include "support/toolrun.h"

#include <QTemporaryDir>
#include <QTest>

using testsupport::lenexAgeGroup;
using testsupport::lenexEvent;
using testsupport::lenexMeet;
using testsupport::result;
using testsupport::runTool;
using testsupport::ToolRun;
using namespace Qt::Literals::StringLiterals;
using namespace quilvarden;

// quilvarden-db score-lenex as an official runs it after each event: a meet's programme
// imported from its Lenex file, then its results file scored into the register.
class TestScoreLenex : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<testsupport::PgServer> m_server; // started by the first test that needs one
    QString m_register;
    QString m_results;

    QStringList awards() const
    {
        return testsupport::queryRows(m_register,
                                      QStringLiteral("SELECT orde, proba, sexo, club, puntos FROM puntos "
                                                     "ORDER BY orde, puntos DESC, club"));
    }
    ToolRun score(const QStringList& options = {}) const
    {
        return runTool(QStringList{QStringLiteral("score-lenex"), m_results, m_register} + options);
    }

    // A register of its own with the programme of a file, then the results of another scored
    // into it (the same file when no results are given).
    ToolRun scoreMeet(const QByteArray& programme, QByteArray results = {}, const QStringList& options = {})
    {
        static int made = 0;
        m_register = m_dir->filePath(u"meet%1.MDB"_s.arg(++made));
        m_results = m_dir->filePath(u"results%1.lef"_s.arg(made));
        const QString programmeFile = m_dir->filePath(u"programme%1.lef"_s.arg(made));
        if (!testsupport::writeFile(programmeFile, programme) ||
            !testsupport::writeFile(m_results, results.isEmpty() ? programme : results) ||
            runTool({QStringLiteral("import-lenex"), programmeFile, m_register}).status != 0)
            return {};
        return score(options);
    }

    // Keeps the rules in the register, as the operator sets them.
    bool setRules(const rules::MeetRules& meetRules) const
    {
        Result<std::unique_ptr<data::Database>> database = data::Database::open(m_register);
        return database && (*database)->setMeetRules(meetRules);
    }

    QStringList totals() const
    {
        return testsupport::queryRows(
            m_register, QStringLiteral("SELECT club, SUM(puntos) FROM puntos GROUP BY club ORDER BY club"));
    }

    // The awards with their categories: "order|category|club|points".
    QStringList categoryAwards() const
    {
        return testsupport::queryRows(
            m_register,
            u"SELECT p.orde, COALESCE(c.categoria, ''), p.club, p.puntos FROM puntos p LEFT JOIN "
            u"quilvarden_puntos_categorias c ON c.id = p.id ORDER BY p.orde, 2, p.puntos DESC, p.club"_s);
    }

    // A junior meet of women's events, ages reckoned by the year 2026, and its swimmers: each
    // "CLUB BORN CLASS RESULTID/EVENTID/TIME[/STATUS]..." (CLUB VIG, LUG or COR; BORN and CLASS
    // "-" for none).
    static QByteArray juniorMeet(const QString& events, const QStringList& swimmers)
    {
        QString clubs;
        for (const char* club : {"VIG|VIGO", "LUG|LUGO", "COR|CORUÑA"}) {
            const QString code = QString::fromUtf8(club).section(u'|', 0, 0);
            clubs += u"<CLUB code=\"%1\" name=\"Club %2\" shortname=\"%2\"><ATHLETES>"_s.arg(
                code, QString::fromUtf8(club).section(u'|', 1));
            for (const QString& swimmer : swimmers) {
                const QStringList parts = swimmer.split(u' ');
                if (parts[0] != code)
                    continue;
                QString results;
                for (const QString& swim : parts.mid(3)) {
                    const QStringList s = swim.split(u'/');
                    results +=
                        u"<RESULT resultid=\"%1\" eventid=\"%2\" swimtime=\"%3\" status=\"%4\"/>"_s.arg(
                            s[0], s[1], s[2], s.value(3));
                }
                clubs += u"<ATHLETE lastname=\"%1\" firstname=\"%2\" gender=\"F\"%3>%4<RESULTS>%5</RESULTS>"
                         u"</ATHLETE>"_s.arg(
                             code, parts[3].section(u'/', 0, 0),
                             parts[1] == u"-" ? QString() : u" birthdate=\"%1\""_s.arg(parts[1]),
                             parts[2] == u"-"
                                 ? QString()
                                 : u"<HANDICAP free=\"%1\" breast=\"%1\" medley=\"%1\"/>"_s.arg(parts[2]),
                             results);
            }
            clubs += u"</ATHLETES></CLUB>"_s;
        }
        return (u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LENEX version=\"3.0\"><MEETS><MEET "
                u"name=\"Xuvenil\">"
                u"<AGEDATE value=\"2026-12-31\" type=\"YEAR\"/><SESSIONS><SESSION number=\"1\" "
                u"date=\"2026-12-05\">"
                u"<EVENTS>%1</EVENTS></SESSION></SESSIONS><CLUBS>%2</CLUBS></MEET></MEETS></LENEX>\n"_s.arg(
                    events, clubs))
            .toUtf8();
    }

    // A women's event of 100 m (FREE, BACK...) and its age groups.
    static QString juniorEvent(const char* number, const char* stroke, const QString& groups)
    {
        return u"<EVENT eventid=\"%1\" number=\"%1\" gender=\"F\" round=\"TIM\"><SWIMSTYLE distance=\"100\" "
               u"relaycount=\"1\" stroke=\"%2\"/><AGEGROUPS>%3</AGEGROUPS></EVENT>"_s.arg(
                   QLatin1String(number), QLatin1String(stroke), groups);
    }

    // An age group "ID NAME MIN MAX [CLASS]" and its ranking, "resultid=place" each (none: no RANKINGS).
    static QString juniorGroup(const QString& group, const QStringList& places = {})
    {
        const QStringList g = group.split(u' ');
        QString ranking;
        for (const QString& place : places)
            ranking += u"<RANKING resultid=\"%1\" place=\"%2\"/>"_s.arg(place.section(u'=', 0, 0),
                                                                        place.section(u'=', 1));
        return u"<AGEGROUP agegroupid=\"%1\" name=\"%2\" agemin=\"%3\" agemax=\"%4\" handicap=\"%5\">%6</AGEGROUP>"_s
            .arg(g[0], g[1], g[2], g[3], g.value(4),
                 places.isEmpty() ? QString() : u"<RANKINGS>"_s + ranking + u"</RANKINGS>"_s);
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_register = m_dir->filePath(QStringLiteral("quilvarden.MDB"));
        m_results = m_dir->filePath(QStringLiteral("results.lef"));
        const QString programme = m_dir->filePath(QStringLiteral("programme.lef"));
        QVERIFY(testsupport::writeMeetFile(programme, false));
        QVERIFY(testsupport::writeMeetFile(m_results, true));
        const ToolRun imported = runTool({QStringLiteral("import-lenex"), programme, m_register});
        QVERIFY2(imported.status == 0, qPrintable(imported.errors));
    }

    void scores_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("expected");
        const QStringList event2{QStringLiteral("02|100E|M|CORUÑA|17.5"),
                                 QStringLiteral("02|100E|M|LUGO|17.5"), QStringLiteral("02|100E|M|VIGO|14")};
        // Event 4 by its age groups: 11-12 LUGO, VIGO; 13-14 CORUÑA.
        const QStringList event3{QStringLiteral("03|4X50L|F|CORUÑA|38"), QStringLiteral("03|4X50L|F|VIGO|32"),
                                 u"04|50M|M|CORUÑA|19"_s, u"04|50M|M|LUGO|19"_s, u"04|50M|M|VIGO|16"_s};
        QTest::newRow("one swim a club")
            << QStringList()
            << (QStringList{QStringLiteral("01|100L|F|VIGO|19"), QStringLiteral("01|100L|F|LUGO|16"),
                            QStringLiteral("01|100L|F|CORUÑA|14")} +
                event2 + event3);
        QTest::newRow("two swims a club")
            << QStringList{QStringLiteral("--per-club"), QStringLiteral("2")}
            << (QStringList{QStringLiteral("01|100L|F|VIGO|19"), QStringLiteral("01|100L|F|VIGO|16"),
                            QStringLiteral("01|100L|F|LUGO|14"), QStringLiteral("01|100L|F|CORUÑA|13")} +
                event2 + event3);
        QTest::newRow("some events") << QStringList{QStringLiteral("--events"), QStringLiteral("2-3")}
                                     << event2 + event3.mid(0, 2);
        QTest::newRow("an age group named")
            << QStringList{QStringLiteral("--events"), QStringLiteral("4"), QStringLiteral("--age-group"),
                           QStringLiteral("41")}
            << QStringList{QStringLiteral("04|50M|M|LUGO|19"), QStringLiteral("04|50M|M|VIGO|16")};
    }

    void scores()
    {
        QFETCH(QStringList, options);
        QFETCH(QStringList, expected);
        const ToolRun run = score(options);
        QVERIFY2(run.status == 0, qPrintable(run.errors + run.output));
        QCOMPARE(awards(), expected);
    }

    // The meet's results under 9-7-6-5-4-3-2-1: event 1 by places VIGO, VIGO, LUGO, (the late
    // club, the unattached swimmer), CORUÑA; event 2 LUGO and CORUÑA tied before VIGO; the
    // relay event 3 CORUÑA, VIGO (double points, the table having none for relays).
    void scoresByTheRules_data()
    {
        QTest::addColumn<int>("individualScorers");
        QTest::addColumn<bool>("fullTies");
        QTest::addColumn<QStringList>("guests");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("totals");
        QTest::addColumn<QString>("said");
        const QStringList relay{u"03|4X50L|F|CORUÑA|18"_s, u"03|4X50L|F|VIGO|14"_s, u"04|50M|M|CORUÑA|9"_s,
                                u"04|50M|M|LUGO|9"_s, u"04|50M|M|VIGO|7"_s};
        const QStringList event2{u"02|100E|M|CORUÑA|8"_s, u"02|100E|M|LUGO|8"_s, u"02|100E|M|VIGO|6"_s};
        const QStringList everySwim = QStringList{u"01|100L|F|VIGO|9"_s, u"01|100L|F|VIGO|7"_s,
                                                  u"01|100L|F|LUGO|6"_s, u"01|100L|F|CORUÑA|5"_s} +
                                      event2 + relay;
        const QStringList oneSwim =
            QStringList{u"01|100L|F|VIGO|9"_s, u"01|100L|F|LUGO|7"_s, u"01|100L|F|CORUÑA|6"_s};
        QTest::newRow("no cap in the rules: every swim scores")
            << 0 << false << QStringList() << QStringList() << everySwim
            << QStringList{u"CORUÑA|40"_s, u"LUGO|23"_s, u"VIGO|43"_s}
            << u"Proba 02 100EM (rolda única): 3 marcas, 22 puntos"_s;
        QTest::newRow("the rules' cap of one swim a club")
            << 1 << false << QStringList() << QStringList() << oneSwim + event2 + relay
            << QStringList{u"CORUÑA|41"_s, u"LUGO|24"_s, u"VIGO|36"_s}
            << u"Proba 01 100LF (rolda única): 3 marcas, 22 puntos"_s;
        QTest::newRow("--per-club over the rules' cap")
            << 1 << false << QStringList() << QStringList{u"--per-club"_s, u"2"_s} << everySwim
            << QStringList{u"CORUÑA|40"_s, u"LUGO|23"_s, u"VIGO|43"_s}
            << u"Proba 01 100LF (rolda única): 4 marcas, 27 puntos"_s;
        QTest::newRow("full ties") << 1 << true << QStringList() << QStringList()
                                   << oneSwim +
                                          QStringList{u"02|100E|M|CORUÑA|9"_s, u"02|100E|M|LUGO|9"_s,
                                                      u"02|100E|M|VIGO|6"_s} +
                                          relay
                                   << QStringList{u"CORUÑA|42"_s, u"LUGO|25"_s, u"VIGO|36"_s}
                                   << u"Proba 02 100EM (rolda única): 3 marcas, 24 puntos"_s;
        QTest::newRow("a guest club by its code: the next club takes its places")
            << 0 << false << QStringList{u"LUG"_s} << QStringList()
            << QStringList{u"01|100L|F|VIGO|9"_s, u"01|100L|F|VIGO|7"_s, u"01|100L|F|CORUÑA|6"_s,
                           u"02|100E|M|CORUÑA|9"_s, u"02|100E|M|VIGO|7"_s} +
                   relay.mid(0, 3) + QStringList{u"04|50M|M|VIGO|9"_s}
            << QStringList{u"CORUÑA|42"_s, u"VIGO|46"_s}
            << u"Proba 02: Lugo Un, A é de «LUGO», un club convidado: non puntúa, e o posto pasa ao seguinte"_s;
        QTest::newRow("a guest the register does not know, by the file's code")
            << 1 << false << QStringList{u"tar"_s} << QStringList() << oneSwim + event2 + relay
            << QStringList{u"CORUÑA|41"_s, u"LUGO|24"_s, u"VIGO|36"_s}
            << u"Proba 01: Tarde Un, A é de «Club Tardío», un club convidado"_s;
    }

    void scoresByTheRules()
    {
        QFETCH(int, individualScorers);
        QFETCH(bool, fullTies);
        QFETCH(QStringList, guests);
        QFETCH(QStringList, options);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, totals);
        QFETCH(QString, said);
        rules::MeetRules meetRules = *rules::preset(u"9-7-6-5-4-3-2-1"_s);
        meetRules.individualScorers = individualScorers;
        meetRules.ties = fullTies ? rules::Ties::Full : rules::Ties::Share;
        meetRules.guests = guests;
        QVERIFY(setRules(meetRules));
        const ToolRun run = score(options);
        QVERIFY2(run.status == 0, qPrintable(run.errors + run.output));
        QCOMPARE(run.output.section(u'\n', 1, 1), u"Puntuación: 9-7-6-5-4-3-2-1"_s);
        QVERIFY2(run.output.contains(said), qPrintable(run.output));
        QCOMPARE(awards(), expected);
        QCOMPARE(this->totals(), totals);
    }

    void scoredAgainByTheRulesOfTheTime()
    {
        QVERIFY(score().status == 0);
        QCOMPARE(totals(), (QStringList{u"CORUÑA|88.5"_s, u"LUGO|52.5"_s, u"VIGO|81"_s}));
        rules::MeetRules meetRules = *rules::preset(u"6-4-3-2-1"_s);
        meetRules.individualScorers = 1;
        QVERIFY(setRules(meetRules));
        // 6-4-3 in event 1, 5 each for the tie and 3 in event 2, the relay table's 8-4 in event 3,
        // 6-4 and 6 in event 4's age groups.
        QVERIFY(score({u"--replace"_s}).status == 0);
        QCOMPARE(totals(), (QStringList{u"CORUÑA|22"_s, u"LUGO|15"_s, u"VIGO|17"_s}));
    }

    void listsWhatItLeavesOut()
    {
        const ToolRun run = score();
        QCOMPARE(run.status, 0);
        // The late club and the unattached swimmer score nothing; the event with two age
        // groups scores each apart; the event without results is said.
        for (const QString& said :
             {QStringLiteral("«Club Tardío», que non participa"), QStringLiteral("Solo, A nada sen club"),
              QStringLiteral("Proba 04 50MM (rolda única): 3 marcas, 54 puntos\n  Categoría 11-12: 2 marcas, "
                             "35 puntos\n  Categoría 13-14: 1 marca, 19 puntos\n"),
              QStringLiteral("Proba 05: aínda sen ningún resultado")})
            QVERIFY2(run.output.contains(said), qPrintable(said + QStringLiteral(" not in:\n") + run.output));
        // The standings follow: women 1 and 3, men 2.
        const ToolRun standings = runTool(
            {QStringLiteral("standings"), m_register, QStringLiteral("--format"), QStringLiteral("csv")});
        QVERIFY(standings.output.contains(
            QStringLiteral("Feminina,1,CORUÑA,\"52,00\"\r\nFeminina,2,VIGO,\"51,00\"")));
        QVERIFY(standings.output.contains(
            QStringLiteral("Conxunta,1,CORUÑA,\"88,50\"\r\nConxunta,2,VIGO,\"81,00\"\r\n"
                           "Conxunta,3,LUGO,\"52,50\"")));
    }

    void scoredAgainLeftAloneOrReplaced()
    {
        // An award typed at the window for event 2 before the file came.
        QVERIFY(testsupport::runOn(m_register,
                                   {QStringLiteral("INSERT INTO puntos (orde, proba, sexo, club, puntos) "
                                                   "VALUES ('2', '100E', 'M', 'VIGO', 19)")}));
        ToolRun run = score();
        QCOMPARE(run.status, 0);
        QVERIFY(run.output.contains(QStringLiteral("xa teñen puntos (--replace para substituílos): 02.")));
        QCOMPARE(awards().size(), 9); // 3 + 2 + 3 new, and the one typed
        // Scored again from the same file: what came from it stays, what was typed too.
        run = score();
        QVERIFY(run.output.contains(QStringLiteral("xa teñen puntos (--replace para substituílos): 02.")));
        QVERIFY(run.output.contains(QStringLiteral("Sen cambios desde a exportación anterior: 01, 03, 04.")));
        QCOMPARE(awards().size(), 9);
        run = score({QStringLiteral("--replace")});
        QVERIFY(run.output.contains(QStringLiteral("Substituídos os puntos que tiñan: 01, 02, 03, 04.")));
        QCOMPARE(awards().size(), 11);
        QVERIFY(!awards().contains(QStringLiteral("2|100E|M|VIGO|19")));
    }

    void roundsOfAnEvent_data()
    {
        QTest::addColumn<QString>("events");
        QTest::addColumn<QStringList>("results"); // of VIGO, LUGO, CORUÑA
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("said");
        const QString heatsAndFinal = lenexEvent("1", "1", "PRE") + lenexEvent("2", "1", "FIN", "1");
        QTest::newRow("heats and final under one number: the final scores")
            << heatsAndFinal
            << QStringList{result("11", "1", "00:01:00.00") + result("12", "2", "00:01:01.00", "DSQ"),
                           result("21", "1", "00:01:02.00") + result("22", "2", "00:01:03.00"),
                           result("31", "1", "00:01:04.00") + result("32", "2", "00:01:02.50")}
            << QStringList() << QStringList{u"01|100L|F|CORUÑA|19"_s, u"01|100L|F|LUGO|16"_s}
            << u"Proba 01 100LF (final): 2 marcas, 35 puntos"_s;
        QTest::newRow("a final without results waits, never the heats")
            << heatsAndFinal
            << QStringList{result("11", "1", "00:01:00.00"), result("21", "1", "00:01:02.00"),
                           result("31", "1", "00:01:04.00")}
            << QStringList() << QStringList() << u"Proba 01: a súa final aínda non ten resultados"_s;
        QTest::newRow("heats, final and swim-off under numbers of their own")
            << lenexEvent("1", "1", "PRE") + lenexEvent("2", "21", "FIN", "1") +
                   lenexEvent("3", "998", "SOP", "1")
            << QStringList{result("11", "1", "00:01:00.00") + result("12", "2", "00:01:00.50") +
                               result("13", "3", "00:01:00.10"),
                           result("21", "1", "00:01:00.00") + result("22", "2", "00:01:01.00") +
                               result("23", "3", "00:01:00.20"),
                           result("31", "1", "00:01:04.00") + result("32", "2", "00:00:59.00")}
            << QStringList()
            << QStringList{u"21|100L|F|CORUÑA|19"_s, u"21|100L|F|VIGO|16"_s, u"21|100L|F|LUGO|14"_s}
            << u"Proba 998: é unha rolda previa ou un desempate da proba 21"_s;
        QTest::newRow("an event numbered past 99")
            << lenexEvent("1", "101", "TIM")
            << QStringList{result("11", "1", "00:01:00.00"), result("21", "1", "00:01:01.00")}
            << QStringList() << QStringList{u"101|100L|F|VIGO|19"_s, u"101|100L|F|LUGO|16"_s}
            << u"Proba 101 100LF (final directa): 2 marcas, 35 puntos"_s;
        const QString classes = lenexEvent("1", "1", "TIM", "",
                                           lenexAgeGroup("9", {u"11=1"_s, u"21=2"_s}, "9") +
                                               lenexAgeGroup("10", {u"31=1"_s}, "10"));
        const QStringList swims{result("11", "1", "00:01:10.00"), result("21", "1", "00:01:20.00"),
                                result("31", "1", "00:01:00.00")};
        QTest::newRow("classes of para swimmers are never every age: each scores apart")
            << classes << swims << QStringList()
            << QStringList{u"01|100L|F|CORUÑA|19"_s, u"01|100L|F|VIGO|19"_s, u"01|100L|F|LUGO|16"_s}
            << u"  Categoría 9: 2 marcas, 35 puntos"_s;
        QTest::newRow("a class named scores") << classes << swims << QStringList{u"--age-group"_s, u"10"_s}
                                              << QStringList{u"01|100L|F|CORUÑA|19"_s}
                                              << u"Proba 01 100LF (final directa): 1 marca, 19 puntos"_s;
    }

    void roundsOfAnEvent()
    {
        QFETCH(QString, events);
        QFETCH(QStringList, results);
        QFETCH(QStringList, options);
        QFETCH(QStringList, expected);
        QFETCH(QString, said);
        const ToolRun run = scoreMeet(lenexMeet(u"Liga"_s, u"2026-12-05"_s, events, results), {}, options);
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QVERIFY2(run.output.contains(said), qPrintable(run.output));
        QCOMPARE(awards(), expected);
    }

    // Two women's events of a junior meet, Alevín (10-11) and Infantil (12-13) by the year
    // 2026. Event 1 places Alevín LUGO, VIGO, CORUÑA and Infantil LUGO, VIGO, CORUÑA;
    // event 2 Alevín CORUÑA, VIGO, LUGO and Infantil VIGO, CORUÑA (LUGO, fastest, disqualified),
    // as its rankings say and as the times say.
    void scoresEachCategory_data()
    {
        QTest::addColumn<QString>("events");
        QTest::addColumn<QStringList>("swimmers");
        QTest::addColumn<bool>("openRanking");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("said");
        const QStringList swimmers{u"VIG 2016-03-01 - 101/1/00:01:10.00 201/2/00:01:20.00"_s,
                                   u"LUG 2015-06-01 - 102/1/00:01:08.00 202/2/00:01:22.00"_s,
                                   u"COR 2016-09-01 - 103/1/00:01:12.00 203/2/00:01:19.00"_s,
                                   u"VIG 2014-01-01 - 111/1/00:01:02.00 211/2/00:01:15.00"_s,
                                   u"LUG 2013-02-02 - 112/1/00:01:01.00 212/2/00:01:10.00/DSQ"_s,
                                   u"COR 2013-05-05 - 113/1/00:01:03.00 213/2/00:01:16.00"_s};
        const QString alevin1 = juniorGroup(u"11 Alevín 10 11"_s, {u"102=1"_s, u"101=2"_s, u"103=3"_s});
        const QString infantil1 = juniorGroup(u"12 Infantil 12 13"_s, {u"112=1"_s, u"111=2"_s, u"113=3"_s});
        const QString ranked =
            juniorEvent("1", "FREE", alevin1 + infantil1) +
            juniorEvent("2", "BACK",
                        juniorGroup(u"21 Alevín 10 11"_s, {u"203=1"_s, u"201=2"_s, u"202=3"_s}) +
                            juniorGroup(u"22 Infantil 12 13"_s, {u"211=1"_s, u"213=2"_s, u"212=-1"_s}));
        const QString event2ByAges =
            juniorEvent("2", "BACK", juniorGroup(u"21 Alevín 10 11"_s) + juniorGroup(u"22 Infantil 12 13"_s));
        const QString absoluta = juniorGroup(
            u"10 Absoluta -1 -1"_s, {u"112=1"_s, u"111=2"_s, u"113=3"_s, u"102=4"_s, u"101=5"_s, u"103=6"_s});
        const QStringList alevin{u"01|Alevín|LUGO|19"_s, u"01|Alevín|VIGO|16"_s, u"01|Alevín|CORUÑA|14"_s};
        const QStringList infantil{u"01|Infantil|LUGO|19"_s, u"01|Infantil|VIGO|16"_s,
                                   u"01|Infantil|CORUÑA|14"_s};
        const QStringList second{u"02|Alevín|CORUÑA|19"_s, u"02|Alevín|VIGO|16"_s, u"02|Alevín|LUGO|14"_s,
                                 u"02|Infantil|VIGO|19"_s, u"02|Infantil|CORUÑA|16"_s};
        const QStringList open{u"01||LUGO|19"_s, u"01||VIGO|16"_s, u"01||CORUÑA|14"_s};
        QTest::newRow("each age group by its own ranking")
            << ranked << swimmers << false << QStringList() << alevin + infantil + second
            << u"Proba 01 100LF (final directa): 6 marcas, 98 puntos\n  Categoría Alevín: 3 marcas, 49 puntos\n"_s;
        QTest::newRow("groups without rankings: by ages and valid times")
            << juniorEvent("1", "FREE", alevin1 + infantil1) + event2ByAges << swimmers << false
            << QStringList() << alevin + infantil + second << u"  Categoría Infantil: 2 marcas, 35 puntos"_s;
        QTest::newRow("an every-age ranking too: the categories score")
            << juniorEvent("1", "FREE", absoluta + alevin1 + infantil1) + event2ByAges << swimmers << false
            << QStringList() << alevin + infantil + second << u"Categoría Alevín: 3 marcas"_s;
        QTest::newRow("an every-age ranking too, the rules scoring it")
            << juniorEvent("1", "FREE", absoluta + alevin1 + infantil1) + event2ByAges << swimmers << true
            << QStringList{u"--per-club"_s, u"1"_s} << open + second
            << u"  Categorías sen puntuar: Alevín (puntúa a clasificación absoluta polas regras), Infantil"_s;
        QTest::newRow("only the category asked for, in any case")
            << ranked << swimmers << false << QStringList{u"--category"_s, u"infantil"_s}
            << infantil + second.mid(3) << u"  Categorías sen puntuar: Alevín (non pedida)"_s;
        QTest::newRow("an age group named scores alone, as before")
            << ranked << swimmers << false << QStringList{u"--age-group"_s, u"12"_s} << open + second
            << u"Proba 01 100LF (final directa): 3 marcas, 49 puntos\nProba 02 100EF"_s;
        QTest::newRow("no dates of birth: who swims in a group cannot be told")
            << event2ByAges << QStringList{u"VIG - - 201/2/00:01:20.00"_s} << false << QStringList()
            << QStringList()
            << u"Proba 02: ningunha categoría puntúa: Alevín (non se pode saber quen nada nela"_s;
        QTest::newRow("para swimmers by their class")
            << juniorEvent("3", "FREE", juniorGroup(u"31 S5 -1 -1 5"_s) + juniorGroup(u"32 S9 -1 -1 9"_s))
            << QStringList{u"VIG - 5 301/3/00:01:30.00"_s, u"LUG - 5 302/3/00:01:25.00"_s,
                           u"COR - 9 303/3/00:01:40.00"_s, u"VIG - 9 304/3/00:01:35.00"_s}
            << false << QStringList()
            << QStringList{u"03|S5|LUGO|19"_s, u"03|S5|VIGO|16"_s, u"03|S9|VIGO|19"_s, u"03|S9|CORUÑA|16"_s}
            << u"Categoría S9: 2 marcas, 35 puntos"_s;
    }

    void scoresEachCategory()
    {
        QFETCH(QString, events);
        QFETCH(QStringList, swimmers);
        QFETCH(bool, openRanking);
        QFETCH(QStringList, options);
        QFETCH(QStringList, expected);
        QFETCH(QString, said);
        ToolRun run = scoreMeet(juniorMeet(events, swimmers), {}, {u"--dry-run"_s});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        rules::MeetRules meetRules = rules::leagueRules();
        meetRules.ranking = rules::Ranking::Open;
        QVERIFY(!openRanking || setRules(meetRules));
        run = score(options);
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QVERIFY2(run.output.contains(said), qPrintable(run.output));
        QCOMPARE(categoryAwards(), expected);
    }

    // One category scored, then the other: the first keeps its awards; each category's
    // totals (a women's event).
    void categoriesScoredOneAfterTheOther()
    {
        const QString ranked = juniorEvent("1", "FREE",
                                           juniorGroup(u"11 Alevín 10 11"_s, {u"102=1"_s, u"101=2"_s}) +
                                               juniorGroup(u"12 Infantil 12 13"_s, {u"112=1"_s, u"111=2"_s}));
        const QStringList swimmers{
            u"VIG 2016-03-01 - 101/1/00:01:10.00"_s, u"LUG 2015-06-01 - 102/1/00:01:08.00"_s,
            u"VIG 2014-01-01 - 111/1/00:01:02.00"_s, u"LUG 2013-02-02 - 112/1/00:01:01.00"_s};
        QCOMPARE(scoreMeet(juniorMeet(ranked, swimmers), {}, {u"--category"_s, u"ALEVÍN"_s}).status, 0);
        Result<std::unique_ptr<data::Database>> database = data::Database::open(m_register);
        QVERIFY(database);
        // The register spells a category as it likes: its awards carry that spelling.
        Result<QList<data::MeetCategory>> categories = (*database)->meetCategories();
        QVERIFY(categories && categories->size() == 2);
        (*categories)[1].name = u"INFANTIL"_s;
        QVERIFY((*database)->setMeetCategories(*categories));
        const ToolRun run = score({u"--category"_s, u"Infantil"_s});
        QVERIFY2(run.output.contains(u"Gardadas 2 marcas (35 puntos) de 1 proba"_s), qPrintable(run.output));
        QCOMPARE(categoryAwards(), (QStringList{u"01|Alevín|LUGO|19"_s, u"01|Alevín|VIGO|16"_s,
                                                u"01|INFANTIL|LUGO|19"_s, u"01|INFANTIL|VIGO|16"_s}));
        const Result<QList<data::ClubTotal>> totals = (*database)->categoryTotals();
        QVERIFY(totals);
        QStringList shown;
        for (const data::ClubTotal& total : *totals)
            shown << u"%1|%2|%3|%4"_s.arg(total.category, total.club.toString(), total.gender.toString(),
                                          total.total.toString());
        shown.sort();
        QCOMPARE(shown, (QStringList{u"Alevín|LUGO|F|19"_s, u"Alevín|VIGO|F|16"_s, u"INFANTIL|LUGO|F|19"_s,
                                     u"INFANTIL|VIGO|F|16"_s}));
    }

    void rankingsThatCannotBeTold_data()
    {
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<QStringList>("ranking");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("said");
        const QStringList twoSwims{result("11", "1", "00:01:00.00"), result("21", "1", "00:01:01.00")};
        QTest::newRow("a result id on two swims")
            << QStringList{result("11", "1", "00:01:00.00"), result("11", "1", "00:01:01.00")}
            << QStringList{u"11=1"_s} << QStringList() << u"o resultado 11 é de máis dunha nadada"_s;
        QTest::newRow("one swim listed twice, two swims a club")
            << QStringList{result("11", "1", "00:01:00.00") + result("12", "1", "00:01:03.00"),
                           result("21", "1", "00:01:01.00")}
            << QStringList{u"11=1"_s, u"11=2"_s, u"21=3"_s, u"12=4"_s}
            << QStringList{u"01|100L|F|VIGO|19"_s, u"01|100L|F|LUGO|16"_s, u"01|100L|F|VIGO|14"_s}
            << u"VIGO, A aparece máis dunha vez na clasificación"_s;
        QTest::newRow("a place that is no number") << twoSwims << QStringList{u"11=abc"_s, u"21=2"_s}
                                                   << QStringList() << u"o posto «abc» de VIGO, A"_s;
        QTest::newRow("a place of twenty digits")
            << twoSwims << QStringList{u"11=12345678901234567890"_s, u"21=2"_s} << QStringList()
            << u"non é un número; non se puntúa"_s;
        QTest::newRow("no place for a valid swim")
            << twoSwims << QStringList{u"11=-1"_s, u"21=1"_s} << QStringList{u"01|100L|F|LUGO|19"_s}
            << u"VIGO, A ten unha marca válida (00:01:00.00), pero a clasificación non lle dá posto («-1»)"_s;
    }

    void rankingsThatCannotBeTold()
    {
        QFETCH(QStringList, results);
        QFETCH(QStringList, ranking);
        QFETCH(QStringList, expected);
        QFETCH(QString, said);
        const ToolRun run =
            scoreMeet(lenexMeet(u"Liga"_s, u"2026-12-05"_s,
                                lenexEvent("1", "1", "TIM", "", lenexAgeGroup("A", ranking)), results),
                      {}, {u"--per-club"_s, u"2"_s});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QVERIFY2(run.output.contains(said), qPrintable(run.output));
        QCOMPARE(awards(), expected);
    }

    void anotherMeetsResultsOnlyWhenConfirmed_data()
    {
        QTest::addColumn<QString>("meet");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("eventId");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("said"); // on refusal, in the errors
        QTest::newRow("the meet renamed, its date and events the same") << "Liga Galega"
                                                                        << "2026-12-05"
                                                                        << "1" << QStringList() << QString();
        QTest::newRow("yesterday's meet")
            << "Liga"
            << "2026-12-04"
            << "1" << QStringList() << "o programa é do 05/12/2026 e os resultados do 04/12/2026";
        QTest::newRow("yesterday's meet, confirmed") << "Liga"
                                                     << "2026-12-04"
                                                     << "1" << QStringList{u"--other-meet"_s} << QString();
        QTest::newRow("last season's round, another name and its own event ids")
            << "Liga 2025"
            << ""
            << "501" << QStringList() << "ningunha das súas probas ten o identificador que ten no programa";
    }

    void anotherMeetsResultsOnlyWhenConfirmed()
    {
        QFETCH(QString, meet);
        QFETCH(QString, date);
        QFETCH(QString, eventId);
        QFETCH(QStringList, options);
        QFETCH(QString, said);
        const QByteArray programme = lenexMeet(u"Liga"_s, u"2026-12-05"_s, lenexEvent("1", "1", "TIM"), {});
        const QByteArray id = eventId.toLatin1();
        const QByteArray results = lenexMeet(
            meet, date, lenexEvent(id.constData(), "1", "TIM"),
            {result("11", id.constData(), "00:01:00.00"), result("21", id.constData(), "00:01:01.00")});
        const ToolRun run = scoreMeet(programme, results, options);
        QCOMPARE(run.status, said.isEmpty() ? 0 : 1);
        QVERIFY2(run.errors.contains(said) && (said.isEmpty() || run.errors.contains(u"--other-meet"_s)),
                 qPrintable(run.errors));
        QCOMPARE(awards().size(), said.isEmpty() ? 2 : 0);
    }

    void resultsComeInSessionBySession()
    {
        const QString events = lenexEvent("1", "1", "TIM") + lenexEvent("2", "2", "TIM");
        const QByteArray firstExport =
            lenexMeet(u"Liga"_s, u"2026-12-05"_s, events,
                      {result("11", "1", "00:01:00.00"), result("21", "2", "00:01:00.00")});
        QVERIFY(scoreMeet(firstExport).status == 0);
        QCOMPARE(awards(), (QStringList{u"01|100L|F|VIGO|19"_s, u"02|100L|F|LUGO|19"_s}));
        // Typed at the window for event 2 meanwhile: that event is the operator's from now on.
        QVERIFY(testsupport::runOn(m_register, {u"INSERT INTO puntos (orde, proba, sexo, club, puntos) "
                                                u"VALUES ('02', '100L', 'F', 'CORUÑA', 16)"_s}));
        QVERIFY(testsupport::writeFile(
            m_results, lenexMeet(u"Liga"_s, u"2026-12-05"_s, events,
                                 {result("11", "1", "00:01:00.00") + result("12", "2", "00:01:01.00"),
                                  result("21", "2", "00:01:00.00"), result("31", "1", "00:00:59.00")})));
        ToolRun run = score();
        QVERIFY2(run.output.contains(
                     u"Proba 01: os seus puntos viñan dunha exportación anterior destes resultados, e "
                     u"o ficheiro ten agora máis ou outras marcas: actualizada."_s) &&
                     run.output.contains(u"xa teñen puntos (--replace para substituílos): 02."_s),
                 qPrintable(run.output));
        const QStringList after{u"01|100L|F|CORUÑA|19"_s, u"01|100L|F|VIGO|16"_s, u"02|100L|F|LUGO|19"_s,
                                u"02|100L|F|CORUÑA|16"_s};
        QCOMPARE(awards(), after);
        run = score();
        QVERIFY2(run.output.contains(u"Sen cambios desde a exportación anterior: 01."_s),
                 qPrintable(run.output));
        QCOMPARE(awards(), after);
    }

    // Another program's register gives the id of an award taken back to the next one: the
    // award typed then is the operator's, not the file's, and a later export leaves it alone.
    void anAwardTakenBackAndTypedAgainIsTheOperators()
    {
        m_register = m_dir->filePath(u"made-by-hand.MDB"_s);
        m_results = m_dir->filePath(u"export.lef"_s);
        QCOMPARE(runTool({u"create"_s, m_register}).status, 0);
        QVERIFY(testsupport::runOn(m_register,
                                   {u"DROP TABLE puntos"_s,
                                    u"CREATE TABLE puntos (id INTEGER PRIMARY KEY, orde TEXT, proba TEXT, "
                                    u"sexo TEXT, club TEXT, puntos REAL)"_s}));
        const auto exported = [this](const QStringList& results) {
            return testsupport::writeFile(
                m_results, lenexMeet(u"Liga"_s, u"2026-12-05"_s, lenexEvent("1", "1", "TIM"), results));
        };
        QVERIFY(exported({result("11", "1", "00:01:00.00")}));
        QCOMPARE(runTool({u"import-lenex"_s, m_results, m_register}).status, 0);
        QCOMPARE(score().status, 0);
        {
            auto station = data::Database::open(m_register);
            QVERIFY(station);
            QVERIFY((*station)->undoLatestAward());
            QCOMPARE(*(*station)->recordAward({u"01"_s, u"100L"_s, u"F"_s, u"VIGO"_s, 16}), 1);
        }
        QVERIFY(exported({result("11", "1", "00:01:00.00"), result("21", "1", "00:01:01.00")}));
        const ToolRun run = score();
        QVERIFY2(run.output.contains(u"xa teñen puntos (--replace para substituílos): 01."_s),
                 qPrintable(run.output));
        QCOMPARE(awards(), QStringList{u"01|100L|F|VIGO|16"_s});
    }

    void outputCountsAwardsAndPointsOnLinesOfItsOwn()
    {
        // A meet name with a line break would forge an output line; an event the import leaves
        // out is named with why.
        const ToolRun run =
            scoreMeet(lenexMeet(u"Liga&#10;Gardados 999 puntos"_s, u"2026-12-05"_s,
                                lenexEvent("1", "1", "TIM") + lenexEvent("2", "1000", "TIM"),
                                {result("11", "1", "00:01:00.00"), result("21", "1", "00:01:01.00")}),
                      {}, {u"--dry-run"_s});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        const QStringList lines = run.output.split(u'\n');
        QVERIFY2(lines.first().startsWith(u"Resultados de «Liga Gardados 999 puntos»"_s),
                 qPrintable(run.output));
        for (const QString& said :
             {u"Proba 01 100LF (final directa): 2 marcas, 35 puntos"_s,
              u"Proba 1000: o número de proba só pode ir de 0 a 999; a importación déixaa "
              u"fóra e non se puntúa."_s,
              u"Gardaríanse 2 marcas (35 puntos) de 1 proba en"_s})
            QVERIFY2(run.output.contains(said), qPrintable(said + u" not in:\n"_s + run.output));
    }

    void twoStationsScoringAtOnceStoreEachEventOnce_data()
    {
        QTest::addColumn<bool>("server");
        QTest::addColumn<QStringList>("options");
        QTest::newRow("on a file") << false << QStringList();
        QTest::newRow("on a file, both replacing") << false << QStringList{u"--replace"_s};
        QTest::newRow("on a server") << true << QStringList();
        QTest::newRow("on a server, both replacing") << true << QStringList{u"--replace"_s};
    }

    // Two tools (or windows) scoring the same file at the same moment: each event ends with
    // exactly one set of awards, many rounds over.
    void twoStationsScoringAtOnceStoreEachEventOnce()
    {
        QFETCH(bool, server);
        QFETCH(QStringList, options);
        if (server && !m_server) {
            m_server = std::make_unique<testsupport::PgServer>();
            const QString why = m_server->start();
            QVERIFY2(why.isEmpty(), qPrintable(why));
        }
        const QString programme = m_dir->filePath(QStringLiteral("programme.lef"));
        for (int round = 0; round < 12; ++round) {
            const QString where =
                server ? m_server->uri(m_server->newDatabase()) : m_dir->filePath(u"race%1.MDB"_s.arg(round));
            QVERIFY(runTool({QStringLiteral("import-lenex"), programme, where}).status == 0);
            QProcess stations[2];
            for (QProcess& station : stations)
                station.start(QStringLiteral(QUILVARDEN_BIN_DIR "/quilvarden-db"),
                              QStringList{QStringLiteral("score-lenex"), m_results, where} + options);
            for (QProcess& station : stations) {
                QVERIFY(station.waitForFinished(60000));
                QVERIFY2(station.exitCode() == 0, station.readAllStandardError().constData());
            }
            QCOMPARE(testsupport::queryRows(
                         where, u"SELECT orde, COUNT(*) FROM puntos GROUP BY orde ORDER BY orde"_s),
                     (QStringList{u"01|3"_s, u"02|3"_s, u"03|2"_s, u"04|3"_s}));
        }
    }

    void dryRunStoresNothing()
    {
        const QByteArray before = testsupport::fileDigest(m_register);
        const ToolRun run = score({QStringLiteral("--dry-run")});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.output.contains(QStringLiteral("  02   100EM LUGO     17,50")), qPrintable(run.output));
        QVERIFY(run.output.contains(QStringLiteral("Non se gardou nada")));
        QCOMPARE(testsupport::fileDigest(m_register), before);
    }

    void refusesAnotherMeet_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said");
        QTest::newRow("another meet's results")
            << "other.lef" << QStringList() << 1 << "non é deste campionato";
        QTest::newRow("events the programme has not")
            << "numbers.lef" << QStringList() << 1 << "non é deste campionato";
        QTest::newRow("not a Lenex file") << "plain.lef" << QStringList() << 1 << "non é un ficheiro Lenex";
        QTest::newRow("bad event list")
            << "results.lef" << QStringList{QStringLiteral("--events"), QStringLiteral("3-1")} << 2
            << "--events";
        QTest::newRow("a category the results have not")
            << "results.lef" << QStringList{u"--category"_s, u"11-12,Benxamín"_s} << 2
            << "--category: non hai ningunha categoría «Benxamín»; hai: 11-12, 13-14";
        QTest::newRow("no swims a club")
            << "results.lef" << QStringList{QStringLiteral("--per-club"), QStringLiteral("0")} << 2
            << "--per-club";
    }

    void refusesAnotherMeet()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, options);
        QFETCH(int, status);
        QFETCH(QString, said);
        // Another meet: the same clubs, but every event of another stroke.
        QString other = QString::fromUtf8(testsupport::readFile(m_results));
        other.replace(QStringLiteral("stroke=\"FREE\""), QStringLiteral("stroke=\"BREAST\""))
            .replace(QStringLiteral("stroke=\"BACK\""), QStringLiteral("stroke=\"BREAST\""))
            .replace(QStringLiteral("stroke=\"FLY\""), QStringLiteral("stroke=\"BREAST\""))
            .replace(QStringLiteral("stroke=\"MEDLEY\""), QStringLiteral("stroke=\"BREAST\""));
        QVERIFY(testsupport::writeFile(m_dir->filePath(QStringLiteral("other.lef")), other.toUtf8()));
        QVERIFY(testsupport::writeFile(m_dir->filePath(QStringLiteral("plain.lef")), "<html/>"));
        QString numbers = QString::fromUtf8(testsupport::readFile(m_results));
        QVERIFY(testsupport::writeFile(
            m_dir->filePath(QStringLiteral("numbers.lef")),
            numbers.replace(QStringLiteral(" number=\""), QStringLiteral(" number=\"6")).toUtf8()));
        const ToolRun run =
            runTool(QStringList{QStringLiteral("score-lenex"), m_dir->filePath(file), m_register} + options);
        QCOMPARE(run.status, status);
        QVERIFY2(run.errors.contains(said), qPrintable(run.errors));
        QVERIFY(awards().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestScoreLenex)
#include "tst_scorelenex.moc"
