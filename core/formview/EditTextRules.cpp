#include "core/formview/EditTextRules.h"

#include "core/common/TextCodec.h"

namespace tarvex {

std::u16string CleanPastedText(std::u16string text) {
    std::u16string out;
    out.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) out.push_back(u'\r');
        out.push_back(text[i]);
    }
    TrimRight(out);
    if (out.size() >= 2 && out.front() == u'"' && out.back() == u'"') out = out.substr(1, out.size() - 2);
    // A lone quote is both the first and the last character; it stays as it is.
    return out;
}

std::u16string WindowToStoreText(const std::u16string& text) {
    std::u16string out;
    out.reserve(text.size() + 8);
    for (char16_t c : text) {
        if (c == u'\r') continue;
        if (c == u'\n') out.push_back(u'\r');
        out.push_back(c);
    }
    return out;
}

std::u16string StoreToWindowText(const std::u16string& text) {
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text)
        if (c != u'\r') out.push_back(c);
    return out;
}

}  // namespace tarvex
