#include "csv.h"

#include <QRegularExpression>

namespace quilvarden::text {

QString csvTextCell(const QString& value)
{
    const QString start = value.trimmed();
    if (!start.isEmpty() && QStringLiteral("=+-@").contains(start.front()))
        return u'\'' + value;
    return value;
}

QString csvField(const QString& value)
{
    static const QRegularExpression special(QStringLiteral("[\",\r\n]"));
    if (!value.contains(special))
        return value;
    return QLatin1Char('"') + QString(value).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

} // namespace quilvarden::text
