#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include "RecordingCanvas.h"
#include "form/CFormLayout.h"
#include "form/CVemoDoc.h"

// Documents for drawing the form, and what the drawing shows of them.

// The document's 21 texts by name, the parties' as "payer.m_strName" and so on.
inline QMap<QString, QString*> DocumentFields(CVemoDoc& doc) {
    QMap<QString, QString*> fields{
        {"m_strNumber", &doc.m_strNumber},
        {"m_strDate", &doc.m_strDate},
        {"m_strAmountInWords", &doc.m_strAmountInWords},
        {"m_strAmount", &doc.m_strAmount},
        {"m_strPaymentKind", &doc.m_strPaymentKind},
        {"m_strPaymentTerm", &doc.m_strPaymentTerm},
        {"m_strPriority", &doc.m_strPriority},
        {"m_strBasis", &doc.m_strBasis},
        {"m_strPaymentType", &doc.m_strPaymentType},
    };
    for (CRequisite* party : {&doc.m_payer, &doc.m_recipient}) {
        const QString prefix = party == &doc.m_payer ? "payer." : "recipient.";
        fields.insert(prefix + "m_strName", &party->m_strName);
        fields.insert(prefix + "m_strBank", &party->m_strBank);
        fields.insert(prefix + "m_strInnKpp", &party->m_strInnKpp);
        fields.insert(prefix + "m_strBik", &party->m_strBik);
        fields.insert(prefix + "m_strAccount1", &party->m_strAccount1);
        fields.insert(prefix + "m_strAccount2", &party->m_strAccount2);
    }
    return fields;
}

inline QStringList DocumentTexts(const CVemoDoc& doc) {
    QStringList texts;
    for (const QString* field : DocumentFields(const_cast<CVemoDoc&>(doc))) {
        texts.append(*field);
    }
    return texts;
}

// An ordinary order as a user fills it in: every value short enough for its place, and no two
// alike, so that a value drawn in another's place shows.
inline void FillOrdinaryOrder(CVemoDoc& doc) {
    doc.BeginOrder();
    doc.m_strNumber = QStringLiteral(" 118");
    doc.m_strDate = QStringLiteral(" 5. 3.2026");
    doc.m_strAmountInWords = QStringLiteral("Пятнадцать тысяч семьсот пятьдесят руб. 40 коп.");
    doc.m_strAmount = QStringLiteral("15 750,40");
    doc.m_strPaymentKind = QStringLiteral("01");
    doc.m_strPaymentTerm = QStringLiteral("05.03.2026");
    doc.m_strPriority = QStringLiteral("5");
    doc.m_strBasis = QStringLiteral("Оплата по счету № 118 за канцелярские товары");
    doc.m_strPaymentType = QStringLiteral("электронно");
    doc.m_payer.m_strName = QStringLiteral("ООО Ромашка");
    doc.m_payer.m_strBank = QStringLiteral("ПАО Северный банк");
    doc.m_payer.m_strInnKpp = QStringLiteral("7701234567/770101001");
    doc.m_payer.m_strBik = QStringLiteral("044525999");
    doc.m_payer.m_strAccount1 = QStringLiteral("40702810900000012345");
    doc.m_payer.m_strAccount2 = QStringLiteral("30101810400000000999");
    doc.m_recipient.m_strName = QStringLiteral("ООО Альфа-Снаб");
    doc.m_recipient.m_strBank = QStringLiteral("ПАО Уральский банк");
    doc.m_recipient.m_strInnKpp = QStringLiteral("6659876543/665901001");
    doc.m_recipient.m_strBik = QStringLiteral("046577777");
    doc.m_recipient.m_strAccount1 = QStringLiteral("40702810100000067890");
    doc.m_recipient.m_strAccount2 = QStringLiteral("30101810500000000777");
}

// The current edition's texts of the document, beside the 21 of both editions.
inline QMap<QString, QString*> CurrentEditionFields(CVemoDoc& doc) {
    return {{"m_strAmountInFullWords", &doc.m_strAmountInFullWords},
            {"m_strAmountFigures", &doc.m_strAmountFigures},
            {"m_strStatus", &doc.m_strStatus},
            {"m_strKbk", &doc.m_strKbk},
            {"m_strOktmo", &doc.m_strOktmo},
            {"m_strTaxBasis", &doc.m_strTaxBasis},
            {"m_strTaxPeriod", &doc.m_strTaxPeriod},
            {"m_strTaxDocNumber", &doc.m_strTaxDocNumber},
            {"m_strTaxDocDate", &doc.m_strTaxDocDate},
            {"m_strTaxType", &doc.m_strTaxType},
            {"m_strUin", &doc.m_strUin},
            {"m_strIncomeType", &doc.m_strIncomeType}};
}

// The ordinary order with what the current edition adds: its amount in that edition's words and
// figures, and no budget fields.
inline void FillOrdinaryOrderForCurrentEdition(CVemoDoc& doc) {
    FillOrdinaryOrder(doc);
    doc.m_strAmountInFullWords =
        QStringLiteral("Пятнадцать тысяч семьсот пятьдесят рублей 40 копеек");
    doc.m_strAmountFigures = QStringLiteral("15750-40");
    doc.m_strPaymentTerm.clear();  // not filled on a payment order today
    doc.ClearBudgetFields();
}

// The single tax payment (ЕНП) as the tax service published its details for 2026: the treasury
// as recipient, status 01, the КБК of the ЕНП, "0" in 105 to 109 and in "Код".
inline void FillTaxPayment(CVemoDoc& doc) {
    FillOrdinaryOrder(doc);
    doc.m_strNumber = QStringLiteral(" 119");
    doc.m_strDate = QStringLiteral(" 8. 4.2026");
    doc.m_strAmountInWords = QStringLiteral("Сорок восемь тысяч триста руб. 0 коп.");
    doc.m_strAmount = QStringLiteral("48300");
    doc.m_strAmountInFullWords = QStringLiteral("Сорок восемь тысяч триста рублей 00 копеек");
    doc.m_strAmountFigures = QStringLiteral("48300-00");
    doc.m_strPaymentKind = QStringLiteral("01");
    doc.m_strPaymentTerm.clear();
    doc.m_strPriority = QStringLiteral("5");
    doc.m_strPaymentType.clear();
    doc.m_strBasis = QStringLiteral("Единый налоговый платеж");
    doc.m_recipient.m_strName = QStringLiteral("Казначейство России (ФНС России)");
    doc.m_recipient.m_strBank =
        QStringLiteral("ОКЦ № 7 ГУ Банка России по ЦФО//УФК по Тульской области, г Тула");
    doc.m_recipient.m_strInnKpp = QStringLiteral("7727406020/770701001");
    doc.m_recipient.m_strBik = QStringLiteral("017003983");
    doc.m_recipient.m_strAccount1 = QStringLiteral("40102810445370000059");  // the bank's (ЕКС)
    doc.m_recipient.m_strAccount2 = QStringLiteral("03100643000000018500");  // the treasury's
    doc.m_strStatus = QStringLiteral("01");
    doc.m_strKbk = QStringLiteral("18201061201010000510");
    doc.m_strOktmo = QStringLiteral("0");
    doc.m_strTaxBasis = QStringLiteral("0");
    doc.m_strTaxPeriod = QStringLiteral("0");
    doc.m_strTaxDocNumber = QStringLiteral("0");
    doc.m_strTaxDocDate = QStringLiteral("0");
    doc.m_strTaxType.clear();
    doc.m_strUin = QStringLiteral("0");
    doc.m_strIncomeType.clear();
}

// The steps of the whole page: both copies and the cut line.
inline QList<RecordingCanvas::Step> RecordPage(const CVemoDoc& doc,
                                               FormPaper paper = FormEdition::Edition2001) {
    RecordingCanvas canvas;
    CFormLayout layout(paper);
    layout.OnDraw(canvas, doc);
    return canvas.steps;
}

// The fixed captions of one copy, as the form draws them whatever the document holds: the texts
// left when every value is empty.
inline QStringList FormCaptions(FormEdition edition = FormEdition::Edition2001) {
    CVemoDoc empty;
    for (QString* field : DocumentFields(empty)) {
        field->clear();
    }
    for (QString* field : CurrentEditionFields(empty)) {
        field->clear();
    }
    RecordingCanvas canvas;
    CFormLayout layout(edition);
    layout.DrawForm(canvas, empty);
    QStringList captions;
    for (const RecordingCanvas::Step& step : canvas.steps) {
        if (step.kind == RecordingCanvas::Kind::Text && !step.text.isEmpty()) {
            captions.append(step.text);
        }
    }
    return captions;
}
