#include "core/sad/SadVariants.h"

#include <string>

#include "core/common/TextCodec.h"
#include "core/formview/FieldStore.h"
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

std::vector<PositionText> PositionTexts(const CFieldStore& s, int C,
                                        const std::optional<PositionText>& instead) {
    auto box31 = [&](int item, int page) {
        const int field = ContFieldOfItem(item, kItemBox31);
        if (instead && instead->field == field && instead->page == page) return TrimmedRight(instead->text);
        return TrimmedRight(s.GetFieldText(field, page));
    };
    std::vector<PositionText> out;
    size_t length = 0;
    for (int g = 0; g < 3; ++g) length += box31(g, 2).size();

    out.push_back({kFieldBox32, 1, u"1"});
    int items = 1;
    if (length == 0) {
        out.push_back({kFieldBox3a, 1, u""});
        out.push_back({kFieldBox3b, 1, u""});
    } else {
        out.push_back({kFieldBox3a, 1, u"1"});
        out.push_back({kFieldBox3b, 1, Number(C + 1)});
        bool done = false;
        for (int p = 2; p <= C + 1 && !done; ++p) {
            out.push_back({kContFieldBox3a, p, Number(p)});
            out.push_back({kContFieldBox3b, p, Number(C + 1)});
            for (int g = 0; g < 3; ++g) {
                if (box31(g, p).empty()) {
                    done = true;
                    break;
                }
                ++items;
                out.push_back({ContFieldOfItem(g, kItemBox32), p, Number(items)});
            }
        }
    }
    out.push_back({kFieldBox5, 1, Number(items)});
    return out;
}

void UpdatePositions(CSadNavigation& nav) {
    CFieldStore& s = nav.Store();
    s.ActivateField(s.GetCurrentField(), 0);
    // Boxes that held these numbers already are no change of the document. Only texts are
    // written, so comparing each box's text is all it takes, whatever the document's size.
    bool changed = false;
    for (const PositionText& t : PositionTexts(s, nav.Doc().m_nContinuationCount)) {
        const std::u16string before = s.GetFieldText(t.field, t.page);
        nav.PutText(t.field, t.page, t.text);
        changed = changed || s.GetFieldText(t.field, t.page) != before;
    }
    if (changed) nav.Doc().SetModifiedFlag();
    nav.Host().Redraw();
}

void FollowPositions(CSadNavigation& nav) {
    if (nav.ProfileInt(settings::kAutoFillPositions) != 0) UpdatePositions(nav);
}

}  // namespace tarvex
