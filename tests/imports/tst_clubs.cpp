#include "imports/clubs.h"

#include <QTest>

using namespace quilvarden;
using imports::FileClub;
using namespace Qt::Literals::StringLiterals;

namespace {

FileClub club(const QString& code, const QString& name, const QString& shortName = {}, const QString& id = {})
{
    return {id, code, name, shortName, {}, true};
}

// Each club as "CODE|SHORT NAME", with "-" after it for a club off the club list.
QStringList codesAndNames(const imports::ClubAssignment& assignment)
{
    QStringList rows;
    for (const data::MeetClub& c : assignment.clubs)
        rows << c.code.toString() + u'|' + c.shortName.toString() +
                    (c.takesPart ? QString() : QStringLiteral("-"));
    return rows;
}

// The register as an import would leave it, with awards under the given names.
data::RegisteredMeet registerOf(const imports::ClubAssignment& assignment, const QStringList& awarded = {})
{
    return {assignment.clubs, awarded};
}

} // namespace

// Codes and short names for the clubs of an import file.
class TestClubs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shortNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("fileShortName");
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("shortName");
        const QStringList none;
        QTest::newRow("the town") << "Club Natación Ourense"
                                  << "" << none << "Ourense";
        QTest::newRow("cut to eight") << "Club Natación Pontevedra"
                                      << "" << none << "Ponteved";
        QTest::newRow("number and initials skipped") << "TSV 1862 Erding"
                                                     << "" << none << "Erding";
        QTest::newRow("taken: the word before") << "SC Winterthur Delfino"
                                                << "" << QStringList{QStringLiteral("DELFINO")} << "Winterth";
        QTest::newRow("all generic: the initials") << "Aquatic Masters Team"
                                                   << "" << none << "AMT";
        QTest::newRow("small words are no name") << "Schwimmverein von 1896"
                                                 << "" << none << "SV";
        QTest::newRow("whole name that fits") << "CN A"
                                              << "" << none << "CN A";
        QTest::newRow("all taken: a number") << "Lugo"
                                             << "" << QStringList{QStringLiteral("Lugo")} << "Lugo2";
        QTest::newRow("long and taken")
            << "Santiago"
            << "" << QStringList{QStringLiteral("Santiago"), QStringLiteral("Santiag2")} << "Santiag3";
        QTest::newRow("taken ignoring case and accents")
            << "Coruña"
            << "" << QStringList{QStringLiteral("CORUNA")} << "Coruña2";
        QTest::newRow("taken: ß as ss") << "Straße"
                                        << "" << QStringList{QStringLiteral("STRASSE")} << "Straße2";
        QTest::newRow("own name in quotes, Cyrillic") << "Спортивный клуб плавания «Дельфин» Москва"
                                                      << "" << none << "Дельфин";
        QTest::newRow("small words skipped, Cyrillic") << "Школа олимпийского резерва по видам спорта Москва"
                                                       << "" << none << "Москва";
        QTest::newRow("cut between whole characters: a letter with its mark")
            << QStringLiteral("Abcdefgq\u0303z") << "" << none << "Abcdefg";
        QTest::newRow("cut between whole characters: a surrogate pair")
            << QStringLiteral("Abcdefg\U0001D518h") << "" << none << QStringLiteral("Abcdefg\U0001D518");
        QTest::newRow("a script without blanks") << "東京スイミングクラブ"
                                                 << "" << none << "東京スイミングク";
        QTest::newRow("direction and control characters dropped")
            << QStringLiteral("Club Natación \u202ELugo\n") << "" << none << "Lugo";
        QTest::newRow("the file's short name") << "Real Club Náutico de Vigo"
                                               << "R.C.N.V." << none << "R.C.N.V.";
        QTest::newRow("the file's short name trimmed") << "Club Natación Vigo"
                                                       << "  CN  Vigo " << none << "CN Vigo";
        QTest::newRow("the file's short name too long") << "Club Natación Pontevedra"
                                                        << "Natación Pontevedra" << none << "Ponteved";
        QTest::newRow("the file's short name taken")
            << "Club Natación Lugo"
            << "CN Lugo" << QStringList{QStringLiteral("cn lugo")} << "Lugo";
        QTest::newRow("no name at all") << ""
                                        << "" << none << "Club";
        QTest::newRow("a cut name leaves no quote open")
            << "СДЮШОР \"Смена\""
            << "" << QStringList{u"Смена"_s, u"СДЮШОР"_s, u"СС"_s} << "Смена2";
    }

    void shortNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, fileShortName);
        QFETCH(QStringList, taken);
        QFETCH(QString, shortName);
        const auto assignment = imports::assignClubs({club({}, name, fileShortName)}, {{}, taken});
        QCOMPARE(assignment.clubs.size(), 1);
        QCOMPARE(assignment.clubs[0].shortName.toString(), shortName);
    }

    void clubsOfOneMeet_data()
    {
        QTest::addColumn<QList<FileClub>>("clubs");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("a shared code: the first keeps it")
            << QList<FileClub>{club(QStringLiteral("0"), QStringLiteral("Klub Pływacki Wisła Kraków")),
                               club(QStringLiteral("0"), QStringLiteral("Klub Pływacki Warta Poznań")),
                               club(QStringLiteral("0"), QStringLiteral("Klub Pływacki Odra Wrocław"))}
            << QStringList{QStringLiteral("0|Kraków"), QStringLiteral("0-2|Poznań"),
                           QStringLiteral("0-3|Wrocław")};
        QTest::newRow("a made-up code never takes a later club's")
            << QList<FileClub>{club(QStringLiteral("A"), QStringLiteral("Alfa")),
                               club(QStringLiteral("a"), QStringLiteral("Beta")),
                               club(QStringLiteral("A-2"), QStringLiteral("Gamma"))}
            << QStringList{QStringLiteral("A|Alfa"), QStringLiteral("a-3|Beta"), QStringLiteral("A-2|Gamma")};
        QTest::newRow("no code: one from the short name")
            << QList<FileClub>{club({}, QStringLiteral("Club Natación Lugo")),
                               club(QStringLiteral("LUGO"), QStringLiteral("Lugo Natación Club"))}
            << QStringList{QStringLiteral("LUGO-2|Lugo"), QStringLiteral("LUGO|LNC")};
        // The town that several clubs share names none of them while they have words of their own.
        QTest::newRow("a word many clubs share")
            << QList<FileClub>{club(QStringLiteral("1"), QStringLiteral("СШОР «Юность» Москва")),
                               club(QStringLiteral("2"), QStringLiteral("ЦСКА Москва")),
                               club(QStringLiteral("3"), QStringLiteral("Динамо Москва")),
                               club(QStringLiteral("4"), QStringLiteral("Москва"))}
            << QStringList{QStringLiteral("1|Юность"), QStringLiteral("2|ЦСКА"), QStringLiteral("3|Динамо"),
                           QStringLiteral("4|Москва")};
        // Groups of one school that differ in their own letters and numbers alone.
        QList<FileClub> classes;
        QStringList named;
        for (const QString& group :
             {u"5А"_s, u"5Б"_s, u"6А"_s, u"6Б"_s, u"7А"_s, u"7Б"_s, u"8А"_s, u"8Б"_s}) {
            classes << club({}, u"ГУО «Средняя школа №12 г. Гродно» "_s + group);
            named << u"ГРОДН"_s + group + u"|Гродн "_s + group;
        }
        QTest::newRow("classes of one school") << classes << named;
        QTest::newRow("a club's second team")
            << QList<FileClub>{club(QStringLiteral("W1"), QStringLiteral("SV Würzburg 05")),
                               club(QStringLiteral("W2"), QStringLiteral("SV Würzburg 05 II"))}
            << QStringList{QStringLiteral("W1|Würzburg"), QStringLiteral("W2|Würzb II")};
        QTest::newRow("a shared short name from the file")
            << QList<FileClub>{club(QStringLiteral("V1"), QStringLiteral("Club Natación Vigo Sur"),
                                    QStringLiteral("Vigo")),
                               club(QStringLiteral("V2"), QStringLiteral("Club Natación Vigo Norte"),
                                    QStringLiteral("Vigo"))}
            << QStringList{QStringLiteral("V1|Vigo"), QStringLiteral("V2|Norte")};
    }

    void clubsOfOneMeet()
    {
        QFETCH(QList<FileClub>, clubs);
        QFETCH(QStringList, expected);
        QCOMPARE(codesAndNames(imports::assignClubs(clubs, {})), expected);
    }

    void notesSayWhatChangedAndWhy()
    {
        const auto assignment = imports::assignClubs(
            {club(QStringLiteral("0"), QStringLiteral("Alfa")),
             club(QStringLiteral("0"), QStringLiteral("Beta")), club({}, QStringLiteral("Gamma")),
             club(QStringLiteral("D"), QStringLiteral("Delta"), QStringLiteral("Delta Natación"))},
            {});
        QCOMPARE(
            assignment.notes,
            (QStringList{QStringLiteral("Club «Beta»: código «0-2» en vez de «0»: 2 clubs do ficheiro teñen "
                                        "o código «0»."),
                         QStringLiteral("Club «Gamma»: sen código no ficheiro; o seu código é «GAMMA»."),
                         QStringLiteral("Club «Delta»: nome curto «Delta» en vez de «Delta Natación»: ten "
                                        "máis de 8 caracteres.")}));
    }

    void importedAgainEveryClubKeepsItsCodeAndName()
    {
        const QList<FileClub> first = {
            club(QStringLiteral("0"), QStringLiteral("Club Natación Vigo"), {}, QStringLiteral("11")),
            club(QStringLiteral("0"), QStringLiteral("Club Natación Lugo"), {}, QStringLiteral("12")),
            club({}, QStringLiteral("Club Natación Ferrol")),
            club(QStringLiteral("OU"), QStringLiteral("Club Natación Ourense")),
            club(QStringLiteral("NA"), QStringLiteral("Club Natación Narón")),
        };
        const auto before = imports::assignClubs(first, {});
        QCOMPARE(codesAndNames(before),
                 (QStringList{QStringLiteral("0|Vigo"), QStringLiteral("0-2|Lugo"),
                              QStringLiteral("FERROL|Ferrol"), QStringLiteral("OU|Ourense"),
                              QStringLiteral("NA|Narón")}));
        QCOMPARE(codesAndNames(imports::assignClubs(first, registerOf(before))), codesAndNames(before));

        // A changed programme mid-meet: a new club in front sharing the code 0 and wanting the
        // name Vigo; Lugo renamed (found by its id), Ourense renamed (found by its code alone);
        // Narón gone with awards, and a new club whose town is an awarded name.
        const QList<FileClub> second = {
            club(QStringLiteral("0"), QStringLiteral("Vigo Swim Team"), QStringLiteral("Vigo")),
            club(QStringLiteral("0"), QStringLiteral("Club Natación Vigo"), {}, QStringLiteral("11")),
            club(QStringLiteral("0"), QStringLiteral("C.N. Lugo"), {}, QStringLiteral("12")),
            club({}, QStringLiteral("Club Natación Ferrol")),
            club(QStringLiteral("OU"), QStringLiteral("CN Ourense")),
            club(QStringLiteral("NN"), QStringLiteral("Nadadores de Narón")),
        };
        const auto after = imports::assignClubs(second, registerOf(before, {QStringLiteral("Narón")}));
        QCOMPARE(codesAndNames(after),
                 (QStringList{QStringLiteral("0-3|VST"), QStringLiteral("0|Vigo"), QStringLiteral("0-2|Lugo"),
                              QStringLiteral("FERROL|Ferrol"), QStringLiteral("OU|Ourense"),
                              QStringLiteral("NN|Nadadore"), QStringLiteral("NA|Narón-")}));
        QVERIFY(after.notes.contains(
            QStringLiteral("Club «Vigo Swim Team»: nome curto «VST» en vez de «Vigo»: xa "
                           "o ten outro club.")));
    }

    void aNewcomerNeverTakesAWithdrawnClubsAwards()
    {
        // Club 77 swam and scored under the code 0 that foreign clubs get; it withdraws, and
        // club 88, another club under the same code, comes in.
        const auto before = imports::assignClubs(
            {club(u"0"_s, u"Klub Alfa Minsk"_s, {}, u"77"_s), club(u"BY"_s, u"Beta Brest"_s, {}, u"5"_s)},
            {});
        QCOMPARE(codesAndNames(before), (QStringList{u"0|Minsk"_s, u"BY|Brest"_s}));
        const auto after = imports::assignClubs(
            {club(u"0"_s, u"Gamma Grodno"_s, {}, u"88"_s), club(u"BY"_s, u"Beta Brest"_s, {}, u"5"_s)},
            registerOf(before, {u"Minsk"_s}));
        QCOMPARE(codesAndNames(after), (QStringList{u"0-2|Grodno"_s, u"BY|Brest"_s, u"0|Minsk-"_s}));
    }

    void anIdThatSeveralClubsHaveIdentifiesNone()
    {
        const QList<FileClub> first = {club({}, QStringLiteral("Alfa Vigo"), {}, QStringLiteral("0")),
                                       club({}, QStringLiteral("Beta Lugo"), {}, QStringLiteral("0"))};
        const auto before = imports::assignClubs(first, {});
        QCOMPARE(codesAndNames(imports::assignClubs({first[1], first[0]}, registerOf(before))),
                 (QStringList{QStringLiteral("LUGO|Lugo"), QStringLiteral("VIGO|Vigo")}));
    }

    void findRegisteredClubs_data()
    {
        // Clubs of the register as an earlier import left them: CLUBCODE, long name, file id
        // and file code.
        const auto kept = [](const char* code, const char* name, const char* id = nullptr) {
            return data::MeetClub{QString::fromUtf8(code),
                                  {},
                                  {},
                                  QString::fromUtf8(name),
                                  true,
                                  true,
                                  id ? QVariant(QString::fromUtf8(id)) : QVariant(),
                                  QString::fromUtf8(code)};
        };
        QTest::addColumn<QList<data::MeetClub>>("registered");
        QTest::addColumn<QList<FileClub>>("clubs");
        QTest::addColumn<QList<int>>("expected"); // the register's index of each club, -1: none
        QTest::newRow("the same id, whatever the code and name")
            << QList{kept("0", "Club Vigo", "11"), kept("L", "Club Lugo", "12")}
            << QList{club(u"VIG"_s, u"CN Vigo"_s, {}, u" 11 "_s)} << QList<int>{0};
        QTest::newRow("code and name, cleaned and folded, where the code is shared")
            << QList{kept("0", "Club Vigo"), kept("0", "Club Lugo")}
            << QList{club(u"0"_s, u"CLUB  LUGO"_s), club(u"0"_s, {}, u"Club Vigo"_s)} << QList<int>{1, 0};
        QTest::newRow("a code shared in the file names no club")
            << QList{kept("0", "Alfa")} << QList{club(u"0"_s, u"Beta"_s), club(u"0"_s, u"Gamma"_s)}
            << QList<int>{-1, -1};
        QTest::newRow("a code shared in the register names no club")
            << QList{kept("X", "Alfa"), kept("X", "Beta")} << QList{club(u"X"_s, u"Gamma"_s)}
            << QList<int>{-1};
        QTest::newRow("two ids are two clubs, whatever code they share")
            << QList{kept("0", "Club Vello", "77")} << QList{club(u"0"_s, u"Club Novo"_s, {}, u"88"_s)}
            << QList<int>{-1};
        QTest::newRow("an id on one side only: found by its code")
            << QList{kept("0", "Club Vello")} << QList{club(u"0"_s, u"Club Novo"_s, {}, u"88"_s)}
            << QList<int>{0};
        QTest::newRow("a club the register lacks, one the file renamed")
            << QList{kept("OU", "Club Natación Ourense")}
            << QList{club(u"NEW"_s, u"Novo"_s), club(u"OU"_s, u"CN Ourense"_s)} << QList<int>{-1, 0};
    }

    void findRegisteredClubs()
    {
        QFETCH(QList<data::MeetClub>, registered);
        QFETCH(QList<FileClub>, clubs);
        QFETCH(QList<int>, expected);
        QList<int> found;
        for (const auto& index : imports::findRegisteredClubs(clubs, registered))
            found << (index ? static_cast<int>(*index) : -1);
        QCOMPARE(found, expected);
    }

    void registerOfAnEarlierImportKeepsItsNames()
    {
        // Made before codes were kept unique: two clubs under one code, a long name with a
        // blank that awards carry, and a club taking part with no description.
        const data::RegisteredMeet registered{
            {{QStringLiteral("0"), {}, QStringLiteral("Vigo"), QStringLiteral("Club Vigo"), true, true},
             {QStringLiteral("0"), {}, QStringLiteral("Lugo"), QStringLiteral("Club Lugo"), true, true},
             {QStringLiteral("SVW"),
              {},
              QStringLiteral("Schwimmverein "),
              QStringLiteral("SV Wädenswil"),
              true,
              true},
             {QStringLiteral("ZZ"), {}, {}, {}, true, false}},
            {QStringLiteral("Schwimmverein "), QStringLiteral("ZZ")}};
        const auto assignment =
            imports::assignClubs({club(QStringLiteral("0"), QStringLiteral("Club Vigo")),
                                  club(QStringLiteral("0"), QStringLiteral("Club Lugo")),
                                  club(QStringLiteral("SVW"), QStringLiteral("SV Wädenswil")),
                                  club(QStringLiteral("ZZ"), QStringLiteral("Zeta Zeta"))},
                                 registered);
        QCOMPARE(codesAndNames(assignment),
                 (QStringList{QStringLiteral("0|Vigo"), QStringLiteral("0-2|Lugo"),
                              QStringLiteral("SVW|Schwimmverein "), QStringLiteral("ZZ|ZZ")}));
    }
};

QTEST_GUILESS_MAIN(TestClubs)
#include "tst_clubs.moc"
