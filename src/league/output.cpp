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

QStringList tableLines(const QString& title, const QList<LeagueRow>& rows, qsizetype matchdays)
{
    qsizetype width = 8;
    for (const LeagueRow& row : rows)
        width = std::max(width, text::displayWidth(row.club));
    QString heading = QCoreApplication::translate("League", "Pos") + QStringLiteral("  ") +
                      leftIn(QCoreApplication::translate("League", "Club"), width);
    for (qsizetype i = 0; i < matchdays; ++i)
        heading += rightIn(QCoreApplication::translate("League", "X%1").arg(i + 1), PointsWidth);
    QStringList lines{title, heading + rightIn(QCoreApplication::translate("League", "Total"), PointsWidth)};
    for (const LeagueRow& row : rows) {
        QString line = text::applyMask(QVariant::fromValue(row.position), u"@@@") + QStringLiteral("  ") +
                       leftIn(row.club, width);
        for (const std::optional<double>& points : row.points)
            line += points ? standingPoints(*points) : QString(PointsWidth, u' ');
        lines << line + standingPoints(row.total);
    }
    return lines;
}

// A standing's table, or one table per group of it, each under its heading.
QStringList standingLines(const LeagueStanding& standing, qsizetype matchdays)
{
    if (standing.groups.isEmpty())
        return tableLines(standing.heading, standing.rows, matchdays);
    QStringList lines;
    for (const LeagueGroup& group : standing.groups)
        lines << (lines.isEmpty() ? QStringList() : QStringList{QString()})
              << tableLines(
                     QCoreApplication::translate("League", "%1 — %2").arg(standing.heading, group.name),
                     group.rows, matchdays);
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

QStringList phaseLines(const LeagueTable& table)
{
    QStringList lines;
    if (table.splitAfter >= 0)
        lines << (table.carry
                      ? QCoreApplication::translate("League", "Grupos feitos tras «%1».")
                      : QCoreApplication::translate(
                            "League", "Grupos feitos tras «%1»: o total conta só as xornadas despois dela."))
                     .arg(table.matchdays[table.splitAfter]);
    for (qsizetype matchday : table.waiting)
        lines << QCoreApplication::translate("League", "A división en grupos agarda pola xornada «%1».")
                     .arg(table.matchdays[matchday]);
    return lines;
}

QString asText(const LeagueTable& table)
{
    QStringList lines{table.name};
    for (qsizetype i = 0; i < table.matchdays.size(); ++i)
        lines << (table.swum[i] ? QCoreApplication::translate("League", "X%1: %2")
                                : QCoreApplication::translate("League", "X%1: %2 (sen disputar)"))
                     .arg(i + 1)
                     .arg(table.matchdays[i]);
    lines << phaseLines(table);
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
    const bool categories = !table.categories.isEmpty();
    QStringList heading{QStringLiteral("Clasificación")};
    if (categories)
        heading << QStringLiteral("Categoría");
    if (table.phased)
        heading << QStringLiteral("Grupo");
    heading << QStringLiteral("Posición") << QStringLiteral("Club");
    for (const QString& matchday : table.matchdays)
        heading << text::csvField(text::csvTextCell(matchday));
    QStringList rows{(heading << QStringLiteral("Total")).join(u',')};
    const auto add = [&](const LeagueStanding& standing, const QString& group,
                         const QList<LeagueRow>& clubs) {
        for (const LeagueRow& row : clubs) {
            QStringList cells{data::standingName(standing.which)};
            if (categories)
                cells << text::csvField(text::csvTextCell(standing.category));
            if (table.phased)
                cells << text::csvField(text::csvTextCell(group));
            cells << QString::number(row.position) << text::csvField(text::csvTextCell(row.club));
            for (const std::optional<double>& points : row.points)
                cells << (points ? csvPoints(*points) : QString());
            rows << (cells << csvPoints(row.total)).join(u',');
        }
    };
    for (const LeagueStanding& standing : table.standings) {
        add(standing, QString(), standing.rows);
        for (const LeagueGroup& group : standing.groups)
            add(standing, group.name, group.rows);
    }
    return rows.join(lineBreak) + lineBreak;
}

namespace {

QJsonArray clubsJson(const QList<LeagueRow>& rows)
{
    QJsonArray clubs;
    for (const LeagueRow& row : rows) {
        QJsonArray points;
        for (const std::optional<double>& each : row.points)
            points.append(each ? QJsonValue(*each) : QJsonValue());
        clubs.append(QJsonObject{{QStringLiteral("position"), row.position},
                                 {QStringLiteral("club"), row.club},
                                 {QStringLiteral("points"), points},
                                 {QStringLiteral("total"), row.total}});
    }
    return clubs;
}

// The standings of a category ("" for the league's own), each with its clubs or its groups.
QJsonArray standingsJson(const LeagueTable& table, const QString& category)
{
    QJsonArray standings;
    for (const LeagueStanding& standing : table.standings) {
        if (standing.category != category)
            continue;
        QJsonObject object{{QStringLiteral("standing"), data::standingName(standing.which)}};
        if (standing.groups.isEmpty())
            object.insert(QStringLiteral("clubs"), clubsJson(standing.rows));
        QJsonArray groups;
        for (const LeagueGroup& group : standing.groups)
            groups.append(QJsonObject{{QStringLiteral("name"), group.name},
                                      {QStringLiteral("clubs"), clubsJson(group.rows)}});
        if (!groups.isEmpty())
            object.insert(QStringLiteral("groups"), groups);
        standings.append(object);
    }
    return standings;
}

QJsonObject phasesJson(const LeagueTable& table)
{
    QStringList waiting;
    for (qsizetype matchday : table.waiting)
        waiting << table.matchdays[matchday];
    return {{QStringLiteral("splitAfter"),
             table.splitAfter >= 0 ? QJsonValue(table.matchdays[table.splitAfter]) : QJsonValue()},
            {QStringLiteral("carry"), table.carry},
            {QStringLiteral("waiting"), QJsonArray::fromStringList(waiting)}};
}

} // namespace

QByteArray asJson(const LeagueTable& table)
{
    QJsonObject object{{QStringLiteral("league"), table.name},
                       {QStringLiteral("matchdays"), QJsonArray::fromStringList(table.matchdays)},
                       {QStringLiteral("standings"), standingsJson(table, QString())},
                       {QStringLiteral("matchedByName"), checksJson(table.matchedByName)},
                       {QStringLiteral("oneMatchdayOnly"), checksJson(table.oneMatchdayOnly)}};
    QJsonArray categories;
    for (const QString& category : table.categories)
        categories.append(QJsonObject{{QStringLiteral("name"), category},
                                      {QStringLiteral("standings"), standingsJson(table, category)}});
    if (!categories.isEmpty())
        object.insert(QStringLiteral("categories"), categories);
    if (table.phased)
        object.insert(QStringLiteral("phases"), phasesJson(table));
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

} // namespace quilvarden::league
