#include "csv.h"

namespace quilvarden::imports {

std::optional<QList<CsvRow>> parseCsv(const QByteArray& data)
{
    const QString text = QString::fromUtf8(data);
    QList<CsvRow> rows;
    CsvRow row;
    CsvField field;
    bool inQuotes = false;
    bool rowStarted = false;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (inQuotes) {
            if (c == u'"') {
                if (i + 1 < size && text.at(i + 1) == u'"') {
                    field.text += u'"';
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                field.text += c;
            }
            continue;
        }
        if (c == u'"') {
            inQuotes = true;
            field.quoted = true;
            rowStarted = true;
        } else if (c == u',') {
            row.append(std::exchange(field, {}));
            rowStarted = true;
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n')
                ++i;
            if (rowStarted || !field.text.isEmpty()) {
                row.append(std::exchange(field, {}));
                rows.append(std::exchange(row, {}));
            }
            rowStarted = false;
        } else {
            field.text += c;
            rowStarted = true;
        }
    }
    if (inQuotes)
        return std::nullopt;
    if (rowStarted || !field.text.isEmpty()) {
        row.append(field);
        rows.append(row);
    }
    return rows;
}

} // namespace quilvarden::imports
