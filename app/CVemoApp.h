#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

#include "common/Clock.h"
#include "orders/WorkingFolder.h"

class CMainFrame;
class CVemoDoc;
class QuitOnSignals;

// The program: settings, translations, the document and the main window, made at start-up.
// The QApplication itself is made by main() before this.
class CVemoApp : public QObject {
    Q_OBJECT
public:
    CVemoApp();
    ~CVemoApp() override;

    // Start-up: settings, Russian translations, the document, the maximised main window on the
    // working folder and its order directory, the end of the session turned into a clean quit,
    // then the payments due by the clock's today. False ends the program.
    bool InitInstance(const WorkingFolder& folder = WorkingFolder(), const Clock& clock = Clock());

    CVemoDoc* Document() const { return m_pDocument.get(); }
    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }

    // Settings live under this organisation and application name.
    static const char* const kRegistryKey;
    static const char* const kAppName;
    static constexpr int kRecentFileCount = 4;

public slots:
    void OnAppAbout();

private:
    void LoadStdProfileSettings(int recentFileCount);
    void SaveStdProfileSettings() const;
    static void LoadTranslations();

    std::unique_ptr<CVemoDoc> m_pDocument;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    std::unique_ptr<QuitOnSignals> m_pQuitOnSignals;
    QStringList m_recentFiles;  // kept as the settings hold it; the menu never shows it
};
