#include "scoring.h"

#include "text/currency.h"
#include "text/masks.h"
#include "text/numbers.h"

#include <QCoreApplication>
#include <QtGlobal>

#include <cmath>

namespace quilvarden::calc {

using text::Currency;

bool isRelay(const QString& eventCode)
{
    // One character at a time, exactly: no case folding beyond the two letters.
    for (const QChar c : eventCode) {
        if (c == u'X' || c == u'x')
            return true;
    }
    return false;
}

Proposal firstPlace(const QString& eventCode)
{
    if (isRelay(eventCode))
        return {QStringLiteral("38"), QStringLiteral("2")};
    return {QStringLiteral("19"), std::nullopt};
}

Result<Proposal> nextPlace(const QString& pointsText, const QString& stepText, const QString& eventCode)
{
    // The fixed steps of the scale match the whole text as the operator left it; they never
    // read the step, so a step that is not a number does not stop them.
    if (pointsText == u"38")
        return Proposal{QStringLiteral("32"), std::nullopt};
    if (pointsText == u"32")
        return Proposal{QStringLiteral("28"), std::nullopt};
    if (pointsText == u"19")
        return Proposal{QStringLiteral("16"), std::nullopt};
    if (pointsText == u"16")
        return Proposal{QStringLiteral("14"), std::nullopt};
    if (pointsText == u"14") {
        // From here on the step is the scale's own: it replaces whatever an earlier event or
        // the operator left in the field.
        if (isRelay(eventCode))
            return Proposal{QStringLiteral("12"), QStringLiteral("2")};
        return Proposal{QStringLiteral("13"), QStringLiteral("1")};
    }

    // Any other text: the points are read leniently, so a half-point comma drops the half
    // (15,5 reads 15), and the step strictly, with its decimal comma.
    const double points = text::readLenient(pointsText);
    const auto step = text::readStrict(stepText);
    if (!step)
        return step.failure();
    const double difference = points - *step;
    if (!std::isfinite(difference))
        return Failure::overflow(
            QCoreApplication::translate(
                "Calc", "Os puntos «%1» menos o paso «%2» non caben nun número de coma flotante.")
                .arg(pointsText, stepText));
    return Proposal{text::writeNumber(difference), std::nullopt};
}

std::optional<Result<QString>> halfPoint(const QString& pointsText, int direction)
{
    Q_ASSERT(direction == 1 || direction == -1);
    if (!text::isNumber(pointsText))
        return std::nullopt;

    const auto points = Currency::read(pointsText);
    if (!points)
        return Result<QString>(points.failure());
    // 0,5 in ten-thousandths.
    const Currency half = Currency::fromTenThousandths(5000);
    const auto changed = direction > 0 ? points->plus(half) : points->minus(half);
    if (!changed)
        return Result<QString>(changed.failure());
    return Result<QString>(changed->write());
}

bool looksUpOrder(const QString& orderText, int orderPlaces)
{
    const qsizetype length = orderText.toUcs4().size();
    return length == 2 || (orderPlaces > 2 && length == 3);
}

std::optional<QString> nextOrder(const QString& orderText)
{
    if (!text::isNumber(orderText))
        return std::nullopt;
    return text::applyMask(text::readLenient(orderText) + 1, u"00");
}

std::optional<QString> previousOrder(const QString& orderText)
{
    if (!text::isNumber(orderText))
        return std::nullopt;
    // The test reads the decimal comma; the new number does not (1,5 passes and gives 00).
    const auto value = text::readStrict(orderText);
    if (!value || *value <= 1)
        return std::nullopt;
    return text::applyMask(text::readLenient(orderText) - 1, u"00");
}

} // namespace quilvarden::calc
