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

QMessageBox::StandardButton MessageBox::show(const Request& request)
{
    if (handler())
        return handler()(request);
    QMessageBox box(request.icon, request.title, request.text, QMessageBox::Ok, request.parent);
    box.exec();
    return QMessageBox::Ok;
}

} // namespace quilvarden::app
