#pragma once

#include "data/meet.h"
#include "text/failure.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace quilvarden::imports {

// A club as an import file gives it, before it has a place in the register.
struct FileClub {
    QString id;        // the file's own id of the club, where it gives one
    QString code;      // the file's club code: may be empty, or shared by several clubs
    QString name;      // full name; may be empty
    QString shortName; // the file's short name, where it gives one, of any length
    QVariant nation;
    bool takesPart = true; // false: described in the file, but not taking part
};

// A meet programme as an import file gives it: which meet it is (where the file says), its
// events, its clubs, and a line for each thing left out or worth knowing.
struct FileMeet {
    data::MeetIdentity identity;
    QList<data::MeetEvent> events;
    QList<FileClub> clubs;
    QStringList notes;
    QList<data::MeetCategory> categories = {};
};

// Whether bringing this meet in would take away what the register already has: all its
// events, or all its clubs taking part (a cut-off copy, a file of another kind). The reason,
// or nothing. A file that has nothing of that kind yet (a programme sent before the entries:
// events and no clubs) takes nothing away from a register that has none either.
std::optional<QString> whatImportTakesAway(const FileMeet& meet, const data::RegisteredMeet& registered);

// Lines on what the meet brings none of yet, for the import's output.
QStringList whatImportLacks(const FileMeet& meet);

// The failure of an import file that is not what it should be: its number says so, and its
// detail names the file and what is wrong with it.
Failure importFileFailure(const QString& path, const QString& what);

// An import file that can be read: it exists and is a regular file (a pipe or a device
// would be waited on for ever).
Outcome checkImportFile(const QString& path);

} // namespace quilvarden::imports
