#pragma once
// Text rules the address and article tables share: splitting a multi-line text into table fields
// and telling what would not fit, the list order and the search of the dialogs' lists.

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

// The text with %1, %2, ... replaced by the arguments in order.
std::u16string MdArgs(std::u16string_view text, std::initializer_list<std::u16string_view> args);
std::u16string MdNumber(long long value);

// Bytes a value takes in a table field (the text-to-bytes rule of the engine).
size_t TableBytes(std::u16string_view text);
// The longest start of text that fits width bytes.
std::u16string FitToBytes(std::u16string_view text, size_t width);

// Lines of a text separated by CR LF (a lone LF counts too, as pasted text may bring it).
std::vector<std::u16string> MdSplitLines(std::u16string_view text);
std::u16string MdJoinLines(const std::vector<std::u16string>& lines);

// Lines of a text cut into at most maxLines fields of width bytes each. Lines after the last that
// holds text are dropped without a word; `problems` lists (German, one per line) what was cut.
struct FittedLines {
    std::vector<std::u16string> lines;  // maxLines entries
    std::vector<std::u16string> problems;
};
FittedLines FitLines(std::u16string_view text, size_t maxLines, size_t width, bool trimLeading);
// The same with a width of its own for each line (widths.size() lines).
FittedLines FitLines(std::u16string_view text, const std::vector<size_t>& widths, bool trimLeading);

// Case folding for the search (umlauts kept apart from their base letters).
std::u16string SearchFold(std::u16string_view text);
// Order of entries by their list text in German order (GermanSortKey; stable: equal texts keep
// their order); indexes into texts.
std::vector<int> SortedOrder(const std::vector<std::u16string>& texts);
std::vector<int> SortedOrder(const std::vector<std::u16string_view>& texts);

}  // namespace tarvex
