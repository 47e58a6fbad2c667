#pragma once

#include "text/failure.h"

#include <QStringList>
#include <QTextStream>

namespace quilvarden::tools {

// The commands of quilvarden-db. Arguments without the program's name; messages go to
// out and err; the result is the exit status, 0 only on success.
int runDbTool(const QStringList& arguments, QTextStream& out, QTextStream& err);

// The exit statuses besides 0: an operation that failed, and wrong arguments.
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;

// Tells a failure as "quilvarden-db: WHERE: message" (a server's URI without its password)
// and gives ExitFailed.
int fail(QTextStream& err, const QString& where, const Failure& failure);

} // namespace quilvarden::tools
