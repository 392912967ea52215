#include "form/CurrentFormPlaces.h"

namespace CurrentFormPlaces {
namespace {

using Place = FormPlaces::Place;

constexpr int kInset = 100;  // a value's distance from the rule at its left

// A value in the rows from top to bottom (mm below the top of the grid) between x left and
// right: its first line 0.3 mm under its top, its room down to its bottom.
Place Cell(int left, double top, int right, double bottom, int format = DT_LEFT) {
    const LogicalRect rect{left, Y(top + 0.3), right, Y(bottom)};
    return Place{rect, format, rect, FormFont::Text, TextFit::kNarrowestScale};
}

// A value of the right half: from the value column to the form's right edge.
Place RightValue(double top, double bottom) {
    return Cell(kValueColumn + kInset, top, kRight, bottom);
}

// A value of the left half that wraps over the lines of its room, above its caption.
Place Wrapped(double top, double captionTop) {
    return Cell(kLeft, top, kRightHalf - kInset, captionTop, DT_WORDBREAK);
}

// One cell of the budget row, 104 being the first: its value centred.
Place Budget(int index) {
    return Cell(kBudgetColumns[index] + 50, kBudgetRow, kBudgetColumns[index + 1] - 50, kPurposeRow,
                DT_CENTER);
}

// The INN or the KPP of a party, after its caption in its row.
Place InnKppCell(bool kpp, double row) {
    const int left = kpp ? kKppColumn + 710 : kLeft + 610;
    const int right = (kpp ? kRightHalf : kKppColumn) - kInset;
    return Cell(left, row, right, row + 4.6);
}

}  // namespace

FormPlaces::Place PlaceOf(FormField field) {
    switch (field) {
        case FormField::Number:  // after the title, before the date
        {
            Place place = Cell(X(49.5), -9.3, X(89.0), -5.0);
            place.font = FormFont::Title;
            return place;
        }
        case FormField::Date:  // over its line
            return Cell(X(90.0), -9.1, X(125.2), -4.6, DT_CENTER);
        case FormField::PaymentType:  // over its line
            return Cell(X(130.1), -9.1, X(165.2), -4.6, DT_CENTER);
        case FormField::Status:  // in its box
            return Cell(X(173.0), -9.9, X(180.0), -4.6, DT_CENTER);
        case FormField::AmountInWords:  // two lines beside the caption
            return Cell(kWordsCaption + kInset, 0, kRight, kPayerInnRow, DT_WORDBREAK);
        case FormField::PayerInn:
            return InnKppCell(false, kPayerInnRow);
        case FormField::PayerKpp:
            return InnKppCell(true, kPayerInnRow);
        case FormField::Amount:
            return RightValue(kPayerInnRow, kPayerAccountRow);
        case FormField::PayerAccount1:
            return RightValue(kPayerAccountRow, kPayerBankRow);
        case FormField::PayerName:
            return Wrapped(kPayerRow, kPayerBankRow - 3.5);
        case FormField::PayerBik:
            return RightValue(kPayerBankRow, kPayerBankAccountRow);
        case FormField::PayerAccount2:
            return RightValue(kPayerBankAccountRow, kRecipientBankRow);
        case FormField::PayerBank:
            return Wrapped(kPayerBankRow, kRecipientBankRow - 3.5);
        case FormField::RecipientBank:
            return Wrapped(kRecipientBankRow, kRecipientInnRow - 3.5);
        case FormField::RecipientBik:
            return RightValue(kRecipientBankRow, kRecipientBankAccountRow);
        case FormField::RecipientAccount1:
            return RightValue(kRecipientBankAccountRow, kRecipientInnRow);
        case FormField::RecipientAccount2:
            return RightValue(kRecipientInnRow, kCodeRows[0]);
        case FormField::RecipientInn:
            return InnKppCell(false, kRecipientInnRow);
        case FormField::RecipientKpp:
            return InnKppCell(true, kRecipientInnRow);
        case FormField::RecipientName:
            return Wrapped(kRecipientRow, kBudgetRow - 3.5);
        case FormField::PaymentKind:  // 18, and the code cells below it
            return Cell(kValueColumn + kInset, kCodeRows[0], kCodeCaptions - kInset, kCodeRows[1]);
        case FormField::PaymentTerm:  // 19
            return Cell(kCodeValues + kInset, kCodeRows[0], kRight, kCodeRows[1]);
        case FormField::IncomeType:  // 20
            return Cell(kValueColumn + kInset, kCodeRows[1], kCodeCaptions - kInset, kCodeRows[2]);
        case FormField::Priority:  // 21
            return Cell(kCodeValues + kInset, kCodeRows[1], kRight, kCodeRows[2]);
        case FormField::Uin:  // 22
        {
            Place place = Cell(kValueColumn + 50, kCodeRows[2], kCodeCaptions - 50, kCodeRows[3]);
            place.narrowest = kUinNarrowest;
            return place;
        }
        case FormField::Kbk:
            return Budget(0);
        case FormField::Oktmo:
            return Budget(1);
        case FormField::TaxBasis:
            return Budget(2);
        case FormField::TaxPeriod:
            return Budget(3);
        case FormField::TaxDocNumber:
            return Budget(4);
        case FormField::TaxDocDate:
            return Budget(5);
        case FormField::TaxType:
            return Budget(6);
        case FormField::Basis:  // three lines over its caption
            return Cell(kLeft, kPurposeRow, kRight, kPurposeEnd - 3.5, DT_WORDBREAK);
        case FormField::PayerInnKpp:  // shown as ИНН and КПП
        case FormField::RecipientInnKpp:
            break;
    }
    return Place{};
}

}  // namespace CurrentFormPlaces
