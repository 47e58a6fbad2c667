#include "demomeet.h"

namespace quilvarden::setup {

data::MeetProgramme demoMeet()
{
    struct Swim {
        const char* code;
        int distance;
    };
    // Each swim is held for women and then for men. Relay codes hold an X (4x100 medley
    // is written in lower case, as some meet programmes do).
    static const Swim swims[] = {
        {"100FL", 100},  {"200BK", 200},   {"100BR", 100}, {"50FR", 50},   {"200IM", 200},
        {"4X50FR", 200}, {"400FR", 400},   {"100BK", 100}, {"50FL", 50},   {"200BR", 200},
        {"100FR", 100},  {"4x100IM", 400}, {"50BK", 50},   {"200FL", 200}, {"50BR", 50},
        {"400IM", 400},  {"200FR", 200},   {"800FR", 800}, {"100IM", 100}, {"4X100FR", 400},
    };
    data::MeetProgramme meet;
    // Named as a real meet is, so that every edition of the example shows its heading; it is
    // on no date of its own.
    meet.identity = {QStringLiteral("Campionato de exemplo"), {}, {}, QStringLiteral("Pontevedra")};
    int order = 0;
    for (const Swim& swim : swims) {
        for (const char* gender : {"F", "M"}) {
            ++order;
            meet.events.append({order, order, QString::fromLatin1(swim.code), QString::fromLatin1(gender),
                                swim.distance, order <= 20 ? 1 : 2});
        }
    }

    struct Club {
        const char* code;
        const char* shortName;
        const char* longName;
    };
    static const Club clubs[] = {
        {"CNCOR", "CORUÑA", "Club Natación Coruña"},       {"CNLUG", "LUGO", "Club Natación Lugo"},
        {"CNOUR", "OURENSE", "Club Natación Ourense"},     {"CNVIG", "VIGO", "Real Club Náutico de Vigo"},
        {"CNPON", "PONTEVED", "Club Natación Pontevedra"}, {"CNFER", "FERROL", "Club Natación Ferrol"},
        {"CNSAN", "SANTIAGO", "Club Natación Santiago"},   {"CNNAR", "NARÓN", "Club Natación Narón"},
        {"CNMAR", "MARÍN", "Club Natación Marín"},         {"CNCAM", "CAMBADOS", "Club Natación Cambados"},
        {"CNRIB", "RIBEIRA", "Club Natación Ribeira"},     {"CNGRO", "O'GROVE", "Club Natación O'Grove"},
    };
    for (const Club& club : clubs)
        meet.clubs.append({QString::fromLatin1(club.code), QStringLiteral("ESP"),
                           QString::fromUtf8(club.shortName), QString::fromUtf8(club.longName), true});
    return meet;
}

} // namespace quilvarden::setup
