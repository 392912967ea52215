#include "orders/OrderTransfer.h"

#include "common/LineFile.h"
#include "form/AmountToWords.h"
#include "form/CVemoDoc.h"
#include "orders/OrderFiles.h"
#include "requisites/AddressBook.h"
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

AddressBook ReadBook(int nKind, QStringList* warnings) {
    AddressBook book(RequisitesFile::FileName(nKind));
    if (book.Load() == AddressBook::Outcome::Unreadable) {
        warnings->append(QStringLiteral("cannot read %1").arg(book.Path()));
    }
    return book;
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
    emit doc.Changed();
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
    const AddressBook recipients = ReadBook(RequisitesFile::kRecipientsKind, warnings);
    const AddressBook payers = ReadBook(RequisitesFile::kPayersKind, warnings);
    TransferOrder(OrderRow::FromLines(lines), payers.Records(), recipients.Records(), doc);
    return true;
}

}  // namespace OrderTransfer
