#pragma once

#include <QFont>

#include "form/FormCanvas.h"
#include "form/FormPlaces.h"

// The fonts of the form for one drawing surface: a light and a semibold monospaced "Courier"
// with a character cell 3.96 mm high and an average character width of 1.98 mm (text) or
// 2.31 mm (title); the current edition's light captions, 3.4 mm by 1.7 mm (8 pt), and at its full
// size its values of 10 pt and its bold title of 12 pt in the same face; and a narrower face of
// 10 pt for a value that needs it, measured by its digits. Qt sizes fonts and rounds their
// metrics in whole pixels, which at screen resolution misses those sizes by several percent; so
// the fonts are made at a fine reference resolution, and the canvas scales them onto the
// surface, each axis by its own factor.
class FormFonts {
public:
    static constexpr int kCellHeight = FormPlaces::kCellHeight;
    static constexpr int kTextWidth = FormPlaces::kTextWidth;
    static constexpr int kTitleWidth = FormPlaces::kTitleWidth;
    static constexpr int kCaptionHeight = FormPlaces::kCaptionHeight;
    static constexpr int kCaptionWidth = FormPlaces::kCaptionWidth;
    static constexpr int kValueHeight = FormPlaces::kValueHeight;
    static constexpr int kValueWidth = FormPlaces::kValueWidth;
    static constexpr int kHeadingHeight = FormPlaces::kHeadingHeight;
    static constexpr int kHeadingWidth = FormPlaces::kHeadingWidth;
    static constexpr int kNarrowHeight = FormPlaces::kNarrowHeight;
    static constexpr int kNarrowWidth = FormPlaces::kNarrowWidth;

    // dpiX and dpiY are the surface's device pixels per inch.
    FormFonts(double dpiX, double dpiY);

    const QFont& Font(FormFont font) const;
    // What the canvas multiplies the font's own sizes by, across and down.
    double HorizontalScale(FormFont font) const;
    double VerticalScale(FormFont font) const;

    // What a drawn character cell measures, in 0.01 mm, as the canvas draws it.
    double CellHeight(FormFont font) const;
    double AverageWidth(FormFont font) const;

private:
    struct Sized {
        QFont font;
        double scaleX = 1.0;
        double scaleY = 1.0;
    };
    Sized Make(const QFont& face, int cellHeight, int averageWidth) const;
    const Sized& Get(FormFont font) const;

    double m_dpiX;
    double m_dpiY;
    Sized m_text;
    Sized m_title;
    Sized m_caption;
    Sized m_value;
    Sized m_heading;
    Sized m_narrow;
    Sized m_default;
};
