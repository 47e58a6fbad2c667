#pragma once

#include "data/database.h"
#include "text/failure.h"

#include <QAbstractListModel>
#include <QHash>
#include <QStringList>

#include <functional>

namespace quilvarden::app {

// The results list: the register as results lines, the latest award on top. Only the lines
// in sight are read and laid out, a page at a time, so a season's register of many
// thousands of awards opens at once and holds little memory. Awards recorded since the last
// reload are kept as the lines the operator saw, on top of the register as it was then.
class ResultsModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit ResultsModel(data::Database& database, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Puts the line of an award just recorded on top; the register is not read.
    void prepend(const QString& line);

    // Shows the register as it is now. On failure the list stays as it was.
    Outcome reload();

    // Called, once per reload, when a page cannot be read while the list is drawn.
    void setFailureHandler(std::function<void(const Failure&)> handler) { m_onFailure = std::move(handler); }

private:
    static constexpr qint64 PageSize = 128;
    static constexpr qsizetype KeptPages = 16;

    const QStringList* page(qint64 number) const;

    data::Database& m_database;
    QStringList m_recent; // recorded since the last reload, the latest first
    qint64 m_upToId = 0;  // the register's lines are the awards with an id up to this
    qint64 m_stored = 0;  // and there are this many of them
    mutable QHash<qint64, QStringList> m_pages;
    mutable QList<qint64> m_pageUse; // least recently used first
    mutable bool m_failureReported = false;
    std::function<void(const Failure&)> m_onFailure;
};

} // namespace quilvarden::app
