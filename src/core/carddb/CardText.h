#pragma once

// Casting costs and type lines: turning the stored text into a card's cost counts and colour,
// recognising cost and power/toughness lines in imported card text, and ordering by type.

#include "core/carddb/CardsDB.h"

#include <array>
#include <optional>
#include <string_view>

namespace tovel {

// The ten hybrid symbols; position + 7 is their TCardColor value and SymbolCounts index.
inline constexpr std::array<std::string_view, 10> HybridSymbols = {"(r / w)", "(r / g)", "(u / r)", "(b / r)",
                                                                   "(g / w)", "(w / u)", "(w / b)", "(g / u)",
                                                                   "(b / g)", "(u / b)"};

inline constexpr std::string_view kNoCostMarker = "{ }";
inline constexpr std::string_view kSplitSeparator = " /  / ";
inline constexpr const char* kCantParseManaCost = "Can't parse mana cost";

// The type class of a type line, by its first word(s).
enum class TCardType : int {
    Creature = 0,
    ArtifactCreature = 1,
    Instant = 2,
    Sorcery = 3,
    Enchantment = 4,
    Artifact = 5,
    Land = 6,
    Basic = 7,
    Other = 10,
};

// Sets Cost, the symbol counts, generic amounts, X counts, converted costs and Color of a
// freshly added card. `text` is stored as the card's Cost, so it must outlive the card (a view
// into the loaded file or TCardsList::Store). Error "Can't parse mana cost" on a bad symbol;
// the card keeps what was set before.
void ParseCost(TCardItem& card, std::string_view text);
// A split cost with one "/" between its halves.
void ParseSplitCost(TCardItem& card, std::string_view text);

bool IsManaCost(std::string_view line);
bool IsPowerToughness(std::string_view line);
// The power (or with `toughness` the toughness) of "P/T" as a whole number; none when the text has
// no "/" or the side is no number ("*").
std::optional<int32_t> PowerToughnessSide(std::string_view pt, bool toughness);
TCardType TypeClass(std::string_view typeLine);
// The class the type order uses: TypeClass of the line without "Legendary " and " Legend".
TCardType CardTypeClass(std::string_view typeLine);
int CompareByType(const TCardItem& a, const TCardItem& b);

// Colour bits of the five colours, as a card's cost shows them.
enum : uint8_t { kWhite = 1, kBlue = 2, kBlack = 4, kRed = 8, kGreen = 16 };
// The five colours in the order W U B R G, each with its letter.
inline constexpr std::array<uint8_t, 5> kColorBits = {kWhite, kBlue, kBlack, kRed, kGreen};
inline constexpr std::array<char, 5> kColorLetters = {'W', 'U', 'B', 'R', 'G'};

// The bit of a colour letter (w, u, b, r, g in either case), 0 for any other character.
uint8_t ColorBit(char letter);
// The two colour bits of hybrid symbol 0..9 (HybridSymbols order).
uint8_t HybridSymbolColors(size_t symbol);
// The colours of one half's symbol counts: coloured and hybrid symbols.
uint8_t CostColors(const SymbolCountArray& counts);
// The colours of both halves of a card; 0 for a card without a coloured symbol.
uint8_t CardColors(const TCardItem& card);

// Index 0..9 of the hybrid symbol starting at `text` (ASCII case-insensitive), or -1.
int MatchHybridSymbol(std::string_view text);

} // namespace tovel
