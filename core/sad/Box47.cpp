#include "core/sad/Box47.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <string>

#include "core/formview/FieldStore.h"

namespace tarvex {
namespace {

bool IsCSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}
bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

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
    const auto [end, ec] =
        std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        return std::nullopt;
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

std::u16string NormaliseAmount(std::u16string_view text) {
    return FormatAmount(ReadAmount(text));
}

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

Feld47Column Feld47ColumnOf(int index, int columns) {
    if (index >= kFeld47Rows * columns) return Feld47Column::Total;
    const int c = index % columns;
    if (columns == kFeld47SummeColumns) {
        return c == 0                          ? Feld47Column::Type
               : c == kFeld47SummeAmountColumn ? Feld47Column::Amount
                                               : Feld47Column::Method;
    }
    constexpr Feld47Column kItem[kFeld47Columns] = {Feld47Column::Type, Feld47Column::Base,
                                                    Feld47Column::Rate, Feld47Column::Amount,
                                                    Feld47Column::Method};
    return kItem[c];
}

int Feld47MaxLength(Feld47Column column) {
    switch (column) {
        case Feld47Column::Type:
            return 5;  // the national codes have five digits
        case Feld47Column::Base:
            return 12;  // "1.234.567,89"
        case Feld47Column::Rate:
            return 11;  // "12,5 %", "4,20 EUR/kg"
        case Feld47Column::Amount:
            return 14;  // "-99.999.999,99"
        case Feld47Column::Method:
            return 1;
        case Feld47Column::Total:
            return 0;
    }
    return 0;
}

uint16_t Feld47FontSize(Feld47Column column) {
    // Measured with the "Arial" metrics against the cells' print and screen rectangles: a
    // five-digit code fits the 8 mm type column only at size 0; twelve digits fit the 23 mm
    // columns at size 2, eleven at size 3; a method letter A-F fits its 3 mm at size 4.
    switch (column) {
        case Feld47Column::Type:
            return 0;
        case Feld47Column::Base:
            return 2;
        case Feld47Column::Rate:
            return 3;
        case Feld47Column::Amount:
            return 3;  // "-99999999,99"
        case Feld47Column::Method:
            return 4;
        case Feld47Column::Total:
            return 2;  // seven amounts: "-699999999,93"
    }
    return 3;
}

void SetDutyTableFontSizes(CFieldStore& store, int base, int page, int columns) {
    for (int i = 0; i <= kFeld47Rows * columns; ++i)
        store.SetFontSize(base + i, page, Feld47FontSize(Feld47ColumnOf(i, columns)));
}

Feld47AmountCheck CheckFeld47Amount(std::u16string_view text) {
    const std::optional<double> amount = ParseAmount(text);
    if (!amount) return Feld47AmountCheck::NotANumber;
    // Compared as it will be shown: 99.999.999,994 still rounds to the largest amount.
    const double rounded = std::round(std::abs(*amount) * 100.0) / 100.0;
    return rounded > kFeld47MaxAmount ? Feld47AmountCheck::TooLarge : Feld47AmountCheck::Ok;
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
