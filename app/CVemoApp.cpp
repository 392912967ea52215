#include "app/CVemoApp.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QTranslator>

#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/QuitOnSignals.h"
#include "form/CVemoDoc.h"

const char* const CVemoApp::kRegistryKey = "Local AppWizard-Generated Applications";
const char* const CVemoApp::kAppName = "Vemo";

namespace {
const QString kRecentFileSection = QStringLiteral("Recent File List");
}

CVemoApp::CVemoApp() = default;

CVemoApp::~CVemoApp() {
    SaveStdProfileSettings();
}

bool CVemoApp::InitInstance(const WorkingFolder& folder, const Clock& clock) {
    QCoreApplication::setOrganizationName(QString::fromLatin1(kRegistryKey));
    QCoreApplication::setApplicationName(QString::fromLatin1(kAppName));
    LoadStdProfileSettings(kRecentFileCount);
    LoadTranslations();

    m_pDocument = std::make_unique<CVemoDoc>();
    m_pMainFrame = std::make_unique<CMainFrame>(m_pDocument.get(), folder);
    m_pMainFrame->SetClock(clock);
    connect(m_pMainFrame.get(), &CMainFrame::AppAboutRequested, this, &CVemoApp::OnAppAbout);
    m_pMainFrame->setWindowTitle(QStringLiteral("Редактор платежных поручений"));
    // Without a window manager a maximised window keeps its first size: make that the screen's.
    m_pMainFrame->setGeometry(m_pMainFrame->screen()->availableGeometry());
    m_pMainFrame->showMaximized();

    folder.MakeOrdersFolder();
    // Over the window once it is up.
    QTimer::singleShot(0, m_pMainFrame.get(), &CMainFrame::OfferDuePayments);
    // SIGTERM and SIGHUP close the windows as the user would, saving what they hold.
    m_pQuitOnSignals = std::make_unique<QuitOnSignals>();
    return true;
}

void CVemoApp::OnAppAbout() {
    // A new box for every showing, so each one opens collapsed.
    CAboutDlg dlg;
    dlg.exec();
}

void CVemoApp::LoadStdProfileSettings(int recentFileCount) {
    QSettings settings;
    settings.beginGroup(kRecentFileSection);
    m_recentFiles.clear();
    for (int i = 1; i <= recentFileCount; ++i) {
        const QString file = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!file.isEmpty()) {
            m_recentFiles.append(file);
        }
    }
}

void CVemoApp::SaveStdProfileSettings() const {
    if (!m_pDocument) {
        return;  // never started
    }
    QSettings settings;
    settings.beginGroup(kRecentFileSection);
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= m_recentFiles.size()) {
            settings.setValue(key, m_recentFiles.at(i - 1));
        } else {
            settings.remove(key);
        }
    }
}

void CVemoApp::LoadTranslations() {
    // The whole interface speaks Russian, the toolkit's own dialogs and buttons included.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    }
}
