#include "core/sad/SadDocumentSetup.h"

#include <algorithm>
#include <string>

#include "core/common/TextCodec.h"
#include "core/formview/FieldStore.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/FieldDefinitions.h"
#include "core/sad/SadFieldLabels.h"
#include "core/sad/SadFields.h"
#include "core/sad/SadStrings.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {
std::u16string SadLoadStatusMessage(int status) {
    switch (status) {
        case 0:
            return {};
        case 18:
            return sadstr::kStatus18;
        case 19:
            return sadstr::kStatus19;
        default:
            return sadstr::kStatusOther + FromUtf8(std::to_string(status)) + sadstr::kStatusOtherEnd;
    }
}

void FillBox8Defaults(CFieldStore& store, Profile& p) {
    const char* sec = settings::kEHForm;
    if (!(settings::Get(p, sec, settings::kFeld2) & 4)) return;
    std::u16string text = settings::Get(p, sec, settings::kFirma[0]);
    for (int i = 1; i < 4; ++i) text += u"\r\n" + settings::Get(p, sec, settings::kFirma[i]);
    TrimRight(text);
    const std::u16string number = settings::Get(p, sec, settings::kZollNummer1);
    store.SetFieldText(kFieldBox8, text, 1);
    store.SetFieldText(kFieldBox8Number, number, 1);
    if (store.GetPageCount() >= 2) {
        store.SetFieldText(kContFieldBox2, text, 2);
        store.SetFieldText(kContFieldBox2Number, number, 2);
        store.SetFontSize(kContFieldBox2Number, 2, 1);
        store.SetFontSize(kContFieldBox2, 2, 1);
    }
}

void ApplyFirstPaintAlignments(CFieldStore& store) {
    ApplySadAlignments(store, 1);
    if (store.GetPageCount() >= 2) ApplySadAlignments(store, 2);
}

void MarkCrossedOutFields(CFieldDefinitions& definitions, Profile& profile, int variant) {
    if (settings::Get(profile, settings::kEHForm, settings::kEHShowXX) != 1) return;
    for (int f : SadCrossedOut(SadSheet::First, variant)) definitions.Set(1, f, variant, kDefNotOnForm);
    for (int f : SadCrossedOut(SadSheet::Continuation, variant))
        definitions.Set(2, f, variant, kDefNotOnForm);
}

SadInitialUpdate InitialiseSadDocument(CEinheitspapierDoc& doc, Profile& profile,
                                       CFieldDefinitions& definitions, int currentVariant) {
    SadInitialUpdate result;
    result.loadMessage = SadLoadStatusMessage(doc.m_nLoadStatus);
    if (doc.m_nFormVariant == kVariantExport) {
        result.exportFile = true;
        doc.m_nFormVariant = kVariantNone;
    }
    // Only the four forms exist; any other code read from a file is drawn and printed as the
    // form the user works with.
    if (doc.m_nFormVariant < 0 || doc.m_nFormVariant > 3) doc.m_nFormVariant = currentVariant;
    // The consignee defaults go into new documents only: a document read from a file shows
    // (and prints and saves) the consignee the file holds.
    if (doc.IsNewDocument()) FillBox8Defaults(doc.Store(), profile);
    // "Auf Seite 2 nicht drucken": the address copies of the continuation sheets stay on screen
    // only, in whichever form the document is switched to.
    if ((settings::Get(profile, settings::kEHForm, settings::kFeld2) & 4) &&
        (settings::Get(profile, settings::kEHForm, settings::kFeld2S2) & 1)) {
        for (int v = 0; v < 4; ++v)
            for (int f : {kContFieldBox2Number, kContFieldBox2})
                definitions.Set(2, f, v, static_cast<uint8_t>(definitions.Get(2, f, v) | kDefNotPrinted));
    }
    MarkCrossedOutFields(definitions, profile, doc.m_nFormVariant);
    return result;
}

std::u16string SadOverflowQuestion(SadSheet sheet, const std::vector<int>& fields) {
    // Each box by its printed label, once, in field order.
    std::vector<std::u16string> labels;
    for (int f : fields) {
        std::u16string label = SadFieldLabel(sheet == SadSheet::First ? 1 : 2, f);
        if (std::find(labels.begin(), labels.end(), label) == labels.end())
            labels.push_back(std::move(label));
    }
    std::u16string list;
    for (const auto& l : labels) list += (list.empty() ? u"" : u"; ") + l;
    return sadstr::kOverflowQuestion + list + sadstr::kOverflowQuestionEnd;
}

}  // namespace tarvex
