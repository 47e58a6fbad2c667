#include "zipfile.h"

#include <QStringDecoder>

#include <algorithm>
#include <climits>
#include <iterator>
#include <zlib.h>

// The zip format as PKWARE's APPNOTE describes it: the end of central directory record
// (with its ZIP64 locator and record), the central directory that lists every entry, and
// each entry's local header before its data. Only the central directory is trusted for the
// sizes, the method and the checksum, as unzip does.

namespace quilvarden::imports {

namespace {

// A field of 16 or 32 bits that holds this value has its true value in the ZIP64 field.
constexpr quint64 InZip64Field16 = 0xFFFF;
constexpr quint64 InZip64Field32 = 0xFFFFFFFF;
constexpr qint64 EndRecordSize = 22;
constexpr qint64 CentralHeaderSize = 46;
constexpr qint64 LocalHeaderSize = 30;

quint32 checksum(const char* data, qint64 size)
{
    uLong crc = crc32(0, nullptr, 0);
    for (qint64 at = 0; at < size;) {
        const auto chunk = static_cast<uInt>(std::min<qint64>(size - at, UINT_MAX));
        crc = crc32(crc, reinterpret_cast<const Bytef*>(data + at), chunk);
        at += chunk;
    }
    return static_cast<quint32>(crc);
}

// A number of width bytes, least significant first, that the caller has checked is there.
quint64 littleEndian(const QByteArray& bytes, qint64 at, int width)
{
    quint64 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[static_cast<qsizetype>(at) + i]);
    return value;
}

// The data of the first field with this id in a zip's extra data (id, size, data, ...).
std::optional<QByteArray> extraField(const QByteArray& extra, quint32 id)
{
    for (qsizetype at = 0; at + 4 <= extra.size();) {
        const auto size = static_cast<qsizetype>(littleEndian(extra, at + 2, 2));
        if (at + 4 + size > extra.size())
            break;
        if (littleEndian(extra, at, 2) == id)
            return extra.mid(at + 4, size);
        at += 4 + size;
    }
    return std::nullopt;
}

// Bytes 0x80 to 0xFF of code page 437, the zip format's own for names not marked UTF-8.
constexpr char16_t Cp437[] = u"ÇüéâäàåçêëèïîìÄÅÉæÆôöòûùÿÖÜ¢£¥₧ƒáíóúñÑªº¿⌐¬½¼¡«»░▒▓│┤╡╢╖╕╣║╗╝╜╛┐"
                             u"└┴┬├─┼╞╟╚╔╩╦╠═╬╧╨╤╥╙╘╒╓╫╪┘┌█▄▌▐▀αßΓπΣσµτΦΘΩδ∞φε∩≡±≥≤⌠⌡÷≈°∙·√ⁿ²■\u00A0";
static_assert(std::size(Cp437) == 128 + 1);
// Bytes 0x80 to 0x9F of Windows-1252 (from 0xA0 on it is Latin-1); the five it leaves
// undefined stay Latin-1's control characters.
constexpr char16_t Windows1252[] =
    u"€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090\u2018\u2019\u201C\u201D•–—˜™š›œ\u009DžŸ";
static_assert(std::size(Windows1252) == 32 + 1);

QString fromCodePage(const QByteArray& raw, const char16_t* high, unsigned first, unsigned last)
{
    QString text;
    text.reserve(raw.size());
    for (const char byte : raw) {
        const auto c = static_cast<unsigned char>(byte);
        text += c >= first && c <= last ? QChar(high[c - first]) : QChar(char16_t{c});
    }
    return text;
}

// How well a text reads as a name: two points for each letter with a diacritic that
// the names of meets and clubs carry (á, ñ, ç, ü...), one for any other Latin letter out
// of ASCII, none for box drawing, Greek, symbols or control characters.
int nameLikeness(const QString& text)
{
    static const QString common = QStringLiteral("áéíóúàèìòùâêîôûäëïöüñçãõåæøœÁÉÍÓÚÀÈÌÒÙÂÊÎÔÛÄËÏÖÜÑÇÃÕÅÆØŒ");
    int score = 0;
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            continue;
        if (common.contains(c))
            score += 2;
        else if (c.isLetter() && c.script() == QChar::Script_Latin)
            score += 1;
    }
    return score;
}

// Where the zip's central directory is, as its end records give it.
struct Directory {
    qint64 start = 0;  // of the central directory, in the bytes
    qint64 end = 0;    // where the end records start: the directory must stop there
    quint64 count = 0; // entries
    qint64 prefix = 0; // bytes before the zip (a self-extracting program): offsets count from there
};

bool has(const QByteArray& bytes, qint64 at, qint64 size)
{
    return at >= 0 && size >= 0 && at <= bytes.size() && size <= bytes.size() - at;
}

bool signatureAt(const QByteArray& bytes, qint64 at, const char* signature)
{
    return has(bytes, at, 4) && bytes.mid(static_cast<qsizetype>(at), 4) == QByteArrayView(signature, 4);
}

// The last end of central directory record, within the 22 bytes and the longest comment
// (64 KiB) at the end of the bytes; -1 where there is none.
qint64 endRecordAt(const QByteArray& bytes)
{
    const qint64 first = std::max<qint64>(0, bytes.size() - EndRecordSize - 0xFFFF);
    for (qint64 at = bytes.size() - EndRecordSize; at >= first; --at)
        if (signatureAt(bytes, at, "PK\x05\x06"))
            return at;
    return -1;
}

// The ZIP64 end of central directory record that the locator just before the end record
// points to, for a zip whose end record leaves its numbers to it.
std::optional<Directory> zip64Directory(const QByteArray& bytes, qint64 end, ZipFault& fault)
{
    const qint64 locator = end - 20;
    if (!signatureAt(bytes, locator, "PK\x06\x07"))
        return std::nullopt;
    if (littleEndian(bytes, locator + 16, 4) > 1) {
        fault = ZipFault::Split;
        return std::nullopt;
    }
    const quint64 record = littleEndian(bytes, locator + 8, 8);
    if (record > static_cast<quint64>(locator) || !has(bytes, static_cast<qint64>(record), 56) ||
        !signatureAt(bytes, static_cast<qint64>(record), "PK\x06\x06"))
        return std::nullopt;
    const auto at = static_cast<qint64>(record);
    if (littleEndian(bytes, at + 16, 4) != 0 || littleEndian(bytes, at + 20, 4) != 0) {
        fault = ZipFault::Split;
        return std::nullopt;
    }
    const quint64 size = littleEndian(bytes, at + 40, 8);
    const quint64 offset = littleEndian(bytes, at + 48, 8);
    if (size > static_cast<quint64>(at) || offset > static_cast<quint64>(at) - size)
        return std::nullopt;
    return Directory{at - static_cast<qint64>(size), at, littleEndian(bytes, at + 32, 8),
                     at - static_cast<qint64>(size + offset)};
}

// Where the central directory is, or why it cannot be found: the end record missing (a zip
// cut off, or no zip at all), naming other disks (one part of a split zip), or not right.
std::optional<Directory> findDirectory(const QByteArray& bytes, ZipFault& fault)
{
    const qint64 end = endRecordAt(bytes);
    if (end < 0) {
        fault = bytes.isEmpty()                  ? ZipFault::Empty
                : bytes.startsWith("PK\x07\x08") ? ZipFault::Split
                : bytes.startsWith("PK\x03\x04") ? ZipFault::CutOff
                                                 : ZipFault::NotAZip;
        return std::nullopt;
    }
    const quint64 count = littleEndian(bytes, end + 10, 2);
    const quint64 size = littleEndian(bytes, end + 12, 4);
    const quint64 offset = littleEndian(bytes, end + 16, 4);
    fault = ZipFault::Damaged;
    if (count == InZip64Field16 || size == InZip64Field32 || offset == InZip64Field32)
        if (std::optional<Directory> directory = zip64Directory(bytes, end, fault)) {
            fault = ZipFault::None;
            return directory;
        }
    if (fault == ZipFault::Split || littleEndian(bytes, end + 4, 2) != 0 ||
        littleEndian(bytes, end + 6, 2) != 0) {
        fault = ZipFault::Split;
        return std::nullopt;
    }
    if (size > static_cast<quint64>(end) || offset > static_cast<quint64>(end) - size)
        return std::nullopt;
    fault = ZipFault::None;
    return Directory{end - static_cast<qint64>(size), end, count, end - static_cast<qint64>(size + offset)};
}

// Deflate data, unpacked into contents up to one byte past largest.
ZipReadFault inflated(const char* data, qint64 size, qint64 largest, QByteArray& contents)
{
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return ZipReadFault::Damaged;
    QByteArray buffer(65536, Qt::Uninitialized);
    qint64 given = 0;
    int status = Z_OK;
    while (status == Z_OK && contents.size() <= largest) {
        if (stream.avail_in == 0 && given < size) {
            const auto chunk = static_cast<uInt>(std::min<qint64>(size - given, 1 << 20));
            stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data + given));
            stream.avail_in = chunk;
            given += chunk;
        }
        stream.next_out = reinterpret_cast<Bytef*>(buffer.data());
        stream.avail_out = static_cast<uInt>(buffer.size());
        status = inflate(&stream, Z_NO_FLUSH);
        contents.append(buffer.constData(), buffer.size() - static_cast<qsizetype>(stream.avail_out));
    }
    inflateEnd(&stream);
    if (contents.size() > largest)
        return ZipReadFault::TooLarge;
    return status == Z_STREAM_END ? ZipReadFault::None : ZipReadFault::Damaged;
}

} // namespace

QString zipEntryName(const QByteArray& raw, bool utf8Flag, const QByteArray& extra, QString* codePage)
{
    if (codePage)
        codePage->clear();
    if (utf8Flag)
        return QString::fromUtf8(raw);
    // Info-ZIP's Unicode path field: version 1, the checksum of the name it stands for, the name.
    if (const std::optional<QByteArray> field = extraField(extra, 0x7075);
        field && field->size() >= 5 && field->at(0) == 1 &&
        littleEndian(*field, 1, 4) == checksum(raw.constData(), raw.size()))
        return QString::fromUtf8(field->mid(5));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString asUtf8 = utf8.decode(raw);
    if (!utf8.hasError())
        return asUtf8;
    const QString cp437 = fromCodePage(raw, Cp437, 0x80, 0xFF);
    const QString windows = fromCodePage(raw, Windows1252, 0x80, 0x9F);
    const bool windowsReadsBetter = nameLikeness(windows) > nameLikeness(cp437);
    if (codePage)
        *codePage = windowsReadsBetter ? QStringLiteral("Windows-1252") : QStringLiteral("CP437");
    return windowsReadsBetter ? windows : cp437;
}

QString zipMethodName(int method)
{
    switch (method) {
    case 1:
        return QStringLiteral("Shrink");
    case 6:
        return QStringLiteral("Implode");
    case 9:
        return QStringLiteral("Deflate64");
    case 12:
        return QStringLiteral("bzip2");
    case 14:
        return QStringLiteral("LZMA");
    case 93:
        return QStringLiteral("Zstandard");
    case 95:
        return QStringLiteral("XZ");
    case 98:
        return QStringLiteral("PPMd");
    default:
        return {};
    }
}

ZipArchive::ZipArchive(const QByteArray& bytes) : m_bytes(bytes)
{
    const std::optional<Directory> directory = findDirectory(bytes, m_fault);
    if (!directory)
        return;
    qint64 at = directory->start;
    for (quint64 i = 0; i < directory->count; ++i) {
        at = listEntry(at, directory->end, directory->prefix);
        if (at < 0) {
            m_fault = ZipFault::Damaged;
            m_entries.clear();
            m_places.clear();
            return;
        }
    }
}

// The entry whose central directory header is at at (it must end before end), listed; where
// the next header starts, or -1 where this one is not right.
qint64 ZipArchive::listEntry(qint64 at, qint64 end, qint64 prefix)
{
    if (!signatureAt(m_bytes, at, "PK\x01\x02") || !has(m_bytes, at, CentralHeaderSize))
        return -1;
    const auto field = [&](qint64 offset, int width) { return littleEndian(m_bytes, at + offset, width); };
    const qint64 nameLength = static_cast<qint64>(field(28, 2));
    const qint64 extraLength = static_cast<qint64>(field(30, 2));
    const qint64 next = at + CentralHeaderSize + nameLength + extraLength + static_cast<qint64>(field(32, 2));
    if (next > end)
        return -1;
    const QByteArray raw =
        m_bytes.mid(static_cast<qsizetype>(at + CentralHeaderSize), static_cast<qsizetype>(nameLength));
    const QByteArray extra = m_bytes.mid(static_cast<qsizetype>(at + CentralHeaderSize + nameLength),
                                         static_cast<qsizetype>(extraLength));
    const auto flags = field(8, 2);
    const quint64 external = field(38, 4);

    ZipEntry entry;
    entry.name = zipEntryName(raw, (flags & (1u << 11)) != 0, extra, &entry.codePage);
    // A folder ends with a slash, or carries the folder attribute of MS-DOS or of Unix.
    const quint64 host = field(4, 2) >> 8;
    const bool unixFolder = (host == 3 || host == 19) && ((external >> 16) & 0170000) == 0040000;
    entry.folder = raw.endsWith('/') || raw.endsWith('\\') || (external & 0x10) != 0 || unixFolder;
    entry.method = static_cast<int>(field(10, 2));
    entry.encrypted = (flags & 1u) != 0 || entry.method == 99; // 99: WinZip's AES
    entry.crc = static_cast<quint32>(field(16, 4));
    entry.index = m_entries.size();

    // The sizes and the offset that do not fit their 32 bits are in the ZIP64 field, in
    // this order, each only where its own field says so.
    const QByteArray zip64 = extraField(extra, 0x0001).value_or(QByteArray());
    qint64 next64 = 0;
    const auto value = [&](quint64 small) -> std::optional<quint64> {
        if (small != InZip64Field32)
            return small;
        if (!has(zip64, next64, 8))
            return std::nullopt;
        next64 += 8;
        return littleEndian(zip64, next64 - 8, 8);
    };
    entry.size = value(field(24, 4));
    Place place;
    place.packed = value(field(20, 4));
    const std::optional<quint64> offset = value(field(42, 4));
    if (offset && *offset <= static_cast<quint64>(m_bytes.size()))
        place.header = prefix + static_cast<qint64>(*offset);
    m_entries.append(entry);
    m_places.append(place);
    return next;
}

ZipReadFault ZipArchive::read(const ZipEntry& entry, qint64 largest, QByteArray& contents)
{
    contents.clear();
    if (entry.encrypted)
        return ZipReadFault::Encrypted;
    if (entry.method != 0 && entry.method != Z_DEFLATED)
        return ZipReadFault::Method;
    if (entry.size && *entry.size > static_cast<quint64>(largest))
        return ZipReadFault::TooLarge;
    if (entry.index < 0 || entry.index >= m_places.size())
        return ZipReadFault::Damaged;
    const Place& place = m_places[entry.index];
    if (!signatureAt(m_bytes, place.header, "PK\x03\x04") || !has(m_bytes, place.header, LocalHeaderSize) ||
        !place.packed)
        return ZipReadFault::Damaged;
    const qint64 data = place.header + LocalHeaderSize +
                        static_cast<qint64>(littleEndian(m_bytes, place.header + 26, 2) +
                                            littleEndian(m_bytes, place.header + 28, 2));
    if (*place.packed > static_cast<quint64>(m_bytes.size()) ||
        !has(m_bytes, data, static_cast<qint64>(*place.packed)))
        return ZipReadFault::Damaged;
    const auto packed = static_cast<qint64>(*place.packed);
    if (entry.method == 0 && packed > largest)
        return ZipReadFault::TooLarge;
    const ZipReadFault fault =
        entry.method == 0
            ? (contents = m_bytes.mid(static_cast<qsizetype>(data), static_cast<qsizetype>(packed)),
               ZipReadFault::None)
            : inflated(m_bytes.constData() + data, packed, largest, contents);
    if (fault != ZipReadFault::None)
        return fault;
    // The size the zip gives may lie, or be missing: what is unpacked is counted, and checked.
    if ((entry.size && *entry.size != static_cast<quint64>(contents.size())) ||
        checksum(contents.constData(), contents.size()) != entry.crc)
        return ZipReadFault::Damaged;
    return ZipReadFault::None;
}

} // namespace quilvarden::imports
