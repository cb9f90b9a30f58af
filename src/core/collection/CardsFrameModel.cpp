#include "core/collection/CardsFrameModel.h"

#include "core/carddb/CardText.h"
#include "core/infra/Text.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <optional>
#include <span>

namespace tovel {

namespace {

// The first eight bytes, big-endian and zero-padded: ordering by it never contradicts the
// byte-wise order of the whole text.
uint64_t Prefix8(std::string_view text) {
    uint64_t key = 0;
    for (size_t i = 0; i < 8; ++i)
        key = (key << 8) | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
    return key;
}

uint32_t Biased(int32_t value) {
    return static_cast<uint32_t>(value) ^ 0x80000000u;
}

int Sign(int64_t a, int64_t b) {
    return (a > b) - (a < b);
}

// A side of a power/toughness as a sort number: whole numbers in order, anything else ("*",
// none) after them.
int64_t PowerToughnessKey(std::string_view pt, bool second) {
    const size_t slash = pt.find('/');
    if (slash == std::string_view::npos)
        return int64_t{1} << 40;
    const std::optional<int32_t> n = ParseInt(Trim(second ? pt.substr(slash + 1) : pt.substr(0, slash)));
    return n ? *n : int64_t{1} << 32;
}

int ManaValue(const TCardItem& card) {
    return card.ConvertedCost + card.ConvertedCost2;
}

// Power/toughness numbers from here up share one prefix key.
constexpr int64_t kPowerToughnessShared = INT32_MAX - 2;

// The sort prefix of a card column: the column's number (or class) in the high half, the start
// of its text below it. Lines without a card sort last.
uint64_t CardKey(const TCardItem* card, int column) {
    if (!card)
        return ~uint64_t{0};
    switch (column) {
    case kColumnCost:
        return (uint64_t{Biased(ManaValue(*card))} << 32) | (Prefix8(card->Cost) >> 32);
    case kColumnType:
        return (uint64_t{static_cast<uint32_t>(TypeClass(card->TypeLine))} << 56) |
               (Prefix8(card->TypeLine) >> 8);
    case kColumnRarity:
        return (uint64_t{static_cast<uint8_t>(card->Rarity)} << 56) | (Prefix8(card->Name) >> 8);
    case kColumnPowerToughness: {
        // Numbers in order (the largest three share a key), then "*" and the like, then none.
        const auto half = [](int64_t v) -> uint64_t {
            if (v >= (int64_t{1} << 40))
                return 0xFFFFFFFFu;
            if (v >= (int64_t{1} << 32))
                return 0xFFFFFFFEu;
            return static_cast<uint32_t>(std::clamp<int64_t>(v, INT32_MIN, kPowerToughnessShared)) ^
                   0x80000000u;
        };
        return (half(PowerToughnessKey(card->PowerToughness, false)) << 32) |
               half(PowerToughnessKey(card->PowerToughness, true));
    }
    case kColumnValue:
        return (uint64_t{Biased(card->Value)} << 32) | (Prefix8(card->Name) >> 32);
    default:
        return 0;
    }
}

// The full comparison behind a card column's prefix.
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
        if (list_)
            Rebuild();
    }
}

bool TCardsFrameModel::Shows(int column) const {
    return std::find(columns_.begin(), columns_.end(), column) != columns_.end();
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
    if (list_)
        Rebuild();
}

TCardsFrameModel::Row TCardsFrameModel::MakeRow(TInventoryItem& line) {
    Row row;
    row.line = &line;
    row.edition = line.Edition;
    row.name = line.Name;
    row.namePrefix = Prefix8(row.name);
    row.count = line.Count;
    row.foil = line.Foil;
    row.order = line.Index();
    switch (sortColumn_) {
    case kColumnEdition:
        row.prefix = Prefix8(row.edition);
        break;
    case kColumnName:
        row.prefix = Prefix8(row.name);
        break;
    case kColumnCount:
        row.prefix = (uint64_t{Biased(row.count)} << 32) | (Prefix8(row.edition) >> 32);
        break;
    case kColumnFoil:
        row.prefix = (uint64_t{Biased(row.foil)} << 32) | Biased(row.count);
        break;
    case kColumnNotes:
        row.notesOffset = static_cast<uint32_t>(notesStore_.size());
        row.notesLength = static_cast<uint32_t>(line.Notes.size());
        notesStore_ += line.Notes;
        row.prefix = Prefix8(line.Notes);
        break;
    default:
        row.prefix = CardKey(line.Card, sortColumn_);
        if (line.Card && sortColumn_ == kColumnCost)
            row.cardText = line.Card->Cost;
        else if (line.Card && sortColumn_ == kColumnType)
            row.cardText = line.Card->TypeLine;
        break;
    }
    return row;
}

// CompareCardColumn of two rows whose prefixes are equal. The prefix holds a card column's
// number (mana value, type class, rarity, value) exactly and P/T exactly short of its largest
// numbers, so most ties need only the text behind the number, or nothing.
int TCardsFrameModel::TiedCardColumn(const Row& a, const Row& b) const {
    const TCardItem* cardA = a.line->Card;
    const TCardItem* cardB = b.line->Card;
    if (!cardA || !cardB)
        return CompareCardColumn(cardA, cardB, sortColumn_);
    switch (sortColumn_) {
    case kColumnCost:
    case kColumnType:
        return a.cardText.compare(b.cardText);
    case kColumnRarity:
    case kColumnValue:
        return 0;
    case kColumnPowerToughness: {
        constexpr uint32_t kShared = static_cast<uint32_t>(kPowerToughnessShared) ^ 0x80000000u;
        const auto exact = [](uint32_t half) {
            return half != kShared;
        };
        if (exact(static_cast<uint32_t>(a.prefix >> 32)) && exact(static_cast<uint32_t>(a.prefix)))
            return 0;
        return CompareCardColumn(cardA, cardB, sortColumn_);
    }
    default:
        return CompareCardColumn(cardA, cardB, sortColumn_);
    }
}

// The byte-wise order of the rows' names; the prefixes decide unless they are equal.
int TCardsFrameModel::CompareNames(const Row& a, const Row& b) {
    if (a.namePrefix != b.namePrefix)
        return a.namePrefix < b.namePrefix ? -1 : 1;
    return a.name.compare(b.name);
}

bool TCardsFrameModel::Less(const Row& a, const Row& b) const {
    if (a.prefix != b.prefix)
        return a.prefix < b.prefix;
    int r = 0;
    switch (sortColumn_) {
    case kColumnEdition:
        r = a.edition.compare(b.edition);
        if (!r)
            r = CompareNames(a, b);
        break;
    case kColumnName:
        r = CompareNames(a, b);
        break;
    case kColumnCount:
        r = Sign(a.count, b.count);
        if (!r)
            r = a.edition.compare(b.edition);
        if (!r)
            r = CompareNames(a, b);
        break;
    case kColumnFoil:
        r = Sign(a.foil, b.foil);
        if (!r)
            r = Sign(a.count, b.count);
        if (!r)
            r = a.edition.compare(b.edition);
        if (!r)
            r = CompareNames(a, b);
        break;
    case kColumnNotes: {
        const std::string_view an(notesStore_.data() + a.notesOffset, a.notesLength);
        const std::string_view bn(notesStore_.data() + b.notesOffset, b.notesLength);
        r = an.compare(bn);
        if (!r)
            r = a.edition.compare(b.edition);
        if (!r)
            r = CompareNames(a, b);
        break;
    }
    default:
        r = TiedCardColumn(a, b);
        if (!r)
            r = CompareNames(a, b);
        if (!r)
            r = a.edition.compare(b.edition);
        break;
    }
    if (r)
        return r < 0;
    return a.order < b.order;
}

// Sorts small (prefix, row) pairs instead of whole rows: a radix sort by the prefix, then each
// run of equal prefixes by the full comparison. Less orders by the prefix first, so this is the
// order a comparison sort by Less gives, at a fraction of its comparisons.
void TCardsFrameModel::SortRows() {
    // The buffers keep their capacity from one rebuild to the next: fresh pages are costly.
    const size_t n = rows_.size();
    sortKeys_.resize(n);
    sortSpare_.resize(n);
    std::array<std::array<uint32_t, 256>, 8> counts{};
    for (size_t i = 0; i < n; ++i) {
        const uint64_t prefix = rows_[i].prefix;
        sortKeys_[i] = {prefix, static_cast<uint32_t>(i)};
        for (int pass = 0; pass < 8; ++pass)
            ++counts[static_cast<size_t>(pass)][(prefix >> (8 * pass)) & 0xFF];
    }
    for (int pass = 0; pass < 8; ++pass) {
        std::array<uint32_t, 256>& count = counts[static_cast<size_t>(pass)];
        const uint64_t sample = n ? (sortKeys_[0].prefix >> (8 * pass)) & 0xFF : 0;
        if (count[sample] == n)
            continue; // every key has the same byte here
        uint32_t start = 0;
        for (uint32_t& c : count) {
            const uint32_t here = c;
            c = start;
            start += here;
        }
        for (const SortKey& key : sortKeys_)
            sortSpare_[count[(key.prefix >> (8 * pass)) & 0xFF]++] = key;
        sortKeys_.swap(sortSpare_);
    }
    for (size_t first = 0; first < n;) {
        size_t last = first + 1;
        while (last < n && sortKeys_[last].prefix == sortKeys_[first].prefix)
            ++last;
        if (last - first > 1)
            SortRun(first, last);
        first = last;
    }
    sortScratch_.clear();
    for (const SortKey& key : sortKeys_)
        sortScratch_.push_back(rows_[key.row]);
    rows_.swap(sortScratch_);
}

// Within a run the prefix is spent: where the next keys of the comparison are known they take
// its place, so that long runs (every creature, every card without P/T) still sort mostly by
// integers.
void TCardsFrameModel::SortRun(size_t first, size_t last) {
    const auto keys = std::span(sortKeys_).subspan(first, last - first);
    const uint64_t prefix = keys.front().prefix;
    const auto hasCard = [this](const SortKey& key) {
        return rows_[key.row].line->Card != nullptr;
    };
    bool named = false;
    switch (sortColumn_) {
    case kColumnCost:
    case kColumnType:
        // Equal prefixes hold the text's first bytes.
        SortByText(first, last, sortColumn_ == kColumnCost ? 4 : 7);
        return;
    case kColumnPowerToughness:
    case kColumnRarity:
    case kColumnValue: {
        // The column compares equal on a tie (P/T short of its largest numbers): the names decide.
        constexpr uint32_t kShared = static_cast<uint32_t>(kPowerToughnessShared) ^ 0x80000000u;
        const bool exact =
            sortColumn_ != kColumnPowerToughness ||
            (static_cast<uint32_t>(prefix >> 32) != kShared && static_cast<uint32_t>(prefix) != kShared);
        named = exact && std::all_of(keys.begin(), keys.end(), hasCard);
        break;
    }
    default:
        break;
    }
    // Equal keys leave the order to Less.
    for (SortKey& key : keys)
        key.prefix = named ? rows_[key.row].namePrefix : 0;
    SortByKeyThenLess(first, last);
}

// A run whose card texts agree in their first `offset` bytes: ordered by the next eight, and
// runs of those by the following ones, until the texts are equal and the names decide. A run
// with a text that ends too soon for that (or a line without a card) is left to Less.
void TCardsFrameModel::SortByText(size_t first, size_t last, size_t offset) {
    const auto keys = std::span(sortKeys_).subspan(first, last - first);
    const auto text = [this](const SortKey& key) {
        return rows_[key.row].cardText;
    };
    // Deep runs (long equal texts) are few: the comparison takes them, and the stack stays flat.
    const bool covered = offset <= 64 && std::all_of(keys.begin(), keys.end(), [&](const SortKey& key) {
                             return rows_[key.row].line->Card != nullptr && text(key).size() >= offset;
                         });
    if (!covered) {
        for (SortKey& key : keys)
            key.prefix = 0;
        SortByKeyThenLess(first, last);
        return;
    }
    if (std::all_of(keys.begin(), keys.end(),
                    [&](const SortKey& key) { return text(key).size() == offset; })) {
        for (SortKey& key : keys) // all texts equal
            key.prefix = rows_[key.row].namePrefix;
        SortByKeyThenLess(first, last);
        return;
    }
    for (SortKey& key : keys)
        key.prefix = Prefix8(text(key).substr(offset));
    std::sort(keys.begin(), keys.end(),
              [](const SortKey& a, const SortKey& b) { return a.prefix < b.prefix; });
    for (size_t from = first; from < last;) {
        size_t to = from + 1;
        while (to < last && sortKeys_[to].prefix == sortKeys_[from].prefix)
            ++to;
        if (to - from > 1)
            SortByText(from, to, offset + 8);
        from = to;
    }
}

void TCardsFrameModel::SortByKeyThenLess(size_t first, size_t last) {
    std::sort(sortKeys_.begin() + static_cast<std::ptrdiff_t>(first),
              sortKeys_.begin() + static_cast<std::ptrdiff_t>(last),
              [this](const SortKey& a, const SortKey& b) {
                  if (a.prefix != b.prefix)
                      return a.prefix < b.prefix;
                  return Less(rows_[a.row], rows_[b.row]);
              });
}

bool TCardsFrameModel::QueryHolds(const TInventoryItem& line) const {
    if (!query_ || !queryCards_ || query_->MatchesEverything())
        return true;
    if (!line.Card)
        return false;
    const int position = query_->UsesOwned() ? queryCards_->PositionOf(*line.Card) : -1;
    return query_->Matches(*queryCards_, *line.Card, position);
}

void TCardsFrameModel::Rebuild() {
    rows_.clear();
    notesStore_.clear();
    totalCount_ = 0;
    differentCount_ = 0;
    selected_ = -1;
    currentCard_ = nullptr;
    topRow_ = 0;
    if (list_) {
        rows_.reserve(static_cast<size_t>(list_->Count()));
        const TFilterMatcher filter(filter_);
        for (int i = 0; i < list_->Count(); ++i) {
            TInventoryItem& line = list_->Items(i);
            if (!filter.Matches(line.Edition, line.Card) || !QueryHolds(line))
                continue;
            rows_.push_back(MakeRow(line));
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
    for (size_t i = 0; i < rows_.size(); ++i) {
        const std::string_view name = rows_[i].name;
        if (name.size() < folded.size())
            continue;
        size_t k = 0;
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
                                     [this](const Row& a, const Row& b) { return Less(a, b); });
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
    differentCount_ = RowCount();
    list_->Delete(index);
    if (selected_ >= RowCount())
        selected_ = RowCount() - 1;
    if (!rows_.empty())
        Select(std::min(row, RowCount() - 1));
    else
        selected_ = -1;
}

bool TCardsFrameModel::SetNotes(std::string_view notes) {
    if (selected_ < 0 || !std::all_of(notes.begin(), notes.end(), IsNotesCharAllowed))
        return false;
    RowLine(selected_).Notes = notes;
    return true;
}

} // namespace tovel
