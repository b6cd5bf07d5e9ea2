#pragma once
// The value calculation of the D.V.1 (F3): on every page from 2 on it rewrites the amounts of
// both goods items in one notation and fills in the totals A (box 12), B (18), C (23) and the
// declared value A + B - C (24). Amounts are added in whole cents, so that a sum that is zero
// is shown as zero and never as "-0,00".

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

class CDV1_Doc;

namespace dv1 {

// An amount as ReadAmountText reads it in every form ("1.234,5" is 1234.5, ",75" is 0.75,
// "100,-" and "100 EUR" are 100), rounded to whole cents. An empty or blank text is the amount
// 0. false (and cents 0) for a text that is no amount ("ca. 100", "12.50", "1,2,3") and for
// more than 13 digits before the comma, which no box of the form holds.
bool ParseAmountCents(std::u16string_view text, int64_t& cents);
// The amount of the text as ParseAmountCents reads it; 0 for a text that is not an amount.
double ParseAmount(std::u16string_view text);

// Two decimals, "," as decimal comma, "." before the last 6 and the last 10 characters of a
// positive amount (at most two separators, none in a negative one); zero gives an empty text.
std::u16string FormatCents(int64_t cents);
std::u16string FormatAmount(double value);

// A field whose text is not an amount: it keeps its text and counts as 0.
struct Dv1NotAnAmount {
    int page = 0;
    int field = 0;
    std::u16string text;
    bool operator==(const Dv1NotAnAmount&) const = default;
};

// Runs the calculation on the pages 2 to n. flag11a is "Flag_DV1_11a": 1 takes the net price in
// the invoice currency (field 2/29) into total A, any other value the one in national currency
// (4/30). Marks the document modified and returns the fields that were not amounts, in page
// and calculation order.
std::vector<Dv1NotAnAmount> CalculatePages(CDV1_Doc& doc, int flag11a);
// The fields CalculatePages would report, without changing anything (for a document just
// opened, whose red marks come back only with the next calculation).
std::vector<Dv1NotAnAmount> FindNotAmounts(const CDV1_Doc& doc, int flag11a);

}  // namespace dv1
}  // namespace tarvex
