#pragma once
// The German federal states of boxes 17 b and 34 b: 17 texts in their fixed order, "99 - Ausland"
// last, and the rules of the federal-state dialog and of the form defaults' state combos.

#include <span>
#include <string>
#include <string_view>

namespace tarvex {

inline constexpr int kFederalStateCount = 17;
// The form defaults offer only the 16 states, without "99 - Ausland".
inline constexpr int kFederalStateCountInland = 16;

// "01 - Schleswig-Holstein" ... "16 - Thüringen", "99 - Ausland".
std::span<const std::u16string_view> FederalStates();
// The code of entry index (0-based): "01".."16", "99" for the last.
std::u16string FederalStateCode(int index);
// The text after the code: "Schleswig-Holstein".
std::u16string_view FederalStateName(int index);

// The dialog's selection for a preset: empty means "1"; n selects entry n, 99 the last entry;
// -1 (nothing selected) for anything else.
int FederalStatePresetIndex(std::u16string_view preset);
// The code on OK; with nothing selected the preset stays.
std::u16string FederalStateResult(int index, std::u16string_view preset);

// The form defaults' combo entry for a stored "Bundesland1"/"Bundesland2" value (1 = first
// entry), -1 outside 1..16; and the value stored for a combo position.
int InlandStateComboIndex(std::u16string_view stored);
std::u16string InlandStateComboValue(int index);

}  // namespace tarvex
