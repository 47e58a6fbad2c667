#include "frmintrores.h"

#include "app/messagebox.h"
#include "ui_frmintrores.h"

#include <QLabel>
#include <QScreen>
#include <QStyle>

namespace quilvarden::app {

FrmIntroRes::FrmIntroRes(std::unique_ptr<data::Database> database, QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::frmIntroRes>()), m_database(std::move(database))
{
    m_ui->setupUi(this);
    // The captions form one control array, Label1, told apart by their index.
    const QList<QLabel*> labels = findChildren<QLabel*>();
    for (QLabel* label : labels) {
        const QVariant index = label->property("Index");
        if (index.isValid())
            label->setObjectName(QStringLiteral("Label1(%1)").arg(index.toInt()));
    }
    setFixedSize(ClientWidth, ClientHeight);
    m_ui->puntos->setFocus(Qt::OtherFocusReason);
}

FrmIntroRes::~FrmIntroRes() = default;

Outcome FrmIntroRes::load()
{
    Result<QStringList> clubs = m_database->clubNames();
    if (!clubs)
        return clubs.failure();
    m_ui->club->clear();
    m_ui->club->addItems(*clubs);
    return Done{};
}

void FrmIntroRes::showCentred()
{
    if (const QScreen* screen = this->screen())
        setGeometry(
            QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
    show();
}

void FrmIntroRes::report(const Failure& failure)
{
    MessageBox::critical(this, windowTitle(), failure.message());
}

} // namespace quilvarden::app
