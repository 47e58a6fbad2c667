#pragma once

#include "data/meet.h"
#include "text/failure.h"

#include <QString>

namespace quilvarden::tools {

// Reads the meet programme (EVENT, CLUBCHAMP, CLUBDESC) from an Access file with
// mdbtools' mdb-export, run directly with its arguments. Every row comes over as it is:
// texts exactly, Nulls as Nulls, numbers as numbers; a club taking part and its description
// stay the separate rows they are.
Result<data::MeetProgramme> readAccessMeet(const QString& path);

} // namespace quilvarden::tools
