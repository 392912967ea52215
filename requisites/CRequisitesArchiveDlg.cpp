#include "requisites/CRequisitesArchiveDlg.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSessionManager>

#include "common/RussianPlural.h"
#include "requisites/CRequisitesDlg.h"
#include "requisites/RenameInOrdersWindow.h"
#include "requisites/RequisitesFile.h"
#include "widgets/DialogUnits.h"
#include "widgets/MessageBoxes.h"

CRequisitesArchiveDlg::CRequisitesArchiveDlg(int nKind, QWidget* parent)
    : CRequisitesArchiveDlg(nKind, AddressBook(RequisitesFile::FileName(nKind)), parent) {}

CRequisitesArchiveDlg::CRequisitesArchiveDlg(int nKind, const AddressBook& book, QWidget* parent)
    : QDialog(parent), m_requisites(book), m_nKind(nKind) {
    setWindowTitle(QStringLiteral("Архив реквизитов"));
    CreateControls();
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this,
            &CRequisitesArchiveDlg::OnCommitData);
}

void CRequisitesArchiveDlg::OnCommitData(QSessionManager& manager) {
    if (m_requisites.IsChanged() && manager.allowsInteraction()) {
        WriteList();
        manager.release();
    }
}

// A dialog let go without being closed (never shown, say) still keeps its changes.
CRequisitesArchiveDlg::~CRequisitesArchiveDlg() {
    SaveRequisites();
}

int CRequisitesArchiveDlg::RunArchive(int nKind, const AddressBook& book,
                                      const OrdersOfParty& orders, const BikDirectory& directory,
                                      QWidget* parent) {
    CRequisitesArchiveDlg dlg(nKind, book, parent);
    dlg.SetOrdersOfParty(orders);
    dlg.SetBikDirectory(directory);
    return dlg.exec();
}

void CRequisitesArchiveDlg::SetOrdersOfParty(const OrdersOfParty& orders) {
    m_orders = orders;
}

void CRequisitesArchiveDlg::CreateControls() {
    const DialogUnits units(font());
    m_pOk = new QPushButton(QStringLiteral("OK"), this);
    m_pOk->setDefault(true);
    units.Place(m_pOk, 104, 88, 50, 14);
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);

    auto* heading = new QLabel(QStringLiteral("Наименование"), this);
    units.Place(heading, 103, 7, 52, 8);
    // Widths were made for the template's font; a wider desktop font must not clip it.
    heading->resize(qMax(heading->width(), heading->sizeHint().width()), heading->height());

    m_pList = new QListWidget(this);
    m_pList->setObjectName(QStringLiteral("listRequisites"));
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    units.Place(m_pList, 7, 18, 193, 62);
    // A double click opens the record as "Изменить" does; Enter still closes the archive.
    connect(m_pList, &QListWidget::itemDoubleClicked, this, &CRequisitesArchiveDlg::OnChange);

    struct Button {
        const char* text;
        int y;
        void (CRequisitesArchiveDlg::*handler)();
    };
    const Button buttons[] = {
        {"Добавить", 17, &CRequisitesArchiveDlg::OnAdd},
        {"Изменить", 42, &CRequisitesArchiveDlg::OnChange},
        {"Удалить", 65, &CRequisitesArchiveDlg::OnDelete},
    };
    for (const Button& button : buttons) {
        auto* push = new QPushButton(QString::fromUtf8(button.text), this);
        units.Place(push, 203, button.y, 50, 14);
        connect(push, &QPushButton::clicked, this, button.handler);
    }
    setFixedSize(units.Size(260, 109));
}

void CRequisitesArchiveDlg::showEvent(QShowEvent* event) {
    if (!m_bInitialised) {
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CRequisitesArchiveDlg::OnInitDialog() {
    m_bInitialised = true;
    setWindowTitle(RequisitesFile::ArchiveCaption(m_nKind));
    LoadRequisites(m_requisites.Path());
    FillList();
    m_pOk->setFocus();
}

void CRequisitesArchiveDlg::LoadRequisites(const QString& fileName) {
    m_requisites = AddressBook(fileName);
    if (m_requisites.Load() == AddressBook::Outcome::Unreadable) {
        // Over the open dialog, not before it appears.
        QMetaObject::invokeMethod(
            this, [this] { MessageBoxes::ShowError(this, RequisitesFile::CannotReadMessage()); },
            Qt::QueuedConnection);
    }
}

void CRequisitesArchiveDlg::FillList() {
    m_pList->clear();
    for (const CRequisite& record : m_requisites.Records()) {
        m_pList->addItem(record.m_strName);
    }
    if (m_requisites.Count() > 0) {
        m_pList->setCurrentRow(0);
    }
}

int CRequisitesArchiveDlg::SelectedIndex() const {
    const QList<QListWidgetItem*> selected = m_pList->selectedItems();
    return selected.isEmpty() ? -1 : m_pList->row(selected.first());
}

bool CRequisitesArchiveDlg::EditRecord(CRequisite* record, const OrdersOfParty& orders,
                                       bool* renameInOrders) {
    CRequisitesDlg dlg(this);
    dlg.SetKind(m_nKind);
    dlg.SetBikDirectory(m_bikDirectory);
    dlg.SetRecord(*record);
    dlg.SetOrdersOfParty(orders);
    if (dlg.exec() != QDialog::Accepted) {
        return false;
    }
    *record = dlg.Record();
    if (renameInOrders) {
        *renameInOrders = dlg.RenameInOrders();
    }
    return true;
}

void CRequisitesArchiveDlg::OnAdd() {
    CRequisite record;
    if (EditRecord(&record)) {
        m_requisites.Add(record);
        FillList();
    }
}

void CRequisitesArchiveDlg::OnChange() {
    const int index = SelectedIndex();
    if (index < 0) {
        return;
    }
    CRequisite record = m_requisites.At(index);
    const QString oldName = record.m_strName;
    // Orders find the first record of their name: only when it is this one are they its orders.
    const bool namedByOrders =
        FindRecord(m_requisites.Records(), record.m_strName) == &m_requisites.Records().at(index);
    bool renameInOrders = false;
    if (EditRecord(&record, namedByOrders ? m_orders : OrdersOfParty(), &renameInOrders)) {
        m_requisites.Change(index, record);
        FillList();
        m_pList->setCurrentRow(index);  // the next "Удалить" takes the record just changed
        if (renameInOrders) {
            RenameInOrders(oldName, record.m_strName);
        }
    }
}

// The orders take the new name only once the book that holds it is written: otherwise they would
// name a party that the book, as the next window reads it, does not hold.
void CRequisitesArchiveDlg::RenameInOrders(const QString& oldName, const QString& newName) {
    RenameInOrdersWindow::Run(
        this,
        [&](const RenameProgress& progress) {
            return m_orders.rename(
                oldName, newName, [this] { return WriteList(); }, progress);
        },
        m_orders.resume);
}

void CRequisitesArchiveDlg::OnDelete() {
    const int index = SelectedIndex();
    if (index < 0 || !ConfirmDeleteNamed(index)) {
        return;
    }
    m_requisites.Remove(index);
    FillList();
    // No record stays marked, so that a second press of the button deletes nothing more.
    m_pList->clearSelection();
    m_pList->setCurrentItem(nullptr);
}

bool CRequisitesArchiveDlg::ConfirmDeleteNamed(int index) {
    const QString name = m_requisites.At(index).m_strName;
    // Only the last record of the name leaves its orders without their party's details.
    int sameName = 0;
    for (const CRequisite& record : m_requisites.Records()) {
        sameName += record.m_strName == name ? 1 : 0;
    }
    if (!m_orders || sameName > 1) {
        return true;
    }
    const QList<PartyOrder> named = m_orders.named(name);
    if (named.isEmpty()) {
        return true;
    }
    const int count = int(named.size());
    // Enter keeps the record: without it those orders can be neither drawn nor sent to the bank.
    return MessageBoxes::AskYesNo(
        this,
        QStringLiteral("%1 указан в %2 %3: %4. Удалить запись?")
            .arg(m_nKind == kPayersKind ? QStringLiteral("Плательщик")
                                        : QStringLiteral("Получатель"),
                 QString::number(count),
                 RussianPlural(count, QStringLiteral("платежном поручении"),
                               QStringLiteral("платежных поручениях"),
                               QStringLiteral("платежных поручениях")),
                 PartyOrdersText(named, false)),
        MessageBoxes::Answer::No);
}

void CRequisitesArchiveDlg::done(int result) {
    // While the dialog is still up, so that a question or a failure stands over it.
    SaveRequisites();
    QDialog::done(result);
}

void CRequisitesArchiveDlg::SaveRequisites() {
    if (!m_requisites.IsChanged()) {
        return;
    }
    WriteList();
    // Told once: the list is given up as it stands.
    m_requisites = AddressBook(m_requisites.Path());
}

bool CRequisitesArchiveDlg::WriteList() {
    if (m_requisites.LoadOutcome() == AddressBook::Outcome::Unreadable) {
        MessageBoxes::ShowError(
            this, MessageBoxes::WithReason(
                      RequisitesFile::CannotWriteMessage(),
                      QStringLiteral("файл %1 не прочитан, и список заменил бы записи, которых "
                                     "программа не видела")
                          .arg(QFileInfo(m_requisites.Path()).fileName())));
        return false;
    }
    if (!ConfirmOverwrite()) {
        MessageBoxes::ShowError(this, QStringLiteral("Изменения списка не записаны: файл %1 "
                                                     "остался таким, каким его записала другая "
                                                     "программа.")
                                          .arg(QFileInfo(m_requisites.Path()).fileName()));
        return false;
    }
    if (QString error; !m_requisites.Save(&error)) {
        MessageBoxes::ShowError(
            this, MessageBoxes::WithReason(RequisitesFile::CannotWriteMessage(), error));
        return false;
    }
    return true;
}

bool CRequisitesArchiveDlg::ConfirmOverwrite() {
    if (!m_requisites.ChangedOnDisk()) {
        return true;
    }
    return MessageBoxes::AskYesNo(
        this,
        QStringLiteral("Файл %1 изменен другой программой после открытия. Записать ваш список "
                       "вместо него?")
            .arg(QFileInfo(m_requisites.Path()).fileName()),
        MessageBoxes::Answer::No);
}
