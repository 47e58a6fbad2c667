#include "data/database.h"
#include "handzip.h"
#include "imports/access.h"
#include "imports/clubs.h"
#include "imports/csv.h"
#include "imports/lenex.h"
#include "imports/zipfile.h"
#include "support/scratchdb.h"
#include "support/toolrun.h"
#include "text/names.h"

#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <minizip/zip.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quilvarden;
using namespace Qt::Literals::StringLiterals;
using testsupport::handZip;
using testsupport::HandZipEntry;
using testsupport::queryRows;
using testsupport::runTool;

// Bringing the meet programme in from the meet-management program's files.
class TestImport : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString& name = QStringLiteral("quilvarden.MDB")) const
    {
        return m_dir->filePath(name);
    }
    static QString fixture(const char* name)
    {
        return QStringLiteral(QUILVARDEN_FIXTURES_DIR "/") + QString::fromLatin1(name);
    }

    QString write(const QString& name, const QByteArray& contents) const
    {
        QFile file(path(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(contents);
        return file.fileName();
    }

    QStringList meetTables(const QString& file) const
    {
        return queryRows(file, QStringLiteral(
                                   "SELECT 'E', EVENTID, XORDER, EVENTCODE, GENDERCODE, DISTANCE, SESSIONNO"
                                   " FROM EVENT ORDER BY XORDER")) +
               queryRows(file,
                         QStringLiteral("SELECT 'C', CLUBCODE, NATION FROM CLUBCHAMP ORDER BY CLUBCODE")) +
               queryRows(file,
                         QStringLiteral(
                             "SELECT 'D', CLUBCODE, SHORTDESC, LONGDESC FROM CLUBDESC ORDER BY CLUBCODE"));
    }

    // A Lenex file of one meet with one event and the given clubs; more meets and record
    // lists may follow.
    static QByteArray meetXml(const QString& clubs, const QString& moreMeets = {}, const QString& after = {})
    {
        return QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<LENEX version="3.0"><MEETS><MEET name="Trofeo"><SESSIONS><SESSION number="1"><EVENTS>
<EVENT eventid="1" number="1" gender="F"><SWIMSTYLE distance="100" relaycount="1" stroke="FREE"/></EVENT>
</EVENTS></SESSION></SESSIONS><CLUBS>%1</CLUBS></MEET>%2</MEETS>%3</LENEX>)")
            .arg(clubs, moreMeets, after)
            .toUtf8();
    }
    QString lenex(const QString& clubs, const QString& moreMeets = {}, const QString& after = {}) const
    {
        return write(QStringLiteral("meet.lef"), meetXml(clubs, moreMeets, after));
    }

    // The clubs of the meet as "CLUBCODE|SHORTDESC", after checking what the window needs of
    // them: each once in the club list, short names of 1 to 8 characters without outer
    // blanks, unique with case and accents ignored.
    QStringList clubsOfTheMeet(const QString& file) const
    {
        const QStringList clubs = queryRows(
            file,
            QStringLiteral("SELECT CLUBCODE, SHORTDESC FROM CLUBCHAMP LEFT JOIN CLUBDESC USING (CLUBCODE)"
                           " ORDER BY CLUBCODE"));
        auto database = data::Database::open(file);
        if (!database || (*database)->clubNames()->size() != clubs.size())
            return {QStringLiteral("the club list does not show each club once")};
        QSet<QString> names;
        for (const QString& club : clubs) {
            const QString name = club.section(u'|', 1);
            if (name.isEmpty() || name.toUcs4().size() > 8 || name != name.trimmed() ||
                names.contains(text::foldName(name)))
                return {QStringLiteral("bad short name: ") + club};
            names.insert(text::foldName(name));
        }
        return clubs;
    }

    // A Lenex programme of the given events (EVENT elements, each with its age groups).
    QString programme(const QString& events, const QString& name = QStringLiteral("meet.lef")) const
    {
        return write(name, QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<LENEX version="3.0"><MEETS><MEET name="Trofeo"><SESSIONS><SESSION number="1"><EVENTS>%1</EVENTS>
</SESSION></SESSIONS><CLUBS><CLUB clubid="1" code="ABC" name="Club Abc"/></CLUBS></MEET></MEETS></LENEX>)")
                               .arg(events)
                               .toUtf8());
    }
    // One event of a hundred free with these age groups.
    static QString event(int number, const QString& groups, const QString& round = {})
    {
        return uR"(<EVENT eventid="%1%3" number="%1" round="%3"><SWIMSTYLE distance="100" relaycount="1"
stroke="FREE"/><AGEGROUPS>%2</AGEGROUPS></EVENT>)"_s.arg(QString::number(number), groups, round);
    }
    static QString group(const QString& name, int from, int upTo, const QString& more = {})
    {
        return uR"(<AGEGROUP agegroupid="%1" name="%1" agemin="%2" agemax="%3" %4/>)"_s.arg(
            name, QString::number(from), QString::number(upTo), more);
    }
    static QStringList shown(const QList<data::MeetCategory>& categories)
    {
        QStringList rows;
        for (const data::MeetCategory& c : categories) {
            QStringList events;
            for (const int order : c.events)
                events << QString::number(order);
            rows << u"%1|%2|%3|%4|%5|%6"_s.arg(c.name, QString::number(c.minAge), QString::number(c.maxAge),
                                               c.gender, c.sportClass, events.join(u','));
        }
        return rows;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void cleanup() { m_dir.reset(); }

    void accessMeetArrivesExactly()
    {
        const auto run = runTool({QStringLiteral("import-mdb"), fixture("meet.mdb"), path()});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QVERIFY(run.output.contains(QStringLiteral("35 probas, 12 clubs participantes, 13 descricións")));
        const QStringList events =
            queryRows(path(), QStringLiteral("SELECT XORDER, EVENTCODE, GENDERCODE, typeof(XORDER)"
                                             " FROM EVENT ORDER BY XORDER"));
        QCOMPARE(events.size(), 35);
        QCOMPARE(events.first(), QStringLiteral("1|50FR|F|integer"));
        QVERIFY(events.contains(QStringLiteral("33|4x100FR|F|integer")));
        QVERIFY(events.contains(QStringLiteral("35|4X50MIX|X|integer")));
        QCOMPARE(queryRows(path(), QStringLiteral("SELECT COUNT(*) FROM CLUBCHAMP")),
                 QStringList{QStringLiteral("12")});
        const QStringList described =
            queryRows(path(), QStringLiteral("SELECT CLUBCODE, SHORTDESC, LONGDESC FROM CLUBDESC"));
        QCOMPARE(described.size(), 13);
        QVERIFY(described.contains(QStringLiteral("AAA|Ártabros|Club Ártabros")));
        QVERIFY(described.contains(QStringLiteral("III|Illa d'A|Illa de Arousa")));
        QVERIFY(described.contains(QStringLiteral("KKK|Miño|Ribeiras do Miño")));
        QVERIFY(described.contains(QStringLiteral("ZZZ|NotInMee|A club described but not taking part")));
        // The file has no meet table: no meet is made up for the editions to be headed by.
        QCOMPARE(queryRows(path(), QStringLiteral("SELECT COUNT(*) FROM quilvarden_programa")),
                 QStringList{QStringLiteral("0")});
    }

    // A meet table as an Access meet file may have one, under the names such tables use.
    void accessMeetTable_data()
    {
        QTest::addColumn<QVariantHash>("row");
        QTest::addColumn<QString>("expected"); // name|place|from|to
        QTest::newRow("name, city and ISO dates") << QVariantHash{{u"NAME"_s, u"Trofeo de Nadal"_s},
                                                                  {u"CITY"_s, u" Lugo "_s},
                                                                  {u"STARTDATE"_s, u"2026-12-07 00:00:00"_s},
                                                                  {u"ENDDATE"_s, u"2026-12-08 00:00:00"_s}}
                                                  << u"Trofeo de Nadal|Lugo|2026-12-07|2026-12-08"_s;
        QTest::newRow("one day, dates month first") << QVariantHash{{u"MEETNAME"_s, u"Liga"_s},
                                                                    {u"PLACE"_s, u"Vigo"_s},
                                                                    {u"STARTDATE"_s, u"03/14/26 00:00:00"_s}}
                                                    << u"Liga|Vigo|2026-03-14|2026-03-14"_s;
        QTest::newRow("only a name, the rest blank")
            << QVariantHash{{u"NAME"_s, u"Liga"_s}, {u"CITY"_s, QVariant()}, {u"STARTDATE"_s, u""_s}}
            << u"Liga|||"_s;
        QTest::newRow("columns of another kind") << QVariantHash{{u"SESSIONS"_s, 2}} << u"|||"_s;
    }
    void accessMeetTable()
    {
        QFETCH(QVariantHash, row);
        QFETCH(QString, expected);
        QHash<QString, QVariant> values;
        for (auto v = row.constBegin(); v != row.constEnd(); ++v)
            values.insert(v.key(), v.value());
        const data::MeetIdentity meet = imports::meetIdentityFromAccess({values});
        QCOMPARE(QStringList(
                     {meet.name, meet.place, meet.from.toString(Qt::ISODate), meet.to.toString(Qt::ISODate)})
                     .join(u'|'),
                 expected);
        QVERIFY(imports::meetIdentityFromAccess({}).isEmpty());
    }

    void importAgainKeepsTheAwards()
    {
        QVERIFY(runTool({QStringLiteral("demo"), path()}).status == 0);
        QVERIFY(
            testsupport::runOn(path(), {QStringLiteral("INSERT INTO puntos (orde, proba, sexo, club, puntos)"
                                                       " VALUES ('03', '100FL', 'F', 'VIGO', 19)")}));
        for (int i = 0; i < 2; ++i)
            QCOMPARE(runTool({QStringLiteral("import-mdb"), fixture("meet.mdb"), path()}).status, 0);
        QCOMPARE(queryRows(path(), QStringLiteral("SELECT COUNT(*) FROM EVENT")),
                 QStringList{QStringLiteral("35")});
        QCOMPARE(queryRows(path(), QStringLiteral("SELECT orde, club, puntos FROM puntos")),
                 QStringList{QStringLiteral("03|VIGO|19")});
    }

    void lenexMeetArrives()
    {
        const auto run = runTool({QStringLiteral("import-lenex"), fixture("meet-entries.lef"), path()});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QVERIFY(run.output.contains(QStringLiteral("35 probas, 43 clubs")));
        // The one club without a code is named as left out.
        QVERIFY(run.output.contains(QStringLiteral("unattached")));
        const QStringList events =
            queryRows(path(), QStringLiteral("SELECT XORDER, EVENTCODE, GENDERCODE FROM EVENT"
                                             " ORDER BY XORDER"));
        QCOMPARE(events.size(), 35);
        QCOMPARE(events[0], QStringLiteral("1|200L|F"));
        QCOMPARE(events[2], QStringLiteral("3|50B|F"));
        QCOMPARE(events[4], QStringLiteral("5|100E|F"));
        QCOMPARE(events[6], QStringLiteral("7|50M|F"));
        QCOMPARE(events[8], QStringLiteral("9|100S|F"));
        QCOMPARE(events[14], QStringLiteral("15|4X50S|X"));
        QCOMPARE(events[17], QStringLiteral("18|1500L|A")); // no gender given: every swimmer
        QCOMPARE(events[32], QStringLiteral("33|4X50L|X"));
        const QStringList clubs =
            queryRows(path(), QStringLiteral("SELECT SHORTDESC, LONGDESC FROM CLUBCHAMP JOIN CLUBDESC"
                                             " USING (CLUBCODE) ORDER BY CLUBCODE"));
        QCOMPARE(clubs.size(), 43);
        QSet<QString> shortNames;
        for (const QString& club : clubs) {
            const QString shortName = club.section(QLatin1Char('|'), 0, 0).toUpper();
            QVERIFY2(!shortName.isEmpty() && shortName.size() <= 8, qPrintable(club));
            QVERIFY2(!shortNames.contains(shortName), qPrintable(club));
            shortNames.insert(shortName);
        }
        QVERIFY(clubs.contains(QStringLiteral("Wädenswi|Schwimmverein Wädenswil")));
        QVERIFY(clubs.contains(QStringLiteral("Genève|Genève Natation 1885")));
        // The meet, for the editions' heading: its name, dates and town.
        QCOMPARE(queryRows(path(), QStringLiteral("SELECT nome, desde, ata, lugar FROM quilvarden_programa")),
                 QStringList{
                     QStringLiteral("Schweizerische Masters Meisterschaften|2009-09-26|2009-09-27|Nottwil")});
    }

    void lenexCategories_data()
    {
        QTest::addColumn<QString>("events");
        QTest::addColumn<QStringList>("expected");
        const QString young = group(u"10-11"_s, 10, 11) + group(u"12-13"_s, 12, 13);
        QTest::newRow("two age groups over three events, ids apart")
            << event(1, young) + event(2, young) +
                   event(3, group(u"10-11"_s, 10, 11).replace(u"\"10-11\" name"_s, u"\"9\" name"_s) +
                                group(u"12-13"_s, 12, 13))
            << QStringList{u"10-11|10|11|||1,2,3"_s, u"12-13|12|13|||1,2,3"_s};
        QTest::newRow("first appearance keeps its place")
            << event(4, group(u"12-13"_s, 12, 13)) + event(5, young)
            << QStringList{u"12-13|12|13|||4,5"_s, u"10-11|10|11|||5"_s};
        QTest::newRow("para class beside every age")
            << event(7, group(u"Absoluta"_s, -1, -1) + group(u"S9"_s, -1, -1, u"handicap=\"9\""_s))
            << QStringList{u"S9|-1|-1||9|7"_s};
        QTest::newRow("every age, written either way, and class 0")
            << event(1, group(u"Absoluta"_s, -1, -1) + group(u"Todas"_s, 0, 99, u"handicap=\"0\""_s))
            << QStringList{};
        QTest::newRow("one name is one category, its ages spanning every group's")
            << event(1, group(u"Máster"_s, 25, -1, u"gender=\"m\""_s) +
                            group(u"Máster"_s, 25, -1, u"gender=\"F\""_s)) +
                   event(2, group(u"Máster"_s, 25, 29, u"gender=\"M\""_s))
            << QStringList{u"Máster|25|-1|||1,2"_s};
        QTest::newRow("boys' and girls' groups of one name with other ages")
            << event(1, group(u"Júnior"_s, 17, 18, u"gender=\"M\""_s)) +
                   event(2, group(u"júnior"_s, 15, 16, u"gender=\"F\""_s))
            << QStringList{u"Júnior|15|18|||1,2"_s};
        QTest::newRow("unnamed groups named by what they are")
            << event(1, group(QString(), 25, 29) + group(QString(), 80, -1, u"gender=\"F\""_s) +
                            group(QString(), -1, 10) + group(QString(), -1, -1, u"handicap=\"5\""_s))
            << QStringList{u"25-29|25|29|||1"_s, u"80+|80|-1|F||1"_s, u"0-10|-1|10|||1"_s, u"5|-1|-1||5|1"_s};
        QTest::newRow("rounds sharing a number list it once")
            << event(3, group(u"Alevín"_s, -1, 10), u"PRE"_s) + event(3, group(u"Alevín"_s, -1, 10), u"FIN"_s)
            << QStringList{u"Alevín|-1|10|||3"_s};
    }
    void lenexCategories()
    {
        QFETCH(QString, events);
        QFETCH(QStringList, expected);
        const Result<imports::FileMeet> meet = imports::readLenexMeet(programme(events));
        QVERIFY2(meet, qPrintable(meet ? QString() : meet.failure().detail));
        QCOMPARE(shown(meet->categories), expected);
    }

    void categoriesListedAndReplaced()
    {
        const QString young = group(u"10-11"_s, 10, 11) + group(u"12-13"_s, 12, 13);
        auto run = runTool(
            {u"import-lenex"_s, programme(event(1, young) + event(2, young) + event(3, young)), path()});
        QVERIFY2(run.output.contains(u"\n  Categorías (2): 10-11, 12-13\n"_s),
                 qPrintable(run.output + run.errors));
        QCOMPARE(runTool({u"categories"_s, path()}).output,
                 u"10-11: idades 10-11; sexo calquera; clase ningunha; probas 1, 2, 3\n"
                 "12-13: idades 12-13; sexo calquera; clase ningunha; probas 1, 2, 3\n"_s);

        // Imported again, the programme's categories take the place of the earlier ones.
        run = runTool(
            {u"import-lenex"_s,
             programme(event(2, group(u"Máster"_s, 25, -1, u"gender=\"F\""_s)) +
                       event(4, group(u"Alevín"_s, -1, 10) + group(u"S10"_s, 12, 99, u"handicap=\"10\""_s))),
             path()});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QCOMPARE(runTool({u"categories"_s, path()}).output,
                 u"Máster: idades desde 25; sexo F; clase ningunha; probas 2\n"
                 "Alevín: idades ata 10; sexo calquera; clase ningunha; probas 4\n"
                 "S10: idades 12-99; sexo calquera; clase 10; probas 4\n"_s);
        run = runTool({u"categories"_s, path(), u"--format"_s, u"json"_s});
        QVERIFY2(run.output.contains(uR"("maxAge": null,)"_s) && run.output.contains(uR"("class": "10",)"_s),
                 qPrintable(run.output));

        // A programme without them leaves none behind.
        run = runTool({u"import-lenex"_s, programme(event(1, group(u"Absoluta"_s, -1, -1))), path()});
        QVERIFY2(run.status == 0 && !run.output.contains(u"categorías"_s), qPrintable(run.output));
        QCOMPARE(runTool({u"categories"_s, path()}).output, u"O rexistro non ten categorías.\n"_s);

        // Typed for a programme that brings none; a faulty file changes nothing.
        const auto typed = [this](const QByteArray& json) {
            QFile file(path(u"categorias.json"_s));
            file.open(QIODevice::WriteOnly | QIODevice::Truncate);
            file.write(json);
            file.close();
            return runTool({u"categories"_s, path(), u"--from"_s, file.fileName()});
        };
        run =
            typed(R"({"categories": [{"name": " Infantil ", "minAge": 13, "maxAge": 14, "events": [3, 1, 3]},
                                        {"name": "Xunior", "gender": "F"}]})");
        QCOMPARE(run.output, u"Categorías gardadas no rexistro: 2.\n"
                             "Infantil: idades 13-14; sexo calquera; clase ningunha; probas 1, 3\n"
                             "Xunior: idades todas; sexo F; clase ningunha; probas ningunha\n"_s);
        for (const char* faulty : {R"([{"name": "A", "ages": 10}])", R"([{"name": "A", "events": [0]}])",
                                   R"([{"name": "A"}, {"name": "a"}])", R"([{"events": [1]}])", "[{"})
            QVERIFY2(typed(faulty).status == 1, faulty);
        QVERIFY(runTool({u"categories"_s, path()}).output.startsWith(u"Infantil: idades 13-14"_s));
    }

    void zippedLenexGivesTheSameMeet()
    {
        QCOMPARE(runTool({QStringLiteral("import-lenex"), fixture("meet-entries.lef"),
                          path(QStringLiteral("a.MDB"))})
                     .status,
                 0);
        QCOMPARE(runTool({QStringLiteral("import-lenex"), fixture("meet-entries.lxf"),
                          path(QStringLiteral("b.MDB"))})
                     .status,
                 0);
        QCOMPARE(meetTables(path(QStringLiteral("b.MDB"))), meetTables(path(QStringLiteral("a.MDB"))));
        // And the same file again into a register that has it: nothing changes.
        QCOMPARE(runTool({QStringLiteral("import-lenex"), fixture("meet-entries.lxf"),
                          path(QStringLiteral("a.MDB"))})
                     .status,
                 0);
        QCOMPARE(meetTables(path(QStringLiteral("a.MDB"))), meetTables(path(QStringLiteral("b.MDB"))));
    }

    void roundsSharingANumberKeepTheFirst()
    {
        const QString lef = write(QStringLiteral("rounds.lef"), R"(<?xml version="1.0" encoding="UTF-8"?>
<LENEX version="3.0"><MEETS><MEET name="Liga"><SESSIONS><SESSION number="1"><EVENTS>
<EVENT eventid="10" number="1" gender="M" round="PRE"><SWIMSTYLE distance="100" relaycount="1" stroke="FLY"/></EVENT>
<EVENT eventid="11" number="1" gender="M" round="FIN"><SWIMSTYLE distance="100" relaycount="1" stroke="FLY"/></EVENT>
<EVENT eventid="12" number="2" gender="F"><SWIMSTYLE distance="400" relaycount="4" stroke="MEDLEY"/></EVENT>
</EVENTS></SESSION></SESSIONS><CLUBS>
<CLUB code="CNV" name="Real Club Náutico de Vigo" shortname="R.C.N.V."/>
<CLUB code="CNC" name="Club Natación Coruña"/><CLUB code="CNC2" name="Coruña Club"/>
</CLUBS></MEET></MEETS></LENEX>)");
        const auto run = runTool({QStringLiteral("import-lenex"), lef, path()});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QVERIFY2(run.output.contains(QStringLiteral("rolda FIN")), qPrintable(run.output));
        QCOMPARE(queryRows(path(),
                           QStringLiteral(
                               "SELECT EVENTID, XORDER, EVENTCODE, GENDERCODE FROM EVENT ORDER BY XORDER")),
                 (QStringList{QStringLiteral("10|1|100M|M"), QStringLiteral("12|2|4X400S|F")}));
        QCOMPARE(
            queryRows(path(), QStringLiteral("SELECT CLUBCODE, SHORTDESC FROM CLUBDESC ORDER BY CLUBCODE")),
            (QStringList{QStringLiteral("CNC|Coruña"), QStringLiteral("CNC2|CNC2"),
                         QStringLiteral("CNV|R.C.N.V.")}));
    }

    void lenexClubs_data()
    {
        const QString athlete = uR"(<ATHLETES><ATHLETE athleteid="%1" lastname="Souto" firstname="Ana")"
                                uR"( gender="F" birthdate="2008-01-01"/></ATHLETES>)"_s;
        const QString vigo = uR"(<CLUB code="V" name="Vigo"/>)"_s;
        QTest::addColumn<QString>("clubs");
        QTest::addColumn<QString>("moreMeets");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("says");
        QTest::newRow("a code shared by several clubs")
            << uR"(<CLUB code="0" name="Klub Pływacki Wisła Kraków"/><CLUB code="0" name="Klub Pływacki Warta Poznań"/>
                  <CLUB code="0" name="Klub Pływacki Odra Wrocław"/>)"_s
            << ""
            << "" << QStringList{u"0|Kraków"_s, u"0-2|Poznań"_s, u"0-3|Wrocław"_s} << "«0-2» en vez de «0»";
        QTest::newRow("clubs without a code")
            << uR"(<CLUB name="Club Natación Ferrol">)"_s + athlete.arg(1) +
                   uR"(</CLUB><CLUB code="LUG">)"_s + athlete.arg(2) +
                   uR"(</CLUB><CLUB type="CLUB"/><CLUB shortname="Ribeira"/>)"_s
            << ""
            << "" << QStringList{u"FERROL|Ferrol"_s, u"LUG|LUG"_s, u"RIBEIRA|Ribeira"_s}
            << "sen nome nin código";
        QTest::newRow("unattached swimmers")
            << vigo + uR"(<CLUB type="UNATTACHED" name="Unattached">)"_s + athlete.arg(1) + u"</CLUB>"_s << ""
            << "" << QStringList{u"V|Vigo"_s} << "UNATTACHED (deportistas sen club, 1 deportistas)";
        QTest::newRow("clubs of record holders")
            << vigo << ""
            << uR"(<RECORDLISTS><RECORDLIST course="LCM" gender="M"><RECORDS><RECORD swimtime="00:00:21.00">
                  <SWIMSTYLE distance="50" relaycount="1" stroke="BACK"/><ATHLETE lastname="X" firstname="Y">
                  <CLUB code="USA" name="United States"/></ATHLETE></RECORD></RECORDS></RECORDLIST></RECORDLISTS>
                  <TIMESTANDARDLISTS/>)"_s
            << QStringList{u"V|Vigo"_s} << "listas de récords";
        QTest::newRow("two meets")
            << vigo << uR"(<MEET name="Outro"><CLUBS><CLUB code="X" name="Xinzo"/></CLUBS></MEET>)"_s << ""
            << QStringList{u"V|Vigo"_s} << "2 campionatos («Trofeo», «Outro»)";
        QTest::newRow("a club listed twice")
            << uR"(<CLUB clubid="7" code="V" name="Vigo">)"_s + athlete.arg(1) +
                   uR"(</CLUB><CLUB clubid="7" code="V" name="Vigo"><RELAYS><RELAY number="1"/></RELAYS></CLUB>)"_s
            << ""
            << "" << QStringList{u"V|Vigo"_s} << "aparece 2 veces";
        QTest::newRow("one clubid on two clubs")
            << uR"(<CLUB clubid="0" code="A" name="Alfa"/><CLUB clubid="0" code="B" name="Beta"/>)"_s << ""
            << "" << QStringList{u"A|Alfa"_s, u"B|Beta"_s} << "2 clubs participantes";
        QTest::newRow("short names of the file")
            << uR"(<CLUB code="V" name="Real Club Náutico de Vigo" shortname=" RCN Vigo  "/>
                  <CLUB code="P" name="Club Natación Pontevedra" shortname="Natación Pontevedra"/>)"_s
            << ""
            << "" << QStringList{u"P|Ponteved"_s, u"V|RCN Vigo"_s} << "ten máis de 8 caracteres";
    }

    void lenexClubs()
    {
        QFETCH(QString, clubs);
        QFETCH(QString, moreMeets);
        QFETCH(QString, after);
        QFETCH(QStringList, expected);
        QFETCH(QString, says);
        const auto run = runTool({QStringLiteral("import-lenex"), lenex(clubs, moreMeets, after), path()});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QVERIFY2(run.output.contains(says), qPrintable(run.output));
        QCOMPARE(clubsOfTheMeet(path()), expected);
        QCOMPARE(queryRows(path(), QStringLiteral("SELECT EVENTCODE FROM EVENT")), QStringList{u"100L"_s});
    }

    void lenexInOtherEncodings_data()
    {
        QTest::addColumn<QByteArray>("contents");
        const QString meet =
            QStringLiteral("<LENEX version=\"3.0\"><MEETS><MEET name=\"T\"><CLUBS>"
                           "<CLUB code=\"A\" name=\"Club Natación Coruña\"/></CLUBS></MEET></MEETS></LENEX>");
        QTest::newRow("Windows-1252 called nothing") << meet.toLatin1();
        QTest::newRow("Windows-1252 called UTF-8")
            << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>") + meet.toLatin1();
        QTest::newRow("ISO-8859-1 as it says")
            << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>") + meet.toLatin1();
        QByteArray wide("\xFF\xFE");
        for (const QChar c : QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>") + meet)
            wide.append(static_cast<char>(c.unicode() & 0xFF)).append(static_cast<char>(c.unicode() >> 8));
        QTest::newRow("UTF-16") << wide;
    }

    void lenexInOtherEncodings()
    {
        QFETCH(QByteArray, contents);
        // A meet of clubs only: brought in because it is asked for.
        const auto run = runTool({QStringLiteral("import-lenex"), write(QStringLiteral("meet.lef"), contents),
                                  path(), QStringLiteral("--allow-empty")});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QCOMPARE(queryRows(path(), QStringLiteral("SELECT LONGDESC FROM CLUBDESC")),
                 QStringList{u"Club Natación Coruña"_s});
    }

    void lenexEventCodesTellEventsApart()
    {
        const auto event = [](int number, const QString& style) {
            return uR"(<EVENT eventid="%1" number="%1" gender="F"><SWIMSTYLE %2/></EVENT>)"_s.arg(number).arg(
                style);
        };
        const QString events =
            event(1, uR"(distance="25" relaycount="4" stroke="FREE")"_s) +
            event(2, uR"(distance="25" relaycount="4" stroke="FREE" technique="KICK")"_s) +
            event(3, uR"(distance="50" relaycount="1" stroke="BACK" technique="KICK")"_s) +
            event(4, uR"(distance="50" relaycount="1" stroke="FLY" technique="KICK")"_s) +
            event(5, uR"(distance="50" relaycount="1" stroke="FREE" technique="")"_s) +
            event(6, uR"(distance="25" relaycount="1" stroke="UNKNOWN" name="Braza cun brazo")"_s) +
            event(7,
                  uR"(distance="25" relaycount="1" stroke="UNKNOWN" code="XCS" name="Costas sen pernas")"_s) +
            event(8, uR"(distance="25" relaycount="1" stroke="UNKNOWN" name="Outra")"_s) +
            event(9, uR"(distance="50" relaycount="1" stroke="SURFACE")"_s) +
            event(10, uR"(distance="100" relaycount="4" stroke="MEDLEY")"_s) +
            event(11, uR"(distance="100" relaycount="4" stroke="IMRELAY")"_s) +
            event(12, uR"(distance="25" relaycount="1" stroke="UNKNOWN" name="Braza cun brazo")"_s);
        const QString file =
            write(QStringLiteral("codes.lef"),
                  QStringLiteral(
                      uR"(<LENEX version="3.0"><MEETS><MEET name="Benxamíns"><SESSIONS><SESSION number="1">
<EVENTS>%1</EVENTS></SESSION></SESSIONS><CLUBS><CLUB code="V" name="Vigo"/></CLUBS></MEET></MEETS></LENEX>)")
                      .arg(events)
                      .toUtf8());
        const auto run = runTool({QStringLiteral("import-lenex"), file, path()});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QCOMPARE(queryRows(path(), QStringLiteral("SELECT EVENTCODE FROM EVENT ORDER BY XORDER")),
                 (QStringList{u"4X25L"_s, u"4X25LP"_s, u"50EP"_s, u"50MP"_s, u"50L"_s, u"25O"_s, u"25OCS"_s,
                              u"25O2"_s, u"50AS"_s, u"4X100S"_s, u"4X100S2"_s, u"25O"_s}));
    }

    void lenexValuesNoMeetHasAreLeftOut()
    {
        const auto event = [](const QString& number, const QString& gender, const QString& style) {
            return uR"(<EVENT number="%1" gender="%2"><SWIMSTYLE %3/></EVENT>)"_s.arg(number, gender, style);
        };
        const QString free = uR"(distance="50" relaycount="1" stroke="FREE")"_s;
        const QString events =
            event(u"2"_s, u"M"_s, free) + event(u"1000"_s, u"M"_s, free) + event(u"-3"_s, u"M"_s, free) +
            event(u"4"_s, u"M"_s, uR"(distance="-100" relaycount="1" stroke="FREE")"_s) +
            event(u"5"_s, u"M"_s, uR"(distance="50" relaycount="1000000" stroke="FREE")"_s) +
            event(u"6"_s, QString(10000, u'W'), free);
        const QString file = write(
            QStringLiteral("meet.lef"),
            (uR"(<LENEX version="3.0"><MEETS><MEET><SESSIONS><SESSION number="1"><EVENTS>)"_s + events +
             uR"(</EVENTS></SESSION></SESSIONS><CLUBS><CLUB code="V" name="Vigo"/></CLUBS></MEET></MEETS></LENEX>)"_s)
                .toUtf8());
        const auto run = runTool({QStringLiteral("import-lenex"), file, path()});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QCOMPARE(queryRows(path(), QStringLiteral("SELECT XORDER, EVENTCODE FROM EVENT")),
                 QStringList{u"2|50L"_s});
        for (const QString& said :
             {u"número 1000: o número de proba só pode ir de 0 a 999"_s, u"número -3: o número de proba"_s,
              u"número 4: a distancia «-100»"_s, u"número 5: unha remuda de «1000000»"_s,
              u"número 6: o sexo «WWWWWWWWWWWWWWWWWWWW…»"_s})
            QVERIFY2(run.output.contains(said), qPrintable(said + u'\n' + run.output));
    }

    // A programme sent before the entries has events and no clubs yet: taken into a register
    // that has none, refused where it would take away the clubs or events already there.
    void whatAFileLacksIsTakenAwayOnlyWhenAskedFor_data()
    {
        QTest::addColumn<QString>("meet");
        QTest::addColumn<QString>("says");
        QTest::addColumn<QString>("lacks");
        QTest::newRow("a programme before the entries")
            << uR"(<SESSIONS><SESSION number="1"><EVENTS><EVENT number="101" gender="F"><SWIMSTYLE distance="50"
               relaycount="1" stroke="FREE"/></EVENT></EVENTS></SESSION></SESSIONS>)"_s
            << u"non trae ningún club, e importalo quitaríalle ao rexistro os 12 clubs participantes"_s
            << u"Aínda non hai clubs"_s;
        QTest::newRow("a meet with nothing in it")
            << QString()
            << u"non trae ningunha proba, e importalo quitaríalle ao rexistro as 40 probas e os 12 clubs"_s
            << u"Aínda non hai probas"_s;
    }

    void whatAFileLacksIsTakenAwayOnlyWhenAskedFor()
    {
        QFETCH(QString, meet);
        QFETCH(QString, says);
        QFETCH(QString, lacks);
        const QString file =
            write(QStringLiteral("programme.lef"),
                  uR"(<LENEX><MEETS><MEET name="Trofeo">%1</MEET></MEETS></LENEX>)"_s.arg(meet).toUtf8());
        QVERIFY(runTool({QStringLiteral("demo"), path()}).status == 0);
        const QByteArray before = testsupport::fileDigest(path());
        auto run = runTool({QStringLiteral("import-lenex"), file, path()});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.errors.contains(says) && run.errors.contains(u"--allow-empty"_s),
                 qPrintable(run.errors));
        QCOMPARE(testsupport::fileDigest(path()), before);
        // Into a register with nothing to lose, it is taken, and what it lacks is said.
        const QString fresh = path(QStringLiteral("new.MDB"));
        run = runTool({QStringLiteral("import-lenex"), file, fresh});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QVERIFY2(run.output.contains(lacks), qPrintable(run.output));
        QCOMPARE(queryRows(fresh, QStringLiteral("SELECT XORDER FROM EVENT")),
                 meet.isEmpty() ? QStringList() : QStringList{u"101"_s});
    }

    void anEmptyImportOnlyWhenAskedFor()
    {
        QVERIFY(runTool({QStringLiteral("demo"), path()}).status == 0);
        const QString empty =
            write(QStringLiteral("empty.lef"), "<LENEX><MEETS><MEET name=\"Baleiro\"/></MEETS></LENEX>");
        QCOMPARE(runTool({QStringLiteral("import-lenex"), empty, path()}).status, 1);
        QVERIFY(queryRows(path(), QStringLiteral("SELECT COUNT(*) FROM CLUBCHAMP")) != QStringList{u"0"_s});
        const auto run =
            runTool({QStringLiteral("import-lenex"), empty, path(), QStringLiteral("--allow-empty")});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QCOMPARE(
            queryRows(path(), QStringLiteral(
                                  "SELECT (SELECT COUNT(*) FROM EVENT) + (SELECT COUNT(*) FROM CLUBCHAMP)")),
            QStringList{u"0"_s});
    }

    void anAccessFileNamedLikeAnOption()
    {
        // mdb-export takes "-h..." for its help option unless it is told the file apart.
        QVERIFY(QFile::copy(fixture("meet.mdb"), path(QStringLiteral("-h.mdb"))));
        const QString before = QDir::currentPath();
        QDir::setCurrent(m_dir->path());
        // Named after the options end, it is the file; before, the tool says how to name it.
        const auto option = runTool({QStringLiteral("import-mdb"), QStringLiteral("-h.mdb"), path()});
        const auto run =
            runTool({QStringLiteral("import-mdb"), QStringLiteral("--"), QStringLiteral("-h.mdb"), path()});
        QDir::setCurrent(before);
        QCOMPARE(option.status, 2);
        QVERIFY2(option.errors.contains(u"escribe -- antes del"_s), qPrintable(option.errors));
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QCOMPARE(queryRows(path(), QStringLiteral("SELECT COUNT(*) FROM EVENT")), QStringList{u"35"_s});
    }

    void importedAgainIntoAnEarlierRegister()
    {
        // A register of an earlier import: two clubs under one code, an award for one of them.
        QVERIFY(testsupport::runOn(
            path(),
            {QStringLiteral("CREATE TABLE puntos (id INTEGER PRIMARY KEY AUTOINCREMENT, orde TEXT,"
                            " proba TEXT, sexo TEXT, club TEXT, puntos REAL)"),
             QStringLiteral("CREATE TABLE EVENT (EVENTID INTEGER, XORDER INTEGER, EVENTCODE TEXT,"
                            " GENDERCODE TEXT, DISTANCE INTEGER, SESSIONNO INTEGER)"),
             QStringLiteral("CREATE TABLE CLUBCHAMP (CLUBCODE TEXT, NATION TEXT)"),
             QStringLiteral("CREATE TABLE CLUBDESC (CLUBCODE TEXT, SHORTDESC TEXT, LONGDESC TEXT)"),
             QStringLiteral("INSERT INTO CLUBCHAMP VALUES ('0', NULL), ('0', NULL)"),
             QStringLiteral("INSERT INTO CLUBDESC VALUES ('0', 'Wisła', 'Klub Pływacki Wisła Kraków'),"
                            " ('0', 'Warta', 'Klub Pływacki Warta Poznań')"),
             QStringLiteral("INSERT INTO puntos (orde, proba, sexo, club, puntos)"
                            " VALUES ('01', '100L', 'F', 'Warta', 19)")}));
        const QString wisla = uR"(<CLUB clubid="1" code="0" name="Klub Pływacki Wisła Kraków"/>)"_s;
        auto run = runTool(
            {QStringLiteral("import-lenex"),
             lenex(wisla + uR"(<CLUB clubid="2" code="0" name="Klub Pływacki Warta Poznań"/>)"_s), path()});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QCOMPARE(clubsOfTheMeet(path()), (QStringList{u"0|Wisła"_s, u"0-2|Warta"_s}));
        QCOMPARE(
            queryRows(path(), QStringLiteral("SELECT SOURCEID, SOURCECODE FROM CLUBDESC ORDER BY CLUBCODE")),
            (QStringList{u"1|0"_s, u"2|0"_s}));

        // Warta leaves the meet with its points; a new club of Poznań under the same code
        // takes neither its code nor its name.
        run = runTool({QStringLiteral("import-lenex"),
                       lenex(wisla + uR"(<CLUB clubid="3" code="0" name="AZS Poznań" shortname="Warta"/>)"_s),
                       path()});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QCOMPARE(clubsOfTheMeet(path()), (QStringList{u"0|Wisła"_s, u"0-3|Poznań"_s}));
        QCOMPARE(
            queryRows(path(), QStringLiteral("SELECT CLUBCODE, SHORTDESC FROM CLUBDESC WHERE CLUBCODE NOT IN"
                                             " (SELECT CLUBCODE FROM CLUBCHAMP)")),
            QStringList{u"0-2|Warta"_s});
        QVERIFY2(run.output.contains(QStringLiteral("«Klub Pływacki Warta Poznań» («Warta»): xa non está")),
                 qPrintable(run.output));
    }

    void accessClubsOnceEach()
    {
        const auto row = [](const char* code, const char* shortName = nullptr, const char* name = nullptr) {
            QHash<QString, QVariant> values{{QStringLiteral("CLUBCODE"), QString::fromUtf8(code)}};
            if (shortName)
                values.insert(QStringLiteral("SHORTDESC"), QString::fromUtf8(shortName));
            if (name)
                values.insert(QStringLiteral("LONGDESC"), QString::fromUtf8(name));
            return values;
        };
        const imports::FileMeet meet = imports::meetFromAccessTables(
            {}, {row("AAA"), row("BBB"), row("AAA"), row("CCC"), row("")},
            {row("AAA", "Ártabros", "Club Ártabros"), row("AAA", "Outro", "Outro club"),
             row("BBB", "Brigantium Club", "Club Brigantium Betanzos"),
             row("ZZZ", "NotInMeet", "A club described but not taking part")});
        QCOMPARE(meet.notes.size(), 4);
        QStringList clubs;
        for (const data::MeetClub& club : imports::assignClubs(meet.clubs, {}).clubs)
            clubs << club.code.toString() + u'|' + club.shortName.toString() + u'|' +
                         club.longName.toString() + (club.takesPart ? u""_s : u" (not taking part)"_s);
        QCOMPARE(clubs,
                 (QStringList{u"AAA|Ártabros|Club Ártabros"_s, u"BBB|Briganti|Club Brigantium Betanzos"_s,
                              u"CCC|CCC|"_s,
                              u"ZZZ|NotInMee|A club described but not taking part (not taking part)"_s}));
    }

    void csvAsMdbExportWritesIt()
    {
        const auto rows = imports::parseCsv("A,B,C\r\n\"x, \"\"y\"\"\",,12\n\"\",\"line\nbreak\",-3.5\n");
        QVERIFY(rows);
        QCOMPARE(rows->size(), 3);
        QCOMPARE(rows->at(1)[0].text, QStringLiteral("x, \"y\""));
        QVERIFY(rows->at(1)[1].isNull());
        QCOMPARE(rows->at(1)[2].text, QStringLiteral("12"));
        QVERIFY(!rows->at(2)[0].isNull()); // an empty text is not a Null
        QCOMPARE(rows->at(2)[1].text, QStringLiteral("line\nbreak"));
        QVERIFY(!imports::parseCsv("\"open"));
    }

    void accessCsv_data()
    {
        QTest::addColumn<QByteArray>("events");
        QTest::addColumn<QByteArray>("takingPart");
        QTest::addColumn<QByteArray>("descriptions");
        QTest::addColumn<QString>("says"); // the refusal; empty: read
        const QByteArray events = "EVENTID,XORDER,EVENTCODE,GENDERCODE\n7,1,\"50FR\",\"F\"\n";
        const QByteArray clubs = "CLUBCODE,NATION\n\"AAA\",\"ESP\"\n";
        const QByteArray described = "CLUBCODE,SHORTDESC,LONGDESC\n\"AAA\",\"Ártabros\",\"Club Ártabros\"\n";
        QTest::newRow("as mdb-export writes it") << events << clubs << described << "";
        QTest::newRow("column names in any case")
            << "eventid,xorder,EventCode,gendercode\r\n7,1,\"50FR\",\"F\"\r\n"_ba << clubs << described << "";
        QTest::newRow("an empty table")
            << QByteArray() << clubs << described << "a táboa EVENT non se puido ler enteira";
        QTest::newRow("a quote left open") << events << clubs << "CLUBCODE,SHORTDESC\n\"AAA\",\"Ártabros\n"_ba
                                           << "a táboa CLUBDESC non se puido ler enteira";
        QTest::newRow("a column missing") << "EVENTID,EVENTCODE,GENDERCODE\n7,\"50FR\",\"F\"\n"_ba << clubs
                                          << described << "falta a columna XORDER na táboa EVENT";
        QTest::newRow("a row short of a column") << events << "CLUBCODE,NATION\n\"AAA\"\n"_ba << described
                                                 << "unha fila da táboa CLUBCHAMP non ten 2 columnas";
    }

    // The CSV of mdb-export, read as the import reads it: refused naming the file and the
    // table, or read with its numbers as numbers and its texts as texts.
    void accessCsv()
    {
        QFETCH(QByteArray, events);
        QFETCH(QByteArray, takingPart);
        QFETCH(QByteArray, descriptions);
        QFETCH(QString, says);
        const auto meet = imports::meetFromAccessCsv({events, takingPart, descriptions}, u"/x/meet.mdb"_s);
        if (!says.isEmpty()) {
            QVERIFY(!meet);
            QCOMPARE(meet.failure().number, 3274);
            QCOMPARE(meet.failure().detail, u"meet.mdb: "_s + says + u'.');
            return;
        }
        QVERIFY(meet);
        QCOMPARE(meet->events.size(), 1);
        QCOMPARE(meet->events[0].order, QVariant(qlonglong{1}));
        QCOMPARE(meet->events[0].code, QVariant(u"50FR"_s));
        QCOMPARE(meet->clubs.size(), 1);
        QCOMPARE(meet->clubs[0].code + u'|' + meet->clubs[0].shortName + u'|' +
                     meet->clubs[0].nation.toString(),
                 u"AAA|Ártabros|ESP"_s);
    }

    void failuresLeaveTheRegisterAsItWas_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("says");
        QTest::newRow("missing Access file") << "import-mdb"
                                             << "nowhere.mdb" << 3024 << "Non existe";
        QTest::newRow("text as Access file") << "import-mdb"
                                             << "text:hello" << 3274 << "Access";
        QTest::newRow("truncated Access file") << "import-mdb"
                                               << "truncated:meet.mdb" << 3078 << "falta a táboa EVENT";
        QTest::newRow("a pipe as Access file") << "import-mdb"
                                               << "fifo:" << 3274 << "non é un ficheiro normal";
        QTest::newRow("missing Lenex file") << "import-lenex"
                                            << "nowhere.lef" << 3024 << "Non existe";
        QTest::newRow("not XML") << "import-lenex"
                                 << "text:orde;proba" << 3274 << "XML";
        QTest::newRow("truncated XML") << "import-lenex"
                                       << "truncated:meet-entries.lef" << 3274 << "cortado";
        QTest::newRow("XML but not Lenex") << "import-lenex"
                                           << "text:<html><body/></html>" << 3274 << "Lenex";
        QTest::newRow("record lists only")
            << "import-lenex"
            << "text:<LENEX version=\"3.0\"><RECORDLISTS/></LENEX>" << 3274 << "só ten listas de récords";
        QTest::newRow("a zip bomb") << "import-lenex"
                                    << "bomb:" << 3274 << "máis de 100 MB";
        QTest::newRow("a pipe as Lenex file") << "import-lenex"
                                              << "fifo:" << 3274 << "non é un ficheiro normal";
        QTest::newRow("lxf that is no zip") << "import-lenex"
                                            << "lxf:meet-entries.lef" << 3274 << "zip";
        QTest::newRow("cut-off lxf") << "import-lenex"
                                     << "truncated:meet-entries.lxf" << 3274 << "zip";
    }

    void failuresLeaveTheRegisterAsItWas()
    {
        QFETCH(QString, command);
        QFETCH(QString, source);
        QFETCH(int, number);
        QFETCH(QString, says);
        QString file = path(source);
        const QString kind = source.section(QLatin1Char(':'), 0, 0);
        const QString rest = source.section(QLatin1Char(':'), 1);
        const QString extension = command == u"import-mdb" ? QStringLiteral(".mdb") : QStringLiteral(".lef");
        if (kind == u"text") {
            file = write(QStringLiteral("source") + extension, rest.toUtf8());
        } else if (kind == u"truncated") {
            QFile original(fixture(rest.toLatin1().constData()));
            QVERIFY(original.open(QIODevice::ReadOnly));
            file = write(QStringLiteral("source.") + QFileInfo(rest).suffix(),
                         original.read(original.size() / 3));
        } else if (kind == u"fifo") {
            file = path(QStringLiteral("source") + extension);
            QVERIFY(mkfifo(QFile::encodeName(file).constData(), 0600) == 0);
        } else if (kind == u"bomb") {
            // 101 MB of blanks, zipped into a tenth of a megabyte.
            file = path(QStringLiteral("source.lxf"));
            zipFile zip = zipOpen64(QFile::encodeName(file).constData(), APPEND_STATUS_CREATE);
            QVERIFY(zip);
            QVERIFY(zipOpenNewFileInZip64(zip, "meet.lef", nullptr, nullptr, 0, nullptr, 0, nullptr,
                                          Z_DEFLATED, Z_BEST_COMPRESSION, 1) == ZIP_OK);
            const QByteArray blanks(1024 * 1024, ' ');
            for (int i = 0; i < 101; ++i)
                QVERIFY(zipWriteInFileInZip(zip, blanks.constData(), static_cast<unsigned>(blanks.size())) ==
                        ZIP_OK);
            QVERIFY(zipCloseFileInZip(zip) == ZIP_OK && zipClose(zip, nullptr) == ZIP_OK);
        } else if (kind == u"lxf") {
            QFile original(fixture(rest.toLatin1().constData()));
            QVERIFY(original.open(QIODevice::ReadOnly));
            file = write(QStringLiteral("source.lxf"), original.readAll());
        }
        // Into a register that holds a meet and an award, and into none at all.
        QVERIFY(runTool({QStringLiteral("demo"), path()}).status == 0);
        QVERIFY(testsupport::runOn(path(), {QStringLiteral("INSERT INTO puntos (orde) VALUES ('01')")}));
        const QByteArray before = testsupport::fileDigest(path());
        auto run = runTool({command, file, path()});
        QCOMPARE(run.status, 1);
        // The import file named, under a number that says what is wrong with it.
        QVERIFY2(run.errors.contains(QStringLiteral("Erro %1: ").arg(number)) && run.errors.contains(says) &&
                     run.errors.contains(QFileInfo(file).fileName()),
                 qPrintable(run.errors));
        QCOMPARE(testsupport::fileDigest(path()), before);
        run = runTool({command, file, path(QStringLiteral("new.MDB"))});
        QCOMPARE(run.status, 1);
        QVERIFY(!QFile::exists(path(QStringLiteral("new.MDB"))));
    }

    void zipEntryNames_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<bool>("utf8Flag");
        QTest::addColumn<QByteArray>("extra");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("codePage");
        const QByteArray coruna437("Coru\xA4"
                                   "a.lef");
        // Info-ZIP's Unicode path field: id 0x7075, size, version 1, the checksum of a name, the name.
        const auto unicodePath = [](const QByteArray& of, const QByteArray& name) {
            return testsupport::littleEndian(0x7075, 2) +
                   testsupport::littleEndian(static_cast<quint64>(5 + name.size()), 2) + '\x01' +
                   testsupport::littleEndian(
                       crc32(0, reinterpret_cast<const Bytef*>(of.constData()), static_cast<uInt>(of.size())),
                       4) +
                   name;
        };
        QTest::newRow("marked UTF-8") << "Coru\xC3\xB1"
                                         "a.lef"_ba
                                      << true << QByteArray() << u"Coruña.lef"_s << "";
        QTest::newRow("UTF-8 not marked") << "Coru\xC3\xB1"
                                             "a.lef"_ba
                                          << false << QByteArray() << u"Coruña.lef"_s << "";
        QTest::newRow("Windows-1252") << "Nataci\xF3n Coru\xF1"
                                         "a.lef"_ba
                                      << false << QByteArray() << u"Natación Coruña.lef"_s << "Windows-1252";
        QTest::newRow("Windows-1252 á, which CP437 reads as ß")
            << "M\xE1laga.lef"_ba << false << QByteArray() << u"Málaga.lef"_s << "Windows-1252";
        QTest::newRow("CP437") << "Nataci\xA2n " + coruna437 << false << QByteArray()
                               << u"Natación Coruña.lef"_s << "CP437";
        QTest::newRow("CP437 É, which Windows-1252 leaves undefined")
            << "\x90XITO.lef"_ba << false << QByteArray() << u"ÉXITO.lef"_s << "CP437";
        QTest::newRow("Info-ZIP Unicode path field") << coruna437 << false
                                                     << unicodePath(coruna437, "Coru\xC3\xB1"
                                                                               "a.lef")
                                                     << u"Coruña.lef"_s << "";
        QTest::newRow("a Unicode path field of another name")
            << coruna437 << false << unicodePath("Outro.lef", "Outro.lef") << u"Coruña.lef"_s << "CP437";
        QTest::newRow("248 characters of three bytes")
            << QString(244, u'€').toUtf8() + ".lef" << true << QByteArray() << QString(244, u'€') + u".lef"_s
            << "";
    }

    void zipEntryNames()
    {
        QFETCH(QByteArray, raw);
        QFETCH(bool, utf8Flag);
        QFETCH(QByteArray, extra);
        QFETCH(QString, name);
        QFETCH(QString, codePage);
        QString readIn = u"?"_s;
        QCOMPARE(imports::zipEntryName(raw, utf8Flag, extra, &readIn), name);
        QCOMPARE(readIn, codePage);
    }

    void lxfFiles_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("says");
        const QByteArray lef = meetXml(uR"(<CLUB code="V" name="Vigo"/>)"_s);
        const QString imported = u"1 probas, 1 clubs participantes"_s;
        const HandZipEntry meet{"meet.lef", lef, 0, 8};
        const HandZipEntry second{"b.lef", lef, 0, 8};
        HandZipEntry zip64 = meet;
        zip64.zip64 = true;
        HandZipEntry badChecksum{"meet.lef", lef};
        badChecksum.crc = 1234;
        const auto zip = [](const QList<HandZipEntry>& entries) { return handZip(entries); };
        const QByteArray whole = zip({meet});
        QByteArray damaged = whole;
        damaged.replace(40, 12, QByteArray(12, '\xFF'));
        QByteArray badIndex = whole;
        badIndex.replace(badIndex.indexOf("PK\x01\x02"), 4, "PK\x01\x03");

        QTest::newRow("a name of 600 bytes")
            << zip({{QByteArray(596, 'a') + ".lef", lef, 0, 8}}) << "m.lxf" << 0 << imported;
        QTest::newRow("ZIP64 sizes and offsets") << zip({zip64}) << "m.lxf" << 0 << imported;
        QTest::newRow("sizes after the data") << zip({{"meet.lef", lef, 8, 8}}) << "m.lxf" << 0 << imported;
        QTest::newRow("stored") << zip({{"meet.lef", lef}}) << "m.lxf" << 0 << imported;
        QTest::newRow("macOS attributes first")
            << zip({{"__MACOSX/._meet.lef", "\x00\x05\x16\x07"_ba}, meet}) << "m.lxf" << 0 << imported;
        QTest::newRow("a folder x.lef first, marked only by its attribute")
            << zip({{"x.lef", {}, 0, 0, 0x10}, {"x.lef/meet.lef", lef}}) << "m.lxf" << 0 << imported;
        QTest::newRow("several .lef: the first is read, and said")
            << zip({meet, {"b.lef", "<html/>"}}) << "m.lxf" << 0 << u"lese só o primeiro, «meet.lef»"_s;
        QTest::newRow("a name in Windows-1252, said") << zip({{"Nataci\xF3n.lef", lef}, second}) << "m.lxf"
                                                      << 0 << u"«Natación.lef» (nome lido en Windows-1252)"_s;
        QTest::newRow("a name in CP437, said") << zip({{"Coru\xA4"
                                                        "a.lef",
                                                        lef},
                                                       second})
                                               << "m.lxf" << 0 << u"«Coruña.lef» (nome lido en CP437)"_s;
        QTest::newRow("a name of 248 characters of three bytes, cut in messages")
            << zip({{QString(244, u'€').toUtf8() + ".lef", lef, 0x800}, second}) << "m.lxf" << 0
            << u"lese só o primeiro, «"_s + QString(80, u'€') + u"…»."_s;

        QTest::newRow("bzip2")
            << zip({{"meet.lef", lef, 0, 12}}) << "m.lxf" << 1
            << u"«meet.lef» que leva dentro está comprimido con bzip2 (método 12 do zip)"_s;
        QTest::newRow("LZMA") << zip({{"meet.lef", lef, 2, 14}}) << "m.lxf" << 1
                              << u"con LZMA (método 14 do zip)"_s;
        QTest::newRow("a method without a name")
            << zip({{"meet.lef", lef, 0, 19}}) << "m.lxf" << 1 << u"co método 19 do zip"_s;
        QTest::newRow("a password") << zip({{"meet.lef", lef, 1, 8}}) << "m.lxf" << 1
                                    << u"«meet.lef» que leva dentro está protexido con contrasinal"_s;
        QTest::newRow("a password, AES")
            << zip({{"meet.lef", lef, 1, 99}}) << "m.lxf" << 1 << u"protexido con contrasinal"_s;
        QTest::newRow("cut off in the index")
            << whole.left(whole.size() - 30) << "m.lxf" << 1 << u"o .lxf está cortado: a copia non rematou"_s;
        QTest::newRow("cut off in the .lef")
            << whole.left(whole.size() / 2) << "m.lxf" << 1 << u"o .lxf está cortado: a copia non rematou"_s;
        QTest::newRow("no byte") << QByteArray() << "m.lxf" << 1 << u"o .lxf está baleiro (0 bytes)"_s;
        QTest::newRow("a zip of nothing") << zip({}) << "m.lxf" << 1 << u"é un zip sen ningún ficheiro"_s;
        QTest::newRow("the last part of a split zip")
            << handZip({meet}, 1) << "m.lxf" << 1 << u"é unha parte dun zip partido en varios ficheiros"_s;
        QTest::newRow("a damaged index") << badIndex << "m.lxf" << 1 << u"o índice do zip"_s;
        QTest::newRow("a damaged .lef")
            << damaged << "m.lxf" << 1 << u"«meet.lef» que leva dentro está danado ou cortado"_s;
        QTest::newRow("a wrong checksum")
            << zip({badChecksum}) << "m.lxf" << 1 << u"está danado ou cortado"_s;
        QTest::newRow("only a folder x.lef") << zip({{"x.lef/", {}}, {"x.lef/meet.xml", lef}}) << "m.lxf" << 1
                                             << u"ningún ficheiro .lef: «x.lef/» é un cartafol"_s;
        QTest::newRow("no .lef, the files named")
            << zip({{"meet.xml", lef},
                    {"l\xC3\xA9"
                     "eme.txt",
                     "?", 0x800}})
            << "m.lxf" << 1 << u"ningún ficheiro .lef (leva «meet.xml», «léeme.txt»)"_s;
        QTest::newRow("Lenex not compressed, named .lxf")
            << lef << "m.lxf" << 1 << u"sen comprimir (XML), non un zip"_s;
        QTest::newRow("a zip named .lef")
            << whole << "m.lef" << 1 << u"é un ficheiro zip (un Lenex comprimido)"_s;
    }

    // Zipped Lenex files of every kind: read as they were meant, or refused (error 3274,
    // the file named) for what is really wrong with them, and no register made.
    void lxfFiles()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, name);
        QFETCH(int, status);
        QFETCH(QString, says);
        const auto run = runTool({QStringLiteral("import-lenex"), write(name, contents), path()});
        QCOMPARE(run.status, status);
        if (status == 0) {
            QVERIFY2(run.output.contains(says), qPrintable(run.output));
            QCOMPARE(queryRows(path(), QStringLiteral("SELECT XORDER, EVENTCODE FROM EVENT")),
                     QStringList{u"1|100L"_s});
            return;
        }
        QVERIFY2(run.errors.contains(name + u": Erro 3274: "_s) &&
                     run.errors.contains(u"\n"_s + name + u": "_s) && run.errors.contains(says),
                 qPrintable(run.errors));
        QVERIFY(!QFile::exists(path()));
    }

    void namesOnTheCommandLine_data()
    {
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("says");
        const QByteArray twoBytes = QString(121, u'ñ').toUtf8();
        QTest::newRow("a register name of 247 bytes")
            << "m.lef"_ba << QByteArray(243, 'b') + ".MDB" << 0 << u"Importadas"_s;
        QTest::newRow("a register name of 247 bytes, letters of two")
            << "m.lef"_ba << twoBytes + "a.MDB" << 0 << u"Importadas"_s;
        QTest::newRow("a register name of 248 bytes") << "m.lef"_ba << QByteArray(244, 'b') + ".MDB" << 1
                                                      << u"O nome do ficheiro é longo de máis (248 bytes)"_s;
        QTest::newRow("a Lenex name of 255 bytes") << QByteArray(251, 'a') + ".lef"
                                                   << "r.MDB"_ba << 0 << u"Importadas"_s;
        QTest::newRow("a Lenex name in Latin-1") << "Nataci\xF3n.lef"_ba
                                                 << "r.MDB"_ba << 1 << u"/Natación.lef: Erro 3051"_s;
        QTest::newRow("a register name in Latin-1") << "m.lef"_ba
                                                    << "R\xE9.MDB"_ba << 1 << u"/Ré.MDB: Erro 3051"_s;
    }

    // Names as the shell passes them, in any bytes: long ones work as long as the register's
    // journal fits beside it (and leave no temporary file behind), and names the program
    // cannot open for not being UTF-8 are refused, shown as they were meant.
    void namesOnTheCommandLine()
    {
        QFETCH(QByteArray, source);
        QFETCH(QByteArray, target);
        QFETCH(int, status);
        QFETCH(QString, says);
        const QByteArray folder = QFile::encodeName(m_dir->path()) + '/';
        const int file = ::open((folder + source).constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        QVERIFY(file >= 0);
        const QByteArray lef = meetXml(uR"(<CLUB code="V" name="Vigo"/>)"_s);
        QCOMPARE(::write(file, lef.constData(), static_cast<size_t>(lef.size())), lef.size());
        ::close(file);
        // The shell makes the bytes from octal escapes: QProcess would pass them on as UTF-8.
        const auto escaped = [&folder](const QByteArray& name) {
            QString text;
            for (const char c : folder + name)
                text += static_cast<uchar>(c) < 0x80 ? QString(QLatin1Char(c))
                                                     : u"\\0"_s + QString::number(static_cast<uchar>(c), 8);
            return text;
        };
        for (int run = 0; run < (status == 0 ? 2 : 1); ++run) {
            QProcess process;
            process.start(
                u"/bin/sh"_s,
                {u"-c"_s, uR"sh(exec "$0" import-lenex "$(printf %b "$1")" "$(printf %b "$2")")sh"_s,
                 QStringLiteral(QUILVARDEN_BIN_DIR "/quilvarden-db"), escaped(source), escaped(target)});
            QVERIFY(process.waitForFinished(60000));
            const QString said =
                QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
            QCOMPARE(process.exitCode(), status);
            QVERIFY2(said.contains(says), qPrintable(said));
        }
        // The Lenex file and the register made, nothing else: no temporary file, no register
        // under another name.
        // (Qt lists no name that is not UTF-8, nor removes it.)
        int made = 0;
        DIR* listing = ::opendir(folder.constData());
        QVERIFY(listing);
        while (const dirent* entry = ::readdir(listing))
            made += std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0 ? 1 : 0;
        ::closedir(listing);
        QCOMPARE(::unlink((folder + source).constData()), 0);
        QCOMPARE(made, status == 0 ? 2 : 1);
    }
};

QTEST_GUILESS_MAIN(TestImport)
#include "tst_import.moc"
