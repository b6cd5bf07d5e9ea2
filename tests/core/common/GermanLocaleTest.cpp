// Numbers in the core read and write the same under the clerks' German locale as under "C".

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "core/formview/PrintCorrections.h"
#include "core/sad/Box47.h"

using namespace tarvex;

namespace {

class GermanLocale : public ::testing::Test {
protected:
    void SetUp() override {
        m_saved = std::setlocale(LC_ALL, nullptr);
        // The name on Linux, then the names Windows knows the clerks' locale by.
        for (const char* name : {"de_DE.UTF-8", "de-DE", "German_Germany.1252"}) {
            // Only a locale with the decimal comma puts the core to the test.
            if (std::setlocale(LC_ALL, name) && std::string(std::localeconv()->decimal_point) == ",") return;
        }
        GTEST_SKIP() << "no German locale (de_DE.UTF-8, de-DE, German_Germany.1252) exists here";
    }
    void TearDown() override { std::setlocale(LC_ALL, m_saved.c_str()); }
    std::string m_saved;
};

}  // namespace

TEST_F(GermanLocale, PrintSizeCorrectionTakesPointAndComma) {
    struct {
        const char16_t* text;
        int tenths;
    } cases[] = {{u"100.5", 1005}, {u"100,5", 1005}, {u"97", 970}, {u" 102.9 ", 1029}};
    for (const auto& c : cases) {
        int t = 0;
        EXPECT_TRUE(ParsePercent(c.text, 97, 103, t)) << std::string(c.text, c.text + 5);
        EXPECT_EQ(t, c.tenths);
    }
    int t = 0;
    EXPECT_FALSE(ParsePercent(u"100,5,1", 97, 103, t));
}

TEST_F(GermanLocale, MarginTextsKeepTheirPoint) {
    CMarginSheetModel sheet;
    sheet.SetShiftX(1, 15);
    sheet.SetShiftY(1, -195);
    EXPECT_EQ(sheet.HorizontalText(1, 0), u"1.5 mm nach rechts");
    EXPECT_EQ(sheet.VerticalText(1, 0), u"19.5 mm nach oben");
}

TEST_F(GermanLocale, AmountsReadAndWriteAsEverywhere) {
    EXPECT_EQ(NormaliseAmount(u"1.234,56"), u"1234,56");
    EXPECT_EQ(NormaliseAmount(u"12,5"), u"12,50");
    EXPECT_EQ(NormaliseAmount(u"100,-"), u"100,00");
    ASSERT_TRUE(ParseAmount(u"1.234,56").has_value());
    EXPECT_DOUBLE_EQ(*ParseAmount(u"1.234,56"), 1234.56);
}
