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

// Prepares a connection that opens an existing file, never creating it, read-write or only
// for reading, and waits up to busyTimeoutMs for another program's lock before giving up.
void configure(QSqlDatabase& db, const QString& path, int busyTimeoutMs, bool readOnly = false);

// Run once the file is known to be ours: every commit reaches the disk before it returns
// (full synchronisation) and lives in the database file alone (rollback journal). A file in
// WAL mode that another program has open stays in WAL mode, which is as durable with full
// synchronisation: leaving it would need every other connection closed.
Outcome makeDurable(QSqlDatabase& db);

// Indexes that serve the results list and the standings, added to a file that lacks them;
// the tables themselves are never changed. Gives the failure when they could not be added
// (another program writing, a full disk); nothing is changed then.
Outcome addIndexes(QSqlDatabase& db, int busyTimeoutMs);

// The awards whose points the engine keeps as text or bytes (any number is less than any
// text): those another program stored, and every one of a register whose column is text.
// The engine sums a text by its leading digits ('12,5' as 12, 'abc' as 0), so each must be
// a whole number to be summed (see isNumberText).
inline constexpr char PointsKeptAsText[] = "SELECT id, orde, club, puntos FROM puntos WHERE puntos >= ''";

// True when the engine reads the whole text as a number: digits with an optional sign,
// decimal point and exponent, blanks around them allowed.
bool isNumberText(const QVariant& value);

// Makes a new, empty database file with the register table and the meet tables.
QStringList schemaStatements();

// The engine's error as the program reports it.
Failure failureFrom(const QSqlError& error, const QString& context);

// True when a statement failed because a table it names does not exist.
bool isMissingTable(const QSqlError& error);

} // namespace quilvarden::data::sqlite
