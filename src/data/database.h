#pragma once

#include "data/meet.h"
#include "text/failure.h"

#include <QString>
#include <QStringList>

#include <memory>

class QSqlDatabase;

namespace quilvarden::data {

struct OpenOptions {
    // How long to wait for another program that holds the file locked before reporting.
    int busyTimeoutMs = 5000;
};

// The one open connection to the results database. Every statement of the program runs
// through it; errors come back as values for the window to show.
class Database {
public:
    // Opens an existing database file read-write and checks that it holds every table and
    // column the program uses. Writes nothing to the file when it fails.
    static Result<std::unique_ptr<Database>> open(const QString& path, const OpenOptions& options = {});

    // Makes a new database file with the register table and empty meet tables. Refuses to
    // touch a file that already exists; on failure no file is left behind.
    static Outcome create(const QString& path);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& path() const { return m_path; }

    // The short names of the clubs taking part, as the club list shows them.
    Result<QStringList> clubNames();

    // Replaces every row of the three meet tables in one transaction; the register is not
    // touched. On failure the tables stay as they were.
    Outcome replaceMeetProgramme(const MeetProgramme& programme);

private:
    Database(QString connectionName, QString path);
    QSqlDatabase connection() const;
    Outcome checkTables();

    QString m_connectionName;
    QString m_path;
};

} // namespace quilvarden::data
