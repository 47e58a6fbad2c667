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
    return QCoreApplication::translate(
               "Setup", "Importadas de %1 en %2: %3 probas, %4 clubs participantes, %5 descricións de clubs.")
        .arg(QDir::toNativeSeparators(from), data::locate(into).shown(), QString::number(meet.events.size()),
             QString::number(takingPart), QString::number(described));
}

// One line naming the categories the programme brings, or none when it brings none.
QStringList categoriesNote(const QList<data::MeetCategory>& categories)
{
    if (categories.isEmpty())
        return {};
    QStringList names;
    for (const data::MeetCategory& category : categories)
        names << category.name;
    // Written for any number: Galician, the source language, has no plural forms of its own.
    return {QCoreApplication::translate("Setup", "Categorías (%1): %2")
                .arg(categories.size())
                .arg(names.join(QStringLiteral(", ")))};
}

} // namespace

Result<QString> makeEmpty(const QString& path)
{
    if (Outcome created = data::Database::create(path); !created)
        return created.failure();
    return QCoreApplication::translate("Setup", "Creada a base de datos baleira %1")
        .arg(data::locate(path).shown());
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
    return QCoreApplication::translate(
               "Setup", "Creada a base de datos %1 cun campionato de exemplo: %2 probas, %3 clubs")
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
        programme = {read.events, std::move(clubs.clubs), read.identity, read.categories};
        done.notes =
            read.notes + clubs.notes + imports::whatImportLacks(read) + categoriesNote(read.categories);
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

namespace {

// The places of a password to take out of a URI: user:secret@ with its colon, a
// password=secret parameter whole with one of its separators (an empty one would keep libpq
// from reading PGPASSWORD).
std::pair<qsizetype, qsizetype> passwordSpan(const QString& uri, qsizetype start, qsizetype length)
{
    if (start > 0 && uri.at(start - 1) == u':' && uri.mid(start + length, 1) == u"@")
        return {start - 1, length + 1};
    const qsizetype key = std::max(uri.lastIndexOf(u'?', start), uri.lastIndexOf(u'&', start)) + 1;
    if (key == 0 || uri.at(start - 1) != u'=')
        return {start, length};
    const qsizetype end = start + length;
    if (end < uri.size() && uri.at(end) == u'&')
        return {key, end + 1 - key}; // the separator after it
    return {key - 1, end - key + 1}; // the last one: its ? or & before it
}

} // namespace

QString withoutPassword(const QString& path)
{
    if (!data::isServerUri(path))
        return path;
    QString kept = path;
    // From the last to the first, so the earlier places still hold.
    QList<std::pair<qsizetype, qsizetype>> secrets = data::locate(path).server.secrets;
    std::sort(secrets.begin(), secrets.end());
    for (auto it = secrets.crbegin(); it != secrets.crend(); ++it) {
        const auto [start, length] = passwordSpan(kept, it->first, it->second);
        kept.remove(start, length);
    }
    return kept;
}

} // namespace quilvarden::setup
