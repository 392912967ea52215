#pragma once

#include <QByteArray>
#include <QString>

#include "routine/OrderRegister.h"

// The register as a table for spreadsheet programs, which open it as it is: code page 1251,
// fields between ";", CRLF line ends. A header row, a row per order (payer by payer), then after
// an empty row each payer's total and the grand total, the label in the recipient's column and
// the sum in the amount's. Amounts are written with a decimal comma and without grouping
// ("48300,00"), so that a spreadsheet reads them as numbers.
//
// A field holding ";", a quote or a line break is put in quotes, a quote inside doubled, as
// spreadsheet programs read them. A text that begins with "=", "+", "-" or "@" is written with an
// apostrophe in front: a spreadsheet would take it for a formula and run it.
namespace RegisterCsv {

QByteArray Bytes(const OrderRegister& reg);

// Writes the file completely or not at all ("-" is standard output); false with the reason in
// *error.
bool Write(const QString& path, const OrderRegister& reg, QString* error);

// One field as the file holds it.
QString Field(const QString& text);

}  // namespace RegisterCsv
