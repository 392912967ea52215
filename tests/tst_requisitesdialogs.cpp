// The address book dialogs: listing, adding, changing and deleting records, saving on the way out,
// and keeping stored records when a file can't be read or written.
#include <sys/stat.h>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "TestEnvironment.h"
#include "TestFolder.h"
#include "TestTrash.h"
#include "form/FormPlaces.h"
#include "requisites/CRequisitesArchiveDlg.h"
#include "requisites/CRequisitesDlg.h"
#include "requisites/RequisitesFile.h"
#include "widgets/MessageBoxes.h"

namespace {

const char* const kEdits[] = {"editName", "editBank",     "editInnKpp",
                              "editBik",  "editAccount1", "editAccount2"};

// Bank details that pass the bank's checks in either book, so that OK takes the record without a
// question (the accounts, which the two books hold the other way round, are not filled in yet);
// the tag tells records apart by their bank.
CRequisite Record(const QString& name, const QString& tag = QString()) {
    CRequisite record;
    record.m_strName = name;
    record.m_strBank = tag + QStringLiteral("банк");
    record.m_strInnKpp = "7707083893/773601001";
    record.m_strBik = "044525225";
    return record;
}

QLineEdit* Edit(QWidget* dlg, const char* name) {
    return dlg->findChild<QLineEdit*>(QLatin1String(name));
}

// The six fields as the dialog shows them, in the order of the record's members.
QStringList Shown(CRequisitesDlg* dlg) {
    QStringList texts;
    for (const char* name : kEdits) {
        texts.append(Edit(dlg, name)->text());
    }
    return texts;
}

QStringList Fields(const CRequisite& r) {
    return {r.m_strName, r.m_strBank, r.m_strInnKpp, r.m_strBik, r.m_strAccount1, r.m_strAccount2};
}

void Type(CRequisitesDlg* dlg, const CRequisite& record) {
    const QStringList fields = Fields(record);
    for (int i = 0; i < fields.size(); ++i) {
        Edit(dlg, kEdits[i])->setText(fields.at(i));
    }
}

// Hands the record dialog that opens next to the answer once it is up.
void WhenRecordDialogOpens(const std::function<void(CRequisitesDlg*)>& answer) {
    QTimer::singleShot(0, [answer] {
        auto* dlg = qobject_cast<CRequisitesDlg*>(QApplication::activeModalWidget());
        if (dlg) {
            answer(dlg);
        }
    });
}

QPushButton* Button(QWidget* dialog, const char* text) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == QString::fromUtf8(text)) {
            return button;
        }
    }
    qFatal("no button %s", text);
}

void AddRecord(CRequisitesArchiveDlg* archive, const CRequisite& record) {
    WhenRecordDialogOpens([record](CRequisitesDlg* dlg) {
        Type(dlg, record);
        dlg->OnOK();
    });
    QTest::mouseClick(Button(archive, "Добавить"), Qt::LeftButton);
}

QListWidget* List(CRequisitesArchiveDlg* archive) {
    return archive->findChild<QListWidget*>(QStringLiteral("listRequisites"));
}

QStringList Entries(CRequisitesArchiveDlg* archive) {
    QStringList entries;
    for (int i = 0; i < List(archive)->count(); ++i) {
        entries.append(List(archive)->item(i)->text());
    }
    return entries;
}

int Selected(CRequisitesArchiveDlg* archive) {
    const QList<QListWidgetItem*> items = List(archive)->selectedItems();
    return items.isEmpty() ? -1 : List(archive)->row(items.first());
}

CRequisiteArray ReadFile(const QString& path) {
    CRequisiteArray records;
    RequisitesFile::Read(path, &records);
    return records;
}

// What Tab visits, from the first stop on: a button by its text, any other control by its name.
QStringList TabChain(QWidget* dlg, int length) {
    QStringList chain;
    for (QWidget* w = dlg->nextInFocusChain(); w != dlg && chain.size() < length;
         w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus) {
            auto* button = qobject_cast<QPushButton*>(w);
            chain.append(button ? button->text() : w->objectName());
        }
    }
    return chain;
}

bool FailEveryWrite(const QString&) {
    return true;
}

const QString kPayers = QStringLiteral("pltRecv.dat");
const QString kRecipients = QStringLiteral("polRecv.dat");

}  // namespace

class TestRequisitesDialogs : public QObject {
    Q_OBJECT
public:
    // Run by hand, the program still needs no display.
    static void initMain() { UseOffscreenPlatformUnlessSet(); }

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void opensEmptyArchiveOfEachKind_data();
    void opensEmptyArchiveOfEachKind();
    void addsInOrderAndSelectsTheFirst();
    void changesRecordInPlace_data();
    void changesRecordInPlace();
    void deletesRecord_data();
    void deletesRecord();
    void secondDeletePressDeletesNothing();
    void changeAndDeleteNeedASelection();
    void escapeSavesLikeOk();
    void escapeAsksOnceSomethingIsTyped();
    void replacedBookWaitsInTheTrash_data();
    void replacedBookWaitsInTheTrash();
    void focusAndTabOrder();
    void doubleClickChangesTheRecordWhichStaysSelected();
    void unchangedCloseKeepsAnotherWindowsDeletion();
    void changedCloseAsksBeforeReplacingAnotherWindowsSave_data();
    void changedCloseAsksBeforeReplacingAnotherWindowsSave();
    void questionStandsOverTheArchiveAndDefaultsToNo();
    void unreadableFileIsNotOverwritten_data();
    void unreadableFileIsNotOverwritten();
    void linkedBookIsReadButNeverWrittenThrough();
    void failedSaveKeepsTheOldFile();
    void refusesTextTheFileCannotKeep_data();
    void refusesTextTheFileCannotKeep();
    void valueLongerThanTheFormAsksToKeepOrEdit_data();
    void valueLongerThanTheFormAsksToKeepOrEdit();

private:
    std::unique_ptr<TestFolder> m_folder;
    MessageBoxes::Log m_log;
};

void TestRequisitesDialogs::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
}

void TestRequisitesDialogs::init() {
    m_log = {};
    MessageBoxes::SetTestLog(&m_log);
    LineFile::g_pWriteFault = nullptr;
    m_folder.reset();
    m_folder = std::make_unique<TestFolder>();
    QVERIFY(m_folder->isValid());
}

void TestRequisitesDialogs::cleanup() {
    MessageBoxes::SetTestLog(nullptr);
    LineFile::g_pWriteFault = nullptr;
    m_folder.reset();
}

void TestRequisitesDialogs::opensEmptyArchiveOfEachKind_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("file");
    QTest::newRow("payers") << 0 << QStringLiteral("Архив реквизитов плательщика") << kPayers;
    QTest::newRow("recipients") << 1 << QStringLiteral("Архив реквизитов получателя")
                                << kRecipients;
}

void TestRequisitesDialogs::opensEmptyArchiveOfEachKind() {
    QFETCH(int, kind);
    QFETCH(QString, caption);
    QFETCH(QString, file);
    {
        CRequisitesArchiveDlg archive(kind);
        QTimer::singleShot(0, &archive, &QDialog::accept);
        archive.exec();
        QCOMPARE(archive.windowTitle(), caption);
        QCOMPARE(List(&archive)->count(), 0);
        QCOMPARE(Selected(&archive), -1);
    }
    QVERIFY(!QFileInfo::exists(file));  // nothing changed, so nothing was written
    QVERIFY(m_log.entries.isEmpty());
}

void TestRequisitesDialogs::addsInOrderAndSelectsTheFirst() {
    {
        CRequisitesArchiveDlg archive(1);
        archive.show();
        AddRecord(&archive, Record(QStringLiteral("Б"), "b"));
        AddRecord(&archive, Record(QStringLiteral("А"), "a"));
        QCOMPARE(Entries(&archive), (QStringList{QStringLiteral("Б"), QStringLiteral("А")}));
        QCOMPARE(Selected(&archive), 0);
        WhenRecordDialogOpens([](CRequisitesDlg* dlg) { dlg->reject(); });
        archive.OnAdd();  // cancelled: nothing added
        QCOMPARE(archive.m_requisites.Count(), 2);
    }
    const QByteArray bytes = ReadBytes(kRecipients);
    QCOMPARE(bytes.count("\r\n"), 12);
    QVERIFY(bytes.startsWith("\xc1\r\n"));  // "Б" in code page 1251
    QCOMPARE(ReadFile(kRecipients),
             (CRequisiteArray{Record(QStringLiteral("Б"), "b"), Record(QStringLiteral("А"), "a")}));
}

void TestRequisitesDialogs::changesRecordInPlace_data() {
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK") << true;
    QTest::newRow("Отмена") << false;
}

void TestRequisitesDialogs::changesRecordInPlace() {
    QFETCH(bool, ok);
    CRequisiteArray records{Record("A", "a"), Record("B", "b"), Record("C", "c")};
    records[2].m_strAccount2 = QString(40000, QLatin1Char('9'));  // longer than a box holds
    QVERIFY(RequisitesFile::Write(kPayers, records));
    const CRequisite changed = Record("Z", "z");
    {
        CRequisitesArchiveDlg archive(0);
        archive.show();
        List(&archive)->setCurrentRow(2);
        QStringList offered;
        WhenRecordDialogOpens([&](CRequisitesDlg* dlg) {
            offered = Shown(dlg);
            Type(dlg, changed);
            ok ? dlg->OnOK() : dlg->reject();
        });
        QTest::mouseClick(Button(&archive, "Изменить"), Qt::LeftButton);
        QCOMPARE(offered, Fields(records.at(2)));  // every field in its own box
        if (ok) {
            records[2] = changed;
        }
        QCOMPARE(archive.m_requisites.Records(), records);
        QCOMPARE(Entries(&archive).at(2), records.at(2).m_strName);
        QCOMPARE(Selected(&archive), 2);  // the record changed, or the one the user chose
    }
    QCOMPARE(ReadFile(kPayers), records);
}

void TestRequisitesDialogs::deletesRecord_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("first") << 3 << 0 << QStringList{"B", "C"};
    QTest::newRow("middle") << 3 << 1 << QStringList{"A", "C"};
    QTest::newRow("last") << 3 << 2 << QStringList{"A", "B"};
    QTest::newRow("only") << 1 << 0 << QStringList{};
}

void TestRequisitesDialogs::deletesRecord() {
    QFETCH(int, count);
    QFETCH(int, index);
    QFETCH(QStringList, left);
    CRequisiteArray records{Record("A", "a"), Record("B", "b"), Record("C", "c")};
    records.resize(count);
    QVERIFY(RequisitesFile::Write(kPayers, records));
    records.removeAt(index);
    {
        CRequisitesArchiveDlg archive(0);
        archive.show();
        List(&archive)->setCurrentRow(index);
        archive.OnDelete();
        QCOMPARE(Entries(&archive), left);
        QCOMPARE(archive.m_requisites.Records(),
                 records);                 // the others keep their fields and order
        QCOMPARE(Selected(&archive), -1);  // nothing left for a second press to delete
    }
    QCOMPARE(ReadFile(kPayers), records);
    if (left.isEmpty()) {
        QCOMPARE(QFileInfo(kPayers).size(), 0);
    }
    QVERIFY(m_log.entries.isEmpty());  // no question before deleting
}

// A slip of a double press: the second press of the real button finds nothing marked.
void TestRequisitesDialogs::secondDeletePressDeletesNothing() {
    QVERIFY(RequisitesFile::Write(kPayers, {Record("A"), Record("B"), Record("C")}));
    {
        CRequisitesArchiveDlg archive(0);
        archive.show();
        List(&archive)->setCurrentRow(1);
        QTest::mouseClick(Button(&archive, "Удалить"), Qt::LeftButton);
        QTest::mouseClick(Button(&archive, "Удалить"), Qt::LeftButton);
        QCOMPARE(Entries(&archive), (QStringList{"A", "C"}));
    }
    QCOMPARE(ReadFile(kPayers), (CRequisiteArray{Record("A"), Record("C")}));
}

void TestRequisitesDialogs::changeAndDeleteNeedASelection() {
    QVERIFY(RequisitesFile::Write(kPayers, {Record("A")}));
    CRequisitesArchiveDlg empty(1);
    empty.show();
    CRequisitesArchiveDlg unselected(0);
    unselected.show();
    List(&unselected)->clearSelection();
    bool opened = false;
    WhenRecordDialogOpens([&](CRequisitesDlg* dlg) {
        opened = true;
        dlg->reject();
    });
    for (CRequisitesArchiveDlg* archive : {&empty, &unselected}) {
        archive->OnChange();
        archive->OnDelete();
    }
    QCOMPARE(empty.m_requisites.Count(), 0);
    QCOMPARE(Selected(&empty), -1);
    QCOMPARE(unselected.m_requisites.Records(), CRequisiteArray{Record("A")});
    QCoreApplication::processEvents();  // the answer runs now unless a dialog took it
    QVERIFY(!opened);
}

void TestRequisitesDialogs::escapeSavesLikeOk() {
    {
        CRequisitesArchiveDlg archive(1);
        QTimer::singleShot(0, &archive, [&archive] {
            AddRecord(&archive, Record("A"));
            QTest::keyClick(&archive, Qt::Key_Escape);
        });
        QCOMPARE(archive.exec(), int(QDialog::Rejected));
    }
    QCOMPARE(ReadFile(kRecipients), CRequisiteArray{Record("A")});
}

void TestRequisitesDialogs::replacedBookWaitsInTheTrash_data() {
    QTest::addColumn<bool>("deleting");  // a record deleted before Esc, or the list only looked at
    QTest::addColumn<bool>("trash");     // whether the desktop has a trash
    QTest::newRow("a record deleted, then Esc") << true << true;
    QTest::newRow("only looked at") << false << true;
    QTest::newRow("a record deleted, no trash") << true << false;
}

// The book is written only when it changed, and the file it replaces can be brought back from
// the trash, as the file manager restores it: what it held and where it was.
void TestRequisitesDialogs::replacedBookWaitsInTheTrash() {
    QFETCH(bool, deleting);
    QFETCH(bool, trash);
    const TestTrash desktop(trash ? TestTrash::DataFolder::Made : TestTrash::DataFolder::Missing);
    QVERIFY(desktop.SharesVolumeWith(m_folder->Path()));
    QVERIFY(RequisitesFile::Write(kPayers, {Record("A"), Record("B")}));
    const QByteArray before = ReadBytes(kPayers);
    struct stat status;
    QCOMPARE(stat(QFile::encodeName(kPayers).constData(), &status), 0);
    const ino_t inode = status.st_ino;
    const QStringList home = desktop.HomeEntries();
    {
        CRequisitesArchiveDlg archive(0);
        archive.show();
        if (deleting) {
            QTest::mouseClick(List(&archive)->viewport(), Qt::LeftButton, {},
                              List(&archive)->visualItemRect(List(&archive)->item(1)).center());
            QTest::mouseClick(Button(&archive, "Удалить"), Qt::LeftButton);
        }
        QTest::keyClick(&archive, Qt::Key_Escape);
    }
    QVERIFY(m_log.entries.isEmpty());
    QCOMPARE(ReadFile(kPayers),
             deleting ? CRequisiteArray{Record("A")} : (CRequisiteArray{Record("A"), Record("B")}));
    if (!deleting) {
        QCOMPARE(stat(QFile::encodeName(kPayers).constData(), &status), 0);
        QCOMPARE(status.st_ino, inode);  // not even written again
    }
    if (!trash) {
        QCOMPARE(desktop.HomeEntries(), home);  // no trash made in its place
        return;
    }
    QCOMPARE(desktop.Files(), deleting ? QStringList{kPayers} : QStringList{});
    if (deleting) {
        QCOMPARE(ReadBytes(TestTrash::Folder() + "/files/" + kPayers), before);
        QVERIFY(desktop.Info(kPayers).contains(
            QFile::encodeName(QDir::current().absoluteFilePath(kPayers)).toPercentEncoding("/")));
    }
}

void TestRequisitesDialogs::focusAndTabOrder() {
    CRequisitesArchiveDlg archive(0);
    archive.show();
    QCOMPARE(TabChain(&archive, 5),
             (QStringList{"OK", "listRequisites", QStringLiteral("Добавить"),
                          QStringLiteral("Изменить"), QStringLiteral("Удалить")}));
    QCOMPARE(qobject_cast<QPushButton*>(archive.focusWidget())->text(), QStringLiteral("OK"));

    CRequisitesDlg dlg;
    dlg.show();
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Реквизиты"));
    QStringList order(std::begin(kEdits), std::end(kEdits));
    order << "OK" << QStringLiteral("Отмена");
    QCOMPARE(TabChain(&dlg, 8), order);
    QCOMPARE(dlg.focusWidget(), Edit(&dlg, "editName"));
}

// A double click opens the record as "Изменить" does; afterwards the record changed is the one
// selected, so that the next "Удалить" takes it and no other; Enter still closes the archive.
void TestRequisitesDialogs::doubleClickChangesTheRecordWhichStaysSelected() {
    const CRequisiteArray records{Record("A", "a"), Record("B", "b"), Record("C", "c")};
    QVERIFY(RequisitesFile::Write(kPayers, records));
    CRequisitesArchiveDlg archive(0);
    archive.show();
    QVERIFY(QTest::qWaitForWindowExposed(&archive));
    QListWidget* list = List(&archive);
    const QPoint at = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QStringList offered;
    WhenRecordDialogOpens([&](CRequisitesDlg* dlg) {
        offered = Shown(dlg);
        QLineEdit* bank = Edit(dlg, "editBank");
        bank->setFocus();
        bank->selectAll();
        QTest::keyClicks(bank, "Bank B2");
        QTest::mouseClick(Button(dlg, "OK"), Qt::LeftButton);
    });
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(offered, Fields(records.at(1)));
    QCOMPARE(archive.m_requisites.At(1).m_strBank, QStringLiteral("Bank B2"));
    QCOMPARE(Selected(&archive), 1);
    QTest::mouseClick(Button(&archive, "Удалить"), Qt::LeftButton);
    QCOMPARE(Entries(&archive), (QStringList{"A", "C"}));

    list->setCurrentRow(0);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(!archive.isVisible());
    QCOMPARE(archive.result(), int(QDialog::Accepted));
    QCOMPARE(ReadFile(kPayers), (CRequisiteArray{records.at(0), records.at(2)}));
}

// Two windows on one address book: each writes only what it changed, and never silently over
// what the other one saved.
void TestRequisitesDialogs::unchangedCloseKeepsAnotherWindowsDeletion() {
    QVERIFY(RequisitesFile::Write(kPayers, {Record("A"), Record("B"), Record("C")}));
    CRequisitesArchiveDlg first(0);
    first.show();
    {
        CRequisitesArchiveDlg second(0);
        second.show();
        List(&second)->setCurrentRow(1);
        QTest::mouseClick(Button(&second, "Удалить"), Qt::LeftButton);
        second.accept();
    }
    const QByteArray saved = ReadBytes(kPayers);
    QCOMPARE(ReadFile(kPayers), (CRequisiteArray{Record("A"), Record("C")}));
    first.accept();
    QCOMPARE(ReadBytes(kPayers), saved);
    QVERIFY(m_log.entries.isEmpty());
}

void TestRequisitesDialogs::changedCloseAsksBeforeReplacingAnotherWindowsSave_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("Нет") << false;
    QTest::newRow("Да") << true;
}

void TestRequisitesDialogs::changedCloseAsksBeforeReplacingAnotherWindowsSave() {
    QFETCH(bool, yes);
    QVERIFY(RequisitesFile::Write(kRecipients, {Record("A"), Record("B")}));
    CRequisitesArchiveDlg first(1);
    first.show();
    {
        CRequisitesArchiveDlg second(1);
        second.show();
        List(&second)->setCurrentRow(0);
        QTest::mouseClick(Button(&second, "Удалить"), Qt::LeftButton);
        second.accept();
    }
    const QByteArray saved = ReadBytes(kRecipients);
    AddRecord(&first, Record("N"));
    m_log.answerYes = yes;
    first.accept();
    QCOMPARE(m_log.entries.size(), yes ? 1 : 2);
    QCOMPARE(m_log.entries.first().text,
             QStringLiteral("Файл polRecv.dat изменен другой программой после открытия. "
                            "Записать ваш список вместо него?"));
    if (yes) {
        QCOMPARE(ReadFile(kRecipients), (CRequisiteArray{Record("A"), Record("B"), Record("N")}));
    } else {
        QCOMPARE(ReadBytes(kRecipients), saved);
        QCOMPARE(m_log.entries.last().caption, QStringLiteral("Ошибка"));
        QVERIFY2(m_log.entries.last().text.contains(QStringLiteral("не записаны")),
                 qPrintable(m_log.entries.last().text));
    }
}

// The real question: it stands over the archive, still open, and Enter answers "Нет".
void TestRequisitesDialogs::questionStandsOverTheArchiveAndDefaultsToNo() {
    MessageBoxes::SetTestLog(nullptr);
    QVERIFY(RequisitesFile::Write(kPayers, {Record("A")}));
    CRequisitesArchiveDlg archive(0);
    archive.show();
    QVERIFY(QTest::qWaitForWindowExposed(&archive));
    AddRecord(&archive, Record("B"));
    WriteBytes(kPayers, "other\r\n\r\n\r\n\r\n\r\n\r\n");  // another program's save
    QStringList texts;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    bool overTheArchive = true;
    QTimer boxes;
    connect(&boxes, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            return;
        }
        texts.append(box->text());
        overTheArchive =
            overTheArchive && box->parentWidget() == &archive && archive.isVisible() &&
            (box->geometry().center() - archive.geometry().center()).manhattanLength() < 40;
        if (texts.size() == 1) {
            defaultButton = box->standardButton(box->defaultButton());
        }
        QTest::keyClick(box, Qt::Key_Return);
    });
    boxes.start(10);
    archive.accept();
    boxes.stop();
    QCOMPARE(texts.size(), 2);  // the question, then what became of the changes
    QVERIFY(texts.first().startsWith(QStringLiteral("Файл pltRecv.dat изменен")));
    QCOMPARE(defaultButton, QMessageBox::No);
    QVERIFY(overTheArchive);
    QCOMPARE(ReadBytes(kPayers), QByteArray("other\r\n\r\n\r\n\r\n\r\n\r\n"));
}

void TestRequisitesDialogs::unreadableFileIsNotOverwritten_data() {
    QTest::addColumn<bool>("change");
    QTest::addColumn<QString>("what");  // stands at the book's name
    QTest::newRow("unchanged") << false << "folder";
    QTest::newRow("changed") << true << "folder";
    QTest::newRow("a fifo, changed") << true << "fifo";
    QTest::newRow("a link to an endless device, changed") << true << "/dev/zero";
}

void TestRequisitesDialogs::unreadableFileIsNotOverwritten() {
    QFETCH(bool, change);
    QFETCH(QString, what);
    const Deadline deadline(60);  // a reader that waits on a FIFO fails here, not the run
    // There, but can't be read.
    if (what == "folder") {
        QVERIFY(QDir().mkdir(kPayers));
    } else if (what == "fifo") {
        QCOMPARE(mkfifo(QFile::encodeName(kPayers).constData(), 0600), 0);
    } else {
        QVERIFY(QFile::link(what, kPayers));
    }
    const QFileInfo before(kPayers);
    {
        CRequisitesArchiveDlg archive(0);
        archive.show();
        QTRY_COMPARE(m_log.Texts(), QStringList{QStringLiteral("Не могу прочитать реквизиты")});
        QCOMPARE(m_log.entries.first().caption, QStringLiteral("Ошибка"));
        QCOMPARE(List(&archive)->count(), 0);
        if (change) {
            AddRecord(&archive, Record("A"));
        }
        archive.accept();
    }
    QStringList expected{QStringLiteral("Не могу прочитать реквизиты")};
    if (change) {
        expected.append(
            QStringLiteral("Не могу записать реквизиты: файл pltRecv.dat не прочитан, "
                           "и список заменил бы записи, которых программа не видела"));
    }
    QCOMPARE(m_log.Texts(), expected);
    const QFileInfo after(kPayers);
    QCOMPARE(after.isDir(), before.isDir());
    QCOMPARE(after.isSymLink(), before.isSymLink());
    QVERIFY(!after.isFile() || after.isSymLink());
}

// A book that is a link to a file elsewhere is read, but a change is never written through it:
// the message names the link and says what to do, and the file it points to stays as it was.
void TestRequisitesDialogs::linkedBookIsReadButNeverWrittenThrough() {
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath("book");
    QVERIFY(RequisitesFile::Write(target, {Record("A")}));
    const QByteArray before = ReadBytes(target);
    QVERIFY(QFile::link(target, kPayers));
    {
        CRequisitesArchiveDlg archive(0);
        archive.show();
        QCOMPARE(Entries(&archive), QStringList{"A"});
        AddRecord(&archive, Record("B"));
        archive.accept();
    }
    QCOMPARE(m_log.entries.size(), 1);
    const QString text = m_log.entries.first().text;
    QVERIFY2(text.startsWith(RequisitesFile::CannotWriteMessage() + ": " + kPayers +
                             QStringLiteral(" — символическая ссылка на ") + target),
             qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("замените ссылку копией файла")), qPrintable(text));
    QCOMPARE(ReadBytes(target), before);
    QVERIFY(QFileInfo(kPayers).isSymLink());
}

void TestRequisitesDialogs::failedSaveKeepsTheOldFile() {
    QVERIFY(RequisitesFile::Write(kPayers, {Record("A")}));
    const QByteArray old = ReadBytes(kPayers);
    {
        CRequisitesArchiveDlg archive(0);
        archive.show();
        AddRecord(&archive, Record("B"));
        LineFile::g_pWriteFault = FailEveryWrite;
        archive.accept();
    }
    QCOMPARE(m_log.Texts(), QStringList{QStringLiteral("Не могу записать реквизиты")});
    QCOMPARE(m_log.entries.first().caption, QStringLiteral("Ошибка"));
    QCOMPARE(ReadBytes(kPayers), old);
    QCOMPARE(QDir().entryList(QDir::Files), QStringList{kPayers});
}

void TestRequisitesDialogs::refusesTextTheFileCannotKeep_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("named");  // how the message names the character
    const QString emoji = QString::fromUtf8("ООО \xF0\x9F\x98\x80");
    const QString cjk = QString::fromUtf8("\xE4\xB8\xAD");
    // What then passes: the file keeps "ё" and "№"; the numbers also pass the bank's checks, so
    // that no other question comes between.
    QTest::addColumn<QString>("fixed");
    const QString letters = QStringLiteral("Годится ё №");
    QTest::newRow("name") << 0 << QStringLiteral("Наименование") << emoji << emoji.mid(4)
                          << letters;
    QTest::newRow("bank") << 1 << QStringLiteral("Банк") << "Bank " + cjk << cjk << letters;
    QTest::newRow("inn/kpp") << 2 << QStringLiteral("ИНН/КПП") << cjk << cjk
                             << QStringLiteral("7707083893/773601001");
    QTest::newRow("bik") << 3 << QStringLiteral("БИК") << cjk << cjk << QStringLiteral("044525225");
    QTest::newRow("account 1") << 4 << QStringLiteral("Счет1") << cjk << cjk
                               << QStringLiteral("40702810938000012345");
    QTest::newRow("account 2") << 5 << QStringLiteral("Счет2") << "1\n2"
                               << QStringLiteral("перевод строки")
                               << QStringLiteral("30101810400000000225");
}

void TestRequisitesDialogs::refusesTextTheFileCannotKeep() {
    QFETCH(int, field);
    QFETCH(QString, caption);
    QFETCH(QString, text);
    QFETCH(QString, named);
    QFETCH(QString, fixed);
    CRequisitesDlg dlg;
    dlg.m_strName = QStringLiteral("Старое");
    dlg.show();
    QLineEdit* edit = Edit(&dlg, kEdits[field]);
    edit->setText(text);
    dlg.OnOK();
    QCOMPARE(m_log.entries.size(), 1);
    QCOMPARE(m_log.entries.first().caption, QStringLiteral("Ошибка"));
    QVERIFY2(m_log.entries.first().text.contains(QStringLiteral("«%1»").arg(caption)),
             qPrintable(m_log.entries.first().text));
    QVERIFY(m_log.entries.first().text.contains(named));
    QVERIFY(dlg.isVisible());  // still open, with what was typed
    QCOMPARE(edit->text(), text);
    QCOMPARE(dlg.focusWidget(), edit);
    QCOMPARE(dlg.m_strName, QStringLiteral("Старое"));

    edit->setText(fixed);
    dlg.OnOK();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    const QStringList members{dlg.m_strName, dlg.m_strBank,     dlg.m_strInnKpp,
                              dlg.m_strBik,  dlg.m_strAccount1, dlg.m_strAccount2};
    QCOMPARE(members.at(field), fixed);
    QCOMPARE(m_log.entries.size(), 1);
}

void TestRequisitesDialogs::valueLongerThanTheFormAsksToKeepOrEdit_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("formField");  // where the field stands on the form
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("keep");
    const QString name = QStringLiteral(
        "Общество с ограниченной ответственностью «Северная торговая компания "
        "строительных материалов и оборудования»");
    const QString bank = QStringLiteral(
        "ПАО Сбербанк, Московский банк, дополнительный офис "
        "№ 9038/01234, г. Москва, ул. Большая Дмитровка");
    const QString account = QStringLiteral("40702810938000012345 (валютный транзитный)");
    const QString caption = QStringLiteral("Наименование");
    QTest::newRow("payer's name, kept")
        << 0 << 0 << caption << int(FormField::PayerName) << name << true;
    QTest::newRow("payer's name, back")
        << 0 << 0 << caption << int(FormField::PayerName) << name << false;
    QTest::newRow("recipient's name of that length fits its three lines")
        << 1 << 0 << caption << int(FormField::RecipientName) << name << false;
    QTest::newRow("recipient's bank, back")
        << 1 << 1 << QStringLiteral("Банк") << int(FormField::RecipientBank) << bank + ", " + bank
        << false;
    QTest::newRow("payer's account, kept")
        << 0 << 4 << QStringLiteral("Счет1") << int(FormField::PayerAccount1) << account << true;
    QTest::newRow("recipient's second account, back")
        << 1 << 5 << QStringLiteral("Счет2") << int(FormField::RecipientAccount2) << account
        << false;
}

void TestRequisitesDialogs::valueLongerThanTheFormAsksToKeepOrEdit() {
    QFETCH(int, kind);
    QFETCH(int, field);
    QFETCH(QString, caption);
    QFETCH(int, formField);
    QFETCH(QString, text);
    QFETCH(bool, keep);
    const int shown = FormPlaces::ShownChars(FormField(formField), text);
    const bool fits = shown == text.size();
    const bool stored = fits || keep;
    // An account this long also breaks the bank's rule, which is asked about first: saved as it
    // is, so that the question about its length follows.
    const bool bankCheckAsks = field == 4 || field == 5;
    // The first choice of either question is "Исправить".
    m_log.answers = bankCheckAsks ? QList<bool>{false, !keep} : QList<bool>{!keep};
    CRequisite record = Record(QStringLiteral("ООО Альфа"));
    {
        CRequisitesArchiveDlg archive(kind);
        archive.show();
        const auto answer = [&](CRequisitesDlg* dlg) {
            Type(dlg, record);
            QLineEdit* edit = Edit(dlg, kEdits[field]);
            edit->setText(text);
            Edit(dlg, kEdits[(field + 1) % 6])->setFocus();
            QTest::mouseClick(Button(dlg, "OK"), Qt::LeftButton);
            QCOMPARE(dlg->isVisible(), !stored);
            if (fits) {
                QVERIFY(m_log.entries.isEmpty());
                return;
            }
            QCOMPARE(m_log.entries.size(), bankCheckAsks ? 2 : 1);
            const QString question = m_log.entries.last().text;
            QVERIFY2(
                question.contains("«" + caption + "»") && question.contains(QString::number(shown)),
                qPrintable(question));
            if (!stored) {
                QCOMPARE(dlg->focusWidget(), edit);
                QCOMPARE(edit->selectedText(), text.mid(shown));  // what the form leaves out
            }
        };
        WhenRecordDialogOpens([&](CRequisitesDlg* dlg) {
            answer(dlg);
            if (dlg->isVisible()) {  // gone back to edit, or a check failed
                dlg->reject();
            }
        });
        QTest::mouseClick(Button(&archive, "Добавить"), Qt::LeftButton);
        QCOMPARE(Entries(&archive).size(), stored ? 1 : 0);
        archive.accept();
    }
    const CRequisiteArray saved = ReadFile(kind == 0 ? kPayers : kRecipients);
    QCOMPARE(saved.size(), stored ? 1 : 0);
    if (stored) {
        QCOMPARE(Fields(saved.at(0)).at(field), text);  // whole, as typed
    }
}

// Esc on a record dialog in which something was typed asks before throwing it away; "Нет" (what
// Enter answers) keeps the dialog. With nothing typed it closes without a word.
void TestRequisitesDialogs::escapeAsksOnceSomethingIsTyped() {
    CRequisitesArchiveDlg archive(kRecipientsKind);
    archive.show();
    m_log.answers = {false, true};
    bool keptOpen = false;
    WhenRecordDialogOpens([&](CRequisitesDlg* dlg) {
        Edit(dlg, "editBik")->setText(QStringLiteral("044525225"));
        QTest::keyClick(dlg, Qt::Key_Escape);
        keptOpen = dlg->isVisible();
        QTest::keyClick(dlg, Qt::Key_Escape);
    });
    QTest::mouseClick(Button(&archive, "Добавить"), Qt::LeftButton);
    QVERIFY(keptOpen);
    QCOMPARE(m_log.entries.size(), 2);
    QVERIFY(m_log.entries.first().text.contains(QStringLiteral("без сохранения")));
    QVERIFY(Entries(&archive).isEmpty());

    WhenRecordDialogOpens([](CRequisitesDlg* dlg) { QTest::keyClick(dlg, Qt::Key_Escape); });
    QTest::mouseClick(Button(&archive, "Добавить"), Qt::LeftButton);
    QCOMPARE(m_log.entries.size(), 2);
    archive.accept();
}

QTEST_MAIN(TestRequisitesDialogs)
#include "tst_requisitesdialogs.moc"
