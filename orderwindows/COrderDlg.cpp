#include "orderwindows/COrderDlg.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <limits>
#include <tuple>

#include "bank/BudgetChecks.h"
#include "bank/BudgetPayment.h"
#include "bank/OrderChecks.h"
#include "bank/PartyChecks.h"
#include "common/QuotedValue.h"
#include "form/FormPlaces.h"
#include "invoice/VatLine.h"
#include "orders/OrderAmount.h"
#include "orders/OrderFields.h"
#include "orders/OrderTexts.h"
#include "orderwindows/BudgetFieldsBox.h"
#include "requisites/CRequisitesDlg.h"
#include "requisites/RequisitesFile.h"
#include "widgets/CodeComboBox.h"
#include "widgets/DialogUnits.h"
#include "widgets/FieldChecks.h"
#include "widgets/MessageBoxes.h"
#include "widgets/WrappedLineEdit.h"

namespace {

// The size the user gave the dialog last.
const QString kSizeKey = QStringLiteral("OrderDialog/Size");

const int kPaymentKindLength = OrderFields::Of(kColumnPaymentKind).maxLength;

// The order dialog's label of a field.
QString Label(int column) {
    return OrderFields::Of(column).Label();
}

// Under today's rules the term is not filled on a payment order and the type of payment may stay
// empty: the current edition does not ask for them.
bool Required(FormEdition edition, int column) {
    return edition == FormEdition::Edition2001 ||
           (column != kColumnPaymentTerm && column != kColumnPaymentType);
}

// The lines the purpose shows: its 210 characters at the dialog's smallest width.
const int kPurposeLines = 5;

// Positions and sizes in dialog units.
struct Box {
    int x, y, width, height;
};

QLineEdit* MakeNameFilter(QWidget* parent, const char* name) {
    auto* filter = new QLineEdit(parent);
    filter->setObjectName(QLatin1String(name));
    filter->setPlaceholderText(QStringLiteral("Найти…"));
    filter->setClearButtonEnabled(true);
    filter->setToolTip(
        QStringLiteral("Оставить в списке наименования с этим текстом; стрелки "
                       "выбирают, Enter берет выбранное"));
    TypedChanges::Ignore(filter);
    return filter;
}

// A name as the filter compares it: letter case and the dots over Ё do not count.
QString FoldedName(const QString& name) {
    return name.toCaseFolded().replace(u'ё', u'е');
}

// The next shown entry of the list after (step 1) or before (step -1) the current one; -1 when
// there is none.
int NextShownRow(const QListWidget* list, int step) {
    for (int row = list->currentRow() + step; row >= 0 && row < list->count(); row += step) {
        if (!list->item(row)->isHidden()) {
            return row;
        }
    }
    return -1;
}

// Hides the names that do not hold the typed text; the chosen name stays chosen.
void FilterNames(QListWidget* list, const QString& typed) {
    const QString wanted = FoldedName(typed.trimmed());
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem* item = list->item(row);
        item->setHidden(!wanted.isEmpty() && !FoldedName(item->text()).contains(wanted));
    }
}

QListWidget* MakeNameList(QWidget* parent, const char* name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return list;
}

// Puts the focus on a field that the user is sent back to, its text selected to be typed over.
void PutFocusOn(QWidget* field) {
    if (!field) {
        return;
    }
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        edit->selectAll();
    } else if (auto* purpose = qobject_cast<WrappedLineEdit*>(field)) {
        purpose->selectAll();
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(field)) {
        spin->selectAll();
    }
}

void FillNames(QListWidget* list, const CRequisiteArray& requisites) {
    for (const CRequisite& requisite : requisites) {
        list->addItem(requisite.m_strName);
    }
}

}  // namespace

const COrderDlg::TextField COrderDlg::kTextFields[6] = {
    {kColumnAmount, &COrderDlg::m_strAmount, &COrderDlg::m_editAmount, u"Напишите сумму"},
    {kColumnBasis, &COrderDlg::m_strBasis, &COrderDlg::m_editBasis, u"Напишите основание"},
    {kColumnPriority, &COrderDlg::m_strPriority, &COrderDlg::m_editPriority,
     u"Напишите очередность оплаты"},
    {kColumnPaymentTerm, &COrderDlg::m_strPaymentTerm, &COrderDlg::m_editPaymentTerm,
     u"Напишите срок платежа"},
    {kColumnPaymentType, &COrderDlg::m_strPaymentType, &COrderDlg::m_editPaymentType,
     u"Напишите вид платежа"},
    {kColumnPaymentKind, &COrderDlg::m_strPaymentKind, &COrderDlg::m_editPaymentKind,
     u"Напишите вид оплаты"},
};

COrderDlg::COrderDlg(const AddressBooks& books, QWidget* parent)
    : QDialog(parent), m_changes(this), m_books(books) {
    setWindowTitle(QStringLiteral("Платежное поручение"));
    CreateControls();
    CreateInvoiceControls(DialogUnits(font()));
    AnchorFixedWidgets();
    setSizeGripEnabled(true);
    RestoreSize();
}

COrderDlg::~COrderDlg() = default;

void COrderDlg::CreateControls() {
    const DialogUnits units(font());
    // The pixels the controls under the purpose move down by, as it takes several lines.
    int shift = 0;
    // A label may grow to the right up to its control when the desktop font needs more room for
    // it than the layout gives.
    auto label = [&](const QString& text, Box box, int controlX) {
        auto* widget = new QLabel(text, this);
        QRect rect = units.Rect(box.x, box.y, box.width, box.height).translated(0, shift);
        const int room = units.X(controlX) - rect.left() - units.X(1);
        rect.setWidth(qMax(rect.width(), qMin(widget->sizeHint().width(), room)));
        widget->setGeometry(rect);
        return widget;
    };
    auto edit = [&](const char* name, Box box) {
        auto* widget = new QLineEdit(this);
        widget->setObjectName(QLatin1String(name));
        widget->setMaxLength(std::numeric_limits<int>::max());  // a long field is never cut
        widget->setGeometry(units.Rect(box.x, box.y, box.width, box.height).translated(0, shift));
        return widget;
    };

    // Created in tab order, each control after its label.
    label(Label(kColumnNumber), {7, 9, 38, 8}, 55);
    m_editNumber = edit("number", {55, 7, 49, 14});

    label(Label(kColumnDate), {119, 8, 29, 8}, 150);
    m_dateEdit = new QDateEdit(this);
    m_dateEdit->setObjectName(QStringLiteral("date"));
    m_dateEdit->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    m_dateEdit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_dateEdit->setCalendarPopup(true);
    m_dateEdit->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    units.Place(m_dateEdit, 150, 7, 55, 15);
    m_dateEdit->calendarWidget()->window()->installEventFilter(this);

    // Each list of names under a field that keeps the names holding what is typed; LayOut places
    // them, as they grow with the dialog.
    m_labelRecipients = label(Label(kColumnRecipient), {7, 35, 44, 8}, 55);
    m_filterRecipients = MakeNameFilter(this, "recipientsFilter");
    m_lbRecipients = MakeNameList(this, "recipients");
    m_labelPayers = label(Label(kColumnPayer), {7, 64, 44, 8}, 55);
    m_filterPayers = MakeNameFilter(this, "payersFilter");
    m_lbPayers = MakeNameList(this, "payers");
    for (auto [filter, list] :
         {std::pair(m_filterRecipients, m_lbRecipients), std::pair(m_filterPayers, m_lbPayers)}) {
        connect(filter, &QLineEdit::textChanged, list,
                [list = list](const QString& typed) { FilterNames(list, typed); });
        filter->installEventFilter(this);
    }

    label(Label(kColumnAmount), {7, 89, 44, 8}, 55);
    m_editAmount = edit("amount", {55, 87, 76, 14});
    label(Label(kColumnIncomeType), {135, 89, 32, 8}, 169);
    m_comboIncomeType = new CodeComboBox(BudgetPayment::IncomeTypes(), this);
    m_comboIncomeType->setObjectName(QStringLiteral("incomeType"));
    m_comboIncomeType->setToolTip(QStringLiteral(
        "Код вида дохода (поле 20): только для выплат физическому лицу, иначе пусто"));
    units.Place(m_comboIncomeType, 169, 87, 36, 14);
    // The purpose takes the dialog's width under its label, and "НДС" beside the label.
    label(Label(kColumnBasis), {7, 109, 44, 8}, 177);
    m_editBasis = new WrappedLineEdit(kPurposeLines, this);
    m_editBasis->setObjectName(QStringLiteral("basis"));
    const QRect purpose = units.Rect(7, 122, 198, 0);
    m_editBasis->setGeometry(purpose.x(), purpose.y(), purpose.width(), m_editBasis->height());
    shift = m_editBasis->geometry().bottom() + 1 - units.Y(120);
    label(Label(kColumnPaymentKind), {7, 130, 40, 8}, 55);
    m_editPaymentKind = edit("paymentKind", {55, 128, 13, 14});
    // No third character can be typed; a longer kind read from a file is still shown whole, so
    // that OK can refuse it rather than cut it. It may only be shortened.
    m_editPaymentKind->setMaxLength(kPaymentKindLength);
    connect(m_editPaymentKind, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_editPaymentKind->setMaxLength(qMax(kPaymentKindLength, int(text.size())));
    });
    label(Label(kColumnPaymentTerm), {79, 130, 48, 8}, 134);
    m_editPaymentTerm = edit("paymentTerm", {134, 128, 71, 14});
    label(Label(kColumnPaymentType), {7, 148, 44, 8}, 55);
    m_editPaymentType = edit("paymentType", {55, 146, 150, 14});
    label(Label(kColumnPriority), {7, 167, 76, 8}, 89);
    m_editPriority = edit("priority", {89, 164, 116, 14});

    // The budget fields take no room until they are opened.
    m_budgetToggle = new QToolButton(this);
    m_budgetToggle->setObjectName(QStringLiteral("budgetToggle"));
    m_budgetToggle->setText(QStringLiteral("Бюджетный платеж"));
    m_budgetToggle->setCheckable(true);
    m_budgetToggle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_budgetToggle->setArrowType(Qt::RightArrow);
    m_budgetToggle->setAutoRaise(true);
    m_budgetToggle->setGeometry(units.Rect(5, 183, 110, 14).translated(0, shift));
    connect(m_budgetToggle, &QToolButton::toggled, this, &COrderDlg::ShowBudgetFields);
    auto* singleTax = new QPushButton(QStringLiteral("ЕНП"), this);
    singleTax->setToolTip(QStringLiteral("Заполнить единый налоговый платеж"));
    singleTax->setGeometry(units.Rect(155, 183, 50, 14).translated(0, shift));
    connect(singleTax, &QPushButton::clicked, this, &COrderDlg::OnSingleTaxPayment);
    m_budgetBox = new BudgetFieldsBox(this);
    m_budgetBox->hide();
    connect(m_lbRecipients, &QListWidget::itemSelectionChanged, this,
            &COrderDlg::OnRecipientChosen);

    m_pOk = new QPushButton(QStringLiteral("OK"), this);
    m_pOk->setDefault(true);
    connect(m_pOk, &QPushButton::clicked, this, &COrderDlg::OnOK);
    m_pCancel = new QPushButton(QStringLiteral("Отмена"), this);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
    TypedChanges::Ignore(m_budgetToggle);  // opening the group changes nothing of the order
}

void COrderDlg::ShowBudgetFields(bool shown) {
    const QSignalBlocker blocker(m_budgetToggle);
    m_budgetToggle->setChecked(shown);
    m_budgetToggle->setArrowType(shown ? Qt::DownArrow : Qt::RightArrow);
    const bool changed = m_budgetBox->isVisibleTo(this) != shown;
    const int before = height();
    m_budgetBox->setVisible(shown);
    LayOut();
    if (changed && !m_anchored.isEmpty()) {
        // The group takes room of its own rather than the lists', and gives it back.
        int wanted = shown ? before + BudgetRoom() : before - m_budgetAdded;
        if (shown && screen()) {
            wanted = qMin(wanted, screen()->availableGeometry().height());
        }
        resize(width(), qMax(wanted, minimumHeight()));
        m_budgetAdded = shown ? height() - before : 0;
    }
}

void COrderDlg::AnchorFixedWidgets() {
    const DialogUnits units(font());
    const QList<QWidget*> placedByLayOut{
        m_labelRecipients, m_filterRecipients, m_lbRecipients, m_labelPayers,
        m_filterPayers,    m_lbPayers,         m_budgetBox,    m_fromInvoice,
        m_dropHint,        m_invoiceSummary,   m_pOk,          m_pCancel};
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() || placedByLayOut.contains(child)) {
            continue;
        }
        // A field that reaches the right edge grows with the dialog; one that stands on the
        // right half moves with that edge; the others stay where they are.
        const QRect rect = child->geometry();
        Anchor anchor = Anchor::Stay;
        if (rect.right() >= units.X(170) && rect.left() <= units.X(140)) {
            anchor = Anchor::Widen;
        } else if (rect.left() >= units.X(119)) {
            anchor = Anchor::Right;
        }
        m_anchored.append({child, rect, anchor, rect.top() > units.Y(27)});
    }
}

void COrderDlg::LayOut() {
    if (m_anchored.isEmpty() || m_bLayingOut) {
        return;  // not made yet, or placing already
    }
    m_bLayingOut = true;
    const DialogUnits units(font());
    // As wide as the dialog's template, or as the budget fields need to show whole values.
    const int smallestWidth =
        qMax(units.X(212), m_budgetBox->minimumSizeHint().width() + units.X(14));
    const int smallestHeight = PlaceControls(units, qMax(width(), smallestWidth), 0);
    setMinimumSize(smallestWidth, smallestHeight);
    if (width() < smallestWidth || height() < smallestHeight) {
        resize(qMax(width(), smallestWidth), qMax(height(), smallestHeight));
    }
    PlaceControls(units, width(), height() - smallestHeight);
    m_bLayingOut = false;
}

int COrderDlg::PlaceControls(const DialogUnits& units, int dialogWidth, int extraHeight) {
    const int extraWidth = dialogWidth - units.X(212);
    const QRect listColumn = units.Rect(55, 0, 150, 0).adjusted(0, 0, extraWidth, 0);
    const int filterHeight = m_filterRecipients->sizeHint().height();
    // The two lists share what the dialog grows by, the recipients' the odd pixel.
    const int extraOfPayers = extraHeight / 2;
    int y = units.Y(27);
    for (const auto& [label, filter, list, extra] :
         {std::tuple(m_labelRecipients, m_filterRecipients, m_lbRecipients,
                     extraHeight - extraOfPayers),
          std::tuple(m_labelPayers, m_filterPayers, m_lbPayers, extraOfPayers)}) {
        label->move(label->x(), y + (filterHeight - label->height()) / 2);
        filter->setGeometry(listColumn.left(), y, listColumn.width(), filterHeight);
        y += filterHeight + units.Y(2);
        list->setGeometry(listColumn.left(), y, listColumn.width(), units.Y(19) + extra);
        y = list->geometry().bottom() + 1 + units.Y(6);
    }
    // Below the lists everything moves down with them, from where the template puts it.
    const int below = m_lbPayers->geometry().bottom() + 1 - units.Y(78);
    for (const Anchored& anchored : m_anchored) {
        if (!anchored.widget) {
            continue;
        }
        QRect rect = anchored.rect;
        if (anchored.anchor == Anchor::Widen) {
            rect.setRight(rect.right() + extraWidth);
        } else if (anchored.anchor == Anchor::Right) {
            rect.translate(extraWidth, 0);
        }
        if (anchored.belowLists) {
            rect.translate(0, below);
        }
        anchored.widget->setGeometry(rect);
    }
    y = m_budgetToggle->geometry().bottom() + 1 + units.Y(3);
    if (m_budgetBox->isVisibleTo(this)) {
        m_budgetBox->setGeometry(units.X(7), y, dialogWidth - units.X(14),
                                 m_budgetBox->sizeHint().height());
        y = m_budgetBox->geometry().bottom() + 1 + units.Y(4);
    }
    y = PlaceInvoiceRow(units, y, dialogWidth);
    const QRect ok = units.Rect(35, 0, 50, 14).translated(extraWidth / 2, y);
    m_pOk->setGeometry(ok);
    m_pCancel->setGeometry(ok.translated(units.X(124 - 35), 0));
    return y + ok.height() + units.Y(7);
}

void COrderDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    LayOut();
}

void COrderDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous() && !m_bShown) {
        m_bShown = true;
        m_changes.Remember();
    }
}

void COrderDlg::reject() {
    if (m_changes.ConfirmDiscard(
            QStringLiteral("Платежное поручение изменено. Закрыть окно без сохранения?"))) {
        QDialog::reject();
    }
}

int COrderDlg::BudgetRoom() const {
    return m_budgetBox->sizeHint().height() + DialogUnits(font()).Y(4);
}

void COrderDlg::done(int result) {
    // The size of an order without the budget group, which takes its room only when opened.
    QSize kept = size();
    if (m_budgetBox->isVisibleTo(this)) {
        kept.rheight() -= m_budgetAdded;
    }
    QSettings settings;
    settings.setValue(kSizeKey, kept);
    QDialog::done(result);
}

void COrderDlg::RestoreSize() {
    LayOut();
    const DialogUnits units(font());
    // Room for a few names in each list, unless the user chose a size before.
    QSize wanted = QSettings().value(kSizeKey).toSize();
    if (!wanted.isValid()) {
        wanted = minimumSize() + QSize(0, units.Y(80));
    }
    if (screen()) {
        wanted = wanted.boundedTo(screen()->availableGeometry().size());
    }
    resize(wanted.expandedTo(minimumSize()));
}

bool COrderDlg::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == m_filterRecipients || watched == m_filterPayers) &&
        event->type() == QEvent::KeyPress) {
        return OnFilterKey(watched == m_filterRecipients ? m_lbRecipients : m_lbPayers,
                           static_cast<QKeyEvent*>(event));
    }
    // The calendar drops down under the date, aligned to its right edge, so that it stays over
    // the dialog rather than hanging out to its right.
    QWidget* popup = m_dateEdit->calendarWidget()->window();
    if (watched == popup && event->type() == QEvent::Show) {
        const QPoint bottomRight = m_dateEdit->mapToGlobal(m_dateEdit->rect().bottomRight());
        popup->move(bottomRight.x() - popup->width() + 1, bottomRight.y() + 1);
    }
    return QDialog::eventFilter(watched, event);
}

bool COrderDlg::OnFilterKey(QListWidget* list, QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Down:
        case Qt::Key_Up:
            if (const int row = NextShownRow(list, event->key() == Qt::Key_Down ? 1 : -1);
                row >= 0) {
                list->setCurrentRow(row);
            }
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            // The name chosen, or the first one left: Enter takes it rather than the order.
            QListWidgetItem* current = list->currentItem();
            if (!current || current->isHidden() || !current->isSelected()) {
                const int first = NextShownRow(list, 1);
                if (current && !current->isHidden()) {
                    list->setCurrentItem(current);
                } else if (first >= 0) {
                    list->setCurrentRow(first);
                } else {
                    return true;  // nothing left to take
                }
            }
            focusNextChild();
            focusNextChild();  // past the list, to the field after it
            return true;
        }
        default:
            return false;
    }
}

void COrderDlg::SetRow(const OrderRow& row) {
    m_bFromRow = true;
    m_nNumber = row.Number();
    const QDate date = OrderTexts::DateFromText(row[kColumnDate]);
    m_date = date.isValid() ? date : m_clock.Today();
    m_strPayer = row[kColumnPayer];
    m_strRecipient = row[kColumnRecipient];
    for (const TextField& field : kTextFields) {
        this->*field.member = row[field.column];
    }
    m_strIncomeType = row[kColumnIncomeType];
    m_budget = row;
}

OrderRow COrderDlg::Row() const {
    OrderRow row;
    row[kColumnNumber] = OrderTexts::NumberText(m_nNumber);
    row[kColumnDate] = OrderTexts::DateText(m_date);
    row[kColumnPayer] = m_strPayer;
    row[kColumnRecipient] = m_strRecipient;
    for (const TextField& field : kTextFields) {
        row[field.column] = this->*field.member;
    }
    for (int column = kOrderColumnCount; column < kOrderFieldCount; ++column) {
        row[column] = m_budget[column];
    }
    row[kColumnIncomeType] = m_strIncomeType;
    // What the file holds after the fields goes back as it came.
    row.SetLinesAfterFields(m_budget.LinesAfterFields());
    return row;
}

void COrderDlg::SetAddRecipient(std::function<bool(const CRequisite&, QString*)> addRecipient) {
    m_addRecipient = std::move(addRecipient);
}

void COrderDlg::SetNumberTakenCheck(std::function<bool(int)> isTaken) {
    m_isNumberTaken = std::move(isTaken);
}

void COrderDlg::SetSanityContext(const OrderSanity::Context& context) {
    m_sanity = context;
}

bool COrderDlg::UpdateData(bool saveAndValidate) {
    if (!saveAndValidate) {
        m_editNumber->setText(QString::number(m_nNumber));
        m_dateEdit->setDate(m_date.isValid() ? m_date : m_clock.Today());
        // A longer kind of payment read from a file is shown whole, to be refused at OK rather
        // than cut; no more than the limit can be typed.
        m_editPaymentKind->setMaxLength(qMax(kPaymentKindLength, int(m_strPaymentKind.size())));
        for (const TextField& field : kTextFields) {
            WithEdit(field, [&](auto* edit) { edit->setText(this->*field.member); });
        }
        m_comboIncomeType->SetCode(m_strIncomeType);
        m_budgetBox->SetFields(m_budget);
        if (m_budgetBox->AnyFilled()) {
            ShowBudgetFields(true);
        }
        // Long texts show their beginning, as they are read.
        for (QLineEdit* edit : findChildren<QLineEdit*>()) {
            edit->setCursorPosition(0);
        }
        m_editBasis->setCursorPosition(0);
        return true;
    }
    // A number that is not whole, or too big for the number of an order, is refused outright.
    if (!OrderTexts::ParseWholeNumber(m_editNumber->text(), &m_nNumber)) {
        MessageBoxes::ShowNotice(this, QStringLiteral("Введите целое число."));
        m_editNumber->setFocus();
        m_editNumber->selectAll();
        return false;
    }
    m_date = m_dateEdit->date();
    if (m_editPaymentKind->text().size() > kPaymentKindLength) {
        MessageBoxes::ShowNotice(
            this, QStringLiteral("Введите не более %1 знаков.").arg(kPaymentKindLength));
        PutFocusOn(m_editPaymentKind);
        return false;
    }
    for (const TextField& field : kTextFields) {
        WithEdit(field, [&](auto* edit) { this->*field.member = edit->text(); });
    }
    m_strPriority = m_strPriority.trimmed();  // "5 " is priority 5, and goes to the bank as "5"
    m_strIncomeType = m_comboIncomeType->Code();
    m_budgetBox->TakeFields(&m_budget);
    return true;
}

int COrderDlg::exec() {
    if (!m_bInitialised) {
        OnInitDialog();
    }
    return QDialog::exec();
}

bool COrderDlg::OnInitDialog() {
    m_bInitialised = true;
    if (!m_bFromRow && m_edition == FormEdition::Current) {
        m_strPaymentKind = QStringLiteral("01");  // a payment order
        m_strPriority = QStringLiteral("5");      // ordinary payments and taxes
    }
    UpdateData(false);
    QStringList notices;
    LoadNames(&notices);
    if (!m_bFromRow && m_edition == FormEdition::Current) {
        ProposePayer();  // most orders are paid by the one company, or by the last order's payer
    }
    if (!notices.isEmpty()) {
        // Told over the dialog once it is up, not before it in a corner of the screen.
        QMetaObject::invokeMethod(
            this,
            [this, notices] {
                for (const QString& notice : notices) {
                    MessageBoxes::ShowError(this, notice);
                }
            },
            Qt::QueuedConnection);
    }
    return true;
}

void COrderDlg::LoadNames(QStringList* notices) {
    for (int i = 0; i < m_books.Unreadable().size(); ++i) {
        notices->append(RequisitesFile::CannotReadMessage());
    }
    m_lbRecipients->clear();
    m_lbPayers->clear();
    FillNames(m_lbRecipients, m_books.recipients.Records());
    FillNames(m_lbPayers, m_books.payers.Records());

    if (m_bFromRow) {
        if (!SelectName(m_lbPayers, m_strPayer)) {
            notices->append(QStringLiteral("Плательщик не обнаружен"));
        }
        if (!SelectName(m_lbRecipients, m_strRecipient)) {
            notices->append(QStringLiteral("Получатель не обнаружен"));
        }
    }
}

bool COrderDlg::SelectName(QListWidget* list, const QString& name) {
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text() == name) {
            list->setCurrentRow(i);
            return true;
        }
    }
    return false;
}

COrderDlg::MissingField COrderDlg::FirstMissingField() const {
    if (m_nNumber <= 0) {
        return {QStringLiteral("Ошибка в номере платежки"), m_editNumber};
    }
    if (m_lbPayers->selectedItems().isEmpty()) {
        return {QStringLiteral("Выделите плательщика"), m_lbPayers};
    }
    if (m_lbRecipients->selectedItems().isEmpty()) {
        return {QStringLiteral("Выделите получателя"), m_lbRecipients};
    }
    for (const TextField& field : kTextFields) {
        // A text of blanks counts as written.
        if (Required(m_edition, field.column) && (this->*field.member).isEmpty()) {
            QWidget* edit = nullptr;
            WithEdit(field, [&](QWidget* typed) { edit = typed; });
            return {QString::fromUtf16(field.missing), edit};
        }
    }
    return {};
}

bool COrderDlg::CheckFieldFaults() {
    const QList<OrderChecks::FieldFault> faults = OrderChecks::FieldFaults(Row());
    if (faults.isEmpty()) {
        return true;
    }
    const OrderChecks::FieldFault& first = faults.first();
    MessageBoxes::ShowError(this, first.text.at(0).toUpper() + first.text.mid(1));
    PutFocusOn(first.column == kColumnNumber ? m_editNumber : m_editPriority);
    return false;
}

bool COrderDlg::CheckSavableText() {
    for (const TextField& field : kTextFields) {
        bool refused = false;
        WithEdit(field, [&](auto* edit) {
            refused = RefuseUnstorableField(edit, OrderFields::Caption(field.column),
                                            QStringLiteral("платежке"));
        });
        if (refused) {
            return false;
        }
    }
    for (int column = kOrderColumnCount; column < kOrderFieldCount; ++column) {
        QLineEdit* edit = m_budgetBox->EditOf(column);
        if (edit && !edit->text().isEmpty() &&
            RefuseUnstorableField(edit, OrderFields::Caption(column), QStringLiteral("платежке"))) {
            ShowBudgetFields(true);
            edit->setFocus();
            return false;
        }
    }
    return true;
}

void COrderDlg::TellFaultyParties() {
    QList<PartyChecks::FaultyParty> untold;
    const QList<PartyChecks::FaultyParty> faulty = PartyChecks::Check(
        m_lbPayers->selectedItems().constFirst()->text(), m_books.payers.Records(),
        m_lbRecipients->selectedItems().constFirst()->text(), m_books.recipients.Records(),
        m_bikDirectory);
    for (const PartyChecks::FaultyParty& party : faulty) {
        const QPair<int, QString> key(party.nKind, party.name);
        if (!m_toldParties.contains(key)) {
            m_toldParties.append(key);
            untold.append(party);
        }
    }
    if (!untold.isEmpty()) {
        MessageBoxes::ShowWarning(this, QStringLiteral("Проверка реквизитов"),
                                  PartyChecks::Message(untold));
    }
}

bool COrderDlg::CheckAmount() {
    qint64 kopecks = 0;
    if (OrderAmount::ParseKopecks(m_strAmount, &kopecks)) {
        return true;
    }
    MessageBoxes::ShowError(this, OrderAmount::WrongAmountMessage(m_strAmount));
    m_editAmount->setFocus();
    m_editAmount->selectAll();
    return false;
}

bool COrderDlg::ConfirmTextsFitForm() {
    for (const TextField& field : kTextFields) {
        const OrderField& shown = OrderFields::Of(field.column);
        bool fits = true;
        WithEdit(field, [&](auto* edit) {
            fits = ConfirmFieldFitsForm(
                edit, shown.Caption(),
                FormPlaces::ShownChars(shown.formField, edit->text(), m_edition));
        });
        if (!fits) {
            return false;
        }
    }
    return true;
}

bool COrderDlg::ConfirmReplacement() {
    if (!m_isNumberTaken || !m_isNumberTaken(m_nNumber)) {
        return true;
    }
    // Enter must not replace another order.
    if (MessageBoxes::AskYesNo(
            this, QStringLiteral("Платежное поручение № %1 уже есть. Заменить его?").arg(m_nNumber),
            MessageBoxes::Answer::No)) {
        return true;
    }
    m_editNumber->setFocus();
    m_editNumber->selectAll();
    return false;
}

bool COrderDlg::ConfirmSanity() {
    OrderRow order = Row();
    order[kColumnRecipient] = m_lbRecipients->selectedItems().constFirst()->text();
    OrderSanity::Context context = m_sanity;
    context.edition = m_edition;
    for (const OrderSanity::Warning& warning :
         OrderSanity::Check(order, context, m_clock.Today())) {
        if (!MessageBoxes::AskCorrect(this, QStringLiteral("Проверка платежного поручения"),
                                      warning.text)) {
            continue;
        }
        switch (warning.field) {
            case OrderSanity::Field::Date:
                PutFocusOn(m_dateEdit);
                break;
            case OrderSanity::Field::Amount:
                PutFocusOn(m_editAmount);
                break;
            case OrderSanity::Field::Basis:
                // What the bank would not take is selected.
                m_editBasis->setFocus();
                m_editBasis->setSelection(
                    OrderSanity::kMostPurposeChars,
                    int(m_editBasis->text().size()) - OrderSanity::kMostPurposeChars);
                break;
            case OrderSanity::Field::PaymentType:
                PutFocusOn(m_editPaymentType);
                break;
            case OrderSanity::Field::PaymentTerm:
                PutFocusOn(m_editPaymentTerm);
                break;
        }
        return false;
    }
    return true;
}

void COrderDlg::OnOK() {
    if (!UpdateData(true)) {
        return;
    }
    const MissingField missing = FirstMissingField();
    if (missing.field) {
        MessageBoxes::ShowError(this, missing.message);
        PutFocusOn(missing.field);
        return;
    }
    TellFaultyParties();
    if (!CheckSavableText() || !CheckFieldFaults() || !CheckAmount() || !ConfirmBudgetFields() ||
        !ConfirmTextsFitForm() || !ConfirmReplacement() || !ConfirmSanity()) {
        return;
    }
    m_strRecipient = m_lbRecipients->selectedItems().constFirst()->text();
    m_strPayer = m_lbPayers->selectedItems().constFirst()->text();
    accept();
}

const CRequisite* COrderDlg::ChosenRecipient() const {
    const QList<QListWidgetItem*> chosen = m_lbRecipients->selectedItems();
    const int index = chosen.isEmpty() ? -1 : m_lbRecipients->row(chosen.first());
    return index >= 0 && index < m_books.recipients.Count() ? &m_books.recipients.At(index)
                                                            : nullptr;
}

void COrderDlg::OnRecipientChosen() {
    const CRequisite* recipient = ChosenRecipient();
    if (recipient &&
        BudgetPayment::IsTreasuryAccount(AccountsOf(*recipient, kRecipientsKind).own)) {
        ShowBudgetFields(true);
    }
}

bool COrderDlg::ConfirmBudgetFields() {
    OrderRow row = Row();
    const QList<BudgetChecks::Problem> problems = BudgetChecks::Check(row, ChosenRecipient());
    if (problems.isEmpty()) {
        return true;
    }
    QStringList lines;
    for (const BudgetChecks::Problem& problem : problems) {
        lines.append(QStringLiteral("• ") + problem.text);
    }
    // A malformed value keeps the order out of the bank's file until it is corrected.
    const QString exported = BudgetChecks::MalformedFields(row, ChosenRecipient()).isEmpty()
                                 ? QString()
                                 : QStringLiteral(
                                       " В файл для банка оно не выгрузится, пока "
                                       "значения не исправлены.");
    const QString text = QStringLiteral(
                             "Поля платежа в бюджет не проходят проверку банка:\n\n%1\n\nБанк "
                             "может вернуть такое поручение.%2")
                             .arg(lines.join(QLatin1Char('\n')), exported);
    if (!MessageBoxes::AskCorrect(this, QStringLiteral("Проверка платежа в бюджет"), text)) {
        return true;
    }
    const int column = problems.first().column;
    QWidget* field = column == kColumnIncomeType ? m_comboIncomeType : m_budgetBox->FieldOf(column);
    if (column != kColumnIncomeType) {
        ShowBudgetFields(true);
    }
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        edit->selectAll();
    }
    return false;
}

void COrderDlg::OnSingleTaxPayment() {
    // What is typed so far, so that only the fields of the payment change.
    OrderRow row;
    row[kColumnBasis] = m_editBasis->text();
    BudgetPayment::FillSingleTaxPayment(&row);
    m_budgetBox->SetFields(row);
    m_editBasis->setText(row[kColumnBasis]);
    m_editBasis->setCursorPosition(0);
    m_editPriority->setText(row[kColumnPriority]);
    ShowBudgetFields(true);
    ChooseTaxService();
}

bool COrderDlg::ChooseTaxService() {
    for (int i = 0; i < m_books.recipients.Count(); ++i) {
        if (BudgetPayment::IsTaxService(m_books.recipients.At(i))) {
            m_lbRecipients->setCurrentRow(i);
            return true;
        }
    }
    const CRequisite known = BudgetPayment::TaxServiceRecord();
    const QString date =
        BudgetPayment::TaxServiceDetailsDate().toString(QStringLiteral("dd.MM.yyyy"));
    if (!m_addRecipient) {
        MessageBoxes::ShowError(
            this, QStringLiteral("В реквизитах получателя нет налоговой службы (ИНН %1). Добавьте "
                                 "ее в архиве реквизитов получателя.")
                      .arg(SplitInnKpp(known.m_strInnKpp).inn));
        return false;
    }
    const QString question =
        QStringLiteral(
            "В реквизитах получателя нет налоговой службы. Добавить получателя «%1» с "
            "реквизитами, которые программа знает по состоянию на %2?\n\nИНН/КПП %3, БИК %4, "
            "банк %5, счет получателя %6, корр. счет %7.\n\nРеквизиты меняются: сверьте их "
            "с сайтом ФНС.")
            .arg(known.m_strName, date, known.m_strInnKpp, known.m_strBik, known.m_strBank,
                 AccountsOf(known, kRecipientsKind).own,
                 AccountsOf(known, kRecipientsKind).correspondent);
    if (!MessageBoxes::AskYesNo(this, question, MessageBoxes::Answer::Yes)) {
        return false;
    }
    return AddRecipientToBook(known);
}

bool COrderDlg::AddRecipientToBook(const CRequisite& record) {
    if (QString error; !m_addRecipient(record, &error)) {
        MessageBoxes::ShowError(
            this, MessageBoxes::WithReason(RequisitesFile::CannotWriteMessage(), error));
        return false;
    }
    m_books.recipients.Add(record);
    m_lbRecipients->addItem(record.m_strName);
    m_lbRecipients->setCurrentRow(m_lbRecipients->count() - 1);
    return true;
}

void COrderDlg::CreateInvoiceControls(const DialogUnits& units) {
    // A row of its own under the fields, placed with the buttons by ShowBudgetFields.
    m_fromInvoice = new QPushButton(QStringLiteral("По QR-коду…"), this);
    m_fromInvoice->setObjectName(QStringLiteral("fromInvoice"));
    m_fromInvoice->setToolTip(QStringLiteral(
        "Заполнить поручение по QR-коду счета: из файла (PNG, JPEG, PDF) или из буфера обмена"));
    InvoiceInput::AttachMenu(m_fromInvoice,
                             [this](InvoiceInput::Source source) { OnFromInvoice(source); });
    m_dropHint = new QLabel(QStringLiteral("или перетащите сюда файл счета"), this);
    m_dropHint->setEnabled(false);  // drawn grey: a hint, not a field
    QWidget::setTabOrder(m_fromInvoice, m_pOk);
    QWidget::setTabOrder(m_pOk, m_pCancel);

    // Beside the purpose's label, over the purpose.
    m_vatButton = new QToolButton(this);
    m_vatButton->setObjectName(QStringLiteral("vat"));
    m_vatButton->setText(QStringLiteral("НДС"));
    m_vatButton->setPopupMode(QToolButton::MenuButtonPopup);
    units.Place(m_vatButton, 177, 106, 28, 14);
    auto* rates = new QMenu(m_vatButton);
    QList<int> choices = VatLine::Rates();
    choices.append(VatLine::kWithoutVat);
    for (const int rate : choices) {
        const QString text = rate == VatLine::kWithoutVat ? VatLine::Text(0, rate)
                                                          : QStringLiteral("НДС %1 %").arg(rate);
        rates->addAction(text, this, [this, rate] { OnVat(rate); });
    }
    m_vatButton->setMenu(rates);
    connect(m_vatButton, &QToolButton::clicked, this,
            [this] { OnVat(VatLine::RememberedRate(QSettings())); });
    QWidget::setTabOrder(m_editBasis, m_vatButton);
    UpdateVatButton();

    m_invoiceSummary = new QLabel(this);
    m_invoiceSummary->setObjectName(QStringLiteral("invoiceSummary"));
    m_invoiceSummary->setWordWrap(true);
    m_invoiceSummary->setTextFormat(Qt::RichText);
    m_invoiceSummary->hide();
    connect(m_lbPayers, &QListWidget::itemSelectionChanged, this, &COrderDlg::UpdateInvoiceSummary);

    InvoiceInput::AcceptDrops(this, [this](const QMimeData& data) {
        InvoiceReader::Result read;
        if (InvoiceInput::ReadData(this, data, m_books.recipients.Records(), m_bikDirectory,
                                   &read)) {
            FillFromInvoice(read.order);
        }
    });
    ShowBudgetFields(m_budgetToggle->isChecked());
}

void COrderDlg::UpdateVatButton() {
    const int rate = VatLine::RememberedRate(QSettings());
    m_vatButton->setToolTip(QStringLiteral("Дописать к основанию «%1»; стрелка — другая ставка")
                                .arg(rate == VatLine::kWithoutVat
                                         ? VatLine::Text(0, rate)
                                         : QStringLiteral("В т.ч. НДС %1 %").arg(rate)));
}

void COrderDlg::OnVat(int rate) {
    qint64 kopecks = 0;
    const QString amount = m_editAmount->text();
    if (rate != VatLine::kWithoutVat && !OrderAmount::ParseKopecks(amount, &kopecks)) {
        // As OK says it of the amount.
        const TextField& amountField =
            *std::find_if(std::begin(kTextFields), std::end(kTextFields),
                          [](const TextField& field) { return field.column == kColumnAmount; });
        MessageBoxes::ShowError(this, amount.isEmpty() ? QString::fromUtf16(amountField.missing)
                                                       : OrderAmount::WrongAmountMessage(amount));
        PutFocusOn(m_editAmount);
        return;
    }
    m_editBasis->setText(VatLine::Appended(m_editBasis->text(), kopecks, rate));
    QSettings settings;
    VatLine::RememberRate(settings, rate);
    UpdateVatButton();
}

void COrderDlg::OnFromInvoice(InvoiceInput::Source source) {
    InvoiceReader::Result read;
    if (InvoiceInput::Read(this, source, m_books.recipients.Records(), m_bikDirectory, &read)) {
        FillFromInvoice(read.order);
    }
}

void COrderDlg::FillFromInvoiceWhenShown(const InvoiceOrder& invoice) {
    QTimer::singleShot(0, this, [this, invoice] { FillFromInvoice(invoice); });
}

void COrderDlg::FillFromInvoice(const InvoiceOrder& invoice) {
    m_bFromInvoice = true;
    m_invoice = invoice;
    ProposePayer();
    for (const TextField& field : kTextFields) {
        const QString& value = invoice.order[field.column];
        if (!value.isEmpty()) {
            WithEdit(field, [&](auto* edit) {
                edit->setText(value);
                edit->setCursorPosition(0);
            });
        }
    }
    OrderRow budget;
    m_budgetBox->TakeFields(&budget);
    for (int column = kOrderColumnCount; column < kOrderFieldCount; ++column) {
        if (!invoice.order[column].isEmpty()) {
            budget[column] = invoice.order[column];
        }
    }
    m_budgetBox->SetFields(budget);
    UpdateInvoiceSummary();
    if (invoice.budgetPayment) {
        ShowBudgetFields(true);
    }
    ChooseInvoiceRecipient(invoice);
}

bool COrderDlg::ChooseInvoiceRecipient(const InvoiceOrder& invoice) {
    const CRequisiteArray& records = m_books.recipients.Records();
    if (invoice.bookIndex < 0 || invoice.bookIndex >= records.size()) {
        return AddInvoiceRecipient(invoice.recipient);
    }
    const CRequisite& found = records.at(invoice.bookIndex);
    // An order finds its recipient by name: an earlier record of the same name would be taken.
    if (FindRecord(records, found.m_strName) != &found) {
        m_lbRecipients->clearSelection();
        MessageBoxes::ShowError(
            this, QStringLiteral("Получатель из QR-кода записан в реквизитах получателя под "
                                 "наименованием %1, но выше стоит другая запись с тем же "
                                 "наименованием, и платежка взяла бы ее реквизиты. Переименуйте "
                                 "одну из них в архиве реквизитов получателя.")
                      .arg(QuotedValue(found.m_strName)));
        return false;
    }
    m_lbRecipients->setCurrentRow(invoice.bookIndex);
    return true;
}

bool COrderDlg::AddInvoiceRecipient(const CRequisite& fromCode) {
    if (!m_addRecipient) {
        MessageBoxes::ShowError(this, QStringLiteral("Получателя %1 нет в реквизитах получателя. "
                                                     "Добавьте его в архиве реквизитов получателя.")
                                          .arg(QuotedValue(fromCode.m_strName)));
        return false;
    }
    CRequisite record = fromCode;
    for (;;) {
        CRequisitesDlg dialog(this);
        dialog.setWindowTitle(QStringLiteral("Новый получатель из QR-кода"));
        dialog.SetKind(kRecipientsKind);
        dialog.SetBikDirectory(m_bikDirectory);
        dialog.SetRecord(record);
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
        record = dialog.Record();
        if (!FindRecord(m_books.recipients.Records(), record.m_strName)) {
            return AddRecipientToBook(record);
        }
        // A second record of one name would never be found by the orders that name it.
        MessageBoxes::ShowError(
            this, QStringLiteral("В реквизитах получателя уже есть %1. Дайте новому получателю "
                                 "другое наименование.")
                      .arg(QuotedValue(record.m_strName)));
    }
}

void COrderDlg::ProposePayer() {
    if (!m_lbPayers->selectedItems().isEmpty()) {
        return;
    }
    if (m_lbPayers->count() == 1) {
        m_lbPayers->setCurrentRow(0);
    } else if (!m_strLastPayer.isEmpty()) {
        SelectName(m_lbPayers, m_strLastPayer);
    }
}

void COrderDlg::UpdateInvoiceSummary() {
    if (!m_bFromInvoice) {
        return;
    }
    QStringList notes = m_invoice.notes;
    const QList<QListWidgetItem*> payer = m_lbPayers->selectedItems();
    const int index = payer.isEmpty() ? -1 : m_lbPayers->row(payer.first());
    if (index >= 0 && index < m_books.payers.Count()) {
        const QString note = m_invoice.PayerInnNote(m_books.payers.At(index));
        if (!note.isEmpty()) {
            notes.append(note);
        }
    }
    QString text = m_invoice.Summary().toHtmlEscaped();
    for (const QString& note : notes) {
        text +=
            QStringLiteral("<br><span style=\"color:#b00000\">%1</span>").arg(note.toHtmlEscaped());
    }
    m_invoiceSummary->setText(text);
    m_invoiceSummary->show();
    ShowBudgetFields(m_budgetToggle->isChecked());  // the line takes its room
}

int COrderDlg::PlaceInvoiceRow(const DialogUnits& units, int y, int dialogWidth) {
    if (!m_invoiceSummary) {
        return y;  // not made yet
    }
    QRect button = units.Rect(7, 0, 60, 14).translated(0, y);
    button.setWidth(qMax(button.width(), m_fromInvoice->sizeHint().width()));  // its menu's arrow
    m_fromInvoice->setGeometry(button);
    const int hintX = button.right() + 1 + units.X(4);
    m_dropHint->setGeometry(hintX, y, dialogWidth - units.X(7) - hintX, button.height());
    y = button.bottom() + 1 + units.Y(4);
    if (m_invoiceSummary->isHidden()) {
        return y;
    }
    const int width = dialogWidth - units.X(14);
    m_invoiceSummary->setGeometry(units.X(7), y, width, m_invoiceSummary->heightForWidth(width));
    return m_invoiceSummary->geometry().bottom() + 1 + units.Y(4);
}
