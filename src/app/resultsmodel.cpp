#include "resultsmodel.h"

#include "text/lines.h"

#include <QTimer>

namespace quilvarden::app {

ResultsModel::ResultsModel(data::Database& database, QObject* parent)
    : QAbstractListModel(parent), m_database(database)
{
}

int ResultsModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return static_cast<int>(m_recent.size() + m_stored);
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const qint64 row = index.row();
    if (row < m_recent.size())
        return m_recent.at(row);
    const qint64 stored = row - m_recent.size();
    if (stored >= m_stored)
        return {};
    const QStringList* lines = page(stored / PageSize);
    const qint64 within = stored % PageSize;
    if (!lines || within >= lines->size())
        return QString();
    return lines->at(within);
}

const QStringList* ResultsModel::page(qint64 number) const
{
    if (auto found = m_pages.constFind(number); found != m_pages.constEnd()) {
        m_pageUse.removeOne(number);
        m_pageUse.append(number);
        return &found.value();
    }
    const Result<QList<data::AwardRow>> rows = m_database.awardsPage(m_upToId, number * PageSize, PageSize);
    if (!rows) {
        // Drawing cannot show a message box; the window reports it as soon as it can.
        if (!m_failureReported && m_onFailure) {
            m_failureReported = true;
            QTimer::singleShot(0, this, [this, failure = rows.failure()] { m_onFailure(failure); });
        }
        return nullptr;
    }
    QStringList lines;
    lines.reserve(rows->size());
    for (const data::AwardRow& row : *rows)
        lines.append(text::resultsLine(row.order, row.eventCode, row.gender, row.club, row.points));
    if (m_pageUse.size() >= KeptPages)
        m_pages.remove(m_pageUse.takeFirst());
    m_pageUse.append(number);
    return &m_pages.insert(number, std::move(lines)).value();
}

void ResultsModel::prepend(const QString& line)
{
    beginInsertRows({}, 0, 0);
    m_recent.prepend(line);
    endInsertRows();
}

Outcome ResultsModel::reload()
{
    const Result<std::optional<qint64>> latest = m_database.latestAwardId();
    if (!latest)
        return latest.failure();
    const qint64 upToId = latest->value_or(0);
    const Result<qint64> count = latest->has_value() ? m_database.countAwards(upToId) : Result<qint64>(0);
    if (!count)
        return count.failure();
    beginResetModel();
    m_recent.clear();
    m_pages.clear();
    m_pageUse.clear();
    m_upToId = upToId;
    m_stored = *count;
    m_failureReported = false;
    endResetModel();
    return Done{};
}

} // namespace quilvarden::app
