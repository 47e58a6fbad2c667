#include "livedialog.h"

#include "live/qrcode.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace quilvarden::app {

LiveDialog::LiveDialog(const QList<QUrl>& addresses, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgPublicarEnDirecto"));
    setWindowTitle(tr("Clasificacións en directo"));
    auto* layout = new QVBoxLayout(this);
    const QUrl first = addresses.value(0);
    const bool onlyHere = first.host().startsWith(QStringLiteral("127.")) || first.host() == u"::1";

    auto* intro = new QLabel(onlyHere ? tr("Este ordenador non está en ningunha rede: as clasificacións "
                                           "só se ven nel mesmo, neste enderezo:")
                                      : tr("Dálles este enderezo ás persoas da piscina (na mesma rede "
                                           "ca este ordenador):"),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* address = new QLabel(first.toString(), this);
    address->setObjectName(QStringLiteral("lblEnderezo"));
    address->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QFont large = address->font();
    large.setPointSizeF(large.pointSizeF() * 1.8);
    large.setBold(true);
    address->setFont(large);
    layout->addWidget(address, 0, Qt::AlignHCenter);

    auto* code = new QLabel(this);
    code->setObjectName(QStringLiteral("lblQr"));
    code->setPixmap(QPixmap::fromImage(live::qrCode(first.toString(), 6)));
    layout->addWidget(code, 0, Qt::AlignHCenter);

    QStringList more{tr("Pantalla grande (proxector): %1board").arg(first.toString())};
    for (qsizetype i = 1; i < addresses.size(); ++i)
        more << tr("Tamén: %1").arg(addresses[i].toString());
    auto* others = new QLabel(more.join(u'\n'), this);
    others->setObjectName(QStringLiteral("lblOutrosEnderezos"));
    others->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(others);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* stop = buttons->addButton(tr("Deter a publicación"), QDialogButtonBox::DestructiveRole);
    stop->setObjectName(QStringLiteral("btnDeterPublicacion"));
    QPushButton* close = buttons->addButton(tr("Pechar"), QDialogButtonBox::AcceptRole);
    close->setObjectName(QStringLiteral("btnPechar"));
    close->setDefault(true);
    connect(stop, &QPushButton::clicked, this, [this] {
        Q_EMIT stopRequested();
        accept();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace quilvarden::app
