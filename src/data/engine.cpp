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

} // namespace quilvarden::data
