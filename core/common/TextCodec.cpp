#include "core/common/TextCodec.h"

#include <array>

namespace tarvex {
namespace {

// Windows-1252 bytes 0x80..0x9F; 0 marks an undefined byte (decoded as the C1 control).
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool InCp1252(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return true;
    for (char16_t h : kCp1252High)
        if (h == c) return true;
    return false;
}

// Best-fit of Latin Extended-A (U+0100..U+017F) to the base letter, as the system's best-fit
// table does for characters that Windows-1252 lacks.
constexpr char kLatinExtA[] =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi??JjKk?LlLlLlLlLlNnNnNn???OoOoOo??RrRrRrSsSsSsSsTtTtTt"
    "UuUuUuUuUuUuWwYyYZzZzZz?";

// Best fit for a character outside Windows-1252; '?' when there is none.
char16_t BestFit(char16_t c) {
    if (c >= 0x0100 && c <= 0x017F) {
        char f = kLatinExtA[c - 0x0100];
        return static_cast<char16_t>(f);
    }
    if (c >= 0x2000 && c <= 0x200A) return u' ';
    if (c == 0x2010 || c == 0x2011) return u'-';
    if (c == 0x2024) return u'.';
    if (c == 0x2032) return u'\'';
    if (c >= 0xFF01 && c <= 0xFF5E) return static_cast<char16_t>(c - 0xFF01 + 0x21);
    return u'?';
}

}  // namespace

std::u16string DecodeWindows1252(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        auto b = static_cast<uint8_t>(ch);
        if (b >= 0x80 && b <= 0x9F && kCp1252High[b - 0x80] != 0) {
            out.push_back(kCp1252High[b - 0x80]);
        } else {
            out.push_back(static_cast<char16_t>(b));
        }
    }
    return out;
}

std::string TextToBytes(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        if (c >= 0x2012 && c <= 0x2015) {
            out.push_back('-');
        } else if (c >= 0x2018 && c <= 0x201B) {
            out.push_back('\'');
        } else if ((c >= 0x201C && c <= 0x201F) || c == 0x2033 || c == 0x2034) {
            out.push_back('"');
        } else if (c == 0x20AC) {
            out.push_back('E');
        } else {
            char16_t r = InCp1252(c) ? c : BestFit(c);
            out.push_back(r < 256 ? static_cast<char>(r) : static_cast<char>(0xA5));
        }
    }
    return out;
}

std::string ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;  // lone surrogate
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

std::u16string FromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        auto b = static_cast<uint8_t>(text[i]);
        uint32_t cp;
        size_t len;
        if (b < 0x80) {
            cp = b;
            len = 1;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F;
            len = 2;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F;
            len = 3;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07;
            len = 4;
        } else {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        if (i + len > text.size()) {
            out.push_back(0xFFFD);
            break;
        }
        bool ok = true;
        for (size_t k = 1; k < len; ++k) {
            auto c = static_cast<uint8_t>(text[i + k]);
            if ((c & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        i += len;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

bool IsWideSpace(char16_t c) {
    // The wide-character space class, fixed here so that it does not depend on the process locale:
    // the ASCII white space and the Unicode spaces, without the no-break spaces.
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x2006) || (c >= 0x2008 && c <= 0x200A) || c == 0x2028 || c == 0x2029 ||
           c == 0x205F || c == 0x3000;
}

void TrimRight(std::u16string& text) {
    size_t n = text.size();
    while (n > 0 && IsWideSpace(text[n - 1])) --n;
    text.resize(n);
}

std::u16string TrimmedRight(std::u16string_view text) {
    std::u16string s(text);
    TrimRight(s);
    return s;
}

}  // namespace tarvex
