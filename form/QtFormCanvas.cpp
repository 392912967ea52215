#include "form/QtFormCanvas.h"

#include <QPainter>

#include "form/FormFonts.h"

namespace {

int AlignmentFlags(int format) {
    if (format & DT_WORDBREAK) {
        return Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    }
    // Vertical centring needs a single-line format, which the form never uses: every text
    // starts at the top edge of its rectangle.
    if (format & DT_CENTER) {
        return Qt::AlignHCenter | Qt::AlignTop;
    }
    if (format & DT_RIGHT) {
        return Qt::AlignRight | Qt::AlignTop;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

QPen ThinBlackPen() {
    QPen pen(Qt::black);
    pen.setWidth(0);  // the device's thinnest line
    return pen;
}

}  // namespace

QtFormCanvas::QtFormCanvas(QPainter& painter, const FormFonts& fonts, double dpiX, double dpiY)
    : m_painter(painter), m_fonts(fonts), m_dpiX(dpiX), m_dpiY(dpiY) {}

QPointF QtFormCanvas::ToDevice(int x, int y) const {
    return QPointF(x * m_dpiX / kUnitsPerInch, -y * m_dpiY / kUnitsPerInch);
}

FormFont QtFormCanvas::SelectFont(FormFont font) {
    const FormFont previous = m_font;
    m_font = font;
    return previous;
}

void QtFormCanvas::DrawText(const QString& text, const LogicalRect& rect, int format) {
    const QRectF box(ToDevice(rect.left, rect.top), ToDevice(rect.right, rect.bottom));
    const double scaleX = m_fonts.HorizontalScale(m_font);
    const double scaleY = m_fonts.VerticalScale(m_font);

    m_painter.save();
    m_painter.setClipRect(box, Qt::IntersectClip);
    m_painter.translate(box.topLeft());
    m_painter.scale(scaleX, scaleY);
    m_painter.setFont(m_fonts.Font(m_font));
    m_painter.setPen(Qt::black);
    m_painter.setBackground(Qt::white);
    m_painter.setBackgroundMode(Qt::OpaqueMode);
    // In the scaled system the box is measured in the font's own pixels, so that lines break at
    // the rectangle's true width.
    m_painter.drawText(QRectF(0, 0, box.width() / scaleX, box.height() / scaleY),
                       AlignmentFlags(format), text);
    m_painter.restore();
}

void QtFormCanvas::MoveTo(int x, int y) {
    m_position = ToDevice(x, y);
}

void QtFormCanvas::LineTo(int x, int y) {
    const QPointF to = ToDevice(x, y);
    m_painter.save();
    m_painter.setPen(ThinBlackPen());
    m_painter.drawLine(m_position, to);
    m_painter.restore();
    m_position = to;
}

void QtFormCanvas::Rectangle(const LogicalRect& rect) {
    m_painter.save();
    m_painter.setPen(ThinBlackPen());
    m_painter.setBrush(Qt::white);
    m_painter.drawRect(QRectF(ToDevice(rect.left, rect.top), ToDevice(rect.right, rect.bottom)));
    m_painter.restore();
}
