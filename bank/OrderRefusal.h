#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class OrderRow;

// An order that a job cannot take whole, and why: the orders archive lists it before it asks the
// user, the command line names it as it refuses the job.
struct OrderRefusal {
    qsizetype index = -1;  // its place among the orders given
    QString number;        // its number without blanks
    QStringList reasons;   // every reason, in the user's words

    // The refusal of the order at the index, for the reasons given.
    static OrderRefusal Of(qsizetype index, const OrderRow& order, const QStringList& reasons);

    // "Платежка 7: плательщик «ООО Лютик» не найден в pltRecv.dat; сумма …"
    QString Text() const;
    // The refused orders, one a line; a control character in a quoted value is shown as "^K".
    static QString ListText(const QList<OrderRefusal>& refused);
};
