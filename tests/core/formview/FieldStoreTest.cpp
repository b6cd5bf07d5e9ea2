#include <gtest/gtest.h>

#include "core/common/Archive.h"
#include "core/formview/FieldStore.h"

using namespace tarvex;

namespace {

// Stands in for the edit window: holds the text typed into the active field.
class FakeWindow : public IEditWindow {
public:
    bool HasWindow() const override { return true; }
    std::u16string WindowText() const override { return text; }
    void SetWindowText(const std::u16string& t) override { text = t; }
    void ShowField(uint16_t, uint16_t) override { ++shows; }
    std::u16string text;
    int shows = 0;
};

// Loads the field's stored text when it is shown, as the real window does.
class ShowingWindow : public IEditWindow {
public:
    explicit ShowingWindow(const CFieldStore& s) : store(s) {}
    bool HasWindow() const override { return true; }
    std::u16string WindowText() const override { return text; }
    void SetWindowText(const std::u16string& t) override { text = t; }
    void ShowField(uint16_t index, uint16_t page) override {
        text = store.GetFieldText(index, page);
        shown.emplace_back(index, page);
    }
    const CFieldStore& store;
    std::u16string text;
    std::vector<std::pair<int, int>> shown;
};

std::vector<uint8_t> Block(CFieldStore& s) {
    CArchiveWriter w;
    s.WriteBlock(w);
    return w.Data();
}

}  // namespace

TEST(FieldStore, PageModeArithmetic) {
    CFieldStore s;
    EXPECT_EQ(s.GetPageCount(), 1);
    s.SetFieldCounts(12, 61, true);
    EXPECT_EQ(s.GetPageModeWord(), 0x2002);
    EXPECT_EQ(s.GetPageCount(), 2);
    EXPECT_EQ(s.GetFieldFlags(60, 2), 1);
    s.AddPage();
    EXPECT_EQ(s.GetPageModeWord(), 0x2003);
    EXPECT_EQ(s.Texts2().size(), 122u);
    // Adding a page to a single page copies set 1's layout.
    CFieldStore single;
    single.SetFieldCounts(12, 0, true);
    EXPECT_EQ(single.GetPageMode(), kPageModeSingle);
    single.SetFieldFlags(3, 1, 0x0112);
    single.AddPage();
    EXPECT_EQ(single.GetFieldCount2(), 12);
    EXPECT_EQ(single.GetFieldFlags(3, 2), 0x0112);
    EXPECT_EQ(single.GetPageModeWord(), 0x2002);
}

TEST(FieldStore, PageLimitIs255) {
    CFieldStore s;
    s.SetFieldCounts(2, 3, true);
    EXPECT_TRUE(s.SetPageCount(253, 2));
    EXPECT_EQ(s.GetPageCount(), 254);
    EXPECT_TRUE(s.AddPage());
    EXPECT_EQ(s.GetPageCount(), 255);
    EXPECT_FALSE(s.AddPage());
    EXPECT_EQ(s.GetPageCount(), 255);
    EXPECT_FALSE(s.SetPageCount(255, 2));
    EXPECT_EQ(s.GetPageModeWord(), 0x20FF);
}

TEST(FieldStore, GrowFieldCountsKeepsTextsAndAddsAPage) {
    CFieldStore s;
    s.SetFieldCounts(3, 2, true);
    s.AddPage();  // 3 pages
    s.SetFieldText(2, u"one", 1);
    s.SetFieldFlags(2, 1, 0x0204);
    s.SetFieldText(1, u"c1", 2);
    s.SetFieldText(0, u"c2", 3);
    s.SetFieldFlags(0, 3, 0x0110);
    EXPECT_FALSE(s.GrowFieldCounts(2, 5));
    EXPECT_TRUE(s.GrowFieldCounts(5, 4));
    EXPECT_EQ(s.GetFieldCount1(), 5);
    EXPECT_EQ(s.GetFieldCount2(), 4);
    EXPECT_EQ(s.GetPageCount(), 4);
    EXPECT_EQ(s.GetFieldText(2, 1), u"one");
    EXPECT_EQ(s.GetFieldFlags(2, 1), 0x0204);
    EXPECT_EQ(s.GetFieldText(1, 2), u"c1");
    EXPECT_EQ(s.GetFieldText(0, 3), u"c2");
    EXPECT_EQ(s.GetFieldFlags(0, 3), 0x0110);
    EXPECT_EQ(s.GetFieldText(3, 2), u"");
    EXPECT_EQ(s.GetFieldFlags(0, 4), 2);  // page that did not exist before
}

TEST(FieldStore, FormattingOperations) {
    CFieldStore s;
    s.SetFieldCounts(4, 0, true);
    s.SetFieldFlags(0, 1, 0x0112);
    s.FontBigger();
    EXPECT_EQ(s.GetFieldFlags(0, 1), 0x0113);
    s.ToggleBold();
    EXPECT_EQ(s.GetFieldFlags(0, 1), 0x0103);
    s.SetFontSize(0, 1, 4);
    EXPECT_EQ(s.GetFieldFlags(0, 1), 0x0104);
    EXPECT_FALSE(s.CanFontBigger());
    s.FontBigger();
    EXPECT_EQ(s.GetFieldFlags(0, 1), 0x0104);
    s.SetRightCurrent();
    EXPECT_TRUE(s.IsRightCurrent());
    s.SetLeftCurrent();
    EXPECT_TRUE(s.IsLeftCurrent());
    EXPECT_EQ(s.GetFieldFlags(0, 1), 0x0004);  // the font size stays
    // Out of range: fixed answers, nothing stored.
    EXPECT_EQ(s.GetFontSize(4, 1), 0x40);
    EXPECT_EQ(s.GetAlignment(4, 1), 0);
    s.SetFieldText(4, u"x", 1);
    EXPECT_EQ(s.GetFieldText(4, 1), u"");
    EXPECT_EQ(s.GetFieldText(0, 2), u"");  // no continuation page
    EXPECT_EQ(s.SetFieldRect1(4, {}), -1);
    FieldRect r{1, 2, 3, 4};
    EXPECT_EQ(s.GetFieldRect2(0, r), -1);  // no continuation page, no rectangle
    EXPECT_EQ(r, (FieldRect{1, 2, 3, 4}));
}

TEST(FieldStore, ActivateFieldCommitsTheWindowText) {
    CFieldStore s;
    FakeWindow w;
    s.AttachWindow(&w);
    s.SetFieldCounts(5, 4, true);
    ASSERT_EQ(s.ActivateField(2, 1), 0);
    w.text = u"Hamburg";
    EXPECT_EQ(s.ActivateField(5, 1), -1);  // index = n1: refused, nothing committed
    EXPECT_EQ(s.GetCurrentField(), 2);
    EXPECT_EQ(s.GetFieldText(2, 1), u"");
    ASSERT_EQ(s.ActivateField(3, 2), 0);
    EXPECT_EQ(s.GetFieldText(2, 1), u"Hamburg");
    EXPECT_EQ(s.GetCurrentPage(), 2);
    w.text = u"x";
    EXPECT_EQ(s.GetCurrentText(), u"x");
    s.SetCurrentText(u"y");
    EXPECT_EQ(w.text, u"y");
    EXPECT_EQ(s.GetFieldText(3, 2), u"y");
}

TEST(FieldStore, DeferredWindowMovesOnceAndKeepsTheTextsOfTheFieldsPassed) {
    CFieldStore s;
    ShowingWindow w(s);
    s.AttachWindow(&w);
    s.SetFieldCounts(6, 4, true);
    s.ActivateField(1, 1);
    for (int f = 0; f < 6; ++f) s.SetFieldText(f, u"Feld " + std::u16string(1, u'0' + f), 1);
    w.text = u"getippt";
    w.shown.clear();
    {
        CWindowDeferral outer(s);
        {
            CWindowDeferral inner(s);
            s.ActivateField(2, 1);
            s.ActivateField(3, 1);
            // Behind the store, the window's text is not what field 3 holds.
            EXPECT_EQ(s.TypedText(), u"Feld 3");
            EXPECT_EQ(s.GetCurrentText(), u"Feld 3");
            s.SetCurrentText(u"neu");
            EXPECT_EQ(w.text, u"getippt");
            s.ActivateField(4, 1);
        }
        EXPECT_TRUE(w.shown.empty()) << "an inner deferral does not end the outer one";
    }
    ASSERT_EQ(w.shown.size(), 1u);
    EXPECT_EQ(w.shown[0], std::make_pair(4, 1));
    EXPECT_EQ(w.text, u"Feld 4");
    // What was typed went to the field left; the fields passed kept theirs.
    EXPECT_EQ(s.GetFieldText(1, 1), u"getippt");
    EXPECT_EQ(s.GetFieldText(2, 1), u"Feld 2");
    EXPECT_EQ(s.GetFieldText(3, 1), u"neu");
    // Caught up early, the window shows the field at once and is typed into again.
    {
        CWindowDeferral deferral(s);
        s.ActivateField(5, 1);
        s.CatchUpWindow();
        EXPECT_EQ(w.shown.back(), std::make_pair(5, 1));
        w.text = u"im Dialog";
        EXPECT_EQ(s.TypedText(), u"im Dialog");
        s.ActivateField(0, 1);
    }
    EXPECT_EQ(s.GetFieldText(5, 1), u"im Dialog");
    EXPECT_EQ(w.shown.size(), 3u);
    EXPECT_EQ(w.text, u"Feld 0");
}

TEST(FieldStore, BlockRoundTripTrimsTexts) {
    CFieldStore s;
    s.SetFieldCounts(3, 2, true);
    s.AddPage();
    s.SetFieldText(0, u"Abc   ", 1);
    s.SetFieldText(1, u"Zeile 1\r\nZeile 2\r\n", 3);
    s.SetFieldFlags(1, 3, 0x0212);
    auto bytes = Block(s);
    EXPECT_EQ(s.GetFieldText(0, 1), u"Abc");  // trimmed in memory too

    CFieldStore r;
    CArchiveReader ar(bytes);
    r.ReadBlock(ar);
    EXPECT_TRUE(ar.AtEnd());
    EXPECT_EQ(r.GetPageModeWord(), 0x2003);
    EXPECT_EQ(r.GetFieldText(0, 1), u"Abc");
    EXPECT_EQ(r.GetFieldText(1, 3), u"Zeile 1\r\nZeile 2");
    EXPECT_EQ(r.GetFieldFlags(1, 3), 0x0212);
    EXPECT_EQ(Block(r), bytes);
}

TEST(FieldStore, ReadingFewerFieldsKeepsTheConfiguredCount) {
    CFieldStore src;
    src.SetFieldCounts(2, 0, true);
    src.SetFieldText(1, u"b", 1);
    CArchiveWriter w;
    w.WriteWord(kFieldStoreMagic);
    w.WriteWord(1);  // version 1: page 1 only
    w.WriteStringList({u"a  ", u"b"});
    w.WriteWordList({0x10, 0x11});
    CFieldStore r;
    r.SetFieldCounts(4, 3, true);
    CArchiveReader ar(w.Data());
    r.ReadBlock(ar);
    EXPECT_EQ(r.GetFieldCount1(), 4);
    EXPECT_EQ(r.GetFieldText(0, 1), u"a");
    EXPECT_EQ(r.GetFieldFlags(1, 1), 0x11);
    EXPECT_EQ(r.GetPageMode(), kPageModeSingle);
    EXPECT_EQ(r.GetFieldCount2(), 0);

    // More texts than configured: the extra fields take word 1.
    CFieldStore small;
    small.SetFieldCounts(1, 0, true);
    CArchiveReader ar2(w.Data());
    small.ReadBlock(ar2);
    EXPECT_EQ(small.GetFieldCount1(), 2);
    EXPECT_EQ(small.GetFieldFlags(0, 1), 0x10);
    EXPECT_EQ(small.GetFieldFlags(1, 1), 1);
}

TEST(FieldStore, DamagedBlocks) {
    CFieldStore good;
    good.SetFieldCounts(3, 2, true);
    good.SetFieldText(1, u"text", 2);
    const auto bytes = Block(good);

    // Wrong magic or a newer version: one empty field, single page, no error.
    for (uint16_t patch : {0, 1}) {
        auto b = bytes;
        if (patch == 0)
            b[0] = 0x07;
        else
            b[2] = 3;
        CFieldStore r;
        r.SetFieldCounts(5, 5, true);
        CArchiveReader ar(b);
        EXPECT_NO_THROW(r.ReadBlock(ar));
        EXPECT_EQ(r.GetFieldCount1(), 1);
        EXPECT_EQ(r.GetPageMode(), kPageModeSingle);
    }
    // Truncated anywhere: refused.
    for (size_t cut = 2; cut < bytes.size(); cut += 3) {
        CFieldStore r;
        CArchiveReader ar(std::span<const uint8_t>(bytes.data(), cut));
        EXPECT_THROW(r.ReadBlock(ar), ArchiveError) << cut;
        EXPECT_EQ(r.GetFieldCount1(), 1);
    }
    // A page-mode word that disagrees with the continuation lists.
    auto build = [](uint16_t mode, uint16_t n2, size_t texts, size_t words) {
        CArchiveWriter w;
        w.WriteWord(kFieldStoreMagic);
        w.WriteWord(2);
        w.WriteStringList({u"a"});
        w.WriteWordList({1});
        w.WriteWord(mode);
        w.WriteWord(n2);
        w.WriteStringList(std::vector<std::u16string>(texts));
        w.WriteWordList(std::vector<uint16_t>(words, 1));
        return w.Data();
    };
    struct Case {
        uint16_t mode, n2;
        size_t texts, words;
        bool ok;
    } cases[] = {
        {0x2003, 4, 8, 8, true},  {0x2003, 4, 4, 4, false}, {0x2003, 4, 8, 7, false},
        {0x1000, 0, 0, 0, true},  {0x1000, 3, 3, 3, false}, {0x3002, 1, 1, 1, false},
        {0x2000, 1, 0, 0, false}, {0x2202, 1, 1, 1, false}, {0x20FF, 1, 254, 254, true},
    };
    for (const auto& c : cases) {
        auto b = build(c.mode, c.n2, c.texts, c.words);
        CFieldStore r;
        CArchiveReader ar(b);
        if (c.ok) {
            EXPECT_NO_THROW(r.ReadBlock(ar)) << std::hex << c.mode;
            EXPECT_EQ(r.GetPageModeWord(), c.mode);
        } else {
            EXPECT_THROW(r.ReadBlock(ar), ArchiveError) << std::hex << c.mode;
        }
    }
}
