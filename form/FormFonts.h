#pragma once

#include <QFont>

#include "form/FormCanvas.h"

// The two fonts of the form for one drawing surface: a light and a semibold monospaced "Courier"
// with a character cell 3.96 mm high and an average character width of 1.98 mm (text) or
// 2.31 mm (title). Qt sizes fonts in whole pixels; the remaining difference in width is made up
// by a horizontal scale that the canvas applies while it draws.
class FormFonts {
public:
    static constexpr int kCellHeight = 396;
    static constexpr int kTextWidth = 198;
    static constexpr int kTitleWidth = 231;

    // dpiX and dpiY are the surface's device pixels per inch.
    FormFonts(double dpiX, double dpiY);

    const QFont& Font(FormFont font) const;
    // What the canvas multiplies the font's natural widths by to reach the form's width.
    double HorizontalScale(FormFont font) const;

    // What a drawn character cell measures, in 0.01 mm, as the canvas draws it.
    double CellHeight(FormFont font) const;
    double AverageWidth(FormFont font) const;

private:
    struct Sized {
        QFont font;
        double scale = 1.0;
    };
    Sized Make(QFont::Weight weight, int averageWidth) const;
    const Sized& Get(FormFont font) const;

    double m_dpiX;
    double m_dpiY;
    Sized m_text;
    Sized m_title;
    Sized m_default;
};
