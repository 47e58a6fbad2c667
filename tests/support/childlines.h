#pragma once

#include <QString>

#include <cstdio>

namespace quilvarden::testsupport {

// One line on standard output, at once: the test that started this helper process reads
// its lines as they come.
inline void say(const QString& line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace quilvarden::testsupport
