// A party renamed in its orders: a rename cut short by a kill or a full disk is finished from its
// record, and nothing of a rename that never reached its address book is done.
#include <QtTest>

#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <memory>

#include "FileSizeLimit.h"
#include "TestEnvironment.h"
#include "TestFolder.h"
#include "common/Cp1251.h"
#include "common/LineFile.h"
#include "orders/OrderFiles.h"
#include "orders/OrderTexts.h"
#include "orders/PartyRename.h"
#include "orders/RenameRecord.h"
#include "orders/WorkingFolder.h"
#include "requisites/RequisitesFile.h"

namespace {

const QString kPayer = QStringLiteral("ООО Альфа");
const QString kRecipient = QStringLiteral("ООО Гамма");
const QString kOther = QStringLiteral("ООО Дельта");
constexpr int kOrders = 150;   // every third names the other recipient
constexpr int kBigFrom = 101;  // orders from here on are too big for the full disk's files
// Written by a later version after the fields of order 1.
const QStringList kLinesAfter{"21", "", QStringLiteral("строка 23"), "24", "25"};

QString NewName(int nKind) {
    return nKind == kPayersKind ? kPayer + QStringLiteral(" и К") : kRecipient + "-Плюс";
}

QString OldName(int nKind) {
    return nKind == kPayersKind ? kPayer : kRecipient;
}

CRequisite Named(const QString& name) {
    CRequisite record;
    record.m_strName = name;
    record.m_strBik = QStringLiteral("044525225");
    return record;
}

OrderRow Order(int number) {
    OrderRow row;
    row[kColumnNumber] = OrderTexts::NumberText(number);
    row[kColumnDate] = OrderTexts::DateText(QDate(2026, 3, 1 + number % 28));
    row[kColumnPayer] = kPayer;
    row[kColumnRecipient] = number % 3 == 0 ? kOther : kRecipient;
    row[kColumnAmount] = QString::number(number * 100);
    row[kColumnBasis] = number >= kBigFrom ? QString(400, u'О') : QStringLiteral("Оплата");
    if (number == 1) {
        row.SetLinesAfterFields(kLinesAfter);
    }
    return row;
}

// The orders that name the party of the kind by its old name.
QList<int> Naming(int nKind) {
    QList<int> numbers;
    for (int number = 1; number <= kOrders; ++number) {
        if (Order(number)[nKind == kPayersKind ? kColumnPayer : kColumnRecipient] ==
            OldName(nKind)) {
            numbers.append(number);
        }
    }
    return numbers;
}

// The address book of the kind with its party renamed, written as the requisites archive writes
// it when the user says "Да".
bool WriteRenamedBook(int nKind) {
    AddressBook book = WorkingFolder().Book(nKind);
    book.Load();
    book.Change(0, Named(NewName(nKind)));
    return book.Save();
}

// The orders (of those given) whose file names the party by the new name.
QList<int> RenamedAmong(int nKind, const QList<int>& numbers) {
    QList<int> renamed;
    for (int number : numbers) {
        OrderRow row;
        OrderFiles::ReadOrder(number, &row);
        if (row[nKind == kPayersKind ? kColumnPayer : kColumnRecipient] == NewName(nKind)) {
            renamed.append(number);
        }
    }
    return renamed;
}

QString BookName(int nKind) {
    CRequisiteArray records;
    RequisitesFile::Read(RequisitesFile::FileName(nKind), &records);
    return records.value(0).m_strName;
}

// The orders a rename left, as "Vemo/vemo.7: нет места на диске".
QStringList Texts(const QList<OrderLeft>& left) {
    QStringList texts;
    for (const OrderLeft& order : left) {
        texts.append(order.file + QStringLiteral(": ") + order.reason);
    }
    return texts;
}

enum class KillAt { BeforeBook, BeforeOrders, HalfWay, AfterOrders };

// Renames in a child process, killed for good (SIGKILL) at the point asked: the child tells
// through a pipe that it is there and waits to be killed.
bool RenameKilled(int nKind, KillAt at) {
    int tell[2];
    if (pipe(tell) != 0) {
        return false;
    }
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        close(tell[0]);
        alarm(60);
        const auto stopHere = [&] {
            const char c = 'k';
            (void)!write(tell[1], &c, 1);
            pause();
        };
        PartyRename::Rename(
            WorkingFolder(), nKind, OldName(nKind), NewName(nKind),
            [&] {
                if (at == KillAt::BeforeBook) {
                    stopHere();
                }
                return WriteRenamedBook(nKind);
            },
            [&](int done, int total) {
                if ((at == KillAt::BeforeOrders && done == 0) ||
                    (at == KillAt::HalfWay && done == total / 2) ||
                    (at == KillAt::AfterOrders && done == total)) {
                    stopHere();
                }
            });
        _exit(3);  // it was to be killed before
    }
    close(tell[1]);
    char c = 0;
    const bool there = read(tell[0], &c, 1) == 1;
    close(tell[0]);
    kill(child, SIGKILL);
    int status = 0;
    return waitpid(child, &status, 0) == child && there && WIFSIGNALED(status) &&
           WTERMSIG(status) == SIGKILL;
}

}  // namespace

Q_DECLARE_METATYPE(KillAt)

class TestPartyRename : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void killedRenameIsFinishedLater_data();
    void killedRenameIsFinishedLater();
    void fullDiskLeavesTheRestForLater_data();
    void fullDiskLeavesTheRestForLater();
    void recordIsLeftAloneWhereItMustBe_data();
    void recordIsLeftAloneWhereItMustBe();
    void sentOrdersKeepTheBanksName();

private:
    std::unique_ptr<TestFolder> m_folder;
    QByteArray m_book[2];
};

void TestPartyRename::init() {
    m_folder = std::make_unique<TestFolder>(TestFolder::Files{{"Vemo/", {}}});
    QVERIFY(m_folder->isValid());
    QVERIFY(RequisitesFile::Write("pltRecv.dat", {Named(kPayer)}));
    QVERIFY(RequisitesFile::Write("polRecv.dat", {Named(kRecipient), Named(kOther)}));
    // As another program writes them, without waiting for the disk each time.
    for (int number = 1; number <= kOrders; ++number) {
        const QString text = Order(number).Lines().join("\r\n") + "\r\n";
        QVERIFY(m_folder->Write(OrderFiles::FileName(number), Cp1251::Encode(text)));
    }
    m_book[kPayersKind] = m_folder->Read("pltRecv.dat");
    m_book[kRecipientsKind] = m_folder->Read("polRecv.dat");
}

void TestPartyRename::cleanup() {
    m_folder.reset();
}

void TestPartyRename::killedRenameIsFinishedLater_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<KillAt>("at");
    QTest::addColumn<int>("cutAfter");       // the orders renamed when the kill came
    QTest::addColumn<int>("outcome");        // of the rename finished
    QTest::addColumn<bool>("renamed");       // whether the book and the orders take the new name
    QTest::addColumn<bool>("newNameTaken");  // another record of the book bears the new name
    const int recipientOrders = int(Naming(kRecipientsKind).size());
    using O = OrdersRenamed::Outcome;
    QTest::newRow("recipient, killed before its book")
        << int(kRecipientsKind) << KillAt::BeforeBook << 0 << int(O::BookNotWritten) << false
        << false;
    // The book holds the new name, but not by this rename: it is the book as it was.
    QTest::newRow("recipient of a name another record bears, killed before its book")
        << int(kRecipientsKind) << KillAt::BeforeBook << 0 << int(O::BookNotWritten) << false
        << true;
    QTest::newRow("recipient, killed before its orders")
        << int(kRecipientsKind) << KillAt::BeforeOrders << 0 << int(O::OrdersWritten) << true
        << false;
    QTest::newRow("recipient, killed half way")
        << int(kRecipientsKind) << KillAt::HalfWay << recipientOrders / 2 << int(O::OrdersWritten)
        << true << false;
    QTest::newRow("recipient, killed after its last order")
        << int(kRecipientsKind) << KillAt::AfterOrders << recipientOrders << int(O::OrdersWritten)
        << true << false;
    QTest::newRow("payer of every order, killed half way")
        << int(kPayersKind) << KillAt::HalfWay << kOrders / 2 << int(O::OrdersWritten) << true
        << false;
}

// A rename of a party named in many orders, killed (kill -9) at a point of its way: the book and
// the orders are left as the kill found them, with the record of the rename; finishing it later
// renames what is left, or nothing where the book never took the new name.
void TestPartyRename::killedRenameIsFinishedLater() {
    QFETCH(int, kind);
    QFETCH(KillAt, at);
    QFETCH(int, cutAfter);
    QFETCH(int, outcome);
    QFETCH(bool, renamed);
    QFETCH(bool, newNameTaken);
    const Deadline deadline(120);
    const QList<int> naming = Naming(kind);
    if (newNameTaken) {
        QVERIFY(RequisitesFile::Write(RequisitesFile::FileName(kind),
                                      {Named(OldName(kind)), Named(kOther), Named(NewName(kind))}));
        m_book[kind] = m_folder->Read(RequisitesFile::FileName(kind));
    }
    QVERIFY(RenameKilled(kind, at));
    QVERIFY(QFileInfo::exists(RenameRecord::FileName()));
    QCOMPARE(BookName(kind), at == KillAt::BeforeBook ? OldName(kind) : NewName(kind));
    QCOMPARE(RenamedAmong(kind, naming), naming.mid(0, cutAfter));

    const OrdersRenamed done = PartyRename::Resume(WorkingFolder());
    QCOMPARE(int(done.outcome), outcome);
    QVERIFY(done.resumed);
    QCOMPARE(done.oldName, OldName(kind));
    QCOMPARE(done.newName, NewName(kind));
    QCOMPARE(Texts(done.failed), QStringList());
    QCOMPARE(done.total, renamed ? int(naming.size()) - cutAfter : 0);
    QCOMPARE(done.renamed, done.total);
    QCOMPARE(BookName(kind), renamed ? NewName(kind) : OldName(kind));
    QCOMPARE(RenamedAmong(kind, naming), renamed ? naming : QList<int>());
    if (!renamed) {
        QCOMPARE(m_folder->Read(RequisitesFile::FileName(kind)), m_book[kind]);
    }
    // Each order kept all but the name, the lines after its fields too, and nothing is left over.
    OrderRow first;
    QCOMPARE(OrderFiles::ReadOrder(1, &first), LineFile::ReadResult::Ok);
    OrderRow expected = Order(1);
    expected[kind == kPayersKind ? kColumnPayer : kColumnRecipient] =
        renamed ? NewName(kind) : OldName(kind);
    QCOMPARE(first, expected);
    QCOMPARE(first.LinesAfterFields(), kLinesAfter);
    QCOMPARE(m_folder->Entries("Vemo").size(), kOrders);
    QCOMPARE(PartyRename::Resume(WorkingFolder()).outcome, OrdersRenamed::Outcome::Nothing);
}

void TestPartyRename::fullDiskLeavesTheRestForLater_data() {
    QTest::addColumn<int>("limit");  // the largest file the full disk takes
    QTest::addColumn<int>("outcome");
    QTest::addColumn<bool>("bookWritten");
    using O = OrdersRenamed::Outcome;
    QTest::newRow("no room for the large orders") << 400 << int(O::OrdersWritten) << true;
    QTest::newRow("no room for the record") << 20 << int(O::NotStarted) << false;
}

// A disk that fills up during the rename (a file-size limit, SIGXFSZ ignored): each order left
// is named with the system's reason and the record stays; once there is room, finishing it
// renames the rest. A rename that cannot record itself writes nothing.
void TestPartyRename::fullDiskLeavesTheRestForLater() {
    QFETCH(int, limit);
    QFETCH(int, outcome);
    QFETCH(bool, bookWritten);
    const QList<int> naming = Naming(kRecipientsKind);
    QList<int> small;
    QStringList big;
    for (int number : naming) {
        if (number < kBigFrom) {
            small.append(number);
        } else {
            big.append(OrderFiles::FileName(number) +
                       QStringLiteral(": превышен допустимый размер файла"));
        }
    }
    bool bookAsked = false;
    OrdersRenamed done;
    {
        const FileSizeLimitHere full{rlim_t(limit)};
        done = PartyRename::Rename(WorkingFolder(), kRecipientsKind, kRecipient,
                                   NewName(kRecipientsKind), [&] {
                                       bookAsked = true;
                                       return WriteRenamedBook(kRecipientsKind);
                                   });
    }
    QCOMPARE(int(done.outcome), outcome);
    QCOMPARE(bookAsked, bookWritten);
    QCOMPARE(BookName(kRecipientsKind), bookWritten ? NewName(kRecipientsKind) : kRecipient);
    if (!bookWritten) {
        QCOMPARE(done.error, QStringLiteral("не могу записать Vemo/renaming: превышен допустимый "
                                            "размер файла"));
        QCOMPARE(RenamedAmong(kRecipientsKind, naming), QList<int>());
        QCOMPARE(m_folder->Entries("Vemo").size(), kOrders);  // nothing recorded, nothing left
        return;
    }
    QCOMPARE(done.total, int(naming.size()));
    QCOMPARE(done.renamed, int(small.size()));
    QCOMPARE(Texts(done.failed), big);
    QCOMPARE(RenamedAmong(kRecipientsKind, naming), small);
    QVERIFY(QFileInfo::exists(RenameRecord::FileName()));

    // Room again: the rest is renamed.
    const OrdersRenamed finished = PartyRename::Resume(WorkingFolder());
    QVERIFY(finished.Finished());
    QCOMPARE(finished.total, int(big.size()));
    QCOMPARE(RenamedAmong(kRecipientsKind, naming), naming);
    QCOMPARE(m_folder->Entries("Vemo").size(), kOrders);
}

void TestPartyRename::recordIsLeftAloneWhereItMustBe_data() {
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("error");  // a part of it
    QTest::addColumn<bool>("recordStays");
    using O = OrdersRenamed::Outcome;
    QTest::newRow("a rename under way in another editor")
        << "held" << int(O::UnderWay) << QString() << true;
    QTest::newRow("a record another program wrote")
        << "garbled" << int(O::NotStarted) << QStringLiteral("не читается: это не запись") << true;
    QTest::newRow("a book that does not read")
        << "unreadable book" << int(O::NotStarted)
        << QStringLiteral("Не могу прочитать реквизиты polRecv.dat") << true;
    // Changed since by another program, without the new name: the rename never reached it.
    QTest::newRow("a book without the new name")
        << "book without the name" << int(O::BookNotWritten) << QString() << false;
    QTest::newRow("a second rename before the first is finished")
        << "second rename" << int(O::NotStarted)
        << QStringLiteral("не закончено прежнее переименование (Vemo/renaming)") << true;
}

// What finishing a recorded rename must not do: take one another editor is still running, read a
// record or a book it cannot read, rename orders to a name the book does not hold, or let a new
// rename write over the record of one that is not finished.
void TestPartyRename::recordIsLeftAloneWhereItMustBe() {
    QFETCH(QString, state);
    QFETCH(int, outcome);
    QFETCH(QString, error);
    QFETCH(bool, recordStays);
    const QList<int> naming = Naming(kRecipientsKind);
    QVERIFY(RenameKilled(kRecipientsKind, KillAt::BeforeOrders));
    FileDescriptor held;
    if (state == "held") {
        held.Reset(open(qPrintable(RenameRecord::FileName()), O_RDONLY));
        QCOMPARE(flock(held.Get(), LOCK_EX), 0);
    } else if (state == "garbled") {
        WriteBytes(RenameRecord::FileName(), "pltRecv.dat\r\n");
    } else if (state == "unreadable book") {
        QVERIFY(QFile::remove("polRecv.dat") && QDir().mkdir("polRecv.dat"));
    } else if (state == "book without the name") {
        QVERIFY(RequisitesFile::Write("polRecv.dat", {Named(kOther)}));
    }
    const QMap<QString, QByteArray> before{{"Vemo/vemo.1", m_folder->Read("Vemo/vemo.1")},
                                           {"Vemo/renaming", m_folder->Read("Vemo/renaming")}};
    const OrdersRenamed done =
        state == "second rename"
            ? PartyRename::Rename(WorkingFolder(), kPayersKind, kPayer, NewName(kPayersKind),
                                  [] { return WriteRenamedBook(kPayersKind); })
            : PartyRename::Resume(WorkingFolder());
    QCOMPARE(int(done.outcome), outcome);
    QVERIFY2(done.error.contains(error), qPrintable(done.error));
    QCOMPARE(QFileInfo::exists(RenameRecord::FileName()), recordStays);
    QCOMPARE(RenamedAmong(kRecipientsKind, naming), QList<int>());
    QCOMPARE(RenamedAmong(kPayersKind, Naming(kPayersKind)), QList<int>());
    QCOMPARE(m_folder->Read("Vemo/vemo.1"), before.value("Vemo/vemo.1"));
    if (recordStays) {
        QCOMPARE(m_folder->Read("Vemo/renaming"), before.value("Vemo/renaming"));
    }
}

// The orders that went to the bank keep the name the bank has them under: the user is told which,
// a rename passes them by, and so does the rename finished after a kill, from its record.
void TestPartyRename::sentOrdersKeepTheBanksName() {
    const QStringList sentFiles{OrderFiles::FileName(1), OrderFiles::FileName(2)};
    const OrdersOfParty orders =
        PartyRename::OrdersOf(WorkingFolder(), kRecipientsKind, [&](const StoredOrders& asked) {
            QStringList sent;
            for (const QString& file : asked.files) {
                if (sentFiles.contains(file)) {
                    sent.append(file);
                }
            }
            return sent;
        });
    const QList<int> naming = Naming(kRecipientsKind);
    const QList<PartyOrder> named = orders.named(kRecipient);
    QCOMPARE(named.size(), naming.size());
    QCOMPARE(named.first().number, QStringLiteral("1"));
    QVERIFY(named.at(0).sent && named.at(1).sent && !named.at(2).sent);
    QCOMPARE(PartyOrdersText(named.mid(0, 2), true),
             QStringLiteral("№ 1 от 02.03.2026, № 2 от 03.03.2026"));
    QVERIFY(PartyOrdersText(named, false)
                .endsWith(QStringLiteral(" и еще %1").arg(naming.size() - 10)));

    const OrdersRenamed done = orders.rename(kRecipient, NewName(kRecipientsKind),
                                             [] { return WriteRenamedBook(kRecipientsKind); }, {});
    QCOMPARE(done.total, naming.size() - 2);
    QCOMPARE(RenamedAmong(kRecipientsKind, naming), naming.mid(2));

    // A rename cut short after its book was written: its record keeps what stays.
    QVERIFY(m_folder->Write("polRecv.dat", m_book[kRecipientsKind]));
    for (int number : naming) {
        QVERIFY(OrderFiles::SaveOrder(number, Order(number)));
    }
    const RenameRecord record{kRecipientsKind,
                              kRecipient,
                              NewName(kRecipientsKind),
                              LineFile::Digest("polRecv.dat"),
                              {OrderFiles::FileName(4)}};
    QString error;
    QVERIFY(record.Write(WorkingFolder(), &error));
    QVERIFY(WriteRenamedBook(kRecipientsKind));
    PartyRename::Resume(WorkingFolder());
    QList<int> renamed = naming;
    renamed.removeAll(4);
    QCOMPARE(RenamedAmong(kRecipientsKind, naming), renamed);
}

QTEST_GUILESS_MAIN(TestPartyRename)
#include "tst_partyrename.moc"
