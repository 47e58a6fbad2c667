#include "data/database.h"
#include "live/server.h"
#include "rules/rules.h"
#include "setup/demomeet.h"
#include "support/browser.h"
#include "support/categorymeet.h"
#include "support/testmeet.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QJsonArray>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace quilvarden;

// The live pages in a real browser (Chromium, headless): on a phone and on a projector,
// following the register as stations record and undo, with scripts off, and with club
// names that try to be markup. Set QUILVARDEN_PICTURES to a folder to keep the pictures of
// the phone page and the board (the README's).
class TestLivePage : public QObject {
    Q_OBJECT

private:
    static constexpr char LongName[] =
        "Sociedade Deportiva e Cultural Club de Natación e Salvamento Acuático Ribeira de Santa Uxía";
    QTemporaryDir m_dir;
    QString m_where;
    std::unique_ptr<data::Database> m_station;
    std::unique_ptr<live::LiveServer> m_server;
    testing::HeadlessBrowser m_browser;

    QUrl url(const QString& path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server->port()).arg(path));
    }

    qint64 record(const QString& order, const QString& event, const QString& gender, const QString& club,
                  double points)
    {
        const Result<qint64> id = m_station->recordAward({order, event, gender, club, points});
        return id ? *id : -1;
    }

    QString picture(const QString& name) const
    {
        const QString folder = qEnvironmentVariable("QUILVARDEN_PICTURES");
        return folder.isEmpty() ? m_dir.filePath(name) : QDir(folder).filePath(name);
    }

    void noErrors()
    {
        QVERIFY2(m_browser.consoleErrors().isEmpty(), qPrintable(m_browser.consoleErrors().join(u'\n')));
        QVERIFY2(m_browser.dialogs().isEmpty(), qPrintable(m_browser.dialogs().join(u'\n')));
    }

private Q_SLOTS:
    void initTestCase()
    {
        // The demo meet, half-way through: enough clubs and awards to scroll on a phone.
        m_where = m_dir.filePath(QStringLiteral("quilvarden.MDB"));
        QVERIFY(data::Database::create(m_where));
        auto opened = data::Database::open(m_where);
        QVERIFY(opened);
        m_station = std::move(opened).value();
        data::MeetProgramme meet = setup::demoMeet();
        meet.identity = {QStringLiteral("XXIV Trofeo Cidade de Lugo"), QDate(2026, 12, 7), QDate(2026, 12, 8),
                         QStringLiteral("Lugo")};
        // One club with a full name longer than the board's column.
        for (data::MeetClub& club : meet.clubs)
            if (club.shortName == QStringLiteral("RIBEIRA"))
                club.longName = QString::fromUtf8(LongName);
        QVERIFY(m_station->replaceMeetProgramme(meet));
        QStringList clubs;
        for (const data::MeetClub& club : meet.clubs)
            clubs << club.shortName.toString();
        const double scale[] = {19, 16, 14, 13, 12, 11, 10, 9};
        for (int e = 0; e < 16; ++e) {
            const data::MeetEvent& event = meet.events[e];
            const QString order = QStringLiteral("%1").arg(event.order.toInt(), 2, 10, QLatin1Char('0'));
            for (int place = 0; place < 8; ++place)
                QVERIFY(record(order, event.code.toString(), event.gender.toString(),
                               clubs[(e * 5 + place * 7) % clubs.size()], scale[place]) > 0);
        }
        live::ServeOptions options;
        options.port = 0;
        auto server = live::LiveServer::start(m_where, options);
        QVERIFY(server);
        m_server = std::move(server).value();
        QString why;
        QVERIFY2(m_browser.start(m_dir.filePath(QStringLiteral("profile")), &why), qPrintable(why));
    }

    void cleanupTestCase()
    {
        m_browser.stop();
        m_server.reset();
    }

    void phoneFollowsTheMeet()
    {
        QVERIFY(m_browser.setViewport(390, 844, 3, true));
        QVERIFY(m_browser.open(url(QStringLiteral("/"))));
        m_browser.clearRecorded();
        // Reads on a phone: nothing wider than the screen, type no smaller than 14 px.
        QCOMPARE(m_browser.evaluate(QStringLiteral("document.documentElement.scrollWidth <= innerWidth")),
                 true);
        QVERIFY(m_browser
                    .evaluate(QStringLiteral(
                        "parseFloat(getComputedStyle(document.querySelector('td.club')).fontSize)"))
                    .toDouble() >= 14);
        QCOMPARE(
            m_browser.evaluate(QStringLiteral("document.querySelectorAll('section.standing table').length")),
            3);
        // Headed by the meet; the latest awards first, then the standings, each reached by a
        // link at the top and left by one back to it.
        QCOMPARE(m_browser.evaluate(QStringLiteral("document.querySelector('h1').textContent")),
                 QStringLiteral("XXIV Trofeo Cidade de Lugo"));
        QCOMPARE(m_browser.evaluate(QStringLiteral("document.querySelector('header .meet').textContent")),
                 QString::fromUtf8("Lugo, 7–8 de decembro de 2026"));
        QCOMPARE(
            m_browser.evaluate(QStringLiteral("[...document.querySelectorAll('main section')].map(s => s.id)"
                                              ".join(' ')")),
            QStringLiteral("ultimos masculina feminina conxunta"));
        QCOMPARE(m_browser.evaluate(QStringLiteral("document.getElementById('categoria') === null")), true);
        QCOMPARE(
            m_browser.evaluate(QStringLiteral("[...document.querySelectorAll('nav.jump a')]"
                                              ".every(a => document.querySelector(a.getAttribute('href')))"
                                              " && document.querySelectorAll('nav.jump a').length")),
            4);
        QCOMPARE(m_browser.evaluate(
                     QStringLiteral("document.querySelectorAll('section.standing .back a[href=\"#top\"]')"
                                    ".length")),
                 3);
        QVERIFY(m_browser.screenshot(picture(QStringLiteral("live-phone.png"))));

        // The reader has scrolled down to the combined standing; an award comes in.
        QVERIFY(m_browser.evaluate(QStringLiteral("scrollTo(0, 700), scrollY")).toDouble() > 0);
        const double scrolled = m_browser.evaluate(QStringLiteral("scrollY")).toDouble();
        QElapsedTimer clock;
        clock.start();
        const qint64 id = record(QStringLiteral("17"), QStringLiteral("100L"), QStringLiteral("F"),
                                 QStringLiteral("NEWCLUB"), 19);
        QVERIFY(id > 0);
        QVERIFY2(m_browser.waitFor(QStringLiteral("[...document.querySelectorAll('td.club')]"
                                                  ".some(c => c.textContent === 'NEWCLUB')"),
                                   1000),
                 "the page did not show the award within one second");
        qInfo("Shown on the page %lld ms after it was recorded", static_cast<long long>(clock.elapsed()));
        QCOMPARE(m_browser.evaluate(QStringLiteral("scrollY")).toDouble(), scrolled);
        QCOMPARE(m_browser.evaluate(QStringLiteral("document.querySelector('.awards li .club').textContent")),
                 QStringLiteral("NEWCLUB"));

        // Another station takes it back.
        clock.restart();
        QVERIFY(m_station->deleteAward(id));
        QVERIFY2(m_browser.waitFor(QStringLiteral("![...document.querySelectorAll('td.club')]"
                                                  ".some(c => c.textContent === 'NEWCLUB')"),
                                   1000),
                 "the page did not drop the undone award within one second");
        noErrors();
    }

    // On a desktop screen the page keeps to a centred column.
    void desktopKeepsToAColumn()
    {
        QVERIFY(m_browser.setViewport(1920, 1080, 1, false));
        QVERIFY(m_browser.open(url(QStringLiteral("/"))));
        const QJsonArray box =
            m_browser
                .evaluate(QStringLiteral("(b => [b.left, b.width])(document.querySelector('main')"
                                         ".getBoundingClientRect())"))
                .toArray();
        QVERIFY2(box[1].toDouble() <= 800, qPrintable(QString::number(box[1].toDouble())));
        QCOMPARE(qRound(box[0].toDouble() * 2 + box[1].toDouble()),
                 m_browser.evaluate(QStringLiteral("document.documentElement.clientWidth")).toInt());
        QVERIFY(m_browser.screenshot(picture(QStringLiteral("live-desktop.png"))));
        noErrors();
    }

    void boardTurnsTheStandings()
    {
        QVERIFY(m_browser.setViewport(1920, 1080, 1, false));
        QVERIFY(m_browser.open(url(QStringLiteral("/board#turn=1"))));
        m_browser.clearRecorded();
        QVERIFY(m_browser
                    .evaluate(QStringLiteral(
                        "parseFloat(getComputedStyle(document.querySelector('td.club')).fontSize)"))
                    .toDouble() >= 32);
        const QString fits = QStringLiteral("document.documentElement.scrollHeight <= innerHeight");
        QCOMPARE(m_browser.evaluate(fits), true);
        const QString shown = QStringLiteral(
            "[...document.querySelectorAll('section.standing')].filter(s => s.offsetParent !== null)"
            ".map(s => s.querySelector('h2').textContent)");
        QCOMPARE(m_browser.evaluate(shown).toArray().size(), 1);
        // The meet's name, and which of the board's pages is on screen.
        QCOMPARE(m_browser.evaluate(QStringLiteral("document.querySelector('h1').textContent")),
                 QStringLiteral("XXIV Trofeo Cidade de Lugo"));
        const QString turn = QStringLiteral("document.querySelector('header .turn').textContent");
        const QRegularExpression page(QString::fromUtf8("^páxina (\\d+) de (\\d+)$"));
        const QRegularExpressionMatch firstPage = page.match(m_browser.evaluate(turn).toString());
        QVERIFY2(firstPage.hasMatch(), qPrintable(m_browser.evaluate(turn).toString()));
        QCOMPARE(firstPage.captured(1), QStringLiteral("1"));
        QVERIFY(firstPage.captured(2).toInt() >= 3);
        QVERIFY(m_browser.screenshot(picture(QStringLiteral("live-board.png"))));
        const QString first = m_browser.evaluate(shown)[0].toString();
        QVERIFY(m_browser.waitFor(shown + QStringLiteral("[0] !== '%1'").arg(first), 3000));
        QCOMPARE(m_browser.evaluate(shown).toArray().size(), 1);
        QCOMPARE(m_browser.evaluate(fits), true);
        QVERIFY(m_browser.evaluate(turn).toString().startsWith(QString::fromUtf8("páxina 2 de ")));
        // The full names that fit, the short one where the full name would not.
        QVERIFY(m_browser.waitFor(QStringLiteral("document.querySelector('td.club.short') !== null"), 20000));
        QVERIFY(m_browser
                    .evaluate(QStringLiteral("[...document.querySelectorAll('td.club.short')]"
                                             ".every(c => c.dataset.short === 'RIBEIRA')"))
                    .toBool());
        QVERIFY(m_browser
                    .evaluate(QStringLiteral("[...document.querySelectorAll('td.club:not(.short)')]"
                                             ".some(c => c.textContent === 'Real Club Náutico de Vigo')"))
                    .toBool());
        noErrors();
    }

    void hostileNamesAreText()
    {
        const QStringList names{QStringLiteral("<script>alert(1)</script>"),
                                QStringLiteral("<img src=x onerror=alert(2)>"),
                                QStringLiteral("\"'><b>x</b>"), QStringLiteral("Liña\nnova"),
                                QString::fromUtf8("\u202Eevil\u202C")};
        for (const QString& name : names)
            QVERIFY(record(QStringLiteral("18"), QStringLiteral("100L"), QStringLiteral("M"), name, 30) > 0);
        QVERIFY(m_browser.setViewport(390, 844, 3, true));
        QVERIFY(m_browser.open(url(QStringLiteral("/"))));
        QVERIFY(m_browser.waitFor(
            QStringLiteral(
                "[...document.querySelectorAll('.awards li .club')].some(c => c.textContent === 'evil')"),
            5000));
        const QJsonArray shown =
            m_browser
                .evaluate(QStringLiteral("[...document.querySelectorAll('.awards li .club')]"
                                         ".map(c => c.textContent)"))
                .toArray();
        QStringList texts;
        for (const QJsonValue& text : shown)
            texts << text.toString();
        // As text, line breaks as blanks, direction overrides gone; no markup made of them.
        for (const QString& expected :
             {names[0], names[1], names[2], QStringLiteral("Liña nova"), QStringLiteral("evil")})
            QVERIFY2(texts.contains(expected),
                     qPrintable(expected + QStringLiteral(" not in ") + texts.join(u'|')));
        QCOMPARE(m_browser.evaluate(
                     QStringLiteral("document.querySelectorAll('main img, main b, main script').length")),
                 0);
        QCOMPARE(m_browser.evaluate(QStringLiteral("document.scripts.length")), 1);
        noErrors();
    }

    // Where the meet ranks categories the phone picks whose standings it shows, and keeps the
    // choice as awards come in; the board turns through the meet's and then each category's.
    void categoriesPickedAndTurned()
    {
        const QString where = m_dir.filePath(QStringLiteral("categorias.MDB"));
        QVERIFY(testsupport::makeCategoryMeet(where));
        live::ServeOptions options;
        options.port = 0;
        auto server = live::LiveServer::start(where, options);
        QVERIFY(server);
        const QString address = QStringLiteral("http://127.0.0.1:%1").arg((*server)->port());
        QVERIFY(m_browser.setViewport(390, 844, 3, true));
        QVERIFY(m_browser.open(QUrl(address + QStringLiteral("/"))));
        m_browser.clearRecorded();
        QCOMPARE(m_browser.evaluate(QStringLiteral("[...document.querySelectorAll('#categoria option')]"
                                                   ".map(o => o.textContent).join('|')")),
                 QStringLiteral("Xeral|10-11|12-13"));
        // The standings on show: each heading, then its rows as "position club points".
        const QString shown = QStringLiteral(
            "[...document.querySelectorAll('section.standing')].filter(s => s.offsetParent !== null)"
            ".map(s => [s.querySelector('h2').textContent, ...[...s.querySelectorAll('tbody tr')]"
            ".map(r => [...r.cells].map(c => c.textContent).join(' '))].join('/')).join('|')");
        QCOMPARE(m_browser.evaluate(shown),
                 QString::fromUtf8("Clasificación Masculina/1 LUGO 16,00/2 VIGO 9,00|"
                                   "Clasificación Feminina/1 VIGO 9,00/2 LUGO 6,00|"
                                   "Clasificación Conxunta/1 VIGO 23,00/2 LUGO 22,00"));
        m_browser.evaluate(QStringLiteral("(s => { s.value = '12-13'; s.dispatchEvent(new Event('change', "
                                          "{bubbles: true})); })(document.getElementById('categoria'))"));
        QCOMPARE(m_browser.evaluate(shown), QString::fromUtf8("Clasificación Masculina: 12-13/1 LUGO 9,00|"
                                                              "Clasificación Feminina: 12-13/1 LUGO 6,00|"
                                                              "Clasificación Conxunta: 12-13/1 LUGO 15,00"));
        QCOMPARE(
            m_browser.evaluate(QStringLiteral("[...document.querySelectorAll('nav.jump a')]"
                                              ".filter(a => document.querySelector(a.getAttribute('href'))"
                                              "?.offsetParent).length")),
            4); // every link at the top leads to something on show
        // VIGO scores 7 in 12-13: its women's standing turns, the choice stays.
        auto station = data::Database::open(where);
        QVERIFY(station);
        QVERIFY((*station)->recordAward({QStringLiteral("04"), QStringLiteral("50BK"), QStringLiteral("F"),
                                         QStringLiteral("VIGO"), 7, QStringLiteral("12-13")}));
        QVERIFY2(
            m_browser.waitFor(shown + QString::fromUtf8(" === 'Clasificación Masculina: 12-13/1 LUGO 9,00|"
                                                        "Clasificación Feminina: 12-13/1 VIGO 7,00/2 LUGO "
                                                        "6,00|Clasificación Conxunta: 12-13/1 LUGO 15,00/2 "
                                                        "VIGO 7,00'"),
                              5000),
            qPrintable(m_browser.evaluate(shown).toString()));
        QCOMPARE(m_browser.evaluate(QStringLiteral("document.querySelector('.awards li .cat').textContent")),
                 QStringLiteral("12-13")); // the latest award names its category
        QVERIFY(m_browser.screenshot(picture(QStringLiteral("live-categories.png"))));

        QVERIFY(m_browser.setViewport(1920, 1080, 1, false));
        QVERIFY(m_browser.open(QUrl(address + QStringLiteral("/board#turn=1"))));
        const QString turn = QStringLiteral("document.querySelector('header .turn').textContent");
        QVERIFY(m_browser.waitFor(
            shown + QString::fromUtf8(".startsWith('Clasificación Conxunta: 12-13/1 LUGO 15,00')"), 15000));
        QCOMPARE(m_browser.evaluate(turn), QString::fromUtf8("páxina 9 de 9"));
        QVERIFY(m_browser.screenshot(picture(QStringLiteral("live-categories-board.png"))));
        noErrors();
    }

    void worksWithScriptsOff()
    {
        QVERIFY(m_browser.setScriptsEnabled(false));
        QVERIFY(m_browser.open(url(QStringLiteral("/"))));
        QCOMPARE(
            m_browser.evaluate(QStringLiteral("document.querySelectorAll('section.standing table').length")),
            3);
        QVERIFY(m_browser.evaluate(QStringLiteral("document.querySelector('td.club').offsetParent !== null"))
                    .toBool());
        QVERIFY(m_browser.setScriptsEnabled(true));
    }

    // Under rules stored in the register, both pages name them under the meet, and a guest's
    // club (by its code: MARÍN) closes each standing it swam in, without a position, marked.
    void rulesAndAGuestShown()
    {
        rules::MeetRules rules = *rules::preset(QStringLiteral("9-7-6-5-4-3-2-1"));
        rules.guests = QStringList{QStringLiteral("CNMAR")};
        rules.equalTotals = rules::EqualTotals::Shared;
        QVERIFY(m_station->setMeetRules(rules));
        QVERIFY(record(QStringLiteral("19"), QStringLiteral("100L"), QStringLiteral("F"),
                       QStringLiteral("LUGO"), 1) > 0);
        const QString guestRows = QStringLiteral("[...document.querySelectorAll('tr.guest')]");
        for (const char* page : {"/", "/board"}) {
            QVERIFY(m_browser.setViewport(1280, 900, 1, false));
            QVERIFY(m_browser.open(url(QString::fromLatin1(page))));
            QVERIFY(m_browser.waitFor(guestRows + QStringLiteral(".length > 0"), 10000));
            QVERIFY(m_browser.open(url(QString::fromLatin1(page)))); // the heading is made with the page
            QCOMPARE(
                m_browser.evaluate(QStringLiteral("document.querySelector('header .rules').textContent")),
                QString::fromUtf8("Puntuación: 9-7-6-5-4-3-2-1"));
            QVERIFY(
                m_browser
                    .evaluate(guestRows +
                              QStringLiteral(
                                  ".every(r => r.querySelector('.pos').textContent === ''"
                                  " && r.querySelector('.club').textContent === "
                                  "'Club Natación Marín (convidado)'"
                                  " && r === [...r.closest('table').querySelectorAll('tbody tr')].pop())"))
                    .toBool());
            m_browser.evaluate(QStringLiteral("document.querySelector('tr.guest').scrollIntoView()"));
            QVERIFY(m_browser.screenshot(picture(page[1] ? QStringLiteral("live-rules-board.png")
                                                         : QStringLiteral("live-rules.png"))));
        }
        noErrors();
    }
};

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    TestLivePage test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_page.moc"
