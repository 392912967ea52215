#pragma once

#include <QString>
#include <QStringList>

#include "requisites/OrdersOfParty.h"

class WorkingFolder;

// A party renamed in its address book, renamed in the orders that name it: the payer's line of
// the orders for a payer, the recipient's line for a recipient, matched exactly as an order finds
// its parties.
namespace PartyRename {

// The order files of the folder that name the party of the kind by exactly that name.
QStringList FilesNaming(const WorkingFolder& folder, int nKind, const QString& name);

// Writes the new name into each order file that names the party by the old one, each in one
// step through the order files' writer; the names of the files that could not be written, which
// are as they were.
QStringList Rename(const WorkingFolder& folder, int nKind, const QString& oldName,
                   const QString& newName);

// The two above for the address book of the kind, as the requisites archive asks for them.
OrdersOfParty OrdersOf(const WorkingFolder& folder, int nKind);

}  // namespace PartyRename
