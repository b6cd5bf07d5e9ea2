#pragma once
// The settings store: sections with integer, string and byte-block values. The program keeps
// three areas of this kind (the per-user profile, the program area of the registry manager and
// the machine area); each is one Profile. Nothing is cached: a write is seen by the next read.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tarvex {

class Profile {
public:
    virtual ~Profile() = default;

    virtual int GetProfileInt(std::string_view section, std::string_view key, int defaultValue) = 0;
    virtual bool WriteProfileInt(std::string_view section, std::string_view key, int value) = 0;
    virtual std::u16string GetProfileString(std::string_view section, std::string_view key,
                                            std::u16string_view defaultValue) = 0;
    virtual bool WriteProfileString(std::string_view section, std::string_view key,
                                    std::u16string_view value) = 0;
    virtual bool GetProfileBinary(std::string_view section, std::string_view key,
                                  std::vector<uint8_t>& out) = 0;
    virtual bool WriteProfileBinary(std::string_view section, std::string_view key, const uint8_t* data,
                                    size_t size) = 0;
    // Deletes one value; true when it existed.
    virtual bool DeleteValue(std::string_view section, std::string_view key) = 0;
    // Deletes a section with all its subsections ("Workspace" also removes "Workspace/Bars");
    // an empty name deletes the whole area.
    virtual bool DeleteKey(std::string_view section) = 0;

    // Writes between BeginBatch and EndBatch may reach the store together at EndBatch, in one
    // write of the store instead of one per value; reads in between see them. Batches nest; false
    // from the outermost EndBatch when the store could not be written.
    virtual void BeginBatch() {}
    virtual bool EndBatch() { return true; }
};

// Holds a batch of writes open on one store for its lifetime.
class CProfileBatch {
public:
    explicit CProfileBatch(Profile& profile) : m_profile(&profile) { profile.BeginBatch(); }
    ~CProfileBatch() { End(); }
    CProfileBatch(const CProfileBatch&) = delete;
    CProfileBatch& operator=(const CProfileBatch&) = delete;
    // Ends the batch now (once); the result of EndBatch.
    bool End() {
        if (!m_profile) return true;
        Profile* p = m_profile;
        m_profile = nullptr;
        return p->EndBatch();
    }

private:
    Profile* m_profile;
};

// In-memory store for tests and for running without any settings file.
class CMemoryProfile : public Profile {
public:
    using Value = std::variant<int, std::u16string, std::vector<uint8_t>>;

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

    bool Has(std::string_view section, std::string_view key) const;
    size_t Size() const { return m_values.size(); }

private:
    static std::string Path(std::string_view section, std::string_view key);
    std::map<std::string, Value> m_values;
};

}  // namespace tarvex
