#include "tools/dbtool.h"

#include <QGuiApplication>

#include <csignal>
#include <cstdio>

namespace {

// Qt's own messages (XDG_RUNTIME_DIR not set under su, fonts, the platform plugin) are not
// the tool's, and would be the first line a volunteer reads: only a fatal one is told.
void onlyFatal(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg)
        std::fputs(qFormatLogMessage(type, context, message).append(u'\n').toLocal8Bit().constData(), stderr);
}

} // namespace

int main(int argc, char** argv)
{
#ifdef SIGXFSZ
    // Past a file-size limit a write fails and is reported; the signal would end the tool
    // without a word.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // QUILVARDEN_DEBUG=1 lets Qt's messages through, to look into a problem.
    if (qEnvironmentVariableIsEmpty("QUILVARDEN_DEBUG"))
        qInstallMessageHandler(onlyFatal);
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
