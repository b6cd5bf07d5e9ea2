#pragma once
// The field store of a form document: for every field of every page its text and formatting
// word, the pixel rectangles the view lays out, the current field and the insert mode.
// Page 1 uses set 1 (n1 fields); every continuation page p >= 2 has its own texts and words for
// the n2 fields of set 2 and shares one set of set-2 rectangles. Page 0 in a call means the
// current page. The edit window of a view attaches itself through IEditWindow and only adds to
// what is here.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/formview/DocumentState.h"

namespace tarvex {

class CArchiveReader;
class CArchiveWriter;

struct FieldRect {
    uint16_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const FieldRect&) const = default;
};

// Formatting word bits.
inline constexpr uint16_t kFlagSizeMask = 0x000F;
inline constexpr uint16_t kFlagBold = 0x0010;
inline constexpr uint16_t kFlagStamp = 0x0040;
inline constexpr uint16_t kFlagAlignMask = 0x0F00;
inline constexpr uint16_t kAlignLeft = 0x0000;
inline constexpr uint16_t kAlignCentre = 0x0100;
inline constexpr uint16_t kAlignRight = 0x0200;

inline constexpr uint16_t kPageModeSingle = 0x1000;
inline constexpr uint16_t kPageModeMulti = 0x2000;
// The most fields a continuation sheet of a stored block may have (the SAD has 214, the D.V.1 61).
inline constexpr uint16_t kMaxFieldsPerSheet = 1024;
inline constexpr uint16_t kFieldStoreMagic = 0x1206;
inline constexpr int kMaxPages = 255;

// The window half of the field edit control: the text-entry window moved over the active field.
class IEditWindow {
public:
    virtual ~IEditWindow() = default;
    virtual bool HasWindow() const = 0;
    virtual std::u16string WindowText() const = 0;
    virtual void SetWindowText(const std::u16string& text) = 0;
    // Moves the window over (index, page), shows the stored text in the field's font and
    // alignment and gives it the focus (everything after the store has switched fields).
    virtual void ShowField(uint16_t index, uint16_t page) = 0;
};

class CFieldStore {
public:
    CFieldStore();
    // A copy (a recovery image, a document copied for a save) records no changes of its own.
    // A store that records takes what is assigned to it as a change.
    CFieldStore(const CFieldStore& other);
    CFieldStore(CFieldStore&& other) noexcept;
    CFieldStore& operator=(const CFieldStore& other);
    CFieldStore& operator=(CFieldStore&& other) noexcept;
    ~CFieldStore();

    void AttachWindow(IEditWindow* window) {
        m_pWindow = window;
        m_bWindowBehind = false;
    }
    IEditWindow* Window() const { return m_pWindow; }

    // --- counts and pages
    void SetFieldCounts(uint16_t n1, uint16_t n2, bool initialise);
    bool GrowFieldCounts(uint16_t n1, uint16_t n2);
    uint16_t GetFieldCount1() const { return m_nCount1; }
    uint16_t GetFieldCount2() const { return m_nCount2; }
    int GetPageCount() const;
    uint16_t GetPageMode() const { return m_nPageMode & 0xF000; }
    uint16_t GetPageModeWord() const { return m_nPageMode; }
    uint16_t GetCurrentPage() const { return m_nCurPage; }
    uint16_t GetCurrentField() const { return m_nCurField; }
    // Appends a continuation page; false (nothing changed) when the store already has 255 pages.
    bool AddPage();
    // Makes k continuation pages; false (nothing changed) for more than 254.
    bool SetPageCount(int k, uint16_t word);

    // --- rectangles
    int SetFieldRect1(int index, const FieldRect& r);
    int SetFieldRect2(int index, const FieldRect& r);
    int GetFieldRect1(int index, FieldRect& r) const;
    int GetFieldRect2(int index, FieldRect& r) const;

    // --- activation
    // Makes (index, page) the current field: the field being left receives what was typed into
    // the window, and the window moves over the new one.
    int ActivateField(int index, int page);
    // While a deferral is open the window stays where it is and follows the store once, when the
    // outermost deferral ends: a command that passes several fields on its way (a page change,
    // Tab over boxes that take no input) moves and fills the window only for the field it ends
    // in. Nothing can be typed in between, so every field passed keeps its stored text.
    void BeginWindowDeferral() { ++m_nWindowDeferrals; }
    void EndWindowDeferral();
    // Moves the window over the current field now if a deferral held it back (before the window
    // is scrolled into view or a dialog opens over it).
    void CatchUpWindow();
    // The current field's text as typed: the window's while it shows the field.
    std::u16string TypedText() const;

    // --- formatting
    void SetFontSize(int index, int page, int size);
    void ToggleBold();
    void SetBold(int index, int page);
    void SetBoldCurrent() { SetBold(m_nCurField, 0); }
    bool IsBold(int index, int page) const { return (GetFieldFlags(index, page) & kFlagBold) != 0; }
    bool IsBoldCurrent() const { return IsBold(m_nCurField, 0); }
    void FontBigger();
    void FontSmaller();
    bool CanFontBigger() const { return GetFontSize(m_nCurField, 0) <= 3; }
    bool CanFontSmaller() const { return GetFontSize(m_nCurField, 0) != 0; }
    void SetFieldFlags(int index, int page, uint16_t word);
    uint16_t GetFieldFlags(int index, int page) const;
    uint16_t GetAlignment(int index, int page) const;
    uint16_t GetFontSize(int index, int page) const;
    void SetLeft(int index, int page) { SetAlignment(index, page, kAlignLeft, true); }
    void SetLeftCurrent() { SetLeft(m_nCurField, 0); }
    void SetRight(int index, int page) { SetAlignment(index, page, kAlignRight, true); }
    void SetRightCurrent() { SetRight(m_nCurField, 0); }
    void SetCentred(int index, int page) { SetAlignment(index, page, kAlignCentre, true); }
    void SetCentredCurrent() { SetCentred(m_nCurField, 0); }
    bool IsLeftCurrent() const { return GetAlignment(m_nCurField, 0) == kAlignLeft; }
    bool IsRightCurrent() const { return GetAlignment(m_nCurField, 0) == kAlignRight; }
    bool IsCentredCurrent() const { return GetAlignment(m_nCurField, 0) == kAlignCentre; }

    // --- texts
    std::u16string GetCurrentText();
    std::u16string GetFieldText(int index, int page) const;
    void SetCurrentText(const std::u16string& text);
    void SetFieldText(int index, const std::u16string& text, int page);
    int GetTextLength(int index, int page) const;

    void SetInsertMode(bool insert) { m_bInsert = insert; }
    bool GetInsertMode() const { return m_bInsert; }

    // --- the field-store block
    // Writes the block (version 2); trims trailing white space from every text first.
    void WriteBlock(CArchiveWriter& ar);
    // Reads the block. A wrong magic or a version above 2 resets the store to one empty field
    // in single-page mode and returns normally. Truncated or inconsistent data raises
    // ArchiveError; the store is then left as one empty field in single-page mode.
    void ReadBlock(CArchiveReader& ar);

    // --- change recording for undo
    // From StartRecording on, every text and formatting word that changes keeps the value it had
    // before, so that the difference to then costs what was changed, not the document's size.
    void StartRecording();
    // The difference since StartRecording (or the last call); recording goes on from here.
    StoreDelta TakeRecordedChanges();
    void StopRecording();
    bool IsRecording() const { return m_pRecord != nullptr; }

    // Direct access for the document formats and tests.
    const std::vector<std::u16string>& Texts1() const { return m_texts1; }
    const std::vector<std::u16string>& Texts2() const { return m_texts2; }
    const std::vector<uint16_t>& Words1() const { return m_words1; }
    const std::vector<uint16_t>& Words2() const { return m_words2; }

private:
    // Locates (index, page) in the text/word lists: set 1 or set 2 and the entry; false when
    // the index is outside the page's set or the page does not exist.
    bool Locate(int index, int page, bool& set1, size_t& entry) const;
    int ResolvePage(int page) const { return page == 0 ? m_nCurPage : page; }
    void SetAlignment(int index, int page, uint16_t align, bool reactivate);
    void ReactivateIfCurrent(int index, int page);
    void ResetToSingleField();
    void ClampCurrent();
    // Before an entry (set 1 or 2) changes, or before a list is resized or replaced.
    void NoteText(bool set1, size_t entry);
    void NoteWord(bool set1, size_t entry);
    void NoteLists();
    void NoteShrink(size_t texts2, size_t words2);
    void SetText(bool set1, size_t entry, const std::u16string& text);
    template <class Store>
    void TakeContents(Store&& other);

    struct Record;
    std::unique_ptr<Record> m_pRecord;
    IEditWindow* m_pWindow = nullptr;
    int m_nWindowDeferrals = 0;
    // The window still shows a field the store has left (its text is already stored).
    bool m_bWindowBehind = false;
    std::vector<std::u16string> m_texts1, m_texts2;
    std::vector<uint16_t> m_words1, m_words2;
    std::vector<FieldRect> m_rects1, m_rects2;
    uint16_t m_nCount1 = 0;
    uint16_t m_nCount2 = 0;
    uint16_t m_nCurField = 0;
    uint16_t m_nCurPage = 1;
    uint16_t m_nPageMode = kPageModeSingle;
    bool m_bInsert = true;
};

// A window deferral for the length of a scope.
class CWindowDeferral {
public:
    explicit CWindowDeferral(CFieldStore& store) : m_store(store) { m_store.BeginWindowDeferral(); }
    ~CWindowDeferral() { m_store.EndWindowDeferral(); }
    CWindowDeferral(const CWindowDeferral&) = delete;
    CWindowDeferral& operator=(const CWindowDeferral&) = delete;

private:
    CFieldStore& m_store;
};

}  // namespace tarvex
