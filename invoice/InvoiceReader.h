#pragma once

#include <QString>

#include "common/CRequisiteArray.h"
#include "invoice/InvoiceOrder.h"
#include "invoice/PaymentCode.h"
#include "requisites/BikDirectory.h"

class QImage;
class QMimeData;

// Making an order from a supplier's invoice: its payment code found wherever the invoice comes
// from (a picture, a PDF, the clipboard) and read into what the order takes. The order dialog,
// the orders archive and the command line all come this one way; each refusal says what was
// found instead ("no QR code on any of 3 pages", "a link to a site").
namespace InvoiceReader {

// A picture, such as a screenshot or a scan of an invoice.
PaymentCode::Reading FromImage(const QImage& image);
// A picture Qt reads (PNG, JPEG, ...) or a PDF, told apart by their contents: every page of a PDF
// is searched at 150 dpi, and again at 300 dpi when that finds no payment code.
PaymentCode::Reading FromFile(const QString& path);
// What the clipboard holds: a picture, a file copied in a file manager, or the code's text
// "ST0001…" as characters.
PaymentCode::Reading FromClipboard(const QMimeData& data);

// The order an invoice makes, or why it makes none.
struct Result {
    bool ok = false;
    InvoiceOrder order;
    QString refusal;
};
Result OrderFromFile(const QString& path, const CRequisiteArray& recipients,
                     const BikDirectory& directory);
Result OrderFromClipboard(const QMimeData& data, const CRequisiteArray& recipients,
                          const BikDirectory& directory);

}  // namespace InvoiceReader
