#pragma once

// The program's title as its windows show it, made from the project's version so that no window
// shows a stale number.

namespace tovel {

inline constexpr const char* kProgramTitle = "Tovel v" TOVEL_VERSION;

} // namespace tovel
