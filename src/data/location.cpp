#include "location.h"

#include "data/postgres.h"

#include <QDir>

#include <algorithm>

namespace quilvarden::data {

QString ServerUri::value(const QString& keyword) const
{
    for (const auto& [key, given] : values)
        if (key == keyword)
            return given;
    return {};
}

bool isServerUri(const QString& text)
{
    return text.startsWith(QStringLiteral("postgresql://"), Qt::CaseInsensitive) ||
           text.startsWith(QStringLiteral("postgres://"), Qt::CaseInsensitive);
}

Location locate(const QString& text)
{
    if (!isServerUri(text))
        return {Engine::Sqlite, text, {}};
    return {Engine::Postgres, text, postgres::readUri(text)};
}

QString Location::shown() const
{
    if (engine == Engine::Sqlite)
        return QDir::toNativeSeparators(text);
    QList<std::pair<qsizetype, qsizetype>> spans = server.secrets;
    std::sort(spans.begin(), spans.end());
    // Places that overlap are hidden as one.
    QList<std::pair<qsizetype, qsizetype>> places;
    for (const auto& [start, length] : std::as_const(spans)) {
        if (!places.isEmpty() && start <= places.last().first + places.last().second)
            places.last().second = qMax(places.last().second, start + length - places.last().first);
        else
            places.append({start, length});
    }
    QString hidden = text;
    // From the end, so that the places before stay where they were.
    for (auto place = places.crbegin(); place != places.crend(); ++place)
        hidden.replace(place->first, place->second, QStringLiteral("***"));
    return hidden;
}

} // namespace quilvarden::data
