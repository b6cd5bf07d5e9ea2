// The arrangement of the toolbars as the profile keeps it.

#include <gtest/gtest.h>

#include "core/app/ShellCommands.h"
#include "core/app/ToolbarLayout.h"
#include "core/common/CommandIds.h"
#include "core/settings/Profile.h"

using namespace tarvex;

TEST(ToolbarLayout, FreshProfileHasTheStandardToolbarOnly) {
    CMemoryProfile p;
    const ToolbarLayout layout = ReadToolbarLayout(p);
    EXPECT_EQ(layout.standard, StandardToolbarButtons());
    EXPECT_TRUE(layout.user.empty());
}

TEST(ToolbarLayout, ArrangementSurvivesAndTheWorkspaceResetRemovesIt) {
    CMemoryProfile p;
    ToolbarLayout layout;
    layout.standard = {cmd::kSave, 0, cmd::kPrint};
    for (int i = 0; i < kMaxUserToolbars; ++i)
        layout.user.push_back({u"Eigene " + std::u16string(1, char16_t(u'A' + i)), {cmd::kFormDefaults}});
    layout.user[1].buttons = {};  // an empty own toolbar stays
    WriteToolbarLayout(p, layout);
    EXPECT_EQ(ReadToolbarLayout(p), layout);

    // Fewer own toolbars: the removed ones are gone from the profile too.
    layout.user.resize(2);
    WriteToolbarLayout(p, layout);
    EXPECT_EQ(ReadToolbarLayout(p), layout);
    EXPECT_EQ(p.GetProfileString("Workspace/Toolbars", "UserName3", u"-"), u"-");

    p.DeleteKey("Workspace");
    EXPECT_EQ(ReadToolbarLayout(p), DefaultToolbarLayout());
}

TEST(ToolbarLayout, DamagedValuesKeepOnlyKnownCommands) {
    struct Case {
        std::u16string text;
        std::vector<int> buttons;
    } cases[] = {
        {u"", {}},
        {u"57603,0,57607", {cmd::kSave, 0, cmd::kPrint}},
        {u"57603,,abc,99999,-1,57607x, 57664", {cmd::kSave, cmd::kAbout}},
        {u"32807", {cmd::kFormDefaults}},
        {u"126", {}},  // the customise button is added by the frame, never stored
    };
    for (const Case& c : cases) EXPECT_EQ(ParseButtonList(c.text), c.buttons);
    EXPECT_EQ(FormatButtonList({cmd::kSave, 0, cmd::kPrint}), u"57603,0,57607");
    // Every menu command can go on a toolbar, the recent-file placeholder cannot.
    EXPECT_TRUE(IsToolbarCommand(cmd::kFormDefaults));
    EXPECT_FALSE(IsToolbarCommand(cmd::kMruFile1));
}
