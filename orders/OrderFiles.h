#pragma once

#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>

#include "common/DesktopTrash.h"
#include "common/LineFile.h"
#include "orders/OrderRow.h"

// The archive of payment orders: one file of ten lines per order, Vemo/vemo.N for order N, in
// a working folder (the process's working directory unless another is given). The set of files
// is the archive; there is no index. The program reaches these through WorkingFolder.
namespace OrderFiles {

QString FileName(int number);

// Every order file of the archive, in ascending order of the number in its name. A name counts
// when that number is written in decimal without sign or leading zeros and is 1 or more. Files
// that can't be read (a folder at the name, for one) give no row; their names, as FileName
// writes them, are appended to *unreadable in the same order, so that the archive can say so.
// With files, the name of the file each row was read from is appended to it, row by row: the
// number in a file's name need not be the number written inside it.
QList<OrderRow> LoadOrders(QStringList* unreadable = nullptr, QStringList* files = nullptr,
                           const QDir& folder = QDir());

// The row of order file N, read as LoadOrders reads each file; an empty row unless Ok.
LineFile::ReadResult ReadOrder(int number, OrderRow* row, const QDir& folder = QDir());
// The row of an order file by its name, as FileName writes it ("Vemo/vemo.7"), read the same way.
LineFile::ReadResult ReadOrderFile(const QString& file, OrderRow* row, const QDir& folder = QDir());

// What the user is told about order files that could not be read: their names, the first few of
// a long list.
QString CannotReadMessage(const QStringList& unreadable);

// Writes the row to the file of the number, replacing it in one step. False when it could not be
// written, with the reason in *error (see LineFile::Write: a link or a FIFO at the name is
// refused); the file is then as it was.
bool SaveOrder(int number, const OrderRow& row, const QDir& folder = QDir(),
               QString* error = nullptr);
// The same for an order file by its name (as FileName gives it), whatever number it holds.
bool SaveOrderFile(const QString& file, const OrderRow& row, const QDir& folder = QDir(),
                   QString* error = nullptr);

// Removes an order file (a name as FileName gives it): into the desktop's trash where it can
// take the file, so that a slip can be undone, else for good; says which, for the user is told
// when it cannot be brought back. A link goes, never its target. Failed, with the system's reason
// in *error, when nothing was removed, a folder at the name included.
DesktopTrash::Removal RemoveOrderFile(const QString& file, const QDir& folder = QDir(),
                                      QString* error = nullptr);

// Whether anything stands at the name of order N, a link to nothing included: writing the order
// would replace it.
bool Exists(int number, const QDir& folder = QDir());

}  // namespace OrderFiles
