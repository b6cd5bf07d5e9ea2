#include <gtest/gtest.h>

#include "core/sad/Box47.h"

using namespace tarvex;

TEST(Box47, ParseAmountReadsWhatAClerkTypes) {
    struct {
        std::u16string in;
        std::optional<double> value;
    } cases[] = {
        {u"1.234,56", 1234.56},
        {u"1234,56", 1234.56},
        {u"12.345.678,9", 12345678.9},
        {u"1.000", 1000},
        {u"1.234.567", 1234567},
        {u"12.5", std::nullopt},  // a point only before three digits
        {u"-1.234,5", -1234.5},
        {u"+3", 3},
        {u",5", 0.5},
        {u"5,", 5},
        {u" 7 ", 7},
        {u"", 0},
        {u"   ", 0},
        {u"abc", std::nullopt},
        {u"12abc", 12},  // a unit after the number
        {u"1,234,56", std::nullopt},
        {u"1.23,45", std::nullopt},
        {u"1234.567,8", 1234567.8},
        {u"1.2345,6", std::nullopt},
        {u".123,4", std::nullopt},
        {u"1e3", std::nullopt},
        {u"-", std::nullopt},
        {u",", std::nullopt},
        {u"1..234", std::nullopt},
        {u"1.234.56", std::nullopt},
        {u"- 5", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<double> v = ParseAmount(c.in);
        ASSERT_EQ(v.has_value(), c.value.has_value()) << std::string(c.in.begin(), c.in.end());
        if (v) EXPECT_DOUBLE_EQ(*v, *c.value) << std::string(c.in.begin(), c.in.end());
    }
}

TEST(Box47, NormaliseAmount) {
    struct Case {
        std::u16string in, out;
    } cases[] = {
        {u"12,5", u"12,50"},
        {u"3.456", u"3456,00"},
        {u"0", u""},
        {u"abc", u"abc"},  // no amount: kept for the clerk to correct
        {u"", u""},
        {u"0,5", u"0,50"},
        {u"  7", u"7,00"},
        {u"12abc", u"12,00"},
        {u"1,234,56", u"1,234,56"},
        {u"1.234,56", u"1234,56"},  // points before the comma separate thousands
        {u"1.234.567", u"1234567,00"},
        {u",5", u"0,50"},
        {u"5,", u"5,00"},
        {u"-5", u"-5,00"},
        {u"-12,345", u"-12,35"},  // 12.345 lies just above the halfway point in binary
        {u"+3", u"3,00"},
        {u"-0,001", u""},  // rounds to zero: no "-0,00"
        {u"1e3", u"1e3"},
        {u"2,5E-1", u"2,5E-1"},
        {u"1e", u"1,00"},
        {u"-", u"-"},
        {u"1,125", u"1,12"},  // exactly halfway in binary: to even
        {u"2,675", u"2,67"},  // just below halfway in binary
        {u"99999999999999999999", u"100000000000000000000,00"},
        {u"1e400", u"1e400"},
        {u"\u00a0"
         u"5",
         u"\u00a0"
         u"5"},  // no-break space is not white space for the number
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormaliseAmount(c.in), c.out) << std::string(c.in.begin(), c.in.end());
    EXPECT_EQ(FormatAmount(1e300).size(), 304u);
}

TEST(Box47, Totals) {
    struct Case {
        std::vector<std::u16string> amounts;
        std::u16string total;
    } cases[] = {
        {{u"100", u"19,00"}, u"119,00"},
        {{u"", u""}, u""},
        {{u"0,5"}, u"0,50"},
        {{u"10", u"-10"}, u""},
        {{u"0,1", u"0,2"}, u"0,30"},
        {{u"abc", u"1,5", u"2,5", u"x", u"1", u"1", u"1"}, u"7,00"},
        {{u"1e308", u"1e308"}, u""},  // the sum overflows: no total rather than "inf"
    };
    for (const auto& c : cases) {
        std::vector<std::u16string> table(36);
        std::vector<std::u16string> summary(22);
        for (size_t r = 0; r < c.amounts.size(); ++r) {
            table[r * 5 + kFeld47AmountColumn] = c.amounts[r];
            table[r * 5] = u"99";  // types and other columns never count
            table[r * 5 + 1] = u"1000";
            summary[r * 3 + kFeld47SummeAmountColumn] = c.amounts[r];
        }
        EXPECT_EQ(DutyTableTotal(table, kFeld47Columns, kFeld47AmountColumn), c.total);
        EXPECT_EQ(DutyTableTotal(summary, kFeld47SummeColumns, kFeld47SummeAmountColumn), c.total);
        NormaliseDutyTable(summary, kFeld47SummeColumns, kFeld47SummeAmountColumn);
        EXPECT_EQ(summary[21], c.total);
    }
}

TEST(Box47, NormaliseDutyTableTouchesOnlyTheAmountColumn) {
    std::vector<std::u16string> v(36);
    v[0] = u"20000";
    v[1] = u"1000";
    v[2] = u"19";
    v[3] = u"190";
    v[4] = u"B";
    v[8] = u"12,5";
    v[35] = u"falsch";
    NormaliseDutyTable(v, kFeld47Columns, kFeld47AmountColumn);
    EXPECT_EQ(v[0], u"20000");
    EXPECT_EQ(v[1], u"1000");
    EXPECT_EQ(v[2], u"19");
    EXPECT_EQ(v[3], u"190,00");
    EXPECT_EQ(v[4], u"B");
    EXPECT_EQ(v[8], u"12,50");
    EXPECT_EQ(v[35], u"202,50");
    std::vector<std::u16string> shortTable(3, u"1");
    NormaliseDutyTable(shortTable, kFeld47SummeColumns, kFeld47SummeAmountColumn);
    EXPECT_EQ(shortTable.size(), 22u);
    EXPECT_EQ(shortTable[21], u"1,00");
}

TEST(Box47, PaymentMethodCheck) {
    struct Case {
        std::u16string type, method;
        bool accepted;
    } cases[] = {
        {u"20000", u"A", false}, {u"A00", u"X", true},     {u"100", u"b", false},
        {u"100", u" B", true},   {u"100", u"", true},      {u"99", u"A", true},
        {u"20000", u"E", true},  {u"20000", u"B ", false}, {u"20000", u"F", false},
        {u"", u"Q", true},       {u" 150x", u"Q", false},  {u"99999999999999999999999", u"A", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PaymentMethodAccepted(c.type, c.method), c.accepted)
            << std::string(c.type.begin(), c.type.end()) << "/"
            << std::string(c.method.begin(), c.method.end());
    EXPECT_EQ(ReadTypeNumber(u"A00"), 0);
    EXPECT_EQ(ReadTypeNumber(u"  -120"), -120);
}

TEST(Box47, AmountsBeyondTheLimitAreTooLarge) {
    struct Case {
        std::u16string in;
        Feld47AmountCheck check;
    } cases[] = {
        {u"99.999.999,99", Feld47AmountCheck::Ok},
        {u"-99999999,99", Feld47AmountCheck::Ok},
        {u"99999999,994", Feld47AmountCheck::Ok},        // still shown as 99999999,99
        {u"99999999,995", Feld47AmountCheck::TooLarge},  // would be shown as 100000000,00
        {u"100.000.000", Feld47AmountCheck::TooLarge},
        {u"-100000000", Feld47AmountCheck::TooLarge},
        {u"", Feld47AmountCheck::Ok},
        {u"ca. 12", Feld47AmountCheck::NotANumber},
        {u"12.5", Feld47AmountCheck::NotANumber},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckFeld47Amount(c.in), c.check) << std::string(c.in.begin(), c.in.end());
}

TEST(Box47, ColumnsOfBothTables) {
    using C = Feld47Column;
    const C item[] = {C::Type, C::Base, C::Rate, C::Amount, C::Method};
    for (int i = 0; i < 35; ++i) EXPECT_EQ(Feld47ColumnOf(i, kFeld47Columns), item[i % 5]) << i;
    EXPECT_EQ(Feld47ColumnOf(35, kFeld47Columns), C::Total);
    const C summary[] = {C::Type, C::Amount, C::Method};
    for (int i = 0; i < 21; ++i) EXPECT_EQ(Feld47ColumnOf(i, kFeld47SummeColumns), summary[i % 3]) << i;
    EXPECT_EQ(Feld47ColumnOf(21, kFeld47SummeColumns), C::Total);
}
