#include "output.h"

#include "data/standings.h"
#include "text/csv.h"
#include "text/masks.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace quilvarden::league {

namespace {

const QString lineBreak = QStringLiteral("\r\n");
constexpr qsizetype PointsWidth = 9;

// A text laid left in a column of width places, never cut.
QString leftIn(const QString& value, qsizetype width)
{
    return value + QString(std::max<qsizetype>(0, width - text::displayWidth(value)), u' ');
}

QString rightIn(const QString& value, qsizetype width)
{
    return QString(std::max<qsizetype>(0, width - text::displayWidth(value)), u' ') + value;
}

QString standingPoints(double points)
{
    return rightIn(text::applyMask(points, u"00.00"), PointsWidth);
}

QStringList standingLines(const LeagueStanding& standing, qsizetype matchdays)
{
    qsizetype width = 8;
    for (const LeagueRow& row : standing.rows)
        width = std::max(width, text::displayWidth(row.club));
    QString heading = QCoreApplication::translate("League", "Pos") + QStringLiteral("  ") +
                      leftIn(QCoreApplication::translate("League", "Club"), width);
    for (qsizetype i = 0; i < matchdays; ++i)
        heading += rightIn(QCoreApplication::translate("League", "X%1").arg(i + 1), PointsWidth);
    QStringList lines{standing.heading,
                      heading + rightIn(QCoreApplication::translate("League", "Total"), PointsWidth)};
    for (const LeagueRow& row : standing.rows) {
        QString line = text::applyMask(QVariant::fromValue(row.position), u"@@@") + QStringLiteral("  ") +
                       leftIn(row.club, width);
        for (const std::optional<double>& points : row.points)
            line += points ? standingPoints(*points) : QString(PointsWidth, u' ');
        lines << line + standingPoints(row.total);
    }
    return lines;
}

QStringList checkLines(const QString& heading, const QList<ClubCheck>& checks)
{
    if (checks.isEmpty())
        return {};
    QStringList lines{QString(), heading};
    for (const ClubCheck& check : checks)
        lines << QStringLiteral("  %1 (%2)").arg(check.club, check.names.join(QStringLiteral("; ")));
    return lines;
}

QString csvPoints(double points)
{
    return text::csvField(text::applyMask(points, u"0.00"));
}

QJsonArray checksJson(const QList<ClubCheck>& checks)
{
    QJsonArray array;
    for (const ClubCheck& check : checks)
        array.append(QJsonObject{{QStringLiteral("club"), check.club},
                                 {QStringLiteral("names"), QJsonArray::fromStringList(check.names)}});
    return array;
}

} // namespace

QString asText(const LeagueTable& table)
{
    QStringList lines{table.name};
    for (qsizetype i = 0; i < table.matchdays.size(); ++i)
        lines << (table.swum[i] ? QCoreApplication::translate("League", "X%1: %2")
                                : QCoreApplication::translate("League", "X%1: %2 (sen disputar)"))
                     .arg(i + 1)
                     .arg(table.matchdays[i]);
    for (const LeagueStanding& standing : table.standings)
        lines << QString() << standingLines(standing, table.matchdays.size());
    lines << checkLines(QCoreApplication::translate("League", "Clubs xuntados só polo nome, para comprobar:"),
                        table.matchedByName);
    lines << checkLines(QCoreApplication::translate("League", "Clubs que só están nunha xornada:"),
                        table.oneMatchdayOnly);
    return lines.join(lineBreak) + lineBreak;
}

QString asCsv(const LeagueTable& table)
{
    QStringList heading{QStringLiteral("Clasificación"), QStringLiteral("Posición"), QStringLiteral("Club")};
    for (const QString& matchday : table.matchdays)
        heading << text::csvField(text::csvTextCell(matchday));
    QStringList rows{(heading << QStringLiteral("Total")).join(u',')};
    for (const LeagueStanding& standing : table.standings)
        for (const LeagueRow& row : standing.rows) {
            QStringList cells{data::standingName(standing.which), QString::number(row.position),
                              text::csvField(text::csvTextCell(row.club))};
            for (const std::optional<double>& points : row.points)
                cells << (points ? csvPoints(*points) : QString());
            rows << (cells << csvPoints(row.total)).join(u',');
        }
    return rows.join(lineBreak) + lineBreak;
}

QByteArray asJson(const LeagueTable& table)
{
    QJsonArray standings;
    for (const LeagueStanding& standing : table.standings) {
        QJsonArray clubs;
        for (const LeagueRow& row : standing.rows) {
            QJsonArray points;
            for (const std::optional<double>& each : row.points)
                points.append(each ? QJsonValue(*each) : QJsonValue());
            clubs.append(QJsonObject{{QStringLiteral("position"), row.position},
                                     {QStringLiteral("club"), row.club},
                                     {QStringLiteral("points"), points},
                                     {QStringLiteral("total"), row.total}});
        }
        standings.append(QJsonObject{{QStringLiteral("standing"), data::standingName(standing.which)},
                                     {QStringLiteral("clubs"), clubs}});
    }
    return QJsonDocument(
               QJsonObject{{QStringLiteral("league"), table.name},
                           {QStringLiteral("matchdays"), QJsonArray::fromStringList(table.matchdays)},
                           {QStringLiteral("standings"), standings},
                           {QStringLiteral("matchedByName"), checksJson(table.matchedByName)},
                           {QStringLiteral("oneMatchdayOnly"), checksJson(table.oneMatchdayOnly)}})
        .toJson(QJsonDocument::Indented);
}

} // namespace quilvarden::league
