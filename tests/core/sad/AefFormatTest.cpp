#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

#include "AefTestUtil.h"
#include "core/common/Archive.h"
#include "core/common/TextCodec.h"
#include "core/sad/AefFormat.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/settings/Profile.h"

using namespace tarvex;
using namespace tarvex::aeftest;

namespace {

uint16_t WordAt(const std::vector<uint8_t>& d, size_t at) {
    return static_cast<uint16_t>(d[at] | d[at + 1] << 8);
}
uint32_t DWordAt(const std::vector<uint8_t>& d, size_t at) {
    return WordAt(d, at) | uint32_t(WordAt(d, at + 2)) << 16;
}

bool Contains(const std::vector<uint8_t>& hay, const std::vector<uint8_t>& needle) {
    return std::search(hay.begin(), hay.end(), needle.begin(), needle.end()) != hay.end();
}

// The store and the document agree on the pages, and every page is reachable.
void ExpectConsistent(const CEinheitspapierDoc& doc) {
    const CFieldStore& s = doc.Store();
    EXPECT_EQ(doc.m_nContinuationCount, s.GetPageCount() - 1);
    EXPECT_EQ(s.Texts1().size(), s.GetFieldCount1());
    EXPECT_EQ(s.Words1().size(), s.GetFieldCount1());
    EXPECT_EQ(s.Texts2().size(), size_t(s.GetFieldCount2()) * (s.GetPageCount() - 1));
    EXPECT_EQ(s.Words2().size(), s.Texts2().size());
}

}  // namespace

TEST(AefFormat, NewDocumentFileLayout) {
    CMemoryProfile profile;
    CEinheitspapierDoc doc(&profile);
    doc.OnNewDocument();
    doc.Store().SetFieldText(10, u"Text  ", 1);
    doc.Store().SetFieldText(11, std::u16string(300, u'q'), 1);
    const std::vector<uint8_t> d = WriteAef(doc);

    ASSERT_GT(d.size(), 43u);
    EXPECT_EQ(std::memcmp(d.data(), "KTW-EHForm@2.10", 15), 0);
    for (int i = 15; i < 31; ++i) EXPECT_EQ(d[i], 0xFF) << i;
    EXPECT_EQ(WordAt(d, 31), 1);
    EXPECT_EQ(DWordAt(d, 33), 0u);
    EXPECT_EQ(d[37], 0);
    EXPECT_EQ(DWordAt(d, 38), 5u);  // no variant chosen yet
    EXPECT_EQ(WordAt(d, 42), 0x1206);
    EXPECT_EQ(WordAt(d, 44), 2);
    EXPECT_EQ(d.back(), '@');
    // Trailing blanks are not written; a 300-character text has the long length form.
    EXPECT_TRUE(Contains(d, {0xFF, 0xFE, 0xFF, 4, 'T', 0, 'e', 0, 'x', 0, 't', 0, 0xFF}));
    EXPECT_TRUE(Contains(d, {0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01, 'q', 0}));

    CEinheitspapierDoc back(&profile);
    std::string error;
    ASSERT_TRUE(ReadAef(d, back, error)) << error;
    EXPECT_EQ(back.m_nLoadStatus, 0);
    EXPECT_EQ(back.Store().GetFieldText(10, 1), u"Text");
    EXPECT_EQ(back.Store().Words1(), doc.Store().Words1());
    EXPECT_EQ(back.Store().Words2(), doc.Store().Words2());
    EXPECT_EQ(back.Store().GetPageModeWord(), 0x2002);
    EXPECT_EQ(back.m_nContinuationCount, 1);
    EXPECT_FALSE(back.IsModified());
}

TEST(AefFormat, FullDocumentRoundTripIsByteIdentical) {
    CEinheitspapierDoc doc;
    FillEverything(doc);
    const std::vector<uint8_t> first = WriteAef(doc);

    CEinheitspapierDoc back;
    std::string error;
    ASSERT_TRUE(ReadAef(first, back, error)) << error;
    EXPECT_EQ(back.Store().GetPageCount(), 255);
    EXPECT_EQ(back.m_nContinuationCount, 254);
    EXPECT_EQ(back.m_nFormVariant, 3);
    EXPECT_EQ(back.m_nInputTax, 1u);
    EXPECT_EQ(back.m_nReserved, 0x01020304u);
    EXPECT_EQ(back.Store().Texts1(), doc.Store().Texts1());
    EXPECT_EQ(back.Store().Texts2(), doc.Store().Texts2());
    EXPECT_EQ(back.Store().Words1(), doc.Store().Words1());
    EXPECT_EQ(back.Store().Words2(), doc.Store().Words2());
    EXPECT_EQ(back.Store().GetFieldText(213, 255).substr(0, 7), u"Seite V");
    EXPECT_EQ(WriteAef(back), first);
}

TEST(AefFormat, FormCodesAndVariants) {
    struct Case {
        uint32_t code;
        int variant;
        uint32_t written;
    } cases[] = {{3, 0, 3}, {7, 1, 7}, {10, 2, 10}, {11, 3, 11}, {8, 5, 5}, {0, 5, 5}, {0xFFFFFFFF, 5, 5}};
    for (const auto& c : cases) {
        CEinheitspapierDoc doc;
        CArchiveWriter w = Header210(1, c.code);
        doc.Store().WriteBlock(w);
        w.WriteByte('@');
        std::string error;
        AefReadInfo info;
        ASSERT_TRUE(ReadAef(w.Data(), doc, error, &info)) << error;
        EXPECT_EQ(doc.m_nFormVariant, c.variant) << c.code;
        EXPECT_TRUE(info.hasFormCode);
        EXPECT_EQ(info.formCode, c.code);
        EXPECT_EQ(DWordAt(WriteAef(doc), 38), c.written) << c.code;
    }
}

TEST(AefFormat, StatusOfShortOldAndUnknownFiles) {
    struct Case {
        const char* file;
        int status;
    } cases[] = {{"short.aef", 0}, {"v100.aef", 19}, {"unknown.aef", 18}};
    for (const auto& c : cases) {
        CMemoryProfile profile;
        profile.WriteProfileString("EHForm_Defaults", "Bundesland1", u"09");
        CEinheitspapierDoc doc(&profile);
        doc.Store().SetFieldText(0, u"vorher", 1);
        std::string error;
        ASSERT_TRUE(LoadAefFile(Fixture(c.file), doc, error)) << c.file << ": " << error;
        EXPECT_EQ(doc.m_nLoadStatus, c.status) << c.file;
        // The document stays as reset: nothing of earlier contents, and none of the defaults of
        // new documents either, as it was read from a file.
        EXPECT_EQ(doc.Store().GetFieldText(0, 1), u"") << c.file;
        EXPECT_EQ(doc.Store().GetFieldText(60, 1), u"") << c.file;
        EXPECT_EQ(doc.Store().GetPageCount(), 2);
        EXPECT_EQ(doc.m_nContinuationCount, 1);
    }
}

TEST(AefFormat, OpenStatusRefusesForeignFilesButOpensEmptyOnes) {
    struct Case {
        std::vector<uint8_t> bytes;
        int status;
    } cases[] = {
        {{}, 0},                                                   // the desktop's "new document"
        {{'h', 'a', 'l', 'l', 'o', '\n'}, 18},                     // a few bytes of text
        {std::vector<uint8_t>(kAefSignatureLength - 1, 'K'), 18},  // one byte short of a signature
        {std::vector<uint8_t>(64, 'x'), 18},                       // a foreign signature
    };
    for (const auto& c : cases) {
        CEinheitspapierDoc doc;
        std::string error;
        AefReadInfo read;
        ASSERT_TRUE(ReadAef(c.bytes, doc, error, &read)) << error;
        EXPECT_EQ(AefOpenStatus(doc, read), c.status) << c.bytes.size();
    }
    // A document of the current layout opens.
    CEinheitspapierDoc doc, opened;
    std::string error;
    const std::vector<uint8_t> bytes = WriteAef(doc);
    AefReadInfo read;
    ASSERT_TRUE(ReadAef(bytes, opened, error, &read)) << error;
    EXPECT_EQ(AefOpenStatus(opened, read), 0);
}

TEST(AefFormat, ReadsAnIndependentlyWritten210File) {
    CEinheitspapierDoc doc;
    std::string error;
    ASSERT_TRUE(LoadAefFile(Fixture("v210.aef"), doc, error)) << error;
    const CFieldStore& s = doc.Store();
    EXPECT_EQ(doc.m_nFormVariant, 2);
    EXPECT_EQ(doc.m_nReserved, 0xDEADBEEFu);
    EXPECT_EQ(doc.m_nInputTax, 1u);
    EXPECT_EQ(s.GetPageCount(), 2);
    EXPECT_EQ(s.GetFieldText(5, 1), std::u16string(300, u'X'));
    EXPECT_EQ(s.GetFieldText(14, 1), u"f14");
    EXPECT_EQ(s.GetFieldText(8, 2), u"Zeile 1\r\nZeile 2");
    EXPECT_EQ(s.GetFieldFlags(8, 2), 0x112);
    EXPECT_EQ(s.GetFieldText(22, 2), u"p2.22");
    // Writing it again gives the same bytes, in memory and in a file on this system (no line-end
    // translation on the way out, the CR LF in box 8 stays as it is).
    EXPECT_EQ(WriteAef(doc), ReadBytes(Fixture("v210.aef")));
    TempDir dir;
    ASSERT_TRUE(SaveAefFile(dir / "wieder.aef", doc, error)) << error;
    EXPECT_EQ(ReadBytes(dir / "wieder.aef"), ReadBytes(Fixture("v210.aef")));
}

TEST(AefFormat, Version200IsGrownToTheCurrentFieldCounts) {
    CEinheitspapierDoc doc;
    std::string error;
    AefReadInfo info;
    ASSERT_TRUE(LoadAefFile(Fixture("v200.aef"), doc, error, &info)) << error;
    const CFieldStore& s = doc.Store();
    EXPECT_EQ(info.formCode, 3u);
    EXPECT_EQ(doc.m_nFormVariant, 0);
    EXPECT_EQ(s.GetFieldCount1(), 154);
    EXPECT_EQ(s.GetFieldCount2(), 214);
    // The file's three pages, no more.
    EXPECT_EQ(s.GetPageCount(), 3);
    EXPECT_EQ(doc.m_nContinuationCount, 2);
    for (int i : {0, 57, 119}) {
        EXPECT_EQ(s.GetFieldText(i, 1), u"F" + FromUtf8(std::to_string(i)));
        EXPECT_EQ(s.GetFieldFlags(i, 1), 0x10 | (i % 5));
    }
    for (int p : {2, 3}) {
        for (int i : {0, 123, 199}) {
            EXPECT_EQ(s.GetFieldText(i, p), FromUtf8("P" + std::to_string(p) + "." + std::to_string(i)));
            EXPECT_EQ(s.GetFieldFlags(i, p), 0x200 | (i % 5));
        }
        EXPECT_EQ(s.GetFieldText(200, p), u"");
        EXPECT_EQ(s.GetFieldText(213, p), u"");
    }
    EXPECT_EQ(s.GetFieldText(120, 1), u"");
    EXPECT_EQ(s.GetFieldText(153, 1), u"");
    ExpectConsistent(doc);
}

TEST(AefFormat, DamagedFieldStoreBlocks) {
    struct Case {
        const char* what;
        std::vector<uint8_t> block;  // written after a 2.10 header
        bool ok;
    };
    auto blockWith = [](uint16_t magic, uint16_t version, uint16_t mode, uint16_t n2, uint32_t texts2,
                        uint32_t words2) {
        CArchiveWriter w;
        w.WriteWord(magic);
        w.WriteWord(version);
        w.WriteStringList({u"a", u"b"});
        w.WriteWordList({1, 2});
        if (version == 2) {
            w.WriteWord(mode);
            w.WriteWord(n2);
            w.WriteStringList(std::vector<std::u16string>(texts2, u"t"));
            w.WriteWordList(std::vector<uint16_t>(words2, 2));
        }
        w.WriteByte('@');
        return w.Data();
    };
    std::vector<Case> cases = {
        {"good", blockWith(0x1206, 2, 0x2003, 3, 6, 6), true},
        {"version 1", blockWith(0x1206, 1, 0, 0, 0, 0), true},
        {"page mode says 3 pages, lists hold 2", blockWith(0x1206, 2, 0x2003, 3, 3, 3), false},
        {"words shorter than texts", blockWith(0x1206, 2, 0x2002, 3, 3, 2), false},
        {"single page with continuation texts", blockWith(0x1206, 2, 0x1000, 3, 3, 3), false},
        {"unknown page mode", blockWith(0x1206, 2, 0x7002, 3, 3, 3), false},
    };
    // A list announcing far more strings than the file holds.
    CArchiveWriter huge;
    huge.WriteWord(0x1206);
    huge.WriteWord(2);
    huge.WriteCount(0x7FFFFFFF);
    huge.WriteString(u"x");
    cases.push_back({"list count beyond the data", huge.Data(), false});
    // A string announcing more characters than there are bytes.
    CArchiveWriter longText;
    longText.WriteWord(0x1206);
    longText.WriteWord(2);
    longText.WriteCount(1);
    longText.WriteRaw("\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 10);
    cases.push_back({"string length beyond the data", longText.Data(), false});

    for (const auto& c : cases) {
        CArchiveWriter w = Header210(2);
        w.WriteRaw(c.block.data(), c.block.size());
        CEinheitspapierDoc doc;
        std::string error;
        EXPECT_EQ(ReadAef(w.Data(), doc, error), c.ok) << c.what;
        if (!c.ok) {
            EXPECT_NE(error.find("beschädigt"), std::string::npos) << c.what << ": " << error;
        }
        ExpectConsistent(doc);
    }
}

TEST(AefFormat, WrongBlockMarkerOrVersionLeavesOneField) {
    for (auto [magic, version] : {std::pair<uint16_t, uint16_t>{0x1207, 2}, {0x1206, 3}}) {
        CArchiveWriter w = Header210(1);
        w.WriteWord(magic);
        w.WriteWord(version);
        w.WriteByte('@');
        CEinheitspapierDoc doc;
        std::string error;
        ASSERT_TRUE(ReadAef(w.Data(), doc, error)) << error;
        EXPECT_EQ(doc.m_nLoadStatus, 0);
        EXPECT_EQ(doc.Store().GetFieldCount1(), 1);
        EXPECT_EQ(doc.Store().GetPageModeWord(), 0x1000);
        ExpectConsistent(doc);
    }
}

TEST(AefFormat, EveryTruncationIsRefused) {
    for (const char* name : {"v210.aef", "v200.aef", "v120.aef", "v151.aef", "v110.aef"}) {
        const std::vector<uint8_t> full = ReadBytes(Fixture(name));
        // The 2.00 layout has no closing byte; every other layout needs its last byte.
        for (size_t n = 15; n < full.size(); ++n) {
            CEinheitspapierDoc doc;
            std::string error;
            const bool ok = ReadAef(std::span(full.data(), n), doc, error);
            ASSERT_FALSE(ok) << name << " cut to " << n;
            ASSERT_FALSE(error.empty());
            ExpectConsistent(doc);
        }
        CEinheitspapierDoc doc;
        std::string error;
        EXPECT_TRUE(ReadAef(full, doc, error)) << name << ": " << error;
    }
}

TEST(AefFormat, SaveReplacesTheFileAndKeepsItsPermissions) {
    TempDir dir;
    const auto path = dir / "doc.aef";
    CEinheitspapierDoc doc;
    doc.Store().SetFieldText(0, u"eins", 1);
    std::string error;
    ASSERT_TRUE(SaveAefFile(path, doc, error)) << error;
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    doc.Store().SetFieldText(0, u"zwei", 1);
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(SaveAefFile(path, doc, error)) << error;
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(ReadBytes(path), WriteAef(doc));
    // Nothing but the document is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    if (!testutil::kSymlinksAndModes) GTEST_SKIP() << testutil::kNoSymlinksAndModes;
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);

    // Saving through a link replaces the linked file and keeps the link.
    const auto link = dir / "link.aef";
    std::filesystem::create_symlink(path, link);
    doc.Store().SetFieldText(0, u"drei", 1);
    ASSERT_TRUE(SaveAefFile(link, doc, error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    CEinheitspapierDoc back;
    ASSERT_TRUE(LoadAefFile(path, back, error)) << error;
    EXPECT_EQ(back.Store().GetFieldText(0, 1), u"drei");
}

TEST(AefFormat, FailedSaveLeavesTheOldFileAndSaysWhy) {
    TempDir dir;
    CEinheitspapierDoc doc;
    std::string error;
    // A folder that does not exist.
    EXPECT_FALSE(SaveAefFile(dir / "fehlt" / "doc.aef", doc, error));
    EXPECT_NE(error.find("doc.aef"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "fehlt"));
    // A folder in place of the file.
    std::filesystem::create_directory(dir / "ordner.aef");
    error.clear();
    EXPECT_FALSE(SaveAefFile(dir / "ordner.aef", doc, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "ordner.aef"));
    // A failed load reports the cause.
    error.clear();
    EXPECT_FALSE(LoadAefFile(dir / "nichts.aef", doc, error));
    EXPECT_NE(error.find("nichts.aef"), std::string::npos);
}

#ifndef _WIN32
TEST(AefFormat, SaveThatCannotBeCompletedKeepsTheOldFile) {
    TempDir dir;
    const auto path = dir / "doc.aef";
    CEinheitspapierDoc small;
    small.Store().SetFieldText(0, u"alt", 1);
    std::string error;
    ASSERT_TRUE(SaveAefFile(path, small, error)) << error;
    const std::vector<uint8_t> before = ReadBytes(path);

    CEinheitspapierDoc big;
    FillEverything(big);
    // A file-size limit makes the write of the temporary file fail half-way (as a full disk would).
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit lim = saved;
    lim.rlim_cur = 64 * 1024;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &lim), 0);
    const bool ok = SaveAefFile(path, big, error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(ok);
    EXPECT_NE(error.find("doc.aef"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}
#else
TEST(AefFormat, SaveThatCannotBeCompletedKeepsTheOldFile) {
    GTEST_SKIP() << "a full disk is made with the file-size limit RLIMIT_FSIZE, which Windows does not have";
}
#endif
