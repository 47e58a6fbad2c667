#include "setup.h"

#include "data/location.h"
#include "imports/access.h"
#include "imports/clubs.h"
#include "imports/lenex.h"
#include "setup/demomeet.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quilvarden::setup {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("Setup", text);
}

// Whether there is a register to import into: a file, or the tables in a server's database.
Result<bool> registerExists(const QString& path)
{
    if (!data::isServerUri(path))
        return QFileInfo::exists(path);
    const Result<std::unique_ptr<data::Database>> database = data::Database::open(path);
    if (database)
        return true;
    const int number = database.failure().number;
    if (number == Failure::TableNotFound || number == Failure::FileNotFound)
        return false;
    return database.failure();
}

QString summary(const data::MeetProgramme& meet, const QString& from, const QString& into)
{
    qsizetype takingPart = 0;
    qsizetype described = 0;
    for (const data::MeetClub& club : meet.clubs) {
        takingPart += club.takesPart ? 1 : 0;
        described += club.described ? 1 : 0;
    }
    return tr("Importadas de %1 en %2: %3 probas, %4 clubs participantes, %5 descricións de clubs.")
        .arg(QDir::toNativeSeparators(from), data::locate(into).shown(), QString::number(meet.events.size()),
             QString::number(takingPart), QString::number(described));
}

} // namespace

Result<QString> makeEmpty(const QString& path)
{
    if (Outcome created = data::Database::create(path); !created)
        return created.failure();
    return tr("Creada a base de datos baleira %1").arg(data::locate(path).shown());
}

Result<QString> makeDemo(const QString& path)
{
    // Never over a register that exists.
    if (Outcome created = data::Database::create(path); !created)
        return created.failure();
    const data::MeetProgramme meet = demoMeet();
    if (Outcome filled = bringIn(
            path, [&meet](const data::RegisteredMeet&) -> Result<data::MeetProgramme> { return meet; });
        !filled) {
        if (!data::isServerUri(path))
            QFile::remove(path);
        return filled.failure();
    }
    return tr("Creada a base de datos %1 cun campionato de exemplo: %2 probas, %3 clubs")
        .arg(data::locate(path).shown(), QString::number(meet.events.size()),
             QString::number(meet.clubs.size()));
}

Outcome bringIn(const QString& path, const data::Database::ProgrammeBuilder& build)
{
    const Result<bool> existed = registerExists(path);
    if (!existed)
        return existed.failure();
    if (!*existed)
        if (Outcome created = data::Database::create(path); !created)
            return created;
    Outcome imported = Failure{};
    {
        Result<std::unique_ptr<data::Database>> database = data::Database::open(path);
        imported = database ? (*database)->replaceMeetProgramme(build) : Outcome(database.failure());
    }
    if (!imported && !*existed && !data::isServerUri(path))
        QFile::remove(path);
    return imported;
}

Result<Imported> importProgramme(const imports::FileMeet& read, const QString& source, const QString& path,
                                 bool allowEmpty)
{
    Imported done;
    data::MeetProgramme programme;
    done.notes = read.notes;
    const auto build = [&](const data::RegisteredMeet& registered) -> Result<data::MeetProgramme> {
        if (!allowEmpty)
            if (const std::optional<QString> lost = imports::whatImportTakesAway(read, registered)) {
                done.takesAway = *lost;
                return imports::importFileFailure(source, *lost);
            }
        imports::ClubAssignment clubs = imports::assignClubs(read.clubs, registered);
        programme = {read.events, std::move(clubs.clubs), read.identity};
        done.notes = read.notes + clubs.notes + imports::whatImportLacks(read);
        return programme;
    };
    if (Outcome imported = bringIn(path, build); !imported) {
        if (done.takesAway)
            return done; // nothing changed: the question goes back to whoever asked
        return imported.failure();
    }
    done.summary = summary(programme, source, path);
    return done;
}

Result<imports::FileMeet> readMeetFile(const QString& path)
{
    if (path.endsWith(QStringLiteral(".mdb"), Qt::CaseInsensitive))
        return imports::readAccessMeet(path);
    return imports::readLenexMeet(path);
}

QString withoutPassword(const QString& path)
{
    if (!data::isServerUri(path))
        return path;
    const data::Location location = data::locate(path);
    QString kept = path;
    // From the last to the first, so the earlier places still hold.
    QList<std::pair<qsizetype, qsizetype>> secrets = location.server.secrets;
    std::sort(secrets.begin(), secrets.end());
    for (auto it = secrets.crbegin(); it != secrets.crend(); ++it) {
        auto [start, length] = *it;
        // user:secret@host loses the colon too; password=secret keeps an empty value, which
        // libpq takes as none given.
        if (start > 0 && kept.at(start - 1) == u':' && kept.mid(start + length, 1) == u"@") {
            --start;
            ++length;
        }
        kept.remove(start, length);
    }
    return kept;
}

} // namespace quilvarden::setup
