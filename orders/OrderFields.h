#pragma once

#include <QString>

#include "form/FormField.h"

class CVemoDoc;

// One field of an order as every part of the program knows it. A field added to the order is a
// column in OrderRow.h and a row of the table in OrderFields.cpp; the archive's list, the order
// dialog, the checks, the transfer to the form and the export read it from there.
struct OrderField {
    int column;               // its place in the row; the order file holds it on line column + 1
    const char16_t* caption;  // the archive's column header and the messages' name: "Основание"
    const char16_t* label;  // the order dialog's label: "Основание (106)" among the budget fields
    // The longest text the field holds, its blanks around aside; 0 for no limit. The dialog's
    // budget fields and kind of payment let no more be typed; the number and the priority are
    // refused at OK.
    int maxLength;
    QString CVemoDoc::*member;  // where the document holds it; null for a party, whose record goes
    const char16_t* exportKey;  // its key in the bank's exchange file; null for a party
    FormField formField;        // its place on the form
    // A budget indicator (105–109), which a payment to the budget writes as "0" when it has none.
    bool zeroWhenNone;

    QString Caption() const { return QString::fromUtf16(caption); }
    QString Label() const { return QString::fromUtf16(label); }
    QString ExportKey() const { return QString::fromUtf16(exportKey); }
};

namespace OrderFields {

// The field of a column of OrderRow.
const OrderField& Of(int column);

inline QString Caption(int column) {
    return Of(column).Caption();
}

}  // namespace OrderFields
