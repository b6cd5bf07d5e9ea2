#include <gtest/gtest.h>

#include "core/codelists/DutyTypes.h"

using namespace tarvex;

TEST(DutyTypes, TableAndPreset) {
    const auto types = DutyTypes();
    ASSERT_EQ(types.size(), 23u);
    EXPECT_EQ(types.front().code, u"10100");
    EXPECT_EQ(types.back().code, u"67000");
    EXPECT_EQ(types.back().text, u"Biersteuer");
    for (size_t i = 1; i < types.size(); ++i) EXPECT_LT(types[i - 1].code, types[i].code);
    struct Case {
        std::u16string preset;
        std::u16string code;
    } cases[] = {{u"2", u"20000"},     {u"", u"10100"},       {u"99", u"10100"}, {u"371", u"37100"},
                 {u"67000", u"67000"}, {u"670001", u"10100"}, {u"4", u"40000"},  {u"x", u"10100"}};
    for (const auto& c : cases)
        EXPECT_EQ(types[static_cast<size_t>(DutyTypePresetIndex(c.preset))].code, c.code)
            << std::string(c.preset.begin(), c.preset.end());
    EXPECT_EQ(types[static_cast<size_t>(DutyTypePresetIndex(u"2"))].text, u"Einfuhrumsatzsteuer");
}
