// Line files: code page 1251 text, LF or CRLF on read, CRLF on write, atomic replacement.
#include <QtTest>

#include <memory>
#include "TestFolder.h"

#include "common/Cp1251.h"
#include "common/LineFile.h"

namespace {

bool FailEveryWrite(const QString&) {
    return true;
}

}  // namespace

class TestLineFile : public QObject {
    Q_OBJECT
private slots:
    void init();
    void readsLineEnds_data();
    void readsLineEnds();
    void missingAndUnreadableFiles();
    void everyByteRoundTrips();
    void writesCrLf();
    void failedWriteKeepsTheOldFile();
    void refusesCharactersOutsideTheCodePage();

private:
    std::unique_ptr<TestFolder> m_folder;
    QString Path(const QString& name) const { return m_folder->FilePath(name); }
};

void TestLineFile::init() {
    LineFile::g_pWriteFault = nullptr;
    m_folder.reset();
    // A fresh folder for every test, named by its path.
    m_folder = std::make_unique<TestFolder>(TestFolder::Files{}, TestFolder::Enter::No);
    QVERIFY(m_folder->isValid());
}

void TestLineFile::readsLineEnds_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("lf") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("no end on the last line") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("blank last line") << QByteArray("a\r\n\r\n") << QStringList{"a", ""};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("lone cr stays") << QByteArray("a\rb\n") << QStringList{"a\rb"};
    QTest::newRow("cyrillic") << QByteArray("\xcf\xf0\xe8\xe2\xe5\xf2\r\n")
                              << QStringList{QStringLiteral("Привет")};
}

void TestLineFile::readsLineEnds() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    WriteBytes(Path("f"), bytes);
    QStringList read{"stale"};
    QCOMPARE(LineFile::Read(Path("f"), &read), LineFile::ReadResult::Ok);
    QCOMPARE(read, lines);
}

void TestLineFile::missingAndUnreadableFiles() {
    QStringList lines{"stale"};
    QCOMPARE(LineFile::Read(Path("none"), &lines), LineFile::ReadResult::Missing);
    QVERIFY(lines.isEmpty());
    // A directory where the file should be: there, but not readable as a file.
    QVERIFY(QDir(m_folder->Path()).mkdir("dir"));
    lines = QStringList{"stale"};
    QCOMPARE(LineFile::Read(Path("dir"), &lines), LineFile::ReadResult::Unreadable);
    QVERIFY(lines.isEmpty());
}

void TestLineFile::everyByteRoundTrips() {
    QByteArray line;
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        line.append(char(byte));
    }
    const QByteArray bytes = line + "\r\n" + line + "\r\n";
    WriteBytes(Path("f"), bytes);
    QStringList lines;
    QCOMPARE(LineFile::Read(Path("f"), &lines), LineFile::ReadResult::Ok);
    QCOMPARE(lines.size(), 2);
    QVERIFY(LineFile::Write(Path("g"), lines));
    QCOMPARE(ReadBytes(Path("g")), bytes);
}

void TestLineFile::writesCrLf() {
    QVERIFY(LineFile::Write(Path("f"), {QStringLiteral("Банк"), QString(), "x"}));
    QCOMPARE(ReadBytes(Path("f")), QByteArray("\xc1\xe0\xed\xea\r\n\r\nx\r\n"));
    QVERIFY(LineFile::Write(Path("f"), {}));
    QCOMPARE(ReadBytes(Path("f")), QByteArray());
    QVERIFY(QFileInfo::exists(Path("f")));
}

void TestLineFile::failedWriteKeepsTheOldFile() {
    WriteBytes(Path("f"), "old\r\n");
    LineFile::g_pWriteFault = FailEveryWrite;
    QVERIFY(!LineFile::Write(Path("f"), {"new"}));
    QCOMPARE(ReadBytes(Path("f")), QByteArray("old\r\n"));
    QCOMPARE(QDir(m_folder->Path()).entryList(QDir::Files), QStringList{"f"});  // no leftovers

    LineFile::g_pWriteFault = nullptr;
    QVERIFY(QDir(m_folder->Path()).mkdir("dir"));
    QVERIFY(!LineFile::Write(Path("dir"), {"new"}));
    QVERIFY(QFileInfo(Path("dir")).isDir());
    QVERIFY(!LineFile::Write(Path("missing/f"), {"new"}));

    // Text that would not read back as written is not written at all.
    QVERIFY(!LineFile::Write(Path("f"), {"one\ntwo"}));
    QVERIFY(!LineFile::Write(Path("f"), {QString::fromUtf8("\xF0\x9F\x98\x80")}));
    QCOMPARE(ReadBytes(Path("f")), QByteArray("old\r\n"));
}

void TestLineFile::refusesCharactersOutsideTheCodePage() {
    QVERIFY(Cp1251::CanEncode(QStringLiteral("Рога & Копыта №5 «ёЁ»")));
    QVERIFY(!Cp1251::CanEncode(QString::fromUtf8("smile \xF0\x9F\x98\x80")));
    QVERIFY(!Cp1251::CanEncode(QString::fromUtf8("\xE4\xB8\xAD")));
}

QTEST_GUILESS_MAIN(TestLineFile)
#include "tst_linefile.moc"
