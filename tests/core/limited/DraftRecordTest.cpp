#include "LimitedWorld.h"

#include "core/infra/Error.h"
#include "core/limited/DraftRecord.h"
#include "core/limited/DraftReview.h"

#include <gtest/gtest.h>

using namespace tovel;
using tovel::test::AddLimitedCard;

namespace {

constexpr std::string_view kHeader = "Tovel draft record 1\r\nPacks: AB;AB;AB;\r\nPick time: 40\r\n"
                                     "Seed: 7\r\nDrafters: 3\r\n\r\n";

TEST(DraftRecordFile, AnythingElseIsNotADraftRecordAndTheLineIsNamed) {
    const struct {
        const char* what;
        std::string text;
        int line;
    } cases[] = {
        {"empty", "", 0},
        {"a deck", "    1 [AB] - Elf\r\n", 1},
        {"no seed", "Tovel draft record 1\nPacks: AB;AB;AB;\nPick time: 40\nDrafters: 2\n", 4},
        {"strategy 4", "Tovel draft record 1\nPacks: A;\nPick time: 40\nSeed: 1\nDrafters: 4\n", 5},
        {"a step without a card taken",
         std::string(kHeader) + "P1p1 seat 1 booster 1 user\r\n  [AB] - Elf\r\n", 8},
        {"two cards taken", std::string(kHeader) + "P1p1 seat 1 booster 1 user\n* [AB] - Elf\n* [AB] - Orc\n",
         9},
        {"seat 9", std::string(kHeader) + "P1p1 seat 9 booster 1 user\n* [AB] - Elf\n", 7},
        {"pack turn 4", std::string(kHeader) + "P4p1 seat 1 booster 1 user\n* [AB] - Elf\n", 7},
        {"taken how?", std::string(kHeader) + "P1p1 seat 1 booster 1 luck\n* [AB] - Elf\n", 7},
        {"a card before any step", std::string(kHeader) + "* [AB] - Elf\n", 7},
    };
    for (const auto& c : cases) {
        try {
            ParseDraftRecord(c.text, "x.draft");
            ADD_FAILURE() << c.what;
        } catch (const Error& e) {
            EXPECT_EQ(e.what(), "x.draft is not a draft record (line " + std::to_string(c.line) + ")")
                << c.what;
        }
    }
}

// A hand-made record: seat 1 sees booster 1 at pick 1 and again at pick 9; one card of it is no
// longer in the card database.
class DraftReviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        AddLimitedCard(cards, "AB", "Elf", TRarity::C, 9, "G");
        AddLimitedCard(cards, "AB", "Orc", TRarity::C, 7, "(r / w)");
        AddLimitedCard(cards, "AB", "Gnome", TRarity::C, 8, "1G");
        AddLimitedCard(cards, "AB", "Idol", TRarity::U, 7, "3");
        record = ParseDraftRecord(std::string(kHeader) +
                                      "P1p1 seat 1 booster 1 user\r\n"
                                      "* [AB] - Elf\r\n  [AB] - Orc\r\n  [AB] - Gnome\r\n"
                                      "  [ZZ] - Gone\r\n  [AB] - Orc\r\n"
                                      "P1p1 seat 2 booster 2 drafter\r\n* [AB] - Idol\r\n"
                                      "P1p9 seat 1 booster 1 timeout\r\n* [AB] - Gnome\r\n  [AB] - Orc\r\n"
                                      "P2p1 seat 1 booster 1 user\r\n* [ZZ] - Gone\r\n",
                                  "hand.draft");
        links = LinkRecordCards(record, cards);
    }

    TCardsList cards;
    TDraftRecord record;
    TCardLinks links;
};

TEST_F(DraftReviewTest, CardsThatCameBackAreMarkedOncePerCopy) {
    EXPECT_EQ(SeatSteps(record, 0), (std::vector<int>{0, 2, 3}));
    // Gnome and one Orc came back; the card taken and the one missing later are not marked.
    EXPECT_EQ(WheeledCards(record, 0), (std::vector<bool>{false, true, true, false, false}));
    EXPECT_EQ(WheeledCards(record, 2), (std::vector<bool>{false, false}));
    EXPECT_EQ(record.Key(PicksBefore(record, 3)[1]), "[AB] - Gnome");
}

TEST_F(DraftReviewTest, ASeatsSummaryCountsColoursFirstPicksAndLateValueByColour) {
    EXPECT_EQ(links[record.KeyIndex("[ZZ] - Gone")], nullptr);
    const TSeatSummary summary = SummarizeSeat(record, links, 0);
    EXPECT_EQ(summary.ColorsByTurn[0].Colors, (std::array<int, 5>{0, 0, 0, 0, 2})); // Elf, Gnome
    EXPECT_EQ(summary.ColorsByTurn[1].Unknown, 1);
    EXPECT_EQ(record.Key(summary.FirstPicks[0]), "[AB] - Elf");
    EXPECT_EQ(record.Key(summary.FirstPicks[1]), "[ZZ] - Gone");
    EXPECT_EQ(summary.FirstPicks[2], -1);
    // Only P1p9 is after pick 5: Gnome (green, 8) and Orc (red and white, 7, counted for both),
    // shares of 22; green is the open colour. Pack turn 2 saw nothing after pick 5.
    const std::array<double, 5> shares{7.0 / 22, 0, 0, 7.0 / 22, 8.0 / 22};
    for (size_t c = 0; c < shares.size(); ++c)
        EXPECT_DOUBLE_EQ(summary.Signals[0][c], shares[c]) << c;
    EXPECT_EQ(summary.OpenColors, (std::array<int, 3>{4, -1, -1}));
    EXPECT_EQ(SummarizeSeat(record, links, 1).ColorsByTurn[0].Colorless, 1);
    EXPECT_EQ(ManaCurve(PicksBefore(record, 3), links),
              (std::array<int, kCurveColumns>{0, 1, 1, 0, 0, 0, 0, 0}));
}

} // namespace
