#include "core/collection/CardsFrameModel.h"

#include "core/carddb/CardText.h"
#include "core/infra/Text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cstring>
#include <limits>
#include <optional>
#include <span>

namespace tovel {

namespace {

// Up to eight bytes from `at`, big-endian and zero-padded.
uint64_t BigEndian8(const char* at, size_t size) {
    if (size >= 8 && std::endian::native == std::endian::little) {
        uint64_t word;
        std::memcpy(&word, at, 8);
        return __builtin_bswap64(word);
    }
    uint64_t key = 0;
    for (size_t i = 0; i < std::min<size_t>(size, 8); ++i)
        key |= uint64_t{static_cast<unsigned char>(at[i])} << (56 - 8 * i);
    return key;
}

// The first eight bytes, big-endian and zero-padded: ordering by it never contradicts the
// byte-wise order of the whole text.
uint64_t Prefix8(std::string_view text) {
    return BigEndian8(text.data(), text.size());
}

// ANSI lower case by table, for keys made of every row.
struct FoldTable {
    std::array<unsigned char, 256> lower{};
    FoldTable() {
        for (int c = 0; c < 256; ++c)
            lower[static_cast<size_t>(c)] = static_cast<unsigned char>(AnsiLower(static_cast<char>(c)));
    }
};
const FoldTable kFold;

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

// Both halves' converted costs, held to the largest amount one half can have.
int32_t ManaValue(const TCardItem& card) {
    return static_cast<int32_t>(std::min<int64_t>(int64_t{card.ConvertedCost} + card.ConvertedCost2,
                                                  std::numeric_limits<int32_t>::max()));
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

uint64_t TCardsFrameModel::SearchKey(std::string_view name) {
    uint64_t key = 0;
    for (size_t i = 0; i < 8; ++i)
        key = (key << 8) | (i < name.size() ? kFold.lower[static_cast<unsigned char>(name[i])] : 0u);
    return key;
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
    row.hasCard = line.Card != nullptr;
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
        else if (line.Card && sortColumn_ == kColumnPowerToughness)
            row.cardText = line.Card->PowerToughness;
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

namespace {

// The fields a column's order compares, in turn; the line's position (unique) ends each list.
enum class KeyField : uint8_t { Edition, Name, Notes, CardText, Count, Foil, CardNumber, CardNumber2, Order };

std::span<const KeyField> KeyFields(int column, bool hasCard) {
    using K = KeyField;
    static constexpr K kEdition[] = {K::Edition, K::Name, K::Order};
    static constexpr K kName[] = {K::Name, K::Order};
    static constexpr K kCount[] = {K::Count, K::Edition, K::Name, K::Order};
    static constexpr K kFoil[] = {K::Foil, K::Count, K::Edition, K::Name, K::Order};
    static constexpr K kNotes[] = {K::Notes, K::Edition, K::Name, K::Order};
    // Card columns: the column's number (lines without a card after every card), its text or
    // second number where it has one, then name and edition.
    static constexpr K kCardText[] = {K::CardNumber, K::CardText, K::Name, K::Edition, K::Order};
    static constexpr K kCardPair[] = {K::CardNumber, K::CardNumber2, K::Name, K::Edition, K::Order};
    static constexpr K kCardNumber[] = {K::CardNumber, K::Name, K::Edition, K::Order};
    switch (column) {
    case kColumnEdition:
        return kEdition;
    case kColumnName:
        return kName;
    case kColumnCount:
        return kCount;
    case kColumnFoil:
        return kFoil;
    case kColumnNotes:
        return kNotes;
    case kColumnCost:
    case kColumnType:
        return hasCard ? std::span<const K>(kCardText) : kCardNumber;
    case kColumnPowerToughness:
        return hasCard ? std::span<const K>(kCardPair) : kCardNumber;
    default:
        return kCardNumber;
    }
}

// A signed number as a key that orders as the number does.
uint64_t NumberKey(int64_t value) {
    return static_cast<uint64_t>(value) ^ (uint64_t{1} << 63);
}

// Eight bytes of a text's key from `offset` on: seven bytes, zero-padded, then how many of them
// the text has (8: the text goes on past them). Comparing these keys in turn compares the texts
// byte-wise, a shorter text first, embedded zero bytes included.
uint64_t TextKey(std::string_view text, size_t offset) {
    const size_t left = text.size() - offset;
    return (BigEndian8(text.data() + offset, left) & ~uint64_t{0xFF}) | (left > 7 ? 8 : left);
}

// Runs longer than this are sorted by radix, shorter ones by comparison.
constexpr size_t kRadixRun = 2048;
// Runs this short are sorted by the whole comparison at once rather than field by field.
constexpr size_t kSmallRun = 4;
// Texts equal this far are few; the comparison takes them, and the recursion stays flat.
constexpr size_t kDeepestOffset = 63;

} // namespace

// Sets each key's prefix to its row's key of a field, eight bytes from `offset` for a text.
// Returns whether the field is a text (its keys end in how many bytes they hold, 8: more follow).
bool TCardsFrameModel::FillKeys(std::span<SortKey> keys, int field, size_t offset) const {
    const auto fill = [&](auto keyOf) {
        for (SortKey& key : keys)
            key.prefix = keyOf(rows_[key.row]);
    };
    switch (KeyFields(sortColumn_, rows_[keys.front().row].hasCard)[static_cast<size_t>(field)]) {
    case KeyField::Edition:
        fill([&](const Row& row) { return TextKey(row.edition, offset); });
        return true;
    case KeyField::Name:
        fill([&](const Row& row) { return TextKey(row.name, offset); });
        return true;
    case KeyField::Notes:
        fill([&](const Row& row) {
            return TextKey(std::string_view(notesStore_.data() + row.notesOffset, row.notesLength), offset);
        });
        return true;
    case KeyField::CardText:
        fill([&](const Row& row) { return TextKey(row.cardText, offset); });
        return true;
    case KeyField::Count:
        fill([](const Row& row) { return NumberKey(row.count); });
        return false;
    case KeyField::Foil:
        fill([](const Row& row) { return NumberKey(row.foil); });
        return false;
    case KeyField::Order:
        fill([](const Row& row) { return NumberKey(row.order); });
        return false;
    case KeyField::CardNumber2:
        fill([](const Row& row) { return NumberKey(PowerToughnessKey(row.cardText, true)); });
        return false;
    case KeyField::CardNumber:
        break;
    }
    // The prefix holds the number exactly in its top bits, but for P/T. Every number here is far
    // inside 62 bits: the top bit stays clear, for lines without a card.
    const int shift = sortColumn_ == kColumnCost || sortColumn_ == kColumnValue ? 32 : 56;
    if (sortColumn_ == kColumnPowerToughness)
        fill([](const Row& row) {
            return row.hasCard
                       ? static_cast<uint64_t>(PowerToughnessKey(row.cardText, false) + (int64_t{1} << 62))
                       : ~uint64_t{0};
        });
    else
        fill([shift](const Row& row) { return row.hasCard ? row.prefix >> shift : ~uint64_t{0}; });
    return false;
}

// Sorts small (key, row) pairs instead of whole rows, field by field: by the first field's key,
// then each run of equal keys by the next one, until the line positions tell every row apart.
// That is the order Less gives, mostly with integer compares and radix passes.
void TCardsFrameModel::SortRows() {
    // The buffers keep their capacity from one rebuild to the next: fresh pages are costly.
    const size_t n = rows_.size();
    sortKeys_.resize(n);
    sortSpare_.resize(n);
    for (size_t i = 0; i < n; ++i)
        sortKeys_[i].row = static_cast<uint32_t>(i);
    SortLevel(0, n, 0, 0);
    sortScratch_.clear();
    for (const SortKey& key : sortKeys_)
        sortScratch_.push_back(rows_[key.row]);
    rows_.swap(sortScratch_);
    // The search keys were made in the rows' first order, in sortSpare_'s place.
    for (size_t i = 0; i < n; ++i)
        sortSpare_[i].prefix = searchKeys_[i];
    for (size_t i = 0; i < n; ++i)
        searchKeys_[i] = sortSpare_[sortKeys_[i].row].prefix;
}

// Sorts the keys [first, last), whose rows agree on the fields before `field` and on its first
// `offset` bytes.
void TCardsFrameModel::SortLevel(size_t first, size_t last, int field, size_t offset) {
    if (last - first < 2)
        return;
    const auto keys = std::span(sortKeys_).subspan(first, last - first);
    const auto fields = KeyFields(sortColumn_, rows_[keys.front().row].hasCard);
    // The rows were made in line order, and every sort here keeps that order among equal keys.
    if (static_cast<size_t>(field) >= fields.size() || fields[static_cast<size_t>(field)] == KeyField::Order)
        return;
    if (keys.size() <= kSmallRun || offset > kDeepestOffset) {
        std::sort(keys.begin(), keys.end(),
                  [this](const SortKey& a, const SortKey& b) { return Less(rows_[a.row], rows_[b.row]); });
        return;
    }
    const bool text = FillKeys(keys, field, offset);
    SortKeysByPrefix(first, last);
    for (size_t from = first; from < last;) {
        size_t to = from + 1;
        while (to < last && sortKeys_[to].prefix == sortKeys_[from].prefix)
            ++to;
        if (to - from > 1) {
            // Equal keys of a text that goes on: its next bytes; else the next field.
            if (text && (sortKeys_[from].prefix & 0xFF) == 8)
                SortLevel(from, to, field, offset + 7);
            else
                SortLevel(from, to, field + 1, 0);
        }
        from = to;
    }
}

void TCardsFrameModel::SortKeysByPrefix(size_t first, size_t last) {
    const auto keys = std::span(sortKeys_).subspan(first, last - first);
    // Equal prefixes keep their order, as the radix passes do.
    const auto byPrefix = [](const SortKey& a, const SortKey& b) {
        return a.prefix != b.prefix ? a.prefix < b.prefix : a.row < b.row;
    };
    if (keys.size() < kRadixRun) {
        std::sort(keys.begin(), keys.end(), byPrefix);
        return;
    }
    // Least significant byte first, skipping bytes that every key shares.
    const auto spare = std::span(sortSpare_).subspan(first, last - first);
    std::array<std::array<uint32_t, 256>, 8> counts{};
    for (const SortKey& key : keys)
        for (size_t pass = 0; pass < 8; ++pass)
            ++counts[pass][(key.prefix >> (8 * pass)) & 0xFF];
    bool inSpare = false;
    for (size_t pass = 0; pass < 8; ++pass) {
        std::array<uint32_t, 256>& count = counts[pass];
        if (count[(keys.front().prefix >> (8 * pass)) & 0xFF] == keys.size())
            continue;
        uint32_t start = 0;
        for (uint32_t& c : count) {
            const uint32_t here = c;
            c = start;
            start += here;
        }
        const auto from = inSpare ? spare : keys;
        const auto to = inSpare ? keys : spare;
        for (const SortKey& key : from)
            to[count[(key.prefix >> (8 * pass)) & 0xFF]++] = key;
        inSpare = !inSpare;
    }
    if (inSpare)
        std::copy(spare.begin(), spare.end(), keys.begin());
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
    searchKeys_.clear();
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
            searchKeys_.push_back(SearchKey(line.Name));
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
        const std::string_view name = rows_[i].name;
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
                                     [this](const Row& a, const Row& b) { return Less(a, b); });
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

bool TCardsFrameModel::SetNotes(std::string_view notes) {
    if (selected_ < 0 || !std::all_of(notes.begin(), notes.end(), IsNotesCharAllowed))
        return false;
    RowLine(selected_).Notes = notes;
    return true;
}

} // namespace tovel
