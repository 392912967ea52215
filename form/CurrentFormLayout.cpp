#include "form/CurrentFormLayout.h"

#include "form/CVemoDoc.h"
#include "form/CurrentEditionTexts.h"
#include "form/CurrentFormPlaces.h"
#include "form/FormSteps.h"

namespace CurrentFormLayout {
namespace {

using namespace CurrentFormPlaces;

constexpr int kCaptionInset = 100;  // a caption's distance from the rule at its left

void DrawBoxesAndRules(FormSteps& s) {
    s.Box(X(165.0), Y(-18.0), X(180.0), Y(-13.5));  // the form's code
    s.Box(X(173.0), Y(-10.8), X(180.0), Y(-4.5));   // 101, the payer's status

    const auto across = [&s](int left, int right, double mm) { s.Rule(left, Y(mm), right, Y(mm)); };
    const auto down = [&s](int x, double from, double to) { s.Rule(x, Y(from), x, Y(to)); };

    // The lines the bank writes its dates over, and those of the date and the type of payment.
    across(X(0), X(35.1), -13.5);
    across(X(47.6), X(82.7), -13.5);
    across(X(90.0), X(125.2), -4.5);
    across(X(130.1), X(165.2), -4.5);

    // The grid, from the top down. In the right half the accounts of a party and its bank stand
    // in one box: only the captions have rules between them.
    across(kLeft, kRight, 0);
    down(kWordsCaption, 0, kPayerInnRow);
    across(kLeft, kRight, kPayerInnRow);
    down(kKppColumn, kPayerInnRow, kPayerRow);
    across(kLeft, kRightHalf, kPayerRow);
    across(kRightHalf, kRight, kPayerAccountRow);
    across(kLeft, kValueColumn, kPayerBankRow);
    across(kRightHalf, kValueColumn, kPayerBankAccountRow);
    across(kLeft, kRight, kRecipientBankRow);
    across(kRightHalf, kValueColumn, kRecipientBankAccountRow);
    across(kLeft, kValueColumn, kRecipientInnRow);
    down(kKppColumn, kRecipientInnRow, kRecipientRow);
    across(kLeft, kRightHalf, kRecipientRow);
    across(kRightHalf, kRight, kCodeRows[0]);
    across(kRightHalf, kRight, kCodeRows[1]);
    across(kRightHalf, kRight, kCodeRows[2]);
    down(kRightHalf, kPayerInnRow, kBudgetRow);
    down(kValueColumn, kPayerInnRow, kBudgetRow);
    down(kCodeCaptions, kCodeRows[0], kBudgetRow);
    down(kCodeValues, kCodeRows[0], kBudgetRow);
    across(kLeft, kRight, kBudgetRow);
    for (int i = 1; i < 7; ++i) {
        down(kBudgetColumns[i], kBudgetRow, kPurposeRow);
    }
    across(kLeft, kRight, kPurposeRow);
    across(kLeft, kRight, kPurposeEnd);
    across(kSignaturesLeft, kSignaturesRight, kSignatureLines[0]);
    across(kSignaturesLeft, kSignaturesRight, kSignatureLines[1]);
}

void DrawCaptions(FormSteps& s) {
    // A caption from top (mm below the top of the grid) in the cell between left and right.
    const auto caption = [&s](const QString& text, int left, double top, int right,
                              int format = DT_LEFT) {
        s.Text(text, left, Y(top), right, Y(top + 3.4), format);
    };
    // A caption of the right half, beside its value.
    const auto right = [&caption](const QString& text, double row) {
        caption(text, kRightHalf + kCaptionInset, row + 0.6, kValueColumn);
    };

    caption(QStringLiteral("Поступ. в банк плат."), X(0), -13.2, X(35.1), DT_CENTER);
    caption(QStringLiteral("Списано со сч. плат."), X(47.6), -13.2, X(82.7), DT_CENTER);
    caption(QStringLiteral("Дата"), X(90.0), -4.3, X(125.2), DT_CENTER);
    caption(QStringLiteral("Вид платежа"), X(130.1), -4.3, X(165.2), DT_CENTER);

    caption(QStringLiteral("Сумма"), kLeft, 0.4, kWordsCaption);
    caption(QStringLiteral("прописью"), kLeft, 3.8, kWordsCaption);
    for (double row : {kPayerInnRow, kRecipientInnRow}) {
        caption(QStringLiteral("ИНН"), kLeft, row + 0.6, kKppColumn);
        caption(QStringLiteral("КПП"), kKppColumn + kCaptionInset, row + 0.6, kRightHalf);
    }
    right(QStringLiteral("Сумма"), kPayerInnRow);
    right(QStringLiteral("Сч. №"), kPayerAccountRow);
    caption(QStringLiteral("Плательщик"), kLeft, kPayerBankRow - 3.5, kRightHalf);
    right(QStringLiteral("БИК"), kPayerBankRow);
    right(QStringLiteral("Сч. №"), kPayerBankAccountRow);
    caption(QStringLiteral("Банк плательщика"), kLeft, kRecipientBankRow - 3.5, kRightHalf);
    right(QStringLiteral("БИК"), kRecipientBankRow);
    right(QStringLiteral("Сч. №"), kRecipientBankAccountRow);
    caption(QStringLiteral("Банк получателя"), kLeft, kRecipientInnRow - 3.5, kRightHalf);
    right(QStringLiteral("Сч. №"), kRecipientInnRow);
    caption(QStringLiteral("Получатель"), kLeft, kBudgetRow - 3.5, kRightHalf);

    const QString codes[3][2] = {{QStringLiteral("Вид оп."), QStringLiteral("Срок плат.")},
                                 {QStringLiteral("Наз. пл."), QStringLiteral("Очер. плат.")},
                                 {QStringLiteral("Код"), QStringLiteral("Рез. поле")}};
    for (int i = 0; i < 3; ++i) {
        right(codes[i][0], kCodeRows[i]);
        caption(codes[i][1], kCodeCaptions + kCaptionInset, kCodeRows[i] + 0.6, kCodeValues);
    }

    caption(QStringLiteral("Назначение платежа"), kLeft, kPurposeEnd - 3.5, kRight);
    caption(QStringLiteral("Подписи"), kSignaturesLeft, kPurposeEnd + 0.4, kSignaturesRight,
            DT_CENTER);
    caption(QStringLiteral("Отметки банка"), kSignaturesRight, kPurposeEnd + 0.4, kRight,
            DT_CENTER);
    caption(QStringLiteral("М.П."), kLeft, kSignatureLines[0] + 3.0, kSignaturesLeft, DT_CENTER);
}

void DrawValues(FormSteps& s, const CVemoDoc& doc) {
    const CRequisite& payer = doc.m_payer;
    const CRequisite& recipient = doc.m_recipient;
    const PartyAccounts payerAccounts = AccountsOf(payer, kPayersKind);
    const PartyAccounts recipientAccounts = AccountsOf(recipient, kRecipientsKind);
    const InnKpp payerInnKpp = SplitInnKpp(payer.m_strInnKpp);
    const InnKpp recipientInnKpp = SplitInnKpp(recipient.m_strInnKpp);

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

    s.Value(FormField::PaymentKind, doc.m_strPaymentKind);  // 18
    s.Value(FormField::PaymentTerm, doc.m_strPaymentTerm);  // 19
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
    FormCanvas& canvas = s.Canvas();
    const FormFont previous = canvas.SelectFont(FormFont::Caption);
    DrawBoxesAndRules(s);
    DrawCaptions(s);

    canvas.SelectFont(FormFont::Text);
    s.Text(QStringLiteral("0401060"), X(165.0), Y(-17.7), X(180.0), Y(-13.5), DT_CENTER);
    DrawValues(s, doc);

    canvas.SelectFont(FormFont::Title);
    s.Text(QStringLiteral("ПЛАТЕЖНОЕ ПОРУЧЕНИЕ №"), X(0), Y(-9.0), X(49.4), Y(-5.0), DT_LEFT);
    // The number as digits alone: the order keeps it padded with blanks.
    s.Value(FormField::Number, doc.m_strNumber.trimmed());

    canvas.SelectFont(previous);
}

}  // namespace CurrentFormLayout
