#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QJsonValue>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

class QProcess;
class QWebSocket;

namespace quilvarden::testing {

// A headless Chromium that a test drives through the DevTools protocol: it opens the live
// pages the way a phone or a desk browser does, runs script in them, and remembers what
// went wrong in them (console errors, uncaught exceptions, failed loads, dialogs).
//
// Everything stays on 127.0.0.1 and every wait is bounded. While it waits, the calling
// thread's event loop keeps running, so a server living in the test's own thread still
// answers the browser. The browser process (and every process it started) is killed when
// the object goes, also when the test process itself dies.
//
// The profile folder belongs to the caller and must outlive this object: declare its
// QTemporaryDir before the HeadlessBrowser. Chromium's own output goes to chromium.log in
// that folder, and its last lines are quoted in lastError() when the browser fails.
class HeadlessBrowser : public QObject {
    Q_OBJECT

public:
    explicit HeadlessBrowser(QObject* parent = nullptr);
    ~HeadlessBrowser() override;

    HeadlessBrowser(const HeadlessBrowser&) = delete;
    HeadlessBrowser& operator=(const HeadlessBrowser&) = delete;

    // Starts chromium headless with a fresh profile in profileDir, on a blank page. The
    // executable is $QUILVARDEN_CHROMIUM, else /usr/bin/chromium. False, with *why filled
    // (when why is given), when it cannot.
    bool start(const QString& profileDir, QString* why);
    // Closes the browser (Browser.close) and kills what is left of it after a short wait.
    // The destructor does this; calling it twice is harmless.
    void stop();
    bool isRunning() const;

    // Emulation of the screen the next pages are laid out for; a mobile one also gets touch.
    bool setViewport(int width, int height, double deviceScale, bool mobile);
    // Off: the pages opened from now on run no script of their own (evaluate() still works).
    bool setScriptsEnabled(bool enabled);
    // Navigates and waits for the page's load event. False on a navigation error (refused
    // connection, unknown host, an HTTP error status with an empty body...) or timeout; an
    // HTTP error status that comes with a page of its own loads that page.
    bool open(const QUrl& url, int timeoutMs = 15000);
    // The value of a script expression, a promise awaited. Undefined when the script threw or
    // the browser did not answer in time (lastError() says which); an unserializable number
    // (NaN, Infinity, -0) or a BigInt comes as its text.
    QJsonValue evaluate(const QString& expression, int timeoutMs = 5000);
    // Evaluates the expression about every 20 ms until its value is truthy (true, a non-zero
    // number, a non-empty string, an object). Throwing counts as not yet. False on timeout.
    bool waitFor(const QString& expression, int timeoutMs);
    // A PNG of the viewport, or of the whole page's length.
    bool screenshot(const QString& pngPath, bool fullPage = false);

    // What went wrong in the pages so far, one readable line each: console.error and
    // console.assert calls, uncaught exceptions and rejections, and the browser's own error
    // entries (failed loads, blocked content, security policy violations).
    QStringList consoleErrors() const { return m_consoleErrors; }
    // Every alert, confirm and prompt a page opened, as "alert: text". Each one is dismissed
    // at once, so a page never hangs on it.
    QStringList dialogs() const { return m_dialogs; }
    // Forgets the console errors and dialogs seen so far.
    void clearRecorded();

    // Why the most recent call failed; empty after one that succeeded.
    QString lastError() const { return m_lastError; }

    // One DevTools command with its parameters; its result, or nothing (see lastError()) on
    // an error answer, a closed connection or timeout. For what the methods above don't cover.
    std::optional<QJsonObject> command(const QString& method, const QJsonObject& params = {},
                                       int timeoutMs = 10000);

Q_SIGNALS:
    // Something arrived from the browser, or it went away: waits check their condition again.
    void progressed();

private:
    bool fail(const QString& message);
    bool waitUntil(const std::function<bool()>& done, int timeoutMs);
    void pause(int ms);
    int sendCommand(const QString& method, const QJsonObject& params);
    void onMessage(const QString& text);
    void onEvent(const QString& method, const QJsonObject& params);
    std::optional<QByteArray> httpGet(quint16 port, const QString& path, int timeoutMs);
    QString logTail() const;
    void killProcessGroup();

    std::unique_ptr<QProcess> m_process;
    std::unique_ptr<QWebSocket> m_socket;
    QString m_profileDir;
    qint64 m_pid = 0;
    bool m_connected = false;
    int m_nextId = 1;
    QHash<int, QJsonObject> m_replies;
    QHash<int, bool> m_awaited;
    int m_loadEvents = 0;
    QStringList m_consoleErrors;
    QStringList m_dialogs;
    QString m_lastError;
};

} // namespace quilvarden::testing
