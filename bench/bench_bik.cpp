// Times taking in the Bank of Russia's directory of BIKs: reading a generated ED807 file of full
// size (banks, branches and treasury bodies with their accounts, code page 1251), keeping it, and
// loading the kept one; and one lookup of a BIK, as the record dialog makes while the user types.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

#include "common/Cp1251.h"
#include "requisites/BikImport.h"

namespace {

constexpr int kRuns = 5;
constexpr int kLookups = 100000;

QString Bik(int i) {
    return QStringLiteral("04%1").arg(i, 7, 10, QLatin1Char('0'));
}

// A directory like the published one: each participant with its full set of attributes, a
// correspondent account or two (one of them closed), every tenth a treasury body.
QByteArray Directory(int participants) {
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"WINDOWS-1251\"?>\r\n<ED807 xmlns=\"urn:cbr-ru:ed:v2.0\" "
        "EDNo=\"708112233\" EDDate=\"2026-12-07\" EDAuthor=\"4583001999\" CreationReason=\"FCBD\" "
        "CreationDateTime=\"2026-12-07T18:00:52Z\" InfoTypeCode=\"FIRR\" "
        "BusinessDay=\"2026-12-08\" DirectoryVersion=\"1\">\r\n");
    for (int i = 0; i < participants; ++i) {
        const bool treasury = i % 10 == 9;
        const QString bik =
            treasury ? QStringLiteral("01%1").arg(i, 7, 10, QLatin1Char('0')) : Bik(i);
        xml += QStringLiteral(
                   "<BICDirectoryEntry BIC=\"%1\">\r\n<ParticipantInfo NameP=\"%2 № %3\" "
                   "EnglName=\"Bank %3\" RegN=\"%3\" CntrCd=\"RU\" Rgn=\"45\" Ind=\"117312\" "
                   "Tnp=\"г\" Nnp=\"Москва\" Adr=\"ул Вавилова, %3, стр. 1\" DateIn=\"1991-06-20\" "
                   "PtType=\"%4\" Srvcs=\"5\" XchType=\"1\" UID=\"4525225000\" "
                   "ParticipantStatus=\"PSAC\"></ParticipantInfo>\r\n")
                   .arg(bik, treasury ? QStringLiteral("УФК по Тульской области")
                                      : QStringLiteral("АО «Коммерческий банк развития»"))
                   .arg(i)
                   .arg(treasury ? QStringLiteral("52") : QStringLiteral("20"));
        xml += QStringLiteral(
                   "<Accounts Account=\"%1\" RegulationAccountType=\"%2\" CK=\"00\" "
                   "AccountCBRBIC=\"044525000\" DateIn=\"2014-01-01\" AccountStatus=\"ACAC\">"
                   "</Accounts>\r\n<Accounts Account=\"30101810000000000%3\" "
                   "RegulationAccountType=\"CRSA\" CK=\"00\" AccountCBRBIC=\"044525000\" "
                   "DateIn=\"2003-01-01\" DateOut=\"2014-01-01\" AccountStatus=\"ACDL\"></Accounts>"
                   "\r\n</BICDirectoryEntry>\r\n")
                   .arg(treasury ? QStringLiteral("40102810445370000059")
                                 : QStringLiteral("30101810400000000225"),
                        treasury ? QStringLiteral("UTRA") : QStringLiteral("CRSA"))
                   .arg(i % 1000, 3, 10, QLatin1Char('0'));
    }
    xml += QStringLiteral("</ED807>\r\n");
    return Cp1251::Encode(xml);
}

double Median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

bool Bench(const QTemporaryDir& dir, int participants) {
    const QString path = dir.filePath(QStringLiteral("ed807.xml"));
    const QByteArray bytes = Directory(participants);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "bench_bik: cannot write %s\n", qPrintable(path));
        return false;
    }
    file.close();
    QList<double> imports;
    QList<double> loads;
    BikDirectory kept;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        const BikImport::Result result = BikImport::ImportFile(path);
        imports.append(timer.nsecsElapsed() / 1e6);
        if (!result.imported) {
            std::fprintf(stderr, "bench_bik: %s\n", qPrintable(result.message));
            return false;
        }
        timer.restart();
        BikDirectory::LoadKept(&kept);
        loads.append(timer.nsecsElapsed() / 1e6);
    }
    QStringList biks;  // as typed: every tenth is not a bank's and is not found
    for (int i = 0; i < participants; ++i) {
        biks.append(Bik(i));
    }
    QElapsedTimer timer;
    timer.start();
    qsizetype found = 0;
    for (int i = 0; i < kLookups; ++i) {
        found += kept.Find(biks.at(i % participants)) != nullptr;
    }
    const double lookup = timer.nsecsElapsed() / double(kLookups);
    std::printf(
        "%6d participants (%5.2f MB): import %7.1f ms, load the kept one %6.1f ms (medians of "
        "%d); one lookup %5.0f ns (%lld found)\n",
        participants, bytes.size() / 1e6, Median(imports), Median(loads), kRuns, lookup,
        static_cast<long long>(found));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // the user's own directory stays as it is
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "bench_bik: no temporary folder\n");
        return 1;
    }
    const bool ok = Bench(dir, 1500) && Bench(dir, 15000);
    QFile::remove(BikDirectory::KeptFilePath());
    return ok ? 0 : 1;
}
