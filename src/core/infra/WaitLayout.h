#pragma once

// The arithmetic of the wait window: where a new window goes among those already on the
// screen, and the elapsed and remaining time texts. No pixels are drawn here.

#include <cstdint>
#include <span>
#include <string>

namespace tovel {

// A screen rectangle by its edges; right and bottom are exclusive.
struct TRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct TPoint {
    int x = 0;
    int y = 0;
};

// The top-left corner for a new wait window of the given size. The first one sits in the
// bottom-right corner of the work area, each further one directly above the highest one; when
// a column is full a new column starts one window-width to the left, at the top.
// `others` are the top-left corners of the wait windows already shown.
TPoint PlaceWaitWindow(const TRect& workArea, int width, int height, std::span<const TPoint> others);

// "H:MM:SS" of a duration; a day or more wraps around (25 hours read as 1:00:00).
std::string FormatDuration(int64_t milliseconds);

// The remaining time after `position` of `maximum` steps in `elapsed` milliseconds:
// "?:??:??" while the position is 0 or less.
std::string RemainingTimeText(int64_t elapsedMilliseconds, int maximum, int position);

inline constexpr const char* kUnknownTime = "?:??:??";

} // namespace tovel
