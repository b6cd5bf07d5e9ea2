#pragma once
// How messages name a D.V.1 field: by its box as printed on the form ("Feld 2 (a)",
// "Feld 13 (c), Ware 1"), with the page where the page matters, the same in the status bar,
// in the print question and on the command line.

#include <string>
#include <vector>

#include "core/dv1/Dv1Calculation.h"

namespace tarvex {

// The printed label of a field of page `page` (1 = front, every other page a back or BIS front).
std::u16string Dv1FieldLabel(int page, int field);
// "Seite 2, Feld 13 (c), Ware 1".
std::u16string Dv1FieldLabelOnPage(int page, int field);
// The question before printing a page whose texts do not fit.
std::u16string Dv1OverflowQuestion(int page, const std::vector<int>& fields);

namespace dv1 {
// "Seite 2, Feld 13 (c), Ware 1: "ca. 100" ist kein Betrag und wurde nicht verändert".
std::string NotAnAmountText(const Dv1NotAnAmount& n);
// After the calculation: the one field, or how many and the first of them.
std::string NotAmountsStatusText(const std::vector<Dv1NotAnAmount>& found);
// When a document is opened: the red marks come back only with the next calculation (F3).
std::string NotAmountsOnOpenText(const std::vector<Dv1NotAnAmount>& found);
}  // namespace dv1

}  // namespace tarvex
