#pragma once

// How many copies of each database printing an inventory holds, for the card search's `own`.

#include "core/carddb/CardQuery.h"
#include "core/carddb/CardsDB.h"
#include "core/carddb/Editions.h"
#include "core/collection/Inventory.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace tovel {

// One count per card position: the summed counts (foils included) of the inventory lines whose
// edition and name equal the printing's, compared as IndexOf compares.
std::vector<int32_t> OwnedCounts(const TCardsList& cards, const TInventoryList& inventory);

// A card search's query compiled with the formats (Error when it cannot be read). Only when it
// has an `own` term is the inventory asked of `ownedFrom` (null: nothing is owned); its counts
// go to `owned`, which the query reads: keep it unchanged beside the query.
using TOwnedFrom = std::function<const TInventoryList*()>;
TCardQuery CompileCardSearch(std::string_view text, const TTextList& formats, const TCardsList& cards,
                             const TOwnedFrom& ownedFrom, std::vector<int32_t>& owned);

} // namespace tovel
