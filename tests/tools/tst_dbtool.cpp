#include "data/database.h"
#include "support/categorymeet.h"
#include "support/pgserver.h"
#include "support/scratchdb.h"
#include "support/toolrun.h"
#include "tools/serve.h"

#include <QHostInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkInterface>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace quilvarden;
using namespace Qt::StringLiterals;

// quilvarden-db run as a person runs it: arguments in, exit status and messages out.
class TestDbTool : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString& name = QStringLiteral("quilvarden.MDB")) const
    {
        return m_dir->filePath(name);
    }

    // The tool run in a folder, with an environment of its own when given one.
    static testsupport::ToolRun runIn(const QStringList& arguments, const QString& folder,
                                      const QProcessEnvironment& environment = {})
    {
        return testsupport::runTool(arguments, folder, environment);
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void cleanup() { m_dir.reset(); }

    void helpOfTheToolAndOfEachCommand_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("usage");
        QTest::addColumn<QString>("tells");
        QTest::newRow("the tool") << QStringList{u"--help"_s}
                                  << u"Uso: quilvarden-db ORDE [opcións] ARGUMENTOS"_s
                                  << u"  score-lenex   puntúa as probas desde os resultados"_s;
        QTest::newRow("the tool, short")
            << QStringList{u"-h"_s} << u"Uso: quilvarden-db ORDE [opcións] ARGUMENTOS"_s
            << u"  standings     publica as clasificacións"_s;
        QTest::newRow("create") << QStringList{u"create"_s, u"--help"_s}
                                << u"Uso: quilvarden-db create [opcións] FICHEIRO"_s
                                << u"Nunca sobrescribe"_s;
        QTest::newRow("demo") << QStringList{u"demo"_s, u"-h"_s}
                              << u"Uso: quilvarden-db demo [opcións] FICHEIRO"_s
                              << u"  FICHEIRO  a base de datos: un ficheiro SQLite"_s;
        QTest::newRow("import-mdb") << QStringList{u"import-mdb"_s, u"--help"_s}
                                    << u"Uso: quilvarden-db import-mdb [opcións] MEET.mdb FICHEIRO"_s
                                    << u"  --allow-empty  importa tamén un ficheiro sen probas"_s;
        QTest::newRow("import-lenex")
            << QStringList{u"import-lenex"_s, u"a.lxf"_s, u"--help"_s}
            << u"Uso: quilvarden-db import-lenex [opcións] MEET.lef|MEET.lxf FICHEIRO"_s << u"Lenex 3"_s;
        QTest::newRow("standings") << QStringList{u"standings"_s, u"--help"_s, u"--format"_s}
                                   << u"Uso: quilvarden-db standings [opcións] FICHEIRO"_s
                                   << u"  --format FORMATO  text, csv, html, pdf ou json"_s;
        QTest::newRow("serve") << QStringList{u"serve"_s, u"--help"_s}
                               << u"Uso: quilvarden-db serve [opcións] FICHEIRO"_s
                               << u"  --listen ENDEREZO:PORTO"_s;
        QTest::newRow("score-lenex") << QStringList{u"score-lenex"_s, u"--help"_s}
                                     << u"Uso: quilvarden-db score-lenex [opcións] RESULTADOS FICHEIRO"_s
                                     << u"  --category NOMES  nas probas que puntúan por categorías"_s;
        QTest::newRow("rules") << QStringList{u"rules"_s, u"--help"_s}
                               << u"Uso: quilvarden-db rules [opcións] FICHEIRO"_s << u"  --preset NOME"_s;
    }

    void helpOfTheToolAndOfEachCommand()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, usage);
        QFETCH(QString, tells);
        const auto result = runIn(arguments, m_dir->path());
        QCOMPARE(result.status, 0);
        QCOMPARE(result.errors, QString());
        // Read back as UTF-8, as a terminal shows it: no Latin-1 mojibake (clasificaciÃ³ns).
        QVERIFY2(result.output.startsWith(usage + u"\n\n"_s), qPrintable(result.output));
        QVERIFY2(result.output.contains(tells), qPrintable(result.output));
        for (const QString& line : result.output.split(u'\n'))
            QVERIFY2(line.size() <= 80, qPrintable(line));
    }

    void mistakesNamedInGalician_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("said");
        const auto row = [](const char* name, const QStringList& arguments, const QString& program,
                            const QString& said) { QTest::newRow(name) << arguments << program << said; };
        row("nothing", {}, u"quilvarden-db"_s,
            u"falta a orde: create, demo, import-mdb, import-lenex, standings, categories, serve, "
            u"score-lenex, rules "
            u"ou league"_s);
        row("unknown command", {u"frobnicate"_s, u"x.MDB"_s}, u"quilvarden-db"_s,
            u"orde descoñecida: «frobnicate»"_s);
        row("unknown option of the tool", {u"--frobnicate"_s}, u"quilvarden-db"_s,
            u"opción descoñecida: --frobnicate"_s);
        row("command without its file", {u"create"_s}, u"quilvarden-db create"_s,
            u"falta o ficheiro da base de datos"_s);
        row("one file too many", {u"demo"_s, u"a.MDB"_s, u"b.MDB"_s}, u"quilvarden-db demo"_s,
            u"sobra o argumento «b.MDB»"_s);
        row("scoring without the register", {u"score-lenex"_s, u"r.lxf"_s}, u"quilvarden-db score-lenex"_s,
            u"falta o ficheiro da base de datos"_s);
        row("help misspelt", {u"standings"_s, u"x.MDB"_s, u"--hepl"_s}, u"quilvarden-db standings"_s,
            u"opción descoñecida: --hepl"_s);
        row("two unknown options", {u"import-lenex"_s, u"a.lxf"_s, u"x.MDB"_s, u"-x"_s, u"--force=1"_s},
            u"quilvarden-db import-lenex"_s, u"opcións descoñecidas: -x, --force"_s);
        row("format without its value", {u"standings"_s, u"x.MDB"_s, u"--format"_s},
            u"quilvarden-db standings"_s, u"falta o valor de --format"_s);
        row("format empty", {u"standings"_s, u"x.MDB"_s, u"--format="_s}, u"quilvarden-db standings"_s,
            u"falta o valor de --format"_s);
        row("format xml", {u"standings"_s, u"x.MDB"_s, u"--format"_s, u"xml"_s}, u"quilvarden-db standings"_s,
            u"--format ha ser text, csv, html, pdf ou json, non «xml»"_s);
        row("no format", {u"standings"_s, u"x.MDB"_s}, u"quilvarden-db standings"_s,
            u"falta --format: text, csv, html, pdf ou json"_s);
        row("format twice", {u"standings"_s, u"x.MDB"_s, u"--format"_s, u"csv"_s, u"--format=pdf"_s},
            u"quilvarden-db standings"_s, u"--format dáse 2 veces; dá só un valor"_s);
        row("a flag given a value", {u"import-mdb"_s, u"m.mdb"_s, u"x.MDB"_s, u"--allow-empty=yes"_s},
            u"quilvarden-db import-mdb"_s, u"--allow-empty non leva valor: «--allow-empty=yes»"_s);
        row("events past 999", {u"score-lenex"_s, u"r.lxf"_s, u"x.MDB"_s, u"--events"_s, u"1,998-1000"_s},
            u"quilvarden-db score-lenex"_s,
            u"--events quere números de proba de 0 a 999, como 1,3,5-8,101-125, non «1,998-1000»"_s);
        row("no swimmer a club", {u"score-lenex"_s, u"r.lxf"_s, u"x.MDB"_s, u"--per-club"_s, u"0"_s},
            u"quilvarden-db score-lenex"_s, u"--per-club quere un número enteiro de 1 en diante, non «0»"_s);
        row("categories without a name",
            {u"score-lenex"_s, u"r.lxf"_s, u"x.MDB"_s, u"--category"_s, u" , "_s},
            u"quilvarden-db score-lenex"_s, u"--category quere os nomes das categorías, como 10-11,12-13"_s);
        row("listen without a port", {u"serve"_s, u"x.MDB"_s, u"--listen"_s, u"localhost"_s},
            u"quilvarden-db serve"_s,
            u"--listen quere ENDEREZO:PORTO (por exemplo 0.0.0.0:8080 ou localhost:8080), non «localhost»"_s);
        row("listen on a port past 65535", {u"serve"_s, u"x.MDB"_s, u"--listen"_s, u"localhost:65536"_s},
            u"quilvarden-db serve"_s, u"o porto de --listen ha ser un número de 0 a 65535, non «65536»"_s);
        row("listen on IPv6 without brackets", {u"serve"_s, u"x.MDB"_s, u"--listen"_s, u"::1:8080"_s},
            u"quilvarden-db serve"_s, u"un enderezo IPv6 vai entre corchetes: --listen [::1]:8080"_s);
        row("listen on a name that does not resolve",
            {u"serve"_s, u"x.MDB"_s, u"--listen"_s, u"piscina.invalid:8080"_s}, u"quilvarden-db serve"_s,
            u"non se atopa o ordenador «piscina.invalid» (--listen piscina.invalid:8080): comproba o nome, "
            u"ou dá "
            u"un enderezo, por exemplo 0.0.0.0:8080 ou localhost:8080"_s);
    }

    void mistakesInTheRules_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("said");
        QTest::newRow("an unknown preset")
            << QStringList{u"rules"_s, u"x.MDB"_s, u"--preset"_s, u"9-7"_s}
            << u"--preset ha ser un destes: liga, 9-7-6-5-4-3-2-1, 8-7-6-5-4-3-2-1, 6-4-3-2-1, 5-3-1, "
               u"20-17-16-15-14-13-12-11-9-7-6-5-4-3-2-1; non «9-7»"_s;
        QTest::newRow("a preset and a file")
            << QStringList{u"rules"_s, u"x.MDB"_s, u"--preset=liga"_s, u"--from"_s, u"r.json"_s}
            << u"--preset e --from non van xuntos: dá só un dos dous"_s;
        QTest::newRow("a format while setting")
            << QStringList{u"rules"_s, u"x.MDB"_s, u"--from"_s, u"r.json"_s, u"--format"_s, u"json"_s}
            << u"--format só vale para amosar as regras, non con --preset nin con --from"_s;
        QTest::newRow("a format of its own") << QStringList{u"rules"_s, u"x.MDB"_s, u"--format"_s, u"csv"_s}
                                             << u"--format ha ser text ou json, non «csv»"_s;
    }

    void mistakesInTheRules()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, said);
        const auto result = runIn(arguments, m_dir->path());
        QCOMPARE(result.status, 2);
        QCOMPARE(result.errors,
                 u"quilvarden-db rules: %1\nPara máis axuda: quilvarden-db rules --help\n"_s.arg(said));
        QCOMPARE(testsupport::otherFiles(m_dir->path(), {}), QStringList());
    }

    void mistakesNamedInGalician()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, program);
        QFETCH(QString, said);
        const auto result = runIn(arguments, m_dir->path());
        QCOMPARE(result.status, 2);
        QCOMPARE(result.errors, u"%1: %2\nPara máis axuda: %1 --help\n"_s.arg(program, said));
        QCOMPARE(result.output, QString());
        QCOMPARE(testsupport::otherFiles(m_dir->path(), {}), QStringList());
    }

    void versionWithoutDisplayOrDatabase_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("the tool") << u"quilvarden-db"_s;
        QTest::newRow("the window") << u"quilvarden"_s;
    }

    void versionWithoutDisplayOrDatabase()
    {
        QFETCH(QString, program);
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
            environment.remove(QString::fromLatin1(name));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(m_dir->path());
        process.start(QStringLiteral(QUILVARDEN_BIN_DIR "/") + program, {u"--version"_s});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()),
                 program + u" "_s + QStringLiteral(QUILVARDEN_VERSION) + u"\n"_s);
        QCOMPARE(testsupport::otherFiles(m_dir->path(), {}), QStringList());
    }

    void qtMessagesKeptOut_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("debug");
        QTest::addColumn<QString>("errors");
        const QString missing = u"quilvarden-db: nothere.MDB: Erro 3024: Non se atopa o ficheiro\n"
                                u"O ficheiro non existe.\n"_s;
        QTest::newRow("a failure") << QStringList{u"standings"_s, u"nothere.MDB"_s, u"--format"_s, u"text"_s}
                                   << false << missing;
        QTest::newRow("a PDF, fonts and all")
            << QStringList{u"standings"_s, u"demo.MDB"_s, u"--format"_s, u"pdf"_s, u"--output"_s, u"c.pdf"_s}
            << false << QString();
        QTest::newRow("asked for by QUILVARDEN_DEBUG")
            << QStringList{u"standings"_s, u"nothere.MDB"_s, u"--format"_s, u"text"_s} << true << missing;
    }

    void qtMessagesKeptOut()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, debug);
        QFETCH(QString, errors);
        // As run with su: no XDG_RUNTIME_DIR, which Qt warns of.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"XDG_RUNTIME_DIR"_s);
        environment.remove(u"QUILVARDEN_DEBUG"_s);
        if (debug)
            environment.insert(u"QUILVARDEN_DEBUG"_s, u"1"_s);
        QCOMPARE(runIn({u"demo"_s, u"demo.MDB"_s}, m_dir->path(), environment).status, 0);
        const auto result = runIn(arguments, m_dir->path(), environment);
        if (!debug) {
            QCOMPARE(result.errors, errors);
            return;
        }
        QVERIFY2(result.errors.contains(u"QStandardPaths: XDG_RUNTIME_DIR not set"_s),
                 qPrintable(result.errors));
        QVERIFY2(result.errors.endsWith(errors), qPrintable(result.errors));
    }

    void listenAddress_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("protocol");
        QTest::addColumn<int>("port");
        QTest::newRow("localhost") << u"localhost:8080"_s << u"127.0.0.1"_s
                                   << int(QAbstractSocket::IPv4Protocol) << 8080;
        QTest::newRow("IPv4, any free port")
            << u"127.0.0.1:0"_s << u"127.0.0.1"_s << int(QAbstractSocket::IPv4Protocol) << 0;
        QTest::newRow("IPv6 in brackets")
            << u"[::1]:8081"_s << u"::1"_s << int(QAbstractSocket::IPv6Protocol) << 8081;
        QTest::newRow("every IPv4 address")
            << u"0.0.0.0:8080"_s << u"0.0.0.0"_s << int(QAbstractSocket::IPv4Protocol) << 8080;
        QTest::newRow("every address of both kinds")
            << u"[::]:65535"_s << u"0.0.0.0"_s << int(QAbstractSocket::AnyIPProtocol) << 65535;
    }

    void listenAddress()
    {
        QFETCH(QString, text);
        QFETCH(QString, address);
        QFETCH(int, protocol);
        QFETCH(int, port);
        const tools::ListenAddress listen = tools::listenAddress(text);
        QCOMPARE(listen.mistake, QString());
        QCOMPARE(listen.address.toString(), address);
        QCOMPARE(int(listen.address.protocol()), protocol);
        QCOMPARE(int(listen.port), port);
    }

    void listenOnTheMachineByItsName()
    {
        const tools::ListenAddress listen = tools::listenAddress(QHostInfo::localHostName() + u":8080"_s);
        QCOMPARE(listen.mistake, QString());
        QVERIFY2(QNetworkInterface::allAddresses().contains(listen.address),
                 qPrintable(listen.address.toString()));
    }

    void serveOnLocalhost()
    {
        QVERIFY(runIn({u"demo"_s, u"demo.MDB"_s}, m_dir->path()).status == 0);
        QProcess serving;
        serving.setWorkingDirectory(m_dir->path());
        serving.start(QStringLiteral(QUILVARDEN_BIN_DIR "/quilvarden-db"),
                      {u"serve"_s, u"demo.MDB"_s, u"--listen"_s, u"localhost:0"_s});
        QByteArray said;
        for (QDeadlineTimer deadline(20000); !said.contains("Ctrl+C") && !deadline.hasExpired();)
            if (serving.waitForReadyRead(200))
                said += serving.readAllStandardOutput();
        QVERIFY2(QRegularExpression(u"\n  http://127\\.0\\.0\\.1:\\d+/  "_s)
                     .match(QString::fromUtf8(said))
                     .hasMatch(),
                 said.constData());
        serving.terminate();
        QVERIFY(serving.waitForFinished(10000));
        QCOMPARE(serving.exitCode(), 0);
    }

    void createMakesAnEmptyDatabaseTheProgramOpens()
    {
        const auto result = testsupport::runTool({QStringLiteral("create"), path()});
        QVERIFY2(result.status == 0, qPrintable(result.errors));
        QVERIFY(result.output.contains(path()));
        auto opened = data::Database::open(path());
        QVERIFY(opened);
        QVERIFY((*opened)->clubNames()->isEmpty());
        opened = Failure{};
        for (const char* table : {"puntos", "EVENT", "CLUBCHAMP", "CLUBDESC"})
            QCOMPARE(testsupport::queryRows(
                         path(), QStringLiteral("SELECT COUNT(*) FROM %1").arg(QString::fromLatin1(table))),
                     QStringList{QStringLiteral("0")});
    }

    void demoHoldsARealisticMeet()
    {
        const auto result = testsupport::runTool({QStringLiteral("demo"), path()});
        QVERIFY2(result.status == 0, qPrintable(result.errors));

        const QStringList events = testsupport::queryRows(
            path(), QStringLiteral("SELECT XORDER, EVENTCODE, GENDERCODE FROM EVENT ORDER BY XORDER"));
        QVERIFY(events.size() >= 36 && events.size() <= 44);
        int relays = 0;
        QSet<QString> genders;
        for (qsizetype i = 0; i < events.size(); ++i) {
            const QStringList columns = events[i].split(QLatin1Char('|'));
            QCOMPARE(columns[0].toInt(), int(i + 1)); // running order 1, 2, 3... without gaps
            relays += columns[1].contains(QLatin1Char('X'), Qt::CaseInsensitive) ? 1 : 0;
            genders.insert(columns[2]);
        }
        QVERIFY(relays >= 2 && relays < events.size() / 2);
        QCOMPARE(genders, (QSet<QString>{QStringLiteral("M"), QStringLiteral("F")}));

        auto opened = data::Database::open(path());
        QVERIFY(opened);
        const QStringList clubs = *(*opened)->clubNames();
        QVERIFY(clubs.size() >= 10 && clubs.size() <= 14);
        int accented = 0;
        for (const QString& club : clubs) {
            QVERIFY2(club.size() <= 8 && !club.isEmpty(), qPrintable(club));
            accented += club.toLatin1() != club.toUtf8() ? 1 : 0;
        }
        QVERIFY(accented >= 2);
        QCOMPARE(testsupport::queryRows(path(), QStringLiteral("SELECT COUNT(*) FROM puntos")),
                 QStringList{QStringLiteral("0")});
    }

    // Names holding %1 and %2 (a socket folder in a URI is %2F...) come out as they are.
    void namesWithPercentsOutAsTheyAre_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::newRow("demo") << QStringList{u"demo"_s};
        QTest::newRow("create") << QStringList{u"create"_s};
    }

    void namesWithPercentsOutAsTheyAre()
    {
        QFETCH(QStringList, command);
        const QString named = m_dir->filePath(u"liga%2%1%3.db"_s);
        const auto result = testsupport::runTool(command << named);
        QVERIFY2(result.status == 0, qPrintable(result.errors));
        QVERIFY2(result.output.contains(named), qPrintable(result.output));
        const QString programme = m_dir->filePath(u"programa%2.lef"_s);
        QVERIFY(QFile::copy(QStringLiteral(QUILVARDEN_FIXTURES_DIR "/meet-entries.lef"), programme));
        const auto imported = testsupport::runTool({u"import-lenex"_s, programme, named});
        QVERIFY2(imported.output.startsWith(u"Importadas de %1 en %2: 35 probas"_s.arg(programme, named)),
                 qPrintable(imported.output));
    }

    void neverOverwrites_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("create") << QStringLiteral("create");
        QTest::newRow("demo") << QStringLiteral("demo");
    }

    void neverOverwrites()
    {
        QFETCH(QString, command);
        QVERIFY(testsupport::runOn(path(), testsupport::minimalSchema()
                                               << QStringLiteral("INSERT INTO puntos (orde) VALUES ('07')")));
        const QByteArray before = testsupport::fileDigest(path());
        const auto result = testsupport::runTool({command, path()});
        QCOMPARE(result.status, 1);
        QVERIFY2(result.errors.contains(QStringLiteral("xa existe")), qPrintable(result.errors));
        QCOMPARE(testsupport::fileDigest(path()), before);
        QCOMPARE(testsupport::otherFiles(m_dir->path(), {QStringLiteral("quilvarden.MDB")}), QStringList());
    }

    void aMeetOnAServerWithTheSameCommands()
    {
        testsupport::PgServer server;
        const QString why = server.start();
        QVERIFY2(why.isEmpty(), qPrintable(why));
        const auto tool = [](const QStringList& arguments) {
            const auto run = testsupport::runTool(arguments);
            return run.status == 0 ? QString() : run.errors;
        };
        // One command sets up a meet in a database the server does not have yet.
        const QString meet = server.uri(QStringLiteral("trofeo"));
        QCOMPARE(tool({QStringLiteral("demo"), meet}), QString());
        QVERIFY(tool({QStringLiteral("demo"), meet}).contains(QStringLiteral("non se sobrescribe")));
        QCOMPARE(tool({QStringLiteral("import-lenex"),
                       QStringLiteral(QUILVARDEN_FIXTURES_DIR "/meet-entries.lxf"), meet}),
                 QString());
        QCOMPARE(testsupport::queryRows(meet, QStringLiteral("SELECT COUNT(*) FROM CLUBCHAMP")),
                 QStringList{QStringLiteral("43")});
        const auto standings = testsupport::runTool(
            {QStringLiteral("standings"), meet, QStringLiteral("--format"), QStringLiteral("csv")});
        QVERIFY2(standings.status == 0 &&
                     standings.output.startsWith(QStringLiteral("Clasificación,Posición")),
                 qPrintable(standings.errors));
        // The rules kept in the server's register.
        QCOMPARE(tool({u"rules"_s, meet, u"--preset"_s, u"5-3-1"_s}), QString());
        QVERIFY(
            testsupport::runTool({u"rules"_s, meet}).output.contains(u"Remudas: 7-3; despois do posto 2"_s));
        // An empty register in a database that is there.
        QCOMPARE(tool({QStringLiteral("create"), server.uri(server.newDatabase())}), QString());
    }

    void passwordNeverPrinted()
    {
        testsupport::PgServer server;
        const QString why = server.start();
        QVERIFY2(why.isEmpty(), qPrintable(why));
        // The server lets anyone in, so the tool gets to a database that is not there and
        // names it: with an encoded "@" in the password, and given again as a parameter
        // whose name is encoded.
        const QString uri =
            server.uri(u"ningunha"_s).replace(u"quilvarden@"_s, u"quilvarden:s3c%40retPw@"_s) +
            u"?pass%77ord=s3cretPw"_s;
        const auto result = testsupport::runTool({u"standings"_s, uri, u"--format"_s, u"text"_s});
        QCOMPARE(result.status, 1);
        const QString shown =
            QString(uri).replace(u"s3c%40retPw"_s, u"***"_s).replace(u"s3cretPw"_s, u"***"_s);
        QVERIFY2(result.errors.startsWith(u"quilvarden-db: %1: Erro 3024"_s.arg(shown)),
                 qPrintable(result.errors));
        QVERIFY2(!result.errors.contains(u"s3c"_s) && !result.errors.contains(u"retPw"_s),
                 qPrintable(result.errors));
    }

    void refusedLoginToldApart()
    {
        testsupport::PgServer server;
        server.requirePassword(u"s3c@retPw"_s);
        const QString why = server.start();
        QVERIFY2(why.isEmpty(), qPrintable(why));
        const QString wrong = server.uri(server.newDatabase()).replace(u"s3c%40retPw"_s, u"wrongPw"_s);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"PGPASSWORD"_s);
        environment.insert(u"PGPASSFILE"_s, u"/nonexistent/pgpass"_s);
        const auto result = runIn({u"demo"_s, wrong}, m_dir->path(), environment);
        QCOMPARE(result.status, 1);
        QVERIFY2(result.errors.startsWith(
                     u"quilvarden-db: %1: Erro 3029: O servidor rexeitou o usuario ou o "
                     "contrasinal\nComproba o usuario e o contrasinal do URI, de ~/.pgpass ou "
                     "de PGPASSWORD"_s.arg(QString(wrong).replace(u"wrongPw"_s, u"***"_s))),
                 qPrintable(result.errors));
        QVERIFY2(!result.errors.contains(u"wrongPw"_s), qPrintable(result.errors));
    }

    // The register's rules as the tool prints them: the league's when none were set.
    QString rulesOf(const QStringList& format = {}) const
    {
        const auto shown = testsupport::runTool(QStringList{u"rules"_s, path()} + format);
        return shown.status == 0 ? shown.output : shown.errors;
    }

    // A register made by the tool, its rules set from a file written here.
    testsupport::ToolRun rulesFrom(const QByteArray& json) const
    {
        QFile file(path(u"regras.json"_s));
        if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size())
            return {};
        file.close();
        return testsupport::runTool({u"rules"_s, path(), u"--from"_s, file.fileName()});
    }

    void rulesShownAndSet()
    {
        QCOMPARE(testsupport::runTool({u"create"_s, path()}).status, 0);
        QCOMPARE(rulesOf(),
                 u"O rexistro non ten regras propias: puntúa coa escala da liga, as regras por omisión "
                 u"(score-lenex puntúa un nadador ou remuda de cada club por proba, se non se lle di "
                 u"--per-club).\n"
                 u"Nome: liga\n"
                 u"Probas individuais: 19-16-14-13; despois do posto 4, 1 menos por posto, sen baixar de 0\n"
                 u"Remudas: o dobre dos puntos das probas individuais\n"
                 u"Puntúan de cada club en cada proba: nas individuais, todas; nas remudas, todas\n"
                 u"Empates nunha proba: repártense entre eles os puntos dos postos que ocupan\n"
                 u"Totais iguais na clasificación: postos consecutivos, na orde da clasificación\n"
                 u"Probas con clasificación absoluta e por categorías: puntúan as categorías\n"
                 u"Clubs convidados, que nadan sen puntuar: ningún\n"_s);
        const auto set = testsupport::runTool({u"rules"_s, path(), u"--preset"_s, u"6-4-3-2-1"_s});
        QCOMPARE(set.errors, QString());
        QCOMPARE(set.status, 0);
        QVERIFY2(
            set.output.startsWith(u"Gardáronse no rexistro as regras «6-4-3-2-1».\nOs puntos xa gardados "
                                  u"quedan como están"_s),
            qPrintable(set.output));
        const QJsonObject preset = QJsonDocument::fromJson(rulesOf({u"--format=json"_s}).toUtf8()).object();
        QCOMPARE(preset.value(u"individual"_s).toArray(), (QJsonArray{6, 4, 3, 2, 1}));
        QCOMPARE(preset.value(u"relay"_s).toArray(), (QJsonArray{8, 4, 2}));
        QCOMPARE(preset.value(u"after"_s).toString(), u"zero"_s);
        const QString text = rulesOf();
        QVERIFY2(text.startsWith(
                     u"Nome: 6-4-3-2-1\nProbas individuais: 6-4-3-2-1; despois do posto 5, ningún punto\n"
                     u"Remudas: 8-4-2; despois do posto 3, ningún punto\n"_s),
                 qPrintable(text));

        const auto own = rulesFrom(R"({"name": "Trofeo", "individual": [10, 7], "after": "step",
            "relay": [4.5, 4.5], "scorers": {"individual": 2}, "ties": "full", "equal_totals": "shared", "guests": ["GAL", "LUG"], "ranking": "open"})");
        QCOMPARE(own.status, 0);
        QCOMPARE(rulesOf(),
                 u"Nome: Trofeo\n"
                 u"Probas individuais: 10-7; despois do posto 2, 3 menos por posto, sen baixar de 0\n"
                 u"Remudas: 4,5-4,5; despois do posto 2, os mesmos 4,5 puntos\n"
                 u"Puntúan de cada club en cada proba: nas individuais, 2; nas remudas, todas\n"
                 u"Empates nunha proba: cada un leva os puntos do mellor dos postos que ocupan\n"
                 u"Totais iguais na clasificación: o mesmo posto, e o seguinte salta tantos como eles\n"
                 u"Probas con clasificación absoluta e por categorías: puntúa a absoluta\n"
                 u"Clubs convidados, que nadan sen puntuar: GAL, LUG\n"_s);
        // The league's scale set on purpose is told as the default it is.
        QCOMPARE(testsupport::runTool({u"rules"_s, path(), u"--preset"_s, u"LIGA"_s}).status, 0);
        QVERIFY(rulesOf().startsWith(
            u"As regras do rexistro son as por omisión, a escala da liga.\nNome: liga\n"_s));
    }

    void rulesNotSetFromAFault_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("said");
        QTest::newRow("a rising table") << QByteArray(R"({"individual": [5, 9]})")
                                        << u"Erro 3001: Argumento non válido\nA táboa das probas individuais "
                                           u"sobe no posto 2"_s;
        QTest::newRow("not JSON") << QByteArray("{9-7-6") << u"Erro 3001: Argumento non válido\nNon é JSON"_s;
        QTest::newRow("no file") << QByteArray() << u"Erro 3024: Non se atopa o ficheiro"_s;
    }

    void rulesNotSetFromAFault()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, said);
        QCOMPARE(testsupport::runTool({u"create"_s, path()}).status, 0);
        QCOMPARE(testsupport::runTool({u"rules"_s, path(), u"--preset"_s, u"5-3-1"_s}).status, 0);
        const QString before = rulesOf({u"--format"_s, u"json"_s});
        const QString file = path(u"regras.json"_s);
        const auto result =
            json.isEmpty() ? testsupport::runTool({u"rules"_s, path(), u"--from"_s, file}) : rulesFrom(json);
        QCOMPARE(result.status, 1);
        QCOMPARE(result.output, QString());
        QVERIFY2(result.errors.startsWith(u"quilvarden-db: %1: %2"_s.arg(file, said)),
                 qPrintable(result.errors));
        QCOMPARE(rulesOf({u"--format"_s, u"json"_s}), before);
    }

    // A register another program holds locked is refused with its own message, and kept as it was.
    void rulesOfALockedRegisterNotSet()
    {
        QCOMPARE(testsupport::runTool({u"create"_s, path()}).status, 0);
        const QString before = rulesOf();
        {
            QSqlDatabase holder = testsupport::connectTo(path(), u"holder"_s);
            QVERIFY(holder.open());
            QSqlQuery lock(holder);
            QVERIFY(lock.exec(u"BEGIN EXCLUSIVE"_s));
            const auto result = testsupport::runTool({u"rules"_s, path(), u"--preset"_s, u"5-3-1"_s});
            QCOMPARE(result.status, 1);
            QVERIFY2(result.errors.startsWith(u"quilvarden-db: %1: Erro 3260"_s.arg(path())),
                     qPrintable(result.errors));
            QVERIFY(lock.exec(u"ROLLBACK"_s));
        }
        QSqlDatabase::removeDatabase(u"holder"_s);
        QCOMPARE(rulesOf(), before);
    }

    // A register that is not there is not made by setting its rules, nor by reading them.
    void rulesOfNoRegister_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("shown") << QStringList{};
        QTest::newRow("set") << QStringList{u"--preset"_s, u"liga"_s};
    }

    void rulesOfNoRegister()
    {
        QFETCH(QStringList, options);
        const auto result = runIn(QStringList{u"rules"_s, u"nothere.MDB"_s} + options, m_dir->path());
        QCOMPARE(result.status, 1);
        QCOMPARE(result.errors, u"quilvarden-db: nothere.MDB: Erro 3024: Non se atopa o ficheiro\n"
                                u"O ficheiro non existe.\n"_s);
        QVERIFY(QDir(m_dir->path()).isEmpty());
    }

    // The standings or points of one category, or all of them, as chosen; a category the
    // meet does not have is a mistake that names those it has.
    void categoryChosen_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("lines");
        const QStringList text{u"--format"_s, u"text"_s};
        QTest::newRow("one category") << text + QStringList{u"--category"_s, u"10-11"_s} << 0
                                      << QStringList{u"Clasificación Masculina: 10-11"_s,
                                                     u"  1  VIGO        09,00"_s,
                                                     u"  2  LUGO        07,00"_s,
                                                     u"Clasificación Feminina: 10-11"_s,
                                                     u"  1  VIGO        09,00"_s,
                                                     u"Clasificación Conxunta: 10-11"_s,
                                                     u"  1  VIGO        18,00"_s,
                                                     u"  2  LUGO        07,00"_s,
                                                     QString()};
        const QStringList unknown{u"quilvarden-db standings: O campionato non ten a categoría «14-15». "
                                  u"Ten: 10-11, 12-13."_s,
                                  u"Para máis axuda: quilvarden-db standings --help"_s, QString()};
        QTest::newRow("unknown") << text + QStringList{u"--category"_s, u"14-15"_s} << 2 << unknown;
        QTest::newRow("unknown, by event")
            << QStringList{u"--by-event"_s, u"--format"_s, u"csv"_s, u"--category"_s, u"14-15"_s} << 2
            << unknown;
        QTest::newRow("by event, each with its category")
            << text + QStringList{u"--by-event"_s} << 0
            << QStringList{u"Puntos por proba"_s,
                           u"01  100FRM VIGO      9,00  10-11"_s,
                           u"01  100FRM LUGO      7,00  10-11"_s,
                           u"01  100FRM LUGO      9,00  12-13"_s,
                           u"02   50BKF VIGO      9,00  10-11"_s,
                           u"02   50BKF LUGO      6,00  12-13"_s,
                           u"03 4X50FRX VIGO      5,00"_s,
                           QString()};
        QTest::newRow("by event, one category")
            << text + QStringList{u"--by-event"_s, u"--category"_s, u"12-13"_s} << 0
            << QStringList{u"Puntos por proba"_s, u"01  100FRM LUGO      9,00  12-13"_s,
                           u"02   50BKF LUGO      6,00  12-13"_s, QString()};
        QTest::newRow("by event as CSV") << QStringList{u"--by-event"_s, u"--format"_s, u"csv"_s} << 0
                                         << QStringList{u"Proba,Código,Sexo,Club,Puntos,Categoría"_s,
                                                        u"01,100FR,M,VIGO,\"9,00\",10-11"_s,
                                                        u"01,100FR,M,LUGO,\"7,00\",10-11"_s,
                                                        u"01,100FR,M,LUGO,\"9,00\",12-13"_s,
                                                        u"02,50BK,F,VIGO,\"9,00\",10-11"_s,
                                                        u"02,50BK,F,LUGO,\"6,00\",12-13"_s,
                                                        u"03,4X50FR,X,VIGO,\"5,00\","_s,
                                                        QString()};
    }
    void categoryChosen()
    {
        QFETCH(QStringList, options);
        QFETCH(int, status);
        QFETCH(QStringList, lines);
        QVERIFY(testsupport::makeCategoryMeet(path()));
        const auto result = runIn(QStringList{u"standings"_s, u"quilvarden.MDB"_s} + options, m_dir->path());
        QCOMPARE(result.status, status);
        if (status != 0) {
            QCOMPARE(result.errors.split(u'\n'), lines);
            QCOMPARE(result.output, QString());
            return;
        }
        QStringList got = result.output.split(u"\r\n"_s);
        // The text's time of printing, last event and blank line before the figures.
        if (options.contains(u"text"_s))
            got = got.mid(3);
        QCOMPARE(got, lines);
    }

    // A league of one matchday swum and one to come, added up from the meet's register; a
    // club joined in a matchday the league does not have is refused, named.
    void leagueAddedUp_data()
    {
        QTest::addColumn<QString>("same");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("text") << QString() << 0
                              << QStringList{u"Liga"_s,
                                             u"X1: 1ª xornada"_s,
                                             u"X2: 2ª xornada (sen disputar)"_s,
                                             QString(),
                                             u"Clasificación Masculina"_s,
                                             u"Pos  Club           X1       X2    Total"_s,
                                             u"  1  LUGO        16,00             16,00"_s,
                                             u"  2  VIGO        09,00             09,00"_s,
                                             QString(),
                                             u"Clasificación Feminina"_s,
                                             u"Pos  Club           X1       X2    Total"_s,
                                             u"  1  VIGO        09,00             09,00"_s,
                                             u"  2  LUGO        06,00             06,00"_s,
                                             QString(),
                                             u"Clasificación Conxunta"_s,
                                             u"Pos  Club           X1       X2    Total"_s,
                                             u"  1  VIGO        23,00             23,00"_s,
                                             u"  2  LUGO        22,00             22,00"_s,
                                             QString(),
                                             u"Clubs que só están nunha xornada:"_s,
                                             u"  LUGO (1ª xornada: LUGO)"_s,
                                             u"  VIGO (1ª xornada: VIGO)"_s,
                                             QString()};
        QTest::newRow("an unknown matchday in same")
            << u", \"same\": [[\"quilvarden:VIGO\", \"4:VIGO\"]]"_s << 1
            << QStringList{u"quilvarden-db: liga.json: Erro 3001: Argumento non válido"_s,
                           u"A liga non ten a xornada «4» (en «4:VIGO»)."_s, QString()};
    }
    void leagueAddedUp()
    {
        QFETCH(QString, same);
        QFETCH(int, status);
        QFETCH(QStringList, lines);
        QVERIFY(testsupport::makeCategoryMeet(path()));
        QFile league(path(u"liga.json"_s));
        QVERIFY(league.open(QIODevice::WriteOnly));
        league.write(u"{\"name\": \"Liga\", \"matchdays\": [{\"name\": \"1ª xornada\", \"register\": "
                     u"\"quilvarden.MDB\"}, {\"name\": \"2ª xornada\"}]%1}"_s.arg(same)
                         .toUtf8());
        league.close();
        const auto result = runIn({u"league"_s, u"liga.json"_s}, m_dir->path());
        QCOMPARE(result.status, status);
        QCOMPARE((status == 0 ? result.output.split(u"\r\n"_s) : result.errors.split(u'\n')), lines);
    }

    // The same league on a page, on PDF (read back by pdftotext, spacing aside) and for one
    // category: its heading and its first club's line.
    void leagueOnAPage_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("html") << QStringList{u"--format"_s, u"html"_s}
                              << QStringList{u"<h2>Clasificación Conxunta</h2>"_s,
                                             u"<tr><td class=\"pos\">1</td><td class=\"club\">VIGO</td><td "
                                             u"class=\"pts\">23,00</td><td class=\"pts\"></td><td "
                                             u"class=\"pts\">23,00</td></tr>"_s};
        QTest::newRow("pdf") << QStringList{u"--format"_s, u"pdf"_s, u"--output"_s, u"liga.pdf"_s}
                             << QStringList{u"Clasificación Conxunta"_s, u"1 VIGO 23,00 23,00"_s};
        QTest::newRow("one category")
            << QStringList{u"--category"_s, u"12-13"_s}
            << QStringList{u"Clasificación Masculina: 12-13"_s, u"1 LUGO 09,00 09,00"_s};
    }
    void leagueOnAPage()
    {
        QFETCH(QStringList, options);
        QFETCH(QStringList, lines);
        const bool pdf = options.contains(u"pdf"_s);
        if (pdf && QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            QSKIP("poppler-utils is not installed");
        QVERIFY(testsupport::makeCategoryMeet(path()));
        QFile league(path(u"liga.json"_s));
        QVERIFY(league.open(QIODevice::WriteOnly));
        league.write(u"{\"name\": \"Liga\", \"matchdays\": [{\"name\": \"1ª xornada\", \"register\": "
                     u"\"quilvarden.MDB\"}, {\"name\": \"2ª xornada\"}]}"_s.toUtf8());
        league.close();
        const auto result = runIn(QStringList{u"league"_s, u"liga.json"_s} + options, m_dir->path());
        QVERIFY2(result.status == 0, qPrintable(result.errors));
        QString output = result.output;
        if (pdf) {
            QProcess reading;
            reading.start(u"pdftotext"_s, {u"-layout"_s, path(u"liga.pdf"_s), u"-"_s});
            QVERIFY(reading.waitForFinished(60000));
            output = QString::fromUtf8(reading.readAllStandardOutput());
        }
        QStringList got;
        for (const QString& line : output.split(u'\n'))
            got << (options.contains(u"html"_s) ? line : line.simplified());
        for (const QString& line : lines)
            QVERIFY2(got.contains(line), qPrintable(line + u"\n"_s + output));
    }

    void missingFolderReported()
    {
        const QString target = m_dir->filePath(QStringLiteral("no/such/folder/quilvarden.MDB"));
        const auto result = testsupport::runTool({QStringLiteral("demo"), target});
        QCOMPARE(result.status, 1);
        QVERIFY2(result.errors.contains(QStringLiteral("no/such/folder")), qPrintable(result.errors));
        QVERIFY(QDir(m_dir->path()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDbTool)
#include "tst_dbtool.moc"
