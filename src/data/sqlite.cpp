#include "sqlite.h"

#include "data/database.h"
#include "data/schema.h"
#include "text/systemerror.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QUrl>

#include <optional>
#include <unistd.h>

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
        return Failure::database(Failure::CannotOpenFile, systemErrorText(file.errorString()));
    const QByteArray head = file.read(100);
    if (head.isEmpty())
        return Done{};
    // Jet keeps its signature from the fifth byte on: "Standard Jet DB" (Access 97 to 2003)
    // or "Standard ACE DB" (Access 2007 and later).
    const QByteArray signature = head.mid(4, 15);
    if (signature == "Standard Jet DB" || signature == "Standard ACE DB")
        return Failure::database(
            Failure::UnrecognisedFormat,
            QCoreApplication::translate("Data", "É un ficheiro de Access (Jet). Esta versión do programa só "
                                                "abre bases de datos SQLite: convérteo primeiro."));
    static const QByteArray sqliteMagic("SQLite format 3\0", 16);
    if (!head.startsWith(sqliteMagic))
        return Failure::database(
            Failure::UnrecognisedFormat,
            QCoreApplication::translate("Data", "O ficheiro non é unha base de datos SQLite."));
    return Done{};
}

Outcome addIndexes(QSqlDatabase& db, int busyTimeoutMs)
{
    QStringList missing;
    {
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type='index'")))
            return failureFrom(query.lastError(), {});
        QStringList present;
        while (query.next())
            present << query.value(0).toString();
        for (const schema::Index& index : schema::indexes(Engine::Sqlite))
            if (index.serves && !present.contains(QString::fromLatin1(index.name)))
                missing << schema::createIndex(index);
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

QString Particulars::driverName() const
{
    return QStringLiteral("QSQLITE");
}

Outcome Particulars::checkBeforeOpening(const Location& location, const OpenOptions& options) const
{
    const QFileInfo info(location.text);
    if (!info.exists())
        return Failure::database(Failure::FileNotFound,
                                 QCoreApplication::translate("Data", "O ficheiro non existe."));
    if (info.isDir())
        return Failure::database(Failure::CannotOpenFile,
                                 QCoreApplication::translate("Data", "É un cartafol, non un ficheiro."));
    // A device, a pipe or a socket would be waited on for ever.
    if (!info.isFile())
        return Failure::database(
            Failure::CannotOpenFile,
            QCoreApplication::translate("Data", "Non é un ficheiro normal (é un dispositivo, unha tubería ou "
                                                "un socket): non pode ser unha base de datos."));
    if (!options.readOnly && (!info.isWritable() || !QFileInfo(info.absolutePath()).isWritable()))
        return Failure::database(
            Failure::ReadOnlyDatabase,
            QCoreApplication::translate("Data", "O ficheiro ou o seu cartafol só se poden ler: non se "
                                                "poderían gardar os resultados."));
    return checkFileHeader(location.text);
}

void Particulars::configure(QSqlDatabase& db, const Location& location, const OpenOptions& options) const
{
    // mode=rw or ro: the file must exist already; the engine never makes one here.
    QUrl uri = QUrl::fromLocalFile(QFileInfo(location.text).absoluteFilePath());
    uri.setQuery(options.readOnly ? QStringLiteral("mode=ro") : QStringLiteral("mode=rw"));
    db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1")
                             .arg(options.busyTimeoutMs < 0 ? 0 : options.busyTimeoutMs));
}

Outcome Particulars::prepareConnection(QSqlDatabase& db, const OpenOptions& options) const
{
    if (options.readOnly)
        return Done{}; // read as it is: nothing is written to the file
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
    query.finish();
    // The indexes only make the list and the standings faster: a file that cannot take them
    // now (another program writing, a full disk) is used without them, and gets them on a
    // later start.
    [[maybe_unused]] const Outcome indexed = addIndexes(db, options.busyTimeoutMs);
    return Done{};
}

namespace {

// The engine writes its journal beside the file, under the file's name and "-journal".
constexpr qsizetype JournalSuffix = 8;

// The longest name a register may have in the folder of this one: the system's longest file
// name, less the room of the journal's ending.
qsizetype roomForName(const QFileInfo& file)
{
    const long longest = pathconf(QFile::encodeName(file.absolutePath()).constData(), _PC_NAME_MAX);
    return (longest > 0 ? qsizetype{longest} : qsizetype{255}) - JournalSuffix;
}

// A temporary name beside the file, "NAME.TAG.tmp", that fits the same room: the name is cut
// (between whole characters) where it must.
QString temporaryBeside(const QFileInfo& file, const QString& tag, qsizetype room)
{
    QString base = file.fileName();
    while (QFile::encodeName(base).size() + 1 + tag.size() + 4 > room ||
           (!base.isEmpty() && base.back().isHighSurrogate()))
        base.chop(1);
    return file.absoluteDir().filePath(QStringLiteral("%1.%2.tmp").arg(base, tag));
}

} // namespace

Outcome Particulars::create(const Location& location) const
{
    const QFileInfo info(location.text);
    if (info.exists())
        return Failure::database(
            Failure::CannotOpenFile,
            QCoreApplication::translate("Data", "O ficheiro xa existe e non se sobrescribe."));
    if (!QFileInfo(info.absolutePath()).isDir())
        return Failure::database(Failure::CannotOpenFile,
                                 QCoreApplication::translate("Data", "Non existe o cartafol %1.")
                                     .arg(QDir::toNativeSeparators(info.absolutePath())));

    const qsizetype room = roomForName(info);
    if (const qsizetype length = QFile::encodeName(info.fileName()).size(); length > room)
        return Failure::database(
            Failure::CannotOpenFile,
            QCoreApplication::translate(
                "Data", "O nome do ficheiro é longo de máis (%1 bytes): a base de datos escribe ao seu carón "
                        "outro co mesmo nome e «-journal», e o sistema non admite nomes de máis de %2 bytes. "
                        "Usa un nome de %3 bytes como moito.")
                .arg(length)
                .arg(room + JournalSuffix)
                .arg(room));
    static QAtomicInteger<quint64> counter;
    const QString tag = QStringLiteral("quilvarden-create-%1").arg(counter.fetchAndAddRelaxed(1));
    const QString temporary = temporaryBeside(info, tag, room);
    // The first failure, if any (kept aside rather than assigned over a result).
    std::optional<Failure> failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driverName(), tag);
        db.setDatabaseName(temporary);
        if (!db.open()) {
            failure = sqlite::failureFrom(db.lastError(), {});
        } else {
            QSqlQuery query(db);
            db.transaction();
            for (const QString& text : schema::createStatements(Engine::Sqlite)) {
                if (!query.exec(text)) {
                    failure = sqlite::failureFrom(query.lastError(), text);
                    break;
                }
            }
            if (!failure && !db.commit())
                failure = sqlite::failureFrom(db.lastError(), {});
            query.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(tag);
    if (!failure && !QFile::rename(temporary, info.absoluteFilePath()))
        failure = Failure::database(
            Failure::CannotOpenFile,
            QFileInfo::exists(location.text)
                ? QCoreApplication::translate("Data", "O ficheiro xa existe e non se sobrescribe.")
                : QCoreApplication::translate("Data", "Non se puido gardar o ficheiro."));
    QFile::remove(temporary);
    if (failure)
        return *failure;
    return Done{};
}

Outcome Particulars::beginSnapshot(QSqlDatabase&) const
{
    return Done{}; // a transaction sees one snapshot of the file from its first read
}

QStringList Particulars::beginWriting() const
{
    return {QStringLiteral("BEGIN IMMEDIATE")};
}

QString Particulars::tableExists() const
{
    return QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND name=:name");
}

QString Particulars::changeChannel() const
{
    return {};
}

QString Particulars::changeCounter() const
{
    return QStringLiteral("PRAGMA data_version");
}

EngineParticulars::PointsSum Particulars::pointsSum(bool) const
{
    // The engine sums numbers kept as text whatever the column; those it does not read whole
    // are counted once for the whole register, through the index that holds only them.
    const QString doubtful = QString::fromLatin1(DoubtfulPoints);
    return {QStringLiteral("Sum(puntos)"),
            QStringLiteral("(SELECT count(*) FROM puntos WHERE %1)").arg(doubtful), doubtful};
}

bool Particulars::isNumberText(const QVariant& value) const
{
    if (value.typeId() != QMetaType::QString)
        return false; // bytes are never summed as a number
    // What the engine reads whole as a number; it sums '12,5' as 12 and 'abc' as 0.
    static const QRegularExpression number(
        QStringLiteral("^\\s*[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?\\s*$"));
    return number.match(value.toString()).hasMatch();
}

bool Particulars::ordersAreWholeNumbers() const
{
    return false; // a file's meet table may keep them as text, or as anything
}

Failure Particulars::failureFrom(const QSqlError& error, const QString& context) const
{
    return sqlite::failureFrom(error, context);
}

bool Particulars::isMissingTable(const QSqlError& error) const
{
    return primaryCode(error) == Error && error.databaseText().startsWith(QStringLiteral("no such table"));
}

bool Particulars::isConnectionLost(const QSqlError&) const
{
    return false; // a file on this machine has no connection to lose
}

} // namespace quilvarden::data::sqlite
