#include "handzip.h"
#include "imports/lenex.h"

#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace quilvarden;
using namespace Qt::Literals::StringLiterals;

namespace {

// A results file of a league meet: Vigo listed twice (its name with a double blank), Lugo
// by its short name only, an unattached swimmer, an event numbered 120 that has a result, one
// numbered 1000 that no meet has, and a second meet whose results stay out.
const QString results = uR"(<?xml version="1.0" encoding="UTF-8"?>
<LENEX version="3.0"><MEETS><MEET name=" Liga Galega "><SESSIONS><SESSION number="1"><EVENTS>
<EVENT eventid="1" number="1" gender="F"><SWIMSTYLE distance="100" relaycount="1" stroke="FREE"/><AGEGROUPS>
 <AGEGROUP agegroupid="10" agemin="-1" agemax="-1" name="Absoluta"><RANKINGS><RANKING place="1" resultid="101"/>
  <RANKING place="2" resultid="102"/><RANKING place="2" resultid="103"/><RANKING place="-1" resultid="104"/>
  <RANKING resultid="105"/></RANKINGS></AGEGROUP>
 <AGEGROUP agegroupid="11" agemin="12" agemax="13" name="Infantil"/>
 <AGEGROUP agegroupid="12" agemin="14" name="Xuvenil"><RANKINGS><RANKING place="x" resultid="101"/></RANKINGS></AGEGROUP>
</AGEGROUPS></EVENT>
<EVENT eventid="2" number="2" gender="X"><SWIMSTYLE distance="50" relaycount="4" stroke="MEDLEY"/></EVENT>
<EVENT eventid="3" number="120" gender="M"><SWIMSTYLE distance="50" relaycount="1" stroke="FLY"/></EVENT>
<EVENT eventid="4" number="1000" gender="M"><SWIMSTYLE distance="50" relaycount="1" stroke="FLY"/></EVENT>
</EVENTS></SESSION></SESSIONS><CLUBS>
<CLUB clubid="7" code="VIG" name="Club  Natación Vigo"><ATHLETES>
 <ATHLETE lastname="Souto" firstname="Ana"><RESULTS><RESULT resultid="101" eventid="1" swimtime="00:01:02.34"/>
  <RESULT resultid="301" eventid="3" swimtime="00:00:30.00"/></RESULTS></ATHLETE>
 <ATHLETE lastname="Pérez" firstname="Eva"><RESULTS>
  <RESULT resultid="104" eventid="1" swimtime="00:01:05.00" status=" dsq "/></RESULTS></ATHLETE></ATHLETES>
 <RELAYS><RELAY number="2"><RESULTS><RESULT resultid="201" eventid="2" swimtime="00:02:00.00"><RELAYPOSITIONS>
  <RELAYPOSITION number="1"><ATHLETE lastname="Outra" firstname="Moza"/></RELAYPOSITION></RELAYPOSITIONS></RESULT>
  <RESULT resultid="202" eventid="2" swimtime="00:01:58.00"/></RESULTS></RELAY></RELAYS></CLUB>
<CLUB code="LUG" shortname=" Lugo "><ATHLETES><ATHLETE lastname="Rey" firstname="Iria"><RESULTS>
 <RESULT resultid="102" eventid="1" swimtime="NT" status="DNS"/></RESULTS></ATHLETE></ATHLETES></CLUB>
<CLUB clubid="7" code="VIG" name="Club  Natación Vigo"><ATHLETES><ATHLETE lastname="Souto" firstname="Ana"><RESULTS>
 <RESULT resultid="103" eventid="1" swimtime="00:01:03.00" status="exh"/></RESULTS></ATHLETE></ATHLETES></CLUB>
<CLUB type="UNATTACHED" name="Sen club"><ATHLETES><ATHLETE lastname="Vila" firstname="Xoán"><RESULTS>
 <RESULT resultid="105" eventid="1" swimtime="1:3.0"/></RESULTS></ATHLETE></ATHLETES></CLUB>
</CLUBS></MEET><MEET name="Outra"><CLUBS><CLUB code="X" name="Xinzo"><ATHLETES><ATHLETE lastname="A"><RESULTS>
 <RESULT resultid="901" eventid="1"/></RESULTS></ATHLETE></ATHLETES></CLUB></CLUBS></MEET></MEETS></LENEX>)"_s;

QString described(const imports::FileSwim& s)
{
    return u"%1|%2|%3|%4|%5|%6|%7"_s.arg(s.club)
        .arg(s.clubShown, s.who, s.swimTime, s.status)
        .arg(s.relay)
        .arg(s.eventId);
}

} // namespace

// The results of a meet-management program's Lenex file.
class TestResults : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::optional<imports::FileResults> m_read;

    QString write(const QString& name, const QByteArray& contents)
    {
        QFile file(m_dir.filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(contents);
        return file.fileName();
    }

private Q_SLOTS:
    void initTestCase()
    {
        auto read = imports::readLenexResults(write(u"results.lef"_s, results.toUtf8()));
        QVERIFY2(read, qPrintable(read ? QString() : read.failure().message()));
        m_read = *read;
    }

    void theMeetIsWhatReadLenexMeetGives()
    {
        const auto meet = imports::readLenexMeet(m_dir.filePath(u"results.lef"_s));
        QVERIFY(meet);
        QCOMPARE(m_read->meet.identity.name, u"Liga Galega"_s);
        QCOMPARE(m_read->meet.notes, meet->notes);
        QCOMPARE(m_read->meet.events.size(), 3);
        QCOMPARE(m_read->leftOut.size(), 1);
        QCOMPARE(m_read->leftOut.first().number, u"1000"_s);
        for (qsizetype i = 0; i < meet->events.size(); ++i)
            QCOMPARE(m_read->meet.events[i].code, meet->events[i].code);
        QCOMPARE(m_read->meet.clubs.size(), 2);
        for (qsizetype i = 0; i < meet->clubs.size(); ++i)
            QCOMPARE(m_read->meet.clubs[i].code + m_read->meet.clubs[i].name,
                     meet->clubs[i].code + meet->clubs[i].name);
    }

    void swims_data()
    {
        QTest::addColumn<QString>("resultId");
        QTest::addColumn<QString>("expected"); // club|shown|who|time|status|relay|event
        const QString vigo = u"0|Club Natación Vigo|"_s;
        QTest::newRow("a valid swim") << "101" << vigo + u"Souto, Ana|00:01:02.34||0|1"_s;
        QTest::newRow("disqualified, status trimmed and upper-cased")
            << "104" << vigo + u"Pérez, Eva|00:01:05.00|DSQ|0|1"_s;
        QTest::newRow("did not start, no time") << "102" << u"1|Lugo|Rey, Iria|NT|DNS|0|1"_s;
        QTest::newRow("a club listed twice: the first's index")
            << "103" << vigo + u"Souto, Ana|00:01:03.00|EXH|0|1"_s;
        QTest::newRow("unattached: no club, malformed time kept")
            << "105" << u"-1|Sen club|Vila, Xoán|1:3.0||0|1"_s;
        QTest::newRow("a relay") << "201" << vigo + u"Club Natación Vigo, remuda 2|00:02:00.00||1|2"_s;
        QTest::newRow("a relay's result after a swimmer of its positions")
            << "202" << vigo + u"Club Natación Vigo, remuda 2|00:01:58.00||1|2"_s;
        QTest::newRow("an event numbered past 99") << "301" << vigo + u"Souto, Ana|00:00:30.00||0|3"_s;
    }

    void swims()
    {
        QFETCH(QString, resultId);
        QFETCH(QString, expected);
        QStringList found;
        for (const imports::FileSwim& swim : m_read->swims)
            if (swim.resultId == resultId)
                found << described(swim);
        QCOMPARE(found, QStringList{expected});
    }

    void everyResultOfTheFirstMeetOnce()
    {
        QStringList ids;
        for (const imports::FileSwim& swim : m_read->swims)
            ids << swim.resultId;
        QCOMPARE(ids, (QStringList{u"101"_s, u"301"_s, u"104"_s, u"201"_s, u"202"_s, u"102"_s, u"103"_s,
                                   u"105"_s}));
    }

    void events_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("expected"); // id|code|gender|relay|age groups (id min..max: ranking)
        QTest::newRow("age groups with and without rankings, a tie, places missing")
            << 1
            << "1|100L|F|0|10 Absoluta -1..-1: 101=1 102=2 103=2 104=-1 105=; 11 Infantil 12..13:; "
               "12 Xuvenil 14..-1: 101=x";
        QTest::newRow("a relay without age groups") << 2 << "2|4X50S|X|1|";
        QTest::newRow("number 120 in") << 120 << "3|50M|M|0|";
        QTest::newRow("number 1000 left out") << 1000 << "";
    }

    void events()
    {
        QFETCH(int, number);
        QFETCH(QString, expected);
        QStringList found;
        for (const imports::FileEvent& e : m_read->events) {
            if (e.number != number)
                continue;
            QStringList groups;
            for (const imports::FileAgeGroup& g : e.ageGroups) {
                QString group = u"%1 %2 %3..%4:"_s.arg(g.id, g.name).arg(g.minAge).arg(g.maxAge);
                for (const auto& [result, place] : g.places)
                    group += u" %1=%2"_s.arg(result).arg(place);
                groups << group;
            }
            found << u"%1|%2|%3|%4|"_s.arg(e.id, e.code, e.gender).arg(e.relay) + groups.join(u"; "_s);
        }
        QCOMPARE(found.join(u'\n'), expected);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("number");
        QTest::newRow("no file") << "none.lef" << QByteArray() << 3024;
        QTest::newRow("not Lenex") << "a.lef" << QByteArray("<html/>") << 3274;
        QTest::newRow("cut-off XML") << "b.lef" << results.toUtf8().left(900) << 3274;
        QTest::newRow("an lxf that is no zip") << "c.lxf" << results.toUtf8() << 3274;
    }

    void refusals()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, contents);
        QFETCH(int, number);
        const auto read =
            imports::readLenexResults(contents.isEmpty() ? m_dir.filePath(name) : write(name, contents));
        QVERIFY(!read);
        QCOMPARE(read.failure().number, number);
    }

    void fromBytesAsFromTheFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("contents");
        const QByteArray xml = results.toUtf8();
        QTest::newRow("a .lef") << "r.lef" << xml;
        QTest::newRow("a .lxf") << "r.lxf" << testsupport::handZip({{"r.lef", xml, 0, 8}});
        QTest::newRow("Windows-1252 that says UTF-8") << "r.lef" << results.toLatin1();
        QTest::newRow("cut-off XML") << "r.lef" << xml.left(900);
        QTest::newRow("a cut-off .lxf") << "r.lxf" << testsupport::handZip({{"r.lef", xml, 0, 8}}).left(300);
    }

    // The reading from a file's contents is the reading from the file: the same meet,
    // events, swims and notes, or the same refusal.
    void fromBytesAsFromTheFile()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, contents);
        const auto fromFile = imports::readLenexResults(write(name, contents));
        const auto fromBytes = imports::readLenexResults(contents, name);
        QCOMPARE(fromBytes.ok(), fromFile.ok());
        if (!fromFile) {
            QCOMPARE(fromBytes.failure().message(), fromFile.failure().message());
            return;
        }
        QCOMPARE(fromBytes->meet.identity.name, fromFile->meet.identity.name);
        QCOMPARE(fromBytes->meet.notes, fromFile->meet.notes);
        QCOMPARE(fromBytes->events.size(), fromFile->events.size());
        for (qsizetype i = 0; i < fromFile->events.size(); ++i)
            QCOMPARE(fromBytes->events[i].id + fromBytes->events[i].code,
                     fromFile->events[i].id + fromFile->events[i].code);
        QStringList swims[2];
        for (const auto& swim : fromFile->swims)
            swims[0] << described(swim);
        for (const auto& swim : fromBytes->swims)
            swims[1] << described(swim);
        QCOMPARE(swims[1], swims[0]);
        QCOMPARE(imports::readLenexMeet(contents, name)->clubs.size(), fromFile->meet.clubs.size());
    }

    void swimTimes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("hundredths"); // -1: none
        QTest::newRow("Lenex form") << "00:01:02.34" << qint64{6234};
        QTest::newRow("99 hours") << "99:59:59.99" << qint64{35999999};
        QTest::newRow("minutes and seconds") << "1:02.34" << qint64{6234};
        QTest::newRow("seconds alone, blanks around") << " 28.91 " << qint64{2891};
        QTest::newRow("NT") << "NT" << qint64{-1};
        QTest::newRow("empty") << "" << qint64{-1};
        QTest::newRow("60 minutes after the hours") << "00:60:00.00" << qint64{-1};
        QTest::newRow("60 seconds after the minutes") << "1:60.00" << qint64{-1};
        QTest::newRow("one digit of hundredths") << "00:00:28.9" << qint64{-1};
    }

    void swimTimes()
    {
        QFETCH(QString, text);
        QFETCH(qint64, hundredths);
        QCOMPARE(imports::lenexSwimTime(text).value_or(-1), hundredths);
    }
};

QTEST_GUILESS_MAIN(TestResults)
#include "tst_results.moc"
