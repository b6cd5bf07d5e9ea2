// F2 in the address boxes and in box 31: what the address and article dialogs hand back goes into
// the boxes named for them, the caret ends after them and the document is modified.

#include <gtest/gtest.h>

#include "SadEditFakes.h"
#include "core/sad/SadNavigation.h"

using namespace tarvex;
using tarvex::sadtest::SadEditEnv;

namespace {

CArticle SampleArticle() {
    CArticle a;
    a.description = u"Notebooks\r\n20 Kartons\r\nZeichen XY";
    a.codes = {u"84713000", u"00", u"", u"", u"", u"CN", u"09"};
    return a;
}

}  // namespace

TEST(SadMasterDataInput, AddressIntoBoxes2And8) {
    struct Case {
        int page, field, numberField;
    } cases[] = {{1, 10, 9}, {1, 18, 17}, {2, 8, 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "page " << c.page << " field " << c.field);
        SadEditEnv e(0);
        e.doc.SetContinuationCount(1);
        e.host.page = c.page;
        e.store().ActivateField(c.field, c.page);
        e.Type(u"getippt");
        std::u16string preset;
        e.host.address = [&](std::u16string& text, std::u16string& number) {
            preset = text;
            text = u"Müller GmbH\r\nHafenstraße 1\r\n20457 Hamburg";
            number = u"DE1234567";
            return true;
        };
        e.nav.InsertDefaults();
        EXPECT_EQ(preset, u"getippt") << "the dialog starts with the box's text";
        EXPECT_EQ(e.store().GetFieldText(c.field, c.page), u"Müller GmbH\r\nHafenstraße 1\r\n20457 Hamburg");
        EXPECT_EQ(e.store().GetFieldText(c.numberField, c.page), u"DE1234567");
        EXPECT_TRUE(e.doc.IsModified());
        EXPECT_EQ(e.Page(), c.page);
        EXPECT_NE(e.Field(), c.field);
        EXPECT_NE(e.Field(), c.numberField);
    }
}

TEST(SadMasterDataInput, ArticleFillsBoxes31To34OfTheGoodsItem) {
    struct Case {
        int page, box31, box33a, box35;  // box35 < 0: not checked (first sheet: next input field)
    } cases[] = {{1, 52, 54, -1}, {2, 11, 13, 20}, {2, 32, 34, 41}, {3, 53, 55, 62}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "page " << c.page << " field " << c.box31);
        SadEditEnv e(0);
        e.doc.SetContinuationCount(2);
        e.host.page = c.page;
        e.store().SetFieldText(c.box31 + 1, u"32 bleibt", c.page);
        e.store().ActivateField(c.box31, c.page);
        e.host.article = [](CArticle& a) {
            a = SampleArticle();
            return true;
        };
        e.nav.InsertDefaults();
        const CArticle a = SampleArticle();
        EXPECT_EQ(e.store().GetFieldText(c.box31, c.page), a.description);
        for (int k = 0; k < kArticleCodes; ++k)
            EXPECT_EQ(e.store().GetFieldText(c.box33a + k, c.page), a.codes[k]) << "code " << k;
        EXPECT_EQ(e.store().GetFieldText(c.box31 + 1, c.page), u"32 bleibt") << "box 32 is left alone";
        if (c.box35 >= 0)
            EXPECT_EQ(e.store().GetFieldText(c.box35, c.page), u"")
                << "box 35 (hidden 34 B skipped) gets no code";
        EXPECT_TRUE(e.doc.IsModified());
        EXPECT_EQ(e.Page(), c.page);
        if (c.box35 >= 0)
            EXPECT_EQ(e.Field(), c.box35);
        else
            EXPECT_GT(e.Field(), c.box33a + 6);
    }
}

TEST(SadMasterDataInput, CancelWritesNothing) {
    for (auto [page, field] : {std::pair{1, 18}, {1, 52}, {2, 8}, {2, 32}}) {
        SadEditEnv e(0);
        e.doc.SetContinuationCount(1);
        e.host.page = page;
        e.store().ActivateField(field, page);
        e.Type(u"bleibt");
        e.nav.InsertDefaults();
        ASSERT_EQ(e.host.dialogs.size(), 1u) << field;
        EXPECT_EQ(e.store().GetFieldText(field, page), u"bleibt");
        EXPECT_EQ(e.Field(), field);
        EXPECT_FALSE(e.doc.IsModified());
    }
}
