#include "form/FormSteps.h"

#include "form/CFormLayout.h"
#include "form/FormPlaces.h"

FormSteps::FormSteps(FormCanvas& canvas, const CFormLayout& layout, FormEdition edition)
    : m_canvas(canvas), m_layout(layout), m_edition(edition) {}

void FormSteps::Text(const QString& text, int left, int top, int right, int bottom, int format) {
    LogicalRect rect;
    m_layout.FormRect(rect, left, top, right, bottom);
    m_canvas.DrawText(text, rect, format);
}

void FormSteps::Value(FormField field, const QString& text) {
    const FormPlaces::Fitted fitted = FormPlaces::Fit(field, text, m_edition);
    LogicalRect rect;
    m_layout.FormRect(rect, fitted.rect.left, fitted.rect.top, fitted.rect.right,
                      fitted.rect.bottom);
    if (fitted.asItStands) {
        m_canvas.DrawText(text, rect, fitted.format);
    } else {
        m_canvas.DrawLines(fitted.lines, rect, fitted.format, fitted.widthScale);
    }
}

void FormSteps::Rule(int x1, int y1, int x2, int y2) {
    m_canvas.MoveTo(x1, m_layout.m_nOffsetY + y1);
    m_canvas.LineTo(x2, m_layout.m_nOffsetY + y2);
}

void FormSteps::Box(int left, int top, int right, int bottom) {
    LogicalRect rect;
    m_layout.FormRect(rect, left, top, right, bottom);
    m_canvas.Rectangle(rect);
}
