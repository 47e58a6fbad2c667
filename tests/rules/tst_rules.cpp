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

// The rules' points by place, their JSON and the tables the operator types.
class TestRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // "place:points" for individual events, "rplace:points" for relays.
    void pointsByPlace_data()
    {
        QTest::addColumn<rules::MeetRules>("meet");
        QTest::addColumn<QString>("places");
        const auto preset = [](const char* name, const char* places) {
            QTest::newRow(name) << *rules::preset(QString::fromLatin1(name)) << QString::fromLatin1(places);
        };
        preset("9-7-6-5-4-3-2-1", "1:9 8:1 9:0 r1:18 r8:2 r9:0");
        preset("8-7-6-5-4-3-2-1", "1:8 9:0 r2:14");
        preset("6-4-3-2-1", "5:1 6:0 r1:8 r3:2 r4:0");
        preset("5-3-1", "2:3 r1:7 r2:3 r3:0");
        preset("20-17-16-15-14-13-12-11-9-7-6-5-4-3-2-1", "9:9 16:1 17:0 r8:22");
        preset("liga", "0:0 1:19 4:13 5:12 16:1 17:0 19:0 25:0 r3:28 r16:2 r17:0");
        const auto steps = [](const char* name, const Points& table, std::optional<Points> relay,
                              const char* places) {
            rules::MeetRules meet{u"t"_s, table, rules::After::Step};
            meet.relay = std::move(relay);
            QTest::newRow(name) << meet << QString::fromLatin1(places);
        };
        steps("10-7 steps down by 3", {10, 7}, {}, "3:4 4:1 5:0 r3:8");
        steps("one place steps by one", {5}, {}, "3:3 6:0");
        steps("halves", {19.5, 16}, {}, "3:12.5");
        steps("relays' own table steps, not doubled", {10}, Points{8, 5}, "r1:8 r3:2 r4:0 2:9");
    }

    void pointsByPlace()
    {
        QFETCH(rules::MeetRules, meet);
        QFETCH(QString, places);
        for (QString place : places.split(u' ')) {
            const bool relay = place.startsWith(u'r');
            const QStringList parts = place.remove(u'r').split(u':');
            const double points = meet.pointsFor(parts[0].toInt(), relay);
            QVERIFY2(points == parts[1].toDouble(),
                     qPrintable(place + u" gave "_s + QString::number(points)));
        }
    }

    void presetsAsNamed()
    {
        QCOMPARE(rules::presetNames().size(), 6);
        for (const QString& name : rules::presetNames()) {
            rules::MeetRules plain{name, rules::preset(name)->individual};
            plain.relay = rules::preset(name)->relay;
            plain.after = name == u"liga" ? rules::After::Step : rules::After::Zero;
            QCOMPARE(*rules::preset(name), plain); // no caps, no guests, ties and totals as by default
        }
        QVERIFY(rules::preset(u" LIGA "_s) == rules::leagueRules());
        QVERIFY(!rules::preset(u"9-7-6"_s));
    }

    void refusedJson_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("named");
        const auto row = [](const char* name, const char* json, const QString& named) {
            QTest::newRow(name) << QByteArray(json) << named;
        };
        row("an unknown key", R"({"individual": [9], "bonus": 1})", u"«bonus»"_s);
        row("an unknown cap", R"({"individual": [9], "scorers": {"both": 1}})", u"«scorers.both»"_s);
        row("no individual table", R"({"relay": "double"})", u"Falta «individual»"_s);
        row("an empty table", R"({"individual": []})", u"non ten ningún posto"_s);
        row("negative points", R"({"individual": [9, -1]})", u"ao posto 2"_s);
        row("a rising table", R"({"individual": [5, 9]})", u"sobe no posto 2"_s);
        row("a rising relay table", R"({"individual": [9], "relay": [4, 8]})", u"remudas sobe"_s);
        row("after down", R"({"individual": [9], "after": "down"})", u"«after» ha de ser zero ou step"_s);
        row("a negative cap", R"({"individual": [9], "scorers": {"individual": -1}})",
            u"«scorers.individual»"_s);
        row("half a swimmer", R"({"individual": [9], "scorers": {"relay": 1.5}})", u"«scorers.relay»"_s);
        row("a guest without a code", R"({"individual": [9], "guests": ["GAL", " "]})", u"baleiro"_s);
        row("not an object", "[9, 7, 6]", u"obxecto JSON"_s);
        row("not JSON", R"({"individual": [9, 7)", u"Non é JSON"_s);
        row("a ranking of its own", R"({"individual": [9], "ranking": "best"})",
            u"«ranking» ha de ser categories ou open"_s);
    }

    void refusedJson()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, named);
        const Result<rules::MeetRules> read = rules::fromJson(json);
        QVERIFY(!read);
        QVERIFY2(read.failure().detail.contains(named), qPrintable(read.failure().detail));
    }

    void missingKeysTakeTheirDefaults()
    {
        // Named by its table; a guest told twice, in another case, kept once.
        rules::MeetRules expected{u"9-7"_s, {9, 7}};
        expected.guests = {u"GAL"_s, u"LUG"_s};
        QCOMPARE(*rules::fromJson(R"({"individual": [9, 7], "guests": ["GAL", " gal ", "LUG"]})"), expected);
    }

    void throughJsonAndBack_data()
    {
        QTest::addColumn<rules::MeetRules>("meet");
        for (const QString& name : rules::presetNames())
            QTest::newRow(qPrintable(name)) << *rules::preset(name);
        rules::MeetRules all{u"Trofeo «Miño»"_s,
                             {19.5, 16},
                             rules::After::Step,
                             Points{30, 20.5},
                             2,
                             1,
                             rules::Ties::Full,
                             rules::EqualTotals::Shared,
                             {u"GAL"_s, u"Invitado B"_s},
                             rules::Ranking::Open};
        QTest::newRow("everything set") << all;
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
        QTest::newRow("as written for people")
            << rules::tableText({19.5, 16, 0.5}) << Points{19.5, 16, 0.5} << QString();
        QTest::newRow("a word") << u"9, x"_s << Points{} << u"«x» non é un número de puntos."_s;
        QTest::newRow("rising") << u"9 10"_s << Points{} << u"T sobe no posto 2"_s;
    }

    void typedTables()
    {
        QFETCH(QString, text);
        QFETCH(Points, points);
        QFETCH(QString, refusal);
        const Result<Points> read = rules::readTable(text, u"T"_s);
        QCOMPARE(read ? QString() : read.failure().detail.left(refusal.size()), refusal);
        QCOMPARE(read ? *read : Points{}, points);
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
