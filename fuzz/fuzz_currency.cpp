// Fixed-point amounts (four decimals in a signed 64-bit count of ten-thousandths).
//
// The whole input, and its two parts around the first line break, are read as amounts
// (UTF-8, and the whole input as raw UTF-16 too); the first sixteen bytes also give two
// counts of ten-thousandths directly. Properties:
//  - Currency::read fails only with the type-mismatch error (13), exactly when readStrict
//    does too, or with the overflow error (6), only for a number at least as large as the
//    range's ends; an amount it reads is the strict reading rounded to four decimals;
//  - an amount is written as a sign, integer digits without needless zeros and up to four
//    decimals without trailing zeros, the same text 128-bit integer arithmetic gives, and
//    reads back exactly;
//  - plus and minus give the 128-bit result when it lies in the range and the overflow
//    error (6) when it does not, never a wrapped amount.

#include "fuzzing.h"
#include "text/currency.h"
#include "text/numbers.h"

#include <cmath>
#include <limits>
#include <optional>

using namespace quilvarden;
using namespace quilvarden::fuzz;
using namespace quilvarden::text;

namespace {

// The written amount from integer arithmetic alone.
QString expectedText(std::int64_t units)
{
    UInt128 magnitude = magnitudeOf(units);
    QString digits;
    for (int i = 0; i < 5 || magnitude != 0; ++i) {
        digits.prepend(QChar(u'0' + static_cast<char16_t>(magnitude % 10)));
        magnitude /= 10;
    }
    QString integer = digits.first(digits.size() - 4);
    QString decimals = digits.last(4);
    while (decimals.endsWith(u'0'))
        decimals.chop(1);
    QString text = units < 0 ? QStringLiteral("-") : QString();
    text += integer;
    if (!decimals.isEmpty())
        text += u',' + decimals;
    return text;
}

void checkAmount(Currency amount)
{
    const QString written = amount.write();
    const QByteArray where = QByteArray::number(amount.tenThousandths()) + " written " + shown(written);
    FUZZ_CHECK(written == expectedText(amount.tenThousandths()),
               where + ", expected " + shown(expectedText(amount.tenThousandths())));
    const Result<Currency> back = Currency::read(written);
    FUZZ_CHECK(back.ok(), where + " does not read back: " + back.failure().message().toUtf8());
    FUZZ_CHECK(*back == amount, where + " reads back as " + QByteArray::number(back->tenThousandths()));
}

std::optional<Currency> checkReading(const QString& text)
{
    const Result<Currency> amount = Currency::read(text);
    const Result<double> number = readStrict(text);
    const QByteArray where = shown(text);

    const bool notANumber = !number.ok() && number.failure().number == Failure::TypeMismatch;
    if (!amount.ok()) {
        const int error = amount.failure().number;
        FUZZ_CHECK(error == Failure::TypeMismatch || error == Failure::Overflow, where);
        FUZZ_CHECK((error == Failure::TypeMismatch) == notANumber, where);
        // The range ends at ±922337203685477,5808; a double read from beyond rounds no lower
        // than 922337203685477,5 (doubles there are an eighth apart).
        if (error == Failure::Overflow && number.ok())
            FUZZ_CHECK(std::fabs(*number) >= 922337203685477.5, where + " is within the range");
        return std::nullopt;
    }

    FUZZ_CHECK(number.ok(), where + " is an amount but no number: " + number.failure().message().toUtf8());
    // Rounded to four decimals, plus what the double itself may be off by.
    const long double exact = static_cast<long double>(amount->tenThousandths()) / 10000.0L;
    const long double tolerance =
        0.00005L * (1 + 1e-9L) + 1e-15L * std::fabs(static_cast<long double>(*number));
    FUZZ_CHECK(std::fabs(exact - static_cast<long double>(*number)) <= tolerance,
               where + " read as " + QByteArray::number(amount->tenThousandths()) +
                   " ten-thousandths, as a number " + shown(*number));
    checkAmount(*amount);
    return *amount;
}

void checkArithmetic(Currency a, Currency b)
{
    const Int128 x = a.tenThousandths();
    const Int128 y = b.tenThousandths();
    const auto inRange = [](Int128 value) {
        return value >= std::numeric_limits<std::int64_t>::min() &&
               value <= std::numeric_limits<std::int64_t>::max();
    };
    const QByteArray where =
        QByteArray::number(a.tenThousandths()) + " and " + QByteArray::number(b.tenThousandths());

    const Result<Currency> sum = a.plus(b);
    if (inRange(x + y)) {
        FUZZ_CHECK(sum.ok() && sum->tenThousandths() == x + y, where + " added");
        checkAmount(*sum);
    } else {
        FUZZ_CHECK(!sum.ok() && sum.failure().number == Failure::Overflow, where + " added wraps");
    }

    const Result<Currency> difference = a.minus(b);
    if (inRange(x - y)) {
        FUZZ_CHECK(difference.ok() && difference->tenThousandths() == x - y, where + " subtracted");
        checkAmount(*difference);
    } else {
        FUZZ_CHECK(!difference.ok() && difference.failure().number == Failure::Overflow,
                   where + " subtracted wraps");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Bytes bytes(data, size);

    checkReading(fromUtf16(bytes));
    checkReading(fromUtf8(bytes));

    // "first\nsecond": two amounts to add and subtract.
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const qsizetype lineBreak = input.indexOf('\n'); lineBreak >= 0) {
        const auto first = checkReading(QString::fromUtf8(input.first(lineBreak)));
        const auto second = checkReading(QString::fromUtf8(input.sliced(lineBreak + 1)));
        if (first && second)
            checkArithmetic(*first, *second);
    }

    if (size >= 16) {
        const auto a = Currency::fromTenThousandths(fromRaw<std::int64_t>(bytes.first(8)));
        const auto b = Currency::fromTenThousandths(fromRaw<std::int64_t>(bytes.subspan(8, 8)));
        checkAmount(a);
        checkAmount(b);
        checkArithmetic(a, b);
    }
    return 0;
}
