#include "scoredialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quilvarden::app {

ScoreDialog::ScoreDialog(const QString& file, const QStringList& lines, bool anything,
                         const QStringList& categories, QWidget* parent)
    : QDialog(parent), m_file(file)
{
    setObjectName(QStringLiteral("dlgPuntuarResultados"));
    setWindowTitle(tr("Puntuar desde resultados"));
    auto* layout = new QVBoxLayout(this);
    m_intro = new QLabel(this);
    m_intro->setWordWrap(true);
    layout->addWidget(m_intro);
    m_shown = new QPlainTextEdit(this);
    m_shown->setObjectName(QStringLiteral("txtPuntos"));
    m_shown->setReadOnly(true);
    m_shown->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_shown->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_shown->setMinimumSize(520, 360);
    layout->addWidget(m_shown);
    if (!categories.isEmpty()) {
        layout->addWidget(new QLabel(tr("Categorías que se puntúan:"), this));
        m_categories = new QListWidget(this);
        m_categories->setObjectName(QStringLiteral("lstCategorias"));
        m_categories->setMaximumHeight(120);
        for (const QString& category : categories) {
            auto* item = new QListWidgetItem(category, m_categories);
            item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
            item->setCheckState(Qt::Checked);
        }
        connect(m_categories, &QListWidget::itemChanged, this, &ScoreDialog::categoriesChanged);
        layout->addWidget(m_categories);
    }
    m_replace = new QCheckBox(tr("Substituír os puntos das probas que xa os teñen"), this);
    m_replace->setObjectName(QStringLiteral("chkSubstituir"));
    layout->addWidget(m_replace);

    auto* buttons = new QDialogButtonBox(this);
    m_store = buttons->addButton(tr("Gardar"), QDialogButtonBox::AcceptRole);
    m_store->setObjectName(QStringLiteral("btnGardarPuntos"));
    m_cancel = buttons->addButton(tr("Cancelar"), QDialogButtonBox::RejectRole);
    m_cancel->setObjectName(QStringLiteral("btnCancelarPuntos"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    propose(lines, anything);
}

bool ScoreDialog::replace() const
{
    return m_replace->isChecked();
}

QStringList ScoreDialog::categories() const
{
    QStringList marked;
    for (int row = 0; m_categories && row < m_categories->count(); ++row)
        if (m_categories->item(row)->checkState() == Qt::Checked)
            marked << m_categories->item(row)->text();
    return marked;
}

void ScoreDialog::propose(const QStringList& lines, bool anything)
{
    m_intro->setText(anything ? tr("Estes son os puntos que se gardarán desde %1:").arg(m_file)
                              : tr("Non hai nada que puntuar en %1:").arg(m_file));
    m_shown->setPlainText(lines.join(u'\n'));
    m_store->setEnabled(anything);
    m_store->setDefault(anything);
    m_cancel->setDefault(!anything);
}

} // namespace quilvarden::app
