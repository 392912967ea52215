#pragma once

#include <QObject>
#include <QString>

#include "common/CRequisite.h"

// The one document: every value that the payment order form shows, as text. It starts with a
// placeholder caption in each field, so that the form drawn before any order shows where each
// value will stand. Only the transfer of an order writes it, and then says so with Changed();
// only the form drawing reads it.
class CVemoDoc : public QObject {
    Q_OBJECT
public:
    CVemoDoc();
    ~CVemoDoc() override;

    // The six placeholder captions of each party, as a fresh document holds them.
    static CRequisite PayerPlaceholders();
    static CRequisite RecipientPlaceholders();

    QString m_strNumber;
    QString m_strDate;
    QString m_strAmountInWords;
    QString m_strAmount;
    QString m_strPaymentKind;  // "Вид оплаты", at most two characters
    QString m_strPaymentTerm;  // "Срок платежа"
    QString m_strPriority;     // "Очередность платежа"
    QString m_strBasis;        // the purpose of the payment
    QString m_strPaymentType;  // "Вид платежа"
    CRequisite m_recipient;
    CRequisite m_payer;

    // The amount as the current edition writes it: in words with "рубль" and "копейка" written
    // out, and in figures as "48300-00"; for an amount that is not one, no words and the figures
    // as stored.
    QString m_strAmountInFullWords;
    QString m_strAmountFigures;
    // The budget fields, which the current edition prints and the edition of 2001 does not; an
    // ordinary payment leaves them empty.
    QString m_strStatus;        // 101, the payer's status
    QString m_strKbk;           // 104
    QString m_strOktmo;         // 105
    QString m_strTaxBasis;      // 106
    QString m_strTaxPeriod;     // 107
    QString m_strTaxDocNumber;  // 108
    QString m_strTaxDocDate;    // 109
    QString m_strTaxType;       // 110
    QString m_strUin;           // 22, "Код"
    QString m_strIncomeType;    // 20, "Наз. пл."

    // Empties the budget fields, as for an ordinary payment.
    void ClearBudgetFields();

signals:
    // The fields have taken new values: whatever shows them draws them again.
    void Changed();
};

// The document of the running program; set by the document's constructor, cleared when it goes.
// Nothing reads it (each window is handed its document): kept as the one document's known name.
extern CVemoDoc* g_pDoc;
