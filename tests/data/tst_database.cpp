#include "data/database.h"
#include "data/sqlite.h"
#include "data/statements.h"
#include "support/scratchdb.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace quilvarden;
using testsupport::minimalSchema;
using testsupport::runOn;

class TestDatabase : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString& name = QStringLiteral("quilvarden.MDB")) const
    {
        return m_dir->filePath(name);
    }

    QStringList queryRowsOf(const QString& statement) const
    {
        return testsupport::queryRows(path(), statement);
    }

    std::unique_ptr<data::Database> openOrFail(const QString& file)
    {
        Result<std::unique_ptr<data::Database>> opened = data::Database::open(file);
        if (!opened) {
            qWarning("%s", qPrintable(opened.failure().message()));
            return nullptr;
        }
        return std::move(opened).value();
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void cleanup() { m_dir.reset(); }

    void clubsInOrderOfShortName()
    {
        QStringList schema = minimalSchema();
        schema << QStringLiteral("INSERT INTO CLUBCHAMP VALUES ('C1'), ('C2'), ('C3'), ('C4')")
               << QStringLiteral(
                      "INSERT INTO CLUBDESC VALUES ('C1', 'VIGO'), ('C2', 'CORUÑA'), ('C3', 'LUGO'),"
                      " ('C4', 'LUGO'), ('C9', 'NOT IN THIS MEET')");
        QVERIFY(runOn(path(), schema));
        auto db = openOrFail(path());
        QVERIFY(db);
        const Result<QStringList> clubs = db->clubNames();
        QVERIFY(clubs);
        // Two clubs with one short name give two equal items; a described club that does
        // not take part is left out.
        QCOMPARE(*clubs, (QStringList{QStringLiteral("CORUÑA"), QStringLiteral("LUGO"),
                                      QStringLiteral("LUGO"), QStringLiteral("VIGO")}));
    }

    void clubListInAlphabeticalOrder()
    {
        // As a Galician reader sorts: case and accents aside, ñ after n; not by bytes.
        QVERIFY(
            runOn(path(), minimalSchema()
                              << QStringLiteral(
                                     "INSERT INTO CLUBCHAMP VALUES ('1'), ('2'), ('3'), ('4'), ('5'), ('6')")
                              << QStringLiteral("INSERT INTO CLUBDESC VALUES ('1', 'Vigo'),"
                                                " ('2', 'arousa'), ('3', 'Ézaro'), ('4', 'Ñoño'),"
                                                " ('5', 'Nube'), ('6', 'ÁLVAREZ')")));
        auto db = openOrFail(path());
        QVERIFY(db);
        QCOMPARE(*db->clubNames(),
                 (QStringList{QStringLiteral("ÁLVAREZ"), QStringLiteral("arousa"), QStringLiteral("Ézaro"),
                              QStringLiteral("Nube"), QStringLiteral("Ñoño"), QStringLiteral("Vigo")}));
    }

    void emptyMeetGivesEmptyClubList()
    {
        QVERIFY(runOn(path(), minimalSchema()));
        auto db = openOrFail(path());
        QVERIFY(db);
        const Result<QStringList> clubs = db->clubNames();
        QVERIFY(clubs);
        QVERIFY(clubs->isEmpty());
    }

    void clubWithoutDescriptionListedByCode()
    {
        QStringList schema = minimalSchema();
        schema << QStringLiteral("INSERT INTO CLUBCHAMP VALUES ('ZZNEW'), ('C1'), ('C2'), ('ANULL')")
               << QStringLiteral(
                      "INSERT INTO CLUBDESC VALUES ('C1', 'MARÍN'), ('C2', 'BETANZOS'), ('ANULL', NULL)");
        QVERIFY(runOn(path(), schema));
        auto db = openOrFail(path());
        QVERIFY(db);
        const Result<QStringList> clubs = db->clubNames();
        QVERIFY2(clubs, qPrintable(clubs ? QString() : clubs.failure().message()));
        QCOMPARE(*clubs, (QStringList{QStringLiteral("ANULL"), QStringLiteral("BETANZOS"),
                                      QStringLiteral("MARÍN"), QStringLiteral("ZZNEW")}));
    }

    void numericShortNameWrittenByNumberRules()
    {
        // A column without a declared type keeps numbers as numbers.
        QStringList schema = minimalSchema();
        schema.replaceInStrings(QStringLiteral("SHORTDESC TEXT"), QStringLiteral("SHORTDESC"));
        schema << QStringLiteral("INSERT INTO CLUBCHAMP VALUES ('C1'), ('C2')")
               << QStringLiteral("INSERT INTO CLUBDESC VALUES ('C1', 12.5), ('C2', 7)");
        QVERIFY(runOn(path(), schema));
        auto db = openOrFail(path());
        QVERIFY(db);
        const Result<QStringList> clubs = db->clubNames();
        QVERIFY(clubs);
        QCOMPARE(*clubs, (QStringList{QStringLiteral("7"), QStringLiteral("12,5")}));
    }

    void noSixteenBitLimitOnClubs()
    {
        QStringList schema = minimalSchema();
        schema << QStringLiteral(
                      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40000)"
                      " INSERT INTO CLUBCHAMP SELECT 'C' || i FROM n")
               << QStringLiteral(
                      "INSERT INTO CLUBDESC SELECT CLUBCODE, 'N' || substr('00000' || substr(CLUBCODE, 2),"
                      " -5) FROM CLUBCHAMP");
        QVERIFY(runOn(path(), schema));
        auto db = openOrFail(path());
        QVERIFY(db);
        const Result<QStringList> clubs = db->clubNames();
        QVERIFY(clubs);
        QCOMPARE(clubs->size(), 40000);
        QCOMPARE(clubs->at(32767), QStringLiteral("N32768"));
        QCOMPARE(clubs->last(), QStringLiteral("N40000"));
    }

    void fileMadeWithTheSqliteShell()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("sqlite3")).isEmpty())
            QSKIP("the sqlite3 shell is not installed");
        // Untyped columns and lower-case table names, as someone would type them by hand.
        QProcess shell;
        shell.start(QStringLiteral("sqlite3"), {path()});
        QVERIFY(shell.waitForStarted());
        shell.write("create table puntos(id integer primary key, orde, proba, sexo, club, puntos);\n"
                    "create table event(xorder, eventcode, gendercode);\n"
                    "create table clubchamp(clubcode);\n"
                    "create table clubdesc(clubcode, shortdesc);\n"
                    "insert into clubchamp values('A');\n"
                    "insert into clubdesc values('A', 'ARTEIXO');\n");
        shell.closeWriteChannel();
        QVERIFY(shell.waitForFinished());
        QCOMPARE(shell.exitCode(), 0);
        auto db = openOrFail(path());
        QVERIFY(db);
        QCOMPARE(*db->clubNames(), QStringList{QStringLiteral("ARTEIXO")});
    }

    void startupFailures_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("detailHolds");

        QTest::newRow("missing file") << "missing" << 3024 << "non existe";
        QTest::newRow("a folder") << "folder" << 3051 << "cartafol";
        QTest::newRow("a pipe") << "fifo" << 3051 << "tubería"; // refused at once, never waited on
        QTest::newRow("a text file") << "text" << 3343 << "SQLite";
        QTest::newRow("an empty file") << "empty" << 3078 << "puntos";
        QTest::newRow("an Access meet file") << "access" << 3343 << "Access";
        QTest::newRow("damaged SQLite file") << "damaged" << 3343 << "";
        QTest::newRow("no register table") << "drop:puntos" << 3078 << "puntos";
        QTest::newRow("no EVENT table") << "drop:EVENT" << 3078 << "EVENT";
        QTest::newRow("no CLUBCHAMP table") << "drop:CLUBCHAMP" << 3078 << "CLUBCHAMP";
        QTest::newRow("no CLUBDESC table") << "drop:CLUBDESC" << 3078 << "CLUBDESC";
        QTest::newRow("register without id") << "column:puntos:id" << 3265 << "id";
        QTest::newRow("register without orde") << "column:puntos:orde" << 3265 << "orde";
        QTest::newRow("register without proba") << "column:puntos:proba" << 3265 << "proba";
        QTest::newRow("register without sexo") << "column:puntos:sexo" << 3265 << "sexo";
        QTest::newRow("register without club") << "column:puntos:club" << 3265 << "club";
        QTest::newRow("register without points") << "column:puntos:puntos" << 3265 << "puntos";
        QTest::newRow("EVENT without XORDER") << "column:EVENT:XORDER" << 3265 << "XORDER";
        QTest::newRow("EVENT without EVENTCODE") << "column:EVENT:EVENTCODE" << 3265 << "EVENTCODE";
        QTest::newRow("EVENT without GENDERCODE") << "column:EVENT:GENDERCODE" << 3265 << "GENDERCODE";
        QTest::newRow("CLUBCHAMP without CLUBCODE") << "column:CLUBCHAMP:CLUBCODE" << 3265 << "CLUBCODE";
        QTest::newRow("CLUBDESC without CLUBCODE") << "column:CLUBDESC:CLUBCODE" << 3265 << "CLUBCODE";
        QTest::newRow("CLUBDESC without SHORTDESC") << "column:CLUBDESC:SHORTDESC" << 3265 << "SHORTDESC";
    }

    void startupFailures()
    {
        QFETCH(QString, kind);
        QFETCH(int, number);
        QFETCH(QString, detailHolds);

        const QString file = path();
        if (kind == QStringLiteral("folder")) {
            QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("quilvarden.MDB")));
        } else if (kind == QStringLiteral("fifo")) {
            QVERIFY(mkfifo(QFile::encodeName(file).constData(), 0600) == 0);
        } else if (kind == QStringLiteral("text")) {
            QFile text(file);
            QVERIFY(text.open(QIODevice::WriteOnly));
            text.write("orde;proba;sexo;club;puntos\n07;100FR;M;VIGO;19\n");
        } else if (kind == QStringLiteral("empty")) {
            QFile empty(file);
            QVERIFY(empty.open(QIODevice::WriteOnly));
        } else if (kind == QStringLiteral("access")) {
            QVERIFY(QFile::copy(QStringLiteral(QUILVARDEN_FIXTURES_DIR "/meet.mdb"), file));
        } else if (kind == QStringLiteral("damaged")) {
            QVERIFY(runOn(file, minimalSchema()));
            QFile damaged(file);
            QVERIFY(damaged.open(QIODevice::ReadWrite));
            damaged.seek(100);
            damaged.write(QByteArray(3000, '\x5a'));
        } else if (kind.startsWith(QStringLiteral("drop:"))) {
            QStringList schema = minimalSchema();
            schema << QStringLiteral("DROP TABLE %1").arg(kind.section(QLatin1Char(':'), 1));
            QVERIFY(runOn(file, schema));
        } else if (kind.startsWith(QStringLiteral("column:"))) {
            const QString table = kind.section(QLatin1Char(':'), 1, 1);
            const QString column = kind.section(QLatin1Char(':'), 2, 2);
            QStringList schema = minimalSchema();
            for (QString& statement : schema) {
                if (statement.startsWith(QStringLiteral("CREATE TABLE %1 (").arg(table))) {
                    // Rename the column instead of dropping it: the table keeps its shape.
                    statement.replace(QRegularExpression(QStringLiteral("\\b%1\\b").arg(column)),
                                      QStringLiteral("other_%1").arg(column));
                    statement.replace(QStringLiteral("TABLE other_"), QStringLiteral("TABLE "));
                }
            }
            QVERIFY(runOn(file, schema));
        }
        const bool regular = kind != QStringLiteral("fifo"); // reading a pipe would wait for a writer
        const QByteArray before = regular ? testsupport::fileDigest(file) : QByteArray();

        const Result<std::unique_ptr<data::Database>> opened = data::Database::open(file);
        QVERIFY(!opened);
        QCOMPARE(opened.failure().number, number);
        QVERIFY2(opened.failure().detail.contains(detailHolds), qPrintable(opened.failure().detail));
        QVERIFY(!opened.failure().description.isEmpty());

        // A failing start writes nothing: the file is as it was and nothing was made beside it.
        if (regular)
            QCOMPARE(testsupport::fileDigest(file), before);
        if (kind == QStringLiteral("missing"))
            QVERIFY(!QFileInfo::exists(file));
        QCOMPARE(testsupport::otherFiles(m_dir->path(), {QStringLiteral("quilvarden.MDB")}), QStringList());
    }

    void lockedFileReportedAfterWaiting()
    {
        QVERIFY(runOn(path(), minimalSchema()));
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        other.setDatabaseName(path());
        QVERIFY(other.open());
        QSqlQuery hold(other);
        QVERIFY(hold.exec(QStringLiteral("BEGIN EXCLUSIVE")));

        QElapsedTimer waited;
        waited.start();
        const Result<std::unique_ptr<data::Database>> opened = data::Database::open(path(), {300});
        const qint64 elapsed = waited.elapsed();
        QVERIFY(!opened);
        QCOMPARE(opened.failure().number, 3260);
        QVERIFY2(elapsed >= 250, qPrintable(QString::number(elapsed)));

        QVERIFY(hold.exec(QStringLiteral("ROLLBACK")));
        hold.finish();
        other.close();
        other = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
    }

    void lockReleasedWithinTheWait()
    {
        QVERIFY(runOn(path(), minimalSchema()));
        std::atomic<bool> locked = false;
        std::thread holder([this, &locked] {
            {
                QSqlDatabase other =
                    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
                other.setDatabaseName(path());
                other.open();
                QSqlQuery hold(other);
                hold.exec(QStringLiteral("BEGIN EXCLUSIVE"));
                hold.exec(QStringLiteral("INSERT INTO CLUBCHAMP VALUES ('LATE')"));
                locked = true;
                std::this_thread::sleep_for(std::chrono::milliseconds(400));
                hold.exec(QStringLiteral("COMMIT"));
                hold.finish();
                other.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("holder"));
        });
        while (!locked)
            std::this_thread::yield();
        const Result<std::unique_ptr<data::Database>> opened = data::Database::open(path(), {5000});
        holder.join();
        QVERIFY2(opened, qPrintable(opened ? QString() : opened.failure().message()));
    }

    void walFileTurnedToRollbackJournal()
    {
        QVERIFY(runOn(path(), {QStringLiteral("PRAGMA journal_mode=WAL")}, false));
        QVERIFY(runOn(path(), minimalSchema()));
        {
            auto db = openOrFail(path());
            QVERIFY(db);
        }
        // Bytes 18 and 19 of the header are 2 in WAL mode and 1 with a rollback journal.
        QFile file(path());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray header = file.read(20);
        QCOMPARE(int(header.at(18)), 1);
        QCOMPARE(int(header.at(19)), 1);
    }

    void walFileThatAnotherProgramReadsOpensAsItIs()
    {
        QVERIFY(runOn(path(), {QStringLiteral("PRAGMA journal_mode=WAL")}, false));
        QVERIFY(runOn(path(), minimalSchema()));
        // An idle reader, as an sqlite3 shell left open on the file.
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("reader"));
        other.setDatabaseName(path());
        QVERIFY(other.open());
        {
            QSqlQuery read(QStringLiteral("SELECT COUNT(*) FROM puntos"), other);
            QVERIFY(read.next());
        }
        {
            auto db = openOrFail(path());
            QVERIFY(db);
            QVERIFY(db->recordAward({QStringLiteral("01"), QStringLiteral("100L"), QStringLiteral("F"),
                                     QStringLiteral("VIGO"), 19}));
            QVERIFY(!data::Database::open(path(), {0})->get()->clubTotals()->isEmpty());
        }
        other.close();
        other = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("reader"));
    }

    void readOnlyOpenChangesNothing()
    {
        QVERIFY(runOn(path(), {QStringLiteral("PRAGMA journal_mode=WAL")}, false));
        QVERIFY(runOn(path(),
                      minimalSchema() << QStringLiteral(
                          "INSERT INTO puntos (orde, club, sexo, puntos) VALUES ('01', 'VIGO', 'M', 19)")));
        const bool root = geteuid() == 0; // permissions do not stop root
        if (!root)
            QVERIFY(QFile::setPermissions(path(), QFileDevice::ReadOwner));
        const QByteArray before = testsupport::fileDigest(path());
        {
            data::OpenOptions reading;
            reading.readOnly = true;
            Result<std::unique_ptr<data::Database>> opened = data::Database::open(path(), reading);
            QVERIFY2(opened, qPrintable(opened ? QString() : opened.failure().message()));
            QCOMPARE((*opened)->clubTotals()->size(), 1);
        }
        // Neither its journal mode nor indexes: the file is byte for byte as it was.
        QCOMPARE(testsupport::fileDigest(path()), before);
        QVERIFY(queryRowsOf(QStringLiteral("SELECT name FROM sqlite_master WHERE type='index'")).isEmpty());
    }

    void readsTogetherSeeOneSnapshot()
    {
        QVERIFY(data::Database::create(path()));
        QVERIFY(runOn(path(), {QStringLiteral("PRAGMA journal_mode=WAL")}, false));
        // A second station keeps the file in WAL mode, where writers do not wait for readers.
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("station"));
        other.setDatabaseName(path());
        QVERIFY(other.open());
        QSqlQuery station(QStringLiteral("SELECT COUNT(*) FROM puntos"), other);
        station.finish();
        {
            auto db = openOrFail(path());
            QVERIFY(db);
            QVERIFY(db->recordAward({QStringLiteral("01"), QStringLiteral("100L"), QStringLiteral("F"),
                                     QStringLiteral("VIGO"), 19}));
            // The station records event 02 between the two reads of one edition.
            const Result<QString> seen = db->readTogether<QString>([&]() -> Result<QString> {
                const QVariant last = *db->lastEventScored();
                if (!station.exec(QStringLiteral("INSERT INTO puntos (orde, proba, sexo, club, puntos)"
                                                 " VALUES ('02', '100L', 'M', 'LUGO', 19)")))
                    return Failure{0, station.lastError().text(), {}};
                return last.toString() + u'|' + QString::number(db->clubTotals()->size());
            });
            QVERIFY2(seen, qPrintable(seen ? QString() : seen.failure().description));
            QCOMPARE(*seen, QStringLiteral("01|1"));
            QCOMPARE(db->clubTotals()->size(), 2);
        }
        station.finish();
        other.close();
        other = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("station"));
    }

    void indexesThatCannotBeAddedAreReportedAndTheFileStillOpens()
    {
        QVERIFY(runOn(path(), minimalSchema()));
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("writer"));
        other.setDatabaseName(path());
        QVERIFY(other.open());
        QSqlQuery hold(other);
        QVERIFY(hold.exec(QStringLiteral("BEGIN IMMEDIATE"))); // another program writing
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("ours"));
            db.setDatabaseName(path());
            QVERIFY(db.open());
            const Outcome indexed = data::sqlite::addIndexes(db, 100);
            QVERIFY(!indexed);
            QCOMPARE(indexed.failure().number, 3260);
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("ours"));
        QVERIFY(openOrFail(path())); // without the indexes, only slower
        QVERIFY(hold.exec(QStringLiteral("ROLLBACK")));
        hold.finish();
        other.close();
        other = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("writer"));
        QVERIFY(queryRowsOf(QStringLiteral("SELECT name FROM sqlite_master WHERE type='index'")).isEmpty());
    }

    void pointsKeptAsTextFoundWithOrWithoutTheirIndex_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<int>("indexes"); // the program's, after the open
        QTest::newRow("opened to record: the indexes added, the awards found in theirs") << false << 4;
        QTest::newRow("opened to read only: no index added, the register read") << true << 1;
    }

    void pointsKeptAsTextFoundWithOrWithoutTheirIndex()
    {
        QFETCH(bool, readOnly);
        QFETCH(int, indexes);
        // A register of an earlier version where another program left points that are no number.
        QVERIFY(runOn(path(),
                      minimalSchema()
                          << QStringLiteral(
                                 "CREATE INDEX quilvarden_puntos_totais ON puntos (club, sexo, puntos)")
                          << QStringLiteral("INSERT INTO puntos (orde, proba, sexo, club, puntos) VALUES"
                                            " ('01', 'E', 'M', 'VIGO', 19), ('02', 'E', 'F', 'LUGO', '12,5'),"
                                            " ('03', 'E', 'M', 'VIGO', 'abc')")));
        Result<std::unique_ptr<data::Database>> opened = data::Database::open(path(), {5000, readOnly});
        QVERIFY(opened);
        for (const Failure& failure :
             {(*opened)->clubTotals().failure(), (*opened)->pointsByEvent().failure()}) {
            QCOMPARE(failure.number, 13);
            QVERIFY2(failure.detail.contains(QStringLiteral("«12,5» do resultado 2 (proba 02, club LUGO)")),
                     qPrintable(failure.detail));
        }
        opened->reset();
        QCOMPARE(queryRowsOf(
                     QStringLiteral("SELECT name FROM sqlite_master WHERE name LIKE 'quilvarden_puntos_%'"))
                     .size(),
                 indexes);
    }

    void sumsReadTheRegisterOnce_data()
    {
        QTest::addColumn<QString>("grouping");
        QTest::newRow("standings") << QString::fromLatin1(data::sql::StandingTotals);
        QTest::newRow("points by event") << QString::fromLatin1(data::sql::EventClubPoints);
    }

    void sumsReadTheRegisterOnce()
    {
        QFETCH(QString, grouping);
        QVERIFY(data::Database::create(path()));
        const auto points = data::sqlite::Particulars().pointsSum(false);
        // One read of the register; whether any points are kept as text is seen in the index
        // that holds only those awards.
        const QStringList reads =
            queryRowsOf(QStringLiteral("EXPLAIN QUERY PLAN ") + grouping.arg(points.sum, points.doubtful))
                .filter(QRegularExpression(QStringLiteral("SCAN|SEARCH")));
        QCOMPARE(reads.size(), 2);
        QCOMPARE(reads.filter(QStringLiteral("INDEX quilvarden_puntos_texto")).size(), 1);
    }

    void createMakesAnEmptyRegisterWhoseIdsAreNeverReused()
    {
        QVERIFY(data::Database::create(path()));
        {
            auto db = openOrFail(path());
            QVERIFY(db);
            QVERIFY(db->clubNames()->isEmpty());
        }
        QVERIFY(runOn(path(), {QStringLiteral("INSERT INTO puntos (orde) VALUES ('01')"),
                               QStringLiteral("INSERT INTO puntos (orde) VALUES ('02')"),
                               QStringLiteral("DELETE FROM puntos WHERE id = 2"),
                               QStringLiteral("INSERT INTO puntos (orde) VALUES ('03')")}));
        QSqlDatabase check = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        check.setDatabaseName(path());
        QVERIFY(check.open());
        {
            QSqlQuery query(QStringLiteral("SELECT id FROM puntos WHERE orde = '03'"), check);
            QVERIFY(query.next());
            QCOMPARE(query.value(0).toInt(), 3);
        }
        check.close();
        check = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("check"));
        QCOMPARE(testsupport::otherFiles(m_dir->path(), {QStringLiteral("quilvarden.MDB")}), QStringList());
    }

    void createNeverOverwrites()
    {
        QFile existing(path());
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("the operator's own notes");
        existing.close();
        const Outcome created = data::Database::create(path());
        QVERIFY(!created);
        QVERIFY(created.failure().detail.contains(QStringLiteral("xa existe")));
        QCOMPARE(testsupport::fileDigest(path()),
                 QCryptographicHash::hash("the operator's own notes", QCryptographicHash::Sha256));
        QCOMPARE(testsupport::otherFiles(m_dir->path(), {QStringLiteral("quilvarden.MDB")}), QStringList());
    }

    void createInMissingFolderLeavesNothing()
    {
        const Outcome created =
            data::Database::create(m_dir->filePath(QStringLiteral("no/such/quilvarden.MDB")));
        QVERIFY(!created);
        QVERIFY(QDir(m_dir->path()).isEmpty());
    }

    void meetProgrammeReplacedWholeAndRegisterKept()
    {
        QVERIFY(data::Database::create(path()));
        QVERIFY(runOn(path(), {QStringLiteral("INSERT INTO puntos (orde, proba, sexo, club, puntos)"
                                              " VALUES ('01', '100FR', 'M', 'VIGO', 19)")}));
        auto db = openOrFail(path());
        QVERIFY(db);
        data::MeetProgramme first;
        first.clubs = {{QStringLiteral("A"), {}, QStringLiteral("O'GROVE"), {}, true},
                       {QStringLiteral("B"), {}, QStringLiteral("B'; DROP TABLE puntos; --"), {}, true}};
        QVERIFY(db->replaceMeetProgramme(first));
        QCOMPARE(*db->clubNames(),
                 (QStringList{QStringLiteral("B'; DROP TABLE puntos; --"), QStringLiteral("O'GROVE")}));

        data::MeetProgramme second;
        second.clubs = {{QStringLiteral("C"), {}, QStringLiteral("CEE"), {}, true},
                        {QStringLiteral("D"), {}, QStringLiteral("DESCRIBED ONLY"), {}, false}};
        QVERIFY(db->replaceMeetProgramme(second));
        QCOMPARE(*db->clubNames(), QStringList{QStringLiteral("CEE")});
        db.reset();

        QSqlDatabase check = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        check.setDatabaseName(path());
        QVERIFY(check.open());
        {
            QSqlQuery query(QStringLiteral("SELECT COUNT(*) FROM puntos"), check);
            QVERIFY(query.next());
            QCOMPARE(query.value(0).toInt(), 1);
        }
        check.close();
        check = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("check"));
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
