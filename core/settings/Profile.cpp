#include "core/settings/Profile.h"

namespace tarvex {

std::string CMemoryProfile::Path(std::string_view section, std::string_view key) {
    std::string p(section);
    p += '/';
    p += key;
    return p;
}

int CMemoryProfile::GetProfileInt(std::string_view section, std::string_view key, int defaultValue) {
    auto it = m_values.find(Path(section, key));
    if (it == m_values.end()) return defaultValue;
    if (const int* v = std::get_if<int>(&it->second)) return *v;
    return defaultValue;
}

bool CMemoryProfile::WriteProfileInt(std::string_view section, std::string_view key, int value) {
    m_values[Path(section, key)] = value;
    return true;
}

std::u16string CMemoryProfile::GetProfileString(std::string_view section, std::string_view key,
                                                std::u16string_view defaultValue) {
    auto it = m_values.find(Path(section, key));
    if (it != m_values.end())
        if (const auto* v = std::get_if<std::u16string>(&it->second)) return *v;
    return std::u16string(defaultValue);
}

bool CMemoryProfile::WriteProfileString(std::string_view section, std::string_view key,
                                        std::u16string_view value) {
    m_values[Path(section, key)] = std::u16string(value);
    return true;
}

bool CMemoryProfile::GetProfileBinary(std::string_view section, std::string_view key,
                                      std::vector<uint8_t>& out) {
    auto it = m_values.find(Path(section, key));
    if (it == m_values.end()) return false;
    const auto* v = std::get_if<std::vector<uint8_t>>(&it->second);
    if (!v) return false;
    out = *v;
    return true;
}

bool CMemoryProfile::WriteProfileBinary(std::string_view section, std::string_view key, const uint8_t* data,
                                        size_t size) {
    m_values[Path(section, key)] = std::vector<uint8_t>(data, data + size);
    return true;
}

bool CMemoryProfile::DeleteValue(std::string_view section, std::string_view key) {
    return m_values.erase(Path(section, key)) > 0;
}

bool CMemoryProfile::DeleteKey(std::string_view section) {
    bool any = false;
    std::string prefix(section);
    if (!prefix.empty()) prefix += '/';
    for (auto it = m_values.begin(); it != m_values.end();) {
        if (it->first.compare(0, prefix.size(), prefix) == 0) {
            it = m_values.erase(it);
            any = true;
        } else {
            ++it;
        }
    }
    return any;
}

bool CMemoryProfile::Has(std::string_view section, std::string_view key) const {
    return m_values.count(Path(section, key)) > 0;
}

}  // namespace tarvex
