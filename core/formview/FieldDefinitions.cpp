#include "core/formview/FieldDefinitions.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "core/app/Profile.h"
#include "core/app/SettingsKeys.h"

namespace tarvex {
namespace {

// Field-index ranges as the form descriptions list them ("2-8, 13, 15").
template <size_t N>
void Mark(std::array<uint8_t, N>& table, int variant, std::string_view ranges, uint8_t value) {
    size_t pos = 0;
    while (pos < ranges.size()) {
        size_t end = ranges.find(',', pos);
        if (end == std::string_view::npos) end = ranges.size();
        std::string_view item = ranges.substr(pos, end - pos);
        while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
        int from = 0, to = 0;
        size_t dash = item.find('-');
        auto num = [](std::string_view s) {
            int v = 0;
            for (char c : s)
                if (c >= '0' && c <= '9') v = v * 10 + (c - '0');
            return v;
        };
        if (dash == std::string_view::npos) {
            from = to = num(item);
        } else {
            from = num(item.substr(0, dash));
            to = num(item.substr(dash + 1));
        }
        for (int f = from; f <= to; ++f) table[static_cast<size_t>(f) * 4 + variant] = value;
        pos = end + 1;
    }
}

FieldDefTable1 MakeBuiltIn1() {
    FieldDefTable1 t{};
    Mark(t, 0, "2-8,13,15,19-20,22-23,32,48,60,71,76-95,98-102,104-112", kDefNotOnForm);
    Mark(t, 1, "3-8,13,15,19-20,23,26,28,30,42,48-49,66,71,80-95,98-102,104-112", kDefNotOnForm);
    Mark(t, 2,
         "2-10,13,15,17-20,22-23,27-30,32,35-37,40-51,60,71-72,74,76-95,98-102,104-112,115,117-120,"
         "122-125,127-130,132-135,137-140,142-145,147-150",
         kDefNotOnForm);
    Mark(t, 3, "2-8,13,15,19-20,22-23,28,32,48,60,71,76-95,98-104,106-112", kDefNotOnForm);
    for (int v = 0; v < 4; ++v) Mark(t, v, "113-114", kDefNotEditable);
    return t;
}

FieldDefTable2 MakeBuiltIn2() {
    FieldDefTable2 t{};
    for (int v : {0, 1, 3}) Mark(t, v, "0-6,19,30,40,51,61,72", kDefNotOnForm);
    Mark(t, 2,
         "0-8,19,30-31,40,51-52,61,64-65,72-73,78,80-83,85-88,90-93,95-98,100-103,105-108,110-114,"
         "116-119,121-124,126-129,131-134,136-139,141-144,146-150,152-155,157-160,162-165,167-170,"
         "172-175,177-180,182-186,188-189,191-192,194-195,197-198,200-201,203-204,206-207",
         kDefNotOnForm);
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
    static const FieldDefTable1 table = MakeBuiltIn1();
    return table;
}

const FieldDefTable2& BuiltInFieldDefinitions2() {
    static const FieldDefTable2 table = MakeBuiltIn2();
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
    LoadTable(defs.page1, BuiltInFieldDefinitions1(), settings::kFieldSizeEH1, settings::kFieldDefEH1, profile,
              programArea);
    LoadTable(defs.continuation, BuiltInFieldDefinitions2(), settings::kFieldSizeEH2, settings::kFieldDefEH2,
              profile, programArea);
}

void SaveFieldDefinitions(const CFieldDefinitions& defs, Profile& profile, Profile& programArea) {
    programArea.WriteProfileBinary(settings::kEHForm, settings::kFieldDefEH1, defs.page1.data(), kFieldDefSize1);
    profile.WriteProfileInt(settings::kEHForm, settings::kFieldSizeEH1.name, kFieldDefSize1);
    programArea.WriteProfileBinary(settings::kEHForm, settings::kFieldDefEH2, defs.continuation.data(),
                                   kFieldDefSize2);
    profile.WriteProfileInt(settings::kEHForm, settings::kFieldSizeEH2.name, kFieldDefSize2);
}

}  // namespace tarvex
