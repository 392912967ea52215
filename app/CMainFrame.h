#pragma once

#include <QMainWindow>
#include <QPointer>

#include "common/Clock.h"
#include "form/FormEdition.h"
#include "orders/WorkingFolder.h"
#include "requisites/BikDirectory.h"
#include "requisites/OrdersOfParty.h"

class CGuideWindow;
class COrderArchiveDlg;
class CVemoDoc;
class CVemoView;
class QAction;
class QMenu;
class QMenuBar;

// The main window: the menu and, as its only content, the view of the form. The archives it opens
// work on the working folder it was given.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CVemoDoc* doc, const WorkingFolder& folder, QWidget* parent = nullptr);

    CVemoView* View() const { return m_pView; }
    // The program's today, which the archives and the payments due go by; the system's by
    // default.
    void SetClock(const Clock& clock) { m_clock = clock; }

signals:
    void AppAboutRequested();

public slots:
    void OnArchivePayers();
    void OnArchiveRecipients();
    // Takes a downloaded directory of BIKs, the XML file or its zip, and says what it took.
    void OnArchiveBikDirectory();
    void OnArchiveOrders();
    // Архив → "Загрузить выписку…": reads the bank's statement, keeps it, and shows it against the
    // archive.
    void OnArchiveStatement();
    // Бланк → an edition: drawn at once, then printed and remembered.
    void OnFormEdition(FormEdition edition);
    // Бланк → "Два экземпляра на листе": the current edition two copies a sheet, or one.
    void OnTwoOnASheet(bool two);
    // Файл → "Печать" and "Предварительный просмотр": the form as drawn, when it may go on
    // paper.
    void OnFilePrint();
    void OnFilePrintPreview();
    // Файл → "Печать пустого бланка…": the form with every field empty, to fill in by hand.
    void OnFilePrintBlank();
    // At start: the repeated payments that have fallen due, offered as the orders archive offers
    // them when it opens. The orders are not read for it in a folder without repeated templates.
    void OfferDuePayments();
    // Файл → "Сохранить копию данных…": a zip of the working folder's data, named with the date,
    // into the folder the user chooses.
    void OnFileSaveBackup();
    // Файл → "Восстановить из копии…": tells what the copy holds, asks, and restores it whole or
    // not at all, the data it replaces kept as a copy first.
    void OnFileRestoreBackup();
    // Помощь → "Руководство" (F1): the guide, in a window beside this one.
    void OnHelpGuide();

private:
    // The orders' side of the book of the kind: the orders that name a party, the sent ones
    // marked, and its rename in them.
    OrdersOfParty OrdersOfBook(int nKind) const;
    void CreateMenu();
    // Reads the kept directory of BIKs; a damaged one is told over the window, once for each
    // reading, since without it no BIK is checked.
    void LoadBikDirectory();
    // Finishes a party's rename in its orders that was cut short (the program killed, a full
    // disk), or says what is left of it: at start and as either archive opens.
    void FinishCutRename();
    void CreateEditionMenu(QMenuBar* bar);
    // The view draws and prints on the paper from now on, and the settings keep it.
    void ChoosePaper(FormPaper paper);
    // The Бланк menu as the view's paper is.
    void ShowPaperInMenu();
    // Whether the form as drawn may go on paper, after telling the user why not: what it lacks,
    // or, on the edition of 2001, the fields that edition has no room for, with the current
    // edition offered.
    bool ReadyForPaper();
    void AddBackupItems(QMenu* file);
    // Hands the archive what it works with besides the folder.
    void PrepareArchive(COrderArchiveDlg& archive) const;

    CVemoDoc* m_pDocument;
    const WorkingFolder m_folder;
    // The directory of BIKs the windows check and fill records from: read at start and after
    // each import, and handed down as the address books are.
    BikDirectory m_bikDirectory;
    CVemoView* m_pView;
    QAction* m_editionActions[2] = {};  // 2001, current
    QAction* m_twoOnASheetAction = nullptr;
    Clock m_clock;
    QPointer<CGuideWindow> m_pGuide;
};
