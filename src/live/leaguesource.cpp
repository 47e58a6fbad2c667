#include "leaguesource.h"

#include "data/location.h"
#include "live/pages.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace quilvarden::live {

namespace {

bool sameRegister(const QString& a, const QString& b)
{
    if (data::isServerUri(a) || data::isServerUri(b))
        return a.trimmed() == b.trimmed();
    const QFileInfo first(a);
    const QFileInfo second(b);
    if (first.exists() && second.exists())
        return first.canonicalFilePath() == second.canonicalFilePath();
    return first.absoluteFilePath() == second.absoluteFilePath();
}

} // namespace

Result<qsizetype> matchdayOf(const league::LeagueFile& file, const QString& where)
{
    for (qsizetype i = 0; i < file.matchdays.size(); ++i)
        if (!file.matchdays[i].where.isEmpty() && sameRegister(file.matchdays[i].where, where))
            return i;
    return Failure::database(
        Failure::InvalidArgument,
        QCoreApplication::translate("Live", "Ningunha xornada da liga «%1» ten o rexistro %2: escríbao na "
                                            "xornada que se está a nadar no ficheiro da liga.")
            .arg(file.name, data::locate(where).shown()));
}

LeagueSource::LeagueSource(LiveLeague league, int retryMs)
    : m_league(std::move(league)), m_retryMs(retryMs), m_next(this)
{
    m_next.setSingleShot(true);
    connect(&m_next, &QTimer::timeout, this, &LeagueSource::addUp);
}

Outcome LeagueSource::begin()
{
    Result<league::LeagueTable> table = league::buildLeague(m_league.file);
    if (!table)
        return table.failure();
    m_table = std::move(table).value();
    m_addedUp = QDateTime::currentDateTime();
    m_sinceAddedUp.start();
    publish(QString());
    return Done{};
}

void LeagueSource::take(const publish::Edition& matchday)
{
    m_matchday = matchday;
    if (!m_table || m_next.isActive())
        return;
    m_next.start(static_cast<int>(std::max<qint64>(0, AddUpEveryMs - m_sinceAddedUp.elapsed())));
}

void LeagueSource::addUp()
{
    m_sinceAddedUp.restart();
    Result<league::LeagueTable> table = league::buildLeague(m_league.file);
    if (table) {
        m_table = std::move(table).value();
        m_addedUp = QDateTime::currentDateTime();
        if (std::exchange(m_unavailableSince, std::nullopt))
            Q_EMIT readableAgain();
        publish(QString());
        return;
    }
    // The last league added up stays; the first failure is told, then tried again now and then.
    m_next.start(m_retryMs);
    if (m_unavailableSince)
        return;
    m_unavailableSince = QDateTime::currentDateTime();
    Q_EMIT unreadable(table.failure().message());
    publish(unavailableNote(*m_unavailableSince, m_addedUp));
}

void LeagueSource::publish(const QString& note)
{
    const LeagueView view{*m_table, m_league.current, m_matchday, m_addedUp};
    Q_EMIT published(renderLeaguePages(view, ++m_version, note));
}

} // namespace quilvarden::live
