#include "scoredialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quilvarden::app {

ScoreDialog::ScoreDialog(const QString& file, const QStringList& lines, bool anything, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgPuntuarResultados"));
    setWindowTitle(tr("Puntuar desde resultados"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(anything ? tr("Estes son os puntos que se gardarán desde %1:").arg(file)
                                      : tr("Non hai nada que puntuar en %1:").arg(file),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* shown = new QPlainTextEdit(lines.join(u'\n'), this);
    shown->setObjectName(QStringLiteral("txtPuntos"));
    shown->setReadOnly(true);
    shown->setLineWrapMode(QPlainTextEdit::NoWrap);
    shown->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    shown->setMinimumSize(520, 360);
    layout->addWidget(shown);
    m_replace = new QCheckBox(tr("Substituír os puntos das probas que xa os teñen"), this);
    m_replace->setObjectName(QStringLiteral("chkSubstituir"));
    layout->addWidget(m_replace);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* store = buttons->addButton(tr("Gardar"), QDialogButtonBox::AcceptRole);
    store->setObjectName(QStringLiteral("btnGardarPuntos"));
    store->setEnabled(anything);
    QPushButton* cancel = buttons->addButton(tr("Cancelar"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btnCancelarPuntos"));
    (anything ? store : cancel)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

bool ScoreDialog::replace() const
{
    return m_replace->isChecked();
}

} // namespace quilvarden::app
