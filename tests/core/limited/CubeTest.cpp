// Cubes: the list read as one pile of cards, packs dealt without replacement, the shortfall, and
// a cube draft's record that runs again without the list.

#include "LimitedWorld.h"

#include "core/limited/Cube.h"
#include "core/limited/DraftEngine.h"
#include "core/limited/DraftRecord.h"
#include "core/limited/DraftReview.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace tovel;
using tovel::test::AddEdition;

namespace {

class CubeTest : public ::testing::Test {
protected:
    void SetUp() override { AddEdition(cards, "AB", 4, 10, 60); }

    int32_t At(const char* name) const { return cards.IndexOfName(name); }

    // A cube of `distinct` commons, `copies` of each, in list order.
    TCube Commons(int distinct, int copies) const {
        TCube cube{"Mine", {}};
        for (int i = 1; i <= distinct; ++i)
            cube.Cards.insert(cube.Cards.end(), static_cast<size_t>(copies),
                              At(("AB C" + std::to_string(i)).c_str()));
        return cube;
    }

    // How often each card occurs.
    static std::map<int32_t, int> Copies(const std::vector<int32_t>& positions) {
        std::map<int32_t, int> copies;
        for (int32_t position : positions)
            ++copies[position];
        return copies;
    }

    TCardsList cards;
};

TEST_F(CubeTest, AListIsOnePileOfCardsAndAnyBadLineRefusesIt) {
    const TCube cube =
        ParseCube("// my cube\r\n2 AB C1\r\n\r\n1 AB C2 (AB)\r\n# pauper\r\n1 [AB] AB U1\r\n3x AB R1\r\n",
                  "Mine", cards);
    EXPECT_EQ(cube.Name, "Mine");
    // The blank line starts no sideboard: every card is in the cube, each copy once.
    EXPECT_EQ(cube.Cards, (std::vector<int32_t>{At("AB C1"), At("AB C1"), At("AB C2"), At("AB U1"),
                                                At("AB R1"), At("AB R1"), At("AB R1")}));

    const struct {
        const char* list;
        std::vector<std::string> problems;
    } cases[] = {
        {"1 AB C1\n1 Nowhere\n", {"2: 1 Nowhere - card not found"}},
        {"1 AB C1\nSideboard\n1 AB C2\n", {"2: Sideboard - not understood"}},
        {"SB: 1 AB C1\n", {"1: SB: 1 AB C1 - not understood"}},
        {"one AB C1\n1 [ZZ] AB C1\n",
         {"1: one AB C1 - not understood", "2: 1 [ZZ] AB C1 - card not found in ZZ, only in AB"}},
    };
    for (const auto& c : cases) {
        try {
            ParseCube(c.list, "Mine", cards);
            ADD_FAILURE() << c.list;
        } catch (const CubeProblems& e) {
            std::vector<std::string> texts;
            for (const TListProblem& problem : e.Problems())
                texts.push_back(ProblemText(problem));
            EXPECT_EQ(texts, c.problems) << c.list;
            EXPECT_EQ(std::string(e.what()), "The cube \"Mine\" cannot be used:\n" + c.problems.front() +
                                                 (c.problems.size() > 1 ? "\n" + c.problems[1] : ""));
        }
    }
}

TEST_F(CubeTest, PacksAreDealtFromOneShuffleWithoutReplacement) {
    const TCube cube = Commons(50, 3); // 150 cards: 120 dealt for packs of 5
    std::array<TBoosterList, 3> packs;
    RandomSource random(7);
    DealCubeBoosters(cube, 5, packs, random);
    std::vector<int32_t> dealt;
    for (const TBoosterList& turn : packs) {
        ASSERT_EQ(turn.Count(), 8);
        for (int b = 0; b < 8; ++b) {
            EXPECT_EQ(turn.Items(b).Cards.Count(), 5);
            dealt.insert(dealt.end(), turn.Items(b).Cards.begin(), turn.Items(b).Cards.end());
        }
    }
    ASSERT_EQ(dealt.size(), 120u);
    for (const auto& [card, copies] : Copies(dealt))
        EXPECT_LE(copies, 3) << cards.Items(card).Name; // never more copies than the list holds
    // The deal is the shuffle in order; the same seed shuffles the same way, another differently.
    RandomSource same(7), other(8);
    const std::vector<int32_t> shuffled = ShuffledCube(cube, same);
    EXPECT_TRUE(std::equal(dealt.begin(), dealt.end(), shuffled.begin()));
    EXPECT_NE(ShuffledCube(cube, other), shuffled);
    EXPECT_EQ(Copies(shuffled), Copies(cube.Cards));

    // A sealed pool: six packs of 15 from the same kind of shuffle.
    TIntegerList pool;
    RandomSource sealed(7);
    DealCubePool(cube, 6, pool, sealed);
    EXPECT_EQ(pool.Raw(), std::vector<int32_t>(shuffled.begin(), shuffled.begin() + 90));
}

TEST_F(CubeTest, ACubeTooSmallIsRefusedWithWhatItHasAndNeeds) {
    std::array<TBoosterList, 3> packs;
    RandomSource random(1);
    try {
        DealCubeBoosters(Commons(119, 1), 5, packs, random);
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "The cube has 119 cards; a draft of 8 \u00D7 3 \u00D7 5 needs 120");
    }
    EXPECT_EQ(DraftCubeShortfall(Commons(60, 6), 15), "");
    EXPECT_EQ(DraftCubeShortfall(Commons(59, 6), 15),
              "The cube has 354 cards; a draft of 8 \u00D7 3 \u00D7 15 needs 360");
    TIntegerList pool;
    EXPECT_THROW(DealCubePool(Commons(44, 2), 6, pool, random), Error);
    EXPECT_EQ(SealedCubeShortfall(Commons(44, 2), 6),
              "The cube has 88 cards; a sealed pool of 6 \u00D7 15 needs 90");
    EXPECT_EQ(pool.Count(), 0);
}

// A cube draft's record names the cube and holds it, reads back the same, and runs the same
// draft again from the record alone; the table deals the packs from the cube and goes on as a
// booster draft does.
TEST_F(CubeTest, ACubeDraftsRecordRunsItAgainWithoutTheList) {
    test::ScriptedPrompter prompter;
    ScopedPrompter scoped(prompter);
    const auto makeEngine = [this] {
        auto engine = std::make_unique<TDraftEngine>(cards);
        engine->SetFixedSeed(99);
        engine->SetCardLoader([](TCardsList&, const std::string& filter) { EXPECT_EQ(filter, ""); });
        return engine;
    };
    const TCube cube = Commons(50, 3); // 150 cards: 144 dealt
    auto engine = makeEngine();
    engine->StartCubeDraft([&](const TCardsList&) { return cube; }, 6, kUntimedPick);
    ASSERT_EQ(engine->ShownBooster().Count(), 6);
    while (engine->State() != TDraftState::Finished) {
        engine->PressPick(-1);
        engine->MakePick(engine->ShownBooster().Items(engine->ShownBooster().Count() / 2));
    }
    for (int seat = 0; seat < 8; ++seat)
        EXPECT_EQ(engine->Seats().Items(seat).Picks.Count(), 18);

    const TDraftRecord& record = engine->Record();
    const std::string text = FormatDraftRecord(record);
    EXPECT_EQ(text.substr(0, text.find("\r\n\r\n")),
              "Tovel draft record 1\r\nPacks: cube Mine\r\nPick time: untimed\r\nSeed: 99\r\nDrafters: 2");
    EXPECT_NE(
        text.find(
            "\r\n\r\nCube:\r\n  [AB] - AB C1\r\n  [AB] - AB C1\r\n  [AB] - AB C1\r\n  [AB] - AB C2\r\n"),
        std::string::npos);
    const TDraftRecord read = ParseDraftRecord(text, "cube.draft");
    EXPECT_EQ(FormatDraftRecord(read), text);
    EXPECT_TRUE(IsCubeRecord(read));
    EXPECT_EQ(RecordPackSize(read), 6);
    EXPECT_EQ(RecordCube(read, cards).Cards, cube.Cards);

    auto again = makeEngine();
    again->SetFixedSeed(read.Seed);
    again->StartCubeDraft([&](const TCardsList& list) { return RecordCube(read, list); },
                          RecordPackSize(read), read.PickTime);
    for (int index : SeatSteps(read, 0)) {
        again->PressPick(-1);
        again->MakePick(again->ShownBooster().Items(read.Steps[static_cast<size_t>(index)].TakenAt));
    }
    EXPECT_EQ(FormatDraftRecord(again->Record()), text);

    TCardsList without;
    EXPECT_THROW(RecordCube(read, without), Error);
}

} // namespace
