#pragma once

#include <QFont>
#include <QRect>

class QWidget;

// Dialog units, in which the dialogs' layouts are given: a horizontal unit is a quarter of the
// dialog font's average character width, a vertical unit an eighth of its height. Placing
// controls by them keeps each dialog's proportions whatever font the desktop uses.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int X(int units) const;
    int Y(int units) const;
    QRect Rect(int x, int y, int width, int height) const;
    QSize Size(int width, int height) const;
    // Puts the widget at (x, y) with the given size, all in dialog units.
    void Place(QWidget* widget, int x, int y, int width, int height) const;

private:
    int m_baseX;
    int m_baseY;
};
