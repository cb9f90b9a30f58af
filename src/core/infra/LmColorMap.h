#pragma once

// The colours of the program's action-bar style "Lm Style", computed from the platform's
// system colours, and the rules of the pop-up menus' left gradient band.

#include <cstdint>
#include <vector>

namespace tovel {

struct TRgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const TRgb&) const = default;
};

// The platform's named colours the map is made from.
struct TSystemColors {
    TRgb menu;       // menu and menu-bar background
    TRgb window;     // window background
    TRgb windowText; // window text
    TRgb buttonFace; // button face
    TRgb grayText;   // disabled text
    TRgb buttonHighlight;
    TRgb darkShadow3D;
};

struct TLmColorMap {
    TRgb Color, MenuColor, FontColor, BtnSelectedFont, BtnFrameColor, BtnSelectedColor, SelectedColor,
        SelectedFontColor, DisabledColor, DisabledFontColor, DisabledFontShadow, FrameTopLeftInner,
        FrameBottomRightInner, FrameTopLeftOuter, FrameBottomRightOuter, HighlightColor, UnusedColor,
        ShadowColor;
    // HotColor and HotFontColor have no colour of their own: the style's defaults apply.
};

TLmColorMap ComputeLmColorMap(const TSystemColors& system);

// The colour in the hue-luminance-saturation model (0..240 scales) with its luminance raised by
// `amount`, capped at full luminance.
TRgb RaiseLuminance(TRgb color, int amount);

// The width of the pop-up menus' left band.
inline constexpr int kMenuBandWidth = 25;
// The right end of the band: the menu-bar colour, or RGB 212, 208, 200 when that colour's
// channel sum is below 528 or above 645.
TRgb MenuBandEndColor(TRgb menuBarColor);
// One colour per pixel column from white at the left to `end`; each channel steps by its total
// difference divided by the width (integer division).
std::vector<TRgb> MenuBandColumns(TRgb end, int width = kMenuBandWidth);

} // namespace tovel
