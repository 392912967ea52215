// Start-up and the main window: caption, menu, no shortcuts, the order directory, settings, and
// a record renamed through the menu.
#include <QtTest>

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QTextBrowser>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <QPrintDialog>
#include <QPrintPreviewDialog>

#include "BoxAnswers.h"
#include "DialogDriver.h"
#include "FileSizeLimit.h"
#include "TestEnvironment.h"
#include "TestFolder.h"
#include "TestPdf.h"
#include "app/CGuideWindow.h"
#include "app/CMainFrame.h"
#include "app/CVemoApp.h"
#include "bank/BudgetPayment.h"
#include "bank/OrderUseCases.h"
#include "common/Cp1251.h"
#include "common/LineFile.h"
#include "form/CVemoDoc.h"
#include "form/CVemoView.h"
#include "orders/OrderFiles.h"
#include "orders/OrderTexts.h"
#include "orders/PartyRename.h"
#include "orders/WorkingFolder.h"
#include "orderwindows/COrderArchiveDlg.h"
#include "requisites/BikDirectory.h"
#include "requisites/CRequisitesArchiveDlg.h"
#include "requisites/CRequisitesDlg.h"
#include "requisites/RequisitesFile.h"
#include "widgets/MessageBoxes.h"

namespace {

struct MenuItem {
    QString menu;
    QStringList items;
};

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++count;
        }
        return false;
    }
};

// The order file whose writing fails; empty for none.
QString g_failingFile;

bool FailTheChosenFile(const QString& path) {
    return !g_failingFile.isEmpty() && path.endsWith(g_failingFile);
}

OrderRow Order(int number, const QString& payer, const QString& recipient) {
    OrderRow row;
    row[kColumnNumber] = OrderTexts::NumberText(number);
    row[kColumnDate] = OrderTexts::DateText(QDate(2026, 3, number));
    row[kColumnPayer] = payer;
    row[kColumnRecipient] = recipient;
    row[kColumnAmount] = QStringLiteral("100");
    row[kColumnBasis] = QStringLiteral("Оплата");
    return row;
}

CRequisite Named(const QString& name) {
    CRequisite record;
    record.m_strName = name;
    return record;
}

// The menu item of the main window with the text, in whichever menu it stands.
QAction* MenuAction(CMainFrame* frame, const QString& text) {
    for (QAction* menu : frame->menuBar()->actions()) {
        for (QAction* item : menu->menu() ? menu->menu()->actions() : QList<QAction*>{}) {
            if (item->text() == text) {
                return item;
            }
        }
    }
    return nullptr;
}

// The address books and 150 orders, 100 of them to the recipient "ООО Гамма"; the orders from
// 101 on are large, as on a long purpose.
void WriteManyOrders() {
    QVERIFY(RequisitesFile::Write("pltRecv.dat", {Named(QStringLiteral("ООО Альфа"))}));
    QVERIFY(RequisitesFile::Write(
        "polRecv.dat", {Named(QStringLiteral("ООО Гамма")), Named(QStringLiteral("ООО Дельта"))}));
    for (int number = 1; number <= 150; ++number) {
        OrderRow order =
            Order(number % 28 + 1, QStringLiteral("ООО Альфа"),
                  number % 3 == 0 ? QStringLiteral("ООО Дельта") : QStringLiteral("ООО Гамма"));
        order[kColumnNumber] = OrderTexts::NumberText(number);
        if (number > 100) {
            order[kColumnBasis] = QString(400, u'О');
        }
        const QString text = order.Lines().join("\r\n") + "\r\n";
        WriteBytes(OrderFiles::FileName(number), Cp1251::Encode(text));
    }
}

// The numbers of the orders whose recipient is the name.
QList<int> RecipientOf(const QString& name) {
    QList<int> numbers;
    for (const OrderRow& order : WorkingFolder().ReadOrders().rows) {
        if (order[kColumnRecipient] == name) {
            numbers.append(order.Number());
        }
    }
    return numbers;
}

// Each order file takes a while to write, as on a slow disk; none fails.
bool WriteOrdersSlowly(const QString& path) {
    if (path.contains("vemo.")) {
        QThread::msleep(5);
    }
    return false;
}

// How the session-end test starts this program as the editor it ends.
constexpr char kEditorChild[] = "--editor-child";

// The editor on the folder given, as the desktop starts it, with the payers' archive open and its
// first record deleted: a changed address book in an open window. Says "ready" on standard output
// once it is so, and runs until it is ended.
int RunEditorChild(int argc, char** argv) {
    UseOffscreenPlatformUnlessSet();
    QApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder + "/settings");
    CVemoApp vemo;
    if (!vemo.InitInstance(WorkingFolder(QDir(folder)))) {
        return 2;
    }
    QTimer::singleShot(0, [&vemo] {
        QTimer::singleShot(0, [] {
            auto* archive = qobject_cast<CRequisitesArchiveDlg*>(QApplication::activeModalWidget());
            auto* list = archive ? archive->findChild<QListWidget*>() : nullptr;
            if (!list || list->count() == 0) {
                std::exit(3);
            }
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(0)).center());
            QTest::mouseClick(FindButton(archive, QStringLiteral("Удалить")), Qt::LeftButton);
            std::puts("ready");
            std::fflush(stdout);
        });
        vemo.MainFrame()->menuBar()->actions().at(1)->menu()->actions().at(1)->trigger();
    });
    return app.exec();
}

// Chooses the record of the archive's list with the mouse.
void ClickRecord(QWidget* archive, int record) {
    auto* list = archive->findChild<QListWidget*>();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(record)).center());
}

// Renames a record through the menu as the user does: the record chosen in its book's archive,
// "Изменить", the new name typed, OK, and the archive closed. Whether the record's dialog came up.
bool RenameThroughTheMenu(CVemoApp* app, int kind, int record, const QString& newName) {
    bool opened = false;
    QTimer::singleShot(0, [&] {
        auto* archive = qobject_cast<CRequisitesArchiveDlg*>(QApplication::activeModalWidget());
        QVERIFY(archive);
        ClickRecord(archive, record);
        QTimer::singleShot(0, [&] {
            auto* dlg = qobject_cast<CRequisitesDlg*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            opened = true;
            TypeOver(dlg->findChild<QLineEdit*>("editName"), newName);
            ClickButton(dlg, QStringLiteral("OK"));
        });
        ClickButton(archive, QStringLiteral("Изменить"));
        ClickButton(archive, QStringLiteral("OK"));
    });
    QMenu* archives = app->MainFrame()->menuBar()->actions().at(1)->menu();
    archives->actions().at(kind == kRecipientsKind ? 0 : 1)->trigger();
    return opened;
}

}  // namespace

class TestMainFrame : public QObject {
    Q_OBJECT
public:
    // Run by hand, the program still needs no display.
    static void initMain() { UseOffscreenPlatformUnlessSet(); }

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void startUpShowsTheMaximisedEditor();
    void menuHasItsCommandsInOrder();
    void noKeyRunsACommand();
    void helpMenuStandsAtTheRight();
    void orderDirectoryIsMadeOnce();
    void documentStartsWithPlaceholders();
    void toolkitSpeaksRussian();
    void exitClosesTheWindow();
    void settingsAreWrittenOnExit();
    void drawnOrderRepaintsTheView();
    void whatTheFormLacksIsToldOverItOnceDrawn_data();
    void whatTheFormLacksIsToldOverItOnceDrawn();
    void pointerToTheDocumentGoesWithIt();
    void renamedRecordIsRenamedInItsOrders_data();
    void renamedRecordIsRenamedInItsOrders();
    void deletedRecordNamedByOrdersAsks_data();
    void deletedRecordNamedByOrdersAsks();
    void paperTakesOnlyWhatMayGoOnIt_data();
    void paperTakesOnlyWhatMayGoOnIt();
    void blankFormPrintsEmptyFields();
    void drawingOnThe2001EditionOffersTheCurrent_data();
    void drawingOnThe2001EditionOffersTheCurrent();
    void paperIsRememberedAndTwoOnASheetOnlyForTheCurrentEdition();
    void damagedBikDirectoryIsToldOnceOverTheWindow();
    void cutRenameIsFinishedAtStartOrAsAnArchiveOpens_data();
    void cutRenameIsFinishedAtStartOrAsAnArchiveOpens();
    void longRenameShowsProgressAndIsRetriedOnceThereIsRoom();
    void sessionEndKeepsAChangedBookOpen_data();
    void sessionEndKeepsAChangedBookOpen();

private:
    std::unique_ptr<TestFolder> m_folder;
    // Settings of this program's runs, apart from those of the other test programs.
    TestFolder m_settings{TestFolder::Files{}, TestFolder::Enter::No};
    std::unique_ptr<CVemoApp> m_app;
};

void TestMainFrame::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_settings.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.Path());
}

void TestMainFrame::init() {
    m_folder.reset();
    m_folder = std::make_unique<TestFolder>();
    QVERIFY(m_folder->isValid());
    m_app = std::make_unique<CVemoApp>();
    QVERIFY(m_app->InitInstance());
}

void TestMainFrame::cleanup() {
    m_app.reset();
    m_folder.reset();
    QSettings().clear();  // nothing chosen in the editor at the next test's start
}

void TestMainFrame::startUpShowsTheMaximisedEditor() {
    CMainFrame* frame = m_app->MainFrame();
    QCOMPARE(frame->windowTitle(), QStringLiteral("Редактор платежных поручений"));
    QVERIFY(frame->windowState() & Qt::WindowMaximized);
    QVERIFY(frame->isVisible());
    QCOMPARE(frame->centralWidget(), frame->View());
    QCOMPARE(frame->View()->GetDocument(), m_app->Document());
    QCOMPARE(QCoreApplication::organizationName(),
             QStringLiteral("Local AppWizard-Generated Applications"));
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Vemo"));
}

void TestMainFrame::menuHasItsCommandsInOrder() {
    const QList<MenuItem> expected{
        {"&Файл",
         {"&Печать", "Печать пустого &бланка…", "Предварительный про&смотр",
          "Сохранить &копию данных…", "Восст&ановить из копии…", "&Выход"}},
        {"&Архив",
         {"&Реквизиты получателя", "Р&еквизиты плательщика", "&Платежные поручения",
          "&Загрузить выписку…", "&Справочник БИК…"}},
        {"&Бланк",
         {"Редакция &2001 года", "&Действующая редакция (762-П)", "Два &экземпляра на листе"}},
        {"&Помощь", {"&Руководство", "&О программе"}},
    };
    QList<MenuItem> actual;
    for (QAction* action : m_app->MainFrame()->menuBar()->actions()) {
        if (action->isSeparator()) {
            continue;
        }
        QVERIFY(action->menu());
        MenuItem menu{action->text(), {}};
        for (QAction* item : action->menu()->actions()) {
            if (!item->isSeparator()) {
                menu.items.append(item->text());
            }
        }
        actual.append(menu);
    }
    QCOMPARE(actual.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(actual.at(i).menu, expected.at(i).menu);
        QCOMPARE(actual.at(i).items, expected.at(i).items);
    }
}

// No key but F1, which opens the guide, and that in one window however often it is pressed.
void TestMainFrame::noKeyRunsACommand() {
    CMainFrame* frame = m_app->MainFrame();
    const QList<QAction*> actions = frame->findChildren<QAction*>();
    QVERIFY(actions.size() >= 6);
    for (QAction* action : actions) {
        const QList<QKeySequence> expected = action->text() == QStringLiteral("&Руководство")
                                                 ? QList<QKeySequence>{Qt::Key_F1}
                                                 : QList<QKeySequence>();
        QCOMPARE(action->shortcuts(), expected);
    }
    QVERIFY(frame->findChildren<QShortcut*>().isEmpty());

    QVERIFY(QTest::qWaitForWindowActive(frame));
    QVERIFY(frame->findChildren<CGuideWindow*>().isEmpty());
    for (int press = 0; press < 2; ++press) {
        QTest::keyClick(frame, Qt::Key_F1);
    }
    const QList<CGuideWindow*> guides = frame->findChildren<CGuideWindow*>();
    QCOMPARE(guides.size(), 1);
    QVERIFY(guides.first()->isVisible());
    QCOMPARE(guides.first()->Browser()->source(), QUrl("qrc:/guide/guide.html"));
    QVERIFY(guides.first()->Browser()->toPlainText().contains(QStringLiteral("Первые шаги")));
}

void TestMainFrame::helpMenuStandsAtTheRight() {
    QMenuBar* bar = m_app->MainFrame()->menuBar();
    const QList<QAction*> actions = bar->actions();
    QAction* archive = actions.at(1);
    QAction* help = actions.last();
    QCOMPARE(help->text(), QStringLiteral("&Помощь"));
    const QRect helpRect = bar->actionGeometry(help);
    QVERIFY(helpRect.left() > bar->actionGeometry(archive).right() + bar->width() / 3);
    QVERIFY(bar->width() - helpRect.right() < 20);
}

void TestMainFrame::orderDirectoryIsMadeOnce() {
    QVERIFY(QFileInfo(QStringLiteral("Vemo")).isDir());
    // A second start finds it there and goes on as before.
    QFile marker(QStringLiteral("Vemo/vemo.1"));
    QVERIFY(marker.open(QIODevice::WriteOnly));
    marker.close();
    m_app = std::make_unique<CVemoApp>();
    QVERIFY(m_app->InitInstance());
    QVERIFY(QFileInfo::exists(QStringLiteral("Vemo/vemo.1")));
}

void TestMainFrame::documentStartsWithPlaceholders() {
    const CVemoDoc* doc = m_app->Document();
    QCOMPARE(g_pDoc, doc);
    const QStringList order{doc->m_strNumber,   doc->m_strDate,        doc->m_strAmountInWords,
                            doc->m_strAmount,   doc->m_strPaymentKind, doc->m_strPaymentTerm,
                            doc->m_strPriority, doc->m_strBasis,       doc->m_strPaymentType};
    QCOMPARE(order, (QStringList{"Номер", "дата", "Сумма прописью", "Сумма", "во", "срок пл.",
                                 "очер. пл.", "Налог ...", "вид платежа"}));
    const CRequisite& recipient = doc->m_recipient;
    QCOMPARE((QStringList{recipient.m_strName, recipient.m_strBank, recipient.m_strInnKpp,
                          recipient.m_strBik, recipient.m_strAccount1, recipient.m_strAccount2}),
             (QStringList{"Название получателя", "Банк получателя", "ИНН/КПП получателя",
                          "БИК получателя", "Счет1 получателя", "Счет2 получателя"}));
    const CRequisite& payer = doc->m_payer;
    QCOMPARE((QStringList{payer.m_strName, payer.m_strBank, payer.m_strInnKpp, payer.m_strBik,
                          payer.m_strAccount1, payer.m_strAccount2}),
             (QStringList{"Название плательщика", "Банк плательщика", "ИНН/КПП плательщика",
                          "БИК плательщика", "Счет1 плательщика", "Счет2 плательщика"}));
}

void TestMainFrame::toolkitSpeaksRussian() {
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Отмена"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Да"));
    QCOMPARE(QLocale().language(), QLocale::Russian);
    QCOMPARE(QLocale().standaloneMonthName(3), QStringLiteral("март"));
}

void TestMainFrame::exitClosesTheWindow() {
    QMenuBar* bar = m_app->MainFrame()->menuBar();
    QAction* exit = bar->actions().first()->menu()->actions().last();
    QCOMPARE(exit->text(), QStringLiteral("&Выход"));
    exit->trigger();
    QVERIFY(!m_app->MainFrame()->isVisible());
}

// The recent-file list read at start-up is written back when the program ends, so that the
// settings file holds it even if it was lost meanwhile.
void TestMainFrame::settingsAreWrittenOnExit() {
    m_app.reset();
    // The list as the Windows program's framework keeps it: File1..File4 under this section.
    const QString recent = QStringLiteral("Recent File List/File1");
    const QString document = m_folder->FilePath(QStringLiteral("счет.vemo"));
    QSettings().setValue(recent, document);
    const QString path = QSettings().fileName();
    QVERIFY2(QFileInfo::exists(path), qPrintable(path));
    QVERIFY(path.startsWith(m_settings.Path()));

    m_app = std::make_unique<CVemoApp>();
    QVERIFY(m_app->InitInstance());
    QVERIFY(QFile::remove(path));

    // Exit through the menu, as main() runs the program: the event loop ends, then the program.
    QAction* exit = m_app->MainFrame()->menuBar()->actions().first()->menu()->actions().last();
    QTimer::singleShot(0, exit, &QAction::trigger);
    QTimer guard;  // rather than hang
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, qApp, &QCoreApplication::quit);
    guard.start(10000);
    QApplication::exec();
    QVERIFY(!m_app->MainFrame()->isVisible());  // ended by the exit command
    m_app.reset();

    QVERIFY2(QFileInfo::exists(path), qPrintable(path));
    QCOMPARE(QSettings().value(recent).toString(), document);
    QSettings().clear();
}

void TestMainFrame::drawnOrderRepaintsTheView() {
    // An order with nothing for the user to be told about it.
    CRequisite party;
    party.m_strName = QStringLiteral("ООО Альфа");
    QVERIFY(RequisitesFile::Write("pltRecv.dat", {party}));
    QVERIFY(RequisitesFile::Write("polRecv.dat", {party}));
    OrderRow row;
    row[kColumnNumber] = QStringLiteral("   4");
    row[kColumnPayer] = party.m_strName;
    row[kColumnRecipient] = party.m_strName;
    row[kColumnAmount] = QStringLiteral("10");
    QVERIFY(OrderFiles::SaveOrder(4, row));
    CMainFrame* frame = m_app->MainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    PaintCounter paints(frame->View()->viewport());
    QTest::qWait(100);
    const int settled = paints.count;
    QTest::qWait(100);
    QCOMPARE(paints.count, settled);  // nothing repaints the view by itself

    QTimer::singleShot(0, [] {
        auto* archive = qobject_cast<COrderArchiveDlg*>(QApplication::activeModalWidget());
        QVERIFY(archive);
        archive->SelectRow(0);
        for (QPushButton* button : archive->findChildren<QPushButton*>()) {
            if (button->isDefault()) {  // "Нарисовать платежное поручение"
                QTest::mouseClick(button, Qt::LeftButton);
            }
        }
    });
    QAction* orders = frame->menuBar()->actions().at(1)->menu()->actions().at(2);
    orders->trigger();
    QCOMPARE(m_app->Document()->m_strNumber, QStringLiteral("   4"));
    QTRY_VERIFY(paints.count > settled);
}

void TestMainFrame::whatTheFormLacksIsToldOverItOnceDrawn_data() {
    QTest::addColumn<QString>("payer");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QStringList>("told");  // what the message says, in this order
    const QString known = QStringLiteral("ООО Альфа");
    QTest::newRow("nothing") << known << "1234,56" << QStringList();
    QTest::newRow("both") << QStringLiteral("ООО Бета") << "abc"
                          << QStringList{QStringLiteral("«ООО Бета» не найден в pltRecv.dat"),
                                         QStringLiteral("«abc»")};
}

void TestMainFrame::whatTheFormLacksIsToldOverItOnceDrawn() {
    QFETCH(QString, payer);
    QFETCH(QString, amount);
    QFETCH(QStringList, told);
    CRequisite known;
    known.m_strName = QStringLiteral("ООО Альфа");
    QVERIFY(RequisitesFile::Write("pltRecv.dat", {known}));
    known.m_strName = QStringLiteral("ООО Гамма");
    QVERIFY(RequisitesFile::Write("polRecv.dat", {known}));
    OrderRow row;
    row[kColumnNumber] = QStringLiteral("   4");
    row[kColumnPayer] = payer;
    row[kColumnRecipient] = known.m_strName;
    row[kColumnAmount] = amount;
    QVERIFY(OrderFiles::SaveOrder(4, row));
    CMainFrame* frame = m_app->MainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    PaintCounter paints(frame->View()->viewport());

    QTimer::singleShot(0, [] {
        auto* archive = qobject_cast<COrderArchiveDlg*>(QApplication::activeModalWidget());
        QVERIFY(archive);
        archive->SelectRow(0);
        for (QPushButton* button : archive->findChildren<QPushButton*>()) {
            if (button->isDefault()) {  // "Нарисовать платежное поручение"
                QTest::mouseClick(button, Qt::LeftButton);
            }
        }
    });
    QStringList texts;
    bool overTheDrawnForm = true;
    QTimer boxes;
    connect(&boxes, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            return;
        }
        texts << box->text();
        overTheDrawnForm = overTheDrawnForm && box->parentWidget() == frame &&
                           m_app->Document()->m_strNumber == QStringLiteral("   4") &&
                           paints.count > 0;
        QTest::keyClick(box, Qt::Key_Return);
    });
    boxes.start(10);
    frame->menuBar()->actions().at(1)->menu()->actions().at(2)->trigger();
    QTest::qWait(50);
    boxes.stop();
    QCOMPARE(texts.size(), told.isEmpty() ? 0 : 1);  // all of it in one message
    QVERIFY(overTheDrawnForm);
    qsizetype from = 0;
    for (const QString& part : told) {
        const qsizetype at = texts.first().indexOf(part, from);
        QVERIFY2(at >= 0, qPrintable(texts.first()));
        from = at + part.size();
    }
}

void TestMainFrame::pointerToTheDocumentGoesWithIt() {
    QVERIFY(g_pDoc);
    auto first = std::make_unique<CVemoDoc>();
    auto second = std::make_unique<CVemoDoc>();
    first.reset();
    QCOMPARE(g_pDoc, second.get());  // not cleared by a document it no longer points at
    second.reset();
    QVERIFY(g_pDoc == nullptr);
    m_app = std::make_unique<CVemoApp>();
    QVERIFY(m_app->InitInstance());
    QCOMPARE(g_pDoc, m_app->Document());
    m_app.reset();
    QVERIFY(g_pDoc == nullptr);
}

void TestMainFrame::renamedRecordIsRenamedInItsOrders_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("record");        // its place in the book
    QTest::addColumn<QString>("newName");   // typed over the old one
    QTest::addColumn<QString>("question");  // empty when nothing is asked
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("failing");     // the file that cannot be written
    QTest::addColumn<QList<int>>("renamed");  // the orders that name the new name afterwards
    QTest::addColumn<QStringList>("told");    // a part of each notice, in order
    const QString gamma = QStringLiteral("ООО Гамма-Плюс");
    const QString two = QStringLiteral(
        "Переименовать также в 2 платежных поручениях (№ 1 от 01.03.2026, № 3 от 03.03.2026)?");
    const QString cannotWrite = QStringLiteral("Не могу записать реквизиты");
    QTest::newRow("recipient, Да")
        << 1 << 0 << gamma << two << "&Да" << QString() << QList<int>{1, 3} << QStringList{};
    QTest::newRow("recipient, Нет")
        << 1 << 0 << gamma << two << "&Нет" << QString() << QList<int>{} << QStringList{};
    QTest::newRow("recipient, Да, an order file cannot be written")
        << 1 << 0 << gamma << two << "&Да"
        << "Vemo/vemo.3" << QList<int>{1} << QStringList{"Vemo/vemo.3"};
    // The orders would name a party the book lacks: they keep the old name, and the list is
    // tried once more as the archive closes.
    QTest::newRow("recipient, Да, the book cannot be written")
        << 1 << 0 << gamma << two << "&Да"
        << "polRecv.dat" << QList<int>{}
        << QStringList{cannotWrite, QStringLiteral("Платежки не переименованы"), cannotWrite};
    // Nothing is renamed, nor recorded for later, when the rename cannot record itself; the
    // user may try again at once.
    QTest::newRow("recipient, Да, the rename cannot be recorded")
        << 1 << 0 << gamma << two << "&Да"
        << "Vemo/renaming" << QList<int>{}
        << QStringList{QStringLiteral(
               "Платежки не переименованы, в них осталось «ООО Гамма»: не могу записать "
               "Vemo/renaming")};
    QTest::newRow("payer of one order")
        << 0 << 1 << QStringLiteral("ООО Бета и К")
        << QStringLiteral("Переименовать также в 1 платежном поручении (№ 5 от 05.03.2026)?")
        << "&Да" << QString() << QList<int>{5} << QStringList{};
    QTest::newRow("a name no order holds")
        << 1 << 2 << QStringLiteral("ООО Омега-2") << QString() << QString() << QString()
        << QList<int>{} << QStringList{};
    QTest::newRow("the same name") << 1 << 0 << QStringLiteral("ООО Гамма") << QString()
                                   << QString() << QString() << QList<int>{} << QStringList{};
    // The orders name the first record of their name, not this one.
    QTest::newRow("the second record of a name")
        << 1 << 3 << QStringLiteral("ООО Гамма-2") << QString() << QString() << QString()
        << QList<int>{} << QStringList{};
}

// Through the menu, the archive's "Изменить" and the record dialog's OK, as the user renames a
// record: the orders that name it follow on "Да", each order file rewritten in one step, and the
// files that could not be written are named.
void TestMainFrame::renamedRecordIsRenamedInItsOrders() {
    QFETCH(int, kind);
    QFETCH(int, record);
    QFETCH(QString, newName);
    QFETCH(QString, question);
    QFETCH(QString, answer);
    QFETCH(QString, failing);
    QFETCH(QList<int>, renamed);
    QFETCH(QStringList, told);
    const QString alfa = QStringLiteral("ООО Альфа");
    const QString beta = QStringLiteral("ООО Бета");
    const QString gamma = QStringLiteral("ООО Гамма");
    const QString delta = QStringLiteral("ООО Дельта");
    CRequisiteArray books[2] = {
        {Named(alfa), Named(beta)},
        {Named(gamma), Named(delta), Named(QStringLiteral("ООО Омега")), Named(gamma)}};
    QVERIFY(RequisitesFile::Write("pltRecv.dat", books[0]));
    QVERIFY(RequisitesFile::Write("polRecv.dat", books[1]));
    // Order 4 names "ООО Гамма" as its payer, which the recipients' book does not rename.
    const QList<OrderRow> orders{Order(1, alfa, gamma), Order(2, alfa, delta),
                                 Order(3, alfa, gamma), Order(4, gamma, delta),
                                 Order(5, beta, delta)};
    QMap<QString, QByteArray> before;
    for (const OrderRow& order : orders) {
        QVERIFY(OrderFiles::SaveOrder(order.Number(), order));
        before.insert(OrderFiles::FileName(order.Number()),
                      ReadBytes(OrderFiles::FileName(order.Number())));
    }
    g_failingFile = failing;
    LineFile::g_pWriteFault = FailTheChosenFile;
    BoxAnswers boxes(answer.isEmpty() ? QStringList{} : QStringList{answer});
    const bool recordDialogOpened = RenameThroughTheMenu(m_app.get(), kind, record, newName);
    LineFile::g_pWriteFault = nullptr;
    QVERIFY(recordDialogOpened);

    QStringList asked;
    QStringList notices;
    for (const BoxAnswers::Seen& box : boxes.seen) {
        const bool question = box.buttons.contains(QStringLiteral("&Нет"));
        (question ? asked : notices).append(box.text);
        if (question) {
            QCOMPARE(box.defaultButton, QStringLiteral("&Нет"));
            QCOMPARE(box.parentClass, "CRequisitesDlg");  // asked at the record's OK
        }
    }
    QCOMPARE(asked.size(), question.isEmpty() ? 0 : 1);
    if (!question.isEmpty()) {
        QVERIFY2(asked.first().endsWith(question), qPrintable(asked.first()));
    }
    QCOMPARE(notices.size(), told.size());
    for (int i = 0; i < told.size(); ++i) {
        QVERIFY2(notices.at(i).contains(told.at(i)), qPrintable(notices.at(i)));
    }
    // The book holds the new name in the record's place, unless it could not be written.
    const QString bookFile = kind == kPayersKind ? "pltRecv.dat" : "polRecv.dat";
    CRequisiteArray book;
    RequisitesFile::Read(bookFile, &book);
    QCOMPARE(book.value(record).m_strName,
             failing == bookFile ? books[kind].at(record).m_strName : newName);
    const int column = kind == kPayersKind ? kColumnPayer : kColumnRecipient;
    for (const OrderRow& order : orders) {
        const QString file = OrderFiles::FileName(order.Number());
        if (!renamed.contains(order.Number())) {
            QCOMPARE(ReadBytes(file), before.value(file));
            continue;
        }
        OrderRow expected = order;
        expected[column] = newName;
        QStringList lines;
        QCOMPARE(LineFile::Read(file, &lines), LineFile::ReadResult::Ok);
        QCOMPARE(OrderRow::FromLines(lines), expected);
    }
    // Nothing left over but the record of a rename that left an order to finish.
    const bool leftOrders = failing.startsWith("Vemo/vemo.");
    QCOMPARE(QFileInfo::exists("Vemo/renaming"), leftOrders);
    QCOMPARE(QDir("Vemo").entryList(QDir::Files).size(), orders.size() + (leftOrders ? 1 : 0));
}

void TestMainFrame::deletedRecordNamedByOrdersAsks_data() {
    QTest::addColumn<int>("record");        // its place in the recipients' book
    QTest::addColumn<QString>("question");  // empty when nothing is asked
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("deleted");
    const QString two =
        QStringLiteral("Получатель указан в 2 платежных поручениях: № 1, № 3. Удалить запись?");
    QTest::newRow("named, Нет") << 0 << two << "&Нет" << false;
    QTest::newRow("named, Да") << 0 << two << "&Да" << true;
    QTest::newRow("named by no order") << 2 << QString() << QString() << true;
    // Another record of the name stays for the order that names it.
    QTest::newRow("one of two records of a name") << 1 << QString() << QString() << true;
}

// "Удалить" on a record that orders name asks first, naming them; Enter answers "Нет", as without
// the record those orders can be neither drawn nor sent to the bank.
void TestMainFrame::deletedRecordNamedByOrdersAsks() {
    QFETCH(int, record);
    QFETCH(QString, question);
    QFETCH(QString, answer);
    QFETCH(bool, deleted);
    const QString gamma = QStringLiteral("ООО Гамма");
    const QString delta = QStringLiteral("ООО Дельта");
    const CRequisiteArray book{Named(gamma), Named(delta), Named(QStringLiteral("ООО Омега")),
                               Named(delta)};
    QVERIFY(RequisitesFile::Write("polRecv.dat", book));
    for (const OrderRow& order :
         {Order(1, QStringLiteral("ООО Альфа"), gamma), Order(2, gamma, delta),
          Order(3, QStringLiteral("ООО Альфа"), gamma)}) {
        QVERIFY(OrderFiles::SaveOrder(order.Number(), order));
    }
    BoxAnswers boxes(answer.isEmpty() ? QStringList{} : QStringList{answer});
    QTimer::singleShot(0, [&] {
        auto* archive = qobject_cast<CRequisitesArchiveDlg*>(QApplication::activeModalWidget());
        QVERIFY(archive);
        ClickRecord(archive, record);
        ClickButton(archive, QStringLiteral("Удалить"));
        ClickButton(archive, QStringLiteral("OK"));
    });
    m_app->MainFrame()->menuBar()->actions().at(1)->menu()->actions().at(0)->trigger();

    QCOMPARE(boxes.seen.size(), question.isEmpty() ? 0 : 1);
    if (!question.isEmpty()) {
        QCOMPARE(boxes.seen.first().text, question);
        QCOMPARE(boxes.seen.first().defaultButton, QStringLiteral("&Нет"));
    }
    CRequisiteArray after;
    RequisitesFile::Read("polRecv.dat", &after);
    QCOMPARE(after.size(), book.size() - (deleted ? 1 : 0));
}

void TestMainFrame::paperTakesOnlyWhatMayGoOnIt_data() {
    QTest::addColumn<QString>("order");  // drawn on the form first; empty for none
    QTest::addColumn<QString>("edition");
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("answer");   // to the edition's question: the current edition
    QTest::addColumn<QString>("told");  // a part of what is said first; empty for nothing
    QTest::addColumn<bool>("printed");  // the print dialog, or the preview, came up
    QTest::addColumn<QString>("editionAfter");
    const QString print = QStringLiteral("&Печать");
    const QString preview = QStringLiteral("Предварительный про&смотр");
    const QString noOrder = QStringLiteral("Бланк нельзя напечатать: на бланке нет платежного");
    const QString noRoom = QStringLiteral("На бланке редакции 2001 года нет места");
    QTest::newRow("no order drawn") << ""
                                    << "current" << print << true << noOrder << false << "current";
    QTest::newRow("no order drawn, preview")
        << ""
        << "current" << preview << true << noOrder << false << "current";
    QTest::newRow("a party missing")
        << "payer missing"
        << "current" << print << true << QStringLiteral("«ООО Бета» не найден в pltRecv.dat")
        << false << "current";
    QTest::newRow("a party missing, 2001: no question")
        << "payer missing, tax"
        << "2001" << print << true << QStringLiteral("«ООО Бета» не найден в pltRecv.dat") << false
        << "2001";
    QTest::newRow("whole") << "whole"
                           << "current" << print << true << "" << true << "current";
    QTest::newRow("whole, preview") << "whole"
                                    << "2001" << preview << true << "" << true << "2001";
    QTest::newRow("tax payment on 2001, the current edition taken")
        << "tax"
        << "2001" << print << true << noRoom << true << "current";
    QTest::newRow("tax payment on 2001, kept without its fields")
        << "tax"
        << "2001" << print << false << noRoom << true << "2001";
    QTest::newRow("tax payment on the current edition")
        << "tax"
        << "current" << print << true << "" << true << "current";
}

// Файл → Печать and the preview take the form as drawn when it may go on paper; otherwise they
// say why, or, for fields the edition of 2001 has no room for, offer the current edition.
void TestMainFrame::paperTakesOnlyWhatMayGoOnIt() {
    QFETCH(QString, order);
    QFETCH(QString, edition);
    QFETCH(QString, command);
    QFETCH(bool, answer);
    QFETCH(QString, told);
    QFETCH(bool, printed);
    QFETCH(QString, editionAfter);
    QVERIFY(RequisitesFile::Write("pltRecv.dat", {Named(QStringLiteral("ООО Альфа"))}));
    QVERIFY(RequisitesFile::Write("polRecv.dat", {Named(QStringLiteral("ООО Гамма"))}));
    CMainFrame* frame = m_app->MainFrame();
    MenuAction(frame, edition == "2001" ? QStringLiteral("Редакция &2001 года")
                                        : QStringLiteral("&Действующая редакция (762-П)"))
        ->trigger();
    if (!order.isEmpty()) {
        OrderRow row = Order(4,
                             order.startsWith("payer missing") ? QStringLiteral("ООО Бета")
                                                               : QStringLiteral("ООО Альфа"),
                             QStringLiteral("ООО Гамма"));
        if (order.contains("tax")) {
            BudgetPayment::FillSingleTaxPayment(&row);
        }
        OrderUseCases::DrawOrder(WorkingFolder(), row, {}, *m_app->Document(),
                                 frame->View()->Edition());
    }
    MessageBoxes::Log log;
    log.answers = {answer};
    MessageBoxes::SetTestLog(&log);
    bool seen = false;
    QObject watch;  // the watch for the dialog ends with this test
    if (command.startsWith("&Печать")) {
        WhenModalShows<QPrintDialog>(&watch, &seen, [](QPrintDialog* dialog) { dialog->reject(); });
    } else {
        WhenModalShows<QPrintPreviewDialog>(&watch, &seen,
                                            [](QPrintPreviewDialog* dialog) { dialog->reject(); });
    }
    MenuAction(frame, command)->trigger();
    if (printed) {
        QTRY_VERIFY(seen);
    }
    MessageBoxes::SetTestLog(nullptr);
    QCOMPARE(seen, printed);
    QCOMPARE(log.entries.isEmpty(), told.isEmpty());
    if (!told.isEmpty()) {
        QVERIFY2(log.entries.first().text.contains(told), qPrintable(log.entries.first().text));
    }
    QCOMPARE(FormEditions::Name(frame->View()->Edition()), editionAfter);
    QCOMPARE(FormEditions::Name(FormEditions::Remembered(QSettings())), editionAfter);
}

// Файл → "Печать пустого бланка…" prints every caption and no value, whatever is drawn, where
// --pdf puts them.
void TestMainFrame::blankFormPrintsEmptyFields() {
    VEMO_SKIP_WITHOUT_PDF_TOOLS();
    const QString pdf = m_folder->FilePath("blank.pdf");
    bool seen = false;
    QObject watch;  // the watch for the dialog ends with this test
    WhenModalShows<QPrintDialog>(&watch, &seen, [pdf](QPrintDialog* dialog) {
        dialog->findChild<QLineEdit*>("filename")->setText(pdf);
        dialog->accept();
    });
    MenuAction(m_app->MainFrame(), QStringLiteral("Печать пустого &бланка…"))->trigger();
    QTRY_VERIFY(seen);
    const QString page = PdfText(pdf);
    QCOMPARE(page.count(QStringLiteral("Плательщик")), 1);  // one copy of the current edition
    for (const QString& placeholder : {QStringLiteral("Название плательщика"),
                                       QStringLiteral("Номер"), QStringLiteral("Налог ...")}) {
        QVERIFY2(!page.contains(placeholder), qPrintable(placeholder));
    }
    QCOMPARE(m_app->Document()->m_strNumber, QStringLiteral("Номер"));  // the form as it was

    // Placed on the page as the command line places it, to a tenth of a millimetre.
    QProcess vemo;
    vemo.setWorkingDirectory(m_folder->Path());
    vemo.start(VemoExecutable(), {"--pdf", "cli.pdf"});
    QVERIFY(vemo.waitForFinished(60000) && vemo.exitCode() == 0);
    const QStringList printed = PdfWordPlaces(pdf);
    QVERIFY(printed.size() > 30);
    QCOMPARE(printed, PdfWordPlaces(m_folder->FilePath("cli.pdf")));
}

void TestMainFrame::drawingOnThe2001EditionOffersTheCurrent_data() {
    QTest::addColumn<bool>("answer");
    QTest::newRow("Да: the current edition") << true;
    QTest::newRow("Нет: the edition of 2001 stays") << false;
}

// An order with budget fields drawn on the edition of 2001 is shown, then the current edition is
// offered, once.
void TestMainFrame::drawingOnThe2001EditionOffersTheCurrent() {
    QFETCH(bool, answer);
    QVERIFY(RequisitesFile::Write("pltRecv.dat", {Named(QStringLiteral("ООО Альфа"))}));
    QVERIFY(RequisitesFile::Write("polRecv.dat", {Named(QStringLiteral("ООО Гамма"))}));
    OrderRow row = Order(4, QStringLiteral("ООО Альфа"), QStringLiteral("ООО Гамма"));
    BudgetPayment::FillSingleTaxPayment(&row);
    QVERIFY(OrderFiles::SaveOrder(4, row));
    CMainFrame* frame = m_app->MainFrame();
    MenuAction(frame, QStringLiteral("Редакция &2001 года"))->trigger();
    MessageBoxes::Log log;
    log.answers = {answer};
    MessageBoxes::SetTestLog(&log);
    QTimer::singleShot(0, [] {
        auto* archive = qobject_cast<COrderArchiveDlg*>(QApplication::activeModalWidget());
        QVERIFY(archive);
        archive->SelectRow(0);
        archive->OnOK();
    });
    MenuAction(frame, QStringLiteral("&Платежные поручения"))->trigger();
    MessageBoxes::SetTestLog(nullptr);
    QCOMPARE(m_app->Document()->m_strNumber, QStringLiteral("   4"));  // drawn all the same
    QCOMPARE(log.entries.size(), 1);
    QVERIFY2(log.entries.first().text.endsWith(
                 QStringLiteral("Перейти на действующую редакцию бланка?")),
             qPrintable(log.entries.first().text));
    QCOMPARE(frame->View()->Edition(), answer ? FormEdition::Current : FormEdition::Edition2001);
}

// The Бланк menu's choices are remembered together; two copies a sheet are the current edition's
// choice, the edition of 2001 always carrying two.
void TestMainFrame::paperIsRememberedAndTwoOnASheetOnlyForTheCurrentEdition() {
    CMainFrame* frame = m_app->MainFrame();
    QAction* two = MenuAction(frame, QStringLiteral("Два &экземпляра на листе"));
    QCOMPARE(frame->View()->Edition(), FormEdition::Current);  // nothing remembered
    QVERIFY(two->isEnabled() && !two->isChecked());
    MenuAction(frame, QStringLiteral("Редакция &2001 года"))->trigger();
    QVERIFY(!two->isEnabled() && two->isChecked());
    MenuAction(frame, QStringLiteral("&Действующая редакция (762-П)"))->trigger();
    QVERIFY(two->isEnabled() && !two->isChecked());
    two->trigger();
    QVERIFY(frame->View()->Paper().twoOnASheet);

    // The next start finds the paper as it was left.
    m_app = std::make_unique<CVemoApp>();
    QVERIFY(m_app->InitInstance());
    const FormPaper paper = m_app->MainFrame()->View()->Paper();
    QCOMPARE(paper.edition, FormEdition::Current);
    QVERIFY(paper.twoOnASheet);
    QVERIFY(
        MenuAction(m_app->MainFrame(), QStringLiteral("Два &экземпляра на листе"))->isChecked());
}

// Without its kept directory of BIKs the editor checks no BIK: a damaged one is told once the
// window is up, with why it does not read.
void TestMainFrame::damagedBikDirectoryIsToldOnceOverTheWindow() {
    m_app.reset();
    const QString kept = BikDirectory::KeptFilePath();
    QVERIFY(QDir().mkpath(QFileInfo(kept).path()));
    WriteBytes(kept, "pltRecv.dat\r\n");
    BoxAnswers boxes({});
    m_app = std::make_unique<CVemoApp>();
    QVERIFY(m_app->InitInstance());
    QTest::qWait(200);
    QVERIFY(QFile::remove(kept));
    QCOMPARE(boxes.seen.size(), 1);
    const BoxAnswers::Seen& box = boxes.seen.first();
    QCOMPARE(box.text, BikDirectory::DamagedKeptMessage(
                           QStringLiteral("это не справочник БИК, сохраненный программой")));
    QCOMPARE(box.parentClass, "CMainFrame");
}

void TestMainFrame::cutRenameIsFinishedAtStartOrAsAnArchiveOpens_data() {
    QTest::addColumn<int>("menuItem");  // of the archive menu; -1: the next start
    QTest::newRow("at the next start") << -1;
    QTest::newRow("as the recipients' archive opens") << 0;
    QTest::newRow("as the payers' archive opens") << 1;
    QTest::newRow("as the orders archive opens") << 2;
}

// A rename that could not write one order leaves its record; the editor finishes it at its next
// start or as either archive opens, before the archive reads anything, and says so.
void TestMainFrame::cutRenameIsFinishedAtStartOrAsAnArchiveOpens() {
    QFETCH(int, menuItem);
    WriteManyOrders();
    QCoreApplication::processEvents();  // the start's own look for a rename left: none yet
    const QString gamma = QStringLiteral("ООО Гамма");
    const QString renamed = QStringLiteral("ООО Гамма-Плюс");
    const QList<int> naming = RecipientOf(gamma);
    g_failingFile = QStringLiteral("Vemo/vemo.4");
    LineFile::g_pWriteFault = FailTheChosenFile;
    const OrdersRenamed cut =
        PartyRename::Rename(WorkingFolder(), kRecipientsKind, gamma, renamed, [&] {
            return RequisitesFile::Write("polRecv.dat", {Named(renamed), Named("ООО Дельта")});
        });
    LineFile::g_pWriteFault = nullptr;
    QCOMPARE(cut.failed.size(), 1);
    QCOMPARE(cut.failed.first().file, QStringLiteral("Vemo/vemo.4"));
    QCOMPARE(RecipientOf(gamma), QList<int>{4});

    BoxAnswers boxes({});
    if (menuItem < 0) {
        m_app.reset();
        m_app = std::make_unique<CVemoApp>();
        QVERIFY(m_app->InitInstance());
        QTest::qWait(200);
    } else {
        bool opened = false;
        WhenModalShows<QDialog>(this, &opened, [&](QDialog*) {
            QCOMPARE(RecipientOf(gamma), QList<int>());  // finished before the archive reads
        });
        m_app->MainFrame()->menuBar()->actions().at(1)->menu()->actions().at(menuItem)->trigger();
        QVERIFY(opened);
    }
    QCOMPARE(RecipientOf(gamma), QList<int>());
    QCOMPARE(RecipientOf(renamed), naming);
    QVERIFY(!QFileInfo::exists("Vemo/renaming"));
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen.first().text,
             QStringLiteral("Прерванное переименование «ООО Гамма» → «ООО Гамма-Плюс» закончено: "
                            "новое имя записано еще в 1 платежном поручении."));
    QCOMPARE(boxes.seen.first().parentClass, "CMainFrame");  // over the window, not an archive
}

// A rename of a party named in many orders shows its progress while the windows keep answering;
// a disk that fills up midway (a file-size limit, SIGXFSZ ignored) leaves orders with the old
// name, named with the system's reason, and "Повторить" once there is room renames them.
void TestMainFrame::longRenameShowsProgressAndIsRetriedOnceThereIsRoom() {
    WriteManyOrders();
    QCoreApplication::processEvents();
    const QList<int> naming = RecipientOf(QStringLiteral("ООО Гамма"));
    const QString renamed = QStringLiteral("ООО Гамма-Плюс");
    auto full = std::make_unique<FileSizeLimitHere>(400);
    // Seen from a timer: the windows answer while the orders are written. The orders of each
    // run, as its progress counts them.
    QSet<int> progressOf;
    QString progressText;
    QTimer watch;
    connect(&watch, &QTimer::timeout, [&] {
        auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (progress && progress->isVisible() && progress->value() > 0 &&
            progress->value() < progress->maximum()) {
            progressOf.insert(progress->maximum());
            progressText = progress->labelText();
        }
    });
    watch.start(20);
    BoxAnswers boxes({"&Да", "Повторить"}, [&](const QString& text) {
        if (text.startsWith(QStringLiteral("Переименование «"))) {
            full.reset();  // room on the disk again
        }
    });
    LineFile::g_pWriteFault = WriteOrdersSlowly;
    const bool renaming = RenameThroughTheMenu(m_app.get(), kRecipientsKind, 0, renamed);
    LineFile::g_pWriteFault = nullptr;
    full.reset();
    watch.stop();
    QVERIFY(renaming);

    QVERIFY(progressOf.contains(int(naming.size())));  // the retry's may be too short to show
    QCOMPARE(progressText, QStringLiteral("Новое имя записывается в платежные поручения…"));
    QCOMPARE(boxes.seen.size(), 3);
    // Ten of them named, the rest counted.
    QVERIFY(boxes.seen.at(0).text.contains(
        QStringLiteral("Переименовать также в 100 платежных поручениях (№ ")));
    QVERIFY(boxes.seen.at(0).text.endsWith(QStringLiteral(" и еще 90)?")));
    const BoxAnswers::Seen& left = boxes.seen.at(1);
    QStringList leftFiles;
    for (int number : naming) {
        if (number > 100) {
            leftFiles.append(OrderFiles::FileName(number));
        }
    }
    QVERIFY2(left.text.startsWith(
                 QStringLiteral("Переименование «ООО Гамма» → «ООО Гамма-Плюс» не закончено: в "
                                "33 платежных поручениях из 100 осталось старое имя.\n\n"
                                "Превышен допустимый размер файла: ") +
                 leftFiles.mid(0, 10).join(", ") + QStringLiteral(" и еще 23.\n\n")),
             qPrintable(left.text));
    QCOMPARE(left.buttons, (QStringList{"Повторить", "Позже"}));
    QCOMPARE(left.defaultButton, QStringLiteral("Позже"));
    QCOMPARE(boxes.seen.at(2).text,
             QStringLiteral("Прерванное переименование «ООО Гамма» → «ООО Гамма-Плюс» закончено: "
                            "новое имя записано еще в 33 платежных поручениях."));
    QCOMPARE(RecipientOf(renamed), naming);
    QVERIFY(!QFileInfo::exists("Vemo/renaming"));
}

void TestMainFrame::sessionEndKeepsAChangedBookOpen_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM, as at logging out") << int(SIGTERM);
    QTest::newRow("SIGHUP, as its terminal closes") << int(SIGHUP);
}

// The editor ended by the session while a changed address book is open (a child editor given
// the signal) closes its windows as the user would, so the book is saved, and exits normally.
void TestMainFrame::sessionEndKeepsAChangedBookOpen() {
    QFETCH(int, signal);
    const Deadline deadline(120);
    const QString alfa = QStringLiteral("ООО Альфа");
    const QString beta = QStringLiteral("ООО Бета");
    QVERIFY(RequisitesFile::Write("pltRecv.dat", {Named(alfa), Named(beta)}));
    const QByteArray before = ReadBytes("pltRecv.dat");
    QProcess editor;
    editor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    editor.start(QCoreApplication::applicationFilePath(), {kEditorChild, QDir::currentPath()});
    QVERIFY(editor.waitForStarted());
    QByteArray said;
    while (!said.contains("ready") && editor.waitForReadyRead(30000)) {
        said += editor.readAllStandardOutput();
    }
    QVERIFY2(said.contains("ready"), said.constData());
    QCOMPARE(ReadBytes("pltRecv.dat"), before);  // the deletion is in the open window alone

    QCOMPARE(kill(pid_t(editor.processId()), signal), 0);
    QVERIFY(editor.waitForFinished(30000));
    QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
    QCOMPARE(editor.exitCode(), 0);
    CRequisiteArray book;
    QCOMPARE(RequisitesFile::Read("pltRecv.dat", &book), LineFile::ReadResult::Ok);
    QCOMPARE(book.size(), 1);
    QCOMPARE(book.first().m_strName, beta);
}

int main(int argc, char** argv) {
    if (argc == 3 && qstrcmp(argv[1], kEditorChild) == 0) {
        return RunEditorChild(argc, argv);
    }
    TestMainFrame::initMain();
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestMainFrame test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_mainframe.moc"
