// The register of orders for the director's signature: the table and its totals, the file for
// spreadsheets read back as a spreadsheet reads it, and the PDF's pages.
#include <QtTest>

#include "CsvFields.h"
#include "TestEnvironment.h"
#include "TestFolder.h"
#include "TestPdf.h"
#include "common/Cp1251.h"
#include "orders/OrderTexts.h"
#include "routine/RegisterCsv.h"
#include "routine/RegisterDrawing.h"

namespace {

const QString kRomashka = QStringLiteral("ООО \"Ромашка\"");
const QString kFactory = QStringLiteral("АО \"Волжская мебельная фабрика\"");

OrderRow Order(int number, const QString& payer, const QString& recipient, const QString& amount,
               const QString& purpose) {
    OrderRow row;
    row[kColumnNumber] = OrderTexts::NumberText(number);
    row[kColumnDate] = QStringLiteral(" 5. 3.2026");
    row[kColumnPayer] = payer;
    row[kColumnRecipient] = recipient;
    row[kColumnAmount] = amount;
    row[kColumnBasis] = purpose;
    return row;
}

// The orders of two payers, mixed, with the values a spreadsheet trips on.
QList<OrderRow> Orders() {
    return {
        Order(1, kRomashka, QStringLiteral("ООО \"Альфа-Снаб\""), QStringLiteral("15750,00"),
              QStringLiteral("Оплата по счету № 118; в т.ч. НДС 20% 2625-00")),
        Order(2, kFactory, QStringLiteral("ООО Лютик"), QStringLiteral("48 300,00"),
              QStringLiteral("=HYPERLINK(\"http://example.com\")")),
        Order(3, kRomashka, QStringLiteral("ИП Соколова"), QStringLiteral("0,10"),
              QStringLiteral("Поставка\rтоваров")),
        Order(4, kRomashka, QStringLiteral("ИП Соколова"), QStringLiteral("12,345"),
              QStringLiteral("-за услуги")),
        Order(5, kRomashka, QStringLiteral("ИП Соколова"), QStringLiteral("0.20"),
              QStringLiteral("Поставка")),
    };
}

QString State(const OrderRow& order) {
    return order.Number() == 1 ? QStringLiteral("исполнено 09.03") : QString();
}

}  // namespace

class TestRegister : public QObject {
    Q_OBJECT
public:
    static void initMain() { UseOffscreenPlatformUnlessSet(); }

private slots:
    void csvFields_data();
    void csvFields();
    void csvReadsBack();
    void pdfForSignature();
    void longRegisterPages();
    void refusesOtherFiles();
};

void TestRegister::csvFields_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("field");
    QTest::newRow("plain") << QStringLiteral("ООО Лютик") << QStringLiteral("ООО Лютик");
    QTest::newRow("separator") << QStringLiteral("а;б") << QStringLiteral("\"а;б\"");
    QTest::newRow("quotes") << QStringLiteral("ООО \"Р\"") << QStringLiteral("\"ООО \"\"Р\"\"\"");
    QTest::newRow("line break") << QStringLiteral("а\r\nб") << QStringLiteral("\"а\r\nб\"");
    QTest::newRow("carriage return") << QStringLiteral("а\rб") << QStringLiteral("\"а\rб\"");
    QTest::newRow("formula") << QStringLiteral("=1+1") << QStringLiteral("'=1+1");
    QTest::newRow("plus") << QStringLiteral("+7 900") << QStringLiteral("'+7 900");
    QTest::newRow("minus") << QStringLiteral("-5") << QStringLiteral("'-5");
    QTest::newRow("at") << QStringLiteral("@SUM(A1)") << QStringLiteral("'@SUM(A1)");
    QTest::newRow("formula with quotes")
        << QStringLiteral("=\"a\"") << QStringLiteral("\"'=\"\"a\"\"\"");
    QTest::newRow("empty") << QString() << QString();
}

void TestRegister::csvFields() {
    QFETCH(QString, text);
    QFETCH(QString, field);
    QCOMPARE(RegisterCsv::Field(text), field);
}

void TestRegister::csvReadsBack() {
    TestFolder folder;
    const OrderRegister reg = OrderRegister::Compose(Orders(), QDate(2026, 3, 6), State);
    QString error;
    QVERIFY2(RegisterCsv::Write(folder.FilePath("reg.csv"), reg, &error), qPrintable(error));
    const QByteArray bytes = folder.Read("reg.csv");
    QVERIFY(bytes.endsWith("\r\n"));
    const QList<QStringList> expected = {
        {"№", "Дата", "Плательщик", "Получатель", "Назначение платежа", "Сумма", "Состояние"},
        {"1", "05.03.2026", kRomashka, "ООО \"Альфа-Снаб\"",
         "Оплата по счету № 118; в т.ч. НДС 20% 2625-00", "15750,00", "исполнено 09.03"},
        {"3", "05.03.2026", kRomashka, "ИП Соколова", "Поставка\rтоваров", "0,10", ""},
        {"4", "05.03.2026", kRomashka, "ИП Соколова", "'-за услуги", "12,345", ""},
        {"5", "05.03.2026", kRomashka, "ИП Соколова", "Поставка", "0,20", ""},
        {"2", "05.03.2026", kFactory, "ООО Лютик", "'=HYPERLINK(\"http://example.com\")",
         "48300,00", ""},
        {""},
        {"", "", kRomashka,
         "Итого по плательщику: 4 поручения; у 1 поручения сумма не число, она не сложена", "",
         "15750,30", ""},
        {"", "", kFactory, "Итого по плательщику: 1 поручение", "", "48300,00", ""},
        {"", "", "", "Всего: 5 поручений; у 1 поручения сумма не число, она не сложена", "",
         "64050,30", ""},
    };
    QCOMPARE(ReadCsv(Cp1251::Decode(bytes)), expected);
}

void TestRegister::pdfForSignature() {
    VEMO_SKIP_WITHOUT_PDF_TOOLS();
    TestFolder folder;
    const OrderRegister reg = OrderRegister::Compose(Orders(), QDate(2026, 3, 6));
    QString error;
    QVERIFY2(RegisterDrawing::WriteFile(folder.FilePath("reg.pdf"), reg, &error),
             qPrintable(error));
    QString size;
    QCOMPARE(PdfPages(folder.FilePath("reg.pdf"), &size), 1);
    QVERIFY2(size.contains("A4"), qPrintable(size));
    const QString text = PdfTextInDrawingOrder(folder.FilePath("reg.pdf"));
    for (const QString& expected :
         {QStringLiteral("Реестр платежных поручений от 06.03.2026"),
          QStringLiteral("Плательщик: ООО \"Ромашка\""), QStringLiteral("48 300,00"),
          QStringLiteral("15 750,30"), QStringLiteral("64 050,30"), QStringLiteral("12,345"),
          QStringLiteral("Руководитель"), QStringLiteral("Лист 1 из 1")}) {
        QVERIFY2(text.contains(expected), qPrintable(expected + " not in: " + text));
    }
    // No order has a state: the column is left out.
    QVERIFY(!text.contains(QStringLiteral("Состояние")));
}

void TestRegister::longRegisterPages() {
    VEMO_SKIP_WITHOUT_PDF_TOOLS();
    QList<OrderRow> orders;
    for (int i = 1; i <= 120; ++i) {
        orders.append(Order(i, i % 2 ? kRomashka : kFactory, QStringLiteral("ИП Соколова"),
                            QStringLiteral("1000,01"),
                            QStringLiteral("Оплата по счету № %1 за материалы").arg(i)));
    }
    TestFolder folder;
    QString error;
    QVERIFY(RegisterDrawing::WriteFile(folder.FilePath("long.pdf"),
                                       OrderRegister::Compose(orders, QDate(2026, 3, 6), State),
                                       &error));
    QString size;
    const int pages = PdfPages(folder.FilePath("long.pdf"), &size);
    QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
    const QString text = PdfTextInDrawingOrder(folder.FilePath("long.pdf"));
    QCOMPARE(text.count(QStringLiteral("Назначение платежа")), pages);
    QVERIFY(text.contains(QStringLiteral("Лист %1 из %1").arg(pages)));
    QVERIFY(text.contains(QStringLiteral("Всего: 120 поручений 120 001,20")));
    QVERIFY(text.contains(QStringLiteral("исполнено 09.03")));
}

void TestRegister::refusesOtherFiles() {
    TestFolder folder;
    QString error;
    QVERIFY(!RegisterDrawing::WriteFile(
        folder.FilePath("reg.txt"), OrderRegister::Compose(Orders(), QDate(2026, 3, 6)), &error));
    QCOMPARE(error, folder.FilePath("reg.txt") + ": реестр сохраняется в файл .pdf или .csv");
    QCOMPARE(folder.Entries(), QStringList());
}

QTEST_MAIN(TestRegister)
#include "tst_register.moc"
