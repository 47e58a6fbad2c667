#include "lines.h"

#include "masks.h"
#include "names.h"

#include <QCoreApplication>

namespace quilvarden::text {

namespace {

// Points and totals are laid into digits first and then into their column.
QString pointsColumn(const QVariant& points, QStringView digits, QStringView column)
{
    return applyMask(applyMask(points, digits), column);
}

} // namespace

QString resultsLine(const QVariant& order, const QVariant& eventCode, const QVariant& gender,
                    const QVariant& club, const QVariant& points, int orderPlaces)
{
    return applyMask(order, orderPlaces > 2 ? u"@@@" : u"@@") + u' ' +
           applyMask(valueText(eventCode) + valueText(gender), u"@@@@@@@") + u' ' +
           applyMask(club, u"!@@@@@@@@") + pointsColumn(points, u"0.00", u"@@@@@@");
}

QString withCategory(const QString& line, const QString& category)
{
    return category.isEmpty() ? line : line + u' ' + category;
}

int orderPlaces(const std::optional<double>& highestOrder)
{
    return highestOrder && *highestOrder >= 100 ? 3 : 2;
}

QString standingsLine(qint64 position, const QVariant& club, const QVariant& total)
{
    return applyMask(QVariant::fromValue(position), u"@@@") + QStringLiteral("  ") +
           applyMask(clubLabel(club), u"!@@@@@@@@") + pointsColumn(total, u"00.00", u"@@@@@@@@@");
}

QString guestStandingsLine(const QVariant& club, const QVariant& total)
{
    return QStringLiteral("     ") + applyMask(clubLabel(club), u"!@@@@@@@@") +
           pointsColumn(total, u"00.00", u"@@@@@@@@@") + QStringLiteral("  ") +
           QCoreApplication::translate("Text", "(convidado)");
}

} // namespace quilvarden::text
