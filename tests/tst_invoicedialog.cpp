// An order made from a supplier's invoice through the windows: "Создать по счету…" in the orders
// archive with a PDF from the downloads folder, the recipient added through the record dialog, the
// VAT line, OK; an invoice's picture dropped on the order dialog of a stored order; the code's text
// from the clipboard.
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "DialogDriver.h"
#include "InvoiceExamples.h"
#include "InvoicePages.h"
#include "TestEnvironment.h"
#include "TestFolder.h"
#include "form/CVemoDoc.h"
#include "invoice/VatLine.h"
#include "orders/OrderFiles.h"
#include "orders/OrderTexts.h"
#include "orderwindows/BudgetFieldsBox.h"
#include "orderwindows/COrderArchiveDlg.h"
#include "orderwindows/COrderDlg.h"
#include "requisites/CRequisitesDlg.h"
#include "requisites/RequisitesFile.h"
#include "widgets/MessageBoxes.h"
#include "widgets/WrappedLineEdit.h"

namespace {

// The invoice the tests pay: paper for ООО «Ромашка», 54 000,00 roubles, to the supplier's new
// account at the same bank.
const QString kPaperInvoice = QStringLiteral(
    "ST00012|Name=ООО «Три сосны»|PersonalAcc=40702810438000077123|BankName=ПАО Сбербанк|"
    "BIC=044525225|CorrespAcc=30101810400000000225|PayeeINN=7704123450|KPP=770401001|"
    "Sum=5400000|Purpose=Оплата по счету № 118 от 02.03.2026 за бумагу офисную А4|"
    "PayerINN=7728123459");

CRequisite Record(const char* name, const char* innKpp, const char* bik, const char* account1,
                  const char* account2) {
    CRequisite record;
    record.m_strName = QString::fromUtf8(name);
    record.m_strBank = QStringLiteral("ПАО СБЕРБАНК, г Москва");
    record.m_strInnKpp = QString::fromUtf8(innKpp);
    record.m_strBik = QString::fromUtf8(bik);
    record.m_strAccount1 = QString::fromUtf8(account1);
    record.m_strAccount2 = QString::fromUtf8(account2);
    return record;
}

const CRequisite kRomashka = Record("ООО «Ромашка»", "7728123459/772801001", "044525225",
                                    "40702810938000012345", "30101810400000000225");
const CRequisite kLyutik = Record("ООО «Лютик»", "5024000009/502401001", "044525225",
                                  "40702810538000054321", "30101810400000000225");
// The supplier as the book knew it, with its old account.
const CRequisite kOldPines = Record("ООО «Три сосны»", "7704123450/770401001", "044525225",
                                    "30101810400000000225", "40702810938000099999");
// The tax office of the budget example, under a name of the user's own.
const CRequisite kTaxOffice =
    Record("ИФНС № 1 Москва", "7701107259/770101001", "044583001", "", "40101810800000010041");

BikDirectory Directory() {
    BikDirectory::Participant sber;
    sber.bik = QStringLiteral("044525225");
    sber.name = QStringLiteral("ПАО СБЕРБАНК");
    sber.settlementType = QStringLiteral("г");
    sber.settlement = QStringLiteral("Москва");
    sber.accounts.append({QStringLiteral("30101810400000000225"), QStringLiteral("CRSA"), {}});
    BikDirectory directory;
    directory.SetDate(QDate(2026, 12, 8));
    directory.Add(sber);
    return directory;
}

OrderRow StoredOrder(const CRequisite& payer, const CRequisite& recipient) {
    OrderRow row;
    row[kColumnNumber] = OrderTexts::NumberText(1);
    row[kColumnDate] = OrderTexts::DateText(QDate::currentDate().addDays(-20));
    row[kColumnPayer] = payer.m_strName;
    row[kColumnRecipient] = recipient.m_strName;
    row[kColumnAmount] = QStringLiteral("100,00");
    row[kColumnBasis] = QStringLiteral("Оплата по счету № 17");
    row[kColumnPaymentKind] = QStringLiteral("01");
    row[kColumnPriority] = QStringLiteral("5");
    return row;
}

QString Chosen(const QListWidget* list) {
    const QList<QListWidgetItem*> chosen = list->selectedItems();
    return chosen.isEmpty() ? QString() : chosen.first()->text();
}

QString Text(QWidget* window, const char* name) {
    if (auto* purpose = window->findChild<WrappedLineEdit*>(QLatin1String(name))) {
        return purpose->text();
    }
    return window->findChild<QLineEdit*>(QLatin1String(name))->text();
}

QString Summary(COrderDlg* dialog) {
    auto* line = dialog->findChild<QLabel*>(QStringLiteral("invoiceSummary"));
    return line && line->isVisible() ? QTextDocumentFragment::fromHtml(line->text()).toPlainText()
                                     : QString();
}

// Clicks the entry of the menu that pops up next, once it is up, as the user does.
void WhenMenuPopsUp(QObject* context, const QString& entry, bool* chosen, int triesLeft = 300) {
    QTimer::singleShot(10, context, [=] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            if (triesLeft > 0) {
                WhenMenuPopsUp(context, entry, chosen, triesLeft - 1);
            }
            return;
        }
        for (QAction* action : menu->actions()) {
            if (action->text() == entry) {
                *chosen = true;
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                return;
            }
        }
        menu->close();
    });
}

// Hands the order dialog to the handler once it is up and its recipient chosen, which ends its
// filling from an invoice, and closes it if the handler leaves it open.
void WhenOrderFilled(QObject* context, bool* seen, const std::function<void(COrderDlg*)>& handle,
                     int triesLeft = 1000) {
    QTimer::singleShot(10, context, [=] {
        auto* order = qobject_cast<COrderDlg*>(QApplication::activeModalWidget());
        if (!order || Chosen(order->m_lbRecipients).isEmpty()) {
            if (triesLeft > 0) {
                WhenOrderFilled(context, seen, handle, triesLeft - 1);
            }
            return;
        }
        *seen = true;
        handle(order);
        if (order->isVisible()) {
            order->close();
        }
    });
}

// Closes every modal window that comes up while the context lives, noting that one came.
void CloseEveryModal(QObject* context, bool* came) {
    auto* timer = new QTimer(context);
    QObject::connect(timer, &QTimer::timeout, [came] {
        if (QWidget* window = QApplication::activeModalWidget()) {
            *came = true;
            window->close();
        }
    });
    timer->start(10);
}

}  // namespace

class TestInvoiceDialog : public QObject {
    Q_OBJECT
public:
    static void initMain() { UseOffscreenPlatformUnlessSet(); }

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void orderFromAnInvoicePdf();
    void invoiceDroppedOnAStoredOrder();
    void codeFromTheClipboard();

private:
    // A home of the test's own, whose downloads folder the invoices come to.
    QTemporaryDir m_home;
    QString m_downloads;
    std::unique_ptr<TestFolder> m_folder;
    MessageBoxes::Log m_log;
    CVemoDoc m_doc;
};

void TestInvoiceDialog::initTestCase() {
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qunsetenv("XDG_CONFIG_HOME");
    m_downloads = QDir(m_home.path()).filePath(QStringLiteral("Downloads"));
    QVERIFY(QDir().mkpath(m_downloads));
    QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::DownloadLocation), m_downloads);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_home.path());
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

void TestInvoiceDialog::init() {
    m_log = MessageBoxes::Log();
    MessageBoxes::SetTestLog(&m_log);
    m_folder = std::make_unique<TestFolder>(TestFolder::Files{{"Vemo/", {}}});
    QVERIFY(m_folder->isValid());
    QSettings().clear();  // no VAT rate remembered
}

void TestInvoiceDialog::cleanup() {
    MessageBoxes::SetTestLog(nullptr);
    m_folder.reset();
}

// The user's road: the invoice PDF in the downloads folder, the supplier in the book with its old
// account, two companies paying, the last order paid by the other one.
void TestInvoiceDialog::orderFromAnInvoicePdf() {
    QVERIFY(RequisitesFile::Write("pltRecv.dat", {kRomashka, kLyutik}));
    QVERIFY(RequisitesFile::Write("polRecv.dat", {kOldPines}));
    QVERIFY(OrderFiles::SaveOrder(1, StoredOrder(kLyutik, kOldPines)));
    QVERIFY(InvoicePages::WritePdf(QDir(m_downloads).filePath(QStringLiteral("Счет 118.pdf")),
                                   InvoicePages::CodeImage(InvoiceExamples::Bytes(kPaperInvoice)),
                                   {}));

    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(FormEdition::Current);
    archive.SetBikDirectory(Directory());
    archive.show();

    bool fromFile = false;
    bool fileChosen = false;
    int recordShown = 0;
    bool orderSeen = false;
    WhenMenuPopsUp(&archive, QStringLiteral("Файл счета (PNG, JPEG, PDF)…"), &fromFile);
    WhenModalShows<QFileDialog>(&archive, &fileChosen, [&](QFileDialog* dialog) {
        QCOMPARE(dialog->directory().absolutePath(), m_downloads);
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(QStringLiteral("Счет 118.pdf"));
        auto* box = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        QTest::mouseClick(box->button(QDialogButtonBox::Open), Qt::LeftButton);
    });
    // The record dialog comes up filled from the code, the bank's details from the directory;
    // the supplier's name is taken, so it comes again for another.
    bool againSeen = false;
    std::function<void(CRequisitesDlg*)> addRecipient = [&](CRequisitesDlg* record) {
        ++recordShown;
        QCOMPARE(Text(record, "editName"), QStringLiteral("ООО «Три сосны»"));
        QCOMPARE(Text(record, "editBank"), QStringLiteral("ПАО СБЕРБАНК, г Москва"));
        QCOMPARE(Text(record, "editInnKpp"), QStringLiteral("7704123450/770401001"));
        QCOMPARE(Text(record, "editBik"), QStringLiteral("044525225"));
        QCOMPARE(Text(record, "editAccount1"), QStringLiteral("30101810400000000225"));
        QCOMPARE(Text(record, "editAccount2"), QStringLiteral("40702810438000077123"));
        if (recordShown == 1) {
            WhenModalShows<CRequisitesDlg>(&archive, &againSeen, addRecipient);
            ClickButton(record, QStringLiteral("OK"));
            return;
        }
        TypeOver(record->findChild<QLineEdit*>(QStringLiteral("editName")),
                 QStringLiteral("ООО «Три сосны» (новый счет)"));
        ClickButton(record, QStringLiteral("OK"));
    };
    bool recordSeen = false;
    WhenModalShows<CRequisitesDlg>(&archive, &recordSeen, addRecipient);
    WhenOrderFilled(&archive, &orderSeen, [&](COrderDlg* order) {
        QCOMPARE(recordShown, 2);
        QCOMPARE(Chosen(order->m_lbRecipients), QStringLiteral("ООО «Три сосны» (новый счет)"));
        QCOMPARE(Text(order, "amount"), QStringLiteral("54000,00"));
        QCOMPARE(Text(order, "basis"),
                 QStringLiteral("Оплата по счету № 118 от 02.03.2026 за бумагу офисную А4"));
        QCOMPARE(Text(order, "number"), QStringLiteral("2"));
        // Never the code's payer: the one of the last order, and word that the code names
        // another.
        QCOMPARE(Chosen(order->m_lbPayers), kLyutik.m_strName);
        QCOMPARE(Summary(order),
                 QStringLiteral("Из QR-кода: получатель, счет, ИНН, КПП, БИК, сумма, основание; "
                                "из справочника БИК: банк, корр. счет.\n"
                                "В QR-коде ИНН плательщика 7728123459, а у выбранного "
                                "плательщика «ООО «Лютик»» ИНН 5024000009: проверьте, тот ли "
                                "плательщик выбран."));
        order->m_lbPayers->setCurrentRow(0);
        QVERIFY(!Summary(order).contains(QStringLiteral("ИНН плательщика")));

        // НДС at the general rate, then another rate from its menu, which replaces the line.
        auto* vat = order->findChild<QToolButton*>(QStringLiteral("vat"));
        QTest::mouseClick(vat, Qt::LeftButton, {}, QPoint(4, vat->height() / 2));
        QCOMPARE(Text(order, "basis"),
                 QStringLiteral("Оплата по счету № 118 от 02.03.2026 за бумагу офисную А4. "
                                "В т.ч. НДС 22 % — 9737,70 руб."));
        bool rateChosen = false;
        WhenMenuPopsUp(order, QStringLiteral("НДС 10 %"), &rateChosen);
        QTest::mouseClick(vat, Qt::LeftButton, {}, QPoint(vat->width() - 3, vat->height() / 2));
        QVERIFY(rateChosen);
        QCOMPARE(Text(order, "basis"),
                 QStringLiteral("Оплата по счету № 118 от 02.03.2026 за бумагу офисную А4. "
                                "В т.ч. НДС 10 % — 4909,09 руб."));
        ClickButton(order, QStringLiteral("OK"));
    });
    ClickButton(&archive, QStringLiteral("Создать по счету…"));
    QVERIFY(fromFile);
    QVERIFY(fileChosen);
    QVERIFY(orderSeen);
    QCOMPARE(m_log.Texts(),
             QStringList{QStringLiteral("В реквизитах получателя уже есть «ООО «Три сосны»». "
                                        "Дайте новому получателю другое наименование.")});

    // The order and the recipient are written; the next press of НДС takes the rate last used.
    OrderRow stored;
    QCOMPARE(WorkingFolder().ReadOrder(2, &stored), LineFile::ReadResult::Ok);
    QCOMPARE(stored[kColumnPayer], kRomashka.m_strName);
    QCOMPARE(stored[kColumnRecipient], QStringLiteral("ООО «Три сосны» (новый счет)"));
    QCOMPARE(stored[kColumnAmount], QStringLiteral("54000,00"));
    QVERIFY(stored[kColumnBasis].endsWith(QStringLiteral("В т.ч. НДС 10 % — 4909,09 руб.")));
    const AddressBooks books = WorkingFolder().ReadBooks();
    QCOMPARE(books.recipients.Count(), 2);
    QCOMPARE(books.recipients.At(1).m_strName, QStringLiteral("ООО «Три сосны» (новый счет)"));
    QCOMPARE(AccountsOf(books.recipients.At(1), kRecipientsKind).own,
             QStringLiteral("40702810438000077123"));
    QCOMPARE(archive.RowAt(archive.CurrentRow()), stored);
    QCOMPARE(VatLine::RememberedRate(QSettings()), 10);
}

// A tax's invoice dropped, as a file from a file manager, on the amount of a stored order: the
// recipient found in the book by INN and account under the book's own name, the payer kept, the
// budget fields filled and shown; the file's path never lands in the field.
void TestInvoiceDialog::invoiceDroppedOnAStoredOrder() {
    QVERIFY(RequisitesFile::Write("pltRecv.dat", {kLyutik, kRomashka}));
    QVERIFY(RequisitesFile::Write("polRecv.dat", {kOldPines, kTaxOffice}));
    const QString picture = m_folder->FilePath(QStringLiteral("tax.png"));
    QVERIFY(InvoicePages::PageImage(
                InvoicePages::CodeImage(InvoiceExamples::Bytes(InvoiceExamples::BudgetKeys())), 150)
                .save(picture));

    COrderDlg order(WorkingFolder().ReadBooks());
    order.SetRow(StoredOrder(kRomashka, kOldPines));
    order.SetAddRecipient([](const CRequisite&, QString*) { return false; });
    order.SetLastPayer(kLyutik.m_strName);
    order.OnInitDialog();
    order.show();
    QVERIFY(QTest::qWaitForWindowExposed(&order));

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(picture)});
    data.setText(picture);  // as file managers offer it besides
    QLineEdit* amount = order.findChild<QLineEdit*>(QStringLiteral("amount"));
    const QPoint inside = amount->rect().center();
    QDragEnterEvent enter(inside, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(amount, &enter);
    QVERIFY(enter.isAccepted());
    bool recordShown = false;  // the book has the recipient: no record to add
    WhenModalShows<CRequisitesDlg>(&order, &recordShown, [](CRequisitesDlg*) {});
    QDropEvent drop(inside, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(amount, &drop);
    QVERIFY(drop.isAccepted());

    QTRY_COMPARE(amount->text(), QStringLiteral("15000,00"));
    QVERIFY(!recordShown);
    QCOMPARE(Chosen(order.m_lbRecipients), kTaxOffice.m_strName);
    QCOMPARE(Chosen(order.m_lbPayers), kRomashka.m_strName);
    QCOMPARE(Text(&order, "basis"), QStringLiteral("НДС за январь 2014"));
    auto* budget = order.findChild<BudgetFieldsBox*>();
    QVERIFY(budget->isVisible());
    OrderRow fields;
    budget->TakeFields(&fields);
    QCOMPARE(fields[kColumnStatus], QStringLiteral("01"));
    QCOMPARE(fields[kColumnKbk], QStringLiteral("18210301000011000110"));
    QCOMPARE(fields[kColumnTaxPeriod], QStringLiteral("МС.01.2014"));
    QCOMPARE(fields[kColumnTaxType], QStringLiteral("НС"));
    // The code's payer is the one chosen: nothing said of it; the obsolete field 110 is.
    const QString summary = Summary(&order);
    QVERIFY2(summary.contains(QStringLiteral("Тип платежа (110) «НС» взят из QR-кода")),
             qPrintable(summary));
    QVERIFY2(!summary.contains(QStringLiteral("ИНН плательщика")), qPrintable(summary));
    QVERIFY(m_log.entries.isEmpty());
}

// The code's text copied from a bill's site: a link is refused over the archive, and no order is
// begun; the code proper finds its recipient's details in the book under a name an earlier record
// also bears, which the order would take instead, so no recipient is chosen and the user is told.
void TestInvoiceDialog::codeFromTheClipboard() {
    CRequisite newPines = kOldPines;
    newPines.m_strAccount2 = QStringLiteral("40702810438000077123");
    QVERIFY(RequisitesFile::Write("pltRecv.dat", {kRomashka}));
    QVERIFY(RequisitesFile::Write("polRecv.dat", {kOldPines, newPines}));
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.show();

    bool chosen = false;
    {
        QObject watch;  // for the order dialog that must not come
        bool begun = false;
        CloseEveryModal(&watch, &begun);
        QApplication::clipboard()->setText(QStringLiteral("https://example.ru/pay?invoice=118"));
        WhenMenuPopsUp(&archive, QStringLiteral("Из буфера обмена"), &chosen);
        ClickButton(&archive, QStringLiteral("Создать по счету…"));
        QVERIFY(chosen);
        QVERIFY(!begun);
    }
    QCOMPARE(m_log.Texts(), QStringList{QStringLiteral("Это не платежный QR-код, а ссылка на сайт "
                                                       "«https://example.ru/pay?invoice=118».")});

    m_log.entries.clear();
    QApplication::clipboard()->setText(kPaperInvoice);
    bool orderSeen = false;
    WhenMenuPopsUp(&archive, QStringLiteral("Из буфера обмена"), &chosen);
    WhenModalShows<COrderDlg>(&archive, &orderSeen, [](COrderDlg* order) {
        QTRY_COMPARE(Text(order, "amount"), QStringLiteral("54000,00"));
        QCOMPARE(Chosen(order->m_lbRecipients), QString());
        QCOMPARE(Chosen(order->m_lbPayers), kRomashka.m_strName);  // the only one
    });
    ClickButton(&archive, QStringLiteral("Создать по счету…"));
    QVERIFY(orderSeen);
    QCOMPARE(m_log.Texts(),
             QStringList{QStringLiteral(
                 "Получатель из QR-кода записан в реквизитах получателя под наименованием "
                 "«ООО «Три сосны»», но выше стоит другая запись с тем же наименованием, и "
                 "платежка взяла бы ее реквизиты. Переименуйте одну из них в архиве реквизитов "
                 "получателя.")});
    QCOMPARE(archive.RowCount(), 0);
}

QTEST_MAIN(TestInvoiceDialog)
#include "tst_invoicedialog.moc"
