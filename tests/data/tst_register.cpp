#include "data/database.h"
#include "data/postgres.h"
#include "data/standings.h"
#include "data/statements.h"
#include "data/watch.h"
#include "support/pgserver.h"
#include "support/scratchdb.h"

#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

using namespace quilvarden;
using data::Award;
using data::Standing;

// The register's statements against real files and a real server, the same cases on each:
// what is stored is exactly what was given, whatever the text, and what is read comes back
// in the order the lists need.
class TestRegister : public QObject {
    Q_OBJECT

public:
    TestRegister(data::Engine engine, testsupport::PgServer* server) : m_engine(engine), m_server(server) {}

private:
    const data::Engine m_engine;
    testsupport::PgServer* m_server;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_where;
    std::unique_ptr<data::Database> m_db;

    // The register of this test: a file, or a fresh database of the server.
    QString path() const { return m_where; }
    bool onFile() const { return m_engine == data::Engine::Sqlite; }

    // The register's rows as the database holds them, oldest first, with the kind of value
    // the database keeps for the points and the club.
    QStringList storedRows() const
    {
        const QString types =
            onFile() ? QStringLiteral("typeof(puntos), typeof(club)")
                     : QStringLiteral("replace(pg_typeof(puntos)::text, 'double precision', 'real'),"
                                      " pg_typeof(club)::text");
        return testsupport::queryRows(
            path(),
            QStringLiteral("SELECT orde, proba, sexo, club, puntos, %1 FROM puntos ORDER BY id").arg(types));
    }

    void reopen()
    {
        m_db.reset();
        auto opened = data::Database::open(path());
        QVERIFY(opened);
        m_db = std::move(opened).value();
    }

    static QString awardText(const data::AwardRow& row)
    {
        return QStringList{row.order.toString(), row.eventCode.toString(), row.gender.toString(),
                           row.club.toString(), row.points.toString()}
            .join(QLatin1Char('|'));
    }

    // The whole register in the order of the results list, from its top line.
    QStringList listed()
    {
        QStringList lines;
        const Result<QList<data::AwardRow>> rows =
            m_db->awardsPage(std::numeric_limits<qint64>::max(), 0, 1000);
        if (!rows)
            return {rows.failure().message()};
        for (const data::AwardRow& row : *rows)
            lines << awardText(row);
        return lines;
    }

    // The list from its top as order|points (a missing order number as <null>).
    QStringList listedOrders()
    {
        const Result<QList<data::AwardRow>> rows =
            m_db->awardsPage(std::numeric_limits<qint64>::max(), 0, 100);
        QStringList lines;
        for (const data::AwardRow& row : rows ? *rows : QList<data::AwardRow>())
            lines << (row.order.isNull() ? QStringLiteral("<null>") : row.order.toString()) + u'|' +
                         row.points.toString();
        return lines;
    }

    QStringList standing(Standing which)
    {
        QStringList lines;
        const Result<data::StandingsReport> report = data::buildStandings(*m_db);
        if (!report)
            return {report.failure().message()};
        for (const data::StandingRow& row : report->sections.at(int(which)).rows)
            lines << row.club.toString() + QLatin1Char('=') + row.total.toString();
        return lines;
    }

    // An event scored from a results file: its awards under one order text, a club and its points each.
    static data::EventAwards scored(double order, const char* text,
                                    QList<std::pair<const char*, double>> clubs)
    {
        data::EventAwards event{order, {}};
        for (const auto& [club, points] : clubs)
            event.awards.append({QString::fromLatin1(text), QStringLiteral("E"), QStringLiteral("M"),
                                 QString::fromLatin1(club), points});
        return event;
    }

    // The order texts and clubs of the register, oldest first.
    QStringList ordersAndClubs() const
    {
        return testsupport::queryRows(path(), QStringLiteral("SELECT orde, club FROM puntos ORDER BY id"));
    }

private Q_SLOTS:
    void initTestCase() { qInfo("%s", onFile() ? "on an SQLite file" : "on a PostgreSQL server"); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_where = testsupport::newRegister(m_engine, *m_dir, m_server);
        const Outcome created = data::Database::create(path());
        QVERIFY2(created, qPrintable(created ? QString() : created.failure().message()));
        QVERIFY(testsupport::runOn(
            path(),
            {QStringLiteral("INSERT INTO EVENT (XORDER, EVENTCODE, GENDERCODE) VALUES"
                            " (1, '100FR', 'F'), (2, '4X50FR', 'M'), (7, '50BK', 'M'), (7, '50BR', 'F'),"
                            " (8, NULL, 'F'), (9, '200IM', NULL)")}));
        reopen();
    }

    void cleanup()
    {
        m_db.reset();
        m_dir.reset();
    }

    // The meet an import remembers comes back whole, place included, for the editions' heading;
    // a register whose table was made before the place was kept gets the column on its import.
    void meetRemembered_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("nameBefore");
        QTest::newRow("made now") << QStringList() << QString();
        QTest::newRow("table without the place")
            << QStringList{QStringLiteral("DROP TABLE quilvarden_programa"),
                           QStringLiteral(
                               "CREATE TABLE quilvarden_programa (nome TEXT, desde TEXT, ata TEXT)"),
                           QStringLiteral(
                               "INSERT INTO quilvarden_programa VALUES ('Vello', '2025-01-02', '')")}
            << QStringLiteral("Vello");
    }
    void meetRemembered()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, nameBefore);
        QVERIFY(before.isEmpty() || testsupport::runOn(path(), before));
        reopen();
        QCOMPARE(m_db->meetHeld()->name, nameBefore);
        QVERIFY(m_db->meetHeld()->place.isEmpty());
        data::MeetProgramme programme;
        programme.identity = {QStringLiteral("Trofeo de Nadal"), QDate(2026, 12, 7), QDate(2026, 12, 8),
                              QStringLiteral("Lugo")};
        QVERIFY(m_db->replaceMeetProgramme(programme));
        reopen();
        QCOMPARE(*m_db->meetHeld(), programme.identity);
        QCOMPARE(testsupport::queryRows(path(), QStringLiteral("SELECT lugar FROM quilvarden_programa")),
                 QStringList{QStringLiteral("Lugo")});
    }

    // Full names by the short names the awards carry, none blank; a register made by another
    // program without the column has none.
    void clubFullNames()
    {
        QVERIFY(testsupport::runOn(
            path(), {QString::fromUtf8("INSERT INTO CLUBDESC (CLUBCODE, SHORTDESC, LONGDESC) VALUES"
                                       " ('V', 'VIGO', 'Real Club Náutico de Vigo'), ('L', 'LUGO', '  ')")}));
        QCOMPARE(m_db->clubFullNames()->keys(), QStringList{QStringLiteral("VIGO")});
        QVERIFY(testsupport::runOn(path(), {QStringLiteral("ALTER TABLE CLUBDESC DROP COLUMN LONGDESC")}));
        reopen();
        QVERIFY(m_db->clubFullNames()->isEmpty());
    }

    void hostileTextsStoredExactly_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("apostrophe") << QStringLiteral("O'GROVE");
        QTest::newRow("quotes") << QStringLiteral("\"ARTEIXO\"");
        QTest::newRow("statement") << QStringLiteral("X'); DELETE FROM puntos; --");
        QTest::newRow("semicolons") << QStringLiteral(";;;");
        QTest::newRow("accents") << QStringLiteral("NARÓN-ÑÜÇ");
        QTest::newRow("1000 characters") << QString(1000, QLatin1Char('Z'));
        QTest::newRow("empty") << QString();
        QTest::newRow("control characters") << QStringLiteral("A\tB\nC");
    }

    void hostileTextsStoredExactly()
    {
        QFETCH(QString, value);
        QVERIFY(m_db->recordAward({QStringLiteral("07"), QStringLiteral("100FR"), QStringLiteral("M"),
                                   QStringLiteral("VIGO"), 19}));
        QVERIFY(m_db->recordAward({value, value, value, value, 18.5}));
        reopen();
        const QString stored = value.isNull() ? QStringLiteral("") : value;
        QCOMPARE(storedRows(),
                 (QStringList{QStringLiteral("07|100FR|M|VIGO|19|real|text"),
                              QStringList{stored, stored, stored, stored, QStringLiteral("18.5"),
                                          QStringLiteral("real"), QStringLiteral("text")}
                                  .join(QLatin1Char('|'))}));
    }

    void orderNumberKeptAsTyped()
    {
        QVERIFY(m_db->recordAward(
            {QStringLiteral("07"), QStringLiteral("50BK"), QStringLiteral("M"), QStringLiteral("LUGO"), 16}));
        QCOMPARE(listed(), QStringList{QStringLiteral("07|50BK|M|LUGO|16")});
    }

    void listTopDownByOrderNumberThenPoints()
    {
        // Recorded out of programme order, and not place by place.
        QVERIFY(m_db->recordAward(
            {QStringLiteral("05"), QStringLiteral("A"), QStringLiteral("M"), QStringLiteral("C1"), 16}));
        QVERIFY(m_db->recordAward(
            {QStringLiteral("02"), QStringLiteral("B"), QStringLiteral("F"), QStringLiteral("C2"), 19}));
        QVERIFY(m_db->recordAward(
            {QStringLiteral("05"), QStringLiteral("A"), QStringLiteral("M"), QStringLiteral("C3"), 19}));
        QVERIFY(m_db->recordAward(
            {QStringLiteral("02"), QStringLiteral("B"), QStringLiteral("F"), QStringLiteral("C4"), 16}));
        QVERIFY(m_db->recordAward(
            {QStringLiteral("10"), QStringLiteral("D"), QStringLiteral("F"), QStringLiteral("C4"), 13.5}));
        QVERIFY(m_db->recordAward(
            {QStringLiteral("05"), QStringLiteral("A"), QStringLiteral("M"), QStringLiteral("C5"), 16}));
        // From the top: the highest order number, the lowest points first; the latest award
        // first among equals.
        QCOMPARE(listed(), (QStringList{QStringLiteral("10|D|F|C4|13.5"), QStringLiteral("05|A|M|C5|16"),
                                        QStringLiteral("05|A|M|C1|16"), QStringLiteral("05|A|M|C3|19"),
                                        QStringLiteral("02|B|F|C4|16"), QStringLiteral("02|B|F|C2|19")}));
    }

    void listOrdersOrderNumbersByTheirNumber_data()
    {
        QTest::addColumn<QString>("recorded"); // order|points, oldest first
        QTest::addColumn<QString>("top");      // the list from its top
        QTest::newRow("two digits, as ever") << "01|19,10|16,09|19,40|14,10|19,00|1"
                                             << "40|14,10|16,10|19,09|19,01|19,00|1";
        QTest::newRow("past 99, and the swim-offs") << "99|19,100|19,101|19,10|19,11|19,998|38,999|38,1|19"
                                                    << "999|38,998|38,101|19,100|19,99|19,11|19,10|19,1|19";
        QTest::newRow("leading zeros, one number") << "7|19,07|16,007|14,07|19,6|19,8|19,0|1,000|2"
                                                   << "8|19,007|14,07|16,07|19,7|19,6|19,0|1,000|2";
        QTest::newRow("texts that are no number after every number, by their text")
            << "05|19,abc|19,|19,7a|19,100|19, 7|19,+7|19,1.5|19,<null>|19,2 |19"
            << "100|19,05|19,abc|19,7a|19,2 |19,1.5|19,+7|19, 7|19,|19,<null>|19";
    }

    void listOrdersOrderNumbersByTheirNumber()
    {
        QFETCH(QString, recorded);
        QFETCH(QString, top);
        for (const QString& award : recorded.split(u',')) {
            const QString order = award.section(u'|', 0, 0);
            const double points = award.section(u'|', 1).toDouble();
            QVERIFY(
                order == u"<null>"
                    ? testsupport::runOn(path(), {QStringLiteral("INSERT INTO puntos (puntos) VALUES (19)")})
                    : bool(m_db->recordAward({order, {}, {}, {}, points})));
        }
        QCOMPARE(listedOrders(), top.split(u','));
    }

    void listPagesReadThroughTheirIndex_data()
    {
        QTest::addColumn<bool>("madeBefore"); // a register made before the index, opened again
        QTest::newRow("a register made with it") << false;
        QTest::newRow("a register made before it") << true;
    }

    void listPagesReadThroughTheirIndex()
    {
        QFETCH(bool, madeBefore);
        m_db.reset();
        QStringList fill{
            (onFile() ? QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1"
                                       " FROM n WHERE i < 20000) ")
                      : QStringLiteral("WITH n(i) AS (SELECT generate_series(1, 20000)) ")) +
            QStringLiteral("INSERT INTO puntos (orde, puntos) SELECT '' || (i % 125 + 1), i % 19 FROM n")};
        if (madeBefore)
            fill << QStringLiteral("DROP INDEX quilvarden_puntos_orde");
        if (!onFile())
            fill << QStringLiteral("ANALYZE puntos");
        QVERIFY(testsupport::runOn(path(), fill));
        reopen();
        // The top page read in the list's order from the index, never the register sorted.
        const QString page = QString::fromLatin1(data::sql::ListAwardsPage)
                                 .replace(QStringLiteral(":last"), QStringLiteral("20000"))
                                 .replace(QStringLiteral(":count"), QStringLiteral("128"))
                                 .replace(QStringLiteral(":skip"), QStringLiteral("0"));
        const QString plan = testsupport::queryRows(path(), (onFile() ? QStringLiteral("EXPLAIN QUERY PLAN ")
                                                                      : QStringLiteral("EXPLAIN ")) +
                                                                page)
                                 .join(u'\n');
        QVERIFY2(plan.contains(QStringLiteral("quilvarden_puntos_orde")), qPrintable(plan));
        QVERIFY2(!plan.contains(QStringLiteral("TEMP B-TREE")) && !plan.contains(QStringLiteral("Sort")),
                 qPrintable(plan));
        QCOMPARE(listedOrders().first(), QStringLiteral("125|0"));
    }

    void pagesReadUpToAKnownAward()
    {
        for (int i = 1; i <= 5; ++i)
            QVERIFY(
                m_db->recordAward({QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')), {}, {}, {}, 19}));
        QCOMPARE(m_db->awardsPage(3, 0, 10)->size(), 3);
        QVERIFY(m_db->awardsPage(0, 0, 10)->isEmpty());
        const Result<QList<data::AwardRow>> page = m_db->awardsPage(4, 1, 2);
        QVERIFY(page);
        QCOMPARE(page->size(), 2);
        QCOMPARE(page->at(0).order.toString(), QStringLiteral("03"));
        QCOMPARE(page->at(1).order.toString(), QStringLiteral("02"));
        QVERIFY(m_db->awardsPage(4, 4, 10)->isEmpty());
    }

    void latestAwardIsTheHighestIdAndIdsAreNeverReused()
    {
        QCOMPARE(*m_db->latestAwardId(), std::optional<qint64>());
        QVERIFY(m_db->recordAward({QStringLiteral("05"), {}, {}, QStringLiteral("C1"), 19}));
        QVERIFY(m_db->recordAward({QStringLiteral("02"), {}, {}, QStringLiteral("C2"), 19}));
        QCOMPARE(*m_db->latestAwardId(), std::optional<qint64>(2));
        QVERIFY(m_db->deleteAward(2));
        QCOMPARE(*m_db->latestAwardId(), std::optional<qint64>(1));
        QVERIFY(m_db->recordAward({QStringLiteral("03"), {}, {}, QStringLiteral("C3"), 19}));
        QCOMPARE(*m_db->latestAwardId(), std::optional<qint64>(3));
        QVERIFY(m_db->deleteAward(3));
        QVERIFY(m_db->deleteAward(1));
        QCOMPARE(*m_db->latestAwardId(), std::optional<qint64>());
        QVERIFY(listed().isEmpty());
    }

    void findEvent_data()
    {
        QTest::addColumn<double>("order");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("gender");
        QTest::newRow("individual") << 1.0 << true << "100FR"
                                    << "F";
        QTest::newRow("relay") << 2.0 << true << "4X50FR"
                               << "M";
        QTest::newRow("two events share 7: the first") << 7.0 << true << "50BK"
                                                       << "M";
        QTest::newRow("no such event") << 40.0 << false << ""
                                       << "";
        QTest::newRow("order 0") << 0.0 << false << ""
                                 << "";
        QTest::newRow("one half finds nothing") << 0.5 << false << ""
                                                << "";
        QTest::newRow("huge") << 1e300 << false << ""
                              << "";
    }

    void findEvent()
    {
        QFETCH(double, order);
        QFETCH(bool, found);
        QFETCH(QString, code);
        QFETCH(QString, gender);
        const Result<std::optional<data::EventRow>> event = m_db->findEvent(order);
        QVERIFY2(event, qPrintable(event ? QString() : event.failure().message()));
        QCOMPARE(event->has_value(), found);
        if (found) {
            QCOMPARE((*event)->code.toString(), code);
            QCOMPARE((*event)->gender.toString(), gender);
        }
    }

    void findEventGivesNullsAsNull()
    {
        QVERIFY((*m_db->findEvent(8))->code.isNull());
        QVERIFY((*m_db->findEvent(9))->gender.isNull());
        QCOMPARE((*m_db->findEvent(9))->code.toString(), QStringLiteral("200IM"));
    }

    void orderNumbersKeptAsTextInTheMeetTable()
    {
        // A meet table whose order numbers came in as text still finds them.
        m_db.reset();
        QVERIFY(testsupport::runOn(
            path(), {QStringLiteral("DROP TABLE EVENT"),
                     QStringLiteral("CREATE TABLE EVENT (XORDER TEXT, EVENTCODE TEXT, GENDERCODE TEXT)"),
                     QStringLiteral("INSERT INTO EVENT VALUES ('12', '400FR', 'F')")}));
        reopen();
        QCOMPARE((*m_db->findEvent(12))->code.toString(), QStringLiteral("400FR"));
    }

    void standingsByGender()
    {
        const struct {
            const char* gender;
            const char* club;
            double points;
        } awards[] = {
            {"M", "VIGO", 19}, {"M", "LUGO", 16}, {"M", "VIGO", 14},  {"F", "LUGO", 19},
            {"F", "CEE", 16},  {"X", "CEE", 38},  {"m", "LUGO", 100}, {"F", "VIGO", 13.5},
        };
        for (const auto& award : awards)
            QVERIFY(m_db->recordAward({QStringLiteral("01"), QStringLiteral("E"),
                                       QString::fromLatin1(award.gender), QString::fromLatin1(award.club),
                                       award.points}));
        // Only M and F exactly: a mixed (X) or lower-case code counts in the combined standing alone.
        QCOMPARE(standing(Standing::Men),
                 (QStringList{QStringLiteral("VIGO=33"), QStringLiteral("LUGO=16")}));
        QCOMPARE(standing(Standing::Women), (QStringList{QStringLiteral("LUGO=19"), QStringLiteral("CEE=16"),
                                                         QStringLiteral("VIGO=13.5")}));
        QCOMPARE(
            standing(Standing::Combined),
            (QStringList{QStringLiteral("LUGO=135"), QStringLiteral("CEE=54"), QStringLiteral("VIGO=46.5")}));
    }

    void equalTotalsInAlphabeticalOrder()
    {
        for (const char* club : {"Vigo", "Ézaro", "arousa", "Ñoño", "Nube"})
            QVERIFY(m_db->recordAward({QStringLiteral("01"), QStringLiteral("E"), QStringLiteral("M"),
                                       QString::fromUtf8(club), 19}));
        QVERIFY(m_db->recordAward(
            {QStringLiteral("02"), QStringLiteral("E"), QStringLiteral("M"), QStringLiteral("Vigo"), 1}));
        QCOMPARE(standing(Standing::Men), (QStringList{QStringLiteral("Vigo=20"), QStringLiteral("arousa=19"),
                                                       QStringLiteral("Ézaro=19"), QStringLiteral("Nube=19"),
                                                       QStringLiteral("Ñoño=19")}));
    }

    // Equal totals and guests by the rules the register holds: the men's standing as the
    // window's lines show it, the combined one as position, club and total. Men: Guest 30,
    // ARO 19, BUEU 16, CEE 16, DUO 14; CEE has 3 more among the women, so the combined
    // standing ties ARO with CEE at 19 and BUEU is alone at 16.
    void standingsByTheMeetsRules_data()
    {
        QTest::addColumn<bool>("stored");
        QTest::addColumn<bool>("shared");
        QTest::addColumn<QStringList>("guests");
        QTest::addColumn<QStringList>("men");
        QTest::addColumn<QStringList>("combined");
        const auto line = [](const char* text) { return QString::fromUtf8(text); };
        const QString guestLine = line("     Guest       30,00  (convidado)");
        QTest::newRow("no rules: consecutive, the guest competes")
            << false << false << QStringList{QStringLiteral("GUEST")}
            << QStringList{line("  1  Guest       30,00"), line("  2  ARO         19,00"),
                           line("  3  BUEU        16,00"), line("  4  CEE         16,00"),
                           line("  5  DUO         14,00")}
            << QStringList{QStringLiteral("1 Guest=30"), QStringLiteral("2 ARO=19"),
                           QStringLiteral("3 CEE=19"), QStringLiteral("4 BUEU=16"),
                           QStringLiteral("5 DUO=14")};
        QTest::newRow("shared, no guests: 1 2 3 3 5")
            << true << true << QStringList()
            << QStringList{line("  1  Guest       30,00"), line("  2  ARO         19,00"),
                           line("  3  BUEU        16,00"), line("  3  CEE         16,00"),
                           line("  5  DUO         14,00")}
            << QStringList{QStringLiteral("1 Guest=30"), QStringLiteral("2 ARO=19"),
                           QStringLiteral("2 CEE=19"), QStringLiteral("4 BUEU=16"),
                           QStringLiteral("5 DUO=14")};
        QTest::newRow("consecutive, a guest apart: 1 2 3 4")
            << true << false << QStringList{QStringLiteral("GUEST")}
            << QStringList{line("  1  ARO         19,00"), line("  2  BUEU        16,00"),
                           line("  3  CEE         16,00"), line("  4  DUO         14,00"), guestLine}
            << QStringList{QStringLiteral("1 ARO=19"), QStringLiteral("2 CEE=19"),
                           QStringLiteral("3 BUEU=16"), QStringLiteral("4 DUO=14"),
                           QStringLiteral("- Guest=30")};
        QTest::newRow("shared, a guest apart: 1 2 2 4 and 1 1 3 4")
            << true << true << QStringList{QStringLiteral(" guest ")}
            << QStringList{line("  1  ARO         19,00"), line("  2  BUEU        16,00"),
                           line("  2  CEE         16,00"), line("  4  DUO         14,00"), guestLine}
            << QStringList{QStringLiteral("1 ARO=19"), QStringLiteral("1 CEE=19"),
                           QStringLiteral("3 BUEU=16"), QStringLiteral("4 DUO=14"),
                           QStringLiteral("- Guest=30")};
        QTest::newRow("two guests, shared: the others keep 1 2 2")
            << true << true << QStringList{QStringLiteral("GUEST"), QStringLiteral("DUO")}
            << QStringList{line("  1  ARO         19,00"), line("  2  BUEU        16,00"),
                           line("  2  CEE         16,00"), guestLine,
                           line("     DUO         14,00  (convidado)")}
            << QStringList{QStringLiteral("1 ARO=19"), QStringLiteral("1 CEE=19"),
                           QStringLiteral("3 BUEU=16"), QStringLiteral("- Guest=30"),
                           QStringLiteral("- DUO=14")};
    }
    void standingsByTheMeetsRules()
    {
        QFETCH(bool, stored);
        QFETCH(bool, shared);
        QFETCH(QStringList, guests);
        QFETCH(QStringList, men);
        QFETCH(QStringList, combined);
        for (const auto& [gender, club, points] : {std::tuple{"M", "ARO", 19.0},
                                                   {"M", "CEE", 16.0},
                                                   {"M", "Guest", 30.0},
                                                   {"M", "BUEU", 16.0},
                                                   {"M", "DUO", 14.0},
                                                   {"F", "CEE", 3.0}})
            QVERIFY(m_db->recordAward({QStringLiteral("01"), QStringLiteral("E"), QString::fromLatin1(gender),
                                       QString::fromLatin1(club), points}));
        rules::MeetRules rules = rules::leagueRules();
        rules.equalTotals = shared ? rules::EqualTotals::Shared : rules::EqualTotals::Consecutive;
        rules.guests = guests;
        if (stored)
            QVERIFY(m_db->setMeetRules(rules));
        const Result<data::StandingsReport> report = data::buildStandings(*m_db);
        QVERIFY(report);
        QCOMPARE(report->rules.has_value(), stored);
        QCOMPARE(report->sections.at(int(Standing::Men)).lines, men);
        QStringList rows;
        for (const data::StandingRow& row : report->sections.at(int(Standing::Combined)).rows)
            rows << (row.position ? QString::number(*row.position) : QStringLiteral("-")) + u' ' +
                        row.club.toString() + u'=' + row.total.toString();
        QCOMPARE(rows, combined);
    }

    void pointsInATextColumn_data()
    {
        QTest::addColumn<QString>("points"); // VIGO's second award, id 3 in event 02
        QTest::addColumn<int>("number");     // the failure; 0 for none
        QTest::addColumn<QString>(
            "told"); // the men's standing and the points by event, or what the failure says
        // LUGO has '19' in event 01 and VIGO '1e1' in 02: numbers kept as text, summed.
        QTest::newRow("blanks around a number")
            << "' 13.5'" << 0 << "VIGO=23.5 LUGO=19 01|E|M|LUGO|19 02|E|M|VIGO|23.5";
        QTest::newRow("a sign, no digit before the point")
            << "'-.5'" << 0 << "LUGO=19 VIGO=9.5 01|E|M|LUGO|19 02|E|M|VIGO|9.5";
        QTest::newRow("a decimal comma")
            << "'12,5'" << 13 << "Os puntos «12,5» do resultado 3 (proba 02, club VIGO)";
        QTest::newRow("a word") << "'abc'" << 13 << "Os puntos «abc» do resultado 3 (proba 02, club VIGO)";
        QTest::newRow("empty") << "''" << 13 << "Os puntos «» do resultado 3 (proba 02, club VIGO)";
        QTest::newRow("a number past the largest") << "'1e400'" << 6 << "";
    }

    void pointsInATextColumn()
    {
        QFETCH(QString, points);
        QFETCH(int, number);
        QFETCH(QString, told);
        // A register made by hand, as another program would: its points in a text column.
        m_db.reset();
        QVERIFY(testsupport::runOn(
            path(),
            {QStringLiteral("DROP TABLE puntos"),
             QStringLiteral("CREATE TABLE puntos (id %1 PRIMARY KEY, orde TEXT, proba TEXT,"
                            " sexo TEXT, club TEXT, puntos TEXT)")
                 .arg(onFile() ? QStringLiteral("INTEGER") : QStringLiteral("BIGSERIAL")),
             QStringLiteral("INSERT INTO puntos (orde, proba, sexo, club, puntos) VALUES ('01', 'E', 'M',"
                            " 'LUGO', '19'), ('02', 'E', 'M', 'VIGO', '1e1'), ('02', 'E', 'M', 'VIGO', %1)")
                 .arg(points)}));
        reopen();
        const Result<QList<data::EventClubPoints>> rows = m_db->pointsByEvent();
        if (number == 0) {
            QStringList lines = standing(Standing::Men);
            for (const data::EventClubPoints& row : *rows)
                lines << awardText({row.order, row.eventCode, row.gender, row.club, row.points});
            QCOMPARE(lines.join(u' '), told);
            return;
        }
        for (const Failure& failure : {data::buildStandings(*m_db).failure(), rows.failure()}) {
            QCOMPARE(failure.number, number);
            QVERIFY2(failure.detail.contains(told), qPrintable(failure.detail));
        }
    }

    void totalsThatAreNoNumberAreReported_data()
    {
        QTest::addColumn<QString>("points");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("says");
        QTest::addColumn<bool>("wholeNumbers"); // a register made by another program
        // What another program may leave in the column; the engine would sum it quietly.
        QTest::newRow("a decimal comma") << "'12,5'" << 13 << "«12,5»" << false;
        QTest::newRow("a word") << "'abc'" << 13 << "«abc»" << false;
        QTest::newRow("digits and more") << "'1e2x'" << 13 << "«1e2x»" << false;
        QTest::newRow("bytes") << "x'3139'" << 13 << "non son un número" << false;
        QTest::newRow("whole numbers past 64 bits")
            << "9223372036854775807), ('01', 'E', 'M', 'VIGO', 1" << 6 << "overflow" << true;
        QTest::newRow("a total past the largest number")
            << "1e308), ('01', 'E', 'M', 'VIGO', 1e308" << 6 << "VIGO" << false;
        QTest::newRow("a combined total past it")
            << "1e308), ('01', 'E', 'F', 'VIGO', 1e308" << 6 << "VIGO" << false;
    }

    void totalsThatAreNoNumberAreReported()
    {
        QFETCH(QString, points);
        QFETCH(int, number);
        QFETCH(QString, says);
        QFETCH(bool, wholeNumbers);
        if (!onFile())
            return; // a server's column holds numbers only, and sums them as doubles
        if (wholeNumbers) {
            m_db.reset();
            QVERIFY(testsupport::runOn(
                path(), {QStringLiteral("DROP TABLE puntos"),
                         QStringLiteral("CREATE TABLE puntos (id INTEGER PRIMARY KEY, orde TEXT, proba TEXT,"
                                        " sexo TEXT, club TEXT, puntos INTEGER)")}));
            reopen();
        }
        QVERIFY(
            testsupport::runOn(path(), {QStringLiteral("INSERT INTO puntos (orde, proba, sexo, club, puntos)"
                                                       " VALUES ('01', 'E', 'M', 'LUGO', 19),"
                                                       " ('01', 'E', 'M', 'VIGO', %1)")
                                            .arg(points)}));
        const Result<data::StandingsReport> report = data::buildStandings(*m_db);
        QVERIFY(!report);
        QCOMPARE(report.failure().number, number);
        QVERIFY2(report.failure().detail.contains(says), qPrintable(report.failure().detail));
        if (number == 13) // the award is named
            QVERIFY2(report.failure().detail.contains(QStringLiteral("resultado 2")),
                     qPrintable(report.failure().detail));
    }

    void aTotalPastTheLargestNumberIsAnOverflow()
    {
        for (int i = 0; i < 2; ++i)
            QVERIFY(m_db->recordAward({QStringLiteral("01"), QStringLiteral("E"), QStringLiteral("M"),
                                       QStringLiteral("VIGO"), 1e308}));
        const Result<data::StandingsReport> report = data::buildStandings(*m_db);
        QVERIFY(!report);
        QCOMPARE(report.failure().number, 6);
    }

    void undoTakesBackThisStationsAwards()
    {
        auto other = data::Database::open(path());
        QVERIFY(other);
        data::Database& b = **other;
        data::Database& a = *m_db;
        const auto award = [](const char* club, double points) {
            return data::Award{QStringLiteral("03"), QStringLiteral("E"), QStringLiteral("F"),
                               QString::fromLatin1(club), points};
        };
        QVERIFY(a.recordAward(award("A1", 19)));
        QVERIFY(b.recordAward(award("B1", 16)));
        QVERIFY(a.recordAward(award("A2", 14)));
        const auto undone = [](data::Database& station) {
            const Result<std::optional<data::UndoneAward>> taken = station.undoLatestAward();
            return !taken               ? taken.failure().message()
                   : taken->has_value() ? (*taken)->award.club.toString()
                                        : QString();
        };
        // Each station its own, latest first; not the register's latest.
        QCOMPARE(undone(b), QStringLiteral("B1"));
        QCOMPARE(undone(a), QStringLiteral("A2"));
        QCOMPARE(undone(b), QString()); // nothing of B's left
        QCOMPARE(undone(a), QStringLiteral("A1"));
        QVERIFY(listed().isEmpty());
        // A station that has recorded nothing takes back the register's latest.
        QVERIFY(a.recordAward(award("A3", 13)));
        auto fresh = data::Database::open(path());
        QVERIFY(fresh);
        QCOMPARE(undone(**fresh), QStringLiteral("A3"));
        QCOMPARE(undone(a), QString()); // taken already by the other station
    }

    void eventsLeftAloneOrReplaced_data()
    {
        QTest::addColumn<QStringList>("there"); // order texts of awards of club OLD
        QTest::addColumn<double>("order");
        QTest::addColumn<bool>("replace");
        QTest::addColumn<QString>("told");
        QTest::addColumn<QStringList>("after");
        const QStringList scored7{QStringLiteral("07|NEW1"), QStringLiteral("07|NEW2")};
        QTest::newRow("nothing there: stored") << QStringList{QStringLiteral("8")} << 7.0 << true << "stored"
                                               << QStringList{QStringLiteral("8|OLD")} + scored7;
        QTest::newRow("7 there: left alone") << QStringList{QStringLiteral("7")} << 7.0 << false
                                             << "left alone" << QStringList{QStringLiteral("7|OLD")};
        QTest::newRow("07 with a blank is 7: left alone")
            << QStringList{QStringLiteral("07 ")} << 7.0 << false << "left alone"
            << QStringList{QStringLiteral("07 |OLD")};
        QTest::newRow("7 and 07 replaced together")
            << QStringList{QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("07")} << 7.0 << true
            << "replaced" << QStringList{QStringLiteral("8|OLD")} + scored7;
        QTest::newRow("17, 70 and 7a are not 7")
            << QStringList{QStringLiteral("17"), QStringLiteral("70"), QStringLiteral("7a")} << 7.0 << true
            << "stored"
            << QStringList{QStringLiteral("17|OLD"), QStringLiteral("70|OLD"), QStringLiteral("7a|OLD")} +
                   scored7;
        QTest::newRow("empty and abc are no order 0")
            << QStringList{QString(), QStringLiteral("abc")} << 0.0 << true << "stored"
            << QStringList{QStringLiteral("|OLD"), QStringLiteral("abc|OLD"), QStringLiteral("0|NEW1"),
                           QStringLiteral("0|NEW2")};
    }

    void eventsLeftAloneOrReplaced()
    {
        QFETCH(QStringList, there);
        QFETCH(double, order);
        QFETCH(bool, replace);
        QFETCH(QString, told);
        QFETCH(QStringList, after);
        for (const QString& text : there)
            QVERIFY(m_db->recordAward(
                {text, QStringLiteral("E"), QStringLiteral("M"), QStringLiteral("OLD"), 1}));
        const Result<data::StoredEvents> stored = m_db->storeEventAwards(
            {scored(order, order == 0 ? "0" : "07", {{"NEW1", 19}, {"NEW2", 16}})}, {{}, replace});
        QVERIFY2(stored, qPrintable(stored ? QString() : stored.failure().message()));
        const QList<double> only{order};
        QCOMPARE(stored->stored, told == u"left alone" ? QList<double>() : only);
        QCOMPARE(stored->leftAlone, told == u"left alone" ? only : QList<double>());
        QCOMPARE(stored->replaced, told == u"replaced" ? only : QList<double>());
        QCOMPARE(ordersAndClubs(), after);
    }

    void storedEventsTakenBackLastFirst()
    {
        QVERIFY(m_db->recordAward(
            {QStringLiteral("01"), QStringLiteral("E"), QStringLiteral("M"), QStringLiteral("A0"), 19}));
        const Result<data::StoredEvents> stored =
            m_db->storeEventAwards({scored(2, "02", {{"A1", 19}, {"A2", 16}}), scored(1, "1", {{"X", 19}}),
                                    scored(3, "03", {{"A3", 19}})},
                                   {});
        QVERIFY(stored);
        QCOMPARE(stored->stored, (QList<double>{2, 3}));
        QCOMPARE(stored->leftAlone, QList<double>{1});
        QStringList undone;
        while (true) {
            const Result<std::optional<data::UndoneAward>> taken = m_db->undoLatestAward();
            QVERIFY(taken);
            if (!taken->has_value())
                break;
            undone << (*taken)->award.club.toString();
        }
        QCOMPARE(undone, (QStringList{QStringLiteral("A3"), QStringLiteral("A2"), QStringLiteral("A1"),
                                      QStringLiteral("A0")}));
    }

    void aFailingEventStoresNone_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("the events before it new") << false;
        QTest::newRow("an event before it replaced") << true;
    }

    void aFailingEventStoresNone()
    {
        QFETCH(bool, replace);
        QVERIFY(m_db->recordAward(
            {QStringLiteral("03"), QStringLiteral("E"), QStringLiteral("M"), QStringLiteral("OLD"), 10}));
        // A register where another program allows one award per club: the last event's
        // second award is refused, after the others went in.
        QVERIFY(
            testsupport::runOn(path(), {QStringLiteral("CREATE UNIQUE INDEX one_each ON puntos (club)")}));
        const QList<data::EventAwards> events{scored(2, "02", {{"C1", 19}}), scored(3, "03", {{"C2", 19}}),
                                              scored(4, "04", {{"C3", 19}, {"C1", 16}})};
        const QStringList before = storedRows();
        QVERIFY(!m_db->storeEventAwards(events, {{}, replace}));
        QCOMPARE(storedRows(), before);
        // Nothing of it counts as recorded here: undo takes back the award that is.
        QCOMPARE((*m_db->undoLatestAward())->award.club.toString(), QStringLiteral("OLD"));
        QVERIFY(testsupport::runOn(path(), {QStringLiteral("DROP INDEX one_each")}));
        QVERIFY(m_db->storeEventAwards(events, {{}, replace}));
        QCOMPARE(ordersAndClubs().size(), 4);
    }

    void pointsByEventInOrderNumberOrder()
    {
        const struct {
            const char* order;
            const char* code;
            const char* club;
            double points;
        } awards[] = {{"10", "200IM", "VIGO", 13}, {"7", "50BK", "LUGO", 16},  {"10", "200IM", "VIGO", 11},
                      {"X", "E", "LUGO", 1},       {"10", "200IM", "CEE", 24}, {"7", "50BK", "VIGO", 19},
                      {"09", "100FR", "LUGO", 5}};
        for (const auto& award : awards)
            QVERIFY(m_db->recordAward({QString::fromLatin1(award.order), QString::fromLatin1(award.code),
                                       QStringLiteral("M"), QString::fromLatin1(award.club), award.points}));
        const Result<QList<data::EventClubPoints>> rows = m_db->pointsByEvent();
        QVERIFY(rows);
        QStringList lines;
        for (const data::EventClubPoints& row : *rows)
            lines << awardText({row.order, row.eventCode, row.gender, row.club, row.points});
        // 7 before 10; the most points first, equal ones by club; no number last.
        QCOMPARE(lines, (QStringList{QStringLiteral("7|50BK|M|VIGO|19"), QStringLiteral("7|50BK|M|LUGO|16"),
                                     QStringLiteral("09|100FR|M|LUGO|5"), QStringLiteral("10|200IM|M|CEE|24"),
                                     QStringLiteral("10|200IM|M|VIGO|24"), QStringLiteral("X|E|M|LUGO|1")}));
    }

    void pointsByEventThatAreNoNumber_data()
    {
        QTest::addColumn<QString>("points");
        QTest::addColumn<int>("number");
        QTest::newRow("a word") << "'abc'" << 13;
        QTest::newRow("a decimal comma") << "'12,5'" << 13;
        QTest::newRow("a sum past the largest number") << "1e308), ('01', 'E', 'M', 'VIGO', 1e308" << 6;
    }

    void pointsByEventThatAreNoNumber()
    {
        QFETCH(QString, points);
        QFETCH(int, number);
        if (!onFile() && number == 13)
            return; // a server's column holds numbers only
        QVERIFY(
            testsupport::runOn(path(), {QStringLiteral("INSERT INTO puntos (orde, proba, sexo, club, puntos)"
                                                       " VALUES ('01', 'E', 'M', 'VIGO', %1)")
                                            .arg(points)}));
        const Result<QList<data::EventClubPoints>> rows = m_db->pointsByEvent();
        QVERIFY(!rows);
        QCOMPARE(rows.failure().number, number);
        if (onFile()) // the award or the club is named; a server says it in its own words
            QVERIFY2(rows.failure().detail.contains(QStringLiteral("VIGO")),
                     qPrintable(rows.failure().detail));
    }

    void otherStationsChangesAreTold()
    {
        data::RegisterWatch watch(*m_db);
        QSignalSpy told(&watch, &data::RegisterWatch::changed);
        auto other = data::Database::open(path());
        QVERIFY(other);
        QVERIFY((*other)->recordAward(
            {QStringLiteral("04"), QStringLiteral("E"), QStringLiteral("M"), QStringLiteral("LUGO"), 19}));
        QVERIFY(told.wait(2000));
        // The station's own changes are not told back to it.
        told.clear();
        QVERIFY(m_db->recordAward(
            {QStringLiteral("04"), QStringLiteral("E"), QStringLiteral("M"), QStringLiteral("VIGO"), 16}));
        QVERIFY(!told.wait(600));
    }

    void emptyRegisterGivesEmptyStandings()
    {
        for (Standing which : {Standing::Men, Standing::Women, Standing::Combined})
            QVERIFY(standing(which).isEmpty());
    }

    void hundredThousandAwards()
    {
        m_db.reset();
        const QString numbers = onFile()
                                    ? QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1"
                                                     " FROM n WHERE i < 100000) ")
                                    : QStringLiteral("WITH n(i) AS (SELECT generate_series(1, 100000)) ");
        QVERIFY(testsupport::runOn(
            path(),
            {numbers + QStringLiteral("INSERT INTO puntos (orde, proba, sexo, club, puntos)"
                                      " SELECT substr('0' || (i % 40 + 1), length('0' || (i % 40 + 1)) - 1),"
                                      " '100FR', CASE i % 2 WHEN 0 THEN 'M' ELSE 'F' END, 'C' || (i % 12),"
                                      " 19 - i % 8 FROM n")}));
        reopen();
        const Result<QList<data::AwardRow>> top = m_db->awardsPage(100000, 0, 3);
        QCOMPARE(top->size(), 3);
        QCOMPARE(top->at(0).order.toString(), QStringLiteral("40"));
        QCOMPARE(top->at(0).points.toDouble(), 12.0);
        const Result<QList<data::AwardRow>> bottom = m_db->awardsPage(100000, 99998, 10);
        QCOMPARE(bottom->size(), 2);
        QCOMPARE(bottom->at(1).order.toString(), QStringLiteral("01"));
        QCOMPARE(bottom->at(1).points.toDouble(), 19.0);
        QCOMPARE(standing(Standing::Combined).size(), 12);
        QCOMPARE(*m_db->latestAwardId(), std::optional<qint64>(100000));
    }

    void lockedRegisterStoresNothing()
    {
        m_db.reset();
        auto opened = data::Database::open(path(), {200});
        QVERIFY(opened);
        m_db = std::move(opened).value();
        {
            QSqlDatabase other = testsupport::connectTo(path(), QStringLiteral("other"));
            QVERIFY(other.open());
            QSqlQuery hold(other);
            // Another program holding the register locked.
            if (onFile()) {
                QVERIFY(hold.exec(QStringLiteral("BEGIN EXCLUSIVE")));
            } else {
                QVERIFY(hold.exec(QStringLiteral("BEGIN")));
                QVERIFY(hold.exec(QStringLiteral("LOCK TABLE puntos IN ACCESS EXCLUSIVE MODE")));
            }
            const auto stored = m_db->recordAward(
                {QStringLiteral("01"), QStringLiteral("E"), QStringLiteral("M"), QStringLiteral("C"), 19});
            QVERIFY(!stored);
            QCOMPARE(stored.failure().number, 3260);
            QVERIFY(hold.exec(QStringLiteral("ROLLBACK")));
            hold.finish();
            other.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
        QVERIFY(storedRows().isEmpty());
        // Once the other program lets go, the same award goes in.
        QVERIFY(m_db->recordAward(
            {QStringLiteral("01"), QStringLiteral("E"), QStringLiteral("M"), QStringLiteral("C"), 19}));
        QCOMPARE(storedRows().size(), 1);
    }
};

// What libpq says when the server can no longer be reached, with or without a state: each
// must make the next action connect again, and nothing else may.
class TestLostServerWords : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lostConnectionsAreTold_data()
    {
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("state");
        QTest::addColumn<bool>("lost");
        QTest::newRow("network silent, cut by the timeout")
            << "could not receive data from server: Connection timed out"
            << "" << true;
        QTest::newRow("server killed") << "server closed the connection unexpectedly"
                                       << "" << true;
        QTest::newRow("connection already gone") << "no connection to the server"
                                                 << "" << true;
        QTest::newRow("send refused") << "could not send data to server: Broken pipe"
                                      << "" << true;
        QTest::newRow("server shut down by its administrator")
            << "terminating connection due to administrator command"
            << "57P01" << true;
        QTest::newRow("connection failure state") << "connection to server was lost"
                                                  << "08006" << true;
        QTest::newRow("a wrong statement") << "syntax error at or near \"FROM\""
                                           << "42601" << false;
        QTest::newRow("a lock held by another station") << "canceling statement due to lock timeout"
                                                        << "55P03" << false;
        QTest::newRow("a constraint naming a connection table")
            << "duplicate key value violates unique constraint \"connection_pkey\""
            << "23505" << false;
    }

    void lostConnectionsAreTold()
    {
        QFETCH(QString, words);
        QFETCH(QString, state);
        QFETCH(bool, lost);
        const QSqlError error(QString(), words, QSqlError::StatementError, state);
        const data::postgres::Particulars server;
        QCOMPARE(server.isConnectionLost(error), lost);
        QCOMPARE(server.failureFrom(error, {}).number == 3151, lost);
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TestLostServerWords words;
    int failures = QTest::qExec(&words, argc, argv);
    return failures + testsupport::runOnFileAndServer<TestRegister>(argc, argv);
}
#include "tst_register.moc"
