#include "decimal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <system_error>

namespace quilvarden::text::detail {

namespace {

// An exponent this large already puts any mantissa a field can hold far outside the range of
// a double and of a currency amount, so longer exponent texts are cut here instead of
// overflowing.
constexpr std::int64_t exponentLimit = 1'000'000'000;
// A double's decimal exponent lies well inside this; passed on as it is, it keeps the
// overflow and the underflow apart.
constexpr std::int64_t doubleExponentLimit = 100'000;

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

char asciiDigit(QChar c)
{
    return static_cast<char>('0' + (c.unicode() - u'0'));
}

// Collects the digits of a number as they are read, wherever its decimal point stands.
class Builder {
public:
    void addDigit(QChar c)
    {
        m_digits.push_back(asciiDigit(c));
        if (!m_afterPoint)
            ++m_integerDigits;
    }
    void markPoint() { m_afterPoint = true; }
    bool pointSeen() const { return m_afterPoint; }
    bool hasDigits() const { return !m_digits.empty(); }

    void addExponentDigit(QChar c)
    {
        if (m_exponent < exponentLimit)
            m_exponent = m_exponent * 10 + (c.unicode() - u'0');
    }
    void setExponentNegative(bool negative) { m_exponentNegative = negative; }
    void setNegative(bool negative) { m_negative = negative; }

    Decimal take()
    {
        Decimal number;
        const auto first = m_digits.find_first_not_of('0');
        if (first == std::string::npos)
            return number;
        const auto last = m_digits.find_last_not_of('0');
        number.negative = m_negative;
        number.digits = m_digits.substr(first, last - first + 1);
        number.point = m_integerDigits - static_cast<std::int64_t>(first) +
                       (m_exponentNegative ? -m_exponent : m_exponent);
        return number;
    }

private:
    std::string m_digits;
    std::int64_t m_integerDigits = 0;
    std::int64_t m_exponent = 0;
    bool m_afterPoint = false;
    bool m_negative = false;
    bool m_exponentNegative = false;
};

void stripTrailingZeros(std::string& digits)
{
    const auto last = digits.find_last_not_of('0');
    digits.resize(last == std::string::npos ? 0 : last + 1);
}

} // namespace

std::optional<Decimal> parseStrict(QStringView text)
{
    const auto isBlank = [](QChar c) { return c == u' ' || c == u'\t'; };
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size && isBlank(text[i]))
        ++i;

    Builder builder;
    if (i < size && (text[i] == u'+' || text[i] == u'-')) {
        builder.setNegative(text[i] == u'-');
        ++i;
    }
    for (; i < size; ++i) {
        if (isDigit(text[i]))
            builder.addDigit(text[i]);
        else if (text[i] == u',' && !builder.pointSeen())
            builder.markPoint();
        else
            break;
    }
    if (!builder.hasDigits())
        return std::nullopt;

    if (i < size && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < size && (text[i] == u'+' || text[i] == u'-')) {
            builder.setExponentNegative(text[i] == u'-');
            ++i;
        }
        if (i == size || !isDigit(text[i]))
            return std::nullopt;
        for (; i < size && isDigit(text[i]); ++i)
            builder.addExponentDigit(text[i]);
    }

    while (i < size && isBlank(text[i]))
        ++i;
    if (i != size)
        return std::nullopt;
    return builder.take();
}

Decimal parseLenient(QStringView text)
{
    const qsizetype size = text.size();
    qsizetype i = 0;
    // The next character that is not a blank, or a null character at the end.
    const auto next = [&]() -> QChar {
        while (i < size && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\r' || text[i] == u'\n'))
            ++i;
        return i < size ? text[i] : QChar();
    };

    Builder builder;
    if (const QChar c = next(); c == u'+' || c == u'-') {
        builder.setNegative(c == u'-');
        ++i;
    }
    for (QChar c = next(); i < size; c = next()) {
        if (isDigit(c))
            builder.addDigit(c);
        else if (c == u'.' && !builder.pointSeen())
            builder.markPoint();
        else
            break;
        ++i;
    }
    if (!builder.hasDigits())
        return {};

    // An exponent counts only when it is complete: "7e" and "7e+" stop before the "e".
    if (const QChar e = next(); e == u'e' || e == u'E') {
        ++i;
        QChar c = next();
        if (c == u'+' || c == u'-') {
            builder.setExponentNegative(c == u'-');
            ++i;
            c = next();
        }
        for (; isDigit(c); c = next()) {
            builder.addExponentDigit(c);
            ++i;
        }
    }
    return builder.take();
}

DoubleReading toDouble(const Decimal& number)
{
    if (number.isZero())
        return {number.negative ? -0.0 : 0.0, false};

    // Laid out as d.ddd…e±x, the exponent is that of the leading digit.
    const std::int64_t leading = std::clamp(number.point - 1, -doubleExponentLimit, doubleExponentLimit);
    std::string text;
    text.reserve(number.digits.size() + 16);
    if (number.negative)
        text += '-';
    text += number.digits.front();
    if (number.digits.size() > 1) {
        text += '.';
        text.append(number.digits, 1);
    }
    text += 'e';
    text += std::to_string(leading);

    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (leading > 0) {
            constexpr double infinity = std::numeric_limits<double>::infinity();
            return {number.negative ? -infinity : infinity, true};
        }
        return {number.negative ? -0.0 : 0.0, false};
    }
    return {value, false};
}

namespace {

// A double as std::to_chars writes it in scientific form: d.ddd…e±x.
Decimal fromScientific(std::string_view text)
{
    Decimal number;
    std::size_t i = 0;
    if (text[i] == '-') {
        number.negative = true;
        ++i;
    }
    const auto exponentAt = text.find('e', i);
    for (; i < exponentAt; ++i) {
        if (text[i] != '.')
            number.digits += text[i];
    }
    int exponent = 0;
    const char* exponentText = text.data() + exponentAt + 1;
    if (*exponentText == '+')
        ++exponentText;
    static_cast<void>(std::from_chars(exponentText, text.data() + text.size(), exponent));

    stripTrailingZeros(number.digits);
    number.point = number.digits.empty() ? 0 : exponent + 1;
    return number;
}

} // namespace

Decimal fromDouble(double value)
{
    std::array<char, 40> buffer{};
    char* const end = buffer.data() + buffer.size();

    // The leading digit and 14 more, correctly rounded.
    auto result = std::to_chars(buffer.data(), end, value, std::chars_format::scientific, 14);
    const Decimal number = fromScientific(std::string_view(buffer.data(), result.ptr));

    // The few largest doubles round at 15 digits to a number beyond the range, which would
    // not read back; they keep the shortest digits that give them back (17 for the largest).
    if (number.point > std::numeric_limits<double>::max_exponent10 && toDouble(number).overflow) {
        result = std::to_chars(buffer.data(), end, value, std::chars_format::scientific);
        return fromScientific(std::string_view(buffer.data(), result.ptr));
    }
    return number;
}

Decimal fromInteger(bool negative, std::uint64_t magnitude, int scale)
{
    std::array<char, 24> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude);
    Decimal number;
    if (magnitude == 0)
        return number;
    number.negative = negative;
    number.digits.assign(buffer.data(), result.ptr);
    number.point = static_cast<std::int64_t>(number.digits.size()) - scale;
    stripTrailingZeros(number.digits);
    return number;
}

Decimal roundedTo(Decimal number, std::int64_t decimals)
{
    const std::int64_t keep = number.point + decimals;
    if (keep >= static_cast<std::int64_t>(number.digits.size()))
        return number;
    if (keep < 0)
        return {};

    const auto kept = static_cast<std::size_t>(keep);
    const bool roundUp = number.digits[kept] >= '5';
    number.digits.resize(kept);
    if (roundUp) {
        // Carry through the nines; past the first digit the number gains a place.
        auto position = number.digits.size();
        while (position > 0 && number.digits[position - 1] == '9') {
            number.digits[position - 1] = '0';
            --position;
        }
        if (position == 0) {
            number.digits.insert(number.digits.begin(), '1');
            ++number.point;
        } else {
            ++number.digits[position - 1];
        }
    }
    stripTrailingZeros(number.digits);
    if (number.isZero())
        return {};
    return number;
}

void appendRepeated(QString& text, QChar character, std::int64_t count)
{
    if (count > 0)
        text += QString(static_cast<qsizetype>(count), character);
}

QString writePlain(const Decimal& number)
{
    if (number.isZero())
        return QStringLiteral("0");

    const auto size = static_cast<std::int64_t>(number.digits.size());
    const QString digits = QString::fromLatin1(number.digits.data(), static_cast<qsizetype>(size));
    QString text;
    if (number.negative)
        text += u'-';
    if (number.point <= 0) {
        text += u"0,";
        appendRepeated(text, u'0', -number.point);
        text += digits;
    } else if (number.point >= size) {
        text += digits;
        appendRepeated(text, u'0', number.point - size);
    } else {
        const auto point = static_cast<qsizetype>(number.point);
        text += QStringView(digits).first(point);
        text += u',';
        text += QStringView(digits).sliced(point);
    }
    return text;
}

} // namespace quilvarden::text::detail
