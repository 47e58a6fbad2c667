#include "data/database.h"
#include "data/standings.h"
#include "support/cutproxy.h"
#include "support/pgserver.h"
#include "support/scratchdb.h"

#include <QHash>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>

using namespace quilvarden;

// Eight scoring stations recording and taking back awards at once on one register, a file
// and a server, the server also stopped and started again under them. Afterwards the
// register holds exactly what the stations were told it holds.
class TestStations : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testsupport::PgServer> m_server;
    std::unique_ptr<QTemporaryDir> m_dir;

    struct Told {
        QString club;
        QString gender;
        double points = 0;
        int station = 0;
    };

private Q_SLOTS:
    void initTestCase()
    {
        m_server = std::make_unique<testsupport::PgServer>();
        QTcpServer probe; // a free port of 127.0.0.1, for the server to listen on too
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        m_server->listenOn(probe.serverPort());
        probe.close();
        const QString why = m_server->start();
        QVERIFY2(why.isEmpty(), qPrintable(why));
    }

    void cleanupTestCase() { m_server.reset(); }

    void answersLostAroundTheCommit_data()
    {
        using Cut = testsupport::CutProxy::Cut;
        QTest::addColumn<bool>("undo");
        QTest::addColumn<int>("cut");
        QTest::addColumn<bool>("told");  // the station was told it was done
        QTest::addColumn<int>("awards"); // in the register afterwards
        QTest::newRow("record: the commit never reaches the server")
            << false << int(Cut::BeforeCommit) << false << 0;
        QTest::newRow("record: the commit's answer is lost") << false << int(Cut::AfterCommit) << true << 1;
        QTest::newRow("record: the answer lost, the network down")
            << false << int(Cut::AfterCommitAndDown) << false << 0;
        QTest::newRow("undo: the commit never reaches the server")
            << true << int(Cut::BeforeCommit) << false << 1;
        QTest::newRow("undo: the commit's answer is lost") << true << int(Cut::AfterCommit) << true << 0;
        QTest::newRow("undo: the answer lost, the network down")
            << true << int(Cut::AfterCommitAndDown) << false << 1;
    }

    void answersLostAroundTheCommit()
    {
        QFETCH(bool, undo);
        QFETCH(int, cut);
        QFETCH(bool, told);
        QFETCH(int, awards);
        testsupport::CutProxy network(m_server->port());
        const QString database = m_server->newDatabase();
        QVERIFY(data::Database::create(m_server->uri(database)));
        auto opened = data::Database::open(m_server->uri(database, network.port()));
        QVERIFY2(opened, qPrintable(opened ? QString() : opened.failure().message()));
        data::Database& station = **opened;
        const data::Award award{QStringLiteral("07"), QStringLiteral("100L"), QStringLiteral("F"),
                                QStringLiteral("VIGO"), 19};
        if (undo)
            QVERIFY(station.recordAward(award));
        network.cutNextCommit(static_cast<testsupport::CutProxy::Cut>(cut));
        const bool done = undo ? bool(station.undoLatestAward()) : bool(station.recordAward(award));
        QVERIFY(network.cutDone());
        QCOMPARE(done, told);
        // The network back, the next action settles what was left unanswered.
        network.setDown(false);
        QVERIFY(station.latestAwardId());
        const QString count = QString::number(awards);
        QCOMPARE(
            testsupport::queryRows(m_server->uri(database), QStringLiteral("SELECT COUNT(*) FROM puntos")),
            QStringList{count});
    }

    void eightStationsOnOneRegister_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<bool>("restart");
        QTest::newRow("an SQLite file") << "file" << false;
        QTest::newRow("a PostgreSQL server") << "server" << false;
        QTest::newRow("a server stopped and started again") << "server" << true;
    }

    void eightStationsOnOneRegister()
    {
        QFETCH(QString, engine);
        QFETCH(bool, restart);
        m_dir = std::make_unique<QTemporaryDir>();
        const QString where = engine == u"file" ? m_dir->filePath(QStringLiteral("quilvarden.MDB"))
                                                : m_server->uri(m_server->newDatabase());
        QVERIFY(data::Database::create(where));

        constexpr int Stations = 8;
        constexpr int Seconds = 4;
        QList<std::shared_ptr<QProcess>> stations;
        for (int i = 0; i < Stations; ++i) {
            auto station = std::make_shared<QProcess>();
            station->start(
                QStringLiteral(QUILVARDEN_STATION),
                {where, QStringLiteral("S%1").arg(i), QString::number(Seconds), QString::number(1000 + i)});
            QVERIFY(station->waitForStarted());
            stations.append(station);
        }
        if (restart) {
            // The server goes down as in a power cut in the middle of the meet, and comes back.
            QThread::msleep(1200);
            QCOMPARE(m_server->stop(QStringLiteral("immediate")), QString());
            QThread::msleep(800);
            QCOMPARE(m_server->startServer(), QString());
        }

        QHash<qint64, Told> stored;
        QSet<qint64> undone;
        int failures = 0;
        for (int i = 0; i < Stations; ++i) {
            QVERIFY(stations[i]->waitForFinished(120000));
            const QStringList lines =
                QString::fromUtf8(stations[i]->readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
            QCOMPARE(lines.last(), QStringLiteral("done"));
            for (const QString& line : lines) {
                const QStringList words = line.split(u' ');
                if (words[0] == u"stored") {
                    QVERIFY2(!stored.contains(words[1].toLongLong()), qPrintable(line)); // an id given once
                    stored.insert(words[1].toLongLong(), {words[2], words[3], words[4].toDouble(), i});
                } else if (words[0] == u"undone") {
                    const qint64 id = words[1].toLongLong();
                    // Every undo took back an award of its own station.
                    QVERIFY2(stored.value(id, {{}, {}, 0, -1}).station == i, qPrintable(line));
                    undone.insert(id);
                } else if (words[0] == u"failed") {
                    ++failures;
                }
            }
        }
        QVERIFY(stored.size() > 50);
        if (restart)
            QVERIFY(failures > 0);

        // The register holds every award told stored and not told taken back, once, and
        // nothing else.
        QStringList expected;
        QHash<QString, double> totals;
        for (auto award = stored.constBegin(); award != stored.constEnd(); ++award) {
            if (undone.contains(award.key()))
                continue;
            expected << QStringLiteral("%1|%2|%3|%4")
                            .arg(award.key())
                            .arg(award->club, award->gender)
                            .arg(award->points);
            totals[award->club] += award->points;
        }
        expected.sort();
        QStringList held =
            testsupport::queryRows(where, QStringLiteral("SELECT id, club, sexo, puntos FROM puntos"));
        held.sort();
        QCOMPARE(held, expected);

        // And the standings are the sums of what the stations were told.
        auto opened = data::Database::open(where);
        QVERIFY(opened);
        const Result<data::StandingsReport> report = data::buildStandings(**opened);
        QVERIFY(report);
        QHash<QString, double> combined;
        for (const data::StandingRow& row : report->sections.last().rows)
            combined.insert(row.club.toString(), row.total.toDouble());
        QCOMPARE(combined.size(), totals.size());
        for (auto total = totals.constBegin(); total != totals.constEnd(); ++total)
            QVERIFY2(qAbs(combined.value(total.key()) - *total) < 1e-9, qPrintable(total.key()));
    }
};

QTEST_GUILESS_MAIN(TestStations)
#include "tst_stations.moc"
