#pragma once
// Per SAD form variant and field: not printed (1), not editable (2), not shown (8).
// Two tables, one byte per field and variant at field * 4 + variant.

#include <array>
#include <cstdint>

namespace tarvex {

class Profile;

inline constexpr uint8_t kDefNotPrinted = 0x01;
inline constexpr uint8_t kDefNotEditable = 0x02;
inline constexpr uint8_t kDefHidden = 0x08;
inline constexpr uint8_t kDefNotOnForm = 0x0B;

inline constexpr int kFieldDefFields1 = 154;
inline constexpr int kFieldDefFields2 = 214;
inline constexpr int kFieldDefSize1 = kFieldDefFields1 * 4;  // 616
inline constexpr int kFieldDefSize2 = kFieldDefFields2 * 4;  // 856

using FieldDefTable1 = std::array<uint8_t, kFieldDefSize1>;
using FieldDefTable2 = std::array<uint8_t, kFieldDefSize2>;

// The built-in tables ("Originalwerte").
const FieldDefTable1& BuiltInFieldDefinitions1();
const FieldDefTable2& BuiltInFieldDefinitions2();

struct CFieldDefinitions {
    FieldDefTable1 page1{};  // all zero before the first successful load
    FieldDefTable2 continuation{};

    uint8_t Get(int page, int field, int variant) const;
    void Set(int page, int field, int variant, uint8_t value);
    void ResetToBuiltIn();
};

// Loads both working tables: a stored size other than 616 (856) first replaces the stored table
// by the built-in one and removes the values of the old location (section "Settings" of the
// program area). A table that cannot be read leaves the working table as it was.
void LoadFieldDefinitions(CFieldDefinitions& defs, Profile& profile, Profile& programArea);
void SaveFieldDefinitions(const CFieldDefinitions& defs, Profile& profile, Profile& programArea);

}  // namespace tarvex
