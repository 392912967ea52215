// The requisites files: six lines a record, code page 1251, normal form on write, atomic saving.
#include <QtTest>
#include <memory>

#include "requisites/RequisitesFile.h"

namespace {

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

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

bool FailEveryWrite(const QString&) {
    return true;
}

const char kFile[] = "pltRecv.dat";

}  // namespace

class TestRequisitesFile : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void readsRecords_data();
    void readsRecords();
    void writesNormalForm_data();
    void writesNormalForm();
    void fieldsKeepTheirLines();
    void everyByteRoundTrips();
    void missingAndUnreadableFiles();
    void failedWriteKeepsTheOldFile();
    void refusesTextTheFileCannotKeep_data();
    void refusesTextTheFileCannotKeep();
    void fileAndCaptionOfEachKind();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRequisitesFile::init() {
    LineFile::g_pWriteFault = nullptr;
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void TestRequisitesFile::cleanup() {
    LineFile::g_pWriteFault = nullptr;
    QDir::setCurrent(QDir::tempPath());  // let the folder go
    m_dir.reset();
}

void TestRequisitesFile::readsRecords_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<CRequisiteArray>("records");
    const QByteArray six = "n\r\nb\r\nbik\r\ninn\r\na1\r\na2\r\n";
    const CRequisite full = Record("n", "b", "inn", "bik", "a1", "a2");
    QTest::newRow("zero bytes") << QByteArray() << CRequisiteArray{};
    QTest::newRow("one record") << six << CRequisiteArray{full};
    QTest::newRow("lf only") << QByteArray("n\nb\nbik\ninn\na1\na2\n") << CRequisiteArray{full};
    QTest::newRow("no end on the last line") << QByteArray(six).chopped(2) << CRequisiteArray{full};
    QTest::newRow("seven lines") << six + "x\r\n" << CRequisiteArray{full, Record("x")};
    QTest::newRow("short last record")
        << six + "x\r\nbank\r\nbik" << CRequisiteArray{full, Record("x", "bank", "", "bik")};
    QTest::newRow("blank line after the last record") << six + "\r\n"
                                                      << CRequisiteArray{full, Record("")};
    QTest::newRow("blank name") << QByteArray("\r\nb\r\n") << CRequisiteArray{Record("", "b")};
}

void TestRequisitesFile::readsRecords() {
    QFETCH(QByteArray, bytes);
    QFETCH(CRequisiteArray, records);
    WriteBytes(kFile, bytes);
    CRequisiteArray read{Record("stale")};
    QCOMPARE(RequisitesFile::Read(kFile, &read), LineFile::ReadResult::Ok);
    QCOMPARE(read, records);
}

// Reading a file and writing the list back gives the file in normal form: CRLF line ends and
// six lines to every record.
void TestRequisitesFile::writesNormalForm_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("written");
    const QByteArray six = "n\r\nb\r\nbik\r\ninn\r\na1\r\na2\r\n";
    QTest::newRow("normal form stays byte for byte") << six + six << six + six;
    QTest::newRow("zero bytes") << QByteArray() << QByteArray();
    QTest::newRow("lf only") << QByteArray("n\nb\nbik\ninn\na1\na2\n") << six;
    QTest::newRow("seven lines become twelve") << six + "x" << six + "x\r\n\r\n\r\n\r\n\r\n\r\n";
    QTest::newRow("blank line becomes six") << six + "\r\n" << six + "\r\n\r\n\r\n\r\n\r\n\r\n";
}

void TestRequisitesFile::writesNormalForm() {
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, written);
    WriteBytes(kFile, bytes);
    CRequisiteArray records;
    QCOMPARE(RequisitesFile::Read(kFile, &records), LineFile::ReadResult::Ok);
    QVERIFY(RequisitesFile::Write(kFile, records));
    QCOMPARE(ReadBytes(kFile), written);
    QCOMPARE(written.count('\n'), records.size() * RequisitesFile::kLinesPerRecord);
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

void TestRequisitesFile::missingAndUnreadableFiles() {
    CRequisiteArray records{Record("stale")};
    QCOMPARE(RequisitesFile::Read(kFile, &records), LineFile::ReadResult::Missing);
    QVERIFY(records.isEmpty());
    QVERIFY(QDir().mkdir(kFile));  // there, but not a file that can be read
    records = {Record("stale")};
    QCOMPARE(RequisitesFile::Read(kFile, &records), LineFile::ReadResult::Unreadable);
    QVERIFY(records.isEmpty());
}

void TestRequisitesFile::failedWriteKeepsTheOldFile() {
    const QByteArray old = "old\r\n\r\n\r\n\r\n\r\n\r\n";
    WriteBytes(kFile, old);
    LineFile::g_pWriteFault = FailEveryWrite;
    QVERIFY(!RequisitesFile::Write(kFile, {Record("new")}));
    QCOMPARE(ReadBytes(kFile), old);
    QCOMPARE(QDir().entryList(QDir::Files), QStringList{kFile});  // no half-written copy left
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

void TestRequisitesFile::fileAndCaptionOfEachKind() {
    QCOMPARE(RequisitesFile::FileName(0), QStringLiteral("pltRecv.dat"));
    QCOMPARE(RequisitesFile::FileName(1), QStringLiteral("polRecv.dat"));
    QCOMPARE(RequisitesFile::FileName(7), QStringLiteral("polRecv.dat"));  // any other kind
    QCOMPARE(RequisitesFile::ArchiveCaption(0), QStringLiteral("Архив реквизитов плательщика"));
    QCOMPARE(RequisitesFile::ArchiveCaption(7), QStringLiteral("Архив реквизитов получателя"));
}

QTEST_GUILESS_MAIN(TestRequisitesFile)
#include "tst_requisitesfile.moc"
