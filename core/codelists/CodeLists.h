#pragma once
// Every built-in code list under its name, as rows of code and text: the one place a new list is
// registered for `tarvex codes` and for anything else that walks all lists.

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvex {

struct CodeListRow {
    std::u16string code;
    std::u16string text;
    // The list's own members after code and text, in the order they are written.
    std::vector<std::pair<std::string_view, std::u16string>> extra;
};

struct CodeList {
    std::string_view name;  // "countries", "currencies", ...
    std::vector<CodeListRow> (*rows)();
};

// In the order `tarvex codes` names them.
std::span<const CodeList> CodeLists();
// nullptr for an unknown name.
const CodeList* FindCodeList(std::string_view name);

}  // namespace tarvex
