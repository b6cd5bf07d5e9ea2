#pragma once
// How messages name an SAD field: by the box as printed on the form, the way "Gehe zu Feld"
// accepts it ("Feld 8", "Feld 33-2 B", "Feld A, Zeile 3"), with the row and column of a box 47
// cell and, where the page matters, the page.

#include <string>

namespace tarvex {

// The printed label of a field of page `page` (1 = first sheet, any other a continuation sheet).
std::u16string SadFieldLabel(int page, int field);
// "Seite 3, Feld 33-2 B".
std::u16string SadFieldLabelOnPage(int page, int field);

}  // namespace tarvex
