#include "core/carddb/DBCreate.h"
#include "core/carddb/CardDatabase.h"
#include "core/infra/Error.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tovel;
using tovel::test::ScriptedPrompter;
using tovel::test::TempDir;

namespace {

TReadCardRec Columns(std::string code, int namePos, int nameLen, int rarityPos, int firstLine = 0) {
    TReadCardRec rec;
    rec.EditionCode = std::move(code);
    rec.NamePosition = namePos;
    rec.NameLength = nameLen;
    rec.RarityPosition = rarityPos;
    rec.FirstLine = firstLine;
    rec.Accepted = true;
    return rec;
}

} // namespace

TEST(CardListLine, ColumnsTwoSpacesAndCodePageFixes) {
    TReadCardRec twoSpaces = Columns("TS", 0, 0, 0);
    twoSpaces.TwoSpaces = true;
    struct Case {
        std::string line;
        TReadCardRec layout;
        std::string expected;
    };
    const Case cases[] = {
        {"Grove Tender        C", Columns("AB", 1, 15, 21), "AB;Grove Tender;C;5"},
        {"  7  Grove Tender   U  ", Columns("AB", 6, 14, 21), "AB;Grove Tender;U;5"},
        {"Grove Tender   Creature   R", twoSpaces, "TS;Grove Tender;R;5"},
        // The rarity behind a single blank still comes out as the last word.
        {"Grove Tender   Creature R", twoSpaces, "TS;Grove Tender;R;5"},
        // The ligature becomes "AE" and one character inside the name column goes, so the
        // rarity column stays where it was.
        {"\xC6ther Kite    U", Columns("AB", 1, 12, 15), "AB;AEther Kite;U;5"},
        {"\xC6therwing Kite U", Columns("AB", 1, 15, 16), "AB;AEtherwing Kite;U;5"},
        {"Smith\x92s Oath   C", Columns("AB", 1, 13, 16), "AB;Smith's Oath;C;5"},
        {"Short", Columns("AB", 1, 20, 40), "AB;Short;;5"},
        {"   ", Columns("AB", 1, 5, 7), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CardListLine(c.line, c.layout), c.expected) << c.line;
}

TEST(CardListColumns, CutAtTheLineAndEmptyOutsideIt) {
    struct Case {
        int32_t position;
        int32_t length;
        std::string_view expected;
    };
    const Case cases[] = {{1, 5, "Grove"}, {7, 40, "Tender C"}, {14, 1, "C"},
                          {15, 1, ""},     {0, 5, ""},          {3, 0, ""}};
    for (const Case& c : cases)
        EXPECT_EQ(CardListColumns("Grove Tender C", c.position, c.length), c.expected) << c.position;
}

TEST(CreateCardList, CancellingTheSecondFileKeepsTheFirstFilesCards) {
    TempDir dir;
    const std::string a = dir.Write("a.txt", "Header\r\nOne    C\r\nTwo    U\r\n\r\nNot read   R\r\n");
    const std::string b = dir.Write("b.txt", "Three  R\r\n");
    const std::string c = dir.Write("c.txt", "Four   C\r\n");
    const std::string out = dir / "cards.txt";
    TCardsList cards;
    cards.Add("XX");
    std::vector<std::string> asked;
    CreateCardList(
        cards, a + ";" + b + ";;" + c + ";",
        [&](const std::string& file) {
            asked.push_back(file);
            TReadCardRec rec = Columns("AB", 1, 5, 8, 1);
            rec.Accepted = asked.size() == 1;
            return rec;
        },
        out);
    EXPECT_EQ(asked, (std::vector<std::string>{a, b}));
    EXPECT_EQ(TempDir::Read(out), "AB;One;C;5\r\nAB;Two;U;5\r\n");
    EXPECT_EQ(cards.Count(), 0);

    // Cancelled at the first file: the old list stays as it was.
    CreateCardList(
        cards, a + ";", [](const std::string&) { return TReadCardRec{}; }, out);
    EXPECT_EQ(TempDir::Read(out), "AB;One;C;5\r\nAB;Two;U;5\r\n");
}

TEST(CreateCardList, FirstLineAtTheEndAndUnreadableFiles) {
    TempDir dir;
    const std::string a = dir.Write("a.txt", "Header\r\nOnly   R");
    const std::string out = dir / "cards.txt";
    TCardsList cards;
    auto layout = [](const std::string&) {
        return Columns("AB", 1, 5, 8, 1);
    };
    CreateCardList(cards, a + ";", layout, out);
    EXPECT_EQ(TempDir::Read(out), "AB;Only;R;5\r\n");
    // A file that cannot be read ends the command and leaves the old card list.
    EXPECT_THROW(CreateCardList(cards, a + ";" + dir / "missing.txt;", layout, out), Error);
    EXPECT_EQ(TempDir::Read(out), "AB;Only;R;5\r\n");
}

TEST(CreateCardsDB, BacksTheCardListUpFirstAndNeedsOne) {
    TempDir dir;
    const std::string a = dir.Write("Import/Cardlists/a.txt", "One    C\r\n");
    auto layout = [](const std::string&) {
        return Columns("AB", 1, 5, 8);
    };
    TCardsList cards;
    EXPECT_FALSE(CreateCardsDB(cards, dir.Path(), {}, layout));
    // Without Data/cards.txt the backup copy fails before any imported file is read.
    bool asked = false;
    EXPECT_THROW(CreateCardsDB(cards, dir.Path(), {a},
                               [&](const std::string& file) {
                                   asked = true;
                                   return layout(file);
                               }),
                 Error);
    EXPECT_FALSE(asked);
    dir.Write("Data/cards.txt", "old list\r\n");
    EXPECT_TRUE(CreateCardsDB(cards, dir.Path(), {a}, layout));
    EXPECT_EQ(TempDir::Read(dir / "Data/Backup/cards.txt"), "old list\r\n");
    EXPECT_EQ(TempDir::Read(dir / "Data/cards.txt"), "AB;One;C;5\r\n");
}

TEST(BackupAndRestore, CopyOnlyWhenTheCardListExists) {
    TempDir dir;
    ScriptedPrompter prompter;
    ScopedPrompter scoped(prompter);
    dir.Write("Data/base.txt", "current");
    EXPECT_FALSE(BackupCardDatabase(dir.Path()));
    EXPECT_FALSE(RestoreCardDatabase(dir.Path()));
    EXPECT_TRUE(prompter.asked.empty());

    dir.Write("Data/cards.txt", "AB;One;C;5\r\n");
    EXPECT_TRUE(BackupCardDatabase(dir.Path()));
    EXPECT_EQ(TempDir::Read(dir / "Data/Backup/base.txt"), "current");
    EXPECT_EQ(prompter.Messages("information"),
              std::vector<std::string>{"Card base saved to " + dir / "Data/Backup/base.txt"});

    // Restore looks for the card list in the backup folder.
    dir.Write("Data/base.txt", "changed");
    EXPECT_FALSE(RestoreCardDatabase(dir.Path()));
    dir.Write("Data/Backup/cards.txt", "");
    EXPECT_TRUE(RestoreCardDatabase(dir.Path()));
    EXPECT_EQ(TempDir::Read(dir / "Data/base.txt"), "current");
    EXPECT_EQ(prompter.Messages("information").back(),
              "Card base restored from " + dir / "Data/Backup/base.txt");
}

TEST(BuildCardDatabase, AlwaysReadsBothSourcesAndFillsPrintings) {
    TempDir dir;
    ScriptedPrompter prompter;
    ScopedPrompter scoped(prompter);
    dir.Write("Data/editions.txt", "CD;Second\r\nAB;First\r\n");
    dir.Write("Data/cards.txt", "AB;Gale;C;5\r\nCD;Gale;U;5\r\n");
    dir.Write("Data/gatherer.txt", "Gale\r\nU\r\nInstant\r\n\r\n");
    const TBuildFiles files = DefaultBuildFiles(dir.Path());
    TCardsList cards;
    TTextList editions;
    // Cards left in memory by an earlier window (say, a draft of one edition) are not kept.
    LoadCardDatabaseText(cards, "AB;Leftover;C;5;;;\r\n;;;\r\n\r\n", "");
    ASSERT_TRUE(CreateDBFromCardsAndGatherer(cards, editions, files));
    EXPECT_EQ(editions.Count(), 2);
    const std::string base = TempDir::Read(files.Out);
    EXPECT_EQ(base.substr(0, base.find("9E;")), "AB;Gale;C;5;;CD+AB+;\r\nU;Instant;;\r\n\r\n"
                                                "CD;Gale;U;5;;CD+AB+;\r\nU;Instant;;\r\n\r\n");

    // A failing build leaves base.txt as it was.
    dir.Write("Data/cards.txt", "AB;Gale;C;5\r\nAB;Missing;C;5\r\n");
    EXPECT_FALSE(CreateDBFromCardsAndGatherer(cards, editions, files));
    EXPECT_EQ(prompter.Messages("error"), std::vector<std::string>{"Error reading cards database"});
    EXPECT_EQ(cards.Count(), 0);
    EXPECT_EQ(TempDir::Read(files.Out), base);

    // A failed write says so, and the cards in memory stay those of the old file.
    LoadCardDatabaseText(cards, "AB;Leftover;C;5;;;\r\n;;;\r\n\r\n", "");
    dir.Write("Data/cards.txt", "AB;Gale;C;5\r\n");
    TBuildFiles unwritable = files;
    unwritable.Out = dir / "No such folder/base.txt";
    EXPECT_FALSE(CreateDBFromCardsAndGatherer(cards, editions, unwritable));
    EXPECT_EQ(prompter.Messages("error").back().rfind("Unable to write to " + unwritable.Out, 0), 0u);
    ASSERT_EQ(cards.Count(), 1);
    EXPECT_EQ(cards.Items(0).Name, "Leftover");

    // So does an empty card list, which would otherwise replace the database with nothing.
    dir.Write("Data/cards.txt", "");
    EXPECT_THROW(BuildCardDatabase(cards, editions, files), Error);
    EXPECT_EQ(TempDir::Read(files.Out), base);
}
