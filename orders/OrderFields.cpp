#include "orders/OrderFields.h"

#include <iterator>

#include "form/CVemoDoc.h"
#include "orders/OrderRow.h"

namespace {

using Doc = CVemoDoc;

// In the order of the columns. The parties' names go to the form with their records.
constexpr OrderField kFields[] = {
    // A bank numbers orders with at most six digits.
    {kColumnNumber, u"№", u"Номер", 6, &Doc::m_strNumber, u"Номер", FormField::Number, false},
    {kColumnDate, u"Дата", u"Дата", 0, &Doc::m_strDate, u"Дата", FormField::Date, false},
    {kColumnPayer, u"Плательщик", u"Плательщик", 0, nullptr, nullptr, FormField::PayerName, false},
    {kColumnRecipient, u"Получатель", u"Получатель", 0, nullptr, nullptr, FormField::RecipientName,
     false},
    {kColumnAmount, u"Сумма", u"Сумма", 0, &Doc::m_strAmount, u"Сумма", FormField::Amount, false},
    {kColumnBasis, u"Основание", u"Основание", 0, &Doc::m_strBasis, u"НазначениеПлатежа",
     FormField::Basis, false},
    {kColumnPaymentKind, u"Вид оплаты", u"Вид оплаты", 2, &Doc::m_strPaymentKind, u"ВидОплаты",
     FormField::PaymentKind, false},
    {kColumnPaymentTerm, u"Срок платежа", u"Срок платежа", 0, &Doc::m_strPaymentTerm,
     u"СрокПлатежа", FormField::PaymentTerm, false},
    {kColumnPriority, u"Очередность платежа", u"Очередность платежа", 1, &Doc::m_strPriority,
     u"Очередность", FormField::Priority, false},
    {kColumnPaymentType, u"Вид платежа", u"Вид платежа", 0, &Doc::m_strPaymentType, u"ВидПлатежа",
     FormField::PaymentType, false},
    {kColumnStatus, u"Статус (101)", u"Статус (101)", 2, &Doc::m_strStatus, u"СтатусСоставителя",
     FormField::Status, false},
    {kColumnKbk, u"КБК (104)", u"КБК (104)", 20, &Doc::m_strKbk, u"ПоказательКБК", FormField::Kbk,
     false},
    // The exchange file's key is older than the code it holds.
    {kColumnOktmo, u"ОКТМО (105)", u"ОКТМО (105)", 11, &Doc::m_strOktmo, u"ОКАТО", FormField::Oktmo,
     true},
    {kColumnTaxBasis, u"Основание платежа (106)", u"Основание (106)", 2, &Doc::m_strTaxBasis,
     u"ПоказательОснования", FormField::TaxBasis, true},
    {kColumnTaxPeriod, u"Налоговый период (107)", u"Период (107)", 10, &Doc::m_strTaxPeriod,
     u"ПоказательПериода", FormField::TaxPeriod, true},
    {kColumnTaxDocNumber, u"Номер документа (108)", u"Номер док. (108)", 15,
     &Doc::m_strTaxDocNumber, u"ПоказательНомера", FormField::TaxDocNumber, true},
    {kColumnTaxDocDate, u"Дата документа (109)", u"Дата док. (109)", 10, &Doc::m_strTaxDocDate,
     u"ПоказательДаты", FormField::TaxDocDate, true},
    {kColumnTaxType, u"Тип платежа (110)", u"Тип (110)", 2, &Doc::m_strTaxType, u"ПоказательТипа",
     FormField::TaxType, false},
    {kColumnUin, u"Код (УИН)", u"Код (УИН)", 25, &Doc::m_strUin, u"Код", FormField::Uin, false},
    {kColumnIncomeType, u"Наз. пл. (20)", u"Наз. пл.", 1, &Doc::m_strIncomeType, u"КодНазПлатежа",
     FormField::IncomeType, false},
};

constexpr bool InColumnOrder() {
    for (int column = 0; column < kOrderFieldCount; ++column) {
        if (kFields[column].column != column) {
            return false;
        }
    }
    return true;
}
static_assert(std::size(kFields) == kOrderFieldCount && InColumnOrder(),
              "one field a column, in the order of the columns");

}  // namespace

namespace OrderFields {

const OrderField& Of(int column) {
    return kFields[column];
}

}  // namespace OrderFields
