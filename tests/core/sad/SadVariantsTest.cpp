#include <gtest/gtest.h>

#include "SadEditFakes.h"
#include "core/common/TextCodec.h"
#include "core/sad/SadPages.h"
#include "core/sad/SadVariants.h"

using namespace tarvex;
using tarvex::sadtest::SadEditEnv;

TEST(SadVariants, Box3And5And32Update) {
    // Per case: continuation sheets and the box 31 texts of every item, page by page.
    struct Case {
        const char* name;
        int continuation;
        std::vector<std::u16string> box31;
        std::u16string feld3a, feld3b, feld5;
        // Expected box 3 A/B and box 32 of each item, page by page ("-" = left alone).
        std::vector<std::u16string> box3, box32;
    } cases[] = {
        {"empty first continuation sheet",
         1,
         {u"", u"", u""},
         u"",
         u"",
         u"1",
         {u"-", u"-"},
         {u"-", u"-", u"-"}},
        {"spaces count as empty", 1, {u"   ", u"", u""}, u"", u"", u"1", {u"-", u"-"}, {u"-", u"-", u"-"}},
        {"all six filled",
         2,
         {u"a", u"b", u"c", u"d", u"e", u"f"},
         u"1",
         u"3",
         u"7",
         {u"2", u"3", u"3", u"3"},
         {u"2", u"3", u"4", u"5", u"6", u"7"}},
        {"stops at the first empty item",
         2,
         {u"a", u"b", u"c", u"d", u"  ", u"f"},
         u"1",
         u"3",
         u"5",
         {u"2", u"3", u"3", u"3"},
         {u"2", u"3", u"4", u"5", u"-", u"-"}},
        {"later pages after an empty item keep their boxes",
         2,
         {u"a", u"", u"c", u"d", u"e", u"f"},
         u"1",
         u"3",
         u"2",
         {u"2", u"3", u"-", u"-"},
         {u"2", u"-", u"-", u"-", u"-", u"-"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SadEditEnv e(0);
        e.doc.SetContinuationCount(static_cast<uint16_t>(c.continuation));
        for (int p = 2; p <= c.continuation + 1; ++p) {
            e.store().SetFieldText(9, u"-", p);
            e.store().SetFieldText(10, u"-", p);
            for (int g = 0; g < 3; ++g) {
                e.store().SetFieldText(11 + 21 * g, c.box31[static_cast<size_t>((p - 2) * 3 + g)], p);
                e.store().SetFieldText(12 + 21 * g, u"-", p);
            }
        }
        e.store().SetFieldText(11, u"x", 1);
        e.store().SetFieldText(12, u"x", 1);
        UpdatePositions(e.nav);
        EXPECT_EQ(e.store().GetFieldText(11, 1), c.feld3a);
        EXPECT_EQ(e.store().GetFieldText(12, 1), c.feld3b);
        EXPECT_EQ(e.store().GetFieldText(14, 1), c.feld5);
        EXPECT_EQ(e.store().GetFieldText(53, 1), u"1");
        for (int p = 2; p <= c.continuation + 1; ++p) {
            EXPECT_EQ(e.store().GetFieldText(9, p), c.box3[static_cast<size_t>((p - 2) * 2)]) << p;
            EXPECT_EQ(e.store().GetFieldText(10, p), c.box3[static_cast<size_t>((p - 2) * 2 + 1)]) << p;
            for (int g = 0; g < 3; ++g)
                EXPECT_EQ(e.store().GetFieldText(12 + 21 * g, p),
                          c.box32[static_cast<size_t>((p - 2) * 3 + g)])
                    << p << "/" << g;
        }
        EXPECT_TRUE(e.doc.IsModified());
        EXPECT_EQ(e.host.redraws, 1);
        // Run again on numbers that stand already: no change of the document.
        e.doc.SetModifiedFlag(false);
        UpdatePositions(e.nav);
        EXPECT_FALSE(e.doc.IsModified());
    }
}

// Whether a typed box 31 text changes the filling: read in place of the stored text.
TEST(SadVariants, PositionTextsReadOneBox31AsGiven) {
    SadEditEnv e(0);
    e.store().SetFieldText(11, u"Schrauben", 2);
    const auto stored = PositionTexts(e.store(), 1);
    EXPECT_EQ(stored.back(), (PositionText{14, 1, u"2"}));  // box 5: two goods items
    EXPECT_EQ(PositionTexts(e.store(), 1, PositionText{11, 2, u"Schrauben M8"}), stored);
    const auto emptied = PositionTexts(e.store(), 1, PositionText{11, 2, u"  "});
    EXPECT_EQ(emptied.back(), (PositionText{14, 1, u"1"}));
    EXPECT_EQ(PositionTexts(e.store(), 1, PositionText{32, 2, u"Muttern"}).back(),
              (PositionText{14, 1, u"3"}));
}

TEST(SadVariants, UpdateKeepsItsValueInTheFieldBeingEdited) {
    // The caret in Feld 5: the computed number must survive the next move of the caret.
    SadEditEnv e(0);
    e.store().SetFieldText(11, u"Artikel", 2);
    e.store().ActivateField(14, 1);
    e.Type(u"9");
    UpdatePositions(e.nav);
    e.nav.GoToField(15, 1);
    EXPECT_EQ(e.store().GetFieldText(14, 1), u"2");
    // Shift+Tab from Feld 3 B into Feld 3 A runs the update while the caret is in Feld 3 B.
    e.store().ActivateField(12, 1);
    e.Type(u"alt");
    e.nav.PreviousInputField();
    EXPECT_EQ(e.Field(), 11);
    EXPECT_EQ(e.store().GetFieldText(12, 1), u"2");
}

TEST(SadVariants, VariantCommands) {
    SadEditEnv e(1);
    e.doc.SetContinuationCount(2);
    e.host.page = 3;
    e.store().ActivateField(20, 3);
    for (int v = 0; v < 4; ++v) {
        const VariantCommandState st = VariantCommandStateFor(e.nav, v);
        EXPECT_EQ(st.checked, v == 1) << v;
        EXPECT_EQ(st.enabled, v != 1) << v;
    }
    SetFormVariant(e.nav, 1);
    EXPECT_EQ(e.host.page, 3) << "the variant already set does nothing";
    EXPECT_FALSE(e.doc.IsModified());
    SetFormVariant(e.nav, 3);
    EXPECT_EQ(e.doc.m_nFormVariant, 3);
    EXPECT_EQ(e.host.page, 1);
    EXPECT_EQ(e.Page(), 1);
    EXPECT_TRUE(e.doc.IsModified()) << "the new variant is saved with the document";
    EXPECT_TRUE(VariantCommandStateFor(e.nav, 3).checked);
    SetFormVariant(e.nav, 7);
    EXPECT_EQ(e.doc.m_nFormVariant, 3);
}

TEST(SadVariants, PositionsFollowSheetAndGoodsItemChanges) {
    enum class Change { AddSheet, RemoveSheet, MoveItem };
    struct Case {
        const char* name;
        Change change;
        int autoFill;
        int continuation;
        std::vector<std::u16string> box31;  // page by page, three items each
        std::u16string feld3b, feld5;       // after the change
    } cases[] = {
        {"last sheet removed",
         Change::RemoveSheet,
         1,
         2,
         {u"Artikel A", u"Artikel B", u"Artikel C", u"Artikel D", u"", u""},
         u"2",
         u"4"},
        {"last sheet removed, automatic filling off",
         Change::RemoveSheet,
         0,
         2,
         {u"Artikel A", u"Artikel B", u"Artikel C", u"Artikel D", u"", u""},
         u"3",
         u"5"},
        {"sheet added", Change::AddSheet, 1, 1, {u"Artikel A", u"Artikel B", u"Artikel C"}, u"3", u"4"},
        {"sheet added, automatic filling off",
         Change::AddSheet,
         0,
         1,
         {u"Artikel A", u"Artikel B", u"Artikel C"},
         u"2",
         u"4"},
        {"goods item moved into a gap",
         Change::MoveItem,
         1,
         1,
         {u"Artikel A", u"", u"Artikel C"},
         u"2",
         u"3"},
        {"goods item moved, automatic filling off",
         Change::MoveItem,
         0,
         1,
         {u"Artikel A", u"", u"Artikel C"},
         u"2",
         u"2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SadEditEnv e(0);
        e.SetInt("AutoFillPositions", c.autoFill);
        e.doc.SetContinuationCount(static_cast<uint16_t>(c.continuation));
        for (size_t i = 0; i < c.box31.size(); ++i)
            e.store().SetFieldText(11 + 21 * static_cast<int>(i % 3), c.box31[i],
                                   2 + static_cast<int>(i / 3));
        UpdatePositions(e.nav);  // the counts as they stood before the change
        switch (c.change) {
            case Change::AddSheet:
                ASSERT_TRUE(AddPage(e.nav));
                break;
            case Change::RemoveSheet:
                ASSERT_TRUE(RemoveLastPage(e.nav));
                break;
            case Change::MoveItem:
                e.host.page = 2;
                e.store().ActivateField(53, 2);
                e.host.move = [](const std::vector<std::u16string>&, int& source, int& target) {
                    source = 3;  // position 3 of page 2 ...
                    target = 2;  // ... into the empty position 2
                    return true;
                };
                MoveGoodsItemCommand(e.nav);
                ASSERT_EQ(e.store().GetFieldText(32, 2), u"Artikel C");
                break;
        }
        EXPECT_EQ(e.store().GetFieldText(12, 1), c.feld3b);
        EXPECT_EQ(e.store().GetFieldText(14, 1), c.feld5);
        const int last = e.doc.m_nContinuationCount + 1;
        if (c.autoFill != 0) {
            EXPECT_EQ(e.store().GetFieldText(9, last), FromUtf8(std::to_string(last)))
                << "box 3 A of the last sheet";
            EXPECT_EQ(e.store().GetFieldText(10, last), c.feld3b) << "box 3 B of the last sheet";
        }
    }
}
