#include "widgets/StretchPlacement.h"

StretchPlacement::StretchPlacement(QWidget* dialog, QWidget* growing)
    : m_smallest(dialog->size()), m_growingRect(growing->geometry()) {
    for (QWidget* child : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow()) {
            const bool grows = child == growing;
            m_places.append({child, child->geometry(), grows, grows});
        }
    }
}

void StretchPlacement::Widen(QWidget* widget) {
    for (Place& place : m_places) {
        if (place.widget == widget) {
            place.widen = true;
        }
    }
}

void StretchPlacement::Apply(const QSize& size) const {
    const QSize extra = (size - m_smallest).expandedTo(QSize(0, 0));
    for (const Place& place : m_places) {
        if (place.widget) {
            place.widget->setGeometry(PlaceFor(place, extra));
        }
    }
}

QRect StretchPlacement::PlaceFor(const Place& place, const QSize& extra) const {
    QRect rect = place.rect;
    if (place.widen) {
        rect.setWidth(rect.width() + extra.width());
    }
    if (place.grow) {
        rect.setHeight(rect.height() + extra.height());
    } else if (rect.top() > m_growingRect.bottom()) {
        rect.translate(extra.width() / 2, extra.height());
    }
    return rect;
}
