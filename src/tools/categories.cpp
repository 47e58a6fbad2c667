#include "data/categoryjson.h"
#include "data/database.h"
#include "tools/commands.h"

#include <QCoreApplication>
#include <QFile>

namespace quilvarden::tools {

namespace {

// A category's ages as the operator reads them: 10-11, ata 10, desde 25, todas.
QString agesShown(const data::MeetCategory& category)
{
    const bool from = category.minAge > 0;
    const bool upTo = category.maxAge >= 0;
    if (from && upTo)
        return category.minAge == category.maxAge
                   ? QString::number(category.minAge)
                   : QStringLiteral("%1-%2").arg(category.minAge).arg(category.maxAge);
    if (upTo)
        return QCoreApplication::translate("Tool", "ata %1").arg(category.maxAge);
    if (from)
        return QCoreApplication::translate("Tool", "desde %1").arg(category.minAge);
    return QCoreApplication::translate("Tool", "todas");
}

QString eventsShown(const QList<int>& events)
{
    if (events.isEmpty())
        return QCoreApplication::translate("Tool", "ningunha");
    QStringList numbers;
    for (const int order : events)
        numbers << QString::number(order);
    return numbers.join(QStringLiteral(", "));
}

QString categoryLine(const data::MeetCategory& category)
{
    const QString gender =
        category.gender.isEmpty() ? QCoreApplication::translate("Tool", "calquera") : category.gender;
    const QString sportClass =
        category.sportClass.isEmpty() ? QCoreApplication::translate("Tool", "ningunha") : category.sportClass;
    return QCoreApplication::translate("Tool", "%1: idades %2; sexo %3; clase %4; probas %5")
        .arg(category.name, agesShown(category), gender, sportClass, eventsShown(category.events));
}

int showCategories(const QString& where, bool json, QTextStream& out, QTextStream& err)
{
    data::OpenOptions reading;
    reading.readOnly = true;
    Result<std::unique_ptr<data::Database>> database = data::Database::open(where, reading);
    if (!database)
        return fail(err, where, database.failure());
    const Result<QList<data::MeetCategory>> categories = (*database)->meetCategories();
    if (!categories)
        return fail(err, where, categories.failure());
    if (json)
        out << QString::fromUtf8(data::categoriesToJson(*categories));
    else if (categories->isEmpty())
        out << QCoreApplication::translate("Tool", "O rexistro non ten categorías.") << Qt::endl;
    for (const data::MeetCategory& category : json ? QList<data::MeetCategory>() : *categories)
        out << categoryLine(category) << Qt::endl;
    return 0;
}

// Sets the categories a JSON file gives, in place of those the register has.
int setCategories(const QString& where, const QString& file, QTextStream& out, QTextStream& err)
{
    QFile source(file);
    if (!source.open(QIODevice::ReadOnly))
        return fail(err, file, Failure::database(Failure::CannotOpenFile, source.errorString()));
    const Result<QList<data::MeetCategory>> categories = data::categoriesFromJson(source.readAll());
    if (!categories)
        return fail(err, file, categories.failure());
    Result<std::unique_ptr<data::Database>> database = data::Database::open(where);
    if (!database)
        return fail(err, where, database.failure());
    if (Outcome set = (*database)->setMeetCategories(*categories); !set)
        return fail(err, where, set.failure());
    out << QCoreApplication::translate("Tool", "Categorías gardadas no rexistro: %1.").arg(categories->size())
        << Qt::endl;
    return showCategories(where, false, out, err);
}

// categories FILE [--format text|json] [--from CATEGORIES.json]
int categories(const Command& command, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    bool json = false;
    QString from;
    CommandLine commandLine(command);
    commandLine.registerArgument();
    commandLine.checked(
        QStringLiteral("format"), QCoreApplication::translate("Tool", "FORMATO"),
        QCoreApplication::translate("Tool", "text (por omisión) ou json"), [&json](const QString& word) {
            json = word == u"json";
            return json || word == u"text"
                       ? QString()
                       : QCoreApplication::translate("Tool", "--format ha ser text ou json, non «%1»")
                             .arg(word);
        });
    commandLine.text(QStringLiteral("from"), QCoreApplication::translate("Tool", "FICHEIRO.json"),
                     QCoreApplication::translate(
                         "Tool",
                         "garda as categorías deste ficheiro en vez das que ten o rexistro (para un "
                         "programa que non trae ningunha): {\"categories\": [{\"name\": \"Infantil\", "
                         "\"events\": [1, 2]}]}"),
                     from);
    commandLine.note(QCoreApplication::translate(
        "Tool", "Amosa as categorías que trouxo a última importación do programa, coas probas que "
                "as clasifican. Sen --from só le o rexistro: ábreo só para ler e non cambia nada nel."));
    if (const std::optional<int> status = commandLine.read(arguments, out, err))
        return *status;
    if (!from.isEmpty())
        return setCategories(commandLine.arguments().constFirst(), from, out, err);
    return showCategories(commandLine.arguments().constFirst(), json, out, err);
}

} // namespace

Command categoriesCommand()
{
    return {QStringLiteral("categories"),
            QCoreApplication::translate("Tool", "amosa as categorías do campionato e as súas probas"),
            &categories};
}

} // namespace quilvarden::tools
