// Times what the bank's files cost: a year's statement of a busy company (50 000 documents in 250
// daily sections) read and held against an archive of 100 000 orders, next to the floor of
// merely reading its bytes; the states of those 100 000 orders from 50 kept exports and 12 kept
// monthly statements, next to reading the archive with nothing kept; and the orders archive
// opened and shown with them, next to the same archive opened with nothing kept.
//
// The data sets are made once under the build folder and reused: a marker file written after the
// last file says a set is complete.
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "bank/BankExport.h"
#include "bank/ExchangeFile.h"
#include "bank/KeptFiles.h"
#include "bank/KeptSummaries.h"
#include "bank/OrderStates.h"
#include "bank/StatementParties.h"
#include "bank/StatementReport.h"
#include "common/Cp1251.h"
#include "common/RegularFile.h"
#include "common/WorkingDays.h"
#include "form/CVemoDoc.h"
#include "orders/OrderAmount.h"
#include "orders/OrderFiles.h"
#include "orders/OrderTexts.h"
#include "orders/WorkingFolder.h"
#include "orderwindows/COrderArchiveDlg.h"
#include "requisites/BikDirectory.h"
#include "requisites/RequisitesFile.h"
#include "widgets/MessageBoxes.h"

namespace {

constexpr int kRuns = 3;
constexpr int kOrders = 100000;
constexpr int kPayers = 5;
constexpr int kRecipients = 2000;
constexpr int kDays = 250;
constexpr int kExports = 50;
// Bumped when the generated files change, so that old sets are made anew.
const QByteArray kDataVersion = "3";
const QString kMarker = QStringLiteral("complete");

QString DataRoot() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/data");
}

bool EnsureDataSet(const QString& path, const std::function<bool()>& write) {
    QFile marker(path + QLatin1Char('/') + kMarker);
    if (marker.open(QIODevice::ReadOnly) && marker.readAll() == kDataVersion) {
        return true;
    }
    marker.close();
    QDir(path).removeRecursively();
    if (!QDir().mkpath(path) || !QDir::setCurrent(path)) {
        return false;
    }
    std::printf("making %s once...\n", qPrintable(path));
    std::fflush(stdout);
    const bool written = write();
    return written && marker.open(QIODevice::WriteOnly) && marker.write(kDataVersion) > 0;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray FileBytes(const QStringList& lines) {
    return Cp1251::Encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

QString Digits(qint64 prefix, int width, qint64 number) {
    return QString::number(prefix) + QStringLiteral("%1").arg(number, width, 10, QLatin1Char('0'));
}

// Payer 0 is the company's main account: most orders go from it.
CRequisite Payer(int i) {
    CRequisite record;
    record.m_strName = QStringLiteral("ООО \"Ромашка\" № %1").arg(i);
    record.m_strBank = QStringLiteral("ПАО Сбербанк г. Москва");
    record.m_strBik = QStringLiteral("044525225");
    record.m_strInnKpp = QStringLiteral("77010000%1/770101001").arg(i, 2, 10, QLatin1Char('0'));
    record.m_strAccount1 = Digits(40702810, 12, i + 1);
    record.m_strAccount2 = QStringLiteral("30101810400000000225");
    return record;
}

CRequisite Recipient(int i) {
    CRequisite record;
    record.m_strName = QStringLiteral("ЗАО \"Лютик\" № %1").arg(i);
    record.m_strBank = QStringLiteral("АО \"Альфа-Банк\" г. Москва");
    record.m_strBik = QStringLiteral("044525593");
    record.m_strInnKpp = QStringLiteral("66%1/665901001").arg(i, 8, 10, QLatin1Char('0'));
    record.m_strAccount1 = QStringLiteral("30101810200000000593");
    record.m_strAccount2 = Digits(40702810, 12, 500000 + i);
    return record;
}

CRequisiteArray Books(int nKind) {
    CRequisiteArray records;
    const int count = nKind == kPayersKind ? kPayers : kRecipients;
    for (int i = 0; i < count; ++i) {
        records.append(nKind == kPayersKind ? Payer(i) : Recipient(i));
    }
    return records;
}

QDate WorkingDay(int day) {
    return WorkingDays::After(QDate(2025, 12, 31), day + 1);
}

int DayOf(int i) {
    return int(qint64(i) * kDays / kOrders);
}

OrderRow Order(int i) {
    OrderRow row;
    row[kColumnNumber] = OrderTexts::NumberText(i + 1);
    row[kColumnDate] = OrderTexts::DateText(WorkingDay(DayOf(i)));
    row[kColumnPayer] = Payer(i % 10 < 6 ? 0 : 1 + i % 4).m_strName;
    row[kColumnRecipient] = Recipient(i * 7 % kRecipients).m_strName;
    row[kColumnAmount] =
        QStringLiteral("%1.%2").arg(100 + i * 37 % 100000).arg(i % 100, 2, 10, QLatin1Char('0'));
    row[kColumnBasis] =
        QStringLiteral("Оплата по счету № %1 за поставку товара, в т.ч. НДС 20%").arg(i);
    row[kColumnPaymentKind] = QStringLiteral("01");
    row[kColumnPriority] = QStringLiteral("5");
    return row;
}

QList<OrderRow> Orders() {
    QList<OrderRow> orders;
    orders.reserve(kOrders);
    for (int i = 0; i < kOrders; ++i) {
        orders.append(Order(i));
    }
    return orders;
}

QString Day(const QDate& date) {
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

// The document sections of an export of the orders, each marked with the day of its debit as
// a bank writes it: ДатаСписано filled, ДатаПоступило empty.
QStringList ExecutedSections(const QList<OrderRow>& orders, const CRequisiteArray& payers,
                             const CRequisiteArray& recipients) {
    const BankExport::Result exported =
        BankExport::Compose(orders, payers, recipients, QStringLiteral("bench"), QString(),
                            QDateTime::currentDateTime());
    QStringList lines;
    QString date;
    for (const QString& line : exported.lines) {
        if (line.startsWith(QStringLiteral("Дата="))) {
            date = line.mid(5);
        }
        if (line == QStringLiteral("КонецДокумента")) {
            lines << QStringLiteral("ДатаСписано=") + date << QStringLiteral("ДатаПоступило=");
        }
        if (!lines.isEmpty() || line.startsWith(QStringLiteral("СекцияДокумент"))) {
            lines << line;
        }
    }
    lines.removeLast();  // КонецФайла
    return lines;
}

QStringList OtherDocument(const QString& kind, int number, const QDate& day, qint64 kopecks,
                          const QString& payer, const QString& recipient, bool incoming) {
    return {QStringLiteral("СекцияДокумент=") + kind,
            QStringLiteral("Номер=%1").arg(number),
            QStringLiteral("Дата=") + Day(day),
            QStringLiteral("Сумма=") + OrderAmount::ExchangeText(kopecks),
            QStringLiteral("ПлательщикСчет=") + payer,
            QStringLiteral("Плательщик1=ООО \"Покупатель\""),
            QStringLiteral("ПлательщикИНН=7712345678"),
            QStringLiteral("ПолучательСчет=") + recipient,
            QStringLiteral("Получатель1=ООО \"Ромашка\""),
            QStringLiteral("НазначениеПлатежа=Оплата по договору"),
            incoming ? QStringLiteral("ДатаПоступило=") + Day(day)
                     : QStringLiteral("ДатаСписано=") + Day(day),
            QStringLiteral("КонецДокумента")};
}

// A year of the main account: 30 000 of its orders executed on their days, 15 000 incoming
// payments and 5 000 bank fees, with one balance section a day.
QByteArray YearStatement() {
    const CRequisiteArray payers = Books(kPayersKind);
    const CRequisiteArray recipients = Books(kRecipientsKind);
    const QString account = payers[0].m_strAccount1;
    std::vector<QList<OrderRow>> executed(kDays);
    int count = 0;
    for (int i = 0; i < kOrders && count < 30000; ++i) {
        if (i % 10 < 6 && i % 2 == 0) {
            executed[size_t(DayOf(i))].append(Order(i));
            ++count;
        }
    }
    QStringList head = {QStringLiteral("1CClientBankExchange"),
                        QStringLiteral("ВерсияФормата=1.03"),
                        QStringLiteral("Кодировка=Windows"),
                        QStringLiteral("Отправитель=Банк-Клиент"),
                        QStringLiteral("ДатаНачала=") + Day(WorkingDay(0)),
                        QStringLiteral("ДатаКонца=") + Day(WorkingDay(kDays - 1)),
                        QStringLiteral("РасчСчет=") + account};
    QStringList balances;
    QStringList documents;
    qint64 balance = Q_INT64_C(10000000000000);
    for (int day = 0; day < kDays; ++day) {
        const QDate date = WorkingDay(day);
        qint64 debited = 0;
        qint64 credited = 0;
        for (const OrderRow& row : executed[size_t(day)]) {
            qint64 kopecks = 0;
            OrderAmount::ParseKopecks(row[kColumnAmount], &kopecks);
            debited += kopecks;
        }
        documents += ExecutedSections(executed[size_t(day)], payers, recipients);
        for (int k = 0; k < 60; ++k) {
            const qint64 kopecks = 500000 + k * 1234;
            credited += kopecks;
            documents += OtherDocument(QStringLiteral("Платежное поручение"), k + 1, date, kopecks,
                                       Digits(40702810, 12, 900000 + k), account, true);
        }
        for (int k = 0; k < 20; ++k) {
            const qint64 kopecks = 1500 + k;
            debited += kopecks;
            documents += OtherDocument(QStringLiteral("Банковский ордер"), 90000 + k, date, kopecks,
                                       account, QStringLiteral("70601810000000012345"), false);
        }
        balances << QStringLiteral("СекцияРасчСчет") << QStringLiteral("ДатаНачала=") + Day(date)
                 << QStringLiteral("ДатаКонца=") + Day(date)
                 << QStringLiteral("РасчСчет=") + account
                 << QStringLiteral("НачальныйОстаток=") + OrderAmount::ExchangeText(balance)
                 << QStringLiteral("ВсегоПоступило=") + OrderAmount::ExchangeText(credited)
                 << QStringLiteral("ВсегоСписано=") + OrderAmount::ExchangeText(debited);
        balance += credited - debited;
        balances << QStringLiteral("КонечныйОстаток=") + OrderAmount::ExchangeText(balance)
                 << QStringLiteral("КонецРасчСчет");
    }
    return FileBytes(head + balances + documents + QStringList{QStringLiteral("КонецФайла")});
}

bool WriteBooksAndOrders() {
    for (int nKind : {kPayersKind, kRecipientsKind}) {
        QStringList lines;
        for (const CRequisite& record : Books(nKind)) {
            lines << record.m_strName << record.m_strBank << record.m_strBik << record.m_strInnKpp
                  << record.m_strAccount1 << record.m_strAccount2;
        }
        if (!WriteFile(RequisitesFile::FileName(nKind), FileBytes(lines))) {
            return false;
        }
    }
    if (!QDir().mkpath(QStringLiteral("Vemo"))) {
        return false;
    }
    for (int i = 0; i < kOrders; ++i) {
        if (!WriteFile(OrderFiles::FileName(i + 1), FileBytes(Order(i).Lines()))) {
            return false;
        }
    }
    return true;
}

// The year's archive and the bank's files it leaves: every order sent in one of 50 exports, and
// 12 monthly statements of all the accounts showing nine orders in ten executed.
bool WriteKeptYear() {
    if (!WriteBooksAndOrders()) {
        return false;
    }
    const WorkingFolder folder{QDir(QDir::currentPath())};
    const CRequisiteArray payers = Books(kPayersKind);
    const CRequisiteArray recipients = Books(kRecipientsKind);
    const QList<OrderRow> orders = Orders();
    const int perExport = kOrders / kExports;
    for (int e = 0; e < kExports; ++e) {
        const QDateTime now(WorkingDay(DayOf(e * perExport + perExport - 1)), QTime(17, 0, e));
        const BankExport::Result exported =
            BankExport::Compose(orders.mid(e * perExport, perExport), payers, recipients,
                                QStringLiteral("bench"), QString(), now);
        if (!KeptFiles::Keep(folder, KeptFiles::Kind::Export, BankExport::FileBytes(exported.lines),
                             now)
                 .kept) {
            return false;
        }
    }
    for (int month = 1; month <= 12; ++month) {
        QList<OrderRow> executed;
        for (int i = 0; i < kOrders; ++i) {
            if (i % 10 != 9 && WorkingDay(DayOf(i)).month() == month) {
                executed.append(orders[i]);
            }
        }
        const QDate first(2026, month, 1);
        QStringList lines = {
            QStringLiteral("1CClientBankExchange"), QStringLiteral("ВерсияФормата=1.03"),
            QStringLiteral("Кодировка=Windows"), QStringLiteral("ДатаНачала=") + Day(first),
            QStringLiteral("ДатаКонца=") + Day(first.addMonths(1).addDays(-1))};
        for (const CRequisite& payer : payers) {
            lines << QStringLiteral("РасчСчет=") + payer.m_strAccount1;
        }
        lines += ExecutedSections(executed, payers, recipients);
        lines << QStringLiteral("КонецФайла");
        const QDateTime now(first.addMonths(1), QTime(9, 0));
        if (!KeptFiles::Keep(folder, KeptFiles::Kind::Statement, FileBytes(lines), now).kept) {
            return false;
        }
    }
    return true;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

double Time(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

void MeasureImport(const QString& path) {
    const CRequisiteArray payers = Books(kPayersKind);
    const CRequisiteArray recipients = Books(kRecipientsKind);
    const QList<OrderRow> orders = Orders();
    std::vector<double> floors, reads, matches, parties;
    QByteArray bytes;
    ExchangeFile file;
    StatementReport report;
    qsizetype found = 0;
    QString reason;
    for (int run = 0; run < kRuns; ++run) {
        floors.push_back(Time([&] { RegularFile::Read(path, &bytes); }));
        reads.push_back(Time([&] { ExchangeFile::Read(bytes, &file, &reason); }));
        if (!reason.isEmpty()) {
            std::fprintf(stderr, "bench_statement: the statement is refused: %s\n",
                         qPrintable(reason));
            return;
        }
        matches.push_back(
            Time([&] { report = StatementReport::Of(file, orders, payers, recipients); }));
        parties.push_back(Time([&] {
            found = StatementParty::Of(file, report, payers, recipients, BikDirectory()).size();
        }));
    }
    const double total = Median(floors) + Median(reads) + Median(matches) + Median(parties);
    std::printf(
        "statement of %lld documents in %lld sections (%.1f MB), median of %d: floor (read its "
        "bytes) %6.1f ms | read %6.1f ms | matched with %d orders %6.1f ms (%lld answered) | "
        "new parties %6.1f ms (%lld) | import %6.1f ms = %.1f x floor (goal < 1000 ms)\n",
        qlonglong(file.Documents().size()), qlonglong(file.Balances().size()), bytes.size() / 1e6,
        kRuns, Median(floors), Median(reads), kOrders, Median(matches),
        qlonglong(report.answers.size()), Median(parties), qlonglong(found), total,
        total / Median(floors));
}

void MeasureStates(const QString& path) {
    const WorkingFolder folder{QDir(path)};
    const QDate today(2027, 1, 15);
    const qsizetype kept = KeptFiles::List(folder).size();
    QFile::remove(KeptSummaries::CachePath(folder));
    const double uncached = Time([&] { KeptSummaries::Read(folder); });
    std::vector<double> opens, summaries, computes;
    qsizetype executed = 0;
    for (int run = 0; run < kRuns; ++run) {
        AddressBooks books;
        StoredOrders orders;
        opens.push_back(Time([&] {
            books = folder.ReadBooks();
            orders = folder.ReadOrders();
        }));
        KeptSummaries read;
        summaries.push_back(Time([&] { read = KeptSummaries::Read(folder); }));
        computes.push_back(Time([&] {
            const QList<OrderStates::State> states = OrderStates::Compute(
                orders.rows, books.payers.Records(), books.recipients.Records(), read, today);
            executed =
                std::count_if(states.begin(), states.end(), [](const OrderStates::State& state) {
                    return state.stage == OrderStates::Stage::Executed;
                });
        }));
    }
    const double open = Median(opens);
    const double states = Median(summaries) + Median(computes);
    std::printf(
        "%d orders with %lld kept files, median of %d: archive read with none kept (floor) "
        "%7.1f ms | kept files summed up %6.1f ms from the cache (%7.1f ms reading them "
        "without) | states computed %6.1f ms (%lld executed) | together %.2f x floor "
        "(goal <= 1.2)\n",
        kOrders, qlonglong(kept), kRuns, open, Median(summaries), uncached, Median(computes),
        qlonglong(executed), (open + states) / open);
}

// Opening the orders archive as the user does, until it is painted: with the kept files, and with
// none (the folder of kept files put aside meanwhile).
void MeasureArchiveOpening(const QString& path) {
    const WorkingFolder folder{QDir(path)};
    const QString kept = folder.PathOf(QString::fromLatin1(KeptFiles::kFolder));
    const QString aside = kept + QStringLiteral(".aside");
    const auto open = [&folder] {
        CVemoDoc doc;
        COrderArchiveDlg archive(doc, folder);
        archive.show();
        QCoreApplication::processEvents();
        archive.grab();  // paints the dialog and the visible rows once
    };
    open();  // the files in the page cache and the summaries in theirs, for both sides
    std::vector<double> none, withKept;
    for (int run = 0; run < kRuns; ++run) {
        if (!QDir().rename(kept, aside)) {
            std::fprintf(stderr, "bench_statement: cannot put %s aside\n", qPrintable(kept));
            return;
        }
        none.push_back(Time(open));
        QDir().rename(aside, kept);
        withKept.push_back(Time(open));
    }
    std::printf(
        "%d orders, open and show the archive, median of %d: with nothing kept %7.1f ms | with "
        "%lld kept files (50 exports, 12 statements) %7.1f ms = %.2f x (goal <= 1.2)\n",
        kOrders, kRuns, Median(none), qlonglong(KeptFiles::List(folder).size()), Median(withKept),
        Median(withKept) / Median(none));
}

// The memory this process holds now, in megabytes.
double ResidentMegabytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QList<QByteArray> pages = statm.readAll().split(' ');
    return pages.value(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

// vemo --export of the year's orders, every one of them again, into files of a folder of its own:
// the process's peak memory beside the bytes it wrote. The copies the export keeps are taken
// out of the data set again. A child starts as a copy of this process, whose memory counts in
// its peak until it runs vemo: this runs first, while the bench holds little, and says how much.
void MeasureExportMemory(const QString& path) {
    const double ownMegabytes = ResidentMegabytes();
    const WorkingFolder folder{QDir(path)};
    QStringList keptBefore;
    for (const KeptFiles::KeptFile& kept : KeptFiles::List(folder)) {
        keptBefore.append(kept.name);
    }
    QTemporaryDir out;
    QElapsedTimer timer;
    timer.start();
    const int exitCode =
        QProcess::execute(QCoreApplication::applicationDirPath() + QStringLiteral("/../vemo"),
                          {QStringLiteral("--export"), out.filePath(QStringLiteral("export.txt")),
                           QStringLiteral("--resend"), QStringLiteral("--folder"), path});
    const double seconds = timer.nsecsElapsed() / 1e9;
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    qint64 written = 0;
    for (const QFileInfo& file : QDir(out.path()).entryInfoList(QDir::Files)) {
        written += file.size();
    }
    for (const KeptFiles::KeptFile& kept : KeptFiles::List(folder)) {
        if (!keptBefore.contains(kept.name)) {
            QFile::remove(folder.PathOf(kept.name));
        }
    }
    const double megabytes = written / 1048576.0;
    const double peak = usage.ru_maxrss / 1024.0;
    std::printf(
        "vemo --export of %d orders (exit %d) %5.1f s: %.1f MB written, peak memory %.1f MB = "
        "%.2f x the files (goal <= 2; the bench held %.1f MB as it started it)\n",
        kOrders, exitCode, seconds, megabytes, peak, peak / megabytes, ownMegabytes);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    MessageBoxes::Log log;  // no box may stop the clock
    MessageBoxes::SetTestLog(&log);
    // The summaries' cache beside the data sets, never in the user's own cache.
    qputenv("XDG_CACHE_HOME", QFile::encodeName(DataRoot() + QStringLiteral("/cache")));
    const QString statement = DataRoot() + QStringLiteral("/statement-year");
    const QString year = DataRoot() + QStringLiteral("/kept-year");
    if (!EnsureDataSet(statement,
                       [] { return WriteFile(QStringLiteral("kl_to_1c.txt"), YearStatement()); }) ||
        !EnsureDataSet(year, WriteKeptYear)) {
        std::fprintf(stderr, "bench_statement: cannot write the data sets\n");
        return 1;
    }
    MeasureExportMemory(year);
    MeasureImport(statement + QStringLiteral("/kl_to_1c.txt"));
    MeasureStates(year);
    MeasureArchiveOpening(year);
    return 0;
}
