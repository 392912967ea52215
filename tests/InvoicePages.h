#pragma once

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

// Invoices as a supplier sends them, for the tests and the benchmark: a page of text and a table
// with the payment QR code placed small in a corner, as a picture or as a PDF.
namespace InvoicePages {

constexpr double kA4WidthMm = 210;
constexpr double kA4HeightMm = 297;

// The QR code of the bytes as they are, one pixel a module, with its quiet zone of four modules:
// zxing-cpp writes the bytes of a text whose characters are all below 256 one for one, without
// any note of their character set, as the writers of payment codes do.
inline QImage CodeImage(const QByteArray& bytes) {
    std::wstring contents;
    for (const char byte : bytes) {
        contents.push_back(wchar_t(uchar(byte)));
    }
    const ZXing::BitMatrix matrix =
        ZXing::MultiFormatWriter(ZXing::BarcodeFormat::QRCode).setMargin(0).encode(contents, 0, 0);
    constexpr int kQuiet = 4;
    QImage image(matrix.width() + 2 * kQuiet, matrix.height() + 2 * kQuiet,
                 QImage::Format_Grayscale8);
    image.fill(Qt::white);
    for (int y = 0; y < matrix.height(); ++y) {
        for (int x = 0; x < matrix.width(); ++x) {
            if (matrix.get(x, y)) {
                image.setPixel(x + kQuiet, y + kQuiet, qRgb(0, 0, 0));
            }
        }
    }
    return image;
}

// Where the code stands on the page: its centre and width in millimetres, and its turn.
struct Placement {
    double xMm = 170;
    double yMm = 40;
    double widthMm = 25;
    double degrees = 0;
};

// An invoice's page drawn by a painter whose unit is the millimetre: a heading, the parties, a
// ruled table of goods, the total, and the code.
inline void DrawInvoice(QPainter& painter, const QImage& code, const Placement& placement) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(4);
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, 0.3));
    painter.drawText(QPointF(20, 30), QStringLiteral("СЧЕТ НА ОПЛАТУ № 118 от 02.03.2026"));
    painter.drawText(QPointF(20, 50), QStringLiteral("Поставщик: ООО «Три сосны», ИНН 7704123450, "
                                                     "р/с 40702810438000077123"));
    painter.drawText(QPointF(20, 57), QStringLiteral("Покупатель: ООО «Ромашка», ИНН 7728123459"));
    for (int row = 0; row < 12; ++row) {
        painter.drawRect(QRectF(20, 90 + 8 * row, 170, 8));
        painter.drawText(QPointF(22, 96 + 8 * row),
                         QStringLiteral("%1   Бумага офисная А4, 500 листов      10 шт.      "
                                        "450,00      4500,00")
                             .arg(row + 1));
    }
    painter.drawText(QPointF(120, 200), QStringLiteral("Итого к оплате: 54 000,00 руб."));
    painter.save();
    painter.translate(placement.xMm, placement.yMm);
    painter.rotate(placement.degrees);
    const double half = placement.widthMm / 2;
    painter.drawImage(QRectF(-half, -half, placement.widthMm, placement.widthMm), code);
    painter.restore();
}

// The page as a scanner or a screenshot gives it.
inline QImage PageImage(const QImage& code, int dpi, const Placement& placement = {}) {
    QImage page(qRound(kA4WidthMm * dpi / 25.4), qRound(kA4HeightMm * dpi / 25.4),
                QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(dpi / 25.4, dpi / 25.4);
    DrawInvoice(painter, code, placement);
    return page;
}

// A PDF of the invoice's pages; the code stands on page codePage (from 1), the others carry only
// the text, or `otherCode` where it is given.
inline bool WritePdf(const QString& path, const QImage& code, const Placement& placement,
                     int pages = 1, int codePage = 1, const QImage& otherCode = QImage()) {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(600);
    QPainter painter;
    if (!painter.begin(&writer)) {
        return false;
    }
    painter.scale(600 / 25.4, 600 / 25.4);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1) {
            writer.newPage();
        }
        DrawInvoice(painter, page == codePage ? code : otherCode, placement);
    }
    return painter.end();
}

}  // namespace InvoicePages
