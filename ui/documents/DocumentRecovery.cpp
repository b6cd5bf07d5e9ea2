#include "ui/documents/DocumentRecovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QUuid>
#include <algorithm>

#include "render/app/OutputFile.h"
#include "render/app/QSettingsProfile.h"

namespace tarvex {
namespace {

constexpr char kEntrySuffix[] = ".entry";
constexpr char kInstancePrefix[] = "instance-";
// An entry is a few hundred bytes; anything much larger is not one of ours.
constexpr qint64 kMaxEntrySize = 64 * 1024;

// Through the checked writer: a copy that cannot be written completely (a full disk) leaves the
// previous copy in place, never an empty or cut file under its name.
bool SaveAtomic(const QString& path, const QByteArray& bytes, QString& error) {
    return WriteOutputFile(NativePath(path), bytes, error);
}

}  // namespace

CDocumentRecovery::CDocumentRecovery(QString folder) : m_folder(std::move(folder)) {
    m_instance = QUuid::createUuid().toString(QUuid::WithoutBraces);
    m_writer.setMaxThreadCount(1);
}

CDocumentRecovery::~CDocumentRecovery() {
    WaitForWrites();
    ReleaseOrphans();
    if (m_instanceLock) m_instanceLock->unlock();
}

QString CDocumentRecovery::DefaultFolder() {
    // With a private settings folder (tests) the copies stay inside it as well.
    const QString settingsDir = QSettingsProfile::SettingsDirOverride();
    if (!settingsDir.isEmpty()) return settingsDir + QStringLiteral("/recovery");
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
}

bool CDocumentRecovery::Start(QString* error) {
    if (m_instanceLock) return true;
    if (!QDir().mkpath(m_folder)) {
        if (error) *error = m_folder;
        return false;
    }
    auto lock = std::make_unique<QLockFile>(InstanceLockPath(m_instance));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        if (error) *error = m_folder;
        return false;
    }
    m_instanceLock = std::move(lock);
    return true;
}

int CDocumentRecovery::RemoveStaleLocks() {
    const QDir dir(m_folder);
    const QString own = m_instanceLock ? QFileInfo(InstanceLockPath(m_instance)).fileName() : QString();
    int removed = 0;
    const QStringList names = dir.entryList({QLatin1String(kInstancePrefix) + QStringLiteral("*.lock")},
                                            QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        if (name == own) continue;
        const QString instance = name.mid(int(std::size(kInstancePrefix)) - 1).chopped(5);
        if (m_claims.count(instance)) continue;
        const QString path = dir.filePath(name);
        // QLockFile takes over a lock only when the program that holds it no longer runs on this
        // computer; taken and released at once, the file goes. The copies of that program, if
        // any, stay and are offered as before (their lock is taken again when they are claimed).
        QLockFile lock(path);
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0)) continue;
        lock.unlock();
        if (!QFileInfo::exists(path)) ++removed;
    }
    return removed;
}

QString CDocumentRecovery::NewId() {
    return m_instance.left(8) + QLatin1Char('-') + QString::number(++m_nNext);
}

QString CDocumentRecovery::EntryPath(const QString& id) const {
    return m_folder + QLatin1Char('/') + id + QLatin1String(kEntrySuffix);
}

QString CDocumentRecovery::DataPath(const RecoveryEntry& e) const {
    return m_folder + QLatin1Char('/') + e.id + QLatin1Char('.') + e.kind;
}

QString CDocumentRecovery::InstanceLockPath(const QString& instance) const {
    return m_folder + QLatin1Char('/') + QLatin1String(kInstancePrefix) + instance + QStringLiteral(".lock");
}

bool CDocumentRecovery::Prepare(RecoveryEntry& e, QString& error) {
    if (!Start(&error)) return false;
    e.instance = m_instance;
    e.pid = QCoreApplication::applicationPid();
    e.saved = QDateTime::currentDateTime();
    return true;
}

QByteArray CDocumentRecovery::EntryBytes(const RecoveryEntry& e) {
    QJsonObject o;
    o[QStringLiteral("kind")] = e.kind;
    o[QStringLiteral("original")] = e.originalPath;
    o[QStringLiteral("title")] = e.title;
    o[QStringLiteral("originalSize")] = e.originalStamp.size;
    o[QStringLiteral("originalTime")] = e.originalStamp.mtimeMs;
    o[QStringLiteral("instance")] = e.instance;
    o[QStringLiteral("pid")] = e.pid;
    o[QStringLiteral("saved")] = e.saved.toString(Qt::ISODate);
    return QJsonDocument(o).toJson();
}

bool CDocumentRecovery::Write(RecoveryEntry e, const QByteArray& data, QString& error) {
    WaitForWrites();
    if (!Prepare(e, error)) return false;
    return SaveAtomic(DataPath(e), data, error) && SaveAtomic(EntryPath(e.id), EntryBytes(e), error);
}

void CDocumentRecovery::WriteLater(RecoveryEntry e, std::function<QByteArray()> makeData, WriteDone done) {
    QString error;
    if (!Prepare(e, error)) {
        done(false, error);
        return;
    }
    // Everything the thread needs is copied: it touches nothing of this object but the receiver.
    const QString dataPath = DataPath(e);
    const QString entryPath = EntryPath(e.id);
    const QByteArray entry = EntryBytes(e);
    QObject* receiver = &m_receiver;
    m_writer.start(
        [dataPath, entryPath, entry, makeData = std::move(makeData), receiver, done = std::move(done)] {
            QString why;
            const bool ok = SaveAtomic(dataPath, makeData(), why) && SaveAtomic(entryPath, entry, why);
            QMetaObject::invokeMethod(
                receiver, [done, ok, why] { done(ok, why); }, Qt::QueuedConnection);
        });
}

void CDocumentRecovery::WaitForWrites() {
    m_writer.waitForDone();
}

void CDocumentRecovery::Remove(const QString& id) {
    if (id.isEmpty()) return;
    // A write still queued would bring the copy back.
    WaitForWrites();
    RecoveryEntry e;
    if (ReadEntry(EntryPath(id), e)) QFile::remove(DataPath(e));
    QFile::remove(EntryPath(id));
}

bool CDocumentRecovery::ReadEntry(const QString& path, RecoveryEntry& e) {
    QFile f(path);
    if (f.size() > kMaxEntrySize || !f.open(QIODevice::ReadOnly)) return false;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll());
    if (!doc.isObject()) return false;
    const QJsonObject o = doc.object();
    e.id = QFileInfo(path).completeBaseName();
    e.kind = o.value(QStringLiteral("kind")).toString();
    e.originalPath = o.value(QStringLiteral("original")).toString();
    e.title = o.value(QStringLiteral("title")).toString();
    e.originalStamp.size = o.value(QStringLiteral("originalSize")).toInteger(-1);
    e.originalStamp.mtimeMs = o.value(QStringLiteral("originalTime")).toInteger(0);
    e.instance = o.value(QStringLiteral("instance")).toString();
    e.pid = o.value(QStringLiteral("pid")).toInteger(0);
    e.saved = QDateTime::fromString(o.value(QStringLiteral("saved")).toString(), Qt::ISODate);
    // The kind names the data file: only plain extensions, never a path.
    const bool plainKind =
        !e.kind.isEmpty() && e.kind.size() <= 8 &&
        std::all_of(e.kind.begin(), e.kind.end(), [](QChar c) { return c.isLetterOrNumber(); });
    return plainKind && !e.instance.isEmpty() && !e.instance.contains(QLatin1Char('/'));
}

QList<RecoveryEntry> CDocumentRecovery::ClaimOrphans() {
    QList<RecoveryEntry> result;
    const QDir dir(m_folder);
    const QStringList names =
        dir.entryList({QStringLiteral("*") + QLatin1String(kEntrySuffix)}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        RecoveryEntry e;
        if (!ReadEntry(dir.filePath(name), e) || e.instance == m_instance) continue;
        // A damaged or half-written copy is left where it is, never offered.
        if (!QFileInfo::exists(DataPath(e))) continue;
        if (!m_claims.count(e.instance)) {
            auto lock = std::make_unique<QLockFile>(InstanceLockPath(e.instance));
            lock->setStaleLockTime(0);
            // Held: that program is still running and its documents are open there.
            if (!lock->tryLock(0)) continue;
            m_claims[e.instance] = std::move(lock);
        }
        result.append(e);
    }
    std::sort(result.begin(), result.end(),
              [](const RecoveryEntry& a, const RecoveryEntry& b) { return a.saved < b.saved; });
    return result;
}

void CDocumentRecovery::Discard(const RecoveryEntry& e) {
    WaitForWrites();
    QFile::remove(DataPath(e));
    QFile::remove(EntryPath(e.id));
}

void CDocumentRecovery::ReleaseOrphans() {
    // Unlocking removes the lock file: the next start finds the undecided copies free again.
    for (auto& claim : m_claims) claim.second->unlock();
    m_claims.clear();
}

void CDocumentRecovery::RemoveOwn() {
    WaitForWrites();
    const QDir dir(m_folder);
    for (const QString& name :
         dir.entryList({QStringLiteral("*") + QLatin1String(kEntrySuffix)}, QDir::Files)) {
        RecoveryEntry e;
        if (ReadEntry(dir.filePath(name), e) && e.instance == m_instance) Discard(e);
    }
}

}  // namespace tarvex
