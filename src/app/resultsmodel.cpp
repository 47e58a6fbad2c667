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
    return static_cast<int>(m_lines.size());
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const
{
    // The whole line also as a tooltip: a category after the points runs past the list's width.
    if (!index.isValid() || index.row() >= m_lines.size() ||
        (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return m_lines.at(index.row());
}

bool ResultsModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && !m_complete;
}

void ResultsModel::fetchMore(const QModelIndex& parent)
{
    if (parent.isValid() || m_complete)
        return;
    Result<QStringList> page = nextPage(m_upToId, m_lines.size() - m_recent);
    if (!page) {
        // The list keeps what it has until the next reload; the failure is shown once the
        // view has finished with the list.
        m_complete = true;
        if (m_onFailure)
            QTimer::singleShot(0, this, [this, failure = page.failure()] { m_onFailure(failure); });
        return;
    }
    m_complete = page->size() < PageSize;
    if (page->isEmpty())
        return;
    const int first = static_cast<int>(m_lines.size());
    beginInsertRows({}, first, first + static_cast<int>(page->size()) - 1);
    m_lines.append(*page);
    endInsertRows();
}

Result<QStringList> ResultsModel::nextPage(qint64 upToId, qint64 offset) const
{
    const Result<QList<data::AwardRow>> rows = m_database.awardsPage(upToId, offset, PageSize);
    if (!rows)
        return rows.failure();
    QStringList lines;
    lines.reserve(rows->size());
    for (const data::AwardRow& row : *rows)
        lines.append(text::withCategory(
            text::resultsLine(row.order, row.eventCode, row.gender, row.club, row.points, m_orderPlaces),
            row.category));
    return lines;
}

void ResultsModel::prepend(const QString& line)
{
    beginInsertRows({}, 0, 0);
    m_lines.prepend(line);
    ++m_recent;
    endInsertRows();
}

Outcome ResultsModel::reload()
{
    const Result<std::optional<qint64>> latest = m_database.latestAwardId();
    if (!latest)
        return latest.failure();
    const qint64 upToId = latest->value_or(0);
    Result<QStringList> first =
        latest->has_value() ? nextPage(upToId, 0) : Result<QStringList>(QStringList());
    if (!first)
        return first.failure();
    beginResetModel();
    m_complete = first->size() < PageSize;
    m_lines = std::move(first).value();
    m_recent = 0;
    m_upToId = upToId;
    endResetModel();
    return Done{};
}

} // namespace quilvarden::app
