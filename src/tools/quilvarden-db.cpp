#include "tools/dbtool.h"

#include <QGuiApplication>

#include <csignal>
#include <cstdio>

int main(int argc, char** argv)
{
#ifdef SIGXFSZ
    // Past a file-size limit a write fails and is reported; the signal would end the tool
    // without a word.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // The PDF writer needs fonts, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = QGuiApplication::arguments();
    arguments.removeFirst();
    return quilvarden::tools::runDbTool(arguments, out, err);
}
