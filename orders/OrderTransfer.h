#pragma once

#include <QString>
#include <QStringList>

#include "orders/OrderRow.h"
#include "requisites/CRequisiteArray.h"

class CVemoDoc;

// Putting an order on the form.
namespace OrderTransfer {

// Fills the document from the order: its fields as they stand in the row (the number with its
// blanks), the amount in words, and each party's six details from the first record of its list
// whose name is exactly the order's. A party that is not found shows the order's name and keeps
// its other details as they were.
void TransferOrder(const OrderRow& row, const CRequisiteArray& payers,
                   const CRequisiteArray& recipients, CVemoDoc& doc);

// The same from order file N and the two requisites files of the working directory, reading
// only: nothing is written or created. False, with the reason in *error, when the order file is
// missing or cannot be read. A requisites file that cannot be read is named in *warnings.
bool TransferOrderFile(int number, CVemoDoc& doc, QString* error, QStringList* warnings);

}  // namespace OrderTransfer
