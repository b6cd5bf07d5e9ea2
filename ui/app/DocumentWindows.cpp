#include "ui/app/DocumentWindows.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QPointer>

#include "core/common/ShellStrings.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/DocumentManager.h"
#include "ui/common/QtText.h"
#include "ui/documents/DocumentRecovery.h"
#include "ui/formview/CFormView.h"
#include "ui/formview/DocumentUndo.h"

namespace tarvex {

CChildFrame::CChildFrame(std::unique_ptr<IFormDocument> doc, CTarvexImportApp* app, QWidget* parent)
    : QMdiSubWindow(parent), m_pApp(app), m_doc(std::move(doc)) {
    setAttribute(Qt::WA_DeleteOnClose);
    m_recoveryTimer.setSingleShot(true);
    connect(&m_recoveryTimer, &QTimer::timeout, this, [this] { WriteRecoveryInBackground(); });
    connect(m_doc.get(), &IFormDocument::modifiedChanged, this, [this] {
        SyncModified();
        ScheduleRecovery();
    });
    if (m_pApp) setWidget(m_doc->CreateView(this, *m_pApp));
}

CChildFrame::~CChildFrame() {
    // The view and its edit window work on the document's field store: they go first. Left to
    // QWidget's destructor they would go after the members, and the edit window would let go of a
    // store that is already freed.
    delete widget();
}

void CChildFrame::SetUndo(std::unique_ptr<CDocumentUndo> undo) {
    m_undo = std::move(undo);
    if (m_undo) connect(m_undo.get(), &CDocumentUndo::Changed, this, [this] { ScheduleRecovery(); });
}

void CChildFrame::SetLock(std::unique_ptr<CDocumentLock> lock) {
    m_lock = std::move(lock);
}

void CChildFrame::SetReadOnly(bool readOnly) {
    m_bReadOnly = readOnly;
    SetTitle(m_title);
}

void CChildFrame::ScheduleRecovery() {
    if (!m_pRecovery) return;
    m_bRecoveryDiscarded = false;
    m_bRecoveryPending = true;
    // The first change is written at once (once the event that made it is done): until then a
    // document that was never saved exists nowhere on disk. After that the timer is restarted by
    // every key, and the copy is written when typing pauses.
    m_recoveryTimer.start(m_bRecoveryCopyWritten ? kRecoveryDelayMs : 0);
}

void CChildFrame::WriteRecoveryIfPending() {
    if (m_bRecoveryPending) WriteRecoveryInBackground();
}

bool CChildFrame::PrepareRecovery(RecoveryEntry& entry) {
    m_recoveryTimer.stop();
    m_bRecoveryPending = false;
    if (!m_pRecovery || m_bRecoveryDiscarded) return false;
    if (!IsModified()) {
        // Undone back to the saved state: the file itself is the copy.
        m_pRecovery->Remove(m_recoveryId);
        m_bRecoveryCopyWritten = false;
        return false;
    }
    if (m_recoveryId.isEmpty()) m_recoveryId = m_pRecovery->NewId();
    entry.id = m_recoveryId;
    entry.kind = Form().Kind();
    entry.originalPath = m_pathName;
    entry.title = m_title;
    entry.originalStamp = m_fileStamp;
    m_bRecoveryCopyWritten = true;
    return true;
}

void CChildFrame::WriteRecoveryInBackground() {
    RecoveryEntry entry;
    if (!PrepareRecovery(entry)) return;
    // Only the snapshot is taken here (it reads the document); the file's bytes are made from it
    // and written on the recovery thread, so that typing never waits for either.
    ++m_nRecoveryWrites;
    QPointer<CChildFrame> self(this);
    m_pRecovery->WriteLater(entry, m_doc->RecoverySnapshot(), [self](bool ok, const QString& error) {
        if (!self) return;
        --self->m_nRecoveryWrites;
        if (!ok) self->RecoveryWriteFailed(error);
    });
}

bool CChildFrame::WriteRecoveryNow() {
    RecoveryEntry entry;
    if (!PrepareRecovery(entry)) return true;
    QString error;
    if (m_pRecovery->Write(entry, m_doc->RecoveryImage(), error)) return true;
    RecoveryWriteFailed(error);
    return false;
}

void CChildFrame::RecoveryWriteFailed(const QString& error) {
    // Said once per window: the clerk can still save, and typing must not be interrupted again at
    // every further attempt. The previous copy stays as it was.
    if (m_bRecoveryDiscarded || m_bRecoveryErrorShown || !m_pApp) return;
    m_bRecoveryErrorShown = true;
    m_pApp->Message(Str(shellstr::kRecoveryWriteFailed).arg(m_title, error));
}

void CChildFrame::DiscardRecovery() {
    m_recoveryTimer.stop();
    m_bRecoveryPending = false;
    m_bRecoveryDiscarded = true;
    m_bRecoveryCopyWritten = false;
    if (m_pRecovery) m_pRecovery->Remove(m_recoveryId);
}

void CChildFrame::SetPathName(const QString& path) {
    m_pathName = path;
    SetTitle(QFileInfo(path).fileName());
}

void CChildFrame::SetTitle(const QString& title) {
    m_title = title;
    // Qt shows "[*]" as "*" while the window is modified, in the tab as well.
    setWindowTitle(title + (m_bReadOnly ? Str(shellstr::kReadOnlySuffix) : QString()) +
                   QStringLiteral("[*]"));
    setWindowModified(IsModified());
    emit TitleChanged();
}

bool CChildFrame::IsModified() const {
    return m_doc->IsModified();
}

void CChildFrame::SyncModified() {
    if (isWindowModified() == IsModified()) return;
    setWindowModified(IsModified());
    emit TitleChanged();
}

bool CChildFrame::CloseWithoutAsking() {
    m_bAskOnClose = false;
    const bool closed = close();
    m_bAskOnClose = true;
    return closed;
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (m_bAskOnClose && m_pApp && !m_pApp->Documents().SaveModified(this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
    // Closed after its question: saved, unchanged, or its changes were not wanted. The file is
    // free for others at once, not only when the window is deleted later.
    if (event->isAccepted()) {
        DiscardRecovery();
        m_lock.reset();
    }
}

}  // namespace tarvex
