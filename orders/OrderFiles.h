#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "orders/OrderRow.h"

// The archive of payment orders: one file of ten lines per order, Vemo/vemo.N for order N, in
// the working directory. The set of files is the archive; there is no index.
namespace OrderFiles {

QString FileName(int number);

// Every order file of the archive, in ascending order of the number in its name. A name counts
// when that number is written in decimal without sign or leading zeros and is 1 or more. Files
// that can't be read (a folder at the name, for one) give no row; their names, as FileName
// writes them, are appended to *unreadable in the same order, so that the archive can say so.
QList<OrderRow> LoadOrders(QStringList* unreadable = nullptr);

// Writes the row to the file of the number, replacing it in one step. False when it could not be
// written; the file is then as it was.
bool SaveOrder(int number, const OrderRow& row);

bool RemoveOrder(int number);

bool Exists(int number);

}  // namespace OrderFiles
