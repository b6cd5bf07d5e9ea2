#include "core/sad/SadFieldLabels.h"

#include <string>

#include "core/sad/Box47.h"
#include "core/sad/SadFields.h"
#include "core/sad/SadLayout.h"
#include "core/sad/SadStrings.h"

namespace tarvex {
namespace {

std::u16string Num(int n) {
    const std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

std::u16string Field(std::u16string_view box) {
    return sadstr::kLabelField + std::u16string(box);
}

// "Feld A, Zeile 3".
std::u16string StampLine(char16_t stamp, int line) {
    return Field(std::u16string(1, stamp)) + sadstr::kLabelLine + Num(line);
}

// A box 47 cell: "Feld 47-2, Zeile 3, Betrag"; the total after the rows.
std::u16string DutyCell(std::u16string_view box, int index, int columns) {
    if (index >= kFeld47Rows * columns)
        return Field(box) + (columns == kFeld47Columns ? sadstr::kLabelTotal : sadstr::kLabelGrandTotal);
    const int column = index % columns;
    const char16_t* name =
        columns == kFeld47Columns ? sadstr::kLabelDutyColumns[column] : sadstr::kLabelSummaryColumns[column];
    return Field(box) + sadstr::kLabelLine + Num(index / columns + 1) + u", " + name;
}

// A listed name made into a label: "Feld 2  (Nr.)" -> "Feld 2 (Nr.)", "33-1 A" -> "Feld 33-1 A",
// "Feld 15 (Text)" -> "Feld 15".
std::u16string FromName(std::u16string name) {
    for (size_t p; (p = name.find(u"  ")) != std::u16string::npos;) name.erase(p, 1);
    if (name.ends_with(u" (Text)")) name.resize(name.size() - 7);
    if (!name.empty() && name[0] >= u'0' && name[0] <= u'9') return Field(name);
    return name;
}

std::u16string FirstSheetLabel(int f) {
    if (f >= 3 && f <= 8) return StampLine(u'A', f - 2);
    if (f >= 80 && f <= 85) return StampLine(u'C', f - 79);
    if (f >= 98 && f <= 102) return Field(u"D") + sadstr::kLabelLine + Num(f - 97);
    if (f >= 103 && f <= 105) return sadstr::kLabelLowerRight + Num(f - 102) + u")";
    if (f >= 106 && f <= 110) return Field(u"44") + sadstr::kLabelOldPart + Num(f - 105) + u")";
    if (f == 111 || f == 112) return sadstr::kLabelOffSheet;
    if (f == kFieldBox44Text) return Field(u"44") + sadstr::kLabelFurtherText;
    if (f == kFieldBox44Frist) return Field(u"44") + sadstr::kLabelFurtherTextFrist;
    if (f >= kFieldBox47Table && f <= kFieldBox47Total)
        return DutyCell(u"47", f - kFieldBox47Table, kFeld47Columns);
    if (f == kFieldReference) return sadstr::kLabelReference;
    if (f == 152 || f == 153) return sadstr::kLabelCrossOut;
    return FromName(SadFields(SadSheet::First)[static_cast<size_t>(f)].name);
}

std::u16string ContinuationLabel(int f) {
    if (f >= 1 && f <= 6) return StampLine(u'A', f);
    if (f == 7) return Field(u"2 (Nr.)");
    for (int g = 0; g < 3; ++g) {
        const int base = ContFieldDutyTable(g);
        if (f >= base && f <= base + kFeld47Rows * kFeld47Columns)
            return DutyCell(u"47-" + Num(g + 1), f - base, kFeld47Columns);
    }
    if (f >= kContFieldSummaryTable && f <= kContFieldSummaryTotal)
        return DutyCell(u"47 (Summe)", f - kContFieldSummaryTable, kFeld47SummeColumns);
    if (f >= 208 && f <= 213) return sadstr::kLabelCrossOut;
    return FromName(SadFields(SadSheet::Continuation)[static_cast<size_t>(f)].name);
}

}  // namespace

std::u16string SadFieldLabel(int page, int field) {
    const SadSheet sheet = SheetOfPage(page);
    if (field < 0 || field >= static_cast<int>(SadFields(sheet).size())) return Field(Num(field));
    return sheet == SadSheet::First ? FirstSheetLabel(field) : ContinuationLabel(field);
}

std::u16string SadFieldLabelOnPage(int page, int field) {
    return sadstr::kLabelPage + Num(page) + u", " + SadFieldLabel(page, field);
}

}  // namespace tarvex
