#include "rules.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace quilvarden::rules {

namespace {

constexpr qsizetype MostPlaces = 500;
constexpr double MostPoints = 100000;

// Past its end a table goes on down by its last difference (1 after a single place).
double pointsOf(const QList<double>& table, qsizetype place, After after)
{
    if (place < 1 || table.isEmpty())
        return 0;
    if (place <= table.size())
        return table[place - 1];
    if (after == After::Zero)
        return 0;
    const double last = table.last();
    const double difference = table.size() > 1 ? table[table.size() - 2] - last : 1;
    return std::max(0.0, last - difference * static_cast<double>(place - table.size()));
}

} // namespace

Result<QList<double>> checkedTable(const QList<double>& points, const QString& what)
{
    if (points.isEmpty())
        return refusal(QCoreApplication::translate("Rules", "%1 non ten ningún posto.").arg(what));
    if (points.size() > MostPlaces)
        return refusal(
            QCoreApplication::translate("Rules", "%1 ten máis de %2 postos.").arg(what).arg(MostPlaces));
    for (qsizetype i = 0; i < points.size(); ++i) {
        const double value = points[i];
        if (!std::isfinite(value) || value < 0 || value > MostPoints)
            return refusal(
                QCoreApplication::translate(
                    "Rules", "%1 dá ao posto %2 uns puntos que non valen: han de estar entre 0 e %3.")
                    .arg(what)
                    .arg(i + 1)
                    .arg(MostPoints));
        if (i > 0 && value > points[i - 1])
            return refusal(QCoreApplication::translate(
                               "Rules", "%1 sobe no posto %2: ningún posto dá máis puntos ca o anterior.")
                               .arg(what)
                               .arg(i + 1));
    }
    return points;
}

Failure refusal(const QString& detail)
{
    return Failure::database(Failure::InvalidArgument, detail);
}

double MeetRules::pointsFor(qsizetype place, bool relayEvent) const
{
    if (relayEvent && relay)
        return pointsOf(*relay, place, after);
    const double points = pointsOf(individual, place, after);
    return relayEvent ? 2 * points : points;
}

bool MeetRules::isGuest(const QString& clubCode) const
{
    return isGuestName(guests, clubCode);
}

bool isGuestName(const QStringList& guestNames, const QString& club)
{
    const QString name = club.trimmed();
    return !name.isEmpty() && std::any_of(guestNames.cbegin(), guestNames.cend(), [&](const QString& guest) {
        return guest.trimmed().compare(name, Qt::CaseInsensitive) == 0;
    });
}

MeetRules leagueRules()
{
    return {QStringLiteral("liga"), {19, 16, 14, 13}, After::Step};
}

QStringList presetNames()
{
    return {QStringLiteral("liga"),
            QStringLiteral("9-7-6-5-4-3-2-1"),
            QStringLiteral("8-7-6-5-4-3-2-1"),
            QStringLiteral("6-4-3-2-1"),
            QStringLiteral("5-3-1"),
            QStringLiteral("20-17-16-15-14-13-12-11-9-7-6-5-4-3-2-1")};
}

std::optional<MeetRules> preset(const QString& name)
{
    const QString wanted = name.trimmed().toLower();
    if (wanted == QLatin1String("liga"))
        return leagueRules();
    if (!presetNames().contains(wanted))
        return std::nullopt;
    MeetRules rules{wanted, *readTable(wanted, wanted)};
    if (wanted == QLatin1String("6-4-3-2-1"))
        rules.relay = QList<double>{8, 4, 2};
    else if (wanted == QLatin1String("5-3-1"))
        rules.relay = QList<double>{7, 3};
    return rules;
}

QString tableText(const QList<double>& points)
{
    QStringList parts;
    for (const double value : points)
        parts << QString::number(value, 'g', 12).replace(u'.', u',');
    return parts.join(u'-');
}

Result<QList<double>> readTable(const QString& text, const QString& what)
{
    static const QRegularExpression separators(QStringLiteral("[\\s;/\\-]+|,(?=\\s)"));
    QStringList words = text.trimmed().split(separators, Qt::SkipEmptyParts);
    // Commas alone between numbers part them; between other separators a comma is decimal.
    if (words.size() == 1 && words.first().contains(u','))
        words = words.first().split(u',', Qt::SkipEmptyParts);
    QList<double> points;
    for (const QString& word : words) {
        bool ok = false;
        const double value = QString(word).replace(u',', u'.').toDouble(&ok);
        if (!ok)
            return refusal(QCoreApplication::translate("Rules", "«%1» non é un número de puntos.").arg(word));
        points << value;
    }
    return checkedTable(points, what);
}

} // namespace quilvarden::rules
