#include "core/dv1/Dv1Doc.h"

namespace tarvex {

CDV1_Doc::CDV1_Doc() {
    ConfigureStore();
}

void CDV1_Doc::ConfigureStore() {
    IEditWindow* window = m_store.Window();
    m_store = CFieldStore();
    m_store.AttachWindow(window);
    m_store.SetFieldCounts(kDv1Fields1, kDv1Fields2, true);
    ApplyDefaultFormatting(1);
    ApplyDefaultFormatting(2);
}

void CDV1_Doc::ApplyDefaultFormatting(int page) {
    if (page == 1) {
        for (int i = 0; i < kDv1Fields1; ++i) {
            m_store.SetFontSize(i, 1, 3);
            m_store.SetLeft(i, 1);
        }
        return;
    }
    for (int i = 0; i < kDv1Fields2; ++i) {
        m_store.SetFontSize(i, page, 3);
        m_store.SetRight(i, page);
    }
    for (int i : kDv1LeftFields) m_store.SetLeft(i, page);
}

void CDV1_Doc::ResetContents() {
    ConfigureStore();
    m_Checks.assign(kDv1Checks, 0);
    m_nPages = 2;
    m_OldTexts1.clear();
    m_OldTexts2.clear();
}

bool CDV1_Doc::OnNewDocument() {
    ResetContents();
    m_nLoadMessage = 0;
    m_bModified = false;
    return true;
}

int CDV1_Doc::AddPage() {
    CommitEdit();
    if (m_store.GetPageCount() >= kMaxPages || !m_store.AddPage()) return -1;
    const int pages = m_store.GetPageCount();
    ApplyDefaultFormatting(pages);
    m_bModified = true;
    return pages;
}

void CDV1_Doc::SetOldPageCount(uint16_t n) {
    m_OldTexts2.resize(static_cast<size_t>(n > 0 ? n - 1 : 0) * kDv1Fields2);
    m_nPages = n;
}

void CDV1_Doc::ConvertOldLayout() {
    // From the last page down and within a page from the highest field down: the 61-field page
    // k starts at or after the 56-field one, so no old entry is overwritten before it is copied.
    auto& t = m_OldTexts2;
    for (int k = m_nPages - 1; k >= 1; --k) {
        const size_t oldBase = static_cast<size_t>(k - 1) * 56;
        const size_t newBase = static_cast<size_t>(k - 1) * kDv1Fields2;
        if (newBase + kDv1Fields2 > t.size()) continue;
        auto old = [&](size_t i) { return oldBase + i < t.size() ? t[oldBase + i] : std::u16string(); };
        for (int i = 60; i >= 23; --i) t[newBase + i] = old(i - 5);
        t[newBase + 22].clear();
        t[newBase + 21] = old(17);
        t[newBase + 20].clear();
        t[newBase + 19] = old(16);
        t[newBase + 18].clear();
        t[newBase + 17] = old(15);
        t[newBase + 16].clear();
        for (int i = 15; i >= 2; --i) t[newBase + i] = old(i - 1);
        t[newBase + 1].clear();
        t[newBase + 0] = old(0);
    }
}

}  // namespace tarvex
