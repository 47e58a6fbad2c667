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
        const QStringList event3{QStringLiteral("03|4X50L|F|CORUÑA|38"),
                                 QStringLiteral("03|4X50L|F|VIGO|32")};
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
                                     << event2 + event3;
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
        const QStringList relay{u"03|4X50L|F|CORUÑA|18"_s, u"03|4X50L|F|VIGO|14"_s};
        const QStringList event2{u"02|100E|M|CORUÑA|8"_s, u"02|100E|M|LUGO|8"_s, u"02|100E|M|VIGO|6"_s};
        const QStringList everySwim = QStringList{u"01|100L|F|VIGO|9"_s, u"01|100L|F|VIGO|7"_s,
                                                  u"01|100L|F|LUGO|6"_s, u"01|100L|F|CORUÑA|5"_s} +
                                      event2 + relay;
        const QStringList oneSwim =
            QStringList{u"01|100L|F|VIGO|9"_s, u"01|100L|F|LUGO|7"_s, u"01|100L|F|CORUÑA|6"_s};
        QTest::newRow("no cap in the rules: every swim scores")
            << 0 << false << QStringList() << QStringList() << everySwim
            << QStringList{u"CORUÑA|31"_s, u"LUGO|14"_s, u"VIGO|36"_s}
            << u"Proba 02 100EM (rolda única): 3 marcas, 22 puntos"_s;
        QTest::newRow("the rules' cap of one swim a club")
            << 1 << false << QStringList() << QStringList() << oneSwim + event2 + relay
            << QStringList{u"CORUÑA|32"_s, u"LUGO|15"_s, u"VIGO|29"_s}
            << u"Proba 01 100LF (rolda única): 3 marcas, 22 puntos"_s;
        QTest::newRow("--per-club over the rules' cap")
            << 1 << false << QStringList() << QStringList{u"--per-club"_s, u"2"_s} << everySwim
            << QStringList{u"CORUÑA|31"_s, u"LUGO|14"_s, u"VIGO|36"_s}
            << u"Proba 01 100LF (rolda única): 4 marcas, 27 puntos"_s;
        QTest::newRow("full ties") << 1 << true << QStringList() << QStringList()
                                   << oneSwim +
                                          QStringList{u"02|100E|M|CORUÑA|9"_s, u"02|100E|M|LUGO|9"_s,
                                                      u"02|100E|M|VIGO|6"_s} +
                                          relay
                                   << QStringList{u"CORUÑA|33"_s, u"LUGO|16"_s, u"VIGO|29"_s}
                                   << u"Proba 02 100EM (rolda única): 3 marcas, 24 puntos"_s;
        QTest::newRow("a guest club by its code: the next club takes its places")
            << 0 << false << QStringList{u"LUG"_s} << QStringList()
            << QStringList{u"01|100L|F|VIGO|9"_s, u"01|100L|F|VIGO|7"_s, u"01|100L|F|CORUÑA|6"_s,
                           u"02|100E|M|CORUÑA|9"_s, u"02|100E|M|VIGO|7"_s} +
                   relay
            << QStringList{u"CORUÑA|33"_s, u"VIGO|37"_s}
            << u"Proba 02: Lugo Un, A é de «LUGO», un club convidado: non puntúa, e o posto pasa ao seguinte"_s;
        QTest::newRow("a guest the register does not know, by the file's code")
            << 1 << false << QStringList{u"tar"_s} << QStringList() << oneSwim + event2 + relay
            << QStringList{u"CORUÑA|32"_s, u"LUGO|15"_s, u"VIGO|29"_s}
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
        QCOMPARE(totals(), (QStringList{u"CORUÑA|69.5"_s, u"LUGO|33.5"_s, u"VIGO|65"_s}));
        rules::MeetRules meetRules = *rules::preset(u"6-4-3-2-1"_s);
        meetRules.individualScorers = 1;
        QVERIFY(setRules(meetRules));
        // 6-4-3 in event 1, 5 each for the tie and 3 in event 2, the relay table's 8-4 in event 3.
        QVERIFY(score({u"--replace"_s}).status == 0);
        QCOMPARE(totals(), (QStringList{u"CORUÑA|16"_s, u"LUGO|9"_s, u"VIGO|13"_s}));
    }

    void listsWhatItLeavesOut()
    {
        const ToolRun run = score();
        QCOMPARE(run.status, 0);
        // The late club and the unattached swimmer score nothing; the event with two age
        // groups names them; the event without results is said.
        for (const QString& said :
             {QStringLiteral("«Club Tardío», que non participa"), QStringLiteral("Solo, A nada sen club"),
              QStringLiteral("Proba 04: ten varios"), QStringLiteral("41 (11–12 anos), 42 (13–14 anos)"),
              QStringLiteral("Proba 05: aínda sen ningún resultado")})
            QVERIFY2(run.output.contains(said), qPrintable(said + QStringLiteral(" not in:\n") + run.output));
        // The standings follow: women 1 and 3, men 2.
        const ToolRun standings = runTool(
            {QStringLiteral("standings"), m_register, QStringLiteral("--format"), QStringLiteral("csv")});
        QVERIFY(standings.output.contains(
            QStringLiteral("Feminina,1,CORUÑA,\"52,00\"\r\nFeminina,2,VIGO,\"51,00\"")));
        QVERIFY(standings.output.contains(
            QStringLiteral("Conxunta,1,CORUÑA,\"69,50\"\r\nConxunta,2,VIGO,\"65,00\"\r\n"
                           "Conxunta,3,LUGO,\"33,50\"")));
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
        QCOMPARE(awards().size(), 6); // 3 + 2 new, and the one typed
        // Scored again from the same file: what came from it stays, what was typed too.
        run = score();
        QVERIFY(run.output.contains(QStringLiteral("xa teñen puntos (--replace para substituílos): 02.")));
        QVERIFY(run.output.contains(QStringLiteral("Sen cambios desde a exportación anterior: 01, 03.")));
        QCOMPARE(awards().size(), 6);
        run = score({QStringLiteral("--replace")});
        QVERIFY(run.output.contains(QStringLiteral("Substituídos os puntos que tiñan: 01, 02, 03.")));
        QCOMPARE(awards().size(), 8);
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
        QTest::newRow("classes of para swimmers are never every age")
            << classes << swims << QStringList() << QStringList() << u"9 (clase 9), 10 (clase 10)"_s;
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
                     (QStringList{u"01|3"_s, u"02|3"_s, u"03|2"_s}));
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
