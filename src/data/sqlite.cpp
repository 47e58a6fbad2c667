#include "sqlite.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QUrl>

#include <optional>

namespace quilvarden::data::sqlite {

namespace {

// Primary result codes of the engine (the extended codes carry them in their low byte).
constexpr int Error = 1;
constexpr int Busy = 5;
constexpr int Locked = 6;
constexpr int ReadOnly = 8;
constexpr int IoError = 10;
constexpr int Corrupt = 11;
constexpr int Full = 13;
constexpr int CantOpen = 14;
constexpr int NotADatabase = 26;

int primaryCode(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? (code & 0xff) : -1;
}

QString engineText(const QSqlError& error)
{
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.driverText();
    return text;
}

} // namespace

Outcome checkFileHeader(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure::database(Failure::CannotOpenFile, file.errorString());
    const QByteArray head = file.read(100);
    if (head.isEmpty())
        return Done{};
    // Jet keeps its signature from the fifth byte on: "Standard Jet DB" (Access 97 to 2003)
    // or "Standard ACE DB" (Access 2007 and later).
    const QByteArray signature = head.mid(4, 15);
    if (signature == "Standard Jet DB" || signature == "Standard ACE DB")
        return Failure::database(Failure::UnrecognisedFormat,
                                 QStringLiteral("É un ficheiro de Access (Jet). Esta versión do programa só "
                                                "abre bases de datos SQLite: convérteo primeiro."));
    static const QByteArray sqliteMagic("SQLite format 3\0", 16);
    if (!head.startsWith(sqliteMagic))
        return Failure::database(Failure::UnrecognisedFormat,
                                 QStringLiteral("O ficheiro non é unha base de datos SQLite."));
    return Done{};
}

void configure(QSqlDatabase& db, const QString& path, int busyTimeoutMs, bool readOnly)
{
    // mode=rw or ro: the file must exist already; the engine never makes one here.
    QUrl uri = QUrl::fromLocalFile(path);
    uri.setQuery(readOnly ? QStringLiteral("mode=ro") : QStringLiteral("mode=rw"));
    db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1")
                             .arg(busyTimeoutMs < 0 ? 0 : busyTimeoutMs));
}

Outcome makeDurable(QSqlDatabase& db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA synchronous=FULL")))
        return failureFrom(query.lastError(), QStringLiteral("PRAGMA synchronous=FULL"));
    if (!query.exec(QStringLiteral("PRAGMA journal_mode=DELETE"))) {
        // Only a file in WAL mode that others have open refuses (and at once, without the
        // busy wait): it stays as it is.
        const int code = primaryCode(query.lastError());
        if (code != Busy && code != Locked)
            return failureFrom(query.lastError(), QStringLiteral("PRAGMA journal_mode=DELETE"));
    }
    return Done{};
}

Outcome addIndexes(QSqlDatabase& db, int busyTimeoutMs)
{
    // The results list reads the register by order number and points; the standings sum
    // the points of each club and gender from the index alone.
    static const struct {
        const char* name;
        const char* statement;
    } indexes[] = {
        {"quilvarden_puntos_lista", "CREATE INDEX quilvarden_puntos_lista ON puntos (orde, puntos DESC)"},
        {"quilvarden_puntos_totais", "CREATE INDEX quilvarden_puntos_totais ON puntos (club, sexo, puntos)"},
    };
    QStringList missing;
    {
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type='index'")))
            return failureFrom(query.lastError(), {});
        QStringList present;
        while (query.next())
            present << query.value(0).toString();
        for (const auto& index : indexes)
            if (!present.contains(QString::fromLatin1(index.name)))
                missing << QString::fromLatin1(index.statement);
    }
    if (missing.isEmpty())
        return Done{};
    // Another program writing at this moment is no reason to make the operator wait.
    QSqlQuery query(db);
    query.exec(QStringLiteral("PRAGMA busy_timeout=200"));
    std::optional<Failure> failure;
    if (!db.transaction()) {
        failure = failureFrom(db.lastError(), {});
    } else {
        for (const QString& statement : missing) {
            if (!query.exec(statement)) {
                failure = failureFrom(query.lastError(), statement);
                break;
            }
        }
        if (!failure && !db.commit())
            failure = failureFrom(db.lastError(), {});
        if (failure)
            db.rollback();
    }
    query.exec(QStringLiteral("PRAGMA busy_timeout=%1").arg(busyTimeoutMs));
    if (failure)
        return *failure;
    return Done{};
}

bool isNumberText(const QVariant& value)
{
    if (value.typeId() != QMetaType::QString)
        return false; // bytes are never summed as a number
    static const QRegularExpression number(
        QStringLiteral("^\\s*[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?\\s*$"));
    return number.match(value.toString()).hasMatch();
}

QStringList schemaStatements()
{
    return {
        // AUTOINCREMENT: an id is never given twice, not even after the latest award is undone.
        QStringLiteral("CREATE TABLE puntos (id INTEGER PRIMARY KEY AUTOINCREMENT, orde TEXT, proba TEXT,"
                       " sexo TEXT, club TEXT, puntos REAL)"),
        QStringLiteral("CREATE TABLE EVENT (EVENTID INTEGER, XORDER INTEGER, EVENTCODE TEXT, GENDERCODE TEXT,"
                       " DISTANCE INTEGER, SESSIONNO INTEGER)"),
        QStringLiteral("CREATE TABLE CLUBCHAMP (CLUBCODE TEXT, NATION TEXT)"),
        QStringLiteral("CREATE TABLE CLUBDESC (CLUBCODE TEXT, SHORTDESC TEXT, LONGDESC TEXT, SOURCEID TEXT,"
                       " SOURCECODE TEXT)"),
        QStringLiteral("CREATE INDEX EVENT_XORDER ON EVENT (XORDER)"),
    };
}

bool isMissingTable(const QSqlError& error)
{
    return primaryCode(error) == Error && error.databaseText().startsWith(QStringLiteral("no such table"));
}

Failure failureFrom(const QSqlError& error, const QString& context)
{
    const QString text = engineText(error);
    QString detail = text;
    if (!context.isEmpty())
        detail = context + QStringLiteral("\n") + text;
    // A sum of whole numbers past 64 bits.
    if (text == u"integer overflow")
        return Failure::overflow(detail);
    switch (primaryCode(error)) {
    case Busy:
    case Locked:
        return Failure::database(Failure::LockedByOtherProgram, detail);
    case NotADatabase:
    case Corrupt:
        return Failure::database(Failure::UnrecognisedFormat, detail);
    case CantOpen:
        return Failure::database(Failure::CannotOpenFile, detail);
    case ReadOnly:
        return Failure::database(Failure::ReadOnlyDatabase, detail);
    case Full:
        return Failure::database(Failure::DiskFull, detail);
    case IoError:
        return Failure::database(Failure::DiskError, detail);
    default:
        return Failure::database(Failure::DatabaseError, detail);
    }
}

} // namespace quilvarden::data::sqlite
