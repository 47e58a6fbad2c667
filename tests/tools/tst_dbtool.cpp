#include "data/database.h"
#include "support/pgserver.h"
#include "support/scratchdb.h"
#include "support/toolrun.h"

#include <QProcess>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

using namespace quilvarden;

// quilvarden-db run as a person runs it: arguments in, exit status and messages out.
class TestDbTool : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString& name = QStringLiteral("quilvarden.MDB")) const
    {
        return m_dir->filePath(name);
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void cleanup() { m_dir.reset(); }

    void usage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::newRow("nothing") << QStringList() << 2;
        QTest::newRow("command without file") << QStringList{QStringLiteral("create")} << 2;
        QTest::newRow("unknown command") << QStringList{QStringLiteral("drop"), QStringLiteral("x.MDB")} << 2;
        QTest::newRow("too many") << QStringList{QStringLiteral("demo"), QStringLiteral("a"),
                                                 QStringLiteral("b")}
                                  << 2;
        QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0;
    }

    void usage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        const auto result = testsupport::runTool(arguments);
        QCOMPARE(result.status, status);
        QVERIFY((result.output + result.errors).contains(QStringLiteral("Uso:")));
        // Read back as UTF-8, as a terminal shows it: no Latin-1 mojibake (clasificaciÃ³ns).
        QVERIFY((result.output + result.errors).contains(QStringLiteral("publica as clasificacións\n")));
        QCOMPARE(testsupport::otherFiles(m_dir->path(), {}), QStringList());
    }

    void createMakesAnEmptyDatabaseTheProgramOpens()
    {
        const auto result = testsupport::runTool({QStringLiteral("create"), path()});
        QVERIFY2(result.status == 0, qPrintable(result.errors));
        QVERIFY(result.output.contains(path()));
        auto opened = data::Database::open(path());
        QVERIFY(opened);
        QVERIFY((*opened)->clubNames()->isEmpty());
        opened = Failure{};
        for (const char* table : {"puntos", "EVENT", "CLUBCHAMP", "CLUBDESC"})
            QCOMPARE(testsupport::queryRows(
                         path(), QStringLiteral("SELECT COUNT(*) FROM %1").arg(QString::fromLatin1(table))),
                     QStringList{QStringLiteral("0")});
    }

    void demoHoldsARealisticMeet()
    {
        const auto result = testsupport::runTool({QStringLiteral("demo"), path()});
        QVERIFY2(result.status == 0, qPrintable(result.errors));

        const QStringList events = testsupport::queryRows(
            path(), QStringLiteral("SELECT XORDER, EVENTCODE, GENDERCODE FROM EVENT ORDER BY XORDER"));
        QVERIFY(events.size() >= 36 && events.size() <= 44);
        int relays = 0;
        QSet<QString> genders;
        for (qsizetype i = 0; i < events.size(); ++i) {
            const QStringList columns = events[i].split(QLatin1Char('|'));
            QCOMPARE(columns[0].toInt(), int(i + 1)); // running order 1, 2, 3... without gaps
            relays += columns[1].contains(QLatin1Char('X'), Qt::CaseInsensitive) ? 1 : 0;
            genders.insert(columns[2]);
        }
        QVERIFY(relays >= 2 && relays < events.size() / 2);
        QCOMPARE(genders, (QSet<QString>{QStringLiteral("M"), QStringLiteral("F")}));

        auto opened = data::Database::open(path());
        QVERIFY(opened);
        const QStringList clubs = *(*opened)->clubNames();
        QVERIFY(clubs.size() >= 10 && clubs.size() <= 14);
        int accented = 0;
        for (const QString& club : clubs) {
            QVERIFY2(club.size() <= 8 && !club.isEmpty(), qPrintable(club));
            accented += club.toLatin1() != club.toUtf8() ? 1 : 0;
        }
        QVERIFY(accented >= 2);
        QCOMPARE(testsupport::queryRows(path(), QStringLiteral("SELECT COUNT(*) FROM puntos")),
                 QStringList{QStringLiteral("0")});
    }

    void neverOverwrites_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("create") << QStringLiteral("create");
        QTest::newRow("demo") << QStringLiteral("demo");
    }

    void neverOverwrites()
    {
        QFETCH(QString, command);
        QVERIFY(testsupport::runOn(path(), testsupport::minimalSchema()
                                               << QStringLiteral("INSERT INTO puntos (orde) VALUES ('07')")));
        const QByteArray before = testsupport::fileDigest(path());
        const auto result = testsupport::runTool({command, path()});
        QCOMPARE(result.status, 1);
        QVERIFY2(result.errors.contains(QStringLiteral("xa existe")), qPrintable(result.errors));
        QCOMPARE(testsupport::fileDigest(path()), before);
        QCOMPARE(testsupport::otherFiles(m_dir->path(), {QStringLiteral("quilvarden.MDB")}), QStringList());
    }

    void aMeetOnAServerWithTheSameCommands()
    {
        testsupport::PgServer server;
        const QString why = server.start();
        QVERIFY2(why.isEmpty(), qPrintable(why));
        const auto tool = [](const QStringList& arguments) {
            const auto run = testsupport::runTool(arguments);
            return run.status == 0 ? QString() : run.errors;
        };
        // One command sets up a meet in a database the server does not have yet.
        const QString meet = server.uri(QStringLiteral("trofeo"));
        QCOMPARE(tool({QStringLiteral("demo"), meet}), QString());
        QVERIFY(tool({QStringLiteral("demo"), meet}).contains(QStringLiteral("non se sobrescribe")));
        QCOMPARE(tool({QStringLiteral("import-lenex"),
                       QStringLiteral(QUILVARDEN_FIXTURES_DIR "/meet-entries.lxf"), meet}),
                 QString());
        QCOMPARE(testsupport::queryRows(meet, QStringLiteral("SELECT COUNT(*) FROM CLUBCHAMP")),
                 QStringList{QStringLiteral("43")});
        const auto standings = testsupport::runTool(
            {QStringLiteral("standings"), meet, QStringLiteral("--format"), QStringLiteral("csv")});
        QVERIFY2(standings.status == 0 &&
                     standings.output.startsWith(QStringLiteral("Clasificación,Posición")),
                 qPrintable(standings.errors));
        // An empty register in a database that is there.
        QCOMPARE(tool({QStringLiteral("create"), server.uri(server.newDatabase())}), QString());
        // A password is never printed.
        const QString secret = meet;
        const QString withPassword =
            QString(secret).replace(QStringLiteral("quilvarden@"), QStringLiteral("quilvarden:s3cret@")) +
            QStringLiteral("x?password=s3cret");
        const QString said = tool(
            {QStringLiteral("standings"), withPassword, QStringLiteral("--format"), QStringLiteral("text")});
        QVERIFY2(!said.isEmpty() && !said.contains(QStringLiteral("s3cret")) &&
                     said.contains(QStringLiteral("***")),
                 qPrintable(said));
    }

    void missingFolderReported()
    {
        const QString target = m_dir->filePath(QStringLiteral("no/such/folder/quilvarden.MDB"));
        const auto result = testsupport::runTool({QStringLiteral("demo"), target});
        QCOMPARE(result.status, 1);
        QVERIFY2(result.errors.contains(QStringLiteral("no/such/folder")), qPrintable(result.errors));
        QVERIFY(QDir(m_dir->path()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDbTool)
#include "tst_dbtool.moc"
