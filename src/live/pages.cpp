#include "pages.h"

#include "text/lines.h"
#include "text/masks.h"
#include "text/names.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace quilvarden::live {

namespace {

// Rows of a standing that a projector shows at once.
constexpr qint64 BoardRows = 12;

QString escaped(const QVariant& value)
{
    return text::valueText(value).toHtmlEscaped();
}

QString points(const QVariant& value)
{
    return value.isNull() ? QString() : text::applyMask(value, u"0.00");
}

QString standingTable(const data::StandingSection& section)
{
    QString html =
        QStringLiteral("<section class=\"standing\">\n<h2>%1</h2>\n").arg(section.heading.toHtmlEscaped());
    if (section.rows.isEmpty())
        return html + QStringLiteral("<p class=\"empty\">Sen puntos.</p>\n</section>\n");
    html += QStringLiteral("<table>\n<thead><tr><th class=\"pos\">Pos.</th><th>Club</th>"
                           "<th class=\"pts\">Puntos</th></tr></thead>\n<tbody>\n");
    qint64 position = 0;
    for (const data::StandingRow& row : section.rows) {
        // The board shows a long standing a group of rows at a time; a phone sees one table.
        if (position > 0 && position % BoardRows == 0)
            html += QStringLiteral("</tbody>\n<tbody>\n");
        html += QStringLiteral(
                    "<tr><td class=\"pos\">%1</td><td class=\"club\">%2</td><td class=\"pts\">%3</td></tr>\n")
                    .arg(++position)
                    .arg(escaped(text::clubLabel(row.club)), points(row.total).toHtmlEscaped());
    }
    return html + QStringLiteral("</tbody>\n</table>\n</section>\n");
}

QString latestAwards(const QList<data::AwardRow>& latest)
{
    QString html = QStringLiteral("<section class=\"awards\">\n<h2>Últimos puntos</h2>\n");
    if (latest.isEmpty())
        return html + QStringLiteral("<p class=\"empty\">Aínda non hai puntos.</p>\n</section>\n");
    html += QStringLiteral("<ol>\n");
    for (const data::AwardRow& award : latest)
        html += QStringLiteral("<li><span class=\"event\">%1 %2%3</span> <span class=\"club\">%4</span> "
                               "<span class=\"pts\">%5</span></li>\n")
                    .arg(escaped(award.order), escaped(award.eventCode), escaped(award.gender),
                         escaped(text::clubLabel(award.club)), points(award.points).toHtmlEscaped());
    return html + QStringLiteral("</ol>\n</section>\n");
}

} // namespace

QString liveFragment(const LiveEdition& live, quint64 version, const QString& note)
{
    const publish::Edition& edition = live.edition;
    QString html = QStringLiteral("<div class=\"edition\" data-version=\"%1\">\n").arg(version);
    html += QStringLiteral(
                "<p class=\"when\"><span>Actualizado ás %1</span> · <span class=\"last\">%2</span></p>\n")
                .arg(edition.printedAt.toString(QStringLiteral("HH:mm:ss")),
                     publish::editionLines(edition).value(1).toHtmlEscaped());
    if (!note.isEmpty())
        html += QStringLiteral("<p class=\"note\" role=\"status\">%1</p>\n").arg(note.toHtmlEscaped());
    html += QStringLiteral("<div class=\"standings\">\n");
    for (const data::StandingSection& section : edition.standings.sections)
        html += standingTable(section);
    html += QStringLiteral("</div>\n") + latestAwards(live.latest) + QStringLiteral("</div>\n");
    return html;
}

QByteArray pageHtml(const QString& fragment, bool board)
{
    QString page =
        QStringLiteral(
            "<!DOCTYPE html>\n<html lang=\"gl\">\n<head>\n<meta charset=\"utf-8\">\n"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
            "<title>Clasificacións en directo</title>\n"
            "<link rel=\"stylesheet\" href=\"/live.css\">\n"
            // Without scripts the page follows the meet by reloading itself now and then.
            "<noscript><meta http-equiv=\"refresh\" content=\"20\"></noscript>\n"
            "<script src=\"/live.js\" defer></script>\n"
            "</head>\n<body class=\"%1\">\n<header>\n<h1>Clasificacións en directo</h1>\n"
            "<p class=\"offline\" role=\"status\">Reconectando…</p>\n</header>\n<main id=\"live\">\n")
            .arg(board ? QStringLiteral("board") : QStringLiteral("phone"));
    page += fragment;
    page += QStringLiteral("</main>\n");
    if (!board)
        page += QStringLiteral("<footer>\n<p>Descargar: <a href=\"/standings.pdf\">PDF</a> · "
                               "<a href=\"/standings.csv\">CSV</a> · <a href=\"/standings.json\">JSON</a> · "
                               "<a href=\"/board\">Pantalla grande</a></p>\n</footer>\n");
    page += QStringLiteral("</body>\n</html>\n");
    return page.toUtf8();
}

QByteArray streamEvent(quint64 version, const std::optional<qint64>& latestAward, const QString& fragment)
{
    const QJsonObject message{
        {QStringLiteral("version"), QJsonValue(static_cast<qint64>(version))},
        {QStringLiteral("award"), latestAward ? QJsonValue(*latestAward) : QJsonValue()},
        {QStringLiteral("html"), fragment},
    };
    // Compact JSON escapes every line break, so the message is one data line.
    return "id: " + QByteArray::number(version) +
           "\nevent: edition\ndata: " + QJsonDocument(message).toJson(QJsonDocument::Compact) + "\n\n";
}

QString unavailableNote(const QDateTime& since, const QDateTime& figuresOf)
{
    return QStringLiteral("Desde as %1 non se poden poñer ao día as clasificacións. Estas son as das %2.")
        .arg(since.toString(QStringLiteral("HH:mm:ss")), figuresOf.toString(QStringLiteral("HH:mm:ss")));
}

std::shared_ptr<Pages> renderPages(const LiveEdition& live, quint64 version, const QString& note)
{
    auto pages = std::make_shared<Pages>();
    pages->version = version;
    const QString fragment = liveFragment(live, version, note);
    pages->page = pageHtml(fragment, false);
    pages->board = pageHtml(fragment, true);
    pages->event = streamEvent(version, live.latestAwardId, fragment);
    pages->csv = publish::asCsv(live.edition).toUtf8();
    pages->json = publish::asJson(live.edition);
    return pages;
}

} // namespace quilvarden::live
