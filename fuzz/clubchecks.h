#pragma once

// What the clubs of any import file come out as, once given codes and short names: the
// property fuzz_clubs checks on lists of clubs, and fuzz_lenex and fuzz_access on the clubs
// their readers find.

#include "fuzzing.h"
#include "imports/clubs.h"
#include "text/names.h"

#include <QSet>

namespace quilvarden::fuzz {

// Every club of the file comes out, in its order and with its part in the meet, with a code
// and a short name that no other club has (case and accents ignored), the short name of 1 to
// 8 characters with no blank at its ends and nothing that cleaning would take out. Clubs of
// the register kept for their awards may follow, under codes and names of their own too.
inline void checkAssignment(const QList<imports::FileClub>& clubs, const imports::ClubAssignment& assignment,
                            const QByteArray& input)
{
    FUZZ_CHECK(assignment.clubs.size() >= clubs.size(), input);
    QSet<QString> names;
    QSet<QString> codes;
    for (qsizetype i = 0; i < assignment.clubs.size(); ++i) {
        const data::MeetClub& club = assignment.clubs[i];
        const QString name = club.shortName.toString();
        const QString code = club.code.toString();
        FUZZ_CHECK(!code.isEmpty() && !codes.contains(text::foldName(code)), input + " code " + shown(code));
        FUZZ_CHECK(!names.contains(text::foldName(name)), input + " name " + shown(name));
        codes.insert(text::foldName(code));
        names.insert(text::foldName(name));
        if (i >= clubs.size())
            continue; // a club of the register kept for its awards
        FUZZ_CHECK(club.takesPart == clubs[i].takesPart, input);
        FUZZ_CHECK(!name.isEmpty() && name.toUcs4().size() <= 8 && name == text::cleanName(name),
                   input + " name " + shown(name));
    }
}

} // namespace quilvarden::fuzz
