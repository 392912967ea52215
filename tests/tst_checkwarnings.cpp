// Bank details that break a bank rule, as the user meets them: the record dialog offers to correct
// them or save them as they are, the order dialog and the drawing of an order tell about the
// parties' records. Driven through the real fields, buttons and message boxes.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "TestEnvironment.h"
#include "TestFolder.h"
#include "form/CVemoDoc.h"
#include "orders/COrderArchiveDlg.h"
#include "orders/COrderDlg.h"
#include "orders/OrderFiles.h"
#include "orders/OrderTexts.h"
#include "requisites/CRequisitesArchiveDlg.h"
#include "requisites/CRequisitesDlg.h"
#include "requisites/RequisiteChecks.h"
#include "requisites/RequisitesFile.h"

Q_DECLARE_METATYPE(CRequisite)

namespace {

// Details that pass every check (their sums are worked out in tst_checks), as the kind's book
// holds them: a recipient's bank's correspondent account comes first.
CRequisite Valid(const QString& name, int kind = kPayersKind) {
    CRequisite record;
    record.m_strName = name;
    record.m_strBank = QStringLiteral("ПАО Сбербанк г. Москва");
    record.m_strInnKpp = QStringLiteral("7707083893/773601001");
    record.m_strBik = QStringLiteral("044525225");
    record.m_strAccount1 = QStringLiteral("40702810938000012345");
    record.m_strAccount2 = QStringLiteral("30101810400000000225");
    if (kind == kRecipientsKind) {
        std::swap(record.m_strAccount1, record.m_strAccount2);
    }
    return record;
}

CRequisite WithWrongAccount(const QString& name, int kind = kPayersKind) {
    CRequisite record = Valid(name, kind);
    record.*OwnAccountMember(kind) = QStringLiteral("40702810938000012346");
    return record;
}

CRequisite WithWrongInn(const QString& name, int kind = kPayersKind) {
    CRequisite record = Valid(name, kind);
    record.m_strInnKpp = QStringLiteral("7707083894/773601001");
    return record;
}

QPushButton* ButtonOf(QWidget* window, const QString& text) {
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

// Answers the message boxes that come up, one after the other, by clicking the button of each
// answer's text, and keeps what each box said.
class BoxAnswers {
public:
    explicit BoxAnswers(const QStringList& answers) : m_answers(answers) {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { AnswerOpenBox(); });
        m_timer.start();
    }

    struct Seen {
        QString caption;
        QString text;
        QStringList buttons;
        QString defaultButton;
    };
    QList<Seen> seen;

private:
    void AnswerOpenBox() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            return;
        }
        Seen what{box->windowTitle(), box->text(), {}, {}};
        for (QAbstractButton* button : box->buttons()) {
            what.buttons.append(button->text());
        }
        if (box->defaultButton()) {
            what.defaultButton = box->defaultButton()->text();
        }
        seen.append(what);
        const QString answer = m_answers.isEmpty() ? QStringLiteral("OK") : m_answers.takeFirst();
        QPushButton* button = ButtonOf(box, answer);
        if (!button) {
            box->reject();  // an unexpected box must not hang the test
            return;
        }
        QTest::mouseClick(button, Qt::LeftButton);
    }

    QStringList m_answers;
    QTimer m_timer;
};

// Runs `act` once the next modal dialog is up.
void WhenDialogOpens(const std::function<void(QDialog*)>& act) {
    QTimer::singleShot(0, [act] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            act(dialog);
        }
    });
}

QLineEdit* Edit(QWidget* dialog, const char* name) {
    return dialog->findChild<QLineEdit*>(QLatin1String(name));
}

// Types the record into the record dialog: digits key by key, Cyrillic text set whole.
void TypeRecord(QWidget* dialog, const CRequisite& record) {
    Edit(dialog, "editName")->setText(record.m_strName);
    Edit(dialog, "editBank")->setText(record.m_strBank);
    QTest::keyClicks(Edit(dialog, "editInnKpp"), record.m_strInnKpp);
    QTest::keyClicks(Edit(dialog, "editBik"), record.m_strBik);
    QTest::keyClicks(Edit(dialog, "editAccount1"), record.m_strAccount1);
    QTest::keyClicks(Edit(dialog, "editAccount2"), record.m_strAccount2);
}

CRequisiteArray ReadBook(const QString& path) {
    CRequisiteArray records;
    RequisitesFile::Read(path, &records);
    return records;
}

OrderRow Order(int number, const QString& payer, const QString& recipient) {
    OrderRow row;
    row[kColumnNumber] = OrderTexts::NumberText(number);
    row[kColumnDate] = OrderTexts::DateText(QDate(2026, 3, 5));
    row[kColumnPayer] = payer;
    row[kColumnRecipient] = recipient;
    row[kColumnAmount] = QStringLiteral("1500,00");
    row[kColumnBasis] = QStringLiteral("Оплата по счету № 5");
    row[kColumnPaymentKind] = QStringLiteral("01");
    row[kColumnPaymentTerm] = QStringLiteral("05.03.2026");
    row[kColumnPriority] = QStringLiteral("5");
    row[kColumnPaymentType] = QStringLiteral("электронно");
    return row;
}

void Click(QWidget* window, const QString& text) {
    QPushButton* button = ButtonOf(window, text);
    QVERIFY2(button, qPrintable(text));
    QTest::mouseClick(button, Qt::LeftButton);
}

const QString kPayers = QStringLiteral("pltRecv.dat");
const QString kRecipients = QStringLiteral("polRecv.dat");
const QString kCorrect = QStringLiteral("Исправить");
const QString kSaveAsItIs = QStringLiteral("Сохранить как есть");

}  // namespace

class TestCheckWarnings : public QObject {
    Q_OBJECT
public:
    static void initMain() { UseOffscreenPlatformUnlessSet(); }

private slots:
    void init();
    void cleanup();

    void correctReturnsToTheFirstFieldAtFault_data();
    void correctReturnsToTheFirstFieldAtFault();
    void saveAsItIsStoresTheRecord();
    void soundRecordIsStoredWithoutAWord_data();
    void soundRecordIsStoredWithoutAWord();
    void swappedAccountsAreSwappedOnRequest();

    void orderDialogTellsOnceAboutEachRecord();
    void drawingTellsAndDrawsAnyway();

private:
    std::unique_ptr<TestFolder> m_folder;
};

void TestCheckWarnings::init() {
    m_folder = std::make_unique<TestFolder>(TestFolder::Files{{"Vemo/", {}}});
    QVERIFY(m_folder->isValid());
}

void TestCheckWarnings::cleanup() {
    m_folder.reset();
}

void TestCheckWarnings::correctReturnsToTheFirstFieldAtFault_data() {
    QTest::addColumn<CRequisite>("record");
    QTest::addColumn<QString>("firstAtFault");

    CRequisite record = WithWrongInn(QStringLiteral("ООО Ромашка"));
    record.m_strAccount1 = QStringLiteral("40702810938000012346");
    QTest::newRow("INN and account 1") << record << "editInnKpp";
    record = Valid(QStringLiteral("ООО Ромашка"));
    record.m_strBik = QStringLiteral("04452522");
    QTest::newRow("short BIK") << record << "editBik";
    record = Valid(QStringLiteral("ООО Ромашка"));
    record.m_strAccount2 = QStringLiteral("40101810400000000225");
    QTest::newRow("correspondent account") << record << "editAccount2";
    record = WithWrongAccount(QStringLiteral("ООО Ромашка"));
    record.m_strAccount2 = QStringLiteral("3010181040000000022");
    QTest::newRow("both accounts") << record << "editAccount1";
}

// "Исправить": the dialog stays open with the focus on the first field at fault and all that was
// typed; cancelling it then adds nothing.
void TestCheckWarnings::correctReturnsToTheFirstFieldAtFault() {
    QFETCH(CRequisite, record);
    QFETCH(QString, firstAtFault);
    BoxAnswers answers({kCorrect});
    bool stayedOpen = false;
    QString focused;
    QString typedName;
    {
        CRequisitesArchiveDlg archive(0);
        archive.show();
        WhenDialogOpens([&](QDialog* dialog) {
            TypeRecord(dialog, record);
            Click(dialog, QStringLiteral("OK"));
            stayedOpen = dialog->isVisible();
            focused = dialog->focusWidget() ? dialog->focusWidget()->objectName() : QString();
            typedName = Edit(dialog, "editName")->text();
            Click(dialog, QStringLiteral("Отмена"));
        });
        Click(&archive, QStringLiteral("Добавить"));
        QCOMPARE(archive.m_requisites.Count(), 0);
    }
    QVERIFY(stayedOpen);
    QCOMPARE(focused, firstAtFault);
    QCOMPARE(typedName, record.m_strName);
    QVERIFY(!QFileInfo::exists(kPayers));

    QCOMPARE(answers.seen.size(), 1);
    const BoxAnswers::Seen& box = answers.seen.first();
    const QStringList problems =
        RequisiteChecks::Texts(RequisiteChecks::Check(record, kPayersKind));
    QVERIFY(!problems.isEmpty());
    for (const QString& problem : problems) {
        QVERIFY2(box.text.contains(problem), qPrintable(box.text));
    }
    QCOMPARE(box.buttons.size(), 2);
    QVERIFY(box.buttons.contains(kCorrect) && box.buttons.contains(kSaveAsItIs));
    QCOMPARE(box.defaultButton, kCorrect);
}

void TestCheckWarnings::saveAsItIsStoresTheRecord() {
    const CRequisite record = WithWrongAccount(QStringLiteral("ООО Ромашка"), kRecipientsKind);
    BoxAnswers answers({kSaveAsItIs});
    {
        CRequisitesArchiveDlg archive(1);
        archive.show();
        WhenDialogOpens([&](QDialog* dialog) {
            TypeRecord(dialog, record);
            Click(dialog, QStringLiteral("OK"));
        });
        Click(&archive, QStringLiteral("Добавить"));
        QCOMPARE(archive.m_requisites.Count(), 1);
    }
    QCOMPARE(answers.seen.size(), 1);
    QCOMPARE(ReadBook(kRecipients), CRequisiteArray{record});
}

void TestCheckWarnings::soundRecordIsStoredWithoutAWord_data() {
    QTest::addColumn<CRequisite>("record");
    QTest::newRow("all checks pass") << Valid(QStringLiteral("ПАО Сбербанк"));
    CRequisite incomplete;
    incomplete.m_strName = QStringLiteral("ООО Новый поставщик");
    incomplete.m_strBik = QStringLiteral("044525225");
    QTest::newRow("not filled in yet") << incomplete;
}

void TestCheckWarnings::soundRecordIsStoredWithoutAWord() {
    QFETCH(CRequisite, record);
    BoxAnswers answers({});
    {
        CRequisitesArchiveDlg archive(0);
        archive.show();
        WhenDialogOpens([&](QDialog* dialog) {
            TypeRecord(dialog, record);
            Click(dialog, QStringLiteral("OK"));
        });
        Click(&archive, QStringLiteral("Добавить"));
    }
    QCOMPARE(answers.seen.size(), 0);
    QCOMPARE(ReadBook(kPayers), CRequisiteArray{record});
}

// A recipient typed the payer's way: the dialog says what each field holds in this book, offers to
// swap them, shows them swapped, and then takes the record without another word.
void TestCheckWarnings::swappedAccountsAreSwappedOnRequest() {
    const CRequisite typed = Valid(QStringLiteral("ООО Лютик"), kPayersKind);
    BoxAnswers answers({QStringLiteral("Поменять местами")});
    QStringList hints;
    QStringList afterSwap;
    {
        CRequisitesArchiveDlg archive(kRecipientsKind);
        archive.show();
        WhenDialogOpens([&](QDialog* dialog) {
            for (const char* name : {"editAccount1Hint", "editAccount2Hint"}) {
                auto* hint = dialog->findChild<QLabel*>(QLatin1String(name));
                hints.append(hint && hint->isVisible() ? hint->text() : QString());
            }
            TypeRecord(dialog, typed);
            Click(dialog, QStringLiteral("OK"));
            afterSwap = {Edit(dialog, "editAccount1")->text(),
                         Edit(dialog, "editAccount2")->text()};
            Click(dialog, QStringLiteral("OK"));
        });
        Click(&archive, QStringLiteral("Добавить"));
    }
    QCOMPARE(hints, (QStringList{"корр. счет банка", "счет получателя"}));
    QCOMPARE(answers.seen.size(), 1);
    QVERIFY2(answers.seen.first().text.contains(QStringLiteral("Счет1 и Счет2 переставлены")),
             qPrintable(answers.seen.first().text));
    QCOMPARE(answers.seen.first().defaultButton, QStringLiteral("Поменять местами"));
    const CRequisite stored = Valid(QStringLiteral("ООО Лютик"), kRecipientsKind);
    QCOMPARE(afterSwap, (QStringList{stored.m_strAccount1, stored.m_strAccount2}));
    QCOMPARE(ReadBook(kRecipients), CRequisiteArray{stored});
}

// One message names both parties; pressing OK again for the same records says nothing more, and
// a record chosen afterwards is told about on its own.
void TestCheckWarnings::orderDialogTellsOnceAboutEachRecord() {
    const QString payer = QStringLiteral("ООО Ромашка");
    const QString recipient = QStringLiteral("ООО Лютик");
    const QString other = QStringLiteral("ИП Пчелкин");
    QVERIFY(RequisitesFile::Write(kPayers, {WithWrongAccount(payer)}));
    QVERIFY(RequisitesFile::Write(kRecipients, {WithWrongInn(recipient, kRecipientsKind),
                                                WithWrongInn(other, kRecipientsKind)}));
    // The basis first holds a character no order file can keep: OK refuses it.
    BoxAnswers answers({QStringLiteral("OK"), QStringLiteral("OK"), QStringLiteral("OK"),
                        QStringLiteral("OK"), QStringLiteral("OK")});
    CVemoDoc doc;
    COrderArchiveDlg archive(doc, WorkingFolder());
    QList<int> seenAfterPress;
    WhenDialogOpens([&](QDialog* dialog) {
        auto* order = qobject_cast<COrderDlg*>(dialog);
        order->m_lbPayers->setCurrentRow(0);
        order->m_lbRecipients->setCurrentRow(0);
        QTest::keyClicks(Edit(dialog, "amount"), "1500.00");
        Edit(dialog, "basis")->setText(QStringLiteral("Оплата ✓"));
        QTest::keyClicks(Edit(dialog, "priority"), "5");
        QTest::keyClicks(Edit(dialog, "paymentTerm"), "05.03.2026");
        Edit(dialog, "paymentType")->setText(QStringLiteral("почтой"));
        QTest::keyClicks(Edit(dialog, "paymentKind"), "01");
        Click(dialog, QStringLiteral("OK"));
        seenAfterPress.append(answers.seen.size());
        Click(dialog, QStringLiteral("OK"));
        seenAfterPress.append(answers.seen.size());
        order->m_lbRecipients->setCurrentRow(1);
        Edit(dialog, "basis")->setText(QStringLiteral("Оплата по счету"));
        Click(dialog, QStringLiteral("OK"));
        seenAfterPress.append(answers.seen.size());
    });
    archive.show();
    Click(&archive, QStringLiteral("Создать новую"));

    // Warning and refusal; the refusal alone; the new recipient's warning, then the order is saved.
    QCOMPARE(seenAfterPress, (QList<int>{2, 3, 4}));
    const BoxAnswers::Seen& first = answers.seen.at(0);
    QVERIFY2(first.text.contains(payer) && first.text.contains(recipient), qPrintable(first.text));
    QVERIFY(!first.text.contains(other));
    QCOMPARE(first.buttons, QStringList{"OK"});
    QVERIFY(first.text.indexOf(payer) < first.text.indexOf(recipient));
    for (const auto& [record, kind] :
         {std::pair(WithWrongAccount(payer), kPayersKind),
          std::pair(WithWrongInn(recipient, kRecipientsKind), kRecipientsKind)}) {
        for (const QString& problem :
             RequisiteChecks::Texts(RequisiteChecks::Check(record, kind))) {
            QVERIFY2(first.text.contains(problem), qPrintable(first.text));
        }
    }
    const BoxAnswers::Seen& last = answers.seen.at(3);
    QVERIFY2(last.text.contains(other), qPrintable(last.text));
    QVERIFY(!last.text.contains(payer) && !last.text.contains(recipient));
    QCOMPARE(last.caption, first.caption);
    QCOMPARE(archive.RowCount(), 1);
    QCOMPARE(archive.RowAt(0)[kColumnRecipient], other);
    QVERIFY(OrderFiles::Exists(archive.RowAt(0).Number()));
}

// "Нарисовать платежное поручение" with a faulty payer: told, and the form is drawn.
void TestCheckWarnings::drawingTellsAndDrawsAnyway() {
    const CRequisite payer = WithWrongAccount(QStringLiteral("ООО Ромашка"));
    QVERIFY(RequisitesFile::Write(kPayers, {payer}));
    QVERIFY(
        RequisitesFile::Write(kRecipients, {Valid(QStringLiteral("ООО Лютик"), kRecipientsKind)}));
    QVERIFY(OrderFiles::SaveOrder(1, Order(1, payer.m_strName, QStringLiteral("ООО Лютик"))));
    BoxAnswers answers({QStringLiteral("OK")});
    CVemoDoc doc;
    COrderArchiveDlg archive(doc, WorkingFolder());
    archive.show();
    archive.SelectRow(0);
    Click(&archive, QStringLiteral("Нарисовать платежное поручение"));
    QCOMPARE(archive.result(), int(QDialog::Accepted));
    QCOMPARE(doc.m_payer.m_strAccount1, payer.m_strAccount1);
    QCOMPARE(answers.seen.size(), 1);
    QVERIFY(answers.seen.first().text.contains(payer.m_strName));
    QVERIFY(!answers.seen.first().text.contains(QStringLiteral("ООО Лютик")));
}

QTEST_MAIN(TestCheckWarnings)
#include "tst_checkwarnings.moc"
