#pragma once

#include "data/database.h"

#include <QString>

namespace testsupport {

// A register whose meet ranks two age groups, 10-11 and 12-13, and whose awards are scored
// in them, one relay in none:
//   01 100FR M: VIGO 9 and LUGO 7 in 10-11, LUGO 9 in 12-13
//   02 50BK  F: VIGO 9 in 10-11, LUGO 6 in 12-13
//   03 4X50FR X: VIGO 5, no category
// The meet's own standings: men LUGO 16, VIGO 9; women VIGO 9, LUGO 6; combined VIGO 23,
// LUGO 22. 10-11: men VIGO 9, LUGO 7; women VIGO 9; combined VIGO 18, LUGO 7. 12-13: men
// LUGO 9; women LUGO 6; combined LUGO 15.
inline bool makeCategoryMeet(const QString& path)
{
    using namespace quilvarden::data;
    if (!Database::create(path))
        return false;
    auto opened = Database::open(path);
    if (!opened ||
        !(*opened)->setMeetCategories({{QStringLiteral("10-11"), 10, 11, QStringLiteral("A"), {}, {1, 2}},
                                       {QStringLiteral("12-13"), 12, 13, QStringLiteral("A"), {}, {1, 2}}}))
        return false;
    const QString men = QStringLiteral("M");
    const QString women = QStringLiteral("F");
    const QString young = QStringLiteral("10-11");
    const QString older = QStringLiteral("12-13");
    for (const Award& award :
         {Award{QStringLiteral("01"), QStringLiteral("100FR"), men, QStringLiteral("VIGO"), 9, young},
          Award{QStringLiteral("01"), QStringLiteral("100FR"), men, QStringLiteral("LUGO"), 7, young},
          Award{QStringLiteral("01"), QStringLiteral("100FR"), men, QStringLiteral("LUGO"), 9, older},
          Award{QStringLiteral("02"), QStringLiteral("50BK"), women, QStringLiteral("VIGO"), 9, young},
          Award{QStringLiteral("02"), QStringLiteral("50BK"), women, QStringLiteral("LUGO"), 6, older},
          Award{QStringLiteral("03"), QStringLiteral("4X50FR"), QStringLiteral("X"), QStringLiteral("VIGO"),
                5}})
        if (!(*opened)->recordAward(award))
            return false;
    return true;
}

} // namespace testsupport
