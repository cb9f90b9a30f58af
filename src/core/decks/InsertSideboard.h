#pragma once

// Rewrites text decks that mark their sideboard with a separating line ("//SB:" or
// "Sideboard") into the deck file format: every card line below the marker gets "SB: ".

#include <string>
#include <string_view>
#include <vector>

namespace tovel {

inline constexpr const char* kInsertSideboardCaption = "Insert 'SB' in text decks";

// The converted text, CR LF ended lines; blank lines and marker lines are dropped.
std::string InsertSideboardText(std::string_view text);

// Converts the file `path` into path + ".dec" (replaced atomically) and returns that name.
// Error when the input cannot be read or the output cannot be written.
std::string InsertSideboardFile(const std::string& path);

// What became of one file of InsertSideboardFiles: the converted file's name, or the error.
struct TConvertResult {
    std::string File;
    std::string Converted; // empty when it failed
    std::string Error;     // empty when it was converted
};
// InsertSideboardFile on every file in order: a file that fails does not stop the others.
std::vector<TConvertResult> InsertSideboardFiles(const std::vector<std::string>& files);

} // namespace tovel
