#include "leaguepages.h"

#include "league/output.h"
#include "live/pages.h"

#include <QCoreApplication>

namespace quilvarden::live {

namespace {

QString pointsCell(const std::optional<double>& points, bool today)
{
    return QStringLiteral("<td class=\"pts%1\">%2</td>")
        .arg(today ? QStringLiteral(" today") : QString(),
             points ? publish::pointsText(*points).toHtmlEscaped() : QString());
}

QString leagueHead(const LeagueView& view)
{
    QString html =
        QStringLiteral("<thead><tr><th class=\"pos\">%1</th><th>%2</th>")
            .arg(QCoreApplication::translate("Live", "Pos."), QCoreApplication::translate("Live", "Club"));
    for (qsizetype i = 0; i < view.table.matchdays.size(); ++i)
        html += QStringLiteral("<th class=\"pts%1\">%2</th>")
                    .arg(i == view.current ? QStringLiteral(" today") : QString(),
                         QCoreApplication::translate("Live", "X%1").arg(i + 1).toHtmlEscaped());
    return html + QStringLiteral("<th class=\"pts total\">%1</th></tr></thead>\n")
                      .arg(QCoreApplication::translate("Live", "Total").toHtmlEscaped());
}

// A league standing: each club's points in every matchday (none where not swum yet) and its
// total, anchored as "liga-masculina" and so on.
QString leagueStanding(const LeagueView& view, const league::LeagueStanding& standing)
{
    QString html = QStringLiteral("<section class=\"standing league\" id=\"liga-%1\">\n<h2>%2</h2>\n")
                       .arg(anchorOf(standing.which), standing.heading.toHtmlEscaped());
    if (standing.rows.isEmpty())
        return html + QStringLiteral("<p class=\"empty\">%1</p>\n</section>\n")
                          .arg(QCoreApplication::translate("Live", "Sen puntos.").toHtmlEscaped());
    html += QStringLiteral("<div class=\"wide\"><table>\n") + leagueHead(view) + QStringLiteral("<tbody>\n");
    for (const league::LeagueRow& row : standing.rows) {
        html += QStringLiteral(
                    "<tr><td class=\"pos\">%1</td><td class=\"club\"><span class=\"name\">%2</span></td>")
                    .arg(QString::number(row.position), row.club.toHtmlEscaped());
        for (qsizetype i = 0; i < row.points.size(); ++i)
            html += pointsCell(row.points[i], i == view.current);
        html += QStringLiteral("<td class=\"pts total\">%1</td></tr>\n")
                    .arg(publish::pointsText(row.total).toHtmlEscaped());
    }
    return html + QStringLiteral("</tbody>\n</table></div>\n</section>\n");
}

// Which matchday each column is: "X1 1ª xornada · X2 2ª xornada (hoxe)".
QString matchdayKey(const LeagueView& view)
{
    QStringList names;
    for (qsizetype i = 0; i < view.table.matchdays.size(); ++i)
        names << (i == view.current ? QCoreApplication::translate("Live", "X%1 %2 (hoxe)")
                                    : QCoreApplication::translate("Live", "X%1 %2"))
                     .arg(QString::number(i + 1), view.table.matchdays[i]);
    return QStringLiteral("<p class=\"matchdays\">%1</p>\n")
        .arg(names.join(QStringLiteral(" · ")).toHtmlEscaped());
}

QString currentName(const LeagueView& view)
{
    return view.table.matchdays.value(view.current);
}

} // namespace

QString leagueFragment(const LeagueView& view, quint64 version, const QString& note)
{
    QString html = QStringLiteral("<div class=\"edition\" data-version=\"%1\">\n").arg(version);
    html += QStringLiteral("<p class=\"when\">%1</p>\n")
                .arg(QCoreApplication::translate("Live", "Actualizado ás %1")
                         .arg(view.addedUp.toString(QStringLiteral("HH:mm:ss")))
                         .toHtmlEscaped());
    if (!note.isEmpty())
        html += QStringLiteral("<p class=\"note\" role=\"status\">%1</p>\n").arg(note.toHtmlEscaped());
    html += QStringLiteral("<div class=\"standings\" id=\"liga\">\n<h2 class=\"part\">%1</h2>\n")
                .arg(QCoreApplication::translate("Live", "Clasificación da liga").toHtmlEscaped());
    html += matchdayKey(view);
    for (const league::LeagueStanding& standing : view.table.standings)
        html += leagueStanding(view, standing);
    html += QStringLiteral("</div>\n");
    if (view.matchday) {
        html += QStringLiteral("<div class=\"standings\" id=\"xornada\">\n<h2 class=\"part\">%1</h2>\n")
                    .arg(QCoreApplication::translate("Live", "%1, en curso")
                             .arg(currentName(view))
                             .toHtmlEscaped());
        // The meet's own standings; its categories' are on its own page.
        for (const data::StandingSection& section : view.matchday->standings.sections)
            if (section.category.isEmpty())
                html += standingTable(*view.matchday, section, 0);
        html += QStringLiteral("</div>\n");
    }
    return html + QStringLiteral("</div>\n");
}

namespace {

QString leagueHeader(const LeagueView& view)
{
    return QStringLiteral(
               "<header id=\"top\">\n<div class=\"inner\">\n<h1>%1</h1>\n<p class=\"meet\">%2</p>\n"
               "<p class=\"offline\" role=\"status\">%3</p>\n"
               "<nav class=\"jump\"><a href=\"#liga\">%4</a> <a href=\"#xornada\">%5</a> "
               "<a href=\"/\">%6</a></nav>\n</div>\n</header>\n")
        .arg(view.table.name.toHtmlEscaped(),
             QCoreApplication::translate("Live", "Xornada en curso: %1")
                 .arg(currentName(view))
                 .toHtmlEscaped(),
             QCoreApplication::translate("Live", "Reconectando…").toHtmlEscaped(),
             QCoreApplication::translate("Live", "Liga").toHtmlEscaped(),
             QCoreApplication::translate("Live", "Xornada").toHtmlEscaped(),
             QCoreApplication::translate("Live", "Páxina da xornada").toHtmlEscaped());
}

} // namespace

std::shared_ptr<LeaguePages> renderLeaguePages(const LeagueView& view, quint64 version, const QString& note)
{
    auto pages = std::make_shared<LeaguePages>();
    pages->version = version;
    const QString fragment = leagueFragment(view, version, note);
    QString page = pageStart(view.table.name, QStringLiteral("phone league"), QStringLiteral("/liga/events"));
    page +=
        leagueHeader(view) + QStringLiteral("<main id=\"live\">\n") + fragment + QStringLiteral("</main>\n");
    page +=
        QStringLiteral("<footer>\n<p>%1 <a href=\"/liga.json\">JSON</a></p>\n</footer>\n</body>\n</html>\n")
            .arg(QCoreApplication::translate("Live", "Descargar:").toHtmlEscaped());
    pages->page = page.toUtf8();
    pages->event = streamEvent(version, std::nullopt, fragment);
    pages->json = league::asJson(view.table);
    return pages;
}

} // namespace quilvarden::live
