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

signals:
    // The fields have taken new values: whatever shows them draws them again.
    void Changed();
};

// The document of the running program; set by the document's constructor, cleared when it goes.
// Nothing reads it (each window is handed its document): kept as the one document's known name.
extern CVemoDoc* g_pDoc;
