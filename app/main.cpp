#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QSettings>
#include <cstdio>

#include "app/CVemoApp.h"
#include "app/CommandLine.h"
#include "app/UserFolder.h"
#include "bank/BankExport.h"
#include "bank/OrderTransfer.h"
#include "bank/OrderUseCases.h"
#include "bank/WorkingFolderCheck.h"
#include "common/SafeSave.h"
#include "common/StorableText.h"
#include "form/AmountToWords.h"
#include "form/CVemoDoc.h"
#include "form/FormEdition.h"
#include "form/FormPrinting.h"
#include "orders/OrderAmount.h"
#include "orders/WorkingFolder.h"
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

// A control character quoted from a data file is shown as "^@": a NUL would end the line.
void Print(FILE* stream, const QString& text) {
    std::fputs(WithVisibleControls(text).toLocal8Bit().constData(), stream);
}

// A message of the program on standard error, after its name, as other programs write theirs.
void Tell(const QString& text) {
    Print(stderr, QStringLiteral("vemo: %1\n").arg(text));
}

QString CannotWrite(const QString& path, const QString& reason) {
    return QStringLiteral("не могу записать файл %1: %2").arg(path, reason);
}

// The edition named on the command line, else the one last chosen in the editor.
FormEdition ChosenEdition(const CommandLine& line) {
    if (line.edition) {
        return *line.edition;
    }
    const QSettings settings(QString::fromLatin1(CVemoApp::kRegistryKey),
                             QString::fromLatin1(CVemoApp::kAppName));
    return FormEditions::Remembered(settings);
}

int RunWords(const CommandLine& line) {
    // The command line has refused any text that is not an amount.
    if (ChosenEdition(line) == FormEdition::Edition2001) {
        Print(stdout, OrderTransfer::AmountInWords(line.amountText) + QLatin1Char('\n'));
        return 0;
    }
    qint64 kopecks = 0;
    OrderAmount::ParseKopecks(line.amountText, &kopecks);
    Print(stdout, AmountToFullWords(kopecks) + QLatin1Char('\n'));
    return 0;
}

// The folder the command line names: --folder's, the user's own or the current directory. The
// editor makes the user's own folder at its first start; nothing else makes a folder. False, with
// *exitCode and the user told, when the folder is not there or cannot be made.
bool ChooseFolder(const CommandLine& line, QDir* folder, int* exitCode) {
    if (!line.folder.isEmpty()) {
        const QFileInfo given(line.folder);
        if (!given.isDir()) {
            Tell(QStringLiteral("нет папки %1").arg(line.folder));
            *exitCode = kExitBadArguments;
            return false;
        }
        *folder = QDir(given.absoluteFilePath());
        return true;
    }
    if (!line.userFolder) {
        *folder = QDir::current();
        return true;
    }
    *folder = UserFolder::Choose(QDir::home());
    if (folder->exists()) {
        return true;
    }
    const QString shown = QDir::toNativeSeparators(folder->path());
    if (line.mode != CommandLine::Mode::Editor) {
        Tell(QStringLiteral("нет папки %1: ее создает редактор при первом запуске").arg(shown));
        *exitCode = kExitBadArguments;
        return false;
    }
    if (!QDir().mkpath(folder->path())) {
        Tell(QStringLiteral("не могу создать папку %1").arg(shown));
        *exitCode = kExitFailed;
        return false;
    }
    return true;
}

// A kept directory of BIKs that cannot be read is a problem of the check too: the BIKs it would
// check go unchecked.
int RunCheck(const WorkingFolder& folder) {
    BikDirectory directory;
    QString damage;
    const bool damaged =
        BikDirectory::LoadKept(&directory, &damage) == BikDirectory::KeptOutcome::Damaged;
    if (damaged) {
        Tell(QStringLiteral("справочник БИК %1 не читается (%2), БИК не проверены; загрузите "
                            "справочник заново (--import-bik)")
                 .arg(QDir::toNativeSeparators(BikDirectory::KeptFilePath()), damage));
    }
    const QStringList problems = CheckWorkingFolder(folder, directory);
    for (const QString& problem : problems) {
        Print(stdout, problem + QLatin1Char('\n'));
    }
    return problems.isEmpty() && !damaged ? 0 : kExitFailed;
}

// Whether a job refuses, after telling why: it could not read what it needs, or some of its
// orders cannot be taken whole, each named; nothing is then written.
bool Refused(const QString& error, const QList<OrderRefusal>& refused, const QString& cannot) {
    if (!error.isEmpty()) {
        Tell(error);
        return true;
    }
    if (!refused.isEmpty()) {
        Tell(QStringLiteral("эти платежки нельзя %1, ничего не записано:\n%2")
                 .arg(cannot, OrderRefusal::ListText(refused)));
        return true;
    }
    return false;
}

// The form with its placeholder captions, or the orders named a page each in the order given: all
// of them or, when one cannot be drawn whole, none.
int RunPdf(int argc, char** argv, const CommandLine& line, const WorkingFolder& folder) {
    // No window opens, so no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const CVemoDoc blank;
    QList<const CVemoDoc*> pages{&blank};
    OrderUseCases::Printing printing;
    QString error;
    if (!line.pdfOrders.isEmpty()) {
        QList<OrderRow> orders;
        if (!folder.ReadOrders(line.pdfOrders, &orders, &error)) {
            Tell(error);
            return kExitFailed;
        }
        printing = OrderUseCases::PrintOrders(folder, orders, OrderUseCases::Policy::RefuseWhole);
        if (Refused(printing.error, printing.batch.refused, QStringLiteral("нарисовать целиком"))) {
            return kExitFailed;
        }
        pages = printing.batch.Pages();
    }
    if (!WriteFormPdf(line.pdfPath, pages, &error, ChosenEdition(line))) {
        Tell(CannotWrite(line.pdfPath, error));
        return kExitFailed;
    }
    return 0;
}

// Writes the orders for the bank, all of them or none. The data files are only read.
int RunExport(const CommandLine& line, const WorkingFolder& folder) {
    QList<OrderRow> orders;
    QString error;
    if (!folder.ReadOrders(line.exportOrders, &orders, &error)) {
        Tell(error);
        return kExitFailed;
    }
    const OrderUseCases::Export done = OrderUseCases::ExportOrders(
        folder, orders, OrderUseCases::Policy::RefuseWhole, QDateTime::currentDateTime());
    if (Refused(done.error, done.file.refused, QStringLiteral("выгрузить"))) {
        return kExitFailed;
    }
    if (!SafeSave::WriteOutput(line.exportPath, BankExport::FileBytes(done.file.lines), &error)) {
        Tell(CannotWrite(line.exportPath, error));
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

int RunEditor(int argc, char** argv, const WorkingFolder& folder) {
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vemo.png")));
    CVemoApp vemo;
    if (!vemo.InitInstance(folder)) {
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
    QDir dir;
    int exitCode = 0;
    if (line.mode != CommandLine::Mode::Error && !ChooseFolder(line, &dir, &exitCode)) {
        return exitCode;
    }
    const WorkingFolder folder(dir);
    switch (line.mode) {
        case CommandLine::Mode::Words:
            return RunWords(line);
        case CommandLine::Mode::Pdf:
            return RunPdf(argc, argv, line, folder);
        case CommandLine::Mode::Check:
            return RunCheck(folder);
        case CommandLine::Mode::Export:
            return RunExport(line, folder);
        case CommandLine::Mode::Import:
            return RunImportBik(line);
        case CommandLine::Mode::Help:
            Print(stdout, CommandLineUsage());
            return 0;
        case CommandLine::Mode::Version:
            Print(stdout, QStringLiteral("vemo %1\n").arg(QCoreApplication::applicationVersion()));
            return 0;
        case CommandLine::Mode::Error:
            Tell(line.error);
            Print(stderr, CommandLineUsage());
            return kExitBadArguments;
        case CommandLine::Mode::Editor:
            break;
    }
    return RunEditor(argc, argv, folder);
}
