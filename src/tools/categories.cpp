#include "data/database.h"
#include "tools/commands.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

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

QJsonValue ageValue(int age)
{
    return age < 0 ? QJsonValue(QJsonValue::Null) : QJsonValue(age);
}

QByteArray asJson(const QList<data::MeetCategory>& categories)
{
    QJsonArray list;
    for (const data::MeetCategory& category : categories) {
        QJsonArray events;
        for (const int order : category.events)
            events.append(order);
        list.append(QJsonObject{{QStringLiteral("name"), category.name},
                                {QStringLiteral("minAge"), ageValue(category.minAge)},
                                {QStringLiteral("maxAge"), ageValue(category.maxAge)},
                                {QStringLiteral("gender"), category.gender},
                                {QStringLiteral("class"), category.sportClass},
                                {QStringLiteral("events"), events}});
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("categories"), list}}).toJson();
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
        out << QString::fromUtf8(asJson(*categories));
    else if (categories->isEmpty())
        out << QCoreApplication::translate("Tool", "O rexistro non ten categorías.") << Qt::endl;
    for (const data::MeetCategory& category : json ? QList<data::MeetCategory>() : *categories)
        out << categoryLine(category) << Qt::endl;
    return 0;
}

// categories FILE [--format text|json]
int categories(const Command& command, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    bool json = false;
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
    commandLine.note(QCoreApplication::translate(
        "Tool", "Amosa as categorías que trouxo a última importación do programa, coas probas que "
                "as clasifican. Só le o rexistro: ábreo só para ler e non cambia nada nel."));
    if (const std::optional<int> status = commandLine.read(arguments, out, err))
        return *status;
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
