#include "publish.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace quilvarden::publish {

// A proportional face large enough to read at arm's length. A touch of letter spacing keeps
// it from joining "fi" into one glyph, so that the text reads back from the PDF as written.
QFont pdfFace(double points, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.1);
    return font;
}

namespace {

QFont face(double points, bool bold = false)
{
    return pdfFace(points, bold);
}

struct Fonts {
    QFont meet = face(18, true);
    QFont place = face(12);
    QFont heading = face(16, true);
    QFont columns = face(11, true);
    QFont body = face(14);
    QFont small = face(10);
};

// One page: a standing, the rows of it that the page shows, and whether it goes on from the
// page before.
struct Sheet {
    qsizetype section = 0;
    qsizetype first = 0;
    qsizetype end = 0;
};

// Where everything goes, the same on every page, in the device's units.
struct Frame {
    QRect area;
    int rowsTop = 0; // the top of the first row
    int rowHeight = 0;
    int footerTop = 0; // the rule above the footer
    qsizetype rows = 0;
    int positionWidth = 0;
    int pointsWidth = 0;
    int padding = 0;
};

Frame frameOf(const Edition& edition, const QRect& page, const Fonts& fonts, QPaintDevice& device)
{
    Frame frame;
    const int margin = page.width() / 12;
    frame.area = page.adjusted(margin, margin, -margin, -margin);
    const QFontMetrics body(fonts.body, &device);
    const QFontMetrics small(fonts.small, &device);
    int top = frame.area.top();
    const QStringList meet = meetLines(edition.meet);
    for (qsizetype i = 0; i < meet.size(); ++i)
        top += QFontMetrics(i == 0 ? fonts.meet : fonts.place, &device).lineSpacing();
    for (qsizetype i = 0; i < rulesLines(edition).size(); ++i)
        top += QFontMetrics(fonts.place, &device).lineSpacing();
    if (!meet.isEmpty() || edition.standings.rules)
        top += small.lineSpacing();
    top += QFontMetrics(fonts.heading, &device).lineSpacing() * 3 / 2;
    frame.rowHeight = body.lineSpacing() * 3 / 2;
    frame.rowsTop = top + frame.rowHeight; // under the columns' names
    frame.footerTop = frame.area.bottom() - small.lineSpacing() * 5 / 2;
    frame.rows = std::max(1, (frame.footerTop - frame.rowsTop) / frame.rowHeight);
    frame.padding = body.averageCharWidth();
    frame.positionWidth = body.horizontalAdvance(QStringLiteral("0000")) + frame.padding;
    frame.pointsWidth = body.horizontalAdvance(QStringLiteral("0000,00")) + frame.padding;
    return frame;
}

// Every standing from a page of its own, a long one over as many pages as it needs: laid
// out before anything is drawn, so that each page knows how many there are.
QList<Sheet> sheetsOf(const Edition& edition, qsizetype rowsAPage)
{
    QList<Sheet> sheets;
    for (qsizetype s = 0; s < edition.standings.sections.size(); ++s) {
        const qsizetype rows = edition.standings.sections[s].rows.size();
        qsizetype first = 0;
        do {
            sheets.append({s, first, std::min(rows, first + rowsAPage)});
            first += rowsAPage;
        } while (first < rows);
    }
    return sheets;
}

// The meet, then the standing's heading (said to go on, on the pages after its first).
int paintHeading(QPainter& painter, const Edition& edition, const Sheet& sheet, const Frame& frame,
                 const Fonts& fonts)
{
    int y = frame.area.top();
    const QStringList meet = meetLines(edition.meet);
    const QStringList lines = meet + rulesLines(edition);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QFont& font = i == 0 && !meet.isEmpty() ? fonts.meet : fonts.place;
        painter.setFont(font);
        const QFontMetrics metrics(font, painter.device());
        painter.drawText(frame.area.left(), y + metrics.ascent(),
                         metrics.elidedText(lines[i], Qt::ElideRight, frame.area.width()));
        y += metrics.lineSpacing();
    }
    if (!lines.isEmpty())
        y += QFontMetrics(fonts.small, painter.device()).lineSpacing();
    const QString heading = edition.standings.sections[sheet.section].heading;
    painter.setFont(fonts.heading);
    painter.drawText(
        frame.area.left(), y + QFontMetrics(fonts.heading, painter.device()).ascent(),
        sheet.first > 0 ? QCoreApplication::translate("Publish", "%1 (continuación)").arg(heading) : heading);
    return frame.rowsTop - frame.rowHeight;
}

// One row of the table: position, club and points, in their columns; a mark after the club
// (a fourth cell) stays whole when a long name is cut.
void paintRow(QPainter& painter, const Frame& frame, int top, const QStringList& cells)
{
    const QRect row(frame.area.left(), top, frame.area.width(), frame.rowHeight);
    const int clubLeft = row.left() + frame.positionWidth + frame.padding;
    const int clubWidth = row.width() - frame.positionWidth - frame.pointsWidth - 3 * frame.padding;
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    const QString mark = cells.size() > 3 ? u' ' + cells[3] : QString();
    painter.drawText(QRect(row.left(), top, frame.positionWidth, row.height()), flags | Qt::AlignRight,
                     cells[0]);
    painter.drawText(
        QRect(clubLeft, top, clubWidth, row.height()), flags | Qt::AlignLeft,
        painter.fontMetrics().elidedText(cells[1], Qt::ElideRight,
                                         clubWidth - painter.fontMetrics().horizontalAdvance(mark)) +
            mark);
    painter.drawText(
        QRect(row.right() - frame.pointsWidth - frame.padding, top, frame.pointsWidth, row.height()),
        flags | Qt::AlignRight, cells[2]);
}

void paintTable(QPainter& painter, const Edition& edition, const Sheet& sheet, const Frame& frame,
                const Fonts& fonts, int top)
{
    const data::StandingSection& section = edition.standings.sections[sheet.section];
    painter.setFont(fonts.columns);
    paintRow(painter, frame, top,
             {QCoreApplication::translate("Publish", "Pos."), QCoreApplication::translate("Publish", "Club"),
              QCoreApplication::translate("Publish", "Puntos")});
    painter.setPen(QPen(Qt::black, frame.rowHeight / 20.0));
    painter.drawLine(frame.area.left(), frame.rowsTop, frame.area.right(), frame.rowsTop);
    painter.setFont(fonts.body);
    if (section.rows.isEmpty())
        paintRow(painter, frame, frame.rowsTop,
                 QStringList{QString(), QCoreApplication::translate("Publish", "Sen puntos."), QString()});
    int y = frame.rowsTop;
    for (qsizetype r = sheet.first; r < sheet.end; ++r, y += frame.rowHeight) {
        // Every other row shaded, so that the eye keeps to its row across the page.
        if ((r - sheet.first) % 2 == 1)
            painter.fillRect(QRect(frame.area.left(), y, frame.area.width(), frame.rowHeight),
                             QColor(0xe9, 0xef, 0xf3));
        const data::StandingRow& row = section.rows[r];
        QStringList cells{positionText(row), clubName(edition, row.club), pointsText(row.total)};
        if (row.guest)
            cells << guestMark();
        // A rule over the guests' clubs, apart from the clubs in competition.
        if (row.guest && r > 0 && !section.rows[r - 1].guest)
            painter.drawLine(frame.area.left(), y, frame.area.right(), y);
        paintRow(painter, frame, y, cells);
    }
}

// The meet, the time of the edition, the last event scored and the page's number.
void paintFooter(QPainter& painter, const Edition& edition, const Frame& frame, const Fonts& fonts,
                 qsizetype number, qsizetype pages)
{
    painter.setPen(QPen(Qt::gray, frame.rowHeight / 30.0));
    painter.drawLine(frame.area.left(), frame.footerTop, frame.area.right(), frame.footerTop);
    painter.setPen(Qt::black);
    painter.setFont(fonts.small);
    const QFontMetrics metrics(fonts.small, painter.device());
    const int first = frame.footerTop + metrics.lineSpacing() / 2 + metrics.ascent();
    // A meet's name of any length stays within the page, and clear of the page's number.
    const QString page = QCoreApplication::translate("Publish", "páxina %1 de %2").arg(number).arg(pages);
    const int pageWidth = metrics.horizontalAdvance(page);
    painter.drawText(frame.area.left(), first,
                     metrics.elidedText(meetLines(edition.meet).join(QStringLiteral(" · ")), Qt::ElideRight,
                                        frame.area.width()));
    const int second = first + metrics.lineSpacing();
    painter.drawText(frame.area.left(), second,
                     metrics.elidedText(editionLines(edition).join(QStringLiteral(" · ")), Qt::ElideRight,
                                        frame.area.width() - pageWidth - frame.padding));
    painter.drawText(frame.area.right() - pageWidth, second, page);
}

} // namespace

bool paint(const Edition& edition, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const Fonts fonts;
    const Frame frame = frameOf(edition, painter.viewport(), fonts, device);
    const QList<Sheet> sheets = sheetsOf(edition, frame.rows);
    for (qsizetype n = 0; n < sheets.size(); ++n) {
        if (n > 0)
            device.newPage();
        const int top = paintHeading(painter, edition, sheets[n], frame, fonts);
        paintTable(painter, edition, sheets[n], frame, fonts, top);
        paintFooter(painter, edition, frame, fonts, n + 1, sheets.size());
    }
    return painter.end();
}

} // namespace quilvarden::publish
