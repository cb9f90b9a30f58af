#pragma once

// The rules of the options dialog and its folder edit, without the windows.

#include <optional>
#include <string>
#include <string_view>

namespace tovel {

// The message that keeps the options dialog open, or none. Only a checked "Show card images"
// is validated: a folder text of blanks only is "Card images directory not found"; a text
// that names no folder as typed (blanks included) is "Directory don't exist " + the text.
std::optional<std::string> ValidateCardImagesDir(bool showImages, const std::string& folderText);

// Where the folder edit's browser starts. The root is `initialDir` when it names an existing
// folder, else the file system root. The old-style dialog starts at the folder part of the text
// (up to and including its last "/"); the other starts at the text when it names an existing
// folder, else at the root.
std::string DirEditBrowseRoot(const std::string& initialDir);
std::string DirEditStartFolder(const std::string& text, const std::string& initialDir, bool oldStyle);

inline constexpr const char* kCardImagesNotFound = "Card images directory not found";
inline constexpr const char* kDirectoryDontExist = "Directory don't exist ";

} // namespace tovel
