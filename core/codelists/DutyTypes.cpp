#include "core/codelists/DutyTypes.h"

#include <array>

namespace tarvex {
namespace {

// String-table entries 947 to 969.
constexpr std::array<DutyType, 23> kDutyTypes = {{
    {u"10100", u"Zölle"},
    {u"10200", u"Zölle für EGKS-Waren - ohne Ausgleichs- und Antidumpingzölle"},
    {u"10300", u"Ausgleichs- und Antidumpingzölle"},
    {u"10400", u"Zölle auf Agrarwaren, Zusatzzölle auf Agrarwaren und Agrarteilbeträge"},
    {u"11000", u"Ausgleichsabgaben bei der EInfuhr von EG-Marktordnungswaren aus Drittländern"},
    {u"14000", u"Währungsausgleichbeträge bei der Einfuhr aus Drittländern"},
    {u"15000", u"Abgaben bei der Ausfuhr von EU-Marktordnungswaren nach Drittländern"},
    {u"16000", u"Ausgleichsbeträge bei der Einfuhr aus neuen Mitgliedstaaten (Beitrittsausgleichsbeträge)"},
    {u"17000", u"Währungsausgleichsbeträge bei der Einfuhr aus Mitgliedstaaten"},
    {u"20000", u"Einfuhrumsatzsteuer"},
    {u"21000",
     u"Zölle für die ein Bescheid von dem 1.7.1971 erging; EGKS-Zölle, für die ein Bescheid vor dem "
     u"1.1.1988 erging"},
    {u"23000", u"Pauschalierte Eingangsabgaben"},
    {u"30000", u"Tabaksteuer"},
    {u"31000", u"Kaffeesteuer"},
    {u"35000", u"Branntweinsteuer"},
    {u"37000", u"Schaumweinsteuer"},
    {u"37100", u"Zwischenerzeugnissteuer"},
    {u"40000", u"Mineralölsteuer (aus dem Verbrauch von Heizöl)"},
    {u"41000", u"Mineralölsteuer (sonstiges Aufkommen)"},
    {u"41500", u"Erdgassteuer"},
    {u"42000", u"Stromsteuer"},
    {u"43000",
     u"Abschöpfungen von Preisunterschieden bei Lebensmitteleinfuhren nach weiter geltendem nationalen "
     u"Marktordnungsrecht"},
    {u"67000", u"Biersteuer"},
}};

char16_t Fold(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

}  // namespace

std::span<const DutyType> DutyTypes() {
    return kDutyTypes;
}

int DutyTypePresetIndex(std::u16string_view preset) {
    for (size_t i = 0; i < kDutyTypes.size(); ++i) {
        const std::u16string_view code = kDutyTypes[i].code;
        if (preset.size() > code.size()) continue;
        bool match = true;
        for (size_t k = 0; k < preset.size() && match; ++k) match = Fold(preset[k]) == Fold(code[k]);
        if (match) return static_cast<int>(i);
    }
    return 0;
}

}  // namespace tarvex
