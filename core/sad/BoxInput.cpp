#include "core/sad/BoxInput.h"

#include <algorithm>
#include <string>

#include "core/common/TextCodec.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {
namespace {

bool IsLeadingSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r') || c == 0x00A0;
}

std::u16string_view TrimTrailingSpace(std::u16string_view text) {
    size_t end = text.size();
    while (end > 0 && IsLeadingSpace(text[end - 1])) --end;
    return text.substr(0, end);
}

}  // namespace

std::u16string TextInput3LPreset(std::u16string_view fieldText) {
    size_t i = 0;
    while (i < fieldText.size() && IsLeadingSpace(fieldText[i])) ++i;
    return std::u16string(fieldText.substr(i));
}

std::vector<std::u16string> SplitLines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    size_t start = 0;
    for (;;) {
        const size_t lf = text.find(u'\n', start);
        if (lf == std::u16string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        size_t end = lf;
        if (end > start && text[end - 1] == u'\r') --end;
        lines.emplace_back(text.substr(start, end - start));
        start = lf + 1;
    }
    return lines;
}

std::vector<std::u16string> Feld44EditLines(std::u16string_view boxText, bool reserveFirstLine) {
    std::vector<std::u16string> lines = SplitLines(boxText);
    if (lines.size() > static_cast<size_t>(kFeld44Lines)) lines.resize(kFeld44Lines);
    if (reserveFirstLine) lines.erase(lines.begin());
    return lines;
}

std::u16string Feld44BoxText(const std::vector<std::u16string>& editLines, bool reserveFirstLine) {
    std::vector<std::u16string> lines;
    if (reserveFirstLine) lines.emplace_back();
    const size_t take =
        std::min(editLines.size(), static_cast<size_t>(reserveFirstLine ? kFeld44Lines - 1 : kFeld44Lines));
    for (size_t i = 0; i < take; ++i) lines.push_back(editLines[i].substr(0, kFeld44LineLength));
    std::u16string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) out += u"\r\n";
        out += lines[i];
    }
    return out;
}

std::u16string DateBoxText(int day, int month, int year) {
    return FromUtf8(std::to_string(day) + "." + std::to_string(month) + "." + std::to_string(year));
}

std::u16string PlaceDateText(std::u16string_view place, int day, int month, int year) {
    place = TrimTrailingSpace(place);
    const std::u16string date = DateBoxText(day, month, year);
    if (place.empty()) return date;
    return std::u16string(place) + u", " + date;
}

PlaceDateStart PlaceDatePreset(Profile& profile) {
    PlaceDateStart start;
    start.reuse = settings::Get(profile, settings::kSettings, settings::kReuseDatumOrt) != 0;
    if (start.reuse) start.place = settings::Get(profile, settings::kSettings, settings::kDatumOrt);
    return start;
}

std::u16string PlaceDateAccept(Profile& profile, std::u16string_view place, bool reuse, int day, int month,
                               int year) {
    place = TrimTrailingSpace(place);
    profile.WriteProfileInt(settings::kSettings, settings::kReuseDatumOrt.name, reuse ? 1 : 0);
    if (reuse) profile.WriteProfileString(settings::kSettings, settings::kDatumOrt.name, place);
    return PlaceDateText(place, day, month, year);
}

}  // namespace tarvex
