#pragma once

// Settings of the whole process that each program makes once, at its start.

#include <functional>

namespace tovel {

// A write past the file-size limit (ulimit -f) then fails with "File too large", which the writer
// reports and cleans up after, instead of the signal ending the program without a word.
void IgnoreFileSizeLimitSignal();

enum class HostSystem { Linux, Other };
inline constexpr HostSystem kHostSystem =
#if defined(__linux__)
    HostSystem::Linux;
#else
    HostSystem::Other;
#endif

// Whether the windowing system can be reached. Only a Linux desktop names its display in the
// environment (DISPLAY, WAYLAND_DISPLAY), and QT_QPA_PLATFORM picks a platform of its own
// (offscreen, vnc); everywhere else the desktop is simply there.
using Environment = std::function<const char*(const char* name)>;
bool DisplayAvailable(HostSystem host, const Environment& environment);

} // namespace tovel
