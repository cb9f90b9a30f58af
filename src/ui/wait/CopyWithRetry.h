#pragma once

// Copying files inside a wait window, with a pause and the user's say on retrying.

#include <string>

namespace tovel {

// Copies `source` over `dest`. On failure it waits five seconds and tries once more; after a
// second failure it asks the user whether to retry, as often as they say Yes. Giving up raises
// an Error naming both files and the system's reason. The wait window's message shows the copy
// meanwhile and is put back afterwards. Must be called while a wait window is open: otherwise
// Error "Нет ни одного окна Wait".
void CopyFileWithRetry(const std::string& source, const std::string& dest);

inline constexpr int kCopyRetryPauseMs = 5000;

} // namespace tovel
