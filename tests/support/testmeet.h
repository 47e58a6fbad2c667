#pragma once

#include "data/database.h"

#include <QString>

namespace testsupport {

// A small meet for window tests: four clubs, one of them with an apostrophe and one with
// an accent, and a few events.
inline bool makeTestMeet(const QString& path)
{
    using quilvarden::data::Database;
    if (!Database::create(path))
        return false;
    auto opened = Database::open(path);
    if (!opened)
        return false;
    quilvarden::data::MeetProgramme meet;
    meet.events = {{1, 1, QStringLiteral("100FR"), QStringLiteral("F"), 100, 1},
                   {2, 2, QStringLiteral("100FR"), QStringLiteral("M"), 100, 1},
                   {3, 3, QStringLiteral("4X50FR"), QStringLiteral("F"), 200, 1}};
    meet.clubs = {{QStringLiteral("CNVIG"), {}, QStringLiteral("VIGO"), {}, true},
                  {QStringLiteral("CNGRO"), {}, QStringLiteral("O'GROVE"), {}, true},
                  {QStringLiteral("CNCOR"), {}, QStringLiteral("CORUÑA"), {}, true},
                  {QStringLiteral("CNLUG"), {}, QStringLiteral("LUGO"), {}, true}};
    return bool((*opened)->replaceMeetProgramme(meet));
}

} // namespace testsupport
