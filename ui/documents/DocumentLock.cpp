#include "ui/documents/DocumentLock.h"

#include <QDir>
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

QString FreeCopyName(const QString& documentPath, const QString& suffix, const QString& suffixN) {
    const QFileInfo info(documentPath);
    const QString extension = info.suffix().isEmpty() ? QString() : QStringLiteral(".") + info.suffix();
    const QDir folder = info.absoluteDir();
    QString candidate;
    for (int n = 1;; ++n) {
        candidate = folder.absoluteFilePath(
            info.completeBaseName() +
            (n == 1 ? suffix : QString(suffixN).replace(QStringLiteral("%1"), QString::number(n))) +
            extension);
        // A bound, in case a folder holds an absurd number of copies: the name is still asked for.
        if (n >= 1000 ||
            (!QFileInfo::exists(candidate) && !QFileInfo::exists(CDocumentLock::LockPath(candidate))))
            return candidate;
    }
}

FileStamp FileStamp::Of(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return {};
    return {info.size(), info.lastModified().toMSecsSinceEpoch()};
}

}  // namespace tarvex
