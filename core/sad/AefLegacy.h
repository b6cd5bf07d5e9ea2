#pragma once
// Sizes of the old SAD layouts ("KTW-AEForm@1.10" to "KTW-AEForm@1.51") and of the legacy lists
// their texts pass through on the way into the store (CEinheitspapierDoc::MapLegacyTexts and
// ConvertLegacyTexts, AefLegacy.cpp).

#include <cstddef>

namespace tarvex {

// Legacy list L1 (first sheet): at least this many entries; L2: this many per continuation sheet.
inline constexpr int kLegacyFirstSheetTexts = 127;
inline constexpr int kLegacySheetTexts = 193;

// The 1.10 text list: 121 first-sheet texts, then 8 continuation sheets of 152 texts each.
//
// First sheet (old index -> L1 entry; "a+b+c" = old texts joined line by line with CR LF):
//   0-2 -> 0-2 (box 1)           3 -> 3 (box 2 number)      4+5+6+7 -> 4 (box 2 address)
//   8-13 -> 5-10 (boxes 3-7)     14 -> 11 (box 8 number)    15+16+17+18 -> 12 (box 8 address)
//   19 -> 13 (box 11)            20 -> 14 (box 14 number)   21+22+23+24 -> 15 (box 14 address)
//   25-26 -> 16-17               27-45 -> 18-36             46-65 -> 37-56
//   66-73 -> 57-64               74-85 -> 65-76             86-90 -> 77-81 (box 44 lines)
//   91-115 -> 82-106 (box 47 duty rows 0-4; rows 5 and 6 did not exist)
//   116 -> 117 (box 47 total)    117-118 -> 119-120         119-120 -> 121-122 (D1, D2)
// Continuation sheet k (old index 121 + 152 (k - 1) + j -> L2 entry 193 (k - 1) + e):
//   j 0 -> e 0 (number)          j 1 -> e 1 (box 3 A)
//   goods item g = 0, 1, 2 with o = 2 + 24 g and t = 2 + 19 g:
//     o+0 + o+1 + o+2 + o+3 -> t (box 31)      o+4 .. o+19 -> t+1 .. t+16 (boxes 32-41)
//     o+20 + o+21 + o+22 -> t+17 (box 44)      o+23 -> t+18 (box 46)
//   duty table of goods item g (5 rows of 5 columns, rows 5 and 6 did not exist):
//     74 + 26 g .. 98 + 26 g -> 63 + 36 g .. 87 + 36 g;   99 + 26 g (total) -> 98 + 36 g
//   L2 entries 59-62, rows 5 and 6 of the three duty tables and the summary table (171-192)
//   stay empty.
// Joined texts lose trailing white space per line and as a whole, so that empty trailing lines
// leave no line breaks behind.
inline constexpr int kLegacy110Texts = 1337;
inline constexpr int kLegacy110FirstSheet = 121;
inline constexpr int kLegacy110PerSheet = 152;
inline constexpr int kLegacy110Sheets = 8;

// The longest text an old layout's box is taken over with, in UTF-16 code units: far more than any
// box of those forms shows (the longest, the goods description, has four lines). It matters
// because the first sheet's boxes 2, 3 and 8 are repeated on each of up to 254 continuation
// sheets: unbounded, a crafted file of half a megabyte would fill 150 MB with copies. Bounded,
// the copies take at most some 6 MB whatever the file says.
inline constexpr size_t kMaxLegacyTextLength = 4096;

// The 1.51 layout keeps one currency code per goods item for at most 16 continuation sheets
// (1 + 3 x 16 items); a file announcing more is refused as damaged.
inline constexpr int kMaxLegacyCurrencyCodes = 49;

}  // namespace tarvex
