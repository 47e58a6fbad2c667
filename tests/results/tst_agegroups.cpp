#include "results/agegroups.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quilvarden;

// Who an age group or class takes in where the file gives no ranking for it.
class TestAgeGroups : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void swimmerInGroup_data()
    {
        QTest::addColumn<QString>("swimmer"); // born, gender, free class, breast class ("-": none)
        QTest::addColumn<QString>("ageDate"); // YEAR or DATE and the date; "-": none
        QTest::addColumn<QString>("event");   // event code; "relay" for a relay's swim
        QTest::addColumn<QString>("group");   // min, max, gender, class ("-": none)
        QTest::addColumn<QString>("expected");
        const QString twelveToThirteen = u"12 13 - -"_s;
        QTest::newRow("by the year: twelve in the year, though eleven on the day")
            << u"2014-12-30 F - -"_s << u"YEAR 2026-12-05"_s << u"100L"_s << twelveToThirteen << u"in"_s;
        QTest::newRow("at the date: eleven still")
            << u"2014-12-30 F - -"_s << u"DATE 2026-12-05"_s << u"100L"_s << twelveToThirteen << u"out"_s;
        QTest::newRow("at the date: twelve that day")
            << u"2014-12-05 F - -"_s << u"DATE 2026-12-05"_s << u"100L"_s << twelveToThirteen << u"in"_s;
        QTest::newRow("fourteen by the year")
            << u"2012-01-01 F - -"_s << u"YEAR 2026-12-05"_s << u"100L"_s << twelveToThirteen << u"out"_s;
        QTest::newRow("no age date") << u"2014-06-01 F - -"_s << u"-"_s << u"100L"_s << twelveToThirteen
                                     << u"unknown"_s;
        QTest::newRow("no date of birth")
            << u"- F - -"_s << u"YEAR 2026-12-05"_s << u"100L"_s << twelveToThirteen << u"unknown"_s;
        QTest::newRow("a boy in the girls' group")
            << u"2014-06-01 M - -"_s << u"YEAR 2026-12-05"_s << u"100L"_s << u"12 13 F -"_s << u"out"_s;
        QTest::newRow("a relay") << u"2014-06-01 F - -"_s << u"YEAR 2026-12-05"_s << u"relay"_s
                                 << twelveToThirteen << u"unknown"_s;
        QTest::newRow("breaststroke by the breaststroke class")
            << u"- F 6 5"_s << u"-"_s << u"100B"_s << u"-1 -1 - 5"_s << u"in"_s;
        QTest::newRow("backstroke by the free class")
            << u"- F 6 5"_s << u"-"_s << u"100E"_s << u"-1 -1 - 5"_s << u"out"_s;
        QTest::newRow("no class given")
            << u"- F - -"_s << u"-"_s << u"100E"_s << u"-1 -1 - 5"_s << u"unknown"_s;
    }

    void swimmerInGroup()
    {
        QFETCH(QString, swimmer);
        QFETCH(QString, ageDate);
        QFETCH(QString, event);
        QFETCH(QString, group);
        QFETCH(QString, expected);
        const auto given = [](const QString& text) { return text == u"-" ? QString() : text; };
        const QStringList s = swimmer.split(u' ');
        imports::FileSwim swim;
        swim.born = QDate::fromString(s[0], Qt::ISODate);
        swim.swimmerGender = s[1];
        swim.classFree = given(s[2]);
        swim.classBreast = given(s[3]);
        swim.relay = event == u"relay";
        imports::FileResults file;
        if (ageDate != u"-")
            file.ageDate = {QDate::fromString(ageDate.section(u' ', 1), Qt::ISODate),
                            ageDate.startsWith(u"YEAR")};
        const QStringList g = group.split(u' ');
        imports::FileAgeGroup ageGroup;
        ageGroup.minAge = g[0].toInt();
        ageGroup.maxAge = g[1].toInt();
        ageGroup.gender = given(g[2]);
        ageGroup.handicap = given(g[3]);
        const std::optional<bool> in = results::swimsIn(file, swim, event, ageGroup);
        QCOMPARE(in ? (*in ? u"in"_s : u"out"_s) : u"unknown"_s, expected);
    }
};

QTEST_GUILESS_MAIN(TestAgeGroups)
#include "tst_agegroups.moc"
