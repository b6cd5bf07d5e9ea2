#include "core/sad/SadLayout.h"

#include <algorithm>

#include "core/formview/FieldStore.h"
#include "core/sad/Box47.h"
#include "core/sad/FieldDefinitions.h"
#include "core/sad/SadFields.h"
#include "core/sad/SadStrings.h"

namespace tarvex {
namespace {

struct SadFieldRow {
    const char16_t* name;
    SadRect rect;
    std::array<uint8_t, 4> definition;
    uint16_t flags;
};
struct SadListedRow {
    int index;
    const char16_t* name;
    SadRect rect;
    std::array<uint8_t, 4> definition;
};
struct SadBlockRow {
    int k;
    const char16_t* box;
    int left, right;
    int topBottom[3][2];
};
struct SadCaptionRow {
    int x, y;
    const char16_t* text;
};
struct SadListedCaption {
    int index, x, y;
    const char16_t* text;
};
#include "core/sad/SadLayoutData.inc"

constexpr std::array<uint8_t, 4> kDef0000{0, 0, 0, 0};
constexpr std::array<uint8_t, 4> kDef00B0{0, 0, 0x0B, 0};
constexpr std::array<uint8_t, 4> kDefBBBB{0x0B, 0x0B, 0x0B, 0x0B};

constexpr uint16_t kSize3 = 3;
constexpr uint16_t kSize1 = 1;

// Continuation sheet: goods-item blocks start at 11, 32, 53; duty tables of the three goods
// items at 78, 114, 150 (totals 113, 149, 185); the summary at 186 (total 207).
constexpr int kBlockBase[3] = {ContFieldOfItem(0, 0), ContFieldOfItem(1, 0), ContFieldOfItem(2, 0)};
constexpr int kDutyBase[3] = {ContFieldDutyTable(0), ContFieldDutyTable(1), ContFieldDutyTable(2)};
constexpr int kDutyTotal[3] = {kDutyBase[0] + 35, kDutyBase[1] + 35, kDutyBase[2] + 35};
constexpr int kSummaryBase = kContFieldSummaryTable;
constexpr int kSummaryTotal = kContFieldSummaryTotal;
// Rows of the duty tables: first sheet 1760 + 45r, continuation goods items 1 and 2 at
// 2105 + 45r, goods item 3 and the summary at 2525 + 45r.
constexpr int kDutyColLeft[2][5] = {{160, 260, 520, 775, 1025}, {1080, 1180, 1440, 1695, 1945}};
constexpr int kDutyColRight[2][5] = {{240, 490, 750, 1005, 1055}, {1160, 1410, 1670, 1925, 1975}};
constexpr char16_t const* kDutyColName[5] = {u"Art", u"Bemessungsgrundl.", u"Satz", u"Betrag", u"ZA"};
constexpr char16_t const* kSummaryColName[3] = {u"Art", u"Betrag", u"ZA"};

SadRect Moved(const SadRect& r, int dl, int dt, int dr, int db) {
    return {r.left + dl, r.top + dt, r.right + dr, r.bottom + db};
}
SadRect Shifted(const SadRect& r, int dx, int dy) {
    return Moved(r, dx, dy, dx, dy);
}

std::u16string Num(int v) {
    std::u16string s;
    const std::string a = std::to_string(v);
    s.assign(a.begin(), a.end());
    return s;
}

std::vector<SadFieldLayout> BuildFirst() {
    std::vector<SadFieldLayout> f(kSadFirstFieldCount);
    for (int i = 0; i < kSadFirstFieldCount; ++i) {
        const SadFieldRow& row = kFirstSheetRows[i];
        f[i].name = row.name;
        f[i].screen = row.rect;
        f[i].definition = row.definition;
        f[i].flags = row.flags;
        f[i].print = Shifted(row.rect, 50, 0);
    }
    // The dialog lists box 2's number with a single blank.
    f[9].name = u"Feld 2 (Nr.)";
    auto& p = f;
    p[4].print = Moved(f[4].screen, 50, -10, 50, 0);
    p[5].print = Moved(f[5].screen, 50, -10, 50, 0);
    p[7].print = Moved(f[7].screen, 50, -20, 50, 0);
    p[52].print = Moved(f[52].screen, 50, 0, 70, 0);
    p[58].print = Moved(f[58].screen, 50, 0, -25, 0);
    p[70].print = Moved(f[70].screen, 75, 0, -30, 0);
    p[92].print = Moved(f[92].screen, 50, 0, 40, 0);
    p[93].print = Moved(f[93].screen, 50, 0, 40, 0);
    for (int r = 0; r < 7; ++r) {
        const int b = 115 + 5 * r;
        p[b].print = Shifted(f[b].screen, 50, -15);
        for (int c = 1; c <= 3; ++c) p[b + c].print = Shifted(f[b + c].screen, 30, -15);
        p[b + 4].print = Shifted(f[b + 4].screen, 40, -15);
    }
    p[150].print = Shifted(f[150].screen, 30, -15);
    for (int i = 0; i <= kFeld47Rows * kFeld47Columns; ++i) {
        uint16_t& flags = p[kFieldBox47Table + i].flags;
        flags = static_cast<uint16_t>((flags & ~kFlagSizeMask) |
                                      Feld47FontSize(Feld47ColumnOf(i, kFeld47Columns)));
    }
    p[152].print = SadRect{};
    p[153].print = SadRect{};
    return f;
}

std::vector<SadFieldLayout> BuildContinuation() {
    std::vector<SadFieldLayout> f(kSadContinuationFieldCount);
    for (auto& field : f) field.flags = kSize3;
    for (const SadListedRow& row : kContinuationListed) {
        f[row.index].name = row.name;
        f[row.index].screen = row.rect;
        f[row.index].definition = row.definition;
        f[row.index].print = Shifted(row.rect, 50, 0);
    }
    f[2].print = Moved(f[2].screen, 50, 10, 50, 0);
    f[3].print = Moved(f[3].screen, 50, -10, 50, 0);
    f[4].print = Moved(f[4].screen, 50, 0, 140, 0);
    f[5].print = Moved(f[5].screen, 50, -5, 50, 0);
    f[8].print = Moved(f[8].screen, 50, 0, 80, 0);

    // Goods-item blocks: rectangles from the block table, block 1 names as listed, the other
    // blocks named with their own number ("31-2", "Feld 42-3").
    for (int g = 0; g < 3; ++g) {
        const int dy = 5 * g;
        for (const SadBlockRow& row : kGoodsItemBlock) {
            const int i = kBlockBase[g] + row.k;
            SadFieldLayout& x = f[i];
            x.screen = {row.left, row.topBottom[g][0], row.right, row.topBottom[g][1]};
            if (g > 0) {
                std::u16string name = f[kBlockBase[0] + row.k].name;
                const auto pos = name.find(u"-1");
                if (pos != std::u16string::npos) name.replace(pos, 2, u"-" + Num(g + 1));
                x.name = name;
                x.definition = kDef0000;
                if (row.k == 8 || row.k == 19) x.definition = kDefBBBB;
                if (row.k == 20) x.definition = kDef00B0;
                if (g == 2 && (row.k == 11 || row.k == 12)) x.definition = kDef00B0;
            }
            switch (row.k) {
                case 0:
                    x.print = g == 0 ? Moved(x.screen, 50, 0, 50, 4) : Shifted(x.screen, 50, dy);
                    break;
                case 6:
                    x.print = Moved(x.screen, 50, dy, -5, dy);
                    break;
                case 9:
                    x.print = Moved(x.screen, 70, dy, 50, dy);
                    break;
                case 18:
                    x.print = Moved(x.screen, 65, dy, 50, dy);
                    break;
                case 19:
                    x.print = Moved(x.screen, 55, dy, 50, dy);
                    break;
                case 20:
                    x.print = Moved(x.screen, 70, dy, 50, dy);
                    break;
                default:
                    x.print = Shifted(x.screen, 50, dy);
                    break;
            }
        }
    }
    f[7].flags = f[8].flags = kSize1;
    f[28].flags = f[49].flags = f[70].flags = kSize1;

    // Duty tables of the three goods items.
    for (int g = 0; g < 3; ++g) {
        const int side = g == 1 ? 1 : 0;
        const int top0 = g == 2 ? 2525 : 2105;
        for (int r = 0; r < 7; ++r) {
            for (int c = 0; c < 5; ++c) {
                SadFieldLayout& x = f[kDutyBase[g] + 5 * r + c];
                x.name = u"47-" + Num(g + 1) + u" Zeile " + Num(r + 1) + u" " + kDutyColName[c];
                x.screen = {kDutyColLeft[side][c], top0 + 45 * r, kDutyColRight[side][c], top0 + 45 * r + 45};
                x.definition = c == 1 ? kDef0000 : kDef00B0;
                x.print = c == 4 ? Shifted(x.screen, 20, -20) : Shifted(x.screen, 30, -20);
                const uint16_t align = c == 0 ? kAlignLeft : c == 4 ? kAlignCentre : kAlignRight;
                x.flags = Feld47FontSize(Feld47ColumnOf(c, kFeld47Columns)) | align;
            }
        }
        SadFieldLayout& t = f[kDutyTotal[g]];
        t.name = u"47-" + Num(g + 1) + u" Summe";
        t.definition = kDef00B0;
        t.flags = Feld47FontSize(Feld47Column::Total) | kAlignRight;
    }
    f[113].screen = {775, 2430, 1005, 2475};
    f[149].screen = {1695, 2430, 1925, 2475};
    f[185].screen = {775, 2850, 1005, 2895};
    f[113].print = Shifted(f[113].screen, 30, -20);
    f[149].print = Shifted(f[149].screen, 30, -20);
    f[185].print = Shifted(f[185].screen, 30, -15);

    // Summary of the sheet: columns "Art", "Betrag", "ZA".
    constexpr int kSumLeft[3] = {1080, 1180, 1440}, kSumRight[3] = {1160, 1410, 1470};
    for (int r = 0; r < 7; ++r) {
        for (int c = 0; c < 3; ++c) {
            SadFieldLayout& x = f[kSummaryBase + 3 * r + c];
            x.name = u"47 Zusammenfassung Zeile " + Num(r + 1) + u" " + kSummaryColName[c];
            x.screen = {kSumLeft[c], 2525 + 45 * r, kSumRight[c], 2570 + 45 * r};
            x.definition = c == 1 ? kDef0000 : kDef00B0;
            x.print = c == 2 ? Shifted(x.screen, 20, -20) : Shifted(x.screen, 30, -20);
            const uint16_t align = c == 0 ? kAlignLeft : c == 1 ? kAlignRight : kAlignCentre;
            x.flags = Feld47FontSize(Feld47ColumnOf(c, kFeld47SummeColumns)) | align;
        }
    }
    SadFieldLayout& st = f[kSummaryTotal];
    st.name = u"47 Zusammenfassung GS";
    st.screen = {1180, 2850, 1410, 2895};
    st.print = Shifted(st.screen, 30, -15);
    st.definition = kDef00B0;
    st.flags = Feld47FontSize(Feld47Column::Total) | kAlignRight;

    // Areas beside the three "Ein-/Ausfuhrfrist" boxes that exist only to be crossed out.
    const SadRect a{1620, 720, 1695, 770}, b{1715, 720, 1980, 770};
    for (int g = 0; g < 3; ++g) {
        f[208 + 2 * g].screen = Shifted(a, 0, 590 * g);
        f[209 + 2 * g].screen = Shifted(b, 0, 590 * g);
        f[208 + 2 * g].name = u"(Streichfeld " + Num(g + 1) + u" links)";
        f[209 + 2 * g].name = u"(Streichfeld " + Num(g + 1) + u" rechts)";
        f[208 + 2 * g].print = f[209 + 2 * g].print = SadRect{};
        f[208 + 2 * g].definition = f[209 + 2 * g].definition = kDef0000;
    }
    return f;
}

std::vector<SadCaption> BuildCaptions(SadSheet sheet) {
    std::vector<SadCaption> c(kSadCaptionCount);
    if (sheet == SadSheet::First) {
        for (int i = 0; i < kSadCaptionCount; ++i)
            c[i] = {kFirstSheetCaptions[i].x, kFirstSheetCaptions[i].y, kFirstSheetCaptions[i].text};
        return c;
    }
    for (const SadListedCaption& row : kContinuationCaptionsListed) c[row.index] = {row.x, row.y, row.text};
    // The captions of goods items 2 and 3 repeat those of goods item 1 590 and 1180 lower.
    for (int i = 0; i < 13; ++i) {
        c[26 + i] = {c[13 + i].x, c[13 + i].y - 590, c[13 + i].text};
        c[39 + i] = {c[13 + i].x, c[13 + i].y - 1180, c[13 + i].text};
    }
    for (int i = 0; i < 25; ++i) {
        c[80 + i] = {c[55 + i].x, c[55 + i].y - 590, c[55 + i].text};
        c[105 + i] = {c[55 + i].x, c[55 + i].y - 1180, c[55 + i].text};
    }
    return c;
}

std::vector<std::vector<SadSegment>> BuildGroups(std::span<const int> v) {
    std::vector<std::vector<SadSegment>> groups(1);
    size_t i = 0;
    while (i < v.size() && v[i] != kRulingTableEnd) {
        if (v[i] < -1000) {  // group terminator: x below -1000, two values
            groups.emplace_back();
            i += 2;
            continue;
        }
        groups.back().push_back({v[i], v[i + 1], v[i + 2], v[i + 3]});
        i += 4;
    }
    if (groups.back().empty()) groups.pop_back();
    return groups;
}

std::vector<int> CrossedList(const int* data, size_t n) {
    return std::vector<int>(data, data + n);
}

template <size_t N>
std::vector<int> L(const int (&a)[N]) {
    return CrossedList(a, N);
}

}  // namespace

const std::vector<SadFieldLayout>& SadFields(SadSheet sheet) {
    static const std::vector<SadFieldLayout> first = BuildFirst();
    static const std::vector<SadFieldLayout> cont = BuildContinuation();
    return sheet == SadSheet::First ? first : cont;
}

const std::vector<SadCaption>& SadCaptions(SadSheet sheet) {
    static const std::vector<SadCaption> first = BuildCaptions(SadSheet::First);
    static const std::vector<SadCaption> cont = BuildCaptions(SadSheet::Continuation);
    return sheet == SadSheet::First ? first : cont;
}

std::span<const int> SadRulingStorage(SadSheet sheet) {
    if (sheet == SadSheet::First) return std::span<const int>(kFirstRulings);
    return std::span<const int>(kContinuationRulings);
}

const std::vector<std::vector<SadSegment>>& SadRulingGroups(SadSheet sheet) {
    static const auto first = BuildGroups(SadRulingStorage(SadSheet::First));
    static const auto cont = BuildGroups(SadRulingStorage(SadSheet::Continuation));
    return sheet == SadSheet::First ? first : cont;
}

const std::vector<int>& SadCrossedOut(SadSheet sheet, int variant) {
    static const std::vector<int> first[4] = {L(kCrossedFirst0), L(kCrossedFirst1), L(kCrossedFirst2),
                                              L(kCrossedFirst3)};
    static const std::vector<int> cont[4] = {L(kCrossedCont0), L(kCrossedCont1), L(kCrossedCont2),
                                             L(kCrossedCont3)};
    static const std::vector<int> none;
    if (variant < 0 || variant > 3) return none;
    return sheet == SadSheet::First ? first[variant] : cont[variant];
}

SadRect SadScreenRect(SadSheet sheet, int field) {
    const auto& f = SadFields(sheet);
    if (field < 0 || static_cast<size_t>(field) >= f.size()) field = 0;
    return f[field].screen;
}

SadRect SadZoomedRect(SadSheet sheet, int field, int zoom) {
    const SadRect r = SadScreenRect(sheet, field);
    return {r.left * zoom / 10, r.top * zoom / 10, r.right * zoom / 10, r.bottom * zoom / 10};
}

SadRect SadPrintRectAt(SadSheet sheet, int field, int offsetX, int offsetY) {
    const auto& f = SadFields(sheet);
    if (field < 0 || static_cast<size_t>(field) >= f.size()) field = 0;
    const SadRect& r = f[field].print;
    return {r.left + offsetX, offsetY - r.top, r.right + offsetX, offsetY - r.bottom};
}

void ApplySadAlignments(CFieldStore& store, int page) {
    if (page <= 1) {
        store.SetLeft(kFieldBox42, 1);
        for (int r = 0; r < 7; ++r) {
            for (int c = 1; c <= 3; ++c) store.SetRight(kFieldBox47Table + 5 * r + c, 1);
            store.SetCentred(kFieldBox47Table + 5 * r + 4, 1);
        }
        store.SetRight(kFieldBox47Total, 1);
        store.SetCentred(kFieldBox44Frist, 1);
        return;
    }
    for (int g = 0; g < 3; ++g) store.SetLeft(ContFieldOfItem(g, kItemBox42), page);
    for (int g = 0; g < 3; ++g) {
        for (int i = kDutyBase[g]; i <= kDutyTotal[g]; ++i) store.SetRight(i, page);
        for (int r = 0; r < 7; ++r) {
            store.SetLeft(kDutyBase[g] + 5 * r, page);
            store.SetCentred(kDutyBase[g] + 5 * r + 4, page);
        }
    }
    for (int r = 0; r < 7; ++r) {
        store.SetLeft(kSummaryBase + 3 * r, page);
        store.SetRight(kSummaryBase + 3 * r + 1, page);
        store.SetCentred(kSummaryBase + 3 * r + 2, page);
    }
    store.SetRight(kSummaryTotal, page);
}

int SadCrossSize(int zoom) {
    const SadRect r = SadZoomedRect(SadSheet::First, 0, zoom);
    return (r.bottom - r.top) * 3 / 7;
}

std::vector<SadSegment> SadCrossHatchLines(const SadRect& r, int s) {
    std::vector<SadSegment> lines;
    if (s <= 0) return lines;
    int x = r.left + 2;
    const int xEnd = r.right + 2;
    const int yTop = -r.top - (r.bottom - r.top - s) / 2;
    const int yBottom = yTop - s;
    while (x + s < xEnd) {
        lines.push_back({x, yBottom, x + s, yTop});
        lines.push_back({x, yTop, x + s, yBottom});
        x += s;
    }
    return lines;
}

int SadHitTest(SadSheet sheet, int x, int y, int zoom, const CFieldDefinitions* defs, int variant) {
    const int count = sheet == SadSheet::First ? kSadFirstFieldCount : kSadContinuationFieldCount;
    for (int i = 0; i < count; ++i) {
        const SadRect r = SadZoomedRect(sheet, i, zoom);
        if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) continue;
        if (defs && (defs->Get(sheet == SadSheet::First ? 1 : 2, i, variant) & kDefNotEditable)) continue;
        return i;
    }
    return -1;
}

bool SadDefinitionEntryField(int entry, int& page, int& field) {
    if (entry < 0 || entry >= kSadDefinitionEntries) return false;
    if (entry < 103) {
        page = 1;
        field = entry;
    } else {
        page = 2;
        field = entry - 103;
    }
    return true;
}

std::u16string SadDefinitionEntryText(int entry) {
    int page = 0, field = 0;
    if (!SadDefinitionEntryField(entry, page, field)) return {};
    const auto& f = SadFields(page == 1 ? SadSheet::First : SadSheet::Continuation);
    return (page == 1 ? sadstr::kDefinitionEntryPage1 : sadstr::kDefinitionEntryPage2) + f[field].name;
}

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
char16_t Upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

// The label a field name stands for: "Feld 17 A", "33-2 B", "Feld 44-1 (Ein-/Ausfuhrfrist)",
// "Stempel Feld A (3)". Names without a box number ("Nummer", "D1", "(off the sheet)") give none.
bool LabelOfFieldName(std::u16string_view name, SadBoxLabel& label) {
    label = {};
    constexpr std::u16string_view kStamp = u"Stempel Feld ";
    if (name.starts_with(kStamp) && name.size() > kStamp.size()) {
        label.letter = name[kStamp.size()];
        return true;
    }
    if (name.starts_with(u"Feld ")) name.remove_prefix(5);
    size_t i = 0;
    while (i < name.size() && IsDigit(name[i])) label.number = label.number * 10 + (name[i++] - u'0');
    if (i == 0) return false;
    if (i + 1 < name.size() && name[i] == u'-' && IsDigit(name[i + 1])) {
        label.item = name[i + 1] - u'0';
        i += 2;
    }
    // A single capital after a blank is a sub-box letter ("17 A"); "2 Zollnummer" has none.
    if (i + 1 < name.size() && name[i] == u' ' && name[i + 1] >= u'A' && name[i + 1] <= u'Z' &&
        (i + 2 == name.size() || name[i + 2] == u' '))
        label.letter = name[i + 1];
    return true;
}

}  // namespace

bool ParseSadBoxLabel(std::u16string_view text, SadBoxLabel& label) {
    std::u16string t;
    for (char16_t c : text)
        if (c != u' ' && c != u'\t') t += Upper(c);
    std::u16string_view s = t;
    if (s.starts_with(u"FELD")) s.remove_prefix(4);
    label = {};
    if (s.size() == 1 && (s[0] == u'A' || s[0] == u'C')) {
        label.letter = s[0];
        return true;
    }
    size_t i = 0;
    while (i < s.size() && IsDigit(s[i]) && i < 3) label.number = label.number * 10 + (s[i++] - u'0');
    if (i == 0 || label.number < 1 || label.number > 54) return false;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'/')) {
        if (i + 1 >= s.size() || s[i + 1] < u'1' || s[i + 1] > u'3') return false;
        label.item = s[i + 1] - u'0';
        i += 2;
    }
    if (i < s.size() && s[i] >= u'A' && s[i] <= u'Z') label.letter = s[i++];
    return i == s.size();
}

std::vector<int> SadBoxFields(SadSheet sheet, const SadBoxLabel& label, int defaultItem) {
    const bool first = sheet == SadSheet::First;
    const auto& fields = SadFields(sheet);
    const int last = std::min<int>(first ? 105 : 77, static_cast<int>(fields.size()) - 1);
    const int item = label.item ? label.item : defaultItem;
    std::vector<int> out;
    for (int f = 0; f <= last; ++f) {
        SadBoxLabel l;
        if (!LabelOfFieldName(fields[static_cast<size_t>(f)].name, l) || l.number != label.number) continue;
        if (label.letter && l.letter != label.letter) continue;
        // Boxes of a goods item carry its number; the sheet's own boxes (2, 3) carry none.
        if (!first && l.item && l.item != item) continue;
        out.push_back(f);
    }
    return out;
}

}  // namespace tarvex
