#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <functional>

#include "orders/OrderRow.h"
#include "routine/OrderTemplate.h"
#include "routine/TemplateStore.h"

// A repeated payment that has fallen due and has no order yet.
struct DuePayment {
    OrderTemplate source;  // the template it repeats
    Occurrence occurrence;
    bool isNew = false;  // fell due after the day the payments were last looked at
    // The period the payment is for, as its purpose or field 107 will name it ("декабрь 2026",
    // "1 квартал 2027"); the payment's month when they name none.
    QString period;

    // "Аренда за декабрь 2026 — 185 000,00"; the second payment of a month paid twice says so.
    QString Text() const;
    // The order to make: the number given, the date of the day, the rest the template's, its
    // periods moved to the payment's month.
    OrderRow NewOrder(int number, const QDate& today) const;
};

// What the start of the editor and the archive offer: the payments due, and the templates that
// could not be read.
struct DueList {
    QList<DuePayment> payments;  // oldest due first
    TemplateList templates;      // as read, the damaged ones among them
};

// Which payments of repeated templates are due. A payment is due from its due day on (see
// Recurrence) until it has an order or is skipped. It has an order when
//   - the order recorded as made for it (TemplateStore::MarkMade) is still in the archive with the
//     template's payer and recipient (an order deleted since, or its number given to another
//     order, makes the payment due again); or
//   - an order of the archive made by other means ("Создать копию" of last month's order) has
//     the template's payer and recipient and exactly the purpose the template gives for that
//     month. This is told only for a purpose that names its period (a purpose that reads the same
//     every month would take any month's order for this one's); of a month paid twice, each such
//     order answers one payment.
namespace DuePayments {

QList<DuePayment> Find(const QList<OrderTemplate>& templates, const QList<OrderRow>& orders,
                       const QDate& lastCheck, const QDate& today);

// The templates and the day of the last check read from the store, the orders as the archive
// read them.
DueList Read(const TemplateStore& store, const QList<OrderRow>& orders, const QDate& today);
// The same, the orders asked for only when a template repeats: an open archive keeps them packed,
// and most folders have no such template.
DueList Read(const TemplateStore& store, const std::function<QList<OrderRow>()>& orders,
             const QDate& today);

}  // namespace DuePayments
