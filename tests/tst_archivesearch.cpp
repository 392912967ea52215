#include <QTemporaryDir>
#include <QtTest>

#include "TestPdf.h"
#include "bank/ChosenTotal.h"
#include "bank/OrderBatch.h"
#include "form/CVemoDoc.h"
#include "form/FormPrinting.h"
#include "orderwindows/OrderSearch.h"
#include "orderwindows/PackedOrders.h"

namespace {

OrderRow Order(const QString& number, const QString& amount, const QString& kbk = QString()) {
    OrderRow row;
    row[kColumnNumber] = number;
    row[kColumnDate] = QStringLiteral("05.03.2026");
    row[kColumnPayer] = QStringLiteral("ООО Ёлка");
    row[kColumnRecipient] = QStringLiteral("УФК по г. Москве");
    row[kColumnAmount] = amount;
    row[kColumnBasis] = QStringLiteral("Оплата по счету № 118");
    if (!kbk.isEmpty()) {
        row[kColumnStatus] = QStringLiteral("01");
        row[kColumnKbk] = kbk;
        row[kColumnOktmo] = QStringLiteral("45382000");
        row[kColumnUin] = QStringLiteral("0");
    }
    return row;
}

}  // namespace

class TestArchiveSearch : public QObject {
    Q_OBJECT
private slots:
    void finds_data();
    void finds();
    void findsTheDate_data();
    void findsTheDate();
    void keepsEveryField();
    void totals_data();
    void totals();
    void printsBatch();
};

void TestArchiveSearch::finds_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<bool>("found");
    QTest::newRow("grouped") << "250 000"
                             << "250000,00" << true;
    QTest::newRow("plain") << "250000"
                           << "250000,00" << true;
    QTest::newRow("comma") << "250000,00"
                           << "250000" << true;
    QTest::newRow("point and blank") << "250 000.00"
                                     << "250000,00" << true;
    QTest::newRow("no-break blank") << "250\u00a0000"
                                    << "250 000,00" << true;
    QTest::newRow("grouped in the order") << "47500"
                                          << "47 500,00" << true;
    QTest::newRow("typing the grouping") << "47 "
                                         << "47 500,00" << true;
    QTest::newRow("typing the kopecks") << "47500,"
                                        << "47500" << true;
    QTest::newRow("another amount") << "250 001"
                                    << "250000,00" << false;
    QTest::newRow("letter case") << "ооо ёлка"
                                 << "1" << true;
    QTest::newRow("ё as е") << "елка"
                            << "1" << true;
    QTest::newRow("budget field КБК") << "18210102010011000110"
                                      << "1" << true;
    QTest::newRow("budget field ОКТМО") << "45382000"
                                        << "1" << true;
    QTest::newRow("not there") << "Ромашка"
                               << "1" << false;
    QTest::newRow("a line break finds nothing") << "ООО\nЁлка"
                                                << "1" << false;
}

void TestArchiveSearch::finds() {
    QFETCH(QString, typed);
    QFETCH(QString, amount);
    QFETCH(bool, found);
    PackedOrders orders;
    orders.Append(Order(QStringLiteral("7"), amount, QStringLiteral("18210102010011000110")),
                  QStringLiteral("vemo.7"));
    QCOMPARE(orders.Matches(0, OrderSearch(typed)), found);
}

// A date typed whole finds the orders of that day, whichever way either is written, and no other
// order whose purpose or date merely holds it.
void TestArchiveSearch::findsTheDate_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<int>>("found");  // of the orders 7 (8 December), 8 (18 December) and
                                            // 9 (5 March, paying the bill of 8 December)
    QTest::newRow("with noughts") << "08.12.2026" << QList<int>{7};
    QTest::newRow("without noughts") << "8.12.2026" << QList<int>{7};
    QTest::newRow("blanks around") << " 8.12.2026 " << QList<int>{7};
    QTest::newRow("part of a date") << "8.12" << QList<int>{7, 8, 9};
    QTest::newRow("no order that day") << "09.12.2026" << QList<int>{};
}

void TestArchiveSearch::findsTheDate() {
    QFETCH(QString, typed);
    QFETCH(QList<int>, found);
    OrderRow eighth = Order(QStringLiteral("7"), QStringLiteral("10"));
    eighth[kColumnDate] = QStringLiteral(" 8.12.2026");  // as the files hold it
    OrderRow eighteenth = Order(QStringLiteral("8"), QStringLiteral("10"));
    eighteenth[kColumnDate] = QStringLiteral("18.12.2026");
    OrderRow march = Order(QStringLiteral("9"), QStringLiteral("10"));
    march[kColumnBasis] = QStringLiteral("Оплата по счету № 5 от 08.12.2026");
    PackedOrders orders;
    orders.Assign({eighth, eighteenth, march},
                  {QStringLiteral("vemo.7"), QStringLiteral("vemo.8"), QStringLiteral("vemo.9")});
    const OrderSearch search(typed);
    QList<int> shown;
    for (int row = 0; row < 3; ++row) {
        if (orders.Matches(row, search)) {
            shown.append(7 + row);
        }
    }
    QCOMPARE(shown, found);
    // Typed on from one character less, the list looks again only at what it showed: so every
    // order found must have been found then.
    const OrderSearch before(typed.left(typed.size() - 1));
    for (int row = 0; row < 3; ++row) {
        if (search.Narrows(before) && orders.Matches(row, search)) {
            QVERIFY(orders.Matches(row, before));
        }
    }
}

// An order edited or exported through the archive comes from its packed form: nothing may be lost.
void TestArchiveSearch::keepsEveryField() {
    OrderRow budget = Order(QStringLiteral("  12"), QStringLiteral("1 500,00"),
                            QStringLiteral("18210102010011000110"));
    budget[kColumnTaxPeriod] = QStringLiteral("МС.03.2026");
    budget[kColumnIncomeType] = QStringLiteral("1");
    const OrderRow plain = Order(QStringLiteral("13"), QStringLiteral("20"));
    PackedOrders orders;
    orders.Assign({budget, plain}, {QStringLiteral("vemo.12"), QStringLiteral("vemo.13")});
    QCOMPARE(orders.Row(0).Lines().size(), kOrderFieldCount);
    QCOMPARE(orders.Row(0).Lines(), budget.Lines());
    QCOMPARE(orders.Row(1).Lines(), plain.Lines());
    QVERIFY(!orders.Row(1).HasBudgetFields());
    QCOMPARE(orders.File(0), QStringLiteral("vemo.12"));
}

void TestArchiveSearch::totals_data() {
    QTest::addColumn<QStringList>("amounts");
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("all");
    QTest::addColumn<QString>("line");
    QTest::newRow("three") << QStringList{"1 000 000", "672500,00", "0.00x"} << 5 << 5
                           << "Показано 5 поручений. Выбрано 3 на сумму 1 672 500,00 руб.; у 1 "
                              "поручения сумма не число, она не сложена";
    QTest::newRow("zero is no amount")
        << QStringList{"1 000 000", "672500,00", "0,00"} << 21 << 40
        << "Показано 21 поручение из 40. Выбрано 3 на сумму 1 672 500,00 "
           "руб.; у 1 поручения сумма не число, она не сложена";
    QTest::newRow("two") << QStringList{"1", "1,5"} << 2 << 3
                         << "Показано 2 поручения из 3. Выбрано 2 на сумму 2,50 руб.";
    QTest::newRow("none") << QStringList{} << 12 << 12
                          << "Показано 12 поручений. Ничего не выбрано";
    QTest::newRow("two not amounts") << QStringList{"x", "y", "3"} << 111 << 111
                                     << "Показано 111 поручений. Выбрано 3 на сумму 3,00 руб.; "
                                        "у 2 поручений сумма не число, она не сложена";
}

void TestArchiveSearch::totals() {
    QFETCH(QStringList, amounts);
    QFETCH(int, shown);
    QFETCH(int, all);
    QFETCH(QString, line);
    ChosenTotal chosen;
    for (const QString& amount : amounts) {
        chosen.Add(amount);
    }
    QCOMPARE(ChosenTotal::ListLine(shown, all, chosen), line);
}

// The batch's own pages, each order on a page of its own with both copies, in the order given.
void TestArchiveSearch::printsBatch() {
    VEMO_SKIP_WITHOUT_PDF_TOOLS();
    CRequisite payer;
    payer.m_strName = Order(QString(), QString())[kColumnPayer];
    CRequisite recipient;
    recipient.m_strName = Order(QString(), QString())[kColumnRecipient];
    const OrderBatch batch =
        OrderBatch::Compose({Order("4", "100"), Order("3", "200"), Order("9", "300")}, {payer},
                            {recipient}, [](const CVemoDoc& doc) { return doc.m_lacks; });
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("batch.pdf"));
    QString error;
    QVERIFY2(WriteFormPdf(pdf, batch.Pages(), &error), qPrintable(error));
    const QStringList pages = PdfText(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    QCOMPARE(pages.size(), 3);
    const QStringList numbers{"4", "3", "9"};
    for (int i = 0; i < 3; ++i) {
        const QRegularExpression number(
            QStringLiteral("ПЛАТЕЖНОЕ ПОРУЧЕНИЕ №\\s*%1\\b").arg(numbers.at(i)));
        QCOMPARE(pages.at(i).count(number), 2);
    }
}

QTEST_MAIN(TestArchiveSearch)
#include "tst_archivesearch.moc"
