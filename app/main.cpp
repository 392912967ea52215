#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <cstdio>

#include "app/CVemoApp.h"
#include "app/CommandLine.h"
#include "common/SafeSave.h"
#include "form/AmountToWords.h"
#include "form/CVemoDoc.h"
#include "form/FormPrinting.h"
#include "orders/BankExport.h"
#include "orders/OrderAmount.h"
#include "orders/OrderExport.h"
#include "orders/OrderTransfer.h"
#include "orders/WorkingFolderCheck.h"
#include "requisites/BikImport.h"

namespace {

// An order could not be read or exported, the output not written, no window opened; or
// --check found problems.
constexpr int kExitFailed = 1;
constexpr int kExitBadArguments = 2;

QStringList Arguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    return arguments;
}

void Print(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

int RunWords(const CommandLine& line) {
    Print(stdout, AmountToWords(ParseAmount(line.amountText)) + QLatin1Char('\n'));
    return 0;
}

int RunCheck() {
    BikDirectory directory;
    if (BikDirectory::LoadKept(&directory) == BikDirectory::KeptOutcome::Damaged) {
        Print(stderr, QStringLiteral("vemo: справочник БИК %1 не читается, БИК не проверены; "
                                     "загрузите справочник заново (--import-bik)\n")
                          .arg(QDir::toNativeSeparators(BikDirectory::KeptFilePath())));
    }
    const QStringList problems = CheckWorkingFolder(QDir::current(), directory);
    for (const QString& problem : problems) {
        Print(stdout, problem + QLatin1Char('\n'));
    }
    return problems.isEmpty() ? 0 : kExitFailed;
}

int RunPdf(int argc, char** argv, const CommandLine& line) {
    // No window opens, so no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    CVemoDoc doc;
    QString error;
    if (line.orderNumber > 0) {
        QStringList warnings;
        const bool found =
            OrderTransfer::TransferOrderFile(line.orderNumber, doc, &error, &warnings);
        for (const QString& warning : warnings) {
            Print(stderr, QStringLiteral("vemo: %1\n").arg(warning));
        }
        if (!found) {
            Print(stderr, QStringLiteral("vemo: %1\n").arg(error));
            return kExitFailed;
        }
    }
    if (!WriteFormPdf(line.pdfPath, doc, &error)) {
        Print(stderr, QStringLiteral("vemo: cannot write %1: %2\n").arg(line.pdfPath, error));
        return kExitFailed;
    }
    return 0;
}

// Writes the orders for the bank, all of them or none: an order that cannot be exported stops the
// export. The data files are only read.
int RunExport(const CommandLine& line) {
    QList<OrderRow> orders;
    QString error;
    if (!OrderExport::ReadOrders(line.exportOrders, &orders, &error)) {
        Print(stderr, QStringLiteral("vemo: %1\n").arg(error));
        return kExitFailed;
    }
    if (orders.isEmpty()) {
        Print(stderr, QStringLiteral("vemo: there are no orders to export\n"));
        return kExitFailed;
    }
    CRequisiteArray payers;
    CRequisiteArray recipients;
    const QStringList unreadable = OrderExport::ReadBooks(&payers, &recipients);
    if (!unreadable.isEmpty()) {
        Print(stderr, QStringLiteral("vemo: cannot read %1\n").arg(unreadable.join(", ")));
        return kExitFailed;
    }
    const BankExport::Result result =
        BankExport::Compose(orders, payers, recipients, QString::fromLatin1(CVemoApp::kAppName),
                            QCoreApplication::applicationVersion(), QDateTime::currentDateTime());
    if (!result.refused.isEmpty()) {
        Print(stderr,
              QStringLiteral("vemo: these orders cannot be exported, nothing was written:\n%1\n")
                  .arg(BankExport::RefusalsText(result.refused)));
        return kExitFailed;
    }
    if (!SafeSave::WriteOutput(line.exportPath, BankExport::FileBytes(result.lines), &error)) {
        Print(stderr, QStringLiteral("vemo: cannot write %1: %2\n").arg(line.exportPath, error));
        return kExitFailed;
    }
    return 0;
}

// Takes the directory of BIKs whole, or leaves the kept one as it was.
int RunImportBik(const CommandLine& line) {
    const BikImport::Result result = BikImport::ImportFile(line.bikPath);
    Print(result.imported ? stdout : stderr,
          (result.imported ? QString() : QStringLiteral("vemo: ")) + result.message +
              QLatin1Char('\n'));
    return result.imported ? 0 : kExitFailed;
}

int RunEditor(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vemo.png")));
    CVemoApp vemo;
    if (!vemo.InitInstance()) {
        return kExitFailed;
    }
    return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication::setApplicationVersion(QStringLiteral(VEMO_VERSION));
    // Every mode finds the program's own data folder, the directory of BIKs in it, by these.
    QCoreApplication::setOrganizationName(QString::fromLatin1(CVemoApp::kRegistryKey));
    QCoreApplication::setApplicationName(QString::fromLatin1(CVemoApp::kAppName));
    const CommandLine line = ParseCommandLine(Arguments(argc, argv));
    switch (line.mode) {
        case CommandLine::Mode::Words:
            return RunWords(line);
        case CommandLine::Mode::Pdf:
            return RunPdf(argc, argv, line);
        case CommandLine::Mode::Check:
            return RunCheck();
        case CommandLine::Mode::Export:
            return RunExport(line);
        case CommandLine::Mode::Import:
            return RunImportBik(line);
        case CommandLine::Mode::Help:
            Print(stdout, CommandLineUsage());
            return 0;
        case CommandLine::Mode::Version:
            Print(stdout, QStringLiteral("vemo %1\n").arg(QCoreApplication::applicationVersion()));
            return 0;
        case CommandLine::Mode::Error:
            Print(stderr, QStringLiteral("vemo: %1\n%2").arg(line.error, CommandLineUsage()));
            return kExitBadArguments;
        case CommandLine::Mode::Editor:
            break;
    }
    return RunEditor(argc, argv);
}
