#include "data/database.h"
#include "league/output.h"
#include "league/table.h"
#include "rules/rules.h"
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

    // Each group of a split standing under its name ("— Título"), or its rows undivided.
    static QStringList groupsOf(const league::LeagueStanding& standing)
    {
        QStringList lines = linesOf(standing);
        for (const league::LeagueGroup& group : standing.groups)
            lines << u"— "_s + group.name << linesOf(league::LeagueStanding{standing.which, {}, group.rows});
        return lines;
    }

    static QByteArray phaseJson(const QByteArray& phase)
    {
        return leagueJson(", \"phases\": [" + phase + "]");
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

    // A league that names no rule for equal totals ranks by its latest matchday's meet's.
    void equalTotalsByTheMeetsRules()
    {
        auto second = data::Database::open(m_dir->filePath(u"xornada2.MDB"_s));
        QVERIFY(second);
        rules::MeetRules shared = rules::leagueRules();
        shared.equalTotals = rules::EqualTotals::Shared;
        QVERIFY((*second)->setMeetRules(shared));
        const Result<league::LeagueTable> table = leagueOf(leagueJson());
        QVERIFY(table);
        QCOMPARE(linesOf(table->standings[1]).mid(0, 4),
                 (QStringList{u"1 OURENSE B 0 9 - = 9"_s, u"1 REAL CLUB CORUNA 9 0 - = 9"_s,
                              u"3 Club Natación Lugo 0 7 - = 7"_s, u"3 CN Vigo 7 0 - = 7"_s}));
        QCOMPARE(linesOf(leagueOf(leagueJson(R"(, "equal_totals": "consecutive")"))->standings[1]).at(1),
                 u"2 REAL CLUB CORUNA 9 0 - = 9"_s);
    }

    // Two matchdays of category awards: 1st: Alevín M VIGO 9, LUGO 7; Infantil F LUGO 9, VIGO 5.
    // 2nd: Infantil M LUGO 9, VIGO 6; Alevín F VIGO 8.
    void categoriesAddedUp_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<int>("standing");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("one named in another case") << u"ALEVÍN"_s << 2 << u"Clasificación Conxunta: Alevín"_s
                                                   << QStringList{u"1 VIGO 9 8 = 17"_s, u"2 LUGO 7 0 = 7"_s};
        QTest::newRow("all: the league's own first")
            << u"all"_s << 2 << u"Clasificación Conxunta"_s
            << QStringList{u"1 VIGO 14 14 = 28"_s, u"2 LUGO 16 9 = 25"_s};
        QTest::newRow("all: women of a category only the 2nd has")
            << u"all"_s << 4 << u"Clasificación Feminina: Alevín"_s << QStringList{u"1 VIGO 0 8 = 8"_s};
        QTest::newRow("all: the second category's men")
            << u"all"_s << 6 << u"Clasificación Masculina: Infantil"_s
            << QStringList{u"1 LUGO 0 9 = 9"_s, u"2 VIGO 0 6 = 6"_s};
        QTest::newRow("one no matchday has")
            << u"Benxamín"_s << 0
            << u"Ningunha xornada da liga ten a categoría «Benxamín». Teñen: Alevín, Infantil."_s
            << QStringList();
    }
    void categoriesAddedUp()
    {
        QFETCH(QString, category);
        QFETCH(int, standing);
        QFETCH(QString, heading);
        QFETCH(QStringList, lines);
        const auto in = [](const char* order, const char* gender, const QString& club, double points,
                           const QString& name) {
            data::Award each = award(order, gender, club, points);
            each.category = name;
            return each;
        };
        QVERIFY(makeMatchday(
            m_dir->filePath(u"c1.MDB"_s), {},
            {in("01", "M", u"VIGO"_s, 9, u"Alevín"_s), in("01", "M", u"LUGO"_s, 7, u"Alevín"_s),
             in("02", "F", u"LUGO"_s, 9, u"Infantil"_s), in("02", "F", u"VIGO"_s, 5, u"Infantil"_s)}));
        QVERIFY(makeMatchday(m_dir->filePath(u"c2.MDB"_s), {},
                             {in("01", "M", u"LUGO"_s, 9, u"Infantil"_s),
                              in("01", "M", u"VIGO"_s, 6, u"Infantil"_s),
                              in("02", "F", u"VIGO"_s, 8, u"Alevín"_s)}));
        const Result<league::LeagueFile> file = league::leagueFromJson(
            R"({"name": "L", "matchdays": [{"name": "A", "register": "c1.MDB"}, {"name": "B", "register": "c2.MDB"}]})",
            m_dir->path());
        QVERIFY(file);
        const bool all = category == u"all";
        const Result<league::LeagueTable> table =
            league::buildLeague(*file, data::StandingsScope{all, all ? QString() : category});
        if (lines.isEmpty()) {
            QVERIFY(!table);
            QCOMPARE(table.failure().detail, heading);
            return;
        }
        QVERIFY2(table, qPrintable(table ? QString() : table.failure().message()));
        QCOMPARE(table->standings.size(), all ? 9 : 3);
        QCOMPARE(table->standings[standing].heading, heading);
        QCOMPARE(linesOf(table->standings[standing]), lines);
        QCOMPARE(league::asCsv(*table).section(u"\r\n"_s, 0, 0),
                 u"Clasificación,Categoría,Posición,Club,A,B,Total"_s);
        const QJsonObject json = QJsonDocument::fromJson(league::asJson(*table)).object();
        QCOMPARE(json[u"categories"_s][0][u"name"_s].toString(), u"Alevín"_s);
    }

    // The 1st matchday's combined: Lugo 17, Vigo 16, Club Marín 11, Coruña 9, Ourense 6; its
    // men's: Vigo 9, Lugo 7, Ourense 6, Club Marín 5. Men's or women's standing shown as asked.
    void phasesSplit_data()
    {
        QTest::addColumn<QByteArray>("phase");
        QTest::addColumn<int>("standing");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("told");
        const QByteArray byFirst = R"({"after": "1ª xornada", "groups": [{"name": "Título", "first": 2},
            {"name": "Permanencia", "rest": true}])";
        QTest::newRow("first two, points carried") << QByteArray(byFirst + R"(, "carry": true})") << 2
                                                   << QStringList{u"— Título"_s,
                                                                  u"1 Club Natación Lugo 17 13 - = 30"_s,
                                                                  u"2 CN Vigo 16 9 - = 25"_s,
                                                                  u"— Permanencia"_s,
                                                                  u"1 REAL CLUB CORUNA 9 7 - = 16"_s,
                                                                  u"2 OURENSE B 6 9 - = 15"_s,
                                                                  u"3 Club Marín 11 0 - = 11"_s,
                                                                  u"4 Club Marín Pontevedra 0 6 - = 6"_s,
                                                                  u"5 Pontevedra 0 5 - = 5"_s}
                                                   << u"Grupos feitos tras «1ª xornada»."_s;
        QTest::newRow("first two, starting afresh")
            << QByteArray(byFirst + R"(, "carry": false})") << 2
            << QStringList{u"— Título"_s,
                           u"1 Club Natación Lugo 17 13 - = 13"_s,
                           u"2 CN Vigo 16 9 - = 9"_s,
                           u"— Permanencia"_s,
                           u"1 OURENSE B 6 9 - = 9"_s,
                           u"2 REAL CLUB CORUNA 9 7 - = 7"_s,
                           u"3 Club Marín Pontevedra 0 6 - = 6"_s,
                           u"4 Pontevedra 0 5 - = 5"_s,
                           u"5 Club Marín 11 0 - = 0"_s}
            << u"Grupos feitos tras «1ª xornada»: o total conta só as xornadas despois dela."_s;
        QTest::newRow("by positions in the men's, women's shown")
            << QByteArray(R"({"after": 1, "standing": "men", "groups": [{"name": "A", "positions": [1, 4]},
                {"name": "B", "positions": [2, 3]}, {"name": "C", "rest": true}]})")
            << 1 << QStringList{u"— A"_s,
                                u"1 CN Vigo 7 0 - = 7"_s,
                                u"2 Club Marín 6 0 - = 6"_s,
                                u"— B"_s,
                                u"1 OURENSE B 0 9 - = 9"_s,
                                u"2 Club Natación Lugo 0 7 - = 7"_s,
                                u"— C"_s,
                                u"1 REAL CLUB CORUNA 9 0 - = 9"_s,
                                u"2 Club Marín Pontevedra 0 6 - = 6"_s}
            << u"Grupos feitos tras «1ª xornada»."_s;
        QTest::newRow("after a matchday not swum yet")
            << QByteArray(R"({"after": "3ª xornada", "groups": [{"name": "A", "rest": true}]})") << 0
            << QStringList{u"1 CN Vigo 9 9 - = 18"_s,         u"2 Club Natación Lugo 7 6 - = 13"_s,
                           u"3 REAL CLUB CORUNA 0 7 - = 7"_s, u"4 OURENSE B 6 0 - = 6"_s,
                           u"5 Club Marín 5 0 - = 5"_s,       u"6 Pontevedra 0 5 - = 5"_s}
            << u"A división en grupos agarda pola xornada «3ª xornada»."_s;
    }
    void phasesSplit()
    {
        QFETCH(QByteArray, phase);
        QFETCH(int, standing);
        QFETCH(QStringList, lines);
        QFETCH(QString, told);
        const Result<league::LeagueTable> table = leagueOf(phaseJson(phase));
        QVERIFY2(table, qPrintable(table ? QString() : table.failure().message()));
        QCOMPARE(groupsOf(table->standings[standing]), lines);
        QVERIFY(league::asText(*table).split(u"\r\n"_s).contains(told));
        const QString group = lines.first().startsWith(u"— "_s) ? lines.first().mid(2) : QString();
        QCOMPARE(league::asCsv(*table).section(u"\r\n"_s, 1, 1).section(u',', 1, 1), group);
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
        QTest::newRow("a phase after no matchday")
            << phaseJson(R"({"after": 5, "groups": [{"name": "A", "rest": true}]})")
            << u"A liga non ten a xornada «5» (en «after» na fase 1)."_s;
        QTest::newRow("a group both first and rest")
            << phaseJson(R"({"after": 1, "groups": [{"name": "A", "first": 2, "rest": true}]})")
            << u"Cada grupo na fase 1 ha de ser"_s;
        QTest::newRow("a position in two groups")
            << phaseJson(
                   R"({"after": 1, "groups": [{"name": "A", "positions": [1]}, {"name": "B", "positions": [2, 1]}]})")
            << u"O posto 1 está en dous grupos na fase 1."_s;
        QTest::newRow("two groups of the rest")
            << phaseJson(
                   R"({"after": 1, "groups": [{"name": "A", "rest": true}, {"name": "B", "rest": true}]})")
            << u"Só un grupo na fase 1 pode levar «rest»."_s;
        QTest::newRow("an unknown standing")
            << phaseJson(R"({"after": 1, "standing": "mixed", "groups": [{"name": "A", "rest": true}]})")
            << u"«standing» na fase 1 ha de ser \"combined\", \"men\" ou \"women\"."_s;
        QTest::newRow("a club left out of every group")
            << phaseJson(R"({"after": 2, "groups": [{"name": "A", "first": 6}]})")
            << u"non cabe en ningún grupo: falta un grupo con «rest»."_s;
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
