#pragma once

// Rewrites text decks that mark their sideboard with a separating line ("//SB:" or
// "Sideboard") into the deck file format: every card line below the marker gets "SB: ".

#include <string>
#include <string_view>

namespace tovel {

inline constexpr const char* kInsertSideboardCaption = "Insert 'SB' in text decks";

// The converted text, CR LF ended lines; blank lines and marker lines are dropped.
std::string InsertSideboardText(std::string_view text);

// Converts the file `path` into path + ".dec" (replaced atomically) and returns that name.
// Error when the input cannot be read or the output cannot be written.
std::string InsertSideboardFile(const std::string& path);

} // namespace tovel
