#include "core/decks/DeckOdds.h"

#include "core/carddb/CardText.h"
#include "core/decks/DeckStats.h"
#include "core/decks/SampleHand.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <type_traits>
#include <unordered_map>

namespace tovel {

namespace {

constexpr size_t kColouredFirst = static_cast<size_t>(TCardColor::B);
constexpr size_t kHybridFirst = static_cast<size_t>(TCardColor::HybridFirst);

// Hypergeometric chances from a table of ln(k!), exact to far below the one decimal shown.
class Hypergeometric {
public:
    explicit Hypergeometric(int64_t population) : lnFactorial_(static_cast<size_t>(population) + 1) {
        for (size_t i = 0; i < lnFactorial_.size(); ++i)
            lnFactorial_[i] = std::lgamma(static_cast<long double>(i) + 1);
    }

    // Exactly k successes in `draws` cards from `population` cards of which `successes` succeed.
    long double Pmf(int64_t population, int64_t successes, int64_t draws, int64_t k) const {
        if (k < 0 || k > successes || k > draws || draws > population || draws - k > population - successes)
            return 0;
        return std::exp(LnChoose(successes, k) + LnChoose(population - successes, draws - k) -
                        LnChoose(population, draws));
    }
    // At least k successes.
    long double AtLeast(int64_t population, int64_t successes, int64_t draws, int64_t k) const {
        long double sum = 0;
        for (int64_t j = std::max<int64_t>(k, 0); j <= std::min(successes, draws); ++j)
            sum += Pmf(population, successes, draws, j);
        return std::min<long double>(sum, 1);
    }

private:
    long double LnChoose(int64_t n, int64_t k) const {
        return lnFactorial_[static_cast<size_t>(n)] - lnFactorial_[static_cast<size_t>(k)] -
               lnFactorial_[static_cast<size_t>(n - k)];
    }

    std::vector<long double> lnFactorial_;
};

// A kind of symbol of a cost: the colours that pay it and how many the cost holds.
struct Symbol {
    TColourSet pays = 0;
    int64_t count = 0;
};

std::vector<Symbol> CostSymbols(const SymbolCountArray& counts) {
    std::vector<Symbol> symbols;
    for (size_t slot = 0; slot < 5; ++slot)
        if (counts[kColouredFirst + slot] > 0)
            symbols.push_back({BasicLandColour(static_cast<int>(slot)), counts[kColouredFirst + slot]});
    for (size_t h = 0; h < HybridSymbols.size(); ++h)
        if (counts[kHybridFirst + h] > 0)
            symbols.push_back({HybridSymbolColors(h), counts[kHybridFirst + h]});
    return symbols;
}

// The chance that the cards seen hold at least `manaValue` lands that pay `symbols`.
//
// Lands count by the colours of the cost they make (a land making none of them pays generic
// only). The seen cards' lands per such group follow a multivariate hypergeometric law, drawn
// group after group. Whether a draw pays the symbols is Hall's condition on the bipartite graph
// of symbols and lands: for every set U of the cost's colours, the symbols paid only within U
// are no more than the lands making a colour of U. The state of a draw is therefore, besides the
// cards drawn so far, those land counts per U, each capped at what U needs: few states even for
// a five-colour cost among many kinds of land.
class CurveChance {
public:
    CurveChance(const Hypergeometric& hyper, const std::array<int64_t, 32>& landsByColours, int64_t cards)
        : hyper_(hyper), landsByColours_(landsByColours), cards_(cards) {}

    long double Chance(const std::vector<Symbol>& symbols, int64_t manaValue, int64_t seen) {
        TColourSet costColours = 0;
        for (const Symbol& symbol : symbols)
            costColours |= symbol.pays;
        std::array<int64_t, 32> bySubset{};
        for (size_t colours = 0; colours < 32; ++colours)
            bySubset[colours & costColours] += landsByColours_[colours];
        groups_.clear();
        int64_t coloured = 0;
        for (size_t subset = 1; subset < 32; ++subset)
            if (bySubset[subset] > 0) {
                groups_.push_back({static_cast<TColourSet>(subset), bySubset[subset], {}});
                coloured += bySubset[subset];
            }
        // The sets of colours some symbols are confined to, and the groups making one of them.
        halls_.clear();
        uint64_t radix = static_cast<uint64_t>(seen) + 1;
        bool fits = true;
        for (TColourSet subset = costColours; subset != 0;
             subset = static_cast<TColourSet>((subset - 1) & costColours)) {
            Hall hall;
            for (const Symbol& symbol : symbols)
                if ((symbol.pays & ~subset) == 0)
                    hall.need += symbol.count;
            if (hall.need == 0)
                continue;
            hall.stride = radix;
            const uint64_t next = static_cast<uint64_t>(hall.need) + 1;
            fits = fits && radix <= (uint64_t{1} << 62) / next;
            radix = fits ? radix * next : radix;
            for (size_t g = 0; g < groups_.size(); ++g)
                if (groups_[g].colours & subset)
                    groups_[g].halls.push_back(halls_.size());
            halls_.push_back(hall);
        }
        // After the coloured groups, the rest of the deck: lands paying generic only, and spells.
        tail_.assign(static_cast<size_t>(seen) + 1, 0);
        for (int64_t drawn = 0; drawn <= seen; ++drawn)
            tail_[static_cast<size_t>(drawn)] =
                hyper_.AtLeast(cards_ - coloured, bySubset[0], seen - drawn, manaValue - drawn);
        return fits ? Run<uint64_t>(seen) : Run<std::vector<int64_t>>(seen);
    }

private:
    struct Group {
        TColourSet colours = 0;
        int64_t size = 0;
        std::vector<size_t> halls; // the sets of colours its lands make one of
    };
    struct Hall {
        int64_t need = 0;
        uint64_t stride = 0;
    };

    // A state: the cards drawn so far, then the lands per set of colours, capped at its need;
    // a number in mixed radix, or (for costs too long for that) the counts themselves.
    static int64_t Drawn(uint64_t key, int64_t seen) {
        return static_cast<int64_t>(key % (static_cast<uint64_t>(seen) + 1));
    }
    static int64_t Drawn(const std::vector<int64_t>& key, int64_t) { return key[0]; }
    uint64_t Advance(uint64_t key, size_t g, int64_t k) const {
        key += static_cast<uint64_t>(k);
        for (size_t h : groups_[g].halls) {
            const Hall& hall = halls_[h];
            const uint64_t radix = static_cast<uint64_t>(hall.need) + 1;
            const uint64_t lands = key / hall.stride % radix;
            const uint64_t capped = std::min<uint64_t>(lands + static_cast<uint64_t>(k), radix - 1);
            key += (capped - lands) * hall.stride;
        }
        return key;
    }
    std::vector<int64_t> Advance(std::vector<int64_t> key, size_t g, int64_t k) const {
        key[0] += k;
        for (size_t h : groups_[g].halls)
            key[h + 1] = std::min(key[h + 1] + k, halls_[h].need);
        return key;
    }
    bool Pays(uint64_t key) const {
        for (const Hall& hall : halls_)
            if (static_cast<int64_t>(key / hall.stride % (static_cast<uint64_t>(hall.need) + 1)) < hall.need)
                return false;
        return true;
    }
    bool Pays(const std::vector<int64_t>& key) const {
        for (size_t h = 0; h < halls_.size(); ++h)
            if (key[h + 1] < halls_[h].need)
                return false;
        return true;
    }
    static uint64_t Start(uint64_t*, size_t) { return 0; }
    static std::vector<int64_t> Start(std::vector<int64_t>*, size_t halls) {
        return std::vector<int64_t>(halls + 1, 0);
    }

    template <typename Key> long double Run(int64_t seen) const {
        using Map = std::conditional_t<std::is_same_v<Key, uint64_t>, std::unordered_map<Key, long double>,
                                       std::map<Key, long double>>;
        Map states;
        states[Start(static_cast<Key*>(nullptr), halls_.size())] = 1;
        int64_t population = cards_;
        std::vector<long double> pmf;
        for (size_t g = 0; g < groups_.size(); ++g) {
            const Group& group = groups_[g];
            // The chance of k of the group's lands among the cards still to draw.
            const int64_t most = std::min(group.size, seen);
            pmf.assign(static_cast<size_t>((seen + 1) * (most + 1)), 0);
            for (int64_t left = 0; left <= seen; ++left)
                for (int64_t k = 0; k <= std::min(most, left); ++k)
                    pmf[static_cast<size_t>(left * (most + 1) + k)] =
                        hyper_.Pmf(population, group.size, left, k);
            Map next;
            for (const auto& [key, chance] : states) {
                const int64_t left = seen - Drawn(key, seen);
                for (int64_t k = 0; k <= std::min(most, left); ++k) {
                    const long double p = pmf[static_cast<size_t>(left * (most + 1) + k)];
                    if (p > 0)
                        next[Advance(key, g, k)] += chance * p;
                }
            }
            states = std::move(next);
            population -= group.size;
        }
        long double sum = 0;
        for (const auto& [key, chance] : states)
            if (Pays(key))
                sum += chance * tail_[static_cast<size_t>(Drawn(key, seen))];
        return std::clamp<long double>(sum, 0, 1);
    }

    const Hypergeometric& hyper_;
    const std::array<int64_t, 32>& landsByColours_;
    int64_t cards_;
    std::vector<Group> groups_;
    std::vector<Hall> halls_;
    std::vector<long double> tail_;
};

int64_t SeenByTurn(int64_t turn, bool onTheDraw, int64_t cards) {
    const int64_t seen = kOpeningHandSize + turn - (onTheDraw ? 0 : 1);
    return std::min(seen, cards);
}

} // namespace

TDeckOdds DeckOdds(std::span<const TOddsCard> deck, bool onTheDraw) {
    TDeckOdds odds;
    odds.OnTheDraw = onTheDraw;
    std::array<int64_t, 32> landsByColours{};
    for (const TOddsCard& card : deck) {
        odds.Cards += card.Copies;
        if (card.Land) {
            odds.Lands += card.Copies;
            landsByColours[card.Makes & 31] += card.Copies;
        }
    }
    const int64_t cards = odds.Cards;
    const int64_t lands = odds.Lands;
    const Hypergeometric hyper(cards);

    const int64_t hand = std::min<int64_t>(kOpeningHandSize, cards);
    for (int64_t k = 0; k < static_cast<int64_t>(odds.Opening.size()); ++k)
        odds.Opening[static_cast<size_t>(k)] = static_cast<double>(hyper.Pmf(cards, lands, hand, k));
    long double keepable = 0;
    for (int64_t k = kKeepableFewest; k <= kKeepableMost; ++k)
        keepable += hyper.Pmf(cards, lands, hand, k);
    odds.Keepable = static_cast<double>(std::min<long double>(keepable, 1));
    for (int64_t turn = 1; turn <= kLandDropTurns; ++turn)
        odds.LandDrops[static_cast<size_t>(turn - 1)] =
            static_cast<double>(hyper.AtLeast(cards, lands, SeenByTurn(turn, onTheDraw, cards), turn));

    // Spells sharing a cost share its figures.
    CurveChance curve(hyper, landsByColours, cards);
    std::map<std::pair<SymbolCountArray, int64_t>, std::pair<long double, long double>> byCost;
    std::vector<const TCardItem*> seenCards;
    for (const TOddsCard& card : deck) {
        if (card.Land || !card.Card || card.Copies <= 0 ||
            std::find(seenCards.begin(), seenCards.end(), card.Card) != seenCards.end())
            continue;
        seenCards.push_back(card.Card);
        const int64_t manaValue = SpellManaValue(*card.Card);
        const int64_t turn = std::max<int64_t>(manaValue, 1);
        const int64_t seen = SeenByTurn(turn, onTheDraw, cards);
        const auto costKey = std::make_pair(card.Card->SymbolCounts, manaValue);
        auto at = byCost.find(costKey);
        if (at == byCost.end()) {
            const long double enough = hyper.AtLeast(cards, lands, seen, manaValue);
            long double chance = 0;
            if (enough > 0) {
                const std::vector<Symbol> symbols = CostSymbols(card.Card->SymbolCounts);
                chance = symbols.empty() ? enough : curve.Chance(symbols, manaValue, seen);
            }
            at = byCost.emplace(costKey, std::make_pair(chance, enough)).first;
        }
        const auto [chance, enough] = at->second;
        TOnCurve line;
        line.Card = card.Card;
        line.Turn = turn;
        line.Chance = static_cast<double>(chance);
        if (enough > 0)
            line.GivenLandDrops = static_cast<double>(std::min<long double>(chance / enough, 1));
        odds.OnCurve.push_back(line);
    }
    std::stable_sort(odds.OnCurve.begin(), odds.OnCurve.end(),
                     [](const TOnCurve& a, const TOnCurve& b) { return a.Turn < b.Turn; });
    return odds;
}

std::vector<TOddsCard> ZoneOddsCards(const TCardsList& cards, const TDeckZone& main) {
    std::vector<TOddsCard> deck;
    deck.reserve(static_cast<size_t>(main.Entries.Count()));
    for (int32_t position : main.Entries) {
        const TCardItem& card = cards.Items(position);
        const int slot = BasicLandSlot(card);
        if (slot >= 0)
            deck.push_back(
                {&card, std::max(0, main.Lands[static_cast<size_t>(slot)]), true, BasicLandColour(slot)});
        else if (IsLandCard(card))
            deck.push_back({&card, 1, true, LandColours(card)});
        else
            deck.push_back({&card, 1, false, 0});
    }
    return deck;
}

TDeckOdds ZoneOdds(const TCardsList& cards, const TDeckZone& main, bool onTheDraw) {
    const std::vector<TOddsCard> deck = ZoneOddsCards(cards, main);
    return DeckOdds(deck, onTheDraw);
}

std::string PercentText(double chance) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%%", 100.0 * std::clamp(chance, 0.0, 1.0));
    return text;
}

TChanceLevel ChanceLevel(double chance) {
    const double tenths = std::round(1000 * std::clamp(chance, 0.0, 1.0));
    return tenths >= 900 ? TChanceLevel::Good : tenths >= 750 ? TChanceLevel::Fair : TChanceLevel::Poor;
}

std::string OddsText(const TDeckOdds& odds) {
    auto counted = [](int64_t n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    std::string text = counted(odds.Cards, "card", "cards") + ", " + counted(odds.Lands, "land", "lands") +
                       (odds.OnTheDraw ? ", on the draw\n" : ", on the play\n");
    text += "Opening seven:";
    for (size_t k = 0; k < odds.Opening.size(); ++k)
        text += (k ? ", " : " ") + counted(static_cast<int64_t>(k), "land", "lands") + " " +
                PercentText(odds.Opening[k]);
    text += "\nKeepable (2 to 5 lands): " + PercentText(odds.Keepable) + "\n";
    text += "Land drops:";
    for (size_t t = 0; t < odds.LandDrops.size(); ++t)
        text += (t ? ", turn " : " turn ") + std::to_string(t + 1) + " " + PercentText(odds.LandDrops[t]);
    text += "\nOn curve (turn, chance, given the land drops, card):\n";
    for (const TOnCurve& line : odds.OnCurve)
        text += "  " + std::to_string(line.Turn) + " " + PercentText(line.Chance) + " " +
                (line.GivenLandDrops ? PercentText(*line.GivenLandDrops) : std::string("-")) + " " +
                CardKey(*line.Card) + "\n";
    return text;
}

} // namespace tovel
