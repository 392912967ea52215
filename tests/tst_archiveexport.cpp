// The orders archive's export to the bank and its printing of the chosen orders: choosing several
// rows with Ctrl and Shift, the buttons that write them through the save or print dialog, the list
// of orders that cannot go, and a failed write.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>
#include <csignal>
#include <functional>
#include <memory>

#include "FileDialogs.h"
#include "TestEnvironment.h"
#include "TestFolder.h"
#include "TestPdf.h"
#include "TestTrash.h"
#include "bank/BankExport.h"
#include "bank/KeptFiles.h"
#include "common/Cp1251.h"
#include "form/CVemoDoc.h"
#include "orders/OrderFiles.h"
#include "orders/OrderTexts.h"
#include "orderwindows/COrderArchiveDlg.h"
#include "orderwindows/COrderDlg.h"
#include "orderwindows/COrderListModel.h"
#include "requisites/RequisitesFile.h"
#include "widgets/MessageBoxes.h"

namespace {

CRequisite Party(const QString& name, const QString& digits) {
    CRequisite party;
    party.m_strName = name;
    party.m_strBank = QStringLiteral("ПАО «Банк» г. Москва");
    party.m_strInnKpp = "77" + digits + "/770101001";
    party.m_strBik = "044525" + digits.left(3);
    party.m_strAccount1 = "40702810" + digits + "0000000";
    party.m_strAccount2 = "30101810" + digits + "0000000";
    return party;
}

// Order N with its own payer "Payer N", so that a row shows which order it is.
OrderRow Order(int number, const QString& amount = "100,50") {
    OrderRow row;
    row[kColumnNumber] = OrderTexts::NumberText(number);
    row[kColumnDate] = OrderTexts::DateText(QDate(2026, 3, number));
    row[kColumnPayer] = QStringLiteral("Payer %1").arg(number);
    row[kColumnRecipient] = QStringLiteral("Получатель");
    row[kColumnAmount] = amount;
    row[kColumnBasis] = QStringLiteral("Оплата по счету %1").arg(number);
    row[kColumnPaymentKind] = "01";
    row[kColumnPriority] = "5";
    row[kColumnPaymentType] = QStringLiteral("электронно");
    return row;
}

// Orders 1 to count, each payer in the book but the ones listed as unknown; all payers at one
// bank (BIK 044525123) but those listed at another (044525999).
void WriteArchive(int count, const QList<int>& unknownPayers = {},
                  const QList<int>& atAnotherBank = {}) {
    CRequisiteArray payers;
    for (int number = 1; number <= count; ++number) {
        QVERIFY(OrderFiles::SaveOrder(number, Order(number)));
        if (!unknownPayers.contains(number)) {
            payers.append(
                Party(QStringLiteral("Payer %1").arg(number), "1234567" + QString::number(number)));
        }
        if (atAnotherBank.contains(number)) {
            payers.last().m_strBik = "044525999";
        }
    }
    QVERIFY(RequisitesFile::Write("pltRecv.dat", payers));
    QVERIFY(
        RequisitesFile::Write("polRecv.dat", {Party(QStringLiteral("Получатель"), "99999999")}));
}

// Orders the program exported before the archive opens: a copy of their file kept, as every
// export keeps one.
void KeepEarlierExport(const QList<int>& numbers) {
    if (numbers.isEmpty()) {
        return;
    }
    const AddressBooks books = WorkingFolder().ReadBooks();
    QList<OrderRow> orders;
    for (int number : numbers) {
        orders.append(Order(number));
    }
    const BankExport::Result earlier =
        BankExport::Compose(orders, books.payers.Records(), books.recipients.Records(), "Vemo",
                            "1.0", QDateTime::currentDateTime());
    QVERIFY(KeptFiles::Keep(WorkingFolder(), KeptFiles::Kind::Export,
                            BankExport::FileBytes(earlier.lines), QDateTime::currentDateTime())
                .kept);
}

// The numbers of the orders in an exchange file, in file order.
QStringList ExportedNumbers(const QString& path) {
    QStringList numbers;
    const QString text = Cp1251::Decode(ReadBytes(path));
    for (const QString& line : text.split("\r\n")) {
        if (line.startsWith(QStringLiteral("Номер="))) {
            numbers.append(line.section('=', 1));
        }
    }
    return numbers;
}

QTreeView* List(COrderArchiveDlg* archive) {
    return archive->findChild<QTreeView*>(QStringLiteral("orders"));
}

void ClickRow(COrderArchiveDlg* archive, int row, Qt::KeyboardModifiers modifiers = {}) {
    QTreeView* list = List(archive);
    const QRect rect = list->visualRect(list->model()->index(row, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
}

void PressExport(COrderArchiveDlg* archive) {
    for (QPushButton* push : archive->findChildren<QPushButton*>()) {
        if (push->text().startsWith(QStringLiteral("Выгрузить в банк"))) {
            QTest::mouseClick(push, Qt::LeftButton);
            return;
        }
    }
    QFAIL("no export button");
}

// Hands the next modal dialog of type T to the handler once it shows, and closes it if the
// handler leaves it open, so that no test hangs on it. *seen tells whether it showed at all. The
// watch ends with the archive, so that it never reaches into the next test.
template <class T>
void WhenShown(COrderArchiveDlg* archive, bool* seen, const std::function<void(T*)>& handle,
               int triesLeft = 200) {
    QTimer::singleShot(10, archive, [=] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (triesLeft > 0) {
                WhenShown<T>(archive, seen, handle, triesLeft - 1);
            }
            return;
        }
        *seen = true;
        handle(dialog);
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
}

// Takes out of the log the offer that an export with no row selected makes first: "Выгрузить N
// неотправленных поручений на сумму …?".
void DropTheOffer(MessageBoxes::Log* log) {
    QVERIFY(!log->entries.isEmpty());
    const QString offer = log->entries.first().text;
    QVERIFY2(offer.startsWith(QStringLiteral("Выгрузить ")) && offer.endsWith(u'?'),
             qPrintable(offer));
    log->entries.removeFirst();
}

QPushButton* ButtonNamed(QWidget* dialog, const QString& text) {
    for (QPushButton* push : dialog->findChildren<QPushButton*>()) {
        if (push->text() == text && push->isVisible()) {
            return push;
        }
    }
    return nullptr;
}

}  // namespace

class TestArchiveExport : public QObject {
    Q_OBJECT
public:
    static void initMain() { UseOffscreenPlatformUnlessSet(); }

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void ctrlAndShiftClicksKeepTheLastClickedRowCurrent_data();
    void ctrlAndShiftClicksKeepTheLastClickedRowCurrent();
    void orderOperationsActOnTheCurrentRowAlone();
    void chosenOrdersGoOut_data();
    void chosenOrdersGoOut();
    void refusedOrdersLetTheUserExportTheRestOrNothing_data();
    void refusedOrdersLetTheUserExportTheRestOrNothing();
    void nothingToExportWhenEveryOrderIsRefused();
    void cancelledSaveDialogWritesNothing();
    void unreadableAddressBookStopsTheExport();
    void fullDiskTellsTheUserAndLeavesNoFile();
    void refusesALinkPlantedInASharedFolder();

private:
    std::unique_ptr<TestFolder> m_folder;
    CVemoDoc m_doc;
    MessageBoxes::Log m_log;
};

void TestArchiveExport::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    // The toolkit's own save dialog, whatever the desktop offers, so that the test can press it.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

void TestArchiveExport::init() {
    m_log = MessageBoxes::Log();
    MessageBoxes::SetTestLog(&m_log);
    m_folder = std::make_unique<TestFolder>(TestFolder::Files{{"Vemo/", {}}});
    QVERIFY(m_folder->isValid());
}

void TestArchiveExport::cleanup() {
    MessageBoxes::SetTestLog(nullptr);
    m_folder.reset();
}

void TestArchiveExport::ctrlAndShiftClicksKeepTheLastClickedRowCurrent_data() {
    QTest::addColumn<QList<int>>("clicks");  // rows, in the order clicked
    QTest::addColumn<QList<int>>("modifiers");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<int>("current");
    const int ctrl = Qt::ControlModifier;
    const int shift = Qt::ShiftModifier;
    QTest::newRow("plain click") << QList<int>{3} << QList<int>{0} << QList<int>{3} << 3;
    QTest::newRow("plain click replaces")
        << QList<int>{1, 3} << QList<int>{0, 0} << QList<int>{3} << 3;
    QTest::newRow("ctrl adds, downwards")
        << QList<int>{0, 3} << QList<int>{0, ctrl} << QList<int>{0, 3} << 3;
    QTest::newRow("ctrl adds, upwards")
        << QList<int>{4, 1} << QList<int>{0, ctrl} << QList<int>{1, 4} << 1;
    QTest::newRow("shift spans upwards")
        << QList<int>{4, 1} << QList<int>{0, shift} << QList<int>{1, 2, 3, 4} << 1;
    QTest::newRow("shift spans downwards")
        << QList<int>{1, 3} << QList<int>{0, shift} << QList<int>{1, 2, 3} << 3;
    QTest::newRow("ctrl after shift")
        << QList<int>{0, 1, 4} << QList<int>{0, shift, ctrl} << QList<int>{0, 1, 4} << 4;
    QTest::newRow("ctrl unselects back to one row")
        << QList<int>{2, 4, 4} << QList<int>{0, ctrl, ctrl} << QList<int>{2} << 2;
    // With several rows left and the last clicked one unselected, no row is the one to act on.
    QTest::newRow("ctrl unselects the last of several")
        << QList<int>{0, 2, 4, 4} << QList<int>{0, ctrl, ctrl, ctrl} << QList<int>{0, 2} << -1;
}

void TestArchiveExport::ctrlAndShiftClicksKeepTheLastClickedRowCurrent() {
    QFETCH(QList<int>, clicks);
    QFETCH(QList<int>, modifiers);
    QFETCH(QList<int>, selected);
    QFETCH(int, current);
    WriteArchive(5);
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.show();
    QVERIFY(QTest::qWaitForWindowExposed(&archive));
    for (int i = 0; i < clicks.size(); ++i) {
        ClickRow(&archive, clicks[i], Qt::KeyboardModifiers(modifiers[i]));
    }
    QCOMPARE(archive.SelectedRows(), selected);
    QCOMPARE(archive.CurrentRow(), current);
    if (current >= 0) {
        // What the order dialog preselects follows the current row too.
        QCOMPARE(archive.m_strRowPayer, archive.RowAt(current)[kColumnPayer]);
    }
}

void TestArchiveExport::orderOperationsActOnTheCurrentRowAlone() {
    WriteArchive(5);
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.show();
    QVERIFY(QTest::qWaitForWindowExposed(&archive));
    ClickRow(&archive, 3);
    ClickRow(&archive, 1, Qt::ShiftModifier);
    bool seen = false;
    QString number;
    WhenShown<COrderDlg>(&archive, &seen, [&](COrderDlg* dialog) {
        number = dialog->findChild<QLineEdit*>(QStringLiteral("number"))->text();
    });
    for (QPushButton* push : archive.findChildren<QPushButton*>()) {
        if (push->text() == QStringLiteral("Изменить")) {
            QTest::mouseClick(push, Qt::LeftButton);
        }
    }
    QVERIFY(seen);
    QCOMPARE(number, QStringLiteral("2"));  // order 2 stands in row 1, the row last clicked

    ClickRow(&archive, 4, Qt::ControlModifier);
    const TestTrash trash;  // the delete takes the file there, whatever the user's home holds
    for (QPushButton* push : archive.findChildren<QPushButton*>()) {
        if (push->text() == QStringLiteral("Удалить")) {
            QTest::mouseClick(push, Qt::LeftButton);
        }
    }
    QVERIFY(m_log.entries.isEmpty());
    QCOMPARE(archive.RowCount(), 4);
    QVERIFY(!OrderFiles::Exists(5));
    for (int number : {1, 2, 3, 4}) {
        QVERIFY(OrderFiles::Exists(number));
    }
}

void TestArchiveExport::chosenOrdersGoOut_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QList<int>>("sentBefore");  // orders a kept export holds already
    QTest::addColumn<QList<int>>("otherBank");   // orders whose payer is at another bank
    QTest::addColumn<QString>("search");         // typed in the search field
    QTest::addColumn<int>("stateFilter");        // the choice of states shown, by its place
    QTest::addColumn<bool>("sortedDown");        // the list sorted by number, the highest first
    QTest::addColumn<QList<int>>("ctrlClicks");  // rows as the list shows them
    QTest::addColumn<bool>("resend");            // the answer when asked to send again
    QTest::addColumn<QStringList>("asked");      // the questions, in turn
    QTest::addColumn<QStringList>("files");      // each file written: "name:numbers"
    const QString exporting = QStringLiteral("Выгрузить в банк…");
    const QString printing = QStringLiteral("Напечатать выбранные…");
    const QString today = QDate::currentDate().toString("dd.MM");
    const QString resendOne =
        QStringLiteral(
            "Это поручение уже выгружено в банк:\n№ 2 от 02.03.2026 на 100,50 — отправлено %1\n\n"
            "Выгрузить его еще раз?")
            .arg(today);
    QTest::newRow("export, none selected: the not sent")
        << exporting << QList<int>{1} << QList<int>{} << "" << 0 << false << QList<int>{} << false
        << QStringList{QStringLiteral("Выгрузить 3 неотправленных поручения на сумму 301,50 руб.?")}
        << QStringList{"bank.txt:2,3,4"};
    QTest::newRow("export, none selected: never one the search hides")
        << exporting << QList<int>{} << QList<int>{} << "Payer 3" << 0 << false << QList<int>{}
        << false
        << QStringList{QStringLiteral("Выгрузить 1 неотправленное поручение на сумму 100,50 руб.?")}
        << QStringList{"bank.txt:3"};
    QTest::newRow("export, none selected, only the sent shown")
        << exporting << QList<int>{1, 2} << QList<int>{} << "" << 2 << false << QList<int>{}
        << false
        << QStringList{QStringLiteral("Среди показанных поручений нет неотправленных. Чтобы "
                                      "выгрузить поручение еще раз, выделите его.")}
        << QStringList{};
    QTest::newRow("export, one") << exporting << QList<int>{} << QList<int>{} << "" << 0 << false
                                 << QList<int>{2} << false << QStringList{}
                                 << QStringList{"bank.txt:3"};
    // The file lists them as the archive does, the pages as the list shows them.
    QTest::newRow("export, two picked upwards")
        << exporting << QList<int>{} << QList<int>{} << "" << 0 << true << QList<int>{3, 0} << false
        << QStringList{} << QStringList{"bank.txt:1,4"};
    QTest::newRow("print, two picked upwards")
        << printing << QList<int>{} << QList<int>{} << "" << 0 << true << QList<int>{3, 0} << false
        << QStringList{} << QStringList{"pages.pdf:4,1"};
    QTest::newRow("export, a sent order chosen and sent again")
        << exporting << QList<int>{2} << QList<int>{} << "" << 0 << false << QList<int>{1, 2}
        << true << QStringList{resendOne} << QStringList{"bank.txt:2,3"};
    QTest::newRow("export, a sent order chosen and left out")
        << exporting << QList<int>{2} << QList<int>{} << "" << 0 << false << QList<int>{1, 2}
        << false << QStringList{resendOne} << QStringList{"bank.txt:3"};
    QTest::newRow("export, payers at two banks: a file each")
        << exporting << QList<int>{} << QList<int>{3} << "" << 0 << false << QList<int>{} << false
        << QStringList{QStringLiteral("Выгрузить 4 неотправленных поручения на сумму 402,00 руб.?")}
        << QStringList{"bank_044525123.txt:1,2,4", "bank_044525999.txt:3"};
}

void TestArchiveExport::chosenOrdersGoOut() {
    QFETCH(QString, button);
    QFETCH(QList<int>, sentBefore);
    QFETCH(QList<int>, otherBank);
    QFETCH(QString, search);
    QFETCH(int, stateFilter);
    QFETCH(bool, sortedDown);
    QFETCH(QList<int>, ctrlClicks);
    QFETCH(bool, resend);
    QFETCH(QStringList, asked);
    QFETCH(QStringList, files);
    const bool printing = button.startsWith(QStringLiteral("Напечатать"));
    if (printing && !HavePdfTools()) {
        QSKIP("pdftotext is not installed");
    }
    WriteArchive(4, {}, otherBank);
    KeepEarlierExport(sentBefore);
    // Yes to the offer of the orders not sent, or the answer to sending a chosen one again.
    m_log.answers = {ctrlClicks.isEmpty() || resend};
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.show();
    QVERIFY(QTest::qWaitForWindowExposed(&archive));
    archive.findChild<QLineEdit*>(QStringLiteral("search"))->setText(search);
    archive.findChild<QComboBox*>(QStringLiteral("stateFilter"))->setCurrentIndex(stateFilter);
    if (sortedDown) {
        List(&archive)->sortByColumn(kColumnNumber, Qt::DescendingOrder);
    }
    for (int row : ctrlClicks) {
        ClickRow(&archive, row, Qt::ControlModifier);
    }
    const QString written = printing ? "pages.pdf" : "bank.txt";
    bool seen = false;
    if (printing) {
        WhenShown<QPrintDialog>(&archive, &seen, [&](QPrintDialog* dialog) {
            dialog->findChild<QLineEdit*>(QStringLiteral("filename"))
                ->setText(m_folder->FilePath(written));
            dialog->accept();
        });
    } else {
        WhenShown<QFileDialog>(&archive, &seen, [&](QFileDialog* dialog) {
            // Proposed: the usual name, in the working folder.
            QCOMPARE(dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text(),
                     QStringLiteral("1c_to_kl.txt"));
            QCOMPARE(QFileInfo(dialog->directory().absolutePath()).canonicalFilePath(),
                     QFileInfo(m_folder->Path()).canonicalFilePath());
            ChooseInFileDialog(dialog, written);
        });
    }
    for (QPushButton* push : archive.findChildren<QPushButton*>()) {
        if (push->text() == button) {
            QTest::mouseClick(push, Qt::LeftButton);
        }
    }
    QCOMPARE(seen, !files.isEmpty());
    QCOMPARE(archive.result(), int(QDialog::Rejected));  // the archive stays open
    QStringList names;
    QStringList made;
    for (const QString& file : files) {
        names.append(file.section(':', 0, 0));
        made.append(file.section(':', 0, 0) + ':' +
                    (printing ? QStringList() : ExportedNumbers(m_folder->FilePath(names.last())))
                        .join(','));
    }
    QStringList entries = QStringList{"Vemo", "pltRecv.dat", "polRecv.dat"} + names;
    if (!sentBefore.isEmpty() || (!printing && !files.isEmpty())) {
        entries.append("Bank");
    }
    std::sort(entries.begin(), entries.end());
    QCOMPARE(m_folder->Entries(), entries);
    if (printing) {
        QStringList printed;
        for (const QString& page : PdfText(m_folder->FilePath(written)).split('\f')) {
            printed << QRegularExpression("ПОРУЧЕНИЕ №\\s*(\\d+)").match(page).captured(1);
        }
        QCOMPARE(written + ':' + printed.filter(QRegularExpression(".")).join(','), files.first());
        return;
    }
    QCOMPARE(made, files);
    const QStringList told = m_log.Texts();
    QCOMPARE(told.mid(0, asked.size()), asked);
    if (files.isEmpty()) {
        QCOMPARE(told.size(), asked.size());
        return;
    }
    // Then word that it is done, naming every file with how many orders it holds.
    QCOMPARE(told.size(), asked.size() + 1);
    QCOMPARE(m_log.entries.last().caption, QStringLiteral("Vemo"));
    for (const QString& file : files) {
        const qsizetype count = file.section(':', 1).split(',').size();
        QVERIFY2(told.last().contains(file.section(':', 0, 0)) &&
                     told.last().contains(QString::number(count)),
                 qPrintable(told.last()));
    }
    // Each file written is kept, byte for byte, beside the earlier export.
    const QList<KeptFiles::KeptFile> kept = KeptFiles::List(WorkingFolder());
    QCOMPARE(kept.size(), files.size() + (sentBefore.isEmpty() ? 0 : 1));
    for (const QString& name : names) {
        QVERIFY2(std::any_of(kept.begin(), kept.end(),
                             [&](const KeptFiles::KeptFile& copy) {
                                 return m_folder->Read(copy.name) == m_folder->Read(name);
                             }),
                 qPrintable(name));
    }
    // The list says at once which orders went to the bank.
    archive.findChild<QLineEdit*>(QStringLiteral("search"))->clear();
    archive.findChild<QComboBox*>(QStringLiteral("stateFilter"))->setCurrentIndex(0);
    List(&archive)->sortByColumn(kColumnNumber, Qt::AscendingOrder);
    const QAbstractItemModel* shown = List(&archive)->model();
    QStringList states;
    for (int row = 0; row < shown->rowCount(); ++row) {
        states.append(shown->index(row, kColumnNumber).data().toString() + ':' +
                      shown->index(row, COrderListModel::kStateColumn).data().toString());
    }
    QStringList expected;
    for (int number = 1; number <= 4; ++number) {
        const bool out =
            sentBefore.contains(number) ||
            made.join(',').contains(QRegularExpression(QStringLiteral("[:,]%1\\b").arg(number)));
        expected.append(QStringLiteral("%1:%2").arg(number).arg(
            out ? QStringLiteral("отправлено ") + QDate::currentDate().toString("dd.MM")
                : QString()));
    }
    QCOMPARE(states, expected);
}

void TestArchiveExport::refusedOrdersLetTheUserExportTheRestOrNothing_data() {
    QTest::addColumn<QString>("answer");  // the button pressed in the list of refusals
    QTest::addColumn<QStringList>("exported");
    QTest::newRow("export the rest") << "Выгрузить остальные" << QStringList{"1", "4"};
    QTest::newRow("nothing") << "Ничего не выгружать" << QStringList{};
    QTest::newRow("Esc") << QString() << QStringList{};
}

void TestArchiveExport::refusedOrdersLetTheUserExportTheRestOrNothing() {
    QFETCH(QString, answer);
    QFETCH(QStringList, exported);
    WriteArchive(4, {2});
    QVERIFY(OrderFiles::SaveOrder(3, Order(3, "12,345")));  // three kopeck digits
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.show();
    QVERIFY(QTest::qWaitForWindowExposed(&archive));

    bool refusalsSeen = false;
    bool saveSeen = false;
    QString listed;
    WhenShown<QDialog>(&archive, &refusalsSeen, [&](QDialog* dialog) {
        auto* list = dialog->findChild<QPlainTextEdit*>();
        QVERIFY(list);
        listed = list->toPlainText();
        QVERIFY(ButtonNamed(dialog, QStringLiteral("Выгрузить остальные")));
        QVERIFY(ButtonNamed(dialog, QStringLiteral("Ничего не выгружать"))->isDefault());
        WhenShown<QFileDialog>(&archive, &saveSeen,
                               [](QFileDialog* save) { ChooseInFileDialog(save, "bank.txt"); });
        if (answer.isEmpty()) {
            QTest::keyClick(dialog, Qt::Key_Escape);
            return;
        }
        QTest::mouseClick(ButtonNamed(dialog, answer), Qt::LeftButton);
    });
    PressExport(&archive);
    QVERIFY(refusalsSeen);
    // One list, each refused order on a line of its own, with its reason.
    QCOMPARE(listed, QStringLiteral("Платежка 2: плательщик «Payer 2» не найден в pltRecv.dat\n"
                                    "Платежка 3: сумма «12,345» не является суммой платежа"));
    QCOMPARE(saveSeen, !exported.isEmpty());
    if (exported.isEmpty()) {
        QVERIFY(!QFile::exists(m_folder->FilePath("bank.txt")));
        QVERIFY(!QFile::exists(m_folder->FilePath("1c_to_kl.txt")));
        QVERIFY(!QFile::exists(m_folder->FilePath("Bank")));
        // Only the offer of the four not sent (the amount that is not one is not added).
        QCOMPARE(m_log.Texts(), QStringList{QStringLiteral(
                                    "Выгрузить 4 неотправленных поручения на сумму 301,50 руб.?")});
    } else {
        QCOMPARE(ExportedNumbers(m_folder->FilePath("bank.txt")), exported);
    }
}

void TestArchiveExport::nothingToExportWhenEveryOrderIsRefused() {
    WriteArchive(3, {1, 3});
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.show();
    QVERIFY(QTest::qWaitForWindowExposed(&archive));
    ClickRow(&archive, 0);
    ClickRow(&archive, 2, Qt::ControlModifier);  // order 2 could go, but is not chosen
    bool seen = false;
    bool saveSeen = false;
    QString listed;
    WhenShown<QDialog>(&archive, &seen, [&](QDialog* dialog) {
        listed = dialog->findChild<QPlainTextEdit*>()->toPlainText();
        QVERIFY(!ButtonNamed(dialog, QStringLiteral("Выгрузить остальные")));
        WhenShown<QFileDialog>(&archive, &saveSeen,
                               [](QFileDialog* save) { ChooseInFileDialog(save, "bank.txt"); });
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    PressExport(&archive);
    QVERIFY(seen);
    QCoreApplication::processEvents();
    QVERIFY(!saveSeen);
    QCOMPARE(listed.split('\n').size(), 2);
    QCOMPARE(m_folder->Entries(), (QStringList{"Vemo", "pltRecv.dat", "polRecv.dat"}));
}

void TestArchiveExport::cancelledSaveDialogWritesNothing() {
    WriteArchive(2);
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.show();
    bool seen = false;
    WhenShown<QFileDialog>(&archive, &seen, [](QFileDialog* save) {
        auto* box = save->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        QTest::mouseClick(box->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    });
    PressExport(&archive);
    QVERIFY(seen);
    DropTheOffer(&m_log);
    QVERIFY(m_log.entries.isEmpty());
    QCOMPARE(m_folder->Entries(), (QStringList{"Vemo", "pltRecv.dat", "polRecv.dat"}));
}

void TestArchiveExport::unreadableAddressBookStopsTheExport() {
    WriteArchive(2);
    QVERIFY(QFile::remove("polRecv.dat"));
    QVERIFY(QDir().mkdir("polRecv.dat"));
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.show();
    bool seen = false;
    WhenShown<QDialog>(&archive, &seen, [](QDialog*) {});
    PressExport(&archive);
    QCoreApplication::processEvents();
    QVERIFY(!seen);  // neither a list of refusals for parties that are there, nor a file
    DropTheOffer(&m_log);
    QCOMPARE(m_log.Texts(), QStringList{RequisitesFile::CannotReadMessage() + ": polRecv.dat"});
    QCOMPARE(m_log.entries.first().caption, QStringLiteral("Ошибка"));
}

void TestArchiveExport::fullDiskTellsTheUserAndLeavesNoFile() {
    WriteArchive(3);
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.show();
    bool seen = false;
    rlimit before{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
    WhenShown<QFileDialog>(&archive, &seen, [before](QFileDialog* save) {
        // The disk fills up while the user picks the file: the export needs more than 512 bytes.
        // Only the soft limit, so that it can be lifted again.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit full{512, before.rlim_max};
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &full), 0);
        ChooseInFileDialog(save, "bank.txt");
    });
    PressExport(&archive);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &before), 0);
    QVERIFY(seen);
    DropTheOffer(&m_log);
    QCOMPARE(m_log.entries.size(), 1);
    QVERIFY2(
        m_log.entries.first().text.startsWith(QStringLiteral("Не могу записать файл выгрузки")) &&
            m_log.entries.first().text.endsWith(
                QStringLiteral(": превышен допустимый размер файла")),
        qPrintable(m_log.entries.first().text));
    QCOMPARE(m_log.entries.first().caption, QStringLiteral("Ошибка"));
    QCOMPARE(m_folder->Entries(), (QStringList{"Vemo", "pltRecv.dat", "polRecv.dat"}));
}

// A file name that is a link another user made in a folder where everyone writes is refused
// with the reason, and the file it points to stays as it was.
void TestArchiveExport::refusesALinkPlantedInASharedFolder() {
    if (geteuid() != 0) {
        QSKIP("a link of another user can be made only as root");
    }
    WriteArchive(3);
    QTemporaryDir outside;
    const QString shared = outside.filePath("shared");
    QVERIFY(QDir().mkdir(shared));
    QCOMPARE(chmod(QFile::encodeName(shared).constData(), 01777), 0);
    const QString victim = outside.filePath("victim.txt");
    WriteBytes(victim, "the victim's own");
    const QString link = shared + "/bank.txt";
    QVERIFY(QFile::link(victim, link));
    QCOMPARE(lchown(QFile::encodeName(link).constData(), 65534, gid_t(-1)), 0);
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.show();
    bool seen = false;
    WhenShown<QFileDialog>(&archive, &seen, [link](QFileDialog* save) {
        // The file is there: the save dialog asks whether to replace it, and the user says yes.
        QTimer::singleShot(50, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                box->button(QMessageBox::Yes)->click();
            }
        });
        ChooseInFileDialog(save, link);
    });
    PressExport(&archive);
    QVERIFY(seen);
    DropTheOffer(&m_log);
    QCOMPARE(m_log.entries.size(), 1);
    const QString text = m_log.entries.first().text;
    QVERIFY2(text.startsWith(QStringLiteral("Не могу записать файл выгрузки")) &&
                 text.contains(QStringLiteral("создал другой пользователь")),
             qPrintable(text));
    QCOMPARE(ReadBytes(victim), QByteArray("the victim's own"));
    QVERIFY(QFileInfo(link).isSymLink());
}

QTEST_MAIN(TestArchiveExport)
#include "tst_archiveexport.moc"
