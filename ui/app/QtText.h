#pragma once
// Texts of the core's string tables (UTF-16) as Qt strings.

#include <QString>
#include <string_view>

namespace tarvex {

inline QString Str(std::u16string_view s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace tarvex
