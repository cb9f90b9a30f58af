#pragma once

// The card database files: Data/base.txt (load, save), and the build of a database from a
// card-list file (text or XML) and a card-text file.

#include "core/carddb/CardsDB.h"
#include "core/carddb/Editions.h"

#include <string>
#include <string_view>

namespace tovel {

// Clears `cards` and reads a base.txt-format file into it. With a non-empty filter only records
// whose edition code + ";" occurs in the filter are loaded. Error on a file that cannot be opened
// or a bad record; the cards read before it stay.
void LoadCardDatabase(TCardsList& cards, const std::string& fileName, std::string_view editionsFilter);

// Writes every card in list order in the base.txt format, atomically: on failure the old file
// is untouched and Error is thrown.
void SaveCardDatabase(const TCardsList& cards, const std::string& fileName);

// Fills every card's Printings from the editions list, in its order.
void ComputePrintings(TCardsList& cards, const TTextList& editions);

} // namespace tovel
