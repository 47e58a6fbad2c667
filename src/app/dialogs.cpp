#include "dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace quilvarden::app {

namespace {
FileDialog::Handler& fileHandler()
{
    static FileDialog::Handler current;
    return current;
}
PrintDialog::Handler& printHandler()
{
    static PrintDialog::Handler current;
    return current;
}
TextDialog::Handler& textHandler()
{
    static TextDialog::Handler current;
    return current;
}
} // namespace

QString FileDialog::saveFileName(QWidget* parent, const QString& title, const QString& suggested,
                                 const QString& filters, QString* selectedFilter)
{
    if (fileHandler())
        return fileHandler()(suggested, filters, selectedFilter);
    return QFileDialog::getSaveFileName(parent, title, suggested, filters, selectedFilter);
}

QString FileDialog::openFileName(QWidget* parent, const QString& title, const QString& filters)
{
    if (fileHandler())
        return fileHandler()(QString(), filters, nullptr);
    return QFileDialog::getOpenFileName(parent, title, QString(), filters);
}

void FileDialog::setHandler(Handler handler)
{
    fileHandler() = std::move(handler);
}

bool PrintDialog::exec(QPrinter& printer, QWidget* parent)
{
    if (printHandler())
        return printHandler()(printer);
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void PrintDialog::setHandler(Handler handler)
{
    printHandler() = std::move(handler);
}

std::optional<QString> TextDialog::getText(QWidget* parent, const QString& title, const QString& label,
                                           const QString& placeholder)
{
    if (textHandler())
        return textHandler()(label);
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setTextValue(placeholder);
    dialog.resize(480, dialog.sizeHint().height());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue().trimmed();
}

void TextDialog::setHandler(Handler handler)
{
    textHandler() = std::move(handler);
}

} // namespace quilvarden::app
