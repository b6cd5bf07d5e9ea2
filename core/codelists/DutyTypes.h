#pragma once
// The national duty types offered for box 47, in their fixed order.

#include <span>
#include <string_view>

namespace tarvex {

struct DutyType {
    std::u16string_view code;
    std::u16string_view text;
};

std::span<const DutyType> DutyTypes();
// The first duty type whose code begins with the preset (ignoring case), or 0 when none does.
int DutyTypePresetIndex(std::u16string_view preset);

}  // namespace tarvex
