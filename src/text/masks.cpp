#include "masks.h"

#include "decimal.h"
#include "numbers.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace quilvarden::text {

namespace {

using detail::Decimal;

struct CharacterMask {
    qsizetype places = 0;
    bool leftAligned = false;
};

struct NumericMask {
    qsizetype integerPlaces = 0;
    bool hasPoint = false;
    qsizetype decimals = 0;
};

// "@" places, optionally opened by "!"; at least one place.
std::optional<CharacterMask> characterMask(QStringView mask)
{
    CharacterMask result;
    if (mask.startsWith(u'!')) {
        result.leftAligned = true;
        mask = mask.sliced(1);
    }
    if (mask.isEmpty())
        return std::nullopt;
    for (const QChar c : mask) {
        if (c != u'@')
            return std::nullopt;
    }
    result.places = mask.size();
    return result;
}

// "0" places and at most one ".".
std::optional<NumericMask> numericMask(QStringView mask)
{
    if (mask.isEmpty())
        return std::nullopt;
    NumericMask result;
    for (const QChar c : mask) {
        if (c == u'0') {
            ++(result.hasPoint ? result.decimals : result.integerPlaces);
        } else if (c == u'.' && !result.hasPoint) {
            result.hasPoint = true;
        } else {
            return std::nullopt;
        }
    }
    return result;
}

QString laidOut(const QString& text, CharacterMask mask)
{
    const qsizetype blanks = mask.places - displayWidth(text);
    if (blanks <= 0)
        return text;
    const QString padding(blanks, u' ');
    return mask.leftAligned ? text + padding : padding + text;
}

QString laidOut(const Decimal& value, NumericMask mask)
{
    const Decimal number = detail::roundedTo(value, mask.decimals);
    const auto size = static_cast<std::int64_t>(number.digits.size());
    // Digit i of the number counts from the first significant one; outside them it is a zero.
    const auto digitAt = [&](std::int64_t i) {
        return i >= 0 && i < size ? QLatin1Char(number.digits[static_cast<std::size_t>(i)])
                                  : QLatin1Char('0');
    };

    QString text;
    if (number.negative && !number.isZero())
        text += u'-';
    const std::int64_t integerDigits = number.isZero() ? 0 : std::max<std::int64_t>(number.point, 0);
    detail::appendRepeated(text, u'0', mask.integerPlaces - integerDigits);
    for (std::int64_t i = 0; i < integerDigits; ++i)
        text += digitAt(i);
    if (mask.hasPoint) {
        text += u',';
        for (std::int64_t i = 0; i < mask.decimals; ++i)
            text += digitAt(number.point + i);
    }
    return text;
}

// A value that is not a text, as masks see it: its text for a character mask and its
// decimal digits for a numeric one.
QString masked(const Decimal& number, const QString& written, QStringView mask)
{
    if (const auto character = characterMask(mask))
        return laidOut(written, *character);
    if (const auto numeric = numericMask(mask))
        return laidOut(number, *numeric);
    return written;
}

QString maskedInteger(bool negative, std::uint64_t magnitude, QStringView mask)
{
    const Decimal number = detail::fromInteger(negative, magnitude, 0);
    return masked(number, detail::writePlain(number), mask);
}

} // namespace

bool isCharacterMask(QStringView mask)
{
    return characterMask(mask).has_value();
}

QString applyMask(const QString& text, QStringView mask)
{
    if (const auto character = characterMask(mask))
        return laidOut(text, *character);
    if (numericMask(mask)) {
        const auto number = readStrict(text);
        return number ? applyMask(*number, mask) : text;
    }
    return text;
}

QString applyMask(double value, QStringView mask)
{
    if (!std::isfinite(value)) {
        const QString written = writeNumber(value);
        const auto character = characterMask(mask);
        return character ? laidOut(written, *character) : written;
    }
    return masked(detail::fromDouble(value), writeNumber(value), mask);
}

QString applyMask(Currency value, QStringView mask)
{
    const bool negative = value.tenThousandths() < 0;
    const auto units = static_cast<std::uint64_t>(value.tenThousandths());
    return masked(detail::fromInteger(negative, negative ? 0 - units : units, 4), value.write(), mask);
}

QString valueText(const QVariant& value)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return writeNumber(value.toDouble());
    default:
        // Texts, and whole numbers, which have no decimals to write.
        return value.toString();
    }
}

QString applyMask(const QVariant& value, QStringView mask)
{
    // A Null from the database comes as a null variant of the column's type.
    if (value.isNull())
        return applyMask(QString(), mask);

    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return applyMask(value.toDouble(), mask);
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong: {
        const qlonglong number = value.toLongLong();
        const auto bits = static_cast<std::uint64_t>(number);
        return maskedInteger(number < 0, number < 0 ? 0 - bits : bits, mask);
    }
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return maskedInteger(false, value.toULongLong(), mask);
    default:
        return applyMask(value.toString(), mask);
    }
}

qsizetype displayWidth(QStringView text)
{
    qsizetype width = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t codePoint = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            codePoint = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        if (QChar::category(codePoint) != QChar::Mark_NonSpacing)
            ++width;
    }
    return width;
}

} // namespace quilvarden::text
