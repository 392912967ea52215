#pragma once

#include <QMainWindow>

#include "form/FormEdition.h"
#include "orders/WorkingFolder.h"
#include "requisites/BikDirectory.h"

class CVemoDoc;
class CVemoView;
class QMenuBar;

// The main window: the menu and, as its only content, the view of the form. The archives it opens
// work on the working folder it was given.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CVemoDoc* doc, const WorkingFolder& folder, QWidget* parent = nullptr);

    CVemoView* View() const { return m_pView; }

signals:
    void AppAboutRequested();

public slots:
    void OnArchivePayers();
    void OnArchiveRecipients();
    // Takes a downloaded directory of BIKs, the XML file or its zip, and says what it took.
    void OnArchiveBikDirectory();
    void OnArchiveOrders();
    // Бланк → an edition: drawn at once, then printed and remembered.
    void OnFormEdition(FormEdition edition);

private:
    void CreateMenu();
    // Reads the kept directory of BIKs; a damaged one is told over the window, once for each
    // reading, since without it no BIK is checked.
    void LoadBikDirectory();
    // Finishes a party's rename in its orders that was cut short (the program killed, a full
    // disk), or says what is left of it: at start and as either archive opens.
    void FinishCutRename();
    void CreateEditionMenu(QMenuBar* bar);

    CVemoDoc* m_pDocument;
    const WorkingFolder m_folder;
    // The directory of BIKs the windows check and fill records from: read at start and after
    // each import, and handed down as the address books are.
    BikDirectory m_bikDirectory;
    CVemoView* m_pView;
};
