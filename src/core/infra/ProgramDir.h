#pragma once

// The program folder: every data path is this folder followed by a relative path.

#include <initializer_list>
#include <string>
#include <string_view>

namespace tovel {

// The folder of the running executable, with a trailing "/"; "TOVEL_HOME" replaces it when set.
// Empty until SetProgramDir has run (start-up does it first thing).
const std::string& ProgramDir();
void SetProgramDir(std::string dir);

// ProgramDir() + relative (relative written with "/", e.g. "Data/base.txt").
std::string ProgramPath(std::string_view relative);

// The running executable's full path ("/proc/self/exe"), or `fallback` when it cannot be read.
std::string ExecutablePath(const std::string& fallback);

// The folder for a given executable path, honouring TOVEL_HOME; always ends with "/".
std::string ResolveProgramDir(const std::string& executablePath);

// Creates those of the program folder's `folders` ("Decks/", ...) that are missing, so the first
// file dialog opens where it should. A folder that cannot be made is left to the first write
// there to report.
void CreateProgramFolders(std::initializer_list<std::string_view> folders);

// "/a/b/tovel" -> "/a/b/tovel.ini"; an extension of the file name is replaced.
std::string ReplaceExtension(const std::string& path, std::string_view extension);

} // namespace tovel
