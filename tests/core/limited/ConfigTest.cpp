#include "LimitedWorld.h"

#include "core/limited/DraftConfig.h"
#include "core/limited/SealedConfig.h"
#include "core/settings/Settings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tovel;
using tovel::test::SetEditions;
using tovel::test::TempDir;

namespace {

TTextList Choices() {
    TTextList editions;
    SetEditions(editions, {"AAA", "BBB", "CCC", "DDD"});
    TTextList choices;
    BuildPackChoices(choices, editions, IniDocument("[Complex]\nX=BBB+CCC\n"));
    return choices; // AAA, X (shown as Edition BBB), DDD
}

TEST(DraftConfig, StoredNamesSelectTheirEntriesAnythingElseTheFirst) {
    const struct {
        const char* stored;
        int pickTime;
        std::array<int, 3> selected;
        int shownPickTime;
    } cases[] = {
        {"", 40, {0, 0, 0}, 40},
        {"DDD;X;AAA;", 25, {2, 1, 0}, 30},   // the nearest time offered
        {"DDD;X;", 40, {0, 0, 0}, 40},       // not three names
        {"DDD;BBB;ddd;", 40, {2, 0, 0}, 40}, // BBB is hidden behind X; case counts
        {";;X;;X;;DDD", 90, {1, 1, 2}, 90},  // runs of ";"
        {"AAA;AAA;AAA;", 3, {0, 0, 0}, 30},
        {"AAA;AAA;AAA;", 50, {0, 0, 0}, 40}, // of two as near, the shorter
        {"AAA;AAA;AAA;", 600, {0, 0, 0}, 90},
        {"AAA;AAA;AAA;", 0, {0, 0, 0}, kUntimedPick},
        {"AAA;AAA;AAA;", -7, {0, 0, 0}, 40},
    };
    for (const auto& c : cases) {
        TDraftConfig config;
        config.Init(Choices(), c.stored, c.pickTime);
        EXPECT_EQ(config.Selected, c.selected) << c.stored;
        EXPECT_EQ(config.PickTime, c.shownPickTime) << c.stored;
    }
}

TEST(DraftConfig, ConfirmingStoresTheThreeNamesAndThePickTime) {
    TempDir dir;
    SettingsStore settings(dir / "tovel.ini", dir.Path());
    TDraftConfig config;
    config.Init(Choices(), settings.DraftConfig(), settings.DraftPickTime());
    EXPECT_EQ(config.DisplayNames(), (std::vector<std::string>{"Edition AAA", "Edition BBB", "Edition DDD"}));
    EXPECT_EQ(config.PickTime, 40);
    config.Selected = {1, 2, 1};
    config.PickTime = 30;
    ASSERT_TRUE(config.Store(settings));
    EXPECT_EQ(settings.DraftConfig(), "X;DDD;X;");
    EXPECT_EQ(settings.DraftPickTime(), 30);
    EXPECT_FALSE(settings.DraftShowChoice()); // the drafters' choice is not shown unless asked for
    // Nothing chosen for the drafters stores "by value"; a strategy not offered reads as it.
    EXPECT_NE(TempDir::Read(dir / "tovel.ini").find("BotStrategy=2\r\n"), std::string::npos);
    for (const char* stored : {"3", "0", "x"}) {
        dir.Write("other.ini", std::string("[Draft]\r\nBotStrategy=") + stored + "\r\n");
        EXPECT_EQ(SettingsStore(dir / "other.ini", dir.Path()).DraftBotStrategy(), stored[0] == '3' ? 3 : 2);
    }

    // Reopening shows the stored choice.
    TDraftConfig again;
    again.Init(Choices(), settings.DraftConfig(), settings.DraftPickTime());
    EXPECT_EQ(again.Selected, (std::array<int, 3>{1, 2, 1}));

    // Nothing to choose from: nothing is stored and no draft is to start.
    TDraftConfig empty;
    empty.Init(TTextList(), "X;DDD;X;", 40);
    EXPECT_EQ(empty.ConfigText(), "");
    EXPECT_FALSE(empty.Store(settings));
    EXPECT_EQ(settings.DraftConfig(), "X;DDD;X;");
}

// A cube is stored with its cards per pack (kept from 5 to 20) and only when there is one; without
// packs to choose from a cube still makes a draft.
TEST(DraftConfig, ACubeIsStoredWithItsPackSizeOnlyWhenThereIsOne) {
    TempDir dir;
    SettingsStore settings(dir / "tovel.ini", dir.Path());
    TDraftConfig config;
    config.Init(TTextList(), "", 40);
    config.Cube.Init({}, "Mine", true, 15, kCubePackSizeMin, kCubePackSizeMax);
    EXPECT_FALSE(config.Cube.UseCube);
    EXPECT_FALSE(config.CanStore());
    config.Cube.Init({"Big", "Mine"}, "Mine", true, 40, kCubePackSizeMin, kCubePackSizeMax);
    EXPECT_EQ(config.Cube.Selected, 1);
    EXPECT_EQ(config.Cube.Count, 20);
    config.ConfirmPicks = true;
    config.ShowChoice = true;
    ASSERT_TRUE(config.Store(settings));
    EXPECT_TRUE(settings.DraftUseCube());
    EXPECT_EQ(settings.DraftCube(), "Mine");
    EXPECT_EQ(settings.DraftPackSize(), 20);
    EXPECT_TRUE(settings.DraftConfirmPicks());
    EXPECT_TRUE(settings.DraftShowChoice());
    EXPECT_EQ(settings.DraftConfig(), ""); // no packs to choose: none stored
    config.Cube.Init({"Big"}, "Gone", false, 3, kCubePackSizeMin, kCubePackSizeMax);
    EXPECT_EQ(config.Cube.Chosen(), "Big");
    EXPECT_EQ(config.Cube.Count, 5);
}

TEST(SealedConfig, OpeningDropsItemsItCannotShow) {
    const struct {
        const char* stored;
        const char* kept;
        std::vector<std::string> lines;
    } cases[] = {
        {"", "", {}},
        {"SAAA;BX;BX;",
         "SAAA;BX;BX;",
         {"Edition AAA (STARTER)", "Edition BBB (BOOSTER)", "Edition BBB (BOOSTER)"}},
        {"SAAA;BZZZ;BAAA;", "SAAA;BAAA;", {"Edition AAA (STARTER)", "Edition AAA (BOOSTER)"}},
        {"XAAA;BBB;SDDD;", "SDDD;", {"Edition DDD (STARTER)"}}, // BBB is hidden behind X
        {"SAAA;BZZZ", "SAAA;", {"Edition AAA (STARTER)"}},      // a last item without ";"
        {"BZZZ;BZZZ;BZZZ;", "", {}},
        // The item removed is the bad one itself, not an equal text inside a good item.
        {"SDDD;BAAA;DDD;", "SDDD;BAAA;", {"Edition DDD (STARTER)", "Edition AAA (BOOSTER)"}},
        {"SAAA;;BX;;", "SAAA;;BX;;", {"Edition AAA (STARTER)", "Edition BBB (BOOSTER)"}},
    };
    for (const auto& c : cases) {
        TSealedConfig config;
        config.Init(Choices(), c.stored);
        EXPECT_EQ(config.ConfigText, c.kept) << c.stored;
        EXPECT_EQ(config.ListLines, c.lines) << c.stored;
    }
}

TEST(SealedConfig, AddingAfterALastItemWithoutSemicolonKeepsTheItemsApart) {
    TSealedConfig config;
    config.Init(Choices(), "SAAA;BAAA");
    config.AddBooster(1);
    EXPECT_EQ(config.ConfigText, "SAAA;BAAA;BX;");
}

TEST(SealedConfig, AddingAndClearingEditTheTextAndTheList) {
    TempDir dir;
    SettingsStore settings(dir / "tovel.ini", dir.Path());
    TSealedConfig config;
    config.Init(Choices(), "SAAA;");
    for (int i = 0; i < 3; ++i)
        config.AddBooster(1);
    config.AddStarter(2);
    config.AddStarter(7); // no such entry: nothing
    EXPECT_EQ(config.ConfigText, "SAAA;BX;BX;BX;SDDD;");
    EXPECT_EQ(config.ListLines.size(), 5u);
    EXPECT_EQ(config.ListLines.back(), "Edition DDD (STARTER)");
    config.Store(settings);
    EXPECT_EQ(settings.SealedConfig(), "SAAA;BX;BX;BX;SDDD;");
    config.Clear();
    config.Store(settings);
    EXPECT_EQ(settings.SealedConfig(), "");
    EXPECT_TRUE(config.ListLines.empty());
}

} // namespace
