#pragma once

#include <QDialog>
#include <QString>

#include "requisites/AddressBook.h"
#include "requisites/BikDirectory.h"
#include "requisites/OrdersOfParty.h"

class QListWidget;
class QSessionManager;
class QPushButton;

// Edits one address book: payers (kind 0) or recipients (any other kind). The dialog lists the
// names and adds, changes and deletes records in memory. When it closes, a changed list is written
// back to the kind's file, after asking when another window or program changed that file since it
// was read; an unchanged list is never written.
class CRequisitesArchiveDlg : public QDialog {
    Q_OBJECT
public:
    // On the kind's file in the process's working directory.
    explicit CRequisitesArchiveDlg(int nKind, QWidget* parent = nullptr);
    // On the book given, which it loads when it opens.
    CRequisitesArchiveDlg(int nKind, const AddressBook& book, QWidget* parent = nullptr);
    ~CRequisitesArchiveDlg() override;

    // Lets the user edit the address book of the kind, modally; how it ended. A record renamed
    // there may be renamed in the orders too, and the records are held against the directory.
    static int RunArchive(int nKind, const AddressBook& book, const OrdersOfParty& orders,
                          const BikDirectory& directory, QWidget* parent = nullptr);
    // The orders that name the parties of the book, which follow a renamed record when the user
    // says so.
    void SetOrdersOfParty(const OrdersOfParty& orders);
    // The directory of BIKs the record dialog fills and checks a record from; none by default.
    void SetBikDirectory(const BikDirectory& directory) { m_bikDirectory = directory; }

    // Reads the book from the file; tells the user, once the dialog is up, when it can't.
    void LoadRequisites(const QString& fileName);

    // Sets the caption of the kind, loads the kind's file and fills the list; runs when the
    // dialog is first shown.
    void OnInitDialog();
    // Lists the name of every record and selects the first.
    void FillList();

    void done(int result) override;

    AddressBook m_requisites;
    int m_nKind;

public slots:
    void OnAdd();
    void OnChange();
    void OnDelete();

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    // Logging out: a changed list is saved as the window's closing saves it, when the session
    // manager lets the program ask what saving may ask.
    void OnCommitData(QSessionManager& manager);

private:
    void CreateControls();
    int SelectedIndex() const;
    // Runs the record dialog on the record; the orders are offered a changed name, and
    // *renameInOrders tells whether the user took it for them.
    bool EditRecord(CRequisite* record, const OrdersOfParty& orders = OrdersOfParty(),
                    bool* renameInOrders = nullptr);
    // Writes the book, then the new name into the orders that name the old one.
    void RenameInOrders(const QString& oldName, const QString& newName);
    // Writes a changed list, once; every refusal and failure is told over the dialog.
    void SaveRequisites();
    // Writes the list as it stands; false, the user told why, when it was not written.
    bool WriteList();
    bool ConfirmOverwrite();

    QListWidget* m_pList = nullptr;
    QPushButton* m_pOk = nullptr;
    bool m_bInitialised = false;
    OrdersOfParty m_orders;
    // True when the record may go: no order finds its party by it, or the user said "Да" to a
    // question that names those orders.
    bool ConfirmDeleteNamed(int index);
    BikDirectory m_bikDirectory;
};
