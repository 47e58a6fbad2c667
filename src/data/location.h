#pragma once

#include "text/failure.h"

#include <QList>
#include <QString>

#include <utility>

namespace quilvarden::data {

// The two engines a register can live in: an SQLite file, for one station, or a PostgreSQL
// server, for several stations at once.
enum class Engine { Sqlite, Postgres };

// A PostgreSQL connection URI as libpq's own parser reads it (postgres::readUri), so that the
// connection and every message see the same user, password, hosts and parameters.
struct ServerUri {
    // Every keyword the URI gives (user, password, host, port, dbname and its parameters),
    // with its value as libpq has it: percent-encoding undone, several hosts or ports as
    // libpq lists them (host1,host2).
    QList<std::pair<QString, QString>> values;
    // Where the text gives a password (start, length): hidden when the URI is shown.
    QList<std::pair<qsizetype, qsizetype>> secrets;
    // Why the URI is refused (libpq cannot read it, or it would read a password as a host),
    // with no password in it; empty when it is read.
    QString problem;

    // The value of a keyword, empty when the URI gives none.
    QString value(const QString& keyword) const;
};

// Where the register is, as the operator names it: an SQLite file's path, or a PostgreSQL
// connection URI (postgresql://user@host:port/dbname, or postgres://), read into its parts
// as libpq reads it, so its parameters, the PG* environment variables and ~/.pgpass work as
// usual.
struct Location {
    Engine engine = Engine::Sqlite;
    QString text;     // as given: the path or the URI
    ServerUri server; // the URI read, for a server

    // For messages: the path, or the URI with every password it gives as ***, and nothing
    // else changed.
    QString shown() const;
};

Location locate(const QString& text);

// True when the text names a PostgreSQL server rather than a file.
bool isServerUri(const QString& text);

} // namespace quilvarden::data
