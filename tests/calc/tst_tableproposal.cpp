#include "calc/tableproposal.h"

#include <QTest>

using namespace quilvarden;
using rules::MeetRules;

Q_DECLARE_METATYPE(std::optional<MeetRules>)

class TestTableProposal : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void scoresAsLeague_data()
    {
        QTest::addColumn<std::optional<MeetRules>>("stored");
        QTest::addColumn<bool>("league");
        const auto league = [](auto change) {
            MeetRules r = rules::leagueRules();
            change(r);
            return std::optional(r);
        };
        QTest::newRow("nothing stored") << std::optional<MeetRules>() << true;
        QTest::newRow("renamed, equal totals shared") << league([](MeetRules& r) {
            r.name = QStringLiteral("outra");
            r.equalTotals = rules::EqualTotals::Shared;
        }) << true;
        QTest::newRow("zero after the end")
            << league([](MeetRules& r) { r.after = rules::After::Zero; }) << false;
        QTest::newRow("relay table equal to double") << league([](MeetRules& r) {
            r.relay = QList<double>{38, 32, 28, 26};
        }) << false;
        QTest::newRow("relay cap") << league([](MeetRules& r) { r.relayScorers = 1; }) << false;
        QTest::newRow("a guest") << league([](MeetRules& r) { r.guests = {QStringLiteral("X")}; }) << false;
        QTest::newRow("full ties") << league([](MeetRules& r) { r.ties = rules::Ties::Full; }) << false;
    }
    void scoresAsLeague()
    {
        QFETCH(std::optional<MeetRules>, stored);
        QFETCH(bool, league);
        QCOMPARE(calc::scoresAsLeague(stored), league);
    }

    // Places 1 to 5 as the points field shows them.
    void placePoints_data()
    {
        QTest::addColumn<MeetRules>("rules");
        QTest::addColumn<bool>("relay");
        QTest::addColumn<QString>("places");
        // The points of each place are the rules' own (tested with them); here, how they read.
        const MeetRules halves{QStringLiteral("t"), {10.5, 9}, rules::After::Step};
        QTest::newRow("halves, stepping to zero") << halves << false << "10,5 9 7,5 6 4,5";
        QTest::newRow("relay table, whole numbers")
            << *rules::preset(QStringLiteral("5-3-1")) << true << "7 3 0 0 0";
    }
    void placePoints()
    {
        QFETCH(MeetRules, rules);
        QFETCH(bool, relay);
        QFETCH(QString, places);
        QStringList got;
        for (qsizetype place = 1; place <= 5; ++place)
            got << calc::placePoints(rules, place, relay);
        QCOMPARE(got.join(u' '), places);
    }

    // Under the league the step goes with the points, as the lookup and "14" leave it.
    void placeProposal_data()
    {
        QTest::addColumn<std::optional<MeetRules>>("stored");
        QTest::addColumn<int>("place");
        QTest::addColumn<bool>("relay");
        QTest::addColumn<QString>("proposed"); // points, then the step or "-" for none
        const auto row = [](const char* name, std::optional<MeetRules> stored, int place, bool relay,
                            const char* proposed) {
            QTest::newRow(name) << stored << place << relay << QString::fromLatin1(proposed);
        };
        row("league, second place", std::nullopt, 2, false, "16 -");
        row("league, fourth place", std::nullopt, 4, false, "13 1");
        row("league relay, second place", std::nullopt, 2, true, "32 2");
        row("a table, no step", rules::preset(QStringLiteral("5-3-1")), 4, false, "0 -");
    }
    void placeProposal()
    {
        QFETCH(std::optional<MeetRules>, stored);
        QFETCH(int, place);
        QFETCH(bool, relay);
        QFETCH(QString, proposed);
        const calc::Proposal got = calc::placeProposal(stored, place, relay);
        QCOMPARE(got.points + u' ' + got.step.value_or(QStringLiteral("-")), proposed);
    }

    void pastCap_data()
    {
        QTest::addColumn<int>("individualCap");
        QTest::addColumn<bool>("relay");
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("past");
        QTest::newRow("no cap") << 0 << false << 9 << false;
        QTest::newRow("within") << 2 << false << 1 << false;
        QTest::newRow("one past") << 2 << false << 2 << true;
        QTest::newRow("relays uncapped") << 2 << true << 2 << false;
    }
    void pastCap()
    {
        QFETCH(int, individualCap);
        QFETCH(bool, relay);
        QFETCH(int, before);
        QFETCH(bool, past);
        MeetRules r = rules::leagueRules();
        r.individualScorers = individualCap;
        QCOMPARE(calc::pastCap(r, relay, before), past);
    }
};

QTEST_GUILESS_MAIN(TestTableProposal)
#include "tst_tableproposal.moc"
