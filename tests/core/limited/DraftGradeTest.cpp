#include "LimitedWorld.h"

#include "core/limited/DraftGrade.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

using namespace tovel;
using tovel::test::AddLimitedCard;

namespace {

// The steps of a hand-made record: a part of a draft, which a record file could not hold.
TDraftRecord HandMade(const std::string& steps) {
    TDraftRecord record;
    std::istringstream lines(steps);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("P")) {
            TPickStep& step = record.Steps.emplace_back();
            char how[16] = {};
            EXPECT_EQ(std::sscanf(line.c_str(), "P%dp%d seat %d booster %d %15s", &step.PackTurn, &step.Pick,
                                  &step.Seat, &step.Booster, how),
                      5)
                << line;
            --step.Seat;
            step.How = std::string_view(how) == "user" ? TPickHow::User : TPickHow::Drafter;
        } else {
            TPickStep& step = record.Steps.back();
            if (line.starts_with("* "))
                step.TakenAt = static_cast<int>(step.Cards.size());
            step.Cards.push_back(record.KeyIndex(line.substr(2)));
        }
    }
    return record;
}

class DraftGradeTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const auto& [name, rarity, value, cost] : {std::tuple{"Elf", TRarity::C, 3, "G"},
                                                        {"Knight", TRarity::C, 5, "W"},
                                                        {"Orc", TRarity::C, 4, "R"},
                                                        {"Gnome", TRarity::C, 4, "1G"},
                                                        {"Idol", TRarity::R, 3, "3"},
                                                        {"Sprite", TRarity::U, 6, "U"},
                                                        {"Troll", TRarity::C, 5, "G"},
                                                        {"Wolf", TRarity::C, 6, "G"},
                                                        {"Imp", TRarity::C, 7, "B"}})
            AddLimitedCard(cards, "AB", name, rarity, value, cost);
    }
    int32_t At(const char* name) const { return cards.IndexOf(name, "AB"); }

    TCardsList cards;
};

// Seat 1's picks, a drafter's step between them. The first five picks are scored without
// colours; from the sixth on, for the two colours of the picks before.
TEST_F(DraftGradeTest, EachPickAgainstTheDraftersChoice) {
    const TDraftRecord record = HandMade("P1p1 seat 1 booster 1 user\n* [AB] - Elf\n  [AB] - Knight\n"
                                         "P1p1 seat 2 booster 2 drafter\n* [AB] - Imp\n"
                                         "P1p2 seat 1 booster 8 user\n  [AB] - Orc\n* [AB] - Gnome\n"
                                         "P1p3 seat 1 booster 7 user\n* [ZZ] - Gone\n  [AB] - Idol\n"
                                         "P1p4 seat 1 booster 6 user\n* [AB] - Sprite\n  [AB] - Troll\n"
                                         "P1p5 seat 1 booster 5 user\n  [AB] - Imp\n* [AB] - Wolf\n"
                                         "P1p6 seat 1 booster 4 user\n  [AB] - Imp\n* [AB] - Troll\n");
    const struct {
        const char* what;
        uint8_t colors;
        std::vector<int64_t> scores;
        int best;
        int64_t loss;
    } expected[] = {
        {"Knight was worth 2 more", 0, {3, 5}, 1, 2},
        {"equal scores: the first in pack order is best, and taking the other agrees", 0, {4, 4}, 0, 0},
        {"a card the database lost scores 0; the rare scores 1 more", 0, {0, 4}, 1, 4},
        {"a pick of the best card", 0, {6, 5}, 0, 0},
        {"the fifth pick has no colours yet: black Imp loses nothing", 0, {7, 6}, 0, 1},
        {"the sixth is green-blue (green 13, blue 6): Imp loses 4", kBlue | kGreen, {3, 5}, 1, 0},
    };
    const std::vector<TPickGrade> grades = GradePicks(record, LinkRecordCards(record, cards), 0);
    ASSERT_EQ(grades.size(), std::size(expected));
    for (size_t i = 0; i < grades.size(); ++i) {
        const auto& e = expected[i];
        EXPECT_EQ(grades[i].Step, i == 0 ? 0 : static_cast<int>(i) + 1) << e.what;
        EXPECT_EQ(grades[i].Colors, e.colors) << e.what;
        EXPECT_EQ(grades[i].Scores, e.scores) << e.what;
        EXPECT_EQ(grades[i].Best, e.best) << e.what;
        EXPECT_EQ(grades[i].Loss, e.loss) << e.what;
    }
    // The window's three largest losses: largest first, ties in pick order.
    EXPECT_EQ(LargestLosses(grades, 3), (std::vector<int>{2, 0, 4}));
    EXPECT_EQ(AgreementLine(grades), "Agreement: 3 of 6 picks (50.0%), value given up 7");
    EXPECT_EQ(LossLine(record, grades[2]), "P1p3 took [ZZ] - Gone (0), best [AB] - Idol (4), -4");

    // During a draft the same rule picks the outlined card: by value up to the fifth pick.
    TIntegerList booster, picks;
    booster.Add(At("Imp"));
    booster.Add(At("Troll"));
    for (const char* name : {"Elf", "Gnome", "Knight", "Sprite"})
        picks.Add(At(name));
    EXPECT_EQ(DraftersChoice(booster, picks, cards), 0);
    picks.Add(At("Wolf"));
    EXPECT_EQ(DraftersChoice(booster, picks, cards), 1);
    EXPECT_EQ(DraftersChoice(TIntegerList(), picks, cards), -1);
}

// Each seat takes one card: its deck's score is that card's value, 0 for the card the database
// lost, which its saved deck keeps in the sideboard. Equal scores rank by seat number.
TEST_F(DraftGradeTest, StandingsRankTheSeatsDecksEqualScoresBySeat) {
    AddLimitedCard(cards, "AB", "Plains", TRarity::L, 0, "");
    std::string text;
    const char* taken[] = {"AB] - Sprite", "AB] - Wolf",   "ZZ] - Gone", "AB] - Imp",
                           "AB] - Troll",  "AB] - Knight", "AB] - Elf",  "AB] - Orc"};
    for (int seat = 1; seat <= kTableSeats; ++seat)
        text += "P1p1 seat " + std::to_string(seat) + " booster " + std::to_string(seat) + " drafter\n* [" +
                taken[seat - 1] + "\n";
    const TDraftRecord record = HandMade(text);
    const TCardLinks links = LinkRecordCards(record, cards);
    const TDraftGrade grade = GradeDraft(record, links, 0);
    EXPECT_EQ(grade.Standings, (std::array<int, kTableSeats>{3, 0, 1, 4, 5, 7, 6, 2}));
    EXPECT_EQ(grade.Place(0), 2);
    EXPECT_EQ(grade.Decks[0].Score, 6);
    EXPECT_EQ(grade.Decks[0].Colours, kBlue);
    EXPECT_EQ(grade.Decks[2].Score, 0);
    EXPECT_EQ(FormatSeatDeck(record, links, cards, SeatPicks(record, 2), grade.Decks[2]),
              "    17 [AB] - Plains\r\nSB: 1 [ZZ] - Gone\r\n");
}

} // namespace
