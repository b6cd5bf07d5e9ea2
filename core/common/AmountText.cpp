#include "core/common/AmountText.h"

#include <charconv>
#include <cmath>
#include <string>

namespace tarvex {
namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool IsBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

AmountReading Unclear() {
    AmountReading r;
    r.kind = AmountKind::Unclear;
    return r;
}

}  // namespace

AmountReading ReadAmountText(std::u16string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    const std::u16string_view t = text.substr(b, e - b);
    AmountReading r;
    if (t.empty()) return r;

    size_t i = 0;
    bool negative = false;
    if (t[0] == u'+' || t[0] == u'-') {
        negative = t[0] == u'-';
        ++i;
    }
    // The digits as written, in plain ASCII for from_chars, which does not depend on the locale.
    std::string whole, fraction;
    while (i < t.size()) {
        if (IsDigit(t[i])) {
            whole += static_cast<char>(t[i++]);
            continue;
        }
        if (t[i] != u'.') break;
        // A thousands separator: after a digit, exactly three digits, then no further digit.
        if (whole.empty() || i + 3 >= t.size() || !IsDigit(t[i + 1]) || !IsDigit(t[i + 2]) ||
            !IsDigit(t[i + 3]) || (i + 4 < t.size() && IsDigit(t[i + 4])))
            return Unclear();
        ++i;
    }
    if (i < t.size() && t[i] == u',') {
        ++i;
        while (i < t.size() && IsDigit(t[i])) fraction += static_cast<char>(t[i++]);
    }
    if (whole.empty() && fraction.empty()) return Unclear();
    // What follows may be a unit or a dash, but no second number and no point.
    for (size_t k = i; k < t.size(); ++k)
        if (IsDigit(t[k]) || t[k] == u'.') return Unclear();

    const size_t firstSignificant = whole.find_first_not_of('0');
    const std::string significant =
        firstSignificant == std::string::npos ? std::string() : whole.substr(firstSignificant);
    r.kind = AmountKind::Amount;
    r.integerDigits = static_cast<int>(significant.size());

    std::string number = (negative ? "-" : "") + (significant.empty() ? std::string("0") : significant);
    if (!fraction.empty()) number += "." + fraction;
    double value = 0.0;
    const auto [end, ec] =
        std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || !std::isfinite(value)) return Unclear();
    r.value = value;

    if (r.integerDigits <= kMaxCentsDigits) {
        int64_t cents = 0;
        for (char c : significant) cents = cents * 10 + (c - '0');
        cents = cents * 100;
        if (fraction.size() >= 1) cents += (fraction[0] - '0') * 10;
        if (fraction.size() >= 2) cents += fraction[1] - '0';
        if (fraction.size() >= 3 && fraction[2] >= '5') ++cents;
        r.cents = negative ? -cents : cents;
    }
    return r;
}

}  // namespace tarvex
