// Conversion of the texts of old SAD files (versions 1.10 to 1.51) into the current fields.

#include "core/sad/AefLegacy.h"

#include <string>
#include <string_view>

#include "core/common/Archive.h"
#include "core/common/CommonStrings.h"
#include "core/common/TextCodec.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadFields.h"
#include "core/sad/SadStrings.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {
namespace {

// `count` target entries from target onwards, each made of `joined` consecutive old texts.
struct Map110 {
    int target, source, count, joined;
};

constexpr Map110 kFirstSheet110[] = {
    {0, 0, 3, 1},    {3, 3, 1, 1},     {4, 4, 1, 4},     {5, 8, 6, 1},     {11, 14, 1, 1},
    {12, 15, 1, 4},  {13, 19, 1, 1},   {14, 20, 1, 1},   {15, 21, 1, 4},   {16, 25, 2, 1},
    {18, 27, 19, 1}, {37, 46, 20, 1},  {57, 66, 8, 1},   {65, 74, 12, 1},  {77, 86, 5, 1},
    {82, 91, 25, 1}, {117, 116, 1, 1}, {119, 117, 2, 1}, {121, 119, 2, 1},
};

constexpr Map110 kSheet110[] = {
    {0, 0, 1, 1},
    {1, 1, 1, 1},
    // goods item 1
    {2, 2, 1, 4},
    {3, 6, 16, 1},
    {19, 22, 1, 3},
    {20, 25, 1, 1},
    // goods item 2
    {21, 26, 1, 4},
    {22, 30, 16, 1},
    {38, 46, 1, 3},
    {39, 49, 1, 1},
    // goods item 3
    {40, 50, 1, 4},
    {41, 54, 16, 1},
    {57, 70, 1, 3},
    {58, 73, 1, 1},
    // duty tables of the three goods items
    {63, 74, 25, 1},
    {98, 99, 1, 1},
    {99, 100, 25, 1},
    {134, 125, 1, 1},
    {135, 126, 25, 1},
    {170, 151, 1, 1},
};

// An old text as the store takes it: at most kMaxLegacyTextLength code units (a surrogate pair
// is never split), trailing white space removed.
std::u16string Bounded(std::u16string_view text) {
    if (text.size() > kMaxLegacyTextLength) {
        size_t n = kMaxLegacyTextLength;
        if (text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
        text = text.substr(0, n);
    }
    return TrimmedRight(text);
}

std::u16string Joined(const std::vector<std::u16string>& old, size_t first, int lines) {
    std::u16string text;
    for (int i = 0; i < lines; ++i) {
        if (i > 0) text += u"\r\n";
        text += TrimmedRight(old[first + i]);
    }
    TrimRight(text);
    return text;
}

void Apply(const Map110* begin, const Map110* end, const std::vector<std::u16string>& old, size_t oldBase,
           std::vector<std::u16string>& target, size_t targetBase) {
    for (const Map110* m = begin; m != end; ++m) {
        for (int i = 0; i < m->count; ++i)
            target[targetBase + m->target + i] = Joined(old, oldBase + m->source + i * m->joined, m->joined);
    }
}

// First-sheet field := L1 entry, in ranges.
struct FirstSheetRange {
    int field, entry, count;
};
constexpr FirstSheetRange kFirstSheet[] = {
    {0, 0, 3},    {9, 3, 10},  {21, 13, 1},  {24, 14, 4},   {29, 18, 19},  {50, 37, 20},
    {106, 77, 5}, {72, 57, 8}, {86, 65, 12}, {115, 82, 36}, {103, 119, 2}, {98, 121, 5},
};

// Continuation field := L2[B + offset], in ranges.
struct SheetRange {
    int field, offset, count;
};
constexpr SheetRange kSheet[] = {
    {0, 0, 1}, {9, 1, 1}, {11, 2, 18}, {31, 20, 19}, {52, 39, 19}, {73, 58, 1}, {78, 63, 130},
};

}  // namespace

int CEinheitspapierDoc::MapLegacyTexts(const std::vector<std::u16string>& oldTexts) {
    m_nContinuationCount = kLegacy110Sheets;
    if (oldTexts.size() < static_cast<size_t>(kLegacy110Texts)) return 255;
    m_legacyTexts1.assign(kLegacyFirstSheetTexts, std::u16string());
    m_legacyTexts2.assign(static_cast<size_t>(kLegacySheetTexts) * kLegacy110Sheets, std::u16string());
    Apply(std::begin(kFirstSheet110), std::end(kFirstSheet110), oldTexts, 0, m_legacyTexts1, 0);
    for (int k = 0; k < kLegacy110Sheets; ++k) {
        Apply(std::begin(kSheet110), std::end(kSheet110), oldTexts,
              kLegacy110FirstSheet + static_cast<size_t>(kLegacy110PerSheet) * k, m_legacyTexts2,
              static_cast<size_t>(kLegacySheetTexts) * k);
    }
    return 0;
}

void CEinheitspapierDoc::ConvertLegacyTexts() {
    // The store trims every text when it is saved; trimming here already makes what is shown
    // after the conversion the same as what the next save writes.
    if (m_legacyTexts1.size() < static_cast<size_t>(kLegacyFirstSheetTexts))
        m_legacyTexts1.resize(kLegacyFirstSheetTexts);
    const auto& l1 = m_legacyTexts1;
    const auto& l2 = m_legacyTexts2;

    for (const auto& r : kFirstSheet)
        for (int i = 0; i < r.count; ++i) m_store.SetFieldText(r.field + i, Bounded(l1[r.entry + i]), 1);

    // Box 44 was five one-line fields; the current form has one multi-line field.
    std::u16string t[5];
    for (int i = 0; i < 5; ++i) t[i] = m_store.GetFieldText(kFieldOldBox44 + i, 1);
    std::u16string box44;
    const bool fourLineForm = HasInputTaxBox(m_nFormVariant);
    if (fourLineForm && !t[0].empty()) {
        box44 = t[0] + u"\r\n" + t[1] + u"\r\n" + t[2] + u"\r\n" + t[3];
        // These forms had no place for a fifth line below a filled first one; rather than drop
        // a text that was there, it is kept as a further line.
        if (!t[4].empty()) box44 += u"\r\n" + t[4];
    } else if (fourLineForm) {
        box44 = u"\r\n" + t[1] + u"\r\n" + t[2] + u"\r\n" + t[3] + u"\r\n" + t[4];
    } else {
        box44 = t[0] + u"\r\n" + t[1] + u"\r\n" + t[2] + u"\r\n" + t[3] + u"\r\n" + t[4];
    }
    TrimRight(box44);
    m_store.SetFieldText(kFieldBox44, box44, 1);
    for (int i = kFieldOldBox44; i < kFieldOldBox44 + 5; ++i) m_store.SetFieldText(i, u"", 1);

    const int count = m_nContinuationCount;
    if (count > kMaxPages - 1)
        throw ArchiveError(commonstr::Args(sadstr::kTooManySheets, {std::to_string(count)}));
    SetContinuationCount(m_nContinuationCount);

    auto symbol = [this](size_t item) -> std::u16string {
        const int code = item < m_legacyValues.size() ? m_legacyValues[item] : 0;
        if (code != 1 && code != 2) return {};
        const settings::TextKey key = code == 1 ? settings::kWSymbol0 : settings::kWSymbol1;
        return m_pProfile ? settings::Get(*m_pProfile, settings::kEHForm, key) : std::u16string(key.fallback);
    };
    const bool knownVariant = m_nFormVariant >= 0 && m_nFormVariant <= 3;
    for (int k = 1; k <= count; ++k) {
        const int p = k + 1;
        const size_t b = static_cast<size_t>(kLegacySheetTexts) * (k - 1);
        if (l2.size() < b + kLegacySheetTexts)
            throw ArchiveError(commonstr::Args(sadstr::kSheetTextsMissing, {std::to_string(k)}));
        for (int i = 0; i < kSadFields2; ++i) m_store.SetFontSize(i, p, 2);
        for (int i : kContFieldsSize1) m_store.SetFontSize(i, p, 1);
        for (const auto& r : kSheet)
            for (int i = 0; i < r.count; ++i)
                m_store.SetFieldText(r.field + i, Bounded(l2[b + r.offset + i]), p);
        m_store.SetFieldText(kContFieldBox2Number, Bounded(l1[knownVariant ? 11 : 3]), p);
        m_store.SetFieldText(kContFieldBox2, Bounded(l1[knownVariant ? 12 : 4]), p);
        m_store.SetFieldText(kContFieldBox3b, Bounded(l1[6]), p);
        m_store.SetFieldText(ContFieldOfItem(0, kItemBox42), symbol(3 * p - 5), p);
        m_store.SetFieldText(ContFieldOfItem(1, kItemBox42), symbol(3 * p - 4), p);
        m_store.SetFieldText(ContFieldOfItem(2, kItemBox42), symbol(3 * p - 3), p);
    }

    m_legacyTexts1.clear();
    m_legacyTexts2.clear();
    m_legacyTexts3.clear();
    m_legacyValues.clear();
    SetModifiedFlag(true);
}

}  // namespace tarvex
