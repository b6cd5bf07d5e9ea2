#pragma once
// What undo and redo work on: the contents of a form document (every text and formatting word of
// every page, the page count, the document's own values) and the difference between two such
// states. A difference holds only the entries that changed, so that a long undo history of a
// document with many sheets stays small.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvex {

class CFieldStore;

struct DocState {
    std::vector<std::u16string> texts1, texts2;
    std::vector<uint16_t> words1, words2;
    uint16_t pageModeWord = 0;
    // The document's own values (variant, counts, check marks ...), in an order its kind fixes.
    std::vector<int64_t> values;
    bool operator==(const DocState&) const = default;
};

// The store's contents; values stay empty.
DocState CaptureStore(const CFieldStore& store);
// Puts texts, words and the page count back. The edit window is not touched: the caller shows
// the field again afterwards.
void RestoreStore(CFieldStore& store, const DocState& state);

template <class T>
struct ListDelta {
    size_t oldSize = 0, newSize = 0;
    std::vector<size_t> index;  // entries that differ (an entry beyond a list's end counts as T{})
    std::vector<T> before, after;
};

// The field store's part of a difference, as the store records it while it changes.
struct StoreDelta {
    ListDelta<std::u16string> texts1, texts2;
    ListDelta<uint16_t> words1, words2;
    uint16_t pageModeBefore = 0, pageModeAfter = 0;
    size_t fieldsPerPage = 0;  // continuation fields per page, to tell the pages apart
};

class DocStateDelta {
public:
    static DocStateDelta Between(const DocState& before, const DocState& after);
    // The same difference from what the store recorded and the document's values before and after.
    static DocStateDelta FromStore(StoreDelta store, std::vector<int64_t> valuesBefore,
                                   std::vector<int64_t> valuesAfter);
    bool Empty() const;
    // Turns the "after" state (or a later state that left these entries alone) into "before".
    void Undo(DocState& state) const;
    void Redo(DocState& state) const;
    // Characters and entries held, for the undo stack's cost.
    size_t Size() const;
    // Whether the difference touches a page's texts or formatting (1 = first page), with the
    // continuation pages of fieldsPerPage fields each.
    bool TouchesPage(int page, size_t fieldsPerPage) const;

private:
    ListDelta<std::u16string> m_texts1, m_texts2;
    ListDelta<uint16_t> m_words1, m_words2;
    uint16_t m_pageModeBefore = 0, m_pageModeAfter = 0;
    std::vector<int64_t> m_valuesBefore, m_valuesAfter;
};

}  // namespace tarvex
