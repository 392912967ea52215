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
#include "bank/KeptFiles.h"
#include "bank/OrderTransfer.h"
#include "bank/OrderUseCases.h"
#include "bank/StatementAnswers.h"
#include "bank/StatementImport.h"
#include "bank/StatementTexts.h"
#include "bank/WorkingFolderCheck.h"
#include "common/Clock.h"
#include "common/QuotedValue.h"
#include "common/RussianPlural.h"
#include "common/SafeSave.h"
#include "common/StorableText.h"
#include "form/AmountToWords.h"
#include "form/CVemoDoc.h"
#include "form/FormEdition.h"
#include "form/FormPrinting.h"
#include "invoice/InvoiceReader.h"
#include "orders/OrderAmount.h"
#include "orders/OrderFiles.h"
#include "orders/OrderTexts.h"
#include "orders/PartyRename.h"
#include "orders/WorkingFolder.h"
#include "requisites/BikImport.h"
#include "routine/Backup.h"
#include "routine/OrderRegister.h"
#include "routine/RegisterDrawing.h"

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

// The paper last chosen in the editor, with the edition named on the command line if one is.
FormPaper ChosenPaper(const CommandLine& line) {
    const QSettings settings(QString::fromLatin1(CVemoApp::kRegistryKey),
                             QString::fromLatin1(CVemoApp::kAppName));
    FormPaper paper = FormEditions::RememberedPaper(settings);
    if (line.edition) {
        paper.edition = *line.edition;
    }
    return paper;
}

int RunWords(const CommandLine& line) {
    // The command line has refused any text that is not an amount.
    if (ChosenPaper(line).edition == FormEdition::Edition2001) {
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

// A party's rename cut short (the editor killed, a full disk) is finished before a job reads the
// orders, as the editor finishes it at its start: its orders would otherwise name a party their
// book no longer holds. What became of it is told; the job goes on either way.
void FinishCutRename(const WorkingFolder& folder) {
    const OrdersRenamed done = PartyRename::Resume(folder);
    const QString names =
        QStringLiteral("%1 → %2").arg(QuotedValue(done.oldName), QuotedValue(done.newName));
    switch (done.outcome) {
        case OrdersRenamed::Outcome::Nothing:
            return;
        case OrdersRenamed::Outcome::UnderWay:
            Tell(QStringLiteral("переименование %1 еще идет в редакторе").arg(names));
            return;
        case OrdersRenamed::Outcome::NotStarted:
            Tell(done.error);
            return;
        case OrdersRenamed::Outcome::BookNotWritten:
            Tell(QStringLiteral("переименование %1 прервалось, не дойдя до реквизитов: реквизиты "
                                "и платежки остались с %2")
                     .arg(names, QuotedValue(done.oldName)));
            return;
        case OrdersRenamed::Outcome::OrdersWritten:
            break;
    }
    const int left = int(done.failed.size());
    const int count = left > 0 ? left : done.total;
    const QString orders = RussianPlural(count, QStringLiteral("платежке"),
                                         QStringLiteral("платежках"), QStringLiteral("платежках"));
    if (left == 0) {
        if (done.total > 0) {
            Tell(QStringLiteral("прерванное переименование %1 закончено: новое имя записано еще в "
                                "%2 %3")
                     .arg(names, QString::number(count), orders));
        }
        return;
    }
    Tell(QStringLiteral("переименование %1 не закончено: в %2 %3 из %4 осталось старое имя")
             .arg(names, QString::number(count), orders, QString::number(done.total)));
    for (const OrderLeft& order : done.failed) {
        Tell(QStringLiteral("%1: %2").arg(order.file, order.reason));
    }
}

// The directory of BIKs imported into the editor; none, after saying so, when it cannot be read
// (*damaged then set).
BikDirectory KeptDirectory(bool* damaged = nullptr) {
    BikDirectory directory;
    QString damage;
    const bool isDamaged =
        BikDirectory::LoadKept(&directory, &damage) == BikDirectory::KeptOutcome::Damaged;
    if (damaged) {
        *damaged = isDamaged;
    }
    if (isDamaged) {
        Tell(QStringLiteral("справочник БИК %1 не читается (%2), БИК не проверены; загрузите "
                            "справочник заново (--import-bik)")
                 .arg(QDir::toNativeSeparators(BikDirectory::KeptFilePath()), damage));
    }
    return directory;
}

// A kept directory of BIKs that cannot be read is a problem of the check too: the BIKs it would
// check go unchecked.
int RunCheck(const WorkingFolder& folder) {
    bool damaged = false;
    const BikDirectory directory = KeptDirectory(&damaged);
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

// Whether a refused order was refused for the edition alone, which --form can change.
bool RefusedForTheEdition(const QList<OrderRefusal>& refused) {
    for (const OrderRefusal& refusal : refused) {
        if (refusal.reasons.contains(OrderUseCases::NoRoomIn2001Message())) {
            return true;
        }
    }
    return false;
}

// The blank form, to be filled in by hand, or the orders named a page each in the order given:
// all of them or, when one cannot go on paper, none.
int RunPdf(int argc, char** argv, const CommandLine& line, const WorkingFolder& folder) {
    // No window opens, so no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const FormPaper paper = ChosenPaper(line);
    CVemoDoc blank;
    blank.MakeBlank();
    QList<const CVemoDoc*> pages{&blank};
    OrderUseCases::Printing printing;
    QString error;
    if (!line.pdfOrders.isEmpty()) {
        QList<OrderRow> orders;
        if (!folder.ReadOrders(line.pdfOrders, &orders, &error)) {
            Tell(error);
            return kExitFailed;
        }
        printing = OrderUseCases::PrintOrders(
            folder, orders, OrderUseCases::Policy::RefuseWhole, paper.edition,
            line.edition ? OrderUseCases::EditionChoice::Given
                         : OrderUseCases::EditionChoice::Remembered);
        if (Refused(printing.error, printing.batch.refused, QStringLiteral("нарисовать целиком"))) {
            if (RefusedForTheEdition(printing.batch.refused)) {
                Tell(
                    QStringLiteral("--form=current рисует их на действующей редакции, "
                                   "--form=2001 — на бланке 2001 года без этих полей"));
            }
            return kExitFailed;
        }
        pages = printing.batch.Pages();
    }
    if (!WriteFormPdf(line.pdfPath, pages, &error, paper)) {
        Tell(CannotWrite(line.pdfPath, error));
        return kExitFailed;
    }
    return 0;
}

// The orders --export names, with their states: those given by --order, else every order that
// did not go to the bank (all with --resend). False, with the user told, when one cannot be read.
bool OrdersToExport(const CommandLine& line, const WorkingFolder& folder, QList<OrderRow>* orders,
                    QList<OrderStates::State>* states) {
    const QDate today = QDate::currentDate();
    if (!line.exportOrders.isEmpty()) {
        QString error;
        StoredOrders named;
        if (!folder.ReadOrders(line.exportOrders, &named.rows, &error)) {
            Tell(error);
            return false;
        }
        for (const OrderRow& row : std::as_const(named.rows)) {
            named.files.append(OrderFiles::FileName(row.Number()));
        }
        *states = OrderUseCases::StatesOf(folder, named, today);
        *orders = std::move(named.rows);
        return true;
    }
    OrderUseCases::Listing listing = OrderUseCases::ListOrders(folder, today);
    if (!listing.orders.unreadable.isEmpty()) {
        Tell(OrderFiles::CannotReadMessage(listing.orders.unreadable));
        return false;
    }
    if (line.resend) {
        *orders = std::move(listing.orders.rows);
        *states = std::move(listing.states);
        return true;
    }
    for (qsizetype place : OrderUseCases::NotSent(listing.states)) {
        orders->append(listing.orders.rows[place]);
        states->append(listing.states[place]);
    }
    if (orders->isEmpty() && !listing.orders.rows.isEmpty()) {
        Tell(QStringLiteral("все платежки уже выгружены в банк; --resend выгрузит их еще раз"));
        return false;
    }
    return true;
}

// Writes the orders for the bank, a file per payer's bank, all of them or none, and keeps a copy
// of each file in the working folder. The data files are only read.
int RunExport(const CommandLine& line, const WorkingFolder& folder) {
    QList<OrderRow> orders;
    QList<OrderStates::State> states;
    if (!OrdersToExport(line, folder, &orders, &states)) {
        return kExitFailed;
    }
    const OrderUseCases::Export done = OrderUseCases::ExportOrders(
        folder, orders, states,
        line.resend ? OrderUseCases::Resend::Allow : OrderUseCases::Resend::Refuse,
        OrderUseCases::Policy::RefuseWhole, QDateTime::currentDateTime());
    if (Refused(done.error, done.refused, QStringLiteral("выгрузить"))) {
        if (!done.sentBefore.isEmpty()) {
            Tell(QStringLiteral("--resend выгрузит уже выгруженные еще раз"));
        }
        return kExitFailed;
    }
    const OrderUseCases::Written written =
        OrderUseCases::WriteExport(folder, done, line.exportPath);
    if (!written.error.isEmpty()) {
        Tell(written.error);
        return kExitFailed;
    }
    // With one file its name is the one given; several are each named, as the window names them.
    if (written.paths.size() > 1) {
        Print(stdout, OrderUseCases::WrittenText(done, written) + QLatin1Char('\n'));
    }
    if (!written.keptError.isEmpty()) {
        Tell(QStringLiteral("файл выгрузки записан, но его копия не сохранена в %1: %2; эти "
                            "платежки не будут значиться выгруженными")
                 .arg(QString::fromLatin1(KeptFiles::kFolder), written.keptError));
        return kExitFailed;
    }
    return 0;
}

// A field of --list's line: a tab inside it would split the line's columns.
QString ListField(const QString& text) {
    QString field = text;
    return field.replace(u'\t', u' ');
}

// The archive, one order a line: number, date, payer, recipient, amount, state, tab-separated.
// Nothing is printed when an order, an address book or a kept file cannot be read: the states
// would not be known.
int RunList(const CommandLine& line, const WorkingFolder& folder) {
    const OrderUseCases::Listing listing =
        OrderUseCases::ListOrders(folder, Clock::FixedAt(line.today).Today());
    QStringList problems = listing.unreadable;
    if (!listing.orders.unreadable.isEmpty()) {
        problems.prepend(OrderFiles::CannotReadMessage(listing.orders.unreadable));
    }
    if (!listing.error.isEmpty()) {
        problems.prepend(listing.error);
    }
    if (!problems.isEmpty()) {
        for (const QString& problem : std::as_const(problems)) {
            Tell(problem);
        }
        return kExitFailed;
    }
    QString text;
    for (qsizetype i = 0; i < listing.orders.rows.size(); ++i) {
        if (!OrderStates::Shows(line.listFilter, listing.states[i])) {
            continue;
        }
        const OrderRow& row = listing.orders.rows[i];
        const QDate date = OrderTexts::DateFromText(row[kColumnDate]);
        const QStringList fields = {
            row[kColumnNumber].trimmed(),
            date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : row[kColumnDate],
            row[kColumnPayer],
            row[kColumnRecipient],
            row[kColumnAmount],
            OrderStates::Text(listing.states[i])};
        QStringList cells;
        for (const QString& field : fields) {
            cells.append(ListField(field));
        }
        text += cells.join(u'\t') + u'\n';
    }
    Print(stdout, text);
    return 0;
}

// The statement as the window shows it: per account, the balances and the documents.
QString StatementReportText(const StatementImport& import, const StatementAnswers& answers) {
    QStringList lines = {StatementTexts::KeptText(import)};
    const auto rows = [&](const QString& caption, const QList<qsizetype>& entries) {
        for (qsizetype entry : entries) {
            const StatementTexts::Row row = StatementTexts::RowOf(import, entry);
            QStringList cells = {caption, row.document, row.amount, row.party};
            if (!row.order.isEmpty()) {
                cells.append(row.order);
            }
            lines.append(u'\t' + cells.join(u'\t'));
        }
    };
    for (const AccountStatement& account : import.report.accounts) {
        lines.append(StatementTexts::AccountHeading(account.balances));
        for (const auto& [caption, amount] : StatementTexts::BalanceLines(account.balances)) {
            lines.append(u'\t' + caption + u'\t' + amount);
        }
        for (const QString& mismatch : account.balances.mismatches) {
            lines.append(QStringLiteral("\tНе сходится: ") + mismatch);
        }
        rows(QStringLiteral("списано"), account.outgoing);
        rows(QStringLiteral("поступило"), account.incoming);
        rows(QStringLiteral("банк"), account.bankOperations);
    }
    if (!import.report.unplaced.isEmpty()) {
        lines.append(QStringLiteral("Документы не по счетам выписки"));
        rows(QStringLiteral("прочее"), import.report.unplaced);
    }
    for (const StatementAmbiguity& ambiguity : import.report.ambiguities) {
        lines.append(QStringLiteral("Вопрос: ") + StatementTexts::QuestionText(import, ambiguity));
        lines.append(StatementTexts::AnswersText(import, answers, ambiguity) + QStringLiteral("."));
    }
    for (const StatementParty& party : import.parties) {
        lines.append(QStringLiteral("Нет в справочниках: ") + StatementTexts::PartyText(party) +
                     QStringLiteral(" (добавить можно в окне выписки)"));
    }
    return lines.join(u'\n') + u'\n';
}

// Reads the bank's statement whole, keeps it and prints what it says against the archive; a
// file that is not a statement is refused whole and nothing changes.
int RunImportStatement(const CommandLine& line, const WorkingFolder& folder) {
    BikDirectory directory;
    BikDirectory::LoadKept(&directory);
    const StatementImport import =
        StatementImport::Run(folder, line.statementPath, directory, QDateTime::currentDateTime());
    if (!import.refusal.isEmpty()) {
        Tell(QStringLiteral("выписка %1 не загружена: %2").arg(line.statementPath, import.refusal));
        return kExitFailed;
    }
    for (const QString& name : import.unreadable) {
        Tell(QStringLiteral("не читается %1: его платежек и реквизитов в отчете нет").arg(name));
    }
    StatementAnswers answers;
    QString error;
    if (!StatementAnswers::Read(folder, &answers, &error)) {
        Tell(error);
    }
    Print(stdout, StatementReportText(import, answers));
    return import.kept.kept || import.kept.alreadyKept ? 0 : kExitFailed;
}

// What an invoice's payment code holds, a field a line as the order takes it, the bank's details
// from the directory of BIKs where it holds them; on standard error what to look at before paying
// by it (a replaced value, the details' faults).
int RunReadQr(int argc, char** argv, const CommandLine& line) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const InvoiceReader::Result read =
        InvoiceReader::OrderFromFile(line.invoicePath, CRequisiteArray(), KeptDirectory());
    if (!read.ok) {
        Tell(read.refusal);
        return kExitFailed;
    }
    for (const QString& field : read.order.Lines()) {
        Print(stdout, field + QLatin1Char('\n'));
    }
    for (const QString& note : read.order.notes) {
        Tell(note);
    }
    for (const QString& problem : RequisiteChecks::Texts(read.order.problems)) {
        Tell(QStringLiteral("получатель: %1").arg(problem));
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

// The register of the orders named, or of all, as the archive's "Реестр…" saves it. The data
// files are only read.
int RunRegister(int argc, char** argv, const CommandLine& line, const WorkingFolder& folder) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");  // the PDF is drawn with fonts, in no window
    }
    QGuiApplication app(argc, argv);
    StoredOrders orders;
    QString error;
    if (!folder.ReadOrders(line.registerOrders, &orders, &error)) {
        Tell(error);
        return kExitFailed;
    }
    QStringList unreadable;
    const OrderRegister reg =
        OrderRegister::Read(folder, orders, Clock::FixedAt(line.today).Today(), &unreadable);
    if (!unreadable.isEmpty()) {
        Tell(QStringLiteral("состояния платежек неполны: не читаются %1")
                 .arg(unreadable.join(QStringLiteral(", "))));
    }
    if (!RegisterDrawing::WriteFile(line.registerPath, reg, &error)) {
        Tell(error);
        return kExitFailed;
    }
    return 0;
}

// A copy of the folder's data, as Файл → "Сохранить копию данных…" makes it.
int RunBackup(const CommandLine& line, const WorkingFolder& folder) {
    BackupSummary summary;
    QString error;
    if (!Backup::Save(folder.Dir(), line.backupPath, Clock::FixedAt(line.today).Now(), &summary,
                      &error)) {
        Tell(error);
        return kExitFailed;
    }
    return 0;
}

int RunEditor(int argc, char** argv, const CommandLine& line, const WorkingFolder& folder) {
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vemo.png")));
    CVemoApp vemo;
    if (!vemo.InitInstance(folder, Clock::FixedAt(line.today))) {
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
        case CommandLine::Mode::Pdf:
        case CommandLine::Mode::Check:
        case CommandLine::Mode::Export:
        case CommandLine::Mode::List:
        case CommandLine::Mode::ImportStatement:
        case CommandLine::Mode::Register:
        case CommandLine::Mode::Backup:
            FinishCutRename(folder);
            break;
        default:
            break;  // the editor finishes it over its window; the rest reads no order
    }
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
        case CommandLine::Mode::List:
            return RunList(line, folder);
        case CommandLine::Mode::ImportStatement:
            return RunImportStatement(line, folder);
        case CommandLine::Mode::ReadQr:
            return RunReadQr(argc, argv, line);
        case CommandLine::Mode::Register:
            return RunRegister(argc, argv, line, folder);
        case CommandLine::Mode::Backup:
            return RunBackup(line, folder);
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
    return RunEditor(argc, argv, line, folder);
}
