// The orders archive as a list to work with: every number readable, the window's room and its
// memory, sorting and searching, and the order the user chose staying chosen through both.
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QToolTip>
#include <QTreeView>
#include <QtTest>
#include <functional>
#include <memory>

#include "DialogDriver.h"
#include "TestEnvironment.h"
#include "TestFolder.h"
#include "TestTrash.h"
#include "common/LineFile.h"
#include "form/CVemoDoc.h"
#include "orders/OrderFiles.h"
#include "orders/OrderTexts.h"
#include "orderwindows/COrderArchiveDlg.h"
#include "orderwindows/COrderDlg.h"
#include "orderwindows/COrderListModel.h"
#include "widgets/MessageBoxes.h"
#include "widgets/WrappedLineEdit.h"

namespace {

// The fixtures' orders fill the term (19) and the type of payment (5), which the current edition
// warns about; these tests are about the dialogs' mechanics, not that warning.
constexpr FormEdition kFixturesEdition = FormEdition::Edition2001;

struct Order {
    int number;
    QDate date;
    QString amount;
    QString payer = QStringLiteral("Alfa");
    QString basis = QStringLiteral("Оплата по счету");
};

void Save(const Order& order) {
    OrderRow row;
    row[kColumnNumber] = OrderTexts::NumberText(order.number);
    row[kColumnDate] = OrderTexts::DateText(order.date);
    row[kColumnPayer] = order.payer;
    row[kColumnRecipient] = QStringLiteral("Гамма");
    row[kColumnAmount] = order.amount;
    row[kColumnBasis] = order.basis;
    row[kColumnPaymentKind] = "01";
    row[kColumnPaymentTerm] = "5";
    row[kColumnPriority] = "5";
    row[kColumnPaymentType] = QStringLiteral("почтой");
    QVERIFY(OrderFiles::SaveOrder(order.number, row));
}

void SaveNumbers(const QList<int>& numbers) {
    for (int number : numbers) {
        Save({number, QDate(2001, 3, 5), QStringLiteral("100")});
    }
}

QTreeView* List(COrderArchiveDlg& archive) {
    return archive.findChild<QTreeView*>(QStringLiteral("orders"));
}

QLineEdit* Search(COrderArchiveDlg& archive) {
    return archive.findChild<QLineEdit*>(QStringLiteral("search"));
}

// The numbers as the list shows them, top to bottom.
QStringList ShownNumbers(COrderArchiveDlg& archive) {
    const QAbstractItemModel* model = List(archive)->model();
    QStringList numbers;
    for (int row = 0; row < model->rowCount(); ++row) {
        numbers.append(model->index(row, kColumnNumber).data().toString());
    }
    return numbers;
}

int CurrentNumber(const COrderArchiveDlg& archive) {
    const int row = archive.CurrentRow();
    return row < 0 ? -1 : archive.RowAt(row).Number();
}

void SelectNumber(COrderArchiveDlg& archive, int number) {
    for (int row = 0; row < archive.RowCount(); ++row) {
        if (archive.RowAt(row).Number() == number) {
            archive.SelectRow(row);
        }
    }
}

void ShowWide(COrderArchiveDlg& archive) {
    archive.resize(1500, 600);  // every column in sight
    archive.show();
    QVERIFY(QTest::qWaitForWindowExposed(&archive));
}

void ClickHeader(COrderArchiveDlg& archive, int column) {
    QHeaderView* header = List(archive)->header();
    const QPoint centre(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
}

void Press(COrderArchiveDlg& archive, const QString& text) {
    ClickButton(&archive, text);
}

QString ProposedNumber(COrderArchiveDlg& archive) {
    QString proposed;
    WhenDialogOpens<COrderDlg>([&](COrderDlg* dlg) {
        proposed = dlg->findChild<QLineEdit*>(QStringLiteral("number"))->text();
    });
    Press(archive, QStringLiteral("Создать новую"));
    return proposed;
}

// The tooltip the list shows when the mouse rests on the cell; empty for none.
QString ToolTipOf(QTreeView* list, const QModelIndex& index) {
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); })) {  // a tip fades, not at once
        return QStringLiteral("<the earlier tip stays>");
    }
    const QPoint at = list->visualRect(index).center();
    QHelpEvent event(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

}  // namespace

class TestOrderArchive : public QObject {
    Q_OBJECT
public:
    static void initMain() { UseOffscreenPlatformUnlessSet(); }

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void numbersAreReadableInTheirCells_data();
    void numbersAreReadableInTheirCells();
    void cutCellShowsItsWholeTextAsToolTip();
    void headerClickSorts_data();
    void headerClickSorts();
    void sortedListPlacesAChangedOrder();
    void listShowsTheFormsAmountsAndRemembersItsSort();
    void searchKeepsRowsHoldingTheText();
    void chosenOrderStaysChosenThroughSortAndSearch();
    void newNumberFollowsFileOrderUnderASortedList();
    void writtenOrderBecomesCurrentInView_data();
    void writtenOrderBecomesCurrentInView();
    void doubleClickDrawsTheOrder();
    void keyboardStartsInTheListAndTabsInOrder();
    void listGrowsWithTheWindow();
    void sizeAndColumnWidthsAreRemembered();
    void staleEditAsksBeforeWritingOverAnotherEditor_data();
    void staleEditAsksBeforeWritingOverAnotherEditor();
    void staleDeleteAsksBeforeRemovingAnotherEditorsOrder_data();
    void staleDeleteAsksBeforeRemovingAnotherEditorsOrder();
    void junkNumberNeverHidesTheList_data();
    void junkNumberNeverHidesTheList();
    void unchangedOrderKeepsTheLinesAfterItsFields();

private:
    std::unique_ptr<TestFolder> m_folder;
    // This program's settings, apart from the user's and other test programs'.
    TestFolder m_settings{TestFolder::Files{}, TestFolder::Enter::No};
    CVemoDoc m_doc;
    MessageBoxes::Log m_log;
};

void TestOrderArchive::initTestCase() {
    QVERIFY(m_settings.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.Path());
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("Vemo"));
}

void TestOrderArchive::init() {
    QSettings().clear();
    m_log = MessageBoxes::Log();
    MessageBoxes::SetTestLog(&m_log);
    m_folder = std::make_unique<TestFolder>(TestFolder::Files{{"Vemo/", {}}});
    QVERIFY(m_folder->isValid());
    QStringList names;
    for (const QString& name : {QStringLiteral("Alfa"), QStringLiteral("Бета")}) {
        names << name << ""
              << ""
              << ""
              << ""
              << "";
    }
    QVERIFY(LineFile::Write("pltRecv.dat", names));
    QVERIFY(
        LineFile::Write("polRecv.dat", QStringList{QStringLiteral("Гамма"), "", "", "", "", ""}));
}

void TestOrderArchive::cleanup() {
    MessageBoxes::SetTestLog(nullptr);
    m_folder.reset();
}

void TestOrderArchive::numbersAreReadableInTheirCells_data() {
    QTest::addColumn<int>("number");
    QTest::newRow("1200") << 1200;
    QTest::newRow("123456") << 123456;
}

void TestOrderArchive::numbersAreReadableInTheirCells() {
    QFETCH(int, number);
    SaveNumbers({7, number});
    Save({number + 1, QDate(2001, 3, 5), QStringLiteral("1 234 567,89")});
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.show();
    QVERIFY(QTest::qWaitForWindowExposed(&archive));
    QTreeView* list = List(archive);
    const QModelIndex cell = list->model()->index(1, kColumnNumber);
    QCOMPARE(archive.RowAt(0)[kColumnNumber], QStringLiteral("   7"));  // the row keeps its blanks
    QCOMPARE(list->model()->index(0, kColumnNumber).data().toString(), QStringLiteral("7"));
    QCOMPARE(cell.data().toString(), QString::number(number));

    const QFontMetrics metrics(list->font());
    const int needed =
        metrics.horizontalAdvance(QString::number(number + 1)) + list->iconSize().width();
    QVERIFY2(list->header()->sectionSize(kColumnNumber) > needed,
             qPrintable(QString::number(list->header()->sectionSize(kColumnNumber))));
    QVERIFY(ToolTipOf(list, cell).isEmpty());  // not cut

    const QModelIndex amount = list->model()->index(2, kColumnAmount);
    for (const QModelIndex& index : {cell, amount}) {
        QVERIFY(Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()) & Qt::AlignRight);
    }
    QVERIFY(
        !(Qt::Alignment(list->model()->index(1, kColumnPayer).data(Qt::TextAlignmentRole).toInt()) &
          Qt::AlignRight));
}

void TestOrderArchive::cutCellShowsItsWholeTextAsToolTip() {
    const QString basis = QStringLiteral("Оплата по счету ") + QString(300, QLatin1Char('x'));
    Save({1, QDate(2001, 3, 5), QStringLiteral("100"), QStringLiteral("Alfa"), basis});
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    ShowWide(archive);
    QTreeView* list = List(archive);
    QCOMPARE(ToolTipOf(list, list->model()->index(0, kColumnBasis)), basis);
    QCOMPARE(ToolTipOf(list, list->model()->index(0, kColumnPayer)), QString());
    // Narrowed by the user, a short text is cut too.
    list->header()->resizeSection(kColumnPayer, 12);
    QCOMPARE(ToolTipOf(list, list->model()->index(0, kColumnPayer)), QStringLiteral("Alfa"));
}

void TestOrderArchive::headerClickSorts_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("ascending");
    // In file order: 9, 10, 100, 1000. As text each column would sort otherwise.
    QTest::newRow("number") << int(kColumnNumber) << QStringList{"9", "10", "100", "1000"};
    QTest::newRow("date") << int(kColumnDate) << QStringList{"100", "1000", "10", "9"};
    QTest::newRow("amount") << int(kColumnAmount) << QStringList{"10", "1000", "9", "100"};
}

void TestOrderArchive::headerClickSorts() {
    QFETCH(int, column);
    QFETCH(QStringList, ascending);
    Save({9, QDate(2001, 12, 21), QStringLiteral("1 000,00")});
    Save({10, QDate(2001, 3, 5), QStringLiteral("9.50")});
    Save({100, QDate(2000, 12, 31), QStringLiteral("1000000")});
    Save({1000, QDate(2001, 1, 15), QStringLiteral("10")});
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    ShowWide(archive);
    QCOMPARE(ShownNumbers(archive), (QStringList{"9", "10", "100", "1000"}));  // file order
    ClickHeader(archive, column);
    QCOMPARE(ShownNumbers(archive), ascending);
    ClickHeader(archive, column);
    QStringList descending(ascending.rbegin(), ascending.rend());
    QCOMPARE(ShownNumbers(archive), descending);
    // The rows themselves keep the archive's order.
    QCOMPARE(archive.RowAt(0).Number(), 9);
}

void TestOrderArchive::sortedListPlacesAChangedOrder() {
    Save({1, QDate(2001, 3, 5), QStringLiteral("30")});
    Save({2, QDate(2001, 3, 5), QStringLiteral("20")});
    Save({3, QDate(2001, 3, 5), QStringLiteral("100")});
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    ShowWide(archive);
    ClickHeader(archive, kColumnAmount);
    QCOMPARE(ShownNumbers(archive), (QStringList{"2", "1", "3"}));
    SelectNumber(archive, 2);
    WhenDialogOpens<COrderDlg>([](COrderDlg* dlg) {
        dlg->findChild<QLineEdit*>(QStringLiteral("amount"))->setText("1 000");
        dlg->OnOK();
    });
    Press(archive, QStringLiteral("Изменить"));
    QCOMPARE(ShownNumbers(archive), (QStringList{"1", "3", "2"}));
    QCOMPARE(CurrentNumber(archive), 2);
    WhenDialogOpens<COrderDlg>([](COrderDlg* dlg) {
        dlg->findChild<QLineEdit*>(QStringLiteral("number"))->setText("4");
        dlg->findChild<QLineEdit*>(QStringLiteral("amount"))->setText("25");
        dlg->OnOK();
    });
    Press(archive, QStringLiteral("Создать копию"));
    QCOMPARE(ShownNumbers(archive), (QStringList{"4", "1", "3", "2"}));
}

void TestOrderArchive::searchKeepsRowsHoldingTheText() {
    Save({1, QDate(2001, 3, 5), QStringLiteral("100"), QStringLiteral("Alfa")});
    Save({2, QDate(2001, 3, 5), QStringLiteral("250"), QStringLiteral("Бета")});
    Save({3, QDate(2001, 3, 5), QStringLiteral("300"), QStringLiteral("Бета"),
          QStringLiteral("за ALFA-сервис")});
    Save({12, QDate(2002, 1, 1), QStringLiteral("7")});
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.show();
    QLineEdit* search = Search(archive);
    QVERIFY(search);
    QTest::keyClicks(search, "alf");
    QCOMPARE(ShownNumbers(archive), (QStringList{"1", "3", "12"}));  // any case, any column
    QTest::keyClicks(search, "a-");
    QCOMPARE(ShownNumbers(archive), QStringList{"3"});
    search->clear();
    QTest::keyClicks(search, "25");  // the amount 250
    QCOMPARE(ShownNumbers(archive), QStringList{"2"});
    search->clear();
    QTest::keyClicks(search, "12");  // the number as shown
    QCOMPARE(ShownNumbers(archive), QStringList{"12"});
    search->clear();
    QCOMPARE(ShownNumbers(archive), (QStringList{"1", "2", "3", "12"}));
    QCOMPARE(archive.RowCount(), 4);
}

void TestOrderArchive::chosenOrderStaysChosenThroughSortAndSearch() {
    SaveNumbers({1, 2, 3, 4});
    Save({5, QDate(2001, 3, 5), QStringLiteral("100"), QStringLiteral("Бета")});
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    ShowWide(archive);
    SelectNumber(archive, 2);
    ClickHeader(archive, kColumnNumber);
    ClickHeader(archive, kColumnNumber);  // now 5, 4, 3, 2, 1: order 2 stands fourth
    QCOMPARE(CurrentNumber(archive), 2);

    QString edited;
    WhenDialogOpens<COrderDlg>([&](COrderDlg* dlg) {
        edited = dlg->findChild<QLineEdit*>(QStringLiteral("number"))->text();
    });
    Press(archive, QStringLiteral("Изменить"));
    QCOMPARE(edited, QStringLiteral("2"));

    // A search that hides the chosen order leaves nothing to act on until it shows it again.
    QLineEdit* search = Search(archive);
    search->setText(QStringLiteral("Бета"));
    QCOMPARE(ShownNumbers(archive), QStringList{"5"});
    QCOMPARE(archive.CurrentRow(), -1);
    Press(archive, QStringLiteral("Удалить"));
    QCOMPARE(m_log.Texts(), QStringList{"Нет выделеной платежки"});
    QCOMPARE(archive.RowCount(), 5);
    search->clear();
    QCOMPARE(CurrentNumber(archive), 2);

    QTest::keyClicks(search, "Alfa");  // still shown, in another place
    QCOMPARE(CurrentNumber(archive), 2);
    WhenDialogOpens<COrderDlg>([](COrderDlg* dlg) { dlg->OnOK(); });
    Press(archive, QStringLiteral("Изменить"));
    QCOMPARE(CurrentNumber(archive), 2);
    // Deleting takes that very order.
    Press(archive, QStringLiteral("Удалить"));
    QVERIFY(!OrderFiles::Exists(2));
    QVERIFY(OrderFiles::Exists(1) && OrderFiles::Exists(3) && OrderFiles::Exists(4));
}

void TestOrderArchive::newNumberFollowsFileOrderUnderASortedList() {
    SaveNumbers({1, 9, 10});
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    ShowWide(archive);
    SelectNumber(archive, 10);
    WhenDialogOpens<COrderDlg>([](COrderDlg* dlg) {
        dlg->findChild<QLineEdit*>(QStringLiteral("number"))->setText("4");
        dlg->OnOK();
    });
    Press(archive, QStringLiteral("Изменить"));
    ClickHeader(archive, kColumnNumber);
    QCOMPARE(ShownNumbers(archive), (QStringList{"1", "4", "9"}));
    QCOMPARE(ProposedNumber(archive), QStringLiteral("5"));  // after the last row by file, 4
    ClickHeader(archive, kColumnNumber);
    QCOMPARE(ShownNumbers(archive), (QStringList{"9", "4", "1"}));
    QCOMPARE(ProposedNumber(archive), QStringLiteral("5"));
}

void TestOrderArchive::writtenOrderBecomesCurrentInView_data() {
    QTest::addColumn<QString>("button");
    QTest::newRow("new") << QStringLiteral("Создать новую");
    QTest::newRow("copy") << QStringLiteral("Создать копию");
}

void TestOrderArchive::writtenOrderBecomesCurrentInView() {
    QFETCH(QString, button);
    QList<int> numbers;
    for (int number = 1; number <= 80; ++number) {
        numbers.append(number);
    }
    SaveNumbers(numbers);
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.show();
    QVERIFY(QTest::qWaitForWindowExposed(&archive));
    QTreeView* list = List(archive);
    SelectNumber(archive, 1);
    list->scrollToTop();
    // The search shows the orders paid "по счету"; the new order, 81, is not one of them.
    Search(archive)->setText(QStringLiteral("по счету"));
    Search(archive)->setFocus();
    WhenDialogOpens<COrderDlg>([](COrderDlg* dlg) {
        for (QLineEdit* field : dlg->findChildren<QLineEdit*>()) {
            if (field->parent()->objectName() != QLatin1String("budget")) {  // not a budget payment
                field->setText("10");
            }
        }
        dlg->findChild<WrappedLineEdit*>(QStringLiteral("basis"))->setText("10");
        dlg->findChild<QLineEdit*>(QStringLiteral("number"))->setText("81");
        dlg->findChild<QLineEdit*>(QStringLiteral("priority"))->setText("5");
        dlg->m_lbPayers->setCurrentRow(1);
        dlg->m_lbRecipients->setCurrentRow(0);
        dlg->OnOK();
    });
    Press(archive, button);
    QCOMPARE(m_log.Texts(), QStringList());
    QCOMPARE(CurrentNumber(archive), 81);
    QVERIFY(Search(archive)->text().isEmpty());
    QCOMPARE(archive.focusWidget(), list);
    const QRect shown = list->visualRect(list->currentIndex());
    QVERIFY(list->viewport()->rect().contains(shown));
    QCOMPARE(list->currentIndex().row(), 80);
}

void TestOrderArchive::doubleClickDrawsTheOrder() {
    SaveNumbers({1, 2, 3});
    CVemoDoc doc;
    COrderArchiveDlg archive(doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    ShowWide(archive);
    QTreeView* list = List(archive);
    ClickHeader(archive, kColumnNumber);
    ClickHeader(archive, kColumnNumber);  // 3, 2, 1
    const QPoint at = list->visualRect(list->model()->index(2, kColumnPayer)).center();
    // As the mouse makes it: press, release, the second press as a double click, release.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(archive.result(), int(QDialog::Accepted));
    QCOMPARE(doc.m_strNumber, QStringLiteral("   1"));
}

// What Tab visits from the focus on, one press at a time: a button by its text, any other control
// by its name.
QStringList TabStops(int presses) {
    QStringList stops;
    for (int i = 0; i < presses; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        auto* button = qobject_cast<QPushButton*>(focus);
        stops.append(button ? button->text() : focus ? focus->objectName() : QString());
    }
    return stops;
}

void TestOrderArchive::keyboardStartsInTheListAndTabsInOrder() {
    SaveNumbers({1, 2});
    {
        // Down and Enter, as soon as the archive is up: the order after the current first one is
        // drawn.
        CVemoDoc doc;
        COrderArchiveDlg archive(doc, WorkingFolder());
        archive.SetFormPaper(kFixturesEdition);
        archive.show();
        archive.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&archive));
        QCOMPARE(QApplication::focusWidget(), List(archive));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(m_log.Texts(), QStringList());
        QCOMPARE(archive.result(), int(QDialog::Accepted));
        QCOMPARE(doc.m_strNumber, QStringLiteral("   2"));
    }
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.show();
    archive.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&archive));
    QCOMPARE(
        TabStops(12),
        (QStringList{QStringLiteral("Создать новую"), QStringLiteral("Создать копию"),
                     QStringLiteral("Изменить"), QStringLiteral("Удалить"),
                     QStringLiteral("Нарисовать платежное поручение"),
                     QStringLiteral("Выгрузить в банк…"), QStringLiteral("Напечатать выбранные…"),
                     QStringLiteral("Создать по счету…"), QStringLiteral("Сохранить как шаблон"),
                     QStringLiteral("Создать по шаблону"), QStringLiteral("Реестр…"), "search"}));
    // Ctrl+F finds from wherever the focus is, with what the field holds ready to be typed over.
    QTest::keyClicks(Search(archive), "12");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != Search(archive));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), Search(archive));
    QCOMPARE(Search(archive)->selectedText(), QStringLiteral("12"));
}

void TestOrderArchive::listGrowsWithTheWindow() {
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.show();
    QVERIFY(QTest::qWaitForWindowExposed(&archive));
    archive.resize(archive.minimumSize());
    QTRY_COMPARE(archive.size(), archive.minimumSize());
    QTreeView* list = List(archive);
    const QRect small = list->geometry();
    QPushButton* draw = nullptr;
    for (QPushButton* push : archive.findChildren<QPushButton*>()) {
        if (push->isDefault()) {
            draw = push;
        }
    }
    QVERIFY(draw);
    const QRect drawSmall = draw->geometry();
    QVERIFY(drawSmall.top() > small.bottom());
    // At the smallest size every button stands whole in the window, none over another, and the
    // line under the list shows all it says.
    const QList<QPushButton*> buttons = archive.findChildren<QPushButton*>();
    for (QPushButton* button : buttons) {
        QVERIFY2(archive.rect().contains(button->geometry()), qPrintable(button->text()));
        for (QPushButton* other : buttons) {
            QVERIFY2(button == other || !button->geometry().intersects(other->geometry()),
                     qPrintable(button->text() + " / " + other->text()));
        }
    }
    auto* line = archive.findChild<QLabel*>(QStringLiteral("chosen"));
    const QRect needed = line->fontMetrics().boundingRect(QRect(0, 0, line->width(), 1000),
                                                          Qt::TextWordWrap, line->text());
    QVERIFY2(needed.height() <= line->height(), qPrintable(line->text()));
    QVERIFY(line->geometry().bottom() < drawSmall.top());

    archive.resize(archive.minimumSize() + QSize(200, 100));
    QTRY_COMPARE(list->geometry().size(), small.size() + QSize(200, 100));
    QCOMPARE(list->geometry().topLeft(), small.topLeft());
    QCOMPARE(draw->geometry(), drawSmall.translated(100, 100));  // under the list's middle
    QVERIFY(Search(archive)->geometry().right() <= list->geometry().right());
}

void TestOrderArchive::sizeAndColumnWidthsAreRemembered() {
    SaveNumbers({1, 2});
    QSize minimum;
    {
        COrderArchiveDlg archive(m_doc, WorkingFolder());
        archive.SetFormPaper(kFixturesEdition);
        minimum = archive.minimumSize();
        archive.show();
        QVERIFY(QTest::qWaitForWindowExposed(&archive));
        archive.resize(minimum + QSize(123, 45));
        List(archive)->header()->resizeSection(kColumnBasis, 321);
        List(archive)->header()->resizeSection(kColumnNumber, 2);
        QTest::keyClick(&archive, Qt::Key_Escape);
        QVERIFY(!archive.isVisible());
    }
    SaveNumbers({123456});
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    QCOMPARE(archive.size(), minimum + QSize(123, 45));
    QTreeView* list = List(archive);
    QCOMPARE(list->header()->sectionSize(kColumnBasis), 321);
    // A number column narrowed below the widest number opens wide enough for it.
    QVERIFY(list->header()->sectionSize(kColumnNumber) >
            QFontMetrics(list->font()).horizontalAdvance(QStringLiteral("123456")));
}

// A long junk first line of an order file, or a number column remembered wider than the window,
// leaves the other columns in sight, then and after the file is mended.
void TestOrderArchive::staleEditAsksBeforeWritingOverAnotherEditor_data() {
    QTest::addColumn<bool>("otherDeletes");
    QTest::addColumn<bool>("writeOurs");
    QTest::newRow("changed, keep theirs") << false << false;
    QTest::newRow("changed, write ours") << false << true;
    QTest::newRow("deleted, keep it deleted") << true << false;
    QTest::newRow("deleted, write ours") << true << true;
}

// Two archives on one folder, as two editors would have them: the second one's edit of an order
// the first has changed or deleted since is written only when the user says so.
void TestOrderArchive::staleEditAsksBeforeWritingOverAnotherEditor() {
    QFETCH(bool, otherDeletes);
    QFETCH(bool, writeOurs);
    Save({1, QDate(2001, 3, 5), QStringLiteral("100")});
    COrderArchiveDlg other(m_doc, WorkingFolder());
    other.SetFormPaper(kFixturesEdition);
    COrderArchiveDlg ours(m_doc, WorkingFolder());
    ours.SetFormPaper(kFixturesEdition);
    const auto editAmount = [](COrderArchiveDlg& archive, const QString& amount) {
        SelectNumber(archive, 1);
        WhenDialogOpens<COrderDlg>([amount](COrderDlg* dlg) {
            dlg->findChild<QLineEdit*>(QStringLiteral("amount"))->setText(amount);
            dlg->OnOK();
        });
        Press(archive, QStringLiteral("Изменить"));
    };
    if (otherDeletes) {
        SelectNumber(other, 1);
        Press(other, QStringLiteral("Удалить"));
    } else {
        editAmount(other, QStringLiteral("200"));
    }
    m_log = MessageBoxes::Log();  // the other archive's own edit or delete asked nothing
    m_log.answers = {writeOurs};
    editAmount(ours, QStringLiteral("300"));
    QCOMPARE(m_log.Texts(),
             QStringList(QStringLiteral("Платежное поручение 1 изменено (или удалено) другой "
                                        "программой после открытия архива. Записать ваше?")));

    OrderRow onDisk;
    const LineFile::ReadResult read = OrderFiles::ReadOrder(1, &onDisk);
    const bool fileGone = otherDeletes && !writeOurs;
    QCOMPARE(read, fileGone ? LineFile::ReadResult::Missing : LineFile::ReadResult::Ok);
    QCOMPARE(onDisk[kColumnAmount].startsWith(QLatin1String("300")), writeOurs);
    // Our list shows what the file now holds, and a second edit of it asks nothing.
    QCOMPARE(ours.RowCount(), fileGone ? 0 : 1);
    if (!fileGone) {
        QCOMPARE(ours.RowAt(0), onDisk);
        m_log = MessageBoxes::Log();
        editAmount(ours, QStringLiteral("400"));
        QCOMPARE(m_log.Texts(), QStringList());
        QVERIFY(OrderFiles::ReadOrder(1, &onDisk) == LineFile::ReadResult::Ok);
        QVERIFY(onDisk[kColumnAmount].startsWith(QLatin1String("400")));
    }
}

void TestOrderArchive::staleDeleteAsksBeforeRemovingAnotherEditorsOrder_data() {
    QTest::addColumn<QString>("other");  // what the other archive did first: "edit", "delete"
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QStringList>("told");
    QTest::addColumn<QString>("left");  // the amount the file holds afterwards; empty: gone
    const QStringList asked{
        QStringLiteral("Платежное поручение 1 изменено (или удалено) другой программой после "
                       "открытия архива. Удалить его?")};
    QTest::newRow("unchanged") << "" << true << QStringList() << "";
    QTest::newRow("changed, delete it") << "edit" << true << asked << "";
    QTest::newRow("changed, keep it") << "edit" << false << asked << "200";
    // Nothing to ask about: the file the user deletes is gone.
    QTest::newRow("deleted already")
        << "delete" << true
        << QStringList{QStringLiteral("Не могу удалить платежку: файла уже нет")} << "";
}

// Two archives on one folder, as two editors would have them: the second one's "Удалить" of an
// order the first has changed since removes it only when the user says so.
void TestOrderArchive::staleDeleteAsksBeforeRemovingAnotherEditorsOrder() {
    QFETCH(QString, other);
    QFETCH(bool, answer);
    QFETCH(QStringList, told);
    QFETCH(QString, left);
    const TestTrash trash;
    QVERIFY(trash.IsInUse() && trash.SharesVolumeWith(m_folder->Path()));
    Save({1, QDate(2001, 3, 5), QStringLiteral("100")});
    COrderArchiveDlg first(m_doc, WorkingFolder());
    COrderArchiveDlg second(m_doc, WorkingFolder());
    SelectNumber(first, 1);
    if (other == "edit") {
        m_log.answerYes = false;  // "Сохранить как есть" to what today's rules warn of
        WhenDialogOpens<COrderDlg>([](COrderDlg* dlg) {
            dlg->findChild<QLineEdit*>(QStringLiteral("amount"))->setText("200");
            dlg->OnOK();
        });
        Press(first, QStringLiteral("Изменить"));
    } else if (other == "delete") {
        Press(first, QStringLiteral("Удалить"));
    }
    const OrderRow theirs = first.RowCount() > 0 ? first.RowAt(0) : OrderRow();
    m_log = MessageBoxes::Log();
    m_log.answers = {answer};
    SelectNumber(second, 1);
    Press(second, QStringLiteral("Удалить"));
    QCOMPARE(m_log.Texts(), told);
    OrderRow onDisk;
    if (left.isEmpty()) {
        QCOMPARE(OrderFiles::ReadOrder(1, &onDisk), LineFile::ReadResult::Missing);
        QCOMPARE(second.RowCount(), 0);
        QCOMPARE(trash.Files(), QStringList{"vemo.1"});  // from whichever archive deleted it
        return;
    }
    QCOMPARE(OrderFiles::ReadOrder(1, &onDisk), LineFile::ReadResult::Ok);
    QCOMPARE(onDisk[kColumnAmount], left);
    QCOMPARE(second.RowCount(), 1);
    QCOMPARE(second.RowAt(0), theirs);  // the list shows the order as it stands now
}

void TestOrderArchive::junkNumberNeverHidesTheList_data() {
    QTest::addColumn<QByteArray>("firstLine");  // of order file 1
    QTest::addColumn<int>("remembered");        // the number column's width last time; 0: none
    const QByteArray junk(3000, '7');
    QTest::newRow("a long junk first line") << junk << 0;
    QTest::newRow("a remembered width of 14 403 px") << QByteArray("   1") << 14403;
    QTest::newRow("both") << junk << 14403;
    QTest::newRow("twelve digits still fit") << QByteArray("123456789012") << 0;
}

void TestOrderArchive::junkNumberNeverHidesTheList() {
    QFETCH(QByteArray, firstLine);
    QFETCH(int, remembered);
    WriteBytes("Vemo/vemo.1", firstLine + "\r\n 5. 3.2001\r\nAlfa\r\n");
    SaveNumbers({2});
    if (remembered > 0) {
        QSettings().setValue("OrderArchive/ColumnWidths",
                             QVariantList{remembered, 100, 200, 200, 100, 500, 100, 100, 150, 100});
    }
    // Whatever stands in the file, the column is never wider than a thirteen-digit number, and
    // the order's state beside its amount is in sight.
    const auto fitsTheWindow = [](COrderArchiveDlg& archive) {
        QTreeView* list = List(archive);
        const int number = list->header()->sectionSize(kColumnNumber);
        const int widest = QFontMetrics(list->font()).horizontalAdvance(QString(13, u'0')) +
                           list->iconSize().width() + 20;
        return number <= widest && list->header()->sectionViewportPosition(
                                       COrderListModel::kStateColumn) < list->viewport()->width();
    };
    {
        COrderArchiveDlg archive(m_doc, WorkingFolder());
        archive.SetFormPaper(kFixturesEdition);
        archive.show();
        QVERIFY(QTest::qWaitForWindowExposed(&archive));
        QVERIFY2(fitsTheWindow(archive),
                 qPrintable(QString::number(List(archive)->header()->sectionSize(0))));
        if (firstLine.size() <= 12) {
            const QModelIndex cell = List(archive)->model()->index(0, kColumnNumber);
            QCOMPARE(ToolTipOf(List(archive), cell), QString());  // shown whole
        }
        QTest::keyClick(&archive, Qt::Key_Escape);  // the widths are remembered
    }
    SaveNumbers({1});  // the file mended
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    archive.show();
    QVERIFY(QTest::qWaitForWindowExposed(&archive));
    QVERIFY(fitsTheWindow(archive));
}

// An order file of 25 lines, the last five written by a later version or another program: "OK"
// on the unchanged order writes back every line as it was.
void TestOrderArchive::unchangedOrderKeepsTheLinesAfterItsFields() {
    QStringList lines{
        "   1", " 5. 3.2001", "Alfa", QStringLiteral("Гамма"), "100", QStringLiteral("Оплата"),
        "01",   "5",          "5",    QStringLiteral("почтой")};
    lines += QStringList(kBudgetFieldCount, QString());
    lines += QStringList{"21", "", QStringLiteral("строка 23"), "24", "25"};
    QVERIFY(LineFile::Write("Vemo/vemo.1", lines));
    const QByteArray before = m_folder->Read("Vemo/vemo.1");
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.SetFormPaper(kFixturesEdition);
    SelectNumber(archive, 1);
    bool edited = false;
    WhenDialogOpens<COrderDlg>([&](COrderDlg* dlg) {
        edited = true;
        dlg->OnOK();
    });
    Press(archive, QStringLiteral("Изменить"));
    QVERIFY(edited);
    QCOMPARE(m_log.Texts(), QStringList());
    QCOMPARE(m_folder->Read("Vemo/vemo.1"), before);
}

// The list shows amounts grouped and dates with noughts, whatever the files hold, and opens again
// sorted as the user left it.
void TestOrderArchive::listShowsTheFormsAmountsAndRemembersItsSort() {
    Save({1, QDate(2026, 12, 8), QStringLiteral("48300")});
    Save({2, QDate(2026, 12, 9), QStringLiteral("1 500 000,5")});
    Save({3, QDate(2026, 12, 10), QStringLiteral("сто")});
    {
        COrderArchiveDlg archive(m_doc, WorkingFolder());
        archive.show();
        archive.findChild<QTreeView*>()->sortByColumn(kColumnAmount, Qt::DescendingOrder);
        archive.reject();
    }
    COrderArchiveDlg archive(m_doc, WorkingFolder());
    archive.show();
    const QAbstractItemModel* shown = archive.findChild<QTreeView*>()->model();
    QStringList amounts;
    for (int row = 0; row < shown->rowCount(); ++row) {
        amounts << shown->index(row, kColumnAmount).data().toString();
    }
    QCOMPARE(amounts, (QStringList{"1 500 000,50", "48 300,00", QStringLiteral("сто")}));
    QCOMPARE(shown->index(1, kColumnDate).data().toString(), QStringLiteral("08.12.2026"));
    QCOMPARE(OrderFiles::LoadOrders().first()[kColumnAmount], QStringLiteral("48300"));
}

QTEST_MAIN(TestOrderArchive)
#include "tst_orderarchive.moc"
