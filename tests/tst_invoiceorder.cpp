// From an invoice's payment code to what the order takes: the code's bytes read leniently or
// refused with what they are, the recipient as its book would hold it and found there, the
// amount, the purpose and the budget fields, what is missing, and the VAT line.
#include <QtTest>

#include "InvoiceExamples.h"
#include "invoice/InvoiceOrder.h"
#include "invoice/VatLine.h"

namespace {

BikDirectory::Participant Participant(const char* bik, const char* name, const char* town,
                                      const char* account, const char* holder = "") {
    BikDirectory::Participant participant;
    participant.bik = QString::fromUtf8(bik);
    participant.name = QString::fromUtf8(name);
    participant.settlementType = QStringLiteral("г");
    participant.settlement = QString::fromUtf8(town);
    participant.accountHolderName = QString::fromUtf8(holder);
    participant.accounts.append({QString::fromUtf8(account), QStringLiteral("CRSA"), {}});
    return participant;
}

// Two banks and a treasury body; the sole proprietor's bank has lost its licence. The division
// of the Bank of Russia that kept budget accounts before 2015 is not listed.
BikDirectory Directory() {
    BikDirectory directory;
    directory.SetDate(QDate(2026, 12, 8));
    directory.Add(Participant("044525225", "ПАО СБЕРБАНК", "Москва", "30101810400000000225"));
    directory.Add(Participant("047003608", "ТУЛЬСКОЕ ОТДЕЛЕНИЕ N8604 ПАО СБЕРБАНК", "Тула",
                              "30101810300000000608"));
    BikDirectory::Participant closed =
        Participant("044525974", "АО \"БАНК РАЗВИТИЯ\"", "Москва", "30101810145250000974");
    closed.restrictions.append({QStringLiteral("LWRS"), QDate(2026, 11, 1)});
    directory.Add(closed);
    directory.Add(Participant("017003983", "УФК по Тульской области", "Тула",
                              "40102810445370000059", "ОКЦ № 7 ГУ Банка России по ЦФО"));
    return directory;
}

// As the recipients' book holds a record: the bank's correspondent account in Счет1.
CRequisite Recipient(const char* name, const char* innKpp, const char* bik,
                     const char* own = "40702810438000077123") {
    CRequisite record;
    record.m_strName = QString::fromUtf8(name);
    record.m_strInnKpp = QString::fromUtf8(innKpp);
    record.m_strBik = QString::fromUtf8(bik);
    record.m_strAccount2 = QString::fromUtf8(own);
    return record;
}

// The fee's club under a shorter name, its account typed in groups; the sole proprietor
// without her INN.
CRequisiteArray Book() {
    return {Recipient("Три сосны", "7704123450", "044525225", "4070 2810 4380 0007 7123"),
            Recipient("ИП Соколова", "", "044525974", "40802810900001234567")};
}

InvoiceOrder FromCode(const QString& text, const BikDirectory& directory = Directory()) {
    const PaymentCode::Reading reading = PaymentCode::FromBytes(InvoiceExamples::Bytes(text));
    if (!reading.isPaymentCode) {
        qWarning("%s", qPrintable(reading.refusal));
    }
    return InvoiceOrder::FromCode(reading.code, Book(), directory);
}

const QString kMandatory = QStringLiteral(
    "ST00012|Name=ООО «Вектор»|PersonalAcc=40702810600000011111|BankName=ПАО Сбербанк|"
    "BIC=044525225|");
const QString kTreasury = QStringLiteral(
    "ST00012|Name=Казначейство России (ФНС России)|PersonalAcc=03100643000000018500|"
    "BankName=ОКЦ № 7//УФК по Тульской области|BIC=017003983|PayeeINN=7727406020|"
    "KPP=770701001|");

}  // namespace

class InvoiceOrderTest : public QObject {
    Q_OBJECT

private slots:
    void refuses_data();
    void refuses();
    void fillsOrder_data();
    void fillsOrder();
    void describesOrder();
    void findsRecipient_data();
    void findsRecipient();
    void holdsPayerInn();
    void vatLine_data();
    void vatLine();
};

void InvoiceOrderTest::refuses_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("refusal");  // what the message says the code is

    const QByteArray fee = InvoiceExamples::Bytes(InvoiceExamples::MembershipFee());
    QTest::newRow("fast payment system link")
        << QByteArray(
               "https://qr.nspk.ru/AS1000670LSS7DN18SJQDNP4B05KLJL2?type=01&bank="
               "100000000001&sum=10000&cur=RUB&crc=C08B")
        << "Это QR-код Системы быстрых платежей («https://qr.nspk.ru/";
    QTest::newRow("plain URL") << QByteArray("https://example.ru/invoice/118")
                               << "а ссылка на сайт «https://example.ru/invoice/118»";
    QTest::newRow("other text") << QStringLiteral("Счет № 118 оплатить до 10.03").toUtf8()
                                << "а текст «Счет № 118 оплатить до 10.03»";
    QTest::newRow("cut in the header") << QByteArray("ST0001") << "в нем только «ST0001»";
    QTest::newRow("cut inside the bank's first letter")
        << fee.left(fee.indexOf("BankName=") + 10)
        << "оборван или неполон: нет обязательных реквизитов BankName (банк), BIC (БИК), "
           "CorrespAcc (корр. счет).";
    QTest::newRow("unknown encoding")
        << QByteArray("ST00014|Name=X") << "неизвестная кодировка «4»";
    QTest::newRow("another version") << QByteArray("ST00021|Name=X") << "версии 0002";
    QTest::newRow("no separator") << QByteArray("ST00012Name=X|PersonalAcc=1")
                                  << "нет разделителя после «ST00012»";
    QTest::newRow("windows-1251 bytes under a UTF-8 header")
        << QByteArray("ST00012|Name=\xCE\xCE\xCE") << "не в кодировке UTF-8";
}

void InvoiceOrderTest::refuses() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, refusal);
    const PaymentCode::Reading reading = PaymentCode::FromBytes(bytes);
    QVERIFY(!reading.isPaymentCode);
    QVERIFY2(reading.refusal.contains(refusal), qPrintable(reading.refusal));
}

void InvoiceOrderTest::fillsOrder_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("withDirectory");
    // Some of the lines the order takes, as Lines() gives them; a budget payment's include Код.
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("recipient");  // the order's: the book's name where it is found
    QTest::addColumn<QString>("missing");
    QTest::addColumn<QString>("remark");  // part of a note or of a problem of the record

    using namespace InvoiceExamples;
    QTest::newRow("membership fee: found by INN and account, bank from the directory")
        << MembershipFee() << true
        << QStringList{"Банк: ПАО СБЕРБАНК, г Москва", "Сумма: 1000,00",
                       "Основание: Членский взнос за 2026 год"}
        << "Три сосны"
        << ""
        << "";
    QTest::newRow("gas bill: purpose from the supplier's account and month")
        << GasBill() << true
        << QStringList{"Сумма: 142,12",
                       "Основание: Оплата по лицевому счету № 1234567890 за "
                       "01.2020"}
        << "ООО «Газовая компания Тулы»"
        << ""
        << "";
    QTest::newRow("bare minimum: found without INN, its bank's licence revoked")
        << BareMinimum() << true << QStringList{"ИНН: ", "Сумма: ", "Основание: "} << "ИП Соколова"
        << "ИНН, сумма, основание"
        << "БИК 044525974 не принимает платежи по справочнику БИК от 08.12.2026: отозвана "
           "лицензия с 01.11.2026";
    QTest::newRow("budget keys: fields 101 and 104-110, a BIK the directory lacks")
        << BudgetKeys() << true
        << QStringList{"Корр. счет: ",
                       "Статус (101): 01",
                       "КБК (104): 18210301000011000110",
                       "ОКТМО (105): 45382000",
                       "Основание платежа (106): ТП",
                       "Налоговый период (107): МС.01.2014",
                       "Номер документа (108): 0",
                       "Дата документа (109): 0",
                       "Тип платежа (110): НС",
                       "Код (УИН): "}
        << "УФК по г. Москве (ИФНС России № 1 по г. Москве)"
        << "корр. счет"
        << "БИК 044583001 нет в справочнике БИК от 08.12.2026";
    QTest::newRow("budget keys: the obsolete payment type is said")
        << BudgetKeys() << false << QStringList{"Код (УИН): "} << ""
        << "корр. счет"
        << "Тип платежа (110) «НС» взят из QR-кода";
    QTest::newRow("treasury account: CorrespAcc 0 from the directory, УИН to Код")
        << kTreasury + "CorrespAcc=0|UIN=18209965144380684245|Sum=500000|Purpose=ЕНП" << true
        << QStringList{"Банк: ОКЦ № 7 ГУ Банка России по ЦФО//УФК по Тульской области, г Тула",
                       "Корр. счет: 40102810445370000059", "Код (УИН): 18209965144380684245"}
        << ""
        << ""
        << "";
    QTest::newRow("a treasury account alone opens the budget fields")
        << kTreasury + "CorrespAcc=40102810445370000059|Purpose=ЕНП" << false
        << QStringList{"Код (УИН): "} << ""
        << "сумма"
        << "";
    QTest::newRow("sloppy code: the code's bank, an unknown key is not the account")
        << Sloppy() << false
        << QStringList{"Счет: 40702810600000011111", "Банк: ПАО Сбербанк", "ИНН: 7730123456",
                       "КПП: ", "Сумма: 2500,50"}
        << "ООО «Вектор»"
        << "основание"
        << "";
    QTest::newRow("a value with '=' and a line break, a key twice: the first")
        << kMandatory + "CorrespAcc=0|Purpose=Оплата\r\nпо счету, код=5|sum=100|Sum=200" << false
        << QStringList{"Сумма: 1,00", "Основание: Оплата по счету, код=5"} << ""
        << "ИНН, корр. счет"
        << "";
    QTest::newRow("a correspondent account the directory does not give")
        << kMandatory + "CorrespAcc=30101810100000000999|Purpose=Оплата" << true
        << QStringList{"Корр. счет: 30101810400000000225"} << ""
        << "ИНН, сумма"
        << "Корр. счет взят таким, как в справочнике БИК от 08.12.2026: 30101810400000000225, а в "
           "QR-коде "
           "30101810100000000999.";
    QTest::newRow("a sum in roubles, not kopecks: left to the user")
        << kMandatory + "CorrespAcc=0|Sum=1000.50|Purpose=Оплата" << true << QStringList{"Сумма: "}
        << ""
        << "ИНН, сумма"
        << "«1000.50» — не число копеек";
    QTest::newRow("a sum of 0 leaves it to the payer")
        << kMandatory + "CorrespAcc=0|Sum=0|Purpose=Оплата" << true << QStringList{"Сумма: "} << ""
        << "ИНН, сумма"
        << "";
    QTest::newRow("a sum beyond what the form writes")
        << kMandatory + "CorrespAcc=0|Sum=100000000000000|Purpose=Оплата" << true
        << QStringList{"Сумма: "} << ""
        << "ИНН, сумма"
        << "больше той, что пишет платежное";
}

void InvoiceOrderTest::fillsOrder() {
    QFETCH(QString, code);
    QFETCH(bool, withDirectory);
    QFETCH(QStringList, lines);
    QFETCH(QString, recipient);
    QFETCH(QString, missing);
    QFETCH(QString, remark);
    const InvoiceOrder order = FromCode(code, withDirectory ? Directory() : BikDirectory());
    const QStringList taken = order.Lines();
    for (const QString& line : lines) {
        QVERIFY2(taken.contains(line), qPrintable(taken.join(u'\n')));
    }
    // A budget payment's fields are all said, Код the last of them.
    const QString kod = QStringLiteral("Код (УИН): ");
    QCOMPARE(!taken.filter(kod).isEmpty(), !lines.filter(kod).isEmpty());
    if (!recipient.isEmpty()) {
        QCOMPARE(order.order[kColumnRecipient], recipient);
    }
    QCOMPARE(order.missing.join(QStringLiteral(", ")), missing);
    const QString said = (order.notes + RequisiteChecks::Texts(order.problems)).join(u'\n');
    QVERIFY2(remark.isEmpty() ? said.isEmpty() : said.contains(remark), qPrintable(said));
    QVERIFY(order.order[kColumnPayer].isEmpty());  // the payer is never the code's
}

// What the user reads before OK and the command line prints, and the record the book would keep.
void InvoiceOrderTest::describesOrder() {
    const InvoiceOrder gas = FromCode(InvoiceExamples::GasBill());
    QCOMPARE(gas.Summary(),
             QStringLiteral("Из QR-кода: получатель, счет, ИНН, КПП, БИК, сумма, основание (по "
                            "лицевому счету и периоду); из справочника БИК: банк, корр. счет."));
    QCOMPARE(FromCode(InvoiceExamples::BareMinimum(), BikDirectory()).Summary(),
             QStringLiteral("Из QR-кода: получатель, счет, банк, БИК, корр. счет. Нет в коде: "
                            "ИНН, сумма, основание."));
    QCOMPARE(gas.Lines().mid(0, 7),
             QStringList({"Получатель: ООО «Газовая компания Тулы»", "ИНН: 7105000120",
                          "КПП: 710501001", "Счет: 40702810566020101234",
                          "Банк: ТУЛЬСКОЕ ОТДЕЛЕНИЕ N8604 ПАО СБЕРБАНК, г Тула", "БИК: 047003608",
                          "Корр. счет: 30101810300000000608"}));
    QCOMPARE(gas.recipient.m_strInnKpp, QStringLiteral("7105000120/710501001"));
    QCOMPARE(gas.recipient.m_strAccount1, QStringLiteral("30101810300000000608"));
    QCOMPARE(gas.recipient.m_strAccount2, QStringLiteral("40702810566020101234"));
}

void InvoiceOrderTest::findsRecipient_data() {
    QTest::addColumn<CRequisiteArray>("book");
    QTest::addColumn<QString>("innKpp");  // the code's recipient
    QTest::addColumn<QString>("bik");
    QTest::addColumn<QString>("account");
    QTest::addColumn<int>("found");

    const CRequisite club = Recipient("Клуб", "7704123450/770401001", "044525225");
    const CRequisite other = Recipient("Другой", "7730123456", "044525225");
    const CRequisite tax =
        Recipient("ИФНС", "7701107259/770101001", "017003983", "03100643000000018500");
    const CRequisite court =
        Recipient("Суд", "7702345675/770201001", "017003983", "03100643000000018500");
    const QString account = QStringLiteral("40702810438000077123");
    QTest::newRow("INN and account, KPP and name aside")
        << CRequisiteArray{other, club} << "7704123450"
        << "044525225" << account << 1;
    QTest::newRow("same INN, another account") << CRequisiteArray{club} << "7704123450"
                                               << "044525225"
                                               << "40702810438000077124" << -1;
    QTest::newRow("same account, another INN") << CRequisiteArray{club} << "7704123451"
                                               << "044525225" << account << -1;
    QTest::newRow("a second record of the same party: the first")
        << CRequisiteArray{other, club, club} << "7704123450"
        << "044525225" << account << 1;
    QTest::newRow("no INN: the one record of the account at the BIK")
        << CRequisiteArray{tax, club} << ""
        << "044525225" << account << 1;
    QTest::newRow("no INN: two records of the account tell nothing")
        << CRequisiteArray{club, other} << ""
        << "044525225" << account << -1;
    QTest::newRow("no INN: the account at another BIK") << CRequisiteArray{club} << ""
                                                        << "044525974" << account << -1;
    QTest::newRow("treasury account, shared by many: by INN")
        << CRequisiteArray{tax, court} << "7702345675/770201001"
        << "017003983"
        << "03100643000000018500" << 1;
    QTest::newRow("treasury account without INN: none") << CRequisiteArray{tax} << ""
                                                        << "017003983"
                                                        << "03100643000000018500" << -1;
}

void InvoiceOrderTest::findsRecipient() {
    QFETCH(CRequisiteArray, book);
    QFETCH(QString, innKpp);
    QFETCH(QString, bik);
    QFETCH(QString, account);
    QFETCH(int, found);
    CRequisite fromCode;
    fromCode.m_strInnKpp = innKpp;
    fromCode.m_strBik = bik;
    fromCode.m_strAccount2 = account;
    QCOMPARE(InvoiceOrder::FindRecipient(book, fromCode), found);
}

void InvoiceOrderTest::holdsPayerInn() {
    const InvoiceOrder order = FromCode(InvoiceExamples::BudgetKeys());  // PayerINN 7728123459
    QCOMPARE(order.PayerInnNote(Recipient("Мы", "7728 1234 59/772801001", "")), QString());
    QCOMPARE(order.PayerInnNote(Recipient("Мы", "7704123450", "")),
             QStringLiteral("В QR-коде ИНН плательщика 7728123459, а у выбранного плательщика "
                            "«Мы» ИНН 7704123450: проверьте, тот ли плательщик выбран."));
    QCOMPARE(FromCode(InvoiceExamples::GasBill()).PayerInnNote(Recipient("Мы", "1", "")),
             QString());
}

void InvoiceOrderTest::vatLine_data() {
    QTest::addColumn<QString>("purpose");
    QTest::addColumn<qint64>("kopecks");
    QTest::addColumn<int>("rate");
    QTest::addColumn<QString>("appended");

    QTest::newRow("22 %") << "" << qint64(100000) << 22 << "В т.ч. НДС 22 % — 180,33 руб.";
    QTest::newRow("22 %, 0,03 rounds up to a kopeck")
        << "" << qint64(3) << 22 << "В т.ч. НДС 22 % — 0,01 руб.";
    QTest::newRow("10 %, after a full stop")
        << "Оплата по счету № 118" << qint64(100000) << 10
        << "Оплата по счету № 118. В т.ч. НДС 10 % — 90,91 руб.";
    QTest::newRow("5 % replaces another rate's line")
        << "Оплата. В т.ч. НДС 22 % — 180,33 руб." << qint64(100000) << 5
        << "Оплата. В т.ч. НДС 5 % — 47,62 руб.";
    QTest::newRow("0 %") << "" << qint64(100000) << 0 << "В т.ч. НДС 0 % — 0,00 руб.";
    QTest::newRow("without VAT replaces it too, the user's own words stay")
        << "Оплата, в т.ч. НДС 20% 2625-00. В т.ч. НДС 22 % — 180,33 руб." << qint64(100000)
        << VatLine::kWithoutVat << "Оплата, в т.ч. НДС 20% 2625-00. Без налога (НДС)";
    QTest::newRow("the largest amount")
        << "" << qint64(99999999999999) << 22 << "В т.ч. НДС 22 % — 180327868852,46 руб.";
}

void InvoiceOrderTest::vatLine() {
    QFETCH(QString, purpose);
    QFETCH(qint64, kopecks);
    QFETCH(int, rate);
    QFETCH(QString, appended);
    QCOMPARE(VatLine::Appended(purpose, kopecks, rate), appended);
}

QTEST_GUILESS_MAIN(InvoiceOrderTest)
#include "tst_invoiceorder.moc"
