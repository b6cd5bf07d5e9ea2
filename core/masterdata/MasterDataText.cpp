#include "core/masterdata/MasterDataText.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "core/codelists/CodeText.h"
#include "core/common/TextCodec.h"
#include "core/masterdata/MasterDataStrings.h"

namespace tarvex {

std::u16string MdArgs(std::u16string_view text, std::initializer_list<std::u16string_view> args) {
    std::u16string out;
    out.reserve(text.size() + 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'%' && i + 1 < text.size() && text[i + 1] >= u'1' && text[i + 1] <= u'9') {
            const size_t n = static_cast<size_t>(text[i + 1] - u'1');
            if (n < args.size()) {
                out += args.begin()[n];
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::u16string MdNumber(long long value) {
    char buf[24];
    char* end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    return std::u16string(buf, end);
}

size_t TableBytes(std::u16string_view text) {
    return TextToBytes(text).size();
}

std::u16string FitToBytes(std::u16string_view text, size_t width) {
    if (TableBytes(text) <= width) return std::u16string(text);
    // Most characters take one byte; shorten from there and never split a surrogate pair.
    size_t n = std::min(text.size(), width);
    while (n > 0 &&
           (TableBytes(text.substr(0, n)) > width || (text[n - 1] >= 0xD800 && text[n - 1] < 0xDC00)))
        --n;
    return std::u16string(text.substr(0, n));
}

std::vector<std::u16string> MdSplitLines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n') {
            size_t end = i > start && text[i - 1] == u'\r' ? i - 1 : i;
            lines.emplace_back(text.substr(start, end - start));
            start = i + 1;
        }
    }
    lines.emplace_back(text.substr(start));
    return lines;
}

std::u16string MdJoinLines(const std::vector<std::u16string>& lines) {
    std::u16string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) out += u"\r\n";
        out += lines[i];
    }
    return out;
}

namespace {

std::u16string TrimLeading(std::u16string_view s) {
    size_t b = 0;
    while (b < s.size() && IsWideSpace(s[b])) ++b;
    return std::u16string(s.substr(b));
}

}  // namespace

FittedLines FitLines(std::u16string_view text, size_t maxLines, size_t width, bool trimLeading) {
    return FitLines(text, std::vector<size_t>(maxLines, width), trimLeading);
}

FittedLines FitLines(std::u16string_view text, const std::vector<size_t>& widths, bool trimLeading) {
    const size_t maxLines = widths.size();
    FittedLines r;
    std::vector<std::u16string> lines = MdSplitLines(text);
    if (trimLeading)
        for (auto& l : lines) l = TrimLeading(l);
    // Trailing empty lines carry nothing.
    while (lines.size() > 1 && TrimmedRight(lines.back()).empty()) lines.pop_back();
    if (lines.size() > maxLines)
        r.problems.push_back(MdArgs(
            mdstr::kFitTooManyLinesFmt,
            {MdNumber(static_cast<long long>(maxLines + 1)), MdNumber(static_cast<long long>(maxLines))}));
    r.lines.assign(maxLines, std::u16string());
    for (size_t i = 0; i < maxLines && i < lines.size(); ++i) {
        const size_t bytes = TableBytes(lines[i]);
        const size_t width = widths[i];
        if (bytes > width) {
            r.problems.push_back(
                MdArgs(mdstr::kFitLineTooLongFmt,
                       {MdNumber(static_cast<long long>(i + 1)), MdNumber(static_cast<long long>(bytes)),
                        MdNumber(static_cast<long long>(width))}));
            r.lines[i] = FitToBytes(lines[i], width);
        } else {
            r.lines[i] = lines[i];
        }
    }
    return r;
}

std::u16string SearchFold(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) c = FoldCase(c);
    return out;
}

std::vector<int> SortedOrder(const std::vector<std::u16string>& texts) {
    std::vector<std::u16string_view> views(texts.begin(), texts.end());
    return SortedOrder(views);
}

std::vector<int> SortedOrder(const std::vector<std::u16string_view>& texts) {
    // Keys as big-endian bytes of their code units in one block, so that a byte comparison
    // (memcmp) orders them as the code units do; the first eight bytes packed into a number
    // decide most comparisons without touching the block.
    struct Item {
        uint64_t prefix;
        uint32_t offset, length;
        int index;
    };
    std::string keys;
    size_t total = 0;
    for (const auto& t : texts) total += t.size() * 2 + 4;
    keys.reserve(total);
    std::vector<Item> items(texts.size());
    std::u16string folded;
    for (size_t i = 0; i < texts.size(); ++i) {
        folded.clear();
        AppendGermanSortKey(texts[i], folded);
        Item& it = items[i];
        it.offset = static_cast<uint32_t>(keys.size());
        it.length = static_cast<uint32_t>(folded.size() * 2);
        it.index = static_cast<int>(i);
        for (char16_t c : folded) {
            keys.push_back(static_cast<char>(c >> 8));
            keys.push_back(static_cast<char>(c & 0xFF));
        }
        uint64_t prefix = 0;
        // Zero after the end: a key orders before every longer key it begins.
        for (uint32_t b = 0; b < 8; ++b)
            prefix = (prefix << 8) | (b < it.length ? static_cast<uint8_t>(keys[it.offset + b]) : 0u);
        it.prefix = prefix;
    }
    const char* block = keys.data();
    // Equal keys: the exact text decides, then the entry's place.
    std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
        if (a.prefix != b.prefix) return a.prefix < b.prefix;
        if (int c = std::memcmp(block + a.offset, block + b.offset, std::min(a.length, b.length)); c != 0)
            return c < 0;
        if (a.length != b.length) return a.length < b.length;
        if (int c = texts[a.index].compare(texts[b.index]); c != 0) return c < 0;
        return a.index < b.index;
    });
    std::vector<int> order(items.size());
    for (size_t i = 0; i < items.size(); ++i) order[i] = items[i].index;
    return order;
}

}  // namespace tarvex
