#include "form/CFormLayout.h"

#include "form/CVemoDoc.h"
#include "form/CurrentFormLayout.h"
#include "form/CurrentFormPlaces.h"
#include "form/FormSteps.h"

CFormLayout::CFormLayout(FormPaper paper) : m_paper(paper) {}

int CFormLayout::FormRight(FormEdition edition) {
    return edition == FormEdition::Current ? CurrentFormPlaces::kRight : kPageWidth;
}

void CFormLayout::FormRect(LogicalRect& rect, double left, double top, double right,
                           double bottom) const {
    rect = FormSteps::Rect(m_nOffsetY, left, top, right, bottom);
}

void CFormLayout::OnDraw(FormCanvas& canvas, const CVemoDoc& doc) {
    m_nOffsetY = kFirstCopyOffsetY;
    DrawForm(canvas, doc);
    if (!m_paper.TwoCopies()) {
        return;
    }
    // As wide as the form.
    canvas.MoveTo(kFormLeft, m_nOffsetY + kCutLineY);
    canvas.LineTo(FormRight(m_paper.edition), m_nOffsetY + kCutLineY);
    m_nOffsetY = kSecondCopyOffsetY;
    DrawForm(canvas, doc);
}

void CFormLayout::DrawForm(FormCanvas& canvas, const CVemoDoc& doc) {
    FormSteps steps(canvas, m_nOffsetY, m_paper, doc);
    if (m_paper.edition == FormEdition::Current) {
        CurrentFormLayout::DrawForm(steps, doc);
    } else {
        DrawForm2001(steps, doc);
    }
}

void CFormLayout::DrawForm2001(FormSteps& s, const CVemoDoc& doc) {
    FormCanvas& canvas = s.Canvas();
    const CRequisite& payer = doc.m_payer;
    const CRequisite& recipient = doc.m_recipient;
    const int centred = DT_CENTER | DT_VCENTER;

    const FormFont previous = canvas.SelectFont(FormFont::Text);
    s.Text(QStringLiteral("Приложение 1а"), 500, -1700, 18700, -3000, DT_RIGHT);
    canvas.SelectFont(FormFont::Title);
    s.Text(QStringLiteral("ПЛАТЕЖНОЕ ПОРУЧЕНИЕ №"), 500, -2300, 6400, -4000, DT_LEFT);
    s.Value(FormField::Number, doc.m_strNumber);
    // The box comes after the number, whose end it may cover, and before its own code.
    s.Box(16800, -2300, 18700, -2800);
    canvas.SelectFont(FormFont::Text);
    s.Rule(500, -1650, 5100, -1650);
    s.Text(QStringLiteral("Поступ. в. банк. плат."), 500, -1700, 18700, -3000, DT_LEFT);
    s.Text(QStringLiteral("401060"), 16800, -2350, 18700, -2900, centred);
    s.Value(FormField::Date, doc.m_strDate);
    s.Text(QStringLiteral("дата"), 500, -2750, 18700, -4000, centred);
    s.Value(FormField::PaymentType, doc.m_strPaymentType);
    s.Text(QStringLiteral("вид платежа"), 10000, -2750, 18000, -4000, centred);

    // The amount in words.
    s.Text(QStringLiteral("Сумма"), 500, -3000, 5000, -4000, DT_LEFT);
    s.Text(QStringLiteral("прописью"), 500, -3400, 5000, -4000, DT_LEFT);
    s.Rule(500, -3900, 18700, -3900);
    s.Rule(3000, -3900, 3000, -3000);
    s.Value(FormField::AmountInWords, doc.m_strAmountInWords);

    // The payer.
    s.Text(QStringLiteral("ИНН/КПП"), 500, -4000, 2000, -5000, DT_LEFT);
    s.Value(FormField::PayerInnKpp, payer.m_strInnKpp);
    s.Text(QStringLiteral("Сумма"), 12000, -4000, 14000, -5000, DT_CENTER);
    s.Rule(12000, -3900, 12000, -9900);
    s.Rule(14000, -3900, 14000, -9900);
    s.Rule(12000, -4500, 18700, -4500);
    s.Value(FormField::Amount, doc.m_strAmount);
    s.Text(QStringLiteral("Сч. №"), 12000, -4600, 14000, -6000, DT_CENTER);
    s.Value(FormField::PayerAccount1, payer.m_strAccount1);
    s.Text(QStringLiteral("Плательщик"), 500, -4600, 5000, -6000, DT_LEFT);
    s.Value(FormField::PayerName, payer.m_strName);
    s.Rule(500, -5100, 14000, -5100);

    // The payer's bank.
    s.Text(QStringLiteral("БИК"), 12000, -5200, 14000, -7000, DT_CENTER);
    s.Rule(12000, -5700, 14000, -5700);
    s.Value(FormField::PayerBik, payer.m_strBik);
    s.Text(QStringLiteral("Сч. №"), 12000, -5800, 14000, -7000, DT_CENTER);
    s.Value(FormField::PayerAccount2, payer.m_strAccount2);
    s.Rule(500, -6300, 18700, -6300);
    s.Text(QStringLiteral("Банк плательщика"), 500, -5800, 5000, -7800, DT_LEFT);
    s.Value(FormField::PayerBank, payer.m_strBank);

    // The recipient's bank.
    s.Text(QStringLiteral("БИК"), 12000, -6400, 14000, -8000, DT_CENTER);
    s.Rule(12000, -6900, 14000, -6900);
    s.Value(FormField::RecipientBik, recipient.m_strBik);
    s.Text(QStringLiteral("Сч. №"), 12000, -7000, 14000, -9000, DT_CENTER);
    s.Value(FormField::RecipientAccount1, recipient.m_strAccount1);
    s.Rule(500, -7500, 18700, -7500);
    s.Text(QStringLiteral("Банк получателя"), 500, -7000, 5000, -9000, DT_LEFT);
    s.Value(FormField::RecipientBank, recipient.m_strBank);

    // The recipient and the code cells.
    s.Text(QStringLiteral("Сч. №"), 12000, -7600, 14000, -9000, DT_CENTER);
    s.Value(FormField::RecipientAccount2, recipient.m_strAccount2);
    s.Rule(12000, -8100, 18700, -8100);
    s.Text(QStringLiteral("ИНН/КПП"), 500, -7600, 2000, -9000, DT_LEFT);
    s.Value(FormField::RecipientInnKpp, recipient.m_strInnKpp);
    s.Text(QStringLiteral("Вид. оп."), 12000, -8200, 14000, -9000, DT_CENTER);
    s.Rule(12000, -8700, 14000, -8700);
    s.Text(QStringLiteral("Назн. пл."), 12000, -8800, 14000, -19000, DT_CENTER);
    s.Rule(12000, -9300, 14000, -9300);
    s.Text(QStringLiteral("Код"), 12000, -9400, 14000, -19000, DT_CENTER);
    s.Rule(500, -9900, 18700, -9900);
    s.Text(QStringLiteral("Срок.пл."), 14500, -8200, 16300, -9000, DT_CENTER);
    s.Rule(14500, -8700, 16300, -8700);
    s.Text(QStringLiteral("Очер.пл."), 14500, -8800, 16300, -19000, DT_CENTER);
    s.Rule(14500, -9300, 16300, -9300);
    s.Text(QStringLiteral("Рез.поле"), 14500, -9400, 16300, -19000, DT_CENTER);
    s.Rule(14500, -8100, 14500, -9900);
    s.Rule(16300, -8100, 16300, -9900);
    s.Text(QStringLiteral("Получатель"), 500, -9400, 12000, -19000, DT_LEFT);
    s.Value(FormField::RecipientName, recipient.m_strName);
    s.Value(FormField::PaymentKind, doc.m_strPaymentKind);
    s.Value(FormField::PaymentTerm, doc.m_strPaymentTerm);
    s.Value(FormField::Priority, doc.m_strPriority);

    // The purpose of the payment.
    s.Text(QStringLiteral("Назначение платежа, наименование товара, выполненных работ, "
                          "оказанных услуг,"),
           500, -10000, 18700, -19000, DT_LEFT);
    s.Text(QStringLiteral("NN и даты товарных документов, договоров, НДС."), 500, -10400, 18700,
           -19000, DT_LEFT);
    s.Value(FormField::Basis, doc.m_strBasis);
    s.Rule(500, -12500, 18700, -12500);

    // Signatures.
    s.Text(QStringLiteral("подписи"), 9000, -12600, 11000, -14000, DT_LEFT);
    s.Text(QStringLiteral("отметки банка"), 12000, -12600, 16000, -14000, DT_LEFT);
    s.Text(QStringLiteral("М. П."), 2000, -13500, 4000, -16000, DT_LEFT);
    s.Rule(9000, -13500, 16000, -13500);
    s.Rule(9000, -14500, 16000, -14500);

    canvas.SelectFont(previous);
}
