#pragma once
// The form-variant commands and the automatic boxes 3, 5 and 32 (sheet numbers, number of goods
// items, item numbers).

#include <optional>
#include <string>
#include <vector>

namespace tarvex {

class CSadNavigation;
class CFieldStore;

// Menu state of a variant command: checked and disabled while the document has that variant.
struct VariantCommandState {
    bool checked = false;
    bool enabled = true;
};
VariantCommandState VariantCommandStateFor(const CSadNavigation& nav, int variant);

// Switches the document to a variant (0-3), marks it modified and shows the first sheet.
// Nothing happens for the variant it already has or outside 0-3.
void SetFormVariant(CSadNavigation& nav, int variant);

// "&Felder 3, 5 und 32 aktualisieren": numbers the sheets and goods items from the box 31
// texts up to the first empty one.
void UpdatePositions(CSadNavigation& nav);

// A box text the automatic filling writes, or a text it reads in place of the stored one.
struct PositionText {
    int field = 0, page = 1;
    std::u16string text;
    bool operator==(const PositionText&) const = default;
};
// What UpdatePositions writes, read from the store's box 31 texts; with instead, one box 31 is
// read as holding that text (to tell whether a typed text changes the filling).
std::vector<PositionText> PositionTexts(const CFieldStore& store, int continuationCount,
                                        const std::optional<PositionText>& instead = std::nullopt);
// After a sheet was added or removed or a goods item moved: the same update, when
// "AutoFillPositions" allows automatic filling, so that no stale count gets printed.
void FollowPositions(CSadNavigation& nav);

}  // namespace tarvex
