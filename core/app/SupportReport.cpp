#include "core/app/SupportReport.h"

#include <charconv>

#include "core/app/InfoStrings.h"
#include "core/common/TextCodec.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {
namespace {

// Read with these defaults, a value is taken as missing.
constexpr int kMissingInt = 12061953;
constexpr char16_t kMissingText[] = u"@";
constexpr char16_t kDashLine[] = u"-------------------------------------------------------\r\n";
constexpr size_t kKeyWidth = 23;

std::u16string Number(long long value) {
    char buffer[24];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::u16string(buffer, r.ptr);
}

// "%02d".
std::u16string TwoDigits(int value) {
    std::u16string s = Number(value);
    if (value >= 0 && s.size() < 2) s.insert(0, 1, u'0');
    return s;
}

// "0x%0.8x (%d)".
std::u16string HexAndDecimal(int value) {
    static constexpr char16_t kHex[] = u"0123456789abcdef";
    const uint32_t u = static_cast<uint32_t>(value);
    std::u16string s = u"0x";
    for (int shift = 28; shift >= 0; shift -= 4) s += kHex[(u >> shift) & 0xF];
    return s + u" (" + Number(value) + u")";
}

std::u16string Replace(std::u16string text, std::u16string_view placeholder, std::u16string_view value) {
    const size_t at = text.find(placeholder);
    if (at != std::u16string::npos) text.replace(at, placeholder.size(), value);
    return text;
}

class ReportWriter {
public:
    ReportWriter(const SupportReportInput& in, Profile& p)
        : m_in(in), m_p(p), m_lang(SupportLanguage(in.language)) {}

    std::u16string Build() {
        Put(infostr::kReportHeading[m_lang] + m_in.profileName + u"\r\n");
        Put(infostr::kVersionDalrek);
        // German day.month.year, English month/day/year.
        if (m_lang == 0)
            Put(infostr::kCreated[0] + TwoDigits(m_in.day) + u"." + TwoDigits(m_in.month) + u"." +
                Number(m_in.year) + u"\r\n");
        else
            Put(infostr::kCreated[1] + TwoDigits(m_in.month) + u"/" + TwoDigits(m_in.day) + u"/" +
                Number(m_in.year) + u"\r\n");
        Put(m_in.versionLine + u"\r\n");
        Put(m_in.systemText + u"\r\n");
        Runtimes();
        Put(infostr::kAddressFileLine + DataFile(settings::kAdressdatenDatei.name) + u"\r\n");
        Put(infostr::kArticleFileLine + DataFile(settings::kStammdatenDatei.name) + u"\r\n");
        Put(u"\r\n");
        Put(u"\r\n");
        Put(kDashLine);
        Put(u"\r\n");
        Put(kDashLine);
        Put(infostr::kRegistryDetails);

        using namespace settings;
        for (const char* key : {kPrnFactorV.name, kPrnFactorH.name, kWinFormScaledFactor,
                                kWinFormScaledFactorOv, kStammdaten.name})
            IntLine(kSettings, key);
        TextLine(kSettings, kAdressdatenDatei.name);
        TextLine(kSettings, kStammdatenDatei.name);

        Put(infostr::kSadBlock);
        PrinterBlock(kEHForm);
        for (const char* key : {kPrinterFontFactor.name,
                                kShowMarginDlgEH.name,
                                kLeftMarginEH.name,
                                kTopMarginEH.name,
                                kLeftMargin2EH.name,
                                kTopMargin2EH.name,
                                kVertPosX2EH.name,
                                kHorPosX2EH.name,
                                kZoomFactor,
                                kZoomFactorLU,
                                kEditTextColor.name,
                                kThreeLineInStamp.name,
                                kAutoFillPositions.name,
                                kEHShowXX.name,
                                kFeld2.name,
                                kFeld2S2.name,
                                kFeld14.name,
                                kFeld17.name,
                                kFeld34.name,
                                kStampA.name,
                                kStampC.name})
            IntLine(kEHForm, key);

        Put(infostr::kDv1Block);
        PrinterBlock(kDV1Form);
        IntLine(kDV1Form, kShowMarginDlg.name);
        for (int i = 0; i < 4; ++i) {
            IntLine(kDV1Form, kLeftMarginDV1[i].name);
            IntLine(kDV1Form, kTopMarginDV1[i].name);
        }
        IntLine(kDV1Form, kFlagDV1_11a.name);
        Put(kDashLine);

        // Only the font sizes the user has changed; 8 and 9 are not listed.
        for (const char* family : {kEFont, kDFont, kPFont})
            for (const char* bold : {"", "B"})
                for (int size = 0; size <= 4; ++size) {
                    const std::string key = family + std::to_string(size) + bold;
                    const int v = m_p.GetProfileInt(kFont, key, kMissingInt);
                    if (v != kMissingInt) Setting(key, HexAndDecimal(v));
                }

        if (m_p.GetProfileString(kRecentFileList, kRecentFilePrefix + std::string("1"), kMissingText) !=
            kMissingText) {
            Put(kDashLine);
            Put(infostr::kRecentHeading[m_lang]);
            for (int i = 1; i <= 6; ++i) {
                const std::u16string f = m_p.GetProfileString(
                    kRecentFileList, kRecentFilePrefix + std::to_string(i), kMissingText);
                if (f != kMissingText) Put(Number(i) + u": " + f + u"\r\n");
            }
        }
        Put(kDashLine);
        return std::move(m_out);
    }

private:
    void Put(std::u16string_view s) { m_out += s; }

    // "%-23s%s".
    void Setting(std::string_view key, std::u16string_view value) {
        std::u16string line = FromUtf8(key);
        if (line.size() < kKeyWidth) line.append(kKeyWidth - line.size(), u' ');
        Put(line);
        Put(value);
        Put(u"\r\n");
    }

    void IntLine(const char* section, const char* key) {
        const int v = m_p.GetProfileInt(section, key, kMissingInt);
        Setting(key, v == kMissingInt ? std::u16string(infostr::kNotDefined[m_lang]) : HexAndDecimal(v));
    }

    void TextLine(const char* section, const char* key) {
        const std::u16string v = m_p.GetProfileString(section, key, kMissingText);
        Setting(key, v == kMissingText ? std::u16string(infostr::kNotDefined[m_lang]) : v);
    }

    // A missing file value reads "Nicht definiert" in both languages, a stored "@" in the current one.
    std::u16string DataFile(const char* key) {
        const std::u16string v = m_p.GetProfileString(settings::kSettings, key, infostr::kNotDefinedGerman);
        return v == kMissingText ? std::u16string(infostr::kNotDefined[m_lang]) : v;
    }

    void PrinterBlock(const char* section) {
        IntLine(section, settings::kReUsePrn.name);
        TextLine(section, settings::kPrinter.name);
        std::u16string name = m_p.GetProfileString(section, settings::kPrinter.name, kMissingText);
        if (name == kMissingText) name = infostr::kNotDefined[m_lang];
        if (!m_in.printerFacts) return;
        const std::optional<PrinterFacts> facts = m_in.printerFacts(name);
        if (!facts) return;
        auto orNotDefined = [this](const std::u16string& s) {
            return s.empty() ? std::u16string(infostr::kNotDefined[m_lang]) : s;
        };
        Put(infostr::kPrinterDriver[m_lang] + orNotDefined(facts->driver) + u"\r\n");
        Put(infostr::kPrinterPort[m_lang] + orNotDefined(facts->port) + u"\r\n");
        Put(infostr::kPrintProcessor + orNotDefined(facts->processor) + u"\r\n");
    }

    void Runtimes() {
        if (m_in.runtimeFolders.empty()) {
            Put(infostr::kNoDotNet[m_lang]);
            return;
        }
        Put(infostr::kDotNetHeading[m_lang]);
        for (const std::u16string& name : m_in.runtimeFolders) {
            if (name == u"." || name == u"..") continue;
            // Only one-digit major versions: "   v4.0.30319" has its '.' as sixth character.
            const std::u16string line = u"   " + name;
            if (line.size() > 5 && line[5] == u'.') Put(line + u"\r\n");
        }
    }

    const SupportReportInput& m_in;
    Profile& m_p;
    int m_lang;
    std::u16string m_out;
};

}  // namespace

int SupportLanguage(int language) {
    return language == 1 ? 1 : 0;
}

std::u16string SupportSystemText(int language, const SupportSystemInfo& info) {
    const int lang = SupportLanguage(language);
    std::u16string s =
        infostr::kScreenLine[lang] + Number(info.screenWidth) + u" x " + Number(info.screenHeight);
    const int dpi = info.dpi > 0 ? info.dpi : 96;
    const int scale = (100 * dpi + 48) / 96;
    if (scale != 100) s += u" (" + Number(scale) + u" DPI)";
    std::u16string dir = info.programDirectory;
    if (dir.size() >= 2 && dir[1] == u':' && dir[0] >= u'a' && dir[0] <= u'z') dir[0] = dir[0] - u'a' + u'A';
    s += infostr::kDirectoryLine[lang] + dir;
    if (!info.operatingSystem.empty()) s += infostr::kSystemLine[lang] + info.operatingSystem;
    return s;
}

std::u16string SupportVersionLine(std::u16string_view title, std::u16string_view version,
                                  std::u16string_view buildDate) {
    std::u16string s(title);
    s += u" - Version ";
    s += version;
    s += u" - (";
    s += buildDate;
    s += u")";
    return s;
}

std::u16string BuildSupportReport(const SupportReportInput& input, Profile& profile) {
    return ReportWriter(input, profile).Build();
}

std::vector<uint8_t> EncodeUtf16LeWithBom(std::u16string_view text) {
    std::vector<uint8_t> bytes;
    bytes.reserve(2 + text.size() * 2);
    bytes.push_back(0xFF);
    bytes.push_back(0xFE);
    for (char16_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    return bytes;
}

std::u16string SupportReportFileName(int language, std::u16string_view profileName) {
    return std::u16string(profileName) + infostr::kFileSuffix[SupportLanguage(language)];
}

std::u16string SupportSavedMessage(int language, std::u16string_view path) {
    return Replace(infostr::kSaved[SupportLanguage(language)], u"%s", path);
}

std::u16string SupportFailedMessage(int language, std::u16string_view path) {
    return Replace(infostr::kSaveFailed[SupportLanguage(language)], u"%s", path);
}

}  // namespace tarvex
