#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <bitset>

#include "common/CRequisite.h"
#include "form/FormField.h"

// The one document: every value that the payment order form shows, as text. It starts with a
// placeholder caption in each field, so that the form drawn before any order shows on the screen
// where each value will stand; placeholders never go on paper. Only the transfer of an order
// writes it, and then says so with Changed(); only the form drawing reads it.
class CVemoDoc : public QObject {
    Q_OBJECT
public:
    CVemoDoc();
    ~CVemoDoc() override;

    // The six placeholder captions of each party, as a fresh document holds them.
    static CRequisite PayerPlaceholders();
    static CRequisite RecipientPlaceholders();
    // The placeholders of a party's ИНН and КПП where the form gives each a cell of its own.
    static InnKpp InnKppPlaceholders(int nKind);

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

    // What keeps the form off paper, in the user's words: no order drawn on it, a party missing
    // from its book, an amount with no words. Empty for a blank form and an order drawn whole.
    QStringList m_lacks;

    // Empties the budget fields, as for an ordinary payment.
    void ClearBudgetFields();
    // Whether any budget field or the income-type code holds a value, not its placeholder: the
    // fields the edition of 2001 has no room for.
    bool HasBudgetFields() const;

    // Whether the form shows the field's placeholder caption rather than a value.
    bool ShowsPlaceholder(FormField field) const { return m_placeholders.test(size_t(field)); }
    // Every field empty and nothing lacking: the blank form, filled in by hand.
    void MakeBlank();
    // No field holds a placeholder any more, and nothing is lacking yet: an order's values are
    // about to take their places.
    void BeginOrder();
    // The party is not in its book: its name as the order gives it, beside the placeholders of
    // its other details.
    void ShowPartyMissing(int nKind);

    // Why a fresh document cannot go on paper.
    static QString NoOrderMessage();

signals:
    // The fields have taken new values: whatever shows them draws them again.
    void Changed();

private:
    std::bitset<kFormFieldCount> m_placeholders;
};

// The document of the running program; set by the document's constructor, cleared when it goes.
// Nothing reads it (each window is handed its document): kept as the one document's known name.
extern CVemoDoc* g_pDoc;
