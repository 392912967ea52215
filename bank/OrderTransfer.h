#pragma once

#include <QString>
#include <QStringList>

#include "common/CRequisiteArray.h"
#include "orders/OrderRow.h"

class CVemoDoc;

// Putting an order on the form.
namespace OrderTransfer {

// Fills the document from the order: its fields as they stand in the row (the number with its
// blanks), the amount in words, and each party's six details from the first record of its list
// whose name is exactly the order's. A party that is not found shows the order's name beside the
// placeholders of a fresh document, never another party's bank details. A payment to the budget
// by a payer without a KPP shows its KPP as "0" (BudgetPayment::PayerKpp).
// Returns why the form does not show the order whole, in the user's words: each party not in its
// book (the payer first), then an amount the form cannot write out in words. Empty when it does;
// the document keeps them as what it lacks, and paper never carries such an order.
QStringList TransferOrder(const OrderRow& row, const CRequisiteArray& payers,
                          const CRequisiteArray& recipients, CVemoDoc& doc);

// The amount in words for an order's amount text: the words of the amount that OrderAmount reads
// from it, or an empty line when the text is not such an amount. An order stored before amounts
// were checked may hold one; the form then shows its figures as stored and no words, rather than
// the words of some other amount.
QString AmountInWords(const QString& amountText);

}  // namespace OrderTransfer
