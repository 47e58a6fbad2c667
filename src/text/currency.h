#pragma once

#include "failure.h"

#include <QString>
#include <QStringView>

#include <cstdint>

namespace quilvarden::text {

// A fixed-point amount with exactly four decimals, held as a signed 64-bit count of
// ten-thousandths, so halves and quarters of a point add up exactly. Range
// -922337203685477,5808 to 922337203685477,5807.
class Currency {
public:
    constexpr Currency() = default;
    static constexpr Currency fromTenThousandths(std::int64_t units) { return Currency(units); }

    constexpr std::int64_t tenThousandths() const { return m_units; }

    // Strict reading as for readStrict(): the whole text, decimal comma, optional exponent.
    // More than four decimals are rounded to four, halves away from zero. Not a number:
    // the type-mismatch error (13); outside the range: the overflow error (6). Exact: the
    // text is never passed through a double.
    static Result<Currency> read(QStringView text);

    // Sum and difference; a result outside the range is the overflow error (6).
    Result<Currency> plus(Currency other) const;
    Result<Currency> minus(Currency other) const;

    // Written without a mask: decimal comma, no trailing zeros, no comma for a whole
    // amount (16,5; 17; -0,5; 13,75).
    QString write() const;

    friend constexpr bool operator==(Currency, Currency) = default;

private:
    constexpr explicit Currency(std::int64_t units) : m_units(units) {}
    std::int64_t m_units = 0;
};

} // namespace quilvarden::text
