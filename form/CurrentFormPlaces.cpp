#include "form/CurrentFormPlaces.h"

namespace {

// The edition's published drawing.
CurrentFormGrid MakeFullSize() {
    CurrentFormGrid g;
    g.payerInnRow = 14.4;
    g.payerRow = 18.9;
    g.payerAccountRow = 28.9;
    g.payerBankRow = 43.6;
    g.payerBankAccountRow = 48.4;
    g.recipientBankRow = 57.8;
    g.recipientBankAccountRow = 62.7;
    g.recipientInnRow = 73.0;
    g.recipientRow = 77.5;
    g.codeRows[0] = 87.3;
    g.codeRows[1] = 92.0;
    g.codeRows[2] = 96.7;
    g.codeRows[3] = 101.3;
    g.budgetRow = 101.3;
    g.purposeRow = 105.8;
    g.purposeEnd = 135.0;
    g.signatureLines[0] = 149.0;
    g.signatureLines[1] = 164.0;
    g.captionBand = 3.9;
    g.captionDrop = 0.7;
    g.wordsCaptionTop = 0.7;
    g.valueDrop = 0.1;
    // Row 1: the form's code and the bank's lines; row 2, 6.3 mm: the title, the date, the type
    // of payment and the status; the captions of the date and the type under their lines.
    g.codeBoxTop = -18.6;
    g.codeBoxBottom = -13.8;
    g.codeTop = -18.35;
    g.bankLine = -16.6;
    g.bankCaption = -16.4;
    g.titleTop = -12.6;
    g.titleBottom = -6.6;
    g.titleRight = 54.4;
    g.dateLine = -6.5;
    g.dateValueTop = -11.1;
    g.dateCaption = -6.3;
    g.statusBoxTop = -12.8;
    g.statusTop = -11.8;
    g.valueFont = FormFont::Value;
    g.titleFont = FormFont::Heading;
    return g;
}

// Two copies 140 mm apart: each room as low as its longest value lets it be.
CurrentFormGrid MakeTwoOnASheet() {
    CurrentFormGrid g;
    g.payerInnRow = 8.6;
    g.payerRow = 13.2;
    g.payerAccountRow = 19.0;
    g.payerBankRow = 29.0;
    g.payerBankAccountRow = 33.6;
    g.recipientBankRow = 40.8;
    g.recipientBankAccountRow = 45.4;
    g.recipientInnRow = 52.6;
    g.recipientRow = 57.2;
    g.codeRows[0] = 59.2;
    g.codeRows[1] = 63.8;
    g.codeRows[2] = 68.4;
    g.codeRows[3] = 73.0;
    g.budgetRow = 73.0;
    g.purposeRow = 77.6;
    g.purposeEnd = 93.4;
    g.signatureLines[0] = 103.4;
    g.signatureLines[1] = 113.4;
    g.captionBand = 3.5;
    g.captionDrop = 0.6;
    g.wordsCaptionTop = 0.4;
    g.valueDrop = 0.3;
    g.codeBoxTop = -18.0;
    g.codeBoxBottom = -13.5;
    g.codeTop = -17.7;
    g.bankLine = -13.5;
    g.bankCaption = -13.2;
    g.titleTop = -9.0;
    g.titleBottom = -5.0;
    g.titleRight = 49.4;
    g.dateLine = -4.5;
    g.dateValueTop = -8.8;
    g.dateCaption = -4.3;
    g.statusBoxTop = -10.8;
    g.statusTop = -9.6;
    g.valueFont = FormFont::Text;
    g.titleFont = FormFont::Title;
    return g;
}

}  // namespace

const CurrentFormGrid& CurrentFormGrid::FullSize() {
    static const CurrentFormGrid grid = MakeFullSize();
    return grid;
}

const CurrentFormGrid& CurrentFormGrid::TwoOnASheet() {
    static const CurrentFormGrid grid = MakeTwoOnASheet();
    return grid;
}

const CurrentFormGrid& CurrentFormGrid::Of(FormPaper paper) {
    return paper.twoOnASheet ? TwoOnASheet() : FullSize();
}

namespace CurrentFormPlaces {
namespace {

using Place = FormPlaces::Place;

constexpr int kInset = 100;  // a value's distance from the rule at its left

// The places of one grid.
class Places {
public:
    explicit Places(const CurrentFormGrid& grid) : g(grid) {}

    // A value in the rows from top to bottom (mm below the top of the grid) between x left and
    // right: its first line a little under its top, its room down to its bottom.
    Place Cell(int left, double top, int right, double bottom, int format = DT_LEFT) const {
        return Rect(left, Y(top + g.valueDrop), right, Y(bottom), format);
    }

    // A value whose rectangle is given as it stands.
    Place Rect(int left, int top, int right, int bottom, int format = DT_LEFT) const {
        const LogicalRect rect{left, top, right, bottom};
        return Place{rect, format, rect, g.valueFont, TextFit::kNarrowestScale};
    }

    // A value of the right half: from the value column to the form's right edge.
    Place RightValue(double top, double bottom) const {
        return Cell(kValueColumn + kInset, top, kRight, bottom);
    }

    // A value of the left half that wraps over the lines of its room, above its caption.
    Place Wrapped(double top, double cellEnd) const {
        return Cell(kLeft, top, kRightHalf - kInset, cellEnd - g.captionBand, DT_WORDBREAK);
    }

    // One cell of the budget row, 104 being the first: its value centred.
    Place Budget(int index) const {
        return Cell(kBudgetColumns[index] + 50, g.budgetRow, kBudgetColumns[index + 1] - 50,
                    g.purposeRow, DT_CENTER);
    }

    // The INN or the KPP of a party, after its caption in its row.
    Place InnKpp(bool kpp, double row, double end) const {
        const int left = kpp ? kKppColumn + 710 : kLeft + 610;
        const int right = (kpp ? kRightHalf : kKppColumn) - kInset;
        return Cell(left, row, right, end);
    }

    // Over the line of the date or of the type of payment.
    Place OverLine(double left, double right) const {
        return Rect(X(left), Y(g.dateValueTop), X(right), Y(g.dateLine - 0.1), DT_CENTER);
    }

    Place Of(FormField field) const;

private:
    const CurrentFormGrid& g;
};

Place Places::Of(FormField field) const {
    switch (field) {
        case FormField::Number:  // after the title, before the date
        {
            Place place = Rect(X(g.titleRight + 0.1), Y(g.titleTop), X(89.0), Y(g.titleBottom));
            place.font = g.titleFont;
            return place;
        }
        case FormField::Date:
            return OverLine(90.0, 125.2);
        case FormField::PaymentType:
            return OverLine(130.1, 165.2);
        case FormField::Status:  // in its box
            return Rect(X(173.0), Y(g.statusTop), X(180.0), Y(g.dateLine - 0.1), DT_CENTER);
        case FormField::AmountInWords:  // beside the caption
            return Cell(kWordsCaption + kInset, 0, kRight, g.payerInnRow, DT_WORDBREAK);
        case FormField::PayerInn:
            return InnKpp(false, g.payerInnRow, g.payerRow);
        case FormField::PayerKpp:
            return InnKpp(true, g.payerInnRow, g.payerRow);
        case FormField::Amount:
            return RightValue(g.payerInnRow, g.payerAccountRow);
        case FormField::PayerAccount1:
            return RightValue(g.payerAccountRow, g.payerBankRow);
        case FormField::PayerName:
            return Wrapped(g.payerRow, g.payerBankRow);
        case FormField::PayerBik:
            return RightValue(g.payerBankRow, g.payerBankAccountRow);
        case FormField::PayerAccount2:
            return RightValue(g.payerBankAccountRow, g.recipientBankRow);
        case FormField::PayerBank:
            return Wrapped(g.payerBankRow, g.recipientBankRow);
        case FormField::RecipientBank:
            return Wrapped(g.recipientBankRow, g.recipientInnRow);
        case FormField::RecipientBik:
            return RightValue(g.recipientBankRow, g.recipientBankAccountRow);
        case FormField::RecipientAccount1:
            return RightValue(g.recipientBankAccountRow, g.recipientInnRow);
        case FormField::RecipientAccount2:
            return RightValue(g.recipientInnRow, g.codeRows[0]);
        case FormField::RecipientInn:
            return InnKpp(false, g.recipientInnRow, g.recipientRow);
        case FormField::RecipientKpp:
            return InnKpp(true, g.recipientInnRow, g.recipientRow);
        case FormField::RecipientName:
            return Wrapped(g.recipientRow, g.budgetRow);
        case FormField::PaymentKind:  // 18, and the code cells below it
            return Cell(kValueColumn + kInset, g.codeRows[0], kCodeCaptions - kInset,
                        g.codeRows[1]);
        case FormField::PaymentTerm:  // 19, which the edition does not print
            return Cell(kCodeValues + kInset, g.codeRows[0], kRight, g.codeRows[1]);
        case FormField::IncomeType:  // 20
            return Cell(kValueColumn + kInset, g.codeRows[1], kCodeCaptions - kInset,
                        g.codeRows[2]);
        case FormField::Priority:  // 21
            return Cell(kCodeValues + kInset, g.codeRows[1], kRight, g.codeRows[2]);
        case FormField::Uin:  // 22: a УИН of 20 or 25 digits in the narrower face
        {
            Place place = Cell(kValueColumn + 50, g.codeRows[2], kCodeCaptions - 50, g.codeRows[3]);
            place.narrowFace = true;
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
        case FormField::Basis:  // over its caption
            return Cell(kLeft, g.purposeRow, kRight, g.purposeEnd - g.captionBand, DT_WORDBREAK);
        case FormField::PayerInnKpp:  // shown as ИНН and КПП
        case FormField::RecipientInnKpp:
            break;
    }
    return Place{};
}

}  // namespace

FormPlaces::Place PlaceOf(FormField field, const CurrentFormGrid& grid) {
    return Places(grid).Of(field);
}

}  // namespace CurrentFormPlaces
