#pragma once

#include <QString>

namespace quilvarden {

// The C library's text for a failed file or network operation ("No such file or directory",
// as QFile::errorString and strerror give it) in the operator's language; a text the table
// does not know comes back as it is.
QString systemErrorText(const QString& cLibraryText);

// The same for errno's number, as the C library names it without a locale.
QString systemErrorText(int errorNumber);

} // namespace quilvarden
