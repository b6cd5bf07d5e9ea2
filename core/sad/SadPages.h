#pragma once
// Page commands of the SAD view (first, previous, next, last page; add a continuation sheet;
// remove the last one) with their enabling rules, and moving a goods item to another position.

#include <string>
#include <vector>

namespace tarvex {

class CSadNavigation;
class CFieldStore;

// Each box 31 of the last page needs at least this many characters (trailing white space not
// counted) before a page can be added; message 22 asks for "mehr als 5 Zeichen".
inline constexpr int kAddPageMinLength = 6;

bool CanGoToPreviousPage(const CSadNavigation& nav);  // first and previous page
bool CanGoToNextPage(const CSadNavigation& nav);      // next and last page
bool CanAddPage(const CSadNavigation& nav);
bool CanRemoveLastPage(const CSadNavigation& nav);

void FirstPage(CSadNavigation& nav);
void PreviousPage(CSadNavigation& nav);
void NextPage(CSadNavigation& nav);
void LastPage(CSadNavigation& nav);
// Returns true when a page was added.
bool AddPage(CSadNavigation& nav);
// What AddPage gives a continuation page the store has just grown by: box 2 of the first one,
// the font sizes and alignments, and with copyStamps ("StampA" or "StampC" on) the stamp lines.
void PrepareNewContinuationPage(CFieldStore& store, int page, bool copyStamps);
// Returns true when the last page was removed.
bool RemoveLastPage(CSadNavigation& nav);

// --- goods items
// Entries of the goods-item lists: "Position 1 auf Seite 1", then the three positions of every
// continuation page, " (leer)" appended where box 31 holds fewer than 3 characters.
std::vector<std::u16string> GoodsItemEntries(const CFieldStore& store);
// Preselected list entries for the store's current page and field; target -1 = none.
void GoodsItemPreselection(const CFieldStore& store, int& source, int& target);
// Moves every text of one goods item (box 31 to 46 and the box 47 table with its total) to
// another position and empties the source; formatting words stay. -1 and nothing changed when
// an entry does not exist or both entries are the same item.
int MoveGoodsItem(CFieldStore& store, int sourceEntry, int targetEntry);
// "Warenposition verschieben...": commits, asks for source and target, moves, redraws.
void MoveGoodsItemCommand(CSadNavigation& nav);

}  // namespace tarvex
