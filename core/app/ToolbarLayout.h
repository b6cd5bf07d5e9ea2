#pragma once
// The buttons of the standard toolbar and of up to ten toolbars of the user's own, as the
// customising dialog arranges them and the profile keeps them (below "Workspace", so that the
// reset of menus and toolbars brings back the standard arrangement).

#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

class Profile;

inline constexpr int kMaxUserToolbars = 10;
inline constexpr int kFirstUserToolbarId = 59432;  // 59432 to 59441

struct ToolbarSpec {
    std::u16string name;
    std::vector<int> buttons;  // command ids, 0 for a separator
    bool operator==(const ToolbarSpec&) const = default;
};

struct ToolbarLayout {
    std::vector<int> standard;
    std::vector<ToolbarSpec> user;
    bool operator==(const ToolbarLayout&) const = default;
};

// Toolbar resource 129 and no toolbar of the user's.
ToolbarLayout DefaultToolbarLayout();
// Commands a toolbar can carry: every command of the menus and of the standard toolbar, in the
// order they first appear.
const std::vector<int>& ToolbarCommands();
bool IsToolbarCommand(int id);

// "57665,0,57600": ids separated by commas. Reading keeps the known commands and separators
// and drops anything else (a damaged or hand-edited value).
std::u16string FormatButtonList(const std::vector<int>& buttons);
std::vector<int> ParseButtonList(std::u16string_view text);

// The stored arrangement; parts not stored keep the standard.
ToolbarLayout ReadToolbarLayout(Profile& profile);
void WriteToolbarLayout(Profile& profile, const ToolbarLayout& layout);

}  // namespace tarvex
