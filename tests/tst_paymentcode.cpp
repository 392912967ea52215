// The text of an invoice's payment code: its header, its encodings, its lenient keys, and what a
// text that is not a payment code is said to be.
#include <QtTest>

#include <QStringEncoder>

#include "InvoiceExamples.h"
#include "invoice/PaymentCode.h"

namespace {

QByteArray Encoded(const char* encoding, const QString& text) {
    QStringEncoder encoder(encoding);
    return encoder.encode(text);
}

}  // namespace

class PaymentCodeTest : public QObject {
    Q_OBJECT

private slots:
    void reads_data();
    void reads();
    void refuses_data();
    void refuses();
};

void PaymentCodeTest::reads_data() {
    QTest::addColumn<QByteArray>("bytes");  // the barcode's raw bytes
    QTest::addColumn<QString>("text");      // or the code's text pasted as characters
    // "Key=value" as Value() gives it; "Key=" for a key that counts as absent.
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QChar>("separator");

    using namespace InvoiceExamples;
    QTest::newRow("membership fee, UTF-8")
        << Bytes(MembershipFee()) << QString()
        << QStringList{"Name=ООО «Три сосны»", "Sum=100000", "Purpose=Членский взнос за 2026 год",
                       "LastName=Иванов", "KPP="}
        << QChar(u'|');
    QTest::newRow("gas bill, windows-1251")
        << Bytes(GasBill()) << QString()
        << QStringList{"Name=ООО «Газовая компания Тулы»",
                       "BankName=ТУЛЬСКОЕ ОТДЕЛЕНИЕ N8604 ПАО СБЕРБАНК Г. ТУЛА "
                       "(ДОПОЛНИТЕЛЬНЫЙ ОФИС)",
                       "PaymPeriod=0120", "Sum=14212", "Purpose="}
        << QChar(u'|');
    QTest::newRow("bare minimum, KOI8-R")
        << Bytes(BareMinimum()) << QString()
        << QStringList{"Name=ИП Соколова Анна Петровна", "BankName=АО \"Банк Развития\"",
                       "Sum=", "PayeeINN="}
        << QChar(u'|');
    QTest::newRow("budget keys, windows-1251")
        << Bytes(BudgetKeys()) << QString()
        << QStringList{"Name=УФК по г. Москве (ИФНС России № 1 по г. Москве)", "CorrespAcc=0",
                       "TaxPeriod=МС.01.2014", "TaxPaytKind=НС", "PayerINN=7728123459"}
        << QChar(u'|');
    QTest::newRow("sloppy: any case, Null, blanks, no '=', trailing separator")
        << Bytes(Sloppy()) << QString()
        << QStringList{"Name=ООО «Вектор»", "PersonalAcc=40702810600000011111",
                       "Sum=250050",        "KPP=",
                       "Purpose=",          "UIN=",
                       "Contract=",         "KaznPersonalAcc=03100643000000017300"}
        << QChar(u'|');
    QTest::newRow("values holding '|', separator '#', KOI8-R")
        << Bytes(OtherSeparator()) << QString()
        << QStringList{"Name=ООО \"Альфа | Бета\"", "Purpose=Оплата по счету N 7 | без НДС",
                       "Sum=50000"}
        << QChar(u'#');
    QTest::newRow("pasted text is not decoded again")
        << QByteArray() << GasBill() << QStringList{"Name=ООО «Газовая компания Тулы»"}
        << QChar(u'|');
    QTest::newRow("pasted with a byte order mark and a line break")
        << QByteArray() << QStringLiteral("\uFEFF ") + BareMinimum() + QStringLiteral("\r\n")
        << QStringList{"Name=ИП Соколова Анна Петровна", "CorrespAcc=30101810145250000974"}
        << QChar(u'|');
    const QString mandatory = QStringLiteral(
        "|Name=ООО «Ромашка»|PersonalAcc=40702810438000077123|BankName=ПАО Сбербанк|"
        "BIC=044525225|CorrespAcc=30101810400000000225");
    QTest::newRow("'=' inside a value, a key twice, a line break inside a value")
        << Encoded("UTF-8", QStringLiteral("ST00012") + mandatory +
                                QStringLiteral("|Purpose=Оплата\r\nпо счету, код=5|sum=100|"
                                               "Sum=200"))
        << QString() << QStringList{"Purpose=Оплата по счету, код=5", "Sum=100"} << QChar(u'|');
}

void PaymentCodeTest::reads() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QFETCH(QChar, separator);
    const PaymentCode::Reading reading =
        text.isNull() ? PaymentCode::FromBytes(bytes) : PaymentCode::FromText(text);
    QVERIFY2(reading.isPaymentCode, qPrintable(reading.refusal));
    QCOMPARE(reading.code.Separator(), separator);
    for (const QString& pair : expected) {
        const QString key = pair.section(u'=', 0, 0);
        QCOMPARE(key + u'=' + reading.code.Value(key), pair);
    }
}

void PaymentCodeTest::refuses_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("refusal");  // what the message says the code is

    QTest::newRow("fast payment system link")
        << QByteArray(
               "https://qr.nspk.ru/AS1000670LSS7DN18SJQDNP4B05KLJL2?type=01&bank="
               "100000000001&sum=10000&cur=RUB&crc=C08B")
        << QStringLiteral("Это QR-код Системы быстрых платежей («https://qr.nspk.ru/");
    QTest::newRow("plain URL") << QByteArray("https://example.ru/invoice/118")
                               << QStringLiteral(
                                      "а ссылка на сайт «https://example.ru/invoice/118»");
    QTest::newRow("other text") << QStringLiteral("Счет № 118 оплатить до 10.03").toUtf8()
                                << QStringLiteral("а текст «Счет № 118 оплатить до 10.03»");
    QTest::newRow("empty") << QByteArray() << QStringLiteral("пустой QR-код");
    QTest::newRow("cut in the header")
        << QByteArray("ST0001") << QStringLiteral("оборван: в нем только «ST0001»");
    const QByteArray fee = InvoiceExamples::Bytes(InvoiceExamples::MembershipFee());
    QTest::newRow("cut inside the bank's first letter")
        << fee.left(fee.indexOf("BankName=") + 10)
        << QStringLiteral(
               "нет обязательных реквизитов BankName (банк), BIC (БИК), CorrespAcc (корр. счет).");
    QTest::newRow("unknown encoding")
        << QByteArray("ST00014|Name=X") << QStringLiteral("неизвестная кодировка «4»");
    QTest::newRow("another version")
        << QByteArray("ST00021|Name=X") << QStringLiteral("версии 0002");
    QTest::newRow("no separator") << QByteArray("ST00012Name=X|PersonalAcc=1")
                                  << QStringLiteral("нет разделителя после «ST00012»");
    QTest::newRow("windows-1251 bytes under a UTF-8 header")
        << QByteArray("ST00012|") + Encoded("windows-1251", QStringLiteral("Name=ООО «Ромашка»"))
        << QStringLiteral("не в кодировке UTF-8");
}

void PaymentCodeTest::refuses() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, refusal);
    const PaymentCode::Reading reading = PaymentCode::FromBytes(bytes);
    QVERIFY(!reading.isPaymentCode);
    QVERIFY2(reading.refusal.contains(refusal), qPrintable(reading.refusal));
}

QTEST_GUILESS_MAIN(PaymentCodeTest)
#include "tst_paymentcode.moc"
