#pragma once

#include <QList>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

// Lets a dialog whose widgets stand in fixed places grow beyond its smallest size: one widget
// grows with the dialog; the widgets above it keep their places, those asked to widen taking the
// extra width; the widgets below it move down with its bottom edge and keep their row centred
// under it.
class StretchPlacement {
public:
    // Takes the dialog's present size and its widgets' present places as those of its smallest
    // size.
    StretchPlacement(QWidget* dialog, QWidget* growing);

    void Widen(QWidget* widget);
    // Puts every widget in its place for the dialog's size.
    void Apply(const QSize& size) const;

private:
    struct Place {
        QPointer<QWidget> widget;
        QRect rect;
        bool widen = false;
        bool grow = false;
    };

    QRect PlaceFor(const Place& place, const QSize& extra) const;

    QSize m_smallest;
    QRect m_growingRect;
    QList<Place> m_places;
};
