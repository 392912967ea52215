#pragma once

#include <QDate>
#include <QDialog>
#include <functional>

#include "common/CRequisiteArray.h"
#include "form/FormEdition.h"
#include "form/FormField.h"
#include "orders/OrderRow.h"

class QDateEdit;
class QLineEdit;
class QListWidget;

// One payment order to enter or change: number, date, recipient and payer chosen from the names
// of the requisites files, amount, basis and the four coded fields. OK ends it only when every
// field is filled in. The caller hands in an order with SetRow (or, for a new order, sets the
// number and the date), runs exec() and after OK takes the order back with Row().
class COrderDlg : public QDialog {
    Q_OBJECT
public:
    explicit COrderDlg(QWidget* parent = nullptr);
    ~COrderDlg() override;

    // Opens the dialog on an existing order: its fields are shown and its names preselected.
    void SetRow(const OrderRow& row);
    // The order as the dialog holds it; after OK, as the user ended with it.
    OrderRow Row() const;
    // Tells whether writing the order under a number would replace another order; OK asks the
    // user before it lets that happen.
    void SetNumberTakenCheck(std::function<bool(int number)> isTaken);
    // The edition of the form the order is written for, before exec(). Under the current
    // edition's rules the term and the type of payment may stay empty, and a new order starts
    // with "01" as the kind of payment and "5" as the priority.
    void SetFormEdition(FormEdition edition) { m_edition = edition; }

    // Moves the members into the controls, or with saveAndValidate the controls into the
    // members; false, after telling the user, when a field holds what its member can't take.
    bool UpdateData(bool saveAndValidate = true);

    int exec() override;

    bool m_bFromRow = false;
    QString m_strPayer;
    QString m_strRecipient;
    QListWidget* m_lbRecipients = nullptr;
    QListWidget* m_lbPayers = nullptr;
    int m_nNumber = 0;
    QDate m_date;
    QString m_strBasis;
    QString m_strAmount;
    QString m_strPriority;
    QString m_strPaymentKind;
    QString m_strPaymentType;
    QString m_strPaymentTerm;

public slots:
    // Fills the name lists from the requisites files and, for a row, preselects its names; what
    // went wrong is told once the dialog is up.
    bool OnInitDialog();
    void OnOK();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A typed text of the order: its column, member and edit, the caption that names it, what
    // OK says when it is empty, and its place on the form. Listed in the order in which OK tests
    // them.
    struct TextField {
        int column;
        QString COrderDlg::*member;
        QLineEdit* COrderDlg::*edit;
        const char16_t* caption;
        const char16_t* missing;
        FormField formField;
    };
    static const TextField kTextFields[6];

    void CreateControls();
    QLineEdit* AddEdit(const QString& label, const QRect& labelRect, const QRect& editRect,
                       const char* name);
    // Fills the name lists; appends to *notices what the user is to be told.
    void LoadNames(QStringList* notices);
    // Selects the entry that reads exactly as the name; false when there is none.
    static bool SelectName(QListWidget* list, const QString& name);
    // The first failed test of OK, or an empty text when all pass.
    QString FirstMissingField() const;
    // False, after telling the user, when a typed field holds a character that can't be saved.
    bool CheckSavableText();
    // Warns about the chosen parties' records that break a bank rule, each record once a run.
    void TellFaultyParties();
    // False, after telling the user, when the amount is not an amount of roubles and kopecks.
    bool CheckAmount();
    // False when the user chose to shorten a text that the form cannot show whole.
    bool ConfirmTextsFitForm();
    // False when the user chose not to replace another order of the same number.
    bool ConfirmReplacement();

    bool m_bInitialised = false;
    FormEdition m_edition = FormEdition::Edition2001;
    CRequisiteArray m_payerRecords;
    CRequisiteArray m_recipientRecords;
    QList<QPair<int, QString>> m_toldParties;  // address book and name of each record warned about
    std::function<bool(int)> m_isNumberTaken;
    QLineEdit* m_editNumber = nullptr;
    QDateEdit* m_dateEdit = nullptr;
    QLineEdit* m_editAmount = nullptr;
    QLineEdit* m_editBasis = nullptr;
    QLineEdit* m_editPaymentKind = nullptr;
    QLineEdit* m_editPaymentTerm = nullptr;
    QLineEdit* m_editPaymentType = nullptr;
    QLineEdit* m_editPriority = nullptr;
};
