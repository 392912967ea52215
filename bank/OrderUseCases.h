#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include "bank/BankExport.h"
#include "bank/ChosenTotal.h"
#include "bank/OrderBatch.h"
#include "bank/PartyChecks.h"
#include "orders/OrderRow.h"

class CVemoDoc;
class WorkingFolder;

// What the user does with orders, each once for its two faces: the orders archive and the command
// line. Each reads what it needs through the working folder, never writing there, and returns
// what it made with the orders it could not take whole; the faces show it, and write it where the
// user says. Which orders cannot be taken is decided here, by the rules of the form and of the
// bank's file.
namespace OrderUseCases {

// What a job does when some of its orders cannot be taken whole.
enum class Policy {
    LeaveOut,     // the others are made; the archive then asks the user for them or nothing
    RefuseWhole,  // nothing is made; the command line names every refused order
};

// One order on the form, as the screen shows it: always, with placeholders for what is missing.
struct Drawing {
    QString error;  // the address books that cannot be read, named; empty when both can be
    // Why the form does not show the order whole (OrderTransfer's reasons); empty when it does.
    QStringList notices;
    // The parties whose records break a bank rule, held against the directory of BIKs given.
    QList<PartyChecks::FaultyParty> faulty;
};
Drawing DrawOrder(const WorkingFolder& folder, const OrderRow& order, const BikDirectory& directory,
                  CVemoDoc& doc);

// Orders on paper, a page each in the order given; paper never carries an order that cannot be
// drawn whole.
struct Printing {
    QString error;  // an address book cannot be read: nothing is made
    OrderBatch batch;
};
Printing PrintOrders(const WorkingFolder& folder, const QList<OrderRow>& orders, Policy policy);

// Orders for the bank's client system, in its exchange file made now.
struct Export {
    QString error;  // no orders, or an address book that cannot be read: nothing is made
    BankExport::Result file;
    ChosenTotal total;  // of the orders in the file
};
Export ExportOrders(const WorkingFolder& folder, const QList<OrderRow>& orders, Policy policy,
                    const QDateTime& now);

}  // namespace OrderUseCases
