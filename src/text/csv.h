#pragma once

#include <QString>

namespace quilvarden::text {

// The cells of the program's CSV files.

// A text that a spreadsheet would read as a formula (=, +, -, @ first) starts with an
// apostrophe, as spreadsheet users write text.
QString csvTextCell(const QString& value);
// A field quoted where it holds a quote, a comma or a line break (quotes doubled).
QString csvField(const QString& value);

} // namespace quilvarden::text
