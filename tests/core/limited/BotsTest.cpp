#include "LimitedWorld.h"

#include "core/carddb/CardText.h"
#include "core/limited/Bots.h"

#include <gtest/gtest.h>

#include <set>

using namespace tovel;
using tovel::test::AddLimitedCard;

namespace {

struct PackCard {
    TRarity rarity;
    int value;
    const char* cost; // "" leaves the card without any mana symbol (colour 0)
};

class BotsTest : public ::testing::Test {
protected:
    TBoosterItem MakePack(std::initializer_list<PackCard> pack) {
        TBoosterItem booster;
        for (const PackCard& card : pack)
            booster.Cards.Add(AddLimitedCard(cards, "AAA", "Card " + std::to_string(cards.Count()),
                                             card.rarity, card.value, card.cost));
        return booster;
    }

    TCardsList cards;
    TBotsList seats;
    RandomSource random{11};
};

struct ValueCase {
    const char* what;
    std::initializer_list<PackCard> pack;
    int expected; // position in the pack of the card taken
};

// Computer drafters take the first card of the best score when no colourless-cost card ties.
TEST_F(BotsTest, PickByValueTakesTheFirstCardOfTheBestScore) {
    const ValueCase cases[] = {
        {"three cards share the best score 5",
         {{TRarity::C, 3, "R"}, {TRarity::C, 5, "G"}, {TRarity::U, 5, "1B"}, {TRarity::C, 5, "W"}},
         1},
        {"a rare of value 4 ties with a common of value 5",
         {{TRarity::C, 2, "R"}, {TRarity::R, 4, "G"}, {TRarity::C, 5, "U"}},
         1},
        {"the rare bonus lifts a rare of value 5 over a common of 5",
         {{TRarity::C, 5, "R"}, {TRarity::R, 5, "G"}},
         1},
        {"scores of 12 and more all count as 12",
         {{TRarity::C, 3, "R"}, {TRarity::C, 12, "G"}, {TRarity::R, 15, "U"}},
         1},
        {"a score of 1 is still a score",
         {{TRarity::C, 0, "R"}, {TRarity::C, 1, "G"}, {TRarity::C, 0, "B"}},
         1},
    };
    seats.AddBots(2);
    for (const ValueCase& c : cases) {
        TBoosterItem pack = MakePack(c.pack);
        const int32_t expected = pack.Cards.Items(c.expected);
        seats.Items(1).Picks.Clear();
        seats.Items(1).Pick(pack, cards, random);
        ASSERT_EQ(seats.Items(1).Picks.Count(), 1) << c.what;
        EXPECT_EQ(seats.Items(1).Picks.Items(0), expected) << c.what;
        EXPECT_EQ(pack.Cards.IndexOf(expected), -1) << c.what;
        EXPECT_EQ(pack.Cards.Count(), static_cast<int>(c.pack.size()) - 1) << c.what;
    }
}

TEST_F(BotsTest, ColourlessCostCardsAmongTheBestWinCoinFlips) {
    seats.AddBots(2);
    std::set<int> taken;
    for (uint32_t seed = 0; seed < 64; ++seed) {
        random.Seed(seed);
        TBoosterItem pack =
            MakePack({{TRarity::C, 6, "R"}, {TRarity::C, 6, ""}, {TRarity::C, 2, ""}, {TRarity::C, 6, ""}});
        const std::vector<int32_t> before = pack.Cards.Raw();
        seats.Items(1).Picks.Clear();
        seats.Items(1).PickByValue(pack, cards, random);
        const int position = static_cast<int>(
            std::find(before.begin(), before.end(), seats.Items(1).Picks.Items(0)) - before.begin());
        taken.insert(position);
    }
    // The first candidate, or one of the two colour-0 candidates; never the low-value card.
    EXPECT_EQ(taken, (std::set<int>{0, 1, 3}));
}

TEST_F(BotsTest, NothingScoresSoTheFirstCardsRarityDecides) {
    seats.AddBots(2);
    std::set<int> taken;
    for (uint32_t seed = 0; seed < 64; ++seed) {
        random.Seed(seed);
        TBoosterItem pack = MakePack(
            {{TRarity::U, 0, "R"}, {TRarity::C, 0, "G"}, {TRarity::U, -2, "B"}, {TRarity::C, 0, "W"}});
        const std::vector<int32_t> before = pack.Cards.Raw();
        seats.Items(1).Picks.Clear();
        seats.Items(1).Pick(pack, cards, random);
        taken.insert(static_cast<int>(std::find(before.begin(), before.end(), seats.Items(1).Picks.Items(0)) -
                                      before.begin()));
    }
    EXPECT_EQ(taken, (std::set<int>{0, 2}));
}

TEST_F(BotsTest, TakingACardLogsItAndKeepsTheRestInOrder) {
    std::vector<std::string> log;
    seats.AddBots(3);
    seats.SetOnLog([&](const std::string& line) { log.push_back(line); });
    seats.AddBots(3); // later seats get the handler too
    TBoosterItem pack =
        MakePack({{TRarity::C, 1, "R"}, {TRarity::U, 2, "G"}, {TRarity::R, 3, "B"}, {TRarity::C, 4, "W"}});
    const std::vector<int32_t> before = pack.Cards.Raw();
    seats.Human()->TakeCard(before[1], &pack, cards);
    seats.Items(5).TakeCard(before[2], &pack, cards);
    seats.Items(5).TakeCard(before[0], nullptr, cards); // no pack: the pick only
    EXPECT_EQ(pack.Cards.Raw(), (std::vector<int32_t>{before[0], before[3]}));
    EXPECT_EQ(log,
              (std::vector<std::string>{"Human - U   Card 1", "Bot #5 - R   Card 2", "Bot #5 - C   Card 0"}));
    EXPECT_EQ(seats.Items(5).Picks.Raw(), (std::vector<int32_t>{before[2], before[0]}));

    seats.ClearPicks();
    EXPECT_EQ(seats.Items(0).Picks.Count() + seats.Items(5).Picks.Count(), 0);
    EXPECT_EQ(seats.Items(5).Number(), 5);
    EXPECT_EQ(seats.Items(5).Strategy, kPickByValue);
}

TEST_F(BotsTest, OtherStrategiesAndEmptyPacks) {
    seats.AddBots(1);
    TBotItem& seat = seats.Items(0);
    TBoosterItem empty;
    seat.Pick(empty, cards, random); // nothing to take, nothing happens
    EXPECT_EQ(seat.Picks.Count(), 0);

    seat.Strategy = kPickRaresFirst;
    TBoosterItem pack = MakePack({{TRarity::R, 0, "R"}, {TRarity::C, 9, "G"}, {TRarity::R, 1, "B"}});
    const std::vector<int32_t> before = pack.Cards.Raw();
    seat.Pick(pack, cards, random);
    EXPECT_NE(seat.Picks.Items(0), before[1]);

    seat.Strategy = kPickAtRandom;
    seat.Pick(pack, cards, random);
    seat.Pick(pack, cards, random);
    EXPECT_EQ(seat.Picks.Count(), 3);
    EXPECT_EQ(pack.Cards.Count(), 0);

    seat.Strategy = 9; // unknown rule: no pick
    TBoosterItem more = MakePack({{TRarity::C, 5, "G"}});
    seat.Pick(more, cards, random);
    EXPECT_EQ(more.Cards.Count(), 1);
}

// Values come from the database file as any 32-bit number: the rare's +1 and the off-colour -4
// must not overflow.
TEST_F(BotsTest, ScoresOfExtremeValuesDoNotOverflow) {
    const int top = AddLimitedCard(cards, "AAA", "Top", TRarity::R, INT32_MAX, "R");
    const int bottom = AddLimitedCard(cards, "AAA", "Bottom", TRarity::C, INT32_MIN, "R");
    EXPECT_EQ(ColorScore(cards.Items(top), 0), int64_t{INT32_MAX} + 1);
    EXPECT_EQ(ColorScore(cards.Items(bottom), kBlue | kGreen), int64_t{INT32_MIN} - kOffColorPenalty);
}

// Picks 1 to 5 by value alone; from the 6th on, the two colours of highest summed value (ties:
// the colour picked first), re-chosen after every pick: a card outside them loses 4 (a rare keeps
// its +1), lands and colourless cards keep their value, a card sharing one colour is inside.
TEST_F(BotsTest, PickByValueAndColoursKeepsToTheTwoColoursOfItsBestPicks) {
    struct Step {
        const char* what;
        std::initializer_list<PackCard> pack;
        int expected;    // position in the pack of the card taken
        uint8_t colours; // DrafterColors after the pick
        int land = -1;   // position of a card made a land
    };
    const Step steps[] = {
        {"pick 1 by value", {{TRarity::C, 1, "R"}, {TRarity::C, 6, "U"}}, 1, 0},
        {"pick 2 by value", {{TRarity::C, 5, "G"}, {TRarity::C, 0, "W"}}, 0, kBlue | kGreen},
        {"pick 3, red ties green", {{TRarity::C, 5, "R"}}, 0, kBlue | kGreen},
        {"pick 4, colourless", {{TRarity::C, 2, "1"}}, 0, kBlue | kGreen},
        {"pick 5 is still by value", {{TRarity::C, 2, "G"}, {TRarity::C, 3, "W"}}, 1, kBlue | kGreen},
        {"red 8 scores 4 against green 5", {{TRarity::C, 8, "R"}, {TRarity::C, 5, "G"}}, 1, kBlue | kGreen},
        {"a red rare of 8 ties blue 5: the first in pack order",
         {{TRarity::R, 8, "R"}, {TRarity::C, 5, "U"}},
         0,
         kRed | kGreen},
        {"a blue land keeps its 4, blue 7 scores 3; blue ties green on 10 and came first",
         {{TRarity::C, 7, "U"}, {TRarity::C, 4, "U"}, {TRarity::C, 3, "2"}},
         1,
         kRed | kBlue,
         1},
        {"green-blue is inside, black-white outside",
         {{TRarity::C, 6, "BW"}, {TRarity::C, 5, "GU"}},
         1,
         kBlue | kGreen},
    };
    seats.AddBots(2);
    TBotItem& seat = seats.Items(1);
    seat.Strategy = kPickByValueAndColors;
    for (const Step& step : steps) {
        TBoosterItem pack = MakePack(step.pack);
        if (step.land >= 0)
            cards.Items(pack.Cards.Items(step.land)).TypeLine = cards.Store("Land");
        const int32_t expected = pack.Cards.Items(step.expected);
        seat.Pick(pack, cards, random);
        EXPECT_EQ(seat.Picks.Items(seat.Picks.Count() - 1), expected) << step.what;
        EXPECT_EQ(DrafterColors(seat.Picks, cards), step.colours) << step.what;
    }
}

} // namespace
