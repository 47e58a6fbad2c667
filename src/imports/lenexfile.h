#pragma once

#include "text/failure.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace quilvarden::imports {

// No meet file comes near this; a file or a zip entry that is larger (a zip bomb unpacks a
// megabyte into gigabytes) is refused, not read.
inline constexpr qint64 LargestLenex = 100 * 1024 * 1024;

// The XML text of a Lenex file as the XML reader takes it, and what is worth saying about
// how it was read (which .lef of several a .lxf holds, a text in another code page).
struct LenexXml {
    QByteArray bytes;            // for the XML reader to decode as the file declares
    std::optional<QString> text; // or the text, decoded here
    QStringList notes;
};

// The XML of a .lef file, or of the .lef inside a .lxf (a zip: the first of several, and
// said so). A file in an 8-bit code page that declares no encoding, or declares UTF-8, is
// decoded as Windows-1252, the code page of the meet programs that write such files.
// Anything else is refused, naming the file and what is wrong with it: not a regular file,
// more than 100 MB, a zip cut off, split or damaged, a .lef inside that is protected with a
// password, compressed by a method other than Deflate, damaged, or missing.
Result<LenexXml> lenexXml(const QString& path);

// The same from a file's contents. The name (a path, or a file name) tells a .lxf by its
// ending and names the file in messages.
Result<LenexXml> lenexXml(const QByteArray& contents, const QString& name);

} // namespace quilvarden::imports
