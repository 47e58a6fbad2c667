#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace quilvarden::app {

// What scoring from a results file would store, for the operator to check before storing
// it: the events and their awards as results lines, and what is not scored and why. Where
// the file ranks categories, the operator may leave some out: all are marked at first.
class ScoreDialog : public QDialog {
    Q_OBJECT
public:
    ScoreDialog(const QString& file, const QStringList& lines, bool anything,
                const QStringList& categories = {}, QWidget* parent = nullptr);
    // Whether events that already have awards get the new ones instead.
    bool replace() const;
    // The categories marked.
    QStringList categories() const;
    // What would be stored now, in place of what was shown.
    void propose(const QStringList& lines, bool anything);

Q_SIGNALS:
    // The operator marked or unmarked a category.
    void categoriesChanged();

private:
    QString m_file;
    QLabel* m_intro = nullptr;
    QPlainTextEdit* m_shown = nullptr;
    QListWidget* m_categories = nullptr;
    QCheckBox* m_replace = nullptr;
    QPushButton* m_store = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace quilvarden::app
