#pragma once

#include "imports/filemeet.h"
#include "text/failure.h"

#include <QString>

namespace quilvarden::imports {

// Reads the meet programme (EVENT, CLUBCHAMP, CLUBDESC) from an Access file with
// mdbtools' mdb-export, run directly with its arguments. Events come over as they are:
// texts exactly, Nulls as Nulls, numbers as numbers. Clubs come once each, by code: a club
// taking part with its first description (or none), then the clubs only described.
Result<FileMeet> readAccessMeet(const QString& path);

} // namespace quilvarden::imports
