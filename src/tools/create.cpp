#include "setup/setup.h"
#include "tools/commands.h"

#include <QCoreApplication>

namespace quilvarden::tools {

namespace {

// create FILE
int create(const Command& command, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    CommandLine commandLine(command);
    commandLine.registerArgument();
    commandLine.note(QCoreApplication::translate(
        "Tool", "Nunca sobrescribe un ficheiro que xa exista, nin un rexistro que xa estea nun "
                "servidor; nun servidor fai tamén a base de datos, se non a hai."));
    if (const std::optional<int> status = commandLine.read(arguments, out, err))
        return *status;
    const QString path = commandLine.arguments().constFirst();
    const Result<QString> created = setup::makeEmpty(path);
    if (!created)
        return fail(err, path, created.failure());
    out << *created << Qt::endl;
    return 0;
}

} // namespace

Command createCommand()
{
    return {QStringLiteral("create"), QCoreApplication::translate("Tool", "crea unha base de datos baleira"),
            &create};
}

} // namespace quilvarden::tools
