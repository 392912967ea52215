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
    // What tells the batch's file apart from the others' when there are several: the BIK
    // ("044525225"), "nobik" for payers without one; empty for a batch alone.
    QString tag;
    // "1c_to_kl.txt" when all orders go to one bank; "1c_to_kl_044525225.txt" for each bank
    // otherwise, the BIK telling the files apart ("1c_to_kl_nobik.txt" for payers without one).
    QString fileName;

    // The batches in the order their banks first appear. Orders whose payer the book does not
    // hold make a batch of their own, which the export then refuses with its reasons.
    static QList<ExportBatch> Of(const QList<OrderRow>& orders, const CRequisiteArray& payers);
    // The same for orders whose payers are found already: the record of each order's payer, null
    // for one not in the book.
    static QList<ExportBatch> ByPayer(const QList<const CRequisite*>& payerOfOrder);

    // The file of the batch when the user names path: the path itself for a batch alone, else the
    // path with the tag after the name, before its extension ("bank/1c_to_kl_044525225.txt").
    QString PathFrom(const QString& path) const;
};
