#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace quilvarden::imports {

// A file inside a zip, as the zip's central directory (its index) lists it.
struct ZipEntry {
    QString name;     // decoded, as the program that wrote the zip meant it
    QString codePage; // the 8-bit code page the name was read in (CP437, Windows-1252), or empty
    bool folder = false;
    bool encrypted = false;      // protected with a password
    int method = 0;              // 0 stored, 8 Deflate: the two this program reads
    std::optional<quint64> size; // uncompressed; nothing where the zip does not say
    quint32 crc = 0;             // the checksum of the uncompressed contents
    qsizetype index = 0;         // the place in the central directory
};

// Why a zip cannot be opened at all.
enum class ZipFault {
    None,
    Empty,   // no byte at all
    CutOff,  // it starts as a zip, but the end, where the index is, is missing
    Split,   // one part of a zip split over several files
    Damaged, // the index is there but cannot be read
    NotAZip,
};

// Why one entry cannot be read.
enum class ZipReadFault {
    None,
    Encrypted,
    Method,   // compressed by a method other than Deflate (or stored)
    TooLarge, // more than the largest allowed
    Damaged,  // its data cannot be unpacked, or does not match its size or checksum
};

// A zip file held in memory: its entries as its central directory lists them, and the
// contents of any of them (stored, or compressed with Deflate).
class ZipArchive {
public:
    explicit ZipArchive(const QByteArray& bytes);

    ZipFault fault() const { return m_fault; }
    const QList<ZipEntry>& entries() const { return m_entries; }

    // The unpacked contents of an entry, into contents; never more than largest bytes.
    ZipReadFault read(const ZipEntry& entry, qint64 largest, QByteArray& contents);

private:
    // Where an entry's data is, as the central directory gives it.
    struct Place {
        qint64 header = -1;            // the local header; -1 where the directory does not say
        std::optional<quint64> packed; // the size of the data as it is in the zip
    };
    qint64 listEntry(qint64 at, qint64 end, qint64 prefix);

    QByteArray m_bytes;
    ZipFault m_fault = ZipFault::None;
    QList<ZipEntry> m_entries;
    QList<Place> m_places;
};

// The name of a zip entry as it was meant: UTF-8 where the zip says so (bit 11 of its
// flags, or an Info-ZIP Unicode path field in extra whose checksum matches the name), else
// UTF-8 when it reads as UTF-8, else CP437 or Windows-1252, whichever reads as the letters
// of a name (set in codePage).
QString zipEntryName(const QByteArray& raw, bool utf8Flag, const QByteArray& extra,
                     QString* codePage = nullptr);

// The name of a compression method of the zip format, for messages: "bzip2", "LZMA"...;
// empty for a method without a name people know.
QString zipMethodName(int method);

} // namespace quilvarden::imports
