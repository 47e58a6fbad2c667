#include "text/orderlist.h"

#include <QTest>

using namespace quilvarden;

class TestOrderList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void read_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("reads");
        QTest::addColumn<QList<int>>("orders");
        QTest::newRow("numbers and a range")
            << QStringLiteral("1, 3, 5-9") << true << QList<int>{1, 3, 5, 6, 7, 8, 9};
        QTest::newRow("empty") << QStringLiteral("") << true << QList<int>{};
        QTest::newRow("blanks and semicolons")
            << QStringLiteral(" 9 ; 1 5 - 7 ") << true << QList<int>{1, 5, 6, 7, 9};
        QTest::newRow("repeated") << QStringLiteral("3, 3, 1-3") << true << QList<int>{1, 2, 3};
        QTest::newRow("range backwards") << QStringLiteral("9-5") << false << QList<int>{};
        QTest::newRow("a letter") << QStringLiteral("1, x") << false << QList<int>{};
        QTest::newRow("past the highest") << QStringLiteral("10000") << false << QList<int>{};
        QTest::newRow("zero") << QStringLiteral("0-2") << false << QList<int>{};
        QTest::newRow("negative") << QStringLiteral("-3") << false << QList<int>{};
    }
    void read()
    {
        QFETCH(QString, typed);
        QFETCH(bool, reads);
        QFETCH(QList<int>, orders);
        const std::optional<QList<int>> read = text::readOrderList(typed);
        QCOMPARE(read.has_value(), reads);
        if (reads)
            QCOMPARE(*read, orders);
    }

    void written_data()
    {
        QTest::addColumn<QList<int>>("orders");
        QTest::addColumn<QString>("text");
        QTest::newRow("runs as ranges") << QList<int>{9, 1, 5, 6, 7, 3, 8} << QStringLiteral("1, 3, 5-9");
        QTest::newRow("none") << QList<int>{} << QStringLiteral("");
        QTest::newRow("two in a row") << QList<int>{5, 4} << QStringLiteral("4-5");
        QTest::newRow("one") << QList<int>{12} << QStringLiteral("12");
    }
    void written()
    {
        QFETCH(QList<int>, orders);
        QFETCH(QString, text);
        QCOMPARE(text::orderListText(orders), text);
    }
};

QTEST_MAIN(TestOrderList)
#include "tst_orderlist.moc"
