// Times saving an address book of 100 000 records: turning the records into lines, checking that
// the code page holds every character, encoding, and replacing the file on disk.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

#include "requisites/RequisitesFile.h"

namespace {

constexpr int kRecords = 100000;
constexpr int kRuns = 5;

CRequisiteArray Book(int count) {
    CRequisiteArray book;
    book.reserve(count);
    for (int i = 0; i < count; ++i) {
        CRequisite record;
        record.m_strName = QStringLiteral("ООО \"Ромашка и партнеры\" № %1").arg(i);
        record.m_strBank =
            QStringLiteral("ПАО Сбербанк России, г. Москва, отделение %1").arg(i % 97);
        record.m_strInnKpp = QStringLiteral("77%1/770101001").arg(10000000 + i);
        record.m_strBik = QStringLiteral("044525225");
        record.m_strAccount1 = QStringLiteral("407028101380%1").arg(20000000 + i);
        record.m_strAccount2 = QStringLiteral("30101810400000000225");
        book.append(record);
    }
    return book;
}

double Median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "bench_save: no temporary folder\n");
        return 1;
    }
    const QString path = dir.filePath(RequisitesFile::FileName(RequisitesFile::kPayersKind));
    const CRequisiteArray book = Book(kRecords);
    QList<double> saves;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        if (!RequisitesFile::Write(path, book)) {
            std::fprintf(stderr, "bench_save: cannot write %s\n", qPrintable(path));
            return 1;
        }
        saves.append(timer.nsecsElapsed() / 1e6);
    }
    std::printf(
        "%7d records (%lld bytes): save the address book %8.1f ms (median of %d; first %.1f ms)\n",
        kRecords, static_cast<long long>(QFileInfo(path).size()), Median(saves), kRuns,
        saves.first());
    return 0;
}
