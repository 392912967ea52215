#include "orders/COrderArchiveDlg.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>

#include "form/CVemoDoc.h"
#include "orders/COrderDlg.h"
#include "orders/COrderListModel.h"
#include "orders/OrderFiles.h"
#include "orders/OrderTexts.h"
#include "orders/OrderTransfer.h"
#include "requisites/AddressBook.h"
#include "requisites/RequisitesFile.h"
#include "widgets/DialogUnits.h"
#include "widgets/MessageBoxes.h"

COrderArchiveDlg* g_pOrderArchiveDlg = nullptr;

namespace {

const QString kNoRowSelected = QStringLiteral("Нет выделеной платежки");
constexpr int kIconSize = 16;

}  // namespace

COrderArchiveDlg::COrderArchiveDlg(CVemoDoc& doc, QWidget* parent) : QDialog(parent), m_doc(doc) {
    setWindowTitle(QStringLiteral("Архив платежных поручений"));
    CreateControls();
    OnInitDialog();
}

COrderArchiveDlg::~COrderArchiveDlg() {
    if (g_pOrderArchiveDlg == this) {
        g_pOrderArchiveDlg = nullptr;  // never points at a closed archive
    }
}

void COrderArchiveDlg::CreateControls() {
    const DialogUnits units(font());
    // The heading stands centred over the list, however wide the desktop font makes it.
    auto* heading = new QLabel(QStringLiteral("Платежные поручения"), this);
    heading->setAlignment(Qt::AlignCenter);
    QRect rect = units.Rect(124, 7, 78, 8);
    const int extra = qMax(0, heading->sizeHint().width() - rect.width());
    heading->setGeometry(rect.adjusted(-extra / 2, 0, extra - extra / 2, 0));

    m_pModel = new COrderListModel(this);
    m_pList = new QTreeView(this);
    m_pList->setObjectName(QStringLiteral("orders"));
    m_pList->setModel(m_pModel);
    m_pList->setRootIsDecorated(false);
    m_pList->setItemsExpandable(false);
    m_pList->setUniformRowHeights(true);  // keeps a list of many thousand orders quick
    m_pList->setSortingEnabled(false);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pList->setAllColumnsShowFocus(true);
    m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pList->setIconSize(QSize(kIconSize, kIconSize));
    m_pList->setTextElideMode(Qt::ElideRight);
    // The selected row stays marked while a button has the focus.
    QPalette palette = m_pList->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    }
    m_pList->setPalette(palette);
    QHeaderView* header = m_pList->header();
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column = 0; column < kOrderColumnCount; ++column) {
        header->resizeSection(column, COrderListModel::ColumnWidth(column));
    }
    units.Place(m_pList, 7, 22, 312, 67);
    connect(m_pList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &COrderArchiveDlg::OnItemChangedOrders);
    connect(m_pModel, &QAbstractItemModel::dataChanged, this,
            &COrderArchiveDlg::OnItemChangedOrders);

    auto button = [&](const QString& text, int x, int y, int width,
                      void (COrderArchiveDlg::*slot)()) {
        auto* widget = new QPushButton(text, this);
        units.Place(widget, x, y, width, 14);
        connect(widget, &QPushButton::clicked, this, slot);
        return widget;
    };
    button(QStringLiteral("Создать новую"), 9, 96, 70, &COrderArchiveDlg::OnCreateNew);
    button(QStringLiteral("Создать копию"), 88, 96, 70, &COrderArchiveDlg::OnCreateCopy);
    button(QStringLiteral("Изменить"), 167, 96, 70, &COrderArchiveDlg::OnEditOrder);
    button(QStringLiteral("Удалить"), 247, 96, 70, &COrderArchiveDlg::OnDeleteOrder);
    button(QStringLiteral("Нарисовать платежное поручение"), 91, 117, 142, &COrderArchiveDlg::OnOK)
        ->setDefault(true);

    setFixedSize(units.Size(326, 138));
}

bool COrderArchiveDlg::OnInitDialog() {
    g_pOrderArchiveDlg = this;
    const QIcon icon(QStringLiteral(":/icons/about.png"));
    m_pImageList = std::make_unique<QIcon>(icon.pixmap(kIconSize, kIconSize));
    m_pModel->SetRowIcon(*m_pImageList);
    m_pModel->SetRows(OrderFiles::LoadOrders());
    return true;
}

int COrderArchiveDlg::CurrentRow() const {
    const QModelIndexList rows = m_pList->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

int COrderArchiveDlg::RowCount() const {
    return m_pModel->rowCount();
}

OrderRow COrderArchiveDlg::RowAt(int row) const {
    return m_pModel->RowAt(row);
}

void COrderArchiveDlg::SelectRow(int row) {
    const QModelIndex index = m_pModel->index(row, 0);
    m_pList->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int COrderArchiveDlg::RequireCurrentRow() {
    const int row = CurrentRow();
    if (row < 0) {
        MessageBoxes::ShowError(this, kNoRowSelected);
    }
    return row;
}

bool COrderArchiveDlg::WouldReplaceAnotherOrder(int number, int editedRow) const {
    // Rewriting an order under its own number is the normal update.
    if (editedRow >= 0 && m_pModel->RowAt(editedRow).Number() == number) {
        return false;
    }
    return m_pModel->HasOtherRowWithNumber(number, editedRow) || OrderFiles::Exists(number);
}

void COrderArchiveDlg::RunOrderDialog(COrderDlg* dialog, int editedRow) {
    dialog->SetNumberTakenCheck(
        [this, editedRow](int number) { return WouldReplaceAnotherOrder(number, editedRow); });
    if (dialog->exec() == QDialog::Accepted) {
        StoreOrder(dialog->Row(), editedRow);
    }
}

bool COrderArchiveDlg::StoreOrder(const OrderRow& row, int editedRow) {
    const int number = row.Number();
    const bool replaces = WouldReplaceAnotherOrder(number, editedRow);
    // The file first: the list shows only what was written.
    if (!OrderFiles::SaveOrder(number, row)) {
        MessageBoxes::ShowError(this, QStringLiteral("Не могу записать платежку"));
        return false;
    }
    int target = editedRow;
    if (target < 0) {
        target = m_pModel->rowCount();
        m_pModel->AppendRow(row);
    } else {
        m_pModel->SetRow(target, row);
    }
    if (replaces) {
        // The other row of that number showed the order that has just been replaced.
        m_pModel->RemoveOtherRowsWithNumber(number, target);
    }
    return true;
}

void COrderArchiveDlg::OnCreateNew() {
    COrderDlg dialog(this);
    dialog.m_nNumber = OrderTexts::NewOrderNumber(m_pModel->Rows());
    dialog.m_date = QDate::currentDate();
    RunOrderDialog(&dialog, -1);
}

void COrderArchiveDlg::OnCreateCopy() {
    const int current = RequireCurrentRow();
    if (current < 0) {
        return;
    }
    COrderDlg dialog(this);
    dialog.SetRow(m_pModel->RowAt(current));
    dialog.m_nNumber = OrderTexts::NewOrderNumber(m_pModel->Rows());
    dialog.m_date = QDate::currentDate();  // a copy is made today, whatever the original's date
    RunOrderDialog(&dialog, -1);
}

void COrderArchiveDlg::OnEditOrder() {
    const int current = RequireCurrentRow();
    if (current < 0) {
        return;
    }
    COrderDlg dialog(this);
    dialog.SetRow(m_pModel->RowAt(current));
    RunOrderDialog(&dialog, current);
}

void COrderArchiveDlg::OnItemChangedOrders() {
    const int current = CurrentRow();
    if (current < 0) {
        return;
    }
    const OrderRow& row = m_pModel->RowAt(current);
    m_strRowRecipient = row[kColumnRecipient];
    m_strRowPayer = row[kColumnPayer];
}

void COrderArchiveDlg::OnDeleteOrder() {
    const int current = RequireCurrentRow();
    if (current < 0) {
        return;
    }
    const int number = m_pModel->RowAt(current).Number();
    m_pModel->RemoveRow(current);  // the row goes whatever becomes of the file
    if (!OrderFiles::RemoveOrder(number)) {
        MessageBoxes::ShowError(this, QStringLiteral("Не могу удалить платежку"));
    }
}

void COrderArchiveDlg::OnOK() {
    const int row = RequireCurrentRow();
    if (row < 0) {
        return;
    }
    // Read only: drawing an order never writes an address book.
    AddressBook recipients(RequisitesFile::FileName(RequisitesFile::kRecipientsKind));
    AddressBook payers(RequisitesFile::FileName(RequisitesFile::kPayersKind));
    for (AddressBook* book : {&recipients, &payers}) {
        if (book->Load() == AddressBook::Outcome::Unreadable) {
            MessageBoxes::ShowError(this, RequisitesFile::CannotReadMessage());
        }
    }
    const OrderRow order = RowAt(row);
    m_missingParties =
        OrderTransfer::TransferOrder(order, payers.Records(), recipients.Records(), m_doc);
    m_bAmountWithoutWords = !OrderTransfer::HasAmountInWords(order[kColumnAmount]);
    accept();
}

QStringList COrderArchiveDlg::DrawingNotices() const {
    QStringList notices;
    for (const OrderTransfer::MissingParty& party : m_missingParties) {
        notices.append(OrderTransfer::MissingPartyMessage(party));
    }
    if (m_bAmountWithoutWords) {
        notices.append(OrderTransfer::NoWordsMessage(m_doc.m_strAmount));
    }
    return notices;
}
