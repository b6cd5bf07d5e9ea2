#include <gtest/gtest.h>

#include <stdexcept>

#include "AefTestUtil.h"
#include "core/common/Archive.h"
#include "core/common/TextCodec.h"
#include "core/sad/AefFormat.h"
#include "core/sad/AefLegacy.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/settings/Profile.h"

using namespace tarvex;
using namespace tarvex::aeftest;

namespace {

std::u16string U(const std::string& s) {
    return FromUtf8(s);
}
std::u16string Num(const char* prefix, int i) {
    return U(prefix + std::to_string(i));
}

// Legacy first-sheet entry e of the fixtures (see make_fixtures.py), trimmed.
std::u16string FixtureL1(int e) {
    switch (e) {
        case 4:
            return u"Firma Box 2";
        case 6:
            return u"Gr\u00fc\u00dfe 3B";
        case 77:
            return u"Z1";
        case 78:
            return u"Z2";
        case 79:
            return u"Z3";
        case 80:
            return u"Z4";
        case 81:
            return u"";
        default:
            return Num("A", e);
    }
}

// First-sheet field := L1 entry.
struct Range {
    int field, entry, count;
};
constexpr Range kFirstSheetTable[] = {
    {0, 0, 3},   {9, 3, 10},   {21, 13, 1},   {24, 14, 4},   {29, 18, 19}, {50, 37, 19},  // 69: box 44
    {72, 57, 8}, {86, 65, 12}, {115, 82, 36}, {103, 119, 2}, {98, 121, 5},
};

void ExpectFirstSheet(const CEinheitspapierDoc& doc, int l1Size, const char* name) {
    const CFieldStore& s = doc.Store();
    for (const auto& r : kFirstSheetTable)
        for (int i = 0; i < r.count; ++i)
            EXPECT_EQ(s.GetFieldText(r.field + i, 1), r.entry + i < l1Size ? FixtureL1(r.entry + i) : u"")
                << name << " field " << r.field + i;
    for (int f = 106; f <= 110; ++f) EXPECT_EQ(s.GetFieldText(f, 1), u"") << name << " field " << f;
    for (int f : {3, 19, 20, 22, 23, 28, 48, 80, 105, 111, 114, 151, 153})
        EXPECT_EQ(s.GetFieldText(f, 1), u"") << name << " field " << f << " is not converted";
}

// Continuation sheet k of a fixture whose continuation texts are "S<k>.<j>".
void ExpectSheet(const CEinheitspapierDoc& doc, int k, const std::u16string& box2nr,
                 const std::u16string& box2, const char* name) {
    const CFieldStore& s = doc.Store();
    const int p = k + 1;
    auto l2 = [k](int j) { return U("S" + std::to_string(k) + "." + std::to_string(j)); };
    const Range sheet[] = {{0, 0, 1},    {9, 1, 1},   {11, 2, 18},  {31, 20, 19},
                           {52, 39, 19}, {73, 58, 1}, {78, 63, 130}};
    for (const auto& r : sheet)
        for (int i = 0; i < r.count; ++i)
            EXPECT_EQ(s.GetFieldText(r.field + i, p), l2(r.entry + i))
                << name << " page " << p << " field " << r.field + i;
    EXPECT_EQ(s.GetFieldText(7, p), box2nr) << name;
    EXPECT_EQ(s.GetFieldText(8, p), box2) << name;
    EXPECT_EQ(s.GetFieldText(10, p), FixtureL1(6)) << name;
    for (int f : {1, 2, 3, 4, 5, 6, 30, 51, 72, 74, 75, 76, 77, 208, 213})
        EXPECT_EQ(s.GetFieldText(f, p), u"") << name << " page " << p << " field " << f;
    for (int f = 0; f < kSadFields2; ++f) {
        const bool small = f == 7 || f == 8 || f == 28 || f == 49 || f == 70;
        EXPECT_EQ(s.GetFontSize(f, p), small ? 1 : 2) << name << " page " << p << " field " << f;
    }
}

void ExpectConvertedState(const CEinheitspapierDoc& doc, int sheets) {
    EXPECT_EQ(doc.m_nLoadStatus, 0);
    EXPECT_EQ(doc.m_nContinuationCount, sheets);
    EXPECT_EQ(doc.Store().GetPageCount(), sheets + 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.m_legacyTexts1.empty());
    EXPECT_TRUE(doc.m_legacyTexts2.empty());
    EXPECT_TRUE(doc.m_legacyValues.empty());
}

CArchiveWriter OldFile(const char* sig, uint16_t sheets, int codes, int l1, int l2) {
    CArchiveWriter w;
    w.WriteRaw(sig, 15);
    w.WriteWord(0);
    w.WriteWord(sheets);
    w.WriteByte(0);
    w.WriteByte(0);
    if (codes >= 0) {
        w.WriteByte(static_cast<uint8_t>(codes));
        for (int i = 0; i < codes; ++i) w.WriteByte(1);
    }
    if (std::string_view(sig) >= "KTW-AEForm@1.50") w.WriteDWord(3);
    w.WriteStringList(std::vector<std::u16string>(l1, u"x"));
    w.WriteStringList(std::vector<std::u16string>(l2, u"y"));
    return w;
}

}  // namespace

TEST(AefLegacy, Version120And141) {
    struct Case {
        const char* file;
        int sheets, l1Size;
        uint32_t tax;
    } cases[] = {{"v120.aef", 2, 127, 1}, {"v141.aef", 1, 100, 0}};
    for (const auto& c : cases) {
        CMemoryProfile profile;
        CEinheitspapierDoc doc(&profile);
        std::string error;
        AefReadInfo info;
        ASSERT_TRUE(LoadAefFile(Fixture(c.file), doc, error, &info)) << c.file << ": " << error;
        EXPECT_FALSE(info.hasFormCode);
        EXPECT_EQ(doc.m_nFormVariant, kVariantNone);
        EXPECT_EQ(doc.m_nInputTax, c.tax);
        ExpectConvertedState(doc, c.sheets);
        ExpectFirstSheet(doc, c.l1Size, c.file);
        // Without a variant all five box 44 lines are kept; the empty last one leaves no break.
        EXPECT_EQ(doc.Store().GetFieldText(69, 1), u"Z1\r\nZ2\r\nZ3\r\nZ4");
        for (int k = 1; k <= c.sheets; ++k) ExpectSheet(doc, k, u"A3", u"Firma Box 2", c.file);
    }
}

TEST(AefLegacy, Version150TakesTheVariantFromTheFormCode) {
    CEinheitspapierDoc doc;
    std::string error;
    AefReadInfo info;
    ASSERT_TRUE(LoadAefFile(Fixture("v150.aef"), doc, error, &info)) << error;
    EXPECT_EQ(info.formCode, 7u);
    EXPECT_EQ(doc.m_nFormVariant, 1);
    ExpectConvertedState(doc, 1);
    EXPECT_EQ(doc.Store().GetFieldText(69, 1), u"\r\nY2\r\nY3\r\n\r\nY5");
    // Known variants take box 2/8 of the continuation sheet from the old box 8.
    ExpectSheet(doc, 1, u"A11", u"A12", "v150");
}

TEST(AefLegacy, Version151CurrencySymbols) {
    CMemoryProfile profile;
    profile.WriteProfileString("EHForm_Defaults", "WSymbol0", u"\u20ac");
    CEinheitspapierDoc doc(&profile);
    std::string error;
    ASSERT_TRUE(LoadAefFile(Fixture("v151.aef"), doc, error)) << error;
    EXPECT_EQ(doc.m_nFormVariant, 3);
    ExpectConvertedState(doc, 2);
    ExpectFirstSheet(doc, 127, "v151");
    EXPECT_EQ(doc.Store().GetFieldText(69, 1), u"Z1\r\nZ2\r\nZ3\r\nZ4");
    // Codes 0 1 2 3 2 1: item 0 is the first sheet's; "WSymbol1" is not set, so code 2 is "DEM".
    const CFieldStore& s = doc.Store();
    EXPECT_EQ(s.GetFieldText(29, 2), u"\u20ac");
    EXPECT_EQ(s.GetFieldText(50, 2), u"DEM");
    EXPECT_EQ(s.GetFieldText(71, 2), u"");
    EXPECT_EQ(s.GetFieldText(29, 3), u"DEM");
    EXPECT_EQ(s.GetFieldText(50, 3), u"\u20ac");
    EXPECT_EQ(s.GetFieldText(71, 3), u"");  // no code for item 6
    for (int k = 1; k <= 2; ++k) ExpectSheet(doc, k, u"A11", u"A12", "v151");
}

TEST(AefLegacy, Version110FixedTable) {
    CEinheitspapierDoc doc;
    std::string error;
    ASSERT_TRUE(LoadAefFile(Fixture("v110.aef"), doc, error)) << error;
    ExpectConvertedState(doc, 8);
    EXPECT_EQ(doc.m_nInputTax, 1u);
    const CFieldStore& s = doc.Store();
    auto t = [](int i) { return Num("T", i); };
    auto join = [&](std::initializer_list<int> idx) {
        std::u16string r;
        for (int i : idx) r += (r.empty() && i == *idx.begin() ? u"" : u"\r\n") + t(i);
        return r;
    };
    struct Expect {
        int field;
        std::u16string text;
    };
    const Expect first[] = {
        {0, t(0)},
        {2, t(2)},
        {9, t(3)},
        {10, u"Firma\r\nStra\u00dfe 1"},
        {11, t(8)},
        {16, t(13)},
        {17, t(14)},
        {18, join({15, 16, 17, 18})},
        {21, t(19)},
        {24, t(20)},
        {25, join({21, 22, 23, 24})},
        {26, t(25)},
        {27, t(26)},
        {29, t(27)},
        {47, t(45)},
        {50, t(46)},
        {68, t(64)},
        {69, u"Z1\r\nZ2\r\nZ3\r\nZ4\r\nZ5"},
        {72, t(66)},
        {79, t(73)},
        {86, t(74)},
        {97, t(85)},
        {115, t(91)},
        {139, t(115)},
        {140, u""},
        {149, u""},
        {150, t(116)},
        {103, t(117)},
        {104, t(118)},
        {98, t(119)},
        {99, t(120)},
        {100, u""},
        {102, u""},
    };
    for (const auto& e : first) EXPECT_EQ(s.GetFieldText(e.field, 1), e.text) << "field " << e.field;

    for (int k = 1; k <= 8; ++k) {
        const int p = k + 1, o = 121 + 152 * (k - 1);
        const std::u16string box31 =
            k == 1 ? u"Ware\r\nZeile 2\r\n\r\nZeile 4" : join({o + 2, o + 3, o + 4, o + 5});
        const Expect sheet[] = {
            {0, t(o)},
            {9, t(o + 1)},
            {11, box31},
            {12, t(o + 6)},
            {27, t(o + 21)},
            {28, join({o + 22, o + 23, o + 24})},
            {31, t(o + 25)},
            {32, join({o + 26, o + 27, o + 28, o + 29})},
            {33, t(o + 30)},
            {48, t(o + 45)},
            {49, join({o + 46, o + 47, o + 48})},
            {52, t(o + 49)},
            {53, join({o + 50, o + 51, o + 52, o + 53})},
            {69, t(o + 69)},
            {70, join({o + 70, o + 71, o + 72})},
            {73, t(o + 73)},
            {78, t(o + 74)},
            {102, t(o + 98)},
            {103, u""},
            {112, u""},
            {113, t(o + 99)},
            {114, t(o + 100)},
            {138, t(o + 124)},
            {149, t(o + 125)},
            {150, t(o + 126)},
            {174, t(o + 150)},
            {185, t(o + 151)},
            {186, u""},
            {207, u""},
            {7, t(3)},
            {8, u"Firma\r\nStra\u00dfe 1"},
            {10, t(9)},
            {29, u""},
            {50, u""},
        };
        for (const auto& e : sheet)
            EXPECT_EQ(s.GetFieldText(e.field, p), e.text) << "page " << p << " field " << e.field;
    }
}

TEST(AefLegacy, MapLegacyTextsNeedsTheWholeList) {
    CEinheitspapierDoc doc;
    EXPECT_EQ(doc.MapLegacyTexts(std::vector<std::u16string>(kLegacy110Texts - 1)), 255);
    EXPECT_EQ(doc.m_nContinuationCount, 8);
    EXPECT_TRUE(doc.m_legacyTexts2.empty());
    EXPECT_EQ(doc.MapLegacyTexts(std::vector<std::u16string>(kLegacy110Texts, u"w")), 0);
    EXPECT_EQ(doc.m_legacyTexts1.size(), size_t(kLegacyFirstSheetTexts));
    EXPECT_EQ(doc.m_legacyTexts2.size(), size_t(kLegacySheetTexts) * 8);
}

TEST(AefLegacy, Box44IsRebuiltPerVariant) {
    struct Case {
        int variant;
        std::u16string t[5];
        std::u16string box44;
    } cases[] = {
        {0, {u"a", u"b", u"c", u"d", u""}, u"a\r\nb\r\nc\r\nd"},
        {1, {u"", u"b", u"c", u"d", u"e"}, u"\r\nb\r\nc\r\nd\r\ne"},
        {2, {u"a", u"b", u"c", u"d", u"e"}, u"a\r\nb\r\nc\r\nd\r\ne"},
        {5, {u"", u"b", u"", u"", u""}, u"\r\nb"},
        {kVariantNone, {u"", u"", u"", u"", u""}, u""},
        // A fifth line below a filled first one is kept rather than lost.
        {3, {u"a", u"", u"", u"", u"e"}, u"a\r\n\r\n\r\n\r\ne"},
    };
    for (const auto& c : cases) {
        CEinheitspapierDoc doc;
        doc.m_nFormVariant = c.variant;
        doc.m_legacyTexts1.assign(127, u"");
        for (int i = 0; i < 5; ++i) doc.m_legacyTexts1[77 + i] = c.t[i];
        doc.m_nContinuationCount = 0;
        doc.ConvertLegacyTexts();
        EXPECT_EQ(doc.Store().GetFieldText(69, 1), c.box44) << "variant " << c.variant;
        for (int f = 106; f <= 110; ++f) EXPECT_EQ(doc.Store().GetFieldText(f, 1), u"");
    }
}

TEST(AefLegacy, DamagedOldFilesAreRefused) {
    struct Case {
        const char* what;
        std::vector<uint8_t> data;
        bool ok;
        const char* message;
    } cases[] = {
        {"continuation texts for 2 of 3 sheets", OldFile("KTW-AEForm@1.20", 3, -1, 127, 2 * 193).Data(),
         false, "Ergänzungsblatts 3"},
        {"no continuation texts at all", OldFile("KTW-AEForm@1.41", 1, -1, 127, 0).Data(), false,
         "Ergänzungsblatts 1"},
        {"more sheets than a document holds", OldFile("KTW-AEForm@1.50", 300, -1, 127, 0).Data(), false,
         "Ergänzungsblätter"},
        {"49 currency codes", OldFile("KTW-AEForm@1.51", 1, 49, 127, 193).Data(), true, ""},
        {"50 currency codes", OldFile("KTW-AEForm@1.51", 1, 50, 127, 193).Data(), false, "Währungscodes"},
        {"short first-sheet list", OldFile("KTW-AEForm@1.20", 1, -1, 3, 193).Data(), true, ""},
        {"no continuation sheet", OldFile("KTW-AEForm@1.20", 0, -1, 127, 0).Data(), true, ""},
    };
    for (const auto& c : cases) {
        CEinheitspapierDoc doc;
        std::string error;
        EXPECT_EQ(ReadAef(c.data, doc, error), c.ok) << c.what;
        EXPECT_NE(error.find(c.message), std::string::npos) << c.what << ": " << error;
        EXPECT_EQ(doc.m_nContinuationCount, doc.Store().GetPageCount() - 1) << c.what;
        EXPECT_TRUE(doc.m_legacyTexts2.empty()) << c.what;
    }
    // A 1.10 list one text short.
    CArchiveWriter w;
    w.WriteRaw("KTW-AEForm@1.10", 15);
    w.WriteWord(0);
    w.WriteWord(0);
    w.WriteStringList(std::vector<std::u16string>(kLegacy110Texts - 1));
    CEinheitspapierDoc doc;
    std::string error;
    EXPECT_FALSE(ReadAef(w.Data(), doc, error));
    EXPECT_FALSE(error.empty());
}

// The conversion fails as the readers do, with the archive error their load functions catch.
TEST(AefLegacy, ConversionFailuresAreArchiveErrors) {
    for (const auto& [sheets, texts] : {std::pair{3, 2 * 193}, std::pair{300, 300 * 193}}) {
        CEinheitspapierDoc doc;
        doc.m_legacyTexts1.assign(127, u"");
        doc.m_legacyTexts2.assign(static_cast<size_t>(texts), u"");
        doc.m_nContinuationCount = static_cast<uint16_t>(sheets);
        EXPECT_THROW(doc.ConvertLegacyTexts(), ArchiveError) << sheets;
    }
}

TEST(AefLegacy, ConvertedFilesSaveInTheCurrentLayout) {
    for (const char* name : {"v110.aef", "v120.aef", "v141.aef", "v150.aef", "v151.aef", "v200.aef"}) {
        CEinheitspapierDoc doc;
        std::string error;
        ASSERT_TRUE(LoadAefFile(Fixture(name), doc, error)) << name << ": " << error;
        const std::vector<uint8_t> saved = WriteAef(doc);
        CEinheitspapierDoc back;
        ASSERT_TRUE(ReadAef(saved, back, error)) << name << ": " << error;
        EXPECT_EQ(back.Store().Texts1(), doc.Store().Texts1()) << name;
        EXPECT_EQ(back.Store().Texts2(), doc.Store().Texts2()) << name;
        EXPECT_EQ(back.Store().Words2(), doc.Store().Words2()) << name;
        EXPECT_EQ(back.m_nFormVariant == 5 ? -1 : back.m_nFormVariant, doc.m_nFormVariant) << name;
        EXPECT_FALSE(back.IsModified());
        EXPECT_EQ(WriteAef(back), saved) << name;
    }
}
