#include "form/FormPrinting.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

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

bool WriteFormPdf(const QString& path, const CVemoDoc& doc, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle(QStringLiteral("Платежное поручение"));
        writer.setCreator(QStringLiteral("Vemo"));
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        DrawFormPage(writer, doc);
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
