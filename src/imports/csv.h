#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace quilvarden::imports {

// One field of a comma-separated file as mdb-export writes it: texts in double quotes
// (a quote inside doubled), numbers bare, and a Null as nothing at all.
struct CsvField {
    QString text;
    bool quoted = false;

    bool isNull() const { return !quoted && text.isEmpty(); }
};

using CsvRow = QList<CsvField>;

// Splits UTF-8 text into rows of fields. Quoted fields may hold commas, quotes and line
// breaks. A line break is LF or CR LF. Gives nothing when a quote is left open.
std::optional<QList<CsvRow>> parseCsv(const QByteArray& data);

} // namespace quilvarden::imports
