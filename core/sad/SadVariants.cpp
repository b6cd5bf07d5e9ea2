#include "core/sad/SadVariants.h"

#include <string>

#include "core/common/TextCodec.h"
#include "core/sad/SadNavigation.h"
#include "core/sad/SadPages.h"

namespace tarvex {
namespace {

std::u16string Number(int n) { return FromUtf8(std::to_string(n)); }

}  // namespace

VariantCommandState VariantCommandStateFor(const CSadNavigation& nav, int variant) {
    const bool current = nav.Doc().m_nFormVariant == variant;
    return {current, !current};
}

void SetFormVariant(CSadNavigation& nav, int variant) {
    if (variant < 0 || variant > 3 || nav.Doc().m_nFormVariant == variant) return;
    nav.Doc().m_nFormVariant = variant;
    // The variant is saved with the document; closing must not lose it silently.
    nav.Doc().SetModifiedFlag();
    FirstPage(nav);
}

void UpdatePositions(CSadNavigation& nav) {
    CFieldStore& s = nav.Store();
    s.ActivateField(s.GetCurrentField(), 0);
    const int C = nav.Doc().m_nContinuationCount;
    size_t length = 0;
    for (int f : {11, 32, 53}) length += TrimmedRight(s.GetFieldText(f, 2)).size();

    nav.PutText(53, 1, u"1");
    int items = 1;
    if (length == 0) {
        nav.PutText(11, 1, u"");
        nav.PutText(12, 1, u"");
    } else {
        nav.PutText(11, 1, u"1");
        nav.PutText(12, 1, Number(C + 1));
        bool done = false;
        for (int p = 2; p <= C + 1 && !done; ++p) {
            nav.PutText(9, p, Number(p));
            nav.PutText(10, p, Number(C + 1));
            for (int g = 0; g < 3; ++g) {
                if (TrimmedRight(s.GetFieldText(11 + 21 * g, p)).empty()) {
                    done = true;
                    break;
                }
                ++items;
                nav.PutText(12 + 21 * g, p, Number(items));
            }
        }
    }
    nav.PutText(14, 1, Number(items));
    nav.Doc().SetModifiedFlag();
    nav.Host().Redraw();
}

}  // namespace tarvex
