#pragma once
// Minimal JSON output for the command-line tool: strings escaped, numbers as given.

#include <string>
#include <string_view>

#include "core/common/TextCodec.h"
#include "core/formview/FieldStore.h"

namespace tarvex::cli {

inline void AppendJsonString(std::string& out, std::string_view utf8) {
    out.push_back('"');
    for (unsigned char c : utf8) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            default:
                if (c < 0x20) {
                    constexpr char hex[] = "0123456789abcdef";
                    out += "\\u00";
                    out.push_back(hex[c >> 4]);
                    out.push_back(hex[c & 15]);
                } else {
                    out.push_back(static_cast<char>(c));
                }
        }
    }
    out.push_back('"');
}

inline std::string JsonString(std::string_view utf8) {
    std::string s;
    AppendJsonString(s, utf8);
    return s;
}

// ,"fieldCounts":[N1,N2],"pages":[{"page":P,"fields":[{"index","text","flags"},...]},...] with every
// field of every page of a document's store.
inline void AppendFieldStoreJson(std::string& out, const CFieldStore& s) {
    out += ",\"fieldCounts\":[" + std::to_string(s.GetFieldCount1()) + "," +
           std::to_string(s.GetFieldCount2()) + "]";
    out += ",\"pages\":[";
    const int pages = s.GetPageCount();
    for (int p = 1; p <= pages; ++p) {
        if (p > 1) out += ",";
        out += "{\"page\":" + std::to_string(p) + ",\"fields\":[";
        const int n = p == 1 ? s.GetFieldCount1() : s.GetFieldCount2();
        for (int i = 0; i < n; ++i) {
            if (i > 0) out += ",";
            out += "{\"index\":" + std::to_string(i) + ",\"text\":";
            AppendJsonString(out, ToUtf8(s.GetFieldText(i, p)));
            out += ",\"flags\":" + std::to_string(s.GetFieldFlags(i, p)) + "}";
        }
        out += "]}";
    }
    out += "]";
}

}  // namespace tarvex::cli
