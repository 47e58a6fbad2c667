#include "rules/rules.h"

#include <QTest>

using namespace quilvarden;
using namespace Qt::StringLiterals;
using Points = QList<double>;

Q_DECLARE_METATYPE(rules::MeetRules)

namespace quilvarden::rules {
// Rules that differ are shown as their JSON.
char* toString(const MeetRules& meet)
{
    return qstrdup(toJson(meet).constData());
}
} // namespace quilvarden::rules

namespace {

// A table with what follows its end and, when given, the relays' own.
rules::MeetRules table(const Points& individual, rules::After after, std::optional<Points> relay = {})
{
    rules::MeetRules made{u"t"_s, individual, after};
    made.relay = std::move(relay);
    return made;
}

// Everything a rules object can hold, none of it as a missing key gives it.
rules::MeetRules everything()
{
    rules::MeetRules made{u"Trofeo «Miño» 2026"_s, {19.5, 16, 14}, rules::After::Step};
    made.relay = Points{30, 20.5};
    made.individualScorers = 2;
    made.relayScorers = 1;
    made.ties = rules::Ties::Full;
    made.equalTotals = rules::EqualTotals::Shared;
    made.guests = {u"GAL"_s, u"Invitado B"_s};
    return made;
}

} // namespace

// The rules' points by place, their JSON and the tables the operator types.
class TestRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pointsByPlace_data()
    {
        QTest::addColumn<rules::MeetRules>("meet");
        QTest::addColumn<int>("place");
        QTest::addColumn<bool>("relay");
        QTest::addColumn<double>("points");
        const auto row = [](const char* name, const rules::MeetRules& meet, int place, bool relay,
                            double points) { QTest::newRow(name) << meet << place << relay << points; };
        const rules::MeetRules nine = *rules::preset(u"9-7-6-5-4-3-2-1"_s);
        row("9-7: first", nine, 1, false, 9);
        row("9-7: last of the table", nine, 8, false, 1);
        row("9-7: past the end", nine, 9, false, 0);
        row("9-7: relay first, doubled", nine, 1, true, 18);
        row("9-7: relay last, doubled", nine, 8, true, 2);
        row("9-7: relay past the end", nine, 9, true, 0);
        const rules::MeetRules eight = *rules::preset(u"8-7-6-5-4-3-2-1"_s);
        row("8-7: first", eight, 1, false, 8);
        row("8-7: relay second", eight, 2, true, 14);
        row("8-7: past the end", eight, 9, false, 0);
        const rules::MeetRules six = *rules::preset(u"6-4-3-2-1"_s);
        row("6-4: fifth", six, 5, false, 1);
        row("6-4: sixth", six, 6, false, 0);
        row("6-4: relay first, its own table", six, 1, true, 8);
        row("6-4: relay third", six, 3, true, 2);
        row("6-4: relay past its table", six, 4, true, 0);
        const rules::MeetRules five = *rules::preset(u"5-3-1"_s);
        row("5-3-1: second", five, 2, false, 3);
        row("5-3-1: relay second", five, 2, true, 3);
        row("5-3-1: relay third, past its table", five, 3, true, 0);
        const rules::MeetRules twenty = *rules::preset(u"20-17-16-15-14-13-12-11-9-7-6-5-4-3-2-1"_s);
        row("20-17: ninth", twenty, 9, false, 9);
        row("20-17: sixteenth", twenty, 16, false, 1);
        row("20-17: seventeenth", twenty, 17, false, 0);
        row("20-17: relay eighth", twenty, 8, true, 22);
        const rules::MeetRules liga = *rules::preset(u"liga"_s);
        row("liga: first", liga, 1, false, 19);
        row("liga: fourth", liga, 4, false, 13);
        row("liga: fifth, one less", liga, 5, false, 12);
        row("liga: sixteenth", liga, 16, false, 1);
        row("liga: seventeenth reaches zero", liga, 17, false, 0);
        row("liga: nineteenth, never below zero", liga, 19, false, 0);
        row("liga: twenty-fifth", liga, 25, false, 0);
        row("liga: relay third", liga, 3, true, 28);
        row("liga: relay sixteenth", liga, 16, true, 2);
        row("10-7 step: third, down by 3", table({10, 7}, rules::After::Step), 3, false, 4);
        row("10-7 step: fourth", table({10, 7}, rules::After::Step), 4, false, 1);
        row("10-7 step: fifth, never below zero", table({10, 7}, rules::After::Step), 5, false, 0);
        row("one place steps by one", table({5}, rules::After::Step), 3, false, 3);
        row("halves step on", table({19.5, 16}, rules::After::Step), 3, false, 12.5);
        row("relay table steps on, not doubled", table({10}, rules::After::Step, Points{8, 5}), 3, true, 2);
        row("relay table past zero", table({10}, rules::After::Step, Points{8, 5}), 4, true, 0);
        row("a flat end steps by nothing", table({5, 5}, rules::After::Step), 9, false, 5);
        row("place zero", liga, 0, false, 0);
        row("a negative place", nine, -1, true, 0);
    }

    void pointsByPlace()
    {
        QFETCH(rules::MeetRules, meet);
        QFETCH(int, place);
        QFETCH(bool, relay);
        QFETCH(double, points);
        QCOMPARE(meet.pointsFor(place, relay), points);
    }

    void presetsAsNamed()
    {
        QCOMPARE(rules::presetNames().size(), 6);
        for (const QString& name : rules::presetNames()) {
            const std::optional<rules::MeetRules> meet = rules::preset(name);
            QVERIFY2(meet, qPrintable(name));
            QCOMPARE(meet->name, name);
            QCOMPARE(meet->after, name == u"liga" ? rules::After::Step : rules::After::Zero);
            QCOMPARE(meet->scorers(false) + meet->scorers(true), 0);
            QCOMPARE(meet->ties, rules::Ties::Share);
            QCOMPARE(meet->equalTotals, rules::EqualTotals::Consecutive);
            QVERIFY(meet->guests.isEmpty());
        }
        QVERIFY(rules::preset(u" LIGA "_s) == rules::leagueRules());
        QVERIFY(!rules::preset(u"9-7-6"_s));
        QVERIFY(!rules::preset(QString()));
    }

    void refusedJson_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("named");
        const auto row = [](const char* name, const char* json, const QString& named) {
            QTest::newRow(name) << QByteArray(json) << named;
        };
        row("an unknown key", R"({"individual": [9], "bonus": 1})", u"«bonus»"_s);
        row("an unknown key of the caps", R"({"individual": [9], "scorers": {"both": 1}})",
            u"«scorers.both»"_s);
        row("no individual table", R"({"name": "x", "relay": "double"})", u"Falta «individual»"_s);
        row("an empty table", R"({"individual": []})", u"non ten ningún posto"_s);
        row("negative points", R"({"individual": [9, -1]})", u"ao posto 2"_s);
        row("points given as text", R"({"individual": [9, "7"]})", u"lista de números"_s);
        row("a rising table", R"({"individual": [5, 9]})", u"sobe no posto 2"_s);
        row("a rising relay table", R"({"individual": [9], "relay": [4, 8]})", u"remudas sobe"_s);
        row("after down", R"({"individual": [9], "after": "down"})", u"«after» ha de ser zero ou step"_s);
        row("relay triple", R"({"individual": [9], "relay": "triple"})", u"«relay»"_s);
        row("a negative cap", R"({"individual": [9], "scorers": {"individual": -1}})",
            u"«scorers.individual»"_s);
        row("half a swimmer", R"({"individual": [9], "scorers": {"relay": 1.5}})", u"«scorers.relay»"_s);
        row("a guest without a code", R"({"individual": [9], "guests": ["GAL", " "]})", u"baleiro"_s);
        row("guests as one text", R"({"individual": [9], "guests": "GAL"})", u"«guests»"_s);
        row("ties otherwise", R"({"individual": [9], "ties": "coin"})", u"«ties»"_s);
        row("not an object", "[9, 7, 6]", u"obxecto JSON"_s);
        row("not JSON", R"({"individual": [9, 7)", u"Non é JSON"_s);
        row("nothing", "", u"Non é JSON"_s);
    }

    void refusedJson()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, named);
        const Result<rules::MeetRules> read = rules::fromJson(json);
        QVERIFY(!read);
        QCOMPARE(read.failure().number, int(Failure::InvalidArgument));
        QVERIFY2(read.failure().detail.contains(named), qPrintable(read.failure().detail));
    }

    void missingKeysTakeTheirDefaults()
    {
        const Result<rules::MeetRules> read =
            rules::fromJson(R"({"individual": [9, 7], "guests": ["GAL", " gal ", "LUG"]})");
        QVERIFY2(read, qPrintable(read ? QString() : read.failure().detail));
        // Named by its table; a guest told twice, in another case, kept once.
        rules::MeetRules expected{u"9-7"_s, {9, 7}, rules::After::Zero};
        expected.guests = {u"GAL"_s, u"LUG"_s};
        QCOMPARE(*read, expected);
    }

    void throughJsonAndBack_data()
    {
        QTest::addColumn<rules::MeetRules>("meet");
        for (const QString& name : rules::presetNames())
            QTest::newRow(qPrintable(name)) << *rules::preset(name);
        QTest::newRow("everything set") << everything();
    }

    void throughJsonAndBack()
    {
        QFETCH(rules::MeetRules, meet);
        const Result<rules::MeetRules> back = rules::fromJson(rules::toJson(meet));
        QVERIFY2(back, qPrintable(back ? QString() : back.failure().detail));
        QCOMPARE(*back, meet);
    }

    void typedTables_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Points>("points");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("spaces") << u"9 7 6"_s << Points{9, 7, 6} << QString();
        QTest::newRow("dashes") << u"9-7-6"_s << Points{9, 7, 6} << QString();
        QTest::newRow("commas alone") << u"9,7,6"_s << Points{9, 7, 6} << QString();
        QTest::newRow("commas and spaces") << u"9, 7, 6"_s << Points{9, 7, 6} << QString();
        QTest::newRow("semicolons") << u"9; 7; 6"_s << Points{9, 7, 6} << QString();
        QTest::newRow("a decimal comma between dashes") << u"19,5-16"_s << Points{19.5, 16} << QString();
        QTest::newRow("a decimal point") << u" 19.5 16 "_s << Points{19.5, 16} << QString();
        QTest::newRow("a word") << u"9, x"_s << Points{} << u"«x» non é un número"_s;
        QTest::newRow("rising") << u"9 10"_s << Points{} << u"Táboa sobe no posto 2"_s;
        QTest::newRow("empty") << u"  "_s << Points{} << u"Táboa non ten ningún posto"_s;
    }

    void typedTables()
    {
        QFETCH(QString, text);
        QFETCH(Points, points);
        QFETCH(QString, refusal);
        const Result<Points> read = rules::readTable(text, u"Táboa"_s);
        QCOMPARE(read ? QString() : read.failure().detail.left(refusal.size()), refusal);
        if (read)
            QCOMPARE(*read, points);
    }

    void tablesWrittenForPeople()
    {
        QCOMPARE(rules::tableText({19.5, 16, 14}), u"19,5-16-14"_s);
        QCOMPARE(rules::tableText({0.25}), u"0,25"_s);
        // What it writes reads back the same.
        QCOMPARE(*rules::readTable(rules::tableText({19.5, 16, 0.5}), u"T"_s), (Points{19.5, 16, 0.5}));
    }

    void guestsTrimmedInAnyCase_data()
    {
        QTest::addColumn<QString>("club");
        QTest::addColumn<bool>("guest");
        QTest::newRow("as written") << u"GAL"_s << true;
        QTest::newRow("lower case, padded") << u"  gal "_s << true;
        QTest::newRow("a longer name") << u"GALP"_s << false;
        QTest::newRow("the guest's name written with spaces") << u"invitado b"_s << true;
        QTest::newRow("empty") << u"  "_s << false;
    }

    void guestsTrimmedInAnyCase()
    {
        QFETCH(QString, club);
        QFETCH(bool, guest);
        QCOMPARE(everything().isGuest(club), guest);
        QCOMPARE(rules::leagueRules().isGuest(club), false);
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
