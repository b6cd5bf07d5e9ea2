#include <gtest/gtest.h>

#include "core/sad/FieldDefinitions.h"
#include "core/settings/Profile.h"

using namespace tarvex;

TEST(FieldDefinitions, BuiltInTablesSample) {
    const auto& t1 = BuiltInFieldDefinitions1();
    const auto& t2 = BuiltInFieldDefinitions2();
    struct Case {
        int page, field, variant;
        uint8_t value;
    } cases[] = {
        {1, 17, 2, 0x0B},  {1, 17, 0, 0x00},  {1, 2, 0, 0x0B},   {1, 2, 1, 0x00},   {1, 113, 3, 0x02},
        {1, 114, 0, 0x02}, {1, 150, 2, 0x0B}, {1, 151, 2, 0x00}, {1, 103, 3, 0x0B}, {1, 103, 0, 0x00},
        {1, 105, 3, 0x00}, {2, 6, 1, 0x0B},   {2, 7, 1, 0x00},   {2, 7, 2, 0x0B},   {2, 207, 2, 0x0B},
        {2, 208, 2, 0x00}, {2, 72, 3, 0x0B},  {2, 187, 2, 0x00},
    };
    for (const auto& c : cases) {
        const uint8_t v = c.page == 1 ? t1[c.field * 4 + c.variant] : t2[c.field * 4 + c.variant];
        EXPECT_EQ(v, c.value) << "page " << c.page << " field " << c.field << " variant " << c.variant;
    }
    // Only the three values occur.
    for (uint8_t b : t1) EXPECT_TRUE(b == 0 || b == 0x0B || b == 0x02);
    int count0b = 0;
    for (size_t i = 0; i < t2.size(); ++i) count0b += t2[i] == 0x0B && i % 4 == 0;
    EXPECT_EQ(count0b, 13);
}

TEST(FieldDefinitions, FreshProfileStoresTheBuiltInTablesAndMigrates) {
    CMemoryProfile profile, program;
    const uint8_t old[3] = {1, 2, 3};
    program.WriteProfileBinary("Settings", "FieldDef_EH1", old, 3);
    program.WriteProfileInt("Settings", "FieldSize_EH1", 3);
    program.WriteProfileBinary("Settings", "FieldDef_EH2", old, 3);
    program.WriteProfileInt("Settings", "FieldSize_EH2", 3);

    CFieldDefinitions defs;
    LoadFieldDefinitions(defs, profile, program);
    EXPECT_EQ(defs.page1, BuiltInFieldDefinitions1());
    EXPECT_EQ(defs.continuation, BuiltInFieldDefinitions2());
    EXPECT_EQ(profile.GetProfileInt("EHForm_Defaults", "FieldSize_EH1", 0), 616);
    EXPECT_EQ(profile.GetProfileInt("EHForm_Defaults", "FieldSize_EH2", 0), 856);
    std::vector<uint8_t> stored;
    ASSERT_TRUE(program.GetProfileBinary("EHForm_Defaults", "FieldDef_EH2", stored));
    EXPECT_EQ(stored.size(), 856u);
    for (const char* key : {"FieldDef_EH1", "FieldSize_EH1", "FieldDef_EH2", "FieldSize_EH2"})
        EXPECT_FALSE(program.Has("Settings", key)) << key;
}

TEST(FieldDefinitions, StoredTablesWinUnlessTheSizeIsWrong) {
    CMemoryProfile profile, program;
    CFieldDefinitions defs;
    defs.ResetToBuiltIn();
    defs.Set(1, 40, 0, kDefNotPrinted);
    defs.Set(2, 100, 3, kDefHidden);
    SaveFieldDefinitions(defs, profile, program);

    CFieldDefinitions loaded;
    LoadFieldDefinitions(loaded, profile, program);
    EXPECT_EQ(loaded.Get(1, 40, 0), kDefNotPrinted);
    EXPECT_EQ(loaded.Get(2, 100, 3), kDefHidden);

    // Any stored size other than 616 brings back the built-in first-sheet table.
    profile.WriteProfileInt("EHForm_Defaults", "FieldSize_EH1", 600);
    LoadFieldDefinitions(loaded, profile, program);
    EXPECT_EQ(loaded.Get(1, 40, 0), 0);
    EXPECT_EQ(loaded.Get(2, 100, 3), kDefHidden);

    // A table that cannot be read leaves the working table as it was.
    program.DeleteValue("EHForm_Defaults", "FieldDef_EH2");
    loaded.Set(2, 5, 0, 0x02);
    LoadFieldDefinitions(loaded, profile, program);
    EXPECT_EQ(loaded.Get(2, 5, 0), 0x02);
}
