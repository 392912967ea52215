#include "form/CVemoView.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>

#include "form/CFormLayout.h"
#include "form/CVemoDoc.h"
#include "form/FormPrinting.h"

namespace {
constexpr int kRightMargin = 500;  // a little paper beyond the form's right edge
}  // namespace

CVemoView::CVemoView(const CVemoDoc* doc, QWidget* parent)
    : QAbstractScrollArea(parent), m_pDocument(doc) {
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Base, Qt::white);
    viewport()->setPalette(palette);
    UpdateScrollRanges();
    // A new order on the form shows at once.
    connect(m_pDocument, &CVemoDoc::Changed, viewport(), qOverload<>(&QWidget::update));
}

QSize CVemoView::PageSizeInPixels() const {
    const double width = (CFormLayout::kPageWidth + kRightMargin) * logicalDpiX() / kUnitsPerInch;
    const double height = CFormLayout::kPageHeight * logicalDpiY() / kUnitsPerInch;
    return QSize(qCeil(width), qCeil(height));
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

void CVemoView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    PaintFormPage(painter, viewport()->logicalDpiX(), viewport()->logicalDpiY(), *m_pDocument,
                  m_edition);
}

void CVemoView::SetEdition(FormEdition edition) {
    m_edition = edition;
    viewport()->update();
}

void CVemoView::OnFilePrint() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() == QDialog::Accepted) {
        DrawFormPage(printer, *m_pDocument, m_edition);
    }
}

void CVemoView::OnFilePrintPreview() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Предварительный просмотр"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { DrawFormPage(*target, *m_pDocument, m_edition); });
    dialog.exec();
}
