#include "core/formview/DocumentState.h"

#include <algorithm>
#include <type_traits>

#include "core/formview/FieldStore.h"

namespace tarvex {
namespace {

template <class T>
ListDelta<T> Diff(const std::vector<T>& a, const std::vector<T>& b) {
    ListDelta<T> d;
    d.oldSize = a.size();
    d.newSize = b.size();
    const size_t n = std::max(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const T& x = i < a.size() ? a[i] : T{};
        const T& y = i < b.size() ? b[i] : T{};
        if (i < a.size() && i < b.size() && x == y) continue;
        d.index.push_back(i);
        d.before.push_back(x);
        d.after.push_back(y);
    }
    return d;
}

template <class T>
void Apply(std::vector<T>& list, size_t size, const std::vector<size_t>& index,
           const std::vector<T>& values) {
    list.resize(size);
    for (size_t k = 0; k < index.size(); ++k)
        if (index[k] < size) list[index[k]] = values[k];
}

template <class T>
size_t Cost(const ListDelta<T>& d) {
    size_t n = d.index.size();
    if constexpr (std::is_same_v<T, std::u16string>)
        for (size_t k = 0; k < d.index.size(); ++k) n += d.before[k].size() + d.after[k].size();
    return n;
}

}  // namespace

DocState CaptureStore(const CFieldStore& store) {
    DocState s;
    s.texts1 = store.Texts1();
    s.texts2 = store.Texts2();
    s.words1 = store.Words1();
    s.words2 = store.Words2();
    s.pageModeWord = store.GetPageModeWord();
    return s;
}

void RestoreStore(CFieldStore& store, const DocState& state) {
    if ((state.pageModeWord & 0xF000) == kPageModeMulti)
        store.SetPageCount(std::max(0, (state.pageModeWord & 0xFF) - 1), 2);
    const int n1 = store.GetFieldCount1(), n2 = store.GetFieldCount2();
    for (int i = 0; i < n1 && static_cast<size_t>(i) < state.texts1.size(); ++i) {
        store.SetFieldText(i, state.texts1[i], 1);
        if (static_cast<size_t>(i) < state.words1.size()) store.SetFieldFlags(i, 1, state.words1[i]);
    }
    if (n2 == 0) return;
    for (size_t e = 0; e < state.texts2.size(); ++e) {
        const int page = static_cast<int>(e / n2) + 2, i = static_cast<int>(e % n2);
        store.SetFieldText(i, state.texts2[e], page);
        if (e < state.words2.size()) store.SetFieldFlags(i, page, state.words2[e]);
    }
}

DocStateDelta DocStateDelta::Between(const DocState& before, const DocState& after) {
    DocStateDelta d;
    d.m_texts1 = Diff(before.texts1, after.texts1);
    d.m_texts2 = Diff(before.texts2, after.texts2);
    d.m_words1 = Diff(before.words1, after.words1);
    d.m_words2 = Diff(before.words2, after.words2);
    d.m_pageModeBefore = before.pageModeWord;
    d.m_pageModeAfter = after.pageModeWord;
    if (before.values != after.values) {
        d.m_valuesBefore = before.values;
        d.m_valuesAfter = after.values;
    }
    return d;
}

DocStateDelta DocStateDelta::FromStore(StoreDelta store, std::vector<int64_t> valuesBefore,
                                       std::vector<int64_t> valuesAfter) {
    DocStateDelta d;
    d.m_texts1 = std::move(store.texts1);
    d.m_texts2 = std::move(store.texts2);
    d.m_words1 = std::move(store.words1);
    d.m_words2 = std::move(store.words2);
    d.m_pageModeBefore = store.pageModeBefore;
    d.m_pageModeAfter = store.pageModeAfter;
    if (valuesBefore != valuesAfter) {
        d.m_valuesBefore = std::move(valuesBefore);
        d.m_valuesAfter = std::move(valuesAfter);
    }
    return d;
}

bool DocStateDelta::TouchesPage(int page, size_t fieldsPerPage) const {
    if (page <= 1) return !m_texts1.index.empty() || !m_words1.index.empty();
    if (fieldsPerPage == 0) return false;
    const size_t first = fieldsPerPage * static_cast<size_t>(page - 2), end = first + fieldsPerPage;
    auto touches = [&](const std::vector<size_t>& index) {
        const auto it = std::lower_bound(index.begin(), index.end(), first);
        return it != index.end() && *it < end;
    };
    return touches(m_texts2.index) || touches(m_words2.index);
}

bool DocStateDelta::Empty() const {
    return m_texts1.index.empty() && m_texts2.index.empty() && m_words1.index.empty() &&
           m_words2.index.empty() && m_pageModeBefore == m_pageModeAfter && m_valuesBefore == m_valuesAfter;
}

void DocStateDelta::Undo(DocState& s) const {
    Apply(s.texts1, m_texts1.oldSize, m_texts1.index, m_texts1.before);
    Apply(s.texts2, m_texts2.oldSize, m_texts2.index, m_texts2.before);
    Apply(s.words1, m_words1.oldSize, m_words1.index, m_words1.before);
    Apply(s.words2, m_words2.oldSize, m_words2.index, m_words2.before);
    s.pageModeWord = m_pageModeBefore;
    if (m_valuesBefore != m_valuesAfter) s.values = m_valuesBefore;
}

void DocStateDelta::Redo(DocState& s) const {
    Apply(s.texts1, m_texts1.newSize, m_texts1.index, m_texts1.after);
    Apply(s.texts2, m_texts2.newSize, m_texts2.index, m_texts2.after);
    Apply(s.words1, m_words1.newSize, m_words1.index, m_words1.after);
    Apply(s.words2, m_words2.newSize, m_words2.index, m_words2.after);
    s.pageModeWord = m_pageModeAfter;
    if (m_valuesBefore != m_valuesAfter) s.values = m_valuesAfter;
}

size_t DocStateDelta::Size() const {
    return Cost(m_texts1) + Cost(m_texts2) + Cost(m_words1) + Cost(m_words2) + m_valuesBefore.size() +
           m_valuesAfter.size() + 1;
}

}  // namespace tarvex
