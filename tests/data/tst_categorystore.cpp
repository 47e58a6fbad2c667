#include "data/database.h"
#include "support/pgserver.h"
#include "support/scratchdb.h"

#include <QTemporaryDir>
#include <QTest>

using namespace quilvarden;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(QList<data::MeetCategory>)

// The meet's categories kept in the register by the programme import, on SQLite files and on
// a PostgreSQL server.
class TestCategoryStore : public QObject {
    Q_OBJECT

public:
    TestCategoryStore(data::Engine engine, testsupport::PgServer* server) : m_engine(engine), m_server(server)
    {
    }

private:
    const data::Engine m_engine;
    testsupport::PgServer* m_server;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_where;

    QString import(const QList<data::MeetCategory>& categories) const
    {
        Result<std::unique_ptr<data::Database>> database = data::Database::open(m_where);
        if (!database)
            return database.failure().message();
        data::MeetProgramme programme;
        programme.events = {{1, 1, u"100L"_s, u"F"_s, 100, 1}, {2, 2, u"100L"_s, u"M"_s, 100, 1}};
        programme.categories = categories;
        const Outcome done = (*database)->replaceMeetProgramme(programme);
        return done ? QString() : done.failure().message();
    }

    // What a later reader finds.
    QList<data::MeetCategory> kept() const
    {
        data::OpenOptions reading;
        reading.readOnly = true;
        Result<std::unique_ptr<data::Database>> database = data::Database::open(m_where, reading);
        const Result<QList<data::MeetCategory>> read =
            database ? (*database)->meetCategories() : Result<QList<data::MeetCategory>>(database.failure());
        return read ? *read : QList{data::MeetCategory{read.failure().message(), -1, -1, {}, {}, {}}};
    }

    QStringList tables() const
    {
        return testsupport::queryRows(
            m_where, m_engine == data::Engine::Sqlite
                         ? u"SELECT name FROM sqlite_master WHERE name LIKE 'quilvarden_categ%'"_s
                         : u"SELECT tablename FROM pg_tables WHERE tablename LIKE 'quilvarden_categ%'"_s);
    }

private Q_SLOTS:
    void initTestCase() { qInfo("%s", m_server ? "on a PostgreSQL server" : "on an SQLite file"); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_where = testsupport::newRegister(m_engine, *m_dir, m_server);
        const Outcome created = data::Database::create(m_where);
        QVERIFY2(created, qPrintable(created ? QString() : created.failure().message()));
    }

    void cleanup() { m_dir.reset(); }

    void keptAsImported_data()
    {
        QTest::addColumn<QList<data::MeetCategory>>("categories");
        QTest::addColumn<QList<data::MeetCategory>>("read");
        const data::MeetCategory young{u"10-11"_s, 10, 11, {}, {}, {2, 1}};
        QTest::newRow("events read from the lowest")
            << QList{young} << QList<data::MeetCategory>{{u"10-11"_s, 10, 11, u""_s, u""_s, {1, 2}}};
        QTest::newRow("open ages, gender and class, in the programme's order")
            << QList<data::MeetCategory>{{u"S9 máster"_s, 25, -1, u"F"_s, u"9"_s, {2}},
                                         {u"Alevín"_s, -1, 10, u"M"_s, {}, {1}}}
            << QList<data::MeetCategory>{{u"S9 máster"_s, 25, -1, u"F"_s, u"9"_s, {2}},
                                         {u"Alevín"_s, -1, 10, u"M"_s, u""_s, {1}}};
    }
    void keptAsImported()
    {
        QFETCH(QList<data::MeetCategory>, categories);
        QFETCH(QList<data::MeetCategory>, read);
        QCOMPARE(import(categories), QString());
        QCOMPARE(kept(), read);
    }

    void replacedAndNoneMakesNoTable()
    {
        QCOMPARE(import({}), QString());
        QCOMPARE(tables(), QStringList{});
        QCOMPARE(import({{u"A"_s, 10, 11, {}, {}, {1}}, {u"B"_s, 12, 13, {}, {}, {1, 2}}}), QString());
        QCOMPARE(import({{u"C"_s, -1, -1, {}, u"14"_s, {2}}}), QString());
        QCOMPARE(kept(), (QList<data::MeetCategory>{{u"C"_s, -1, -1, u""_s, u"14"_s, {2}}}));
        QCOMPARE(import({}), QString());
        QCOMPARE(kept(), QList<data::MeetCategory>{});
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return testsupport::runOnFileAndServer<TestCategoryStore>(argc, argv);
}
#include "tst_categorystore.moc"
