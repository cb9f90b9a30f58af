#pragma once

// Settings of the whole process that each program makes once, at its start.

namespace tovel {

// A write past the file-size limit (ulimit -f) then fails with "File too large", which the writer
// reports and cleans up after, instead of the signal ending the program without a word.
void IgnoreFileSizeLimitSignal();

} // namespace tovel
