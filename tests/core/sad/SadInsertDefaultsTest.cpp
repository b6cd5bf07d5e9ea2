#include <gtest/gtest.h>

#include <set>

#include "SadEditFakes.h"
#include "core/sad/SadInsertDefaults.h"
#include "core/sad/SadNavigation.h"

using namespace tarvex;
using tarvex::sadtest::SadEditEnv;

namespace {

using Texts = std::vector<std::pair<int, std::u16string>>;

// Where the caret stops after "then next" from a field, walked in a document of its own.
int NextFrom(int field, int page, int variant = 1) {
    SadEditEnv e(variant);
    e.host.page = page;
    e.store().ActivateField(field, page);
    e.nav.NextInputField();
    return e.Field();
}

struct Case {
    int page, field;
    Texts before;
    std::string dialog;
    std::vector<std::u16string> presets;
    std::vector<std::u16string> answer;
    Texts after;   // texts the boxes must hold afterwards (OK)
    int nextFrom;  // the field "then next" starts from
};

const Case kCases[] = {
    // Feld 17 A and 17 (Text): name and code in place, on from the box where F2 was pressed.
    {1,
     29,
     {{29, u"fr"}, {32, u"alt"}},
     "country",
     {u"1", u"", u"fr"},
     {u"1", u"Frankreich", u"FR"},
     {{32, u"Frankreich"}, {29, u"FR"}},
     29},
    {1,
     32,
     {{29, u"fr"}},
     "country",
     {u"1", u"", u"fr"},
     {u"1", u"Frankreich", u"FR"},
     {{32, u"Frankreich"}, {29, u"FR"}},
     32},
    {1,
     26,
     {{26, u"schw"}, {27, u"x"}},
     "country",
     {u"3", u"schw", u"x"},
     {u"3", u"Schweiz", u"CH"},
     {{26, u"Schweiz"}, {27, u"CH"}},
     27},
    {1, 31, {{31, u"Chin"}}, "country", {u"2", u"Chin", u""}, {u"2", u"China", u"CN"}, {{31, u"China"}}, 31},
    {1,
     21,
     {{21, u"cn"}, {22, u"bleibt"}},
     "country",
     {u"4", u"", u"cn"},
     {u"4", u"China", u"CN"},
     {{21, u"CN"}, {22, u"bleibt"}},
     21},
    {1,
     34,
     {{34, u"us"}},
     "country",
     {u"0", u"", u"us"},
     {u"0", u"Vereinigte Staaten", u"US"},
     {{34, u"US"}},
     34},
    {1, 39, {}, "country", {u"0", u"", u""}, {u"0", u"Deutschland", u"DE"}, {{39, u"DE"}}, 39},
    {1, 59, {{59, u"AT"}}, "country", {u"2", u"", u"AT"}, {u"2", u"Italien", u"IT"}, {{59, u"IT"}}, 59},
    {2, 39, {{39, u"AT"}}, "country", {u"2", u"", u"AT"}, {u"2", u"Polen", u"PL"}, {{39, u"PL"}}, 39},
    {1, 30, {{30, u"9"}}, "state", {u"9"}, {u"09"}, {{30, u"09"}}, 30},
    {1, 60, {{60, u"1"}}, "state", {u"1"}, {u"99"}, {{60, u"99"}}, 60},
    {2, 61, {{61, u"3"}}, "state", {u"3"}, {u"05"}, {{61, u"05"}}, 61},
    {1, 40, {{40, u"dem"}}, "currency", {u"dem"}, {u"DEM"}, {{40, u"DEM"}}, 40},
    {1, 35, {{35, u" 1x"}}, "box19", {u" 1x"}, {u"0"}, {{35, u"0"}}, 35},
    {1, 36, {{36, u"fob"}}, "box20", {u"fob"}, {u"FOB"}, {{36, u"FOB"}}, 36},
    {1, 43, {{43, u"3"}, {44, u"7"}}, "box24", {u"3", u"7"}, {u"3", u"1"}, {{43, u"3"}, {44, u"1"}}, 44},
    {1, 44, {{43, u"07"}, {44, u""}}, "box24", {u"07", u""}, {u"7", u"2"}, {{43, u"7"}, {44, u"2"}}, 44},
    {1, 45, {{45, u"9"}}, "box25", {u"9"}, {u"9"}, {{45, u"9"}}, 45},
    {1, 46, {{46, u""}}, "box25", {u""}, {u"1"}, {{46, u"1"}}, 46},
    {1, 50, {{50, u"DE004851"}}, "box29", {u"DE004851"}, {u"DE002301"}, {{50, u"DE002301"}}, 50},
    {1, 62, {{62, u"75"}}, "box36", {u"75"}, {u"100"}, {{62, u"100"}}, 62},
    {1,
     1,
     {{0, u"IM"}, {1, u"A"}, {2, u"T1"}},
     "box1",
     {u"IM", u"A", u"T1"},
     {u"EU", u"C", u"T2"},
     {{0, u"EU"}, {1, u"C"}, {2, u"T2"}},
     2},
    // A group that had nothing selected (its preset matched no button) keeps the box's text.
    {1,
     0,
     {{0, u"COM"}, {1, u""}, {2, u"T1"}},
     "box1",
     {u"COM", u"", u"T1"},
     {u"", u"", u"T2"},
     {{0, u"COM"}, {1, u""}, {2, u"T2"}},
     2},
    // Code lists that had nothing selected keep what was typed.
    {1, 40, {{40, u"XYZ"}}, "currency", {u"XYZ"}, {u""}, {{40, u"XYZ"}}, 40},
    {1, 30, {{30, u"42"}}, "state", {u"42"}, {u""}, {{30, u"42"}}, 30},
    {1, 50, {{50, u"DE1"}}, "box29", {u"DE1"}, {u""}, {{50, u"DE1"}}, 50},
    {1, 45, {{45, u"12"}}, "box25", {u"12"}, {u""}, {{45, u"12"}}, 45},
};

}  // namespace

TEST(SadInsertDefaults, PresetsAndResultsOfEveryCodeDialog) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << "page " << c.page << " field " << c.field << " " << c.dialog);
        for (bool ok : {true, false}) {
            // 0747 / 0748 shows all three boxes of box 1.
            SadEditEnv e(1);
            e.host.page = c.page;
            e.store().ActivateField(c.field, c.page);
            for (const auto& [f, t] : c.before) e.nav.PutText(f, c.page, t);
            e.host.boxDialog = [&](const std::string&, std::vector<std::u16string>& v) {
                v = c.answer;
                return ok;
            };
            ASSERT_TRUE(e.nav.CanInsertDefaults());
            e.nav.InsertDefaults();
            ASSERT_EQ(e.host.dialogs.size(), 1u);
            EXPECT_EQ(e.host.dialogs[0].first, c.dialog);
            EXPECT_EQ(e.host.presets[c.dialog], c.presets);
            if (ok) {
                for (const auto& [f, t] : c.after) EXPECT_EQ(e.store().GetFieldText(f, c.page), t) << f;
                EXPECT_EQ(e.Field(), NextFrom(c.nextFrom, c.page));
                EXPECT_TRUE(e.doc.IsModified());
            } else {
                for (const auto& [f, t] : c.before) EXPECT_EQ(e.store().GetFieldText(f, c.page), t) << f;
                EXPECT_EQ(e.Field(), c.field);
                EXPECT_FALSE(e.doc.IsModified());
            }
            EXPECT_EQ(e.Page(), c.page);
        }
    }
}

TEST(SadInsertDefaults, Field11bPrintPutsTheNameIntoBox12) {
    for (int print : {0, 1}) {
        SadEditEnv e(1);
        e.profile.WriteProfileInt("Settings", "Field11bPrint", print);
        e.store().SetFieldText(22, u"alt", 1);
        e.store().ActivateField(21, 1);
        e.host.boxDialog = [](const std::string&, std::vector<std::u16string>& v) {
            v = {u"4", u"Japan", u"JP"};
            return true;
        };
        e.nav.InsertDefaults();
        EXPECT_EQ(e.store().GetFieldText(21, 1), u"JP");
        EXPECT_EQ(e.store().GetFieldText(22, 1), print ? u"Japan" : u"alt");
        EXPECT_EQ(e.Field(), NextFrom(print ? 22 : 21, 1));
    }
}

// A hidden box of box 1 gives no preset and gets no result: 0737 / 0738 has no box 1 C.
TEST(SadInsertDefaults, Box1LeavesHiddenBoxesAlone) {
    SadEditEnv e(0);
    ASSERT_FALSE(e.nav.IsShown(2, 1));
    e.store().SetFieldText(1, u"A", 1);
    e.store().SetFieldText(2, u"T1", 1);
    e.store().ActivateField(0, 1);
    e.Type(u"IM");
    e.host.boxDialog = [](const std::string&, std::vector<std::u16string>& v) {
        v = {u"EX", u"B", u"T"};
        return true;
    };
    e.nav.InsertDefaults();
    EXPECT_EQ(e.host.presets["box1"], (std::vector<std::u16string>{u"IM", u"A", u""}));
    EXPECT_EQ(e.store().GetFieldText(0, 1), u"EX");
    EXPECT_EQ(e.store().GetFieldText(1, 1), u"B");
    EXPECT_EQ(e.store().GetFieldText(2, 1), u"T1");
    EXPECT_EQ(e.Field(), NextFrom(2, 1, 0));
}

// Box 54: the place starts as remembered, and the box gets place and today's date.
TEST(SadInsertDefaults, Box54PlaceAndDateFromTheProfile) {
    SadEditEnv e(1);
    e.profile.WriteProfileString("Settings", "DatumOrt", u"Bremen");
    e.nav.SetDateProvider([] { return CivilDate{5, 3, 2024}; });
    e.store().ActivateField(96, 1);
    e.Type(u"alt");
    e.host.boxDialog = [](const std::string&, std::vector<std::u16string>& v) {
        v = {u"Hamburg  ", u"1"};
        return true;
    };
    e.nav.InsertDefaults();
    EXPECT_EQ(e.host.presets["box54"], (std::vector<std::u16string>{u"Bremen", u"1"}));
    EXPECT_EQ(e.store().GetFieldText(96, 1), u"Hamburg, 5.3.2024");
    EXPECT_EQ(e.profile.GetProfileString("Settings", "DatumOrt", u""), u"Hamburg");
    EXPECT_TRUE(e.doc.IsModified());
    EXPECT_EQ(e.Field(), NextFrom(96, 1));

    // Not remembered: the next run starts empty, and Cancel leaves the box alone.
    e.store().ActivateField(96, 1);
    e.host.boxDialog = [](const std::string&, std::vector<std::u16string>& v) {
        v = {u"", u"0"};
        return true;
    };
    e.nav.InsertDefaults();
    EXPECT_EQ(e.store().GetFieldText(96, 1), u"5.3.2024");
    e.store().ActivateField(96, 1);
    e.host.boxDialog = [](const std::string&, std::vector<std::u16string>&) { return false; };
    e.nav.InsertDefaults();
    EXPECT_EQ(e.host.presets["box54"], (std::vector<std::u16string>{u"", u"0"}));
    EXPECT_EQ(e.store().GetFieldText(96, 1), u"5.3.2024");
}

// The fields whose F2 opens a code list or box dialog, by their numbers in the layout tables:
// the field table may not lose or gain one.
TEST(SadInsertDefaults, CodeDialogFieldsOfBothSheets) {
    const std::set<int> first = {0,  1,  2,  21, 26, 27, 29, 30, 31, 32, 34, 35,
                                 36, 39, 40, 43, 44, 45, 46, 50, 59, 60, 62, 96};
    const std::set<int> continuation = {18, 19, 39, 40, 60, 61};
    for (int f = -1; f <= kSadFields1; ++f) EXPECT_EQ(IsCodeDialogField(1, f), first.count(f) == 1) << f;
    for (int f = -1; f <= kSadFields2; ++f)
        for (int page : {2, 3})
            EXPECT_EQ(IsCodeDialogField(page, f), continuation.count(f) == 1) << page << ' ' << f;
    // A field without a dialog is no F2 of this kind: the caller goes on to the other kinds.
    SadEditEnv e;
    EXPECT_FALSE(InsertCodeDefaults(e.nav, 1, 6));
    EXPECT_FALSE(InsertCodeDefaults(e.nav, 2, 11));
}
