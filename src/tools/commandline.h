#pragma once

#include "text/failure.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <optional>

namespace quilvarden::tools {

// The exit statuses besides 0: an operation that failed, and wrong arguments.
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;

// One command of quilvarden-db: its name, one line on what it does (in the list of commands
// and atop its own help), and what runs it with the arguments after its name.
struct Command {
    QString name;
    QString summary;
    int (*run)(const Command& command, const QStringList& arguments, QTextStream& out, QTextStream& err);
};

// Tells a failure as "quilvarden-db: WHERE: message" (a server's URI without its password)
// and gives ExitFailed.
int fail(QTextStream& err, const QString& where, const Failure& failure);

// Tells a mistake in the arguments as "PROGRAM: what", then where the help is
// ("PROGRAM --help"), and gives ExitUsage.
int usageMistake(QTextStream& err, const QString& program, const QString& what);

// The arguments and options of one command, read by Qt's parser: its help (--help, -h), and
// every mistake named in Galician with a pointer to that help. Each option is bound to what
// it sets, so that adding one is one line.
class CommandLine {
public:
    // Reads an option's value; says why it is wrong, empty when it is right.
    using Reader = std::function<QString(const QString& value)>;

    explicit CommandLine(const Command& command);

    // An argument that must be given, in order: its name in the help (FICHEIRO), what is
    // missing without it ("o ficheiro da base de datos"), and what it is.
    void argument(const QString& name, const QString& missing, const QString& description);
    // The register every command works on: a file or a server's URI.
    void registerArgument();

    void flag(const QString& name, const QString& description, bool& target);
    void text(const QString& name, const QString& valueName, const QString& description, QString& target);
    // An option that can be given several times, each value kept in order.
    void texts(const QString& name, const QString& valueName, const QString& description,
               QStringList& target);
    // A whole number from minimum on.
    void number(const QString& name, const QString& valueName, const QString& description, int minimum,
                int& target);
    void checked(const QString& name, const QString& valueName, const QString& description, Reader read);

    // A paragraph after the options in the help.
    void note(const QString& text);

    // Reads the arguments after the command's name. Nothing when the command goes on;
    // otherwise the exit status: 0 once the help is shown on out, ExitUsage once a mistake
    // is told on err.
    std::optional<int> read(const QStringList& arguments, QTextStream& out, QTextStream& err);
    // The arguments, in the order declared.
    const QStringList& arguments() const { return m_arguments; }

    QString help() const;
    // A mistake found once the arguments are read (options that do not go together).
    int mistake(QTextStream& err, const QString& what) const;

private:
    struct Argument {
        QString name;
        QString missing;
        QString description;
    };
    struct Option {
        QCommandLineOption option;
        bool repeatable = false;
        Reader take; // for a flag, called with no value when it is given
    };

    void add(QCommandLineOption option, bool repeatable, Reader take);
    QString mistakeIn(const QStringList& arguments);
    QString mistakeInOptions(const QCommandLineParser& parser, const QStringList& arguments) const;
    QString takeValues(const QCommandLineParser& parser) const;

    Command m_command;
    QList<Argument> m_declared;
    QList<Option> m_options;
    QStringList m_notes;
    QStringList m_arguments;
};

// The names of the options that Qt's parser did not know, as they were typed (--frob, -x).
QString unknownOptions(const QStringList& names, const QStringList& arguments);

// "NAME  description" rows for a help, the descriptions lined up and wrapped.
QString helpRows(const QList<std::pair<QString, QString>>& rows);

} // namespace quilvarden::tools
