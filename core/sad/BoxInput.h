#pragma once
// Texts of the box input dialogs that open by themselves when the caret enters a box (the
// three-line stamp text, box 44 with its reserved first line) and of the date dialogs behind F2
// (box 54, the stamp dates).

#include <string>
#include <string_view>
#include <vector>

#include "core/settings/Profile.h"

namespace tarvex {

inline constexpr int kFeld44Lines = 5;
inline constexpr size_t kFeld44LineLength = 127;

// The three-line dialog's preset: leading white space removed.
std::u16string TextInput3LPreset(std::u16string_view fieldText);

// Splits a box text at CR LF (a lone LF also ends a line).
std::vector<std::u16string> SplitLines(std::u16string_view text);

// The lines the box 44 dialog shows: the box text cut into at most five lines; with the
// first-line reservation lines 2 to 5, otherwise lines 1 to 5.
std::vector<std::u16string> Feld44EditLines(std::u16string_view boxText, bool reserveFirstLine);
// The box text from the dialog's lines: at most five lines of at most 127 characters; with the
// reservation an empty first line followed by the first four. Lines joined with CR LF.
std::u16string Feld44BoxText(const std::vector<std::u16string>& editLines, bool reserveFirstLine);

// A date as the boxes show it: "%d.%d.%d" of day, month, year, no leading zeros.
std::u16string DateBoxText(int day, int month, int year);

// Box 54: "place, d.m.yyyy", or the date alone when the place is empty; trailing white space of
// the place is removed first.
std::u16string PlaceDateText(std::u16string_view place, int day, int month, int year);

// The box 54 dialog's start values from the profile: the check "Ortsname merken" and, when it is
// set, the remembered place.
struct PlaceDateStart {
    bool reuse = true;
    std::u16string place;
};
PlaceDateStart PlaceDatePreset(Profile& profile);
// OK in the box 54 dialog: stores the check and, when set, the trimmed place; returns the box text.
std::u16string PlaceDateAccept(Profile& profile, std::u16string_view place, bool reuse, int day, int month,
                               int year);

}  // namespace tarvex
