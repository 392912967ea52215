#include "form/FormSteps.h"

#include "form/FormPlaces.h"

FormSteps::FormSteps(FormCanvas& canvas, int offsetY, FormEdition edition)
    : m_canvas(canvas), m_nOffsetY(offsetY), m_edition(edition) {}

LogicalRect FormSteps::Rect(int offsetY, double left, double top, double right, double bottom) {
    LogicalRect rect;
    rect.left = static_cast<int>(left);
    rect.right = static_cast<int>(right);
    rect.top = static_cast<int>(top) + offsetY;
    rect.bottom = static_cast<int>(bottom) + offsetY;
    return rect;
}

void FormSteps::Text(const QString& text, int left, int top, int right, int bottom, int format) {
    m_canvas.DrawText(text, Rect(m_nOffsetY, left, top, right, bottom), format);
}

void FormSteps::Value(FormField field, const QString& text) {
    const FormPlaces::Fitted fitted = FormPlaces::Fit(field, text, m_edition);
    const LogicalRect rect =
        Rect(m_nOffsetY, fitted.rect.left, fitted.rect.top, fitted.rect.right, fitted.rect.bottom);
    if (fitted.asItStands) {
        m_canvas.DrawText(text, rect, fitted.format);
    } else {
        m_canvas.DrawLines(fitted.lines, rect, fitted.format, fitted.widthScale);
    }
}

void FormSteps::Rule(int x1, int y1, int x2, int y2) {
    m_canvas.MoveTo(x1, m_nOffsetY + y1);
    m_canvas.LineTo(x2, m_nOffsetY + y2);
}

void FormSteps::Box(int left, int top, int right, int bottom) {
    m_canvas.Rectangle(Rect(m_nOffsetY, left, top, right, bottom));
}
