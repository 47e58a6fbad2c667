#include "imports/csv.h"
#include "imports/lenex.h"
#include "support/scratchdb.h"
#include "support/toolrun.h"

#include <QTemporaryDir>
#include <QTest>

using namespace quilvarden;
using testsupport::queryRows;
using testsupport::runTool;

// Bringing the meet programme in from the meet-management program's files.
class TestImport : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString& name = QStringLiteral("quilvarden.MDB")) const
    {
        return m_dir->filePath(name);
    }
    static QString fixture(const char* name)
    {
        return QStringLiteral(QUILVARDEN_FIXTURES_DIR "/") + QString::fromLatin1(name);
    }

    QString write(const QString& name, const QByteArray& contents) const
    {
        QFile file(path(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(contents);
        return file.fileName();
    }

    QStringList meetTables(const QString& file) const
    {
        return queryRows(file, QStringLiteral(
                                   "SELECT 'E', EVENTID, XORDER, EVENTCODE, GENDERCODE, DISTANCE, SESSIONNO"
                                   " FROM EVENT ORDER BY XORDER")) +
               queryRows(file,
                         QStringLiteral("SELECT 'C', CLUBCODE, NATION FROM CLUBCHAMP ORDER BY CLUBCODE")) +
               queryRows(file,
                         QStringLiteral(
                             "SELECT 'D', CLUBCODE, SHORTDESC, LONGDESC FROM CLUBDESC ORDER BY CLUBCODE"));
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void cleanup() { m_dir.reset(); }

    void accessMeetArrivesExactly()
    {
        const auto run = runTool({QStringLiteral("import-mdb"), fixture("meet.mdb"), path()});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QVERIFY(run.output.contains(QStringLiteral("35 probas, 12 clubs participantes, 13 descricións")));
        const QStringList events =
            queryRows(path(), QStringLiteral("SELECT XORDER, EVENTCODE, GENDERCODE, typeof(XORDER)"
                                             " FROM EVENT ORDER BY XORDER"));
        QCOMPARE(events.size(), 35);
        QCOMPARE(events.first(), QStringLiteral("1|50FR|F|integer"));
        QVERIFY(events.contains(QStringLiteral("33|4x100FR|F|integer")));
        QVERIFY(events.contains(QStringLiteral("35|4X50MIX|X|integer")));
        QCOMPARE(queryRows(path(), QStringLiteral("SELECT COUNT(*) FROM CLUBCHAMP")),
                 QStringList{QStringLiteral("12")});
        const QStringList described =
            queryRows(path(), QStringLiteral("SELECT CLUBCODE, SHORTDESC, LONGDESC FROM CLUBDESC"));
        QCOMPARE(described.size(), 13);
        QVERIFY(described.contains(QStringLiteral("AAA|Ártabros|Club Ártabros")));
        QVERIFY(described.contains(QStringLiteral("III|Illa d'A|Illa de Arousa")));
        QVERIFY(described.contains(QStringLiteral("KKK|Miño|Ribeiras do Miño")));
        QVERIFY(described.contains(QStringLiteral("ZZZ|NotInMee|A club described but not taking part")));
    }

    void importAgainKeepsTheAwards()
    {
        QVERIFY(runTool({QStringLiteral("demo"), path()}).status == 0);
        QVERIFY(
            testsupport::runOn(path(), {QStringLiteral("INSERT INTO puntos (orde, proba, sexo, club, puntos)"
                                                       " VALUES ('03', '100FL', 'F', 'VIGO', 19)")}));
        for (int i = 0; i < 2; ++i)
            QCOMPARE(runTool({QStringLiteral("import-mdb"), fixture("meet.mdb"), path()}).status, 0);
        QCOMPARE(queryRows(path(), QStringLiteral("SELECT COUNT(*) FROM EVENT")),
                 QStringList{QStringLiteral("35")});
        QCOMPARE(queryRows(path(), QStringLiteral("SELECT orde, club, puntos FROM puntos")),
                 QStringList{QStringLiteral("03|VIGO|19")});
    }

    void lenexMeetArrives()
    {
        const auto run = runTool({QStringLiteral("import-lenex"), fixture("meet-entries.lef"), path()});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QVERIFY(run.output.contains(QStringLiteral("35 probas, 43 clubs")));
        // The one club without a code is named as left out.
        QVERIFY(run.output.contains(QStringLiteral("unattached")));
        const QStringList events =
            queryRows(path(), QStringLiteral("SELECT XORDER, EVENTCODE, GENDERCODE FROM EVENT"
                                             " ORDER BY XORDER"));
        QCOMPARE(events.size(), 35);
        QCOMPARE(events[0], QStringLiteral("1|200L|F"));
        QCOMPARE(events[2], QStringLiteral("3|50B|F"));
        QCOMPARE(events[4], QStringLiteral("5|100E|F"));
        QCOMPARE(events[6], QStringLiteral("7|50M|F"));
        QCOMPARE(events[8], QStringLiteral("9|100S|F"));
        QCOMPARE(events[14], QStringLiteral("15|4X50S|X"));
        QCOMPARE(events[17], QStringLiteral("18|1500L|A")); // no gender given: every swimmer
        QCOMPARE(events[32], QStringLiteral("33|4X50L|X"));
        const QStringList clubs =
            queryRows(path(), QStringLiteral("SELECT SHORTDESC, LONGDESC FROM CLUBCHAMP JOIN CLUBDESC"
                                             " USING (CLUBCODE) ORDER BY CLUBCODE"));
        QCOMPARE(clubs.size(), 43);
        QSet<QString> shortNames;
        for (const QString& club : clubs) {
            const QString shortName = club.section(QLatin1Char('|'), 0, 0).toUpper();
            QVERIFY2(!shortName.isEmpty() && shortName.size() <= 8, qPrintable(club));
            QVERIFY2(!shortNames.contains(shortName), qPrintable(club));
            shortNames.insert(shortName);
        }
        QVERIFY(clubs.contains(QStringLiteral("Wädenswi|Schwimmverein Wädenswil")));
        QVERIFY(clubs.contains(QStringLiteral("Genève|Genève Natation 1885")));
    }

    void zippedLenexGivesTheSameMeet()
    {
        QCOMPARE(runTool({QStringLiteral("import-lenex"), fixture("meet-entries.lef"),
                          path(QStringLiteral("a.MDB"))})
                     .status,
                 0);
        QCOMPARE(runTool({QStringLiteral("import-lenex"), fixture("meet-entries.lxf"),
                          path(QStringLiteral("b.MDB"))})
                     .status,
                 0);
        QCOMPARE(meetTables(path(QStringLiteral("b.MDB"))), meetTables(path(QStringLiteral("a.MDB"))));
    }

    void roundsSharingANumberKeepTheFirst()
    {
        const QString lef = write(QStringLiteral("rounds.lef"), R"(<?xml version="1.0" encoding="UTF-8"?>
<LENEX version="3.0"><MEETS><MEET name="Liga"><SESSIONS><SESSION number="1"><EVENTS>
<EVENT eventid="10" number="1" gender="M" round="PRE"><SWIMSTYLE distance="100" relaycount="1" stroke="FLY"/></EVENT>
<EVENT eventid="11" number="1" gender="M" round="FIN"><SWIMSTYLE distance="100" relaycount="1" stroke="FLY"/></EVENT>
<EVENT eventid="12" number="2" gender="F"><SWIMSTYLE distance="400" relaycount="4" stroke="MEDLEY"/></EVENT>
</EVENTS></SESSION></SESSIONS><CLUBS>
<CLUB code="CNV" name="Real Club Náutico de Vigo" shortname="R.C.N.V."/>
<CLUB code="CNC" name="Club Natación Coruña"/><CLUB code="CNC2" name="Coruña Club"/>
</CLUBS></MEET></MEETS></LENEX>)");
        const auto run = runTool({QStringLiteral("import-lenex"), lef, path()});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QVERIFY2(run.output.contains(QStringLiteral("rolda FIN")), qPrintable(run.output));
        QCOMPARE(queryRows(path(),
                           QStringLiteral(
                               "SELECT EVENTID, XORDER, EVENTCODE, GENDERCODE FROM EVENT ORDER BY XORDER")),
                 (QStringList{QStringLiteral("10|1|100M|M"), QStringLiteral("12|2|4X400S|F")}));
        QCOMPARE(
            queryRows(path(), QStringLiteral("SELECT CLUBCODE, SHORTDESC FROM CLUBDESC ORDER BY CLUBCODE")),
            (QStringList{QStringLiteral("CNC|Coruña"), QStringLiteral("CNC2|CNC2"),
                         QStringLiteral("CNV|R.C.N.V.")}));
    }

    void csvAsMdbExportWritesIt()
    {
        const auto rows = imports::parseCsv("A,B,C\r\n\"x, \"\"y\"\"\",,12\n\"\",\"line\nbreak\",-3.5\n");
        QVERIFY(rows);
        QCOMPARE(rows->size(), 3);
        QCOMPARE(rows->at(1)[0].text, QStringLiteral("x, \"y\""));
        QVERIFY(rows->at(1)[1].isNull());
        QCOMPARE(rows->at(1)[2].text, QStringLiteral("12"));
        QVERIFY(!rows->at(2)[0].isNull()); // an empty text is not a Null
        QCOMPARE(rows->at(2)[1].text, QStringLiteral("line\nbreak"));
        QVERIFY(!imports::parseCsv("\"open"));
    }

    void failuresLeaveTheRegisterAsItWas_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("says");
        QTest::newRow("missing Access file") << "import-mdb"
                                             << "nowhere.mdb"
                                             << "Non existe";
        QTest::newRow("text as Access file") << "import-mdb"
                                             << "text:hello"
                                             << "Access";
        QTest::newRow("truncated Access file") << "import-mdb"
                                               << "truncated:meet.mdb"
                                               << "EVENT";
        QTest::newRow("missing Lenex file") << "import-lenex"
                                            << "nowhere.lef"
                                            << "Non existe";
        QTest::newRow("not XML") << "import-lenex"
                                 << "text:orde;proba"
                                 << "XML";
        QTest::newRow("truncated XML") << "import-lenex"
                                       << "truncated:meet-entries.lef"
                                       << "XML";
        QTest::newRow("XML but not Lenex") << "import-lenex"
                                           << "text:<html><body/></html>"
                                           << "Lenex";
        QTest::newRow("lxf that is no zip") << "import-lenex"
                                            << "lxf:meet-entries.lef"
                                            << "zip";
    }

    void failuresLeaveTheRegisterAsItWas()
    {
        QFETCH(QString, command);
        QFETCH(QString, source);
        QFETCH(QString, says);
        QString file = path(source);
        const QString kind = source.section(QLatin1Char(':'), 0, 0);
        const QString rest = source.section(QLatin1Char(':'), 1);
        const QString extension = command == u"import-mdb" ? QStringLiteral(".mdb") : QStringLiteral(".lef");
        if (kind == u"text") {
            file = write(QStringLiteral("source") + extension, rest.toUtf8());
        } else if (kind == u"truncated") {
            QFile original(fixture(rest.toLatin1().constData()));
            QVERIFY(original.open(QIODevice::ReadOnly));
            file = write(QStringLiteral("source") + extension, original.read(original.size() / 3));
        } else if (kind == u"lxf") {
            QFile original(fixture(rest.toLatin1().constData()));
            QVERIFY(original.open(QIODevice::ReadOnly));
            file = write(QStringLiteral("source.lxf"), original.readAll());
        }
        // Into a register that holds a meet and an award, and into none at all.
        QVERIFY(runTool({QStringLiteral("demo"), path()}).status == 0);
        QVERIFY(testsupport::runOn(path(), {QStringLiteral("INSERT INTO puntos (orde) VALUES ('01')")}));
        const QByteArray before = testsupport::fileDigest(path());
        auto run = runTool({command, file, path()});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.errors.contains(says), qPrintable(run.errors));
        QCOMPARE(testsupport::fileDigest(path()), before);
        run = runTool({command, file, path(QStringLiteral("new.MDB"))});
        QCOMPARE(run.status, 1);
        QVERIFY(!QFile::exists(path(QStringLiteral("new.MDB"))));
    }
};

QTEST_GUILESS_MAIN(TestImport)
#include "tst_import.moc"
