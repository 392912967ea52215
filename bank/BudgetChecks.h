#pragma once

#include <QList>
#include <QString>

#include "common/CRequisite.h"
#include "orders/OrderRow.h"

// The fields of a payment to the budget (101, 104–110, 22) and the income-type code (20) checked
// as a bank checks them. Like the bank-detail checks they only warn: the user may correct the
// order or keep it as it is. An ordinary payment leaves all of them empty and passes.
namespace BudgetChecks {

// One broken rule: the field at fault (its column) and what is wrong, naming the field by its
// caption and number, as "КБК (104) «1820106»: 20 цифр, не все нули, или 0".
struct Problem {
    int column;
    QString text;
};

// Every broken rule of the order's budget fields, in the order of the fields. The recipient's
// record, when there is one, tells a payment to a treasury account (which must carry a status),
// whether the single tax payment goes to the tax service, and whether the recipient is a company
// (which takes no income-type code).
QList<Problem> Check(const OrderRow& row, const CRequisite* recipient);

// What the export refuses, a subset of Check's in the same words: a field whose value breaks its
// own form (a date that is none, a code out of its list, a УИН with a wrong check digit), which a
// reader of the bank's file may refuse the whole file for, and a payment to the budget that lacks
// its status, an indicator or its Код, which the bank returns. The single tax payment to other
// details and an income-type code for a company stay warnings: the program's own knowledge of
// them may be older than the user's.
QList<Problem> MalformedFields(const OrderRow& row, const CRequisite* recipient);

// Whether a payment identifier (УИН) of 20 or 25 digits has the right check digit.
bool UinCheckDigitAgrees(const QString& uin);

}  // namespace BudgetChecks
