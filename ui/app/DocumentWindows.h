#pragma once
// The document window: one document of any form and its one view.

#include <QByteArray>
#include <QMdiSubWindow>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

#include "core/app/StartupRules.h"
#include "ui/app/FormDocument.h"
#include "ui/documents/DocumentLock.h"

class QWidget;

namespace tarvex {

class CDocumentRecovery;
struct RecoveryEntry;
class CDocumentUndo;
class CTarvexImportApp;

// The child frame: one document and its one view, whatever the form.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    // The window shows the document's view, made here. app asks the save question when the
    // window closes; without one it closes unasked and has no view.
    CChildFrame(std::unique_ptr<IFormDocument> doc, CTarvexImportApp* app, QWidget* parent = nullptr);
    ~CChildFrame() override;

    IFormDocument& Document() const { return *m_doc; }
    const CFormTemplate& Form() const { return m_doc->Template(); }
    DocTemplate Kind() const { return Form().id; }
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
    CTarvexImportApp* m_pApp;
    std::unique_ptr<IFormDocument> m_doc;
    QString m_pathName;
    QString m_title;
    bool m_bAskOnClose = true;
    QString m_statusTexts[3];
    // What the next copy holds; false when there is nothing to write (then any copy is gone).
    bool PrepareRecovery(RecoveryEntry& entry);
    void WriteRecoveryInBackground();
    void RecoveryWriteFailed(const QString& error);
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
