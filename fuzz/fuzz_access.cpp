// The Access import's reading of mdb-export's CSV, on any bytes: the input, as UTF-8, is the
// CSV of EVENT, CLUBCHAMP and CLUBDESC, one after the other, split by form feeds. For any such
// tables:
//  - every table that parses, written back as CSV (texts quoted, a quote doubled), parses
//    to the same rows;
//  - the meet is refused under error 3274, naming the file; or read with an event for each
//    row of EVENT, and each club once: a code that is cleaned and that no other club has
//    (case and accents ignored), the clubs taking part before those only described;
//  - the clubs, given codes and short names, come out as fuzz_clubs checks.

#include "clubchecks.h"
#include "fuzzing.h"
#include "imports/access.h"
#include "imports/clubs.h"
#include "imports/csv.h"
#include "text/names.h"

#include <QSet>

#include <array>

using namespace quilvarden;
using namespace quilvarden::fuzz;

namespace {

QByteArray written(const QList<imports::CsvRow>& rows)
{
    QString text;
    for (const imports::CsvRow& row : rows) {
        QStringList fields;
        for (const imports::CsvField& field : row)
            fields << (field.quoted ? u'"' + QString(field.text).replace(u'"', QStringLiteral("\"\"")) + u'"'
                                    : field.text);
        text += fields.join(u',') + u'\n';
    }
    return text.toUtf8();
}

bool sameRows(const QList<imports::CsvRow>& a, const QList<imports::CsvRow>& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype r = 0; r < a.size(); ++r) {
        if (a[r].size() != b[r].size())
            return false;
        for (qsizetype f = 0; f < a[r].size(); ++f)
            if (a[r][f].text != b[r][f].text || a[r][f].quoted != b[r][f].quoted)
                return false;
    }
    return true;
}

void checkClubs(const imports::FileMeet& meet, const QByteArray& input)
{
    QSet<QString> codes;
    bool describedOnly = false;
    for (const imports::FileClub& club : meet.clubs) {
        const QByteArray which = input + " club " + shown(club.code);
        FUZZ_CHECK(!club.code.isEmpty() && club.code == text::cleanName(club.code), which);
        FUZZ_CHECK(!codes.contains(text::foldName(club.code)), which + " twice");
        codes.insert(text::foldName(club.code));
        FUZZ_CHECK(!(describedOnly && club.takesPart), which + " taking part after one only described");
        describedOnly = describedOnly || !club.takesPart;
    }
    checkAssignment(meet.clubs, imports::assignClubs(meet.clubs, {}), input);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QByteArray input = shown(QString::fromUtf8(bytes));
    const QList<QByteArray> parts = bytes.split('\f');
    const std::array<QByteArray, 3> tables = {parts.value(0), parts.value(1), parts.value(2)};

    qsizetype eventRows = 0;
    for (std::size_t t = 0; t < tables.size(); ++t) {
        const std::optional<QList<imports::CsvRow>> rows = imports::parseCsv(tables[t]);
        if (!rows)
            continue;
        const std::optional<QList<imports::CsvRow>> again = imports::parseCsv(written(*rows));
        FUZZ_CHECK(again && sameRows(*rows, *again), input + " table " + QByteArray::number(t) +
                                                         " written back as " +
                                                         shown(QString::fromUtf8(written(*rows))));
        if (t == 0)
            eventRows = std::max<qsizetype>(rows->size() - 1, 0);
    }

    const Result<imports::FileMeet> meet =
        imports::meetFromAccessCsv(tables, QStringLiteral("/fuzz/meet.mdb"));
    if (!meet) {
        FUZZ_CHECK(meet.failure().number == Failure::ImportFileInvalid &&
                       meet.failure().detail.startsWith(QStringLiteral("meet.mdb: ")),
                   input + " refused as " + shown(meet.failure().detail));
        return 0;
    }
    FUZZ_CHECK(meet->events.size() == eventRows,
               input + " events " + QByteArray::number(meet->events.size()));
    checkClubs(*meet, input);
    return 0;
}
