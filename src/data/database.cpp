#include "database.h"

#include "data/schema.h"
#include "data/statements.h"
#include "text/masks.h"
#include "text/names.h"
#include "text/numbers.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <cmath>

namespace quilvarden::data {

namespace {

QString newConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("quilvarden-%1").arg(counter.fetchAndAddRelaxed(1));
}

QString statement(const char* text)
{
    return QString::fromLatin1(text);
}

// An empty field is stored as an empty text, never as Null, so that the standings group it
// with the other empty ones.
QString fieldText(const QString& value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

// An award's values for InsertAward.
QList<std::pair<const char*, QVariant>> awardBindings(const Award& award)
{
    return {{"orde", fieldText(award.order)},
            {"proba", fieldText(award.eventCode)},
            {"sexo", fieldText(award.gender)},
            {"club", fieldText(award.club)},
            {"puntos", award.points}};
}

// An order number as the register compares it: a whole number as an integer, so that it
// matches a column that keeps it as text too.
QVariant orderValue(double number)
{
    constexpr double limit = 9007199254740992.0; // 2^53: every whole double below is exact
    if (std::trunc(number) == number && std::fabs(number) < limit)
        return QVariant::fromValue(static_cast<qint64>(number));
    return number;
}

AwardRow awardOf(const QSqlQuery& query)
{
    const QSqlRecord record = query.record();
    return {record.value(QStringLiteral("orde")), record.value(QStringLiteral("proba")),
            record.value(QStringLiteral("sexo")), record.value(QStringLiteral("club")),
            record.value(QStringLiteral("puntos"))};
}

// The number an award's order text stands for, read strictly ("07 " is 7; "7a", "" and Null
// are none, so they never name an event). A register filled by another program may keep it
// as a number.
std::optional<double> orderNumberOf(const QVariant& order)
{
    switch (order.isNull() ? QMetaType::UnknownType : order.typeId()) {
    case QMetaType::QString:
        if (const Result<double> number = text::readStrict(order.toString()))
            return *number;
        return std::nullopt;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return order.toDouble();
    default:
        return std::nullopt;
    }
}

// Points another program stored as text would be summed as 0 or by their leading digits. The
// query has run the engine's search for such points (id, order, club, points): the first
// that is no number is a type mismatch naming its award.
std::optional<Failure> pointsThatAreNoNumber(QSqlQuery& q, const EngineParticulars& engine)
{
    QHash<QString, bool> checked;
    while (q.next()) {
        const QVariant points = q.value(3);
        const QString key = QString::number(points.typeId()) + u':' + points.toString();
        auto verdict = checked.constFind(key);
        if (verdict == checked.constEnd())
            verdict = checked.insert(key, engine.isNumberText(points));
        if (!*verdict)
            return Failure{Failure::TypeMismatch, describeError(Failure::TypeMismatch),
                           QCoreApplication::translate(
                               "Data", "Os puntos «%1» do resultado %2 (proba %3, club %4) non son un "
                                       "número: corríxeos na base de datos.")
                               .arg(points.toString(), q.value(0).toString(), text::valueText(q.value(1)),
                                    text::valueText(q.value(2)))};
    }
    return std::nullopt;
}

// The points by event and club in the order they are checked in: order numbers by their value,
// and the texts that are no number after them; within one, the most points first (none last),
// equal points by club as the club list shows them. The rest only makes the order the same on
// both engines.
QList<EventClubPoints> sortedByEvent(QList<EventClubPoints> rows)
{
    struct Sorted {
        EventClubPoints row;
        std::optional<double> order; // the number the order text reads as
    };
    QList<Sorted> sorted;
    sorted.reserve(rows.size());
    for (EventClubPoints& row : rows) {
        const std::optional<double> order = orderNumberOf(row.order);
        sorted.append({std::move(row), order});
    }
    const auto compareTexts = [](const QVariant& a, const QVariant& b) {
        return text::valueText(a).compare(text::valueText(b));
    };
    std::sort(sorted.begin(), sorted.end(), [&](const Sorted& one, const Sorted& other) {
        const EventClubPoints& a = one.row;
        const EventClubPoints& b = other.row;
        if (one.order.has_value() != other.order.has_value())
            return one.order.has_value();
        if (one.order && *one.order != *other.order)
            return *one.order < *other.order;
        if (!one.order)
            if (const int order = compareTexts(a.order, b.order); order != 0)
                return order < 0;
        if (a.category != b.category)
            return text::compareNames(a.category, b.category) < 0;
        if (a.points.isNull() != b.points.isNull())
            return b.points.isNull();
        if (!a.points.isNull() && a.points.toDouble() != b.points.toDouble())
            return a.points.toDouble() > b.points.toDouble();
        if (const int club = text::compareNames(text::valueText(a.club), text::valueText(b.club)); club != 0)
            return club < 0;
        for (const auto& [x, y] : {std::pair{a.club, b.club}, std::pair{a.order, b.order},
                                   std::pair{a.eventCode, b.eventCode}, std::pair{a.gender, b.gender}})
            if (const int order = compareTexts(x, y); order != 0)
                return order < 0;
        return false;
    });
    rows.clear();
    for (Sorted& entry : sorted)
        rows.append(std::move(entry.row));
    return rows;
}

} // namespace

Database::Database(QString connectionName, Location location, OpenOptions options)
    : m_engine(particularsOf(location.engine)), m_connectionName(std::move(connectionName)),
      m_location(std::move(location)), m_options(options)
{
}

Database::~Database()
{
    // A last try, so that the register holds what the station was told.
    if (m_unsettled || m_unsettledUndo || !m_unsettledStored.isEmpty() || !m_unsettledReplaced.isEmpty())
        [[maybe_unused]]
        const Outcome settled = settle();
    m_prepared.clear();
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase Database::connection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

QSqlDriver* Database::driver() const
{
    return connection().driver();
}

QString Database::changeChannel() const
{
    return m_engine->changeChannel();
}

Failure Database::failed(const QSqlError& error, const QString& context)
{
    // A driver that closed its connection after the failure has lost it too, whatever the
    // words of its error.
    if (m_engine->isConnectionLost(error) || !connection().isOpen()) {
        m_lost = true;
        return Failure::database(
            Failure::ConnectionFailed,
            QCoreApplication::translate("Data",
                                        "Non se pode chegar ao rexistro en %1: o servidor non responde ou a "
                                        "rede está cortada. Non se gardou nada máis; os campos quedan como "
                                        "estaban, e a seguinte acción volve conectar.\n%2")
                .arg(shown(), m_engine->failureFrom(error, context).detail));
    }
    return m_engine->failureFrom(error, context);
}

Result<std::unique_ptr<Database>> Database::open(const QString& where, const OpenOptions& options)
{
    const Location location = locate(where);
    std::unique_ptr<EngineParticulars> engine = particularsOf(location.engine);
    if (Outcome checked = engine->checkBeforeOpening(location, options); !checked)
        return checked.failure();
    std::unique_ptr<Database> database(new Database(newConnectionName(), location, options));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(engine->driverName(), database->m_connectionName);
        engine->configure(db, location, options);
    }
    if (Outcome connected = database->connect(); !connected)
        return connected.failure();
    return database;
}

Outcome Database::connect()
{
    m_prepared.clear();
    QSqlDatabase db = connection();
    db.close();
    if (!db.open()) {
        const Failure failure = m_engine->failureFrom(db.lastError(), {});
        return failure.number == Failure::DatabaseError
                   ? Failure::database(Failure::ConnectionFailed, failure.detail)
                   : failure;
    }
    if (Outcome tables = checkTables(); !tables)
        return tables;
    if (Outcome prepared = m_engine->prepareConnection(db, m_options); !prepared)
        return prepared;
    m_lost = false;
    ++m_connections;
    return Done{};
}

Outcome Database::ready()
{
    if (!m_lost)
        return Done{};
    if (Outcome connected = connect(); !connected) {
        Failure failure = connected.failure();
        if (failure.number == Failure::ConnectionFailed)
            failure.detail =
                QCoreApplication::translate(
                    "Data", "Non se pode chegar ao rexistro en %1: o servidor non responde ou a rede "
                            "está cortada. Non se gardou nada; os campos quedan como estaban.\n%2")
                    .arg(shown(), failure.detail);
        return failure;
    }
    return settle();
}

Outcome Database::create(const QString& where)
{
    const Location location = locate(where);
    return particularsOf(location.engine)->create(location);
}

Outcome Database::execute(QSqlQuery& query, const char* text, const Bindings& values)
{
    for (const auto& [name, value] : values)
        query.bindValue(QLatin1Char(':') + QLatin1String(name), value);
    if (!query.exec()) {
        const Failure failure = failed(query.lastError(), statement(text));
        query.finish();
        return failure;
    }
    return Done{};
}

Outcome Database::run(QSqlQuery& query, const char* text, const Bindings& values)
{
    if (!query.prepare(statement(text)))
        return failed(query.lastError(), statement(text));
    return execute(query, text, values);
}

Outcome Database::runText(QSqlQuery& query, const QString& text)
{
    if (!query.exec(text))
        return failed(query.lastError(), text);
    return Done{};
}

Outcome Database::checkTables()
{
    QSqlDatabase db = connection();
    for (const schema::Table& table : schema::tables()) {
        const QString tableName = QString::fromLatin1(table.name);
        QSqlQuery query(db);
        if (!query.exec(QString::fromLatin1(sql::ProbeTable).arg(tableName))) {
            if (!m_engine->isMissingTable(query.lastError()))
                return failed(query.lastError(), {});
            return Failure::database(Failure::TableNotFound,
                                     QCoreApplication::translate("Data", "Falta a táboa %1.").arg(tableName));
        }
        const QSqlRecord record = query.record();
        for (const schema::Column& column : table.columns) {
            if (!column.used)
                continue;
            const QString columnName = QString::fromLatin1(column.name);
            bool found = false;
            for (int i = 0; i < record.count() && !found; ++i)
                found = record.fieldName(i).compare(columnName, Qt::CaseInsensitive) == 0;
            if (!found)
                return Failure::database(
                    Failure::ColumnNotFound,
                    QCoreApplication::translate("Data", "Falta a columna %1 na táboa %2.")
                        .arg(columnName, tableName));
        }
    }
    return Done{};
}

Result<bool> Database::hasOwnTable(const char* name, bool make)
{
    const QString table = QString::fromLatin1(name);
    const auto there = [&]() -> Result<bool> {
        QSqlQuery query(connection());
        query.setForwardOnly(true);
        if (!query.prepare(m_engine->tableExists()))
            return failed(query.lastError(), m_engine->tableExists());
        query.bindValue(QStringLiteral(":name"), table);
        if (!query.exec())
            return failed(query.lastError(), m_engine->tableExists());
        return query.next();
    };
    const Result<bool> found = there();
    if (!found || *found || !make || m_options.readOnly)
        return found;
    for (const schema::Table& own : schema::ownTables()) {
        if (table != QString::fromLatin1(own.name))
            continue;
        // Within the transaction, so that a failure here leaves it going on without the table.
        QSqlQuery query(connection());
        if (Outcome saved = runText(query, QStringLiteral("SAVEPOINT quilvarden_own")); !saved)
            return saved.failure();
        const bool made = query.exec(schema::createOwnTable(own, m_location.engine));
        if (Outcome ended = runText(query, made ? QStringLiteral("RELEASE SAVEPOINT quilvarden_own")
                                                : QStringLiteral("ROLLBACK TO SAVEPOINT quilvarden_own"));
            !ended)
            return ended.failure();
        return made;
    }
    return false;
}

Result<std::optional<double>> Database::highestOrderNumber()
{
    if (Outcome connected = ready(); !connected)
        return connected.failure();
    QSqlQuery q(connection());
    q.setForwardOnly(true);
    if (Outcome done = run(q, sql::ProgrammeOrders); !done)
        return done.failure();
    std::optional<double> highest;
    while (q.next())
        if (const std::optional<double> number = orderNumberOf(q.value(0));
            number && (!highest || *number > *highest))
            highest = number;
    if (q.lastError().isValid())
        return failed(q.lastError(), statement(sql::ProgrammeOrders));
    return highest;
}

Result<QStringList> Database::clubNames()
{
    if (Outcome connected = ready(); !connected)
        return connected.failure();
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (Outcome done = run(query, sql::ClubList); !done)
        return done.failure();
    QList<QVariant> values;
    while (query.next())
        values.append(query.value(0));
    if (query.lastError().isValid())
        return failed(query.lastError(), statement(sql::ClubList));
    // The engine sorts texts by their bytes (arousa and Ézaro after Vigo); the operator reads
    // them in alphabetical order. As the engine does, Nulls come first, then numbers by value.
    const auto kind = [](const QVariant& v) {
        return v.isNull() ? 0
                          : (v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray ? 2 : 1);
    };
    std::stable_sort(values.begin(), values.end(), [&kind](const QVariant& a, const QVariant& b) {
        if (kind(a) != kind(b))
            return kind(a) < kind(b);
        if (kind(a) == 1)
            return a.toDouble() < b.toDouble();
        return kind(a) == 2 && text::compareNames(a.toString(), b.toString()) < 0;
    });
    QStringList names;
    for (const QVariant& value : values)
        names.append(text::valueText(value));
    return names;
}

Result<QSqlQuery*> Database::prepared(const char* text)
{
    auto found = m_prepared.find(text);
    if (found != m_prepared.end())
        return found->second.get();
    auto query = std::make_unique<QSqlQuery>(connection());
    if (!query->prepare(statement(text)))
        return failed(query->lastError(), statement(text));
    QSqlQuery* kept = query.get();
    m_prepared.emplace(text, std::move(query));
    return kept;
}

Result<int> Database::clubAwardsInEvent(double orderNumber, const QString& club,
                                        const std::optional<QString>& category)
{
    if (Outcome connected = ready(); !connected)
        return connected.failure();
    // A register that keeps no categories has awards of none.
    const Result<bool> kept = category ? hasOwnTable(schema::AwardCategoriesTable) : Result<bool>(false);
    if (!kept)
        return kept.failure();
    if (category && !category->isEmpty() && !*kept)
        return 0;
    const char* text = *kept ? sql::ClubAwardOrdersWithCategory : sql::ClubAwardOrders;
    Result<QSqlQuery*> query = prepared(text);
    if (!query)
        return query.failure();
    QSqlQuery& q = **query;
    if (Outcome done = execute(q, text, {{"club", club}}); !done)
        return done.failure();
    int count = 0;
    // "7" and "07" are one event.
    while (q.next())
        if (orderNumberOf(q.value(0)) == orderNumber && (!*kept || q.value(1).toString() == *category))
            ++count;
    const QSqlError error = q.lastError();
    q.finish();
    if (error.isValid())
        return failed(error, statement(text));
    return count;
}

Result<std::optional<EventRow>> Database::findEvent(double orderNumber)
{
    if (Outcome connected = ready(); !connected)
        return connected.failure();
    if (m_engine->ordersAreWholeNumbers() &&
        (std::trunc(orderNumber) != orderNumber || std::fabs(orderNumber) > 2147483647.0))
        return std::optional<EventRow>();
    Result<QSqlQuery*> query = prepared(sql::FindEvent);
    if (!query)
        return query.failure();
    QSqlQuery& q = **query;
    if (Outcome done = execute(q, sql::FindEvent, {{"orde", orderValue(orderNumber)}}); !done)
        return done.failure();
    std::optional<EventRow> found;
    if (q.next()) {
        const QSqlRecord record = q.record();
        found = EventRow{record.value(QStringLiteral("EVENTCODE")),
                         record.value(QStringLiteral("GENDERCODE")), record.value(QStringLiteral("EVENTID"))};
    }
    const QSqlError error = q.lastError();
    q.finish();
    if (error.isValid())
        return failed(error, statement(sql::FindEvent));
    return found;
}

Result<qint64> Database::recordAward(const Award& award)
{
    if (Outcome connected = ready(); !connected)
        return connected.failure();
    QSqlDatabase db = connection();
    if (Outcome begun = begin(); !begun)
        return begun.failure();
    QSqlQuery insert(db);
    Outcome done = run(insert, sql::InsertAward, awardBindings(award));
    // The id the register gave the award; 0 when it gave none.
    const qint64 id = done && insert.next() ? insert.value(0).toLongLong() : 0;
    insert.finish();
    if (!done || id <= 0) {
        const QSqlError error = db.lastError();
        rollback();
        return done ? failed(error, statement(sql::InsertAward)) : done.failure();
    }
    if (Outcome kept = keepAwardCategory(id, award); !kept) {
        rollback();
        return kept.failure();
    }
    if (Outcome committed = commit(); !committed) {
        const Failure failure = committed.failure();
        if (!m_lost) {
            rollback();
            return failure;
        }
        // The server went away around the commit: whether it took the award is told by
        // the register once it can be reached; until then, the award counts as not stored.
        m_unsettled = id;
        if (Outcome again = connect(); !again)
            return failure;
        m_unsettled.reset();
        QSqlQuery look(connection());
        const Outcome asked = run(look, sql::AwardExists, {{"id", id}});
        if (!asked || !look.next()) {
            if (m_lost)
                m_unsettled = id; // gone again before it could be told
            return failure;       // not in the register: not stored
        }
    }
    m_recorded.append(id);
    m_recordedAny = true;
    return id;
}

// The award's category beside it, within the transaction that stores the award. A register
// that keeps no categories gets its table with the first award that has one; one that keeps
// them loses any row left for the id by an award taken back (ids given again).
Outcome Database::keepAwardCategory(qint64 id, const Award& award)
{
    bool kept = m_categoriesKept;
    if (!award.category.isEmpty()) {
        const Result<bool> made = hasOwnTable(schema::AwardCategoriesTable, true);
        if (!made)
            return made.failure();
        if (!*made)
            return categoriesRefused();
        kept = true;
        m_categoriesKnownOn = 0; // perhaps made now, and gone again if the transaction is not committed
    } else if (m_categoriesKnownOn != m_connections) {
        const Result<bool> found = hasOwnTable(schema::AwardCategoriesTable);
        if (!found)
            return found.failure();
        kept = m_categoriesKept = *found;
        m_categoriesKnownOn = m_connections;
    }
    if (!kept)
        return Done{};
    Result<QSqlQuery*> forget = prepared(sql::ForgetAwardCategory);
    if (!forget)
        return forget.failure();
    if (Outcome done = execute(**forget, sql::ForgetAwardCategory, {{"id", id}}); !done)
        return done;
    (*forget)->finish();
    if (award.category.isEmpty())
        return Done{};
    Result<QSqlQuery*> keep = prepared(sql::KeepAwardCategory);
    if (!keep)
        return keep.failure();
    Outcome done = execute(**keep, sql::KeepAwardCategory,
                           {{"id", id},
                            {"orde", fieldText(award.order)},
                            {"club", fieldText(award.club)},
                            {"categoria", award.category}});
    (*keep)->finish();
    return done;
}

namespace {

// An award as stored, for telling whether a new export brings other awards.
using AwardKey = std::tuple<QString, QString, QString, double, QString>;

AwardKey keyOf(const QString& eventCode, const QString& gender, const QString& club, double points,
               const QString& category)
{
    return {eventCode, gender, club, points, category};
}

// An award of an event the register holds.
struct HeldAward {
    qint64 id = 0;
    AwardKey key;
    bool fromSource = false; // stored from a results file of the store's source
};

} // namespace

// What a store reads of the register and does to it, kept until the transaction is over (a
// server refuses to free a statement in a transaction that failed).
struct Database::EventStore {
    explicit EventStore(const QSqlDatabase& db)
        : query(db), awards(db), remove(db), insert(db), mark(db), forget(db), removeOne(db)
    {
    }
    // What the register holds of an event (its order numbers' texts).
    Outcome readHeld(Database& database, const QList<QVariant>& texts, QList<HeldAward>& held);
    Outcome removeAwards(Database& database, const QList<QVariant>& texts);
    Outcome removeEach(Database& database, const QList<HeldAward>& held);
    Outcome insertAwards(Database& database, const EventAwards& event);
    // The statement that reads an event's awards, as the register's own tables allow.
    const char* heldAwards() const;

    StoreOptions options;
    bool marks = false;      // the register keeps which awards came from a results file
    bool categories = false; // the register keeps the awards' categories
    // Each text of an order number in the register, with the number it reads as; read once,
    // and kept up to date with what this transaction does, so that an event given twice is
    // met as already stored.
    QList<std::pair<QVariant, double>> orders;
    QList<qint64> stored;        // the ids given, in storing order
    QList<UndoneAward> replaced; // the awards deleted to make room, as they were
    QSqlQuery query;
    QSqlQuery awards;
    QSqlQuery remove;
    QSqlQuery insert;
    QSqlQuery mark;
    QSqlQuery forget;
    QSqlQuery removeOne;
};

const char* Database::EventStore::heldAwards() const
{
    if (categories)
        return marks ? sql::EventAwardsWithCategory : sql::EventAwardsWithCategoryWithoutSource;
    return marks ? sql::EventAwardsWithSource : sql::EventAwardsWithoutSource;
}

Outcome Database::beginWriting()
{
    QSqlQuery query(connection());
    for (const QString& text : m_engine->beginWriting())
        if (Outcome done = runText(query, text); !done) {
            rollback();
            return done;
        }
    return Done{};
}

Result<StoredEvents> Database::storeEventAwards(const QList<EventAwards>& events, const StoreOptions& options)
{
    if (Outcome connected = ready(); !connected)
        return connected.failure();
    QSqlDatabase db = connection();
    // Only telling reads and writes nothing: it waits for no one either.
    if (Outcome begun = options.dryRun ? begin() : beginWriting(); !begun)
        return begun.failure();
    StoredEvents told;
    EventStore store(db);
    store.options = options;
    const Outcome done = [&]() -> Outcome {
        const Result<bool> marks = hasOwnTable(schema::ScoredAwardsTable, !options.dryRun);
        if (!marks)
            return marks.failure();
        store.marks = *marks;
        const bool anyCategory = std::any_of(events.cbegin(), events.cend(), [](const EventAwards& event) {
            return std::any_of(event.awards.cbegin(), event.awards.cend(),
                               [](const Award& award) { return !award.category.isEmpty(); });
        });
        const Result<bool> categories =
            hasOwnTable(schema::AwardCategoriesTable, anyCategory && !options.dryRun);
        if (!categories)
            return categories.failure();
        if (anyCategory && !options.dryRun && !*categories)
            return categoriesRefused();
        store.categories = *categories;
        store.query.setForwardOnly(true);
        if (Outcome read = run(store.query, sql::AwardedOrders); !read)
            return read;
        while (store.query.next())
            if (const std::optional<double> number = orderNumberOf(store.query.value(0)))
                store.orders.append({store.query.value(0), *number});
        if (store.query.lastError().isValid())
            return failed(store.query.lastError(), statement(sql::AwardedOrders));
        store.query.finish();
        for (const auto& [query, text] :
             {std::pair{&store.awards, store.heldAwards()}, std::pair{&store.remove, sql::DeleteEventAwards},
              std::pair{&store.insert, sql::InsertAward}, std::pair{&store.mark, sql::MarkScoredAward},
              std::pair{&store.forget, sql::ForgetScoredAward},
              std::pair{&store.removeOne, sql::DeleteAward}})
            if ((store.marks || (text != sql::MarkScoredAward && text != sql::ForgetScoredAward)) &&
                !query->prepare(statement(text)))
                return failed(query->lastError(), statement(text));
        for (const EventAwards& event : events)
            if (Outcome stored = storeEvent(store, event, told); !stored)
                return stored;
        return Done{};
    }();
    if (!done || options.dryRun) {
        rollback();
        return done ? Result<StoredEvents>(told) : Result<StoredEvents>(done.failure());
    }
    if (Outcome committed = commit(); !committed)
        if (Outcome settled = afterLostCommit(store, committed.failure()); !settled)
            return settled.failure();
    m_recorded.append(store.stored);
    m_recordedAny = m_recordedAny || !store.stored.isEmpty();
    return told;
}

// A commit of scored events that failed: rolled back, or, when the server went away around
// it, settled as recordAward settles one award. Done when the events are in the register.
Outcome Database::afterLostCommit(EventStore& store, const Failure& failure)
{
    if (!m_lost) {
        rollback();
        return failure;
    }
    if (store.stored.isEmpty() && store.replaced.isEmpty())
        return failure; // nothing was written
    // The server went away around the commit, as for recordAward: until the register
    // can tell whether it took the events, they count as not stored, and the next
    // action takes them out (and puts back what they replaced) if it did. One change
    // tells of all, the transaction being one.
    const qsizetype storedBefore = m_unsettledStored.size();
    const qsizetype replacedBefore = m_unsettledReplaced.size();
    const auto unsettled = [&] {
        m_unsettledStored.append(store.stored);
        m_unsettledReplaced.append(store.replaced);
    };
    unsettled();
    if (Outcome again = connect(); !again)
        return failure;
    m_unsettledStored.resize(storedBefore);
    m_unsettledReplaced.resize(replacedBefore);
    // An award stored is there, or one replaced is gone, when the commit took effect.
    const qint64 witness = store.stored.isEmpty() ? store.replaced.first().id : store.stored.first();
    QSqlQuery look(connection());
    const Outcome asked = run(look, sql::AwardExists, {{"id", witness}});
    const bool found = asked && look.next();
    const bool tookEffect = store.stored.isEmpty() ? !found : found;
    if (!asked || !tookEffect) {
        if (m_lost)
            unsettled(); // gone again before it could be told
        return failure;  // not in the register: not stored
    }
    return Done{};
}

// One event: stored where the register has none of its awards; otherwise left alone, kept
// (the same awards as an earlier export of the same meet), or replaced (by the options, or
// because all its awards came from an earlier export that ranked fewer or other swims). An
// event given for some of its categories only deals with their awards and keeps the others.
Outcome Database::storeEvent(EventStore& store, const EventAwards& event, StoredEvents& told)
{
    QList<QVariant> texts;
    for (const auto& [order, number] : store.orders)
        if (number == event.order)
            texts.append(order);
    QList<HeldAward> held;
    if (Outcome read = store.readHeld(*this, texts, held); !read)
        return read;
    const qsizetype heldBefore = held.size();
    if (!event.only.isEmpty())
        held.removeIf(
            [&event](const HeldAward& award) { return !event.only.contains(std::get<4>(award.key)); });
    const bool keepsOthers = held.size() != heldBefore;
    QList<AwardKey> heldKeys;
    bool allFromSource = !store.options.source.isEmpty();
    for (const HeldAward& award : held) {
        heldKeys.append(award.key);
        allFromSource = allFromSource && award.fromSource;
    }
    std::sort(heldKeys.begin(), heldKeys.end());
    QList<AwardKey> coming;
    for (const Award& award : event.awards)
        coming.append(keyOf(fieldText(award.eventCode), fieldText(award.gender), fieldText(award.club),
                            award.points, award.category));
    std::sort(coming.begin(), coming.end());
    if (!held.isEmpty()) {
        if (store.options.replace)
            told.replaced.append(event.order);
        else if (allFromSource && heldKeys != coming)
            told.updated.append(event.order);
        else {
            (allFromSource ? told.unchanged : told.leftAlone).append(event.order);
            return Done{};
        }
    }
    told.stored.append(event.order);
    if (store.options.dryRun)
        return Done{};
    if (keepsOthers) {
        if (Outcome removed = store.removeEach(*this, held); !removed)
            return removed;
    } else {
        if (Outcome removed = store.removeAwards(*this, texts); !removed)
            return removed;
        store.orders.removeIf([&event](const auto& order) { return order.second == event.order; });
    }
    return store.insertAwards(*this, event);
}

Outcome Database::EventStore::readHeld(Database& database, const QList<QVariant>& texts,
                                       QList<HeldAward>& held)
{
    const char* text = heldAwards();
    for (const QVariant& order : texts) {
        if (Outcome read = database.execute(awards, text, {{"orde", order}}); !read)
            return read;
        while (awards.next())
            held.append({awards.value(0).toLongLong(),
                         keyOf(text::valueText(awards.value(1)), text::valueText(awards.value(2)),
                               text::valueText(awards.value(3)), awards.value(4).toDouble(),
                               categories ? awards.value(6).toString() : QString()),
                         awards.value(5).toString() == options.source});
        const QSqlError error = awards.lastError();
        awards.finish();
        if (error.isValid())
            return database.failed(error, statement(text));
    }
    return Done{};
}

// The awards of some of an event's categories, one by one, the event keeping the others.
Outcome Database::EventStore::removeEach(Database& database, const QList<HeldAward>& held)
{
    for (const HeldAward& award : held) {
        if (Outcome deleted = database.execute(removeOne, sql::DeleteAward, {{"id", award.id}}); !deleted)
            return deleted;
        if (removeOne.next() && !stored.removeOne(award.id))
            replaced.append({award.id, awardOf(removeOne)});
        const QSqlError error = removeOne.lastError();
        removeOne.finish();
        if (error.isValid())
            return database.failed(error, statement(sql::DeleteAward));
        if (marks)
            if (Outcome forgotten = database.execute(forget, sql::ForgetScoredAward, {{"id", award.id}});
                !forgotten)
                return forgotten;
    }
    return Done{};
}

Outcome Database::EventStore::removeAwards(Database& database, const QList<QVariant>& texts)
{
    QList<qint64> removed;
    for (const QVariant& order : texts) {
        if (Outcome deleted = database.execute(remove, sql::DeleteEventAwards, {{"orde", order}}); !deleted)
            return deleted;
        while (remove.next()) {
            const qint64 id = remove.value(QStringLiteral("id")).toLongLong();
            removed.append(id);
            // One stored a moment ago, by the same event given before, was never there.
            if (!stored.removeOne(id))
                replaced.append({id, awardOf(remove)});
        }
        const QSqlError error = remove.lastError();
        remove.finish();
        if (error.isValid())
            return database.failed(error, statement(sql::DeleteEventAwards));
    }
    // A file whose ids are given again (a register made by hand) must not take a later award
    // for the one removed.
    for (const qint64 id : marks ? removed : QList<qint64>())
        if (Outcome forgotten = database.execute(forget, sql::ForgetScoredAward, {{"id", id}}); !forgotten)
            return forgotten;
    return Done{};
}

Outcome Database::EventStore::insertAwards(Database& database, const EventAwards& event)
{
    for (const Award& award : event.awards) {
        const Outcome inserted = database.execute(insert, sql::InsertAward, awardBindings(award));
        const qint64 id = inserted && insert.next() ? insert.value(0).toLongLong() : 0;
        insert.finish();
        if (!inserted)
            return inserted;
        if (id <= 0)
            return database.failed(database.connection().lastError(), statement(sql::InsertAward));
        stored.append(id);
        if (categories)
            if (Outcome kept = database.keepAwardCategory(id, award); !kept)
                return kept;
        if (marks && !options.source.isEmpty())
            if (Outcome marked = database.execute(mark, sql::MarkScoredAward,
                                                  {{"id", id},
                                                   {"orde", fieldText(award.order)},
                                                   {"club", fieldText(award.club)},
                                                   {"campionato", options.source}});
                !marked)
                return marked;
        const QVariant order = fieldText(award.order);
        const std::optional<double> number = orderNumberOf(order);
        if (number && std::none_of(orders.cbegin(), orders.cend(),
                                   [&order](const auto& known) { return known.first == order; }))
            orders.append({order, *number});
    }
    return Done{};
}

Result<EngineParticulars::PointsSum> Database::pointsSum()
{
    if (m_pointsSumOf != m_connections) {
        QSqlQuery probe(connection());
        if (Outcome done = runText(probe, QString::fromLatin1(sql::ProbeTable).arg(QStringLiteral("puntos")));
            !done)
            return done.failure();
        const QSqlRecord record = probe.record();
        m_pointsAsText = record.field(QStringLiteral("puntos")).metaType().id() == QMetaType::QString;
        m_pointsSumOf = m_connections;
    }
    return m_engine->pointsSum(m_pointsAsText);
}

Result<int> Database::runGrouping(QSqlQuery& q, const char* text, const EngineParticulars::PointsSum& points)
{
    q.setForwardOnly(true);
    if (Outcome done = runText(q, QString::fromLatin1(text).arg(points.sum, points.doubtful)); !done)
        return done.failure();
    return q.record().indexOf(QStringLiteral("Dubidosos"));
}

Outcome Database::refusePointsKeptAsText(QSqlQuery& q, const EngineParticulars::PointsSum& points)
{
    if (points.which.isEmpty())
        return Done{};
    const QString search = QString::fromLatin1(sql::DoubtfulPoints).arg(points.which);
    if (Outcome done = runText(q, search); !done)
        return done.failure();
    if (std::optional<Failure> wrong = pointsThatAreNoNumber(q, *m_engine))
        return *wrong;
    if (q.lastError().isValid())
        return failed(q.lastError(), search);
    return Done{};
}

Result<QList<EventClubPoints>> Database::pointsByEvent()
{
    if (Outcome connected = ready(); !connected)
        return connected.failure();
    const Result<EngineParticulars::PointsSum> points = pointsSum();
    if (!points)
        return points.failure();
    const Result<bool> categories = hasOwnTable(schema::AwardCategoriesTable);
    if (!categories)
        return categories.failure();
    const char* grouping = *categories ? sql::EventCategoryClubPoints : sql::EventClubPoints;
    QSqlQuery q(connection());
    const Result<int> doubtful = runGrouping(q, grouping, *points);
    if (!doubtful)
        return doubtful.failure();
    QList<EventClubPoints> rows;
    bool anyDoubtful = false;
    std::optional<Failure> overflow;
    while (q.next()) {
        const EventClubPoints row{q.value(0), q.value(1), q.value(2),
                                  q.value(3), q.value(4), *categories ? q.value(6).toString() : QString()};
        anyDoubtful = anyDoubtful || q.value(*doubtful).toLongLong() != 0;
        // A sum past the largest number is an overflow, never shown as "Infinito".
        if (!overflow && !row.points.isNull() && !std::isfinite(row.points.toDouble()))
            overflow = Failure::overflow(
                QCoreApplication::translate(
                    "Data", "Os puntos do club «%1» na proba %2 pasan do maior número que se pode sumar.")
                    .arg(text::valueText(row.club), text::valueText(row.order)));
        rows.append(row);
    }
    if (q.lastError().isValid())
        return failed(q.lastError(), statement(grouping));
    // Points that are no number first: the sums they are in mean nothing.
    if (anyDoubtful)
        if (Outcome numbers = refusePointsKeptAsText(q, *points); !numbers)
            return numbers.failure();
    if (overflow)
        return *overflow;
    return sortedByEvent(std::move(rows));
}

Outcome Database::settle()
{
    if (!m_unsettled && !m_unsettledUndo && m_unsettledStored.isEmpty() && m_unsettledReplaced.isEmpty())
        return Done{};
    if (m_lost)
        if (Outcome connected = connect(); !connected)
            return connected;
    QSqlDatabase db = connection();
    if (Outcome begun = begin(); !begun)
        return begun;
    // Reported not stored, so not stored: taken out if the commit did reach the register.
    const auto takeOut = [&](qint64 id) {
        QSqlQuery remove(db);
        return run(remove, sql::DeleteAward, {{"id", id}});
    };
    // Reported not taken back, so still there: put back if the commit did take it.
    const auto putBack = [&](const UndoneAward& undone) {
        QSqlQuery look(db);
        Outcome done = run(look, sql::AwardExists, {{"id", undone.id}});
        if (done && !look.next()) {
            const AwardRow& award = undone.award;
            QSqlQuery restore(db);
            done = run(restore, sql::RestoreAward,
                       {{"id", undone.id},
                        {"orde", award.order},
                        {"proba", award.eventCode},
                        {"sexo", award.gender},
                        {"club", award.club},
                        {"puntos", award.points}});
        }
        return done;
    };
    Outcome done = Done{};
    if (m_unsettled)
        done = takeOut(*m_unsettled);
    for (qsizetype i = 0; done && i < m_unsettledStored.size(); ++i)
        done = takeOut(m_unsettledStored[i]);
    if (done && m_unsettledUndo)
        done = putBack(*m_unsettledUndo);
    for (qsizetype i = 0; done && i < m_unsettledReplaced.size(); ++i)
        done = putBack(m_unsettledReplaced[i]);
    if (done)
        done = commit();
    if (!done) {
        rollback();
        return done;
    }
    m_unsettled.reset();
    m_unsettledUndo.reset();
    m_unsettledStored.clear();
    m_unsettledReplaced.clear();
    return Done{};
}

Result<std::optional<UndoneAward>> Database::undoLatestAward()
{
    if (Outcome connected = ready(); !connected)
        return connected.failure();
    QSqlDatabase db = connection();
    while (true) {
        std::optional<qint64> id;
        if (!m_recorded.isEmpty()) {
            id = m_recorded.last();
        } else if (m_recordedAny) {
            return std::optional<UndoneAward>(); // every award of this station is taken back
        } else {
            const Result<std::optional<qint64>> latest = latestAwardId();
            if (!latest)
                return latest.failure();
            if (!latest->has_value())
                return std::optional<UndoneAward>(); // an empty register
            id = **latest;
        }
        if (Outcome begun = begin(); !begun)
            return begun.failure();
        QSqlQuery remove(db);
        Outcome done = run(remove, sql::DeleteAward, {{"id", *id}});
        std::optional<UndoneAward> undone;
        if (done && remove.next())
            undone = UndoneAward{*id, awardOf(remove)};
        remove.finish();
        if (done && undone)
            done = forgetScoredAward(*id);
        if (done && undone) {
            const Result<QString> category = categoryOfAward(*id, undone->award);
            done = category ? Outcome(Done{}) : Outcome(category.failure());
            undone->award.category = category ? *category : QString();
        }
        if (done)
            done = commit();
        if (!done && m_lost && undone) {
            // The server went away around the commit: the register tells whether the award
            // is gone; until it can be asked, it counts as not taken back.
            m_unsettledUndo = undone;
            if (Outcome again = connect(); again) {
                m_unsettledUndo.reset();
                QSqlQuery look(connection());
                if (Outcome asked = run(look, sql::AwardExists, {{"id", *id}}); asked && !look.next())
                    done = Done{}; // it is gone: taken back after all
                else if (m_lost)
                    m_unsettledUndo = undone;
            }
        }
        if (!done) {
            const Failure failure = done.failure();
            rollback();
            return failure;
        }
        if (!m_recorded.isEmpty())
            m_recorded.removeLast(); // taken back now, or by someone before
        if (undone || !m_recordedAny)
            return undone;
    }
}

Result<std::optional<qint64>> Database::latestAwardId()
{
    if (Outcome connected = ready(); !connected)
        return connected.failure();
    Result<QSqlQuery*> query = prepared(sql::LatestAward);
    if (!query)
        return query.failure();
    QSqlQuery& q = **query;
    if (Outcome done = execute(q, sql::LatestAward, {}); !done)
        return done.failure();
    std::optional<qint64> latest;
    if (q.next() && !q.value(0).isNull())
        latest = q.value(0).toLongLong();
    const QSqlError error = q.lastError();
    q.finish();
    if (error.isValid())
        return failed(error, statement(sql::LatestAward));
    return latest;
}

Result<QVariant> Database::lastEventScored()
{
    if (Outcome connected = ready(); !connected)
        return connected.failure();
    QSqlQuery q(connection());
    q.setForwardOnly(true);
    if (Outcome done = run(q, sql::LastEventScored); !done)
        return done.failure();
    const QVariant order = q.next() ? q.value(0) : QVariant();
    if (q.lastError().isValid())
        return failed(q.lastError(), statement(sql::LastEventScored));
    return order;
}

// An award taken back is no longer one stored from a results file: a register that gives
// its id again (one made by another program) must not take a later award for it.
Outcome Database::forgetScoredAward(qint64 id)
{
    const Result<bool> marks = hasOwnTable(schema::ScoredAwardsTable);
    if (!marks || !*marks)
        return marks ? Outcome(Done{}) : Outcome(marks.failure());
    QSqlQuery forget(connection());
    return run(forget, sql::ForgetScoredAward, {{"id", id}});
}

Result<QString> Database::categoryOfAward(qint64 id, const AwardRow& award)
{
    const Result<bool> kept = hasOwnTable(schema::AwardCategoriesTable);
    if (!kept || !*kept)
        return kept ? Result<QString>(QString()) : Result<QString>(kept.failure());
    QSqlQuery look(connection());
    if (Outcome done =
            run(look, sql::AwardCategoryOf, {{"id", id}, {"orde", award.order}, {"club", award.club}});
        !done)
        return done.failure();
    return look.next() ? look.value(0).toString() : QString();
}

Outcome Database::deleteAward(qint64 id)
{
    if (Outcome connected = ready(); !connected)
        return connected;
    QSqlQuery q(connection());
    Outcome done = run(q, sql::DeleteAward, {{"id", id}});
    q.finish();
    return done;
}

Result<QList<AwardRow>> Database::awardsPage(qint64 upToId, qint64 offset, qint64 limit)
{
    if (Outcome connected = ready(); !connected)
        return connected.failure();
    // Awards show their categories once the register keeps any.
    const Result<bool> categories = hasOwnTable(schema::AwardCategoriesTable);
    if (!categories)
        return categories.failure();
    const char* page = *categories ? sql::ListAwardsPageWithCategory : sql::ListAwardsPage;
    Result<QSqlQuery*> query = prepared(page);
    if (!query)
        return query.failure();
    QSqlQuery& q = **query;
    if (Outcome done = execute(q, page, {{"last", upToId}, {"count", limit}, {"skip", offset}}); !done)
        return done.failure();
    const QSqlRecord record = q.record();
    const int order = record.indexOf(QStringLiteral("orde"));
    const int eventCode = record.indexOf(QStringLiteral("proba"));
    const int gender = record.indexOf(QStringLiteral("sexo"));
    const int club = record.indexOf(QStringLiteral("club"));
    const int points = record.indexOf(QStringLiteral("puntos"));
    const int category = record.indexOf(QStringLiteral("categoria"));
    QList<AwardRow> rows;
    rows.reserve(limit);
    while (q.next())
        rows.append({q.value(order), q.value(eventCode), q.value(gender), q.value(club), q.value(points),
                     category < 0 ? QString() : q.value(category).toString()});
    const QSqlError error = q.lastError();
    q.finish();
    if (error.isValid())
        return failed(error, statement(page));
    return rows;
}

Result<QList<ClubTotal>> Database::clubTotals()
{
    if (Outcome connected = ready(); !connected)
        return connected.failure();
    return totalsOf(sql::StandingTotals);
}

Result<QList<ClubTotal>> Database::categoryTotals()
{
    if (Outcome connected = ready(); !connected)
        return connected.failure();
    const Result<bool> kept = hasOwnTable(schema::AwardCategoriesTable);
    if (!kept || !*kept)
        return kept ? Result<QList<ClubTotal>>(QList<ClubTotal>()) : Result<QList<ClubTotal>>(kept.failure());
    return totalsOf(sql::CategoryStandingTotals);
}

Result<QList<ClubTotal>> Database::totalsOf(const char* grouping)
{
    const Result<EngineParticulars::PointsSum> points = pointsSum();
    if (!points)
        return points.failure();
    QSqlQuery q(connection());
    const Result<int> doubtful = runGrouping(q, grouping, *points);
    if (!doubtful)
        return doubtful.failure();
    const QSqlRecord record = q.record();
    const int club = record.indexOf(QStringLiteral("club"));
    const int gender = record.indexOf(QStringLiteral("sexo"));
    const int total = record.indexOf(QStringLiteral("SumaDepuntos"));
    const int category = record.indexOf(QStringLiteral("categoria"));
    QList<ClubTotal> rows;
    bool anyDoubtful = false;
    while (q.next()) {
        rows.append({q.value(club), q.value(gender), q.value(total),
                     category < 0 ? QString() : q.value(category).toString()});
        anyDoubtful = anyDoubtful || q.value(*doubtful).toLongLong() != 0;
    }
    if (q.lastError().isValid())
        return failed(q.lastError(), statement(grouping));
    if (anyDoubtful)
        if (Outcome numbers = refusePointsKeptAsText(q, *points); !numbers)
            return numbers.failure();
    return rows;
}

Result<std::optional<qint64>> Database::changeCounter()
{
    const QString counter = m_engine->changeCounter();
    if (counter.isEmpty())
        return std::optional<qint64>();
    QSqlQuery q(connection());
    if (Outcome done = runText(q, counter); !done)
        return done.failure();
    return std::optional<qint64>(q.next() ? q.value(0).toLongLong() : 0);
}

Outcome Database::replaceMeetProgramme(const MeetProgramme& programme)
{
    return replaceMeetProgramme(
        [&programme](const RegisteredMeet&) -> Result<MeetProgramme> { return programme; });
}

Outcome Database::beginReading()
{
    if (Outcome connected = ready(); !connected)
        return connected;
    QSqlDatabase db = connection();
    if (Outcome begun = begin(); !begun)
        return begun.failure();
    if (Outcome snapshot = m_engine->beginSnapshot(db); !snapshot) {
        rollback();
        return snapshot;
    }
    return Done{};
}

void Database::endReading()
{
    // Nothing was written: ending the transaction only lets writers in again.
    if (!commit())
        rollback();
}

// Transactions by statements of their own, so that a failure keeps the engine's own code
// (a full disk, a lost server), which Qt's transaction calls drop.
Outcome Database::begin()
{
    QSqlQuery query(connection());
    return runText(query, QStringLiteral("BEGIN"));
}

Outcome Database::commit()
{
    QSqlQuery query(connection());
    return runText(query, QStringLiteral("COMMIT"));
}

void Database::rollback()
{
    if (m_lost)
        return; // the server ended the transaction with the connection
    QSqlQuery query(connection());
    query.exec(QStringLiteral("ROLLBACK"));
}

Outcome Database::addMissingClubColumns()
{
    QSqlQuery query(connection());
    if (!query.exec(QString::fromLatin1(sql::ProbeTable).arg(QStringLiteral("CLUBDESC"))))
        return failed(query.lastError(), {});
    const QSqlRecord record = query.record();
    query.finish();
    for (const QString& column : {QStringLiteral("SOURCEID"), QStringLiteral("SOURCECODE")}) {
        bool found = false;
        for (int i = 0; i < record.count() && !found; ++i)
            found = record.fieldName(i).compare(column, Qt::CaseInsensitive) == 0;
        if (!found)
            if (Outcome added =
                    runText(query, QString::fromLatin1(sql::AddClubDescriptionColumn).arg(column));
                !added)
                return added;
    }
    return Done{};
}

Result<RegisteredMeet> Database::meetClubs()
{
    if (Outcome ok = ready(); !ok)
        return ok.failure();
    return registeredMeet();
}

Result<RegisteredMeet> Database::registeredMeet()
{
    // One club for each description, as the club list shows them (a register filled by
    // another program may describe one code twice), and one for each club taking part
    // without a description.
    QHash<QString, QVariant> takingPart;
    QStringList takingPartOrder;
    QSet<QString> described;
    RegisteredMeet meet;
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (Outcome done = run(query, sql::RegisteredClubsTakingPart); !done)
        return done.failure();
    while (query.next()) {
        const QString code = query.value(0).toString();
        if (!takingPart.contains(code))
            takingPartOrder << code;
        takingPart.insert(code, query.value(1));
    }
    if (Outcome done = run(query, sql::RegisteredClubDescriptions); !done)
        return done.failure();
    while (query.next()) {
        const QString code = query.value(0).toString();
        described.insert(code);
        meet.clubs.append({query.value(0), takingPart.value(code), query.value(1), query.value(2),
                           takingPart.contains(code), true, query.value(3), query.value(4)});
    }
    for (const QString& code : takingPartOrder)
        if (!described.contains(code))
            meet.clubs.append({code, takingPart.value(code), {}, {}, true, false});
    if (Outcome done = run(query, sql::AwardedClubs); !done)
        return done.failure();
    while (query.next())
        meet.awardedClubs << query.value(0).toString();
    if (Outcome done = run(query, sql::CountEvents); !done)
        return done.failure();
    meet.events = query.next() ? query.value(0).toLongLong() : 0;
    if (query.lastError().isValid())
        return failed(query.lastError(), {});
    query.finish();
    const Result<MeetIdentity> remembered = rememberedMeet();
    if (!remembered)
        return remembered.failure();
    meet.identity = *remembered;
    return meet;
}

namespace {

// The index of a column in a record, whatever its case; -1 when the record lacks it.
int columnOf(const QSqlRecord& record, const char* name)
{
    for (int i = 0; i < record.count(); ++i)
        if (record.fieldName(i).compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString textAt(const QSqlQuery& query, int column)
{
    return column < 0 ? QString() : query.value(column).toString();
}

} // namespace

Result<MeetIdentity> Database::rememberedMeet()
{
    MeetIdentity meet;
    const Result<bool> kept = hasOwnTable(schema::ProgrammeTable);
    if (!kept || !*kept)
        return kept ? Result<MeetIdentity>(meet) : Result<MeetIdentity>(kept.failure());
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (Outcome done = run(query, sql::RememberedMeet); !done)
        return done.failure();
    const QSqlRecord record = query.record();
    if (query.next())
        meet = {textAt(query, columnOf(record, "nome")),
                QDate::fromString(textAt(query, columnOf(record, "desde")), Qt::ISODate),
                QDate::fromString(textAt(query, columnOf(record, "ata")), Qt::ISODate),
                textAt(query, columnOf(record, "lugar"))};
    if (query.lastError().isValid())
        return failed(query.lastError(), statement(sql::RememberedMeet));
    return meet;
}

Result<MeetIdentity> Database::meetHeld()
{
    if (Outcome connected = ready(); !connected)
        return connected.failure();
    return rememberedMeet();
}

Result<QHash<QString, QString>> Database::clubFullNames()
{
    if (Outcome connected = ready(); !connected)
        return connected.failure();
    QHash<QString, QString> names;
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (Outcome done = run(query, sql::ClubDescriptionsAll); !done)
        return done.failure();
    const QSqlRecord record = query.record();
    const int shortName = columnOf(record, "SHORTDESC");
    const int longName = columnOf(record, "LONGDESC");
    while (longName >= 0 && query.next()) {
        const QString full = query.value(longName).toString().trimmed();
        const QString key = textAt(query, shortName);
        // A short name described twice keeps its first full name.
        if (!full.isEmpty() && !names.contains(key))
            names.insert(key, full);
    }
    if (query.lastError().isValid())
        return failed(query.lastError(), statement(sql::ClubDescriptionsAll));
    return names;
}

// A table made before the place was kept gets its column.
Outcome Database::addMissingMeetColumns()
{
    QSqlQuery query(connection());
    if (!query.exec(QString::fromLatin1(sql::ProbeTable).arg(QString::fromLatin1(schema::ProgrammeTable))))
        return failed(query.lastError(), {});
    const bool hasPlace = columnOf(query.record(), "lugar") >= 0;
    query.finish();
    return hasPlace ? Outcome(Done{}) : runText(query, QString::fromLatin1(sql::AddMeetPlaceColumn));
}

Outcome Database::rememberMeet(const MeetIdentity& identity)
{
    const Result<bool> kept = hasOwnTable(schema::ProgrammeTable, !identity.isEmpty());
    if (!kept || !*kept)
        return kept ? Outcome(Done{}) : Outcome(kept.failure());
    QSqlQuery query(connection());
    if (Outcome forgotten = run(query, sql::ForgetMeet); !forgotten)
        return forgotten;
    if (identity.isEmpty())
        return Done{};
    if (Outcome columns = addMissingMeetColumns(); !columns)
        return columns;
    return run(query, sql::RememberMeet,
               {{"nome", identity.name},
                {"desde", identity.from.toString(Qt::ISODate)},
                {"ata", identity.to.toString(Qt::ISODate)},
                {"lugar", identity.place}});
}

Outcome Database::replaceMeetProgramme(const ProgrammeBuilder& build)
{
    if (Outcome connected = ready(); !connected)
        return connected;
    QSqlDatabase db = connection();
    if (Outcome begun = begin(); !begun)
        return begun.failure();
    const Outcome done = [&]() -> Outcome {
        if (Outcome columns = addMissingClubColumns(); !columns)
            return columns;
        const Result<RegisteredMeet> registered = registeredMeet();
        if (!registered)
            return registered.failure();
        const Result<MeetProgramme> built = build(*registered);
        if (!built)
            return built.failure();
        const MeetProgramme& programme = *built;
        if (Outcome remembered = rememberMeet(programme.identity); !remembered)
            return remembered;
        if (Outcome kept = keepCategories(programme.categories); !kept)
            return kept;
        QSqlQuery query(db);
        for (const char* text : {sql::DeleteEvents, sql::DeleteClubsTakingPart, sql::DeleteClubDescriptions})
            if (Outcome deleted = run(query, text); !deleted)
                return deleted;
        QSqlQuery event(db);
        if (!event.prepare(statement(sql::InsertEvent)))
            return failed(event.lastError(), statement(sql::InsertEvent));
        for (const MeetEvent& e : programme.events)
            if (Outcome inserted = execute(event, sql::InsertEvent,
                                           {{"id", e.id},
                                            {"orde", e.order},
                                            {"code", e.code},
                                            {"gender", e.gender},
                                            {"distance", e.distance},
                                            {"session", e.session}});
                !inserted)
                return inserted;
        QSqlQuery takingPart(db);
        QSqlQuery description(db);
        if (!takingPart.prepare(statement(sql::InsertClubTakingPart)))
            return failed(takingPart.lastError(), statement(sql::InsertClubTakingPart));
        if (!description.prepare(statement(sql::InsertClubDescription)))
            return failed(description.lastError(), statement(sql::InsertClubDescription));
        for (const MeetClub& club : programme.clubs) {
            if (club.takesPart)
                if (Outcome inserted = execute(takingPart, sql::InsertClubTakingPart,
                                               {{"code", club.code}, {"nation", club.nation}});
                    !inserted)
                    return inserted;
            if (club.described)
                if (Outcome inserted = execute(description, sql::InsertClubDescription,
                                               {{"code", club.code},
                                                {"shortname", club.shortName},
                                                {"longname", club.longName},
                                                {"sourceid", club.sourceId},
                                                {"sourcecode", club.sourceCode}});
                    !inserted)
                    return inserted;
        }
        return Done{};
    }();
    return endWriting(done);
}

Outcome Database::endWriting(const Outcome& done)
{
    if (!done) {
        rollback();
        return done;
    }
    if (Outcome committed = commit(); !committed) {
        rollback();
        return committed;
    }
    return Done{};
}

} // namespace quilvarden::data
