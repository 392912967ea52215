// Line files: code page 1251 text, LF or CRLF on read, CRLF on write, atomic replacement.
#include <QtTest>

#include <memory>
#include "FileSizeLimit.h"
#include "TestFolder.h"

#include "common/Cp1251.h"
#include "common/LineFile.h"
#include "common/SafeSave.h"
#include "common/StorableText.h"

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
    void writesBackWhatItRead_data();
    void writesBackWhatItRead();
    void findsUnstorableText_data();
    void findsUnstorableText();
    void fullDiskKeepsTheOldFile_data();
    void fullDiskKeepsTheOldFile();

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

// Whatever a file gave, written back, is the same file again: control characters and a CR that
// does not end the line included.
void TestLineFile::writesBackWhatItRead_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("lone cr inside a line") << QByteArray("a\rb\r\nc\r\n");
    QTest::newRow("cr ending a line") << QByteArray("a\r\r\n");
    QTest::newRow("a line of one cr") << QByteArray("\r\r\n\r\n");
    QByteArray controls;
    for (int byte = 0; byte < 0x20; ++byte) {
        if (byte != '\n') {
            controls.append(char(byte));
        }
    }
    QTest::newRow("control bytes") << controls + "\r\n";
}

void TestLineFile::writesBackWhatItRead() {
    QFETCH(QByteArray, bytes);
    WriteBytes(Path("f"), bytes);
    QStringList lines;
    QCOMPARE(LineFile::Read(Path("f"), &lines), LineFile::ReadResult::Ok);
    QVERIFY(LineFile::Write(Path("f"), lines));
    QCOMPARE(ReadBytes(Path("f")), bytes);
}

// What a typed field may not hold: the check of the whole text must find what the check of
// each character finds.
void TestLineFile::findsUnstorableText_data() {
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80");
    const QString han = QString::fromUtf8("\xE4\xB8\xAD");
    const QString lineBreak = QStringLiteral("перевод строки");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("first");
    QTest::addColumn<qsizetype>("length");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("storable") << QStringLiteral("Рога & Копыта №5 «ёЁ» €") << qsizetype(-1)
                              << qsizetype(0) << QStringList{};
    QTest::newRow("empty") << QString() << qsizetype(-1) << qsizetype(0) << QStringList{};
    QTest::newRow("lf") << QStringLiteral("ab\ncd") << qsizetype(2) << qsizetype(1)
                        << QStringList{lineBreak};
    QTest::newRow("cr and lf named once")
        << QStringLiteral("a\rb\n") << qsizetype(1) << qsizetype(1) << QStringList{lineBreak};
    QTest::newRow("emoji whole") << "x" + smile + "y" + smile << qsizetype(1) << qsizetype(2)
                                 << QStringList{smile};
    QTest::newRow("several kinds in order") << han + "\n" + smile + han << qsizetype(0)
                                            << qsizetype(1) << QStringList{han, lineBreak, smile};
    QTest::newRow("lone surrogate") << QStringLiteral("a") + QChar(0xDC00) << qsizetype(1)
                                    << qsizetype(1) << QStringList{QString(QChar(0xDC00))};
}

void TestLineFile::findsUnstorableText() {
    QFETCH(QString, text);
    QFETCH(qsizetype, first);
    QFETCH(qsizetype, length);
    QFETCH(QStringList, shown);
    const UnstorableText found = FindUnstorableText(text);
    QCOMPARE(found.first, first);
    QCOMPARE(found.length, length);
    QCOMPARE(found.shown, shown);
}

// A disk that fills up while the file is written: a file size limit in a child process. Small
// files fit in the save file's buffer and fail only when it is written out.
void TestLineFile::fullDiskKeepsTheOldFile_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("oldFile");
    QTest::newRow("within the buffer") << 3000 << 1000 << true;
    QTest::newRow("past the buffer") << 40000 << 20000 << true;
    QTest::newRow("nothing fits") << 500 << 0 << true;
    QTest::newRow("new file") << 3000 << 1000 << false;
}

void TestLineFile::fullDiskKeepsTheOldFile() {
    QFETCH(int, size);
    QFETCH(int, limit);
    QFETCH(bool, oldFile);
    const QByteArray old = "old\r\n";
    if (oldFile) {
        WriteBytes(Path("f"), old);
    }
    const QByteArray bytes(size, 'x');
    const auto save = [&] {
        QString error;
        const bool saved = SafeSave::ReplaceFile(Path("f"), bytes, &error);
        return saved || error.isEmpty();  // a failure always says why
    };
    QCOMPARE(SaveUnderFileSizeLimit(limit, save), ChildSave::Failed);
    QCOMPARE(FolderEntries(m_folder->Path()), oldFile ? QStringList{"f"} : QStringList{});
    if (oldFile) {
        QCOMPARE(ReadBytes(Path("f")), old);
    }
    // The same save with room enough goes through.
    QCOMPARE(SaveUnderFileSizeLimit(size, save), ChildSave::Saved);
    QCOMPARE(ReadBytes(Path("f")), bytes);
    QCOMPARE(FolderEntries(m_folder->Path()), QStringList{"f"});
}

QTEST_GUILESS_MAIN(TestLineFile)
#include "tst_linefile.moc"
