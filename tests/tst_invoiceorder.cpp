// What an order takes from an invoice's payment code: the recipient as its book would hold it and
// found there, the amount, the purpose and the budget fields, what is missing, and the VAT line.
#include <QtTest>

#include "InvoiceExamples.h"
#include "invoice/InvoiceOrder.h"
#include "invoice/VatLine.h"

namespace {

BikDirectory::Participant Participant(const QString& bik, const QString& name, const QString& town,
                                      const QString& account, const QString& holder = QString()) {
    BikDirectory::Participant participant;
    participant.bik = bik;
    participant.name = name;
    participant.settlementType = QStringLiteral("г");
    participant.settlement = town;
    participant.accountHolderName = holder;
    if (!account.isEmpty()) {
        participant.accounts.append({account, QStringLiteral("CRSA"), {}});
    }
    return participant;
}

// Three banks and a treasury body; the sole proprietor's bank has lost its licence. The division
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
CRequisite Recipient(const QString& name, const QString& innKpp, const QString& bik,
                     const QString& correspondent, const QString& own) {
    CRequisite record;
    record.m_strName = name;
    record.m_strBank = QStringLiteral("банк");
    record.m_strInnKpp = innKpp;
    record.m_strBik = bik;
    record.m_strAccount1 = correspondent;
    record.m_strAccount2 = own;
    return record;
}

// The book the codes are looked up in: the fee's club under a shorter name, the sole
// proprietor without her INN.
CRequisiteArray Book() {
    return {
        Recipient("Три сосны", "7704123450", "044525225", "30101810400000000225",
                  "4070 2810 4380 0007 7123"),
        Recipient("ИП Соколова", "", "044525974", "30101810145250000974", "40802810900001234567")};
}

QStringList Fields(const CRequisite& record) {
    return {record.m_strName, record.m_strBank,     record.m_strInnKpp,
            record.m_strBik,  record.m_strAccount1, record.m_strAccount2};
}

QStringList BudgetFields(const OrderRow& order) {
    QStringList fields;
    for (int column = kColumnStatus; column <= kColumnUin; ++column) {
        fields << order[column];
    }
    return fields;
}

const QString kMandatory = QStringLiteral(
    "ST00012|Name=ООО «Вектор»|PersonalAcc=40702810600000011111|BankName=ПАО Сбербанк|"
    "BIC=044525225|");

InvoiceOrder FromCode(const QString& text, const BikDirectory& directory,
                      const CRequisiteArray& book = Book()) {
    const PaymentCode::Reading reading = PaymentCode::FromBytes(InvoiceExamples::Bytes(text));
    if (!reading.isPaymentCode) {
        qWarning("%s", qPrintable(reading.refusal));
    }
    return InvoiceOrder::FromCode(reading.code, book, directory);
}

}  // namespace

class InvoiceOrderTest : public QObject {
    Q_OBJECT

private slots:
    void fillsOrder_data();
    void fillsOrder();
    void describesGasBill();
    void findsRecipient_data();
    void findsRecipient();
    void holdsPayerInn_data();
    void holdsPayerInn();
    void vatLine_data();
    void vatLine();
    void appendsVatLine_data();
    void appendsVatLine();
};

void InvoiceOrderTest::fillsOrder_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("withDirectory");
    // Name, bank, ИНН/КПП, BIK, Счет1 (the bank's), Счет2 (its own), as the book would hold them.
    QTest::addColumn<QStringList>("record");
    QTest::addColumn<int>("bookIndex");
    QTest::addColumn<QString>("recipientName");  // the order's, the book's where found
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("basis");
    QTest::addColumn<QStringList>("budget");  // 101, 104–110, 22; empty for an ordinary payment
    QTest::addColumn<QString>("missing");
    QTest::addColumn<QString>("remark");  // part of a note or of a problem of the record

    using namespace InvoiceExamples;
    QTest::newRow("membership fee: found by INN and account, bank from the directory")
        << MembershipFee() << true
        << QStringList{"ООО «Три сосны»", "ПАО СБЕРБАНК, г Москва", "7704123450",
                       "044525225",       "30101810400000000225",   "40702810438000077123"}
        << 0 << "Три сосны"
        << "1000,00"
        << "Членский взнос за 2026 год" << QStringList() << ""
        << "";
    QTest::newRow("gas bill: purpose from the supplier's account and month")
        << GasBill() << true << QStringList{"ООО «Газовая компания Тулы»",
                                            "ТУЛЬСКОЕ ОТДЕЛЕНИЕ N8604 ПАО СБЕРБАНК, г Тула",
                                            "7105000120/710501001",
                                            "047003608",
                                            "30101810300000000608",
                                            "40702810566020101234"}
        << -1 << "ООО «Газовая компания Тулы»"
        << "142,12"
        << "Оплата по лицевому счету № 1234567890 за 01.2020" << QStringList() << ""
        << "";
    QTest::newRow("gas bill without a directory: the code's bank")
        << GasBill() << false
        << QStringList{"ООО «Газовая компания Тулы»",
                       "ТУЛЬСКОЕ ОТДЕЛЕНИЕ N8604 ПАО СБЕРБАНК Г. ТУЛА (ДОПОЛНИТЕЛЬНЫЙ ОФИС)",
                       "7105000120/710501001",
                       "047003608",
                       "30101810300000000608",
                       "40702810566020101234"}
        << -1 << "ООО «Газовая компания Тулы»"
        << "142,12"
        << "Оплата по лицевому счету № 1234567890 за 01.2020" << QStringList() << ""
        << "";
    QTest::newRow("bare minimum: found without INN, its bank's licence revoked")
        << BareMinimum() << true
        << QStringList{"ИП Соколова Анна Петровна",
                       "АО \"БАНК РАЗВИТИЯ\", г Москва",
                       "",
                       "044525974",
                       "30101810145250000974",
                       "40802810900001234567"}
        << 1 << "ИП Соколова"
        << ""
        << "" << QStringList() << "ИНН, сумма, основание"
        << "БИК 044525974 не принимает платежи по справочнику БИК от 08.12.2026: отозвана "
           "лицензия с 01.11.2026";
    QTest::newRow("budget keys: fields 101, 104-110, a BIK the directory lacks")
        << BudgetKeys() << true
        << QStringList{"УФК по г. Москве (ИФНС России № 1 по г. Москве)",
                       "Отделение 1 Москва",
                       "7701107259/770101001",
                       "044583001",
                       "",
                       "40101810800000010041"}
        << -1 << "УФК по г. Москве (ИФНС России № 1 по г. Москве)"
        << "15000,00"
        << "НДС за январь 2014"
        << QStringList{"01", "18210301000011000110", "45382000", "ТП", "МС.01.2014", "0", "0", "НС",
                       ""}
        << "корр. счет"
        << "БИК 044583001 нет в справочнике БИК от 08.12.2026";
    QTest::newRow("budget keys: the obsolete payment type is said")
        << BudgetKeys() << false << QStringList() << -1 << ""
        << "15000,00"
        << "НДС за январь 2014"
        << QStringList{"01", "18210301000011000110", "45382000", "ТП", "МС.01.2014", "0", "0", "НС",
                       ""}
        << "корр. счет"
        << "Тип платежа (110) «НС» взят из QR-кода";
    QTest::newRow("treasury account: a budget payment, CorrespAcc 0 from the directory")
        << "ST00012|Name=Казначейство России (ФНС России)|PersonalAcc=03100643000000018500|"
           "BankName=ОКЦ № 7//УФК по Тульской области|BIC=017003983|CorrespAcc=0|"
           "PayeeINN=7727406020|KPP=770701001|UIN=18209965144380684245|Sum=500000|"
           "Purpose=Единый налоговый платеж"
        << true
        << QStringList{"Казначейство России (ФНС России)",
                       "ОКЦ № 7 ГУ Банка России по ЦФО//УФК по Тульской области, г Тула",
                       "7727406020/770701001",
                       "017003983",
                       "40102810445370000059",
                       "03100643000000018500"}
        << -1 << "Казначейство России (ФНС России)"
        << "5000,00"
        << "Единый налоговый платеж"
        << QStringList{"", "", "", "", "", "", "", "", "18209965144380684245"} << ""
        << "";
    QTest::newRow("sloppy code: an unknown key is not the account")
        << Sloppy() << false
        << QStringList{"ООО «Вектор»", "ПАО Сбербанк",         "7730123456",
                       "044525225",    "30101810400000000225", "40702810600000011111"}
        << -1 << "ООО «Вектор»"
        << "2500,50"
        << "" << QStringList() << "основание"
        << "";
    QTest::newRow("CorrespAcc 0 and no directory: missing")
        << kMandatory + "CorrespAcc=0|Sum=1" << false << QStringList() << -1 << ""
        << "0,01"
        << "" << QStringList() << "ИНН, корр. счет, основание"
        << "";
    QTest::newRow("a correspondent account the directory does not give")
        << kMandatory + "CorrespAcc=30101810100000000999|Purpose=Оплата" << true << QStringList()
        << -1 << ""
        << ""
        << "Оплата" << QStringList() << "ИНН, сумма"
        << "Корр. счет взят из справочника БИК от 08.12.2026: 30101810400000000225, а в QR-коде "
           "30101810100000000999.";
    QTest::newRow("a sum in roubles, not kopecks: left to the user")
        << kMandatory + "CorrespAcc=30101810400000000225|Sum=1000.50|Purpose=Оплата" << false
        << QStringList() << -1 << ""
        << ""
        << "Оплата" << QStringList() << "ИНН, сумма"
        << "Сумма в QR-коде «1000.50» — не число копеек";
    QTest::newRow("a sum of 0 leaves it to the payer")
        << kMandatory + "CorrespAcc=30101810400000000225|Sum=0|Purpose=Оплата" << false
        << QStringList() << -1 << ""
        << ""
        << "Оплата" << QStringList() << "ИНН, сумма"
        << "";
    QTest::newRow("a sum beyond what the form writes")
        << kMandatory + "CorrespAcc=30101810400000000225|Sum=100000000000000|Purpose=Оплата"
        << false << QStringList() << -1 << ""
        << ""
        << "Оплата" << QStringList() << "ИНН, сумма"
        << "больше той, что пишет платежное поручение";
}

void InvoiceOrderTest::fillsOrder() {
    QFETCH(QString, code);
    QFETCH(bool, withDirectory);
    QFETCH(QStringList, record);
    QFETCH(int, bookIndex);
    QFETCH(QString, recipientName);
    QFETCH(QString, amount);
    QFETCH(QString, basis);
    QFETCH(QStringList, budget);
    QFETCH(QString, missing);
    QFETCH(QString, remark);
    const InvoiceOrder order = FromCode(code, withDirectory ? Directory() : BikDirectory());
    if (!record.isEmpty()) {
        QCOMPARE(Fields(order.recipient), record);
        QCOMPARE(order.bookIndex, bookIndex);
        QCOMPARE(order.order[kColumnRecipient], recipientName);
    }
    QCOMPARE(order.order[kColumnAmount], amount);
    QCOMPARE(order.order[kColumnBasis], basis);
    QCOMPARE(order.budgetPayment, !budget.isEmpty());
    if (!budget.isEmpty()) {
        QCOMPARE(BudgetFields(order.order), budget);
    }
    QCOMPARE(order.missing.join(QStringLiteral(", ")), missing);
    const QStringList remarks = order.notes + RequisiteChecks::Texts(order.problems);
    const QString said = remarks.join(u'\n');
    QVERIFY2(remark.isEmpty() ? remarks.isEmpty() : said.contains(remark), qPrintable(said));
    // The payer is never taken from the code.
    QVERIFY(order.order[kColumnPayer].isEmpty());
}

// What the user reads before OK and what the command line prints.
void InvoiceOrderTest::describesGasBill() {
    const InvoiceOrder order = FromCode(InvoiceExamples::GasBill(), Directory());
    QCOMPARE(order.Summary(),
             QStringLiteral("Из QR-кода: получатель, счет, ИНН, КПП, БИК, сумма, основание (по "
                            "лицевому счету и периоду); из справочника БИК: банк, корр. счет."));
    QCOMPARE(FromCode(InvoiceExamples::BareMinimum(), BikDirectory()).Summary(),
             QStringLiteral("Из QR-кода: получатель, счет, банк, БИК, корр. счет. Нет в коде: "
                            "ИНН, сумма, основание."));
    QCOMPARE(order.Lines(),
             QStringList({"Получатель: ООО «Газовая компания Тулы»", "ИНН: 7105000120",
                          "КПП: 710501001", "Счет: 40702810566020101234",
                          "Банк: ТУЛЬСКОЕ ОТДЕЛЕНИЕ N8604 ПАО СБЕРБАНК, г Тула", "БИК: 047003608",
                          "Корр. счет: 30101810300000000608", "Сумма: 142,12",
                          "Основание: Оплата по лицевому счету № 1234567890 за 01.2020"}));
    const QStringList budget = FromCode(InvoiceExamples::BudgetKeys(), BikDirectory()).Lines();
    QCOMPARE(
        budget.mid(9),
        QStringList({"Статус (101): 01", "КБК (104): 18210301000011000110", "ОКТМО (105): 45382000",
                     "Основание платежа (106): ТП", "Налоговый период (107): МС.01.2014",
                     "Номер документа (108): 0", "Дата документа (109): 0", "Тип платежа (110): НС",
                     "Код (УИН): ", "ИНН плательщика: 7728123459"}));
}

void InvoiceOrderTest::findsRecipient_data() {
    QTest::addColumn<CRequisiteArray>("book");
    QTest::addColumn<QString>("innKpp");  // the code's recipient: ИНН/КПП, BIK, own account
    QTest::addColumn<QString>("bik");
    QTest::addColumn<QString>("account");
    QTest::addColumn<int>("found");

    const CRequisite club = Recipient("Клуб", "7704123450/770401001", "044525225",
                                      "30101810400000000225", "40702810438000077123");
    const CRequisite other = Recipient("Другой", "7730123456", "044525225", "30101810400000000225",
                                       "40702810438000077123");
    const CRequisite tax = Recipient("ИФНС", "7701107259/770101001", "004525988",
                                     "40102810545370000003", "03100643000000017300");
    const CRequisite court = Recipient("Суд", "7702345675/770201001", "004525988",
                                       "40102810545370000003", "03100643000000017300");
    QTest::newRow("INN and account, KPP and name aside")
        << CRequisiteArray{other, club} << "7704123450"
        << "044525225"
        << "40702810438000077123" << 1;
    QTest::newRow("same INN, another account") << CRequisiteArray{club} << "7704123450"
                                               << "044525225"
                                               << "40702810438000077124" << -1;
    QTest::newRow("same account, another INN") << CRequisiteArray{club} << "7704123451"
                                               << "044525225"
                                               << "40702810438000077123" << -1;
    QTest::newRow("a second record of the same party: the first")
        << CRequisiteArray{other, club, club} << "7704123450"
        << "044525225"
        << "40702810438000077123" << 1;
    QTest::newRow("no INN: the one record of the account at the BIK")
        << CRequisiteArray{tax, club} << ""
        << "044525225"
        << "40702810438000077123" << 1;
    QTest::newRow("no INN: two records of the account tell nothing")
        << CRequisiteArray{club, other} << ""
        << "044525225"
        << "40702810438000077123" << -1;
    QTest::newRow("no INN: the account at another BIK") << CRequisiteArray{club} << ""
                                                        << "044525974"
                                                        << "40702810438000077123" << -1;
    QTest::newRow("treasury account, many recipients: by INN")
        << CRequisiteArray{tax, court} << "7702345675/770201001"
        << "004525988"
        << "03100643000000017300" << 1;
    QTest::newRow("treasury account without INN: none") << CRequisiteArray{tax} << ""
                                                        << "004525988"
                                                        << "03100643000000017300" << -1;
}

void InvoiceOrderTest::findsRecipient() {
    QFETCH(CRequisiteArray, book);
    QFETCH(QString, innKpp);
    QFETCH(QString, bik);
    QFETCH(QString, account);
    QFETCH(int, found);
    const CRequisite fromCode = Recipient("Из кода", innKpp, bik, QString(), account);
    QCOMPARE(InvoiceOrder::FindRecipient(book, fromCode), found);
}

void InvoiceOrderTest::holdsPayerInn_data() {
    QTest::addColumn<QString>("payerInKpp");  // the chosen payer's
    QTest::addColumn<QString>("note");

    QTest::newRow("the same INN") << "7728123459/772801001"
                                  << "";
    QTest::newRow("the same INN typed with blanks") << "7728 1234 59"
                                                    << "";
    QTest::newRow("another INN")
        << "7704123450/770401001"
        << "В QR-коде ИНН плательщика 7728123459, а у выбранного плательщика «Плательщик» ИНН "
           "7704123450: проверьте, тот ли плательщик выбран.";
    QTest::newRow("a payer without INN")
        << ""
        << "В QR-коде ИНН плательщика 7728123459, а у выбранного плательщика «Плательщик» "
           "ИНН не указан: проверьте, тот ли плательщик выбран.";
}

void InvoiceOrderTest::holdsPayerInn() {
    QFETCH(QString, payerInKpp);
    QFETCH(QString, note);
    const InvoiceOrder order = FromCode(InvoiceExamples::BudgetKeys(), BikDirectory());
    const CRequisite payer = Recipient("Плательщик", payerInKpp, "", "", "");
    QCOMPARE(order.PayerInnNote(payer), note);
    QCOMPARE(FromCode(InvoiceExamples::GasBill(), BikDirectory()).PayerInnNote(payer), QString());
}

void InvoiceOrderTest::vatLine_data() {
    QTest::addColumn<qint64>("kopecks");
    QTest::addColumn<int>("rate");
    QTest::addColumn<QString>("line");

    QTest::newRow("22 %, 1000,00") << qint64(100000) << 22 << "В т.ч. НДС 22 % — 180,33 руб.";
    QTest::newRow("22 %, exact") << qint64(12200) << 22 << "В т.ч. НДС 22 % — 22,00 руб.";
    QTest::newRow("22 %, 0,03 rounds up to a kopeck")
        << qint64(3) << 22 << "В т.ч. НДС 22 % — 0,01 руб.";
    QTest::newRow("10 %") << qint64(100000) << 10 << "В т.ч. НДС 10 % — 90,91 руб.";
    QTest::newRow("7 %") << qint64(100000) << 7 << "В т.ч. НДС 7 % — 65,42 руб.";
    QTest::newRow("5 %") << qint64(100000) << 5 << "В т.ч. НДС 5 % — 47,62 руб.";
    QTest::newRow("0 %") << qint64(100000) << 0 << "В т.ч. НДС 0 % — 0,00 руб.";
    QTest::newRow("without VAT") << qint64(100000) << VatLine::kWithoutVat << "Без налога (НДС)";
    QTest::newRow("the largest amount, 22 %")
        << qint64(99999999999999) << 22 << "В т.ч. НДС 22 % — 180327868852,46 руб.";
}

void InvoiceOrderTest::vatLine() {
    QFETCH(qint64, kopecks);
    QFETCH(int, rate);
    QFETCH(QString, line);
    QCOMPARE(VatLine::Text(kopecks, rate), line);
}

void InvoiceOrderTest::appendsVatLine_data() {
    QTest::addColumn<QString>("purpose");
    QTest::addColumn<int>("rate");
    QTest::addColumn<QString>("appended");

    QTest::newRow("empty purpose") << "" << 22 << "В т.ч. НДС 22 % — 180,33 руб.";
    QTest::newRow("after a full stop it adds")
        << "Оплата по счету № 118" << 10 << "Оплата по счету № 118. В т.ч. НДС 10 % — 90,91 руб.";
    QTest::newRow("another rate replaces the line")
        << "Оплата по счету № 118. В т.ч. НДС 22 % — 180,33 руб." << 5
        << "Оплата по счету № 118. В т.ч. НДС 5 % — 47,62 руб.";
    QTest::newRow("without VAT replaces it too")
        << "Оплата по счету № 118. В т.ч. НДС 22 % — 180,33 руб." << VatLine::kWithoutVat
        << "Оплата по счету № 118. Без налога (НДС)";
    QTest::newRow("the user's own VAT words stay")
        << "Оплата, в т.ч. НДС 20% 2625-00" << 22
        << "Оплата, в т.ч. НДС 20% 2625-00. В т.ч. НДС 22 % — 180,33 руб.";
}

void InvoiceOrderTest::appendsVatLine() {
    QFETCH(QString, purpose);
    QFETCH(int, rate);
    QFETCH(QString, appended);
    QCOMPARE(VatLine::Appended(purpose, 100000, rate), appended);
}

QTEST_GUILESS_MAIN(InvoiceOrderTest)
#include "tst_invoiceorder.moc"
