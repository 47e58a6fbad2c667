#pragma once

#include <QList>
#include <QString>
#include <QVariant>

namespace quilvarden::data {

// One event of the meet programme, as the meet-management program keeps it.
struct MeetEvent {
    int id = 0;
    int order = 0;     // running order number in the programme
    QString code;      // 100FR, 4X50FR: an X or x marks a relay
    QString gender;    // M, F, or another code (X for mixed)
    QVariant distance; // metres; may be Null
    QVariant session;  // session number; may be Null
};

// A club taking part, with its description. A Null short name is kept as Null.
struct MeetClub {
    QString code;
    QVariant nation;
    QVariant shortName;
    QVariant longName;
    bool takesPart = true; // false: described, but not taking part in this meet
};

struct MeetProgramme {
    QList<MeetEvent> events;
    QList<MeetClub> clubs;
};

} // namespace quilvarden::data
