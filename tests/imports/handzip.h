#pragma once

#include <QByteArray>
#include <QList>

#include <optional>
#include <utility>
#include <zlib.h>

// Zip files written byte by byte, so that a test can make any of them: names in any bytes,
// any flags and compression method, sizes after the data or in ZIP64 fields.
namespace testsupport {

struct HandZipEntry {
    HandZipEntry(QByteArray entryName, QByteArray contents, quint16 entryFlags = 0, quint16 entryMethod = 0,
                 quint32 externalAttributes = 0)
        : name(std::move(entryName)), data(std::move(contents)), flags(entryFlags), method(entryMethod),
          attributes(externalAttributes)
    {
    }

    QByteArray name;
    QByteArray data;                 // stored as it is: the method only names it
    quint16 flags = 0;               // 1 encrypted, 8 sizes after the data, 0x800 UTF-8 name
    quint16 method = 0;              // 0 stored, 8 Deflate (data deflated here), any other as it is
    quint32 attributes = 0;          // external attributes: 0x10 an MS-DOS folder
    QByteArray extra;                // the central directory's extra field
    std::optional<quint32> crc = {}; // a checksum other than the data's
    bool zip64 = false;              // sizes and offsets in ZIP64 fields, and the ZIP64 end records
};

inline QByteArray littleEndian(quint64 value, int width)
{
    QByteArray bytes;
    for (int i = 0; i < width; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

inline QByteArray deflated(const QByteArray& data)
{
    z_stream stream{};
    QByteArray out(static_cast<qsizetype>(compressBound(static_cast<uLong>(data.size()))) + 64, '\0');
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.truncate(static_cast<qsizetype>(stream.total_out));
    deflateEnd(&stream);
    return out;
}

// The entries, then the central directory and its end record; disk numbers other than 0
// make the last part of a split zip.
inline QByteArray handZip(const QList<HandZipEntry>& entries, quint16 disk = 0)
{
    QByteArray zip;
    QByteArray directory;
    bool zip64 = false;
    for (const HandZipEntry& entry : entries) {
        const QByteArray data = entry.method == 8 ? deflated(entry.data) : entry.data;
        const auto size = static_cast<quint64>(entry.data.size());
        const auto packed = static_cast<quint64>(data.size());
        const auto offset = static_cast<quint64>(zip.size());
        const quint32 crc = entry.crc.value_or(static_cast<quint32>(
            crc32(0, reinterpret_cast<const Bytef*>(entry.data.constData()), static_cast<uInt>(size))));
        const bool after = (entry.flags & 8) != 0;
        const QByteArray sizes = entry.zip64 ? littleEndian(0xFFFFFFFF, 4) + littleEndian(0xFFFFFFFF, 4)
                                             : littleEndian(packed, 4) + littleEndian(size, 4);
        // ZIP64 fields: the sizes in the local header; the sizes and the offset in the directory.
        const QByteArray local64 = entry.zip64 ? littleEndian(1, 2) + littleEndian(16, 2) +
                                                     littleEndian(size, 8) + littleEndian(packed, 8)
                                               : QByteArray();
        const QByteArray extra =
            (entry.zip64 ? littleEndian(1, 2) + littleEndian(24, 2) + littleEndian(size, 8) +
                               littleEndian(packed, 8) + littleEndian(offset, 8)
                         : QByteArray()) +
            entry.extra;
        const QByteArray common = littleEndian(entry.zip64 ? 45 : 20, 2) + littleEndian(entry.flags, 2) +
                                  littleEndian(entry.method, 2) + littleEndian(0x5A210000, 4);
        const QByteArray nameLength = littleEndian(static_cast<quint64>(entry.name.size()), 2);
        zip += "PK\x03\x04" + common + (after ? QByteArray(12, '\0') : littleEndian(crc, 4) + sizes) +
               nameLength + littleEndian(static_cast<quint64>(local64.size()), 2) + entry.name + local64 +
               data;
        if (after)
            zip += "PK\x07\x08" + littleEndian(crc, 4) + sizes;
        directory += "PK\x01\x02" + littleEndian(entry.zip64 ? 45 : 20, 2) + common + littleEndian(crc, 4) +
                     sizes + nameLength + littleEndian(static_cast<quint64>(extra.size()), 2) +
                     QByteArray(6, '\0') + littleEndian(entry.attributes, 4) +
                     littleEndian(entry.zip64 ? 0xFFFFFFFF : offset, 4) + entry.name + extra;
        zip64 = zip64 || entry.zip64;
    }
    const auto count = static_cast<quint64>(entries.size());
    const auto start = static_cast<quint64>(zip.size());
    const auto length = static_cast<quint64>(directory.size());
    zip += directory;
    if (zip64) {
        const auto record = static_cast<quint64>(zip.size());
        zip += "PK\x06\x06" + littleEndian(44, 8) + littleEndian(45, 2) + littleEndian(45, 2) +
               QByteArray(8, '\0') + littleEndian(count, 8) + littleEndian(count, 8) +
               littleEndian(length, 8) + littleEndian(start, 8);
        zip += "PK\x06\x07" + littleEndian(0, 4) + littleEndian(record, 8) + littleEndian(1, 4);
    }
    zip += "PK\x05\x06" + littleEndian(disk, 2) + littleEndian(disk, 2) +
           littleEndian(zip64 ? 0xFFFF : count, 2) + littleEndian(zip64 ? 0xFFFF : count, 2) +
           littleEndian(zip64 ? 0xFFFFFFFF : length, 4) + littleEndian(zip64 ? 0xFFFFFFFF : start, 4) +
           littleEndian(0, 2);
    return zip;
}

} // namespace testsupport
