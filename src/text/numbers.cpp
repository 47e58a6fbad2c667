#include "numbers.h"

#include "decimal.h"

#include <QCoreApplication>

#include <cmath>
#include <cstdlib>

namespace quilvarden::text {

using detail::Decimal;

double readLenient(QStringView text)
{
    return detail::toDouble(detail::parseLenient(text)).value;
}

Result<double> readStrict(QStringView text)
{
    const auto number = detail::parseStrict(text);
    if (!number)
        return Failure::typeMismatch(text.toString());
    const auto reading = detail::toDouble(*number);
    if (reading.overflow)
        return Failure::overflow(
            QCoreApplication::translate("Text", "O número «%1» non cabe nun número de coma flotante.")
                .arg(text));
    return reading.value;
}

bool isNumber(QStringView text)
{
    const auto number = detail::parseStrict(text);
    return number && !detail::toDouble(*number).overflow;
}

QString writeNumber(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("Infinito") : QStringLiteral("-Infinito");

    const Decimal number = detail::fromDouble(value);
    if (number.isZero())
        return QStringLiteral("0");

    // Plain from 0,00001 up to fifteen integer digits; beyond, the leading digit, the rest
    // after a comma and the exponent with its sign and at least two digits.
    const std::int64_t exponent = number.point - 1;
    if (exponent >= -5 && exponent <= 14)
        return detail::writePlain(number);

    QString text;
    if (number.negative)
        text += u'-';
    text += QLatin1Char(number.digits.front());
    if (number.digits.size() > 1) {
        text += u',';
        text += QLatin1String(number.digits.data() + 1, static_cast<qsizetype>(number.digits.size() - 1));
    }
    text += exponent < 0 ? u"E-" : u"E+";
    text += QStringLiteral("%1").arg(std::abs(exponent), 2, 10, QLatin1Char('0'));
    return text;
}

} // namespace quilvarden::text
