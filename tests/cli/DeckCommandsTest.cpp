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

namespace {

// Two spells and two basic lands; "í" is Windows-1252 0xED in the data, UTF-8 in lists.
void WriteListWorld(const TempDir& dir) {
    dir.Write("Data/base.txt", "AB;Ember Whelp;C;6;;AB+;\r\n1R;Creature - Whelp;2/1;\r\n\r\n"
                               "AB;Zephul Rusk\xED Hound;U;8;;AB+;\r\n2(g / w)G;Creature - Hound;3/3;\r\n\r\n"
                               "BL;Forest;L;0;;BL+;\r\n;Basic Land;;\r\n\r\n"
                               "BL;Mountain;L;0;;BL+;\r\n;Basic Land;;\r\n\r\n");
}

} // namespace

TEST(CliDeckList, ImportStopsOnUnknownLinesUnlessToldToSkipThem) {
    TempDir dir;
    WriteListWorld(dir);
    const std::string list = dir.Write("list.txt", "3 Ember Whelp\nfour Forest\n2 Zephul Rusk\xC3\xAD Hound\n"
                                                   "1 Nowhere [AB]\n1 Ember Whelp (BL)\n\n7 Mountain\n");
    const std::string deck = dir / "deck.dec";
    auto result = RunCli({"--root", dir.Path(), "deck", "import", list, "--out", deck}, dir.Path());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "2: four Forest - not understood\n4: 1 Nowhere [AB] - card not found\n"
                          "5: 1 Ember Whelp (BL) - card not found in BL, only in AB\n");
    EXPECT_FALSE(std::filesystem::exists(deck)); // nothing written

    result =
        RunCli({"--root", dir.Path(), "deck", "import", list, "--out", deck, "--skip-unknown"}, dir.Path());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(TempDir::Read(deck),
              "    3 [AB] - Ember Whelp\r\n    2 [AB] - Zephul Rusk\xED Hound\r\nSB: 7 [BL] - Mountain\r\n");

    // Back to a list: to standard output, or into a file.
    const std::string expected =
        "3 Ember Whelp\r\n2 Zephul Rusk\xC3\xAD Hound\r\n\r\nSideboard\r\n7 Mountain\r\n";
    result = RunCli({"--root", dir.Path(), "deck", "export", deck}, dir.Path());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, expected);
    EXPECT_EQ(
        RunCli({"--root", dir.Path(), "deck", "export", deck, "--out", dir / "back.txt"}, dir.Path()).status,
        0);
    EXPECT_EQ(TempDir::Read(dir / "back.txt"), expected);
    EXPECT_EQ(RunCli({"--root", dir.Path(), "deck", "import", list}, dir.Path()).status, 2); // no --out
}

// A list that yields no card writes nothing; a UTF-16 list is refused once, not line by line;
// the list named as its own output is refused before it is touched.
TEST(CliDeckList, ImportRefusesEmptyAndUtf16ListsAndOverwritingTheList) {
    TempDir dir;
    WriteListWorld(dir);
    const std::string deck = dir / "deck.dec";
    const struct {
        const char* what;
        std::string list;
        std::vector<std::string> flags;
        std::string err;
    } cases[] = {
        {"empty",
         "",
         {},
         "tovel-cli: deck import: the list " + dir / "list.txt" + " holds no cards; nothing was written\n"},
        {"comments only",
         "// nothing\r\nDeck\r\n\r\n",
         {},
         "tovel-cli: deck import: the list " + dir / "list.txt" + " holds no cards; nothing was written\n"},
        {"nothing found",
         "2 Nowhere\n",
         {"--skip-unknown"},
         "1: 2 Nowhere - card not found\ntovel-cli: deck import: the list " + dir / "list.txt" +
             " holds no cards; nothing was written\n"},
        {"UTF-16",
         std::string("\xFF\xFE"
                     "3\0 \0E\0m\0b\0e\0r\0\r\0\n\0",
                     20),
         {},
         "tovel-cli: deck import: UTF-16 is not supported; save the file as UTF-8\n"},
    };
    for (const auto& c : cases) {
        const std::string list = dir.Write("list.txt", c.list);
        std::vector<std::string> words = {"--root", dir.Path(), "deck", "import", list, "--out", deck};
        words.insert(words.end(), c.flags.begin(), c.flags.end());
        const auto result = RunCli(words, dir.Path());
        EXPECT_EQ(result.status, 1) << c.what;
        EXPECT_EQ(result.err, c.err) << c.what;
        EXPECT_FALSE(std::filesystem::exists(deck)) << c.what;
    }
    const std::string list = dir.Write("list.txt", "3 Ember Whelp\n");
    for (const std::string& out : {list, dir / "./list.txt"}) {
        const auto same = RunCli({"--root", dir.Path(), "deck", "import", list, "--out", out}, dir.Path());
        EXPECT_EQ(same.status, 2);
        EXPECT_EQ(same.err.rfind("tovel-cli: deck import: LIST and --out name the same file", 0), 0u)
            << same.err;
    }
    EXPECT_EQ(TempDir::Read(list), "3 Ember Whelp\n");
}

TEST(CliDeckList, StatsShowCurveColoursAndLands) {
    TempDir dir;
    WriteListWorld(dir);
    const std::string deck =
        dir.Write("deck.dec", "    4 [AB] - Ember Whelp\r\n    2 [AB] - Zephul Rusk\xED Hound\r\n"
                              "    8 [BL] - Forest\r\nSB: 1 [AB] - Ember Whelp\r\n");
    const auto result = RunCli({"--root", dir.Path(), "deck", "stats", deck}, dir.Path());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Main deck: 14 cards: 8 lands, 6 non-land\n"
                          "Curve (cost: creatures + other spells):\n"
                          "  0:  0 + 0\n  1:  0 + 0\n  2:  4 + 0\n  3:  2 + 0\n  4:  0 + 0\n  5:  0 + 0\n"
                          "  6:  0 + 0\n  7+: 0 + 0\n"
                          "Average cost of non-land cards: 2.33\n"
                          "Types: Creature 6, Basic land 8\n"
                          "Colour symbols: B 0.0 G 3.0 R 4.0 U 0.0 W 1.0\n"
                          "Suggested lands: 34 (13 Forest, 17 Mountain, 4 Plains)\n");
}

namespace {

// Five spells, a two-colour land and the basic lands.
void WriteBuildWorld(const TempDir& dir) {
    dir.Write("Data/base.txt", "AB;Ember Whelp;C;6;;AB+;\r\n1R;Creature - Whelp;2/1;\r\n\r\n"
                               "AB;Fire Bolt;C;7;;AB+;\r\nR;Instant;;\r\n\r\n"
                               "AB;Tide Call;C;4;;AB+;\r\nU;Instant;;\r\n\r\n"
                               "AB;Grove Tender;U;7;;AB+;\r\n2G;Creature - Druid;3/3;\r\n\r\n"
                               "AB;Kith Runner;C;5;;AB+;\r\n(r / g);Creature - Kith;1/1;\r\n\r\n"
                               "AB;Twin Gate;U;3;;AB+;\r\n;Land - Mountain Forest;;\r\n\r\n"
                               "BL;Swamp;L;0;;BL+;\r\n;Basic Land - Swamp;;\r\n\r\n"
                               "BL;Forest;L;0;;BL+;\r\n;Basic Land - Forest;;\r\n\r\n"
                               "BL;Mountain;L;0;;BL+;\r\n;Basic Land - Mountain;;\r\n\r\n"
                               "BL;Island;L;0;;BL+;\r\n;Basic Land - Island;;\r\n\r\n"
                               "BL;Plains;L;0;;BL+;\r\n;Basic Land - Plains;;\r\n\r\n");
}

} // namespace

// The best set of a small pool (red and green: 51, against 45 for blue and red), its lands by
// symbols, the rest (the two-colour land, the blue spells) in the sideboard, the pool's basic
// lands dropped; a forced colour; what is refused.
TEST(CliDeckBuild, BuildsTheBestDeckOfAPool) {
    TempDir dir;
    WriteBuildWorld(dir);
    const std::string pool = dir.Write("pool.dec", "    3 [AB] - Ember Whelp\r\n    2 [AB] - Fire Bolt\r\n"
                                                   "    2 [AB] - Grove Tender\r\n    1 [AB] - Kith Runner\r\n"
                                                   "    1 [AB] - Twin Gate\r\n    5 [BL] - Forest\r\n"
                                                   "SB: 2 [AB] - Tide Call\r\n");
    const std::string deck = dir / "deck.dec";
    auto result = RunCli({"--root", dir.Path(), "deck", "build", pool, "--out", deck}, dir.Path());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Colours: RG, 8 spells, 17 lands (12 Mountain, 5 Forest), score 51\n"
                          "Also: UR 45, R 37, WR 37\n"
                          "Short of 40 by 15 cards: only 8 spells in RG\n");
    EXPECT_EQ(TempDir::Read(deck), "    3 [AB] - Ember Whelp\r\n    2 [AB] - Fire Bolt\r\n"
                                   "    2 [AB] - Grove Tender\r\n    1 [AB] - Kith Runner\r\n"
                                   "    5 [BL] - Forest\r\n    12 [BL] - Mountain\r\n"
                                   "SB: 1 [AB] - Twin Gate\r\nSB: 2 [AB] - Tide Call\r\n");

    result =
        RunCli({"--root", dir.Path(), "deck", "build", pool, "--colours", "r", "--out", deck}, dir.Path());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Colours: R, 6 spells, 17 lands (17 Mountain), score 37\n"
                          "Also: RG 51, UR 45, WR 37\n"
                          "Short of 40 by 17 cards: only 6 spells in R\n");

    // Usage errors: no --out, colours that are no set, no pool; nothing is read or written.
    const std::string other = dir / "other.dec";
    for (const std::vector<std::string>& words : {std::vector<std::string>{"deck", "build", pool},
                                                  {"deck", "build", pool, "--out", other, "--colours", "WUB"},
                                                  {"deck", "build", pool, "--out", other, "--colours", "gg"},
                                                  {"deck", "build", pool, "--out", other, "--colours", "x"},
                                                  {"deck", "build", "--out", other}}) {
        std::vector<std::string> args = {"--root", dir.Path()};
        args.insert(args.end(), words.begin(), words.end());
        EXPECT_EQ(RunCli(args, dir.Path()).status, 2) << words.back();
    }
    // An unreadable pool: missing, or a line that is not a deck line.
    const std::string bad = dir.Write("bad.dec", "    2 [AB] - Fire Bolt\r\n    two [AB] - Tide Call\r\n");
    for (const std::string& file : {dir / "missing.dec", bad}) {
        result = RunCli({"--root", dir.Path(), "deck", "build", file, "--out", other}, dir.Path());
        EXPECT_EQ(result.status, 1) << file;
        EXPECT_FALSE(result.err.empty());
        EXPECT_TRUE(result.out.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(other));
}

// The exact odds against an independent count of every hand, on the play and on the draw; a
// main deck without cards is refused.
TEST(CliDeckOdds, PrintsTheOddsOfTheMainDeck) {
    TempDir dir;
    WriteBuildWorld(dir);
    const std::string deck = dir.Write(
        "deck.dec", "    3 [AB] - Ember Whelp\r\n    1 [AB] - Kith Runner\r\n    2 [AB] - Grove Tender\r\n"
                    "    1 [AB] - Tide Call\r\n    3 [AB] - Fire Bolt\r\n    1 [AB] - Twin Gate\r\n"
                    "    3 [BL] - Mountain\r\n    2 [BL] - Forest\r\nSB: 4 [AB] - Tide Call\r\n");
    auto result = RunCli({"--root", dir.Path(), "deck", "odds", deck}, dir.Path());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              "16 cards, 6 lands, on the play\n"
              "Opening seven: 0 lands 1.0%, 1 land 11.0%, 2 lands 33.0%, 3 lands 36.7%, 4 lands 15.7%, "
              "5 lands 2.4%, 6 lands 0.1%, 7 lands 0.0%\n"
              "Keepable (2 to 5 lands): 87.8%\n"
              "Land drops: turn 1 99.0%, turn 2 94.1%, turn 3 81.8%, turn 4 60.8%, turn 5 34.6%, "
              "turn 6 11.5%\n"
              "On curve (turn, chance, given the land drops, card):\n"
              "  1 99.0% 100.0% [AB] - Kith Runner\n"
              "  1 0.0% 0.0% [AB] - Tide Call\n"
              "  1 93.1% 94.1% [AB] - Fire Bolt\n"
              "  2 92.4% 98.3% [AB] - Ember Whelp\n"
              "  3 80.0% 97.8% [AB] - Grove Tender\n");
    result = RunCli({"--root", dir.Path(), "deck", "odds", deck, "--draw"}, dir.Path());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out.substr(0, result.out.find('\n')), "16 cards, 6 lands, on the draw");
    EXPECT_NE(result.out.find("Land drops: turn 1 99.7%, turn 2 97.6%, turn 3 90.8%, turn 4 75.8%, "
                              "turn 5 51.1%, turn 6 21.4%\n"),
              std::string::npos);
    EXPECT_NE(result.out.find("  1 96.2% 96.5% [AB] - Fire Bolt\n  2 96.5% 98.9% [AB] - Ember Whelp\n"
                              "  3 89.3% 98.3% [AB] - Grove Tender\n"),
              std::string::npos);

    const std::string sideboardOnly = dir.Write("side.dec", "SB: 2 [AB] - Fire Bolt\r\n");
    result = RunCli({"--root", dir.Path(), "deck", "odds", sideboardOnly}, dir.Path());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "tovel-cli: deck odds: the main deck of " + sideboardOnly + " holds no cards\n");
    EXPECT_TRUE(result.out.empty());
    EXPECT_EQ(RunCli({"--root", dir.Path(), "deck", "odds"}, dir.Path()).status, 2);
    EXPECT_EQ(RunCli({"--root", dir.Path(), "deck", "odds", deck, "--play"}, dir.Path()).status, 2);
}
