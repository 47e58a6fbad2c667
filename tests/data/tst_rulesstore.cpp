#include "data/database.h"
#include "support/pgserver.h"
#include "support/scratchdb.h"

#include <QTemporaryDir>
#include <QTest>

using namespace quilvarden;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(rules::MeetRules)

// The meet's rules kept in the register, on SQLite files and on a PostgreSQL server.
class TestRulesStore : public QObject {
    Q_OBJECT

public:
    TestRulesStore(data::Engine engine, testsupport::PgServer* server) : m_engine(engine), m_server(server) {}

private:
    const data::Engine m_engine;
    testsupport::PgServer* m_server;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_where;

    // A connection of its own, as another program run later has.
    std::unique_ptr<data::Database> opened(bool readOnly = false) const
    {
        data::OpenOptions options;
        options.readOnly = readOnly;
        Result<std::unique_ptr<data::Database>> database = data::Database::open(m_where, options);
        if (!database)
            qWarning("%s", qPrintable(database.failure().message()));
        return database ? std::move(database).value() : nullptr;
    }

    // The rules a fresh connection reads, as JSON; "none" for a register without them.
    QString stored() const
    {
        const std::unique_ptr<data::Database> database = opened(true);
        if (!database)
            return u"not opened"_s;
        const Result<std::optional<rules::MeetRules>> read = database->meetRules();
        if (!read)
            return read.failure().message();
        return *read ? QString::fromUtf8(rules::toJson(**read)) : u"none"_s;
    }

    QString set(const rules::MeetRules& meet) const
    {
        const std::unique_ptr<data::Database> database = opened();
        if (!database)
            return u"not opened"_s;
        const Outcome done = database->setMeetRules(meet);
        return done ? QString() : done.failure().message();
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

    void aNewRegisterHasNone() { QCOMPARE(stored(), u"none"_s); }

    void keptAsSet_data()
    {
        QTest::addColumn<rules::MeetRules>("meet");
        QTest::newRow("the league's") << rules::leagueRules();
        QTest::newRow("a preset with relay tables") << *rules::preset(u"6-4-3-2-1"_s);
        QTest::newRow("everything set") << rules::MeetRules{u"Trofeo «Concello de Ourense»"_s,
                                                            {19.5, 16},
                                                            rules::After::Step,
                                                            QList<double>{30, 20.5},
                                                            2,
                                                            1,
                                                            rules::Ties::Full,
                                                            rules::EqualTotals::Shared,
                                                            {u"CNÑ"_s, u"Lusitânia"_s}};
    }

    void keptAsSet()
    {
        QFETCH(rules::MeetRules, meet);
        QCOMPARE(set(meet), QString());
        QCOMPARE(stored(), QString::fromUtf8(rules::toJson(meet)));
    }

    void theLastSetKept()
    {
        QCOMPARE(set(rules::leagueRules()), QString());
        QCOMPARE(set(*rules::preset(u"5-3-1"_s)), QString());
        QCOMPARE(stored(), QString::fromUtf8(rules::toJson(*rules::preset(u"5-3-1"_s))));
        // One row, not one a setting.
        QCOMPARE(testsupport::queryRows(m_where, u"SELECT COUNT(*) FROM quilvarden_regras"_s),
                 QStringList{u"1"_s});
    }

    void readOnlyRefusesAndKeeps_data()
    {
        QTest::addColumn<bool>("setBefore");
        QTest::newRow("a register without rules") << false;
        QTest::newRow("a register with rules") << true;
    }

    void readOnlyRefusesAndKeeps()
    {
        QFETCH(bool, setBefore);
        if (setBefore)
            QCOMPARE(set(*rules::preset(u"5-3-1"_s)), QString());
        const QString before = stored();
        const std::unique_ptr<data::Database> reading = opened(true);
        QVERIFY(reading);
        const Outcome done = reading->setMeetRules(*rules::preset(u"9-7-6-5-4-3-2-1"_s));
        QVERIFY(!done);
        QCOMPARE(done.failure().number, int(Failure::ReadOnlyDatabase));
        QCOMPARE(stored(), before);
    }

    // Rules written into the register by another hand, and broken, are told, not taken as none.
    void brokenRulesTold()
    {
        QCOMPARE(set(rules::leagueRules()), QString());
        QVERIFY(testsupport::runOn(m_where,
                                   {u"UPDATE quilvarden_regras SET regras = '{\"individual\": [1, 2]}'"_s}));
        const QString told = stored();
        QVERIFY2(told.contains(u"As regras do campionato gardadas no rexistro non se len"_s),
                 qPrintable(told));
        QVERIFY2(told.contains(u"sobe no posto 2"_s), qPrintable(told));
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return testsupport::runOnFileAndServer<TestRulesStore>(argc, argv);
}
#include "tst_rulesstore.moc"
