#pragma once

#include "data/engine.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

// Everything that is particular to SQLite lives here; the rest of the data layer speaks
// plain SQL through Qt SQL, so that another engine can take its place.
namespace quilvarden::data::sqlite {

// Looks at the first bytes of the file before the engine touches it: an Access (Jet or ACE)
// file, or anything else that is not an SQLite database, is refused with a clear reason.
// An empty file passes: SQLite reads it as a database without tables.
Outcome checkFileHeader(const QString& path);

// Indexes that serve the results list and the standings, added to a file that lacks them;
// the tables themselves are never changed. Gives the failure when they could not be added
// (another program writing, a full disk); nothing is changed then.
Outcome addIndexes(QSqlDatabase& db, int busyTimeoutMs);

Failure failureFrom(const QSqlError& error, const QString& context);

// The awards whose points the file keeps as text and does not read whole as a number. Any
// number is less than any text, so the first half finds the points kept as text or bytes;
// the second leaves out the texts the engine reads whole ('19', ' 13.5', '1e1'), which it
// sums rightly, as a column of text holds them. A partial index holds only these awards.
inline constexpr char DoubtfulPoints[] = "puntos >= '' AND puntos <> CAST(puntos AS NUMERIC)";

class Particulars final : public EngineParticulars {
public:
    QString driverName() const override;
    Outcome checkBeforeOpening(const Location& location, const OpenOptions& options) const override;
    // An existing file, never created here, read-write or only for reading, waiting up to the
    // options' time for another program's lock.
    void configure(QSqlDatabase& db, const Location& location, const OpenOptions& options) const override;
    // Every commit reaches the disk before it returns (full synchronisation) and lives in
    // the database file alone (rollback journal). A file in WAL mode that another program
    // has open stays in WAL mode, which is as durable with full synchronisation: leaving it
    // would need every other connection closed.
    Outcome prepareConnection(QSqlDatabase& db, const OpenOptions& options) const override;
    // The file is built under a temporary name beside the target and moved into place
    // without overwriting: a failure leaves nothing behind.
    Outcome create(const Location& location) const override;
    Outcome beginSnapshot(QSqlDatabase& db) const override;
    // The file's write lock from the start: a second writer waits for it (up to the busy
    // wait) before it reads anything.
    QStringList beginWriting() const override;
    QString tableExists() const override;
    QString changeChannel() const override;
    QString changeCounter() const override;
    PointsSum pointsSum(bool textColumn) const override;
    bool isNumberText(const QVariant& value) const override;
    bool ordersAreWholeNumbers() const override;
    Failure failureFrom(const QSqlError& error, const QString& context) const override;
    bool isMissingTable(const QSqlError& error) const override;
    bool isConnectionLost(const QSqlError& error) const override;
};

} // namespace quilvarden::data::sqlite
