#include "core/app/Version.h"

#include <cstdio>

#include "core/app/VersionInfo.h"

namespace tarvex {
namespace {

// Decimal number at the start of text, like atoi: leading blanks, stops at the first non-digit.
uint32_t LeadingNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + static_cast<uint32_t>(text[i] - '0');
        if (value > 0xFFFF) return 0xFFFF;  // a version part never needs more; avoid overflow
    }
    return value;
}

}  // namespace

uint32_t PackProductVersion(std::string_view productVersion) {
    const uint32_t major = LeadingNumber(productVersion);
    uint32_t minor = 0;
    uint32_t build = 0;
    const size_t dot1 = productVersion.find('.');
    if (dot1 != std::string_view::npos) {
        const std::string_view rest = productVersion.substr(dot1 + 1);
        minor = LeadingNumber(rest);
        const size_t dot2 = rest.find('.');
        if (dot2 != std::string_view::npos) build = LeadingNumber(rest.substr(dot2 + 1, 2));
    }
    return major * 65536u + minor * 256u + build;
}

VersionParts SplitPackedVersion(uint32_t packed) {
    VersionParts parts;
    parts.top = static_cast<uint16_t>((packed >> 24) & 0xFF);
    parts.major = static_cast<uint16_t>((packed >> 16) & 0xFF);
    parts.minor = static_cast<uint16_t>((packed >> 8) & 0xFF);
    parts.build = static_cast<uint16_t>(packed & 0xFF);
    return parts;
}

std::string FormatVersionString(uint32_t packed) {
    const VersionParts p = SplitPackedVersion(packed);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d.%01d.%02d", p.major, p.minor, p.build);
    return buffer;
}

std::string_view BuildProductVersion() {
    return TARVEX_VERSION_STRING;
}

}  // namespace tarvex
