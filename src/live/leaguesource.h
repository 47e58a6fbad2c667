#pragma once

#include "league/leaguefile.h"
#include "live/leaguepages.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <optional>

namespace quilvarden::live {

// A league served beside the matchday being swum: its file, and which of its matchdays that is.
struct LiveLeague {
    league::LeagueFile file;
    qsizetype current = 0;
};

// The league's matchday whose register is the one given (the same file, or the same server
// URI); a failure naming the league when none is.
Result<qsizetype> matchdayOf(const league::LeagueFile& file, const QString& where);

// Adds the league up again from every matchday's register (each opened only to read) after
// the matchday being swum changes, at most once a second, on a thread of its own so that a
// slow register never holds up the meet's pages. While a register cannot be read, the last
// league added up stays, with a note of since when, and it is tried again every retry.
class LeagueSource : public QObject {
    Q_OBJECT
public:
    LeagueSource(LiveLeague league, int retryMs);

    // On the source's thread: adds the league up and makes its first pages.
    Outcome begin();
    // The matchday's figures now: shown with the league added up again.
    void take(const quilvarden::publish::Edition& matchday);

Q_SIGNALS:
    void published(std::shared_ptr<const quilvarden::live::LeaguePages> pages);
    // For the operator alone, as the meet's source tells them.
    void unreadable(const QString& why);
    void readableAgain();

private:
    void addUp();
    void publish(const QString& note);

    static constexpr int AddUpEveryMs = 1000;

    LiveLeague m_league;
    int m_retryMs;
    std::optional<publish::Edition> m_matchday;
    std::optional<league::LeagueTable> m_table;
    QDateTime m_addedUp;
    std::optional<QDateTime> m_unavailableSince;
    QTimer m_next;
    QElapsedTimer m_sinceAddedUp;
    quint64 m_version = 0;
};

} // namespace quilvarden::live

Q_DECLARE_METATYPE(quilvarden::publish::Edition)
