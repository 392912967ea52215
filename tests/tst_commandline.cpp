// The command line: which mode each set of arguments asks for, what is refused, and what the
// program prints and returns for them.
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>
#include <QDirIterator>
#include <QProcess>
#include <memory>

#include "FileSizeLimit.h"
#include "FolderSnapshot.h"
#include "InvoiceExamples.h"
#include "InvoicePages.h"
#include "TestEnvironment.h"
#include "TestFolder.h"
#include "VemoRun.h"
#include "app/CommandLine.h"
#include "common/Cp1251.h"
#include "common/WorkingDays.h"
#include "orders/OrderFiles.h"
#include "orders/OrderTexts.h"
#include "orders/RenameRecord.h"
#include "orders/WorkingFolder.h"
#include "requisites/RequisitesFile.h"
#include "routine/TemplateStore.h"

class TestCommandLine : public QObject {
    Q_OBJECT
public:
    // The invoices --read-qr reads are pictures, drawn without a display.
    static void initMain() { UseOffscreenPlatformUnlessSet(); }

private slots:
    void initTestCase();
    void parses_data();
    void parses();
    void init();
    void cleanup();
    void runs_data();
    void runs();
    void parsesExport_data();
    void parsesExport();
    void writesAllOrNothing_data();
    void writesAllOrNothing();
    void listsWhatWentToTheBank_data();
    void listsWhatWentToTheBank();
    void worksInTheFolderGiven_data();
    void worksInTheFolderGiven();
    void editorWorksInItsFolder_data();
    void editorWorksInItsFolder();
    void editorTakesTheDayGiven();
    void specialFilesNeverHang_data();
    void specialFilesNeverHang();
    void refusesALinkPlantedInASharedFolder_data();
    void refusesALinkPlantedInASharedFolder();
    void checkFailsOnADamagedBikDirectory_data();
    void checkFailsOnADamagedBikDirectory();
    void finishesARenameCutShort();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    // Invoices for --read-qr, outside the working folder, which each run leaves as it found it.
    QTemporaryDir m_invoices;
};

void TestCommandLine::initTestCase() {
    QVERIFY(m_invoices.isValid());
    const auto page = [this](const char* name, const QByteArray& code) {
        const QImage image = code.isEmpty() ? QImage() : InvoicePages::CodeImage(code);
        QVERIFY(InvoicePages::PageImage(image, 150).save(m_invoices.filePath(name)));
    };
    page("gas-bill.png", InvoiceExamples::Bytes(InvoiceExamples::GasBill()));
    page("no-code.png", QByteArray());
}

// What each set of arguments asks for; what the program itself answers is in runs.
void TestCommandLine::parses_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("order");
    using Mode = CommandLine::Mode;
    QTest::newRow("plain start") << QStringList{} << int(Mode::Editor) << QString() << 0;
    QTest::newRow("pdf") << QStringList{"--pdf", "out.pdf"} << int(Mode::Pdf) << "out.pdf" << 0;
    QTest::newRow("words") << QStringList{"--words", "1 234,56"} << int(Mode::Words) << "1 234,56"
                           << 0;
    QTest::newRow("words of a negative amount")
        << QStringList{"--words", "-5"} << int(Mode::Error) << QString() << 0;
    QTest::newRow("pdf without a name")
        << QStringList{"--pdf"} << int(Mode::Error) << QString() << 0;
    QTest::newRow("empty pdf name")
        << QStringList{"--pdf", ""} << int(Mode::Error) << QString() << 0;
    QTest::newRow("a document name")
        << QStringList{"file.vemo"} << int(Mode::Error) << QString() << 0;
    QTest::newRow("both") << QStringList{"--pdf", "a.pdf", "--words", "1"} << int(Mode::Error)
                          << QString() << 0;

    QTest::newRow("empty pdf=") << QStringList{"--pdf="} << int(Mode::Error) << QString() << 0;
    QTest::newRow("pdf and order")
        << QStringList{"--pdf", "out.pdf", "--order", "12"} << int(Mode::Pdf) << "out.pdf" << 12;
    QTest::newRow("order first") << QStringList{"--order", "4", "--pdf", "a b.pdf"}
                                 << int(Mode::Pdf) << "a b.pdf" << 4;
    QTest::newRow("words=") << QStringList{"--words=1,5"} << int(Mode::Words) << "1,5" << 0;
    QTest::newRow("words=-5.5") << QStringList{"--words=-5.5"} << int(Mode::Error) << QString()
                                << 0;
    QTest::newRow("-- alone") << QStringList{"--"} << int(Mode::Editor) << QString() << 0;
    QTest::newRow("order= without pdf")
        << QStringList{"--order=1"} << int(Mode::Error) << QString() << 0;
    QTest::newRow("order with words")
        << QStringList{"--words", "1", "--order", "1"} << int(Mode::Error) << QString() << 0;
    QTest::newRow("order 0") << QStringList{"--pdf", "a.pdf", "--order", "0"} << int(Mode::Error)
                             << QString() << 0;
    QTest::newRow("order not a number")
        << QStringList{"--pdf=a.pdf", "--order=7x"} << int(Mode::Error) << QString() << 0;
    QTest::newRow("order without a number")
        << QStringList{"--pdf", "a.pdf", "--order"} << int(Mode::Error) << QString() << 0;
    QTest::newRow("two orders, a page each")
        << QStringList{"--pdf", "a.pdf", "--order", "3", "--order", "4"} << int(Mode::Pdf)
        << "a.pdf" << 3;
    QTest::newRow("pdf twice") << QStringList{"--pdf", "a.pdf", "--pdf", "b.pdf"}
                               << int(Mode::Error) << QString() << 0;
    QTest::newRow("a value for a switch")
        << QStringList{"--version=2"} << int(Mode::Error) << QString() << 0;
    QTest::newRow("check with pdf")
        << QStringList{"--check", "--pdf", "a.pdf"} << int(Mode::Error) << QString() << 0;
    QTest::newRow("check with a folder")
        << QStringList{"--check", "Vemo"} << int(Mode::Error) << QString() << 0;
    QTest::newRow("order with check")
        << QStringList{"--check", "--order", "1"} << int(Mode::Error) << QString() << 0;
    QTest::newRow("list") << QStringList{"--list"} << int(Mode::List) << "all" << 0;
    QTest::newRow("list of the sent")
        << QStringList{"--list", "--state=sent"} << int(Mode::List) << "sent" << 0;
    QTest::newRow("list of the not sent")
        << QStringList{"--state", "not-sent", "--list"} << int(Mode::List) << "not-sent" << 0;
    QTest::newRow("a state not known")
        << QStringList{"--list", "--state=отправлено"} << int(Mode::Error) << QString() << 0;
    QTest::newRow("state without list")
        << QStringList{"--state=executed"} << int(Mode::Error) << QString() << 0;
    QTest::newRow("state twice") << QStringList{"--list", "--state=sent", "--state=executed"}
                                 << int(Mode::Error) << QString() << 0;
    QTest::newRow("list with export")
        << QStringList{"--list", "--export", "-"} << int(Mode::Error) << QString() << 0;
    QTest::newRow("import a statement") << QStringList{"--import-statement", "kl_to_1c.txt"}
                                        << int(Mode::ImportStatement) << "kl_to_1c.txt" << 0;
    QTest::newRow("import a statement without its name")
        << QStringList{"--import-statement="} << int(Mode::Error) << QString() << 0;
    QTest::newRow("resend without export")
        << QStringList{"--resend", "--list"} << int(Mode::Error) << QString() << 0;
    QTest::newRow("register of two orders")
        << QStringList{"--register", "r.csv", "--order", "2", "--order", "1"} << int(Mode::Register)
        << "r.csv" << 2;
    QTest::newRow("register without a name")
        << QStringList{"--register="} << int(Mode::Error) << QString() << 0;
    QTest::newRow("backup") << QStringList{"--backup=copy.zip"} << int(Mode::Backup) << "copy.zip"
                            << 0;
    QTest::newRow("order with backup")
        << QStringList{"--backup", "c.zip", "--order", "1"} << int(Mode::Error) << QString() << 0;
    QTest::newRow("register and backup") << QStringList{"--register", "r.pdf", "--backup", "c.zip"}
                                         << int(Mode::Error) << QString() << 0;
    // The program's today, for the editor, --list and the two jobs whose output carries a day.
    QTest::newRow("today") << QStringList{"--today=2027-01-12"} << int(Mode::Editor) << "2027-01-12"
                           << 0;
    QTest::newRow("today with list")
        << QStringList{"--list", "--today=2027-01-12"} << int(Mode::List) << "all" << 0;
    QTest::newRow("today with backup") << QStringList{"--backup", "c.zip", "--today", "2027-01-12"}
                                       << int(Mode::Backup) << "c.zip" << 0;
    QTest::newRow("today not a day")
        << QStringList{"--today=2027-02-30"} << int(Mode::Error) << QString() << 0;
    QTest::newRow("today in another form")
        << QStringList{"--today=12.01.2027"} << int(Mode::Error) << QString() << 0;
    QTest::newRow("today with pdf") << QStringList{"--pdf", "a.pdf", "--today=2027-01-12"}
                                    << int(Mode::Error) << QString() << 0;
    QTest::newRow("today twice") << QStringList{"--today=2027-01-12", "--today=2027-01-13"}
                                 << int(Mode::Error) << QString() << 0;
}

void TestCommandLine::parses() {
    QFETCH(QStringList, arguments);
    QFETCH(int, mode);
    QFETCH(QString, value);
    QFETCH(int, order);
    const CommandLine line = ParseCommandLine(arguments);
    QCOMPARE(int(line.mode), mode);
    if (line.mode == CommandLine::Mode::Error) {
        QVERIFY(!line.error.isEmpty());
    } else if (line.mode == CommandLine::Mode::Pdf) {
        QCOMPARE(line.pdfPath, value);
        QCOMPARE(line.pdfOrders.value(0), order);
    } else if (line.mode == CommandLine::Mode::Words) {
        QCOMPARE(line.amountText, value);
    } else if (line.mode == CommandLine::Mode::List) {
        QCOMPARE(StateFilterName(line.listFilter), value);
    } else if (line.mode == CommandLine::Mode::ImportStatement) {
        QCOMPARE(line.statementPath, value);
    } else if (line.mode == CommandLine::Mode::Register) {
        QCOMPARE(line.registerPath, value);
        QCOMPARE(line.registerOrders.value(0), order);
    } else if (line.mode == CommandLine::Mode::Backup) {
        QCOMPARE(line.backupPath, value);
    } else if (line.mode == CommandLine::Mode::Editor && !value.isEmpty()) {
        QCOMPARE(line.today, QDate::fromString(value, Qt::ISODate));
    }
}

// Each run starts in an empty folder that holds order 1, both of its parties' records and a
// folder named "folder".
void TestCommandLine::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
    QVERIFY(QDir().mkdir("Vemo"));
    QVERIFY(QDir().mkdir("folder"));
    CRequisite payer;
    payer.m_strName = QStringLiteral("Payer");
    CRequisite recipient;
    recipient.m_strName = QStringLiteral("Recipient");
    QVERIFY(RequisitesFile::Write("pltRecv.dat", {payer}));
    QVERIFY(RequisitesFile::Write("polRecv.dat", {recipient}));
    OrderRow row;
    row[kColumnNumber] = "   1";
    row[kColumnPayer] = payer.m_strName;
    row[kColumnRecipient] = recipient.m_strName;
    row[kColumnAmount] = "10";
    row[kColumnPriority] = "5";
    QVERIFY(OrderFiles::SaveOrder(1, row));
}

void TestCommandLine::cleanup() {
    QDir::setCurrent(QDir::tempPath());
    m_dir.reset();
}

namespace {

QString Program() {
    return qEnvironmentVariable("VEMO_EXECUTABLE");
}

// The program itself is run only through ctest, which says where it is.
#define SKIP_WITHOUT_PROGRAM()                                                 \
    if (Program().isEmpty()) {                                                 \
        QSKIP("VEMO_EXECUTABLE is set by ctest: run this test through ctest"); \
    }

}  // namespace

void TestCommandLine::runs_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");  // all of standard output
    QTest::addColumn<QString>("error");   // a part of standard error; empty for none at all
    QTest::addColumn<bool>("writesPdf");  // whether out.pdf is there afterwards

    // With no edition chosen in the editor, the current edition's words.
    const QString words = QStringLiteral("Одна тысяча двести тридцать четыре рубля 56 копеек\n");
    const QString version = "vemo " + qEnvironmentVariable("VEMO_VERSION") + "\n";
    const QString usage = CommandLineUsage();
    QTest::newRow("help") << QStringList{"--help"} << 0 << usage << QString() << false;
    QTest::newRow("-h") << QStringList{"-h"} << 0 << usage << QString() << false;
    QTest::newRow("version") << QStringList{"--version"} << 0 << version << QString() << false;
    QTest::newRow("words=1 234,56")
        << QStringList{"--words=1 234,56"} << 0 << words << QString() << false;
    QTest::newRow("words 1234.56")
        << QStringList{"--words", "1234.56"} << 0 << words << QString() << false;
    QTest::newRow("words 1234-56")
        << QStringList{"--words", "1234-56"} << 0 << words << QString() << false;
    QTest::newRow("words, edition of 2001")
        << QStringList{"--words", "1234.56", "--form=2001"} << 0
        << QStringLiteral("Одна тысяча двести тридцать четыре руб. 56 коп.\n") << QString()
        << false;
    // Read by the rule of the order dialog, the form and --check: what is not an amount there is
    // refused here too, rather than read as some other amount.
    for (const char* wrong : {"abc", "12,345", "1,234.56", "-5.5", "0", "1.2.3"}) {
        QTest::newRow(qPrintable(QStringLiteral("words %1 refused").arg(wrong)))
            << QStringList{"--words", wrong} << 2 << QString()
            << QStringLiteral("Неверная сумма: «%1»").arg(wrong) << false;
    }
    QTest::newRow("pdf=") << QStringList{"--pdf=out.pdf"} << 0 << QString() << QString() << true;
    QTest::newRow("pdf= order=") << QStringList{"--pdf=out.pdf", "--order=1"} << 0 << QString()
                                 << QString() << true;
    QTest::newRow("pdf and --") << QStringList{"--pdf", "out.pdf", "--"} << 0 << QString()
                                << QString() << true;
    QTest::newRow("missing order")
        << QStringList{"--pdf=out.pdf", "--order=2"} << 1 << QString()
        << QStringLiteral("нет платежного поручения 2 (Vemo/vemo.2)") << false;
    QTest::newRow("pdf onto a folder") << QStringList{"--pdf=folder"} << 1 << QString()
                                       << QStringLiteral("не могу записать файл folder") << false;
    QTest::newRow("order without pdf")
        << QStringList{"--order", "1"} << 2 << QString()
        << QStringLiteral("--order задается только вместе с --pdf или --export") << false;
    QTest::newRow("unknown option")
        << QStringList{"--frobnicate"} << 2 << QString()
        << QStringLiteral("неизвестный параметр: --frobnicate") << false;
    QTest::newRow("missing value") << QStringList{"--words"} << 2 << QString()
                                   << QStringLiteral("после --words нужно значение") << false;
    QTest::newRow("an option after --") << QStringList{"--", "--version"} << 2 << QString()
                                        << QStringLiteral("лишний аргумент: --version") << false;
    QTest::newRow("check of a sound folder")
        << QStringList{"--check"} << 0 << QString() << QString() << false;
    QTest::newRow("check twice") << QStringList{"--check", "--check"} << 2 << QString()
                                 << QStringLiteral("--check задан больше одного раза") << false;
    QTest::newRow("a value to a switch") << QStringList{"--check=1"} << 2 << QString()
                                         << QStringLiteral("у --check не бывает значения") << false;

    // The gas bill in windows-1251, without a purpose: the order's fields, one a line.
    const QString gasBill = QStringLiteral(
        "Получатель: ООО «Газовая компания Тулы»\n"
        "ИНН: 7105000120\n"
        "КПП: 710501001\n"
        "Счет: 40702810566020101234\n"
        "Банк: ТУЛЬСКОЕ ОТДЕЛЕНИЕ N8604 ПАО СБЕРБАНК Г. ТУЛА (ДОПОЛНИТЕЛЬНЫЙ ОФИС)\n"
        "БИК: 047003608\n"
        "Корр. счет: 30101810300000000608\n"
        "Сумма: 142,12\n"
        "Основание: Оплата по лицевому счету № 1234567890 за 01.2020\n");
    QTest::newRow("read-qr of a gas bill")
        << QStringList{"--read-qr", m_invoices.filePath("gas-bill.png")} << 0 << gasBill
        << QString() << false;
    QTest::newRow("read-qr of a page without a code")
        << QStringList{"--read-qr=" + m_invoices.filePath("no-code.png")} << 1 << QString()
        << QStringLiteral("На картинке «no-code.png» нет QR-кода.") << false;
    QTest::newRow("read-qr of no file") << QStringList{"--read-qr", "missing.png"} << 1 << QString()
                                        << QStringLiteral("Файла «missing.png» нет.") << false;
    QTest::newRow("read-qr without a file")
        << QStringList{"--read-qr"} << 2 << QString()
        << QStringLiteral("после --read-qr нужно значение") << false;
    QTest::newRow("read-qr of an empty name")
        << QStringList{"--read-qr="} << 2 << QString()
        << QStringLiteral("--read-qr: нужно имя файла счета") << false;
    QTest::newRow("read-qr with an order")
        << QStringList{"--read-qr", "a.png", "--order", "1"} << 2 << QString()
        << QStringLiteral("--order задается только вместе с --pdf или --export") << false;
    QTest::newRow("register as a pdf")
        << QStringList{"--register=out.pdf", "--order=1"} << 0 << QString() << QString() << true;
    QTest::newRow("register of another kind")
        << QStringList{"--register", "out.txt"} << 1 << QString()
        << QStringLiteral("out.txt: реестр сохраняется в файл .pdf или .csv") << false;
    QTest::newRow("register of a missing order")
        << QStringList{"--register", "out.pdf", "--order", "2"} << 1 << QString()
        << QStringLiteral("нет платежного поручения 2") << false;
    // Written over the payers' book, the copy would destroy what it copies.
    QTest::newRow("backup over the data")
        << QStringList{"--backup", "pltRecv.dat"} << 1 << QString()
        << QStringLiteral("Копия не сделана: pltRecv.dat — среди данных") << false;
    QTest::newRow("backup into the orders")
        << QStringList{"--backup", "Vemo/copy.zip"} << 1 << QString()
        << QStringLiteral("Копия не сделана: Vemo/copy.zip — среди данных") << false;
}

// Through the program itself: what it prints where, its exit status, and what it leaves.
void TestCommandLine::runs() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, error);
    QFETCH(bool, writesPdf);
    SKIP_WITHOUT_PROGRAM();
    if (qEnvironmentVariableIsEmpty("VEMO_VERSION")) {
        QSKIP("VEMO_VERSION is set by ctest: run this test through ctest");
    }
    const VemoRun run = RunVemo(arguments, 60000, true);
    QVERIFY(run.finished);
    const QString& err = run.err;
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out, output);
    if (error.isEmpty()) {
        QCOMPARE(err, QString());
    } else {
        QVERIFY2(err.startsWith("vemo: ") && err.contains(error), qPrintable(err));
        QVERIFY2(err.endsWith('\n'), qPrintable(err));
    }
    if (exitCode == 2) {
        QVERIFY2(err.endsWith(CommandLineUsage()), qPrintable(err));  // what would have worked
    }
    QCOMPARE(QFileInfo::exists("out.pdf"), writesPdf);
    const QStringList left = QDir().entryList(QDir::NoDotAndDotDot | QDir::AllEntries, QDir::Name);
    QCOMPARE(left, writesPdf
                       ? QStringList({"Vemo", "folder", "out.pdf", "pltRecv.dat", "polRecv.dat"})
                       : QStringList({"Vemo", "folder", "pltRecv.dat", "polRecv.dat"}));
}

void TestCommandLine::parsesExport_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QList<int>>("orders");
    QTest::newRow("all") << QStringList{"--export", "out.txt"} << true << "out.txt" << QList<int>{};
    QTest::newRow("standard output") << QStringList{"--export", "-"} << true << "-" << QList<int>{};
    QTest::newRow("orders as given")
        << QStringList{"--order", "7", "--export=-", "--order=2", "--order", "7"} << true << "-"
        << QList<int>{7, 2, 7};
    QTest::newRow("no name") << QStringList{"--export"} << false << QString() << QList<int>{};
    QTest::newRow("empty name") << QStringList{"--export="} << false << QString() << QList<int>{};
    QTest::newRow("order 0") << QStringList{"--export", "-", "--order", "0"} << false << QString()
                             << QList<int>{};
    QTest::newRow("with pdf") << QStringList{"--export", "-", "--pdf", "a.pdf"} << false
                              << QString() << QList<int>{};
    QTest::newRow("twice") << QStringList{"--export", "a", "--export", "b"} << false << QString()
                           << QList<int>{};
}

void TestCommandLine::parsesExport() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, valid);
    QFETCH(QString, path);
    QFETCH(QList<int>, orders);
    const CommandLine line = ParseCommandLine(arguments);
    if (!valid) {
        QCOMPARE(int(line.mode), int(CommandLine::Mode::Error));
        QVERIFY(!line.error.isEmpty());
        return;
    }
    QCOMPARE(int(line.mode), int(CommandLine::Mode::Export));
    QCOMPARE(line.exportPath, path);
    QCOMPARE(line.exportOrders, orders);
}

namespace {

// The numbers of the orders in exchange file bytes, in file order; "<not CRLF>" when a line ends
// otherwise.
QStringList ExportedNumbers(const QByteArray& bytes) {
    if (bytes.count('\n') != bytes.count("\r\n") || (!bytes.isEmpty() && !bytes.endsWith("\r\n"))) {
        return {"<not CRLF>"};
    }
    QStringList numbers;
    for (const QString& line : Cp1251::Decode(bytes).split("\r\n")) {
        if (line.startsWith(QStringLiteral("Номер="))) {
            numbers.append(line.section('=', 1));
        }
    }
    return numbers;
}

// Takes the kept files out of a snapshot: the bytes of each file an export kept in Bank/.
QList<QByteArray> TakeKept(QMap<QString, QByteArray>* files) {
    QList<QByteArray> kept;
    for (auto it = files->begin(); it != files->end();) {
        if (it.key() == QLatin1String("Bank") || it.key().startsWith(QLatin1String("Bank/"))) {
            if (it.key().startsWith(QLatin1String("Bank/1c_to_kl_"))) {
                kept.append(it.value());
            }
            it = files->erase(it);
        } else {
            ++it;
        }
    }
    return kept;
}

// Orders 1 to 5 of March 2026; order 4's payer is not in the book, order 5's amount is not one.
void WriteExportArchive() {
    CRequisite payer;
    payer.m_strName = QStringLiteral("ООО \"Ромашка\"");
    payer.m_strInnKpp = "7701234567/770101001";
    payer.m_strAccount1 = "40702810000000000001";
    CRequisite recipient;
    recipient.m_strName = QStringLiteral("ИП Ёлкин");
    recipient.m_strAccount1 = "40802810000000000002";
    recipient.m_strAccount2 = "40802810000000000003";  // its own, by which the bank names it
    QVERIFY(RequisitesFile::Write("pltRecv.dat", {payer}));
    QVERIFY(RequisitesFile::Write("polRecv.dat", {recipient}));
    for (int number = 1; number <= 5; ++number) {
        OrderRow row;
        row[kColumnNumber] = OrderTexts::NumberText(number);
        row[kColumnDate] = OrderTexts::DateText(QDate(2026, 3, number));
        row[kColumnPayer] = number == 4 ? QStringLiteral("Незнакомец") : payer.m_strName;
        row[kColumnRecipient] = recipient.m_strName;
        row[kColumnAmount] = number == 5 ? "1,2,3" : "1 000,50";
        row[kColumnPriority] = "5";
        QVERIFY(OrderFiles::SaveOrder(number, row));
    }
}

}  // namespace

void TestCommandLine::writesAllOrNothing_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("toOutput");  // numbers exported to standard output
    QTest::addColumn<QStringList>("toFile");    // numbers in out.txt; empty: its old text stays
    QTest::addColumn<QStringList>("named");     // parts of standard error
    QTest::addColumn<int>("diskBytes");         // what a file may take, as on a full disk; 0: all
    QTest::newRow("named orders to a pipe")
        << QStringList{"--export", "-", "--order", "3", "--order", "1"} << 0
        << QStringList{"3", "1"} << QStringList{} << QStringList{} << 0;
    QTest::newRow("an order named twice goes once")
        << QStringList{"--export=out.txt", "--order=2", "--order=1", "--order=2"} << 0
        << QStringList{} << QStringList{"2", "1"} << QStringList{} << 0;
    QTest::newRow("refused among the named")
        << QStringList{"--export", "-", "--order", "1", "--order", "5", "--order", "4"} << 1
        << QStringList{} << QStringList{}
        << QStringList{QStringLiteral("Платежка 5"), "1,2,3", QStringLiteral("Платежка 4"),
                       QStringLiteral("Незнакомец")}
        << 0;
    QTest::newRow("pages of a batch with a refused order")
        << QStringList{"--pdf", "out.txt", "--order", "1", "--order", "4"} << 1 << QStringList{}
        << QStringList{} << QStringList{QStringLiteral("Платежка 4"), QStringLiteral("Незнакомец")}
        << 0;
    QTest::newRow("a missing order")
        << QStringList{"--export", "out.txt", "--order", "9"} << 1 << QStringList{} << QStringList{}
        << QStringList{"vemo.9"} << 0;
    QTest::newRow("onto a folder") << QStringList{"--export", "folder", "--order", "1"} << 1
                                   << QStringList{} << QStringList{} << QStringList{"folder"} << 0;
    QTest::newRow("a full disk, the old file stays")
        << QStringList{"--export", "out.txt", "--order", "1", "--order", "2", "--order", "3"} << 1
        << QStringList{} << QStringList{}
        << QStringList{"out.txt", QStringLiteral("превышен допустимый размер")} << 1024;
}

// Through the program itself, in a folder with five orders: what the export and the pages write
// where, all or nothing, its exit status, and that the data files stay as they were.
void TestCommandLine::writesAllOrNothing() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, toOutput);
    QFETCH(QStringList, toFile);
    QFETCH(QStringList, named);
    QFETCH(int, diskBytes);
    SKIP_WITHOUT_PROGRAM();
    QVERIFY(QFile::remove(OrderFiles::FileName(1)));
    WriteExportArchive();
    WriteBytes("out.txt", "old");
    const QMap<QString, QByteArray> before = FolderSnapshot(".");
    const VemoRun run = RunVemo(arguments, 60000, false, diskBytes);
    QVERIFY(run.finished);
    const QByteArray& out = run.outBytes;
    const QString& err = run.err;
    QVERIFY2(run.exitCode == exitCode, qPrintable(err));
    QCOMPARE(ExportedNumbers(out), toOutput);
    for (const QString& part : named) {
        QVERIFY2(err.startsWith("vemo: ") && err.contains(part), qPrintable(err));
    }
    if (exitCode == 0) {
        QCOMPARE(err, QString());
    } else {
        QVERIFY2(!err.contains(QStringLiteral("Платежка 1")), qPrintable(err));  // only the refused
    }
    QMap<QString, QByteArray> after = FolderSnapshot(".");
    // What went out is kept, byte for byte; a refused job keeps nothing, not even a folder.
    if (exitCode == 0) {
        QCOMPARE(TakeKept(&after),
                 QList<QByteArray>{toFile.isEmpty() ? out : after.value("out.txt")});
    }
    if (!toFile.isEmpty()) {
        QCOMPARE(ExportedNumbers(after.value("out.txt")), toFile);
        after["out.txt"] = before.value("out.txt");
    }
    QCOMPARE(after, before);  // no data file written, no other file left
}

namespace {

// The bank's statement of the export in out.txt: every order in it debited on its date.
QByteArray StatementOf(const QByteArray& exported, const QString& lastDay = QString()) {
    QStringList lines;
    QString date;
    for (QString line : Cp1251::Decode(exported).split("\r\n")) {
        if (line.startsWith(QStringLiteral("Дата="))) {
            date = line.mid(5);
        }
        if (!lastDay.isEmpty() && line.startsWith(QStringLiteral("ДатаКонца="))) {
            line = QStringLiteral("ДатаКонца=") + lastDay;
        }
        if (line == QStringLiteral("КонецДокумента")) {
            lines << QStringLiteral("ДатаСписано=") + date;
        }
        lines << line;
    }
    return Cp1251::Encode(lines.join("\r\n"));
}

}  // namespace

// What went to the bank and what it did, as --list tells it; steps are the runs before, "<bank>"
// the bank's statement of out.txt written to kl_to_1c.txt, "<bank to 2099>" the same covering
// the days up to the end of 2099.
void TestCommandLine::listsWhatWentToTheBank_data() {
    QTest::addColumn<QList<QStringList>>("steps");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");  // all of standard output; "…" ends a part of it
    QTest::addColumn<QString>("error");   // a part of standard error
    const QString sent = QStringLiteral("отправлено ") + QDate::currentDate().toString("dd.MM");
    const auto line = [](int number, const QString& payer, const QString& amount,
                         const QString& state) {
        return QStringLiteral("%1\t0%1.03.2026\t%2\tИП Ёлкин\t%3\t%4\n")
            .arg(number)
            .arg(payer, amount, state);
    };
    const QString romashka = QStringLiteral("ООО \"Ромашка\"");
    const QString all = line(1, romashka, "1 000,50", "") + line(2, romashka, "1 000,50", "") +
                        line(3, romashka, "1 000,50", "") +
                        line(4, QStringLiteral("Незнакомец"), "1 000,50", "") +
                        line(5, romashka, "1,2,3", "");
    const QStringList exportTwo = {"--export", "out.txt", "--order", "1", "--order", "2"};
    QTest::newRow("nothing sent yet")
        << QList<QStringList>{} << QStringList{"--list"} << 0 << all << QString();
    QTest::newRow("the sent ones")
        << QList<QStringList>{exportTwo} << QStringList{"--list", "--state=sent"} << 0
        << line(1, romashka, "1 000,50", sent) + line(2, romashka, "1 000,50", sent) << QString();
    QTest::newRow("the not sent ones")
        << QList<QStringList>{exportTwo} << QStringList{"--list", "--state=not-sent"} << 0
        << line(3, romashka, "1 000,50", "") +
               line(4, QStringLiteral("Незнакомец"), "1 000,50", "") +
               line(5, romashka, "1,2,3", "")
        << QString();
    QTest::newRow("executed after the statement")
        << QList<QStringList>{exportTwo, {"<bank>"}, {"--import-statement", "kl_to_1c.txt"}}
        << QStringList{"--list", "--state=executed"} << 0
        << line(1, romashka, "1 000,50", "исполнено 01.03") +
               line(2, romashka, "1 000,50", "исполнено 02.03")
        << QString();
    // Orders 1 and 2 sent today; a statement that covers the days since shows order 3 alone.
    const QList<QStringList> statementWithoutTwo = {exportTwo,
                                                    {"--export", "out.txt", "--order", "3"},
                                                    {"<bank to 2099>"},
                                                    {"--import-statement", "kl_to_1c.txt"}};
    QTest::newRow("sent, the third working day on")
        << statementWithoutTwo
        << QStringList{"--list", "--state=sent",
                       "--today=" +
                           WorkingDays::After(QDate::currentDate(), 3).toString(Qt::ISODate)}
        << 0 << line(1, romashka, "1 000,50", sent) + line(2, romashka, "1 000,50", sent)
        << QString();
    QTest::newRow("sent and not in the statements, the fourth working day on")
        << statementWithoutTwo
        << QStringList{"--list", "--state=sent",
                       "--today=" +
                           WorkingDays::After(QDate::currentDate(), 4).toString(Qt::ISODate)}
        << 0
        << line(1, romashka, "1 000,50", sent + ", нет в выписке") +
               line(2, romashka, "1 000,50", sent + ", нет в выписке")
        << QString();
    QTest::newRow("a statement read")
        << QList<QStringList>{exportTwo, {"<bank>"}}
        << QStringList{"--import-statement", "kl_to_1c.txt"} << 0
        << QStringLiteral("Выписка загружена и сохранена: Bank/kl_to_1c_…") << QString();
    QTest::newRow("the same statement read again")
        << QList<QStringList>{exportTwo, {"<bank>"}, {"--import-statement", "kl_to_1c.txt"}}
        << QStringList{"--import-statement", "kl_to_1c.txt"} << 0
        << QStringLiteral("Эта выписка уже загружена (Bank/kl_to_1c_…") << QString();
    QTest::newRow("a file that is not a statement")
        << QList<QStringList>{} << QStringList{"--import-statement", "pltRecv.dat"} << 1
        << QString() << QStringLiteral("выписка pltRecv.dat не загружена: ");
    QTest::newRow("an order sent before is refused")
        << QList<QStringList>{exportTwo} << QStringList{"--export", "-", "--order", "2"} << 1
        << QString() << QStringLiteral("Платежка 2: уже выгружена в банк (%1)").arg(sent);
    QTest::newRow("and sent again when asked")
        << QList<QStringList>{exportTwo} << QStringList{"--export", "-", "--order", "2", "--resend"}
        << 0 << QStringLiteral("1CClientBankExchange\r\n…") << QString();
    QTest::newRow("a state not known")
        << QList<QStringList>{} << QStringList{"--list", "--state=bogus"} << 2 << QString()
        << QStringLiteral("укажите all, not-sent, sent, executed");
}

void TestCommandLine::listsWhatWentToTheBank() {
    QFETCH(QList<QStringList>, steps);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, error);
    SKIP_WITHOUT_PROGRAM();
    QVERIFY(QFile::remove(OrderFiles::FileName(1)));
    WriteExportArchive();
    for (const QStringList& step : steps) {
        if (step == QStringList{"<bank>"} || step == QStringList{"<bank to 2099>"}) {
            WriteBytes("kl_to_1c.txt",
                       StatementOf(ReadBytes("out.txt"),
                                   step[0] == "<bank>" ? QString() : QStringLiteral("31.12.2099")));
            continue;
        }
        const VemoRun before = RunVemo(step);
        QVERIFY2(before.finished && before.exitCode == 0, qPrintable(before.err));
    }
    const VemoRun run = RunVemo(arguments);
    QVERIFY(run.finished);
    QVERIFY2(run.exitCode == exitCode, qPrintable(run.err));
    if (output.endsWith(QStringLiteral("…"))) {
        QVERIFY2(run.out.startsWith(output.chopped(1)), qPrintable(run.out));
    } else {
        QCOMPARE(run.out, output);
    }
    if (error.isEmpty()) {
        QCOMPARE(run.err, QString());
    } else {
        QVERIFY2(run.err.startsWith("vemo: ") && run.err.contains(error), qPrintable(run.err));
    }
}

// A FIFO or an endless device at a data file's name: every mode ends at once, fails naming the
// file where it tells what it could not read, and leaves the file as it stands.
void TestCommandLine::specialFilesNeverHang_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("fifo");  // else a link to /dev/zero
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("named");  // in what it prints; empty: not asked
    const QStringList check{"--check"};
    const QStringList toOutput{"--export", "-"};
    const QStringList pdf{"--pdf", "out.pdf", "--order", "1"};
    QTest::newRow("fifo book, check") << "pltRecv.dat" << true << check << "pltRecv.dat";
    QTest::newRow("fifo book, export") << "pltRecv.dat" << true << toOutput << "pltRecv.dat";
    QTest::newRow("fifo book, pdf") << "pltRecv.dat" << true << pdf << "pltRecv.dat";
    QTest::newRow("fifo order, check") << "Vemo/vemo.1" << true << check << "vemo.1";
    QTest::newRow("fifo order, export") << "Vemo/vemo.1" << true << toOutput << "vemo.1";
    QTest::newRow("fifo order, pdf") << "Vemo/vemo.1" << true << pdf << "vemo.1";
    QTest::newRow("endless book, check") << "polRecv.dat" << false << check << "polRecv.dat";
    QTest::newRow("endless book, pdf") << "polRecv.dat" << false << pdf << "polRecv.dat";
    QTest::newRow("endless order, export") << "Vemo/vemo.1" << false << toOutput << "vemo.1";
}

void TestCommandLine::specialFilesNeverHang() {
    QFETCH(QString, name);
    QFETCH(bool, fifo);
    QFETCH(QStringList, arguments);
    QFETCH(QString, named);
    SKIP_WITHOUT_PROGRAM();
    QVERIFY(QFile::remove(name));
    if (fifo) {
        QCOMPARE(mkfifo(QFile::encodeName(name).constData(), 0600), 0);
    } else {
        QVERIFY(QFile::link("/dev/zero", name));
    }
    const VemoRun run = RunVemo(arguments);
    QVERIFY2(run.finished, "the program hung, and was killed");
    QVERIFY2(run.exitCode == 1, qPrintable(run.err));
    QVERIFY2((run.out + run.err).contains(named), qPrintable(run.out + run.err));
    QFileInfo standing(name);
    QCOMPARE(standing.isSymLink(), !fifo);
    QVERIFY(fifo ? !standing.isFile() && !standing.isDir()
                 : standing.symLinkTarget() == "/dev/zero");
    QFile::remove("out.pdf");
    QCOMPARE(QDir().entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System, QDir::Name),
             QStringList({"Vemo", "folder", "pltRecv.dat", "polRecv.dat"}));
}

// A kept directory of BIKs that cannot be read leaves every BIK unchecked: --check says why and
// fails, whatever the data files hold.
void TestCommandLine::checkFailsOnADamagedBikDirectory_data() {
    QTest::addColumn<QByteArray>("kept");  // the kept directory's bytes; null for none kept
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("told");  // a part of standard error; empty for nothing at all
    QTest::newRow("none kept") << QByteArray() << 0 << QString();
    QTest::newRow("another program's file")
        << QByteArray("pltRecv.dat\r\n") << 1
        << QStringLiteral(
               "не читается (это не справочник БИК, сохраненный программой), БИК не "
               "проверены");
    QTest::newRow("empty") << QByteArray("") << 1 << QStringLiteral("не читается (файл пуст)");
}

void TestCommandLine::checkFailsOnADamagedBikDirectory() {
    QFETCH(QByteArray, kept);
    QFETCH(int, exitCode);
    QFETCH(QString, told);
    SKIP_WITHOUT_PROGRAM();
    // The program's own data folder, here and in the program started.
    const QTemporaryDir data;
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    const QString folder = data.filePath("Local AppWizard-Generated Applications/Vemo");
    if (!kept.isNull()) {
        QVERIFY(QDir().mkpath(folder));
        WriteBytes(folder + "/bik-directory.txt", kept);
    }
    const VemoRun run = RunVemo({"--check"});
    qputenv("XDG_DATA_HOME", oldData);
    QVERIFY(run.finished);
    QCOMPARE(run.out, QString());
    QCOMPARE(run.exitCode, exitCode);
    if (told.isEmpty()) {
        QCOMPARE(run.err, QString());
    } else {
        QVERIFY2(run.err.startsWith("vemo: справочник БИК ") && run.err.contains(told),
                 qPrintable(run.err));
    }
}

// A rename of the payer that the editor was killed in, its book written and its order not: the
// command line finishes it before it reads the orders, and says so.
void TestCommandLine::finishesARenameCutShort() {
    SKIP_WITHOUT_PROGRAM();
    CRequisite renamed;
    renamed.m_strName = QStringLiteral("Payer Ltd");
    QVERIFY(RequisitesFile::Write("pltRecv.dat", {renamed}));
    const RenameRecord cut{kPayersKind, "Payer", renamed.m_strName, "the book before"};
    QString error;
    QVERIFY(cut.Write(WorkingFolder(), &error));
    const VemoRun run = RunVemo({"--list"});
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QStringLiteral("vemo: прерванное переименование «Payer» → «Payer Ltd» "
                                     "закончено: новое имя записано еще в 1 платежке\n"));
    OrderRow order;
    QCOMPARE(OrderFiles::ReadOrder(1, &order), LineFile::ReadResult::Ok);
    QCOMPARE(order[kColumnPayer], renamed.m_strName);
    QVERIFY(!QFileInfo::exists(RenameRecord::FileName()));
}

// An output path that is a link another user made in a folder where everyone writes (a trap in
// /tmp) is refused with the reason; every other link is written through as before.
void TestCommandLine::refusesALinkPlantedInASharedFolder_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("othersLink");
    QTest::addColumn<bool>("sticky");  // the folder: everyone writes, only owners remove
    QTest::addColumn<bool>("refused");
    QTest::newRow("export through a planted link") << "--export" << true << true << true;
    QTest::newRow("pdf through a planted link") << "--pdf" << true << true << true;
    QTest::newRow("export through one's own link") << "--export" << false << true << false;
    QTest::newRow("a link of another user in a plain folder")
        << "--export" << true << false << false;
}

void TestCommandLine::refusesALinkPlantedInASharedFolder() {
    QFETCH(QString, option);
    QFETCH(bool, othersLink);
    QFETCH(bool, sticky);
    QFETCH(bool, refused);
    SKIP_WITHOUT_PROGRAM();
    if (geteuid() != 0) {
        QSKIP("a link of another user can be made only as root");
    }
    QVERIFY(QDir().mkdir("shared"));
    QCOMPARE(chmod("shared", sticky ? 01777 : 0777), 0);
    const QString victim = QDir::current().absoluteFilePath("victim.txt");
    WriteBytes(victim, "the victim's own");
    QVERIFY(QFile::link(victim, "shared/out"));
    constexpr uid_t kNobody = 65534;
    if (othersLink) {
        QCOMPARE(lchown("shared/out", kNobody, gid_t(-1)), 0);
    }
    QVERIFY(QFile::remove(OrderFiles::FileName(1)));
    WriteExportArchive();  // order 1 can be exported
    const VemoRun run = RunVemo({option, "shared/out", "--order", "1"});
    QVERIFY(run.finished);
    QVERIFY2(run.exitCode == (refused ? 1 : 0), qPrintable(run.err));
    if (refused) {
        QVERIFY2(run.err.contains("shared/out") &&
                     run.err.contains(QStringLiteral("создал другой пользователь")),
                 qPrintable(run.err));
        QCOMPARE(ReadBytes(victim), QByteArray("the victim's own"));
    } else {
        QVERIFY(ReadBytes(victim) != QByteArray("the victim's own"));  // written through
    }
    QVERIFY(QFileInfo("shared/out").isSymLink());
}

namespace {

// The arguments with every "DIR" replaced by the folder.
QStringList WithFolder(QStringList arguments, const QString& folder) {
    for (QString& argument : arguments) {
        argument.replace(QLatin1String("DIR"), folder);
    }
    return arguments;
}

// Another working folder: orders 7 (sound) and 8 (its amount is not one), with their parties.
void WriteOtherFolder(const QString& folder) {
    const QDir dir(folder);
    QVERIFY(dir.mkpath("Vemo"));
    CRequisite payer;
    payer.m_strName = QStringLiteral("ООО Север");
    payer.m_strInnKpp = "7707083893/773601001";
    CRequisite recipient;
    recipient.m_strName = QStringLiteral("ООО Юг");
    QVERIFY(RequisitesFile::Write(dir.filePath("pltRecv.dat"), {payer}));
    QVERIFY(RequisitesFile::Write(dir.filePath("polRecv.dat"), {recipient}));
    for (int number : {7, 8}) {
        OrderRow row;
        row[kColumnNumber] = OrderTexts::NumberText(number);
        row[kColumnDate] = OrderTexts::DateText(QDate(2026, 3, 5));
        row[kColumnPayer] = payer.m_strName;
        row[kColumnRecipient] = recipient.m_strName;
        row[kColumnAmount] = number == 7 ? "700" : "abc";
        row[kColumnPriority] = "5";
        QVERIFY(OrderFiles::SaveOrder(number, row, dir));
    }
}

}  // namespace

void TestCommandLine::worksInTheFolderGiven_data() {
    QTest::addColumn<QStringList>("arguments");  // DIR stands for the other folder
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");    // a part of standard output
    QTest::addColumn<QString>("error");     // a part of standard error
    QTest::addColumn<QStringList>("left");  // what the working directory holds afterwards
    const QStringList here{"Vemo", "folder", "pltRecv.dat", "polRecv.dat"};
    QTest::newRow("check") << QStringList{"--folder=DIR", "--check"} << 1
                           << QStringLiteral("Vemo/vemo.8: сумма «abc»") << QString() << here;
    QTest::newRow("check, the folder apart")
        << QStringList{"--check", "--folder", "DIR"} << 1
        << QStringLiteral("Vemo/vemo.8: сумма «abc»") << QString() << here;
    QTest::newRow("pdf of an order there, written here")
        << QStringList{"--folder=DIR", "--pdf=out.pdf", "--order=7"} << 0 << QString() << QString()
        << QStringList{"Vemo", "folder", "out.pdf", "pltRecv.dat", "polRecv.dat"};
    QTest::newRow("export of an order there")
        << QStringList{"--export", "-", "--order", "7", "--folder=DIR"} << 0
        << QStringLiteral("=7707083893") << QString() << here;  // the payer's INN there
    QTest::newRow("a relative folder, empty")
        << QStringList{"--folder=folder", "--check"} << 1
        << QStringLiteral("/folder нет ни реквизитов, ни платежек\n") << QString() << here;
    QTest::newRow("no such folder") << QStringList{"--folder=DIR/none", "--check"} << 2 << QString()
                                    << QStringLiteral("нет папки") << here;
    QTest::newRow("a file, not a folder")
        << QStringList{"--folder=pltRecv.dat", "--export=-"} << 2 << QString()
        << QStringLiteral("нет папки pltRecv.dat") << here;
    QTest::newRow("no name") << QStringList{"--folder=", "--check"} << 2 << QString()
                             << QStringLiteral("после --folder нужно имя папки") << here;
    QTest::newRow("with the user's folder")
        << QStringList{"--folder=DIR", "--user-folder"} << 2 << QString()
        << QStringLiteral("--folder и --user-folder нельзя задать вместе") << here;
}

// Every mode reads the folder given, and writes what it writes where the user asked.
void TestCommandLine::worksInTheFolderGiven() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, error);
    QFETCH(QStringList, left);
    SKIP_WITHOUT_PROGRAM();
    QTemporaryDir other;
    WriteOtherFolder(other.path());
    const QMap<QString, QByteArray> before = FolderSnapshot(other.path());
    const VemoRun run = RunVemo(WithFolder(arguments, other.path()), 60000);
    QVERIFY(run.finished);
    const QString& out = run.out;
    const QString& err = run.err;
    QVERIFY2(run.exitCode == exitCode, qPrintable(err));
    QVERIFY2(out.contains(output), qPrintable(out));
    if (error.isEmpty()) {
        QCOMPARE(err, QString());
    } else {
        QVERIFY2(err.startsWith("vemo: ") && err.contains(error), qPrintable(err));
    }
    QCOMPARE(QDir().entryList(QDir::NoDotAndDotDot | QDir::AllEntries, QDir::Name), left);
    QMap<QString, QByteArray> after = FolderSnapshot(other.path());
    // The export is kept in the folder it was made from.
    QCOMPARE(TakeKept(&after).size(), arguments.contains("--export") && exitCode == 0 ? 1 : 0);
    QCOMPARE(after, before);
}

void TestCommandLine::editorWorksInItsFolder_data() {
    QTest::addColumn<QStringList>("arguments");  // DIR stands for a fresh folder; empty for the
                                                 // desktop entry's own command
    QTest::addColumn<QStringList>("home");       // what the home holds before the start
    QTest::addColumn<QString>("orders");         // where the orders' folder is made, from home
    QTest::addColumn<QStringList>("homeAfter");  // what the home holds afterwards
    QTest::newRow("--folder") << QStringList{"--folder=DIR"} << QStringList{} << "DIR/Vemo"
                              << QStringList{};
    const QString own = QStringLiteral("Платежки");
    QTest::newRow("from the menu, first start")
        << QStringList{} << QStringList{} << own + "/Vemo" << QStringList{own};
    QTest::newRow("from the menu, a folder of its own there")
        << QStringList{} << QStringList{own + "/", "pltRecv.dat"} << own + "/Vemo"
        << QStringList{"pltRecv.dat", own};
    // An earlier version worked in the home itself: its orders and books stay found there.
    QTest::newRow("from the menu, a home with earlier data")
        << QStringList{} << QStringList{"pltRecv.dat"} << "Vemo"
        << QStringList{"Vemo", "pltRecv.dat"};
}

// The editor started as the desktop menu or a user starts it: the folder of the order files it
// makes at start-up shows which folder it works in, and nothing is made anywhere else.
void TestCommandLine::editorWorksInItsFolder() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, home);
    QFETCH(QString, orders);
    QFETCH(QStringList, homeAfter);
    SKIP_WITHOUT_PROGRAM();
    if (arguments.isEmpty()) {
        // What the desktop menu runs: the entry's Exec line, the program name aside.
        QFile entry(QStringLiteral(VEMO_TESTS_SOURCE_DIR "/../app/vemo.desktop"));
        QVERIFY(entry.open(QIODevice::ReadOnly | QIODevice::Text));
        QString exec;
        for (const QString& line : QString::fromUtf8(entry.readAll()).split('\n')) {
            if (line.startsWith("Exec=")) {
                exec = line.mid(5);
            }
        }
        arguments = exec.split(' ', Qt::SkipEmptyParts);
        QCOMPARE(arguments.value(0), QStringLiteral("vemo"));
        arguments.removeFirst();
    }
    QTemporaryDir homeDir;
    QTemporaryDir fresh;
    for (const QString& name : home) {
        const QString path = QDir(homeDir.path()).filePath(name);
        if (name.endsWith('/')) {
            QVERIFY(QDir().mkpath(path));
        } else {
            WriteBytes(path, "");
        }
    }
    QTemporaryDir runtime;
    QProcessEnvironment environment = RunEnvironment(runtime, true);
    environment.insert("HOME", homeDir.path());
    QProcess vemo;
    vemo.setProcessEnvironment(environment);
    vemo.setWorkingDirectory(m_dir->path());
    vemo.start(Program(), WithFolder(arguments, fresh.path()));
    QVERIFY(vemo.waitForStarted());
    const QString made = orders.startsWith("DIR") ? WithFolder({orders}, fresh.path()).first()
                                                  : QDir(homeDir.path()).filePath(orders);
    const bool up = QTest::qWaitFor([&] { return QFileInfo(made).isDir(); }, 30000);
    const QString err = QString::fromUtf8(vemo.readAllStandardError());
    vemo.kill();
    vemo.waitForFinished();
    QVERIFY2(up, qPrintable(made + ": " + err));
    QCOMPARE(QDir(homeDir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries, QDir::Name),
             homeAfter);
    // The working directory it was started in stays as it was.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries, QDir::Name),
             (QStringList{"Vemo", "folder", "pltRecv.dat", "polRecv.dat"}));
}

// --today is the editor's today: the payments due looked at on start are recorded as looked at on
// that day (nothing is due then, so no window waits for an answer).
void TestCommandLine::editorTakesTheDayGiven() {
    SKIP_WITHOUT_PROGRAM();
    Recurrence later;
    later.kind = Recurrence::Kind::Monthly;
    later.first = QDate(2099, 1, 1);
    OrderRow order;
    QVERIFY(OrderFiles::ReadOrder(1, &order) == LineFile::ReadResult::Ok);
    OrderTemplate added;
    QString error;
    QVERIFY2(TemplateStore().Add("Аренда", order, later, QDate(2030, 5, 6), &added, &error),
             qPrintable(error));
    QTemporaryDir runtime;
    QProcess vemo;
    vemo.setProcessEnvironment(RunEnvironment(runtime, true));
    vemo.start(Program(), {"--today=2030-05-06"});
    QVERIFY(vemo.waitForStarted());
    const bool looked =
        QTest::qWaitFor([] { return QFileInfo::exists("Templates/last-check"); }, 30000);
    vemo.kill();
    vemo.waitForFinished();
    QVERIFY(looked);
    QCOMPARE(TemplateStore().LastCheck(), QDate(2030, 5, 6));
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
