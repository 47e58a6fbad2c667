#include "dbtool.h"

#include "data/database.h"
#include "imports/access.h"
#include "imports/lenex.h"
#include "language/language.h"
#include "setup/setup.h"
#include "tools/commands.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace quilvarden::tools {

namespace {

// Reads a meet file and brings its programme in, then says what was done and changed. A
// file that would take away all the events or all the clubs the register has (a cut-off
// copy) is refused unless allowEmpty says it is meant; one that has none yet (a programme
// sent before the entries) is taken, and said.
int importMeet(const Result<imports::FileMeet>& read, const QString& source, const QString& path,
               bool allowEmpty, QTextStream& out, QTextStream& err)
{
    if (!read)
        return fail(err, source, read.failure());
    const Result<setup::Imported> imported = setup::importProgramme(*read, source, path, allowEmpty);
    if (!imported)
        return fail(err, path, imported.failure());
    if (imported->takesAway)
        return fail(err, path,
                    imports::importFileFailure(
                        source, *imported->takesAway +
                                    QCoreApplication::translate(
                                        "Tool", " Nada cambiou; se é o que queres, engade --allow-empty.")));
    out << imported->summary << Qt::endl;
    for (const QString& note : imported->notes)
        out << QStringLiteral("  %1").arg(note) << Qt::endl;
    return 0;
}

// import-mdb|import-lenex SOURCE FILE [--allow-empty]
int importCommand(const Command& command, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    const bool access = command.name == u"import-mdb";
    bool allowEmpty = false;
    CommandLine commandLine(command);
    commandLine.argument(
        access ? QStringLiteral("MEET.mdb") : QStringLiteral("MEET.lef|MEET.lxf"),
        QCoreApplication::translate("Tool", "o ficheiro do campionato"),
        access
            ? QCoreApplication::translate("Tool", "o ficheiro de Access do programa de xestión do campionato")
            : QCoreApplication::translate("Tool",
                                          "o ficheiro Lenex 3 do programa de xestión, simple ou comprimido"));
    commandLine.registerArgument();
    commandLine.flag(QStringLiteral("allow-empty"),
                     QCoreApplication::translate(
                         "Tool",
                         "importa tamén un ficheiro sen probas ou sen clubs cando o rexistro xa ten "
                         "probas ou clubs, que perdería (un programa sen clubs aínda entra sen isto nun "
                         "rexistro que non ten ningún)"),
                     allowEmpty);
    commandLine.note(QCoreApplication::translate(
        "Tool", "Fai a base de datos se non a hai. Substitúe as probas e os clubs (EVENT, CLUBCHAMP, "
                "CLUBDESC) nunha transacción e nunca toca os resultados gardados; os clubs que xa "
                "estaban conservan o seu código e o seu nome curto."));
    if (const std::optional<int> status = commandLine.read(arguments, out, err))
        return *status;
    const QStringList files = commandLine.arguments();
    const Result<imports::FileMeet> read =
        access ? imports::readAccessMeet(files[0]) : imports::readLenexMeet(files[0]);
    return importMeet(read, files[0], files[1], allowEmpty, out, err);
}

// "create, demo, ... ou score-lenex"
QString namesOf(const QList<Command>& commands)
{
    QStringList names;
    for (const Command& command : commands)
        names << command.name;
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QCoreApplication::translate("Tool", " ou ") + last;
}

QString toolHelp(const QList<Command>& commands)
{
    QList<std::pair<QString, QString>> rows;
    for (const Command& command : commands)
        rows.append({command.name, command.summary});
    return QCoreApplication::translate(
               "Tool", "Uso: quilvarden-db ORDE [opcións] ARGUMENTOS\n\n"
                       "Fai, enche e publica os rexistros de resultados de Quilvarden: un ficheiro\n"
                       "SQLite, ou unha base de datos dun servidor PostgreSQL\n"
                       "(postgresql://usuario@servidor/base).\n\n"
                       "Ordes:\n") +
           helpRows(rows) + QCoreApplication::translate("Tool", "\nOpcións:\n") +
           helpRows({{QStringLiteral("-h, --help"),
                      QCoreApplication::translate("Tool", "amosa esta axuda e remata")},
                     {QStringLiteral("--version"),
                      QCoreApplication::translate("Tool", "amosa a versión e remata")},
                     {QStringLiteral("--%1 %2").arg(language::optionName(), language::optionValueName()),
                      language::optionDescription()}}) +
           QCoreApplication::translate(
               "Tool", "\n«quilvarden-db ORDE --help» explica os argumentos e as opcións de cada orde.\n"
                       "Estado de saída: 0 se todo foi ben, 1 se a operación fallou, 2 se os\n"
                       "argumentos están mal.\n");
}

} // namespace

Command importMdbCommand()
{
    return {QStringLiteral("import-mdb"),
            QCoreApplication::translate("Tool", "trae o programa do campionato dun ficheiro de Access"),
            &importCommand};
}

Command importLenexCommand()
{
    return {QStringLiteral("import-lenex"),
            QCoreApplication::translate("Tool", "trae o programa do campionato dun ficheiro Lenex"),
            &importCommand};
}

QList<Command> commands()
{
    return {createCommand(),    demoCommand(),       importMdbCommand(), importLenexCommand(),
            standingsCommand(), categoriesCommand(), serveCommand(),     scoreLenexCommand(),
            rulesCommand(),     leagueCommand()};
}

int runDbTool(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    const QList<Command> all = commands();
    for (const Command& command : all)
        if (command.name == arguments.value(0))
            return command.run(command, arguments.mid(1), out, err);
    // No command first: the tool's own options, or a mistake.
    const QString program = QStringLiteral("quilvarden-db");
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version(QStringLiteral("version"), QString());
    parser.addOptions({help, version});
    const bool parsed = parser.parse(QStringList{program} + arguments);
    if (parser.isSet(help)) {
        out << toolHelp(all);
        return 0;
    }
    if (!parser.unknownOptionNames().isEmpty())
        return usageMistake(err, program, unknownOptions(parser.unknownOptionNames(), arguments));
    if (!parsed)
        return usageMistake(
            err, program,
            QCoreApplication::translate("Tool", "argumentos non válidos: %1").arg(arguments.join(u' ')));
    if (parser.isSet(version)) {
        out << QStringLiteral("quilvarden-db %1").arg(QStringLiteral(QUILVARDEN_VERSION)) << Qt::endl;
        return 0;
    }
    if (parser.positionalArguments().isEmpty())
        return usageMistake(err, program,
                            QCoreApplication::translate("Tool", "falta a orde: %1").arg(namesOf(all)));
    return usageMistake(err, program,
                        QCoreApplication::translate("Tool", "orde descoñecida: «%1»")
                            .arg(parser.positionalArguments().constFirst()));
}

} // namespace quilvarden::tools
