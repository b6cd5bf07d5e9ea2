#include <gtest/gtest.h>

#include "core/formview/FormZoom.h"
#include "core/settings/Profile.h"

using namespace tarvex;

TEST(FormZoom, InitZoomFromScreenAndProfile) {
    struct Case {
        int height;
        bool win8;
        int dpi;
        int stored;     // 0 = none
        int override_;  // 0 = none
        int zoom, scale;
    } cases[] = {
        {768, false, 96, 0, 0, 16, 100},   {768, true, 96, 0, 0, 13, 100},
        {480, false, 96, 0, 0, 22, 100},   {600, true, 96, 0, 0, 15, 100},
        {1080, false, 96, 0, 0, 14, 100},  {1080, false, 144, 14, 0, 21, 150},
        {1080, false, 120, 0, 0, 17, 125}, {1080, false, 0, 0, 0, 14, 100},
        {1080, false, 96, 14, 50, 7, 100},
    };
    for (const auto& c : cases) {
        CMemoryProfile p;
        if (c.stored) p.WriteProfileInt("EHForm_Defaults", "ZoomFactor", c.stored);
        if (c.override_) p.WriteProfileInt("Settings", "WinFormScaledFactorOv", c.override_);
        EXPECT_EQ(ComputeInitZoom(p, "EHForm_Defaults", c.height, c.win8, c.dpi), c.zoom)
            << c.height << " " << c.dpi;
        EXPECT_EQ(p.GetProfileInt("EHForm_Defaults", "WinFormScaledFactor", -1), c.scale);
        EXPECT_EQ(p.GetProfileInt("EHForm_Defaults", "ZoomFactorLU", -1),
                  c.stored ? c.stored : DefaultZoom(c.height, c.win8));
    }
}

TEST(FormZoom, ZoomStepsStopAtTheLimitsAndStore) {
    CMemoryProfile p;
    EXPECT_EQ(ZoomStep(p, "EHForm_Defaults", 25, true), 25);
    EXPECT_FALSE(p.Has("EHForm_Defaults", "ZoomFactor"));
    EXPECT_EQ(ZoomStep(p, "EHForm_Defaults", 10, false), 10);
    EXPECT_FALSE(p.Has("EHForm_Defaults", "ZoomFactor"));
    EXPECT_EQ(ZoomStep(p, "EHForm_Defaults", 30, false), 29);
    EXPECT_EQ(p.GetProfileInt("EHForm_Defaults", "ZoomFactor", 0), 29);
    EXPECT_FALSE(CanZoomIn(30));
    EXPECT_TRUE(CanZoomOut(30));
    EXPECT_EQ(ZoomStep(p, "EHForm_Defaults", 16, true), 17);
    EXPECT_EQ(p.GetProfileInt("EHForm_Defaults", "ZoomFactor", 0), 17);
}

TEST(FormZoom, CoordinateMappings) {
    EXPECT_EQ(ZoomScale(1074, 16), 1718);
    EXPECT_EQ(MulDivRound(5, 1, 2), 3);
    EXPECT_EQ(MulDivRound(-5, 1, 2), -3);
    // 254 hundredths of a millimetre at 96 dpi are 9.6 pixels.
    EXPECT_EQ(HimetricToPixels(254, 96), 10);
    EXPECT_EQ(HimetricToPixels(-254, 96), -10);
    EXPECT_EQ(PixelsToHimetric(96, 96), 2540);
    // Field 0 at zoom 16 and 96 dpi: 1718 logical units = 171.8 mm = 649.3 px.
    const FieldRect r = FormRectToPixels(1074, 115, 1165, 175, 16, 96);
    EXPECT_EQ(r, (FieldRect{649, 70, 705, 106}));
    // The mouse mapping inverts it to within one form unit.
    EXPECT_NEAR(PixelsToZoomedForm(649, 96), 1718, 2);
}
