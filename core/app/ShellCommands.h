#pragma once
// The command vocabulary of the main window: command ids, the menus 128/130/131, the context
// menus 119/132, the standard toolbar, the accelerator table and the status-bar prompts.
// Pure data, so that the order and the texts are checked without any window.

#include <string_view>
#include <vector>

namespace tarvex {

namespace cmd {
// File
inline constexpr int kNew = 57600, kOpen = 57601, kClose = 57602, kSave = 57603, kSaveAs = 57604;
inline constexpr int kPrintSetup = 57606, kPrint = 57607, kMruFile1 = 57616, kAbout = 57664, kExit = 57665;
inline constexpr int kHelpContents = 57666, kHelpGeneral = 57670;
inline constexpr int kNextPane = 57680, kPrevPane = 57681;
// Edit
inline constexpr int kCopy = 57634, kCut = 57635, kPaste = 57637, kSelectAll = 57642, kUndo = 57643;
inline constexpr int kInsertDefaults = 32809, kInsertMode = 32773, kNextField = 32775, kPrevField = 32777;
inline constexpr int kFontLarger = 32779, kFontSmaller = 32781, kFontBold = 32783;
inline constexpr int kAlignLeft = 32785, kAlignCenter = 32787, kAlignRight = 32789;
inline constexpr int kUpdateFields = 32844, kMoveGoodsItem = 32874, kRemoveLastPage = 32878;
inline constexpr int kDv1Calculate = 32831;
// Options
inline constexpr int kMargins = 32791, kPrinterFonts = 32793, kFormDefaults = 32807, kMasterData = 32840;
inline constexpr int kProgramOptions = 32842, kFieldDefinitions = 32863;
// Form
inline constexpr int kNextPage = 32815, kPrevPage = 32816, kFirstPage = 32817, kLastPage = 32818;
inline constexpr int kAddPage = 32819;
inline constexpr int kVariant0 = 32846, kVariant1 = 32848, kVariant2 = 32850, kVariant3 = 32852;
// View
inline constexpr int kToolbars = 59392, kStatusBar = 59393, kZoomIn = 32866, kZoomOut = 32867;
// Help and maintenance
inline constexpr int kHomepage = 32801, kSupportInfo = 32821, kResetFonts = 32823, kResetWorkspace = 32825;
inline constexpr int kResetAll = 32827, kPrintAreaCorrection = 32829, kDv1Hidden = 32834;
// Frame
inline constexpr int kCustomize = 126, kWindowList = 131;
}  // namespace cmd

inline constexpr int kMenuNoDocument = 128;
inline constexpr int kMenuSad = 130;
inline constexpr int kMenuDv1 = 131;
inline constexpr int kContextMenuEdit = 119;
inline constexpr int kContextMenuSad = 132;
inline constexpr int kMruEntries = 8;

struct MenuEntry {
    enum class Kind { Command, Separator, Submenu, RecentFiles };
    Kind kind = Kind::Command;
    int id = 0;                     // command id; 0 for a separator or a plain submenu
    std::u16string_view text;       // with '&' for the access key and "\t" before a key hint
    std::vector<MenuEntry> items;   // entries of a submenu
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
