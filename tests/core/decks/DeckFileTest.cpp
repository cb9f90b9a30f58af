#include "core/decks/DeckFile.h"

#include "core/infra/Error.h"
#include "core/infra/ProgramDir.h"
#include "support/HandMadeCards.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <limits>

using namespace tovel;
using test::ScriptedPrompter;
using test::TempDir;

namespace {

struct DeckFileTest : ::testing::Test {
    DeckFileTest() { test::FillTestWorld(cards); }

    TIntegerList Positions(std::initializer_list<int32_t> values) {
        TIntegerList list;
        for (int32_t v : values)
            list.Add(v);
        return list;
    }

    TCardsList cards;
    TempDir dir;
    ScriptedPrompter prompter;
    ScopedPrompter scoped{prompter};
};

} // namespace

TEST_F(DeckFileTest, KeysAndGroupingFollowFirstOccurrenceIgnoringAsciiCase) {
    EXPECT_EQ(CardKey("9E", "Forest"), "[9E] - Forest");
    TDeckLineGrouper grouper;
    grouper.Add("AB", "Tide Call", 1);
    grouper.Add("AB", "Ember Whelp", 2);
    grouper.Add("ab", "TIDE CALL", 3); // the same key for the card lookup, so the same line
    grouper.Add("AB", "\xC9lan", 1);
    grouper.Add("AB", "\xE9lan", 1); // accented letters are different cards to the lookup
    EXPECT_EQ(grouper.Format(false), "    4 [AB] - Tide Call\r\n"
                                     "    2 [AB] - Ember Whelp\r\n"
                                     "    1 [AB] - \xC9lan\r\n"
                                     "    1 [AB] - \xE9lan\r\n");
    EXPECT_EQ(grouper.Format(true).substr(0, 22), "SB: 4 [AB] - Tide Call");
}

TEST_F(DeckFileTest, AnExportOfHugeCountsStaysReadable) {
    // Two inventory lines differing in letter case share one deck line; their sum is held at
    // the largest count a deck line can carry.
    TInventoryList inventory;
    for (const char* name : {"Tide Call", "tide call"}) {
        TInventoryItem& line = inventory.Add();
        line.Name = name;
        line.Edition = "AB";
        line.Count = std::numeric_limits<int32_t>::max();
    }
    const std::string exported = FormatInventoryDeck(inventory);
    EXPECT_EQ(exported, "    2147483647 [AB] - Tide Call\r\n");
    TInventoryList reread;
    EXPECT_TRUE(ReadDeckIntoInventory(reread, cards, dir.Write("export.dec", exported), false));
    ASSERT_EQ(reread.Count(), 1);
    EXPECT_EQ(reread.Items(0).Count, std::numeric_limits<int32_t>::max());
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(DeckFileTest, WritersProduceTheirLines) {
    // Designer: display order, land counters for basic lands, sideboard lines after main lines.
    std::array<int32_t, 5> mainLands{0, 8, 0, 0, 0};
    std::array<int32_t, 5> sideLands{0, 0, 0, 0, 2};
    EXPECT_EQ(FormatDesignerDeck(cards, Positions({1, 6, 7, 6, 11}), mainLands, Positions({4, 8}), sideLands),
              "    8 [BL] - Forest\r\n"
              "    2 [AB] - Ember Whelp\r\n"
              "    1 [AB] - Grove Tender\r\n"
              "    1 [CD] - Glimmer Flats\r\n"
              "SB: 2 [BL] - Plains\r\n"
              "SB: 1 [AB] - Tide Call\r\n");
    // Picks and pools: order of first occurrence, main-deck lines only.
    EXPECT_EQ(FormatMainDeck(cards, Positions({8, 6, 8, 1, 8})),
              "    3 [AB] - Tide Call\r\n    1 [AB] - Ember Whelp\r\n    1 [BL] - Forest\r\n");
    EXPECT_EQ(FormatMainDeck(cards, Positions({})), "");
    // Inventory export: every line, count 0 included, foils not separate.
    TInventoryList inventory;
    TInventoryItem& a = inventory.Add();
    a.Name = "Tide Call";
    a.Edition = "AB";
    a.Count = 3;
    a.Foil = 2;
    TInventoryItem& b = inventory.Add();
    b.Name = "Nowhere Card";
    b.Edition = "ZZ";
    EXPECT_EQ(FormatInventoryDeck(inventory), "    3 [AB] - Tide Call\r\n    0 [ZZ] - Nowhere Card\r\n");
}

TEST_F(DeckFileTest, PathsAndQuestions) {
    EXPECT_EQ(BotDeckPath("/d/Decks/mine.dec", 1), "/d/Decks/mine_bot2.dec");
    EXPECT_EQ(BotDeckPath("/d/Decks/mine.dec", 7), "/d/Decks/mine_bot8.dec");
    EXPECT_EQ(OverwriteDeckQuestion("/d/a.dec"), "File /d/a.dec\rexists Overwrite?");
    EXPECT_EQ(RewriteExportQuestion("/d/a.dec"), "File /d/a.dec\rexists? Rewrite?");

    SetProgramDir(dir.Path());
    WriteHandOffDeck(cards, Positions({6, 6}));
    EXPECT_EQ(HandOffDeckPath(), dir / "Temp/temp.dec");
    EXPECT_EQ(TempDir::Read(dir / "Temp/temp.dec"), "    2 [AB] - Ember Whelp\r\n");
    WriteHandOffDeck(cards, Positions({7}));
    EXPECT_EQ(TempDir::Read(dir / "Temp/temp.dec"), "    1 [AB] - Grove Tender\r\n");
}

TEST_F(DeckFileTest, AFailedWriteKeepsTheOldFileAndReportsIt) {
    const std::string path = dir.Write("old.dec", "    1 [AB] - Tide Call\r\n");
    // A folder in the way of the target: the rename fails after the temporary file was written.
    EXPECT_THROW(WriteMainDeck(cards, Positions({6}), dir / "missing/x.dec"), Error);
    std::filesystem::create_directory(dir / "blocked.dec");
    EXPECT_THROW(WriteMainDeck(cards, Positions({6}), dir / "blocked.dec"), Error);
    EXPECT_EQ(TempDir::Read(path), "    1 [AB] - Tide Call\r\n");
}

namespace {

struct ParseCase {
    const char* line;
    TDeckLineKind kind;
    bool sideboard;
    int count;
    const char* edition;
    const char* name;
};

} // namespace

TEST(DeckLineParser, ReadsEveryLineForm) {
    const ParseCase cases[] = {
        {"    4 [9E] - Forest", TDeckLineKind::Card, false, 4, "9E", "Forest"},
        {"SB: 2 [9E] - Forest", TDeckLineKind::Card, true, 2, "9E", "Forest"},
        {"\t 12 [AB] - Tide Call \t", TDeckLineKind::Card, false, 12, "AB", "Tide Call"},
        // Extra blanks before the count or between the count and "[" are harmless.
        {"4    [AB] - Tide Call", TDeckLineKind::Card, false, 4, "AB", "Tide Call"},
        {"SB:    3 [AB] - Tide Call", TDeckLineKind::Card, true, 3, "AB", "Tide Call"},
        // Only the first "-" ends the head.
        {"1 [CD] - Ashen Gate - East", TDeckLineKind::Card, false, 1, "CD", "Ashen Gate - East"},
        {"1 [CD] - Sky-Hook Rigger", TDeckLineKind::Card, false, 1, "CD", "Sky-Hook Rigger"},
        // Two blanks between "]" and the hyphen shift the name by one.
        {"1 [AB]  - Tide Call", TDeckLineKind::Card, false, 1, "AB", "- Tide Call"},
        // Without the blank after the colon a longer count loses its first digit.
        {"SB:12 [AB] - Tide Call", TDeckLineKind::Card, true, 2, "AB", "Tide Call"},
        {"0 [AB] - Tide Call", TDeckLineKind::Card, false, 0, "AB", "Tide Call"},
        {"//SB:", TDeckLineKind::Comment, false, 0, "", ""},
        {"   / a comment", TDeckLineKind::Comment, false, 0, "", ""},
        {"  \t ", TDeckLineKind::End, false, 0, "", ""},
        {"", TDeckLineKind::End, false, 0, "", ""},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.line);
        TDeckLine line;
        ASSERT_EQ(ParseDeckLine(c.line, line), c.kind);
        if (c.kind != TDeckLineKind::Card)
            continue;
        EXPECT_EQ(line.Sideboard, c.sideboard);
        EXPECT_EQ(line.Count, c.count);
        EXPECT_EQ(line.Edition, c.edition);
        EXPECT_EQ(line.Name, c.name);
    }
}

TEST(DeckLineParser, RejectsLinesWithoutAnIntegerCount) {
    for (const char* bad :
         {"sb: 2 [AB] - Tide Call", "SB:2 [AB] - Tide Call", "x [AB] - Tide Call", "4 [AB] Tide Call",
          "-1 [AB] x" /* empty head */, "SB", "99999999999 [AB] - Tide Call", "\xFF\xFE - \x01"}) {
        SCOPED_TRACE(bad);
        TDeckLine line;
        try {
            ParseDeckLine(bad, line);
            ADD_FAILURE() << "accepted";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), kInvalidDeckFile);
        }
    }
}

TEST_F(DeckFileTest, InventoryReaderMergesLinksAndAddsBasicLands) {
    TInventoryList inventory;
    TInventoryItem& old = inventory.Add();
    old.Name = "Tide Call";
    old.Edition = "AB";
    old.Count = 1;
    old.Foil = 1;
    TInventoryItem& forest = inventory.Add();
    forest.Name = "Forest";
    forest.Edition = "BL";
    forest.Count = 5;
    const std::string path =
        dir.Write("a.dec", "    2 [AB] - Tide Call\r\n"
                           "SB: 3 [ab] - tide call\n" // another inventory line, same card
                           "//SB:\r\n"
                           "    1 [BL] - Forest\r\n"
                           "    4 [ZZ] - Nowhere Card\r\n"
                           "    1 [CD] - Glimmer Flats\r\n");
    EXPECT_TRUE(ReadDeckIntoInventory(inventory, cards, path, true));
    ASSERT_EQ(inventory.Count(), 5);
    EXPECT_EQ(inventory.Items(0).Count, 3);
    EXPECT_EQ(inventory.Items(0).Foil, 1); // foils never change
    EXPECT_EQ(inventory.Items(0).Card, &cards.Items(8));
    // Adding a deck never takes a line away: the collection's basic land gains the deck's copy.
    EXPECT_EQ(inventory.Items(1).Name, "Forest");
    EXPECT_EQ(inventory.Items(1).Count, 6);
    EXPECT_NE(inventory.Items(1).Card, nullptr);
    EXPECT_EQ(inventory.Items(2).Name, "tide call");
    EXPECT_EQ(inventory.Items(2).Count, 3);
    EXPECT_EQ(inventory.Items(2).Card, &cards.Items(8));
    EXPECT_EQ(inventory.Items(3).Name, "Nowhere Card"); // unknown: kept, unlinked, counted
    EXPECT_EQ(inventory.Items(3).Card, nullptr);
    EXPECT_EQ(inventory.Items(3).Count, 4);
    EXPECT_EQ(inventory.Items(4).Name, "Glimmer Flats"); // rarity L but not a basic land
    EXPECT_TRUE(prompter.asked.empty());

    // Import replaces, and leaves the deck's basic lands out.
    const std::string one = dir.Write("b.dec", "1 [AB] - Ember Whelp\n2 [BL] - Forest\n");
    EXPECT_TRUE(ReadDeckIntoInventory(inventory, cards, one, false));
    ASSERT_EQ(inventory.Count(), 1);
    EXPECT_EQ(inventory.Items(0).Name, "Ember Whelp");
}

TEST_F(DeckFileTest, ReadersOnEmptyCommentOnlyAndInvalidFiles) {
    TInventoryList inventory;
    inventory.Add().Name = "Kept";
    TDeckZones zones;
    zones.Main.Entries.Add(6);

    const std::string empty = dir.Write("empty.dec", "");
    EXPECT_TRUE(ReadDeckIntoInventory(inventory, cards, empty, false));
    EXPECT_TRUE(ReadDeckIntoZones(zones, cards, empty, false, false));
    EXPECT_EQ(inventory.Count(), 1); // an empty file changes nothing, even when replacing
    EXPECT_EQ(zones.Main.Entries.Count(), 1);

    // Reading stops at an invalid line, keeping the lines before it, and says so once.
    const std::string invalid =
        dir.Write("bad.dec", "2 [AB] - Tide Call\nsb: 1 [AB] - Ember Whelp\n1 [AB] - Stone Idol\n");
    EXPECT_FALSE(ReadDeckIntoInventory(inventory, cards, invalid, false));
    ASSERT_EQ(inventory.Count(), 1);
    EXPECT_EQ(inventory.Items(0).Name, "Tide Call");
    EXPECT_FALSE(ReadDeckIntoZones(zones, cards, invalid, false, false));
    EXPECT_EQ(zones.Main.Entries.Count(), 2);
    EXPECT_EQ(prompter.Messages("error"), (std::vector<std::string>{kInvalidDeckFile, kInvalidDeckFile}));

    // A blank line ends the reading; comment-only content still clears when replacing.
    const std::string comments = dir.Write("c.dec", "// nothing\r\n\r\n1 [AB] - Tide Call\r\n");
    EXPECT_TRUE(ReadDeckIntoInventory(inventory, cards, comments, false));
    EXPECT_EQ(inventory.Count(), 0);
    EXPECT_TRUE(ReadDeckIntoZones(zones, cards, comments, false, false));
    EXPECT_TRUE(zones.Main.Empty());

    EXPECT_THROW(ReadDeckIntoZones(zones, cards, dir / "none.dec", false, false), Error);
}

TEST_F(DeckFileTest, DesignerReaderSortsLinesIntoZonesAndCounters) {
    TDeckZones zones;
    const std::string path = dir.Write("d.dec", "    2 [AB] - Ember Whelp\r\n"
                                                "    7 [BL] - Forest\r\n"
                                                "    1 [AB] - Forest\r\n" // another edition: the same counter
                                                "    1 [ZZ] - Nowhere Card\r\n"
                                                "    0 [AB] - Tide Call\r\n"
                                                "    0 [BL] - Island\r\n"
                                                "SB: 1 [AB] - Grove Tender\r\n"
                                                "SB: 2 [BL] - Plains\r\n");
    bool changed = false;
    EXPECT_TRUE(ReadDeckIntoZones(zones, cards, path, false, false, &changed));
    EXPECT_TRUE(changed);
    EXPECT_EQ(zones.Main.Entries.Raw(), (std::vector<int32_t>{6, 6, 1}));
    EXPECT_EQ(zones.Main.Lands, (std::array<int32_t, 5>{0, 8, 0, 0, 0}));
    EXPECT_EQ(zones.Sideboard.Entries.Raw(), (std::vector<int32_t>{7, 4}));
    EXPECT_EQ(zones.Sideboard.Lands, (std::array<int32_t, 5>{0, 0, 0, 0, 2}));
    EXPECT_EQ(prompter.Messages("error"),
              (std::vector<std::string>{"ZZ Nowhere Card not found in cards database - skipped"}));

    // Adding everything to the sideboard keeps the main deck.
    EXPECT_TRUE(ReadDeckIntoZones(zones, cards, path, true, true));
    EXPECT_EQ(zones.Main.Entries.Count(), 3);
    EXPECT_EQ(zones.Sideboard.Entries.Raw(), (std::vector<int32_t>{7, 4, 6, 6, 1, 7}));
    EXPECT_EQ(zones.Sideboard.Lands, (std::array<int32_t, 5>{0, 8, 0, 0, 4}));

    // Absurd counts are refused rather than filling memory.
    const std::string huge = dir.Write("huge.dec", "2000000000 [AB] - Tide Call\r\n");
    EXPECT_FALSE(ReadDeckIntoZones(zones, cards, huge, false, true));
}

TEST_F(DeckFileTest, LoneCrEndsLinesAndMessagesQuoteNamesBriefly) {
    TDeckZones zones;
    const std::string path =
        dir.Write("cr.dec", "    2 [AB] - Ember Whelp\r    1 [ZZ] - No" + std::string(1, '\0') +
                                std::string(300, 'x') + "\rSB: 1 [AB] - Grove Tender\r");
    EXPECT_TRUE(ReadDeckIntoZones(zones, cards, path, false, false));
    EXPECT_EQ(zones.Main.Entries.Raw(), (std::vector<int32_t>{6, 6}));
    EXPECT_EQ(zones.Sideboard.Entries.Raw(), (std::vector<int32_t>{7}));
    EXPECT_EQ(prompter.Messages("error"), (std::vector<std::string>{"ZZ No\\0" + std::string(197, 'x') +
                                                                    "\xE2\x80\xA6" + kNotFoundSkipped}));
}

TEST_F(DeckFileTest, DesignerReaderKeepsZonesWithinWhatASaveReadsBack) {
    // Lines within the limit that together fill a zone beyond it: the reading stops at the
    // line that would cross it, so the designer never holds a deck its save cannot carry.
    TDeckZones zones;
    const std::string copies = dir.Write("copies.dec", "    60000 [AB] - Tide Call\r\n"
                                                       "SB: 60000 [AB] - Tide Call\r\n"
                                                       "    40000 [AB] - Tide Call\r\n"
                                                       "    1 [AB] - Ember Whelp\r\n");
    EXPECT_FALSE(ReadDeckIntoZones(zones, cards, copies, false, false));
    EXPECT_EQ(zones.Main.Entries.Count(), 100000);
    EXPECT_EQ(zones.Sideboard.Entries.Count(), 60000);
    EXPECT_EQ(prompter.Messages("error"), (std::vector<std::string>{kInvalidDeckFile}));

    // Basic lands count by their counters, whatever edition names them.
    const std::string lands =
        dir.Write("lands.dec", "SB: 99999 [BL] - Forest\r\nSB: 99999 [AB] - Forest\r\n");
    EXPECT_FALSE(ReadDeckIntoZones(zones, cards, lands, false, false));
    EXPECT_EQ(zones.Sideboard.Lands[1], 99999);
    // Adding counts what the zones already hold.
    const std::string one = dir.Write("one.dec", "SB: 1 [AB] - Tide Call\r\nSB: 1 [AB] - Tide Call\r\n");
    EXPECT_FALSE(ReadDeckIntoZones(zones, cards, one, false, true));
    EXPECT_EQ(zones.Sideboard.Entries.Raw(), (std::vector<int32_t>{1, 8}));

    const std::string saved = FormatDesignerDeck(cards, zones.Main.Entries, zones.Main.Lands,
                                                 zones.Sideboard.Entries, zones.Sideboard.Lands);
    TDeckZones back;
    EXPECT_TRUE(ReadDeckIntoZones(back, cards, dir.Write("saved.dec", saved), false, false));
    EXPECT_EQ(back.Sideboard.Lands[1], 99999);
}

TEST_F(DeckFileTest, RoundTripsThroughTheFile) {
    TDeckZones zones;
    zones.Main.Entries = Positions({6, 1, 6, 11, 10});
    zones.Main.Lands = {0, 9, 0, 0, 0};
    zones.Sideboard.Entries = Positions({0, 7, 9});
    zones.Sideboard.Lands = {3, 0, 0, 0, 0};
    const std::string path = dir / "round.dec";
    WriteDesignerDeck(cards, zones.Main.Entries, zones.Main.Lands, zones.Sideboard.Entries,
                      zones.Sideboard.Lands, path);
    TDeckZones back;
    EXPECT_TRUE(ReadDeckIntoZones(back, cards, path, false, false));
    // Copies of a card come back together, where the card first stood.
    EXPECT_EQ(back.Main.Entries.Raw(), (std::vector<int32_t>{6, 6, 1, 11, 10}));
    EXPECT_EQ(back.Main.Lands, zones.Main.Lands);
    EXPECT_EQ(back.Sideboard.Entries.Raw(), zones.Sideboard.Entries.Raw());
    EXPECT_EQ(back.Sideboard.Lands, zones.Sideboard.Lands);

    TInventoryList inventory;
    for (auto [name, edition, count] : {std::tuple{"Tide Call", "AB", 4}, {"Nowhere Card", "ZZ", 2}}) {
        TInventoryItem& line = inventory.Add();
        line.Name = name;
        line.Edition = edition;
        line.Count = count;
    }
    WriteInventoryDeck(inventory, path);
    TInventoryList imported;
    EXPECT_TRUE(ReadDeckIntoInventory(imported, cards, path, false));
    ASSERT_EQ(imported.Count(), 2);
    EXPECT_EQ(imported.Items(0).Count, 4);
    EXPECT_EQ(imported.Items(1).Name, "Nowhere Card");
    EXPECT_EQ(imported.Items(1).Count, 2);
}
