#include "pages.h"

#include "text/lines.h"
#include "text/masks.h"
#include "text/names.h"

#include <QCoreApplication>
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
    return publish::pointsText(value).toHtmlEscaped();
}

// Back to the links at the top of the phone's page.
QString backLink()
{
    return QStringLiteral("<p class=\"back\"><a href=\"#top\">%1</a></p>\n")
        .arg(QCoreApplication::translate("Live", "↑ Volver ao principio").toHtmlEscaped());
}

// The club's full name; its short name beside it for the board, which shows that one when
// the full name does not fit its column. A guest's club is marked after its name, either one.
QString clubCell(const publish::Edition& edition, const data::StandingRow& row)
{
    const QString full = publish::clubName(edition, row.club);
    const QString label = text::valueText(text::clubLabel(row.club));
    const QString mark = row.guest ? u' ' + publish::guestMark() : QString();
    const QString shortName =
        full == label ? QString() : QStringLiteral(" data-short=\"%1\"").arg((label + mark).toHtmlEscaped());
    return QStringLiteral("<td class=\"club\"%1><span class=\"name\">%2</span>%3</td>")
        .arg(shortName, full.toHtmlEscaped(),
             row.guest
                 ? QStringLiteral(" <span class=\"mark\">%1</span>").arg(publish::guestMark().toHtmlEscaped())
                 : QString());
}

} // namespace

QString anchorOf(data::Standing which)
{
    switch (which) {
    case data::Standing::Men:
        return QStringLiteral("masculina");
    case data::Standing::Women:
        return QStringLiteral("feminina");
    case data::Standing::Combined:
        break;
    }
    return QStringLiteral("conxunta");
}

QString standingTable(const publish::Edition& edition, const data::StandingSection& section,
                      qsizetype category)
{
    const QString attributes = category > 0 ? QStringLiteral("id=\"%1-%2\" data-category=\"%3\"")
                                                  .arg(anchorOf(section.which), QString::number(category),
                                                       section.category.toHtmlEscaped())
                                            : QStringLiteral("id=\"%1\"").arg(anchorOf(section.which));
    QString html = QStringLiteral("<section class=\"standing\" %1>\n<h2>%2</h2>\n")
                       .arg(attributes, section.heading.toHtmlEscaped());
    if (section.rows.isEmpty())
        return html +
               QStringLiteral("<p class=\"empty\">%1</p>\n")
                   .arg(QCoreApplication::translate("Live", "Sen puntos.").toHtmlEscaped()) +
               backLink() + QStringLiteral("</section>\n");
    html += QStringLiteral("<table>\n<thead><tr><th class=\"pos\">%1</th><th>%2</th>"
                           "<th class=\"pts\">%3</th></tr></thead>\n<tbody>\n")
                .arg(QCoreApplication::translate("Live", "Pos."), QCoreApplication::translate("Live", "Club"),
                     QCoreApplication::translate("Live", "Puntos"));
    for (qsizetype shown = 0; shown < section.rows.size(); ++shown) {
        const data::StandingRow& row = section.rows[shown];
        // The board shows a long standing a group of rows at a time; a phone sees one table.
        if (shown > 0 && shown % BoardRows == 0)
            html += QStringLiteral("</tbody>\n<tbody>\n");
        html += QStringLiteral("<tr%1><td class=\"pos\">%2</td>%3<td class=\"pts\">%4</td></tr>\n")
                    .arg(row.guest ? QStringLiteral(" class=\"guest\"") : QString(),
                         publish::positionText(row), clubCell(edition, row), points(row.total));
    }
    return html + QStringLiteral("</tbody>\n</table>\n") + backLink() + QStringLiteral("</section>\n");
}

namespace {

QString latestAwards(const publish::Edition& edition, const QList<data::AwardRow>& latest)
{
    QString html = QStringLiteral("<section class=\"awards\" id=\"ultimos\">\n<h2>%1</h2>\n")
                       .arg(QCoreApplication::translate("Live", "Últimos puntos").toHtmlEscaped());
    if (latest.isEmpty())
        return html + QStringLiteral("<p class=\"empty\">%1</p>\n</section>\n")
                          .arg(QCoreApplication::translate("Live", "Aínda non hai puntos.").toHtmlEscaped());
    html += QStringLiteral("<ol>\n");
    for (const data::AwardRow& award : latest)
        html += QStringLiteral("<li><span class=\"event\">%1 %2%3</span> <span class=\"club\">%4</span> "
                               "<span class=\"pts\">%5</span>%6</li>\n")
                    .arg(escaped(award.order), escaped(award.eventCode), escaped(award.gender),
                         publish::clubName(edition, award.club).toHtmlEscaped(), points(award.points),
                         award.category.isEmpty() ? QString()
                                                  : QStringLiteral(" <span class=\"cat\">%1</span>")
                                                        .arg(award.category.toHtmlEscaped()));
    return html + QStringLiteral("</ol>\n</section>\n");
}

// The phone's choice of standings where the meet ranks categories: the meet's own first, then
// each category's. Shown by the script, which alone can act on it.
QString categoryPicker(const QStringList& categories)
{
    QString html =
        QStringLiteral(
            "<p class=\"pick\" hidden><label for=\"categoria\">%1</label> <select id=\"categoria\">\n"
            "<option value=\"\">%2</option>\n")
            .arg(QCoreApplication::translate("Live", "Clasificación:").toHtmlEscaped(),
                 QCoreApplication::translate("Live", "Xeral").toHtmlEscaped());
    for (const QString& category : categories)
        html += QStringLiteral("<option value=\"%1\">%1</option>\n").arg(category.toHtmlEscaped());
    return html + QStringLiteral("</select></p>\n");
}

} // namespace

QString liveFragment(const LiveEdition& live, quint64 version, const QString& note)
{
    const publish::Edition& edition = live.edition;
    QString html = QStringLiteral("<div class=\"edition\" data-version=\"%1\">\n").arg(version);
    html += QStringLiteral("<p class=\"when\"><span>%1</span> · <span class=\"last\">%2</span></p>\n")
                .arg(QCoreApplication::translate("Live", "Actualizado ás %1")
                         .arg(edition.printedAt.toString(QStringLiteral("HH:mm:ss")))
                         .toHtmlEscaped(),
                     publish::editionLines(edition).value(1).toHtmlEscaped());
    if (!note.isEmpty())
        html += QStringLiteral("<p class=\"note\" role=\"status\">%1</p>\n").arg(note.toHtmlEscaped());
    // The latest awards first: what a reader on a phone looks for when a result comes in.
    html += latestAwards(edition, live.latest);
    html += QStringLiteral("<div class=\"standings\">\n");
    QStringList categories;
    for (const data::StandingSection& section : edition.standings.sections)
        if (!section.category.isEmpty() && !categories.contains(section.category))
            categories << section.category;
    if (!categories.isEmpty())
        html += categoryPicker(categories);
    for (const data::StandingSection& section : edition.standings.sections)
        html += standingTable(edition, section, categories.indexOf(section.category) + 1);
    return html + QStringLiteral("</div>\n</div>\n");
}

namespace {

// The meet's name as the heading, its place and dates under it; the board also tells which
// of its pages is on screen, the phone links to each part of the page.
QString pageHeader(const QStringList& meet, const QStringList& rules, bool board, bool leagueLink)
{
    const QString title =
        meet.isEmpty() ? QCoreApplication::translate("Live", "Clasificacións en directo") : meet.first();
    QString html = QStringLiteral("<header id=\"top\">\n<div class=\"inner\">\n<h1>%1</h1>\n")
                       .arg(title.toHtmlEscaped());
    if (meet.size() > 1)
        html += QStringLiteral("<p class=\"meet\">%1</p>\n").arg(meet[1].toHtmlEscaped());
    for (const QString& line : rules)
        html += QStringLiteral("<p class=\"rules\">%1</p>\n").arg(line.toHtmlEscaped());
    if (board)
        html += QStringLiteral("<p class=\"turn\" data-template=\"%1\"></p>\n")
                    .arg(QCoreApplication::translate("Live", "páxina %1 de %2").toHtmlEscaped());
    html += QStringLiteral("<p class=\"offline\" role=\"status\">%1</p>\n")
                .arg(QCoreApplication::translate("Live", "Reconectando…").toHtmlEscaped());
    if (!board)
        html +=
            QStringLiteral("<nav class=\"jump\"><a href=\"#ultimos\">%1</a> <a href=\"#masculina\">%2</a> "
                           "<a href=\"#feminina\">%3</a> <a href=\"#conxunta\">%4</a>%5</nav>\n")
                .arg(QCoreApplication::translate("Live", "Últimos"),
                     QCoreApplication::translate("Live", "Masculina"),
                     QCoreApplication::translate("Live", "Feminina"),
                     QCoreApplication::translate("Live", "Conxunta"),
                     leagueLink ? QStringLiteral(" <a href=\"/liga\">%1</a>")
                                      .arg(QCoreApplication::translate("Live", "Liga").toHtmlEscaped())
                                : QString());
    return html + QStringLiteral("</div>\n</header>\n");
}

} // namespace

QString pageStart(const QString& title, const QString& bodyClass, const QString& events)
{
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"%3\">\n<head>\n<meta charset=\"utf-8\">\n"
                          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                          "<title>%1</title>\n"
                          "<link rel=\"stylesheet\" href=\"/live.css\">\n"
                          // Without scripts the page follows the meet by reloading itself now and then.
                          "<noscript><meta http-equiv=\"refresh\" content=\"20\"></noscript>\n"
                          "<script src=\"/live.js\" defer></script>\n"
                          "</head>\n<body class=\"%2\" data-events=\"%4\">\n")
        .arg(title.toHtmlEscaped(), bodyClass,
             QCoreApplication::translate("Live", "gl", "the language code of the page"), events);
}

QByteArray pageHtml(const QString& fragment, bool board, const QStringList& meet, const QStringList& rules,
                    bool leagueLink)
{
    const QString title =
        meet.isEmpty() ? QCoreApplication::translate("Live", "Clasificacións en directo") : meet.first();
    QString page = pageStart(title, board ? QStringLiteral("board") : QStringLiteral("phone"),
                             QStringLiteral("/events"));
    page += pageHeader(meet, rules, board, leagueLink);
    page += QStringLiteral("<main id=\"live\">\n");
    page += fragment;
    page += QStringLiteral("</main>\n");
    if (!board)
        page += QStringLiteral("<footer>\n<p>%1 <a href=\"/standings.pdf\">PDF</a> · "
                               "<a href=\"/standings.csv\">CSV</a> · <a href=\"/standings.json\">JSON</a> · "
                               "<a href=\"/board\">%2</a></p>\n</footer>\n")
                    .arg(QCoreApplication::translate("Live", "Descargar:").toHtmlEscaped(),
                         QCoreApplication::translate("Live", "Pantalla grande").toHtmlEscaped());
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
    return QCoreApplication::translate(
               "Live", "Desde as %1 non se poden poñer ao día as clasificacións. Estas son as das %2.")
        .arg(since.toString(QStringLiteral("HH:mm:ss")), figuresOf.toString(QStringLiteral("HH:mm:ss")));
}

std::shared_ptr<Pages> renderPages(const LiveEdition& live, quint64 version, const QString& note,
                                   bool leagueLink)
{
    auto pages = std::make_shared<Pages>();
    pages->version = version;
    const QString fragment = liveFragment(live, version, note);
    const QStringList meet = publish::meetLines(live.edition.meet);
    const QStringList rules = publish::rulesLines(live.edition);
    pages->page = pageHtml(fragment, false, meet, rules, leagueLink);
    pages->board = pageHtml(fragment, true, meet, rules);
    pages->event = streamEvent(version, live.latestAwardId, fragment);
    pages->csv = publish::asCsv(live.edition).toUtf8();
    pages->json = publish::asJson(live.edition);
    return pages;
}

} // namespace quilvarden::live
