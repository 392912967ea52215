#include "bank/OrderTransfer.h"

#include "form/AmountToWords.h"
#include "form/CVemoDoc.h"
#include "orders/OrderAmount.h"
#include "orders/OrderFields.h"
#include "orders/WorkingFolder.h"
#include "requisites/RequisitesFile.h"

namespace OrderTransfer {
namespace {

// The comparison is exact, letter case and blanks included: the same rule by which the order
// dialog preselects the names. A party not found gets the placeholders, so that no detail of the
// order drawn before stays beside its name.
void LookUp(const CRequisiteArray& requisites, int nKind, CRequisite& party,
            MissingParties& missing) {
    if (const CRequisite* record = FindRecord(requisites, party.m_strName)) {
        party = *record;
        return;
    }
    missing.append(MissingParty{nKind, party.m_strName});
    const QString name = party.m_strName;
    party = nKind == RequisitesFile::kPayersKind ? CVemoDoc::PayerPlaceholders()
                                                 : CVemoDoc::RecipientPlaceholders();
    party.m_strName = name;
}

// The book's record of the party alone, or none: the rest of a large book is never decoded.
CRequisiteArray FindParty(const WorkingFolder& folder, int nKind, const QString& name,
                          QStringList* warnings) {
    const FoundParty party = folder.FindParty(nKind, name);
    if (party.unreadable) {
        warnings->append(RequisitesFile::CannotReadMessage() + QStringLiteral(": ") +
                         RequisitesFile::FileName(nKind));
    }
    return party.found ? CRequisiteArray{party.record} : CRequisiteArray{};
}

}  // namespace

MissingParties TransferOrder(const OrderRow& row, const CRequisiteArray& payers,
                             const CRequisiteArray& recipients, CVemoDoc& doc) {
    // Each field as it stands in the row, the number with its blanks and the amount as typed.
    for (int column = 0; column < kOrderFieldCount; ++column) {
        if (const auto member = OrderFields::Of(column).member) {
            doc.*member = row[column];
        }
    }
    doc.m_payer.m_strName = row[kColumnPayer];
    doc.m_recipient.m_strName = row[kColumnRecipient];
    doc.m_strAmountInWords = AmountInWords(row[kColumnAmount]);
    // The current edition writes an amount in its own words and figures, and any other text as
    // stored, with no words.
    qint64 kopecks = 0;
    const bool isAmount = OrderAmount::ParseKopecks(row[kColumnAmount], &kopecks);
    doc.m_strAmountInFullWords = isAmount ? AmountToFullWords(kopecks) : QString();
    doc.m_strAmountFigures = isAmount ? AmountToFigures(kopecks) : row[kColumnAmount];
    MissingParties missing;
    LookUp(payers, RequisitesFile::kPayersKind, doc.m_payer, missing);
    LookUp(recipients, RequisitesFile::kRecipientsKind, doc.m_recipient, missing);
    emit doc.Changed();
    return missing;
}

QString MissingPartyMessage(const MissingParty& party) {
    const bool payer = party.nKind == RequisitesFile::kPayersKind;
    return QStringLiteral("%1 \"%2\" не найден в реквизитах %3")
        .arg(payer ? QStringLiteral("Плательщик") : QStringLiteral("Получатель"), party.name,
             payer ? QStringLiteral("плательщика") : QStringLiteral("получателя"));
}

QString AmountInWords(const QString& amountText) {
    qint64 kopecks = 0;
    if (!OrderAmount::ParseKopecks(amountText, &kopecks)) {
        return QString();
    }
    // Exact: every count of kopecks up to the limit has a double whose shortest decimal is it.
    return AmountToWords(double(kopecks) / 100.0);
}

bool HasAmountInWords(const QString& amountText) {
    qint64 kopecks = 0;
    return OrderAmount::ParseKopecks(amountText, &kopecks);
}

QString NoWordsMessage(const QString& amountText) {
    return QStringLiteral(
               "Сумма платежки «%1» записана не как сумма в рублях и копейках, поэтому "
               "сумма прописью на бланке не заполнена.\nИсправьте сумму в платежке.")
        .arg(amountText);
}

bool TransferOrderFile(const WorkingFolder& folder, int number, CVemoDoc& doc, QString* error,
                       QStringList* warnings) {
    QList<OrderRow> rows;
    if (!folder.ReadOrders({number}, &rows, error)) {
        return false;
    }
    const OrderRow& row = rows.constFirst();
    const CRequisiteArray recipients =
        FindParty(folder, kRecipientsKind, row[kColumnRecipient], warnings);
    const CRequisiteArray payers = FindParty(folder, kPayersKind, row[kColumnPayer], warnings);
    for (const MissingParty& party : TransferOrder(row, payers, recipients, doc)) {
        warnings->append(MissingPartyMessage(party));
    }
    if (!HasAmountInWords(row[kColumnAmount])) {
        warnings->append(NoWordsMessage(row[kColumnAmount]));
    }
    return true;
}

}  // namespace OrderTransfer
