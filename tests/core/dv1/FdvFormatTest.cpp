#include <gtest/gtest.h>

#include <cstring>

#include "core/common/Archive.h"
#include "core/common/TextCodec.h"
#include "core/dv1/Dv1Doc.h"
#include "core/dv1/FdvFormat.h"
#include "tests/common/TestUtil.h"

using namespace tarvex;
using testutil::ReadBytes;
using testutil::TempDir;

namespace {

std::filesystem::path Fixture(const std::string& name) {
    return std::filesystem::path(TARVEX_FIXTURES_DIR) / "fdv" / name;
}

std::u16string U(const std::string& s) {
    return FromUtf8(s);
}

const FdvOrigin kOrigin{u"RECHNER-7", u"Müller"};

// The store holds the D.V.1's shape and the document its fourteen boxes.
void ExpectDv1Shape(const CDV1_Doc& doc) {
    const CFieldStore& s = doc.Store();
    EXPECT_EQ(s.GetFieldCount1(), kDv1Fields1);
    EXPECT_EQ(s.GetFieldCount2(), kDv1Fields2);
    EXPECT_EQ(s.GetPageMode(), kPageModeMulti);
    EXPECT_EQ(s.Texts1().size(), size_t(kDv1Fields1));
    EXPECT_EQ(s.Words1().size(), size_t(kDv1Fields1));
    EXPECT_EQ(s.Texts2().size(), size_t(kDv1Fields2) * (s.GetPageCount() - 1));
    EXPECT_EQ(s.Words2().size(), s.Texts2().size());
    EXPECT_EQ(doc.m_Checks.size(), kDv1Checks);
    EXPECT_TRUE(doc.m_OldTexts1.empty() && doc.m_OldTexts2.empty());
}

// An empty new D.V.1: nothing of a refused file was taken over.
void ExpectEmpty(const CDV1_Doc& doc) {
    ExpectDv1Shape(doc);
    EXPECT_EQ(doc.Store().GetPageCount(), 2);
    for (const auto& t : doc.Store().Texts1()) EXPECT_EQ(t, u"");
    for (const auto& t : doc.Store().Texts2()) EXPECT_EQ(t, u"");
    EXPECT_EQ(doc.m_Checks, std::vector<uint8_t>(14, 0));
}

// The beginning of a 3.00 file up to the field-store block.
CArchiveWriter Header300(uint16_t version = 300) {
    CArchiveWriter w;
    w.WriteRaw(kFdvSignature, kFdvSignatureLength);
    w.WriteWord(version);
    w.WriteDWord(7);
    for (int i = 0; i < 10; ++i) w.WriteByte(0xFF);
    w.WriteStringList({u"pc", u"me"});
    return w;
}

void WriteBlock(CArchiveWriter& w, uint16_t magic, uint16_t n1, uint16_t mode, uint16_t n2, size_t texts2) {
    w.WriteWord(magic);
    w.WriteWord(2);
    w.WriteStringList(std::vector<std::u16string>(n1));
    w.WriteWordList(std::vector<uint16_t>(n1, 3));
    w.WriteWord(mode);
    w.WriteWord(n2);
    w.WriteStringList(std::vector<std::u16string>(texts2));
    w.WriteWordList(std::vector<uint16_t>(texts2, 3));
}

}  // namespace

TEST(FdvFormat, FileLayoutOfANewDocument) {
    CDV1_Doc doc;
    doc.Store().SetFieldText(0, u"Käufer  ", 1);
    const std::vector<uint8_t> d = WriteFdv(doc, kOrigin);
    ASSERT_GT(d.size(), 40u);
    EXPECT_EQ(std::memcmp(d.data(), "KTW-DV1Form@3.00", 16), 0);
    EXPECT_EQ(d[16] | d[17] << 8, 300);
    for (int i = 22; i < 32; ++i) EXPECT_EQ(d[i], 0xFF) << i;
    CArchiveReader ar(d);
    ar.Skip(32);
    EXPECT_EQ(ar.ReadStringList(), (std::vector<std::u16string>{u"RECHNER-7", u"Müller"}));
    EXPECT_EQ(ar.ReadWord(), kFieldStoreMagic);
    ar.ReadWord();
    EXPECT_EQ(ar.ReadStringList()[0], u"Käufer");  // trailing blanks are not saved
    ar.ReadWordList();
    EXPECT_EQ(ar.ReadWord(), kPageModeMulti + 2);
    EXPECT_EQ(ar.ReadWord(), kDv1Fields2);
    ar.ReadStringList();
    ar.ReadWordList();
    EXPECT_EQ(ar.ReadByteList(), std::vector<uint8_t>(14, 0));
    EXPECT_EQ(ar.ReadByte(), '@');
    EXPECT_TRUE(ar.AtEnd());
}

TEST(FdvFormat, FullDocumentRoundTripIsByteIdentical) {
    CDV1_Doc doc;
    while (doc.AddPage() > 0) {
    }
    CFieldStore& s = doc.Store();
    ASSERT_EQ(s.GetPageCount(), kMaxPages);
    for (int i = 0; i < kDv1Fields1; ++i) {
        s.SetFieldText(i, U("Vorne " + std::to_string(i) + "\r\nzweite Zeile äöü €  "), 1);
        s.SetFieldFlags(i, 1, static_cast<uint16_t>(0x0010 | 0x0100 | (i % 5)));
    }
    for (int p = 2; p <= kMaxPages; ++p)
        for (int i = 0; i < kDv1Fields2; ++i) {
            s.SetFieldText(i, U(std::to_string(p) + "/" + std::to_string(i)), p);
            s.SetFieldFlags(i, p, static_cast<uint16_t>((p + i) % 5 | ((p * i) % 3) << 8 | (i % 2) << 4));
        }
    s.SetFieldText(60, std::u16string(300, u'x'), kMaxPages);  // a long text takes the longer length form
    for (size_t i = 0; i < kDv1Checks; ++i) doc.m_Checks[i] = static_cast<uint8_t>(i % 3);

    const std::vector<uint8_t> first = WriteFdv(doc, kOrigin);
    CDV1_Doc read;
    std::string error;
    ASSERT_TRUE(ReadFdv(first, read, error)) << error;
    EXPECT_EQ(read.m_nLoadMessage, 0);
    ExpectDv1Shape(read);
    const CFieldStore& r = read.Store();
    EXPECT_EQ(r.GetPageCount(), kMaxPages);
    EXPECT_EQ(r.GetFieldText(3, 1), U("Vorne 3\r\nzweite Zeile äöü €"));
    EXPECT_EQ(r.Texts1(), s.Texts1());
    EXPECT_EQ(r.Words1(), s.Words1());
    EXPECT_EQ(r.Texts2(), s.Texts2());
    EXPECT_EQ(r.Words2(), s.Words2());
    EXPECT_EQ(read.m_Checks, doc.m_Checks);
    EXPECT_EQ(WriteFdv(read, kOrigin), first);
}

TEST(FdvFormat, OldVersionsConvertToTheCurrentLayout) {
    const struct {
        const char* file;
        int pages;
        int perPage;  // 56: the old layout that is converted
    } cases[] = {{"v100.fdv", 2, 56}, {"v101.fdv", 3, 56}, {"v110.fdv", 3, 61}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        CDV1_Doc doc;
        std::string error;
        ASSERT_TRUE(ReadFdv(ReadBytes(Fixture(c.file)), doc, error)) << error;
        EXPECT_EQ(doc.m_nLoadMessage, 0);
        ExpectDv1Shape(doc);
        const CFieldStore& s = doc.Store();
        ASSERT_EQ(s.GetPageCount(), c.pages);
        EXPECT_EQ(s.GetFieldText(0, 1), u"F0");
        EXPECT_EQ(s.GetFieldText(1, 1), u"Grüße");
        EXPECT_EQ(s.GetFieldText(11, 1), u"F11");
        for (int p = 2; p <= c.pages; ++p) {
            auto old = [&](int j) { return U("P" + std::to_string(p - 1) + "." + std::to_string(j)); };
            std::vector<std::u16string> expected(61);
            if (c.perPage == 61) {
                for (int i = 0; i < 61; ++i) expected[i] = old(i);
            } else {
                expected[0] = old(0);
                for (int i = 2; i <= 15; ++i) expected[i] = old(i - 1);
                expected[17] = old(15);
                expected[19] = old(16);
                expected[21] = old(17);
                for (int i = 23; i <= 60; ++i) expected[i] = old(i - 5);
            }
            for (int i = 0; i < 61; ++i) EXPECT_EQ(s.GetFieldText(i, p), expected[i]) << p << "/" << i;
            EXPECT_EQ(s.GetFieldFlags(0, p), 3);
            EXPECT_EQ(s.GetFieldFlags(4, p), 0x203);
            EXPECT_EQ(s.GetFieldFlags(52, p), 3);
        }
        for (int i = 0; i < kDv1Fields1; ++i) EXPECT_EQ(s.GetFieldFlags(i, 1), 3);
        for (size_t i = 0; i < kDv1Checks; ++i) EXPECT_EQ(doc.m_Checks[i], i % 2) << i;
    }
}

TEST(FdvFormat, OtherKindsAndVersionsOpenEmptyWithTheirMessage) {
    CArchiveWriter v299 = Header300(299);
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
        int message;      // after reading
        int openMessage;  // with which the program opens it
    } cases[] = {
        {"10 bytes", ReadBytes(Fixture("short.fdv")), 0, 18},
        {"empty", {}, 0, 0},
        {"SAD file", ReadBytes(Fixture("unknown.fdv")), 18, 18},
        {"2.00", ReadBytes(Fixture("v200.fdv")), 19, 19},
        {"3.10", ReadBytes(Fixture("v310.fdv")), 20, 20},
        {"3.00 with version word 301", ReadBytes(Fixture("v300-301.fdv")), 20, 20},
        {"3.00 with version word 299", v299.Data(), 19, 19},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CDV1_Doc doc;
        doc.Store().SetFieldText(0, u"vorher", 1);
        FdvReadInfo info;
        std::string error;
        ASSERT_TRUE(ReadFdv(c.bytes, doc, error, &info)) << error;
        EXPECT_EQ(doc.m_nLoadMessage, c.message);
        EXPECT_EQ(FdvOpenMessage(doc, info), c.openMessage);
        ExpectEmpty(doc);
    }
    EXPECT_EQ(FdvLoadMessageText(20),
              u"Dies ist ein Dokument einer neueren Version\nund kann nicht geöffnet werden!");
    EXPECT_EQ(FdvLoadMessageText(0), u"");
}

TEST(FdvFormat, EveryTruncationIsRefused) {
    for (const char* name : {"v300.fdv", "v100.fdv", "v101.fdv", "v110.fdv"}) {
        const std::vector<uint8_t> full = ReadBytes(Fixture(name));
        for (size_t n = kFdvSignatureLength; n < full.size(); ++n) {
            CDV1_Doc doc;
            std::string error;
            ASSERT_FALSE(ReadFdv(std::span(full.data(), n), doc, error)) << name << " cut to " << n;
            ASSERT_FALSE(error.empty());
            ExpectEmpty(doc);
        }
        CDV1_Doc doc;
        std::string error;
        EXPECT_TRUE(ReadFdv(full, doc, error)) << name << ": " << error;
    }
}

TEST(FdvFormat, HostileCountsAndShapesAreRefused) {
    auto old = [](const char* sig, uint16_t pages, size_t front, size_t cont, size_t checks,
                  uint32_t contCount = 0xFFFFFFFF) {
        CArchiveWriter w;
        w.WriteRaw(sig, 16);
        w.WriteWord(pages);
        w.WriteStringList(std::vector<std::u16string>(front, u"a"));
        if (contCount != 0xFFFFFFFF) {
            w.WriteCount(contCount);  // a count the bytes after it cannot hold
        } else {
            w.WriteStringList(std::vector<std::u16string>(cont, u"b"));
        }
        w.WriteByteList(std::vector<uint8_t>(checks, 1));
        return w.Data();
    };
    auto current = [](uint16_t magic, uint16_t n1, uint16_t mode, uint16_t n2, size_t texts2, size_t checks) {
        CArchiveWriter w = Header300();
        WriteBlock(w, magic, n1, mode, n2, texts2);
        w.WriteByteList(std::vector<uint8_t>(checks, 0));
        w.WriteByte('@');
        return w.Data();
    };
    std::vector<uint8_t> noEndMark = current(kFieldStoreMagic, 12, 0x2002, 61, 61, 14);
    noEndMark.back() = 'X';
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"1.01 without pages", old("KTW-DV1Form@1.01", 0, 12, 0, 14)},
        {"1.01 with the front page only", old("KTW-DV1Form@1.01", 1, 12, 0, 14)},
        {"1.01 with 256 pages", old("KTW-DV1Form@1.01", 256, 12, 255 * 56, 14)},
        {"1.10 with 65535 pages", old("KTW-DV1Form@1.10", 0xFFFF, 12, 61, 14)},
        {"1.10 with 11 front texts", old("KTW-DV1Form@1.10", 2, 11, 61, 14)},
        {"1.10 with a page too few", old("KTW-DV1Form@1.10", 3, 12, 61 + 60, 14)},
        {"1.01 with a page too few", old("KTW-DV1Form@1.01", 3, 12, 56 + 55, 14)},
        {"1.01 with 13 check marks", old("KTW-DV1Form@1.01", 2, 12, 56, 13)},
        {"1.10 with a list of 4 billion texts", old("KTW-DV1Form@1.10", 2, 12, 0, 14, 0xFFFFFFF0u)},
        {"3.00 with a wrong block marker", current(0x1207, 12, 0x2002, 61, 61, 14)},
        {"3.00 with 13 front fields", current(kFieldStoreMagic, 13, 0x2002, 61, 61, 14)},
        {"3.00 with 60 fields per page", current(kFieldStoreMagic, 12, 0x2002, 60, 60, 14)},
        {"3.00 in single-page mode", current(kFieldStoreMagic, 12, 0x1000, 0, 0, 14)},
        {"3.00 with page count and texts apart", current(kFieldStoreMagic, 12, 0x2003, 61, 61, 14)},
        {"3.00 with 15 check marks", current(kFieldStoreMagic, 12, 0x2002, 61, 61, 15)},
        {"3.00 without its end mark", noEndMark},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CDV1_Doc doc;
        std::string error;
        EXPECT_FALSE(ReadFdv(c.bytes, doc, error));
        EXPECT_FALSE(error.empty());
        ExpectEmpty(doc);
    }
    // The same shapes within the rules are read: the refusals above are the counts alone.
    CDV1_Doc doc;
    std::string error;
    EXPECT_TRUE(ReadFdv(old("KTW-DV1Form@1.01", 255, 12, 254 * 56, 14), doc, error)) << error;
    EXPECT_EQ(doc.Store().GetPageCount(), 255);
    EXPECT_TRUE(ReadFdv(current(kFieldStoreMagic, 12, 0x2003, 61, 122, 14), doc, error)) << error;
    EXPECT_EQ(doc.Store().GetPageCount(), 3);
}

TEST(FdvFormat, SaveAndLoadThroughAFile) {
    TempDir dir;
    CDV1_Doc doc;
    doc.Store().SetFieldText(7, u"250", 2);
    doc.m_Checks[13] = 1;
    doc.SetModifiedFlag();
    std::string error;
    ASSERT_TRUE(SaveFdvFile(dir / "a.fdv", doc, error)) << error;
    EXPECT_FALSE(doc.IsModified());
    CDV1_Doc read;
    FdvReadInfo info;
    ASSERT_TRUE(LoadFdvFile(dir / "a.fdv", read, error, &info)) << error;
    EXPECT_EQ(info.signature, "KTW-DV1Form@3.00");
    EXPECT_EQ(info.version, 300);
    EXPECT_EQ(read.Store().GetFieldText(7, 2), u"250");
    EXPECT_EQ(read.m_Checks[13], 1);

    // A save that cannot be done says why.
    error.clear();
    EXPECT_FALSE(SaveFdvFile(dir / "missing" / "b.fdv", doc, error));
    EXPECT_FALSE(error.empty());
}
