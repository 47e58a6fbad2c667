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
};

// The men's, women's and combined standings as "Clasificacions" builds them.
struct StandingsReport {
    QList<StandingSection> sections;
    // The rules the register holds, which the editions name; none for a register that never
    // had rules set (the league's scale, consecutive positions, no guests).
    std::optional<rules::MeetRules> rules = {};

    // Each heading followed by its lines, joined by the standings' line break (carriage
    // return and line feed), with none after the last line.
    QString text() const;
};

// The standings by the meet's rules: equal totals in consecutive positions or sharing one (1,
// 2, 2, 4), the guests' clubs apart after the others.
Result<StandingsReport> buildStandings(Database& database);

// Positions for clubs already in order: consecutive, or shared by equal totals (a Null total
// equals only another Null) with the next position skipping as many.
QList<qint64> positions(const QList<StandingRow>& ranked, rules::EqualTotals equalTotals);

} // namespace quilvarden::data
