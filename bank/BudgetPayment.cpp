#include "bank/BudgetPayment.h"

#include <algorithm>

#include "orders/OrderFields.h"
#include "orders/OrderRow.h"

namespace BudgetPayment {

const char kSingleTaxKbk[] = "18201061201010000510";
const char kSingleTaxPurpose[] = "Единый налоговый платеж";

namespace {

const char kTaxServiceInn[] = "7727406020";

}  // namespace

const CodeList& Statuses() {
    static const CodeList statuses = {
        {QStringLiteral("01"), QStringLiteral("налогоплательщик — юридическое лицо")},
        {QStringLiteral("02"), QStringLiteral("налоговый агент")},
        {QStringLiteral("06"), QStringLiteral("участник ВЭД — юридическое лицо")},
        {QStringLiteral("08"), QStringLiteral("юрлицо или ИП, иные платежи в бюджет")},
        {QStringLiteral("13"), QStringLiteral("налогоплательщик — физическое лицо или ИП")},
        {QStringLiteral("16"), QStringLiteral("участник ВЭД — физическое лицо")},
        {QStringLiteral("17"), QStringLiteral("участник ВЭД — ИП")},
        {QStringLiteral("19"), QStringLiteral("удержано из зарплаты должника")},
        {QStringLiteral("24"), QStringLiteral("физическое лицо, иные платежи в бюджет")},
        {QStringLiteral("28"), QStringLiteral("получатель международного почтового отправления")},
        {QStringLiteral("30"), QStringLiteral("иностранное лицо (таможня)")},
        {QStringLiteral("31"), QStringLiteral("иные платежи")},
        {QStringLiteral("33"), QStringLiteral("иные платежи")},
        {QStringLiteral("34"), QStringLiteral("иные платежи")},
    };
    return statuses;
}

const CodeList& IncomeTypes() {
    static const CodeList types = {
        {QStringLiteral("1"), QStringLiteral("зарплата и доходы с ограничением взыскания")},
        {QStringLiteral("2"), QStringLiteral("периодические выплаты без взыскания")},
        {QStringLiteral("3"), QStringLiteral("периодические выплаты, взыскание ограничено")},
        {QStringLiteral("4"), QStringLiteral("разовые выплаты без взыскания")},
        {QStringLiteral("5"), QStringLiteral("возмещение вреда здоровью")},
    };
    return types;
}

bool IsKnownCode(const CodeList& codes, const QString& code) {
    return std::any_of(codes.begin(), codes.end(),
                       [&code](const CodeMeaning& known) { return known.code == code; });
}

CRequisite TaxServiceRecord() {
    CRequisite record;
    record.m_strName = QStringLiteral("Казначейство России (ФНС России)");
    record.m_strBank =
        QStringLiteral("ОКЦ № 7 ГУ Банка России по ЦФО//УФК по Тульской области, г Тула");
    record.m_strInnKpp = QStringLiteral("7727406020/770701001");
    record.m_strBik = QStringLiteral("017003983");
    record.*CorrespondentAccountMember(kRecipientsKind) = QStringLiteral("40102810445370000059");
    record.*OwnAccountMember(kRecipientsKind) = QStringLiteral("03100643000000018500");
    return record;
}

QDate TaxServiceDetailsDate() {
    return QDate(2025, 12, 4);  // the reason code changed then; the bank's name on 27.10.2025
}

bool IsTaxService(const CRequisite& record) {
    return SplitInnKpp(record.m_strInnKpp).inn == QLatin1String(kTaxServiceInn);
}

bool IsTreasuryAccount(const QString& account) {
    return account.trimmed().startsWith(QLatin1String("03"));
}

bool IsBudgetPayment(const OrderRow& row) {
    return !row[kColumnStatus].isEmpty();
}

QString PayerKpp(const OrderRow& row, const QString& kpp) {
    return kpp.isEmpty() && IsBudgetPayment(row) ? QStringLiteral("0") : kpp;
}

void FillSingleTaxPayment(OrderRow* row) {
    OrderRow& order = *row;
    order[kColumnStatus] = QStringLiteral("01");
    order[kColumnKbk] = QString::fromLatin1(kSingleTaxKbk);
    for (int column = kColumnOktmo; column < kOrderFieldCount; ++column) {
        if (OrderFields::Of(column).zeroWhenNone) {
            order[column] = QStringLiteral("0");
        }
    }
    order[kColumnTaxType].clear();
    order[kColumnUin] = QStringLiteral("0");
    order[kColumnPriority] = QStringLiteral("5");
    if (order[kColumnBasis].isEmpty()) {
        order[kColumnBasis] = QString::fromUtf8(kSingleTaxPurpose);
    }
}

}  // namespace BudgetPayment
