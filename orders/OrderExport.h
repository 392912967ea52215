#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "common/CRequisiteArray.h"
#include "orders/OrderRow.h"

// What an export to the bank reads from the working directory. Reading only: no data file is
// written or created.
namespace OrderExport {

// The numbered orders in the order given, each once, or every order of the archive when no number
// is given. False, with the reason in *error, when a named order is missing or an order file
// cannot be read: an export leaves nothing out unsaid.
bool ReadOrders(const QList<int>& numbers, QList<OrderRow>* orders, QString* error);

// Both address books. Returns the names of the files that are there but cannot be read; their
// records are then missing from the lists.
QStringList ReadBooks(CRequisiteArray* payers, CRequisiteArray* recipients);

}  // namespace OrderExport
