// The payment orders archive and the order dialog: listing, creating, copying, changing and
// deleting orders, the order dialog's checks, and the safety of every write.
#include <sys/stat.h>
#include <QClipboard>
#include <QDateEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>
#include <functional>
#include <memory>

#include "DialogDriver.h"
#include "TestEnvironment.h"
#include "TestFolder.h"
#include "TestTrash.h"
#include "bank/BankExport.h"
#include "common/Cp1251.h"
#include "common/LineFile.h"
#include "form/CVemoDoc.h"
#include "form/FormPlaces.h"
#include "orders/OrderFiles.h"
#include "orders/OrderTexts.h"
#include "orderwindows/COrderArchiveDlg.h"
#include "orderwindows/COrderDlg.h"
#include "orderwindows/COrderListModel.h"
#include "requisites/CRequisitesDlg.h"
#include "requisites/RequisitesFile.h"
#include "widgets/MessageBoxes.h"
#include "widgets/WrappedLineEdit.h"

namespace {

// The fixtures' orders fill the term (19) and the type of payment (5), which the current edition
// warns about; these tests are about the dialogs' mechanics, not that warning.
constexpr FormEdition kFixturesEdition = FormEdition::Edition2001;

const QString kNoRow = QStringLiteral("Нет выделеной платежки");
const QString kCannotWrite = QStringLiteral("Не могу записать платежку");
const QString kWholeNumber = QStringLiteral("Введите целое число.");
const QString kWrittenByAnother = QStringLiteral(
    "Платежное поручение %1 изменено (или удалено) другой программой после открытия архива. "
    "Записать ваше?");
const QStringList kPayers = {"alfa-2", "Alfa", QStringLiteral("Бета")};
const QStringList kRecipients = {QStringLiteral("Гамма"), QStringLiteral("Дельта")};

// A requisites file of records that carry a name only.
void WriteNames(const QString& path, const QStringList& names) {
    QStringList lines;
    for (const QString& name : names) {
        lines << name << ""
              << ""
              << ""
              << ""
              << "";
    }
    QVERIFY(LineFile::Write(path, lines));
}

OrderRow Row(int number, const QString& payer = "Alfa", const QString& recipient = "Гамма",
             const QString& tag = QString()) {
    OrderRow row;
    row[kColumnNumber] = OrderTexts::NumberText(number);
    row[kColumnDate] = OrderTexts::DateText(QDate(2001, 3, 5));
    row[kColumnPayer] = payer;
    row[kColumnRecipient] = recipient;
    row[kColumnAmount] = tag + "1234.56";
    row[kColumnBasis] = tag + QStringLiteral("Оплата по счету");
    row[kColumnPaymentKind] = "01";
    row[kColumnPaymentTerm] = tag + "5";
    row[kColumnPriority] = "5";
    row[kColumnPaymentType] = tag + QStringLiteral("почтой");
    return row;
}

void SaveRows(const QList<int>& numbers) {
    for (int number : numbers) {
        QVERIFY(OrderFiles::SaveOrder(number, Row(number)));
    }
}

QStringList ShownNumbers(const COrderArchiveDlg& archive) {
    QStringList numbers;
    for (int i = 0; i < archive.RowCount(); ++i) {
        numbers.append(archive.RowAt(i)[kColumnNumber]);
    }
    return numbers;
}

QLineEdit* Edit(QWidget* dlg, const char* name) {
    return dlg->findChild<QLineEdit*>(QLatin1String(name));
}

WrappedLineEdit* Purpose(QWidget* dlg) {
    return dlg->findChild<WrappedLineEdit*>(QStringLiteral("basis"));
}

int SelectedRow(QListWidget* list) {
    const QList<QListWidgetItem*> items = list->selectedItems();
    return items.isEmpty() ? -1 : list->row(items.first());
}

struct Typed {
    QString number;
    int payer = -1;
    int recipient = -1;
    QString amount, basis, priority, term, type, kind;
};

void Type(COrderDlg* dlg, const Typed& typed) {
    Edit(dlg, "number")->setText(typed.number);
    dlg->m_lbPayers->setCurrentRow(typed.payer);
    dlg->m_lbRecipients->setCurrentRow(typed.recipient);
    Edit(dlg, "amount")->setText(typed.amount);
    Purpose(dlg)->setText(typed.basis);
    Edit(dlg, "priority")->setText(typed.priority);
    Edit(dlg, "paymentTerm")->setText(typed.term);
    Edit(dlg, "paymentType")->setText(typed.type);
    Edit(dlg, "paymentKind")->setText(typed.kind);
}

Typed Complete(const QString& number) {
    return {number, 2, 1, "10", QStringLiteral("за хлеб"), "5", "1", QStringLiteral("почтой"),
            "02"};
}

void TypeAndConfirm(const Typed& typed) {
    WhenDialogOpens<COrderDlg>([typed](COrderDlg* dlg) {
        Type(dlg, typed);
        dlg->OnOK();
    });
}

// The archive's buttons, pressed with the mouse as the user does.
enum Button { kCreateNew, kCreateCopy, kEditOrder, kDeleteOrder, kDraw };

void Press(COrderArchiveDlg* archive, int button) {
    static const char* const kTexts[] = {"Создать новую", "Создать копию", "Изменить", "Удалить",
                                         "Нарисовать платежное поручение"};
    archive->show();  // without running events, which would spend an answer set up ahead
    ClickButton(archive, QString::fromUtf8(kTexts[button]));
}

// OK of the order dialog, clicked.
void PressOk(COrderDlg* dlg) {
    QPushButton* ok = FindButton(dlg, QStringLiteral("OK"));
    QVERIFY(ok);
    QTest::mouseClick(ok, Qt::LeftButton);
}

// An order file copied by hand under another name: vemo.7 holding order 3.
void WriteMismatchedCopy() {
    OrderRow copy = Row(3, "alfa-2", QStringLiteral("Дельта"), "7");
    QVERIFY(LineFile::Write("Vemo/vemo.7", copy.Lines()));
}

void ClickOk(QDialog* dlg) {
    for (QPushButton* push : dlg->findChildren<QPushButton*>()) {
        if (push->text() == QLatin1String("OK")) {
            QTest::mouseClick(push, Qt::LeftButton);
            return;
        }
    }
    QFAIL("no OK button");
}

bool FailOrderWrites(const QString& path) {
    return QFileInfo(path).dir().dirName() == QLatin1String("Vemo");
}

// Whether the text holds a control character other than TAB and LF: what a message must not
// show as it is.
bool HoldsRawControl(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return (c < u' ' && c != u'\t' && c != u'\n') || (c >= u'\x80' && c <= u'\x9F');
    });
}

}  // namespace

class TestOrderDialogs : public QObject {
    Q_OBJECT
public:
    // Run by hand, the program still needs no display.
    static void initMain() { UseOffscreenPlatformUnlessSet(); }

private slots:
    void initTestCase();
    void init();
    void cleanup();

    // The archive
    void listsOrdersWithColumnsAndIcon();
    void proposesTheNumberAfterTheLastRow_data();
    void proposesTheNumberAfterTheLastRow();
    void newOrderIsWrittenAndAppended();
    void copyTakesTheRowButNotItsNumberAndDate();
    void editOpensOnTheRowAndRewritesIt();
    void editWithoutDateOpensToday();
    void editToAnotherNumberKeepsTheOldFile();
    void needsASelectedRow_data();
    void needsASelectedRow();
    void drawButtonEndsTheDialogWithARow();
    void deleteRemovesRowAndFile();
    void deleteRemovesTheRowsOwnFile();
    void deleteWithoutATrashLeavesNothingStray();
    void deleteLeavesNoRowCurrent_data();
    void deleteLeavesNoRowCurrent();
    void unreadableOrderFilesAreToldOverTheArchive();
    void unreadableOrderFileIsNotReplacedUnasked();
    void linkedOrderIsReadButNeverWrittenThrough();
    void currentRowNamesFollowSelectionAndChanges();
    void cancelledOrderDialogChangesNothing();

    // The order dialog
    void okTestsFieldsInOrder_data();
    void okTestsFieldsInOrder();
    void refusalPutsTheFocusOnTheFieldItNames_data();
    void refusalPutsTheFocusOnTheFieldItNames();
    void refusesANumberThatIsNotWhole_data();
    void refusesANumberThatIsNotWhole();
    void kindOfPaymentTakesTwoCharacters();
    void preselectsExactNames_data();
    void preselectsExactNames();
    void missingRequisitesFileGivesAnEmptyList();
    void unreadableRequisitesFileIsToldOnce();
    void missingNameIsToldOverTheShownDialog();
    void refusesCharactersThatCannotBeSaved_data();
    void refusesCharactersThatCannotBeSaved();
    void longFieldIsWrittenBackWhole();
    void purposeWrapsButStaysOneLine();
    void longKindOfPaymentIsRefusedNotCut();
    void okTakesOnlyAnAmountOfRoublesAndKopecks_data();
    void okTakesOnlyAnAmountOfRoublesAndKopecks();
    void storedKindOfPaymentIsShownWholeAndRefused();
    void textLongerThanTheFormAsksToKeepOrEdit_data();
    void textLongerThanTheFormAsksToKeepOrEdit();
    void enterOnTheLengthQuestionGoesBackToTheField();
    void sixtyRecipientsFilteredInAnEnlargedDialog();
    void controlCharactersGoNowhere_data();
    void controlCharactersGoNowhere();

    // Safe writing
    void failedWriteLeavesTheListAsOnDisk_data();
    void failedWriteLeavesTheListAsOnDisk();
    void asksBeforeReplacingAnotherOrder_data();
    void asksBeforeReplacingAnotherOrder();
    void declinedReplacementKeepsTheDialogAsTyped();
    void ownNumberNeverAsks();
    void editOfACopiedFileAsksBeforeWritingItsNumber_data();
    void editOfACopiedFileAsksBeforeWritingItsNumber();
    void replacementDefaultsToNo();

private:
    std::unique_ptr<TestFolder> m_folder;
    std::unique_ptr<TestTrash> m_trash;
    CVemoDoc m_doc;
    MessageBoxes::Log m_log;
    // The archive remembers its size and columns; each run starts from none remembered.
    TestFolder m_settings{TestFolder::Files{}, TestFolder::Enter::No};
};

void TestOrderDialogs::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_settings.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.Path());
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

void TestOrderDialogs::init() {
    LineFile::g_pWriteFault = nullptr;
    m_log = MessageBoxes::Log();
    MessageBoxes::SetTestLog(&m_log);
    m_folder.reset();
    m_folder = std::make_unique<TestFolder>(TestFolder::Files{{"Vemo/", {}}});
    QVERIFY(m_folder->isValid());
    m_trash = std::make_unique<TestTrash>();
    QVERIFY(m_trash->SharesVolumeWith(m_folder->Path()));
    WriteNames("pltRecv.dat", kPayers);
    WriteNames("polRecv.dat", kRecipients);
}

void TestOrderDialogs::cleanup() {
    LineFile::g_pWriteFault = nullptr;
    MessageBoxes::SetTestLog(nullptr);
    m_folder.reset();
    m_trash.reset();
}

void TestOrderDialogs::listsOrdersWithColumnsAndIcon() {
    SaveRows({5, 1, 3});
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    QCOMPARE(g_pOrderArchiveDlg, &archive);
    QCOMPARE(ShownNumbers(archive), (QStringList{"   1", "   3", "   5"}));
    QCOMPARE(archive.RowAt(1), Row(3));
    QCOMPARE(archive.CurrentRow(), -1);

    auto* view = archive.findChild<QTreeView*>(QStringLiteral("orders"));
    QVERIFY(view);
    QAbstractItemModel* model = view->model();
    const QStringList captions = {
        "№",          "Дата",         "Плательщик",          "Получатель",  "Сумма",    "Основание",
        "Вид оплаты", "Срок платежа", "Очередность платежа", "Вид платежа", "Состояние"};
    const QList<int> widths = {50, 100, 200, 200, 100, 500, 100, 100, 150, 100};
    QCOMPARE(model->columnCount(), captions.size());
    for (int column = 0; column < captions.size(); ++column) {
        QCOMPARE(model->headerData(column, Qt::Horizontal).toString(), captions.at(column));
        if (column < widths.size()) {
            QCOMPARE(view->header()->sectionSize(column), widths.at(column));
        }
    }
    // The longest state, an overdue order's in bold behind its warning sign, is read whole.
    QFont bold;
    bold.setBold(true);
    QVERIFY(
        view->header()->sectionSize(COrderListModel::kStateColumn) >
        QFontMetrics(bold).horizontalAdvance(QStringLiteral("отправлено 28.12, нет в выписке")) +
            16);
    QCOMPARE(view->selectionMode(), QAbstractItemView::ExtendedSelection);
    // The list opens in the archive's own order, by file, until a header is clicked.
    QCOMPARE(view->header()->sortIndicatorSection(), -1);
    for (int row = 0; row < model->rowCount(); ++row) {
        QCOMPARE(model->index(row, 0).data().toString(), ShownNumbers(archive).at(row).trimmed());
    }
    for (int row = 0; row < model->rowCount(); ++row) {
        const QIcon icon = model->index(row, 0).data(Qt::DecorationRole).value<QIcon>();
        QVERIFY(!icon.isNull());
        QVERIFY(!model->index(row, 1).data(Qt::DecorationRole).isValid());
    }
    QCOMPARE(view->iconSize(), QSize(16, 16));
    // The selection stays as visible when the list loses the focus.
    QCOMPARE(view->palette().color(QPalette::Inactive, QPalette::Highlight),
             view->palette().color(QPalette::Active, QPalette::Highlight));
}

void TestOrderDialogs::proposesTheNumberAfterTheLastRow_data() {
    QTest::addColumn<QStringList>("numbers");  // the first lines of order files 1, 2, ...
    QTest::addColumn<int>("proposed");
    QTest::newRow("empty archive") << QStringList{} << 1;
    QTest::newRow("1, 2 and 5") << QStringList{"   1", "   2", "   5"} << 6;
    QTest::newRow("the last edited down") << QStringList{"   1", "   9", "   4"} << 5;
    QTest::newRow("the last without a number") << QStringList{"   3", ""} << 1;
    QTest::newRow("the largest number") << QStringList{"2147483647"} << 2147483647;
}

void TestOrderDialogs::proposesTheNumberAfterTheLastRow() {
    QFETCH(QStringList, numbers);
    QFETCH(int, proposed);
    for (int i = 0; i < numbers.size(); ++i) {
        OrderRow row = Row(i + 1);
        row[kColumnNumber] = numbers.at(i);
        QVERIFY(OrderFiles::SaveOrder(i + 1, row));
    }
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    bool seen = false;
    WhenDialogOpens<COrderDlg>([&](COrderDlg* dlg) {
        seen = true;
        QCOMPARE(Edit(dlg, "number")->text(), QString::number(proposed));
        QCOMPARE(dlg->findChild<QDateEdit*>("date")->date(), QDate::currentDate());
        QCOMPARE(SelectedRow(dlg->m_lbPayers), -1);
        QCOMPARE(SelectedRow(dlg->m_lbRecipients), -1);
        QCOMPARE(dlg->m_lbPayers->count(), kPayers.size());
        QVERIFY(Edit(dlg, "amount")->text().isEmpty());
        QVERIFY(Purpose(dlg)->text().isEmpty());
        dlg->OnOK();
        QCOMPARE(m_log.Texts(), QStringList{"Выделите плательщика"});
    });
    Press(&archive, kCreateNew);
    QVERIFY(seen);
    QCOMPARE(archive.RowCount(), numbers.size());
}

void TestOrderDialogs::newOrderIsWrittenAndAppended() {
    SaveRows({1, 2});
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.SelectRow(0);
    TypeAndConfirm(Complete("3"));
    Press(&archive, kCreateNew);
    QVERIFY(m_log.entries.isEmpty());
    QCOMPARE(ShownNumbers(archive), (QStringList{"   1", "   2", "   3"}));
    const QString today = OrderTexts::DateText(QDate::currentDate());
    const QStringList expected = {"   3",
                                  today,
                                  QStringLiteral("Бета"),
                                  QStringLiteral("Дельта"),
                                  "10",
                                  QStringLiteral("за хлеб"),
                                  "02",
                                  "1",
                                  "5",
                                  QStringLiteral("почтой")};
    QCOMPARE(archive.RowAt(2).Lines(), expected);
    QCOMPARE(ReadBytes("Vemo/vemo.3"), Cp1251::Encode(expected.join("\r\n") + "\r\n"));
    QCOMPARE(archive.CurrentRow(), 2);  // the new order is the current one
}

void TestOrderDialogs::copyTakesTheRowButNotItsNumberAndDate() {
    SaveRows({1, 2, 3});
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.SelectRow(0);
    WhenDialogOpens<COrderDlg>([&](COrderDlg* dlg) {
        QCOMPARE(Edit(dlg, "number")->text(), QStringLiteral("4"));
        QCOMPARE(dlg->findChild<QDateEdit*>("date")->date(), QDate::currentDate());
        QCOMPARE(SelectedRow(dlg->m_lbPayers), 1);      // "Alfa"
        QCOMPARE(SelectedRow(dlg->m_lbRecipients), 0);  // "Гамма"
        QCOMPARE(Edit(dlg, "amount")->text(), QStringLiteral("1234.56"));
        QCOMPARE(Purpose(dlg)->text(), QStringLiteral("Оплата по счету"));
        QCOMPARE(Edit(dlg, "paymentKind")->text(), QStringLiteral("01"));
        QCOMPARE(Edit(dlg, "paymentTerm")->text(), QStringLiteral("5"));
        QCOMPARE(Edit(dlg, "priority")->text(), QStringLiteral("5"));
        QCOMPARE(Edit(dlg, "paymentType")->text(), QStringLiteral("почтой"));
        dlg->OnOK();
    });
    Press(&archive, kCreateCopy);
    QVERIFY(m_log.entries.isEmpty());
    OrderRow copy = Row(4);
    copy[kColumnDate] = OrderTexts::DateText(QDate::currentDate());
    QCOMPARE(archive.RowCount(), 4);
    QCOMPARE(archive.RowAt(3), copy);
    QCOMPARE(OrderFiles::LoadOrders().last(), copy);
}

void TestOrderDialogs::editOpensOnTheRowAndRewritesIt() {
    SaveRows({1, 2});
    const QByteArray before = ReadBytes("Vemo/vemo.2");
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.SelectRow(1);
    WhenDialogOpens<COrderDlg>([](COrderDlg* dlg) {
        QCOMPARE(Edit(dlg, "number")->text(), QStringLiteral("2"));
        QCOMPARE(dlg->findChild<QDateEdit*>("date")->date(), QDate(2001, 3, 5));
        dlg->OnOK();
    });
    // Removed behind the archive's back, so that only a rewrite brings it back: asked, and "Да".
    QVERIFY(QFile::remove("Vemo/vemo.2"));
    Press(&archive, kEditOrder);
    QCOMPARE(m_log.Texts(), QStringList(kWrittenByAnother.arg(2)));
    QCOMPARE(ReadBytes("Vemo/vemo.2"), before);
    QCOMPARE(archive.RowAt(1), Row(2));
}

void TestOrderDialogs::editWithoutDateOpensToday() {
    OrderRow row = Row(1);
    row[kColumnDate].clear();
    QVERIFY(OrderFiles::SaveOrder(1, row));
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.SelectRow(0);
    QDate shown;
    WhenDialogOpens<COrderDlg>(
        [&](COrderDlg* dlg) { shown = dlg->findChild<QDateEdit*>("date")->date(); });
    Press(&archive, kEditOrder);
    QCOMPARE(shown, QDate::currentDate());
}

void TestOrderDialogs::editToAnotherNumberKeepsTheOldFile() {
    SaveRows({1, 3});
    const QByteArray old = ReadBytes("Vemo/vemo.3");
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.SelectRow(1);
    WhenDialogOpens<COrderDlg>([](COrderDlg* dlg) {
        Edit(dlg, "number")->setText("8");
        Edit(dlg, "amount")->setText("99");
        dlg->OnOK();
    });
    Press(&archive, kEditOrder);
    QVERIFY(m_log.entries.isEmpty());
    QCOMPARE(ShownNumbers(archive), (QStringList{"   1", "   8"}));
    QCOMPARE(ReadBytes("Vemo/vemo.3"), old);
    const QList<OrderRow> reopened = OrderFiles::LoadOrders();
    QCOMPARE(reopened.size(), 3);
    QCOMPARE(reopened.at(1), Row(3));
    QCOMPARE(reopened.at(2)[kColumnNumber], QStringLiteral("   8"));
    QCOMPARE(reopened.at(2)[kColumnAmount], QStringLiteral("99"));
}

void TestOrderDialogs::needsASelectedRow_data() {
    QTest::addColumn<int>("button");
    QTest::newRow("Создать копию") << int(kCreateCopy);
    QTest::newRow("Изменить") << int(kEditOrder);
    QTest::newRow("Удалить") << int(kDeleteOrder);
    QTest::newRow("Нарисовать платежное поручение") << int(kDraw);
}

void TestOrderDialogs::needsASelectedRow() {
    QFETCH(int, button);
    SaveRows({1, 2});
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    bool dialogOpened = false;
    WhenDialogOpens<COrderDlg>([&](COrderDlg*) { dialogOpened = true; });
    Press(&archive, button);
    QCoreApplication::processEvents();  // lets a wrongly opened dialog be seen
    QVERIFY(!dialogOpened);
    QCOMPARE(m_log.Texts(), QStringList{kNoRow});
    QCOMPARE(m_log.entries.first().caption, QStringLiteral("Ошибка"));
    QCOMPARE(archive.RowCount(), 2);
    QCOMPARE(archive.result(), int(QDialog::Rejected));
    QVERIFY(OrderFiles::Exists(1) && OrderFiles::Exists(2));
}

void TestOrderDialogs::drawButtonEndsTheDialogWithARow() {
    SaveRows({1, 2});
    CVemoDoc doc;
    COrderArchiveDlg archive(doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.show();
    QVERIFY(QTest::qWaitForWindowExposed(&archive));
    archive.SelectRow(1);
    auto* view = archive.findChild<QTreeView*>(QStringLiteral("orders"));
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Return);  // Enter in the list presses the default button
    QVERIFY(m_log.entries.isEmpty());
    QCOMPARE(archive.result(), int(QDialog::Accepted));
    QCOMPARE(archive.CurrentRow(), 1);
    QCOMPARE(doc.m_strNumber, archive.RowAt(1)[kColumnNumber]);  // the chosen order is on the form
}

void TestOrderDialogs::deleteRemovesRowAndFile() {
    SaveRows({1, 2, 3});
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.SelectRow(1);
    Press(&archive, kDeleteOrder);
    QVERIFY(m_log.entries.isEmpty());
    QCOMPARE(ShownNumbers(archive), (QStringList{"   1", "   3"}));
    QVERIFY(!OrderFiles::Exists(2));
    // A row whose file has gone meanwhile goes from the list all the same.
    QVERIFY(QFile::remove("Vemo/vemo.3"));
    archive.SelectRow(1);
    Press(&archive, kDeleteOrder);
    QCOMPARE(m_log.Texts(), QStringList{"Не могу удалить платежку: файла уже нет"});
    QCOMPARE(ShownNumbers(archive), QStringList{"   1"});
}

// A file copied by hand keeps the number written inside it; deleting its row removes that file,
// never the other order's file of that number.
void TestOrderDialogs::deleteRemovesTheRowsOwnFile() {
    SaveRows({3});
    const QByteArray three = ReadBytes("Vemo/vemo.3");
    WriteMismatchedCopy();
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    QCOMPARE(ShownNumbers(archive), (QStringList{"   3", "   3"}));
    archive.SelectRow(1);  // the row of vemo.7
    Press(&archive, kDeleteOrder);
    QVERIFY(m_log.entries.isEmpty());
    QVERIFY(!QFile::exists("Vemo/vemo.7"));
    QCOMPARE(ReadBytes("Vemo/vemo.3"), three);
    QCOMPARE(m_trash->Files(), QStringList{"vemo.7"});
    QCOMPARE(archive.RowCount(), 1);
    QCOMPARE(archive.RowAt(0), Row(3));
}

// A desktop without a trash, as a home without .local/share: the order is removed for good, as
// the user is told in one line, and neither the working folder nor the home gains a folder for a
// trash.
void TestOrderDialogs::deleteWithoutATrashLeavesNothingStray() {
    m_trash.reset();  // first, so that it gives back the home before the next one moves it
    m_trash = std::make_unique<TestTrash>(TestTrash::DataFolder::Missing);
    SaveRows({1, 2});
    const QStringList working = m_folder->Entries();
    const QStringList home = m_trash->HomeEntries();
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.SelectRow(0);
    Press(&archive, kDeleteOrder);
    QCOMPARE(m_log.Texts(),
             QStringList{QStringLiteral("Платежка Vemo/vemo.1 удалена без корзины: корзина "
                                        "рабочего стола ее не принимает, вернуть ее нельзя.")});
    QCOMPARE(ShownNumbers(archive), QStringList{"   2"});
    QCOMPARE(m_folder->Entries("Vemo"), QStringList{"vemo.2"});
    QCOMPARE(m_folder->Entries(), working);
    QCOMPARE(m_trash->HomeEntries(), home);
}

void TestOrderDialogs::deleteLeavesNoRowCurrent_data() {
    QTest::addColumn<bool>("byEnter");
    QTest::newRow("mouse") << false;
    QTest::newRow("Enter on the focused button") << true;
}

// After a delete the next row does not become current, so a second press can't delete it.
void TestOrderDialogs::deleteLeavesNoRowCurrent() {
    QFETCH(bool, byEnter);
    SaveRows({1, 2, 3});
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.show();
    QVERIFY(QTest::qWaitForWindowExposed(&archive));
    archive.SelectRow(0);
    QPushButton* remove = FindButton(&archive, QStringLiteral("Удалить"));
    QVERIFY(remove);
    if (byEnter) {
        archive.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&archive));
        remove->setFocus();
        QCOMPARE(QApplication::focusWidget(), remove);
    }
    for (int press = 0; press < 2; ++press) {
        if (byEnter) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        } else {
            QTest::mouseClick(remove, Qt::LeftButton);
        }
        QCOMPARE(archive.CurrentRow(), -1);
        QVERIFY(!archive.findChild<QTreeView*>()->currentIndex().isValid());
    }
    QCOMPARE(m_log.Texts(), QStringList{kNoRow});
    QCOMPARE(ShownNumbers(archive), (QStringList{"   2", "   3"}));
    QVERIFY(!OrderFiles::Exists(1));
    QVERIFY(OrderFiles::Exists(2) && OrderFiles::Exists(3));
    QCOMPARE(m_trash->Files(), QStringList{"vemo.1"});
    QCOMPARE(archive.result(), int(QDialog::Rejected));  // Enter never reached the draw button
}

// Order files that can't be read are named in one message over the archive as it opens.
void TestOrderDialogs::unreadableOrderFilesAreToldOverTheArchive() {
    const Deadline deadline(60);  // a FIFO or an endless device would keep the archive shut
    MessageBoxes::SetTestLog(nullptr);
    SaveRows({1, 4});
    QVERIFY(QDir().mkdir("Vemo/vemo.2"));
    QVERIFY(QDir().mkdir("Vemo/vemo.3"));
    QCOMPARE(mkfifo("Vemo/vemo.5", 0600), 0);
    QVERIFY(QFile::link("/dev/zero", "Vemo/vemo.6"));
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    QStringList texts;
    bool overTheArchive = true;
    QTimer boxes;
    connect(&boxes, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            overTheArchive = overTheArchive && box->parentWidget() == &archive &&
                             archive.isVisible() && box->windowTitle() == "Ошибка";
            texts.append(box->text());
            box->accept();
        } else if (modal == &archive) {
            archive.reject();
        }
    });
    boxes.start(10);
    archive.exec();
    boxes.stop();
    QCOMPARE(texts.size(), 1);
    QVERIFY(overTheArchive);
    for (const char* name : {"Vemo/vemo.2", "Vemo/vemo.3", "Vemo/vemo.5", "Vemo/vemo.6"}) {
        QVERIFY2(texts.first().contains(name), qPrintable(texts.first()));
    }
    QVERIFY(!texts.first().contains("vemo.1") && !texts.first().contains("vemo.4"));
    QCOMPARE(ShownNumbers(archive), (QStringList{"   1", "   4"}));
}

void TestOrderDialogs::unreadableOrderFileIsNotReplacedUnasked() {
    SaveRows({1});
    QVERIFY(QDir().mkdir("Vemo/vemo.2"));
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    QCoreApplication::sendPostedEvents(&archive, QEvent::MetaCall);
    QCOMPARE(m_log.entries.size(), 1);
    m_log = MessageBoxes::Log();
    TypeAndConfirm(Complete("2"));  // the proposed number, and the answer Да
    Press(&archive, kCreateNew);
    QCOMPARE(m_log.Texts(),
             (QStringList{
                 QStringLiteral("Платежное поручение № 2 уже есть. Заменить его?"),
                 kCannotWrite + QStringLiteral(": на место ") + m_folder->FilePath("Vemo/vemo.2") +
                     QStringLiteral(" программа не пишет: там не обычный файл, а папка.")}));
    QVERIFY(QFileInfo("Vemo/vemo.2").isDir());
    QCOMPARE(ShownNumbers(archive), QStringList{"   1"});
}

// An order file that is a link to a file elsewhere is listed and opened, but a change is refused
// with a message that names the link: the file it points to stays as it was.
void TestOrderDialogs::linkedOrderIsReadButNeverWrittenThrough() {
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath("order");
    QVERIFY(LineFile::Write(target, Row(4).Lines()));
    const QByteArray before = ReadBytes(target);
    QVERIFY(QFile::link(target, "Vemo/vemo.4"));
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    QCOMPARE(ShownNumbers(archive), QStringList{"   4"});
    archive.SelectRow(0);
    WhenDialogOpens<COrderDlg>([](COrderDlg* dlg) {
        Purpose(dlg)->setText(QStringLiteral("Изменено"));
        PressOk(dlg);
    });
    Press(&archive, kEditOrder);
    QCOMPARE(m_log.entries.size(), 1);
    const QString text = m_log.entries.first().text;
    QVERIFY2(text.startsWith(kCannotWrite + ": " + m_folder->FilePath("Vemo/vemo.4") +
                             QStringLiteral(" — символическая ссылка на ") + target),
             qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("замените ссылку копией файла")), qPrintable(text));
    QCOMPARE(ReadBytes(target), before);
    QVERIFY(QFileInfo("Vemo/vemo.4").isSymLink());
    QCOMPARE(archive.RowAt(0), Row(4));  // the list shows what is on disk
}

void TestOrderDialogs::currentRowNamesFollowSelectionAndChanges() {
    QVERIFY(OrderFiles::SaveOrder(1, Row(1, "Alfa", "Гамма")));
    QVERIFY(OrderFiles::SaveOrder(2, Row(2, "alfa-2", "Дельта")));
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    QVERIFY(archive.m_strRowPayer.isEmpty() && archive.m_strRowRecipient.isEmpty());
    archive.SelectRow(1);
    QCOMPARE(archive.m_strRowPayer, QStringLiteral("alfa-2"));
    QCOMPARE(archive.m_strRowRecipient, QStringLiteral("Дельта"));
    TypeAndConfirm(Complete("2"));  // the current row changes its names
    Press(&archive, kEditOrder);
    QCOMPARE(archive.m_strRowPayer, QStringLiteral("Бета"));
    QCOMPARE(archive.m_strRowRecipient, QStringLiteral("Дельта"));
    archive.findChild<QTreeView*>()->clearSelection();
    QCOMPARE(archive.CurrentRow(), -1);
    QCOMPARE(archive.m_strRowPayer, QStringLiteral("Бета"));  // kept with no row selected
}

void TestOrderDialogs::cancelledOrderDialogChangesNothing() {
    SaveRows({1});
    const QByteArray before = ReadBytes("Vemo/vemo.1");
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.SelectRow(0);
    WhenDialogOpens<COrderDlg>([](COrderDlg* dlg) {
        Type(dlg, Complete("1"));
        dlg->reject();
    });
    Press(&archive, kEditOrder);
    WhenDialogOpens<COrderDlg>([](COrderDlg* dlg) {
        Type(dlg, Complete("7"));
        dlg->reject();
    });
    Press(&archive, kCreateNew);
    QCOMPARE(archive.RowCount(), 1);
    QCOMPARE(archive.RowAt(0), Row(1));
    QCOMPARE(ReadBytes("Vemo/vemo.1"), before);
    QVERIFY(!OrderFiles::Exists(7));
}

void TestOrderDialogs::okTestsFieldsInOrder_data() {
    QTest::addColumn<Typed>("typed");
    QTest::addColumn<QString>("message");
    Typed typed;
    typed.number = "5";
    QTest::newRow("nothing but the number") << typed << "Выделите плательщика";
    typed.payer = 0;
    QTest::newRow("payer only") << typed << "Выделите получателя";
    typed.recipient = 0;
    QTest::newRow("payer and recipient") << typed << "Напишите сумму";
    typed.amount = "1";
    QTest::newRow("and the amount") << typed << "Напишите основание";
    typed.basis = "b";
    QTest::newRow("and the basis") << typed << "Напишите очередность оплаты";
    typed.priority = "5";
    QTest::newRow("all but the term, type and kind") << typed << "Напишите срок платежа";
    typed.term = "t";
    QTest::newRow("all but the type and kind") << typed << "Напишите вид платежа";
    typed.type = "y";
    QTest::newRow("all but the kind") << typed << "Напишите вид оплаты";
    typed.kind = "k";
    QTest::newRow("everything") << typed << "";
    Typed numberZero = Complete("0");
    QTest::newRow("number 0") << numberZero << "Ошибка в номере платежки";
    Typed negative;
    negative.number = "-5";
    QTest::newRow("number -5 comes first") << negative << "Ошибка в номере платежки";
    // A bank numbers orders with six digits at most, and takes a priority of one digit 1 to 5.
    QTest::newRow("number of six digits") << Complete("999999") << "";
    QTest::newRow("number of seven digits")
        << Complete("1000000") << "Номер «1000000»: нужно от 1 до 6 цифр, не 0";
    for (const char* priority : {"пятая", "6", "0", "55", "5."}) {
        Typed typed = Complete("5");
        typed.priority = QString::fromUtf8(priority);
        QTest::addRow("priority «%s»", priority)
            << typed
            << QStringLiteral("Очередность платежа «%1»: нужна цифра от 1 до 5").arg(priority);
    }
    Typed spaced = Complete("5");
    spaced.priority = " 1 ";
    QTest::newRow("priority with blanks around") << spaced << "";
}

void TestOrderDialogs::okTestsFieldsInOrder() {
    QFETCH(Typed, typed);
    QFETCH(QString, message);
    COrderDlg dlg(WorkingFolder().ReadBooks());
    dlg.m_nNumber = 1;
    dlg.m_date = QDate::currentDate();  // a date the bank takes, questioned by no warning
    dlg.OnInitDialog();
    Type(&dlg, typed);
    dlg.OnOK();
    if (message.isEmpty()) {
        QVERIFY(m_log.entries.isEmpty());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.m_strPayer, kPayers.at(typed.payer));
        QCOMPARE(dlg.m_strRecipient, kRecipients.at(typed.recipient));
        QCOMPARE(dlg.m_strAmount, typed.amount);
        QCOMPARE(dlg.m_strPaymentKind, typed.kind);
        QCOMPARE(dlg.m_strPriority, typed.priority.trimmed());
        QCOMPARE(dlg.m_nNumber, typed.number.toInt());
    } else {
        QCOMPARE(m_log.Texts(), QStringList{message});
        QCOMPARE(m_log.entries.first().caption, QStringLiteral("Ошибка"));
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(Edit(&dlg, "amount")->text(), typed.amount);  // what was typed stays
    }
}

void TestOrderDialogs::refusalPutsTheFocusOnTheFieldItNames_data() {
    QTest::addColumn<Typed>("typed");
    QTest::addColumn<QString>("message");  // its beginning
    QTest::addColumn<QString>("field");    // the name of the field that takes the focus
    Typed typed = Complete("5");
    typed.payer = -1;
    QTest::newRow("payer") << typed << "Выделите плательщика"
                           << "payers";
    typed = Complete("5");
    typed.recipient = -1;
    QTest::newRow("recipient") << typed << "Выделите получателя"
                               << "recipients";
    QTest::newRow("number") << Complete("0") << "Ошибка в номере платежки"
                            << "number";
    const QList<std::pair<QString Typed::*, QString>> texts{
        {&Typed::amount, "amount"},     {&Typed::basis, "basis"},
        {&Typed::priority, "priority"}, {&Typed::term, "paymentTerm"},
        {&Typed::type, "paymentType"},  {&Typed::kind, "paymentKind"},
    };
    for (const auto& [member, field] : texts) {
        typed = Complete("5");
        typed.*member = QString();
        QTest::newRow(qPrintable("empty " + field)) << typed << "Напишите " << field;
    }
    typed = Complete("5");
    typed.amount = "12,345";
    QTest::newRow("amount not an amount") << typed << "Неверная сумма"
                                          << "amount";
    QTest::newRow("number of seven digits") << Complete("1234567") << "Номер «1234567»"
                                            << "number";
    typed = Complete("5");
    typed.priority = QStringLiteral("пятая");
    QTest::newRow("priority in words") << typed << "Очередность платежа «пятая»"
                                       << "priority";
}

// Typed key by key and chosen with the mouse, OK clicked: the focus leaves the button for the
// field the message names, its text selected to be typed over.
void TestOrderDialogs::refusalPutsTheFocusOnTheFieldItNames() {
    QFETCH(Typed, typed);
    QFETCH(QString, message);
    QFETCH(QString, field);
    COrderDlg dlg(WorkingFolder().ReadBooks());
    dlg.m_nNumber = 1;
    dlg.m_date = QDate::currentDate();
    dlg.OnInitDialog();
    dlg.show();
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    const std::pair<const char*, QString> edits[] = {
        {"number", typed.number},    {"amount", typed.amount},    {"priority", typed.priority},
        {"paymentTerm", typed.term}, {"paymentType", typed.type}, {"paymentKind", typed.kind},
    };
    for (const auto& [name, text] : edits) {
        TypeOver(Edit(&dlg, name), text);
    }
    TypeOver(Purpose(&dlg), typed.basis);
    for (const auto& [list, row] :
         {std::pair(dlg.m_lbPayers, typed.payer), std::pair(dlg.m_lbRecipients, typed.recipient)}) {
        if (row >= 0) {
            list->setCurrentRow(row);
        }
    }
    ClickOk(&dlg);
    QCOMPARE(m_log.entries.size(), 1);
    QVERIFY2(m_log.entries.first().text.startsWith(message), qPrintable(m_log.Texts().join('|')));
    QVERIFY(dlg.isVisible());
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    QCOMPARE(focus->objectName(), field);
    if (auto* edit = qobject_cast<QLineEdit*>(focus)) {
        QCOMPARE(edit->selectedText(), edit->text());
    } else if (auto* purpose = qobject_cast<WrappedLineEdit*>(focus)) {
        QCOMPARE(purpose->selectedText(), purpose->text());
    }
}

void TestOrderDialogs::refusesANumberThatIsNotWhole_data() {
    QTest::addColumn<QString>("number");
    QTest::newRow("12a") << "12a";
    QTest::newRow("empty") << "";
    QTest::newRow("beyond int") << "2147483648";
    QTest::newRow("far below int") << "-99999999999";
}

void TestOrderDialogs::refusesANumberThatIsNotWhole() {
    QFETCH(QString, number);
    COrderDlg dlg(WorkingFolder().ReadBooks());
    dlg.m_nNumber = 3;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.OnInitDialog();
    Type(&dlg, Complete(number));
    Edit(&dlg, "amount")->setFocus();
    dlg.OnOK();
    QCOMPARE(m_log.Texts(), QStringList{kWholeNumber});
    QCOMPARE(m_log.entries.first().caption, QStringLiteral("Vemo"));
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.focusWidget(), Edit(&dlg, "number"));
    QCOMPARE(Edit(&dlg, "number")->text(), number);
    QCOMPARE(dlg.m_nNumber, 3);  // never wrapped to another number
}

void TestOrderDialogs::kindOfPaymentTakesTwoCharacters() {
    COrderDlg dlg(WorkingFolder().ReadBooks());
    dlg.OnInitDialog();
    QLineEdit* kind = Edit(&dlg, "paymentKind");
    QTest::keyClicks(kind, "abc");
    QCOMPARE(kind->text(), QStringLiteral("ab"));
}

void TestOrderDialogs::preselectsExactNames_data() {
    QTest::addColumn<QString>("payer");
    QTest::addColumn<QString>("recipient");
    QTest::addColumn<int>("payerRow");
    QTest::addColumn<int>("recipientRow");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("exact name after a longer one") << "Alfa"
                                                   << "Дельта" << 1 << 1 << QStringList{};
    QTest::newRow("first of two equal") << "alfa-2"
                                        << "Гамма" << 0 << 0 << QStringList{};
    QTest::newRow("beginning only") << "Alf"
                                    << "Гамма" << -1 << 0 << QStringList{"Плательщик не обнаружен"};
    QTest::newRow("other letter case")
        << "ALFA"
        << "гамма" << -1 << -1 << QStringList{"Плательщик не обнаружен", "Получатель не обнаружен"};
    QTest::newRow("trailing blank")
        << "Alfa"
        << "Гамма " << 1 << -1 << QStringList{"Получатель не обнаружен"};
}

void TestOrderDialogs::preselectsExactNames() {
    QFETCH(QString, payer);
    QFETCH(QString, recipient);
    QFETCH(int, payerRow);
    QFETCH(int, recipientRow);
    QFETCH(QStringList, messages);
    WriteNames("pltRecv.dat", kPayers + QStringList{"alfa-2"});
    QVERIFY(OrderFiles::SaveOrder(1, Row(1, payer, recipient)));
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.SelectRow(0);
    int payerShown = -2;
    int recipientShown = -2;
    WhenDialogOpens<COrderDlg>([&](COrderDlg* dlg) {
        payerShown = SelectedRow(dlg->m_lbPayers);
        recipientShown = SelectedRow(dlg->m_lbRecipients);
        dlg->OnOK();
    });
    Press(&archive, kEditOrder);
    QCOMPARE(payerShown, payerRow);
    QCOMPARE(recipientShown, recipientRow);
    if (payerRow < 0) {
        messages.append("Выделите плательщика");
    } else if (recipientRow < 0) {
        messages.append("Выделите получателя");
    }
    QCOMPARE(m_log.Texts(), messages);
}

void TestOrderDialogs::missingRequisitesFileGivesAnEmptyList() {
    QVERIFY(QFile::remove("pltRecv.dat"));
    COrderDlg dlg(WorkingFolder().ReadBooks());
    dlg.m_nNumber = 1;
    dlg.OnInitDialog();
    QCOMPARE(dlg.m_lbPayers->count(), 0);
    QCOMPARE(dlg.m_lbRecipients->count(), kRecipients.size());
    QVERIFY(!QFile::exists("pltRecv.dat"));  // reading creates nothing
}

void TestOrderDialogs::unreadableRequisitesFileIsToldOnce() {
    QVERIFY(QFile::remove("polRecv.dat"));
    QVERIFY(QDir().mkdir("polRecv.dat"));  // there, but can't be read
    const QByteArray payers = ReadBytes("pltRecv.dat");
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    int payersShown = -1;
    WhenDialogOpens<COrderDlg>([&](COrderDlg* dlg) { payersShown = dlg->m_lbPayers->count(); });
    Press(&archive, kCreateNew);
    QCOMPARE(m_log.Texts(), QStringList{QStringLiteral("Не могу прочитать реквизиты")});
    QCOMPARE(payersShown, kPayers.size());
    QVERIFY(QFileInfo("polRecv.dat").isDir());
    QCOMPARE(ReadBytes("pltRecv.dat"), payers);
}

// The order dialog is up, and the box stands centred over it.
void TestOrderDialogs::missingNameIsToldOverTheShownDialog() {
    MessageBoxes::SetTestLog(nullptr);
    QVERIFY(OrderFiles::SaveOrder(1, Row(1, QStringLiteral("Нет такого"), "Гамма")));
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.SelectRow(0);
    QStringList texts;
    bool overTheDialog = true;
    QTimer boxes;
    connect(&boxes, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            auto* dlg = qobject_cast<COrderDlg*>(box->parentWidget());
            overTheDialog =
                overTheDialog && dlg && dlg->isVisible() &&
                (box->geometry().center() - dlg->geometry().center()).manhattanLength() < 40;
            texts.append(box->text());
            box->accept();
        } else if (auto* dlg = qobject_cast<COrderDlg*>(modal); dlg && !texts.isEmpty()) {
            dlg->reject();
        }
    });
    boxes.start(10);
    Press(&archive, kEditOrder);
    boxes.stop();
    QCOMPARE(texts, QStringList{QStringLiteral("Плательщик не обнаружен")});
    QVERIFY(overTheDialog);
}

void TestOrderDialogs::refusesCharactersThatCannotBeSaved_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caption");
    QTest::newRow("check mark in the basis") << "basis" << QStringLiteral("за ✓") << "Основание";
    QTest::newRow("emoji in the amount") << "amount" << QStringLiteral("10 😀") << "Сумма";
    QTest::newRow("line break in the type") << "paymentType"
                                            << "a\nb"
                                            << "Вид платежа";
    QTest::newRow("chinese in the priority")
        << "priority" << QStringLiteral("六") << "Очередность платежа";
    QTest::newRow("signs of the code page") << "basis" << QStringLiteral("№ 5, 10 € «да»") << "";
}

void TestOrderDialogs::refusesCharactersThatCannotBeSaved() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, caption);
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    WhenDialogOpens<COrderDlg>([&](COrderDlg* dlg) {
        Type(dlg, Complete("1"));
        if (field == QLatin1String("basis")) {
            Purpose(dlg)->setText(text);
        } else {
            Edit(dlg, field.toLatin1().constData())->setText(text);
        }
        dlg->OnOK();
        QCOMPARE(dlg->isVisible(), !caption.isEmpty());
    });
    Press(&archive, kCreateNew);
    if (caption.isEmpty()) {
        QVERIFY(m_log.entries.isEmpty());
        QCOMPARE(OrderFiles::LoadOrders().first()[kColumnBasis], text);
    } else {
        QCOMPARE(m_log.entries.size(), 1);
        QCOMPARE(m_log.entries.first().caption, QStringLiteral("Ошибка"));
        QVERIFY(m_log.entries.first().text.contains("«" + caption + "»"));
        QVERIFY(!OrderFiles::Exists(1));
        QCOMPARE(archive.RowCount(), 0);
    }
}

// The purpose shows the bank's 210 characters on several lines and stays one line of text: a line
// break pasted becomes a blank, and Enter writes the order rather than breaking the line.
void TestOrderDialogs::purposeWrapsButStaysOneLine() {
    const QString typed =
        QStringLiteral("Оплата по счету № 17 за поставку товара ").repeated(6).left(202);
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    m_log.answers = {false, false};  // "Сохранить как есть" should the form not show it whole
    WhenDialogOpens<COrderDlg>([&](COrderDlg* dlg) {
        Type(dlg, Complete("1"));
        WrappedLineEdit* purpose = Purpose(dlg);
        TypeOver(purpose, typed);
        QApplication::clipboard()->setText(QStringLiteral("\nпо\r\nдог."));
        QTest::keyClick(purpose, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(purpose->text().size(), 210);
        QTextCursor end = purpose->textCursor();
        end.movePosition(QTextCursor::End);
        QVERIFY(purpose->cursorRect(end).top() >
                purpose->cursorRect(QTextCursor(purpose->document())).bottom());
        QCOMPARE(purpose->verticalScrollBar()->maximum(), 0);  // all of it in sight
        QTest::keyClick(purpose, Qt::Key_Return);
    });
    Press(&archive, kCreateNew);
    const QList<OrderRow> orders = OrderFiles::LoadOrders();
    QCOMPARE(orders.size(), 1);
    QCOMPARE(orders.first()[kColumnBasis], typed + QStringLiteral(" по дог."));
}

// A field longer than a line edit holds by default, read from a file, goes back whole.
void TestOrderDialogs::longFieldIsWrittenBackWhole() {
    OrderRow row = Row(1);
    row[kColumnBasis] = QString(40000, QChar(u'Ж')) + QStringLiteral("конец");
    QVERIFY(OrderFiles::SaveOrder(1, row));
    const QByteArray before = ReadBytes("Vemo/vemo.1");
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.SelectRow(0);
    WhenDialogOpens<COrderDlg>([&](COrderDlg* dlg) {
        QCOMPARE(Purpose(dlg)->text(), row[kColumnBasis]);
        PressOk(dlg);
    });
    QVERIFY(QFile::remove("Vemo/vemo.1"));
    m_log.answers = {false, false};  // "Сохранить как есть" to both warnings
    Press(&archive, kEditOrder);
    // The form shows only the beginning of such a purpose, and the bank takes 210 characters:
    // asked twice, and kept as it is; then the removed file is written back on "Да".
    QCOMPARE(m_log.entries.size(), 3);
    QVERIFY(m_log.entries.at(1).text.contains(QStringLiteral("не длиннее 210 знаков")));
    QCOMPARE(m_log.Texts().last(), kWrittenByAnother.arg(1));
    QVERIFY2(m_log.entries.first().text.contains(QStringLiteral("«Основание»")),
             qPrintable(m_log.entries.first().text));
    QCOMPARE(ReadBytes("Vemo/vemo.1"), before);
    QCOMPARE(archive.RowAt(0), row);
}

// A kind of payment longer than the dialog lets one type, read from a file, is shown whole and
// refused at OK with the reason, never cut to fit.
void TestOrderDialogs::longKindOfPaymentIsRefusedNotCut() {
    OrderRow row = Row(1);
    row[kColumnPaymentKind] = "012";
    QVERIFY(OrderFiles::SaveOrder(1, row));
    const QByteArray before = ReadBytes("Vemo/vemo.1");
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.SelectRow(0);
    bool refused = false;
    WhenDialogOpens<COrderDlg>([&](COrderDlg* dlg) {
        QCOMPARE(Edit(dlg, "paymentKind")->text(), QStringLiteral("012"));
        PressOk(dlg);
        refused = dlg->isVisible();
        QCOMPARE(dlg->focusWidget(), Edit(dlg, "paymentKind"));
    });
    Press(&archive, kEditOrder);
    QVERIFY(refused);
    QCOMPARE(m_log.Texts(), QStringList{QStringLiteral("Введите не более 2 знаков.")});
    QCOMPARE(ReadBytes("Vemo/vemo.1"), before);
    QCOMPARE(archive.RowAt(0), row);
}

// Every control character but TAB, read from files another program wrote, goes nowhere: the
// dialogs refuse it, the export refuses the order with the reason, `vemo --check` names it, and
// every message shows it as a terminal does ("^K"), a NUL included, without cutting the line.
void TestOrderDialogs::controlCharactersGoNowhere_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("named");  // how the messages name it
    QTest::addColumn<QString>("shown");  // how a quoted value shows it
    // TAB is kept as text; LF cannot stand inside a line of a file; CR is a line break.
    const char* const kShown[32] = {
        "^@", "^A", "^B", "^C", "^D", "^E", "^F",  "^G", "^H", nullptr, nullptr,
        "^K", "^L", "^M", "^N", "^O", "^P", "^Q",  "^R", "^S", "^T",    "^U",
        "^V", "^W", "^X", "^Y", "^Z", "^[", "^\\", "^]", "^^", "^_",
    };
    for (int code = 0; code < 32; ++code) {
        if (kShown[code]) {
            const QString shown = QString::fromLatin1(kShown[code]);
            const QString named = code == '\r' ? QStringLiteral("перевод строки")
                                               : QStringLiteral("%1 (код %2)").arg(shown).arg(code);
            QTest::addRow("0x%02X", code) << code << named << shown;
        }
    }
    // Byte 0x98, which code page 1251 leaves without a letter, reads as U+0098, a control
    // character of the second row; the others of that row have no byte in the code page.
    QTest::newRow("byte 0x98") << 0x98 << QStringLiteral("M-^X (код 152)") << "M-^X";
}

void TestOrderDialogs::controlCharactersGoNowhere() {
    QFETCH(int, code);
    QFETCH(QString, named);
    QFETCH(QString, shown);
    const QString c = QString(QChar(char16_t(code)));
    // Order 1 holds it in its basis, the payer's record in its bank, order 2 in its recipient's
    // name, which is in no address book.
    OrderRow order = Row(1);
    order[kColumnBasis] = QStringLiteral("за") + c + QStringLiteral("хлеб");
    QVERIFY(LineFile::Write("Vemo/vemo.1", order.Lines()));
    const QString stranger = QStringLiteral("Гамма") + c + QStringLiteral("Б");
    QVERIFY(LineFile::Write("Vemo/vemo.2", Row(2, "Alfa", stranger).Lines()));
    CRequisite payer;
    payer.m_strName = "Alfa";
    payer.m_strBank = QStringLiteral("Банк") + c;
    QVERIFY(RequisitesFile::Write("pltRecv.dat", {payer}));
    const QByteArray stored = ReadBytes("Vemo/vemo.1");

    // The order dialog refuses it at OK, and the record dialog too.
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.SelectRow(0);
    bool stays = false;
    WhenDialogOpens<COrderDlg>([&](COrderDlg* dlg) {
        // A carriage return shows as the line break it is.
        QCOMPARE(Purpose(dlg)->text(), QString(order[kColumnBasis]).replace(u'\r', u'\n'));
        PressOk(dlg);
        stays = dlg->isVisible();
        dlg->reject();
    });
    Press(&archive, kEditOrder);
    QVERIFY(stays);
    CRequisitesDlg record;
    record.m_strName = payer.m_strName;
    record.m_strBank = payer.m_strBank;
    record.show();
    ClickOk(&record);
    QVERIFY(record.isVisible());
    QCOMPARE(m_log.entries.size(), 2);
    const QStringList refusals = m_log.Texts();
    QVERIFY2(
        refusals.at(0).contains(QStringLiteral("«Основание»")) && refusals.at(0).contains(named),
        qPrintable(refusals.at(0)));
    QVERIFY2(refusals.at(1).contains(QStringLiteral("«Банк»")) && refusals.at(1).contains(named),
             qPrintable(refusals.at(1)));
    QCOMPARE(ReadBytes("Vemo/vemo.1"), stored);

    // The export refuses the order for both, and names them.
    const CRequisite recipient = [] {
        CRequisite r;
        r.m_strName = QStringLiteral("Гамма");
        return r;
    }();
    const BankExport::Result exported = BankExport::Compose(
        {order}, {payer}, {recipient}, "Vemo", "1", QDateTime(QDate(2026, 3, 5), QTime(9, 0)));
    QCOMPARE(exported.exported, 0);
    QCOMPARE(exported.refused.size(), 1);
    const QString reasons = OrderRefusal::ListText(exported.refused);
    QVERIFY2(reasons.contains(QStringLiteral("«Основание»")) && reasons.contains("«Банк»") &&
                 reasons.count(named) == 2 && !HoldsRawControl(reasons),
             qPrintable(reasons));

    // vemo --check names both, and quotes the stranger's name whole on its line.
    QProcess check;
    check.start(VemoExecutable(), {"--check"});
    QVERIFY(check.waitForFinished(30000));
    QCOMPARE(check.exitCode(), 1);
    const QByteArray bytes = check.readAllStandardOutput();
    const QString out = QString::fromUtf8(bytes);
    const QString shownStranger = QStringLiteral("Гамма") + shown + QStringLiteral("Б");
    const QStringList expected = {
        QStringLiteral("pltRecv.dat: запись 1 «Alfa»: Банк: недопустимые знаки ") + named,
        QStringLiteral("Vemo/vemo.1: поле «Основание»: недопустимые знаки ") + named,
        QStringLiteral("Vemo/vemo.2: получатель «%1» не найден в polRecv.dat").arg(shownStranger),
        QStringLiteral("Vemo/vemo.2: поле «Получатель»: недопустимые знаки ") + named,
    };
    QCOMPARE(out.split('\n', Qt::SkipEmptyParts), expected);
    QVERIFY(!HoldsRawControl(out));
}

void TestOrderDialogs::failedWriteLeavesTheListAsOnDisk_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("number");
    QTest::newRow("new") << int(kCreateNew) << "9";
    QTest::newRow("copy") << int(kCreateCopy) << "9";
    QTest::newRow("edit") << int(kEditOrder) << "2";
    QTest::newRow("edit to another number") << int(kEditOrder) << "9";
}

void TestOrderDialogs::failedWriteLeavesTheListAsOnDisk() {
    QFETCH(int, button);
    QFETCH(QString, number);
    SaveRows({1, 2});
    const QByteArray before = ReadBytes("Vemo/vemo.2");
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.SelectRow(1);
    LineFile::g_pWriteFault = FailOrderWrites;
    TypeAndConfirm(Complete(number));
    Press(&archive, button);
    QCOMPARE(m_log.Texts(), QStringList{kCannotWrite});
    QCOMPARE(m_log.entries.first().caption, QStringLiteral("Ошибка"));
    QCOMPARE(archive.RowCount(), 2);
    QCOMPARE(archive.RowAt(1), Row(2));
    QCOMPARE(ReadBytes("Vemo/vemo.2"), before);
    QVERIFY(!OrderFiles::Exists(9));
}

void TestOrderDialogs::asksBeforeReplacingAnotherOrder_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("number");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("new with a listed number") << 0 << 1 << QStringList{"   2", "   3", "   1"};
    QTest::newRow("copy with a listed number") << 1 << 2 << QStringList{"   1", "   3", "   2"};
    QTest::newRow("new with the number of an unlisted file")
        << int(kCreateNew) << 7 << QStringList{"   1", "   2", "   3", "   7"};
    QTest::newRow("edit to a listed number") << int(kEditOrder) << 1 << QStringList{"   2", "   1"};
}

void TestOrderDialogs::asksBeforeReplacingAnotherOrder() {
    QFETCH(int, button);
    QFETCH(int, number);
    QFETCH(QStringList, shown);
    SaveRows({1, 2, 3});
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    QVERIFY(OrderFiles::SaveOrder(7, Row(7)));  // written by another hand after the list was made
    archive.SelectRow(2);
    TypeAndConfirm(Complete(QString::number(number)));
    Press(&archive, button);
    QCOMPARE(m_log.Texts(),
             QStringList{
                 QStringLiteral("Платежное поручение № %1 уже есть. Заменить его?").arg(number)});
    QCOMPARE(ShownNumbers(archive), shown);
    // The written row is the one left for that number; the file holds the new order.
    QCOMPARE(archive.RowAt(archive.RowCount() - 1)[kColumnPayer], QStringLiteral("Бета"));
    QStringList lines;
    QCOMPARE(LineFile::Read(OrderFiles::FileName(number), &lines), LineFile::ReadResult::Ok);
    QCOMPARE(lines.value(kColumnPayer), QStringLiteral("Бета"));
    QVERIFY(OrderFiles::Exists(3));  // an edit leaves the file of its old number
}

void TestOrderDialogs::declinedReplacementKeepsTheDialogAsTyped() {
    SaveRows({1, 2});
    const QByteArray before = ReadBytes("Vemo/vemo.1");
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    m_log.answerYes = false;
    WhenDialogOpens<COrderDlg>([&](COrderDlg* dlg) {
        Type(dlg, Complete("1"));
        Purpose(dlg)->setFocus();
        dlg->OnOK();
        QVERIFY(dlg->isVisible());
        QCOMPARE(dlg->focusWidget(), Edit(dlg, "number"));
        QCOMPARE(Edit(dlg, "number")->text(), QStringLiteral("1"));
        QCOMPARE(Purpose(dlg)->text(), QStringLiteral("за хлеб"));
        QCOMPARE(SelectedRow(dlg->m_lbPayers), 2);
        // Another number then goes through without a question.
        Edit(dlg, "number")->setText("5");
        dlg->OnOK();
    });
    Press(&archive, kCreateNew);
    QCOMPARE(m_log.entries.size(), 1);
    QCOMPARE(ReadBytes("Vemo/vemo.1"), before);
    QCOMPARE(ShownNumbers(archive), (QStringList{"   1", "   2", "   5"}));
}

void TestOrderDialogs::ownNumberNeverAsks() {
    // Two rows show number 12; the second is order 12's own file.
    WriteBytes("Vemo/vemo.9", "  12\r\n");
    QVERIFY(OrderFiles::SaveOrder(12, Row(12)));
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.SelectRow(1);
    TypeAndConfirm(Complete("12"));
    Press(&archive, kEditOrder);
    QVERIFY(m_log.entries.isEmpty());
    QCOMPARE(ShownNumbers(archive), (QStringList{"  12", "  12"}));
    QCOMPARE(archive.RowAt(1)[kColumnPayer], QStringLiteral("Бета"));
}

void TestOrderDialogs::editOfACopiedFileAsksBeforeWritingItsNumber_data() {
    QTest::addColumn<bool>("replace");
    QTest::newRow("Нет") << false;
    QTest::newRow("Да") << true;
}

// The row of vemo.7 shows number 3, so its edit writes vemo.3: another order's file.
void TestOrderDialogs::editOfACopiedFileAsksBeforeWritingItsNumber() {
    QFETCH(bool, replace);
    SaveRows({3});
    const QByteArray three = ReadBytes("Vemo/vemo.3");
    WriteMismatchedCopy();
    const QByteArray seven = ReadBytes("Vemo/vemo.7");
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    const OrderRow copied = archive.RowAt(1);
    archive.SelectRow(1);
    m_log.answerYes = replace;
    bool leftOpen = false;
    WhenDialogOpens<COrderDlg>([&](COrderDlg* dlg) {
        PressOk(dlg);
        leftOpen = dlg->isVisible();
    });
    Press(&archive, kEditOrder);
    QCOMPARE(m_log.Texts(),
             QStringList{QStringLiteral("Платежное поручение № 3 уже есть. Заменить его?")});
    QCOMPARE(leftOpen, !replace);
    QCOMPARE(ReadBytes("Vemo/vemo.7"), seven);  // an edit never touches the file of its own name
    if (!replace) {
        QCOMPARE(ReadBytes("Vemo/vemo.3"), three);
        QCOMPARE(archive.RowCount(), 2);
        return;
    }
    QCOMPARE(ReadBytes("Vemo/vemo.3"), Cp1251::Encode(copied.Lines().join("\r\n") + "\r\n"));
    QCOMPARE(archive.RowCount(), 1);  // the replaced order's row is gone
    QCOMPARE(archive.RowAt(0), copied);
    // The row now stands for the file it was written to.
    archive.SelectRow(0);
    Press(&archive, kDeleteOrder);
    QVERIFY(!QFile::exists("Vemo/vemo.3"));
    QVERIFY(QFile::exists("Vemo/vemo.7"));
}

// Replacing another order is the harmful answer: Enter on the question must not give it.
void TestOrderDialogs::replacementDefaultsToNo() {
    MessageBoxes::SetTestLog(nullptr);
    SaveRows({1, 2});
    const QByteArray before = ReadBytes("Vemo/vemo.1");
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    bool defaultIsNo = false;
    bool asked = false;
    bool leftOpen = false;
    WhenDialogOpens<COrderDlg>([&](COrderDlg* dlg) {
        Type(dlg, Complete("1"));
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                return;
            }
            asked = box->text().contains(QStringLiteral("№ 1 уже есть"));
            defaultIsNo =
                box->defaultButton() && box->defaultButton() == box->button(QMessageBox::No);
            QTest::keyClick(box, Qt::Key_Return);
            if (box->isVisible()) {
                box->reject();  // so that the test can't hang on it
            }
        });
        PressOk(dlg);
        leftOpen = dlg->isVisible();
    });
    Press(&archive, kCreateNew);
    QVERIFY(asked);
    QVERIFY(defaultIsNo);
    QVERIFY(leftOpen);
    QCOMPARE(ReadBytes("Vemo/vemo.1"), before);
    QCOMPARE(ShownNumbers(archive), (QStringList{"   1", "   2"}));
}

// The rule itself is tst_orderamount's; here the dialog's answer to either side of it.
void TestOrderDialogs::okTakesOnlyAnAmountOfRoublesAndKopecks_data() {
    QTest::addColumn<QString>("amount");
    QTest::addColumn<bool>("taken");
    QTest::newRow("letters") << "abc" << false;
    QTest::newRow("one blank") << " " << false;  // written, so refused as no amount
    QTest::newRow("blanks around, kept") << " 1234,5 " << true;
}

void TestOrderDialogs::okTakesOnlyAnAmountOfRoublesAndKopecks() {
    QFETCH(QString, amount);
    QFETCH(bool, taken);
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    WhenDialogOpens<COrderDlg>([&](COrderDlg* dlg) {
        Type(dlg, Complete("1"));
        QLineEdit* edit = Edit(dlg, "amount");
        TypeOver(edit, amount);
        Purpose(dlg)->setFocus();
        ClickOk(dlg);
        QCOMPARE(dlg->isVisible(), !taken);
        if (!taken) {
            QCOMPARE(m_log.entries.size(), 1);
            QCOMPARE(m_log.entries.first().caption, QStringLiteral("Ошибка"));
            QVERIFY2(m_log.entries.first().text.contains("«" + amount + "»"),
                     qPrintable(m_log.entries.first().text));
            QCOMPARE(dlg->focusWidget(), edit);
            QCOMPARE(edit->text(), amount);
        }
    });
    Press(&archive, kCreateNew);
    if (taken) {
        QVERIFY2(m_log.entries.isEmpty(), qPrintable(m_log.Texts().join('|')));
        QCOMPARE(OrderFiles::LoadOrders().first()[kColumnAmount], amount);  // as typed
    } else {
        QVERIFY(!OrderFiles::Exists(1));
        QCOMPARE(archive.RowCount(), 0);
    }
}

void TestOrderDialogs::storedKindOfPaymentIsShownWholeAndRefused() {
    OrderRow row = Row(4);
    row[kColumnPaymentKind] = "XYZ";
    QVERIFY(OrderFiles::SaveOrder(4, row));
    const QByteArray stored = ReadBytes(OrderFiles::FileName(4));
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.SelectRow(0);
    WhenDialogOpens<COrderDlg>([&](COrderDlg* dlg) {
        QLineEdit* kind = Edit(dlg, "paymentKind");
        QCOMPARE(kind->text(), QStringLiteral("XYZ"));
        Purpose(dlg)->setFocus();
        ClickOk(dlg);
        QCOMPARE(m_log.Texts(), QStringList{QStringLiteral("Введите не более 2 знаков.")});
        QVERIFY(dlg->isVisible());
        QCOMPARE(dlg->focusWidget(), kind);
        QCOMPARE(ReadBytes(OrderFiles::FileName(4)), stored);
        // Once shortened, the field takes no third character again.
        kind->end(false);
        QTest::keyClick(kind, Qt::Key_Backspace);
        QTest::keyClick(kind, Qt::Key_A);
        QCOMPARE(kind->text(), QStringLiteral("XY"));
        ClickOk(dlg);
        QVERIFY(!dlg->isVisible());
    });
    Press(&archive, kEditOrder);
    QCOMPARE(OrderFiles::LoadOrders().first()[kColumnPaymentKind], QStringLiteral("XY"));
}

void TestOrderDialogs::textLongerThanTheFormAsksToKeepOrEdit_data() {
    QTest::addColumn<bool>("keep");
    QTest::newRow("kept as it is") << true;
    QTest::newRow("back to edit it") << false;
}

void TestOrderDialogs::textLongerThanTheFormAsksToKeepOrEdit() {
    QFETCH(bool, keep);
    const QString basis = QStringLiteral("Оплата по счету № 17 за поставку товара ").repeated(30);
    // The archive writes for the current edition unless told otherwise.
    const int shown = FormPlaces::ShownChars(FormField::Basis, basis, FormEdition::Current);
    QVERIFY(shown > 0 && shown < basis.size());
    m_log.answerYes = !keep;  // the first choice is "Исправить"
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    WhenDialogOpens<COrderDlg>([&](COrderDlg* dlg) {
        Type(dlg, Complete("1"));
        Edit(dlg, "paymentTerm")->clear();  // today's rules leave 19 and 5 empty
        Edit(dlg, "paymentType")->clear();
        WrappedLineEdit* edit = Purpose(dlg);
        edit->setText(basis);
        Edit(dlg, "amount")->setFocus();
        ClickOk(dlg);
        // Kept for the form, the purpose is then questioned for the bank's limit.
        QCOMPARE(m_log.entries.size(), keep ? 2 : 1);
        const QString question = m_log.entries.first().text;
        QVERIFY2(question.contains(QStringLiteral("«Основание»")) &&
                     question.contains(QString::number(shown)) &&
                     question.contains(QString::number(basis.size())),
                 qPrintable(question));
        QCOMPARE(dlg->isVisible(), !keep);
        if (!keep) {
            QCOMPARE(dlg->focusWidget(), edit);
            QCOMPARE(edit->selectedText(), basis.mid(shown));  // what the form leaves out
            QCOMPARE(edit->text(), basis);
        }
    });
    Press(&archive, kCreateNew);
    if (keep) {
        QCOMPARE(OrderFiles::LoadOrders().first()[kColumnBasis], basis);
    } else {
        QVERIFY(!OrderFiles::Exists(1));
    }
}

// The real question box: it stands over the dialog, and Enter or Esc go back to the field.
void TestOrderDialogs::enterOnTheLengthQuestionGoesBackToTheField() {
    MessageBoxes::SetTestLog(nullptr);
    COrderDlg dlg(WorkingFolder().ReadBooks());
    dlg.m_nNumber = 1;
    dlg.OnInitDialog();
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    Type(&dlg, Complete("1"));
    QLineEdit* edit = Edit(&dlg, "paymentType");
    edit->setText(QStringLiteral("электронно, через систему клиент-банк").repeated(3));
    QStringList buttons;
    QWidget* parent = nullptr;
    int asked = 0;
    QTimer boxes;
    connect(&boxes, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            return;
        }
        parent = box->parentWidget();
        buttons.clear();
        for (QAbstractButton* button : box->buttons()) {
            buttons << button->text();
        }
        QTest::keyClick(box, ++asked == 1 ? Qt::Key_Return : Qt::Key_Escape);
    });
    boxes.start(10);
    for (int press = 0; press < 2; ++press) {
        ClickOk(&dlg);
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.focusWidget(), edit);
    }
    boxes.stop();
    QCOMPARE(asked, 2);
    QCOMPARE(parent, &dlg);
    QCOMPARE(buttons.size(), 2);
    QVERIFY(buttons.contains(QStringLiteral("Исправить")));
}

// With sixty recipients: the dialog grows and its lists with it, the filter keeps the names that
// hold the typed text (letter case and Ё aside), Down and Enter choose one without ending the
// order; the size is kept for the next order; a new order under today's rules has the payer of
// the last one; Esc asks once something was typed ("Нет" keeps the dialog) and not before.
void TestOrderDialogs::sixtyRecipientsFilteredInAnEnlargedDialog() {
    QStringList recipients;
    for (int i = 1; i <= 58; ++i) {
        recipients << QStringLiteral("ООО Поставщик %1").arg(i);
    }
    recipients << QStringLiteral("ФГУП «Ёлочка»") << QStringLiteral("ИП Елочкин");
    WriteNames("polRecv.dat", recipients);
    QVERIFY(OrderFiles::SaveOrder(1, Row(1, QStringLiteral("Бета"), recipients.first())));
    COrderArchiveDlg archive(m_doc, WorkingFolder());  // today's edition
    QSize enlarged;
    WhenDialogOpens<COrderDlg>([&](COrderDlg* dlg) {
        QCOMPARE(SelectedRow(dlg->m_lbPayers), int(kPayers.indexOf(QStringLiteral("Бета"))));
        // At the smallest size the budget group shows an ОКТМО of eleven figures whole.
        auto* budget = dlg->findChild<QToolButton*>(QStringLiteral("budgetToggle"));
        budget->click();
        dlg->resize(dlg->minimumSize());
        QLineEdit* oktmo = Edit(dlg, "oktmo");
        QVERIFY(oktmo->isVisible());
        // Beside the text, a line edit keeps two pixels of margin on either side.
        QVERIFY(oktmo->width() >=
                oktmo->fontMetrics().horizontalAdvance(QStringLiteral("45000000000")) + 4);
        budget->click();

        dlg->resize(dlg->minimumSize());
        const QRect list = dlg->m_lbRecipients->geometry();
        dlg->resize(dlg->minimumSize() + QSize(200, 160));
        QCOMPARE(dlg->m_lbRecipients->height(), list.height() + 80);
        QCOMPARE(dlg->m_lbRecipients->width(), list.width() + 200);
        for (QWidget* child : dlg->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            QVERIFY2(dlg->rect().contains(child->geometry()) || child->isWindow() ||
                         !child->isVisibleTo(dlg),
                     qPrintable(child->objectName()));
        }
        QVERIFY(FindButton(dlg, QStringLiteral("OK"))->y() > dlg->m_lbPayers->geometry().bottom());

        QLineEdit* filter = Edit(dlg, "recipientsFilter");
        filter->setFocus();
        filter->setText(QStringLiteral("ЕЛОЧ"));
        QStringList shown;
        for (int row = 0; row < dlg->m_lbRecipients->count(); ++row) {
            if (!dlg->m_lbRecipients->item(row)->isHidden()) {
                shown << dlg->m_lbRecipients->item(row)->text();
            }
        }
        QCOMPARE(shown, recipients.mid(58));
        QTest::keyClick(filter, Qt::Key_Down);
        QTest::keyClick(filter, Qt::Key_Down);
        QTest::keyClick(filter, Qt::Key_Return);
        QVERIFY(dlg->isVisible());
        QCOMPARE(SelectedRow(dlg->m_lbRecipients), 59);
        enlarged = dlg->size();
        budget->click();  // its room is left out of the size kept

        m_log.answers = {false, true};
        QTest::keyClick(dlg, Qt::Key_Escape);
        QVERIFY(dlg->isVisible());
        QVERIFY(m_log.Texts().join("").contains(QStringLiteral("без сохранения")));
        QTest::keyClick(dlg, Qt::Key_Escape);
        QVERIFY(!dlg->isVisible());
    });
    Press(&archive, kCreateNew);
    QCOMPARE(m_log.entries.size(), 2);
    QVERIFY(!OrderFiles::Exists(2));

    WhenDialogOpens<COrderDlg>([&](COrderDlg* dlg) {
        QCOMPARE(dlg->size(), enlarged);
        QTest::keyClick(dlg, Qt::Key_Escape);  // nothing typed: closed without a word
        QVERIFY(!dlg->isVisible());
    });
    Press(&archive, kCreateNew);
    QCOMPARE(m_log.entries.size(), 2);
}

QTEST_MAIN(TestOrderDialogs)
#include "tst_orderdialogs.moc"
