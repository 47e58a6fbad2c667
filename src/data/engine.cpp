#include "engine.h"

#include "data/postgres.h"
#include "data/sqlite.h"

namespace quilvarden::data {

std::unique_ptr<EngineParticulars> particularsOf(Engine engine)
{
    if (engine == Engine::Postgres)
        return std::make_unique<postgres::Particulars>();
    return std::make_unique<sqlite::Particulars>();
}

QSqlDatabase addConnection(const QString& where, const QString& name)
{
    const Location location = locate(where);
    if (location.engine == Engine::Postgres) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        postgres::connectTo(db, location.text, {});
        return db;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(location.text);
    return db;
}

} // namespace quilvarden::data
