#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "common/CRequisite.h"
#include "common/CRequisiteArray.h"
#include "invoice/PaymentCode.h"
#include "orders/OrderRow.h"
#include "requisites/BikDirectory.h"
#include "requisites/RequisiteChecks.h"

// What an order takes from the payment code of a supplier's invoice: the recipient's details, the
// amount, the purpose and the fields of a payment to the budget. The payer is never taken from
// the code: the order keeps the payer chosen, and the code's payer INN is only held against it.
struct InvoiceOrder {
    // The recipient as the recipients' book would hold it: its name, bank, "ИНН/КПП", BIK, the
    // bank's correspondent account and its own account (see AccountsOf). The bank and the
    // correspondent account are the directory of BIKs' where it holds the BIK, else the code's.
    CRequisite recipient;
    // The record of the recipients' book that is this recipient (see FindRecipient), whose name
    // the order takes, for the code may spell it otherwise; -1 when the book has none and the
    // user is to add `recipient`.
    int bookIndex = -1;
    // The fields the code fills: the recipient's name, the amount as typed ("1000,00"), the
    // purpose, the budget fields (101, 104–110) and Код (the УИН). The others stay empty.
    OrderRow order;
    // A treasury account, or budget keys in the code: the order is a payment to the budget.
    bool budgetPayment = false;
    // The payer's INN the code names, digits only; empty when it names none.
    QString payerInn;
    // What came from the code, what the directory of BIKs gave instead, and what the code lacks
    // that an order needs, each as the words of the one line the user sees ("ИНН", "сумма").
    QStringList fromCode;
    QStringList fromDirectory;
    QStringList missing;
    // What else the user should know: a value of the code the directory replaced, a sum that is
    // not a count of kopecks, an obsolete key.
    QStringList notes;
    // The recipient's details checked as the address book checks a typed record, against the
    // directory of BIKs too (a BIK it lacks, a participant that takes no payments).
    QList<RequisiteChecks::Problem> problems;

    static InvoiceOrder FromCode(const PaymentCode& code, const CRequisiteArray& recipients,
                                 const BikDirectory& directory);

    // The record of the book that the code's recipient is: the first with its INN and own
    // account, blanks aside, whatever its name. A code without an INN finds the one record with
    // its own account at its BIK; a treasury account, which many recipients share, needs the INN.
    // -1 when there is none.
    static int FindRecipient(const CRequisiteArray& records, const CRequisite& fromCode);

    // What the user is told when the code's payer INN is not the chosen payer's; empty when it
    // is, or when the code names none.
    QString PayerInnNote(const CRequisite& payer) const;

    // In one line: "Из QR-кода: получатель, счет, БИК, …; из справочника БИК: банк, корр. счет.
    // Нет в коде: ИНН, суммы."
    QString Summary() const;

    // What the order takes, one field a line as "БИК: 044525225", for the command line: the
    // recipient's fields, the amount, the purpose, and for a budget payment its fields.
    QStringList Lines() const;
};
