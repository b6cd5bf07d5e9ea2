#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "core/codelists/CodeLists.h"
#include "core/codelists/Countries.h"
#include "core/codelists/CustomsOffices.h"
#include "core/codelists/FederalStates.h"
#include "core/codelists/SadCodeLists.h"

using namespace tarvex;

TEST(CodeTables, CountriesAndCurrenciesEndBeforeTheirSentinel) {
    const auto countries = Countries();
    ASSERT_EQ(countries.size(), 352u);
    EXPECT_EQ(countries.front().code, u"US");
    EXPECT_EQ(countries.front().text, u"Vereinigte Staaten");
    EXPECT_EQ(countries.back().code, u"CY");
    EXPECT_EQ(countries.back().text, u"Zypern");
    EXPECT_EQ(countries[45].code, u"PS");
    EXPECT_EQ(countries[45].text, u"Besetzte palästinensische Gebiete");
    // The row after the last one is the sentinel; no row inside counts as one.
    EXPECT_EQ(countries.data()[countries.size()].code, u"2000@");
    for (const auto& c : countries) {
        EXPECT_EQ(c.code.size(), 2u);
        EXPECT_FALSE(IsSentinelCode(c.code));
    }
    std::map<std::u16string_view, int> perCode;
    for (const auto& c : countries) ++perCode[c.code];
    EXPECT_EQ(perCode[u"AE"], 8);
    EXPECT_EQ(perCode[u"DE"], 1);

    const auto currencies = Currencies();
    ASSERT_EQ(currencies.size(), 185u);
    EXPECT_EQ(currencies.front().code, u"ADF");
    EXPECT_EQ(currencies.back().code, u"ZWD");
    EXPECT_EQ(currencies.data()[currencies.size()].code, u"2000");
    EXPECT_EQ(currencies.data()[currencies.size()].text, u"@");
    std::set<std::u16string_view> codes;
    for (const auto& c : currencies) {
        EXPECT_EQ(c.code.size(), 3u);
        EXPECT_TRUE(codes.insert(c.code).second) << "repeated currency code";
    }
    EXPECT_TRUE(codes.count(u"UGS"));
}

TEST(CodeTables, SentinelRule) {
    struct Case {
        std::u16string code;
        bool sentinel;
    } cases[] = {{u"2000@", true}, {u"2000", true}, {u"1999", true}, {u"1998", false},
                 {u"DE", false},   {u"", false},    {u" 2000", true}};
    for (const auto& c : cases) EXPECT_EQ(IsSentinelCode(c.code), c.sentinel);
}

TEST(CodeTables, FederalStatesInFixedOrder) {
    const auto states = FederalStates();
    ASSERT_EQ(states.size(), 17u);
    EXPECT_EQ(states[0], u"01 - Schleswig-Holstein");
    EXPECT_EQ(states[7], u"08 - Baden-Würtemberg");
    EXPECT_EQ(states[16], u"99 - Ausland");
    for (int i = 0; i < 17; ++i) {
        // Every text starts with its own code.
        EXPECT_EQ(std::u16string(states[static_cast<size_t>(i)].substr(0, 2)), FederalStateCode(i));
        EXPECT_FALSE(FederalStateName(i).empty());
    }
    EXPECT_EQ(FederalStateName(15), u"Thüringen");
}

TEST(CodeTables, ShortSadLists) {
    EXPECT_EQ(Box1Group(0).size(), 5u);
    EXPECT_EQ(Box1Group(1).size(), 9u);
    ASSERT_EQ(Box1Group(2).size(), 8u);
    EXPECT_EQ(Box1Group(2).back(), u"T2LSM");
    EXPECT_TRUE(Box1Group(3).empty());

    ASSERT_EQ(DeliveryTerms().size(), 14u);
    EXPECT_EQ(DeliveryTerms()[4].text, u"Kosten und Fracht (C & F)");
    EXPECT_EQ(DeliveryTerms()[9].text, u"Frei \"ex ship\"");
    EXPECT_EQ(DeliveryTerms().back().code, u"XXX");

    const auto transactions = TransactionCodes();
    ASSERT_EQ(transactions.size(), 25u);
    for (const auto& t : transactions) {
        EXPECT_FALSE(TransactionGroupText(t.first).empty());
        if (t.first == 8 && t.second == 1) EXPECT_EQ(t.text, u" ");
    }
    EXPECT_EQ(TransactionLabel(transactions.front()), u"1 1");
    EXPECT_EQ(TransactionLabel(transactions.back()), u"9 9");
    EXPECT_TRUE(TransactionGroupText(0).empty());
    EXPECT_TRUE(TransactionGroupText(10).empty());

    const auto transport = TransportModes();
    ASSERT_EQ(transport.size(), 8u);
    std::set<int> transportCodes;
    for (int i = 0; i < 8; ++i) {
        const int code = TransportCode(i);
        transportCodes.insert(code);
        // The text starts with the code.
        EXPECT_EQ(transport[static_cast<size_t>(i)][0], static_cast<char16_t>(u'0' + code));
    }
    EXPECT_EQ(transportCodes, (std::set<int>{1, 2, 3, 4, 5, 7, 8, 9}));

    EXPECT_EQ(PreferenceFirstDigits().size(), 3u);
    ASSERT_EQ(PreferencePairs().size(), 10u);
    EXPECT_EQ(PreferencePairs()[3].code, u"18");

    ASSERT_EQ(DeclarantRoles().size(), 5u);
    EXPECT_TRUE(DeclarantRoles()[0].empty());
    struct Role {
        int number;
        std::u16string text;
    } roles[] = {{0, u""},
                 {1, u"Ausführer - 00400"},
                 {4, u"Subunternehmer gem. Artikel 789 Zollkodex-DVO"},
                 {5, u""},
                 {-1, u""}};
    for (const auto& r : roles) EXPECT_EQ(DeclarantRoleText(r.number), r.text) << r.number;
}

TEST(CodeTables, CustomsOffices) {
    const auto offices = CustomsOffices();
    ASSERT_EQ(offices.size(), 118u);
    EXPECT_EQ(offices.data()[offices.size()].kind, u"@");
    std::map<std::u16string_view, int> kinds;
    std::set<std::u16string_view> codes;
    int dZollamt = 0;
    for (const auto& o : offices) {
        ++kinds[o.kind];
        EXPECT_TRUE(codes.insert(o.code).second) << "repeated office code";
        EXPECT_EQ(o.code.size(), 8u);
        EXPECT_EQ(o.code.substr(0, 2), u"DE");
        if (o.officeType == u"D.Zollamt") {
            ++dZollamt;
            EXPECT_EQ(o.place, u"Basel");
        }
    }
    EXPECT_EQ(dZollamt, 1);
    const std::map<std::u16string_view, int> expected = {
        {u"Allgemein", 46}, {u"Luftverkehr", 31}, {u"Post", 1},          {u"Rohrleitung", 5},
        {u"See (HH)", 1},   {u"See (HB)", 6},     {u"See (Ostsee)", 15}, {u"See (Nordsee)", 13}};
    EXPECT_EQ(kinds, expected);
    EXPECT_EQ(offices.front().place, u"Bad Säckingen");
    EXPECT_EQ(offices.back().code, u"DE006160");
}

TEST(CodeTables, DecimalValueReadsLikeTheBoxes) {
    struct Case {
        std::u16string text;
        int value;
    } cases[] = {{u"42", 42},
                 {u"  7x", 7},
                 {u"-3", -3},
                 {u"+5", 5},
                 {u"", 0},
                 {u"abc", 0},
                 {u"0009", 9},
                 {u"- 1", 0},
                 {u"99999999999", 2147483647},
                 {u"-99999999999", -2147483647 - 1}};
    for (const auto& c : cases) EXPECT_EQ(DecimalValue(c.text), c.value);
}

// The registry behind `tarvex codes`: every list once under its name, each with rows, and the
// rows as the list tables hold them.
TEST(CodeTables, RegistryNamesEveryListOnce) {
    std::set<std::string_view> names;
    for (const CodeList& list : CodeLists()) {
        EXPECT_TRUE(names.insert(list.name).second) << list.name;
        EXPECT_FALSE(list.rows().empty()) << list.name;
        EXPECT_EQ(FindCodeList(list.name), &list);
    }
    EXPECT_EQ(names.size(), 10u);
    EXPECT_EQ(FindCodeList("land"), nullptr);
    EXPECT_EQ(FindCodeList(""), nullptr);

    const auto countries = FindCodeList("countries")->rows();
    ASSERT_EQ(countries.size(), Countries().size());
    EXPECT_EQ(countries.front().code, u"US");
    const auto states = FindCodeList("states")->rows();
    ASSERT_EQ(states.size(), static_cast<size_t>(kFederalStateCount));
    EXPECT_EQ(states[0].code, FederalStateCode(0));
    const auto transaction = FindCodeList("transaction")->rows();
    ASSERT_FALSE(transaction.empty());
    ASSERT_EQ(transaction[0].extra.size(), 1u);
    EXPECT_EQ(transaction[0].extra[0].first, "group");
    const auto offices = FindCodeList("offices")->rows();
    ASSERT_EQ(offices.size(), CustomsOffices().size());
    ASSERT_EQ(offices[0].extra.size(), 3u);
    EXPECT_EQ(offices[0].text, CustomsOffices()[0].place);
}
