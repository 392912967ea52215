#include "form/CurrentFormLayout.h"

#include "form/CVemoDoc.h"
#include "form/CurrentEditionTexts.h"
#include "form/CurrentFormPlaces.h"
#include "form/FormSteps.h"

namespace CurrentFormLayout {
namespace {

using namespace CurrentFormPlaces;

constexpr int kCaptionInset = 100;  // a caption's distance from the rule at its left

void DrawBoxesAndRules(FormSteps& s, const CurrentFormGrid& g) {
    s.Box(X(165.0), Y(g.codeBoxTop), X(180.0), Y(g.codeBoxBottom));  // the form's code
    s.Box(X(173.0), Y(g.statusBoxTop), X(180.0), Y(g.dateLine));     // 101, the payer's status

    const auto across = [&s](int left, int right, double mm) { s.Rule(left, Y(mm), right, Y(mm)); };
    const auto down = [&s](int x, double from, double to) { s.Rule(x, Y(from), x, Y(to)); };

    // The lines the bank writes its dates over, and those of the date and the type of payment.
    across(X(0), X(35.1), g.bankLine);
    across(X(47.6), X(82.7), g.bankLine);
    across(X(90.0), X(125.2), g.dateLine);
    across(X(130.1), X(165.2), g.dateLine);

    // The grid, from the top down. In the right half the accounts of a party and its bank stand
    // in one box: only the captions have rules between them.
    across(kLeft, kRight, 0);
    down(kWordsCaption, 0, g.payerInnRow);
    across(kLeft, kRight, g.payerInnRow);
    down(kKppColumn, g.payerInnRow, g.payerRow);
    across(kLeft, kRightHalf, g.payerRow);
    across(kRightHalf, kRight, g.payerAccountRow);
    across(kLeft, kValueColumn, g.payerBankRow);
    across(kRightHalf, kValueColumn, g.payerBankAccountRow);
    across(kLeft, kRight, g.recipientBankRow);
    across(kRightHalf, kValueColumn, g.recipientBankAccountRow);
    across(kLeft, kValueColumn, g.recipientInnRow);
    down(kKppColumn, g.recipientInnRow, g.recipientRow);
    across(kLeft, kRightHalf, g.recipientRow);
    across(kRightHalf, kRight, g.codeRows[0]);
    across(kRightHalf, kRight, g.codeRows[1]);
    across(kRightHalf, kRight, g.codeRows[2]);
    down(kRightHalf, g.payerInnRow, g.budgetRow);
    down(kValueColumn, g.payerInnRow, g.budgetRow);
    down(kCodeCaptions, g.codeRows[0], g.budgetRow);
    down(kCodeValues, g.codeRows[0], g.budgetRow);
    across(kLeft, kRight, g.budgetRow);
    for (int i = 1; i < 7; ++i) {
        down(kBudgetColumns[i], g.budgetRow, g.purposeRow);
    }
    across(kLeft, kRight, g.purposeRow);
    across(kLeft, kRight, g.purposeEnd);
    across(kSignaturesLeft, kSignaturesRight, g.signatureLines[0]);
    across(kSignaturesLeft, kSignaturesRight, g.signatureLines[1]);
}

void DrawCaptions(FormSteps& s, const CurrentFormGrid& g) {
    // A caption from top (mm below the top of the grid) in the cell between left and right.
    const auto caption = [&s](const QString& text, int left, double top, int right,
                              int format = DT_LEFT) {
        s.Text(text, left, Y(top), right, Y(top + 3.4), format);
    };
    // A caption of the right half, beside its value.
    const auto right = [&caption, &g](const QString& text, double row) {
        caption(text, kRightHalf + kCaptionInset, row + g.captionDrop, kValueColumn);
    };
    // The caption of a name or a bank, at the bottom of its cell.
    const auto under = [&caption, &g](const QString& text, double cellEnd) {
        caption(text, kLeft, cellEnd - g.captionBand, kRightHalf);
    };

    caption(QStringLiteral("Поступ. в банк плат."), X(0), g.bankCaption, X(35.1), DT_CENTER);
    caption(QStringLiteral("Списано со сч. плат."), X(47.6), g.bankCaption, X(82.7), DT_CENTER);
    caption(QStringLiteral("Дата"), X(90.0), g.dateCaption, X(125.2), DT_CENTER);
    caption(QStringLiteral("Вид платежа"), X(130.1), g.dateCaption, X(165.2), DT_CENTER);

    caption(QStringLiteral("Сумма"), kLeft, g.wordsCaptionTop, kWordsCaption);
    caption(QStringLiteral("прописью"), kLeft, g.wordsCaptionTop + 3.4, kWordsCaption);
    for (double row : {g.payerInnRow, g.recipientInnRow}) {
        caption(QStringLiteral("ИНН"), kLeft, row + g.captionDrop, kKppColumn);
        caption(QStringLiteral("КПП"), kKppColumn + kCaptionInset, row + g.captionDrop, kRightHalf);
    }
    right(QStringLiteral("Сумма"), g.payerInnRow);
    right(QStringLiteral("Сч. №"), g.payerAccountRow);
    under(QStringLiteral("Плательщик"), g.payerBankRow);
    right(QStringLiteral("БИК"), g.payerBankRow);
    right(QStringLiteral("Сч. №"), g.payerBankAccountRow);
    under(QStringLiteral("Банк плательщика"), g.recipientBankRow);
    right(QStringLiteral("БИК"), g.recipientBankRow);
    right(QStringLiteral("Сч. №"), g.recipientBankAccountRow);
    under(QStringLiteral("Банк получателя"), g.recipientInnRow);
    right(QStringLiteral("Сч. №"), g.recipientInnRow);
    under(QStringLiteral("Получатель"), g.budgetRow);

    const QString codes[3][2] = {{QStringLiteral("Вид оп."), QStringLiteral("Срок плат.")},
                                 {QStringLiteral("Наз. пл."), QStringLiteral("Очер. плат.")},
                                 {QStringLiteral("Код"), QStringLiteral("Рез. поле")}};
    for (int i = 0; i < 3; ++i) {
        right(codes[i][0], g.codeRows[i]);
        caption(codes[i][1], kCodeCaptions + kCaptionInset, g.codeRows[i] + g.captionDrop,
                kCodeValues);
    }

    caption(QStringLiteral("Назначение платежа"), kLeft, g.purposeEnd - g.captionBand, kRight);
    caption(QStringLiteral("Подписи"), kSignaturesLeft, g.purposeEnd + 0.4, kSignaturesRight,
            DT_CENTER);
    caption(QStringLiteral("Отметки банка"), kSignaturesRight, g.purposeEnd + 0.4, kRight,
            DT_CENTER);
    caption(QStringLiteral("М.П."), kLeft, g.signatureLines[0] + 3.0, kSignaturesLeft, DT_CENTER);
}

// A party's ИНН and КПП in their cells, or the placeholder of each.
InnKpp InnKppCells(const CVemoDoc& doc, int nKind, FormField inn) {
    if (doc.ShowsPlaceholder(inn)) {
        return CVemoDoc::InnKppPlaceholders(nKind);
    }
    return SplitInnKpp(nKind == kPayersKind ? doc.m_payer.m_strInnKpp
                                            : doc.m_recipient.m_strInnKpp);
}

void DrawValues(FormSteps& s, const CVemoDoc& doc) {
    const CRequisite& payer = doc.m_payer;
    const CRequisite& recipient = doc.m_recipient;
    const PartyAccounts payerAccounts = AccountsOf(payer, kPayersKind);
    const PartyAccounts recipientAccounts = AccountsOf(recipient, kRecipientsKind);
    const InnKpp payerInnKpp = InnKppCells(doc, kPayersKind, FormField::PayerInn);
    const InnKpp recipientInnKpp = InnKppCells(doc, kRecipientsKind, FormField::RecipientInn);

    s.Value(FormField::Date, CurrentEditionTexts::PaddedDate(doc.m_strDate));
    s.Value(FormField::PaymentType, doc.m_strPaymentType);
    s.Value(FormField::Status, doc.m_strStatus);
    s.Value(FormField::AmountInWords, doc.m_strAmountInFullWords);

    s.Value(FormField::PayerInn, payerInnKpp.inn);  // 60
    s.Value(FormField::PayerKpp, payerInnKpp.kpp);  // 102
    s.Value(FormField::Amount, doc.m_strAmountFigures);
    s.Value(FormField::PayerName, payer.m_strName);
    s.Value(FormField::PayerAccount1, payerAccounts.own);  // 9
    s.Value(FormField::PayerBank, payer.m_strBank);
    s.Value(FormField::PayerBik, payer.m_strBik);
    s.Value(FormField::PayerAccount2, payerAccounts.correspondent);  // 12

    s.Value(FormField::RecipientBank, recipient.m_strBank);
    s.Value(FormField::RecipientBik, recipient.m_strBik);
    s.Value(FormField::RecipientAccount1, recipientAccounts.correspondent);  // 15
    s.Value(FormField::RecipientInn, recipientInnKpp.inn);                   // 61
    s.Value(FormField::RecipientKpp, recipientInnKpp.kpp);                   // 103
    s.Value(FormField::RecipientAccount2, recipientAccounts.own);            // 17
    s.Value(FormField::RecipientName, recipient.m_strName);

    // 19, the term, is not filled on a payment order today: its cell stays empty.
    s.Value(FormField::PaymentKind, doc.m_strPaymentKind);  // 18
    s.Value(FormField::IncomeType, doc.m_strIncomeType);    // 20
    s.Value(FormField::Priority, doc.m_strPriority);        // 21
    s.Value(FormField::Uin, doc.m_strUin);                  // 22

    s.Value(FormField::Kbk, doc.m_strKbk);
    s.Value(FormField::Oktmo, doc.m_strOktmo);
    s.Value(FormField::TaxBasis, doc.m_strTaxBasis);
    s.Value(FormField::TaxPeriod, doc.m_strTaxPeriod);
    s.Value(FormField::TaxDocNumber, doc.m_strTaxDocNumber);
    s.Value(FormField::TaxDocDate, doc.m_strTaxDocDate);
    s.Value(FormField::TaxType, doc.m_strTaxType);

    s.Value(FormField::Basis, doc.m_strBasis);
}

}  // namespace

void DrawForm(FormSteps& s, const CVemoDoc& doc) {
    const CurrentFormGrid& g = CurrentFormGrid::Of(s.Paper());
    FormCanvas& canvas = s.Canvas();
    const FormFont previous = canvas.SelectFont(FormFont::Caption);
    DrawBoxesAndRules(s, g);
    DrawCaptions(s, g);

    canvas.SelectFont(g.valueFont);
    s.Text(QStringLiteral("0401060"), X(165.0), Y(g.codeTop), X(180.0), Y(g.codeBoxBottom),
           DT_CENTER);
    DrawValues(s, doc);

    canvas.SelectFont(g.titleFont);
    s.Text(QStringLiteral("ПЛАТЕЖНОЕ ПОРУЧЕНИЕ №"), X(0), Y(g.titleTop), X(g.titleRight),
           Y(g.titleBottom), DT_LEFT);
    // The number as digits alone: the order keeps it padded with blanks.
    s.Value(FormField::Number, doc.m_strNumber.trimmed());

    canvas.SelectFont(previous);
}

}  // namespace CurrentFormLayout
