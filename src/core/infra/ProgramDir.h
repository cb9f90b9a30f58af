#pragma once

// The program folder: every data path is this folder followed by a relative path.

#include <initializer_list>
#include <string>
#include <string_view>

namespace tovel {

// The program folder in use, with a trailing "/". Empty until SetProgramDir has run (start-up
// does it first thing).
const std::string& ProgramDir();
void SetProgramDir(std::string dir);

// ProgramDir() + relative (relative written with "/", e.g. "Data/base.txt").
std::string ProgramPath(std::string_view relative);

// The running executable's full path ("/proc/self/exe"), or `fallback` when it cannot be read.
std::string ExecutablePath(const std::string& fallback);

// Which folder is the program folder, and why (a few words for `tovel-cli where`).
struct ProgramDirChoice {
    std::string dir; // ends with "/"
    std::string reason;
    bool perUser = false;
};

// The program folder of the executable at `executablePath`, in this order: TOVEL_HOME when set;
// the executable's folder when it holds Data/ and this user may write it (a portable copy, the
// build folder); else the per-user folder $XDG_DATA_HOME/tovel, ~/.local/share/tovel when
// XDG_DATA_HOME is unset or not an absolute path. Looks, changes nothing.
ProgramDirChoice ChooseProgramDir(const std::string& executablePath);

// Where an installed executable finds the sample world it ships with (Data/ and editions.rcc):
// <prefix>/share/tovel/ beside <prefix>/bin/. Ends with "/".
std::string InstalledWorldDir(const std::string& executablePath);

// Creates the folder when needed and, when it has no Data/ yet, fills it from the installed world:
// its Data/ and editions.rcc, copied as files of this user's own. A file already there is never
// replaced; Data/ appears whole or not at all. Nothing to copy from is not a failure. Error when
// the folder cannot be created or a copy fails.
void SeedProgramDir(const std::string& dir, const std::string& worldDir);

// ChooseProgramDir, with the per-user folder created and seeded on its first use. Both programs
// start with it. When that fails, the Error's message ends with a line naming TOVEL_HOME.
ProgramDirChoice OpenProgramDir(const std::string& executablePath);

// Creates those of the program folder's `folders` ("Decks/", ...) that are missing, so the first
// file dialog opens where it should. A folder that cannot be made is left to the first write
// there to report.
void CreateProgramFolders(std::initializer_list<std::string_view> folders);

// "/a/b/tovel" -> "/a/b/tovel.ini"; an extension of the file name is replaced.
std::string ReplaceExtension(const std::string& path, std::string_view extension);

} // namespace tovel
