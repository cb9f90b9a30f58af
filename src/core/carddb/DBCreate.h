#pragma once

// Maintenance of the card database: the card-list file built from imported lists, the build of
// Data/base.txt from Data/cards.txt and Data/gatherer.txt, and its backup and restore.

#include "core/carddb/CardsDB.h"
#include "core/carddb/Editions.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

// Where the name and the rarity stand in one imported card-list file.
struct TReadCardRec {
    int32_t NamePosition = 1; // 1-based
    int32_t NameLength = 1;
    int32_t RarityPosition = 1; // 1-based
    std::string EditionName;
    std::string EditionCode;
    int32_t FirstLine = 0; // 0-based index of the first card line
    bool Accepted = false;
    bool TwoSpaces = false; // columns separated by two or more blanks
};

// Asks the layout of one imported file (the layout dialog in the program).
using TReadCardLayout = std::function<TReadCardRec(const std::string& fileName)>;

// `length` characters of `line` from the 1-based `position`, cut at the end of the line; empty
// for a position outside the line or a length below 1.
std::string_view CardListColumns(std::string_view line, int32_t position, int32_t length);

// One card-list line ("code;name;rarity;5") from an imported line, or empty text for a line
// that is empty after trimming.
std::string CardListLine(std::string line, const TReadCardRec& layout);

// Clears `cards` and writes `outFile` from the files of `fileList` (each followed by ";").
// A layout that is not accepted stops: the lines of the files before it are written, and when
// it was the first file's, nothing is. A file that cannot be read is an error and leaves
// `outFile` as it was.
void CreateCardList(TCardsList& cards, const std::string& fileList, const TReadCardLayout& readLayout,
                    const std::string& outFile);

// Copies a file over another, atomically; Error on failure.
using TCopyFile = std::function<void(const std::string& source, const std::string& dest)>;
void CopyDatabaseFile(const std::string& source, const std::string& dest);

// "Create cards DB" on the chosen files (full paths, in order): backs Data/cards.txt up to
// Data/Backup/cards.txt (an error when it does not exist yet, before any file is read), then
// runs CreateCardList into Data/cards.txt. Nothing happens for an empty choice.
bool CreateCardsDB(TCardsList& cards, const std::string& programDir, const std::vector<std::string>& files,
                   const TReadCardLayout& readLayout, const TCopyFile& copy = CopyDatabaseFile);

// "Backup cards DB": with Data/cards.txt present under `programDir`, copies Data/base.txt to
// Data/Backup/base.txt and tells so. Returns whether it did.
bool BackupCardDatabase(const std::string& programDir, const TCopyFile& copy = CopyDatabaseFile);
// "Restore cards DB": with Data/Backup/cards.txt present, copies Data/Backup/base.txt back.
bool RestoreCardDatabase(const std::string& programDir, const TCopyFile& copy = CopyDatabaseFile);

struct TBuildFiles {
    std::string Editions; // Data/editions.txt
    std::string CardList; // Data/cards.txt, or an .xml card list
    std::string CardText; // Data/gatherer.txt
    std::string Out;      // Data/base.txt
};
// The default files under a program folder.
TBuildFiles DefaultBuildFiles(const std::string& programDir);

// "Create DB from cards.txt and gatherer.txt": loads the editions, always reads both source
// files (whatever `cards` held) and saves the database atomically. Error on any failure, an
// empty card list included; the output file is then untouched.
void BuildCardDatabase(TCardsList& cards, TTextList& editions, const TBuildFiles& files);

// The command as the program runs it. A source that cannot be read shows "Error reading cards
// database" and leaves `cards` empty; a failed write shows the write error and leaves `cards`
// as it was. Returns whether the database was written.
bool CreateDBFromCardsAndGatherer(TCardsList& cards, TTextList& editions, const TBuildFiles& files);

} // namespace tovel
