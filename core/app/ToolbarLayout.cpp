#include "core/app/ToolbarLayout.h"

#include <algorithm>
#include <charconv>

#include "core/app/ShellCommands.h"
#include "core/common/TextCodec.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {
namespace {

constexpr char16_t kNotStored[] = u"@";

void Collect(const std::vector<MenuEntry>& items, std::vector<int>& ids) {
    for (const MenuEntry& e : items) {
        if (e.kind == MenuEntry::Kind::Command && std::find(ids.begin(), ids.end(), e.id) == ids.end())
            ids.push_back(e.id);
        Collect(e.items, ids);
    }
}

std::vector<int> BuildToolbarCommands() {
    std::vector<int> ids;
    for (int id : StandardToolbarButtons())
        if (id && std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
    for (int menu : {kMenuNoDocument, kMenuSad, kMenuDv1}) Collect(MenuResource(menu), ids);
    return ids;
}

std::string Numbered(const char* prefix, int n) {
    return prefix + std::to_string(n);
}

}  // namespace

ToolbarLayout DefaultToolbarLayout() {
    return {StandardToolbarButtons(), {}};
}

const std::vector<int>& ToolbarCommands() {
    static const std::vector<int> commands = BuildToolbarCommands();
    return commands;
}

bool IsToolbarCommand(int id) {
    const auto& c = ToolbarCommands();
    return std::find(c.begin(), c.end(), id) != c.end();
}

std::u16string FormatButtonList(const std::vector<int>& buttons) {
    std::string s;
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (i) s += ',';
        s += std::to_string(buttons[i]);
    }
    return FromUtf8(s);
}

std::vector<int> ParseButtonList(std::u16string_view text) {
    const std::string s = ToUtf8(text);
    std::vector<int> buttons;
    size_t start = 0;
    while (start <= s.size()) {
        size_t end = s.find(',', start);
        if (end == std::string::npos) end = s.size();
        int id = -1;
        const char* first = s.data() + start;
        const char* last = s.data() + end;
        while (first < last && *first == ' ') ++first;
        const auto r = std::from_chars(first, last, id);
        if (r.ec == std::errc() && r.ptr == last && (id == 0 || IsToolbarCommand(id))) buttons.push_back(id);
        start = end + 1;
    }
    return buttons;
}

ToolbarLayout ReadToolbarLayout(Profile& p) {
    ToolbarLayout layout = DefaultToolbarLayout();
    const std::u16string standard =
        p.GetProfileString(settings::kToolbarsSection, settings::kToolbarStandard, kNotStored);
    if (standard != kNotStored) layout.standard = ParseButtonList(standard);
    for (int n = 1; n <= kMaxUserToolbars; ++n) {
        const std::u16string name = p.GetProfileString(settings::kToolbarsSection,
                                                       Numbered(settings::kUserToolbarName, n), kNotStored);
        if (name == kNotStored) break;
        layout.user.push_back(
            {name, ParseButtonList(p.GetProfileString(settings::kToolbarsSection,
                                                      Numbered(settings::kUserToolbarButtons, n), u""))});
    }
    return layout;
}

void WriteToolbarLayout(Profile& p, const ToolbarLayout& layout) {
    p.WriteProfileString(settings::kToolbarsSection, settings::kToolbarStandard,
                         FormatButtonList(layout.standard));
    for (int n = 1; n <= kMaxUserToolbars; ++n) {
        const std::string nameKey = Numbered(settings::kUserToolbarName, n);
        const std::string buttonsKey = Numbered(settings::kUserToolbarButtons, n);
        if (static_cast<size_t>(n) <= layout.user.size()) {
            const ToolbarSpec& t = layout.user[static_cast<size_t>(n - 1)];
            p.WriteProfileString(settings::kToolbarsSection, nameKey, t.name);
            p.WriteProfileString(settings::kToolbarsSection, buttonsKey, FormatButtonList(t.buttons));
        } else {
            p.DeleteValue(settings::kToolbarsSection, nameKey);
            p.DeleteValue(settings::kToolbarsSection, buttonsKey);
        }
    }
}

}  // namespace tarvex
