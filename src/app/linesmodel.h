#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace quilvarden::app {

// The lines of a list on the window, in the order the operations put them; never sorted.
// A view over it draws only the lines in sight, so a register of many thousands of awards
// costs one string a line and nothing more.
class LinesModel : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    const QStringList& lines() const { return m_lines; }

    // Puts a line at the top, the others moving down one place.
    void prepend(const QString& line);
    // Replaces every line at once.
    void reset(QStringList lines);
    void clear() { reset({}); }

private:
    QStringList m_lines;
};

} // namespace quilvarden::app
