// libFuzzer target: the .aef reader of every version, with the field-store block and the
// conversion of old texts. Besides crashes it stops on a document that breaks the store's
// invariants and on a save that does not read back to the same bytes.

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "core/sad/AefFormat.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/settings/Profile.h"

using namespace tarvex;

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckConsistent(const CEinheitspapierDoc& doc) {
    const CFieldStore& s = doc.Store();
    const int pages = s.GetPageCount();
    Check(pages >= 1 && pages <= kMaxPages);
    Check(doc.m_nContinuationCount == pages - 1);
    Check(s.Texts1().size() == s.GetFieldCount1() && s.Words1().size() == s.GetFieldCount1());
    Check(s.Texts2().size() == static_cast<size_t>(s.GetFieldCount2()) * (pages - 1));
    Check(s.Words2().size() == s.Texts2().size());
    Check(doc.m_legacyTexts1.empty() && doc.m_legacyTexts2.empty() && doc.m_legacyValues.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CMemoryProfile profile;
    CEinheitspapierDoc doc(&profile);
    std::string error;
    const bool ok = ReadAef(std::span<const uint8_t>(data, size), doc, error);
    Check(ok || !error.empty());
    CheckConsistent(doc);
    if (!ok || doc.m_nLoadStatus != 0) return 0;

    // Whatever was read saves and reads back; from the second save on the bytes stay the same.
    const std::vector<uint8_t> first = WriteAef(doc);
    CEinheitspapierDoc second(&profile);
    Check(ReadAef(first, second, error));
    CheckConsistent(second);
    const std::vector<uint8_t> again = WriteAef(second);
    CEinheitspapierDoc third(&profile);
    Check(ReadAef(again, third, error));
    Check(WriteAef(third) == again);
    return 0;
}
