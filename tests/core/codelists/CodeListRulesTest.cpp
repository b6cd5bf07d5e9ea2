#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/codelists/Countries.h"
#include "core/codelists/CustomsOffices.h"
#include "core/codelists/FederalStates.h"
#include "core/codelists/SadCodeLists.h"
#include "core/sad/BoxInput.h"
#include "core/settings/Profile.h"

using namespace tarvex;

namespace {

std::string Narrow(std::u16string_view s) {
    std::string out;
    for (char16_t c : s) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

int CountryRow(std::u16string_view name) {
    const auto rows = Countries();
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].text == name) return static_cast<int>(i);
    return -2;
}

int CurrencyRow(std::u16string_view code) {
    const auto rows = Currencies();
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].code == code) return static_cast<int>(i);
    return -2;
}

}  // namespace

TEST(CountryRules, PresetSelection) {
    struct Case {
        std::u16string name, code;
        std::u16string selectedName;  // the name item, which decides on OK
        std::u16string selectedCode;  // the text of the selected code item
    } cases[] = {
        {u"", u"", u"Deutschland", u"DE"},
        // Repeated codes: the first AE item of the code list, and that item's row in the names.
        {u"", u"AE", u"Arab. Emirate, Ver.", u"AE"},
        {u"", u"ae", u"Arab. Emirate, Ver.", u"AE"},
        {u"", u"Q", u"Katar", u"QA"},
        {u"", u"ZZ", u"Deutschland", u"DE"},
        // Name prefix, any case, first row in table order.
        {u"verein", u"", u"Vereinigte Staaten", u"US"},
        {u"VEREINIGTES", u"", u"Vereinigtes Königreich", u"GB"},
        {u"ägypten", u"", u"Ägypten", u"EG"},
        {u"Dubai", u"", u"Dubai", u"AE"},
        // Both presets: the code decides, but among rows of the same code the name stays.
        {u"Dubai", u"AE", u"Dubai", u"AE"},
        {u"Dubai", u"US", u"Vereinigte Staaten", u"US"},
        {u"Büsingen", u"CH", u"Büsingen", u"CH"},
        // A name that matches nothing: the code preset decides, or "DE" without one.
        {u"Atlantis", u"", u"Deutschland", u"DE"},
        {u"Atlantis", u"FR", u"Frankreich", u"FR"},
    };
    const auto rows = Countries();
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.name) + "/" + Narrow(c.code));
        const CountrySelection sel = CountryPresetSelection(c.name, c.code);
        ASSERT_GE(sel.nameRow, 0);
        ASSERT_GE(sel.codeRow, 0);
        EXPECT_EQ(rows[static_cast<size_t>(sel.nameRow)].text, c.selectedName);
        EXPECT_EQ(rows[static_cast<size_t>(sel.codeRow)].code, c.selectedCode);
        // The code item shown is the first item of its code in the sorted code list.
        EXPECT_EQ(sel.codeRow, CountryCodeItemForNameRow(sel.nameRow));
        const CountryResult result = CountryResultOf(sel.nameRow);
        EXPECT_EQ(result.name, c.selectedName);
        EXPECT_EQ(result.code, c.selectedCode);
    }
}

TEST(CountryRules, ListsFollowEachOther) {
    const int dubai = CountryRow(u"Dubai");
    const int emirates = CountryRow(u"Arab. Emirate, Ver.");
    // A name selects the first code item of its code, a code item the name of its own row.
    EXPECT_EQ(CountryCodeItemForNameRow(dubai), emirates);
    EXPECT_EQ(CountryNameItemForCodeRow(dubai), dubai);
    EXPECT_EQ(CountryCodeItemForNameRow(-1), -1);
    EXPECT_EQ(CountryNameItemForCodeRow(352), -1);
    EXPECT_TRUE(CountryResultOf(-1).code.empty());
}

TEST(CountryRules, SortedListOrders) {
    const auto rows = Countries();
    const std::vector<int> codes = CodeListOrder(rows);
    const std::vector<int> names = NameListOrder(rows);
    for (const auto* order : {&codes, &names}) {
        std::vector<int> sorted = *order;
        std::sort(sorted.begin(), sorted.end());
        ASSERT_EQ(sorted.size(), rows.size());
        for (size_t i = 0; i < sorted.size(); ++i) ASSERT_EQ(sorted[i], static_cast<int>(i));
    }
    for (size_t i = 1; i < codes.size(); ++i) {
        const auto& a = rows[static_cast<size_t>(codes[i - 1])];
        const auto& b = rows[static_cast<size_t>(codes[i])];
        ASSERT_LE(a.code, b.code);
        // Equal codes: the country the code stands for first, the others in table order.
        if (a.code == b.code && i >= 2 && rows[static_cast<size_t>(codes[i - 2])].code == a.code)
            ASSERT_LT(codes[i - 1], codes[i]) << Narrow(a.code);
    }
    // German order: umlauts sort with their base letter, case does not count.
    auto position = [&](std::u16string_view name) {
        return std::find(names.begin(), names.end(), CountryRow(name)) - names.begin();
    };
    EXPECT_EQ(position(u"Ägypten"), position(u"Afghanistan") + 1);
    EXPECT_LT(position(u"Österreich"), position(u"Pakistan"));
    EXPECT_GT(position(u"Österreich"), position(u"Oman"));
    EXPECT_LT(position(u"Äthiopien"), position(u"Australien"));
    EXPECT_EQ(names.front(), CountryRow(u"Abu Dhabi"));
    EXPECT_EQ(names.back(), CountryRow(u"Zypern"));
}

// A code stands for the country, not for the first of its parts in table order: typed into the
// code list or given as a preset, "FR" is Frankreich (the first FR row is "Déairade-I").
TEST(CountryRules, ACodeChoosesTheCountryItStandsFor) {
    struct Case {
        std::u16string code, name;
    } cases[] = {
        {u"FR", u"Frankreich"},
        {u"fr", u"Frankreich"},
        {u"PT", u"Portugal"},
        {u"MY", u"Malaysia"},
        {u"SC", u"Seychellen"},
        {u"NZ", u"Neuseeland"},
        {u"LK", u"Sri Lanka"},
        {u"AN", u"Niederländische Antillen"},
        {u"AE", u"Arab. Emirate, Ver."},
        {u"US", u"Vereinigte Staaten"},
        {u"GB", u"Vereinigtes Königreich"},
        {u"CH", u"Schweiz"},
        {u"ES", u"Spanien"},
        {u"CN", u"China"},
        {u"DE", u"Deutschland"},
    };
    const auto rows = Countries();
    const std::vector<int> codes = CodeListOrder(rows);
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.code));
        const CountrySelection sel = CountryPresetSelection(u"", c.code);
        ASSERT_GE(sel.nameRow, 0);
        EXPECT_EQ(rows[static_cast<size_t>(sel.nameRow)].text, c.name);
        EXPECT_EQ(CountryResultOf(sel.nameRow).name, c.name);
        // The first item of the code in the code list is that country's, so typing it lands there.
        const auto first = std::find_if(codes.begin(), codes.end(), [&](int r) {
            const std::u16string_view code = rows[static_cast<size_t>(r)].code;
            return code.size() == c.code.size() && StartsWithIgnoringCase(code, c.code);
        });
        ASSERT_NE(first, codes.end());
        EXPECT_EQ(rows[static_cast<size_t>(*first)].text, c.name);
    }
    // A name of a part still keeps its own row with the same code.
    const CountrySelection reunion = CountryPresetSelection(u"Réunion", u"FR");
    EXPECT_EQ(rows[static_cast<size_t>(reunion.nameRow)].text, u"Réunion");
}

TEST(CountryRules, DialogTitles) {
    struct Case {
        int mode;
        std::u16string title;
    } cases[] = {{1, u"Bestimmungsland"}, {2, u"Ursprungsland"}, {3, u"Versendungsland"},
                 {4, u"Erzeugungsland"},  {0, u"Ländercodes"},   {5, u"Ländercodes"}};
    for (const auto& c : cases) EXPECT_EQ(CountryDialogTitle(c.mode), c.title) << c.mode;
}

TEST(CurrencyRules, ExactPresetWithEuroDefault) {
    struct Case {
        std::u16string preset;
        int row;
        std::u16string result;  // OK without changing the selection
    } cases[] = {
        {u"", CurrencyRow(u"EUR"), u"EUR"},
        {u"DEM", CurrencyRow(u"DEM"), u"DEM"},
        {u"UGS", CurrencyRow(u"UGS"), u"UGS"},
        {u"dem", -1, u"dem"},
        {u"DE", -1, u"DE"},
        {u"XYZ", -1, u"XYZ"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.preset));
        const int row = CurrencyPresetRow(c.preset);
        EXPECT_EQ(row, c.row);
        EXPECT_EQ(CurrencyResult(row, c.preset), c.result);
    }
    EXPECT_EQ(Currencies()[static_cast<size_t>(CurrencyPresetRow(u"DEM"))].text, u"Deutsche Mark");
    EXPECT_EQ(CurrencyCodeItemForNameRow(CurrencyRow(u"CHF")), CurrencyRow(u"CHF"));
}

TEST(FederalStateRules, PresetAndResult) {
    struct Case {
        std::u16string preset;
        int index;
        std::u16string result;
    } cases[] = {
        {u"9", 8, u"09"},     {u"09", 8, u"09"},  {u" 9", 8, u"09"},  {u"99", 16, u"99"}, {u"17", 16, u"99"},
        {u"", 0, u"01"},      {u"16", 15, u"16"}, {u"1", 0, u"01"},   {u"0", -1, u"0"},   {u"18", -1, u"18"},
        {u"abc", -1, u"abc"}, {u"-3", -1, u"-3"}, {u"98", -1, u"98"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.preset));
        const int index = FederalStatePresetIndex(c.preset);
        EXPECT_EQ(index, c.index);
        EXPECT_EQ(FederalStateResult(index, c.preset), c.result);
    }
    EXPECT_EQ(FederalStates()[static_cast<size_t>(FederalStatePresetIndex(u"9"))], u"09 - Bayern");

    // The form defaults' combos know only the 16 states.
    struct Combo {
        std::u16string stored;
        int index;
    } combos[] = {{u"01", 0}, {u"16", 15}, {u"8", 7}, {u"17", -1}, {u"99", -1}, {u"", -1}, {u"00", -1}};
    for (const auto& c : combos) EXPECT_EQ(InlandStateComboIndex(c.stored), c.index) << Narrow(c.stored);
    EXPECT_EQ(InlandStateComboValue(0), u"01");
    EXPECT_EQ(InlandStateComboValue(15), u"16");
    EXPECT_TRUE(InlandStateComboValue(16).empty());
}

TEST(BoxRules, Box1ExactLabelsAndNoWipe) {
    struct Case {
        int group;
        std::u16string text;
        int button;
        std::u16string resultUnchanged;
    } cases[] = {
        {0, u"IM", 2, u"IM"}, {0, u"COM", -1, u"COM"},    {0, u"im", -1, u"im"}, {0, u"", -1, u""},
        {1, u"Z", 8, u"Z"},   {2, u"T2LSM", 7, u"T2LSM"}, {2, u"T", 3, u"T"},    {2, u"T3", -1, u"T3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.text));
        const int button = Box1PresetButton(c.group, c.text);
        EXPECT_EQ(button, c.button);
        EXPECT_EQ(Box1Result(c.group, button, c.text), c.resultUnchanged);
    }
    EXPECT_EQ(Box1Result(0, 3, u"COM"), u"CO");
}

TEST(BoxRules, Box19Container) {
    struct Case {
        std::u16string text;
        int button;
        std::u16string result;
    } cases[] = {{u"0", 0, u"0"}, {u"1", 1, u"1"}, {u" 1 ", 1, u"1"}, {u"2", -1, u"2"}, {u"", -1, u""}};
    for (const auto& c : cases) {
        const int button = ContainerPresetButton(c.text);
        EXPECT_EQ(button, c.button) << Narrow(c.text);
        EXPECT_EQ(ContainerResult(button, c.text), c.result);
    }
}

TEST(BoxRules, Box20UpperCaseAndFreeText) {
    struct Case {
        std::u16string text;
        int button;
        std::u16string freeText;
        std::u16string result;
    } cases[] = {
        {u"fob", 4, u"", u"FOB"},
        {u"EXW", 1, u"", u"EXW"},
        {u"xxx", 14, u"", u"XXX"},
        {u"Frei Haus", 0, u"FREI HAUS", u"FREI HAUS"},
        {u"fob ", 0, u"FOB ", u"FOB "},
        {u"ab größe", 0, u"AB GRÖßE", u"AB GRÖßE"},
        {u"", 0, u"", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.text));
        const DeliveryTermsPreset preset = DeliveryTermsPresetOf(c.text);
        EXPECT_EQ(preset.button, c.button);
        EXPECT_EQ(preset.freeText, c.freeText);
        EXPECT_EQ(DeliveryTermsResult(preset.button, preset.freeText), c.result);
    }
    EXPECT_EQ(DeliveryTermsResult(5, u"FREI HAUS"), u"CFR");
}

TEST(BoxRules, Box24PairFallback) {
    struct Case {
        std::u16string a, b;
        std::u16string label;
    } cases[] = {
        {u"3", u"1", u"3 1"}, {u"3", u"7", u"3 1"}, {u"7", u"2", u"7 2"},  {u"6", u"1", u"6 3"},
        {u"9", u"9", u"9 9"}, {u"0", u"5", u"1 1"}, {u"10", u"1", u"1 1"}, {u"", u"", u"1 1"},
        {u"5", u"", u"1 1"},  {u"8", u"1", u"8 1"}, {u" 4", u"x", u"1 1"}, {u"4", u"9", u"4 1"},
    };
    const auto codes = TransactionCodes();
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.a) + "/" + Narrow(c.b));
        const int index = TransactionPresetIndex(c.a, c.b);
        ASSERT_GE(index, 0);
        EXPECT_EQ(TransactionLabel(codes[static_cast<size_t>(index)]), c.label);
    }
    const TransactionResult r = TransactionResultOf(TransactionPresetIndex(u"3", u"7"));
    EXPECT_EQ(r.box24A, u"3");
    EXPECT_EQ(r.box24B, u"1");
}

TEST(BoxRules, Box25NumberAndPositionSkipSix) {
    struct Case {
        std::u16string text;
        int index;
        std::u16string result;
    } cases[] = {
        {u"9", 7, u"9"}, {u"0", 0, u"1"},    {u"", 0, u"1"},   {u"-4", 0, u"1"},
        {u"1", 0, u"1"}, {u"5", 4, u"5"},    {u"6", 4, u"5"},  {u"7", 5, u"7"},
        {u"8", 6, u"8"}, {u"10", -1, u"10"}, {u"3a", 2, u"3"}, {u"99", -1, u"99"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.text));
        const int index = TransportPresetIndex(c.text);
        EXPECT_EQ(index, c.index);
        EXPECT_EQ(TransportResult(index, c.text), c.result);
    }
    EXPECT_EQ(TransportModes()[static_cast<size_t>(TransportPresetIndex(u"9"))], u"9 - Eigener Antrieb");
    EXPECT_EQ(TransportModes()[static_cast<size_t>(TransportPresetIndex(u"6"))], u"5 - Postsendungen");
}

TEST(BoxRules, Box36ValueToDigitAndPair) {
    struct Case {
        std::u16string text;
        std::u16string result;
    } cases[] = {
        {u"218", u"218"}, {u"75", u"100"},         {u"", u"100"},    {u"100", u"100"}, {u"109", u"100"},
        {u"110", u"110"}, {u"114", u"110"},        {u"117", u"115"}, {u"119", u"118"}, {u"122", u"120"},
        {u"124", u"123"}, {u"127", u"125"},        {u"139", u"128"}, {u"149", u"140"}, {u"150", u"150"},
        {u"199", u"150"}, {u"200", u"200"},        {u"300", u"300"}, {u"349", u"340"}, {u"999", u"350"},
        {u"-5", u"100"},  {u"2147483647", u"350"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PreferenceResult(PreferencePresetOf(c.text)), c.result) << Narrow(c.text);
    const PreferenceSelection sel = PreferencePresetOf(u"218");
    EXPECT_EQ(PreferenceFirstDigits()[static_cast<size_t>(sel.first)].code, u"2");
    EXPECT_EQ(PreferencePairs()[static_cast<size_t>(sel.pair)].code, u"18");
    EXPECT_TRUE(PreferenceResult({3, 0}).empty());
}

namespace {

// The list's own sort as the office dialog has always done it: exchange adjacent rows and start
// again from the top after every swap.
std::vector<int> ExchangeSort(std::vector<int> rows, OfficeSort sort) {
    const auto offices = CustomsOffices();
    auto outOfOrder = [&](int upper, int lower) {
        const auto& u = offices[static_cast<size_t>(upper)];
        const auto& l = offices[static_cast<size_t>(lower)];
        const auto tu = OfficeColumnText(u, sort.column), tl = OfficeColumnText(l, sort.column);
        if (tu == tl) return u.place > l.place;
        return sort.ascending ? tu > tl : tu < tl;
    };
    for (size_t i = 0; i + 1 < rows.size();) {
        if (outOfOrder(rows[i], rows[i + 1])) {
            std::swap(rows[i], rows[i + 1]);
            i = 0;
        } else {
            ++i;
        }
    }
    return rows;
}

}  // namespace

TEST(OfficeRules, SortMatchesTheExchangeSort) {
    std::vector<int> tableOrder(CustomsOffices().size());
    for (size_t i = 0; i < tableOrder.size(); ++i) tableOrder[i] = static_cast<int>(i);
    std::vector<int> shown = SortedOfficeRows(OfficeSort{});
    for (int column = 0; column < kOfficeColumnCount; ++column) {
        for (bool ascending : {true, false}) {
            const OfficeSort sort{static_cast<OfficeColumn>(column), ascending};
            SCOPED_TRACE(column * 2 + ascending);
            const std::vector<int> got = SortedOfficeRows(sort);
            // The result does not depend on the order the list had before.
            EXPECT_EQ(got, ExchangeSort(tableOrder, sort));
            EXPECT_EQ(got, ExchangeSort(shown, sort));
            shown = got;
        }
    }
}

TEST(OfficeRules, HeaderClicksAndTies) {
    OfficeSort sort;
    EXPECT_EQ(sort.column, OfficeColumn::kArt);
    EXPECT_TRUE(sort.ascending);
    sort = OfficeSortAfterClick(sort, OfficeColumn::kCode);
    EXPECT_EQ(sort.column, OfficeColumn::kCode);
    EXPECT_TRUE(sort.ascending);
    sort = OfficeSortAfterClick(sort, OfficeColumn::kCode);
    EXPECT_FALSE(sort.ascending);
    const auto offices = CustomsOffices();
    const std::vector<int> byCodeDown = SortedOfficeRows(sort);
    EXPECT_EQ(offices[static_cast<size_t>(byCodeDown.front())].code, u"DE009984");
    EXPECT_EQ(offices[static_cast<size_t>(byCodeDown.back())].code, u"DE002102");
    sort = OfficeSortAfterClick(sort, OfficeColumn::kOrt);
    EXPECT_EQ(sort.column, OfficeColumn::kOrt);
    EXPECT_TRUE(sort.ascending);

    // "Art" descending: kinds descending, places ascending within a kind.
    const std::vector<int> byKindDown = SortedOfficeRows({OfficeColumn::kArt, false});
    const auto& first = offices[static_cast<size_t>(byKindDown[0])];
    const auto& second = offices[static_cast<size_t>(byKindDown[1])];
    EXPECT_EQ(first.kind, u"See (Ostsee)");
    EXPECT_EQ(first.place, u"Burgstaaken");
    EXPECT_EQ(second.place, u"Flensburg-Hafen");
    const std::vector<int> byKindUp = SortedOfficeRows({});
    EXPECT_EQ(offices[static_cast<size_t>(byKindUp[0])].place, u"Bad Säckingen");
    // Places compare by code unit: "Öhningen" comes after every ASCII place, not among the O's.
    const std::vector<int> byPlace = SortedOfficeRows({OfficeColumn::kOrt, true});
    EXPECT_EQ(offices[static_cast<size_t>(byPlace.back())].place, u"Öhningen");
}

// Type-ahead finds an office by its place whatever the list is sorted by, and by its code when
// no place begins with what was typed.
TEST(OfficeRules, TypeAheadByPlaceOrCodeInEverySort) {
    const auto offices = CustomsOffices();
    for (int number = 0; number < 2 * kOfficeColumnCount; ++number) {
        const OfficeSort sort = OfficeSortFromNumber(number);
        EXPECT_EQ(OfficeSortNumber(sort), number);
        SCOPED_TRACE(number);
        const std::vector<int> order = SortedOfficeRows(sort);
        const int hamburg = OfficeTypeAheadRow(order, u"hamb");
        ASSERT_GE(hamburg, 0);
        EXPECT_EQ(offices[static_cast<size_t>(hamburg)].place.substr(0, 7), u"Hamburg");
        // The first Hamburg office in the order shown.
        const auto first = std::find_if(order.begin(), order.end(), [&](int r) {
            return offices[static_cast<size_t>(r)].place.substr(0, 7) == u"Hamburg";
        });
        EXPECT_EQ(hamburg, *first);
        struct Case {
            std::u16string typed, code;  // empty code: nothing found
        } cases[] = {{u"de00485", u"DE004851"},
                     {u"DE009950", u"DE009950"},
                     {u"9950", u"DE009950"},
                     {u"Postv", u"DE009950"},
                     {u"öhn", u"DE004117"},
                     {u"xyz", u""},
                     {u"", u""}};
        for (const Case& c : cases) {
            const int row = OfficeTypeAheadRow(order, c.typed);
            if (c.code.empty())
                EXPECT_EQ(row, -1) << Narrow(c.typed);
            else
                EXPECT_EQ(row >= 0 ? offices[static_cast<size_t>(row)].code : std::u16string_view(), c.code)
                    << Narrow(c.typed);
        }
    }
    EXPECT_EQ(OfficeSortFromNumber(-1).column, OfficeColumn::kArt);
    EXPECT_TRUE(OfficeSortFromNumber(99).ascending);
}

TEST(OfficeRules, PresetAndResult) {
    struct Case {
        std::u16string text;
        std::u16string place;  // empty: nothing selected
        std::u16string result;
    } cases[] = {
        {u"DE004058", u"Basel", u"DE004058"},
        {u"DE009950", u"Postversand", u"DE009950"},
        {u"de004058", u"", u"de004058"},
        {u"DE004058 ", u"", u"DE004058 "},
        {u"", u"", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.text));
        const int row = CustomsOfficePresetRow(c.text);
        if (c.place.empty())
            EXPECT_EQ(row, -1);
        else
            EXPECT_EQ(CustomsOffices()[static_cast<size_t>(row)].place, c.place);
        EXPECT_EQ(CustomsOfficeResult(row, c.text), c.result);
    }
}

TEST(DateRules, Box54PlaceAndDate) {
    struct Case {
        std::u16string place;
        int day, month, year;
        std::u16string text;
    } cases[] = {
        {u"Hamburg", 5, 3, 2024, u"Hamburg, 5.3.2024"},
        {u"Hamburg \t ", 5, 3, 2024, u"Hamburg, 5.3.2024"},
        {u" Bad Säckingen", 31, 12, 1999, u" Bad Säckingen, 31.12.1999"},
        {u"", 1, 1, 2025, u"1.1.2025"},
        {u"   ", 10, 10, 2030, u"10.10.2030"},
    };
    for (const auto& c : cases) EXPECT_EQ(PlaceDateText(c.place, c.day, c.month, c.year), c.text);
    EXPECT_EQ(DateBoxText(5, 3, 2024), u"5.3.2024");
}

TEST(DateRules, Box54RemembersThePlace) {
    CMemoryProfile profile;
    PlaceDateStart start = PlaceDatePreset(profile);
    EXPECT_TRUE(start.reuse);
    EXPECT_TRUE(start.place.empty());

    EXPECT_EQ(PlaceDateAccept(profile, u"Hamburg  ", true, 5, 3, 2024), u"Hamburg, 5.3.2024");
    EXPECT_EQ(profile.GetProfileString("Settings", "DatumOrt", u"?"), u"Hamburg");
    start = PlaceDatePreset(profile);
    EXPECT_TRUE(start.reuse);
    EXPECT_EQ(start.place, u"Hamburg");

    // Unchecked: the switch is stored, the remembered place is neither shown nor overwritten.
    EXPECT_EQ(PlaceDateAccept(profile, u"Bremen", false, 6, 3, 2024), u"Bremen, 6.3.2024");
    EXPECT_EQ(profile.GetProfileInt("Settings", "ReuseDatumOrt", -1), 0);
    EXPECT_EQ(profile.GetProfileString("Settings", "DatumOrt", u"?"), u"Hamburg");
    start = PlaceDatePreset(profile);
    EXPECT_FALSE(start.reuse);
    EXPECT_TRUE(start.place.empty());
}
