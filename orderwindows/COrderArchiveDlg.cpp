#include "orderwindows/COrderArchiveDlg.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QTreeView>
#include <algorithm>
#include <limits>

#include "bank/BankExport.h"
#include "bank/ChosenTotal.h"
#include "bank/KeptFiles.h"
#include "bank/OrderUseCases.h"
#include "common/RussianPlural.h"
#include "form/CVemoDoc.h"
#include "form/FormEdition.h"
#include "form/FormPrinting.h"
#include "orders/OrderFiles.h"
#include "orders/OrderTexts.h"
#include "orderwindows/CDuePaymentsDlg.h"
#include "orderwindows/COrderDlg.h"
#include "orderwindows/COrderListModel.h"
#include "orderwindows/COrderSortModel.h"
#include "orderwindows/CRegisterDlg.h"
#include "orderwindows/CTemplateDlg.h"
#include "orderwindows/CTemplatesDlg.h"
#include "routine/DuePayments.h"
#include "routine/OrderRegister.h"
#include "routine/RegisterDrawing.h"
#include "routine/TemplateStore.h"
#include "widgets/CutTextDelegate.h"
#include "widgets/DialogUnits.h"
#include "widgets/MessageBoxes.h"
#include "widgets/StretchPlacement.h"

COrderArchiveDlg* g_pOrderArchiveDlg = nullptr;

namespace {

const QString kNoRowSelected = QStringLiteral("Нет выделеной платежки");
constexpr int kIconSize = 16;

const QString kSettingsGroup = QStringLiteral("OrderArchive");
const QString kSizeKey = QStringLiteral("Size");
const QString kColumnWidthsKey = QStringLiteral("ColumnWidths");
const QString kSortColumnKey = QStringLiteral("SortColumn");
const QString kSortDescendingKey = QStringLiteral("SortDescending");

// The number column grows to show numbers of up to this many digits, and no further.
constexpr int kWidestNumberDigits = 12;

}  // namespace

COrderArchiveDlg::COrderArchiveDlg(CVemoDoc& doc, const WorkingFolder& folder, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_folder(folder) {
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
    CreateSearchRow(units);
    CreateStateFilter(units);
    CreateList();
    units.Place(m_pList, 7, 22, 312, 62);
    m_pChosenLine = new QLabel(this);
    m_pChosenLine->setObjectName(QStringLiteral("chosen"));
    // Two lines: in a narrow window the counts of the states go under the total.
    m_pChosenLine->setWordWrap(true);
    m_pChosenLine->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    units.Place(m_pChosenLine, 7, 86, 312, 16);

    auto button = [&](const QString& text, int x, int y, int width,
                      void (COrderArchiveDlg::*slot)()) {
        auto* widget = new QPushButton(text, this);
        units.Place(widget, x, y, width, 14);
        connect(widget, &QPushButton::clicked, this, slot);
        return widget;
    };
    button(QStringLiteral("Создать новую"), 9, 104, 70, &COrderArchiveDlg::OnCreateNew);
    button(QStringLiteral("Создать копию"), 88, 104, 70, &COrderArchiveDlg::OnCreateCopy);
    button(QStringLiteral("Изменить"), 167, 104, 70, &COrderArchiveDlg::OnEditOrder);
    button(QStringLiteral("Удалить"), 247, 104, 70, &COrderArchiveDlg::OnDeleteOrder);
    // The two buttons that act on the whole archive share the second row, each under two of the
    // row above.
    m_pDefaultButton = button(QStringLiteral("Нарисовать платежное поручение"), 9, 125, 149,
                              &COrderArchiveDlg::OnOK);
    m_pDefaultButton->setDefault(true);
    QPushButton* exportButton = button(QStringLiteral("Выгрузить в банк…"), 167, 125, 150,
                                       &COrderArchiveDlg::OnExportToBank);
    QPushButton* printButton = button(QStringLiteral("Напечатать выбранные…"), 9, 146, 149,
                                      &COrderArchiveDlg::OnPrintChosen);
    // Tab goes from the list through the order buttons to the default button, then to the
    // controls added since: the export and print buttons, the routine's, then the search field.
    QWidget::setTabOrder(exportButton, printButton);
    QWidget* invoiceButton = CreateInvoiceButton(units, printButton);
    QWidget::setTabOrder(CreateRoutineButtons(units, 167, invoiceButton), m_pSearch);
    // A double click on an order does what Enter does.
    connect(m_pList, &QAbstractItemView::doubleClicked, m_pDefaultButton, &QPushButton::click);

    // The template's size is the smallest; the list takes whatever the window grows by.
    const QSize smallest = units.Size(326, 188);
    setMinimumSize(smallest);
    resize(smallest);
    m_pPlacement = std::make_unique<StretchPlacement>(this, m_pList);
    m_pPlacement->Widen(m_pSearch);
    setSizeGripEnabled(true);
    const QSize wanted = units.Size(540, 280);
    resize(screen() ? wanted.boundedTo(screen()->availableGeometry().size()).expandedTo(smallest)
                    : wanted);
}

QWidget* COrderArchiveDlg::CreateRoutineButtons(const DialogUnits& units, int y, QWidget* after) {
    const QPair<QString, void (COrderArchiveDlg::*)()> buttons[] = {
        {QStringLiteral("Сохранить как шаблон"), &COrderArchiveDlg::OnSaveAsTemplate},
        {QStringLiteral("Создать по шаблону"), &COrderArchiveDlg::OnCreateFromTemplate},
        {QStringLiteral("Реестр…"), &COrderArchiveDlg::OnRegister},
    };
    // Three abreast under the rows above, as wide as they are together.
    const int x[] = {9, 113, 217};
    QWidget* last = after;
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(buttons[i].first, this);
        units.Place(button, x[i], y, 100, 14);
        connect(button, &QPushButton::clicked, this, buttons[i].second);
        QWidget::setTabOrder(last, button);
        last = button;
    }
    return last;
}

void COrderArchiveDlg::CreateSearchRow(const DialogUnits& units) {
    auto* heading = new QLabel(QStringLiteral("Платежные поручения"), this);
    QRect rect = units.Rect(7, 7, 78, 8);
    rect.setWidth(qMax(rect.width(), heading->sizeHint().width()));
    heading->setGeometry(rect);

    m_pSearch = new QLineEdit(this);
    m_pSearch->setObjectName(QStringLiteral("search"));
    m_pSearch->setPlaceholderText(QStringLiteral("Поиск"));
    m_pSearch->setToolTip(QStringLiteral("Показать только поручения, где есть этот текст"));
    m_pSearch->setClearButtonEnabled(true);
    const int left = rect.right() + 1 + units.X(7);
    m_pSearch->setGeometry(
        QRect(QPoint(left, units.Y(5)), QPoint(units.X(319) - 1, units.Y(5 + 13) - 1)));
    connect(m_pSearch, &QLineEdit::textChanged, this, &COrderArchiveDlg::OnSearchChanged);
    // The desktop's usual key for finding.
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        m_pSearch->setFocus(Qt::ShortcutFocusReason);
        m_pSearch->selectAll();
    });
}

void COrderArchiveDlg::CreateStateFilter(const DialogUnits& units) {
    m_pStateFilter = new QComboBox(this);
    m_pStateFilter->setObjectName(QStringLiteral("stateFilter"));
    m_pStateFilter->setToolTip(QStringLiteral("Какие поручения показать"));
    const std::pair<OrderStates::Filter, QString> choices[] = {
        {OrderStates::Filter::All, QStringLiteral("Все")},
        {OrderStates::Filter::NotSent, QStringLiteral("Не отправленные")},
        {OrderStates::Filter::SentNotExecuted, QStringLiteral("Отправленные, не исполненные")},
        {OrderStates::Filter::Executed, QStringLiteral("Исполненные")},
    };
    for (const auto& [filter, text] : choices) {
        m_pStateFilter->addItem(text, int(filter));
    }
    // Between the heading and the search, which gives up the room.
    const QRect search = m_pSearch->geometry();
    const int width = qMax(units.X(100), m_pStateFilter->sizeHint().width());
    m_pStateFilter->setGeometry(search.left(), search.top(), width, search.height());
    m_pSearch->setGeometry(search.adjusted(width + units.X(4), 0, 0, 0));
    connect(m_pStateFilter, &QComboBox::currentIndexChanged, this, [this] {
        m_bSearching = true;  // as a search: the chosen order stays chosen while it is hidden
        m_pShown->SetStateFilter(OrderStates::Filter(m_pStateFilter->currentData().toInt()));
        SelectRow(m_chosenOrder.isValid() ? m_chosenOrder.row() : -1);
        m_bSearching = false;
    });
    QWidget::setTabOrder(m_pStateFilter, m_pSearch);
}

QWidget* COrderArchiveDlg::CreateInvoiceButton(const DialogUnits& units, QWidget* after) {
    auto* button = new QPushButton(QStringLiteral("Создать по счету…"), this);
    button->setToolTip(QStringLiteral(
        "Новое поручение по QR-коду счета: из файла (PNG, JPEG, PDF) или из буфера обмена"));
    units.Place(button, 167, 146, 150, 14);
    InvoiceInput::AttachMenu(button,
                             [this](InvoiceInput::Source source) { OnCreateFromInvoice(source); });
    QWidget::setTabOrder(after, button);
    return button;
}

void COrderArchiveDlg::CreateList() {
    m_pModel = new COrderListModel(this);
    m_pShown = new COrderSortModel(this);
    m_pShown->setSourceModel(m_pModel);

    m_pList = new QTreeView(this);
    m_pList->setObjectName(QStringLiteral("orders"));
    m_pList->setModel(m_pShown);
    m_pList->setItemDelegate(new CutTextDelegate(m_pList));
    m_pList->setRootIsDecorated(false);
    m_pList->setItemsExpandable(false);
    m_pList->setUniformRowHeights(true);  // keeps a list of many thousand orders quick
    // Ctrl and Shift pick several orders to export; the others act on the current row alone.
    m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
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
    for (int column = 0; column < COrderListModel::kColumnCount; ++column) {
        header->resizeSection(column, COrderListModel::ColumnWidth(column));
    }
    // The state stands beside the amount, where the eye looks for what became of the payment.
    header->moveSection(COrderListModel::kStateColumn, kColumnAmount + 1);
    // The list opens in file order; a click on a header sorts by its column, and a third click
    // goes back to file order.
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setSortIndicatorClearable(true);
    m_pList->setSortingEnabled(true);

    connect(m_pList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &COrderArchiveDlg::OnItemChangedOrders);
    connect(m_pModel, &QAbstractItemModel::dataChanged, this,
            &COrderArchiveDlg::OnItemChangedOrders);
    // Only a change that reaches the number column can widen it (the states are set for all).
    connect(m_pModel, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& topLeft) {
        if (topLeft.column() <= kColumnNumber) {
            FitNumberColumn();
        }
    });
    connect(m_pModel, &QAbstractItemModel::rowsInserted, this, &COrderArchiveDlg::FitNumberColumn);
    connect(m_pModel, &QAbstractItemModel::modelReset, this, &COrderArchiveDlg::FitNumberColumn);
    const auto update = [this] { UpdateChosenLine(); };
    connect(m_pShown, &QAbstractItemModel::layoutChanged, this, update);
    connect(m_pShown, &QAbstractItemModel::modelReset, this, update);
    connect(m_pShown, &QAbstractItemModel::rowsInserted, this, update);
    connect(m_pShown, &QAbstractItemModel::rowsRemoved, this, update);
    connect(m_pModel, &QAbstractItemModel::dataChanged, this, &COrderArchiveDlg::UpdateChosenLine);
    connect(m_pList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &COrderArchiveDlg::UpdateChosenLine);
}

void COrderArchiveDlg::UpdateChosenLine() {
    ChosenTotal chosen;
    for (const QModelIndex& index : m_pList->selectionModel()->selectedRows()) {
        qint64 kopecks = 0;
        const bool isAmount = m_pModel->KopecksOf(m_pShown->mapToSource(index).row(), &kopecks);
        chosen.AddKopecks(isAmount, kopecks);
    }
    const QString line = ChosenTotal::ListLine(m_pShown->rowCount(), m_pModel->rowCount(), chosen);
    // After a sentence of its own: "… на сумму 100,00 руб." already ends with its full stop.
    m_pChosenLine->setText(QStringLiteral("%1%2 В архиве: %3")
                               .arg(line, line.endsWith(u'.') ? QString() : QStringLiteral("."),
                                    OrderStates::CountsText(m_pModel->States())));
}

bool COrderArchiveDlg::OnInitDialog() {
    g_pOrderArchiveDlg = this;
    const QIcon icon(QStringLiteral(":/icons/about.png"));
    m_pImageList = std::make_unique<QIcon>(icon.pixmap(kIconSize, kIconSize));
    m_pModel->SetRowIcon(*m_pImageList);
    OrderUseCases::Listing listing = OrderUseCases::ListOrders(m_folder, QDate::currentDate());
    m_pModel->SetRows(std::move(listing.orders.rows), std::move(listing.orders.files));
    m_pModel->SetStates(listing.states);
    QStringList unreadable = listing.unreadable;
    if (!listing.orders.unreadable.isEmpty()) {
        unreadable.prepend(OrderFiles::CannotReadMessage(listing.orders.unreadable));
    }
    if (!unreadable.isEmpty()) {
        // Told over the archive once it is up.
        QMetaObject::invokeMethod(
            this,
            [this, text = unreadable.join(QStringLiteral("\n\n"))] {
                MessageBoxes::ShowError(this, text);
            },
            Qt::QueuedConnection);
    }
    RestoreSettings();
    m_pList->setFocus();  // Down and Enter pick and draw an order at once
    return true;
}

void COrderArchiveDlg::done(int result) {
    SaveSettings();
    QDialog::done(result);
}

void COrderArchiveDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    m_pPlacement->Apply(size());
    // The line under the list is as wide as the list, wherever the list ends.
    const QRect list = m_pList->geometry();
    m_pChosenLine->setGeometry(list.left(), m_pChosenLine->y(), list.width(),
                               m_pChosenLine->height());
}

void COrderArchiveDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_bDueOffered) {
        m_bDueOffered = true;
        QMetaObject::invokeMethod(
            this, [this] { OfferDuePayments(this); }, Qt::QueuedConnection);
    }
}

void COrderArchiveDlg::RestoreSettings() {
    QSettings settings;
    settings.beginGroup(kSettingsGroup);
    const QSize size = settings.value(kSizeKey).toSize();
    if (size.isValid()) {
        resize(size.expandedTo(minimumSize()));
    }
    const QVariantList widths = settings.value(kColumnWidthsKey).toList();
    for (int column = 0; column < qMin<int>(widths.size(), COrderListModel::kColumnCount);
         ++column) {
        const int width = widths.at(column).toInt();
        // A column wider than the window would push every other out of sight for good.
        if (width > 0 && width <= this->width()) {
            m_pList->header()->resizeSection(column, width);
        }
    }
    FitNumberColumn();  // the orders may have grown longer numbers since
    // The sort the user chose last; none, file order, when there was none.
    const int sortColumn = settings.value(kSortColumnKey, -1).toInt();
    if (sortColumn >= 0 && sortColumn < COrderListModel::kColumnCount) {
        m_pList->sortByColumn(sortColumn, settings.value(kSortDescendingKey).toBool()
                                              ? Qt::DescendingOrder
                                              : Qt::AscendingOrder);
    }
}

void COrderArchiveDlg::SaveSettings() const {
    QSettings settings;
    settings.beginGroup(kSettingsGroup);
    settings.setValue(kSizeKey, size());
    QVariantList widths;
    for (int column = 0; column < COrderListModel::kColumnCount; ++column) {
        widths.append(m_pList->header()->sectionSize(column));
    }
    settings.setValue(kColumnWidthsKey, widths);
    const QHeaderView* header = m_pList->header();
    settings.setValue(kSortColumnKey, header->sortIndicatorSection());
    settings.setValue(kSortDescendingKey, header->sortIndicatorOrder() == Qt::DescendingOrder);
}

void COrderArchiveDlg::FitNumberColumn() {
    const int longest = m_pModel->LongestNumberRow();
    if (longest < 0) {
        return;
    }
    // Asks the list's own painter how wide the cell of that number is, icon and margins included.
    QStyleOptionViewItem option;
    option.initFrom(m_pList);
    option.widget = m_pList;
    option.font = m_pList->font();
    option.fontMetrics = QFontMetrics(option.font);
    option.decorationSize = m_pList->iconSize();
    option.features |= QStyleOptionViewItem::HasDecoration;
    const QModelIndex index = m_pModel->index(longest, kColumnNumber);
    const int needed = m_pList->itemDelegate()->sizeHint(option, index).width();
    // A junk first line of an order file is no number: the column stops at the widest number
    // an order may bear, and the cell cuts the rest.
    const int text = option.fontMetrics.horizontalAdvance(index.data().toString());
    const int widest =
        needed - text + option.fontMetrics.horizontalAdvance(QString(kWidestNumberDigits, u'0'));
    QHeaderView* header = m_pList->header();
    if (header->sectionSize(kColumnNumber) < qMin(needed, widest)) {
        header->resizeSection(kColumnNumber, qMin(needed, widest));
    }
}

void COrderArchiveDlg::OnSearchChanged(const QString& text) {
    m_bSearching = true;
    m_pShown->SetSearch(text);
    // The list selects a neighbour of a row it hides; which order is chosen is the user's say
    // alone.
    SelectRow(m_chosenOrder.isValid() ? m_chosenOrder.row() : -1);
    m_bSearching = false;
    if (CurrentRow() >= 0) {
        m_pList->scrollTo(m_pList->currentIndex());
    }
}

void COrderArchiveDlg::ShowOrder(int row) {
    const QModelIndex source = m_pModel->index(row, 0);
    if (!m_pShown->mapFromSource(source).isValid()) {
        m_pSearch->clear();  // the search hides the order the user has just written
    }
    SelectRow(row);
    m_pList->scrollTo(m_pShown->mapFromSource(source));
    m_pList->setFocus();
}

int COrderArchiveDlg::CurrentRow() const {
    const QItemSelectionModel* selection = m_pList->selectionModel();
    QModelIndex shown = selection->currentIndex();
    if (!shown.isValid() || !selection->isRowSelected(shown.row(), QModelIndex())) {
        const QModelIndexList rows = selection->selectedRows();
        shown = rows.size() == 1 ? rows.constFirst() : QModelIndex();
    }
    return shown.isValid() ? m_pShown->mapToSource(shown).row() : -1;
}

QList<int> COrderArchiveDlg::SelectedRows() const {
    QList<int> rows;
    for (const QModelIndex& index : m_pList->selectionModel()->selectedRows()) {
        rows.append(m_pShown->mapToSource(index).row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

int COrderArchiveDlg::RowCount() const {
    return m_pModel->rowCount();
}

OrderRow COrderArchiveDlg::RowAt(int row) const {
    return m_pModel->RowAt(row);
}

void COrderArchiveDlg::SelectRow(int row) {
    const QModelIndex index = m_pShown->mapFromSource(m_pModel->index(row, 0));
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
    // Rewriting an order's own file is the normal update; the file is the one the row was read
    // from, whatever number it shows.
    const QString file = OrderFiles::FileName(number);
    if (editedRow >= 0 && m_pModel->FileOf(editedRow) == file) {
        return false;
    }
    return m_pModel->HasOtherRowOfFile(file, editedRow) || m_folder.OrderExists(number);
}

OrderSanity::Context COrderArchiveDlg::SanityContext(int editedRow) const {
    OrderSanity::Context context;
    context.others = m_pModel->Rows();
    if (editedRow >= 0) {
        context.stored = true;
        context.storedDate = context.others.takeAt(editedRow)[kColumnDate];
    }
    return context;
}

bool COrderArchiveDlg::RunOrderDialog(COrderDlg* dialog, int editedRow) {
    dialog->SetFormEdition(m_paper.edition);
    dialog->SetClock(m_clock);
    dialog->SetBikDirectory(m_bikDirectory);
    dialog->SetNumberTakenCheck(
        [this, editedRow](int number) { return WouldReplaceAnotherOrder(number, editedRow); });
    dialog->SetSanityContext(SanityContext(editedRow));
    dialog->SetLastPayer(LastPayer());
    dialog->SetAddRecipient([this](const CRequisite& record, QString* error) {
        return m_folder.AddRecord(kRecipientsKind, record, error);
    });
    return dialog->exec() == QDialog::Accepted && StoreOrder(dialog->Row(), editedRow);
}

bool COrderArchiveDlg::StoreOrder(const OrderRow& row, int editedRow) {
    const int number = row.Number();
    const QString file = OrderFiles::FileName(number);
    if (editedRow >= 0 && m_pModel->FileOf(editedRow) == file &&
        !ConfirmOverAnotherProgram(editedRow, number, FileStep::Rewrite)) {
        return false;
    }
    // The file first: the list shows only what was written.
    QString error;
    if (!m_folder.SaveOrder(number, row, &error)) {
        MessageBoxes::ShowError(
            this, MessageBoxes::WithReason(QStringLiteral("Не могу записать платежку"), error));
        return false;
    }
    int target = editedRow;
    if (target < 0) {
        target = m_pModel->rowCount();
        m_pModel->AppendRow(row, file);
    } else {
        m_pModel->SetRow(target, row, file);
    }
    const QPersistentModelIndex stored = m_pModel->index(target, 0);
    RefreshStates({target});
    // Another row of that file showed the order that has just been replaced.
    m_pModel->RemoveOtherRowsOfFile(file, target);
    ShowOrder(stored.row());
    return true;
}

bool COrderArchiveDlg::ConfirmOverAnotherProgram(int row, int number, FileStep step) {
    const QString file = m_pModel->FileOf(row);
    OrderRow onDisk;
    const LineFile::ReadResult read = m_folder.ReadOrderFile(file, &onDisk);
    if ((read == LineFile::ReadResult::Ok && onDisk == m_pModel->RowAt(row)) ||
        (read == LineFile::ReadResult::Missing && step == FileStep::Delete)) {
        return true;
    }
    if (MessageBoxes::AskYesNo(
            this,
            QStringLiteral("Платежное поручение %1 изменено (или удалено) другой программой после "
                           "открытия архива. %2")
                .arg(QString::number(number), step == FileStep::Rewrite
                                                  ? QStringLiteral("Записать ваше?")
                                                  : QStringLiteral("Удалить его?")),
            MessageBoxes::Answer::No)) {
        return true;
    }
    if (read == LineFile::ReadResult::Ok) {
        m_pModel->SetRow(row, onDisk, file);
        ShowOrder(row);
    } else if (read == LineFile::ReadResult::Missing) {
        m_pModel->RemoveRow(row);
        m_pList->selectionModel()->clear();
    }
    return false;
}

int COrderArchiveDlg::NewOrderNumber() const {
    const int count = m_pModel->rowCount();
    if (count == 0) {
        return 1;
    }
    const int last = m_pModel->RowAt(count - 1).Number();
    return last == std::numeric_limits<int>::max() ? last : last + 1;
}

void COrderArchiveDlg::OnCreateNew() {
    COrderDlg dialog(m_folder.ReadBooks(), this);
    dialog.m_nNumber = NewOrderNumber();
    dialog.m_date = m_clock.Today();
    RunOrderDialog(&dialog, -1);
}

QString COrderArchiveDlg::LastPayer() const {
    const int count = m_pModel->rowCount();
    return count == 0 ? QString() : m_pModel->RowAt(count - 1)[kColumnPayer];
}

void COrderArchiveDlg::OnCreateFromInvoice(InvoiceInput::Source source) {
    // The order dialog is given the books the invoice was read against.
    const AddressBooks books = m_folder.ReadBooks();
    InvoiceReader::Result read;
    if (!InvoiceInput::Read(this, source, books.recipients.Records(), m_bikDirectory, &read)) {
        return;
    }
    COrderDlg dialog(books, this);
    dialog.m_nNumber = NewOrderNumber();
    dialog.m_date = m_clock.Today();
    dialog.FillFromInvoiceWhenShown(read.order);
    RunOrderDialog(&dialog, -1);
}

void COrderArchiveDlg::OnCreateCopy() {
    const int current = RequireCurrentRow();
    if (current < 0) {
        return;
    }
    COrderDlg dialog(m_folder.ReadBooks(), this);
    dialog.SetRow(m_pModel->RowAt(current));
    dialog.m_nNumber = NewOrderNumber();
    dialog.m_date = m_clock.Today();  // a copy is made today, whatever the original's date
    RunOrderDialog(&dialog, -1);
}

void COrderArchiveDlg::OnEditOrder() {
    const int current = RequireCurrentRow();
    if (current < 0) {
        return;
    }
    COrderDlg dialog(m_folder.ReadBooks(), this);
    dialog.SetRow(m_pModel->RowAt(current));
    RunOrderDialog(&dialog, current);
}

void COrderArchiveDlg::OnItemChangedOrders() {
    if (m_bSearching) {
        return;  // the search hides and shows rows; the chosen order stays chosen
    }
    const int current = CurrentRow();
    m_chosenOrder = current < 0 ? QModelIndex() : m_pModel->index(current, 0);
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
    if (!ConfirmOverAnotherProgram(current, m_pModel->RowAt(current).Number(), FileStep::Delete)) {
        return;
    }
    const QString file = m_pModel->FileOf(current);  // its own, whatever number it shows
    m_pModel->RemoveRow(current);                    // the row goes whatever becomes of the file
    // No row is left current, so that another press asks for a row instead of deleting the one
    // that moved up.
    m_pList->selectionModel()->clear();
    QString error;
    TellRemoval(m_folder.RemoveOrder(file, &error), file, error);
}

void COrderArchiveDlg::TellRemoval(DesktopTrash::Removal removal, const QString& file,
                                   const QString& error) {
    switch (removal) {
        case DesktopTrash::Removal::MovedToTrash:
            return;  // where the user looks for it first
        case DesktopTrash::Removal::RemovedForGood:
            MessageBoxes::ShowDone(
                this, QStringLiteral("Платежка %1 удалена без корзины: корзина рабочего стола ее "
                                     "не принимает, вернуть ее нельзя.")
                          .arg(file));
            return;
        case DesktopTrash::Removal::Failed:
            MessageBoxes::ShowError(
                this, MessageBoxes::WithReason(QStringLiteral("Не могу удалить платежку"), error));
            return;
    }
}

QList<int> COrderArchiveDlg::SelectedRowsShown() const {
    QModelIndexList shown = m_pList->selectionModel()->selectedRows();
    std::sort(shown.begin(), shown.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QList<int> rows;
    for (const QModelIndex& index : shown) {
        rows.append(m_pShown->mapToSource(index).row());
    }
    return rows;
}

void COrderArchiveDlg::OnPrintChosen() {
    const QList<int> chosen = SelectedRowsShown();
    if (chosen.isEmpty()) {
        MessageBoxes::ShowError(this, QStringLiteral("Выберите платежки для печати"));
        return;
    }
    const OrderUseCases::Printing printing =
        OrderUseCases::PrintOrders(m_folder, RowsAt(chosen), OrderUseCases::Policy::LeaveOut,
                                   m_paper.edition, OrderUseCases::EditionChoice::Remembered);
    if (!GoOn(printing.error, printing.batch.refused, qsizetype(printing.batch.docs.size()),
              CExportRefusalsDlg::Action::Print)) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    PrepareFormPrinter(printer);
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() == QDialog::Accepted) {
        DrawFormPages(printer, printing.batch.Pages(), m_paper);
    }
}

QList<int> COrderArchiveDlg::NotSentShown() const {
    QList<int> rows;
    for (int shown = 0; shown < m_pShown->rowCount(); ++shown) {
        const int row = m_pShown->mapToSource(m_pShown->index(shown, 0)).row();
        if (!OrderStates::SentBefore(m_pModel->States()[row])) {
            rows.append(row);
        }
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

QList<int> COrderArchiveDlg::RowsToExport() {
    QList<int> rows = SelectedRows();
    if (!rows.isEmpty()) {
        return ConfirmResend(&rows) ? rows : QList<int>();
    }
    rows = NotSentShown();
    if (rows.isEmpty()) {
        MessageBoxes::ShowError(this, QStringLiteral("Среди показанных поручений нет "
                                                     "неотправленных. Чтобы выгрузить поручение "
                                                     "еще раз, выделите его."));
        return {};
    }
    ChosenTotal total;
    for (int row : rows) {
        qint64 kopecks = 0;
        const bool isAmount = m_pModel->KopecksOf(row, &kopecks);
        total.AddKopecks(isAmount, kopecks);
    }
    const qsizetype count = rows.size();
    const QString offer = QStringLiteral("Выгрузить %1 %2 на сумму %3 руб.?")
                              .arg(count)
                              .arg(RussianPlural(count, QStringLiteral("неотправленное поручение"),
                                                 QStringLiteral("неотправленных поручения"),
                                                 QStringLiteral("неотправленных поручений")),
                                   ChosenTotal::AmountText(total.Kopecks()));
    return MessageBoxes::AskYesNo(this, offer, MessageBoxes::Answer::Yes) ? rows : QList<int>();
}

bool COrderArchiveDlg::ConfirmResend(QList<int>* rows) {
    QStringList named;
    QList<int> sent;
    for (int row : std::as_const(*rows)) {
        const OrderStates::State& state = m_pModel->States()[row];
        if (OrderStates::SentBefore(state)) {
            const OrderRow order = m_pModel->RowAt(row);
            const QDate date = OrderTexts::DateFromText(order[kColumnDate]);
            named.append(QStringLiteral("№ %1 от %2 на %3 — %4")
                             .arg(order[kColumnNumber].trimmed(),
                                  date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy"))
                                                 : order[kColumnDate].trimmed(),
                                  order[kColumnAmount], OrderStates::Text(state)));
            sent.append(row);
        }
    }
    if (sent.isEmpty()) {
        return true;
    }
    const QString text =
        QStringLiteral("%1 уже %2 в банк:\n%3\n\nВыгрузить %4 еще раз?")
            .arg(sent.size() == 1 ? QStringLiteral("Это поручение")
                                  : QStringLiteral("Эти поручения"),
                 sent.size() == 1 ? QStringLiteral("выгружено") : QStringLiteral("выгружены"),
                 named.join(u'\n'),
                 sent.size() == 1 ? QStringLiteral("его") : QStringLiteral("их"));
    if (MessageBoxes::AskChoice(this, QStringLiteral("Выгрузка в банк"), text,
                                QStringLiteral("Выгрузить еще раз"),
                                QStringLiteral("Не выгружать их"),
                                MessageBoxes::Choice::Second) == MessageBoxes::Choice::First) {
        return true;
    }
    rows->removeIf([&sent](int row) { return sent.contains(row); });
    return !rows->isEmpty();
}

void COrderArchiveDlg::RefreshStates(const QList<int>& rows) {
    StoredOrders orders;
    for (int row : rows) {
        orders.rows.append(m_pModel->RowAt(row));
        orders.files.append(m_pModel->FileOf(row));
    }
    const QList<OrderStates::State> states =
        OrderUseCases::StatesOf(m_folder, orders, m_clock.Today());
    for (qsizetype i = 0; i < rows.size() && i < states.size(); ++i) {
        m_pModel->SetState(rows[i], states[i]);
    }
    UpdateChosenLine();
}

QList<OrderRow> COrderArchiveDlg::RowsAt(const QList<int>& rows) const {
    QList<OrderRow> orders;
    orders.reserve(rows.size());
    for (int row : rows) {
        orders.append(m_pModel->RowAt(row));
    }
    return orders;
}

bool COrderArchiveDlg::GoOn(const QString& error, const QList<OrderRefusal>& refused,
                            qsizetype made, CExportRefusalsDlg::Action action) {
    if (!error.isEmpty()) {
        MessageBoxes::ShowError(this, error);
        return false;
    }
    if (!refused.isEmpty()) {
        CExportRefusalsDlg refusals(refused, made, action, this);
        if (refusals.exec() != QDialog::Accepted) {
            return false;
        }
    }
    return made > 0;
}

void COrderArchiveDlg::OnExportToBank() {
    const QList<int> rows = RowsToExport();
    if (rows.isEmpty()) {
        return;
    }
    QList<OrderStates::State> states;
    for (int row : rows) {
        states.append(m_pModel->States()[row]);
    }
    // The user has said which orders that went before go again.
    const OrderUseCases::Export done =
        OrderUseCases::ExportOrders(m_folder, RowsAt(rows), states, OrderUseCases::Resend::Allow,
                                    OrderUseCases::Policy::LeaveOut, QDateTime::currentDateTime());
    if (GoOn(done.error, done.refused, done.total.Count(), CExportRefusalsDlg::Action::Export) &&
        SaveExport(done)) {
        QList<int> exported;
        for (const OrderUseCases::ExportFile& file : done.files) {
            for (qsizetype place : file.orders) {
                exported.append(rows[place]);
            }
        }
        RefreshStates(exported);
    }
}

bool COrderArchiveDlg::SaveExport(const OrderUseCases::Export& done) {
    const qsizetype files = done.files.size();
    const QString title =
        files == 1 ? QStringLiteral("Выгрузить в банк")
                   : QStringLiteral(
                         "Выгрузить в банк: %1 %2, по файлу на банк плательщика (к "
                         "имени добавится БИК банка)")
                         .arg(files)
                         .arg(RussianPlural(files, QStringLiteral("файл"), QStringLiteral("файла"),
                                            QStringLiteral("файлов")));
    const QString path = QFileDialog::getSaveFileName(
        this, title,
        m_folder.Dir().absoluteFilePath(QString::fromLatin1(BankExport::kDefaultFileName)),
        QStringLiteral("Текстовые файлы (*.txt);;Все файлы (*)"));
    if (path.isEmpty()) {
        return false;
    }
    // The save dialog asked about the name chosen; the files take names of their own.
    QStringList existing;
    for (const QString& file : done.Paths(path)) {
        if (files > 1 && QFileInfo::exists(file)) {
            existing.append(QDir::toNativeSeparators(file));
        }
    }
    if (!existing.isEmpty() &&
        !MessageBoxes::AskYesNo(
            this,
            QStringLiteral("Эти файлы уже есть:\n%1\n\nЗаменить их?").arg(existing.join(u'\n')),
            MessageBoxes::Answer::No)) {
        return false;
    }
    OrderUseCases::Written written =
        OrderUseCases::WriteExport(m_folder, done, QDir::toNativeSeparators(path));
    if (!written.error.isEmpty()) {
        MessageBoxes::ShowError(this, written.error);
        return false;
    }
    if (!written.keptError.isEmpty()) {
        MessageBoxes::ShowError(
            this, QStringLiteral("Файл выгрузки записан, но его копия не сохранена в папке %1: "
                                 "%2. Эти поручения не будут значиться отправленными.")
                      .arg(QString::fromLatin1(KeptFiles::kFolder), written.keptError));
    }
    MessageBoxes::ShowDone(this, OrderUseCases::WrittenText(done, written));
    return true;
}

void COrderArchiveDlg::OnOK() {
    const int row = RequireCurrentRow();
    if (row < 0) {
        return;
    }
    // Read only: drawing an order never writes an address book.
    const OrderUseCases::Drawing drawing =
        OrderUseCases::DrawOrder(m_folder, RowAt(row), m_bikDirectory, m_doc, m_paper.edition);
    if (!drawing.error.isEmpty()) {
        MessageBoxes::ShowError(this, drawing.error);
    }
    // The form is drawn all the same, with what is missing said once it is.
    if (!drawing.faulty.isEmpty()) {
        MessageBoxes::ShowWarning(this, QStringLiteral("Проверка реквизитов"),
                                  PartyChecks::Message(drawing.faulty));
    }
    m_drawingNotices = drawing.notices;
    m_drawingNoRoom = drawing.noRoom;
    accept();
}

QStringList COrderArchiveDlg::DrawingNotices() const {
    QStringList notices;
    for (QString notice : m_drawingNotices) {
        notice[0] = notice[0].toUpper();  // each a sentence of its own
        notices.append(notice);
    }
    return notices;
}

void COrderArchiveDlg::OnSaveAsTemplate() {
    const int current = RequireCurrentRow();
    if (current < 0) {
        return;
    }
    const OrderRow order = m_pModel->RowAt(current);
    const QDate today = m_clock.Today();
    const TemplateStore store(m_folder.Dir());
    OrderTemplate added;
    CTemplateDlg dialog(
        [&](const QString& name, const Recurrence& recurrence, QString* error) {
            return store.Add(name, order, recurrence, today, &added, error);
        },
        this);
    // The order is its month's payment: a repeat starts with the next, on the order's day, but
    // never before this month, so that an old order does not bring a year of payments due at once.
    const QDate date = OrderTexts::DateFromText(order[kColumnDate]);
    const QDate from = date.isValid() ? date : today;
    Recurrence offered;
    offered.day = from.day();
    offered.first = std::max(QDate(from.year(), from.month(), 1).addMonths(1),
                             QDate(today.year(), today.month(), 1));
    dialog.SetTemplate(QString(), offered);
    if (dialog.exec() == QDialog::Accepted) {
        MessageBoxes::ShowDone(
            this,
            QStringLiteral("Шаблон «%1» сохранен (%2)").arg(added.name, added.recurrence.Text()));
    }
}

void COrderArchiveDlg::OnCreateFromTemplate() {
    CTemplatesDlg choice(TemplateStore(m_folder.Dir()), this);
    if (choice.Templates().templates.isEmpty() && choice.Templates().damaged.isEmpty()) {
        MessageBoxes::ShowError(this, QStringLiteral("Шаблонов еще нет: выделите платежку и "
                                                     "нажмите «Сохранить как шаблон»"));
        return;
    }
    if (choice.exec() != QDialog::Accepted) {
        return;
    }
    COrderDlg dialog(m_folder.ReadBooks(), this);
    dialog.SetRow(choice.Chosen().NewOrder(NewOrderNumber(), m_clock.Today()));
    RunOrderDialog(&dialog, -1);
}

void COrderArchiveDlg::OfferDuePayments(QWidget* over) {
    const TemplateStore store(m_folder.Dir());
    const QDate today = m_clock.Today();
    const DueList due = DuePayments::Read(
        store, [this] { return m_pModel->Rows(); }, today);
    const QString damaged = due.templates.DamagedMessage();
    if (!damaged.isEmpty()) {
        MessageBoxes::ShowError(over, damaged);
    }
    if (!due.payments.isEmpty()) {
        CDuePaymentsDlg list(
            due.payments,
            [this](const DuePayment& payment, QWidget* parent) {
                return MakeDuePayment(payment, parent);
            },
            [&store](const DuePayment& payment, QWidget* parent) {
                QString error;
                if (!store.Skip(payment.source.id, payment.occurrence.Key(), &error)) {
                    MessageBoxes::ShowError(parent, error);
                    return false;
                }
                return true;
            },
            over);
        list.exec();
    }
    QString error;
    if (!store.RecordCheck(today, &error)) {
        MessageBoxes::ShowError(over, error);
    }
}

int COrderArchiveDlg::MakeDuePayment(const DuePayment& payment, QWidget* parent) {
    COrderDlg dialog(m_folder.ReadBooks(), parent);
    dialog.SetRow(payment.NewOrder(NewOrderNumber(), m_clock.Today()));
    if (!RunOrderDialog(&dialog, -1)) {
        return 0;
    }
    const int number = dialog.Row().Number();
    QString error;
    if (!TemplateStore(m_folder.Dir())
             .MarkMade(payment.source.id, payment.occurrence.Key(), number, &error)) {
        // The order is stored all the same; the payment may be offered again.
        MessageBoxes::ShowError(parent, error);
    }
    return number;
}

QList<int> COrderArchiveDlg::ShownRows() const {
    QList<int> rows;
    rows.reserve(m_pShown->rowCount());
    for (int row = 0; row < m_pShown->rowCount(); ++row) {
        rows.append(m_pShown->mapToSource(m_pShown->index(row, 0)).row());
    }
    return rows;
}

void COrderArchiveDlg::OnRegister() {
    const QList<int> chosen = SelectedRowsShown();
    StoredOrders orders;
    for (int row : chosen.isEmpty() ? ShownRows() : chosen) {
        orders.rows.append(m_pModel->RowAt(row));
        orders.files.append(m_pModel->FileOf(row));
    }
    if (orders.rows.isEmpty()) {
        MessageBoxes::ShowError(this, QStringLiteral("В списке нет платежек для реестра"));
        return;
    }
    QStringList unreadable;
    const OrderRegister reg = OrderRegister::Read(m_folder, orders, m_clock.Today(), &unreadable);
    if (!unreadable.isEmpty()) {
        MessageBoxes::ShowWarning(this, QStringLiteral("Реестр платежных поручений"),
                                  QStringLiteral("Состояния платежек неполны: не читаются %1")
                                      .arg(unreadable.join(QStringLiteral(", "))));
    }
    CRegisterDlg dialog(reg, !chosen.isEmpty(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (dialog.Chosen() == CRegisterDlg::Choice::Save) {
        SaveRegister(reg);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog print(&printer, this);
    print.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (print.exec() == QDialog::Accepted) {
        RegisterDrawing::Draw(printer, reg);
    }
}

void COrderArchiveDlg::SaveRegister(const OrderRegister& reg) {
    const QString pdf = QStringLiteral("PDF (*.pdf)");
    const QString csv = QStringLiteral("Таблица CSV для Excel и LibreOffice (*.csv)");
    QFileDialog dialog(
        this, QStringLiteral("Сохранить реестр"),
        m_folder.Dir().absoluteFilePath(
            QStringLiteral("Реестр %1.pdf").arg(reg.made.toString(QStringLiteral("yyyy-MM-dd")))),
        pdf + QStringLiteral(";;") + csv);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The filter chosen says what the file is: it changes the name's ending, and gives a name
    // typed without one its own, before the dialog asks about a file of that name.
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, csv](const QString& filter) {
        dialog.setDefaultSuffix(filter == csv ? QStringLiteral("csv") : QStringLiteral("pdf"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString path = dialog.selectedFiles().constFirst();
    QString error;
    if (!RegisterDrawing::WriteFile(path, reg, &error)) {
        MessageBoxes::ShowError(this, QStringLiteral("Реестр не сохранен: ") + error);
        return;
    }
    MessageBoxes::ShowDone(
        this, QStringLiteral("Реестр сохранен в файл %1").arg(QDir::toNativeSeparators(path)));
}
