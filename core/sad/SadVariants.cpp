#include "core/sad/SadVariants.h"

#include <string>

#include "core/common/TextCodec.h"
#include "core/sad/SadFields.h"
#include "core/sad/SadNavigation.h"
#include "core/sad/SadPages.h"

namespace tarvex {
namespace {

std::u16string Number(int n) {
    return FromUtf8(std::to_string(n));
}

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
    for (int g = 0; g < 3; ++g)
        length += TrimmedRight(s.GetFieldText(ContFieldOfItem(g, kItemBox31), 2)).size();

    nav.PutText(kFieldBox32, 1, u"1");
    int items = 1;
    if (length == 0) {
        nav.PutText(kFieldBox3a, 1, u"");
        nav.PutText(kFieldBox3b, 1, u"");
    } else {
        nav.PutText(kFieldBox3a, 1, u"1");
        nav.PutText(kFieldBox3b, 1, Number(C + 1));
        bool done = false;
        for (int p = 2; p <= C + 1 && !done; ++p) {
            nav.PutText(kContFieldBox3a, p, Number(p));
            nav.PutText(kContFieldBox3b, p, Number(C + 1));
            for (int g = 0; g < 3; ++g) {
                if (TrimmedRight(s.GetFieldText(ContFieldOfItem(g, kItemBox31), p)).empty()) {
                    done = true;
                    break;
                }
                ++items;
                nav.PutText(ContFieldOfItem(g, kItemBox32), p, Number(items));
            }
        }
    }
    nav.PutText(kFieldBox5, 1, Number(items));
    nav.Doc().SetModifiedFlag();
    nav.Host().Redraw();
}

void FollowPositions(CSadNavigation& nav) {
    if (nav.ProfileInt(settings::kAutoFillPositions) != 0) UpdatePositions(nav);
}

}  // namespace tarvex
