#include "form/FormPrinting.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include "common/SafeSave.h"
#include "form/CFormLayout.h"
#include "form/FormFonts.h"
#include "form/QtFormCanvas.h"

namespace {

constexpr int kPdfResolution = 1200;
constexpr double kMarginMm = 10.0;

// The device's width in units of 0.01 mm.
double WidthInUnits(const QPaintDevice& device) {
    return device.width() * kUnitsPerInch / device.logicalDpiX();
}

}  // namespace

QPageLayout FormPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                       QPageLayout::Millimeter);
}

void PrepareFormPrinter(QPrinter& printer) {
    printer.setPageLayout(FormPageLayout());
}

double FormLeftOffset(double printableWidth, FormEdition edition) {
    const int formWidth = CFormLayout::FormRight(edition) - CFormLayout::kFormLeft;
    return (printableWidth - formWidth) / 2 - CFormLayout::kFormLeft;
}

void PaintFormPage(QPainter& painter, double dpiX, double dpiY, double printableWidth,
                   const CVemoDoc& doc, FormPaper paper) {
    const FormFonts fonts(dpiX, dpiY);
    painter.save();
    painter.translate(FormLeftOffset(printableWidth, paper.edition) * dpiX / kUnitsPerInch, 0);
    QtFormCanvas canvas(painter, fonts, dpiX, dpiY);
    CFormLayout layout(paper);
    layout.OnDraw(canvas, doc);
    painter.restore();
}

void DrawFormPage(QPaintDevice& device, const CVemoDoc& doc, FormPaper paper) {
    QPainter painter(&device);
    PaintFormPage(painter, device.logicalDpiX(), device.logicalDpiY(), WidthInUnits(device), doc,
                  paper);
}

void DrawFormPages(QPagedPaintDevice& device, const QList<const CVemoDoc*>& docs, FormPaper paper) {
    QPainter painter(&device);
    for (qsizetype i = 0; i < docs.size(); ++i) {
        if (i > 0) {
            device.newPage();
        }
        PaintFormPage(painter, device.logicalDpiX(), device.logicalDpiY(), WidthInUnits(device),
                      *docs.at(i), paper);
    }
}

namespace {

// The whole PDF in memory, so that it is saved like every other file: completely or not at all.
QByteArray RenderFormPdf(const QList<const CVemoDoc*>& docs, FormPaper paper) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("Платежное поручение"));
        writer.setCreator(QStringLiteral("Vemo"));
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(FormPageLayout());
        DrawFormPages(writer, docs, paper);
    }  // the writer finishes the file when it goes
    return pdf;
}

}  // namespace

bool WriteFormPdf(const QString& path, const CVemoDoc& doc, QString* error, FormPaper paper) {
    return WriteFormPdf(path, QList<const CVemoDoc*>{&doc}, error, paper);
}

bool WriteFormPdf(const QString& path, const QList<const CVemoDoc*>& docs, QString* error,
                  FormPaper paper) {
    const QByteArray pdf = RenderFormPdf(docs, paper);
    if (pdf.isEmpty()) {
        *error = QStringLiteral("страницу не удалось нарисовать");
        return false;
    }
    return SafeSave::WriteOutput(path, pdf, error);
}
