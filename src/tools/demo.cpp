#include "setup/setup.h"
#include "tools/commands.h"

#include <QCoreApplication>

namespace quilvarden::tools {

namespace {

// demo FILE
int demo(const Command& command, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    CommandLine commandLine(command);
    commandLine.registerArgument();
    commandLine.note(QCoreApplication::translate(
        "Tool", "O campionato ten 40 probas (remudas entre elas) e 12 clubs. Nunca sobrescribe un "
                "ficheiro que xa exista, nin un rexistro que xa estea nun servidor."));
    if (const std::optional<int> status = commandLine.read(arguments, out, err))
        return *status;
    const QString path = commandLine.arguments().constFirst();
    const Result<QString> made = setup::makeDemo(path);
    if (!made)
        return fail(err, path, made.failure());
    out << *made << Qt::endl;
    return 0;
}

} // namespace

Command demoCommand()
{
    return {QStringLiteral("demo"),
            QCoreApplication::translate("Tool", "crea unha base de datos cun campionato de exemplo"), &demo};
}

} // namespace quilvarden::tools
