#include "source.h"

namespace quilvarden::live {

EditionSource::EditionSource(QString where, int busyTimeoutMs, int retryMs, int checkMs)
    : m_where(std::move(where)), m_busyTimeoutMs(busyTimeoutMs), m_retryMs(retryMs), m_checkMs(checkMs),
      m_check(this)
{
    connect(&m_check, &QTimer::timeout, this, &EditionSource::check);
}

EditionSource::~EditionSource() = default;

Outcome EditionSource::begin()
{
    data::OpenOptions reading;
    reading.readOnly = true;
    reading.busyTimeoutMs = m_busyTimeoutMs;
    Result<std::unique_ptr<data::Database>> opened = data::Database::open(m_where, reading);
    if (!opened)
        return opened.failure();
    m_database = std::move(opened).value();
    const Result<LiveEdition> first = read();
    if (!first)
        return first.failure();
    publish(*first, QString());
    m_watch = std::make_unique<data::RegisterWatch>(*m_database);
    connect(m_watch.get(), &data::RegisterWatch::changed, this, &EditionSource::refresh);
    m_check.start(m_checkMs);
    return Done{};
}

Result<LiveEdition> EditionSource::read()
{
    data::Database& database = *m_database;
    return database.readTogether<LiveEdition>([&database]() -> Result<LiveEdition> {
        Result<publish::Edition> edition = publish::readEdition(database, QDateTime::currentDateTime());
        if (!edition)
            return edition.failure();
        const Result<std::optional<qint64>> latestId = database.latestAwardId();
        if (!latestId)
            return latestId.failure();
        QList<data::AwardRow> latest;
        if (*latestId) {
            Result<QList<data::AwardRow>> page = database.awardsPage(**latestId, 0, LatestAwards);
            if (!page)
                return page.failure();
            latest = std::move(page).value();
        }
        return LiveEdition{std::move(edition).value(), std::move(latest), *latestId};
    });
}

void EditionSource::refresh()
{
    const Result<LiveEdition> live = read();
    if (live) {
        if (m_unavailableSince)
            Q_EMIT readableAgain();
        m_unavailableSince.reset();
        m_check.start(m_checkMs);
        publish(*live, QString());
        return;
    }
    // The last good figures stay, with a note that says only since when; the first failure
    // is told at once, and nothing more until the register can be read again.
    m_check.start(m_retryMs);
    if (m_unavailableSince || !m_last)
        return;
    m_unavailableSince = QDateTime::currentDateTime();
    Q_EMIT unreadable(live.failure().message());
    const LiveEdition last = *m_last;
    publish(last, unavailableNote(*m_unavailableSince, last.edition.printedAt));
}

void EditionSource::check()
{
    if (m_unavailableSince) {
        refresh();
        return;
    }
    // The latest award's id moves with every award and every undo of the latest; a failure
    // here is the register out of reach, which a full read then tells.
    const Result<std::optional<qint64>> latest = m_database->latestAwardId();
    if (!latest || !m_last || *latest != m_last->latestAwardId)
        refresh();
}

void EditionSource::publish(const LiveEdition& live, const QString& note)
{
    if (note.isEmpty())
        m_last = live;
    Result<std::shared_ptr<const Pages>> pages = renderPages(live, ++m_version, note);
    if (pages)
        Q_EMIT published(std::move(pages).value());
}

} // namespace quilvarden::live
