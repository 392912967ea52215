// The amount of an order read as money: what counts as an amount, its kopecks, and the text the
// bank's exchange file gets.
#include <QtTest>

#include "orders/OrderAmount.h"

class TestOrderAmount : public QObject {
    Q_OBJECT
private slots:
    void amounts_data();
    void amounts();
    void shown_data();
    void shown();
};

namespace {

void Accepted(const char* text, qint64 kopecks, const char* exchange) {
    QTest::newRow(text) << QString::fromUtf8(text) << true << kopecks
                        << QString::fromUtf8(exchange);
}

void Refused(const char* name, const QString& text) {
    QTest::newRow(name) << text << false << qint64(-1) << QString();
}

void Refused(const char* text) {
    Refused(text, QString::fromUtf8(text));
}

}  // namespace

void TestOrderAmount::amounts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<qint64>("kopecks");
    QTest::addColumn<QString>("exchange");

    Accepted("1234.56", 123456, "1234.56");
    Accepted("1234,56", 123456, "1234.56");
    Accepted("1 234,56", 123456, "1234.56");
    Accepted("1\u00A0234,56", 123456, "1234.56");  // a no-break blank, as spreadsheets copy it
    Accepted("1234-56", 123456, "1234.56");        // the paper form's notation
    Accepted("1234", 123400, "1234.00");
    Accepted("1234,5", 123450, "1234.50");
    Accepted("1234.05", 123405, "1234.05");
    Accepted("48 300,00", 4830000, "48300.00");
    Accepted("12 345 678.90", 1234567890, "12345678.90");
    Accepted("123 456", 12345600, "123456.00");
    Accepted("0,01", 1, "0.01");
    Accepted("0.5", 50, "0.50");
    Accepted("1", 100, "1.00");
    Accepted(" 15750,00 ", 1575000, "15750.00");
    Accepted("999 999 999 999,99", Q_INT64_C(99999999999999), "999999999999.99");
    Accepted("999999999999.99", Q_INT64_C(99999999999999), "999999999999.99");

    Refused("abc");
    Refused("-5");
    Refused("+5");
    Refused("0");
    Refused("0,00");
    Refused("0-00");
    Refused("1,234.56");
    Refused("1.234,56");
    Refused("12,345");
    Refused("12.345");
    Refused("1 23,00");
    Refused("1234 567");
    Refused("1  234");
    Refused("1 234 56");
    Refused("empty", QString());
    Refused("blanks only", QStringLiteral("   "));
    Refused("1234.");
    Refused("1234,567");
    Refused("1234-5");
    Refused(".50");
    Refused("0123");
    Refused("0 500");
    Refused("012 345,00");
    Refused("1e3");
    Refused("12 34");
    Refused("1 2345");
    Refused("1234 руб.");
    Refused("1234.56.78");
    Refused("1 000 000 000 000,00");
    Refused("1000000000000");
    Refused("99999999999999999999999");
    Refused("tab between groups", QStringLiteral("1\t234"));
    Refused("arabic-indic digits", QStringLiteral("\u0661\u0662"));
    Refused("fullwidth digits", QStringLiteral("\uFF11\uFF12"));
}

void TestOrderAmount::amounts() {
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(qint64, kopecks);
    QFETCH(QString, exchange);

    qint64 read = -1;
    QCOMPARE(OrderAmount::ParseKopecks(text, &read), accepted);
    QCOMPARE(read, kopecks);
    if (accepted) {
        QCOMPARE(OrderAmount::ExchangeText(read), exchange);
    }
}

// As the lists show an amount: in groups of three with two kopeck figures; what is no amount, as
// it is typed.
void TestOrderAmount::shown_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("whole roubles") << "48300"
                                   << "48 300,00";
    QTest::newRow("three figures") << "100"
                                   << "100,00";
    QTest::newRow("one kopeck figure") << "1234567,5"
                                       << "1 234 567,50";
    QTest::newRow("kopecks alone") << "0,01"
                                   << "0,01";
    QTest::newRow("largest") << "999999999999.99"
                             << "999 999 999 999,99";
    QTest::newRow("not an amount") << "12,345"
                                   << "12,345";
    QTest::newRow("empty") << ""
                           << "";
}

void TestOrderAmount::shown() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(OrderAmount::ShownText(text), shown);
}

QTEST_GUILESS_MAIN(TestOrderAmount)
#include "tst_orderamount.moc"
