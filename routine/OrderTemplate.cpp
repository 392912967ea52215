#include "routine/OrderTemplate.h"

#include "orders/OrderTexts.h"
#include "routine/PeriodShift.h"

OrderRow OrderTemplate::NewOrder(int number, const QDate& date, const QDate& periodMonth) const {
    OrderRow row = order;
    row[kColumnNumber] = OrderTexts::NumberText(number);
    row[kColumnDate] = OrderTexts::DateText(date);
    const int months = PeriodShift::MonthsBetween(month, periodMonth);
    row[kColumnBasis] = PeriodShift::Move(order[kColumnBasis], months);
    if (!order[kColumnTaxPeriod].isEmpty()) {
        row[kColumnTaxPeriod] = PeriodShift::Move(order[kColumnTaxPeriod], months);
    }
    return row;
}

bool OrderTemplate::operator==(const OrderTemplate& other) const {
    return id == other.id && name == other.name && order == other.order && month == other.month &&
           recurrence == other.recurrence && skipped == other.skipped && made == other.made;
}
