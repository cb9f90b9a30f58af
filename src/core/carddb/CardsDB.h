#pragma once

// The card record, the card list with its lookups, and the card comparators.
//
// A TCardsList holds one TCardItem per printing. Its text fields are views (TTextView, eight
// bytes each): into the loaded file, which the list keeps mapped, or into the list's own arena
// for text that was built or edited. That keeps a database loading at file-scan speed and
// within twice the file's size in memory. Card addresses stay valid until Clear.

#include "core/carddb/TextView.h"
#include "core/infra/FileIO.h"
#include "core/infra/LargeMemory.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

enum class TRarity : uint8_t { L = 0, C = 1, U = 2, R = 3 };

// A card's colour; values 7..16 are the hybrid symbols, used only as SymbolCounts indices.
enum class TCardColor : uint8_t {
    L = 0, // no mana symbol at all
    B = 1,
    G = 2,
    R = 3,
    U = 4,
    W = 5,
    Z = 6, // several colours, or any hybrid symbol
    HybridFirst = 7,
    HybridLast = 16,
    A = 17, // generic amounts and/or X only
};

inline constexpr int kSymbolSlots = 18;
// Symbol counts per TCardColor value. 8 bits are plenty for any real cost and keep the record
// small; the cost parser saturates instead of overflowing.
using SymbolCountArray = std::array<int8_t, kSymbolSlots>;

inline constexpr std::array<std::string_view, 5> BasicLandNames = {"Swamp", "Forest", "Mountain", "Island",
                                                                   "Plains"};

struct TCardItem {
    TTextView Name;
    TTextView Edition;
    TRarity Rarity = TRarity::L;
    TCardColor Color = TCardColor::L;
    bool NoCost = false;
    bool IsSplit = false;
    SymbolCountArray SymbolCounts{};
    SymbolCountArray SymbolCounts2{};
    int32_t Generic = 0;
    int32_t Generic2 = 0;
    int32_t ConvertedCost = 0;
    int32_t ConvertedCost2 = 0;
    int32_t XCount = 0;
    int32_t XCount2 = 0;
    int32_t Value = 0;
    TTextView Cost;
    TTextView TypeLine;
    TTextView PowerToughness;
    TTextView Printings;     // edition codes, each followed by ";" or "+" (AnyPrintedCode)
    TTextView BannedFormats; // format letters; "D" keeps the card out of draft
    // The rules text: lines [TextFirst, TextFirst + TextCount) of the owning list's text lines.
    uint32_t TextFirst = 0;
    uint32_t TextCount = 0;
};

class TCardsList {
public:
    TCardsList();
    ~TCardsList();
    TCardsList(const TCardsList&) = delete;
    TCardsList& operator=(const TCardsList&) = delete;

    // Appends a card of the edition with rarity C and everything else empty or zero.
    // Name and Edition must be final before the next lookup (the lookup index takes them then).
    TCardItem& Add(std::string_view edition);

    int Count() const { return count_; }
    // Exchanges the cards of two lists; every card keeps its address.
    void Swap(TCardsList& other) noexcept;
    TCardItem& Items(int index) { return chunks_[index >> kChunkBits][index & kChunkMask]; }
    const TCardItem& Items(int index) const { return chunks_[index >> kChunkBits][index & kChunkMask]; }
    void Clear();

    // First card with this name and edition (ASCII case-insensitive), or -1. O(1) on average.
    int IndexOf(std::string_view name, std::string_view edition) const;
    // First card with this name (ASCII case-insensitive), or -1.
    int IndexOfName(std::string_view name) const;
    // IndexOfName of every card's name, in one pass.
    std::vector<int32_t> FirstOfNames() const;
    // Position of a card of this list, found from its address.
    int PositionOf(const TCardItem& card) const;

    // Copies text into storage owned by the list; the view lives until Clear.
    std::string_view Store(std::string_view text);
    // Takes a whole text (a file read into memory) into the list's storage without copying it.
    std::string_view Keep(std::string text);
    // Keeps a loaded file mapped for as long as cards refer to its bytes.
    void AdoptSource(std::shared_ptr<const MappedFile> source);

    std::span<const TTextView> Text(const TCardItem& card) const;
    // Appends one rules-text line; `line` must be stable (a view from Store or an adopted source).
    void AppendTextLine(TCardItem& card, std::string_view line);
    void ClearText(TCardItem& card) { card.TextCount = 0; }
    // Gives back the spare room of the growing storage after a bulk load.
    void ShrinkToFit();

    // After renaming a card that was already looked up: rebuild the lookup index.
    void InvalidateIndex();

private:
    static constexpr int kChunkBits = 10;
    static constexpr int kChunkMask = (1 << kChunkBits) - 1;
    static constexpr size_t kChunkBytes = sizeof(TCardItem) << kChunkBits;
    class Index;
    class Arena;

    // Storage for one more chunk of cards, unconstructed.
    TCardItem* NewChunk();
    void FreeChunks() noexcept;

    std::vector<TCardItem*> chunks_;
    // The memory the chunks live in: a small list's chunks each on their own, a big list's
    // further chunks carved from large blocks (see LargeMemory.h), `spareChunks_` of the last
    // one still free.
    struct Block {
        void* memory;
        size_t bytes;
        bool large; // from AllocateLarge
    };
    std::vector<Block> blocks_;
    size_t spareChunks_ = 0;
    // The chunks ordered by address, so PositionOf is a binary search.
    struct ChunkStart {
        const TCardItem* first;
        int index;
        bool operator<(const ChunkStart& other) const {
            return std::less<const TCardItem*>()(first, other.first);
        }
    };
    std::vector<ChunkStart> chunkStarts_;
    int count_ = 0;
    TBigVector<TTextView> textLines_;
    std::vector<std::shared_ptr<const MappedFile>> sources_;
    std::unique_ptr<Arena> arena_;
    std::unique_ptr<Index> byNameEdition_;
    std::unique_ptr<Index> byName_;
};

// The program's one card database, created at start-up and cleared by every loader.
TCardsList& CardDatabase();

char RarityLetter(TRarity rarity);
// The rarity a letter L, C, U or R stands for (upper case only); none for any other.
std::optional<TRarity> RarityFromLetter(char letter);
inline char RarityLetter(const TCardItem& card) {
    return RarityLetter(card.Rarity);
}
// The rarity letter, three blanks, the name: a card's caption in the designer, draft and editor.
std::string CardCaption(const TCardItem& card);
// 0..4 for the names of BasicLandNames (exact match), 5 otherwise.
int BasicLandIndex(std::string_view name);
bool IsDraftable(const TCardItem& card);
// "L", "B", ..., "Z", the hybrid symbols, "A".
std::string_view ColorLetter(TCardColor color);

// Comparators: -1 when a comes first, 0, or 1.
int CompareByName(const TCardItem& a, const TCardItem& b);
int CompareByColor(const TCardItem& a, const TCardItem& b);
int CompareByRarity(const TCardItem& a, const TCardItem& b, bool descending);
int CompareByXCount(const TCardItem& a, const TCardItem& b);
int CompareColorRarityName(const TCardItem& a, const TCardItem& b);
int CompareRarityColorName(const TCardItem& a, const TCardItem& b, bool descending);
int CompareByValue(const TCardItem& a, const TCardItem& b, bool descending);
int CompareByConvertedCost(const TCardItem& a, const TCardItem& b);
// CompareByType lives with the type-line rules (CardText.h).

// The sort modes of the card lists, in their cycle order.
enum class TSortMode : uint8_t { None, Name, Type, Rarity, Color, Value, CastingCost };
inline constexpr int kSortModeCount = 7;

// "Sort: None" ... "Sort: Casting cost".
const char* SortModeCaption(TSortMode mode);
TSortMode NextSortMode(TSortMode mode);
// Rarity and value sort descending; "None" finds every pair equal.
int CompareBySortMode(TSortMode mode, const TCardItem& a, const TCardItem& b);
// Sorts card-list positions by the mode, keeping the order of equal cards (all of them for None).
void SortBySortMode(std::vector<int32_t>& positions, const TCardsList& cards, TSortMode mode);

// The positions of the cards of one edition (exact code), in list order.
std::vector<int32_t> CardsOfEdition(const TCardsList& cards, std::string_view code);

} // namespace tovel
