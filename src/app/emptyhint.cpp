#include "emptyhint.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QPainter>

namespace quilvarden::app {

EmptyHint::EmptyHint(QAbstractItemView* view, const QString& text)
    : QObject(view), m_view(view), m_viewport(view->viewport()), m_text(text)
{
    m_viewport->installEventFilter(this);
}

bool EmptyHint::eventFilter(QObject* watched, QEvent* event)
{
    // The viewport outlives the view's own destructor by a few events: only a paint may
    // look at the view, and a paint never comes while the view is being torn down.
    if (event->type() != QEvent::Paint || watched != m_viewport)
        return false;
    const QAbstractItemModel* model = m_view->model();
    if (model != nullptr && model->rowCount() > 0)
        return false;
    QWidget* viewport = m_viewport;
    QPainter painter(viewport);
    const QColor colour = viewport->palette().color(QPalette::PlaceholderText);
    painter.setPen(colour);
    painter.drawText(viewport->rect().adjusted(6, 6, -6, -6),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, m_text);
    return true; // an empty list has nothing else to paint
}

} // namespace quilvarden::app
