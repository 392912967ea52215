// Bank details that break a bank rule, as the user meets them: the record dialog offers to correct
// them or save them as they are, the order dialog and the drawing of an order tell about the
// parties' records. Driven through the real fields, buttons and message boxes.
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "BoxAnswers.h"
#include "DialogDriver.h"
#include "TestEnvironment.h"
#include "TestFolder.h"
#include "form/CVemoDoc.h"
#include "orders/OrderFiles.h"
#include "orders/OrderTexts.h"
#include "orderwindows/COrderArchiveDlg.h"
#include "orderwindows/COrderDlg.h"
#include "requisites/CRequisitesArchiveDlg.h"
#include "requisites/CRequisitesDlg.h"
#include "requisites/RequisiteChecks.h"
#include "requisites/RequisitesFile.h"
#include "widgets/WrappedLineEdit.h"

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

QLineEdit* Edit(QWidget* dialog, const char* name) {
    return dialog->findChild<QLineEdit*>(QLatin1String(name));
}

WrappedLineEdit* Purpose(QWidget* dialog) {
    return dialog->findChild<WrappedLineEdit*>(QStringLiteral("basis"));
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
    void orderWarningsLetTheUserCorrectOrKeep_data();
    void orderWarningsLetTheUserCorrectOrKeep();

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
    // "Отмена" on what was typed asks in its turn, and "Да" throws it away.
    BoxAnswers answers({kCorrect, QStringLiteral("&Да")});
    bool stayedOpen = false;
    QString focused;
    bool wholeTextSelected = false;
    QString typedName;
    {
        CRequisitesArchiveDlg archive(0);
        archive.show();
        WhenDialogOpens<QDialog>([&](QDialog* dialog) {
            TypeRecord(dialog, record);
            ClickButton(dialog, QStringLiteral("OK"));
            stayedOpen = dialog->isVisible();
            focused = dialog->focusWidget() ? dialog->focusWidget()->objectName() : QString();
            if (auto* edit = qobject_cast<QLineEdit*>(dialog->focusWidget())) {
                wholeTextSelected = !edit->text().isEmpty() && edit->selectedText() == edit->text();
            }
            typedName = Edit(dialog, "editName")->text();
            ClickButton(dialog, QStringLiteral("Отмена"));
        });
        ClickButton(&archive, QStringLiteral("Добавить"));
        QCOMPARE(archive.m_requisites.Count(), 0);
    }
    QVERIFY(stayedOpen);
    QCOMPARE(focused, firstAtFault);
    QVERIFY(wholeTextSelected);
    QCOMPARE(typedName, record.m_strName);
    QVERIFY(!QFileInfo::exists(kPayers));

    QCOMPARE(answers.seen.size(), 2);
    QVERIFY(answers.seen.last().text.contains(QStringLiteral("без сохранения")));
    const BoxAnswers::Seen& box = answers.seen.first();
    const QStringList problems =
        RequisiteChecks::Texts(RequisiteChecks::Check(record, kPayersKind));
    QVERIFY(!problems.isEmpty());
    for (const QString& problem : problems) {
        QVERIFY2(box.text.contains(problem), qPrintable(box.text));
    }
    // In the order and with the default of every check's warning, the order's among them.
    QCOMPARE(box.buttons, (QStringList{kCorrect, kSaveAsItIs}));
    QCOMPARE(box.defaultButton, kCorrect);
}

void TestCheckWarnings::saveAsItIsStoresTheRecord() {
    const CRequisite record = WithWrongAccount(QStringLiteral("ООО Ромашка"), kRecipientsKind);
    BoxAnswers answers({kSaveAsItIs});
    {
        CRequisitesArchiveDlg archive(1);
        archive.show();
        WhenDialogOpens<QDialog>([&](QDialog* dialog) {
            TypeRecord(dialog, record);
            ClickButton(dialog, QStringLiteral("OK"));
        });
        ClickButton(&archive, QStringLiteral("Добавить"));
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
        WhenDialogOpens<QDialog>([&](QDialog* dialog) {
            TypeRecord(dialog, record);
            ClickButton(dialog, QStringLiteral("OK"));
        });
        ClickButton(&archive, QStringLiteral("Добавить"));
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
        WhenDialogOpens<QDialog>([&](QDialog* dialog) {
            for (const char* name : {"editAccount1Hint", "editAccount2Hint"}) {
                auto* hint = dialog->findChild<QLabel*>(QLatin1String(name));
                hints.append(hint && hint->isVisible() ? hint->text() : QString());
            }
            TypeRecord(dialog, typed);
            ClickButton(dialog, QStringLiteral("OK"));
            afterSwap = {Edit(dialog, "editAccount1")->text(),
                         Edit(dialog, "editAccount2")->text()};
            ClickButton(dialog, QStringLiteral("OK"));
        });
        ClickButton(&archive, QStringLiteral("Добавить"));
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
    WhenDialogOpens<QDialog>([&](QDialog* dialog) {
        auto* order = qobject_cast<COrderDlg*>(dialog);
        order->m_lbPayers->setCurrentRow(0);
        order->m_lbRecipients->setCurrentRow(0);
        QTest::keyClicks(Edit(dialog, "amount"), "1500.00");
        Purpose(dialog)->setText(QStringLiteral("Оплата ✓"));
        Edit(dialog, "priority")->setText(QStringLiteral("5"));
        Edit(dialog, "paymentKind")->setText(QStringLiteral("01"));
        ClickButton(dialog, QStringLiteral("OK"));
        seenAfterPress.append(answers.seen.size());
        ClickButton(dialog, QStringLiteral("OK"));
        seenAfterPress.append(answers.seen.size());
        order->m_lbRecipients->setCurrentRow(1);
        Purpose(dialog)->setText(QStringLiteral("Оплата по счету"));
        ClickButton(dialog, QStringLiteral("OK"));
        seenAfterPress.append(answers.seen.size());
    });
    archive.show();
    ClickButton(&archive, QStringLiteral("Создать новую"));

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
    ClickButton(&archive, QStringLiteral("Нарисовать платежное поручение"));
    QCOMPARE(archive.result(), int(QDialog::Accepted));
    QCOMPARE(doc.m_payer.m_strAccount1, payer.m_strAccount1);
    QCOMPARE(answers.seen.size(), 1);
    QVERIFY(answers.seen.first().text.contains(payer.m_strName));
    QVERIFY(!answers.seen.first().text.contains(QStringLiteral("ООО Лютик")));
}

void TestCheckWarnings::orderWarningsLetTheUserCorrectOrKeep_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("row");             // the order pressed on
    QTest::addColumn<int>("dateShift");       // days from the order's date typed; 0 for none
    QTest::addColumn<int>("basisLength");     // of a basis typed; 0 for none
    QTest::addColumn<QStringList>("warned");  // a part of each warning, in order
    QTest::addColumn<QString>("answer");      // to every warning
    QTest::addColumn<QString>("field");       // where "Исправить" puts the focus
    QTest::addColumn<int>("selectedFrom");    // where the selection starts in that field
    QTest::addColumn<bool>("current");        // written for the current edition of the form
    const QString copy = QStringLiteral("Создать копию");
    const QString edit = QStringLiteral("Изменить");
    const QString like = QStringLiteral("Похоже на поручение № 1 от %1")
                             .arg(QDate::currentDate().addDays(-3).toString("dd.MM.yyyy"));
    const QString tenDays =
        QStringLiteral("банк принимает поручение в течение 10 дней со дня его составления");
    const QString bankLimit = QStringLiteral("210");
    // Order 1 was written three days ago; order 2 long ago.
    QTest::newRow("copy of a recent order, corrected")
        << copy << 0 << 0 << 0 << QStringList{like} << kCorrect << "amount" << 0 << false;
    QTest::newRow("an old order saved again as it is")
        << edit << 1 << 0 << 0 << QStringList{} << QString() << QString() << 0 << false;
    QTest::newRow("a recent order dated 40 days ahead, corrected")
        << edit << 0 << 43 << 0 << QStringList{tenDays} << kCorrect << "date" << 0 << false;
    QTest::newRow("an old order's long purpose, corrected")
        << edit << 1 << 0 << 230 << QStringList{bankLimit} << kCorrect << "basis" << 210 << false;
    QTest::newRow("a copy of a recent order with a long purpose, kept")
        << copy << 0 << 0 << 211 << QStringList{like, bankLimit} << kSaveAsItIs << QString() << 0
        << false;
    // The orders fill the type of payment (5) with "электронно" and the term (19) with a date.
    const QString type = QStringLiteral("Вид платежа «электронно»");
    const QString term = QStringLiteral("Срок платежа «05.03.2026»");
    QTest::newRow("an old order under today's rules, corrected")
        << edit << 1 << 0 << 0 << QStringList{type} << kCorrect << "paymentType" << 0 << true;
    QTest::newRow("an old order under today's rules, kept")
        << edit << 1 << 0 << 0 << QStringList{type, term} << kSaveAsItIs << QString() << 0 << true;
}

// At OK of the order dialog, after its tests: each warning says what to do, "Исправить" (the
// default) goes back to the field at fault, "Сохранить как есть" goes on and the order is saved.
// When each warning is due is tst_checks' orderWarnings.
void TestCheckWarnings::orderWarningsLetTheUserCorrectOrKeep() {
    QFETCH(QString, button);
    QFETCH(int, row);
    QFETCH(int, dateShift);
    QFETCH(int, basisLength);
    QFETCH(QStringList, warned);
    QFETCH(QString, answer);
    QFETCH(QString, field);
    QFETCH(int, selectedFrom);
    QFETCH(bool, current);
    const QString payer = QStringLiteral("ООО Ромашка");
    const QString recipient = QStringLiteral("ООО Лютик");
    QVERIFY(RequisitesFile::Write(kPayers, {Valid(payer)}));
    QVERIFY(RequisitesFile::Write(kRecipients, {Valid(recipient, kRecipientsKind)}));
    OrderRow recent = Order(1, payer, recipient);
    recent[kColumnDate] = OrderTexts::DateText(QDate::currentDate().addDays(-3));
    QVERIFY(OrderFiles::SaveOrder(1, recent));
    OrderRow old = Order(2, payer, recipient);
    old[kColumnDate] = OrderTexts::DateText(QDate(2001, 3, 5));
    QVERIFY(OrderFiles::SaveOrder(2, old));
    QStringList answers;
    for (int i = 0; i < warned.size(); ++i) {
        answers.append(answer);
    }
    BoxAnswers boxes(answers);
    CVemoDoc doc;
    COrderArchiveDlg archive(doc, WorkingFolder());
    archive.SetFormPaper(current ? FormEdition::Current : FormEdition::Edition2001);
    archive.show();
    archive.SelectRow(row);
    bool stayedOpen = false;
    QString focused;
    int selectionStart = -1;
    WhenDialogOpens<QDialog>([&](QDialog* dialog) {
        auto* date = dialog->findChild<QDateEdit*>(QStringLiteral("date"));
        if (dateShift != 0) {
            date->setDate(date->date().addDays(dateShift));
        }
        if (basisLength > 0) {
            Purpose(dialog)->selectAll();
            QTest::keyClicks(Purpose(dialog), QString(basisLength, QLatin1Char('x')));
        }
        ClickButton(dialog, QStringLiteral("OK"));
        stayedOpen = dialog->isVisible();
        QWidget* focus = dialog->focusWidget();
        focused = focus ? focus->objectName() : QString();
        if (auto* edit = qobject_cast<QLineEdit*>(focus)) {
            selectionStart = edit->selectionStart();
            QCOMPARE(edit->selectionEnd(), int(edit->text().size()));
        } else if (auto* purpose = qobject_cast<WrappedLineEdit*>(focus)) {
            selectionStart = purpose->textCursor().selectionStart();
            QCOMPARE(purpose->textCursor().selectionEnd(), int(purpose->text().size()));
        } else if (focus == date) {
            const auto* text = date->findChild<QLineEdit*>();
            selectionStart = text->selectionStart();
            QCOMPARE(text->selectedText(), text->text());
        }
    });
    ClickButton(&archive, button);

    QCOMPARE(boxes.seen.size(), warned.size());
    for (int i = 0; i < warned.size(); ++i) {
        const BoxAnswers::Seen& box = boxes.seen.at(i);
        QVERIFY2(box.text.contains(warned.at(i)), qPrintable(box.text));
        QCOMPARE(box.buttons, (QStringList{kCorrect, kSaveAsItIs}));
        QCOMPARE(box.defaultButton, kCorrect);
    }
    const bool corrected = answer == kCorrect;
    QCOMPARE(stayedOpen, corrected);
    QCOMPARE(archive.RowCount(), !corrected && button == QStringLiteral("Создать копию") ? 3 : 2);
    if (corrected) {
        QCOMPARE(focused, field);
        QCOMPARE(selectionStart, selectedFrom);
    }
}

QTEST_MAIN(TestCheckWarnings)
#include "tst_checkwarnings.moc"
