#pragma once

#include <QPointF>
#include <QRectF>

#include "form/FormCanvas.h"

class FormFonts;
class QPainter;

// Draws the form's steps with a QPainter. Logical units (0.01 mm, y up) become device pixels as
// x·dpi/2540 and −y·dpi/2540; the painter itself stays unflipped, so text stands upright.
class QtFormCanvas : public FormCanvas {
public:
    QtFormCanvas(QPainter& painter, const FormFonts& fonts, double dpiX, double dpiY);

    FormFont SelectFont(FormFont font) override;
    void DrawText(const QString& text, const LogicalRect& rect, int format) override;
    void DrawLines(const QStringList& lines, const LogicalRect& rect, int format, double widthScale,
                   double heightScale) override;
    void SetInk(FormInk ink) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(const LogicalRect& rect) override;

private:
    QPointF ToDevice(int x, int y) const;
    // Sets up the painter for text in the current font, clipped to the box.
    void BeginText(const QRectF& box, Qt::BGMode background);
    void PaintLines(const QStringList& lines, const LogicalRect& rect, int format,
                    double widthScale, double heightScale, Qt::BGMode background);

    QPainter& m_painter;
    const FormFonts& m_fonts;
    double m_dpiX;
    double m_dpiY;
    FormFont m_font = FormFont::Default;
    FormInk m_ink = FormInk::Black;
    QPointF m_position;
};
