#include "core/decks/DeckStats.h"
#include "core/decks/SampleHand.h"

#include "support/HandMadeCards.h"

#include <gtest/gtest.h>

using namespace tovel;
using test::AddTestCard;

namespace {

struct DeckStatsTest : ::testing::Test {
    DeckStatsTest() {
        for (std::string_view land : BasicLandNames)
            AddTestCard(cards, "BL", land, TRarity::L, "", "Basic Land");
    }
    // Adds a card and `copies` of it to the zone (basic lands by their counters).
    void Put(std::string_view cost, std::string_view type, int copies) {
        const TCardItem& card =
            AddTestCard(cards, "AB", "Card " + std::to_string(cards.Count()), TRarity::C, cost, type);
        for (int i = 0; i < copies; ++i)
            zone.Entries.Add(cards.PositionOf(card));
    }
    void PutLand(int slot, int copies) {
        zone.Entries.Add(slot);
        zone.Lands[static_cast<size_t>(slot)] = copies;
    }

    TCardsList cards;
    TDeckZone zone;
};

} // namespace

TEST_F(DeckStatsTest, CurveColoursAverageAndTypesOfAMixedDeck) {
    Put("3GG", "Creature - Wolf", 2);
    Put("1G /  / 2U", "Instant", 1);                // split: both halves on the curve and in the colours
    Put("2(r / w)(r / w)", "Creature - Spirit", 1); // hybrid: half a symbol to each colour
    Put("1(g / u)", "Sorcery", 1);
    Put("XR", "Sorcery", 1);      // X counts nothing
    Put("{ }", "Enchantment", 1); // no cost at all
    Put("9UU", "Legendary Creature - Giant", 1);
    Put("7", "Artifact", 1);
    Put("", "Land", 1);
    PutLand(2, 3);

    const TDeckStatistics stats = ZoneStatistics(cards, zone);
    EXPECT_EQ(stats.Cards, 13);
    EXPECT_EQ(stats.Lands, 4);
    EXPECT_EQ(stats.CurveCreatures, (std::array<int64_t, 8>{0, 0, 1, 0, 0, 2, 0, 1}));
    EXPECT_EQ(stats.CurveOthers, (std::array<int64_t, 8>{1, 2, 0, 0, 0, 1, 0, 1}));
    EXPECT_NEAR(stats.AverageCost(), 37.0 / 9.0, 1e-9);
    const std::vector<std::string> symbols = {stats.SymbolText(0), stats.SymbolText(1), stats.SymbolText(2),
                                              stats.SymbolText(3), stats.SymbolText(4)};
    EXPECT_EQ(symbols, (std::vector<std::string>{"0.0", "5.5", "2.0", "3.5", "1.0"}));
    EXPECT_EQ(stats.TypeCount(TCardType::Creature), 4); // the legendary one included
    EXPECT_EQ(stats.TypeCount(TCardType::Sorcery), 2);
    EXPECT_EQ(stats.TypeCount(TCardType::Basic), 3);
    EXPECT_EQ(stats.TypeCount(TCardType::Land), 1);
}

TEST_F(DeckStatsTest, LandSuggestionKeepsItsTotal) {
    struct Case {
        const char* what;
        std::vector<std::pair<const char*, int>> spells; // cost, copies
        int presentForests;                              // basic lands never count against the total
        bool suggested;
        std::array<int32_t, 5> lands;
    };
    const std::vector<Case> cases = {
        // Halves G 11, R 4, U 7, W 2 over 30 lands: 13.75, 5, 8.75, 2.5; the two .75 win the two
        // spare lands, so the total is 30, not the 31 of plain rounding.
        {"largest remainder",
         {{"3GG", 2},
          {"1G /  / 2U", 1},
          {"2(r / w)(r / w)", 1},
          {"1(g / u)", 1},
          {"XR", 1},
          {"9UU", 1},
          {"7", 3}},
         8,
         true,
         {0, 14, 5, 9, 2}},
        // Equal remainders go to the earlier land: 19 lands over B and W equally.
        {"tie", {{"B", 10}, {"W", 10}, {"4", 1}}, 0, true, {10, 0, 0, 0, 9}},
        // More than 26 other cards: the deck goes to 60.
        {"sixty", {{"1R", 30}}, 0, true, {0, 0, 30, 0, 0}},
        {"nothing coloured", {{"4", 20}, {"{ }", 3}}, 5, false, {0, 0, 0, 0, 0}},
        {"full deck", {{"G", 60}}, 0, true, {0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        zone.Clear();
        for (const auto& [cost, copies] : c.spells)
            Put(cost, "Sorcery", copies);
        if (c.presentForests > 0)
            PutLand(1, c.presentForests);
        const TLandSuggestion suggestion = SuggestLands(cards, zone);
        EXPECT_EQ(suggestion.Suggested, c.suggested);
        EXPECT_EQ(suggestion.Lands, c.lands);
    }
}

TEST_F(DeckStatsTest, SampleHandIsSeededAndMulligansDownToOne) {
    Put("1R", "Creature - Whelp", 4);
    PutLand(2, 6);
    const std::vector<int32_t> library = LibraryOf(cards, zone);
    EXPECT_EQ(library.size(), 10u); // every Mountain by its counter

    RandomSource first(42);
    RandomSource second(42);
    TSampleHand hand(library, first);
    TSampleHand same(library, second);
    EXPECT_EQ(hand.Hand().size(), 7u);
    EXPECT_EQ(hand.Hand(), same.Hand());
    EXPECT_TRUE(hand.Draw());
    EXPECT_EQ(hand.Hand().size(), 8u);
    std::vector<size_t> sizes;
    for (int i = 0; i < 7; ++i) {
        hand.Mulligan(); // counts from the opening hand, not the drawn one
        sizes.push_back(hand.Hand().size());
    }
    EXPECT_EQ(sizes, (std::vector<size_t>{6, 5, 4, 3, 2, 1, 1}));
    hand.NewHand();
    EXPECT_EQ(hand.Hand().size(), 7u);
    EXPECT_TRUE(hand.Draw() && hand.Draw() && hand.Draw());
    EXPECT_FALSE(hand.Draw()); // the library is used up
    std::vector<int32_t> all = hand.Hand();
    std::sort(all.begin(), all.end());
    std::vector<int32_t> expected = library;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(all, expected);
}
