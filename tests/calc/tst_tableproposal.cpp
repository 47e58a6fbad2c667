#include "calc/tableproposal.h"

#include <QTest>

using namespace quilvarden;

Q_DECLARE_METATYPE(std::optional<rules::MeetRules>)

class TestTableProposal : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void scoresAsLeague_data()
    {
        QTest::addColumn<std::optional<rules::MeetRules>>("stored");
        QTest::addColumn<bool>("league");
        const auto changed = [](auto change) {
            rules::MeetRules r = rules::leagueRules();
            change(r);
            return std::optional<rules::MeetRules>(r);
        };
        QTest::newRow("nothing stored") << std::optional<rules::MeetRules>() << true;
        QTest::newRow("the league preset") << std::optional(*rules::preset(QStringLiteral("liga"))) << true;
        QTest::newRow("renamed") << changed([](auto& r) { r.name = QStringLiteral("outra"); }) << true;
        QTest::newRow("equal totals shared")
            << changed([](auto& r) { r.equalTotals = rules::EqualTotals::Shared; }) << true;
        QTest::newRow("another table") << changed([](auto& r) { r.individual = {19, 16, 14}; }) << false;
        QTest::newRow("zero after the end")
            << changed([](auto& r) { r.after = rules::After::Zero; }) << false;
        QTest::newRow("relay table equal to double") << changed([](auto& r) {
            r.relay = QList<double>{38, 32, 28, 26};
        }) << false;
        QTest::newRow("individual cap") << changed([](auto& r) { r.individualScorers = 2; }) << false;
        QTest::newRow("relay cap") << changed([](auto& r) { r.relayScorers = 1; }) << false;
        QTest::newRow("a guest") << changed([](auto& r) { r.guests = {QStringLiteral("CNX")}; }) << false;
        QTest::newRow("full ties") << changed([](auto& r) { r.ties = rules::Ties::Full; }) << false;
        QTest::newRow("a preset") << std::optional(*rules::preset(QStringLiteral("5-3-1"))) << false;
    }
    void scoresAsLeague()
    {
        QFETCH(std::optional<rules::MeetRules>, stored);
        QFETCH(bool, league);
        QCOMPARE(calc::scoresAsLeague(stored), league);
    }

    // Places counted from 1; past the end a table stops at 0 or steps on by its last difference.
    void placePoints_data()
    {
        QTest::addColumn<QString>("preset");
        QTest::addColumn<bool>("relay");
        QTest::addColumn<QStringList>("places"); // places 1 to 6
        const auto words = [](const char* text) { return QString::fromLatin1(text).split(u' '); };
        QTest::newRow("league individual") << "liga" << false << words("19 16 14 13 12 11");
        QTest::newRow("league relay doubles") << "liga" << true << words("38 32 28 26 24 22");
        QTest::newRow("5-3-1 stops at zero") << "5-3-1" << false << words("5 3 1 0 0 0");
        QTest::newRow("5-3-1 relay table") << "5-3-1" << true << words("7 3 0 0 0 0");
        QTest::newRow("9-7-6 relay doubles") << "9-7-6-5-4-3-2-1" << true << words("18 14 12 10 8 6");
    }
    void placePoints()
    {
        QFETCH(QString, preset);
        QFETCH(bool, relay);
        QFETCH(QStringList, places);
        const rules::MeetRules r = *rules::preset(preset);
        for (qsizetype place = 1; place <= places.size(); ++place)
            QCOMPARE(calc::placePoints(r, place, relay), places[place - 1]);
    }

    void halvesAndStepsWrittenWithAComma_data()
    {
        QTest::addColumn<QList<double>>("table");
        QTest::addColumn<int>("place");
        QTest::addColumn<QString>("points");
        QTest::newRow("a half in the table") << QList<double>{10.5, 7} << 1 << "10,5";
        QTest::newRow("stepping by a half") << QList<double>{10, 9.5} << 4 << "8,5";
        QTest::newRow("stepping never below zero") << QList<double>{10, 6} << 5 << "0";
    }
    void halvesAndStepsWrittenWithAComma()
    {
        QFETCH(QList<double>, table);
        QFETCH(int, place);
        QFETCH(QString, points);
        const rules::MeetRules r{QStringLiteral("t"), table, rules::After::Step};
        QCOMPARE(calc::placePoints(r, place, false), points);
    }
};

QTEST_GUILESS_MAIN(TestTableProposal)
#include "tst_tableproposal.moc"
