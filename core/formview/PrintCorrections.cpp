#include "core/formview/PrintCorrections.h"

#include <charconv>
#include <cmath>
#include <string>

#include "core/common/TextCodec.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {

const char* FormSection(int kind) {
    return kind == 0 ? settings::kEHForm : settings::kDV1Form;
}

bool CMarginSheetModel::SetSheetPages(int n) {
    if (n < 2 || n > kMaxPages) return false;
    m_nPages = n;
    return true;
}

void CMarginSheetModel::SetShiftX(int page, int tenths) {
    if (Valid(page)) m_x[page - 1] = tenths / 10.0;
}

void CMarginSheetModel::SetShiftY(int page, int tenths) {
    if (Valid(page)) m_y[page - 1] = tenths / 10.0;
}

int CMarginSheetModel::GetShiftX(int page) const {
    // Shifts are multiples of 0.05 mm at most; round away the binary representation error
    // before the truncation, so that 1.5 mm gives 15 and never 14.
    return Valid(page)
               ? static_cast<int>(std::trunc(m_x[page - 1] * 10.0 + (m_x[page - 1] < 0 ? -1e-6 : 1e-6)))
               : 0;
}

int CMarginSheetModel::GetShiftY(int page) const {
    return Valid(page)
               ? static_cast<int>(std::trunc(m_y[page - 1] * 10.0 + (m_y[page - 1] < 0 ? -1e-6 : 1e-6)))
               : 0;
}

void CMarginSheetModel::Step(std::array<double, kMaxPages>& v, int page, int dir) {
    if (!Valid(page)) return;
    double& s = v[page - 1];
    if (dir < 0)
        s = s > -kLimit ? s - kStep : -kLimit;
    else
        s = s < kLimit ? s + kStep : kLimit;
    // Keep the value on the 0.5 mm grid and within the limits.
    s = std::round(s * 2.0) / 2.0;
    if (s < -kLimit) s = -kLimit;
    if (s > kLimit) s = kLimit;
}

namespace {

std::u16string ShiftText(double mm, const char* plusDe, const char* minusDe, const char* plusEn,
                         const char* minusEn, int language) {
    if (mm == 0) return language == 1 ? u"unchanged" : u"unver\u00e4ndert";
    const char* word = mm > 0 ? (language == 1 ? plusEn : plusDe) : (language == 1 ? minusEn : minusDe);
    // "%2.1f" with a decimal point whatever the process locale says.
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, std::fabs(mm), std::chars_format::fixed, 1);
    return FromUtf8(std::string(buf, ec == std::errc() ? end : buf) + " mm " + word);
}

}  // namespace

std::u16string CMarginSheetModel::HorizontalText(int page, int language) const {
    if (!Valid(page)) return {};
    return ShiftText(m_x[page - 1], "nach rechts", "nach links", "to the right", "to the left", language);
}

std::u16string CMarginSheetModel::VerticalText(int page, int language) const {
    if (!Valid(page)) return {};
    return ShiftText(m_y[page - 1], "nach unten", "nach oben", "to the bottom", "to the top", language);
}

void LoadMarginSheet(CMarginSheetModel& sheet, Profile& profile, const FormPrintTraits& form) {
    sheet.SetSheetPages(form.marginPages);
    sheet.SetDontShow(settings::Get(profile, form.section, form.marginSheetKey));
    for (int i = 0; i < form.marginPages; ++i) {
        sheet.SetShiftX(i + 1, settings::Get(profile, form.section, form.marginKeys[i].left));
        sheet.SetShiftY(i + 1, settings::Get(profile, form.section, form.marginKeys[i].top));
    }
}

void SaveMarginSheet(const CMarginSheetModel& sheet, Profile& profile, const FormPrintTraits& form) {
    profile.WriteProfileInt(form.section, form.marginSheetKey.name, sheet.GetDontShow());
    for (int i = 0; i < form.marginPages; ++i) {
        const MarginKeys& k = form.marginKeys[i];
        profile.WriteProfileInt(form.section, k.left.name, sheet.GetShiftX(i + 1));
        profile.WriteProfileInt(form.section, k.top.name, sheet.GetShiftY(i + 1));
    }
}

bool MarginSheetBeforePrint(Profile& profile, const FormPrintTraits& form) {
    const int value = settings::Get(profile, form.section, form.marginSheetKey);
    return form.hiddenOnlyByOne ? value != 1 : value == 0;
}

PrintRect ApplyPrintSizeCorrection(const PrintRect& r, int factorV, int factorH) {
    auto scale = [](int v, int f) {
        if (f == 1000) return v;
        return static_cast<int>(static_cast<long long>(v) * f / 1000);  // truncates toward zero
    };
    return {scale(r.left, factorH), scale(r.top, factorV), scale(r.right, factorH), scale(r.bottom, factorV)};
}

bool ParsePercent(const std::u16string& text, double min, double max, int& tenths) {
    std::string s = ToUtf8(text);
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) return false;
    s = s.substr(first, s.find_last_not_of(' ') - first + 1);
    // Digits with at most one decimal separator, a point or a comma; read without the C library,
    // whose reading follows the process locale.
    if (!s.empty() && s[0] == '+') s.erase(0, 1);
    bool separator = false, digit = false;
    for (size_t i = 0; i < s.size(); ++i) {
        char& c = s[i];
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
            c = '.';
        } else if (!(c == '-' && i == 0)) {
            return false;
        }
    }
    if (!digit) return false;
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::fixed);
    if (ec != std::errc() || end != s.data() + s.size()) return false;
    if (!(v >= min && v <= max)) return false;
    tenths = static_cast<int>(v * 10.0 + 1e-9);
    return true;
}

namespace {

struct FontDefaults {
    int normal[5];
    int bold[5];
};
constexpr FontDefaults kScreenFonts = {{30, 38, 42, 46, 52}, {28, 38, 42, 46, 52}};
constexpr FontDefaults kPrinterFonts = {{22, 32, 36, 42, 46}, {22, 32, 38, 42, 46}};

}  // namespace

int FieldFontValue(Profile* profile, const char* family, int size, bool bold) {
    if (size < 0 || size > 4) return 0;
    const FontDefaults& d = family[0] == 'P' ? kPrinterFonts : kScreenFonts;
    const int value = bold ? d.bold[size] : d.normal[size];
    if (!profile) return value;
    std::string key = std::string(family) + static_cast<char>('0' + size) + (bold ? "B" : "");
    return profile->GetProfileInt(settings::kFont, key, value);
}

int PrinterFontHeight(Profile* profile, int size, bool bold, int percent) {
    return percent * FieldFontValue(profile, settings::kPFont, size, bold) / 100;
}

int ScreenFontHeight(Profile* profile, const char* family, int size, bool bold, int zoom) {
    return FieldFontValue(profile, family, size, bold) * zoom / 12;
}

PrintOrigin SheetPrintOrigin(Profile& profile, const FormPrintTraits& form, int sheet) {
    const MarginKeys& k = form.marginKeys[sheet - 1];
    return {settings::Get(profile, form.section, k.left) + 30,
            10 - settings::Get(profile, form.section, k.top)};
}

std::vector<std::u16string> PrintPageEntries(const FormPrintTraits& form, int pageCount) {
    std::vector<std::u16string> list;
    for (int p = 1; p <= pageCount; ++p) {
        std::u16string entry =
            form.laterPagesFrom > 0 && p >= form.laterPagesFrom ? form.laterPageEntry : form.pageEntry;
        entry.replace(entry.find(u"%1"), 2, FromUtf8(std::to_string(p)));
        list.push_back(entry);
    }
    return list;
}

void StorePrinterChoice(Profile& profile, const FormPrintTraits& form, bool reuse,
                        const std::u16string& device) {
    profile.WriteProfileInt(form.section, settings::kReUsePrn.name, reuse ? 1 : 0);
    profile.WriteProfileString(form.section, settings::kPrinter.name,
                               reuse ? device : settings::kPrinter.fallback);
}

void ResetPrinterChoice(Profile& profile, const FormPrintTraits& form) {
    profile.WriteProfileString(form.section, settings::kPrinter.name, settings::kPrinter.fallback);
    profile.WriteProfileInt(form.section, settings::kReUsePrn.name, 0);
}

std::u16string RememberedPrinter(Profile& profile, const FormPrintTraits& form) {
    std::u16string name = settings::Get(profile, form.section, settings::kPrinter);
    if (name == settings::kPrinter.fallback || settings::Get(profile, form.section, settings::kReUsePrn) != 1)
        return {};
    return name;
}

}  // namespace tarvex

namespace tarvex {

PrintMode ChosenPrintMode(Profile& profile, int kind) {
    return PrintModeFromStored(settings::Get(profile, FormSection(kind), settings::kPrintMode));
}

void StorePrintMode(Profile& profile, int kind, PrintMode mode) {
    profile.WriteProfileInt(FormSection(kind), settings::kPrintMode.name, StoredPrintMode(mode));
}

}  // namespace tarvex

namespace tarvex {

std::vector<PrintOrigin> MarginSheetOrigins(const CMarginSheetModel& sheet) {
    std::vector<PrintOrigin> origins;
    for (int page = 1; page <= sheet.GetSheetPages(); ++page)
        origins.push_back({sheet.GetShiftX(page) + 30, 10 - sheet.GetShiftY(page)});
    return origins;
}

}  // namespace tarvex
