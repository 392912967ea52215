#pragma once

#include "form/FormPlaces.h"

// Where the current edition puts its values, and the lines of its grid. The widths of its
// columns are those of the edition's drawing; its rows are lower than there, so that two copies
// still share an A4 page 140 mm apart: each room holds the lines its longest value needs, the
// names three, the banks and the amount in words two, every other value one.
namespace CurrentFormPlaces {

constexpr int Units(double mm) {
    return int(mm * 100 + (mm < 0 ? -0.5 : 0.5));
}

constexpr int kLeft = 500;
constexpr int kRight = kLeft + 18000;
constexpr int kGridTop = -3000;

// 0.01 mm from the left edge of the page for x = mm millimetres from the form's left edge:
// the form is 180 mm wide, from x = 500 to 18500.
constexpr int X(double mm) {
    return kLeft + Units(mm);
}
// y relative to the copy's offset for mm millimetres below the top of the grid (the top of
// the amount in words); the rows above the grid have negative mm.
constexpr int Y(double mm) {
    return kGridTop - Units(mm);
}

// The columns, as the edition's drawing has them.
constexpr int kWordsCaption = X(20.2);   // "Сумма прописью" | the words
constexpr int kKppColumn = X(50.2);      // ИНН | КПП
constexpr int kRightHalf = X(100.3);     // the parties | the accounts and codes
constexpr int kValueColumn = X(115.3);   // the captions of the right half | its values
constexpr int kCodeCaptions = X(135.3);  // the second pair of code cells
constexpr int kCodeValues = X(155.3);
// The budget row: 104 to 110, and where it ends.
constexpr int kBudgetColumns[8] = {X(0),     X(45.2),  X(75.2),  X(85.2),
                                   X(110.3), X(145.3), X(170.3), X(180)};
// The middle one of the three columns under the purpose: the signatures.
constexpr int kSignaturesLeft = X(60.3);
constexpr int kSignaturesRight = X(120.4);

// The grid's rows, in millimetres below its top.
constexpr double kPayerInnRow = 8.6;
constexpr double kPayerRow = 13.2;
constexpr double kPayerAccountRow = 19.0;  // the payer's own account, right half
constexpr double kPayerBankRow = 29.0;
constexpr double kPayerBankAccountRow = 33.6;  // right half, under the BIK
constexpr double kRecipientBankRow = 40.8;
constexpr double kRecipientBankAccountRow = 45.4;
constexpr double kRecipientInnRow = 52.6;
constexpr double kRecipientRow = 57.2;
constexpr double kCodeRows[4] = {59.2, 63.8, 68.4, 73.0};  // and their end
constexpr double kBudgetRow = 73.0;
constexpr double kPurposeRow = 77.6;
constexpr double kPurposeEnd = 93.4;  // under the purpose's caption
constexpr double kSignatureLines[2] = {103.4, 113.4};

// The narrowest the characters of "Код" may get: a 25-character УИН in its 20 mm cell.
constexpr double kUinNarrowest = 0.38;

FormPlaces::Place PlaceOf(FormField field);

}  // namespace CurrentFormPlaces
