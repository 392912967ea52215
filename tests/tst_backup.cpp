// The backup of the working folder's data: a copy restored over changed data comes back byte for
// byte, whole or not at all, and a zip that is not such a copy, or would write outside the data,
// is refused with the reason.
#include <QtTest>

#include <archive.h>
#include <archive_entry.h>
#include <sys/stat.h>

#include <QCryptographicHash>
#include <QDirIterator>
#include <vector>

#include "FileSizeLimit.h"
#include "FolderSnapshot.h"
#include "TestFolder.h"
#include "common/Cp1251.h"
#include "routine/Backup.h"

namespace {

const QDateTime kMade(QDate(2026, 12, 7), QTime(17, 28, 50));

// A working folder's data and a file that is not data, which a restore leaves alone.
TestFolder::Files Data() {
    return {
        {"pltRecv.dat",
         Cp1251::Encode("ООО \"Ромашка\"\r\nПАО Банк\r\n044525999\r\n7701234560/770101001\r\n"
                        "40702810600000012345\r\n30101810600000000999\r\n")},
        {"polRecv.dat", QByteArray()},
        {"Vemo/vemo.1", Cp1251::Encode("   1\r\n 5. 3.2026\r\nООО \"Ромашка\"\r\n")},
        {"Vemo/vemo.2", QByteArray("   2\r\n\x98\xff\r\n", 10)},
        {"Vemo/old/", {}},
        {"Templates/template.1", Cp1251::Encode("VemoTemplate=1\r\nName=Аренда\r\n")},
        {"Bank/1c_to_kl_2026-12-07_17-00-00.txt", QByteArray("1CClientBankExchange\r\n")},
        {"Bank/kl_to_1c_2026-12-09_09-05-41.txt", QByteArray("1CClientBankExchange\r\n")},
        {"1c_to_kl.txt", QByteArray("1CClientBankExchange\r\n")},
    };
}

// An entry of a zip made by hand, as another program could make it.
struct Entry {
    QString name;
    QByteArray bytes;
    enum Kind { File, Folder, Link, Streamed } kind = File;  // Streamed: no size in its header
};

QByteArray Zip(const QList<Entry>& entries) {
    std::vector<char> buffer(8 * 1024 * 1024);
    size_t used = 0;
    archive* writer = archive_write_new();
    archive_write_set_format_zip(writer);
    archive_write_open_memory(writer, buffer.data(), buffer.size(), &used);
    for (const Entry& each : entries) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, each.name.toUtf8().constData());
        archive_entry_set_perm(entry, 0644);
        if (each.kind == Entry::Folder) {
            archive_entry_set_filetype(entry, AE_IFDIR);
        } else if (each.kind == Entry::Link) {
            archive_entry_set_filetype(entry, AE_IFLNK);
            archive_entry_set_symlink(entry, each.bytes.constData());
        } else {
            archive_entry_set_filetype(entry, AE_IFREG);
            if (each.kind == Entry::File) {
                archive_entry_set_size(entry, each.bytes.size());
            }
        }
        archive_write_header(writer, entry);
        if (each.kind == Entry::File || each.kind == Entry::Streamed) {
            archive_write_data(writer, each.bytes.constData(), size_t(each.bytes.size()));
        }
        archive_entry_free(entry);
    }
    archive_write_close(writer);
    archive_write_free(writer);
    return QByteArray(buffer.data(), qsizetype(used));
}

QString FileLine(const QString& name, const QByteArray& bytes) {
    return QStringLiteral("File=%1 %2 %3")
        .arg(bytes.size())
        .arg(QString::fromLatin1(
                 QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex()),
             name);
}

// The description of a copy: its head, then the lines given.
Entry Described(const QStringList& lines, const QString& head = "VemoBackup=1") {
    return {"vemo-backup.txt",
            (QStringList{head, "Made=2026-12-07T17:28:50", "Folder=/elsewhere"} + lines)
                .join('\n')
                .toUtf8()};
}

const QByteArray kOrder("   1\r\n");

}  // namespace

class TestBackup : public QObject {
    Q_OBJECT
private slots:
    void restoresOverChangedData();
    void refusesCopies_data();
    void refusesCopies();
    void restoresWholeOrNotAtAll();
    void namesDataItCannotRead();
};

void TestBackup::restoresOverChangedData() {
    // In the working folder, as the program runs: its names are relative.
    TestFolder folder(Data());
    QVERIFY(folder.isValid());
    const QMap<QString, QByteArray> before = DataSnapshot(folder.Path());
    const QDir dir;
    BackupSummary summary;
    QString error;
    const QString copy = Backup::ProposedFileName(kMade.date());
    QVERIFY2(Backup::Save(dir, copy, kMade, &summary, &error), qPrintable(error));
    QCOMPARE(QFileInfo(copy).fileName(), QStringLiteral("vemo-2026-12-07.zip"));
    const QString told = QStringLiteral(
                             "Копия данных от 07.12.2026 17:28 из папки %1\n"
                             "реквизиты плательщиков: 1 запись\n"
                             "реквизиты получателей: пусто\n"
                             "платежные поручения: 2 файла\n"
                             "шаблоны: 1 файл\n"
                             "выгрузки в банк и выписки: 2 файла")
                             .arg(dir.absolutePath());
    QCOMPARE(summary.Text(), told);
    BackupSummary inspected;
    QVERIFY2(Backup::Inspect(copy, &inspected, &error), qPrintable(error));
    QCOMPARE(inspected.Text(), told);

    // The data changes: a book rewritten, an order gone and one added, the templates gone, a
    // folder where an order was, another export kept.
    QVERIFY(folder.Write("pltRecv.dat", "changed\r\n"));
    QVERIFY(QFile::remove(folder.FilePath("Vemo/vemo.2")));
    QVERIFY(folder.Write("Vemo/vemo.3", "   3\r\n"));
    QVERIFY(folder.Write("Vemo/vemo.2/", {}));
    QVERIFY(QDir(folder.FilePath("Templates")).removeRecursively());
    QVERIFY(folder.Write("Bank/1c_to_kl_2026-12-10_10-00-00.txt", "1CClientBankExchange\r\n"));
    const QMap<QString, QByteArray> changed = DataSnapshot(folder.Path());

    QString kept;
    QVERIFY2(Backup::Restore(dir, copy, kMade.addDays(1), &kept, &summary, &error),
             qPrintable(error));
    QCOMPARE(kept, folder.FilePath("Backups/vemo-before-restore-2026-12-08-172850.zip"));
    QVERIFY(QFileInfo(kept).isFile());
    QCOMPARE(DataSnapshot(folder.Path()), before);

    // The data it replaced comes back from the copy kept of it.
    QString keptAgain;
    QVERIFY2(Backup::Restore(dir, kept, kMade.addDays(2), &keptAgain, &summary, &error),
             qPrintable(error));
    QCOMPARE(DataSnapshot(folder.Path()), changed);
}

void TestBackup::refusesCopies_data() {
    QTest::addColumn<QByteArray>("zip");
    QTest::addColumn<QString>("reason");
    const Entry order{"Vemo/vemo.1", kOrder};
    const Entry described = Described({FileLine(order.name, order.bytes)});
    QTest::newRow("not a zip") << QByteArray("1CClientBankExchange\r\n")
                               << QStringLiteral("архив zip поврежден");
    QTest::newRow("another zip") << Zip({{"ed807.xml", "<ED807/>"}})
                                 << QStringLiteral(
                                        "в архиве нет описания копии "
                                        "(vemo-backup.txt): это не копия данных "
                                        "программы");
    QTest::newRow("description not first")
        << Zip({order, described})
        << QStringLiteral(
               "в архиве нет описания копии (vemo-backup.txt): это не копия данных "
               "программы");
    QTest::newRow("newer version") << Zip({Described({}, "VemoBackup=2")})
                                   << QStringLiteral("копия сделана другой версией программы");
    QTest::newRow("escapes the folder")
        << Zip({described, order, {"../evil.sh", "rm -rf ~"}})
        << QStringLiteral("в копии есть путь «../evil.sh», выходящий за рабочую папку");
    QTest::newRow("escapes inside a folder")
        << Zip({described, order, {"Vemo/../../evil.sh", "rm -rf ~"}})
        << QStringLiteral("в копии есть путь «Vemo/../../evil.sh», выходящий за рабочую папку");
    QTest::newRow("listed escaping")
        << Zip({Described({FileLine("Vemo/../../.bashrc", "x")})})
        << QStringLiteral("в копии есть путь «Vemo/../../.bashrc», выходящий за рабочую папку");
    QTest::newRow("absolute path") << Zip({described, order, {"/tmp/evil.sh", "x"}})
                                   << QStringLiteral(
                                          "в копии есть абсолютный путь "
                                          "«/tmp/evil.sh»");
    QTest::newRow("link") << Zip({described, {"Vemo/vemo.1", "/etc/passwd", Entry::Link}})
                          << QStringLiteral("в копии есть ссылка «Vemo/vemo.1»");
    QTest::newRow("not data") << Zip({Described({FileLine(".bashrc", "x")}), {".bashrc", "x"}})
                              << QStringLiteral(
                                     "в копии есть «.bashrc», что не относится к "
                                     "данным программы");
    QTest::newRow("unlisted file") << Zip({described, order, {"Vemo/vemo.2", kOrder}})
                                   << QStringLiteral(
                                          "в копии есть «Vemo/vemo.2», что не "
                                          "относится к данным программы");
    // Twenty megabytes of zeros deflate to a few kilobytes: a small copy that would fill a disk.
    const QByteArray zeros(20 * 1024 * 1024, '\0');
    QTest::newRow("zip bomb") << Zip({described, {"Vemo/vemo.1", zeros}})
                              << QStringLiteral(
                                     "файл «Vemo/vemo.1» в копии больше, чем сказано "
                                     "в ее описании");
    QTest::newRow("zip bomb without sizes")
        << Zip({described, {"Vemo/vemo.1", zeros, Entry::Streamed}})
        << QStringLiteral("файл «Vemo/vemo.1» в копии больше, чем сказано в ее описании");
    QTest::newRow("file over the limit")
        << Zip({Described({QStringLiteral("File=300000000 %1 Vemo/vemo.1")
                               .arg(QString(64, QLatin1Char('0')))})})
        << QStringLiteral("файл «Vemo/vemo.1» в копии больше 256 МБ");
    QTest::newRow("damaged file") << Zip({described, {"Vemo/vemo.1", "   7\r\n"}})
                                  << QStringLiteral("файл «Vemo/vemo.1» в копии поврежден");
    QTest::newRow("cut short") << Zip({Described({FileLine(order.name, order.bytes),
                                                  FileLine("Vemo/vemo.2", kOrder)}),
                                       order})
                               << QStringLiteral("в копии нет файла «Vemo/vemo.2»: она неполная");
    QTest::newRow("twice") << Zip({described, order, order})
                           << QStringLiteral("файл «Vemo/vemo.1» в копии дважды");
}

void TestBackup::refusesCopies() {
    QFETCH(QByteArray, zip);
    QFETCH(QString, reason);
    TestFolder folder(Data(), TestFolder::Enter::No);
    QVERIFY(folder.Write("copy.zip", zip));
    const QMap<QString, QByteArray> before = FolderSnapshot(folder.Path());
    BackupSummary summary;
    QString error;
    const QString copy = folder.FilePath("copy.zip");
    QVERIFY(!Backup::Inspect(copy, &summary, &error));
    QVERIFY2(
        error.startsWith(QStringLiteral("Данные не восстановлены из %1: %2").arg(copy, reason)),
        qPrintable(error));
    QString kept;
    QVERIFY(!Backup::Restore(QDir(folder.Path()), copy, kMade, &kept, &summary, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QCOMPARE(FolderSnapshot(folder.Path()), before);
    QVERIFY(!QFileInfo::exists(folder.Path() + "/../evil.sh"));
}

void TestBackup::restoresWholeOrNotAtAll() {
    TestFolder folder(Data(), TestFolder::Enter::No);
    const QDir dir(folder.Path());
    BackupSummary summary;
    QString error;
    QVERIFY(folder.Write("Vemo/vemo.9", QByteArray(64 * 1024, 'x')));
    QVERIFY(Backup::Save(dir, folder.FilePath("copy.zip"), kMade, &summary, &error));
    QVERIFY(QFile::remove(folder.FilePath("Vemo/vemo.9")));
    QVERIFY(folder.Write("pltRecv.dat", "changed\r\n"));
    const QMap<QString, QByteArray> before = FolderSnapshot(folder.Path());

    // A disk that fills up while the copy's files are written.
    const ChildSave full = SaveUnderFileSizeLimit(32 * 1024, [&dir, &folder] {
        BackupSummary summary;
        QString kept;
        QString error;
        return Backup::Restore(dir, folder.FilePath("copy.zip"), kMade, &kept, &summary, &error);
    });
    QCOMPARE(full, ChildSave::Failed);
    QCOMPARE(FolderSnapshot(folder.Path()), before);

    // A rename that fails once two parts have moved: they move back.
    Backup::g_pRenameFault = [](const QString& from) { return from.endsWith("/Vemo"); };
    QString kept;
    const bool restored =
        Backup::Restore(dir, folder.FilePath("copy.zip"), kMade, &kept, &summary, &error);
    Backup::g_pRenameFault = nullptr;
    QVERIFY(!restored);
    QVERIFY2(error.contains("/Vemo: "), qPrintable(error));
    QMap<QString, QByteArray> after = FolderSnapshot(folder.Path());
    QVERIFY(after.remove("Backups/" + QFileInfo(kept).fileName()) == 1);
    after.remove("Backups");
    QCOMPARE(after, before);
}

void TestBackup::namesDataItCannotRead() {
    TestFolder folder(Data(), TestFolder::Enter::No);
    QCOMPARE(mkfifo(QFile::encodeName(folder.FilePath("Vemo/vemo.5")).constData(), 0644), 0);
    QVERIFY(QFile::link(folder.FilePath("nowhere"), folder.FilePath("Templates/template.2")));
    BackupSummary summary;
    QString error;
    QVERIFY(
        !Backup::Save(QDir(folder.Path()), folder.FilePath("copy.zip"), kMade, &summary, &error));
    QCOMPARE(error, QStringLiteral("Копия не сделана: не могу прочитать Vemo/vemo.5, "
                                   "Templates/template.2 в папке %1")
                        .arg(folder.Path()));
    QVERIFY(!QFileInfo::exists(folder.FilePath("copy.zip")));
}

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
