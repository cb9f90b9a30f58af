#include "core/infra/LmColorMap.h"

#include <algorithm>

namespace tovel {

namespace {

constexpr int kHlsMax = 240;
constexpr int kRgbMax = 255;

struct Hls {
    int h, l, s;
};

Hls ToHls(TRgb c) {
    const int r = c.r, g = c.g, b = c.b;
    const int maxC = std::max({r, g, b});
    const int minC = std::min({r, g, b});
    Hls out{};
    out.l = ((maxC + minC) * kHlsMax + kRgbMax) / (2 * kRgbMax);
    if (maxC == minC) {
        out.s = 0;
        out.h = kHlsMax * 2 / 3; // undefined hue
        return out;
    }
    const int sum = maxC + minC, diff = maxC - minC;
    if (out.l <= kHlsMax / 2)
        out.s = (diff * kHlsMax + sum / 2) / sum;
    else
        out.s = (diff * kHlsMax + (2 * kRgbMax - sum) / 2) / (2 * kRgbMax - sum);
    const int rd = ((maxC - r) * (kHlsMax / 6) + diff / 2) / diff;
    const int gd = ((maxC - g) * (kHlsMax / 6) + diff / 2) / diff;
    const int bd = ((maxC - b) * (kHlsMax / 6) + diff / 2) / diff;
    if (r == maxC)
        out.h = bd - gd;
    else if (g == maxC)
        out.h = kHlsMax / 3 + rd - bd;
    else
        out.h = 2 * kHlsMax / 3 + gd - rd;
    if (out.h < 0)
        out.h += kHlsMax;
    if (out.h > kHlsMax)
        out.h -= kHlsMax;
    return out;
}

int HueToRgb(int n1, int n2, int hue) {
    if (hue < 0)
        hue += kHlsMax;
    if (hue > kHlsMax)
        hue -= kHlsMax;
    if (hue < kHlsMax / 6)
        return n1 + ((n2 - n1) * hue + kHlsMax / 12) / (kHlsMax / 6);
    if (hue < kHlsMax / 2)
        return n2;
    if (hue < kHlsMax * 2 / 3)
        return n1 + ((n2 - n1) * (kHlsMax * 2 / 3 - hue) + kHlsMax / 12) / (kHlsMax / 6);
    return n1;
}

uint8_t Channel(int value) {
    return static_cast<uint8_t>(std::clamp(value, 0, kRgbMax));
}

TRgb FromHls(Hls c) {
    if (c.s == 0) {
        const uint8_t v = Channel(c.l * kRgbMax / kHlsMax);
        return {v, v, v};
    }
    const int m2 = c.l <= kHlsMax / 2 ? (c.l * (kHlsMax + c.s) + kHlsMax / 2) / kHlsMax
                                      : c.l + c.s - (c.l * c.s + kHlsMax / 2) / kHlsMax;
    const int m1 = 2 * c.l - m2;
    return {Channel((HueToRgb(m1, m2, c.h + kHlsMax / 3) * kRgbMax + kHlsMax / 2) / kHlsMax),
            Channel((HueToRgb(m1, m2, c.h) * kRgbMax + kHlsMax / 2) / kHlsMax),
            Channel((HueToRgb(m1, m2, c.h - kHlsMax / 3) * kRgbMax + kHlsMax / 2) / kHlsMax)};
}

} // namespace

TRgb RaiseLuminance(TRgb color, int amount) {
    Hls hls = ToHls(color);
    hls.l = std::clamp(hls.l + amount, 0, kHlsMax);
    return FromHls(hls);
}

TLmColorMap ComputeLmColorMap(const TSystemColors& system) {
    constexpr TRgb kWhite{255, 255, 255};
    constexpr TRgb kBlack{0, 0, 0};
    constexpr TRgb kOuter{138, 134, 122};
    TLmColorMap map;
    map.Color = system.menu;
    map.MenuColor = system.window;
    map.FontColor = map.BtnSelectedFont = system.windowText;
    map.BtnFrameColor = {49, 105, 198};
    map.BtnSelectedColor = system.buttonFace;
    map.SelectedColor = {198, 211, 239};
    map.SelectedFontColor = kBlack;
    map.DisabledColor = {128, 128, 128};
    map.DisabledFontColor = system.grayText;
    map.DisabledFontShadow = system.buttonHighlight;
    map.FrameTopLeftInner = map.FrameBottomRightInner = kWhite;
    map.FrameTopLeftOuter = map.FrameBottomRightOuter = kOuter;
    map.HighlightColor = map.UnusedColor = RaiseLuminance(system.buttonFace, 15);
    map.ShadowColor = system.darkShadow3D;
    return map;
}

TRgb MenuBandEndColor(TRgb menuBarColor) {
    const int sum = menuBarColor.r + menuBarColor.g + menuBarColor.b;
    if (sum < 528 || sum > 645)
        return {212, 208, 200};
    return menuBarColor;
}

std::vector<TRgb> MenuBandColumns(TRgb end, int width) {
    std::vector<TRgb> columns;
    if (width <= 0)
        return columns;
    const int stepR = (end.r - 255) / width;
    const int stepG = (end.g - 255) / width;
    const int stepB = (end.b - 255) / width;
    for (int i = 0; i < width; ++i)
        columns.push_back({Channel(255 + stepR * i), Channel(255 + stepG * i), Channel(255 + stepB * i)});
    return columns;
}

} // namespace tovel
