#include "publish.h"

#include "text/csv.h"
#include "text/lines.h"
#include "text/masks.h"
#include "text/names.h"
#include "text/numbers.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <sys/stat.h>

namespace quilvarden::publish {

namespace {

const QString lineBreak = QStringLiteral("\r\n");

using text::csvField;

// The same file under two names (a link, another path to it): same device, same inode.
bool sameFile(const QFileInfo& a, const QFileInfo& b)
{
    struct stat first {};
    struct stat second {};
    if (::stat(QFile::encodeName(a.absoluteFilePath()).constData(), &first) != 0 ||
        ::stat(QFile::encodeName(b.absoluteFilePath()).constData(), &second) != 0)
        return a.canonicalFilePath() == b.canonicalFilePath();
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

QString total(const QVariant& value)
{
    return value.isNull() ? QString() : text::applyMask(value, u"0.00");
}

} // namespace

std::optional<Format> formatNamed(const QString& word)
{
    const QString w = word.toLower();
    if (w == u"text" || w == u"txt")
        return Format::Text;
    if (w == u"csv")
        return Format::Csv;
    if (w == u"html" || w == u"htm")
        return Format::Html;
    if (w == u"pdf")
        return Format::Pdf;
    if (w == u"json")
        return Format::Json;
    return std::nullopt;
}

std::optional<Format> formatOfFile(const QString& path)
{
    return formatNamed(QFileInfo(path).suffix());
}

Result<Edition> readEdition(data::Database& database, const QDateTime& printedAt,
                            const data::StandingsScope& scope)
{
    Result<data::StandingsReport> standings = data::buildStandings(database, scope);
    if (!standings)
        return standings.failure();
    const Result<QVariant> last = database.lastEventScored();
    if (!last)
        return last.failure();
    Result<data::MeetIdentity> meet = database.meetHeld();
    if (!meet)
        return meet.failure();
    Result<QHash<QString, QString>> fullNames = database.clubFullNames();
    if (!fullNames)
        return fullNames.failure();
    return Edition{std::move(standings).value(), printedAt, *last, database.path(), std::move(meet).value(),
                   std::move(fullNames).value()};
}

Result<Edition> currentEdition(data::Database& database, const QDateTime& printedAt,
                               const data::StandingsScope& scope)
{
    return database.readTogether<Edition>([&]() { return readEdition(database, printedAt, scope); });
}

bool hasCategories(const Edition& edition)
{
    return std::any_of(edition.standings.sections.cbegin(), edition.standings.sections.cend(),
                       [](const data::StandingSection& section) { return !section.category.isEmpty(); });
}

QStringList editionLines(const Edition& edition)
{
    return {
        QCoreApplication::translate("Publish", "Impreso o %1 ás %2")
            .arg(edition.printedAt.toString(QStringLiteral("dd/MM/yyyy")),
                 edition.printedAt.toString(QStringLiteral("HH:mm"))),
        edition.lastEvent.isNull()
            ? QCoreApplication::translate("Publish", "Aínda non se puntuou ningunha proba")
            : QCoreApplication::translate("Publish", "Última proba puntuada: %1")
                  .arg(text::valueText(edition.lastEvent)),
    };
}

QString asText(const Edition& edition)
{
    return (editionLines(edition) << rulesLines(edition) << QString() << edition.standings.text())
               .join(lineBreak) +
           lineBreak;
}

QString asCsv(const Edition& edition)
{
    // The category's column only where there are categories, so that the file of a meet that
    // ranks none reads as it always has.
    const bool categories = hasCategories(edition);
    QStringList rows{categories ? QStringLiteral("Clasificación,Categoría,Posición,Club,Total")
                                : QStringLiteral("Clasificación,Posición,Club,Total")};
    for (const data::StandingSection& section : edition.standings.sections) {
        for (const data::StandingRow& row : section.rows) {
            QStringList cells{csvField(data::standingName(section.which))};
            if (categories)
                cells << csvField(text::csvTextCell(section.category));
            // A word of the data, as the standings' names: the same in every language.
            cells << (row.guest ? QStringLiteral("convidado") : positionText(row))
                  << csvField(text::csvTextCell(text::valueText(text::clubLabel(row.club))))
                  << csvField(total(row.total));
            rows << cells.join(QLatin1Char(','));
        }
    }
    return rows.join(lineBreak) + lineBreak;
}

Result<EventPointsEdition> currentEventPoints(data::Database& database, const QDateTime& printedAt,
                                              const QString& category)
{
    return database.readTogether<EventPointsEdition>([&]() -> Result<EventPointsEdition> {
        Result<QList<data::EventClubPoints>> rows = database.pointsByEvent();
        if (!rows)
            return rows.failure();
        if (!category.isEmpty()) {
            // The category's standings know its name as the meet writes it, or refuse it.
            const Result<data::StandingsReport> named = data::buildStandings(database, {false, category});
            if (!named)
                return named.failure();
            const QString name = named->sections.value(0).category;
            rows->removeIf([&name](const data::EventClubPoints& row) { return row.category != name; });
        }
        const Result<QVariant> last = database.lastEventScored();
        if (!last)
            return last.failure();
        Result<std::optional<rules::MeetRules>> rules = database.meetRules();
        if (!rules)
            return rules.failure();
        data::StandingsReport none{{}, std::move(rules).value()};
        return EventPointsEdition{Edition{std::move(none), printedAt, *last, database.path()},
                                  std::move(rows).value()};
    });
}

bool publishesByEvent(Format format)
{
    return format == Format::Text || format == Format::Csv;
}

QString asText(const EventPointsEdition& points)
{
    QStringList lines = editionLines(points.edition);
    lines << rulesLines(points.edition) << QString()
          << QCoreApplication::translate("Publish", "Puntos por proba");
    // The order numbers as wide as the widest, so that the columns line up.
    std::optional<double> highest;
    for (const data::EventClubPoints& row : points.rows)
        if (const Result<double> order = text::readStrict(text::valueText(row.order).trimmed());
            order && (!highest || *order > *highest))
            highest = *order;
    for (const data::EventClubPoints& row : points.rows)
        lines << text::resultsLine(row.order, row.eventCode, row.gender, text::clubLabel(row.club),
                                   row.points, text::orderPlaces(highest)) +
                     (row.category.isEmpty() ? QString()
                                             : QStringLiteral("  ") + text::cleanName(row.category));
    return lines.join(lineBreak) + lineBreak;
}

QString asCsv(const EventPointsEdition& points)
{
    const auto cell = [](const QVariant& value) {
        return csvField(text::csvTextCell(text::valueText(value)));
    };
    const bool categories =
        std::any_of(points.rows.cbegin(), points.rows.cend(),
                    [](const data::EventClubPoints& row) { return !row.category.isEmpty(); });
    QStringList rows{categories ? QStringLiteral("Proba,Código,Sexo,Club,Puntos,Categoría")
                                : QStringLiteral("Proba,Código,Sexo,Club,Puntos")};
    for (const data::EventClubPoints& row : points.rows) {
        QStringList cells{cell(row.order), cell(row.eventCode), cell(row.gender),
                          cell(text::clubLabel(row.club)), csvField(total(row.points))};
        if (categories)
            cells << cell(row.category);
        rows << cells.join(QLatin1Char(','));
    }
    return rows.join(lineBreak) + lineBreak;
}

namespace {

const char htmlStyle[] =
    "body { font-family: \"DejaVu Sans\", \"Liberation Sans\", sans-serif; margin: 1em auto; padding: 0 1em;"
    " max-width: 48em; color: #111; background: #fff; }\n"
    "h1 { font-size: 1.4em; margin-bottom: 0.2em; } h2 { font-size: 1.15em; margin-top: 1.4em; }\n"
    "p.meet { margin-top: 0; font-size: 1.05em; } p.edition { color: #444; }\n"
    "table { width: 100%; border-collapse: collapse; }\n"
    "th, td { text-align: left; padding: 0.3em 0.4em; border-bottom: 1px solid #d9e1e7; }\n"
    "th { font-size: 0.85em; color: #52606b; font-weight: normal; }\n"
    "tbody tr:nth-child(even) { background: #f1f5f8; }\n"
    "td.club { overflow-wrap: anywhere; }\n"
    ".pos { width: 3em; text-align: right; }\n"
    ".pts { text-align: right; white-space: nowrap; font-variant-numeric: tabular-nums; }\n";

// Only for a register with rules: their line under the heading, the guests' clubs apart.
const char htmlRulesStyle[] = "p.meet:has(+ p.rules) { margin-bottom: 0; }\n"
                              "p.rules { margin-top: 0.2em; color: #333; }\n"
                              "tr:not(.guest) + tr.guest td { border-top: 2px solid #9aa8b3; }\n"
                              "tr.guest td { color: #52606b; font-style: italic; }\n";

// The meet's name as the page's heading and its place and dates under it; "Clasificacións"
// for a register that names no meet.
QString htmlHeading(const Edition& edition)
{
    const QStringList meet = meetLines(edition.meet);
    const bool named = !text::cleanName(edition.meet.name).isEmpty();
    QString html = QStringLiteral("<h1>%1</h1>\n")
                       .arg(named ? meet.first().toHtmlEscaped()
                                  : QCoreApplication::translate("Publish", "Clasificacións"));
    if (meet.size() > (named ? 1 : 0))
        html += QStringLiteral("<p class=\"meet\">%1</p>\n").arg(meet.last().toHtmlEscaped());
    for (const QString& line : rulesLines(edition))
        html += QStringLiteral("<p class=\"rules\">%1</p>\n").arg(line.toHtmlEscaped());
    return html;
}

QString htmlStanding(const Edition& edition, const data::StandingSection& section)
{
    QString html = QStringLiteral("<h2>%1</h2>\n").arg(section.heading.toHtmlEscaped());
    if (section.rows.isEmpty())
        return html + QStringLiteral("<p>%1</p>\n")
                          .arg(QCoreApplication::translate("Publish", "Sen puntos.").toHtmlEscaped());
    html += QStringLiteral("<table>\n<thead><tr><th class=\"pos\">%1</th><th>%2</th>"
                           "<th class=\"pts\">%3</th></tr></thead>\n<tbody>\n")
                .arg(QCoreApplication::translate("Publish", "Pos."),
                     QCoreApplication::translate("Publish", "Club"),
                     QCoreApplication::translate("Publish", "Puntos"));
    for (const data::StandingRow& row : section.rows)
        html +=
            QStringLiteral("<tr%1><td class=\"pos\">%2</td><td class=\"club\">%3%4</td>"
                           "<td class=\"pts\">%5</td></tr>\n")
                .arg(row.guest ? QStringLiteral(" class=\"guest\"") : QString(), positionText(row),
                     clubName(edition, row.club).toHtmlEscaped(),
                     row.guest
                         ? QStringLiteral(" <span class=\"mark\">%1</span>").arg(guestMark().toHtmlEscaped())
                         : QString(),
                     pointsText(row.total).toHtmlEscaped());
    return html + QStringLiteral("</tbody>\n</table>\n");
}

} // namespace

QString htmlOpening(const QString& title, const QString& moreStyle)
{
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"%3\">\n<head>\n<meta charset=\"utf-8\"/>\n"
                          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n"
                          "<title>%1</title>\n<style>\n%2</style>\n</head>\n<body>\n")
        .arg(title.toHtmlEscaped(), QString::fromUtf8(htmlStyle) + moreStyle,
             QCoreApplication::translate("Publish", "gl", "the language code of the page"));
}

QString asHtml(const Edition& edition)
{
    const QStringList meet = meetLines(edition.meet);
    const QString title =
        text::cleanName(edition.meet.name).isEmpty()
            ? QCoreApplication::translate("Publish", "Clasificacións")
            : QCoreApplication::translate("Publish", "%1: clasificacións").arg(meet.first());
    QString page =
        htmlOpening(title, edition.standings.rules ? QString::fromUtf8(htmlRulesStyle) : QString());
    page += htmlHeading(edition);
    const QStringList edit = editionLines(edition);
    page += QStringLiteral("<p class=\"edition\">%1<br/>%2</p>\n")
                .arg(edit[0].toHtmlEscaped(), edit[1].toHtmlEscaped());
    for (const data::StandingSection& section : edition.standings.sections)
        page += htmlStanding(edition, section);
    page += QStringLiteral("</body>\n</html>\n");
    return page;
}

namespace {

// The meet as the register holds it: its name, place and ISO dates, each null where unknown;
// null for a register that names no meet.
QJsonValue meetJson(const data::MeetIdentity& meet)
{
    if (meet.isEmpty())
        return QJsonValue();
    const auto textOrNull = [](const QString& value) {
        const QString clean = text::cleanName(value);
        return clean.isEmpty() ? QJsonValue() : QJsonValue(clean);
    };
    const auto dateOrNull = [](const QDate& date) {
        return date.isValid() ? QJsonValue(date.toString(Qt::ISODate)) : QJsonValue();
    };
    return QJsonObject{{QStringLiteral("name"), textOrNull(meet.name)},
                       {QStringLiteral("place"), textOrNull(meet.place)},
                       {QStringLiteral("from"), dateOrNull(meet.from)},
                       {QStringLiteral("to"), dateOrNull(meet.to)}};
}

} // namespace

namespace {

// The standings of one category (empty: the meet's own), each with its clubs.
QJsonArray standingsJson(const Edition& edition, const QString& category)
{
    QJsonArray standings;
    for (const data::StandingSection& section : edition.standings.sections) {
        if (section.category != category)
            continue;
        QJsonArray clubs;
        for (const data::StandingRow& row : section.rows) {
            const QVariant club = text::clubLabel(row.club);
            QJsonObject entry{
                {QStringLiteral("position"), row.position ? QJsonValue(*row.position) : QJsonValue()},
                {QStringLiteral("club"), club.isNull() ? QJsonValue() : QJsonValue(text::valueText(club))},
                {QStringLiteral("name"),
                 row.club.isNull() ? QJsonValue() : QJsonValue(clubName(edition, row.club))},
                {QStringLiteral("total"),
                 row.total.isNull() ? QJsonValue() : QJsonValue(row.total.toDouble())},
            };
            if (edition.standings.rules)
                entry.insert(QStringLiteral("guest"), row.guest);
            clubs.append(entry);
        }
        standings.append(QJsonObject{{QStringLiteral("standing"), data::standingName(section.which)},
                                     {QStringLiteral("heading"), section.heading},
                                     {QStringLiteral("clubs"), clubs}});
    }
    return standings;
}

} // namespace

QByteArray asJson(const Edition& edition)
{
    QJsonObject document{
        {QStringLiteral("meet"), meetJson(edition.meet)},
        {QStringLiteral("printedAt"), edition.printedAt.toString(Qt::ISODate)},
        {QStringLiteral("lastEvent"),
         edition.lastEvent.isNull() ? QJsonValue() : QJsonValue(text::valueText(edition.lastEvent))},
        {QStringLiteral("standings"), standingsJson(edition, {})},
    };
    if (hasCategories(edition)) {
        QJsonArray categories;
        QStringList done;
        for (const data::StandingSection& section : edition.standings.sections)
            if (!section.category.isEmpty() && !done.contains(section.category)) {
                done << section.category;
                categories.append(
                    QJsonObject{{QStringLiteral("name"), section.category},
                                {QStringLiteral("standings"), standingsJson(edition, section.category)}});
            }
        document.insert(QStringLiteral("categories"), categories);
    }
    if (edition.standings.rules)
        document.insert(QStringLiteral("rules"),
                        QJsonDocument::fromJson(rules::toJson(*edition.standings.rules)).object());
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

QString asTextFormat(const Edition& edition, Format format)
{
    switch (format) {
    case Format::Csv:
        return asCsv(edition);
    case Format::Html:
        return asHtml(edition);
    case Format::Json:
        return QString::fromUtf8(asJson(edition));
    case Format::Text:
    case Format::Pdf:
        break;
    }
    return asText(edition);
}

Result<QByteArray> render(const Edition& edition, Format format)
{
    if (format == Format::Json)
        return asJson(edition);
    if (format != Format::Pdf)
        return asTextFormat(edition, format).toUtf8();
    const QStringList meet = meetLines(edition.meet);
    return pdfOf(meet.isEmpty() ? QCoreApplication::translate("Publish", "Clasificacións") : meet.first(),
                 [&edition](QPagedPaintDevice& device) { return paint(edition, device); });
}

Result<QByteArray> pdfOf(const QString& title, const std::function<bool(QPagedPaintDevice&)>& draw)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("quilvarden"));
    if (!draw(writer))
        return Failure::database(Failure::CannotOpenFile,
                                 QCoreApplication::translate("Publish", "Non se puido debuxar o PDF."));
    return bytes;
}

namespace {

// Refused where the path is one of the registers read from, or a file the engine keeps beside it.
std::optional<QString> partOfARegister(const QFileInfo& target, const QStringList& registers)
{
    for (const QString& source : registers) {
        if (target.exists() && sameFile(target, QFileInfo(source)))
            return QCoreApplication::translate("Publish", "é a base de datos dos resultados.");
        // Nor over the files the engine keeps beside it while it writes.
        for (const char* side : {"-journal", "-wal", "-shm"})
            if (target.absoluteFilePath() == QFileInfo(source).absoluteFilePath() + QLatin1String(side))
                return QCoreApplication::translate("Publish", "é parte da base de datos dos resultados.");
    }
    return std::nullopt;
}

} // namespace

Outcome saveWhole(const QStringList& registers, const QString& path,
                  const std::function<Result<QByteArray>()>& bytesOf)
{
    const QFileInfo target(path);
    const auto refused = [&path](const QString& why) {
        return Failure::database(
            Failure::CannotOpenFile,
            QCoreApplication::translate("Publish", "Non se garda en %1: %2").arg(path, why));
    };
    if (target.exists() && !target.isFile())
        return refused(QCoreApplication::translate(
            "Publish", "non é un ficheiro normal (é un cartafol, un dispositivo ou unha tubería)."));
    if (const std::optional<QString> why = partOfARegister(target, registers))
        return refused(*why);

    Result<QByteArray> rendered = bytesOf();
    if (!rendered)
        return rendered.failure();
    const QByteArray& bytes = *rendered;
    // Unbuffered, so that a short write (a full disk, a size limit) shows at once and the
    // old file is never replaced by a cut one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Failure::database(Failure::CannotOpenFile,
                                 QStringLiteral("%1: %2").arg(path, file.errorString()));
    const qint64 written = file.write(bytes);
    if (written != bytes.size()) {
        const QString why = file.error() != QFileDevice::NoError
                                ? file.errorString()
                                : QString::fromLocal8Bit(std::strerror(errno));
        file.cancelWriting();
        return Failure::database(
            Failure::DiskError,
            QCoreApplication::translate("Publish", "Non se puido escribir %1 (%2 de %3 bytes): %4")
                .arg(path, QString::number(std::max<qint64>(written, 0)), QString::number(bytes.size()),
                     why));
    }
    if (!file.commit())
        return Failure::database(Failure::DiskError,
                                 QCoreApplication::translate("Publish", "Non se puido escribir %1: %2")
                                     .arg(path, file.errorString()));
    return Done{};
}

namespace {

QStringList sourcesOf(const Edition& edition)
{
    return edition.source.isEmpty() ? QStringList() : QStringList{edition.source};
}

} // namespace

Outcome save(const Edition& edition, Format format, const QString& path)
{
    return saveWhole(sourcesOf(edition), path, [&] { return render(edition, format); });
}

Outcome save(const EventPointsEdition& points, Format format, const QString& path)
{
    if (!publishesByEvent(format))
        return Failure::database(
            Failure::CannotOpenFile,
            QCoreApplication::translate("Publish", "Os puntos por proba só se gardan como texto ou CSV."));
    return saveWhole(sourcesOf(points.edition), path, [&]() -> Result<QByteArray> {
        return (format == Format::Csv ? asCsv(points) : asText(points)).toUtf8();
    });
}

} // namespace quilvarden::publish
