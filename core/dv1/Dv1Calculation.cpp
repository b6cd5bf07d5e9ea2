#include "core/dv1/Dv1Calculation.h"

#include <charconv>
#include <cmath>
#include <initializer_list>

#include "core/common/AmountText.h"
#include "core/common/TextCodec.h"
#include "core/dv1/Dv1Doc.h"

namespace tarvex::dv1 {
namespace {

constexpr int kMaxIntegerDigits = 13;

// "1234567.89" (or "-…") in German notation with the form's thousands separators.
std::u16string GermanNotation(std::string s) {
    const size_t dot = s.find('.');
    if (dot != std::string::npos) s[dot] = ',';
    if (s == "0,00" || s == "-0,00") return {};
    const bool negative = !s.empty() && s[0] == '-';
    if (s.size() > 6 && !negative) s.insert(s.size() - 6, 1, '.');
    if (s.size() > 10 && !negative) s.insert(s.size() - 10, 1, '.');
    return FromUtf8(s);
}

// One goods item of a continuation page: its amount fields and its four totals.
struct ItemFields {
    int net[2];  // box 11 (a) in the invoice currency, in national currency
    int indirect;
    std::initializer_list<int> additions;
    std::initializer_list<int> deductions;
    int totalA, totalB, totalC, declared;
};

const ItemFields kItems[2] = {
    {{2, 4}, 6, {7, 8, 9, 10, 11, 12, 13, 14, 15, 19, 21, 23}, {24, 25, 26, 27}, 53, 54, 55, 56},
    {{29, 30}, 31, {32, 33, 34, 35, 36, 37, 38, 39, 40, 42, 43, 44}, {45, 46, 47, 48}, 57, 58, 59, 60},
};

}  // namespace

bool ParseAmountCents(std::u16string_view text, int64_t& cents) {
    cents = 0;
    const AmountReading r = ReadAmountText(text);
    if (r.kind == AmountKind::Unclear || r.integerDigits > kMaxIntegerDigits) return false;
    cents = r.cents;
    return true;
}

double ParseAmount(std::u16string_view text) {
    int64_t cents;
    return ParseAmountCents(text, cents) ? static_cast<double>(cents) / 100.0 : 0.0;
}

std::u16string FormatCents(int64_t cents) {
    const bool negative = cents < 0;
    const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(cents) : static_cast<uint64_t>(cents);
    std::string s = std::to_string(magnitude / 100) + "." + std::to_string(magnitude % 100 / 10) +
                    std::to_string(magnitude % 10);
    if (negative) s.insert(0, 1, '-');
    return GermanNotation(std::move(s));
}

std::u16string FormatAmount(double value) {
    if (!std::isfinite(value)) return {};
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 2);
    if (r.ec != std::errc()) return {};
    return GermanNotation(std::string(buf, r.ptr));
}

std::vector<Dv1NotAnAmount> FindNotAmounts(const CDV1_Doc& doc, int flag11a) {
    const CFieldStore& s = doc.Store();
    std::vector<Dv1NotAnAmount> found;
    const int line = flag11a == 1 ? 0 : 1;
    for (int p = 2; p <= s.GetPageCount(); ++p) {
        auto check = [&](int f) {
            int64_t cents;
            std::u16string text = s.GetFieldText(f, p);
            if (!ParseAmountCents(text, cents)) found.push_back({p, f, std::move(text)});
        };
        // The calculation's order: both net prices first, then item by item.
        for (int k = 0; k < 2; ++k) check(kItems[k].net[line]);
        for (int k = 0; k < 2; ++k) {
            check(kItems[k].indirect);
            for (int f : kItems[k].additions) check(f);
            for (int f : kItems[k].deductions) check(f);
        }
    }
    return found;
}

std::vector<Dv1NotAnAmount> CalculatePages(CDV1_Doc& doc, int flag11a) {
    CFieldStore& s = doc.Store();
    std::vector<Dv1NotAnAmount> notAmounts;
    const int line = flag11a == 1 ? 0 : 1;  // the line of box 11 (a) that counts
    for (int p = 2; p <= s.GetPageCount(); ++p) {
        // Every amount in one notation; a text that is no amount stays as typed and counts 0.
        auto normalise = [&](int f) -> int64_t {
            const std::u16string text = s.GetFieldText(f, p);
            int64_t cents;
            if (!ParseAmountCents(text, cents)) {
                notAmounts.push_back({p, f, text});
                return 0;
            }
            s.SetFieldText(f, FormatCents(cents), p);
            return cents;
        };
        int64_t net[2], indirect[2], add[2] = {0, 0}, deduct[2] = {0, 0};
        for (int k = 0; k < 2; ++k) net[k] = normalise(kItems[k].net[line]);
        for (int k = 0; k < 2; ++k) {
            indirect[k] = normalise(kItems[k].indirect);
            for (int f : kItems[k].additions) add[k] += normalise(f);
            for (int f : kItems[k].deductions) deduct[k] += normalise(f);
        }

        for (int k = 0; k < 2; ++k) {
            const ItemFields& item = kItems[k];
            const int64_t totals[3] = {net[k] + indirect[k], add[k], deduct[k]};
            const int fields[3] = {item.totalA, item.totalB, item.totalC};
            for (int t = 0; t < 3; ++t) s.SetFieldText(fields[t], FormatCents(totals[t]), p);
            const int64_t declared = totals[0] + totals[1] - totals[2];
            s.SetFieldText(item.declared, FormatCents(declared), p);
            // With a value declared, every total is shown, also those that are zero.
            if (declared > 0)
                for (int t = 0; t < 3; ++t)
                    if (totals[t] == 0) s.SetFieldText(fields[t], u"0,00", p);
        }
    }
    doc.SetModifiedFlag();
    return notAmounts;
}

}  // namespace tarvex::dv1
