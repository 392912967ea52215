#pragma once

#include <QMainWindow>

class CVemoDoc;
class CVemoView;

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
    // Takes a downloaded directory of BIKs, the XML file or its zip, and says what it took.
    void OnArchiveBikDirectory();
    void OnArchiveOrders();

private:
    void CreateMenu();

    CVemoDoc* m_pDocument;
    CVemoView* m_pView;
};
