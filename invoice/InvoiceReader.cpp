#include "invoice/InvoiceReader.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QMimeData>
#include <QUrl>
#include <cmath>
#include <memory>

#include <poppler-qt6.h>

#include "common/RegularFile.h"
#include "invoice/QrCodes.h"

namespace InvoiceReader {
namespace {

// The resolutions a PDF page is rendered at: an invoice's code, 2–3 cm wide, is found at the
// first; the second, four times the pixels, is for smaller or blurred ones.
constexpr double kFirstDpi = 150;
constexpr double kSecondDpi = 300;
// A page far larger than paper is rendered coarser rather than filling the memory.
constexpr double kMostPagePixels = 40e6;

PaymentCode::Reading Refused(const QString& refusal) {
    PaymentCode::Reading reading;
    reading.refusal = refusal;
    return reading;
}

// The payment code among the codes found, the first if there are several; with none, why the
// first code is not one. False when no code was found at all.
bool TakePaymentCode(const QList<QByteArray>& codes, PaymentCode::Reading* reading) {
    for (const QByteArray& bytes : codes) {
        PaymentCode::Reading code = PaymentCode::FromBytes(bytes);
        if (code.isPaymentCode) {
            *reading = code;
            return true;
        }
        if (reading->refusal.isEmpty()) {
            reading->refusal = code.refusal;
        }
    }
    return !codes.isEmpty();
}

QString FoundButRefused(const QString& where, const QString& refusal) {
    return QStringLiteral("%1 найден QR-код, но по нему не заполнить платежное поручение. %2")
        .arg(where, refusal);
}

PaymentCode::Reading FromPicture(const QImage& image, const QString& where) {
    PaymentCode::Reading reading;
    if (!TakePaymentCode(QrCodes::Read(image), &reading)) {
        return Refused(QStringLiteral("%1 нет QR-кода.").arg(where));
    }
    if (!reading.isPaymentCode) {
        reading.refusal = FoundButRefused(where, reading.refusal);
    }
    return reading;
}

double PageDpi(const Poppler::Page& page, double dpi) {
    const QSizeF points = page.pageSizeF();  // 72 to the inch
    const double pixels = points.width() * points.height() * dpi * dpi / (72.0 * 72.0);
    return pixels > kMostPagePixels ? dpi * std::sqrt(kMostPagePixels / pixels) : dpi;
}

PaymentCode::Reading FromPdf(const QByteArray& bytes, const QString& name) {
    const std::unique_ptr<Poppler::Document> document = Poppler::Document::loadFromData(bytes);
    if (!document) {
        return Refused(QStringLiteral("PDF «%1» не открыть: файл поврежден.").arg(name));
    }
    if (document->isLocked()) {
        return Refused(QStringLiteral("PDF «%1» защищен паролем.").arg(name));
    }
    const int pages = document->numPages();
    PaymentCode::Reading reading;
    bool anyCode = false;
    for (const double dpi : {kFirstDpi, kSecondDpi}) {
        for (int i = 0; i < pages; ++i) {
            const std::unique_ptr<Poppler::Page> page = document->page(i);
            if (!page) {
                continue;
            }
            const double pageDpi = PageDpi(*page, dpi);
            anyCode |=
                TakePaymentCode(QrCodes::Read(page->renderToImage(pageDpi, pageDpi)), &reading);
            if (reading.isPaymentCode) {
                return reading;
            }
        }
    }
    const QString where = QStringLiteral("В PDF «%1»").arg(name);
    if (anyCode) {
        return Refused(FoundButRefused(where, reading.refusal));
    }
    return Refused(
        QStringLiteral("%1 нет QR-кода ни на одной странице (страниц: %2).").arg(where).arg(pages));
}

Result OrderFrom(const PaymentCode::Reading& reading, const CRequisiteArray& recipients,
                 const BikDirectory& directory) {
    Result result;
    result.ok = reading.isPaymentCode;
    if (result.ok) {
        result.order = InvoiceOrder::FromCode(reading.code, recipients, directory);
    } else {
        result.refusal = reading.refusal;
    }
    return result;
}

}  // namespace

PaymentCode::Reading FromImage(const QImage& image) {
    return FromPicture(image, QStringLiteral("На картинке"));
}

PaymentCode::Reading FromFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    QByteArray bytes;
    switch (RegularFile::Read(path, &bytes)) {
        case RegularFile::ReadResult::Missing:
            return Refused(QStringLiteral("Файла «%1» нет.").arg(path));
        case RegularFile::ReadResult::Unreadable:
            return Refused(QStringLiteral("Файл «%1» не прочитать: это не обычный файл, или "
                                          "он недоступен, или слишком велик.")
                               .arg(path));
        case RegularFile::ReadResult::Ok:
            break;
    }
    if (bytes.left(1024).contains("%PDF-")) {  // readers allow some bytes before the header
        return FromPdf(bytes, name);
    }
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    if (reader.format().isEmpty()) {
        return Refused(QStringLiteral("Файл «%1» — не картинка (PNG, JPEG) и не PDF.").arg(name));
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        return Refused(
            QStringLiteral("Картинку «%1» не прочитать: файл поврежден или слишком велик.")
                .arg(name));
    }
    return FromPicture(image, QStringLiteral("На картинке «%1»").arg(name));
}

PaymentCode::Reading FromClipboard(const QMimeData& data) {
    if (data.hasImage()) {
        return FromPicture(qvariant_cast<QImage>(data.imageData()),
                           QStringLiteral("На картинке из буфера обмена"));
    }
    if (data.hasUrls() && data.urls().constFirst().isLocalFile()) {
        return FromFile(data.urls().constFirst().toLocalFile());
    }
    if (data.hasText()) {
        return PaymentCode::FromText(data.text());
    }
    return Refused(QStringLiteral("В буфере обмена нет ни картинки, ни файла, ни текста."));
}

Result OrderFromFile(const QString& path, const CRequisiteArray& recipients,
                     const BikDirectory& directory) {
    return OrderFrom(FromFile(path), recipients, directory);
}

Result OrderFromClipboard(const QMimeData& data, const CRequisiteArray& recipients,
                          const BikDirectory& directory) {
    return OrderFrom(FromClipboard(data), recipients, directory);
}

}  // namespace InvoiceReader
