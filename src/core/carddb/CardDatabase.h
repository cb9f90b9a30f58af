#pragma once

// The card database files: Data/base.txt (load, save, check), and the build of a database from
// a card-list file (text or XML) and a card-text file.

#include "core/carddb/CardsDB.h"
#include "core/carddb/Editions.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

inline constexpr const char* kCantReadCardInfo = " - can't read card info";
inline constexpr const char* kRecordHasNoCostLine = " - the record has no cost line";
inline constexpr const char* kErrorReadingCardsDatabase = "Error reading cards database";

// Clears `cards` and reads a base.txt-format file into it. With a non-empty filter only records
// whose edition code + ";" occurs in the filter are loaded. Error on a file that cannot be opened
// or a bad record; the cards read before it stay.
void LoadCardDatabase(TCardsList& cards, const std::string& fileName, std::string_view editionsFilter);
// The same on bytes already in memory. The cards refer to `text`, which must outlive them.
void LoadCardDatabaseText(TCardsList& cards, std::string_view text, std::string_view editionsFilter);

// Writes every card in list order in the base.txt format, atomically: on failure the old file
// is untouched and Error is thrown.
void SaveCardDatabase(const TCardsList& cards, const std::string& fileName);
// The bytes SaveCardDatabase writes.
std::string CardDatabaseText(const TCardsList& cards);

// Fills every card's Printings from the editions list, in its order.
void ComputePrintings(TCardsList& cards, const TTextList& editions);

// A base.txt read the loader's way, but going on after a bad record.
struct TRecordProblem {
    int Line = 0;        // 1-based line of the record's head line
    std::string Message; // the loader's own message (UTF-8)
};
struct TCheckCounts {
    int Cards = 0;    // records read without a problem
    int Problems = 0; // bad records
};
// Hands each bad record to `onProblem` as soon as it is found, so nothing piles up.
TCheckCounts CheckCardDatabase(std::string_view text,
                               const std::function<void(const TRecordProblem&)>& onProblem);
// The same on a file, read record by record: memory stays bounded whatever its size and line
// lengths. A record with a line longer than kMaxLineBytes, or longer than kMaxRecordBytes in
// all, is a bad record. Error when the file cannot be read (a UTF-16 one included).
inline constexpr size_t kMaxRecordBytes = size_t{8} << 20;
TCheckCounts CheckCardDatabaseFile(const std::string& path,
                                   const std::function<void(const TRecordProblem&)>& onProblem);
// The same, collecting the problems.
struct TCheckReport {
    int Cards = 0; // records read without a problem
    std::vector<TRecordProblem> Problems;
};
TCheckReport CheckCardDatabase(std::string_view text);

// The pieces of the merge, each throwing Error on bad input. The cards refer to the given text,
// which must outlive them (XML values are copied into the list).
//
// Clears `cards` and reads the card-list text form; false when the text is empty (the merge
// then stops without adding anything).
bool ReadCardListText(TCardsList& cards, std::string_view text, std::string_view editionsFilter);
// Clears `cards` and reads the XML form: one child of the document element per card.
void ReadCardListXml(TCardsList& cards, std::string_view bytes, std::string_view editionsFilter);
// Sets cost, type line, power/toughness and rules text of every card from card-text lines.
void ReadCardText(TCardsList& cards, std::string_view text);
// Adds each basic land that no card is named after, in edition "9E".
void AddMissingBasicLands(TCardsList& cards);

// Builds `cards` from the two source files (card list by extension ".txt" or ".xml"), always
// reading both. Error on any problem; `cards` then holds an unfinished list. Returns false when
// the card list is an empty text file (nothing else was done).
bool ReadCardSources(TCardsList& cards, const std::string& cardListFile, const std::string& cardTextFile,
                     std::string_view editionsFilter, const TTextList& editions);

// The merge as the program runs it: keeps the cards in memory when there are any and the filter
// equals `rememberedFilter`; otherwise reads the sources. On failure shows "Error reading cards
// database", leaves `cards` empty and returns false.
bool MergeCardDatabase(TCardsList& cards, const std::string& cardListFile, const std::string& cardTextFile,
                       std::string_view editionsFilter, const TTextList& editions,
                       std::string& rememberedFilter);

} // namespace tovel
