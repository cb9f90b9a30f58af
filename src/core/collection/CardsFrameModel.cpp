#include "core/collection/CardsFrameModel.h"

#include "core/carddb/CardText.h"
#include "core/infra/Text.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <span>

namespace tovel {

namespace {

int Sign(int64_t a, int64_t b) {
    return (a > b) - (a < b);
}

// A side of a power/toughness as a sort number: whole numbers in order, anything else ("*",
// none) after them.
int64_t PowerToughnessKey(std::string_view pt, bool second) {
    if (pt.find('/') == std::string_view::npos)
        return int64_t{1} << 40;
    const std::optional<int32_t> n = PowerToughnessSide(pt, second);
    return n ? *n : int64_t{1} << 32;
}

// Both halves' converted costs, held to the largest amount one half can have.
int32_t ManaValue(const TCardItem& card) {
    return static_cast<int32_t>(std::min<int64_t>(int64_t{card.ConvertedCost} + card.ConvertedCost2,
                                                  std::numeric_limits<int32_t>::max()));
}

// The order of two cards by a card column; lines without a card come last.
int CompareCardColumn(const TCardItem* a, const TCardItem* b, int column) {
    if (!a || !b)
        return Sign(a == nullptr, b == nullptr);
    switch (column) {
    case kColumnCost: {
        const int r = Sign(ManaValue(*a), ManaValue(*b));
        return r ? r : a->Cost.compare(b->Cost);
    }
    case kColumnType: {
        const int r =
            Sign(static_cast<int>(TypeClass(a->TypeLine)), static_cast<int>(TypeClass(b->TypeLine)));
        return r ? r : a->TypeLine.compare(b->TypeLine);
    }
    case kColumnRarity:
        return Sign(static_cast<int>(a->Rarity), static_cast<int>(b->Rarity));
    case kColumnPowerToughness: {
        const int r =
            Sign(PowerToughnessKey(a->PowerToughness, false), PowerToughnessKey(b->PowerToughness, false));
        return r ? r
                 : Sign(PowerToughnessKey(a->PowerToughness, true),
                        PowerToughnessKey(b->PowerToughness, true));
    }
    case kColumnValue:
        return Sign(a->Value, b->Value);
    default:
        return 0;
    }
}

} // namespace

void TCardsFrameModel::SetInventoryList(TInventoryList* list) {
    if (list == list_)
        return;
    list_ = list;
    if (list_)
        Rebuild();
}

void TCardsFrameModel::UseBaseLayout() {
    inventoryLayout_ = false;
    SetCardColumns({});
}

void TCardsFrameModel::SetCardColumns(const std::vector<int>& columns) {
    if (inventoryLayout_)
        return;
    columns_ = {kColumnEdition, kColumnName};
    for (int column : columns)
        if (column >= kFirstCardColumn && column < kColumnKinds && !Shows(column))
            columns_.push_back(column);
    if (!Shows(sortColumn_)) {
        sortColumn_ = kColumnEdition;
        descending_ = false;
        if (list_)
            Rebuild();
    }
}

bool TCardsFrameModel::Shows(int column) const {
    return std::find(columns_.begin(), columns_.end(), column) != columns_.end();
}

std::vector<int> TCardsFrameModel::CardColumnsToggled(int column, bool show) const {
    std::vector<int> columns;
    for (int position = 0; position < ColumnCount(); ++position)
        if (ColumnAt(position) >= kFirstCardColumn && ColumnAt(position) != column)
            columns.push_back(ColumnAt(position));
    if (show)
        columns.push_back(column);
    return columns;
}

const char* TCardsFrameModel::ColumnCaption(int column) {
    static constexpr const char* kCaptions[kColumnKinds] = {"Edition", "Name", "Count",  "Foil", "Notes",
                                                            "Cost",    "Type", "Rarity", "P/T",  "Value"};
    return column >= 0 && column < kColumnKinds ? kCaptions[column] : "";
}

void TCardsFrameModel::SetSortColumn(int column) {
    if (column == sortColumn_ || !Shows(column))
        return;
    sortColumn_ = column;
    descending_ = false;
    if (list_)
        Rebuild();
}

void TCardsFrameModel::ClickColumn(int column) {
    if (column != sortColumn_) {
        SetSortColumn(column);
        return;
    }
    descending_ = !descending_;
    if (list_)
        Rebuild();
}

uint64_t TCardsFrameModel::SearchKey(std::string_view name) {
    uint64_t key = 0;
    for (size_t i = 0; i < 8; ++i)
        key = (key << 8) | (i < name.size() ? static_cast<unsigned char>(AnsiLower(name[i])) : 0u);
    return key;
}

TCardsFrameModel::Row TCardsFrameModel::MakeRow(TInventoryItem& line) {
    Row row;
    row.line = &line;
    switch (sortColumn_) {
    case kColumnCount:
        row.kept = static_cast<uint32_t>(line.Count);
        break;
    case kColumnFoil:
        row.kept = (uint64_t{static_cast<uint32_t>(line.Foil)} << 32) | static_cast<uint32_t>(line.Count);
        break;
    case kColumnNotes:
        row.kept = (uint64_t{notesStore_.size()} << 32) | line.Notes.size();
        notesStore_ += line.Notes;
        break;
    default:
        break;
    }
    return row;
}

std::string_view TCardsFrameModel::KeptNotes(const Row& row) const {
    return std::string_view(notesStore_).substr(row.kept >> 32, row.kept & 0xFFFFFFFFu);
}

int TCardsFrameModel::Compare(const Row& a, const Row& b) const {
    const TInventoryItem& x = *a.line;
    const TInventoryItem& y = *b.line;
    const auto editions = [&] {
        return std::string_view(x.Edition).compare(y.Edition);
    };
    const auto names = [&] {
        return std::string_view(x.Name).compare(y.Name);
    };
    const auto kept = [](const Row& row, int half) {
        return static_cast<int32_t>(row.kept >> (32 * half));
    };
    int r = 0;
    switch (sortColumn_) {
    case kColumnEdition:
        r = editions();
        r = r ? r : names();
        break;
    case kColumnName:
        r = names();
        break;
    case kColumnCount:
        r = Sign(kept(a, 0), kept(b, 0));
        r = r ? r : editions();
        r = r ? r : names();
        break;
    case kColumnFoil:
        r = Sign(kept(a, 1), kept(b, 1));
        r = r ? r : Sign(kept(a, 0), kept(b, 0));
        r = r ? r : editions();
        r = r ? r : names();
        break;
    case kColumnNotes:
        r = KeptNotes(a).compare(KeptNotes(b));
        r = r ? r : editions();
        r = r ? r : names();
        break;
    default:
        r = CompareCardColumn(x.Card, y.Card, sortColumn_);
        r = r ? r : names();
        r = r ? r : editions();
        break;
    }
    r = r ? r : Sign(x.Index(), y.Index());
    return descending_ ? -r : r;
}

// Names and editions are the keys of every order. Each line's value is ranked once per list
// (while its lines stay the same), which spares every rebuild reading and comparing them.
void TCardsFrameModel::UpdateLineKeys() {
    if (lineKeysList_ == list_ && lineKeysStamp_ == list_->Stamp())
        return;
    const size_t n = static_cast<size_t>(list_->Count());
    // As many distinct values as the last time, most likely: the tables do not grow to them.
    texts_.Clear(highestName_ + 1);
    editionTexts_.Clear(highestEdition_ + 1);
    lineName_.resize(n);
    lineEdition_.resize(n);
    lineSearch_.resize(n);
    // On a big list the tables are out of the cache: each line's slots are fetched some lines
    // ahead of their lookups.
    constexpr size_t kAhead = 16;
    std::array<uint64_t, kAhead> nameHashes{};
    std::array<uint64_t, kAhead> editionHashes{};
    for (size_t i = 0; i < n + kAhead; ++i) {
        if (i >= kAhead) {
            const size_t at = i - kAhead;
            const TInventoryItem& line = list_->Items(static_cast<int>(at));
            lineName_[at] = texts_.Id(line.Name, nameHashes[at % kAhead]);
            lineEdition_[at] = editionTexts_.Id(line.Edition, editionHashes[at % kAhead]);
        }
        if (i < n) {
            const TInventoryItem& line = list_->Items(static_cast<int>(i));
            nameHashes[i % kAhead] = TTextRanks::Hash(line.Name);
            editionHashes[i % kAhead] = TTextRanks::Hash(line.Edition);
            texts_.Prefetch(nameHashes[i % kAhead]);
            editionTexts_.Prefetch(editionHashes[i % kAhead]);
            lineSearch_[i] = SearchKey(line.Name);
        }
    }
    texts_.RankByBytes(rankOf_);
    for (uint32_t& key : lineName_)
        key = rankOf_[key];
    highestName_ = texts_.Count() ? texts_.Count() - 1 : 0;
    editionTexts_.RankByBytes(rankOf_);
    for (uint32_t& key : lineEdition_)
        key = rankOf_[key];
    highestEdition_ = editionTexts_.Count() ? editionTexts_.Count() - 1 : 0;
    lineKeysList_ = list_;
    lineKeysStamp_ = list_->Stamp();
}

// The order Compare gives, as keys of the sorter, the least significant first; the rows stand
// in line order, which settles the rest.
void TCardsFrameModel::SortRows() {
    const size_t n = rows_.size();
    if (n < 2)
        return;
    TRowSorter& sorter = sorter_;
    sorter.Start(n);
    const auto name = [this](size_t row) {
        return lineName_[rowLines_[row]];
    };
    const auto edition = [this](size_t row) {
        return lineEdition_[rowLines_[row]];
    };
    const auto line = [this](size_t row) -> const TInventoryItem& {
        return *rows_[row].line;
    };
    switch (sortColumn_) {
    case kColumnEdition:
        sorter.AddKey(name, highestName_);
        sorter.AddKey(edition, highestEdition_);
        break;
    case kColumnName:
        sorter.AddKey(name, highestName_);
        break;
    case kColumnCount:
    case kColumnFoil:
        sorter.AddKey(name, highestName_);
        sorter.AddKey(edition, highestEdition_);
        sorter.AddNumber([&](size_t row) { return line(row).Count; });
        if (sortColumn_ == kColumnFoil)
            sorter.AddNumber([&](size_t row) { return line(row).Foil; });
        break;
    case kColumnNotes: {
        sorter.AddKey(name, highestName_);
        sorter.AddKey(edition, highestEdition_);
        texts_.Clear();
        rowText_.resize(n);
        for (size_t row = 0; row < n; ++row) {
            const std::string_view notes = KeptNotes(rows_[row]);
            rowText_[row] = texts_.Id(notes, TTextRanks::Hash(notes));
        }
        texts_.RankByBytes(rankOf_);
        sorter.AddKey([this](size_t row) { return rankOf_[rowText_[row]]; }, texts_.Count() - 1);
        break;
    }
    default:
        sorter.AddKey(edition, highestEdition_);
        sorter.AddKey(name, highestName_);
        AddCardKeys(sorter);
        break;
    }
    const std::span<const uint32_t> order = sorter.Sort();
    // The search keys were made in the rows' first order. A descending sort takes the whole
    // order backwards, ties included, as Compare does.
    sortScratch_.resize(n);
    searchScratch_.resize(n);
    for (size_t i = 0; i < n; ++i) {
        const uint32_t from = order[descending_ ? n - 1 - i : i];
        sortScratch_[i] = rows_[from];
        searchScratch_[i] = searchKeys_[from];
    }
    rows_.swap(sortScratch_);
    searchKeys_.swap(searchScratch_);
}

// The keys of a card column: its text and its number where it has them, read in one pass over
// the rows' cards, and last whether a row has a card at all. Rows without one all take the
// same keys and come after the others.
void TCardsFrameModel::AddCardKeys(TRowSorter& sorter) {
    const size_t n = rows_.size();
    const int column = sortColumn_;
    constexpr uint32_t kNoCard = UINT32_MAX;
    texts_.Clear();
    rowText_.resize(n);
    rowNumber_.resize(n);
    bool anyWithout = false;
    // On a big list the rows' lines, cards and texts are cache misses one after the other: each
    // is fetched some rows ahead, so that they overlap.
    const TTextView TCardItem::*textField = column == kColumnCost             ? &TCardItem::Cost
                                            : column == kColumnType           ? &TCardItem::TypeLine
                                            : column == kColumnPowerToughness ? &TCardItem::PowerToughness
                                                                              : nullptr;
    constexpr size_t kAhead = 8;
    for (size_t row = 0; row < n; ++row) {
        if (row + 3 * kAhead < n)
            __builtin_prefetch(rows_[row + 3 * kAhead].line);
        if (row + 2 * kAhead < n)
            if (const TCardItem* ahead = rows_[row + 2 * kAhead].line->Card) {
                __builtin_prefetch(&ahead->Rarity);
                __builtin_prefetch(&ahead->Cost);
            }
        if (textField && row + kAhead < n)
            if (const TCardItem* ahead = rows_[row + kAhead].line->Card)
                __builtin_prefetch((ahead->*textField).data());
        const TCardItem* card = rows_[row].line->Card;
        if (!card) {
            rowText_[row] = kNoCard;
            rowNumber_[row] = 0;
            anyWithout = true;
            continue;
        }
        std::string_view text;
        int64_t number = 0;
        switch (column) {
        case kColumnCost:
            text = card->Cost;
            number = ManaValue(*card);
            break;
        case kColumnType:
            text = card->TypeLine;
            break;
        case kColumnRarity:
            number = static_cast<int>(card->Rarity);
            break;
        case kColumnPowerToughness:
            text = card->PowerToughness;
            break;
        case kColumnValue:
            number = card->Value;
            break;
        default:
            break;
        }
        if (textField)
            rowText_[row] = texts_.Id(text, TTextRanks::Hash(text));
        else
            rowText_[row] = 0;
        rowNumber_[row] = number;
    }
    if (textField) {
        if (column == kColumnType) {
            // By type class, then the line's bytes; each distinct line's class is read once.
            distinctKeys_.resize(texts_.Count());
            for (uint32_t id = 0; id < distinctKeys_.size(); ++id)
                distinctKeys_[id] = static_cast<int64_t>(TypeClass(texts_.Text(id)));
            texts_.RankBy(
                [this](uint32_t a, uint32_t b) {
                    return distinctKeys_[a] != distinctKeys_[b] ? distinctKeys_[a] < distinctKeys_[b]
                                                                : texts_.Text(a) < texts_.Text(b);
                },
                rankOf_);
        } else if (column == kColumnPowerToughness) {
            // By the two numbers alone: "*/2" and " */2" are equal keys.
            distinctKeys_.resize(2 * texts_.Count());
            for (uint32_t id = 0; id < texts_.Count(); ++id) {
                distinctKeys_[2 * id] = PowerToughnessKey(texts_.Text(id), false);
                distinctKeys_[2 * id + 1] = PowerToughnessKey(texts_.Text(id), true);
            }
            texts_.RankBy(
                [this](uint32_t a, uint32_t b) {
                    return distinctKeys_[2 * a] != distinctKeys_[2 * b]
                               ? distinctKeys_[2 * a] < distinctKeys_[2 * b]
                               : distinctKeys_[2 * a + 1] < distinctKeys_[2 * b + 1];
                },
                rankOf_);
        } else {
            texts_.RankByBytes(rankOf_);
        }
        sorter.AddKey([this](size_t row) { return rowText_[row] == kNoCard ? 0 : rankOf_[rowText_[row]]; },
                      rankOf_.empty() ? 0 : *std::max_element(rankOf_.begin(), rankOf_.end()));
    }
    sorter.AddNumber([this](size_t row) { return rowNumber_[row]; });
    sorter.AddKey([this](size_t row) { return rowText_[row] == kNoCard; }, anyWithout ? 1 : 0);
}

bool TCardsFrameModel::QueryNarrows() const {
    return query_ && queryCards_ && !query_->MatchesEverything();
}

bool TCardsFrameModel::QueryHolds(const TInventoryItem& line) const {
    if (!QueryNarrows())
        return true;
    if (!line.Card)
        return false;
    if (found_ && &found_->Cards() == queryCards_ && found_->Done())
        return found_->Holds(queryCards_->PositionOf(*line.Card));
    const int position = query_->UsesOwned() ? queryCards_->PositionOf(*line.Card) : -1;
    return query_->Matches(*queryCards_, *line.Card, position);
}

void TCardsFrameModel::Rebuild() {
    rows_.clear();
    searchKeys_.clear();
    notesStore_.clear();
    totalCount_ = 0;
    differentCount_ = 0;
    selected_ = -1;
    currentCard_ = nullptr;
    topRow_ = 0;
    if (list_) {
        UpdateLineKeys();
        const size_t n = static_cast<size_t>(list_->Count());
        rows_.reserve(n);
        rowLines_.clear();
        rowLines_.reserve(n);
        searchKeys_.reserve(n);
        const TFilterMatcher filter(filter_);
        // Without a filter and a query, a line is read only where the sort column needs it.
        const bool everyLine = filter.MatchesEverything() && !QueryNarrows();
        for (size_t i = 0; i < n; ++i) {
            TInventoryItem& line = list_->Items(static_cast<int>(i));
            if (!everyLine && (!filter.Matches(line.Edition, line.Card) || !QueryHolds(line)))
                continue;
            rows_.push_back(MakeRow(line));
            rowLines_.push_back(static_cast<uint32_t>(i));
            searchKeys_.push_back(lineSearch_[i]);
            if (inventoryLayout_)
                totalCount_ += line.Count;
        }
        SortRows();
    }
    differentCount_ = RowCount();
    if (!rows_.empty())
        Select(0);
}

std::string TCardsFrameModel::CellText(int row, int column) const {
    const TInventoryItem& line = RowLine(row);
    switch (column) {
    case kColumnEdition:
        return line.Edition;
    case kColumnName:
        return line.Name;
    case kColumnCount:
        return inventoryLayout_ ? std::to_string(line.Count) : std::string();
    case kColumnFoil:
        return inventoryLayout_ ? std::to_string(line.Foil) : std::string();
    case kColumnNotes:
        return inventoryLayout_ ? line.Notes : std::string();
    }
    const TCardItem* card = line.Card;
    if (!card || !Shows(column))
        return {};
    switch (column) {
    case kColumnCost:
        return std::string(card->Cost);
    case kColumnType:
        return std::string(card->TypeLine);
    case kColumnRarity:
        return std::string(1, RarityLetter(*card));
    case kColumnPowerToughness:
        return std::string(card->PowerToughness);
    case kColumnValue:
        return std::to_string(card->Value);
    default:
        return {};
    }
}

void TCardsFrameModel::Select(int row) {
    if (row < 0 || row >= RowCount())
        return;
    selected_ = row;
    currentCard_ = RowLine(row).Card;
    if (OnCardSelected)
        OnCardSelected();
}

void TCardsFrameModel::ScrollToTop(int row) {
    if (row <= topRow_ || row >= topRow_ + visibleRows_)
        topRow_ = row;
}

int TCardsFrameModel::Search(std::string_view text) {
    if (rows_.empty())
        return -1;
    if (text.empty()) {
        Select(0);
        topRow_ = 0;
        return 0;
    }
    const std::string folded = AnsiLowerCase(text);
    // The first eight bytes through the keys; a zero byte in the text could match a name's padding.
    const size_t keyed = folded.find('\0') == std::string::npos ? std::min<size_t>(folded.size(), 8) : 0;
    const uint64_t mask = keyed ? ~uint64_t{0} << (8 * (8 - keyed)) : 0;
    const uint64_t want = SearchKey(folded) & mask;
    for (size_t i = 0; i < rows_.size(); ++i) {
        if ((searchKeys_[i] & mask) != want)
            continue;
        const std::string_view name = rows_[i].line->Name;
        if (name.size() < folded.size())
            continue;
        size_t k = keyed;
        while (k < folded.size() && AnsiLower(name[k]) == folded[k])
            ++k;
        if (k == folded.size()) {
            const int row = static_cast<int>(i);
            Select(row);
            ScrollToTop(row);
            return row;
        }
    }
    return -1;
}

int TCardsFrameModel::LocateCard(const TCardItem* card) {
    if (!card)
        return -1;
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].line->Card != card)
            continue;
        const int row = static_cast<int>(i);
        Select(row);
        ScrollToTop(row);
        return row;
    }
    return -1;
}

int TCardsFrameModel::InsertRow(TInventoryItem& line) {
    const Row row = MakeRow(line);
    const auto at = std::upper_bound(rows_.begin(), rows_.end(), row,
                                     [this](const Row& a, const Row& b) { return Compare(a, b) < 0; });
    searchKeys_.insert(searchKeys_.begin() + (at - rows_.begin()), SearchKey(line.Name));
    const auto inserted = rows_.insert(at, row);
    return static_cast<int>(inserted - rows_.begin());
}

int TCardsFrameModel::AddCopy(const TCardItem& card, bool foil) {
    if (!list_)
        return -1;
    for (size_t i = 0; i < rows_.size(); ++i) {
        TInventoryItem& line = *rows_[i].line;
        if (line.Card != &card)
            continue;
        if (line.Count < INT32_MAX) {
            ++line.Count;
            if (inventoryLayout_)
                ++totalCount_;
        }
        if (foil && line.Foil < INT32_MAX)
            ++line.Foil;
        Select(static_cast<int>(i));
        return static_cast<int>(i);
    }
    TInventoryItem& line = list_->Add();
    line.Card = &card;
    line.Name = card.Name;
    line.Edition = card.Edition;
    line.Count = 1;
    line.Foil = foil ? 1 : 0;
    const int row = InsertRow(line);
    differentCount_ = RowCount();
    if (inventoryLayout_)
        ++totalCount_;
    Select(row);
    return row;
}

void TCardsFrameModel::RemoveCopy(int row, bool foil) {
    if (!list_ || row < 0 || row >= RowCount())
        return;
    TInventoryItem& line = RowLine(row);
    const int32_t before = line.Count;
    if (!foil) {
        if (line.Count > 0) {
            --line.Count;
            if (line.Foil > line.Count)
                --line.Foil;
        }
    } else if (line.Foil > 0) {
        --line.Foil;
        --line.Count;
    }
    if (inventoryLayout_)
        totalCount_ -= before - line.Count;
    // Lines read from a file may hold more foils than copies; such a line can end below 0.
    if (line.Count > 0)
        return;
    if (inventoryLayout_)
        totalCount_ -= line.Count;
    currentCard_ = nullptr;
    const int index = line.Index();
    rows_.erase(rows_.begin() + row);
    searchKeys_.erase(searchKeys_.begin() + row);
    differentCount_ = RowCount();
    list_->Delete(index);
    if (selected_ >= RowCount())
        selected_ = RowCount() - 1;
    if (!rows_.empty())
        Select(std::min(row, RowCount() - 1));
    else
        selected_ = -1;
}

bool TCardsFrameModel::SetNotes(int row, std::string_view notes) {
    if (row < 0 || row >= RowCount() || !std::all_of(notes.begin(), notes.end(), IsNotesCharAllowed))
        return false;
    RowLine(row).Notes = notes;
    return true;
}

} // namespace tovel
