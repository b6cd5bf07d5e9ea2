#include "core/codelists/FederalStates.h"

#include <array>

#include "core/codelists/CodeListStrings.h"
#include "core/codelists/CodeText.h"

namespace tarvex {
namespace {

// Shown in this order, not sorted.
constexpr std::array<std::u16string_view, kFederalStateCount> kStates = {
    codestr::kState1072, codestr::kState1073, codestr::kState1074, codestr::kState1075, codestr::kState1076,
    codestr::kState1077, codestr::kState1078, codestr::kState1079, codestr::kState1080, codestr::kState1081,
    codestr::kState1082, codestr::kState1083, codestr::kState1084, codestr::kState1085, codestr::kState1086,
    codestr::kState1087, codestr::kState1088,
};

std::u16string TwoDigits(int n) {
    return {static_cast<char16_t>(u'0' + n / 10 % 10), static_cast<char16_t>(u'0' + n % 10)};
}

}  // namespace

std::span<const std::u16string_view> FederalStates() {
    return kStates;
}

std::u16string FederalStateCode(int index) {
    if (index < 0 || index >= kFederalStateCount) return {};
    return index == kFederalStateCount - 1 ? std::u16string(u"99") : TwoDigits(index + 1);
}

std::u16string_view FederalStateName(int index) {
    if (index < 0 || index >= kFederalStateCount) return {};
    const std::u16string_view text = kStates[static_cast<size_t>(index)];
    const size_t dash = text.find(u" - ");
    return dash == std::u16string_view::npos ? text : text.substr(dash + 3);
}

int FederalStatePresetIndex(std::u16string_view preset) {
    const int n = preset.empty() ? 1 : DecimalValue(preset);
    if (n == 99) return kFederalStateCount - 1;
    return n >= 1 && n <= kFederalStateCount ? n - 1 : -1;
}

std::u16string FederalStateResult(int index, std::u16string_view preset) {
    if (index < 0 || index >= kFederalStateCount) return std::u16string(preset);
    return FederalStateCode(index);
}

int InlandStateComboIndex(std::u16string_view stored) {
    const int n = DecimalValue(stored);
    return n >= 1 && n <= kFederalStateCountInland ? n - 1 : -1;
}

std::u16string InlandStateComboValue(int index) {
    if (index < 0 || index >= kFederalStateCountInland) return {};
    return TwoDigits(index + 1);
}

}  // namespace tarvex
