#pragma once
// The program version as the registry manager keeps it: a product version text such as
// "3.11.7.0" packed into major * 65536 + minor * 256 + build, and shown as "3.11.07".

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvex {

struct VersionParts {
    uint16_t top = 0;  // bits 31-24, always 0 for a packed value built here
    uint16_t major = 0;
    uint16_t minor = 0;
    uint16_t build = 0;
};

// major = number before the first '.', minor = number before the next '.', build = the number
// formed by the two characters after that second '.'. Numbers stop at the first non-digit; a
// missing part counts as 0.
uint32_t PackProductVersion(std::string_view productVersion);
VersionParts SplitPackedVersion(uint32_t packed);
// "%d.%01d.%02d" of major, minor and build.
std::string FormatVersionString(uint32_t packed);

// The version this program was built as (the CMake project version).
std::string_view BuildProductVersion();

}  // namespace tarvex
