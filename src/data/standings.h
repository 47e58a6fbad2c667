#pragma once

#include "data/database.h"
#include "text/failure.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace quilvarden::data {

// One standing: its heading, its clubs by total, and their fixed-width lines.
struct StandingSection {
    Standing which = Standing::Men;
    QString heading;
    QList<StandingRow> rows;
    QStringList lines;
};

// The men's, women's and combined standings as "Clasificacions" builds them.
struct StandingsReport {
    QList<StandingSection> sections;

    // Each heading followed by its lines, joined by the standings' line break (carriage
    // return and line feed), with none after the last line.
    QString text() const;
};

Result<StandingsReport> buildStandings(Database& database);

} // namespace quilvarden::data
