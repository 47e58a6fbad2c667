#pragma once

#include "data/engine.h"
#include "data/schema.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QTest>
#include <QUuid>

// Builds database files for tests by hand, on a connection of the test's own, so that the
// program's data layer meets files it did not make itself.
namespace testsupport {

// A connection of the test's own to a file (created if missing) or a server's database.
inline QSqlDatabase connectTo(const QString& where, const QString& name)
{
    return quilvarden::data::addConnection(where, name);
}

// Runs the statements on the file (created if missing) or the server and closes it again.
inline bool runOn(const QString& path, const QStringList& statements, bool inTransaction = true)
{
    const QString name = QUuid::createUuid().toString();
    bool ok = true;
    {
        QSqlDatabase db = connectTo(path, name);
        ok = db.open();
        if (ok) {
            if (inTransaction)
                db.transaction();
            QSqlQuery query(db);
            for (const QString& statement : statements) {
                if (!query.exec(statement)) {
                    qWarning("%s: %s", qPrintable(statement), qPrintable(query.lastError().text()));
                    ok = false;
                    break;
                }
            }
            if (inTransaction)
                ok = db.commit() && ok;
            query.finish();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

// The smallest file the program accepts: the four tables with only the columns it uses, as
// the data layer defines them.
inline QStringList minimalSchema()
{
    return quilvarden::data::schema::minimalStatements(quilvarden::data::Engine::Sqlite);
}

inline QByteArray fileDigest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// Files in the folder other than the given ones: journals, temporary copies, leftovers.
inline QStringList otherFiles(const QString& folder, const QStringList& expected)
{
    QStringList found = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : expected)
        found.removeAll(name);
    return found;
}

// Rows of a query on a database file, each row's columns joined by "|"; Null as "<null>".
inline QStringList queryRows(const QString& file, const QString& statement)
{
    QStringList result;
    {
        QSqlDatabase db = connectTo(file, QStringLiteral("look"));
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
