#pragma once

#include <QByteArray>
#include <QString>

#include "routine/OrderRegister.h"

class QPagedPaintDevice;

// The register on paper, for the director's signature: its title and date, a table of the orders
// (№, date, recipient, purpose, amount, and their state when any order has one) under a heading
// per payer with the payer's total, the grand total, and the lines where the director signs and
// dates it. Amounts are written as the archive writes them, in groups of three ("48 300,00"). The
// table's head stands again on every page, and every page is numbered.
namespace RegisterDrawing {

// Draws the pages on a printer or a PDF writer, as its page layout gives them.
void Draw(QPagedPaintDevice& device, const OrderRegister& reg);

// The register as an A4 PDF document.
QByteArray Pdf(const OrderRegister& reg);

// Writes the register to the file its name says: a PDF for ".pdf", the table for spreadsheets
// for ".csv" (letter case ignored), completely or not at all. False, with *error naming the file
// and the reason, for any other name and when the file could not be written.
bool WriteFile(const QString& path, const OrderRegister& reg, QString* error);

}  // namespace RegisterDrawing
