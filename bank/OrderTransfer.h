#pragma once

#include <QString>
#include <QStringList>

#include "common/CRequisiteArray.h"
#include "orders/OrderRow.h"

class CVemoDoc;
class WorkingFolder;

// Putting an order on the form.
namespace OrderTransfer {

// A party of the order whose name is not in its address book.
struct MissingParty {
    int nKind = 0;  // the address book: RequisitesFile::kPayersKind or kRecipientsKind
    QString name;
};
using MissingParties = QList<MissingParty>;

// Fills the document from the order: its fields as they stand in the row (the number with its
// blanks), the amount in words, and each party's six details from the first record of its list
// whose name is exactly the order's. A party that is not found shows the order's name beside the
// placeholders of a fresh document, never another party's bank details; it is returned, the
// payer before the recipient, so that the user can be told.
MissingParties TransferOrder(const OrderRow& row, const CRequisiteArray& payers,
                             const CRequisiteArray& recipients, CVemoDoc& doc);

// What the user is told about a missing party, in the program's language.
QString MissingPartyMessage(const MissingParty& party);

// The amount in words for an order's amount text: the words of the amount that OrderAmount reads
// from it, or an empty line when the text is not such an amount. An order stored before amounts
// were checked may hold one; the form then shows its figures as stored and no words, rather than
// the words of some other amount.
QString AmountInWords(const QString& amountText);
// Whether the form can write the amount text out in words.
bool HasAmountInWords(const QString& amountText);
// What the user is told when the form leaves the words of an order's amount empty.
QString NoWordsMessage(const QString& amountText);

// The same from order file N and the two address books of the folder, reading only: nothing is
// written or created. False, with the reason in *error, when the order file is missing or cannot
// be read. A book that cannot be read, each party that is not in its book, and an amount that the
// form cannot write out in words are told in *warnings, in the words the windows use.
bool TransferOrderFile(const WorkingFolder& folder, int number, CVemoDoc& doc, QString* error,
                       QStringList* warnings);

}  // namespace OrderTransfer
