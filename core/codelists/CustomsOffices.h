#pragma once
// The customs offices of box 29 (office of entry) and the order of the office list.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

struct CustomsOffice {
    std::u16string_view kind;        // "Allgemein", "Luftverkehr", ...
    std::u16string_view officeType;  // "Zollamt", "D.Zollamt", "Abfertigungsstelle", ...
    std::u16string_view place;
    std::u16string_view code;  // "DE" and six digits
};

// 118 rows in table order, without the sentinel.
std::span<const CustomsOffice> CustomsOffices();

// The list's columns in their order on screen: "Ort", "Art", "Zollamt", "Code".
enum class OfficeColumn { kOrt = 0, kArt = 1, kZollamt = 2, kCode = 3 };
inline constexpr int kOfficeColumnCount = 4;
std::u16string_view OfficeColumnText(const CustomsOffice& office, OfficeColumn column);

struct OfficeSort {
    OfficeColumn column = OfficeColumn::kArt;  // the list opens sorted by "Art" ascending
    bool ascending = true;
};
// A click on a column header: the sort column again reverses, another column sorts ascending.
OfficeSort OfficeSortAfterClick(OfficeSort current, OfficeColumn clicked);
// Row indices in list order: the sort column's texts compared by code unit (case-sensitive), in
// the sort direction; equal texts ordered by "Ort" ascending.
std::vector<int> SortedOfficeRows(OfficeSort sort);

// Type-ahead in the office list, whatever it is sorted by: the first row in list order whose place
// begins with typed, ignoring case; failing that, the first whose code
// begins with it, with or without the country letters and leading zeros ("DE0047", "0047", "47").
// -1 when none does.
int OfficeTypeAheadRow(const std::vector<int>& listOrder, std::u16string_view typed);

// The sort as one number for the settings (column, +4 when descending) and back; a number out of
// range gives the list's first order.
int OfficeSortNumber(OfficeSort sort);
OfficeSort OfficeSortFromNumber(int number);

// The row whose code equals the box text exactly, -1 when none does.
int CustomsOfficePresetRow(std::u16string_view boxText);
// The selected row's code; with no row selected the box keeps its text.
std::u16string CustomsOfficeResult(int row, std::u16string_view boxText);

}  // namespace tarvex
