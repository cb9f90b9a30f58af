// A whole draft and a sealed pool on the bundled sample world, loaded from its files.

#include "core/carddb/Editions.h"
#include "core/infra/ProgramDir.h"
#include "core/limited/DraftEngine.h"
#include "core/limited/Sealed.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using namespace tovel;

namespace {

class SampleWorldTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramDir(std::filesystem::path(TOVEL_DATA_SOURCE).parent_path().string() + "/");
        TDraftEngine::LoadTableData();
    }
    void TearDown() override { SetProgramDir(""); }

    // "VR R", "TX U", ... for every card of a pack; fails on a repeated or draft-banned card.
    std::vector<std::string> Describe(const TIntegerList& pack) {
        std::vector<std::string> shape;
        std::set<int32_t> seen;
        for (int32_t index : pack) {
            const TCardItem& card = cards.Items(index);
            EXPECT_TRUE(seen.insert(index).second) << "twice in a pack: " << card.Name;
            EXPECT_TRUE(IsDraftable(card)) << "banned in draft: " << card.Name;
            shape.push_back(std::string(card.Edition) + " " + RarityLetter(card));
        }
        return shape;
    }

    static std::vector<std::string> Expected(std::initializer_list<std::pair<const char*, int>> runs) {
        std::vector<std::string> shape;
        for (const auto& [what, count] : runs)
            shape.insert(shape.end(), static_cast<size_t>(count), what);
        return shape;
    }

    TCardsList cards;
    test::ScriptedPrompter prompter;
    ScopedPrompter scoped{prompter};
};

TEST_F(SampleWorldTest, AWholeDraftWithACompositePackTurn) {
    const auto single = Expected({{"VR R", 1}, {"VR U", 3}, {"VR C", 11}});
    const auto composite = Expected({{"TX R", 1}, {"TX U", 3}, {"TX C", 5}, {"9E U", 1}, {"9E C", 5}});
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        TDraftEngine engine(cards);
        engine.SetFixedSeed(seed);
        ASSERT_TRUE(engine.StartDraft("VR;HK;Tidebreak Expedition;", 40));
        for (int b = 0; b < 8; ++b) {
            EXPECT_EQ(Describe(engine.Packs(1).Items(b).Cards), single);
            EXPECT_EQ(Describe(engine.Packs(2).Items(b).Cards).size(), 15u);
            EXPECT_EQ(Describe(engine.Packs(3).Items(b).Cards), composite);
        }

        const int expectedAfterFirstPick[] = {8, 2, 8};
        for (int turn = 1; turn <= 3; ++turn) {
            EXPECT_EQ(engine.UserBooster(), 1) << "pack turn " << turn;
            engine.AutoPick();
            EXPECT_EQ(engine.UserBooster(), expectedAfterFirstPick[turn - 1]) << "pack turn " << turn;
            while (engine.State() == TDraftState::Picking)
                engine.AutoPick();
            engine.NextPackTurn();
        }
        ASSERT_EQ(engine.State(), TDraftState::Finished);
        for (int seat = 0; seat < 8; ++seat)
            EXPECT_EQ(engine.Seats().Items(seat).Picks.Count(), 45) << "seed " << seed << ", seat " << seat;
    }
    // Only the editions in play were loaded.
    std::set<std::string> editions;
    for (int i = 0; i < cards.Count(); ++i)
        editions.emplace(cards.Items(i).Edition);
    EXPECT_EQ(editions, (std::set<std::string>{"9E", "HK", "TX", "VR"}));
}

TEST_F(SampleWorldTest, ACompositeStarterDrawsBothSpecialCompositions) {
    RandomSource random(5);
    TIntegerList pool;
    ASSERT_TRUE(GenerateSealedPool("STidebreak Expedition;BHK;", cards, pool, random, DefaultCardLoader()));
    TIntegerList starter, booster;
    for (int i = 0; i < pool.Count(); ++i)
        (i < 40 ? starter : booster).Add(pool.Items(i));
    EXPECT_EQ(Describe(starter),
              Expected({{"TX R", 2}, {"TX U", 6}, {"TX C", 16}, {"9E R", 1}, {"9E U", 3}, {"9E C", 12}}));
    EXPECT_EQ(Describe(booster), Expected({{"HK R", 1}, {"HK U", 3}, {"HK C", 11}}));
}

} // namespace
