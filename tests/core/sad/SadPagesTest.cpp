#include <gtest/gtest.h>

#include "SadEditFakes.h"
#include "core/sad/SadPages.h"

using namespace tarvex;
using tarvex::sadtest::SadEditEnv;

namespace {

void FillBox31(SadEditEnv& e, int page, const std::u16string& text) {
    for (int f : {11, 32, 53}) e.store().SetFieldText(f, text, page);
}

}  // namespace

TEST(SadPages, EnablingRules) {
    struct Case {
        int continuation, page;
        bool previous, next, remove;
    } cases[] = {
        {1, 1, false, true, false}, {1, 2, true, false, false}, {2, 1, false, true, true},
        {2, 2, true, true, true},   {2, 3, true, false, true},
    };
    for (const auto& c : cases) {
        SadEditEnv e(0);
        e.doc.SetContinuationCount(static_cast<uint16_t>(c.continuation));
        e.host.page = c.page;
        EXPECT_EQ(CanGoToPreviousPage(e.nav), c.previous) << c.continuation << "/" << c.page;
        EXPECT_EQ(CanGoToNextPage(e.nav), c.next) << c.continuation << "/" << c.page;
        EXPECT_EQ(CanRemoveLastPage(e.nav), c.remove) << c.continuation << "/" << c.page;
    }
}

TEST(SadPages, PageCommands) {
    SadEditEnv e(0);
    e.doc.SetContinuationCount(2);
    e.store().ActivateField(25, 1);
    e.Type(u"getippt");
    NextPage(e.nav);
    EXPECT_EQ(e.store().GetFieldText(25, 1), u"getippt") << "the page change commits";
    EXPECT_EQ(e.host.page, 2);
    EXPECT_EQ(e.Page(), 2);
    EXPECT_EQ(e.Field(), 7) << "Nummer and the stamp lines are skipped";
    LastPage(e.nav);
    EXPECT_EQ(e.host.page, 3);
    EXPECT_EQ(e.Page(), 3);
    const int redraws = e.host.redraws;
    NextPage(e.nav);  // disabled on the last page: nothing happens
    LastPage(e.nav);
    EXPECT_EQ(e.host.page, 3);
    EXPECT_EQ(e.host.redraws, redraws);
    PreviousPage(e.nav);
    EXPECT_EQ(e.host.page, 2);
    EXPECT_EQ(e.Page(), 2);
    PreviousPage(e.nav);  // from page 2 exactly the first-page command
    EXPECT_EQ(e.host.page, 1);
    EXPECT_EQ(e.Page(), 1);
    EXPECT_EQ(e.Field(), 0);
    PreviousPage(e.nav);
    EXPECT_EQ(e.host.page, 1);
    NextPage(e.nav);
    FirstPage(e.nav);
    EXPECT_EQ(e.host.page, 1);
    EXPECT_EQ(e.Field(), 0);
    EXPECT_GT(e.host.statusUpdates, 0);
}

TEST(SadPages, AddPageNeedsEveryBox31OfTheLastPageFilled) {
    struct Case {
        std::u16string box31;
        bool added;
    } cases[] = {
        {u"", false}, {u"12345", false}, {u"12345   ", false}, {u"123456", true}, {u"Schrauben M8", true}};
    for (const auto& c : cases) {
        SadEditEnv e(0);
        FillBox31(e, 2, c.box31);
        EXPECT_EQ(CanAddPage(e.nav), c.added);
        EXPECT_EQ(AddPage(e.nav), c.added);
        EXPECT_EQ(e.doc.m_nContinuationCount, c.added ? 2 : 1);
        EXPECT_EQ(e.store().GetPageCount(), c.added ? 3 : 2);
        EXPECT_EQ(e.host.messages.empty(), c.added);
        if (!c.added) {
            EXPECT_EQ(e.host.messages[0].substr(0, 39), u"Um eine weitere Seite zufügen zu können");
            EXPECT_FALSE(e.doc.IsModified());
        }
    }
    // Only the last page counts.
    SadEditEnv e(0);
    FillBox31(e, 2, u"Artikel");
    ASSERT_TRUE(AddPage(e.nav));
    EXPECT_FALSE(CanAddPage(e.nav));
    e.store().SetFieldText(11, u"Artikel", 3);
    e.store().SetFieldText(32, u"Artikel", 3);
    EXPECT_FALSE(AddPage(e.nav));
    e.store().SetFieldText(53, u"Artikel", 3);
    EXPECT_TRUE(AddPage(e.nav));
    EXPECT_EQ(e.doc.m_nContinuationCount, 3);
}

TEST(SadPages, NewPageCopiesBox2AndGetsTheBox47Layout) {
    for (int stamp : {0, 1}) {
        SCOPED_TRACE(stamp);
        SadEditEnv e(0);
        e.SetInt("Stamp_A", stamp);
        e.store().SetFieldText(7, u"DE123", 2);
        e.store().SetFieldText(8, u"Firma\r\nStraße", 2);
        for (int f = 1; f <= 6; ++f) {
            e.store().SetFieldText(f, u"Stempel " + std::u16string(1, u'0' + f), 2);
            e.store().SetFieldFlags(f, 2, 0x0151);
        }
        e.store().SetFieldText(0, u"Stempel 3", 2);  // "Nummer" and stamp line 3 mirror each other
        FillBox31(e, 2, u"Artikel");
        ASSERT_TRUE(AddPage(e.nav));
        EXPECT_TRUE(e.doc.IsModified());
        EXPECT_EQ(e.host.page, 3);
        EXPECT_EQ(e.Page(), 3);
        EXPECT_EQ(e.store().GetFieldText(7, 3), u"DE123");
        EXPECT_EQ(e.store().GetFieldText(8, 3), u"Firma\r\nStraße");
        EXPECT_EQ(e.store().GetFieldText(7, 1), u"") << "page 2, not the first sheet, is the source";
        // Without stamps box 2 gets size 3; with stamps fields 1-8 take page 2's words (size 1
        // for box 2 of a new document).
        EXPECT_EQ(e.store().GetFieldFlags(7, 3), stamp ? 1 : 3);
        EXPECT_EQ(e.store().GetFieldFlags(8, 3), stamp ? 1 : 3);
        for (int f = 1; f <= 6; ++f) {
            EXPECT_EQ(e.store().GetFieldText(f, 3), stamp ? u"Stempel " + std::u16string(1, u'0' + f) : u"")
                << f;
            EXPECT_EQ(e.store().GetFieldFlags(f, 3), stamp ? 0x0151 : 3) << f;
        }
        EXPECT_EQ(e.store().GetFieldText(11, 3), u"");
        EXPECT_EQ(e.store().GetFieldFlags(11, 3), 3);
        // Box 47 tables: right-aligned, the type column left, the method column centred, each
        // column in the size its longest text fits (type 0, base 2, amount 3, method 4, total 2).
        for (int base : {78, 114, 150}) {
            EXPECT_EQ(e.store().GetFieldFlags(base, 3), 0);
            EXPECT_EQ(e.store().GetFieldFlags(base + 1, 3), 0x0202);
            EXPECT_EQ(e.store().GetFieldFlags(base + 3, 3), 0x0203);
            EXPECT_EQ(e.store().GetFieldFlags(base + 4, 3), 0x0104);
            EXPECT_EQ(e.store().GetFieldFlags(base + 35, 3), 0x0202);
        }
        EXPECT_EQ(e.store().GetFieldFlags(186, 3), 0);
        EXPECT_EQ(e.store().GetFieldFlags(187, 3), 0x0203);
        EXPECT_EQ(e.store().GetFieldFlags(188, 3), 0x0104);
        EXPECT_EQ(e.store().GetFieldFlags(207, 3), 0x0202);
        EXPECT_EQ(e.store().GetFieldFlags(208, 3), 3);
        // The caret ends in an editable field of the new page, never in the hidden "Nummer".
        EXPECT_TRUE(e.nav.IsEditable(e.Field(), 3));
    }
}

TEST(SadPages, PageChangesKeepTheReferenceNumberInTheStampOfPage2) {
    SadEditEnv e(0);
    e.SetInt("Stamp_A", 1);
    e.store().SetFieldText(0, u"REF-1", 2);
    e.store().SetFieldText(3, u"REF-1", 2);
    FillBox31(e, 2, u"Artikel");
    ASSERT_TRUE(AddPage(e.nav));
    EXPECT_EQ(e.store().GetFieldText(3, 3), u"REF-1");
    PreviousPage(e.nav);  // leaves the empty "Nummer" of page 3
    LastPage(e.nav);
    FirstPage(e.nav);
    EXPECT_EQ(e.store().GetFieldText(3, 2), u"REF-1");
    EXPECT_EQ(e.store().GetFieldText(0, 2), u"REF-1");
}

TEST(SadPages, AddPageStopsAt255Pages) {
    SadEditEnv e(0);
    e.doc.SetContinuationCount(253);
    FillBox31(e, 254, u"Artikel");
    ASSERT_TRUE(AddPage(e.nav));
    EXPECT_EQ(e.store().GetPageCount(), 255);
    FillBox31(e, 255, u"Artikel");
    EXPECT_FALSE(CanAddPage(e.nav));
    EXPECT_FALSE(AddPage(e.nav));
    EXPECT_EQ(e.store().GetPageCount(), 255);
    EXPECT_EQ(e.doc.m_nContinuationCount, 254);
    ASSERT_EQ(e.host.messages.size(), 1u);
    EXPECT_NE(e.host.messages[0].find(u"255"), std::u16string::npos);
}

TEST(SadPages, RemoveLastPage) {
    SadEditEnv e(0);
    // Box 3 of a sheet is the page's own text here, not the automatic count.
    e.SetInt("AutoFillPositions", 0);
    EXPECT_FALSE(RemoveLastPage(e.nav));
    EXPECT_TRUE(e.host.questions.empty()) << "disabled with one continuation sheet";

    FillBox31(e, 2, u"Artikel");
    ASSERT_TRUE(AddPage(e.nav));
    e.store().SetFieldText(9, u"3", 3);
    e.store().ActivateField(11, 3);
    e.Type(u"auf Seite 3");
    e.doc.SetModifiedFlag(false);

    e.host.answerYes = false;
    EXPECT_FALSE(RemoveLastPage(e.nav));
    EXPECT_EQ(e.store().GetPageCount(), 3);
    EXPECT_EQ(e.host.page, 3);
    EXPECT_FALSE(e.doc.IsModified());

    e.host.answerYes = true;
    EXPECT_TRUE(RemoveLastPage(e.nav));
    EXPECT_EQ(e.host.questions.size(), 2u);
    EXPECT_EQ(e.host.questions[1].substr(0, 24), u"Möchten Sie die letzte F");
    EXPECT_EQ(e.store().GetPageCount(), 2);
    EXPECT_EQ(e.doc.m_nContinuationCount, 1);
    EXPECT_EQ(e.host.page, 1);
    EXPECT_EQ(e.Page(), 1);
    EXPECT_TRUE(e.doc.IsModified());
    EXPECT_EQ(e.store().GetFieldText(11, 2), u"Artikel");

    // The removed page's texts are gone for good.
    ASSERT_TRUE(AddPage(e.nav));
    EXPECT_EQ(e.store().GetFieldText(9, 3), u"");
    EXPECT_EQ(e.store().GetFieldText(11, 3), u"");
}

TEST(SadPages, GoodsItemEntries) {
    SadEditEnv e(0);
    std::vector<std::u16string> expected = {u"Position 1 auf Seite 1", u"Position 1 auf Seite 2 (leer)",
                                            u"Position 2 auf Seite 2 (leer)",
                                            u"Position 3 auf Seite 2 (leer)"};
    EXPECT_EQ(GoodsItemEntries(e.store()), expected);
    e.store().SetFieldText(11, u"ab", 2);
    e.store().SetFieldText(32, u"abc", 2);
    e.doc.SetContinuationCount(2);
    const auto entries = GoodsItemEntries(e.store());
    ASSERT_EQ(entries.size(), 7u);
    EXPECT_EQ(entries[1], u"Position 1 auf Seite 2 (leer)");
    EXPECT_EQ(entries[2], u"Position 2 auf Seite 2");
    EXPECT_EQ(entries[6], u"Position 3 auf Seite 3 (leer)");
}

TEST(SadPages, GoodsItemPreselection) {
    struct Case {
        int page, field, source, target;
    } cases[] = {{1, 52, 0, -1}, {1, 0, 0, -1}, {2, 11, 1, 1},  {2, 31, 1, 1}, {2, 32, 2, 1},
                 {2, 52, 2, 1},  {2, 53, 3, 1}, {2, 200, 3, 1}, {3, 42, 5, 1}, {3, 0, 4, 1}};
    for (const auto& c : cases) {
        SadEditEnv e(0);
        e.doc.SetContinuationCount(2);
        e.store().ActivateField(c.field, c.page);
        int source = -9, target = -9;
        GoodsItemPreselection(e.store(), source, target);
        EXPECT_EQ(source, c.source) << c.page << "/" << c.field;
        EXPECT_EQ(target, c.target) << c.page << "/" << c.field;
    }
}

TEST(SadPages, MoveGoodsItemMovesEveryTextOfTheItem) {
    struct Case {
        int source, target;
        int fromPage, fromItem, fromDuty, toPage, toItem, toDuty;
    } cases[] = {
        {0, 3, 1, 52, 115, 2, 53, 150},  // first sheet to position 3 of page 2
        {2, 0, 2, 32, 114, 1, 52, 115},  // position 2 of page 2 to the first sheet
        {1, 6, 2, 11, 78, 3, 53, 150},   // to another continuation page
        {6, 4, 3, 53, 150, 3, 11, 78},   // within one page
    };
    for (const auto& c : cases) {
        SadEditEnv e(0);
        e.doc.SetContinuationCount(2);
        for (int k = 0; k < 21; ++k)
            e.store().SetFieldText(c.fromItem + k, u"w" + std::u16string(1, u'a' + k), c.fromPage);
        for (int k = 0; k < 36; ++k)
            e.store().SetFieldText(c.fromDuty + k, u"d" + std::u16string(1, u'A' + k), c.fromPage);
        e.store().SetFieldFlags(c.fromItem, c.fromPage, 0x0111);
        const uint16_t targetWord = e.store().GetFieldFlags(c.toItem, c.toPage);
        // A bystander: position 2 of the target page (or of page 2) keeps its texts.
        const int otherPage = c.toPage == 1 ? 2 : c.toPage;
        const int otherItem = c.toItem == 32 ? 11 : 32;
        if (!(otherPage == c.fromPage && otherItem == c.fromItem))
            e.store().SetFieldText(otherItem, u"bleibt", otherPage);

        ASSERT_EQ(MoveGoodsItem(e.store(), c.source, c.target), 0);
        for (int k = 0; k < 21; ++k) {
            EXPECT_EQ(e.store().GetFieldText(c.toItem + k, c.toPage), u"w" + std::u16string(1, u'a' + k))
                << k;
            EXPECT_EQ(e.store().GetFieldText(c.fromItem + k, c.fromPage), u"") << k;
        }
        for (int k = 0; k < 36; ++k) {
            EXPECT_EQ(e.store().GetFieldText(c.toDuty + k, c.toPage), u"d" + std::u16string(1, u'A' + k))
                << k;
            EXPECT_EQ(e.store().GetFieldText(c.fromDuty + k, c.fromPage), u"") << k;
        }
        EXPECT_EQ(e.store().GetFieldFlags(c.fromItem, c.fromPage), 0x0111) << "formatting stays";
        EXPECT_EQ(e.store().GetFieldFlags(c.toItem, c.toPage), targetWord);
        if (!(otherPage == c.fromPage && otherItem == c.fromItem))
            EXPECT_EQ(e.store().GetFieldText(otherItem, otherPage), u"bleibt");
    }
}

TEST(SadPages, MoveGoodsItemRefusesWhatWouldLoseData) {
    SadEditEnv e(0);
    e.store().SetFieldText(11, u"Artikel", 2);
    EXPECT_EQ(MoveGoodsItem(e.store(), 1, 1), -1);
    EXPECT_EQ(MoveGoodsItem(e.store(), 1, 4), -1);
    EXPECT_EQ(MoveGoodsItem(e.store(), 1, -1), -1);
    EXPECT_EQ(MoveGoodsItem(e.store(), -1, 1), -1);
    EXPECT_EQ(e.store().GetFieldText(11, 2), u"Artikel");
}

TEST(SadPages, MoveGoodsItemCommand) {
    SadEditEnv e(0);
    e.host.page = 2;
    e.store().ActivateField(11, 2);
    e.Type(u"Getippt");
    std::vector<std::u16string> entries;
    int presetSource = -9, presetTarget = -9;
    e.host.move = [&](const std::vector<std::u16string>& list, int& source, int& target) {
        entries = list;
        presetSource = source;
        presetTarget = target;
        source = 1;
        target = 2;
        return true;
    };
    const int redraws = e.host.redraws;
    MoveGoodsItemCommand(e.nav);
    EXPECT_EQ(presetSource, 1);
    EXPECT_EQ(presetTarget, 1);
    EXPECT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[1], u"Position 1 auf Seite 2") << "the typed text was committed first";
    EXPECT_EQ(e.store().GetFieldText(32, 2), u"Getippt");
    EXPECT_EQ(e.store().GetFieldText(11, 2), u"");
    EXPECT_GT(e.host.redraws, redraws);
    EXPECT_EQ(e.Page(), 2);

    // Cancel moves nothing.
    e.host.move = [](const std::vector<std::u16string>&, int& s, int& t) {
        s = 2;
        t = 3;
        return false;
    };
    MoveGoodsItemCommand(e.nav);
    EXPECT_EQ(e.store().GetFieldText(32, 2), u"Getippt");
}
