#include "core/carddb/CardDatabase.h"
#include "core/infra/Error.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tovel;
using tovel::test::ScriptedPrompter;
using tovel::test::TempDir;

namespace {

const std::string kText = "Some preamble that is not a card\r\n"
                          "\r\n"
                          "ember whelp\r\n"
                          "  1R  \r\n"
                          "Creature - Drake\r\n"
                          "1/1\r\n"
                          "Flying; haste\r\n"
                          "  When it dies, you gain 1 life.  \r\n"
                          "\r\n"
                          "Quiet Shroud\r\n"
                          "Enchantment\r\n"
                          "Nothing happens.\r\n"
                          "\r\n"
                          "Ember Whelp\r\n"
                          "Sorcery\r\n" // a later block of the same name is never found
                          "\r\n"
                          "Split Decision\r\n"
                          "1G /  / 2U\r\n"
                          "Instant\r\n"
                          "\r\n";

struct MergeFixture : ::testing::Test {
    TempDir dir;
    TCardsList cards;
    TTextList editions;
    std::string remembered;
    ScriptedPrompter prompter;
    ScopedPrompter scoped{prompter};

    MergeFixture() { editions.Lines = {"AB;First", "CD;Second", "9E;Basics"}; }

    bool Merge(const std::string& list, const std::string& text, std::string_view filter = "") {
        return MergeCardDatabase(cards, list, text, filter, editions, remembered);
    }
    std::string Names() const {
        std::string names;
        for (int i = 0; i < cards.Count(); ++i)
            names += std::string(cards.Items(i).Edition) + ":" + std::string(cards.Items(i).Name) + ",";
        return names;
    }
};

} // namespace

TEST_F(MergeFixture, TextListWithCardTextBuildsTheDatabase) {
    const std::string list = dir.Write("cards.txt", "AB;Ember Whelp;C;4;;ignored\r\n"
                                                    "CD;Ember Whelp;U;6;D\r\n"
                                                    "ab;EMBER WHELP;R;1;\r\n" // same card: first line kept
                                                    "AB;Quiet Shroud;U;3\r\n"
                                                    "AB;Split Decision;R;5;\r\n"
                                                    "   \r\n"
                                                    "AB;After The End;C;5;\r\n");
    ASSERT_TRUE(Merge(list, dir.Write("gatherer.txt", kText)));
    EXPECT_TRUE(prompter.asked.empty());
    EXPECT_EQ(Names(), "AB:Ember Whelp,CD:Ember Whelp,AB:Quiet Shroud,AB:Split Decision,"
                       "9E:Swamp,9E:Forest,9E:Mountain,9E:Island,9E:Plains,");
    const TCardItem& whelp = cards.Items(1);
    EXPECT_EQ(whelp.Value, 6);
    EXPECT_EQ(whelp.BannedFormats, "D");
    EXPECT_EQ(whelp.Printings, "AB;CD;");
    EXPECT_EQ(whelp.Cost, "1R");
    EXPECT_EQ(whelp.ConvertedCost, 2);
    EXPECT_EQ(whelp.TypeLine, "Creature - Drake");
    EXPECT_EQ(whelp.PowerToughness, "1/1");
    const auto text = cards.Text(whelp);
    ASSERT_EQ(text.size(), 2u);
    EXPECT_EQ(text[1], "When it dies, you gain 1 life.");
    EXPECT_EQ(cards.Items(2).Cost, "");
    EXPECT_EQ(cards.Items(2).TypeLine, "Enchantment");
    EXPECT_TRUE(cards.Items(3).IsSplit);
    EXPECT_EQ(cards.Items(5).Rarity, TRarity::L);
    EXPECT_EQ(cards.Items(5).Value, 5);

    // Saving and loading gives the same cards.
    SaveCardDatabase(cards, dir / "base.txt");
    TCardsList loaded;
    LoadCardDatabase(loaded, dir / "base.txt", "");
    EXPECT_EQ(CardDatabaseText(loaded), CardDatabaseText(cards));
}

TEST_F(MergeFixture, FilterRememberedAndCardsKeptWhileItIsUnchanged) {
    const std::string list = dir.Write("cards.txt", "AB;Quiet Shroud;U;3\r\nCD;Ember Whelp;U;6\r\n");
    const std::string text = dir.Write("gatherer.txt", kText);
    ASSERT_TRUE(Merge(list, text, "CD;"));
    EXPECT_EQ(remembered, "CD;");
    EXPECT_EQ(cards.Items(0).Name, "Ember Whelp");
    // The same filter keeps whatever is in memory, even after the list changed on disk.
    dir.Write("cards.txt", "AB;Quiet Shroud;U;3\r\n");
    ASSERT_TRUE(Merge(list, text, "CD;"));
    EXPECT_EQ(cards.Items(0).Name, "Ember Whelp");
    ASSERT_TRUE(Merge(list, text, ""));
    EXPECT_EQ(cards.Items(0).Name, "Quiet Shroud");
}

TEST_F(MergeFixture, FailuresShowOneMessageAndLeaveTheListEmpty) {
    const std::string text = dir.Write("gatherer.txt", kText);
    struct Case {
        const char* what;
        std::string listName;
        std::string list;
        std::string textFile;
    };
    const Case cases[] = {
        {"card without text", "cards.txt", "AB;Nowhere To Be Found;C;5\r\n", text},
        {"bad rarity", "cards.txt", "AB;Quiet Shroud;u;5\r\n", text},
        {"bad value", "cards.txt", "AB;Quiet Shroud;U;\r\n", text},
        {"text runs off the end", "cards.txt", "AB;Last;U;1\r\n", dir.Write("short.txt", "Last\r\nLand")},
        {"missing card list", "nothing.txt", "", text},
        {"unknown list kind", "cards.csv", "AB;Quiet Shroud;U;3\r\n", text},
        {"card text as XML", "cards.txt", "AB;Quiet Shroud;U;3\r\n", dir.Write("gatherer.xml", "<a/>")},
        {"broken XML list", "cards.xml", "<cards><card Name=\"x\"", text},
        // Fields that would not read back from base.txt the way they were saved.
        {"XML name with a semicolon", "cards.xml",
         "<cards><card Name=\"A;B\" Edition=\"AB\" Rarity=\"C\" Value=\"1\"/></cards>", text},
        {"XML edition with a line end", "cards.xml",
         "<cards><card Name=\"Quiet Shroud\" Edition=\"A&#10;B\" Rarity=\"C\" Value=\"1\"/></cards>", text},
        {"type line with a semicolon", "cards.txt", "AB;Semi;C;5\r\n",
         dir.Write("semi.txt", "Semi\r\nCreature; Elf\r\n\r\n")},
    };
    for (const Case& c : cases) {
        cards.Clear();
        prompter.asked.clear();
        remembered = "keep;";
        const std::string list = c.list.empty() ? dir / c.listName : dir.Write(c.listName, c.list);
        EXPECT_FALSE(Merge(list, c.textFile)) << c.what;
        EXPECT_EQ(prompter.Messages("error"), std::vector<std::string>{"Error reading cards database"})
            << c.what;
        EXPECT_EQ(cards.Count(), 0) << c.what;
        EXPECT_EQ(remembered, "keep;") << c.what;
    }
}

TEST_F(MergeFixture, ThrowingPiecesCarryTheUnderlyingMessage) {
    TCardsList list;
    ReadCardListText(list, "AB;Nowhere;C;5\r\n", "");
    try {
        ReadCardText(list, kText);
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Card \"Nowhere\" not found in DB");
    }
    EXPECT_THROW(ReadCardListText(list, "AB;Bad;x;5\r\n", ""), Error);
}

TEST_F(MergeFixture, EmptyListsAndBasicLands) {
    const std::string text = dir.Write("gatherer.txt", kText + "Forest\r\nBasic Land - Forest\r\n\r\n");
    // An empty file stops the merge: nothing at all, and the filter is not remembered.
    ASSERT_TRUE(Merge(dir.Write("cards.txt", ""), text, "AB;"));
    EXPECT_EQ(cards.Count(), 0);
    EXPECT_EQ(remembered, "");
    // A first line that is empty: no listed cards, but the five lands.
    ASSERT_TRUE(Merge(dir.Write("cards.txt", "\r\nAB;Quiet Shroud;U;3\r\n"), text));
    EXPECT_EQ(Names(), "9E:Swamp,9E:Forest,9E:Mountain,9E:Island,9E:Plains,");
    // A Forest of any edition means no extra Forest.
    cards.Clear();
    ASSERT_TRUE(Merge(dir.Write("cards.txt", "CD;forest;C;5\r\n"), text));
    EXPECT_EQ(Names(), "CD:forest,9E:Swamp,9E:Mountain,9E:Island,9E:Plains,");
}

// Printings of one name share their rules-text lines; a change to one card's text is its own.
TEST_F(MergeFixture, ReprintsShareTheirTextUntilOneChanges) {
    TCardsList list;
    ReadCardListText(list, "AB;Ember Whelp;C;5\r\nCD;Tide Call;C;5\r\nCD;ember whelp;U;5\r\n", "");
    ReadCardText(list, "Ember Whelp\r\nR\r\nCreature\r\n1/1\r\nHaste.\r\nBurns.\r\n\r\n"
                       "Tide Call\r\nU\r\nInstant\r\nDraw.\r\n\r\n");
    const auto text = [&](int i) {
        const auto lines = list.Text(list.Items(i));
        return std::vector<std::string_view>(lines.begin(), lines.end());
    };
    const std::vector<std::string_view> whelp{"Haste.", "Burns."};
    EXPECT_EQ(text(0), whelp);
    EXPECT_EQ(text(2), whelp);
    EXPECT_EQ(list.Items(2).PowerToughness, "1/1");
    list.AppendTextLine(list.Items(2), "Flies.");
    list.AppendTextLine(list.Items(0), "Swims.");
    EXPECT_EQ(text(0), (std::vector<std::string_view>{"Haste.", "Burns.", "Swims."}));
    EXPECT_EQ(text(2), (std::vector<std::string_view>{"Haste.", "Burns.", "Flies."}));
    EXPECT_EQ(text(1), std::vector<std::string_view>{"Draw."});
}

TEST_F(MergeFixture, CardTextSearchFoldsAnsiLetters) {
    TCardsList list;
    ReadCardListText(list, "AB;\xC9lan Vital;C;5\r\n", "");
    ReadCardText(list, "\xE9lan vital\r\nInstant\r\nGo.\r\n\r\n");
    EXPECT_EQ(list.Items(0).TypeLine, "Instant");
}

TEST_F(MergeFixture, XmlListReadsAttributesInBothEncodings) {
    const std::string text = dir.Write("gatherer.txt", kText + "Caf\xE9 Brawler\r\nCreature\r\n\r\n");
    const std::string utf8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<cards>\n"
                             "  <!-- comment -->\n"
                             "  <card Name=\"Quiet Shroud\" Edition=\"AB\" Rarity=\"U\" Value=\"3\"/>\n"
                             "  <c Name=\"Caf\xC3\xA9 Brawler\" Edition=\"CD\" Rarity=\"R\" Value=\"7\" "
                             "BannedFormats=\"D\"/>\n"
                             "  <card Name=\"quiet shroud\" Edition=\"ab\" Rarity=\"R\" Value=\"1\"/>\n"
                             "</cards>\n";
    ASSERT_TRUE(Merge(dir.Write("cards.xml", utf8), text));
    EXPECT_EQ(Names(),
              "AB:Quiet Shroud,CD:Caf\xE9 Brawler,9E:Swamp,9E:Forest,9E:Mountain,9E:Island,9E:Plains,");
    EXPECT_EQ(cards.Items(1).BannedFormats, "D");
    EXPECT_EQ(cards.Items(1).Value, 7);

    const std::string western =
        "<?xml version=\"1.0\" encoding=\"windows-1252\"?>"
        "<cards><card Name=\"Caf\xE9 Brawler\" Edition=\"CD\" Rarity=\"R\" Value=\"2\"/></cards>";
    cards.Clear();
    ASSERT_TRUE(Merge(dir.Write("cards.xml", western), text));
    EXPECT_EQ(cards.Items(0).Name, "Caf\xE9 Brawler");

    TCardsList list;
    EXPECT_THROW(ReadCardListXml(list, "<cards><card Name=\"X\" Edition=\"AB\" Rarity=\"U\"/></cards>", ""),
                 Error);
    try {
        ReadCardListXml(list, "<cards><card Name=\"X\" Edition=\"AB\" Rarity=\"u\" Value=\"1\"/></cards>",
                        "");
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "X - can't read card info");
    }
}
