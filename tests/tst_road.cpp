// The whole road through the real windows: add a payer and a recipient, create an order, put it
// on the form and print the page to a PDF file through the print dialog.
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QProcess>
#include <QtTest>
#include <functional>
#include <memory>

#include "TestEnvironment.h"
#include "TestFolder.h"
#include "TestPdf.h"
#include "app/CMainFrame.h"
#include "app/CVemoApp.h"
#include "orderwindows/COrderArchiveDlg.h"
#include "orderwindows/COrderDlg.h"
#include "requisites/CRequisitesArchiveDlg.h"
#include "requisites/CRequisitesDlg.h"
#include "widgets/MessageBoxes.h"
#include "widgets/WrappedLineEdit.h"

namespace {

// Runs the answer on the modal window of type T once it is up; the call that opens it follows.
template <typename T>
void WhenOpens(const std::function<void(T*)>& answer) {
    QTimer::singleShot(0, [answer] {
        T* window = qobject_cast<T*>(QApplication::activeModalWidget());
        QVERIFY2(window, T::staticMetaObject.className());
        answer(window);
    });
}

QAction* MenuItem(CMainFrame* frame, const QString& text) {
    for (QAction* menu : frame->menuBar()->actions()) {
        if (!menu->menu()) {
            continue;
        }
        for (QAction* item : menu->menu()->actions()) {
            if (item->text() == text) {
                return item;
            }
        }
    }
    return nullptr;
}

void Fill(QWidget* dialog, const QMap<QString, QString>& fields) {
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        if (auto* purpose = dialog->findChild<WrappedLineEdit*>(it.key())) {
            purpose->setText(it.value());
            continue;
        }
        auto* edit = dialog->findChild<QLineEdit*>(it.key());
        QVERIFY2(edit, qPrintable(it.key()));
        edit->setText(it.value());
    }
}

void Choose(QWidget* dialog, const QString& list, const QString& name) {
    auto* names = dialog->findChild<QListWidget*>(list);
    QVERIFY(names);
    const QList<QListWidgetItem*> found = names->findItems(name, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    names->setCurrentItem(found.first());
}

// Adds one record through Архив → the given address book.
void AddRequisites(CMainFrame* frame, const QString& menuItem,
                   const QMap<QString, QString>& fields) {
    WhenOpens<CRequisitesArchiveDlg>([fields](CRequisitesArchiveDlg* archive) {
        WhenOpens<CRequisitesDlg>([fields](CRequisitesDlg* record) {
            Fill(record, fields);
            record->OnOK();
        });
        archive->OnAdd();
        archive->accept();
    });
    MenuItem(frame, menuItem)->trigger();
}

}  // namespace

class TestRoad : public QObject {
    Q_OBJECT
public:
    // Run by hand, the program still needs no display.
    static void initMain() { UseOffscreenPlatformUnlessSet(); }

private slots:
    void initTestCase();
    void fromAnEmptyFolderToThePrintedPage();

private:
    TestFolder m_folder;
    MessageBoxes::Log m_log;
};

void TestRoad::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    MessageBoxes::SetTestLog(&m_log);
    QVERIFY(m_folder.isValid());
}

// The bank details pass the bank's checks, so the road meets no warning on the way.
void TestRoad::fromAnEmptyFolderToThePrintedPage() {
    VEMO_SKIP_WITHOUT_PDF_TOOLS();
    CVemoApp app;
    QVERIFY(app.InitInstance());
    CMainFrame* frame = app.MainFrame();

    AddRequisites(frame, "Р&еквизиты плательщика",
                  {{"editName", "ООО Ромашка"},
                   {"editBank", "ПАО Северный банк"},
                   {"editInnKpp", "7701234560/770101001"},
                   {"editBik", "044525999"},
                   {"editAccount1", "40702810600000012345"},
                   {"editAccount2", "30101810600000000999"}});
    AddRequisites(frame, "&Реквизиты получателя",
                  {{"editName", "ООО Альфа-Снаб"},
                   {"editBank", "ПАО Уральский банк"},
                   {"editInnKpp", "6659876545/665901001"},
                   {"editBik", "046577777"},
                   // A recipient's bank's correspondent account first, as the form prints it.
                   {"editAccount1", "30101810300000000777"},
                   {"editAccount2", "40702810500000067890"}});
    QVERIFY(QFileInfo("pltRecv.dat").size() > 0 && QFileInfo("polRecv.dat").size() > 0);

    m_log.answers = {false};  // "Сохранить как есть" to the warning about the date
    WhenOpens<COrderArchiveDlg>([](COrderArchiveDlg* archive) {
        WhenOpens<COrderDlg>([](COrderDlg* order) {
            QCOMPARE(order->findChild<QLineEdit*>("number")->text(), QStringLiteral("1"));
            order->findChild<QDateEdit*>("date")->setDate(QDate(2026, 3, 5));
            Choose(order, "payers", "ООО Ромашка");
            Choose(order, "recipients", "ООО Альфа-Снаб");
            // An order of today: no term, no type of payment.
            Fill(order, {{"amount", "15 750,40"},
                         {"basis", "Оплата по счету № 118 за канцелярские товары"},
                         {"paymentKind", "01"},
                         {"priority", "5"}});
            order->OnOK();
        });
        archive->OnCreateNew();
        QVERIFY(QFileInfo::exists("Vemo/vemo.1"));
        archive->SelectRow(0);
        archive->OnOK();  // "Нарисовать платежное поручение"
    });
    MenuItem(frame, "&Платежные поручения")->trigger();

    const QString pdf = m_folder.FilePath("printed.pdf");
    WhenOpens<QPrintDialog>([pdf](QPrintDialog* dialog) {
        auto* fileName = dialog->findChild<QLineEdit*>("filename");
        QVERIFY(fileName);
        fileName->setText(pdf);
        dialog->accept();
    });
    MenuItem(frame, "&Печать")->trigger();
    // Made out in March, the order is one the bank would no longer take: said once at OK, and
    // kept as it is.
    QCOMPARE(m_log.entries.size(), 1);
    QVERIFY2(
        m_log.entries.first().text.startsWith(QStringLiteral("Поручение датировано 05.03.2026")),
        qPrintable(m_log.entries.first().text));

    // The page a bank takes: one copy of the current edition, the editor's own choice.
    QString pageSize;
    QCOMPARE(PdfPages(pdf, &pageSize), 1);
    QVERIFY2(pageSize.contains("A4"), qPrintable(pageSize));
    const QString page = PdfText(pdf);
    const QStringList shown{"ПЛАТЕЖНОЕ ПОРУЧЕНИЕ №",
                            "05.03.2026",
                            "Пятнадцать тысяч семьсот пятьдесят рублей 40 копеек",
                            "15750-40",
                            "Оплата по счету № 118 за канцелярские товары",
                            "ООО Ромашка",
                            "ПАО Северный банк",
                            "7701234560",
                            "770101001",
                            "044525999",
                            "40702810600000012345",
                            "30101810600000000999",
                            "ООО Альфа-Снаб",
                            "ПАО Уральский банк",
                            "6659876545",
                            "665901001",
                            "046577777",
                            "40702810500000067890",
                            "30101810300000000777"};
    for (const QString& text : shown) {
        QVERIFY2(page.count(text) == 1, qPrintable(text));
    }
    // The number stands right after the title.
    QCOMPARE(page.count(QRegularExpression("ПЛАТЕЖНОЕ ПОРУЧЕНИЕ №\\s*1\\s")), 1);
}

QTEST_MAIN(TestRoad)
#include "tst_road.moc"
