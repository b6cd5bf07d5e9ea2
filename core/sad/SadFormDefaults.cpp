#include "core/sad/SadFormDefaults.h"

#include "core/common/TextCodec.h"
#include "core/sad/FieldDefinitions.h"
#include "core/sad/SadFields.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {
namespace {

constexpr int kFeldBit = 4;
constexpr int kFeld2S2Bit = 1;

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

}  // namespace

SadFormDefaults ReadSadFormDefaults(Profile& p) {
    using namespace settings;
    SadFormDefaults r;
    std::u16string address;
    for (int i = 0; i < kFirmaLines; ++i) {
        if (i) address += u"\r\n";
        address += Get(p, kEHForm, kFirma[i]);
    }
    TrimRight(address);
    r.address = address;
    r.zollNummer1 = Get(p, kEHForm, kZollNummer1);
    r.zollNummer2 = Get(p, kEHForm, kZollNummer2);
    r.feld2 = (Get(p, kEHForm, kFeld2) & kFeldBit) != 0;
    r.feld2S2 = (Get(p, kEHForm, kFeld2S2) & kFeld2S2Bit) != 0;
    r.anmelder = Get(p, kEHForm, kAnmelder);
    // The dialog shows box 14 switched off until the user has stored the record once.
    r.feld14 = (p.GetProfileInt(kEHForm, kFeld14.name, 0) & kFeldBit) != 0;
    r.state17 = StateIndex(Get(p, kEHForm, kBundesland2));
    r.feld17 = (Get(p, kEHForm, kFeld17) & kFeldBit) != 0;
    r.state34 = StateIndex(Get(p, kEHForm, kBundesland1));
    r.feld34 = (Get(p, kEHForm, kFeld34) & kFeldBit) != 0;
    r.autoFillPositions = Get(p, kEHForm, kAutoFillPositions) != 0;
    r.stampA = Get(p, kEHForm, kStampA) != 0;
    r.stampC = Get(p, kEHForm, kStampC) != 0;
    r.autoDateInStamp = Get(p, kEHForm, kAutoDateInStamp) != 0;
    r.threeLineInStamp = Get(p, kEHForm, kThreeLineInStamp) != 0;
    r.showXX = Get(p, kEHForm, kEHShowXX) != 0;
    return r;
}

std::vector<std::u16string> SplitAddressLines(std::u16string_view text) {
    size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1])) --end;
    text = text.substr(0, end);
    std::vector<std::u16string> lines;
    if (text.empty()) return lines;
    size_t start = 0;
    for (;;) {
        const size_t nl = text.find(u'\n', start);
        std::u16string line(text.substr(start, nl == std::u16string_view::npos ? nl : nl - start));
        if (!line.empty() && line.back() == u'\r') line.pop_back();
        lines.push_back(std::move(line));
        if (nl == std::u16string_view::npos) break;
        start = nl + 1;
    }
    return lines;
}

AddressFit CheckAddress(std::u16string_view text) {
    AddressFit fit;
    const auto lines = SplitAddressLines(text);
    fit.lineCount = static_cast<int>(lines.size());
    for (size_t i = 0; i < lines.size() && i < kFirmaLines; ++i)
        if (lines[i].size() > kFirmaLineLength) fit.longLines.push_back(static_cast<int>(i) + 1);
    return fit;
}

std::array<std::u16string, kFirmaLines> AddressToFirma(std::u16string_view text) {
    std::array<std::u16string, kFirmaLines> firma;
    const auto lines = SplitAddressLines(text);
    for (size_t i = 0; i < lines.size() && i < kFirmaLines; ++i)
        firma[i] = lines[i].substr(0, kFirmaLineLength);
    return firma;
}

std::u16string StateCode(int index) {
    const int code = index < 0 || index >= kStateCount ? 0 : index + 1;
    return {static_cast<char16_t>(u'0' + code / 10), static_cast<char16_t>(u'0' + code % 10)};
}

int StateIndex(std::u16string_view code) {
    // Read like atoi: leading blanks, then digits up to the first other character.
    size_t i = 0;
    while (i < code.size() && (code[i] == u' ' || code[i] == u'\t')) ++i;
    int value = 0;
    bool any = false;
    for (; i < code.size() && code[i] >= u'0' && code[i] <= u'9' && value < 1000; ++i) {
        value = value * 10 + (code[i] - u'0');
        any = true;
    }
    return any && value >= 1 && value <= kStateCount ? value - 1 : -1;
}

void ApplyStampSwitches(CFieldDefinitions& definitions, bool stampA, bool stampC) {
    const uint8_t a = stampA ? 0 : kDefNotOnForm;
    const uint8_t c = stampC ? 0 : kDefNotOnForm;
    for (int variant = 0; variant < 4; ++variant) {
        for (int line = 1; line <= 6; ++line) {
            definitions.Set(1, FieldStampA(line), variant, a);
            definitions.Set(2, ContFieldStampA(line), variant, a);
            definitions.Set(1, FieldStampC(line), variant, c);
        }
    }
}

void StoreSadFormDefaults(const SadFormDefaults& r, Profile& p, CFieldDefinitions& definitions,
                          Profile& programArea) {
    using namespace settings;
    const auto firma = AddressToFirma(r.address);
    for (int i = 0; i < kFirmaLines; ++i) p.WriteProfileString(kEHForm, kFirma[i].name, firma[i]);
    p.WriteProfileString(kEHForm, kBundesland2.name, StateCode(r.state17));
    p.WriteProfileString(kEHForm, kBundesland1.name, StateCode(r.state34));
    p.WriteProfileInt(kEHForm, kAnmelder.name, r.anmelder);
    p.WriteProfileString(kEHForm, kZollNummer1.name, r.zollNummer1);
    p.WriteProfileString(kEHForm, kZollNummer2.name, r.zollNummer2);
    p.WriteProfileInt(kEHForm, kAutoFillPositions.name, r.autoFillPositions ? 1 : 0);
    p.WriteProfileInt(kEHForm, kThreeLineInStamp.name, r.threeLineInStamp ? 1 : 0);
    p.WriteProfileInt(kEHForm, kEHShowXX.name, r.showXX ? 1 : 0);
    p.WriteProfileInt(kEHForm, kFeld2.name, r.feld2 ? kFeldBit : 0);
    p.WriteProfileInt(kEHForm, kFeld2S2.name, r.feld2S2 ? kFeld2S2Bit : 0);
    p.WriteProfileInt(kEHForm, kFeld14.name, r.feld14 ? kFeldBit : 0);
    p.WriteProfileInt(kEHForm, kFeld17.name, r.feld17 ? kFeldBit : 0);
    p.WriteProfileInt(kEHForm, kFeld34.name, r.feld34 ? kFeldBit : 0);
    p.WriteProfileInt(kEHForm, kAutoDateInStamp.name, r.autoDateInStamp ? 1 : 0);
    p.WriteProfileInt(kEHForm, kStampA.name, r.stampA ? 1 : 0);
    p.WriteProfileInt(kEHForm, kStampC.name, r.stampC ? 1 : 0);
    ApplyStampSwitches(definitions, r.stampA, r.stampC);
    SaveFieldDefinitions(definitions, p, programArea);
}

}  // namespace tarvex
