#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace testsupport {

// quilvarden-db as a person runs it: arguments in, exit status and messages out.
struct ToolRun {
    int status = -1;
    QString output;
    QString errors;
};

// In a folder of its own and with an environment of its own, when given them.
inline ToolRun runTool(const QStringList& arguments, const QString& folder = {},
                       const QProcessEnvironment& environment = {})
{
    QProcess process;
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    if (!environment.isEmpty())
        process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUILVARDEN_BIN_DIR "/quilvarden-db"), arguments);
    if (!process.waitForFinished(120000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace testsupport
