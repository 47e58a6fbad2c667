// The Lenex reader of meet programmes and results, on any bytes: read as a .lef, as a .lxf
// (the bytes as the zip itself), and as the one .lef inside a .lxf. For any bytes:
//  - a file that is not read is refused under error 3274, naming the file;
//  - what the bytes give as a .lef they give from inside a .lxf: the same meet, events,
//    swims and notes, or the same refusal;
//  - every event and round has an order number from 0 to 999, a gender of M, F, X or A and
//    a code that holds an X just when it is a relay; the programme has each number once, with
//    the code of its first round and a distance that is missing or of 1 to 25,000 metres;
//  - every swim's club is -1 or a club of the meet, and a swim time that reads as one is of
//    less than 100 hours;
//  - the meet's clubs, given codes and short names, come out as fuzz_clubs checks.

#include "calc/scoring.h"
#include "clubchecks.h"
#include "fuzzing.h"
#include "imports/clubs.h"
#include "imports/lenex.h"

#include <QHash>
#include <QSet>

#include <zlib.h>

using namespace quilvarden;
using namespace quilvarden::fuzz;

namespace {

// The largest order number the reader takes: meets number their events up to 999.
constexpr int LargestOrder = 999;
constexpr qint64 HundredHours = 100LL * 60 * 60 * 100;

QByteArray littleEndian(quint64 value, int width)
{
    QByteArray bytes;
    for (int i = 0; i < width; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

// A zip whose one entry, meet.lef, holds the bytes as they are (stored).
QByteArray storedZip(const QByteArray& data)
{
    const QByteArray name = "meet.lef";
    const auto size = static_cast<quint64>(data.size());
    const uLong crc =
        crc32(0, reinterpret_cast<const Bytef*>(data.constData()), static_cast<uInt>(data.size()));
    // Version needed, flags, method, time, date, checksum, sizes, name and extra lengths.
    const QByteArray common = littleEndian(20, 2) + QByteArray(8, '\0') + littleEndian(crc, 4) +
                              littleEndian(size, 4) + littleEndian(size, 4) + littleEndian(8, 2) +
                              littleEndian(0, 2);
    QByteArray zip = "PK\x03\x04" + common + name + data;
    const auto start = static_cast<quint64>(zip.size());
    zip += "PK\x01\x02" + littleEndian(20, 2) + common + QByteArray(14, '\0') + name;
    zip += "PK\x05\x06" + QByteArray(4, '\0') + littleEndian(1, 2) + littleEndian(1, 2) +
           littleEndian(static_cast<quint64>(zip.size()) - start, 4) + littleEndian(start, 4) +
           littleEndian(0, 2);
    return zip;
}

QString valueText(const QVariant& value)
{
    return value.isNull() ? QStringLiteral("~")
                          : QString::fromLatin1(value.typeName()) + u':' + value.toString();
}

// Everything a meet holds, as text, to tell two readings apart.
QString described(const imports::FileMeet& meet)
{
    QStringList lines = meet.notes;
    for (const data::MeetEvent& e : meet.events)
        lines << QStringList{valueText(e.id),     valueText(e.order),    valueText(e.code),
                             valueText(e.gender), valueText(e.distance), valueText(e.session)}
                     .join(u'|');
    for (const imports::FileClub& c : meet.clubs)
        lines << QStringList{c.id,
                             c.code,
                             c.name,
                             c.shortName,
                             valueText(c.nation),
                             QString::number(c.takesPart)}
                     .join(u'|');
    return lines.join(u'\n');
}

QString described(const imports::FileResults& results)
{
    QStringList lines{results.meet.identity.name, results.meet.identity.from.toString(Qt::ISODate),
                      results.meet.identity.to.toString(Qt::ISODate), described(results.meet)};
    for (const imports::FileEvent& e : results.events) {
        lines << QStringList{e.id,         QString::number(e.number), e.code, e.gender, e.round,
                             e.previousId, QString::number(e.relay)}
                     .join(u'|');
        for (const imports::FileAgeGroup& group : e.ageGroups) {
            lines << QStringList{group.id, group.name, QString::number(group.minAge),
                                 QString::number(group.maxAge), group.handicap}
                         .join(u'|');
            for (const auto& [result, place] : group.places)
                lines << result + u'=' + place;
        }
    }
    for (const imports::LeftOutEvent& left : results.leftOut)
        lines << left.number + u'|' + left.why;
    for (const imports::FileSwim& s : results.swims)
        lines << QStringList{s.resultId, s.eventId, QString::number(s.club), s.clubShown, s.who,
                             s.swimTime, s.status,  QString::number(s.relay)}
                     .join(u'|');
    return lines.join(u'\n');
}

void checkRefusal(const Failure& failure, const QString& name, const QByteArray& input)
{
    FUZZ_CHECK(failure.number == Failure::ImportFileInvalid &&
                   failure.detail.startsWith(name + QStringLiteral(": ")),
               input + " refused as " + QByteArray::number(failure.number) + " " + shown(failure.detail));
}

void checkEvents(const imports::FileResults& results, const QByteArray& input)
{
    // Every event and round read: a number in range, a gender the program knows, a code that
    // holds an X just when it is a relay.
    QHash<int, QString> codes;
    for (const imports::FileEvent& read : results.events) {
        const QByteArray which = input + " event " + shown(read.code) + " " + QByteArray::number(read.number);
        FUZZ_CHECK(read.number >= 0 && read.number <= LargestOrder, which);
        FUZZ_CHECK(
            QStringList({QStringLiteral("M"), QStringLiteral("F"), QStringLiteral("X"), QStringLiteral("A")})
                .contains(read.gender),
            which + " gender " + shown(read.gender));
        FUZZ_CHECK(!read.code.isEmpty() && calc::isRelay(read.code) == read.relay, which);
        if (!codes.contains(read.number))
            codes.insert(read.number, read.code);
    }
    // The programme: each number once, as its first round.
    QSet<int> orders;
    for (const data::MeetEvent& event : results.meet.events) {
        const int number = event.order.toInt();
        const QByteArray which = input + " programme event " + QByteArray::number(number);
        FUZZ_CHECK(event.order.typeId() == QMetaType::Int && !orders.contains(number), which);
        orders.insert(number);
        FUZZ_CHECK(codes.value(number) == event.code.toString(),
                   which + " code " + shown(valueText(event.code)));
        FUZZ_CHECK(event.distance.isNull() ||
                       (event.distance.toInt() >= 1 && event.distance.toInt() <= 25000),
                   which + " distance " + shown(valueText(event.distance)));
    }
    FUZZ_CHECK(orders.size() == codes.size(), input + " numbers of the programme and the results");
}

void checkResults(const imports::FileResults& results, const QByteArray& input)
{
    checkEvents(results, input);
    const imports::FileMeet& meet = results.meet;
    for (const imports::FileSwim& swim : results.swims) {
        FUZZ_CHECK(swim.club >= -1 && swim.club < meet.clubs.size(),
                   input + " swim " + shown(swim.resultId) + " club " + QByteArray::number(swim.club));
        const std::optional<qint64> time = imports::lenexSwimTime(swim.swimTime);
        FUZZ_CHECK(!time || (*time >= 0 && *time < HundredHours), input + " time " + shown(swim.swimTime));
    }
    checkAssignment(meet.clubs, imports::assignClubs(meet.clubs, {}), input);
}

// The reading of the bytes as a file of that name, checked as above.
Result<imports::FileResults> readChecked(const QByteArray& bytes, const QString& name,
                                         const QByteArray& input)
{
    Result<imports::FileResults> read = imports::readLenexResults(bytes, name);
    if (read)
        checkResults(*read, input + " as " + name.toLatin1());
    else
        checkRefusal(read.failure(), name, input);
    return read;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QByteArray input = "input of " + QByteArray::number(bytes.size()) + " bytes " +
                             shown(QString::fromLatin1(bytes.left(300)));

    const Result<imports::FileResults> plain = readChecked(bytes, QStringLiteral("fuzz.lef"), input);
    [[maybe_unused]] const auto asZip = readChecked(bytes, QStringLiteral("fuzz.lxf"), input);

    // A .lef that is a zip is refused as one; inside a zip, the same bytes would be read as XML.
    if (bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06"))
        return 0;
    const Result<imports::FileResults> inside =
        readChecked(storedZip(bytes), QStringLiteral("fuzz.lxf"), input);
    FUZZ_CHECK(inside.ok() == plain.ok(), input + " read from a .lxf: " + QByteArray::number(inside.ok()));
    if (plain)
        FUZZ_CHECK(described(*inside) == described(*plain), input + " read differently from a .lxf");
    else
        FUZZ_CHECK(inside.failure().number == plain.failure().number &&
                       inside.failure().detail.mid(8) == plain.failure().detail.mid(8),
                   input + " refused differently from a .lxf: " + shown(inside.failure().detail));
    return 0;
}
