#include "lines.h"

#include "masks.h"
#include "numbers.h"

namespace quilvarden::text {

namespace {

// A value's own text, for the piece that joins two values before masking: a text as it
// stands, a floating-point number by the program's number rules, Null as nothing.
QString textOf(const QVariant& value)
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

// Points and totals are laid into digits first and then into their column.
QString pointsColumn(const QVariant& points, QStringView digits, QStringView column)
{
    return applyMask(applyMask(points, digits), column);
}

} // namespace

QString resultsLine(const QVariant& order, const QVariant& eventCode, const QVariant& gender,
                    const QVariant& club, const QVariant& points)
{
    return applyMask(order, u"@@") + u' ' + applyMask(textOf(eventCode) + textOf(gender), u"@@@@@@@") + u' ' +
           applyMask(club, u"!@@@@@@@@") + pointsColumn(points, u"0.00", u"@@@@@@");
}

QString standingsLine(qint64 position, const QVariant& club, const QVariant& total)
{
    return applyMask(QVariant::fromValue(position), u"@@@") + QStringLiteral("  ") +
           applyMask(club, u"!@@@@@@@@") + pointsColumn(total, u"00.00", u"@@@@@@@@@");
}

} // namespace quilvarden::text
