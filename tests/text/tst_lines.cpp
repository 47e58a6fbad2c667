#include "text/lines.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace quilvarden::text;

namespace {

// A Null as the database gives it for a number column.
const QVariant nullNumber{QMetaType::fromType<double>()};

} // namespace

class TestLines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void resultsLine_data();
    void resultsLine();
    void typedAndReloadedAgree_data();
    void typedAndReloadedAgree();
    void standingsLine_data();
    void standingsLine();
};

void TestLines::resultsLine_data()
{
    QTest::addColumn<QVariant>("order");
    QTest::addColumn<QVariant>("eventCode");
    QTest::addColumn<QVariant>("gender");
    QTest::addColumn<QVariant>("club");
    QTest::addColumn<QVariant>("points");
    QTest::addColumn<QString>("expected");

    const QVariant order(u"07"_s);
    const QVariant code(u"100L"_s);
    const QVariant men(u"M"_s);
    const QVariant club(u"NAVIA"_s);

    // The layout: 2 + 1 + 7 + 1 + 8 + 6 places.
    QTest::newRow("100L M VIGO 19") << order << code << men << QVariant(u"VIGO"_s) << QVariant(u"19"_s)
                                    << u"07   100LM VIGO     19,00"_s;
    QTest::newRow("five-letter club and 19 make 25 characters")
        << order << code << men << club << QVariant(u"19"_s) << u"07   100LM NAVIA    19,00"_s;
    QTest::newRow("relay code with women") << order << QVariant(u"4X50L"_s) << QVariant(u"F"_s) << club
                                           << QVariant(u"38"_s) << u"07  4X50LF NAVIA    38,00"_s;

    // Points: digits first, then the column.
    QTest::newRow("13,5 gets two decimals")
        << order << code << men << club << QVariant(u"13,5"_s) << u"07   100LM NAVIA    13,50"_s;
    QTest::newRow("100 follows the club directly")
        << order << code << men << club << QVariant(u"100"_s) << u"07   100LM NAVIA   100,00"_s;
    QTest::newRow("half point below 1")
        << order << code << men << club << QVariant(u"0,5"_s) << u"07   100LM NAVIA     0,50"_s;
    QTest::newRow("points below zero")
        << order << code << men << club << QVariant(u"-1"_s) << u"07   100LM NAVIA    -1,00"_s;
    QTest::newRow("points with a point pass unchanged")
        << order << code << men << club << QVariant(u"12.5"_s) << u"07   100LM NAVIA     12.5"_s;
    QTest::newRow("points that are no number pass unchanged")
        << order << code << men << club << QVariant(u"abc"_s) << u"07   100LM NAVIA      abc"_s;
    QTest::newRow("empty points leave the column blank")
        << order << code << men << club << QVariant(QString()) << u"07   100LM NAVIA         "_s;
    QTest::newRow("whole sum from the database")
        << order << code << men << club << QVariant(qlonglong{16}) << u"07   100LM NAVIA    16,00"_s;

    // Pieces that do not fit are kept whole and push the rest of the line.
    QTest::newRow("eight-letter club fills its column")
        << order << code << men << QVariant(u"ABCDEFGH"_s) << QVariant(u"19"_s)
        << u"07   100LM ABCDEFGH 19,00"_s;
    QTest::newRow("longer club pushes the points") << order << code << men << QVariant(u"NATACIONXY"_s)
                                                   << QVariant(u"19"_s) << u"07   100LM NATACIONXY 19,00"_s;
    QTest::newRow("longer event code pushes the club")
        << order << QVariant(u"100LIBRE"_s) << men << club << QVariant(u"19"_s)
        << u"07 100LIBREM NAVIA    19,00"_s;
    QTest::newRow("no club selected")
        << order << code << men << QVariant(QString()) << QVariant(u"19"_s) << u"07   100LM          19,00"_s;

    // Order numbers as typed and as a number column gives them back.
    QTest::newRow("one-digit order typed")
        << QVariant(u"7"_s) << code << men << club << QVariant(u"19"_s) << u" 7   100LM NAVIA    19,00"_s;
    QTest::newRow("order from a number column")
        << QVariant(7.0) << code << men << club << QVariant(19.0) << u" 7   100LM NAVIA    19,00"_s;
    QTest::newRow("event code from a number column")
        << order << QVariant(100.0) << men << club << QVariant(19.0) << u"07    100M NAVIA    19,00"_s;

    // Nulls are empty pieces; the line keeps its width.
    QTest::newRow("all null") << QVariant() << QVariant() << QVariant() << QVariant() << QVariant()
                              << u"                         "_s;
    QTest::newRow("null points") << order << code << men << club << nullNumber
                                 << u"07   100LM NAVIA         "_s;
    QTest::newRow("null order") << nullNumber << code << men << club << QVariant(19.0)
                                << u"     100LM NAVIA    19,00"_s;
    QTest::newRow("null event code") << order << QVariant(QMetaType::fromType<QString>()) << men << club
                                     << QVariant(19.0) << u"07       M NAVIA    19,00"_s;
    QTest::newRow("null gender") << order << code << QVariant() << club << QVariant(19.0)
                                 << u"07    100L NAVIA    19,00"_s;
    QTest::newRow("null club") << order << code << men << QVariant(QMetaType::fromType<QString>())
                               << QVariant(19.0) << u"07   100LM          19,00"_s;
}

void TestLines::resultsLine()
{
    QFETCH(QVariant, order);
    QFETCH(QVariant, eventCode);
    QFETCH(QVariant, gender);
    QFETCH(QVariant, club);
    QFETCH(QVariant, points);
    QFETCH(QString, expected);
    QCOMPARE(quilvarden::text::resultsLine(order, eventCode, gender, club, points), expected);
}

// An award gives the same line when it is recorded from the window's texts and when the
// list is reloaded from the table, where the points come back as a number.
void TestLines::typedAndReloadedAgree_data()
{
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("eventCode");
    QTest::addColumn<QString>("gender");
    QTest::addColumn<QString>("club");
    QTest::addColumn<QString>("typedPoints");
    QTest::addColumn<double>("storedPoints");
    QTest::addColumn<QString>("expected");

    QTest::newRow("first place") << u"07"_s << u"100L"_s << u"M"_s << u"NAVIA"_s << u"19"_s << 19.0
                                 << u"07   100LM NAVIA    19,00"_s;
    QTest::newRow("tie with a half") << u"07"_s << u"100L"_s << u"M"_s << u"NAVIA"_s << u"18,5"_s << 18.5
                                     << u"07   100LM NAVIA    18,50"_s;
    QTest::newRow("13,5") << u"12"_s << u"200E"_s << u"F"_s << u"LUGO"_s << u"13,5"_s << 13.5
                          << u"12   200EF LUGO     13,50"_s;
    QTest::newRow("quarter") << u"12"_s << u"200E"_s << u"F"_s << u"LUGO"_s << u"13,25"_s << 13.25
                             << u"12   200EF LUGO     13,25"_s;
    QTest::newRow("100") << u"30"_s << u"4X50L"_s << u"M"_s << u"NAVIA"_s << u"100"_s << 100.0
                         << u"30  4X50LM NAVIA   100,00"_s;
    QTest::newRow("half point") << u"07"_s << u"100L"_s << u"M"_s << u"NAVIA"_s << u"0,5"_s << 0.5
                                << u"07   100LM NAVIA     0,50"_s;
    QTest::newRow("zero") << u"07"_s << u"100L"_s << u"M"_s << u"NAVIA"_s << u"0"_s << 0.0
                          << u"07   100LM NAVIA     0,00"_s;
    QTest::newRow("below zero") << u"07"_s << u"4X50L"_s << u"F"_s << u"NAVIA"_s << u"-2"_s << -2.0
                                << u"07  4X50LF NAVIA    -2,00"_s;
}

void TestLines::typedAndReloadedAgree()
{
    QFETCH(QString, order);
    QFETCH(QString, eventCode);
    QFETCH(QString, gender);
    QFETCH(QString, club);
    QFETCH(QString, typedPoints);
    QFETCH(double, storedPoints);
    QFETCH(QString, expected);

    QCOMPARE(quilvarden::text::resultsLine(QVariant(order), QVariant(eventCode), QVariant(gender),
                                           QVariant(club), QVariant(typedPoints)),
             expected);
    QCOMPARE(quilvarden::text::resultsLine(QVariant(order), QVariant(eventCode), QVariant(gender),
                                           QVariant(club), QVariant(storedPoints)),
             expected);
}

void TestLines::standingsLine_data()
{
    QTest::addColumn<qint64>("position");
    QTest::addColumn<QVariant>("club");
    QTest::addColumn<QVariant>("total");
    QTest::addColumn<QString>("expected");

    const QVariant club(u"CLUBA"_s);

    // The layout: 3 + 2 + 8 + 9 places.
    QTest::newRow("57,5 makes 22 characters")
        << qint64{1} << club << QVariant(57.5) << u"  1  CLUBA       57,50"_s;
    QTest::newRow("9 gets a leading zero")
        << qint64{2} << club << QVariant(9.0) << u"  2  CLUBA       09,00"_s;
    QTest::newRow("7,5 gets a leading zero")
        << qint64{3} << club << QVariant(7.5) << u"  3  CLUBA       07,50"_s;
    QTest::newRow("123,5") << qint64{1} << club << QVariant(123.5) << u"  1  CLUBA      123,50"_s;
    QTest::newRow("1000 fits the nine places")
        << qint64{1} << club << QVariant(1000.0) << u"  1  CLUBA     1000,00"_s;
    QTest::newRow("quarter") << qint64{4} << club << QVariant(13.25) << u"  4  CLUBA       13,25"_s;
    QTest::newRow("zero") << qint64{5} << club << QVariant(0.0) << u"  5  CLUBA       00,00"_s;
    QTest::newRow("below zero") << qint64{6} << club << QVariant(-3.0) << u"  6  CLUBA      -03,00"_s;
    QTest::newRow("whole sum from the database")
        << qint64{1} << club << QVariant(qlonglong{38}) << u"  1  CLUBA       38,00"_s;

    QTest::newRow("two-digit position")
        << qint64{12} << club << QVariant(57.5) << u" 12  CLUBA       57,50"_s;
    QTest::newRow("position 1000 kept whole")
        << qint64{1000} << club << QVariant(57.5) << u"1000  CLUBA       57,50"_s;
    QTest::newRow("eight-letter club fills its column")
        << qint64{1} << QVariant(u"ABCDEFGH"_s) << QVariant(57.5) << u"  1  ABCDEFGH    57,50"_s;
    QTest::newRow("longer club pushes the total")
        << qint64{1} << QVariant(u"NATACIONXY"_s) << QVariant(57.5) << u"  1  NATACIONXY    57,50"_s;

    QTest::newRow("null club") << qint64{1} << QVariant(QMetaType::fromType<QString>()) << QVariant(57.5)
                               << u"  1              57,50"_s;
    QTest::newRow("null total") << qint64{1} << club << nullNumber << u"  1  CLUBA            "_s;
    QTest::newRow("invalid club and total")
        << qint64{1} << QVariant() << QVariant() << u"  1                   "_s;
}

void TestLines::standingsLine()
{
    QFETCH(qint64, position);
    QFETCH(QVariant, club);
    QFETCH(QVariant, total);
    QFETCH(QString, expected);
    QCOMPARE(quilvarden::text::standingsLine(position, club, total), expected);
}

QTEST_GUILESS_MAIN(TestLines)
#include "tst_lines.moc"
