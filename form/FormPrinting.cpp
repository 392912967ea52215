#include "form/FormPrinting.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "common/SafeSave.h"
#include "form/CFormLayout.h"
#include "form/FormFonts.h"
#include "form/QtFormCanvas.h"

namespace {
constexpr int kPdfResolution = 1200;
}

void PaintFormPage(QPainter& painter, double dpiX, double dpiY, const CVemoDoc& doc) {
    const FormFonts fonts(dpiX, dpiY);
    QtFormCanvas canvas(painter, fonts, dpiX, dpiY);
    CFormLayout layout;
    layout.OnDraw(canvas, doc);
}

void DrawFormPage(QPaintDevice& device, const CVemoDoc& doc) {
    QPainter painter(&device);
    PaintFormPage(painter, device.logicalDpiX(), device.logicalDpiY(), doc);
}

namespace {

// The whole PDF in memory, so that it is saved like every other file: completely or not at all.
QByteArray RenderFormPdf(const CVemoDoc& doc) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("Платежное поручение"));
        writer.setCreator(QStringLiteral("Vemo"));
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        DrawFormPage(writer, doc);
    }  // the writer finishes the file when it goes
    return pdf;
}

}  // namespace

bool WriteFormPdf(const QString& path, const CVemoDoc& doc, QString* error) {
    const QByteArray pdf = RenderFormPdf(doc);
    if (pdf.isEmpty()) {
        *error = QStringLiteral("страницу не удалось нарисовать");
        return false;
    }
    return SafeSave::WriteOutput(path, pdf, error);
}
