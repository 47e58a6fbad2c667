#include "calculators.h"

#include "text/masks.h"
#include "text/numbers.h"

#include <QCoreApplication>

#include <cfenv>
#include <cmath>
#include <limits>

namespace quilvarden::calc {

namespace {

Failure tooLarge()
{
    return Failure::overflow(
        QCoreApplication::translate("Calc", "O resultado non cabe nun número: revisa os tempos."));
}

// A time in whole hundredths, as the FINA rule counts it. Held in 32 bits: the longest
// swims (a 1500 m takes some 90,000 hundredths) are nowhere near the limit.
Result<qint32> countedHundredths(const SwimTime& time, const QString& which)
{
    const double seconds = text::readLenient(time.seconds);
    const double hundredths = text::readLenient(time.hundredths);
    const double minutes = text::readLenient(time.minutes);
    const double total = minutes * 60 * 100 + seconds * 100 + hundredths;
    if (!std::isfinite(total))
        return tooLarge();
    // Halves go to the even neighbour, whatever rounding mode the process was left in.
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(total);
    std::fesetround(mode);
    if (rounded < double(std::numeric_limits<qint32>::min()) ||
        rounded > double(std::numeric_limits<qint32>::max()))
        return Failure::overflow(
            QCoreApplication::translate("Calc", "O tempo %1 é demasiado longo.").arg(which));
    return static_cast<qint32>(rounded);
}

} // namespace

Result<QString> timeInHundredths(const QString& minutes, const QString& seconds, const QString& hundredths)
{
    const Result<double> m = text::readStrict(minutes);
    if (!m)
        return m.failure();
    double total = *m * 60 * 100;
    if (!std::isfinite(total))
        return tooLarge();
    const Result<double> s = text::readStrict(seconds);
    if (!s)
        return s.failure();
    total = *s * 100 + total;
    if (!std::isfinite(total))
        return tooLarge();
    const Result<double> h = text::readStrict(hundredths);
    if (!h)
        return h.failure();
    total += *h;
    if (!std::isfinite(total))
        return tooLarge();
    return text::writeNumber(total);
}

Result<QString> finaPoints(const SwimTime& base, const SwimTime& swim)
{
    const Result<qint32> b = countedHundredths(base, QCoreApplication::translate("Calc", "base"));
    if (!b)
        return b.failure();
    const Result<qint32> t = countedHundredths(swim, QCoreApplication::translate("Calc", "da marca"));
    if (!t)
        return t.failure();
    if (*t == 0)
        return Failure::divisionByZero(
            QCoreApplication::translate("Calc", "O tempo da marca non pode ser cero."));
    const double points = std::pow(double(*b) / double(*t), 3) * 1000;
    return text::applyMask(points, u".00") + QStringLiteral(" --> ") + text::applyMask(points, u"0");
}

} // namespace quilvarden::calc
