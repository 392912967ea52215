#include "form/CVemoView.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

#include "form/CVemoDoc.h"
#include "form/FormCanvas.h"
#include "form/FormPrinting.h"

namespace {

// The printable area of the form's page, in 0.01 mm: what the screen shows of the paper.
QSizeF PageInUnits() {
    const QRectF area = FormPageLayout().paintRect(QPageLayout::Millimeter);
    return area.size() * 100.0;
}

// One notch of the wheel enlarges or reduces the page by this much.
constexpr double kZoomStep = 1.15;
constexpr int kNotch = 120;

}  // namespace

CVemoView::CVemoView(const CVemoDoc* doc, QWidget* parent)
    : QAbstractScrollArea(parent), m_pDocument(doc) {
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Window);
    // Always there, so that the page's width does not swing as the bar comes and goes.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    UpdateScrollRanges();
    // A new order on the form shows at once.
    connect(m_pDocument, &CVemoDoc::Changed, viewport(), qOverload<>(&QWidget::update));
}

double CVemoView::PixelsPerInch() const {
    const double width = std::max(viewport()->width(), 1);
    return width / (PageInUnits().width() / kUnitsPerInch) * m_zoom;
}

QSize CVemoView::PageSizeInPixels() const {
    const QSizeF page = PageInUnits() * (PixelsPerInch() / kUnitsPerInch);
    return QSize(qCeil(page.width()), qCeil(page.height()));
}

QPointF CVemoView::PageOrigin() const {
    const QSize page = PageSizeInPixels();
    // A page narrower than the window stands in its middle.
    const double left = std::max(0, (viewport()->width() - page.width()) / 2);
    return QPointF(left - horizontalScrollBar()->value(), -verticalScrollBar()->value());
}

void CVemoView::UpdateScrollRanges() {
    const QSize page = PageSizeInPixels();
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, qMax(0, page.width() - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setRange(0, qMax(0, page.height() - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(20);
}

void CVemoView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRanges();
}

void CVemoView::SetZoom(double zoom) {
    m_zoom = std::clamp(zoom, kSmallestZoom, kLargestZoom);
    UpdateScrollRanges();
    viewport()->update();
}

void CVemoView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // The point of the page under the mouse stays under it.
    const QPointF mouse = event->position();
    const QPointF onPage = (mouse - PageOrigin()) / PixelsPerInch();
    SetZoom(m_zoom * std::pow(kZoomStep, double(event->angleDelta().y()) / kNotch));
    const QPointF moved = onPage * PixelsPerInch() + PageOrigin() - mouse;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + qRound(moved.x()));
    verticalScrollBar()->setValue(verticalScrollBar()->value() + qRound(moved.y()));
    event->accept();
}

void CVemoView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const double dpi = PixelsPerInch();
    painter.translate(PageOrigin());
    const QSizeF page = PageInUnits();
    painter.fillRect(
        QRectF(0, 0, page.width() * dpi / kUnitsPerInch, page.height() * dpi / kUnitsPerInch),
        Qt::white);
    PaintFormPage(painter, dpi, dpi, page.width(), *m_pDocument, m_paper);
}

void CVemoView::SetPaper(FormPaper paper) {
    m_paper = paper;
    viewport()->update();
}

bool CVemoView::Print(const CVemoDoc& doc) {
    QPrinter printer(QPrinter::HighResolution);
    PrepareFormPrinter(printer);
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    DrawFormPage(printer, doc, m_paper);
    return true;
}

void CVemoView::Preview(const CVemoDoc& doc) {
    QPrinter printer(QPrinter::HighResolution);
    PrepareFormPrinter(printer);
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Предварительный просмотр"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this, &doc](QPrinter* target) { DrawFormPage(*target, doc, m_paper); });
    dialog.exec();
}
