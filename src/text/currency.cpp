#include "currency.h"

#include "decimal.h"

#include <QCoreApplication>

#include <limits>

namespace quilvarden::text {

namespace {

constexpr int decimals = 4;
constexpr std::uint64_t largestMagnitude = std::uint64_t{1} << 63; // of the most negative amount

QString rangeDetail(const QString& what)
{
    return QCoreApplication::translate("Text", "O importe «%1» sae fóra do rango.").arg(what);
}

} // namespace

Result<Currency> Currency::read(QStringView text)
{
    const auto parsed = detail::parseStrict(text);
    if (!parsed)
        return Failure::typeMismatch(text.toString());

    const detail::Decimal number = detail::roundedTo(*parsed, decimals);
    if (number.isZero())
        return Currency();

    // The count of ten-thousandths has point + 4 digits; beyond 19 it cannot fit.
    const std::int64_t length = number.point + decimals;
    if (length > std::numeric_limits<std::int64_t>::digits10 + 1)
        return Failure::overflow(rangeDetail(text.toString()));

    std::uint64_t magnitude = 0;
    for (std::int64_t i = 0; i < length; ++i) {
        const auto index = static_cast<std::size_t>(i);
        const char digit = index < number.digits.size() ? number.digits[index] : '0';
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(digit - '0');
    }
    if (magnitude > largestMagnitude || (!number.negative && magnitude == largestMagnitude))
        return Failure::overflow(rangeDetail(text.toString()));

    if (!number.negative)
        return Currency(static_cast<std::int64_t>(magnitude));
    if (magnitude == largestMagnitude)
        return Currency(std::numeric_limits<std::int64_t>::min());
    return Currency(-static_cast<std::int64_t>(magnitude));
}

Result<Currency> Currency::plus(Currency other) const
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(m_units, other.m_units, &sum))
        return Failure::overflow(rangeDetail(QStringLiteral("%1 + %2").arg(write(), other.write())));
    return Currency(sum);
}

Result<Currency> Currency::minus(Currency other) const
{
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(m_units, other.m_units, &difference))
        return Failure::overflow(rangeDetail(QStringLiteral("%1 - %2").arg(write(), other.write())));
    return Currency(difference);
}

QString Currency::write() const
{
    const bool negative = m_units < 0;
    // Unsigned arithmetic, so that the most negative amount has a magnitude too.
    const auto units = static_cast<std::uint64_t>(m_units);
    return detail::writePlain(detail::fromInteger(negative, negative ? 0 - units : units, decimals));
}

} // namespace quilvarden::text
