#pragma once

#include <QDialog>
#include <QIcon>
#include <memory>

#include "orders/OrderRow.h"
#include "orders/OrderTransfer.h"

class COrderDlg;
class COrderListModel;
class QTreeView;

// The archive of payment orders: lists every order file, creates, copies, changes and deletes
// orders, writing each change to the order files at once, and hands the chosen order on.
class COrderArchiveDlg : public QDialog {
    Q_OBJECT
public:
    explicit COrderArchiveDlg(QWidget* parent = nullptr);
    ~COrderArchiveDlg() override;

    // The selected row, -1 when none is.
    int CurrentRow() const;
    int RowCount() const;
    OrderRow RowAt(int row) const;
    void SelectRow(int row);

    // The payer and recipient of the current row, as last seen; the order dialog preselects them.
    QString m_strRowRecipient;
    QString m_strRowPayer;
    // The parties of the order last put on the form that their address books do not hold, for
    // the message after the form is drawn.
    OrderTransfer::MissingParties m_missingParties;

public slots:
    bool OnInitDialog();
    void OnCreateNew();
    void OnCreateCopy();
    void OnEditOrder();
    void OnItemChangedOrders();
    void OnDeleteOrder();
    // "Нарисовать платежное поручение": puts the current order on the form and ends the dialog.
    void OnOK();

private:
    void CreateControls();
    // The current row, or -1 after telling the user that none is selected.
    int RequireCurrentRow();
    // Copies the row's coded fields, amount and basis into the order dialog.
    static void FillDialogFromRow(COrderDlg* dialog, const OrderRow& row);
    // Whether writing order number N would replace an order other than the edited row
    // (editedRow -1 for a new order): another row shows N, or the file of N is there.
    bool WouldReplaceAnotherOrder(int number, int editedRow) const;
    // Runs the order dialog and stores what it ended with.
    void RunOrderDialog(COrderDlg* dialog, int editedRow);
    // Writes the order dialog's result to its file and, once written, into the list: into the
    // edited row, or a new last row when editedRow is -1. The list then shows that order in that
    // row alone. False, with the user told, when the file could not be written.
    bool StoreOrder(const COrderDlg& dialog, int editedRow);

    std::unique_ptr<QIcon> m_pImageList;
    COrderListModel* m_pModel = nullptr;
    QTreeView* m_pList = nullptr;
};

// The open archive dialog, through which the order dialog learns the current row's names.
extern COrderArchiveDlg* g_pOrderArchiveDlg;
