#pragma once

#include "form/FormEdition.h"
#include "form/FormPlaces.h"

// The rows of the current edition, in millimetres below the top of its grid (the top of the
// amount in words; the rows above the grid have negative values), and the fonts it writes in. At
// its full size they are the edition's published drawing; two copies on a sheet 140 mm apart
// take lower rows, where each room holds the lines its longest value needs (the names three, the
// banks and the amount in words two, every other value one) in the smaller fonts of the edition
// of 2001. The columns are the same in both.
struct CurrentFormGrid {
    double payerInnRow = 0;          // ИНН and КПП of the payer
    double payerRow = 0;             // the payer's name
    double payerAccountRow = 0;      // right half: "Сч. №" of the payer's own account
    double payerBankRow = 0;         // the payer's bank; right half: its BIK
    double payerBankAccountRow = 0;  // right half: the bank's account
    double recipientBankRow = 0;     // the recipient's bank; right half: its BIK
    double recipientBankAccountRow = 0;
    double recipientInnRow = 0;  // ИНН and КПП of the recipient; right half: its own account
    double recipientRow = 0;     // the recipient's name
    double codeRows[4] = {};     // the three rows of code cells, and their end
    double budgetRow = 0;        // 104 to 110
    double purposeRow = 0;       // the purpose
    double purposeEnd = 0;       // under the purpose's caption
    double signatureLines[2] = {};
    double captionBand = 0;      // a name's or a bank's caption, above the end of its cell
    double captionDrop = 0;      // a caption beside a value, under the top of its row
    double wordsCaptionTop = 0;  // "Сумма прописью", under the top of the grid
    double valueDrop = 0;        // a value's first line under the top of its row

    // Above the grid: the form's code in its box, the lines the bank writes its dates over, the
    // title with the order's number, the lines of the date and the type of payment with their
    // captions under them, and the payer's status in its box.
    double codeBoxTop = 0, codeBoxBottom = 0, codeTop = 0;
    double bankLine = 0, bankCaption = 0;
    double titleTop = 0, titleBottom = 0, titleRight = 0;  // the number follows the title
    double dateLine = 0, dateValueTop = 0, dateCaption = 0;
    double statusBoxTop = 0, statusTop = 0;

    FormFont valueFont = FormFont::Text;
    FormFont titleFont = FormFont::Title;

    static const CurrentFormGrid& FullSize();
    static const CurrentFormGrid& TwoOnASheet();
    static const CurrentFormGrid& Of(FormPaper paper);
};

// Where the current edition puts its values, and the columns of its grid.
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
// y relative to the copy's offset for mm millimetres below the top of the grid.
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

FormPlaces::Place PlaceOf(FormField field, const CurrentFormGrid& grid);

}  // namespace CurrentFormPlaces
