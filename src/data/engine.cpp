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
    QSqlDatabase db = QSqlDatabase::addDatabase(particularsOf(location.engine)->driverName(), name);
    if (location.engine == Engine::Postgres)
        postgres::connectTo(db, location.server, {});
    else
        db.setDatabaseName(location.text);
    return db;
}

} // namespace quilvarden::data
