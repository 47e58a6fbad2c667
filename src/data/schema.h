#pragma once

#include "data/location.h"

#include <QList>
#include <QStringList>

// The tables and indexes of a register, in one place: what the program makes, what it
// checks for, and what the tests build files from.
namespace quilvarden::data::schema {

enum class Type { Key, Text, Integer, Real, Id, UniqueId };

struct Column {
    const char* name;
    Type type;
    bool used; // the program reads or writes it: a register must have it
};

struct Table {
    const char* name;
    QList<Column> columns;
    bool whenNeeded = false; // one of the program's own, made only when there is something to keep
};

struct Index {
    const char* name;
    const char* table;
    const char* columns;
    bool serves; // for speed only: added to a register that lacks it when the program opens it
    const char* where = nullptr; // only the rows that meet this condition (a partial index)
    bool onFileOnly = false;     // what it serves is the file engine's own
};

// The register puntos, then the meet tables the meet-management program fills.
const QList<Table>& tables();

// The program's own bookkeeping beside them, which no other program reads: which meet the
// programme was imported from, and which awards were stored from a results file. A register
// made before, or by another program, gets them when it is opened to write; without them
// (a register that can only be read) everything works as before.
inline constexpr char ProgrammeTable[] = "quilvarden_programa";
inline constexpr char ScoredAwardsTable[] = "quilvarden_puntos_resultados";
inline constexpr char RulesTable[] = "quilvarden_regras";
// The categories of the meet and the events that rank each, kept only for a programme that
// has any: a register whose meet ranks none never has them.
inline constexpr char CategoriesTable[] = "quilvarden_categorias";
inline constexpr char CategoryEventsTable[] = "quilvarden_categorias_probas";
// The category of each award that has one, beside the register: puntos stays as the
// meet-management program and older copies of this program read it.
inline constexpr char AwardCategoriesTable[] = "quilvarden_puntos_categorias";
const QList<Table>& ownTables();
// The statement that makes one of them where it is missing.
QString createOwnTable(const Table& table, Engine engine);
// The indexes of one engine's registers.
QList<Index> indexes(Engine engine);

// The statements that make every table and index in the engine's own types.
QStringList createStatements(Engine engine);

// The smallest register the program accepts: only the columns it uses, no index (a file
// made by hand, as another program would make it).
QStringList minimalStatements(Engine engine);

// One index's statement.
QString createIndex(const Index& index);

// On a server, every change to the register tells the other stations at once, whatever
// program made it: a trigger on puntos sends a notice on this channel.
inline constexpr char ChangeChannel[] = "quilvarden_puntos";
QStringList changeNoticeStatements();

} // namespace quilvarden::data::schema
