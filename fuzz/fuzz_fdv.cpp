// libFuzzer target: the .fdv reader of every version, with the field-store block and the
// conversion of the old 56-field layout. Besides crashes it stops on a document that breaks the
// D.V.1's shape and on a save that does not read back to the same bytes.

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "core/dv1/Dv1Calculation.h"
#include "core/dv1/Dv1Doc.h"
#include "core/dv1/FdvFormat.h"

using namespace tarvex;

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckShape(const CDV1_Doc& doc) {
    const CFieldStore& s = doc.Store();
    const int pages = s.GetPageCount();
    Check(pages >= 1 && pages <= kMaxPages);
    Check(s.GetFieldCount1() == kDv1Fields1 && s.GetFieldCount2() == kDv1Fields2);
    Check(s.Texts1().size() == kDv1Fields1 && s.Words1().size() == kDv1Fields1);
    Check(s.Texts2().size() == static_cast<size_t>(kDv1Fields2) * (pages - 1));
    Check(s.Words2().size() == s.Texts2().size());
    Check(doc.m_Checks.size() == kDv1Checks);
    Check(doc.m_OldTexts1.empty() && doc.m_OldTexts2.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const FdvOrigin origin{u"pc", u"clerk"};
    CDV1_Doc doc;
    std::string error;
    const bool ok = ReadFdv(std::span<const uint8_t>(data, size), doc, error);
    Check(ok || !error.empty());
    CheckShape(doc);
    if (!ok || doc.m_nLoadMessage != 0) return 0;

    // Whatever was read saves and reads back; from the second save on the bytes stay the same.
    const std::vector<uint8_t> first = WriteFdv(doc, origin);
    CDV1_Doc second;
    Check(ReadFdv(first, second, error));
    CheckShape(second);
    const std::vector<uint8_t> again = WriteFdv(second, origin);
    CDV1_Doc third;
    Check(ReadFdv(again, third, error));
    Check(WriteFdv(third, origin) == again);

    // The calculation on whatever texts the file held keeps the shape and never fails.
    dv1::CalculatePages(second, size % 2);
    CheckShape(second);
    return 0;
}
