#pragma once

#include <QStringList>
#include <QTextStream>

namespace quilvarden::tools {

// quilvarden-db score-lenex RESULTS DATABASE [--events LIST] [--per-club N] [--replace]
// [--dry-run] [--age-group ID]...: the exit status, 0 on success, 2 for wrong arguments.
int scoreLenex(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace quilvarden::tools
