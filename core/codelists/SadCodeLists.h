#pragma once
// The short code lists behind the SAD box dialogs (boxes 1, 14, 19, 20, 24, 25/26, 36) and the
// rules that turn a box text into the dialog's preselection and the selection back into box text.
// Every "-1" index means "nothing selected".

#include <span>
#include <string>
#include <string_view>

#include "core/codelists/CodeText.h"

namespace tarvex {

// --- box 1: three groups of radio buttons (EU, EX, ...; A, B, ...; T1, T2, ...)
inline constexpr int kBox1GroupCount = 3;
std::span<const std::u16string_view> Box1Group(int group);
// The button whose label equals the box text exactly, -1 when none does.
int Box1PresetButton(int group, std::u16string_view boxText);
// The selected button's label; with no button selected the box keeps its text, so OK never
// wipes a code the list does not know.
std::u16string Box1Result(int group, int button, std::u16string_view boxText);

// --- box 14: declarant roles 0 (empty) to 4, selected by the "Anmelder" number
std::span<const std::u16string_view> DeclarantRoles();
// 1..4 give the role texts, any other number the empty text.
std::u16string_view DeclarantRoleText(int anmelder);

// --- box 19: "0 - Nicht in Container befördert", "1 - In Container befördert"
std::span<const std::u16string_view> ContainerTexts();
// "0" or "1" (read as a decimal number, blanks around allowed) selects its button, else -1.
int ContainerPresetButton(std::u16string_view boxText);
// "0"/"1"; with no button selected the box keeps its text.
std::u16string ContainerResult(int button, std::u16string_view boxText);

// --- box 20: delivery terms (Incoterms 2000), 14 codes. Texts as shown: a widget that reads "&"
// as a mnemonic must double it.
std::span<const CodeText> DeliveryTerms();
// Button 0 is the free-text button, 1..14 the codes in table order.
struct DeliveryTermsPreset {
    int button = 0;
    std::u16string freeText;  // the upper-cased box text, the free button's label
};
DeliveryTermsPreset DeliveryTermsPresetOf(std::u16string_view boxText);
std::u16string DeliveryTermsResult(int button, std::u16string_view freeText);

// --- box 24: nature of transaction, 25 codes "1 1" .. "9 9"
struct TransactionCode {
    int first;
    int second;
    std::u16string_view text;  // own text
};
std::span<const TransactionCode> TransactionCodes();
// Group text of a first digit 1..9, empty otherwise.
std::u16string_view TransactionGroupText(int firstDigit);
// "1 1": first digit, space, second digit.
std::u16string TransactionLabel(const TransactionCode& code);
// From the texts of Feld 24 A and Feld 24 B: the entry with both digits, else the first with the
// same first digit, else the first entry.
int TransactionPresetIndex(std::u16string_view box24A, std::u16string_view box24B);
struct TransactionResult {
    std::u16string box24A;
    std::u16string box24B;
};
TransactionResult TransactionResultOf(int index);

// --- boxes 25 and 26: mode of transport, eight entries, no code 6
std::span<const std::u16string_view> TransportModes();
int TransportCode(int index);  // the entry's leading digit
// n < 1 → first entry; 1..5 → entry n; 6..9 → entry n-1; larger → -1.
int TransportPresetIndex(std::u16string_view boxText);
// The code as "%d"; with nothing selected the box keeps its text.
std::u16string TransportResult(int index, std::u16string_view boxText);

// --- box 36: preference, first digit and pair
std::span<const CodeText> PreferenceFirstDigits();  // "1", "2", "3"
std::span<const CodeText> PreferencePairs();        // "00", "10", ... "50"
struct PreferenceSelection {
    int first = 0;  // index into PreferenceFirstDigits()
    int pair = 0;   // index into PreferencePairs()
};
PreferenceSelection PreferencePresetOf(std::u16string_view boxText);
// The first digit's text followed by the pair's: "100", "218".
std::u16string PreferenceResult(PreferenceSelection selection);

}  // namespace tarvex
