#pragma once

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>

namespace testsupport {

// quilvarden-db as a person runs it: arguments in, exit status and messages out.
struct ToolRun {
    int status = -1;
    QString output;
    QString errors;
};

inline ToolRun runTool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(QUILVARDEN_BIN_DIR "/quilvarden-db"), arguments);
    if (!process.waitForFinished(120000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// Rows of a query on a database file, each row's columns joined by "|"; Null as "<null>".
inline QStringList queryRows(const QString& file, const QString& statement)
{
    QStringList result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("look"));
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery query(statement, db);
            while (query.next()) {
                QStringList columns;
                for (int i = 0; i < query.record().count(); ++i)
                    columns << (query.value(i).isNull() ? QStringLiteral("<null>")
                                                        : query.value(i).toString());
                result << columns.join(QLatin1Char('|'));
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("look"));
    return result;
}

} // namespace testsupport
