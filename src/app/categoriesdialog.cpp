#include "categoriesdialog.h"

#include "app/messagebox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quilvarden::app {

namespace {

enum Column { Name, MinAge, MaxAge, SportClass, Events, Columns };

// The gender a category came with rides on its name's cell: it is not typed.
constexpr int GenderRole = Qt::UserRole;

} // namespace

CategoriesDialog::CategoriesDialog(const QList<data::MeetCategory>& current, Store store, QWidget* parent)
    : QDialog(parent), m_store(std::move(store))
{
    setObjectName(QStringLiteral("dlgCategorias"));
    setWindowTitle(tr("Categorías do campionato"));
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(tr("Unha categoría por fila. As probas van polas súas ordes: «1, 3, 5-9». "
                               "Sen idade mínima ou máxima, a categoría non ten ese límite."),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);
    m_table = new QTableWidget(0, Columns, this);
    m_table->setObjectName(QStringLiteral("taboaCategorias"));
    m_table->setHorizontalHeaderLabels(
        {tr("Nome"), tr("Idade mínima"), tr("Idade máxima"), tr("Clase"), tr("Probas (orde)")});
    m_table->horizontalHeader()->setSectionResizeMode(Events, QHeaderView::Stretch);
    m_table->verticalHeader()->setVisible(false);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(m_table);
    for (const data::MeetCategory& category : current)
        addRow(data::fieldsOf(category));

    auto* rowButtons = new QHBoxLayout;
    auto* add = new QPushButton(tr("&Engadir categoría"), this);
    add->setObjectName(QStringLiteral("btnEngadirCategoria"));
    auto* remove = new QPushButton(tr("E&liminar categoría"), this);
    remove->setObjectName(QStringLiteral("btnEliminarCategoria"));
    rowButtons->addWidget(add);
    rowButtons->addWidget(remove);
    rowButtons->addStretch();
    layout->addLayout(rowButtons);
    connect(add, &QPushButton::clicked, this, [this] {
        addRow({});
        m_table->setCurrentCell(m_table->rowCount() - 1, Name);
        m_table->editItem(m_table->currentItem());
    });
    connect(remove, &QPushButton::clicked, this, &CategoriesDialog::removeRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Gardar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancelar"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CategoriesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CategoriesDialog::reject);
    resize(640, 360);
}

void CategoriesDialog::addRow(const data::CategoryFields& fields)
{
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    const QString texts[Columns] = {fields.name, fields.minAge, fields.maxAge, fields.sportClass,
                                    fields.events};
    for (int column = 0; column < Columns; ++column)
        m_table->setItem(row, column, new QTableWidgetItem(texts[column]));
    m_table->item(row, Name)->setData(GenderRole, fields.gender);
}

void CategoriesDialog::removeRow()
{
    if (const int row = m_table->currentRow(); row >= 0)
        m_table->removeRow(row);
}

QList<data::CategoryFields> CategoriesDialog::rows() const
{
    QList<data::CategoryFields> rows;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const auto text = [&](int column) {
            const QTableWidgetItem* item = m_table->item(row, column);
            return item ? item->text() : QString();
        };
        const QTableWidgetItem* name = m_table->item(row, Name);
        rows.append({text(Name), text(MinAge), text(MaxAge), text(SportClass), text(Events),
                     name ? name->data(GenderRole).toString() : QString()});
    }
    return rows;
}

void CategoriesDialog::accept()
{
    const Result<QList<data::MeetCategory>> categories = data::categoriesFrom(rows());
    const Outcome stored = categories ? m_store(*categories) : Outcome(categories.failure());
    if (!stored) {
        MessageBox::critical(this, windowTitle(), stored.failure().message());
        return;
    }
    QDialog::accept();
}

} // namespace quilvarden::app
