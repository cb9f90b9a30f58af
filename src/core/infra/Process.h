#pragma once

// Settings of the whole process that each program makes once, at its start.

#include <functional>
#include <string>

namespace tovel {

// A write past the file-size limit (ulimit -f) then fails with "File too large", which the writer
// reports and cleans up after, instead of the signal ending the program without a word.
void IgnoreFileSizeLimitSignal();

// SIGINT, SIGTERM and SIGHUP remove the temporary files of the writes under way (see
// RegisterTemporaryFile) and end the program with 128 + the signal's number (130, 143, 129).
void RemoveTemporaryFilesOnTermination();

// While one lives, a terminating signal waits: a set of files being put in place is never left
// half done. The last one to go ends the program as the signal would have.
class TerminationHold {
public:
    TerminationHold();
    ~TerminationHold();
    TerminationHold(const TerminationHold&) = delete;
    TerminationHold& operator=(const TerminationHold&) = delete;
};

// Removes the program's own temporary files left an hour or more ago (by a program that was
// killed) from the program folder and its subfolders; nothing else.
void RemoveStaleTemporaryFilesOnStart(const std::string& programDir);

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
