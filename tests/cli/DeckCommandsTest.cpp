#include "CliRunner.h"
#include "core/decks/DeckFile.h"
#include "support/HandMadeCards.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tovel;
using test::RunCli;
using test::TempDir;

TEST(DeckConvert, ConvertsEachFileIntoADeckTheDesignerReads) {
    TempDir dir;
    const std::string first = dir.Write("one.txt", "// made by hand\r\n"
                                                   "    2 [AB] - Ember Whelp\r\n"
                                                   "\r\n"
                                                   "    3 [BL] - Forest\r\n"
                                                   "// Sideboard\r\n"
                                                   "    1 [AB] - Tide Call\r\n"
                                                   "    2 [BL] - Island\r\n");
    const std::string second = dir.Write("two.dec", "1 [CD] - Stone Idol\nSB:   1 [AB] - Grove Tender\n");
    const auto result = RunCli({"deck", "convert", first, second}, dir.Path());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, first + " -> " + first + ".dec\n" + second + " -> " + second + ".dec\n");
    EXPECT_EQ(TempDir::Read(second + ".dec"), "1 [CD] - Stone Idol\r\nSB: 1 [AB] - Grove Tender\r\n");

    // The result is a deck file: comments skipped, sideboard lines in the sideboard.
    TCardsList cards;
    test::FillTestWorld(cards);
    test::ScriptedPrompter prompter;
    ScopedPrompter scoped(prompter);
    TDeckZones zones;
    EXPECT_TRUE(ReadDeckIntoZones(zones, cards, first + ".dec", false, false));
    EXPECT_EQ(zones.Main.Entries.Raw(), (std::vector<int32_t>{6, 6, 1}));
    EXPECT_EQ(zones.Main.Lands[1], 3);
    EXPECT_EQ(zones.Sideboard.Entries.Raw(), (std::vector<int32_t>{8, 3}));
    EXPECT_EQ(zones.Sideboard.Lands[3], 2);
    EXPECT_TRUE(prompter.asked.empty());
}

TEST(DeckConvert, ReportsUnreadableFilesAndConvertsTheRest) {
    TempDir dir;
    const std::string good = dir.Write("good.txt", "1 [AB] - X\nSideboard\n1 [AB] - Y\n");
    const auto result = RunCli({"deck", "convert", dir / "missing.txt", good}, dir.Path());
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("missing.txt"), std::string::npos) << result.err;
    EXPECT_EQ(result.out, good + " -> " + good + ".dec\n"); // nothing of the failed file
    EXPECT_EQ(TempDir::Read(good + ".dec"), "1 [AB] - X\r\nSB: 1 [AB] - Y\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.txt.dec"));

    EXPECT_EQ(RunCli({"deck", "convert"}, dir.Path()).status, 2);
    EXPECT_EQ(RunCli({"deck", "shuffle", good}, dir.Path()).status, 2);
    EXPECT_NE(RunCli({"--help"}, dir.Path()).out.find("deck convert FILE..."), std::string::npos);
}
