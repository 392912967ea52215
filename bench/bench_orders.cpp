// Times opening the payment orders archive against the floor of merely reading its files, for an
// archive of the old size (1 199 orders) and a large one (100 000), with the memory the rows
// take; and the lookup of two names in address books of 10 and 10 000 records.
//
// The data sets are made once under the build folder and reused: a marker file written after the
// last file says a set is complete.
#include <dirent.h>
#include <fcntl.h>
#include <malloc.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CVemoApp.h"
#include "common/Cp1251.h"
#include "form/CVemoDoc.h"
#include "orders/OrderFiles.h"
#include "orders/OrderTexts.h"
#include "orderwindows/COrderArchiveDlg.h"
#include "orderwindows/COrderListModel.h"
#include "requisites/RequisitesFile.h"
#include "widgets/MessageBoxes.h"

namespace {

constexpr int kRuns = 5;
// Bumped when the generated files change, so that old sets are made anew.
const QByteArray kDataVersion = "2";
const QString kMarker = QStringLiteral("complete");

QString DataRoot() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/data");
}

// Makes the set in the folder with the writer unless a complete one is there; true when there
// is one afterwards.
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

OrderRow SampleOrder(int number, const QString& payer, const QString& recipient) {
    OrderRow row;
    row[kColumnNumber] = OrderTexts::NumberText(number);
    row[kColumnDate] = OrderTexts::DateText(QDate(2001, 1 + number % 12, 1 + number % 28));
    row[kColumnPayer] = payer;
    row[kColumnRecipient] = recipient;
    row[kColumnAmount] = QString::number(number * 17.25, 'f', 2);
    row[kColumnBasis] =
        QStringLiteral("Оплата по счету № %1 за поставку товара, в т.ч. НДС 20%").arg(number);
    row[kColumnPaymentKind] = QStringLiteral("01");
    row[kColumnPaymentTerm] = QStringLiteral("5");
    row[kColumnPriority] = QStringLiteral("6");
    row[kColumnPaymentType] = QStringLiteral("почтой");
    return row;
}

QByteArray FileBytes(const QStringList& lines) {
    return Cp1251::Encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// Order files as the program writes them. Plain writes: the program's own atomic write syncs
// every file to disk, which would make setting up 100 000 files take minutes.
bool WriteArchive(int count) {
    if (!QDir().mkpath(QStringLiteral("Vemo"))) {
        return false;
    }
    for (int number = 1; number <= count; ++number) {
        const OrderRow row =
            SampleOrder(number, QStringLiteral("ООО \"Ромашка\" %1").arg(number % 50),
                        QStringLiteral("ЗАО \"Лютик\" %1").arg(number % 70));
        if (!WriteFile(OrderFiles::FileName(number), FileBytes(row.Lines()))) {
            return false;
        }
    }
    return true;
}

QString PartyName(const QString& kind, int index) {
    return QStringLiteral("%1 \"Контрагент\" № %2").arg(kind).arg(index);
}

// Two address books of the size and one order whose parties are the last records of each, so
// that a lookup has to pass every record before.
bool WriteBooks(int records) {
    for (int nKind : {RequisitesFile::kPayersKind, RequisitesFile::kRecipientsKind}) {
        const QString kind = nKind == RequisitesFile::kPayersKind ? "ООО" : "ЗАО";
        QStringList lines;
        for (int i = 1; i <= records; ++i) {
            lines << PartyName(kind, i) << QStringLiteral("ПАО Сбербанк г. Москва")
                  << QStringLiteral("044525225") << QStringLiteral("7707083893/773601001")
                  << QStringLiteral("40702810938000012345")
                  << QStringLiteral("30101810400000000225");
        }
        if (!WriteFile(RequisitesFile::FileName(nKind), FileBytes(lines))) {
            return false;
        }
    }
    const OrderRow row = SampleOrder(1, PartyName("ООО", records), PartyName("ЗАО", records));
    return QDir().mkpath(QStringLiteral("Vemo")) &&
           WriteFile(OrderFiles::FileName(1), FileBytes(row.Lines()));
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

double Milliseconds(const QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e6;
}

double Time(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return Milliseconds(timer);
}

// The floor: list the folder and read every file (open, read to the end, close) in a plain loop.
qint64 ReadEveryFile() {
    qint64 total = 0;
    DIR* dir = opendir("Vemo");
    if (!dir) {
        return -1;
    }
    std::vector<char> buffer(64 * 1024);
    std::string path;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') {
            continue;
        }
        path.assign("Vemo/");
        path += entry->d_name;
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        ssize_t got;
        while ((got = read(fd, buffer.data(), buffer.size())) > 0) {
            total += got;
        }
        close(fd);
    }
    closedir(dir);
    return total;
}

// Opening the archive's rows: the files read and the list model filled.
int OpenRows() {
    COrderListModel model;
    QStringList files;
    QList<OrderRow> rows = OrderFiles::LoadOrders(nullptr, &files);
    model.SetRows(std::move(rows), std::move(files));
    return model.rowCount();
}

// Runs the work with the process held to one processor, as on a one-core machine.
void OnOneCore(const std::function<void()>& work) {
    cpu_set_t all;
    sched_getaffinity(0, sizeof(all), &all);
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(sched_getcpu(), &one);
    sched_setaffinity(0, sizeof(one), &one);
    work();
    sched_setaffinity(0, sizeof(all), &all);
}

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

qint64 HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
}

// Memory of the rows of an archive: the peak growth of the process while loading, and the heap
// the loaded rows keep. Run before anything else large, so that the peak is the load's own.
void MeasureMemory(const QString& folder, int count) {
    QDir::setCurrent(folder);
    const long peakBefore = PeakKilobytes();
    const qint64 heapBefore = HeapInUse();
    const QList<OrderRow> rows = OrderFiles::LoadOrders();
    const qint64 kept = HeapInUse() - heapBefore;
    const long peak = PeakKilobytes() - peakBefore;
    std::printf(
        "%7d orders: rows keep %.2f KB per order on the heap; peak memory grew %.2f KB "
        "per order (goal <= 0.6)\n",
        count, kept / 1024.0 / rows.size(), double(peak) / count);
}

// Watches an archive opened from the menu: the moment its list of orders is first painted, and the
// moment after that when the window has nothing left to do, where it closes the archive again.
class OpeningWatch : public QObject {
public:
    explicit OpeningWatch(const QElapsedTimer& clock) : m_clock(clock) {}
    double painted = -1;
    double answering = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || painted >= 0 || !watched->parent() ||
            watched->parent()->objectName() != QStringLiteral("orders")) {
            return false;
        }
        painted = Milliseconds(m_clock);
        // Runs once the paint and every event queued before it are done.
        QTimer::singleShot(0, [this] {
            answering = Milliseconds(m_clock);
            if (auto* archive = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                archive->reject();
            }
        });
        return false;
    }

private:
    const QElapsedTimer& m_clock;
};

QAction* MenuItem(QMenuBar* bar, const QString& text) {
    for (QAction* menu : bar->actions()) {
        for (QAction* item : menu->menu() ? menu->menu()->actions() : QList<QAction*>()) {
            if (item->text() == text) {
                return item;
            }
        }
    }
    return nullptr;
}

// The user's road to the archive: Архив → Платежные поручения in the main window, up to the list
// painted and the window answering, with all the real window does on the way (a rename left to
// finish, the orders' states, the remembered size and column widths, the row icons, the payments
// due); the first opening remembers the settings the others find.
void MeasureOpeningFromTheMenu(const QString& folder, int count, double floor) {
    QDir::setCurrent(folder);
    CVemoApp vemo;
    vemo.InitInstance();
    QCoreApplication::processEvents();
    QAction* item = MenuItem(vemo.MainFrame()->menuBar(), QStringLiteral("&Платежные поручения"));
    std::vector<double> painted, answering;
    for (int run = 0; run <= kRuns; ++run) {
        QElapsedTimer clock;
        OpeningWatch watch(clock);
        qApp->installEventFilter(&watch);
        clock.start();
        item->trigger();  // back once the archive is closed
        qApp->removeEventFilter(&watch);
        QCoreApplication::processEvents();
        if (run > 0) {
            painted.push_back(watch.painted);
            answering.push_back(watch.answering);
        }
    }
    std::printf(
        "%7d orders, median of %d: from the menu to the list painted %7.1f ms, to the window "
        "answering %7.1f ms = %.2f x floor (goal <= 1.2)\n",
        count, kRuns, Median(painted), Median(answering), Median(answering) / floor);
}

double MeasureOpening(const QString& folder, int count) {
    QDir::setCurrent(folder);
    ReadEveryFile();  // the same files in the page cache for both sides
    std::vector<double> floors, loads, oneCore, dialogs;
    int rows = 0;
    for (int run = 0; run < kRuns; ++run) {
        floors.push_back(Time([] { ReadEveryFile(); }));
        loads.push_back(Time([&] { rows = OpenRows(); }));
        OnOneCore([&] { oneCore.push_back(Time([&] { OpenRows(); })); });
        dialogs.push_back(Time([] {
            CVemoDoc doc;
            COrderArchiveDlg archive(doc, WorkingFolder());
            archive.show();
            QCoreApplication::processEvents();
            archive.grab();  // paints the dialog and the visible rows once
        }));
        QCoreApplication::processEvents();
    }
    const double floor = Median(floors);
    std::printf(
        "%7d orders (%d listed), median of %d: floor (list and read every file) %7.1f ms"
        " | load into the list model %7.1f ms = %.2f x floor | on one core %7.1f ms = "
        "%.2f x floor | open and show the archive %7.1f ms\n",
        count, rows, kRuns, floor, Median(loads), Median(loads) / floor, Median(oneCore),
        Median(oneCore) / floor, Median(dialogs));
    return floor;
}

// The heap an open archive keeps for its orders: the list model, the sorted and searched view
// of it and the list's own rows, once the window is shown.
void MeasureArchiveMemory(const QString& folder, int count) {
    QDir::setCurrent(folder);
    const qint64 before = HeapInUse();
    CVemoDoc doc;
    COrderArchiveDlg archive(doc, WorkingFolder());
    archive.show();
    QCoreApplication::processEvents();
    archive.grab();
    const qint64 kept = HeapInUse() - before;
    std::printf("%7d orders: the open archive keeps %.2f KB per order on the heap\n", count,
                kept / 1024.0 / count);
}

// Lets the list finish what a change left for later (its layout) and paints it, as the user
// sees the change.
void Settle(QTreeView* list) {
    QCoreApplication::processEvents();
    list->viewport()->repaint();
}

void PressKey(QWidget* widget, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

// Finding an order in an open archive, each figure the median of several runs until the list is
// painted again: sorting by each column as a header click does (alternately down and up), and a
// search typed key by key, the list sorted by payer, then cleared.
void MeasureFinding(const QString& folder, int count) {
    QDir::setCurrent(folder);
    CVemoDoc doc;
    COrderArchiveDlg archive(doc, WorkingFolder());
    auto* list = archive.findChild<QTreeView*>(QStringLiteral("orders"));
    auto* search = archive.findChild<QLineEdit*>(QStringLiteral("search"));
    archive.show();
    Settle(list);
    for (int column = 0; column < kOrderColumnCount; ++column) {
        std::vector<double> times;
        for (int run = 0; run < kRuns; ++run) {
            const Qt::SortOrder order = run % 2 ? Qt::AscendingOrder : Qt::DescendingOrder;
            times.push_back(Time([&] {
                list->sortByColumn(column, order);
                Settle(list);
            }));
        }
        std::printf(
            "%7d orders open, sorted by %s %7.1f ms (goal <= 100)\n", count,
            qPrintable(
                (COrderListModel::ColumnCaption(column) + QLatin1Char(':')).leftJustified(21)),
            Median(times));
    }
    list->sortByColumn(kColumnPayer, Qt::AscendingOrder);
    Settle(list);
    search->setFocus();
    const QString typed = QStringLiteral("172");
    std::vector<std::vector<double>> keys(size_t(typed.size()));
    std::vector<double> clears;
    for (int run = 0; run < kRuns; ++run) {
        for (int i = 0; i < typed.size(); ++i) {
            keys[size_t(i)].push_back(Time([&] {
                PressKey(search, Qt::Key_0 + typed[i].digitValue(), typed.mid(i, 1));
                Settle(list);
            }));
        }
        clears.push_back(Time([&] {
            search->clear();
            Settle(list);
        }));
    }
    const int shown = list->model()->rowCount();
    for (int i = 0; i < typed.size(); ++i) {
        std::printf("%7d orders open, sorted by payer, keystroke %d of \"%s\"%s %7.1f ms%s\n",
                    count, i + 1, qPrintable(typed), i == 0 ? " (all orders looked at):" : ":",
                    Median(keys[size_t(i)]), i == 0 ? "" : " (goal <= 16, it narrows)");
    }
    std::printf(
        "%7d orders open, sorted by payer, search cleared: %7.1f ms (goal <= 16), %d shown\n",
        count, Median(clears), shown);
}

// Both parties looked up as the transfer of an order needs them; the number found.
int FindBothByReading() {
    int found = 0;
    for (int nKind : {RequisitesFile::kPayersKind, RequisitesFile::kRecipientsKind}) {
        CRequisiteArray records;
        RequisitesFile::Read(RequisitesFile::FileName(nKind), &records);
        const QString name = records.isEmpty() ? QString() : records.constLast().m_strName;
        found += std::any_of(records.cbegin(), records.cend(),
                             [&](const CRequisite& record) { return record.m_strName == name; });
    }
    return found;
}

void FindBothByName(const QString& payer, const QString& recipient) {
    CRequisite record;
    bool found = false;
    RequisitesFile::FindByName(RequisitesFile::FileName(RequisitesFile::kPayersKind), payer,
                               &record, &found);
    RequisitesFile::FindByName(RequisitesFile::FileName(RequisitesFile::kRecipientsKind), recipient,
                               &record, &found);
}

struct LookupTimes {
    double read = 0;
    double find = 0;
    double pdf = 0;
};

LookupTimes MeasureLookup(const QString& folder, int records) {
    QDir::setCurrent(folder);
    const QString payer = PartyName("ООО", records);
    const QString recipient = PartyName("ЗАО", records);
    std::vector<double> reads, finds, pdfs;
    const QString vemo = QCoreApplication::applicationDirPath() + QStringLiteral("/../vemo");
    QTemporaryDir out;
    for (int run = 0; run < kRuns; ++run) {
        reads.push_back(Time([] { FindBothByReading(); }));
        finds.push_back(Time([&] { FindBothByName(payer, recipient); }));
        pdfs.push_back(Time([&] {
            QProcess::execute(vemo, {QStringLiteral("--pdf"), out.filePath("order.pdf"),
                                     QStringLiteral("--order"), QStringLiteral("1")});
        }));
    }
    return {Median(reads), Median(finds), Median(pdfs)};
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    MessageBoxes::Log log;  // no box may stop the clock
    MessageBoxes::SetTestLog(&log);

    const QList<int> archiveSizes = {1199, 100000};
    const QList<int> bookSizes = {10, 10000};
    for (int count : archiveSizes) {
        if (!EnsureDataSet(DataRoot() + QStringLiteral("/orders-%1").arg(count),
                           [count] { return WriteArchive(count); })) {
            std::fprintf(stderr, "bench_orders: cannot write %d order files\n", count);
            return 1;
        }
    }
    for (int records : bookSizes) {
        if (!EnsureDataSet(DataRoot() + QStringLiteral("/books-%1").arg(records),
                           [records] { return WriteBooks(records); })) {
            std::fprintf(stderr, "bench_orders: cannot write books of %d records\n", records);
            return 1;
        }
    }

    // "bench_orders opening" times the archive's opening alone, as when looking for its costs.
    if (app.arguments().value(1) == QStringLiteral("opening")) {
        const QString folder = DataRoot() + QStringLiteral("/orders-100000");
        MeasureOpeningFromTheMenu(folder, 100000, MeasureOpening(folder, 100000));
        return 0;
    }
    MeasureMemory(DataRoot() + QStringLiteral("/orders-100000"), 100000);
    MeasureArchiveMemory(DataRoot() + QStringLiteral("/orders-100000"), 100000);
    for (int count : archiveSizes) {
        const QString folder = DataRoot() + QStringLiteral("/orders-%1").arg(count);
        MeasureOpeningFromTheMenu(folder, count, MeasureOpening(folder, count));
    }
    for (int count : archiveSizes) {
        MeasureFinding(DataRoot() + QStringLiteral("/orders-%1").arg(count), count);
    }

    const LookupTimes small = MeasureLookup(DataRoot() + QStringLiteral("/books-10"), 10);
    const LookupTimes large = MeasureLookup(DataRoot() + QStringLiteral("/books-10000"), 10000);
    std::printf("both parties looked up, books of 10 | 10 000 records, median of %d:\n", kRuns);
    std::printf("  read the books whole  %8.3f ms | %8.3f ms\n", small.read, large.read);
    std::printf("  find by name          %8.3f ms | %8.3f ms\n", small.find, large.find);
    std::printf("  vemo --pdf --order 1  %8.1f ms | %8.1f ms = %.2f x (goal <= 1.2)\n", small.pdf,
                large.pdf, large.pdf / small.pdf);
    return 0;
}
