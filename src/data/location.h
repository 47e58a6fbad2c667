#pragma once

#include "text/failure.h"

#include <QString>

namespace quilvarden::data {

// The two engines a register can live in: an SQLite file, for one station, or a PostgreSQL
// server, for several stations at once.
enum class Engine { Sqlite, Postgres };

// Where the register is, as the operator names it: an SQLite file's path, or a PostgreSQL
// connection URI (postgresql://user@host:port/dbname, or postgres://), read into its parts
// as libpq reads it, so its parameters, the PG* environment variables and ~/.pgpass work as
// usual.
struct Location {
    Engine engine = Engine::Sqlite;
    QString text; // as given: the path or the URI

    // For messages: the path, or the URI with its password hidden.
    QString shown() const;
};

Location locate(const QString& text);

// True when the text names a PostgreSQL server rather than a file.
bool isServerUri(const QString& text);

} // namespace quilvarden::data
