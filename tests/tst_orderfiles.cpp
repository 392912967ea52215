// Order files and the texts of an order: names, format, listing, numbers and dates.
#include <QtTest>
#include <algorithm>
#include <limits>
#include <memory>

#include "FileSizeLimit.h"
#include "TestEnvironment.h"
#include "TestFolder.h"
#include "TestTrash.h"
#include "common/Cp1251.h"
#include "common/DesktopTrash.h"
#include "common/LineFile.h"
#include "orders/OrderFiles.h"
#include "orders/OrderTexts.h"

namespace {

constexpr int kIntMax = std::numeric_limits<int>::max();
constexpr int kIntMin = std::numeric_limits<int>::min();

OrderRow Row(int number, const QString& basis = QStringLiteral("Оплата по счету № 15")) {
    OrderRow row;
    row[kColumnNumber] = OrderTexts::NumberText(number);
    row[kColumnDate] = OrderTexts::DateText(QDate(2001, 3, 5));
    row[kColumnPayer] = QStringLiteral("ООО Ромашка");
    row[kColumnRecipient] = QStringLiteral("ЗАО Лютик");
    row[kColumnAmount] = QStringLiteral("1234.56");
    row[kColumnBasis] = basis;
    row[kColumnPaymentKind] = QStringLiteral("01");
    row[kColumnPaymentTerm] = QStringLiteral("5");
    row[kColumnPriority] = QStringLiteral("6");
    row[kColumnPaymentType] = QStringLiteral("почтой");
    return row;
}

QStringList Numbers(const QList<OrderRow>& rows) {
    QStringList numbers;
    for (const OrderRow& row : rows) {
        numbers.append(row[kColumnNumber]);
    }
    return numbers;
}

bool FailEveryWrite(const QString&) {
    return true;
}

// The rows of the named order files as the program's line reader gives them, one file after
// another: what the archive must list, whatever way it reads.
QList<OrderRow> ReadLineByLine(const QStringList& names) {
    QList<OrderRow> rows;
    for (const QString& name : names) {
        QStringList lines;
        if (LineFile::Read("Vemo/" + name, &lines) == LineFile::ReadResult::Ok) {
            rows.append(OrderRow::FromLines(lines));
        }
    }
    return rows;
}

QByteArray EveryByteButLineFeed() {
    QByteArray bytes;
    for (int byte = 0; byte < 256; ++byte) {
        if (byte != '\n') {
            bytes += char(byte);
        }
    }
    return bytes;
}

using NamedBytes = QMap<QString, QByteArray>;

// What the desktop looks like when an order is deleted.
enum class TrashSetting {
    Usable,           // a data folder, the trash made when needed
    NameTaken,        // an earlier vemo.12 in the trash
    FileWithoutInfo,  // files/vemo.12 left without its info file by another program
    AllNamesTaken,    // every name the trash would try is taken
    FileAsTrash,      // a plain file where the trash folder belongs
    FileAsInfo,       // a plain file where the trash's info folder belongs
    NoDataFolder,     // a home without ~/.local/share
    FullDisk,         // no byte of the info file can be written
    OrderIsALink,     // the order file is a link to a file outside the working folder
    OthersTrash,      // the trash belongs to another user, and the program may not write into it
    OddFolderName,    // the order's folder is named with a blank, letters and "%41", escaped in
                      // the trash's record of it
    TrashIsALink,     // the trash is a link to a folder elsewhere, as another user would plant it
    FilesIsALink,     // the trash's files/ folder is such a link
    InfoIsALink,      // the trash's info/ folder is such a link
    TrashOfNobody,    // the trash is a folder that another user owns (and the program may write in)
};

// Where a trash that is a link leads: a folder of files/ and info/ that is not the user's trash.
QString Elsewhere() {
    return QDir::homePath() + "/elsewhere";
}

// The user the program runs as for OthersTrash: nobody, whom the root-owned trash refuses.
constexpr uid_t kOtherUser = 65534;

// Lets kOtherUser into the folders of the test (made for root alone).
bool OpenTo(const QString& path, QFile::Permissions permissions) {
    return QFile::setPermissions(path, permissions);
}

// Makes a file with the bytes, and the folders on its way.
bool Put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The trash as it stands before the delete.
bool PrepareTrash(TrashSetting setting, const TestTrash& trash) {
    const QString folder = TestTrash::Folder();
    switch (setting) {
        case TrashSetting::NameTaken:
            return Put(folder + "/files/vemo.12", "earlier") &&
                   Put(folder + "/info/vemo.12.trashinfo", "[Trash Info]\nPath=/x/vemo.12\n");
        case TrashSetting::FileWithoutInfo:
            return Put(folder + "/files/vemo.12", "left");
        case TrashSetting::AllNamesTaken:
            for (int n = 1; n <= 100; ++n) {
                const QString name = n == 1 ? "vemo.12" : "vemo.12." + QString::number(n);
                if (!Put(folder + "/info/" + name + ".trashinfo", "[Trash Info]\n")) {
                    return false;
                }
            }
            return QDir().mkpath(folder + "/files");
        case TrashSetting::FileAsTrash:
            return trash.Block();
        case TrashSetting::FileAsInfo:
            return QDir().mkpath(folder + "/files") && Put(folder + "/info", "not a folder");
        case TrashSetting::OthersTrash: {
            const auto all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                             QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
            const auto enter = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                               QFile::ReadOther | QFile::ExeOther;
            return QDir().mkpath(folder + "/files") && QDir().mkpath(folder + "/info") &&
                   OpenTo(QDir::currentPath(), all) && OpenTo("Vemo", all) &&
                   OpenTo(QDir::homePath(), enter);
        }
        case TrashSetting::TrashIsALink:
            return QDir().mkpath(Elsewhere() + "/files") && QDir().mkpath(Elsewhere() + "/info") &&
                   QFile::link(Elsewhere(), folder);
        case TrashSetting::FilesIsALink:
            return QDir().mkpath(Elsewhere() + "/files") && QDir().mkpath(folder + "/info") &&
                   QFile::link(Elsewhere() + "/files", folder + "/files");
        case TrashSetting::InfoIsALink:
            return QDir().mkpath(Elsewhere() + "/info") && QDir().mkpath(folder + "/files") &&
                   QFile::link(Elsewhere() + "/info", folder + "/info");
        case TrashSetting::TrashOfNobody:
            return QDir().mkpath(folder + "/files") && QDir().mkpath(folder + "/info") &&
                   chown(QFile::encodeName(folder).constData(), kOtherUser, kOtherUser) == 0;
        default:
            return true;
    }
}

// What an info file says about one of the trash's files: Path and DeletionDate.
QString InfoValue(const QByteArray& info, const QByteArray& key) {
    for (const QByteArray& line : info.split('\n')) {
        if (line.startsWith(key + '=')) {
            return QFile::decodeName(QByteArray::fromPercentEncoding(line.mid(key.size() + 1)));
        }
    }
    return QStringLiteral("<no %1>").arg(QString::fromLatin1(key));
}

}  // namespace

class TestOrderFiles : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void numberText_data();
    void numberText();
    void dateText_data();
    void dateText();
    void numberFromText_data();
    void numberFromText();
    void wholeNumber_data();
    void wholeNumber();
    void writtenDate_data();
    void writtenDate();
    void dateFromText_data();
    void dateFromText();

    void writesTenCrLfLinesInCodePage1251();
    void fileNameTakesTheNumberWithoutBlanks_data();
    void fileNameTakesTheNumberWithoutBlanks();
    void fileComesBackByteForByte_data();
    void fileComesBackByteForByte();
    void readsShortAndLongFiles_data();
    void readsShortAndLongFiles();
    void listsEveryNumberedFileInNumberOrder();
    void numberComesFromTheFirstLine();
    void longFieldsAreKeptWhole();
    void loadsAsLineByLineReadingDoes_data();
    void loadsAsLineByLineReadingDoes();
    void manyFilesKeepTheirOrder();
    void loadedFieldsAreIndependentValues();
    void failedWriteKeepsTheOldFile();
    void fullDiskKeepsTheOrder_data();
    void fullDiskKeepsTheOrder();
    void removesAnOrderFileIntoTheTrash();
    void removesForGoodWithoutATrash();
    void removalLeavesNothingStray_data();
    void removalLeavesNothingStray();
    void fullTrashGivesUpTheOldestCopy_data();
    void fullTrashGivesUpTheOldestCopy();
    void anythingAtTheNameExists();
    void namesUnreadableFiles_data();
    void namesUnreadableFiles();

private:
    std::unique_ptr<TestFolder> m_folder;
    std::unique_ptr<TestTrash> m_trash;
};

void TestOrderFiles::init() {
    LineFile::g_pWriteFault = nullptr;
    m_folder.reset();
    m_folder = std::make_unique<TestFolder>(TestFolder::Files{{"Vemo/", {}}});
    QVERIFY(m_folder->isValid());
    m_trash = std::make_unique<TestTrash>();
    QVERIFY(m_trash->SharesVolumeWith(m_folder->Path()));
}

void TestOrderFiles::cleanup() {
    LineFile::g_pWriteFault = nullptr;
    m_folder.reset();
    m_trash.reset();
}

void TestOrderFiles::numberText_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("one digit") << 7 << "   7";
    QTest::newRow("two digits") << 42 << "  42";
    QTest::newRow("four digits") << 1234 << "1234";
    QTest::newRow("five digits") << 12345 << "12345";
    QTest::newRow("negative") << -5 << "  -5";
}

void TestOrderFiles::numberText() {
    QFETCH(int, number);
    QFETCH(QString, text);
    QCOMPARE(OrderTexts::NumberText(number), text);
}

void TestOrderFiles::dateText_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    QTest::newRow("day and month padded with blanks") << QDate(2001, 3, 5) << " 5. 3.2001";
    QTest::newRow("two-digit day and month") << QDate(2001, 12, 21) << "21.12.2001";
}

void TestOrderFiles::dateText() {
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QCOMPARE(OrderTexts::DateText(date), text);
    QCOMPARE(OrderTexts::DateFromText(text), date);
}

void TestOrderFiles::numberFromText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::newRow("padded") << "   7" << 7;
    QTest::newRow("leading tab and blanks") << " \t 3" << 3;
    QTest::newRow("stops at a letter") << "12a" << 12;
    QTest::newRow("minus") << "-5" << -5;
    QTest::newRow("plus") << "+5" << 5;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("no digits") << "abc" << 0;
    QTest::newRow("sign alone") << "-" << 0;
    QTest::newRow("blank after the sign") << "- 5" << 0;
    QTest::newRow("largest") << "2147483647" << kIntMax;
    QTest::newRow("beyond the largest") << "2147483648" << kIntMax;
    QTest::newRow("far beyond") << "99999999999999999999" << kIntMax;
    QTest::newRow("smallest") << "-2147483648" << kIntMin;
    QTest::newRow("below the smallest") << "-99999999999999999999" << kIntMin;
}

void TestOrderFiles::numberFromText() {
    QFETCH(QString, text);
    QFETCH(int, number);
    QCOMPARE(OrderTexts::NumberFromText(text), number);
}

void TestOrderFiles::wholeNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("number");
    QTest::newRow("plain") << "7" << true << 7;
    QTest::newRow("blanks around") << "  12 " << true << 12;
    QTest::newRow("negative") << "-5" << true << -5;
    QTest::newRow("zero") << "0" << true << 0;
    QTest::newRow("largest") << "2147483647" << true << kIntMax;
    QTest::newRow("letter after") << "12a" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("blanks only") << "   " << false << 0;
    QTest::newRow("blank inside") << "1 2" << false << 0;
    QTest::newRow("fraction") << "1.5" << false << 0;
    QTest::newRow("beyond int") << "2147483648" << false << 0;
    QTest::newRow("below int") << "-2147483649" << false << 0;
    QTest::newRow("far beyond int") << "99999999999999999999" << false << 0;
    QTest::newRow("arabic-indic digits") << QStringLiteral("\u0661\u0662") << false << 0;
}

void TestOrderFiles::wholeNumber() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, number);
    int parsed = 0;
    QCOMPARE(OrderTexts::ParseWholeNumber(text, &parsed), ok);
    QCOMPARE(parsed, number);  // a refused text leaves the number alone
}

// A date as people write it, which the archive's list shows with noughts and its search reads
// either way; a text that is no date is shown as it is.
void TestOrderFiles::writtenDate_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("as the files hold it") << " 8.12.2026"
                                          << "08.12.2026";
    QTest::newRow("month padded too") << " 5. 3.2001"
                                      << "05.03.2001";
    QTest::newRow("without noughts") << "8.3.2026"
                                     << "08.03.2026";
    QTest::newRow("with noughts") << "08.12.2026"
                                  << "08.12.2026";
    QTest::newRow("no such day") << "31.02.2026"
                                 << "31.02.2026";
    QTest::newRow("two-digit year") << "08.12.26"
                                    << "08.12.26";
    QTest::newRow("three-digit day") << "108.12.2026"
                                     << "108.12.2026";
    QTest::newRow("more after it") << "08.12.2026 г."
                                   << "08.12.2026 г.";
    QTest::newRow("empty") << ""
                           << "";
}

void TestOrderFiles::writtenDate() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(OrderTexts::ShownDate(text), shown);
}

void TestOrderFiles::dateFromText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    QTest::newRow("zero-padded") << "05.03.2001" << QDate(2001, 3, 5);
    QTest::newRow("empty") << "" << QDate();
    QTest::newRow("no such day") << "31. 2.2001" << QDate();
    QTest::newRow("month 13") << " 1.13.2001" << QDate();
    QTest::newRow("words") << "вчера" << QDate();
    QTest::newRow("year 0") << " 1. 1.   0" << QDate();
}

void TestOrderFiles::dateFromText() {
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QCOMPARE(OrderTexts::DateFromText(text), date);
}

void TestOrderFiles::writesTenCrLfLinesInCodePage1251() {
    QVERIFY(OrderFiles::SaveOrder(7, Row(7)));
    const QByteArray expected = Cp1251::Encode(QStringLiteral(
        "   7\r\n 5. 3.2001\r\nООО Ромашка\r\nЗАО Лютик\r\n1234.56\r\nОплата по счету № 15\r\n"
        "01\r\n5\r\n6\r\nпочтой\r\n"));
    QCOMPARE(ReadBytes("Vemo/vemo.7"), expected);
    QCOMPARE(OrderFiles::LoadOrders(), QList<OrderRow>{Row(7)});
}

// A file read and written back is the same file: ten lines for an ordinary order, as every order
// file was before, and twenty for one with a budget field or an income-type code.
void TestOrderFiles::fileComesBackByteForByte_data() {
    QTest::addColumn<QString>("text");
    const QString ten = QStringLiteral(
        "   7\r\n 5. 3.2026\r\nООО Ромашка\r\nЗАО Лютик\r\n1234,56\r\nОплата по счету\r\n01\r\n"
        "\r\n5\r\n\r\n");
    QTest::newRow("ten lines") << ten;
    QTest::newRow("single tax payment")
        << ten + QStringLiteral(
                     "01\r\n18201061201010000510\r\n0\r\n0\r\n0\r\n0\r\n0\r\n\r\n0\r\n\r\n");
    QTest::newRow("wages") << ten + QStringLiteral("\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n1\r\n");
    // The control character the dialogs refuse still comes back when nobody edits the field.
    QString control = ten;
    control.replace(QStringLiteral("по счету"), QStringLiteral("по") + Cp1251::Decode("\x98"));
    QTest::newRow("byte 0x98") << control;
    // Lines that a later version or another program wrote after the fields stay in their places.
    const QString emptyBudget = QStringLiteral("\r\n").repeated(kBudgetFieldCount);
    QTest::newRow("25 lines") << ten + emptyBudget +
                                     QStringLiteral("21\r\n\r\nИНН 7707083893\r\n24\r\n25\r\n");
    QTest::newRow("25 lines of a budget payment")
        << ten +
               QStringLiteral(
                   "01\r\n18201061201010000510\r\n0\r\n0\r\n0\r\n0\r\n0\r\n\r\n0\r\n\r\n") +
               QStringLiteral("\r\n\r\n\r\n\r\n25 с CR\rвнутри\r\n");
}

void TestOrderFiles::fileComesBackByteForByte() {
    QFETCH(QString, text);
    const QByteArray bytes = Cp1251::Encode(text);
    QCOMPARE(Cp1251::Decode(bytes), text);
    WriteBytes("Vemo/vemo.7", bytes);
    const QList<OrderRow> rows = OrderFiles::LoadOrders();
    QCOMPARE(rows.size(), 1);
    QVERIFY(QFile::remove("Vemo/vemo.7"));
    QVERIFY(OrderFiles::SaveOrder(7, rows.first()));
    QCOMPARE(ReadBytes("Vemo/vemo.7"), bytes);
    // A reader of ten lines finds the ordinary order in the first ten.
    QStringList lines;
    QCOMPARE(LineFile::Read("Vemo/vemo.7", &lines), LineFile::ReadResult::Ok);
    QCOMPARE(OrderRow::FromLines(lines.mid(0, kOrderColumnCount)).Lines(),
             rows.first().Lines().mid(0, kOrderColumnCount));
}

void TestOrderFiles::fileNameTakesTheNumberWithoutBlanks_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("firstLine");
    QTest::newRow("order 7") << 7 << "Vemo/vemo.7" << QByteArray("   7\r\n");
    QTest::newRow("order 125") << 125 << "Vemo/vemo.125" << QByteArray(" 125\r\n");
    QTest::newRow("five digits") << 12345 << "Vemo/vemo.12345" << QByteArray("12345\r\n");
}

void TestOrderFiles::fileNameTakesTheNumberWithoutBlanks() {
    QFETCH(int, number);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, firstLine);
    QCOMPARE(OrderFiles::FileName(number), fileName);
    QVERIFY(OrderFiles::SaveOrder(number, Row(number)));
    QVERIFY(ReadBytes(fileName).startsWith(firstLine));
}

void TestOrderFiles::readsShortAndLongFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("fields");
    const QStringList tenEmpty(kOrderColumnCount, QString());
    QTest::newRow("empty file") << QByteArray() << tenEmpty;
    QStringList three = tenEmpty;
    three[0] = "   3";
    three[1] = " 1. 2.2003";
    three[2] = "payer";
    QTest::newRow("three lines, lf only") << QByteArray("   3\n 1. 2.2003\npayer") << three;
    QStringList all;
    QByteArray lines;
    for (int i = 1; i <= 22; ++i) {
        lines += QByteArray::number(i) + "\r\n";
        all.append(QString::number(i));
    }
    QTest::newRow("lines after the twentieth") << lines << all;
}

void TestOrderFiles::readsShortAndLongFiles() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, fields);
    WriteBytes("Vemo/vemo.3", bytes);
    const QList<OrderRow> rows = OrderFiles::LoadOrders();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().Lines(), fields);
}

void TestOrderFiles::listsEveryNumberedFileInNumberOrder() {
    const QStringList listed = {"3", "20", "1199", "1200", "100000", "99999999999999999999"};
    const QStringList ignored = {"0", "007", "+5", "-3", "12a", "", " 4", "4 ", "1e3", "٣", "0x10"};
    for (const QString& name : listed + ignored) {
        WriteBytes("Vemo/vemo." + name, Cp1251::Encode(name + "\r\n"));
    }
    WriteBytes("Vemo/VEMO.4", "VEMO.4\r\n");
    WriteBytes("Vemo/vemo.4.bak", "4.bak\r\n");
    WriteBytes("Vemo/xvemo.4", "xvemo.4\r\n");
    QVERIFY(QDir().mkdir("Vemo/vemo.6"));  // not a file: nothing to read
    QCOMPARE(Numbers(OrderFiles::LoadOrders()), listed);

    QStringList unreadable;
    QStringList files;
    QCOMPARE(Numbers(OrderFiles::LoadOrders(&unreadable, &files)), listed);
    QCOMPARE(unreadable, QStringList{"Vemo/vemo.6"});
    QStringList names;
    for (const QString& number : listed) {
        names.append("Vemo/vemo." + number);
    }
    QCOMPARE(files, names);
}

void TestOrderFiles::numberComesFromTheFirstLine() {
    WriteBytes("Vemo/vemo.9", "  12\r\n");
    WriteBytes("Vemo/vemo.12", "   9\r\n");
    QStringList files;
    const QList<OrderRow> rows = OrderFiles::LoadOrders(nullptr, &files);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.first()[kColumnNumber], QStringLiteral("  12"));
    QCOMPARE(rows.first().Number(), 12);
    // Each row still knows the file it came from.
    QCOMPARE(files, (QStringList{"Vemo/vemo.9", "Vemo/vemo.12"}));
}

void TestOrderFiles::longFieldsAreKeptWhole() {
    const QString basis = QString(2000, QChar(u'Ж')) + QStringLiteral("конец");
    QVERIFY(OrderFiles::SaveOrder(1, Row(1, basis)));
    const QList<OrderRow> rows = OrderFiles::LoadOrders();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first()[kColumnBasis], basis);
    QCOMPARE(rows.first()[kColumnPaymentType], QStringLiteral("почтой"));
}

void TestOrderFiles::loadsAsLineByLineReadingDoes_data() {
    QTest::addColumn<NamedBytes>("files");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("listed");      // the names of the rows, in their order
    QTest::addColumn<QStringList>("unreadable");  // as the loader names them
    QTest::newRow("names that do not count")
        << NamedBytes{{"vemo.01", "a"}, {"vemo.+3", "b"},
                      {"vemo.0", "c"},  {"vemo.x", "d"},
                      {"vemo.", "e"},   {"vemo.1a", "f"},
                      {"VEMO.2", "g"},  {"vemo.10", "10"},
                      {"vemo.9", "9"},  {"vemo.99999999999999999999", "huge"},
                      {"vemo.1", "1"}}
        << QStringList{} << QStringList{"vemo.1", "vemo.9", "vemo.10", "vemo.99999999999999999999"}
        << QStringList{};
    QTest::newRow("short, long and odd files")
        << NamedBytes{{"vemo.1", ""},
                      {"vemo.2", "one line, no end"},
                      {"vemo.3", "   3\n 1. 2.2003\npayer\n"},
                      {"vemo.4", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n"},
                      {"vemo.5", "cr at the end\r"},
                      {"vemo.6", "lone\rcr\r\n\r\n\r\r\n\n\nafter blanks"},
                      {"vemo.7", "\n\n\n\n\n\n\n\n\n\n\n\n"},
                      {"vemo.8", "a\nb\r\nmixed\n"}}
        << QStringList{} << QStringList{"vemo.1", "vemo.2", "vemo.3", "vemo.4",
                                        "vemo.5", "vemo.6", "vemo.7", "vemo.8"}
        << QStringList{};
    QTest::newRow("every byte of the code page")
        << NamedBytes{{"vemo.12", "  12\r\n 5. 3.2001\r\n" + EveryByteButLineFeed() + "\r\n"}}
        << QStringList{} << QStringList{"vemo.12"} << QStringList{};
    QTest::newRow("a file larger than any buffer")
        << NamedBytes{{"vemo.3",
                       "   3\r\n\r\n\r\n\r\n\r\n" + QByteArray(300000, '\xC6') + "\r\nend"}}
        << QStringList{} << QStringList{"vemo.3"} << QStringList{};
    QTest::newRow("folders at order files' names")
        << NamedBytes{{"vemo.1", "1"}, {"vemo.3", "3"}, {"vemo.8", "8"}}
        << QStringList{"vemo.7", "vemo.2", "vemo.x", "vemo.05"}
        << QStringList{"vemo.1", "vemo.3", "vemo.8"} << QStringList{"Vemo/vemo.2", "Vemo/vemo.7"};
    QTest::newRow("nothing but a folder")
        << NamedBytes{} << QStringList{"vemo.5"} << QStringList{} << QStringList{"Vemo/vemo.5"};
}

void TestOrderFiles::loadsAsLineByLineReadingDoes() {
    QFETCH(NamedBytes, files);
    QFETCH(QStringList, folders);
    QFETCH(QStringList, listed);
    QFETCH(QStringList, unreadable);
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        WriteBytes("Vemo/" + it.key(), it.value());
    }
    for (const QString& folder : folders) {
        QVERIFY(QDir("Vemo").mkdir(folder));
    }
    QStringList named = {"stays first"};
    const QList<OrderRow> rows = OrderFiles::LoadOrders(&named);
    QCOMPARE(rows, ReadLineByLine(listed));
    QCOMPARE(named, QStringList{"stays first"} + unreadable);
    QCOMPARE(OrderFiles::LoadOrders(), rows);  // the same without asking for the names
}

// Enough files for the loading to be shared among threads: every row stays in its file's
// place, and the unreadable names keep their order too.
void TestOrderFiles::manyFilesKeepTheirOrder() {
    constexpr int kCount = 6000;
    QStringList expectedNumbers;
    QStringList expectedUnreadable;
    for (int number = 1; number <= kCount; ++number) {
        const QString name = "vemo." + QString::number(number);
        if (number % 997 == 0) {
            QVERIFY(QDir("Vemo").mkdir(name));
            expectedUnreadable.append(OrderFiles::FileName(number));
        } else {
            WriteBytes("Vemo/" + name, OrderTexts::NumberText(number).toLatin1() + "\r\nx\r\n");
            expectedNumbers.append(OrderTexts::NumberText(number));
        }
    }
    QStringList unreadable;
    const QList<OrderRow> rows = OrderFiles::LoadOrders(&unreadable);
    QCOMPARE(Numbers(rows), expectedNumbers);
    QCOMPARE(unreadable, expectedUnreadable);
    QCOMPARE(rows.last()[kColumnDate], QStringLiteral("x"));
}

// The fields of a loaded row behave as values of their own: copied out they outlive the row, and
// changing one changes no other, in the row or out of it.
void TestOrderFiles::loadedFieldsAreIndependentValues() {
    QVERIFY(OrderFiles::SaveOrder(1, Row(1)));
    QString payer;
    QString basis;
    {
        QList<OrderRow> rows = OrderFiles::LoadOrders();
        QCOMPARE(rows.size(), 1);
        payer = rows.first()[kColumnPayer];
        basis = rows.first()[kColumnBasis];
        rows.first()[kColumnNumber].append(QStringLiteral(" and a long tail"));
        rows.first()[kColumnDate].prepend(u'<');
        rows.first()[kColumnRecipient][0] = u'Ж';
        OrderRow expected = Row(1);
        expected[kColumnNumber] = "   1 and a long tail";
        expected[kColumnDate] = "< 5. 3.2001";
        expected[kColumnRecipient] = "ЖАО Лютик";
        QCOMPARE(rows.first(), expected);
    }
    QCOMPARE(payer, Row(1)[kColumnPayer]);
    QCOMPARE(basis, Row(1)[kColumnBasis]);
    QCOMPARE(QString::fromUtf16(reinterpret_cast<const char16_t*>(payer.utf16())),
             payer);                   // ends where the field ends
    basis.append(QString(100, u'я'));  // the last holder may grow into the rest of the block
    payer.append(u'!');
    QCOMPARE(payer, Row(1)[kColumnPayer] + "!");
    QCOMPARE(basis, Row(1)[kColumnBasis] + QString(100, u'я'));
}

void TestOrderFiles::failedWriteKeepsTheOldFile() {
    QVERIFY(OrderFiles::SaveOrder(4, Row(4, "old")));
    const QByteArray before = ReadBytes("Vemo/vemo.4");
    LineFile::g_pWriteFault = FailEveryWrite;
    QVERIFY(!OrderFiles::SaveOrder(4, Row(4, "new")));
    QCOMPARE(ReadBytes("Vemo/vemo.4"), before);
    LineFile::g_pWriteFault = nullptr;
    QVERIFY(QDir("Vemo").removeRecursively());
    QVERIFY(!OrderFiles::SaveOrder(4, Row(4)));  // no folder to write into
}

// A disk that fills up during the save (a file size limit in a child process): an order file
// that was there stays as it was, none appears where there was none, and no temporary file is
// left in the archive.
void TestOrderFiles::fullDiskKeepsTheOrder_data() {
    QTest::addColumn<bool>("oldFile");
    QTest::newRow("replacing an order") << true;
    QTest::newRow("a new order") << false;
}

void TestOrderFiles::fullDiskKeepsTheOrder() {
    QFETCH(bool, oldFile);
    QVERIFY(OrderFiles::SaveOrder(3, Row(3, "other")));
    if (oldFile) {
        QVERIFY(OrderFiles::SaveOrder(4, Row(4, "old")));
    }
    const QByteArray before = ReadBytes("Vemo/vemo.4");
    const QStringList files = FolderEntries("Vemo");

    const OrderRow row = Row(4, QString(300, QChar(u'Ж')));
    const auto save = [&] { return OrderFiles::SaveOrder(4, row); };
    QCOMPARE(SaveUnderFileSizeLimit(200, save), ChildSave::Failed);
    QCOMPARE(FolderEntries("Vemo"), files);
    QCOMPARE(ReadBytes("Vemo/vemo.4"), before);
    QCOMPARE(Numbers(OrderFiles::LoadOrders()),
             oldFile ? QStringList({"   3", "   4"}) : QStringList{"   3"});
}

void TestOrderFiles::removesAnOrderFileIntoTheTrash() {
    QVERIFY(OrderFiles::SaveOrder(12, Row(12)));
    const QByteArray order = ReadBytes("Vemo/vemo.12");
    QVERIFY(OrderFiles::Exists(12));
    QCOMPARE(OrderFiles::RemoveOrderFile(OrderFiles::FileName(12)),
             DesktopTrash::Removal::MovedToTrash);
    QVERIFY(!OrderFiles::Exists(12));
    QCOMPARE(m_trash->Files(), QStringList{"vemo.12"});  // a slip can be undone
    QString error;
    QCOMPARE(OrderFiles::RemoveOrderFile(OrderFiles::FileName(12), QDir(), &error),
             DesktopTrash::Removal::Failed);
    QCOMPARE(error, QStringLiteral("файла уже нет"));
    QVERIFY(QDir().mkdir("Vemo/vemo.13"));
    // A folder is no order file.
    QCOMPARE(OrderFiles::RemoveOrderFile(OrderFiles::FileName(13), QDir(), &error),
             DesktopTrash::Removal::Failed);
    QCOMPARE(error, QStringLiteral("это папка"));
    QVERIFY(QFileInfo("Vemo/vemo.13").isDir());
    QCOMPARE(m_trash->Files(), QStringList{"vemo.12"});
    // What the delete did, as its user is to be told.
    QVERIFY(OrderFiles::SaveOrder(14, Row(14)));
    QCOMPARE(DesktopTrash::Remove("Vemo/vemo.14"), DesktopTrash::Removal::MovedToTrash);
    QCOMPARE(DesktopTrash::Remove("Vemo/vemo.14"), DesktopTrash::Removal::Failed);
    QCOMPARE(DesktopTrash::Remove("Vemo/vemo.13"), DesktopTrash::Removal::Failed);
}

void TestOrderFiles::removesForGoodWithoutATrash() {
    QVERIFY(m_trash->Block());
    QVERIFY(OrderFiles::SaveOrder(12, Row(12)));
    QCOMPARE(OrderFiles::RemoveOrderFile(OrderFiles::FileName(12)),
             DesktopTrash::Removal::RemovedForGood);
    QVERIFY(!OrderFiles::Exists(12));
    QVERIFY(m_trash->Files().isEmpty());
}

// However the desktop's trash stands, a delete ends at once, leaves the working folder with no
// more than it had and the trash with no info file that describes no file of its own: the order
// goes to the trash where it can, else it is removed for good.
void TestOrderFiles::removalLeavesNothingStray_data() {
    QTest::addColumn<int>("setting");
    QTest::addColumn<QString>("trashedAs");  // empty: removed for good
    QTest::addColumn<int>("result");         // of the trash alone
    using R = DesktopTrash::Result;
    QTest::newRow("a trash to take it")
        << int(TrashSetting::Usable) << "vemo.12" << int(R::Trashed);
    QTest::newRow("the name taken in the trash")
        << int(TrashSetting::NameTaken) << "vemo.12.2" << int(R::Trashed);
    QTest::newRow("a file in the trash without its info")
        << int(TrashSetting::FileWithoutInfo) << "vemo.12.2" << int(R::Trashed);
    QTest::newRow("every name taken") << int(TrashSetting::AllNamesTaken) << "" << int(R::Failed);
    QTest::newRow("a file where the trash belongs")
        << int(TrashSetting::FileAsTrash) << "" << int(R::NoTrash);
    QTest::newRow("a file where the info folder belongs")
        << int(TrashSetting::FileAsInfo) << "" << int(R::NoTrash);
    QTest::newRow("a home without a data folder")
        << int(TrashSetting::NoDataFolder) << "" << int(R::NoTrash);
    QTest::newRow("a full disk") << int(TrashSetting::FullDisk) << "" << int(R::Failed);
    QTest::newRow("an order file that is a link")
        << int(TrashSetting::OrderIsALink) << "vemo.12" << int(R::Trashed);
    // The trash must be a real folder of the user's own, never a link.
    QTest::newRow("the trash of another user")
        << int(TrashSetting::OthersTrash) << "" << int(R::NoTrash);
    QTest::newRow("a folder named oddly")
        << int(TrashSetting::OddFolderName) << "vemo.12" << int(R::Trashed);
    QTest::newRow("a trash that is a link")
        << int(TrashSetting::TrashIsALink) << "" << int(R::NoTrash);
    QTest::newRow("files/ a link") << int(TrashSetting::FilesIsALink) << "" << int(R::NoTrash);
    QTest::newRow("info/ a link") << int(TrashSetting::InfoIsALink) << "" << int(R::NoTrash);
    QTest::newRow("a trash another user owns")
        << int(TrashSetting::TrashOfNobody) << "" << int(R::NoTrash);
}

void TestOrderFiles::removalLeavesNothingStray() {
    QFETCH(int, setting);
    QFETCH(QString, trashedAs);
    QFETCH(int, result);
    const auto desktop = TrashSetting(setting);
    if ((desktop == TrashSetting::OthersTrash || desktop == TrashSetting::TrashOfNobody) &&
        geteuid() != 0) {
        QSKIP("the program runs as another user only when the test runs as root");
    }
    const Deadline deadline(90);
    if (desktop == TrashSetting::NoDataFolder) {
        m_trash.reset();  // first, so that it restores the real home before the next one moves it
        m_trash = std::make_unique<TestTrash>(TestTrash::DataFolder::Missing);
        QVERIFY(m_trash->SharesVolumeWith(m_folder->Path()));
    }
    QVERIFY(m_trash->IsInUse());
    QVERIFY(PrepareTrash(desktop, *m_trash));
    const QStringList infosBefore = m_trash->InfoFiles();
    QTemporaryDir outside;
    const QString target = outside.filePath("order");
    if (desktop == TrashSetting::OddFolderName) {
        QVERIFY(QDir().mkpath("Платежки %41/Vemo") && QDir::setCurrent("Платежки %41"));
    }
    if (desktop == TrashSetting::OrderIsALink) {
        QVERIFY(Put(target, "the order itself"));
        QVERIFY(QFile::link(target, "Vemo/vemo.12"));
    } else {
        QVERIFY(OrderFiles::SaveOrder(12, Row(12)));
    }
    QVERIFY(OrderFiles::SaveOrder(3, Row(3)));
    const QStringList working = m_folder->Entries();
    const QStringList archive = m_folder->Entries("Vemo");
    const QStringList home = m_trash->HomeEntries();
    const QString file = OrderFiles::FileName(12);

    // The trash alone leaves the file where it was unless it takes it; the delete then removes it.
    const auto remove = [&] {
        const DesktopTrash::Result got = DesktopTrash::MoveToTrash(file);
        const bool stays = QFileInfo(file).exists() || QFileInfo(file).isSymLink();
        return int(got) == result && stays == (got != DesktopTrash::Result::Trashed) &&
               (!stays || DesktopTrash::Remove(file) == DesktopTrash::Removal::RemovedForGood);
    };
    if (desktop == TrashSetting::FullDisk) {
        QCOMPARE(SaveUnderFileSizeLimit(0, remove), ChildSave::Saved);
    } else if (desktop == TrashSetting::OthersTrash) {
        const auto becomeOther = [] {
            if (setgid(kOtherUser) != 0 || setuid(kOtherUser) != 0) {
                _exit(2);
            }
        };
        QCOMPARE(RunInChild(becomeOther, remove), ChildSave::Saved);
    } else {
        QVERIFY(remove());
    }
    QVERIFY(!OrderFiles::Exists(12));
    QCOMPARE(m_folder->Entries(), working);
    QStringList rest = archive;
    rest.removeOne("vemo.12");
    QCOMPARE(m_folder->Entries("Vemo"), rest);
    if (desktop == TrashSetting::NoDataFolder) {
        QCOMPARE(m_trash->HomeEntries(), home);  // no data folder made, no trash
    }
    // Nothing goes where a link in the trash leads.
    QCOMPARE(FolderEntries(Elsewhere() + "/files") + FolderEntries(Elsewhere() + "/info"),
             QStringList{});
    // Every info file the delete made tells of a file of the trash.
    QStringList made = m_trash->InfoFiles();
    for (const QString& info : infosBefore) {
        made.removeOne(info);
    }
    QCOMPARE(made, trashedAs.isEmpty() ? QStringList{} : QStringList{trashedAs + ".trashinfo"});
    if (desktop == TrashSetting::FileAsInfo) {
        QVERIFY(QFileInfo(TestTrash::Folder() + "/info").isFile());
    }
    if (trashedAs.isEmpty()) {
        QVERIFY(!m_trash->Files().contains("vemo.12.2"));
        return;
    }
    QVERIFY(m_trash->Files().contains(trashedAs));
    const QByteArray info = m_trash->Info(trashedAs);
    QVERIFY2(info.startsWith("[Trash Info]\n"), info.constData());
    QCOMPARE(InfoValue(info, "Path"), QDir::current().absoluteFilePath(file));
    const QDateTime deleted = QDateTime::fromString(InfoValue(info, "DeletionDate"), Qt::ISODate);
    QVERIFY2(qAbs(deleted.secsTo(QDateTime::currentDateTime())) < 60, info.constData());
    const QFileInfo inTrash(TestTrash::Folder() + "/files/" + trashedAs);
    if (desktop == TrashSetting::OrderIsALink) {
        QVERIFY(inTrash.isSymLink());  // the link went, never what it points to
        QCOMPARE(ReadBytes(target), QByteArray("the order itself"));
    } else {
        QCOMPARE(ReadBytes(inTrash.filePath()), ReadBytes("Vemo/vemo.3").replace("   3", "  12"));
    }
}

// The trash's hundred names of order 12 filled for real, by deleting it again and again: copies
// of this very file give way, oldest first, so that the newest hundred wait in the trash; copies
// of another folder's order 12 are never touched, and the order is then removed for good.
void TestOrderFiles::fullTrashGivesUpTheOldestCopy_data() {
    QTest::addColumn<bool>("sameFolder");  // the copies in the trash are of this folder's order
    QTest::addColumn<int>("firstKept");    // the oldest version the trash keeps in the end
    QTest::newRow("copies of the same order") << true << 2;
    QTest::newRow("copies of another folder's order") << false << 0;
}

void TestOrderFiles::fullTrashGivesUpTheOldestCopy() {
    QFETCH(bool, sameFolder);
    QFETCH(int, firstKept);
    const TestFolder other({{"Vemo/", {}}}, TestFolder::Enter::No);
    QVERIFY(other.isValid() && m_trash->SharesVolumeWith(other.Path()));
    const QDir filling(sameFolder ? m_folder->Path() : other.Path());
    const auto deleteVersion = [](int version, const QDir& folder) {
        return OrderFiles::SaveOrder(12, Row(12, QString::number(version)), folder) &&
               OrderFiles::RemoveOrderFile(OrderFiles::FileName(12), folder) !=
                   DesktopTrash::Removal::Failed &&
               !OrderFiles::Exists(12, folder);
    };
    for (int version = 0; version < 100; ++version) {
        QVERIFY(deleteVersion(version, filling));
    }
    QCOMPARE(m_trash->Files().size(), 100);
    for (int version = 100; version < 102; ++version) {
        QVERIFY(deleteVersion(version, QDir(m_folder->Path())));
    }
    QStringList kept;
    for (const QString& name : m_trash->Files()) {
        QStringList lines;
        QCOMPARE(LineFile::Read(TestTrash::Folder() + "/files/" + name, &lines),
                 LineFile::ReadResult::Ok);
        kept.append(lines.value(kColumnBasis));
    }
    QStringList expected;
    for (int version = firstKept; version < firstKept + 100; ++version) {
        expected.append(QString::number(version));
    }
    const auto byNumber = [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); };
    std::sort(kept.begin(), kept.end(), byNumber);
    QCOMPARE(kept, expected);
    QCOMPARE(m_trash->InfoFiles().size(), 100);
}

// Whatever stands at an order's name would be replaced by writing the order.
void TestOrderFiles::anythingAtTheNameExists() {
    QVERIFY(!OrderFiles::Exists(5));
    QVERIFY(QDir().mkdir("Vemo/vemo.5"));
    QVERIFY(OrderFiles::Exists(5));
    QVERIFY(QFile::link("nowhere", "Vemo/vemo.6"));
    QVERIFY(OrderFiles::Exists(6));
}

void TestOrderFiles::namesUnreadableFiles_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("named");
    QTest::newRow("one") << 1 << 1;
    QTest::newRow("three") << 3 << 3;
    QTest::newRow("a great many") << 500 << 10;
}

void TestOrderFiles::namesUnreadableFiles() {
    QFETCH(int, count);
    QFETCH(int, named);
    QStringList unreadable;
    for (int number = 1; number <= count; ++number) {
        unreadable.append(OrderFiles::FileName(number));
    }
    const QString message = OrderFiles::CannotReadMessage(unreadable);
    for (int number = 1; number <= count; ++number) {
        QCOMPARE(
            message.contains(QRegularExpression(QStringLiteral("\\bvemo\\.%1\\b").arg(number))),
            number <= named);
    }
    // The rest is counted, so that a long list still fits a message box.
    QCOMPARE(message.contains(QString::number(count - named)), named < count);
    QVERIFY(message.count(QLatin1Char('\n')) <= named + 1);
}

QTEST_GUILESS_MAIN(TestOrderFiles)
#include "tst_orderfiles.moc"
