#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;

namespace quilvarden::app {

// What scoring from a results file would store, for the operator to check before storing
// it: the events and their awards as results lines, and what is not scored and why.
class ScoreDialog : public QDialog {
    Q_OBJECT
public:
    ScoreDialog(const QString& file, const QStringList& lines, bool anything, QWidget* parent = nullptr);
    // Whether events that already have awards get the new ones instead.
    bool replace() const;

private:
    QCheckBox* m_replace = nullptr;
};

} // namespace quilvarden::app
