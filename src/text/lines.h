#pragma once

#include <QString>
#include <QVariant>
#include <QtGlobal>

#include <optional>

namespace quilvarden::text {

// The fixed-width lines of the results list and the standings. Values come as the database
// gives them (texts as texts, numbers as numbers, Null as nothing) or as the texts of the
// window's fields; the masks make the same line of both.

// One award: order number right-aligned in 2 places, a blank, event code and gender code
// joined and right-aligned in 7, a blank, the club left-aligned in 8, and the points laid
// into "0.00" and then right-aligned in 6 (no blank before them: a points text of six
// characters follows the club directly).
// Example: 07, 100L, M, VIGO, 19 gives "07   100LM VIGO     19,00".
// A programme whose order numbers go past 99 (101-125, 998) widens the order number to 3
// places on every line, so that the columns still line up.
QString resultsLine(const QVariant& order, const QVariant& eventCode, const QVariant& gender,
                    const QVariant& club, const QVariant& points, int orderPlaces = 2);

// An award's line with the category it scores in after the points, a blank apart; the line as
// it is for an award of no category.
// Example: "07   100LM VIGO     19,00" and "25-29" give "07   100LM VIGO     19,00 25-29".
QString withCategory(const QString& line, const QString& category);

// The places of the order numbers on the results lines of a programme: 2, or 3 when its
// largest order number is 100 or more.
int orderPlaces(const std::optional<double>& highestOrder);

// One club's place in a standing: the position right-aligned in 3, two blanks, the club
// left-aligned in 8 (as one line: see clubLabel), and the total laid into "00.00" and then
// right-aligned in 9.
// Example: 1, CLUBA, 57.5 gives "  1  CLUBA" then seven blanks and "57,50" (22 characters).
QString standingsLine(qint64 position, const QVariant& club, const QVariant& total);
// A guest's club in a standing: no position (its three places blank), the club and the total
// as above, and the word "(convidado)" after two blanks.
// Example: CEE, 16 gives five blanks, "CEE", nine blanks and "16,00  (convidado)".
QString guestStandingsLine(const QVariant& club, const QVariant& total);

// The headings of the three standings, in the order they are built: sources for
// QCoreApplication::translate("Text", …), read in the operator's language when shown.
inline constexpr char MenHeading[] = QT_TRANSLATE_NOOP("Text", "Clasificación Masculina");
inline constexpr char WomenHeading[] = QT_TRANSLATE_NOOP("Text", "Clasificación Feminina");
inline constexpr char CombinedHeading[] = QT_TRANSLATE_NOOP("Text", "Clasificación Conxunta");

// The line break of the standings text: carriage return and line feed.
inline constexpr char StandingsLineBreak[] = "\r\n";

} // namespace quilvarden::text
