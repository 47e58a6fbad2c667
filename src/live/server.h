#pragma once

#include "live/leaguesource.h"
#include "live/pages.h"
#include "text/failure.h"

#include <QHostAddress>
#include <QObject>
#include <QThread>
#include <QUrl>

#include <memory>
#include <optional>

namespace quilvarden::live {

struct ServeOptions {
    QHostAddress address = QHostAddress(QHostAddress::LocalHost);
    quint16 port = 8080;                // 0: any free port
    int maxClients = 400;               // connections at once; past them idle ones make room, or 503
    int maxClientsPerAddress = 24;      // connections from one address; past them a clear refusal (429)
    int requestTimeoutMs = 10000;       // a request must come whole within this, or it is cut off
    int idleTimeoutMs = 30000;          // a connection with nothing to do is closed
    int heartbeatMs = 15000;            // the update stream says it is alive at least this often
    qint64 maxRequestBytes = 16 * 1024; // one request with its headers
    int maxHeaders = 64;
    qint64 maxBacklogBytes = 1024 * 1024; // unread updates before a client is dropped
    int busyTimeoutMs = 500;              // how long a read waits for a locked register
    int retryMs = 1000;                   // reading again after the register could not be read
    int checkMs = 2000;                   // a light look at the register, for a server gone quiet
};

class EditionSource;
class HttpFront;

// The live standings on the web, read only: "/" for phones, "/board" for a projector,
// "/events" the update stream they follow, and the editions as /standings.csv, .pdf and
// .json; with a league, "/liga" beside them, its stream "/liga/events" and "/liga.json".
// Only GET and HEAD; everything else is refused, and nothing reaches the machine's
// files. The register is read on a thread of its own, so a locked or lost register never
// holds up a client: the last good edition is served, with a note of its time.
class LiveServer : public QObject {
    Q_OBJECT
public:
    // Opens the register (a file or a server's URI) only to read, makes the first edition,
    // and listens. Fails when the register cannot be read, or cannot listen there (the port
    // taken by another program: Failure::PortInUse).
    // With a league, the register is its matchday being swum, and "/liga" (and /liga.json)
    // show the league's standings beside it, added up again as it changes; a league that
    // cannot be added up at the start is a failure too.
    static Result<std::unique_ptr<LiveServer>> start(const QString& where, const ServeOptions& options = {},
                                                     std::optional<LiveLeague> league = std::nullopt);
    ~LiveServer() override;

    quint16 port() const;
    // The addresses to give out: the one listened on, or, listening on every address, each
    // of the machine's network addresses (loopback last).
    QList<QUrl> addresses() const;
    // Connections open now (the update streams among them).
    qsizetype clients() const;
    quint64 version() const;

Q_SIGNALS:
    // A new edition is being served (and has been sent to every update stream).
    void published(quint64 version);
    // For the operator alone: why the register cannot be read now (the pages only say since
    // when), and that it can be read again.
    void unreadable(const QString& why);
    void readableAgain();

private:
    explicit LiveServer(const ServeOptions& options);
    void take(const std::shared_ptr<const Pages>& pages);
    void followLeague(LiveLeague league);
    Outcome beginLeague();

    ServeOptions m_options;
    QThread m_reading;
    EditionSource* m_source = nullptr; // lives on m_reading
    QThread m_leagueReading;
    LeagueSource* m_league = nullptr; // lives on m_leagueReading; none without a league
    std::unique_ptr<HttpFront> m_front;
};

} // namespace quilvarden::live
