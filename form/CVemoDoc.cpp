#include "form/CVemoDoc.h"

#include <utility>

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

    m_placeholders.set();
    m_lacks = QStringList{NoOrderMessage()};
}

QString CVemoDoc::NoOrderMessage() {
    return QStringLiteral("на бланке нет платежного поручения");
}

namespace {

// The budget fields and the income-type code, with their places on the form.
const std::pair<QString CVemoDoc::*, FormField> kBudgetFields[] = {
    {&CVemoDoc::m_strStatus, FormField::Status},
    {&CVemoDoc::m_strKbk, FormField::Kbk},
    {&CVemoDoc::m_strOktmo, FormField::Oktmo},
    {&CVemoDoc::m_strTaxBasis, FormField::TaxBasis},
    {&CVemoDoc::m_strTaxPeriod, FormField::TaxPeriod},
    {&CVemoDoc::m_strTaxDocNumber, FormField::TaxDocNumber},
    {&CVemoDoc::m_strTaxDocDate, FormField::TaxDocDate},
    {&CVemoDoc::m_strTaxType, FormField::TaxType},
    {&CVemoDoc::m_strUin, FormField::Uin},
    {&CVemoDoc::m_strIncomeType, FormField::IncomeType}};

// The fields that show a party's details other than its name.
const QList<FormField> kPayerDetails{
    FormField::PayerBank, FormField::PayerInnKpp,   FormField::PayerInn,     FormField::PayerKpp,
    FormField::PayerBik,  FormField::PayerAccount1, FormField::PayerAccount2};
const QList<FormField> kRecipientDetails{FormField::RecipientBank,    FormField::RecipientInnKpp,
                                         FormField::RecipientInn,     FormField::RecipientKpp,
                                         FormField::RecipientBik,     FormField::RecipientAccount1,
                                         FormField::RecipientAccount2};

}  // namespace

void CVemoDoc::ClearBudgetFields() {
    for (const auto& [member, field] : kBudgetFields) {
        (this->*member).clear();
    }
}

bool CVemoDoc::HasBudgetFields() const {
    for (const auto& [member, field] : kBudgetFields) {
        if (!(this->*member).isEmpty() && !ShowsPlaceholder(field)) {
            return true;
        }
    }
    return false;
}

void CVemoDoc::MakeBlank() {
    for (QString* field : {&m_strNumber, &m_strDate, &m_strAmountInWords, &m_strAmount,
                           &m_strPaymentKind, &m_strPaymentTerm, &m_strPriority, &m_strBasis,
                           &m_strPaymentType, &m_strAmountInFullWords, &m_strAmountFigures}) {
        field->clear();
    }
    ClearBudgetFields();
    m_recipient = CRequisite();
    m_payer = CRequisite();
    m_placeholders.reset();
    m_lacks.clear();
    emit Changed();
}

void CVemoDoc::BeginOrder() {
    m_placeholders.reset();
    m_lacks.clear();
}

void CVemoDoc::ShowPartyMissing(int nKind) {
    const bool payer = nKind == kPayersKind;
    CRequisite& party = payer ? m_payer : m_recipient;
    const QString name = party.m_strName;
    party = payer ? PayerPlaceholders() : RecipientPlaceholders();
    party.m_strName = name;
    for (FormField field : payer ? kPayerDetails : kRecipientDetails) {
        m_placeholders.set(size_t(field));
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

InnKpp CVemoDoc::InnKppPlaceholders(int nKind) {
    const QString party =
        nKind == kPayersKind ? QStringLiteral("плательщика") : QStringLiteral("получателя");
    return {QStringLiteral("ИНН ") + party, QStringLiteral("КПП ") + party};
}

CVemoDoc::~CVemoDoc() {
    if (g_pDoc == this) {
        g_pDoc = nullptr;
    }
}
