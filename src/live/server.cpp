#include "server.h"

#include "live/leaguesource.h"
#include "live/requesthead.h"
#include "live/source.h"

#include <QAbstractHttpServer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QHttpServerRequest>
#include <QNetworkInterface>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>

#include <limits>
#include <unordered_map>

namespace quilvarden::live {

namespace {

// The page's own script and style, and nothing else: no inline script, no other origin.
const QByteArray pagePolicy = "default-src 'none'; script-src 'self'; style-src 'self'; connect-src 'self'; "
                              "img-src 'self'; base-uri 'none'; form-action 'none'; frame-ancestors 'none'";

constexpr int StreamSendBuffer = 32 * 1024;

QByteArray resource(const QString& name)
{
    QFile file(QStringLiteral(":/live/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray reason(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 204:
        return "No Content";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 408:
        return "Request Timeout";
    case 413:
        return "Content Too Large";
    case 429:
        return "Too Many Requests";
    case 431:
        return "Request Header Fields Too Large";
    case 503:
        return "Service Unavailable";
    case 505:
        return "HTTP Version Not Supported";
    default:
        break;
    }
    return "Bad Request";
}

struct Answer {
    int status = 200;
    QByteArray type;
    QByteArray body;
    QList<std::pair<QByteArray, QByteArray>> headers;
};

Answer plain(int status, const QString& message, QList<std::pair<QByteArray, QByteArray>> headers = {})
{
    return {status, "text/plain; charset=utf-8", (message + u'\n').toUtf8(), std::move(headers)};
}

// What a refused request is told, before the connection is closed.
Answer refusal(int status)
{
    switch (status) {
    case 405:
        return plain(405, QCoreApplication::translate("Live", "Esta páxina só se pode ler."),
                     {{"Allow", "GET, HEAD"}});
    case 413:
        return plain(413, QCoreApplication::translate("Live", "A petición é demasiado longa."));
    case 431:
        return plain(431, QCoreApplication::translate("Live", "A petición ten demasiadas cabeceiras."));
    case 505:
        return plain(505, QCoreApplication::translate("Live", "Este servidor só fala HTTP/1.1."));
    default:
        break;
    }
    return plain(400, QCoreApplication::translate("Live", "A petición está mal formada."));
}

// Why the server could not listen where it was told, said plainly.
Failure cannotListen(QAbstractSocket::SocketError error, const QHostAddress& address, quint16 port)
{
    const QString where = QStringLiteral("%1:%2").arg(address.toString(), QString::number(port));
    switch (error) {
    case QAbstractSocket::AddressInUseError:
        return Failure::database(
            Failure::PortInUse,
            QCoreApplication::translate("Live", "Outro programa xa está a escoitar no porto %1 (%2).")
                .arg(QString::number(port), where));
    case QAbstractSocket::SocketAccessError:
        return Failure::database(
            Failure::CannotListen,
            QCoreApplication::translate("Live", "Non hai permiso para escoitar en %1: os portos por debaixo "
                                                "do 1024 son do sistema.")
                .arg(where));
    case QAbstractSocket::SocketAddressNotAvailableError:
        return Failure::database(Failure::CannotListen,
                                 QCoreApplication::translate("Live", "Este ordenador non ten o enderezo %1.")
                                     .arg(address.toString()));
    default:
        break;
    }
    return Failure::database(Failure::CannotListen,
                             QCoreApplication::translate("Live", "Non se pode escoitar en %1.").arg(where));
}

// The status line, the headers and (unless only the head was asked for) the body. The
// request was checked here and parsed by Qt; what goes back is this program's own few fixed
// answers. An HTTP/1.0 client keeps its connection only when told so.
QByteArray response(const Answer& answer, bool headOnly, bool closing, bool http10 = false)
{
    QByteArray bytes = "HTTP/1.1 " + QByteArray::number(answer.status) + ' ' + reason(answer.status) + "\r\n";
    bytes += "Content-Type: " + answer.type + "\r\n";
    bytes += "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\n";
    bytes += "Cache-Control: no-store\r\nX-Content-Type-Options: nosniff\r\nReferrer-Policy: no-referrer\r\n";
    bytes += "Content-Security-Policy: " + pagePolicy + "\r\n";
    for (const auto& [name, value] : answer.headers)
        bytes += name + ": " + value + "\r\n";
    if (closing)
        bytes += "Connection: close\r\n";
    else if (http10)
        bytes += "Connection: keep-alive\r\n";
    bytes += "\r\n";
    if (!headOnly)
        bytes += answer.body;
    return bytes;
}

} // namespace

// What the server knows of each connection, to keep every client within bounds.
struct Connection {
    QHostAddress address;
    qint64 openedAt = 0;
    qint64 requestSince = -1; // the first byte of a request not answered yet
    QByteArray held;          // the request being read: what Qt's parser has of it, and more
    bool headChecked = false; // the head Qt's parser reads now is whole and fine
    bool keepAlive = true;    // after the answer to the request being read
    bool http10 = false;
    qint64 lastActivity = 0;
    quint64 activityOrder = 0; // which connection did something last
    qint64 lastWrite = 0;
    qint64 closingSince = -1;
    bool stream = false;
    bool leagueStream = false; // the stream follows the league's page
};

class HttpFront;

// Accepts connections within the limit, and refuses past it with a plain answer.
class Listener : public QTcpServer {
public:
    explicit Listener(HttpFront& front) : m_front(front) {}

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    HttpFront& m_front;
};

class HttpFront : public QAbstractHttpServer {
public:
    explicit HttpFront(const ServeOptions& options)
        : m_options(options), m_css(resource(QStringLiteral("live.css"))),
          m_script(resource(QStringLiteral("live.js")))
    {
        m_clock.start();
        m_sweep.setInterval(std::max(50, std::min(options.requestTimeoutMs, options.heartbeatMs) / 4));
        QObject::connect(&m_sweep, &QTimer::timeout, this, [this] { sweep(); });
        m_sweep.start();
        // Nothing here speaks WebSocket: an upgraded connection is closed at once.
        QObject::connect(this, &QAbstractHttpServer::newWebSocketConnection, this, [this] {
            while (hasPendingWebSocketConnections())
                nextPendingWebSocketConnection()->close(QWebSocketProtocol::CloseCodePolicyViolated);
        });
    }

    Result<quint16> listenOn(const QHostAddress& address, quint16 port)
    {
        auto* listener = new Listener(*this);
        if (!listener->listen(address, port)) {
            const Failure why = cannotListen(listener->serverError(), address, port);
            delete listener;
            return why;
        }
        bind(listener);
        m_listener = listener;
        return listener->serverPort();
    }

    quint16 port() const { return m_listener ? m_listener->serverPort() : 0; }
    QHostAddress address() const { return m_listener ? m_listener->serverAddress() : QHostAddress(); }
    qsizetype clients() const { return static_cast<qsizetype>(m_connections.size()); }
    quint64 version() const { return m_pages ? m_pages->version : 0; }

    // A new edition is told to every update stream at once, each sent right away rather
    // than when the event loop next comes round to it: phones loading pages keep it busy.
    void take(const std::shared_ptr<const Pages>& pages)
    {
        const bool fresh = !m_pages || pages->version > m_pages->version;
        m_pages = pages;
        if (!fresh)
            return;
        for (auto& [socket, connection] : m_connections) {
            if (connection.stream && !connection.leagueStream && connection.closingSince < 0) {
                send(socket, connection, pages->event);
                socket->flush();
            }
        }
    }

    // The same for the league's page, when a league is served.
    void takeLeague(const std::shared_ptr<const LeaguePages>& pages)
    {
        const bool fresh = !m_league || pages->version > m_league->version;
        m_league = pages;
        if (!fresh)
            return;
        for (auto& [socket, connection] : m_connections) {
            if (connection.leagueStream && connection.closingSince < 0) {
                send(socket, connection, pages->event);
                socket->flush();
            }
        }
    }

    // The socket for the HTTP server, or nothing when it was refused.
    QTcpSocket* accept(qintptr descriptor, QTcpServer& listener)
    {
        auto* socket = new QTcpSocket(&listener);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return nullptr;
        }
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        const QHostAddress address = socket->peerAddress();
        if (m_perAddress.value(address) >= m_options.maxClientsPerAddress) {
            // One device (or one program) holding many connections never crowds out the rest.
            turnAway(socket, plain(429,
                                   QCoreApplication::translate(
                                       "Live", "Hai demasiadas conexións abertas desde este aparello. "
                                               "Peche algunha lapela e ténteo de novo nuns segundos."),
                                   {{"Retry-After", "5"}}));
            return nullptr;
        }
        if (clients() >= m_options.maxClients && !makeRoom()) {
            turnAway(socket, plain(503,
                                   QCoreApplication::translate(
                                       "Live", "Hai demasiadas persoas conectadas agora mesmo. "
                                               "Ténteo de novo nuns segundos."),
                                   {{"Retry-After", "5"}}));
            return nullptr;
        }
        // A request bigger than this cannot even be held: it is refused as soon as it fills it.
        socket->setReadBufferSize(m_options.maxRequestBytes);
        const qint64 now = m_clock.elapsed();
        Connection connection;
        connection.address = address;
        connection.openedAt = connection.lastActivity = connection.lastWrite = now;
        connection.activityOrder = ++m_activities;
        m_connections[socket] = connection;
        ++m_perAddress[address];
        QObject::connect(socket, &QObject::destroyed, this, [this, socket] { forget(socket); });
        // Connected before the HTTP server's own reading, so it sees every byte first.
        QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket] { received(socket); });
        return socket;
    }

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override
    {
        const auto found = m_connections.find(socket);
        if (found == m_connections.end())
            return true;
        Connection& connection = found->second;
        const bool checked = std::exchange(connection.headChecked, false);
        connection.held.clear();
        connection.requestSince = -1;
        if (connection.closingSince >= 0 || connection.stream)
            return true;
        if (!checked) {
            // Every head is checked before Qt's parser reads it; one that was not is not answered.
            refuse(socket, connection, 400);
            return true;
        }
        const bool headOnly = request.method() == QHttpServerRequest::Method::Head;
        if (request.method() != QHttpServerRequest::Method::Get && !headOnly) {
            answer(socket, connection, refusal(405), false);
            return true;
        }
        const QString path = request.url().path();
        if (path == u"/events" && !headOnly) {
            startStream(socket, connection, m_pages->event);
            return true;
        }
        if (path == u"/liga/events" && !headOnly && m_league) {
            connection.leagueStream = true;
            startStream(socket, connection, m_league->event);
            return true;
        }
        answer(socket, connection, answerFor(path), headOnly);
        return true;
    }

    void missingHandler(const QHttpServerRequest&, QTcpSocket* socket) override
    {
        if (const auto found = m_connections.find(socket); found != m_connections.end())
            answer(socket, found->second,
                   plain(404, QCoreApplication::translate("Live", "Non hai nada neste enderezo.")), false);
    }

private:
    Answer answerFor(const QString& path) const
    {
        const Pages& pages = *m_pages;
        if (path == u"/")
            return {200, "text/html; charset=utf-8", pages.page, {}};
        if (path == u"/board")
            return {200, "text/html; charset=utf-8", pages.board, {}};
        if (path == u"/live.css")
            return {200, "text/css; charset=utf-8", m_css, {}};
        if (path == u"/live.js")
            return {200, "text/javascript; charset=utf-8", m_script, {}};
        if (path == u"/events")
            return {200, "text/event-stream; charset=utf-8", {}, {}};
        if (path == u"/standings.csv")
            return {200,
                    "text/csv; charset=utf-8",
                    pages.csv,
                    {{"Content-Disposition", "attachment; filename=\"clasificacions.csv\""}}};
        if (path == u"/standings.pdf")
            return {200,
                    "application/pdf",
                    pages.pdf,
                    {{"Content-Disposition", "inline; filename=\"clasificacions.pdf\""}}};
        // Browsers ask for an icon by themselves: none, rather than a failed load.
        if (path == u"/favicon.ico")
            return {204, "image/x-icon", {}, {}};
        if (path == u"/standings.json")
            return {200, "application/json", pages.json, {}};
        if (m_league && path == u"/liga")
            return {200, "text/html; charset=utf-8", m_league->page, {}};
        if (m_league && path == u"/liga.json")
            return {200, "application/json", m_league->json, {}};
        if (m_league && path == u"/liga/events")
            return {200, "text/event-stream; charset=utf-8", {}, {}};
        return plain(404, QCoreApplication::translate("Live", "Non hai nada neste enderezo."));
    }

    void send(QTcpSocket* socket, Connection& connection, const QByteArray& bytes)
    {
        socket->write(bytes);
        connection.lastWrite = connection.lastActivity = m_clock.elapsed();
    }

    void answer(QTcpSocket* socket, Connection& connection, const Answer& what, bool headOnly)
    {
        const bool closing = !connection.keepAlive;
        send(socket, connection, response(what, headOnly, closing, connection.http10));
        if (closing)
            close(socket, connection);
    }

    void close(QTcpSocket* socket, Connection& connection)
    {
        connection.closingSince = m_clock.elapsed();
        socket->disconnectFromHost();
    }

    void startStream(QTcpSocket* socket, Connection& connection, const QByteArray& first)
    {
        // Lasts until either side closes; the browser comes back by itself after a second.
        // The system holds little of a stream for a client that stops reading: what it
        // does not take piles up here, where it is counted.
        connection.stream = true;
        socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, StreamSendBuffer);
        send(
            socket, connection,
            "HTTP/1.1 200 OK\r\nContent-Type: text/event-stream; charset=utf-8\r\nCache-Control: no-store\r\n"
            "X-Content-Type-Options: nosniff\r\nConnection: close\r\n\r\nretry: 1000\n\n" +
                first);
    }

    void received(QTcpSocket* socket)
    {
        const auto found = m_connections.find(socket);
        if (found == m_connections.end())
            return;
        Connection& connection = found->second;
        const qint64 now = m_clock.elapsed();
        connection.lastActivity = now;
        connection.activityOrder = ++m_activities;
        if (connection.stream || connection.closingSince >= 0) {
            // A stream's client has nothing to say; whatever it sends is dropped.
            socket->skip(socket->bytesAvailable());
            return;
        }
        if (connection.requestSince < 0)
            connection.requestSince = now;
        if (!connection.headChecked)
            checkNextHead(socket, connection);
    }

    // Qt's parser reads one request at a time, right after this: a whole head (and then
    // answers it, and the next request in the buffer comes again), or all there is of one
    // still coming, which is held here to be checked whole with what follows. What arrives is
    // only what it has not read yet. Each request is counted on its own, so that requests sent
    // together are each answered in turn, and refused before Qt's parser reads anything wrong.
    void checkNextHead(QTcpSocket* socket, Connection& connection)
    {
        const QByteArray arrived = socket->peek(socket->bytesAvailable());
        connection.held += arrived;
        // Checked again when a line is complete, or the head too long: a head sent a byte at a
        // time is not read over and over.
        if (!arrived.contains('\n') && connection.held.size() < m_options.maxRequestBytes)
            return;
        const RequestHead head =
            checkHead(connection.held, {m_options.maxRequestBytes, m_options.maxHeaders});
        switch (head.verdict) {
        case RequestHead::Verdict::Partial:
            break;
        case RequestHead::Verdict::Whole:
            connection.headChecked = true;
            connection.keepAlive = head.keepAlive;
            connection.http10 = head.http10;
            break;
        case RequestHead::Verdict::Refused:
            refuse(socket, connection, head.status);
            break;
        }
    }

    // Answered, the rest of what came dropped, and closed: what follows cannot be trusted.
    void refuse(QTcpSocket* socket, Connection& connection, int status)
    {
        connection.keepAlive = false;
        answer(socket, connection, refusal(status), false);
        socket->skip(socket->bytesAvailable());
    }

    // A newcomer refused before it is served at all: told plainly, and closed.
    static void turnAway(QTcpSocket* socket, const Answer& why)
    {
        socket->write(response(why, false, true));
        socket->disconnectFromHost();
        QTimer::singleShot(2000, socket, [socket] { socket->abort(); });
    }

    // With every place taken, the connection idle the longest (no request coming, nothing
    // left to send, not an update stream) gives its place to a newcomer. Whether there was one.
    bool makeRoom()
    {
        QTcpSocket* oldest = nullptr;
        quint64 since = std::numeric_limits<quint64>::max();
        for (const auto& [socket, connection] : m_connections) {
            const bool idle =
                !connection.stream && connection.requestSince < 0 && socket->bytesToWrite() == 0;
            if (idle && connection.activityOrder < since) {
                oldest = socket;
                since = connection.activityOrder;
            }
        }
        if (!oldest)
            return false;
        forget(oldest);
        oldest->abort();
        return true;
    }

    void forget(QTcpSocket* socket)
    {
        const auto found = m_connections.find(socket);
        if (found == m_connections.end())
            return;
        const auto counted = m_perAddress.find(found->second.address);
        if (counted != m_perAddress.end() && --counted.value() <= 0)
            m_perAddress.erase(counted);
        m_connections.erase(found);
    }

    // Cuts off whoever would hold a connection for nothing: a request that does not come
    // whole in time, an idle connection, a stream nobody reads; and keeps streams alive.
    void sweep()
    {
        const qint64 now = m_clock.elapsed();
        std::vector<QPointer<QTcpSocket>> aborting;
        for (auto& [socket, connection] : m_connections) {
            if (connection.closingSince >= 0) {
                if (now - connection.closingSince > 2000)
                    aborting.emplace_back(socket);
                continue;
            }
            if (connection.stream) {
                if (socket->bytesToWrite() > m_options.maxBacklogBytes)
                    aborting.emplace_back(socket);
                else if (now - connection.lastWrite >= m_options.heartbeatMs)
                    send(socket, connection, ": \n\n");
                continue;
            }
            if (connection.requestSince >= 0 && now - connection.requestSince > m_options.requestTimeoutMs) {
                connection.keepAlive = false;
                answer(socket, connection,
                       plain(408, QCoreApplication::translate("Live", "A petición tardou demasiado.")),
                       false);
            } else if (connection.requestSince < 0 && now - connection.lastActivity > m_options.idleTimeoutMs)
                close(socket, connection);
        }
        // Aborting may delete a socket, and with it its entry: not while walking the map.
        for (const QPointer<QTcpSocket>& socket : aborting)
            if (socket)
                socket->abort();
    }

    ServeOptions m_options;
    QByteArray m_css;
    QByteArray m_script;
    QElapsedTimer m_clock;
    QTimer m_sweep;
    QPointer<Listener> m_listener;
    std::shared_ptr<const Pages> m_pages;
    std::shared_ptr<const LeaguePages> m_league; // none: no league served
    std::unordered_map<QTcpSocket*, Connection> m_connections;
    QHash<QHostAddress, int> m_perAddress; // connections from each address
    quint64 m_activities = 0;
};

void Listener::incomingConnection(qintptr descriptor)
{
    if (QTcpSocket* socket = m_front.accept(descriptor, *this))
        addPendingConnection(socket);
}

LiveServer::LiveServer(const ServeOptions& options) : m_options(options)
{
    m_reading.setObjectName(QStringLiteral("live register"));
}

LiveServer::~LiveServer()
{
    m_front.reset();
    for (QThread* thread : {&m_reading, &m_leagueReading}) {
        thread->quit();
        thread->wait();
    }
}

Result<std::unique_ptr<LiveServer>> LiveServer::start(const QString& where, const ServeOptions& options,
                                                      std::optional<LiveLeague> league)
{
    qRegisterMetaType<std::shared_ptr<const Pages>>();
    std::unique_ptr<LiveServer> server(new LiveServer(options));
    server->m_front = std::make_unique<HttpFront>(options);
    server->m_source =
        new EditionSource(where, options.busyTimeoutMs, options.retryMs, options.checkMs, league.has_value());
    if (league)
        server->followLeague(std::move(*league));
    server->m_source->moveToThread(&server->m_reading);
    connect(&server->m_reading, &QThread::finished, server->m_source, &QObject::deleteLater);
    connect(server->m_source, &EditionSource::published, server.get(),
            [raw = server.get()](const std::shared_ptr<const Pages>& pages) { raw->take(pages); });
    connect(server->m_source, &EditionSource::unreadable, server.get(), &LiveServer::unreadable);
    connect(server->m_source, &EditionSource::readableAgain, server.get(), &LiveServer::readableAgain);
    server->m_reading.start();

    // The first edition is there before the first client can ask.
    std::optional<std::shared_ptr<const Pages>> first;
    auto firstOne = connect(
        server->m_source, &EditionSource::published, server->m_source,
        [&first](const std::shared_ptr<const Pages>& pages) {
            if (!first)
                first = pages;
        },
        Qt::DirectConnection);
    Outcome begun = Done{};
    QMetaObject::invokeMethod(
        server->m_source, [&] { begun = server->m_source->begin(); }, Qt::BlockingQueuedConnection);
    disconnect(firstOne);
    if (!begun)
        return begun.failure();
    if (first)
        server->m_front->take(*first);
    if (Outcome added = server->beginLeague(); !added)
        return added.failure();
    const Result<quint16> listening = server->m_front->listenOn(options.address, options.port);
    if (!listening)
        return listening.failure();
    return server;
}

void LiveServer::followLeague(LiveLeague league)
{
    qRegisterMetaType<std::shared_ptr<const LeaguePages>>();
    qRegisterMetaType<publish::Edition>();
    m_leagueReading.setObjectName(QStringLiteral("live league"));
    m_league = new LeagueSource(std::move(league), m_options.retryMs);
    m_league->moveToThread(&m_leagueReading);
    connect(&m_leagueReading, &QThread::finished, m_league, &QObject::deleteLater);
    // Every edition read reaches the league, the first one before the league begins.
    connect(m_source, &EditionSource::editionRead, m_league, &LeagueSource::take);
    connect(m_league, &LeagueSource::published, this,
            [this](const std::shared_ptr<const LeaguePages>& pages) { m_front->takeLeague(pages); });
    connect(m_league, &LeagueSource::unreadable, this, &LiveServer::unreadable);
    connect(m_league, &LeagueSource::readableAgain, this, &LiveServer::readableAgain);
    m_leagueReading.start();
}

Outcome LiveServer::beginLeague()
{
    if (!m_league)
        return Done{};
    // The league's first pages are there before the first client can ask, as the meet's are.
    std::shared_ptr<const LeaguePages> first;
    auto firstOne = connect(
        m_league, &LeagueSource::published, m_league,
        [&first](const std::shared_ptr<const LeaguePages>& pages) {
            if (!first)
                first = pages;
        },
        Qt::DirectConnection);
    Outcome begun = Done{};
    QMetaObject::invokeMethod(
        m_league, [&] { begun = m_league->begin(); }, Qt::BlockingQueuedConnection);
    disconnect(firstOne);
    if (first)
        m_front->takeLeague(first);
    return begun;
}

void LiveServer::take(const std::shared_ptr<const Pages>& pages)
{
    // An edition older than the one served (the first, taken before listening) is dropped;
    // the one served comes again with its PDF.
    const quint64 served = m_front->version();
    if (pages->version < served)
        return;
    m_front->take(pages);
    if (pages->version > served)
        Q_EMIT published(pages->version);
}

quint16 LiveServer::port() const
{
    return m_front->port();
}

qsizetype LiveServer::clients() const
{
    return m_front->clients();
}

quint64 LiveServer::version() const
{
    return m_front->version();
}

QList<QUrl> LiveServer::addresses() const
{
    const QHostAddress listening = m_front->address();
    const auto url = [this](const QHostAddress& address) {
        QUrl u;
        u.setScheme(QStringLiteral("http"));
        u.setHost(address.toString());
        u.setPort(port());
        u.setPath(QStringLiteral("/"));
        return u;
    };
    if (listening != QHostAddress::Any && listening != QHostAddress::AnyIPv4 &&
        listening != QHostAddress::AnyIPv6)
        return {url(listening)};
    QList<QUrl> urls;
    QList<QUrl> loopback;
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        if (!interface.flags().testFlag(QNetworkInterface::IsUp) ||
            !interface.flags().testFlag(QNetworkInterface::IsRunning))
            continue;
        for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
            const QHostAddress address = entry.ip();
            if (address.protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            (address.isLoopback() ? loopback : urls).append(url(address));
        }
    }
    return urls + loopback;
}

} // namespace quilvarden::live
