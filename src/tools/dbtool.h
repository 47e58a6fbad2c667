#pragma once

#include "data/database.h"
#include "tools/commandline.h"

#include <QStringList>
#include <QTextStream>

namespace quilvarden::tools {

// The commands of quilvarden-db. Arguments without the program's name; messages go to
// out and err; the result is the exit status, 0 only on success.
int runDbTool(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace quilvarden::tools
