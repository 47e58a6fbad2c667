#include "text/currency.h"

#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;
using namespace quilvarden;
using namespace quilvarden::text;

namespace {

constexpr qint64 largest = std::numeric_limits<qint64>::max();
constexpr qint64 smallest = std::numeric_limits<qint64>::min();

// The failure's message, for a check that expected a value; read only when there is one.
template <typename T> QByteArray failureMessage(const quilvarden::Result<T>& result)
{
    return result.ok() ? QByteArray() : result.failure().message().toUtf8();
}

} // namespace

class TestCurrency : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void reading_data();
    void reading();
    void readingFails_data();
    void readingFails();
    void arithmetic_data();
    void arithmetic();
    void writing_data();
    void writing();
};

void TestCurrency::reading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("tenThousandths");

    QTest::newRow("half point") << u"0,5"_s << qint64{5000};
    QTest::newRow("whole points") << u"16"_s << qint64{160000};
    QTest::newRow("trailing zeros") << u"19,00"_s << qint64{190000};
    QTest::newRow("quarter") << u"13,25"_s << qint64{132500};
    QTest::newRow("negative half") << u"-0,5"_s << qint64{-5000};
    QTest::newRow("blanks around") << u" \t16,5 "_s << qint64{165000};
    QTest::newRow("comma first") << u",75"_s << qint64{7500};
    QTest::newRow("zero") << u"0"_s << qint64{0};
    QTest::newRow("minus zero") << u"-0,0"_s << qint64{0};

    QTest::newRow("exponent") << u"1,5E+3"_s << qint64{15000000};
    QTest::newRow("negative exponent") << u"25E-1"_s << qint64{25000};
    QTest::newRow("exponent makes a whole amount") << u"0,0001234E4"_s << qint64{12340};

    QTest::newRow("fifth decimal half rounds away from zero") << u"1,23455"_s << qint64{12346};
    QTest::newRow("negative fifth decimal half rounds away") << u"-1,23455"_s << qint64{-12346};
    QTest::newRow("fifth decimal below half dropped") << u"1,234549999"_s << qint64{12345};
    QTest::newRow("smallest half rounds up to one unit") << u"0,00005"_s << qint64{1};
    QTest::newRow("smallest negative half rounds down") << u"-0,00005"_s << qint64{-1};
    QTest::newRow("just below the smallest half") << u"0,0000499999"_s << qint64{0};
    // As a double 0,00015 is a little below the half; read exactly it is the half.
    QTest::newRow("half read exactly, not through a double") << u"0,00015"_s << qint64{2};
    QTest::newRow("rounding carries through nines") << u"9,99995"_s << qint64{100000};
    QTest::newRow("too small reads as 0") << u"1e-400"_s << qint64{0};
    QTest::newRow("exponent too long for any integer") << u"5e-99999999999999999999"_s << qint64{0};
    QTest::newRow("zero with a huge exponent") << u"0e99999999999"_s << qint64{0};

    QTest::newRow("largest amount") << u"922337203685477,5807"_s << largest;
    QTest::newRow("smallest amount") << u"-922337203685477,5808"_s << smallest;
    QTest::newRow("largest amount in units") << u"9223372036854775807E-4"_s << largest;
    QTest::newRow("rounds down to the largest") << u"922337203685477,58074"_s << largest;
}

void TestCurrency::reading()
{
    QFETCH(QString, text);
    QFETCH(qint64, tenThousandths);
    const Result<Currency> amount = Currency::read(text);
    QVERIFY2(amount.ok(), failureMessage(amount).constData());
    QCOMPARE(amount->tenThousandths(), tenThousandths);
}

void TestCurrency::readingFails_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("error");

    const int mismatch = Failure::TypeMismatch;
    QTest::newRow("empty text") << QString() << mismatch;
    QTest::newRow("letters") << u"abc"_s << mismatch;
    QTest::newRow("point is not the decimal separator") << u"12.5"_s << mismatch;
    QTest::newRow("comma alone") << u","_s << mismatch;
    QTest::newRow("two commas") << u"1,2,3"_s << mismatch;
    QTest::newRow("exponent without digits") << u"5e"_s << mismatch;
    QTest::newRow("written infinity") << u"Infinito"_s << mismatch;

    const int overflow = Failure::Overflow;
    QTest::newRow("far too large") << u"1e20"_s << overflow;
    QTest::newRow("one unit past the largest") << u"922337203685477,5808"_s << overflow;
    QTest::newRow("one unit past the smallest") << u"-922337203685477,5809"_s << overflow;
    QTest::newRow("rounding pushes past the largest") << u"922337203685477,58075"_s << overflow;
    QTest::newRow("rounding pushes past the smallest") << u"-922337203685477,58085"_s << overflow;
    QTest::newRow("twenty integer digits") << u"99999999999999999999"_s << overflow;
    QTest::newRow("exponent too long for any integer") << u"1e99999999999999999999"_s << overflow;
}

void TestCurrency::readingFails()
{
    QFETCH(QString, text);
    QFETCH(int, error);
    const Result<Currency> amount = Currency::read(text);
    QVERIFY(!amount.ok());
    QCOMPARE(amount.failure().number, error);
    QVERIFY2(amount.failure().detail.contains(text), qPrintable(amount.failure().detail));
}

void TestCurrency::arithmetic_data()
{
    QTest::addColumn<qint64>("left");
    QTest::addColumn<QChar>("operation");
    QTest::addColumn<qint64>("right");
    QTest::addColumn<bool>("overflows");
    QTest::addColumn<qint64>("expected");

    // The half-point nudges of a tie.
    QTest::newRow("16 plus a half") << qint64{160000} << QChar(u'+') << qint64{5000} << false
                                    << qint64{165000};
    QTest::newRow("16,5 plus a half")
        << qint64{165000} << QChar(u'+') << qint64{5000} << false << qint64{170000};
    QTest::newRow("13,25 plus a half")
        << qint64{132500} << QChar(u'+') << qint64{5000} << false << qint64{137500};
    QTest::newRow("0 minus a half") << qint64{0} << QChar(u'-') << qint64{5000} << false << qint64{-5000};
    QTest::newRow("a half minus a half") << qint64{5000} << QChar(u'-') << qint64{5000} << false << qint64{0};

    QTest::newRow("smallest plus largest") << smallest << QChar(u'+') << largest << false << qint64{-1};
    QTest::newRow("smallest minus itself") << smallest << QChar(u'-') << smallest << false << qint64{0};
    QTest::newRow("largest minus a unit") << largest << QChar(u'-') << qint64{1} << false << largest - 1;

    QTest::newRow("largest plus a unit") << largest << QChar(u'+') << qint64{1} << true << qint64{0};
    QTest::newRow("smallest plus minus a unit") << smallest << QChar(u'+') << qint64{-1} << true << qint64{0};
    QTest::newRow("smallest minus a unit") << smallest << QChar(u'-') << qint64{1} << true << qint64{0};
    QTest::newRow("largest minus minus a unit") << largest << QChar(u'-') << qint64{-1} << true << qint64{0};
    QTest::newRow("0 minus the smallest") << qint64{0} << QChar(u'-') << smallest << true << qint64{0};
}

void TestCurrency::arithmetic()
{
    QFETCH(qint64, left);
    QFETCH(QChar, operation);
    QFETCH(qint64, right);
    QFETCH(bool, overflows);
    QFETCH(qint64, expected);

    const Currency a = Currency::fromTenThousandths(left);
    const Currency b = Currency::fromTenThousandths(right);
    const Result<Currency> result = operation == u'+' ? a.plus(b) : a.minus(b);
    if (overflows) {
        QVERIFY(!result.ok());
        QCOMPARE(result.failure().number, int{Failure::Overflow});
    } else {
        QVERIFY2(result.ok(), failureMessage(result).constData());
        QCOMPARE(result->tenThousandths(), expected);
    }
}

void TestCurrency::writing_data()
{
    QTest::addColumn<qint64>("tenThousandths");
    QTest::addColumn<QString>("expected");

    QTest::newRow("sixteen and a half") << qint64{165000} << u"16,5"_s;
    QTest::newRow("whole amount has no comma") << qint64{170000} << u"17"_s;
    QTest::newRow("read 19,00 writes 19") << qint64{190000} << u"19"_s;
    QTest::newRow("whole amount keeps its zeros") << qint64{100000000} << u"10000"_s;
    QTest::newRow("negative half") << qint64{-5000} << u"-0,5"_s;
    QTest::newRow("quarters") << qint64{137500} << u"13,75"_s;
    QTest::newRow("zero") << qint64{0} << u"0"_s;
    QTest::newRow("one unit") << qint64{1} << u"0,0001"_s;
    QTest::newRow("minus one unit") << qint64{-1} << u"-0,0001"_s;
    QTest::newRow("trailing zero dropped") << qint64{12340} << u"1,234"_s;
    QTest::newRow("largest amount") << largest << u"922337203685477,5807"_s;
    QTest::newRow("smallest amount") << smallest << u"-922337203685477,5808"_s;
}

void TestCurrency::writing()
{
    QFETCH(qint64, tenThousandths);
    QFETCH(QString, expected);
    QCOMPARE(Currency::fromTenThousandths(tenThousandths).write(), expected);
}

QTEST_GUILESS_MAIN(TestCurrency)
#include "tst_currency.moc"
