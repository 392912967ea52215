#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include "bank/BankExport.h"
#include "bank/ChosenTotal.h"
#include "bank/OrderBatch.h"
#include "bank/PartyChecks.h"
#include "form/FormEdition.h"
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

// How the edition of the form was chosen for a job: remembered from the editor's Бланк menu, or
// given for this job alone (the command line's --form, or the user's answer when asked).
enum class EditionChoice { Remembered, Given };

// Whether a form may go on paper in an edition. Paper never carries a placeholder, nor, unless
// the edition was given for the job, an order on the edition of 2001 with fields that edition has
// no room for (they would be lost, and a bank returns such an order).
struct PaperCheck {
    QStringList lacks;  // what the document lacks: the order itself, a party, the amount's words
    QString noRoom;     // the edition of 2001 and fields it has no room for; empty otherwise
    QStringList Reasons() const;
    bool MayPrint() const { return lacks.isEmpty() && noRoom.isEmpty(); }
};
PaperCheck CheckPaper(const CVemoDoc& doc, FormEdition edition, EditionChoice choice);
// Why an order with budget fields or an income-type code cannot go on the edition of 2001.
QString NoRoomIn2001Message();

// One order on the form, as the screen shows it: always, with placeholders for what is missing.
struct Drawing {
    QString error;  // the address books that cannot be read, named; empty when both can be
    // Why the form does not show the order whole (OrderTransfer's reasons); empty when it does.
    QStringList notices;
    // That the edition the form is drawn in has no room for some of the order's fields, for the
    // face to offer the current edition; empty when it has room for all.
    QString noRoom;
    // The parties whose records break a bank rule, held against the directory of BIKs given.
    QList<PartyChecks::FaultyParty> faulty;
};
Drawing DrawOrder(const WorkingFolder& folder, const OrderRow& order, const BikDirectory& directory,
                  CVemoDoc& doc, FormEdition edition);

// Orders on paper in an edition, a page each in the order given; paper never carries an order
// that CheckPaper keeps off it.
struct Printing {
    QString error;  // an address book cannot be read: nothing is made
    OrderBatch batch;
};
Printing PrintOrders(const WorkingFolder& folder, const QList<OrderRow>& orders, Policy policy,
                     FormEdition edition, EditionChoice choice);

// Orders for the bank's client system, in its exchange file made now.
struct Export {
    QString error;  // no orders, or an address book that cannot be read: nothing is made
    BankExport::Result file;
    ChosenTotal total;  // of the orders in the file
};
Export ExportOrders(const WorkingFolder& folder, const QList<OrderRow>& orders, Policy policy,
                    const QDateTime& now);

}  // namespace OrderUseCases
