#pragma once

// Plain-text deck lists, the form decks take on web pages, in mails and in other programs:
// one "N Name" line per card, the sideboard after a "Sideboard" line. A list is its own format;
// deck files (.dec) stay as they are.
//
// Read: "N Name", "Nx Name" and "N x Name", each optionally with an edition as "N [CODE] Name",
// "N Name [CODE]" or "N Name (CODE)". "SB: " before a line puts it in the sideboard; a line
// "Sideboard" (any case, optional ":") puts the lines after it there, and so does the first blank
// line after a main-deck line when the list has no such marker at all. Lines starting "//" or
// "#" and a header line "Deck" are skipped. A name with an edition is looked up with IndexOf,
// without with IndexOfName. Everything else is collected as a problem with its line number.

#include "core/carddb/CardsDB.h"
#include "core/decks/DeckFile.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

inline constexpr const char* kListNotUnderstood = "not understood";
inline constexpr const char* kListNotFound = "card not found";
inline constexpr const char* kListTooMany = "too many copies";
inline constexpr const char* kListFilter = "Deck lists|*.txt";
inline constexpr const char* kListExtension = "txt";
// How many problem lines the import question lists before it only counts the rest.
inline constexpr size_t kListedProblems = 20;

struct TListProblem {
    int Line = 0;       // 1-based
    std::string Text;   // the line, trimmed (Windows-1252 like the list)
    std::string Reason; // kListNotUnderstood, kListNotFound ... (UTF-8); a name asked for in an
                        // edition that lacks it: kListNotFound + " in CODE, only in A, B"
};

struct TListCard {
    bool Sideboard = false;
    int32_t Count = 0;
    int32_t Position = -1; // in the card list
};

struct TDeckList {
    std::vector<TListCard> Cards;
    std::vector<TListProblem> Problems;
};

// How a list is read: as a deck (main deck and sideboard) or as one pile of cards (a cube), where
// blank lines separate nothing and a sideboard line is not understood.
enum class TListZones { MainAndSideboard, MainOnly };

// `text` is Windows-1252 (see DecodeListBytes).
TDeckList ReadDeckList(std::string_view text, const TCardsList& cards,
                       TListZones zones = TListZones::MainAndSideboard);
// The same on a list file, read in two passes of bounded memory whatever its size and line
// lengths (a line longer than kMaxLineBytes is not understood), decoded as DecodeListBytes
// decodes the whole file. With `onProblem` each problem goes there as it is found instead of
// into Problems. Error as TextFileReader gives (a UTF-16 file included).
using TListProblemSink = std::function<void(const TListProblem& problem)>;
TDeckList ReadDeckListFile(const std::string& path, const TCardsList& cards,
                           const TListProblemSink& onProblem = {});
// A list's bytes as Windows-1252: UTF-8 (with or without its byte-order mark) converted, anything
// else taken as it is.
std::string DecodeListBytes(std::string_view bytes);
// Writes a list as the list window saves it: the UTF-8 text with every line end (LF or CR LF)
// made CR LF, replacing the file atomically.
void WriteListFile(const std::string& path, std::string_view utf8Text);

// Replaces both zones by the list's cards; basic lands go to the land counters.
void FillZones(TDeckZones& zones, const TCardsList& cards, const TDeckList& list);

// The main deck, then a blank line, "Sideboard" and the sideboard (left out when empty): one
// "N Name" line per card key in the order given, CR LF ended, Windows-1252.
std::string FormatDeckList(const TCardsList& cards, const TIntegerList& mainOrder,
                           const std::array<int32_t, 5>& mainLands, const TIntegerList& sideboardOrder,
                           const std::array<int32_t, 5>& sideboardLands);
// The zones in entry order.
std::string FormatDeckList(const TCardsList& cards, const TDeckZones& zones);

// "LINE: text - reason", UTF-8.
std::string ProblemText(const TListProblem& problem);
// "N lines were not understood or not found:" with the first kListedProblems of them and a count
// of the rest, then "Import the rest?".
std::string ImportProblemsQuestion(const std::vector<TListProblem>& problems);

} // namespace tovel
