#include "form/FormSteps.h"

#include "form/CVemoDoc.h"
#include "form/FormPlaces.h"

FormSteps::FormSteps(FormCanvas& canvas, int offsetY, FormPaper paper, const CVemoDoc& doc)
    : m_canvas(canvas), m_nOffsetY(offsetY), m_paper(paper), m_doc(doc) {}

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
    const FormPlaces::Fitted fitted = FormPlaces::Fit(field, text, m_paper);
    const LogicalRect rect =
        Rect(m_nOffsetY, fitted.rect.left, fitted.rect.top, fitted.rect.right, fitted.rect.bottom);
    const bool placeholder = m_doc.ShowsPlaceholder(field);
    if (placeholder) {
        m_canvas.SetInk(FormInk::Placeholder);
    }
    if (fitted.asItStands) {
        m_canvas.DrawText(text, rect, fitted.format);
    } else if (fitted.font == FormFont::Narrow) {  // the narrower face, for this value alone
        const FormFont own = m_canvas.SelectFont(FormFont::Narrow);
        m_canvas.DrawLines(fitted.lines, rect, fitted.format, fitted.widthScale,
                           fitted.heightScale);
        m_canvas.SelectFont(own);
    } else {
        m_canvas.DrawLines(fitted.lines, rect, fitted.format, fitted.widthScale,
                           fitted.heightScale);
    }
    if (placeholder) {
        m_canvas.SetInk(FormInk::Black);
    }
}

void FormSteps::Rule(int x1, int y1, int x2, int y2) {
    m_canvas.MoveTo(x1, m_nOffsetY + y1);
    m_canvas.LineTo(x2, m_nOffsetY + y2);
}

void FormSteps::Box(int left, int top, int right, int bottom) {
    m_canvas.Rectangle(Rect(m_nOffsetY, left, top, right, bottom));
}
