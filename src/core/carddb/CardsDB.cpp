#include "core/carddb/CardsDB.h"

#include "core/carddb/CardText.h"
#include "core/infra/Hash.h"
#include "core/infra/Text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>

namespace tovel {

// Bump allocator for the list's own text: blocks are never moved, so views stay valid.
class TCardsList::Arena {
public:
    std::string_view Store(std::string_view text) {
        if (text.empty())
            return {};
        if (text.size() > kBlockSize / 4) {
            large_.emplace_back(new char[text.size()]);
            std::memcpy(large_.back().get(), text.data(), text.size());
            return {large_.back().get(), text.size()};
        }
        if (blocks_.empty() || used_ + text.size() > kBlockSize) {
            blocks_.emplace_back(new char[kBlockSize]);
            used_ = 0;
        }
        char* at = blocks_.back().get() + used_;
        std::memcpy(at, text.data(), text.size());
        used_ += text.size();
        return {at, text.size()};
    }

    std::string_view Keep(std::string text) {
        kept_.push_back(std::make_unique<std::string>(std::move(text)));
        return *kept_.back();
    }

private:
    static constexpr size_t kBlockSize = 64 * 1024;
    std::vector<std::unique_ptr<std::string>> kept_;
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::vector<std::unique_ptr<char[]>> large_;
    size_t used_ = 0;
};

// First-match lookup index over the list, keyed by folded name (and edition). It catches up
// with cards added since the last lookup, so Add stays O(1) and lookups O(1) on average, while
// the first card in list order still wins for duplicate keys.
//
// A slot keeps 32 bits of the key's hash, which also choose its place: growing the table moves
// slots without visiting a card, and a probe reads a card (a cache miss on a big list) only when
// those bits agree. The table is sized by the keys it holds, not by the cards.
class TCardsList::Index {
public:
    Index(const TCardsList& list, bool withEdition) : list_(list), withEdition_(withEdition) {}

    void Reset() {
        slots_.clear();
        slots_.shrink_to_fit();
        indexed_ = 0;
        used_ = 0;
    }

    int Find(std::string_view name, std::string_view edition) {
        CatchUp();
        if (slots_.empty())
            return -1;
        const size_t mask = slots_.size() - 1;
        const uint32_t hash = Hash(name, edition);
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot slot = slots_[i];
            if (slot.pos < 0)
                return -1;
            if (slot.hash == hash && Matches(list_.Items(slot.pos), name, edition))
                return slot.pos;
        }
    }

private:
    uint32_t Hash(std::string_view name, std::string_view edition) const {
        const uint64_t h = Fnv1a(name, AsciiLower);
        return Fold32(withEdition_ ? Fnv1a(edition, AsciiLower, FnvSeparator(h)) : h);
    }

    bool Matches(const TCardItem& card, std::string_view name, std::string_view edition) const {
        return EqualsIgnoreAsciiCase(card.Name, name) &&
               (!withEdition_ || EqualsIgnoreAsciiCase(card.Edition, edition));
    }

    void CatchUp() {
        const int count = list_.Count();
        for (; indexed_ < count; ++indexed_) {
            const TCardItem& card = list_.Items(indexed_);
            Insert(indexed_, Hash(card.Name, card.Edition), nullptr);
        }
    }

public:
    // For every card, the position of the first card of its key, building the index on the way.
    std::vector<int32_t> FirstOfEach() {
        Reset();
        const int count = list_.Count();
        std::vector<int32_t> first(static_cast<size_t>(count));
        // Each card's slot is fetched some cards ahead of its insertion: on a big list every
        // probe is a cache miss, and this way they overlap.
        constexpr int kAhead = 16;
        std::array<uint32_t, kAhead> hashes{};
        for (int i = 0; i < count + kAhead; ++i) {
            uint32_t& hash = hashes[static_cast<size_t>(i % kAhead)];
            if (i >= kAhead) {
                indexed_ = i - kAhead;
                Insert(indexed_, hash, &first[static_cast<size_t>(indexed_)]);
            }
            if (i < count) {
                const TCardItem& card = list_.Items(i);
                hash = Hash(card.Name, card.Edition);
                if (!slots_.empty())
                    __builtin_prefetch(slots_.data() + (hash & (slots_.size() - 1)));
            }
        }
        indexed_ = count;
        return first;
    }

private:
    void Grow() {
        const size_t size = slots_.empty() ? 64 : slots_.size() * 2;
        TBigVector<Slot> old = std::move(slots_);
        slots_.assign(size, Slot{});
        // Keys are unique in the table, so reinsertion order does not matter.
        const size_t mask = size - 1;
        for (const Slot& slot : old) {
            if (slot.pos < 0)
                continue;
            size_t i = slot.hash & mask;
            while (slots_[i].pos >= 0)
                i = (i + 1) & mask;
            slots_[i] = slot;
        }
    }

    // Adds a card unless an earlier one holds its key; `first` receives the key's first card.
    void Insert(int32_t pos, uint32_t hash, int32_t* first) {
        // At most 5/8 full, so probes stay short.
        if ((used_ + 1) * 8 > slots_.size() * 5)
            Grow();
        const TCardItem& card = list_.Items(pos);
        const size_t mask = slots_.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot other = slots_[i];
            if (other.pos < 0) {
                slots_[i] = Slot{pos, hash};
                ++used_;
                if (first)
                    *first = pos;
                return;
            }
            if (other.hash == hash && Matches(list_.Items(other.pos), card.Name, card.Edition)) {
                if (first)
                    *first = other.pos;
                return; // an earlier card holds this key
            }
        }
    }

    struct Slot {
        int32_t pos = -1;
        uint32_t hash = 0;
    };

    const TCardsList& list_;
    const bool withEdition_;
    TBigVector<Slot> slots_;
    int indexed_ = 0;
    size_t used_ = 0;
};

TCardsList::TCardsList()
    : arena_(std::make_unique<Arena>()), byNameEdition_(std::make_unique<Index>(*this, true)),
      byName_(std::make_unique<Index>(*this, false)) {}

TCardsList::~TCardsList() {
    FreeChunks();
}

namespace {

// Cards are constructed in place as they are added and never destroyed one by one.
static_assert(std::is_trivially_destructible_v<TCardItem> && std::is_trivially_copyable_v<TCardItem>);

// A list's first chunks are allocated one by one; from then on chunks come in blocks this big.
constexpr size_t kOwnChunks = 8;
constexpr size_t kBlockBytes = size_t{8} << 20;

} // namespace

TCardItem* TCardsList::NewChunk() {
    static_assert(kBlockBytes >= kLargeMemoryThreshold && kBlockBytes >= kChunkBytes);
    // Room for the block's record first, so that nothing can fail once it is allocated.
    if (blocks_.size() == blocks_.capacity())
        blocks_.reserve(blocks_.size() * 2 + 1);
    if (chunks_.size() < kOwnChunks) {
        blocks_.push_back({::operator new(kChunkBytes), kChunkBytes, false});
        return static_cast<TCardItem*>(blocks_.back().memory);
    }
    if (spareChunks_ == 0) {
        blocks_.push_back({AllocateLarge(kBlockBytes), kBlockBytes, true});
        spareChunks_ = kBlockBytes / kChunkBytes;
    }
    const Block& block = blocks_.back();
    const size_t taken = block.bytes / kChunkBytes - spareChunks_--;
    return reinterpret_cast<TCardItem*>(static_cast<char*>(block.memory) + taken * kChunkBytes);
}

void TCardsList::FreeChunks() noexcept {
    for (const Block& block : blocks_) {
        if (block.large)
            FreeLarge(block.memory, block.bytes);
        else
            ::operator delete(block.memory);
    }
    blocks_.clear();
    spareChunks_ = 0;
    chunks_.clear();
    chunkStarts_.clear();
}

TCardItem& TCardsList::Add(std::string_view edition) {
    if ((count_ >> kChunkBits) == static_cast<int>(chunks_.size())) {
        chunks_.push_back(NewChunk());
        const ChunkStart start{chunks_.back(), static_cast<int>(chunks_.size() - 1)};
        chunkStarts_.insert(std::upper_bound(chunkStarts_.begin(), chunkStarts_.end(), start), start);
    }
    TCardItem& card = *new (&Items(count_)) TCardItem{};
    card.Edition = Store(edition);
    card.Rarity = TRarity::C;
    ++count_;
    return card;
}

void TCardsList::ShrinkToFit() {
    textLines_.shrink_to_fit();
    if (spareChunks_ > 0 && blocks_.back().large) {
        Block& block = blocks_.back();
        block.bytes = TrimLarge(block.memory, block.bytes, block.bytes - spareChunks_ * kChunkBytes);
        spareChunks_ = 0; // the next chunk starts a new block
    }
}

void TCardsList::Clear() {
    FreeChunks();
    count_ = 0;
    textLines_.clear();
    textLines_.shrink_to_fit();
    sources_.clear();
    arena_ = std::make_unique<Arena>();
    InvalidateIndex();
}

void TCardsList::Swap(TCardsList& other) noexcept {
    chunks_.swap(other.chunks_);
    blocks_.swap(other.blocks_);
    std::swap(spareChunks_, other.spareChunks_);
    chunkStarts_.swap(other.chunkStarts_);
    std::swap(count_, other.count_);
    textLines_.swap(other.textLines_);
    sources_.swap(other.sources_);
    arena_.swap(other.arena_);
    InvalidateIndex();
    other.InvalidateIndex();
}

void TCardsList::InvalidateIndex() {
    byNameEdition_->Reset();
    byName_->Reset();
}

int TCardsList::IndexOf(std::string_view name, std::string_view edition) const {
    return byNameEdition_->Find(name, edition);
}

int TCardsList::IndexOfName(std::string_view name) const {
    return byName_->Find(name, {});
}

std::vector<int32_t> TCardsList::FirstOfNames() const {
    return byName_->FirstOfEach();
}

int TCardsList::PositionOf(const TCardItem& card) const {
    // The last chunk starting at or before the card, found by address.
    const auto after =
        std::upper_bound(chunkStarts_.begin(), chunkStarts_.end(), ChunkStart{&card, INT32_MAX});
    if (after == chunkStarts_.begin())
        return -1;
    const ChunkStart& chunk = *std::prev(after);
    if (!std::less_equal<const TCardItem*>()(chunk.first, &card) ||
        !std::less<const TCardItem*>()(&card, chunk.first + (size_t{1} << kChunkBits)))
        return -1;
    const int position = (chunk.index << kChunkBits) + static_cast<int>(&card - chunk.first);
    return position < count_ ? position : -1;
}

std::string_view TCardsList::Store(std::string_view text) {
    return arena_->Store(text);
}

std::string_view TCardsList::Keep(std::string text) {
    return arena_->Keep(std::move(text));
}

void TCardsList::AdoptSource(std::shared_ptr<const MappedFile> source) {
    sources_.push_back(std::move(source));
}

std::span<const TTextView> TCardsList::Text(const TCardItem& card) const {
    if (card.TextCount == 0)
        return {};
    return {textLines_.data() + card.TextFirst, card.TextCount};
}

void TCardsList::AppendTextLine(TCardItem& card, std::string_view line) {
    if (card.TextCount == 0) {
        card.TextFirst = static_cast<uint32_t>(textLines_.size());
    } else if (card.TextFirst + card.TextCount != textLines_.size()) {
        // Another card's lines came after this card's: move this card's lines to the end.
        const uint32_t first = static_cast<uint32_t>(textLines_.size());
        for (uint32_t i = 0; i < card.TextCount; ++i)
            textLines_.push_back(textLines_[card.TextFirst + i]);
        card.TextFirst = first;
    }
    textLines_.push_back(line);
    ++card.TextCount;
}

TCardsList& CardDatabase() {
    // Global: the one loaded card database, shown by every window open at once (core rules take a list).
    static TCardsList database;
    return database;
}

char RarityLetter(TRarity rarity) {
    switch (rarity) {
    case TRarity::L:
        return 'L';
    case TRarity::C:
        return 'C';
    case TRarity::U:
        return 'U';
    case TRarity::R:
        return 'R';
    }
    return 'C';
}

std::optional<TRarity> RarityFromLetter(char letter) {
    for (TRarity rarity : {TRarity::L, TRarity::C, TRarity::U, TRarity::R})
        if (RarityLetter(rarity) == letter)
            return rarity;
    return std::nullopt;
}

std::string CardCaption(const TCardItem& card) {
    std::string caption(1, RarityLetter(card));
    caption += "   ";
    caption += card.Name;
    return caption;
}

int BasicLandIndex(std::string_view name) {
    for (size_t i = 0; i < BasicLandNames.size(); ++i)
        if (BasicLandNames[i] == name)
            return static_cast<int>(i);
    return 5;
}

bool IsDraftable(const TCardItem& card) {
    return card.BannedFormats.find('D') == std::string_view::npos;
}

std::string_view ColorLetter(TCardColor color) {
    static constexpr std::array<std::string_view, 7> kLetters = {"L", "B", "G", "R", "U", "W", "Z"};
    const int value = static_cast<int>(color);
    if (value < 7)
        return kLetters[value];
    if (value <= static_cast<int>(TCardColor::HybridLast))
        return HybridSymbols[value - 7];
    return "A";
}

namespace {
template <typename T> int Sign(T a, T b) {
    return (a > b) - (a < b);
}
} // namespace

int CompareByName(const TCardItem& a, const TCardItem& b) {
    return CompareOrdinal(a.Name, b.Name);
}

int CompareByColor(const TCardItem& a, const TCardItem& b) {
    return Sign(static_cast<int>(a.Color), static_cast<int>(b.Color));
}

int CompareByRarity(const TCardItem& a, const TCardItem& b, bool descending) {
    const int r = Sign(static_cast<int>(a.Rarity), static_cast<int>(b.Rarity));
    return descending ? -r : r;
}

int CompareByXCount(const TCardItem& a, const TCardItem& b) {
    return Sign(a.XCount, b.XCount);
}

int CompareColorRarityName(const TCardItem& a, const TCardItem& b) {
    if (int r = CompareByColor(a, b))
        return r;
    if (int r = CompareByRarity(a, b, true))
        return r;
    return CompareByName(a, b);
}

int CompareRarityColorName(const TCardItem& a, const TCardItem& b, bool descending) {
    if (int r = CompareByRarity(a, b, descending))
        return r;
    if (int r = CompareByColor(a, b))
        return r;
    return CompareByName(a, b);
}

int CompareByValue(const TCardItem& a, const TCardItem& b, bool descending) {
    const int r = Sign(a.Value, b.Value);
    if (r)
        return descending ? -r : r;
    return CompareColorRarityName(a, b);
}

int CompareByConvertedCost(const TCardItem& a, const TCardItem& b) {
    if (int r = Sign(a.ConvertedCost, b.ConvertedCost))
        return r;
    if (int r = CompareByXCount(a, b))
        return r;
    return CompareColorRarityName(a, b);
}

const char* SortModeCaption(TSortMode mode) {
    switch (mode) {
    case TSortMode::None:
        return "Sort: None";
    case TSortMode::Name:
        return "Sort: Name";
    case TSortMode::Type:
        return "Sort: Type";
    case TSortMode::Rarity:
        return "Sort: Rarity";
    case TSortMode::Color:
        return "Sort: Color";
    case TSortMode::Value:
        return "Sort: Value";
    case TSortMode::CastingCost:
        return "Sort: Casting cost";
    }
    return "Sort: None";
}

TSortMode NextSortMode(TSortMode mode) {
    return static_cast<TSortMode>((static_cast<int>(mode) + 1) % kSortModeCount);
}

int CompareBySortMode(TSortMode mode, const TCardItem& a, const TCardItem& b) {
    switch (mode) {
    case TSortMode::None:
        return 0;
    case TSortMode::Name:
        return CompareByName(a, b);
    case TSortMode::Type:
        return CompareByType(a, b);
    case TSortMode::Rarity:
        return CompareRarityColorName(a, b, true);
    case TSortMode::Color:
        return CompareColorRarityName(a, b);
    case TSortMode::Value:
        return CompareByValue(a, b, true);
    case TSortMode::CastingCost:
        return CompareByConvertedCost(a, b);
    }
    return 0;
}

void SortBySortMode(std::vector<int32_t>& positions, const TCardsList& cards, TSortMode mode) {
    if (mode == TSortMode::None)
        return;
    std::stable_sort(positions.begin(), positions.end(), [&](int32_t a, int32_t b) {
        return CompareBySortMode(mode, cards.Items(a), cards.Items(b)) < 0;
    });
}

std::vector<int32_t> CardsOfEdition(const TCardsList& cards, std::string_view code) {
    std::vector<int32_t> positions;
    for (int32_t i = 0; i < cards.Count(); ++i)
        if (cards.Items(i).Edition == code)
            positions.push_back(i);
    return positions;
}

} // namespace tovel
