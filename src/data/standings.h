#pragma once

#include "data/database.h"
#include "text/failure.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace quilvarden::data {

// One standing: its heading, its clubs by total (each with its position; the guests after the
// others, without one), and their fixed-width lines.
struct StandingSection {
    Standing which = Standing::Men;
    QString heading;
    QList<StandingRow> rows;
    QStringList lines;
    QString category = {}; // the category it ranks; empty for the meet's own
};

// The men's, women's and combined standings as "Clasificacions" builds them.
struct StandingsReport {
    QList<StandingSection> sections;
    // The rules the register holds, which the editions name; none for a register that never
    // had rules set (the league's scale, consecutive positions, no guests).
    std::optional<rules::MeetRules> rules = {};
    // The meet's categories in the programme's order (then those only awards name), whether
    // or not their standings are in the report.
    QStringList categories = {};

    // Each heading followed by its lines, joined by the standings' line break (carriage
    // return and line feed), with none after the last line.
    QString text() const;
};

// Which standings a report holds: the meet's own three (every award counts there once), then
// each category's three (its awards only), or one category's three alone.
struct StandingsScope {
    bool allCategories = false;
    QString category = {}; // a name, in any case: only its standings
};

// The standings by the meet's rules: equal totals in consecutive positions or sharing one (1,
// 2, 2, 4), the guests' clubs apart after the others. A category the meet does not have is
// refused, naming those it has.
Result<StandingsReport> buildStandings(Database& database, const StandingsScope& scope = {});

// The standing's own word in the files other programs read (CSV, JSON): Masculina, Feminina,
// Conxunta, whatever the language of the program.
QString standingName(Standing which);

// The category of the list whose name is the one given, in any case and spacing; none when
// none is.
std::optional<QString> categoryNamed(const QStringList& categories, const QString& name);

// Positions for clubs already in order: consecutive, or shared by equal totals (a Null total
// equals only another Null) with the next position skipping as many.
QList<qint64> positions(const QList<StandingRow>& ranked, rules::EqualTotals equalTotals);

} // namespace quilvarden::data
