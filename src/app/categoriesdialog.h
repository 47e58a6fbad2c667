#pragma once

#include "data/categoryfields.h"
#include "data/meet.h"
#include "text/failure.h"

#include <QDialog>

#include <functional>

class QTableWidget;

namespace quilvarden::app {

// The meet's categories, one to a row, for the operator to type where the programme brought
// none: name, ages, class and the events' order numbers ("1, 3, 5-9"). OK keeps them through
// the store given; a row that does not read, a name twice, or a register that cannot be
// written is told and the dialog stays open with what was typed.
class CategoriesDialog : public QDialog {
    Q_OBJECT

public:
    using Store = std::function<Outcome(const QList<data::MeetCategory>&)>;

    CategoriesDialog(const QList<data::MeetCategory>& current, Store store, QWidget* parent = nullptr);

    // The rows as typed.
    QList<data::CategoryFields> rows() const;

    void accept() override;

private:
    void addRow(const data::CategoryFields& fields);
    void removeRow();

    Store m_store;
    QTableWidget* m_table = nullptr;
};

} // namespace quilvarden::app
