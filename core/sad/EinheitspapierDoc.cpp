#include "core/sad/EinheitspapierDoc.h"

#include <string>

#include "core/codelists/SadCodeLists.h"
#include "core/common/LocalDate.h"
#include "core/common/TextCodec.h"
#include "core/sad/SadFields.h"
#include "core/sad/SadLayout.h"
#include "core/sad/SadStrings.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {

int VariantFromFileCode(int code) {
    switch (code) {
        case 3:
            return 0;
        case 7:
            return 1;
        case 10:
            return 2;
        case 11:
            return 3;
        default:
            return kVariantExport;
    }
}

int FileCodeFromVariant(int variant) {
    static constexpr int kCodes[4] = {3, 7, 10, 11};
    return variant >= 0 && variant < 4 ? kCodes[variant] : -1;
}

GoodsItemRef GoodsItemFromListIndex(int a) {
    if (a <= 0) return {1, 1};
    return {(a - 1) / 3 + 2, (a - 1) % 3 + 1};
}

std::u16string GoodsItemLabel(int a) {
    if (a <= 0) return sadstr::kGoodsItemFirst;
    const GoodsItemRef item = GoodsItemFromListIndex(a);
    std::u16string label = sadstr::kGoodsItemFmt[item.position - 1];
    label.replace(label.find(u"%d"), 2, FromUtf8(std::to_string(item.page)));
    return label;
}

int GoodsItemBase(const GoodsItemRef& item) {
    if (item.page <= 1) return 52;
    return 11 + 21 * (item.position - 1);
}

CEinheitspapierDoc::CEinheitspapierDoc(Profile* profile) : m_pProfile(profile) {
    ConfigureStore();
}

void CEinheitspapierDoc::ConfigureStore() {
    IEditWindow* window = m_store.Window();
    m_store = CFieldStore();
    m_store.AttachWindow(window);
    m_store.SetFieldCounts(kSadFields1, kSadFields2, true);
    // The font sizes of the layout; the alignments follow when the view first paints.
    const auto& first = SadFields(SadSheet::First);
    const auto& cont = SadFields(SadSheet::Continuation);
    for (int i = 0; i < kSadFields1; ++i) m_store.SetFieldFlags(i, 1, first[i].flags & kFlagSizeMask);
    for (int i = 0; i < kSadFields2; ++i) m_store.SetFieldFlags(i, 2, cont[i].flags & kFlagSizeMask);
}

CivilDate CEinheitspapierDoc::LocalToday() {
    const LocalDay d = TodayLocal();
    return {d.day, d.month, d.year};
}

void CEinheitspapierDoc::FillNewDefaults() {
    if (!m_pProfile) return;
    Profile& p = *m_pProfile;
    const char* sec = settings::kEHForm;
    if (settings::Get(p, sec, settings::kFeld14) & 4) {
        const std::u16string text(DeclarantRoleText(settings::Get(p, sec, settings::kAnmelder)));
        m_store.SetFieldText(kFieldBox14, text, 1);
        m_store.SetFieldText(kFieldBox14Number, settings::Get(p, sec, settings::kZollNummer2), 1);
    }
    if (settings::Get(p, sec, settings::kFeld17) & 4)
        m_store.SetFieldText(kFieldBox17b, settings::Get(p, sec, settings::kBundesland2), 1);
    if (settings::Get(p, sec, settings::kFeld34) & 4)
        m_store.SetFieldText(kFieldBox34b, settings::Get(p, sec, settings::kBundesland1), 1);
    if (settings::Get(p, sec, settings::kAutoDateInStamp) == 1) {
        const CivilDate d = m_today ? m_today() : LocalToday();
        const std::u16string date =
            FromUtf8(std::to_string(d.day) + "." + std::to_string(d.month) + "." + std::to_string(d.year));
        if (settings::Get(p, sec, settings::kStampA) != 0) m_store.SetFieldText(FieldStampA(4), date, 1);
        if (settings::Get(p, sec, settings::kStampC) != 0) m_store.SetFieldText(FieldStampC(4), date, 1);
    }
}

void CEinheitspapierDoc::SetContinuationCount(uint16_t count) {
    if (count > kMaxPages - 1) count = kMaxPages - 1;
    m_nContinuationCount = count;
    m_store.SetPageCount(count, 2);
}

void CEinheitspapierDoc::ResetContents(bool fillDefaults) {
    // The store goes back to a new document's layout, so that nothing of earlier contents
    // survives into a document that is read afterwards.
    ConfigureStore();
    m_nContinuationCount = 1;
    m_nInputTax = 0;
    m_nReserved = 0;
    m_legacyTexts1.clear();
    m_legacyTexts2.clear();
    m_legacyTexts3.clear();
    m_legacyValues.clear();
    m_bNewDocument = false;
    if (fillDefaults) FillNewDefaults();
}

bool CEinheitspapierDoc::OnNewDocument() {
    ResetContents();
    FillNewDefaults();
    m_bModified = false;
    m_bNewDocument = true;
    return true;
}

}  // namespace tarvex
