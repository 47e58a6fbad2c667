#include "accessimport.h"

#include "tools/csv.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>

namespace quilvarden::tools {

namespace {

using Table = QList<QHash<QString, QVariant>>;

Failure importFailure(const QString& detail)
{
    return Failure::database(Failure::UnrecognisedFormat, detail);
}

QVariant valueOf(const CsvField& field)
{
    if (field.quoted)
        return field.text;
    if (field.text.isEmpty())
        return {};
    // Numbers come bare, written by mdb-export in the C locale.
    bool ok = false;
    if (const qlonglong whole = field.text.toLongLong(&ok); ok)
        return whole;
    if (const double number = field.text.toDouble(&ok); ok)
        return number;
    return field.text;
}

// One table as rows of column name (upper case) to value; the columns must be there.
Result<Table> exportTable(const QString& program, const QString& path, const QString& table,
                          const QStringList& required)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    process.start(program, {path, table});
    if (!process.waitForStarted() || !process.waitForFinished(60000) ||
        process.exitStatus() != QProcess::NormalExit)
        return importFailure(QStringLiteral("mdb-export non rematou ao ler a táboa %1.").arg(table));
    const QString errors = QString::fromUtf8(process.readAllStandardError()).trimmed();
    if (process.exitCode() != 0)
        return importFailure(
            QStringLiteral("Non se pode ler a táboa %1 do ficheiro de Access: %2").arg(table, errors));
    const std::optional<QList<CsvRow>> rows = parseCsv(process.readAllStandardOutput());
    if (!rows || rows->isEmpty())
        return importFailure(QStringLiteral("A táboa %1 non se puido ler enteira.").arg(table));
    QStringList header;
    for (const CsvField& field : rows->first())
        header << field.text.toUpper();
    for (const QString& column : required)
        if (!header.contains(column))
            return Failure::database(Failure::ColumnNotFound,
                                     QStringLiteral("Falta a columna %1 na táboa %2.").arg(column, table));
    Table result;
    for (qsizetype r = 1; r < rows->size(); ++r) {
        const CsvRow& row = rows->at(r);
        if (row.size() != header.size())
            return importFailure(
                QStringLiteral("Unha fila da táboa %1 non ten %2 columnas.").arg(table).arg(header.size()));
        QHash<QString, QVariant> values;
        for (qsizetype c = 0; c < row.size(); ++c)
            values.insert(header[c], valueOf(row[c]));
        result.append(values);
    }
    return result;
}

} // namespace

Result<data::MeetProgramme> readAccessMeet(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return Failure::database(Failure::FileNotFound,
                                 QStringLiteral("Non existe o ficheiro %1.").arg(path));
    {
        // Access files carry their engine's name from the fifth byte on.
        QFile file(path);
        const QByteArray signature = file.open(QIODevice::ReadOnly) ? file.read(19).mid(4) : QByteArray();
        if (signature != "Standard Jet DB" && signature != "Standard ACE DB")
            return importFailure(QStringLiteral("%1 non é un ficheiro de Access.").arg(path));
    }
    const QString program = QStandardPaths::findExecutable(QStringLiteral("mdb-export"));
    if (program.isEmpty())
        return Failure::database(Failure::FileNotFound,
                                 QStringLiteral("Non se atopa mdb-export: instala o paquete mdbtools."));

    const Result<Table> events =
        exportTable(program, path, QStringLiteral("EVENT"),
                    {QStringLiteral("XORDER"), QStringLiteral("EVENTCODE"), QStringLiteral("GENDERCODE")});
    if (!events)
        return events.failure();
    const Result<Table> takingPart =
        exportTable(program, path, QStringLiteral("CLUBCHAMP"), {QStringLiteral("CLUBCODE")});
    if (!takingPart)
        return takingPart.failure();
    const Result<Table> descriptions = exportTable(program, path, QStringLiteral("CLUBDESC"),
                                                   {QStringLiteral("CLUBCODE"), QStringLiteral("SHORTDESC")});
    if (!descriptions)
        return descriptions.failure();

    data::MeetProgramme meet;
    for (const auto& row : *events)
        meet.events.append({row.value(QStringLiteral("EVENTID")), row.value(QStringLiteral("XORDER")),
                            row.value(QStringLiteral("EVENTCODE")), row.value(QStringLiteral("GENDERCODE")),
                            row.value(QStringLiteral("DISTANCE")), row.value(QStringLiteral("SESSIONNO"))});
    for (const auto& row : *takingPart)
        meet.clubs.append({row.value(QStringLiteral("CLUBCODE")),
                           row.value(QStringLiteral("NATION")),
                           {},
                           {},
                           true,
                           false});
    for (const auto& row : *descriptions)
        meet.clubs.append({row.value(QStringLiteral("CLUBCODE")),
                           {},
                           row.value(QStringLiteral("SHORTDESC")),
                           row.value(QStringLiteral("LONGDESC")),
                           false,
                           true});
    return meet;
}

} // namespace quilvarden::tools
