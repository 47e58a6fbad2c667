#include "access.h"

#include "imports/csv.h"
#include "text/names.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>

#include <array>

namespace quilvarden::imports {

namespace {

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

// The three tables of the meet programme, and the columns each must have.
struct TableColumns {
    QString table;
    QStringList required;
};

const std::array<TableColumns, 3>& meetTables()
{
    static const std::array<TableColumns, 3> tables = {
        TableColumns{QStringLiteral("EVENT"),
                     {QStringLiteral("XORDER"), QStringLiteral("EVENTCODE"), QStringLiteral("GENDERCODE")}},
        TableColumns{QStringLiteral("CLUBCHAMP"), {QStringLiteral("CLUBCODE")}},
        TableColumns{QStringLiteral("CLUBDESC"), {QStringLiteral("CLUBCODE"), QStringLiteral("SHORTDESC")}},
    };
    return tables;
}

// One table as mdb-export writes it, as CSV.
Result<QByteArray> exportTable(const QString& program, const QString& path, const QString& table,
                               const QStringList& options = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    // An absolute path never starts with "-", so mdb-export cannot take the file for an option.
    process.start(program, QStringList(options) << QFileInfo(path).absoluteFilePath() << table);
    if (!process.waitForStarted() || !process.waitForFinished(60000) ||
        process.exitStatus() != QProcess::NormalExit)
        return importFileFailure(
            path,
            QCoreApplication::translate("Import", "mdb-export non rematou ao ler a táboa %1.").arg(table));
    const QString errors = QString::fromUtf8(process.readAllStandardError()).trimmed();
    if (process.exitCode() != 0 && errors.contains(QStringLiteral("does not exist")))
        return Failure::database(Failure::TableNotFound,
                                 QCoreApplication::translate("Import", "%1: falta a táboa %2.")
                                     .arg(QFileInfo(path).fileName(), table));
    if (process.exitCode() != 0)
        return importFileFailure(
            path, QCoreApplication::translate("Import", "non se pode ler a táboa %1: %2").arg(table, errors));
    return process.readAllStandardOutput();
}

// One table from its CSV, as meetFromAccessCsv reads it.
Result<AccessTable> accessTableFromCsv(const QByteArray& csv, const QString& path, const QString& table,
                                       const QStringList& required)
{
    const std::optional<QList<CsvRow>> rows = parseCsv(csv);
    if (!rows || rows->isEmpty())
        return importFileFailure(
            path, QCoreApplication::translate("Import", "a táboa %1 non se puido ler enteira.").arg(table));
    QStringList header;
    for (const CsvField& field : rows->first())
        header << field.text.toUpper();
    for (const QString& column : required)
        if (!header.contains(column))
            return importFileFailure(
                path,
                QCoreApplication::translate("Import", "falta a columna %1 na táboa %2.").arg(column, table));
    AccessTable result;
    for (qsizetype r = 1; r < rows->size(); ++r) {
        const CsvRow& row = rows->at(r);
        if (row.size() != header.size())
            return importFileFailure(
                path, QCoreApplication::translate("Import", "unha fila da táboa %1 non ten %2 columnas.")
                          .arg(table, QString::number(header.size())));
        QHash<QString, QVariant> values;
        for (qsizetype c = 0; c < row.size(); ++c)
            values.insert(header[c], valueOf(row[c]));
        result.append(values);
    }
    return result;
}

// The first of the columns named that the row has with a value, as text.
QString firstOf(const QHash<QString, QVariant>& row, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        if (const QVariant value = row.value(QString::fromLatin1(name)); !value.isNull())
            if (const QString written = text::cleanName(value.toString()).trimmed(); !written.isEmpty())
                return written;
    return {};
}

// A date as mdb-export writes it when asked for ISO dates (a time may follow), or as it
// writes dates by default (month first).
QDate dateOf(const QString& written)
{
    const QDate iso = QDate::fromString(written.left(10), Qt::ISODate);
    if (iso.isValid())
        return iso;
    const QDate american = QDate::fromString(written.section(u' ', 0, 0), QStringLiteral("MM/dd/yy"));
    return american.isValid() ? american.addYears(american.year() < 1970 ? 100 : 0) : QDate();
}

// The meet's table, where the file has one: nothing when it has none or it cannot be read,
// as the meet's name only heads the editions.
AccessTable meetTableOf(const QString& program, const QString& path)
{
    const QString table = QStringLiteral("MEET");
    const Result<QByteArray> exported =
        exportTable(program, path, table,
                    {QStringLiteral("-D"), QStringLiteral("%Y-%m-%d"), QStringLiteral("-T"),
                     QStringLiteral("%Y-%m-%d %H:%M:%S")});
    if (!exported)
        return {};
    const Result<AccessTable> rows = accessTableFromCsv(*exported, path, table, {});
    return rows ? *rows : AccessTable();
}

} // namespace

data::MeetIdentity meetIdentityFromAccess(const AccessTable& meetTable)
{
    if (meetTable.isEmpty())
        return {};
    const QHash<QString, QVariant>& row = meetTable.first();
    data::MeetIdentity meet{firstOf(row, {"NAME", "MEETNAME", "MEET_NAME1", "MEETNAME1", "TITLE"}),
                            dateOf(firstOf(row, {"STARTDATE", "DATEFROM", "FROMDATE", "MEET_START", "DATE"})),
                            dateOf(firstOf(row, {"ENDDATE", "DATETO", "TODATE", "MEET_END"})),
                            firstOf(row, {"CITY", "PLACE", "LOCATION", "MEET_LOCATION", "TOWN"})};
    // A one-day meet may give only its first date.
    if (meet.from.isValid() && !meet.to.isValid())
        meet.to = meet.from;
    if (meet.to < meet.from)
        meet.to = meet.from;
    return meet;
}

Result<FileMeet> readAccessMeet(const QString& path)
{
    if (Outcome readable = checkImportFile(path); !readable)
        return readable.failure();
    {
        // Access files carry their engine's name from the fifth byte on.
        QFile file(path);
        const QByteArray signature = file.open(QIODevice::ReadOnly) ? file.read(19).mid(4) : QByteArray();
        if (signature != "Standard Jet DB" && signature != "Standard ACE DB")
            return importFileFailure(path,
                                     QCoreApplication::translate("Import", "non é un ficheiro de Access."));
    }
    const QString program = QStandardPaths::findExecutable(QStringLiteral("mdb-export"));
    if (program.isEmpty())
        return Failure::database(
            Failure::FileNotFound,
            QCoreApplication::translate("Import", "Non se atopa mdb-export: instala o paquete mdbtools."));

    std::array<QByteArray, 3> csv;
    for (std::size_t t = 0; t < csv.size(); ++t) {
        Result<QByteArray> exported = exportTable(program, path, meetTables()[t].table);
        if (!exported)
            return exported.failure();
        csv[t] = std::move(exported).value();
    }
    Result<FileMeet> meet = meetFromAccessCsv(csv, path);
    if (meet)
        meet->identity = meetIdentityFromAccess(meetTableOf(program, path));
    return meet;
}

Result<FileMeet> meetFromAccessCsv(const std::array<QByteArray, 3>& csv, const QString& path)
{
    std::array<AccessTable, 3> tables;
    for (std::size_t t = 0; t < csv.size(); ++t) {
        Result<AccessTable> table =
            accessTableFromCsv(csv[t], path, meetTables()[t].table, meetTables()[t].required);
        if (!table)
            return table.failure();
        tables[t] = std::move(table).value();
    }
    return meetFromAccessTables(tables[0], tables[1], tables[2]);
}

FileMeet meetFromAccessTables(const AccessTable& events, const AccessTable& takingPart,
                              const AccessTable& descriptions)
{
    FileMeet meet;
    for (const auto& row : events)
        meet.events.append({row.value(QStringLiteral("EVENTID")), row.value(QStringLiteral("XORDER")),
                            row.value(QStringLiteral("EVENTCODE")), row.value(QStringLiteral("GENDERCODE")),
                            row.value(QStringLiteral("DISTANCE")), row.value(QStringLiteral("SESSIONNO"))});

    // One description a club: the first the file gives.
    QHash<QString, QHash<QString, QVariant>> described;
    QStringList describedOrder;
    for (const auto& row : descriptions) {
        const QString code = text::cleanName(row.value(QStringLiteral("CLUBCODE")).toString());
        const QString key = text::foldName(code);
        if (code.isEmpty()) {
            meet.notes << QCoreApplication::translate(
                "Import", "Unha descrición de club sen código en CLUBDESC: queda fóra.");
        } else if (described.contains(key)) {
            meet.notes << QCoreApplication::translate(
                              "Import",
                              "Club %1: descrito máis dunha vez en CLUBDESC; queda a primeira descrición.")
                              .arg(code);
        } else {
            described.insert(key, row);
            describedOrder << key;
        }
    }
    const auto clubFrom = [](const QString& code, const QHash<QString, QVariant>& description,
                             const QVariant& nation, bool takesPart) {
        return FileClub{{},
                        code,
                        description.value(QStringLiteral("LONGDESC")).toString(),
                        description.value(QStringLiteral("SHORTDESC")).toString(),
                        nation,
                        takesPart};
    };
    QSet<QString> listed;
    for (const auto& row : takingPart) {
        const QString code = text::cleanName(row.value(QStringLiteral("CLUBCODE")).toString());
        const QString key = text::foldName(code);
        if (code.isEmpty()) {
            meet.notes << QCoreApplication::translate("Import",
                                                      "Un club de CLUBCHAMP sen código: queda fóra.");
            continue;
        }
        if (listed.contains(key)) {
            meet.notes << QCoreApplication::translate(
                              "Import", "Club %1: aparece máis dunha vez en CLUBCHAMP; é un só club.")
                              .arg(code);
            continue;
        }
        listed.insert(key);
        if (!described.contains(key))
            meet.notes << QCoreApplication::translate(
                              "Import",
                              "Club %1: toma parte pero non ten descrición en CLUBDESC; o nome curto "
                              "sae do seu código.")
                              .arg(code);
        meet.clubs.append(clubFrom(code, described.value(key), row.value(QStringLiteral("NATION")), true));
    }
    for (const QString& key : describedOrder) {
        if (listed.contains(key))
            continue;
        const auto& row = described[key];
        meet.clubs.append(
            clubFrom(text::cleanName(row.value(QStringLiteral("CLUBCODE")).toString()), row, {}, false));
    }
    return meet;
}

} // namespace quilvarden::imports
