#include "core/masterdata/Csv.h"

#include "core/common/TextCodec.h"
#include "core/masterdata/MasterDataStrings.h"
#include "core/masterdata/MasterDataText.h"

namespace tarvex {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsValidUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t n = 0;
        uint32_t cp = 0;
        if ((c & 0xE0) == 0xC0) {
            n = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            n = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            n = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + n >= s.size()) return false;
        for (size_t k = 1; k <= n; ++k) {
            const auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are no UTF-8.
        if ((n == 1 && cp < 0x80) || (n == 2 && cp < 0x800) || (n == 3 && cp < 0x10000) || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += n + 1;
    }
    return true;
}

bool IsBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

}  // namespace

CsvEncoding DetectCsvEncoding(std::string_view bytes) {
    if (bytes.starts_with(kBom)) return CsvEncoding::Utf8Bom;
    return IsValidUtf8(bytes) ? CsvEncoding::Utf8 : CsvEncoding::Windows1252;
}

std::u16string DecodeCsvBytes(std::string_view bytes, CsvEncoding encoding) {
    switch (encoding) {
        case CsvEncoding::Utf8Bom:
            if (bytes.starts_with(kBom)) bytes.remove_prefix(kBom.size());
            return FromUtf8(bytes);
        case CsvEncoding::Utf8:
            return FromUtf8(bytes);
        case CsvEncoding::Windows1252:
            break;
    }
    return DecodeWindows1252(bytes);
}

std::string EncodeCsvText(std::u16string_view text, CsvEncoding encoding, size_t* unmappable) {
    if (unmappable) *unmappable = 0;
    switch (encoding) {
        case CsvEncoding::Utf8Bom:
            return std::string(kBom) + ToUtf8(text);
        case CsvEncoding::Utf8:
            return ToUtf8(text);
        case CsvEncoding::Windows1252:
            break;
    }
    std::string bytes;
    EncodeWindows1252(text, bytes, unmappable);
    return bytes;
}

bool EncodeWindows1252(std::u16string_view text, std::string& bytes, size_t* unmappable,
                       std::u16string* firstUnmappable) {
    // The code page's own table, read backwards: every character it has becomes its byte.
    static const std::u16string kTable = [] {
        std::string all(256, '\0');
        for (int b = 0; b < 256; ++b) all[static_cast<size_t>(b)] = static_cast<char>(b);
        return DecodeWindows1252(all);
    }();
    bytes.clear();
    bytes.reserve(text.size());
    size_t lost = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            bytes.push_back(static_cast<char>(c));
            continue;
        }
        const size_t at = kTable.find(c, 0x80);
        if (at != std::u16string::npos && at < 0xA0) {
            bytes.push_back(static_cast<char>(at));
            continue;
        }
        const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size();
        if (lost == 0 && firstUnmappable) *firstUnmappable = std::u16string(text.substr(i, pair ? 2 : 1));
        ++lost;
        if (pair) ++i;
        bytes.push_back('?');
    }
    if (unmappable) *unmappable = lost;
    return lost == 0;
}

std::u16string CsvEncodingName(CsvEncoding encoding) {
    switch (encoding) {
        case CsvEncoding::Utf8Bom:
            return mdstr::kCsvUtf8Bom;
        case CsvEncoding::Utf8:
            return mdstr::kCsvUtf8;
        case CsvEncoding::Windows1252:
            break;
    }
    return mdstr::kCsvWindows1252;
}

char16_t DetectCsvSeparator(std::u16string_view text) {
    size_t semicolons = 0, commas = 0;
    bool quoted = false;
    for (char16_t c : text) {
        if (c == u'"') {
            quoted = !quoted;
        } else if (!quoted) {
            if (IsBreak(c)) {
                if (semicolons + commas > 0) break;
            } else if (c == u';') {
                ++semicolons;
            } else if (c == u',') {
                ++commas;
            }
        }
    }
    return commas > semicolons ? u',' : u';';
}

bool ParseCsv(std::u16string_view text, char16_t separator, std::vector<CsvRow>& rows, CsvParseError& error,
              size_t maxCells) {
    rows.clear();
    size_t cells = 0;
    error = {};
    size_t i = 0;
    int line = 1;
    const size_t n = text.size();
    auto skipBreak = [&] {
        if (text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n') ++i;
        ++i;
        ++line;
    };
    while (i < n) {
        if (IsBreak(text[i])) {  // an empty line
            skipBreak();
            continue;
        }
        CsvRow row;
        row.line = line;
        for (;;) {
            std::u16string cell;
            if (i < n && text[i] == u'"') {
                const int quoteLine = line;
                ++i;
                for (;;) {
                    if (i >= n) {
                        error = {quoteLine, mdstr::kCsvUnclosedQuote};
                        return false;
                    }
                    const char16_t c = text[i];
                    if (c == u'"') {
                        if (i + 1 < n && text[i + 1] == u'"') {
                            cell += u'"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (c == u'\n' || (c == u'\r' && !(i + 1 < n && text[i + 1] == u'\n'))) ++line;
                    cell += c;
                    ++i;
                }
                if (i < n && text[i] != separator && !IsBreak(text[i])) {
                    error = {line, mdstr::kCsvTextAfterQuote};
                    return false;
                }
            } else {
                const size_t start = i;
                while (i < n && text[i] != separator && !IsBreak(text[i])) ++i;
                cell.assign(text.substr(start, i - start));
            }
            if (++cells > maxCells) {
                rows.clear();
                error = {line,
                         MdArgs(mdstr::kCsvTooManyCellsFmt, {MdNumber(static_cast<long long>(maxCells))})};
                return false;
            }
            row.cells.push_back(std::move(cell));
            if (i < n && text[i] == separator) {
                ++i;
                continue;
            }
            break;
        }
        rows.push_back(std::move(row));
        if (i < n) skipBreak();
    }
    return true;
}

void AppendCsvRecord(std::u16string& out, const std::vector<std::u16string>& cells, char16_t separator) {
    for (size_t k = 0; k < cells.size(); ++k) {
        if (k > 0) out += separator;
        const std::u16string& cell = cells[k];
        bool quote = cell.empty() && cells.size() == 1;
        if (!cell.empty() && (IsWideSpace(cell.front()) || IsWideSpace(cell.back()))) quote = true;
        for (char16_t c : cell)
            if (c == separator || c == u'"' || IsBreak(c)) quote = true;
        if (!quote) {
            out += cell;
            continue;
        }
        out += u'"';
        for (char16_t c : cell) {
            if (c == u'"') out += u'"';
            out += c;
        }
        out += u'"';
    }
    out += u"\r\n";
}

}  // namespace tarvex
