#include "categoryjson.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace quilvarden::data {

namespace {

constexpr int HighestOrder = 1000000;
constexpr int OldestAge = 200;

Failure refused(const QString& why)
{
    return Failure::database(Failure::InvalidArgument, why);
}

QJsonValue ageValue(int age)
{
    return age < 0 ? QJsonValue(QJsonValue::Null) : QJsonValue(age);
}

// A whole number from lowest to highest, or nothing.
std::optional<int> wholeNumber(const QJsonValue& value, int lowest, int highest)
{
    const double number = value.toDouble(-1);
    if (!value.isDouble() || number < lowest || number > highest || std::floor(number) != number)
        return std::nullopt;
    return static_cast<int>(number);
}

Result<int> ageOf(const QJsonObject& object, const QString& key, const QString& name)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        return -1;
    if (const std::optional<int> age = wholeNumber(value, 0, OldestAge))
        return *age;
    return refused(
        QCoreApplication::translate("Data", "«%1» da categoría «%2» ha de ser unha idade de 0 a %3, ou null.")
            .arg(key, name)
            .arg(OldestAge));
}

Result<QString> textOf(const QJsonObject& object, const QString& key, const QString& name)
{
    const QJsonValue value = object.value(key);
    if (!value.isUndefined() && !value.isString())
        return refused(
            QCoreApplication::translate("Data", "«%1» da categoría «%2» ha de ser un texto.").arg(key, name));
    return value.toString().simplified();
}

Result<QList<int>> eventsOf(const QJsonObject& object, const QString& name)
{
    const QJsonValue value = object.value(QStringLiteral("events"));
    QList<int> events;
    if (value.isUndefined())
        return events;
    const auto wrong = [&name] {
        return refused(
            QCoreApplication::translate(
                "Data", "«events» da categoría «%1» ha de ser unha lista de números de orde (1, 2, …).")
                .arg(name));
    };
    if (!value.isArray())
        return wrong();
    for (const QJsonValue& order : value.toArray()) {
        const std::optional<int> number = wholeNumber(order, 1, HighestOrder);
        if (!number)
            return wrong();
        if (!events.contains(*number))
            events.append(*number);
    }
    std::sort(events.begin(), events.end());
    return events;
}

Result<MeetCategory> categoryOf(const QJsonValue& value)
{
    static const QStringList keys{QStringLiteral("name"),   QStringLiteral("minAge"),
                                  QStringLiteral("maxAge"), QStringLiteral("gender"),
                                  QStringLiteral("class"),  QStringLiteral("events")};
    const QJsonObject object = value.toObject();
    const QString name = object.value(QStringLiteral("name")).toString().simplified();
    if (!value.isObject() || name.isEmpty())
        return refused(
            QCoreApplication::translate("Data", "Cada categoría ha de ser un obxecto cun «name»."));
    for (const QString& key : object.keys())
        if (!keys.contains(key))
            return refused(QCoreApplication::translate(
                               "Data", "Non se coñece a clave «%1» da categoría «%2»: as claves son %3.")
                               .arg(key, name, keys.join(QStringLiteral(", "))));
    const Result<int> minAge = ageOf(object, QStringLiteral("minAge"), name);
    const Result<int> maxAge = ageOf(object, QStringLiteral("maxAge"), name);
    const Result<QString> gender = textOf(object, QStringLiteral("gender"), name);
    const Result<QString> sportClass = textOf(object, QStringLiteral("class"), name);
    const Result<QList<int>> events = eventsOf(object, name);
    for (const Failure* failure :
         {minAge ? nullptr : &minAge.failure(), maxAge ? nullptr : &maxAge.failure(),
          gender ? nullptr : &gender.failure(), sportClass ? nullptr : &sportClass.failure(),
          events ? nullptr : &events.failure()})
        if (failure)
            return *failure;
    return MeetCategory{name, *minAge, *maxAge, *gender, *sportClass, *events};
}

} // namespace

QByteArray categoriesToJson(const QList<MeetCategory>& categories)
{
    QJsonArray list;
    for (const MeetCategory& category : categories) {
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

Result<QList<MeetCategory>> categoriesFromJson(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return refused(QCoreApplication::translate("Data", "Non é JSON: %1 (carácter %2).")
                           .arg(error.errorString())
                           .arg(error.offset));
    const QJsonValue list = document.isArray() ? QJsonValue(document.array())
                                               : document.object().value(QStringLiteral("categories"));
    if (!list.isArray() || (document.isObject() && document.object().size() != 1))
        return refused(QCoreApplication::translate(
            "Data", "As categorías han de ser {\"categories\": [{\"name\": …, \"events\": [1, 2, …]}, …]}."));
    QList<MeetCategory> categories;
    for (const QJsonValue& value : list.toArray()) {
        Result<MeetCategory> category = categoryOf(value);
        if (!category)
            return category.failure();
        categories.append(std::move(category).value());
    }
    return categories;
}

} // namespace quilvarden::data
