#include "core/sad/Box47.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <string>

namespace tarvex {
namespace {

bool IsCSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

std::optional<double> ParseAmount(std::u16string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && text[b] == u' ') ++b;
    while (e > b && text[e - 1] == u' ') --e;
    const std::u16string_view t = text.substr(b, e - b);
    if (t.empty()) return 0.0;
    std::string number;  // plain ASCII for from_chars, which does not depend on the locale
    size_t i = 0;
    if (t[0] == u'+' || t[0] == u'-') {
        if (t[0] == u'-') number += '-';
        ++i;
    }
    const size_t comma = t.find(u',');
    const size_t points = static_cast<size_t>(std::count(t.begin(), t.end(), u'.'));
    const bool pointIsDecimal = comma == std::u16string_view::npos && points == 1;
    // Integer part: digits, in groups of three after the first when separated by points.
    size_t digits = 0, group = 0;
    bool grouped = false;
    for (; i < t.size() && t[i] != u','; ++i) {
        if (IsDigit(t[i])) {
            number += static_cast<char>(t[i]);
            ++digits;
            ++group;
        } else if (t[i] == u'.' && pointIsDecimal) {
            break;
        } else if (t[i] == u'.' && group >= 1 && (grouped ? group == 3 : group <= 3)) {
            grouped = true;
            group = 0;
        } else {
            return std::nullopt;
        }
    }
    if (grouped && group != 3) return std::nullopt;
    if (i < t.size()) {
        ++i;  // the decimal comma or point
        number += '.';
        for (; i < t.size(); ++i) {
            if (!IsDigit(t[i])) return std::nullopt;
            number += static_cast<char>(t[i]);
            ++digits;
        }
    }
    if (digits == 0) return std::nullopt;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

double ReadAmount(std::u16string_view text) {
    if (const std::optional<double> amount = ParseAmount(text)) return *amount;
    std::u16string t(text);
    if (const size_t comma = t.find(u','); comma != std::u16string::npos) t[comma] = u'.';
    size_t i = 0;
    while (i < t.size() && IsCSpace(t[i])) ++i;
    // Collect the longest prefix that forms a decimal number, in plain ASCII for from_chars,
    // which unlike strtod does not depend on the locale.
    std::string number;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        if (t[i] == u'-') number += '-';
        ++i;
    }
    size_t mantissaDigits = 0;
    for (; i < t.size() && IsDigit(t[i]); ++i, ++mantissaDigits) number += static_cast<char>(t[i]);
    if (i < t.size() && t[i] == u'.') {
        ++i;
        std::string fraction;
        for (; i < t.size() && IsDigit(t[i]); ++i, ++mantissaDigits) fraction += static_cast<char>(t[i]);
        if (!fraction.empty()) number += '.' + fraction;
    }
    if (mantissaDigits == 0) return 0.0;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (j < t.size() && (t[j] == u'+' || t[j] == u'-')) exponent += static_cast<char>(t[j++]);
        size_t expDigits = 0;
        for (; j < t.size() && IsDigit(t[j]); ++j, ++expDigits) exponent += static_cast<char>(t[j]);
        if (expDigits > 0) number += exponent;
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec != std::errc() || !std::isfinite(value)) return 0.0;
    return value;
}

std::u16string FormatAmount(double value) {
    if (!std::isfinite(value)) return {};
    char buf[400];  // the largest double has 309 integer digits
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 2);
    if (ec != std::errc()) return {};
    std::u16string out(buf, end);
    for (auto& c : out)
        if (c == u'.') c = u',';
    if (out == u"0,00" || out == u"-0,00") return {};
    return out;
}

std::u16string NormaliseAmount(std::u16string_view text) { return FormatAmount(ReadAmount(text)); }

std::u16string DutyTableTotal(const std::vector<std::u16string>& values, int columns, int amountColumn) {
    double sum = 0.0;
    for (int r = 0; r < kFeld47Rows; ++r) {
        const size_t i = static_cast<size_t>(r * columns + amountColumn);
        if (i < values.size()) sum += ReadAmount(values[i]);
    }
    return FormatAmount(sum);
}

void NormaliseDutyTable(std::vector<std::u16string>& values, int columns, int amountColumn) {
    values.resize(static_cast<size_t>(kFeld47Rows * columns + 1));
    for (int r = 0; r < kFeld47Rows; ++r) {
        auto& cell = values[static_cast<size_t>(r * columns + amountColumn)];
        cell = NormaliseAmount(cell);
    }
    values.back() = DutyTableTotal(values, columns, amountColumn);
}

long long ReadTypeNumber(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (value > (LLONG_MAX - 9) / 10) {
            value = LLONG_MAX;
            break;
        }
        value = value * 10 + (text[i] - u'0');
    }
    return negative ? -value : value;
}

bool PaymentMethodAccepted(std::u16string_view type, std::u16string_view method) {
    if (ReadTypeNumber(type) < 100) return true;
    size_t i = 0;
    while (i < method.size() && IsCSpace(method[i])) ++i;
    const std::u16string_view m = method.substr(i);
    return m.empty() || m == u"B" || m == u"C" || m == u"D" || m == u"E";
}

}  // namespace tarvex
