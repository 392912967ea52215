#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "requisites/OrdersOfParty.h"

class WorkingFolder;
struct StoredOrders;

// The order files, of those given, that went to the bank; the bank's side of the program knows.
using SentOrders = std::function<QStringList(const StoredOrders& orders)>;

// A party renamed in its address book, renamed in the orders that name it: the payer's line of
// the orders for a payer, the recipient's line for a recipient, matched exactly as an order finds
// its parties. A rename is recorded in the working folder before its book is written
// (RenameRecord), so that one cut short, by a kill or a full disk, is finished by Resume at the
// next start: the orders never name a party their book lost for good.
namespace PartyRename {

// The order files of the folder that name the party of the kind by exactly that name.
QStringList FilesNaming(const WorkingFolder& folder, int nKind, const QString& name);

// The orders of the folder that name the party of the kind by exactly that name, in file order,
// those that went to the bank marked.
QList<PartyOrder> Named(const WorkingFolder& folder, int nKind, const QString& name,
                        const SentOrders& sent = {});

// Records the rename, has writeBook write the address book (false: it was not written, and no
// order is touched), then writes the new name into each order file that names the party by the
// old one, each in one step, but the kept ones. The record goes once every order names the new
// name; otherwise it stays, with the orders left named in failed.
OrdersRenamed Rename(const WorkingFolder& folder, int nKind, const QString& oldName,
                     const QString& newName, const std::function<bool()>& writeBook,
                     const RenameProgress& progress = {}, const QStringList& kept = {});

// Finishes the rename the folder records, if its book holds the new name (it was written before
// the rename stopped): the orders still named by the old name take the new one. A rename that
// stopped before its book was written is forgotten, as nothing of it was done.
OrdersRenamed Resume(const WorkingFolder& folder, const RenameProgress& progress = {});

// The functions above for the address book of the kind, as the requisites archive asks for them:
// the orders that went to the bank, as sent tells, keep the name the bank has.
OrdersOfParty OrdersOf(const WorkingFolder& folder, int nKind, const SentOrders& sent = {});

}  // namespace PartyRename
