#pragma once

#include <QList>
#include <QString>

#include <optional>

// The order numbers of a programme's events as the operator types them: "1, 3, 5-9".
namespace quilvarden::text {

// The highest order number a list takes: past any programme's.
inline constexpr int HighestListedOrder = 9999;

// The order numbers of a list, from the lowest, each once: numbers and ranges ("5-9", the
// first no greater than the last) parted by commas, semicolons or blanks, each from 1. An
// empty text is an empty list; anything else that does not read (a letter, "9-5", 0, a number
// past HighestListedOrder) gives none.
std::optional<QList<int>> readOrderList(const QString& typed);

// The list as the operator would type it: from the lowest, each run of consecutive numbers
// as a range. Example: 9, 1, 5, 6, 7, 3, 8 gives "1, 3, 5-9".
QString orderListText(QList<int> orders);

} // namespace quilvarden::text
