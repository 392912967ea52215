// The bank's files kept in the working folder: every statement read and every export written is
// kept byte for byte and never changed; the same statement read twice changes nothing; the
// orders' states come from what is kept, through a cache that is only ever a shortcut.
#include <QtTest>

#include "StatementFiles.h"
#include "TestFolder.h"
#include "bank/KeptFiles.h"
#include "bank/KeptSummaries.h"
#include "bank/OrderStates.h"
#include "bank/StatementAnswers.h"
#include "bank/StatementImport.h"
#include "orders/OrderFiles.h"
#include "orders/WorkingFolder.h"
#include "requisites/BikDirectory.h"
#include "requisites/RequisitesFile.h"
#include "routine/OrderRegister.h"

namespace {

const QDateTime kExported(QDate(2026, 3, 6), QTime(10, 0, 5));
const QDateTime kRead(QDate(2026, 3, 12), QTime(9, 30, 0));
const QDate kToday(2026, 3, 20);

QByteArray ExportBytes() {
    return BankExport::FileBytes(ComposeLines(TestOrders(), kExported));
}

// The statement of Ромашка's account: orders 1, 2 and 7 debited on their dates.
QByteArray StatementBytes() {
    const QList<OrderRow> orders = TestOrders();
    return StatementText::FromExport(ComposeLines({orders[0], orders[1], orders[3]}, kExported))
        .Bytes();
}

QStringList StateTexts(const WorkingFolder& folder) {
    const StoredOrders orders = folder.ReadOrders();
    const AddressBooks books = folder.ReadBooks();
    QStringList texts;
    for (const OrderStates::State& state : OrderStates::Read(folder, orders, books.payers.Records(),
                                                             books.recipients.Records(), kToday)
                                               .states) {
        texts.append(OrderStates::Text(state));
    }
    return texts;
}

}  // namespace

class TestKeptFiles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void keptByteForByteUnderTheirNames();
    void aFolderThatCannotBeMadeKeepsNothing();
    void importingAStatementTwiceChangesNothing();
    void aRefusedStatementLeavesTheFolderAsItWas();
    void answersAreKeptAndADamagedFileIsNamed();
    void statesComeTheSameWithOrWithoutTheCache_data();
    void statesComeTheSameWithOrWithoutTheCache();
    void theRegisterTellsEachOrdersState();

private:
    QTemporaryDir m_cache;
};

// The cache goes where the test says, never into the user's own.
void TestKeptFiles::initTestCase() {
    QVERIFY(m_cache.isValid());
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_cache.path()));
}

void TestKeptFiles::keptByteForByteUnderTheirNames() {
    TestFolder folder;
    const WorkingFolder working;
    const KeptFiles::Outcome exported = KeptFiles::Keep(
        working, KeptFiles::Kind::Export, ExportBytes(), kExported, QStringLiteral("044 525 225"));
    QVERIFY2(exported.kept, qPrintable(exported.error));
    QCOMPARE(exported.name, QStringLiteral("Bank/1c_to_kl_2026-03-06_10-00-05_044525225.txt"));
    const KeptFiles::Outcome statement =
        KeptFiles::Keep(working, KeptFiles::Kind::Statement, StatementBytes(), kRead);
    QCOMPARE(statement.name, QStringLiteral("Bank/kl_to_1c_2026-03-12_09-30-00.txt"));
    // Another statement in the same second takes the next name.
    const KeptFiles::Outcome second =
        KeptFiles::Keep(working, KeptFiles::Kind::Statement, StatementBytes() + "\r\n", kRead);
    QCOMPARE(second.name, QStringLiteral("Bank/kl_to_1c_2026-03-12_09-30-00_2.txt"));
    QCOMPARE(folder.Read(exported.name), ExportBytes());
    QCOMPARE(folder.Read(statement.name), StatementBytes());
    // Files of other names are not the program's.
    QVERIFY(folder.Write(QStringLiteral("Bank/kl_to_1c.txt"), "x"));
    QVERIFY(folder.Write(QStringLiteral("Bank/notes.txt"), "x"));

    const QList<KeptFiles::KeptFile> kept = KeptFiles::List(working);
    QCOMPARE(kept.size(), 3);
    QCOMPARE(kept[0].kind, KeptFiles::Kind::Export);
    QCOMPARE(kept[0].kept, kExported);
    QCOMPARE(kept[1].kind, KeptFiles::Kind::Statement);
    QCOMPARE(kept[2].name, second.name);
    QCOMPARE(kept[1].size, StatementBytes().size());
}

// A file where the folder of kept files would be: nothing is kept, and the user is told.
void TestKeptFiles::aFolderThatCannotBeMadeKeepsNothing() {
    TestFolder folder({{QStringLiteral("Bank"), "not a folder"}});
    const KeptFiles::Outcome outcome =
        KeptFiles::Keep(WorkingFolder(), KeptFiles::Kind::Statement, StatementBytes(), kRead);
    QVERIFY(!outcome.kept);
    QVERIFY(outcome.name.isEmpty());
    QVERIFY(!outcome.error.isEmpty());
    QCOMPARE(folder.Read(QStringLiteral("Bank")), QByteArray("not a folder"));
}

// Reading a statement keeps it and answers the orders it executed; reading the same bytes again,
// later, keeps nothing more and names the file kept the first time, and the states are what they
// were.
void TestKeptFiles::importingAStatementTwiceChangesNothing() {
    TestFolder folder(ArchiveFiles());
    QVERIFY(folder.Write(QStringLiteral("kl_to_1c.txt"), StatementBytes()));
    const WorkingFolder working;
    KeptFiles::Keep(working, KeptFiles::Kind::Export, ExportBytes(), kExported);
    QCOMPARE(StateTexts(working), (QStringList{"отправлено 06.03", "отправлено 06.03",
                                               "отправлено 06.03", "отправлено 06.03"}));

    const StatementImport first = StatementImport::Run(
        working, folder.FilePath(QStringLiteral("kl_to_1c.txt")), BikDirectory(), kRead);
    QVERIFY2(first.refusal.isEmpty(), qPrintable(first.refusal));
    QVERIFY(first.kept.kept);
    QVERIFY(first.unreadable.isEmpty());
    QCOMPARE(first.report.answers.size(), 3);
    QCOMPARE(first.orders.rows[first.report.answers[0].order][kColumnNumber],
             QStringLiteral("   1"));
    QCOMPARE(first.report.answers[0].executed, QDate(2026, 3, 5));
    const QStringList executed = {"исполнено 05.03", "исполнено 05.03", "отправлено 06.03",
                                  "исполнено 06.03"};
    QCOMPARE(StateTexts(working), executed);

    const QStringList kept = folder.Entries(QStringLiteral("Bank"));
    const StatementImport second = StatementImport::Run(
        working, folder.FilePath(QStringLiteral("kl_to_1c.txt")), BikDirectory(), kRead.addDays(1));
    QVERIFY(!second.kept.kept && second.kept.alreadyKept);
    QCOMPARE(second.kept.name, first.kept.name);
    QCOMPARE(folder.Entries(QStringLiteral("Bank")), kept);
    QCOMPARE(StateTexts(working), executed);
}

void TestKeptFiles::aRefusedStatementLeavesTheFolderAsItWas() {
    TestFolder folder(ArchiveFiles());
    QByteArray cut = StatementBytes();
    cut.chop(28);  // "КонецДокумента" and "КонецФайла"
    QVERIFY(folder.Write(QStringLiteral("kl_to_1c.txt"), cut));
    const QStringList before = folder.Entries();
    const StatementImport result = StatementImport::Run(
        WorkingFolder(), folder.FilePath(QStringLiteral("kl_to_1c.txt")), BikDirectory(), kRead);
    QVERIFY2(result.refusal.startsWith(QStringLiteral("файл оборван")), qPrintable(result.refusal));
    QVERIFY(!result.kept.kept);
    QCOMPARE(folder.Entries(), before);
    const StatementImport missing = StatementImport::Run(
        WorkingFolder(), folder.FilePath(QStringLiteral("нет.txt")), BikDirectory(), kRead);
    QCOMPARE(missing.refusal, QStringLiteral("файла нет"));
}

// The user's answers come back as they were given; a file that is not such is named, and the
// states are then as if there were none.
void TestKeptFiles::answersAreKeptAndADamagedFileIsNamed() {
    TestFolder folder(ArchiveFiles());
    const WorkingFolder working;
    StatementAnswers answers;
    answers.Set(QStringLiteral("Bank/kl_to_1c_2026-03-12_09-30-00.txt"), 212,
                QStringLiteral("Vemo/vemo.7"));
    answers.Set(QStringLiteral("Bank/kl_to_1c_2026-03-12_09-30-00.txt"), 240, QString());
    QString error;
    QVERIFY2(answers.Save(working, &error), qPrintable(error));
    StatementAnswers read;
    QVERIFY2(StatementAnswers::Read(working, &read, &error), qPrintable(error));
    QCOMPARE(read.OrderOf(QStringLiteral("Bank/kl_to_1c_2026-03-12_09-30-00.txt"), 212),
             std::optional<QString>(QStringLiteral("Vemo/vemo.7")));
    QCOMPARE(read.OrderOf(QStringLiteral("Bank/kl_to_1c_2026-03-12_09-30-00.txt"), 240),
             std::optional<QString>(QString()));
    QCOMPARE(read.OrderOf(QStringLiteral("Bank/kl_to_1c_2026-03-12_09-30-00.txt"), 1),
             std::nullopt);

    KeptFiles::Keep(working, KeptFiles::Kind::Export, ExportBytes(), kExported);
    QVERIFY(folder.Write(StatementAnswers::FileName(), "kl_to_1c.txt\tline 5\tVemo/vemo.1\n"));
    QVERIFY(!StatementAnswers::Read(working, &read, &error));
    QVERIFY2(error.contains(StatementAnswers::FileName()), qPrintable(error));
    const StoredOrders orders = working.ReadOrders();
    const AddressBooks books = working.ReadBooks();
    const OrderStates::Reading reading = OrderStates::Read(working, orders, books.payers.Records(),
                                                           books.recipients.Records(), kToday);
    QCOMPARE(reading.unreadable, QStringList{error});
    QCOMPARE(OrderStates::Text(reading.states.first()), QStringLiteral("отправлено 06.03"));
}

void TestKeptFiles::statesComeTheSameWithOrWithoutTheCache_data() {
    QTest::addColumn<QByteArray>("cache");  // what the cache file holds before the states are read
    QTest::newRow("none") << QByteArray();
    QTest::newRow("damaged") << QByteArray("VEKS\0\0\0\1garbage", 16);
    QTest::newRow("a summary cut short") << QByteArray("cut");
    QTest::newRow("a place beyond the texts") << QByteArray("beyond");
}

// The cache answers what reading the kept files answers; a damaged one is read past, and a
// kept file that is not what its summary says is read again.
void TestKeptFiles::statesComeTheSameWithOrWithoutTheCache() {
    QFETCH(QByteArray, cache);
    TestFolder folder(ArchiveFiles());
    const WorkingFolder working;
    KeptFiles::Keep(working, KeptFiles::Kind::Export, ExportBytes(), kExported);
    KeptFiles::Keep(working, KeptFiles::Kind::Statement, StatementBytes(), kRead);
    const QStringList states = StateTexts(working);  // reads the files and makes the cache
    const QString path = KeptSummaries::CachePath(working);
    QVERIFY(QFileInfo::exists(path));
    QByteArray bytes = ReadBytes(path);
    KeptSummaries summaries;
    QVERIFY(KeptSummaries::FromBytes(bytes, &summaries));
    QCOMPARE(summaries.Files().size(), 2);
    if (cache == "cut") {
        bytes.chop(1);
    } else if (cache == "beyond") {
        // The last period of the statement names its account by a place no text has.
        bytes.replace(bytes.size() - 24, 4, QByteArray("\x7f\x7f\x7f\x7f", 4));
    } else {
        bytes = cache;
    }
    QVERIFY(!KeptSummaries::FromBytes(bytes, &summaries));
    WriteBytes(path, bytes);
    QCOMPARE(StateTexts(working), states);
    QCOMPARE(StateTexts(working), states);  // from the cache made again

    // The statement replaced by one without order 7, under its name: read again, not taken from
    // the cache.
    const QList<OrderRow> orders = TestOrders();
    const QString statement = KeptFiles::List(working).last().name;
    WriteBytes(folder.FilePath(statement),
               StatementText::FromExport(ComposeLines({orders[0]}, kExported)).Bytes());
    QCOMPARE(StateTexts(working).last(), QStringLiteral("отправлено 06.03"));
}

// The register for signing says of each order what the kept files say, though it lists the orders
// payer by payer (1, 2, 7, then 3) rather than as given.
void TestKeptFiles::theRegisterTellsEachOrdersState() {
    TestFolder folder(ArchiveFiles());
    const WorkingFolder working;
    KeptFiles::Keep(working, KeptFiles::Kind::Export, ExportBytes(), kExported);
    KeptFiles::Keep(working, KeptFiles::Kind::Statement, StatementBytes(), kRead);
    QStringList unreadable;
    const OrderRegister reg =
        OrderRegister::Read(working, working.ReadOrders(), kToday, &unreadable);
    QCOMPARE(unreadable, QStringList());
    QStringList told;
    for (const OrderRegister::Group& group : reg.groups) {
        for (const OrderRegister::Row& row : group.rows) {
            told.append(row.number + QStringLiteral(": ") + row.state);
        }
    }
    QCOMPARE(told, (QStringList{"1: исполнено 05.03", "2: исполнено 05.03", "7: исполнено 06.03",
                                "3: отправлено 06.03"}));
}

QTEST_GUILESS_MAIN(TestKeptFiles)
#include "tst_keptfiles.moc"
