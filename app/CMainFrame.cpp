#include "app/CMainFrame.h"

#include <QActionGroup>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <algorithm>

#include "app/CGuideWindow.h"
#include "app/MenuBarStyle.h"
#include "form/CVemoView.h"
#include "orders/PartyRename.h"
#include "orderwindows/COrderArchiveDlg.h"
#include "requisites/BikImport.h"
#include "requisites/CRequisitesArchiveDlg.h"
#include "routine/Backup.h"
#include "routine/TemplateStore.h"
#include "widgets/MessageBoxes.h"

namespace {

// The folder the last copy of the data went to, offered for the next.
const QString kBackupFolderKey = QStringLiteral("Backup/Folder");

}  // namespace

CMainFrame::CMainFrame(CVemoDoc* doc, const WorkingFolder& folder, QWidget* parent)
    : QMainWindow(parent), m_pDocument(doc), m_folder(folder), m_pView(new CVemoView(doc, this)) {
    setCentralWidget(m_pView);
    m_pView->SetEdition(FormEditions::Remembered(QSettings()));
    BikDirectory::LoadKept(&m_bikDirectory);
    CreateMenu();
}

void CMainFrame::CreateMenu() {
    QMenuBar* bar = menuBar();
    auto* style = new MenuBarStyle();
    style->setParent(bar);
    bar->setStyle(style);

    // Menu commands have mnemonics only: no key combination runs a command but F1, the guide.
    QMenu* file = bar->addMenu(QStringLiteral("&Файл"));
    file->addAction(QStringLiteral("&Печать"), m_pView, &CVemoView::OnFilePrint);
    file->addAction(QStringLiteral("Предварительный про&смотр"), m_pView,
                    &CVemoView::OnFilePrintPreview);
    AddBackupItems(file);
    file->addAction(QStringLiteral("&Выход"), this, &QWidget::close);

    QMenu* archive = bar->addMenu(QStringLiteral("&Архив"));
    archive->addAction(QStringLiteral("&Реквизиты получателя"), this,
                       &CMainFrame::OnArchiveRecipients);
    archive->addAction(QStringLiteral("Р&еквизиты плательщика"), this,
                       &CMainFrame::OnArchivePayers);
    archive->addAction(QStringLiteral("&Платежные поручения"), this, &CMainFrame::OnArchiveOrders);
    archive->addAction(QStringLiteral("&Справочник БИК…"), this,
                       &CMainFrame::OnArchiveBikDirectory);
    CreateEditionMenu(bar);

    bar->addSeparator();  // the help menu stands at the right-hand end
    QMenu* help = bar->addMenu(QStringLiteral("&Помощь"));
    help->addAction(QStringLiteral("&Руководство"), QKeySequence(Qt::Key_F1), this,
                    &CMainFrame::OnHelpGuide);
    help->addAction(QStringLiteral("&О программе"), this, &CMainFrame::AppAboutRequested);
}

void CMainFrame::CreateEditionMenu(QMenuBar* bar) {
    QMenu* form = bar->addMenu(QStringLiteral("&Бланк"));
    auto* group = new QActionGroup(form);  // one of the two, as radio items
    const QPair<FormEdition, QString> editions[] = {
        {FormEdition::Edition2001, QStringLiteral("Редакция &2001 года")},
        {FormEdition::Current, QStringLiteral("&Действующая редакция (762-П)")}};
    for (const auto& [edition, text] : editions) {
        QAction* action = form->addAction(text);
        action->setCheckable(true);
        action->setChecked(m_pView->Edition() == edition);
        group->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, edition = edition] { OnFormEdition(edition); });
    }
}

void CMainFrame::OnFormEdition(FormEdition edition) {
    m_pView->SetEdition(edition);
    QSettings settings;
    FormEditions::Remember(settings, edition);
}

// Each address book is written back, if it changed, as its archive closes; a record renamed
// there may be renamed in the orders of the working folder.
void CMainFrame::OnArchivePayers() {
    CRequisitesArchiveDlg::RunArchive(kPayersKind, m_folder.Book(kPayersKind),
                                      PartyRename::OrdersOf(m_folder, kPayersKind), m_bikDirectory);
}

void CMainFrame::OnArchiveRecipients() {
    CRequisitesArchiveDlg::RunArchive(kRecipientsKind, m_folder.Book(kRecipientsKind),
                                      PartyRename::OrdersOf(m_folder, kRecipientsKind),
                                      m_bikDirectory);
}

void CMainFrame::OnArchiveBikDirectory() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Справочник БИК"), QString(),
        QStringLiteral("Справочник БИК Банка России (*.xml *.zip);;Все файлы (*)"));
    if (path.isEmpty()) {
        return;
    }
    const BikImport::Result result = BikImport::ImportFile(path);
    if (result.imported) {
        BikDirectory::LoadKept(&m_bikDirectory);
        MessageBoxes::ShowDone(this, result.message);
    } else {
        MessageBoxes::ShowError(this, result.message);
    }
}

void CMainFrame::PrepareArchive(COrderArchiveDlg& archive) const {
    archive.SetFormEdition(m_pView->Edition());
    archive.SetBikDirectory(m_bikDirectory);
    archive.SetClock(m_clock);
}

void CMainFrame::OnArchiveOrders() {
    COrderArchiveDlg dlg(*m_pDocument, m_folder);
    PrepareArchive(dlg);
    if (dlg.exec() != QDialog::Accepted) {
        return;
    }
    const QStringList notices = dlg.DrawingNotices();
    if (notices.isEmpty()) {
        return;
    }
    // Told over the form as now drawn, so that the user sees what the message is about.
    m_pView->repaint();
    MessageBoxes::ShowError(this, notices.join(QStringLiteral("\n\n")));
}

void CMainFrame::OfferDuePayments() {
    // The orders are read only when a template repeats, or one could not be read and is named.
    const TemplateList templates = TemplateStore(m_folder.Dir()).ReadAll();
    if (templates.damaged.isEmpty() &&
        std::none_of(templates.templates.begin(), templates.templates.end(),
                     [](const OrderTemplate& each) { return each.recurrence.Repeats(); })) {
        return;
    }
    // The archive, never shown, makes and stores the orders as it does when it is open.
    COrderArchiveDlg archive(*m_pDocument, m_folder, this);
    PrepareArchive(archive);
    archive.OfferDuePayments(this);
}

void CMainFrame::AddBackupItems(QMenu* file) {
    file->addAction(QStringLiteral("Сохранить &копию данных…"), this,
                    &CMainFrame::OnFileSaveBackup);
    file->addAction(QStringLiteral("Восст&ановить из копии…"), this,
                    &CMainFrame::OnFileRestoreBackup);
}

void CMainFrame::OnFileSaveBackup() {
    QSettings settings;
    const QString into = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Сохранить копию данных в папку"),
        settings.value(kBackupFolderKey, QDir::homePath()).toString());
    if (into.isEmpty()) {
        return;
    }
    settings.setValue(kBackupFolderKey, into);
    const QString path = Backup::NewCopyPath(QDir(into), m_clock.Today());
    BackupSummary summary;
    QString error;
    if (!Backup::Save(m_folder.Dir(), path, m_clock.Now(), &summary, &error)) {
        MessageBoxes::ShowError(this, error);
        return;
    }
    MessageBoxes::ShowDone(this, QStringLiteral("Копия данных сохранена в файл %1\n\n%2")
                                     .arg(QDir::toNativeSeparators(path), summary.Text()));
}

void CMainFrame::OnFileRestoreBackup() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Восстановить данные из копии"),
        QSettings().value(kBackupFolderKey, QDir::homePath()).toString(),
        QStringLiteral("Копии данных (*.zip);;Все файлы (*)"));
    if (path.isEmpty()) {
        return;
    }
    BackupSummary summary;
    QString error;
    if (!Backup::Inspect(path, &summary, &error)) {
        MessageBoxes::ShowError(this, error);
        return;
    }
    // Enter must not replace the data.
    if (!MessageBoxes::AskYesNo(
            this,
            QStringLiteral("%1\n\nЗаменить этой копией все данные рабочей папки %2? Нынешние "
                           "данные сначала будут сохранены копией в папке %3.")
                .arg(summary.Text(), QDir::toNativeSeparators(m_folder.Dir().absolutePath()),
                     Backup::KeptCopiesFolder()),
            MessageBoxes::Answer::No)) {
        return;
    }
    QString kept;
    if (!Backup::Restore(m_folder.Dir(), path, m_clock.Now(), &kept, &summary, &error)) {
        MessageBoxes::ShowError(this, error);
        return;
    }
    // The archives read the folder each time they open; the main window holds nothing of it
    // but the form, which stays as it was drawn.
    MessageBoxes::ShowDone(this, QStringLiteral("Данные восстановлены из копии от %1. Прежние "
                                                "данные сохранены в файл %2")
                                     .arg(summary.made.toString(QStringLiteral("dd.MM.yyyy HH:mm")),
                                          QDir::toNativeSeparators(kept)));
}

void CMainFrame::OnHelpGuide() {
    if (!m_pGuide) {
        m_pGuide = new CGuideWindow(this);
        m_pGuide->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_pGuide->show();
    m_pGuide->raise();
    m_pGuide->activateWindow();
}
