#include <gtest/gtest.h>

#include "core/sad/EinheitspapierDoc.h"
#include "core/settings/Profile.h"

using namespace tarvex;

TEST(EinheitspapierDoc, NewDocumentLayout) {
    CMemoryProfile profile;
    CEinheitspapierDoc doc(&profile);
    ASSERT_TRUE(doc.OnNewDocument());
    const CFieldStore& s = doc.Store();
    EXPECT_EQ(s.GetFieldCount1(), 154);
    EXPECT_EQ(s.GetFieldCount2(), 214);
    EXPECT_EQ(s.GetPageCount(), 2);
    EXPECT_EQ(doc.m_nContinuationCount, 1);
    EXPECT_EQ(doc.m_nFormVariant, kVariantNone);
    EXPECT_EQ(s.GetFieldFlags(0, 1), 3);
    EXPECT_EQ(s.GetFieldFlags(106, 1), 1);
    EXPECT_EQ(s.GetFieldFlags(110, 1), 1);
    EXPECT_EQ(s.GetFieldFlags(111, 1), 3);
    for (int i : {7, 8, 28, 49, 70}) EXPECT_EQ(s.GetFieldFlags(i, 2), 1) << i;
    EXPECT_EQ(s.GetFieldFlags(9, 2), 3);
    // Defaults of an empty profile: box 14 empty, federal states "01".
    EXPECT_EQ(s.GetFieldText(25, 1), u"");
    EXPECT_EQ(s.GetFieldText(30, 1), u"01");
    EXPECT_EQ(s.GetFieldText(60, 1), u"01");
}

TEST(EinheitspapierDoc, DefaultsFromTheProfile) {
    struct Case {
        int feld14, anmelder;
        std::u16string box14;
    } cases[] = {
        {4, 3, u"Einf\u00fchrer - 00500"},
        {4, 1, u"Ausf\u00fchrer - 00400"},
        {4, 0, u""},
        {0, 3, u""},
        {4, 4, u"Subunternehmer gem. Artikel 789 Zollkodex-DVO"},
    };
    for (const auto& c : cases) {
        CMemoryProfile p;
        p.WriteProfileInt("EHForm_Defaults", "Feld14", c.feld14);
        p.WriteProfileInt("EHForm_Defaults", "Anmelder", c.anmelder);
        p.WriteProfileString("EHForm_Defaults", "ZollNummer2", u"DE1234");
        CEinheitspapierDoc doc(&p);
        doc.OnNewDocument();
        EXPECT_EQ(doc.Store().GetFieldText(25, 1), c.box14) << c.feld14 << "/" << c.anmelder;
        EXPECT_EQ(doc.Store().GetFieldText(24, 1), c.feld14 & 4 ? u"DE1234" : u"");
    }
    CMemoryProfile p;
    p.WriteProfileInt("EHForm_Defaults", "Feld17", 0);
    p.WriteProfileString("EHForm_Defaults", "Bundesland1", u"05");
    p.WriteProfileInt("EHForm_Defaults", "AutoDateInStamp", 1);
    p.WriteProfileInt("EHForm_Defaults", "Stamp_C", 1);
    CEinheitspapierDoc doc(&p);
    doc.SetDateProvider([] { return CivilDate{5, 3, 2026}; });
    doc.OnNewDocument();
    EXPECT_EQ(doc.Store().GetFieldText(30, 1), u"");
    EXPECT_EQ(doc.Store().GetFieldText(60, 1), u"05");
    EXPECT_EQ(doc.Store().GetFieldText(83, 1), u"5.3.2026");
    EXPECT_EQ(doc.Store().GetFieldText(6, 1), u"");
}

TEST(EinheitspapierDoc, ResetClearsEarlierContents) {
    CMemoryProfile p;
    CEinheitspapierDoc doc(&p);
    doc.Store().SetFieldText(10, u"alt", 1);
    doc.Store().AddPage();
    doc.m_nInputTax = 1;
    doc.m_nContinuationCount = 2;
    doc.ResetContents();
    EXPECT_EQ(doc.Store().GetFieldText(10, 1), u"");
    EXPECT_EQ(doc.Store().GetPageCount(), 2);
    EXPECT_EQ(doc.m_nInputTax, 0u);
    EXPECT_EQ(doc.m_nContinuationCount, 1);
}

TEST(EinheitspapierDoc, ContinuationCountNewPagesGetSize2) {
    CEinheitspapierDoc doc;
    doc.SetContinuationCount(3);
    EXPECT_EQ(doc.Store().GetPageCount(), 4);
    EXPECT_EQ(doc.Store().GetFieldFlags(7, 2), 1);  // existing page keeps its words
    EXPECT_EQ(doc.Store().GetFieldFlags(7, 3), 2);
    EXPECT_EQ(doc.Store().GetFieldFlags(213, 4), 2);
}

TEST(EinheitspapierDoc, VariantsAndGoodsItems) {
    struct {
        int code, variant;
    } codes[] = {{3, 0}, {7, 1}, {10, 2}, {11, 3}, {0, 5}, {4, 5}, {99, 5}};
    for (auto c : codes) EXPECT_EQ(VariantFromFileCode(c.code), c.variant) << c.code;
    for (int v = 0; v < 4; ++v) EXPECT_EQ(VariantFromFileCode(FileCodeFromVariant(v)), v);

    struct {
        int index, page, position, base;
        std::u16string label;
    } items[] = {
        {0, 1, 1, 52, u"Position 1 auf Seite 1"},       {1, 2, 1, 11, u"Position 1 auf Seite 2"},
        {3, 2, 3, 53, u"Position 3 auf Seite 2"},       {4, 3, 1, 11, u"Position 1 auf Seite 3"},
        {762, 255, 3, 53, u"Position 3 auf Seite 255"},
    };
    for (const auto& it : items) {
        const GoodsItemRef ref = GoodsItemFromListIndex(it.index);
        EXPECT_EQ(ref, (GoodsItemRef{it.page, it.position})) << it.index;
        EXPECT_EQ(GoodsItemBase(ref), it.base);
        EXPECT_EQ(GoodsItemLabel(it.index), it.label);
    }
}
