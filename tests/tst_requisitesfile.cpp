// The requisites files: six lines a record, code page 1251, normal form on write, atomic saving.
#include <QtTest>
#include <algorithm>

#include <memory>
#include "FileSizeLimit.h"
#include "TestFolder.h"

#include "common/Cp1251.h"
#include "requisites/RequisitesFile.h"

namespace {

CRequisite Record(const QString& name, const QString& bank = {}, const QString& innKpp = {},
                  const QString& bik = {}, const QString& account1 = {},
                  const QString& account2 = {}) {
    CRequisite record;
    record.m_strName = name;
    record.m_strBank = bank;
    record.m_strInnKpp = innKpp;
    record.m_strBik = bik;
    record.m_strAccount1 = account1;
    record.m_strAccount2 = account2;
    return record;
}

const char kFile[] = "pltRecv.dat";

}  // namespace

class TestRequisitesFile : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void readsAndWritesNormalForm_data();
    void readsAndWritesNormalForm();
    void fieldsKeepTheirLines();
    void everyByteRoundTrips();
    void refusesTextTheFileCannotKeep_data();
    void refusesTextTheFileCannotKeep();
    void loneCrWritesBackByteForByte();
    void fullDiskKeepsTheBook_data();
    void fullDiskKeepsTheBook();
    void findsByNameAsTheFullReadDoes_data();
    void findsByNameAsTheFullReadDoes();
    void findingInAFileThatCannotBeRead();

private:
    std::unique_ptr<TestFolder> m_folder;
};

void TestRequisitesFile::init() {
    m_folder.reset();
    m_folder = std::make_unique<TestFolder>();
    QVERIFY(m_folder->isValid());
}

void TestRequisitesFile::cleanup() {
    m_folder.reset();
}

// Reading gives the records; writing them back gives the file in normal form: CRLF line ends
// and six lines to every record.
void TestRequisitesFile::readsAndWritesNormalForm_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<CRequisiteArray>("records");
    QTest::addColumn<QByteArray>("written");
    const QByteArray six = "n\r\nb\r\nbik\r\ninn\r\na1\r\na2\r\n";
    const CRequisite full = Record("n", "b", "inn", "bik", "a1", "a2");
    const QByteArray fiveBlank = "\r\n\r\n\r\n\r\n\r\n";
    QTest::newRow("zero bytes") << QByteArray() << CRequisiteArray{} << QByteArray();
    QTest::newRow("normal form stays byte for byte")
        << six + six << CRequisiteArray{full, full} << six + six;
    QTest::newRow("lf only") << QByteArray("n\nb\nbik\ninn\na1\na2\n") << CRequisiteArray{full}
                             << six;
    QTest::newRow("no end on the last line") << six.chopped(2) << CRequisiteArray{full} << six;
    QTest::newRow("seven lines become twelve")
        << six + "x" << CRequisiteArray{full, Record("x")} << six + "x\r\n" + fiveBlank;
    QTest::newRow("short last record")
        << six + "x\r\nbank\r\nbik" << CRequisiteArray{full, Record("x", "bank", "", "bik")}
        << six + "x\r\nbank\r\nbik\r\n\r\n\r\n\r\n";
    QTest::newRow("blank line after the last record")
        << six + "\r\n"
        << CRequisiteArray{full, Record("")} << six + "\r\n" + fiveBlank;
}

void TestRequisitesFile::readsAndWritesNormalForm() {
    QFETCH(QByteArray, bytes);
    QFETCH(CRequisiteArray, records);
    QFETCH(QByteArray, written);
    WriteBytes(kFile, bytes);
    CRequisiteArray read{Record("stale")};
    QCOMPARE(RequisitesFile::Read(kFile, &read), LineFile::ReadResult::Ok);
    QCOMPARE(read, records);
    QVERIFY(RequisitesFile::Write(kFile, read));
    QCOMPARE(ReadBytes(kFile), written);
}

void TestRequisitesFile::fieldsKeepTheirLines() {
    const CRequisite record = Record(QStringLiteral("ООО «Ромашка»"), QStringLiteral("Банк"),
                                     "7701/7702", "044525225", "40702", "30101");
    QVERIFY(RequisitesFile::Write(kFile, {record}));
    // The bank identification code is line 3 and the taxpayer number line 4.
    QCOMPARE(ReadBytes(kFile).split('\n').mid(2, 2),
             (QList<QByteArray>{"044525225\r", "7701/7702\r"}));
    CRequisiteArray read;
    QCOMPARE(RequisitesFile::Read(kFile, &read), LineFile::ReadResult::Ok);
    QCOMPARE(read, CRequisiteArray{record});
}

void TestRequisitesFile::everyByteRoundTrips() {
    QByteArray bytes;
    int lines = 0;
    for (int byte = 0x20; byte <= 0xFF; ++byte, ++lines) {
        bytes += char(byte) + QByteArray::number(byte) + "\r\n";
    }
    for (; lines % RequisitesFile::kLinesPerRecord != 0; ++lines) {
        bytes += "\r\n";  // a whole last record, so that nothing is added on writing
    }
    WriteBytes(kFile, bytes);
    CRequisiteArray records;
    QCOMPARE(RequisitesFile::Read(kFile, &records), LineFile::ReadResult::Ok);
    QCOMPARE(records.first().m_strInnKpp, QStringLiteral("#35"));
    QVERIFY(RequisitesFile::Write("copy.dat", records));
    QCOMPARE(ReadBytes("copy.dat"), bytes);
}

void TestRequisitesFile::refusesTextTheFileCannotKeep_data() {
    QTest::addColumn<CRequisite>("record");
    QTest::newRow("emoji") << Record("a", QString::fromUtf8("Банк \xF0\x9F\x98\x80"));
    QTest::newRow("cjk") << Record("a", "", "", "", "", QString::fromUtf8("\xE4\xB8\xAD"));
    QTest::newRow("line break") << Record("a\nb");
}

void TestRequisitesFile::refusesTextTheFileCannotKeep() {
    QFETCH(CRequisite, record);
    const QByteArray old = "old\r\n\r\n\r\n\r\n\r\n\r\n";
    WriteBytes(kFile, old);
    QVERIFY(!RequisitesFile::Write(kFile, {Record("first"), record}));
    QCOMPARE(ReadBytes(kFile), old);
}

// An old file with a CR inside a field: the book still saves, and an unchanged book is the
// same file again.
void TestRequisitesFile::loneCrWritesBackByteForByte() {
    const QByteArray bytes =
        "\xd0\xee\xe3\xe0\r\xca\xee\xef\xfb\xf2\xe0\r\n\xc1\xe0\xed\xea\r\r\n044525225\r\n"
        "7701/01\r\n\r\n\r\n";
    WriteBytes(kFile, bytes);
    CRequisiteArray records;
    QCOMPARE(RequisitesFile::Read(kFile, &records), LineFile::ReadResult::Ok);
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.first().m_strName, QStringLiteral("Рога\rКопыта"));
    QCOMPARE(records.first().m_strBank, QStringLiteral("Банк\r"));
    QVERIFY(RequisitesFile::Write(kFile, records));
    QCOMPARE(ReadBytes(kFile), bytes);
}

// A disk that fills up during the save (a file size limit in a child process): the book on disk
// stays as it was, the save says it failed, and no temporary file is left.
void TestRequisitesFile::fullDiskKeepsTheBook_data() {
    QTest::addColumn<int>("records");
    QTest::newRow("three records") << 3;
    QTest::newRow("a thousand records") << 1000;
}

void TestRequisitesFile::fullDiskKeepsTheBook() {
    QFETCH(int, records);
    const QByteArray old = "\xd1\xf2\xe0\xf0\xfb\xe9\r\n\r\n\r\n\r\n\r\n\r\n";
    WriteBytes(kFile, old);
    CRequisiteArray book;
    for (int i = 0; i < records; ++i) {
        book.append(Record(QStringLiteral("Новый %1").arg(i), QStringLiteral("Банк"), "7701/01",
                           "044525225", "40702810000000000001"));
    }
    QVERIFY(RequisitesFile::Write("sized.dat", book));
    const qint64 size = QFileInfo("sized.dat").size();
    QVERIFY(QFile::remove("sized.dat"));

    const auto save = [&] { return RequisitesFile::Write(kFile, book); };
    QCOMPARE(SaveUnderFileSizeLimit(size / 2, save), ChildSave::Failed);
    QCOMPARE(ReadBytes(kFile), old);
    QCOMPARE(FolderEntries(m_folder->Path()), QStringList{kFile});
}

// The lookup by name gives what reading the whole file and taking the first record of the name
// gives; the expected record is also spelled out, so both cannot go wrong together.
void TestRequisitesFile::findsByNameAsTheFullReadDoes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("found");
    QTest::addColumn<CRequisite>("record");
    const QByteArray six = "n\r\nb\r\nbik\r\ninn\r\na1\r\na2\r\n";
    const CRequisite full = Record("n", "b", "inn", "bik", "a1", "a2");
    const QString cyrillic = QStringLiteral("ООО «Ромашка»");
    const QByteArray cyrillicBytes = Cp1251::Encode(cyrillic);
    QTest::newRow("empty file") << QByteArray() << "n" << false << CRequisite();
    QTest::newRow("first record") << six << "n" << true << full;
    QTest::newRow("lf only") << QByteArray("x\n1\n2\n3\n4\n5\nn\nb\nbik\ninn\na1\na2") << "n"
                             << true << full;
    QTest::newRow("short last record") << six + "x\r\nbank\r\nbik"
                                       << "x" << true << Record("x", "bank", "", "bik");
    QTest::newRow("name alone at the end without line end") << six + "x"
                                                            << "x" << true << Record("x");
    QTest::newRow("cr before the end of the file") << six + "x\r"
                                                   << "x" << true << Record("x");
    QTest::newRow("blank name after the last record") << six + "\r\n"
                                                      << "" << true << Record("");
    QTest::newRow("blank name is no record in an empty file")
        << QByteArray() << "" << false << CRequisite();
    QTest::newRow("blank name among records") << six + "\r\nB\r\n\r\n\r\n\r\n\r\n"
                                              << "" << true << Record("", "B");
    QTest::newRow("blank lines inside a record are no names")
        << QByteArray("n\r\n\r\n\r\n\r\n\r\n\r\n") << "" << false << CRequisite();
    QTest::newRow("the name as another field")
        << "a\r\nn\r\nn\r\nn\r\nn\r\nn\r\n" + six << "n" << true << full;
    QTest::newRow("the name only as another field")
        << QByteArray("a\r\nn\r\nn\r\nn\r\nn\r\nn\r\n") << "n" << false << CRequisite();
    QTest::newRow("duplicates: the first") << six + "n\r\nsecond\r\n\r\n\r\n\r\n\r\n"
                                           << "n" << true << full;
    QTest::newRow("letter case counts") << six << "N" << false << CRequisite();
    QTest::newRow("trailing blank counts") << six << "n " << false << CRequisite();
    QTest::newRow("the record's name is longer")
        << QByteArray("nn\r\n") << "n" << false << CRequisite();
    QTest::newRow("the record's name is shorter") << six << "nn" << false << CRequisite();
    QTest::newRow("cyrillic name")
        << six + cyrillicBytes + "\r\n" + Cp1251::Encode(QStringLiteral("Банк")) + "\r\n1\r\n2"
        << cyrillic << true << Record(cyrillic, QStringLiteral("Банк"), "2", "1");
    QTest::newRow("a name the code page lacks")
        << QByteArray("?\r\nb\r\n") << QString::fromUtf8("\xE4\xB8\xAD") << false << CRequisite();
    QTest::newRow("lone cr inside the name")
        << QByteArray("a\rb\r\nx\r\n") << "a\rb" << true << Record("a\rb", "x");
    QTest::newRow("a name with a line break") << six + six << "n\nb" << false << CRequisite();
}

void TestRequisitesFile::findsByNameAsTheFullReadDoes() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QFETCH(bool, found);
    QFETCH(CRequisite, record);
    WriteBytes(kFile, bytes);

    CRequisiteArray all;
    QCOMPARE(RequisitesFile::Read(kFile, &all), LineFile::ReadResult::Ok);
    const auto first = std::find_if(all.cbegin(), all.cend(),
                                    [&](const CRequisite& r) { return r.m_strName == name; });
    QCOMPARE(first != all.cend(), found);
    if (found) {
        QCOMPARE(*first, record);
    }

    CRequisite looked = Record("untouched");
    bool wasFound = !found;
    QCOMPARE(RequisitesFile::FindByName(kFile, name, &looked, &wasFound), LineFile::ReadResult::Ok);
    QCOMPARE(wasFound, found);
    QCOMPARE(looked, found ? record : Record("untouched"));
}

void TestRequisitesFile::findingInAFileThatCannotBeRead() {
    CRequisite record;
    bool found = true;
    QCOMPARE(RequisitesFile::FindByName(kFile, "", &record, &found), LineFile::ReadResult::Missing);
    QVERIFY(!found);
    QVERIFY(QDir().mkdir(kFile));  // a folder at the file's name
    found = true;
    QCOMPARE(RequisitesFile::FindByName(kFile, "", &record, &found),
             LineFile::ReadResult::Unreadable);
    QVERIFY(!found);
}

QTEST_GUILESS_MAIN(TestRequisitesFile)
#include "tst_requisitesfile.moc"
