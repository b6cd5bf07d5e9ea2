#pragma once
// Texts of the box input dialogs that open by themselves when the caret enters a box: the
// three-line stamp text and box 44 with its reserved first line.

#include <string>
#include <string_view>
#include <vector>

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

}  // namespace tarvex
