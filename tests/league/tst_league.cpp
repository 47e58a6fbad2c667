#include "data/database.h"
#include "league/output.h"
#include "league/table.h"
#include "support/pgserver.h"
#include "support/scratchdb.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace quilvarden;
using namespace Qt::StringLiterals;

// A league of three matchdays, the third not swum yet:
//   1st: VIGO (id 101) M 9, F 7; LUGO M 7, relay X 10; OURENSE (no full name) M 6; MARIN
//        ("Club Marín") M 5, F 6; CORUÑA ("Real Club Coruña") F 9.
//   2nd: C.N. VIGO ("CN Vigo", id 101) M 9; R.C. CORUÑA ("REAL CLUB CORUNA") M 7; LUGO M 6, F 7;
//        PONTE ("Pontevedra") M 5; OURENSE B F 9; MARIN ("Club Marín Pontevedra") F 6.
// Joined: VIGO by the id, LUGO by code and short name, CORUÑA by the name alone, OURENSE by
// "same"; the two MARIN (same code and short name) kept apart.
class TestLeague : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;

    static bool makeMatchday(const QString& path, const QStringList& clubs, const QList<data::Award>& awards)
    {
        if (!data::Database::create(path) || !testsupport::runOn(path, clubs))
            return false;
        auto opened = data::Database::open(path);
        for (const data::Award& award : awards)
            if (!opened || !(*opened)->recordAward(award))
                return false;
        return true;
    }

    static data::Award award(const char* order, const char* gender, const QString& club, double points)
    {
        return {QString::fromLatin1(order), u"100FR"_s, QString::fromLatin1(gender), club, points};
    }

    static bool makeSecond(const QString& where)
    {
        const QString into = u"INSERT INTO CLUBDESC (CLUBCODE, SHORTDESC, LONGDESC, SOURCEID) VALUES "_s;
        return makeMatchday(where,
                            {into +
                             u"('CNV', 'C.N. VIGO', 'CN Vigo', '101'), ('LUG', 'LUGO', 'Club Natación "
                             u"Lugo', NULL), ('RCC', 'R.C. CORUÑA', 'REAL CLUB  CORUNA', NULL), ('PON', "
                             u"'PONTE', 'Pontevedra', NULL), ('OUB', 'OURENSE B', NULL, NULL), ('MAR', "
                             u"'MARIN', 'Club Marín Pontevedra', NULL)"_s},
                            {award("01", "M", u"C.N. VIGO"_s, 9), award("01", "M", u"R.C. CORUÑA"_s, 7),
                             award("01", "M", u"LUGO"_s, 6), award("01", "M", u"PONTE"_s, 5),
                             award("02", "F", u"OURENSE B"_s, 9), award("02", "F", u"LUGO"_s, 7),
                             award("02", "F", u"MARIN"_s, 6)});
    }

    Result<league::LeagueTable> leagueOf(const QByteArray& json)
    {
        const Result<league::LeagueFile> file = league::leagueFromJson(json, m_dir->path());
        if (!file)
            return file.failure();
        return league::buildLeague(*file);
    }

    // The second matchday's register by its name without extension (a server's: its database).
    // The second matchday's register by its name without extension (a server's: its database).
    static QByteArray leagueJson(const QByteArray& more = {}, const QByteArray& second = "xornada2.MDB",
                                 const QByteArray& secondName = "xornada2")
    {
        return "{\"name\": \"Liga Galega\", \"matchdays\": [{\"name\": \"1ª xornada\", \"register\": "
               "\"xornada1.MDB\"}, {\"name\": \"2ª xornada\", \"register\": \"" +
               second + "\"}, {\"name\": \"3ª xornada\"}], \"same\": [[\"xornada1:OUR\", \"" + secondName +
               ":OURENSE B\"]], \"apart\": [[\"1:MAR\", \"2ª xornada:MARIN\"]]" + more + "}";
    }

    // Each club's line: position, club, points by matchday ("-" not swum), total.
    static QStringList linesOf(const league::LeagueStanding& standing)
    {
        QStringList lines;
        for (const league::LeagueRow& row : standing.rows) {
            QStringList points;
            for (const std::optional<double>& each : row.points)
                points << (each ? QString::number(*each) : u"-"_s);
            lines << u"%1 %2 %3 = %4"_s.arg(row.position).arg(row.club, points.join(u' ')).arg(row.total);
        }
        return lines;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        const QString into = u"INSERT INTO CLUBDESC (CLUBCODE, SHORTDESC, LONGDESC, SOURCEID) VALUES "_s;
        QVERIFY(makeMatchday(m_dir->filePath(u"xornada1.MDB"_s),
                             {into +
                              u"('VIG', 'VIGO', 'Club Natación Vigo', '101'), ('LUG', 'LUGO', "
                              u"'Club Natación Lugo', NULL), ('OUR', 'OURENSE', NULL, ''), ('MAR', "
                              u"'MARIN', 'Club Marín', NULL), ('COR', 'CORUÑA', 'Real Club Coruña', NULL)"_s},
                             {award("01", "M", u"VIGO"_s, 9), award("01", "M", u"LUGO"_s, 7),
                              award("01", "M", u"OURENSE"_s, 6), award("01", "M", u"MARIN"_s, 5),
                              award("02", "F", u"CORUÑA"_s, 9), award("02", "F", u"VIGO"_s, 7),
                              award("02", "F", u"MARIN"_s, 6), award("03", "X", u"LUGO"_s, 10)}));
        QVERIFY(makeSecond(m_dir->filePath(u"xornada2.MDB"_s)));
    }
    void cleanup() { m_dir.reset(); }

    void standingsAddedUp_data()
    {
        QTest::addColumn<QByteArray>("more");
        QTest::addColumn<int>("standing");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("men") << QByteArray() << 0
                             << QStringList{
                                    u"1 CN Vigo 9 9 - = 18"_s,         u"2 Club Natación Lugo 7 6 - = 13"_s,
                                    u"3 REAL CLUB CORUNA 0 7 - = 7"_s, u"4 OURENSE B 6 0 - = 6"_s,
                                    u"5 Club Marín 5 0 - = 5"_s,       u"6 Pontevedra 0 5 - = 5"_s};
        QTest::newRow("women, equal totals shared")
            << QByteArray(R"(, "equal_totals": "shared", "phases": [])") << 1
            << QStringList{u"1 OURENSE B 0 9 - = 9"_s,          u"1 REAL CLUB CORUNA 9 0 - = 9"_s,
                           u"3 Club Natación Lugo 0 7 - = 7"_s, u"3 CN Vigo 7 0 - = 7"_s,
                           u"5 Club Marín 6 0 - = 6"_s,         u"5 Club Marín Pontevedra 0 6 - = 6"_s};
        QTest::newRow("combined, the relay too") << QByteArray(R"(, "equal_totals": "consecutive")") << 2
                                                 << QStringList{u"1 Club Natación Lugo 17 13 - = 30"_s,
                                                                u"2 CN Vigo 16 9 - = 25"_s,
                                                                u"3 REAL CLUB CORUNA 9 7 - = 16"_s,
                                                                u"4 OURENSE B 6 9 - = 15"_s,
                                                                u"5 Club Marín 11 0 - = 11"_s,
                                                                u"6 Club Marín Pontevedra 0 6 - = 6"_s,
                                                                u"7 Pontevedra 0 5 - = 5"_s};
    }
    void standingsAddedUp()
    {
        QFETCH(QByteArray, more);
        QFETCH(int, standing);
        QFETCH(QStringList, lines);
        const Result<league::LeagueTable> table = leagueOf(leagueJson(more));
        QVERIFY2(table, qPrintable(table ? QString() : table.failure().message()));
        QCOMPARE(table->standings.size(), 3);
        QCOMPARE(linesOf(table->standings[standing]), lines);
    }

    void clubsToCheck()
    {
        const Result<league::LeagueTable> table = leagueOf(leagueJson());
        QVERIFY(table);
        QCOMPARE(table->matchedByName.size(), 1);
        QCOMPARE(table->matchedByName[0].names,
                 (QStringList{u"1ª xornada: CORUÑA"_s, u"2ª xornada: R.C. CORUÑA"_s}));
        QStringList alone;
        for (const league::ClubCheck& check : table->oneMatchdayOnly)
            alone << check.club + u" ← "_s + check.names.join(u"; "_s);
        QCOMPARE(alone, (QStringList{u"Club Marín ← 1ª xornada: MARIN"_s,
                                     u"Club Marín Pontevedra ← 2ª xornada: MARIN"_s,
                                     u"Pontevedra ← 2ª xornada: PONTE"_s}));
    }

    void outputs()
    {
        const Result<league::LeagueTable> table = leagueOf(leagueJson());
        QVERIFY(table);
        const QStringList csv = league::asCsv(*table).split(u"\r\n"_s);
        QCOMPARE(csv.mid(0, 2),
                 (QStringList{u"Clasificación,Posición,Club,1ª xornada,2ª xornada,3ª xornada,Total"_s,
                              u"Masculina,1,CN Vigo,\"9,00\",\"9,00\",,\"18,00\""_s}));
        const QJsonObject json = QJsonDocument::fromJson(league::asJson(*table)).object();
        const QJsonObject first = json[u"standings"_s][2][u"clubs"_s][0].toObject();
        QCOMPARE(first[u"points"_s].toArray(), (QJsonArray{17, 13, QJsonValue()}));
        QCOMPARE(first[u"total"_s].toDouble(), 30.0);
        QCOMPARE(json[u"matchedByName"_s][0][u"club"_s].toString(), u"REAL CLUB CORUNA"_s);
    }

    void aMatchdayOnAServer()
    {
        testsupport::PgServer server;
        const QString why = server.start();
        QVERIFY2(why.isEmpty(), qPrintable(why));
        const QString database = server.newDatabase();
        QVERIFY(makeSecond(server.uri(database)));
        const Result<league::LeagueTable> table =
            leagueOf(leagueJson({}, server.uri(database).toUtf8(), database.toUtf8()));
        QVERIFY2(table, qPrintable(table ? QString() : table.failure().message()));
        const QStringList combined = linesOf(table->standings[2]);
        QCOMPARE(combined.size(), 7);
        QCOMPARE(combined.first(), u"1 Club Natación Lugo 17 13 - = 30"_s);
    }

    void faultsRefused_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("said");
        QTest::newRow("not JSON") << QByteArray("{\"name\": ") << u"Non é JSON"_s;
        QTest::newRow("a list") << QByteArray("[]") << u"A liga ha de ser un obxecto JSON"_s;
        QTest::newRow("an unknown key")
            << QByteArray(R"({"nome": "x"})") << u"Non se coñece a clave «nome»"_s;
        QTest::newRow("no name") << QByteArray(R"({"matchdays": []})") << u"Falta «name»."_s;
        QTest::newRow("no matchdays") << QByteArray(R"({"name": "L"})") << u"Falta «matchdays»"_s;
        QTest::newRow("matchdays empty") << QByteArray(R"({"name": "L", "matchdays": []})")
                                         << u"«matchdays» ha de ser unha lista de xornadas"_s;
        QTest::newRow("a matchday without a name")
            << QByteArray(R"({"name": "L", "matchdays": [{"register": "a.MDB"}]})")
            << u"Falta «name» na xornada 1."_s;
        QTest::newRow("a register of no text")
            << QByteArray(R"({"name": "L", "matchdays": [{"name": "A"}, {"name": "B", "register": 2}]})")
            << u"«register» na xornada 2 ha de ser un texto non baleiro."_s;
        QTest::newRow("two matchdays of one name")
            << QByteArray(R"({"name": "L", "matchdays": [{"name": "A"}, {"name": "a"}]})")
            << u"Dúas xornadas chámanse «a»."_s;
        QTest::newRow("equal totals unknown") << leagueJson(R"(, "equal_totals": "tied")")
                                              << u"«equal_totals» ha de ser \"consecutive\" ou \"shared\"."_s;
        QTest::newRow("phases") << leagueJson(R"(, "phases": [{"after": 2}])") << u"As fases aínda non"_s;
        QTest::newRow("a same of one club") << QByteArray(R"({"name": "L", "matchdays": [{"name": "A"}],
            "same": [["1:VIGO"]]})") << u"«same» ha de ser unha lista de listas"_s;
        QTest::newRow("an unknown matchday")
            << QByteArray(R"({"name": "L", "matchdays": [{"name": "A", "register": "xornada1.MDB"}],
            "same": [["2:VIGO", "A:LUGO"]]})")
            << u"A liga non ten a xornada «2» (en «2:VIGO»)."_s;
        QTest::newRow("an unknown club")
            << QByteArray(R"({"name": "L", "matchdays": [{"name": "A", "register": "xornada1.MDB"}],
            "apart": [["xornada1:VIGO", "A:PONTE"]]})")
            << u"A xornada «A» non ten o club «PONTE» (en «A:PONTE»)."_s;
        QTest::newRow("a register missing")
            << QByteArray(R"({"name": "L", "matchdays": [{"name": "A", "register": "nothere.MDB"}]})")
            << u"Xornada «A», rexistro %1: "_s;
    }
    void faultsRefused()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, said);
        const Result<league::LeagueTable> table = leagueOf(json);
        QVERIFY(!table);
        const QString expected = said.contains(u"%1"_s) ? said.arg(m_dir->filePath(u"nothere.MDB"_s)) : said;
        QVERIFY2(table.failure().detail.contains(expected), qPrintable(table.failure().detail));
    }
};

QTEST_GUILESS_MAIN(TestLeague)
#include "tst_league.moc"
