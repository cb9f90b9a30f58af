#include "LimitedWorld.h"

#include "core/infra/Error.h"
#include "core/limited/DraftRecord.h"
#include "core/limited/DraftReview.h"

#include <gtest/gtest.h>

#include <functional>

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

// A whole draft of two-card boosters: at pick 1 seat s holds booster s + 1 and takes its first
// card, at pick 2 it holds the booster of the seat before it and takes the card left.
std::vector<std::string> WholeDraftLines() {
    std::vector<std::string> lines = {
        "Tovel draft record 1", "Packs: AB;AB;AB;", "Pick time: 40", "Seed: 7", "Drafters: 2", ""};
    for (int turn = 1; turn <= 3; ++turn)
        for (int pick = 1; pick <= 2; ++pick)
            for (int seat = 0; seat < 8; ++seat) {
                const int booster = pick == 1 ? seat + 1 : (seat + 7) % 8 + 1;
                const std::string card = "  [AB] - Card " + std::to_string(turn) + std::to_string(booster);
                lines.push_back("P" + std::to_string(turn) + "p" + std::to_string(pick) + " seat " +
                                std::to_string(seat + 1) + " booster " + std::to_string(booster) +
                                " drafter");
                if (pick == 1)
                    lines.insert(lines.end(), {"* " + card.substr(2) + "a", card + "b"});
                else
                    lines.push_back("* " + card.substr(2) + "b");
            }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// Records are read strictly: every structural fault is found with its line, not only the first,
// and the error names the first. Line 7 is P1p1 seat 1, lines 7-9; line 10 P1p1 seat 2.
TEST(DraftRecordFile, EveryStructuralFaultIsFoundWithItsLine) {
    const std::vector<std::string> whole = WholeDraftLines();
    const auto changed = [&](const std::function<void(std::vector<std::string>&)>& change) {
        std::vector<std::string> lines = whole;
        change(lines);
        return Joined(lines);
    };
    std::string nul = "* [AB] - Card 11a";
    nul[12] = '\0';
    const struct {
        const char* what;
        std::string text;
        std::vector<std::pair<int, std::string>> faults;
    } cases[] = {
        {"truncated",
         changed([](auto& l) { l.resize(l.size() - 2); }),
         {{static_cast<int>(whole.size()) - 2,
           "the record ends before the draft does (P3p2 seat 8 expected)"}}},
        {"two steps swapped",
         changed([](auto& l) {
             std::swap(l[6], l[9]);
             std::swap(l[7], l[10]);
             std::swap(l[8], l[11]);
         }),
         {{7, "step P1p1 seat 2 is out of order (P1p1 seat 1 expected)"},
          {10, "step P1p1 seat 1 is out of order (P1p1 seat 3 expected)"},
          {13, "step P1p1 seat 3 is out of order (P1p1 seat 2 expected)"}}},
        {"a step repeated",
         changed([](auto& l) {
             const std::vector<std::string> step(l.begin() + 6, l.begin() + 9);
             l.insert(l.begin() + 9, step.begin(), step.end());
         }),
         {{10, "step P1p1 seat 1 is repeated"}}},
        {"a booster far larger",
         changed([](auto& l) { l.insert(l.begin() + 8, 500, "  [AB] - Extra"); }),
         {{7, "a booster of more than 200 cards"},
          {533, "booster 1 is not what was left of it after pick 1"}}},
        {"a NUL in a card key",
         changed([&](auto& l) { l[7] = nul; }),
         {{8, "\"[AB] - Car\\0 11a\" is not a card key"}}},
        {"a booster not passed on",
         changed([](auto& l) { l[6 + 24 + 1] = "* [AB] - Card 17b"; }),
         {{31, "booster 8 is not what was left of it after pick 1"}}},
    };
    for (const auto& c : cases) {
        std::vector<std::pair<int, std::string>> faults;
        try {
            ParseDraftRecord(c.text, "x.draft",
                             [&](int line, const std::string& fault) { faults.emplace_back(line, fault); });
            ADD_FAILURE() << c.what;
        } catch (const Error& e) {
            EXPECT_EQ(e.what(),
                      "x.draft is not a draft record (line " + std::to_string(c.faults[0].first) + ")")
                << c.what;
        }
        EXPECT_EQ(faults, c.faults) << c.what;
    }
    // The whole record reads, with the values a pick-time and cube section may bring.
    EXPECT_EQ(ParseDraftRecord(Joined(whole), "x.draft").Steps.size(), 48u);
    std::vector<std::string> cube = whole;
    cube[2] = "Pick time: untimed";
    cube.insert(cube.begin() + 6, {"Cube:", "  [AB] - Card 11a", "  [AB] - Card 11b", ""});
    const TDraftRecord read = ParseDraftRecord(Joined(cube), "x.draft");
    EXPECT_EQ(read.PickTime, kUntimedPick);
    EXPECT_EQ(read.Cube.size(), 2u);
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
        // Made in memory: the review reads any record, whole or not.
        const auto step = [this](int turn, int pick, int seat, int booster, TPickHow how,
                                 std::vector<const char*> keys) {
            TPickStep& added = record.Steps.emplace_back();
            added.PackTurn = turn;
            added.Pick = pick;
            added.Seat = seat;
            added.Booster = booster;
            added.How = how;
            for (const char* key : keys)
                added.Cards.push_back(record.KeyIndex(key));
        };
        step(1, 1, 0, 1, TPickHow::User,
             {"[AB] - Elf", "[AB] - Orc", "[AB] - Gnome", "[ZZ] - Gone", "[AB] - Orc"});
        step(1, 1, 1, 2, TPickHow::Drafter, {"[AB] - Idol"});
        step(1, 9, 0, 1, TPickHow::Timeout, {"[AB] - Gnome", "[AB] - Orc"});
        step(2, 1, 0, 1, TPickHow::User, {"[ZZ] - Gone"});
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
