#pragma once

#include "data/database.h"
#include "data/watch.h"
#include "live/pages.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>
#include <optional>

namespace quilvarden::live {

// Reads the register on a thread of its own and makes the pages anew after every change
// that any station makes, so that the server's thread only ever hands out finished bytes.
// While the register cannot be read (locked by another program, the server away), the last
// good edition stays, with a note of since when, and reading is tried again every retry.
// A light look at the register every check finds a server that went away without a word
// (no notice comes then) and one that came back.
class EditionSource : public QObject {
    Q_OBJECT
public:
    // With leagueLink, the phone page links to the league's.
    EditionSource(QString where, int busyTimeoutMs, int retryMs, int checkMs, bool leagueLink = false);
    ~EditionSource() override;

    // On the source's thread: opens the register only to read and makes the first pages.
    Outcome begin();

Q_SIGNALS:
    // A new edition; the same one again when its PDF is made (at most once a second).
    void published(std::shared_ptr<const quilvarden::live::Pages> pages);
    // The figures just read from the register (not those kept while it cannot be read).
    void editionRead(const quilvarden::publish::Edition& edition);
    // For the operator alone: why the register could not be read (the pages never say), and
    // that it can be read again.
    void unreadable(const QString& why);
    void readableAgain();

private:
    void refresh();
    void check();
    Result<LiveEdition> read();
    void publish(const LiveEdition& live, const QString& note);
    // The PDF of the figures waiting, into the pages given or (none) the latest, published.
    void makePdf(std::shared_ptr<Pages> pages);

    static constexpr int PdfEveryMs = 1000;

    QString m_where;
    int m_busyTimeoutMs;
    int m_retryMs;
    int m_checkMs;
    bool m_leagueLink;
    std::unique_ptr<data::Database> m_database;
    std::unique_ptr<data::RegisterWatch> m_watch;
    QTimer m_check;
    std::optional<LiveEdition> m_last;
    std::optional<QDateTime> m_unavailableSince;
    QByteArray m_pdf;                        // of the latest figures made into one
    std::optional<publish::Edition> m_pdfOf; // figures waiting to be made into a PDF
    QTimer m_pdfTimer;                       // when they will be
    QElapsedTimer m_sincePdf;
    std::shared_ptr<const Pages> m_latest; // the edition served now
    quint64 m_version = 0;
};

} // namespace quilvarden::live
