// Order files and the texts of an order: names, format, listing, numbers and dates.
#include <QtTest>
#include <limits>
#include <memory>

#include "TestFolder.h"
#include "common/Cp1251.h"
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

QList<OrderRow> RowsNumbered(const QStringList& numberTexts) {
    QList<OrderRow> rows;
    for (const QString& text : numberTexts) {
        OrderRow row;
        row[kColumnNumber] = text;
        rows.append(row);
    }
    return rows;
}

bool FailEveryWrite(const QString&) {
    return true;
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
    void dateFromText_data();
    void dateFromText();
    void newOrderNumber_data();
    void newOrderNumber();

    void writesTenCrLfLinesInCodePage1251();
    void fileNameTakesTheNumberWithoutBlanks_data();
    void fileNameTakesTheNumberWithoutBlanks();
    void readsShortAndLongFiles_data();
    void readsShortAndLongFiles();
    void listsEveryNumberedFileInNumberOrder();
    void numberComesFromTheFirstLine();
    void longFieldsAreKeptWhole();
    void failedWriteKeepsTheOldFile();
    void removesTheFileOfTheNumber();

private:
    std::unique_ptr<TestFolder> m_folder;
};

void TestOrderFiles::init() {
    LineFile::g_pWriteFault = nullptr;
    m_folder.reset();
    m_folder = std::make_unique<TestFolder>(TestFolder::Files{{"Vemo/", {}}});
    QVERIFY(m_folder->isValid());
}

void TestOrderFiles::cleanup() {
    LineFile::g_pWriteFault = nullptr;
    m_folder.reset();
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

void TestOrderFiles::newOrderNumber_data() {
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<int>("proposed");
    QTest::newRow("empty list") << QStringList{} << 1;
    QTest::newRow("1, 2, 5") << QStringList{"   1", "   2", "   5"} << 6;
    QTest::newRow("last edited down") << QStringList{"   1", "   9", "   4"} << 5;
    QTest::newRow("last without number") << QStringList{"   3", ""} << 1;
    QTest::newRow("largest number") << QStringList{"2147483647"} << kIntMax;
}

void TestOrderFiles::newOrderNumber() {
    QFETCH(QStringList, numbers);
    QFETCH(int, proposed);
    QCOMPARE(OrderTexts::NewOrderNumber(RowsNumbered(numbers)), proposed);
}

void TestOrderFiles::writesTenCrLfLinesInCodePage1251() {
    QVERIFY(OrderFiles::SaveOrder(7, Row(7)));
    const QByteArray expected = Cp1251::Encode(QStringLiteral(
        "   7\r\n 5. 3.2001\r\nООО Ромашка\r\nЗАО Лютик\r\n1234.56\r\nОплата по счету № 15\r\n"
        "01\r\n5\r\n6\r\nпочтой\r\n"));
    QCOMPARE(ReadBytes("Vemo/vemo.7"), expected);
    QCOMPARE(OrderFiles::LoadOrders(), QList<OrderRow>{Row(7)});
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
    QStringList ten;
    QByteArray twelveLines;
    for (int i = 1; i <= 12; ++i) {
        twelveLines += QByteArray::number(i) + "\r\n";
        if (i <= kOrderColumnCount) {
            ten.append(QString::number(i));
        }
    }
    QTest::newRow("lines after the tenth") << twelveLines << ten;
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
}

void TestOrderFiles::numberComesFromTheFirstLine() {
    WriteBytes("Vemo/vemo.9", "  12\r\n");
    const QList<OrderRow> rows = OrderFiles::LoadOrders();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first()[kColumnNumber], QStringLiteral("  12"));
    QCOMPARE(rows.first().Number(), 12);
}

void TestOrderFiles::longFieldsAreKeptWhole() {
    const QString basis = QString(2000, QChar(u'Ж')) + QStringLiteral("конец");
    QVERIFY(OrderFiles::SaveOrder(1, Row(1, basis)));
    const QList<OrderRow> rows = OrderFiles::LoadOrders();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first()[kColumnBasis], basis);
    QCOMPARE(rows.first()[kColumnPaymentType], QStringLiteral("почтой"));
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

void TestOrderFiles::removesTheFileOfTheNumber() {
    QVERIFY(OrderFiles::SaveOrder(12, Row(12)));
    QVERIFY(OrderFiles::Exists(12));
    QVERIFY(OrderFiles::RemoveOrder(12));
    QVERIFY(!OrderFiles::Exists(12));
    QVERIFY(!OrderFiles::RemoveOrder(12));
    QVERIFY(QDir().mkdir("Vemo/vemo.13"));
    QVERIFY(!OrderFiles::RemoveOrder(13));  // a folder is no order file
}

QTEST_GUILESS_MAIN(TestOrderFiles)
#include "tst_orderfiles.moc"
