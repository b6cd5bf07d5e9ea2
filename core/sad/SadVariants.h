#pragma once
// The form-variant commands and the automatic boxes 3, 5 and 32 (sheet numbers, number of goods
// items, item numbers).

namespace tarvex {

class CSadNavigation;

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
// After a sheet was added or removed or a goods item moved: the same update, when
// "AutoFillPositions" allows automatic filling, so that no stale count gets printed.
void FollowPositions(CSadNavigation& nav);

}  // namespace tarvex
