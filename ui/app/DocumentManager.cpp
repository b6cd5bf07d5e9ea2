#include "ui/app/DocumentManager.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSessionManager>
#include <QTimer>

#include "core/app/ShellCommands.h"
#include "core/app/StartupRules.h"
#include "core/common/ShellStrings.h"
#include "core/settings/SettingsKeys.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/DocumentWindows.h"
#include "ui/app/FormDocument.h"
#include "ui/app/UserDialogs.h"
#include "ui/common/HelpContextScope.h"
#include "ui/common/QtText.h"
#include "ui/documents/DocumentLock.h"
#include "ui/documents/DocumentRecovery.h"
#include "ui/formview/DocumentUndo.h"
#include "ui/shell/ShellIcons.h"

namespace tarvex {
namespace {

// "%1" the file, "%2" the user and "%3" the computer that hold its lock.
QString LockText(const char16_t* text, const QString& path, const LockOwner& owner) {
    QString s = Str(text);
    s.replace(QStringLiteral("%1"), QDir::toNativeSeparators(path))
        .replace(QStringLiteral("%2"), owner.user.isEmpty() ? Str(shellstr::kUnknownUser) : owner.user)
        .replace(QStringLiteral("%3"), owner.host.isEmpty() ? QStringLiteral("?") : owner.host);
    return s;
}

}  // namespace

CDocumentManager::CDocumentManager(CTarvexImportApp& app) : m_app(app) {}

CDocumentManager::~CDocumentManager() {
    // An orderly end has answered every close question; only a session that ended without
    // asking leaves its copies for the next start (a crash never gets here).
    if (m_recovery && !m_bKeepRecovery) m_recovery->RemoveOwn();
}

// --- New and Open

void CDocumentManager::OnFileNew() {
    const int result = m_app.Dialogs().RunNewDialog(m_app.MainFrame());
    if (result < 0) return;
    m_app.SetFormVariant(result);
    CreateNewDocument(result);
}

CChildFrame* CDocumentManager::CreateNewDocument(int formVariant) {
    const CFormTemplate& form = FormTemplateForVariant(formVariant);
    std::unique_ptr<IFormDocument> doc = form.create(m_app);
    doc->OnNewDocument(formVariant);
    auto* child = new CChildFrame(std::move(doc), &m_app);
    child->SetTitle(form.UntitledTitle(++m_nUntitled));
    return AddChild(child);
}

CChildFrame* CDocumentManager::AddChild(CChildFrame* child) {
    CMainFrame* frame = m_app.MainFrame();
    child->SetRecovery(m_recovery.get());
    child->setWindowIcon(QIcon(QPixmap::fromImage(DocumentIconImage(child->Form().iconIndex, 16))));
    QObject::connect(child, &CChildFrame::TitleChanged, frame, &CMainFrame::UpdateTitle);
    frame->ActivateChild(child);
    // Closing the window switches back to the remaining ones (or to menu 128).
    QObject::connect(child, &QObject::destroyed, frame, [frame = QPointer<CMainFrame>(frame)] {
        if (frame)
            QTimer::singleShot(0, frame, [frame] {
                if (frame) frame->OnActiveChildChanged();
            });
    });
    return child;
}

void CDocumentManager::OnFileOpen() {
    HelpContextScope help(m_app.HelpContext(), help::kOpen);
    QString name;
    if (!PromptFileName(name, Str(shellstr::kOpenTitle61440), {}, true)) return;
    OpenDocumentFile(name);
}

void CDocumentManager::ReportOpenFailure(int result, const QString& message) {
    if (result == static_cast<int>(IFormDocument::LoadResult::Refused)) {
        QApplication::beep();
        m_app.Message(message);
        return;
    }
    QString text = Str(shellstr::kOpenFailed61697);
    if (!message.isEmpty()) text += QStringLiteral("\n") + message;
    m_app.Message(text);
}

CChildFrame* CDocumentManager::OpenDocumentFile(const QString& path) {
    CMainFrame* frame = m_app.MainFrame();
    const QFileInfo info(path);
    const QString full = info.absoluteFilePath();
    // A document that is open already is only brought to the front.
    for (CChildFrame* c : frame->Children()) {
        if (!c->PathName().isEmpty() && QFileInfo(c->PathName()) == info) {
            frame->ActivateChild(c);
            return c;
        }
    }
    if (!info.exists()) {
        QString text = Str(shellstr::kFileNotFound61860);
        text.replace(QStringLiteral("%1"), QDir::toNativeSeparators(full));
        m_app.Message(text);
        return nullptr;
    }
    // One file, one editor: a document open in another program opens only for reading.
    auto lock = std::make_unique<CDocumentLock>();
    LockOwner owner;
    bool readOnly = false;
    if (lock->Acquire(full, &owner) == CDocumentLock::Result::HeldByOther) {
        if (!m_app.Dialogs().AskYesNo(frame, LockText(shellstr::kLockedByOther, full, owner))) return nullptr;
        readOnly = true;
    }
    const FileStamp stamp = FileStamp::Of(full);
    std::unique_ptr<IFormDocument> doc = FormTemplateForPath(full).create(m_app);
    QString message;
    if (const IFormDocument::LoadResult result = doc->Load(full, message);
        result != IFormDocument::LoadResult::Ok) {
        ReportOpenFailure(static_cast<int>(result), message);
        return nullptr;
    }
    auto* child = new CChildFrame(std::move(doc), &m_app);
    if (readOnly)
        child->SetReadOnly(true);
    else
        child->SetLock(std::move(lock));
    child->SetStamp(stamp);
    child->SetPathName(full);
    AddChild(child);
    AddToRecentFiles(full);
    return child;
}

// --- Save and close

bool CDocumentManager::SaveDocument(CChildFrame* child, bool saveAs) {
    if (!child) return false;
    IFormDocument& doc = child->Document();
    const QString extension = child->Form().Extension();
    QString path = child->PathName();
    // A document another program has open is saved under another name only.
    if (child->IsReadOnly()) saveAs = true;
    if (saveAs || path.isEmpty()) {
        QString name = path.isEmpty() ? child->Title() + extension : path;
        // The name of the file another program holds is never offered: Return and "Ja" in the
        // overwrite question would replace it.
        if (child->IsReadOnly() && !path.isEmpty())
            name = FreeCopyName(path, Str(shellstr::kCopySuffix), Str(shellstr::kCopySuffixN));
        if (!PromptFileName(name, Str(shellstr::kSaveAsTitle61441), {}, false)) return false;
        if (QFileInfo(name).suffix().isEmpty()) name += extension;
        path = name;
    }
    const QString full = QFileInfo(path).absoluteFilePath();
    const bool samePlace = !child->PathName().isEmpty() && QFileInfo(child->PathName()) == QFileInfo(full);
    if (samePlace) {
        // Changed behind the program's back since it was read or last saved: ask first.
        const FileStamp now = FileStamp::Of(full);
        if (!now.IsNull() && !child->Stamp().IsNull() && now != child->Stamp()) {
            QString text = Str(shellstr::kChangedOnDisk);
            text.replace(QStringLiteral("%1"), QDir::toNativeSeparators(full));
            if (!m_app.Dialogs().AskYesNo(m_app.MainFrame(), text)) return false;
        }
    }
    std::unique_ptr<CDocumentLock> newLock;
    // A read-only window does not hold its own file either: it may write there only once the
    // other program has let go of it.
    if (!samePlace || child->IsReadOnly()) {
        newLock = std::make_unique<CDocumentLock>();
        LockOwner owner;
        if (newLock->Acquire(full, &owner) == CDocumentLock::Result::HeldByOther) {
            m_app.Message(LockText(shellstr::kLockedSaveRefused, full, owner));
            return false;
        }
    }
    doc.CommitEdit();
    QString error;
    if (!doc.Save(full, error)) {
        QString text = Str(shellstr::kSaveFailed61698);
        if (!error.isEmpty()) text += QStringLiteral("\n") + error;
        m_app.Message(text);
        return false;
    }
    doc.SetModified(false);
    if (newLock) {
        child->SetLock(std::move(newLock));
        child->SetReadOnly(false);
    }
    child->SetStamp(FileStamp::Of(full));
    child->SetPathName(full);
    if (child->Undo()) child->Undo()->SetClean();
    child->DiscardRecovery();
    AddToRecentFiles(child->PathName());
    return true;
}

bool CDocumentManager::SaveModified(CChildFrame* child) {
    if (!child->IsModified()) return true;
    QString text = Str(shellstr::kAskToSave61704);
    text.replace(QStringLiteral("%1"), child->Title());
    const QMessageBox::StandardButton answer = m_app.Dialogs().AskSaveChanges(m_app.MainFrame(), child, text);
    if (answer == QMessageBox::Yes) return SaveDocument(child, false);
    // Not wanted: no copy of these changes is offered at the next start.
    if (answer == QMessageBox::No) child->DiscardRecovery();
    return answer == QMessageBox::No;
}

bool CDocumentManager::SaveAllModified() {
    CMainFrame* frame = m_app.MainFrame();
    if (!frame) return true;
    for (CChildFrame* child : frame->Children())
        if (!SaveModified(child)) return false;
    return true;
}

void CDocumentManager::CloseAllDocuments() {
    CMainFrame* frame = m_app.MainFrame();
    if (!frame) return;
    for (CChildFrame* child : frame->Children()) child->CloseWithoutAsking();
}

// --- file dialog

QStringList CDocumentManager::FileDialogFilters() const {
    QStringList filters;
    for (const FileFilter& f :
         BuildFileFilters(settings::Get(m_app.GetProfile(), settings::kSettings, settings::kNoFileFilter))) {
        // Qt reads the patterns from the last parentheses; the dialog hides them again.
        QString patterns = QString::fromStdU16String(f.pattern);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters.append(QString::fromStdU16String(f.description) + QStringLiteral(" (") + patterns +
                       QLatin1Char(')'));
    }
    return filters;
}

int CDocumentManager::FileDialogPreselection() const {
    // The filter follows the form of the document in front (a D.V.1 opened from a file leaves the
    // current form variant an SAD's); without a document the current form variant decides.
    CChildFrame* c = m_app.MainFrame() ? m_app.MainFrame()->ActiveChild() : nullptr;
    return PreselectedFilterIndex(c ? c->Form().filterVariant : m_app.FormVariant());
}

bool CDocumentManager::PromptFileName(QString& fileName, const QString& title,
                                      QFileDialog::Options extraFlags, bool open) {
    QFileDialog dialog(m_app.MainFrame(), title);
    dialog.setOptions(extraFlags | QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    // Open: the file must exist; save: overwriting is confirmed (Qt's default).
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QStringList filters = FileDialogFilters();
    dialog.setNameFilters(filters);
    const int preselected = FileDialogPreselection();
    if (preselected >= 1 && preselected <= filters.size()) dialog.selectNameFilter(filters[preselected - 1]);
    // Never the process's working folder: a bare name goes into the document's or data folder.
    const QDir folder(DialogFolder());
    dialog.setDirectory(folder);
    if (!fileName.isEmpty()) dialog.selectFile(folder.absoluteFilePath(fileName));
    if (!m_app.Dialogs().ExecFileDialog(dialog) || dialog.selectedFiles().isEmpty()) return false;
    fileName = dialog.selectedFiles().constFirst();
    return true;
}

QString CDocumentManager::DialogFolder() const {
    CMainFrame* frame = m_app.MainFrame();
    if (CChildFrame* c = frame ? frame->ActiveChild() : nullptr; c && !c->PathName().isEmpty())
        return QFileInfo(c->PathName()).absolutePath();
    return m_app.DataFolder();
}

// --- recent files

void CDocumentManager::LoadRecentFiles() {
    m_recentFiles.clear();
    for (int i = 1; i <= kMruEntries; ++i) {
        const std::string key = settings::kRecentFilePrefix + std::to_string(i);
        const std::u16string value = m_app.GetProfile().GetProfileString(settings::kRecentFileList, key, u"");
        if (!value.empty()) m_recentFiles.append(QString::fromStdU16String(value));
    }
}

void CDocumentManager::SaveRecentFiles() {
    Profile& profile = m_app.GetProfile();
    for (int i = 1; i <= kMruEntries; ++i) {
        const std::string key = settings::kRecentFilePrefix + std::to_string(i);
        if (i <= m_recentFiles.size())
            profile.WriteProfileString(settings::kRecentFileList, key, m_recentFiles[i - 1].toStdU16String());
        else
            profile.DeleteValue(settings::kRecentFileList, key);
    }
}

void CDocumentManager::AddToRecentFiles(const QString& path) {
    m_recentFiles.removeAll(path);
    m_recentFiles.prepend(path);
    while (m_recentFiles.size() > kMruEntries) m_recentFiles.removeLast();
    if (CMainFrame* frame = m_app.MainFrame()) frame->SetRecentFiles(m_recentFiles);
}

void CDocumentManager::ForgetRecentFile(const QString& path) {
    m_recentFiles.removeAll(path);
    if (CMainFrame* frame = m_app.MainFrame()) frame->SetRecentFiles(m_recentFiles);
}

// --- recovery and the end of a session

void CDocumentManager::StartRecovery() {
    m_recovery = std::make_unique<CDocumentRecovery>(CDocumentRecovery::DefaultFolder());
    // This program's own lock is taken with its first copy; those of killed programs go now.
    m_recovery->RemoveStaleLocks();
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(gui, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
            if (!CommitSessionData(manager.allowsInteraction())) manager.cancel();
            manager.release();
        });
        connect(gui, &QGuiApplication::saveStateRequest, this, [this](QSessionManager&) { FlushRecovery(); });
    }
}

bool CDocumentManager::CommitSessionData(bool interactionAllowed) {
    if (!interactionAllowed) {
        FlushRecovery();
        m_bKeepRecovery = true;
        return true;
    }
    if (!SaveAllModified()) return false;
    FlushRecovery();
    return true;
}

void CDocumentManager::FlushRecovery() {
    CMainFrame* frame = m_app.MainFrame();
    if (!frame) return;
    for (CChildFrame* child : frame->Children())
        if (child->IsModified()) child->WriteRecoveryNow();
    if (m_recovery) m_recovery->WaitForWrites();
}

int CDocumentManager::OfferRecovery() {
    if (!m_recovery) return 0;
    const QList<RecoveryEntry> orphans = m_recovery->ClaimOrphans();
    if (orphans.isEmpty()) return 0;
    const std::optional<QList<bool>> answer = m_app.Dialogs().AskRecovery(m_app.MainFrame(), orphans);
    int restored = 0;
    if (answer) {
        for (qsizetype i = 0; i < orphans.size(); ++i) {
            const RecoveryEntry& e = orphans[i];
            if (i < answer->size() && answer->at(i)) {
                // A copy that cannot be opened stays for a later attempt.
                if (RestoreRecovered(e)) {
                    m_recovery->Discard(e);
                    ++restored;
                }
            } else {
                m_recovery->Discard(e);
            }
        }
    }
    m_recovery->ReleaseOrphans();
    return restored;
}

CChildFrame* CDocumentManager::RestoreRecovered(const RecoveryEntry& e) {
    const CFormTemplate* form = FormTemplateForKind(e.kind);
    if (!form) return nullptr;
    const QString data = m_recovery->DataPath(e);
    std::unique_ptr<IFormDocument> doc = form->create(m_app);
    QString message;
    if (const IFormDocument::LoadResult result = doc->Load(data, message);
        result != IFormDocument::LoadResult::Ok) {
        QString text = Str(shellstr::kRecoveryOpenFailed).arg(e.title, QDir::toNativeSeparators(data));
        if (result == IFormDocument::LoadResult::Unreadable && !message.isEmpty())
            text += QStringLiteral("\n") + message;
        m_app.Message(text);
        return nullptr;
    }
    // Started with the very file after a crash: the copy replaces its unchanged window, which
    // would otherwise hold the lock and leave the restored document read-only.
    for (CChildFrame* open : m_app.MainFrame()->Children())
        if (!e.originalPath.isEmpty() && !open->IsModified() &&
            QFileInfo(open->PathName()) == QFileInfo(e.originalPath))
            open->CloseWithoutAsking();
    doc->SetModified(true);
    auto* child = new CChildFrame(std::move(doc), &m_app);
    if (!e.originalPath.isEmpty()) {
        auto lock = std::make_unique<CDocumentLock>();
        if (lock->Acquire(e.originalPath) == CDocumentLock::Result::HeldByOther)
            child->SetReadOnly(true);
        else
            child->SetLock(std::move(lock));
        // The file as it was when the copy was made: a change since then is asked about on saving.
        child->SetStamp(e.originalStamp);
        child->SetPathName(e.originalPath);
    } else {
        child->SetTitle(form->UntitledTitle(++m_nUntitled));
    }
    if (child->Undo()) child->Undo()->SetNeverClean();
    AddChild(child);
    child->SyncModified();
    child->WriteRecoveryNow();
    return child;
}

}  // namespace tarvex
