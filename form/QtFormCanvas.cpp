#include "form/QtFormCanvas.h"

#include <QFontMetricsF>
#include <QPainter>

#include "form/FormFonts.h"
#include "form/FormPlaces.h"
#include "form/TextFit.h"

namespace {

int AlignmentFlags(int format) {
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

// The grey of a placeholder: plainly lighter than the values, still readable.
const QColor kPlaceholderGrey(140, 140, 140);

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

void QtFormCanvas::BeginText(const QRectF& box, Qt::BGMode background) {
    m_painter.save();
    m_painter.setClipRect(box, Qt::IntersectClip);
    m_painter.setFont(m_fonts.Font(m_font));
    m_painter.setPen(m_ink == FormInk::Placeholder ? kPlaceholderGrey : QColor(Qt::black));
    m_painter.setBackground(Qt::white);
    m_painter.setBackgroundMode(background);
}

void QtFormCanvas::DrawText(const QString& text, const LogicalRect& rect, int format) {
    if (format & DT_WORDBREAK) {
        // Broken by the same rule as the layout uses to decide what fits, so that what it
        // decides is what the page shows.
        const int charsPerLine = (rect.right - rect.left) / FormPlaces::CharWidth(m_font);
        PaintLines(TextFit::BreakLines(text, charsPerLine), rect, DT_LEFT, 1.0, 1.0,
                   Qt::OpaqueMode);
        return;
    }
    const QRectF box(ToDevice(rect.left, rect.top), ToDevice(rect.right, rect.bottom));
    const double scaleX = m_fonts.HorizontalScale(m_font);
    const double scaleY = m_fonts.VerticalScale(m_font);

    BeginText(box, Qt::OpaqueMode);
    m_painter.translate(box.topLeft());
    m_painter.scale(scaleX, scaleY);
    // In the scaled system the box is measured in the font's own pixels.
    m_painter.drawText(QRectF(0, 0, box.width() / scaleX, box.height() / scaleY),
                       AlignmentFlags(format), text);
    m_painter.restore();
}

void QtFormCanvas::DrawLines(const QStringList& lines, const LogicalRect& rect, int format,
                             double widthScale, double heightScale) {
    // Fitted lines keep to a room that nothing else takes, but their cells may overlap the
    // descenders of a caption above: a white background would wipe those off.
    PaintLines(lines, rect, format, widthScale, heightScale, Qt::TransparentMode);
}

void QtFormCanvas::SetInk(FormInk ink) {
    m_ink = ink;
}

void QtFormCanvas::PaintLines(const QStringList& lines, const LogicalRect& rect, int format,
                              double widthScale, double heightScale, Qt::BGMode background) {
    const QRectF box(ToDevice(rect.left, rect.top), ToDevice(rect.right, rect.bottom));
    const double scaleY = m_fonts.VerticalScale(m_font) * heightScale;
    const double cell = FormPlaces::CellHeight(m_font) * heightScale * m_dpiY / kUnitsPerInch;
    const QFontMetricsF metrics(m_fonts.Font(m_font));

    BeginText(box, background);
    for (int i = 0; i < lines.size(); ++i) {
        double scaleX = m_fonts.HorizontalScale(m_font) * widthScale;
        // The narrower face measures its letters by its digits, and most are wider: a line of
        // them is narrowed further, never cut.
        const double width = metrics.horizontalAdvance(lines.at(i)) * scaleX;
        if (m_font == FormFont::Narrow && width > box.width()) {
            scaleX *= box.width() / width;
        }
        m_painter.save();
        m_painter.translate(box.left(), box.top() + i * cell);
        m_painter.scale(scaleX, scaleY);
        m_painter.drawText(QRectF(0, 0, box.width() / scaleX, cell / scaleY),
                           AlignmentFlags(format), lines.at(i));
        m_painter.restore();
    }
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
