#include "core/infra/LmColorMap.h"

#include <gtest/gtest.h>

using namespace tovel;

// The band's right end: the menu-bar colour only when its channel sum lies in 528..645.
TEST(LmColorMap, BandEndChannelSumRule) {
    struct Case {
        TRgb bar;
        TRgb end;
    } cases[] = {
        {{212, 208, 200}, {212, 208, 200}}, // sum 620: kept
        {{176, 176, 176}, {176, 176, 176}}, // sum 528: kept (lower edge)
        {{215, 215, 215}, {215, 215, 215}}, // sum 645: kept (upper edge)
        {{176, 176, 175}, {212, 208, 200}}, // sum 527: too dark
        {{215, 215, 216}, {212, 208, 200}}, // sum 646: too light
        {{239, 239, 239}, {212, 208, 200}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MenuBandEndColor(c.bar), c.end)
            << int(c.bar.r) << "," << int(c.bar.g) << "," << int(c.bar.b);
}

// One column per pixel from white; the step is the integer quotient of the difference by the
// width, so the last column need not reach the end colour.
TEST(LmColorMap, BandColumnsStepByIntegerQuotient) {
    const std::vector<TRgb> columns = MenuBandColumns({212, 208, 200}, 25);
    ASSERT_EQ(columns.size(), 25u);
    EXPECT_EQ(columns.front(), (TRgb{255, 255, 255}));
    // (212-255)/25 = -1, (208-255)/25 = -1, (200-255)/25 = -2 (truncated towards zero).
    EXPECT_EQ(columns[1], (TRgb{254, 254, 253}));
    EXPECT_EQ(columns[24], (TRgb{231, 231, 207}));
    EXPECT_TRUE(MenuBandColumns({0, 0, 0}, 0).empty());
}

TEST(LmColorMap, TableFromSystemColours) {
    TSystemColors system;
    system.menu = {240, 240, 240};
    system.window = {255, 255, 255};
    system.windowText = {0, 0, 0};
    system.buttonFace = {212, 208, 200};
    system.grayText = {109, 109, 109};
    system.buttonHighlight = {255, 255, 255};
    system.darkShadow3D = {64, 64, 64};
    const TLmColorMap map = ComputeLmColorMap(system);
    EXPECT_EQ(map.Color, system.menu);
    EXPECT_EQ(map.MenuColor, system.window);
    EXPECT_EQ(map.BtnFrameColor, (TRgb{49, 105, 198}));
    EXPECT_EQ(map.SelectedColor, (TRgb{198, 211, 239}));
    EXPECT_EQ(map.FrameTopLeftOuter, (TRgb{138, 134, 122}));
    EXPECT_EQ(map.ShadowColor, system.darkShadow3D);
    // Luminance raised by 15 of 240: lighter, hue kept (still warm grey), never past white.
    EXPECT_GT(map.HighlightColor.r, 212);
    EXPECT_GE(map.HighlightColor.r, map.HighlightColor.b);
    EXPECT_EQ(map.UnusedColor, map.HighlightColor);
    EXPECT_EQ(RaiseLuminance({255, 255, 255}, 15), (TRgb{255, 255, 255}));
    EXPECT_EQ(RaiseLuminance({0, 0, 0}, 0), (TRgb{0, 0, 0}));
    // A grey stays grey: 128 at luminance 120/240 raised by 15 is 135/240 of 255.
    EXPECT_EQ(RaiseLuminance({128, 128, 128}, 15), (TRgb{143, 143, 143}));
}
