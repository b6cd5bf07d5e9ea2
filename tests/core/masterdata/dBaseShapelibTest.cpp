// Cross-checks with shapelib, a well-known C reader and writer of .dbf files (tests only).

#ifdef TARVEX_HAVE_SHAPELIB

#include <gtest/gtest.h>
#include <shapefil.h>

#include <cstdio>
#include <string>
#include <vector>

#include "DbfTestUtil.h"
#include "core/common/TextCodec.h"
#include "core/masterdata/dBaseDocument.h"

using namespace tarvex;
using namespace tarvex::dbftest;

namespace {

struct Row {
    std::u16string name;
    int32_t menge;
    double betrag;
    int day, month, year;  // day 0: empty date
    bool aktiv;
    bool deleted;
};

std::vector<Row> SampleRows() {
    std::vector<Row> rows = {
        {u"Müller & Söhne GmbH", 12, 1234.5, 1, 2, 2024, true, false},
        {u"Straße – Nr. 5 €", 0, 0.25, 0, 0, 0, false, false},
        {u"", -17, -99.99, 31, 12, 1999, true, true},
        {u"Ärger", 999999, 0.0, 29, 2, 2000, false, false},
    };
    for (int i = 0; i < 40; ++i) {
        std::string s = "Firma " + std::to_string(i * 7919 % 1000);
        rows.push_back({std::u16string(s.begin(), s.end()), i * 13 - 100, i * 1.25 - 7, 1 + i % 28,
                        1 + i % 12, 1990 + i, i % 3 == 0, i % 11 == 5});
    }
    return rows;
}

// What shapelib's string reader returns: the bytes without leading and trailing spaces.
std::string ShapelibTrim(const std::string& s) {
    size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

}  // namespace

TEST(dBaseShapelib, TableWrittenByEngineReadsInShapelib) {
    TempDir dir;
    const auto path = dir / "engine.dbf";
    const auto rows = SampleRows();
    {
        CdBaseDocument doc;
        doc.ResetDefinition();
        doc.AddField(u"NAME", 'C', 24, 0);
        doc.AddField(u"MENGE", 'N', 7, 0);
        doc.AddField(u"BETRAG", 'N', 12, 2);
        doc.AddField(u"DATUM", 'D', 8, 0);
        doc.AddField(u"AKTIV", 'L', 1, 0);
        ASSERT_EQ(doc.CreateTable(path, 0), 1);
        for (size_t i = 0; i < rows.size(); ++i) {
            const Row& r = rows[i];
            const int n = static_cast<int>(i + 1);
            ASSERT_EQ(doc.WriteRecord(n), n);
            ASSERT_EQ(doc.SetString(0, r.name), 0);
            ASSERT_EQ(doc.SetInteger(1, r.menge), 0);
            ASSERT_EQ(doc.SetDouble(2, r.betrag), 0);
            ASSERT_EQ(doc.SetDate(3, r.day, r.month, r.year), 0);
            ASSERT_EQ(doc.SetLogical(4, r.aktiv ? 1 : 0), 0);
            ASSERT_EQ(doc.WriteRecord(n), n);
            if (r.deleted) {
                ASSERT_EQ(doc.DeleteRecord(n), 1);
            }
        }
        doc.CloseTable();
    }

    DBFHandle h = DBFOpen(path.string().c_str(), "rb");
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(DBFGetRecordCount(h), static_cast<int>(rows.size()));
    ASSERT_EQ(DBFGetFieldCount(h), 5);
    char name[12];
    int width = 0, decimals = 0;
    EXPECT_EQ(DBFGetFieldInfo(h, 0, name, &width, &decimals), FTString);
    EXPECT_STREQ(name, "NAME");
    EXPECT_EQ(width, 24);
    EXPECT_EQ(DBFGetFieldInfo(h, 1, name, &width, &decimals), FTInteger);
    EXPECT_STREQ(name, "MENGE");
    EXPECT_EQ(DBFGetFieldInfo(h, 2, name, &width, &decimals), FTDouble);
    EXPECT_EQ(width, 12);
    EXPECT_EQ(decimals, 2);
    EXPECT_EQ(DBFGetFieldInfo(h, 3, name, &width, &decimals), FTDate);
    EXPECT_EQ(DBFGetFieldInfo(h, 4, name, &width, &decimals), FTLogical);
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row& r = rows[i];
        const int s = static_cast<int>(i);
        EXPECT_EQ(DBFIsRecordDeleted(h, s) != 0, r.deleted) << i;
        EXPECT_EQ(std::string(DBFReadStringAttribute(h, s, 0)), ShapelibTrim(TextToBytes(r.name))) << i;
        EXPECT_EQ(DBFReadIntegerAttribute(h, s, 1), r.menge) << i;
        EXPECT_NEAR(DBFReadDoubleAttribute(h, s, 2), r.betrag, 0.005) << i;
        char date[40] = "";
        if (r.day > 0) std::snprintf(date, sizeof date, "%04d%02d%02d", r.year, r.month, r.day);
        EXPECT_EQ(std::string(DBFReadStringAttribute(h, s, 3)), date) << i;
        EXPECT_EQ(std::string(DBFReadLogicalAttribute(h, s, 4)), r.aktiv ? "T" : "F") << i;
    }
    DBFClose(h);
}

TEST(dBaseShapelib, TableWrittenByShapelibReadsInEngine) {
    TempDir dir;
    const auto path = dir / "shapelib.dbf";
    const auto rows = SampleRows();
    DBFHandle h = DBFCreate(path.string().c_str());
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(DBFAddField(h, "NAME", FTString, 24, 0), 0);
    ASSERT_EQ(DBFAddField(h, "MENGE", FTInteger, 7, 0), 1);
    ASSERT_EQ(DBFAddField(h, "BETRAG", FTDouble, 12, 2), 2);
    ASSERT_EQ(DBFAddNativeFieldType(h, "DATUM", 'D', 8, 0), 3);
    ASSERT_EQ(DBFAddField(h, "AKTIV", FTLogical, 1, 0), 4);
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row& r = rows[i];
        const int s = static_cast<int>(i);
        ASSERT_TRUE(DBFWriteStringAttribute(h, s, 0, TextToBytes(r.name).c_str()));
        ASSERT_TRUE(DBFWriteIntegerAttribute(h, s, 1, r.menge));
        ASSERT_TRUE(DBFWriteDoubleAttribute(h, s, 2, r.betrag));
        char date[40] = "        ";
        if (r.day > 0) std::snprintf(date, sizeof date, "%04d%02d%02d", r.year, r.month, r.day);
        // shapelib 1.5 writes a text into a 'D' field as a number; the raw bytes go in directly.
        ASSERT_TRUE(DBFWriteAttributeDirectly(h, s, 3, date));
        ASSERT_TRUE(DBFWriteLogicalAttribute(h, s, 4, r.aktiv ? 'T' : 'F'));
        if (r.deleted) {
            ASSERT_TRUE(DBFMarkRecordDeleted(h, s, 1));
        }
    }
    DBFClose(h);

    CdBaseDocument doc;
    ASSERT_EQ(doc.OpenTable(path), 1) << doc.GetFileError().Text();
    EXPECT_EQ(doc.GetVersion(), 0x03);
    ASSERT_EQ(doc.GetFieldCount(), 5);
    ASSERT_EQ(doc.GetRecordCount(), static_cast<int>(rows.size()));
    std::u16string fieldName;
    char type;
    uint16_t len, dec;
    ASSERT_EQ(doc.GetFieldInfo(2, fieldName, type, len, dec), 2);
    EXPECT_EQ(fieldName, u"BETRAG");
    EXPECT_EQ(type, 'N');
    EXPECT_EQ(len, 12);
    EXPECT_EQ(dec, 2);
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row& r = rows[i];
        const int n = static_cast<int>(i + 1);
        ASSERT_EQ(doc.ReadRecord(n), n);
        EXPECT_EQ(doc.IsRecordActive(), !r.deleted) << n;
        std::u16string s;
        EXPECT_EQ(doc.GetString(0, s), 0);
        EXPECT_EQ(s, DecodeWindows1252(TextToBytes(r.name))) << n;
        int32_t menge = 0;
        EXPECT_EQ(doc.GetInteger(1, menge), 0);
        EXPECT_EQ(menge, r.menge) << n;
        double betrag = 0;
        EXPECT_EQ(doc.GetDouble(2, betrag), 0);
        EXPECT_NEAR(betrag, r.betrag, 0.005) << n;
        EXPECT_EQ(doc.GetDate(3, s), 0);
        std::u16string expected;
        if (r.day > 0)
            expected = CdBaseDocument::NormaliseDate(FromUtf8(
                std::to_string(r.day) + "." + std::to_string(r.month) + "." + std::to_string(r.year)));
        EXPECT_EQ(s, expected) << n;
        EXPECT_EQ(doc.GetLogical(4), r.aktiv ? 1 : 0) << n;
    }

    // The engine appends to shapelib's table; shapelib reads the result.
    ASSERT_EQ(doc.ReadRecord(1), 1);
    ASSERT_EQ(doc.SetString(0, u"Angehängt"), 0);
    ASSERT_EQ(doc.SetInteger(1, 4711), 0);
    const int appended = doc.GetRecordCount() + 1;
    ASSERT_EQ(doc.WriteRecord(appended), appended);
    int active = 1;
    for (const Row& r : rows) active += r.deleted ? 0 : 1;
    ASSERT_EQ(doc.BuildIndex(0), active);
    doc.CloseTable();
    h = DBFOpen(path.string().c_str(), "rb");
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(DBFGetRecordCount(h), appended);
    EXPECT_EQ(std::string(DBFReadStringAttribute(h, appended - 1, 0)), "Angeh\xE4ngt");
    EXPECT_EQ(DBFReadIntegerAttribute(h, appended - 1, 1), 4711);
    EXPECT_EQ(std::string(DBFReadStringAttribute(h, 0, 0)), ShapelibTrim(TextToBytes(rows[0].name)));
    DBFClose(h);
}

#else  // TARVEX_HAVE_SHAPELIB

#include <gtest/gtest.h>

// The peer reader is a Debian package (libshp-dev); there is none for this build (the Windows build).
TEST(dBaseShapelib, TableWrittenByEngineReadsInShapelib) {
    GTEST_SKIP() << "shapelib, the peer dBase reader, is not built for this system";
}
TEST(dBaseShapelib, TableWrittenByShapelibReadsInEngine) {
    GTEST_SKIP() << "shapelib, the peer dBase reader, is not built for this system";
}

#endif  // TARVEX_HAVE_SHAPELIB
