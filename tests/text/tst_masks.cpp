#include "text/masks.h"

#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;
using namespace quilvarden::text;

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();

} // namespace

class TestMasks : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void textMask_data();
    void textMask();
    void numberMask_data();
    void numberMask();
    void currencyMask_data();
    void currencyMask();
    void variantMask_data();
    void variantMask();
    void twoStepMask_data();
    void twoStepMask();
    void characterMaskKind_data();
    void characterMaskKind();
    void width_data();
    void width();
};

void TestMasks::textMask_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("expected");

    QTest::newRow("order number right-aligned") << u"7"_s << u"@@"_s << u" 7"_s;
    QTest::newRow("as wide as the mask unchanged") << u"12"_s << u"@@"_s << u"12"_s;
    QTest::newRow("points text right-aligned") << u"19,00"_s << u"@@@@@@"_s << u" 19,00"_s;
    QTest::newRow("club padded to 8, not 9") << u"ABC"_s << u"!@@@@@@@@"_s << u"ABC     "_s;
    QTest::newRow("eight-letter club unchanged") << u"ABCDEFGH"_s << u"!@@@@@@@@"_s << u"ABCDEFGH"_s;
    QTest::newRow("longer club returned whole") << u"NATACIONXY"_s << u"!@@@@@@@@"_s << u"NATACIONXY"_s;
    QTest::newRow("longer event code returned whole") << u"100LIBREM"_s << u"@@@@@@@"_s << u"100LIBREM"_s;
    QTest::newRow("empty text gives blanks") << QString() << u"@@"_s << u"  "_s;
    QTest::newRow("empty text left-aligned gives blanks") << QString() << u"!@@@"_s << u"   "_s;
    QTest::newRow("blanks of the text kept") << u" A "_s << u"@@@@"_s << u"  A "_s;
    QTest::newRow("precomposed accent") << u"Coruña"_s << u"!@@@@@@@@"_s << u"Coruña  "_s;
    QTest::newRow("combining accent takes no place")
        << u"Corun\u0303a"_s << u"!@@@@@@@@"_s << u"Corun\u0303a  "_s;
    QTest::newRow("combining accent right-aligned") << u"e\u0301"_s << u"@@@"_s << u"  e\u0301"_s;
    QTest::newRow("character beyond 16 bits takes one place")
        << u"\U0001F3CA"_s << u"@@"_s << u" \U0001F3CA"_s;
    QTest::newRow("character mask does not read numbers") << u"12.5"_s << u"@@@@@@"_s << u"  12.5"_s;

    QTest::newRow("number text to 0.00") << u"18,5"_s << u"0.00"_s << u"18,50"_s;
    QTest::newRow("blanks around a number text") << u" 7 "_s << u"00"_s << u"07"_s;
    QTest::newRow("number text half rounded up") << u"2,675"_s << u"0.00"_s << u"2,68"_s;
    QTest::newRow("number text with exponent") << u"1,5E+3"_s << u"0"_s << u"1500"_s;
    QTest::newRow("number text rounding to zero has no sign") << u"-0,004"_s << u"0.00"_s << u"0,00"_s;
    QTest::newRow("letters pass a numeric mask") << u"abc"_s << u"0.00"_s << u"abc"_s;
    QTest::newRow("point is not read by a numeric mask") << u"12.5"_s << u"0.00"_s << u"12.5"_s;
    QTest::newRow("empty text passes a numeric mask") << QString() << u"0.00"_s << QString();
    QTest::newRow("text too large passes a numeric mask") << u"1e400"_s << u"0.00"_s << u"1e400"_s;

    QTest::newRow("empty mask leaves the text") << u"abc"_s << QString() << u"abc"_s;
    QTest::newRow("unknown mask leaves the text") << u"12,5"_s << u"#,##"_s << u"12,5"_s;
}

void TestMasks::textMask()
{
    QFETCH(QString, text);
    QFETCH(QString, mask);
    QFETCH(QString, expected);
    QCOMPARE(applyMask(text, mask), expected);
}

void TestMasks::numberMask_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("expected");

    QTest::newRow("position right-aligned") << 1.0 << u"@@@"_s << u"  1"_s;
    QTest::newRow("written with decimal comma") << 12.5 << u"@@@@@@"_s << u"  12,5"_s;
    QTest::newRow("negative written") << -0.5 << u"@@@@"_s << u"-0,5"_s;
    QTest::newRow("left-aligned number") << 19.0 << u"!@@@"_s << u"19 "_s;
    QTest::newRow("longer number returned whole") << 1234567.0 << u"@@"_s << u"1234567"_s;
    QTest::newRow("infinity padded") << infinity << u"@@@@@@@@@@"_s << u"  Infinito"_s;

    QTest::newRow("19 with 0.00") << 19.0 << u"0.00"_s << u"19,00"_s;
    QTest::newRow("13.5 with 0.00") << 13.5 << u"0.00"_s << u"13,50"_s;
    QTest::newRow("9 with 00.00") << 9.0 << u"00.00"_s << u"09,00"_s;
    QTest::newRow("57.5 with 00.00") << 57.5 << u"00.00"_s << u"57,50"_s;
    QTest::newRow("1000 with 00.00") << 1000.0 << u"00.00"_s << u"1000,00"_s;
    QTest::newRow("7 with 00") << 7.0 << u"00"_s << u"07"_s;
    QTest::newRow("123 with 00 keeps every digit") << 123.0 << u"00"_s << u"123"_s;
    QTest::newRow("negative padded after the sign") << -7.0 << u"00"_s << u"-07"_s;
    QTest::newRow("below 1 with .00 begins with the comma") << 0.5 << u".00"_s << u",50"_s;
    QTest::newRow("zero with .00") << 0.0 << u".00"_s << u",00"_s;
    QTest::newRow("zero with 0.00") << 0.0 << u"0.00"_s << u"0,00"_s;
    QTest::newRow("negative below 1 with .00") << -0.5 << u".00"_s << u"-,50"_s;
    QTest::newRow("912.375 with .00") << 912.375 << u".00"_s << u"912,38"_s;
    QTest::newRow("912.5 with 0") << 912.5 << u"0"_s << u"913"_s;
    QTest::newRow("FINA ratio with .00") << 0.0370370 << u".00"_s << u",04"_s;
    QTest::newRow("one decimal") << 5.0 << u".0"_s << u"5,0"_s;

    // The double nearest 2,675 lies just below it; its 15-digit form is the half.
    QTest::newRow("half on 15 digits rounds up") << 2.675 << u"0.00"_s << u"2,68"_s;
    QTest::newRow("half on 15 digits of 1.005") << 1.005 << u"0.00"_s << u"1,01"_s;
    QTest::newRow("exact binary half rounds away, not to even") << 0.125 << u"0.00"_s << u"0,13"_s;
    QTest::newRow("quarter to one decimal") << 0.25 << u".0"_s << u",3"_s;
    QTest::newRow("half to a whole") << 0.5 << u"0"_s << u"1"_s;
    QTest::newRow("below half to a whole") << 0.49 << u"0"_s << u"0"_s;
    QTest::newRow("carry adds an integer digit") << 9.5 << u"0"_s << u"10"_s;
    QTest::newRow("carry through decimals") << 99.995 << u"0.00"_s << u"100,00"_s;
    QTest::newRow("negative half away from zero") << -2.5 << u"0"_s << u"-3"_s;
    QTest::newRow("negative half to a whole") << -0.5 << u"0"_s << u"-1"_s;
    QTest::newRow("negative rounding to zero has no sign") << -0.004 << u"0.00"_s << u"0,00"_s;
    QTest::newRow("negative zero has no sign") << -0.0 << u"0.00"_s << u"0,00"_s;
    QTest::newRow("tiny rounds to zero") << 1.5e-7 << u"0.00"_s << u"0,00"_s;
    QTest::newRow("large number written in full") << 1e20 << u"0.00"_s << u"100000000000000000000,00"_s;
    QTest::newRow("digits past the 15th are not shown")
        << 123456789012345.6 << u"0.00"_s << u"123456789012346,00"_s;
    // Its 15 digits would round beyond the range, so the text could not be read back.
    QTest::newRow("largest double in full")
        << std::numeric_limits<double>::max() << u"0"_s << u"17976931348623157"_s + QString(292, u'0');

    QTest::newRow("infinity with a numeric mask") << infinity << u"0.00"_s << u"Infinito"_s;
    QTest::newRow("minus infinity with a numeric mask") << -infinity << u"00"_s << u"-Infinito"_s;
    QTest::newRow("NaN with a numeric mask")
        << std::numeric_limits<double>::quiet_NaN() << u".00"_s << u"NaN"_s;
    QTest::newRow("empty mask writes the number") << 12.5 << QString() << u"12,5"_s;
}

void TestMasks::numberMask()
{
    QFETCH(double, value);
    QFETCH(QString, mask);
    QFETCH(QString, expected);
    QCOMPARE(applyMask(value, mask), expected);
}

void TestMasks::currencyMask_data()
{
    QTest::addColumn<qint64>("tenThousandths");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("expected");

    QTest::newRow("points with 0.00") << qint64{165000} << u"0.00"_s << u"16,50"_s;
    QTest::newRow("written without mask when padded") << qint64{170000} << u"@@@@@@"_s << u"    17"_s;
    QTest::newRow("zero with 00.00") << qint64{0} << u"00.00"_s << u"00,00"_s;
    QTest::newRow("negative half with .00") << qint64{-5000} << u".00"_s << u"-,50"_s;
    QTest::newRow("half to a whole") << qint64{5000} << u"0"_s << u"1"_s;
    QTest::newRow("negative half to a whole") << qint64{-5000} << u"0"_s << u"-1"_s;
    QTest::newRow("below half to a whole") << qint64{4999} << u"0"_s << u"0"_s;
    QTest::newRow("negative below half has no sign") << qint64{-4999} << u"0"_s << u"0"_s;
    QTest::newRow("exact half of the last decimal") << qint64{12345} << u"0.000"_s << u"1,235"_s;
    QTest::newRow("largest amount") << std::numeric_limits<qint64>::max() << u"0.00"_s
                                    << u"922337203685477,58"_s;
    QTest::newRow("smallest amount rounded")
        << std::numeric_limits<qint64>::min() << u"0"_s << u"-922337203685478"_s;
    QTest::newRow("smallest amount written whole")
        << std::numeric_limits<qint64>::min() << u"@@"_s << u"-922337203685477,5808"_s;
    QTest::newRow("empty mask writes the amount") << qint64{5000} << QString() << u"0,5"_s;
}

void TestMasks::currencyMask()
{
    QFETCH(qint64, tenThousandths);
    QFETCH(QString, mask);
    QFETCH(QString, expected);
    QCOMPARE(applyMask(Currency::fromTenThousandths(tenThousandths), mask), expected);
}

void TestMasks::variantMask_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("expected");

    const QVariant nullNumber(QMetaType::fromType<double>());
    QTest::newRow("invalid is the empty text") << QVariant() << u"@@"_s << u"  "_s;
    QTest::newRow("invalid with a numeric mask") << QVariant() << u"0.00"_s << QString();
    QTest::newRow("database null number is the empty text") << nullNumber << u"@@@"_s << u"   "_s;
    QTest::newRow("database null number with a numeric mask") << nullNumber << u"00.00"_s << QString();
    QTest::newRow("null string") << QVariant(QString()) << u"!@@"_s << u"  "_s;

    QTest::newRow("text stays text") << QVariant(u"7"_s) << u"@@"_s << u" 7"_s;
    QTest::newRow("number text read") << QVariant(u"18,5"_s) << u"0.00"_s << u"18,50"_s;
    QTest::newRow("text with point passes") << QVariant(u"12.5"_s) << u"0.00"_s << u"12.5"_s;
    QTest::newRow("letters pass") << QVariant(u"abc"_s) << u"0.00"_s << u"abc"_s;

    QTest::newRow("double") << QVariant(19.0) << u"0.00"_s << u"19,00"_s;
    QTest::newRow("double written") << QVariant(12.5) << u"@@@@@@"_s << u"  12,5"_s;
    QTest::newRow("float") << QVariant(0.5f) << u".00"_s << u",50"_s;
    QTest::newRow("int") << QVariant(1) << u"@@@"_s << u"  1"_s;
    QTest::newRow("negative int") << QVariant(-7) << u"00"_s << u"-07"_s;
    QTest::newRow("long long") << QVariant(qlonglong{1000}) << u"00.00"_s << u"1000,00"_s;
    QTest::newRow("integer beyond 15 digits kept whole")
        << QVariant(qlonglong{9007199254740993}) << u"0"_s << u"9007199254740993"_s;
    QTest::newRow("smallest long long written whole")
        << QVariant(std::numeric_limits<qlonglong>::min()) << u"@@"_s << u"-9223372036854775808"_s;
    QTest::newRow("largest unsigned")
        << QVariant(std::numeric_limits<qulonglong>::max()) << u"0"_s << u"18446744073709551615"_s;
}

void TestMasks::variantMask()
{
    QFETCH(QVariant, value);
    QFETCH(QString, mask);
    QFETCH(QString, expected);
    QCOMPARE(applyMask(value, mask), expected);
}

// The results list and the standings mask points twice: digits first, then the column.
void TestMasks::twoStepMask_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("numericMask");
    QTest::addColumn<QString>("characterMask");
    QTest::addColumn<QString>("expected");

    QTest::newRow("results line points") << 16.5 << u"0.00"_s << u"@@@@@@"_s << u" 16,50"_s;
    QTest::newRow("results line half point") << 0.5 << u"0.00"_s << u"@@@@@@"_s << u"  0,50"_s;
    QTest::newRow("results line 100 fills the column") << 100.0 << u"0.00"_s << u"@@@@@@"_s << u"100,00"_s;
    QTest::newRow("standing total padded") << 9.0 << u"00.00"_s << u"@@@@@@@@@"_s << u"    09,00"_s;
    QTest::newRow("standing total 1000") << 1000.0 << u"00.00"_s << u"@@@@@@@@@"_s << u"  1000,00"_s;
}

void TestMasks::twoStepMask()
{
    QFETCH(double, value);
    QFETCH(QString, numericMask);
    QFETCH(QString, characterMask);
    QFETCH(QString, expected);
    QCOMPARE(applyMask(applyMask(value, numericMask), characterMask), expected);
}

void TestMasks::characterMaskKind_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<bool>("expected");

    QTest::newRow("@@") << u"@@"_s << true;
    QTest::newRow("single place") << u"@"_s << true;
    QTest::newRow("opened by !") << u"!@@@@@@@@"_s << true;
    QTest::newRow("0.00") << u"0.00"_s << false;
    QTest::newRow("00") << u"00"_s << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("! without places") << u"!"_s << false;
    QTest::newRow("! inside") << u"@!@"_s << false;
    QTest::newRow("two !") << u"!!@"_s << false;
    QTest::newRow("mixed kinds") << u"@@0"_s << false;
}

void TestMasks::characterMaskKind()
{
    QFETCH(QString, mask);
    QFETCH(bool, expected);
    QCOMPARE(isCharacterMask(mask), expected);
}

void TestMasks::width_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("expected");

    QTest::newRow("empty") << QString() << qsizetype{0};
    QTest::newRow("plain letters") << u"ABC"_s << qsizetype{3};
    QTest::newRow("precomposed accent") << u"Coruña"_s << qsizetype{6};
    QTest::newRow("combining accent") << u"Corun\u0303a"_s << qsizetype{6};
    QTest::newRow("two combining marks") << u"e\u0301\u0327"_s << qsizetype{1};
    QTest::newRow("surrogate pair") << u"\U0001F3CAx"_s << qsizetype{2};
    QTest::newRow("combining mark beyond 16 bits") << u"a\U0001D167"_s << qsizetype{1};
    QTest::newRow("lone surrogate") << QString(QChar(0xD83C)) << qsizetype{1};
}

void TestMasks::width()
{
    QFETCH(QString, text);
    QFETCH(qsizetype, expected);
    QCOMPARE(displayWidth(text), expected);
}

QTEST_GUILESS_MAIN(TestMasks)
#include "tst_masks.moc"
