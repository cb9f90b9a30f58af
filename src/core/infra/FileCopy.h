#pragma once

// Copying one file over another, and the program's text for an operating-system error.

#include <string>

namespace tovel {

// Copies `source` to `dest`, replacing an existing `dest` as FileReplacement does: the copy is
// renamed over the destination only when complete, so a failed copy leaves the old destination as
// it was, and its permission bits and links are kept. Returns 0, or the errno of the failure.
int TryCopyFile(const std::string& source, const std::string& dest);

// "System Error.  Code: <n>." and the platform's own message on the next line; for code 0,
// the program's text for an unknown error.
std::string SystemErrorText(int code);

// SystemErrorText of the calling thread's errno.
std::string LastErrorText();

} // namespace tovel
