#include "emptyhint.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QPainter>

namespace quilvarden::app {

EmptyHint::EmptyHint(QAbstractItemView* view, const QString& text) : QObject(view), m_view(view), m_text(text)
{
    view->viewport()->installEventFilter(this);
}

bool EmptyHint::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_view->viewport() || event->type() != QEvent::Paint)
        return false;
    const QAbstractItemModel* model = m_view->model();
    if (model != nullptr && model->rowCount() > 0)
        return false;
    QWidget* viewport = m_view->viewport();
    QPainter painter(viewport);
    const QColor colour = viewport->palette().color(QPalette::PlaceholderText);
    painter.setPen(colour);
    painter.drawText(viewport->rect().adjusted(6, 6, -6, -6),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, m_text);
    return true; // an empty list has nothing else to paint
}

} // namespace quilvarden::app
