#pragma once

#include <QDate>
#include <QMap>
#include <QString>
#include <QStringList>

#include "orders/OrderRow.h"
#include "routine/Recurrence.h"

// An order kept under a name to make new orders from: all its fields, the month it was written
// in, and when its payment repeats, with what became of each payment due so far.
struct OrderTemplate {
    int id = 0;  // the number in its file's name; 0 until it is first saved
    QString name;
    OrderRow order;
    // The month the order's date fell in: the periods its purpose and field 107 name are counted
    // from it ("за ноябрь 2026" in an order of November is this month's, in one of December the
    // last month's).
    QDate month;
    Recurrence recurrence;
    QStringList skipped;      // the keys of the payments the user skipped (Occurrence::Key)
    QMap<QString, int> made;  // key of a payment → the number of the order made for it

    // A new order: the number and the date given, the rest the template's, with the periods in
    // its purpose and its field 107 moved along by the months from the template's month to
    // periodMonth (the month of the payment; that of the date when it is made by hand).
    OrderRow NewOrder(int number, const QDate& date, const QDate& periodMonth) const;
    OrderRow NewOrder(int number, const QDate& date) const { return NewOrder(number, date, date); }

    bool operator==(const OrderTemplate& other) const;
};
