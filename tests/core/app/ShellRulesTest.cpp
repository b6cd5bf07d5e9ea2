#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "core/app/Homepage.h"
#include "core/app/ShellCommands.h"
#include "core/app/StartupRules.h"
#include "core/app/Version.h"
#include "core/app/VersionInfo.h"
#include "core/sad/SadEditStrings.h"

namespace tarvex {
namespace {

TEST(Version, PacksAndFormatsProductVersions) {
    struct Case {
        const char* text;
        uint32_t packed;
        const char* shown;
    } cases[] = {
        {"3.11.7.0", 199431, "3.11.07"},  // 0x30B07
        {"3.2.15.0", 3 * 65536 + 2 * 256 + 15, "3.2.15"},
        {"3.0.0.0", 196608, "3.0.00"},
        {"3.2.157", 3 * 65536 + 2 * 256 + 15, "3.2.15"},  // only two characters of the build count
        {"4", 4 * 65536, "4.0.00"},
        {"", 0, "0.0.00"},
        {"2.x.1", 2 * 65536 + 1, "2.0.01"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(PackProductVersion(c.text), c.packed);
        EXPECT_EQ(FormatVersionString(PackProductVersion(c.text)), c.shown);
    }
    const VersionParts p = SplitPackedVersion(199431);
    EXPECT_EQ(p.top, 0);
    EXPECT_EQ(p.major, 3);
    EXPECT_EQ(p.minor, 11);
    EXPECT_EQ(p.build, 7);
    EXPECT_EQ(PackProductVersion(BuildProductVersion()),
              static_cast<uint32_t>(TARVEX_VERSION_MAJOR * 65536 + TARVEX_VERSION_MINOR * 256 +
                                    TARVEX_VERSION_PATCH));
}

TEST(FileDialog, FilterOrderDependsOnNoFileFilter) {
    const auto normal = BuildFileFilters(0);
    ASSERT_EQ(normal.size(), 4u);
    EXPECT_EQ(normal[0].description, u"Alle Tarvex Dateien");
    EXPECT_EQ(normal[0].pattern, u"*.aef;*.fdv");
    EXPECT_EQ(normal[1].description, u"Einheitspapier. (*.aef)");
    EXPECT_EQ(normal[1].pattern, u"*.aef");
    EXPECT_EQ(normal[2].description, u"DV1 Dokument. (*.fdv)");
    EXPECT_EQ(normal[2].pattern, u"*.fdv");
    EXPECT_EQ(normal[3].description, u"Alle Dateien (*.*)");
    EXPECT_EQ(normal[3].pattern, u"*.*");

    for (int flag : {1, -1, 7}) {
        const auto allFirst = BuildFileFilters(flag);
        ASSERT_EQ(allFirst.size(), 4u);
        EXPECT_EQ(allFirst[0].pattern, u"*.*");
        EXPECT_EQ(allFirst[1].pattern, u"*.aef;*.fdv");
        EXPECT_EQ(allFirst[3].pattern, u"*.fdv");
    }
}

TEST(FileDialog, PreselectionFollowsFormVariantOnly) {
    const std::pair<int, int> table[] = {{99, 3}, {0, 2},  {1, 2}, {2, 2}, {3, 2},
                                         {4, 1},  {-1, 1}, {5, 1}, {98, 1}};
    for (auto [variant, index] : table) EXPECT_EQ(PreselectedFilterIndex(variant), index) << variant;
    // With the all-files entry first, the D.V.1's preselection lands on the SAD entry.
    EXPECT_EQ(BuildFileFilters(1)[PreselectedFilterIndex(99) - 1].description, u"Einheitspapier. (*.aef)");
    EXPECT_EQ(BuildFileFilters(0)[PreselectedFilterIndex(99) - 1].description, u"DV1 Dokument. (*.fdv)");
}

TEST(StartupCommandLine, WholeTextIsOnePathOrInit) {
    using K = StartupCommand::Kind;
    struct Case {
        std::u16string_view line;
        K kind;
        std::u16string_view path;
    } cases[] = {
        {u"", K::New, u""},
        {u"-init", K::Init, u""},
        {u"-init anything at all", K::Init, u""},
        {u"-initialise", K::Init, u""},
        {u"-INIT", K::OpenFile, u"-INIT"},  // case-sensitive: any other text is a path
        {u"-ini", K::OpenFile, u"-ini"},
        {u"/home/a/Meine Papiere/Import 1.aef", K::OpenFile, u"/home/a/Meine Papiere/Import 1.aef"},
        {u"\"/home/a/Meine Papiere/Import 1.aef\"", K::OpenFile, u"/home/a/Meine Papiere/Import 1.aef"},
        {u"a.aef -x", K::OpenFile, u"a.aef -x"},  // not split into options
        {u"\"\"", K::New, u""},
    };
    for (const Case& c : cases) {
        const StartupCommand r = ParseStartupCommandLine(c.line);
        EXPECT_EQ(r.kind, c.kind) << std::string(c.line.begin(), c.line.end());
        EXPECT_EQ(r.path, c.path);
    }
    EXPECT_EQ(JoinArguments({u"/tmp/a", u"b c.aef"}), u"/tmp/a b c.aef");
    EXPECT_EQ(JoinArguments({}), u"");
}

TEST(DocTemplates, ExtensionChoosesTemplate) {
    EXPECT_EQ(TemplateForPath(u"/x/a.fdv"), DocTemplate::Dv1);
    EXPECT_EQ(TemplateForPath(u"/x/A.FDV"), DocTemplate::Dv1);
    EXPECT_EQ(TemplateForPath(u"/x/a.aef"), DocTemplate::Sad);
    EXPECT_EQ(TemplateForPath(u"/x/a.txt"), DocTemplate::Sad);
    EXPECT_EQ(TemplateForPath(u"/x.fdv/noext"), DocTemplate::Sad);
    EXPECT_EQ(TemplateForPath(u"C:\\x.fdv\\a.fdv.bak"), DocTemplate::Sad);
    EXPECT_EQ(TemplateForFormVariant(99), DocTemplate::Dv1);
    for (int v : {0, 1, 2, 3}) EXPECT_EQ(TemplateForFormVariant(v), DocTemplate::Sad);
}

TEST(Accelerators, FirstEntryWinsAndUndoKeepsAltBackspace) {
    EXPECT_EQ(CommandForAccelerator("Ctrl+Z"), cmd::kAlignCenter);
    EXPECT_EQ(CommandForAccelerator("Alt+Backspace"), cmd::kUndo);
    EXPECT_EQ(CommandForAccelerator("Ctrl+Shift+Alt+R"), cmd::kResetAll);
    EXPECT_EQ(CommandForAccelerator("Ctrl+Ins"), cmd::kCopy);
    EXPECT_EQ(CommandForAccelerator("Shift+Del"), cmd::kCut);
    EXPECT_EQ(CommandForAccelerator("Ctrl+Q"), 0);
    // Zoom also on the main keyboard's plus and minus; Ctrl+G goes to a box by its number.
    EXPECT_EQ(CommandForAccelerator("Ctrl+Plus"), cmd::kZoomIn);
    EXPECT_EQ(CommandForAccelerator("Ctrl+Minus"), cmd::kZoomOut);
    EXPECT_EQ(CommandForAccelerator("Ctrl+G"), cmd::kGoToField);
    // Ctrl+Z is the only key listed twice; the centring entry stands before the undo entry.
    std::multiset<std::string_view> keys;
    int centre = -1, undo = -1, i = 0;
    for (const Accelerator& a : AcceleratorTable()) {
        keys.insert(a.keys);
        if (a.keys == "Ctrl+Z") (a.command == cmd::kAlignCenter ? centre : undo) = i;
        ++i;
    }
    for (std::string_view k : keys) EXPECT_EQ(keys.count(k), k == "Ctrl+Z" ? 2u : 1u) << k;
    EXPECT_GE(centre, 0);
    EXPECT_GT(undo, centre);
}

std::vector<int> Ids(const std::vector<MenuEntry>& items) {
    std::vector<int> ids;
    for (const MenuEntry& e : items) ids.push_back(e.kind == MenuEntry::Kind::Separator ? 0 : e.id);
    return ids;
}

const MenuEntry* Find(const std::vector<MenuEntry>& menus, std::u16string_view title) {
    for (const MenuEntry& m : menus)
        if (m.text == title) return &m;
    return nullptr;
}

TEST(Menus, FileMenusInOrder) {
    const auto& m128 = MenuResource(kMenuNoDocument);
    ASSERT_EQ(m128.size(), 4u);
    EXPECT_EQ(Ids(m128[0].items),
              (std::vector<int>{57600, 57601, 57602, 0, 57606, 0, 57616, 0, 57664, 0, 57665}));
    EXPECT_EQ(Ids(m128[1].items), (std::vector<int>{32793, 32863, 32840, 0, 32842}));
    EXPECT_EQ(m128[1].items[1].text, u"Formularfelder (Einheitspapier) def&inieren...");
    EXPECT_EQ(Ids(m128[3].items), (std::vector<int>{57666, 57670, 0, 32801}));
    EXPECT_EQ(m128[3].items[1].text, u"&Hilfe allgemein\tF1");
    const auto& m130 = MenuResource(kMenuSad);
    EXPECT_EQ(Ids(m130[0].items), (std::vector<int>{57600, 57601, 57602, 57603, 57604, 0, 57607, 57606, 0,
                                                    57616, 0, 57664, 0, 57665}));
    EXPECT_EQ(m130[0].items[3].text, u"S&peichern\tStrg+S");
    EXPECT_EQ(Find(m130, u"&Hilfe")->items[1].text, u"&Hilfe allgemein\tF1");
}

TEST(Menus, SadAndDv1EditAndFormMenus) {
    const auto& m130 = MenuResource(kMenuSad);
    const auto& m131 = MenuResource(kMenuDv1);
    EXPECT_EQ(Ids(Find(m130, u"&Bearbeiten")->items),
              (std::vector<int>{32809, 0,     57643, 57644, 57635, 57634, 57637, 57642, 32773,
                                0,     32874, 32878, 0,     32775, 32777, 32880, 0,     32779,
                                32781, 32783, 0,     32785, 32787, 32789, 0,     32844}));
    EXPECT_EQ(Ids(Find(m131, u"&Bearbeiten")->items),
              (std::vector<int>{32809, 0,     57643, 57644, 57635, 57634, 57637, 57642, 32773,
                                0,     32831, 0,     32882, 32883, 32884, 0,     32775, 32777,
                                0,     32779, 32781, 32783, 0,     32785, 32787, 32789}));
    EXPECT_EQ(Ids(Find(m130, u"&Optionen")->items),
              (std::vector<int>{32840, 32807, 32791, 32793, 32863, 0, 32842}));
    EXPECT_EQ(Ids(Find(m131, u"&Optionen")->items), (std::vector<int>{32791, 32793, 0, 32842}));
    EXPECT_EQ(Find(m131, u"&Optionen")->items[0].text, u"&Ränder...\tF9");
    EXPECT_EQ(Ids(Find(m130, u"&Formular")->items),
              (std::vector<int>{32815, 32816, 32817, 32818, 32819, 0, 32846, 32848, 32850, 32852}));
    EXPECT_EQ(Ids(Find(m131, u"&Formular")->items), (std::vector<int>{32815, 32816, 32817, 32818, 32819}));
    EXPECT_EQ(Ids(Find(m130, u"&Ansicht")->items), (std::vector<int>{59392, 0 + 59393, 0, 32866, 32867}));
    EXPECT_EQ(Find(m130, u"&Ansicht")->items[0].kind, MenuEntry::Kind::Submenu);
}

TEST(Menus, ContextMenusAndPrompts) {
    EXPECT_EQ(Ids(ContextMenuResource(kContextMenuEdit)),
              (std::vector<int>{57643, 57635, 57634, 57637, 57642, 32773, 0, 32779, 32781, 32783, 0, 32785,
                                32787, 32789}));
    EXPECT_EQ(Ids(ContextMenuResource(kContextMenuSad)),
              (std::vector<int>{32809, 0,     57643, 57635, 57634, 57637, 57642, 32773, 0,     32775,
                                32777, 32880, 0,     32779, 32781, 32783, 0,     32785, 32787, 32789}));
    EXPECT_EQ(ContextMenuResource(kContextMenuEdit)[3].text, u"&Einfügen\tStrg+V");
    EXPECT_EQ(CommandPrompt(cmd::kZoomIn), u"Vergrößert die Ansicht des Dokuments im Bildschirm");
    EXPECT_EQ(CommandTooltip(cmd::kZoomIn), u"Ansicht vergrößern");
    EXPECT_TRUE(CommandPrompt(12345).empty());
    // Every command a user can reach has a prompt, every toolbar button a tooltip.
    std::vector<const MenuEntry*> stack;
    for (int id : {kMenuNoDocument, kMenuSad, kMenuDv1})
        for (const MenuEntry& m : MenuResource(id)) stack.push_back(&m);
    while (!stack.empty()) {
        const MenuEntry* e = stack.back();
        stack.pop_back();
        for (const MenuEntry& c : e->items) stack.push_back(&c);
        if (e->id) EXPECT_FALSE(CommandPrompt(e->id).empty()) << e->id;
    }
    for (int id : StandardToolbarButtons())
        if (id) EXPECT_FALSE(CommandTooltip(id).empty()) << id;
    EXPECT_EQ(StandardToolbarButtons().size(), 35u);
}

// The access key of an entry: the character after a single '&' (lower case), 0 without one.
char16_t AccessKey(std::u16string_view text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        const char16_t c = text[i + 1];
        if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c - u'A' + u'a');
        if (c == u'Ö') return u'ö';
        return c;
    }
    return 0;
}

// A typist reaches every entry by its access key, one key per entry within each menu, and the
// menus name the keys that run the commands.
TEST(Menus, EveryEntryHasItsOwnAccessKeyAndShowsItsKeys) {
    struct Named {
        std::string where;
        const std::vector<MenuEntry>* items;
    };
    std::vector<Named> menus;
    std::vector<std::pair<int, std::u16string_view>> entries;  // command, text
    std::function<void(const std::string&, const std::vector<MenuEntry>&)> collect =
        [&](const std::string& where, const std::vector<MenuEntry>& items) {
            menus.push_back({where, &items});
            for (const MenuEntry& e : items) {
                if (e.kind == MenuEntry::Kind::Command) entries.emplace_back(e.id, e.text);
                if (e.kind == MenuEntry::Kind::Submenu && !e.items.empty())
                    collect(where + " > menu", e.items);
            }
        };
    for (int id : {kMenuNoDocument, kMenuSad, kMenuDv1})
        collect("menu " + std::to_string(id), MenuResource(id));
    collect("context 119", ContextMenuResource(kContextMenuEdit));
    collect("context 132", ContextMenuResource(kContextMenuSad));
    ASSERT_GE(menus.size(), 20u);
    for (const Named& m : menus) {
        std::map<char16_t, int> used;
        for (const MenuEntry& e : *m.items) {
            if (e.kind == MenuEntry::Kind::Separator || e.kind == MenuEntry::Kind::RecentFiles) continue;
            // The insert-mode entry changes its text with the mode; both texts have the same key.
            const std::u16string_view text = e.id == cmd::kInsertMode ? sadeditstr::kInsertModeOn : e.text;
            const char16_t key = AccessKey(text);
            EXPECT_NE(key, 0) << m.where << ": " << e.id;
            EXPECT_EQ(++used[key], 1) << m.where << ": access key of " << e.id << " used twice";
        }
    }
    EXPECT_EQ(AccessKey(sadeditstr::kInsertModeOn), AccessKey(sadeditstr::kInsertModeOff));
    // The key hint after the tab, wherever the command appears in a menu bar or context menu.
    auto hint = [](std::u16string_view text) {
        const size_t tab = text.find(u'\t');
        return tab == std::u16string_view::npos ? std::u16string_view{} : text.substr(tab + 1);
    };
    const std::map<int, std::u16string_view> keys{
        {cmd::kNew, u"Strg+N"},           {cmd::kOpen, u"Strg+O"},         {cmd::kPrint, u"Strg+P"},
        {cmd::kGoToField, u"Strg+G"},     {cmd::kInsertDefaults, u"F2"},   {cmd::kDv1Calculate, u"F3"},
        {cmd::kMasterData, u"F7"},        {cmd::kFormDefaults, u"F8"},     {cmd::kMargins, u"F9"},
        {cmd::kAddPage, u"F10"},          {cmd::kCut, u"Strg+X"},          {cmd::kCopy, u"Strg+C"},
        {cmd::kPaste, u"Strg+V"},         {cmd::kSelectAll, u"Strg+A"},    {cmd::kAlignLeft, u"Strg+L"},
        {cmd::kAlignCenter, u"Strg+Z"},   {cmd::kAlignRight, u"Strg+R"},   {cmd::kUndo, u"Alt+Rück"},
        {cmd::kNextPage, u"Strg+Rechts"}, {cmd::kPrevPage, u"Strg+Links"}, {cmd::kFirstPage, u"Strg+Pos1"},
        {cmd::kLastPage, u"Strg+Ende"},   {cmd::kDv1AnswerYes, u"Alt+J"},  {cmd::kDv1AnswerNo, u"Alt+N"},
        {cmd::kHelpGeneral, u"F1"}};
    std::set<int> seen;
    for (const auto& [id, text] : entries)
        if (auto it = keys.find(id); it != keys.end()) {
            EXPECT_EQ(hint(text), it->second) << id;
            seen.insert(id);
        }
    EXPECT_EQ(seen.size(), keys.size());
    // The hints name keys that really run the commands.
    EXPECT_EQ(CommandForAccelerator("Alt+J"), cmd::kDv1AnswerYes);
    EXPECT_EQ(CommandForAccelerator("Alt+N"), cmd::kDv1AnswerNo);
    EXPECT_EQ(CommandForAccelerator("Alt+Down"), cmd::kDv1NextQuestion);
    // Alt+J and Alt+N open no menu of a menu bar.
    for (int id : {kMenuNoDocument, kMenuSad, kMenuDv1})
        for (const MenuEntry& top : MenuResource(id)) {
            EXPECT_NE(AccessKey(top.text), u'j');
            EXPECT_NE(AccessKey(top.text), u'n');
        }
}

TEST(Homepage, CommandLineCutBeforeNoHomeOrPlaceholder) {
    const std::u16string url = u"https://example.org/";
    struct Case {
        std::u16string_view browser;
        std::optional<std::u16string_view> expected;
    } cases[] = {
        {u"\"C:\\IE\\iexplore.exe\" -nohome", u"\"C:\\IE\\iexplore.exe\" https://example.org/"},
        {u"C:\\b.exe \"%1\"", u"C:\\b.exe https://example.org/"},
        {u"C:\\b.exe -nohome \"%1\"", u"C:\\b.exe https://example.org/"},
        {u"\"%1\"", std::nullopt},   // placeholder at position 0
        {u"x\"%1\"", std::nullopt},  // position 1
        {u"ab\"%1\"", u"abhttps://example.org/"},
        {u"C:\\b.exe %1", std::nullopt},  // unquoted placeholder does not count
        {u"", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto r = HomepageCommandLine(c.browser, url);
        ASSERT_EQ(r.has_value(), c.expected.has_value());
        if (r) EXPECT_EQ(*r, *c.expected);
    }
    EXPECT_EQ(BrowserCommandFromDesktopExec(u"firefox-esr %u"), u"firefox-esr \"%1\"");
    EXPECT_EQ(BrowserCommandFromDesktopExec(u"chromium %U --x %i"), u"chromium \"%1\" --x ");
    EXPECT_EQ(BrowserCommandFromDesktopExec(u"browser"), u"");
    EXPECT_EQ(*HomepageCommandLine(BrowserCommandFromDesktopExec(u"firefox %u"), url),
              u"firefox https://example.org/");
}

}  // namespace
}  // namespace tarvex
