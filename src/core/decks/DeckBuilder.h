#pragma once

// A 40-card deck from any pool in one step. For each of the 15 colour sets (a colour alone or
// two), the pool's spells of those colours are taken by pick value along a curve, and the set
// whose spells are worth most wins; 17 basic lands are split by the coloured symbols of the
// spells taken. Every card of the pool stays: what the main deck does not take goes to the
// sideboard.
//
// The builder works on a plain list of cards (every copy, in pool order), so the designer's
// zones, a deck file and a draft seat's picks all build the same way.

#include "core/carddb/CardsDB.h"
#include "core/decks/DeckFile.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

// Asked before a built deck replaces a main deck that holds cards.
inline constexpr const char* kReplaceWithBuiltDeckQuestion =
    "Replace the main deck and the sideboard with the built deck?";

// A set of colours as the bits kWhite ... kGreen of CardText.h.
using TColourSet = uint8_t;

// The 15 sets in the order that breaks ties: the colours alone, then the pairs.
inline constexpr int kColourSetCount = 15;
extern const std::array<TColourSet, kColourSetCount> kColourSets;

inline constexpr int kDeckSpells = 23;
inline constexpr int kDeckLands = 17;
inline constexpr int kDeckCards = kDeckSpells + kDeckLands;
inline constexpr int kNonCreatureSpells = 8;

// The builder's terms.
// Generic amount + coloured symbols + hybrid symbols of the cost (a split card's first half);
// X counts nothing.
int64_t SpellManaValue(const TCardItem& card);
// Every coloured symbol (both halves) is a colour of the set and every hybrid symbol has one of
// its colours in it. A spell without coloured or hybrid symbols is on colour for every set.
bool IsOnColour(const TCardItem& card, TColourSet colours);
// The colours of the basic land types the type line names (Plains W, Island U, Swamp B,
// Mountain R, Forest G; whole words, ASCII case-insensitive).
TColourSet LandColours(const TCardItem& card);
// The colour a basic land counter (0..4, BasicLandNames order) makes.
TColourSet BasicLandColour(int slot);

// "WU": the letters in WUBRG order.
std::string ColourSetText(TColourSet colours);
// One or two distinct letters of WUBRG in either case and any order; none for anything else.
std::optional<TColourSet> ParseColourSet(std::string_view text);

// What a colour set makes of the pool.
struct TColourSetScore {
    TColourSet Colours = 0;
    int Spells = 0; // spells taken
    int64_t Score = 0;
    // Pool indices of its three best spells taken, best first; -1 where it took fewer.
    std::array<int, 3> Best{-1, -1, -1};
};

struct TBuiltDeck {
    TColourSet Colours = 0; // the set taken
    int64_t Score = 0;
    std::vector<int> Spells;        // pool indices of the spells taken, in pool order
    std::vector<int> Sideboard;     // pool indices of every other card, in pool order
    std::array<int32_t, 5> Lands{}; // the basic lands, BasicLandNames order
    // The 15 sets, best first: highest score, then fewer colours, then kColourSets order.
    std::array<TColourSetScore, kColourSetCount> Ranking{};

    // Cards the deck lacks to reach 40 when too few spells are on colour.
    int ShortBy() const;
};

// Builds the deck of `pool` (every card, every copy, in pool order; a null entry is kept in the
// sideboard). With `forced` (one or two colours) that set is taken whatever its score.
TBuiltDeck BuildDeck(std::span<const TCardItem* const> pool, TColourSet forced = 0);

// The cards at positions of a card list, for BuildDeck.
std::vector<const TCardItem*> PoolCards(const TCardsList& cards, std::span<const int32_t> positions);
// The pool of a deck: the main deck's cards, then the sideboard's, every copy in zone order;
// basic lands (the land counters) are not part of it.
std::vector<int32_t> ZonePool(const TCardsList& cards, const TDeckZones& zones);

// The basic lands the designer adds: per BasicLandNames entry, the first card of that name when
// it is a basic land; -1 otherwise.
std::array<int, 5> BasicLandPositions(const TCardsList& cards);
// The built deck as zones: its spells then its basic lands in the main deck, the rest of the
// pool in the sideboard. `pool` holds the positions BuildDeck was given the cards of. Error when
// a basic land the deck needs is not in the card database.
TDeckZones BuiltDeckZones(const TBuiltDeck& deck, std::span<const int32_t> pool,
                          const std::array<int, 5>& landPositions);

// "9 Island, 8 Plains": the lands used, most first, ties in BasicLandNames order.
std::string LandsText(const std::array<int32_t, 5>& lands);
// What tovel-cli deck build prints: the set taken, the three best others and, when short, by
// how much.
std::string BuiltDeckText(const TBuiltDeck& deck);

} // namespace tovel
