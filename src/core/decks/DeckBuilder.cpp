#include "core/decks/DeckBuilder.h"

#include "core/carddb/CardText.h"
#include "core/decks/DeckStats.h"
#include "core/infra/Error.h"
#include "core/infra/Text.h"

#include <algorithm>
#include <bit>
#include <numeric>

namespace tovel {

const std::array<TColourSet, kColourSetCount> kColourSets = {
    kWhite,          kBlue,           kBlack,          kRed,           kGreen,       kWhite | kBlue,
    kWhite | kBlack, kWhite | kRed,   kWhite | kGreen, kBlue | kBlack, kBlue | kRed, kBlue | kGreen,
    kBlack | kRed,   kBlack | kGreen, kRed | kGreen};

namespace {

// The colours of the basic lands in BasicLandNames order: Swamp, Forest, Mountain, Island, Plains.
constexpr std::array<TColourSet, 5> kLandColours = {kBlack, kGreen, kRed, kBlue, kWhite};

constexpr size_t kColouredFirst = static_cast<size_t>(TCardColor::B); // B G R U W, slots 1..5
constexpr size_t kHybridFirst = static_cast<size_t>(TCardColor::HybridFirst);

// The land slot (BasicLandNames order) of a colour bit.
size_t LandSlotOf(TColourSet colour) {
    return static_cast<size_t>(std::find(kLandColours.begin(), kLandColours.end(), colour) -
                               kLandColours.begin());
}

// Whether one half's symbols are on colour for the set.
bool HalfOnColour(const SymbolCountArray& counts, TColourSet colours) {
    for (size_t slot = 0; slot < 5; ++slot)
        if (counts[kColouredFirst + slot] > 0 && (kLandColours[slot] & colours) == 0)
            return false;
    for (size_t h = 0; h < HybridSymbols.size(); ++h)
        if (counts[kHybridFirst + h] > 0 && (HybridSymbolColors(h) & colours) == 0)
            return false;
    return true;
}

// Curve slots by mana value (0-1, 2, 3, 4, 5, 6+) and how many spells each takes on the first walk.
constexpr std::array<int, 6> kCurveCaps = {3, 8, 7, 5, 3, 2};

size_t CurveSlot(int64_t manaValue) {
    return static_cast<size_t>(std::clamp<int64_t>(manaValue - 1, 0, 5));
}

// A pool card as the builder weighs it.
struct Spell {
    int index = 0; // in the pool
    int64_t manaValue = 0;
    int32_t value = 0;
    bool creature = false;
    uint16_t onColour = 0; // bit i: on colour for kColourSets[i]
};

class Builder {
public:
    explicit Builder(std::span<const TCardItem* const> pool) {
        spells_.reserve(pool.size());
        for (size_t i = 0; i < pool.size(); ++i) {
            const TCardItem* card = pool[i];
            if (!card || IsLandCard(*card))
                continue;
            Spell spell{static_cast<int>(i), SpellManaValue(*card), card->Value, IsCreatureCard(*card), 0};
            for (size_t s = 0; s < kColourSets.size(); ++s)
                if (IsOnColour(*card, kColourSets[s]))
                    spell.onColour |= static_cast<uint16_t>(1u << s);
            spells_.push_back(spell);
        }
        // Highest value first; then lower mana value; then pool order.
        std::stable_sort(spells_.begin(), spells_.end(), [](const Spell& a, const Spell& b) {
            if (a.value != b.value)
                return a.value > b.value;
            return a.manaValue < b.manaValue;
        });
        taken_.resize(spells_.size());
    }

    // The two walks for set `s`; `taken_` marks the spells taken (positions in `spells_`).
    TColourSetScore Walk(size_t s) {
        std::fill(taken_.begin(), taken_.end(), char{0});
        TColourSetScore result;
        result.Colours = kColourSets[s];
        std::array<int, 6> curve{};
        int nonCreatures = 0;
        auto take = [&](size_t i) {
            taken_[i] = 1;
            result.Score += spells_[i].value;
            ++result.Spells;
        };
        const uint16_t bit = static_cast<uint16_t>(1u << s);
        for (size_t i = 0; i < spells_.size() && result.Spells < kDeckSpells; ++i) {
            const Spell& spell = spells_[i];
            if (!(spell.onColour & bit))
                continue;
            int& slot = curve[CurveSlot(spell.manaValue)];
            if (slot >= kCurveCaps[CurveSlot(spell.manaValue)] ||
                (!spell.creature && nonCreatures >= kNonCreatureSpells))
                continue;
            ++slot;
            nonCreatures += spell.creature ? 0 : 1;
            take(i);
        }
        for (size_t i = 0; i < spells_.size() && result.Spells < kDeckSpells; ++i)
            if ((spells_[i].onColour & bit) && !taken_[i])
                take(i);
        // The best three are the first taken in value order, whichever walk took them.
        int best = 0;
        for (size_t i = 0; i < spells_.size() && best < 3; ++i)
            if (taken_[i])
                result.Best[static_cast<size_t>(best++)] = spells_[i].index;
        return result;
    }

    const std::vector<Spell>& Spells() const { return spells_; }
    const std::vector<char>& Taken() const { return taken_; }

private:
    std::vector<Spell> spells_;
    std::vector<char> taken_;
};

// The 17 lands over the set's colours in proportion to the coloured symbols of the spells
// taken, counted in halves: a hybrid symbol is 1 for its colour in the set, or a half for each
// when both are in it. Without any symbol, evenly over the set's colours.
std::array<int32_t, 5> DeckLands(std::span<const TCardItem* const> pool, const std::vector<int>& spells,
                                 TColourSet colours) {
    std::array<int64_t, 5> halves{};
    auto add = [&](const SymbolCountArray& counts) {
        for (size_t slot = 0; slot < 5; ++slot)
            halves[slot] += 2 * int64_t{counts[kColouredFirst + slot]};
        for (size_t h = 0; h < HybridSymbols.size(); ++h) {
            const int64_t n = counts[kHybridFirst + h];
            if (n <= 0)
                continue;
            const TColourSet in = HybridSymbolColors(h) & colours;
            const int64_t share = std::popcount(in) == 2 ? 1 : 2;
            for (TColourSet colour : kLandColours)
                if (in & colour)
                    halves[LandSlotOf(colour)] += share * n;
        }
    };
    for (int index : spells) {
        add(pool[static_cast<size_t>(index)]->SymbolCounts);
        add(pool[static_cast<size_t>(index)]->SymbolCounts2);
    }
    if (std::accumulate(halves.begin(), halves.end(), int64_t{0}) == 0)
        for (size_t slot = 0; slot < 5; ++slot)
            halves[slot] = (kLandColours[slot] & colours) ? 1 : 0;
    return SplitLands(kDeckLands, halves);
}

bool ValidSet(TColourSet colours) {
    return std::find(kColourSets.begin(), kColourSets.end(), colours) != kColourSets.end();
}

} // namespace

int64_t SpellManaValue(const TCardItem& card) {
    int64_t value = card.Generic;
    for (size_t slot = 0; slot < 5; ++slot)
        value += card.SymbolCounts[kColouredFirst + slot];
    for (size_t h = 0; h < HybridSymbols.size(); ++h)
        value += card.SymbolCounts[kHybridFirst + h];
    return value;
}

bool IsOnColour(const TCardItem& card, TColourSet colours) {
    return HalfOnColour(card.SymbolCounts, colours) && HalfOnColour(card.SymbolCounts2, colours);
}

TColourSet LandColours(const TCardItem& card) {
    const std::string_view line = card.TypeLine;
    TColourSet colours = 0;
    size_t at = 0;
    while (at < line.size()) {
        auto letter = [&](size_t i) {
            const char c = AsciiUpper(line[i]);
            return c >= 'A' && c <= 'Z';
        };
        if (!letter(at)) {
            ++at;
            continue;
        }
        size_t end = at;
        while (end < line.size() && letter(end))
            ++end;
        const std::string_view word = line.substr(at, end - at);
        for (size_t slot = 0; slot < BasicLandNames.size(); ++slot)
            if (EqualsIgnoreAsciiCase(word, BasicLandNames[slot]))
                colours |= kLandColours[slot];
        at = end;
    }
    return colours;
}

TColourSet BasicLandColour(int slot) {
    return kLandColours[static_cast<size_t>(slot)];
}

std::string ColourSetText(TColourSet colours) {
    std::string text;
    for (size_t i = 0; i < kColorBits.size(); ++i)
        if (colours & kColorBits[i])
            text += kColorLetters[i];
    return text;
}

std::optional<TColourSet> ParseColourSet(std::string_view text) {
    if (text.empty() || text.size() > 2)
        return std::nullopt;
    TColourSet colours = 0;
    for (char c : text) {
        const TColourSet bit = ColorBit(c);
        if (bit == 0 || (colours & bit))
            return std::nullopt;
        colours |= bit;
    }
    return colours;
}

int TBuiltDeck::ShortBy() const {
    return std::max(0, kDeckCards - static_cast<int>(Spells.size()) - kDeckLands);
}

TBuiltDeck BuildDeck(std::span<const TCardItem* const> pool, TColourSet forced) {
    Builder builder(pool);
    TBuiltDeck deck;
    for (size_t s = 0; s < kColourSets.size(); ++s)
        deck.Ranking[s] = builder.Walk(s);
    std::stable_sort(deck.Ranking.begin(), deck.Ranking.end(),
                     [](const TColourSetScore& a, const TColourSetScore& b) {
                         if (a.Score != b.Score)
                             return a.Score > b.Score;
                         return std::popcount(a.Colours) < std::popcount(b.Colours);
                     });
    deck.Colours = ValidSet(forced) ? forced : deck.Ranking[0].Colours;
    const size_t chosen = static_cast<size_t>(
        std::find(kColourSets.begin(), kColourSets.end(), deck.Colours) - kColourSets.begin());
    deck.Score = builder.Walk(chosen).Score;

    std::vector<char> inMain(pool.size(), 0);
    for (size_t i = 0; i < builder.Spells().size(); ++i)
        if (builder.Taken()[i])
            inMain[static_cast<size_t>(builder.Spells()[i].index)] = 1;
    for (size_t i = 0; i < pool.size(); ++i)
        (inMain[i] ? deck.Spells : deck.Sideboard).push_back(static_cast<int>(i));
    deck.Lands = DeckLands(pool, deck.Spells, deck.Colours);
    return deck;
}

std::vector<const TCardItem*> PoolCards(const TCardsList& cards, std::span<const int32_t> positions) {
    std::vector<const TCardItem*> pool;
    pool.reserve(positions.size());
    for (int32_t position : positions)
        pool.push_back(&cards.Items(position));
    return pool;
}

std::vector<int32_t> ZonePool(const TCardsList& cards, const TDeckZones& zones) {
    std::vector<int32_t> pool;
    for (const TDeckZone* zone : {&zones.Main, &zones.Sideboard})
        for (int32_t position : zone->Entries)
            if (!IsBasicLand(cards.Items(position)))
                pool.push_back(position);
    return pool;
}

std::array<int, 5> BasicLandPositions(const TCardsList& cards) {
    std::array<int, 5> positions{};
    for (size_t slot = 0; slot < BasicLandNames.size(); ++slot) {
        const int position = cards.IndexOfName(BasicLandNames[slot]);
        // Only a real basic land can carry a counter.
        positions[slot] =
            position >= 0 && BasicLandSlot(cards.Items(position)) == static_cast<int>(slot) ? position : -1;
    }
    return positions;
}

TDeckZones BuiltDeckZones(const TBuiltDeck& deck, std::span<const int32_t> pool,
                          const std::array<int, 5>& landPositions) {
    for (size_t slot = 0; slot < 5; ++slot)
        if (deck.Lands[slot] > 0 && landPositions[slot] < 0)
            throw Error("No basic land " + std::string(BasicLandNames[slot]) + " in the card database");
    TDeckZones zones;
    for (int index : deck.Spells)
        zones.Main.Entries.Add(pool[static_cast<size_t>(index)]);
    for (size_t slot : {0, 1, 2, 3, 4})
        if (deck.Lands[slot] > 0) {
            zones.Main.Entries.Add(landPositions[slot]);
            zones.Main.Lands[slot] = deck.Lands[slot];
        }
    for (int index : deck.Sideboard)
        zones.Sideboard.Entries.Add(pool[static_cast<size_t>(index)]);
    return zones;
}

std::string LandsText(const std::array<int32_t, 5>& lands) {
    std::array<size_t, 5> order{0, 1, 2, 3, 4};
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return lands[a] > lands[b]; });
    std::string text;
    for (size_t slot : order)
        if (lands[slot] > 0)
            text += (text.empty() ? "" : ", ") + std::to_string(lands[slot]) + " " +
                    std::string(BasicLandNames[slot]);
    return text;
}

std::string BuiltDeckText(const TBuiltDeck& deck) {
    auto counted = [](int64_t n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    const std::string colours = ColourSetText(deck.Colours);
    std::string text = "Colours: " + colours + ", " +
                       counted(static_cast<int64_t>(deck.Spells.size()), "spell", "spells") + ", " +
                       std::to_string(kDeckLands) + " lands (" + LandsText(deck.Lands) + "), score " +
                       std::to_string(deck.Score) + "\n";
    text += "Also:";
    int others = 0;
    for (const TColourSetScore& set : deck.Ranking) {
        if (set.Colours == deck.Colours || others == 3)
            continue;
        text += (others++ ? ", " : " ") + ColourSetText(set.Colours) + " " + std::to_string(set.Score);
    }
    text += "\n";
    if (deck.ShortBy() > 0)
        text += "Short of 40 by " + counted(deck.ShortBy(), "card", "cards") + ": only " +
                counted(static_cast<int64_t>(deck.Spells.size()), "spell", "spells") + " in " + colours +
                "\n";
    return text;
}

} // namespace tovel
