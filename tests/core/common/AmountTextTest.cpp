// One amount reader for every form: each text is read the same by the reader itself, by the
// D.V.1 value calculation (F3, `tarvex recalc`) and by the box 47 duty table.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "core/common/AmountText.h"
#include "core/common/TextCodec.h"
#include "core/dv1/Dv1Calculation.h"
#include "core/dv1/Dv1Doc.h"
#include "core/sad/Box47.h"

using namespace tarvex;

TEST(AmountText, OneReadingForBothForms) {
    // text, what it is, its cents; what F3 writes into a D.V.1 amount field and what box 47
    // makes of the cell (both keep a text that is no amount as typed).
    const struct {
        const char* text;
        AmountKind kind;
        int64_t cents;
        const char* dv1;
        const char* box47;
    } cases[] = {
        {"", AmountKind::Empty, 0, "", ""},
        {"  ", AmountKind::Empty, 0, "", ""},
        {"250", AmountKind::Amount, 25000, "250,00", "250,00"},
        {"1.000,00", AmountKind::Amount, 100000, "1.000,00", "1000,00"},
        {"1.000", AmountKind::Amount, 100000, "1.000,00", "1000,00"},
        {"3.456", AmountKind::Amount, 345600, "3.456,00", "3456,00"},
        {"1.234.567,891", AmountKind::Amount, 123456789, "1.234.567,89", "1234567,89"},
        {"1234.567.890,00", AmountKind::Amount, 123456789000, "1234.567.890,00", "1234567890,00"},
        {"1.234 EUR", AmountKind::Amount, 123400, "1.234,00", "1234,00"},
        {",75", AmountKind::Amount, 75, "0,75", "0,75"},
        {" -,5 ", AmountKind::Amount, -50, "-0,50", "-0,50"},
        {"+7", AmountKind::Amount, 700, "7,00", "7,00"},
        {"0,005", AmountKind::Amount, 1, "0,01", "0,01"},
        // The usual ways of writing whole amounts and units: the leading number counts.
        {"100,-", AmountKind::Amount, 10000, "100,00", "100,00"},
        {"100,--", AmountKind::Amount, 10000, "100,00", "100,00"},
        {"100 EUR", AmountKind::Amount, 10000, "100,00", "100,00"},
        {"100EUR", AmountKind::Amount, 10000, "100,00", "100,00"},
        {"12,5 %", AmountKind::Amount, 1250, "12,50", "12,50"},
        {"5,", AmountKind::Amount, 500, "5,00", "5,00"},
        // A point that is no thousands separator: never guessed at.
        {"12.50", AmountKind::Unclear, 0, "12.50", "12.50"},
        {"12.5", AmountKind::Unclear, 0, "12.5", "12.5"},
        {"1.2345", AmountKind::Unclear, 0, "1.2345", "1.2345"},
        {"1.23,45", AmountKind::Unclear, 0, "1.23,45", "1.23,45"},
        {"1.234.56", AmountKind::Unclear, 0, "1.234.56", "1.234.56"},
        {"1..234", AmountKind::Unclear, 0, "1..234", "1..234"},
        {".123", AmountKind::Unclear, 0, ".123", ".123"},
        {"12,50.", AmountKind::Unclear, 0, "12,50.", "12,50."},
        // Text before the number, or two numbers.
        {"ca. 100", AmountKind::Unclear, 0, "ca. 100", "ca. 100"},
        {"EUR 100", AmountKind::Unclear, 0, "EUR 100", "EUR 100"},
        {"- 5", AmountKind::Unclear, 0, "- 5", "- 5"},
        {"100 - 200", AmountKind::Unclear, 0, "100 - 200", "100 - 200"},
        {"1,2,3", AmountKind::Unclear, 0, "1,2,3", "1,2,3"},
        {"1e3", AmountKind::Unclear, 0, "1e3", "1e3"},
        {"abc", AmountKind::Unclear, 0, "abc", "abc"},
        {"-", AmountKind::Unclear, 0, "-", "-"},
        {",-", AmountKind::Unclear, 0, ",-", ",-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::u16string text = FromUtf8(c.text);
        const AmountReading r = ReadAmountText(text);
        EXPECT_EQ(r.kind, c.kind);
        EXPECT_EQ(r.cents, c.cents);
        if (c.kind == AmountKind::Amount) EXPECT_DOUBLE_EQ(std::round(r.value * 100), double(c.cents));

        // The D.V.1: F3 on a back page, the text in box 13 (c) of goods item 1.
        CDV1_Doc doc;
        doc.Store().SetFieldText(9, text, 2);
        const std::vector<dv1::Dv1NotAnAmount> bad = dv1::CalculatePages(doc, 0);
        EXPECT_EQ(doc.Store().GetFieldText(9, 2), FromUtf8(c.dv1));
        EXPECT_EQ(bad.size(), c.kind == AmountKind::Unclear ? 1u : 0u);
        EXPECT_EQ(dv1::FindNotAmounts(doc, 0).size(), bad.size());
        EXPECT_EQ(doc.Store().GetFieldText(54, 2), dv1::FormatCents(c.cents));

        // Box 47: the cell as the dialog normalises it, and whether the dialog refuses it.
        EXPECT_EQ(NormaliseAmount(text), FromUtf8(c.box47));
        EXPECT_EQ(CheckFeld47Amount(text) == Feld47AmountCheck::NotANumber, c.kind == AmountKind::Unclear);
        std::vector<std::u16string> table(36);
        table[kFeld47AmountColumn] = text;
        EXPECT_EQ(DutyTableTotal(table, kFeld47Columns, kFeld47AmountColumn), FormatAmount(c.cents / 100.0));
    }
}

TEST(AmountText, LongNumbers) {
    const AmountReading big = ReadAmountText(u"99999999999999999999");
    EXPECT_EQ(big.kind, AmountKind::Amount);
    EXPECT_EQ(big.integerDigits, 20);
    EXPECT_EQ(big.cents, 0);  // beyond whole cents in 64 bits; the value still holds it
    EXPECT_DOUBLE_EQ(big.value, 1e20);
    EXPECT_EQ(ReadAmountText(u"0000000000000000001").integerDigits, 1);
    EXPECT_EQ(ReadAmountText(u"0000000000000000001").cents, 100);
    // More than the D.V.1's boxes hold is no amount there.
    int64_t cents = -1;
    EXPECT_FALSE(dv1::ParseAmountCents(u"12345678901234", cents));
    EXPECT_TRUE(dv1::ParseAmountCents(u"1234567890123", cents));
    EXPECT_EQ(cents, 123456789012300);
}
