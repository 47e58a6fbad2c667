#include "data/database.h"
#include "live/server.h"
#include "support/httpclient.h"
#include "support/pgserver.h"
#include "support/scratchdb.h"
#include "support/testmeet.h"
#include "support/toolrun.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace quilvarden;
using testsupport::HttpClient;

// The live standings server, spoken to over real sockets: what it answers, what it refuses,
// the update stream, and a register that is locked or away. On a file and on a server.
class TestLiveServer : public QObject {
    Q_OBJECT

public:
    TestLiveServer(data::Engine engine, testsupport::PgServer* server) : m_engine(engine), m_pg(server) {}

private:
    const data::Engine m_engine;
    testsupport::PgServer* m_pg;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_where;
    std::unique_ptr<data::Database> m_station;
    std::unique_ptr<live::LiveServer> m_server;

    bool onFile() const { return m_engine == data::Engine::Sqlite; }

    void serve(live::ServeOptions options = {})
    {
        options.port = 0;
        Result<std::unique_ptr<live::LiveServer>> started = live::LiveServer::start(m_where, options);
        QVERIFY2(started, started ? "" : qPrintable(started.failure().message()));
        m_server = std::move(started).value();
    }

    qint64 record(const QString& order, const QString& gender, const QString& club, double points)
    {
        const Result<qint64> id =
            m_station->recordAward({order, QStringLiteral("100FR"), gender, club, points});
        return id ? *id : -1;
    }

    // The answer to one request on a connection of its own.
    HttpClient::Reply fetch(const QByteArray& path, const QByteArray& method = "GET")
    {
        HttpClient client(m_server->port());
        client.get(path, method);
        [&] { QTRY_VERIFY_WITH_TIMEOUT(client.reply(method == "HEAD"), 5000); }();
        return client.reply(method == "HEAD").value_or(HttpClient::Reply{});
    }

    // The n-th loopback address after 127.0.0.1: a device of its own to the server.
    static QHostAddress loopback(size_t n) { return QHostAddress(QStringLiteral("127.0.0.%1").arg(n + 2)); }

    // The update stream's latest message, once it carries the award (or none).
    static bool streamShows(const HttpClient& client, const QJsonValue& award)
    {
        const QList<QJsonObject> events = client.events();
        return !events.isEmpty() && events.last().value(QStringLiteral("award")) == award;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_where = testsupport::newRegister(m_engine, *m_dir, m_pg);
        QVERIFY(testsupport::makeTestMeet(m_where));
        auto station = data::Database::open(m_where);
        QVERIFY(station);
        m_station = std::move(station).value();
        // Women's 100 free: VIGO, LUGO; men's: CORUÑA, VIGO.
        QVERIFY(record(QStringLiteral("01"), QStringLiteral("F"), QStringLiteral("VIGO"), 19) > 0);
        QVERIFY(record(QStringLiteral("01"), QStringLiteral("F"), QStringLiteral("LUGO"), 16) > 0);
        QVERIFY(record(QStringLiteral("02"), QStringLiteral("M"), QString::fromUtf8("CORUÑA"), 19) > 0);
        QVERIFY(record(QStringLiteral("02"), QStringLiteral("M"), QStringLiteral("VIGO"), 16) > 0);
    }

    void cleanup()
    {
        m_server.reset();
        m_station.reset();
        m_dir.reset();
    }

    void answers_data()
    {
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<QByteArray>("holds");
        QTest::newRow("phone page") << QByteArray("GET") << QByteArray("/") << 200 << QByteArray("text/html")
                                    << QByteArray("Clasificación Conxunta");
        QTest::newRow("page with a query") << QByteArray("GET") << QByteArray("/?x=<b>") << 200
                                           << QByteArray("text/html") << QByteArray("class=\"phone\"");
        QTest::newRow("board") << QByteArray("GET") << QByteArray("/board") << 200 << QByteArray("text/html")
                               << QByteArray("class=\"board\"");
        QTest::newRow("csv") << QByteArray("GET") << QByteArray("/standings.csv") << 200
                             << QByteArray("text/csv") << QByteArray("Conxunta,1,VIGO,\"35,00\"");
        QTest::newRow("pdf") << QByteArray("GET") << QByteArray("/standings.pdf") << 200
                             << QByteArray("application/pdf") << QByteArray("%PDF");
        QTest::newRow("json") << QByteArray("GET") << QByteArray("/standings.json") << 200
                              << QByteArray("application/json") << QByteArray("\"total\": 35");
        QTest::newRow("script") << QByteArray("GET") << QByteArray("/live.js") << 200
                                << QByteArray("text/javascript") << QByteArray("EventSource");
        QTest::newRow("the browser's icon") << QByteArray("GET") << QByteArray("/favicon.ico") << 204
                                            << QByteArray("image/x-icon") << QByteArray();
        QTest::newRow("unknown path") << QByteArray("GET") << QByteArray("/admin") << 404
                                      << QByteArray("text/plain") << QByteArray("Non hai nada");
        QTest::newRow("up the tree") << QByteArray("GET") << QByteArray("/../../../../etc/passwd") << 404
                                     << QByteArray("text/plain") << QByteArray();
        QTest::newRow("up the tree, encoded") << QByteArray("GET") << QByteArray("/%2e%2e/%2e%2e/etc/passwd")
                                              << 404 << QByteArray("text/plain") << QByteArray();
        QTest::newRow("through a served name")
            << QByteArray("GET") << QByteArray("/live.js/../../etc/hostname") << 404
            << QByteArray("text/plain") << QByteArray();
        QTest::newRow("the register's name") << QByteArray("GET") << QByteArray("/quilvarden.MDB") << 404
                                             << QByteArray("text/plain") << QByteArray();
        for (const char* method : {"POST", "PUT", "DELETE", "PATCH", "OPTIONS"})
            QTest::newRow(method) << QByteArray(method) << QByteArray("/standings.json") << 405
                                  << QByteArray("text/plain") << QByteArray("só se pode ler");
    }

    void answers()
    {
        QFETCH(QByteArray, method);
        QFETCH(QByteArray, path);
        QFETCH(int, status);
        QFETCH(QByteArray, type);
        QFETCH(QByteArray, holds);
        serve();
        const HttpClient::Reply reply = fetch(path, method);
        QCOMPARE(reply.status, status);
        QVERIFY2(reply.head.contains("Content-Type: " + type), reply.head.constData());
        QVERIFY2(reply.body.contains(holds), reply.body.left(300).constData());
        if (status == 405)
            QVERIFY(reply.head.contains("Allow: GET, HEAD"));
        // Whatever was asked, the register holds the same four awards.
        QCOMPARE(m_station->clubTotals()->size(), 4);
    }

    void headHasNoBody()
    {
        serve();
        const HttpClient::Reply page = fetch("/");
        const HttpClient::Reply head = fetch("/", "HEAD");
        QCOMPARE(head.status, 200);
        QVERIFY(head.head.contains("Content-Length: " + QByteArray::number(page.body.size())));
        QVERIFY(head.body.isEmpty());
    }

    void editionsAreTheTools()
    {
        serve();
        // The same CSV as "quilvarden-db standings"; the JSON's combined standing by hand.
        const testsupport::ToolRun tool = testsupport::runTool(
            {QStringLiteral("standings"), m_where, QStringLiteral("--format"), QStringLiteral("csv")});
        QCOMPARE(tool.status, 0);
        QCOMPARE(QString::fromUtf8(fetch("/standings.csv").body), tool.output);
        const QJsonArray standings = QJsonDocument::fromJson(fetch("/standings.json").body)
                                         .object()
                                         .value(QStringLiteral("standings"))
                                         .toArray();
        QCOMPARE(standings.size(), 3);
        QStringList combined;
        for (const QJsonValue& club : standings[2].toObject().value(QStringLiteral("clubs")).toArray())
            combined << QStringLiteral("%1 %2 %3")
                            .arg(club[QStringLiteral("position")].toInt())
                            .arg(club[QStringLiteral("club")].toString())
                            .arg(club[QStringLiteral("total")].toDouble());
        QCOMPARE(combined, QStringList({QStringLiteral("1 VIGO 35"), QString::fromUtf8("2 CORUÑA 19"),
                                        QStringLiteral("3 LUGO 16")}));
    }

    // Both pages are headed by the meet the register holds, nothing made up when it holds
    // none; clubs by their full names (the board keeps the short one beside it), points
    // without leading zeros. The meet's name is text, whatever it holds.
    void meetHeadsThePages_data()
    {
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<QByteArray>("heading");
        QTest::addColumn<QByteArray>("where");
        QTest::newRow("a meet with its place")
            << QStringList{QStringLiteral(
                   "INSERT INTO quilvarden_programa (nome, desde, ata, lugar) VALUES"
                   " ('Trofeo <script>x</script>', '2026-12-07', '2026-12-08', 'Lugo')")}
            << QByteArray("<h1>Trofeo &lt;script&gt;x&lt;/script&gt;</h1>")
            << QByteArray("<p class=\"meet\">Lugo, 7–8 de decembro de 2026</p>");
        QTest::newRow("no meet") << QStringList{} << QByteArray("<h1>Clasificacións en directo</h1>")
                                 << QByteArray();
    }
    void meetHeadsThePages()
    {
        QFETCH(QStringList, statements);
        QFETCH(QByteArray, heading);
        QFETCH(QByteArray, where);
        statements << QStringLiteral(
            "UPDATE CLUBDESC SET LONGDESC = 'Club Natación Vigo' WHERE SHORTDESC = 'VIGO'");
        QVERIFY(testsupport::runOn(m_where, statements));
        QVERIFY(record(QStringLiteral("03"), QStringLiteral("M"), QStringLiteral("LUGO"), 8) > 0);
        serve();
        for (const QByteArray& path : {QByteArray("/"), QByteArray("/board")}) {
            const QByteArray page = fetch(path).body;
            QVERIFY2(page.contains(heading), page.constData());
            QCOMPARE(page.contains("class=\"meet\""), !where.isEmpty());
            QVERIFY(where.isEmpty() || page.contains(where));
            QVERIFY(page.contains("<td class=\"club\" data-short=\"VIGO\"><span class=\"name\">"
                                  "Club Natación Vigo</span></td>"));
            QVERIFY(page.contains(
                "<td class=\"club\"><span class=\"name\">LUGO</span></td><td class=\"pts\">8,00</td>"));
            QVERIFY(!page.contains("08,00"));
            QCOMPARE(page.contains("class=\"turn\""), path == "/board");
            QCOMPARE(page.contains("<nav class=\"jump\">"), path == "/");
        }
    }

    void hostileNamesStayText()
    {
        const QString script = QStringLiteral("<script>alert(1)</script>");
        QVERIFY(record(QStringLiteral("03"), QStringLiteral("F"), script, 28) > 0);
        QVERIFY(record(QStringLiteral("03"), QStringLiteral("F"), QStringLiteral("\"});alert('x')//"), 26) >
                0);
        QVERIFY(record(QStringLiteral("03"), QStringLiteral("F"), QStringLiteral("=HYPERLINK(\"x\")"), 24) >
                0);
        serve();
        const QByteArray page = fetch("/").body;
        QVERIFY(!page.contains("<script>alert"));
        QVERIFY(page.contains("&lt;script&gt;alert(1)&lt;/script&gt;"));
        QVERIFY(page.contains("&quot;});alert('x')//"));
        QVERIFY(fetch("/standings.csv").body.contains("'=HYPERLINK(\"\"x\"\")"));
        QVERIFY(QJsonDocument::fromJson(fetch("/standings.json").body)
                    .toJson()
                    .contains("<script>alert(1)</script>"));
        // The stream's message is JSON on one line, whatever the names hold.
        HttpClient stream(m_server->port());
        stream.get("/events");
        QTRY_COMPARE_WITH_TIMEOUT(stream.events().size(), 1, 5000);
        QVERIFY(stream.events()
                    .first()
                    .value(QStringLiteral("html"))
                    .toString()
                    .contains(QStringLiteral("&lt;script&gt;alert(1)&lt;/script&gt;")));
    }

    void streamFollowsEveryStation()
    {
        serve();
        HttpClient first(m_server->port());
        HttpClient second(m_server->port());
        HttpClient vanishing(m_server->port());
        for (HttpClient* client : {&first, &second, &vanishing})
            client->get("/events");
        QTRY_VERIFY_WITH_TIMEOUT(first.events().size() == 1 && second.events().size() == 1, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(vanishing.events().size(), 1, 5000);
        vanishing.abort();
        const QByteArray pdf = fetch("/standings.pdf").body;

        const qint64 id = record(QStringLiteral("03"), QStringLiteral("F"), QStringLiteral("LUGO"), 38);
        QTRY_VERIFY_WITH_TIMEOUT(streamShows(first, id) && streamShows(second, id), 5000);
        QVERIFY(
            first.events().last().value(QStringLiteral("html")).toString().contains(QStringLiteral("38,00")));
        // LUGO's women: 16 and 38.
        QVERIFY(fetch("/standings.json").body.contains("\"total\": 54"));
        // The PDF follows the pages, made apart.
        QTRY_VERIFY_WITH_TIMEOUT(fetch("/standings.pdf").body != pdf, 5000);
        // Another station's undo goes out too; the earlier award is the latest again.
        auto other = data::Database::open(m_where);
        QVERIFY(other);
        const qint64 before = *(*other)->latestAwardId().value();
        QVERIFY((*other)->deleteAward(id));
        QTRY_VERIFY_WITH_TIMEOUT(streamShows(first, before) && streamShows(second, before), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(m_server->clients(), qsizetype(2), 5000);
        // A burst of awards: the first told at once, the rest together after it, the last too.
        qint64 last = 0;
        for (int i = 0; i < 5; ++i)
            last = record(QStringLiteral("07"), QStringLiteral("M"), QStringLiteral("LUGO"), 10 + i);
        QTRY_VERIFY_WITH_TIMEOUT(streamShows(first, last) && streamShows(second, last), 5000);
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<int>("status");
        const QByteArray line = "GET / HTTP/1.1\r\nHost: a\r\n";
        QByteArray headers;
        for (int i = 0; i < 80; ++i)
            headers += "X-" + QByteArray::number(i) + ": a\r\n";
        QTest::newRow("too many headers") << line + headers + "\r\n" << 431;
        QTest::newRow("one huge header") << line + "X: " + QByteArray(40000, 'a') + "\r\n\r\n" << 413;
        QTest::newRow("a body never asked for")
            << "POST / HTTP/1.1\r\nHost: a\r\nContent-Length: 900000\r\n\r\n" + QByteArray(900000, 'a')
            << 413;
        QTest::newRow("sent too slowly") << line << 408;
        // Framing that could be read two ways: whatever follows would be a request of its own
        // to one reader and content to another (RFC 9112 §6.3). Refused, and nothing after it.
        const QByteArray next = "GET /standings.json HTTP/1.1\r\nHost: a\r\n\r\n";
        QTest::newRow("two different lengths")
            << line + "Content-Length: 44\r\nContent-Length: 0\r\n\r\n" + next << 400;
        QTest::newRow("two lengths in one line") << line + "Content-Length: 0, 44\r\n\r\n" + next << 400;
        QTest::newRow("a negative length") << line + "Content-Length: -44\r\n\r\n" + next << 400;
        QTest::newRow("a length of 23 digits")
            << line + "Content-Length: 10000000000000000000000\r\n\r\n" + next << 400;
        QTest::newRow("a length that is no number") << line + "Content-Length: 4e1\r\n\r\n" + next << 400;
        QTest::newRow("space before the colon")
            << line + "Transfer-Encoding : chunked\r\n\r\n0\r\n\r\n" + next << 400;
        QTest::newRow("chunked and a length")
            << line + "Transfer-Encoding: chunked\r\nContent-Length: 5\r\n\r\n0\r\n\r\n" + next << 400;
        QTest::newRow("chunked not the last coding")
            << line + "Transfer-Encoding: chunked, gzip\r\n\r\n" + next << 400;
        QTest::newRow("chunked on HTTP/1.0")
            << "GET / HTTP/1.0\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n" + next << 400;
        QTest::newRow("content with a GET") << line + "Content-Length: 3\r\n\r\nabc" + next << 400;
        QTest::newRow("chunked content with a GET")
            << line + "Transfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n0\r\n\r\n" + next << 400;
        QTest::newRow("content for a writing method")
            << "POST /standings.json HTTP/1.1\r\nHost: a\r\nContent-Length: 3\r\n\r\nabc" + next << 405;
        // Lines that are not what a head is made of (RFC 9112 §2.2, §3, §5).
        QTest::newRow("a header line without a colon") << line + "X-Nothing\r\n\r\n" << 400;
        QTest::newRow("a folded line") << line + "X-A: a\r\n  b\r\n\r\n" << 400;
        QTest::newRow("a space before the first header")
            << QByteArray("GET / HTTP/1.1\r\n Host: a\r\n\r\n") << 400;
        QTest::newRow("an empty header name") << line + ": a\r\n\r\n" << 400;
        QTest::newRow("a bare CR") << QByteArray("GET / HTTP/1.1\r\nHost: a\rX-A: b\r\n\r\n") << 400;
        QTest::newRow("a NUL in a value") << line + QByteArray("X-A: a\0b\r\n\r\n", 12) << 400;
        QTest::newRow("a request line without a version") << QByteArray("GET /\r\nHost: a\r\n\r\n") << 400;
        QTest::newRow("a request line with a fourth word")
            << QByteArray("GET / HTTP/1.1 x\r\nHost: a\r\n\r\n") << 400;
        QTest::newRow("two spaces in the request line")
            << QByteArray("GET  / HTTP/1.1\r\nHost: a\r\n\r\n") << 400;
        QTest::newRow("a version that is not HTTP") << QByteArray("GET / HTTQ/1.1\r\nHost: a\r\n\r\n") << 400;
        QTest::newRow("HTTP/2 spoken as text") << QByteArray("GET / HTTP/2.0\r\nHost: a\r\n\r\n") << 505;
        QTest::newRow("no Host on HTTP/1.1") << QByteArray("GET / HTTP/1.1\r\n\r\n") << 400;
        QTest::newRow("two Hosts") << line + "Host: b\r\n\r\n" << 400;
    }

    void refusals()
    {
        QFETCH(QByteArray, request);
        QFETCH(int, status);
        live::ServeOptions options;
        options.requestTimeoutMs = 300;
        serve(options);
        HttpClient client(m_server->port());
        client.send(request);
        QTRY_VERIFY_WITH_TIMEOUT(client.reply(), 5000);
        QCOMPARE(client.reply()->status, status);
        QVERIFY(client.reply()->head.contains("Connection: close"));
        QTRY_VERIFY_WITH_TIMEOUT(client.closed(), 5000);
        // One answer, and nothing for what came after the fault.
        QCOMPARE(client.statuses(), QList<int>{status});
        // Everyone else is served as before.
        QCOMPARE(fetch("/").status, 200);
    }

    void pipelined_data()
    {
        QTest::addColumn<QByteArray>("requests");
        QTest::addColumn<QList<int>>("statuses");
        QTest::addColumn<bool>("closed");
        const QByteArray icon = "GET /favicon.ico HTTP/1.1\r\nHost: a\r\n\r\n";
        const QByteArray missing = "GET /nothing HTTP/1.1\r\nHost: a\r\n\r\n";
        QByteArray thirty;
        QList<int> thirtyAnswers;
        for (int i = 0; i < 15; ++i) {
            thirty += icon + missing;
            thirtyAnswers << 204 << 404;
        }
        QTest::newRow("thirty in one packet") << thirty << thirtyAnswers << false;
        // Each within the limits on its own; together far past them.
        QByteArray sixty;
        for (int i = 0; i < 60; ++i)
            sixty += "X-" + QByteArray::number(i) + ": " + QByteArray(200, 'a') + "\r\n";
        const QByteArray full = "GET /favicon.ico HTTP/1.1\r\nHost: a\r\n" + sixty + "\r\n";
        QTest::newRow("three of 60 headers and 12 KiB")
            << full + full + full << QList<int>{204, 204, 204} << false;
        QTest::newRow("blank lines between them")
            << icon + "\r\n" + missing + "\r\n\r\n" + icon << QList<int>{204, 404, 204} << false;
        QTest::newRow("a fault after two: those answered first")
            << icon + missing + "GET / HTTP/1.1\r\nHost: a\r\nContent-Length: -1\r\n\r\n" + icon
            << QList<int>{204, 404, 400} << true;
        QTest::newRow("the last asks to close")
            << icon + "GET /nothing HTTP/1.1\r\nHost: a\r\nConnection: close\r\n\r\n" + icon
            << QList<int>{204, 404} << true;
    }

    void pipelined()
    {
        QFETCH(QByteArray, requests);
        QFETCH(QList<int>, statuses);
        QFETCH(bool, closed);
        serve();
        HttpClient client(m_server->port());
        client.send(requests);
        QTRY_COMPARE_WITH_TIMEOUT(client.statuses().size(), statuses.size(), 5000);
        QCOMPARE(client.statuses(), statuses);
        if (closed) {
            QTRY_VERIFY_WITH_TIMEOUT(client.closed(), 5000);
        } else {
            // Still open, and in step: one more is answered after them.
            client.send("GET /standings.json HTTP/1.1\r\nHost: a\r\n\r\n");
            QTRY_COMPARE_WITH_TIMEOUT(client.statuses(), statuses + QList<int>{200}, 5000);
        }
    }

    void inPieces_data()
    {
        QTest::addColumn<QByteArrayList>("pieces");
        QTest::addColumn<QList<int>>("statuses");
        const QByteArray icon = "GET /favicon.ico HTTP/1.1\r\nHost: a\r\n\r\n";
        QByteArrayList bytes;
        for (char c : icon)
            bytes.append(QByteArray(1, c));
        QTest::newRow("a byte at a time") << bytes << QList<int>{204};
        QTest::newRow("a line at a time")
            << QByteArrayList{"GET /favicon.ico HTTP/1.1\r\n", "Host: a\r\n", "\r\n"} << QList<int>{204};
        QTest::newRow("two requests cut mid-line")
            << QByteArrayList{"GET /favicon.ico HTTP/1.1\r\nHo", "st: a\r\n\r\nGET /noth",
                              "ing HTTP/1.1\r\nHost: a\r\n\r\n"}
            << QList<int>{204, 404};
        QTest::newRow("a fault in a later piece")
            << QByteArrayList{"GET / HTTP/1.1\r\nHost: a\r\n", "Content-Length: 1, 2\r\n\r\n"}
            << QList<int>{400};
        QTest::newRow("too many headers over many pieces")
            << QByteArrayList{"GET / HTTP/1.1\r\n"} + QByteArrayList(70, "X-A: a\r\n") << QList<int>{431};
    }

    void inPieces()
    {
        QFETCH(QByteArrayList, pieces);
        QFETCH(QList<int>, statuses);
        serve();
        HttpClient client(m_server->port());
        for (const QByteArray& piece : pieces) {
            client.send(piece);
            QTest::qWait(5); // read apart by the server, most of the time
        }
        QTRY_COMPARE_WITH_TIMEOUT(client.statuses().size(), statuses.size(), 5000);
        QCOMPARE(client.statuses(), statuses);
    }

    void connectionAfterTheAnswer_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<bool>("kept");
        QTest::addColumn<QByteArray>("says");
        QTest::newRow("HTTP/1.0") << QByteArray("GET /favicon.ico HTTP/1.0\r\n\r\n") << false
                                  << QByteArray("Connection: close");
        QTest::newRow("HTTP/1.0 with a Host") << QByteArray("GET /favicon.ico HTTP/1.0\r\nHost: a\r\n\r\n")
                                              << false << QByteArray("Connection: close");
        QTest::newRow("HTTP/1.0 kept alive")
            << QByteArray("GET /favicon.ico HTTP/1.0\r\nConnection: Keep-Alive\r\n\r\n") << true
            << QByteArray("Connection: keep-alive");
        QTest::newRow("HTTP/1.1") << QByteArray("GET /favicon.ico HTTP/1.1\r\nHost: a\r\n\r\n") << true
                                  << QByteArray("Content-Length: 0");
        QTest::newRow("HTTP/1.1 closing")
            << QByteArray("GET /favicon.ico HTTP/1.1\r\nHost: a\r\nConnection: close\r\n\r\n") << false
            << QByteArray("Connection: close");
        QTest::newRow("HTTP/1.1 closing among other options")
            << QByteArray("GET /favicon.ico HTTP/1.1\r\nHost: a\r\nConnection: keep-alive, Close\r\n\r\n")
            << false << QByteArray("Connection: close");
        QTest::newRow("HTTP/1.1 closing on a second line")
            << QByteArray(
                   "GET /favicon.ico HTTP/1.1\r\nHost: a\r\nConnection: x\r\nconnection: close\r\n\r\n")
            << false << QByteArray("Connection: close");
    }

    void connectionAfterTheAnswer()
    {
        QFETCH(QByteArray, request);
        QFETCH(bool, kept);
        QFETCH(QByteArray, says);
        serve(); // idle connections are closed after 30 s: a close sooner is the answer's
        HttpClient client(m_server->port());
        client.send(request);
        QTRY_VERIFY_WITH_TIMEOUT(client.reply(), 5000);
        QCOMPARE(client.reply()->status, 204);
        QVERIFY2(client.reply()->head.contains(says), client.reply()->head.constData());
        if (!kept) {
            QTRY_VERIFY_WITH_TIMEOUT(client.closed(), 5000);
            return;
        }
        client.send(request);
        QTRY_COMPARE_WITH_TIMEOUT(client.statuses(), (QList<int>{204, 204}), 5000);
        QVERIFY(client.connected());
    }

    void idleConnectionsAreClosed()
    {
        live::ServeOptions options;
        options.idleTimeoutMs = 400;
        serve(options);
        HttpClient quiet(m_server->port());
        HttpClient served(m_server->port());
        served.get("/favicon.ico");
        QTRY_VERIFY_WITH_TIMEOUT(served.reply(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(quiet.closed() && served.closed(), 5000);
        QCOMPARE(m_server->clients(), qsizetype(0));
    }

    // A full table: what each place holds, in the order they came, from an address of its own.
    void fullTable_data()
    {
        QTest::addColumn<QByteArrayList>("places");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("gone");
        QTest::newRow("the oldest quiet one makes room")
            << QByteArrayList{"quiet", "quiet", "stream"} << 200 << 0;
        QTest::newRow("idle the longest, not connected the longest")
            << QByteArrayList{"served", "quiet", "stream"} << 200 << 1;
        QTest::newRow("a page just loaded is idle too")
            << QByteArrayList{"stream", "served", "stream"} << 200 << 1;
        QTest::newRow("nobody idle: refused")
            << QByteArrayList{"stream", "half a request", "stream"} << 503 << -1;
    }

    void fullTable()
    {
        QFETCH(QByteArrayList, places);
        QFETCH(int, status);
        QFETCH(int, gone);
        live::ServeOptions options;
        options.maxClients = static_cast<int>(places.size());
        serve(options);
        std::vector<std::unique_ptr<HttpClient>> clients;
        for (const QByteArray& place : places) {
            clients.push_back(std::make_unique<HttpClient>(m_server->port(), 0, loopback(clients.size())));
            QTRY_COMPARE_WITH_TIMEOUT(m_server->clients(), qsizetype(clients.size()), 5000);
            if (place == "stream")
                clients.back()->get("/events");
            else if (place == "half a request")
                clients.back()->send("GET / HTTP/1.1\r\n");
        }
        // Served last, so idle for less time than the quiet ones that came after them.
        for (size_t i = 0; i < clients.size(); ++i) {
            if (places[static_cast<qsizetype>(i)] == "served") {
                clients[i]->get("/favicon.ico");
                QTRY_VERIFY_WITH_TIMEOUT(clients[i]->reply(), 5000);
            } else if (places[static_cast<qsizetype>(i)] == "stream") {
                QTRY_COMPARE_WITH_TIMEOUT(clients[i]->events().size(), 1, 5000);
            }
        }
        HttpClient newcomer(m_server->port(), 0, loopback(clients.size()));
        newcomer.get("/standings.json");
        QTRY_VERIFY_WITH_TIMEOUT(newcomer.reply(), 5000);
        QCOMPARE(newcomer.reply()->status, status);
        for (size_t i = 0; i < clients.size(); ++i)
            QTRY_COMPARE_WITH_TIMEOUT(clients[i]->closed(), static_cast<int>(i) == gone, 5000);
        if (status == 503) {
            QVERIFY(newcomer.reply()->head.contains("Retry-After"));
            QVERIFY(QString::fromUtf8(newcomer.reply()->body).contains(QStringLiteral("demasiadas persoas")));
        }
    }

    // One laptop opening connections without end: past its share it is refused, and every
    // other phone, and the projector, go on being served.
    void oneAddressCannotCrowdOthersOut()
    {
        serve();
        const int share = live::ServeOptions().maxClientsPerAddress;
        std::vector<std::unique_ptr<HttpClient>> crowd;
        for (int i = 0; i < share + 20; ++i)
            crowd.push_back(std::make_unique<HttpClient>(m_server->port()));
        const auto refused = [&crowd] {
            return std::count_if(crowd.begin(), crowd.end(),
                                 [](const auto& c) { return c->reply().has_value(); });
        };
        QTRY_COMPARE_WITH_TIMEOUT(refused(), qsizetype(20), 10000);
        for (const auto& client : crowd) {
            if (!client->reply())
                continue;
            QCOMPARE(client->reply()->status, 429);
            QVERIFY(client->reply()->head.contains("Retry-After"));
            QVERIFY(QString::fromUtf8(client->reply()->body).contains(QStringLiteral("desde este aparello")));
        }
        QCOMPARE(m_server->clients(), qsizetype(share));
        HttpClient phone(m_server->port(), 0, QHostAddress(QStringLiteral("127.0.0.2")));
        HttpClient projector(m_server->port(), 0, QHostAddress(QStringLiteral("127.0.0.3")));
        phone.get("/");
        projector.get("/events");
        QTRY_VERIFY_WITH_TIMEOUT(phone.reply() && projector.events().size() == 1, 5000);
        QCOMPARE(phone.reply()->status, 200);
        // The laptop gets its places back as its connections go.
        crowd.clear();
        QTRY_COMPARE_WITH_TIMEOUT(m_server->clients(), qsizetype(2), 5000);
        QCOMPARE(fetch("/standings.json").status, 200);
    }

    void aStreamNobodyReadsIsDropped()
    {
        // Long club names make each message long, so that an unread stream fills up fast.
        for (int i = 0; i < 60; ++i)
            QVERIFY(record(QStringLiteral("04"), QStringLiteral("M"),
                           QStringLiteral("Club de natación número %1 da vila").arg(i), 1) > 0);
        live::ServeOptions options;
        options.maxBacklogBytes = 64 * 1024;
        serve(options);
        HttpClient reader(m_server->port());
        HttpClient asleep(m_server->port(), 1024);
        reader.get("/events");
        asleep.get("/events");
        QTRY_VERIFY_WITH_TIMEOUT(reader.events().size() == 1 && asleep.received().size() > 0, 5000);
        asleep.stopReading();
        qint64 id = 0;
        for (int round = 0; round < 200 && m_server->clients() > 1; ++round) {
            id = record(QStringLiteral("05"), QStringLiteral("M"), QStringLiteral("LUGO"), round);
            QTRY_VERIFY_WITH_TIMEOUT(streamShows(reader, id), 5000);
        }
        qInfo("Dropped after %lld awards", static_cast<long long>(id));
        QCOMPARE(m_server->clients(), qsizetype(1));
        QVERIFY(reader.connected());
    }

    void registerOutOfReach()
    {
        live::ServeOptions options;
        options.busyTimeoutMs = 100;
        options.retryMs = 150;
        options.checkMs = 150;
        serve(options);
        QSignalSpy told(m_server.get(), &live::LiveServer::unreadable);
        HttpClient stream(m_server->port());
        stream.get("/events");
        QTRY_COMPARE_WITH_TIMEOUT(stream.events().size(), 1, 5000);
        const auto noted = [&stream] {
            return stream.events().last().value(QStringLiteral("html")).toString().contains(u"poñer ao día");
        };
        if (onFile()) {
            // Another program holds the file locked for a while.
            QSqlDatabase locker = testsupport::connectTo(m_where, QStringLiteral("locker"));
            QVERIFY(locker.open());
            QSqlQuery lock(locker);
            QVERIFY(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));
            QVERIFY(lock.exec(QStringLiteral("INSERT INTO puntos (orde, proba, sexo, club, puntos) VALUES "
                                             "('06', '100FR', 'F', 'LUGO', 5)")));
            QTRY_VERIFY_WITH_TIMEOUT(noted(), 5000);
            keepsTheReasonPrivate(told, stream);
            QVERIFY(lock.exec(QStringLiteral("COMMIT")));
            lock.finish();
            locker.close();
        } else {
            QVERIFY(m_pg->stop().isEmpty());
            QTRY_VERIFY_WITH_TIMEOUT(noted(), 10000);
            keepsTheReasonPrivate(told, stream);
            QVERIFY(m_pg->startServer().isEmpty());
            QVERIFY(testsupport::runOn(m_where,
                                       {QStringLiteral("INSERT INTO puntos (orde, proba, sexo, club, puntos) "
                                                       "VALUES ('06', '100FR', 'F', 'LUGO', 5)")}));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("locker"));
        // Back again: the award made meanwhile, and no note.
        QTRY_VERIFY_WITH_TIMEOUT(!noted() && stream.events()
                                                 .last()
                                                 .value(QStringLiteral("html"))
                                                 .toString()
                                                 .contains(QStringLiteral(">5,00<")),
                                 15000);
        QVERIFY(stream.connected());
    }

    // Served at once from the last good edition, with a note that says since when and of
    // when the figures are; why (the engine's words, the server's address, user and database)
    // is told to the operator only, never on a page, the board, the stream or the files.
    void keepsTheReasonPrivate(const QSignalSpy& told, const HttpClient& stream)
    {
        QCOMPARE(told.size(), 1);
        const QString why = told.first().first().toString();
        QVERIFY2(why.contains(QStringLiteral("Erro %1").arg(onFile() ? 3260 : 3151)), qPrintable(why));
        const HttpClient::Reply page = fetch("/");
        QCOMPARE(page.status, 200);
        QVERIFY(page.body.contains("Clasificación Conxunta"));
        const QRegularExpression note(
            QStringLiteral("Desde as \\d\\d:\\d\\d:\\d\\d non se poden poñer ao día as "
                           "clasificacións. Estas son as das \\d\\d:\\d\\d:\\d\\d."));
        const QString event = stream.events().last().value(QStringLiteral("html")).toString();
        QVERIFY2(note.match(event).hasMatch(), qPrintable(event));
        const QStringList shown{QString::fromUtf8(page.body), QString::fromUtf8(fetch("/board").body), event,
                                QString::fromUtf8(fetch("/standings.json").body),
                                QString::fromUtf8(fetch("/standings.csv").body)};
        for (const QString& text : shown) {
            QVERIFY(!text.contains(u"Erro"));
            for (const QString& line : why.split(u'\n', Qt::SkipEmptyParts))
                QVERIFY2(!text.contains(line) && !text.contains(line.toHtmlEscaped()), qPrintable(line));
        }
    }

    void serveCommand()
    {
        QProcess serving;
        serving.start(
            QStringLiteral(QUILVARDEN_BIN_DIR "/quilvarden-db"),
            {QStringLiteral("serve"), m_where, QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0")});
        QVERIFY(serving.waitForStarted());
        QByteArray said;
        for (QDeadlineTimer deadline(20000); !said.contains("Ctrl+C") && !deadline.hasExpired();)
            if (serving.waitForReadyRead(200))
                said += serving.readAllStandardOutput();
        const QRegularExpression address(QStringLiteral("http://127\\.0\\.0\\.1:(\\d+)/ "));
        const QRegularExpressionMatch found = address.match(QString::fromUtf8(said));
        QVERIFY2(found.hasMatch(), said.constData());
        HttpClient client(found.captured(1).toUShort());
        client.get("/standings.json");
        QVERIFY(client.waitForReply(10000));
        QCOMPARE(client.reply()->status, 200);
        // Stopped as a service manager or Ctrl+C stops it: cleanly, with status 0.
        serving.terminate();
        QVERIFY(serving.waitForFinished(10000));
        QCOMPARE(serving.exitStatus(), QProcess::NormalExit);
        QCOMPARE(serving.exitCode(), 0);

        for (const QStringList& wrong :
             {QStringList{QStringLiteral("--listen"), QStringLiteral("8080")},
              QStringList{QStringLiteral("--listen"), QStringLiteral("300.1.1.1:80")},
              QStringList{QStringLiteral("--port"), QStringLiteral("80")}}) {
            const testsupport::ToolRun run =
                testsupport::runTool(QStringList{QStringLiteral("serve"), m_where} + wrong);
            QCOMPARE(run.status, 2);
        }
    }

    void refusesWhatCannotBeServed()
    {
        // A register that is not there, an address already taken: failures, not a server.
        QVERIFY(!live::LiveServer::start(m_dir->filePath(QStringLiteral("none.MDB"))));
        serve();
        live::ServeOptions taken;
        taken.port = m_server->port();
        const Result<std::unique_ptr<live::LiveServer>> second = live::LiveServer::start(m_where, taken);
        QVERIFY(!second);
        QCOMPARE(second.failure().number, int(Failure::PortInUse));
        QVERIFY(second.failure().message().contains(QString::number(taken.port)));
        // The command says so plainly, and which port to try instead.
        const QString port = QString::number(taken.port);
        const testsupport::ToolRun run =
            testsupport::runTool({QStringLiteral("serve"), m_where, QStringLiteral("--listen"),
                                  QStringLiteral("127.0.0.1:") + port});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.errors.contains(QStringLiteral("Erro 10048: O porto xa o está a usar outro programa\n"
                                                    "Outro programa xa está a escoitar no porto %1")
                                         .arg(port)),
                 qPrintable(run.errors));
        QVERIFY2(run.errors.contains(QStringLiteral("--listen 127.0.0.1:%1").arg(taken.port + 1)),
                 qPrintable(run.errors));
        QVERIFY(!run.errors.contains(u"ficheiro"));
    }
};

int main(int argc, char** argv)
{
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi);
    QGuiApplication app(argc, argv);
    return testsupport::runOnFileAndServer<TestLiveServer>(argc, argv);
}

#include "tst_server.moc"
