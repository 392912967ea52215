#include "invoice/QrCodes.h"

#include <QImage>
#include <QPainter>

#include <ZXing/ReadBarcode.h>

namespace QrCodes {

QList<QByteArray> Read(const QImage& image) {
    QImage gray;
    if (image.hasAlphaChannel()) {
        // A transparent background turns black in gray: lay the picture on white paper first.
        gray = QImage(image.size(), QImage::Format_Grayscale8);
        gray.fill(Qt::white);
        QPainter painter(&gray);
        painter.drawImage(0, 0, image);
    } else {
        gray = image.convertToFormat(QImage::Format_Grayscale8);
    }
    const ZXing::DecodeHints hints = ZXing::DecodeHints()
                                         .setFormats(ZXing::BarcodeFormat::QRCode)
                                         .setTryHarder(true)
                                         .setTryRotate(true)
                                         .setTryDownscale(true);
    const ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(),
                                ZXing::ImageFormat::Lum, int(gray.bytesPerLine()));
    QList<QByteArray> codes;
    for (const ZXing::Result& result : ZXing::ReadBarcodes(view, hints)) {
        if (result.isValid()) {
            const ZXing::ByteArray& bytes = result.bytes();
            codes.append(
                QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
        }
    }
    return codes;
}

}  // namespace QrCodes
