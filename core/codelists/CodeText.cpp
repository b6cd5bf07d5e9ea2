#include "core/codelists/CodeText.h"

#include <climits>

namespace tarvex {

int DecimalValue(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    return static_cast<int>(value);
}

bool IsSentinelCode(std::u16string_view code) {
    return DecimalValue(code) > 1998;
}

char16_t FoldCase(char16_t c) {
    if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 0x20);
    // Latin-1 capitals À..Þ, except the multiplication sign.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 0x20);
    return c;
}

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
    if (prefix.size() > text.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (FoldCase(text[i]) != FoldCase(prefix[i])) return false;
    return true;
}

void AppendGermanSortKey(std::u16string_view text, std::u16string& key) {
    for (char16_t c : text) {
        c = FoldCase(c);
        if (c >= 0xE0 && c <= 0xFF && c != 0xF7) {
            // à..ÿ mapped to their base letters
            constexpr char16_t kBase[] = u"aaaaaaeceeeeiiiidnooooo\xF7ouuuuyty";
            const char16_t base = kBase[c - 0xE0];
            if (c == 0xE6) {
                key += u"ae";
                continue;
            }
            if (c == 0xFE) {
                key += u"th";
                continue;
            }
            c = base;
        } else if (c == 0xDF) {
            key += u"ss";
            continue;
        }
        key.push_back(c);
    }
}

std::u16string GermanSortKey(std::u16string_view text) {
    std::u16string key;
    key.reserve(text.size());
    AppendGermanSortKey(text, key);
    return key;
}

std::u16string ToUpperText(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) {
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - 0x20);
        else if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
            c = static_cast<char16_t>(c - 0x20);
        else if (c == 0xFF)
            c = 0x178;  // ÿ → Ÿ
    }
    return out;
}

}  // namespace tarvex
