#pragma once

#include "text/failure.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>

// Everything that is particular to SQLite lives here; the rest of the data layer speaks
// plain SQL through Qt SQL, so that another engine can take its place.
namespace quilvarden::data::sqlite {

inline constexpr char DriverName[] = "QSQLITE";

// Looks at the first bytes of the file before the engine touches it: an Access (Jet or ACE)
// file, or anything else that is not an SQLite database, is refused with a clear reason.
// An empty file passes: SQLite reads it as a database without tables.
Outcome checkFileHeader(const QString& path);

// Prepares a connection that opens an existing file read-write, never creating it, and
// waits up to busyTimeoutMs for another program's lock before giving up.
void configure(QSqlDatabase& db, const QString& path, int busyTimeoutMs);

// Run once the file is known to be ours: every commit reaches the disk before it returns
// and lives in the database file alone (rollback journal, full synchronisation).
Outcome makeDurable(QSqlDatabase& db);

// Indexes that serve the results list and the standings, added to a file that lacks them;
// the tables themselves are never changed. Without them the program works, only slower, so
// a file that cannot take them (locked, say) is used as it is.
void addIndexes(QSqlDatabase& db, int busyTimeoutMs);

// Makes a new, empty database file with the register table and the meet tables.
QStringList schemaStatements();

// The engine's error as the program reports it.
Failure failureFrom(const QSqlError& error, const QString& context);

// True when a statement failed because a table it names does not exist.
bool isMissingTable(const QSqlError& error);

} // namespace quilvarden::data::sqlite
