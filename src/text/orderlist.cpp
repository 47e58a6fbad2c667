#include "orderlist.h"

#include <QRegularExpression>

#include <algorithm>

namespace quilvarden::text {

namespace {

std::optional<int> readOrder(const QString& digits)
{
    bool ok = false;
    const int order = digits.toInt(&ok);
    if (!ok || order < 1 || order > HighestListedOrder)
        return std::nullopt;
    return order;
}

} // namespace

std::optional<QList<int>> readOrderList(const QString& typed)
{
    static const QRegularExpression parting(QStringLiteral("[,;\\s]+"));
    static const QRegularExpression item(QStringLiteral("^(\\d+)(?:-(\\d+))?$"));
    // Blanks around a range's dash belong to the range.
    const QString joined =
        QString(typed).replace(QRegularExpression(QStringLiteral("\\s*-\\s*")), QStringLiteral("-"));
    QList<int> orders;
    const QStringList parts = joined.split(parting, Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const QRegularExpressionMatch match = item.match(part);
        if (!match.hasMatch())
            return std::nullopt;
        const std::optional<int> first = readOrder(match.captured(1));
        const std::optional<int> last = match.hasCaptured(2) ? readOrder(match.captured(2)) : first;
        if (!first || !last || *last < *first)
            return std::nullopt;
        for (int order = *first; order <= *last; ++order)
            orders.append(order);
    }
    std::sort(orders.begin(), orders.end());
    orders.erase(std::unique(orders.begin(), orders.end()), orders.end());
    return orders;
}

QString orderListText(QList<int> orders)
{
    std::sort(orders.begin(), orders.end());
    orders.erase(std::unique(orders.begin(), orders.end()), orders.end());
    QStringList parts;
    for (qsizetype i = 0; i < orders.size();) {
        qsizetype end = i;
        while (end + 1 < orders.size() && orders[end + 1] == orders[end] + 1)
            ++end;
        parts << (end == i ? QString::number(orders[i])
                           : QStringLiteral("%1-%2").arg(orders[i]).arg(orders[end]));
        i = end + 1;
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace quilvarden::text
