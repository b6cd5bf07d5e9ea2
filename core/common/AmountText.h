#pragma once
// One way of reading an amount a clerk typed, for every form of the program: the D.V.1 value
// calculation, the box 47 duty tables and the command-line tools. The same text never means
// two amounts in two places.

#include <cstdint>
#include <string_view>

namespace tarvex {

enum class AmountKind {
    Empty,    // nothing but blanks: the amount 0
    Amount,   // a number, possibly followed by a unit or a dash ("100 EUR", "100,-")
    Unclear,  // not an amount: kept as typed, counted as 0 and reported
};

struct AmountReading {
    AmountKind kind = AmountKind::Empty;
    // The number as written (nearest double) and rounded to whole cents, halves away from
    // zero; cents is 0 when the number has more than kMaxCentsDigits digits before the comma.
    double value = 0.0;
    int64_t cents = 0;
    // Significant digits before the comma (leading zeros not counted).
    int integerDigits = 0;
};

inline constexpr int kMaxCentsDigits = 16;

// German notation: optional sign, digits, "." as thousands separator only where exactly three
// digits follow it (then a comma, another "." group or the end of the digits), "," and the
// decimals. A text after the number is a unit or a dash and is ignored ("100 EUR", "12,5 %",
// "100,-"). Unclear, and so no amount, is a text with anything before the number ("ca. 100"),
// a second number ("100 - 200", "1,2,3", "1e3"), or a "." anywhere else ("12.50", "12.5",
// "1.2345"): such a text is never guessed at.
AmountReading ReadAmountText(std::u16string_view text);

}  // namespace tarvex
