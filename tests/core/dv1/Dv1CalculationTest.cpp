#include <gtest/gtest.h>

#include <map>

#include "core/common/TextCodec.h"
#include "core/dv1/Dv1Calculation.h"
#include "core/dv1/Dv1Doc.h"

using namespace tarvex;
using namespace tarvex::dv1;

namespace {

std::u16string U(const char* s) {
    return FromUtf8(s);
}

}  // namespace

TEST(Dv1Calculation, ParseAndFormatAmounts) {
    const struct {
        const char* text;
        bool amount;
        int64_t cents;
        const char* formatted;
    } cases[] = {
        {"", true, 0, ""},
        {"   ", true, 0, ""},
        {"1.000,00", true, 100000, "1.000,00"},
        {"250", true, 25000, "250,00"},
        {"12.5", false, 0, nullptr},  // a "." is a thousands separator only before three digits
        {"12.50", false, 0, nullptr},
        {"1.250", true, 125000, "1.250,00"},
        {"1.234,5", true, 123450, "1.234,50"},
        {",75", true, 75, "0,75"},
        {" -,5 ", true, -50, "-0,50"},
        {"+7", true, 700, "7,00"},
        {"0,004", true, 0, ""},
        {"0,005", true, 1, "0,01"},
        {"12,345", true, 1235, "12,35"},
        {"-1234,5", true, -123450, "-1234,50"},  // no separators in a negative amount
        {"1234567,891", true, 123456789, "1.234.567,89"},
        {"1234567890", true, 123456789000, "1234.567.890,00"},  // at most two separators
        {"0000000000000000001", true, 100, "1,00"},
        {"ca. 100", false, 0, nullptr},
        {"100 EUR", true, 10000, "100,00"},  // the leading number counts
        {"100,-", true, 10000, "100,00"},
        {"1,2,3", false, 0, nullptr},
        {"-", false, 0, nullptr},
        {"1e3", false, 0, nullptr},
        {"12345678901234", false, 0, nullptr},  // beyond what the form's boxes hold
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        int64_t cents = -1;
        EXPECT_EQ(ParseAmountCents(U(c.text), cents), c.amount);
        EXPECT_EQ(cents, c.cents);
        EXPECT_DOUBLE_EQ(ParseAmount(U(c.text)), c.cents / 100.0);
        if (c.formatted) {
            EXPECT_EQ(FormatCents(c.cents), U(c.formatted));
        }
    }
    const struct {
        double value;
        const char* text;
    } doubles[] = {{1234567.891, "1.234.567,89"},
                   {1234567890, "1234.567.890,00"},
                   {-1234.5, "-1234,50"},
                   {0.004, ""},
                   {-0.001, ""},
                   {0.7 + 0.1 - 0.8, ""}};
    for (const auto& d : doubles) EXPECT_EQ(FormatAmount(d.value), U(d.text)) << d.value;
}

TEST(Dv1Calculation, PagesTable) {
    // Typed texts of page 2 -> expected texts afterwards; fields not named stay empty.
    using Fields = std::map<int, const char*>;
    const struct {
        const char* name;
        int flag;
        Fields typed;
        Fields expected;
    } cases[] = {
        {"all empty", 0, {}, {}},
        {"national price and an addition",
         0,
         {{4, "1.000,00"}, {8, "250"}},
         {{4, "1.000,00"}, {8, "250,00"}, {53, "1.000,00"}, {54, "250,00"}, {55, "0,00"}, {56, "1.250,00"}}},
        {"invoice price counts, national line stays as typed",
         1,
         {{4, "1.000,00"}, {8, "250"}},
         {{4, "1.000,00"}, {8, "250,00"}, {53, "0,00"}, {54, "250,00"}, {55, "0,00"}, {56, "250,00"}}},
        {"flag 0 leaves the invoice line as typed",
         0,
         {{2, "99"}, {4, "10"}},
         {{2, "99"}, {4, "10,00"}, {53, "10,00"}, {54, "0,00"}, {55, "0,00"}, {56, "10,00"}}},
        {"any flag other than 1 is the national line",
         2,
         {{2, "99"}, {30, "5"}},
         {{2, "99"}, {30, "5,00"}, {57, "5,00"}, {58, "0,00"}, {59, "0,00"}, {60, "5,00"}}},
        {"negative declared value: zero totals stay empty",
         0,
         {{4, "100"}, {24, "1.500"}},
         {{4, "100,00"}, {24, "1.500,00"}, {53, "100,00"}, {55, "1.500,00"}, {56, "-1400,00"}}},
        {"sum that is zero is empty, not -0,00",
         0,
         {{4, "0,70"}, {6, "0,10"}, {24, "0,80"}},
         {{4, "0,70"}, {6, "0,10"}, {24, "0,80"}, {53, "0,80"}, {55, "0,80"}}},
        {"100,- is 100,00",
         0,
         {{15, "100,-"}},
         {{15, "100,00"}, {53, "0,00"}, {54, "100,00"}, {55, "0,00"}, {56, "100,00"}}},
        {"both items, every addend",
         0,
         {{4, "1"},   {6, "2"},     {7, "3"},   {9, "4"},     {13, "5"},  {19, "6"},  {21, "7"},
          {23, "8"},  {17, "1000"}, {25, "1"},  {27, "2"},    {30, "10"}, {31, "20"}, {32, "30"},
          {40, "40"}, {42, "50"},   {44, "60"}, {41, "1000"}, {45, "5"},  {48, "6"}},
         {{4, "1,00"},   {6, "2,00"},    {7, "3,00"},   {9, "4,00"},   {13, "5,00"},  {19, "6,00"},
          {21, "7,00"},  {23, "8,00"},   {17, "1000"},  {25, "1,00"},  {27, "2,00"},  {30, "10,00"},
          {31, "20,00"}, {32, "30,00"},  {40, "40,00"}, {42, "50,00"}, {44, "60,00"}, {41, "1000"},
          {45, "5,00"},  {48, "6,00"},   {53, "3,00"},  {54, "33,00"}, {55, "3,00"},  {56, "33,00"},
          {57, "30,00"}, {58, "180,00"}, {59, "11,00"}, {60, "199,00"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CDV1_Doc doc;
        for (const auto& [f, t] : c.typed) doc.Store().SetFieldText(f, U(t), 2);
        doc.Store().SetFieldText(56, u"alt", 2);  // totals are always rewritten
        EXPECT_TRUE(CalculatePages(doc, c.flag).empty());
        EXPECT_TRUE(doc.IsModified());
        for (int f = 0; f < kDv1Fields2; ++f) {
            const auto it = c.expected.find(f);
            EXPECT_EQ(doc.Store().GetFieldText(f, 2), it == c.expected.end() ? u"" : U(it->second)) << f;
        }
    }
}

TEST(Dv1Calculation, EveryPageFromTwoOnIsCalculated) {
    CDV1_Doc doc;
    doc.AddPage();
    doc.AddPage();
    doc.Store().ActivateField(0, 1);  // whichever page is shown
    for (int p = 2; p <= 4; ++p) doc.Store().SetFieldText(4, FromUtf8(std::to_string(p * 1000)), p);
    doc.Store().SetFieldText(4, u"77", 1);  // the front has no amounts
    CalculatePages(doc, 0);
    EXPECT_EQ(doc.Store().GetFieldText(4, 1), u"77");
    EXPECT_EQ(doc.Store().GetFieldText(56, 2), u"2.000,00");
    EXPECT_EQ(doc.Store().GetFieldText(56, 3), u"3.000,00");
    EXPECT_EQ(doc.Store().GetFieldText(56, 4), u"4.000,00");

    CDV1_Doc front;
    front.Store().SetPageCount(0, 2);
    EXPECT_TRUE(CalculatePages(front, 0).empty());
    EXPECT_TRUE(front.IsModified());
}

TEST(Dv1Calculation, TextsThatAreNoAmountsKeepTheirDigits) {
    CDV1_Doc doc;
    doc.AddPage();
    CFieldStore& s = doc.Store();
    s.SetFieldText(4, u"ca. 100", 2);
    s.SetFieldText(8, u"250", 2);
    s.SetFieldText(31, u"12.50", 3);
    s.SetFieldText(30, u"50", 3);
    const std::vector<Dv1NotAnAmount> bad = CalculatePages(doc, 0);
    EXPECT_EQ(bad, (std::vector<Dv1NotAnAmount>{{2, 4, u"ca. 100"}, {3, 31, u"12.50"}}));
    EXPECT_EQ(s.GetFieldText(4, 2), u"ca. 100");
    EXPECT_EQ(s.GetFieldText(53, 2), u"0,00");
    EXPECT_EQ(s.GetFieldText(56, 2), u"250,00");
    EXPECT_EQ(s.GetFieldText(31, 3), u"12.50");
    EXPECT_EQ(s.GetFieldText(57, 3), u"50,00");
}
