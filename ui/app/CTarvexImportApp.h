#pragma once
// The application object: start-up, the document templates' New and Open, the file dialog,
// help, homepage, the reset commands and the exit. Holds the members other parts read: language
// index, help context, current form variant, the registry manager and the field definitions.

#include <QFileDialog>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/app/RegeditManagment.h"
#include "core/app/StartupRules.h"
#include "core/common/HelpContexts.h"
#include "core/formview/FieldDefinitions.h"
#include "ui/sad/SadViewEnvironment.h"

class QPrinter;

namespace tarvex {

class CChildFrame;
class CDV1_View;
class CDocumentRecovery;
class CEinheitspapierView;
class CHelpWnd;
struct RecoveryEntry;
class CSplashWnd;
class CMainFrame;
class CQtRegeditHost;
class QSettingsProfile;

class CTarvexImportApp : public QObject {
    Q_OBJECT
public:
    CTarvexImportApp();
    ~CTarvexImportApp() override;

    // Start-up with the program's arguments (argument 0 the program). False: the program ends
    // now (post-installation mode or a failed step); ExitInstance still runs.
    bool InitInstance(const QStringList& arguments);
    int ExitInstance();

    // --- members read by other parts
    int m_nLanguage = 0;
    int m_nHelpContext = help::kOverview;
    bool m_bSkipExitSave = false;
    int m_nFormVariant = 0;
    // Where the last PDF file of a print job went; the next job proposes that folder.
    QString m_strLastPdfFolder;

    Profile& GetProfile();
    CRegeditManagment& RegManager() { return *m_regManager; }
    // The field definitions loaded at start-up and after their dialog; a change of them restarts
    // the program, so windows copy them when they open and nobody needs to be told of a change.
    CFieldDefinitions& FieldDefinitions();
    // What an SAD view gets from the application: the current variant, help, messages.
    SadViewEnvironment SadEnvironment();
    CMainFrame* MainFrame() const;
    // Made when first needed: a printer loads the print system (CUPS), which a start need not wait for.
    QPrinter& Printer();
    bool SelectPrinter(const QString& printerName);

    // --- operations of the application base
    virtual void ShowHelpContext(int context);
    virtual void ResetAllSettings();
    virtual void ResetWorkspace(bool withoutAsking);
    virtual void ResetFontSettings();
    virtual void GrantDataFileAccess(const QString& fileName);
    virtual void LoadFieldDefinitions();
    virtual void SaveFieldDefinitions();
    virtual bool PromptFileName(QString& fileName, const QString& title, QFileDialog::Options extraFlags,
                                bool open);
    // Runs a file dialog (or the tests' stand-in for the user).
    bool ExecFileDialog(QFileDialog& dialog);

    // --- commands
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnHelp();
    void OnHelpContents();
    void OnHomepage();
    void OnFieldDefinitions();
    // "Sta&mmdaten..." (entry mode of the article dialog) and the data-file options.
    void OnMasterData();
    void OnProgramOptions();
    // Form defaults (F8), support information (Ctrl+Shift+Alt+I), about; ShellInfoCommands.cpp.
    void OnFormDefaults();
    void OnSupportInfo();
    void OnAbout();
    // Start-up step 15: the splash window, unless "Settings"/"SplashScreen" is 0; it appears
    // once the event loop runs.
    void ShowSplash();
    CSplashWnd* Splash() const;
    // The help window, once F1 or a "Hilfe" button has opened it.
    CHelpWnd* HelpWindow() const;
    // The version as the windows show it ("3.11.07").
    QString VersionString() const;
    // Enables and checks the commands for the active window (menus and toolbar).
    void UpdateCommandStates();
    CEinheitspapierView* ActiveSadView() const;
    CDV1_View* ActiveDv1View() const;
    // Opens a file through the matching template and adds it to the recent-file list.
    CChildFrame* OpenDocumentFile(const QString& path);
    // Creates a new document of the template of a New-dialog result.
    CChildFrame* CreateNewDocument(int formVariant);
    bool SaveDocument(CChildFrame* child, bool saveAs);
    // The framework's question before a modified document closes; false when cancelled.
    bool SaveModified(CChildFrame* child);
    // The question for every modified document, before any window closes; false as soon as
    // one is cancelled (or its save fails), and then nothing is closed.
    bool SaveAllModified();
    // Closes every document window; the question must have been answered already.
    void CloseAllDocuments();
    // The desktop session ends: with interaction the close question for every modified document
    // (false: the clerk cancelled, the logout must stop); without, every recovery copy is brought
    // up to date and kept for the next start.
    bool CommitSessionData(bool interactionAllowed);
    // Brings the recovery copy of every modified document up to date.
    void FlushRecovery();
    CDocumentRecovery* Recovery() const { return m_recovery.get(); }
    // The recovery copies of programs that ended without saving: asks which to restore and
    // opens them. Returns how many windows were opened.
    int OfferRecovery();
    CChildFrame* RestoreRecovered(const RecoveryEntry& entry);
    // A yes/no question of the application (default No).
    bool AskYesNo(const QString& question);
    // Messages of the application; errors carry the warning icon.
    void Message(const QString& text, QMessageBox::Icon icon = QMessageBox::Warning);
    // The data folder (documents folder + "/Tarvex-Import") and the folder file dialogs start in:
    // the active document's, else the data folder.
    QString DataFolder() const;
    QString DialogFolder() const;

    const QStringList& RecentFiles() const { return m_recentFiles; }
    // The file dialog's filters in the order built ("description (patterns)") and the
    // preselected one, as PromptFileName hands them to the dialog.
    QStringList FileDialogFilters() const;
    int FileDialogPreselection() const;

    // Steps taken at start-up, in order (for diagnosis and tests).
    const QStringList& StartupSteps() const { return m_startupSteps; }
    // How often the desktop's file types were written (not skipped by their stamp).
    int FileTypeRegistrations() const { return m_nFileTypeRegistrations; }
    int TemplatesWritten() const { return m_nTemplatesWritten; }

    // Replaceable interaction, so that tests can answer for the user.
    std::function<int()> m_runNewDialog;  // result or -1
    std::function<bool(const QString& title, const QString& question)> m_confirmReset;
    std::function<bool(QFileDialog&)> m_execFileDialog;
    std::function<void(const QString& title, const QString& text)> m_showMessage;
    std::function<QMessageBox::StandardButton(const QString& question)> m_askSaveChanges;
    // Which recovered documents to restore (one flag per entry); nullopt: decide later.
    std::function<std::optional<QList<bool>>(const QList<RecoveryEntry>&)> m_askRecovery;
    std::function<bool(const QString& question)> m_askYesNo;
    // Runs the form defaults, support and about dialogs (QDialog::exec unless a test answers).
    std::function<int(QDialog&)> m_execDialog;
    // Start-up shows the splash window; the tests' applications do without it.
    bool m_bSplashEnabled = true;

private:
    void ConnectCommands();
    void ConnectViewCommands();
    bool ConfirmReset(const QString& title, const QString& question);
    void ResetKey(const char* section, const char16_t* title, const char16_t* question);
    void AddToRecentFiles(const QString& path);
    void LoadRecentFiles();
    void SaveRecentFiles();
    // The per-user file-type registration; skipped while the stamp of what would be written is
    // unchanged and the entries exist, and the desktop's databases are rebuilt only after a change.
    void RegisterFileTypes();
    void RegisterFileTypesBelow(const QString& dataHome, const QByteArray& stamp);
    // The empty documents of the desktop's "new document" menu, in the user's templates folder.
    void InstallNewFileTemplates(const QByteArray& stamp);
    QByteArray ProgramStamp() const;
    static void WriteStamp(const QString& path, const QByteArray& stamp);
    QString FileTypesDataHome() const;
    CChildFrame* AddChild(CChildFrame* child);
    CChildFrame* OpenDv1File(const QString& fullPath);
    void Step(const QString& name) { m_startupSteps.append(name); }

    std::unique_ptr<QSettingsProfile> m_profile;
    std::unique_ptr<QSettingsProfile> m_programArea;
    std::unique_ptr<QSettingsProfile> m_machineArea;
    std::vector<std::unique_ptr<CProfileBatch>> m_startupWrites;  // open until the window is up
    std::unique_ptr<CQtRegeditHost> m_regHost;
    std::unique_ptr<CRegeditManagment> m_regManager;
    QPointer<CMainFrame> m_pMainFrame;
    QPointer<CSplashWnd> m_pSplash;
    QPointer<CHelpWnd> m_pHelpWnd;
    std::unique_ptr<QPrinter> m_printer;
    CFieldDefinitions m_fieldDefinitions;
    QStringList m_recentFiles;
    QStringList m_startupSteps;
    std::unique_ptr<CDocumentRecovery> m_recovery;
    // Recovery copies outlive an orderly end only when the session ended without asking.
    bool m_bKeepRecovery = false;
    int m_nUntitled = 0;
    int m_nFileTypeRegistrations = 0;
    int m_nTemplatesWritten = 0;
};

// Qt's own dialogs and buttons (Ja/Nein/Abbrechen, file and printer dialogs) speak German:
// qtbase_de from Qt's translations folder. False when that file is missing.
bool InstallQtTranslations();

}  // namespace tarvex
