#include "calc/scoring.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace quilvarden;
using namespace quilvarden::calc;

namespace {

// The failure's message, for a check that expected a value; read only when there is one.
template <typename T> QByteArray failureMessage(const Result<T>& result)
{
    return result.ok() ? QByteArray() : result.failure().message().toUtf8();
}

} // namespace

// In the tables below a null step text means "the step field is left as it was", and a null
// order text means "the button does nothing".
class TestScoring : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstPlace_data();
    void firstPlace();
    void nextPlace_data();
    void nextPlace();
    void nextPlaceFails_data();
    void nextPlaceFails();
    void progression_data();
    void progression();
    void halfPoint_data();
    void halfPoint();
    void halfPointLeavesTextAlone_data();
    void halfPointLeavesTextAlone();
    void halfPointOverflows_data();
    void halfPointOverflows();
    void halfPointThereAndBack_data();
    void halfPointThereAndBack();
    void nextOrder_data();
    void nextOrder();
    void previousOrder_data();
    void previousOrder();
};

void TestScoring::firstPlace_data()
{
    QTest::addColumn<QString>("eventCode");
    QTest::addColumn<bool>("relay");
    QTest::addColumn<QString>("points");
    QTest::addColumn<QString>("step");

    QTest::newRow("individual") << u"100L"_s << false << u"19"_s << QString();
    QTest::newRow("X inside") << u"4X50L"_s << true << u"38"_s << u"2"_s;
    QTest::newRow("lower-case x") << u"4x100E"_s << true << u"38"_s << u"2"_s;
    QTest::newRow("X first") << u"X200"_s << true << u"38"_s << u"2"_s;
    QTest::newRow("x last") << u"200Lx"_s << true << u"38"_s << u"2"_s;
    QTest::newRow("empty code is not a relay") << QString() << false << u"19"_s << QString();
    QTest::newRow("letter like X is not X") << u"4\u0425100L"_s << false << u"19"_s << QString();
    QTest::newRow("multiplication sign is not X") << u"4\u00D7100L"_s << false << u"19"_s << QString();
}

void TestScoring::firstPlace()
{
    QFETCH(QString, eventCode);
    QFETCH(bool, relay);
    QFETCH(QString, points);
    QFETCH(QString, step);

    QCOMPARE(isRelay(eventCode), relay);
    const Proposal proposal = calc::firstPlace(eventCode);
    QCOMPARE(proposal.points, points);
    QCOMPARE(proposal.step.has_value(), !step.isNull());
    if (proposal.step)
        QCOMPARE(*proposal.step, step);
}

void TestScoring::nextPlace_data()
{
    QTest::addColumn<QString>("points");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("eventCode");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("newStep");

    const QString individual = u"100L"_s;
    const QString relay = u"4X50L"_s;

    // The fixed steps: the whole text, and the step field is never read.
    QTest::newRow("38 gives 32") << u"38"_s << u"2"_s << relay << u"32"_s << QString();
    QTest::newRow("32 gives 28") << u"32"_s << u"2"_s << relay << u"28"_s << QString();
    QTest::newRow("19 gives 16") << u"19"_s << u"1"_s << individual << u"16"_s << QString();
    QTest::newRow("19 gives 16 whatever the step") << u"19"_s << u"5"_s << individual << u"16"_s << QString();
    QTest::newRow("16 gives 14") << u"16"_s << u"1"_s << individual << u"14"_s << QString();
    QTest::newRow("38 with a step that is no number") << u"38"_s << u"abc"_s << relay << u"32"_s << QString();
    QTest::newRow("19 with an empty step") << u"19"_s << QString() << individual << u"16"_s << QString();
    QTest::newRow("16 with a step that is no number")
        << u"16"_s << u"abc"_s << individual << u"14"_s << QString();
    QTest::newRow("38 on an individual event") << u"38"_s << u"1"_s << individual << u"32"_s << QString();
    QTest::newRow("19 on a relay event") << u"19"_s << u"2"_s << relay << u"16"_s << QString();

    // 14 sets the step for the rest of the event.
    QTest::newRow("14 on a relay gives 12 and step 2") << u"14"_s << u"1"_s << relay << u"12"_s << u"2"_s;
    QTest::newRow("14 with lower-case x gives 12 and step 2")
        << u"14"_s << u"1"_s << u"4x100E"_s << u"12"_s << u"2"_s;
    QTest::newRow("14 individual gives 13 and step 1")
        << u"14"_s << u"2"_s << individual << u"13"_s << u"1"_s;
    QTest::newRow("14 with empty code is not a relay") << u"14"_s << u"2"_s << QString() << u"13"_s << u"1"_s;
    QTest::newRow("14 with a step that is no number")
        << u"14"_s << u"abc"_s << individual << u"13"_s << u"1"_s;

    // Texts that only look like a fixed step go by the general rule.
    QTest::newRow("19,00 is not 19") << u"19,00"_s << u"1"_s << individual << u"18"_s << QString();
    QTest::newRow("blank before 19 is not 19") << u" 19"_s << u"1"_s << individual << u"18"_s << QString();
    QTest::newRow("14 with a blank after sets no step")
        << u"14 "_s << u"2"_s << relay << u"12"_s << QString();
    QTest::newRow("14,0 individual sets no step")
        << u"14,0"_s << u"2"_s << individual << u"12"_s << QString();

    // The general rule: lenient points minus strict step.
    QTest::newRow("13 minus 1") << u"13"_s << u"1"_s << individual << u"12"_s << QString();
    QTest::newRow("28 minus 2") << u"28"_s << u"2"_s << relay << u"26"_s << QString();
    QTest::newRow("1 gives 0") << u"1"_s << u"1"_s << individual << u"0"_s << QString();
    QTest::newRow("0 gives -1") << u"0"_s << u"1"_s << individual << u"-1"_s << QString();
    QTest::newRow("relay 2 gives 0") << u"2"_s << u"2"_s << relay << u"0"_s << QString();
    QTest::newRow("relay 0 gives -2") << u"0"_s << u"2"_s << relay << u"-2"_s << QString();
    QTest::newRow("15,5 drops the half") << u"15,5"_s << u"1"_s << individual << u"14"_s << QString();
    QTest::newRow("37,5 with step 2 gives 35") << u"37,5"_s << u"2"_s << relay << u"35"_s << QString();
    QTest::newRow("12.5 read whole") << u"12.5"_s << u"1"_s << individual << u"11,5"_s << QString();
    QTest::newRow("step 0,5 after 12") << u"12"_s << u"0,5"_s << individual << u"11,5"_s << QString();
    QTest::newRow("quarter step written without trailing zeros")
        << u"13.50"_s << u"0,25"_s << individual << u"13,25"_s << QString();
    QTest::newRow("step with blanks around") << u"12"_s << u" 2 "_s << relay << u"10"_s << QString();
    QTest::newRow("step with an exponent") << u"12"_s << u"1E0"_s << individual << u"11"_s << QString();
    QTest::newRow("empty points read as 0") << QString() << u"1"_s << individual << u"-1"_s << QString();
    QTest::newRow("letters end the points") << u"7a"_s << u"1"_s << individual << u"6"_s << QString();
}

void TestScoring::nextPlace()
{
    QFETCH(QString, points);
    QFETCH(QString, step);
    QFETCH(QString, eventCode);
    QFETCH(QString, expected);
    QFETCH(QString, newStep);

    const auto proposal = calc::nextPlace(points, step, eventCode);
    QVERIFY2(proposal.ok(), failureMessage(proposal).constData());
    QCOMPARE(proposal->points, expected);
    QCOMPARE(proposal->step.has_value(), !newStep.isNull());
    if (proposal->step)
        QCOMPARE(*proposal->step, newStep);
}

void TestScoring::nextPlaceFails_data()
{
    QTest::addColumn<QString>("points");
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("detailNames");

    QTest::newRow("empty step") << u"13"_s << QString() << int{Failure::TypeMismatch} << QString();
    QTest::newRow("step of letters") << u"13"_s << u"abc"_s << int{Failure::TypeMismatch} << u"abc"_s;
    QTest::newRow("step with a point") << u"12"_s << u"0.5"_s << int{Failure::TypeMismatch} << u"0.5"_s;
    QTest::newRow("half points and a bad step")
        << u"15,5"_s << u"uno"_s << int{Failure::TypeMismatch} << u"uno"_s;
    QTest::newRow("step beyond a double") << u"12"_s << u"1e400"_s << int{Failure::Overflow} << u"1e400"_s;
    QTest::newRow("difference beyond a double")
        << u"1e308"_s << u"-1,7e308"_s << int{Failure::Overflow} << u"1e308"_s;
    QTest::newRow("points beyond a double") << u"1e400"_s << u"1"_s << int{Failure::Overflow} << u"1e400"_s;
    QTest::newRow("negative points beyond a double")
        << u"-1e400"_s << u"1"_s << int{Failure::Overflow} << u"-1e400"_s;
}

void TestScoring::nextPlaceFails()
{
    QFETCH(QString, points);
    QFETCH(QString, step);
    QFETCH(int, number);
    QFETCH(QString, detailNames);

    const auto proposal = calc::nextPlace(points, step, u"100L"_s);
    QVERIFY(!proposal.ok());
    QCOMPARE(proposal.failure().number, number);
    QVERIFY2(proposal.failure().detail.contains(detailNames), qPrintable(proposal.failure().detail));
}

// A whole event place by place: each proposal is recorded as it stands, with the step field
// as the earlier places left it.
void TestScoring::progression_data()
{
    QTest::addColumn<QString>("eventCode");
    QTest::addColumn<QString>("stepBefore");     // the step field when the event is loaded
    QTest::addColumn<QString>("stepByOperator"); // typed by the operator after loading; null: none
    QTest::addColumn<QStringList>("points");
    QTest::addColumn<QStringList>("steps"); // the step field after each proposal

    const QStringList individual{u"19"_s, u"16"_s, u"14"_s, u"13"_s, u"12"_s, u"11"_s,
                                 u"10"_s, u"9"_s,  u"8"_s,  u"7"_s,  u"6"_s,  u"5"_s};
    QTest::newRow("individual, step 1 from start-up")
        << u"100L"_s << u"1"_s << QString() << individual
        << QStringList{u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s,
                       u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s};
    QTest::newRow("individual after a relay left step 2")
        << u"100L"_s << u"2"_s << QString() << individual
        << QStringList{u"2"_s, u"2"_s, u"2"_s, u"1"_s, u"1"_s, u"1"_s,
                       u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s};
    QTest::newRow("relay") << u"4X50L"_s << u"1"_s << QString()
                           << QStringList{u"38"_s, u"32"_s, u"28"_s, u"26"_s, u"24"_s, u"22"_s,
                                          u"20"_s, u"18"_s, u"16"_s, u"14"_s, u"12"_s, u"10"_s}
                           << QStringList{u"2"_s, u"2"_s, u"2"_s, u"2"_s, u"2"_s, u"2"_s,
                                          u"2"_s, u"2"_s, u"2"_s, u"2"_s, u"2"_s, u"2"_s};
    QTest::newRow("relay with step 1 set by the operator")
        << u"4x100E"_s << u"1"_s << u"1"_s
        << QStringList{u"38"_s, u"32"_s, u"28"_s, u"27"_s, u"26"_s, u"25"_s, u"24"_s, u"23"_s, u"22"_s,
                       u"21"_s, u"20"_s, u"19"_s, u"16"_s, u"14"_s, u"12"_s, u"10"_s, u"8"_s,  u"6"_s}
        << QStringList{u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s,
                       u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"2"_s, u"2"_s, u"2"_s, u"2"_s};
}

void TestScoring::progression()
{
    QFETCH(QString, eventCode);
    QFETCH(QString, stepBefore);
    QFETCH(QString, stepByOperator);
    QFETCH(QStringList, points);
    QFETCH(QStringList, steps);
    QCOMPARE(steps.size(), points.size());

    const Proposal first = calc::firstPlace(eventCode);
    QString shown = first.points;
    QString step = first.step.value_or(stepBefore);
    if (!stepByOperator.isNull())
        step = stepByOperator;
    QCOMPARE(shown, points.front());
    QCOMPARE(step, steps.front());

    for (qsizetype place = 1; place < points.size(); ++place) {
        const auto proposal = calc::nextPlace(shown, step, eventCode);
        QVERIFY2(proposal.ok(), failureMessage(proposal).constData());
        shown = proposal->points;
        if (proposal->step)
            step = *proposal->step;
        QCOMPARE(shown, points.at(place));
        QCOMPARE(step, steps.at(place));
    }
}

void TestScoring::halfPoint_data()
{
    QTest::addColumn<QString>("points");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("expected");

    QTest::newRow("16 plus a half") << u"16"_s << 1 << u"16,5"_s;
    QTest::newRow("16,5 plus a half is 17, not 17,0") << u"16,5"_s << 1 << u"17"_s;
    QTest::newRow("0 minus a half") << u"0"_s << -1 << u"-0,5"_s;
    QTest::newRow("0,5 minus a half is 0") << u"0,5"_s << -1 << u"0"_s;
    QTest::newRow("-0,5 plus a half is 0 without sign") << u"-0,5"_s << 1 << u"0"_s;
    QTest::newRow("13,25 plus a half") << u"13,25"_s << 1 << u"13,75"_s;
    QTest::newRow("quarter minus a half") << u"0,25"_s << -1 << u"-0,25"_s;
    QTest::newRow("19,00 loses its zeros") << u"19,00"_s << 1 << u"19,5"_s;
    QTest::newRow("blanks around") << u" 16 "_s << -1 << u"15,5"_s;
    QTest::newRow("exponent") << u"1,6E1"_s << 1 << u"16,5"_s;
    QTest::newRow("more than four decimals rounded to four") << u"13,33333"_s << 1 << u"13,8333"_s;
    QTest::newRow("exact near the top of the range")
        << u"922337203685476,25"_s << 1 << u"922337203685476,75"_s;
}

void TestScoring::halfPoint()
{
    QFETCH(QString, points);
    QFETCH(int, direction);
    QFETCH(QString, expected);

    const auto result = calc::halfPoint(points, direction);
    QVERIFY(result.has_value());
    QVERIFY2(result->ok(), failureMessage(*result).constData());
    QCOMPARE(result->value(), expected);
}

void TestScoring::halfPointLeavesTextAlone_data()
{
    QTest::addColumn<QString>("points");
    QTest::addColumn<int>("direction");

    QTest::newRow("empty plus") << QString() << 1;
    QTest::newRow("empty minus") << QString() << -1;
    QTest::newRow("abc plus") << u"abc"_s << 1;
    QTest::newRow("abc minus") << u"abc"_s << -1;
    QTest::newRow("decimal point is no number") << u"12.5"_s << 1;
    QTest::newRow("number followed by letters") << u"16 puntos"_s << -1;
    QTest::newRow("beyond a double is no number") << u"1e400"_s << 1;
}

void TestScoring::halfPointLeavesTextAlone()
{
    QFETCH(QString, points);
    QFETCH(int, direction);
    QVERIFY(!calc::halfPoint(points, direction).has_value());
}

void TestScoring::halfPointOverflows_data()
{
    QTest::addColumn<QString>("points");
    QTest::addColumn<int>("direction");

    QTest::newRow("1e20 plus") << u"1e20"_s << 1;
    QTest::newRow("1e20 minus") << u"1e20"_s << -1;
    QTest::newRow("-1e20 plus") << u"-1e20"_s << 1;
    QTest::newRow("largest amount plus") << u"922337203685477,5807"_s << 1;
    QTest::newRow("smallest amount minus") << u"-922337203685477,5808"_s << -1;
}

void TestScoring::halfPointOverflows()
{
    QFETCH(QString, points);
    QFETCH(int, direction);

    const auto result = calc::halfPoint(points, direction);
    QVERIFY(result.has_value());
    QVERIFY(!result->ok());
    QCOMPARE(result->failure().number, int{Failure::Overflow});
}

// "+ 0,5" and then "- 0,5" (or the other way round) give back the number, not the text.
void TestScoring::halfPointThereAndBack_data()
{
    QTest::addColumn<QString>("points");
    QTest::addColumn<QString>("expected");

    QTest::newRow("19,00 comes back as 19") << u"19,00"_s << u"19"_s;
    QTest::newRow("16,50 comes back as 16,5") << u"16,50"_s << u"16,5"_s;
    QTest::newRow("0 through -0,5") << u"0"_s << u"0"_s;
    QTest::newRow("13,25") << u"13,25"_s << u"13,25"_s;
}

void TestScoring::halfPointThereAndBack()
{
    QFETCH(QString, points);
    QFETCH(QString, expected);

    for (const int first : {1, -1}) {
        const auto there = calc::halfPoint(points, first);
        QVERIFY(there.has_value() && there->ok());
        const auto back = calc::halfPoint(there->value(), -first);
        QVERIFY(back.has_value() && back->ok());
        QCOMPARE(back->value(), expected);
    }
}

void TestScoring::nextOrder_data()
{
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("expected");

    QTest::newRow("07 gives 08") << u"07"_s << u"08"_s;
    QTest::newRow("7 gives 08") << u"7"_s << u"08"_s;
    QTest::newRow("00 gives 01") << u"00"_s << u"01"_s;
    QTest::newRow("99 gives 100") << u"99"_s << u"100"_s;
    QTest::newRow("1,5 gives 02") << u"1,5"_s << u"02"_s;
    QTest::newRow("0,5 gives 01") << u"0,5"_s << u"01"_s;
    QTest::newRow("-5 gives -04") << u"-5"_s << u"-04"_s;
    QTest::newRow("-1 gives 00") << u"-1"_s << u"00"_s;
    QTest::newRow("blanks around") << u" 7 "_s << u"08"_s;

    QTest::newRow("empty does nothing") << QString() << QString();
    QTest::newRow("abc does nothing") << u"abc"_s << QString();
    QTest::newRow("7a does nothing") << u"7a"_s << QString();
    QTest::newRow("decimal point does nothing") << u"1.5"_s << QString();
}

void TestScoring::nextOrder()
{
    QFETCH(QString, order);
    QFETCH(QString, expected);

    const auto result = calc::nextOrder(order);
    QCOMPARE(result.has_value(), !expected.isNull());
    if (result)
        QCOMPARE(*result, expected);
}

void TestScoring::previousOrder_data()
{
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("expected");

    QTest::newRow("02 gives 01") << u"02"_s << u"01"_s;
    QTest::newRow("10 gives 09") << u"10"_s << u"09"_s;
    QTest::newRow("100 gives 99") << u"100"_s << u"99"_s;
    QTest::newRow("1,5 gives 00") << u"1,5"_s << u"00"_s;
    QTest::newRow("2,5 gives 01") << u"2,5"_s << u"01"_s;

    QTest::newRow("01 does nothing") << u"01"_s << QString();
    QTest::newRow("1 does nothing") << u"1"_s << QString();
    QTest::newRow("00 does nothing") << u"00"_s << QString();
    QTest::newRow("0,5 does nothing") << u"0,5"_s << QString();
    QTest::newRow("1,0 does nothing") << u"1,0"_s << QString();
    QTest::newRow("-5 does nothing") << u"-5"_s << QString();
    QTest::newRow("empty does nothing") << QString() << QString();
    QTest::newRow("abc does nothing") << u"abc"_s << QString();
    QTest::newRow("decimal point does nothing") << u"2.5"_s << QString();
}

void TestScoring::previousOrder()
{
    QFETCH(QString, order);
    QFETCH(QString, expected);

    const auto result = calc::previousOrder(order);
    QCOMPARE(result.has_value(), !expected.isNull());
    if (result)
        QCOMPARE(*result, expected);
}

QTEST_GUILESS_MAIN(TestScoring)
#include "tst_scoring.moc"
