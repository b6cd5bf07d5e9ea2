#pragma once
// The D.V.1 document (customs value declaration): the fourteen yes/no boxes of the front page,
// the result of the last load, and the field store with every text of the front page (12 fields)
// and of the back pages and supplementary sheets (61 fields each).

#include <cstdint>
#include <string>
#include <vector>

#include "core/formview/FieldStore.h"

namespace tarvex {

inline constexpr uint16_t kDv1Fields1 = 12;
inline constexpr uint16_t kDv1Fields2 = 61;
inline constexpr size_t kDv1Checks = 14;
// Fields of a continuation page that are left-aligned; all others are right-aligned amounts.
inline constexpr int kDv1LeftFields[] = {0, 3, 5, 16, 18, 20, 22, 28, 49, 50, 51, 52};

class CDV1_Doc {
public:
    CDV1_Doc();

    CFieldStore& Store() { return m_store; }
    const CFieldStore& Store() const { return m_store; }

    // The store of a new view: 12 and 61 fields, pages 1 and 2, the default formatting.
    void ConfigureStore();
    // Font size 3 and the alignment of the form on every field of the page.
    void ApplyDefaultFormatting(int page);

    // --- document operations
    // m_Checks := 14 zero bytes, m_nPages := 2, and the store of a new document.
    void ResetContents();
    bool OnNewDocument();
    // Appends a page with the default formatting and returns the new page count; -1 when the
    // document already has 255 pages (the view then shows dv1str::kMsgPageLimit).
    int AddPage();

    // --- reading old files
    void SetOldPageCount(uint16_t n);
    // Moves m_OldTexts2 from 56 to 61 fields per page for the m_nPages - 1 continuation pages.
    void ConvertOldLayout();

    // Copies the text of the edit window into the store before saving.
    void CommitEdit() { m_store.ActivateField(m_store.GetCurrentField(), 0); }

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

    // --- members
    int m_nLoadMessage = 0;  // 0, or the id of the message to show after loading: 18, 19, 20
    uint16_t m_nPages = 2;   // used only while an old file is read
    std::vector<uint8_t> m_Checks = std::vector<uint8_t>(kDv1Checks, 0);
    std::vector<std::u16string> m_OldTexts1, m_OldTexts2;

private:
    CFieldStore m_store;
    bool m_bModified = false;
};

}  // namespace tarvex
