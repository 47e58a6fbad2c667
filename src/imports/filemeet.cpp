#include "filemeet.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace quilvarden::imports {

Failure importFileFailure(const QString& path, const QString& what)
{
    return Failure::database(Failure::ImportFileInvalid,
                             QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), what));
}

namespace {

qsizetype clubsTakingPart(const QList<FileClub>& clubs)
{
    return std::count_if(clubs.cbegin(), clubs.cend(), [](const FileClub& club) { return club.takesPart; });
}

} // namespace

std::optional<QString> whatImportTakesAway(const FileMeet& meet, const data::RegisteredMeet& registered)
{
    const qsizetype registeredClubs =
        std::count_if(registered.clubs.cbegin(), registered.clubs.cend(),
                      [](const data::MeetClub& club) { return club.takesPart; });
    QStringList lost;
    if (meet.events.isEmpty() && registered.events > 0)
        lost << QCoreApplication::translate("Import", "as %1 probas").arg(registered.events);
    if (clubsTakingPart(meet.clubs) == 0 && registeredClubs > 0)
        lost << QCoreApplication::translate("Import", "os %1 clubs participantes").arg(registeredClubs);
    if (lost.isEmpty())
        return std::nullopt;
    return QCoreApplication::translate("Import", "non trae %1, e importalo quitaríalle ao rexistro %2.")
        .arg(meet.events.isEmpty() ? QCoreApplication::translate("Import", "ningunha proba")
                                   : QCoreApplication::translate("Import", "ningún club"),
             lost.join(QCoreApplication::translate("Import", " e ")));
}

QStringList whatImportLacks(const FileMeet& meet)
{
    QStringList lines;
    if (meet.events.isEmpty())
        lines << QCoreApplication::translate("Import", "Aínda non hai probas: o ficheiro non trae ningunha.");
    if (clubsTakingPart(meet.clubs) == 0)
        lines << QCoreApplication::translate(
            "Import", "Aínda non hai clubs: o ficheiro non trae ningún (un programa ou unha "
                      "convocatoria de antes das inscricións). Importa máis tarde o ficheiro coas "
                      "inscricións, e con el chegarán os clubs.");
    return lines;
}

Outcome checkImportFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Failure::database(
            Failure::FileNotFound,
            QCoreApplication::translate("Import", "Non existe o ficheiro que se ía importar: %1").arg(path));
    if (!info.isFile())
        return importFileFailure(
            path,
            QCoreApplication::translate("Import", "non é un ficheiro normal (é un cartafol, un dispositivo, "
                                                  "unha tubería ou un socket)."));
    return Done{};
}

} // namespace quilvarden::imports
