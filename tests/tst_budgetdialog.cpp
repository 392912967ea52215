// A payment to the budget and a wage payment made in the order dialog, as a user makes them:
// the ЕНП button, the budget group, the income-type code and the warnings at OK.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "DialogDriver.h"
#include "TestEnvironment.h"
#include "TestFolder.h"
#include "bank/BudgetPayment.h"
#include "common/Cp1251.h"
#include "form/CVemoDoc.h"
#include "orderwindows/COrderArchiveDlg.h"
#include "orderwindows/COrderDlg.h"
#include "requisites/RequisitesFile.h"
#include "widgets/MessageBoxes.h"
#include "widgets/WrappedLineEdit.h"

namespace {

CRequisite Payer() {
    CRequisite record;
    record.m_strName = QStringLiteral("ООО Ромашка");
    record.m_strInnKpp = QStringLiteral("7707083893/773601001");
    record.m_strBik = QStringLiteral("044525225");
    record.m_strAccount1 = QStringLiteral("40702810938000012345");
    record.m_strAccount2 = QStringLiteral("30101810400000000225");
    return record;
}

// A person paid wages: a recipients' book holds the bank's account first.
CRequisite Employee() {
    CRequisite record = Payer();
    record.m_strName = QStringLiteral("Соколова Анна Петровна");
    record.m_strInnKpp = QStringLiteral("500100732259");
    std::swap(record.m_strAccount1, record.m_strAccount2);
    return record;
}

QLineEdit* Edit(QWidget* dialog, const char* name) {
    return dialog->findChild<QLineEdit*>(QLatin1String(name));
}

WrappedLineEdit* Purpose(QWidget* dialog) {
    return dialog->findChild<WrappedLineEdit*>(QStringLiteral("basis"));
}

QComboBox* Combo(QWidget* dialog, const char* name) {
    return dialog->findChild<QComboBox*>(QLatin1String(name));
}

void Choose(QListWidget* list, const QString& name) {
    const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(name));
    list->setCurrentItem(found.first());
}

// What the older form asks for besides the parties and the amount.
// Today's rules leave the term (19) and the type of payment (5) empty.
void FillTheRest(COrderDlg* dialog) {
    Edit(dialog, "paymentTerm")->clear();
    Edit(dialog, "paymentType")->clear();
    Edit(dialog, "paymentKind")->setText(QStringLiteral("01"));
}

QStringList FileLines(const QString& path) {
    QStringList lines = Cp1251::Decode(ReadBytes(path)).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

}  // namespace

class TestBudgetDialog : public QObject {
    Q_OBJECT
public:
    static void initMain() { UseOffscreenPlatformUnlessSet(); }

private slots:
    void init();
    void cleanup();
    void singleTaxPaymentButton_data();
    void singleTaxPaymentButton();
    void warningsLeadBackToTheField();
    void wagesCarryTheIncomeType();

private:
    // Presses "Создать новую" in a fresh archive and hands the order dialog to the handler.
    void CreateOrder(const std::function<void(COrderDlg*)>& handle);

    std::unique_ptr<TestFolder> m_folder;
    MessageBoxes::Log m_log;
    CVemoDoc m_doc;
};

void TestBudgetDialog::init() {
    m_folder = std::make_unique<TestFolder>(TestFolder::Files{{"Vemo/", {}}});
    QVERIFY(m_folder->isValid());
    m_log = {};
    MessageBoxes::SetTestLog(&m_log);
    QVERIFY(RequisitesFile::Write("pltRecv.dat", {Payer()}));
}

void TestBudgetDialog::cleanup() {
    MessageBoxes::SetTestLog(nullptr);
    m_folder.reset();
}

void TestBudgetDialog::CreateOrder(const std::function<void(COrderDlg*)>& handle) {
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.show();
    WhenDialogOpens<COrderDlg>(handle);
    ClickButton(&archive, QStringLiteral("Создать новую"));
}

// "ЕНП" fills the payment and chooses the tax service, adding it to the book when asked to.
void TestBudgetDialog::singleTaxPaymentButton_data() {
    QTest::addColumn<bool>("inBook");
    QTest::addColumn<QList<bool>>("answers");  // to the offer to add the tax service
    QTest::addColumn<bool>("saved");
    QTest::newRow("the tax service is in the book") << true << QList<bool>{} << true;
    QTest::newRow("added when offered") << false << QList<bool>{true} << true;
    QTest::newRow("not added") << false << QList<bool>{false} << false;
}

void TestBudgetDialog::singleTaxPaymentButton() {
    QFETCH(bool, inBook);
    QFETCH(QList<bool>, answers);
    QFETCH(bool, saved);
    const CRequisite taxService = BudgetPayment::TaxServiceRecord();
    QVERIFY(RequisitesFile::Write("polRecv.dat", inBook ? CRequisiteArray{Employee(), taxService}
                                                        : CRequisiteArray{Employee()}));
    m_log.answers = answers;
    bool closedAtFirst = false;
    QStringList afterButton;
    CreateOrder([&](COrderDlg* dialog) {
        closedAtFirst = !dialog->findChild<QWidget*>("budget")->isVisible();
        Choose(dialog->m_lbPayers, Payer().m_strName);
        Edit(dialog, "amount")->setText(QStringLiteral("48 300,00"));
        FillTheRest(dialog);
        ClickButton(dialog, QStringLiteral("ЕНП"));
        afterButton =
            QStringList{dialog->findChild<QWidget*>("budget")->isVisible() ? "shown" : "hidden",
                        Combo(dialog, "status")->currentText(),
                        Edit(dialog, "kbk")->text(),
                        Edit(dialog, "oktmo")->text(),
                        Edit(dialog, "uin")->text(),
                        Edit(dialog, "priority")->text(),
                        Purpose(dialog)->text(),
                        dialog->m_lbRecipients->selectedItems().isEmpty()
                            ? QString()
                            : dialog->m_lbRecipients->selectedItems().first()->text()};
        ClickButton(dialog, QStringLiteral("OK"));
    });
    QVERIFY(closedAtFirst);
    QCOMPARE(afterButton, (QStringList{"shown", "01", BudgetPayment::kSingleTaxKbk, "0", "0", "5",
                                       QString::fromUtf8(BudgetPayment::kSingleTaxPurpose),
                                       saved ? taxService.m_strName : QString()}));
    if (!inBook) {
        QVERIFY2(m_log.Texts().first().contains(QStringLiteral("04.12.2025")),
                 qPrintable(m_log.Texts().first()));
        CRequisiteArray book;
        RequisitesFile::Read("polRecv.dat", &book);
        QCOMPARE(book.size(), saved ? 2 : 1);
        QCOMPARE(book.last(), saved ? taxService : Employee());
    }
    if (!saved) {
        QCOMPARE(m_log.Texts().last(), QStringLiteral("Выделите получателя"));
        QVERIFY(!QFileInfo::exists("Vemo/vemo.1"));
        return;
    }
    // Only the offer was told: the payment passes every check.
    QCOMPARE(m_log.entries.size(), inBook ? 0 : 1);
    const QStringList lines = FileLines("Vemo/vemo.1");
    QCOMPARE(lines.size(), 20);
    QCOMPARE(lines.mid(10),
             (QStringList{"01", "18201061201010000510", "0", "0", "0", "0", "0", "", "0", ""}));
}

// A treasury recipient opens the budget group; OK names the missing status and "Исправить" goes
// to it; "Сохранить как есть" keeps the order as it is.
void TestBudgetDialog::warningsLeadBackToTheField() {
    CRequisite treasury = BudgetPayment::TaxServiceRecord();
    treasury.m_strName = QStringLiteral("УФК по г. Москве (ГИБДД)");
    QVERIFY(RequisitesFile::Write("polRecv.dat", {treasury}));
    m_log.answers = {true, false};  // "Исправить", then "Сохранить как есть"
    bool openedByRecipient = false;
    QString focusAfterCorrect;
    bool openAfterCorrect = false;
    CreateOrder([&](COrderDlg* dialog) {
        Choose(dialog->m_lbPayers, Payer().m_strName);
        Choose(dialog->m_lbRecipients, treasury.m_strName);
        openedByRecipient = dialog->findChild<QWidget*>("budget")->isVisible();
        Edit(dialog, "amount")->setText(QStringLiteral("500"));
        Purpose(dialog)->setText(QStringLiteral("Штраф"));
        Edit(dialog, "priority")->setText(QStringLiteral("5"));
        FillTheRest(dialog);
        ClickButton(dialog, QStringLiteral("OK"));
        openAfterCorrect = dialog->isVisible();
        focusAfterCorrect = dialog->focusWidget() ? dialog->focusWidget()->objectName() : QString();
        ClickButton(dialog, QStringLiteral("OK"));
    });
    QVERIFY(openedByRecipient);
    QVERIFY(openAfterCorrect);
    QCOMPARE(focusAfterCorrect, QStringLiteral("status"));
    QCOMPARE(m_log.entries.size(), 2);
    QVERIFY2(m_log.Texts().first().contains(QStringLiteral("статус плательщика (101) не указан")),
             qPrintable(m_log.Texts().first()));
    QCOMPARE(FileLines("Vemo/vemo.1").size(), 10);  // kept as it was typed: an ordinary order
}

void TestBudgetDialog::wagesCarryTheIncomeType() {
    QVERIFY(RequisitesFile::Write("polRecv.dat", {Employee()}));
    CreateOrder([&](COrderDlg* dialog) {
        Choose(dialog->m_lbPayers, Payer().m_strName);
        Choose(dialog->m_lbRecipients, Employee().m_strName);
        QVERIFY(!dialog->findChild<QWidget*>("budget")->isVisible());
        Edit(dialog, "amount")->setText(QStringLiteral("65 000,00"));
        Purpose(dialog)->setText(QStringLiteral("Заработная плата за март"));
        Edit(dialog, "priority")->setText(QStringLiteral("5"));
        QComboBox* income = Combo(dialog, "incomeType");
        income->setCurrentIndex(income->findText(QStringLiteral("1")));
        FillTheRest(dialog);
        ClickButton(dialog, QStringLiteral("OK"));
    });
    QCOMPARE(m_log.entries.size(), 0);
    const QStringList lines = FileLines("Vemo/vemo.1");
    QCOMPARE(lines.size(), 20);
    QCOMPARE(lines.last(), QStringLiteral("1"));
}

QTEST_MAIN(TestBudgetDialog)
#include "tst_budgetdialog.moc"
