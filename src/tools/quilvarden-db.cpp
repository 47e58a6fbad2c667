#include "tools/dbtool.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
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
