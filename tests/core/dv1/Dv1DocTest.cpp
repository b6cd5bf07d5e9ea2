#include <gtest/gtest.h>

#include <algorithm>

#include "core/dv1/Dv1Doc.h"
#include "core/dv1/Dv1Strings.h"

using namespace tarvex;

namespace {

// Font size 3 everywhere; the front left-aligned; on later pages the text fields left and the
// amounts right.
void ExpectDefaultFormatting(const CDV1_Doc& doc, int page) {
    const CFieldStore& s = doc.Store();
    if (page == 1) {
        for (int i = 0; i < kDv1Fields1; ++i) EXPECT_EQ(s.GetFieldFlags(i, 1), 3) << i;
        return;
    }
    for (int i = 0; i < kDv1Fields2; ++i) {
        const bool left =
            std::find(std::begin(kDv1LeftFields), std::end(kDv1LeftFields), i) != std::end(kDv1LeftFields);
        EXPECT_EQ(s.GetFieldFlags(i, page), left ? 3 : 0x203) << "page " << page << " field " << i;
    }
}

}  // namespace

TEST(Dv1Doc, NewDocumentHasFrontAndBackWithTheFormsFormatting) {
    CDV1_Doc doc;
    doc.Store().SetFieldText(4, u"alt", 2);
    doc.m_Checks[3] = 1;
    doc.AddPage();
    ASSERT_TRUE(doc.OnNewDocument());
    const CFieldStore& s = doc.Store();
    EXPECT_EQ(s.GetFieldCount1(), 12);
    EXPECT_EQ(s.GetFieldCount2(), 61);
    EXPECT_EQ(s.GetPageCount(), 2);
    EXPECT_EQ(s.GetFieldText(4, 2), u"");
    EXPECT_EQ(doc.m_Checks, std::vector<uint8_t>(14, 0));
    EXPECT_EQ(doc.m_nPages, 2);
    EXPECT_FALSE(doc.IsModified());
    ExpectDefaultFormatting(doc, 1);
    ExpectDefaultFormatting(doc, 2);
}

TEST(Dv1Doc, PagesAreAppendedUpTo255AndNoFurther) {
    CDV1_Doc doc;
    for (int expected = 3; expected <= kMaxPages; ++expected) ASSERT_EQ(doc.AddPage(), expected);
    EXPECT_TRUE(doc.IsModified());
    ExpectDefaultFormatting(doc, 3);
    ExpectDefaultFormatting(doc, kMaxPages);
    doc.Store().SetFieldText(60, u"letzte", kMaxPages);

    EXPECT_EQ(doc.AddPage(), -1);
    EXPECT_EQ(doc.Store().GetPageCount(), kMaxPages);
    EXPECT_EQ(doc.Store().Texts2().size(), size_t(kMaxPages - 1) * kDv1Fields2);
    EXPECT_EQ(doc.Store().GetFieldText(60, kMaxPages), u"letzte");
    EXPECT_NE(std::u16string_view(dv1str::kMsgPageLimit).find(u"255"), std::u16string_view::npos);
}

TEST(Dv1Doc, OldLayoutConvertsEveryPageFromTheTop) {
    CDV1_Doc doc;
    // Three pages of the 56-field layout, marked with their page and old index.
    doc.m_OldTexts2.clear();
    for (int k = 1; k <= 3; ++k)
        for (int j = 0; j < 56; ++j)
            doc.m_OldTexts2.push_back(u"P" + std::u16string(1, char16_t(u'0' + k)) + u"." +
                                      std::u16string(1, char16_t(j)));
    doc.SetOldPageCount(4);
    ASSERT_EQ(doc.m_OldTexts2.size(), 3u * 61);
    doc.ConvertOldLayout();

    auto oldText = [](int k, int j) {
        return u"P" + std::u16string(1, char16_t(u'0' + k)) + u"." + std::u16string(1, char16_t(j));
    };
    for (int k = 1; k <= 3; ++k) {
        auto at = [&](int i) { return doc.m_OldTexts2[(k - 1) * 61 + i]; };
        EXPECT_EQ(at(0), oldText(k, 0));
        for (int i : {1, 16, 18, 20, 22}) EXPECT_EQ(at(i), u"") << k << "/" << i;
        for (int i = 2; i <= 15; ++i) EXPECT_EQ(at(i), oldText(k, i - 1)) << k << "/" << i;
        EXPECT_EQ(at(17), oldText(k, 15));
        EXPECT_EQ(at(19), oldText(k, 16));
        EXPECT_EQ(at(21), oldText(k, 17));
        for (int i = 23; i <= 60; ++i) EXPECT_EQ(at(i), oldText(k, i - 5)) << k << "/" << i;
    }
}
