#pragma once

#include "imports/filemeet.h"
#include "text/failure.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

namespace quilvarden::imports {

// Reads the meet programme (EVENT, CLUBCHAMP, CLUBDESC) from an Access file with
// mdbtools' mdb-export, run directly with its arguments. Events come over as they are:
// texts exactly, Nulls as Nulls, numbers as numbers. Clubs come once each, by code: a club
// taking part with its first description (or none), then the clubs only described.
Result<FileMeet> readAccessMeet(const QString& path);

// One table as mdb-export gives it: each row maps the column names, in capitals, to values.
using AccessTable = QList<QHash<QString, QVariant>>;

// The meet programme of the three tables, as above.
FileMeet meetFromAccessTables(const AccessTable& events, const AccessTable& takingPart,
                              const AccessTable& descriptions);

} // namespace quilvarden::imports
