#pragma once

#include "text/failure.h"

#include <QString>

#include <optional>

// The rules of the meet's points scale and of the fields the operator steps through. They
// work on the texts of the window's fields, as the operator sees them.
namespace quilvarden::calc {

// An event code holding the letter X or x anywhere is a relay event.
bool isRelay(const QString& eventCode);

// What the lookup of an event proposes for its first place: "19", or "38" with the step
// set to "2" for a relay. An individual event leaves the step as it is.
struct Proposal {
    QString points;
    std::optional<QString> step; // a new text for the step field, when it changes
};
Proposal firstPlace(const QString& eventCode);

// The points to propose after recording pointsText (the scale 19, 16, 14, 13... and twice
// that for relays). The fixed steps compare the whole text exactly ("38", "32", "19", "16",
// "14"; "19,00" or " 19" is none of them): 38 gives 32, 32 gives 28, 19 gives 16, 16 gives
// 14, and 14 gives 12 with the step set to "2" for a relay, 13 with the step set to "1"
// otherwise. Any other text: the points read leniently (a comma ends the number, so 15,5
// reads 15) minus the step read strictly, written without a mask. A step that is not a
// number is the type-mismatch error; a difference beyond a double, the overflow error.
Result<Proposal> nextPlace(const QString& pointsText, const QString& stepText, const QString& eventCode);

// Half a point more (+1) or less (-1) on the points text, exactly, in four-decimal fixed
// point: 16 gives 16,5, 16,5 gives 17. A text that is not a number is left alone (nothing);
// a number outside the fixed-point range is the overflow error.
std::optional<Result<QString>> halfPoint(const QString& pointsText, int direction);

// Whether the text of the order field names an event to look up: two characters, as in
// every programme; or three in a programme whose order numbers go past 99 (orderPlaces 3:
// 101 finds event 101, while 07 still finds event 7). Characters as they are seen.
bool looksUpOrder(const QString& orderText, int orderPlaces);

// The next order number ("+"): a text that is not a number is left alone (nothing);
// otherwise the text read leniently plus one, laid into "00" (07 gives 08, 7 gives 08,
// 99 gives 100, 1,5 gives 02, -5 gives -04).
std::optional<QString> nextOrder(const QString& orderText);

// The previous order number ("-"): nothing for a text that is not a number or whose
// strict value is not above 1; otherwise the text read leniently minus one, laid into "00"
// (02 gives 01, 1,5 gives 00).
std::optional<QString> previousOrder(const QString& orderText);

} // namespace quilvarden::calc
