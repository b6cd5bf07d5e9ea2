#include "core/sad/Box47.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <string>

#include "core/common/AmountText.h"
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
    const AmountReading r = ReadAmountText(text);
    if (r.kind == AmountKind::Unclear) return std::nullopt;
    return r.value;
}

double ReadAmount(std::u16string_view text) {
    return ParseAmount(text).value_or(0.0);
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
    // A text that is no amount stays for the clerk to correct; guessing would change the duty.
    const std::optional<double> amount = ParseAmount(text);
    return amount ? FormatAmount(*amount) : std::u16string(text);
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
