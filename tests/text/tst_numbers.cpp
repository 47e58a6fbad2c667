#include "text/currency.h"
#include "text/masks.h"
#include "text/numbers.h"

#include <QLocale>
#include <QTest>

#include <clocale>
#include <limits>
#include <string>

using namespace Qt::StringLiterals;
using namespace quilvarden;
using namespace quilvarden::text;

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();

// The failure's message, for a check that expected a value; read only when there is one.
template <typename T> QByteArray failureMessage(const quilvarden::Result<T>& result)
{
    return result.ok() ? QByteArray() : result.failure().message().toUtf8();
}

// QCOMPARE compares doubles fuzzily; their full 17 digits tell apart what must differ.
QByteArray exact(double value)
{
    return value == 0 ? QByteArrayLiteral("0") : QByteArray::number(value, 'g', 17);
}

// Puts back the C library's and Qt's locale as they were.
class LocaleGuard {
public:
    LocaleGuard() : m_cLocale(std::setlocale(LC_ALL, nullptr)) {}
    ~LocaleGuard()
    {
        std::setlocale(LC_ALL, m_cLocale.c_str());
        QLocale::setDefault(m_qtLocale);
    }
    LocaleGuard(const LocaleGuard&) = delete;
    LocaleGuard& operator=(const LocaleGuard&) = delete;

    // A locale whose decimal separator is the comma, if the machine has one.
    static bool setCommaLocale()
    {
        for (const char* name : {"es_ES.UTF-8", "de_DE.UTF-8", "gl_ES.UTF-8"}) {
            if (std::setlocale(LC_ALL, name) && std::localeconv()->decimal_point == std::string(","))
                return true;
        }
        return false;
    }

private:
    std::string m_cLocale;
    QLocale m_qtLocale;
};

} // namespace

class TestNumbers : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lenientReading_data();
    void lenientReading();
    void strictReading_data();
    void strictReading();
    void strictReadingFails_data();
    void strictReadingFails();
    void writing_data();
    void writing();
    void writtenNumberReadsBack_data();
    void writtenNumberReadsBack();
    void ignoresMachineLocale_data();
    void ignoresMachineLocale();
};

void TestNumbers::lenientReading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("whole number") << u"12"_s << 12.0;
    QTest::newRow("empty text gives 0") << QString() << 0.0;
    QTest::newRow("comma stops lenient reading") << u"13,5"_s << 13.0;
    QTest::newRow("half with comma gives 0") << u"0,5"_s << 0.0;
    QTest::newRow("letter stops reading") << u"7a"_s << 7.0;
    QTest::newRow("point is the decimal point") << u"12.5"_s << 12.5;
    QTest::newRow("second point stops reading") << u"1.2.3"_s << 1.2;
    QTest::newRow("point first") << u".5"_s << 0.5;
    QTest::newRow("point last") << u"5."_s << 5.0;
    QTest::newRow("leading and trailing zeros") << u"0007.50"_s << 7.5;

    QTest::newRow("blank between digits skipped") << u" 1 2"_s << 12.0;
    QTest::newRow("tab and line breaks skipped") << u"\t\r\n 5 \n"_s << 5.0;
    QTest::newRow("blank between sign and digits skipped") << u"- 4"_s << -4.0;
    QTest::newRow("blanks inside exponent skipped") << u"7 e 2"_s << 700.0;
    QTest::newRow("non-breaking space is no blank") << u"\u00a05"_s << 0.0;

    QTest::newRow("negative") << u"-3.25"_s << -3.25;
    QTest::newRow("plus sign") << u"+4"_s << 4.0;
    QTest::newRow("exponent") << u"7e2"_s << 700.0;
    QTest::newRow("capital exponent with minus") << u"7E-2"_s << 0.07;
    QTest::newRow("exponent without digits ignored") << u"7e"_s << 7.0;
    QTest::newRow("exponent with sign only ignored") << u"7e+"_s << 7.0;
    QTest::newRow("exponent then letter") << u"7e2x"_s << 700.0;

    QTest::newRow("sign alone") << u"-"_s << 0.0;
    QTest::newRow("point alone") << u"."_s << 0.0;
    QTest::newRow("exponent letter alone") << u"e5"_s << 0.0;
    QTest::newRow("two signs") << u"--5"_s << 0.0;
    QTest::newRow("letters") << u"abc"_s << 0.0;
    QTest::newRow("hexadecimal is not read") << u"0x1A"_s << 0.0;
    QTest::newRow("other scripts' digits are not read") << u"\u0661\u0662"_s << 0.0;

    QTest::newRow("overflow gives infinity") << u"1e400"_s << infinity;
    QTest::newRow("negative overflow gives minus infinity") << u"-1e400"_s << -infinity;
    QTest::newRow("overflow by digits alone") << QString(400, u'9') << infinity;
    QTest::newRow("exponent too long for any integer") << u"1e99999999999999999999"_s << infinity;
    QTest::newRow("too small gives 0") << u"1e-400"_s << 0.0;
    QTest::newRow("zero with a huge exponent") << u"0e99999999999"_s << 0.0;
}

void TestNumbers::lenientReading()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(exact(readLenient(text)), exact(expected));
}

void TestNumbers::strictReading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("decimal comma") << u"13,5"_s << 13.5;
    QTest::newRow("half") << u"0,5"_s << 0.5;
    QTest::newRow("comma first") << u",5"_s << 0.5;
    QTest::newRow("comma last") << u"5,"_s << 5.0;
    QTest::newRow("trailing zeros") << u"19,00"_s << 19.0;
    QTest::newRow("leading zeros") << u"007"_s << 7.0;
    QTest::newRow("blanks around") << u"  12  "_s << 12.0;
    QTest::newRow("tabs around") << u"\t-3\t"_s << -3.0;
    QTest::newRow("plus sign") << u"+7"_s << 7.0;
    QTest::newRow("minus zero") << u"-0"_s << 0.0;

    QTest::newRow("exponent with sign") << u"1,5E+20"_s << 1.5e20;
    QTest::newRow("lower-case exponent") << u"1,5e20"_s << 1.5e20;
    QTest::newRow("negative exponent") << u"25E-1"_s << 2.5;
    QTest::newRow("comma first with exponent") << u",5e1"_s << 5.0;

    QTest::newRow("largest double") << u"1,7976931348623157E+308"_s << std::numeric_limits<double>::max();
    QTest::newRow("smallest subnormal")
        << u"4,9406564584124654E-324"_s << std::numeric_limits<double>::denorm_min();
    QTest::newRow("too small reads as 0") << u"1e-400"_s << 0.0;
    QTest::newRow("exponent too long for any integer") << u"1e-99999999999999999999"_s << 0.0;
    // 2^53 + 1 lies halfway between two doubles; the even one is taken.
    QTest::newRow("more digits than a double holds") << u"9007199254740993"_s << 9007199254740992.0;
}

void TestNumbers::strictReading()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    const Result<double> number = readStrict(text);
    QVERIFY2(number.ok(), failureMessage(number).constData());
    QCOMPARE(exact(*number), exact(expected));
    QVERIFY(isNumber(text));
}

void TestNumbers::strictReadingFails_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("error");

    const int mismatch = Failure::TypeMismatch;
    QTest::newRow("empty text") << QString() << mismatch;
    QTest::newRow("blanks only") << u"   "_s << mismatch;
    QTest::newRow("letters") << u"abc"_s << mismatch;
    QTest::newRow("point is not the decimal separator") << u"12.5"_s << mismatch;
    QTest::newRow("grouping point") << u"1.234,5"_s << mismatch;
    QTest::newRow("comma alone") << u","_s << mismatch;
    QTest::newRow("two commas") << u"1,2,3"_s << mismatch;
    QTest::newRow("sign alone") << u"-"_s << mismatch;
    QTest::newRow("blank after the sign") << u"- 5"_s << mismatch;
    QTest::newRow("two signs") << u"+-1"_s << mismatch;
    QTest::newRow("blank between digits") << u"1 2"_s << mismatch;
    QTest::newRow("line break is no blank") << u"12\n"_s << mismatch;
    QTest::newRow("non-breaking space is no blank") << u"12\u00a0"_s << mismatch;
    QTest::newRow("letter after the number") << u"7a"_s << mismatch;
    QTest::newRow("exponent without digits") << u"5e"_s << mismatch;
    QTest::newRow("exponent with sign only") << u"5e+"_s << mismatch;
    QTest::newRow("exponent without mantissa") << u"e5"_s << mismatch;
    QTest::newRow("comma only before exponent") << u",e5"_s << mismatch;
    QTest::newRow("comma in the exponent") << u"1E2,5"_s << mismatch;
    QTest::newRow("hexadecimal") << u"0x10"_s << mismatch;
    QTest::newRow("written infinity") << u"Infinito"_s << mismatch;
    QTest::newRow("inf") << u"inf"_s << mismatch;
    QTest::newRow("written NaN") << u"NaN"_s << mismatch;
    QTest::newRow("fullwidth digits") << u"\uff11\uff12"_s << mismatch;

    const int overflow = Failure::Overflow;
    QTest::newRow("too large") << u"1e400"_s << overflow;
    QTest::newRow("too large negative") << u"-1e400"_s << overflow;
    QTest::newRow("just past the largest double") << u"1,7976931348623159E+308"_s << overflow;
    QTest::newRow("largest double to 15 digits") << u"1,79769313486232E+308"_s << overflow;
    QTest::newRow("too many digits") << QString(400, u'9') << overflow;
    QTest::newRow("exponent too long for any integer") << u"1e99999999999999999999"_s << overflow;
}

void TestNumbers::strictReadingFails()
{
    QFETCH(QString, text);
    QFETCH(int, error);
    const Result<double> number = readStrict(text);
    QVERIFY(!number.ok());
    QCOMPARE(number.failure().number, error);
    QVERIFY2(number.failure().detail.contains(text), qPrintable(number.failure().detail));
    QVERIFY(!isNumber(text));
}

void TestNumbers::writing_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("whole number has no comma") << 19.0 << u"19"_s;
    QTest::newRow("decimal comma") << 12.5 << u"12,5"_s;
    QTest::newRow("negative half") << -0.5 << u"-0,5"_s;
    QTest::newRow("zero") << 0.0 << u"0"_s;
    QTest::newRow("negative zero") << -0.0 << u"0"_s;
    QTest::newRow("no grouping") << 1234567.0 << u"1234567"_s;
    QTest::newRow("several decimals") << 1234.5678 << u"1234,5678"_s;

    QTest::newRow("sum of tenths to 15 digits") << 0.1 + 0.2 << u"0,3"_s;
    QTest::newRow("a third to 15 digits") << 1.0 / 3.0 << u"0,333333333333333"_s;
    QTest::newRow("two thirds rounded up") << 2.0 / 3.0 << u"0,666666666666667"_s;
    QTest::newRow("rounding carries to a whole number") << 99999.99999999999 << u"100000"_s;

    QTest::newRow("fifteen integer digits written plainly") << 123456789012345.0 << u"123456789012345"_s;
    QTest::newRow("ten to the fifteenth with exponent") << 1e15 << u"1E+15"_s;
    QTest::newRow("rounding carries into the exponent form") << 999999999999999.75 << u"1E+15"_s;
    QTest::newRow("large with exponent") << 1e20 << u"1E+20"_s;
    QTest::newRow("smallest written plainly") << 0.00001 << u"0,00001"_s;
    QTest::newRow("small negative written plainly") << -0.00001234 << u"-0,00001234"_s;
    QTest::newRow("first small with exponent") << 0.000001 << u"1E-06"_s;
    QTest::newRow("small with exponent") << 1.5e-7 << u"1,5E-07"_s;
    QTest::newRow("three-digit exponent") << 1e100 << u"1E+100"_s;
    QTest::newRow("negative with negative exponent") << -2.5e-100 << u"-2,5E-100"_s;
    // At 15 digits the four largest doubles round beyond the range; they keep the digits that
    // read back to them.
    QTest::newRow("largest double") << std::numeric_limits<double>::max() << u"1,7976931348623157E+308"_s;
    QTest::newRow("negative largest double")
        << -std::numeric_limits<double>::max() << u"-1,7976931348623157E+308"_s;
    QTest::newRow("fourth largest double") << 1.7976931348623151e308 << u"1,7976931348623151E+308"_s;
    QTest::newRow("fifth largest double to 15 digits") << 1.797693134862315e308 << u"1,79769313486231E+308"_s;
    QTest::newRow("smallest subnormal")
        << std::numeric_limits<double>::denorm_min() << u"4,94065645841247E-324"_s;

    QTest::newRow("infinity") << infinity << u"Infinito"_s;
    QTest::newRow("minus infinity") << -infinity << u"-Infinito"_s;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << u"NaN"_s;
}

void TestNumbers::writing()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(writeNumber(value), expected);
}

void TestNumbers::writtenNumberReadsBack_data()
{
    QTest::addColumn<double>("value");

    QTest::newRow("half") << -0.5;
    QTest::newRow("tenth") << 0.1;
    QTest::newRow("fifteen digits") << 123456789012345.0;
    QTest::newRow("large exponent") << 1e20;
    QTest::newRow("small exponent") << 1.5e-7;
    QTest::newRow("three-digit exponent") << -2.5e-100;
    QTest::newRow("smallest subnormal") << std::numeric_limits<double>::denorm_min();
    QTest::newRow("largest double") << std::numeric_limits<double>::max();
    QTest::newRow("negative largest double") << -std::numeric_limits<double>::max();
}

void TestNumbers::writtenNumberReadsBack()
{
    QFETCH(double, value);
    const Result<double> number = readStrict(writeNumber(value));
    QVERIFY2(number.ok(), failureMessage(number).constData());
    QCOMPARE(exact(*number), exact(value));
}

void TestNumbers::ignoresMachineLocale_data()
{
    QTest::addColumn<bool>("commaCLocale");
    QTest::newRow("Qt default locale German") << false;
    QTest::newRow("C library locale with decimal comma too") << true;
}

void TestNumbers::ignoresMachineLocale()
{
    QFETCH(bool, commaCLocale);
    const LocaleGuard guard;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    if (commaCLocale && !LocaleGuard::setCommaLocale())
        QSKIP("No locale with a decimal comma is installed");

    QCOMPARE(exact(*readStrict(u"13,5")), exact(13.5));
    QVERIFY(!isNumber(u"1.234")); // a German grouping point is still no part of a number
    QCOMPARE(exact(readLenient(u"12.5")), exact(12.5));
    QCOMPARE(exact(readLenient(u"13,5")), exact(13.0));
    QCOMPARE(writeNumber(1234567.5), u"1234567,5"_s);
    QCOMPARE(writeNumber(1.5e-7), u"1,5E-07"_s);
    QCOMPARE(applyMask(13.5, u"0.00"), u"13,50"_s);
    QCOMPARE(applyMask(u"1.234"_s, u"0.00"), u"1.234"_s);
    QCOMPARE(Currency::read(u"0,5")->tenThousandths(), 5000);
    QCOMPARE(Currency::fromTenThousandths(165000).write(), u"16,5"_s);
}

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
