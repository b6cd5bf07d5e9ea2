#include <gtest/gtest.h>

#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/FieldDefinitions.h"
#include "core/sad/SadFields.h"
#include "core/sad/SadLayout.h"

using namespace tarvex;

namespace {
const auto& First() {
    return SadFields(SadSheet::First);
}
const auto& Cont() {
    return SadFields(SadSheet::Continuation);
}
}  // namespace

TEST(SadLayout, FieldTablesScreenAndPrintSamples) {
    ASSERT_EQ(First().size(), 154u);
    ASSERT_EQ(Cont().size(), 214u);
    struct Case {
        SadSheet sheet;
        int field;
        SadRect screen, print;
    } cases[] = {
        {SadSheet::First, 0, {1074, 115, 1165, 175}, {1124, 115, 1215, 175}},
        {SadSheet::First, 5, {1425, 120, 1725, 170}, {1475, 110, 1775, 170}},
        {SadSheet::First, 7, {1425, 200, 1815, 250}, {1475, 180, 1865, 250}},
        {SadSheet::First, 52, {160, 1155, 1160, 1500}, {210, 1155, 1230, 1500}},
        {SadSheet::First, 58, {1865, 1146, 1990, 1202}, {1915, 1146, 1965, 1202}},
        {SadSheet::First, 70, {1620, 1485, 1980, 1545}, {1695, 1485, 1950, 1545}},
        {SadSheet::First, 93, {160, 2510, 1280, 2560}, {210, 2510, 1320, 2560}},
        {SadSheet::First, 145, {160, 2030, 240, 2075}, {210, 2015, 290, 2060}},
        {SadSheet::First, 148, {775, 2030, 1005, 2075}, {805, 2015, 1035, 2060}},
        {SadSheet::First, 149, {1025, 2030, 1055, 2075}, {1065, 2015, 1095, 2060}},
        {SadSheet::First, 150, {775, 2090, 1005, 2130}, {805, 2075, 1035, 2115}},
        {SadSheet::First, 153, {1715, 1575, 1982, 1625}, {0, 0, 0, 0}},
        {SadSheet::Continuation, 2, {1550, 30, 1965, 90}, {1600, 40, 2015, 90}},
        {SadSheet::Continuation, 4, {1735, 120, 1965, 170}, {1785, 120, 2105, 170}},
        {SadSheet::Continuation, 8, {160, 138, 1050, 260}, {210, 138, 1130, 260}},
        {SadSheet::Continuation, 11, {160, 299, 1160, 640}, {210, 299, 1210, 644}},
        {SadSheet::Continuation, 32, {160, 889, 1160, 1232}, {210, 894, 1210, 1237}},
        {SadSheet::Continuation, 59, {1865, 1470, 1970, 1526}, {1915, 1480, 1965, 1536}},
        {SadSheet::Continuation, 41, {1545, 963, 1830, 1022}, {1615, 968, 1880, 1027}},
        {SadSheet::Continuation, 71, {1620, 1809, 1980, 1867}, {1685, 1819, 2030, 1877}},
        {SadSheet::Continuation, 73, {1615, 1974, 1980, 2032}, {1685, 1984, 2030, 2042}},
        {SadSheet::Continuation, 77, {1070, 2465, 1480, 2890}, {1120, 2465, 1530, 2890}},
        {SadSheet::Continuation, 82, {1025, 2105, 1055, 2150}, {1045, 2085, 1075, 2130}},
        {SadSheet::Continuation, 113, {775, 2430, 1005, 2475}, {805, 2410, 1035, 2455}},
        {SadSheet::Continuation, 148, {1945, 2375, 1975, 2420}, {1965, 2355, 1995, 2400}},
        {SadSheet::Continuation, 151, {260, 2525, 490, 2570}, {290, 2505, 520, 2550}},
        {SadSheet::Continuation, 185, {775, 2850, 1005, 2895}, {805, 2835, 1035, 2880}},
        {SadSheet::Continuation, 188, {1440, 2525, 1470, 2570}, {1460, 2505, 1490, 2550}},
        {SadSheet::Continuation, 206, {1440, 2795, 1470, 2840}, {1460, 2775, 1490, 2820}},
        {SadSheet::Continuation, 207, {1180, 2850, 1410, 2895}, {1210, 2835, 1440, 2880}},
        {SadSheet::Continuation, 213, {1715, 1900, 1980, 1950}, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const auto& f = SadFields(c.sheet)[c.field];
        EXPECT_EQ(f.screen, c.screen) << "sheet " << int(c.sheet) << " field " << c.field;
        EXPECT_EQ(f.print, c.print) << "sheet " << int(c.sheet) << " field " << c.field;
    }
    // Every continuation field has a rectangle (none left unfilled by the expansion).
    for (size_t i = 0; i < Cont().size(); ++i) EXPECT_FALSE(Cont()[i].screen.IsEmpty()) << i;
}

// The field names the program uses stand for the boxes the layout table lists under them.
TEST(SadLayout, NamedFieldsAreTheBoxesOfTheirNames) {
    struct Case {
        SadSheet sheet;
        int field;
        const char16_t* box;
    } cases[] = {
        {SadSheet::First, FieldStampA(1), u"Stempel Feld A (1)"},
        {SadSheet::First, FieldStampA(6), u"Stempel Feld A (6)"},
        {SadSheet::First, FieldStampC(1), u"Stempel Feld C (1)"},
        {SadSheet::First, FieldStampC(6), u"Stempel Feld C (6)"},
        {SadSheet::First, kFieldBox3a, u"Feld 3 A"},
        {SadSheet::First, kFieldBox3b, u"Feld 3 B"},
        {SadSheet::First, kFieldBox5, u"Feld 5"},
        {SadSheet::First, kFieldBox8Number, u"Feld 8 (Nr.)"},
        {SadSheet::First, kFieldBox8, u"Feld 8"},
        {SadSheet::First, kFieldBox14Number, u"Feld 14 (Nr.)"},
        {SadSheet::First, kFieldBox14, u"Feld 14"},
        {SadSheet::First, kFieldBox17b, u"Feld 17 B"},
        {SadSheet::First, kFieldBox32, u"Feld 32"},
        {SadSheet::First, kFieldBox34b, u"Feld 34 B"},
        {SadSheet::First, kFieldBox44, u"Feld 44"},
        {SadSheet::First, kFieldBox42, u"Feld 42"},
        {SadSheet::First, kFieldBox47, u"Feld 47"},
        {SadSheet::First, kFieldOldBox44, u"(old box 44 part 1)"},
        {SadSheet::First, kFieldOldBox44 + 4, u"(old box 44 part 5)"},
        {SadSheet::First, kFieldOffSheet, u"(off the sheet)"},
        {SadSheet::First, kFieldBox44Text, u"(box 44 further text)"},
        {SadSheet::First, kFieldBox44Frist, u"(box 44 further text, Frist)"},
        {SadSheet::First, kFieldBox47Table, u"box 47 row 1 Art"},
        {SadSheet::First, kFieldBox47Total, u"box 47 total"},
        {SadSheet::First, kFieldReference, u"(reference number, top)"},
        {SadSheet::Continuation, kContFieldNummer, u"Nummer"},
        {SadSheet::Continuation, ContFieldStampA(1), u"Stempel Feld A (1)"},
        {SadSheet::Continuation, ContFieldStampA(6), u"Stempel Feld A (6)"},
        {SadSheet::Continuation, kContFieldBox2Number, u"2 Zollnummer"},
        {SadSheet::Continuation, kContFieldBox2, u"2"},
        {SadSheet::Continuation, kContFieldBox3a, u"3 A"},
        {SadSheet::Continuation, kContFieldBox3b, u"3 B"},
        {SadSheet::Continuation, ContFieldOfItem(0, kItemBox31), u"31-1"},
        {SadSheet::Continuation, ContFieldOfItem(2, kItemBox32), u"32-3"},
        {SadSheet::Continuation, ContFieldOfItem(1, kItemBox44), u"44-2"},
        {SadSheet::Continuation, ContFieldOfItem(2, kItemBox42), u"Feld 42-3"},
        {SadSheet::Continuation, kContFieldBox47, u"47-1"},
        {SadSheet::Continuation, kContFieldBox47 + 2, u"47-3"},
        {SadSheet::Continuation, kContFieldBox47Summary, u"47 (Summe)"},
        {SadSheet::Continuation, ContFieldDutyTable(0), u"47-1 Zeile 1 Art"},
        {SadSheet::Continuation, ContFieldDutyTable(2) + 35, u"47-3 Summe"},
        {SadSheet::Continuation, kContFieldSummaryTable, u"47 Zusammenfassung Zeile 1 Art"},
        {SadSheet::Continuation, kContFieldSummaryTotal, u"47 Zusammenfassung GS"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(SadFields(c.sheet)[static_cast<size_t>(c.field)].name, c.box);
    }
}

TEST(SadLayout, GoodsItemBlocksTwoAndThree) {
    // Blocks 2 and 3 are not evenly spaced from block 1; their rows come from the block table.
    EXPECT_EQ(Cont()[11 + 17].screen, (SadRect{160, 653, 1290, 855}));
    EXPECT_EQ(Cont()[53 + 17].screen, (SadRect{160, 1833, 1290, 2035}));
    EXPECT_EQ(Cont()[32 + 18].screen, (SadRect{1620, 1219, 1980, 1278}));
}

TEST(SadLayout, NewDocumentFlagsAfterAlignmentsMatchTheTable) {
    CEinheitspapierDoc doc;
    ApplySadAlignments(doc.Store(), 1);
    ApplySadAlignments(doc.Store(), 2);
    for (int i = 0; i < 154; ++i) EXPECT_EQ(doc.Store().GetFieldFlags(i, 1), First()[i].flags) << i;
    for (int i = 0; i < 214; ++i) EXPECT_EQ(doc.Store().GetFieldFlags(i, 2), Cont()[i].flags) << i;
    struct Case {
        SadSheet sheet;
        int field;
        uint16_t flags;
    } cases[] = {{SadSheet::First, 0, 0x003},
                 {SadSheet::First, 106, 0x001},
                 {SadSheet::First, 114, 0x103},
                 // Box 47: type size 0, base 2, rate and amount 3, method 4, total 2.
                 {SadSheet::First, 115, 0x000},
                 {SadSheet::First, 116, 0x202},
                 {SadSheet::First, 117, 0x203},
                 {SadSheet::First, 118, 0x203},
                 {SadSheet::First, 119, 0x104},
                 {SadSheet::First, 150, 0x202},
                 {SadSheet::Continuation, 7, 0x001},
                 {SadSheet::Continuation, 70, 0x001},
                 {SadSheet::Continuation, 78, 0x000},
                 {SadSheet::Continuation, 79, 0x202},
                 {SadSheet::Continuation, 81, 0x203},
                 {SadSheet::Continuation, 82, 0x104},
                 {SadSheet::Continuation, 113, 0x202},
                 {SadSheet::Continuation, 185, 0x202},
                 {SadSheet::Continuation, 186, 0x000},
                 {SadSheet::Continuation, 187, 0x203},
                 {SadSheet::Continuation, 188, 0x104},
                 {SadSheet::Continuation, 207, 0x202}};
    for (const auto& c : cases) EXPECT_EQ(SadFields(c.sheet)[c.field].flags, c.flags) << c.field;
}

TEST(SadLayout, CaptionsOfBothSheets) {
    const auto& c1 = SadCaptions(SadSheet::First);
    const auto& c2 = SadCaptions(SadSheet::Continuation);
    ASSERT_EQ(c1.size(), 154u);
    ASSERT_EQ(c2.size(), 154u);
    EXPECT_EQ(c1[0].text, u"EUROPÄISCHE UNION");
    EXPECT_EQ(c1[0].x, 80);
    EXPECT_EQ(c1[0].y, -90);
    EXPECT_EQ(c1[2].text, u"1   A N M E L D U N G");
    EXPECT_EQ(c1[151].x, 230);
    EXPECT_EQ(c1[153].text, u"");
    EXPECT_EQ(c1[153].y, -1960);
    struct Case {
        int index, x, y;
        std::u16string text;
    } cases[] = {
        {13, 1, -295, u"31"},
        {26, 1, -885, u"31"},
        {38, 1610, -1380, u"46"},
        {39, 1, -1475, u"31"},
        {51, 1610, -1970, u"46"},
        {52, 1, -2067, u"47"},
        {55, 32, -295, u"Packstücke"},
        {80, 32, -885, u"Packstücke"},
        {104, 1640, -1380, u"Statistischer Wert"},
        {105, 32, -1475, u"Packstücke"},
        {129, 1640, -1970, u"Statistischer Wert"},
        {153, 1080, -2880, u"GS:"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c2[c.index].x, c.x) << c.index;
        EXPECT_EQ(c2[c.index].y, c.y) << c.index;
        EXPECT_EQ(c2[c.index].text, c.text) << c.index;
    }
    for (const auto& c : c2) EXPECT_LT(c.y, 0);
}

TEST(SadLayout, RulingGroupsAndStorage) {
    const auto& g1 = SadRulingGroups(SadSheet::First);
    const auto& g2 = SadRulingGroups(SadSheet::Continuation);
    const std::vector<size_t> sizes1{73, 50, 5, 2, 5, 4, 4, 5, 4, 5, 4, 4, 5};
    const std::vector<size_t> sizes2{86, 45, 8, 5, 4};
    ASSERT_EQ(g1.size(), sizes1.size());
    ASSERT_EQ(g2.size(), sizes2.size());
    for (size_t i = 0; i < sizes1.size(); ++i) EXPECT_EQ(g1[i].size(), sizes1[i]) << i;
    for (size_t i = 0; i < sizes2.size(); ++i) EXPECT_EQ(g2[i].size(), sizes2[i]) << i;
    EXPECT_EQ(g1[0].front(), (SadSegment{150, -100, 1070, -100}));
    EXPECT_EQ(g1[0].back(), (SadSegment{1290, -2560, 1290, -2950}));
    EXPECT_EQ(g1[1][25], (SadSegment{1170, -915, 1170, -950}));
    EXPECT_EQ(g1[5][0], (SadSegment{170, -1505, 210, -1505}));
    EXPECT_EQ(g1[10][3], (SadSegment{1970, -2380, 1970, -2140}));
    EXPECT_EQ(g1[11], g1[6]);
    EXPECT_EQ(g1[12], g1[4]);
    EXPECT_EQ(g2[0][85], (SadSegment{1480, -2465, 1480, -2510}));
    EXPECT_EQ(g2[1][40], (SadSegment{1070, -2040, 1070, -2885}));
    EXPECT_EQ(g2[2][7], (SadSegment{1302, -1949, 1302, -2040}));
    EXPECT_EQ(g2[3], g1[7]);
    EXPECT_EQ(g2[4], g1[8]);

    const auto s1 = SadRulingStorage(SadSheet::First);
    const auto s2 = SadRulingStorage(SadSheet::Continuation);
    EXPECT_EQ(s1.size(), 170u * 4 + 13 * 2 + 1);
    EXPECT_EQ(s2.size(), 148u * 4 + 5 * 2 + 1);
    EXPECT_EQ(s1.back(), kRulingTableEnd);
    EXPECT_EQ(s1[73 * 4], kRulingGroupEnd);
    EXPECT_EQ(s1[73 * 4 + 1], -1);
    EXPECT_EQ(s2[s2.size() - 3], kRulingGroupEnd);
}

TEST(SadLayout, CrossedOutListsPerVariant) {
    const size_t first[4] = {25, 24, 57, 23};
    const size_t cont[4] = {9, 9, 26, 9};
    for (int v = 0; v < 4; ++v) {
        EXPECT_EQ(SadCrossedOut(SadSheet::First, v).size(), first[v]) << v;
        EXPECT_EQ(SadCrossedOut(SadSheet::Continuation, v).size(), cont[v]) << v;
    }
    EXPECT_TRUE(SadCrossedOut(SadSheet::First, 5).empty());
    EXPECT_EQ(SadCrossedOut(SadSheet::First, 0).back(), 153);
    EXPECT_EQ(SadCrossedOut(SadSheet::First, 1)[12], 152);
    const auto& v2 = SadCrossedOut(SadSheet::First, 2);
    EXPECT_EQ(v2[13], 31);  // order kept as listed: 31 before 29
    EXPECT_EQ(v2[14], 29);
    EXPECT_EQ(SadCrossedOut(SadSheet::Continuation, 2).back(), 77);
    EXPECT_EQ(SadCrossedOut(SadSheet::Continuation, 3), SadCrossedOut(SadSheet::Continuation, 0));
}

TEST(SadLayout, ZoomedRectsCrossesAndPrintRects) {
    EXPECT_EQ(SadZoomedRect(SadSheet::First, 0, 16), (SadRect{1718, 184, 1864, 280}));
    EXPECT_EQ(SadZoomedRect(SadSheet::First, 500, 10), SadScreenRect(SadSheet::First, 0));
    EXPECT_EQ(SadCrossSize(10), 25);
    const auto lines = SadCrossHatchLines(SadZoomedRect(SadSheet::First, 0, 10), SadCrossSize(10));
    // Field 0 is 91 wide: three crosses of 25 fit before x + s reaches right + 2.
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], (SadSegment{1076, -157, 1101, -132}));
    EXPECT_EQ(lines[1], (SadSegment{1076, -132, 1101, -157}));
    // Box 42 at the sheet origins the printer takes: the print position moved by the origin.
    EXPECT_EQ(SadPrintRectAt(SadSheet::First, 70, 10, -20), (SadRect{1705, -1505, 1960, -1565}));
    EXPECT_EQ(SadPrintRectAt(SadSheet::First, 70, 30, 10), (SadRect{1725, 10 - 1485, 1980, 10 - 1545}));
}

TEST(SadLayout, HitTestHonoursEditability) {
    CFieldDefinitions defs;
    defs.ResetToBuiltIn();
    // Box 4 (field 13) is not editable on any variant: no hit.
    const SadRect box4 = SadZoomedRect(SadSheet::First, 13, 16);
    for (int v = 0; v < 4; ++v)
        EXPECT_EQ(SadHitTest(SadSheet::First, box4.left + 5, box4.top + 5, 16, &defs, v), -1);
    EXPECT_EQ(SadHitTest(SadSheet::First, box4.left + 5, box4.top + 5, 16, nullptr, 0), 13);
    // Field 0 at zoom 16: left/top inside, right/bottom outside.
    EXPECT_EQ(SadHitTest(SadSheet::First, 1718, 184, 16, &defs, 0), 0);
    EXPECT_EQ(SadHitTest(SadSheet::First, 1864, 200, 16, &defs, 0), -1);
    // Field 113 (not editable) overlaps box 44 (69): the click reaches box 44.
    EXPECT_EQ(SadHitTest(SadSheet::First, 500, 1600, 10, &defs, 0), 69);
    EXPECT_EQ(SadHitTest(SadSheet::Continuation, 500, 400, 10, &defs, 0), 11);
}

TEST(SadLayout, FieldDefinitionDialogEntries) {
    int page = 0, field = 0;
    EXPECT_EQ(SadDefinitionEntryText(0), u"Seite 1 - Feld 1 A");
    EXPECT_EQ(SadDefinitionEntryText(9), u"Seite 1 - Feld 2 (Nr.)");
    EXPECT_EQ(SadDefinitionEntryText(17), u"Seite 1 - Feld 8 (Nr.)");
    EXPECT_EQ(SadDefinitionEntryText(102), u"Seite 1 - D5");
    EXPECT_EQ(SadDefinitionEntryText(103), u"Seite 2 - Nummer");
    EXPECT_EQ(SadDefinitionEntryText(103 + 31), u"Seite 2 - 46-1");
    EXPECT_EQ(SadDefinitionEntryText(103 + 32), u"Seite 2 - 31-2");
    EXPECT_EQ(SadDefinitionEntryText(103 + 71), u"Seite 2 - Feld 42-3");
    EXPECT_EQ(SadDefinitionEntryText(180), u"Seite 2 - 47 (Summe)");
    ASSERT_TRUE(SadDefinitionEntryField(113, page, field));
    EXPECT_EQ(page, 2);
    EXPECT_EQ(field, 10);
    ASSERT_TRUE(SadDefinitionEntryField(102, page, field));
    EXPECT_EQ(page, 1);
    EXPECT_EQ(field, 102);
    EXPECT_FALSE(SadDefinitionEntryField(181, page, field));
    EXPECT_FALSE(SadDefinitionEntryField(-1, page, field));
}
