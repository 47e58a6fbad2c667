#include "data/database.h"
#include "league/leaguefile.h"
#include "live/server.h"
#include "support/browser.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QTest>

using namespace quilvarden;
using namespace Qt::StringLiterals;

// The league's page in a real browser, following the matchday being swum. Two matchdays:
//   1ª: 01 M VIGO 9, LUGO 7; 02 F LUGO 9, VIGO 7.
//   2ª (being swum): 01 M LUGO 9, VIGO 6; 02 F VIGO 5.
class TestLeaguePage : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    league::LeagueFile m_league;
    std::unique_ptr<data::Database> m_station;
    std::unique_ptr<live::LiveServer> m_server;
    testing::HeadlessBrowser m_browser;

    QString file(const QString& name) const { return m_dir.filePath(name); }

    static bool record(data::Database& database, const char* order, const char* gender, const char* club,
                       double points)
    {
        return bool(database.recordAward({QString::fromLatin1(order), u"100FR"_s, QString::fromLatin1(gender),
                                          QString::fromLatin1(club), points}));
    }

    // Each row of the table: its cells' texts joined by blanks.
    QStringList rows(const QString& selector)
    {
        QStringList lines;
        const QJsonArray found =
            m_browser
                .evaluate(u"[...document.querySelectorAll('%1 tbody tr')]"
                          ".map(r => [...r.cells].map(c => c.textContent).join(' '))"_s.arg(selector))
                .toArray();
        for (const QJsonValue& line : found)
            lines << line.toString();
        return lines;
    }

private Q_SLOTS:
    void initTestCase()
    {
        for (const char* name : {"x1.MDB", "x2.MDB"})
            QVERIFY(data::Database::create(file(QString::fromLatin1(name))));
        auto first = data::Database::open(file(u"x1.MDB"_s));
        QVERIFY(first);
        QVERIFY(record(**first, "01", "M", "VIGO", 9) && record(**first, "01", "M", "LUGO", 7) &&
                record(**first, "02", "F", "LUGO", 9) && record(**first, "02", "F", "VIGO", 7));
        auto second = data::Database::open(file(u"x2.MDB"_s));
        QVERIFY(second);
        m_station = std::move(second).value();
        QVERIFY(record(*m_station, "01", "M", "LUGO", 9) && record(*m_station, "01", "M", "VIGO", 6) &&
                record(*m_station, "02", "F", "VIGO", 5));
        QFile json(file(u"liga.json"_s));
        QVERIFY(json.open(QIODevice::WriteOnly));
        json.write(R"({"name": "Liga <i>Galega</i>", "matchdays": [{"name": "1ª", "register": "x1.MDB"},
                      {"name": "2ª", "register": "x2.MDB"}, {"name": "3ª"}]})");
        json.close();
        Result<league::LeagueFile> read = league::readLeagueFile(json.fileName());
        QVERIFY(read);
        m_league = *read;
        live::ServeOptions options;
        options.port = 0;
        auto server = live::LiveServer::start(file(u"x2.MDB"_s), options, live::LiveLeague{m_league, 1});
        QVERIFY2(server, qPrintable(server ? QString() : server.failure().message()));
        m_server = std::move(server).value();
        QString why;
        QVERIFY2(m_browser.start(file(u"profile"_s), &why), qPrintable(why));
    }

    void cleanupTestCase()
    {
        m_browser.stop();
        m_server.reset();
    }

    void matchdayOfTheRegister_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("matchday");
        QTest::newRow("the first") << u"x1.MDB"_s << 0;
        QTest::newRow("the second, by another path") << u"./sub/../x2.MDB"_s << 1;
        QTest::newRow("none of the league's") << u"x3.MDB"_s << -1;
    }
    void matchdayOfTheRegister()
    {
        QFETCH(QString, where);
        QFETCH(int, matchday);
        QDir().mkpath(file(u"sub"_s));
        const Result<qsizetype> found = live::matchdayOf(m_league, file(where));
        QCOMPARE(found ? int(*found) : -1, matchday);
        if (!found)
            QVERIFY(found.failure().message().contains(u"Ningunha xornada da liga «Liga <i>Galega</i>»"_s));
    }

    void leagueFollowsTheMatchday()
    {
        QVERIFY(m_browser.setViewport(390, 844, 3, true));
        const QString at = u"http://127.0.0.1:%1"_s.arg(m_server->port());
        QVERIFY(m_browser.open(QUrl(at + u"/"_s)));
        QCOMPARE(m_browser.evaluate(u"document.querySelector('nav.jump a[href=\"/liga\"]') !== null"_s),
                 true);
        QVERIFY(m_browser.open(QUrl(at + u"/liga"_s)));
        m_browser.clearRecorded();
        QCOMPARE(m_browser.evaluate(u"document.querySelector('h1').textContent"_s), u"Liga <i>Galega</i>"_s);
        QCOMPARE(m_browser.evaluate(u"document.querySelectorAll('header i, main i').length"_s), 0);
        QCOMPARE(m_browser.evaluate(u"document.documentElement.scrollWidth <= innerWidth"_s), true);
        if (const QString pictures = qEnvironmentVariable("QUILVARDEN_PICTURES"); !pictures.isEmpty())
            QVERIFY(m_browser.screenshot(QDir(pictures).filePath(u"live-league.png"_s), true));
        // The league's combined standing, the third matchday not swum; beside it the second's.
        QCOMPARE(rows(u"#liga-conxunta"_s),
                 (QStringList{u"1 VIGO 16,00 11,00  27,00"_s, u"2 LUGO 16,00 9,00  25,00"_s}));
        QCOMPARE(rows(u"#xornada #conxunta"_s), (QStringList{u"1 VIGO 11,00"_s, u"2 LUGO 9,00"_s}));

        // LUGO's men score 9 more today: the page shows it, not reloaded.
        QVERIFY(m_browser.evaluate(u"window.kept = 1"_s).toInt() == 1);
        QVERIFY(record(*m_station, "03", "M", "LUGO", 9));
        QVERIFY2(m_browser.waitFor(u"document.querySelector('#liga-conxunta tbody tr').textContent"
                                   ".startsWith('1LUGO')"_s,
                                   5000),
                 "the league did not follow the matchday");
        QCOMPARE(rows(u"#liga-conxunta"_s),
                 (QStringList{u"1 LUGO 16,00 18,00  34,00"_s, u"2 VIGO 16,00 11,00  27,00"_s}));
        QCOMPARE(rows(u"#xornada #conxunta"_s), (QStringList{u"1 LUGO 18,00"_s, u"2 VIGO 11,00"_s}));
        QCOMPARE(m_browser.evaluate(u"window.kept"_s), 1);
        QCOMPARE(m_browser.evaluate(
                     u"fetch('/liga.json').then(r => r.json()).then(j => j.standings[2].clubs[0].total)"_s),
                 34);
        QVERIFY2(m_browser.consoleErrors().isEmpty(), qPrintable(m_browser.consoleErrors().join(u'\n')));
    }
};

QTEST_MAIN(TestLeaguePage)
#include "tst_leaguepage.moc"
