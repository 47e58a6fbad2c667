#include "support/browser.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkProxy>
#include <QProcess>
#include <QSaveFile>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>

#include <algorithm>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace quilvarden::testing {

namespace {

constexpr int startTimeoutMs = 30000;
constexpr int connectTimeoutMs = 10000;
constexpr int closeTimeoutMs = 3000;
constexpr int pollMs = 20;

QString logName()
{
    return QStringLiteral("chromium.log");
}

// A script value as a person reads it in a message.
QString scalarText(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Double:
        return QString::number(value.toDouble(), 'g', 15);
    case QJsonValue::Null:
        return QStringLiteral("null");
    case QJsonValue::Object:
        return QString::fromUtf8(QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact));
    case QJsonValue::Array:
        return QString::fromUtf8(QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact));
    case QJsonValue::Undefined:
        break;
    }
    return QStringLiteral("undefined");
}

// One argument of a console call or a thrown value, as the protocol describes it.
QString remoteText(const QJsonObject& remote)
{
    if (remote.contains(QStringLiteral("value")))
        return scalarText(remote.value(QStringLiteral("value")));
    if (remote.contains(QStringLiteral("unserializableValue")))
        return remote.value(QStringLiteral("unserializableValue")).toString();
    const QString description = remote.value(QStringLiteral("description")).toString();
    if (!description.isEmpty())
        return description.section(QLatin1Char('\n'), 0, 0);
    return remote.value(QStringLiteral("type")).toString();
}

// " (url:line:column)" of a stack trace's top frame, or of an exception's own place.
QString place(const QString& url, const QJsonValue& line, const QJsonValue& column)
{
    if (url.isEmpty())
        return {};
    QString text = QStringLiteral(" (") + url;
    if (line.isDouble()) {
        text += QLatin1Char(':') + QString::number(line.toInt() + 1);
        if (column.isDouble())
            text += QLatin1Char(':') + QString::number(column.toInt() + 1);
    }
    return text + QLatin1Char(')');
}

QString topFramePlace(const QJsonObject& stackTrace)
{
    const QJsonArray frames = stackTrace.value(QStringLiteral("callFrames")).toArray();
    if (frames.isEmpty())
        return {};
    const QJsonObject frame = frames.first().toObject();
    return place(frame.value(QStringLiteral("url")).toString(), frame.value(QStringLiteral("lineNumber")),
                 frame.value(QStringLiteral("columnNumber")));
}

QString exceptionText(const QJsonObject& details)
{
    QString text = details.value(QStringLiteral("text")).toString();
    const QJsonObject exception = details.value(QStringLiteral("exception")).toObject();
    if (!exception.isEmpty()) {
        const QString thrown = remoteText(exception);
        if (!text.contains(thrown))
            text += (text.isEmpty() ? QString() : QStringLiteral(" ")) + thrown;
    }
    QString where =
        place(details.value(QStringLiteral("url")).toString(), details.value(QStringLiteral("lineNumber")),
              details.value(QStringLiteral("columnNumber")));
    if (where.isEmpty())
        where = topFramePlace(details.value(QStringLiteral("stackTrace")).toObject());
    return text + where;
}

bool truthy(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Bool:
        return value.toBool();
    case QJsonValue::Double: {
        const double number = value.toDouble();
        return number < 0 || number > 0;
    }
    case QJsonValue::String:
        return !value.toString().isEmpty();
    case QJsonValue::Object:
    case QJsonValue::Array:
        return true;
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        break;
    }
    return false;
}

} // namespace

HeadlessBrowser::HeadlessBrowser(QObject* parent) : QObject(parent) {}

HeadlessBrowser::~HeadlessBrowser()
{
    stop();
}

bool HeadlessBrowser::isRunning() const
{
    return m_process && m_process->state() != QProcess::NotRunning;
}

bool HeadlessBrowser::fail(const QString& message)
{
    m_lastError = message;
    return false;
}

void HeadlessBrowser::clearRecorded()
{
    m_consoleErrors.clear();
    m_dialogs.clear();
}

QString HeadlessBrowser::logTail() const
{
    QFile file(QDir(m_profileDir).filePath(logName()));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("\n(no %1)").arg(file.fileName());
    const qint64 size = file.size();
    file.seek(std::max<qint64>(0, size - 3000));
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (size > 3000 && !lines.isEmpty())
        lines.removeFirst(); // most likely cut in the middle
    if (lines.size() > 15)
        lines = lines.mid(lines.size() - 15);
    if (lines.isEmpty())
        return QStringLiteral("\n(%1 is empty)").arg(file.fileName());
    return QStringLiteral("\n%1 ends with:\n    ").arg(file.fileName()) +
           lines.join(QStringLiteral("\n    "));
}

// Runs the thread's event loop until done() holds or the time is up. done() is checked on
// everything the browser sends and every few milliseconds, for things outside the browser.
bool HeadlessBrowser::waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    QTimer tick;
    tick.setInterval(pollMs);
    const auto check = [&] {
        if (done())
            loop.quit();
    };
    connect(&tick, &QTimer::timeout, &loop, check);
    connect(this, &HeadlessBrowser::progressed, &loop, check);
    deadline.start(std::max(0, timeoutMs));
    tick.start();
    loop.exec();
    return done();
}

void HeadlessBrowser::pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(std::max(0, ms), &loop, &QEventLoop::quit);
    loop.exec();
}

std::optional<QByteArray> HeadlessBrowser::httpGet(quint16 port, const QString& path, int timeoutMs)
{
    QTcpSocket socket;
    socket.setProxy(QNetworkProxy::NoProxy);
    QByteArray received;
    bool closed = false;
    connect(&socket, &QTcpSocket::readyRead, this, [&] {
        received += socket.readAll();
        Q_EMIT progressed();
    });
    connect(&socket, &QTcpSocket::disconnected, this, [&] {
        closed = true;
        Q_EMIT progressed();
    });
    connect(&socket, &QTcpSocket::errorOccurred, this, [&] {
        closed = true;
        Q_EMIT progressed();
    });
    connect(&socket, &QTcpSocket::connected, this, [&] {
        socket.write("GET " + path.toUtf8() + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) +
                     "\r\nConnection: close\r\n\r\n");
    });
    socket.connectToHost(QHostAddress::LocalHost, port);

    // The whole answer: either the server closes, or the body is as long as it said.
    const auto body = [&]() -> std::optional<QByteArray> {
        const qsizetype headerEnd = received.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return std::nullopt;
        const QByteArray header = received.left(headerEnd).toLower();
        if (!header.startsWith("http/1.1 200") && !header.startsWith("http/1.0 200"))
            return closed ? std::optional<QByteArray>(QByteArray()) : std::nullopt;
        QByteArray content = received.mid(headerEnd + 4);
        const qsizetype lengthAt = header.indexOf("\r\ncontent-length:");
        if (lengthAt >= 0) {
            const qsizetype lineEnd = header.indexOf("\r\n", lengthAt + 2);
            const qsizetype length =
                header.mid(lengthAt + 17, lineEnd < 0 ? -1 : lineEnd - lengthAt - 17).trimmed().toLongLong();
            if (content.size() >= length)
                return content.left(length);
        }
        if (closed)
            return content;
        return std::nullopt;
    };
    waitUntil([&] { return closed || body().has_value(); }, timeoutMs);
    socket.abort();
    const std::optional<QByteArray> result = body();
    if (!result || result->isEmpty())
        return std::nullopt;
    return result;
}

bool HeadlessBrowser::start(const QString& profileDir, QString* why)
{
    const auto refuse = [&](const QString& message) {
        m_lastError = message;
        if (why)
            *why = message;
        stop();
        return false;
    };
    m_lastError.clear();
    if (m_process) {
        m_lastError = QStringLiteral("the browser was already started");
        if (why)
            *why = m_lastError;
        return false;
    }
    if (profileDir.isEmpty() || !QDir().mkpath(profileDir))
        return refuse(QStringLiteral("cannot make the profile folder '%1'").arg(profileDir));
    m_profileDir = QDir(profileDir).absolutePath();
    const QString portFile = QDir(m_profileDir).filePath(QStringLiteral("DevToolsActivePort"));
    QFile::remove(portFile);

    QString executable = qEnvironmentVariable("QUILVARDEN_CHROMIUM");
    if (executable.isEmpty())
        executable = QStringLiteral("/usr/bin/chromium");
    if (!QFileInfo(executable).isExecutable())
        return refuse(QStringLiteral("no browser at %1 (QUILVARDEN_CHROMIUM names another)").arg(executable));

    m_process = std::make_unique<QProcess>();
    m_process->setProgram(executable);
    m_process->setArguments({
        QStringLiteral("--headless=new"),
        QStringLiteral("--no-sandbox"),
        QStringLiteral("--disable-gpu"),
        QStringLiteral("--no-first-run"),
        QStringLiteral("--no-default-browser-check"),
        QStringLiteral("--disable-extensions"),
        QStringLiteral("--disable-background-networking"),
        QStringLiteral("--disable-sync"),
        QStringLiteral("--disable-component-update"),
        QStringLiteral("--mute-audio"),
        QStringLiteral("--remote-debugging-address=127.0.0.1"),
        QStringLiteral("--remote-debugging-port=0"),
        QStringLiteral("--user-data-dir=") + m_profileDir,
        QStringLiteral("about:blank"),
    });
    m_process->setStandardInputFile(QProcess::nullDevice());
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    m_process->setStandardOutputFile(QDir(m_profileDir).filePath(logName()));
    // The browser and all its helpers get a process group of their own, so that they can be
    // killed together, and the browser is killed by the system when this process dies
    // (crash, test timeout), so nothing is left running after a test.
    const pid_t parentPid = ::getpid();
    m_process->setChildProcessModifier([parentPid] {
        ::setsid();
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parentPid)
            ::_exit(127);
    });
    connect(m_process.get(), &QProcess::finished, this, [this] {
        m_connected = false;
        Q_EMIT progressed();
    });
    m_process->start();
    if (!m_process->waitForStarted(connectTimeoutMs))
        return refuse(QStringLiteral("cannot run %1: %2").arg(executable, m_process->errorString()));
    m_pid = m_process->processId();

    // The browser names the port it listens on in the profile folder.
    quint16 port = 0;
    const auto readPort = [&] {
        QFile file(portFile);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        const QList<QByteArray> lines = file.readAll().split('\n');
        if (lines.size() < 2) // still being written
            return false;
        bool ok = false;
        const uint number = lines.first().trimmed().toUInt(&ok);
        if (!ok || number == 0 || number > 65535)
            return false;
        port = static_cast<quint16>(number);
        return true;
    };
    if (!waitUntil([&] { return readPort() || !isRunning(); }, startTimeoutMs) || port == 0) {
        if (!isRunning())
            return refuse(
                QStringLiteral("the browser ended at start (exit code %1)").arg(m_process->exitCode()) +
                logTail());
        return refuse(QStringLiteral("the browser named no DevTools port in %1 ms").arg(startTimeoutMs) +
                      logTail());
    }

    // The blank page's own connection.
    QUrl pageSocket;
    const QDeadlineTimer targetDeadline(connectTimeoutMs);
    while (pageSocket.isEmpty() && !targetDeadline.hasExpired() && isRunning()) {
        const std::optional<QByteArray> list =
            httpGet(port, QStringLiteral("/json/list"), static_cast<int>(targetDeadline.remainingTime()));
        if (list) {
            const QJsonArray targets = QJsonDocument::fromJson(*list).array();
            for (const QJsonValue& target : targets) {
                const QJsonObject object = target.toObject();
                if (object.value(QStringLiteral("type")).toString() == QStringLiteral("page") &&
                    object.contains(QStringLiteral("webSocketDebuggerUrl"))) {
                    pageSocket = QUrl(object.value(QStringLiteral("webSocketDebuggerUrl")).toString());
                    break;
                }
            }
        }
        if (pageSocket.isEmpty())
            pause(50);
    }
    if (pageSocket.isEmpty() || pageSocket.host() != QStringLiteral("127.0.0.1"))
        return refuse(QStringLiteral("the browser on port %1 showed no page to drive").arg(port) + logTail());

    m_socket = std::make_unique<QWebSocket>();
    m_socket->setProxy(QNetworkProxy::NoProxy);
    connect(m_socket.get(), &QWebSocket::textMessageReceived, this, &HeadlessBrowser::onMessage);
    connect(m_socket.get(), &QWebSocket::connected, this, [this] {
        m_connected = true;
        Q_EMIT progressed();
    });
    connect(m_socket.get(), &QWebSocket::disconnected, this, [this] {
        m_connected = false;
        Q_EMIT progressed();
    });
    m_socket->open(pageSocket);
    if (!waitUntil([&] { return m_connected || m_socket->state() == QAbstractSocket::UnconnectedState; },
                   connectTimeoutMs))
        return refuse(QStringLiteral("no DevTools connection to %1: %2")
                          .arg(pageSocket.toString(), m_socket->errorString()) +
                      logTail());
    if (!m_connected)
        return refuse(QStringLiteral("no DevTools connection to %1: %2")
                          .arg(pageSocket.toString(), m_socket->errorString()) +
                      logTail());

    for (const QString& domain :
         {QStringLiteral("Page.enable"), QStringLiteral("Runtime.enable"), QStringLiteral("Log.enable")}) {
        if (!command(domain, {}, connectTimeoutMs))
            return refuse(m_lastError);
    }
    m_lastError.clear();
    return true;
}

void HeadlessBrowser::killProcessGroup()
{
    if (m_pid > 1)
        ::kill(-static_cast<pid_t>(m_pid), SIGKILL);
}

void HeadlessBrowser::stop()
{
    if (!m_process)
        return;
    if (m_connected && isRunning()) {
        sendCommand(QStringLiteral("Browser.close"), {});
        waitUntil([this] { return !isRunning(); }, closeTimeoutMs);
    }
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
    m_connected = false;
    // Whatever is left of it, helpers included, goes now.
    killProcessGroup();
    if (m_process->state() != QProcess::NotRunning)
        m_process->waitForFinished(closeTimeoutMs);
    m_process->disconnect(this);
    m_socket.reset();
    m_process.reset();
    m_pid = 0;
    m_replies.clear();
    m_awaited.clear();
}

int HeadlessBrowser::sendCommand(const QString& method, const QJsonObject& params)
{
    const int id = m_nextId++;
    QJsonObject message{{QStringLiteral("id"), id}, {QStringLiteral("method"), method}};
    if (!params.isEmpty())
        message.insert(QStringLiteral("params"), params);
    m_socket->sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
    return id;
}

std::optional<QJsonObject> HeadlessBrowser::command(const QString& method, const QJsonObject& params,
                                                    int timeoutMs)
{
    m_lastError.clear();
    if (!m_connected || !m_socket) {
        fail(QStringLiteral("%1: the browser is not connected").arg(method) +
             (m_process ? logTail() : QString()));
        return std::nullopt;
    }
    const int id = sendCommand(method, params);
    m_awaited.insert(id, true);
    waitUntil([&] { return m_replies.contains(id) || !m_connected; }, timeoutMs);
    m_awaited.remove(id);
    if (!m_replies.contains(id)) {
        if (!m_connected)
            fail(QStringLiteral("%1: the browser went away").arg(method) + logTail());
        else
            fail(QStringLiteral("%1: no answer in %2 ms").arg(method).arg(timeoutMs));
        return std::nullopt;
    }
    const QJsonObject reply = m_replies.take(id);
    if (reply.contains(QStringLiteral("error"))) {
        const QJsonObject error = reply.value(QStringLiteral("error")).toObject();
        QString message = error.value(QStringLiteral("message")).toString();
        const QString data = error.value(QStringLiteral("data")).toString();
        if (!data.isEmpty())
            message += QStringLiteral(" (") + data + QLatin1Char(')');
        fail(QStringLiteral("%1: %2").arg(method, message));
        return std::nullopt;
    }
    return reply.value(QStringLiteral("result")).toObject();
}

void HeadlessBrowser::onMessage(const QString& text)
{
    const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
    if (message.contains(QStringLiteral("id"))) {
        const int id = message.value(QStringLiteral("id")).toInt();
        if (m_awaited.contains(id))
            m_replies.insert(id, message);
    } else if (message.contains(QStringLiteral("method"))) {
        onEvent(message.value(QStringLiteral("method")).toString(),
                message.value(QStringLiteral("params")).toObject());
    }
    Q_EMIT progressed();
}

void HeadlessBrowser::onEvent(const QString& method, const QJsonObject& params)
{
    if (method == QStringLiteral("Page.loadEventFired")) {
        ++m_loadEvents;
    } else if (method == QStringLiteral("Page.javascriptDialogOpening")) {
        const QString type = params.value(QStringLiteral("type")).toString();
        m_dialogs.append(type + QStringLiteral(": ") + params.value(QStringLiteral("message")).toString());
        // Dismissed, as a person pressing Cancel; leaving a page is let through.
        sendCommand(QStringLiteral("Page.handleJavaScriptDialog"),
                    {{QStringLiteral("accept"), type == QStringLiteral("beforeunload")}});
    } else if (method == QStringLiteral("Runtime.consoleAPICalled")) {
        const QString type = params.value(QStringLiteral("type")).toString();
        if (type != QStringLiteral("error") && type != QStringLiteral("assert"))
            return;
        QStringList parts;
        for (const QJsonValue& argument : params.value(QStringLiteral("args")).toArray())
            parts.append(remoteText(argument.toObject()));
        m_consoleErrors.append(QStringLiteral("console.") + type + QStringLiteral(": ") +
                               parts.join(QLatin1Char(' ')) +
                               topFramePlace(params.value(QStringLiteral("stackTrace")).toObject()));
    } else if (method == QStringLiteral("Runtime.exceptionThrown")) {
        m_consoleErrors.append(exceptionText(params.value(QStringLiteral("exceptionDetails")).toObject()));
    } else if (method == QStringLiteral("Log.entryAdded")) {
        const QJsonObject entry = params.value(QStringLiteral("entry")).toObject();
        if (entry.value(QStringLiteral("level")).toString() != QStringLiteral("error"))
            return;
        m_consoleErrors.append(entry.value(QStringLiteral("source")).toString() + QStringLiteral(": ") +
                               entry.value(QStringLiteral("text")).toString() +
                               place(entry.value(QStringLiteral("url")).toString(),
                                     entry.value(QStringLiteral("lineNumber")), QJsonValue()));
    } else if (method == QStringLiteral("Inspector.targetCrashed")) {
        m_consoleErrors.append(QStringLiteral("the page crashed"));
    }
}

bool HeadlessBrowser::setViewport(int width, int height, double deviceScale, bool mobile)
{
    if (!command(QStringLiteral("Emulation.setDeviceMetricsOverride"),
                 {{QStringLiteral("width"), width},
                  {QStringLiteral("height"), height},
                  {QStringLiteral("deviceScaleFactor"), deviceScale},
                  {QStringLiteral("mobile"), mobile}}))
        return false;
    QJsonObject touch{{QStringLiteral("enabled"), mobile}};
    if (mobile)
        touch.insert(QStringLiteral("maxTouchPoints"), 5);
    return command(QStringLiteral("Emulation.setTouchEmulationEnabled"), touch).has_value();
}

bool HeadlessBrowser::setScriptsEnabled(bool enabled)
{
    return command(QStringLiteral("Emulation.setScriptExecutionDisabled"),
                   {{QStringLiteral("value"), !enabled}})
        .has_value();
}

bool HeadlessBrowser::open(const QUrl& url, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    const int loadsBefore = m_loadEvents;
    const std::optional<QJsonObject> navigation =
        command(QStringLiteral("Page.navigate"), {{QStringLiteral("url"), url.toString()}}, timeoutMs);
    if (!navigation)
        return false;
    const QString errorText = navigation->value(QStringLiteral("errorText")).toString();
    if (!errorText.isEmpty())
        return fail(QStringLiteral("open %1: %2").arg(url.toString(), errorText));
    // Only a move within the same document (a #fragment) has no loader, and no load event.
    if (!navigation->contains(QStringLiteral("loaderId")))
        return true;
    if (!waitUntil([&] { return m_loadEvents > loadsBefore || !m_connected; },
                   static_cast<int>(deadline.remainingTime())) ||
        m_loadEvents == loadsBefore) {
        if (!m_connected)
            return fail(QStringLiteral("open %1: the browser went away").arg(url.toString()) + logTail());
        return fail(QStringLiteral("open %1: not loaded in %2 ms").arg(url.toString()).arg(timeoutMs));
    }
    return true;
}

QJsonValue HeadlessBrowser::evaluate(const QString& expression, int timeoutMs)
{
    const std::optional<QJsonObject> evaluation = command(QStringLiteral("Runtime.evaluate"),
                                                          {{QStringLiteral("expression"), expression},
                                                           {QStringLiteral("returnByValue"), true},
                                                           {QStringLiteral("awaitPromise"), true}},
                                                          timeoutMs);
    if (!evaluation)
        return QJsonValue(QJsonValue::Undefined);
    if (evaluation->contains(QStringLiteral("exceptionDetails"))) {
        fail(QStringLiteral("script threw: ") +
             exceptionText(evaluation->value(QStringLiteral("exceptionDetails")).toObject()));
        return QJsonValue(QJsonValue::Undefined);
    }
    const QJsonObject result = evaluation->value(QStringLiteral("result")).toObject();
    if (result.contains(QStringLiteral("unserializableValue")))
        return result.value(QStringLiteral("unserializableValue"));
    return result.value(QStringLiteral("value"));
}

bool HeadlessBrowser::waitFor(const QString& expression, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QString lastProblem;
    for (;;) {
        // The last try gets a moment too, so that it fails for a reason of the page's.
        const int left = static_cast<int>(std::clamp<qint64>(deadline.remainingTime(), 50, 5000));
        const QJsonValue value = evaluate(expression, left);
        if (truthy(value)) {
            m_lastError.clear();
            return true;
        }
        if (!m_lastError.isEmpty())
            lastProblem = m_lastError;
        if (!m_connected)
            return fail(QStringLiteral("waitFor(%1): ").arg(expression) + lastProblem);
        if (deadline.hasExpired())
            break;
        pause(static_cast<int>(std::min<qint64>(pollMs, deadline.remainingTime())));
    }
    return fail(QStringLiteral("waitFor(%1): not true in %2 ms").arg(expression).arg(timeoutMs) +
                (lastProblem.isEmpty() ? QString() : QStringLiteral("; last: ") + lastProblem));
}

bool HeadlessBrowser::screenshot(const QString& pngPath, bool fullPage)
{
    QJsonObject params{{QStringLiteral("format"), QStringLiteral("png")}};
    if (fullPage) {
        const std::optional<QJsonObject> metrics = command(QStringLiteral("Page.getLayoutMetrics"));
        if (!metrics)
            return false;
        QJsonObject size = metrics->value(QStringLiteral("cssContentSize")).toObject();
        if (size.isEmpty())
            size = metrics->value(QStringLiteral("contentSize")).toObject();
        params.insert(QStringLiteral("captureBeyondViewport"), true);
        params.insert(QStringLiteral("clip"),
                      QJsonObject{{QStringLiteral("x"), 0},
                                  {QStringLiteral("y"), 0},
                                  {QStringLiteral("width"), size.value(QStringLiteral("width"))},
                                  {QStringLiteral("height"), size.value(QStringLiteral("height"))},
                                  {QStringLiteral("scale"), 1}});
    }
    const std::optional<QJsonObject> shot = command(QStringLiteral("Page.captureScreenshot"), params, 20000);
    if (!shot)
        return false;
    const QByteArray png = QByteArray::fromBase64(shot->value(QStringLiteral("data")).toString().toLatin1());
    if (png.isEmpty())
        return fail(QStringLiteral("the screenshot came empty"));
    QDir().mkpath(QFileInfo(pngPath).absolutePath());
    QSaveFile file(pngPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(png) != png.size() || !file.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(pngPath, file.errorString()));
    return true;
}

} // namespace quilvarden::testing
