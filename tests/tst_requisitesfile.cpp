// The requisites files: six lines a record, code page 1251, normal form on write, atomic saving.
#include <QtTest>

#include <memory>
#include "TestFolder.h"

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

QTEST_GUILESS_MAIN(TestRequisitesFile)
#include "tst_requisitesfile.moc"
