#include "filemeet.h"

#include <QFileInfo>

namespace quilvarden::imports {

Failure importFileFailure(const QString& path, const QString& what)
{
    return Failure::database(Failure::ImportFileInvalid,
                             QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), what));
}

Outcome checkImportFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Failure::database(Failure::FileNotFound,
                                 QStringLiteral("Non existe o ficheiro que se ía importar: %1").arg(path));
    if (!info.isFile())
        return importFileFailure(path,
                                 QStringLiteral("non é un ficheiro normal (é un cartafol, un dispositivo, "
                                                "unha tubería ou un socket)."));
    return Done{};
}

} // namespace quilvarden::imports
