#include "render/app/QSettingsProfile.h"

#include <QByteArray>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QSettings>
#include <filesystem>

#if defined(Q_OS_LINUX)
#include <sys/stat.h>
#endif

namespace tarvex {
namespace {

QString Key(std::string_view section, std::string_view key) {
    QString s = QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size()));
    s += QLatin1Char('/');
    s += QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
    return s;
}

// QSettings writes its file by itself at the next turn of the event loop after a change. Every
// change here is written when it is made, or with the batch it belongs to; a write of its own
// would hand a batch's values to the disk early (at start-up: before the window is on the screen).
class NoOwnWrites : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return event->type() == QEvent::UpdateRequest || QObject::eventFilter(watched, event);
    }
};

}  // namespace

QString QSettingsProfile::SettingsDirOverride() {
    return qEnvironmentVariable("TARVEX_SETTINGS_DIR");
}

QSettingsProfile::QSettingsProfile(Area area) {
    static constexpr const char* kOrg[] = {"Dalrek", "KTW", "KTW"};
    const int i = static_cast<int>(area);
    const QString org = QString::fromLatin1(kOrg[i]);
    const QString app = QStringLiteral("Tarvex-Import");
    const QString dir = SettingsDirOverride();
    if (!dir.isEmpty()) {
        static constexpr const char* kSub[] = {"user", "user", "machine"};
        QDir().mkpath(dir + QLatin1Char('/') + QLatin1String(kSub[i]) + QLatin1Char('/') + org);
        m_settings =
            std::make_unique<QSettings>(dir + QLatin1Char('/') + QLatin1String(kSub[i]) + QLatin1Char('/') +
                                            org + QLatin1Char('/') + app + QStringLiteral(".ini"),
                                        QSettings::IniFormat);
    } else {
        m_settings = std::make_unique<QSettings>(
            QSettings::NativeFormat,
            area == Area::MachineArea ? QSettings::SystemScope : QSettings::UserScope, org, app);
    }
    m_settings->setFallbacksEnabled(false);
    m_statPath = QFile::encodeName(m_settings->fileName());
    m_noOwnWrites = std::make_unique<NoOwnWrites>();
    m_settings->installEventFilter(m_noOwnWrites.get());
#ifdef Q_OS_WIN
    m_bFileStore = m_settings->format() != QSettings::NativeFormat;
#endif
}

QSettingsProfile::~QSettingsProfile() = default;

QString QSettingsProfile::FileName() const {
    return m_settings->fileName();
}

// What a settings file looks like from outside: modification time (ns) and size; {0, -1} when
// there is no such file (or the store is not a file, as the registry). Asked before every value
// read: one stat() where there is one.
std::pair<int64_t, int64_t> QSettingsProfile::FileStamp() const {
#if defined(Q_OS_LINUX)
    struct stat st {};
    if (::stat(m_statPath.constData(), &st) != 0) return {0, -1};
    return {static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
            static_cast<int64_t>(st.st_size)};
#else
    std::error_code ec;
    const std::filesystem::path path = m_settings->fileName().toStdU16String();
    const auto time = std::filesystem::last_write_time(path, ec);
    if (ec) return {0, -1};
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) return {0, -1};
    return {static_cast<int64_t>(time.time_since_epoch().count()), static_cast<int64_t>(size)};
#endif
}

void QSettingsProfile::Refresh() {
    // Another program may have written the store since: read it again then. Re-reading takes
    // the file's lock, which is far too slow to do for every value read at start-up. A file that
    // is still missing has nothing to read either; re-reading it would write out what a batch
    // holds back (the first start). The registry has no stamp and is always asked again.
    const auto stamp = FileStamp();
    if (stamp == m_stamp && (stamp.second >= 0 || m_bFileStore)) return;
    m_settings->sync();
    m_stamp = FileStamp();
}

bool QSettingsProfile::Commit() {
    if (m_nBatchDepth > 0) {
        m_bPending = true;
        return true;
    }
    m_bPending = false;
    ++m_nCommits;
    m_settings->sync();
    m_stamp = FileStamp();
    return m_settings->status() == QSettings::NoError;
}

void QSettingsProfile::BeginBatch() {
    ++m_nBatchDepth;
}

bool QSettingsProfile::EndBatch() {
    if (m_nBatchDepth <= 0 || --m_nBatchDepth > 0) return true;
    return !m_bPending || Commit();
}

namespace {

// The stored value equals the one to write. INI files give every scalar back as text.
bool SameValue(const QVariant& stored, const QVariant& value, bool textStore) {
    if (!stored.isValid()) return false;
    const int storedType = stored.typeId();
    switch (value.typeId()) {
        case QMetaType::Int: {
            if (storedType == QMetaType::QString)
                return textStore && stored.toString() == QString::number(value.toInt());
            if (storedType != QMetaType::Int && storedType != QMetaType::UInt &&
                storedType != QMetaType::LongLong && storedType != QMetaType::ULongLong)
                return false;
            return static_cast<int>(static_cast<uint32_t>(stored.toLongLong())) == value.toInt();
        }
        case QMetaType::QString:
            return storedType == QMetaType::QString && stored.toString() == value.toString();
        case QMetaType::QByteArray:
            return storedType == QMetaType::QByteArray && stored.toByteArray() == value.toByteArray();
        default:
            return false;
    }
}

}  // namespace

bool QSettingsProfile::Store(const QString& key, const QVariant& value) {
    Refresh();
    if (SameValue(m_settings->value(key), value, m_settings->format() == QSettings::IniFormat))
        return m_settings->status() == QSettings::NoError;
    m_settings->setValue(key, value);
    return Commit();
}

bool QSettingsProfile::IsWritable() {
    return m_settings->isWritable();
}

int QSettingsProfile::GetProfileInt(std::string_view section, std::string_view key, int defaultValue) {
    Refresh();
    const QVariant v = m_settings->value(Key(section, key));
    if (!v.isValid()) return defaultValue;
    bool ok = false;
    // Stored as unsigned 32-bit and handed on as int.
    const qlonglong n = v.toLongLong(&ok);
    return ok ? static_cast<int>(static_cast<uint32_t>(n)) : defaultValue;
}

bool QSettingsProfile::WriteProfileInt(std::string_view section, std::string_view key, int value) {
    return Store(Key(section, key), value);
}

std::u16string QSettingsProfile::GetProfileString(std::string_view section, std::string_view key,
                                                  std::u16string_view defaultValue) {
    Refresh();
    const QVariant v = m_settings->value(Key(section, key));
    if (!v.isValid()) return std::u16string(defaultValue);
    return v.toString().toStdU16String();
}

bool QSettingsProfile::WriteProfileString(std::string_view section, std::string_view key,
                                          std::u16string_view value) {
    return Store(Key(section, key), QString::fromUtf16(value.data(), static_cast<qsizetype>(value.size())));
}

bool QSettingsProfile::GetProfileBinary(std::string_view section, std::string_view key,
                                        std::vector<uint8_t>& out) {
    Refresh();
    const QVariant v = m_settings->value(Key(section, key));
    if (!v.isValid()) return false;
    const QByteArray b = v.toByteArray();
    out.assign(b.begin(), b.end());
    return true;
}

bool QSettingsProfile::WriteProfileBinary(std::string_view section, std::string_view key, const uint8_t* data,
                                          size_t size) {
    return Store(Key(section, key),
                 QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
}

bool QSettingsProfile::DeleteValue(std::string_view section, std::string_view key) {
    Refresh();
    const QString k = Key(section, key);
    const bool had = m_settings->contains(k);
    if (!had) return false;  // nothing to write
    m_settings->remove(k);
    Commit();
    return had;
}

bool QSettingsProfile::DeleteKey(std::string_view section) {
    Refresh();
    // Deleting what is not there writes nothing (the reset commands and "-init" often find the
    // section gone already).
    if (section.empty()) {
        if (m_settings->allKeys().isEmpty()) return m_settings->status() == QSettings::NoError;
        m_settings->clear();
    } else {
        const QString group = QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size()));
        m_settings->beginGroup(group);
        const bool empty = m_settings->allKeys().isEmpty();
        m_settings->endGroup();
        if (empty && !m_settings->contains(group)) return m_settings->status() == QSettings::NoError;
        m_settings->remove(group);
    }
    return Commit();
}

}  // namespace tarvex
