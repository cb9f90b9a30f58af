#include "core/infra/WaitLayout.h"

#include <algorithm>
#include <cstdio>

namespace tovel {

TPoint PlaceWaitWindow(const TRect& workArea, int width, int height, std::span<const TPoint> others) {
    int top = workArea.bottom;
    int left = workArea.right - width;
    for (const TPoint& other : others) {
        top = std::min(top, other.y);
        left = std::min(left, other.x);
    }
    top -= height;
    if (top < workArea.top) {
        top = workArea.top;
        left -= width;
    }
    return {left, top};
}

std::string FormatDuration(int64_t milliseconds) {
    constexpr int64_t kDay = 24 * 60 * 60;
    int64_t seconds = milliseconds / 1000;
    seconds %= kDay;
    if (seconds < 0)
        seconds += kDay;
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", static_cast<int>(seconds / 3600),
                  static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
    return text;
}

std::string RemainingTimeText(int64_t elapsedMilliseconds, int maximum, int position) {
    if (position <= 0)
        return kUnknownTime;
    // 64-bit throughout: a long elapsed time times a large step count must not overflow.
    const int64_t remaining =
        elapsedMilliseconds * (static_cast<int64_t>(maximum) - position) / static_cast<int64_t>(position);
    return FormatDuration(remaining);
}

} // namespace tovel
