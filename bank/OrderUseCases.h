#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include "bank/BankExport.h"
#include "bank/ChosenTotal.h"
#include "bank/OrderBatch.h"
#include "bank/OrderStates.h"
#include "bank/PartyChecks.h"
#include "form/FormEdition.h"
#include "orders/OrderRow.h"
#include "orders/WorkingFolder.h"

class CVemoDoc;

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

// Orders for the bank's client system, made now: one exchange file per payer's bank, each kept in
// the working folder as it is written (KeptFiles), so that the orders it holds are sent.
struct ExportFile {
    QString bik;   // the payer's bank
    QString bank;  // as the payer's record names it
    QString tag;   // what tells the file apart in its name from the others' (ExportBatch)
    QList<qsizetype> orders;  // places among the orders given, in their order
    ChosenTotal total;
};

// Whether an export takes orders that a kept export holds already.
enum class Resend {
    Refuse,  // the archive has asked the user first; the command line without --resend
    Allow,
};

struct Export {
    QString error;  // no orders, or an address book that cannot be read: nothing is made
    QList<OrderRefusal> refused;
    // The refused orders that went to the bank before, by their places among those given.
    QList<qsizetype> sentBefore;
    QList<ExportFile> files;  // one per payer's bank; none when nothing can go
    ChosenTotal total;        // of the orders in the files

    // Where each file goes when the user names path: the path itself for one, the path with the
    // tag of each file before its extension for several ("1c_to_kl_044525225.txt").
    QStringList Paths(const QString& path) const;

    // What the files are made of.
    QList<OrderRow> orders;
    CRequisiteArray payers;
    CRequisiteArray recipients;
    QList<BankExport::CheckedOrder> checked;
    QDateTime now;
};
// The orders checked and sorted into files by the payer's bank; states gives each order's state
// (OrderStates), for the orders that went to the bank before.
Export ExportOrders(const WorkingFolder& folder, const QList<OrderRow>& orders,
                    const QList<OrderStates::State>& states, Resend resend, Policy policy,
                    const QDateTime& now);

// The places of the orders that did not go to the bank: what an export takes when the user
// names no order.
QList<qsizetype> NotSent(const QList<OrderStates::State>& states);

// What became of the files of an export.
struct Written {
    // Why nothing was written, in the user's words; empty when every file was.
    QString error;
    QStringList paths;  // the files written, in the order of the export's files
    QStringList kept;   // their copies in the working folder
    // The files were written, but a copy could not be kept: those orders do not show as sent.
    QString keptError;
};
// Writes the export's files where the user says (Paths; "-" is standard output for one file) and
// keeps a copy of each, every byte as it is written, so that neither is held whole in memory. All
// files or none: each is given its name only once every one is on disk.
Written WriteExport(const WorkingFolder& folder, const Export& done, const QString& path);

// What the user is told once the files are written: each file with its count and total, and the
// payer's bank where there are several.
QString WrittenText(const Export& done, const Written& written);

// The archive as the orders archive and --list show it: the orders with their states.
struct Listing {
    StoredOrders orders;
    QList<OrderStates::State> states;  // one per order
    // The address books that cannot be read, named: the states are not known.
    QString error;
    QStringList unreadable;  // kept files, or the answers, that could not be read
};
Listing ListOrders(const WorkingFolder& folder, const QDate& today);

// The files of the orders given that went to the bank, as the kept files tell (SentBefore): a
// party's rename leaves them with the name the bank has.
QStringList SentFiles(const WorkingFolder& folder, const StoredOrders& orders, const QDate& today);

// The states of some orders of the folder's archive, changed, new or just exported, as ListOrders
// gives them, each order with its file.
QList<OrderStates::State> StatesOf(const WorkingFolder& folder, const StoredOrders& orders,
                                   const QDate& today);

}  // namespace OrderUseCases
