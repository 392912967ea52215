// The amount in words that the form prints, and the reading of the amount text of an order.
#include <QtTest>

#include <cmath>
#include <limits>

#include "form/AmountToWords.h"
#include "orders/OrderAmount.h"

class TestAmount : public QObject {
    Q_OBJECT
private slots:
    void words_data();
    void words();
    void fullWordsAndFigures_data();
    void fullWordsAndFigures();
    void parses_data();
    void parses();
};

namespace {

void AddWords(const char* name, double amount, const char* line) {
    QTest::newRow(name) << amount << QString::fromUtf8(line);
}

}  // namespace

void TestAmount::words_data() {
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("line");
    // The worked examples of the amount in words.
    AddWords("1", 1, "Один руб. 0 коп.");
    AddWords("2", 2, "Два руб. 0 коп.");
    AddWords("5", 5, "Пять руб. 0 коп.");
    AddWords("10", 10, "Десять руб. 0 коп.");
    AddWords("11", 11, "Одиннадцать руб. 0 коп.");
    AddWords("12", 12, "Двенадцать руб. 0 коп.");
    AddWords("13", 13, "Тринадцать руб. 0 коп.");
    AddWords("14", 14, "Четырнадцать руб. 0 коп.");
    AddWords("19", 19, "Девятнадцать руб. 0 коп.");
    AddWords("20", 20, "Двадцать руб. 0 коп.");
    AddWords("21", 21, "Двадцать один руб. 0 коп.");
    AddWords("40", 40, "Сорок руб. 0 коп.");
    AddWords("99", 99, "Девяносто девять руб. 0 коп.");
    AddWords("100", 100, "Сто руб. 0 коп.");
    AddWords("101", 101, "Сто один руб. 0 коп.");
    AddWords("119", 119, "Сто девятнадцать руб. 0 коп.");
    AddWords("300", 300, "Триста руб. 0 коп.");
    AddWords("400", 400, "Четыреста руб. 0 коп.");
    AddWords("999", 999, "Девятьсот девяносто девять руб. 0 коп.");
    AddWords("1000", 1000, "Одна тысяча руб. 0 коп.");
    AddWords("1001", 1001, "Одна тысяча один руб. 0 коп.");
    AddWords("1500", 1500, "Одна тысяча пятьсот руб. 0 коп.");
    AddWords("2000", 2000, "Две тысячи руб. 0 коп.");
    AddWords("2345", 2345, "Две тысячи триста сорок пять руб. 0 коп.");
    AddWords("4999", 4999, "Четыре тысячи девятьсот девяносто девять руб. 0 коп.");
    AddWords("5000", 5000, "Пять тысяч руб. 0 коп.");
    AddWords("9999", 9999, "Девять тысяч девятьсот девяносто девять руб. 0 коп.");
    AddWords("10000", 10000, "Десять тысяч руб. 0 коп.");
    AddWords("11000", 11000, "Одиннадцать тысяч руб. 0 коп.");
    AddWords("12345", 12345, "Двенадцать тысяч триста сорок пять руб. 0 коп.");
    AddWords("19999", 19999, "Девятнадцать тысяч девятьсот девяносто девять руб. 0 коп.");
    AddWords("21000", 21000, "Двадцать одна тысяча руб. 0 коп.");
    AddWords("22000", 22000, "Двадцать две тысячи руб. 0 коп.");
    AddWords("25000", 25000, "Двадцать пять тысяч руб. 0 коп.");
    AddWords("45678", 45678, "Сорок пять тысяч шестьсот семьдесят восемь руб. 0 коп.");
    AddWords("99999", 99999, "Девяносто девять тысяч девятьсот девяносто девять руб. 0 коп.");
    AddWords("12.34", 12.34, "Двенадцать руб. 34 коп.");
    AddWords("1017.05", 1017.05, "Одна тысяча семнадцать руб. 5 коп.");
    AddWords("0", 0, "Ноль руб. 0 коп.");
    AddWords("0.5", 0.5, "Ноль руб. 50 коп.");
    AddWords("100000", 100000, "Сто тысяч руб. 0 коп.");
    AddWords("123456.78", 123456.78,
             "Сто двадцать три тысячи четыреста пятьдесят шесть руб. 78 коп.");

    // A group of thousands whose own units are zero, and groups that are zero as a whole.
    AddWords("20000", 20000, "Двадцать тысяч руб. 0 коп.");
    AddWords("20500", 20500, "Двадцать тысяч пятьсот руб. 0 коп.");
    AddWords("90999", 90999, "Девяносто тысяч девятьсот девяносто девять руб. 0 коп.");
    AddWords("101000", 101000, "Сто одна тысяча руб. 0 коп.");
    AddWords("1000005", 1000005, "Один миллион пять руб. 0 коп.");
    AddWords("1002003004", 1002003004, "Один миллиард два миллиона три тысячи четыре руб. 0 коп.");

    // The forms of thousands, millions and billions, 11-14 among them.
    AddWords("13000", 13000, "Тринадцать тысяч руб. 0 коп.");
    AddWords("14000", 14000, "Четырнадцать тысяч руб. 0 коп.");
    AddWords("111000", 111000, "Сто одиннадцать тысяч руб. 0 коп.");
    AddWords("1000000", 1e6, "Один миллион руб. 0 коп.");
    AddWords("2000000", 2e6, "Два миллиона руб. 0 коп.");
    AddWords("5000000", 5e6, "Пять миллионов руб. 0 коп.");
    AddWords("11000000", 11e6, "Одиннадцать миллионов руб. 0 коп.");
    AddWords("12000000", 12e6, "Двенадцать миллионов руб. 0 коп.");
    AddWords("13000000", 13e6, "Тринадцать миллионов руб. 0 коп.");
    AddWords("14000000", 14e6, "Четырнадцать миллионов руб. 0 коп.");
    AddWords("21000000", 21e6, "Двадцать один миллион руб. 0 коп.");
    AddWords("1000000000", 1e9, "Один миллиард руб. 0 коп.");
    AddWords("2000000000", 2e9, "Два миллиарда руб. 0 коп.");
    AddWords("5000000000", 5e9, "Пять миллиардов руб. 0 коп.");
    AddWords("11000000000", 11e9, "Одиннадцать миллиардов руб. 0 коп.");
    AddWords("12000000000", 12e9, "Двенадцать миллиардов руб. 0 коп.");
    AddWords("13000000000", 13e9, "Тринадцать миллиардов руб. 0 коп.");
    AddWords("14000000000", 14e9, "Четырнадцать миллиардов руб. 0 коп.");
    AddWords("112000000000", 112e9, "Сто двенадцать миллиардов руб. 0 коп.");
    AddWords("2147483648", 2147483648.0,
             "Два миллиарда сто сорок семь миллионов четыреста восемьдесят три тысячи "
             "шестьсот сорок восемь руб. 0 коп.");
    AddWords("999999999999", 999999999999.0,
             "Девятьсот девяносто девять миллиардов девятьсот девяносто девять миллионов "
             "девятьсот девяносто девять тысяч девятьсот девяносто девять руб. 0 коп.");

    // Beyond the words: figures without exponent or grouping.
    AddWords("1000000000000", 1e12, "1000000000000 руб. 0 коп.");
    AddWords("1e20", 1e20, "100000000000000000000 руб. 0 коп.");
    AddWords("inf", std::numeric_limits<double>::infinity(), "Бесконечность руб. 0 коп.");
    AddWords("-inf", -std::numeric_limits<double>::infinity(), "Минус бесконечность руб. 0 коп.");
    AddWords("nan", std::nan(""), "Не число руб. 0 коп.");

    // Rounding to whole kopecks, half away from zero, with the carry into the roubles.
    AddWords("5.999", 5.999, "Шесть руб. 0 коп.");
    AddWords("0.994", 0.994, "Ноль руб. 99 коп.");
    AddWords("0.995", 0.995, "Один руб. 0 коп.");
    AddWords("0.125", 0.125, "Ноль руб. 13 коп.");
    AddWords("2.675", 2.675, "Два руб. 68 коп.");
    AddWords("999.996", 999.996, "Одна тысяча руб. 0 коп.");
    AddWords("999999999999.995", 999999999999.995, "1000000000000 руб. 0 коп.");
    AddWords("0.001", 0.001, "Ноль руб. 0 коп.");

    // Negative amounts.
    AddWords("-5.5", -5.5, "Минус пять руб. 50 коп.");
    AddWords("-0.5", -0.5, "Минус ноль руб. 50 коп.");
    AddWords("-0.125", -0.125, "Минус ноль руб. 13 коп.");
    AddWords("-21000", -21000, "Минус двадцать одна тысяча руб. 0 коп.");
    AddWords("-1e12", -1e12, "Минус 1000000000000 руб. 0 коп.");
    AddWords("-0", -0.0, "Ноль руб. 0 коп.");
    AddWords("-0.001", -0.001, "Ноль руб. 0 коп.");
}

void TestAmount::words() {
    QFETCH(double, amount);
    QFETCH(QString, line);
    QCOMPARE(AmountToWords(amount), line);
}

// The current edition's amount: the words with "рубль" and "копейка" written out, and the figures
// with a dash, both from a count of kopecks.
void TestAmount::fullWordsAndFigures_data() {
    QTest::addColumn<qint64>("kopecks");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("figures");
    const auto row = [](const char* name, qint64 kopecks, const char* words, const char* figures) {
        QTest::newRow(name) << kopecks << QString::fromUtf8(words) << QString::fromUtf8(figures);
    };
    row("0,01", 1, "Ноль рублей 01 копейка", "0-01");
    row("1", 100, "Один рубль 00 копеек", "1-00");
    row("2", 200, "Два рубля 00 копеек", "2-00");
    row("5", 500, "Пять рублей 00 копеек", "5-00");
    row("21", 2100, "Двадцать один рубль 00 копеек", "21-00");
    row("11,11", 1111, "Одиннадцать рублей 11 копеек", "11-11");
    row("2,30", 230, "Два рубля 30 копеек", "2-30");
    row("1234,05", 123405, "Одна тысяча двести тридцать четыре рубля 05 копеек", "1234-05");
    row("48300", 4830000, "Сорок восемь тысяч триста рублей 00 копеек", "48300-00");
    row("0,22", 22, "Ноль рублей 22 копейки", "0-22");
    row("largest", OrderAmount::kMaxKopecks,
        "Девятьсот девяносто девять миллиардов девятьсот девяносто девять миллионов девятьсот "
        "девяносто девять тысяч девятьсот девяносто девять рублей 99 копеек",
        "999999999999-99");
}

void TestAmount::fullWordsAndFigures() {
    QFETCH(qint64, kopecks);
    QFETCH(QString, words);
    QFETCH(QString, figures);
    QCOMPARE(AmountToFullWords(kopecks), words);
    QCOMPARE(AmountToFigures(kopecks), figures);
}

void TestAmount::parses_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("amount");
    const double infinity = std::numeric_limits<double>::infinity();
    QTest::newRow("point") << "1234.56" << 1234.56;
    QTest::newRow("comma") << "1234,56" << 1234.56;
    QTest::newRow("blank between digits") << "1 234,56" << 1234.56;
    QTest::newRow("no-break space") << QString::fromUtf8("1\u00A0234\u00A0567,8") << 1234567.8;
    QTest::newRow("narrow no-break space") << QString::fromUtf8("1\u202F234") << 1234.0;
    QTest::newRow("blanks in the fraction") << "0,12 5" << 0.125;
    QTest::newRow("several blanks") << "1   2 3" << 123.0;
    QTest::newRow("leading blanks and sign") << "  +7" << 7.0;
    QTest::newRow("leading tab and no-break space") << QString::fromUtf8("\t\u00A0 -5,5") << -5.5;
    QTest::newRow("no whole part") << ".5" << 0.5;
    QTest::newRow("no fraction digits") << "5." << 5.0;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("exponent after a comma") << "1,5E+2" << 150.0;
    QTest::newRow("negative exponent") << "25e-2" << 0.25;
    QTest::newRow("exponent without digits") << "1e" << 1.0;
    QTest::newRow("exponent with a sign only") << "1e+" << 1.0;
    QTest::newRow("blank before the exponent") << "1 e3" << 1.0;
    QTest::newRow("second comma stops") << "1,2,3" << 1.2;
    QTest::newRow("point then comma") << "1.2,3" << 1.2;
    QTest::newRow("blank then letters") << "1234 руб" << 1234.0;
    QTest::newRow("blank then comma") << "12 ,5" << 12.0;
    QTest::newRow("comma then blank") << "12, 5" << 12.0;
    QTest::newRow("trailing blank") << "42 " << 42.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("sign only") << "-" << 0.0;
    QTest::newRow("point only") << "." << 0.0;
    QTest::newRow("blank after the sign") << "- 5" << 0.0;
    QTest::newRow("hexadecimal is not read") << "0x10" << 0.0;
    QTest::newRow("infinity is not read") << "inf" << 0.0;
    QTest::newRow("other digits are not read") << QString::fromUtf8("\u0661\u0662") << 0.0;
    QTest::newRow("overflow") << "1e400" << infinity;
    QTest::newRow("negative overflow") << "-1e400" << -infinity;
    QTest::newRow("huge exponent") << "1e99999999999999999999" << infinity;
    QTest::newRow("long digits overflow") << QString(400, QLatin1Char('9')) << infinity;
    QTest::newRow("underflow") << "1e-400" << 0.0;
    QTest::newRow("zero with huge exponent") << "0e99999" << 0.0;
    QTest::newRow("leading zeros, in range") << "0.000000001e316" << 1e307;
    QTest::newRow("leading zeros, overflow") << "0.001e312" << infinity;
    QTest::newRow("leading zeros, underflow") << "000.001e-340" << 0.0;
}

void TestAmount::parses() {
    QFETCH(QString, text);
    QFETCH(double, amount);
    QCOMPARE(ParseAmount(text), amount);
}

QTEST_GUILESS_MAIN(TestAmount)
#include "tst_amount.moc"
