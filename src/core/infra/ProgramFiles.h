#pragma once

// The names of the program folder's files and folders, relative to it
// (ProgramPath(kCardDatabaseFile)). Folders end in "/".

namespace tovel {

inline constexpr const char* kDataFolder = "Data/";
inline constexpr const char* kCardDatabaseFile = "Data/base.txt";
inline constexpr const char* kEditionsFile = "Data/editions.txt";
inline constexpr const char* kFormatsFile = "Data/formats.txt";
inline constexpr const char* kBoostersFile = "Data/boosters.ini";
// The sources the card database is built from.
inline constexpr const char* kCardListFile = "Data/cards.txt";
inline constexpr const char* kCardTextFile = "Data/gatherer.txt";
// Copies kept before the card database or its card list is replaced.
inline constexpr const char* kBackupFolder = "Data/Backup/";
inline constexpr const char* kBackupCardListFile = "Data/Backup/cards.txt";
inline constexpr const char* kBackupCardDatabaseFile = "Data/Backup/base.txt";
inline constexpr const char* kDeckFolder = "Decks/";
inline constexpr const char* kInventoryFolder = "Inventory/";
inline constexpr const char* kDefaultInventoryFile = "Inventory/inventory.inv";
inline constexpr const char* kDraftRecordFolder = "Drafts/";
inline constexpr const char* kCubeFolder = "Cubes/";
// The deck the sealed generator and the draft hand to the designer.
inline constexpr const char* kTempFolder = "Temp/";
inline constexpr const char* kHandOffDeck = "Temp/temp.dec";
// The command line's settings (the windows name theirs after the executable).
inline constexpr const char* kCliSettingsFile = "tovel.ini";

} // namespace tovel
