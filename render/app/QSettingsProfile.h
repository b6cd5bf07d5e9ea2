#pragma once
// The settings store on Qt: the registry on Windows, INI files elsewhere. The environment
// variable TARVEX_SETTINGS_DIR moves every area into that folder (tests, portable use).

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <utility>

#include "core/settings/Profile.h"

class QObject;
class QSettings;

namespace tarvex {

class QSettingsProfile : public Profile {
public:
    enum class Area { Profile, ProgramArea, MachineArea };

    explicit QSettingsProfile(Area area);
    ~QSettingsProfile() override;

    int GetProfileInt(std::string_view section, std::string_view key, int defaultValue) override;
    bool WriteProfileInt(std::string_view section, std::string_view key, int value) override;
    std::u16string GetProfileString(std::string_view section, std::string_view key,
                                    std::u16string_view defaultValue) override;
    bool WriteProfileString(std::string_view section, std::string_view key,
                            std::u16string_view value) override;
    bool GetProfileBinary(std::string_view section, std::string_view key, std::vector<uint8_t>& out) override;
    bool WriteProfileBinary(std::string_view section, std::string_view key, const uint8_t* data,
                            size_t size) override;
    bool DeleteValue(std::string_view section, std::string_view key) override;
    bool DeleteKey(std::string_view section) override;
    void BeginBatch() override;
    bool EndBatch() override;

    // False for the machine area when its store cannot be written (no administrator rights).
    bool IsWritable();
    QString FileName() const;

    static QString SettingsDirOverride();

    // How often the store was written (each write rewrites the whole file); for tests.
    int CommitCount() const { return m_nCommits; }

private:
    // A value that already stands in the store is not written again: a start that changes
    // nothing writes nothing.
    bool Store(const QString& key, const QVariant& value);
    bool Commit();
    void Refresh();
    std::pair<int64_t, int64_t> FileStamp() const;
    std::unique_ptr<QObject> m_noOwnWrites;  // outlives m_settings, which it watches
    std::unique_ptr<QSettings> m_settings;
    std::pair<int64_t, int64_t> m_stamp{0, -1};  // of the file as last read or written
    QByteArray m_statPath;                       // the store's file in the system's encoding
    bool m_bFileStore = true;                    // false: the registry, which has no stamp
    int m_nBatchDepth = 0;
    bool m_bPending = false;  // written inside the batch, not yet in the store
    int m_nCommits = 0;
};

}  // namespace tarvex
