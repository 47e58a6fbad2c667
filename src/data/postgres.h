#pragma once

#include "data/engine.h"

// Everything that is particular to a PostgreSQL server, the register of several stations.
namespace quilvarden::data::postgres {

class Particulars final : public EngineParticulars {
public:
    QString driverName() const override;
    Outcome checkBeforeOpening(const Location& location, const OpenOptions& options) const override;
    // The URI goes to libpq whole (it reads the PG* variables and ~/.pgpass too); waits up
    // to the options' time for a connection and for another station's locks; only for
    // reading, every transaction is read-only.
    void configure(QSqlDatabase& db, const Location& location, const OpenOptions& options) const override;
    // Every commit waits for the server's disk (synchronous_commit on); the indexes that
    // serve the list and the standings are added where missing.
    Outcome prepareConnection(QSqlDatabase& db, const OpenOptions& options) const override;
    // The tables in the URI's database, made first when the server has none of that name;
    // never over a register that is there.
    Outcome create(const Location& location) const override;
    // Repeatable read: every read of the transaction sees the same committed register.
    Outcome beginSnapshot(QSqlDatabase& db) const override;
    QString changeNotice() const override;
    QString changeChannel() const override;
    QString changeCounter() const override;
    QString pointsKeptAsText() const override;
    bool isNumberText(const QVariant& value) const override;
    Failure failureFrom(const QSqlError& error, const QString& context) const override;
    bool isMissingTable(const QSqlError& error) const override;
    bool isConnectionLost(const QSqlError& error) const override;
};

// The database a URI names: its path, or its dbname parameter, percent-decoded.
QString databaseName(const QString& uri);

} // namespace quilvarden::data::postgres
