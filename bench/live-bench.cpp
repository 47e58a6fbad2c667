// quilvarden-live-bench: the live web server (quilvarden-db serve, a child process) under a
// meet's public, on loopback:
//  - many update streams (/events) and phones loading the page (/) over and over, while a
//    station records an award at a steady pace;
//  - the update delay: from an award's commit to each stream's first message that carries it;
//  - the page's time, and the page's time while another program holds the register locked;
//  - faults: streams that stop reading, streams that vanish and come back;
//  - the server's memory (resident set), sampled every second.
// Prints one table. Exits with 0 only when every stream saw every award within a second,
// nothing failed, and pages were served while the register was locked.

#include "data/database.h"
#include "data/meet.h"
#include "figures.h"
#include "setup/demomeet.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <netinet/in.h>
#include <optional>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace quilvarden;
using Clock = std::chrono::steady_clock;

namespace {

// One clock for the station, the lock and every client: milliseconds since the start.
const Clock::time_point origin = Clock::now();

double now()
{
    return std::chrono::duration<double, std::milli>(Clock::now() - origin).count();
}

struct Options {
    int seconds = 60;
    int streams = 200;
    int pages = 50;
    int intervalMs = 100;
    int lockSeconds = 10;
};

// Everything that went wrong that was not one of the faults made on purpose.
struct Errors {
    int count = 0;
    QStringList first;

    void add(const QString& what)
    {
        ++count;
        if (first.size() < 20)
            first << QStringLiteral("%1 ms: %2").arg(now(), 0, 'f', 0).arg(what);
    }
};

// Runs the event loop until done() or the time is up; says whether done() came true.
bool waitUntil(const std::function<bool()>& done, double timeoutMs)
{
    const double until = now() + timeoutMs;
    while (!done()) {
        if (now() >= until)
            return false;
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

void runFor(double ms)
{
    waitUntil([] { return false; }, ms);
}

// The server bounds the connections of each address, as it must for a laptop on the pool's
// network; the public here is many devices, so its clients come from many loopback addresses
// (every 127.x.y.z is this machine): ten clients to each, from 127.0.0.2 on.
constexpr int ClientsPerAddress = 10;

QHostAddress sourceAddress(int client)
{
    return QHostAddress(quint32((127u << 24) + 2u + static_cast<quint32>(client / ClientsPerAddress)));
}

QByteArray request(const QByteArray& path, quint16 port, const QByteArray& extra = {})
{
    return "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) + "\r\n" + extra +
           "\r\n";
}

struct Head {
    int status = 0;
    qint64 length = -1;
    bool closing = false;
};

// The status and the headers this client needs, of a head that ends at `end` (its blank line).
Head headOf(const QByteArray& bytes, qsizetype end)
{
    Head head;
    const QList<QByteArray> lines = bytes.left(end).split('\n');
    if (lines.isEmpty() || !lines[0].startsWith("HTTP/1.1 "))
        return head;
    head.status = lines[0].mid(9, 3).toInt();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray name = lines[i].left(colon).trimmed().toLower();
        const QByteArray value = lines[i].mid(colon + 1).trimmed();
        if (name == "content-length")
            head.length = value.toLongLong();
        else if (name == "connection" && value.toLower() == "close")
            head.closing = true;
    }
    return head;
}

// One request on a connection of its own, waiting in place (only before and after the load):
// the answer's status, or 0.
int fetchOnce(quint16 port, const QByteArray& path, int timeoutMs)
{
    const double until = now() + timeoutMs;
    const auto left = [until] { return std::max(1, static_cast<int>(until - now())); };
    QTcpSocket socket;
    socket.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
    if (!socket.waitForConnected(left()))
        return 0;
    socket.write(request(path, port, "Connection: close\r\n"));
    QByteArray bytes;
    while (now() < until) {
        const qsizetype end = bytes.indexOf("\r\n\r\n");
        if (end >= 0) {
            const Head head = headOf(bytes, end);
            if (head.length >= 0 && bytes.size() >= end + 4 + head.length)
                return head.status;
        }
        if (!socket.waitForReadyRead(left()))
            return 0;
        bytes += socket.readAll();
    }
    return 0;
}

// A client following the update stream. A vanishing one is aborted and comes back now and
// then; each connection is a session of its own.
class StreamClient {
public:
    struct Session {
        double opened = 0;
        double firstEdition = -1;
        double closed = -1;
        std::vector<std::pair<double, qint64>> seen; // each time the latest award seen went up
    };

    StreamClient(quint16 port, Errors& errors, int number, bool vanishing)
        : m_port(port), m_errors(errors), m_number(number), m_vanishing(vanishing)
    {
    }
    ~StreamClient() { stop(); }
    StreamClient(const StreamClient&) = delete;
    StreamClient& operator=(const StreamClient&) = delete;

    bool vanishing() const { return m_vanishing; }
    const std::vector<Session>& sessions() const { return m_sessions; }
    qint64 latest() const { return m_latest; }
    qint64 bytes() const { return m_bytes; }
    qint64 version() const { return m_version; }
    // Messages that said the register could not be read, the first one's time.
    int notes() const { return m_notes; }
    double firstNote() const { return m_firstNote; }
    int reconnects() const { return m_sessions.empty() ? 0 : static_cast<int>(m_sessions.size()) - 1; }
    bool live() const
    {
        return m_socket && !m_sessions.empty() && m_sessions.back().firstEdition >= 0 &&
               m_sessions.back().closed < 0;
    }

    void open()
    {
        stop();
        m_buffer.clear();
        m_data.clear();
        m_headDone = false;
        m_latest = -1;
        m_sessions.push_back({});
        m_sessions.back().opened = now();
        m_socket = std::make_unique<QTcpSocket>();
        QTcpSocket* socket = m_socket.get();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this] { read(); });
        QObject::connect(
            socket, &QTcpSocket::errorOccurred, socket, [this](QAbstractSocket::SocketError error) {
                if (error != QAbstractSocket::RemoteHostClosedError)
                    m_errors.add(QStringLiteral("stream %1: %2").arg(m_number).arg(m_socket->errorString()));
            });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, [this] {
            m_sessions.back().closed = now();
            m_errors.add(QStringLiteral("stream %1 closed by the server").arg(m_number));
        });
        socket->bind(sourceAddress(m_number), 0);
        socket->connectToHost(QHostAddress(QHostAddress::LocalHost), m_port);
        socket->write(request("/events", m_port, "Accept: text/event-stream\r\n"));
    }

    // Gone at once, as a phone that lost the network: no goodbye.
    void vanish()
    {
        if (!m_sessions.empty() && m_sessions.back().firstEdition < 0 && m_sessions.back().closed < 0)
            m_errors.add(QStringLiteral("stream %1 had no edition %2 ms after connecting")
                             .arg(m_number)
                             .arg(now() - m_sessions.back().opened, 0, 'f', 0));
        stop();
    }

    // Drops the connection quietly (the end of the run).
    void stop()
    {
        if (!m_socket)
            return;
        m_socket->disconnect();
        m_socket->abort();
        m_socket.reset();
        if (!m_sessions.empty() && m_sessions.back().closed < 0)
            m_sessions.back().closed = now();
    }

private:
    void read()
    {
        const QByteArray arrived = m_socket->readAll();
        m_bytes += arrived.size();
        m_buffer += arrived;
        if (!m_headDone) {
            const qsizetype end = m_buffer.indexOf("\r\n\r\n");
            if (end < 0)
                return;
            const Head head = headOf(m_buffer, end);
            if (head.status != 200) {
                m_errors.add(QStringLiteral("stream %1 answered %2").arg(m_number).arg(head.status));
                stop();
                return;
            }
            m_buffer.remove(0, end + 4);
            m_headDone = true;
        }
        qsizetype from = 0;
        for (;;) {
            const qsizetype newline = m_buffer.indexOf('\n', from);
            if (newline < 0)
                break;
            QByteArray line = m_buffer.mid(from, newline - from);
            from = newline + 1;
            if (line.endsWith('\r'))
                line.chop(1);
            if (line.isEmpty()) {
                if (!m_data.isEmpty())
                    dispatch();
                m_data.clear();
            } else if (line.startsWith("data:")) {
                QByteArray value = line.mid(5);
                if (value.startsWith(' '))
                    value.remove(0, 1);
                if (!m_data.isEmpty())
                    m_data += '\n';
                m_data += value;
            }
            // id:, event:, retry: and comments (the heartbeat) tell this client nothing.
        }
        m_buffer.remove(0, from);
    }

    void dispatch()
    {
        const double at = now();
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(m_data, &error);
        if (error.error != QJsonParseError::NoError || !document.isObject()) {
            m_errors.add(QStringLiteral("stream %1: a message that is not JSON").arg(m_number));
            return;
        }
        const QJsonValue award = document.object().value(QStringLiteral("award"));
        if (document.object().value(QStringLiteral("html")).toString().contains(u"class=\"note\"")) {
            if (m_notes++ == 0)
                m_firstNote = at;
        }
        if (!award.isNull() && !award.isDouble()) {
            m_errors.add(QStringLiteral("stream %1: a message without an award").arg(m_number));
            return;
        }
        m_version = std::max(m_version, document.object().value(QStringLiteral("version")).toInteger());
        Session& session = m_sessions.back();
        if (session.firstEdition < 0)
            session.firstEdition = at;
        const qint64 id = award.isNull() ? -1 : award.toInteger();
        if (id > m_latest) {
            m_latest = id;
            session.seen.emplace_back(at, id);
        }
    }

    const quint16 m_port;
    Errors& m_errors;
    const int m_number;
    const bool m_vanishing;
    std::unique_ptr<QTcpSocket> m_socket;
    QByteArray m_buffer;
    QByteArray m_data;
    bool m_headDone = false;
    qint64 m_latest = -1;
    qint64 m_bytes = 0;
    qint64 m_version = 0;
    int m_notes = 0;
    double m_firstNote = -1;
    std::vector<Session> m_sessions;
};

// A stream that never reads past its first bytes: a phone asleep with the page open. A bare
// socket with a small receive buffer, so that the server's backlog builds up quickly.
class StalledStream {
public:
    StalledStream() = default;
    ~StalledStream()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    StalledStream(const StalledStream&) = delete;
    StalledStream& operator=(const StalledStream&) = delete;

    bool open(quint16 port, const QHostAddress& from)
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        if (m_fd < 0)
            return false;
        const int small = 4096;
        ::setsockopt(m_fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
        sockaddr_in source{};
        source.sin_family = AF_INET;
        source.sin_addr.s_addr = htonl(from.toIPv4Address());
        if (::bind(m_fd, reinterpret_cast<const sockaddr*>(&source), sizeof source) != 0)
            return false;
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::connect(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
            return false;
        const QByteArray bytes = request("/events", port, "Accept: text/event-stream\r\n");
        return ::send(m_fd, bytes.constData(), static_cast<size_t>(bytes.size()), MSG_NOSIGNAL) ==
               static_cast<ssize_t>(bytes.size());
    }

    qint64 drained() const { return m_drained; }

    // Whether the server still holds the connection: reads what waits, without waiting.
    bool held()
    {
        static char sink[65536];
        for (int i = 0; i < 100000; ++i) {
            const ssize_t got = ::recv(m_fd, sink, sizeof sink, MSG_DONTWAIT);
            if (got > 0) {
                m_drained += got;
                continue;
            }
            if (got == 0)
                return false;
            if (errno == EINTR)
                continue;
            return errno == EAGAIN || errno == EWOULDBLOCK;
        }
        return true;
    }

private:
    int m_fd = -1;
    qint64 m_drained = 0;
};

// A phone loading the page again and again on one kept-alive connection.
class PageClient {
public:
    struct Load {
        double sent = 0;
        double ms = 0;
    };

    PageClient(quint16 port, Errors& errors, int number) : m_port(port), m_errors(errors), m_number(number) {}
    ~PageClient() { stop(); }
    PageClient(const PageClient&) = delete;
    PageClient& operator=(const PageClient&) = delete;

    const std::vector<Load>& loads() const { return m_loads; }
    int reconnects() const { return m_reconnects; }

    void open()
    {
        drop();
        m_buffer.clear();
        m_socket = std::make_unique<QTcpSocket>();
        QTcpSocket* socket = m_socket.get();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this] { read(); });
        QObject::connect(
            socket, &QTcpSocket::errorOccurred, socket, [this](QAbstractSocket::SocketError error) {
                if (error != QAbstractSocket::RemoteHostClosedError)
                    m_errors.add(QStringLiteral("page %1: %2").arg(m_number).arg(m_socket->errorString()));
            });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, [this] {
            if (m_waiting)
                m_errors.add(QStringLiteral("page %1: closed before the whole answer").arg(m_number));
            m_waiting = false;
            // Not from within the socket's own signal.
            if (!m_stopping)
                QTimer::singleShot(0, &m_context, [this] {
                    ++m_reconnects;
                    open();
                });
        });
        socket->bind(sourceAddress(m_number), 0);
        socket->connectToHost(QHostAddress(QHostAddress::LocalHost), m_port);
        ask();
    }

    void stop()
    {
        m_stopping = true;
        drop();
    }

private:
    void drop()
    {
        if (!m_socket)
            return;
        m_socket->disconnect();
        m_socket->abort();
        m_socket.reset();
        m_waiting = false;
    }

    void ask()
    {
        m_sent = now();
        m_waiting = true;
        m_socket->write(request("/", m_port));
    }

    void read()
    {
        m_buffer += m_socket->readAll();
        for (;;) {
            if (!m_waiting) {
                if (!m_buffer.isEmpty())
                    m_errors.add(QStringLiteral("page %1: bytes nobody asked for").arg(m_number));
                m_buffer.clear();
                return;
            }
            const qsizetype end = m_buffer.indexOf("\r\n\r\n");
            if (end < 0)
                return;
            const Head head = headOf(m_buffer, end);
            if (head.length < 0) {
                m_errors.add(QStringLiteral("page %1: an answer without its length").arg(m_number));
                m_waiting = false;
                QTimer::singleShot(0, &m_context, [this] { open(); });
                return;
            }
            if (m_buffer.size() < end + 4 + head.length)
                return;
            const double at = now();
            if (head.status == 200)
                m_loads.push_back({m_sent, at - m_sent});
            else
                m_errors.add(QStringLiteral("page %1 answered %2").arg(m_number).arg(head.status));
            m_buffer.remove(0, end + 4 + head.length);
            m_waiting = false;
            if (m_stopping)
                return;
            if (head.closing) {
                QTimer::singleShot(0, &m_context, [this] {
                    ++m_reconnects;
                    open();
                });
                return;
            }
            ask();
        }
    }

    const quint16 m_port;
    Errors& m_errors;
    const int m_number;
    QObject m_context; // for what runs later, gone with the client
    std::unique_ptr<QTcpSocket> m_socket;
    QByteArray m_buffer;
    bool m_waiting = false;
    bool m_stopping = false;
    double m_sent = 0;
    int m_reconnects = 0;
    std::vector<Load> m_loads;
};

// quilvarden-db serve, beside this program; stopped (SIGTERM, then SIGKILL) whatever happens,
// and by the system should this program die first.
class ServerChild {
public:
    ServerChild() = default;
    ~ServerChild() { stop(); }
    ServerChild(const ServerChild&) = delete;
    ServerChild& operator=(const ServerChild&) = delete;

    quint16 port() const { return m_port; }
    qint64 pid() const { return m_process ? m_process->processId() : 0; }
    bool running() const { return m_process && m_process->state() == QProcess::Running; }
    QString output() const { return m_output; }

    bool start(const QString& where, Errors& errors)
    {
        const QString program =
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("quilvarden-db"));
        for (int attempt = 0; attempt < 5; ++attempt) {
            m_port = freePort();
            if (m_port == 0)
                continue;
            m_process = std::make_unique<QProcess>();
            m_process->setProcessChannelMode(QProcess::MergedChannels);
            m_process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
            QObject::connect(m_process.get(), &QProcess::readyRead, m_process.get(),
                             [this] { m_output += QString::fromUtf8(m_process->readAll()); });
            m_process->start(program, {QStringLiteral("serve"), where, QStringLiteral("--listen"),
                                       QStringLiteral("127.0.0.1:%1").arg(m_port)});
            if (!m_process->waitForStarted(10000)) {
                errors.add(QStringLiteral("%1 did not start: %2").arg(program, m_process->errorString()));
                stop();
                return false;
            }
            // Answering, or gone (the port was taken meanwhile: another one).
            const bool answering =
                waitUntil([this] { return !running() || fetchOnce(m_port, "/", 1000) == 200; }, 15000);
            if (answering && running())
                return true;
            stop();
        }
        errors.add(QStringLiteral("the server did not answer: %1").arg(m_output));
        return false;
    }

    void stop()
    {
        if (!m_process)
            return;
        if (m_process->state() != QProcess::NotRunning) {
            m_process->terminate();
            if (!m_process->waitForFinished(5000)) {
                m_process->kill();
                m_process->waitForFinished(5000);
            }
        }
        m_output += QString::fromUtf8(m_process->readAll());
        m_process.reset();
    }

private:
    static quint16 freePort()
    {
        QTcpServer probe;
        if (!probe.listen(QHostAddress(QHostAddress::LocalHost), 0))
            return 0;
        const quint16 port = probe.serverPort();
        probe.close();
        return port;
    }

    std::unique_ptr<QProcess> m_process;
    quint16 m_port = 0;
    QString m_output;
};

// The resident set of a process, in MB, or nothing.
std::optional<double> residentMb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return std::nullopt;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return std::nullopt;
}

// CPU seconds (user and system) of a process or one of its threads, from its stat file.
double cpuSeconds(const QString& stat)
{
    QFile file(stat);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = file.readAll();
    // After the name in parentheses: state is field 3, utime and stime fields 14 and 15.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return 0;
    return (fields[11].toDouble() + fields[12].toDouble()) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

// The CPU of the server, and of its thread that reads the register and makes the editions.
std::pair<double, double> serverCpu(qint64 pid)
{
    const QString folder = QStringLiteral("/proc/%1").arg(pid);
    double reading = 0;
    const QStringList tasks =
        QDir(folder + QStringLiteral("/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& task : tasks) {
        QFile name(QStringLiteral("%1/task/%2/comm").arg(folder, task));
        if (name.open(QIODevice::ReadOnly) && name.readAll().trimmed() == "live register")
            reading += cpuSeconds(QStringLiteral("%1/task/%2/stat").arg(folder, task));
    }
    return {cpuSeconds(folder + QStringLiteral("/stat")), reading};
}

struct Recorded {
    qint64 id = 0;
    double committed = 0;
};

// The station: an award every interval for the given time, on a connection of its own.
struct Station {
    std::vector<Recorded> recorded;
    QStringList failures;
    std::atomic<bool> done{false};

    void run(const QString& where, const QList<data::Award>& awards, int seconds, int intervalMs)
    {
        {
            auto opened = data::Database::open(where);
            if (!opened) {
                failures << opened.failure().message();
            } else {
                const std::unique_ptr<data::Database> database = std::move(opened).value();
                const auto begin = Clock::now();
                const auto end = begin + std::chrono::seconds(seconds);
                const auto interval = std::chrono::milliseconds(intervalMs);
                for (qsizetype i = 0; i < awards.size(); ++i) {
                    const auto next = begin + interval * i;
                    if (next >= end)
                        break;
                    std::this_thread::sleep_until(next);
                    const Result<qint64> id = database->recordAward(awards[i]);
                    const double committed = now();
                    if (id)
                        recorded.push_back({*id, committed});
                    else if (failures.size() < 10)
                        failures << id.failure().message();
                }
            }
        }
        done = true;
    }
};

// Another program that holds the register locked, with an award of its own in the lock.
struct Lock {
    QString failure;
    qint64 id = -1;
    double locked = -1;
    double committed = -1;
    std::atomic<bool> done{false};

    void run(const QString& where, const data::Award& award, int seconds)
    {
        const QString name = QStringLiteral("quilvarden-live-bench-lock");
        {
            QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            database.setDatabaseName(where);
            if (!database.open()) {
                failure = database.lastError().text();
            } else {
                hold(database, award, seconds);
                database.close();
            }
        }
        QSqlDatabase::removeDatabase(name);
        done = true;
    }

private:
    void hold(const QSqlDatabase& database, const data::Award& award, int seconds)
    {
        QSqlQuery query(database);
        if (!query.exec(QStringLiteral("BEGIN EXCLUSIVE"))) {
            failure = query.lastError().text();
            return;
        }
        query.prepare(
            QStringLiteral("INSERT INTO puntos (orde, proba, sexo, club, puntos) VALUES (?, ?, ?, ?, ?)"));
        query.addBindValue(award.order);
        query.addBindValue(award.eventCode);
        query.addBindValue(award.gender);
        query.addBindValue(award.club);
        query.addBindValue(award.points);
        if (!query.exec()) {
            failure = query.lastError().text();
            query.exec(QStringLiteral("ROLLBACK"));
            return;
        }
        id = query.lastInsertId().toLongLong();
        locked = now();
        std::this_thread::sleep_until(Clock::now() + std::chrono::seconds(seconds));
        if (!query.exec(QStringLiteral("COMMIT"))) {
            failure = query.lastError().text();
            query.exec(QStringLiteral("ROLLBACK"));
            id = -1;
            return;
        }
        committed = now();
    }
};

// The meet's awards in running order, eight places an event, round and round the programme.
QList<data::Award> awardsOf(const data::MeetProgramme& meet, int first, int count)
{
    QStringList clubs;
    for (const data::MeetClub& club : meet.clubs)
        clubs << club.shortName.toString();
    const double scale[] = {19, 16, 14, 13, 12, 11, 10, 9};
    QList<data::Award> awards;
    for (int i = first; i < first + count; ++i) {
        const int e = (i / 8) % static_cast<int>(meet.events.size());
        const int place = i % 8;
        const data::MeetEvent& event = meet.events[e];
        awards.append({QStringLiteral("%1").arg(event.order.toInt(), 2, 10, QLatin1Char('0')),
                       event.code.toString(), event.gender.toString(),
                       clubs[(e * 5 + place * 7) % static_cast<int>(clubs.size())], scale[place]});
    }
    return awards;
}

// A register with the demo meet, half-way through its first sixteen events.
bool makeRegister(const QString& where, Errors& errors)
{
    if (Outcome made = data::Database::create(where); !made) {
        errors.add(made.failure().message());
        return false;
    }
    auto opened = data::Database::open(where);
    if (!opened) {
        errors.add(opened.failure().message());
        return false;
    }
    const std::unique_ptr<data::Database> database = std::move(opened).value();
    const data::MeetProgramme meet = setup::demoMeet();
    if (Outcome replaced = database->replaceMeetProgramme(meet); !replaced) {
        errors.add(replaced.failure().message());
        return false;
    }
    for (const data::Award& award : awardsOf(meet, 0, 16 * 8))
        if (const Result<qint64> id = database->recordAward(award); !id) {
            errors.add(id.failure().message());
            return false;
        }
    return true;
}

struct Delays {
    std::vector<double> ms;
    qint64 missed = 0;          // (stream, award) pairs not seen within a second
    std::vector<qint64> unseen; // awards some stream missed
};

// For each stream and each award it was there for, the time from the commit to the first
// message with that award or a later one.
Delays delaysOf(const std::vector<std::unique_ptr<StreamClient>>& streams,
                const std::vector<Recorded>& recorded)
{
    Delays delays;
    std::vector<bool> missedOne(recorded.size(), false);
    for (const auto& client : streams)
        for (const StreamClient::Session& session : client->sessions()) {
            for (size_t a = 0; a < recorded.size(); ++a) {
                const Recorded& award = recorded[a];
                // A vanishing client only answers for the awards of its whole sessions.
                if (client->vanishing() &&
                    (session.firstEdition < 0 || session.firstEdition > award.committed ||
                     (session.closed >= 0 && session.closed < award.committed + 1000)))
                    continue;
                const auto seen = std::find_if(session.seen.begin(), session.seen.end(),
                                               [&award](const auto& s) { return s.second >= award.id; });
                if (seen == session.seen.end()) {
                    ++delays.missed;
                    missedOne[a] = true;
                    continue;
                }
                const double ms = std::max(0.0, seen->first - award.committed);
                delays.ms.push_back(ms);
                if (ms > 1000) {
                    ++delays.missed;
                    missedOne[a] = true;
                }
            }
            if (!client->vanishing())
                break; // a steady client's one session; a later one would be a fault of its own
        }
    for (size_t a = 0; a < recorded.size(); ++a)
        if (missedOne[a])
            delays.unseen.push_back(recorded[a].id);
    return delays;
}

int run(const Options& options)
{
    Errors errors;
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "quilvarden-live-bench: no temporary folder\n");
        return 1;
    }
    const QString where = folder.filePath(QStringLiteral("quilvarden.MDB"));
    if (!makeRegister(where, errors)) {
        std::fprintf(stderr, "quilvarden-live-bench: %s\n", qPrintable(errors.first.join(u'\n')));
        return 1;
    }
    const data::MeetProgramme meet = setup::demoMeet();
    const int toRecord = options.seconds * 1000 / std::max(1, options.intervalMs) + 1;
    const QList<data::Award> awards = awardsOf(meet, 16 * 8, toRecord);
    const data::Award lockedAward = awardsOf(meet, 16 * 8 + toRecord, 1).constFirst();

    ServerChild server;
    if (!server.start(where, errors)) {
        std::fprintf(stderr, "quilvarden-live-bench: %s\n", qPrintable(errors.first.join(u'\n')));
        return 1;
    }
    const quint16 port = server.port();

    // The public: steady streams, a few that stop reading, a few that come and go; phones.
    const int faulty = options.streams >= 20 ? options.streams / 20 : (options.streams >= 3 ? 1 : 0);
    const int stalledCount = faulty;
    const int vanishingCount = faulty;
    std::vector<std::unique_ptr<StreamClient>> streams;
    for (int i = 0; i < options.streams - stalledCount; ++i) {
        streams.push_back(std::make_unique<StreamClient>(port, errors, i, i < vanishingCount));
        streams.back()->open();
    }
    std::vector<std::unique_ptr<StalledStream>> stalled;
    for (int i = 0; i < stalledCount; ++i) {
        stalled.push_back(std::make_unique<StalledStream>());
        if (!stalled.back()->open(port, sourceAddress(options.streams - stalledCount + i)))
            errors.add(QStringLiteral("a stalled stream could not connect"));
    }
    const auto allLive = [&streams] {
        return std::all_of(streams.begin(), streams.end(), [](const auto& s) { return s->live(); });
    };
    if (!waitUntil(allLive, 10000))
        errors.add(QStringLiteral("not every stream had its first edition within 10 s"));
    std::vector<std::unique_ptr<PageClient>> pages;
    for (int i = 0; i < options.pages; ++i) {
        pages.push_back(std::make_unique<PageClient>(port, errors, options.streams + i));
        pages.back()->open();
    }

    // The server's memory, every second.
    std::vector<std::pair<double, double>> resident;
    QTimer sampling;
    QObject::connect(&sampling, &QTimer::timeout, &sampling, [&] {
        if (const auto mb = residentMb(server.pid()))
            resident.emplace_back(now(), *mb);
    });
    sampling.start(1000);

    // The vanishing streams: gone every few seconds, back a moment later.
    QObject context;
    std::vector<std::unique_ptr<QTimer>> vanishings;
    for (int i = 0; i < vanishingCount; ++i) {
        auto timer = std::make_unique<QTimer>();
        StreamClient* client = streams[static_cast<size_t>(i)].get();
        QObject::connect(timer.get(), &QTimer::timeout, &context, [client, &context] {
            client->vanish();
            QTimer::singleShot(300, &context, [client] { client->open(); });
        });
        timer->start(2500 + 400 * i % 1500);
        vanishings.push_back(std::move(timer));
    }

    // The main phase: the station records while everybody reads.
    const double mainFrom = now();
    Station station;
    std::thread stationThread([&] { station.run(where, awards, options.seconds, options.intervalMs); });
    waitUntil([&station] { return station.done.load(); }, options.seconds * 1000.0 + 60000);
    runFor(1500); // the last award's second
    for (auto& timer : vanishings)
        timer->stop();
    const double mainTo = now();
    if (!station.done)
        errors.add(QStringLiteral("the station did not finish"));
    stationThread.join();
    for (const QString& failure : station.failures)
        errors.add(QStringLiteral("station: %1").arg(failure));
    if (!waitUntil(allLive, 5000))
        errors.add(QStringLiteral("not every stream was back after the main phase"));

    // The lock: another program holds the register while the phones go on loading.
    Lock lock;
    std::thread lockThread([&] { lock.run(where, lockedAward, options.lockSeconds); });
    waitUntil([&lock] { return lock.done.load(); }, options.lockSeconds * 1000.0 + 60000);
    lockThread.join();
    int lockMissed = 0;
    std::vector<double> lockSeen;
    if (lock.id < 0) {
        errors.add(QStringLiteral("the lock: %1").arg(lock.failure));
    } else {
        const auto sawIt = [&streams, &lock] {
            return std::all_of(streams.begin(), streams.end(),
                               [&lock](const auto& s) { return s->latest() >= lock.id; });
        };
        waitUntil(sawIt, 5000);
        for (const auto& client : streams) {
            const auto& seen = client->sessions().back().seen;
            const auto first = std::find_if(seen.begin(), seen.end(),
                                            [&lock](const auto& s) { return s.second >= lock.id; });
            if (first == seen.end())
                ++lockMissed;
            else
                lockSeen.push_back(std::max(0.0, first->first - lock.committed));
        }
    }
    sampling.stop();

    // What became of the streams nobody read, and whether the server still answers.
    int stalledHeld = 0;
    qint64 stalledBytes = 0;
    for (const auto& s : stalled) {
        stalledHeld += s->held() ? 1 : 0;
        stalledBytes = std::max(stalledBytes, s->drained());
    }
    for (auto& p : pages)
        p->stop();
    for (auto& s : streams)
        s->stop();
    const auto [cpuAll, cpuReading] = server.running() ? serverCpu(server.pid()) : std::pair{0.0, 0.0};
    if (!server.running())
        errors.add(QStringLiteral("the server is gone: %1").arg(server.output()));
    else if (const int status = fetchOnce(port, "/", 5000); status != 200)
        errors.add(QStringLiteral("the server no longer answers (%1)").arg(status));
    server.stop();

    // The figures.
    std::vector<double> pageMs;
    std::vector<double> lockPageMs;
    int pageReconnects = 0;
    for (const auto& p : pages) {
        pageReconnects += p->reconnects();
        for (const PageClient::Load& load : p->loads()) {
            if (lock.locked >= 0 && load.sent >= lock.locked && load.sent <= lock.committed)
                lockPageMs.push_back(load.ms);
            else if (load.sent >= mainFrom && load.sent <= mainTo)
                pageMs.push_back(load.ms);
        }
    }
    int reconnects = 0;
    qint64 editions = 0;
    int told = 0;
    std::vector<double> toldAfter;
    std::vector<double> streamBytes;
    for (const auto& s : streams) {
        reconnects += s->reconnects();
        editions = std::max(editions, s->version());
        if (s->notes() > 0 && s->firstNote() >= lock.locked) {
            ++told;
            toldAfter.push_back(s->firstNote() - lock.locked);
        }
        if (!s->vanishing())
            streamBytes.push_back(static_cast<double>(s->bytes()));
    }
    const Figures toldFigures = figuresOf(toldAfter);
    const Delays delays = delaysOf(streams, station.recorded);
    const Figures page = figuresOf(pageMs);
    const Figures update = figuresOf(delays.ms);
    const Figures locked = figuresOf(lockPageMs);
    const Figures afterLock = figuresOf(lockSeen);
    std::vector<std::pair<double, double>> warm;
    for (const auto& sample : resident)
        if (sample.first >= mainFrom + 2000)
            warm.push_back(sample);
    double rssMax = 0;
    for (const auto& sample : warm)
        rssMax = std::max(rssMax, sample.second);
    const qint64 missed = delays.missed + lockMissed;

    std::printf("quilvarden-live-bench: %d s, an award every %d ms, the register locked %d s; %d cores\n",
                options.seconds, options.intervalMs, options.lockSeconds, QThread::idealThreadCount());
    std::printf("| streams | %d (%d not reading, %d vanishing: %d reconnections) |\n", options.streams,
                stalledCount, vanishingCount, reconnects);
    std::printf("| page clients | %d (%d reconnections) |\n", options.pages, pageReconnects);
    std::printf("| awards recorded | %zu, and 1 under the lock |\n", station.recorded.size());
    std::printf("| page time ms, p50 / p95 / max | %.1f / %.1f / %.1f (%zu pages served) |\n", page.p50,
                page.p95, page.max, page.count);
    std::printf("| update delay ms, p50 / p95 / max | %.1f / %.1f / %.1f (%zu deliveries) |\n", update.p50,
                update.p95, update.max, update.count);
    std::printf(
        "| missed awards | %lld (stream, award) pairs, %zu awards; %d streams missed the locked-in award |\n",
        static_cast<long long>(delays.missed), delays.unseen.size(), lockMissed);
    std::printf("| locked-in award seen after COMMIT ms, p50 / max | %.1f / %.1f |\n", afterLock.p50,
                afterLock.max);
    std::printf("| page time during the lock ms, p50 / p95 / max | %.1f / %.1f / %.1f (%zu pages served) |\n",
                locked.p50, locked.p95, locked.max, locked.count);
    std::printf("| streams told the register was locked, after ms p50 / max | %d of %zu, %.0f / %.0f |\n",
                told, streams.size(), toldFigures.p50, toldFigures.max);
    std::printf(
        "| streams not reading, still held by the server | %d of %d (at most %.0f KB waiting; a reading "
        "stream got %.0f KB) |\n",
        stalledHeld, stalledCount, static_cast<double>(stalledBytes) / 1024.0,
        figuresOf(streamBytes).p50 / 1024.0);
    std::printf("| server RSS MB, start / end / max | %.1f / %.1f / %.1f |\n",
                warm.empty() ? 0.0 : warm.front().second, warm.empty() ? 0.0 : warm.back().second, rssMax);
    std::printf("| server CPU s, all / reading thread | %.1f / %.1f (%lld editions, %.0f ms each) |\n",
                cpuAll, cpuReading, static_cast<long long>(editions),
                editions > 0 ? cpuReading * 1000.0 / static_cast<double>(editions) : 0.0);
    std::printf("| errors | %d |\n", errors.count);
    for (const QString& error : errors.first)
        std::printf("  %s\n", qPrintable(error));
    std::fflush(stdout);
    return missed == 0 && errors.count == 0 && locked.count > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::signal(SIGPIPE, SIG_IGN);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The live web server under the load of a meet's public."));
    parser.addHelpOption();
    const QCommandLineOption seconds(QStringLiteral("seconds"), QStringLiteral("Length of the main phase."),
                                     QStringLiteral("s"), QStringLiteral("60"));
    const QCommandLineOption streams(QStringLiteral("streams"), QStringLiteral("Update stream clients."),
                                     QStringLiteral("n"), QStringLiteral("200"));
    const QCommandLineOption pages(QStringLiteral("pages"), QStringLiteral("Clients loading the page."),
                                   QStringLiteral("n"), QStringLiteral("50"));
    const QCommandLineOption interval(QStringLiteral("interval-ms"),
                                      QStringLiteral("Time between the station's awards."),
                                      QStringLiteral("ms"), QStringLiteral("100"));
    const QCommandLineOption lockSeconds(QStringLiteral("lock-seconds"),
                                         QStringLiteral("How long the register is held locked."),
                                         QStringLiteral("s"), QStringLiteral("10"));
    parser.addOptions({seconds, streams, pages, interval, lockSeconds});
    parser.process(app);
    const auto number = [&parser](const QCommandLineOption& option, int least, int most) {
        bool ok = false;
        const int value = parser.value(option).toInt(&ok);
        if (!ok || value < least || value > most) {
            std::fprintf(stderr, "quilvarden-live-bench: --%s must be a number from %d to %d\n",
                         qPrintable(option.names().constFirst()), least, most);
            std::exit(2);
        }
        return value;
    };
    Options options;
    options.seconds = number(seconds, 1, 3600);
    options.streams = number(streams, 0, 1000);
    options.pages = number(pages, 0, 1000);
    options.intervalMs = number(interval, 10, 60000);
    options.lockSeconds = number(lockSeconds, 1, 600);
    return run(options);
}
