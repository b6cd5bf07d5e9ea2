#pragma once
// Recovery copies of modified documents: one file per document in the document's own format, with
// an entry beside it that names the original file. Each running program holds a lock of its own
// in the folder and writes its name into its entries, so that two programs never take each
// other's copies; the copies of a program that has ended without cleaning up (a crash, a power
// loss) are offered at the next start.

#include <QDateTime>
#include <QList>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <functional>
#include <map>
#include <memory>

#include "ui/documents/DocumentLock.h"

namespace tarvex {

struct RecoveryEntry {
    QString id;            // file name stem in the recovery folder
    QString kind;          // the document's extension without dot: "aef", "fdv"
    QString originalPath;  // empty for a document that was never saved
    QString title;         // the window title without "*"
    FileStamp originalStamp;
    QString instance;
    qint64 pid = 0;
    QDateTime saved;
};

class CDocumentRecovery {
public:
    // folder: where the copies go; it is made when needed.
    explicit CDocumentRecovery(QString folder);
    ~CDocumentRecovery();

    // The folder of the program: AppDataLocation/recovery, or inside TARVEX_SETTINGS_DIR.
    static QString DefaultFolder();

    const QString& Folder() const { return m_folder; }
    const QString& Instance() const { return m_instance; }
    // Takes this program's lock in the folder; false when the folder cannot be used.
    bool Start(QString* error = nullptr);
    bool Started() const { return m_instanceLock != nullptr; }
    // Removes the locks that programs left behind when they were killed (their process is gone):
    // without it every crash would leave one file in the folder for ever. Locks of running
    // programs, and of programs on other computers, stay. Returns how many went.
    int RemoveStaleLocks();

    // A new id for a document of this program.
    QString NewId();
    // Writes the copy and its entry atomically (data first, then the entry that points to it),
    // after every write handed to WriteLater. A write that fails leaves the previous copy.
    bool Write(RecoveryEntry entry, const QByteArray& data, QString& error);
    // The same on the recovery's own thread, so that the caller never waits for the disk nor for
    // makeData, which makes the copy's bytes there (from a snapshot that it owns). Writes are done
    // one after the other in the order given; done then runs on the calling thread with the result.
    using WriteDone = std::function<void(bool ok, const QString& error)>;
    void WriteLater(RecoveryEntry entry, std::function<QByteArray()> makeData, WriteDone done);
    // Returns once every write handed to WriteLater is done.
    void WaitForWrites();
    void Remove(const QString& id);
    QString DataPath(const RecoveryEntry& e) const;

    // Entries of programs that have ended, oldest first. Their programs' locks are taken, so
    // that a program starting at the same moment does not offer them as well, and kept until
    // Adopted, Discarded or ReleaseOrphans.
    QList<RecoveryEntry> ClaimOrphans();
    // A restored document is this program's now: its old copy goes once the window has its own.
    void Discard(const RecoveryEntry& e);
    // Leaves unclaimed what was not decided ("Später").
    void ReleaseOrphans();

    // Every copy of this program (an orderly end after all questions were answered).
    void RemoveOwn();

private:
    // Fills in what the entry says about this program; false when the folder cannot be used.
    bool Prepare(RecoveryEntry& e, QString& error);
    static QByteArray EntryBytes(const RecoveryEntry& e);
    QString EntryPath(const QString& id) const;
    QString InstanceLockPath(const QString& instance) const;
    static bool ReadEntry(const QString& path, RecoveryEntry& e);

    QString m_folder;
    QString m_instance;
    std::unique_ptr<QLockFile> m_instanceLock;
    std::map<QString, std::unique_ptr<QLockFile>> m_claims;
    int m_nNext = 0;
    // One thread, so that an older copy can never overtake a newer one; the results of its writes
    // are delivered to m_receiver, which lives in the thread that made the recovery.
    QThreadPool m_writer;
    QObject m_receiver;
};

}  // namespace tarvex
