#pragma once

#include "data/engine.h"

#include <QList>

#include <utility>

// Everything that is particular to a PostgreSQL server, the register of several stations.
namespace quilvarden::data::postgres {

class Particulars final : public EngineParticulars {
public:
    QString driverName() const override;
    // A URI that libpq cannot read, or would read wrongly, is refused (error 3001).
    Outcome checkBeforeOpening(const Location& location, const OpenOptions& options) const override;
    // The URI's parts as libpq read them (libpq reads the PG* variables and ~/.pgpass too);
    // waits up to the options' time for a connection and for another station's locks; only
    // for reading, every transaction is read-only.
    void configure(QSqlDatabase& db, const Location& location, const OpenOptions& options) const override;
    // Every commit waits for the server's disk (synchronous_commit on); the indexes that
    // serve the list and the standings are added where missing.
    Outcome prepareConnection(QSqlDatabase& db, const OpenOptions& options) const override;
    // The tables in the URI's database, made first when the server has none of that name;
    // never over a register that is there.
    Outcome create(const Location& location) const override;
    // Repeatable read: every read of the transaction sees the same committed register.
    Outcome beginSnapshot(QSqlDatabase& db) const override;
    // A lock of the transaction on the register's scoring, which every station takes before
    // it reads what an event holds: under read committed, the second reads what the first
    // committed.
    QStringList beginWriting() const override;
    QString tableExists() const override;
    QString changeChannel() const override;
    QString changeCounter() const override;
    PointsSum pointsSum(bool textColumn) const override;
    bool isNumberText(const QVariant& value) const override;
    bool ordersAreWholeNumbers() const override;
    // A login the server refused (a wrong or missing password, an unknown user, pg_hba.conf)
    // is error 3029, a server that does not answer 3151.
    Failure failureFrom(const QSqlError& error, const QString& context) const override;
    bool isMissingTable(const QSqlError& error) const override;
    bool isConnectionLost(const QSqlError& error) const override;
};

// Reads a server's URI with libpq's own parser (PQconninfoParse): its keywords and values,
// where it gives a password, or why it is refused (libpq cannot read it, or an "@" of the
// user or password is not written %40, so that a part of the password would be read as the
// server's name), with every place a password could be hidden.
ServerUri readUri(const QString& text);

// libpq's keywords and values, for connecting.
using ConnectOptions = QList<std::pair<QString, QString>>;

// Sets a connection to the URI as libpq read it: host (several, and socket folders), port,
// user, password and database through Qt's setters where they fit, the rest (several ports,
// the parameters) as libpq's options. Empty parts are left to libpq: the PG* variables,
// ~/.pgpass. The options given go first and the URI's own win over them, but for the
// server settings (options), where both are kept, the URI's after.
void connectTo(QSqlDatabase& db, const ServerUri& uri, const ConnectOptions& extraOptions);

} // namespace quilvarden::data::postgres
