// Masks, and the results and standings lines built with them.
//
// Input: "mask\nvalue" (UTF-8), or, without a line break, a first byte that picks one of the
// masks the program uses followed by the value. The value is used as a text (UTF-8 and raw
// UTF-16), as the number it reads as, as eight raw bytes taken for a double, a whole number
// and an amount, and, split at "|", as the pieces of a results line and a standing.
//
// Properties:
//  - a character mask ("@" places, optionally opened by "!") never gives back fewer places
//    or fewer characters than it has; a narrower text comes back unchanged with blanks on
//    the side the mask says, to exactly the mask's places; a wider one comes back unchanged;
//  - a numeric mask ("0" places and at most one ".") on a number gives a sign, at least as
//    many integer digits as the mask asks (no needless leading zero beyond them), a comma
//    and exactly the mask's decimals; the text reads back within half a unit of its last
//    place (allowing for the 15 digits the number is rounded to first); it is the same as
//    the mask on the number's written text; "-" only on what does not round to zero;
//  - on whole numbers and amounts, which are exact, the numeric mask's text is checked digit
//    by digit against 128-bit integer arithmetic;
//  - a numeric mask on a text that is not a number gives the text back unchanged;
//  - a Null value is the empty text; values in a QVariant are masked as they are outside it;
//  - the lines never come out narrower than their columns.

#include "fuzzing.h"
#include "text/currency.h"
#include "text/lines.h"
#include "text/masks.h"
#include "text/numbers.h"

#include <QRegularExpression>
#include <QVariant>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>

using namespace quilvarden;
using namespace quilvarden::fuzz;
using namespace quilvarden::text;

namespace {

// The masks the results list and the standings use.
constexpr std::array<const char16_t*, 11> programMasks = {
    u"@@", u"@@@", u"@@@@@@", u"@@@@@@@", u"@@@@@@@@@", u"!@@@@@@@@", u"0.00", u"00.00", u"00", u".00", u"0",
};

struct Places {
    qsizetype count = 0;
    bool leftAligned = false;
};

std::optional<Places> characterPlaces(QStringView mask)
{
    static const QRegularExpression form = whole(QStringLiteral("(!?)(@+)"));
    const auto match = form.match(asciiOnly(mask));
    if (!match.hasMatch())
        return std::nullopt;
    return Places{match.capturedLength(2), match.capturedLength(1) == 1};
}

struct Digits {
    qsizetype integer = 0;
    bool point = false;
    qsizetype decimals = 0;
};

std::optional<Digits> numericPlaces(QStringView mask)
{
    static const QRegularExpression form = whole(QStringLiteral("(0*)(?:(\\.)(0*))?"));
    if (mask.isEmpty())
        return std::nullopt;
    const auto match = form.match(asciiOnly(mask));
    if (!match.hasMatch())
        return std::nullopt;
    return Digits{match.capturedLength(1), match.capturedLength(2) == 1, match.capturedLength(3)};
}

QByteArray context(QStringView mask, QStringView value, QStringView out)
{
    return "mask " + shown(mask) + ", value " + shown(value) + ", gave " + shown(out);
}

void checkWidth(const QString& text)
{
    const qsizetype width = displayWidth(text);
    FUZZ_CHECK(width >= 0 && width <= text.size(), shown(text));
    // A pair of surrogates split across the join would count differently; otherwise widths add.
    if (text.isEmpty() || !(text.front().isLowSurrogate() && text.back().isHighSurrogate()))
        FUZZ_CHECK(displayWidth(QString(text + text)) == 2 * width, shown(text));
}

void checkCharacterMask(const QString& value, QStringView mask, Places places)
{
    const QString out = applyMask(value, mask);
    const QByteArray where = context(mask, value, out);
    FUZZ_CHECK(displayWidth(out) >= places.count, where);
    FUZZ_CHECK(out.size() >= places.count, where);

    const qsizetype width = displayWidth(value);
    if (width >= places.count) {
        FUZZ_CHECK(out == value, where);
        return;
    }
    FUZZ_CHECK(displayWidth(out) == places.count, where);
    const QString blanks(places.count - width, u' ');
    FUZZ_CHECK(out == (places.leftAligned ? value + blanks : blanks + value), where);
}

// The numeric mask's text: its parts, and that it reads back close to the value.
void checkNumericText(const QString& out, double value, Digits digits, QStringView mask)
{
    const QByteArray where = "mask " + shown(mask) + ", value " + shown(value) + ", gave " + shown(out);
    static const QRegularExpression form = whole(QStringLiteral("(-?)([0-9]*)(?:(,)([0-9]*))?"));
    const auto match = form.match(out);
    FUZZ_CHECK(match.hasMatch(), where);
    const QStringView integer = match.capturedView(2);
    FUZZ_CHECK((match.capturedLength(3) == 1) == digits.point, where);
    FUZZ_CHECK(match.capturedLength(4) == digits.decimals, where);
    FUZZ_CHECK(integer.size() >= digits.integer, where);
    if (integer.size() > digits.integer)
        FUZZ_CHECK(!integer.startsWith(u'0'), where);

    const bool anyDigit = !integer.isEmpty() || digits.decimals > 0;
    const bool nonZero =
        std::any_of(out.cbegin(), out.cend(), [](QChar c) { return c >= u'1' && c <= u'9'; });
    FUZZ_CHECK((match.capturedLength(1) == 1) == (value < 0 && nonZero), where);

    const long double halfUnit = unitOfPlace(digits.decimals) / 2 * (1 + 1e-12L);
    const long double fifteenDigits = 1e-14L * std::fabs(static_cast<long double>(value));
    if (!anyDigit) {
        // Only "." masks a number that rounds to a whole zero this way.
        FUZZ_CHECK(std::fabs(static_cast<long double>(value)) <= halfUnit + fifteenDigits, where);
        return;
    }
    const Result<double> back = readStrict(out);
    FUZZ_CHECK(back.ok(), where + " does not read back: " + back.failure().message().toUtf8());
    FUZZ_CHECK(distance(*back, value) <= halfUnit + fifteenDigits, where + " reads back as " + shown(*back));
}

// What a numeric mask must give for magnitude × 10^-scale, exactly: rounded to the mask's
// decimals with halves away from zero, the integer part padded with zeros to the mask's
// integer places (none at all when it is zero and the mask has none), the decimals after a
// comma, and "-" only on what does not round to zero.
QString exactNumericText(bool negative, UInt128 magnitude, int scale, Digits digits)
{
    const auto power = [](qsizetype exponent) {
        UInt128 result = 1;
        for (qsizetype i = 0; i < exponent; ++i)
            result *= 10;
        return result;
    };
    const auto decimalText = [](UInt128 number) {
        QString text;
        do {
            text.prepend(QChar(u'0' + static_cast<char16_t>(number % 10)));
            number /= 10;
        } while (number != 0);
        return text;
    };

    // Keep at most `scale` decimals: more are only zeros.
    const qsizetype kept = std::min<qsizetype>(digits.decimals, scale);
    UInt128 rounded = magnitude;
    if (kept < scale) {
        const UInt128 divisor = power(scale - kept);
        rounded = (magnitude + divisor / 2) / divisor;
    }
    const UInt128 integerPart = rounded / power(kept);
    const UInt128 decimalPart = rounded % power(kept);

    QString text;
    if (negative && rounded != 0)
        text += u'-';
    QString integer = integerPart == 0 ? QString() : decimalText(integerPart);
    if (integer.size() < digits.integer)
        integer.prepend(QString(digits.integer - integer.size(), u'0'));
    text += integer;
    if (digits.point) {
        text += u',';
        if (kept > 0) {
            const QString decimals = decimalText(decimalPart);
            text += QString(kept - decimals.size(), u'0') + decimals;
        }
        text += QString(digits.decimals - kept, u'0');
    }
    return text;
}

void checkMask(QStringView mask, Bytes valueBytes)
{
    const QString value = fromUtf8(valueBytes);
    const auto places = characterPlaces(mask);
    const auto digits = numericPlaces(mask);
    FUZZ_CHECK(isCharacterMask(mask) == places.has_value(), shown(mask));

    // Null is the empty text, whatever type the column has.
    FUZZ_CHECK(applyMask(QVariant(), mask) == applyMask(QString(), mask), shown(mask));
    FUZZ_CHECK(applyMask(QVariant(QMetaType::fromType<double>()), mask) == applyMask(QString(), mask),
               shown(mask));

    // Texts.
    for (const QString& text : {value, fromUtf16(valueBytes)}) {
        checkWidth(text);
        const QString out = applyMask(text, mask);
        FUZZ_CHECK(applyMask(QVariant(text), mask) == out, context(mask, text, out));
        if (places) {
            checkCharacterMask(text, mask, *places);
        } else if (digits) {
            const Result<double> number = readStrict(text);
            FUZZ_CHECK(out == (number ? applyMask(*number, mask) : text), context(mask, text, out));
        }
    }

    // Numbers: the one the text reads as, and eight raw bytes taken for a double.
    std::array<double, 3> numbers{readLenient(value), 0, 0};
    std::size_t numberCount = 1;
    if (const auto number = readStrict(value))
        numbers[numberCount++] = *number;
    if (valueBytes.size() >= 8)
        numbers[numberCount++] = fromRaw<double>(valueBytes.first(8));
    for (std::size_t i = 0; i < numberCount; ++i) {
        const double number = numbers[i];
        const QString out = applyMask(number, mask);
        FUZZ_CHECK(applyMask(QVariant(number), mask) == out, shown(mask) + ", " + shown(number));
        const QString written = writeNumber(number);
        if (places) {
            FUZZ_CHECK(out == applyMask(written, mask),
                       shown(mask) + ", " + shown(number) + " gave " + shown(out));
        } else if (digits && std::isfinite(number)) {
            checkNumericText(out, number, *digits, mask);
            FUZZ_CHECK(out == applyMask(written, mask), shown(mask) + ", " + shown(number) + " gave " +
                                                            shown(out) + ", its text " +
                                                            shown(applyMask(written, mask)));
        } else if (digits) {
            FUZZ_CHECK(out == written, shown(mask) + ", " + shown(number) + " gave " + shown(out));
        }
    }

    // Whole numbers and amounts, exact.
    if (valueBytes.size() < 8)
        return;
    const auto whole = fromRaw<qint64>(valueBytes.first(8));
    const auto unsignedWhole = fromRaw<quint64>(valueBytes.first(8));
    const auto amount = Currency::fromTenThousandths(whole);
    const bool negative = whole < 0;
    const auto magnitude = magnitudeOf(whole);

    struct Whole {
        QVariant variant;
        bool negative;
        UInt128 magnitude;
    };
    const auto narrow = static_cast<int>(whole);
    const Whole wholes[] = {
        {QVariant(whole), negative, magnitude},
        {QVariant(unsignedWhole), false, unsignedWhole},
        {QVariant(narrow), narrow < 0, magnitudeOf(narrow)},
    };
    for (const Whole& number : wholes) {
        const QString out = applyMask(number.variant, mask);
        const QByteArray where = "mask " + shown(mask) + ", whole number " +
                                 number.variant.toString().toUtf8() + " gave " + shown(out);
        if (places) {
            FUZZ_CHECK(out == applyMask(number.variant.toString(), mask), where);
        } else if (digits) {
            const QString expected = exactNumericText(number.negative, number.magnitude, 0, *digits);
            FUZZ_CHECK(out == expected, where + ", expected " + shown(expected));
        }
    }

    const QString out = applyMask(amount, mask);
    const QByteArray where =
        "mask " + shown(mask) + ", amount " + QByteArray::number(whole) + " gave " + shown(out);
    if (places) {
        FUZZ_CHECK(out == applyMask(amount.write(), mask), where);
    } else if (digits) {
        const QString expected = exactNumericText(negative, magnitude, 4, *digits);
        FUZZ_CHECK(out == expected, where + ", expected " + shown(expected));
    }
}

// The pieces of a line: order|event|gender|club|points (or position|club|total).
void checkLines(const QString& value)
{
    const QStringList pieces = value.split(u'|');
    const auto piece = [&](qsizetype i) { return i < pieces.size() ? pieces[i] : QString(); };
    // A piece that reads as a number comes as the database would give it, a number.
    const auto asValue = [](const QString& text) {
        if (text.isEmpty())
            return QVariant();
        const Result<double> number = readStrict(text);
        return number ? QVariant(*number) : QVariant(text);
    };

    const QString results = resultsLine(asValue(piece(0)), QVariant(piece(1)), QVariant(piece(2)),
                                        QVariant(piece(3)), asValue(piece(4)));
    FUZZ_CHECK(displayWidth(results) >= 2 + 1 + 7 + 1 + 8 + 6, shown(value) + " gave " + shown(results));
    const QString asTexts = resultsLine(QVariant(piece(0)), QVariant(piece(1)), QVariant(piece(2)),
                                        QVariant(piece(3)), QVariant(piece(4)));
    FUZZ_CHECK(displayWidth(asTexts) >= 25, shown(value) + " gave " + shown(asTexts));

    const double position = readLenient(piece(0));
    const qint64 place =
        std::isfinite(position) && std::fabs(position) < 1e18 ? static_cast<qint64>(position) : 0;
    const QString standing = standingsLine(place, asValue(piece(1)), asValue(piece(2)));
    FUZZ_CHECK(displayWidth(standing) >= 3 + 2 + 8 + 9, shown(value) + " gave " + shown(standing));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const Bytes bytes(data, size);

    QString mask;
    Bytes valueBytes;
    if (const void* lineBreak = std::memchr(data, '\n', size)) {
        const auto maskSize = static_cast<std::size_t>(static_cast<const std::uint8_t*>(lineBreak) - data);
        mask = fromUtf8(bytes.first(maskSize));
        valueBytes = bytes.subspan(maskSize + 1);
    } else {
        mask = QString::fromUtf16(programMasks[data[0] % programMasks.size()]);
        valueBytes = bytes.subspan(1);
    }
    checkMask(mask, valueBytes);
    checkLines(fromUtf8(valueBytes));
    return 0;
}
