#include "orders/OrderTransfer.h"

#include "common/LineFile.h"
#include "form/AmountToWords.h"
#include "form/CVemoDoc.h"
#include "orders/OrderAmount.h"
#include "orders/OrderFiles.h"
#include "requisites/RequisitesFile.h"

namespace OrderTransfer {
namespace {

// The comparison is exact, letter case and blanks included: the same rule by which the order
// dialog preselects the names.
void LookUp(const CRequisiteArray& requisites, CRequisite& party) {
    for (const CRequisite& record : requisites) {
        if (record.m_strName == party.m_strName) {
            party = record;
            return;
        }
    }
}

CRequisiteArray ReadRequisites(int nKind, QStringList* warnings) {
    CRequisiteArray requisites;
    const QString path = RequisitesFile::FileName(nKind);
    if (RequisitesFile::Read(path, &requisites) == LineFile::ReadResult::Unreadable) {
        warnings->append(QStringLiteral("cannot read %1").arg(path));
    }
    return requisites;
}

}  // namespace

void TransferOrder(const OrderRow& row, const CRequisiteArray& payers,
                   const CRequisiteArray& recipients, CVemoDoc& doc) {
    doc.m_strNumber = row[kColumnNumber];
    doc.m_strDate = row[kColumnDate];
    doc.m_payer.m_strName = row[kColumnPayer];
    doc.m_recipient.m_strName = row[kColumnRecipient];
    doc.m_strAmount = row[kColumnAmount];
    doc.m_strAmountInWords = AmountToWords(ParseAmount(row[kColumnAmount]));
    doc.m_strBasis = row[kColumnBasis];
    doc.m_strPriority = row[kColumnPriority];
    doc.m_strPaymentTerm = row[kColumnPaymentTerm];
    doc.m_strPaymentKind = row[kColumnPaymentKind];
    doc.m_strPaymentType = row[kColumnPaymentType];
    LookUp(payers, doc.m_payer);
    LookUp(recipients, doc.m_recipient);
}

bool TransferOrderFile(int number, CVemoDoc& doc, QString* error, QStringList* warnings) {
    const QString path = OrderFiles::FileName(number);
    QStringList lines;
    switch (LineFile::Read(path, &lines)) {
        case LineFile::ReadResult::Ok:
            break;
        case LineFile::ReadResult::Missing:
            *error = QStringLiteral("there is no order %1 (%2)").arg(number).arg(path);
            return false;
        case LineFile::ReadResult::Unreadable:
            *error = QStringLiteral("cannot read order %1 (%2)").arg(number).arg(path);
            return false;
    }
    const CRequisiteArray recipients = ReadRequisites(RequisitesFile::kRecipientsKind, warnings);
    const CRequisiteArray payers = ReadRequisites(RequisitesFile::kPayersKind, warnings);
    TransferOrder(OrderRow::FromLines(lines), payers, recipients, doc);
    return true;
}

}  // namespace OrderTransfer
