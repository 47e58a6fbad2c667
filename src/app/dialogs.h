#pragma once

#include <QString>

#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace quilvarden::app {

// The file and print dialogs of the program, behind hooks that tests answer instead of a
// person, as with message boxes.
class FileDialog {
public:
    // The file chosen to save into (empty when the operator cancels), and in selectedFilter
    // the filter chosen.
    using Handler =
        std::function<QString(const QString& suggested, const QString& filters, QString* selectedFilter)>;

    static QString saveFileName(QWidget* parent, const QString& title, const QString& suggested,
                                const QString& filters, QString* selectedFilter);
    // The file chosen to read (empty when the operator cancels); the handler is asked with no
    // suggestion and no selected filter.
    static QString openFileName(QWidget* parent, const QString& title, const QString& filters);
    static void setHandler(Handler handler);
};

class PrintDialog {
public:
    // True when the printer is set up and printing should go ahead.
    using Handler = std::function<bool(QPrinter& printer)>;

    static bool exec(QPrinter& printer, QWidget* parent);
    static void setHandler(Handler handler);
};

// A line of text asked of the operator (a server's address), behind a hook as the others.
class TextDialog {
public:
    // The text given, or nothing when the operator cancels.
    using Handler = std::function<std::optional<QString>(const QString& label)>;

    static std::optional<QString> getText(QWidget* parent, const QString& title, const QString& label,
                                          const QString& placeholder);
    static void setHandler(Handler handler);
};

} // namespace quilvarden::app
