// Line files: code page 1251 text, LF or CRLF on read, CRLF on write, atomic replacement.
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <memory>
#include <utility>
#include <vector>
#include "FileSizeLimit.h"
#include "TestEnvironment.h"
#include "TestFolder.h"

#include "common/Cp1251.h"
#include "common/LineFile.h"
#include "common/RegularFile.h"
#include "common/SafeSave.h"
#include "common/StorableText.h"
#include "common/SystemError.h"
#include "orders/OrderFiles.h"
#include "requisites/RequisitesFile.h"

namespace {

bool FailEveryWrite(const QString&) {
    return true;
}

// What may stand at a data file's name instead of a plain file.
enum class Special {
    Fifo,          // a FIFO no program writes into
    LinkToZero,    // a link to /dev/zero, which never ends
    LinkToNull,    // a link to /dev/null, a device
    Folder,        // a folder
    Oversized,     // a file larger than any data file can be (sparse, so it takes no room)
    LinkToFile,    // a link to a plain file outside the folder: read, but never written through
    DanglingLink,  // a link to nothing
};

// Puts the special file at the path; outside is a folder for a link's target.
bool MakeSpecial(Special kind, const QString& path, const QString& outside) {
    const QByteArray name = QFile::encodeName(path);
    switch (kind) {
        case Special::Fifo:
            return mkfifo(name.constData(), 0600) == 0;
        case Special::LinkToZero:
            return QFile::link("/dev/zero", path);
        case Special::LinkToNull:
            return QFile::link("/dev/null", path);
        case Special::Folder:
            return QDir().mkdir(path);
        case Special::Oversized: {
            QFile file(path);
            return file.open(QIODevice::WriteOnly) && file.resize(RegularFile::kMostBytes + 1);
        }
        case Special::LinkToFile: {
            QFile target(outside + "/target");
            return target.open(QIODevice::WriteOnly) && target.write("A\r\n\r\n\r\n") > 0 &&
                   QFile::link(target.fileName(), path);
        }
        case Special::DanglingLink:
            return QFile::link(outside + "/nothing", path);
    }
    return false;
}

// What stands at the path, links not followed: to see that nothing replaced it.
QString Standing(const QString& path) {
    struct stat status;
    if (lstat(QFile::encodeName(path).constData(), &status) != 0) {
        return "nothing";
    }
    const QFileInfo info(path);
    return QStringLiteral("mode %1 size %2 link %3")
        .arg(status.st_mode, 0, 8)
        .arg(qint64(status.st_size))
        .arg(info.symLinkTarget());
}

// What writes a file through SafeSave: a data file (an order, an address book), an export or the
// kept directory of BIKs, and a command line's output (an export, a PDF).
enum class Writer { DataFile, Replacement, Output };

bool Save(Writer writer, const QString& path, QString* error) {
    switch (writer) {
        case Writer::DataFile:
            return LineFile::Write(path, {"new"}, error);
        case Writer::Replacement:
            return SafeSave::ReplaceFile(path, "new\r\n", error);
        case Writer::Output:
            return SafeSave::WriteOutput(path, "new\r\n", error);
    }
    return false;
}

// The link another user plants at the moment a save has checked the name: to a file of the
// victim's, which no save may touch.
struct PlantedLink {
    QString victim;
    bool othersLink = false;
};
PlantedLink g_planted;

void PlantLink(const QString& path) {
    QFile::remove(path);
    QFile::link(g_planted.victim, path);
    if (g_planted.othersLink) {
        lchown(QFile::encodeName(path).constData(), 65534, gid_t(-1));  // nobody's
    }
}

// A save of the bytes in a child process, halted once it has written them beside the file and
// before they take its name: stopped there, to be killed (kill -9) or let go on. A save still
// halted when the object goes is killed.
class HaltedSave {
public:
    HaltedSave(const QString& path, const QByteArray& bytes) {
        std::fflush(nullptr);
        m_child = fork();
        if (m_child == 0) {
            alarm(60);
            SafeSave::g_pBeforeReplacing = [](const QString&) { raise(SIGSTOP); };
            QString error;
            _exit(SafeSave::ReplaceFile(path, bytes, &error) ? 0 : 1);
        }
        int status = 0;
        if (m_child > 0 &&
            (waitpid(m_child, &status, WUNTRACED) != m_child || !WIFSTOPPED(status))) {
            m_child = -1;
        }
    }
    ~HaltedSave() {
        if (m_child > 0) {
            End(SIGKILL);
        }
    }
    HaltedSave(const HaltedSave&) = delete;
    HaltedSave& operator=(const HaltedSave&) = delete;

    bool IsHalted() const { return m_child > 0; }

    // Sends the signal and tells how the save ended: "killed", "saved" or "failed".
    QString End(int signal) {
        int status = 0;
        const pid_t child = std::exchange(m_child, -1);
        if (child <= 0 || kill(child, signal) != 0 || waitpid(child, &status, 0) != child) {
            return "lost";
        }
        if (WIFSIGNALED(status)) {
            return WTERMSIG(status) == SIGKILL ? "killed" : "died";
        }
        return WEXITSTATUS(status) == 0 ? "saved" : "failed";
    }

private:
    pid_t m_child = -1;
};

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
    void specialFilesAreNeitherReadNorReplaced_data();
    void specialFilesAreNeitherReadNorReplaced();
    void failedSaveSaysWhy_data();
    void failedSaveSaysWhy();
    void failedOutputSaysWhy_data();
    void failedOutputSaysWhy();
    void everyReasonIsInRussian();
    void linkSwappedInIsNeverFollowed_data();
    void linkSwappedInIsNeverFollowed();
    void killedSavesLeaveNothingForTheNext_data();
    void killedSavesLeaveNothingForTheNext();
    void saveInProgressIsLeftAlone();

private:
    std::unique_ptr<TestFolder> m_folder;
    QString Path(const QString& name) const { return m_folder->FilePath(name); }
};

void TestLineFile::init() {
    LineFile::g_pWriteFault = nullptr;
    SafeSave::g_pBeforeReplacing = nullptr;
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
    QTest::newRow("tab is kept") << QStringLiteral("a\tb") << qsizetype(-1) << qsizetype(0)
                                 << QStringList{};
    QTest::newRow("byte 0x98 as read")
        << QStringLiteral("a") + Cp1251::Decode("\x98") << qsizetype(1) << qsizetype(1)
        << QStringList{QStringLiteral("M-^X (код 152)")};
    QTest::newRow("next line of the second row")
        << QStringLiteral("a") + QChar(0x85) << qsizetype(1) << qsizetype(1)
        << QStringList{QStringLiteral("M-^E (код 133)")};
    QTest::newRow("nul, vt and ff")
        << QStringLiteral("a") + QChar(0) + "b\vc\f" + QChar(0) << qsizetype(1) << qsizetype(1)
        << QStringList{QStringLiteral("^@ (код 0)"), QStringLiteral("^K (код 11)"),
                       QStringLiteral("^L (код 12)")};
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

// Only a regular file is read, by every reader of data files, and at once: a FIFO or a device
// is unreadable, as a folder is, and is never replaced by a save; a link is read, but a save
// never goes through it.
void TestLineFile::specialFilesAreNeitherReadNorReplaced_data() {
    using R = LineFile::ReadResult;
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("refusal");  // what a save is told; empty: not tried
    QTest::newRow("fifo") << int(Special::Fifo) << int(R::Unreadable) << "канал (FIFO)";
    QTest::newRow("link to /dev/zero")
        << int(Special::LinkToZero) << int(R::Unreadable) << "символическая ссылка на /dev/zero";
    QTest::newRow("link to /dev/null")
        << int(Special::LinkToNull) << int(R::Unreadable) << "символическая ссылка на /dev/null";
    QTest::newRow("folder") << int(Special::Folder) << int(R::Unreadable) << "папка";
    QTest::newRow("larger than any data file")
        << int(Special::Oversized) << int(R::Unreadable) << QString();
    QTest::newRow("link to a file") << int(Special::LinkToFile) << int(R::Ok)
                                    << "Чтобы изменять этот файл здесь, замените ссылку копией";
    QTest::newRow("link to nothing")
        << int(Special::DanglingLink) << int(R::Missing) << "Того файла нет: удалите ссылку";
}

void TestLineFile::specialFilesAreNeitherReadNorReplaced() {
    QFETCH(int, kind);
    QFETCH(int, result);
    QFETCH(QString, refusal);
    const Deadline deadline(60);         // a reader that waits on a FIFO fails here, not the run
    TestFolder folder({{"Vemo/", {}}});  // the working folder, for the order archive
    QVERIFY(folder.isValid());
    QTemporaryDir outside;
    const QString book = folder.FilePath("pltRecv.dat");
    QVERIFY(QDir().mkdir(outside.filePath("order")));
    QVERIFY(MakeSpecial(Special(kind), book, outside.path()));
    QVERIFY(MakeSpecial(Special(kind), folder.FilePath("Vemo/vemo.5"), outside.filePath("order")));
    const QString before = Standing(book);

    QStringList lines{"stale"};
    QCOMPARE(int(LineFile::Read(book, &lines)), result);
    QCOMPARE(lines.isEmpty(), result != int(LineFile::ReadResult::Ok));
    QCOMPARE(LineFile::Digest(book).isEmpty(), result != int(LineFile::ReadResult::Ok));
    CRequisite record;
    bool found = false;
    QCOMPARE(int(RequisitesFile::FindByName(book, "A", &record, &found)), result);
    QCOMPARE(found, result == int(LineFile::ReadResult::Ok));
    QStringList unreadable;
    const QList<OrderRow> rows = OrderFiles::LoadOrders(&unreadable);
    const bool listed = result == int(LineFile::ReadResult::Ok);
    QCOMPARE(rows.size(), listed ? 1 : 0);
    // A link to nothing is named with the unreadable: the archive finds its name.
    QCOMPARE(unreadable, listed ? QStringList{} : QStringList{"Vemo/vemo.5"});

    if (!refusal.isEmpty()) {
        QString error;
        QVERIFY(!LineFile::Write(book, {"new"}, &error));
        QVERIFY2(error.contains(refusal) && error.contains(book), qPrintable(error));
        QVERIFY(!OrderFiles::SaveOrder(5, OrderRow(), QDir(), &error));
        QVERIFY2(error.contains("Vemo/vemo.5"), qPrintable(error));
    }
    QCOMPARE(Standing(book), before);
    if (Special(kind) == Special::LinkToFile) {
        QCOMPARE(ReadBytes(outside.filePath("target")), QByteArray("A\r\n\r\n\r\n"));
    }
}

// A save that fails gives the system's reason in words, not the toolkit's "Unknown error".
void TestLineFile::failedSaveSaysWhy_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<rlim_t>("limit");  // the file size limit of the saving process
    QTest::addColumn<QString>("reason");
    const rlim_t none = RLIM_INFINITY;
    QTest::newRow("a full disk") << "f" << rlim_t(100) << "превышен допустимый размер файла";
    QTest::newRow("no byte fits") << "f" << rlim_t(0) << "превышен допустимый размер файла";
    QTest::newRow("a folder at the name") << "dir" << none << "это папка";
    QTest::newRow("no such folder") << "missing/f" << none << "нет такой папки";
    QTest::newRow("a file for a folder") << "plain/f" << none << "часть пути не является папкой";
}

void TestLineFile::failedSaveSaysWhy() {
    QFETCH(QString, name);
    QFETCH(rlim_t, limit);
    QFETCH(QString, reason);
    QVERIFY(QDir(m_folder->Path()).mkdir("dir"));
    WriteBytes(Path("plain"), "plain");
    const QByteArray bytes(3000, 'x');
    const auto save = [&] {
        QString error;
        return !SafeSave::ReplaceFile(Path(name), bytes, &error) && error == reason;
    };
    QCOMPARE(SaveUnderFileSizeLimit(limit, save), ChildSave::Saved);  // refused, for that reason
    QCOMPARE(FolderEntries(m_folder->Path()), (QStringList{"dir", "plain"}));
}

// Standard output as a command line may leave it: closed, a full disk, a reader gone.
void TestLineFile::failedOutputSaysWhy_data() {
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("reason");
    QTest::newRow("closed") << "closed"
                            << "файл или канал закрыт";
    QTest::newRow("a full disk") << "/dev/full"
                                 << "нет места на диске";
    QTest::newRow("the reader gone") << "pipe"
                                     << "получатель данных закрыл канал";
}

void TestLineFile::failedOutputSaysWhy() {
    QFETCH(QString, output);
    QFETCH(QString, reason);
    const auto prepare = [&output] {
        std::signal(SIGPIPE, SIG_IGN);
        int pipeEnds[2];
        if (output == "closed") {
            close(STDOUT_FILENO);
        } else if (output == "pipe" && pipe(pipeEnds) == 0) {
            close(pipeEnds[0]);
            dup2(pipeEnds[1], STDOUT_FILENO);
        } else {
            dup2(open(qPrintable(output), O_WRONLY), STDOUT_FILENO);
        }
    };
    const auto write = [&reason] {
        QString error;
        return !SafeSave::WriteToStandardOutput("x", &error) && error == reason;
    };
    QCOMPARE(RunInChild(prepare, write), ChildSave::Saved);  // refused, for that reason
}

// The user reads every reason the system can give in Russian: a reason without words of its own
// is the system's number with the name a programmer looks up, never English words.
void TestLineFile::everyReasonIsInRussian() {
    const QRegularExpression russian(QStringLiteral("^[а-яё ,()-]+( \\d+( \\(E[A-Z0-9]+\\))?)?$"));
    for (int number = 1; number < 140; ++number) {
        const QString reason = SystemError::Text(number);
        QVERIFY2(russian.match(reason).hasMatch(), qPrintable(reason));
    }
    QCOMPARE(SystemError::Text(EBADF), QStringLiteral("файл или канал закрыт"));
    QCOMPARE(SystemError::Text(EPROTO), QStringLiteral("системная ошибка 71 (EPROTO)"));
    QCOMPARE(SystemError::Text(100000), QStringLiteral("системная ошибка 100000"));
}

// A link swapped in at the name between a save's check and its write: the save replaces the name
// or is refused, and the file the link points to stays as it was. As another user would plant it
// in a folder where everyone writes, and in a folder of one's own.
void TestLineFile::linkSwappedInIsNeverFollowed_data() {
    QTest::addColumn<int>("writer");
    QTest::addColumn<bool>("shared");       // a folder where everyone writes, only owners remove
    QTest::addColumn<bool>("throughLink");  // the save names the file through one's own link
    const struct {
        const char* name;
        Writer writer;
    } writers[] = {{"a data file", Writer::DataFile},
                   {"an export", Writer::Replacement},
                   {"a command line's output", Writer::Output}};
    for (const auto& each : writers) {
        QTest::addRow("%s", each.name) << int(each.writer) << false << false;
        QTest::addRow("%s in a shared folder", each.name) << int(each.writer) << true << false;
    }
    QTest::newRow("an export through one's own link") << int(Writer::Replacement) << false << true;
    QTest::newRow("an output through one's own link") << int(Writer::Output) << true << true;
}

void TestLineFile::linkSwappedInIsNeverFollowed() {
    QFETCH(int, writer);
    QFETCH(bool, shared);
    QFETCH(bool, throughLink);
    if (shared && geteuid() != 0) {
        QSKIP("a link of another user can be made only as root");
    }
    const QString folder = Path("folder");
    QVERIFY(QDir().mkdir(folder));
    QCOMPARE(chmod(QFile::encodeName(folder).constData(), shared ? 01777 : 0700), 0);
    g_planted = {Path("victim"), shared};
    WriteBytes(g_planted.victim, "the victim's own");
    const QString file = folder + "/out";
    WriteBytes(file, "old\r\n");
    const QString named = throughLink ? Path("link") : file;
    QVERIFY(!throughLink || QFile::link(file, named));

    SafeSave::g_pBeforeReplacing = PlantLink;
    QString error;
    const bool saved = Save(Writer(writer), named, &error);
    SafeSave::g_pBeforeReplacing = nullptr;
    QCOMPARE(ReadBytes(g_planted.victim), QByteArray("the victim's own"));
    // Root may replace another user's link; anyone else is refused by the folder.
    QVERIFY2(saved || (shared && geteuid() != 0), qPrintable(error));
    QVERIFY(!QFileInfo(file).isSymLink());
    QCOMPARE(ReadBytes(file), QByteArray("new\r\n"));
}

// Saves killed (kill -9) once they have written their bytes beside the file and before these
// take its name: each leaves a full-size file there, which the next save of the file removes.
// Another program's files beside it stay, and a link at such a name is never written through.
void TestLineFile::killedSavesLeaveNothingForTheNext_data() {
    QTest::addColumn<int>("killed");
    QTest::addColumn<bool>("linkLeft");  // a link to another file replaces what one left
    QTest::newRow("one save killed") << 1 << false;
    QTest::newRow("two saves killed at once") << 2 << false;
    QTest::newRow("a link where one stood") << 1 << true;
}

void TestLineFile::killedSavesLeaveNothingForTheNext() {
    QFETCH(int, killed);
    QFETCH(bool, linkLeft);
    WriteBytes(Path("f"), "old");
    WriteBytes(Path("f.tmp"), "another program's");
    WriteBytes(Path(".f.swp"), "another program's");
    WriteBytes(Path("victim"), "the victim's own");
    const QStringList before = FolderEntries(m_folder->Path());
    std::vector<std::unique_ptr<HaltedSave>> saves;
    for (int save = 0; save < killed; ++save) {
        saves.push_back(
            std::make_unique<HaltedSave>(Path("f"), QByteArray(1 << 20, char('a' + save))));
        QVERIFY(saves.back()->IsHalted());
    }
    for (const auto& save : saves) {
        QCOMPARE(save->End(SIGKILL), QString("killed"));
    }
    QStringList left = FolderEntries(m_folder->Path());
    for (const QString& entry : before) {
        left.removeOne(entry);
    }
    QCOMPARE(left.size(), killed);
    for (const QString& name : left) {
        QCOMPARE(QFileInfo(Path(name)).size(), 1 << 20);
    }
    QCOMPARE(ReadBytes(Path("f")), QByteArray("old"));
    if (linkLeft) {
        QVERIFY(QFile::remove(Path(left.first())) &&
                QFile::link(Path("victim"), Path(left.first())));
    }

    QString error;
    QVERIFY2(SafeSave::ReplaceFile(Path("f"), "new", &error), qPrintable(error));
    QCOMPARE(ReadBytes(Path("f")), QByteArray("new"));
    QCOMPARE(ReadBytes(Path("victim")), QByteArray("the victim's own"));
    QStringList after = before;
    if (linkLeft) {
        after = (after << left.first());
        after.sort();
    }
    QCOMPARE(FolderEntries(m_folder->Path()), after);
}

// A save another editor has under way on the same file keeps what it wrote, and ends as it would.
void TestLineFile::saveInProgressIsLeftAlone() {
    WriteBytes(Path("f"), "old");
    HaltedSave other(Path("f"), "the other editor's");
    QVERIFY(other.IsHalted());
    QString error;
    QVERIFY2(SafeSave::ReplaceFile(Path("f"), "new", &error), qPrintable(error));
    QCOMPARE(ReadBytes(Path("f")), QByteArray("new"));
    QCOMPARE(FolderEntries(m_folder->Path()).size(), 2);  // its file, waiting
    QCOMPARE(other.End(SIGCONT), QString("saved"));
    QCOMPARE(ReadBytes(Path("f")), QByteArray("the other editor's"));
    QCOMPARE(FolderEntries(m_folder->Path()), QStringList{"f"});
}

QTEST_GUILESS_MAIN(TestLineFile)
#include "tst_linefile.moc"
