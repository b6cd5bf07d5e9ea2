#pragma once
// Where the document views are created: one function per view kind, so that the real form views
// replace the placeholders in one place.

#include <QByteArray>
#include <QMdiSubWindow>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

#include "core/app/StartupRules.h"
#include "ui/app/DocumentLock.h"

class QWidget;

namespace tarvex {

class CDV1_Doc;
class CDocumentRecovery;
struct RecoveryEntry;
class CDocumentUndo;
class CEinheitspapierDoc;
class CTarvexImportApp;

// The SAD view of a document window, connected to the application that owns the window.
QWidget* CreateSadView(CEinheitspapierDoc* doc, QWidget* parent, CTarvexImportApp& app);
// The D.V.1 view of a document window, likewise.
QWidget* CreateDv1View(CDV1_Doc* doc, QWidget* parent, CTarvexImportApp& app);

// The child frame: one document and its one view. Both templates use it.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    // app asks the save question when the window closes; without one it closes unasked.
    CChildFrame(DocTemplate kind, std::unique_ptr<CEinheitspapierDoc> sadDoc, CTarvexImportApp* app,
                QWidget* parent = nullptr);
    // A D.V.1 window.
    CChildFrame(std::unique_ptr<CDV1_Doc> dv1Doc, CTarvexImportApp* app, QWidget* parent = nullptr);
    ~CChildFrame() override;

    DocTemplate Kind() const { return m_kind; }
    CEinheitspapierDoc* SadDocument() const { return m_sadDoc.get(); }
    CDV1_Doc* Dv1Document() const { return m_dv1Doc.get(); }
    QWidget* View() const { return widget(); }

    // Full path of the document's file; empty for a new document.
    const QString& PathName() const { return m_pathName; }
    void SetPathName(const QString& path);
    const QString& Title() const { return m_title; }
    void SetTitle(const QString& title);
    bool IsModified() const;
    // Shows the document's modified state as the "*" of title and tab.
    void SyncModified();
    // Closes after the save question was answered for all documents at once.
    bool CloseWithoutAsking();
    // What the view last said in status pane 0 (message), 1 (page) and 2 (insert mode); the main
    // frame shows it while this window is in front.
    QString StatusPaneText(int pane) const { return pane >= 0 && pane < 3 ? m_statusTexts[pane] : QString(); }
    void SetStatusPaneText(int pane, const QString& text) {
        if (pane >= 0 && pane < 3) m_statusTexts[pane] = text;
    }

    // What undo and recovery need of the document, whatever its kind (an SAD window fills it in
    // itself; another kind sets it when its view is made).
    struct DocumentHooks {
        QString kind;  // extension without dot: "aef", "fdv"
        // A snapshot of the document taken now; calling the result, on any thread, gives the file
        // a save would have written at that moment.
        std::function<std::function<QByteArray()>()> recoverySnapshot;
    };
    void SetDocumentHooks(DocumentHooks hooks) { m_hooks = std::move(hooks); }
    void SetUndo(std::unique_ptr<CDocumentUndo> undo);
    CDocumentUndo* Undo() const { return m_undo.get(); }

    // One file, one editor: the lock beside the file, and the file as last read or written.
    void SetLock(std::unique_ptr<CDocumentLock> lock);
    bool HoldsLock() const { return m_lock && m_lock->IsLocked(); }
    const FileStamp& Stamp() const { return m_fileStamp; }
    void SetStamp(const FileStamp& stamp) { m_fileStamp = stamp; }
    // A document another program has open: shown and printed, saved only under another name.
    bool IsReadOnly() const { return m_bReadOnly; }
    void SetReadOnly(bool readOnly);

    // Recovery copy: written at the first change (a document that was never saved has nothing
    // else on disk), then kRecoveryDelayMs after the last change and at once on a page change;
    // these writes go to the recovery's own thread. WriteRecoveryNow writes and waits.
    static constexpr int kRecoveryDelayMs = 500;
    void SetRecovery(CDocumentRecovery* recovery) { m_pRecovery = recovery; }
    void ScheduleRecovery();
    void WriteRecoveryIfPending();
    bool WriteRecoveryNow();
    // The copy goes: the document was saved, or the clerk chose not to keep the changes.
    void DiscardRecovery();
    const QString& RecoveryId() const { return m_recoveryId; }
    // A change not yet in the copy: waiting for the pause, or being written.
    bool RecoveryPending() const { return m_bRecoveryPending || m_nRecoveryWrites > 0; }

signals:
    void TitleChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    DocTemplate m_kind;
    CTarvexImportApp* m_pApp;
    std::unique_ptr<CEinheitspapierDoc> m_sadDoc;
    std::unique_ptr<CDV1_Doc> m_dv1Doc;
    QString m_pathName;
    QString m_title;
    bool m_bAskOnClose = true;
    QString m_statusTexts[3];
    void InitRecoveryTimer();
    // What the next copy holds; false when there is nothing to write (then any copy is gone).
    bool PrepareRecovery(RecoveryEntry& entry);
    void WriteRecoveryInBackground();
    void RecoveryWriteFailed(const QString& error);
    DocumentHooks m_hooks;
    std::unique_ptr<CDocumentUndo> m_undo;
    std::unique_ptr<CDocumentLock> m_lock;
    FileStamp m_fileStamp;
    bool m_bReadOnly = false;
    CDocumentRecovery* m_pRecovery = nullptr;
    QTimer m_recoveryTimer;
    QString m_recoveryId;
    bool m_bRecoveryPending = false;
    bool m_bRecoveryDiscarded = false;
    bool m_bRecoveryErrorShown = false;
    bool m_bRecoveryCopyWritten = false;  // since the last discard
    int m_nRecoveryWrites = 0;            // handed to the recovery's thread, not yet done
};

}  // namespace tarvex
