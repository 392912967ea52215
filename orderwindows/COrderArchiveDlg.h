#pragma once

#include <QDialog>
#include <QIcon>
#include <QPersistentModelIndex>
#include <memory>

#include "bank/OrderRefusal.h"
#include "bank/OrderSanity.h"
#include "common/DesktopTrash.h"
#include "form/FormEdition.h"
#include "orders/OrderRow.h"
#include "orders/WorkingFolder.h"
#include "orderwindows/CExportRefusalsDlg.h"
#include "requisites/BikDirectory.h"

class COrderDlg;
class COrderListModel;
class COrderSortModel;
class CVemoDoc;
class DialogUnits;
class ChosenTotal;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;
class StretchPlacement;

// The archive of payment orders of the working folder it was given: lists every order file,
// creates, copies, changes and deletes orders, writing each change to the order files at once,
// and puts the chosen order on the form of the document it was given. The list sorts by the column
// whose header is clicked and shows only the orders that hold the text of the search field; rows
// are named by their place in the archive's own order (by file), whatever the list shows.
class COrderArchiveDlg : public QDialog {
    Q_OBJECT
public:
    COrderArchiveDlg(CVemoDoc& doc, const WorkingFolder& folder, QWidget* parent = nullptr);
    ~COrderArchiveDlg() override;

    // The row the order operations act on, in the archive's own order: the row last selected
    // while it stays selected, else the one selected row; -1 when none is, when several are and
    // the last one was unselected, or when the search hides it.
    int CurrentRow() const;
    // Every selected row, in list order.
    QList<int> SelectedRows() const;
    int RowCount() const;
    OrderRow RowAt(int row) const;
    // Selects the row, or nothing when the search hides it or the row is -1.
    void SelectRow(int row);
    // The edition of the form the orders are written for: the order dialog follows its rules,
    // and the chosen orders are printed in it.
    void SetFormEdition(FormEdition edition) { m_edition = edition; }
    // The directory of BIKs the parties' records are held against; none by default.
    void SetBikDirectory(const BikDirectory& directory) { m_bikDirectory = directory; }

    // The payer and recipient of the current row, as last seen.
    QString m_strRowRecipient;
    QString m_strRowPayer;
    // What the user is to be told about the order last put on the form, once it is drawn: why
    // the form does not show it whole.
    QStringList DrawingNotices() const;

public slots:
    bool OnInitDialog();
    void OnCreateNew();
    void OnCreateCopy();
    void OnEditOrder();
    void OnItemChangedOrders();
    void OnDeleteOrder();
    // "Выгрузить в банк…": writes the selected orders, or all when none is selected, to a file
    // for the bank's client system that the user chooses.
    void OnExportToBank();
    // "Напечатать выбранные": every chosen order on a page of its own, in the list's order.
    void OnPrintChosen();
    // "Нарисовать платежное поручение": puts the current order on the form and ends the dialog.
    void OnOK();

protected:
    // Remembers the window's size and the columns' widths for the next time.
    void done(int result) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateControls();
    void CreateList();
    void CreateSearchRow(const DialogUnits& units);
    // Shows only the orders that hold the text; the chosen order stays chosen, and is selected
    // again when it shows again.
    void OnSearchChanged(const QString& text);
    // Makes the row current, in view, with the focus on the list, clearing a search that hides it.
    void ShowOrder(int row);
    // Widens the number column to its widest number, when it is narrower.
    void FitNumberColumn();
    void RestoreSettings();
    void SaveSettings() const;
    // The number proposed for a new order: one more than the number of the last row, 1 for none.
    int NewOrderNumber() const;
    // The current row, or -1 after telling the user that none is selected.
    int RequireCurrentRow();
    // Whether writing order number N would replace an order other than the edited row's own file
    // (editedRow -1 for a new order): the file of N is another row's, or is there at all.
    bool WouldReplaceAnotherOrder(int number, int editedRow) const;
    // What the order dialog compares an order with before it warns: the other rows, and the
    // edited row's stored date (editedRow -1 for a new order).
    OrderSanity::Context SanityContext(int editedRow) const;
    // Runs the order dialog and stores what it ended with.
    void RunOrderDialog(COrderDlg* dialog, int editedRow);
    // Writes the order to its file and, once written, into the list: into the edited row, or a
    // new last row when editedRow is -1. The list then shows that order in that row alone. False,
    // with the user told, when the file could not be written.
    bool StoreOrder(const OrderRow& row, int editedRow);
    // What is about to befall a row's own file.
    enum class FileStep { Rewrite, Delete };
    // Whether the row's file may be rewritten or deleted: it still holds what the list shows, or
    // the user says to go on over what another program put there (a file already gone is no
    // question for a delete). On "Нет" the row shows the file as it stands now, or goes when the
    // file has gone.
    bool ConfirmOverAnotherProgram(int row, int number, FileStep step);
    // Tells what became of a deleted order's file when it did not go to the trash.
    void TellRemoval(DesktopTrash::Removal removal, const QString& file, const QString& error);
    // The orders to export: the selected ones, or all.
    QList<OrderRow> OrdersToExport() const;
    // The orders of the model's rows, in the order given.
    QList<OrderRow> RowsAt(const QList<int>& rows) const;
    // Whether a job goes on with the `made` orders it could take: not when it says why it could
    // take none (error), nor when the user, shown the refused orders, chooses nothing.
    bool GoOn(const QString& error, const QList<OrderRefusal>& refused, qsizetype made,
              CExportRefusalsDlg::Action action);
    // Lets the user choose the file and writes it.
    void SaveExport(const QStringList& lines, const ChosenTotal& exported);
    // The selected rows in the order the list shows them.
    QList<int> SelectedRowsShown() const;
    // The line under the list: how many orders are shown and chosen, and their total.
    void UpdateChosenLine();

    CVemoDoc& m_doc;
    const WorkingFolder m_folder;
    FormEdition m_edition = FormEdition::Edition2001;
    BikDirectory m_bikDirectory;
    std::unique_ptr<QIcon> m_pImageList;
    COrderListModel* m_pModel = nullptr;
    COrderSortModel* m_pShown = nullptr;
    QTreeView* m_pList = nullptr;
    QLineEdit* m_pSearch = nullptr;
    QLabel* m_pChosenLine = nullptr;
    QPushButton* m_pDefaultButton = nullptr;
    std::unique_ptr<StretchPlacement> m_pPlacement;
    QStringList m_drawingNotices;
    // The order last selected, which the search may hide for a while.
    QPersistentModelIndex m_chosenOrder;
    bool m_bSearching = false;
};

// The open archive dialog; null while none is open.
// Nothing reads it (the order dialog is handed its order): kept as the open archive's known name.
extern COrderArchiveDlg* g_pOrderArchiveDlg;
