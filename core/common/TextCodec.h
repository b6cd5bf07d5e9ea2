#pragma once
// Text conversions: Windows-1252 (the 8-bit code page of German Windows systems, used by old
// document files and dBase tables), UTF-8 (files and command line here) and the text-to-bytes
// rule for 8-bit text written to dBase tables and to command lines of other programs.

#include <string>
#include <string_view>

namespace tarvex {

// Decodes 8-bit Windows-1252 text; the five undefined bytes map to the C1 control characters.
std::u16string DecodeWindows1252(std::string_view bytes);

// The text-to-bytes rule: best-fit to Windows-1252 and back, every character below 256 becomes
// that byte, dashes '-', single quotes '\'', double quotes '"', the euro sign 'E', any other
// character of the code page 0xA5; characters without any mapping become '?'.
std::string TextToBytes(std::u16string_view text);

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

bool IsWideSpace(char16_t c);
// Removes trailing white space (IsWideSpace).
void TrimRight(std::u16string& text);
std::u16string TrimmedRight(std::u16string_view text);

}  // namespace tarvex
