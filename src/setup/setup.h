#pragma once

#include "data/database.h"
#include "imports/filemeet.h"
#include "text/failure.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace quilvarden::setup {

// Makes an empty register (a file, or the tables in a server's database); never over one
// that exists. The text tells what was made.
Result<QString> makeEmpty(const QString& path);

// Makes a register holding the example meet; never over one that exists, and nothing is
// left behind when it fails. The text tells what was made.
Result<QString> makeDemo(const QString& path);

// Brings a meet programme into the register, making it if there is none. The three meet
// tables are replaced in one transaction; the awards are never touched. On failure the
// register is as it was (and a file made here is removed again).
Outcome bringIn(const QString& path, const data::Database::ProgrammeBuilder& build);

// What bringing a meet file in did, or would have done.
struct Imported {
    // Set when nothing changed because the file would take away every event or every club
    // the register has: the reason, for a question to the operator (or a refusal).
    std::optional<QString> takesAway;
    QString summary;   // "Importadas de … en …: N probas, …"
    QStringList notes; // what was kept, left out or is still missing
};

// Brings a meet file read from source into the register at path: the clubs with codes and
// short names the register can use (those it already has kept). A file that would take away
// all the events or all the clubs is only brought in when allowEmpty says it is meant.
Result<Imported> importProgramme(const imports::FileMeet& read, const QString& source, const QString& path,
                                 bool allowEmpty);

// Reads a meet file: Access (.mdb) or Lenex (.lef, .lxf) by its extension.
Result<imports::FileMeet> readMeetFile(const QString& path);

// The register as it may be remembered: a server's URI without any password it gives
// (libpq finds it again in ~/.pgpass or PGPASSWORD); a file's path as it is.
QString withoutPassword(const QString& path);

} // namespace quilvarden::setup
