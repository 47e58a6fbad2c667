#include "qtmessages.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>

namespace quilvarden {

namespace {

void onlyGraveMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fputs(qFormatLogMessage(type, context, message).append(u'\n').toLocal8Bit().constData(), stderr);
}

} // namespace

void keepQtMessagesQuiet()
{
    if (qEnvironmentVariableIsEmpty("QUILVARDEN_DEBUG"))
        qInstallMessageHandler(onlyGraveMessages);
}

} // namespace quilvarden
