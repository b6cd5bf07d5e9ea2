#include <gtest/gtest.h>

#include "core/common/Archive.h"

using namespace tarvex;

namespace {

std::vector<uint8_t> Written(const std::function<void(CArchiveWriter&)>& f) {
    CArchiveWriter w;
    f(w);
    return w.Data();
}

}  // namespace

TEST(Archive, CountUsesEscapeFromFFFF) {
    struct Case {
        uint32_t value;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {0, {0x00, 0x00}},
        {0xFFFE, {0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {0x12345678, {0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12}},
    };
    for (const auto& c : cases) {
        auto bytes = Written([&](CArchiveWriter& w) { w.WriteCount(c.value); });
        EXPECT_EQ(bytes, c.bytes) << c.value;
        CArchiveReader r(bytes);
        EXPECT_EQ(r.ReadCount(), c.value);
        EXPECT_TRUE(r.AtEnd());
    }
}

TEST(Archive, StringLengthFormsAtEveryBoundary) {
    // Header after the FF FE FF marker: byte below 0xFF, FF+WORD below 0xFFFE, FF FFFF DWORD.
    struct Case {
        size_t length;
        std::vector<uint8_t> header;
    } cases[] = {
        {0, {0x00}},
        {0xFE, {0xFE}},
        {0xFF, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {0x10000, {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
    };
    for (const auto& c : cases) {
        std::u16string s(c.length, u'\u00e4');
        auto bytes = Written([&](CArchiveWriter& w) { w.WriteString(s); });
        ASSERT_EQ(bytes.size(), 3 + c.header.size() + 2 * c.length) << c.length;
        EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 3),
                  (std::vector<uint8_t>{0xFF, 0xFE, 0xFF}));
        EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 3, bytes.begin() + 3 + c.header.size()), c.header)
            << c.length;
        CArchiveReader r(bytes);
        EXPECT_EQ(r.ReadString(), s) << c.length;
        EXPECT_TRUE(r.AtEnd());
    }
}

TEST(Archive, EightBitStringsAreWindows1252) {
    // No marker: the length counts bytes; 0x80 is the euro sign, 0xE4 a-umlaut.
    std::vector<uint8_t> bytes = {0x04, 'a', 0x80, 0xE4, 'z'};
    CArchiveReader r(bytes);
    EXPECT_EQ(r.ReadString(), u"a\u20ac\u00e4z");
    // Long 8-bit form: FF + WORD.
    std::vector<uint8_t> longForm = {0xFF, 0x02, 0x01};
    longForm.resize(longForm.size() + 0x102, 'x');
    CArchiveReader r2(longForm);
    EXPECT_EQ(r2.ReadString().size(), 0x102u);
}

TEST(Archive, ListsRoundTrip) {
    std::vector<std::u16string> texts = {u"", u"Stra\u00dfe", u"a\r\nb"};
    std::vector<uint16_t> words = {0, 1, 0x0112, 0xFFFF};
    std::vector<uint8_t> blob = {1, 2, 3};
    auto bytes = Written([&](CArchiveWriter& w) {
        w.WriteStringList(texts);
        w.WriteWordList(words);
        w.WriteByteList(blob);
        w.WriteDWord(0xDEADBEEF);
    });
    CArchiveReader r(bytes);
    EXPECT_EQ(r.ReadStringList(), texts);
    EXPECT_EQ(r.ReadWordList(), words);
    EXPECT_EQ(r.ReadByteList(), blob);
    EXPECT_EQ(r.ReadDWord(), 0xDEADBEEFu);
    EXPECT_TRUE(r.AtEnd());
}

TEST(Archive, OversizedCountsAndLengthsAreErrorsNotAllocations) {
    const std::vector<std::vector<uint8_t>> hostile = {
        {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F},                          // string list of 2^31 entries
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F},  // string of 2^31 units
        {0x10, 'a'},                                                   // 8-bit string cut short
        {0xFF, 0xFE},                                                  // marker cut short
    };
    for (const auto& bytes : hostile) {
        CArchiveReader r(bytes);
        EXPECT_THROW(
            {
                if (bytes.size() == 6)
                    r.ReadStringList();
                else
                    r.ReadString();
            },
            ArchiveError);
    }
    std::vector<uint8_t> words = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00};
    CArchiveReader rw(words);
    EXPECT_THROW(rw.ReadWordList(), ArchiveError);
    std::vector<uint8_t> blob = {0x05, 0x00, 1, 2};
    CArchiveReader rb(blob);
    EXPECT_THROW(rb.ReadByteList(), ArchiveError);
}
