#include "categoryfields.h"

#include "text/orderlist.h"

#include <QCoreApplication>

namespace quilvarden::data {

namespace {

constexpr int OldestAge = 150;

QString ageText(int age)
{
    return age < 0 ? QString() : QString::number(age);
}

// An age typed: -1 for none, nothing when it is not a number of years.
std::optional<int> readAge(const QString& typed)
{
    const QString trimmed = typed.trimmed();
    if (trimmed.isEmpty())
        return -1;
    bool ok = false;
    const int age = trimmed.toInt(&ok);
    if (!ok || age < 0 || age > OldestAge)
        return std::nullopt;
    return age;
}

Failure refused(qsizetype row, const QString& name, const QString& why)
{
    return Failure::database(
        Failure::InvalidArgument,
        QCoreApplication::translate("Data", "Categoría %1 («%2»): %3").arg(row + 1).arg(name, why));
}

Result<MeetCategory> categoryFrom(const CategoryFields& fields, qsizetype row)
{
    MeetCategory category{fields.name.simplified(), -1, -1, fields.gender, fields.sportClass.trimmed(), {}};
    for (const auto& [typed, age] :
         {std::pair{fields.minAge, &category.minAge}, {fields.maxAge, &category.maxAge}}) {
        const std::optional<int> read = readAge(typed);
        if (!read)
            return refused(
                row, category.name,
                QCoreApplication::translate("Data", "a idade «%1» non é un número de anos.").arg(typed));
        *age = *read;
    }
    if (category.minAge >= 0 && category.maxAge >= 0 && category.minAge > category.maxAge)
        return refused(row, category.name,
                       QCoreApplication::translate("Data", "a idade mínima pasa da máxima."));
    const std::optional<QList<int>> events = text::readOrderList(fields.events);
    if (!events)
        return refused(row, category.name,
                       QCoreApplication::translate(
                           "Data", "as probas «%1» non se len: escríbense as ordes como «1, 3, 5-9».")
                           .arg(fields.events));
    category.events = *events;
    return category;
}

} // namespace

CategoryFields fieldsOf(const MeetCategory& category)
{
    return {category.name,
            ageText(category.minAge),
            ageText(category.maxAge),
            category.sportClass,
            text::orderListText(category.events),
            category.gender};
}

Result<QList<MeetCategory>> categoriesFrom(const QList<CategoryFields>& rows)
{
    QList<MeetCategory> categories;
    for (qsizetype row = 0; row < rows.size(); ++row) {
        Result<MeetCategory> category = categoryFrom(rows[row], row);
        if (!category)
            return category.failure();
        categories.append(*category);
    }
    return categories;
}

} // namespace quilvarden::data
