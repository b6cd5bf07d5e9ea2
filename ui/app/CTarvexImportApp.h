#pragma once
// The application object: owns what the windows share (the profile, the registry manager, the
// field definitions, the current form variant, the help context, the printer) and ties together
// its parts: the documents (CDocumentManager), the desktop integration (CDesktopIntegration),
// the start-up sequence (CStartupSequence) and the questions to the clerk (IUserDialogs). Its
// own commands are help, homepage, the settings dialogs and the reset commands.

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>

#include "core/app/RegeditManagment.h"
#include "core/common/HelpContexts.h"
#include "core/sad/FieldDefinitions.h"
#include "ui/app/DesktopIntegration.h"
#include "ui/app/DocumentManager.h"
#include "ui/app/StartupSequence.h"
#include "ui/app/UserDialogs.h"
#include "ui/sad/SadViewEnvironment.h"

class QPrinter;

namespace tarvex {

class CHelpWnd;
class CSplashWnd;
class CMainFrame;
class CQtRegeditHost;
class QSettingsProfile;

class CTarvexImportApp : public QObject {
    Q_OBJECT
public:
    // The program asks with message boxes and dialogs; tests hand in their own dialogs.
    explicit CTarvexImportApp(std::unique_ptr<IUserDialogs> dialogs = std::make_unique<CUserDialogs>());
    ~CTarvexImportApp() override;

    // Start-up with the program's arguments (argument 0 the program). False: the program ends
    // now (post-installation mode or a failed step); ExitInstance still runs.
    bool InitInstance(const QStringList& arguments);
    int ExitInstance();

    // --- the parts
    CDocumentManager& Documents() { return m_documents; }
    CDesktopIntegration& Desktop() { return m_desktop; }
    const CStartupSequence& Startup() const { return m_startup; }
    IUserDialogs& Dialogs() { return *m_dialogs; }

    // --- what the windows share
    Profile& GetProfile();
    CRegeditManagment& RegManager() { return *m_regManager; }
    // The field definitions loaded at start-up and after their dialog; a change of them restarts
    // the program, so windows copy them when they open and nobody needs to be told of a change.
    CFieldDefinitions& FieldDefinitions() { return m_fieldDefinitions; }
    // What an SAD view gets from the application: the current variant, help, messages.
    SadViewEnvironment SadEnvironment();
    CMainFrame* MainFrame() const;
    // Made when first needed: a printer loads the print system (CUPS), which a start need not wait for.
    QPrinter& Printer();
    bool SelectPrinter(const QString& printerName);
    // Index of the fixed two-language texts ("Settings"/"Language").
    int Language() const { return m_nLanguage; }
    // The help context F1 opens; dialogs set theirs while they are open (HelpContextScope).
    int& HelpContext() { return m_nHelpContext; }
    // The current form variant: the New dialog's last choice or the SAD window in front.
    int FormVariant() const { return m_nFormVariant; }
    void SetFormVariant(int variant) { m_nFormVariant = variant; }
    // Where the last PDF file of a print job went; the next job proposes that folder.
    const QString& LastPdfFolder() const { return m_strLastPdfFolder; }
    void SetLastPdfFolder(const QString& folder) { m_strLastPdfFolder = folder; }
    // After a reset the deleted keys stay deleted: the exit writes nothing back.
    bool SkipsExitSave() const { return m_bSkipExitSave; }
    // The data folder (documents folder + "/Tarvex-Import").
    QString DataFolder() const;
    // The version as the windows show it ("3.11.07").
    QString VersionString() const;
    // Messages of the application; errors carry the warning icon.
    void Message(const QString& text, QMessageBox::Icon icon = QMessageBox::Warning);

    // --- commands
    void ShowHelpContext(int context);
    void OnHelp();
    void OnHelpContents();
    void OnHomepage();
    void OnFilePrintSetup();
    void OnFieldDefinitions();
    // "Sta&mmdaten..." (entry mode of the article dialog) and the data-file options.
    void OnMasterData();
    void OnProgramOptions();
    // Form defaults (F8), support information (Ctrl+Shift+Alt+I), about; ShellInfoCommands.cpp.
    void OnFormDefaults();
    void OnSupportInfo();
    void OnAbout();
    void ResetAllSettings();
    void ResetWorkspace(bool withoutAsking);
    void ResetFontSettings();
    // Start-up step 15: the splash window, unless "Settings"/"SplashScreen" is 0; it appears
    // once the event loop runs.
    void ShowSplash();
    CSplashWnd* Splash() const;
    // The help window, once F1 or a "Hilfe" button has opened it.
    CHelpWnd* HelpWindow() const;
    // Enables and checks the commands for the active window (menus and toolbar).
    void UpdateCommandStates();

private:
    friend class CStartupSequence;

    void ConnectCommands();
    void ConnectViewCommands();
    void ResetKey(const char* section, const char16_t* title, const char16_t* question);
    void GrantDataFileAccess(const QString& fileName);
    void LoadFieldDefinitions();

    std::unique_ptr<IUserDialogs> m_dialogs;
    std::unique_ptr<QSettingsProfile> m_profile;
    std::unique_ptr<QSettingsProfile> m_programArea;
    std::unique_ptr<QSettingsProfile> m_machineArea;
    std::unique_ptr<CQtRegeditHost> m_regHost;
    std::unique_ptr<CRegeditManagment> m_regManager;
    QPointer<CMainFrame> m_pMainFrame;
    QPointer<CSplashWnd> m_pSplash;
    QPointer<CHelpWnd> m_pHelpWnd;
    std::unique_ptr<QObject> m_helpKey;  // F1 everywhere, for as long as the application lives
    std::unique_ptr<QPrinter> m_printer;
    CFieldDefinitions m_fieldDefinitions;
    int m_nLanguage = 0;
    int m_nHelpContext = help::kOverview;
    bool m_bSkipExitSave = false;
    int m_nFormVariant = 0;
    QString m_strLastPdfFolder;
    CDocumentManager m_documents{*this};
    CDesktopIntegration m_desktop{*this};
    CStartupSequence m_startup{*this};
};

// Qt's own dialogs and buttons (Ja/Nein/Abbrechen, file and printer dialogs) speak German:
// qtbase_de from Qt's translations folder. False when that file is missing.
bool InstallQtTranslations();

}  // namespace tarvex
