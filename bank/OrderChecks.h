#pragma once

#include <QStringList>
#include <optional>

#include "common/CRequisiteArray.h"
#include "orders/OrderRow.h"

// What is wrong with one payment order as it stands in the archive. Each problem is a text that
// names what is at fault, for the caller to put after the order's file name. The bank details of
// its payer and recipient are checked with their address book records, not here. Rules on the
// order's own fields (number, date, amount, ...) belong in this place, beside the parties.
namespace OrderChecks {

// The address books the parties are looked up in. A book that could not be read is absent, and
// its party is then not looked up: every order would report it missing.
struct AddressBooks {
    std::optional<CRequisiteArray> payers;
    std::optional<CRequisiteArray> recipients;
};

// A named payer or recipient that has no record of exactly that name in its address book, in the
// words of RequisitesFile::NotInBookMessage. An empty name is a party not chosen yet,
// not an error. Then an amount that is not one of roubles and kopecks above zero, in the words of
// OrderAmount::NotAnAmountMessage; an empty amount is one not written yet. Then the number and
// the priority as FieldFaults words them. Then every field that holds what the order file and the
// bank's file may not carry (a control character, a line break), as "поле «Основание»:
// недопустимые знаки ^K (код 11)".
QStringList Check(const OrderRow& row, const AddressBooks& books);

// A field of the order that is not what it holds, and what is wrong, as
// "номер «1234567»: нужно от 1 до 6 цифр".
struct FieldFault {
    int column;
    QString text;
};

// The number and the priority against their rules, the order dialog's, the check's and the
// export's alike: the number is one to six digits and not 0; the priority one digit from 1 to 5.
// Blanks around either are no part of it.
QList<FieldFault> FieldFaults(const OrderRow& row);

// What a reader of the bank's file may refuse the whole file for, or the bank return: FieldFaults'
// and BudgetChecks::MalformedFields' texts, in the order of the columns. The export refuses an
// order that has any. The recipient's record, when there is one, tells a treasury account.
QStringList MalformedFields(const OrderRow& row, const CRequisite* recipient);

}  // namespace OrderChecks
