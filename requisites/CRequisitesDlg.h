#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <utility>

#include "common/CRequisite.h"
#include "requisites/RequisiteChecks.h"

class QLabel;
class QLineEdit;

// Edits the six fields of one counterparty's requisites. The caller sets the members, runs the
// dialog with exec() and reads the members back after OK.
class CRequisitesDlg : public QDialog {
    Q_OBJECT
public:
    explicit CRequisitesDlg(QWidget* parent = nullptr);

    // Moves the members into the fields and puts the focus on the name; runs whenever the dialog
    // is shown.
    void OnInitDialog();
    // The address book of the record (kPayersKind, the default, or kRecipientsKind): payers and
    // recipients have their own places on the form, and their two accounts hold different
    // things, which the dialog says beside each.
    void SetKind(int nKind);

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

    QList<Row> m_rows;  // in the order of the dialog, which is the tab order
    QList<std::pair<AccountMember, QLabel*>> m_accountHints;
    int m_nKind = 0;
};
