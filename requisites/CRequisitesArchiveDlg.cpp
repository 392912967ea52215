#include "requisites/CRequisitesArchiveDlg.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "requisites/CRequisitesDlg.h"
#include "requisites/RequisitesFile.h"
#include "widgets/DialogUnits.h"
#include "widgets/MessageBoxes.h"

namespace {

const QString kCannotRead = QStringLiteral("Не могу прочитать реквизиты");
const QString kCannotWrite = QStringLiteral("Не могу записать реквизиты");

void ToDialog(const CRequisite& record, CRequisitesDlg* dlg) {
    dlg->m_strName = record.m_strName;
    dlg->m_strBank = record.m_strBank;
    dlg->m_strInnKpp = record.m_strInnKpp;
    dlg->m_strBik = record.m_strBik;
    dlg->m_strAccount1 = record.m_strAccount1;
    dlg->m_strAccount2 = record.m_strAccount2;
}

CRequisite FromDialog(const CRequisitesDlg& dlg) {
    CRequisite record;
    record.m_strName = dlg.m_strName;
    record.m_strBank = dlg.m_strBank;
    record.m_strInnKpp = dlg.m_strInnKpp;
    record.m_strBik = dlg.m_strBik;
    record.m_strAccount1 = dlg.m_strAccount1;
    record.m_strAccount2 = dlg.m_strAccount2;
    return record;
}

}  // namespace

CRequisitesArchiveDlg::CRequisitesArchiveDlg(int nKind, QWidget* parent)
    : QDialog(parent), m_nKind(nKind) {
    setWindowTitle(QStringLiteral("Архив реквизитов"));
    CreateControls();
}

CRequisitesArchiveDlg::~CRequisitesArchiveDlg() {
    SaveRequisites();
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
    m_bInitialising = true;
    LoadRequisites(RequisitesFile::FileName(m_nKind));
    m_bInitialising = false;
    FillList();
    m_pOk->setFocus();
    if (m_stored == Stored::Unreadable) {
        // Over the open dialog, not before it appears.
        QTimer::singleShot(0, this, [this] { MessageBoxes::ShowError(this, kCannotRead); });
    }
}

void CRequisitesArchiveDlg::LoadRequisites(const QString& fileName) {
    CRequisiteArray records;
    switch (RequisitesFile::Read(fileName, &records)) {
        case LineFile::ReadResult::Ok:
        case LineFile::ReadResult::Missing:
            m_requisites += records;
            if (m_stored == Stored::NotLoaded) {
                m_stored = Stored::Loaded;
            }
            break;
        case LineFile::ReadResult::Unreadable:
            // The list now lacks the file's records, so it must never be written over them.
            m_stored = Stored::Unreadable;
            if (!m_bInitialising) {
                MessageBoxes::ShowError(MessageParent(), kCannotRead);
            }
            break;
    }
}

void CRequisitesArchiveDlg::FillList() {
    m_pList->clear();
    for (const CRequisite& record : m_requisites) {
        m_pList->addItem(record.m_strName);
    }
    if (!m_requisites.isEmpty()) {
        m_pList->setCurrentRow(0);
    }
}

int CRequisitesArchiveDlg::SelectedIndex() const {
    const QList<QListWidgetItem*> selected = m_pList->selectedItems();
    return selected.isEmpty() ? -1 : m_pList->row(selected.first());
}

bool CRequisitesArchiveDlg::EditRecord(CRequisite* record) {
    CRequisitesDlg dlg(this);
    ToDialog(*record, &dlg);
    if (dlg.exec() != QDialog::Accepted) {
        return false;
    }
    *record = FromDialog(dlg);
    return true;
}

void CRequisitesArchiveDlg::OnAdd() {
    CRequisite record;
    if (EditRecord(&record)) {
        m_requisites.append(record);
        m_bChanged = true;
        FillList();
    }
}

void CRequisitesArchiveDlg::OnChange() {
    const int index = SelectedIndex();
    if (index < 0) {
        return;
    }
    CRequisite record = m_requisites.at(index);
    if (EditRecord(&record)) {
        m_bChanged = m_bChanged || !(record == m_requisites.at(index));
        m_requisites[index] = record;
        FillList();
    }
}

void CRequisitesArchiveDlg::OnDelete() {
    const int index = SelectedIndex();
    if (index < 0) {
        return;
    }
    m_requisites.removeAt(index);
    m_bChanged = true;
    FillList();
}

void CRequisitesArchiveDlg::SaveRequisites() {
    switch (m_stored) {
        case Stored::NotLoaded:
            return;
        case Stored::Unreadable:
            if (m_bChanged) {
                MessageBoxes::ShowError(MessageParent(), kCannotWrite);
            }
            return;
        case Stored::Loaded:
            if (!RequisitesFile::Write(RequisitesFile::FileName(m_nKind), m_requisites)) {
                MessageBoxes::ShowError(MessageParent(), kCannotWrite);
            }
            return;
    }
}

// A loader is never shown and the dialog is closed when it saves, so its messages stand over
// whatever window is active instead.
QWidget* CRequisitesArchiveDlg::MessageParent() const {
    QWidget* active = QApplication::activeWindow();
    return active == this ? nullptr : active;
}
