// Reading and writing numbers by the program's rules.
//
// The input is read as a text twice, as UTF-8 and as raw UTF-16. For each text:
//  - isNumber agrees with readStrict;
//  - readStrict accepts exactly the strict form (a regular expression here) and gives the
//    value the C library gives for it, failing with the overflow error (6) beyond the range
//    of a double and with the type-mismatch error (13) for anything else;
//  - readLenient gives the value the C library gives for the leading number once the blanks
//    are taken out, never NaN.
// Numbers are then written back: the first eight bytes as a double, and whatever the two
// readings gave. A written number has only digits, one decimal comma, an upper-case
// exponent and a sign; readStrict reads it back to the number within the 15 significant
// digits it was written with, and writing that again gives the same text.

#include "fuzzing.h"
#include "reference.h"
#include "text/numbers.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

using namespace quilvarden;
using namespace quilvarden::fuzz;
using namespace quilvarden::text;

namespace {

void checkReading(const QString& text)
{
    const Result<double> strict = readStrict(text);
    FUZZ_CHECK(isNumber(text) == strict.ok(), shown(text));

    const auto reference = referenceStrict(text);
    if (!reference) {
        FUZZ_CHECK(!strict.ok() && strict.failure().number == Failure::TypeMismatch, shown(text));
    } else if (reference->overflow) {
        FUZZ_CHECK(!strict.ok() && strict.failure().number == Failure::Overflow, shown(text));
    } else {
        FUZZ_CHECK(strict.ok(), shown(text) + " failed: " + strict.failure().message().toUtf8());
        FUZZ_CHECK(sameNumber(*strict, reference->value),
                   shown(text) + " read " + shown(*strict) + ", expected " + shown(reference->value));
    }
    if (!strict.ok())
        FUZZ_CHECK(strict.failure().detail.contains(text), shown(text) + " not named in the failure");

    const double lenient = readLenient(text);
    const double expected = referenceLenient(text);
    FUZZ_CHECK(!std::isnan(lenient), shown(text));
    FUZZ_CHECK(sameNumber(lenient, expected),
               shown(text) + " read leniently " + shown(lenient) + ", expected " + shown(expected));
}

void checkWriting(double value)
{
    const QString written = writeNumber(value);
    if (std::isnan(value)) {
        FUZZ_CHECK(written == u"NaN", shown(written));
        FUZZ_CHECK(!isNumber(written), shown(written));
        return;
    }
    if (std::isinf(value)) {
        FUZZ_CHECK(written == (value > 0 ? u"Infinito" : u"-Infinito"), shown(written));
        FUZZ_CHECK(!isNumber(written), shown(written));
        return;
    }

    const QByteArray context = shown(value) + " written " + shown(written);
    if (value == 0) {
        FUZZ_CHECK(written == u"0", context); // negative zero included
        return;
    }

    // Sign, integer digits, decimals, exponent: nothing else, in particular no point, no
    // grouping and no lower-case "e".
    static const QRegularExpression form =
        whole(QStringLiteral("(-?)([0-9]+)(?:,([0-9]+))?(?:E([+-])([0-9]{2,}))?"));
    const auto match = form.match(written);
    FUZZ_CHECK(match.hasMatch(), context);
    FUZZ_CHECK((match.capturedLength(1) == 1) == (value < 0), context);
    const QStringView integer = match.capturedView(2);
    const QStringView decimals = match.capturedView(3);
    const bool exponentForm = match.capturedLength(4) > 0;
    FUZZ_CHECK(!decimals.endsWith(u'0'), context);
    FUZZ_CHECK(integer.size() == 1 || !integer.startsWith(u'0'), context);
    if (exponentForm)
        FUZZ_CHECK(integer.size() == 1 && integer != u"0", context);
    if (exponentForm && match.capturedView(5).size() > 2)
        FUZZ_CHECK(!match.capturedView(5).startsWith(u'0'), context);

    // At most 15 significant digits; only the few largest doubles, whose 15 digits round
    // beyond the range, need all 17.
    QString digits = integer.toString() + decimals.toString();
    while (digits.startsWith(u'0'))
        digits.remove(0, 1);
    if (std::fabs(value) < 1.7976931348623e308)
        FUZZ_CHECK(digits.size() <= 15, context);
    else
        FUZZ_CHECK(digits.size() <= 17, context);

    // Read back, it is the number to within its 15 digits.
    const Result<double> back = readStrict(written);
    FUZZ_CHECK(back.ok(), context + " does not read back: " + back.failure().message().toUtf8());
    const long double tolerance =
        1e-14L * std::fabs(static_cast<long double>(value)) + std::numeric_limits<double>::denorm_min();
    FUZZ_CHECK(distance(*back, value) <= tolerance, context + " reads back as " + shown(*back));
    FUZZ_CHECK(writeNumber(*back) == written, context + " rewritten " + shown(writeNumber(*back)));

    // Plain from 0,00001 up to fifteen integer digits, with an exponent outside.
    const double magnitude = std::fabs(*back);
    FUZZ_CHECK(exponentForm == (magnitude < 1e-5 || magnitude >= 1e15), context);

    // The opposite number is written with the sign changed and nothing else.
    const QString opposite = writeNumber(-value);
    FUZZ_CHECK(value < 0 ? u'-' + opposite == written : opposite == u'-' + written,
               context + ", its opposite " + shown(opposite));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Bytes bytes(data, size);

    const QString texts[] = {fromUtf8(bytes), fromUtf16(bytes)};
    for (const QString& text : texts) {
        checkReading(text);
        if (const auto strict = readStrict(text))
            checkWriting(*strict);
        checkWriting(readLenient(text));
    }
    if (size >= 8)
        checkWriting(fromRaw<double>(bytes));
    return 0;
}
