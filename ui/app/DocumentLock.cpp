#include "ui/app/DocumentLock.h"

#include <QFileInfo>

namespace tarvex {

QString CDocumentLock::LockPath(const QString& documentPath) {
    const QFileInfo info(documentPath);
    return info.absolutePath() + QStringLiteral("/.~lock.") + info.fileName() + QLatin1Char('#');
}

CDocumentLock::Result CDocumentLock::Acquire(const QString& documentPath, LockOwner* owner) {
    Release();
    auto lock = std::make_unique<QLockFile>(LockPath(documentPath));
    // A window may keep a document open for days: only a lock whose program is gone is stale,
    // never one that is merely old.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        return Result::Locked;
    }
    if (lock->error() != QLockFile::LockFailedError) return Result::Unavailable;
    if (owner) {
        QString app;
        lock->getLockInfo(&owner->pid, &owner->host, &app);
        owner->user = QFileInfo(LockPath(documentPath)).owner();
    }
    return Result::HeldByOther;
}

void CDocumentLock::Release() {
    if (m_lock) m_lock->unlock();
    m_lock.reset();
}

FileStamp FileStamp::Of(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return {};
    return {info.size(), info.lastModified().toMSecsSinceEpoch()};
}

}  // namespace tarvex
