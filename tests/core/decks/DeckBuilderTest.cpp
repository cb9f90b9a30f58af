#include "core/decks/DeckBuilder.h"

#include "core/carddb/CardText.h"
#include "core/infra/Error.h"
#include "support/HandMadeCards.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

using namespace tovel;
using test::AddTestCard;

namespace {

struct DeckBuilderTest : ::testing::Test {
    DeckBuilderTest() {
        for (std::string_view land : BasicLandNames)
            AddTestCard(cards, "BL", land, TRarity::L, "", "Basic Land");
    }
    // Adds `copies` of a new card to the pool; returns the pool index of the first.
    int Put(std::string_view cost, std::string_view type, int value, int copies = 1) {
        const TCardItem& card =
            AddTestCard(cards, "AB", "Card " + std::to_string(cards.Count()), TRarity::C, cost, type, value);
        const int first = static_cast<int>(positions.size());
        for (int i = 0; i < copies; ++i)
            positions.push_back(cards.PositionOf(card));
        return first;
    }
    TBuiltDeck Build(TColourSet forced = 0) { return BuildDeck(PoolCards(cards, positions), forced); }

    TCardsList cards;
    std::vector<int32_t> positions;
};

std::vector<int> Range(int first, int count) {
    std::vector<int> range(static_cast<size_t>(count));
    std::iota(range.begin(), range.end(), first);
    return range;
}

} // namespace

TEST(DeckBuilderTerms, ColoursManaValueAndLandColours) {
    TCardsList cards;
    struct Case {
        const char* cost;
        int64_t manaValue;
        const char* onColourFor; // the sets, in kColourSets order
    };
    const Case cases[] = {
        {"1RR", 3, "R WR UR BR RG"},
        {"2(r / w)(r / w)", 4, "W R WU WB WR WG UR BR RG"}, // a hybrid symbol needs one mana
        {"1WU", 3, "WU"},
        {"1G /  / 2U", 2, "UG"},     // a split card: both halves' colours, the first half's cost
        {"XXG", 1, "G WG UG BG RG"}, // X counts nothing
        {"4", 4, "W U B R G WU WB WR WG UB UR UG BR BG RG"},
        {"{ }", 0, "W U B R G WU WB WR WG UB UR UG BR BG RG"},
    };
    for (const Case& c : cases) {
        const TCardItem& card = AddTestCard(cards, "AB", c.cost, TRarity::C, c.cost, "Sorcery");
        EXPECT_EQ(SpellManaValue(card), c.manaValue) << c.cost;
        std::string sets;
        for (TColourSet set : kColourSets)
            if (IsOnColour(card, set))
                sets += (sets.empty() ? "" : " ") + ColourSetText(set);
        EXPECT_EQ(sets, c.onColourFor) << c.cost;
    }
    const std::pair<const char*, const char*> lands[] = {{"Land", ""},
                                                         {"Basic Land - Forest", "G"},
                                                         {"Land - Island Swamp", "UB"},
                                                         {"Snow Land - plains", "W"},
                                                         {"Land - Islander", ""},
                                                         {"Legendary Land - Mountain Forest", "RG"}};
    for (const auto& [type, colours] : lands)
        EXPECT_EQ(ColourSetText(LandColours(AddTestCard(cards, "AB", type, TRarity::C, "", type))), colours)
            << type;

    EXPECT_EQ(ParseColourSet("ug"), TColourSet{kBlue | kGreen});
    EXPECT_EQ(ParseColourSet("Gw"), TColourSet{kWhite | kGreen});
    EXPECT_EQ(ParseColourSet("b"), TColourSet{kBlack});
    for (const char* bad : {"", "WW", "WUB", "X", "W ", "1"})
        EXPECT_FALSE(ParseColourSet(bad)) << bad;
}

// First walk: curve slots fill to their caps and non-creature spells stop at 8; the second walk
// takes the skipped spells in the same order up to 23.
TEST_F(DeckBuilderTest, CurveCapsThenSecondWalk) {
    const int twos = Put("1R", "Creature - Imp", 9, 10); // slot 2 takes 8 of them first
    const int ones = Put("R", "Instant", 8, 5);          // slot 0-1 takes 3
    const int threes = Put("2R", "Sorcery", 7, 9);       // 5 more non-creature spells make 8
    const int off = Put("1U", "Creature - Wisp", 1, 2);  // UR ties with R: fewer colours win
    const TBuiltDeck deck = Build();
    EXPECT_EQ(deck.Colours, kRed);
    // Second walk: the 2 creatures, the 2 instants, then 3 of the 4 sorceries left.
    std::vector<int> spells = Range(twos, 10);
    for (int i : Range(ones, 5))
        spells.push_back(i);
    for (int i : Range(threes, 8))
        spells.push_back(i);
    EXPECT_EQ(deck.Spells, spells);
    EXPECT_EQ(deck.Score, 10 * 9 + 5 * 8 + 8 * 7);
    EXPECT_EQ(deck.Sideboard, (std::vector<int>{threes + 8, off, off + 1}));
    EXPECT_EQ(deck.Lands, (std::array<int32_t, 5>{0, 0, 17, 0, 0}));
    EXPECT_EQ(deck.ShortBy(), 0);
}

// The first walk caps by curve slot alone: with room in the deck, a full slot's spells still come
// in on the second walk, after every spell the first walk took, even of lower value.
TEST_F(DeckBuilderTest, FullSlotsWaitForTheSecondWalk) {
    const int big = Put("5G", "Creature - Beast", 9, 4); // slot 6+: 2 on the first walk
    const int small = Put("G", "Creature - Elf", 1, 22);
    const TBuiltDeck deck = Build();
    EXPECT_EQ(deck.Colours, kGreen);
    EXPECT_EQ(deck.Spells.size(), 23u);
    // 2 big, 3 small (slot 0-1 is full after 3), then the second walk: 2 big and 16 small.
    EXPECT_EQ(deck.Score, 4 * 9 + 19 * 1);
    EXPECT_EQ(deck.Sideboard, Range(small + 19, 3));
    (void)big;
}

// Equal values: lower mana value first, then pool order; the ranking's best cards follow that.
// Equal scores: fewer colours, then W, U, B, R, G, WU, ... order.
TEST_F(DeckBuilderTest, TiesInOrderAndRanking) {
    const int a = Put("2W", "Creature - A", 5);
    const int b = Put("1W", "Creature - B", 5);
    const int c = Put("3W", "Creature - C", 6);
    const int d = Put("1W", "Creature - D", 5);
    Put("3", "Artifact", 3); // colourless: on colour for every set
    const TBuiltDeck deck = Build();
    EXPECT_EQ(deck.Colours, kWhite);
    EXPECT_EQ(deck.Ranking[0].Best, (std::array<int, 3>{c, b, d}));
    (void)a;
    std::vector<std::string> ranking;
    for (const TColourSetScore& set : deck.Ranking)
        ranking.push_back(ColourSetText(set.Colours) + " " + std::to_string(set.Score));
    EXPECT_EQ(ranking,
              (std::vector<std::string>{"W 24", "WU 24", "WB 24", "WR 24", "WG 24", "U 3", "B 3", "R 3",
                                        "G 3", "UB 3", "UR 3", "UG 3", "BR 3", "BG 3", "RG 3"}));
    EXPECT_EQ(deck.Ranking[5].Spells, 1);
    EXPECT_EQ(deck.Ranking[5].Best, (std::array<int, 3>{4, -1, -1}));
    // A short pool: every spell is in, 17 lands, and the text says how short.
    EXPECT_EQ(BuiltDeckText(deck), "Colours: W, 5 spells, 17 lands (17 Plains), score 24\n"
                                   "Also: WU 24, WB 24, WR 24\n"
                                   "Short of 40 by 18 cards: only 5 spells in W\n");
}

// Lands by the symbols of the spells taken: a hybrid symbol is whole for its one colour in the
// set, half for each when both are in it; split cards count both halves; largest remainder,
// ties in Swamp, Forest, Mountain, Island, Plains order; no symbol at all: evenly.
TEST_F(DeckBuilderTest, LandsFollowTheSymbolsOfTheSpellsTaken) {
    Put("1R", "Creature - Imp", 5);
    Put("(r / w)", "Creature - Kith", 5, 2);
    Put("1U", "Creature - Wisp", 2); // left out of WR and R
    // WR: R 2 + 1 + 1 halves, W 1 + 1: 17 x 4/6 = 11.33, 17 x 2/6 = 5.67.
    EXPECT_EQ(Build(kWhite | kRed).Lands, (std::array<int32_t, 5>{0, 0, 11, 0, 6}));
    EXPECT_EQ(Build(kRed).Lands, (std::array<int32_t, 5>{0, 0, 17, 0, 0}));
    // UR: the hybrids are red alone; R 6 halves, U 2: 12.75 and 4.25.
    EXPECT_EQ(Build(kBlue | kRed).Lands, (std::array<int32_t, 5>{0, 0, 13, 4, 0}));

    positions.clear();
    Put("1G /  / 2U", "Instant", 5);                                                 // G and U, one each
    EXPECT_EQ(Build(kBlue | kGreen).Lands, (std::array<int32_t, 5>{0, 9, 0, 8, 0})); // tie: Forest first
    positions.clear();
    Put("3", "Artifact", 5, 4);
    EXPECT_EQ(Build(kWhite | kBlue).Lands, (std::array<int32_t, 5>{0, 0, 0, 9, 8})); // even: Island first
    EXPECT_EQ(LandsText(Build(kWhite | kBlue).Lands), "9 Island, 8 Plains");
}

// A forced set is taken whatever it scores; the others still rank. Lands (basic or not) are no
// spells: non-basic lands go to the sideboard, the pool's basic land counters are not part of
// the pool, and main deck and sideboard hold the whole pool plus the 17 basic lands.
TEST_F(DeckBuilderTest, ForcedSetAndNothingOfThePoolLost) {
    const TCardItem& dual = AddTestCard(cards, "AB", "Dual", TRarity::R, "", "Land - Island Forest", 9);
    TDeckZones zones;
    zones.Main.Entries.Add(cards.PositionOf(dual));
    zones.Main.Entries.Add(1); // Forest, 3 copies
    zones.Main.Lands[1] = 3;
    Put("1G", "Creature - Elf", 8, 3);
    Put("U", "Instant", 4, 2);
    for (int32_t position : positions)
        zones.Sideboard.Entries.Add(position);

    const std::vector<int32_t> pool = ZonePool(cards, zones);
    EXPECT_EQ(pool.size(), 6u); // the dual and five spells; the Forests are not in it
    const TBuiltDeck best = BuildDeck(PoolCards(cards, pool));
    EXPECT_EQ(best.Colours, kBlue | kGreen);
    const TBuiltDeck forced = BuildDeck(PoolCards(cards, pool), kBlue);
    EXPECT_EQ(forced.Colours, kBlue);
    EXPECT_EQ(forced.Score, 8);
    EXPECT_EQ(forced.Ranking[0].Colours, kBlue | kGreen);
    EXPECT_EQ(BuiltDeckText(forced), "Colours: U, 2 spells, 17 lands (17 Island), score 8\n"
                                     "Also: UG 32, G 24, WG 24\n"
                                     "Short of 40 by 21 cards: only 2 spells in U\n");

    const TDeckZones built = BuiltDeckZones(best, pool, BasicLandPositions(cards));
    std::vector<int32_t> kept;
    for (const TDeckZone* zone : {&built.Main, &built.Sideboard})
        for (int32_t position : zone->Entries)
            if (!IsBasicLand(cards.Items(position)))
                kept.push_back(position);
    std::vector<int32_t> sortedPool = pool;
    std::sort(sortedPool.begin(), sortedPool.end());
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, sortedPool);
    EXPECT_EQ(built.Sideboard.Entries.Raw(), (std::vector<int32_t>{cards.PositionOf(dual)}));
    EXPECT_EQ(built.Main.Lands, best.Lands);
    int32_t lands = 0;
    for (int32_t n : built.Main.Lands)
        lands += n;
    EXPECT_EQ(lands, kDeckLands);

    // A land the card database lacks stops the deck from being made.
    std::array<int, 5> missing = BasicLandPositions(cards);
    missing[3] = -1;
    EXPECT_THROW(BuiltDeckZones(best, pool, missing), Error);
}
