#include "data/database.h"
#include "data/schema.h"
#include "data/statements.h"

#include <QCoreApplication>
#include <QSqlQuery>

// The competition's rules kept in the register: one row of JSON in the program's own table.
namespace quilvarden::data {

Result<std::optional<rules::MeetRules>> Database::meetRules()
{
    if (Outcome connected = ready(); !connected)
        return connected.failure();
    const Result<bool> kept = hasOwnTable(schema::RulesTable);
    if (!kept)
        return kept.failure();
    if (!*kept)
        return std::optional<rules::MeetRules>();
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (Outcome done = run(query, sql::MeetRulesRead); !done)
        return done.failure();
    if (!query.next())
        return std::optional<rules::MeetRules>();
    const Result<rules::MeetRules> read = rules::fromJson(query.value(0).toString().toUtf8());
    if (!read)
        return Failure::database(
            Failure::DatabaseError,
            QCoreApplication::translate("Data", "As regras do campionato gardadas no rexistro non se len: %1")
                .arg(read.failure().detail));
    return std::optional<rules::MeetRules>(*read);
}

Outcome Database::setMeetRules(const rules::MeetRules& rules)
{
    if (Outcome connected = ready(); !connected)
        return connected;
    if (Outcome begun = beginWriting(); !begun)
        return begun;
    const Outcome done = [&]() -> Outcome {
        const Result<bool> kept = hasOwnTable(schema::RulesTable, true);
        if (!kept)
            return kept.failure();
        if (!*kept)
            return Failure::database(
                Failure::ReadOnlyDatabase,
                QCoreApplication::translate(
                    "Data", "Non se puido facer a táboa das regras no rexistro: "
                            "o rexistro ábrese só para ler, ou o usuario non pode crear táboas."));
        QSqlQuery query(connection());
        if (Outcome forgotten = run(query, sql::MeetRulesForget); !forgotten)
            return forgotten;
        return run(query, sql::MeetRulesKeep, {{"regras", QString::fromUtf8(rules::toJson(rules))}});
    }();
    return endWriting(done);
}

Result<QStringList> Database::guestClubNames(const rules::MeetRules& rules)
{
    QStringList names = rules.guests;
    if (rules.guests.isEmpty())
        return names;
    if (Outcome connected = ready(); !connected)
        return connected.failure();
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (Outcome done = run(query, sql::ClubCodesAndNames); !done)
        return done.failure();
    while (query.next())
        if (rules.isGuest(query.value(0).toString()))
            names << query.value(1).toString().trimmed();
    return names;
}

} // namespace quilvarden::data
