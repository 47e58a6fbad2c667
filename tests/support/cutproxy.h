#pragma once

#include <QHostAddress>
#include <QMutex>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <atomic>

namespace testsupport {

// A network in front of a PostgreSQL server that can be cut: it passes every byte between
// the stations and the server on 127.0.0.1, in a thread of its own, and on demand cuts the
// next connection that asks the server to COMMIT, either before the server gets it or just
// after the server has answered (so that the commit is done and its answer is lost). It can
// also refuse every connection, as a cable pulled out.
class CutProxy {
public:
    enum class Cut { None, BeforeCommit, AfterCommit, AfterCommitAndDown };

    explicit CutProxy(quint16 serverPort) : m_serverPort(serverPort)
    {
        m_thread.start();
        m_listener.moveToThread(&m_thread);
        QMetaObject::invokeMethod(
            &m_listener,
            [this] {
                QObject::connect(&m_listener, &QTcpServer::newConnection, &m_listener, [this] { accept(); });
                m_listener.listen(QHostAddress::LocalHost, 0);
                m_port = m_listener.serverPort();
            },
            Qt::BlockingQueuedConnection);
    }

    ~CutProxy()
    {
        QMetaObject::invokeMethod(
            &m_listener,
            [this] {
                m_listener.close();
                for (QTcpSocket* socket : m_listener.findChildren<QTcpSocket*>())
                    socket->abort();
            },
            Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }

    quint16 port() const { return m_port; }
    void cutNextCommit(Cut cut) { m_cut = cut; }
    bool cutDone() const { return m_cut == Cut::None; }
    bool isDown() const { return m_down; }
    // Refuses new connections and drops the ones there are.
    void setDown(bool down)
    {
        m_down = down;
        if (down)
            QMetaObject::invokeMethod(
                &m_listener,
                [this] {
                    for (QTcpSocket* socket : m_listener.findChildren<QTcpSocket*>())
                        socket->abort();
                },
                Qt::BlockingQueuedConnection);
    }

private:
    void accept()
    {
        while (QTcpSocket* station = m_listener.nextPendingConnection()) {
            if (m_down) {
                station->abort();
                station->deleteLater();
                continue;
            }
            station->setParent(&m_listener);
            auto* server = new QTcpSocket(&m_listener);
            server->connectToHost(QHostAddress::LocalHost, m_serverPort);
            if (!server->waitForConnected(5000)) {
                station->abort();
                continue;
            }
            QObject::connect(server, &QTcpSocket::readyRead, station,
                             [station, server] { station->write(server->readAll()); });
            QObject::connect(station, &QTcpSocket::readyRead, server, [this, station, server] {
                const QByteArray bytes = station->readAll();
                // A simple query: 'Q', its length, then the text.
                const bool commit = bytes.startsWith('Q') && bytes.contains("COMMIT");
                if (commit && m_cut == Cut::BeforeCommit) {
                    m_cut = Cut::None;
                    station->abort();
                    server->abort();
                    return;
                }
                server->write(bytes);
                if (commit && (m_cut == Cut::AfterCommit || m_cut == Cut::AfterCommitAndDown)) {
                    m_down = m_cut == Cut::AfterCommitAndDown;
                    m_cut = Cut::None;
                    server->waitForBytesWritten(5000);
                    server->waitForReadyRead(5000); // the server has committed and answered
                    station->abort();
                    server->abort();
                }
            });
            QObject::connect(station, &QTcpSocket::disconnected, server, &QTcpSocket::disconnectFromHost);
            QObject::connect(server, &QTcpSocket::disconnected, station, &QTcpSocket::disconnectFromHost);
        }
    }

    QThread m_thread;
    QTcpServer m_listener;
    quint16 m_serverPort;
    std::atomic<quint16> m_port = 0;
    std::atomic<Cut> m_cut = Cut::None;
    std::atomic<bool> m_down = false;
};

} // namespace testsupport
