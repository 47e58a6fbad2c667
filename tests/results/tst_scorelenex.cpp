#include "support/resultsfile.h"
#include "support/scratchdb.h"
#include "support/toolrun.h"

#include <QTemporaryDir>
#include <QTest>

using testsupport::runTool;
using testsupport::ToolRun;

// quilvarden-db score-lenex as an official runs it after each event: a meet's programme
// imported from its Lenex file, then its results file scored into the register.
class TestScoreLenex : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
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
