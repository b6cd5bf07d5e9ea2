#include "core/formview/FieldStore.h"

#include <algorithm>

#include "core/common/Archive.h"
#include "core/common/TextCodec.h"
#include "core/formview/FormViewStrings.h"

namespace tarvex {

// What the lists held when recording started: the entries changed since, by index, and the
// lists' lengths. Entries beyond the starting length had no value before.
struct CFieldStore::Record {
    template <class T>
    struct List {
        size_t startSize = 0;
        std::map<size_t, T> old;

        void Start(const std::vector<T>& list) {
            startSize = list.size();
            old.clear();
        }
        void Note(const std::vector<T>& list, size_t e) {
            if (e < startSize && e < list.size()) old.try_emplace(e, list[e]);
        }
        void NoteFrom(const std::vector<T>& list, size_t first) {
            for (size_t e = first; e < list.size(); ++e) Note(list, e);
        }
        // The same entries DocStateDelta::Between finds: every changed one and every one that
        // only one of the two lengths has.
        ListDelta<T> Take(const std::vector<T>& list) {
            ListDelta<T> d;
            d.oldSize = startSize;
            d.newSize = list.size();
            const size_t lo = std::min(d.oldSize, d.newSize), hi = std::max(d.oldSize, d.newSize);
            auto add = [&](size_t e) {
                const auto it = old.find(e);
                // An entry not noted kept its value (a removed one is noted as it goes).
                const T before = it != old.end()                    ? it->second
                                 : e < startSize && e < list.size() ? list[e]
                                                                    : T{};
                const T after = e < list.size() ? list[e] : T{};
                if (e < lo && before == after) return;
                d.index.push_back(e);
                d.before.push_back(before);
                d.after.push_back(after);
            };
            for (const auto& [e, value] : old)
                if (e < lo) add(e);
            for (size_t e = lo; e < hi; ++e) add(e);
            Start(list);
            return d;
        }
    };
    List<std::u16string> texts1, texts2;
    List<uint16_t> words1, words2;
    uint16_t pageMode = 0;
};

template <class Store>
void CFieldStore::TakeContents(Store&& o) {
    m_pWindow = o.m_pWindow;
    m_texts1 = std::forward<Store>(o).m_texts1;
    m_texts2 = std::forward<Store>(o).m_texts2;
    m_words1 = std::forward<Store>(o).m_words1;
    m_words2 = std::forward<Store>(o).m_words2;
    m_rects1 = std::forward<Store>(o).m_rects1;
    m_rects2 = std::forward<Store>(o).m_rects2;
    m_nCount1 = o.m_nCount1;
    m_nCount2 = o.m_nCount2;
    m_nCurField = o.m_nCurField;
    m_nCurPage = o.m_nCurPage;
    m_nPageMode = o.m_nPageMode;
    m_bInsert = o.m_bInsert;
}

CFieldStore::CFieldStore() = default;

CFieldStore::CFieldStore(const CFieldStore& other) {
    TakeContents(other);
}

CFieldStore::CFieldStore(CFieldStore&& other) noexcept {
    TakeContents(std::move(other));
}

CFieldStore& CFieldStore::operator=(const CFieldStore& other) {
    if (this == &other) return *this;
    NoteLists();
    TakeContents(other);
    return *this;
}

CFieldStore& CFieldStore::operator=(CFieldStore&& other) noexcept {
    if (this == &other) return *this;
    NoteLists();
    TakeContents(std::move(other));
    return *this;
}

CFieldStore::~CFieldStore() = default;

void CFieldStore::StartRecording() {
    if (!m_pRecord) m_pRecord = std::make_unique<Record>();
    m_pRecord->texts1.Start(m_texts1);
    m_pRecord->texts2.Start(m_texts2);
    m_pRecord->words1.Start(m_words1);
    m_pRecord->words2.Start(m_words2);
    m_pRecord->pageMode = m_nPageMode;
}

StoreDelta CFieldStore::TakeRecordedChanges() {
    StoreDelta d;
    if (!m_pRecord) return d;
    d.texts1 = m_pRecord->texts1.Take(m_texts1);
    d.texts2 = m_pRecord->texts2.Take(m_texts2);
    d.words1 = m_pRecord->words1.Take(m_words1);
    d.words2 = m_pRecord->words2.Take(m_words2);
    d.pageModeBefore = m_pRecord->pageMode;
    d.pageModeAfter = m_pRecord->pageMode = m_nPageMode;
    d.fieldsPerPage = m_nCount2;
    return d;
}

void CFieldStore::StopRecording() {
    m_pRecord.reset();
}

void CFieldStore::NoteText(bool set1, size_t entry) {
    if (m_pRecord) (set1 ? m_pRecord->texts1 : m_pRecord->texts2).Note(set1 ? m_texts1 : m_texts2, entry);
}

void CFieldStore::NoteWord(bool set1, size_t entry) {
    if (m_pRecord) (set1 ? m_pRecord->words1 : m_pRecord->words2).Note(set1 ? m_words1 : m_words2, entry);
}

void CFieldStore::NoteLists() {
    if (!m_pRecord) return;
    m_pRecord->texts1.NoteFrom(m_texts1, 0);
    m_pRecord->texts2.NoteFrom(m_texts2, 0);
    m_pRecord->words1.NoteFrom(m_words1, 0);
    m_pRecord->words2.NoteFrom(m_words2, 0);
}

void CFieldStore::NoteShrink(size_t texts2, size_t words2) {
    if (!m_pRecord) return;
    m_pRecord->texts2.NoteFrom(m_texts2, texts2);
    m_pRecord->words2.NoteFrom(m_words2, words2);
}

void CFieldStore::SetText(bool set1, size_t entry, const std::u16string& text) {
    NoteText(set1, entry);
    (set1 ? m_texts1 : m_texts2)[entry] = text;
}

int CFieldStore::GetPageCount() const {
    if ((m_nPageMode & 0xF000) == kPageModeSingle) return 1;
    return m_nPageMode & 0xFF;
}

void CFieldStore::SetFieldCounts(uint16_t n1, uint16_t n2, bool initialise) {
    const uint16_t newWord = initialise ? 1 : 0;
    NoteLists();
    m_texts1.resize(n1);
    m_words1.resize(n1, newWord);
    m_rects1.resize(n1);
    m_texts2.resize(n2);
    m_words2.resize(n2, newWord);
    m_rects2.resize(n2);
    m_nCount1 = n1;
    m_nCount2 = n2;
    m_nPageMode = n2 > 0 ? kPageModeMulti + 2 : kPageModeSingle;
    ClampCurrent();
}

bool CFieldStore::GrowFieldCounts(uint16_t n1, uint16_t n2) {
    if (n1 < m_nCount1 || n2 < m_nCount2) return false;
    const int pages = GetPageCount();
    if (pages > kMaxPages - 1) return false;  // the result has one page more
    const uint16_t oldN2 = m_nCount2;
    NoteLists();
    auto texts1 = m_texts1;
    auto words1 = m_words1;
    auto texts2 = m_texts2;
    auto words2 = m_words2;
    // The continuation lists are rebuilt from the copies: left in place, what resizing kept of
    // them would sit at other fields of the new layout.
    m_texts2.clear();
    m_words2.clear();
    SetFieldCounts(n1, n2, false);
    SetPageCount(pages, 2);
    std::copy(texts1.begin(), texts1.end(), m_texts1.begin());
    std::copy(words1.begin(), words1.end(), m_words1.begin());
    // Continuation page k of the old layout keeps its fields at the same indexes.
    for (size_t e = 0; e < texts2.size() && oldN2 > 0; ++e) {
        size_t page = e / oldN2, i = e % oldN2;
        size_t target = page * n2 + i;
        if (target < m_texts2.size()) {
            m_texts2[target] = texts2[e];
            if (e < words2.size()) m_words2[target] = words2[e];
        }
    }
    return true;
}

bool CFieldStore::AddPage() {
    if ((m_nPageMode & 0xF000) == kPageModeSingle) {
        NoteLists();
        m_nCount2 = m_nCount1;
        m_rects2 = m_rects1;
        m_words2 = m_words1;
        m_texts2.assign(m_nCount1, std::u16string());
        m_nPageMode = kPageModeMulti + 2;
        return true;
    }
    const int pages = GetPageCount();
    if (pages >= kMaxPages) return false;
    m_texts2.resize(static_cast<size_t>(m_nCount2) * pages);
    m_words2.resize(static_cast<size_t>(m_nCount2) * pages, 1);
    ++m_nPageMode;
    return true;
}

bool CFieldStore::SetPageCount(int k, uint16_t word) {
    if (k < 0 || k > kMaxPages - 1) return false;
    const size_t n = static_cast<size_t>(m_nCount2) * k;
    NoteShrink(n, n);
    m_texts2.resize(n);
    m_words2.resize(n, word);
    m_nPageMode = static_cast<uint16_t>((m_nPageMode & 0xFF00) + 1 + k);
    ClampCurrent();
    return true;
}

int CFieldStore::SetFieldRect1(int index, const FieldRect& r) {
    if (index < 0 || index >= m_nCount1) return -1;
    m_rects1[index] = r;
    return 0;
}

int CFieldStore::SetFieldRect2(int index, const FieldRect& r) {
    if (index < 0 || index >= m_nCount2 || static_cast<size_t>(index) >= m_rects2.size()) return -1;
    m_rects2[index] = r;
    return 0;
}

int CFieldStore::GetFieldRect1(int index, FieldRect& r) const {
    if (index < 0 || index >= m_nCount1) return -1;
    r = m_rects1[index];
    return 0;
}

int CFieldStore::GetFieldRect2(int index, FieldRect& r) const {
    if (index < 0 || static_cast<size_t>(index) >= m_rects2.size()) return -1;
    r = m_rects2[index];
    return 0;
}

bool CFieldStore::Locate(int index, int page, bool& set1, size_t& entry) const {
    page = ResolvePage(page);
    if (index < 0 || page < 1) return false;
    if (page == 1) {
        if (index >= m_nCount1 || static_cast<size_t>(index) >= m_texts1.size()) return false;
        set1 = true;
        entry = static_cast<size_t>(index);
        return true;
    }
    if (index >= m_nCount2) return false;
    entry = static_cast<size_t>(page - 2) * m_nCount2 + index;
    if (entry >= m_texts2.size()) return false;
    set1 = false;
    return true;
}

int CFieldStore::ActivateField(int index, int page) {
    const int p = ResolvePage(page);
    bool set1;
    size_t entry;
    if (!Locate(index, p, set1, entry)) return -1;
    if (m_pWindow && m_pWindow->HasWindow() && !m_bWindowBehind) {
        // The field being left receives what was typed into the window.
        bool curSet1;
        size_t curEntry;
        if (Locate(m_nCurField, m_nCurPage, curSet1, curEntry))
            SetText(curSet1, curEntry, m_pWindow->WindowText());
    }
    m_nCurField = static_cast<uint16_t>(index);
    m_nCurPage = static_cast<uint16_t>(p);
    if (!m_pWindow) return 0;
    if (m_nWindowDeferrals > 0) {
        m_bWindowBehind = true;
    } else {
        m_bWindowBehind = false;
        m_pWindow->ShowField(m_nCurField, m_nCurPage);
    }
    return 0;
}

void CFieldStore::EndWindowDeferral() {
    if (m_nWindowDeferrals > 0 && --m_nWindowDeferrals == 0) CatchUpWindow();
}

void CFieldStore::CatchUpWindow() {
    if (!m_bWindowBehind) return;
    m_bWindowBehind = false;
    if (m_pWindow) m_pWindow->ShowField(m_nCurField, m_nCurPage);
}

std::u16string CFieldStore::TypedText() const {
    if (m_pWindow && m_pWindow->HasWindow() && !m_bWindowBehind) return m_pWindow->WindowText();
    return GetFieldText(m_nCurField, m_nCurPage);
}

uint16_t CFieldStore::GetFieldFlags(int index, int page) const {
    bool set1;
    size_t entry;
    if (!Locate(index, page, set1, entry)) return 0;
    const auto& words = set1 ? m_words1 : m_words2;
    return entry < words.size() ? words[entry] : 0;
}

void CFieldStore::SetFieldFlags(int index, int page, uint16_t word) {
    bool set1;
    size_t entry;
    if (!Locate(index, page, set1, entry)) return;
    auto& words = set1 ? m_words1 : m_words2;
    if (entry >= words.size()) return;
    NoteWord(set1, entry);
    words[entry] = word;
}

uint16_t CFieldStore::GetAlignment(int index, int page) const {
    bool set1;
    size_t entry;
    if (!Locate(index, page, set1, entry)) return 0;
    return GetFieldFlags(index, page) & kFlagAlignMask;
}

uint16_t CFieldStore::GetFontSize(int index, int page) const {
    bool set1;
    size_t entry;
    if (!Locate(index, page, set1, entry)) return 0x40;
    return GetFieldFlags(index, page) & kFlagSizeMask;
}

void CFieldStore::SetFontSize(int index, int page, int size) {
    bool set1;
    size_t entry;
    if (!Locate(index, page, set1, entry)) return;
    const uint16_t w = GetFieldFlags(index, page);
    SetFieldFlags(index, page, static_cast<uint16_t>((w & 0xFF00) | (size & 0xFF)));
}

void CFieldStore::ToggleBold() {
    SetFieldFlags(m_nCurField, 0, GetFieldFlags(m_nCurField, 0) ^ kFlagBold);
    ActivateField(m_nCurField, 0);
}

void CFieldStore::SetBold(int index, int page) {
    const uint16_t w = GetFieldFlags(index, page);
    if (!(w & kFlagBold)) SetFieldFlags(index, page, w | kFlagBold);
}

void CFieldStore::FontBigger() {
    const uint16_t w = GetFieldFlags(m_nCurField, 0);
    if ((w & kFlagSizeMask) <= 3) {
        SetFieldFlags(m_nCurField, 0, static_cast<uint16_t>(w + 1));
        ActivateField(m_nCurField, 0);
    }
}

void CFieldStore::FontSmaller() {
    const uint16_t w = GetFieldFlags(m_nCurField, 0);
    if ((w & kFlagSizeMask) > 0) {
        SetFieldFlags(m_nCurField, 0, static_cast<uint16_t>(w - 1));
        ActivateField(m_nCurField, 0);
    }
}

void CFieldStore::SetAlignment(int index, int page, uint16_t align, bool reactivate) {
    const uint16_t w = GetFieldFlags(index, page);
    SetFieldFlags(index, page, static_cast<uint16_t>((w & ~kFlagAlignMask) | align));
    if (reactivate) ReactivateIfCurrent(index, page);
}

void CFieldStore::ReactivateIfCurrent(int index, int page) {
    if (index == m_nCurField && ResolvePage(page) == m_nCurPage && m_pWindow && m_pWindow->HasWindow())
        ActivateField(m_nCurField, 0);
}

std::u16string CFieldStore::GetCurrentText() {
    ActivateField(m_nCurField, 0);
    return GetFieldText(m_nCurField, 0);
}

std::u16string CFieldStore::GetFieldText(int index, int page) const {
    bool set1;
    size_t entry;
    if (!Locate(index, page, set1, entry)) return {};
    return (set1 ? m_texts1 : m_texts2)[entry];
}

void CFieldStore::SetCurrentText(const std::u16string& text) {
    SetFieldText(m_nCurField, text, 0);
    if (m_pWindow && m_pWindow->HasWindow() && !m_bWindowBehind) m_pWindow->SetWindowText(text);
}

void CFieldStore::SetFieldText(int index, const std::u16string& text, int page) {
    bool set1;
    size_t entry;
    if (!Locate(index, page, set1, entry)) return;
    SetText(set1, entry, text);
}

int CFieldStore::GetTextLength(int index, int page) const {
    bool set1;
    size_t entry;
    if (!Locate(index, page, set1, entry)) return 0;
    return static_cast<int>((set1 ? m_texts1 : m_texts2)[entry].size());
}

void CFieldStore::ResetToSingleField() {
    NoteLists();
    m_texts1.assign(1, std::u16string());
    m_words1.assign(1, 1);
    m_rects1.assign(1, FieldRect());
    m_texts2.clear();
    m_words2.clear();
    m_rects2.clear();
    m_nCount1 = 1;
    m_nCount2 = 0;
    m_nPageMode = kPageModeSingle;
    ClampCurrent();
}

void CFieldStore::ClampCurrent() {
    const int pages = GetPageCount();
    if (m_nCurPage < 1 || m_nCurPage > pages) m_nCurPage = 1;
    const uint16_t n = m_nCurPage == 1 ? m_nCount1 : m_nCount2;
    if (m_nCurField >= n) m_nCurField = 0;
}

void CFieldStore::WriteBlock(CArchiveWriter& ar) {
    // Trimming changes the document: a recording store keeps what it trims.
    auto trim = [this](bool set1) {
        auto& texts = set1 ? m_texts1 : m_texts2;
        for (size_t e = 0; e < texts.size(); ++e) {
            if (!m_pRecord) {
                TrimRight(texts[e]);
                continue;
            }
            std::u16string trimmed = texts[e];
            TrimRight(trimmed);
            if (trimmed != texts[e]) SetText(set1, e, trimmed);
        }
    };
    trim(true);
    trim(false);
    ar.WriteWord(kFieldStoreMagic);
    ar.WriteWord(2);
    ar.WriteStringList(m_texts1);
    ar.WriteWordList(m_words1);
    ar.WriteWord(m_nPageMode);
    ar.WriteWord(m_nCount2);
    ar.WriteStringList(m_texts2);
    ar.WriteWordList(m_words2);
}

void CFieldStore::ReadBlock(CArchiveReader& ar) {
    NoteLists();
    try {
        const uint16_t magic = ar.ReadWord();
        if (magic != kFieldStoreMagic) {
            ResetToSingleField();
            return;
        }
        const uint16_t version = ar.ReadWord();
        if (version > 2) {
            ResetToSingleField();
            return;
        }
        auto texts = ar.ReadStringList();
        for (auto& t : texts) TrimRight(t);
        auto words = ar.ReadWordList();
        if (texts.size() > 0xFFFF) throw ArchiveError(formviewstr::kTooManyFields);
        if (words.size() != texts.size()) throw ArchiveError(formviewstr::kTextsAndFormatsDiffer);
        const auto t = static_cast<uint16_t>(texts.size());
        const uint16_t oldN1 = m_nCount1;
        m_texts1 = std::move(texts);
        m_words1 = std::move(words);
        m_rects1.resize(m_texts1.size());
        m_nCount1 = t;
        if (t > oldN1) {
            SetFieldCounts(t, 0, false);
            for (size_t i = oldN1; i < t; ++i) m_words1[i] = 1;
        }
        if (oldN1 > t) SetFieldCounts(oldN1, 0, false);

        if (version < 2) {
            m_nPageMode = kPageModeSingle;
            m_nCount2 = 0;
            m_texts2.clear();
            m_words2.clear();
            m_rects2.clear();
            ClampCurrent();
            return;
        }
        const uint16_t mode = ar.ReadWord();
        const uint16_t n2 = ar.ReadWord();
        // The list holds exactly n2 texts per continuation page; n2 itself is bounded, so that the
        // list's count cannot claim millions of texts.
        if (n2 > kMaxFieldsPerSheet) throw ArchiveError(formviewstr::kTooManyContinuationFields);
        const uint32_t pages = mode & 0xFF;
        const uint32_t maxTexts2 = (mode & 0xF000) == kPageModeMulti && pages >= 1 ? n2 * (pages - 1) : 0;
        auto texts2 = ar.ReadStringList(maxTexts2);
        auto words2 = ar.ReadWordList();
        // The page-mode word must agree with the lists, or every later access would miss them.
        const uint16_t kind = mode & 0xF000;
        if (kind == kPageModeSingle) {
            if (!texts2.empty() || !words2.empty()) throw ArchiveError(formviewstr::kPageModeMismatch);
        } else if (kind == kPageModeMulti) {
            const int pages = mode & 0xFF;
            if ((mode & 0x0F00) != 0 || pages < 1) throw ArchiveError(formviewstr::kBadPageMode);
            const size_t expected = static_cast<size_t>(n2) * (pages - 1);
            if (texts2.size() != expected || words2.size() != expected)
                throw ArchiveError(formviewstr::kPageModeMismatch);
        } else {
            throw ArchiveError(formviewstr::kBadPageMode);
        }
        SetFieldCounts(m_nCount1, kind == kPageModeSingle ? 0 : n2, false);
        m_nPageMode = mode;
        m_texts2 = std::move(texts2);
        m_words2 = std::move(words2);
        ClampCurrent();
    } catch (const ArchiveError&) {
        ResetToSingleField();
        throw;
    }
}

}  // namespace tarvex
