#pragma once

// What a deck is made of: its mana curve (creatures and other spells apart, lands outside the
// curve), its coloured mana symbols, the average cost of its spells and its type classes; and
// the basic lands that would suit it.

#include "core/carddb/CardText.h"
#include "core/carddb/CardsDB.h"
#include "core/decks/DeckFile.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace tovel {

// Curve columns: converted cost 0 .. 6, and 7 or more.
inline constexpr int kCurveColumns = 8;
// The type classes counted, in the type order's sequence.
inline constexpr std::array<TCardType, 9> kCountedTypeClasses = {
    TCardType::Creature,    TCardType::ArtifactCreature, TCardType::Instant, TCardType::Sorcery,
    TCardType::Enchantment, TCardType::Artifact,         TCardType::Land,    TCardType::Basic,
    TCardType::Other};

// The designer's counting rules: a type line holding "LAND" is a land, else one holding
// "CREATURE" a creature, else a spell (ASCII case-insensitive).
bool IsLandCard(const TCardItem& card);
bool IsCreatureCard(const TCardItem& card);
// A card's place on the curve: both halves of a split card, X as nothing.
int64_t CurveCost(const TCardItem& card);
// "Creature", "Artifact creature", ... "Other".
const char* TypeClassName(TCardType type);

struct TDeckStatistics {
    int64_t Cards = 0;
    int64_t Lands = 0;
    std::array<int64_t, kCurveColumns> CurveCreatures{};
    std::array<int64_t, kCurveColumns> CurveOthers{};
    // Coloured symbols in halves (a hybrid symbol gives each of its colours one half), per colour
    // in the order of BasicLandNames: black, green, red, blue, white.
    std::array<int64_t, 5> SymbolHalves{};
    int64_t CostSum = 0; // converted costs of the non-land cards, every copy
    std::array<int64_t, kCountedTypeClasses.size()> TypeCounts{};

    int64_t NonLand() const { return Cards - Lands; }
    // Average converted cost of the non-land cards; 0 without any.
    double AverageCost() const;
    // A colour's symbols with one decimal, such as "3.5".
    std::string SymbolText(int colour) const;
    int64_t TypeCount(TCardType type) const;

    // Counts `copies` of a card.
    void Add(const TCardItem& card, int64_t copies);
};

// A zone of the designer: its entries, basic lands by their counters.
TDeckStatistics ZoneStatistics(const TCardsList& cards, const TDeckZone& zone);
// Card positions, one copy each (a draft's picks).
TDeckStatistics PickStatistics(const TCardsList& cards, std::span<const int32_t> positions);

// The five colours' letters in BasicLandNames order.
inline constexpr std::array<char, 5> kColourLetters = {'B', 'G', 'R', 'U', 'W'};

struct TLandSuggestion {
    bool Suggested = false; // false when the spells show no coloured symbol
    int32_t Total = 0;
    std::array<int32_t, 5> Lands{}; // per basic land, BasicLandNames order
};

// The basic lands that bring the main deck to 40 cards (60 when it holds more than 26 cards that
// are not basic lands), split over the five in proportion to the coloured symbols of its
// non-land cards by largest remainder, ties to the earlier land.
TLandSuggestion SuggestLands(const TCardsList& cards, const TDeckZone& main);

// `total` lands split over the five basic lands in proportion to `weights` (BasicLandNames
// order, none negative) by largest remainder, ties to the earlier land; none when every weight
// is 0.
std::array<int32_t, 5> SplitLands(int64_t total, const std::array<int64_t, 5>& weights);

// The statistics as text, as tovel-cli prints them: curve, average cost, types, colour symbols.
std::string StatisticsText(const TDeckStatistics& stats);
// "Suggested lands: 7 Swamp, 10 Mountain" or "Suggested lands: none (no coloured symbols)".
std::string LandSuggestionText(const TLandSuggestion& suggestion);

} // namespace tovel
