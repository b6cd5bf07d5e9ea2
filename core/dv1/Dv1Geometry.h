#pragma once
// The fixed geometry of the D.V.1 pages: field rectangles for the screen and for printing, the
// fourteen yes/no boxes of the front, the ruling lines and the captions of the three page kinds.
// All values are form units (0.1 mm). Field rectangles are (left, top, right, bottom) measured
// downward; boxes, rulings and captions keep y negative (y upward), exactly as the tables are
// stored, so that JSON output and drawing read the same numbers.

#include <span>
#include <string_view>

namespace tarvex {

class Profile;

enum class Dv1PageKind { Front, Back, BisFront };

// Page 1 (and 0, the current page of a store call, when it is 1) is the front, every even page
// a back, every odd page from 3 on the front of a supplementary sheet.
constexpr Dv1PageKind Dv1PageKindOf(int page) {
    if (page <= 1) return Dv1PageKind::Front;
    return page % 2 == 0 ? Dv1PageKind::Back : Dv1PageKind::BisFront;
}

struct Dv1Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    constexpr bool operator==(const Dv1Rect&) const = default;
    constexpr bool IsEmpty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    // Containment as the view's hit test counts it: edges included.
    constexpr bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

struct Dv1Segment {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // y negative
    constexpr bool operator==(const Dv1Segment&) const = default;
};

enum class Dv1Align { Left, Right };

struct Dv1FieldGeometry {
    int index = 0;
    Dv1Rect rect;       // screen rectangle, y downward; empty: the field is not shown
    Dv1Rect printRect;  // print rectangle, y downward; empty: not printed
    Dv1Align align = Dv1Align::Left;
};

struct Dv1Caption {
    int index = 0;     // position in the page kind's text list
    int x = 0, y = 0;  // left end of the text's bottom line, y negative
    std::u16string_view text;
    bool bold = false;  // caption font: bold or normal
};

inline constexpr int kDv1FrontFieldCount = 12;
inline constexpr int kDv1PageFieldCount = 61;
inline constexpr int kDv1BoxCount = 14;
// Fields 0-52 of a continuation page are typed; 53-60 are the calculated sums.
inline constexpr int kDv1LastInputField = 52;
inline constexpr int kDv1FirstSumField = 53;
// Field 52 ("Zusätzliche Angaben") has no place on the front of a supplementary sheet.
inline constexpr int kDv1AdditionalInfoField = 52;
// The front's text list has an 80th entry, the form's edition, that is never drawn.
inline constexpr std::u16string_view kDv1FrontEdition = u"11/2006";

// 12 on the front, 61 on the other pages.
constexpr int Dv1FieldCount(Dv1PageKind kind) {
    return kind == Dv1PageKind::Front ? kDv1FrontFieldCount : kDv1PageFieldCount;
}

std::span<const Dv1FieldGeometry> Dv1Fields(Dv1PageKind kind);
// The 14 yes/no boxes of the front (y negative); box 2k is "JA", 2k + 1 "NEIN" of question k.
std::span<const Dv1Rect> Dv1Boxes();
// A box rectangle with y downward, as the fields are given.
Dv1Rect Dv1BoxRectDown(int box);
// Ruling lists of a page kind in drawing order: the front has three (frame, dotted, thick), the
// back and the BIS front two (frame, thick).
std::span<const std::span<const Dv1Segment>> Dv1Rulings(Dv1PageKind kind);
// The right edge of the form's outer frame, which the ruling lists leave open (their lines end
// there): drawn after them, so that the form picture is closed on screen and on paper. Each
// segment with the pen of the frame part it closes.
struct Dv1BorderSegment {
    Dv1Segment segment;
    bool thick = false;  // the thick pen, else the frame pen
};
std::span<const Dv1BorderSegment> Dv1RightBorder(Dv1PageKind kind);
// Captions of a page kind in drawing order (the front 79, the back 120, the BIS front 124).
std::span<const Dv1Caption> Dv1Captions(Dv1PageKind kind);

// Screen and print rectangle of a field; an empty rectangle for an index the kind does not have.
Dv1Rect Dv1FieldRect(Dv1PageKind kind, int field);
Dv1Rect Dv1PrintRect(Dv1PageKind kind, int field);
// The screen rectangle scaled by zoom / 10, each value truncated toward zero.
Dv1Rect Dv1ZoomedRect(Dv1PageKind kind, int field, int zoom);

// The margin pair (1-4) a page is printed with: 1 front, 2 the declaration's back (page 2),
// 3 the front and 4 the back of a supplementary sheet.
constexpr int Dv1MarginPair(int page) {
    if (page <= 1) return 1;
    if (page == 2) return 2;
    return page % 2 == 1 ? 3 : 4;
}

// Origin of a printed D.V.1 page: x0 = left margin + 30, y0 = 10 - top margin (y upward), from
// the page's margin pair in "DV1Form_Defaults".
struct Dv1PrintOrigin {
    int x0 = 30, y0 = 10;
};
Dv1PrintOrigin Dv1PrintOriginOf(Profile& profile, int page);

}  // namespace tarvex
