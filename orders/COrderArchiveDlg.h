#pragma once

#include <QDialog>
#include <QIcon>
#include <memory>

#include "orders/OrderRow.h"
#include "orders/OrderTransfer.h"

class COrderDlg;
class COrderListModel;
class CVemoDoc;
class QTreeView;

// The archive of payment orders: lists every order file, creates, copies, changes and deletes
// orders, writing each change to the order files at once, and puts the chosen order on the form
// of the document it was given.
class COrderArchiveDlg : public QDialog {
    Q_OBJECT
public:
    explicit COrderArchiveDlg(CVemoDoc& doc, QWidget* parent = nullptr);
    ~COrderArchiveDlg() override;

    // The selected row, -1 when none is.
    int CurrentRow() const;
    int RowCount() const;
    OrderRow RowAt(int row) const;
    void SelectRow(int row);

    // The payer and recipient of the current row, as last seen.
    QString m_strRowRecipient;
    QString m_strRowPayer;
    // The parties of the order last put on the form that their address books do not hold, for
    // the message after the form is drawn.
    OrderTransfer::MissingParties m_missingParties;
    // Whether the order last put on the form holds an amount that has no words there.
    bool m_bAmountWithoutWords = false;
    // What the user is to be told about the order last put on the form, once it is drawn.
    QStringList DrawingNotices() const;

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
    // Whether writing order number N would replace an order other than the edited row
    // (editedRow -1 for a new order): another row shows N, or the file of N is there.
    bool WouldReplaceAnotherOrder(int number, int editedRow) const;
    // Runs the order dialog and stores what it ended with.
    void RunOrderDialog(COrderDlg* dialog, int editedRow);
    // Writes the order to its file and, once written, into the list: into the edited row, or a
    // new last row when editedRow is -1. The list then shows that order in that row alone. False,
    // with the user told, when the file could not be written.
    bool StoreOrder(const OrderRow& row, int editedRow);

    CVemoDoc& m_doc;
    std::unique_ptr<QIcon> m_pImageList;
    COrderListModel* m_pModel = nullptr;
    QTreeView* m_pList = nullptr;
};

// The open archive dialog; null while none is open.
extern COrderArchiveDlg* g_pOrderArchiveDlg;
