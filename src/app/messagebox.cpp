#include "messagebox.h"

namespace quilvarden::app {

namespace {
MessageBox::Handler& handler()
{
    static MessageBox::Handler current;
    return current;
}
} // namespace

void MessageBox::setHandler(Handler newHandler)
{
    handler() = std::move(newHandler);
}

QMessageBox::StandardButton MessageBox::critical(QWidget* parent, const QString& title, const QString& text)
{
    return show({parent, QMessageBox::Critical, title, text});
}

QMessageBox::StandardButton MessageBox::information(QWidget* parent, const QString& title,
                                                    const QString& text)
{
    return show({parent, QMessageBox::Information, title, text});
}

QMessageBox::StandardButton MessageBox::question(QWidget* parent, const QString& title, const QString& text)
{
    return show({parent, QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No});
}

QMessageBox::StandardButton MessageBox::show(const Request& request)
{
    if (handler())
        return handler()(request);
    QMessageBox box(request.icon, request.title, request.text, request.buttons, request.parent);
    if (request.buttons.testFlag(QMessageBox::No))
        box.setDefaultButton(QMessageBox::No);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace quilvarden::app
