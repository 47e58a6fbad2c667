#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace quilvarden::data {

// One event of the meet programme, as the meet-management program keeps it. Any value may
// be Null, and is stored so.
struct MeetEvent {
    QVariant id;
    QVariant order;    // running order number in the programme
    QVariant code;     // 100FR, 4X50FR: an X or x marks a relay
    QVariant gender;   // M, F, or another code (X for mixed)
    QVariant distance; // metres
    QVariant session;  // session number
};

// A club: taking part in the meet (a row of CLUBCHAMP), described (a row of CLUBDESC), or
// both. A Null short name is kept as Null.
struct MeetClub {
    QVariant code;
    QVariant nation;
    QVariant shortName;
    QVariant longName;
    bool takesPart = true; // false: described, but not taking part in this meet
    bool described = true; // false: taking part, but with no description
    // Where the description came from: the import file's own id of the club and the code
    // the file gave it (CLUBCODE may differ), so that the next import finds the club again.
    QVariant sourceId = {};
    QVariant sourceCode = {};
};

// Which meet a programme or a results file is, as far as its file tells: the meet's name,
// the first and last dates of its sessions and where it is held (a town). What the file does
// not give stays empty (an Access programme without a meet table, a meet made by hand).
struct MeetIdentity {
    QString name;
    QDate from;
    QDate to;
    QString place = {};

    bool isEmpty() const { return name.isEmpty() && !from.isValid() && !to.isValid() && place.isEmpty(); }
    bool operator==(const MeetIdentity&) const = default;
};

// A category the meet ranks apart (an age group, a class of para swimmers), and the order
// numbers of the programme's events that rank it.
struct MeetCategory {
    QString name;
    int minAge = -1;    // -1: no lower limit
    int maxAge = -1;    // -1: no upper limit
    QString gender;     // as the file gives the group's (M, F, X, A for every swimmer); may be empty
    QString sportClass; // the class of a para-swimming category; empty for an age group
    QList<int> events;

    bool operator==(const MeetCategory&) const = default;
};

// The names of the categories that rank the event of an order number, in the meet's order.
inline QStringList categoriesOfEvent(const QList<MeetCategory>& categories, int order)
{
    QStringList names;
    for (const MeetCategory& category : categories)
        if (category.events.contains(order))
            names << category.name;
    return names;
}

struct MeetProgramme {
    QList<MeetEvent> events;
    QList<MeetClub> clubs;
    MeetIdentity identity = {};          // remembered with the programme, to tell another meet's results
    QList<MeetCategory> categories = {}; // kept with the programme; none for a meet that ranks none
};

// The meet as the register holds it before an import: its clubs (one for each description,
// and one for each club taking part without one), the club names that its awards carry, how
// many events its programme has, and which meet the programme came from.
struct RegisteredMeet {
    QList<MeetClub> clubs;
    QStringList awardedClubs;
    qsizetype events = 0;       // the events of its programme
    MeetIdentity identity = {}; // the meet its programme was imported from, where known
};

} // namespace quilvarden::data
