#pragma once

#include <QObject>
#include <QString>

class QAbstractItemView;
class QWidget;

namespace quilvarden::app {

// Writes what a list is for across it while it holds nothing, as a text box's placeholder
// does: the three standings lists have no heading of their own in the window's fixed layout.
class EmptyHint : public QObject {
    Q_OBJECT
public:
    EmptyHint(QAbstractItemView* view, const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractItemView* m_view;
    QWidget* m_viewport;
    QString m_text;
};

} // namespace quilvarden::app
