#include "form/CVemoDoc.h"

CVemoDoc* g_pDoc = nullptr;

CVemoDoc::CVemoDoc() {
    g_pDoc = this;

    m_strNumber = QStringLiteral("Номер");
    m_strDate = QStringLiteral("дата");
    m_strAmountInWords = QStringLiteral("Сумма прописью");
    m_strAmount = QStringLiteral("Сумма");
    m_strPaymentKind = QStringLiteral("во");
    m_strPaymentTerm = QStringLiteral("срок пл.");
    m_strPriority = QStringLiteral("очер. пл.");
    m_strBasis = QStringLiteral("Налог ...");
    m_strPaymentType = QStringLiteral("вид платежа");

    m_recipient = RecipientPlaceholders();
    m_payer = PayerPlaceholders();

    m_strAmountInFullWords = m_strAmountInWords;
    m_strAmountFigures = m_strAmount;
    m_strStatus = QStringLiteral("ст.");
    m_strKbk = QStringLiteral("КБК");
    m_strOktmo = QStringLiteral("ОКТМО");
    m_strTaxBasis = QStringLiteral("осн.");
    m_strTaxPeriod = QStringLiteral("период");
    m_strTaxDocNumber = QStringLiteral("номер док.");
    m_strTaxDocDate = QStringLiteral("дата док.");
    m_strTaxType = QStringLiteral("тип");
    m_strUin = QStringLiteral("код");
    m_strIncomeType = QStringLiteral("наз.");
}

void CVemoDoc::ClearBudgetFields() {
    for (QString* field :
         {&m_strStatus, &m_strKbk, &m_strOktmo, &m_strTaxBasis, &m_strTaxPeriod, &m_strTaxDocNumber,
          &m_strTaxDocDate, &m_strTaxType, &m_strUin, &m_strIncomeType}) {
        field->clear();
    }
}

namespace {

// A party's placeholders name each field after the party, as "Банк получателя".
CRequisite Placeholders(const QString& party) {
    CRequisite placeholders;
    placeholders.m_strName = QStringLiteral("Название ") + party;
    placeholders.m_strBank = QStringLiteral("Банк ") + party;
    placeholders.m_strInnKpp = QStringLiteral("ИНН/КПП ") + party;
    placeholders.m_strBik = QStringLiteral("БИК ") + party;
    placeholders.m_strAccount1 = QStringLiteral("Счет1 ") + party;
    placeholders.m_strAccount2 = QStringLiteral("Счет2 ") + party;
    return placeholders;
}

}  // namespace

CRequisite CVemoDoc::PayerPlaceholders() {
    return Placeholders(QStringLiteral("плательщика"));
}

CRequisite CVemoDoc::RecipientPlaceholders() {
    return Placeholders(QStringLiteral("получателя"));
}

CVemoDoc::~CVemoDoc() {
    if (g_pDoc == this) {
        g_pDoc = nullptr;
    }
}
