// Codes and short names for the clubs of an import file.
//
// The input, as UTF-8, is a list of clubs, one a line, with fields split by "|": the file's
// id, code, name and short name, and a last field that makes the club one only described
// when it is "-". A line that starts with "#" is the club name of an award instead. For any
// such list:
//  - every club comes out once, in the order of the file, with a code and a short name that
//    no other club has (case and accents ignored), the short name of 1 to 8 characters
//    with no blank at its ends and nothing that cleaning would take out, and never a name
//    that an award carries;
//  - imported again into the register this left, with awards on every club, every club
//    that has a code or a name keeps its code and short name, and no club is added.

#include "clubchecks.h"
#include "fuzzing.h"
#include "imports/clubs.h"
#include "text/names.h"

using namespace quilvarden;
using namespace quilvarden::fuzz;

namespace {

constexpr qsizetype MostClubs = 64;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Bytes bytes(data, size);
    const QByteArray input = shown(fromUtf8(bytes));
    QList<imports::FileClub> clubs;
    QStringList awarded;
    for (const QString& line : fromUtf8(bytes).split(u'\n')) {
        if (line.startsWith(u'#')) {
            awarded << line.mid(1);
            continue;
        }
        if (clubs.size() == MostClubs)
            break;
        const QStringList fields = line.split(u'|');
        clubs.append({fields.value(0),
                      fields.value(1),
                      fields.value(2),
                      fields.value(3),
                      {},
                      fields.value(4) != u"-"});
    }

    const imports::ClubAssignment first = imports::assignClubs(clubs, {{}, awarded});
    FUZZ_CHECK(first.clubs.size() == clubs.size(), input);
    checkAssignment(clubs, first, input);
    for (const data::MeetClub& club : first.clubs)
        for (const QString& award : awarded)
            FUZZ_CHECK(text::foldName(club.shortName.toString()) != text::foldName(award),
                       input + " took the awarded name " + shown(award));

    QStringList names;
    for (const data::MeetClub& club : first.clubs)
        names << club.shortName.toString();
    const imports::ClubAssignment again = imports::assignClubs(clubs, {first.clubs, names});
    checkAssignment(clubs, again, input);
    for (qsizetype i = 0; i < clubs.size(); ++i) {
        const imports::FileClub& club = clubs[i];
        if (text::cleanName(club.code).isEmpty() && text::cleanName(club.name).isEmpty() &&
            text::cleanName(club.shortName).isEmpty())
            continue;
        FUZZ_CHECK(
            again.clubs[i].code == first.clubs[i].code &&
                again.clubs[i].shortName == first.clubs[i].shortName,
            input + " club " + QByteArray::number(i) + " was " + shown(first.clubs[i].code.toString()) + " " +
                shown(first.clubs[i].shortName.toString()) + ", is " + shown(again.clubs[i].code.toString()) +
                " " + shown(again.clubs[i].shortName.toString()));
    }
    return 0;
}
