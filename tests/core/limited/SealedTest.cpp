#include "LimitedWorld.h"

#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/ProgramDir.h"
#include "core/limited/Sealed.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using namespace tovel;
using tovel::test::AddEdition;
using tovel::test::SetEditions;
using tovel::test::TempDir;

namespace {

class SealedTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramDir(dir.Path());
        dir.Write("Data/boosters.ini", "[Complex]\nX=AAA+BBB\n[SpecialStarters]\nAAA=2R4U\nBBB=1R9C\n");
        SetEditions(EditionList(), {"AAA", "BBB"});
        loader = [this](TCardsList& list, const std::string& filter) {
            filters.push_back(filter);
            list.Clear();
            AddEdition(list, "AAA", 8, 20, 60);
            AddEdition(list, "BBB", 8, 20, 60);
        };
    }
    void TearDown() override { SetProgramDir(""); }

    std::string Shape(int from, int to) const {
        std::string shape;
        for (int i = from; i < to; ++i)
            shape += RarityLetter(cards.Items(pool.Items(i)));
        return shape;
    }

    TempDir dir;
    TCardsList cards;
    TIntegerList pool;
    RandomSource random{99};
    TCardLoader loader;
    std::vector<std::string> filters;
};

TEST_F(SealedTest, EveryItemAddsOnePackInOrder) {
    ASSERT_TRUE(GenerateSealedPool("SAAA;BBBB;BBBB;BBBB;SX;", cards, pool, random, loader));
    EXPECT_EQ(filters, (std::vector<std::string>{""})); // the whole database
    ASSERT_EQ(pool.Count(), 45 + 3 * 15 + 6 + 10);
    EXPECT_EQ(Shape(0, 45), "RRR" + std::string(10, 'U') + std::string(32, 'C'));
    for (int b = 0; b < 3; ++b) {
        EXPECT_EQ(Shape(45 + 15 * b, 60 + 15 * b), "RUUU" + std::string(11, 'C'));
        std::set<int32_t> distinct(pool.begin() + 45 + 15 * b, pool.begin() + 60 + 15 * b);
        EXPECT_EQ(distinct.size(), 15u);
        EXPECT_EQ(cards.Items(pool.Items(45 + 15 * b)).Edition, "BBB");
    }
    // The composite starter: exactly the two special compositions.
    EXPECT_EQ(Shape(90, 106), "RRUUUU"
                              "R" +
                                  std::string(9, 'C'));
    EXPECT_EQ(cards.Items(pool.Items(95)).Edition, "AAA");
    EXPECT_EQ(cards.Items(pool.Items(96)).Edition, "BBB");
}

TEST_F(SealedTest, NothingIsLoadedForAnEmptyOrUnresolvableConfiguration) {
    pool.Add(1);
    EXPECT_FALSE(GenerateSealedPool("", cards, pool, random, loader));
    EXPECT_EQ(pool.Count(), 0);
    for (const char* config : {"SAAA;BZZZ;", "S;", "Baaa;"}) {
        try {
            GenerateSealedPool(config, cards, pool, random, loader);
            ADD_FAILURE() << config;
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), "Incorrect booster config") << config;
        }
    }
    EXPECT_TRUE(filters.empty());
}

TEST_F(SealedTest, AnUnreadableBoostersFileIsNamedInTheError) {
    std::filesystem::remove(dir / "Data/boosters.ini");
    EnsureDirectory(dir / "Data/boosters.ini");
    try {
        GenerateSealedPool("SAAA;BX;", cards, pool, random, loader);
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Incorrect booster config (" + dir / "Data/boosters.ini" + " is not a regular file)");
    }
}

// A configuration that names no pack, a type other than S and B, or more than a hundred packs
// (2,000,000 once dealt 30 million cards) is refused before anything is loaded.
TEST_F(SealedTest, NoPacksUnknownTypesAndTooManyPacksAreRefused) {
    std::string hundred, tooMany;
    for (int i = 0; i < 50; ++i)
        hundred += "BAAA;SX;";
    for (int i = 0; i < 100'000; ++i)
        tooMany += "BAAA;BX;";
    const struct {
        std::string config;
        std::string problem;
    } cases[] = {
        {";;;;", "The sealed configuration names no packs"},
        {"SAAA;XAAA;", "Unknown pack type \"X\" in \"XAAA\" (S is a starter, B a booster)"},
        {"baaa;", "Unknown pack type \"b\" in \"baaa\" (S is a starter, B a booster)"},
        {hundred + "BAAA;", "The sealed configuration names 101 packs; at most 100 can be opened"},
        {tooMany, "The sealed configuration names 200000 packs; at most 100 can be opened"},
        {hundred, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SealedConfigProblem(c.config), c.problem) << c.config.substr(0, 20);
        if (c.problem.empty())
            continue;
        try {
            GenerateSealedPool(c.config, cards, pool, random, loader);
            ADD_FAILURE() << c.config.substr(0, 20);
        } catch (const Error& e) {
            EXPECT_EQ(e.what(), c.problem);
        }
    }
    EXPECT_TRUE(filters.empty());
    ASSERT_TRUE(GenerateSealedPool(hundred, cards, pool, random, loader));
    EXPECT_EQ(pool.Count(), 50 * (15 + 6 + 10)); // a booster, and a starter of two special compositions
}

TEST_F(SealedTest, ThePoolIsWrittenOneLinePerCardWithItsCopies) {
    ASSERT_TRUE(GenerateSealedPool("BAAA;BAAA;BAAA;BAAA;BAAA;BAAA;", cards, pool, random, loader));
    const std::string path = dir / "pool.dec";
    WritePool(cards, pool, path);
    const std::string text = TempDir::Read(path);
    // Count the copies of every card and compare with the file's lines, in first-occurrence order.
    std::vector<std::pair<int32_t, int>> expected;
    for (int32_t index : pool) {
        auto it =
            std::find_if(expected.begin(), expected.end(), [&](const auto& e) { return e.first == index; });
        if (it == expected.end())
            expected.emplace_back(index, 1);
        else
            ++it->second;
    }
    std::string wanted;
    for (const auto& [index, count] : expected)
        wanted +=
            "    " + std::to_string(count) + " [AAA] - " + std::string(cards.Items(index).Name) + "\r\n";
    EXPECT_EQ(text, wanted);
    EXPECT_LT(expected.size(), 90u); // six boosters of one edition share cards
}

} // namespace
