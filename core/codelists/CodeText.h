#pragma once
// A code with its German text, the row type of the built-in code lists, and the number reading
// the lists' preset rules share.

#include <string>
#include <string_view>

namespace tarvex {

struct CodeText {
    std::u16string_view code;
    std::u16string_view text;
};

// A text read as a decimal number the way the dialogs always read box texts: leading white space,
// an optional sign, then digits up to the first other character; no digits give 0. Values beyond
// the int range are clamped.
int DecimalValue(std::u16string_view text);

// The rule that ends the country and currency tables: a row whose code, read as a decimal number,
// exceeds 1998 is the sentinel.
bool IsSentinelCode(std::u16string_view code);

// Case-insensitive comparison of ASCII and Latin-1 letters, as the list dialogs match presets.
char16_t FoldCase(char16_t c);
bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix);

// The key a German sorted list orders names by: case and accents ignored, ß read as "ss".
// Append form for callers that build many keys into one buffer.
void AppendGermanSortKey(std::u16string_view text, std::u16string& key);
std::u16string GermanSortKey(std::u16string_view text);

// Upper case as the delivery-terms box shows it: ASCII and Latin-1 letters, ß stays as it is.
std::u16string ToUpperText(std::u16string_view text);

}  // namespace tarvex
