#include "calc/calculators.h"

#include <QTest>

using namespace quilvarden;

class TestCalculators : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void timeInHundredths_data()
    {
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("seconds");
        QTest::addColumn<QString>("hundredths");
        QTest::addColumn<QString>("total");
        QTest::newRow("1:05.32") << "1"
                                 << "05"
                                 << "32"
                                 << "6532";
        QTest::newRow("27.24") << "0"
                               << "27"
                               << "24"
                               << "2724";
        QTest::newRow("decimal comma in the seconds") << "0"
                                                      << "27,5"
                                                      << "0"
                                                      << "2750";
        QTest::newRow("decimal comma in the hundredths") << "0"
                                                         << "0"
                                                         << "12,5"
                                                         << "12,5";
        QTest::newRow("out-of-range parts simply added") << "0"
                                                         << "75"
                                                         << "150"
                                                         << "7650";
        QTest::newRow("negative seconds") << "0"
                                          << "-1"
                                          << "0"
                                          << "-100";
        QTest::newRow("all zero") << "0"
                                  << "0"
                                  << "0"
                                  << "0";
        QTest::newRow("blanks around") << " 15 "
                                       << "30"
                                       << "00"
                                       << "93000";
        QTest::newRow("1500 m") << "15"
                                << "30"
                                << "0"
                                << "93000";
        QTest::newRow("exponent") << "1E1"
                                  << "0"
                                  << "0"
                                  << "60000";
    }

    void timeInHundredths()
    {
        QFETCH(QString, minutes);
        QFETCH(QString, seconds);
        QFETCH(QString, hundredths);
        QFETCH(QString, total);
        const Result<QString> result = calc::timeInHundredths(minutes, seconds, hundredths);
        QVERIFY2(result, qPrintable(result ? QString() : result.failure().message()));
        QCOMPARE(*result, total);
    }

    void timeInHundredthsFails_data()
    {
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("seconds");
        QTest::addColumn<QString>("hundredths");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("names");
        QTest::newRow("empty minutes") << ""
                                       << "1"
                                       << "1" << 13 << "«»";
        QTest::newRow("empty seconds") << "1"
                                       << ""
                                       << "1" << 13 << "«»";
        QTest::newRow("empty hundredths") << "1"
                                          << "1"
                                          << "" << 13 << "«»";
        QTest::newRow("minutes checked first") << "a"
                                               << "b"
                                               << "c" << 13 << "«a»";
        QTest::newRow("then the seconds") << "1"
                                          << "b"
                                          << "c" << 13 << "«b»";
        QTest::newRow("decimal point is no number") << "1"
                                                    << "2.5"
                                                    << "0" << 13 << "«2.5»";
        QTest::newRow("beyond a double when read") << "1e400"
                                                   << "0"
                                                   << "0" << 6 << "";
        QTest::newRow("beyond a double in minutes") << "1e305"
                                                    << "0"
                                                    << "0" << 6 << "";
        QTest::newRow("beyond a double in the sum") << "0"
                                                    << "1,7e308"
                                                    << "0" << 6 << "";
    }

    void timeInHundredthsFails()
    {
        QFETCH(QString, minutes);
        QFETCH(QString, seconds);
        QFETCH(QString, hundredths);
        QFETCH(int, number);
        QFETCH(QString, names);
        const Result<QString> result = calc::timeInHundredths(minutes, seconds, hundredths);
        QVERIFY(!result);
        QCOMPARE(result.failure().number, number);
        QVERIFY2(result.failure().message().contains(names), qPrintable(result.failure().message()));
    }

    void finaPoints_data()
    {
        QTest::addColumn<QStringList>("base");
        QTest::addColumn<QStringList>("swim");
        QTest::addColumn<QString>("text");
        auto time = [](const char* m, const char* s, const char* c) {
            return QStringList{QString::fromLatin1(m), QString::fromLatin1(s), QString::fromLatin1(c)};
        };
        QTest::newRow("the fields at start")
            << time("", "27", "24") << time("", "30", "38") << "720,87 --> 721";
        QTest::newRow("equal times") << time("", "27", "24") << time("", "27", "24") << "1000,00 --> 1000";
        QTest::newRow("faster than the base")
            << time("", "27", "24") << time("", "20", "00") << "2526,57 --> 2527";
        QTest::newRow("far slower") << time("", "27", "24") << time("1", "40", "") << "20,21 --> 20";
        QTest::newRow("below one point") << time("", "1", "") << time("", "30", "") << ",04 --> 0";
        QTest::newRow("base of zero") << time("", "", "") << time("", "30", "38") << ",00 --> 0";
        QTest::newRow("comma ends a field")
            << time("", "27", "24,9") << time("", "27", "24") << "1000,00 --> 1000";
        QTest::newRow("point is a decimal point, half to even down")
            << time("", "27", "24.5") << time("", "27", "24") << "1000,00 --> 1000";
        QTest::newRow("half to even up")
            << time("", "27", "25.5") << time("", "27", "26") << "1000,00 --> 1000";
        QTest::newRow("seconds with a point")
            << time("", "27.24", "") << time("", "27", "24") << "1000,00 --> 1000";
        // 14:31.02 is 87102 hundredths, 15:30.00 is 93000: 1000 × (87102 / 93000)³.
        QTest::newRow("1500 m") << time("14", "31", "02") << time("15", "30", "00") << "821,55 --> 822";
        QTest::newRow("longest that once fitted")
            << time("5", "27", "67") << time("5", "27", "67") << "1000,00 --> 1000";
        QTest::newRow("one hundredth longer")
            << time("5", "27", "68") << time("5", "27", "68") << "1000,00 --> 1000";
        QTest::newRow("a marathon swim") << time("300", "", "") << time("330", "", "") << "751,31 --> 751";
        QTest::newRow("negative swim time")
            << time("", "27", "24") << time("", "-27", "-24") << "-1000,00 --> -1000";
        QTest::newRow("blanks in a field")
            << time("", " 2 7", "24") << time("", "27", "24") << "1000,00 --> 1000";
    }

    void finaPoints()
    {
        QFETCH(QStringList, base);
        QFETCH(QStringList, swim);
        QFETCH(QString, text);
        const Result<QString> result =
            calc::finaPoints({base[0], base[1], base[2]}, {swim[0], swim[1], swim[2]});
        QVERIFY2(result, qPrintable(result ? QString() : result.failure().message()));
        QCOMPARE(*result, text);
    }

    void finaPointsFails_data()
    {
        QTest::addColumn<QStringList>("base");
        QTest::addColumn<QStringList>("swim");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("says");
        auto time = [](const char* m, const char* s, const char* c) {
            return QStringList{QString::fromLatin1(m), QString::fromLatin1(s), QString::fromLatin1(c)};
        };
        QTest::newRow("swim time empty") << time("", "27", "24") << time("", "", "") << 11 << "cero";
        QTest::newRow("swim time zero") << time("", "27", "24") << time("0", "0", "0") << 11 << "cero";
        QTest::newRow("swim time rounds to zero")
            << time("", "27", "24") << time("", "", "0.4") << 11 << "cero";
        QTest::newRow("base beyond a double") << time("1e308", "", "") << time("", "30", "") << 6 << "";
        QTest::newRow("base too long, before a bad swim")
            << time("1e300", "", "") << time("", "", "") << 6 << "base";
        QTest::newRow("swim time too long") << time("", "27", "24") << time("400000", "", "") << 6 << "marca";
        QTest::newRow("swim time beyond a double")
            << time("", "27", "24") << time("", "", "1e400") << 6 << "";
    }

    void finaPointsFails()
    {
        QFETCH(QStringList, base);
        QFETCH(QStringList, swim);
        QFETCH(int, number);
        QFETCH(QString, says);
        const Result<QString> result =
            calc::finaPoints({base[0], base[1], base[2]}, {swim[0], swim[1], swim[2]});
        QVERIFY(!result);
        QCOMPARE(result.failure().number, number);
        QVERIFY2(result.failure().message().contains(says), qPrintable(result.failure().message()));
    }
};

QTEST_GUILESS_MAIN(TestCalculators)
#include "tst_calculators.moc"
