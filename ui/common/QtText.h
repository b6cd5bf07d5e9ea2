#pragma once
// Texts of the core's string tables (UTF-16) as Qt strings.

#include <QString>
#include <string>
#include <string_view>

namespace tarvex {

inline QString Str(std::u16string_view s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

// A multi-line text of a box or a table (lines end in CR LF) for a Qt edit, which separates
// lines with LF, and back.
inline QString ToEditText(std::u16string_view crlfText) {
    return Str(crlfText).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
inline std::u16string FromEditText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text.toStdU16String();
}

}  // namespace tarvex
