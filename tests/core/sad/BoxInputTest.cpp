#include <gtest/gtest.h>

#include "core/sad/BoxInput.h"

using namespace tarvex;

TEST(BoxInput, Feld44LinesWithAndWithoutReservation) {
    struct Case {
        std::u16string box;
        bool reserve;
        std::vector<std::u16string> lines;
    } cases[] = {
        {u"", true, {}},
        {u"", false, {u""}},
        {u"\r\nZwei\r\nDrei", true, {u"Zwei", u"Drei"}},
        {u"Eins\r\nZwei", false, {u"Eins", u"Zwei"}},
        {u"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7", true, {u"2", u"3", u"4", u"5"}},
        {u"1\r\n2\r\n3\r\n4\r\n5\r\n6", false, {u"1", u"2", u"3", u"4", u"5"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Feld44EditLines(c.box, c.reserve), c.lines);
}

TEST(BoxInput, Feld44BoxText) {
    const std::u16string longLine(200, u'x');
    struct Case {
        std::vector<std::u16string> lines;
        bool reserve;
        std::u16string box;
    } cases[] = {
        {{}, true, u""},
        {{u"A"}, true, u"\r\nA"},
        {{u"A", u"B", u"C", u"D", u"E"}, true, u"\r\nA\r\nB\r\nC\r\nD"},
        {{u"A", u"B", u"C", u"D", u"E", u"F"}, false, u"A\r\nB\r\nC\r\nD\r\nE"},
        {{longLine}, false, std::u16string(127, u'x')},
    };
    for (const auto& c : cases) EXPECT_EQ(Feld44BoxText(c.lines, c.reserve), c.box);
    // What the dialog shows comes back unchanged.
    const std::u16string box = u"\r\nZeile 2\r\nZeile 3";
    EXPECT_EQ(Feld44BoxText(Feld44EditLines(box, true), true), box);
}

TEST(BoxInput, TextInput3LPresetAndLines) {
    EXPECT_EQ(TextInput3LPreset(u" \t\r\n Stempel\r\n"), u"Stempel\r\n");
    EXPECT_EQ(SplitLines(u"a\nb\r\nc"), (std::vector<std::u16string>{u"a", u"b", u"c"}));
}
