// One address book in memory: what loading found, which changes count, and when the file on disk
// is no longer what the book read.
#include <QtTest>
#include <algorithm>
#include <memory>

#include "FileSizeLimit.h"
#include "TestFolder.h"
#include "TestTrash.h"
#include "orders/WorkingFolder.h"
#include "requisites/AddressBook.h"
#include "requisites/RequisitesFile.h"

namespace {

CRequisite Record(const QString& name, const QString& bank = QString()) {
    CRequisite record;
    record.m_strName = name;
    record.m_strBank = bank;
    return record;
}

const QString kFile = QStringLiteral("polRecv.dat");
const QByteArray kTwoRecordsLf = "A\nbank\nbik\ninn\n1\n2\nB\n";

}  // namespace

class TestAddressBook : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void loadTellsWhatItFound_data();
    void loadTellsWhatItFound();
    void readingNeverWrites();
    void onlyRealChangesCount();
    void saveWritesAndSettles();
    void seesAnotherWritersSave_data();
    void seesAnotherWritersSave();
    void twoBooksOnOneFile();
    void unreadableFileIsNeverWritten();
    void savesKeepTheHundredNewestCopies();
    void recordAddedForAnOrderSaysWhyItFailed_data();
    void recordAddedForAnOrderSaysWhyItFailed();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestAddressBook::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void TestAddressBook::cleanup() {
    QDir::setCurrent(QDir::tempPath());
    m_dir.reset();
}

void TestAddressBook::loadTellsWhatItFound_data() {
    QTest::addColumn<QString>("made");  // what stands at the path
    QTest::addColumn<AddressBook::Outcome>("outcome");
    QTest::addColumn<int>("count");
    QTest::newRow("missing") << "" << AddressBook::Outcome::Missing << 0;
    QTest::newRow("empty file") << "file" << AddressBook::Outcome::Read << 0;
    QTest::newRow("two records") << "records" << AddressBook::Outcome::Read << 2;
    QTest::newRow("a directory") << "dir" << AddressBook::Outcome::Unreadable << 0;
}

void TestAddressBook::loadTellsWhatItFound() {
    QFETCH(QString, made);
    QFETCH(AddressBook::Outcome, outcome);
    QFETCH(int, count);
    if (made == "dir") {
        QVERIFY(QDir().mkdir(kFile));
    } else if (!made.isEmpty()) {
        WriteBytes(kFile, made == "records" ? kTwoRecordsLf : QByteArray());
    }
    AddressBook book(kFile);
    QCOMPARE(book.LoadOutcome(), AddressBook::Outcome::NotLoaded);
    QCOMPARE(book.Load(), outcome);
    QCOMPARE(book.LoadOutcome(), outcome);
    QCOMPARE(book.Count(), count);
    QVERIFY(!book.IsChanged());
    QVERIFY(!book.ChangedOnDisk());
}

void TestAddressBook::readingNeverWrites() {
    WriteBytes(kFile, kTwoRecordsLf);
    {
        AddressBook book(kFile);
        book.Load();
        QCOMPARE(book.At(0).m_strBik, QStringLiteral("bik"));     // line 3
        QCOMPARE(book.At(0).m_strInnKpp, QStringLiteral("inn"));  // line 4
        QCOMPARE(book.At(1).m_strName, QStringLiteral("B"));
        AddressBook missing(QStringLiteral("pltRecv.dat"));
        missing.Load();
    }
    QCOMPARE(ReadBytes(kFile), kTwoRecordsLf);  // LF line ends and the short record kept
    QVERIFY(!QFileInfo::exists("pltRecv.dat"));
}

void TestAddressBook::onlyRealChangesCount() {
    QVERIFY(RequisitesFile::Write(kFile, {Record("A", "a"), Record("B", "b")}));
    AddressBook book(kFile);
    book.Load();
    book.Change(1, Record("B", "b"));  // the same values again
    QVERIFY(!book.IsChanged());
    book.Add(Record("C"));
    QVERIFY(book.IsChanged());
    book.Remove(2);  // back to what the file holds
    QVERIFY(!book.IsChanged());
    book.Change(0, Record("A", "other bank"));
    QVERIFY(book.IsChanged());
    book.Change(0, Record("A", "a"));
    QVERIFY(!book.IsChanged());
    book.Remove(0);
    QVERIFY(book.IsChanged());
    QCOMPARE(book.Records(), CRequisiteArray{Record("B", "b")});
}

void TestAddressBook::saveWritesAndSettles() {
    AddressBook book(kFile);
    QCOMPARE(book.Load(), AddressBook::Outcome::Missing);
    book.Add(Record(QStringLiteral("Б")));
    QVERIFY(book.Save());
    QVERIFY(!book.IsChanged());
    QVERIFY(!book.ChangedOnDisk());  // its own save is not another writer's
    AddressBook reread(kFile);
    QCOMPARE(reread.Load(), AddressBook::Outcome::Read);
    QCOMPARE(reread.Records(), book.Records());
}

void TestAddressBook::seesAnotherWritersSave_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("changed");
    QTest::newRow("untouched") << "" << false;
    QTest::newRow("the same bytes written again") << "same" << false;
    QTest::newRow("one byte more") << "grown" << true;
    QTest::newRow("same size, other bytes") << "altered" << true;
    QTest::newRow("removed") << "removed" << true;
}

void TestAddressBook::seesAnotherWritersSave() {
    QFETCH(QString, change);
    QFETCH(bool, changed);
    WriteBytes(kFile, kTwoRecordsLf);
    AddressBook book(kFile);
    book.Load();
    if (change == "same") {
        WriteBytes(kFile, kTwoRecordsLf);
    } else if (change == "grown") {
        WriteBytes(kFile, kTwoRecordsLf + "\n");
    } else if (change == "altered") {
        WriteBytes(kFile, QByteArray(kTwoRecordsLf).replace("bik", "BIK"));
    } else if (change == "removed") {
        QVERIFY(QFile::remove(kFile));
    }
    QCOMPARE(book.ChangedOnDisk(), changed);

    // A book of a missing file sees the file appear.
    AddressBook none(QStringLiteral("pltRecv.dat"));
    none.Load();
    WriteBytes("pltRecv.dat", QByteArray());
    QVERIFY(none.ChangedOnDisk());
}

void TestAddressBook::twoBooksOnOneFile() {
    QVERIFY(RequisitesFile::Write(kFile, {Record("A"), Record("B"), Record("C")}));
    AddressBook first(kFile);
    AddressBook second(kFile);
    first.Load();
    second.Load();
    second.Remove(1);
    QVERIFY(second.Save());
    QVERIFY(!first.IsChanged());  // nothing to write: the other's deletion stays
    QVERIFY(first.ChangedOnDisk());
    first.Add(Record("D"));
    QVERIFY(first.Save());  // when told to, it writes its own list
    QVERIFY(!first.ChangedOnDisk());
    QVERIFY(second.ChangedOnDisk());
    AddressBook reread(kFile);
    reread.Load();
    QCOMPARE(reread.Records(),
             (CRequisiteArray{Record("A"), Record("B"), Record("C"), Record("D")}));
}

void TestAddressBook::unreadableFileIsNeverWritten() {
    QVERIFY(QDir().mkdir(kFile));
    QVERIFY(QDir().mkdir(kFile + "/keep"));
    AddressBook book(kFile);
    QCOMPARE(book.Load(), AddressBook::Outcome::Unreadable);
    book.Add(Record("A"));
    QVERIFY(book.IsChanged());
    QVERIFY(!book.Save());
    QVERIFY(QFileInfo(kFile + "/keep").isDir());
}

// The trash's hundred names of the book filled for real, by saving it again and again: each save
// still keeps the file it replaces, the oldest copy of the book giving its name to the newest.
void TestAddressBook::savesKeepTheHundredNewestCopies() {
    const TestTrash desktop;
    QVERIFY(desktop.SharesVolumeWith(m_dir->path()));
    AddressBook book(kFile);
    book.Load();
    for (int version = 0; version <= 102; ++version) {
        if (book.Count() == 0) {
            book.Add(Record(QString::number(version)));
        } else {
            book.Change(0, Record(QString::number(version)));
        }
        QVERIFY(book.Save());
    }
    QStringList kept;
    for (const QString& name : desktop.Files()) {
        AddressBook copy(TestTrash::Folder() + "/files/" + name);
        QCOMPARE(copy.Load(), AddressBook::Outcome::Read);
        kept.append(copy.At(0).m_strName);
    }
    std::sort(kept.begin(), kept.end(),
              [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
    QStringList newest;
    for (int version = 2; version <= 101; ++version) {
        newest.append(QString::number(version));
    }
    QCOMPARE(kept, newest);
}

void TestAddressBook::recordAddedForAnOrderSaysWhyItFailed_data() {
    QTest::addColumn<QString>("made");  // what stands at the book's name
    QTest::addColumn<int>("limit");     // the largest file the disk takes; 0 for no limit
    QTest::addColumn<QString>("error");
    QTest::newRow("added") << "file" << 0 << QString();
    QTest::newRow("a book that does not read") << "folder" << 0 << "файл polRecv.dat не читается";
    QTest::newRow("a full disk") << "file" << 20 << "превышен допустимый размер файла";
}

// The tax service added to the recipients' book from the order dialog: the book as it was, and
// the reason, when it cannot be written.
void TestAddressBook::recordAddedForAnOrderSaysWhyItFailed() {
    QFETCH(QString, made);
    QFETCH(int, limit);
    QFETCH(QString, error);
    if (made == "folder") {
        QVERIFY(QDir().mkdir(kFile));
    } else {
        WriteBytes(kFile, kTwoRecordsLf);
    }
    const TestTrash trash;  // the book replaced waits in a trash of the test's own
    QString said = QStringLiteral("<unset>");
    bool added = false;
    {
        std::unique_ptr<FileSizeLimitHere> full;
        if (limit > 0) {
            full = std::make_unique<FileSizeLimitHere>(rlim_t(limit));
        }
        added = WorkingFolder().AddRecord(kRecipientsKind, Record("C"), &said);
    }
    QCOMPARE(said, error);
    QCOMPARE(added, error.isEmpty());
    if (made == "file") {
        CRequisiteArray records;
        RequisitesFile::Read(kFile, &records);
        QCOMPARE(records.size(), added ? 3 : 2);
    }
}

QTEST_GUILESS_MAIN(TestAddressBook)
#include "tst_addressbook.moc"
