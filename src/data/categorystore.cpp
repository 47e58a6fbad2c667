#include "data/database.h"
#include "data/schema.h"
#include "data/statements.h"

#include <QCoreApplication>
#include <QHash>
#include <QSqlQuery>

// The meet's categories kept in the register: the program's own two tables, made by the first
// programme import that brings any.
namespace quilvarden::data {

namespace {

// An age limit as the register keeps it: Null for none.
QVariant ageValue(int age)
{
    return age < 0 ? QVariant(QMetaType::fromType<int>()) : QVariant(age);
}

// A text never Null: an empty one is kept as empty.
QString textOf(const QString& value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

int ageOf(const QVariant& value)
{
    return value.isNull() ? -1 : value.toInt();
}

} // namespace

Outcome Database::keepCategories(const QList<MeetCategory>& categories)
{
    const bool make = !categories.isEmpty();
    const Result<bool> kept = hasOwnTable(schema::CategoriesTable, make);
    if (!kept)
        return kept.failure();
    const Result<bool> keptEvents = hasOwnTable(schema::CategoryEventsTable, make && *kept);
    if (!keptEvents)
        return keptEvents.failure();
    if (!*kept || !*keptEvents)
        return Done{}; // none to forget, or a user who cannot make tables goes on without them
    QSqlQuery query(connection());
    for (const char* text : {sql::CategoryEventsForget, sql::CategoriesForget})
        if (Outcome forgotten = run(query, text); !forgotten)
            return forgotten;
    for (qsizetype i = 0; i < categories.size(); ++i) {
        const MeetCategory& category = categories[i];
        const qint64 id = i + 1;
        if (Outcome done = run(query, sql::CategoryKeep,
                               {{"id", id},
                                {"nome", textOf(category.name)},
                                {"idade_min", ageValue(category.minAge)},
                                {"idade_max", ageValue(category.maxAge)},
                                {"sexo", textOf(category.gender)},
                                {"clase", textOf(category.sportClass)}});
            !done)
            return done;
        for (const int order : category.events)
            if (Outcome done = run(query, sql::CategoryEventKeep, {{"categoria", id}, {"orde", order}});
                !done)
                return done;
    }
    return Done{};
}

Failure Database::categoriesRefused()
{
    return Failure::database(
        Failure::ReadOnlyDatabase,
        QCoreApplication::translate("Data",
                                    "Non se puido facer a táboa das categorías no rexistro: "
                                    "o rexistro ábrese só para ler, ou o usuario non pode crear táboas."));
}

Outcome Database::setMeetCategories(const QList<MeetCategory>& categories)
{
    QStringList names;
    for (const MeetCategory& category : categories) {
        const QString name = category.name.simplified();
        if (name.isEmpty() || names.contains(name, Qt::CaseInsensitive))
            return Failure::database(
                Failure::InvalidArgument,
                QCoreApplication::translate(
                    "Data", "Cada categoría ha de ter un nome, e distinto do das outras: «%1».")
                    .arg(name));
        names << name;
    }
    if (Outcome connected = ready(); !connected)
        return connected;
    if (Outcome begun = beginWriting(); !begun)
        return begun;
    Outcome done = keepCategories(categories);
    if (done && !categories.isEmpty()) {
        const Result<bool> kept = hasOwnTable(schema::CategoriesTable);
        if (!kept || !*kept)
            done = kept ? Outcome(categoriesRefused()) : Outcome(kept.failure());
    }
    return endWriting(done);
}

Result<QList<MeetCategory>> Database::meetCategories()
{
    if (Outcome connected = ready(); !connected)
        return connected.failure();
    QList<MeetCategory> categories;
    for (const char* table : {schema::CategoriesTable, schema::CategoryEventsTable}) {
        const Result<bool> kept = hasOwnTable(table);
        if (!kept)
            return kept.failure();
        if (!*kept)
            return categories;
    }
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (Outcome done = run(query, sql::CategoriesRead); !done)
        return done.failure();
    QHash<qint64, qsizetype> byId;
    while (query.next()) {
        byId.insert(query.value(0).toLongLong(), categories.size());
        categories.append({query.value(1).toString(),
                           ageOf(query.value(2)),
                           ageOf(query.value(3)),
                           query.value(4).toString(),
                           query.value(5).toString(),
                           {}});
    }
    if (Outcome done = run(query, sql::CategoryEventsRead); !done)
        return done.failure();
    while (query.next())
        if (const auto found = byId.constFind(query.value(0).toLongLong()); found != byId.constEnd())
            categories[*found].events.append(query.value(1).toInt());
    return categories;
}

} // namespace quilvarden::data
