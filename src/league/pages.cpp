#include "pages.h"

#include "league/output.h"
#include "publish/publish.h"

#include <QCoreApplication>
#include <QPagedPaintDevice>
#include <QTextDocument>

namespace quilvarden::league {

namespace {

// The league's own: the points' headings to the right, the phases' lines, the checks as a list.
const char leagueStyle[] = "th.pts { text-align: right; }\n"
                           "p.phase { color: #333; }\n"
                           "ul.checks { padding-left: 1.2em; }\n";

QString pointsCell(const std::optional<double>& points)
{
    return QStringLiteral("<td class=\"pts\">%1</td>")
        .arg(points ? publish::pointsText(*points).toHtmlEscaped() : QString());
}

QString tableHtml(const QString& title, const QList<LeagueRow>& rows, qsizetype matchdays)
{
    QString html = QStringLiteral("<h2>%1</h2>\n").arg(title.toHtmlEscaped());
    if (rows.isEmpty())
        return html + QStringLiteral("<p>%1</p>\n")
                          .arg(QCoreApplication::translate("League", "Sen puntos.").toHtmlEscaped());
    html += QStringLiteral("<table width=\"100%\">\n<thead><tr><th class=\"pos\">%1</th><th>%2</th>")
                .arg(QCoreApplication::translate("League", "Pos."),
                     QCoreApplication::translate("League", "Club"));
    for (qsizetype i = 0; i < matchdays; ++i)
        html += QStringLiteral("<th class=\"pts\">%1</th>")
                    .arg(QCoreApplication::translate("League", "X%1").arg(i + 1).toHtmlEscaped());
    html += QStringLiteral("<th class=\"pts\">%1</th></tr></thead>\n<tbody>\n")
                .arg(QCoreApplication::translate("League", "Total").toHtmlEscaped());
    for (const LeagueRow& row : rows) {
        html += QStringLiteral("<tr><td class=\"pos\">%1</td><td class=\"club\">%2</td>")
                    .arg(row.position)
                    .arg(row.club.toHtmlEscaped());
        for (const std::optional<double>& points : row.points)
            html += pointsCell(points);
        html += pointsCell(row.total) + QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</tbody>\n</table>\n");
}

QString checksHtml(const QString& heading, const QList<ClubCheck>& checks)
{
    if (checks.isEmpty())
        return {};
    QString html = QStringLiteral("<h2>%1</h2>\n<ul class=\"checks\">\n").arg(heading.toHtmlEscaped());
    for (const ClubCheck& check : checks)
        html += QStringLiteral("<li>%1 (%2)</li>\n")
                    .arg(check.club.toHtmlEscaped(), check.names.join(QStringLiteral("; ")).toHtmlEscaped());
    return html + QStringLiteral("</ul>\n");
}

// The matchdays, one a line, and what the phases tell.
QString matchdaysHtml(const LeagueTable& table)
{
    QStringList lines;
    for (qsizetype i = 0; i < table.matchdays.size(); ++i)
        lines << (table.swum[i] ? QCoreApplication::translate("League", "X%1: %2")
                                : QCoreApplication::translate("League", "X%1: %2 (sen disputar)"))
                     .arg(i + 1)
                     .arg(table.matchdays[i])
                     .toHtmlEscaped();
    QString html = QStringLiteral("<p class=\"meet\">%1</p>\n").arg(lines.join(QStringLiteral("<br/>")));
    for (const QString& line : phaseLines(table))
        html += QStringLiteral("<p class=\"phase\">%1</p>\n").arg(line.toHtmlEscaped());
    return html;
}

} // namespace

QString asHtml(const LeagueTable& table)
{
    QString page = publish::htmlOpening(table.name, QString::fromUtf8(leagueStyle));
    page += QStringLiteral("<h1>%1</h1>\n").arg(table.name.toHtmlEscaped()) + matchdaysHtml(table);
    for (const LeagueStanding& standing : table.standings) {
        if (standing.groups.isEmpty())
            page += tableHtml(standing.heading, standing.rows, table.matchdays.size());
        for (const LeagueGroup& group : standing.groups)
            page +=
                tableHtml(QCoreApplication::translate("League", "%1 — %2").arg(standing.heading, group.name),
                          group.rows, table.matchdays.size());
    }
    page += checksHtml(QCoreApplication::translate("League", "Clubs xuntados só polo nome, para comprobar:"),
                       table.matchedByName);
    page += checksHtml(QCoreApplication::translate("League", "Clubs que só están nunha xornada:"),
                       table.oneMatchdayOnly);
    return page + QStringLiteral("</body>\n</html>\n");
}

Result<QByteArray> asPdf(const LeagueTable& table)
{
    return publish::pdfOf(table.name, [&table](QPagedPaintDevice& device) {
        QTextDocument document;
        document.setDefaultFont(publish::pdfFace(10));
        document.setHtml(asHtml(table));
        document.print(&device);
        return true;
    });
}

} // namespace quilvarden::league
