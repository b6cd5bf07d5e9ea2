#pragma once
// The support information: the short system and version texts of the support dialog and the
// full report of environment and settings that the clerk sends to the support. Built from plain
// values and the profile, so that every line is checked without a window.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

class Profile;

// 0 German, anything else that is not 1 counts as German too.
int SupportLanguage(int language);

struct SupportSystemInfo {
    int screenWidth = 0;
    int screenHeight = 0;
    int dpi = 96;  // horizontal pixels per logical inch; 0 when unknown (counts as 96)
    std::u16string programDirectory;
    std::u16string operatingSystem;  // name and version; no line when empty
};
// Screen size, " (%d DPI)" with the scale in percent when it is not 100, the program folder and
// the operating system.
std::u16string SupportSystemText(int language, const SupportSystemInfo& info);
// "%s - Version %s - (%s)".
std::u16string SupportVersionLine(std::u16string_view title, std::u16string_view version,
                                  std::u16string_view buildDate);

// What the print system tells about a printer; an empty text is shown as not defined.
struct PrinterFacts {
    std::u16string driver;
    std::u16string port;
    std::u16string processor;
};

struct SupportReportInput {
    int language = 0;
    std::u16string profileName;  // "Tarvex-Import"
    int day = 1, month = 1, year = 2000;
    std::u16string versionLine;
    std::u16string systemText;
    // Installed runtime folders in the form "v4.0.30319"; empty: none installed.
    std::vector<std::u16string> runtimeFolders;
    // Facts about a printer of that name, nothing when the print system does not know it.
    std::function<std::optional<PrinterFacts>(std::u16string_view name)> printerFacts;
};

// The whole report, lines ending in CR LF.
std::u16string BuildSupportReport(const SupportReportInput& input, Profile& profile);
// The bytes of the report file: byte-order mark, then UTF-16 little-endian.
std::vector<uint8_t> EncodeUtf16LeWithBom(std::u16string_view text);
// "Tarvex-Import_Daten.txt" / "Tarvex-Import_Data.txt".
std::u16string SupportReportFileName(int language, std::u16string_view profileName);
// The saved and the failure message with the file's path.
std::u16string SupportSavedMessage(int language, std::u16string_view path);
std::u16string SupportFailedMessage(int language, std::u16string_view path);

}  // namespace tarvex
