#pragma once

#include <QDialog>
#include <QIcon>
#include <QPersistentModelIndex>
#include <memory>

#include "bank/OrderRefusal.h"
#include "bank/OrderSanity.h"
#include "bank/OrderUseCases.h"
#include "common/Clock.h"
#include "common/DesktopTrash.h"
#include "form/FormEdition.h"
#include "orders/OrderRow.h"
#include "orders/WorkingFolder.h"
#include "orderwindows/CExportRefusalsDlg.h"
#include "orderwindows/InvoiceInput.h"
#include "requisites/BikDirectory.h"

class COrderDlg;
struct DuePayment;
struct OrderRegister;
class COrderListModel;
class COrderSortModel;
class CVemoDoc;
class DialogUnits;
class ChosenTotal;
class QComboBox;
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
    // The paper of the form the orders are written for: the order dialog follows its edition's
    // rules, and the chosen orders are drawn and printed on it.
    void SetFormPaper(FormPaper paper) { m_paper = paper; }
    // The directory of BIKs the parties' records are held against; none by default.
    void SetBikDirectory(const BikDirectory& directory) { m_bikDirectory = directory; }
    // The program's today: the date of a new order, the payments due; the system's by default.
    void SetClock(const Clock& clock) { m_clock = clock; }

    // Offers the repeated payments due that have no order yet, over the window given (the
    // archive itself as it opens, the main window at start): each made through the order dialog
    // and stored as "Создать новую" stores an order, or skipped. Names the templates that could
    // not be read.
    void OfferDuePayments(QWidget* over);

    // The payer and recipient of the current row, as last seen.
    QString m_strRowRecipient;
    QString m_strRowPayer;
    // What the user is to be told about the order last put on the form, once it is drawn: why
    // the form does not show it whole.
    QStringList DrawingNotices() const;
    // That the edition of the form has no room for some of that order's fields; empty when it
    // has room for all.
    QString DrawingNoRoom() const { return m_drawingNoRoom; }

public slots:
    bool OnInitDialog();
    void OnCreateNew();
    void OnCreateCopy();
    void OnEditOrder();
    // "Создать по счету…": a new order filled from an invoice's file or the clipboard.
    void OnCreateFromInvoice(InvoiceInput::Source source);
    void OnItemChangedOrders();
    void OnDeleteOrder();
    // "Выгрузить в банк…": writes the selected orders, or the shown ones not sent yet when none
    // is selected, to files for the bank's client system (one per payer's bank) that the user
    // names; asks before it sends an order again.
    void OnExportToBank();
    // "Напечатать выбранные": every chosen order on a page of its own, in the list's order.
    void OnPrintChosen();
    // "Сохранить как шаблон": keeps the current order as a template, with a name and a repeat.
    void OnSaveAsTemplate();
    // "Создать по шаблону": a new order from the template chosen, its period moved to today's
    // month, in the order dialog.
    void OnCreateFromTemplate();
    // "Реестр…": the chosen orders, or all those shown, as the register for signing, printed or
    // saved as PDF or CSV.
    void OnRegister();
    // "Нарисовать платежное поручение": puts the current order on the form and ends the dialog.
    void OnOK();

protected:
    // Remembers the window's size and the columns' widths for the next time.
    void done(int result) override;
    void resizeEvent(QResizeEvent* event) override;
    // The payments due are offered once the archive is up.
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void CreateList();
    void CreateSearchRow(const DialogUnits& units);
    // The choice of the orders' state the list shows, between the heading and the search.
    void CreateStateFilter(const DialogUnits& units);
    // "Создать по счету…", in the tab order after the control given; the button.
    QWidget* CreateInvoiceButton(const DialogUnits& units, QWidget* after);
    // The month's routine: the template buttons and the register's, in a row of their own at y
    // (dialog units), after `after` in the tab order; the last of them.
    QWidget* CreateRoutineButtons(const DialogUnits& units, int y, QWidget* after);
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
    // The payer of the last row, which an order made from an invoice proposes; empty for none.
    QString LastPayer() const;
    // The current row, or -1 after telling the user that none is selected.
    int RequireCurrentRow();
    // Whether writing order number N would replace an order other than the edited row's own file
    // (editedRow -1 for a new order): the file of N is another row's, or is there at all.
    bool WouldReplaceAnotherOrder(int number, int editedRow) const;
    // What the order dialog compares an order with before it warns: the other rows, and the
    // edited row's stored date (editedRow -1 for a new order).
    OrderSanity::Context SanityContext(int editedRow) const;
    // Runs the order dialog and stores what it ended with; true when it was stored.
    bool RunOrderDialog(COrderDlg* dialog, int editedRow);
    // Makes the due payment's order in the order dialog over the parent and records it made for
    // the payment; the number of the order stored, 0 for none.
    int MakeDuePayment(const DuePayment& payment, QWidget* parent);
    // Lets the user choose the file, PDF or CSV, and writes the register to it.
    void SaveRegister(const OrderRegister& reg);
    // Every row the list shows, in the order it shows them.
    QList<int> ShownRows() const;
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
    // The rows to export: the selected ones, or the shown ones not sent, once the user agrees;
    // the already sent among the selected go only if the user says so. Empty for none.
    QList<int> RowsToExport();
    // The shown rows whose orders did not go to the bank, in the archive's order.
    QList<int> NotSentShown() const;
    // Whether the user sends again the chosen orders that went to the bank before; those the
    // user does not are taken out of the rows.
    bool ConfirmResend(QList<int>* rows);
    // The states of the orders of the rows, anew from the kept files.
    void RefreshStates(const QList<int>& rows);
    // The orders of the model's rows, in the order given.
    QList<OrderRow> RowsAt(const QList<int>& rows) const;
    // Whether a job goes on with the `made` orders it could take: not when it says why it could
    // take none (error), nor when the user, shown the refused orders, chooses nothing.
    bool GoOn(const QString& error, const QList<OrderRefusal>& refused, qsizetype made,
              CExportRefusalsDlg::Action action);
    // Lets the user name the file and writes it, a file per payer's bank; false when nothing was
    // written.
    bool SaveExport(const OrderUseCases::Export& done);
    // The selected rows in the order the list shows them.
    QList<int> SelectedRowsShown() const;
    // The line under the list: how many orders are shown and chosen, their total, and how many
    // of the archive are in each state.
    void UpdateChosenLine();

    CVemoDoc& m_doc;
    const WorkingFolder m_folder;
    FormPaper m_paper;
    BikDirectory m_bikDirectory;
    Clock m_clock;
    bool m_bDueOffered = false;
    std::unique_ptr<QIcon> m_pImageList;
    COrderListModel* m_pModel = nullptr;
    COrderSortModel* m_pShown = nullptr;
    QTreeView* m_pList = nullptr;
    QLineEdit* m_pSearch = nullptr;
    QComboBox* m_pStateFilter = nullptr;
    QLabel* m_pChosenLine = nullptr;
    QPushButton* m_pDefaultButton = nullptr;
    std::unique_ptr<StretchPlacement> m_pPlacement;
    QStringList m_drawingNotices;
    QString m_drawingNoRoom;
    // The order last selected, which the search may hide for a while.
    QPersistentModelIndex m_chosenOrder;
    bool m_bSearching = false;
};

// The open archive dialog; null while none is open.
// Nothing reads it (the order dialog is handed its order): kept as the open archive's known name.
extern COrderArchiveDlg* g_pOrderArchiveDlg;
