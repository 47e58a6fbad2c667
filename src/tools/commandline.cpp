#include "commandline.h"

#include "data/location.h"
#include "language/language.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace quilvarden::tools {

namespace {

constexpr qsizetype HelpWidth = 79;
constexpr qsizetype NameColumn = 24;

QString programOf(const Command& command)
{
    return QStringLiteral("quilvarden-db %1").arg(command.name);
}

// The text in lines of at most width characters, broken between words.
QStringList wrapped(const QString& text, qsizetype width)
{
    QStringList lines;
    QString line;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            lines << line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

// How an option is written in the help: "-h, --help", "--format FORMATO".
QString shownName(const QCommandLineOption& option)
{
    QStringList names;
    for (const QString& name : option.names())
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    QString shown = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        shown += u' ' + option.valueName();
    return shown;
}

// An option given a value it does not take (--replace=si).
QString valueNotTaken(const QCommandLineOption& option, const QStringList& arguments)
{
    if (!option.valueName().isEmpty())
        return {};
    for (const QString& argument : arguments) {
        if (argument == u"--")
            break;
        for (const QString& name : option.names())
            if (argument.startsWith(QStringLiteral("--%1=").arg(name)) ||
                argument.startsWith(QStringLiteral("-%1=").arg(name)))
                return QCoreApplication::translate("Tool", "--%1 non leva valor: «%2»").arg(name, argument);
    }
    return {};
}

} // namespace

int fail(QTextStream& err, const QString& where, const Failure& failure)
{
    // A server's URI is shown without its password.
    err << QStringLiteral("quilvarden-db: %1: %2").arg(data::locate(where).shown(), failure.message())
        << Qt::endl;
    return ExitFailed;
}

int usageMistake(QTextStream& err, const QString& program, const QString& what)
{
    err << QStringLiteral("%1: %2").arg(program, what) << Qt::endl
        << QCoreApplication::translate("Tool", "Para máis axuda: %1 --help").arg(program) << Qt::endl;
    return ExitUsage;
}

QString unknownOptions(const QStringList& names, const QStringList& arguments)
{
    QStringList typed;
    for (const QString& name : names) {
        QString shown = (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        for (const QString& argument : arguments) {
            const QString option = argument.section(u'=', 0, 0);
            if (option == u'-' + name || option == QStringLiteral("--") + name) {
                shown = option;
                break;
            }
        }
        if (!typed.contains(shown))
            typed << shown;
    }
    // A file whose name starts with "-" is told apart by "--" before it.
    const bool aFile =
        std::any_of(typed.cbegin(), typed.cend(), [](const QString& t) { return QFileInfo::exists(t); });
    return (typed.size() == 1 ? QCoreApplication::translate("Tool", "opción descoñecida: %1%2")
                              : QCoreApplication::translate("Tool", "opcións descoñecidas: %1%2"))
        .arg(typed.join(QStringLiteral(", ")),
             aFile ? QCoreApplication::translate("Tool", " (se é un ficheiro, escribe -- antes del: -- %1)")
                         .arg(typed.first())
                   : QString());
}

QString helpRows(const QList<std::pair<QString, QString>>& rows)
{
    qsizetype width = 0;
    for (const auto& row : rows)
        if (row.first.size() <= NameColumn)
            width = qMax(width, row.first.size());
    const qsizetype indent = width + 4;
    QString text;
    for (const auto& [name, description] : rows) {
        QString line = QStringLiteral("  ") + name;
        for (const QString& part : wrapped(description, HelpWidth - indent)) {
            if (line.size() + 2 > indent) { // a name too long for the column: the words below it
                text += line + u'\n';
                line.clear();
            }
            text += line.leftJustified(indent) + part + u'\n';
            line.clear();
        }
        if (!line.isEmpty())
            text += line + u'\n';
    }
    return text;
}

CommandLine::CommandLine(const Command& command) : m_command(command) {}

void CommandLine::argument(const QString& name, const QString& missing, const QString& description)
{
    m_declared.append({name, missing, description});
}

void CommandLine::registerArgument()
{
    argument(QCoreApplication::translate("Tool", "FICHEIRO"),
             QCoreApplication::translate("Tool", "o ficheiro da base de datos"),
             QCoreApplication::translate(
                 "Tool", "a base de datos: un ficheiro SQLite, ou o URI dun servidor PostgreSQL "
                         "(postgresql://usuario@servidor/base)"));
}

void CommandLine::add(QCommandLineOption option, bool repeatable, Reader take)
{
    m_options.append({std::move(option), repeatable, std::move(take)});
}

void CommandLine::flag(const QString& name, const QString& description, bool& target)
{
    add(QCommandLineOption(name, description), false, [&target](const QString&) {
        target = true;
        return QString();
    });
}

void CommandLine::text(const QString& name, const QString& valueName, const QString& description,
                       QString& target)
{
    add(QCommandLineOption(name, description, valueName), false, [&target](const QString& value) {
        target = value;
        return QString();
    });
}

void CommandLine::texts(const QString& name, const QString& valueName, const QString& description,
                        QStringList& target)
{
    add(QCommandLineOption(name, description, valueName), true, [&target](const QString& value) {
        target << value;
        return QString();
    });
}

void CommandLine::number(const QString& name, const QString& valueName, const QString& description,
                         int minimum, int& target)
{
    add(QCommandLineOption(name, description, valueName), false,
        [name, minimum, &target](const QString& value) {
            bool whole = false;
            target = value.toInt(&whole);
            return whole && target >= minimum
                       ? QString()
                       : QCoreApplication::translate("Tool",
                                                     "--%1 quere un número enteiro de %2 en diante, non «%3»")
                             .arg(name, QString::number(minimum), value);
        });
}

void CommandLine::checked(const QString& name, const QString& valueName, const QString& description,
                          Reader read)
{
    add(QCommandLineOption(name, description, valueName), false, std::move(read));
}

void CommandLine::note(const QString& text)
{
    m_notes << text;
}

QString CommandLine::help() const
{
    QStringList names;
    QList<std::pair<QString, QString>> arguments;
    for (const Argument& argument : m_declared) {
        names << argument.name;
        arguments.append({argument.name, argument.description});
    }
    QList<std::pair<QString, QString>> options;
    for (const Option& option : m_options)
        options.append({shownName(option.option), option.option.description()});
    // Read before the command by language::setUp (quilvarden-db.cpp); told here with the rest.
    options.append({QStringLiteral("--%1 %2").arg(language::optionName(), language::optionValueName()),
                    language::optionDescription()});
    options.append(
        {QStringLiteral("-h, --help"), QCoreApplication::translate("Tool", "amosa esta axuda e remata")});
    QString summary = m_command.summary;
    summary[0] = summary[0].toUpper();
    QString text = QCoreApplication::translate("Tool", "Uso: %1 [opcións] %2\n\n")
                       .arg(programOf(m_command), names.join(u' '));
    text += wrapped(summary + u'.', HelpWidth).join(u'\n') +
            QCoreApplication::translate("Tool", "\n\nArgumentos:\n");
    text += helpRows(arguments) + QCoreApplication::translate("Tool", "\nOpcións:\n") + helpRows(options);
    for (const QString& note : m_notes)
        text += u'\n' + wrapped(note, HelpWidth).join(u'\n') + u'\n';
    return text;
}

int CommandLine::mistake(QTextStream& err, const QString& what) const
{
    return usageMistake(err, programOf(m_command), what);
}

std::optional<int> CommandLine::read(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    const QString why = mistakeIn(arguments);
    if (why == u"--help") {
        out << help();
        out.flush();
        return 0;
    }
    if (!why.isEmpty())
        return mistake(err, why);
    return std::nullopt;
}

// "--help" when the help is asked for; otherwise the first mistake, empty when there is none
// (and every option has set what it is bound to).
QString CommandLine::mistakeIn(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    parser.addOption(help);
    for (const Option& option : std::as_const(m_options))
        parser.addOption(option.option);
    const bool parsed = parser.parse(QStringList{programOf(m_command)} + arguments);
    if (parser.isSet(help))
        return QStringLiteral("--help");
    if (!parser.unknownOptionNames().isEmpty())
        return unknownOptions(parser.unknownOptionNames(), arguments);
    if (const QString why = mistakeInOptions(parser, arguments); !why.isEmpty())
        return why;
    if (!parsed) // none of the above, which are every mistake Qt's parser finds
        return QCoreApplication::translate("Tool", "argumentos non válidos (%1)").arg(parser.errorText());
    m_arguments = parser.positionalArguments();
    if (m_arguments.size() < m_declared.size())
        return QCoreApplication::translate("Tool", "falta %1").arg(m_declared[m_arguments.size()].missing);
    if (m_arguments.size() > m_declared.size())
        return QCoreApplication::translate("Tool", "sobra o argumento «%1»")
            .arg(m_arguments[m_declared.size()]);
    return takeValues(parser);
}

// A value missing or given to an option that takes none, an option given twice.
QString CommandLine::mistakeInOptions(const QCommandLineParser& parser, const QStringList& arguments) const
{
    for (const Option& option : m_options) {
        const QString name = QStringLiteral("--") + option.option.names().constLast();
        const QStringList values = parser.values(option.option);
        if (!option.option.valueName().isEmpty() && parser.isSet(option.option) &&
            (values.isEmpty() || values.contains(QString())))
            return QCoreApplication::translate("Tool", "falta o valor de %1").arg(name);
        if (const QString why = valueNotTaken(option.option, arguments); !why.isEmpty())
            return why;
        if (!option.repeatable && values.size() > 1)
            return QCoreApplication::translate("Tool", "%1 dáse %2 veces; dá só un valor")
                .arg(name, QString::number(values.size()));
    }
    return {};
}

// Each option's values to what it sets, in the order declared; the first that is wrong.
QString CommandLine::takeValues(const QCommandLineParser& parser) const
{
    for (const Option& option : m_options) {
        if (!parser.isSet(option.option))
            continue;
        const QStringList values =
            option.option.valueName().isEmpty() ? QStringList{QString()} : parser.values(option.option);
        for (const QString& value : values)
            if (const QString why = option.take(value); !why.isEmpty())
                return why;
    }
    return {};
}

} // namespace quilvarden::tools
