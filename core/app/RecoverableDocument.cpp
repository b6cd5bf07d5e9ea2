#include "core/app/RecoverableDocument.h"

#include <algorithm>

#include "core/dv1/Dv1Doc.h"
#include "core/dv1/FdvFormat.h"
#include "core/sad/AefFormat.h"
#include "core/sad/EinheitspapierDoc.h"

namespace tarvex {
namespace {

template <class Doc>
Doc DetachedCopy(const Doc& doc, const std::u16string* editText) {
    Doc copy = doc;
    CFieldStore& store = copy.Store();
    store.AttachWindow(nullptr);
    if (editText) store.SetFieldText(store.GetCurrentField(), *editText, 0);
    return copy;
}

}  // namespace

std::vector<int64_t> DocValues(const CEinheitspapierDoc& doc) {
    return {doc.m_nFormVariant, doc.m_nContinuationCount, doc.m_nInputTax, doc.m_nReserved};
}

std::vector<int64_t> DocValues(const CDV1_Doc& doc) {
    return std::vector<int64_t>(doc.m_Checks.begin(), doc.m_Checks.end());
}

DocState CaptureDocState(const CEinheitspapierDoc& doc) {
    DocState s = CaptureStore(doc.Store());
    s.values = DocValues(doc);
    return s;
}

void RestoreDocState(CEinheitspapierDoc& doc, const DocState& s) {
    RestoreStore(doc.Store(), s);
    if (s.values.size() < 4) return;
    doc.m_nFormVariant = static_cast<int>(s.values[0]);
    doc.m_nContinuationCount = static_cast<uint16_t>(s.values[1]);
    doc.m_nInputTax = static_cast<uint32_t>(s.values[2]);
    doc.m_nReserved = static_cast<uint32_t>(s.values[3]);
}

DocState CaptureDocState(const CDV1_Doc& doc) {
    DocState s = CaptureStore(doc.Store());
    s.values = DocValues(doc);
    return s;
}

void RestoreDocState(CDV1_Doc& doc, const DocState& s) {
    RestoreStore(doc.Store(), s);
    doc.m_Checks.assign(s.values.begin(), s.values.end());
}

std::vector<uint8_t> RecoveryImage(const CEinheitspapierDoc& doc, const std::u16string* editText) {
    CEinheitspapierDoc copy = DetachedCopy(doc, editText);
    return WriteAef(copy);
}

std::vector<uint8_t> RecoveryImage(const CDV1_Doc& doc, const std::u16string* editText) {
    CDV1_Doc copy = DetachedCopy(doc, editText);
    return WriteFdv(copy, FdvOriginFromEnvironment());
}

}  // namespace tarvex
