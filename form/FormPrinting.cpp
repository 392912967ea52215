#include "form/FormPrinting.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include "common/SafeSave.h"
#include "form/CFormLayout.h"
#include "form/FormFonts.h"
#include "form/QtFormCanvas.h"

namespace {
constexpr int kPdfResolution = 1200;
}

void PaintFormPage(QPainter& painter, double dpiX, double dpiY, const CVemoDoc& doc,
                   FormEdition edition) {
    const FormFonts fonts(dpiX, dpiY);
    QtFormCanvas canvas(painter, fonts, dpiX, dpiY);
    CFormLayout layout(edition);
    layout.OnDraw(canvas, doc);
}

void DrawFormPage(QPaintDevice& device, const CVemoDoc& doc, FormEdition edition) {
    QPainter painter(&device);
    PaintFormPage(painter, device.logicalDpiX(), device.logicalDpiY(), doc, edition);
}

void DrawFormPages(QPagedPaintDevice& device, const QList<const CVemoDoc*>& docs,
                   FormEdition edition) {
    QPainter painter(&device);
    for (qsizetype i = 0; i < docs.size(); ++i) {
        if (i > 0) {
            device.newPage();
        }
        // Each page starts from the painter as it was given, whatever the last one left.
        painter.save();
        PaintFormPage(painter, device.logicalDpiX(), device.logicalDpiY(), *docs.at(i), edition);
        painter.restore();
    }
}

namespace {

// The whole PDF in memory, so that it is saved like every other file: completely or not at all.
QByteArray RenderFormPdf(const QList<const CVemoDoc*>& docs, FormEdition edition) {
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
        DrawFormPages(writer, docs, edition);
    }  // the writer finishes the file when it goes
    return pdf;
}

}  // namespace

bool WriteFormPdf(const QString& path, const CVemoDoc& doc, QString* error, FormEdition edition) {
    return WriteFormPdf(path, QList<const CVemoDoc*>{&doc}, error, edition);
}

bool WriteFormPdf(const QString& path, const QList<const CVemoDoc*>& docs, QString* error,
                  FormEdition edition) {
    const QByteArray pdf = RenderFormPdf(docs, edition);
    if (pdf.isEmpty()) {
        *error = QStringLiteral("страницу не удалось нарисовать");
        return false;
    }
    return SafeSave::WriteOutput(path, pdf, error);
}
