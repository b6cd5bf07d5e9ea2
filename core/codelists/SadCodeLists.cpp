#include "core/codelists/SadCodeLists.h"

#include <array>

#include "core/codelists/CodeListStrings.h"

namespace tarvex {
namespace {

constexpr std::array<std::u16string_view, 5> kBox1Group1 = {u"EU", u"EX", u"IM", u"CO", u"IN"};
constexpr std::array<std::u16string_view, 9> kBox1Group2 = {u"A", u"B", u"C", u"D", u"E",
                                                            u"F", u"X", u"Y", u"Z"};
constexpr std::array<std::u16string_view, 8> kBox1Group3 = {u"T1",  u"T2",   u"T2F",  u"T",
                                                            u"T2L", u"T2LF", u"T2SM", u"T2LSM"};

constexpr std::array<std::u16string_view, 5> kRoles = {u"", codestr::kAnmelder1057, codestr::kAnmelder1058,
                                                       codestr::kAnmelder1059, codestr::kAnmelder1060};

constexpr std::array<std::u16string_view, 2> kContainer = {codestr::kContainer0, codestr::kContainer1};

// Incoterms 2000.
constexpr std::array<CodeText, 14> kDeliveryTerms = {{
    {u"EXW", u"Ab Werk"},
    {u"FCA", u"Franko Spediteur"},
    {u"FAS", u"Franko längsseits Schiff"},
    {u"FOB", u"Franko Bord"},
    {u"CFR", u"Kosten und Fracht (C & F)"},
    {u"CIF", u"Kosten, Versicherung, Fracht"},
    {u"CPT", u"Fracht bezahlt bis"},
    {u"CIP", u"Fracht einschließlich Versicherung"},
    {u"DAF", u"Frei Grenze"},
    {u"DES", u"Frei \"ex ship\""},
    {u"DEQ", u"Frei Kai"},
    {u"DDU", u"Frei unverzollt"},
    {u"DDP", u"Verzollt"},
    {u"XXX", u"Andere Lieferbedingungen"},
}};

constexpr std::array<std::u16string_view, 9> kTransactionGroups = {
    codestr::kTransactionGroup1, codestr::kTransactionGroup2, codestr::kTransactionGroup3,
    codestr::kTransactionGroup4, codestr::kTransactionGroup5, codestr::kTransactionGroup6,
    codestr::kTransactionGroup7, codestr::kTransactionGroup8, codestr::kTransactionGroup9,
};

// Own texts, string-table entries 900 to 933.
constexpr std::array<TransactionCode, 25> kTransactions = {{
    {1, 1, u"Endgültiger Kauf/Verkauf"},
    {1, 2, u"Ansichts- oder Probesendungen, Sendungen mit Rückgaberecht und Kommissionsgeschäfte"},
    {1, 3, u"Kompensationsgeschäfte (Tauschhandel)"},
    {1, 4, u"Verkauf an ausländische Reisende für deren persönlichen Bedarf"},
    {1, 5, u"Finanzierungsleasing (Mietkauf)"},
    {2, 1, u"Rücksendung von Waren"},
    {2, 2, u"Ersatz für zurückgesandte Waren"},
    {2, 3, u"Ersatz für nicht zurückgesandte Waren (z.B. wegen Garantie)"},
    {3, 1,
     u"Warenlieferungen im Rahmen von durch die Europäische Union ganz oder teilweise finanzierten "
     u"Hilfsprogrammen"},
    {3, 2, u"Andere Hilfslieferungen öffentlicher Stellen"},
    {3, 3, u"Sonstige Hilfsleistungen (von Privaten oder von nicht öffentlichen Stellen)"},
    {3, 4, u"Sonstige Geschäfte"},
    {4, 1, u"Ausnahme: Die unter 71 und 72 genannten Warensendungen"},
    {5, 1, u"Ausnahme: Die unter 71 und 72 genannten Warensendungen"},
    {6, 3, u"Warensendungen zur Reparatur und Wartung gegen Entgelt"},
    {6, 4, u"Warensendungen zur Reparatur und Wartung ohne Entgelt"},
    {6, 5, u"Warensendungen nach Reparatur und Wartung gegen Entgelt"},
    {6, 6, u"Warensendungen nach Reparatur und Wartung ohne Entgelt"},
    {6, 9, u"Sonstige vorübergehende Warenverkehre bis einschl. 24 Monaten"},
    {7, 1, u" Für militärische Zwecke"},
    {7, 2, u"Airbus-Programm"},
    {8, 1, u" "},
    {9, 2, u"Lagerverkehr für ausländische Rechnung"},
    {9, 3, u"vorübergehende Warenverkehre über 24 Monate (z. B. Mietkauf oder Operate Leasing)"},
    {9, 9, u"Nicht anderweitig erfasst"},
}};

constexpr std::array<std::u16string_view, 8> kTransport = {
    codestr::kTransport1, codestr::kTransport2, codestr::kTransport3, codestr::kTransport4,
    codestr::kTransport5, codestr::kTransport7, codestr::kTransport8, codestr::kTransport9,
};

constexpr std::array<CodeText, 3> kPreferenceFirst = {{
    {u"1", u"Abgabenbegünstigung erga omnes (ohne Präferenznachweis)"},
    {u"2", u"Allgemeine Zollpräferenzen (APS)"},
    {u"3", u"Andere Zollpräferenzen (EUR.1, ATR oder gleichwertiges Dokument)"},
}};

constexpr std::array<CodeText, 10> kPreferencePairs = {{
    {u"00", u"Keiner der nachstehenden Fälle"},
    {u"10", u"Zollaussetzung"},
    {u"15", u"Zollaussetzung mit besonderer Verwendung"},
    {u"18", u"Zollaussetzung mit Bescheinigung über die Beschaffenheit der Ware"},
    {u"20", u"Zollkontingent"},
    {u"23", u"Zollkontingent mit besonderer Verwendung"},
    {u"25", u"Zollkontingent mit Bescheinigung über die Beschaffenheit der Ware"},
    {u"28", u"Zollkontingent nach passiver Veredelung"},
    {u"40", u"Besondere Verwendung nach dem Gemeinsamen Zolltarif"},
    {u"50", u"Bescheinigung über die Beschaffenheit der Ware"},
}};

std::u16string Digits(int n) {
    std::u16string s;
    const bool negative = n < 0;
    long long v = n;
    if (negative) v = -v;
    do {
        s.insert(s.begin(), static_cast<char16_t>(u'0' + v % 10));
        v /= 10;
    } while (v);
    if (negative) s.insert(s.begin(), u'-');
    return s;
}

}  // namespace

std::span<const std::u16string_view> Box1Group(int group) {
    switch (group) {
        case 0:
            return kBox1Group1;
        case 1:
            return kBox1Group2;
        case 2:
            return kBox1Group3;
        default:
            return {};
    }
}

int Box1PresetButton(int group, std::u16string_view boxText) {
    const auto labels = Box1Group(group);
    for (size_t i = 0; i < labels.size(); ++i)
        if (labels[i] == boxText) return static_cast<int>(i);
    return -1;
}

std::u16string Box1Result(int group, int button, std::u16string_view boxText) {
    const auto labels = Box1Group(group);
    if (button < 0 || static_cast<size_t>(button) >= labels.size()) return std::u16string(boxText);
    return std::u16string(labels[static_cast<size_t>(button)]);
}

std::span<const std::u16string_view> DeclarantRoles() {
    return kRoles;
}

std::u16string_view DeclarantRoleText(int anmelder) {
    return anmelder >= 1 && anmelder <= 4 ? kRoles[static_cast<size_t>(anmelder)] : std::u16string_view();
}

std::span<const std::u16string_view> ContainerTexts() {
    return kContainer;
}

int ContainerPresetButton(std::u16string_view boxText) {
    size_t b = 0, e = boxText.size();
    while (b < e && boxText[b] == u' ') ++b;
    while (e > b && boxText[e - 1] == u' ') --e;
    const std::u16string_view t = boxText.substr(b, e - b);
    if (t == u"0") return 0;
    if (t == u"1") return 1;
    return -1;
}

std::u16string ContainerResult(int button, std::u16string_view boxText) {
    if (button < 0 || button > 1) return std::u16string(boxText);
    return Digits(button);
}

std::span<const CodeText> DeliveryTerms() {
    return kDeliveryTerms;
}

DeliveryTermsPreset DeliveryTermsPresetOf(std::u16string_view boxText) {
    DeliveryTermsPreset preset;
    const std::u16string upper = ToUpperText(boxText);
    for (size_t i = 0; i < kDeliveryTerms.size(); ++i) {
        if (kDeliveryTerms[i].code == upper) {
            preset.button = static_cast<int>(i) + 1;
            return preset;
        }
    }
    preset.freeText = upper;
    return preset;
}

std::u16string DeliveryTermsResult(int button, std::u16string_view freeText) {
    if (button >= 1 && static_cast<size_t>(button) <= kDeliveryTerms.size())
        return std::u16string(kDeliveryTerms[static_cast<size_t>(button) - 1].code);
    return ToUpperText(freeText);
}

std::span<const TransactionCode> TransactionCodes() {
    return kTransactions;
}

std::u16string_view TransactionGroupText(int firstDigit) {
    return firstDigit >= 1 && firstDigit <= 9 ? kTransactionGroups[static_cast<size_t>(firstDigit) - 1]
                                              : std::u16string_view();
}

std::u16string TransactionLabel(const TransactionCode& code) {
    return Digits(code.first) + u" " + Digits(code.second);
}

int TransactionPresetIndex(std::u16string_view box24A, std::u16string_view box24B) {
    const int first = DecimalValue(box24A);
    const int second = DecimalValue(box24B);
    if (first < 1 || second < 1) return 0;
    for (size_t i = 0; i < kTransactions.size(); ++i)
        if (kTransactions[i].first == first && kTransactions[i].second == second) return static_cast<int>(i);
    for (size_t i = 0; i < kTransactions.size(); ++i)
        if (kTransactions[i].first == first) return static_cast<int>(i);
    return 0;
}

TransactionResult TransactionResultOf(int index) {
    if (index < 0 || static_cast<size_t>(index) >= kTransactions.size()) return {};
    const TransactionCode& c = kTransactions[static_cast<size_t>(index)];
    return {Digits(c.first), Digits(c.second)};
}

std::span<const std::u16string_view> TransportModes() {
    return kTransport;
}

int TransportCode(int index) {
    if (index < 0 || static_cast<size_t>(index) >= kTransport.size()) return 0;
    return index < 5 ? index + 1 : index + 2;
}

int TransportPresetIndex(std::u16string_view boxText) {
    const int n = DecimalValue(boxText);
    if (n < 1) return 0;
    if (n <= 5) return n - 1;
    if (n <= 9) return n - 2;
    return -1;
}

std::u16string TransportResult(int index, std::u16string_view boxText) {
    if (index < 0 || static_cast<size_t>(index) >= kTransport.size()) return std::u16string(boxText);
    return Digits(TransportCode(index));
}

std::span<const CodeText> PreferenceFirstDigits() {
    return kPreferenceFirst;
}

std::span<const CodeText> PreferencePairs() {
    return kPreferencePairs;
}

PreferenceSelection PreferencePresetOf(std::u16string_view boxText) {
    const int v = DecimalValue(boxText);
    PreferenceSelection sel;
    if (v < 100) return sel;
    sel.first = v >= 300 ? 2 : v >= 200 ? 1 : 0;
    const long long r = static_cast<long long>(v) - 100LL * (sel.first + 1);
    // The upper bound of the remainder that each pair takes, in list order.
    constexpr std::array<int, 9> kUpTo = {9, 14, 17, 19, 22, 24, 27, 39, 49};
    sel.pair = static_cast<int>(kUpTo.size());
    for (size_t i = 0; i < kUpTo.size(); ++i) {
        if (r <= kUpTo[i]) {
            sel.pair = static_cast<int>(i);
            break;
        }
    }
    return sel;
}

std::u16string PreferenceResult(PreferenceSelection selection) {
    if (selection.first < 0 || static_cast<size_t>(selection.first) >= kPreferenceFirst.size() ||
        selection.pair < 0 || static_cast<size_t>(selection.pair) >= kPreferencePairs.size())
        return {};
    return std::u16string(kPreferenceFirst[static_cast<size_t>(selection.first)].code) +
           std::u16string(kPreferencePairs[static_cast<size_t>(selection.pair)].code);
}

}  // namespace tarvex
