#pragma once

#include "data/database.h"
#include "text/failure.h"

#include <QAbstractListModel>
#include <QStringList>

#include <functional>

namespace quilvarden::app {

// The results list: the register as results lines, the latest award on top. The lines come
// from the register a page at a time, from the top, as the operator scrolls down, so a
// season's register of a million awards opens at once and holds only what has been seen.
// Awards recorded since the last reload are the lines the operator saw, kept on top of the
// register as it was then.
class ResultsModel : public QAbstractListModel {
    Q_OBJECT

public:
    static constexpr qint64 PageSize = 128;

    explicit ResultsModel(data::Database& database, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // Puts the line of an award just recorded on top; the register is not read.
    void prepend(const QString& line);

    // The places of the order numbers on the lines: 2, or 3 for a programme past 99 (the
    // next reload lays the register's lines out so).
    void setOrderPlaces(int places) { m_orderPlaces = places; }

    // Shows the register as it is now, from its first page. On failure the list stays as
    // it was.
    Outcome reload();

    // Told, once the view is done, when a further page cannot be read as the operator
    // scrolls; the list then keeps what it shows until the next reload.
    void setFailureHandler(std::function<void(const Failure&)> handler) { m_onFailure = std::move(handler); }

private:
    // The next page of the register below the lines read so far.
    Result<QStringList> nextPage(qint64 upToId, qint64 offset) const;

    data::Database& m_database;
    QStringList m_lines;    // recorded lines on top, then the register's lines read so far
    qsizetype m_recent = 0; // how many of the lines on top were recorded since the reload
    qint64 m_upToId = 0;    // the register's lines are the awards with an id up to this
    bool m_complete = true; // every award up to m_upToId is among the lines
    int m_orderPlaces = 2;
    std::function<void(const Failure&)> m_onFailure;
};

} // namespace quilvarden::app
