#include "source.h"

#include <algorithm>

namespace quilvarden::live {

EditionSource::EditionSource(QString where, int busyTimeoutMs, int retryMs, int checkMs, bool leagueLink)
    : m_where(std::move(where)), m_busyTimeoutMs(busyTimeoutMs), m_retryMs(retryMs), m_checkMs(checkMs),
      m_leagueLink(leagueLink), m_check(this), m_pdfTimer(this)
{
    connect(&m_check, &QTimer::timeout, this, &EditionSource::check);
    m_pdfTimer.setSingleShot(true);
    connect(&m_pdfTimer, &QTimer::timeout, this, [this] { makePdf(nullptr); });
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
        Result<publish::Edition> edition =
            publish::readEdition(database, QDateTime::currentDateTime(), data::StandingsScope{true});
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
    if (note.isEmpty()) {
        m_last = live;
        Q_EMIT editionRead(live.edition);
    }
    std::shared_ptr<Pages> pages = renderPages(live, ++m_version, note, m_leagueLink);
    if (m_pdf.isEmpty()) {
        // The first edition comes whole.
        m_pdfOf = live.edition;
        makePdf(pages);
        return;
    }
    // Every phone waits for the pages and the stream's message, made in a millisecond; the
    // PDF takes ten times as long and is only ever downloaded, so it follows them, made again
    // at most once a second from the latest figures. A note changes the pages only.
    pages->pdf = m_pdf;
    m_latest = pages;
    Q_EMIT published(pages);
    if (!note.isEmpty())
        return;
    m_pdfOf = live.edition;
    if (!m_pdfTimer.isActive())
        m_pdfTimer.start(static_cast<int>(std::max<qint64>(0, PdfEveryMs - m_sincePdf.elapsed())));
}

void EditionSource::makePdf(std::shared_ptr<Pages> pages)
{
    if (!m_pdfOf)
        return;
    if (Result<QByteArray> pdf = publish::render(*m_pdfOf, publish::Format::Pdf))
        m_pdf = std::move(pdf).value();
    m_pdfOf.reset();
    m_sincePdf.start();
    if (!pages)
        pages = std::make_shared<Pages>(*m_latest);
    pages->pdf = m_pdf;
    m_latest = pages;
    Q_EMIT published(pages);
}

} // namespace quilvarden::live
