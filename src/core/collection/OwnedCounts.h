#pragma once

// How many copies of each database printing an inventory holds, for the card search's `own`.

#include "core/carddb/CardsDB.h"
#include "core/collection/Inventory.h"

#include <cstdint>
#include <vector>

namespace tovel {

// One count per card position: the summed counts (foils included) of the inventory lines whose
// edition and name equal the printing's, compared as IndexOf compares.
std::vector<int32_t> OwnedCounts(const TCardsList& cards, const TInventoryList& inventory);

} // namespace tovel
