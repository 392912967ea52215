// Times opening the payment orders archive: loading the order files, and making and showing the
// archive dialog over them, for an archive of the old size (1 199 orders) and a large one.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

#include "app/MessageBoxes.h"
#include "common/Cp1251.h"
#include "form/CVemoDoc.h"
#include "orders/COrderArchiveDlg.h"
#include "orders/OrderFiles.h"
#include "orders/OrderTexts.h"

namespace {

constexpr int kRuns = 5;

// Order files as the program writes them. Plain writes: the program's own atomic write syncs
// every file to disk, which would make setting up 100 000 files take minutes.
bool WriteArchive(int count) {
    if (!QDir().mkpath(QStringLiteral("Vemo"))) {
        return false;
    }
    for (int number = 1; number <= count; ++number) {
        OrderRow row;
        row[kColumnNumber] = OrderTexts::NumberText(number);
        row[kColumnDate] = OrderTexts::DateText(QDate(2001, 1 + number % 12, 1 + number % 28));
        row[kColumnPayer] = QStringLiteral("ООО \"Ромашка\" %1").arg(number % 50);
        row[kColumnRecipient] = QStringLiteral("ЗАО \"Лютик\" %1").arg(number % 70);
        row[kColumnAmount] = QString::number(number * 17.25, 'f', 2);
        row[kColumnBasis] =
            QStringLiteral("Оплата по счету № %1 за поставку товара, в т.ч. НДС 20%").arg(number);
        row[kColumnPaymentKind] = QStringLiteral("01");
        row[kColumnPaymentTerm] = QStringLiteral("5");
        row[kColumnPriority] = QStringLiteral("6");
        row[kColumnPaymentType] = QStringLiteral("почтой");
        QFile file(OrderFiles::FileName(number));
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(Cp1251::Encode(row.Lines().join(QStringLiteral("\r\n")) + "\r\n")) < 0) {
            return false;
        }
    }
    return true;
}

double Median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

double Milliseconds(const QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e6;
}

void Measure(int count) {
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()) || !WriteArchive(count)) {
        std::fprintf(stderr, "bench_orders: cannot write %d order files\n", count);
        return;
    }
    QList<double> loads;
    QList<double> opens;
    int rows = 0;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        rows = int(OrderFiles::LoadOrders().size());
        loads.append(Milliseconds(timer));

        timer.start();
        {
            CVemoDoc doc;
            COrderArchiveDlg archive(doc);
            archive.show();
            QCoreApplication::processEvents();
            archive.grab();  // paints the dialog and the visible rows once
            opens.append(Milliseconds(timer));
        }
        QCoreApplication::processEvents();
    }
    std::printf(
        "%7d orders (%d listed): load %8.1f ms, open and show the archive %8.1f ms "
        "(median of %d; first %.1f ms)\n",
        count, rows, Median(loads), Median(opens), kRuns, opens.first());
    QDir::setCurrent(QDir::tempPath());
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    MessageBoxes::Log log;  // no box may stop the clock
    MessageBoxes::SetTestLog(&log);
    for (int count : {1199, 100000}) {
        Measure(count);
    }
    return 0;
}
