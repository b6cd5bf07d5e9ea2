#pragma once
// Minimal JSON output for the command-line tool: strings escaped, numbers as given.

#include <string>
#include <string_view>

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
                    static const char* hex = "0123456789abcdef";
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

}  // namespace tarvex::cli
