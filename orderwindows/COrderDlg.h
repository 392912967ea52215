#pragma once

#include <QDate>
#include <QDialog>
#include <QPointer>
#include <QRect>
#include <functional>
#include <variant>

#include "bank/OrderSanity.h"
#include "common/Clock.h"
#include "form/FormEdition.h"
#include "invoice/InvoiceOrder.h"
#include "orders/OrderRow.h"
#include "orders/WorkingFolder.h"
#include "orderwindows/InvoiceInput.h"
#include "requisites/BikDirectory.h"
#include "widgets/TypedChanges.h"

class BudgetFieldsBox;
class CodeComboBox;
class DialogUnits;
class QDateEdit;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;
class WrappedLineEdit;

// One payment order to enter or change: number, date, recipient and payer chosen from the names
// of the address books it is given, amount, basis and the four coded fields, the income-type
// code, and the fields of a payment to the budget in a group of their own. OK ends it only when
// every field is filled in. The caller hands in an order with SetRow (or, for a new order, sets
// the number and the date), runs exec() and after OK takes the order back with Row().
class COrderDlg : public QDialog {
    Q_OBJECT
public:
    explicit COrderDlg(const AddressBooks& books, QWidget* parent = nullptr);
    ~COrderDlg() override;

    // Opens the dialog on an existing order: its fields are shown and its names preselected.
    void SetRow(const OrderRow& row);
    // The order as the dialog holds it; after OK, as the user ended with it.
    OrderRow Row() const;
    // Tells whether writing the order under a number would replace another order; OK asks the
    // user before it lets that happen.
    void SetNumberTakenCheck(std::function<bool(int number)> isTaken);
    // What OK compares the order with before it warns about a likely slip (a date, a duplicate,
    // a long purpose): the archive's other orders and, for a stored order, its stored date.
    void SetSanityContext(const OrderSanity::Context& context);
    // The edition of the form the order is written for, before exec(). Under the current
    // edition's rules the term and the type of payment may stay empty, and a new order starts
    // with "01" as the kind of payment and "5" as the priority.
    void SetFormEdition(FormEdition edition) { m_edition = edition; }
    // The directory of BIKs the parties' records are held against at OK; none by default.
    void SetBikDirectory(const BikDirectory& directory) { m_bikDirectory = directory; }
    // The program's today, by which OK questions a date too far back or ahead; the system's by
    // default.
    void SetClock(const Clock& clock) { m_clock = clock; }
    // Lets "ЕНП" offer to add the tax service to the recipients' book when it is not there: the
    // function adds the record, true when it was written, and says why not in *error.
    void SetAddRecipient(
        std::function<bool(const CRequisite& record, QString* error)> addRecipient);
    // The payer of the last order made, which an order filled from an invoice takes when no payer
    // is chosen and the payers' book holds more than one.
    void SetLastPayer(const QString& name) { m_strLastPayer = name; }
    // Fills the order from an invoice as soon as the dialog is up, as "По QR-коду…" does.
    void FillFromInvoiceWhenShown(const InvoiceOrder& invoice);

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
    QString m_strIncomeType;  // "Наз. пл." (20)
    OrderRow m_budget;        // the fields of a payment to the budget, by their columns

public slots:
    // Fills the name lists from the address books and, for a row, preselects its names; what
    // went wrong is told once the dialog is up.
    bool OnInitDialog();
    void OnOK();
    // "ЕНП": fills the single tax payment and chooses the tax service as the recipient.
    void OnSingleTaxPayment();
    // "По QR-коду…": the order from an invoice's file or the clipboard.
    void OnFromInvoice(InvoiceInput::Source source);
    // Takes into the order what the invoice's code gives, the rest left as it is: the recipient
    // found in the book or, when it is not there, added to it through the record dialog; the
    // amount, the purpose and the budget fields. The payer stays the one chosen.
    void FillFromInvoice(const InvoiceOrder& invoice);
    // "НДС": appends the VAT line of the amount at the rate to the purpose, and remembers the
    // rate for the next press.
    void OnVat(int rate);

    // Esc, "Отмена" and the close box ask first when something was typed.
    void reject() override;
    // Remembers the dialog's size for the next order.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // A typed text of the order: its column (which names it and places it on the form), member
    // and edit, and what OK says when it is empty. Listed in the order in which OK tests them.
    struct TextField {
        int column;
        QString COrderDlg::*member;
        std::variant<QLineEdit * COrderDlg::*, WrappedLineEdit * COrderDlg::*> edit;
        const char16_t* missing;
    };
    static const TextField kTextFields[6];
    // Calls action with the field's edit, of whichever kind it is.
    template <class Action>
    void WithEdit(const TextField& field, Action action) const {
        std::visit([&](auto edit) { action(this->*edit); }, field.edit);
    }

    void CreateControls();
    QLineEdit* AddEdit(const QString& label, const QRect& labelRect, const QRect& editRect,
                       const char* name);
    // Fills the name lists; appends to *notices what the user is to be told.
    void LoadNames(QStringList* notices);
    // Selects the entry that reads exactly as the name; false when there is none.
    static bool SelectName(QListWidget* list, const QString& name);
    // The first failed test of OK: what it says and the field it sends the user to; none (null)
    // when all pass.
    struct MissingField {
        QString message;
        QWidget* field = nullptr;
    };
    MissingField FirstMissingField() const;
    // False, after telling the user, when a typed field holds a character that can't be saved.
    bool CheckSavableText();
    // False, after telling the user, when the number or the priority breaks its rule (more than
    // six digits; not one digit from 1 to 5), the focus on the field.
    bool CheckFieldFaults();
    // Warns about the chosen parties' records that break a bank rule, each record once a run.
    void TellFaultyParties();
    // False, after telling the user, when the amount is not an amount of roubles and kopecks.
    bool CheckAmount();
    // False when the user chose to shorten a text that the form cannot show whole.
    bool ConfirmTextsFitForm();
    // False when the user chose not to replace another order of the same number.
    bool ConfirmReplacement();
    // False when the user chose to correct what a warning about the order questions.
    bool ConfirmSanity();
    // Warns about budget fields that break a rule; false when the user goes back to correct them,
    // the focus on the first field at fault.
    bool ConfirmBudgetFields();
    // Shows or hides the budget group, and fits the dialog to it.
    void ShowBudgetFields(bool shown);
    // The height the budget group adds to the dialog.
    int BudgetRoom() const;
    // How each widget of fixed height follows the dialog's width: it stays, it grows with the
    // right edge, or it moves with it; and whether it moves down as the lists grow.
    enum class Anchor { Stay, Widen, Right };
    struct Anchored {
        QPointer<QWidget> widget;
        QRect rect;  // at the dialog's smallest size
        Anchor anchor;
        bool belowLists;
    };
    void AnchorFixedWidgets();
    // Fits the smallest size to what is shown (the budget group, the invoice's line) and places
    // every widget for the dialog's size: the lists of names take the height it grows by.
    void LayOut();
    // Places the widgets for the width with the lists grown by extraHeight; the height they take.
    int PlaceControls(const DialogUnits& units, int dialogWidth, int extraHeight);
    void RestoreSize();
    // Down and Up in a list's filter choose among the names left, Enter takes the chosen one.
    bool OnFilterKey(QListWidget* list, QKeyEvent* event);
    // Opens the budget group when the chosen recipient's own account is a treasury account.
    void OnRecipientChosen();
    // The record of the chosen recipient, or none.
    const CRequisite* ChosenRecipient() const;
    // Selects the tax service among the recipients, offering to add it; false when it is not
    // there in the end.
    bool ChooseTaxService();
    // Adds the record to the recipients' book and chooses it; false, after telling the user, when
    // it could not be written.
    bool AddRecipientToBook(const CRequisite& record);

    // The invoice's buttons, its drop and the line that says what came from it.
    void CreateInvoiceControls(const DialogUnits& units);
    void UpdateVatButton();
    // Chooses the invoice's recipient in the book, or offers to add it; false when none is chosen.
    bool ChooseInvoiceRecipient(const InvoiceOrder& invoice);
    // The record dialog, filled from the code, for the user to add the recipient to the book.
    bool AddInvoiceRecipient(const CRequisite& fromCode);
    // Chooses the only payer, or the one of the last order made, when none is chosen.
    void ProposePayer();
    // What came from the invoice, what it lacks, and what the user should look at.
    void UpdateInvoiceSummary();
    // Places the invoice's row under the fields from y down, and under it the line that says what
    // came from the invoice; the y below them.
    int PlaceInvoiceRow(const DialogUnits& units, int y, int dialogWidth);

    bool m_bInitialised = false;
    bool m_bShown = false;
    bool m_bLayingOut = false;
    int m_budgetAdded = 0;  // the height the budget group added when it opened
    QList<Anchored> m_anchored;
    TypedChanges m_changes;
    QLabel* m_labelRecipients = nullptr;
    QLabel* m_labelPayers = nullptr;
    QLineEdit* m_filterRecipients = nullptr;
    QLineEdit* m_filterPayers = nullptr;
    Clock m_clock;
    FormEdition m_edition = FormEdition::Edition2001;
    BikDirectory m_bikDirectory;
    AddressBooks m_books;
    QList<QPair<int, QString>> m_toldParties;  // address book and name of each record warned about
    std::function<bool(int)> m_isNumberTaken;
    OrderSanity::Context m_sanity;
    std::function<bool(const CRequisite&, QString*)> m_addRecipient;
    QLineEdit* m_editNumber = nullptr;
    QDateEdit* m_dateEdit = nullptr;
    QLineEdit* m_editAmount = nullptr;
    WrappedLineEdit* m_editBasis = nullptr;  // the purpose, long enough to wrap
    QLineEdit* m_editPaymentKind = nullptr;
    QLineEdit* m_editPaymentTerm = nullptr;
    QLineEdit* m_editPaymentType = nullptr;
    QLineEdit* m_editPriority = nullptr;
    CodeComboBox* m_comboIncomeType = nullptr;
    QToolButton* m_budgetToggle = nullptr;
    BudgetFieldsBox* m_budgetBox = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;
    QString m_strLastPayer;
    bool m_bFromInvoice = false;
    InvoiceOrder m_invoice;  // the last one the order was filled from
    QPushButton* m_fromInvoice = nullptr;
    QLabel* m_dropHint = nullptr;
    QLabel* m_invoiceSummary = nullptr;
    QToolButton* m_vatButton = nullptr;
};
