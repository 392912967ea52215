#include "app/CMainFrame.h"

#include <QActionGroup>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <algorithm>

#include "app/CGuideWindow.h"
#include "app/MenuBarStyle.h"
#include "bank/OrderUseCases.h"
#include "form/CVemoDoc.h"
#include "form/CVemoView.h"
#include "orders/PartyRename.h"
#include "orderwindows/COrderArchiveDlg.h"
#include "orderwindows/CStatementDlg.h"
#include "requisites/BikImport.h"
#include "requisites/CRequisitesArchiveDlg.h"
#include "requisites/RenameInOrdersWindow.h"
#include "routine/Backup.h"
#include "routine/TemplateStore.h"
#include "widgets/MessageBoxes.h"

namespace {

// A reason as a sentence of its own: from a capital letter, to a full stop.
QString SentenceOf(QString reason) {
    reason[0] = reason[0].toUpper();
    return reason + QLatin1Char('.');
}
// The folder the last copy of the data went to, offered for the next.
const QString kBackupFolderKey = QStringLiteral("Backup/Folder");

}  // namespace

CMainFrame::CMainFrame(CVemoDoc* doc, const WorkingFolder& folder, QWidget* parent)
    : QMainWindow(parent), m_pDocument(doc), m_folder(folder), m_pView(new CVemoView(doc, this)) {
    setCentralWidget(m_pView);
    m_pView->SetPaper(FormEditions::RememberedPaper(QSettings()));
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

    // Menu commands have mnemonics only: no key combination runs a command but F1, the guide.
    QMenu* file = bar->addMenu(QStringLiteral("&Файл"));
    file->addAction(QStringLiteral("&Печать"), this, &CMainFrame::OnFilePrint);
    file->addAction(QStringLiteral("Печать пустого &бланка…"), this, &CMainFrame::OnFilePrintBlank);
    file->addAction(QStringLiteral("Предварительный про&смотр"), this,
                    &CMainFrame::OnFilePrintPreview);
    AddBackupItems(file);
    file->addAction(QStringLiteral("&Выход"), this, &QWidget::close);

    QMenu* archive = bar->addMenu(QStringLiteral("&Архив"));
    archive->addAction(QStringLiteral("&Реквизиты получателя"), this,
                       &CMainFrame::OnArchiveRecipients);
    archive->addAction(QStringLiteral("Р&еквизиты плательщика"), this,
                       &CMainFrame::OnArchivePayers);
    archive->addAction(QStringLiteral("&Платежные поручения"), this, &CMainFrame::OnArchiveOrders);
    archive->addAction(QStringLiteral("&Загрузить выписку…"), this,
                       &CMainFrame::OnArchiveStatement);
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
        group->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, edition = edition] { OnFormEdition(edition); });
        m_editionActions[edition == FormEdition::Current] = action;
    }
    form->addSeparator();
    m_twoOnASheetAction = form->addAction(QStringLiteral("Два &экземпляра на листе"));
    m_twoOnASheetAction->setCheckable(true);
    connect(m_twoOnASheetAction, &QAction::triggered, this, &CMainFrame::OnTwoOnASheet);
    ShowPaperInMenu();
}

void CMainFrame::ShowPaperInMenu() {
    const FormPaper paper = m_pView->Paper();
    m_editionActions[paper.edition == FormEdition::Current]->setChecked(true);
    // The edition of 2001 always carries two copies a sheet.
    m_twoOnASheetAction->setEnabled(paper.edition == FormEdition::Current);
    m_twoOnASheetAction->setChecked(paper.TwoCopies());
}

void CMainFrame::OnFormEdition(FormEdition edition) {
    FormPaper paper = m_pView->Paper();
    paper.edition = edition;
    ChoosePaper(paper);
}

void CMainFrame::OnTwoOnASheet(bool two) {
    FormPaper paper = m_pView->Paper();
    paper.twoOnASheet = two;
    ChoosePaper(paper);
}

void CMainFrame::ChoosePaper(FormPaper paper) {
    m_pView->SetPaper(paper);
    QSettings settings;
    FormEditions::Remember(settings, paper);
    ShowPaperInMenu();
}

bool CMainFrame::ReadyForPaper() {
    using namespace OrderUseCases;
    const PaperCheck check =
        CheckPaper(*m_pDocument, m_pView->Edition(), EditionChoice::Remembered);
    if (!check.lacks.isEmpty()) {
        QString text = QStringLiteral("Бланк нельзя напечатать: ") +
                       check.lacks.join(QStringLiteral("; ")) + QLatin1Char('.');
        if (check.lacks.contains(CVemoDoc::NoOrderMessage())) {
            text += QStringLiteral(
                "\n\nНарисуйте платежное поручение (Архив → Платежные поручения) или напечатайте "
                "пустой бланк: Файл → «Печать пустого бланка…».");
        }
        MessageBoxes::ShowError(this, text);
        return false;
    }
    if (check.noRoom.isEmpty()) {
        return true;
    }
    const QString text =
        SentenceOf(check.noRoom) + QStringLiteral(
                                       "\n\nНапечатать его на бланке действующей редакции или на "
                                       "бланке 2001 года без этих полей?");
    if (MessageBoxes::AskChoice(this, QStringLiteral("Редакция бланка"), text,
                                QStringLiteral("Действующая редакция"),
                                QStringLiteral("Бланк 2001 года"),
                                MessageBoxes::Choice::First) == MessageBoxes::Choice::First) {
        OnFormEdition(FormEdition::Current);
    }
    return true;
}

void CMainFrame::OnFilePrint() {
    if (ReadyForPaper()) {
        m_pView->Print(*m_pDocument);
    }
}

void CMainFrame::OnFilePrintPreview() {
    if (ReadyForPaper()) {
        m_pView->Preview(*m_pDocument);
    }
}

void CMainFrame::OnFilePrintBlank() {
    CVemoDoc blank;
    blank.MakeBlank();
    m_pView->Print(blank);
}

// Each address book is written back, if it changed, as its archive closes; a record renamed
// there may be renamed in the orders of the working folder.
void CMainFrame::OnArchivePayers() {
    FinishCutRename();
    CRequisitesArchiveDlg::RunArchive(kPayersKind, m_folder.Book(kPayersKind),
                                      OrdersOfBook(kPayersKind), m_bikDirectory);
}

void CMainFrame::OnArchiveRecipients() {
    FinishCutRename();
    CRequisitesArchiveDlg::RunArchive(kRecipientsKind, m_folder.Book(kRecipientsKind),
                                      OrdersOfBook(kRecipientsKind), m_bikDirectory);
}

OrdersOfParty CMainFrame::OrdersOfBook(int nKind) const {
    return PartyRename::OrdersOf(m_folder, nKind,
                                 [folder = m_folder, clock = m_clock](const StoredOrders& orders) {
                                     return OrderUseCases::SentFiles(folder, orders, clock.Today());
                                 });
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

void CMainFrame::PrepareArchive(COrderArchiveDlg& archive) const {
    archive.SetFormPaper(m_pView->Paper());
    archive.SetBikDirectory(m_bikDirectory);
    archive.SetClock(m_clock);
}

void CMainFrame::OnArchiveOrders() {
    FinishCutRename();
    COrderArchiveDlg dlg(*m_pDocument, m_folder);
    PrepareArchive(dlg);
    if (dlg.exec() != QDialog::Accepted) {
        return;
    }
    const QStringList notices = dlg.DrawingNotices();
    const QString noRoom = dlg.DrawingNoRoom();
    if (notices.isEmpty() && noRoom.isEmpty()) {
        return;
    }
    // Told over the form as now drawn, so that the user sees what the message is about.
    m_pView->repaint();
    if (!notices.isEmpty()) {
        MessageBoxes::ShowError(this, notices.join(QStringLiteral("\n\n")));
    }
    if (!noRoom.isEmpty() &&
        MessageBoxes::AskYesNo(this,
                               SentenceOf(noRoom) + QStringLiteral("\n\nПерейти на действующую "
                                                                   "редакцию бланка?"))) {
        OnFormEdition(FormEdition::Current);
    }
}

void CMainFrame::OnArchiveStatement() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Загрузить выписку"), m_folder.Dir().absolutePath(),
        QStringLiteral("Выписки из банка (*.txt);;Все файлы (*)"));
    if (path.isEmpty()) {
        return;
    }
    const StatementImport import =
        StatementImport::Run(m_folder, path, m_bikDirectory, QDateTime::currentDateTime());
    if (!import.refusal.isEmpty()) {
        MessageBoxes::ShowError(this, QStringLiteral("Выписка %1 не загружена: %2")
                                          .arg(QDir::toNativeSeparators(path), import.refusal));
        return;
    }
    CStatementDlg dialog(import, m_folder, this);
    dialog.exec();
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
