#pragma once

// What a card list panel shows: the lines of a TInventoryList that pass the panel's edition
// filter, kept sorted by the sort column's key, with search as you type, copies added and
// removed in place, notes editing and the statistics of the shown rows. The panel widget only
// displays this model.
//
// Rows keep the sort key their line had when the row was added, so a row does not move when
// its counts or notes change; the next rebuild brings the order up to date. Rows point at the
// list's lines: after the list is reloaded, call Rebuild before anything else.

#include "core/carddb/CardQuery.h"
#include "core/carddb/Editions.h"
#include "core/collection/Inventory.h"
#include "core/collection/RowSorter.h"
#include "core/infra/LargeMemory.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

// Column identities. The inventory layout shows the first five in this order; the base layout
// shows edition and name, then any of the card columns it is given.
enum TCardsColumn : int {
    kColumnEdition = 0,
    kColumnName = 1,
    kColumnCount = 2,
    kColumnFoil = 3,
    kColumnNotes = 4,
    kColumnCost = 5,
    kColumnType = 6,
    kColumnRarity = 7,
    kColumnPowerToughness = 8,
    kColumnValue = 9,
};
inline constexpr int kFirstCardColumn = kColumnCost;
inline constexpr int kColumnKinds = 10;

class TCardsFrameModel {
public:
    // The shown list (not owned). A different, non-null list is rebuilt at once.
    void SetInventoryList(TInventoryList* list);
    TInventoryList* InventoryList() const { return list_; }

    void SetFilter(const TCardFilter& filter) { filter_ = filter; }
    const TCardFilter& Filter() const { return filter_; }

    // A card search narrowing the rows further (not owned; null: none), matched against the
    // lines' cards in `cards`. A line without a database card never holds a search that has
    // terms. Takes effect at the next rebuild.
    void SetQuery(const TCardQuery* query, const TCardsList* cards) {
        query_ = query;
        queryCards_ = cards;
    }
    // The query's answers found ahead by a finished search over the same cards (not owned;
    // null: none): a rebuild reads them instead of matching again. The caller takes them back
    // before the cards or the query change.
    void SetFound(const TCardSearch* found) { found_ = found; }

    // Edition and name only, no totals and no notes. Call before setting the list.
    void UseBaseLayout();
    bool InventoryLayout() const { return inventoryLayout_; }
    // The base layout's columns after edition and name: card columns (kFirstCardColumn and
    // on), in the order given; others are ignored. When the sort column goes, edition sorts.
    void SetCardColumns(const std::vector<int>& columns);
    // The shown columns, left to right, by identity.
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    int ColumnAt(int position) const { return columns_[static_cast<size_t>(position)]; }
    bool Shows(int column) const;
    // The card columns after `column` is shown (last) or hidden: the shown card columns in their
    // order, without it, then it when shown.
    std::vector<int> CardColumnsToggled(int column, bool show) const;
    // The header caption of a column identity.
    static const char* ColumnCaption(int column);

    int SortColumn() const { return sortColumn_; }
    bool SortDescending() const { return descending_; }
    // Sorts by a shown column (by identity), ascending, and rebuilds; the same column again
    // does nothing.
    void SetSortColumn(int column);
    // A click on a column header: a different shown column sorts ascending; the sort column
    // again sorts the other way. Rebuilds.
    void ClickColumn(int column);

    void Rebuild();

    int RowCount() const { return static_cast<int>(rows_.size()); }
    TInventoryItem& RowLine(int row) const { return *rows_[static_cast<size_t>(row)].line; }
    // The text of a cell, live from the row's line (bytes, as the data holds them).
    std::string CellText(int row, int column) const;

    int SelectedRow() const { return selected_; }
    void Select(int row);
    const TCardItem* CurrentCard() const { return currentCard_; }
    // Called after every selection change.
    std::function<void()> OnCardSelected;

    // The view's scroll state, for search and LocateCard to bring a found row to the top.
    int TopRow() const { return topRow_; }
    void SetTopRow(int row) { topRow_ = row; }
    void SetVisibleRows(int rows) { visibleRows_ = rows; }

    // Search as you type: selects the first row whose name starts with `text` (ANSI
    // case-insensitive); an empty text selects the first row. Returns the selected row, or -1
    // when nothing matched (the selection then stays).
    int Search(std::string_view text);
    // Selects the first row linked to this card; -1 when there is none.
    int LocateCard(const TCardItem* card);

    // One more copy of a card: on its first shown line, or on a new line appended to the list.
    // Returns the (selected) row.
    int AddCopy(const TCardItem& card, bool foil);
    // One copy less on the row's line; a line whose count reaches 0 goes from the list.
    void RemoveCopy(int row, bool foil);

    // Notes of the selected row's line. A ";" (the file's separator) or a line break is refused:
    // false, and nothing changes.
    bool SetNotes(std::string_view notes) { return SetNotes(selected_, notes); }
    // The same for any shown row (the list's note cell).
    bool SetNotes(int row, std::string_view notes);
    static bool IsNotesCharAllowed(char c) { return c != ';' && c != '\r' && c != '\n'; }

    // The statistics of the shown rows as captions: the sum of their lines' counts (inventory
    // layout only) and their number. Adding and removing copies keeps them current.
    std::string TotalCaption() const { return "Cards total: " + std::to_string(totalCount_); }
    std::string DifferentCaption() const { return "Different cards: " + std::to_string(differentCount_); }

private:
    struct Row {
        TInventoryItem* line = nullptr;
        // What the sort column reads of the line that may change while the row is shown: the
        // count (low half) and foil count (high half), or the notes' place in notesStore_
        // (offset high, length low).
        uint64_t kept = 0;
    };

    Row MakeRow(TInventoryItem& line);
    static uint64_t SearchKey(std::string_view name);
    bool QueryNarrows() const;
    bool QueryHolds(const TInventoryItem& line) const;
    std::string_view KeptNotes(const Row& row) const;
    // The rows' order: -1 when a comes first, 0 for the same line, or 1.
    int Compare(const Row& a, const Row& b) const;
    int InsertRow(TInventoryItem& line);
    void UpdateLineKeys();
    void SortRows();
    void AddCardKeys(TRowSorter& sorter);
    void ScrollToTop(int row);

    TInventoryList* list_ = nullptr;
    TCardFilter filter_;
    const TCardQuery* query_ = nullptr;
    const TCardsList* queryCards_ = nullptr;
    const TCardSearch* found_ = nullptr;
    bool inventoryLayout_ = true;
    std::vector<int> columns_{kColumnEdition, kColumnName, kColumnCount, kColumnFoil, kColumnNotes};
    int sortColumn_ = kColumnEdition;
    bool descending_ = false;
    TBigVector<Row> rows_;
    // Per row, its name's first eight bytes folded to lower case (zero-padded): search as you
    // type reads these instead of every row's name.
    TBigVector<uint64_t> searchKeys_;
    // Per line of the list, under the list's stamp lineKeysStamp_: the ranks of its name and
    // edition among the lines' (byte order), and its search key.
    const TInventoryList* lineKeysList_ = nullptr;
    uint64_t lineKeysStamp_ = 0;
    TBigVector<uint32_t> lineName_;
    TBigVector<uint32_t> lineEdition_;
    TBigVector<uint64_t> lineSearch_;
    uint64_t highestName_ = 0;
    uint64_t highestEdition_ = 0;
    // The sort's working storage, kept from one rebuild to the next.
    TRowSorter sorter_;
    TTextRanks texts_; // names while the line keys are made, then any text the sort column reads
    TTextRanks editionTexts_;
    TBigVector<uint32_t> rankOf_;
    TBigVector<uint32_t> rowLines_; // per row, its line's position, while rows are in line order
    TBigVector<uint32_t> rowText_;
    TBigVector<int64_t> rowNumber_;
    TBigVector<int64_t> distinctKeys_;
    TBigVector<Row> sortScratch_;
    TBigVector<uint64_t> searchScratch_;
    std::string notesStore_;
    int selected_ = -1;
    const TCardItem* currentCard_ = nullptr;
    int topRow_ = 0;
    int visibleRows_ = 1;
    int64_t totalCount_ = 0;
    int differentCount_ = 0;
};

} // namespace tovel
