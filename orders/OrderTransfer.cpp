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
// dialog preselects the names. A party not found gets the placeholders, so that no detail of the
// order drawn before stays beside its name.
void LookUp(const CRequisiteArray& requisites, int nKind, CRequisite& party,
            MissingParties& missing) {
    for (const CRequisite& record : requisites) {
        if (record.m_strName == party.m_strName) {
            party = record;
            return;
        }
    }
    missing.append(MissingParty{nKind, party.m_strName});
    const QString name = party.m_strName;
    party = nKind == RequisitesFile::kPayersKind ? CVemoDoc::PayerPlaceholders()
                                                 : CVemoDoc::RecipientPlaceholders();
    party.m_strName = name;
}

// The book's record of the party alone, or none: the rest of a large book is never decoded.
CRequisiteArray FindParty(int nKind, const QString& name, QStringList* warnings) {
    const QString path = RequisitesFile::FileName(nKind);
    CRequisite record;
    bool found = false;
    if (RequisitesFile::FindByName(path, name, &record, &found) ==
        LineFile::ReadResult::Unreadable) {
        warnings->append(QStringLiteral("cannot read %1").arg(path));
    }
    return found ? CRequisiteArray{record} : CRequisiteArray{};
}

}  // namespace

MissingParties TransferOrder(const OrderRow& row, const CRequisiteArray& payers,
                             const CRequisiteArray& recipients, CVemoDoc& doc) {
    doc.m_strNumber = row[kColumnNumber];
    doc.m_strDate = row[kColumnDate];
    doc.m_payer.m_strName = row[kColumnPayer];
    doc.m_recipient.m_strName = row[kColumnRecipient];
    doc.m_strAmount = row[kColumnAmount];
    doc.m_strAmountInWords = AmountInWords(row[kColumnAmount]);
    // The current edition writes an amount in its own words and figures, and any other text as
    // stored, with no words. The order holds no budget fields yet: they are left empty.
    qint64 kopecks = 0;
    const bool isAmount = OrderAmount::ParseKopecks(row[kColumnAmount], &kopecks);
    doc.m_strAmountInFullWords = isAmount ? AmountToFullWords(kopecks) : QString();
    doc.m_strAmountFigures = isAmount ? AmountToFigures(kopecks) : row[kColumnAmount];
    doc.ClearBudgetFields();
    doc.m_strBasis = row[kColumnBasis];
    doc.m_strPriority = row[kColumnPriority];
    doc.m_strPaymentTerm = row[kColumnPaymentTerm];
    doc.m_strPaymentKind = row[kColumnPaymentKind];
    doc.m_strPaymentType = row[kColumnPaymentType];
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
    const OrderRow row = OrderRow::FromLines(lines);
    const CRequisiteArray recipients =
        FindParty(RequisitesFile::kRecipientsKind, row[kColumnRecipient], warnings);
    const CRequisiteArray payers =
        FindParty(RequisitesFile::kPayersKind, row[kColumnPayer], warnings);
    const MissingParties missing = TransferOrder(row, payers, recipients, doc);
    for (const MissingParty& party : missing) {
        const bool payer = party.nKind == RequisitesFile::kPayersKind;
        warnings->append(
            QStringLiteral(
                "%1 \"%2\" is not in %3: the form shows placeholders for its bank details")
                .arg(payer ? QStringLiteral("payer") : QStringLiteral("recipient"), party.name,
                     RequisitesFile::FileName(party.nKind)));
    }
    if (!HasAmountInWords(row[kColumnAmount])) {
        warnings->append(QStringLiteral("the amount \"%1\" of order %2 is not an amount of roubles "
                                        "and kopecks: the form leaves the amount in words empty")
                             .arg(row[kColumnAmount])
                             .arg(number));
    }
    return true;
}

}  // namespace OrderTransfer
