#pragma once

#include "data/meet.h"
#include "text/failure.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

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

// A meet programme as an import file gives it: its events, its clubs, and a line for each
// thing left out or worth knowing.
struct FileMeet {
    QList<data::MeetEvent> events;
    QList<FileClub> clubs;
    QStringList notes;
};

// The failure of an import file that is not what it should be: its number says so, and its
// detail names the file and what is wrong with it.
Failure importFileFailure(const QString& path, const QString& what);

// An import file that can be read: it exists and is a regular file (a pipe or a device
// would be waited on for ever).
Outcome checkImportFile(const QString& path);

} // namespace quilvarden::imports
