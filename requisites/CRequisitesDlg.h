#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <utility>

#include "common/CRequisite.h"
#include "requisites/BikDirectory.h"
#include "requisites/OrdersOfParty.h"
#include "requisites/RequisiteChecks.h"
#include "widgets/TypedChanges.h"

class QLabel;
class QLineEdit;

// Edits the six fields of one counterparty's requisites. The caller sets the members, runs the
// dialog with exec() and reads the members back after OK.
class CRequisitesDlg : public QDialog {
    Q_OBJECT
public:
    explicit CRequisitesDlg(QWidget* parent = nullptr);
    ~CRequisitesDlg() override;

    // Moves the members into the fields and puts the focus on the name; runs whenever the dialog
    // is shown.
    void OnInitDialog();
    // The address book of the record (kPayersKind, the default, or kRecipientsKind): payers and
    // recipients have their own places on the form, and their two accounts hold different
    // things, which the dialog says beside each.
    void SetKind(int nKind);
    // The directory of BIKs that fills the bank's details from the BIK and checks them at OK;
    // none (empty) by default.
    void SetBikDirectory(const BikDirectory& directory) { m_bikDirectory = directory; }

    // The orders that name the record by its name as set: when OK changes the name, it asks
    // whether they should take the new one.
    void SetOrdersOfParty(const OrdersOfParty& orders);
    // After OK: whether the user said "Да" to renaming the record in its orders.
    bool RenameInOrders() const { return m_bRenameInOrders; }

    // The six members from a record, and back.
    void SetRecord(const CRequisite& record);
    CRequisite Record() const;

    QString m_strName;
    QString m_strBank;
    QString m_strInnKpp;
    QString m_strBik;
    QString m_strAccount1;
    QString m_strAccount2;

public slots:
    // Refuses a field whose text the requisites file cannot keep, and offers to correct bank
    // details that break a bank rule; otherwise moves the fields into the members and ends the
    // dialog with OK.
    void OnOK();
    // Esc, "Отмена" and the close box ask first when a field was changed.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Row {
        QString caption;
        QString CRequisitesDlg::*member;
        QLineEdit* edit;
    };

    void CreateControls();
    bool RefuseUnstorableText(const Row& row);
    // True when the bank details pass, or the user chose to save them as they are; otherwise
    // the focus is on the first field at fault.
    bool ConfirmBankDetails();
    QLineEdit* EditOf(QString CRequisitesDlg::*member) const;
    // Offers to swap the two accounts when they stand the wrong way round for the book; true when
    // they were swapped, the dialog staying open to show them.
    bool OfferToSwapAccounts(const QList<RequisiteChecks::Problem>& problems);
    // False when the user chose to shorten a value that the form cannot show whole.
    bool ConfirmFieldsFitForm();
    // Asks whether the orders that name the record take its new name; the archive renames it
    // there once its book is written.
    void AskRenameInOrders();
    CRequisite TypedRecord() const;
    QLineEdit* EditOfRecordMember(QString CRequisite::*member) const;
    // Leaving the BIK field fills the bank's empty fields from the directory; moving on to
    // another field also offers to correct those that differ.
    void OnFocusChanged(QWidget* old, QWidget* now);
    void FillFromBikDirectory();
    void OfferBikCorrections();

    QList<Row> m_rows;  // in the order of the dialog, which is the tab order
    QList<std::pair<AccountMember, QLabel*>> m_accountHints;
    int m_nKind = 0;
    OrdersOfParty m_orders;
    bool m_bRenameInOrders = false;
    BikDirectory m_bikDirectory;
    QMetaObject::Connection m_focusWatch;
    QString m_strBikOffered;  // the BIK whose corrections were last offered, asked once
    TypedChanges m_changes;
};
