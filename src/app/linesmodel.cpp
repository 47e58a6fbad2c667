#include "linesmodel.h"

namespace quilvarden::app {

int LinesModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return static_cast<int>(m_lines.size());
}

QVariant LinesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_lines.size() || role != Qt::DisplayRole)
        return {};
    return m_lines.at(index.row());
}

void LinesModel::prepend(const QString& line)
{
    beginInsertRows({}, 0, 0);
    m_lines.prepend(line);
    endInsertRows();
}

void LinesModel::reset(QStringList lines)
{
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
}

} // namespace quilvarden::app
