#include "app/CMainFrame.h"

#include <QActionGroup>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>

#include "app/MenuBarStyle.h"
#include "form/CVemoView.h"
#include "orders/PartyRename.h"
#include "orderwindows/COrderArchiveDlg.h"
#include "requisites/BikImport.h"
#include "requisites/CRequisitesArchiveDlg.h"
#include "requisites/RenameInOrdersWindow.h"
#include "widgets/MessageBoxes.h"

CMainFrame::CMainFrame(CVemoDoc* doc, const WorkingFolder& folder, QWidget* parent)
    : QMainWindow(parent), m_pDocument(doc), m_folder(folder), m_pView(new CVemoView(doc, this)) {
    setCentralWidget(m_pView);
    m_pView->SetEdition(FormEditions::Remembered(QSettings()));
    LoadBikDirectory();
    CreateMenu();
    QMetaObject::invokeMethod(this, &CMainFrame::FinishCutRename, Qt::QueuedConnection);
}

void CMainFrame::FinishCutRename() {
    const auto resume = [this](const RenameProgress& progress) {
        return PartyRename::Resume(m_folder, progress);
    };
    RenameInOrdersWindow::Run(this, resume, resume);
}

void CMainFrame::LoadBikDirectory() {
    QString problem;
    if (BikDirectory::LoadKept(&m_bikDirectory, &problem) != BikDirectory::KeptOutcome::Damaged) {
        return;
    }
    // Over the window once it is up, not before it appears.
    QMetaObject::invokeMethod(
        this,
        [this, problem] {
            MessageBoxes::ShowError(this, BikDirectory::DamagedKeptMessage(problem));
        },
        Qt::QueuedConnection);
}

void CMainFrame::CreateMenu() {
    QMenuBar* bar = menuBar();
    auto* style = new MenuBarStyle();
    style->setParent(bar);
    bar->setStyle(style);

    // Menu commands have mnemonics only: no key combination runs a command.
    QMenu* file = bar->addMenu(QStringLiteral("&Файл"));
    file->addAction(QStringLiteral("&Печать"), m_pView, &CVemoView::OnFilePrint);
    file->addAction(QStringLiteral("Предварительный про&смотр"), m_pView,
                    &CVemoView::OnFilePrintPreview);
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
    FinishCutRename();
    CRequisitesArchiveDlg::RunArchive(kPayersKind, m_folder.Book(kPayersKind),
                                      PartyRename::OrdersOf(m_folder, kPayersKind), m_bikDirectory);
}

void CMainFrame::OnArchiveRecipients() {
    FinishCutRename();
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
        LoadBikDirectory();
        MessageBoxes::ShowDone(this, result.message);
    } else {
        MessageBoxes::ShowError(this, result.message);
    }
}

void CMainFrame::OnArchiveOrders() {
    FinishCutRename();
    COrderArchiveDlg dlg(*m_pDocument, m_folder);
    dlg.SetFormEdition(m_pView->Edition());
    dlg.SetBikDirectory(m_bikDirectory);
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
