#pragma once

#include "data/standings.h"
#include "text/failure.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

class QFont;
class QPagedPaintDevice;

namespace quilvarden::publish {

enum class Format { Text, Csv, Html, Pdf, Json };

// The format named by a word (text, csv, html, pdf, json) or by a file's extension (.txt,
// .csv, .html or .htm, .pdf, .json).
std::optional<Format> formatNamed(const QString& word);
std::optional<Format> formatOfFile(const QString& path);

// What is published: the standings, when they were printed and the last event scored, under
// the meet the register holds, with the clubs' full names.
struct Edition {
    data::StandingsReport standings;
    QDateTime printedAt;
    QVariant lastEvent;                     // the order number of the latest award; Null before the first
    QString source;                         // the register it was read from, which nothing may be saved over
    data::MeetIdentity meet = {};           // empty for a register that names no meet
    QHash<QString, QString> fullNames = {}; // by the short names the awards carry
};

// The standings read from the register now, the last event and the totals in one snapshot:
// the meet's three, or those of its categories the scope asks for (see data::buildStandings).
Result<Edition> currentEdition(data::Database& database, const QDateTime& printedAt,
                               const data::StandingsScope& scope = {});
// The same reads, for a caller that reads more in the same snapshot (readTogether).
Result<Edition> readEdition(data::Database& database, const QDateTime& printedAt,
                            const data::StandingsScope& scope = {});

// Whether the edition holds the standings of a category (then every format says whose).
bool hasCategories(const Edition& edition);

// The two lines that head every output: the time of printing and the last event scored.
QStringList editionLines(const Edition& edition);

// The line that names the rules the standings were made by ("Puntuación: 9-7-6-5-4-3-2-1")
// under the heading of every edition but CSV; none for a register without rules.
QStringList rulesLines(const Edition& edition);
// A standing's position as the editions write it; nothing for a guest's club, which has none.
QString positionText(const data::StandingRow& row);
// The mark after a guest's club name in the HTML and PDF editions: "(convidado)".
QString guestMark();

// The lines that head a published edition (not the text format nor CSV): the meet's name,
// then its place and dates the Galician way ("Lugo, 7–8 de decembro de 2026"). Only what the
// register knows; none for a register that names no meet.
QStringList meetLines(const data::MeetIdentity& meet);
// The dates of a meet the Galician way: "7 de decembro de 2026", "7–8 de decembro de 2026",
// "30 de novembro – 1 de decembro de 2026"; empty when the first date is unknown.
QString meetDates(const QDate& from, const QDate& to);
// Points as a published edition writes them: two decimals after a comma, no leading zeros
// ("8,00", "0,00", "12,50", "-1,00"); Null as nothing, a text that is no number as it is.
QString pointsText(const QVariant& points);
// A club as a published edition names it: its full name where the register has one, else its
// short name, cleaned of control characters and direction marks, never cut.
QString clubName(const Edition& edition, const QVariant& club);

// The standings text as the window shows it, under the edition lines and the rules' line;
// CR LF line breaks.
QString asText(const Edition& edition);
// One row per club and standing: standing, position ("convidado" for a guest's club), club,
// total with a decimal comma; where the edition holds a category's standings, its category
// after the standing (empty for the meet's own). A
// club name that a spreadsheet would take for a formula (=, +, -, @ first) starts with an
// apostrophe, as spreadsheet users write text; numbers stay numbers.
QString asCsv(const Edition& edition);
// One self-contained page that reads well on a phone.
QString asHtml(const Edition& edition);
// The start of such a page, up to and with its <body> tag: its title and the editions' style
// with more style after it.
QString htmlOpening(const QString& title, const QString& moreStyle = {});
// A PDF of A4 pages, its title given, that draw paints on; a failure when it cannot.
Result<QByteArray> pdfOf(const QString& title, const std::function<bool(QPagedPaintDevice&)>& draw);
// The editions' face for the PDF, read back from it as written.
QFont pdfFace(double points, bool bold = false);
// For programs: the edition lines' facts and each standing's clubs with position and total
// (a number, or null), as UTF-8 JSON. Where the register holds rules, also the rules (as
// rules::toJson writes them) and whether each club is a guest (whose position is null).
// The meet's own standings under "standings"; the categories' (where the edition holds any)
// under "categories", each with its name and its standings laid out the same way.
QByteArray asJson(const Edition& edition);
// The standings in one of the text formats (text, CSV, HTML, JSON); PDF is not text.
QString asTextFormat(const Edition& edition, Format format);
// The bytes of a file in any format, PDF included.
Result<QByteArray> render(const Edition& edition, Format format);

// The points of each club in each event, to check against the results sheets, under the
// edition lines (the edition's standings are left empty).
struct EventPointsEdition {
    Edition edition;
    QList<data::EventClubPoints> rows;
};

// Read from the register now: the last event and the points in one snapshot; with a category
// named, only the points of its awards (a category the meet does not have is refused).
Result<EventPointsEdition> currentEventPoints(data::Database& database, const QDateTime& printedAt,
                                              const QString& category = {});

// Only as text and as CSV: the points are for checking, not for the notice board.
bool publishesByEvent(Format format);
// The edition lines, the rules' line, a blank line, "Puntos por proba" and one line per event and club laid
// out as the window's results list (the club as one line, as in the standings), the category
// after the points where the awards have one; CR LF line breaks.
QString asText(const EventPointsEdition& points);
// One row per event and club: order number, event code, gender, club and points with a decimal
// comma and two decimals, and the category where any award has one; texts that a spreadsheet
// would take for a formula start with an apostrophe, as in the standings CSV.
QString asCsv(const EventPointsEdition& points);

// One page per standing (more when a standing is long), on whatever paged device: a PDF
// writer, a printer. False when the device cannot be painted on.
bool paint(const Edition& edition, QPagedPaintDevice& device);

// Writes the bytes that bytesOf makes to a file: to a temporary file beside it, put in its
// place only when whole, so that a failed write leaves the old file as it was. Never over one
// of the registers read from, nor over anything that is not a regular file (a device, a
// pipe, a folder). Every byte not written is a failure.
Outcome saveWhole(const QStringList& registers, const QString& path,
                  const std::function<Result<QByteArray>()>& bytesOf);

// Writes the standings to a file in the given format: to a temporary file beside it, put in
// its place only when whole, so that a failed write leaves the old file as it was. Never
// over the register the edition was read from, nor over anything that is not a regular file
// (a device, a pipe, a folder). Every byte not written is a failure.
Outcome save(const Edition& edition, Format format, const QString& path);
// The same for the points by event, as text or CSV.
Outcome save(const EventPointsEdition& points, Format format, const QString& path);

} // namespace quilvarden::publish
