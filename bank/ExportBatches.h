#pragma once

#include <QList>
#include <QString>

#include "common/CRequisiteArray.h"

class OrderRow;

// Orders for the bank, one batch per payer's bank: a bank's client system takes payments from
// its own accounts only, so orders of payers at different banks go into one file per bank.
struct ExportBatch {
    QString bik;   // the payer's bank's BIK without blanks; empty for payers not in their book
    QString bank;  // the bank as the payer's record names it
    QList<qsizetype> orders;  // places in the list given, in its order
    // "1c_to_kl.txt" when all orders go to one bank; "1c_to_kl_044525225.txt" for each bank
    // otherwise, the BIK telling the files apart ("1c_to_kl_nobik.txt" for payers without one).
    QString fileName;

    // The batches in the order their banks first appear. Orders whose payer the book does not
    // hold make a batch of their own, which the export then refuses with its reasons.
    static QList<ExportBatch> Of(const QList<OrderRow>& orders, const CRequisiteArray& payers);
};
