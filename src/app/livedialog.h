#pragma once

#include <QDialog>
#include <QList>
#include <QUrl>

namespace quilvarden::app {

// What the operator gives out once the live standings are published: the address for
// phones (large, selectable, and as a QR code), the board's address, and a button that
// stops publishing.
class LiveDialog : public QDialog {
    Q_OBJECT
public:
    // The first address is the one to give out; the others are listed below it.
    LiveDialog(const QList<QUrl>& addresses, QWidget* parent = nullptr);

Q_SIGNALS:
    void stopRequested();
};

} // namespace quilvarden::app
