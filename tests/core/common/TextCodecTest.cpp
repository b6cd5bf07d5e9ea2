#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/common/CommonStrings.h"
#include "core/common/TextCodec.h"

using namespace tarvex;

TEST(TextToBytes, TableOfCases) {
    struct Case {
        std::u16string text;
        std::string bytes;
    } cases[] = {
        {u"Stra\u00dfe \u2013 Nr. 5 \u20ac",
         "Stra\xdf"
         "e - Nr. 5 E"},
        {u"\u2012\u2013\u2014\u2015", "----"},
        {u"\u2018it\u2019s\u201a\u201b", "'it's''"},
        {u"\u201cx\u201d\u201e\u201f\u2033\u2034", "\"x\"\"\"\"\""},
        {u"\u00e4\u00f6\u00fc\u00c4\u00d6\u00dc\u00a0\u00ff", "\xe4\xf6\xfc\xc4\xd6\xdc\xa0\xff"},
        // In the code page but above 255: the yen byte.
        {u"\u0160\u0152\u2122\u2020\u0192", "\xa5\xa5\xa5\xa5\xa5"},
        // Not in the code page: best fit, else '?'.
        {u"\u0141\u00f3d\u017a \u0107",
         "L\xf3"
         "dz c"},
        {u"\u4e2d\u0416", "??"},
    };
    for (const auto& c : cases) EXPECT_EQ(TextToBytes(c.text), c.bytes) << ToUtf8(c.text);
}

TEST(TextCodec, Windows1252DecodesTheHighHalf) {
    EXPECT_EQ(DecodeWindows1252("\x80\x8a\x9f\xe4\xdf"), u"\u20ac\u0160\u0178\u00e4\u00df");
    // Undefined bytes stay the C1 controls, so nothing is lost.
    EXPECT_EQ(DecodeWindows1252("\x81\x8d\x8f\x90\x9d"), u"\u0081\u008d\u008f\u0090\u009d");
}

TEST(TextCodec, Utf8RoundTripAndDamagedInput) {
    const std::u16string text = u"Zollanmeldung \u20ac \u00e4 \U0001F600";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_EQ(FromUtf8("a\xff"
                       "b"),
              u"a\ufffdb");
    EXPECT_EQ(FromUtf8("a\xe2\x82"), u"a\ufffd");  // cut inside a sequence
}

TEST(TextCodec, TrimRightRemovesWideSpacesOnly) {
    EXPECT_EQ(TrimmedRight(u"Abc   "), u"Abc");
    EXPECT_EQ(TrimmedRight(u"Abc\r\n\t \u3000"), u"Abc");
    EXPECT_EQ(TrimmedRight(u"  Abc"), u"  Abc");
    EXPECT_EQ(TrimmedRight(u"Abc\u00a0"), u"Abc\u00a0");  // no-break space is text
    EXPECT_EQ(TrimmedRight(u"   "), u"");
}

// The core's messages fill their placeholders in order; a path with "%" or "%1" in it stays as
// it is, and a placeholder without an argument is kept, so that nothing is lost from a message.
TEST(CommonStrings, ArgsFillsPlaceholdersOnce) {
    struct Case {
        const char* text;
        std::vector<std::string_view> args;
        std::string expected;
    } cases[] = {
        {commonstr::kCannotOpen,
         {"/tmp/a%1.aef", "Datei oder Verzeichnis nicht gefunden"},
         "Die Datei /tmp/a%1.aef kann nicht geöffnet werden: Datei oder Verzeichnis nicht gefunden"},
        {"%2 vor %1", {"a", "b"}, "b vor a"},
        {"100% von %1", {"x"}, "100% von x"},
        {"%1 und %2", {"nur eins"}, "nur eins und %2"},
        {"Ende %", {"x"}, "Ende %"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::string out;
        switch (c.args.size()) {
            case 1:
                out = commonstr::Args(c.text, {c.args[0]});
                break;
            default:
                out = commonstr::Args(c.text, {c.args[0], c.args[1]});
                break;
        }
        EXPECT_EQ(out, c.expected);
    }
}
