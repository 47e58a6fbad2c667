#include "data/database.h"
#include "tools/commands.h"
#include "tools/dbtool.h"
#include "tools/demomeet.h"

#include <QFile>

namespace quilvarden::tools {

namespace {

// demo FILE
int demo(const Command& command, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    CommandLine commandLine(command);
    commandLine.registerArgument();
    commandLine.note(
        QStringLiteral("O campionato ten 40 probas (remudas entre elas) e 12 clubs. Nunca sobrescribe un "
                       "ficheiro que xa exista, nin un rexistro que xa estea nun servidor."));
    if (const std::optional<int> status = commandLine.read(arguments, out, err))
        return *status;
    const QString path = commandLine.arguments().constFirst();
    // Never over a register that exists.
    if (Outcome created = data::Database::create(path); !created)
        return fail(err, path, created.failure());
    const data::MeetProgramme meet = demoMeet();
    if (const int status = importInto(
            path, [&meet](const data::RegisteredMeet&) -> Result<data::MeetProgramme> { return meet; }, err);
        status != 0) {
        if (!data::isServerUri(path))
            QFile::remove(path);
        return status;
    }
    out << QStringLiteral("Creada a base de datos %1 cun campionato de exemplo: %2 probas, %3 clubs")
               .arg(data::locate(path).shown(), QString::number(meet.events.size()),
                    QString::number(meet.clubs.size()))
        << Qt::endl;
    return 0;
}

} // namespace

Command demoCommand()
{
    return {QStringLiteral("demo"), QStringLiteral("crea unha base de datos cun campionato de exemplo"),
            &demo};
}

} // namespace quilvarden::tools
