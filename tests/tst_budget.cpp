// The fields of a payment to the budget and the income-type code, checked as a bank checks them.
#include <QtTest>

#include "bank/BudgetChecks.h"
#include "bank/BudgetPayment.h"

namespace {

using Fields = QMap<int, QString>;  // column → value

enum class Recipient { None, Company, Person, TaxService, OldTaxService, Treasury };

CRequisite RecipientOf(Recipient recipient) {
    CRequisite record;
    switch (recipient) {
        case Recipient::None:
            break;
        case Recipient::Company:
            record.m_strInnKpp = QStringLiteral("7707083893/773601001");
            record.m_strAccount2 = QStringLiteral("40702810938000012345");
            break;
        case Recipient::Person:
            record.m_strInnKpp = QStringLiteral("500100732259");
            record.m_strAccount2 = QStringLiteral("40817810938000012345");
            break;
        case Recipient::TaxService:
            record = BudgetPayment::TaxServiceRecord();
            break;
        case Recipient::OldTaxService:  // its reason code until 04.12.2025
            record = BudgetPayment::TaxServiceRecord();
            record.m_strInnKpp = QStringLiteral("7727406020/770801001");
            break;
        case Recipient::Treasury:  // a treasury account of another budget body
            record = BudgetPayment::TaxServiceRecord();
            record.m_strInnKpp = QStringLiteral("7710168360/771001001");
            record.m_strAccount2 = QStringLiteral("03100643000000017300");
            break;
    }
    return record;
}

OrderRow SingleTax() {
    OrderRow row;
    row[kColumnBasis] = QStringLiteral("Налоги за март");
    BudgetPayment::FillSingleTaxPayment(&row);
    return row;
}

// A payment to the budget filled as a bank wants it, for one field at a time to break.
OrderRow Budget() {
    OrderRow row;
    row[kColumnStatus] = QStringLiteral("08");
    row[kColumnKbk] = QStringLiteral("18811601121010001140");
    row[kColumnOktmo] = QStringLiteral("45701000");
    row[kColumnTaxBasis] = QStringLiteral("0");
    row[kColumnTaxPeriod] = QStringLiteral("0");
    row[kColumnTaxDocNumber] = QStringLiteral("0");
    row[kColumnTaxDocDate] = QStringLiteral("0");
    row[kColumnUin] = QStringLiteral("18810175160746758120");
    return row;
}

OrderRow With(OrderRow row, const Fields& fields) {
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        row[it.key()] = it.value();
    }
    return row;
}

}  // namespace

Q_DECLARE_METATYPE(OrderRow)
Q_DECLARE_METATYPE(Recipient)

class TestBudget : public QObject {
    Q_OBJECT
private slots:
    void fieldsAgainstTheRules_data();
    void fieldsAgainstTheRules();
    void singleTaxPaymentIsFilledWhole();
};

void TestBudget::fieldsAgainstTheRules_data() {
    QTest::addColumn<OrderRow>("row");
    QTest::addColumn<Recipient>("recipient");
    QTest::addColumn<QStringList>("problems");
    auto row = [](const char* name, const OrderRow& order, Recipient recipient,
                  const QStringList& problems) {
        QTest::newRow(name) << order << recipient << problems;
    };
    const QStringList none;
    // Sound orders.
    row("ordinary payment", OrderRow(), Recipient::Company, none);
    row("single tax payment", SingleTax(), Recipient::TaxService, none);
    row("a fine with its УИН", Budget(), Recipient::Treasury, none);
    row("wages", With(OrderRow(), {{kColumnIncomeType, "1"}}), Recipient::Person, none);
    for (const char* period :
         {"МС.12.2026", "КВ.04.2026", "ПЛ.02.2026", "ГД.00.2026", "15.03.2026", "10010000", "0"}) {
        QTest::addRow("period %s", period)
            << With(Budget(), {{kColumnTaxPeriod, QString::fromUtf8(period)}})
            << Recipient::Treasury << none;
    }
    for (const char* uin : {"18209965144380684245", "32227599528907866667", "18810175160746758120",
                            "0322759952890786666712340", "0"}) {
        QTest::addRow("УИН %s", uin) << With(Budget(), {{kColumnUin, QString::fromUtf8(uin)}})
                                     << Recipient::Treasury << none;
    }
    row("ОКТМО of 11 digits", With(Budget(), {{kColumnOktmo, "45701000001"}}), Recipient::Treasury,
        none);
    row("КБК 0", With(Budget(), {{kColumnKbk, "0"}}), Recipient::Treasury, none);
    row("basis of two letters", With(Budget(), {{kColumnTaxBasis, "ТП"}}), Recipient::Treasury,
        none);
    row("status 19, withheld from a debtor's wages", With(Budget(), {{kColumnStatus, "19"}}),
        Recipient::Treasury, none);
    row("ordinary payment without a Код", With(OrderRow(), {{kColumnUin, ""}}), Recipient::Company,
        none);

    // Each field's own form.
    row("status not in the list", With(Budget(), {{kColumnStatus, "99"}}), Recipient::Treasury,
        {"Статус (101) «99»: такого статуса нет в списке"});
    row("КБК too short", With(Budget(), {{kColumnKbk, "1820106"}}), Recipient::Treasury,
        {"КБК (104) «1820106»: нужно 20 цифр, не все нули, или 0"});
    row("КБК of zeros", With(Budget(), {{kColumnKbk, "00000000000000000000"}}), Recipient::Treasury,
        {"КБК (104) «00000000000000000000»: нужно 20 цифр, не все нули, или 0"});
    row("ОКТМО of 7 digits", With(Budget(), {{kColumnOktmo, "4570100"}}), Recipient::Treasury,
        {"ОКТМО (105) «4570100»: нужно 8 или 11 цифр, не все нули, или 0"});
    row("basis of three letters", With(Budget(), {{kColumnTaxBasis, "ТПП"}}), Recipient::Treasury,
        {"Основание платежа (106) «ТПП»: нужно 2 знака или 0"});
    const QString periodForms = QStringLiteral(
        ": пишется как МС.01.2026, КВ.01.2026, ПЛ.01.2026, ГД.00.2026, дата ДД.ММ.ГГГГ, код "
        "таможни из 8 цифр или 0");
    for (const char* period : {"МС.13.2026", "КВ.05.2026", "ПЛ.03.2026", "ГД.01.2026", "МС.1.2026",
                               "31.02.2026", "2026"}) {
        QTest::addRow("period %s", period)
            << With(Budget(), {{kColumnTaxPeriod, QString::fromUtf8(period)}})
            << Recipient::Treasury
            << QStringList{QStringLiteral("Налоговый период (107) «%1»").arg(period) + periodForms};
    }
    row("document number of 16", With(Budget(), {{kColumnTaxDocNumber, "1234567890123456"}}),
        Recipient::Treasury,
        {"Номер документа (108) «1234567890123456»: не более 15 знаков или 0"});
    row("document date the other way", With(Budget(), {{kColumnTaxDocDate, "2026-03-05"}}),
        Recipient::Treasury, {"Дата документа (109) «2026-03-05»: нужна дата ДД.ММ.ГГГГ или 0"});
    row("110 of three", With(Budget(), {{kColumnTaxType, "123"}}), Recipient::Treasury,
        {"Тип платежа (110) «123»: не более 2 знаков"});
    row("УИН with a wrong check digit", With(Budget(), {{kColumnUin, "18209965144380684246"}}),
        Recipient::Treasury, {"Код (УИН) «18209965144380684246»: неверное контрольное число"});
    row("УИН of 25 digits with a wrong check digit",
        With(Budget(), {{kColumnUin, "0322759952890786666712341"}}), Recipient::Treasury,
        {"Код (УИН) «0322759952890786666712341»: неверное контрольное число"});
    row("УИН of 19 digits", With(Budget(), {{kColumnUin, "1820996514438068424"}}),
        Recipient::Treasury, {"Код (УИН) «1820996514438068424»: нужно 0 или 20 либо 25 цифр"});
    // Zeros pass the check digit: both passes leave 0.
    for (const int length : {20, 25}) {
        const QString zeros(length, u'0');
        QTest::addRow("УИН of %d zeros", length)
            << With(Budget(), {{kColumnUin, zeros}}) << Recipient::Treasury
            << QStringList{QStringLiteral("Код (УИН) «%1»: УИН из одних нулей не бывает; без УИН "
                                          "пишут 0")
                               .arg(zeros)};
    }

    // What a payment to the budget must carry.
    row("treasury account without a status", OrderRow(), Recipient::Treasury,
        {"статус плательщика (101) не указан, а платеж идет на казначейский счет"});
    row("status without КБК and the rest", With(OrderRow(), {{kColumnStatus, "01"}}),
        Recipient::Treasury,
        {"КБК (104): не указан, а статус плательщика указан",
         "ОКТМО (105): не заполнено: при платеже в бюджет пишут 0, если значения нет",
         "Основание платежа (106): не заполнено: при платеже в бюджет пишут 0, если значения нет",
         "Налоговый период (107): не заполнено: при платеже в бюджет пишут 0, если значения нет",
         "Номер документа (108): не заполнено: при платеже в бюджет пишут 0, если значения нет",
         "Дата документа (109): не заполнено: при платеже в бюджет пишут 0, если значения нет",
         "Код (УИН): не заполнен: при платеже в бюджет пишут УИН или 0, если его нет"});
    row("payment to the budget without a Код", With(Budget(), {{kColumnUin, ""}}),
        Recipient::Treasury,
        {"Код (УИН): не заполнен: при платеже в бюджет пишут УИН или 0, если его нет"});
    const QString taxService = QStringLiteral(
        "КБК (104): единый налоговый платеж платят получателю «Казначейство России (ФНС "
        "России)» (ИНН/КПП 7727406020/770701001, БИК 017003983, счет 03100643000000018500), а "
        "реквизиты получателя другие");
    row("single tax payment to another body", SingleTax(), Recipient::Treasury, {taxService});
    row("single tax payment to the old КПП", SingleTax(), Recipient::OldTaxService, {taxService});
    row("single tax payment with an ОКТМО", With(SingleTax(), {{kColumnOktmo, "45701000"}}),
        Recipient::TaxService,
        {"ОКТМО (105) «45701000»: у единого налогового платежа здесь пишут 0"});

    // The income-type code.
    row("income type to a company", With(OrderRow(), {{kColumnIncomeType, "1"}}),
        Recipient::Company,
        {"Наз. пл. (20) «1»: заполняется только при выплатах физическим лицам, а получатель — "
         "организация (ИНН из 10 цифр)"});
    row("income type 7", With(OrderRow(), {{kColumnIncomeType, "7"}}), Recipient::Person,
        {"Наз. пл. (20) «7»: нужен код от 1 до 5"});
}

void TestBudget::fieldsAgainstTheRules() {
    QFETCH(OrderRow, row);
    QFETCH(Recipient, recipient);
    QFETCH(QStringList, problems);
    const CRequisite record = RecipientOf(recipient);
    QStringList texts;
    for (const BudgetChecks::Problem& problem :
         BudgetChecks::Check(row, recipient == Recipient::None ? nullptr : &record)) {
        texts.append(problem.text);
    }
    QCOMPARE(texts, problems);
}

// The ЕНП as the tax service publishes it; a purpose already typed stays.
void TestBudget::singleTaxPaymentIsFilledWhole() {
    OrderRow row;
    row[kColumnPriority] = QStringLiteral("3");
    row[kColumnTaxType] = QStringLiteral("ПЕ");
    BudgetPayment::FillSingleTaxPayment(&row);
    const QStringList budget = row.Lines().mid(kOrderColumnCount);
    QCOMPARE(budget,
             (QStringList{"01", "18201061201010000510", "0", "0", "0", "0", "0", "", "0", ""}));
    QCOMPARE(row[kColumnPriority], QStringLiteral("5"));
    QCOMPARE(row[kColumnBasis], QStringLiteral("Единый налоговый платеж"));
    QCOMPARE(SingleTax()[kColumnBasis], QStringLiteral("Налоги за март"));
}

QTEST_GUILESS_MAIN(TestBudget)
#include "tst_budget.moc"
