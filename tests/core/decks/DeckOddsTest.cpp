#include "core/decks/DeckOdds.h"

#include "core/carddb/CardText.h"
#include "support/HandMadeCards.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tovel;
using test::AddTestCard;

namespace {

// A deck of `lands` basic lands (Islands) and spells to 40, as the designer holds it.
std::vector<TOddsCard> PlainDeck(TCardsList& cards, int64_t lands, int64_t size = 40) {
    const TCardItem& island = AddTestCard(cards, "BL", "Island", TRarity::L, "", "Basic Land");
    const TCardItem& spell = AddTestCard(cards, "AB", "Filler", TRarity::C, "{ }", "Enchantment");
    return {{&island, lands, true, kBlue}, {&spell, size - lands, false, 0}};
}

std::vector<std::string> Percents(std::span<const double> chances) {
    std::vector<std::string> texts;
    for (double chance : chances)
        texts.push_back(PercentText(chance));
    return texts;
}

} // namespace

// Figures of published land tables (within 0.1 point): 16 lands in 40 on the play, land drops
// turns 1 to 5; 17 lands, at least two lands in the opening seven; and the sample figures.
TEST(DeckOdds, PublishedLandFigures) {
    TCardsList cards;
    const TDeckOdds sixteen = DeckOdds(PlainDeck(cards, 16), false);
    EXPECT_EQ(Percents(std::span(sixteen.LandDrops).first(5)),
              (std::vector<std::string>{"98.1%", "91.8%", "80.0%", "64.0%", "46.7%"}));

    const TDeckOdds seventeen = DeckOdds(PlainDeck(cards, 17), false);
    EXPECT_EQ(PercentText(1 - seventeen.Opening[0] - seventeen.Opening[1]), "89.5%");
    EXPECT_EQ(Percents(seventeen.Opening),
              (std::vector<std::string>{"1.3%", "9.2%", "24.5%", "32.3%", "22.6%", "8.4%", "1.5%", "0.1%"}));
    EXPECT_EQ(PercentText(seventeen.Keepable), "87.8%");
    EXPECT_EQ(PercentText(seventeen.LandDrops[0]), "98.7%");
    EXPECT_EQ(PercentText(seventeen.LandDrops[1]), "93.9%");
    EXPECT_EQ(PercentText(seventeen.LandDrops[5]), "38.8%");

    // On the draw one more card is seen every turn; a deck smaller than the hand is seen whole.
    const TDeckOdds draw = DeckOdds(PlainDeck(cards, 17), true);
    EXPECT_GT(draw.LandDrops[0], seventeen.LandDrops[0]);
    EXPECT_EQ(draw.Opening, seventeen.Opening);
    const TDeckOdds tiny = DeckOdds(PlainDeck(cards, 3, 5), false);
    EXPECT_EQ(tiny.Opening[3], 1.0);
    EXPECT_EQ(tiny.LandDrops[2], 1.0);
    EXPECT_EQ(tiny.LandDrops[3], 0.0);
}

namespace {

// The chance, counted hand by hand over every set of cards seen, that they hold `manaValue`
// lands paying `pays` (the colours each symbol takes), one land per symbol.
double EnumeratedChance(const std::vector<TColourSet>& copies, const std::vector<bool>& isLand,
                        const std::vector<TColourSet>& pays, int manaValue, int seen) {
    const int n = static_cast<int>(copies.size());
    int64_t hands = 0;
    int64_t good = 0;
    std::vector<int> hand;
    std::function<bool(size_t, std::vector<bool>&)> assign = [&](size_t symbol, std::vector<bool>& used) {
        if (symbol == pays.size())
            return true;
        for (int card : hand)
            if (isLand[static_cast<size_t>(card)] && !used[static_cast<size_t>(card)] &&
                (copies[static_cast<size_t>(card)] & pays[symbol])) {
                used[static_cast<size_t>(card)] = true;
                if (assign(symbol + 1, used))
                    return true;
                used[static_cast<size_t>(card)] = false;
            }
        return false;
    };
    for (uint32_t mask = 0; mask < (1u << n); ++mask) {
        if (std::popcount(mask) != seen)
            continue;
        ++hands;
        hand.clear();
        int lands = 0;
        for (int i = 0; i < n; ++i)
            if (mask & (1u << i)) {
                hand.push_back(i);
                lands += isLand[static_cast<size_t>(i)] ? 1 : 0;
            }
        std::vector<bool> used(static_cast<size_t>(n), false);
        if (lands >= manaValue && assign(0, used))
            ++good;
    }
    return static_cast<double>(good) / static_cast<double>(hands);
}

} // namespace

// On curve, against every hand counted out, for small decks with two-colour lands, lands making
// no colour and hybrid, split and colourless costs; on the play and on the draw.
TEST(DeckOdds, OnCurveMatchesEveryHandCounted) {
    struct Case {
        const char* cost;
        std::vector<std::pair<TColourSet, int>> lands; // colours made, copies
        int spells;                                    // other cards of the deck
    };
    const TColourSet WU = kWhite | kBlue;
    const TColourSet UG = kBlue | kGreen;
    const Case cases[] = {
        {"WU", {{kWhite, 2}, {kBlue, 2}, {0, 2}}, 8},
        {"1WW", {{WU, 3}, {kWhite, 1}, {0, 3}}, 7},    // a dual land pays either colour, not both
        {"UG", {{UG, 2}, {kBlue, 1}, {kGreen, 1}}, 9}, // two duals: one each
        {"(g / u)(g / u)", {{kGreen, 2}, {kBlue, 2}, {kRed, 2}}, 8},
        {"1(r / w)G", {{kRed | kWhite, 2}, {kGreen | kWhite, 2}, {kBlue, 2}}, 7},
        {"WUBR",
         {{kWhite | kBlue | kBlack | kRed | kGreen, 2}, {kBlue | kBlack, 2}, {kRed, 1}, {kWhite, 1}},
         6},
        {"2G /  / 3U", {{kGreen, 3}, {kBlue, 3}}, 8}, // a split card: its first half
        {"4", {{0, 4}, {kRed, 3}}, 8},
        {"XR", {{kRed, 2}, {0, 3}}, 9},   // X counts nothing: mana value 1, turn 1
        {"1UU", {{kBlue, 1}, {0, 6}}, 7}, // never: one Island only
    };
    for (bool onTheDraw : {false, true})
        for (const Case& c : cases) {
            TCardsList cards;
            const TCardItem& spell = AddTestCard(cards, "AB", "Spell", TRarity::C, c.cost, "Sorcery");
            const TCardItem& other = AddTestCard(cards, "AB", "Other", TRarity::C, "", "Artifact");
            std::vector<TOddsCard> deck;
            std::vector<TColourSet> copies;
            std::vector<bool> isLand;
            for (const auto& [colours, n] : c.lands) {
                const TCardItem& land = AddTestCard(cards, "AB", "Land", TRarity::C, "", "Land");
                deck.push_back({&land, n, true, colours});
                copies.insert(copies.end(), static_cast<size_t>(n), colours);
                isLand.insert(isLand.end(), static_cast<size_t>(n), true);
            }
            deck.push_back({&spell, 1, false, 0});
            deck.push_back({&other, c.spells - 1, false, 0});
            copies.insert(copies.end(), static_cast<size_t>(c.spells), 0);
            isLand.insert(isLand.end(), static_cast<size_t>(c.spells), false);

            std::vector<TColourSet> pays;
            for (size_t slot = 0; slot < 5; ++slot)
                pays.insert(pays.end(), static_cast<size_t>(spell.SymbolCounts[slot + 1]),
                            BasicLandColour(static_cast<int>(slot)));
            for (size_t h = 0; h < HybridSymbols.size(); ++h)
                pays.insert(pays.end(), static_cast<size_t>(spell.SymbolCounts[h + 7]),
                            HybridSymbolColors(h));
            const int manaValue = static_cast<int>(SpellManaValue(spell));
            const int turn = std::max(manaValue, 1);
            const int seen = std::min(static_cast<int>(copies.size()), 7 + turn - (onTheDraw ? 0 : 1));

            const TDeckOdds odds = DeckOdds(deck, onTheDraw);
            ASSERT_EQ(odds.OnCurve.size(), 2u) << c.cost;
            const TOnCurve& line = odds.OnCurve[0].Card == &spell ? odds.OnCurve[0] : odds.OnCurve[1];
            EXPECT_EQ(line.Turn, turn) << c.cost;
            const double expected = EnumeratedChance(copies, isLand, pays, manaValue, seen);
            EXPECT_NEAR(line.Chance, expected, 1e-12)
                << c.cost << (onTheDraw ? " on the draw" : " on the play");
            const double enough = EnumeratedChance(copies, isLand, {}, manaValue, seen);
            ASSERT_TRUE(line.GivenLandDrops.has_value()) << c.cost;
            EXPECT_NEAR(*line.GivenLandDrops, expected / enough, 1e-12) << c.cost;
        }
}

// The on-curve list: one line per distinct spell, by turn then deck order; lands are left out;
// a spell the deck can never have the lands for shows "-" for the given figure.
TEST(DeckOdds, OnCurveListAndText) {
    TCardsList cards;
    const TCardItem& forest = AddTestCard(cards, "BL", "Forest", TRarity::L, "", "Basic Land");
    const TCardItem& big = AddTestCard(cards, "AB", "Big One", TRarity::R, "9G", "Creature - Giant");
    const TCardItem& bear = AddTestCard(cards, "AB", "Bear", TRarity::C, "1G", "Creature - Bear");
    const TCardItem& elf = AddTestCard(cards, "AB", "Elf", TRarity::C, "G", "Creature - Elf");
    const TCardItem& cub = AddTestCard(cards, "AB", "Cub", TRarity::C, "1G", "Creature - Cat");
    const TCardItem& gate = AddTestCard(cards, "AB", "Gate", TRarity::U, "", "Land");
    const std::vector<TOddsCard> deck = {
        {&big, 1, false, 0},  {&bear, 2, false, 0}, {&elf, 1, false, 0}, {&forest, 8, true, kGreen},
        {&bear, 1, false, 0}, {&cub, 1, false, 0},  {&gate, 1, true, 0}};
    const TDeckOdds odds = DeckOdds(deck, false);
    EXPECT_EQ(odds.Cards, 15);
    EXPECT_EQ(odds.Lands, 9);
    std::vector<const TCardItem*> order;
    for (const TOnCurve& line : odds.OnCurve)
        order.push_back(line.Card);
    EXPECT_EQ(order, (std::vector<const TCardItem*>{&elf, &bear, &cub, &big}));
    EXPECT_EQ(odds.OnCurve[3].Chance, 0.0);
    EXPECT_FALSE(odds.OnCurve[3].GivenLandDrops); // ten lands from nine: never
    const std::string text = OddsText(odds);
    EXPECT_EQ(text.substr(0, text.find('\n') + 1), "15 cards, 9 lands, on the play\n");
    EXPECT_NE(text.find("\n  10 0.0% - [AB] - Big One\n"), std::string::npos) << text;

    // How a chance reads goes by the figure shown.
    const std::pair<double, TChanceLevel> levels[] = {
        {1.0, TChanceLevel::Good},    {0.9, TChanceLevel::Good},  {0.89996, TChanceLevel::Good},
        {0.8994, TChanceLevel::Fair}, {0.75, TChanceLevel::Fair}, {0.7494, TChanceLevel::Poor},
        {0.0, TChanceLevel::Poor}};
    for (const auto& [chance, level] : levels)
        EXPECT_EQ(ChanceLevel(chance), level) << chance;
}

// Costs of many symbols over five colours, among lands of many kinds: counted alike whatever
// the state's size, and quickly (a five-colour spell in a deck of every two-colour land).
TEST(DeckOdds, ManyColoursAndManyKindsOfLand) {
    TCardsList cards;
    const TCardItem& rainbow =
        AddTestCard(cards, "AB", "Rainbow", TRarity::C, "WWWWWUUUUUBBBBBRRRRRGGGGG", "Sorcery");
    const TCardItem& land = AddTestCard(cards, "AB", "Prism", TRarity::C, "", "Land");
    const TColourSet all = kWhite | kBlue | kBlack | kRed | kGreen;
    // Every card seen: 25 lands making every colour pay it; 24 of them and a plain land do not.
    EXPECT_EQ(DeckOdds(std::vector<TOddsCard>{{&rainbow, 5, false, 0}, {&land, 25, true, all}}, false)
                  .OnCurve[0]
                  .Chance,
              1.0);
    const TDeckOdds short_ = DeckOdds(
        std::vector<TOddsCard>{{&rainbow, 5, false, 0}, {&land, 24, true, all}, {&land, 1, true, 0}}, false);
    EXPECT_EQ(short_.OnCurve[0].Chance, 0.0);
    EXPECT_EQ(short_.OnCurve[0].GivenLandDrops, 0.0);

    const TCardItem& five = AddTestCard(cards, "AB", "Five", TRarity::C, "WUBRG", "Sorcery");
    std::vector<TOddsCard> deck = {{&five, 23, false, 0}};
    for (TColourSet a : kColorBits) {
        deck.push_back({&land, 1, true, a});
        for (TColourSet b : kColorBits)
            if (a < b)
                deck.push_back({&land, 1, true, static_cast<TColourSet>(a | b)});
    }
    const TDeckOdds odds = DeckOdds(deck, true);
    EXPECT_EQ(odds.Cards, 38);
    ASSERT_EQ(odds.OnCurve.size(), 1u);
    EXPECT_GT(odds.OnCurve[0].Chance, 0.0);
    EXPECT_LT(odds.OnCurve[0].Chance, *odds.OnCurve[0].GivenLandDrops);
}
