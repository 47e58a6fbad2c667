#pragma once

#include <QString>
#include <QVariant>

namespace quilvarden::data {

// A column's value as the window shows it: a text as it stands, a number written by the
// program's number rules. A Null has no text; callers decide what stands for it.
QString columnText(const QVariant& value);

} // namespace quilvarden::data
