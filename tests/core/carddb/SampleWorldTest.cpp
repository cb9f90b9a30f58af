#include "core/carddb/CardDatabase.h"
#include "core/carddb/DBCreate.h"
#include "core/collection/Inventory.h"
#include "core/decks/DeckFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using namespace tovel;
using tovel::test::TempDir;

namespace {
const std::string kData = TOVEL_DATA_SOURCE "/";
}

// The bundled sources must build exactly the bundled database.
TEST(SampleWorld, SourcesBuildTheBundledDatabase) {
    TempDir dir;
    for (const char* name : {"editions.txt", "cards.txt", "gatherer.txt"})
        dir.Write(std::string("Data/") + name, TempDir::Read(kData + name));
    TCardsList cards;
    TTextList editions;
    BuildCardDatabase(cards, editions, DefaultBuildFiles(dir.Path()));
    const std::string bundled = TempDir::Read(kData + "base.txt");
    ASSERT_FALSE(bundled.empty());
    EXPECT_TRUE(TempDir::Read(dir / "Data/base.txt") == bundled);
}

TEST(SampleWorld, LoadsCleanWithEveryEditionKnownAndTheBasicLands) {
    const std::string bundled = TempDir::Read(kData + "base.txt");
    const TCheckReport report = CheckCardDatabase(bundled);
    EXPECT_TRUE(report.Problems.empty());
    TCardsList cards;
    LoadCardDatabase(cards, kData + "base.txt", "");
    EXPECT_EQ(report.Cards, cards.Count());
    TTextList editions;
    LoadEditionList(editions, kData + "editions.txt");
    std::map<std::string, int> commons;
    for (int i = 0; i < cards.Count(); ++i) {
        const TCardItem& card = cards.Items(i);
        EXPECT_GE(editions.IndexOfName(card.Edition), 0) << card.Name;
        commons[std::string(card.Edition)] += card.Rarity == TRarity::C;
    }
    int draftable = 0;
    for (const auto& [code, count] : commons)
        draftable += count >= 90;
    EXPECT_GE(draftable, 4);
    for (std::string_view land : BasicLandNames) {
        const int at = cards.IndexOf(land, "9E");
        ASSERT_GE(at, 0) << land;
        EXPECT_EQ(cards.Items(at).Rarity, TRarity::L);
    }
}

// The sample decks and collection name only cards of the sample database, so a change to the
// database that drops one of their cards shows here.
TEST(SampleWorld, SampleDecksAndCollectionHoldOnlyKnownCards) {
    TCardsList cards;
    LoadCardDatabase(cards, kData + "base.txt", "");
    const std::filesystem::path world = std::filesystem::path(kData).parent_path().parent_path();
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(world / "Decks"))
        files.push_back(entry.path().string());
    ASSERT_GE(files.size(), 2u);
    files.push_back((world / "Inventory/inventory.inv").string());
    for (const std::string& file : files) {
        TInventoryList lines;
        if (file.ends_with(".dec"))
            ASSERT_TRUE(ReadDeckIntoInventory(lines, cards, file, false)) << file;
        else
            LoadInventory(lines, cards, file, false);
        EXPECT_GT(lines.Count(), 20) << file;
        for (int i = 0; i < lines.Count(); ++i)
            EXPECT_TRUE(lines.Items(i).Card) << file << ": " << lines.Items(i).Name;
    }
}
