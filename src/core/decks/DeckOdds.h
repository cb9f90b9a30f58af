#pragma once

// The exact odds of a deck's mana (counted, not simulated), without mulligans: how many lands the
// opening seven holds, whether a land comes every turn, and whether each spell can be cast on
// the turn of its mana value with the lands seen by then (on the play 7 + turn - 1 cards, on the
// draw 7 + turn, never more than the deck holds).

#include "core/carddb/CardsDB.h"
#include "core/decks/DeckBuilder.h"
#include "core/decks/DeckFile.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tovel {

// One card of a deck with its copies. A land makes `Makes`.
struct TOddsCard {
    const TCardItem* Card = nullptr;
    int64_t Copies = 0;
    bool Land = false;
    TColourSet Makes = 0;
};

// A spell on its turn: T = max(mana value, 1).
struct TOnCurve {
    const TCardItem* Card = nullptr;
    int64_t Turn = 0;
    // At least mana value lands among the cards seen by turn T, and they can pay the cost: each
    // coloured symbol by a land of its own that makes its colour, each hybrid symbol by one that
    // makes one of its colours, the generic amount by any others.
    double Chance = 0;
    // Chance divided by that of at least mana value lands; none when that is 0.
    std::optional<double> GivenLandDrops;
};

struct TDeckOdds {
    int64_t Cards = 0;
    int64_t Lands = 0;
    bool OnTheDraw = false;
    std::array<double, 8> Opening{};   // the opening seven holds 0 .. 7 lands
    double Keepable = 0;               // 2 to 5 lands
    std::array<double, 6> LandDrops{}; // at least t lands by turn t, t = 1 .. 6
    std::vector<TOnCurve> OnCurve;     // one per distinct spell, by turn, then deck order
};

inline constexpr int kKeepableFewest = 2;
inline constexpr int kKeepableMost = 5;
inline constexpr int kLandDropTurns = 6;

// The odds of a deck given as its distinct cards in deck order (a card listed twice is one
// spell on the curve).
TDeckOdds DeckOdds(std::span<const TOddsCard> deck, bool onTheDraw);
// The designer's main deck: its entries in zone order, basic lands by their counters.
std::vector<TOddsCard> ZoneOddsCards(const TCardsList& cards, const TDeckZone& main);
TDeckOdds ZoneOdds(const TCardsList& cards, const TDeckZone& main, bool onTheDraw);

// "72.8%".
std::string PercentText(double chance);
// How a chance reads, as shown (one decimal): at least 90% good, 75% to 90% fair, below poor.
enum class TChanceLevel { Good, Fair, Poor };
TChanceLevel ChanceLevel(double chance);
// What tovel-cli deck odds prints, card keys in the data's own bytes.
std::string OddsText(const TDeckOdds& odds);

} // namespace tovel
