#include "core/app/RecoverableDocument.h"

#include <algorithm>
#include <memory>

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
    return RecoverySnapshot(doc, editText)();
}

std::vector<uint8_t> RecoveryImage(const CDV1_Doc& doc, const std::u16string* editText) {
    return RecoverySnapshot(doc, editText)();
}

RecoveryImageMaker RecoverySnapshot(const CEinheitspapierDoc& doc, const std::u16string* editText) {
    auto copy = std::make_shared<CEinheitspapierDoc>(DetachedCopy(doc, editText));
    // The copy must not reach back into the program's settings from another thread; the file
    // format does not read them.
    return [copy] { return WriteAef(*copy); };
}

RecoveryImageMaker RecoverySnapshot(const CDV1_Doc& doc, const std::u16string* editText) {
    auto copy = std::make_shared<CDV1_Doc>(DetachedCopy(doc, editText));
    // Computer and user name read here, once: the environment belongs to the window's thread.
    return [copy, origin = FdvOriginFromEnvironment()] { return WriteFdv(*copy, origin); };
}

}  // namespace tarvex
