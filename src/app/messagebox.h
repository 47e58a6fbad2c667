#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

namespace quilvarden::app {

// Every message box of the program goes through here, so that tests can answer them
// instead of a person and never block.
class MessageBox {
public:
    struct Request {
        QWidget* parent = nullptr;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    };
    using Handler = std::function<QMessageBox::StandardButton(const Request&)>;

    static QMessageBox::StandardButton critical(QWidget* parent, const QString& title, const QString& text);
    static QMessageBox::StandardButton information(QWidget* parent, const QString& title,
                                                   const QString& text);
    // Yes or No, No the default.
    static QMessageBox::StandardButton question(QWidget* parent, const QString& title, const QString& text);

    // Replaces the real dialog; an empty handler brings it back.
    static void setHandler(Handler handler);

private:
    static QMessageBox::StandardButton show(const Request& request);
};

} // namespace quilvarden::app
