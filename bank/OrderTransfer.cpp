#include "bank/OrderTransfer.h"

#include "bank/BudgetPayment.h"
#include "form/AmountToWords.h"
#include "form/CVemoDoc.h"
#include "orders/OrderAmount.h"
#include "orders/OrderFields.h"
#include "requisites/RequisitesFile.h"

namespace OrderTransfer {
namespace {

// The comparison is exact, letter case and blanks included: the same rule by which the order
// dialog preselects the names. A party not found gets the placeholders, so that no detail of the
// order drawn before stays beside its name.
void LookUp(const CRequisiteArray& requisites, int nKind, CVemoDoc& doc, QStringList* reasons) {
    CRequisite& party = nKind == kPayersKind ? doc.m_payer : doc.m_recipient;
    if (const CRequisite* record = FindRecord(requisites, party.m_strName)) {
        party = *record;
        return;
    }
    reasons->append(RequisitesFile::NotInBookMessage(nKind, party.m_strName));
    doc.ShowPartyMissing(nKind);
}

// A payment to the budget by a payer without a KPP shows "0" in its place (102).
void ShowPayerKpp(const OrderRow& row, CRequisite& payer) {
    const InnKpp innKpp = SplitInnKpp(payer.m_strInnKpp);
    const QString kpp = BudgetPayment::PayerKpp(row, innKpp.kpp);
    if (kpp != innKpp.kpp) {
        payer.m_strInnKpp = innKpp.inn + u'/' + kpp;
    }
}

}  // namespace

QStringList TransferOrder(const OrderRow& row, const CRequisiteArray& payers,
                          const CRequisiteArray& recipients, CVemoDoc& doc) {
    doc.BeginOrder();
    // Each field as it stands in the row, the number with its blanks and the amount as typed.
    for (int column = 0; column < kOrderFieldCount; ++column) {
        if (const auto member = OrderFields::Of(column).member) {
            doc.*member = row[column];
        }
    }
    doc.m_payer.m_strName = row[kColumnPayer];
    doc.m_recipient.m_strName = row[kColumnRecipient];
    const QString& amount = row[kColumnAmount];
    doc.m_strAmountInWords = AmountInWords(amount);
    // The current edition writes an amount in its own words and figures, and any other text as
    // stored, with no words.
    qint64 kopecks = 0;
    const bool isAmount = OrderAmount::ParseKopecks(amount, &kopecks);
    doc.m_strAmountInFullWords = isAmount ? AmountToFullWords(kopecks) : QString();
    doc.m_strAmountFigures = isAmount ? AmountToFigures(kopecks) : amount;
    QStringList reasons;
    LookUp(payers, kPayersKind, doc, &reasons);
    if (reasons.isEmpty()) {
        ShowPayerKpp(row, doc.m_payer);  // the payer's record, not the placeholders
    }
    LookUp(recipients, kRecipientsKind, doc, &reasons);
    if (!isAmount) {
        reasons.append(OrderAmount::NotAnAmountMessage(amount));  // the words stay empty
    }
    doc.m_lacks = reasons;
    emit doc.Changed();
    return reasons;
}

QString AmountInWords(const QString& amountText) {
    qint64 kopecks = 0;
    if (!OrderAmount::ParseKopecks(amountText, &kopecks)) {
        return QString();
    }
    // Exact: every count of kopecks up to the limit has a double whose shortest decimal is it.
    return AmountToWords(double(kopecks) / 100.0);
}

}  // namespace OrderTransfer
