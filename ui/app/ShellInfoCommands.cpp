// The application's commands for the SAD form defaults, the support information and the about
// and splash windows.

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "core/app/Version.h"
#include "core/common/ShellStrings.h"
#include "core/sad/SadDefaultsStrings.h"
#include "core/settings/SettingsKeys.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/DocumentWindows.h"
#include "ui/common/HelpContextScope.h"
#include "ui/common/QtText.h"
#include "ui/sad/dialogs/CDlgDefaultTexte_EH.h"
#include "ui/shell/CAboutDlg.h"
#include "ui/shell/CSplashWnd.h"
#include "ui/shell/Common_DlgInternalInfo.h"

namespace tarvex {

QString CTarvexImportApp::VersionString() const {
    return QString::fromStdString(m_regManager
                                      ? m_regManager->GetVersionString()
                                      : FormatVersionString(PackProductVersion(BuildProductVersion())));
}

CSplashWnd* CTarvexImportApp::Splash() const {
    return m_pSplash.data();
}

void CTarvexImportApp::OnFormDefaults() {
    int result = QDialog::Rejected;
    SadFormDefaults stored;
    {
        HelpContextScope help(m_nHelpContext, CDlgDefaultTexte_EH::kHelpContext);
        CDlgDefaultTexte_EH dlg(GetProfile(), m_fieldDefinitions, m_regManager->SectionArea(), m_pMainFrame);
        QObject::connect(&dlg, &CDlgDefaultTexte_EH::helpRequested, &dlg, [this] { OnHelp(); });
        result = m_dialogs->ExecDialog(dlg);
        stored = dlg.Record();
    }
    if (result != QDialog::Accepted) return;
    // The stamps act at once, in the windows that are open as well; the rest waits for the next
    // new document.
    if (m_pMainFrame)
        for (CChildFrame* child : m_pMainFrame->Children())
            child->Document().ApplyFormDefaults(stored.stampA, stored.stampC);
    Message(Str(saddefstr::kSaved), QMessageBox::Information);
}

void CTarvexImportApp::OnSupportInfo() {
    Common_DlgInternalInfo dlg(GetProfile(), m_nLanguage, VersionString(),
                               QString::fromStdString(m_regManager->BuildDate()), m_pMainFrame);
    dlg.m_showMessage = [this, &dlg](const QString& text, bool ok) {
        m_dialogs->ShowMessage(&dlg, Str(shellstr::kAppTitle), text,
                               ok ? QMessageBox::NoIcon : QMessageBox::Critical);
    };
    m_dialogs->ExecDialog(dlg);
}

void CTarvexImportApp::OnAbout() {
    HelpContextScope help(m_nHelpContext, CAboutDlg::kHelpContext);
    CAboutDlg dlg(VersionString(), m_pMainFrame);
    dlg.m_openHomepage = [this] { OnHomepage(); };
    dlg.m_showSupportInfo = [this] { OnSupportInfo(); };
    m_dialogs->ExecDialog(dlg);
}

void CTarvexImportApp::ShowSplash() {
    if (!m_dialogs->ShowsSplash() || !m_pMainFrame || m_pSplash) return;
    if (settings::Get(GetProfile(), settings::kSettings, settings::kSplashScreenAtStart) == 0) return;
    int seconds = settings::Get(GetProfile(), settings::kSettings, settings::kSplashScreen);
    // A negative time would never end; the window then keeps its usual time.
    if (seconds < 0) seconds = settings::kSplashScreen.fallback;
    // Shown from the event loop, after the steps queued at start-up: showing a window may run
    // the loop, and the New dialog must not start inside this call.
    QTimer::singleShot(0, m_pMainFrame, [this, seconds] {
        if (!m_pSplash) m_pSplash = new CSplashWnd(m_pMainFrame, VersionString(), seconds);
    });
}

}  // namespace tarvex
