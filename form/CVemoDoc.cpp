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

    m_recipient.m_strName = QStringLiteral("Название получателя");
    m_recipient.m_strBank = QStringLiteral("Банк получателя");
    m_recipient.m_strInnKpp = QStringLiteral("ИНН/КПП получателя");
    m_recipient.m_strBik = QStringLiteral("БИК получателя");
    m_recipient.m_strAccount1 = QStringLiteral("Счет1 получателя");
    m_recipient.m_strAccount2 = QStringLiteral("Счет2 получателя");

    m_payer.m_strName = QStringLiteral("Название плательщика");
    m_payer.m_strBank = QStringLiteral("Банк плательщика");
    m_payer.m_strInnKpp = QStringLiteral("ИНН/КПП плательщика");
    m_payer.m_strBik = QStringLiteral("БИК плательщика");
    m_payer.m_strAccount1 = QStringLiteral("Счет1 плательщика");
    m_payer.m_strAccount2 = QStringLiteral("Счет2 плательщика");
}

CVemoDoc::~CVemoDoc() {
    if (g_pDoc == this) {
        g_pDoc = nullptr;
    }
}
