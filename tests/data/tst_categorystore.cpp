#include "data/database.h"
#include "data/standings.h"
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

    // Each standing as "heading: club total, club total".
    static QStringList shown(const data::StandingsReport& report)
    {
        QStringList shown;
        for (const data::StandingSection& section : report.sections) {
            QStringList clubs;
            for (const data::StandingRow& row : section.rows)
                clubs << u"%1 %2"_s.arg(row.club.toString(), row.total.toString());
            shown << section.heading + u": "_s + clubs.join(u", "_s);
        }
        return shown;
    }

    QStringList standings(data::Database& database, const data::StandingsScope& scope) const
    {
        const Result<data::StandingsReport> report = data::buildStandings(database, scope);
        return report ? shown(*report) : QStringList{report.failure().message()};
    }

    // Awards of two categories and of none, recorded one by one and stored from a file: the
    // meet's standings count each once, each category its own; an event stored again for one
    // category keeps the other's awards.
    void awardsCountInTheirCategory()
    {
        QCOMPARE(import({{u"10-11"_s, 10, 11, {}, {}, {1, 2}}, {u"12-13"_s, 12, 13, {}, {}, {1, 2}}}),
                 QString());
        Result<std::unique_ptr<data::Database>> opened = data::Database::open(m_where);
        QVERIFY(opened);
        data::Database& database = **opened;
        for (const data::Award& award : {data::Award{u"1"_s, u"100L"_s, u"F"_s, u"ACN"_s, 19, u"10-11"_s},
                                         data::Award{u"1"_s, u"100L"_s, u"F"_s, u"CNP"_s, 16, u"10-11"_s},
                                         data::Award{u"1"_s, u"100L"_s, u"F"_s, u"CNP"_s, 19, u"12-13"_s},
                                         data::Award{u"3"_s, u"50M"_s, u"M"_s, u"ACN"_s, 5}})
            QVERIFY(database.recordAward(award));
        // A club's awards in an event: all, or those of one category ("": of none).
        QCOMPARE(*database.clubAwardsInEvent(1, u"CNP"_s), 2);
        QCOMPARE(*database.clubAwardsInEvent(1, u"CNP"_s, u"12-13"_s), 1);
        QCOMPARE(*database.clubAwardsInEvent(1, u"CNP"_s, u""_s), 0);
        QCOMPARE(*database.clubAwardsInEvent(3, u"ACN"_s, u""_s), 1);
        const data::EventAwards later{2,
                                      {{u"2"_s, u"100L"_s, u"M"_s, u"ACN"_s, 19, u"12-13"_s},
                                       {u"2"_s, u"100L"_s, u"M"_s, u"CNP"_s, 19, u"10-11"_s}}};
        QVERIFY(database.storeEventAwards({later}, {u"Xunior"_s}));
        QCOMPARE(
            standings(database, {true}),
            (QStringList{
                u"Clasificación Masculina: ACN 24, CNP 19"_s, u"Clasificación Feminina: CNP 35, ACN 19"_s,
                u"Clasificación Conxunta: CNP 54, ACN 43"_s, u"Clasificación Masculina: 10-11: CNP 19"_s,
                u"Clasificación Feminina: 10-11: ACN 19, CNP 16"_s,
                u"Clasificación Conxunta: 10-11: CNP 35, ACN 19"_s,
                u"Clasificación Masculina: 12-13: ACN 19"_s, u"Clasificación Feminina: 12-13: CNP 19"_s,
                u"Clasificación Conxunta: 12-13: ACN 19, CNP 19"_s}));
        // The file now ranks 12-13 otherwise; 10-11 is left as stored.
        const data::EventAwards again{
            2, {{u"2"_s, u"100L"_s, u"M"_s, u"CNP"_s, 16, u"12-13"_s}}, {u"12-13"_s}};
        const Result<data::StoredEvents> stored = database.storeEventAwards({again}, {u"Xunior"_s});
        QVERIFY(stored);
        QCOMPARE(stored->updated, QList<double>{2});
        QCOMPARE(standings(database, {false, u" 12-13"_s}),
                 (QStringList{u"Clasificación Masculina: 12-13: CNP 16"_s,
                              u"Clasificación Feminina: 12-13: CNP 19"_s,
                              u"Clasificación Conxunta: 12-13: CNP 35"_s}));
        QCOMPARE(standings(database, {false, u"10-11"_s}).first(),
                 u"Clasificación Masculina: 10-11: CNP 19"_s);
        QVERIFY(standings(database, {false, u"Máster"_s})
                    .first()
                    .contains(u"non ten a categoría «Máster». Ten: 10-11, 12-13"_s));
        // The list shows each award's category; an undone award leaves its category's standing.
        const Result<QList<data::AwardRow>> page = database.awardsPage(1000, 0, 10);
        QVERIFY(page);
        QStringList categories;
        for (const data::AwardRow& row : *page)
            categories << row.category;
        QCOMPARE(categories,
                 (QStringList{u""_s, u"12-13"_s, u"10-11"_s, u"10-11"_s, u"12-13"_s, u"10-11"_s}));
        QCOMPARE((*database.undoLatestAward())->award.category, u"12-13"_s);
        QCOMPARE(standings(database, {false, u"12-13"_s}).first(), u"Clasificación Masculina: 12-13: "_s);
        // puntos itself is as other programs read it.
        QCOMPARE(testsupport::queryRows(m_where, u"SELECT COUNT(*) FROM puntos"_s), QStringList{u"5"_s});
    }

    void typedCategories_data()
    {
        QTest::addColumn<QList<data::MeetCategory>>("categories");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("kept") << QList<data::MeetCategory>{{u"Infantil"_s, 13, 14, {}, {}, {1, 2}}}
                              << QString();
        QTest::newRow("one name twice, in another case")
            << QList<data::MeetCategory>{{u"Infantil"_s, 13, 14, {}, {}, {1}},
                                         {u"infantil "_s, -1, -1, {}, {}, {2}}}
            << u"«infantil»"_s;
        QTest::newRow("no name") << QList<data::MeetCategory>{{u" "_s, 13, 14, {}, {}, {1}}}
                                 << u"ha de ter un nome"_s;
    }
    void typedCategories()
    {
        QFETCH(QList<data::MeetCategory>, categories);
        QFETCH(QString, refusal);
        QCOMPARE(import({{u"Absoluta"_s, -1, -1, {}, {}, {1}}}), QString());
        Result<std::unique_ptr<data::Database>> opened = data::Database::open(m_where);
        QVERIFY(opened);
        const Outcome set = (*opened)->setMeetCategories(categories);
        QCOMPARE(set                                         ? QString()
                 : set.failure().message().contains(refusal) ? refusal
                                                             : set.failure().message(),
                 refusal);
        QCOMPARE(kept().first().name, refusal.isEmpty() ? u"Infantil"_s : u"Absoluta"_s);
    }

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
