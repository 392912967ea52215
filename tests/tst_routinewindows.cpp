// The month's routine as the user meets it: templates saved from the archive and falling due at a
// start a month later, an order made from a template, the register saved from the archive and by
// the command line, a copy of the data made and restored through the main window.
#include <QtTest>

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDirIterator>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrintDialog>
#include <QRadioButton>
#include <QSettings>
#include <memory>

#include "CsvFields.h"
#include "DialogDriver.h"
#include "FileDialogs.h"
#include "FolderSnapshot.h"
#include "TestEnvironment.h"
#include "TestFolder.h"
#include "TestPdf.h"
#include "VemoRun.h"
#include "app/CMainFrame.h"
#include "app/CVemoApp.h"
#include "common/Cp1251.h"
#include "form/CVemoDoc.h"
#include "orders/OrderTexts.h"
#include "orders/WorkingFolder.h"
#include "orderwindows/CDuePaymentsDlg.h"
#include "orderwindows/COrderArchiveDlg.h"
#include "orderwindows/COrderDlg.h"
#include "orderwindows/CRegisterDlg.h"
#include "orderwindows/CTemplateDlg.h"
#include "orderwindows/CTemplatesDlg.h"
#include "requisites/RequisitesFile.h"
#include "routine/TemplateStore.h"
#include "widgets/MessageBoxes.h"
#include "widgets/WrappedLineEdit.h"

namespace {

const QString kPayer = QStringLiteral("ООО \"Ромашка\"");
const QString kLandlord = QStringLiteral("ООО \"Альфа-Снаб\"");
const QString kPrinter = QStringLiteral("ООО \"Типография Печатный двор\"");

QDate Day(const char* iso) {
    return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

CRequisite Record(const QString& name, const char* bank, const char* bik, const char* innKpp,
                  const char* account1, const char* account2) {
    CRequisite record;
    record.m_strName = name;
    record.m_strBank = QString::fromUtf8(bank);
    record.m_strBik = QString::fromLatin1(bik);
    record.m_strInnKpp = QString::fromLatin1(innKpp);
    record.m_strAccount1 = QString::fromLatin1(account1);
    record.m_strAccount2 = QString::fromLatin1(account2);
    return record;
}

OrderRow Order(int number, const QDate& date, const QString& payer, const QString& recipient,
               const QString& amount, const QString& purpose) {
    OrderRow row;
    row[kColumnNumber] = OrderTexts::NumberText(number);
    row[kColumnDate] = OrderTexts::DateText(date);
    row[kColumnPayer] = payer;
    row[kColumnRecipient] = recipient;
    row[kColumnAmount] = amount;
    row[kColumnBasis] = purpose;
    row[kColumnPaymentKind] = QStringLiteral("01");
    row[kColumnPriority] = QStringLiteral("5");
    return row;
}

// Books whose records a bank takes, and December's rent and the site's upkeep, paid on the 4th.
void WriteData() {
    QVERIFY(RequisitesFile::Write(
        "pltRecv.dat",
        {Record(kPayer, "ПАО \"Северный банк\" г. Москва", "044525999", "7701234560/770101001",
                "40702810600000012345", "30101810600000000999"),
         Record(QStringLiteral("АО \"Волжская мебельная фабрика\""),
                "АО \"Волжский кредит\" г. Самара", "043601888", "6316123458/631601001",
                "40702810400000004321", "30101810100000000888")}));
    QVERIFY(RequisitesFile::Write(
        "polRecv.dat",
        {Record(kLandlord, "ПАО \"Уральский банк\" г. Екатеринбург", "046577777",
                "6659876545/665901001", "30101810300000000777", "40702810500000067890"),
         Record(kPrinter, "АО \"Невский торговый банк\" г. Санкт-Петербург", "044030999",
                "7805123456/780501001", "30101810400000000999", "40702810300000055123")}));
    const WorkingFolder folder;
    folder.MakeOrdersFolder();
    QVERIFY(folder.SaveOrder(
        1, Order(1, Day("2026-12-04"), kPayer, kLandlord, QStringLiteral("185000,00"),
                 QStringLiteral("Аренда офиса за декабрь 2026 по договору № 12 от 01.02.2025"))));
    QVERIFY(folder.SaveOrder(
        2, Order(2, Day("2026-12-04"), kPayer, kPrinter, QStringLiteral("2 500,00"),
                 QStringLiteral("Обслуживание сайта за декабрь 2026"))));
    QVERIFY(folder.SaveOrder(
        3, Order(3, Day("2026-12-07"), QStringLiteral("АО \"Волжская мебельная фабрика\""),
                 kLandlord, QStringLiteral("1017,05"), QStringLiteral("Предоплата; без НДС"))));
}

// The texts a window shows in its labels, in the order they were made, that begin so.
QStringList LabelsStartingWith(QWidget* window, const QString& start) {
    QStringList texts;
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (label->text().startsWith(start) && !label->isHidden()) {
            texts.append(label->text());
        }
    }
    return texts;
}

}  // namespace

class TestRoutineWindows : public QObject {
    Q_OBJECT
public:
    static void initMain() { UseOffscreenPlatformUnlessSet(); }

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void templateFallsDueAMonthLater();
    void repeatOfferedFromTheMonthAfterTheOrder_data();
    void repeatOfferedFromTheMonthAfterTheOrder();
    void orderFromATemplate();
    void registerSavedByTheArchiveAndTheCommandLine();
    void registerOfTheChosenPrinted();
    void backupRestoredThroughTheWindow();

private:
    // Starts the editor on the test folder as if today were the day.
    void StartAt(const char* today);
    // In the archive: the row saved as a template of the name, repeated monthly on the day.
    void SaveAsTemplate(COrderArchiveDlg* archive, int row, const QString& name, int day);

    std::unique_ptr<TestFolder> m_folder;
    TestFolder m_settings{TestFolder::Files{}, TestFolder::Enter::No};
    std::unique_ptr<CVemoApp> m_app;
    MessageBoxes::Log m_log;
};

void TestRoutineWindows::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    // The toolkit's own file dialogs, whatever the desktop offers, so that the test can press them.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QVERIFY(m_settings.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.Path());
}

void TestRoutineWindows::init() {
    m_folder = std::make_unique<TestFolder>();
    QVERIFY(m_folder->isValid());
    WriteData();
    // Today's edition: the term of payment may stay empty.
    QSettings settings(QString::fromLatin1(CVemoApp::kRegistryKey),
                       QString::fromLatin1(CVemoApp::kAppName));
    FormEditions::Remember(settings, FormEdition::Current);
    m_log = MessageBoxes::Log();
    MessageBoxes::SetTestLog(&m_log);
}

void TestRoutineWindows::cleanup() {
    m_app.reset();
    MessageBoxes::SetTestLog(nullptr);
    m_folder.reset();
}

void TestRoutineWindows::StartAt(const char* today) {
    m_app = std::make_unique<CVemoApp>();
    QVERIFY(m_app->InitInstance(WorkingFolder(), Clock::FixedAt(Day(today))));
}

void TestRoutineWindows::SaveAsTemplate(COrderArchiveDlg* archive, int row, const QString& name,
                                        int day) {
    archive->SelectRow(row);
    bool asked = false;
    WhenModalShows<CTemplateDlg>(archive, &asked, [&](CTemplateDlg* dialog) {
        TypeOver(dialog->findChild<QLineEdit*>("name"), name);
        QTest::mouseClick(dialog->findChild<QRadioButton*>("monthly"), Qt::LeftButton);
        auto* days = dialog->findChild<QComboBox*>("day");
        days->setCurrentIndex(days->findData(day));
        ClickButton(dialog, QStringLiteral("OK"));
    });
    ClickButton(archive, QStringLiteral("Сохранить как шаблон"));
    QVERIFY(asked);
}

// December's orders kept as monthly templates; a start on 12 January offers January's payments in
// one list: one is made there and stored with its period moved, the list is closed, and the
// archive, as it opens, offers the other, no longer new, which is skipped; then neither again.
void TestRoutineWindows::templateFallsDueAMonthLater() {
    QObject watch;
    StartAt("2026-12-04");
    bool opened = false;
    WhenModalShows<COrderArchiveDlg>(&watch, &opened, [this](COrderArchiveDlg* archive) {
        SaveAsTemplate(archive, 0, QStringLiteral("Аренда"), 5);
        SaveAsTemplate(archive, 1, QStringLiteral("Сайт"), 10);
    });
    MenuAction(m_app->MainFrame()->menuBar(), "&Архив", "&Платежные поручения")->trigger();
    QVERIFY(opened);
    QCOMPARE(m_log.Texts(), (QStringList{"Шаблон «Аренда» сохранен (ежемесячно, 5-го числа)",
                                         "Шаблон «Сайт» сохранен (ежемесячно, 10-го числа)"}));
    m_app.reset();

    // The start a month later: both fell due on the last working day before the New Year's days.
    const auto offered = [](CDuePaymentsDlg* list) {
        return LabelsStartingWith(list, QStringLiteral("Пора платить")) +
               LabelsStartingWith(list, QStringLiteral("срок"));
    };
    const auto outcomes = [](CDuePaymentsDlg* list) {
        return LabelsStartingWith(list, QString())
            .filter(QRegularExpression("^(создано|пропущено)"));
    };
    bool listed = false;
    QStringList atStart;
    QStringList made;
    QStringList madeOutcome;
    WhenModalShows<CDuePaymentsDlg>(&watch, &listed, [&](CDuePaymentsDlg* list) {
        atStart = offered(list);
        bool edited = false;
        WhenModalShows<COrderDlg>(list, &edited, [&made](COrderDlg* order) {
            made = QStringList{order->findChild<QLineEdit*>("number")->text(),
                               order->findChild<QDateEdit*>("date")->date().toString(Qt::ISODate),
                               order->findChild<WrappedLineEdit*>("basis")->text()};
            ClickButton(order, QStringLiteral("OK"));
        });
        QTest::mouseClick(list->MakeButton(0), Qt::LeftButton);
        QVERIFY(edited);
        madeOutcome = outcomes(list);
        ClickButton(list, QStringLiteral("Закрыть"));
    });
    StartAt("2027-01-12");
    QTRY_VERIFY(listed);
    QCOMPARE(atStart, (QStringList{"Пора платить: Аренда за январь 2027 — 185 000,00",
                                   "Пора платить: Сайт за январь 2027 — 2 500,00",
                                   "срок 31.12.2026, новый", "срок 31.12.2026, новый"}));
    QCOMPARE(made, (QStringList{"4", "2027-01-12",
                                "Аренда офиса за январь 2027 по договору № 12 от 01.02.2025"}));
    QCOMPARE(madeOutcome, QStringList{"создано поручение № 4"});

    // The archive offers the list as it opens, before it takes anything itself.
    bool listedAgain = false;
    bool reopened = false;
    QStringList atOpening;
    QStringList skipOutcome;
    int rows = 0;
    WhenModalShows<CDuePaymentsDlg>(&watch, &listedAgain, [&](CDuePaymentsDlg* list) {
        atOpening = offered(list);
        QTest::mouseClick(list->SkipButton(0), Qt::LeftButton);
        skipOutcome = outcomes(list);
    });
    WhenModalShows<COrderArchiveDlg>(&watch, &reopened,
                                     [&rows, &listedAgain](COrderArchiveDlg* archive) {
                                         rows = listedAgain ? archive->RowCount() : -1;
                                     });
    MenuAction(m_app->MainFrame()->menuBar(), "&Архив", "&Платежные поручения")->trigger();
    QVERIFY(listedAgain);
    QVERIFY(reopened);
    QCOMPARE(atOpening,
             (QStringList{"Пора платить: Сайт за январь 2027 — 2 500,00", "срок 31.12.2026"}));
    QCOMPARE(skipOutcome, QStringList{"пропущено"});
    QCOMPARE(rows, 4);
    QCOMPARE(m_log.Texts().size(), 2);  // nothing told but the two templates saved

    // Stored as the archive stores a new order, and recorded in the templates.
    OrderRow stored;
    QCOMPARE(WorkingFolder().ReadOrder(4, &stored), LineFile::ReadResult::Ok);
    QCOMPARE(stored, Order(4, Day("2027-01-12"), kPayer, kLandlord, "185000,00",
                           "Аренда офиса за январь 2027 по договору № 12 от 01.02.2025"));
    const TemplateList templates = TemplateStore().ReadAll();
    QCOMPARE(templates.templates.size(), 2);
    QCOMPARE(templates.templates.at(0).made, (QMap<QString, int>{{"2027-01", 4}}));
    QCOMPARE(templates.templates.at(1).skipped, QStringList{"2027-01"});

    // Neither is offered again, at the next start or when the archive opens.
    m_app.reset();
    bool again = false;
    WhenModalShows<CDuePaymentsDlg>(&watch, &again, [](CDuePaymentsDlg*) {});
    StartAt("2027-01-12");
    bool third = false;
    WhenModalShows<COrderArchiveDlg>(&watch, &third, [](COrderArchiveDlg*) { QTest::qWait(200); });
    MenuAction(m_app->MainFrame()->menuBar(), "&Архив", "&Платежные поручения")->trigger();
    QVERIFY(third);
    QVERIFY(!again);
}

// "Создать по шаблону": the next number, today's date and the period of today's month; a name
// that is taken is refused with the dialog left open; a template deleted is gone.
void TestRoutineWindows::repeatOfferedFromTheMonthAfterTheOrder_data() {
    QTest::addColumn<QString>("today");
    QTest::addColumn<QDate>("first");
    QTest::newRow("last month's order: this month") << "2027-01-12" << Day("2027-01-01");
    QTest::newRow("this month's order: the next") << "2026-12-20" << Day("2027-01-01");
    QTest::newRow("an order of long ago: this month, not a year of payments due")
        << "2027-09-03" << Day("2027-09-01");
}

// The first payment "Сохранить как шаблон" offers for an order of December.
void TestRoutineWindows::repeatOfferedFromTheMonthAfterTheOrder() {
    QFETCH(QString, today);
    QFETCH(QDate, first);
    QObject watch;
    StartAt(today.toLatin1().constData());
    QDate offered;
    bool opened = false;
    WhenModalShows<COrderArchiveDlg>(&watch, &opened, [&offered](COrderArchiveDlg* archive) {
        archive->SelectRow(0);
        bool asked = false;
        WhenModalShows<CTemplateDlg>(archive, &asked, [&offered](CTemplateDlg* dialog) {
            offered = dialog->findChild<QDateEdit*>("first")->date();
            dialog->reject();
        });
        ClickButton(archive, QStringLiteral("Сохранить как шаблон"));
    });
    MenuAction(m_app->MainFrame()->menuBar(), "&Архив", "&Платежные поручения")->trigger();
    QVERIFY(opened);
    QCOMPARE(offered, first);
}

void TestRoutineWindows::orderFromATemplate() {
    OrderTemplate added;
    QString error;
    QVERIFY(TemplateStore().Add(QStringLiteral("Сайт"), WorkingFolder().ReadOrders().rows.at(1),
                                Recurrence(), Day("2026-12-04"), &added, &error));
    CVemoDoc doc;
    COrderArchiveDlg archive(doc, WorkingFolder());
    archive.SetFormPaper(FormEdition::Current);
    archive.SetClock(Clock::FixedAt(Day("2027-03-02")));
    archive.show();
    QVERIFY(QTest::qWaitForWindowExposed(&archive));

    // The same name again, in other letters: refused, and the dialog stays for another.
    archive.SelectRow(2);
    bool named = false;
    QStringList toldWhileOpen;
    WhenModalShows<CTemplateDlg>(&archive, &named, [&](CTemplateDlg* dialog) {
        TypeOver(dialog->findChild<QLineEdit*>("name"), QStringLiteral("САЙТ"));
        ClickButton(dialog, QStringLiteral("OK"));
        toldWhileOpen = m_log.Texts();
        QVERIFY(dialog->isVisible());
    });
    ClickButton(&archive, QStringLiteral("Сохранить как шаблон"));
    QVERIFY(named);
    QCOMPARE(toldWhileOpen, QStringList{"Шаблон «Сайт» уже есть"});

    // The order dialog opens once the template is chosen and its window gone.
    bool chosen = false;
    bool edited = false;
    QStringList made;
    WhenModalShows<CTemplatesDlg>(&archive, &chosen, [](CTemplatesDlg* templates) {
        ClickButton(templates, QStringLiteral("Создать"));
    });
    WhenModalShows<COrderDlg>(&archive, &edited, [&made](COrderDlg* order) {
        made = QStringList{order->findChild<QLineEdit*>("number")->text(),
                           order->findChild<QDateEdit*>("date")->date().toString(Qt::ISODate),
                           order->findChild<WrappedLineEdit*>("basis")->text()};
        ClickButton(order, QStringLiteral("OK"));
    });
    ClickButton(&archive, QStringLiteral("Создать по шаблону"));
    QVERIFY(chosen);
    QVERIFY(edited);
    QCOMPARE(made, (QStringList{"4", "2027-03-02", "Обслуживание сайта за март 2027"}));
    QCOMPARE(archive.RowCount(), 4);
    QCOMPARE(archive.RowAt(3)[kColumnRecipient], kPrinter);

    // Deleted after "Да": nothing is left to choose from.
    m_log.answers = {true};
    bool deleting = false;
    WhenModalShows<CTemplatesDlg>(&archive, &deleting, [](CTemplatesDlg* templates) {
        ClickButton(templates, QStringLiteral("Удалить"));
        QVERIFY(templates->Templates().templates.isEmpty());
    });
    ClickButton(&archive, QStringLiteral("Создать по шаблону"));
    QVERIFY(deleting);
    QVERIFY(!QFileInfo::exists(TemplateStore::FileName(added.id)));
    QCOMPARE(m_log.Texts().last(), QStringLiteral("Удалить шаблон «Сайт»?"));
}

// The orders the search shows, saved by "Реестр…" as CSV through the file dialog's filter, are the
// same file byte for byte as --register writes of them, and read back as a spreadsheet reads it.
void TestRoutineWindows::registerSavedByTheArchiveAndTheCommandLine() {
    CVemoDoc doc;
    COrderArchiveDlg archive(doc, WorkingFolder());
    archive.SetClock(Clock::FixedAt(Day("2026-12-07")));
    archive.show();
    QVERIFY(QTest::qWaitForWindowExposed(&archive));
    TypeOver(archive.findChild<QLineEdit*>("search"), QStringLiteral("альфа"));

    // The file dialog opens once the register's own window is gone.
    bool asked = false;
    bool saving = false;
    QString summary;
    WhenModalShows<CRegisterDlg>(&archive, &asked, [&summary](CRegisterDlg* dialog) {
        summary = dialog->findChild<QLabel*>("summary")->text();
        ClickButton(dialog, QStringLiteral("Сохранить в файл…"));
    });
    WhenModalShows<QFileDialog>(&archive, &saving, [](QFileDialog* save) {
        // The user picks the spreadsheet's type from the list of types.
        auto* types = save->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        types->setFocus();
        QTest::keyClick(types, Qt::Key_Down);
        QCOMPARE(save->findChild<QLineEdit*>("fileNameEdit")->text(),
                 QStringLiteral("Реестр 2026-12-07.csv"));
        ChooseInFileDialog(save, QStringLiteral("window"));
    });
    ClickButton(&archive, QStringLiteral("Реестр…"));
    QVERIFY(asked);
    QVERIFY(saving);
    QCOMPARE(summary, QStringLiteral("В реестр войдут все платежные поручения, показанные в "
                                     "списке.\nВсего: 2 поручения.\nСумма: 186 017,05 руб."));
    QCOMPARE(m_log.Texts(),
             QStringList{"Реестр сохранен в файл " + m_folder->FilePath("window.csv")});

    const VemoRun cli =
        RunVemo({"--register", "cli.csv", "--order", "1", "--order", "3", "--today=2026-12-07"});
    QVERIFY(cli.finished);
    QCOMPARE(cli.exitCode, 0);
    QCOMPARE(cli.err, QString());
    const QByteArray written = m_folder->Read("cli.csv");
    QCOMPARE(m_folder->Read("window.csv"), written);
    const QString otherPayer = QStringLiteral("АО \"Волжская мебельная фабрика\"");
    const QList<QStringList> expected = {
        {"№", "Дата", "Плательщик", "Получатель", "Назначение платежа", "Сумма", "Состояние"},
        {"1", "04.12.2026", kPayer, kLandlord,
         "Аренда офиса за декабрь 2026 по договору № 12 от 01.02.2025", "185000,00", ""},
        {"3", "07.12.2026", otherPayer, kLandlord, "Предоплата; без НДС", "1017,05", ""},
        {""},
        {"", "", kPayer, "Итого по плательщику: 1 поручение", "", "185000,00", ""},
        {"", "", otherPayer, "Итого по плательщику: 1 поручение", "", "1017,05", ""},
        {"", "", "", "Всего: 2 поручения", "", "186017,05", ""},
    };
    QCOMPARE(ReadCsv(Cp1251::Decode(written)), expected);
}

// The chosen order alone, printed to a PDF file through the print dialog.
void TestRoutineWindows::registerOfTheChosenPrinted() {
    VEMO_SKIP_WITHOUT_PDF_TOOLS();
    CVemoDoc doc;
    COrderArchiveDlg archive(doc, WorkingFolder());
    archive.SetClock(Clock::FixedAt(Day("2026-12-07")));
    archive.show();
    QVERIFY(QTest::qWaitForWindowExposed(&archive));
    archive.SelectRow(1);

    bool asked = false;
    bool printing = false;
    QString summary;
    WhenModalShows<CRegisterDlg>(&archive, &asked, [&summary](CRegisterDlg* dialog) {
        summary = dialog->findChild<QLabel*>("summary")->text();
        ClickButton(dialog, QStringLiteral("Напечатать…"));
    });
    const QString pdf = m_folder->FilePath("printed.pdf");
    WhenModalShows<QPrintDialog>(&archive, &printing, [pdf](QPrintDialog* dialog) {
        dialog->findChild<QLineEdit*>("filename")->setText(pdf);
        dialog->accept();
    });
    ClickButton(&archive, QStringLiteral("Реестр…"));
    QVERIFY(asked);
    QVERIFY(printing);
    QVERIFY2(summary.startsWith(QStringLiteral("В реестр войдут выбранные платежные поручения.\n"
                                               "Всего: 1 поручение.")),
             qPrintable(summary));
    QString size;
    QCOMPARE(PdfPages(pdf, &size), 1);
    const QString text = PdfTextInDrawingOrder(pdf);
    for (const QString& expected : {QStringLiteral("Реестр платежных поручений от 07.12.2026"),
                                    QStringLiteral("Обслуживание сайта за декабрь 2026"),
                                    QStringLiteral("Всего: 1 поручение 2 500,00")}) {
        QVERIFY2(text.contains(expected), qPrintable(text));
    }
    QVERIFY(!text.contains(kLandlord));
}

// A copy written by --backup, restored over changed data through Файл → "Восстановить из
// копии…", brings back every file byte for byte and keeps the changed data as a copy; "Сохранить
// копию данных…" names its copies by the day and never replaces one.
void TestRoutineWindows::backupRestoredThroughTheWindow() {
    OrderTemplate added;
    QString error;
    QVERIFY(TemplateStore().Add(QStringLiteral("Аренда"), WorkingFolder().ReadOrders().rows.at(0),
                                Recurrence(), Day("2026-12-04"), &added, &error));
    QVERIFY(m_folder->Write("Bank/kl_to_1c_2026-12-09_09-05-41.txt", "1CClientBankExchange\r\n"));
    const QMap<QString, QByteArray> before = DataSnapshot(QStringLiteral("."));
    const VemoRun backup = RunVemo({"--backup", "copy.zip", "--today=2026-12-09"});
    QVERIFY(backup.finished);
    QCOMPARE(backup.exitCode, 0);
    QCOMPARE(backup.err, QString());

    // The data changes: a book rewritten, an order gone and one added, the templates gone,
    // another statement kept.
    QVERIFY(m_folder->Write("pltRecv.dat", "changed\r\n"));
    QVERIFY(QFile::remove("Vemo/vemo.2"));
    QVERIFY(m_folder->Write("Vemo/vemo.9", "   9\r\n"));
    QVERIFY(QDir("Templates").removeRecursively());
    QVERIFY(m_folder->Write("Bank/kl_to_1c_2026-12-10_09-00-00.txt", "1CClientBankExchange\r\n"));
    const QMap<QString, QByteArray> changed = DataSnapshot(QStringLiteral("."));
    QVERIFY(changed != before);

    StartAt("2026-12-10");
    QMenuBar* menu = m_app->MainFrame()->menuBar();
    QObject watch;
    bool chosen = false;
    WhenModalShows<QFileDialog>(&watch, &chosen, [this](QFileDialog* dialog) {
        ChooseInFileDialog(dialog, m_folder->FilePath("copy.zip"));
    });
    MenuAction(menu, "&Файл", "Восст&ановить из копии…")->trigger();
    QVERIFY(chosen);
    QCOMPARE(m_log.entries.size(), 2);
    QVERIFY2(m_log.entries.at(0).text.startsWith("Копия данных от 09.12.2026 "),
             qPrintable(m_log.entries.at(0).text));
    QVERIFY2(
        m_log.entries.at(0).text.contains("шаблоны: 1 файл\nвыгрузки в банк и выписки: 1 файл"),
        qPrintable(m_log.entries.at(0).text));
    QVERIFY2(m_log.entries.at(1).text.startsWith("Данные восстановлены из копии от 09.12.2026"),
             qPrintable(m_log.entries.at(1).text));
    QCOMPARE(DataSnapshot(QStringLiteral(".")), before);
    const QStringList kept = QDir("Backups").entryList(QDir::Files);
    QCOMPARE(kept.size(), 1);
    QVERIFY(m_log.entries.at(1).text.endsWith(kept.first()));

    // Two copies of one day into the folder chosen: the second beside the first.
    QVERIFY(m_folder->Write("copies/", {}));
    for (int i = 0; i < 2; ++i) {
        bool into = false;
        WhenModalShows<QFileDialog>(&watch, &into, [this](QFileDialog* dialog) {
            ChooseInFileDialog(dialog, m_folder->FilePath("copies"));
        });
        MenuAction(menu, "&Файл", "Сохранить &копию данных…")->trigger();
        QVERIFY(into);
    }
    QCOMPARE(QDir("copies").entryList(QDir::Files),
             (QStringList{"vemo-2026-12-10-2.zip", "vemo-2026-12-10.zip"}));
    QCOMPARE(m_folder->Read("copies/vemo-2026-12-10.zip").size(),
             m_folder->Read("copies/vemo-2026-12-10-2.zip").size());
}

QTEST_MAIN(TestRoutineWindows)
#include "tst_routinewindows.moc"
