#include "data/database.h"
#include "support/scratchdb.h"
#include "support/toolrun.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

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

    void html()
    {
        const auto run = runTool(
            {QStringLiteral("standings"), path(), QStringLiteral("--format"), QStringLiteral("html")});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        // Well-formed, and every line of every standing is there, whole.
        QXmlStreamReader reader(run.output);
        QStringList preformatted;
        while (!reader.atEnd()) {
            if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == u"pre")
                preformatted << reader.readElementText().split(QLatin1Char('\n'));
        }
        QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
        QCOMPARE(preformatted, menLines() + womenLines() + combinedLines());
        QVERIFY(run.output.contains(QStringLiteral("name=\"viewport\"")));
        QVERIFY(run.output.contains(utf8("Clasificación Feminina")));
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
