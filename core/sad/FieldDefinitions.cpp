#include "core/sad/FieldDefinitions.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/sad/SadLayout.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {
namespace {

// The built-in bytes are the definition column of the layout tables, the one place they are kept.
template <size_t N>
std::array<uint8_t, N> FromLayout(SadSheet sheet) {
    std::array<uint8_t, N> t{};
    const auto& fields = SadFields(sheet);
    for (size_t i = 0; i < fields.size() && i * 4 + 3 < N; ++i)
        for (size_t v = 0; v < 4; ++v) t[i * 4 + v] = fields[i].definition[v];
    return t;
}

template <size_t N>
void LoadTable(std::array<uint8_t, N>& table, const std::array<uint8_t, N>& builtIn, settings::IntKey sizeKey,
               const char* defKey, Profile& profile, Profile& programArea) {
    if (settings::Get(profile, settings::kEHForm, sizeKey) != static_cast<int>(N)) {
        programArea.WriteProfileBinary(settings::kEHForm, defKey, builtIn.data(), N);
        profile.WriteProfileInt(settings::kEHForm, sizeKey.name, static_cast<int>(N));
        programArea.DeleteValue(settings::kSettings, defKey);
        programArea.DeleteValue(settings::kSettings, sizeKey.name);
    }
    std::vector<uint8_t> stored;
    if (programArea.GetProfileBinary(settings::kEHForm, defKey, stored))
        std::memcpy(table.data(), stored.data(), std::min(stored.size(), N));
}

}  // namespace

const FieldDefTable1& BuiltInFieldDefinitions1() {
    static const FieldDefTable1 table = FromLayout<kFieldDefSize1>(SadSheet::First);
    return table;
}

const FieldDefTable2& BuiltInFieldDefinitions2() {
    static const FieldDefTable2 table = FromLayout<kFieldDefSize2>(SadSheet::Continuation);
    return table;
}

uint8_t CFieldDefinitions::Get(int page, int field, int variant) const {
    if (variant < 0 || variant > 3 || field < 0) return 0;
    const size_t i = static_cast<size_t>(field) * 4 + variant;
    if (page == 1) return i < page1.size() ? page1[i] : 0;
    return i < continuation.size() ? continuation[i] : 0;
}

void CFieldDefinitions::Set(int page, int field, int variant, uint8_t value) {
    if (variant < 0 || variant > 3 || field < 0) return;
    const size_t i = static_cast<size_t>(field) * 4 + variant;
    if (page == 1) {
        if (i < page1.size()) page1[i] = value;
    } else if (i < continuation.size()) {
        continuation[i] = value;
    }
}

void CFieldDefinitions::ResetToBuiltIn() {
    page1 = BuiltInFieldDefinitions1();
    continuation = BuiltInFieldDefinitions2();
}

void LoadFieldDefinitions(CFieldDefinitions& defs, Profile& profile, Profile& programArea) {
    LoadTable(defs.page1, BuiltInFieldDefinitions1(), settings::kFieldSizeEH1, settings::kFieldDefEH1,
              profile, programArea);
    LoadTable(defs.continuation, BuiltInFieldDefinitions2(), settings::kFieldSizeEH2, settings::kFieldDefEH2,
              profile, programArea);
}

void SaveFieldDefinitions(const CFieldDefinitions& defs, Profile& profile, Profile& programArea) {
    programArea.WriteProfileBinary(settings::kEHForm, settings::kFieldDefEH1, defs.page1.data(),
                                   kFieldDefSize1);
    profile.WriteProfileInt(settings::kEHForm, settings::kFieldSizeEH1.name, kFieldDefSize1);
    programArea.WriteProfileBinary(settings::kEHForm, settings::kFieldDefEH2, defs.continuation.data(),
                                   kFieldDefSize2);
    profile.WriteProfileInt(settings::kEHForm, settings::kFieldSizeEH2.name, kFieldDefSize2);
}

}  // namespace tarvex
