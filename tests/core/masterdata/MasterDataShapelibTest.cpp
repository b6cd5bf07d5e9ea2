// The address and article tables in another dBase III program (shapelib): what this program
// writes opens there and what that program writes opens here, umlauts in Windows-1252.

#ifdef TARVEX_HAVE_SHAPELIB

#include <gtest/gtest.h>
#include <shapefil.h>

#include <string>

#include "DbfTestUtil.h"
#include "core/common/TextCodec.h"
#include "core/masterdata/AddressDatabase.h"
#include "core/masterdata/TarvexStammDaten.h"

using namespace tarvex;
using namespace tarvex::dbftest;

TEST(MasterDataShapelib, AddressTableReadsInShapelib) {
    TempDir dir;
    const auto path = dir / "Adress1.dbf";
    CTableError error;
    ASSERT_TRUE(CAddressDatabase::CreateAddressTable(path, 0, error));
    {
        CAddressDatabase db(path);
        ASSERT_EQ(db.Table().OpenTable(path), 1);
        ASSERT_TRUE(db.CheckLayout());
        ASSERT_EQ(
            db.WriteAddress(
                2, SplitAddressText(u"Müller & Söhne GmbH\r\nGroße Straße 5\r\n80331 München", u"DE4711ÄÖÜ")),
            2);
    }
    DBFHandle h = DBFOpen(path.string().c_str(), "rb");
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(DBFGetRecordCount(h), 2);
    ASSERT_EQ(DBFGetFieldCount(h), 5);
    char name[12];
    int width = 0, decimals = 0;
    EXPECT_EQ(DBFGetFieldInfo(h, 4, name, &width, &decimals), FTString);
    EXPECT_STREQ(name, "ZOLLNR");
    EXPECT_EQ(std::string(DBFReadStringAttribute(h, 0, 0)), "Erster Eintrag");
    EXPECT_EQ(std::string(DBFReadStringAttribute(h, 1, 0)), "M\xFCller & S\xF6hne GmbH");
    EXPECT_EQ(std::string(DBFReadStringAttribute(h, 1, 1)),
              "Gro\xDF"
              "e Stra\xDF"
              "e 5");
    EXPECT_EQ(std::string(DBFReadStringAttribute(h, 1, 2)), "80331 M\xFCnchen");
    EXPECT_EQ(std::string(DBFReadStringAttribute(h, 1, 4)), "DE4711\xC4\xD6\xDC");
    DBFClose(h);
}

TEST(MasterDataShapelib, ArticleTableWrittenByShapelibReadsHereAndBack) {
    TempDir dir;
    // shapelib names the file with a lower-case ".dbf".
    const auto path = dir / "Artikel1.dbf";
    DBFHandle h = DBFCreate(path.string().c_str());
    ASSERT_NE(h, nullptr);
    const char* names[] = {"WBESCH1", "WNR1", "WNR2", "WNR3", "WNR4", "WNR5", "LAND1", "LAND2"};
    const int widths[] = {254, 8, 2, 4, 4, 1, 3, 3};
    for (int i = 0; i < 8; ++i) ASSERT_EQ(DBFAddField(h, names[i], FTString, widths[i], 0), i);
    ASSERT_TRUE(DBFWriteStringAttribute(h, 0, 0, "K\xE4se\r\nGouda, gereift"));
    ASSERT_TRUE(DBFWriteStringAttribute(h, 0, 1, "04069021"));
    ASSERT_TRUE(DBFWriteStringAttribute(h, 0, 6, "NL"));
    ASSERT_TRUE(DBFWriteStringAttribute(h, 1, 0, "\xD6lfilter"));
    ASSERT_TRUE(DBFWriteStringAttribute(h, 1, 1, "84212300"));
    DBFClose(h);

    {
        CTarvexStammDaten data;
        data.SetTablePath(dir.Path(), u"Artikel1.dbf", kLayout8, {});
        ASSERT_EQ(data.LoadArticles(), 0);
        ASSERT_EQ(data.GetArticleCount(), 2u);
        EXPECT_EQ(data.Description(0), u"Käse\r\nGouda, gereift");
        EXPECT_EQ(data.Code(0, 0), u"04069021");
        EXPECT_EQ(data.Code(0, 5), u"NL");
        EXPECT_EQ(data.Description(1), u"Ölfilter");
        CArticle a = data.GetArticle(1);
        a.description = u"Ölfilter für Lkw";
        data.SetArticle(1, a);
        data.AddArticle(CArticle{u"Süßwaren", {u"17049099", u"", u"", u"", u"", u"BE", u""}});
        ASSERT_EQ(data.SaveArticles(), 0);
    }
    h = DBFOpen(path.string().c_str(), "rb");
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(DBFGetRecordCount(h), 3);
    EXPECT_EQ(std::string(DBFReadStringAttribute(h, 0, 0)), "K\xE4se\r\nGouda, gereift");
    EXPECT_EQ(std::string(DBFReadStringAttribute(h, 1, 0)), "\xD6lfilter f\xFCr Lkw");
    EXPECT_EQ(std::string(DBFReadStringAttribute(h, 2, 0)), "S\xFC\xDFwaren");
    EXPECT_EQ(std::string(DBFReadStringAttribute(h, 2, 6)), "BE");
    DBFClose(h);
}

#else  // TARVEX_HAVE_SHAPELIB

#include <gtest/gtest.h>

// The peer reader is a Debian package (libshp-dev); there is none for this build (the Windows build).
TEST(MasterDataShapelib, AddressTableReadsInShapelib) {
    GTEST_SKIP() << "shapelib, the peer dBase reader, is not built for this system";
}
TEST(MasterDataShapelib, ArticleTableWrittenByShapelibReadsHereAndBack) {
    GTEST_SKIP() << "shapelib, the peer dBase reader, is not built for this system";
}

#endif  // TARVEX_HAVE_SHAPELIB
