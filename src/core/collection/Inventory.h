#pragma once

// The inventory: the cards the user owns, one line per card with its count, foil count and a
// note, stored as a ";"-separated ".inv" file. The same list type is the display model of the
// card lists, so a second program-wide list (the base list) holds one line per database card.

#include "core/carddb/CardsDB.h"
#include "core/infra/LargeMemory.h"
#include "core/infra/ProgramFiles.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

class TInventoryList;

struct TInventoryItem {
    const TCardItem* Card = nullptr; // the linked database card; none when it isn't loaded
    std::string Name;
    std::string Edition;
    int32_t Count = 0; // copies owned, foil copies included
    int32_t Foil = 0;
    std::string Notes;

    // Position of the line in its list.
    int Index() const { return index_; }

private:
    friend class TInventoryList;
    int index_ = -1;
};

// Lines keep their addresses while they are in the list, so views may point at them.
class TInventoryList {
public:
    TInventoryList();
    ~TInventoryList();
    TInventoryList(const TInventoryList&) = delete;
    TInventoryList& operator=(const TInventoryList&) = delete;

    // Appends an empty line. Set Name and Edition before the next Find or Stamp; they stay as
    // they are while the line is in the list (Card, counts and notes may change).
    TInventoryItem& Add();
    // The first line whose name and edition equal these exactly (case-sensitive), or -1.
    // O(1) on average, so readers stay linear.
    int Find(std::string_view name, std::string_view edition) const;

    int Count() const { return static_cast<int>(items_.size()); }
    TInventoryItem& Items(int index) { return *items_[static_cast<size_t>(index)]; }
    const TInventoryItem& Items(int index) const { return *items_[static_cast<size_t>(index)]; }
    void Delete(int index);
    void Clear();
    // Exchanges the lines of two lists; every line keeps its address and position.
    void Swap(TInventoryList& other) noexcept;
    // Changes whenever lines come or go (Add, Delete, Clear, Swap), to a value no list had
    // before: what was worked out from the lines' names and editions under one stamp holds
    // while the stamp stays.
    uint64_t Stamp() const;

private:
    class Index;
    // Lines live in blocks that never move (each filled within the room it was given), so a line
    // keeps its address without a heap block of its own; a deleted line's place is given back at
    // Clear.
    std::vector<TBigVector<TInventoryItem>> blocks_;
    TBigVector<TInventoryItem*> items_;
    std::unique_ptr<Index> index_;
    mutable uint64_t stamp_ = 0; // 0: changed since the last stamp was given
};

// Clears `list` and appends one line per card of `cards`, in list order, linked to its card.
void FillBaseList(TInventoryList& list, const TCardsList& cards);

inline constexpr const char* kInventoryFilter = "Inventory files|*.inv";
inline constexpr const char* kInventoryExtension = "inv";

// Reads an ".inv" file. Without `add` the list is cleared first. A missing file is created
// empty. Equal name-and-edition pairs (exact) sum their counts and run their notes together;
// cards are linked case-insensitively, and unknown ones stay unlinked. Error when the file
// cannot be read or created.
void LoadInventory(TInventoryList& list, const TCardsList& cards, const std::string& path, bool add);

// Writes every line whose count is above 0, atomically. Error on failure; the old file stays.
void SaveInventory(const TInventoryList& list, const std::string& path);

// The text SaveInventory writes.
std::string FormatInventory(const TInventoryList& list);

} // namespace tovel
