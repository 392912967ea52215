#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include "form/FormEdition.h"
#include "orders/OrderRow.h"

// What a bank or a second look would question in an order that passed the order dialog's tests:
// warnings that the user may correct or keep. The order dialog asks; the rules are here.
namespace OrderSanity {

// A bank takes an order within 10 days of the day it was made out.
constexpr int kMostDaysBefore = 10;
// Further ahead than this, a date is more likely a slip of the year or month than a plan.
constexpr int kMostDaysAhead = 30;
// Orders to the same recipient for the same amount this close in time look like one payment.
constexpr int kDuplicateDays = 10;
// The longest purpose of payment a bank takes.
constexpr int kMostPurposeChars = 210;

// The field a warning is about, where correcting it starts.
enum class Field { Date, Amount, Basis, PaymentType, PaymentTerm };

struct Warning {
    Field field;
    QString text;  // what is wrong and what to do
};

// What the order is compared with.
struct Context {
    QList<OrderRow> others;  // the archive's other orders
    // Whether the order is a stored one being changed; its date as stored then, by which a date
    // that did not change is not questioned again.
    bool stored = false;
    QString storedDate;
    // The edition of the form the order is written for: today's rules ask less of the type (5)
    // and the term (19) of payment than those of 2001 did.
    FormEdition edition = FormEdition::Edition2001;
};

// The warnings about the order, in this order: its date, when it is new, a copy or redated
// (further back than kMostDaysBefore or ahead than kMostDaysAhead from today); a likely duplicate,
// in the same cases (another order to the same recipient for the same amount dated within
// kDuplicateDays of it, the closest named); for every order a purpose longer than
// kMostPurposeChars; and, written for the current edition, a type of payment (5) that is not
// empty, "срочно" or a code the bank set (digits and Latin letters), and a term of payment (19),
// which is not filled on a payment order today.
QList<Warning> Check(const OrderRow& order, const Context& context, const QDate& today);

}  // namespace OrderSanity
