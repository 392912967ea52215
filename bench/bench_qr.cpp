// Times reading the payment code of an invoice from a file, as "По QR-коду…" and --read-qr do:
// a 300-dpi scan of an A4 page (PNG), a one-page PDF invoice, a PDF whose small code is found only
// at 300 dpi, and a PDF with no code at all (both passes over the page, then the refusal).
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

#include "InvoiceExamples.h"
#include "InvoicePages.h"
#include "invoice/InvoiceReader.h"

namespace {

constexpr int kRuns = 5;

double Median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// The median time of reading the file, in milliseconds; negative when the outcome is not the
// one expected.
double TimeReading(const QString& path, bool expectCode) {
    QList<double> times;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        const PaymentCode::Reading reading = InvoiceReader::FromFile(path);
        times.append(timer.nsecsElapsed() / 1e6);
        if (reading.isPaymentCode != expectCode) {
            std::fprintf(stderr, "bench_qr: %s: %s\n", qPrintable(path),
                         qPrintable(reading.refusal));
            return -1;
        }
    }
    return Median(times);
}

bool Report(const char* what, const QString& path, bool expectCode) {
    const double ms = TimeReading(path, expectCode);
    if (ms < 0) {
        return false;
    }
    std::printf("%-52s %7.1f ms (median of %d; goal under 500 ms)\n", what, ms, kRuns);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");  // no window is shown
    }
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "bench_qr: no temporary folder\n");
        return 1;
    }
    const QImage code = InvoicePages::CodeImage(InvoiceExamples::Bytes(InvoiceExamples::GasBill()));
    const QString png = dir.filePath(QStringLiteral("scan.png"));
    const QString pdf = dir.filePath(QStringLiteral("invoice.pdf"));
    const QString small = dir.filePath(QStringLiteral("small.pdf"));
    const QString none = dir.filePath(QStringLiteral("none.pdf"));
    InvoicePages::Placement smallPlacement;
    smallPlacement.widthMm = 12;
    if (!InvoicePages::PageImage(code, 300).save(png) ||
        !InvoicePages::WritePdf(pdf, code, InvoicePages::Placement()) ||
        !InvoicePages::WritePdf(small, code, smallPlacement) ||
        !InvoicePages::WritePdf(none, QImage(), InvoicePages::Placement())) {
        std::fprintf(stderr, "bench_qr: cannot write the invoices\n");
        return 1;
    }
    const bool ok = Report("A4 page scanned at 300 dpi (PNG, 25 mm code)", png, true) &&
                    Report("one-page PDF invoice (25 mm code)", pdf, true) &&
                    Report("one-page PDF, 12 mm code (found at 300 dpi)", small, true) &&
                    Report("one-page PDF without a code (both passes)", none, false);
    return ok ? 0 : 1;
}
