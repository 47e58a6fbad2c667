#include "standings.h"

#include "text/lines.h"

namespace quilvarden::data {

QString StandingsReport::text() const
{
    QStringList all;
    for (const StandingSection& section : sections) {
        all << section.heading;
        all << section.lines;
    }
    return all.join(QString::fromLatin1(text::StandingsLineBreak));
}

Result<StandingsReport> buildStandings(Database& database)
{
    struct Part {
        Standing which;
        const char* heading;
    };
    static const Part parts[] = {
        {Standing::Men, text::MenHeading},
        {Standing::Women, text::WomenHeading},
        {Standing::Combined, text::CombinedHeading},
    };
    StandingsReport report;
    for (const Part& part : parts) {
        Result<QList<StandingRow>> rows = database.standing(part.which);
        if (!rows)
            return rows.failure();
        StandingSection section{part.which, QString::fromUtf8(part.heading), std::move(rows).value(), {}};
        section.lines.reserve(section.rows.size());
        // Equal totals get consecutive positions, in the order the database gives them.
        qint64 position = 0;
        for (const StandingRow& row : section.rows)
            section.lines.append(text::standingsLine(++position, row.club, row.total));
        report.sections.append(std::move(section));
    }
    return report;
}

} // namespace quilvarden::data
