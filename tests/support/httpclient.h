#pragma once

#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QTcpSocket>
#include <QTest>

#include <optional>

namespace testsupport {

// A client that speaks to the live server on the tests' own thread: it only gathers what
// arrives while the test waits (QTRY_…), so the server in the same thread goes on serving.
class HttpClient {
public:
    struct Reply {
        int status = 0;
        QByteArray head;
        QByteArray body;
    };

    // From a loopback address of its own (127.0.0.2, …) when given: every 127.x.y.z is this
    // machine, and the server counts each address's connections apart.
    explicit HttpClient(quint16 port, int receiveBuffer = 0, const QHostAddress& from = {})
    {
        if (!from.isNull())
            m_socket.bind(from, 0);
        if (receiveBuffer > 0) {
            m_socket.setReadBufferSize(receiveBuffer);
            m_socket.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, receiveBuffer);
        }
        QObject::connect(&m_socket, &QTcpSocket::readyRead, [this] {
            if (m_reading)
                m_received += m_socket.readAll();
        });
        QObject::connect(&m_socket, &QTcpSocket::disconnected, [this] { m_closed = true; });
        QObject::connect(&m_socket, &QTcpSocket::errorOccurred, [this] { m_closed = true; });
        m_socket.connectToHost(QHostAddress::LocalHost, port);
    }

    void send(const QByteArray& bytes) { m_socket.write(bytes); }
    void get(const QByteArray& path, const QByteArray& method = "GET")
    {
        send(method + ' ' + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    }
    // A client that stops reading, as a phone that went to sleep.
    void stopReading() { m_reading = false; }
    void abort() { m_socket.abort(); }

    bool connected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    bool closed() const { return m_closed; }
    const QByteArray& received() const { return m_received; }

    // The first whole answer (by its Content-Length), or nothing yet.
    std::optional<Reply> reply(bool headOnly = false) const { return replyAt(0, headOnly); }

    // Every whole answer so far, in order (answers to GET, each with its body).
    QList<Reply> replies() const
    {
        QList<Reply> found;
        qsizetype from = 0;
        while (const std::optional<Reply> next = replyAt(from)) {
            found.append(*next);
            from += next->head.size() + 2 + next->body.size();
        }
        return found;
    }

    QList<int> statuses() const
    {
        QList<int> found;
        for (const Reply& each : replies())
            found.append(each.status);
        return found;
    }

    // Waits, serving the thread's events, for a whole answer or the connection's end.
    std::optional<Reply> waitForReply(int timeoutMs = 5000)
    {
        for (QDeadlineTimer deadline(timeoutMs); !reply() && !m_closed && !deadline.hasExpired();)
            QTest::qWait(10);
        return reply();
    }

    // The update stream's messages so far, each one's JSON.
    QList<QJsonObject> events() const
    {
        QList<QJsonObject> found;
        for (const QByteArray& line : m_received.split('\n'))
            if (line.startsWith("data: "))
                found.append(QJsonDocument::fromJson(line.mid(6)).object());
        return found;
    }

private:
    std::optional<Reply> replyAt(qsizetype from, bool headOnly = false) const
    {
        const qsizetype end = m_received.indexOf("\r\n\r\n", from);
        if (end < 0)
            return std::nullopt;
        Reply reply;
        reply.head = m_received.mid(from, end + 2 - from);
        reply.status = reply.head.mid(9, 3).toInt();
        const qsizetype at = reply.head.toLower().indexOf("content-length: ");
        const qsizetype length =
            at < 0 ? 0 : reply.head.mid(at + 16, reply.head.indexOf('\r', at) - at - 16).toLongLong();
        reply.body = m_received.mid(end + 4);
        if (!headOnly && reply.body.size() < length)
            return std::nullopt;
        if (!headOnly && at >= 0)
            reply.body.truncate(length);
        return reply;
    }

    QTcpSocket m_socket;
    QByteArray m_received;
    bool m_closed = false;
    bool m_reading = true;
};

} // namespace testsupport
