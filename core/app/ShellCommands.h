#pragma once
// The command vocabulary of the main window: command ids, the menus 128/130/131, the context
// menus 119/132, the standard toolbar, the accelerator table and the status-bar prompts.
// Pure data, so that the order and the texts are checked without any window.

#include <string_view>
#include <vector>

#include "core/common/CommandIds.h"

namespace tarvex {

inline constexpr int kMenuNoDocument = 128;
inline constexpr int kMenuSad = 130;
inline constexpr int kMenuDv1 = 131;
inline constexpr int kContextMenuEdit = 119;
inline constexpr int kContextMenuSad = 132;
inline constexpr int kMruEntries = 8;

struct MenuEntry {
    enum class Kind { Command, Separator, Submenu, RecentFiles };
    Kind kind = Kind::Command;
    int id = 0;                    // command id; 0 for a separator or a plain submenu
    std::u16string_view text;      // with '&' for the access key and "\t" before a key hint
    std::vector<MenuEntry> items;  // entries of a submenu
};

// Top-level menus of menu resource 128, 130 or 131; empty for an unknown id.
const std::vector<MenuEntry>& MenuResource(int menuId);
// Menu 119 or 132 (the "Bearbeiten" context menus); empty for an unknown id.
const std::vector<MenuEntry>& ContextMenuResource(int menuId);

// Toolbar resource 129: command ids, 0 for a separator.
const std::vector<int>& StandardToolbarButtons();

struct Accelerator {
    std::string_view keys;  // "Ctrl+Z", "Shift+Tab", "Ctrl+NumPlus", "Ctrl+Shift+Alt+F11"
    int command = 0;
};
// Table 128 in its order; the first entry for a key wins.
const std::vector<Accelerator>& AcceleratorTable();
// Command of the first entry for keys (as written in the table), 0 if none.
int CommandForAccelerator(std::string_view keys);

// Status-bar prompt of a command: the part of its string-table entry before the newline.
std::u16string_view CommandPrompt(int command);
// Tooltip: the part after the newline; empty when the entry has none.
std::u16string_view CommandTooltip(int command);

}  // namespace tarvex
