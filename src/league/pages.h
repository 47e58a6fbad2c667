#pragma once

#include "league/table.h"
#include "text/failure.h"

#include <QByteArray>
#include <QString>

namespace quilvarden::league {

// One self-contained page laid out as the published standings: the league's name, its
// matchdays, a table per standing (or per group of it) with a column per matchday and the
// total, then the clubs for the secretary to check.
QString asHtml(const LeagueTable& table);
// The same page on A4 sheets of PDF.
Result<QByteArray> asPdf(const LeagueTable& table);

} // namespace quilvarden::league
