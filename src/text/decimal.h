#pragma once

// Exact decimal numbers shared by the number, currency and mask rules. Not part of the
// library's interface.

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <string>

namespace quilvarden::text::detail {

// The value is 0.d1d2d3... × 10^point, where d1d2d3... are the significant digits as ASCII
// text with no leading or trailing zeros. Zero has no digits; its sign means nothing.
struct Decimal {
    bool negative = false;
    std::string digits;
    std::int64_t point = 0;

    bool isZero() const { return digits.empty(); }
};

// The number of a text in the Spanish form: blanks (space, tab) around it, an optional sign,
// digits with at most one decimal comma and an optional exponent. Nothing when the whole
// text is not such a number.
std::optional<Decimal> parseStrict(QStringView text);

// The leading number of a text read leniently: blanks (space, tab, CR, LF) skipped
// anywhere, "." as the decimal point, an exponent only when it has digits. Zero when the
// text does not begin with a number.
Decimal parseLenient(QStringView text);

struct DoubleReading {
    double value = 0; // plus or minus infinity when overflow is set
    bool overflow = false;
};

// The double nearest to the number. Too small for a double gives zero.
DoubleReading toDouble(const Decimal& number);

// A finite double as it is written, rounded to 15 significant digits; for the few largest
// doubles, whose 15 digits round beyond the range, the shortest digits that read back to them.
Decimal fromDouble(double value);

// magnitude × 10^-scale, exactly.
Decimal fromInteger(bool negative, std::uint64_t magnitude, int scale);

// The number rounded to the given count of places after the point, halves away from zero.
Decimal roundedTo(Decimal number, std::int64_t decimals);

// Without exponent: decimal comma, no trailing zeros, no comma for a whole number, "0" for
// zero and no sign on it.
QString writePlain(const Decimal& number);

// Appends count times the character.
void appendRepeated(QString& text, QChar character, std::int64_t count);

} // namespace quilvarden::text::detail
