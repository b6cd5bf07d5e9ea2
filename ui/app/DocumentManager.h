#pragma once
// The documents of the program: New and Open through the registered forms, save and save as
// with the document lock and the check for changes on disk, the recent-file list, the recovery
// copies and their offer at the next start, and the end of a desktop session. It speaks to the
// documents through IFormDocument only.

#include <QFileDialog>
#include <QObject>
#include <QStringList>
#include <memory>

namespace tarvex {

class CChildFrame;
class CDocumentRecovery;
class CTarvexImportApp;
class IFormDocument;
struct RecoveryEntry;

class CDocumentManager : public QObject {
    Q_OBJECT
public:
    explicit CDocumentManager(CTarvexImportApp& app);
    ~CDocumentManager() override;

    // The New dialog, then a new document of the form chosen.
    void OnFileNew();
    // The file dialog, then the file chosen.
    void OnFileOpen();
    // Creates a new document of the form of a New-dialog result.
    CChildFrame* CreateNewDocument(int formVariant);
    // Opens a file through the form of its extension and adds it to the recent-file list; a
    // document open already is brought to the front.
    CChildFrame* OpenDocumentFile(const QString& path);
    bool SaveDocument(CChildFrame* child, bool saveAs);
    // The framework's question before a modified document closes; false when cancelled.
    bool SaveModified(CChildFrame* child);
    // The question for every modified document, before any window closes; false as soon as
    // one is cancelled (or its save fails), and then nothing is closed.
    bool SaveAllModified();
    // Closes every document window; the question must have been answered already.
    void CloseAllDocuments();

    // The file dialog's filters in the order built ("description (patterns)") and the
    // preselected one, as PromptFileName hands them to the dialog.
    QStringList FileDialogFilters() const;
    int FileDialogPreselection() const;
    bool PromptFileName(QString& fileName, const QString& title, QFileDialog::Options extraFlags, bool open);
    // The folder file dialogs start in: the active document's, else the data folder.
    QString DialogFolder() const;

    // The recent-file list ("Recent File List", 8 entries).
    const QStringList& RecentFiles() const { return m_recentFiles; }
    void LoadRecentFiles();
    void SaveRecentFiles();
    // A recent file that could not be opened leaves the list.
    void ForgetRecentFile(const QString& path);

    // Recovery copies of this program's documents, kept in the default folder; a folder that
    // cannot be used costs only them.
    void StartRecovery();
    CDocumentRecovery* Recovery() const { return m_recovery.get(); }
    // The recovery copies of programs that ended without saving: asks which to restore and
    // opens them. Returns how many windows were opened.
    int OfferRecovery();
    CChildFrame* RestoreRecovered(const RecoveryEntry& entry);
    // Brings the recovery copy of every modified document up to date.
    void FlushRecovery();
    // The desktop session ends: with interaction the close question for every modified document
    // (false: the clerk cancelled, the logout must stop); without, every recovery copy is brought
    // up to date and kept for the next start.
    bool CommitSessionData(bool interactionAllowed);

private:
    // The window of a document, shown in front in the main frame.
    CChildFrame* AddChild(CChildFrame* child);
    void AddToRecentFiles(const QString& path);
    // The read failure or refusal of a form's Load as the clerk sees it.
    void ReportOpenFailure(int result, const QString& message);

    CTarvexImportApp& m_app;
    QStringList m_recentFiles;
    std::unique_ptr<CDocumentRecovery> m_recovery;
    // Recovery copies outlive an orderly end only when the session ended without asking.
    bool m_bKeepRecovery = false;
    int m_nUntitled = 0;
};

}  // namespace tarvex
