#pragma once
// The country and currency tables of the code-list dialogs and the rules that decide what those
// dialogs preselect and return. The dialogs show each table in two sorted lists (codes, names);
// every list item stands for a table row, so the rules speak in row indices.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/codelists/CodeText.h"

namespace tarvex {

// 352 rows in table order (code, German name); codes repeat where parts of a country have their
// own name. The sentinel row is not part of the span.
std::span<const CodeText> Countries();
// 185 rows (ISO code, German name), without the sentinel.
std::span<const CodeText> Currencies();

// Row indices in the order of the dialogs' sorted lists. Codes: by code, equal codes in table
// order. Names: as a German sorted list shows them (case and accents ignored first).
std::vector<int> CodeListOrder(std::span<const CodeText> rows);
std::vector<int> NameListOrder(std::span<const CodeText> rows);

// Window title of the country dialog for a caller's mode: 1 "Bestimmungsland", 2 "Ursprungsland",
// 3 "Versendungsland", 4 "Erzeugungsland", otherwise "Ländercodes".
std::u16string_view CountryDialogTitle(int mode);

// What the country dialog selects at start: the row of the selected name item and the row of the
// selected code item (the code list shows the first item of a repeated code).
struct CountrySelection {
    int nameRow = -1;
    int codeRow = -1;
};
CountrySelection CountryPresetSelection(std::u16string_view namePreset, std::u16string_view codePreset);

// Keeping the two lists in step. A code item selects the name of its row; a name item selects
// the first code item with its row's code. Both return the row of the item to select.
int CountryNameItemForCodeRow(int codeRow);
int CountryCodeItemForNameRow(int nameRow);

// On OK the name list decides: name and code both come from the selected name's row.
struct CountryResult {
    std::u16string name;
    std::u16string code;
};
CountryResult CountryResultOf(int nameRow);

// The currency dialog selects the row whose code equals the preset exactly ("EUR" when empty);
// -1 when none does. The two lists follow each other by exact code.
int CurrencyPresetRow(std::u16string_view preset);
int CurrencyCodeItemForNameRow(int nameRow);
// The code on OK; with nothing selected the preset stays.
std::u16string CurrencyResult(int codeRow, std::u16string_view preset);

}  // namespace tarvex
