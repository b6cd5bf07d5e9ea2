#pragma once
// One file, one editor: a lock file beside the document while a window has it open, and the
// file's size and time as the window last read or wrote it, so that a change behind the
// program's back is noticed before a save overwrites it.

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <memory>

namespace tarvex {

struct LockOwner {
    QString user;  // the lock file's owner
    QString host;
    qint64 pid = 0;
};

class CDocumentLock {
public:
    enum class Result {
        Locked,       // this window holds the lock now
        HeldByOther,  // another program (or another computer) has the document open
        Unavailable,  // no lock possible there (a folder without write access): the file opens as before
    };
    CDocumentLock() = default;
    ~CDocumentLock() { Release(); }
    CDocumentLock(const CDocumentLock&) = delete;
    CDocumentLock& operator=(const CDocumentLock&) = delete;

    // The lock file of a document: ".~lock.NAME#" in its folder.
    static QString LockPath(const QString& documentPath);
    // A lock left by a program that has ended on this computer counts as free.
    Result Acquire(const QString& documentPath, LockOwner* owner = nullptr);
    void Release();
    bool IsLocked() const { return m_lock != nullptr; }

private:
    std::unique_ptr<QLockFile> m_lock;
};

// The first name "NAME<suffix>.EXT", "NAME<suffixN with %1 = 2, 3 ...>.EXT" in the document's
// folder that is neither a file nor open somewhere (no lock file): the copy a window offers to
// save under when another program holds the document.
QString FreeCopyName(const QString& documentPath, const QString& suffix, const QString& suffixN);

// Size and modification time of a file as last read or written; a missing file has none.
struct FileStamp {
    qint64 size = -1;
    qint64 mtimeMs = 0;
    static FileStamp Of(const QString& path);
    bool IsNull() const { return size < 0; }
    bool operator==(const FileStamp&) const = default;
};

}  // namespace tarvex
