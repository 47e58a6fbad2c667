#include "data/database.h"
#include "publish/publish.h"
#include "rules/rules.h"
#include "support/categorymeet.h"
#include "support/scratchdb.h"
#include "support/toolrun.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quilvarden;
using testsupport::runTool;

// The standings published for the speaker, the notice board and the web.
class TestPublish : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString& name = QStringLiteral("quilvarden.MDB")) const
    {
        return m_dir->filePath(name);
    }
    static QString utf8(const char* text) { return QString::fromUtf8(text); }

    static QStringList menLines() { return {utf8("  1  VIGO        19,00"), utf8("  2  LUGO        16,00")}; }
    static QStringList womenLines()
    {
        return {utf8("  1  LUGO        19,00"), utf8("  2  O'GROVE     16,00"),
                utf8("  3  VIGO        07,50")};
    }
    static QStringList combinedLines()
    {
        return {utf8("  1  A,B \"C\"     38,00"), utf8("  2  LUGO        35,00"),
                utf8("  3  VIGO        26,50"), utf8("  4  O'GROVE     16,00")};
    }

    static QString pdfTool(const char* name, const QStringList& arguments)
    {
        QProcess process;
        process.start(QString::fromLatin1(name), arguments);
        process.waitForFinished(60000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    // Adds to the fixture: 7 between 05 and 10 (not after 05 as the texts sort), two awards of
    // one club summed, a tie broken by club, a formula for a club.
    void addEventsPastNine()
    {
        QVERIFY(testsupport::runOn(
            path(), {QStringLiteral("INSERT INTO puntos (orde, proba, sexo, club, puntos) VALUES"
                                    " ('10', '200IM', 'F', 'VIGO', 13), ('7', '50FR', 'M', '=CEE', 16),"
                                    " ('10', '200IM', 'F', 'VIGO', 11), ('10', '200IM', 'F', 'LUGO', 24)")}));
    }

    // The texts of an HTML page's elements of one name (and class, where given), and its
    // table rows as cells joined by "|"; whether the page is well-formed XML.
    struct Page {
        QStringList texts;
        QStringList rows;
        bool wellFormed = false;
    };
    static Page readPage(const QString& html, const QString& name, const QString& cls = {})
    {
        Page page;
        QStringList row;
        QXmlStreamReader reader(html);
        while (!reader.atEnd()) {
            const auto token = reader.readNext();
            if (token == QXmlStreamReader::EndElement && reader.name() == u"tr" && !row.isEmpty())
                page.rows << row.join(u'|');
            if (token != QXmlStreamReader::StartElement)
                continue;
            if (reader.name() == u"tr")
                row.clear();
            else if (reader.name() == u"td")
                row << reader.readElementText(QXmlStreamReader::IncludeChildElements);
            else if (reader.name() == name &&
                     (cls.isEmpty() || reader.attributes().value(QStringLiteral("class")) == cls))
                page.texts << reader.readElementText(QXmlStreamReader::IncludeChildElements);
        }
        page.wellFormed = !reader.hasError();
        return page;
    }

    QString standings(const char* format)
    {
        const auto run = runTool(
            {QStringLiteral("standings"), path(), QStringLiteral("--format"), QString::fromLatin1(format)});
        return run.status == 0 ? run.output : run.errors;
    }

    // The PDF's pages as pdftotext reads them (laid out), or nothing without poppler-utils.
    QStringList pdfPages(const QStringList& more = {})
    {
        const QString out = path(QStringLiteral("edition.pdf"));
        if (runTool(QStringList{QStringLiteral("standings"), path(), QStringLiteral("--format"),
                                QStringLiteral("pdf"), QStringLiteral("--output"), out} +
                    more)
                .status != 0)
            return {QStringLiteral("not written")};
        QStringList pages = pdfTool("pdftotext", {QStringLiteral("-layout"), out, QStringLiteral("-")})
                                .split(QLatin1Char('\f'));
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(data::Database::create(path()));
        QVERIFY(testsupport::runOn(
            path(),
            {QStringLiteral("INSERT INTO puntos (orde, proba, sexo, club, puntos) VALUES"
                            " ('02', '100FR', 'M', 'VIGO', 19), ('02', '100FR', 'M', 'LUGO', 16),"
                            " ('01', '50BK', 'F', 'LUGO', 19), ('01', '50BK', 'F', 'O''GROVE', 16),"
                            " ('05', '4X50FR', 'X', 'A,B \"C\"', 38), ('01', '50BK', 'F', 'VIGO', 7.5)")}));
    }
    void cleanup() { m_dir.reset(); }

    // A meet that ranks no category publishes what it always has, byte for byte (but for
    // the time of printing): the SHA-256 of the HTML and JSON editions of this register as
    // the program wrote them before it published categories, the time replaced by "WHEN".
    void noCategoriesAsBefore_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("sha256");
        QTest::newRow("html") << "html"
                              << QByteArray(
                                     "268ab3a66cd0d7bd9beb8bd53d273a447db5f34e921646a2ff13fcd4e4a5bd43");
        QTest::newRow("json") << "json"
                              << QByteArray(
                                     "908f4bc9e8c5b9083e7fda9db8ca69c8ad3d5da71705e0ed43c9118e94dd4005");
    }
    void noCategoriesAsBefore()
    {
        QFETCH(QString, format);
        QFETCH(QByteArray, sha256);
        static const QRegularExpression printed(QStringLiteral(
            "\\d\\d/\\d\\d/\\d{4} ás \\d\\d:\\d\\d|\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d"));
        const QString edition = standings(qPrintable(format)).replace(printed, QStringLiteral("WHEN"));
        QCOMPARE(QCryptographicHash::hash(edition.toUtf8(), QCryptographicHash::Sha256).toHex(), sha256);
    }

    // Each category's standings after the meet's, in every format, each under its heading.
    void categoriesInEveryFormat_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QStringList>("expected");
        const QStringList three{utf8("Clasificación Masculina"), utf8("Clasificación Feminina"),
                                utf8("Clasificación Conxunta")};
        QStringList headings = three;
        for (const char* category : {": 10-11", ": 12-13"})
            for (const QString& heading : three)
                headings << heading + QString::fromLatin1(category);
        QTest::newRow("csv, all") << "csv"
                                  << "all" << QStringList{utf8("Clasificación,Categoría,Posición,Club,Total"),
                                                          QStringLiteral("Masculina,,1,LUGO,\"16,00\""),
                                                          QStringLiteral("Masculina,,2,VIGO,\"9,00\""),
                                                          QStringLiteral("Feminina,,1,VIGO,\"9,00\""),
                                                          QStringLiteral("Feminina,,2,LUGO,\"6,00\""),
                                                          QStringLiteral("Conxunta,,1,VIGO,\"23,00\""),
                                                          QStringLiteral("Conxunta,,2,LUGO,\"22,00\""),
                                                          QStringLiteral("Masculina,10-11,1,VIGO,\"9,00\""),
                                                          QStringLiteral("Masculina,10-11,2,LUGO,\"7,00\""),
                                                          QStringLiteral("Feminina,10-11,1,VIGO,\"9,00\""),
                                                          QStringLiteral("Conxunta,10-11,1,VIGO,\"18,00\""),
                                                          QStringLiteral("Conxunta,10-11,2,LUGO,\"7,00\""),
                                                          QStringLiteral("Masculina,12-13,1,LUGO,\"9,00\""),
                                                          QStringLiteral("Feminina,12-13,1,LUGO,\"6,00\""),
                                                          QStringLiteral("Conxunta,12-13,1,LUGO,\"15,00\""),
                                                          QString()};
        QTest::newRow("html, one category")
            << "html"
            << "10-11" << QStringList{headings[3],          utf8("1|VIGO|9,00"), utf8("2|LUGO|7,00"),
                                      headings[4],          utf8("1|VIGO|9,00"), headings[5],
                                      utf8("1|VIGO|18,00"), utf8("2|LUGO|7,00")};
        QTest::newRow("json, all in capitals")
            << "json"
            << "ALL" << QStringList{QStringLiteral("Masculina LUGO 16 VIGO 9"),
                                    QStringLiteral("Feminina VIGO 9 LUGO 6"),
                                    QStringLiteral("Conxunta VIGO 23 LUGO 22"),
                                    QStringLiteral("10-11 Masculina VIGO 9 LUGO 7"),
                                    QStringLiteral("10-11 Feminina VIGO 9"),
                                    QStringLiteral("10-11 Conxunta VIGO 18 LUGO 7"),
                                    QStringLiteral("12-13 Masculina LUGO 9"),
                                    QStringLiteral("12-13 Feminina LUGO 6"),
                                    QStringLiteral("12-13 Conxunta LUGO 15")};
        QTest::newRow("json, one category")
            << "json"
            << "12-13"
            << QStringList{QStringLiteral("12-13 Masculina LUGO 9"), QStringLiteral("12-13 Feminina LUGO 6"),
                           QStringLiteral("12-13 Conxunta LUGO 15")};
        QTest::newRow("json, the meet's own") << "json" << QString()
                                              << QStringList{QStringLiteral("Masculina LUGO 16 VIGO 9"),
                                                             QStringLiteral("Feminina VIGO 9 LUGO 6"),
                                                             QStringLiteral("Conxunta VIGO 23 LUGO 22")};
        QTest::newRow("pdf, all") << "pdf"
                                  << "all" << headings;
    }
    void categoriesInEveryFormat()
    {
        QFETCH(QString, format);
        QFETCH(QString, category);
        QFETCH(QStringList, expected);
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(testsupport::makeCategoryMeet(path()));
        const QStringList choice =
            category.isEmpty() ? QStringList() : QStringList{QStringLiteral("--category"), category};
        QStringList got;
        if (format == u"pdf") {
            if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
                QSKIP("poppler-utils is not installed");
            // One page to each standing, headed by it.
            for (const QString& page : pdfPages(choice))
                got << page.split(u'\n', Qt::SkipEmptyParts).first().trimmed();
            QCOMPARE(got, expected);
            return;
        }
        const auto run = runTool(
            QStringList{QStringLiteral("standings"), path(), QStringLiteral("--format"), format} + choice);
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        if (format == u"csv")
            got = run.output.split(QStringLiteral("\r\n"));
        else if (format == u"html")
            for (const QString& line : run.output.split(u'\n'))
                if (line.startsWith(QStringLiteral("<h2>")) || line.startsWith(QStringLiteral("<tr>"))) {
                    const Page page = readPage(QStringLiteral("<x>%1</x>").arg(line), QStringLiteral("h2"));
                    got << page.texts << page.rows;
                }
        if (format == u"json") {
            const QJsonObject json = QJsonDocument::fromJson(run.output.toUtf8()).object();
            QCOMPARE(json.contains(u"categories"), !category.isEmpty());
            QList<std::pair<QString, QJsonArray>> standings{{QString(), json[u"standings"].toArray()}};
            for (const QJsonValue named : json[u"categories"].toArray())
                standings.append({named[u"name"].toString() + u' ', named[u"standings"].toArray()});
            for (const auto& [name, list] : standings)
                for (const QJsonValue standing : list) {
                    QString line = name + standing[u"standing"].toString();
                    for (const QJsonValue club : standing[u"clubs"].toArray())
                        line += QStringLiteral(" %1 %2")
                                    .arg(club[u"club"].toString())
                                    .arg(club[u"total"].toDouble());
                    got << line;
                }
        }
        QCOMPARE(got, expected);
    }

    void text()
    {
        const auto run = runTool(
            {QStringLiteral("standings"), path(), QStringLiteral("--format"), QStringLiteral("text")});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QStringList lines = run.output.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.takeLast(), QString()); // the file ends with a line break
        QVERIFY2(QRegularExpression(utf8("^Impreso o \\d\\d/\\d\\d/\\d{4} ás \\d\\d:\\d\\d$"))
                     .match(lines[0])
                     .hasMatch(),
                 qPrintable(lines[0]));
        QCOMPARE(lines.mid(1), QStringList{utf8("Última proba puntuada: 01")} + QStringList{QString()} +
                                   QStringList{utf8("Clasificación Masculina")} + menLines() +
                                   QStringList{utf8("Clasificación Feminina")} + womenLines() +
                                   QStringList{utf8("Clasificación Conxunta")} + combinedLines());
    }

    void csv()
    {
        const QString out = path(QStringLiteral("clas.csv"));
        const auto run = runTool({QStringLiteral("standings"), path(), QStringLiteral("--format"),
                                  QStringLiteral("csv"), QStringLiteral("--output"), out});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), utf8("Clasificación,Posición,Club,Total\r\n"
                                                         "Masculina,1,VIGO,\"19,00\"\r\n"
                                                         "Masculina,2,LUGO,\"16,00\"\r\n"
                                                         "Feminina,1,LUGO,\"19,00\"\r\n"
                                                         "Feminina,2,O'GROVE,\"16,00\"\r\n"
                                                         "Feminina,3,VIGO,\"7,50\"\r\n"
                                                         "Conxunta,1,\"A,B \"\"C\"\"\",\"38,00\"\r\n"
                                                         "Conxunta,2,LUGO,\"35,00\"\r\n"
                                                         "Conxunta,3,VIGO,\"26,50\"\r\n"
                                                         "Conxunta,4,O'GROVE,\"16,00\"\r\n"));
    }

    void byEventText()
    {
        addEventsPastNine();
        const auto run = runTool({QStringLiteral("standings"), path(), QStringLiteral("--format"),
                                  QStringLiteral("text"), QStringLiteral("--by-event")});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QStringList lines = run.output.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.takeLast(), QString());
        QVERIFY2(lines[0].startsWith(utf8("Impreso o ")), qPrintable(lines[0]));
        QCOMPARE(lines.mid(1),
                 (QStringList{utf8("Última proba puntuada: 10"), QString(), utf8("Puntos por proba"),
                              utf8("01   50BKF LUGO     19,00"), utf8("01   50BKF O'GROVE  16,00"),
                              utf8("01   50BKF VIGO      7,50"), utf8("02  100FRM VIGO     19,00"),
                              utf8("02  100FRM LUGO     16,00"), utf8("05 4X50FRX A,B \"C\"  38,00"),
                              utf8(" 7   50FRM =CEE     16,00"), utf8("10  200IMF LUGO     24,00"),
                              utf8("10  200IMF VIGO     24,00")}));
    }

    void byEventCsv()
    {
        addEventsPastNine();
        const QString out = path(QStringLiteral("probas.csv"));
        const auto run =
            runTool({QStringLiteral("standings"), path(), QStringLiteral("--by-event"),
                     QStringLiteral("--format"), QStringLiteral("csv"), QStringLiteral("--output"), out});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), utf8("Proba,Código,Sexo,Club,Puntos\r\n"
                                                         "01,50BK,F,LUGO,\"19,00\"\r\n"
                                                         "01,50BK,F,O'GROVE,\"16,00\"\r\n"
                                                         "01,50BK,F,VIGO,\"7,50\"\r\n"
                                                         "02,100FR,M,VIGO,\"19,00\"\r\n"
                                                         "02,100FR,M,LUGO,\"16,00\"\r\n"
                                                         "05,4X50FR,X,\"A,B \"\"C\"\"\",\"38,00\"\r\n"
                                                         "7,50FR,M,'=CEE,\"16,00\"\r\n"
                                                         "10,200IM,F,LUGO,\"24,00\"\r\n"
                                                         "10,200IM,F,VIGO,\"24,00\"\r\n"));
    }

    void byEventOnlyAsTextOrCsv_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("html") << QStringList{QStringLiteral("--format"), QStringLiteral("html")};
        QTest::newRow("json") << QStringList{QStringLiteral("--format"), QStringLiteral("json")};
        QTest::newRow("pdf to a file")
            << QStringList{QStringLiteral("--format"), QStringLiteral("pdf"), QStringLiteral("--output")};
    }

    void byEventOnlyAsTextOrCsv()
    {
        QFETCH(QStringList, arguments);
        if (arguments.last() == u"--output")
            arguments << path(QStringLiteral("p.pdf"));
        const auto run = runTool(
            QStringList{QStringLiteral("standings"), path(), QStringLiteral("--by-event")} + arguments);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.errors.contains(utf8("--by-event só se pode usar con --format text ou --format csv")),
                 qPrintable(run.errors));
        QVERIFY(run.output.isEmpty());
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("p.pdf"))));
    }

    void html()
    {
        const auto run = runTool(
            {QStringLiteral("standings"), path(), QStringLiteral("--format"), QStringLiteral("html")});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        // Well-formed, and every line of every standing is there, whole.
        // Well-formed, and every row of every standing is there, whole: position, club and
        // points with no leading zero.
        const Page page = readPage(run.output, QStringLiteral("h2"));
        QVERIFY(page.wellFormed);
        QCOMPARE(page.rows,
                 (QStringList{utf8("1|VIGO|19,00"), utf8("2|LUGO|16,00"), utf8("1|LUGO|19,00"),
                              utf8("2|O'GROVE|16,00"), utf8("3|VIGO|7,50"), utf8("1|A,B \"C\"|38,00"),
                              utf8("2|LUGO|35,00"), utf8("3|VIGO|26,50"), utf8("4|O'GROVE|16,00")}));
        QVERIFY(run.output.contains(QStringLiteral("name=\"viewport\"")));
        QVERIFY(run.output.contains(utf8("Clasificación Feminina")));
    }

    // The edition's words follow --lang; the figures, and the CSV other programs read, stay.
    void editionInTheChosenLanguage_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QStringList>("fragments");
        const QString crlf = QStringLiteral("\r\n");
        QTest::newRow("text in spanish")
            << "es"
            << "text" << utf8("^Impreso el \\d\\d/\\d\\d/\\d{4} a las \\d\\d:\\d\\d\r\n")
            << QStringList{crlf + utf8("Última prueba puntuada: 01") + crlf + crlf +
                               utf8("Clasificación Masculina") + crlf + menLines().join(crlf) + crlf +
                               utf8("Clasificación Femenina") + crlf,
                           crlf + utf8("Clasificación Conjunta") + crlf + combinedLines().join(crlf) + crlf};
        QTest::newRow("html in spanish")
            << "es"
            << "html" << utf8("^<!DOCTYPE html>\n<html lang=\"es\">")
            << QStringList{utf8("<title>Clasificaciones</title>"), utf8("<h1>Clasificaciones</h1>"),
                           utf8("<h2>Clasificación Femenina</h2>"), utf8("Última prueba puntuada: 01"),
                           utf8("<th class=\"pos\">Pos.</th><th>Club</th><th class=\"pts\">Puntos</th>")};
        QTest::newRow("html in galician")
            << "gl"
            << "html" << utf8("^<!DOCTYPE html>\n<html lang=\"gl\">")
            << QStringList{utf8("<title>Clasificacións</title>"), utf8("<h2>Clasificación Conxunta</h2>"),
                           utf8("Última proba puntuada: 01")};
        QTest::newRow("pdf in spanish") << "es"
                                        << "pdf" << utf8("^Clasificación Masculina")
                                        << QStringList{utf8("página 1 de 3"), utf8("Clasificación Femenina"),
                                                       utf8("página 3 de 3"), utf8("Impreso el ")};
        QTest::newRow("pdf in galician")
            << "gl"
            << "pdf" << utf8("^Clasificación Masculina")
            << QStringList{utf8("páxina 1 de 3"), utf8("Clasificación Feminina")};
        QTest::newRow("csv in spanish stays as other programs read it")
            << "es"
            << "csv" << utf8("^Clasificación,Posición,Club,Total\r\nMasculina,1,VIGO,")
            << QStringList{crlf + utf8("Feminina,3,VIGO,"), crlf + utf8("Conxunta,4,O'GROVE,")};
    }
    void editionInTheChosenLanguage()
    {
        QFETCH(QString, code);
        QFETCH(QString, format);
        QFETCH(QString, start);
        QFETCH(QStringList, fragments);
        const bool pdf = format == u"pdf";
        if (pdf && QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils is not installed");
        const QString out = path(QStringLiteral("edition.") + format);
        const auto run = runTool({QStringLiteral("--lang"), code, QStringLiteral("standings"), path(),
                                  QStringLiteral("--format"), format, QStringLiteral("--output"), out});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString written =
            pdf ? pdfTool("pdftotext", {out, QStringLiteral("-")}) : QString::fromUtf8(file.readAll());
        QVERIFY2(QRegularExpression(start).match(written).hasMatch(), qPrintable(written.left(200)));
        for (const QString& fragment : fragments)
            QVERIFY2(written.contains(fragment), qPrintable(fragment));
    }

    void pdfOnePagePerStanding()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QSKIP("poppler-utils is not installed");
        const QString out = path(QStringLiteral("clas.pdf"));
        const auto run = runTool({QStringLiteral("standings"), path(), QStringLiteral("--format"),
                                  QStringLiteral("pdf"), QStringLiteral("--output"), out});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QVERIFY(pdfTool("pdfinfo", {out}).contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))));
        QVERIFY(pdfTool("pdfinfo", {out}).contains(QStringLiteral("A4")));
        const QStringList pages = pdfTool("pdftotext", {QStringLiteral("-layout"), out, QStringLiteral("-")})
                                      .split(QLatin1Char('\f'));
        QVERIFY(pages[0].contains(utf8("Clasificación Masculina")));
        QVERIFY(pages[1].contains(utf8("Clasificación Feminina")));
        QVERIFY(pages[1].contains(QStringLiteral("O'GROVE")));
        QVERIFY(pages[2].contains(utf8("Clasificación Conxunta")));
        QVERIFY(pages[2].contains(QStringLiteral("26,50")));
    }

    void longStandingGoesOnOverPages()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QSKIP("poppler-utils is not installed");
        QVERIFY(testsupport::runOn(
            path(),
            {QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200)"
                            " INSERT INTO puntos (orde, proba, sexo, club, puntos)"
                            " SELECT '09', '50FR', 'X', 'C' || i, i FROM n")}));
        const QString out = path(QStringLiteral("long.pdf"));
        QCOMPARE(runTool({QStringLiteral("standings"), path(), QStringLiteral("--format"),
                          QStringLiteral("pdf"), QStringLiteral("--output"), out})
                     .status,
                 0);
        const QString info = pdfTool("pdfinfo", {out});
        const int pages =
            QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
        QVERIFY2(pages > 3, qPrintable(info));
        const QString text = pdfTool("pdftotext", {out, QStringLiteral("-")});
        QVERIFY(text.contains(QStringLiteral("C1 ")) || text.contains(QStringLiteral("C1\n")));
        QVERIFY(text.contains(QStringLiteral("C200")));
    }

    void neverOverTheRegisterNorASpecialFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("the register") << "register";
        QTest::newRow("the register by a link") << "symlink";
        QTest::newRow("the register by a hard link") << "hardlink";
        QTest::newRow("the register's journal") << "journal";
        QTest::newRow("a pipe") << "fifo";
        QTest::newRow("a folder") << "folder";
    }

    void neverOverTheRegisterNorASpecialFile()
    {
        QFETCH(QString, target);
        QString out = path(QStringLiteral("out"));
        if (target == u"register")
            out = path();
        else if (target == u"journal")
            out = path() + QStringLiteral("-journal");
        else if (target == u"symlink")
            QVERIFY(QFile::link(path(), out));
        else if (target == u"hardlink")
            QVERIFY(::link(QFile::encodeName(path()).constData(), QFile::encodeName(out).constData()) == 0);
        else if (target == u"fifo")
            QVERIFY(mkfifo(QFile::encodeName(out).constData(), 0600) == 0);
        else
            QVERIFY(QDir().mkdir(out));
        const QByteArray before = testsupport::fileDigest(path());
        for (const char* format : {"csv", "pdf"}) {
            const auto run = runTool({QStringLiteral("standings"), path(), QStringLiteral("--format"),
                                      QString::fromLatin1(format), QStringLiteral("--output"), out});
            QCOMPARE(run.status, 1);
            QVERIFY2(run.errors.contains(QStringLiteral("Non se garda")), qPrintable(run.errors));
        }
        QCOMPARE(testsupport::fileDigest(path()), before);
        QCOMPARE(QFileInfo(out).isFile(), target != u"fifo" && target != u"folder" && target != u"journal");
    }

    void writeErrorsAreFailures_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("text") << "text";
        QTest::newRow("csv") << "csv";
        QTest::newRow("html") << "html";
        QTest::newRow("pdf") << "pdf";
    }

    void writeErrorsAreFailures()
    {
        QFETCH(QString, format);
        // Under a file-size limit the edition cannot be written whole: the old file stays.
        const QString out = path(QStringLiteral("old.") + format);
        QFile old(out);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("antigo") == 6);
        old.close();
        QProcess limited;
        limited.setChildProcessModifier([] {
            const rlimit size{64, 64};
            setrlimit(RLIMIT_FSIZE, &size);
        });
        limited.start(QStringLiteral(QUILVARDEN_BIN_DIR "/quilvarden-db"),
                      {QStringLiteral("standings"), path(), QStringLiteral("--format"), format,
                       QStringLiteral("--output"), out});
        QVERIFY(limited.waitForFinished(60000));
        QCOMPARE(limited.exitStatus(), QProcess::NormalExit);
        QCOMPARE(limited.exitCode(), 1);
        QVERIFY(QString::fromUtf8(limited.readAllStandardError()).contains(QStringLiteral("Erro 3043")));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("antigo"));
        QCOMPARE(testsupport::otherFiles(
                     m_dir->path(), {QStringLiteral("quilvarden.MDB"), old.fileName().section(u'/', -1)}),
                 QStringList());

        // Standard output that takes nothing (a full disk).
        if (format == u"pdf" || !QFileInfo::exists(QStringLiteral("/dev/full")))
            return;
        QProcess full;
        full.setStandardOutputFile(QStringLiteral("/dev/full"));
        full.start(QStringLiteral(QUILVARDEN_BIN_DIR "/quilvarden-db"),
                   {QStringLiteral("standings"), path(), QStringLiteral("--format"), format});
        QVERIFY(full.waitForFinished(60000));
        QCOMPARE(full.exitCode(), 1);
        // The C library's words for the full disk, in Galician.
        QCOMPARE(QString::fromUtf8(full.readAllStandardError()),
                 QStringLiteral("quilvarden-db: -: Erro 3043: Erro ao ler ou escribir no disco\n"
                                "Non se puido escribir toda a saída: Non queda espazo no dispositivo\n"));
    }

    void clubNamesCannotForgeTheOutput()
    {
        QVERIFY(testsupport::runOn(
            path(), {QStringLiteral("DELETE FROM puntos"),
                     QStringLiteral("INSERT INTO puntos (orde, proba, sexo, club, puntos) VALUES"
                                    " ('01', 'E', 'M', 'ONE' || char(13, 10) || '  1  FAKE       99,00', 19),"
                                    " ('01', 'E', 'M', char(8238) || 'TWO', 16),"
                                    " ('01', 'E', 'M', '=HYPERLINK(\"http://x\",\"y\")', 14),"
                                    " ('01', 'E', 'M', '+1+1', 13), ('01', 'E', 'M', '-2', 12),"
                                    " ('01', 'E', 'M', '@SUM(A1)', 11), ('01', 'E', 'M', "
                                    "replace(hex(zeroblob(60)), '0', 'L'), 10)")}));
        const auto text = runTool(
            {QStringLiteral("standings"), path(), QStringLiteral("--format"), QStringLiteral("text")});
        QVERIFY2(text.status == 0, qPrintable(text.errors));
        const QStringList men = text.output.split(QStringLiteral("\r\n")).mid(4, 8);
        QCOMPARE(men.size(), 8);
        QCOMPARE(men[0], utf8("  1  ONE 1 FAKE 99,00    19,00"));                 // one line
        QCOMPARE(men[1], utf8("  2  TWO         16,00"));                         // no direction override
        QCOMPARE(men[6], utf8("  7  ") + QString(39, u'L') + utf8("…    10,00")); // cut to fit
        QCOMPARE(men[7], utf8("Clasificación Feminina"));

        if (!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            const QString pdf = path(QStringLiteral("names.pdf"));
            QCOMPARE(runTool({QStringLiteral("standings"), path(), QStringLiteral("--format"),
                              QStringLiteral("pdf"), QStringLiteral("--output"), pdf})
                         .status,
                     0);
            // The long name's total stays on the page, beside it.
            QVERIFY(pdfTool("pdftotext", {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
                        .contains(QRegularExpression(QStringLiteral("LLLL…\\s+10,00"))));
        }

        const QString csvFile = path(QStringLiteral("names.csv"));
        QCOMPARE(runTool({QStringLiteral("standings"), path(), QStringLiteral("--format"),
                          QStringLiteral("csv"), QStringLiteral("--output"), csvFile})
                     .status,
                 0);
        QFile csv(csvFile);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList rows = QString::fromUtf8(csv.readAll()).split(QStringLiteral("\r\n"));
        // A formula is text to a spreadsheet; the totals stay numbers.
        QCOMPARE(rows.mid(3, 4),
                 (QStringList{utf8("Masculina,3,\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\",\"14,00\""),
                              utf8("Masculina,4,'+1+1,\"13,00\""), utf8("Masculina,5,'-2,\"12,00\""),
                              utf8("Masculina,6,'@SUM(A1),\"11,00\"")}));
    }

    // Points as the published editions write them: no leading zeros, a decimal comma.
    void pointsWritten_data()
    {
        QTest::addColumn<QVariant>("points");
        QTest::addColumn<QString>("written");
        QTest::newRow("eight") << QVariant(8.0) << QStringLiteral("8,00");
        QTest::newRow("nought") << QVariant(0) << QStringLiteral("0,00");
        QTest::newRow("a half") << QVariant(12.5) << QStringLiteral("12,50");
        QTest::newRow("three figures") << QVariant(123) << QStringLiteral("123,00");
        QTest::newRow("below nought") << QVariant(-1) << QStringLiteral("-1,00");
        QTest::newRow("rounded up") << QVariant(7.499) << QStringLiteral("7,50");
        QTest::newRow("no negative nought") << QVariant(-0.001) << QStringLiteral("0,00");
        QTest::newRow("none") << QVariant() << QString();
    }
    void pointsWritten()
    {
        QFETCH(QVariant, points);
        QFETCH(QString, written);
        QCOMPARE(publish::pointsText(points), written);
    }

    // A meet's dates the Galician way.
    void meetDates_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QString>("written");
        QTest::newRow("one day") << QDate(2026, 12, 7) << QDate(2026, 12, 7) << utf8("7 de decembro de 2026");
        QTest::newRow("two days") << QDate(2026, 12, 7) << QDate(2026, 12, 8)
                                  << utf8("7–8 de decembro de 2026");
        QTest::newRow("over a month's end")
            << QDate(2026, 6, 30) << QDate(2026, 7, 1) << utf8("30 de xuño – 1 de xullo de 2026");
        QTest::newRow("over a year's end") << QDate(2026, 12, 31) << QDate(2027, 1, 2)
                                           << utf8("31 de decembro de 2026 – 2 de xaneiro de 2027");
        QTest::newRow("no last date") << QDate(2026, 3, 1) << QDate() << utf8("1 de marzo de 2026");
        QTest::newRow("no dates") << QDate() << QDate() << QString();
    }
    void meetDates()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QString, written);
        QCOMPARE(publish::meetDates(from, to), written);
    }

private:
    // Under rules that share equal totals, with O'GROVE a guest: CEE 10 for the men and 8,50
    // more for VIGO's women tie VIGO with LUGO in the combined standing (35) and VIGO with
    // the guest among the women (16), where the guest takes no part.
    void storeSharedRulesWithAGuest()
    {
        QVERIFY(testsupport::runOn(
            path(), {QStringLiteral("INSERT INTO puntos (orde, proba, sexo, club, puntos) VALUES"
                                    " ('06', '100BR', 'M', 'CEE', 10), ('06', '100BR', 'F', 'VIGO', 8.5)")}));
        rules::MeetRules rules = *rules::preset(QStringLiteral("9-7-6-5-4-3-2-1"));
        rules.equalTotals = rules::EqualTotals::Shared;
        rules.guests = QStringList{QStringLiteral("o'grove")};
        auto database = data::Database::open(path());
        QVERIFY(database && (*database)->setMeetRules(rules));
    }

    // An edition reduced to what it says of the rules, the positions and the guests: the text's
    // lines under the time (the points by event's heading); the CSV's rows; the HTML's rules line and rows;
    // the JSON's rules' name and each club as position|club|guest; the PDF's lines but its footer.
    QStringList editionFacts(const QString& format)
    {
        if (format == u"pdf") {
            QStringList lines;
            for (const QString& line :
                 pdfTool("pdftotext", {QStringLiteral("-layout"), pdfOut(), QStringLiteral("-")})
                     .split(u'\n'))
                if (!line.simplified().isEmpty() && !line.contains(QStringLiteral("Impreso o")))
                    lines << line.simplified();
            return lines;
        }
        const QStringList arguments = format == u"by-event"
                                          ? QStringList{QStringLiteral("text"), QStringLiteral("--by-event")}
                                          : QStringList{format};
        const auto run =
            runTool(QStringList{QStringLiteral("standings"), path(), QStringLiteral("--format")} + arguments);
        if (run.status != 0)
            return {run.errors};
        if (format == u"html")
            return readPage(run.output, QStringLiteral("p"), QStringLiteral("rules")).texts +
                   readPage(run.output, QStringLiteral("p")).rows;
        if (format != u"json")
            return run.output.split(QStringLiteral("\r\n"))
                .mid(format == u"csv" ? 0 : 1, format == u"by-event" ? 4 : -1);
        const QJsonObject json = QJsonDocument::fromJson(run.output.toUtf8()).object();
        QStringList facts{json[u"rules"][u"name"].toString()};
        for (const QJsonValue standing : json[u"standings"].toArray())
            for (const QJsonValue club : standing[u"clubs"].toArray())
                facts << QStringList{club[u"position"].isNull() ? QStringLiteral("null")
                                                                : QString::number(club[u"position"].toInt()),
                                     club[u"club"].toString(),
                                     club[u"guest"].toBool() ? QStringLiteral("guest") : QStringLiteral("-")}
                             .join(u'|');
        return facts;
    }
    QString pdfOut()
    {
        const QString out = path(QStringLiteral("rules.pdf"));
        runTool({QStringLiteral("standings"), path(), QStringLiteral("--format"), QStringLiteral("pdf"),
                 QStringLiteral("--output"), out});
        return out;
    }

private Q_SLOTS:
    void editionsByTheRules_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QStringList>("facts");
        const QString rulesLine = utf8("Puntuación: 9-7-6-5-4-3-2-1");
        const QString guest = utf8("     O'GROVE     16,00  (convidado)");
        QTest::newRow("text") << "text"
                              << QStringList{utf8("Última proba puntuada: 06"),
                                             rulesLine,
                                             QString(),
                                             utf8("Clasificación Masculina"),
                                             utf8("  1  VIGO        19,00"),
                                             utf8("  2  LUGO        16,00"),
                                             utf8("  3  CEE         10,00"),
                                             utf8("Clasificación Feminina"),
                                             utf8("  1  LUGO        19,00"),
                                             utf8("  2  VIGO        16,00"),
                                             guest,
                                             utf8("Clasificación Conxunta"),
                                             utf8("  1  A,B \"C\"     38,00"),
                                             utf8("  2  LUGO        35,00"),
                                             utf8("  2  VIGO        35,00"),
                                             utf8("  4  CEE         10,00"),
                                             guest,
                                             QString()};
        QTest::newRow("text by event")
            << "by-event"
            << QStringList{utf8("Última proba puntuada: 06"), rulesLine, QString(), utf8("Puntos por proba")};
        QTest::newRow("csv: the guest's position is a word")
            << "csv"
            << QStringList{utf8("Clasificación,Posición,Club,Total"),
                           utf8("Masculina,1,VIGO,\"19,00\""),
                           utf8("Masculina,2,LUGO,\"16,00\""),
                           utf8("Masculina,3,CEE,\"10,00\""),
                           utf8("Feminina,1,LUGO,\"19,00\""),
                           utf8("Feminina,2,VIGO,\"16,00\""),
                           utf8("Feminina,convidado,O'GROVE,\"16,00\""),
                           utf8("Conxunta,1,\"A,B \"\"C\"\"\",\"38,00\""),
                           utf8("Conxunta,2,LUGO,\"35,00\""),
                           utf8("Conxunta,2,VIGO,\"35,00\""),
                           utf8("Conxunta,4,CEE,\"10,00\""),
                           utf8("Conxunta,convidado,O'GROVE,\"16,00\""),
                           QString()};
        QTest::newRow("html") << "html"
                              << QStringList{rulesLine,
                                             utf8("1|VIGO|19,00"),
                                             utf8("2|LUGO|16,00"),
                                             utf8("3|CEE|10,00"),
                                             utf8("1|LUGO|19,00"),
                                             utf8("2|VIGO|16,00"),
                                             utf8("|O'GROVE (convidado)|16,00"),
                                             utf8("1|A,B \"C\"|38,00"),
                                             utf8("2|LUGO|35,00"),
                                             utf8("2|VIGO|35,00"),
                                             utf8("4|CEE|10,00"),
                                             utf8("|O'GROVE (convidado)|16,00")};
        QTest::newRow("json") << "json"
                              << QStringList{QStringLiteral("9-7-6-5-4-3-2-1"),
                                             utf8("1|VIGO|-"),
                                             utf8("2|LUGO|-"),
                                             utf8("3|CEE|-"),
                                             utf8("1|LUGO|-"),
                                             utf8("2|VIGO|-"),
                                             utf8("null|O'GROVE|guest"),
                                             utf8("1|A,B \"C\"|-"),
                                             utf8("2|LUGO|-"),
                                             utf8("2|VIGO|-"),
                                             utf8("4|CEE|-"),
                                             utf8("null|O'GROVE|guest")};
        QTest::newRow("pdf") << "pdf"
                             << QStringList{rulesLine,
                                            utf8("Clasificación Masculina"),
                                            utf8("Pos. Club Puntos"),
                                            utf8("1 VIGO 19,00"),
                                            utf8("2 LUGO 16,00"),
                                            utf8("3 CEE 10,00"),
                                            rulesLine,
                                            utf8("Clasificación Feminina"),
                                            utf8("Pos. Club Puntos"),
                                            utf8("1 LUGO 19,00"),
                                            utf8("2 VIGO 16,00"),
                                            utf8("O'GROVE (convidado) 16,00"),
                                            rulesLine,
                                            utf8("Clasificación Conxunta"),
                                            utf8("Pos. Club Puntos"),
                                            utf8("1 A,B \"C\" 38,00"),
                                            utf8("2 LUGO 35,00"),
                                            utf8("2 VIGO 35,00"),
                                            utf8("4 CEE 10,00"),
                                            utf8("O'GROVE (convidado) 16,00")};
    }
    void editionsByTheRules()
    {
        QFETCH(QString, format);
        QFETCH(QStringList, facts);
        if (format == u"pdf" && QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils is not installed");
        storeSharedRulesWithAGuest();
        QCOMPARE(editionFacts(format), facts);
    }

    // Every published edition is headed by the meet the register holds, and by nothing made
    // up when it holds none; the text and CSV keep their lines.
    void meetHeadsEveryEdition_data()
    {
        QTest::addColumn<bool>("imported");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("where");
        QTest::newRow("imported from Lenex")
            << true << QStringLiteral("Schweizerische Masters Meisterschaften")
            << utf8("Nottwil, 26–27 de setembro de 2009");
        QTest::newRow("made by hand") << false << utf8("Clasificacións") << QString();
    }
    void meetHeadsEveryEdition()
    {
        QFETCH(bool, imported);
        QFETCH(QString, heading);
        QFETCH(QString, where);
        if (imported)
            QCOMPARE(runTool({QStringLiteral("import-lenex"),
                              QStringLiteral(QUILVARDEN_FIXTURES_DIR "/meet-entries.lef"), path()})
                         .status,
                     0);
        const Page html = readPage(standings("html"), QStringLiteral("h1"));
        QCOMPARE(html.texts, QStringList{heading});
        QCOMPARE(readPage(standings("html"), QStringLiteral("p"), QStringLiteral("meet")).texts,
                 where.isEmpty() ? QStringList() : QStringList{where});

        const QJsonObject json = QJsonDocument::fromJson(standings("json").toUtf8()).object();
        QCOMPARE(json.keys(), (QStringList{QStringLiteral("lastEvent"), QStringLiteral("meet"),
                                           QStringLiteral("printedAt"), QStringLiteral("standings")}));
        if (imported)
            QCOMPARE(json[u"meet"].toObject(),
                     (QJsonObject{{QStringLiteral("name"), heading},
                                  {QStringLiteral("place"), QStringLiteral("Nottwil")},
                                  {QStringLiteral("from"), QStringLiteral("2009-09-26")},
                                  {QStringLiteral("to"), QStringLiteral("2009-09-27")}}));
        else
            QVERIFY(json[u"meet"].isNull());

        QVERIFY(standings("text").startsWith(utf8("Impreso o ")));
        QVERIFY(standings("csv").startsWith(utf8("Clasificación,Posición,Club,Total\r\n")));

        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils is not installed");
        const QStringList pages = pdfPages();
        QCOMPARE(pages.size(), 3);
        for (const QString& page : pages) {
            const QStringList lines = page.split(u'\n', Qt::SkipEmptyParts);
            // The meet at the top and again in the footer, over the edition's time.
            if (imported) {
                QCOMPARE(page.split(u'\n', Qt::SkipEmptyParts).first().trimmed(), heading);
                QCOMPARE(page.count(where), 2);
            }
            QVERIFY(page.contains(
                QRegularExpression(utf8("Impreso o \\S+ ás \\S+ · Última proba puntuada: 01"))));
        }
        if (!imported)
            QCOMPARE(pages[0].split(u'\n', Qt::SkipEmptyParts).first().trimmed(),
                     utf8("Clasificación Masculina"));
    }

    // A standing too long for a page goes on over the next with its heading again, and every
    // page says which of how many it is. 82 rows of 14 points or more cannot fit on the 842
    // points of an A4 page.
    void pagesNumbered()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils is not installed");
        QVERIFY(testsupport::runOn(
            path(),
            {QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 80)"
                            " INSERT INTO puntos (orde, proba, sexo, club, puntos)"
                            " SELECT '09', '50FR', 'M', 'K' || i, 100 + i FROM n")}));
        const QStringList pages = pdfPages();
        QVERIFY2(pages.size() >= 5, qPrintable(QString::number(pages.size())));
        for (qsizetype n = 0; n < pages.size(); ++n)
            QVERIFY2(pages[n].contains(utf8("páxina %1 de %2").arg(n + 1).arg(pages.size())),
                     qPrintable(pages[n]));
        QVERIFY(pages[1].contains(utf8("Clasificación Masculina (continuación)")));
        QVERIFY(pages[0].contains(QRegularExpression(QStringLiteral("\\n\\s*1\\s+K80\\s+180,00\\n"))));
        const QString fonts = pdfTool("pdffonts", {path(QStringLiteral("edition.pdf"))});
        QVERIFY2(fonts.contains(QStringLiteral("DejaVuSans")), qPrintable(fonts));
    }

    // Clubs by their full names where the register has them, whole in the HTML, cut with "…"
    // in the PDF only where the column is too narrow; the text keeps the short names.
    void fullNames()
    {
        const QString longName = QStringLiteral("Club Natación ") + QString(200, u'x');
        QVERIFY(testsupport::runOn(path(),
                                   {utf8("INSERT INTO CLUBDESC (CLUBCODE, SHORTDESC, LONGDESC) VALUES"
                                         " ('V', 'VIGO', 'Real Club Náutico de Vigo'), ('L', 'LUGO', '%1')")
                                        .arg(longName)}));
        const Page html = readPage(standings("html"), QStringLiteral("h1"));
        QCOMPARE(html.rows.mid(0, 2), (QStringList{utf8("1|Real Club Náutico de Vigo|19,00"),
                                                   QStringLiteral("2|%1|16,00").arg(longName)}));
        QCOMPARE(standings("text").split(QStringLiteral("\r\n")).at(4), utf8("  1  VIGO        19,00"));
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils is not installed");
        const QStringList pages = pdfPages();
        QVERIFY(pages[0].contains(QRegularExpression(utf8("1\\s+Real Club Náutico de Vigo\\s+19,00"))));
        QVERIFY2(pages[0].contains(QRegularExpression(utf8("2\\s+Club Natación x+…\\s+16,00"))),
                 qPrintable(pages[0]));
    }

    // The meet's name and the clubs' are text, whatever they hold.
    void hostileNamesInTheHtml()
    {
        const QString script = QStringLiteral("<script>alert(1)</script>");
        QVERIFY(testsupport::runOn(
            path(), {QStringLiteral("INSERT INTO quilvarden_programa (nome, desde, ata, lugar) VALUES"
                                    " ('%1' || char(8238) || '%2', '', '', '<b>x</b>')")
                         .arg(script, QString(500, u'n')),
                     QStringLiteral("INSERT INTO CLUBDESC (CLUBCODE, SHORTDESC, LONGDESC) VALUES"
                                    " ('V', 'VIGO', '<img src=x onerror=alert(2)>')")}));
        const QString html = standings("html");
        const Page page = readPage(html, QStringLiteral("script"));
        QVERIFY(page.wellFormed);
        QVERIFY(page.texts.isEmpty());
        QCOMPARE(readPage(html, QStringLiteral("h1")).texts, QStringList{script + QString(500, u'n')});
        QCOMPARE(readPage(html, QStringLiteral("p"), QStringLiteral("meet")).texts,
                 QStringList{QStringLiteral("<b>x</b>")});
        QVERIFY(page.rows.contains(QStringLiteral("1|<img src=x onerror=alert(2)>|19,00")));
        // In the PDF the name is cut to the page's width, and leaves the page's number be.
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils is not installed");
        const QStringList pdf = pdfPages();
        QVERIFY(pdf[0].split(u'\n').first().trimmed().endsWith(utf8("nnn…")));
        QVERIFY(pdf[0].contains(utf8("páxina 1 de 3")));
    }

    void publishingChangesNothingInTheRegister()
    {
        // Opened to read only: no journal mode, no indexes, not a byte.
        const QByteArray before = testsupport::fileDigest(path());
        QCOMPARE(
            runTool({QStringLiteral("standings"), path(), QStringLiteral("--format"), QStringLiteral("text")})
                .status,
            0);
        QCOMPARE(testsupport::fileDigest(path()), before);
    }

    void wrongUse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::newRow("unknown format")
            << QStringList{QStringLiteral("--format"), QStringLiteral("docx")} << 2;
        QTest::newRow("no format") << QStringList() << 2;
        QTest::newRow("PDF needs a file")
            << QStringList{QStringLiteral("--format"), QStringLiteral("pdf")} << 2;
        QTest::newRow("unknown option")
            << QStringList{QStringLiteral("--format"), QStringLiteral("csv"), QStringLiteral("--colour")}
            << 2;
        QTest::newRow("folder missing")
            << QStringList{QStringLiteral("--format"), QStringLiteral("csv"), QStringLiteral("--output"),
                           QStringLiteral("/no/such/folder/x.csv")}
            << 1;
        QTest::newRow("PDF folder missing")
            << QStringList{QStringLiteral("--format"), QStringLiteral("pdf"), QStringLiteral("--output"),
                           QStringLiteral("/no/such/folder/x.pdf")}
            << 1;
    }

    void wrongUse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        const auto run = runTool(QStringList{QStringLiteral("standings"), path()} + arguments);
        QCOMPARE(run.status, status);
        QVERIFY(!run.errors.isEmpty());
    }

    void missingDatabase()
    {
        const auto run = runTool({QStringLiteral("standings"), path(QStringLiteral("none.MDB")),
                                  QStringLiteral("--format"), QStringLiteral("text")});
        QCOMPARE(run.status, 1);
        QVERIFY(run.errors.contains(QStringLiteral("3024")));
    }
};

QTEST_GUILESS_MAIN(TestPublish)
#include "tst_publish.moc"
