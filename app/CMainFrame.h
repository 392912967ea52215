#pragma once

#include <QMainWindow>

#include "form/FormEdition.h"

class CVemoDoc;
class CVemoView;
class QMenuBar;

// The main window: the menu and, as its only content, the view of the form.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CVemoDoc* doc, QWidget* parent = nullptr);

    CVemoView* View() const { return m_pView; }

signals:
    void AppAboutRequested();

public slots:
    void OnArchivePayers();
    void OnArchiveRecipients();
    void OnArchiveOrders();
    // Бланк → an edition: drawn at once, then printed and remembered.
    void OnFormEdition(FormEdition edition);

private:
    void CreateMenu();
    void CreateEditionMenu(QMenuBar* bar);

    CVemoDoc* m_pDocument;
    CVemoView* m_pView;
};
