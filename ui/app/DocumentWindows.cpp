#include "ui/app/DocumentWindows.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QPointer>

#include "core/app/RecoverableDocument.h"
#include "core/app/ShellStrings.h"
#include "core/dv1/Dv1Doc.h"
#include "core/sad/EinheitspapierDoc.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/DocumentRecovery.h"
#include "ui/app/Dv1PrintCommand.h"
#include "ui/app/QtText.h"
#include "ui/app/SadPrintCommand.h"
#include "ui/dv1/CDV1_View.h"
#include "ui/formview/DocumentUndo.h"
#include "ui/sad/CEinheitspapierView.h"

namespace tarvex {

namespace {

// What both form views need from their window and the application: status texts, save, print
// and the calibration sheet, the modified mark with its recovery copy, and document-wide undo.
template <class View, class Doc, class Print, class Calibrate>
void ConnectFormView(View* view, Doc* doc, CChildFrame* child, CTarvexImportApp& app, Print print,
                     Calibrate calibrate) {
    // Only the document in front speaks in the status bar; the others keep their texts for when
    // they come to the front.
    QObject::connect(view, &View::statusTextChanged, view, [&app, child](int pane, const QString& text) {
        if (child) child->SetStatusPaneText(pane, text);
        CMainFrame* frame = app.MainFrame();
        if (frame && (!child || frame->ActiveChild() == child)) frame->SetStatusText(text, pane);
    });
    QObject::connect(view, &View::saveRequested, view, [&app, child] {
        if (child) app.SaveDocument(child, false);
    });
    QObject::connect(view, &View::printRequested, view, [&app, view, print] { print(*view, app); });
    QObject::connect(
        view, &View::calibrationRequested, view,
        [&app, view, calibrate](const std::vector<PrintOrigin>& origins) { calibrate(*view, app, origins); });
    QObject::connect(view, &View::modifiedChanged, view, [child] {
        if (!child) return;
        child->SyncModified();
        child->ScheduleRecovery();
    });
    if (child) {
        CDocumentUndo::Access access;
        access.capture = [doc] { return CaptureDocState(*doc); };
        access.restore = [view](const DocState& state, const UndoPosition& position) {
            view->RestoreState(state, position);
        };
        access.position = [view] { return view->Position(); };
        access.setModified = [doc, child](bool modified) {
            doc->SetModifiedFlag(modified);
            child->SyncModified();
        };
        access.isModified = [doc] { return doc->IsModified(); };
        child->SetUndo(std::make_unique<CDocumentUndo>(std::move(access)));
        view->SetUndo(child->Undo());
        // A page change is a natural pause: the copy is brought up to date at once.
        QObject::connect(view, &View::statusTextChanged, child, [child](int pane) {
            if (pane == 1) child->WriteRecoveryIfPending();
        });
    }
    // The view set its panes while it was built, before anybody listened.
    view->UpdateStatusText();
}

// The file's bytes from a snapshot, as Qt bytes, made when called.
std::function<QByteArray()> ToBytesLater(RecoveryImageMaker make) {
    return [make = std::move(make)] {
        const std::vector<uint8_t> bytes = make();
        return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    };
}

}  // namespace

QWidget* CreateSadView(CEinheitspapierDoc* doc, QWidget* parent, CTarvexImportApp& app) {
    auto* view = new CEinheitspapierView(doc, app.SadEnvironment(), app.FieldDefinitions(), parent);
    ConnectFormView(view, doc, qobject_cast<CChildFrame*>(parent), app, RunSadPrintCommand,
                    ShowSadCalibrationSheet);
    return view;
}

QWidget* CreateDv1View(CDV1_Doc* doc, QWidget* parent, CTarvexImportApp& app) {
    auto* view = new CDV1_View(doc, &app.GetProfile(), app.SadEnvironment(), parent);
    ConnectFormView(view, doc, qobject_cast<CChildFrame*>(parent), app, RunDv1PrintCommand,
                    ShowDv1CalibrationSheet);
    return view;
}

CChildFrame::CChildFrame(std::unique_ptr<CDV1_Doc> dv1Doc, CTarvexImportApp* app, QWidget* parent)
    : QMdiSubWindow(parent), m_kind(DocTemplate::Dv1), m_pApp(app), m_dv1Doc(std::move(dv1Doc)) {
    setAttribute(Qt::WA_DeleteOnClose);
    InitRecoveryTimer();
    if (CDV1_Doc* doc = m_dv1Doc.get()) {
        m_hooks.kind = QStringLiteral("fdv");
        m_hooks.recoverySnapshot = [doc] {
            const IEditWindow* window = doc->Store().Window();
            const bool open = window && window->HasWindow();
            const std::u16string typed = open ? window->WindowText() : std::u16string();
            return ToBytesLater(RecoverySnapshot(*doc, open ? &typed : nullptr));
        };
    }
}

void CChildFrame::InitRecoveryTimer() {
    m_recoveryTimer.setSingleShot(true);
    connect(&m_recoveryTimer, &QTimer::timeout, this, [this] { WriteRecoveryInBackground(); });
}

CChildFrame::CChildFrame(DocTemplate kind, std::unique_ptr<CEinheitspapierDoc> sadDoc, CTarvexImportApp* app,
                         QWidget* parent)
    : QMdiSubWindow(parent), m_kind(kind), m_pApp(app), m_sadDoc(std::move(sadDoc)) {
    setAttribute(Qt::WA_DeleteOnClose);
    InitRecoveryTimer();
    if (CEinheitspapierDoc* doc = m_sadDoc.get()) {
        m_hooks.kind = QStringLiteral("aef");
        m_hooks.recoverySnapshot = [doc] {
            // What is typed into the open box belongs in the copy, without committing it.
            const IEditWindow* window = doc->Store().Window();
            const std::u16string typed =
                window && window->HasWindow() ? window->WindowText() : std::u16string();
            return ToBytesLater(RecoverySnapshot(*doc, window && window->HasWindow() ? &typed : nullptr));
        };
    }
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
    if (!m_pRecovery || !m_hooks.recoverySnapshot || m_bRecoveryDiscarded) return false;
    if (!IsModified()) {
        // Undone back to the saved state: the file itself is the copy.
        m_pRecovery->Remove(m_recoveryId);
        m_bRecoveryCopyWritten = false;
        return false;
    }
    if (m_recoveryId.isEmpty()) m_recoveryId = m_pRecovery->NewId();
    entry.id = m_recoveryId;
    entry.kind = m_hooks.kind;
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
    m_pRecovery->WriteLater(entry, m_hooks.recoverySnapshot(), [self](bool ok, const QString& error) {
        if (!self) return;
        --self->m_nRecoveryWrites;
        if (!ok) self->RecoveryWriteFailed(error);
    });
}

bool CChildFrame::WriteRecoveryNow() {
    RecoveryEntry entry;
    if (!PrepareRecovery(entry)) return true;
    QString error;
    if (m_pRecovery->Write(entry, m_hooks.recoverySnapshot()(), error)) return true;
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
    return (m_sadDoc && m_sadDoc->IsModified()) || (m_dv1Doc && m_dv1Doc->IsModified());
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
    if (m_bAskOnClose && m_pApp && !m_pApp->SaveModified(this)) {
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
