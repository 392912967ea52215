// The road of a month's payments through the windows: the orders exported from the archive, a file
// per payer's bank; the bank's statement loaded from the main window's menu and shown per
// account, its question answered and a new payer added with one click; the archive then showing
// which orders the bank executed.
#include <QtTest>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>

#include "DialogDriver.h"
#include "FileDialogs.h"
#include "StatementFiles.h"
#include "TestEnvironment.h"
#include "TestFolder.h"
#include "app/CMainFrame.h"
#include "app/CVemoApp.h"
#include "bank/StatementAnswers.h"
#include "orders/OrderFiles.h"
#include "orderwindows/COrderArchiveDlg.h"
#include "orderwindows/COrderListModel.h"
#include "orderwindows/CStatementDlg.h"
#include "requisites/BikImport.h"
#include "requisites/RequisitesFile.h"
#include "widgets/MessageBoxes.h"

namespace {

// The bank's statement of Ромашка's account from the file exported to its bank: every order
// debited on its date, order 2 debited twice, a payment from a buyer the books lack (its bank's
// details left to the directory of BIKs), and a closing balance that does not add up.
QByteArray Statement(const QByteArray& exported) {
    StatementText statement =
        StatementText::FromExport(Cp1251::Decode(exported).split(QStringLiteral("\r\n")));
    QStringList again = *statement.Document("2");
    StatementText::SetValue(&again, QStringLiteral("КвитанцияВремя"), QStringLiteral("15:42:10"));
    statement.documents << again;
    statement.documents << QStringList{QStringLiteral("СекцияДокумент=Платежное поручение"),
                                       QStringLiteral("Номер=417"),
                                       QStringLiteral("Дата=06.03.2026"),
                                       QStringLiteral("Сумма=12000.00"),
                                       QStringLiteral("ПлательщикСчет=40702810538000077777"),
                                       QStringLiteral("Плательщик1=ООО \"Покупатель\""),
                                       QStringLiteral("ПлательщикИНН=7727654321"),
                                       QStringLiteral("ПлательщикКПП=772701001"),
                                       QStringLiteral("ПлательщикБИК=044525225"),
                                       QStringLiteral("ПолучательСчет=") + kRomashkaAccount,
                                       QStringLiteral("ДатаПоступило=06.03.2026"),
                                       QStringLiteral("КонецДокумента")};
    QStringList lines = statement.Lines();
    for (QString& line : lines) {
        if (line.startsWith(QStringLiteral("КонечныйОстаток="))) {
            line = QStringLiteral("КонечныйОстаток=1.00");
            break;
        }
    }
    return Cp1251::Encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// The texts of a tree's rows, depth first, each row's columns joined by " | ".
QStringList Rows(const QTreeWidgetItem* parent) {
    QStringList rows;
    for (int i = 0; i < parent->childCount(); ++i) {
        const QTreeWidgetItem* item = parent->child(i);
        QStringList cells;
        for (int column = 0; column < item->columnCount(); ++column) {
            cells.append(item->text(column));
        }
        while (!cells.isEmpty() && cells.last().isEmpty()) {
            cells.removeLast();
        }
        rows.append(cells.join(QStringLiteral(" | ")));
        rows += Rows(item);
    }
    return rows;
}

// The states the archive shows, "number: state", as the list shows them.
QStringList States(COrderArchiveDlg* archive) {
    const QAbstractItemModel* shown =
        archive->findChild<QTreeView*>(QStringLiteral("orders"))->model();
    QStringList states;
    for (int row = 0; row < shown->rowCount(); ++row) {
        states.append(shown->index(row, kColumnNumber).data().toString() + u':' +
                      shown->index(row, COrderListModel::kStateColumn).data().toString());
    }
    return states;
}

}  // namespace

class TestStatementWindow : public QObject {
    Q_OBJECT
public:
    static void initMain() { UseOffscreenPlatformUnlessSet(); }

private slots:
    void initTestCase();
    void exportLoadTheStatementSeeTheStatesAddAParty();

private:
    QTemporaryDir m_cache;
    QTemporaryDir m_data;
};

void TestStatementWindow::initTestCase() {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    // Data and cache of this test's own: the directory imported below would otherwise stand in
    // the place the other tests' editors read at start.
    QVERIFY(m_cache.isValid() && m_data.isValid());
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_cache.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_data.path()));
    // The directory of BIKs the main window reads at start and hands down, kept where the
    // program keeps it.
    QCoreApplication::setOrganizationName(QString::fromLatin1(CVemoApp::kRegistryKey));
    QCoreApplication::setApplicationName(QString::fromLatin1(CVemoApp::kAppName));
    QVERIFY(
        BikImport::ImportFile(QStringLiteral(VEMO_TESTS_SOURCE_DIR "/data/ed807.xml")).imported);
}

void TestStatementWindow::exportLoadTheStatementSeeTheStatesAddAParty() {
    TestFolder folder(ArchiveFiles());
    QVERIFY(folder.isValid());
    MessageBoxes::Log log;
    MessageBoxes::SetTestLog(&log);
    CVemoApp app;
    QVERIFY(app.InitInstance());
    QMenuBar* menu = app.MainFrame()->menuBar();
    const QString today = QDate::currentDate().toString(QStringLiteral("dd.MM"));

    // The orders not sent go to the bank, a file for each payer's bank.
    bool archiveSeen = false;
    WhenModalShows<COrderArchiveDlg>(app.MainFrame(), &archiveSeen, [&](COrderArchiveDlg* archive) {
        bool saved = false;
        WhenModalShows<QFileDialog>(archive, &saved, [](QFileDialog* save) {
            ChooseInFileDialog(save, QStringLiteral("1c_to_kl.txt"));
        });
        ClickButton(archive, QStringLiteral("Выгрузить в банк…"));
        QVERIFY(saved);
        QCOMPARE(States(archive), (QStringList{"1:отправлено " + today, "2:отправлено " + today,
                                               "3:отправлено " + today, "7:отправлено " + today}));
    });
    MenuAction(menu, QStringLiteral("&Архив"), QStringLiteral("&Платежные поручения"))->trigger();
    QVERIFY(archiveSeen);
    QCOMPARE(log.Texts().first(),
             QStringLiteral("Выгрузить 4 неотправленных поручения на сумму 17 034,49 руб.?"));
    QVERIFY2(
        log.Texts().last().contains(QStringLiteral("1c_to_kl_044525225.txt — 3 поручения")) &&
            log.Texts().last().contains(QStringLiteral("1c_to_kl_043601888.txt — 1 поручение")),
        qPrintable(log.Texts().last()));
    log = MessageBoxes::Log();
    QVERIFY(folder.Write(QStringLiteral("kl_to_1c.txt"),
                         Statement(folder.Read(QStringLiteral("1c_to_kl_044525225.txt")))));

    // Архив → Загрузить выписку…: the statement, per account.
    QAction* load =
        MenuAction(menu, QStringLiteral("&Архив"), QStringLiteral("&Загрузить выписку…"));
    QVERIFY(load);
    bool chosen = false;
    bool shown = false;
    WhenModalShows<QFileDialog>(app.MainFrame(), &chosen, [&](QFileDialog* open) {
        WhenModalShows<CStatementDlg>(app.MainFrame(), &shown, [&](CStatementDlg* statement) {
            QVERIFY(
                statement->findChild<QLabel*>(QStringLiteral("kept"))
                    ->text()
                    .startsWith(QStringLiteral("Выписка загружена и сохранена: Bank/kl_to_1c_")));
            auto* tree = statement->findChild<QTreeWidget*>(QStringLiteral("statement"));
            const QStringList rows = Rows(tree->invisibleRootItem());
            QCOMPARE(
                rows.mid(0, 6),
                (QStringList{"Счет " + kRomashkaAccount + " за 05.03.2026–06.03.2026",
                             "Входящий остаток | 1 000 000,00", "Поступило | 12 000,00",
                             "Списано | 17 634,50", "Исходящий остаток | 1,00", rows.value(5)}));
            QVERIFY2(rows[5].startsWith(QStringLiteral("Не сходится: ")), qPrintable(rows[5]));
            QCOMPARE(rows.mid(6),
                     (QStringList{"Списания (4)",
                                  "№ 1 от 05.03.2026 | 1 234,50 | " + kAlfa +
                                      " | № 1 от 05.03.2026 (Vemo/vemo.1)",
                                  "№ 2 от 05.03.2026 | 700,00 | " + kYozh,
                                  "№ 7 от 06.03.2026 | 15 000,00 | " + kAlfa +
                                      " | № 7 от 06.03.2026 (Vemo/vemo.7)",
                                  "№ 2 от 05.03.2026 | 700,00 | " + kYozh, "Поступления (1)",
                                  "№ 417 от 06.03.2026 | 12 000,00 | ООО \"Покупатель\""}));
            // Order 2 debited twice: asked, never guessed. The first debit is the order, the
            // second none of them.
            const QList<QComboBox*> answers =
                statement->findChildren<QComboBox*>(QStringLiteral("answer"));
            QCOMPARE(answers.size(), 2);
            QCOMPARE(answers[0]->currentText(), QStringLiteral("? выберите поручение"));
            QTest::keyClick(answers[0], Qt::Key_Down);
            QTest::keyClick(answers[1], Qt::Key_Down);
            QTest::keyClick(answers[1], Qt::Key_Down);
            QCOMPARE(answers[1]->currentText(), QStringLiteral("ни одно из них"));
            // The buyer goes to the payers, its bank from the directory of BIKs.
            auto* parties = statement->findChild<QTreeWidget*>(QStringLiteral("parties"));
            QCOMPARE(parties->topLevelItemCount(), 1);
            auto* add =
                qobject_cast<QPushButton*>(parties->itemWidget(parties->topLevelItem(0), 6));
            QTest::mouseClick(add, Qt::LeftButton);
            QCOMPARE(add->text(), QStringLiteral("Добавлен"));
            QVERIFY(!add->isEnabled());
            ClickButton(statement, QStringLiteral("Закрыть"));
        });
        ChooseInFileDialog(open, QStringLiteral("kl_to_1c.txt"));
    });
    load->trigger();
    QVERIFY(chosen);
    QVERIFY2(log.Texts().isEmpty(), qPrintable(log.Texts().join(u'\n')));
    QVERIFY(shown);
    CRequisite buyer;
    QVERIFY(WorkingFolder().FindParty(kPayersKind, QStringLiteral("ООО \"Покупатель\"")).found);
    buyer = WorkingFolder().FindParty(kPayersKind, QStringLiteral("ООО \"Покупатель\"")).record;
    QCOMPARE((QStringList{buyer.m_strInnKpp, buyer.m_strBik, buyer.m_strAccount1,
                          buyer.m_strAccount2, buyer.m_strBank}),
             (QStringList{"7727654321/772701001", "044525225", "40702810538000077777",
                          "30101810400000000225", "ПАО Сбербанк, г Москва"}));

    // The archive shows what the bank did, and keeps to the executed when asked.
    archiveSeen = false;
    WhenModalShows<COrderArchiveDlg>(app.MainFrame(), &archiveSeen, [&](COrderArchiveDlg* archive) {
        QCOMPARE(States(archive), (QStringList{"1:исполнено 05.03", "2:исполнено 05.03",
                                               "3:отправлено " + today, "7:исполнено 06.03"}));
        QVERIFY2(archive->findChild<QLabel*>(QStringLiteral("chosen"))
                     ->text()
                     .endsWith(QStringLiteral("не отправлено 0, отправлено 1, исполнено 3")),
                 qPrintable(archive->findChild<QLabel*>(QStringLiteral("chosen"))->text()));
        auto* filter = archive->findChild<QComboBox*>(QStringLiteral("stateFilter"));
        filter->setCurrentIndex(filter->findText(QStringLiteral("Отправленные, не исполненные")));
        QCOMPARE(States(archive), QStringList{"3:отправлено " + today});
    });
    MenuAction(menu, QStringLiteral("&Архив"), QStringLiteral("&Платежные поручения"))->trigger();
    QVERIFY(archiveSeen);

    // The same statement again changes nothing, and the answers given stand.
    shown = false;
    WhenModalShows<QFileDialog>(app.MainFrame(), &chosen, [&](QFileDialog* open) {
        WhenModalShows<CStatementDlg>(app.MainFrame(), &shown, [&](CStatementDlg* statement) {
            QVERIFY(statement->findChild<QLabel*>(QStringLiteral("kept"))
                        ->text()
                        .startsWith(QStringLiteral("Эта выписка уже загружена")));
            const QList<QComboBox*> answers =
                statement->findChildren<QComboBox*>(QStringLiteral("answer"));
            QCOMPARE(answers.size(), 2);
            QCOMPARE(answers[0]->currentText(), QStringLiteral("№ 2 от 05.03.2026 (Vemo/vemo.2)"));
            QCOMPARE(answers[1]->currentText(), QStringLiteral("ни одно из них"));
        });
        ChooseInFileDialog(open, QStringLiteral("kl_to_1c.txt"));
    });
    load->trigger();
    QVERIFY(shown);
    QCOMPARE(folder.Entries(QStringLiteral("Bank")).size(),
             4);  // two exports, a statement, answers
    MessageBoxes::SetTestLog(nullptr);
}

QTEST_MAIN(TestStatementWindow)
#include "tst_statementwindow.moc"
