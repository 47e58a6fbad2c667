#include "calc/placing.h"

#include <QTest>

using namespace quilvarden;

// Clubs taking places from a results sheet, and the points of the places.
class TestPlacing : public QObject {
    Q_OBJECT

private:
    // "A1 B2": club A ranked 1, club B ranked 2.
    static QList<calc::RankedSwim> ranked(const QString& swims)
    {
        QList<calc::RankedSwim> ranked;
        for (const QString& swim : swims.split(u' '))
            ranked << calc::RankedSwim{ranked.size(), swim[0].unicode() - u'A', swim.mid(1).toLongLong()};
        return ranked;
    }

    // "A:1:19 B:2:16": club, place and points, by place.
    static QString shown(const QList<calc::TakenPlace>& taken)
    {
        QStringList texts;
        for (const calc::TakenPlace& place : taken)
            texts << QStringLiteral("%1:%2:%3")
                         .arg(QChar(static_cast<char16_t>(u'A' + place.club)))
                         .arg(place.place)
                         .arg(place.points);
        return texts.join(u' ');
    }

private Q_SLOTS:
    void scale_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("places");
        QTest::addColumn<QString>("points");
        QTest::newRow("individual") << "100L" << 12 << "19 16 14 13 12 11 10 9 8 7 6 5";
        QTest::newRow("relay") << "4X100L" << 12 << "38 32 28 26 24 22 20 18 16 14 12 10";
        QTest::newRow("lower-case x is a relay") << "4x50S" << 3 << "38 32 28";
        QTest::newRow("individual never below zero")
            << "50M" << 20 << "19 16 14 13 12 11 10 9 8 7 6 5 4 3 2 1 0 0 0 0";
        QTest::newRow("relay never below zero")
            << "4X50L" << 22 << "38 32 28 26 24 22 20 18 16 14 12 10 8 6 4 2 0 0 0 0 0 0";
        QTest::newRow("no places") << "100L" << 0 << "";
    }

    void scale()
    {
        QFETCH(QString, code);
        QFETCH(int, places);
        QFETCH(QString, points);
        const Result<QList<double>> scale = calc::scalePoints(code, places);
        QVERIFY(scale);
        QStringList texts;
        for (const double value : *scale)
            texts << QString::number(value);
        QCOMPARE(texts.join(u' '), points);
    }

    void clubs_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("perClub");
        QTest::addColumn<QString>("swims");  // club and rank, in any order
        QTest::addColumn<QString>("places"); // club:place:points, by place
        QTest::newRow("second swim of the first club takes no place") << "100L" << 1 << "A1 A2 B3 C4"
                                                                      << "A:1:19 B:2:16 C:3:14";
        QTest::newRow("two swims a club") << "100L" << 2 << "A1 A2 B3 A4 C5"
                                          << "A:1:19 A:2:16 B:3:14 C:4:13";
        QTest::newRow("swims in any order") << "100L" << 1 << "C4 B3 A2 A1"
                                            << "A:1:19 B:2:16 C:3:14";
        QTest::newRow("two clubs tied for second") << "100L" << 1 << "A1 B2 C2 D3"
                                                   << "A:1:19 B:2:15 C:2:15 D:4:13";
        QTest::newRow("a tie with a club past its swims") << "100L" << 1 << "A1 A2 B2 C3"
                                                          << "A:1:19 B:2:16 C:3:14";
        QTest::newRow("relays tied for first") << "4X50L" << 1 << "A1 B1 C2"
                                               << "A:1:35 B:1:35 C:3:28";
        QTest::newRow("a tie past the scale")
            << "100L" << 1 << "A1 B2 C3 D4 E5 F6 G7 H8 I9 J10 K11 L12 M13 N14 O15 P16 Q17 R17"
            << "A:1:19 B:2:16 C:3:14 D:4:13 E:5:12 F:6:11 G:7:10 H:8:9 I:9:8 "
               "J:10:7 K:11:6 L:12:5 M:13:4 N:14:3 O:15:2 P:16:1 Q:17:0 R:17:0";
    }

    void clubs()
    {
        QFETCH(QString, code);
        QFETCH(int, perClub);
        QFETCH(QString, swims);
        QFETCH(QString, places);
        QList<calc::RankedSwim> ranked;
        for (const QString& swim : swims.split(u' '))
            ranked << calc::RankedSwim{ranked.size(), swim[0].unicode() - u'A', swim.mid(1).toLongLong()};
        const Result<QList<calc::TakenPlace>> taken = calc::placeClubs(ranked, code, perClub);
        QVERIFY(taken);
        QStringList texts;
        for (const calc::TakenPlace& place : *taken)
            texts << QStringLiteral("%1:%2:%3")
                         .arg(QChar(static_cast<char16_t>(u'A' + place.club)))
                         .arg(place.place)
                         .arg(place.points);
        QCOMPARE(texts.join(u' '), places);
    }

    void byRules_data()
    {
        QTest::addColumn<QString>("table"); // a preset's name
        QTest::addColumn<bool>("relay");
        QTest::addColumn<int>("perClub");
        QTest::addColumn<bool>("fullTies");
        QTest::addColumn<QString>("swims");  // club and rank
        QTest::addColumn<QString>("places"); // club:place:points, by place
        const QString nine = QStringLiteral("9-7-6-5-4-3-2-1");
        QTest::newRow("two a club: the third swim in the top five takes no place")
            << nine << false << 2 << false << "A1 A2 B3 A4 C5 D6"
            << "A:1:9 A:2:7 B:3:6 C:4:5 D:5:4";
        QTest::newRow("no cap: every swim takes a place")
            << nine << false << 0 << false << "A1 A2 B3 A4 C5 D6"
            << "A:1:9 A:2:7 B:3:6 A:4:5 C:5:4 D:6:3";
        QTest::newRow("tied for first, shared") << nine << false << 1 << false << "A1 B1 C2"
                                                << "A:1:8 B:1:8 C:3:6";
        QTest::newRow("tied for first, full") << nine << false << 1 << true << "A1 B1 C2"
                                              << "A:1:9 B:1:9 C:3:6";
        QTest::newRow("three tied for second, full") << nine << false << 1 << true << "A1 B2 C2 D2 E3"
                                                     << "A:1:9 B:2:7 C:2:7 D:2:7 E:5:4";
        QTest::newRow("zero after the end of the table")
            << nine << false << 0 << false << "A1 B2 C3 D4 E5 F6 G7 H8 I9 J10"
            << "A:1:9 B:2:7 C:3:6 D:4:5 E:5:4 F:6:3 G:7:2 H:8:1 I:9:0 J:10:0";
        QTest::newRow("relays double a table without its own") << nine << true << 1 << false << "A1 B2 C3"
                                                               << "A:1:18 B:2:14 C:3:12";
        const QString six = QStringLiteral("6-4-3-2-1");
        QTest::newRow("the relay table 8-4-2, zero after it") << six << true << 1 << false << "A1 B2 C3 D4"
                                                              << "A:1:8 B:2:4 C:3:2 D:4:0";
        QTest::newRow("relays tied at the end of the table, full")
            << six << true << 1 << true << "A1 B2 C3 D3"
            << "A:1:8 B:2:4 C:3:2 D:3:2";
        QTest::newRow("the league's scale, full ties, two a club")
            << QStringLiteral("liga") << false << 2 << true << "A1 A1 A1 B2 C3"
            << "A:1:19 A:1:19 B:3:14 C:4:13";
    }

    void byRules()
    {
        QFETCH(QString, table);
        QFETCH(bool, relay);
        QFETCH(int, perClub);
        QFETCH(bool, fullTies);
        QFETCH(QString, swims);
        QFETCH(QString, places);
        rules::MeetRules meet = *rules::preset(table);
        meet.ties = fullTies ? rules::Ties::Full : rules::Ties::Share;
        QCOMPARE(shown(calc::placeClubs(ranked(swims), {meet, relay, perClub})), places);
    }

    void threeTiedShareExactly()
    {
        const Result<QList<calc::TakenPlace>> taken =
            calc::placeClubs({{0, 0, 1}, {1, 1, 2}, {2, 2, 2}, {3, 3, 2}}, QStringLiteral("100L"), 1);
        QVERIFY(taken);
        QCOMPARE(taken->size(), 4);
        // (16 + 14 + 13) / 3 each, so that the three together have the 43 points of their places.
        for (qsizetype i = 1; i < 4; ++i)
            QCOMPARE((*taken)[i].points, 43.0 / 3.0);
    }
};

QTEST_GUILESS_MAIN(TestPlacing)
#include "tst_placing.moc"
