#pragma once
// The fixed layout of the SAD sheets: field rectangles for the screen and for printing, the
// default field definitions and initial formatting of every field, the crossed-out boxes per
// form variant, the static captions and the ruling lines. All values are form units (0.1 mm).
// Field rectangles are (left, top, right, bottom) measured downward; captions and rulings are
// kept in logical orientation (y upward, so y is negative), exactly as the tables are stored.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarvex {

class CFieldStore;
struct CFieldDefinitions;

enum class SadSheet { First = 0, Continuation = 1 };

inline SadSheet SheetOfPage(int page) {
    return page <= 1 ? SadSheet::First : SadSheet::Continuation;
}

struct SadRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const SadRect&) const = default;
    bool IsEmpty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
};

struct SadSegment {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const SadSegment&) const = default;
};

struct SadCaption {
    int x = 0, y = 0;  // bottom-left anchor, y negative
    std::u16string text;
};

struct SadFieldLayout {
    std::u16string name;                  // box name as the field-definition dialog lists it
    SadRect screen;                       // screen rectangle
    SadRect print;                        // print rectangle before the print offsets; empty: not printed
    std::array<uint8_t, 4> definition{};  // default definition byte per form variant
    uint16_t flags = 3;                   // formatting word a new document's field has once shown
};

inline constexpr int kSadFirstFieldCount = 154;
inline constexpr int kSadContinuationFieldCount = 214;
inline constexpr int kSadCaptionCount = 154;
inline constexpr int kSadDocWidthMm = 205;
inline constexpr int kSadDocLengthMm = 350;
// The print tables place the boxes this far to the right of the screen tables (form units): the
// paper form lies there against the printed entries.
inline constexpr int kSadPrintTableShiftX = 50;

// Ruling groups of the first sheet and the continuation sheet as the drawing uses them.
inline constexpr int kRulingThinGreen = 0, kRulingHeavyGreen = 1, kRulingDottedGreen = 2;
inline constexpr int kFirstRulingInputTaxSquare = 5;  // group 5: the input-tax check box
inline constexpr int kFirstRulingStampA = 7;          // groups 7 (thin) and 8 (heavy)
inline constexpr int kFirstRulingStampC = 9;          // groups 9 (thin) and 10 (heavy)
inline constexpr int kContinuationRulingStampA = 3;   // groups 3 (thin) and 4 (heavy)
// Storage: each group is closed by the pair (-2500, -1), the table ends with -6000.
inline constexpr int kRulingGroupEnd = -2500;
inline constexpr int kRulingTableEnd = -6000;

const std::vector<SadFieldLayout>& SadFields(SadSheet sheet);
const std::vector<SadCaption>& SadCaptions(SadSheet sheet);
const std::vector<std::vector<SadSegment>>& SadRulingGroups(SadSheet sheet);
// The ruling table in its stored form (segments, group terminators, end value).
std::span<const int> SadRulingStorage(SadSheet sheet);
// Boxes crossed out on the screen for a form variant, in drawing order; empty for other variants.
const std::vector<int>& SadCrossedOut(SadSheet sheet, int variant);

// Screen rectangle of a field; an index outside the table reads field 0.
SadRect SadScreenRect(SadSheet sheet, int field);
// The screen rectangle scaled by zoom / 10, each value truncated toward zero.
SadRect SadZoomedRect(SadSheet sheet, int field, int zoom);
// The print rectangle in logical orientation: (left + ox, oy - top, right + ox, oy - bottom).
SadRect SadPrintRectAt(SadSheet sheet, int field, int offsetX, int offsetY);

// Alignments a sheet's fields get when the view first paints or a sheet is added: first-sheet
// box 47 columns and totals; on a continuation page box 42 and the box 47 tables.
void ApplySadAlignments(CFieldStore& store, int page);

// Size of one cross of a crossed-out box: 3/7 of the height of first-sheet field 0, zoomed.
int SadCrossSize(int zoom);
// The diagonals of a crossed-out field, in logical orientation (y negative); r is zoomed.
std::vector<SadSegment> SadCrossHatchLines(const SadRect& zoomed, int crossSize);

// The field under a point (form units at the current zoom, y downward) that is editable for the
// variant, first in index order; -1 when there is none. Without definitions every field counts.
int SadHitTest(SadSheet sheet, int x, int y, int zoom, const CFieldDefinitions* defs, int variant);

// Field-definition dialog entries: 0-102 first-sheet fields 0-102, 103-180 continuation 0-77.
inline constexpr int kSadDefinitionEntries = 181;
std::u16string SadDefinitionEntryText(int entry);
// Page (1 or 2) and field index of a dialog entry; false outside 0-180.
bool SadDefinitionEntryField(int entry, int& page, int& field);

// A box label as printed on the form: the box number, a letter for a sub-box ("17 A", "17a"),
// on a continuation sheet also the goods item ("31-2", "33-3 B"); "A" and "C" are the stamp
// boxes. A leading "Feld" is allowed.
struct SadBoxLabel {
    int number = 0;       // 1-54; 0 for a stamp box
    char16_t letter = 0;  // sub-box or stamp box letter, upper case; 0 for none
    int item = 0;         // goods item 1-3 on a continuation sheet; 0 when not given
};
// False when the text is not a box label at all.
bool ParseSadBoxLabel(std::u16string_view text, SadBoxLabel& label);
// The fields of a box within the Tab range of a sheet (first sheet 0-105, continuation sheet
// 0-77), in index order; empty when the sheet has no such box. On a continuation sheet a label
// without a goods item means `defaultItem`.
std::vector<int> SadBoxFields(SadSheet sheet, const SadBoxLabel& label, int defaultItem = 1);

}  // namespace tarvex
